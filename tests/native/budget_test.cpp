#include "tariff/Budget.h"

#include <gtest/gtest.h>

#include <string>

namespace mereth {
namespace {

constexpr std::int64_t DAY = 86400;

TEST(Budget, BillingPeriodsAndTheProjection) {
    struct Spend {
        float budget, spent;
        std::int64_t elapsed, period;
        int daysLeft;
    };
    struct Case {
        CalendarDate date, start, next;
        int billingDay;
        Spend in;
        Projection out;
        std::uint32_t given, due;
    };
    using enum BudgetLevel;
    // clang-format off
    const Case cases[] = {
        {{2026, 3, 15}, {2026, 3, 1}, {2026, 4, 1}, 1, {31, 7, 14 * DAY, 31 * DAY, 17},
         {7, 15.5f, 24, 24.0f / 17, Green}, 0, 0},
        // Day 31 in a leap February, then before a common February's end.
        {{2028, 2, 29}, {2028, 2, 29}, {2028, 3, 31}, 31, {10, 8, DAY, 31 * DAY, 31},
         {8, 248, 2, 2.0f / 31, Red}, 0, 1},
        {{2027, 2, 27}, {2027, 1, 31}, {2027, 2, 28}, 31, {100, 81, 27 * DAY, 28 * DAY, 1},
         {81, 84, 19, 19, Amber}, 0, 1},
        // Over budget, across New Year: nothing left to spend.
        {{2027, 1, 10}, {2026, 12, 15}, {2027, 1, 15}, 15, {20, 26, 26 * DAY, 31 * DAY, 5},
         {26, 31, -6, 0, Red}, 1, 2},
        // A period holding a 23-hour day, projected exactly at the budget: not over it.
        {{2026, 3, 30}, {2026, 3, 15}, {2026, 4, 15}, 15,
         {100, 50, (31 * DAY - 3600) / 2, 31 * DAY - 3600, 16}, {50, 100, 50, 50.0f / 16, Amber},
         0, 0},
        {{2026, 4, 1}, {2026, 4, 1}, {2026, 5, 1}, 1, {10, 2, 0, 30 * DAY, 30},
         {2, 2, 8, 8.0f / 30, Green}, 0, 0},
        // No budget, and a billing day no month has.
        {{2026, 4, 1}, {2026, 4, 1}, {2026, 5, 1}, 40, {0, 20, DAY, 30 * DAY, 29}, {}, 0, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.date.year << "-" << c.date.month << "-" << c.date.day);
        EXPECT_EQ(BillingPeriodStart(c.date, c.billingDay), c.start);
        EXPECT_EQ(BillingPeriodStart(c.next, c.billingDay), c.next);
        EXPECT_EQ(NextBillingPeriodStart(c.start, c.billingDay), c.next);
        const Budget budget{c.in.budget, c.billingDay};
        const Projection p =
            ProjectSpend(budget, c.in.spent, c.in.elapsed, c.in.period, c.in.daysLeft);
        EXPECT_FLOAT_EQ(p.spent, c.out.spent);
        EXPECT_FLOAT_EQ(p.projected, c.out.projected);
        EXPECT_FLOAT_EQ(p.left, c.out.left);
        EXPECT_FLOAT_EQ(p.perDay, c.out.perDay);
        EXPECT_EQ(p.level, c.out.level);
        EXPECT_EQ(AlertsDue(budget, c.in.spent, c.given), c.due);
    }
}

TEST(Budget, HolidaysKeepEveryWellFormedDateOnceInOrder) {
    const struct {
        const char* text;
        std::size_t leftOut;
        const char* formatted;
    } cases[] = {
        {"", 0, ""},
        {"2026-12-26,2026-12-25;2026-12-25\t 2027-01-01\r\n", 0,
         "2026-12-25 2026-12-26 2027-01-01"},
        {"2028-02-29 2026-02-29 2026-13-01 2026-1-05 1969-12-31 2026-04-31x ,xyz; 2026-04-30", 6,
         "2026-04-30 2028-02-29"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CHolidays holidays;
        holidays.Parse("2020-01-01"); // replaced, not added to
        EXPECT_EQ(holidays.Parse(c.text), c.leftOut);
        char text[11 * CHolidays::CAPACITY];
        EXPECT_EQ(std::string(text, holidays.Format(text, sizeof text)), c.formatted);
        EXPECT_FALSE(holidays.Contains({2020, 1, 1}));
        EXPECT_EQ(holidays.Count() > 0 && holidays.Contains({2026, 4, 30}), c.leftOut > 0);
    }
}

} // namespace
} // namespace mereth
