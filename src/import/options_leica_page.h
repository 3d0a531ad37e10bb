// The Leica page of the import options: which code in word 41 announces a station, an
// instrument height, a target height or a code, and in which word 42 to 49 its value stands.
#pragma once

#include "import/options_page.h"

enum LeicaPageControl : int {
    kIdFormat16 = 9224,
    kIdStationW41 = 9206,
    kIdStation412 = 9216,
    kIdHiW41 = 9208,
    kIdHi412 = 9218,
    kIdHvW41 = 9211,
    kIdHv412 = 9221,
    kIdCodeW41 = 9212,
    kIdCode412 = 9222,
};

class CImpOptLeicaPage : public CImpOptPage {
  public:
    static constexpr int kFirstWord = 42;
    static constexpr int kLastWord = 49;

    CImpOptLeicaPage();
    void OnCommand(int id) override;

  protected:
    void Load() override;
    bool Check() override;
    void Store(ImportSettings& to) const override;

  private:
    // Code 3 in word 41 carries the code in the block itself, so it needs no word of its own.
    void EnableCodeWord();
};
