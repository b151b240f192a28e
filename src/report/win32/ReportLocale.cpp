#include "report/win32/ReportLocale.h"

#include <windows.h>

#include <iterator>
#include <string>

namespace mereth {

namespace {

std::wstring LocaleText(LCTYPE type) {
    wchar_t text[96] = {};
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, static_cast<int>(std::size(text)));
    return n > 1 ? std::wstring(text, static_cast<std::size_t>(n - 1)) : std::wstring();
}

// The bytes the A functions write for this text.
std::string AnsiText(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    char bytes[64] = {};
    int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes,
                                static_cast<int>(sizeof bytes), nullptr, nullptr);
    return n > 0 ? std::string(bytes, static_cast<std::size_t>(n)) : std::string();
}

// The order of day, month and year in a short-date picture such as "dd/MM/yyyy";
// text in single quotes is literal.
LogLocaleFormat::DateOrder OrderOf(const std::wstring& picture) {
    std::size_t day = std::wstring::npos;
    std::size_t month = std::wstring::npos;
    std::size_t year = std::wstring::npos;
    bool quoted = false;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        wchar_t c = picture[i];
        if (c == L'\'') {
            quoted = !quoted;
        } else if (!quoted && c == L'd' && day == std::wstring::npos) {
            day = i;
        } else if (!quoted && c == L'M' && month == std::wstring::npos) {
            month = i;
        } else if (!quoted && c == L'y' && year == std::wstring::npos) {
            year = i;
        }
    }
    if (day == std::wstring::npos || month == std::wstring::npos || year == std::wstring::npos) {
        return LogLocaleFormat::DateOrder::DMY;
    }
    if (year < month && year < day) {
        return LogLocaleFormat::DateOrder::YMD;
    }
    return month < day ? LogLocaleFormat::DateOrder::MDY : LogLocaleFormat::DateOrder::DMY;
}

} // namespace

LogLocaleFormat UserLogLocaleFormat() {
    LogLocaleFormat format;
    format.dateOrder = OrderOf(LocaleText(LOCALE_SSHORTDATE));

    std::string decimal = AnsiText(LocaleText(LOCALE_SMONDECIMALSEP));
    if (!decimal.empty()) {
        format.moneyDecimal = decimal;
    }
    // An empty grouping separator is a locale that groups no digits.
    format.moneyThousands = AnsiText(LocaleText(LOCALE_SMONTHOUSANDSEP));
    if (format.moneyThousands == format.moneyDecimal) {
        format.moneyThousands.clear();
    }

    std::wstring first = LocaleText(LOCALE_IFIRSTDAYOFWEEK);
    if (first.size() == 1 && first[0] >= L'0' && first[0] <= L'6') {
        format.firstDayOfWeek = first[0] - L'0';
    }

    // Calendars that only count years from another start; an era calendar (Japan's)
    // starts its count again and is read as Gregorian.
    DWORD calendar = CAL_GREGORIAN;
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE | LOCALE_RETURN_NUMBER,
                   reinterpret_cast<LPWSTR>(&calendar), sizeof calendar / sizeof(wchar_t));
    format.yearOffset = calendar == CAL_THAI     ? 543
                        : calendar == CAL_KOREA  ? 2333
                        : calendar == CAL_TAIWAN ? -1911
                                                 : 0;

    DWORD yearMax = 0;
    if (GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN,
                         CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0, &yearMax) > 0 &&
        yearMax >= 1700 && yearMax <= 9999) {
        format.twoDigitYearMax = static_cast<int>(yearMax);
    }
    return format;
}

} // namespace mereth
