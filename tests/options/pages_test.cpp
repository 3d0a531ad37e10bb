// Each option page shows the dialog's settings, keeps its controls in step and applies what
// the user chose.
#include <limits>

#include "import/options_code_page.h"
#include "import/options_common_page.h"
#include "import/options_leica_page.h"
#include "import/options_m5_page.h"
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
    EXPECT_TRUE(page.OnApply() && dlg->Settings().CodeSystem == -1) << dlg->Settings().CodeSystem;
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
    EXPECT_TRUE(page.frame().IsEnabled(kIdCSFromProject) && !page.frame().IsEnabled(kIdCodeSystem));
    Click(page, kIdCSFromProject);
    EXPECT_TRUE(page.frame().IsEnabled(kIdCodeSystem));

    Pick(page, kIdCodeSystem, 2);
    EXPECT_TRUE(page.OnApply() && dlg->Settings().CodeSystem == 2) << dlg->Settings().CodeSystem;
    page.frame().SetSelection(kIdCodeSystem, -1);
    EXPECT_TRUE(page.OnApply() && dlg->Settings().CodeSystem == -1) << dlg->Settings().CodeSystem;

    EditSettings(*dlg, [&](ImportSettings& s) { s.CodeSystem = 9; });
    CImpOptCodePage again;
    Open(again);
    EXPECT_EQ(again.frame().Selection(kIdCodeSystem), 2) << "clamped to the list";
}

TEST_F(CodePageTest, ValuesAndSeparatorsRoundTrip) {
    EditSettings(*dlg, [&](ImportSettings& s) { s.OnRelief = 9; });
    Open(page);
    EXPECT_EQ(page.frame().Selection(kIdOnRelief), 2);
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
    EXPECT_TRUE(page.frame().IsEnabled(kIdY0) && !page.frame().IsEnabled(kIdZoneNumber));
    EXPECT_EQ(Texts(page, {kIdZoneNumber, kIdY0}), "1 500000");

    Pick(page, kIdYStyle, 2);
    Type(page, kIdZoneNumber, "12");
    Pick(page, kIdYStyle, 0);
    Type(page, kIdX0, "77");
    Pick(page, kIdXStyle, 0);
    Click(page, kIdCheckDel);
    EXPECT_FALSE(page.frame().IsEnabled(kIdY0) || page.frame().IsEnabled(kIdX0));
    EXPECT_TRUE(page.modified());
    ASSERT_TRUE(page.OnApply());
    const ImportSettings& s = dlg->Settings();
    EXPECT_EQ(std::vector({s.YStyle, s.NZone, s.XStyle, s.CheckDel}), std::vector({0, 1, 0, 1}));
    EXPECT_EQ(std::pair(s.Y0, s.X0), std::pair(0.0, 0.0));
}

TEST_F(CommonPageTest, OpeningClampsWhatItShows) {
    dlg->SetSettings({.CheckDel = 5,
                      .XStyle = 7,
                      .X0 = std::numeric_limits<double>::quiet_NaN(),
                      .YStyle = -3,
                      .Zone = 4});
    Open(page);
    ui::Frame& f = page.frame();
    EXPECT_EQ(std::vector({f.Checked(kIdCheckDel), f.Selection(kIdXStyle), f.Selection(kIdYStyle),
                           f.Selection(kIdZoneType)}),
              std::vector({1, 1, 0, 1}));
    EXPECT_EQ(f.Text(kIdX0), "0");

    dlg->SetSettings({.XStyle = 1, .X0 = 4e7, .YStyle = 2, .Y0 = -1e12, .NZone = 200});
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
    // Code 3 in word 41 leaves no use for the code word, from the start and while typing.
    EditSettings(*dlg, [&](ImportSettings& e) { e.CodeW41 = "3"; });
    CImpOptLeicaPage again;
    Open(again);
    EXPECT_EQ(again.frame().Checked(kIdFormat16), 1) << "a plain check, not the third state";
    EXPECT_FALSE(again.frame().IsEnabled(kIdCode412));
    Type(again, kIdCodeW41, "31");
    EXPECT_TRUE(again.frame().IsEnabled(kIdCode412));
    Type(again, kIdCodeW41, "3");
    EXPECT_FALSE(again.frame().IsEnabled(kIdCode412));
}

std::string Line(const std::string& field) {
    return "For M5| Adr 00001| PI1   " + field;
}
const std::string kStars(28, '*');

TEST(M5PreviewLine, MarksTheColumnsOrOnlyStars) {
    EXPECT_EQ(M5PreviewLine({1, 14, 15, 13}, 28),
              Line(std::string(14, 'p') + std::string(13, 'c') + "*"));
    EXPECT_EQ(M5PreviewLine({3, 4, 1, 8}, 28), Line("ccppppcc" + std::string(20, '*')))
        << "the name wins where the fields overlap";
    EXPECT_EQ(M5PreviewLine({28, 1, 1, 0}, 28), Line(std::string(27, '*') + "p"));
    EXPECT_EQ(M5PreviewLine({20, 9, 1, 0}, 28), Line(std::string(19, '*') + std::string(9, 'p')));
    // A field reaching column 30 cannot be shown.
    EXPECT_EQ(M5PreviewLine({20, 10, 1, 2}, 28), Line(kStars));
    EXPECT_EQ(M5PreviewLine({1, 2, 2, 28}, 28), Line(kStars));
    // Clamped to the spin ranges first; Rec 500 widths stop at 27.
    EXPECT_EQ(M5PreviewLine({0, 2, 500, -4}, 28), Line("pp" + std::string(26, '*')));
    EXPECT_EQ(M5PreviewLine({1, 28, 1, 0}, 27), Line(std::string(27, 'p') + "*"));
    constexpr int lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    EXPECT_EQ(M5PreviewLine({lo, hi, hi, lo}, 28), Line(std::string(28, 'p')));
    EXPECT_EQ(M5PreviewLine({hi, hi, lo, lo}, 28), Line(kStars));
}

using M5PageTest = PageTest<CImpOptRecM5Page>;
using Rec500PageTest = PageTest<CImpOptRec500Page>;

TEST_F(M5PageTest, PreviewFollowsTypingAndSpinningStaysInItsRange) {
    Open(page);
    EXPECT_EQ(page.frame().Text(kIdPreview), M5PreviewLine({1, 14, 15, 13}, 28));
    Type(page, kIdNameStart, "20");
    Type(page, kIdNameWidth, "10");
    EXPECT_EQ(page.frame().Text(kIdPreview).find_first_of("pc"), std::string::npos);
    EXPECT_TRUE(page.modified());
    page.Spin(kIdNameWidth, -1);
    EXPECT_EQ(page.frame().Text(kIdNameWidth), "9");
    EXPECT_EQ(page.frame().Text(kIdPreview), M5PreviewLine({20, 9, 15, 13}, 28));
    Type(page, kIdCodeStart, "1x");  // half typed: shows as 0, clamped
    EXPECT_EQ(page.frame().Text(kIdPreview), M5PreviewLine({20, 9, 1, 13}, 28));
    // Spinning stays inside the range.
    Type(page, kIdCodeWidth, "28");
    page.Spin(kIdCodeWidth, 1);
    EXPECT_EQ(page.frame().Text(kIdCodeWidth), "28");
    Type(page, kIdNameStart, "junk");
    page.Spin(kIdNameStart, -1);
    EXPECT_EQ(page.frame().Text(kIdNameStart), "1");
    CImpOptRec500Page rec;
    Open(rec);
    rec.Spin(kIdNameWidth, 100);
    EXPECT_EQ(rec.frame().Text(kIdNameWidth), "15");
}

TEST_F(M5PageTest, ColumnsAndHeaderReachTheDialog) {
    Open(page);
    EXPECT_FALSE(page.frame().IsEnabled(kIdHeaderO));
    Type(page, kIdCodeWidth, "3");
    Type(page, kIdNameStart, "2");

    page.OnCommand(kIdStandardHeader);
    ui::Frame& f = page.frame();
    EXPECT_EQ(std::vector(
                  {f.Checked(kIdStandardHeader), f.Checked(kIdHeaderO), f.Checked(kIdHeaderKnown)}),
              std::vector({0, 1, 1}));
    ASSERT_TRUE(page.OnApply());
    const ImportSettings& s = dlg->Settings();
    EXPECT_EQ(std::pair(s.NameStart, s.CodeWidth), std::pair(2, 3));
    EXPECT_EQ(s.StnM5Def * 100 + s.StnM5O * 10 + s.StnM5Known, 11);
    page.OnCommand(kIdStandardHeader);
    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(s.StnM5Def * 100 + s.StnM5O * 10 + s.StnM5Known, 100);
}

TEST_F(Rec500PageTest, EditsItsOwnColumnsAndNotTheHeader) {
    EditSettings(*dlg, [](ImportSettings& s) {
        s.NameStartE = 40;
        s.NameWidthE = 28;
    });
    const ImportSettings& s = dlg->Settings();
    Open(page);
    EXPECT_FALSE(page.frame().IsEnabled(kIdFormatGroup) ||
                 page.frame().IsEnabled(kIdStandardHeader));
    EXPECT_EQ(Texts(page, {kIdNameStart, kIdNameWidth}), "28 27");
    page.OnCommand(kIdStandardHeader);
    EXPECT_EQ(page.frame().Checked(kIdStandardHeader), 1);
    Type(page, kIdCodeWidth, "27");
    Type(page, kIdNameStart, "3");
    Type(page, kIdNameWidth, "4");
    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(std::vector({s.NameStartE, s.NameWidthE, s.CodeWidthE}), std::vector({3, 4, 27}));
    EXPECT_EQ(s.NameStart + s.CodeWidth, 1 + 13) << "the M5 columns are not this page's";
}

}  // namespace
