#include <limits>

#include "import/options_m5_page.h"
#include "options_fixture.h"
#include "support/settings_edit.h"

namespace {

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

class M5PageTest : public OptionsTest {};

TEST_F(M5PageTest, PreviewFollowsTypingAndSpinningStaysInItsRange) {
    CImpOptRecM5Page page;
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
    EXPECT_EQ(page.SpinRange(kIdNameStart), (std::pair{1, 28}));
    EXPECT_EQ(page.SpinRange(kIdCodeWidth), (std::pair{0, 28}));
    Type(page, kIdCodeWidth, "28");
    page.Spin(kIdCodeWidth, 1);
    EXPECT_EQ(page.frame().Text(kIdCodeWidth), "28");
    Type(page, kIdNameStart, "junk");
    page.Spin(kIdNameStart, -1);
    EXPECT_EQ(page.frame().Text(kIdNameStart), "1");
    CImpOptRec500Page rec;
    Open(rec);
    EXPECT_EQ(rec.SpinRange(kIdNameWidth), (std::pair{0, 27}));
    rec.Spin(kIdNameWidth, 100);
    EXPECT_EQ(rec.frame().Text(kIdNameWidth), "15");
}

TEST_F(M5PageTest, ColumnsAndHeaderReachTheDialog) {
    CImpOptRecM5Page page;
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

TEST_F(M5PageTest, Rec500PageEditsItsOwnColumnsAndNotTheHeader) {
    testing_support::EditSettings(*dlg, [](ImportSettings& s) {
        s.NameStartE = 40;
        s.NameWidthE = 28;
    });
    const ImportSettings& s = dlg->Settings();
    CImpOptRec500Page page;
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
