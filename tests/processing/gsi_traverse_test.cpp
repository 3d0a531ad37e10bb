// The shared GSI-8 traverse: the instrument recorded its own coordinates for every target, so
// the free station and the polar computation can both be checked against the instrument.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "host/processing/free_station.h"
#include "host/processing/measurements.h"
#include "host/processing/polar.h"
#include "host/processing/processing.h"
#include "readers/leica/leica_reader.h"
#include "support/reader_harness.h"

namespace {

constexpr double kTwoMm = 0.002;

class GsiTraverse : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto path = std::filesystem::path(TAVRIN_SHARED_SAMPLES) / "gsi8-traverse.gsi";
        if (!std::filesystem::exists(path))
            GTEST_SKIP() << "shared samples absent";
        h.Run<CImpLEICA>({path.string()});
    }
    testing_support::ReaderHarness h;
};

// Each station solved as a free station on the coordinates recorded for its targets. Targets
// that miss their station's set-up are solved again as a set-up of their own: the file moves the
// instrument twice without a station record (800 and 801 from a set-up 60 m away, 1100 to 1175
// from one 0.3 m away), and those targets must fit their real set-up just as well.
TEST_F(GsiTraverse, FreeStationsMatchTheRecordedCoordinates) {
    size_t targets = 0, close = 0;
    std::set<std::string> set_aside;
    auto solve = [&](const std::vector<processing::FreeTarget>& ts, double ih) {
        auto fr = processing::SolveFreeStation(ts, ih, 0.03);
        EXPECT_TRUE(fr);
        std::vector<bool> used;
        for (const auto& t : fr ? fr->targets : std::vector<processing::FreeResult::Target>()) {
            used.push_back(t.used);
            if (t.used && std::hypot(t.rx, t.ry) <= kTwoMm)
                ++close;
        }
        return used;
    };
    for (const vrk::CStation& s : h.project.data().stations) {
        processing::FaceReport faces;
        std::vector<processing::FreeTarget> ts;
        std::vector<std::string> names;
        for (const auto& m : processing::StationMeasurements(s, false, 0, faces)) {
            auto r = processing::Reduce(m, h.project.processing);
            if (!m.recorded_x || !m.hz || !r)
                continue;
            ts.push_back({*m.hz, r->hd, r->dh, m.target_height.value_or(0), *m.recorded_x,
                          *m.recorded_y, m.recorded_h});
            names.push_back(m.target);
        }
        if (ts.size() < 2)
            continue;
        targets += ts.size();
        const double ih = s.instrument_height.value_or(0);
        const std::vector<bool> used = solve(ts, ih);
        // Runs of consecutive targets set aside are one other set-up each.
        for (size_t i = 0; i < used.size();) {
            size_t j = i;
            while (j < used.size() && !used[j]) set_aside.insert(names[j++]);
            if (j - i >= 2) {
                EXPECT_EQ(solve({ts.begin() + i, ts.begin() + j}, ih),
                          std::vector<bool>(j - i, true));
            }
            i = std::max(i + 1, j);
        }
    }
    std::set<std::string> other_setups = {"800", "801"};
    for (int n = 1100; n <= 1175; ++n) other_setups.insert(std::to_string(n));
    EXPECT_EQ(set_aside, other_setups);
    EXPECT_EQ(targets, 687u);
    EXPECT_GE(double(close) / double(targets), 0.99) << close << " of " << targets;
}

// Where the file gives a station's coordinates, the computed targets agree with the recorded.
TEST_F(GsiTraverse, PolarPointsMatchTheRecordedCoordinates) {
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
