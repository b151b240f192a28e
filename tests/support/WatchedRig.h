#pragma once

#include "accounting/ConnectionAccounting.h"
#include "accounting/CostCalculator.h"
#include "accounting/PollCycle.h"
#include "ras/ConnectionWatcher.h"

#include "AccountingFakes.h"
#include "FakeClock.h"
#include "FakeLocale.h"
#include "FakeRasService.h"

namespace mereth::test {

// The poll as the window runs it: the real watcher over a fake dial-up service whose
// phone book holds Work, on a fixed-zone clock at a Monday morning.
struct WatchedRig {
    CFixedZoneClock clock;
    CFakeLocale locale;
    CUsageModel model{clock, locale};
    CFakeRasService ras;
    CConnectionWatcher watcher{model, ras};
    CCostCalculator costs{model};
    CRecordingLog log;
    CConnectionAccounting accounting{model, costs, log};
    CPollCycle cycle{accounting, model, watcher};
    CalendarTime origin = clock.At(2026, 12, 7, 9, 0, 0);

    WatchedRig() {
        ras.entries = {"Work"};
        watcher.FillEntryList();
        clock.Set(origin);
        model.SetCurrentDate(origin);
    }
};

} // namespace mereth::test
