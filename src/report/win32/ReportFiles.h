#pragma once
// The report's file work: the log read back in chunks, and a CSV written out.
#include "report/UsageReport.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>

namespace mereth {

enum class LogReadStatus { Read, Missing, Locked, Failed, Cancelled };

// The bytes read per open of the log: the program appends with an exclusive open, so
// the file is held only for one ReadFile at a time, never while the bytes are parsed.
inline constexpr DWORD LOG_CHUNK_BYTES = 2u << 20;

// Feeds the whole log at path to reader (cleared first), chunk by chunk, until its end
// or until cancel is set. Locked: another program keeps the log open past a few short
// retries; what was read so far stays in reader.
LogReadStatus ReadLogFile(const std::wstring& path, CLogReader& reader,
                          const std::atomic<bool>& cancel);

// Writes bytes as the whole file at path; false when it cannot be created or written
// (a partly written file is removed again).
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);

} // namespace mereth
