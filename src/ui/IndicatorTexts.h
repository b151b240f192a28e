#pragma once

#include "accounting/ConnectionStats.h"
#include "core/Locale.h"
#include "ui/DisplaySettings.h"
#include "ui/IndicatorText.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mereth {

constexpr int INDICATOR_COUNT = 15;

// The indicators in the order the main window refreshes them: times, costs, logins,
// each Total, Today, Year, Month, Conn.
extern const int INDICATOR_ORDER[INDICATOR_COUNT];

// The position of a control id in INDICATOR_ORDER, -1 for none.
int IndicatorPosition(int controlId);

// The fifteen texts the main window shows for one record, kept between refreshes so that
// only the indicators whose text changed are repainted. Fixed buffers throughout: a
// refresh on every poll allocates nothing.
class CIndicatorTexts {
public:
    // Formats all fifteen texts; returns a mask with bit i set for each position i of
    // INDICATOR_ORDER whose text differs from the last refresh.
    std::uint32_t Refresh(const ConnectionStats& record, const DisplaySettings& display,
                          const ILocale& locale);

    // Empties every text, for a selection that names no record.
    std::uint32_t Clear();

    std::string_view Text(int position) const { return m_texts[position].view(); }
    // How much of the text at position was already on screen before the last refresh.
    std::size_t UnchangedPrefix(int position) const { return m_unchanged[position]; }

private:
    std::uint32_t Take(int position, const IndicatorText& text);

    IndicatorText m_texts[INDICATOR_COUNT];
    std::size_t m_unchanged[INDICATOR_COUNT] = {};
    IndicatorText m_scratch;
};

} // namespace mereth
