#pragma once

#include "core/Locale.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace mereth::test {

// A locale of known texts: dates as dd/mm/yyyy (or dd/mm/yy), money as £1.23.
class CFakeLocale : public ILocale {
public:
    bool twoDigitYear = false;
    bool failDates = false;
    bool failCurrency = false;
    std::string currencySymbol = "\xA3"; // the pound sign in code page 1252

    std::size_t FormatShortDate(int year, int month, int day, char* out,
                                std::size_t capacity) const override {
        if (failDates) {
            return 0;
        }
        int n = twoDigitYear
                    ? std::snprintf(out, capacity, "%02d/%02d/%02d", day, month, year % 100)
                    : std::snprintf(out, capacity, "%02d/%02d/%04d", day, month, year);
        return Fit(n, out, capacity);
    }

    std::size_t FormatCurrency(const char* amountText, char* out,
                               std::size_t capacity) const override {
        if (failCurrency) {
            return 0;
        }
        double amount = std::atof(amountText);
        const char* sign = amount < 0 ? "-" : "";
        int n = std::snprintf(out, capacity, "%s%s%.2f", sign, currencySymbol.c_str(),
                              amount < 0 ? -amount : amount);
        return Fit(n, out, capacity);
    }

private:
    static std::size_t Fit(int n, char* out, std::size_t capacity) {
        if (n < 0 || static_cast<std::size_t>(n) >= capacity) {
            if (capacity > 0) {
                out[0] = '\0';
            }
            return 0;
        }
        return static_cast<std::size_t>(n);
    }
};

} // namespace mereth::test
