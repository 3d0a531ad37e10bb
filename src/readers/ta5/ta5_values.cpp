#include "readers/ta5/ta5_values.h"

#include <ctime>

#include "readers/text_helpers.h"

namespace readers {

namespace {

// Splits off a leading minus; the rest is returned.
std::string_view TakeSign(std::string_view text, bool& negative) {
    negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    return text;
}

// The packed form at most seven characters long, padded with "0" in front to seven.
std::string Packed7(std::string_view digits) {
    std::string t(digits.substr(0, 7));
    t.insert(0, 7 - t.size(), '0');
    return t;
}

}  // namespace

std::string Ta5Millimetres(std::string_view text) {
    bool negative = false;
    std::string t(TakeSign(text, negative));
    if (t.size() < 4)
        t.insert(0, 4 - t.size(), '0');
    t.insert(t.size() - 3, 1, '.');
    if (negative)
        t.insert(0, 1, '-');
    return t;
}

std::string Ta5PackedDms(std::string_view text) {
    bool negative = false;
    std::string t = Packed7(TakeSign(text, negative));
    std::string out =
        (negative ? "-" : "") + t.substr(0, 3) + "." + t.substr(3, 2) + "." + t.substr(5, 2);
    return out;
}

std::string Ta5PackedDecimal(std::string_view text) {
    bool negative = false;
    std::string t = Packed7(TakeSign(text, negative));
    t.insert(3, 1, '.');
    if (negative)
        t.insert(0, 1, '-');
    return t;
}

bool Ta5Date(std::string_view text, int64_t* time, LocalClock& clock) {
    std::tm today{};
    if (!time || !clock.Today(today))
        return false;

    std::string t = Trim(text);
    if (t.size() < 6)
        t.insert(0, 6 - t.size(), '0');
    long day = AtoI(Copy(t, 1, 2));
    long month = AtoI(Copy(t, 3, 2));
    std::string year_text = Copy(t, 5, 2);
    long year = AtoI(year_text);
    // Only two digits make a year; anything else falls back to today's year below.
    bool year_digits =
        year_text.size() == 2 && year_text.find_first_not_of("0123456789") == std::string::npos;
    year = !year_digits ? 0 : (year < 80 ? 2000 + year : 1900 + year);

    std::tm tm{};
    tm.tm_mday = (day < 1 || day > 31) ? today.tm_mday : static_cast<int>(day);
    tm.tm_mon = (month < 1 || month > 12) ? today.tm_mon : static_cast<int>(month) - 1;
    tm.tm_year = (year < 1980 || year > 2100) ? today.tm_year : static_cast<int>(year) - 1900;
    tm.tm_hour = today.tm_hour;
    tm.tm_min = today.tm_min;
    tm.tm_sec = 0;
    tm.tm_isdst = -1;
    const std::time_t result = clock.MakeTime(tm);
    if (result == static_cast<std::time_t>(-1))
        return false;
    *time = static_cast<int64_t>(result);
    return true;
}

}  // namespace readers
