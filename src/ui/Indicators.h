#pragma once
// The fifteen indicators of the main window, one row each: the period and kind it sits
// at, its control, the figure of a record it shows and the registry values its display
// settings are kept under. Everything that goes by indicator walks this table.
#include "accounting/ConnectionStats.h"
#include "res/resource.h"

#include <cstdint>

namespace mereth {

// The kinds of indicator the radio buttons switch between (m_indicatorKind).
constexpr int KIND_TIMES = 0;
constexpr int KIND_COSTS = 1;
constexpr int KIND_LOGINS = 2;

struct IndicatorRow {
    int controlId;
    Period period;
    int kind;
    const char* windowName; // the control's window text
    // The figure shown: one of the three by kind; none for the Conn login indicator,
    // which stays blank (a connection is one login).
    TimeFigure ConnectionStats::*time;
    CostFigure ConnectionStats::*cost;
    std::int32_t ConnectionStats::*logins;
    // Value names under Settings\Times, Costs or Logins; null where nothing is kept.
    const char* colourValue;
    const char* showSecondsValue;
    const char* showDaysValue; // null for Today, which never shows days
};

constexpr IndicatorRow TimeRow(int id, Period period, const char* name,
                               TimeFigure ConnectionStats::*figure, const char* showSeconds,
                               const char* showDays, const char* colour) {
    return {id, period, KIND_TIMES, name, figure, nullptr, nullptr, colour, showSeconds, showDays};
}

constexpr IndicatorRow CostRow(int id, Period period, const char* name,
                               CostFigure ConnectionStats::*figure, const char* colour) {
    return {id, period, KIND_COSTS, name, nullptr, figure, nullptr, colour, nullptr, nullptr};
}

constexpr IndicatorRow LoginsRow(int id, Period period, const char* name,
                                 std::int32_t ConnectionStats::*figure, const char* colour) {
    return {id, period, KIND_LOGINS, name, nullptr, nullptr, figure, colour, nullptr, nullptr};
}

constexpr int INDICATOR_COUNT = 15;

// By kind, each Total, Month, Year, Today, Conn: the order the settings are written in.
inline constexpr IndicatorRow INDICATORS[INDICATOR_COUNT] = {
    TimeRow(IDC_TOTAL_TIME, Period::Total, "total", &ConnectionStats::totalTime, "TotalShowSeconds",
            "TotalShowDays", "TotalColor"),
    TimeRow(IDC_MONTH_TIME, Period::Month, "month", &ConnectionStats::monthTime, "MonthShowSeconds",
            "MonthShowDays", "MonthColor"),
    TimeRow(IDC_YEAR_TIME, Period::Year, "year", &ConnectionStats::yearTime, "YearShowSeconds",
            "YearShowDays", "YearColor"),
    TimeRow(IDC_TODAY_TIME, Period::Today, "today", &ConnectionStats::todayTime, "TodayShowSeconds",
            nullptr, "TodayColor"),
    TimeRow(IDC_CONN_TIME, Period::Conn, "conn", &ConnectionStats::connTime, "ConnShowSeconds",
            "ConnShowDays", "ConnColor"),
    CostRow(IDC_TOTAL_COST, Period::Total, "total", &ConnectionStats::totalCost, "TotalColor"),
    CostRow(IDC_MONTH_COST, Period::Month, "month", &ConnectionStats::monthCost, "MonthColor"),
    CostRow(IDC_YEAR_COST, Period::Year, "year", &ConnectionStats::yearCost, "YearColor"),
    CostRow(IDC_TODAY_COST, Period::Today, "today", &ConnectionStats::todayCost, "TodayColor"),
    CostRow(IDC_CONN_COST, Period::Conn, "conn", &ConnectionStats::connCost, "ConnColor"),
    LoginsRow(IDC_TOTAL_LOGINS, Period::Total, "total", &ConnectionStats::totalLogins,
              "TotalColor"),
    LoginsRow(IDC_MONTH_LOGINS, Period::Month, "month", &ConnectionStats::monthLogins,
              "MonthColor"),
    LoginsRow(IDC_YEAR_LOGINS, Period::Year, "year", &ConnectionStats::yearLogins, "YearColor"),
    LoginsRow(IDC_TODAY_LOGINS, Period::Today, "today", &ConnectionStats::todayLogins,
              "TodayColor"),
    LoginsRow(IDC_CONN_LOGINS, Period::Conn, "conn", nullptr, nullptr),
};

// The row of a control id, -1 for none.
constexpr int IndicatorRowOf(int controlId) {
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        if (INDICATORS[i].controlId == controlId) {
            return i;
        }
    }
    return -1;
}

// The row of a period's indicator of a kind, -1 for none.
constexpr int IndicatorRowOf(int kind, Period period) {
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        if (INDICATORS[i].kind == kind && INDICATORS[i].period == period) {
            return i;
        }
    }
    return -1;
}

constexpr bool ShowsFigure(const IndicatorRow& row) {
    return row.time != nullptr || row.cost != nullptr || row.logins != nullptr;
}

constexpr bool HasDaysField(const IndicatorRow& row) {
    return row.kind == KIND_TIMES && row.showDaysValue != nullptr;
}

// The period a reset from this indicator zeroes; None for an indicator without a figure
// and for any other id.
constexpr Period PeriodOfIndicator(int controlId) {
    const int row = IndicatorRowOf(controlId);
    return row >= 0 && ShowsFigure(INDICATORS[row]) ? INDICATORS[row].period : Period::None;
}

} // namespace mereth
