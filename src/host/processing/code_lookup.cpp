#include "host/processing/code_lookup.h"

#include <cctype>

namespace processing {

bool IsNumericCode(const std::string& code) {
    if (code.empty())
        return false;
    for (unsigned char c : code)
        if (!std::isdigit(c))
            return false;
    return true;
}

CodeLookup::CodeLookup(vrk::CVrkObject& project) {
    const vrk::ProcessingSettings& s = project.processing;
    m_numeric = (s.flags & vrk::kFlagNumericCode) != 0;
    const vrk::CClassificator* c = project.GetClassificator();
    if (!c)
        return;
    const bool all = (s.flags & vrk::kFlagCodeFromProject) != 0;
    for (int i = 0; i < vrk::CClassificator::kSlots; ++i) {
        const vrk::CCodeSystemSlot& slot = c->slots[i];
        if (!slot.in_use || (!all && i != s.code_system))
            continue;
        m_any = true;
        if (!m_name.empty())
            m_name += ", ";
        m_name += slot.name;
        for (const vrk::CCodeEntry& e : slot.codes) m_codes.emplace(e.code, &e);
    }
}

bool CodeLookup::Applies(const std::string& code) const {
    return m_any && !code.empty() && (m_numeric || !IsNumericCode(code));
}

const vrk::CCodeEntry* CodeLookup::Find(const std::string& code) const {
    auto it = m_codes.find(code);
    return it == m_codes.end() ? nullptr : it->second;
}

bool CodeLookup::IsLineCode(const std::string& code) const {
    const vrk::CCodeEntry* e = Applies(code) ? Find(code) : nullptr;
    return e && e->kind == vrk::CCodeEntry::Kind::Line;
}

}  // namespace processing
