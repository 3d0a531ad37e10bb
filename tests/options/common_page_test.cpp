#include <limits>

#include "import/options_common_page.h"
#include "options_fixture.h"

namespace {

const std::string kBadZone = "Неверный номер зоны...";
const std::string kBadEo = "Неверное значение Eo...";
const std::string kBadNo = "Неверное значение No...";

class CommonPageTest : public OptionsTest {
  protected:
    // Zone-numbered eastings and offset northings: every check of the page is live.
    void OpenZoned(int zone_type) {
        dlg->settings.XStyle = 1;
        dlg->settings.YStyle = 2;
        dlg->settings.Zone = zone_type;
        dlg->settings.NZone = 7;
        dlg->settings.Y0 = 500000;
        Open(page);
    }
    CImpOptCommonPage page;
};

TEST_F(CommonPageTest, ZoneNumberLimitDependsOnZoneType) {
    OpenZoned(1);
    Type(page, kIdZoneNumber, "120");
    EXPECT_TRUE(page.OnKillActive());
    Type(page, kIdZoneNumber, "121");
    EXPECT_FALSE(page.OnKillActive());
    EXPECT_EQ(page.frame().Focus(), kIdZoneNumber);

    Pick(page, kIdZoneType, 0);
    Type(page, kIdZoneNumber, "60");
    EXPECT_TRUE(page.OnApply());
    EXPECT_EQ(dlg->settings.NZone, 60);
    EXPECT_EQ(dlg->settings.Zone, 0);
    for (const char* bad : {"61", "0"}) {
        Type(page, kIdZoneNumber, bad);
        EXPECT_FALSE(page.OnApply()) << bad;
    }
    EXPECT_EQ(Messages(), std::vector<std::string>(3, kBadZone));
    EXPECT_EQ(dlg->settings.NZone, 60) << "a refused apply must not reach the dialog";
}

TEST_F(CommonPageTest, OffsetBoundsAreInclusiveAndChecksRunInOrder) {
    OpenZoned(0);
    for (const char* ok : {"650000", "-650000", " 650000 ", "6.5e5"}) {
        Type(page, kIdY0, ok);
        EXPECT_TRUE(page.OnApply()) << ok;
    }
    Type(page, kIdX0, "-10002300");
    EXPECT_TRUE(page.OnApply());
    EXPECT_TRUE(prompter->shown.empty());

    Type(page, kIdZoneNumber, "99");
    Type(page, kIdY0, "650000.5");
    Type(page, kIdX0, "-10002300.01");
    EXPECT_FALSE(page.OnKillActive());
    Type(page, kIdZoneNumber, "5");
    EXPECT_FALSE(page.OnKillActive());
    EXPECT_EQ(page.SelectedTextControl(), kIdY0);
    Type(page, kIdY0, "0");
    EXPECT_FALSE(page.OnKillActive());
    EXPECT_EQ(page.frame().Focus(), kIdX0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{kBadZone, kBadEo, kBadNo}));
    EXPECT_DOUBLE_EQ(dlg->settings.Y0, 650000.0);
}

TEST_F(CommonPageTest, TextThatIsNotANumberIsRefused) {
    OpenZoned(1);
    for (const char* bad : {"nan", "inf", "-inf", "12x", "1e999", "", "1,5"}) {
        prompter->shown.clear();
        Type(page, kIdY0, bad);
        EXPECT_FALSE(page.OnApply()) << bad;
        ASSERT_EQ(prompter->shown.size(), 1u) << bad;
        EXPECT_NE(prompter->shown[0].text, kBadEo) << "not a range problem: " << bad;
        EXPECT_EQ(page.frame().Focus(), kIdY0);
    }
    Type(page, kIdY0, "0");
    Type(page, kIdZoneNumber, "7.5");
    EXPECT_FALSE(page.OnApply());
    Type(page, kIdZoneNumber,
         std::string("7\0"
                     "9",
                     3));
    EXPECT_FALSE(page.OnApply()) << "an embedded NUL must not hide trailing text";
    EXPECT_EQ(page.frame().Focus(), kIdZoneNumber);
}

TEST_F(CommonPageTest, StylesEnableTheirEditsAndResetTheOthers) {
    OpenZoned(0);
    EXPECT_TRUE(page.frame().IsEnabled(kIdX0));
    Type(page, kIdZoneNumber, "12");
    Pick(page, kIdYStyle, 1);
    EXPECT_TRUE(page.frame().IsEnabled(kIdY0));
    EXPECT_FALSE(page.frame().IsEnabled(kIdZoneNumber));
    EXPECT_EQ(page.frame().Text(kIdZoneNumber), "1");
    EXPECT_EQ(page.frame().Text(kIdY0), "500000");

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
    EXPECT_EQ(dlg->settings.YStyle, 0);
    EXPECT_EQ(dlg->settings.NZone, 1);
    EXPECT_EQ(dlg->settings.Y0, 0.0);
    EXPECT_EQ(dlg->settings.XStyle, 0);
    EXPECT_EQ(dlg->settings.X0, 0.0);
    EXPECT_EQ(dlg->settings.CheckDel, 1);
}

TEST_F(CommonPageTest, OpeningClampsWhatItShows) {
    ImportSettings& s = dlg->settings;
    s.CheckDel = 5;
    s.XStyle = 7;
    s.X0 = std::numeric_limits<double>::quiet_NaN();
    s.YStyle = -3;
    s.Zone = 4;
    Open(page);
    EXPECT_EQ(page.frame().Checked(kIdCheckDel), 1);
    EXPECT_EQ(page.frame().Selection(kIdXStyle), 1);
    EXPECT_EQ(page.frame().Text(kIdX0), "0");
    EXPECT_EQ(page.frame().Selection(kIdYStyle), 0);
    EXPECT_EQ(page.frame().Selection(kIdZoneType), 1);
    EXPECT_EQ(page.TipId(kIdX0), 9104u);
    EXPECT_EQ(page.TipId(12345), 0u);

    s = {};
    s.XStyle = 1;
    s.X0 = 4e7;
    s.YStyle = 2;
    s.Y0 = -1e12;
    s.NZone = 200;
    CImpOptCommonPage again;
    Open(again);
    EXPECT_EQ(again.frame().Text(kIdX0), "10002300");
    EXPECT_EQ(again.frame().Text(kIdY0), "-650000");
    EXPECT_EQ(again.frame().Text(kIdZoneNumber), "60");
    EXPECT_TRUE(again.OnApply()) << "what the page shows must pass its own checks";
}

TEST(EditNumbers, RealTextReadsBackAndParsingIsStrict) {
    for (double v : {0.0, 500000.0, 650000.5, 0.1, -10002300.0, 1e300, 5e-324})
        EXPECT_EQ(ParseReal(RealText(v)), v) << RealText(v);
    EXPECT_EQ(RealText(-0.25), "-0.25");
    EXPECT_EQ(ParseWhole(" 42 "), 42);
    for (const char* bad : {"", "4 2", "42x", "2147483648", "1e3", "4.0"})
        EXPECT_FALSE(ParseWhole(bad).has_value()) << bad;
    for (const char* bad : {"NaN", "INF", "infinity", "1e400", "--1", "1e", "."})
        EXPECT_FALSE(ParseReal(bad).has_value()) << bad;
}

}  // namespace
