#include "readers/local_clock.h"

#include <gtest/gtest.h>

namespace {

std::tm Fields(int year, int month, int day, int hour, int minute, int second, int dst = -1) {
    return {.tm_sec = second,
            .tm_min = minute,
            .tm_hour = hour,
            .tm_mday = day,
            .tm_mon = month - 1,
            .tm_year = year - 1900,
            .tm_isdst = dst};
}

}  // namespace

// The kept answer is given again only for the same fields: a change of any one of them is a new
// conversion. Today is pinned through the readers, whose bad date parts come from it.
TEST(LocalClock, MakesWhatMktimeMakes) {
    readers::LocalClock clock;
    const std::tm asked[] = {
        Fields(2024, 3, 10, 12, 30, 0),    Fields(2024, 3, 10, 12, 30, 0),
        Fields(2024, 3, 10, 12, 30, 1),    Fields(2024, 3, 10, 12, 31, 1),
        Fields(2024, 3, 10, 13, 31, 1),    Fields(2024, 3, 11, 13, 31, 1),
        Fields(2024, 4, 11, 13, 31, 1),    Fields(2025, 4, 11, 13, 31, 1),
        Fields(2025, 4, 11, 13, 31, 1, 0), Fields(2024, 13, 40, 25, 0, 0),
    };
    for (const std::tm& tm : asked) {
        std::tm copy = tm;
        EXPECT_EQ(clock.MakeTime(tm), std::mktime(&copy)) << tm.tm_year << '-' << tm.tm_mon;
    }
}
