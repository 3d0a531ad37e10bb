#include "host/processing/measurements.h"

#include <algorithm>
#include <unordered_map>

#include "host/processing/angles.h"

namespace processing {
namespace {

// Readings near the horizon (0 or 180 degrees) are height angles, near 90 or 270 zenith angles.
bool LooksLikeHeightAngles(const vrk::CStation& station) {
    int height = 0, zenith = 0;
    for (const auto& o : station.observations) {
        if (!o.v)
            continue;
        const double a = Wrap2Pi(*o.v);
        const double from_horizon = std::min({a, std::fabs(a - kPi), kTwoPi - a});
        (from_horizon < kPi / 4 ? height : zenith)++;
    }
    return height > zenith;
}

std::optional<double> Mean(const std::vector<double>& v) {
    if (v.empty())
        return std::nullopt;
    double s = 0;
    for (double d : v) s += d;
    return s / static_cast<double>(v.size());
}

// Running sums rather than lists of readings: a station may hold many thousand targets, nearly
// all read once, and a list each would cost an allocation a reading.
struct Sum {
    double sum = 0;
    size_t count = 0;
    void Add(double d) { sum += d, ++count; }
    std::optional<double> Mean() const {
        return count ? std::optional<double>(sum / static_cast<double>(count)) : std::nullopt;
    }
};

struct Group {
    Measurement m;
    DirectionSum hz;
    Sum zenith, sd, hd, dh;
    std::optional<double> hz1, hz2, z1, z2;  // one reading of each face, for the errors
};

// A reading joins the last group of its target when that group lacks its face and points the
// same way: two faces of one target differ by the instrument errors, far less than half a degree.
bool PairsWith(const Group& g, std::optional<double> hz, double z, bool face2) {
    constexpr double kSameWay = kPi / 360;
    const std::optional<double>& other_z = face2 ? g.z1 : g.z2;
    if ((face2 ? g.z2 : g.z1) || !other_z)
        return false;
    if (std::fabs(*other_z + z - kTwoPi) > kSameWay)
        return false;
    const std::optional<double>& other_hz = face2 ? g.hz1 : g.hz2;
    return !hz || !other_hz || std::fabs(WrapPi(*hz - *other_hz - kPi)) <= kSameWay;
}

}  // namespace

double ToZenith(double v, bool height_angle) {
    return Wrap2Pi(height_angle ? kPi / 2 - v : v);
}

std::vector<Measurement> StationMeasurements(const vrk::CStation& station, bool check_faces,
                                             double face_tolerance, FaceReport& faces) {
    const bool guess_height = check_faces && LooksLikeHeightAngles(station);
    std::vector<Group> groups;
    std::unordered_map<std::string_view, size_t> by_target;
    for (size_t i = 0; i < station.observations.size(); ++i) {
        const vrk::CObservation& o = station.observations[i];
        std::optional<double> z;
        if (o.v) {
            const bool height = o.v_kind == "H" || (o.v_kind.empty() && guess_height);
            z = ToZenith(*o.v, height);
        }
        const bool face2 = check_faces && z && *z > kPi;
        size_t g = groups.size();
        if (check_faces && !o.target.empty() && z) {
            auto it = by_target.find(o.target);
            if (it != by_target.end() && PairsWith(groups[it->second], o.hz, *z, face2))
                g = it->second;
        }
        if (g == groups.size()) {
            groups.emplace_back();
            groups.back().m.target = o.target;
            by_target[o.target] = g;
        }
        Group& gr = groups[g];
        Measurement& m = gr.m;
        m.observations.push_back(i);
        if (!m.target_height)
            m.target_height = o.target_height;
        if (m.code.empty())
            m.code = o.code;
        if (!m.recorded_x && o.recorded_x && o.recorded_y) {
            m.recorded_x = o.recorded_x;
            m.recorded_y = o.recorded_y;
            m.recorded_h = o.recorded_h;
        }
        std::optional<double> hz = o.hz;
        if (face2) {
            if (hz)
                gr.hz2 = hz, hz = Wrap2Pi(*hz - kPi);
            gr.z2 = z;
            z = kTwoPi - *z;
        } else if (check_faces && z) {
            gr.hz1 = hz;
            gr.z1 = z;
        }
        if (hz)
            gr.hz.Add(*hz);
        if (z)
            gr.zenith.Add(*z);
        if (o.sd)
            gr.sd.Add(*o.sd);
        if (o.hd)
            gr.hd.Add(*o.hd);
        if (o.dh)
            gr.dh.Add(*o.dh);
    }

    // Collimation c = (Hz I - (Hz II - 180)) / 2, index i = (z I + z II - 360) / 2 per target.
    std::vector<double> c, ix;
    std::vector<const Group*> both;
    for (const Group& g : groups) {
        if (g.hz1 && g.hz2 && g.z1 && g.z2) {
            c.push_back(WrapPi(*g.hz1 - (*g.hz2 - kPi)) / 2);
            ix.push_back((*g.z1 + *g.z2 - kTwoPi) / 2);
            both.push_back(&g);
        }
    }
    faces = FaceReport{Mean(c), Mean(ix), {}};
    for (size_t k = 0; k < both.size(); ++k)
        if (2 * std::fabs(c[k] - *faces.collimation) > face_tolerance ||
            2 * std::fabs(ix[k] - *faces.index) > face_tolerance)
            faces.disagreeing.emplace_back(both[k]->m.target);

    std::vector<Measurement> out;
    out.reserve(groups.size());
    for (Group& g : groups) {
        if (g.hz.any)
            g.m.hz = g.hz.Mean();
        g.m.zenith = g.zenith.Mean();
        g.m.sd = g.sd.Mean();
        g.m.hd = g.hd.Mean();
        g.m.dh = g.dh.Mean();
        out.push_back(std::move(g.m));
    }
    return out;
}

}  // namespace processing
