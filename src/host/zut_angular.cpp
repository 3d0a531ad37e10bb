// zut::CAngular: angles, held in radians, read and written in the current angle unit.
#include <cmath>
#include <numbers>

#include "host/zut_internal.h"

namespace zut {
namespace {

using namespace detail;

constexpr double kPi = std::numbers::pi;
constexpr double kLower = -2 * kPi;  // one full turn either way, inclusive
constexpr double kUpper = 2 * kPi;

bool known(int u) {
    return u >= au_dms && u <= au_mil;
}

// A full circle in the unit; the bounds are checked in the unit of the text so that the edges
// (360 degrees, 400 gon, 6400 mil) are exact.
double circle(angle_unit u) {
    switch (u) {
        case au_radian:
            return 2 * kPi;
        case au_gon:
            return 400;
        case au_mil:
            return 6400;
        default:
            return 360;  // degrees, DMS
    }
}

double to_radians(double v, angle_unit u) {
    switch (u) {
        case au_radian:
            return v;
        case au_gon:
            return v * kPi / 200;
        case au_mil:
            return v * kPi / 3200;
        default:
            return v * kPi / 180;
    }
}

double from_radians(double r, angle_unit u) {
    switch (u) {
        case au_radian:
            return r;
        case au_gon:
            return r * 200 / kPi;
        case au_mil:
            return r * 3200 / kPi;
        default:
            return r * 180 / kPi;
    }
}

// Integer value of the digits [b, e) (as a double, +inf for absurdly long runs).
double digits_value(const char* b, const char* e) {
    double v = 0;
    for (; b < e; ++b) v = v * 10 + (*b - '0');
    return v;
}

// Value of the digits [b, e) read as a decimal fraction (".5" for "5").
double fraction_value(const char* b, const char* e) {
    double f = 0;
    while (e > b) f = (f + (*--e - '0')) / 10;
    return f;
}

// Digit i of [b, e), '0' beyond its end.
int digit_at(const char* b, const char* e, long i) {
    return b + i < e ? b[i] - '0' : 0;
}

struct Dms {
    double degrees = 0, minutes = 0, seconds = 0;  // seconds with their decimal fraction
};

// Parses the unsigned DMS body at p (forms: DDD, DDD.MMSSs..., DDD.MM.SS, DDD.MM.SS.s,
// DDD MM, DDD MM SS, DDD MM SS.s). Returns the character after the body, or null with *bad set
// to the first invalid character.
const char* parse_dms_body(const char* p, Dms& out, const char** bad) {
    const char* q = skip_digits(p);
    out.degrees = digits_value(p, q);
    if (*q == '.') {
        const char* a = q + 1;
        const char* ae = skip_digits(a);
        if (*ae == '.') {  // DDD.MM.SS[.s]
            if (q == p)
                return *bad = p, nullptr;
            if (ae == a)
                return *bad = ae, nullptr;
            const char* b = ae + 1;
            const char* be = skip_digits(b);
            if (be == b)
                return *bad = b, nullptr;
            out.minutes = digits_value(a, ae);
            out.seconds = digits_value(b, be);
            if (*be != '.')
                return be;
            // "DDD.MM.SS." with nothing after the last point is whole seconds, as some
            // instruments write them.
            const char* c = be + 1;
            const char* ce = skip_digits(c);
            out.seconds += fraction_value(c, ce);
            return ce;
        }
        // DDD.MMSSs...: minutes, seconds, then decimals of seconds; missing digits are zeros.
        if (q == p && ae == a)
            return *bad = p, nullptr;
        out.minutes = digit_at(a, ae, 0) * 10 + digit_at(a, ae, 1);
        out.seconds = digit_at(a, ae, 2) * 10 + digit_at(a, ae, 3);
        if (ae - a > 4)
            out.seconds += fraction_value(a + 4, ae);
        return ae;
    }
    if (q == p)
        return *bad = p, nullptr;
    const char* m = skip_blanks(q);
    if (m == q || !is_digit(*m))
        return q;  // plain whole degrees
    // DDD MM [SS[.s]]
    const char* me = skip_digits(m);
    out.minutes = digits_value(m, me);
    const char* s = skip_blanks(me);
    if (s == me || !is_digit(*s))
        return me;
    const char* se = skip_digits(s);
    out.seconds = digits_value(s, se);
    if (*se != '.')
        return se;
    const char* fe = skip_digits(se + 1);
    out.seconds += fraction_value(se + 1, fe);
    return fe;
}

int read_dms(const char* text, double& degrees, const char** end) {
    if (!text) {
        set_end(end, text);
        return rr_invalid;
    }
    bool negative = false, front_sign = false;
    const char* p = skip_front_sign(text, negative, front_sign);
    Dms dms;
    const char* bad = nullptr;
    const char* q = parse_dms_body(p, dms, &bad);
    if (!q) {
        set_end(end, bad);
        return rr_invalid;
    }
    if (!front_sign && (*q == '+' || *q == '-')) {
        negative = *q == '-';
        ++q;
    }
    const char* r = skip_blanks(q);
    set_end(end, r);
    if (*r)
        return rr_invalid;
    if (dms.minutes >= 60 || dms.seconds >= 60)
        return rr_range;
    const double d = dms.degrees + dms.minutes / 60 + dms.seconds / 3600;
    degrees = negative ? -d : d;
    return rr_ok;
}

constexpr long long kPow10[] = {
    1,        10,        100,        1000,          10000,          100000,         1000000,
    10000000, 100000000, 1000000000, 10000000000LL, 100000000000LL, 1000000000000LL};

std::string two_digits(long long v) {
    return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

// DMS text of `radians` at `precision` (see the header). Rounds once, on the last digit written,
// and carries through seconds and minutes.
std::string write_dms(double radians, int precision) {
    const double deg = std::fabs(radians) * 180 / kPi;
    const bool packed = precision >= 4;
    const int decimals = packed ? precision - 4 : precision;  // decimals of seconds
    const long long scale = kPow10[decimals];
    const double units = deg * 3600 * static_cast<double>(scale);
    if (!(units < 9e18))
        return format_fixed(radians * 180 / kPi, precision);  // absurd angles
    const long long n = std::llround(units);
    const long long frac = n % scale;
    const long long total_seconds = n / scale;
    const long long s = total_seconds % 60;
    const long long m = total_seconds / 60 % 60;
    const long long d = total_seconds / 3600;
    std::string out = radians < 0 && n != 0 ? "-" : "";
    out += std::to_string(d);
    out += '.';
    out += two_digits(m);
    if (!packed)
        out += '.';
    out += two_digits(s);
    if (decimals > 0) {
        if (!packed)
            out += '.';
        const std::string f = std::to_string(frac);
        out.append(static_cast<size_t>(decimals) - f.size(), '0');
        out += f;
    }
    return out;
}

}  // namespace

// Text in the current unit with blanks before and after and a sign in front or directly behind
// the number ("-012.34.56", "123.45.30.0-"). Degrees-minutes-seconds take the forms DDD,
// DDD.MMSSs... ("5.1" is 5 degrees 10 minutes), DDD.MM.SS, DDD.MM.SS.s and DDD MM SS.s;
// minutes or seconds of 60 or more give 7. The other units take plain decimals. Bounds: a full
// circle either way, inclusive (checked in the text's unit). `format` is not used for reading.
// On success the value becomes valid; on 5 or 7 it is left unchanged.
int CAngular::read(const char* text, const char** end, const char* format) {
    const angle_unit u = unit();
    double v = 0;
    const int rc = u == au_dms ? read_dms(text, v, end) : read_signed(text, v, end);
    if (rc != rr_ok)
        return rc;
    const double full = circle(u);
    if (!(v >= -full && v <= full))
        return rr_range;
    *this = to_radians(v, u);
    return rr_ok;
}

// DMS ignores `format` (its layout follows precision()); the other units use `format` when it
// is a valid one-number format, else "%.<precision>f".
std::string CAngular::write(const char* format) const {
    const angle_unit u = unit();
    const int prec = precision();
    if (u == au_dms)
        return write_dms(m_value, prec);
    const double v = from_radians(m_value, u);
    if (valid_double_format(format))
        return format_double(format, v, "%.4f");
    return format_fixed(v, prec);
}

angle_unit CAngular::unit() {
    return settings().angle;
}

angle_unit CAngular::unit(angle_unit u) {
    const angle_unit previous = settings().angle;
    if (known(u))
        settings().angle = u;
    return previous;
}

int CAngular::precision() {
    return settings().angle_precision;
}

// Clamped to 0..12.
int CAngular::precision(int n) {
    const int previous = settings().angle_precision;
    settings().angle_precision = n < 0 ? 0 : n > max_precision ? max_precision : n;
    return previous;
}

double CAngular::lower() {
    return kLower;
}
double CAngular::upper() {
    return kUpper;
}

}  // namespace zut
