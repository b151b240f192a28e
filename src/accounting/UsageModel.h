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
    // The same from the instant the caller's event read, so no second falls between.
    void RebaseTotals(CalendarTime now);

    // Today's short date as the start date: of all 20 records for index 0, else of one.
    // When the locale cannot format the date the old start dates stay.
    void SetStartDate(int index);

    // Sets the counted day, month and year to the calendar date of t.
    void SetCurrentDate(CalendarTime t);

    // The counted day as the store keeps it: its local midnight.
    CalendarTime CountedDayMidnight() const;
    // The counted day of the month from a stored local midnight: that of the date whose
    // midnight is nearest, so a midnight saved in a time zone up to twelve hours away
    // names the same day.
    void SetCountedDayFromMidnight(CalendarTime midnight);

    bool IsValidRecord(int index) const { return index >= 0 && index < m_entryCount; }

    const IClock& Clock() const { return m_clock; }
    const ILocale& Locale() const { return m_locale; }

    ConnectionStats m_entries[RECORD_COUNT];
    CHolidays m_holidays; // one list for all records
    std::int32_t m_entryCount = 1;
    std::int32_t m_selectedEntry = 0;
    EntryName m_selectedEntryName;
    // The counted date: a calendar date, not an instant, so a change of time zone
    // does not move it.
    std::int32_t m_currentDay = 1; // day of the month, 1..31
    std::int32_t m_currentMonth = 1;
    std::int32_t m_currentYear = 1970;
    CalendarTime m_segmentStart = 0;
    std::int32_t m_lastElapsed = 0;

private:
    const IClock& m_clock;
    const ILocale& m_locale;
};

} // namespace mereth
