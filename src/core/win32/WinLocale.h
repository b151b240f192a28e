#pragma once

#include "core/Locale.h"

namespace mereth {

// The user's default locale through GetDateFormatA and GetCurrencyFormatA.
class CWinLocale : public ILocale {
public:
    std::size_t FormatShortDate(int year, int month, int day, char* out,
                                std::size_t capacity) const override;
    std::size_t FormatCurrency(const char* amountText, char* out,
                               std::size_t capacity) const override;
};

} // namespace mereth
