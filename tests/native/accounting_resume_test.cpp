#include "AccountingRig.h"
#include "FakeClock.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

// Work by the unit (0.10 a call, 1.00 a minute) saved ten minutes into a call, and a start
// 100 s later over the connection up then (record, handle); nothing is up at 1000 s. Then
// Work's and All's logins and the lines logged. A saved call not resumed is logged at the
// start as far as the save counted it.
TEST(AccountingResume, ASavedCallGoesOnOnlyOverItsOwnConnection) {
    const int cases[][5] = {{1, 1, 1, 1, 1}, {1, 2, 2, 2, 2}, {2, 1, 1, 2, 2}, {-1, 1, 1, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0] * 10 + c[1]);
        test::AccountingRig<test::CFixedZoneClock> first, next;
        const CalendarTime start = first.clock.At(2026, 12, 7, 10, 0, 0);
        first.Entries("Work", "Home");
        next.Entries("Work", "Home");
        Tariff& work = first.model.m_entries[1].tariff;
        work.chargeByTheUnit = 1;
        work.periodConnectionFee[0] = 0.10f;
        work.periodUnitCost[0] = 1.00f;
        first.poll.record = 1;
        first.StartAt(start);
        first.RunUntil(600);
        RunningCall saved;
        ASSERT_TRUE(first.accounting.GetRunningCall(saved));
        next.StartAt(start + 700);
        for (int i = 0; i < RECORD_COUNT; ++i) {
            next.model.m_entries[i] = first.model.m_entries[i]; // as loaded, tariffs too
        }
        next.poll.record = c[0];
        next.poll.handle = static_cast<std::uint64_t>(c[1]);
        const bool resumed = next.cycle.ResumeSavedCall(saved) == PollEvent::Started;
        if (!resumed) { // the first 600 s: the fee and 11 units, the 11th begun
            ASSERT_EQ(next.log.lines, 1);
            EXPECT_STREQ(next.log.last.entryName.c_str(), "Work");
            EXPECT_EQ(next.log.last.start, start);
            EXPECT_EQ(next.log.last.duration, 600);
            EXPECT_FLOAT_EQ(next.log.last.cost, 11.10f);
        }
        next.RunUntil(300);
        next.poll.record = -1;
        next.Tick();
        EXPECT_EQ(next.model.m_entries[1].totalLogins, c[2]);
        EXPECT_EQ(next.model.m_entries[0].totalLogins, c[3]);
        ASSERT_EQ(next.log.lines, c[4]);
        if (resumed) { // one call from the dial, priced on as one: 17 units
            EXPECT_EQ(next.log.last.start, start);
            EXPECT_EQ(next.log.last.duration, 1000);
            EXPECT_FLOAT_EQ(next.log.last.cost, 17.10f);
            EXPECT_FLOAT_EQ(next.model.m_entries[0].totalCost.value, 17.10f);
            EXPECT_FLOAT_EQ(next.model.m_entries[1].totalCost.value, 17.10f);
        }
    }
}

} // namespace
} // namespace mereth
