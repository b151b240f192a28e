#include "core/win32/WinLocale.h"

#include <windows.h>

namespace mereth {

namespace {

// Asks for the size needed first: given no room at all the A functions answer that
// size, which must not pass for a text written. Text that does not fit is a failure,
// never a cut text. The text is then formatted with all the room there is, as some
// systems answer the size of the currency text short.
template <typename Call> std::size_t Format(Call call, char* out, std::size_t capacity) {
    if (out == nullptr || capacity == 0) {
        return 0;
    }
    out[0] = '\0';
    const int needed = call(out, 0); // the count includes the NUL
    if (needed <= 0 || static_cast<std::size_t>(needed) > capacity) {
        return 0;
    }
    const int written = call(out, capacity > 0x7fffffff ? 0x7fffffff : static_cast<int>(capacity));
    if (written <= 0) {
        out[0] = '\0';
        return 0;
    }
    return static_cast<std::size_t>(written - 1);
}

} // namespace

std::size_t CWinLocale::FormatShortDate(int year, int month, int day, char* out,
                                        std::size_t capacity) const {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    return Format(
        [&](char* buffer, int size) {
            return GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, size);
        },
        out, capacity);
}

std::size_t CWinLocale::FormatCurrency(const char* amountText, char* out,
                                       std::size_t capacity) const {
    return Format(
        [&](char* buffer, int size) {
            return GetCurrencyFormatA(LOCALE_USER_DEFAULT, 0, amountText, nullptr, buffer, size);
        },
        out, capacity);
}

} // namespace mereth
