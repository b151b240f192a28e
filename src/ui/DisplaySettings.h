#pragma once

#include <cstdint>

namespace mereth {

using Colour = std::uint32_t; // 0x00BBGGRR
constexpr Colour COLOUR_BLACK = 0x000000;

// What a duration indicator shows of its span, and in which colour.
struct DurationDisplay {
    bool showSeconds = true;
    bool showDays = true;
    Colour textColour = COLOUR_BLACK;
    bool operator==(const DurationDisplay&) const = default;
};

// The display settings of the indicators that outlive a run, with the defaults the
// indicators are created with. The store loads and saves this; the main window
// applies it to its indicators (and reads it back from them before a save).
struct DisplaySettings {
    DurationDisplay totalTime;
    DurationDisplay monthTime;
    DurationDisplay yearTime;
    DurationDisplay todayTime{true, false, COLOUR_BLACK}; // Today never shows days
    DurationDisplay connTime;

    Colour totalCostColour = COLOUR_BLACK;
    Colour monthCostColour = COLOUR_BLACK;
    Colour yearCostColour = COLOUR_BLACK;
    Colour todayCostColour = COLOUR_BLACK;
    Colour connCostColour = COLOUR_BLACK;

    // The Conn login indicator stays blank and has no colour of its own to keep.
    Colour totalLoginsColour = COLOUR_BLACK;
    Colour monthLoginsColour = COLOUR_BLACK;
    Colour yearLoginsColour = COLOUR_BLACK;
    Colour todayLoginsColour = COLOUR_BLACK;

    bool operator==(const DisplaySettings&) const = default;
};

} // namespace mereth
