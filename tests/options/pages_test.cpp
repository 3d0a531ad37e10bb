// Each option page shows the dialog's settings, keeps its controls in step and applies what
// the user chose.
#include <limits>

#include "import/options_code_page.h"
#include "import/options_common_page.h"
#include "import/options_leica_page.h"
#include "options_fixture.h"
#include "support/settings_edit.h"

namespace {

using testing_support::EditSettings;

template <class Page>
class PageTest : public OptionsTest {
  protected:
    Page page;
};
using CodePageTest = PageTest<CImpOptCodePage>;
using CommonPageTest = PageTest<CImpOptCommonPage>;
using LeicaPageTest = PageTest<CImpOptLeicaPage>;

TEST_F(CodePageTest, NoClassificatorMeansNoCodeSystem) {
    EditSettings(*dlg, [](ImportSettings& s) { s.CodeSystem = 3; });  // as stored
    Open(page);
    EXPECT_TRUE(page.frame().control(kIdCodeSystem).items.empty());
    EXPECT_FALSE(page.frame().IsEnabled(kIdCodeSystem) || page.frame().IsEnabled(kIdCSFromProject));
    page.frame().SetSelection(kIdCodeSystem, 2);  // a front end cannot conjure one up
    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(dlg->Settings().CodeSystem, -1);
}

// The list holds the systems in use in slot order; taking it from the project disables it.
TEST_F(CodePageTest, ListOfTheSystemsInUse) {
    vrk::CClassificator c;
    c.slots[7] = {true, "Local", {}};
    c.slots[0] = {true, "Main", {}};
    c.slots[10] = {true, "Last", {}};
    c.slots[3] = {false, "Unused", {}};
    project.SetClassificator(c);
    EditSettings(*dlg, [](ImportSettings& s) { s.CSFromProject = 1; });
    Open(page);
    EXPECT_EQ(page.frame().control(kIdCodeSystem).items,
              (std::vector<std::string>{"Main", "Local", "Last"}));
    EXPECT_EQ(page.frame().Selection(kIdCodeSystem), 0) << "none stored: the first one";
    EXPECT_TRUE(page.frame().IsEnabled(kIdCSFromProject));
    EXPECT_FALSE(page.frame().IsEnabled(kIdCodeSystem));
    Click(page, kIdCSFromProject);
    EXPECT_TRUE(page.frame().IsEnabled(kIdCodeSystem));
    Click(page, kIdCSFromProject);
    EXPECT_FALSE(page.frame().IsEnabled(kIdCodeSystem));

    Pick(page, kIdCodeSystem, 2);
    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(dlg->Settings().CodeSystem, 2);
    page.frame().SetSelection(kIdCodeSystem, -1);
    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(dlg->Settings().CodeSystem, -1);

    EditSettings(*dlg, [&](ImportSettings& s) { s.CodeSystem = 9; });
    CImpOptCodePage again;
    Open(again);
    EXPECT_EQ(again.frame().Selection(kIdCodeSystem), 2) << "clamped to the list";
}

TEST_F(CodePageTest, ValuesAndSeparatorsRoundTrip) {
    EditSettings(*dlg, [&](ImportSettings& s) { s.OnRelief = 9; });
    Open(page);
    EXPECT_EQ(page.frame().Selection(kIdOnRelief), 2);
    EXPECT_EQ(page.frame().Text(kIdCodeSep), "/");
    Pick(page, kIdOnRelief, 1);
    Click(page, kIdCodeNumeric);
    Click(page, kIdForceCode);
    Type(page, kIdCodeSep, "|x");
    EXPECT_EQ(page.frame().Text(kIdCodeSep), "|");
    Type(page, kIdLink, "");
    page.frame().control(kIdAtrAtr).text = ":;";  // a front end that ignores the limit
    ASSERT_TRUE(page.OnApply());
    const ImportSettings& s = dlg->Settings();
    EXPECT_EQ(std::vector({s.OnRelief, s.CodeNumeric, s.ForceCode, s.LinesAttr}),
              std::vector({1, 0, 1, 0}));
    EXPECT_EQ(s.CodeSep + s.Link + s.AtrAtr + s.AtrVal, "|:#");
    EXPECT_TRUE(prompter->shown.empty());
}

TEST_F(CommonPageTest, StylesEnableTheirEditsAndResetTheOthers) {
    UseZonedSettings(0);
    Open(page);
    EXPECT_TRUE(page.frame().IsEnabled(kIdX0));
    Type(page, kIdZoneNumber, "12");
    Pick(page, kIdYStyle, 1);
    EXPECT_TRUE(page.frame().IsEnabled(kIdY0));
    EXPECT_FALSE(page.frame().IsEnabled(kIdZoneNumber));
    EXPECT_EQ(Texts(page, {kIdZoneNumber, kIdY0}), "1 500000");

    Pick(page, kIdYStyle, 2);
    Type(page, kIdZoneNumber, "12");
    Pick(page, kIdYStyle, 0);
    Type(page, kIdX0, "77");
    Pick(page, kIdXStyle, 0);
    Click(page, kIdCheckDel);
    EXPECT_FALSE(page.frame().IsEnabled(kIdY0));
    EXPECT_FALSE(page.frame().IsEnabled(kIdX0));
    EXPECT_TRUE(page.modified());
    ASSERT_TRUE(page.OnApply());
    const ImportSettings& s = dlg->Settings();
    EXPECT_EQ(std::vector({s.YStyle, s.NZone, s.XStyle, s.CheckDel}), std::vector({0, 1, 0, 1}));
    EXPECT_EQ(std::vector({s.Y0, s.X0}), std::vector({0.0, 0.0}));
}

TEST_F(CommonPageTest, OpeningClampsWhatItShows) {
    ImportSettings s;
    s.CheckDel = 5;
    s.XStyle = 7;
    s.X0 = std::numeric_limits<double>::quiet_NaN();
    s.YStyle = -3;
    s.Zone = 4;
    dlg->SetSettings(s);
    Open(page);
    ui::Frame& f = page.frame();
    EXPECT_EQ(std::vector({f.Checked(kIdCheckDel), f.Selection(kIdXStyle), f.Selection(kIdYStyle),
                           f.Selection(kIdZoneType)}),
              std::vector({1, 1, 0, 1}));
    EXPECT_EQ(f.Text(kIdX0), "0");

    s = {};
    s.XStyle = 1;
    s.X0 = 4e7;
    s.YStyle = 2;
    s.Y0 = -1e12;
    s.NZone = 200;
    dlg->SetSettings(s);
    CImpOptCommonPage again;
    Open(again);
    EXPECT_EQ(Texts(again, {kIdX0, kIdY0, kIdZoneNumber}), "10002300 -650000 60");
    EXPECT_TRUE(again.OnApply()) << "what the page shows must pass its own checks";
}

TEST(EditNumbers, RealTextReadsBack) {
    for (double v : {0.0, 500000.0, 650000.5, 0.1, -10002300.0, 1e300, 5e-324})
        EXPECT_EQ(ParseReal(RealText(v)), v) << RealText(v);
    EXPECT_EQ(RealText(-0.25), "-0.25");
}

TEST_F(LeicaPageTest, ValuesRoundTripThroughThePage) {
    EditSettings(*dlg, [](ImportSettings& s) {
        s.Station412 = 3;  // beyond the words: shown at the nearest one
        s.Hv412 = 120;
    });
    const ImportSettings& s = dlg->Settings();
    Open(page);
    EXPECT_EQ(Texts(page, {kIdStation412, kIdHi412, kIdHv412}), "42 43 49");
    Click(page, kIdFormat16);
    Type(page, kIdHi412, " 47 ");
    Type(page, kIdCodeW41, "5");
    Type(page, kIdCode412, "41");
    EXPECT_FALSE(page.OnApply());
    EXPECT_EQ(s.CodeW41, "2") << "nothing stored while a word is refused";
    Type(page, kIdCode412, "44");
    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(std::vector({s.Format16Digits, s.Station412, s.Hi412, s.Hv412, s.Code412}),
              std::vector({1, 42, 47, 49, 44}));
    EXPECT_EQ(s.CodeW41, "5");
    CImpOptLeicaPage again;  // a plain check, not the third state
    Open(again);
    EXPECT_EQ(again.frame().Checked(kIdFormat16), 1);
    EXPECT_TRUE(again.frame().IsEnabled(kIdCode412));

    // Code 3 in word 41 leaves no use for the code word.
    Type(again, kIdCodeW41, "3");
    EXPECT_FALSE(again.frame().IsEnabled(kIdCode412));
    Type(again, kIdCodeW41, "31");
    EXPECT_TRUE(again.frame().IsEnabled(kIdCode412));
    EditSettings(*dlg, [&](ImportSettings& e) { e.CodeW41 = "3"; });
    CImpOptLeicaPage opened;
    Open(opened);
    EXPECT_FALSE(opened.frame().IsEnabled(kIdCode412));
}

}  // namespace
