#pragma once

namespace mereth {

// Control ids of the fifteen indicators of the main window, by period and kind.
namespace indicator_id {
constexpr int TOTAL_TIME = 1003;
constexpr int YEAR_TIME = 1009;
constexpr int MONTH_TIME = 1004;
constexpr int TODAY_TIME = 1010;
constexpr int CONN_TIME = 1011;

constexpr int TOTAL_COST = 109;
constexpr int YEAR_COST = 107;
constexpr int MONTH_COST = 108;
constexpr int TODAY_COST = 105;
constexpr int CONN_COST = 106;

constexpr int TOTAL_LOGINS = 111;
constexpr int YEAR_LOGINS = 113;
constexpr int MONTH_LOGINS = 114;
constexpr int TODAY_LOGINS = 112;
constexpr int CONN_LOGINS = 115; // always blank: a connection is one login
} // namespace indicator_id

// The periods from the shortest up; a reset falls through from its period down to Conn.
enum class Period { None, Conn, Today, Month, Year, Total };

// The period an indicator shows, or None for an id that stands for no resettable figure.
constexpr Period PeriodOfIndicator(int id) {
    using namespace indicator_id;
    switch (id) {
    case TOTAL_TIME:
    case TOTAL_COST:
    case TOTAL_LOGINS:
        return Period::Total;
    case YEAR_TIME:
    case YEAR_COST:
    case YEAR_LOGINS:
        return Period::Year;
    case MONTH_TIME:
    case MONTH_COST:
    case MONTH_LOGINS:
        return Period::Month;
    case TODAY_TIME:
    case TODAY_COST:
    case TODAY_LOGINS:
        return Period::Today;
    case CONN_TIME:
    case CONN_COST:
        return Period::Conn;
    default:
        return Period::None;
    }
}

} // namespace mereth
