#include "store/AmountText.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace mereth {

std::size_t FormatAmount(float amount, char (&out)[AMOUNT_TEXT_CAPACITY]) {
    int n = std::snprintf(out, sizeof out, "%f", static_cast<double>(amount));
    if (n < 0) {
        out[0] = '\0';
        return 0;
    }
    return static_cast<std::size_t>(n) < sizeof out ? static_cast<std::size_t>(n) : sizeof out - 1;
}

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* SkipDigits(const char* p) {
    while (IsDigit(*p)) {
        ++p;
    }
    return p;
}

} // namespace

float ParseAmount(const char* text) {
    if (text == nullptr) {
        return 0.0f;
    }
    const char* p = text;
    while (IsSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }

    // The longest prefix of the form digits [. digits] [e [sign] digits], at least
    // one digit in the mantissa; hexadecimal, inf and nan are not numbers here.
    const char* begin = p;
    const char* end = SkipDigits(p);
    bool digits = end != begin;
    if (*end == '.') {
        const char* fraction = SkipDigits(end + 1);
        digits = digits || fraction != end + 1;
        end = fraction;
    }
    if (!digits) {
        return 0.0f;
    }
    if (*end == 'e' || *end == 'E') {
        const char* exponent = end + 1;
        if (*exponent == '+' || *exponent == '-') {
            ++exponent;
        }
        if (IsDigit(*exponent)) {
            end = SkipDigits(exponent);
        }
    }

    double value = 0.0;
    auto [last, error] = std::from_chars(begin, end, value, std::chars_format::general);
    // Out of range either way (1e39, 1e-400) or beyond a float: 0, never inf. A text
    // short of the midway point to the next power of two still rounds to the largest
    // float ("3.4028235e38").
    constexpr double FLOAT_ROUNDING_LIMIT = 0x1.ffffffp+127;
    if (error != std::errc() || last != end || !std::isfinite(value) ||
        std::fabs(value) >= FLOAT_ROUNDING_LIMIT) {
        return 0.0f;
    }
    float amount =
        std::fabs(value) > static_cast<double>(FLT_MAX) ? FLT_MAX : static_cast<float>(value);
    return negative ? -amount : amount;
}

} // namespace mereth
