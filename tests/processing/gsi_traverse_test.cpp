// The shared GSI-8 traverse: the instrument recorded its own coordinates for every target, so
// the computed points can be checked against the instrument. The free station is pinned by the
// stations with known answers.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "host/processing/processing.h"
#include "readers/leica/leica_reader.h"
#include "support/reader_harness.h"

namespace {

constexpr double kTwoMm = 0.002;

// Where the file gives a station's coordinates, the computed targets agree with the recorded.
TEST(GsiTraverse, PolarPointsMatchTheRecordedCoordinates) {
    const auto path = std::filesystem::path(TAVRIN_SHARED_SAMPLES) / "gsi8-traverse.gsi";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "shared samples absent";
    testing_support::ReaderHarness h;
    h.Run<CImpLEICA>({path.string()});
    processing::Compute(h.project);
    size_t compared = 0, close = 0;
    std::set<std::string> far;
    for (const vrk::CStation& s : h.project.data().stations) {
        if (s.computed || !s.x)
            continue;
        for (const auto& o : s.observations) {
            const vrk::CVrkPoint* p = h.project.FindPoint(o.point);
            if (!o.recorded_x || !p || !p->computed())
                continue;
            ++compared;
            if (std::hypot(double(p->x) - *o.recorded_x, double(p->y) - *o.recorded_y) <= kTwoMm)
                ++close;
            else
                far.insert(o.target);
        }
    }
    std::set<std::string> other_setup;
    for (int n = 1100; n <= 1175; ++n) other_setup.insert(std::to_string(n));
    EXPECT_EQ(far, other_setup);
    EXPECT_EQ(compared, 193u);
}

}  // namespace
