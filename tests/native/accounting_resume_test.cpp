#include "accounting/ConnectionAccounting.h"
#include "accounting/PollCycle.h"

#include "AccountingRig.h"
#include "FakeClock.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

// Work, by the unit at 0.10 a call and 1.00 a minute, dialled at 10:00 and saved at its
// ten-minute mark; the program starts again 100 s later with the connection the case
// names and runs until 1000 s after the dial, when nothing is up any more.
TEST(AccountingResume, ASavedCallGoesOnOnlyOverItsOwnConnection) {
    struct Case {
        int record;
        std::uint64_t handle;
        int workLogins, allLogins, lines;
    };
    // The same connection; Work dialled again; Home up under that handle; nothing up.
    for (const Case c : {Case{1, 7, 1, 1, 1}, {1, 8, 2, 2, 1}, {2, 7, 1, 2, 1}, {-1, 7, 1, 1, 0}}) {
        test::AccountingRig<test::CFixedZoneClock> first, next;
        const CalendarTime start = first.clock.At(2026, 12, 7, 10, 0, 0);
        for (auto* rig : {&first, &next}) {
            rig->Entries("Work", "Home");
            Tariff& t = rig->model.m_entries[1].tariff;
            t.chargeByTheUnit = 1;
            t.periodConnectionFee[0] = 0.10f;
            t.periodUnitCost[0] = 1.00f;
        }
        first.StartAt(start);
        first.poll.handle = 7;
        first.poll.record = 1;
        first.RunUntil(600);
        RunningCall saved;
        ASSERT_TRUE(first.accounting.GetRunningCall(saved));

        next.StartAt(start + 700);
        for (int i = 0; i < RECORD_COUNT; ++i) {
            next.model.m_entries[i] = first.model.m_entries[i]; // as loaded
        }
        next.poll.handle = c.handle;
        next.poll.record = c.record;
        next.cycle.ResumeSavedCall(saved);
        next.RunUntil(300);
        next.poll.record = -1;
        next.Tick();
        EXPECT_EQ(next.model.m_entries[1].totalLogins, c.workLogins) << c.record << c.handle;
        EXPECT_EQ(next.model.m_entries[0].totalLogins, c.allLogins) << c.record << c.handle;
        ASSERT_EQ(next.log.lines, c.lines) << c.record << c.handle;
        if (c.allLogins == 1 && c.lines == 1) {
            // One call, counted from the dial, its segment priced on: 17 units begun.
            EXPECT_EQ(next.log.last.start, start);
            EXPECT_EQ(next.log.last.duration, 1000);
            EXPECT_FLOAT_EQ(next.log.last.cost, 17.10f);
            for (int i : {0, 1}) {
                EXPECT_FLOAT_EQ(next.model.m_entries[i].totalCost.value, 17.10f);
            }
        }
    }
}

} // namespace
} // namespace mereth
