// zut::pstring word operations and zut::d_val / l_val / sz_empty.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "import/contracts/zut.h"

using zut::pstring;

namespace {

TEST(ZutPstring, TrimRemovesTheCharacterAtBothEnds) {
    pstring s("  ab c  ");
    EXPECT_EQ(s.trim(), "ab c");
    pstring z("00120");
    EXPECT_EQ(z.trim('0'), "12");
    pstring blank("    ");
    EXPECT_EQ(blank.trim(), "");
    pstring empty;
    EXPECT_EQ(empty.trim(), "");
    pstring inner("a  b");
    EXPECT_EQ(inner.trim(), "a  b");
}

TEST(ZutPstring, TrimReturnsTheStringItself) {
    pstring s(" x ");
    EXPECT_EQ(&s.trim(), &s);
}

TEST(ZutPstring, UpperCaseTouchesOnlyAsciiLetters) {
    pstring s("abc Xyz-9\xe0");
    s.upper_case();
    EXPECT_EQ(s, "ABC XYZ-9\xe0");
}

TEST(ZutPstring, CutWordByBlanks) {
    pstring s("  STN1   12.5 abc");
    EXPECT_EQ(s.cut_word(), "STN1");
    EXPECT_EQ(s, "12.5 abc");
    EXPECT_EQ(s.cut_word(), "12.5");
    EXPECT_EQ(s.cut_word(), "abc");
    EXPECT_EQ(s, "");
    EXPECT_EQ(s.cut_word(), "");
    EXPECT_EQ(s, "");
}

TEST(ZutPstring, CutWordByBlanksOnShortText) {
    pstring one("x");
    EXPECT_EQ(one.cut_word(), "x");
    EXPECT_TRUE(one.empty());
    pstring blank("   ");
    EXPECT_EQ(blank.cut_word(), "");
    EXPECT_TRUE(blank.empty());
    pstring tab("a\tb");
    EXPECT_EQ(tab.cut_word(), "a");
    EXPECT_EQ(tab, "b");
}

TEST(ZutPstring, CutWordByLength) {
    pstring s("ABCDEFG");
    EXPECT_EQ(s.cut_word(3), "ABC");
    EXPECT_EQ(s, "DEFG");
    EXPECT_EQ(s.cut_word(0), "");
    EXPECT_EQ(s, "DEFG");
}

TEST(ZutPstring, CutWordByLengthOnShortText) {
    pstring s("AB");
    EXPECT_EQ(s.cut_word(10), "AB");
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.cut_word(4), "");
    pstring keep(" A ");
    EXPECT_EQ(keep.cut_word(2), " A");  // no trimming
    EXPECT_EQ(keep, " ");
}

TEST(ZutPstring, GetWordClips) {
    const pstring s("ABCDEF");
    EXPECT_EQ(s.get_word(0, 3), "ABC");
    EXPECT_EQ(s.get_word(4, 10), "EF");
    EXPECT_EQ(s.get_word(6, 1), "");
    EXPECT_EQ(s.get_word(100, 2), "");
    EXPECT_EQ(s.get_word(2, 0), "");
    EXPECT_EQ(s, "ABCDEF");
}

// --- d_val / l_val / sz_empty ---

TEST(ZutNumbers, DValReadsPlainNumbers) {
    double v = 0;
    const char* end = nullptr;
    const char* t = "  -12.75  ";
    EXPECT_EQ(zut::d_val(t, v, &end, -100, 100), 0);
    EXPECT_DOUBLE_EQ(v, -12.75);
    EXPECT_EQ(end, t + std::strlen(t));
    EXPECT_EQ(zut::d_val("+3", v, nullptr, -100, 100), 0);
    EXPECT_DOUBLE_EQ(v, 3);
    EXPECT_EQ(zut::d_val("1.5e2", v, nullptr, -1000, 1000), 0);
    EXPECT_DOUBLE_EQ(v, 150);
    EXPECT_EQ(zut::d_val(".5", v, nullptr, -1, 1), 0);
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_EQ(zut::d_val("7.", v, nullptr, -10, 10), 0);
    EXPECT_DOUBLE_EQ(v, 7);
    EXPECT_EQ(zut::d_val("12\r\n", v, nullptr, -100, 100), 0);
    EXPECT_DOUBLE_EQ(v, 12);
}

TEST(ZutNumbers, DValInvalidCharacterMarksIt) {
    double v = 42;
    const char* end = nullptr;
    const char* t = "12.5x7";
    EXPECT_EQ(zut::d_val(t, v, &end, -100, 100), 5);
    EXPECT_EQ(end, t + 4);
    EXPECT_DOUBLE_EQ(v, 42);  // unchanged

    const char* two = "12 5";
    EXPECT_EQ(zut::d_val(two, v, &end, -100, 100), 5);
    EXPECT_EQ(end, two + 3);

    const char* letters = " abc";
    EXPECT_EQ(zut::d_val(letters, v, &end, -100, 100), 5);
    EXPECT_EQ(end, letters + 1);

    const char* exp = "1e";
    EXPECT_EQ(zut::d_val(exp, v, &end, -100, 100), 5);
    EXPECT_EQ(end, exp + 1);

    const char* sign = "-";
    EXPECT_EQ(zut::d_val(sign, v, &end, -100, 100), 5);
    EXPECT_EQ(end, sign + 1);

    const char* trailing = "12.5-";  // d_val takes no trailing sign
    EXPECT_EQ(zut::d_val(trailing, v, &end, -100, 100), 5);
    EXPECT_EQ(end, trailing + 4);
}

TEST(ZutNumbers, DValEmptyOrBlankIsInvalidAtTheEnd) {
    double v = 0;
    const char* end = nullptr;
    const char* empty = "";
    EXPECT_EQ(zut::d_val(empty, v, &end, -1, 1), 5);
    EXPECT_EQ(end, empty);
    const char* blank = "   ";
    EXPECT_EQ(zut::d_val(blank, v, &end, -1, 1), 5);
    EXPECT_EQ(end, blank + 3);
    EXPECT_EQ(zut::d_val(nullptr, v, &end, -1, 1), 5);
}

TEST(ZutNumbers, DValBoundsAreInclusive) {
    double v = 0;
    EXPECT_EQ(zut::d_val("100", v, nullptr, -100, 100), 0);
    EXPECT_EQ(zut::d_val("-100", v, nullptr, -100, 100), 0);
    EXPECT_EQ(zut::d_val("100.001", v, nullptr, -100, 100), 7);
    EXPECT_DOUBLE_EQ(v, 100.001);
    EXPECT_EQ(zut::d_val("-100.001", v, nullptr, -100, 100), 7);
    const double big = 3.4028234663852886e38;
    EXPECT_EQ(zut::d_val("3.4028234663852886e38", v, nullptr, -big, big), 0);
    EXPECT_EQ(zut::d_val("1e39", v, nullptr, -big, big), 7);
    EXPECT_EQ(zut::d_val("1e999", v, nullptr, -big, big), 7);
    EXPECT_TRUE(std::isinf(v));
    EXPECT_EQ(zut::d_val("1e-999", v, nullptr, -1, 1), 0);
    EXPECT_EQ(v, 0);
}

TEST(ZutNumbers, LVal) {
    long v = 0;
    const char* end = nullptr;
    EXPECT_EQ(zut::l_val(" -42 ", v, &end, -100, 100), 0);
    EXPECT_EQ(v, -42);
    EXPECT_EQ(zut::l_val("+7", v, nullptr, -100, 100), 0);
    EXPECT_EQ(v, 7);
    const char* dec = "12.5";
    EXPECT_EQ(zut::l_val(dec, v, &end, -100, 100), 5);
    EXPECT_EQ(end, dec + 2);
    const char* blank = "  ";
    EXPECT_EQ(zut::l_val(blank, v, &end, -100, 100), 5);
    EXPECT_EQ(end, blank + 2);
    EXPECT_EQ(zut::l_val("100", v, nullptr, -100, 100), 0);
    EXPECT_EQ(zut::l_val("101", v, nullptr, -100, 100), 7);
    EXPECT_EQ(zut::l_val("-101", v, nullptr, -100, 100), 7);
    EXPECT_EQ(zut::l_val("99999999999999999999999", v, nullptr, std::numeric_limits<long>::min(),
                         std::numeric_limits<long>::max()),
              7);
}

TEST(ZutNumbers, SzEmpty) {
    EXPECT_TRUE(zut::sz_empty(nullptr));
    EXPECT_TRUE(zut::sz_empty(""));
    EXPECT_TRUE(zut::sz_empty(" \t\r\n"));
    EXPECT_FALSE(zut::sz_empty(" 0 "));
}

}  // namespace
