#pragma once

#include <cstdint>

namespace mereth {

using Colour = std::uint32_t; // 0x00BBGGRR
constexpr Colour kBlack = 0x000000;

// What a duration indicator shows of its span, and in which colour.
struct DurationDisplay {
    bool showSeconds = true;
    bool showDays = true;
    Colour textColour = kBlack;
    bool operator==(const DurationDisplay&) const = default;
};

// The display settings of the indicators that outlive a run, with the defaults the
// indicators are created with. The store loads and saves this; the main window
// applies it to its indicators (and reads it back from them before a save).
struct DisplaySettings {
    DurationDisplay totalTime;
    DurationDisplay monthTime;
    DurationDisplay yearTime;
    DurationDisplay todayTime{true, false, kBlack}; // Today never shows days
    DurationDisplay connTime;

    Colour totalCostColour = kBlack;
    Colour monthCostColour = kBlack;
    Colour yearCostColour = kBlack;
    Colour todayCostColour = kBlack;
    Colour connCostColour = kBlack;

    // The Conn login indicator stays blank and has no colour of its own to keep.
    Colour totalLoginsColour = kBlack;
    Colour monthLoginsColour = kBlack;
    Colour yearLoginsColour = kBlack;
    Colour todayLoginsColour = kBlack;

    bool operator==(const DisplaySettings&) const = default;
};

} // namespace mereth
