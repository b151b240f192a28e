#pragma once

#include <cstdint>

namespace mereth {

// Seconds since 1970-01-01 00:00:00 UTC. 64-bit everywhere inside the program so
// that nothing wraps in 2038; a 32-bit stored form is read back as unsigned.
using CalendarTime = std::int64_t;

struct LocalTime {
    int year = 1970; // full year
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..60
    int weekday = 4; // 0 = Sunday .. 6 = Saturday

    int MinuteOfDay() const { return 60 * hour + minute; }
};

// The wall clock and its local-time conversions.
class IClock {
public:
    virtual ~IClock() = default;
    virtual CalendarTime Now() const = 0;
    virtual LocalTime ToLocal(CalendarTime t) const = 0;
    // Local 00:00:00 of the given date, daylight saving time left to the system.
    virtual CalendarTime LocalMidnight(int year, int month, int day) const = 0;
};

// The C library's clock and time zone (TZ on Linux, the system's zone on Windows).
class CSystemClock : public IClock {
public:
    CalendarTime Now() const override;
    LocalTime ToLocal(CalendarTime t) const override;
    CalendarTime LocalMidnight(int year, int month, int day) const override;
};

} // namespace mereth
