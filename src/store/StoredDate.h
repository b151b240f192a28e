#pragma once

#include "core/Clock.h"

#include <cstdint>

namespace mereth {

// A calendar time kept in a 32-bit stored value. Written as its low 32 bits and read
// back unsigned, so the stored form lasts until 2106 rather than 2038.
constexpr std::uint32_t StoredCalendarTime(CalendarTime t) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(t) & 0xFFFFFFFFu);
}

constexpr CalendarTime LoadedCalendarTime(std::uint32_t stored) {
    return static_cast<CalendarTime>(stored);
}

} // namespace mereth
