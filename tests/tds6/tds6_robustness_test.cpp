#include <random>

#include "readers/tds6_reader.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;

namespace {

// Words built from the characters the reader reacts to, mixed with raw bytes.
std::string PlausibleJunk(std::mt19937& rng, size_t words) {
    static const char kAlphabet[] = "'()*, +xyzU/?R<DAEW\\0123456789-+'''MFGD*\x02\x03\x04\r\n _";
    std::uniform_int_distribution<size_t> pick(0, sizeof kAlphabet - 2);
    std::uniform_int_distribution<int> length(0, 60), byte(0, 255), coin(0, 19);
    std::string out;
    for (size_t i = 0; i < words; ++i) {
        const int n = length(rng);
        for (int k = 0; k < n; ++k)
            out += coin(rng) == 0 ? static_cast<char>(byte(rng)) : kAlphabet[pick(rng)];
        if (coin(rng) != 0)
            out += '_';
    }
    return out;
}

std::string RandomBytes(std::mt19937& rng, size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string out(size, '\0');
    for (char& c : out) c = static_cast<char>(byte(rng));
    // A word far longer than the read limit, and runs of line ends and NULs.
    out.insert(size / 3, "+" + std::string(5000, 'P'));
    out.insert(size / 2, std::string(300, '\r'));
    out.insert(size / 4, std::string(300, '\0'));
    return out;
}

}  // namespace

TEST(Tds6Robustness, ArbitraryBytesEndTheRun) {
    std::mt19937 rng(7771);
    ReaderHarness h;
    std::string raw_bytes = RandomBytes(rng, 64 * 1024);
    // No end of transmission, so the whole file is read.
    for (char& c : raw_bytes)
        if (c == '\x04')
            c = 'x';
    const std::string raw = h.Write("raw.txt", raw_bytes);
    const std::string junk = h.Write("junk.txt", PlausibleJunk(rng, 5000));
    const std::string good = h.Write("good.txt", "+P1 U000010000000020000000030000M");
    h.Run<CImpTDS6>({raw, junk, good});
    // The run went through every file: the last one is built.
    ASSERT_NE(h.project.FindPoint("P1"), nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(h.project.FindPoint("P1")->h), 30.0);
}

TEST(Tds6Robustness, LongWordsAreCutAtTheReadLimit) {
    ReaderHarness h;
    // 1023 characters make a word; the rest of the run is the next one.
    h.Run<CImpTDS6>({h.Write("a.txt", "'" + std::string(1022, 'A') + "'B_")});
    EXPECT_EQ(h.Stream(),
              (std::vector<std::string>{"evStation=" + std::string(1022, 'A'), "evStation=B"}));
}

TEST(Tds6Robustness, EmptyAndSeparatorOnlyFiles) {
    ReaderHarness h;
    const std::string empty = h.Write("empty.txt", "");
    const std::string bars = h.Write("bars.txt", std::string(3000, '_'));
    h.Run<CImpTDS6>({empty, bars});
    EXPECT_TRUE(h.ProtocolContains("empty.txt"));
    EXPECT_TRUE(h.ProtocolContains("bars.txt"));
    EXPECT_TRUE(h.Stream(2, false).empty());
}
