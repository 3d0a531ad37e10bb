#include "import/options_leica_page.h"
#include "options_fixture.h"
#include "support/settings_edit.h"

namespace {

class LeicaPageTest : public OptionsTest {
  protected:
    CImpOptLeicaPage page;
};

TEST_F(LeicaPageTest, CodeThreeInWord41DisablesTheCodeWord) {
    Open(page);
    EXPECT_TRUE(page.frame().IsEnabled(kIdCode412));
    Type(page, kIdCodeW41, "3");
    EXPECT_FALSE(page.frame().IsEnabled(kIdCode412));
    Type(page, kIdCodeW41, "31");
    EXPECT_TRUE(page.frame().IsEnabled(kIdCode412));
    testing_support::EditSettings(*dlg, [&](ImportSettings& s) { s.CodeW41 = "3"; });
    CImpOptLeicaPage opened;
    Open(opened);
    EXPECT_FALSE(opened.frame().IsEnabled(kIdCode412));
}

TEST_F(LeicaPageTest, ValuesRoundTripThroughThePage) {
    testing_support::EditSettings(*dlg, [](ImportSettings& s) {
        s.Station412 = 3;  // beyond the words: shown at the nearest one
        s.Hv412 = 120;
    });
    const ImportSettings& s = dlg->Settings();
    Open(page);
    EXPECT_EQ(page.frame().Text(kIdStation412), "42");
    EXPECT_EQ(page.frame().Text(kIdHi412), "43");
    EXPECT_EQ(page.frame().Text(kIdHv412), "49");
    Click(page, kIdFormat16);
    Type(page, kIdHi412, " 47 ");
    Type(page, kIdCodeW41, "5");
    Type(page, kIdCode412, "41");
    EXPECT_FALSE(page.OnApply());
    EXPECT_EQ(s.CodeW41, "2") << "nothing stored while a word is refused";
    Type(page, kIdCode412, "44");
    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(s.Format16Digits, 1);
    EXPECT_EQ(s.Station412, 42);
    EXPECT_EQ(s.Hi412, 47);
    EXPECT_EQ(s.Hv412, 49);
    EXPECT_EQ(s.CodeW41, "5");
    EXPECT_EQ(s.Code412, 44);
    CImpOptLeicaPage again;  // a plain check, not the third state
    Open(again);
    EXPECT_EQ(again.frame().Checked(kIdFormat16), 1);
}

}  // namespace
