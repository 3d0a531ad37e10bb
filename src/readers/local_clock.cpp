#include "readers/local_clock.h"

namespace readers {

namespace {

bool SameFields(const std::tm& a, const std::tm& b) {
    return a.tm_sec == b.tm_sec && a.tm_min == b.tm_min && a.tm_hour == b.tm_hour &&
           a.tm_mday == b.tm_mday && a.tm_mon == b.tm_mon && a.tm_year == b.tm_year &&
           a.tm_isdst == b.tm_isdst;
}

}  // namespace

bool LocalClock::Today(std::tm& today) {
    const std::time_t now = std::time(nullptr);
    if (now != m_now) {
        m_now = now;
        m_bTodayRead = localtime_r(&now, &m_today) != nullptr;
        if (!m_bTodayRead)
            m_today = {};
    }
    today = m_today;
    return m_bTodayRead;
}

std::time_t LocalClock::MakeTime(const std::tm& tm) {
    if (!m_bMade || !SameFields(tm, m_asked)) {
        std::tm copy = tm;
        m_made = std::mktime(&copy);
        m_asked = tm;
        m_bMade = true;
    }
    return m_made;
}

}  // namespace readers
