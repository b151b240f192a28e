#pragma once

#include "core/Clock.h"

#include <cstdint>

namespace mereth::test {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// A clock whose "now" the test sets, in a zone of fixed offset from UTC. The same
// arithmetic on every platform, so tests behave alike natively and under Wine.
class CFixedZoneClock : public IClock {
public:
    explicit CFixedZoneClock(int utcOffsetSeconds = 0) : m_offset(utcOffsetSeconds) {}

    CalendarTime Now() const override { return m_now; }
    void Set(CalendarTime t) { m_now = t; }
    void SetLocal(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
        m_now = At(y, mo, d, h, mi, s);
    }
    void Advance(std::int64_t seconds) { m_now += seconds; }

    // The calendar time of a local date and time in this zone.
    CalendarTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) const {
        return DaysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s - m_offset;
    }

    LocalTime ToLocal(CalendarTime t) const override {
        std::int64_t local = t + m_offset;
        std::int64_t days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
        std::int64_t secs = local - days * 86400;
        // Civil from days (inverse of DaysFromCivil).
        std::int64_t z = days + 719468;
        const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
        const unsigned doe = static_cast<unsigned>(z - era * 146097);
        const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
        const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
        const unsigned mp = (5 * doy + 2) / 153;
        LocalTime lt;
        lt.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
        lt.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
        lt.year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (lt.month <= 2));
        lt.hour = static_cast<int>(secs / 3600);
        lt.minute = static_cast<int>(secs / 60 % 60);
        lt.second = static_cast<int>(secs % 60);
        lt.weekday = static_cast<int>(((days % 7) + 11) % 7); // 1970-01-01 was a Thursday
        return lt;
    }

    CalendarTime LocalMidnight(int year, int month, int day) const override {
        return At(year, month, day);
    }

private:
    CalendarTime m_now = 0;
    int m_offset;
};

// A fixed-zone clock on which a second turns over between every two reads: each
// read answers one second later than the one before.
class CSteppingClock : public CFixedZoneClock {
public:
    using CFixedZoneClock::CFixedZoneClock;
    CalendarTime Now() const override { return CFixedZoneClock::Now() + m_reads++; }
    void Set(CalendarTime t) {
        CFixedZoneClock::Set(t);
        m_reads = 0;
    }

private:
    mutable std::int64_t m_reads = 0;
};

} // namespace mereth::test
