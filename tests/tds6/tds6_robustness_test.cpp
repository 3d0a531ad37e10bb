#include <algorithm>

#include "readers/tds6/tds6_reader.h"
#include "support/noise.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;

TEST(Tds6Robustness, AnyBytesEndTheRun) {
    for (unsigned seed : {51u, 52u, 53u}) {
        std::string bytes = testing_support::NoiseBytes(
            seed, 64 * 1024,
            {"_", "_'S1", "_)1.5", "_(",   "_*",   "_,",   "_+P1 ",      "_+P1_", "U", "x", "?",
             "R", "<",    "D",     "A",    "E",    "W",    "\\",         "(",     "*", "/", "'",
             "M", "F",    "G",     "\x02", "\x03", "\r\n", "0123456789", "-",     "+"},
            40, 'P');
        // No end of transmission, so that the whole file is read.
        std::replace(bytes.begin(), bytes.end(), '\x04', 'x');
        ReaderHarness h;
        h.Run<CImpTDS6>({h.Write("noise.txt", bytes)});
        testing_support::ExpectLinesAscend(h);
    }
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
