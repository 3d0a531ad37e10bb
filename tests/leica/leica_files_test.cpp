// A whole traverse written by a real instrument.
#include <filesystem>
#include <map>

#include "readers/leica/leica_reader.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;

namespace {

// "evName=count" of the accepted events, by name.
std::string CountEvents(const ReaderHarness& h) {
    std::map<std::string, int> n;
    for (const auto& e : h.events)
        if (e.pass == 2 && e.accepted)
            ++n[std::string(EventName(e.id))];
    std::string out;
    for (const auto& [name, count] : n) out += name + "=" + std::to_string(count) + " ";
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
    // Word 88 stands outside any station block, so it gives no instrument height.
    EXPECT_EQ(CountEvents(h),
              "evCode=694 evHorAngle=694 evHorDist=694 evPointH=693 evPointName=5 evPointX=693 "
              "evPointY=693 evSlopeDist=694 evStation=4 evTarget=694 evTargetHeight=698 "
              "evVertAngle=694 ");
    EXPECT_TRUE(h.Protocol().empty()) << ::testing::PrintToString(h.Protocol());

    // Point 1 is observed again in line 384, whose coordinates it keeps: word 81 (Y) 520.431,
    // word 82 (X) 469.857, word 83 -0.357.
    const vrk::CVrkPoint* p1 = h.project.FindPoint("1");
    ASSERT_NE(p1, nullptr);
    EXPECT_NEAR(static_cast<double>(p1->y), 520.431, 1e-9);
    EXPECT_NEAR(static_cast<double>(p1->x), 469.857, 1e-9);
    EXPECT_NEAR(static_cast<double>(p1->h), -0.357, 1e-9);
}
