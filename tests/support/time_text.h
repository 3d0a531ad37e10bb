// Time values of the readers as text, in local time.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace testing_support {

inline std::string LocalTimeText(int64_t t, const char* format = "%Y-%m-%d %H:%M:%S") {
    std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    char buf[64];
    std::strftime(buf, sizeof buf, format, &tm);
    return buf;
}

// The date a reader reads from `text` as local time; "none" when it refuses the text.
template <class Reader>
std::string DateOf(Reader& reader, const char* text, const char* format = "%Y-%m-%d %H:%M:%S") {
    int64_t t = 0;
    return reader.GetDate(text, &t) == 1 ? LocalTimeText(t, format) : "none";
}

}  // namespace testing_support
