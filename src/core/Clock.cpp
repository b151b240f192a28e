#include "core/Clock.h"

#include <ctime>

namespace mereth {

namespace {

bool LocalTm(CalendarTime t, std::tm& out) {
#ifdef _WIN32
    __time64_t value = t;
    return _localtime64_s(&out, &value) == 0;
#else
    std::time_t value = static_cast<std::time_t>(t);
    return localtime_r(&value, &out) != nullptr;
#endif
}

CalendarTime MakeLocal(std::tm& tm) {
#ifdef _WIN32
    return _mktime64(&tm);
#else
    return std::mktime(&tm);
#endif
}

} // namespace

CalendarTime CSystemClock::Now() const {
#ifdef _WIN32
    return _time64(nullptr);
#else
    return std::time(nullptr);
#endif
}

LocalTime CSystemClock::ToLocal(CalendarTime t) const {
    std::tm tm{};
    LocalTime local;
    if (!LocalTm(t, tm)) {
        return local;
    }
    local.year = tm.tm_year + 1900;
    local.month = tm.tm_mon + 1;
    local.day = tm.tm_mday;
    local.hour = tm.tm_hour;
    local.minute = tm.tm_min;
    local.second = tm.tm_sec;
    local.weekday = tm.tm_wday;
    return local;
}

CalendarTime CSystemClock::LocalMidnight(int year, int month, int day) const {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_isdst = -1;
    CalendarTime t = MakeLocal(tm);
    // Where midnight itself does not exist (a zone that springs forward at 00:00)
    // mktime may land in the previous day; the day still starts at its first second.
    if (t != -1 && ToLocal(t).day != day) {
        tm = std::tm{};
        tm.tm_year = year - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = day;
        tm.tm_hour = 1;
        tm.tm_isdst = -1;
        t = MakeLocal(tm);
    }
    return t;
}

} // namespace mereth
