// Small stations with known answers, computed through the whole processing stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>

#include "host/processing/processing.h"
#include "import/contracts/vrk.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180;
constexpr double kSec = kDeg / 3600;

vrk::CObservation Obs(const std::string& target, double hz_deg, double z_deg, double sd,
                      double th = 0) {
    vrk::CObservation o;
    o.target = target;
    o.hz = hz_deg * kDeg;
    o.v = z_deg * kDeg;
    o.sd = sd;
    o.target_height = th;
    return o;
}

vrk::CStation Station(const std::string& name, std::vector<vrk::CObservation> obs,
                      std::optional<double> ih = std::nullopt) {
    vrk::CStation s;
    s.name = name;
    s.instrument_height = ih;
    s.observations = std::move(obs);
    return s;
}

void Control(vrk::CVrkObject& p, const std::string& name, double x, double y,
             std::optional<double> h = std::nullopt) {
    vrk::CVrkPoint& pt = p.PointByName(name);
    pt.x = x, pt.y = y;
    if (h)
        pt.h = *h;
    pt.control = true;
}

// Readings of a target seen from (sx, sy, sh) with orientation omega, as an instrument gives them.
vrk::CObservation Sight(const std::string& target, double sx, double sy, double sh, double ih,
                        double omega_deg, double tx, double ty, double th) {
    const double hd = std::hypot(tx - sx, ty - sy);
    const double dh = th - sh - ih;
    const double bearing = std::atan2(ty - sy, tx - sx) / kDeg;
    const double z = std::atan2(hd, dh) / kDeg;
    return Obs(target, std::fmod(bearing - omega_deg + 720, 360), z, std::hypot(hd, dh));
}

// How many protocol entries hold the piece.
long Logged(vrk::CVrkObject& p, const std::string& piece) {
    long n = 0;
    for (const auto& e : p.ImportLog().Entries()) n += e.text.find(piece) != std::string::npos;
    return n;
}

struct Expected {
    std::string name;
    double x, y;
    std::optional<double> h;
};

struct Case {
    const char* what;
    std::function<void(vrk::CVrkObject&)> build;
    std::vector<Expected> points;
    uint16_t flags = 0;
};

TEST(Processing, StationsWithKnownAnswers) {
    const double curv = 0.87 * 100 * 100 / (2 * 6371000.0);
    const Case cases[] = {
        {"a point due north at 100 m",
         [](vrk::CVrkObject& p) {
             p.data().stations.push_back(Station("S", {Obs("T", 0, 90, 100, 1.5)}, 1.5));
             Control(p, "S", 0, 0, 10);
         },
         {{"T", 100, 0, 10 + curv}}},
        {"the same with a height angle",
         [](vrk::CVrkObject& p) {
             vrk::CObservation o = Obs("T", 0, 0, 100, 1.5);
             o.v_kind = "H";
             p.data().stations.push_back(Station("S", {o}, 1.5));
             Control(p, "S", 0, 0, 10);
         },
         {{"T", 100, 0, 10 + curv}}},
        {"a face II reading alone",
         [](vrk::CVrkObject& p) {
             p.data().stations.push_back(Station("S", {Obs("T", 180, 270, 100)}));
             Control(p, "S", 0, 0, 10);
         },
         {{"T", 100, 0, 10 + curv}},
         vrk::kFlagAuto},
        {"both faces with collimation and index errors",
         [](vrk::CVrkObject& p) {
             const double c = 10.0 / 3600, i = 6.0 / 3600;
             p.data().stations.push_back(
                 Station("S", {Obs("T", 30 + c, 80 + i, 50), Obs("T", 210 - c, 280 + i, 50)}));
             Control(p, "S", 0, 0, 0);
         },
         {{"T", 50 * std::sin(80 * kDeg) * std::cos(30 * kDeg),
           50 * std::sin(80 * kDeg) * std::sin(30 * kDeg),
           50 * std::cos(80 * kDeg) + 0.87 * std::pow(50 * std::sin(80 * kDeg), 2) / 12742000}},
         vrk::kFlagAuto},
        {"a backsight to a control point, circle not on zero",
         [](vrk::CVrkObject& p) {
             Control(p, "C1", 100, 100);
             Control(p, "C2", 200, 200);
             vrk::CStation s =
                 Station("C1", {Obs("C2", 315, 90, std::hypot(100, 100)), Obs("P", 0, 90, 10)});
             s.backsight = "C2";
             p.data().stations.push_back(s);
         },
         {{"P", 100, 110, std::nullopt}}},
        {"a traverse of three stations given out of order",
         [](vrk::CVrkObject& p) {
             p.processing.curvature = false;
             Control(p, "A", 0, 0, 0);
             Control(p, "B", 0, 100);
             auto& st = p.data().stations;
             st.push_back(Station("S3", {Obs("S2", 10, 90, 100), Obs("P", 100, 90, 50)}));
             st.push_back(
                 Station("S2", {Obs("A", 0, 90, std::hypot(100, 0)), Obs("S3", 90, 90, 100)}));
             st.push_back(Station("A", {Obs("B", 0, 90, 100), Obs("S2", 90, 90, 100)}));
         },
         {{"S2", -100, 0, 0}, {"S3", -100, 100, 0}, {"P", -50, 100, 0}}},
        {"a free station from three known points",
         [](vrk::CVrkObject& p) {
             const double sx = 10, sy = 20, sh = 5, ih = 1.6, om = 30;
             Control(p, "K1", 100, 0, 7);
             Control(p, "K2", 0, 100, 9);
             Control(p, "K3", -100, -50, 3);
             std::vector<vrk::CObservation> obs;
             for (auto [n, x, y, h] : {std::tuple{"K1", 100.0, 0.0, 7.0},
                                       {"K2", 0.0, 100.0, 9.0},
                                       {"K3", -100.0, -50.0, 3.0},
                                       {"P", 40.0, 60.0, 6.0}})
                 obs.push_back(Sight(n, sx, sy, sh, ih, om, x, y, h));
             p.data().stations.push_back(Station("F", obs, ih));
             // The sights were generated without curvature.
             p.processing.curvature = false;
         },
         {{"F", 10, 20, 5}, {"P", 40, 60, 6}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        vrk::CVrkObject p;
        p.processing.flags = c.flags;
        c.build(p);
        processing::Compute(p);
        for (const Expected& e : c.points) {
            const vrk::CVrkPoint* pt = p.FindPoint(e.name);
            ASSERT_NE(pt, nullptr) << e.name;
            EXPECT_TRUE(pt->computed()) << e.name;
            EXPECT_NEAR(pt->x, e.x, 1e-6) << e.name;
            EXPECT_NEAR(pt->y, e.y, 1e-6) << e.name;
            EXPECT_EQ(pt->h.valid(), e.h.has_value()) << e.name;
            if (e.h && pt->h.valid())
                EXPECT_NEAR(pt->h, *e.h, 1e-6) << e.name;
        }
        // A second run finds the same.
        const std::string first = p.ToJson();
        processing::Compute(p);
        EXPECT_EQ(p.ToJson(), first);
    }
}

TEST(Processing, FacesAndOrientationAreReported) {
    vrk::CVrkObject p;
    p.processing.flags = vrk::kFlagAuto;
    Control(p, "S", 0, 0, 0);
    Control(p, "Q", 5, 5);
    // Collimation 10"; the second face of U is 2' off, which makes U's own error 1' smaller.
    const double c = 10.0 / 3600;
    std::vector<vrk::CObservation> obs;
    for (auto [n, hz, off] :
         {std::tuple{"T", 30.0, 0.0}, {"U", 60.0, 2.0 / 60}, {"V", 90.0, 0.0}, {"W", 120.0, 0.0}}) {
        obs.push_back(Obs(n, hz + c, 80, 50));
        obs.push_back(Obs(n, hz + 180 - c + off, 280, 50));
    }
    p.data().stations.push_back(Station("S", obs));
    // T is computed, not known, so Q has nothing to orient on either; set up twice, it is
    // named once.
    for (int setup = 0; setup < 2; ++setup)
        p.data().stations.push_back(Station("Q", {Obs("T", 0, 90, 10)}));
    processing::Compute(p);
    const vrk::CStation& s = p.data().stations[0];
    ASSERT_TRUE(s.collimation_error && s.index_error);
    EXPECT_NEAR(*s.collimation_error, -5 * kSec, 0.01 * kSec);
    EXPECT_NEAR(*s.index_error, 0, 0.01 * kSec);
    EXPECT_EQ(s.orientation_source, "hz");
    for (const char* piece : {"the two faces disagree", "point U: the two faces disagree",
                              "taken as bearings", "station(s) S, Q:"})
        EXPECT_EQ(Logged(p, piece), 1) << piece;
}

TEST(Processing, FreeStationSetsABlunderAside) {
    vrk::CVrkObject p;
    p.processing.curvature = false;
    const double sx = -3, sy = 7, ih = 1.5;
    std::vector<vrk::CObservation> obs;
    const std::tuple<const char*, double, double> known[] = {
        {"K1", 50, 0}, {"K2", 0, 60}, {"K3", -40, -30}, {"K4", 30, -45}};
    for (auto [n, x, y] : known) {
        Control(p, n, x, y, 0);
        obs.push_back(Sight(n, sx, sy, 0, ih, 200, x, y, 0));
    }
    // K4 is stored 0.4 m off its measured place.
    p.FindPoint("K4")->y = -45.4;
    p.data().stations.push_back(Station("F", obs, ih));
    processing::Compute(p);
    const vrk::CStation& s = p.data().stations[0];
    EXPECT_NEAR(s.x.value_or(0), sx, 1e-6);
    EXPECT_NEAR(s.y.value_or(0), sy, 1e-6);
    EXPECT_NEAR(*s.orientation, 200 * kDeg, 1e-9);
    EXPECT_EQ(s.orientation_source, "free_station");
    EXPECT_NEAR(*s.observations[0].residual_x, 0, 1e-6);
    EXPECT_NEAR(*s.observations[3].residual_y, -0.4, 1e-6);
    EXPECT_GT(Logged(p, "point K4 disagrees"), 0);
}

}  // namespace
