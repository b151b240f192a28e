#include "accounting/UsageModel.h"

namespace mereth {

CUsageModel::CUsageModel(const IClock& clock, const ILocale& locale)
    : m_clock(clock), m_locale(locale) {
    m_entries[0].name = ALL_CONNECTIONS_NAME;
    m_selectedEntryName = ALL_CONNECTIONS_NAME;
    SetCurrentDate(m_clock.Now());
}

void CUsageModel::SetCurrentDate(CalendarTime t) {
    LocalTime local = m_clock.ToLocal(t);
    m_currentYear = local.year;
    m_currentMonth = local.month;
    m_currentDay = m_clock.LocalMidnight(local.year, local.month, local.day);
}

void CUsageModel::RebaseTotals() {
    for (ConnectionStats& record : m_entries) {
        record.Rebase();
    }
    m_segmentStart = m_clock.Now();
    m_lastElapsed = 0;
}

void CUsageModel::SetStartDate(int index) {
    if (index < 0 || index >= RECORD_COUNT) {
        return;
    }
    LocalTime today = m_clock.ToLocal(m_clock.Now());
    char text[30];
    if (m_locale.FormatShortDate(today.year, today.month, today.day, text, sizeof text) == 0) {
        text[0] = '\0';
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
