#include "tariff/Budget.h"

#include <algorithm>

namespace mereth {

namespace {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int ClampBillingDay(int billingDay) {
    return billingDay < 1 || billingDay > 31 ? DEFAULT_BILLING_DAY : billingDay;
}

// The day a period starting on billingDay starts in this month.
CalendarDate StartIn(int year, int month, int billingDay) {
    return {year, month, std::min(billingDay, DaysInMonth(year, month))};
}

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ';';
}

// Exactly "yyyy-mm-dd" naming a day the calendar has.
bool ParseDate(std::string_view text, CalendarDate& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    auto number = [&](std::size_t from, std::size_t length, std::int32_t& out) {
        out = 0;
        for (std::size_t i = from; i < from + length; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return false;
            }
            out = out * 10 + (text[i] - '0');
        }
        return true;
    };
    CalendarDate d;
    if (!number(0, 4, d.year) || !number(5, 2, d.month) || !number(8, 2, d.day) || d.year < 1970 ||
        d.month < 1 || d.month > 12 || d.day < 1 || d.day > DaysInMonth(d.year, d.month)) {
        return false;
    }
    date = d;
    return true;
}

char* PutDigits(char* out, int value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + width;
}

} // namespace

int DaysInMonth(int year, int month) {
    static constexpr int DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 31;
    }
    return month == 2 && IsLeapYear(year) ? 29 : DAYS[month - 1];
}

CalendarDate BillingPeriodStart(CalendarDate date, int billingDay) {
    billingDay = ClampBillingDay(billingDay);
    const CalendarDate here = StartIn(date.year, date.month, billingDay);
    if (date.day >= here.day) {
        return here;
    }
    return date.month == 1 ? StartIn(date.year - 1, 12, billingDay)
                           : StartIn(date.year, date.month - 1, billingDay);
}

CalendarDate NextBillingPeriodStart(CalendarDate start, int billingDay) {
    billingDay = ClampBillingDay(billingDay);
    return start.month == 12 ? StartIn(start.year + 1, 1, billingDay)
                             : StartIn(start.year, start.month + 1, billingDay);
}

Projection ProjectSpend(const Budget& budget, float spent, std::int64_t elapsedSeconds,
                        std::int64_t periodSeconds, int daysLeft) {
    Projection p;
    if (!budget.IsSet()) {
        return p;
    }
    p.spent = spent;
    // Nothing gone yet: the pace is unknown, the spend so far is all there is.
    p.projected = spent;
    if (elapsedSeconds > 0 && periodSeconds > elapsedSeconds) {
        p.projected =
            static_cast<float>(static_cast<double>(spent) * static_cast<double>(periodSeconds) /
                               static_cast<double>(elapsedSeconds));
    }
    p.left = budget.amount - spent;
    if (daysLeft > 0 && p.left > 0.0f) {
        p.perDay = p.left / static_cast<float>(daysLeft);
    }
    const double amber = static_cast<double>(budget.amount) * budget.alertPercents[0] / 100.0;
    if (p.projected > budget.amount) {
        p.level = BudgetLevel::Red;
    } else if (static_cast<double>(p.projected) >= amber) {
        p.level = BudgetLevel::Amber;
    }
    return p;
}

std::uint32_t AlertsDue(const Budget& budget, float spent, std::uint32_t alertsGiven) {
    std::uint32_t due = 0;
    if (!budget.IsSet()) {
        return due;
    }
    for (int i = 0; i < ALERT_COUNT; ++i) {
        const std::uint32_t bit = 1u << i;
        const double threshold =
            static_cast<double>(budget.amount) * budget.alertPercents[i] / 100.0;
        if ((alertsGiven & bit) == 0 && static_cast<double>(spent) >= threshold) {
            due |= bit;
        }
    }
    return due;
}

bool CHolidays::Contains(CalendarDate date) const {
    return std::binary_search(m_dates, m_dates + m_count, date);
}

std::size_t CHolidays::Parse(std::string_view text) {
    m_count = 0;
    std::size_t leftOut = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !IsSeparator(text[end])) {
            ++end;
        }
        CalendarDate date;
        if (!ParseDate(text.substr(i, end - i), date)) {
            ++leftOut;
        } else if (std::find(m_dates, m_dates + m_count, date) != m_dates + m_count) {
            // A date listed twice is one holiday.
        } else if (m_count == CAPACITY) {
            ++leftOut;
        } else {
            m_dates[m_count++] = date;
        }
        i = end;
    }
    std::sort(m_dates, m_dates + m_count);
    return leftOut;
}

std::size_t CHolidays::Format(char* out, std::size_t capacity) const {
    std::size_t length = 0;
    for (std::size_t i = 0; i < m_count && length + 11 <= capacity; ++i) {
        char* p = out + length;
        if (i > 0) {
            *p++ = ' ';
        }
        p = PutDigits(p, m_dates[i].year, 4);
        *p++ = '-';
        p = PutDigits(p, m_dates[i].month, 2);
        *p++ = '-';
        p = PutDigits(p, m_dates[i].day, 2);
        length = static_cast<std::size_t>(p - out);
    }
    if (length < capacity) {
        out[length] = '\0';
    }
    return length;
}

} // namespace mereth
