#include "tariff/WeekdayPeriods.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mereth {
namespace {

using Periods = CWeekdayPeriods;

// Rows as "from-to", a disabled row in brackets.
std::string RowsOf(const Periods& page) {
    std::string rows;
    for (int row = 1; row <= Periods::ROW_COUNT; ++row) {
        std::string texts = std::string(page.FromText(row)) + "-" + page.ToText(row);
        rows += (row > 1 ? " " : "") + (page.RowEnabled(row) ? texts : "[" + texts + "]");
    }
    return rows;
}

// Up-downs as "low/position"; the upper bound is always 48.
std::string UpDownsOf(const Periods& page) {
    std::string updowns;
    for (int n = 1; n <= Periods::UPDOWN_COUNT; ++n) {
        updowns += (n > 1 ? " " : "") + std::to_string(page.RangeLow(n)) + "/" +
                   std::to_string(page.Position(n));
    }
    return updowns;
}

struct Step {
    int updown;
    int position;
};

TEST(WeekdayPeriods, UpDownsPushLaterEndsAlong) {
    // Half-hour positions reached one step at a time from `from` to `to` on up-down 1.
    auto Walk = [](int from, int to) {
        std::vector<Step> steps;
        for (int p = from; p != to;) {
            p += to > from ? 1 : -1;
            steps.push_back({1, p});
        }
        return steps;
    };
    struct Case {
        const char* name;
        std::int32_t ends[4];
        std::vector<Step> steps;
        const char* rows;
        const char* updowns;
        unsigned lastChanged; // rows that the last step changed
    } cases[] = {
        // clang-format off
        {"default tariff, nothing moves", {1440, 1440, 1440, 1440}, {{1, 48}},
         "00:00-24:00 [24:00-24:00] [24:00-24:00] [24:00-24:00] [24:00-24:00]", "0/48 48/48 48/48 48/48", 0},
        {"one step down from 24:00", {1440, 1440, 1440, 1440}, {{1, 47}},
         "00:00-23:30 23:30-24:00 [24:00-24:00] [24:00-24:00] [24:00-24:00]", "0/47 47/48 48/48 48/48", 0b11},
        {"up to 19:00 pushes period 2", {480, 1080, 1440, 1440}, Walk(16, 38),
         "00:00-19:00 19:00-19:00 19:00-24:00 [24:00-24:00] [24:00-24:00]", "0/38 38/38 38/48 48/48", 0b111},
        {"back to 17:00 leaves period 2", {1140, 1140, 1440, 1440}, Walk(38, 34),
         "00:00-17:00 17:00-19:00 19:00-24:00 [24:00-24:00] [24:00-24:00]", "0/34 34/38 38/48 48/48", 0b11},
        {"to 24:00 pushes every end", {480, 1080, 1200, 1320}, {{1, 48}},
         "00:00-24:00 [24:00-24:00] [24:00-24:00] [24:00-24:00] [24:00-24:00]", "0/48 48/48 48/48 48/48", 0b11111},
        {"and back restores nothing", {480, 1080, 1200, 1320}, {{1, 48}, {1, 16}},
         "00:00-08:00 08:00-24:00 [24:00-24:00] [24:00-24:00] [24:00-24:00]", "0/16 16/48 48/48 48/48", 0b11},
        {"a later up-down pushes only what follows", {480, 1080, 1200, 1320}, {{3, 45}},
         "00:00-08:00 08:00-18:00 18:00-22:30 22:30-22:30 22:30-24:00", "0/16 16/36 36/45 45/45", 0b11100},
        {"a position below the range is held at it", {480, 1080, 1200, 1320}, {{2, 3}},
         "00:00-08:00 08:00-08:00 08:00-20:00 20:00-22:00 22:00-24:00", "0/16 16/16 16/40 40/44", 0b110},
        {"ends out of order, off the half hour, out of the day", {-45, 600, 485, 2000}, {},
         "00:00-00:00 00:00-10:00 10:00-10:00 10:00-24:00 [24:00-24:00]", "0/0 0/20 20/20 20/48", 0},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Periods page;
        page.Load(c.ends);
        unsigned changed = 0;
        for (const Step& step : c.steps) {
            changed = page.OnUpDownChanged(step.updown, step.position);
        }
        EXPECT_EQ(RowsOf(page), c.rows);
        EXPECT_EQ(UpDownsOf(page), c.updowns);
        EXPECT_EQ(changed, c.lastChanged);
    }
}

TEST(WeekdayPeriods, EndsAreWholeHalfHours) {
    Periods page;
    const std::int32_t loaded[4] = {485, 1080, 1200, 1439};
    page.Load(loaded);
    std::int32_t ends[4] = {};
    page.Ends(ends);
    const std::int32_t expected[4] = {480, 1080, 1200, 1410};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(ends[k], expected[k]) << "end " << k + 1;
    }
}

TEST(WeekdayPeriods, HalfHourTexts) {
    struct Case {
        int h;
        const char* text;
    } cases[] = {{0, "00:00"},  {1, "00:30"},  {17, "08:30"}, {47, "23:30"},
                 {48, "24:00"}, {-1, "00:00"}, {49, "24:00"}};
    for (const Case& c : cases) {
        EXPECT_STREQ(Periods::HalfHourText(c.h), c.text) << c.h;
    }
}

} // namespace
} // namespace mereth
