#include <filesystem>

#include "elta_fixture.h"

using namespace elta_test;

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
    EXPECT_GE(h.project.data().stations.size(), 140u);
    EXPECT_GE(h.project.data().points.size(), 140u);
    EXPECT_FALSE(h.ProtocolContains("mismatches required data format"));
}
