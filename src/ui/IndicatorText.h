#pragma once

#include "accounting/ConnectionStats.h"
#include "core/Locale.h"
#include "ui/DisplaySettings.h"
#include "ui/TextBuffer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mereth {

// Room for any duration: a sign, the hours of a 64-bit span without the days field
// (16 digits) and three two-digit fields.
constexpr std::size_t DURATION_TEXT_CAPACITY = 32;

// Room for any float through any locale: "%f" of the largest float has 39 whole digits;
// with a thousands separator of up to three bytes between every two of them (a grouping
// of one), a decimal separator of three, up to nine decimals, a currency symbol of
// twelve bytes and the brackets, sign and spaces of a negative pattern it stays under 200.
constexpr std::size_t CURRENCY_TEXT_CAPACITY = 200;

// A login count of any 32-bit value.
constexpr std::size_t COUNT_TEXT_CAPACITY = 12;

// The texts of one indicator: the widest of the three kinds.
constexpr std::size_t INDICATOR_TEXT_CAPACITY = CURRENCY_TEXT_CAPACITY;
using IndicatorText = CTextBuffer<INDICATOR_TEXT_CAPACITY>;

// A span of seconds as days:hours:minutes:seconds ("%ld:%d:%.2d:%.2d"), days and
// seconds fields optional; without days the hours run on past 24. Hidden seconds are
// dropped, not rounded. A negative span is its magnitude with a leading "-".
// Returns the length written; out must hold DURATION_TEXT_CAPACITY characters.
std::size_t FormatDuration(std::int64_t span, bool showDays, bool showSeconds, char* out,
                           std::size_t capacity);

// The amount in the user's currency format ("%f" of it widened to double, through the
// locale). A locale that fails gives an empty text. Returns the length written.
std::size_t FormatCurrencyText(float amount, const ILocale& locale, char* out,
                               std::size_t capacity);

// A login count as a plain integer without separators.
std::size_t FormatCount(std::int32_t count, char* out, std::size_t capacity);

// How many leading characters of current can stay on screen: 0 when the lengths
// differ, else the number of leading characters in which the two agree.
std::size_t UnchangedPrefixLength(std::string_view previous, std::string_view current);

template <std::size_t N>
void FormatDuration(std::int64_t span, bool showDays, bool showSeconds, CTextBuffer<N>& out) {
    static_assert(N >= DURATION_TEXT_CAPACITY - 1);
    out.SetLength(FormatDuration(span, showDays, showSeconds, out.data(), N + 1));
}

template <std::size_t N>
void FormatCurrencyText(float amount, const ILocale& locale, CTextBuffer<N>& out) {
    static_assert(N >= CURRENCY_TEXT_CAPACITY - 1);
    out.SetLength(FormatCurrencyText(amount, locale, out.data(), N + 1));
}

template <std::size_t N> void FormatCount(std::int32_t count, CTextBuffer<N>& out) {
    static_assert(N >= COUNT_TEXT_CAPACITY - 1);
    out.SetLength(FormatCount(count, out.data(), N + 1));
}

// The text of the indicator in row `row` of INDICATORS for record r under the display
// settings d: what the main window shows there.
void FormatIndicatorText(int row, const ConnectionStats& r, const DisplaySettings& d,
                         const ILocale& locale, IndicatorText& out);

} // namespace mereth
