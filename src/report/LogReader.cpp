#include "report/UsageReport.h"

#include "log/ConnectionLogFormat.h"

#include <algorithm>
#include <cstring>

namespace mereth {

namespace {

constexpr std::string_view SEPARATOR = " | ";
// The longest call the program logs: a 32-bit count of seconds. Beyond it a line is
// damaged, and a million of them could not carry a total past its 64 bits.
constexpr std::int64_t MAX_SECONDS_OF_CALL = 0x7fffffff;
// The longest name of a phone-book entry.
constexpr std::size_t MAX_NAME_BYTES = 256;
constexpr int MAX_AMOUNT_DIGITS = 18; // what an int64 holds whole

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\xA0' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Exactly two digits below limit.
bool TwoDigits(std::string_view text, int limit, int& value) {
    if (text.size() != 2 || !IsDigit(text[0]) || !IsDigit(text[1])) {
        return false;
    }
    value = (text[0] - '0') * 10 + (text[1] - '0');
    return value < limit;
}

// hh:mm:ss; a start may fall on a leap second.
bool ParseTime(std::string_view text, std::int32_t& second, int secondsLimit = 60) {
    int h = 0;
    int m = 0;
    int s = 0;
    if (text.size() != 8 || text[2] != ':' || text[5] != ':' ||
        !TwoDigits(text.substr(0, 2), 24, h) || !TwoDigits(text.substr(3, 2), 60, m) ||
        !TwoDigits(text.substr(6, 2), secondsLimit, s)) {
        return false;
    }
    second = h * 3600 + m * 60 + s;
    return true;
}

// Three groups of digits with anything else around them, in the locale's order.
bool ParseDate(std::string_view text, const LogLocaleFormat& format, CalendarDate& date) {
    int values[3] = {};
    std::size_t widths[3] = {};
    int groups = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (!IsDigit(text[i])) {
            ++i;
            continue;
        }
        if (groups == 3) {
            return false;
        }
        std::size_t start = i;
        int value = 0;
        while (i < text.size() && IsDigit(text[i]) && i - start < 4) {
            value = value * 10 + (text[i] - '0');
            ++i;
        }
        if (i < text.size() && IsDigit(text[i])) {
            return false;
        }
        values[groups] = value;
        widths[groups] = i - start;
        ++groups;
    }
    if (groups != 3) {
        return false;
    }
    int y = 0;
    int m = 1;
    int d = 2;
    if (format.dateOrder == LogLocaleFormat::DateOrder::DMY) {
        d = 0, m = 1, y = 2;
    } else if (format.dateOrder == LogLocaleFormat::DateOrder::MDY) {
        m = 0, d = 1, y = 2;
    }
    if (widths[m] > 2 || widths[d] > 2 || (widths[y] != 2 && widths[y] != 4)) {
        return false;
    }
    int year = values[y];
    if (widths[y] == 2) {
        int max = format.twoDigitYearMax + format.yearOffset;
        year = max - ((max % 100 - year + 100) % 100);
    }
    year -= format.yearOffset;
    // The years a Windows date can hold.
    if (year < 1601 || year > 9999 || values[m] < 1 || values[m] > 12 || values[d] < 1 ||
        values[d] > DaysInMonth(year, values[m])) {
        return false;
    }
    date = {year, values[m], values[d]};
    return true;
}

// days:hh:mm:ss, days without a bound on their digits.
bool ParseDuration(std::string_view text, std::int64_t& seconds) {
    text = TrimBlanks(text);
    std::size_t colon = text.find(':');
    if (colon == 0 || colon == std::string_view::npos || text.size() - colon != 9) {
        return false;
    }
    std::int64_t days = 0;
    for (char c : text.substr(0, colon)) {
        if (!IsDigit(c) || days > MAX_SECONDS_OF_CALL / 86400) {
            return false;
        }
        days = days * 10 + (c - '0');
    }
    std::int32_t ofDay = 0;
    if (!ParseTime(text.substr(colon + 1), ofDay)) {
        return false;
    }
    seconds = days * 86400 + ofDay;
    return seconds <= MAX_SECONDS_OF_CALL;
}

bool StartsWith(std::string_view text, std::size_t at, std::string_view part) {
    return !part.empty() && text.substr(at, part.size()) == part;
}

// The locale's currency text: a symbol before or after the digits, digits grouped by
// the locale's separator (or any blank when that is a blank) in threes, the decimal
// separator once. A minus or parentheses mean a negative amount, never a call's cost.
bool ParseCost(std::string_view text, const LogLocaleFormat& format, double& cost) {
    text = TrimBlanks(text);
    if (text.find_first_of("-()") != std::string_view::npos) {
        return false;
    }
    std::size_t first = text.find_first_of("0123456789");
    if (first == std::string_view::npos) {
        return false;
    }
    std::size_t end = text.find_last_of("0123456789") + 1;
    std::string_view decimal = format.moneyDecimal;
    std::string_view thousands = format.moneyThousands;
    // A locale without a leading zero writes half a unit as ".50".
    if (!decimal.empty() && first >= decimal.size() &&
        text.substr(first - decimal.size(), decimal.size()) == decimal) {
        first -= decimal.size();
    }
    const bool blankGroups = thousands.empty() ? false : IsBlank(thousands[0]);

    std::int64_t mantissa = 0;
    int digits = 0;
    int fraction = -1;    // digits after the decimal separator; -1 before it
    int groupDigits = -1; // digits since the last grouping separator; -1 before one
    for (std::size_t i = first; i < end;) {
        char c = text[i];
        if (IsDigit(c)) {
            if (++digits > MAX_AMOUNT_DIGITS) {
                return false;
            }
            mantissa = mantissa * 10 + (c - '0');
            fraction += fraction >= 0 ? 1 : 0;
            groupDigits += groupDigits >= 0 ? 1 : 0;
            ++i;
        } else if (fraction < 0 && StartsWith(text, i, decimal)) {
            if (groupDigits >= 0 && groupDigits != 3) {
                return false;
            }
            fraction = 0;
            i += decimal.size();
        } else if (fraction < 0 &&
                   (StartsWith(text, i, thousands) || (blankGroups && IsBlank(c)))) {
            if (groupDigits >= 0 && groupDigits != 3) {
                return false;
            }
            groupDigits = 0;
            i += StartsWith(text, i, thousands) ? thousands.size() : 1;
        } else {
            return false;
        }
    }
    if (fraction < 0 && groupDigits >= 0 && groupDigits != 3) {
        return false;
    }
    double value = static_cast<double>(mantissa);
    for (int i = 0; i < fraction; ++i) {
        value /= 10.0;
    }
    cost = value;
    return true;
}

bool IsHeaderLine(std::string_view line) {
    std::string_view trimmed = TrimBlanks(line);
    if (!trimmed.empty() && trimmed.find_first_not_of('-') == std::string_view::npos) {
        return true;
    }
    std::string_view title = LOG_HEADER.substr(LOG_HEADER.find('\n') + 1);
    title = TrimBlanks(title.substr(0, title.find('\n')));
    return trimmed == title;
}

} // namespace

std::int32_t DayNumber(CalendarDate date) {
    // Days from the civil calendar, counted in 400-year eras from March.
    const std::int32_t y = date.year - (date.month <= 2 ? 1 : 0);
    const std::int32_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int32_t yoe = y - era * 400;
    const std::int32_t mp = (date.month + 9) % 12;
    const std::int32_t doy = (153 * mp + 2) / 5 + date.day - 1;
    const std::int32_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CalendarDate DateOfDayNumber(std::int32_t day) {
    const std::int32_t z = day + 719468;
    const std::int32_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int32_t doe = z - era * 146097;
    const std::int32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int32_t mp = (5 * doy + 2) / 153;
    const std::int32_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int32_t m = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

CLogReader::CLogReader(LogLocaleFormat format) : m_format(std::move(format)) {}

void CLogReader::Feed(std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t end = bytes.find('\n');
        const bool ends = end != std::string_view::npos;
        std::string_view part = bytes.substr(0, ends ? end : bytes.size());
        bytes.remove_prefix(ends ? end + 1 : bytes.size());

        if (!m_overlong && m_pending.size() + part.size() > MAX_LINE_BYTES) {
            // Counted once, as it starts; what follows up to its end is dropped unread.
            m_overlong = true;
            m_pending.clear();
            ++m_skipped;
        }
        if (m_overlong) {
            m_overlong = !ends;
            continue;
        }
        if (!ends) {
            m_pending.append(part);
        } else if (m_pending.empty()) {
            TakeLine(part);
        } else {
            m_pending.append(part);
            TakeLine(m_pending);
            m_pending.clear();
        }
    }
}

void CLogReader::Finish() {
    if (!m_pending.empty()) {
        TakeLine(m_pending);
        m_pending.clear();
    }
    m_overlong = false;
}

void CLogReader::DropUnfinishedLine() {
    m_pending.clear();
    m_overlong = false;
}

void CLogReader::Clear() {
    *this = CLogReader(std::move(m_format));
}

void CLogReader::TakeLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.find('\0') != std::string_view::npos) {
        ++m_skipped;
        return;
    }
    if (TrimBlanks(line).empty() || IsHeaderLine(line)) {
        return;
    }
    if (!ParseCall(line)) {
        ++m_skipped;
    }
}

bool CLogReader::ParseCall(std::string_view line) {
    // From the right: a name may be wider than its column, and hold anything.
    std::size_t costAt = line.rfind(SEPARATOR);
    if (costAt == std::string_view::npos || costAt == 0) {
        return false;
    }
    std::size_t durationAt = line.rfind(SEPARATOR, costAt - 1);
    if (durationAt == std::string_view::npos || durationAt == 0) {
        return false;
    }
    std::size_t startAt = line.rfind(SEPARATOR, durationAt - 1);
    if (startAt == std::string_view::npos) {
        return false;
    }
    std::string_view name = line.substr(0, startAt);
    while (!name.empty() && name.back() == ' ') {
        name.remove_suffix(1);
    }
    std::string_view start =
        line.substr(startAt + SEPARATOR.size(), durationAt - startAt - SEPARATOR.size());
    std::string_view duration =
        line.substr(durationAt + SEPARATOR.size(), costAt - durationAt - SEPARATOR.size());
    std::string_view cost = line.substr(costAt + SEPARATOR.size());

    LoggedCall call;
    std::size_t timeAt = start.rfind(' ');
    if (name.empty() || name.size() > MAX_NAME_BYTES || timeAt == std::string_view::npos ||
        !ParseTime(start.substr(timeAt + 1), call.startSecond, 61) ||
        !ParseDate(start.substr(0, timeAt), m_format, call.date) ||
        !ParseDuration(duration, call.seconds) || !ParseCost(cost, m_format, call.cost)) {
        return false;
    }
    const int entry = EntryIndex(name);
    if (entry < 0) {
        return false;
    }
    call.entry = entry;

    CEntryDays& days = m_days[static_cast<std::size_t>(entry)];
    const std::int32_t day = DayNumber(call.date);
    if (days.last == nullptr || days.lastDay != day) {
        auto found = days.days.find(day);
        if (found == days.days.end()) {
            if (m_daySumCount >= MAX_DAY_SUMS) {
                return false;
            }
            found = days.days.emplace(day, DaySum{}).first;
            ++m_daySumCount;
        }
        days.last = &found->second;
        days.lastDay = day;
    }
    days.last->calls += 1;
    days.last->seconds += call.seconds;
    days.last->cost += call.cost;

    if (m_read == 0 || day < m_firstDay) {
        m_firstDay = day;
    }
    if (m_read == 0 || day > m_lastDay) {
        m_lastDay = day;
    }
    ++m_read;
    Keep(call);
    return true;
}

int CLogReader::EntryIndex(std::string_view name) {
    if (m_lastEntry >= 0 && m_names[static_cast<std::size_t>(m_lastEntry)] == name) {
        return m_lastEntry;
    }
    auto found = m_nameIndex.find(name);
    if (found != m_nameIndex.end()) {
        m_lastEntry = found->second;
        return m_lastEntry;
    }
    if (m_names.size() >= MAX_ENTRY_NAMES) {
        return -1;
    }
    m_lastEntry = static_cast<int>(m_names.size());
    m_names.emplace_back(name);
    m_nameIndex.emplace(m_names.back(), m_lastEntry);
    m_days.emplace_back();
    return m_lastEntry;
}

void CLogReader::Keep(const LoggedCall& call) {
    if (m_calls.size() >= MAX_KEPT_CALLS) {
        // A tenth at a time, so that the list does not shift on every call.
        m_calls.erase(m_calls.begin(),
                      m_calls.begin() + static_cast<std::ptrdiff_t>(MAX_KEPT_CALLS / 10));
    }
    m_calls.push_back(call);
}

const std::vector<std::string>& CLogReader::EntryNames() const {
    return m_names;
}

const std::vector<LoggedCall>& CLogReader::Calls() const {
    return m_calls;
}

std::int64_t CLogReader::SkippedLines() const {
    return m_skipped;
}

std::int64_t CLogReader::ReadLines() const {
    return m_read;
}

const std::map<std::int32_t, DaySum>& CLogReader::DaySums(int entry) const {
    static const std::map<std::int32_t, DaySum> NONE;
    if (entry < 0 || static_cast<std::size_t>(entry) >= m_days.size()) {
        return NONE;
    }
    return m_days[static_cast<std::size_t>(entry)].days;
}

bool CLogReader::DateSpan(CalendarDate& first, CalendarDate& last) const {
    if (m_read == 0) {
        return false;
    }
    first = DateOfDayNumber(m_firstDay);
    last = DateOfDayNumber(m_lastDay);
    return true;
}

} // namespace mereth
