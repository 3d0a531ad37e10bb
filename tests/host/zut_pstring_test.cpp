// zut::pstring word operations and zut::d_val / l_val / sz_empty.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "import/contracts/zut.h"

using zut::pstring;

namespace {

TEST(ZutPstring, TrimAndUpperCase) {
    const std::tuple<const char*, char, const char*> rows[] = {{"  ab c  ", ' ', "ab c"},
                                                               {"00120", '0', "12"},
                                                               {"    ", ' ', ""},
                                                               {"", ' ', ""},
                                                               {"a  b", ' ', "a  b"}};
    for (auto [text, ch, expected] : rows) {
        pstring s(text);
        EXPECT_EQ(&s.trim(ch), &s) << text;
        EXPECT_EQ(s, expected) << text;
    }
    pstring s("abc Xyz-9\xe0");
    s.upper_case();
    EXPECT_EQ(s, "ABC XYZ-9\xe0");  // only ASCII letters
}

TEST(ZutPstring, CutWordTakesWordsOffTheFront) {
    pstring s("  STN1   12.5\tabc");
    EXPECT_EQ(s.cut_word(), "STN1");
    EXPECT_EQ(s, "12.5\tabc");
    EXPECT_EQ(s.cut_word(), "12.5");
    EXPECT_EQ(s.cut_word(), "abc");
    EXPECT_EQ(s, "");
    EXPECT_EQ(s.cut_word(), "");
    pstring blank("   ");
    EXPECT_EQ(blank.cut_word(), "");
    EXPECT_TRUE(blank.empty());

    pstring fixed(" ABCDEFG");
    EXPECT_EQ(fixed.cut_word(3), " AB");  // by length: no trimming
    EXPECT_EQ(fixed, "CDEFG");
    EXPECT_EQ(fixed.cut_word(0), "");
    EXPECT_EQ(fixed.cut_word(10), "CDEFG");
    EXPECT_TRUE(fixed.empty());
    EXPECT_EQ(fixed.cut_word(4), "");
}

TEST(ZutPstring, GetWordClips) {
    const pstring s("ABCDEF");
    const std::tuple<int, int, const char*> rows[] = {
        {0, 3, "ABC"}, {4, 10, "EF"}, {6, 1, ""}, {100, 2, ""}, {2, 0, ""}};
    for (auto [at, length, word] : rows)
        EXPECT_EQ(s.get_word(at, length), word) << at << " " << length;
}

TEST(ZutNumbers, DValAndLVal) {
    struct Row {
        const char* text;
        double lo, hi;
        int rc;
        double value = 0;  // when rc is 0
        int bad = 0;       // offset of the end pointer: the invalid character, or the text's end
    };
    const double big = 3.4028234663852886e38;
    const std::vector<Row> reals = {
        {"  -12.75  ", -100, 100, 0, -12.75, 10},
        {"+3", -100, 100, 0, 3, 2},
        {"1.5e2", -1000, 1000, 0, 150, 5},
        {".5", -1, 1, 0, 0.5, 2},
        {"7.", -10, 10, 0, 7, 2},
        {"12\r\n", -100, 100, 0, 12, 4},
        {"1e-999", -1, 1, 0, 0, 6},
        {"12.5x7", -100, 100, 5, 0, 4},
        {"12 5", -100, 100, 5, 0, 3},
        {" abc", -100, 100, 5, 0, 1},
        {"1e", -100, 100, 5, 0, 1},
        {"-", -100, 100, 5, 0, 1},
        {"12.5-", -100, 100, 5, 0, 4},  // no trailing sign here
        {"", -1, 1, 5, 0, 0},
        {"   ", -1, 1, 5, 0, 3},
        {"100", -100, 100, 0, 100, 3},
        {"-100", -100, 100, 0, -100, 4},
        {"100.001", -100, 100, 7},
        {"-100.001", -100, 100, 7},
        {"3.4028234663852886e38", -big, big, 0, big, 21},
        {"1e39", -big, big, 7},
        {"1e999", -big, big, 7},
        // Exponents at the ends of the integer range.
        {"99999e9223372036854775807", -big, big, 7},
        {"0.00001e-9223372036854775808", -1, 1, 0, 0, 28},
    };
    const std::vector<Row> integers = {
        {" -42 ", -100, 100, 0, -42, 5}, {"+7", -100, 100, 0, 7, 2},
        {"12.5", -100, 100, 5, 0, 2},    {"  ", -100, 100, 5, 0, 2},
        {"100", -100, 100, 0, 100, 3},   {"101", -100, 100, 7},
        {"-101", -100, 100, 7},
    };
    using Reader = int (*)(const char*, double&, const char**, double, double);
    const Reader real = [](const char* text, double& v, const char** end, double lo, double hi) {
        return zut::d_val(text, v, end, lo, hi);
    };
    const Reader integer = [](const char* text, double& v, const char** end, double lo, double hi) {
        long n = 42;
        const int rc = zut::l_val(text, n, end, static_cast<long>(lo), static_cast<long>(hi));
        v = static_cast<double>(n);
        return rc;
    };
    for (const auto& [read, rows] : {std::pair{real, reals}, std::pair{integer, integers}}) {
        for (const Row& row : rows) {
            double v = 42;
            const char* end = nullptr;
            ASSERT_EQ(read(row.text, v, &end, row.lo, row.hi), row.rc) << row.text;
            if (row.rc == 0) {
                EXPECT_EQ(v, row.value) << row.text;
            }
            if (row.rc == 5) {
                EXPECT_EQ(v, 42) << row.text;  // unchanged
            }
            if (row.rc != 7) {
                EXPECT_EQ(end - row.text, row.bad) << row.text;
            }
        }
    }
    double v = 0;
    EXPECT_EQ(zut::d_val(nullptr, v, nullptr, -1, 1), 5);
    long n = 0;
    EXPECT_EQ(zut::l_val("99999999999999999999999", n, nullptr, std::numeric_limits<long>::min(),
                         std::numeric_limits<long>::max()),
              7);
}

TEST(ZutNumbers, SzEmpty) {
    for (const char* blank : {static_cast<const char*>(nullptr), "", " \t\r\n"})
        EXPECT_TRUE(zut::sz_empty(blank));
    EXPECT_FALSE(zut::sz_empty(" 0 "));
}

}  // namespace

// Short decimals are read by a quicker way than the general one: the doubles must be the same.
TEST(Numbers, ShortDecimalsReadAsTheGeneralReaderReadsThem) {
    std::mt19937_64 random(11);
    for (int i = 0; i < 100000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 17);
        std::string text;
        for (int d = 0; d < digits; ++d) text += static_cast<char>('0' + random() % 10);
        if (random() % 4)
            text.insert(random() % (text.size() + 1), ".");
        double general = 0, quick = 0;
        std::from_chars(text.data(), text.data() + text.size(), general);
        ASSERT_EQ(zut::d_val(text.c_str(), quick, nullptr, -1e300, 1e300), text == "." ? 5 : 0)
            << text;
        if (text != ".") {
            ASSERT_EQ(quick, general) << text;
        }
    }
}
