#pragma once

#include "core/FixedString.h"
#include "tariff/Budget.h"
#include "tariff/Tariff.h"

#include <cstdint>

namespace mereth {

// A running figure: value is what is shown, saved and logged; base is the value
// when the current accounting segment began (value = base + the segment's amount).
template <typename T> struct Figure {
    T value{};
    T base{};
    bool operator==(const Figure&) const = default;
};

using TimeFigure = Figure<std::int32_t>; // seconds
using CostFigure = Figure<float>;        // money

// Phone-book entry names are at most 256 characters; start dates are short date texts.
using EntryName = CFixedString<256>;
using DateText = CFixedString<63>;

// The periods from the shortest up; a reset falls through from its period down to Conn.
enum class Period { None, Conn, Today, Month, Year, Total };

constexpr const char* ALL_CONNECTIONS_NAME = "All Dial-up Connections";

// Time, cost and logins of one phone-book entry, or of all of them, over the
// periods Conn, Today, Month, Year and Total, with the entry's tariff.
struct ConnectionStats {
    EntryName name;
    DateText startDate;
    TimeFigure connTime;
    TimeFigure yearTime;
    TimeFigure monthTime;
    TimeFigure todayTime;
    TimeFigure totalTime;
    CostFigure connCost;
    CostFigure yearCost;
    CostFigure monthCost;
    CostFigure todayCost;
    CostFigure totalCost;
    std::int32_t yearLogins = 0;
    std::int32_t monthLogins = 0;
    std::int32_t todayLogins = 0;
    std::int32_t totalLogins = 0;
    Tariff tariff;
    Budget budget;                 // edited on the Set Charges sheet with the tariff
    CostFigure billingCost;        // spend in the current billing period
    CalendarDate billingStart;     // first day of the period billingCost belongs to
    std::uint32_t alertsGiven = 0; // bit i: alert i was shown in this billing period

    // Every time and cost base takes its value; logins have no base.
    void Rebase();
};

} // namespace mereth
