#include <filesystem>
#include <random>

#include "elta_fixture.h"
#include "readers/elta_m5_reader.h"
#include "readers/elta_r4_reader.h"
#include "readers/elta_r5_reader.h"
#include "readers/elta_rec500_reader.h"

using namespace elta_test;

namespace {

// Random bytes with NULs, carriage returns, long lines and pieces of the formats mixed in.
std::string Noise(unsigned seed, size_t size) {
    static const char* const kPieces[] = {"For R4|",
                                          "For R5|",
                                          "For M5|",
                                          "|",
                                          "PI1 ",
                                          "KR ",
                                          "TI ",
                                          "X ",
                                          "Y ",
                                          "Z ",
                                          "N_ ",
                                          "E ",
                                          " m",
                                          " DMS",
                                          " deg",
                                          "Hz ",
                                          "V1 ",
                                          "th ",
                                          "ih ",
                                          "SD ",
                                          "HD ",
                                          "h ",
                                          "dT",
                                          "O",
                                          "\n",
                                          "\r\n",
                                          "STAT.",
                                          "Set Hz",
                                          "HIDDEN POINT",
                                          "|dm",
                                          "|nD",
                                          "INPUT",
                                          "123.45",
                                          "-.",
                                          "NO REFLECTOR             DR"};
    std::mt19937 rng(seed);
    std::string out;
    out.reserve(size + 64);
    while (out.size() < size) {
        unsigned pick = rng() % 10;
        if (pick < 4) {
            out += kPieces[rng() % std::size(kPieces)];
        } else if (pick < 9) {
            out += static_cast<char>(rng() % 256);
        } else {
            out.append(rng() % 3000, static_cast<char>("x|  Z\0"[rng() % 6]));
        }
    }
    return out;
}

template <class Reader>
void Survives(unsigned seed) {
    for (unsigned round = 0; round < 8; ++round) {
        testing_support::ReaderHarness h;
        h.dlg.settings.StnM5Def = static_cast<int>(round % 2);
        std::string a = h.Write("a.txt", Noise(seed + round, 6000 + round * 2000));
        std::string b = h.Write("b.txt", std::string(5000, '\0') + "For R4|PI1 AB  P1|SD 1 m|");
        h.Run<Reader>({a, b}, std::string(FormatName<Reader>()));
        // Every record the reader made belongs to a line it read.
        for (const auto& e : h.events) EXPECT_LE(e.record, e.line);
    }
}

}  // namespace

TEST(EltaRobustness, RandomBytesR4) {
    Survives<CImpELTAR4>(11);
}
TEST(EltaRobustness, RandomBytesR5) {
    Survives<CImpELTAR5>(23);
}
TEST(EltaRobustness, RandomBytesM5) {
    Survives<CImpELTAC_M5>(37);
}
TEST(EltaRobustness, RandomBytesRec500) {
    Survives<CImpELTAREC500>(41);
}

TEST(EltaRobustness, LongLinesAreReadInPieces) {
    // A line longer than one read is taken as several lines; nothing of it is lost.
    std::string text = "For R4|PI1 AB  P1|" + std::string(2000, ' ') + "|SD 1 m|\n";
    auto r = Import<CImpELTAR4>(text);
    EXPECT_EQ(r->Stream(), (Events{"evTarget=P1", "evCode=AB", "evSlopeDist=1"}));
    // The second piece has no format name of its own.
    EXPECT_TRUE(r->Logged("string  2:\nString does not contain ELTA R4 data"));
}

TEST(EltaSample, RealR5FileGivesItsCoordinatePoints) {
    const std::filesystem::path sample =
        std::filesystem::path(TAVRIN_SHARED_SAMPLES) / "elta-r5-survey.dat";
    if (!std::filesystem::exists(sample))
        GTEST_SKIP() << "no shared samples";
    testing_support::ReaderHarness h;
    h.Run<CImpELTAR5>({sample.string()}, std::string("For R5"));

    const vrk::CVrkPoint* p = h.project.FindPoint("1100");
    ASSERT_NE(p, nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(p->x), 21.259);
    EXPECT_DOUBLE_EQ(static_cast<double>(p->y), 59.620);
    EXPECT_DOUBLE_EQ(static_cast<double>(p->h), 11.256);
    const vrk::CVrkPoint* last = h.project.FindPoint("1241");
    ASSERT_NE(last, nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(last->x), 18.092);
    // Every coordinate record of the file is a station and a point.
    size_t stations = 0;
    for (const auto& e : h.events)
        if (e.pass == 2 && e.id == evStation && e.accepted)
            ++stations;
    EXPECT_GE(stations, 140u);
    EXPECT_GE(h.project.data().points.size(), 140u);
    EXPECT_FALSE(h.ProtocolContains("mismatches required data format"));
}
