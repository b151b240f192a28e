#pragma once

#include <cstddef>

namespace mereth {

// The user's locale, as the system formats dates and money. Results go into the
// caller's buffer, so the hot paths that format figures allocate nothing.
class ILocale {
public:
    virtual ~ILocale() = default;
    // The short date of the given day. Returns the length written, 0 on failure.
    virtual std::size_t FormatShortDate(int year, int month, int day, char* out,
                                        std::size_t capacity) const = 0;
    // A money amount given as plain "%f" text, in the locale's currency format.
    // Returns the length written, 0 on failure (also when it does not fit).
    virtual std::size_t FormatCurrency(const char* amountText, char* out,
                                       std::size_t capacity) const = 0;
};

} // namespace mereth
