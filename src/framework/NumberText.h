#pragma once

// Reading the number typed into an entry field. Blanks and tabs may surround the
// number; anything else after it fails, and so does a number read as 0 whose text does
// not start with '0' (nothing readable at all). Negative and non-finite values fail.
// Integers beyond the 32-bit range become the nearest limit.

#include <cstdint>

namespace mereth {

// Optional sign, digits, optional point with fraction digits, optional exponent.
bool ParseDecimalText(const char* text, float& value);
// Optional sign and decimal digits.
bool ParseIntegerText(const char* text, int32_t& value);

} // namespace mereth
