#pragma once

#include "core/Clock.h"
#include "core/Locale.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mereth {

// The three header lines, with "\n" line ends; the file is written in text mode.
inline constexpr std::string_view LOG_HEADER =
    "---------------------------------------------------------------------\n"
    "Dialup Connection    | Start             | Duration   | Cost \n"
    "---------------------------------------------------------------------\n";

inline constexpr std::string_view LOG_FILE_NAME = "Mereth.log";

// Room for any line: a 20-character name, a long short date, the longest duration
// of a 32-bit count of seconds and the currency text of the largest float; and for a
// header block in front of it.
inline constexpr std::size_t LOG_LINE_CAPACITY = 320;
inline constexpr std::size_t LOG_ENTRY_CAPACITY = LOG_HEADER.size() + LOG_LINE_CAPACITY;

template <std::size_t Capacity> struct LogText {
    char text[Capacity] = {};
    std::size_t length = 0;

    std::string_view view() const { return {text, length}; }
};
using LogLine = LogText<LOG_LINE_CAPACITY>;
using LogEntry = LogText<LOG_ENTRY_CAPACITY>;

// A header block goes before the line whose login count is a multiple of 20.
bool LogHeaderDue(std::int32_t loginCount);

// The duration as days:hh:mm:ss, days without leading zeros.
std::size_t FormatLogDuration(std::int64_t seconds, char* out, std::size_t capacity);

// One connection line, ending in "\n". Name padded or cut to 20; duration and cost
// right-aligned in 10 and 12 characters, never cut when they are wider.
void FormatLogLine(const ILocale& locale, std::string_view entryName, const LocalTime& start,
                   std::int32_t durationSeconds, float cost, LogLine& line);

// What one finished connection appends: the line, after a header block when due.
void FormatLogEntry(const ILocale& locale, std::string_view entryName, const LocalTime& start,
                    std::int32_t durationSeconds, float cost, std::int32_t loginCount,
                    LogEntry& entry);

// The log's path beside the executable at modulePath; empty when that is empty. The
// program works on UTF-16 paths, where a backslash is always a separator; in a
// double-byte code page a backslash byte may be the second half of a character.
std::string LogFilePathFromModule(std::string_view modulePath);
std::wstring LogFilePathFromModule(std::wstring_view modulePath);

// The two file operations that start-up needs.
class ILogFile {
public:
    virtual ~ILogFile() = default;
    virtual bool LogFileExists() = 0;
    virtual void WriteLogHeader() = 0;
};

// At start-up: a fresh settings store starts a fresh log; otherwise only a missing
// log is started anew.
void PrepareLogAtStartup(ILogFile& log, bool freshStore);

} // namespace mereth
