#pragma once

#include "accounting/ConnectionStats.h"
#include "core/Clock.h"
#include "core/Locale.h"

#include <cstdint>

namespace mereth {

constexpr int RECORD_COUNT = 20; // record 0 and at most 19 entries
constexpr int MAX_ENTRY_RECORDS = RECORD_COUNT - 1;

// The record table and the dates its figures belong to. Owned by the main dialog;
// every member is a plain value.
class CUsageModel {
public:
    // Defaults for every record, record 0 named and selected, today as the counted day.
    CUsageModel(const IClock& clock, const ILocale& locale);

    // Begins a new accounting segment in all 20 records, from now.
    void RebaseTotals();

    // Today's short date as the start date: of all 20 records for index 0, else of one.
    void SetStartDate(int index);

    // Sets the counted day, month and year to the calendar date of t.
    void SetCurrentDate(CalendarTime t);

    bool IsValidRecord(int index) const { return index >= 0 && index < m_entryCount; }

    const IClock& Clock() const { return m_clock; }
    const ILocale& Locale() const { return m_locale; }

    ConnectionStats m_entries[RECORD_COUNT];
    std::int32_t m_entryCount = 1;
    std::int32_t m_selectedEntry = 0;
    EntryName m_selectedEntryName;
    CalendarTime m_currentDay = 0;
    std::int32_t m_currentMonth = 1;
    std::int32_t m_currentYear = 1970;
    CalendarTime m_segmentStart = 0;
    std::int32_t m_lastElapsed = 0;

private:
    const IClock& m_clock;
    const ILocale& m_locale;
};

} // namespace mereth
