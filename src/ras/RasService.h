#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mereth {

// Connection states of the Remote Access Service (RASCONNSTATE) that the program tells
// apart. Named as the service names them; the Win32 files must not pull these into the
// global namespace, where <ras.h> declares the same names.
using RasConnState = std::int32_t;
constexpr RasConnState RASCS_OpenPort = 0;
constexpr RasConnState RASCS_DeviceConnected = 3;
constexpr RasConnState RASCS_AllDevicesConnected = 4; // the line is up: watched from here
constexpr RasConnState RASCS_Authenticate = 5;
constexpr RasConnState RASCS_Connected = 0x2000;
constexpr RasConnState RASCS_Disconnected = 0x2001;

// Status codes of the service that the watcher and the binding act on.
constexpr std::uint32_t RAS_SUCCESS = 0;
constexpr std::uint32_t RAS_ERROR_BUFFER_TOO_SMALL = 603;
constexpr std::uint32_t RAS_ERROR_INVALID_SIZE = 632;

// A connection handle (HRASCONN) carried as a number, so the portable side can hold it.
using RasHandle = std::uintptr_t;

// One active connection as the service lists it.
struct RasConnection {
    RasHandle handle = 0;
    std::string_view entryName;
};

// What the watcher needs of the Remote Access Service. A call's results stay readable
// until the next call of the same kind; reading them allocates nothing.
class IRasService {
public:
    virtual ~IRasService() = default;

    // Enumerates the default phone book; returns the service's status code and, on
    // success, the number of entries readable through EntryName.
    virtual std::uint32_t EnumEntries(std::size_t& count) = 0;
    virtual std::string_view EntryName(std::size_t index) const = 0;

    // Enumerates the active connections, in the service's order.
    virtual std::uint32_t EnumConnections(std::size_t& count) = 0;
    virtual RasConnection Connection(std::size_t index) const = 0;

    // The state of one connection; state means nothing unless the query succeeded.
    virtual std::uint32_t GetConnectState(RasHandle handle, RasConnState& state) = 0;
};

} // namespace mereth
