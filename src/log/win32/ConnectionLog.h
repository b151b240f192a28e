#pragma once

#include "accounting/AccountingPorts.h"
#include "core/Clock.h"
#include "core/Locale.h"
#include "log/ConnectionLogFormat.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace mereth {

// The full path of a module's file, however long, in UTF-16 so that no folder name is
// lost to the ANSI code page. False (and an empty path) when the system cannot tell it.
// initialCapacity only sets where the buffer starts growing.
bool ReadModuleFileName(HMODULE module, std::wstring& path, std::size_t initialCapacity = MAX_PATH);

// "Mereth.log" beside the executable. The program keeps no handle on the file: every
// operation opens it without sharing, does its work and closes it again, so another
// program holding the file open makes that one operation fail, silently (a line waits
// for it instead).
class CConnectionLog : public IConnectionLog, public ILogFile {
public:
    // The log beside this program's own executable.
    CConnectionLog(const IClock& clock, const ILocale& locale);
    // The log beside the executable at modulePath, as if the program were there.
    CConnectionLog(const IClock& clock, const ILocale& locale, std::wstring_view modulePath);
    // The same for a path in the ANSI code page.
    CConnectionLog(const IClock& clock, const ILocale& locale, std::string_view modulePath);

    // Empty when the executable's path cannot be found.
    void GetLogFilePath(std::wstring& path) const;

    // Only a log that is not found (file or folder) is missing; any other failure to
    // look, such as a refused access, keeps the log as it is.
    bool LogFileExists() override;
    // Creates the log, or empties it, and writes the header block.
    void WriteLogHeader() override;
    // Appends one line (after a header block when due) to an existing log only.
    // All or nothing: a write that fails part-way is cut off again. A line that cannot
    // be written now (the log held by another program, the disk full) waits, in order,
    // for the next line or WritePendingLines. Lines for a log that is missing are dropped.
    void LogConnection(const char* entryName, CalendarTime start, std::int32_t durationSeconds,
                       float cost, std::int32_t loginCount) override;
    // Writes the lines that are waiting, if any; with wait, after waiting up to 0.2 s
    // for a log another program holds. Without lines waiting it does nothing at all.
    void WritePendingLines(bool wait);
    // Opens the log in the system's text editor.
    void OnViewLog();

    // The call that puts the bytes into the file: WriteFile, or a stand-in that fails
    // part-way as a full disk does.
    using WriteFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    void SetWriteFunction(WriteFunction write) { m_write = write; }

private:
    // Dozens of calls with the log held all along; beyond that new lines are lost.
    static constexpr std::size_t MAX_PENDING_LINES = 32;

    void WritePending(bool wait);

    const IClock& m_clock;
    const ILocale& m_locale;
    bool m_ownModule;
    std::wstring m_modulePath;
    WriteFunction m_write = ::WriteFile;
    LogEntry m_pending[MAX_PENDING_LINES];
    std::size_t m_pendingCount = 0;
};

} // namespace mereth
