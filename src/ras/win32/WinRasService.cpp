#include "ras/win32/WinRasService.h"

#include <ras.h>

#include <cstring>
#include <new>
#include <utility>

namespace mereth {
namespace {

template <std::size_t N> std::string_view Text(const CHAR (&field)[N]) {
    // The service should end the name; do not trust it to.
    return {field, strnlen(field, N)};
}

} // namespace

std::uint32_t CWinRasService::EnumEntries(std::size_t& count) {
    const std::uint32_t result =
        Enumerate(m_entries, [](RasEntryNameV1* buffer, DWORD* bytes, DWORD* entries) {
            return RasEnumEntriesA(nullptr, nullptr, reinterpret_cast<LPRASENTRYNAMEA>(buffer),
                                   bytes, entries);
        });
    count = m_entries.count;
    return result;
}

std::string_view CWinRasService::EntryName(std::size_t index) const {
    if (index >= m_entries.count) {
        return {};
    }
    return Text(m_entries.elements[index].szEntryName);
}

std::uint32_t CWinRasService::EnumConnections(std::size_t& count) {
    const std::uint32_t result =
        Enumerate(m_connections, [](RasConnV1* buffer, DWORD* bytes, DWORD* connections) {
            return RasEnumConnectionsA(reinterpret_cast<LPRASCONNA>(buffer), bytes, connections);
        });
    count = m_connections.count;
    return result;
}

RasConnection CWinRasService::Connection(std::size_t index) const {
    if (index >= m_connections.count) {
        return {};
    }
    const RasConnV1& c = m_connections.elements[index];
    return {reinterpret_cast<RasHandle>(c.hrasconn), Text(c.szEntryName)};
}

std::uint32_t CWinRasService::GetConnectState(RasHandle handle, RasConnState& state) {
    RasConnStatusV1 status = {};
    status.dwSize = sizeof status;
    const DWORD result = RasGetConnectStatusA(reinterpret_cast<HRASCONN>(handle),
                                              reinterpret_cast<LPRASCONNSTATUSA>(&status));
    if (result == ERROR_SUCCESS) {
        state = static_cast<RasConnState>(status.rasconnstate);
    }
    return result;
}

} // namespace mereth
