#include "ui/IndicatorText.h"

#include <cstdio>

namespace mereth {

namespace {

std::size_t Printed(int n, char* out, std::size_t capacity) {
    if (n < 0 || static_cast<std::size_t>(n) >= capacity) {
        if (capacity > 0) {
            out[0] = '\0';
        }
        return 0;
    }
    return static_cast<std::size_t>(n);
}

} // namespace

std::size_t FormatDuration(std::int64_t span, bool showDays, bool showSeconds, char* out,
                           std::size_t capacity) {
    // The magnitude as unsigned, so even the most negative span has one.
    const char* sign = span < 0 ? "-" : "";
    std::uint64_t s = span < 0 ? 0 - static_cast<std::uint64_t>(span) : span;
    unsigned long long days = s / 86400;
    unsigned long long hours = s / 3600;
    int hourOfDay = static_cast<int>(hours % 24);
    int minutes = static_cast<int>(s / 60 % 60);
    int seconds = static_cast<int>(s % 60);

    int n;
    if (showDays && showSeconds) {
        n = std::snprintf(out, capacity, "%s%llu:%d:%02d:%02d", sign, days, hourOfDay, minutes,
                          seconds);
    } else if (showDays) {
        n = std::snprintf(out, capacity, "%s%llu:%d:%02d", sign, days, hourOfDay, minutes);
    } else if (showSeconds) {
        n = std::snprintf(out, capacity, "%s%llu:%02d:%02d", sign, hours, minutes, seconds);
    } else {
        n = std::snprintf(out, capacity, "%s%llu:%02d", sign, hours, minutes);
    }
    return Printed(n, out, capacity);
}

std::size_t FormatCurrencyText(float amount, const ILocale& locale, char* out,
                               std::size_t capacity) {
    if (capacity == 0) {
        return 0;
    }
    out[0] = '\0';
    // The locale reads plain "%f" text; the largest float needs 47 characters.
    char plain[64];
    int n = std::snprintf(plain, sizeof plain, "%f", static_cast<double>(amount));
    if (Printed(n, plain, sizeof plain) == 0) {
        return 0;
    }
    std::size_t length = locale.FormatCurrency(plain, out, capacity);
    if (length == 0 || length >= capacity) {
        out[0] = '\0';
        return 0;
    }
    out[length] = '\0';
    return length;
}

std::size_t FormatCount(std::int32_t count, char* out, std::size_t capacity) {
    return Printed(std::snprintf(out, capacity, "%d", static_cast<int>(count)), out, capacity);
}

std::size_t UnchangedPrefixLength(std::string_view previous, std::string_view current) {
    if (previous.size() != current.size()) {
        return 0;
    }
    std::size_t n = 0;
    while (n < current.size() && previous[n] == current[n]) {
        ++n;
    }
    return n;
}

void FormatIndicatorText(int row, const ConnectionStats& r, const DisplaySettings& d,
                         const ILocale& locale, IndicatorText& out) {
    const IndicatorRow& indicator = INDICATORS[row];
    const IndicatorDisplay& display = d.indicators[row];
    if (indicator.time != nullptr) {
        FormatDuration((r.*indicator.time).value, display.showDays && HasDaysField(indicator),
                       display.showSeconds, out);
    } else if (indicator.cost != nullptr) {
        FormatCurrencyText((r.*indicator.cost).value, locale, out);
    } else if (indicator.logins != nullptr) {
        FormatCount(r.*indicator.logins, out);
    } else {
        out.Clear();
    }
}

} // namespace mereth
