#include "tariff/Tariff.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

Tariff DayEveningNight() {
    Tariff t;
    t.periodEnd[0] = 480;
    t.periodEnd[1] = 1080;
    return t;
}

TEST(Tariff, DefaultsChargeNothingAndAreNotSet) {
    Tariff t;
    EXPECT_FALSE(t.IsSet());
    for (int p = 0; p < PERIOD_COUNT; ++p) {
        EXPECT_EQ(t.periodEnd[p], 1440);
        EXPECT_EQ(t.periodUnitTime[p], 60);
    }
    EXPECT_EQ(t.saturdayUnitTime, 60);
    EXPECT_EQ(t.sundayUnitTime, 60);
    // With all ends at 1440, period 1 covers the whole weekday.
    EXPECT_EQ(t.PeriodOfMinute(0), 1);
    EXPECT_EQ(t.PeriodOfMinute(1439), 1);
}

TEST(Tariff, OnlyUnitCostsMakeATariffSet) {
    Tariff fees;
    for (float& fee : fees.periodConnectionFee) {
        fee = 0.5f;
    }
    fees.saturdayConnectionFee = fees.sundayConnectionFee = 0.5f;
    fees.chargesMinimumAmount = 1;
    fees.minimumCallCharge = 2.5f;
    fees.chargeByTheUnit = 1;
    EXPECT_FALSE(fees.IsSet());

    Tariff saturday;
    saturday.saturdayUnitCost = 0.01f;
    EXPECT_TRUE(saturday.IsSet());
    Tariff sunday;
    sunday.sundayUnitCost = 0.01f;
    EXPECT_TRUE(sunday.IsSet());
    Tariff period5;
    period5.periodUnitCost[4] = -0.01f; // any non-zero amount, even a negative one
    EXPECT_TRUE(period5.IsSet());
}

TEST(Tariff, CopiesEveryField) {
    Tariff a = DayEveningNight();
    a.periodUnitCost[2] = 0.03f;
    a.sundayUnitTime = 90;
    a.minimumCallCharge = 1.25f;
    Tariff b;
    b = a;
    EXPECT_EQ(a, b);
    b.saturdayConnectionFee = 0.1f;
    EXPECT_NE(a, b);
}

TEST(Tariff, MinuteAtAPeriodEndStillBelongsToThatPeriod) {
    Tariff t = DayEveningNight(); // 480, 1080, 1440, 1440, 1440
    EXPECT_EQ(t.PeriodOfMinute(0), 1);
    EXPECT_EQ(t.PeriodOfMinute(480), 1);  // 08:00:00 .. 08:00:59
    EXPECT_EQ(t.PeriodOfMinute(481), 2);  // 08:01:00
    EXPECT_EQ(t.PeriodOfMinute(1080), 2); // 18:00
    EXPECT_EQ(t.PeriodOfMinute(1081), 3);
    EXPECT_EQ(t.PeriodOfMinute(1439), 3); // periods 4 and 5 never used
}

TEST(Tariff, EmptyAndSingleMinutePeriods) {
    Tariff first;
    first.periodEnd[0] = 0; // period 1 is only the minute 00:00
    EXPECT_EQ(first.PeriodOfMinute(0), 1);
    EXPECT_EQ(first.PeriodOfMinute(1), 2);
    EXPECT_EQ(first.PeriodOfMinute(1439), 2);

    Tariff empty;
    empty.periodEnd[0] = 600;
    empty.periodEnd[1] = 600; // period 2 is empty
    EXPECT_EQ(empty.PeriodOfMinute(600), 1);
    EXPECT_EQ(empty.PeriodOfMinute(601), 3);
}

TEST(Tariff, DamagedEndsStillGiveAPeriodOneToFive) {
    Tariff t;
    t.periodEnd[0] = 900;
    t.periodEnd[1] = 300; // out of order
    t.periodEnd[2] = -5;
    t.periodEnd[3] = 200;
    t.periodEnd[4] = 100; // end 5 other than 1440
    EXPECT_EQ(t.PeriodOfMinute(100), 1);
    EXPECT_EQ(t.PeriodOfMinute(901), 5);
    EXPECT_EQ(t.PeriodOfMinute(1439), 5);

    Tariff negative;
    for (int& end : negative.periodEnd) {
        end = -1;
    }
    for (int minute : {0, 720, 1439}) {
        int p = negative.PeriodOfMinute(minute);
        EXPECT_GE(p, 1);
        EXPECT_LE(p, 5);
    }
}

TEST(Tariff, WeekendDaysUseTheirAllDayRates) {
    Tariff t = DayEveningNight();
    t.periodUnitCost[0] = 0.01f;
    t.periodConnectionFee[0] = 0.1f;
    t.saturdayUnitCost = 0.02f;
    t.saturdayConnectionFee = 0.2f;
    t.saturdayUnitTime = 30;
    t.sundayUnitCost = 0.03f;
    t.sundayConnectionFee = 0.3f;
    t.sundayUnitTime = 45;

    Rate sat = RateAt(t, 6, 300);
    EXPECT_FLOAT_EQ(sat.unitCost, 0.02f);
    EXPECT_FLOAT_EQ(sat.connectionFee, 0.2f);
    EXPECT_EQ(sat.unitTime, 30);
    EXPECT_EQ(sat.period, 0);

    Rate sun = RateAt(t, 0, 1439);
    EXPECT_FLOAT_EQ(sun.unitCost, 0.03f);
    EXPECT_FLOAT_EQ(sun.connectionFee, 0.3f);
    EXPECT_EQ(sun.unitTime, 45);

    for (int weekday = 1; weekday <= 5; ++weekday) {
        Rate r = RateAt(t, weekday, 300);
        EXPECT_EQ(r.period, 1);
        EXPECT_FLOAT_EQ(r.unitCost, 0.01f);
        EXPECT_FLOAT_EQ(r.connectionFee, 0.1f);
    }
}

} // namespace
} // namespace mereth
