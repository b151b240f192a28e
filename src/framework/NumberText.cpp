#include "framework/NumberText.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace mereth {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) {
        ++p;
    }
    return p;
}

const char* SkipDigits(const char* p) {
    while (IsDigit(*p)) {
        ++p;
    }
    return p;
}

} // namespace

bool ParseDecimalText(const char* text, float& value) {
    const char* start = SkipBlanks(text);
    const char* p = start;
    if (*p == '+' || *p == '-') {
        ++p;
    }
    const char* digits = p;
    p = SkipDigits(p);
    bool any = p != digits;
    if (*p == '.') {
        const char* fraction = p + 1;
        const char* end = SkipDigits(fraction);
        any = any || end != fraction;
        if (any) {
            p = end;
        }
    }
    if (!any) {
        return false;
    }
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-') {
            ++q;
        }
        if (IsDigit(*q)) {
            p = SkipDigits(q);
        }
    }
    if (*SkipBlanks(p) != '\0') {
        return false;
    }
    char number[64];
    const size_t length = size_t(p - start);
    if (length >= sizeof number) {
        return false;
    }
    std::memcpy(number, start, length);
    number[length] = '\0';
    const float read = std::strtof(number, nullptr);
    if ((read == 0.0f && *start != '0') || !std::isfinite(read) || read < 0.0f) {
        return false;
    }
    value = read;
    return true;
}

bool ParseIntegerText(const char* text, int32_t& value) {
    const char* start = SkipBlanks(text);
    const char* p = start;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') {
        ++p;
    }
    const char* digits = p;
    int64_t magnitude = 0;
    for (; IsDigit(*p); ++p) {
        if (magnitude <= INT32_MAX) {
            magnitude = magnitude * 10 + (*p - '0');
        }
    }
    if (p == digits || *SkipBlanks(p) != '\0') {
        return false;
    }
    const int64_t signedValue = negative ? -magnitude : magnitude;
    const int32_t read = signedValue > INT32_MAX   ? INT32_MAX
                         : signedValue < INT32_MIN ? INT32_MIN
                                                   : int32_t(signedValue);
    if ((read == 0 && *start != '0') || read < 0) {
        return false;
    }
    value = read;
    return true;
}

} // namespace mereth
