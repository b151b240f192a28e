#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mereth {

// Number fields of a dialog: how a value is shown in them and how their text is read
// back, and what the user is told when it cannot be.

constexpr const char* DECIMAL_FIELD_MESSAGE = "Please enter a number.";
constexpr const char* INTEGER_FIELD_MESSAGE = "Please enter an integer.";

// Only this much of a field's text is read back; the rest is ignored.
constexpr std::size_t FIELD_READ_LENGTH = 31;
// Room for any shown value with its terminating NUL ("-1.79769e+308", "-2147483648").
constexpr std::size_t FIELD_TEXT_CAPACITY = 32;

// "%.*g" at precision 6 of the value widened to double, "." as the point whatever the
// locale. Returns the length written.
std::size_t FormatDecimalField(float value, char (&out)[FIELD_TEXT_CAPACITY]);
// "%d". Returns the length written.
std::size_t FormatIntegerField(std::int32_t value, char (&out)[FIELD_TEXT_CAPACITY]);

// Reads the first FIELD_READ_LENGTH characters of a field: blanks and tabs skipped, the
// longest leading decimal number, then nothing but blanks and tabs. Fails (value left
// alone) on no number, on 0 read from a text that does not start with '0', on anything
// after the number, and on a negative, infinite or beyond-float amount, which typing
// cannot produce but pasting can.
bool ReadDecimalField(std::string_view text, float& value);

// The same for a whole number in base 10; beyond 32 bits it becomes the nearest limit.
// A negative number fails.
bool ReadIntegerField(std::string_view text, std::int32_t& value);

} // namespace mereth
