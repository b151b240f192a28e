#include "log/win32/ConnectionLog.h"

#include "core/win32/Handles.h"

#include <shellapi.h>

#include <algorithm>

namespace mereth {

namespace {

// Longer than any path the system hands out, in UTF-16 units.
constexpr std::size_t MODULE_PATH_LIMIT = 1u << 16;

std::wstring WideFromAnsi(std::string_view text) {
    if (text.empty() || text.size() > 0x7fffffff) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (n <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), n);
    return wide;
}

// How long the last write at Exit waits, at most, for a reader to let go of the log.
constexpr int LOG_OPEN_ATTEMPTS = 8;
constexpr DWORD LOG_OPEN_RETRY_MS = 25;

// Exclusive: no sharing, so a program that holds the log open makes this fail.
HANDLE OpenExclusive(const std::wstring& path, DWORD creation) {
    if (path.empty()) {
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

// Text as a text-mode file writes it: every "\n" becomes CR LF. The whole write goes
// out in one call, so a header block and its line are never parted.
class CTextModeBuffer {
public:
    void Append(std::string_view text) {
        for (char c : text) {
            if (c == '\n') {
                Put('\r');
            }
            Put(c);
        }
    }

    // Writes at the file pointer, whose offset is `start`. A write cut short (a full
    // disk) is cut off the file again, so the next write does not continue a torn one.
    bool WriteTo(HANDLE file, LARGE_INTEGER start, CConnectionLog::WriteFunction write) const {
        DWORD written = 0;
        const DWORD length = static_cast<DWORD>(m_length);
        if (write(file, m_bytes, length, &written, nullptr) && written == length) {
            return true;
        }
        if (SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) {
            SetEndOfFile(file);
        }
        return false;
    }

private:
    void Put(char c) {
        if (m_length < sizeof m_bytes) {
            m_bytes[m_length++] = c;
        }
    }

    // A header block and the widest line, doubled for the worst case of CRs.
    char m_bytes[2 * LOG_ENTRY_CAPACITY];
    std::size_t m_length = 0;
};

} // namespace

bool ReadModuleFileName(HMODULE module, std::wstring& path, std::size_t initialCapacity) {
    std::size_t capacity = initialCapacity > 0 ? initialCapacity : 1;
    for (;;) {
        path.resize(capacity);
        DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(capacity));
        if (n == 0) {
            break;
        }
        // A path that fills the buffer may have been cut: try again with more room.
        if (n < capacity) {
            path.resize(n);
            return true;
        }
        if (capacity >= MODULE_PATH_LIMIT) {
            break;
        }
        capacity *= 2;
    }
    path.clear();
    return false;
}

CConnectionLog::CConnectionLog(const IClock& clock, const ILocale& locale)
    : m_clock(clock), m_locale(locale), m_ownModule(true) {}

CConnectionLog::CConnectionLog(const IClock& clock, const ILocale& locale,
                               std::wstring_view modulePath)
    : m_clock(clock), m_locale(locale), m_ownModule(false), m_modulePath(modulePath) {}

CConnectionLog::CConnectionLog(const IClock& clock, const ILocale& locale,
                               std::string_view modulePath)
    : m_clock(clock), m_locale(locale), m_ownModule(false), m_modulePath(WideFromAnsi(modulePath)) {
}

void CConnectionLog::GetLogFilePath(std::wstring& path) const {
    if (!m_ownModule) {
        path = LogFilePathFromModule(std::wstring_view(m_modulePath));
        return;
    }
    std::wstring modulePath;
    ReadModuleFileName(nullptr, modulePath);
    path = LogFilePathFromModule(std::wstring_view(modulePath));
}

// Decided by looking, not by opening: an exclusive open would fail while another
// program reads the log, and start-up would then empty it.
bool CConnectionLog::LogFileExists() {
    std::wstring path;
    GetLogFilePath(path);
    if (path.empty()) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
    }
    return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CConnectionLog::WriteLogHeader() {
    std::wstring path;
    GetLogFilePath(path);
    CFileHandle file(OpenExclusive(path, CREATE_ALWAYS));
    if (!file) {
        return;
    }
    CTextModeBuffer bytes;
    bytes.Append(LOG_HEADER);
    bytes.WriteTo(file.Get(), LARGE_INTEGER{}, m_write);
}

void CConnectionLog::LogConnection(const char* entryName, CalendarTime start,
                                   std::int32_t durationSeconds, float cost,
                                   std::int32_t loginCount) {
    if (m_pendingCount == MAX_PENDING_LINES) {
        WritePending(false);
    }
    if (m_pendingCount == MAX_PENDING_LINES) {
        return; // the log has been held for many calls: the oldest lines come first
    }
    FormatLogEntry(m_locale, entryName ? entryName : "", m_clock.ToLocal(start), durationSeconds,
                   cost, loginCount, m_pending[m_pendingCount]);
    ++m_pendingCount;
    WritePending(false);
}

void CConnectionLog::WritePendingLines(bool wait) {
    if (m_pendingCount > 0) {
        WritePending(wait);
    }
}

void CConnectionLog::WritePending(bool wait) {
    std::wstring path;
    GetLogFilePath(path);
    // A log that is missing stays missing until the next start writes a header.
    CFileHandle file(OpenExclusive(path, OPEN_EXISTING));
    // At Exit there is no later chance: a reader such as the usage report holds the log
    // only for a moment at a time.
    for (int attempt = 1; wait && !file && attempt < LOG_OPEN_ATTEMPTS; ++attempt) {
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) {
            break;
        }
        Sleep(LOG_OPEN_RETRY_MS);
        file.Reset(OpenExclusive(path, OPEN_EXISTING));
    }
    if (!file) {
        const DWORD error = path.empty() ? ERROR_FILE_NOT_FOUND : GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            m_pendingCount = 0;
        }
        return;
    }
    std::size_t written = 0;
    for (; written < m_pendingCount; ++written) {
        LARGE_INTEGER end{};
        if (!SetFilePointerEx(file.Get(), LARGE_INTEGER{}, &end, FILE_END)) {
            break;
        }
        CTextModeBuffer bytes;
        bytes.Append(m_pending[written].view());
        if (!bytes.WriteTo(file.Get(), end, m_write)) {
            break; // a full disk: the line waits for room
        }
    }
    std::copy(m_pending + written, m_pending + m_pendingCount, m_pending);
    m_pendingCount -= written;
}

void CConnectionLog::OnViewLog() {
    std::wstring path;
    GetLogFilePath(path);
    // Quoted, so a folder with blanks reaches the editor as one argument.
    const std::wstring argument = L"\"" + path + L"\"";
    ShellExecuteW(nullptr, nullptr, L"notepad.exe", argument.c_str(), nullptr, SW_SHOW);
}

} // namespace mereth
