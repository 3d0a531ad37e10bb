#include <gtest/gtest.h>

#include <string>

#include "import/contracts/zut.h"
#include "readers/leica_gsi_word.h"

namespace gsi = readers::gsi;

namespace {

// Cuts a whole block and returns its words joined by "|"; "!" marks a malformed rest.
std::string Words(std::string_view block, int wide) {
    std::string out;
    int len = gsi::kShortWord;
    std::string_view word;
    for (;;) {
        gsi::Cut c = gsi::NextWord(block, wide, len, word);
        if (c == gsi::Cut::Empty)
            break;
        if (c == gsi::Cut::Malformed) {
            out += "!" + std::string(block);
            break;
        }
        out += std::string(word) + "(" + std::to_string(len) + ")|";
    }
    return out;
}

std::string Format(std::string_view word, int word_len, gsi::Unit* unit = nullptr) {
    gsi::Word w;
    EXPECT_EQ(gsi::ParseWord(word, word_len, w), gsi::Parse::Ok) << word;
    std::string out;
    gsi::Unit u = gsi::FormatValue(w, gsi::IsCoordinateWord(w.index, word_len), out);
    if (unit)
        *unit = u;
    return out;
}

}  // namespace

TEST(GsiCut, WordsFollowedByABlankTakeTheWideLength) {
    EXPECT_EQ(Words("110001+0000P123 21.324+12345678", 15),
              "110001+0000P123(15)|21.324+12345678(15)|");
    // The character after a word goes with it whatever it is.
    EXPECT_EQ(Words("110001+0000P123x21.324+12345678 31..00+00012345", 15),
              "110001+0000P123(15)|21.324+12345678(15)|31..00+00012345(15)|");
    // The last word decides its own length.
    EXPECT_EQ(Words("110001+000000000000P123", 15), "110001+000000000000P123(23)|");
    EXPECT_EQ(Words("21.324+0000000012345678 110001+0000P123", 23),
              "21.324+0000000012345678(23)|110001+0000P123(15)|");
}

TEST(GsiCut, MalformedRestsAreLeftForTheMessage) {
    EXPECT_EQ(Words("110001+0000P12", 15), "!110001+0000P12");
    EXPECT_EQ(Words("110001+0000P123 21.324+1234567", 15), "110001+0000P123(15)|!21.324+1234567");
    EXPECT_EQ(Words("short text", 15), "!short text");
    // A 16-digit block cut as 8-digit words loses its alignment.
    EXPECT_EQ(Words("110001+000000000000P123 21.324+0000000012345678", 15),
              "110001+00000000(15)|000P123 21.324+(15)|000000012345678(15)|");
}

TEST(GsiIndex, TwoDigitsFromOneTo99) {
    long i = -7;
    EXPECT_TRUE(gsi::WordIndex("11", i));
    EXPECT_EQ(i, 11);
    EXPECT_TRUE(gsi::WordIndex("99x", i));
    EXPECT_EQ(i, 99);
    EXPECT_FALSE(gsi::WordIndex("00", i));
    EXPECT_EQ(i, 0);
    EXPECT_FALSE(gsi::WordIndex("1a", i));
    EXPECT_EQ(i, 1);
    // A sign is no digit: a negative partial value would look like a block item.
    EXPECT_FALSE(gsi::WordIndex("-1", i));
    EXPECT_EQ(i, 0);
    EXPECT_FALSE(gsi::WordIndex("", i));
    EXPECT_FALSE(gsi::WordIndex("7", i));
    EXPECT_EQ(i, 7);
}

TEST(GsiFormat, DistanceUnitsAndDecimals) {
    gsi::Unit u;
    EXPECT_EQ(Format("31..00+00012345", 15, &u), "00012.345");
    EXPECT_FALSE(u.angle);
    EXPECT_EQ(u.code, zut::du_metre);
    EXPECT_EQ(Format("31..09+00012345", 15), "00012.345");
    EXPECT_EQ(Format("31..0.+00012345", 15), "00012.345");
    EXPECT_EQ(Format("31..01+00012345", 15, &u), "00012.345");
    EXPECT_EQ(u.code, zut::du_foot);
    EXPECT_EQ(Format("31..06+00012345", 15, &u), "0001.2345");
    EXPECT_EQ(u.code, zut::du_metre);
    EXPECT_EQ(Format("31..07+00012345", 15, &u), "00012.345");
    EXPECT_EQ(u.code, zut::du_foot);
    EXPECT_EQ(Format("31..08+00012345", 15), "000.12345");
    EXPECT_EQ(Format("33..00-00012345", 15), "-00012.345");
    // Data that already holds a point keeps it.
    EXPECT_EQ(Format("31..00+0012.345", 15), "0012.345");
}

TEST(GsiFormat, CoordinatesOfLongWordsKeepTwelveDigits) {
    EXPECT_EQ(Format("81..00+0000123456789012", 23), "123456789.012");
    EXPECT_EQ(Format("82..06+0000123456789012", 23), "12345678.9012");
    EXPECT_EQ(Format("83..08+0000123456789012", 23), "1234567.89012");
    EXPECT_EQ(Format("84..01-0000123456789012", 23), "-123456789.012");
    // Other long words keep their last 8 characters.
    EXPECT_EQ(Format("31..00+0000000000012345", 23), "00012.345");
    // Coordinates of short words are plain distances.
    EXPECT_EQ(Format("81..00+00515836", 15), "00515.836");
}

TEST(GsiFormat, AngleUnits) {
    gsi::Unit u;
    EXPECT_EQ(Format("21.322+03496940", 15, &u), "034.96940");
    EXPECT_TRUE(u.angle);
    EXPECT_EQ(u.code, zut::au_gon);
    EXPECT_EQ(Format("21.323+12345678", 15, &u), "123.45678");
    EXPECT_EQ(u.code, zut::au_degree);
    EXPECT_EQ(Format("21.324+12345678", 15, &u), "123 45 67.8");
    EXPECT_EQ(u.code, zut::au_dms);
    EXPECT_EQ(Format("22.324-12345278", 15), "-123 45 27.8");
    EXPECT_EQ(Format("21.325+12345678", 15, &u), "1234.5678");
    EXPECT_EQ(u.code, zut::au_mil);
    // Angles get their point even when the data has one; mils do not.
    EXPECT_EQ(Format("21.322+0349.694", 15), "034.9.694");
    EXPECT_EQ(Format("21.325+0349.694", 15), "0349.694");
}
