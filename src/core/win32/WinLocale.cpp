#include "core/win32/WinLocale.h"

#include <windows.h>

namespace mereth {

namespace {

std::size_t Finish(int written, char* out, std::size_t capacity) {
    if (written <= 0) {
        if (capacity > 0) {
            out[0] = '\0';
        }
        return 0;
    }
    return static_cast<std::size_t>(written - 1); // the count includes the NUL
}

int Capacity(std::size_t capacity) {
    return capacity > 0x7fffffff ? 0x7fffffff : static_cast<int>(capacity);
}

} // namespace

std::size_t CWinLocale::FormatShortDate(int year, int month, int day, char* out,
                                        std::size_t capacity) const {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    int written =
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, out, Capacity(capacity));
    return Finish(written, out, capacity);
}

std::size_t CWinLocale::FormatCurrency(const char* amountText, char* out,
                                       std::size_t capacity) const {
    int written =
        GetCurrencyFormatA(LOCALE_USER_DEFAULT, 0, amountText, nullptr, out, Capacity(capacity));
    return Finish(written, out, capacity);
}

} // namespace mereth
