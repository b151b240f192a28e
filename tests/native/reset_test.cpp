#include "accounting/ConnectionAccounting.h"

#include "AccountingRig.h"
#include "FakeClock.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

using Rig = test::AccountingRig<test::CFixedZoneClock>;

void Fill(ConnectionStats& r) {
    r.startDate = "01/01/2020";
    r.connTime = {5, 5};
    r.todayTime = {10, 10};
    r.monthTime = {20, 20};
    r.yearTime = {30, 30};
    r.totalTime = {40, 40};
    r.connCost = {0.5f, 0.5f};
    r.todayCost = {1.0f, 1.0f};
    r.monthCost = {2.0f, 2.0f};
    r.yearCost = {3.0f, 3.0f};
    r.totalCost = {4.0f, 4.0f};
    r.todayLogins = 1;
    r.monthLogins = 2;
    r.yearLogins = 3;
    r.totalLogins = 4;
    r.billingCost = {5.0f, 5.0f};
    r.alertsGiven = 3;
}

// Which periods of a record are zero, time, cost and logins alike (Conn has no logins).
struct Cleared {
    bool conn, today, month, year, total;
    bool operator==(const Cleared&) const = default;
};
Cleared ClearedOf(const ConnectionStats& r) {
    auto zero = [](const TimeFigure& t, const CostFigure& c, std::int32_t logins) {
        return t.value == 0 && c.value == 0.0f && logins == 0;
    };
    return {zero(r.connTime, r.connCost, 0), zero(r.todayTime, r.todayCost, r.todayLogins),
            zero(r.monthTime, r.monthCost, r.monthLogins),
            zero(r.yearTime, r.yearCost, r.yearLogins),
            zero(r.totalTime, r.totalCost, r.totalLogins)};
}
const Cleared CLEARED_NONE{false, false, false, false, false};

class ResetTest : public ::testing::Test {
protected:
    ResetTest() {
        rig.StartAt(rig.clock.At(2026, 12, 7, 15, 0, 0));
        rig.Entries("Work", "Home", "Away");
        for (ConnectionStats& r : rig.model.m_entries) {
            Fill(r);
        }
    }
    Rig rig;
};

TEST_F(ResetTest, EveryPeriodClearsItselfAndThoseBelowIt) {
    struct Case {
        Period period;
        Cleared cleared;
        bool billing = false; // the billing period's own reset instead
    };
    const Case cases[] = {
        {Period::Total, {true, true, true, true, true}},
        {Period::Year, {true, true, true, true, false}},
        {Period::Month, {true, true, true, false, false}},
        {Period::Today, {true, true, false, false, false}},
        {Period::Conn, {true, false, false, false, false}},
        {Period::None, CLEARED_NONE},
        {Period::None, CLEARED_NONE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.period));
        for (ConnectionStats& r : rig.model.m_entries) {
            Fill(r);
        }
        if (c.billing) {
            EXPECT_TRUE(rig.accounting.ResetBilling(2));
        } else {
            rig.accounting.ResetPeriod(c.period, 2);
        }
        EXPECT_EQ(ClearedOf(rig.model.m_entries[2]), c.cleared);
        EXPECT_EQ(rig.model.m_entries[2].billingCost.value == 0 &&
                      rig.model.m_entries[2].alertsGiven == 0,
                  c.billing);
        EXPECT_EQ(rig.model.m_entries[1].billingCost.value, 5.0f);
        // Bases stay; only values are figures.
        EXPECT_EQ(rig.model.m_entries[2].todayTime.base, 10);
        for (int i : {0, 1, 3, 19}) {
            EXPECT_EQ(ClearedOf(rig.model.m_entries[i]), CLEARED_NONE) << i;
        }
        EXPECT_EQ(rig.model.m_entries[2].startDate, c.cleared.total ? "07/12/2026" : "01/01/2020");
        EXPECT_EQ(rig.model.m_entries[1].startDate, "01/01/2020");
    }
}

TEST_F(ResetTest, MonthOfOneRecordLeavesYearTotalAndTheAggregate) {
    rig.accounting.ResetPeriod(Period::Month, 1);
    const ConnectionStats& work = rig.model.m_entries[1];
    EXPECT_EQ(work.yearTime.value, 30);
    EXPECT_EQ(work.yearLogins, 3);
    EXPECT_EQ(work.totalCost.value, 4.0f);
    EXPECT_EQ(work.startDate, "01/01/2020");
    EXPECT_EQ(rig.model.m_entries[0].monthTime.value, 20);
    EXPECT_EQ(rig.model.m_currentMonth, 12); // period markers untouched
}

TEST_F(ResetTest, AggregateResetReachesAllTwentyRecords) {
    rig.accounting.ResetPeriod(Period::Today, 0);
    for (int i = 0; i < RECORD_COUNT; ++i) {
        EXPECT_EQ(ClearedOf(rig.model.m_entries[i]), (Cleared{true, true, false, false, false}))
            << i;
    }

    rig.clock.SetLocal(2027, 3, 4, 9, 0, 0);
    rig.accounting.ResetPeriod(Period::Total, 0);
    for (int i = 0; i < RECORD_COUNT; ++i) {
        EXPECT_EQ(ClearedOf(rig.model.m_entries[i]), (Cleared{true, true, true, true, true})) << i;
        EXPECT_EQ(rig.model.m_entries[i].startDate, "04/03/2027") << i;
    }
}

TEST_F(ResetTest, TotalOfOneRecordStartsItsNewDate) {
    rig.accounting.ResetPeriod(Period::Total, 3);
    EXPECT_EQ(rig.model.m_entries[3].startDate, "07/12/2026");
    EXPECT_EQ(ClearedOf(rig.model.m_entries[3]), (Cleared{true, true, true, true, true}));
    EXPECT_EQ(rig.model.m_entries[0].startDate, "01/01/2020");
    EXPECT_EQ(rig.model.m_entries[0].totalTime.value, 40);
}

TEST_F(ResetTest, ZerosHoldIntoTheNextConnection) {
    rig.accounting.ResetPeriod(Period::Year, 1);
    rig.poll.record = 1;
    rig.Tick();
    rig.RunUntil(30);
    const ConnectionStats& work = rig.model.m_entries[1];
    EXPECT_EQ(work.yearTime.value, 30);
    EXPECT_EQ(work.todayTime.value, 30);
    EXPECT_EQ(work.yearLogins, 1);
    EXPECT_EQ(work.totalTime.value, 70);
    // Not during a call, whose figures are its own.
    EXPECT_FALSE(rig.accounting.ResetBilling(1));
    EXPECT_EQ(work.billingCost.value, 5.0f);
    EXPECT_EQ(work.alertsGiven, 3u);
}

TEST_F(ResetTest, OutOfRangeRecordChangesNothing) {
    rig.accounting.ResetPeriod(Period::Total, -1);
    rig.accounting.ResetPeriod(Period::Total, RECORD_COUNT);
    for (const ConnectionStats& r : rig.model.m_entries) {
        EXPECT_EQ(ClearedOf(r), CLEARED_NONE);
    }
}

} // namespace
} // namespace mereth
