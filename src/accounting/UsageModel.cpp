#include "accounting/UsageModel.h"

namespace mereth {

CUsageModel::CUsageModel(const IClock& clock, const ILocale& locale)
    : m_clock(clock), m_locale(locale) {
    m_entries[0].name = ALL_CONNECTIONS_NAME;
    m_selectedEntryName = ALL_CONNECTIONS_NAME;
    SetCurrentDate(m_clock.Now());
    const CalendarDate today{m_currentYear, m_currentMonth, m_currentDay};
    for (ConnectionStats& record : m_entries) {
        record.billingStart = BillingPeriodStart(today, record.budget.billingDay);
    }
}

void CUsageModel::SetCurrentDate(CalendarTime t) {
    LocalTime local = m_clock.ToLocal(t);
    m_currentYear = local.year;
    m_currentMonth = local.month;
    m_currentDay = local.day;
}

CalendarTime CUsageModel::CountedDayMidnight() const {
    return m_clock.LocalMidnight(m_currentYear, m_currentMonth, m_currentDay);
}

void CUsageModel::SetCountedDayFromMidnight(CalendarTime midnight) {
    constexpr CalendarTime HALF_DAY = 12 * 3600;
    m_currentDay = m_clock.ToLocal(midnight + HALF_DAY).day;
}

void CUsageModel::RebaseTotals() {
    RebaseTotals(m_clock.Now());
}

void CUsageModel::RebaseTotals(CalendarTime now) {
    for (ConnectionStats& record : m_entries) {
        record.Rebase();
    }
    m_segmentStart = now;
    m_lastElapsed = 0;
}

void CUsageModel::SetStartDate(int index) {
    if (index < 0 || index >= RECORD_COUNT) {
        return;
    }
    LocalTime today = m_clock.ToLocal(m_clock.Now());
    char text[DateText::capacity() + 1];
    const std::size_t length =
        m_locale.FormatShortDate(today.year, today.month, today.day, text, sizeof text);
    if (length == 0 || length >= sizeof text) {
        return; // an empty date would read "Total (since )"
    }
    if (index == 0) {
        for (ConnectionStats& record : m_entries) {
            record.startDate = text;
        }
    } else {
        m_entries[index].startDate = text;
    }
}

} // namespace mereth
