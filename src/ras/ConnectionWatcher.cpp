#include "ras/ConnectionWatcher.h"

namespace mereth {

void CConnectionWatcher::FillEntryList() {
    std::size_t count = 0;
    const bool listed = m_ras.EnumEntries(count) == RAS_SUCCESS;

    m_model.m_selectedEntry = 0;
    m_model.m_entryCount = 1;
    if (!listed) {
        return;
    }
    for (std::size_t n = 1; n <= count && n <= static_cast<std::size_t>(MAX_ENTRY_RECORDS); ++n) {
        m_model.m_entries[n].name = m_ras.EntryName(n - 1);
        m_model.m_entryCount = static_cast<std::int32_t>(n + 1);
    }
    // The stored selection is found again among the listed entries, the last of that
    // name winning; the aggregate stays selected only when none matches.
    for (int n = m_model.m_entryCount - 1; n >= 1; --n) {
        if (m_model.m_entries[n].name == m_model.m_selectedEntryName.view()) {
            m_model.m_selectedEntry = n;
            break;
        }
    }
}

int CConnectionWatcher::PollConnection(std::int32_t& state) {
    state = RASCS_Disconnected;
    m_watchedHandle = 0;
    std::size_t count = 0;
    if (m_ras.EnumConnections(count) != RAS_SUCCESS) {
        return -1;
    }
    for (std::size_t i = count; i-- > 0;) {
        const RasConnection connection = m_ras.Connection(i);
        RasConnState connState = RASCS_Disconnected;
        if (m_ras.GetConnectState(connection.handle, connState) != RAS_SUCCESS) {
            continue; // its state is unknown: it cannot count as up
        }
        if (connState == RASCS_Disconnected || connState < RASCS_AllDevicesConnected) {
            continue;
        }
        const int record = RecordOf(connection.entryName);
        if (record >= 0) {
            state = connState;
            m_watchedHandle = connection.handle;
            return record;
        }
    }
    return -1;
}

std::string_view CConnectionWatcher::ListItem(int index) const {
    if (index < 0 || index >= ListCount()) {
        return {};
    }
    return m_model.m_entries[index].name.view();
}

int CConnectionWatcher::RecordOf(std::string_view entryName) const {
    const int count = m_model.m_entryCount < RECORD_COUNT ? m_model.m_entryCount : RECORD_COUNT;
    for (int i = 0; i < count; ++i) {
        if (m_model.m_entries[i].name == entryName) {
            return i;
        }
    }
    return -1;
}

} // namespace mereth
