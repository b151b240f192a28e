#pragma once

#include "ui/Indicators.h"

#include <cstdint>

namespace mereth {

using Colour = std::uint32_t; // 0x00BBGGRR
constexpr Colour COLOUR_BLACK = 0x000000;

// What an indicator shows and in which colour; the two flags mean something for
// durations only.
struct IndicatorDisplay {
    bool showSeconds = true;
    bool showDays = true;
    Colour textColour = COLOUR_BLACK;
    bool operator==(const IndicatorDisplay&) const = default;
};

// The display settings of the indicators that outlive a run, by row of INDICATORS, with
// the defaults the indicators are created with. The store loads and saves this; the main
// window formats its indicators under it.
struct DisplaySettings {
    constexpr DisplaySettings() {
        for (int i = 0; i < INDICATOR_COUNT; ++i) {
            indicators[i].showDays = HasDaysField(INDICATORS[i]);
        }
    }

    IndicatorDisplay indicators[INDICATOR_COUNT];

    bool operator==(const DisplaySettings&) const = default;
};

} // namespace mereth
