// One poll of the watcher against a service that answers at once: the enumeration,
// the status queries and the name comparisons over twenty records in use.
#include "ras/ConnectionWatcher.h"

#include "FakeClock.h"
#include "FakeLocale.h"
#include "FakeRasService.h"

#include <benchmark/benchmark.h>

#include <string>

namespace mereth {
namespace {

// state.range(0) connections; the watched one, of the last listed entry, comes first.
void BM_PollConnection(benchmark::State& state) {
    test::CFixedZoneClock clock;
    test::CFakeLocale locale;
    CUsageModel model(clock, locale);
    test::CFakeRasService ras;
    for (int i = 1; i <= 19; ++i) {
        ras.entries.push_back("Dial-up entry " + std::to_string(i));
    }
    CConnectionWatcher watcher(model, ras);
    watcher.FillEntryList();
    ras.Connect("Dial-up entry 19");
    for (int i = 1; i < state.range(0); ++i) {
        ras.Connect("Elsewhere " + std::to_string(i));
    }
    for (auto _ : state) {
        std::int32_t connState = 0;
        benchmark::DoNotOptimize(watcher.PollConnection(connState));
        benchmark::DoNotOptimize(connState);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PollConnection)->Arg(1)->Arg(2)->Arg(20);

} // namespace
} // namespace mereth
