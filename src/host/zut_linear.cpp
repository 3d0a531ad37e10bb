// zut::CLinear: distances, held in metres, read and written in the current distance unit.
#include "host/zut_internal.h"

namespace zut {
namespace {

// Bounds in metres: far beyond any survey distance or coordinate, inclusive.
constexpr double kLower = -1e8;
constexpr double kUpper = 1e8;
// With automatic range extension on (projected coordinates), far larger values are taken.
constexpr double kExtended = 1e12;

bool Extended() {
    return CEast::m_AutoRange || CNorth::m_AutoRange;
}

bool known(int u) {
    return u >= du_metre && u <= du_us_foot;
}

// Text in unit `u` to metres. Millimetres divide, so that whole numbers of them stay exact.
double to_metres(double v, dist_unit u) {
    switch (u) {
        case du_foot:
            return v * 0.3048;
        case du_millimetre:
            return v / 1000.0;
        case du_us_foot:
            return v * 1200.0 / 3937.0;
        default:
            return v;
    }
}

double from_metres(double m, dist_unit u) {
    switch (u) {
        case du_foot:
            return m / 0.3048;
        case du_millimetre:
            return m * 1000.0;
        case du_us_foot:
            return m * 3937.0 / 1200.0;
        default:
            return m;
    }
}

}  // namespace

// Plain decimal (exponent allowed) in the current unit, blanks before and after, a sign in
// front or directly behind ("12.5-"). `format` is not used for reading. On success the value
// becomes valid; on 5 or 7 it is left unchanged (see d_val for where *end points).
int CLinear::read(const char* text, const char** end, const char* format) {
    double v = 0;
    const int rc = detail::read_signed(text, v, end);
    if (rc != rr_ok)
        return rc;
    const double m = to_metres(v, unit());
    if (!(m >= lower() && m <= upper()))
        return rr_range;
    *this = m;
    return rr_ok;
}

std::string CLinear::write(const char* format) const {
    return detail::format_double(format, from_metres(m_value, unit()), "%.3f");
}

dist_unit CLinear::unit() {
    return detail::settings().dist;
}

// An unknown code leaves the unit as it is.
dist_unit CLinear::unit(dist_unit u) {
    const dist_unit previous = detail::settings().dist;
    if (known(u))
        detail::settings().dist = u;
    return previous;
}

double CLinear::lower() {
    return Extended() ? -kExtended : kLower;
}
double CLinear::upper() {
    return Extended() ? kExtended : kUpper;
}

}  // namespace zut
