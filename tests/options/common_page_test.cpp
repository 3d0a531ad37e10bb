#include <limits>

#include "import/options_common_page.h"
#include "options_fixture.h"

namespace {

class CommonPageTest : public OptionsTest {
  protected:
    void OpenZoned(int zone_type) {
        UseZonedSettings(zone_type);
        Open(page);
    }
    CImpOptCommonPage page;
};

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
    EXPECT_EQ(dlg->Settings().YStyle, 0);
    EXPECT_EQ(dlg->Settings().NZone, 1);
    EXPECT_EQ(dlg->Settings().Y0, 0.0);
    EXPECT_EQ(dlg->Settings().XStyle, 0);
    EXPECT_EQ(dlg->Settings().X0, 0.0);
    EXPECT_EQ(dlg->Settings().CheckDel, 1);
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
    EXPECT_EQ(page.frame().Checked(kIdCheckDel), 1);
    EXPECT_EQ(page.frame().Selection(kIdXStyle), 1);
    EXPECT_EQ(page.frame().Text(kIdX0), "0");
    EXPECT_EQ(page.frame().Selection(kIdYStyle), 0);
    EXPECT_EQ(page.frame().Selection(kIdZoneType), 1);

    s = {};
    s.XStyle = 1;
    s.X0 = 4e7;
    s.YStyle = 2;
    s.Y0 = -1e12;
    s.NZone = 200;
    dlg->SetSettings(s);
    CImpOptCommonPage again;
    Open(again);
    EXPECT_EQ(again.frame().Text(kIdX0), "10002300");
    EXPECT_EQ(again.frame().Text(kIdY0), "-650000");
    EXPECT_EQ(again.frame().Text(kIdZoneNumber), "60");
    EXPECT_TRUE(again.OnApply()) << "what the page shows must pass its own checks";
}

TEST(EditNumbers, RealTextReadsBack) {
    for (double v : {0.0, 500000.0, 650000.5, 0.1, -10002300.0, 1e300, 5e-324})
        EXPECT_EQ(ParseReal(RealText(v)), v) << RealText(v);
    EXPECT_EQ(RealText(-0.25), "-0.25");
}

}  // namespace
