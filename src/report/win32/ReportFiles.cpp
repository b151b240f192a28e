#include "report/win32/ReportFiles.h"

#include "core/win32/Handles.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

namespace mereth {

namespace {

constexpr int LOCK_RETRIES = 10;
constexpr DWORD LOCK_RETRY_WAIT = 30; // ms; the program's own appends take far less

enum class ChunkResult { Data, End, Missing, Locked, Failed };

ChunkResult ReadChunk(const std::wstring& path, std::uint64_t offset, char* buffer, DWORD& read) {
    read = 0;
    CFileHandle file;
    for (int attempt = 0;; ++attempt) {
        file.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (file) {
            break;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return ChunkResult::Missing;
        }
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) {
            return ChunkResult::Failed;
        }
        if (attempt == LOCK_RETRIES) {
            return ChunkResult::Locked;
        }
        Sleep(LOCK_RETRY_WAIT);
    }
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN) ||
        !ReadFile(file.Get(), buffer, LOG_CHUNK_BYTES, &read, nullptr)) {
        return GetLastError() == ERROR_LOCK_VIOLATION ? ChunkResult::Locked : ChunkResult::Failed;
    }
    return read > 0 ? ChunkResult::Data : ChunkResult::End;
}

} // namespace

LogReadStatus ReadLogFile(const std::wstring& path, CLogReader& reader,
                          const std::atomic<bool>& cancel) {
    reader.Clear();
    const std::unique_ptr<char[]> buffer(new (std::nothrow) char[LOG_CHUNK_BYTES]);
    if (!buffer) {
        return LogReadStatus::Failed;
    }
    std::uint64_t offset = 0;
    for (;;) {
        if (cancel.load(std::memory_order_relaxed)) {
            return LogReadStatus::Cancelled;
        }
        DWORD read = 0;
        switch (ReadChunk(path, offset, buffer.get(), read)) {
        case ChunkResult::Data:
            reader.Feed(std::string_view(buffer.get(), read));
            offset += read;
            continue;
        case ChunkResult::End:
            reader.Finish();
            return LogReadStatus::Read;
        case ChunkResult::Missing:
            // A log removed half-way still gives the lines read whole.
            reader.DropUnfinishedLine();
            return offset == 0 ? LogReadStatus::Missing : LogReadStatus::Read;
        case ChunkResult::Locked:
            reader.DropUnfinishedLine();
            return LogReadStatus::Locked;
        case ChunkResult::Failed:
            reader.DropUnfinishedLine();
            return LogReadStatus::Failed;
        }
    }
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    CFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, part, &written, nullptr) || written == 0) {
            file.Reset();
            DeleteFileW(path.c_str());
            return false;
        }
        done += written;
    }
    return true;
}

} // namespace mereth
