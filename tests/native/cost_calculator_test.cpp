#include "accounting/CostCalculator.h"

#include "FakeClock.h"
#include "FakeLocale.h"

#include <gtest/gtest.h>

#include <limits>

#include <cfloat>

#include <cmath>

namespace mereth {
namespace {

// Monday 7 December 2026 is a weekday; the 12th a Saturday, the 13th a Sunday.
class CostCalculatorTest : public ::testing::Test {
protected:
    CostCalculatorTest() {
        clock.SetLocal(2026, 12, 7, 10, 0, 0);
        model.m_entryCount = 3;
        model.m_entries[1].name = "Work";
        model.m_entries[2].name = "Home";
        Tariff& t = model.m_entries[1].tariff;
        t.periodEnd[0] = 480;
        t.periodEnd[1] = 1080;
        t.periodConnectionFee[1] = 0.05f;
        t.periodUnitCost[1] = 0.04f;
        t.periodUnitTime[1] = 60;
        t.periodConnectionFee[2] = 0.02f;
        t.periodUnitCost[2] = 0.01f;
        t.periodUnitTime[2] = 120;
    }

    Tariff& Work() { return model.m_entries[1].tariff; }

    Rate Now() { return costs.RateAt(1, clock.Now()); }

    // The total a call starting now costs after e seconds in one segment.
    float CallCost(std::int64_t e) {
        const Rate rate = costs.RateAt(1, clock.Now());
        return static_cast<float>(rate.connectionFee +
                                  SegmentCost(costs.EffectiveTariff(1), rate, e));
    }

    test::CFixedZoneClock clock;
    test::CFakeLocale locale;
    CUsageModel model{clock, locale};
    CCostCalculator costs{model};
};

TEST_F(CostCalculatorTest, ProportionalCallPaysFeePlusSeconds) {
    EXPECT_EQ(Now().period, 2);
    EXPECT_FLOAT_EQ(Now().connectionFee, 0.05f);
    EXPECT_NEAR(CallCost(150), 0.15f, 1e-6);
    EXPECT_NEAR(CallCost(0), 0.05f, 1e-6);
}

TEST_F(CostCalculatorTest, ByTheUnitChargesEveryBegunUnitInFull) {
    Work().chargeByTheUnit = 1;
    EXPECT_NEAR(CallCost(0), 0.09f, 1e-6);
    EXPECT_NEAR(CallCost(59), 0.09f, 1e-6);
    EXPECT_NEAR(CallCost(60), 0.13f, 1e-6);
    EXPECT_NEAR(CallCost(150), 0.17f, 1e-6);
    // Any non-zero flag means "by the unit".
    Work().chargeByTheUnit = 7;
    EXPECT_NEAR(CallCost(60), 0.13f, 1e-6);
}

TEST_F(CostCalculatorTest, MinimumAppliesOnlyToTheProportionalMethod) {
    Work().minimumCallCharge = 0.25f; // kept but unused while the flag is off
    EXPECT_NEAR(CallCost(150), 0.15f, 1e-6);

    Work().chargesMinimumAmount = 1;
    EXPECT_NEAR(CallCost(150), 0.30f, 1e-6);
    EXPECT_NEAR(CallCost(375), 0.30f, 1e-6); // p equals the minimum
    EXPECT_NEAR(CallCost(450), 0.35f, 1e-6); // p above it

    Work().chargeByTheUnit = 1;
    EXPECT_NEAR(CallCost(150), 0.17f, 1e-6);
}

TEST_F(CostCalculatorTest, PeriodChangesOnlyAfterTheEndMinute) {
    clock.SetLocal(2026, 12, 7, 18, 0, 59);
    EXPECT_EQ(Now().period, 2);
    EXPECT_FLOAT_EQ(Now().unitCost, 0.04f);
    clock.SetLocal(2026, 12, 7, 18, 1, 0);
    EXPECT_EQ(Now().period, 3);
    EXPECT_FLOAT_EQ(Now().unitCost, 0.01f);
    EXPECT_EQ(Now().unitTime, 120);
    EXPECT_FLOAT_EQ(Now().connectionFee, 0.02f);
    clock.SetLocal(2026, 12, 7, 8, 0, 59);
    EXPECT_EQ(Now().period, 1);
    clock.SetLocal(2026, 12, 7, 8, 1, 0);
    EXPECT_EQ(Now().period, 2);
}

TEST_F(CostCalculatorTest, WeekendRatesFollowTheLocalDay) {
    Work().saturdayUnitCost = 0.02f;
    Work().saturdayConnectionFee = 0.03f;
    Work().sundayUnitCost = 0.005f;
    Work().sundayUnitTime = 30;
    clock.SetLocal(2026, 12, 11, 23, 59, 59); // Friday, period 3
    EXPECT_FLOAT_EQ(Now().connectionFee, 0.02f);
    clock.Advance(1); // Saturday 00:00:00
    EXPECT_EQ(Now().period, 0);
    EXPECT_FLOAT_EQ(Now().connectionFee, 0.03f);
    EXPECT_FLOAT_EQ(Now().unitCost, 0.02f);
    clock.SetLocal(2026, 12, 13, 12, 0, 0); // Sunday
    EXPECT_FLOAT_EQ(Now().unitCost, 0.005f);
    EXPECT_EQ(Now().unitTime, 30);
    EXPECT_FLOAT_EQ(Now().connectionFee, 0.0f);
    clock.SetLocal(2026, 12, 14, 0, 0, 0); // Monday again
    EXPECT_EQ(Now().period, 1);
}

TEST_F(CostCalculatorTest, SetAggregateTariffGovernsEveryEntry) {
    EXPECT_EQ(costs.EffectiveTariffRecord(1), 1);
    EXPECT_EQ(costs.EffectiveTariffRecord(2), 2);

    Tariff& all = model.m_entries[0].tariff;
    all.periodConnectionFee[0] = 1.0f;
    all.chargesMinimumAmount = 1;
    all.minimumCallCharge = 3.0f;
    EXPECT_EQ(costs.EffectiveTariffRecord(1), 1) << "fees and a minimum alone do not govern";

    all.saturdayUnitCost = 0.02f;
    EXPECT_EQ(costs.EffectiveTariffRecord(1), 0);
    EXPECT_EQ(costs.EffectiveTariffRecord(2), 0);
    // A weekday call is charged by record 0's weekday fields: fee 1.0, no unit cost.
    EXPECT_FLOAT_EQ(Now().connectionFee, 1.0f);
    EXPECT_FLOAT_EQ(Now().unitCost, 0.0f);
    EXPECT_EQ(Now().unitTime, 60);
    EXPECT_NEAR(CallCost(600), 4.0f, 1e-6); // record 0's minimum too
    all.chargesMinimumAmount = 0;
    EXPECT_NEAR(CallCost(600), 1.0f, 1e-6);
}

TEST_F(CostCalculatorTest, UnitTimeBelowOneSecondNeverDivides) {
    Work().periodUnitTime[1] = 0;
    EXPECT_EQ(Now().unitTime, 0);
    // Treated as a one-second unit by both methods.
    EXPECT_NEAR(CallCost(10), 0.05f + 0.04f * 10, 1e-5);
    Work().chargeByTheUnit = 1;
    EXPECT_NEAR(CallCost(10), 0.05f + 0.04f * 11, 1e-5);
    EXPECT_NEAR(CallCost(0), 0.05f + 0.04f, 1e-5);

    // Only a damaged store can hold this.
    EXPECT_TRUE(std::isfinite(SegmentCost(Work(), Rate{.unitCost = 0.04f, .unitTime = -30}, 5)));
}

TEST_F(CostCalculatorTest, SegmentCostIsComputedInDoubleAndRounded) {
    const Rate rate{.unitCost = 0.1f, .unitTime = 3};
    // 0.1f * 1e6 / 3 in double, rounded once to float.
    double expected = static_cast<double>(0.1f) * 1000000.0 / 3.0;
    EXPECT_EQ(SegmentCost(Work(), rate, 1000000), static_cast<float>(expected));
    EXPECT_EQ(SegmentCost(Work(), rate, -5), 0.0f);
}

TEST_F(CostCalculatorTest, HugeSegmentsStayFiniteAndPositive) {
    constexpr std::int64_t LONGEST = std::numeric_limits<std::int64_t>::max();
    const struct {
        std::int32_t byTheUnit;
        float unitCost;
        std::int32_t unitTime;
        std::int64_t seconds;
    } cases[] = {
        {1, 1.0f, 1, LONGEST},     {1, FLT_MAX, 1, LONGEST},  {0, FLT_MAX, 1, LONGEST},
        {1, FLT_MAX, 60, 1000000}, {0, -FLT_MAX, 1, LONGEST},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.byTheUnit << " " << c.unitCost << " " << c.seconds);
        Work().chargeByTheUnit = c.byTheUnit;
        const float cost =
            SegmentCost(Work(), Rate{.unitCost = c.unitCost, .unitTime = c.unitTime}, c.seconds);
        EXPECT_TRUE(std::isfinite(cost));
        EXPECT_EQ(cost > 0, c.unitCost > 0);
    }
}

} // namespace
} // namespace mereth
