// The readings of a station's observations as short texts, for comparing them in one go.
#pragma once

#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "import/contracts/vrk.h"

namespace testing_support {

inline constexpr double kDeg = std::numbers::pi / 180;  // radians in a degree

// The readings of each observation of a station, as "sd=10 hz=90.5 v=12.5": the values that are
// set, angles in degrees, ten significant digits.
inline std::vector<std::string> Readings(const vrk::CStation& station) {
    std::vector<std::string> out;
    for (const vrk::CObservation& o : station.observations) {
        std::string text;
        auto put = [&text](const char* name, const vrk::OptDouble& v, double scale = 1) {
            char buf[64];
            if (v.has_value())
                text += std::string(text.empty() ? "" : " ") +
                        (std::snprintf(buf, sizeof buf, "%s=%.10g", name, *v / scale), buf);
        };
        put("th", o.target_height);
        put("sd", o.sd);
        put("hd", o.hd);
        put("dh", o.dh);
        put("dh2", o.dh_aux);
        put("hz", o.hz, kDeg);
        put("v", o.v, kDeg);
        put("t", o.temperature);
        put("p", o.pressure);
        out.push_back(text);
    }
    return out;
}

}  // namespace testing_support
