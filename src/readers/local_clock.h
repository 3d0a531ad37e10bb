// Local calendar time for the readers' date fields. Records repeat the same date, so the last
// conversion is kept and today is looked up again only when the second changes: the time zone
// rules are consulted only when the answer can differ.
#pragma once

#include <ctime>

namespace readers {

class LocalClock {
  public:
    // The local date and time now; false when the clock cannot be read.
    bool Today(std::tm& today);
    // What std::mktime makes of `tm` (-1 when it cannot); `tm` itself is left as it is.
    std::time_t MakeTime(const std::tm& tm);

  private:
    std::time_t m_now = -1;
    std::tm m_today{};
    bool m_bTodayRead = false;
    std::tm m_asked{};
    std::time_t m_made = -1;
    bool m_bMade = false;
};

}  // namespace readers
