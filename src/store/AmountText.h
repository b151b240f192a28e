#pragma once

#include <cstddef>

namespace mereth {

// Money amounts are stored as text: "%f" of the amount widened to double, so six
// decimals and a point whatever the user's locale (1.5 is "1.500000").
constexpr std::size_t AMOUNT_TEXT_CAPACITY = 64; // "%f" of the largest float needs 47

// Writes the text of an amount into out; returns its length.
std::size_t FormatAmount(float amount, char (&out)[AMOUNT_TEXT_CAPACITY]);

// Reads an amount the way atof does, whatever the C locale: white space skipped, the
// longest decimal prefix converted, 0 without one ("1,25" is 1). What no float can
// hold (inf, nan, 1e39) reads as 0, so a stored text never puts those in a figure.
float ParseAmount(const char* text);

} // namespace mereth
