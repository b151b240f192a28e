// The watcher is asked at every timer event: a steady poll must not reach the heap.
#include "ras/ConnectionWatcher.h"

#include "AllocationCounter.h"
#include "FakeClock.h"
#include "FakeLocale.h"
#include "FakeRasService.h"

#include <gtest/gtest.h>

#include <string>

namespace mereth {
namespace {

TEST(ConnectionWatcherAllocation, SteadyPollsAllocateNothing) {
    const long probeBefore = test::AllocationCount();
    ::operator delete(::operator new(16));
    ASSERT_EQ(test::AllocationCount(), probeBefore + 1);

    test::CFixedZoneClock clock;
    test::CFakeLocale locale;
    CUsageModel model(clock, locale);
    test::CFakeRasService ras;
    for (int i = 1; i <= 19; ++i) {
        ras.entries.push_back("Entry number " + std::to_string(i) + " with a long name");
    }
    CConnectionWatcher watcher(model, ras);
    watcher.FillEntryList();
    // Twenty connections; the watched one is listed first, so every poll compares
    // all the others with every record.
    ras.Connect("Entry number 7 with a long name", RASCS_Authenticate);
    for (int i = 1; i < 20; ++i) {
        ras.Connect("Unknown entry " + std::to_string(i));
    }

    const long before = test::AllocationCount();
    int found = 0;
    for (int i = 0; i < 1000; ++i) {
        std::int32_t state = 0;
        found += watcher.PollConnection(state) == 7 && state == RASCS_Authenticate;
    }
    EXPECT_EQ(test::AllocationCount() - before, 0);
    EXPECT_EQ(found, 1000);
}

} // namespace
} // namespace mereth
