#include "host/processing/protocol_text.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace processing {

std::string Metres(double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.3f", std::fabs(v) < 5e-4 ? 0.0 : v);
    return buf;
}

std::string Metres(const std::optional<double>& v) {
    return v ? Metres(*v) : "-";
}

std::string Dms(double radians) {
    double tenths = std::round(std::fabs(radians) * 180.0 / std::numbers::pi * 36000.0);
    const long long t = static_cast<long long>(tenths);
    const long long deg = t / 36000, min = t / 600 % 60, sec = t % 600;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%lld\u00b0%02lld'%02lld.%lld\"", radians < 0 && t ? "-" : "",
                  deg, min, sec / 10, sec % 10);
    return buf;
}

}  // namespace processing
