#include "accounting/PollCycle.h"

#include <cstdint>

namespace mereth {

PollResult CPollCycle::OnPollTimer() {
    std::int32_t state = 0;
    const int record = m_poll.PollConnection(state);
    return OnPollResult(record, m_poll.WatchedHandle());
}

PollEvent CPollCycle::ResumeSavedCall(const RunningCall& call) {
    std::int32_t state = 0;
    const int record = m_poll.PollConnection(state);
    // A handle may come back for a later call, but not of another entry.
    const bool same = call.handle != 0 && m_model.IsValidRecord(record) &&
                      m_poll.WatchedHandle() == call.handle &&
                      m_model.m_entries[record].name == call.entryName.view();
    if (same && m_accounting.ResumeConnection(record, call)) {
        return PollEvent::Started;
    }
    // Without this the log, and the report read from it, would lack a call the
    // figures count.
    m_accounting.LogUnwatchedEnd(call);
    return PollEvent::Idle;
}

PollResult CPollCycle::OnPollResult(int record, std::uint64_t handle) {
    CConnectionAccounting& a = m_accounting;
    const bool found = m_model.IsValidRecord(record);
    PollResult result;
    result.record = found ? record : -1;
    if (!a.IsConnected()) {
        if (found && a.OnConnectionStarted(record, handle)) {
            result.event = PollEvent::Started;
        }
        return result;
    }
    if (!found) {
        result.accounting = a.OnConnectionEnded();
        result.event = PollEvent::Ended;
    } else if (record != a.ConnectedRecord()) {
        // One entry hung up and another came up between two polls: two calls,
        // each with its own log line, login and fee.
        result.accounting = a.OnConnectionEnded();
        a.OnConnectionStarted(record, handle);
        result.event = PollEvent::Switched;
    } else {
        result.accounting = a.AccrueTick();
        result.event = PollEvent::Running;
    }
    return result;
}

} // namespace mereth
