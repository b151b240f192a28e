#pragma once

#include "accounting/ConnectionAccounting.h"
#include "accounting/PollCycle.h"
#include "accounting/UsageModel.h"
#include "accounting/CostCalculator.h"

#include "AccountingFakes.h"
#include "FakeLocale.h"

#include <cstdint>

namespace mereth::test {

// The accounting wired to fakes, on a clock the test drives. Ticks come every
// 800 ms of virtual time; the wall clock shows whole seconds of it.
template <typename ClockT> struct AccountingRig {
    ClockT clock;
    CFakeLocale locale;
    CUsageModel model{clock, locale};
    CCostCalculator costs{model};
    CFakePoll poll;
    CRecordingLog log;
    CCountingView view;
    CCountingSaver saver{&log};
    CConnectionAccounting accounting{model, costs, log};
    CPollCycle cycle{accounting, model, poll};

    // Virtual milliseconds since the start point; the clock follows them.
    CalendarTime origin = 0;
    std::int64_t millis = 0;

    // Starts the virtual time at t and counts that day, month and year.
    void StartAt(CalendarTime t) {
        origin = t;
        millis = 0;
        clock.Set(t);
        model.SetCurrentDate(t);
        StartBillingPeriods(t);
    }

    // Each record's billing period as the one that holds the date of t.
    void StartBillingPeriods(CalendarTime t) {
        const LocalTime local = clock.ToLocal(t);
        for (ConnectionStats& r : model.m_entries) {
            r.billingStart =
                BillingPeriodStart({local.year, local.month, local.day}, r.budget.billingDay);
        }
    }

    // Names the records 1.. after the given entries.
    template <typename... Names> void Entries(Names... names) {
        int i = 1;
        ((model.m_entries[i++].name = names), ...);
        model.m_entryCount = i;
    }

    // One poll event 800 ms after the previous one, with what the window does after it.
    PollEvent Tick() {
        millis += 800;
        clock.Set(origin + millis / 1000);
        return Apply(cycle.OnPollTimer());
    }

    // The poll cycle acting on an answer the test gives, as the window would.
    PollEvent Poll(int record) { return Apply(cycle.OnPollResult(record, poll.handle)); }

    PollEvent Apply(const PollResult& result) {
        Apply(result.accounting);
        return result.event;
    }
    void Apply(const AccountingResult& result) {
        view.indicators += result.figuresChanged ? 1 : 0;
        if (result.saveDue) {
            saver.Save();
        }
    }

    // Poll events until `seconds` of virtual time have passed since the start point.
    void RunUntil(std::int64_t seconds) {
        while (millis < seconds * 1000) {
            Tick();
        }
    }

    // Moves the wall clock by the given seconds without time passing.
    void Jump(std::int64_t seconds) {
        origin += seconds;
        clock.Set(origin + millis / 1000);
    }
};

} // namespace mereth::test
