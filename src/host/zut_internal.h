// Internals of the values library (zut): the process-wide settings and the shared text helpers.
// Not part of the contract; only src/host/zut_*.cpp include it.
#pragma once

#include <string>

#include "import/contracts/zut.h"

namespace zut::detail {

// Every process-wide unit and presentation setting of the library, in one place
// (defined in zut_state.cpp). Single-threaded use, as the import runs on one thread.
struct Settings {
    dist_unit dist = du_metre;
    angle_unit angle = au_dms;
    int angle_precision = 4;
    pres_unit press = pu_hpa;
    temp_unit temp = tu_celsius;

    double false_easting = 0;
    double false_northing = 0;
    int zone = 0;
    zw_type zone_width = zw_6deg;
    east_style east = es_plain;
    north_style north = ns_plain;
    int east_precision = 3;
    int north_precision = 3;
};
Settings& settings();

// Highest number of decimals the writers accept (precision setters clamp to 0..max_precision).
constexpr int max_precision = 12;

// Blank: space, tab, CR, LF, VT, FF (fixed-width fields and line ends keep them).
constexpr bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
constexpr bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
const char* skip_blanks(const char* p);
const char* skip_digits(const char* p);

// Scans an unsigned decimal number `digits[.digits]` (at least one digit, ".5" and "5." allowed)
// with an optional exponent `e[+-]digits` (taken only when digits follow the e). Returns the
// character after it, or `p` when there is no number at `p`.
const char* scan_unsigned(const char* p);

// Converts the unsigned number text [b, e) (as scan_unsigned accepts it) to a double, negated when
// `negative`. 0, or rr_range on overflow (value is then +-infinity). Underflow gives 0.
int to_double(const char* b, const char* e, bool negative, double& value);

// Reads a decimal number with blanks before and after and an optional sign either in front or
// directly after the number ("12.5-"). rr_ok, or rr_invalid with *end on the first invalid
// character (the end of the text for empty or blank text). *end is set to the end of the text on
// success. No bounds check: a number beyond the double range reads as +-infinity.
int read_signed(const char* text, double& value, const char** end);

// Sets *end when end is not null.
// Skips blanks and a sign in front of a number; `negative` for a minus. Returns the first
// character after them, and whether a sign was there in `had_sign`.
inline const char* skip_front_sign(const char* text, bool& negative, bool& had_sign) {
    const char* p = skip_blanks(text);
    negative = *p == '-';
    had_sign = *p == '+' || *p == '-';
    return had_sign ? p + 1 : p;
}

inline void set_end(const char** end, const char* p) {
    if (end)
        *end = p;
}

// printf of one double. `format` applies when it holds exactly one conversion %f, %F, %e, %E,
// %g or %G (flags, width, precision and an `l` allowed; other text and %% too); otherwise
// `fallback` (a format known to be good) is used. A result of only "-", "0" and "." (negative
// zero after rounding) loses its sign.
std::string format_double(const char* format, double value, const char* fallback);
// "%.<decimals>f" of the value.
std::string format_fixed(double value, int decimals);
// True when `format` is a usable format for format_double.
bool valid_double_format(const char* format);

}  // namespace zut::detail
