// The general page of the import options: name checks and the coordinate presentation.
#pragma once

#include "import/options_page.h"

enum CommonPageControl : int {
    kIdCheckUnique = 9082,
    kIdCheckAuto = 9085,
    kIdCheckDel = 9079,
    kIdXStyle = 9137,
    kIdX0 = 9139,
    kIdYStyle = 9140,
    kIdY0 = 9142,
    kIdZoneType = 9143,
    kIdZoneNumber = 9146,
};

class CImpOptCommonPage : public CImpOptPage {
  public:
    static constexpr double kMaxEo = 650000.0;
    static constexpr double kMaxNo = 10002300.0;

    CImpOptCommonPage();
    void OnCommand(int id) override;

  protected:
    void Load() override;
    bool Check() override;
    void Store(ImportSettings& to) const override;

  private:
    void OnXStyleChange();
    void OnYStyleChange();
    // The highest zone number for the zone type in the list: 60 for 6 degrees, 120 for 3.
    int MaxZone();
};
