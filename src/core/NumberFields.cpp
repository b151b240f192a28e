#include "core/NumberFields.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace mereth {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    return i;
}

bool OnlyBlanksFrom(std::string_view text, std::size_t i) {
    return SkipBlanks(text, i) == text.size();
}

bool IsSign(std::string_view text, std::size_t i) {
    return i < text.size() && (text[i] == '+' || text[i] == '-');
}

std::size_t Terminate(char (&out)[FIELD_TEXT_CAPACITY], std::to_chars_result result) {
    if (result.ec != std::errc()) {
        out[0] = '\0';
        return 0;
    }
    *result.ptr = '\0';
    return static_cast<std::size_t>(result.ptr - out);
}

} // namespace

std::size_t FormatDecimalField(float value, char (&out)[FIELD_TEXT_CAPACITY]) {
    // One byte kept back for the NUL.
    return Terminate(out, std::to_chars(out, out + FIELD_TEXT_CAPACITY - 1,
                                        static_cast<double>(value), std::chars_format::general, 6));
}

std::size_t FormatIntegerField(std::int32_t value, char (&out)[FIELD_TEXT_CAPACITY]) {
    return Terminate(out, std::to_chars(out, out + FIELD_TEXT_CAPACITY - 1, value));
}

bool ReadDecimalField(std::string_view text, float& value) {
    text = text.substr(0, FIELD_READ_LENGTH);
    const std::size_t start = SkipBlanks(text, 0);

    // The longest prefix of the form [sign] digits [. [digits]] [e [sign] digits], or
    // [sign] . digits [...]: at least one mantissa digit. No hex, inf or nan.
    std::size_t i = start;
    const bool negative = i < text.size() && text[i] == '-';
    if (IsSign(text, i)) {
        ++i;
    }
    const std::size_t mantissa = i;
    i = SkipDigits(text, i);
    bool digits = i != mantissa;
    if (i < text.size() && text[i] == '.') {
        std::size_t fraction = SkipDigits(text, i + 1);
        digits = digits || fraction != i + 1;
        i = fraction;
    }
    if (!digits) {
        return false; // nothing read: 0 from a text that cannot start with '0'
    }
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t exponent = i + 1;
        negativeExponent = exponent < text.size() && text[exponent] == '-';
        if (IsSign(text, exponent)) {
            ++exponent;
        }
        if (exponent < text.size() && IsDigit(text[exponent])) {
            i = SkipDigits(text, exponent);
        } else {
            negativeExponent = false; // "1e" is the number 1 followed by an 'e'
        }
    }
    if (!OnlyBlanksFrom(text, i)) {
        return false;
    }

    double number = 0.0;
    auto [last, error] = std::from_chars(text.data() + mantissa, text.data() + i, number,
                                         std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Within 31 characters only the exponent can take a number out of a double's
        // range: too small reads as 0, too large is no amount.
        if (!negativeExponent) {
            return false;
        }
        number = 0.0;
    } else if (error != std::errc() || last != text.data() + i) {
        return false;
    }
    if (number == 0.0 && text[start] != '0') {
        return false;
    }
    if (negative) {
        return false; // a negative zero has already failed above
    }
    const float narrowed = static_cast<float>(number);
    if (!std::isfinite(narrowed)) {
        return false;
    }
    value = narrowed;
    return true;
}

bool ReadIntegerField(std::string_view text, std::int32_t& value) {
    text = text.substr(0, FIELD_READ_LENGTH);
    const std::size_t start = SkipBlanks(text, 0);
    std::size_t i = start;
    const bool negative = i < text.size() && text[i] == '-';
    if (IsSign(text, i)) {
        ++i;
    }
    const std::size_t digitsBegin = i;
    constexpr std::int64_t LIMIT = std::numeric_limits<std::int32_t>::max();
    std::int64_t number = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        // Past the limit the value only needs to stay past it.
        if (number <= LIMIT) {
            number = number * 10 + (text[i] - '0');
        }
    }
    if (i == digitsBegin || !OnlyBlanksFrom(text, i)) {
        return false;
    }
    if (number == 0 && text[start] != '0') {
        return false;
    }
    if (negative) {
        return false; // "-0" already failed above; no negative count of seconds
    }
    value = static_cast<std::int32_t>(number < LIMIT ? number : LIMIT);
    return true;
}

} // namespace mereth
