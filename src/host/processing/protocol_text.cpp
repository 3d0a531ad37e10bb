#include "host/processing/protocol_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace processing {

std::string Metres(double v) {
    // As "%.3f" prints it, without the cost of printf: a large protocol has a few per point.
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v) < 5e-4 ? 0.0 : v,
                                 std::chars_format::fixed, 3);
    return std::string(buf, r.ptr);
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
