#pragma once

#include <cfloat>
#include <cstdint>
#include <limits>

namespace mereth {

// A money amount narrowed to a figure: beyond the largest float it stays at the
// largest float (either sign), never infinity, and NaN counts as nothing.
constexpr float NarrowToFloat(double amount) {
    if (!(amount == amount)) {
        return 0.0f;
    }
    if (amount > static_cast<double>(FLT_MAX)) {
        return FLT_MAX;
    }
    if (amount < -static_cast<double>(FLT_MAX)) {
        return -FLT_MAX;
    }
    return static_cast<float>(amount);
}

// One more of a count that stops at its largest value.
constexpr std::int32_t IncrementSaturated(std::int32_t count) {
    return count < std::numeric_limits<std::int32_t>::max() ? count + 1 : count;
}

} // namespace mereth
