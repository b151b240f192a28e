// Shows that the 800 ms poll of a running connection never reaches the heap.
#include "accounting/PollCycle.h"

#include "AccountingClock.h"
#include "AccountingRig.h"
#include "AllocationCounter.h"
#include "FakeClock.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

// Twenty records in use, a tariff with all five periods and a weekend, budgets and
// holidays, a call that crosses a period boundary (so the rate check begins segments)
// and a ten-minute save.
template <typename Rig> long AllocationsOfSteadyTicks(Rig& rig, CalendarTime start) {
    rig.StartAt(start);
    for (int i = 1; i < RECORD_COUNT; ++i) {
        rig.model.m_entries[i].name = "Entry";
    }
    rig.model.m_entryCount = RECORD_COUNT;
    Tariff& t = rig.model.m_entries[7].tariff;
    const std::int32_t ends[PERIOD_COUNT] = {480, 600, 601, 1080, 1440};
    for (int p = 0; p < PERIOD_COUNT; ++p) {
        t.periodEnd[p] = ends[p];
        t.periodUnitCost[p] = 0.01f * static_cast<float>(p + 1);
        t.periodUnitTime[p] = 30 * (p + 1);
        t.periodConnectionFee[p] = 0.05f;
    }
    t.chargesMinimumAmount = 1;
    t.minimumCallCharge = 0.02f;
    // Budgets with the billing spend accruing, and holidays looked up at every rate check.
    rig.model.m_entries[0].budget = {.amount = 50.0f, .billingDay = 31};
    rig.model.m_entries[7].budget = {.amount = 5.0f, .billingDay = 15};
    rig.model.m_holidays.Parse("2026-12-25 2026-12-26 2027-01-01");

    rig.poll.record = 7;
    for (int i = 0; i < 10; ++i) {
        rig.Tick(); // the start and a few ticks: zone data and the like load here
    }
    const long before = test::AllocationCount();
    long events = 0;
    for (int i = 0; i < 2000; ++i) {
        events += rig.Tick() == PollEvent::Running;
    }
    const long after = test::AllocationCount();
    EXPECT_EQ(events, 2000);
    EXPECT_GE(rig.saver.saves, 1);
    EXPECT_GT(rig.model.m_entries[7].connTime.value, 1500);
    EXPECT_GT(rig.model.m_entries[7].billingCost.value, 0.0f);
    return after - before;
}

TEST(AccountingAllocation, SteadyTicksAllocateNothing) {
    // The counter sees allocations at all (else the test proves nothing).
    const long probeBefore = test::AllocationCount();
    ::operator delete(::operator new(16));
    ASSERT_EQ(test::AllocationCount(), probeBefore + 1);

    test::AccountingRig<test::CFixedZoneClock> rig;
    // Monday 7 December 2026, 09:50: crosses 10:00 and 10:01.
    EXPECT_EQ(AllocationsOfSteadyTicks(rig, rig.clock.At(2026, 12, 7, 9, 50, 0)), 0);
}

TEST(AccountingAllocation, SteadyTicksWithTheSystemZoneAllocateNothing) {
    test::AccountingRig<test::CSettableSystemClock> rig;
    const CalendarTime start = rig.clock.LocalMidnight(2026, 12, 7) + 9 * 3600 + 50 * 60;
    EXPECT_EQ(AllocationsOfSteadyTicks(rig, start), 0);
}

} // namespace
} // namespace mereth
