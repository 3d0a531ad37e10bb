#include "host/processing/polar.h"

#include <cmath>

namespace processing {
namespace {
constexpr double kEarthRadius = 6371000.0;
}

double CurvatureRefraction(double hd, double refraction) {
    return (1.0 - refraction) * hd * hd / (2.0 * kEarthRadius);
}

std::optional<Reduced> Reduce(const Measurement& m, const vrk::ProcessingSettings& settings) {
    // Instruments write a zero distance for a sight without one.
    const std::optional<double> sd = m.sd && *m.sd > 0 ? m.sd : std::nullopt;
    const std::optional<double> hd = m.hd && *m.hd > 0 ? m.hd : std::nullopt;
    Reduced r;
    bool from_angles = false;
    if (sd && m.zenith) {
        r.hd = *sd * std::sin(*m.zenith);
        r.dh = *sd * std::cos(*m.zenith);
        from_angles = true;
    } else if (hd) {
        r.hd = *hd;
        if (m.dh) {
            r.dh = m.dh;
        } else if (m.zenith && std::fabs(std::sin(*m.zenith)) > 1e-9) {
            r.dh = *hd * std::cos(*m.zenith) / std::sin(*m.zenith);
            from_angles = true;
        }
    } else if (sd && m.dh && std::fabs(*m.dh) < *sd) {
        r.hd = std::sqrt(*sd * *sd - *m.dh * *m.dh);
        r.dh = m.dh;
    } else {
        return std::nullopt;
    }
    // An instrument's own height difference already carries its corrections.
    if (from_angles && settings.curvature && r.dh)
        *r.dh += CurvatureRefraction(r.hd, settings.refraction);
    return r;
}

std::optional<Position> Polar(const Measurement& m, const Position& at, double orientation,
                              std::optional<double> instrument_height,
                              const vrk::ProcessingSettings& settings) {
    if (!m.hz)
        return std::nullopt;
    std::optional<Reduced> r = Reduce(m, settings);
    if (!r)
        return std::nullopt;
    const double bearing = *m.hz + orientation;
    Position p{at.x + r->hd * std::cos(bearing), at.y + r->hd * std::sin(bearing), std::nullopt};
    if (at.h && r->dh)
        p.h = *at.h + instrument_height.value_or(0.0) + *r->dh - m.target_height.value_or(0.0);
    return p;
}

}  // namespace processing
