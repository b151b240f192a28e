#pragma once

#include "accounting/AccountingPorts.h"
#include "core/FixedString.h"

#include <cstdint>

namespace mereth::test {

// A watcher that reports whatever record the test says is connected.
class CFakePoll : public IConnectionPoll {
public:
    int record = -1;
    std::int32_t state = 0x2000; // RASCS_Connected
    std::uint64_t handle = 1;    // of the connection, while there is one
    int calls = 0;

    int PollConnection(std::int32_t& outState) override {
        ++calls;
        outState = record < 0 ? 0x2001 : state;
        return record;
    }
    std::uint64_t WatchedHandle() const override { return record < 0 ? 0 : handle; }
};

// Keeps the last line written and counts them; allocates nothing.
class CRecordingLog : public IConnectionLog {
public:
    struct Line {
        CFixedString<256> entryName;
        CalendarTime start = 0;
        std::int32_t duration = 0;
        float cost = 0.0f;
        std::int32_t logins = 0;
    };
    Line last;
    int lines = 0;

    void LogConnection(const char* entryName, CalendarTime start, std::int32_t durationSeconds,
                       float cost, std::int32_t loginCount) override {
        last.entryName = entryName;
        last.start = start;
        last.duration = durationSeconds;
        last.cost = cost;
        last.logins = loginCount;
        ++lines;
    }
};

// What the window refreshed after the accounting's results.
struct CCountingView {
    int indicators = 0;
};

// Counts saves; when given a log, also notes how many lines it held at the last save.
class CCountingSaver {
public:
    explicit CCountingSaver(const CRecordingLog* log = nullptr) : m_log(log) {}
    int saves = 0;
    int linesAtLastSave = -1;
    void Save() {
        ++saves;
        linesAtLastSave = m_log ? m_log->lines : -1;
    }

private:
    const CRecordingLog* m_log;
};

} // namespace mereth::test
