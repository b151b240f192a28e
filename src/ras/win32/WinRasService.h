#pragma once

#include "ras/RasService.h"
#include "ras/win32/RasLayouts.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <string_view>

namespace mereth {

// The Remote Access Service through rasapi32, in the first-version structures. Each
// enumeration answers into a fixed array of 20 elements; when the service says that is
// too small it enumerates again into a buffer of the size asked for, a few times at
// most, since the list may grow in between. A larger buffer is kept for the next polls.
// The answers point into the object, so it is neither copied nor moved.
class CWinRasService : public IRasService {
public:
    static constexpr std::size_t FIXED_ELEMENTS = 20;
    // A service asking for more than this is not believed.
    static constexpr std::size_t MAX_BUFFER_BYTES = 4u << 20;
    static constexpr int MAX_ATTEMPTS = 4;

    CWinRasService() = default;
    CWinRasService(const CWinRasService&) = delete;
    CWinRasService& operator=(const CWinRasService&) = delete;

    std::uint32_t EnumEntries(std::size_t& count) override;
    std::string_view EntryName(std::size_t index) const override;

    std::uint32_t EnumConnections(std::size_t& count) override;
    RasConnection Connection(std::size_t index) const override;

    std::uint32_t GetConnectState(RasHandle handle, RasConnState& state) override;

    // The answers of the last enumerations (for tests: the same view the watcher reads).
    std::size_t EntryCount() const { return m_entries.count; }
    std::size_t ConnectionCount() const { return m_connections.count; }

    // One enumeration's buffers and answer.
    template <typename T> struct Answer {
        Answer() = default;
        Answer(const Answer&) = delete;
        Answer& operator=(const Answer&) = delete;

        T fixed[FIXED_ELEMENTS];
        std::unique_ptr<T[]> larger; // only after the service asked for more room
        std::size_t largerCapacity = 0;
        const T* elements = fixed;
        std::size_t count = 0;
    };

    // Calls call(buffer, &bytes, &count) until the answer fits; the service's status.
    template <typename T, typename Call>
    static std::uint32_t Enumerate(Answer<T>& answer, Call call);

private:
    Answer<RasEntryNameV1> m_entries;
    Answer<RasConnV1> m_connections;
};

template <typename T, typename Call>
std::uint32_t CWinRasService::Enumerate(Answer<T>& answer, Call call) {
    answer.elements = answer.fixed;
    answer.count = 0;
    DWORD result = RAS_ERROR_BUFFER_TOO_SMALL;
    for (int attempt = 0; attempt < MAX_ATTEMPTS; ++attempt) {
        // A list that once outgrew the array is asked for in the larger buffer again.
        T* buffer = answer.larger ? answer.larger.get() : answer.fixed;
        const std::size_t capacity = answer.larger ? answer.largerCapacity : FIXED_ELEMENTS;
        buffer[0].dwSize = sizeof(T);
        DWORD bytes = static_cast<DWORD>(capacity * sizeof(T));
        DWORD count = 0;
        result = call(buffer, &bytes, &count);
        if (result == RAS_SUCCESS) {
            answer.elements = buffer;
            answer.count = count < capacity ? count : capacity;
            return result;
        }
        if (result != RAS_ERROR_BUFFER_TOO_SMALL || bytes <= capacity * sizeof(T) ||
            bytes > MAX_BUFFER_BYTES) {
            return result;
        }
        // Room for what was asked and a few more, as the list may grow again meanwhile.
        const std::size_t needed = (bytes + sizeof(T) - 1) / sizeof(T) + 4;
        std::unique_ptr<T[]> larger(new (std::nothrow) T[needed]);
        if (!larger) {
            return result;
        }
        answer.larger = std::move(larger);
        answer.largerCapacity = needed;
    }
    return result;
}

} // namespace mereth
