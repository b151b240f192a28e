#pragma once

namespace mereth {

// Control ids of the fifteen indicators of the main window, by period and kind.
namespace indicator_id {
constexpr int kTotalTime = 1003;
constexpr int kYearTime = 1009;
constexpr int kMonthTime = 1004;
constexpr int kTodayTime = 1010;
constexpr int kConnTime = 1011;

constexpr int kTotalCost = 109;
constexpr int kYearCost = 107;
constexpr int kMonthCost = 108;
constexpr int kTodayCost = 105;
constexpr int kConnCost = 106;

constexpr int kTotalLogins = 111;
constexpr int kYearLogins = 113;
constexpr int kMonthLogins = 114;
constexpr int kTodayLogins = 112;
constexpr int kConnLogins = 115; // always blank: a connection is one login
} // namespace indicator_id

// The periods from the shortest up; a reset falls through from its period down to Conn.
enum class Period { None, Conn, Today, Month, Year, Total };

// The period an indicator shows, or None for an id that stands for no resettable figure.
constexpr Period PeriodOfIndicator(int id) {
    using namespace indicator_id;
    switch (id) {
    case kTotalTime:
    case kTotalCost:
    case kTotalLogins:
        return Period::Total;
    case kYearTime:
    case kYearCost:
    case kYearLogins:
        return Period::Year;
    case kMonthTime:
    case kMonthCost:
    case kMonthLogins:
        return Period::Month;
    case kTodayTime:
    case kTodayCost:
    case kTodayLogins:
        return Period::Today;
    case kConnTime:
    case kConnCost:
        return Period::Conn;
    default:
        return Period::None;
    }
}

} // namespace mereth
