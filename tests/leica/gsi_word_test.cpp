// Word indices and value texts; cutting lines into words is pinned through the reader.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "readers/leica/leica_gsi_word.h"

namespace gsi = readers::gsi;

TEST(GsiIndex, TwoDigitsFromOneTo99) {
    // A sign is no digit: a negative partial value would look like a block item.
    const std::tuple<std::string_view, bool, long> cases[] = {
        {"11", true, 11}, {"99x", true, 99}, {"00", false, 0}, {"1a", false, 1},
        {"-1", false, 0}, {"", false, 0},    {"7", false, 7}};
    for (auto [text, ok, index] : cases) {
        long i = -7;
        EXPECT_EQ((std::pair{gsi::WordIndex(text, i), i}), std::pair(ok, index)) << text;
    }
}

TEST(GsiFormat, ValueTexts) {
    // Unit codes and their conversions are pinned by the reader's value tests.
    const std::pair<std::string_view, std::string> cases[] = {
        // word, value text
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
    for (const auto& [word, text] : cases) {
        const int len = static_cast<int>(word.size());
        gsi::Word w;
        ASSERT_EQ(gsi::ParseWord(word, len, w), gsi::Parse::Ok) << word;
        std::string out;
        gsi::Unit u = gsi::FormatValue(w, gsi::IsCoordinateWord(w.index, len), out);
        EXPECT_EQ(out, text) << word;
        EXPECT_EQ(u.angle, w.index == 21 || w.index == 22) << word;
    }
}
