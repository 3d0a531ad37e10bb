// Writing numbers through caller-supplied printf formats, safely.
#include <cstdio>
#include <cstring>

#include "host/zut_internal.h"

namespace zut::detail {

bool valid_double_format(const char* format) {
    if (!format)
        return false;
    int conversions = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        while (*p && std::strchr("-+ #0", *p)) ++p;
        const char* w = p;
        p = skip_digits(p);
        if (p - w > 3)
            return false;  // keep widths sane
        if (*p == '.') {
            const char* d = ++p;
            p = skip_digits(p);
            if (p - d > 2)
                return false;
        }
        if (*p == 'l')
            ++p;
        if (!*p || !std::strchr("fFeEgG", *p))
            return false;
        ++conversions;
    }
    return conversions == 1;
}

std::string format_double(const char* format, double value, const char* fallback) {
    const char* f = valid_double_format(format) ? format : fallback;
    char small[64];
    const int n = std::snprintf(small, sizeof small, f, value);
    if (n < 0)
        return std::string();
    std::string out;
    if (static_cast<size_t>(n) < sizeof small) {
        out.assign(small, static_cast<size_t>(n));
    } else {
        out.resize(static_cast<size_t>(n) + 1);
        std::snprintf(out.data(), out.size(), f, value);
        out.resize(static_cast<size_t>(n));
    }
    // "-0.000": a negative value that rounds to zero is written as zero.
    if (out.size() > 1 && out[0] == '-' && out.find_first_not_of("0.", 1) == std::string::npos) {
        out.erase(0, 1);
    }
    return out;
}

std::string format_fixed(double value, int decimals) {
    if (decimals < 0)
        decimals = 0;
    if (decimals > max_precision)
        decimals = max_precision;
    char fmt[16];
    std::snprintf(fmt, sizeof fmt, "%%.%df", decimals);
    return format_double(fmt, value, "%.3f");
}

}  // namespace zut::detail
