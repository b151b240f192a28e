#pragma once

#include "core/Clock.h"

#include <cstdint>

namespace mereth {

// What connection accounting needs of the rest of the program. The main dialog
// wires the real watcher, log, view and store in; tests wire fakes.

// The connection watcher: the record whose connection is watched, or -1.
class IConnectionPoll {
public:
    virtual ~IConnectionPoll() = default;
    // Sets state to the connection's RASCONNSTATE (RASCS_Disconnected, 0x2001, if none).
    virtual int PollConnection(std::int32_t& state) = 0;
};

// The connection log: one line per finished connection.
class IConnectionLog {
public:
    virtual ~IConnectionLog() = default;
    virtual void LogConnection(const char* entryName, CalendarTime start,
                               std::int32_t durationSeconds, float cost,
                               std::int32_t loginCount) = 0;
};

// The main window's figures and captions.
class IViewRefresh {
public:
    virtual ~IViewRefresh() = default;
    virtual void RefreshIndicators() = 0;
    virtual void RefreshLabels() = 0;
};

// The settings store: writes the figures now (values only; bases are not stored).
class IStateSaver {
public:
    virtual ~IStateSaver() = default;
    virtual void SaveState() = 0;
};

} // namespace mereth
