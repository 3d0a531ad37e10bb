// The code systems that a processing run looks codes up in.
#pragma once

#include <string>
#include <unordered_map>

#include "import/contracts/vrk.h"

namespace processing {

// With "CSFromProject" every code system of the project is searched (in slot order), else the
// one chosen for the import. Text codes are always looked up; numeric codes only with
// "CodeNumeric", else they are plain text.
class CodeLookup {
  public:
    explicit CodeLookup(vrk::CVrkObject& project);
    bool Applies(const std::string& code) const;
    const vrk::CCodeEntry* Find(const std::string& code) const;
    bool IsLineCode(const std::string& code) const;
    const std::string& SystemName() const { return m_name; }

  private:
    std::unordered_map<std::string, const vrk::CCodeEntry*> m_codes;
    bool m_any = false, m_numeric = false;
    std::string m_name;
};

bool IsNumericCode(const std::string& code);

}  // namespace processing
