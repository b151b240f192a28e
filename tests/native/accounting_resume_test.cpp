#include "accounting/ConnectionAccounting.h"
#include "accounting/PollCycle.h"

#include "AccountingRig.h"
#include "FakeClock.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

using Rig = test::AccountingRig<test::CFixedZoneClock>;

constexpr std::int64_t SAVED_AT = CConnectionAccounting::SAVE_INTERVAL;
constexpr std::int64_t GAP = 95;       // from the kill to the next start
constexpr std::int64_t HANG_UP = 1000; // seconds after the call began

// Work dialled on a Monday at 10:00, charged by the unit: 0.10 to connect and 1.00 a
// minute, so a segment begun afresh at the restart would cost one more unit.
void DialWork(Rig& rig, CalendarTime at) {
    rig.StartAt(at);
    rig.Entries("Work", "Home");
    Tariff& t = rig.model.m_entries[1].tariff;
    t.chargeByTheUnit = 1;
    for (int p = 0; p < PERIOD_COUNT; ++p) {
        t.periodConnectionFee[p] = 0.10f;
        t.periodUnitCost[p] = 1.00f;
        t.periodUnitTime[p] = 60;
    }
    rig.poll.handle = 7;
    rig.poll.record = 1;
}

void HangUp(Rig& rig, std::int64_t at) {
    rig.RunUntil(at);
    rig.poll.record = -1;
    rig.Tick();
}

// What a start loads: the values of the last save, no bases.
void LoadInto(Rig& rig, const Rig& saved) {
    for (int i = 0; i < RECORD_COUNT; ++i) {
        ConnectionStats& r = rig.model.m_entries[i];
        r = saved.model.m_entries[i];
        for (TimeFigure* f : {&r.connTime, &r.yearTime, &r.monthTime, &r.todayTime, &r.totalTime}) {
            f->base = 0;
        }
        for (CostFigure* f : {&r.connCost, &r.yearCost, &r.monthCost, &r.todayCost, &r.totalCost}) {
            f->base = 0.0f;
        }
    }
}

TEST(AccountingResume, ASavedCallGoesOnOnlyOverItsOwnConnection) {
    const CalendarTime start = test::CFixedZoneClock().At(2026, 12, 7, 10, 0, 0);
    // The same call with no restart.
    Rig whole;
    DialWork(whole, start);
    HangUp(whole, HANG_UP);
    ASSERT_EQ(whole.log.lines, 1);

    struct Case {
        const char* name;
        int record; // watched at the restart
        std::uint64_t handle;
        PollEvent event;
        int workLogins;
        int allLogins;
    };
    const Case cases[] = {
        {"the same connection goes on", 1, 7, PollEvent::Started, 1, 1},
        {"the entry dialled again is a new call", 1, 8, PollEvent::Idle, 2, 2},
        {"another entry's connection under that handle is a new call", 2, 7, PollEvent::Idle, 1, 2},
        {"a connection that has gone is dropped", -1, 7, PollEvent::Idle, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig first;
        DialWork(first, start);
        first.RunUntil(SAVED_AT);
        ASSERT_EQ(first.saver.saves, 1);
        RunningCall saved;
        ASSERT_TRUE(first.accounting.GetRunningCall(saved));

        Rig next;
        DialWork(next, start + SAVED_AT + GAP);
        LoadInto(next, first);
        next.poll.record = c.record;
        next.poll.handle = c.handle;
        EXPECT_EQ(next.cycle.ResumeSavedCall(saved), c.event);
        HangUp(next, HANG_UP - SAVED_AT - GAP);

        const ConnectionStats& work = next.model.m_entries[1];
        EXPECT_EQ(work.totalLogins, c.workLogins);
        EXPECT_EQ(next.model.m_entries[0].totalLogins, c.allLogins);
        if (c.event == PollEvent::Started) {
            // Counted and logged as if no restart had come between.
            const ConnectionStats& unbroken = whole.model.m_entries[1];
            EXPECT_EQ(work.totalTime.value, HANG_UP);
            EXPECT_FLOAT_EQ(work.totalCost.value, unbroken.totalCost.value);
            EXPECT_FLOAT_EQ(next.model.m_entries[0].totalCost.value, unbroken.totalCost.value);
            ASSERT_EQ(next.log.lines, 1);
            EXPECT_EQ(next.log.last.start, whole.log.last.start);
            EXPECT_EQ(next.log.last.duration, whole.log.last.duration);
            EXPECT_FLOAT_EQ(next.log.last.cost, whole.log.last.cost);
        } else if (c.record < 0) {
            // What was saved stays counted; nothing was watched to log.
            EXPECT_EQ(work.totalTime.value, SAVED_AT);
            EXPECT_EQ(next.log.lines, 0);
            EXPECT_FALSE(next.accounting.IsConnected());
        } else {
            // The saved part stays counted and the new call is one of its own.
            EXPECT_EQ(next.log.lines, 1);
            EXPECT_EQ(next.log.last.start, start + SAVED_AT + GAP);
            EXPECT_EQ(next.log.last.duration, HANG_UP - SAVED_AT - GAP);
        }
    }
}

} // namespace
} // namespace mereth
