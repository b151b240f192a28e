// One 800 ms poll of a running connection: the watcher's answer, the accounting tick
// with its rate check, over a table of twenty records in use.
#include "accounting/PollCycle.h"

#include "AccountingClock.h"
#include "AccountingRig.h"
#include "FakeClock.h"

#include <benchmark/benchmark.h>

namespace mereth {
namespace {

template <typename Rig> void Prepare(Rig& rig, CalendarTime start) {
    rig.StartAt(start);
    for (int i = 1; i < RECORD_COUNT; ++i) {
        rig.model.m_entries[i].name = "Entry";
    }
    rig.model.m_entryCount = RECORD_COUNT;
    Tariff& t = rig.model.m_entries[7].tariff;
    const std::int32_t ends[PERIOD_COUNT] = {480, 600, 1080, 1320, 1440};
    for (int p = 0; p < PERIOD_COUNT; ++p) {
        t.periodEnd[p] = ends[p];
        t.periodUnitCost[p] = 0.01f * static_cast<float>(p + 1);
        t.periodUnitTime[p] = 60;
        t.periodConnectionFee[p] = 0.05f;
    }
    rig.poll.record = 7;
    rig.Tick();
}

// Each iteration is one poll event; the virtual clock moves 800 ms per event, so the
// call runs on through periods and, every so often, a ten-minute save.
template <typename Rig> void TickLoop(benchmark::State& state, Rig& rig) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.Tick());
    }
    benchmark::DoNotOptimize(rig.model.m_entries[0].totalCost.value);
    state.SetItemsProcessed(state.iterations());
}

void BM_PollTickFixedZone(benchmark::State& state) {
    test::AccountingRig<test::CFixedZoneClock> rig;
    Prepare(rig, rig.clock.At(2026, 12, 7, 9, 0, 0));
    TickLoop(state, rig);
}
BENCHMARK(BM_PollTickFixedZone);

// The same with the C library's local time, as the program runs.
void BM_PollTickSystemZone(benchmark::State& state) {
    test::AccountingRig<test::CSettableSystemClock> rig;
    Prepare(rig, rig.clock.LocalMidnight(2026, 12, 7) + 9 * 3600);
    TickLoop(state, rig);
}
BENCHMARK(BM_PollTickSystemZone);

// The accounting tick alone, with the poll state machine left out.
void BM_AccrueTick(benchmark::State& state) {
    test::AccountingRig<test::CFixedZoneClock> rig;
    Prepare(rig, rig.clock.At(2026, 12, 7, 9, 0, 0));
    std::int64_t millis = rig.millis;
    for (auto _ : state) {
        millis += 800;
        rig.clock.Set(rig.origin + millis / 1000);
        rig.accounting.AccrueTick();
    }
    benchmark::DoNotOptimize(rig.model.m_entries[0].totalCost.value);
}
BENCHMARK(BM_AccrueTick);

} // namespace
} // namespace mereth
