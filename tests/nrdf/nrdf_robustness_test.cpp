#include <random>

#include "readers/nrdf_reader.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;

namespace {

// Lines built from the pieces the reader reacts to, mixed with raw bytes.
std::string PlausibleJunk(std::mt19937& rng, size_t lines) {
    static const char* kPieces[] = {"ST",
                                    "SS",
                                    "F1",
                                    "F2",
                                    "CO",
                                    "MC",
                                    "MP",
                                    "CP",
                                    "RE",
                                    "SO",
                                    "UP",
                                    "",
                                    "B1",
                                    "P1",
                                    "20.0000",
                                    "350.",
                                    "1234530",
                                    "-0.5",
                                    "1e308",
                                    "..",
                                    "TEMP:",
                                    "PRESS:",
                                    "TEMP:+",
                                    "PRESS: ",
                                    "C",
                                    "INHG",
                                    "Start of Resection",
                                    "DIST UNITS:FEET",
                                    "ANGLE UNITS:GONS",
                                    "ANGLE UNITS:MIL6400",
                                    "01-JAN-2020 12:34:56",
                                    "99-?"
                                    "?-99999 ::::::",
                                    "\t",
                                    " "};
    std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> fields(0, 12), byte(0, 255), coin(0, 9);
    std::string out;
    for (size_t i = 0; i < lines; ++i) {
        const int n = fields(rng);
        for (int f = 0; f < n; ++f) {
            out +=
                coin(rng) == 0 ? std::string(1, static_cast<char>(byte(rng))) : kPieces[piece(rng)];
            if (f + 1 < n)
                out += coin(rng) == 0 ? " " : ",";
        }
        out += coin(rng) == 0 ? "\r\n" : "\n";
        if (coin(rng) == 0)
            out += "\n";
    }
    return out;
}

std::string RandomBytes(std::mt19937& rng, size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string out(size, '\0');
    for (char& c : out) c = static_cast<char>(byte(rng));
    // Some very long lines and runs of the bytes that end lines.
    out.insert(size / 3, std::string(5000, 'S'));
    out.insert(size / 2, std::string(300, '\r'));
    out.insert(size / 4, std::string(300, '\0'));
    return out;
}

}  // namespace

TEST(NrdfRobustness, ArbitraryBytesEndTheRun) {
    std::mt19937 rng(20240611);
    ReaderHarness h;
    const std::string raw = h.Write("raw.rdf", RandomBytes(rng, 64 * 1024));
    const std::string junk = h.Write("junk.rdf", PlausibleJunk(rng, 4000));
    // Units carry over from file to file; the last file says its own.
    const std::string good = h.Write("good.rdf", "CO,Dist Units:Metres\nMP,P1,,1,2,3,\n");
    h.Run<CImpNRDF>({raw, junk, good});
    // The run went through every file: the last one is built.
    ASSERT_NE(h.project.FindPoint("P1"), nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(h.project.FindPoint("P1")->h), 3.0);
    for (const auto& e : h.events) {
        EXPECT_GE(e.line, 0);
        EXPECT_LE(e.line, 20000);
    }
}

TEST(NrdfRobustness, EmptyFileAndLineWithoutEnd) {
    ReaderHarness h;
    const std::string empty = h.Write("empty.rdf", "");
    const std::string open_end = h.Write("end.rdf", "ST,S1,,B1,,,,1.0000");
    h.Run<CImpNRDF>({empty, open_end});
    EXPECT_TRUE(h.ProtocolContains("empty.rdf"));
    EXPECT_EQ(h.Stream(), (std::vector<std::string>{"evStation=S1", "evBacksight=B1"}));
}
