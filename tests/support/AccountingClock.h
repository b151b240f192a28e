#pragma once

#include "core/Clock.h"

namespace mereth::test {

// The system's own local-time conversions (so the TZ zone with its daylight saving
// rules), with a "now" the test sets.
class CSettableSystemClock : public CSystemClock {
public:
    CalendarTime Now() const override { return m_now; }
    void Set(CalendarTime t) { m_now = t; }
    void Advance(std::int64_t seconds) { m_now += seconds; }

private:
    CalendarTime m_now = 0;
};

} // namespace mereth::test

#ifndef _WIN32
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/stat.h>

namespace mereth::test {

// Whether the system's zone database has the zone; without it TZ silently means UTC.
inline bool ZoneInstalled(const char* zone) {
    struct stat st;
    return stat((std::string("/usr/share/zoneinfo/") + zone).c_str(), &st) == 0;
}

// Sets TZ for the life of the object and puts the previous zone back after it.
class CScopedTimeZone {
public:
    explicit CScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            m_hadOld = true;
            m_old = old;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~CScopedTimeZone() {
        if (m_hadOld) {
            setenv("TZ", m_old.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    CScopedTimeZone(const CScopedTimeZone&) = delete;
    CScopedTimeZone& operator=(const CScopedTimeZone&) = delete;

private:
    bool m_hadOld = false;
    std::string m_old;
};

} // namespace mereth::test
#endif
