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

}  // namespace testing_support
