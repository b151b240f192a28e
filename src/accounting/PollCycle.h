#pragma once

#include "accounting/AccountingPorts.h"
#include "accounting/ConnectionAccounting.h"

namespace mereth {

// What one poll of the watched connection led to.
enum class PollEvent {
    Idle,     // nothing connected, nothing was
    Started,  // a connection has begun
    Running,  // the connection goes on: one accounting tick
    Ended,    // the connection has gone
    Switched, // another entry's connection replaced it: the one ended, the other began
};

// What one poll did, for the window to show and the store to keep afterwards.
struct PollResult {
    PollEvent event = PollEvent::Idle;
    int record = -1; // the watched record, -1 for none
    AccountingResult accounting;
};

// The connection state machine of the 800 ms poll: asks the watcher once, decides from
// its answer whether a connection begins, runs or ends, and drives the accounting with
// that answer. The window adds what it shows (figures, tray icon, captions) and the
// store saves according to the result.
class CPollCycle {
public:
    CPollCycle(CConnectionAccounting& accounting, const CUsageModel& model, IConnectionPoll& poll)
        : m_accounting(accounting), m_model(model), m_poll(poll) {}

    // Asks the watcher, then acts on its answer.
    PollResult OnPollTimer();
    // Acts on a record index and connection handle just had from the watcher (-1: none).
    PollResult OnPollResult(int record, std::uint64_t handle);
    // At start-up, before the first poll: when the watched connection is the saved
    // call's own (its handle and entry), the call goes on (Started); otherwise the
    // saved call is over (Idle): it is logged as far as it was saved, and the next poll
    // counts whatever is up as a new call.
    PollEvent ResumeSavedCall(const RunningCall& call);

private:
    CConnectionAccounting& m_accounting;
    const CUsageModel& m_model;
    IConnectionPoll& m_poll;
};

} // namespace mereth
