#include "tariff/Budget.h"

#include <gtest/gtest.h>

#include <string>

namespace mereth {
namespace {

constexpr std::int64_t DAY = 86400;

TEST(Budget, BillingPeriodsAndTheProjection) {
    struct Case {
        const char* what;
        CalendarDate date;
        int billingDay;
        CalendarDate start, next;
        float budget, spent;
        std::int64_t elapsed, period;
        int daysLeft;
        float projected, left, perDay;
        BudgetLevel level;
        std::uint32_t given, due;
    };
    const Case cases[] = {
        {"calendar month, on course",
         {2026, 3, 15},
         1,
         {2026, 3, 1},
         {2026, 4, 1},
         31.0f,
         7.0f,
         14 * DAY,
         31 * DAY,
         17,
         15.5f,
         24.0f,
         24.0f / 17,
         BudgetLevel::Green,
         0,
         0},
        {"day 31 in a leap February",
         {2028, 2, 29},
         31,
         {2028, 2, 29},
         {2028, 3, 31},
         10.0f,
         8.0f,
         DAY,
         31 * DAY,
         31,
         248.0f,
         2.0f,
         2.0f / 31,
         BudgetLevel::Red,
         0,
         1},
        {"day 31 before a common February's end",
         {2027, 2, 27},
         31,
         {2027, 1, 31},
         {2027, 2, 28},
         100.0f,
         81.0f,
         27 * DAY,
         28 * DAY,
         1,
         84.0f,
         19.0f,
         19.0f,
         BudgetLevel::Amber,
         0,
         1},
        {"day 30 in a 31-day month",
         {2026, 5, 30},
         30,
         {2026, 5, 30},
         {2026, 6, 30},
         100.0f,
         100.0f,
         10 * DAY,
         31 * DAY,
         21,
         310.0f,
         0.0f,
         0.0f,
         BudgetLevel::Red,
         1,
         2},
        {"over budget across New Year",
         {2027, 1, 10},
         15,
         {2026, 12, 15},
         {2027, 1, 15},
         20.0f,
         25.0f,
         26 * DAY,
         31 * DAY,
         5,
         25.0f * 31 / 26,
         -5.0f,
         0.0f,
         BudgetLevel::Red,
         3,
         0},
        // A period holding a 23-hour day: the projection reaches the budget exactly, which
        // is not over it.
        {"a short day in the period",
         {2026, 3, 30},
         15,
         {2026, 3, 15},
         {2026, 4, 15},
         100.0f,
         50.0f,
         (31 * DAY - 3600) / 2,
         31 * DAY - 3600,
         16,
         100.0f,
         50.0f,
         50.0f / 16,
         BudgetLevel::Amber,
         0,
         0},
        {"nothing gone yet",
         {2026, 4, 1},
         1,
         {2026, 4, 1},
         {2026, 5, 1},
         10.0f,
         2.0f,
         0,
         30 * DAY,
         30,
         2.0f,
         8.0f,
         8.0f / 30,
         BudgetLevel::Green,
         0,
         0},
        {"no budget",
         {2026, 4, 1},
         1,
         {2026, 4, 1},
         {2026, 5, 1},
         0.0f,
         20.0f,
         DAY,
         30 * DAY,
         29,
         0.0f,
         0.0f,
         0.0f,
         BudgetLevel::Green,
         0,
         0},
        {"a billing day the store could not hold",
         {2026, 4, 1},
         40,
         {2026, 4, 1},
         {2026, 5, 1},
         -5.0f,
         20.0f,
         DAY,
         30 * DAY,
         29,
         0.0f,
         0.0f,
         0.0f,
         BudgetLevel::Green,
         0,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(BillingPeriodStart(c.date, c.billingDay), c.start);
        EXPECT_EQ(NextBillingPeriodStart(c.start, c.billingDay), c.next);
        // The day before the next period is still in this one.
        CalendarDate lastDay = c.next;
        if (--lastDay.day == 0) {
            lastDay.month = lastDay.month == 1 ? 12 : lastDay.month - 1;
            lastDay.year -= c.next.month == 1 ? 1 : 0;
            lastDay.day = DaysInMonth(lastDay.year, lastDay.month);
        }
        EXPECT_EQ(BillingPeriodStart(lastDay, c.billingDay), c.start);
        EXPECT_EQ(BillingPeriodStart(c.next, c.billingDay), c.next);

        Budget budget;
        budget.amount = c.budget;
        budget.billingDay = c.billingDay;
        const Projection p = ProjectSpend(budget, c.spent, c.elapsed, c.period, c.daysLeft);
        EXPECT_FLOAT_EQ(p.projected, c.projected);
        EXPECT_FLOAT_EQ(p.left, c.left);
        EXPECT_FLOAT_EQ(p.perDay, c.perDay);
        EXPECT_EQ(p.level, c.level);
        EXPECT_EQ(AlertsDue(budget, c.spent, c.given), c.due);
    }
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
}

TEST(Budget, HolidaysKeepEveryWellFormedDateOnce) {
    struct Case {
        const char* text;
        std::size_t leftOut;
        const char* formatted;
    };
    const Case cases[] = {
        {"", 0, ""},
        {"2026-12-26,2026-12-25;2026-12-25\t 2027-01-01\r\n", 0,
         "2026-12-25 2026-12-26 2027-01-01"},
        {"2026-02-29 2028-02-29 2026-13-01 2026-1-05 26-01-05 2026-04-31x 2026-04-30", 5,
         "2026-04-30 2028-02-29"},
        {";;,, 1969-12-31 ,abc, 2026-11-11", 2, "2026-11-11"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CHolidays holidays;
        holidays.Parse("2020-01-01"); // replaced, not added to
        EXPECT_EQ(holidays.Parse(c.text), c.leftOut);
        char text[11 * CHolidays::CAPACITY];
        const std::size_t length = holidays.Format(text, sizeof text);
        EXPECT_EQ(std::string(text, length), c.formatted);
        EXPECT_FALSE(holidays.Contains({2020, 1, 1}));
        for (std::size_t i = 0; i < holidays.Count(); ++i) {
            EXPECT_TRUE(holidays.Contains(holidays.At(i)));
        }
    }

    // Past the capacity the rest is left out; the full list still formats whole.
    std::string many;
    for (int d = 1; d <= 28; ++d) {
        for (int m = 1; m <= 3; ++m) {
            many +=
                "2026-0" + std::to_string(m) + "-" + (d < 10 ? "0" : "") + std::to_string(d) + " ";
        }
    }
    CHolidays full;
    EXPECT_EQ(full.Parse(many), 84 - CHolidays::CAPACITY);
    char text[11 * CHolidays::CAPACITY];
    EXPECT_EQ(full.Format(text, sizeof text), 11 * CHolidays::CAPACITY - 1);
    CHolidays again;
    EXPECT_EQ(again.Parse(text), 0u);
    EXPECT_TRUE(again == full);
}

} // namespace
} // namespace mereth
