#include <filesystem>

#include "elta_fixture.h"
#include "support/noise.h"
#include "support/settings_edit.h"

using namespace elta_test;

namespace {

// Noise with the formats' words, NULs, carriage returns and long lines, then a file that starts
// with thousands of NULs: no crash, no hang, every record belongs to a line read.
template <class Reader>
void Survives(unsigned seed) {
    for (unsigned round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        testing_support::ReaderHarness h;
        testing_support::EditSettings(
            h.dlg, [&](ImportSettings& s) { s.StnM5Def = static_cast<int>(round % 2); });
        const std::string noise = testing_support::NoiseBytes(
            seed + round, 6000 + round * 2000,
            {"For R4|", "For R5|",      "For M5|", "|",
             "PI1 ",    "KR ",          "TI ",     "X ",
             "Z ",      "N_ ",          "E ",      " m",
             " DMS",    " deg",         "Hz ",     "V1 ",
             "th ",     "SD ",          "HD ",     "dT",
             "O",       "\n",           "\r\n",    "STAT.",
             "Set Hz",  "HIDDEN POINT", "|dm",     "|nD",
             "INPUT",   "123.45",       "-.",      "NO REFLECTOR             DR"},
            40, "x|Z "[round % 4]);
        const std::string a = h.Write("a.txt", noise);
        const std::string b =
            h.Write("b.txt", std::string(5000, '\0') + "For R4|PI1 AB  P1|SD 1 m|");
        h.Run<Reader>({a, b}, kFormat<Reader>);
        for (const auto& e : h.events) EXPECT_LE(e.record, e.line);
    }
}

}  // namespace

TEST(EltaRobustness, RandomBytesInEveryReader) {
    Survives<CImpELTAR4>(11);
    Survives<CImpELTAR5>(23);
    Survives<CImpELTAC_M5>(37);
    Survives<CImpELTAREC500>(41);
}

TEST(EltaRobustness, LongLinesAreReadInPieces) {
    // A line longer than one read is taken as several lines; nothing of it is lost.
    auto r = Import<CImpELTAR4>("For R4|PI1 AB  P1|" + std::string(2000, ' ') + "|SD 1 m|\n");
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
