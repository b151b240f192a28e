#include "accounting/PollCycle.h"

#include <cstdint>

namespace mereth {

PollEvent CPollCycle::OnPollTimer() {
    std::int32_t state = 0;
    return OnPollResult(m_poll.PollConnection(state));
}

PollEvent CPollCycle::ResumeSavedCall(const RunningCall& call) {
    std::int32_t state = 0;
    const int record = m_poll.PollConnection(state);
    // A handle may come back for a later call, but not of another entry.
    const bool same = call.handle != 0 && m_model.IsValidRecord(record) &&
                      m_poll.WatchedHandle() == call.handle &&
                      m_model.m_entries[record].name == call.entryName.view();
    return same && m_accounting.ResumeConnection(record, call) ? PollEvent::Started
                                                               : PollEvent::Idle;
}

PollEvent CPollCycle::OnPollResult(int record) {
    CConnectionAccounting& a = m_accounting;
    const bool found = m_model.IsValidRecord(record);
    if (!a.IsConnected()) {
        return found && a.OnConnectionStarted(record) ? PollEvent::Started : PollEvent::Idle;
    }
    if (!found) {
        a.OnConnectionEnded();
        return PollEvent::Ended;
    }
    if (record != a.ConnectedRecord()) {
        // One entry hung up and another came up between two polls: two calls,
        // each with its own log line, login and fee.
        a.OnConnectionEnded();
        a.OnConnectionStarted(record);
        return PollEvent::Switched;
    }
    a.AccrueTick();
    return PollEvent::Running;
}

} // namespace mereth
