// Numbers in text: d_val, l_val, sz_empty and the scanners the value types share.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "host/zut_internal.h"

namespace zut {
namespace detail {

const char* skip_blanks(const char* p) {
    while (is_blank(*p)) ++p;
    return p;
}

const char* skip_digits(const char* p) {
    while (is_digit(*p)) ++p;
    return p;
}

const char* scan_unsigned(const char* p) {
    const char* q = skip_digits(p);
    bool digits = q != p;
    if (*q == '.') {
        const char* f = skip_digits(q + 1);
        if (f != q + 1)
            digits = true;
        if (digits)
            q = f;  // "5." and ".5" are numbers, "." is not
    }
    if (!digits)
        return p;
    if (*q == 'e' || *q == 'E') {
        const char* x = q + 1;
        if (*x == '+' || *x == '-')
            ++x;
        const char* xe = skip_digits(x);
        if (xe != x)
            q = xe;  // an e without digits is not part of the number
    }
    return q;
}

// Plain decimals of up to 15 digits ("1234.567"), which is nearly every value a file holds: the
// digits as an integer divided by a power of ten is exact and correctly rounded, the same double
// from_chars gives, at a fraction of its cost.
bool short_decimal(const char* b, const char* e, double& value) {
    static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const long length = e - b;
    if (length < 1 || length > 16)
        return false;
    uint64_t digits = 0;
    const char* point = nullptr;
    for (const char* p = b; p < e; ++p) {
        const unsigned d = static_cast<unsigned>(*p - '0');
        if (d < 10)
            digits = digits * 10 + d;
        else if (*p == '.' && !point)
            point = p;
        else
            return false;
    }
    const long count = point ? length - 1 : length;
    if (count < 1 || count > 15)
        return false;
    value = static_cast<double>(digits) / kPow10[point ? e - point - 1 : 0];
    return true;
}

int to_double(const char* b, const char* e, bool negative, double& value) {
    double v = 0;
    if (short_decimal(b, e, v)) {
        value = negative ? -v : v;
        return rr_ok;
    }
    const auto res = std::from_chars(b, e, v, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Overflow or underflow: tell them apart by the decimal magnitude of the text.
        long magnitude = 0;
        const char* p = b;
        while (p < e && *p == '0') ++p;
        const char* int_end = p;
        while (int_end < e && is_digit(*int_end)) ++int_end;
        if (int_end != p) {
            magnitude = int_end - p;
        } else if (int_end < e && *int_end == '.') {
            const char* z = int_end + 1;
            while (z < e && *z == '0') ++z;
            magnitude = -(z - (int_end + 1));
        }
        const char* x = b;
        while (x < e && *x != 'e' && *x != 'E') ++x;
        if (x < e) {
            long exp = 0;
            const char* xb = *(x + 1) == '+' ? x + 2 : x + 1;
            // Far beyond any double either way; also keeps the sum below from overflowing.
            constexpr long kFar = 1000000;
            if (std::from_chars(xb, e, exp).ec == std::errc::result_out_of_range || exp > kFar ||
                exp < -kFar)
                exp = *xb == '-' ? -kFar : kFar;
            magnitude += exp;
        }
        if (magnitude > 0) {
            value = negative ? -std::numeric_limits<double>::infinity()
                             : std::numeric_limits<double>::infinity();
            return rr_range;
        }
        value = negative ? -0.0 : 0.0;
        return rr_ok;
    }
    value = negative ? -v : v;
    return rr_ok;
}

int read_signed(const char* text, double& value, const char** end) {
    if (!text) {
        set_end(end, text);
        return rr_invalid;
    }
    bool negative = false, front_sign = false;
    const char* p = skip_front_sign(text, negative, front_sign);
    const char* q = scan_unsigned(p);
    if (q == p) {  // no number: the character where the digits should be (end of blank text)
        set_end(end, p);
        return rr_invalid;
    }
    const char* num_end = q;
    if (!front_sign && (*q == '+' || *q == '-')) {
        negative = *q == '-';
        ++q;
    }
    const char* r = skip_blanks(q);
    if (*r) {
        set_end(end, r);
        return rr_invalid;
    }
    set_end(end, r);
    // Overflow gives +-infinity, which every caller's bounds check turns into rr_range.
    to_double(p, num_end, negative, value);
    return rr_ok;
}

}  // namespace detail

using namespace detail;

// Grammar: blanks, [sign], digits[.digits] or .digits, [e[sign]digits], blanks.
// Results: 0 (value set, *end at the end of the text); 5 when a character is not part of the
// number: *end points at it, which for an empty or blank text is the end of the text (its
// terminating zero) and for a sign without digits ("-") the character after the sign; the value
// is then left unchanged. 7 when the number lies outside [lo, hi] (or overflows a double): the
// value holds the number read (+-infinity on overflow), *end is at the end of the text.
int d_val(const char* text, double& value, const char** end, double lo, double hi) {
    if (!text) {
        set_end(end, text);
        return rr_invalid;
    }
    bool negative = false, had_sign = false;
    const char* p = skip_front_sign(text, negative, had_sign);
    const char* q = scan_unsigned(p);
    if (q == p) {
        set_end(end, p);
        return rr_invalid;
    }
    const char* r = skip_blanks(q);
    set_end(end, r);
    if (*r)
        return rr_invalid;
    double v = 0;
    const int rc = to_double(p, q, negative, v);
    value = v;
    if (rc != rr_ok || !(v >= lo && v <= hi))
        return rr_range;
    return rr_ok;
}

// Grammar: blanks, [sign], digits, blanks. Results as for d_val; a decimal point is an invalid
// character; a number beyond the range of long gives 7 with the value saturated.
int l_val(const char* text, long& value, const char** end, long lo, long hi) {
    if (!text) {
        set_end(end, text);
        return rr_invalid;
    }
    bool negative = false, had_sign = false;
    const char* p = skip_front_sign(text, negative, had_sign);
    const char* num = negative ? p - 1 : p;  // from_chars takes a '-' but not a '+'
    const char* q = skip_digits(p);
    if (q == p) {
        set_end(end, p);
        return rr_invalid;
    }
    const char* r = skip_blanks(q);
    set_end(end, r);
    if (*r)
        return rr_invalid;
    long v = 0;
    const auto res = std::from_chars(num, q, v);
    if (res.ec == std::errc::result_out_of_range) {
        value = *num == '-' ? std::numeric_limits<long>::min() : std::numeric_limits<long>::max();
        return rr_range;
    }
    value = v;
    if (v < lo || v > hi)
        return rr_range;
    return rr_ok;
}

bool sz_empty(const char* text) {
    return !text || *skip_blanks(text) == '\0';
}

}  // namespace zut
