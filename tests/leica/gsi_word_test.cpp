// Word indices and value texts; cutting lines into words is pinned through the reader.
#include <gtest/gtest.h>

#include <string>

#include "readers/leica/leica_gsi_word.h"

namespace gsi = readers::gsi;

TEST(GsiIndex, TwoDigitsFromOneTo99) {
    // A sign is no digit: a negative partial value would look like a block item.
    const struct {
        std::string_view text;
        bool ok;
        long index;
    } kCases[] = {{"11", true, 11}, {"99x", true, 99}, {"00", false, 0}, {"1a", false, 1},
                  {"-1", false, 0}, {"", false, 0},    {"7", false, 7}};
    for (const auto& c : kCases) {
        long i = -7;
        EXPECT_EQ(gsi::WordIndex(c.text, i), c.ok) << c.text;
        EXPECT_EQ(i, c.index) << c.text;
    }
}

TEST(GsiFormat, ValueTexts) {
    // Unit codes and their conversions are pinned by the reader's value tests.
    const struct {
        std::string_view word;
        std::string text;
    } kCases[] = {
        {"31..09+00012345", "00012.345"},
        {"31..0.+00012345", "00012.345"},
        {"31..07+00012345", "00012.345"},
        // Distance data that already holds a point keeps it.
        {"31..00+0012.345", "0012.345"},
        // Angles get their point even when the data has one; mils do not.
        {"21.322+0349.694", "034.9.694"},
        {"21.325+0349.694", "0349.694"},
        // Coordinates of long words keep twelve digits, other long words their last 8.
        {"82..06+0000123456789012", "12345678.9012"},
        {"83..08+0000123456789012", "1234567.89012"},
        {"84..01-0000123456789012", "-123456789.012"},
        {"31..00+0000000000012345", "00012.345"},
    };
    for (const auto& c : kCases) {
        const int len = static_cast<int>(c.word.size());
        gsi::Word w;
        ASSERT_EQ(gsi::ParseWord(c.word, len, w), gsi::Parse::Ok) << c.word;
        std::string out;
        gsi::Unit u = gsi::FormatValue(w, gsi::IsCoordinateWord(w.index, len), out);
        EXPECT_EQ(out, c.text) << c.word;
        EXPECT_EQ(u.angle, w.index == 21 || w.index == 22) << c.word;
    }
}
