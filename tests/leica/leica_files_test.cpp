// Whole files: a traverse written by a real instrument, and bytes that are no GSI at all.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <numbers>
#include <random>

#include "readers/leica_reader.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;

namespace {

constexpr double kGon = std::numbers::pi / 200;

std::map<std::string, int> CountEvents(const ReaderHarness& h) {
    std::map<std::string, int> n;
    for (const auto& e : h.events)
        if (e.pass == 2 && e.accepted)
            ++n[std::string(EventName(e.id))];
    return n;
}

// Bytes that look a little like GSI now and then: words, stars, line ends of every kind, NUL,
// and one line far longer than a read.
std::string Noise(unsigned seed, size_t size) {
    static const char* kWords[] = {"110001+0000000A ",
                                   "21.324+12345278 ",
                                   "22...2-09000000 ",
                                   "31..00+00012345 ",
                                   "410001+00000001 ",
                                   "42....+0000ST01 ",
                                   "88..10+00001550 ",
                                   "87....+00001500 ",
                                   "81..00+0000000515836123 ",
                                   "410001+00000123 ",
                                   "*",
                                   "\r\n",
                                   "\n",
                                   "\r"};
    static const char kAlphabet[] = "0123456789+-. *\r\n\t.....";
    std::mt19937 rng(seed);
    std::string out;
    while (out.size() < size) {
        unsigned r = rng() % 100;
        if (r < 30)
            out += kWords[rng() % std::size(kWords)];
        else if (r < 70)
            out += kAlphabet[rng() % (sizeof kAlphabet - 1)];
        else if (r < 99)
            out += static_cast<char>(rng() % 256);
        else
            out += std::string(3000 + rng() % 3000, "7 *"[rng() % 3]);
    }
    out[size / 2] = '\0';
    return out;
}

}  // namespace

TEST(LeicaSample, TraverseImportsEveryObservation) {
    const std::filesystem::path path =
        std::filesystem::path(TAVRIN_SHARED_SAMPLES) / "gsi8-traverse.gsi";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << path << " is not available";
    ReaderHarness h;
    h.Run<CImpLEICA>({path.string()});

    // 699 point words: 694 targets (followed by word 21), 4 stations (followed by word 84) and
    // one plain point (followed only by coordinates).
    auto n = CountEvents(h);
    EXPECT_EQ(n["evTarget"], 694);
    EXPECT_EQ(n["evStation"], 4);
    EXPECT_EQ(n["evPointName"], 5);
    EXPECT_EQ(n["evHorAngle"], 694);
    EXPECT_EQ(n["evVertAngle"], 694);
    EXPECT_EQ(n["evSlopeDist"], 694);
    EXPECT_EQ(n["evHorDist"], 694);
    EXPECT_EQ(n["evTargetHeight"], 698);
    EXPECT_EQ(n["evPointY"], 693);
    EXPECT_EQ(n["evPointX"], 693);
    EXPECT_EQ(n["evPointH"], 693);
    EXPECT_EQ(n["evCode"], 694);
    // Word 88 stands outside any station block, so it gives no instrument height.
    EXPECT_EQ(n["evInstrumentHeight"], 0);
    EXPECT_TRUE(h.Protocol().empty()) << ::testing::PrintToString(h.Protocol());

    size_t observations = 0;
    for (const auto& st : h.project.data().stations)
        for (const auto& o : st.observations) {
            if (o.target.empty())
                continue;
            ++observations;
            EXPECT_TRUE(o.hz && o.v && o.sd && o.hd && o.target_height) << o.target;
        }
    EXPECT_EQ(observations, 694u);

    // The first line, word by word.
    std::vector<std::string> first_line;
    for (const auto& e : h.events)
        if (e.pass == 2 && e.line == 1)
            first_line.push_back(std::string(EventName(e.id)) + "=" + e.value);
    EXPECT_EQ(first_line,
              (std::vector<std::string>{
                  "evTarget=1", "evHorAngle=034.96940", "evVertAngle=093.64360",
                  "evSlopeDist=00030.485", "evTargetHeight=00001.500", "evPointY=00515.836",
                  "evPointX=00525.871", "evPointH=00003.079", "evCode=1", "evHorDist=00030.333"}));
    const auto& first = h.project.data().stations.at(0).observations.at(0);
    EXPECT_EQ(first.target, "1");
    EXPECT_NEAR(*first.hz, 34.9694 * kGon, 1e-12);
    EXPECT_NEAR(*first.v, 93.6436 * kGon, 1e-12);
    EXPECT_NEAR(*first.sd, 30.485, 1e-9);
    EXPECT_NEAR(*first.hd, 30.333, 1e-9);
    EXPECT_NEAR(*first.target_height, 1.5, 1e-12);
    // Point 1 is observed again in line 384, whose coordinates it keeps: word 81 (Y) 520.431,
    // word 82 (X) 469.857, word 83 -0.357.
    const vrk::CVrkPoint* p1 = h.project.FindPoint("1");
    ASSERT_NE(p1, nullptr);
    EXPECT_NEAR(static_cast<double>(p1->y), 520.431, 1e-9);
    EXPECT_NEAR(static_cast<double>(p1->x), 469.857, 1e-9);
    EXPECT_NEAR(static_cast<double>(p1->h), -0.357, 1e-9);

    // Station STAZLIB3 takes its coordinates from words 84 to 86.
    auto st = std::find_if(h.project.data().stations.begin(), h.project.data().stations.end(),
                           [](const vrk::CStation& s) { return s.name == "STAZLIB3"; });
    ASSERT_NE(st, h.project.data().stations.end());
    EXPECT_NEAR(*st->y, 519.659, 1e-9);
    EXPECT_NEAR(*st->x, 465.244, 1e-9);
    EXPECT_NEAR(*st->h, -0.588, 1e-9);
}

TEST(LeicaRobustness, AnyBytesEndTheRunInOrder) {
    for (int wide = 0; wide <= 1; ++wide)
        for (unsigned seed : {1u, 2u, 3u}) {
            ReaderHarness h;
            h.dlg.settings.Format16Digits = wide;
            std::string bytes = Noise(seed, 48 * 1024);
            long lines = static_cast<long>(std::count(bytes.begin(), bytes.end(), '\n')) +
                         static_cast<long>(bytes.size() / 1023) + 1;
            h.Run<CImpLEICA>({h.Write("noise.gsi", bytes)});
            // Events come line by line: numbers never go back and stay within the file.
            long last = 0;
            for (const auto& e : h.events) {
                if (e.pass != 2)
                    continue;
                EXPECT_GE(e.line, last);
                EXPECT_LE(e.line, lines);
                last = e.line;
            }
            EXPECT_GT(last, 0) << "seed " << seed;
        }
}
