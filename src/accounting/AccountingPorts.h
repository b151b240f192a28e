#pragma once

#include "accounting/ConnectionStats.h"
#include "core/Clock.h"

#include <cstdint>

namespace mereth {

// What connection accounting and its poll cycle need of the rest of the program. The
// main dialog wires the real watcher and log in; tests wire fakes. Nothing here reaches
// back into the window or the store: the poll cycle returns what happened instead.

// The connection watcher: the record whose connection is watched, or -1.
class IConnectionPoll {
public:
    virtual ~IConnectionPoll() = default;
    // Sets state to the connection's RASCONNSTATE (RASCS_Disconnected, 0x2001, if none).
    virtual int PollConnection(std::int32_t& state) = 0;
    // The handle of the connection the last poll answered; 0 when it answered none.
    virtual std::uint64_t WatchedHandle() const = 0;
};

// The connection log: one line per finished connection.
class IConnectionLog {
public:
    virtual ~IConnectionLog() = default;
    virtual void LogConnection(const char* entryName, CalendarTime start,
                               std::int32_t durationSeconds, float cost,
                               std::int32_t loginCount) = 0;
};

// A running call as a save keeps it beside the figures, so that a later start that
// finds the same connection still up can take the call over where the figures stop.
struct RunningCall {
    std::uint64_t handle = 0; // the service's connection handle; 0: no call
    EntryName entryName;
    CalendarTime start = 0;
    // The open segment: its start, and the seconds and charge of it the figures hold.
    CalendarTime segmentStart = 0;
    std::int32_t segmentSeconds = 0;
    float segmentCost = 0.0f;
    // The rate the segment runs at.
    float unitCost = 0.0f;
    std::int32_t unitTime = 0;
};

// Where the store asks, at every save, which call is running.
class IRunningCallSource {
public:
    virtual ~IRunningCallSource() = default;
    // False while no call runs.
    virtual bool GetRunningCall(RunningCall& call) const = 0;
};

} // namespace mereth
