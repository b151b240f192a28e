#pragma once

#include <cstdint>

namespace mereth {

constexpr int PERIOD_COUNT = 5;
constexpr std::int32_t MINUTES_PER_DAY = 1440;
constexpr std::int32_t DEFAULT_UNIT_TIME = 60;

enum class DayType { Weekday, Saturday, Sunday };

// What a telephone company charges: five weekday periods, Saturday and Sunday
// all day, the charging method and an optional minimum per call. Plain value.
struct Tariff {
    std::int32_t periodEnd[PERIOD_COUNT] = {MINUTES_PER_DAY, MINUTES_PER_DAY, MINUTES_PER_DAY,
                                            MINUTES_PER_DAY, MINUTES_PER_DAY};
    float periodUnitCost[PERIOD_COUNT] = {};
    float periodConnectionFee[PERIOD_COUNT] = {};
    std::int32_t periodUnitTime[PERIOD_COUNT] = {DEFAULT_UNIT_TIME, DEFAULT_UNIT_TIME,
                                                 DEFAULT_UNIT_TIME, DEFAULT_UNIT_TIME,
                                                 DEFAULT_UNIT_TIME};
    float saturdayUnitCost = 0.0f;
    float saturdayConnectionFee = 0.0f;
    std::int32_t saturdayUnitTime = DEFAULT_UNIT_TIME;
    float sundayUnitCost = 0.0f;
    float sundayConnectionFee = 0.0f;
    std::int32_t sundayUnitTime = DEFAULT_UNIT_TIME;
    std::int32_t chargesMinimumAmount = 0;
    float minimumCallCharge = 0.0f;
    std::int32_t chargeByTheUnit = 0;

    // Set when any of the seven unit costs is non-zero; fees and the minimum do not count.
    bool IsSet() const;

    // The weekday period (1..5) of a minute of the day: the first whose end is not
    // before it. Whatever the ends hold, the answer stays within 1..5.
    int PeriodOfMinute(int minuteOfDay) const;

    bool operator==(const Tariff&) const = default;
};

// The day type of a weekday number, 0 = Sunday .. 6 = Saturday.
DayType DayTypeOf(int weekday);

// What the tariff charges at one moment.
struct Rate {
    float connectionFee = 0.0f;
    float unitCost = 0.0f;
    std::int32_t unitTime = DEFAULT_UNIT_TIME;
    int period = 0; // 1..5 on a weekday, 0 at the weekend
};

Rate RateAt(const Tariff& tariff, int weekday, int minuteOfDay);

// The charge for e seconds of a segment priced at rate (its unit cost per unit time)
// under tariff's charging method and minimum. The connection fee is never part of it.
float SegmentCost(const Tariff& tariff, const Rate& rate, std::int64_t e);

} // namespace mereth
