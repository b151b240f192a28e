#pragma once

#include "accounting/AccountingPorts.h"
#include "accounting/UsageModel.h"
#include "ras/RasService.h"

#include <cstdint>
#include <string_view>

namespace mereth {

// The program's view of dial-up networking: which phone-book entries exist (they name
// the records) and which record's connection is up. Keeps only the handle its last poll
// answered; the rest of what it learns goes into the model or back to the caller.
class CConnectionWatcher : public IConnectionPoll {
public:
    CConnectionWatcher(CUsageModel& model, IRasService& ras) : m_model(model), m_ras(ras) {}

    // Names records 1 to 19 after the phone-book entries in the service's order, sets
    // the record count and finds the selected record again by its name. Without a
    // phone book only record 0 remains in use.
    void FillEntryList();

    // The record whose connection is watched, or -1; state gets that connection's
    // state (RASCS_Disconnected when there is none). The last connection in the
    // service's list that is past dialling and belongs to a record wins.
    int PollConnection(std::int32_t& state) override;
    // The handle of the connection the last poll answered; 0 when it answered none.
    std::uint64_t WatchedHandle() const override { return m_watchedHandle; }

    // The connection list: record 0 first, then the listed entries.
    int ListCount() const { return m_model.m_entryCount; }
    std::string_view ListItem(int index) const;

private:
    int RecordOf(std::string_view entryName) const;

    CUsageModel& m_model;
    IRasService& m_ras;
    std::uint64_t m_watchedHandle = 0;
};

} // namespace mereth
