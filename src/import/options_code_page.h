// The coding page of the import options: code format, code system, relief and separators.
#pragma once

#include <string>
#include <vector>

#include "import/contracts/vrk.h"
#include "import/options_page.h"

enum CodePageControl : int {
    kIdCodeNumeric = 9215,
    kIdLinesAttr = 9241,
    kIdForceCode = 9233,
    kIdCSFromProject = 9247,
    kIdCodeSystem = 9223,
    kIdOnRelief = 9242,
    kIdCodeSep = 9243,
    kIdLink = 9244,
    kIdAtrAtr = 9245,
    kIdAtrVal = 9246,
};

class CImpOptCodePage : public CImpOptPage {
  public:
    CImpOptCodePage();
    void OnCommand(int id) override;

  protected:
    void Load() override;
    bool Check() override;
    void Store(ImportSettings& to) const override;

  private:
    // Without a classificator there is nothing to choose from.
    bool HasClassificator() const;
    void EnableCodeSystem();
    // An empty list means no code system; a list with entries has one chosen.
    void NormaliseCodeSystem();
};

// The names of the code systems in use in the project's classificator, in slot order; empty
// without a classificator.
std::vector<std::string> CodeSystemNames(const vrk::CClassificator* classificator);
