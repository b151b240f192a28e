#pragma once

// What a user means to spend on calls in a billing period, and where the spend is heading.
// Portable and pure: dates and amounts in, dates and amounts out.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mereth {

constexpr int ALERT_COUNT = 2;
constexpr std::int32_t DEFAULT_BILLING_DAY = 1;
constexpr std::int32_t DEFAULT_ALERT_PERCENTS[ALERT_COUNT] = {80, 100};

// One record's budget: for all entries together on record 0, optionally for an entry.
// An amount of 0 means none; every figure of the program goes on as without it.
struct Budget {
    float amount = 0.0f;
    // The day of the month a billing period starts, 1..31; a day the month does not
    // have starts it on the month's last day.
    std::int32_t billingDay = DEFAULT_BILLING_DAY;
    std::int32_t alertPercents[ALERT_COUNT] = {DEFAULT_ALERT_PERCENTS[0], DEFAULT_ALERT_PERCENTS[1]};

    bool IsSet() const { return amount > 0.0f; }
    bool operator==(const Budget&) const = default;
};

// A day of the calendar.
struct CalendarDate {
    std::int32_t year = 1970;
    std::int32_t month = 1; // 1..12
    std::int32_t day = 1;   // 1..31
    auto operator<=>(const CalendarDate&) const = default;
};

int DaysInMonth(int year, int month);

// The first day of the billing period that holds date.
CalendarDate BillingPeriodStart(CalendarDate date, int billingDay);
// The first day of the billing period after the one that starts at start.
CalendarDate NextBillingPeriodStart(CalendarDate start, int billingDay);

// How the projected spend stands against the budget.
enum class BudgetLevel { Green, Amber, Red };

struct Projection {
    float spent = 0.0f;     // so far in the period
    float projected = 0.0f; // expected at the period's end at the pace so far
    float left = 0.0f;      // budget less spent; negative once over
    float perDay = 0.0f;    // what may be spent on each day left (today included)
    BudgetLevel level = BudgetLevel::Green;
};

// The projection of spent after elapsedSeconds of a period of periodSeconds (both from
// local midnights, so days of 23 and 25 hours count as they are), daysLeft days to go
// (today included). Red when the projection passes the budget, amber when it passes
// the first alert's share of it.
Projection ProjectSpend(const Budget& budget, float spent, std::int64_t elapsedSeconds,
                        std::int64_t periodSeconds, int daysLeft);

// Bit i set for each alert threshold that spent has reached and alertsGiven (bit i for
// alert i) does not hold yet. Nothing without a budget.
std::uint32_t AlertsDue(const Budget& budget, float spent, std::uint32_t alertsGiven);

// The dates priced at the Sunday rate. A fixed list: reading it allocates nothing.
class CHolidays {
public:
    static constexpr std::size_t CAPACITY = 64;

    bool Contains(CalendarDate date) const;
    std::size_t Count() const { return m_count; }
    CalendarDate At(std::size_t i) const { return m_dates[i]; }
    // Replaces the list with the dates of text ("2026-12-25 2026-12-26", separated by
    // blanks, commas or semicolons). Damaged dates and those past the capacity are left
    // out; returns how many were left out.
    std::size_t Parse(std::string_view text);
    // The list as Parse reads it, sorted; returns the length written (out holds at
    // least 11 * CAPACITY characters).
    std::size_t Format(char* out, std::size_t capacity) const;
    bool operator==(const CHolidays&) const = default;

private:
    CalendarDate m_dates[CAPACITY] = {};
    std::size_t m_count = 0;
};

} // namespace mereth
