#include "accounting/ConnectionAccounting.h"
#include "accounting/PollCycle.h"

#include "AccountingRig.h"
#include "FakeClock.h"
#include "WatchedRig.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <tuple>

namespace mereth {
namespace {

using Rig = test::AccountingRig<test::CFixedZoneClock>;

void FlatRate(Tariff& t, float fee, float unitCost, std::int32_t unitTime) {
    for (int p = 0; p < PERIOD_COUNT; ++p) {
        t.periodConnectionFee[p] = fee;
        t.periodUnitCost[p] = unitCost;
        t.periodUnitTime[p] = unitTime;
    }
}

// Monday 7 December 2026, a weekday.
class AccountingTest : public ::testing::Test {
protected:
    AccountingTest() {
        rig.StartAt(rig.clock.At(2026, 12, 7, 10, 0, 0));
        rig.Entries("Work", "Home");
    }
    ConnectionStats& Rec(int i) { return rig.model.m_entries[i]; }
    Rig rig;
};

TEST_F(AccountingTest, NinetyFiveSecondCallChargedToTheSecond) {
    FlatRate(Rec(1).tariff, 0.10f, 0.05f, 60);
    for (int i : {0, 1}) {
        Rec(i).todayCost.value = 1.0f;
        Rec(i).monthCost.value = 2.0f;
        Rec(i).yearCost.value = 3.0f;
        Rec(i).totalCost.value = 4.0f;
        Rec(i).todayLogins = 1;
        Rec(i).monthLogins = 2;
        Rec(i).yearLogins = 3;
        Rec(i).totalLogins = 4;
        Rec(i).connTime.value = 500;
    }
    Rec(0).totalLogins = 19;
    const CalendarTime start = rig.clock.Now();

    rig.poll.record = 1;
    EXPECT_EQ(rig.Tick(), PollEvent::Started);
    for (int i : {0, 1}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Rec(i).connTime.value, 0);
        EXPECT_FLOAT_EQ(Rec(i).connCost.value, 0.10f);
        EXPECT_FLOAT_EQ(Rec(i).todayCost.value, 1.10f);
        EXPECT_FLOAT_EQ(Rec(i).monthCost.value, 2.10f);
        EXPECT_FLOAT_EQ(Rec(i).yearCost.value, 3.10f);
        EXPECT_FLOAT_EQ(Rec(i).totalCost.value, 4.10f);
        EXPECT_EQ(Rec(i).todayLogins, 2);
        EXPECT_EQ(Rec(i).monthLogins, 3);
        EXPECT_EQ(Rec(i).yearLogins, 4);
    }
    EXPECT_EQ(Rec(1).totalLogins, 5);
    EXPECT_EQ(Rec(0).totalLogins, 20);
    EXPECT_EQ(Rec(2).totalLogins, 0);
    EXPECT_EQ(rig.view.indicators, 0); // the figures appear at the next tick

    rig.RunUntil(95);
    EXPECT_GT(rig.view.indicators, 100);
    rig.poll.record = -1;
    EXPECT_EQ(rig.Tick(), PollEvent::Ended);
    EXPECT_EQ(rig.accounting.IsConnected(), false);

    const float cost = 0.10f + 0.05f * 95 / 60;
    for (int i : {0, 1}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Rec(i).connTime.value, 95);
        EXPECT_EQ(Rec(i).todayTime.value, 95);
        EXPECT_EQ(Rec(i).totalTime.value, 95);
        EXPECT_NEAR(Rec(i).connCost.value, cost, 1e-6);
        EXPECT_NEAR(Rec(i).todayCost.value, 1.0f + cost, 1e-6);
        EXPECT_NEAR(Rec(i).totalCost.value, 4.0f + cost, 1e-6);
        EXPECT_EQ(Rec(i).todayLogins, 2); // ticks count no logins
    }
    EXPECT_EQ(Rec(2).totalTime.value, 0);

    ASSERT_EQ(rig.log.lines, 1);
    EXPECT_EQ(rig.log.last.entryName, "Work");
    EXPECT_EQ(rig.log.last.start, start);
    EXPECT_EQ(rig.log.last.duration, 95);
    EXPECT_NEAR(rig.log.last.cost, cost, 1e-6);
    EXPECT_EQ(rig.log.last.logins, 20);
    // Saved once, after the line was written.
    EXPECT_EQ(rig.saver.saves, 1);
    EXPECT_EQ(rig.saver.linesAtLastSave, 1);

    // Idle polls change nothing and write nothing.
    EXPECT_EQ(rig.Tick(), PollEvent::Idle);
    EXPECT_EQ(rig.log.lines, 1);
    EXPECT_EQ(Rec(1).connTime.value, 95);
}

TEST_F(AccountingTest, NinetyFiveSecondCallChargedByTheUnit) {
    FlatRate(Rec(1).tariff, 0.10f, 0.05f, 60);
    Rec(1).tariff.chargeByTheUnit = 1;
    Rec(1).tariff.chargesMinimumAmount = 1; // plays no part in this method
    Rec(1).tariff.minimumCallCharge = 1.0f;

    rig.poll.record = 1;
    rig.Tick();
    rig.Tick(); // 0.8 s: still 0 whole seconds, and one unit begun
    EXPECT_FLOAT_EQ(Rec(1).connCost.value, 0.15f);
    rig.RunUntil(59);
    EXPECT_FLOAT_EQ(Rec(1).connCost.value, 0.15f);
    rig.RunUntil(60);
    EXPECT_FLOAT_EQ(Rec(1).connCost.value, 0.20f);
    rig.RunUntil(95);
    rig.poll.record = -1;
    rig.Tick();
    EXPECT_FLOAT_EQ(Rec(1).connCost.value, 0.20f);
    EXPECT_FLOAT_EQ(Rec(0).totalCost.value, 0.20f);
    EXPECT_FLOAT_EQ(rig.log.last.cost, 0.20f);
}

TEST_F(AccountingTest, PeriodChangeIsChargedFromTheFirstTickOfTheNextMinute) {
    for (int byUnit : {0, 1}) {
        SCOPED_TRACE(byUnit);
        Tariff t;
        t.periodEnd[0] = 1080; // 18:00
        t.periodConnectionFee[0] = 0.10f;
        t.periodUnitCost[0] = 0.05f;
        t.periodUnitTime[0] = 60;
        t.periodConnectionFee[1] = 0.30f;
        t.periodUnitCost[1] = 0.02f;
        t.periodUnitTime[1] = 60;
        t.chargeByTheUnit = byUnit;
        Rec(1).tariff = t;
        rig.StartAt(rig.clock.At(2026, 12, 7, 17, 59, 0));
        rig.poll.record = 1;
        rig.Tick();
        const CalendarTime start = rig.model.m_segmentStart;
        rig.RunUntil(60);
        // 18:00 still belongs to the first period.
        EXPECT_EQ(rig.model.m_segmentStart, start);
        rig.RunUntil(119);
        EXPECT_EQ(rig.model.m_segmentStart, start);
        rig.RunUntil(120); // 18:01:00
        EXPECT_EQ(rig.model.m_segmentStart, rig.clock.Now());
        rig.RunUntil(180);
        rig.poll.record = -1;
        rig.Tick();
        // Fee of the start; 120 s at the old rate, 60 s at the new, each segment
        // rounded on its own: by the unit 3 + 2 units.
        const float expected =
            byUnit ? 0.10f + 3 * 0.05f + 2 * 0.02f : 0.10f + 0.05f * 2 + 0.02f * 1;
        EXPECT_NEAR(Rec(1).connCost.value, expected, 1e-6);
        EXPECT_EQ(Rec(1).connTime.value, 180);
    }
}

TEST_F(AccountingTest, ClockJumpsLoseAtMostOneTickAndNeverSubtract) {
    FlatRate(Rec(1).tariff, 0.0f, 0.06f, 60);
    rig.poll.record = 1;
    rig.Tick();
    rig.RunUntil(30);
    const std::int32_t before = Rec(1).connTime.value;
    const float costBefore = Rec(1).connCost.value;

    rig.Jump(3600); // forward an hour
    rig.Tick();
    EXPECT_EQ(Rec(1).connTime.value, before);
    EXPECT_EQ(Rec(1).connCost.value, costBefore);
    rig.RunUntil(60);
    // 60 s of wall time after the start, less at most the second or two of the jump.
    EXPECT_LE(Rec(1).connTime.value, 60);
    EXPECT_GE(Rec(1).connTime.value, 58);
    EXPECT_EQ(Rec(1).todayTime.value, Rec(1).connTime.value);
    EXPECT_EQ(Rec(0).totalTime.value, Rec(1).connTime.value);

    const std::int32_t beforeBack = Rec(1).connTime.value;
    rig.Jump(-7200); // back two hours
    rig.Tick();
    EXPECT_EQ(Rec(1).connTime.value, beforeBack);
    rig.Tick();
    rig.Tick();
    EXPECT_GE(Rec(1).connTime.value, beforeBack);
    EXPECT_LE(Rec(1).connTime.value, beforeBack + 2);
}

TEST_F(AccountingTest, GapOfTenSecondsCountsButElevenDoesNot) {
    rig.poll.record = 1;
    rig.Tick();
    rig.RunUntil(5);
    const std::int32_t t0 = Rec(1).connTime.value;

    rig.clock.Advance(10); // a stall of exactly ten seconds
    rig.accounting.AccrueTick();
    EXPECT_EQ(Rec(1).connTime.value, t0 + 10);

    rig.clock.Advance(11);
    rig.accounting.AccrueTick();
    EXPECT_EQ(Rec(1).connTime.value, t0 + 10);
    rig.clock.Advance(1);
    rig.accounting.AccrueTick();
    EXPECT_EQ(Rec(1).connTime.value, t0 + 11);
}

TEST_F(AccountingTest, SwitchBetweenEntriesIsOneCallEndedAndAnotherBegun) {
    FlatRate(Rec(1).tariff, 0.10f, 0.06f, 60);
    FlatRate(Rec(2).tariff, 0.25f, 0.12f, 60);
    rig.poll.record = 1;
    rig.Tick();
    rig.RunUntil(60);
    const CalendarTime switchAt = rig.clock.Now() + 1;

    rig.poll.record = 2;
    rig.clock.Set(switchAt);
    EXPECT_EQ(rig.Poll(2), PollEvent::Switched);
    EXPECT_EQ(rig.accounting.IsConnected(), true);
    EXPECT_EQ(rig.accounting.ConnectedRecord(), 2);
    ASSERT_EQ(rig.log.lines, 1);
    EXPECT_EQ(rig.log.last.entryName, "Work");
    EXPECT_EQ(rig.log.last.duration, 60);
    EXPECT_NEAR(rig.log.last.cost, 0.10f + 0.06f, 1e-6);
    EXPECT_EQ(rig.saver.saves, 1);

    EXPECT_EQ(rig.accounting.ConnectedEntryName(), "Home");
    EXPECT_EQ(rig.accounting.ConnectStart(), switchAt);
    EXPECT_EQ(Rec(2).totalLogins, 1);
    EXPECT_EQ(Rec(1).totalLogins, 1);
    EXPECT_EQ(Rec(0).totalLogins, 2);
    EXPECT_FLOAT_EQ(Rec(2).connCost.value, 0.25f);

    rig.millis = (switchAt - rig.origin) * 1000;
    rig.RunUntil(switchAt - rig.origin + 30);
    rig.poll.record = -1;
    rig.Tick();
    EXPECT_EQ(rig.log.lines, 2);
    EXPECT_EQ(rig.log.last.entryName, "Home");
    EXPECT_EQ(rig.log.last.duration, 30);
    EXPECT_EQ(Rec(1).connTime.value, 60); // Work's call is left as it ended
    EXPECT_EQ(Rec(1).totalTime.value, 60);
    EXPECT_EQ(Rec(2).totalTime.value, 30);
    EXPECT_EQ(Rec(0).totalTime.value, 90);
    EXPECT_NEAR(Rec(0).totalCost.value, 0.16f + 0.25f + 0.06f, 1e-6);
}

TEST_F(AccountingTest, EntryNamedLikeTheAggregateCountsOnce) {
    FlatRate(Rec(0).tariff, 0.10f, 0.06f, 60);
    rig.poll.record = 0;
    rig.Tick();
    EXPECT_EQ(Rec(0).totalLogins, 1);
    EXPECT_EQ(Rec(0).todayLogins, 1);
    EXPECT_FLOAT_EQ(Rec(0).totalCost.value, 0.10f);
    rig.RunUntil(60);
    rig.poll.record = -1;
    rig.Tick();
    EXPECT_EQ(Rec(0).connTime.value, 60);
    EXPECT_EQ(Rec(0).totalTime.value, 60);
    EXPECT_NEAR(Rec(0).totalCost.value, 0.16f, 1e-6);
    EXPECT_EQ(rig.log.last.entryName, "All Dial-up Connections");
    EXPECT_EQ(Rec(1).totalLogins, 0);
}

TEST_F(AccountingTest, TariffEditedDuringACallTakesEffectAtTheNextTick) {
    FlatRate(Rec(1).tariff, 0.10f, 0.06f, 60);
    rig.poll.record = 1;
    rig.Tick();
    rig.RunUntil(60);
    FlatRate(Rec(1).tariff, 5.0f, 0.12f, 60); // a new fee does not touch the running call
    rig.Tick(); // sees the change, still charges the old rate up to here
    const float atChange = Rec(1).connCost.value;
    EXPECT_NEAR(atChange, 0.10f + 0.06f, 1e-6);
    const std::int64_t changedAt = rig.clock.Now() - rig.origin;
    rig.RunUntil(changedAt + 30);
    EXPECT_NEAR(Rec(1).connCost.value, atChange + 0.06f, 1e-6);

    // Setting the aggregate's tariff switches every call to it at the next tick.
    FlatRate(Rec(0).tariff, 0.0f, 0.60f, 60);
    rig.Tick();
    const float atSwitch = Rec(1).connCost.value;
    const std::int64_t switchedAt = rig.clock.Now() - rig.origin;
    rig.RunUntil(switchedAt + 10);
    EXPECT_NEAR(Rec(1).connCost.value, atSwitch + 0.10f, 1e-6);
    EXPECT_FLOAT_EQ(Rec(0).connCost.value, Rec(1).connCost.value);
}

// The Set Charges sheet's OK during Work's call: the edit is applied, then the
// accounting is told which tariff priced the call until then.
TEST(TariffEditDuringACall, CutsTheSegmentOnlyWhenTheCallsTariffChanged) {
    const auto tariff = [](float unitCost, std::int32_t unitTime, std::int32_t byTheUnit) {
        Tariff t;
        FlatRate(t, 0.0f, unitCost, unitTime);
        t.chargeByTheUnit = byTheUnit;
        return t;
    };
    const auto byTheHour = [&](float perHour) { return tariff(perHour, 3600, 1); };
    Tariff feeOnly; // fees alone do not make the aggregate's tariff govern
    FlatRate(feeOnly, 0.50f, 0.0f, 60);
    const struct {
        const char* name;
        Tariff work;
        int edited; // the record whose tariff the sheet changes
        Tariff edit;
        std::int64_t editAt, endAt;
        float cost;
    } cases[] = {
        {"another entry's tariff", byTheHour(1.0f), 2, byTheHour(5.0f), 1800, 3000, 1.0f},
        {"aggregate's, still not governing", byTheHour(1.0f), 0, feeOnly, 1800, 3000, 1.0f},
        {"own rate doubled: one unit each", byTheHour(1.0f), 1, byTheHour(2.0f), 1800, 3000, 3.0f},
        {"aggregate's now governs", byTheHour(1.0f), 0, byTheHour(3.0f), 1800, 3000, 4.0f},
        // Two units begun by the unit stay charged; 30 s to the second follow.
        {"by the unit, then to the second", tariff(0.06f, 60, 1), 1, tariff(0.06f, 60, 0), 90, 120,
         0.12f + 0.03f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.StartAt(rig.clock.At(2026, 12, 7, 10, 0, 0));
        rig.Entries("Work", "Home");
        rig.model.m_entries[1].tariff = c.work;
        rig.poll.record = 1;
        rig.Tick();
        rig.RunUntil(c.editAt);

        const Tariff before = rig.accounting.GoverningTariff();
        rig.model.m_entries[c.edited].tariff = c.edit;
        rig.accounting.OnTariffEdited(before);
        rig.RunUntil(c.endAt);
        rig.poll.record = -1;
        rig.Tick();
        ASSERT_EQ(rig.log.lines, 1);
        EXPECT_NEAR(rig.log.last.cost, c.cost, 1e-4);
        EXPECT_EQ(rig.log.last.duration, c.endAt); // no second lost at the cut
    }

    // Idle, it changes nothing.
    Rig rig;
    rig.Entries("Work");
    const ConnectionStats idle = rig.model.m_entries[1];
    rig.accounting.OnTariffEdited(Tariff{});
    EXPECT_EQ(rig.model.m_entries[1].connCost, idle.connCost);
}

TEST_F(AccountingTest, LongCallIsSavedEveryTenMinutes) {
    rig.poll.record = 2;
    rig.Tick();
    rig.RunUntil(599);
    EXPECT_EQ(rig.saver.saves, 0);
    rig.RunUntil(600);
    EXPECT_EQ(rig.saver.saves, 1);
    rig.RunUntil(1500);
    EXPECT_EQ(rig.saver.saves, 2);
    EXPECT_EQ(rig.log.lines, 0);
    rig.poll.record = -1;
    rig.Tick();
    EXPECT_EQ(rig.saver.saves, 3);
    EXPECT_EQ(rig.saver.linesAtLastSave, 1);
    // Saving does not disturb the figures.
    EXPECT_EQ(Rec(2).connTime.value, 1500);
    EXPECT_EQ(Rec(0).totalTime.value, 1500);

    // A new call counts its ten minutes afresh.
    rig.poll.record = 2;
    rig.Tick();
    rig.RunUntil(1500 + 599);
    EXPECT_EQ(rig.saver.saves, 3);
    rig.RunUntil(1500 + 601);
    EXPECT_EQ(rig.saver.saves, 4);
}

TEST_F(AccountingTest, OnlyTheAccountingsOwnOperationsMoveTheConnectionState) {
    FlatRate(Rec(1).tariff, 0.10f, 0.05f, 60);
    // Records not in use are refused and change nothing.
    for (int k : {-1, 3, RECORD_COUNT}) {
        SCOPED_TRACE(k);
        EXPECT_FALSE(rig.accounting.OnConnectionStarted(k));
        EXPECT_FALSE(rig.accounting.IsConnected());
        EXPECT_EQ(Rec(0).totalLogins, 0);
    }
    // An end without a start writes no log line.
    rig.accounting.OnConnectionEnded();
    EXPECT_EQ(rig.log.lines, 0);

    ASSERT_TRUE(rig.accounting.OnConnectionStarted(1));
    EXPECT_TRUE(rig.accounting.IsConnected());
    EXPECT_FALSE(rig.accounting.OnConnectionStarted(2)); // one call at a time
    EXPECT_EQ(rig.accounting.ConnectedRecord(), 1);
    EXPECT_EQ(Rec(0).totalLogins, 1);

    // A reset answered after the call began leaves the call's figures alone.
    rig.poll.record = 1;
    rig.RunUntil(60);
    ASSERT_GT(Rec(1).totalTime.value, 0);
    const ConnectionStats before = Rec(1);
    EXPECT_FALSE(rig.accounting.ResetPeriod(Period::Total, 0));
    EXPECT_EQ(Rec(1).totalTime, before.totalTime);
    EXPECT_EQ(Rec(1).startDate, before.startDate);

    rig.accounting.OnConnectionEnded();
    EXPECT_FALSE(rig.accounting.IsConnected());
    EXPECT_EQ(rig.log.lines, 1);
    EXPECT_TRUE(rig.accounting.ResetPeriod(Period::Total, 0));
    EXPECT_EQ(Rec(1).totalTime.value, 0);
}

TEST_F(AccountingTest, FiguresAtTheirLimitsStayThere) {
    FlatRate(Rec(1).tariff, FLT_MAX, 0.0f, 60);
    Rec(1).totalLogins = std::numeric_limits<std::int32_t>::max();
    Rec(1).totalCost.value = FLT_MAX;
    rig.poll.record = 1;
    ASSERT_EQ(rig.Tick(), PollEvent::Started);
    EXPECT_EQ(Rec(1).totalLogins, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(Rec(1).totalCost.value, FLT_MAX);
    EXPECT_EQ(Rec(0).todayCost.value, FLT_MAX);
}

// Weekday periods one minute long from midnight, each with its own fee and rate, on a
// clock that moves on a second between any two reads.
class SteppingClockTest : public ::testing::Test {
protected:
    SteppingClockTest() {
        rig.StartAt(rig.clock.At(2026, 12, 7, 0, 0, 0));
        rig.Entries("Work");
        Tariff& t = rig.model.m_entries[1].tariff;
        for (int p = 0; p < PERIOD_COUNT; ++p) {
            t.periodEnd[p] = p + 1 < PERIOD_COUNT ? p + 1 : MINUTES_PER_DAY;
            t.periodConnectionFee[p] = static_cast<float>(p + 1);
            t.periodUnitCost[p] = 0.01f * static_cast<float>(p + 1);
            t.periodUnitTime[p] = 1 + p;
        }
    }
    test::AccountingRig<test::CSteppingClock> rig;
};

TEST_F(SteppingClockTest, ACallStartIsPricedAtOneInstant) {
    // Reads at the last second of period 1 would run on into period 2.
    rig.clock.Set(rig.clock.At(2026, 12, 7, 0, 0, 59));
    rig.poll.record = 1;
    ASSERT_EQ(rig.Poll(1), PollEvent::Started);
    const Rate rate = rig.costs.RateAt(1, rig.accounting.ConnectStart());
    EXPECT_EQ(rig.model.m_entries[1].connCost.value, rate.connectionFee);
    EXPECT_EQ(rig.model.m_segmentStart, rig.accounting.ConnectStart());
    // The first tick charges at the start's rate, in the period the call began.
    ASSERT_EQ(rig.Poll(1), PollEvent::Running);
    const ConnectionStats& r = rig.model.m_entries[1];
    EXPECT_NEAR(r.connCost.value - rate.connectionFee,
                SegmentCost(r.tariff, rate, r.connTime.value), 1e-6);
}

TEST_F(SteppingClockTest, ALongCallWithRateChangesCountsEverySecond) {
    rig.clock.Set(rig.clock.At(2026, 12, 7, 0, 0, 10));
    rig.poll.record = 1;
    ASSERT_EQ(rig.Poll(1), PollEvent::Started);
    const CalendarTime start = rig.accounting.ConnectStart();
    // Each tick reads the clock once, so each is one second on; every period is crossed.
    CalendarTime last = start;
    for (int i = 0; i < 400; ++i) {
        ASSERT_EQ(rig.Poll(1), PollEvent::Running);
        last = rig.model.m_segmentStart + rig.model.m_lastElapsed;
    }
    const ConnectionStats& r = rig.model.m_entries[1];
    EXPECT_GE(last - start, 400);
    EXPECT_EQ(r.connTime.value, last - start);
    EXPECT_EQ(r.totalTime.value, last - start);
    EXPECT_EQ(rig.model.m_entries[0].todayTime.value, last - start);
}

// The window's poll, through the real watcher: one question to the service per tick.
TEST(PollCycleWithWatcher, ARunningTickAsksTheServiceOnce) {
    test::WatchedRig rig;
    auto [clock, ras, cycle] = std::tie(rig.clock, rig.ras, rig.cycle);
    ras.Connect("Work");
    ASSERT_EQ(cycle.OnPollTimer().event, PollEvent::Started);
    const int before = ras.statusQueries;
    clock.Advance(1);
    const PollResult tick = cycle.OnPollTimer();
    EXPECT_EQ(tick.event, PollEvent::Running);
    EXPECT_TRUE(tick.accounting.figuresChanged);
    EXPECT_EQ(ras.statusQueries - before, 1);
    EXPECT_EQ(rig.model.m_entries[1].connTime.value, 1);
}

} // namespace
} // namespace mereth
