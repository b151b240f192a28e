#pragma once
// The usage report: every call of the log, read back, summed by day, week or month.
// The log is the only history there is, so the report reads it as the program wrote
// it, in the user's locale, and skips what it cannot read instead of giving up.
#include "tariff/Budget.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mereth {

// How the user's locale writes the two locale-dependent columns of a log line.
struct LogLocaleFormat {
    enum class DateOrder { DMY, MDY, YMD };
    DateOrder dateOrder = DateOrder::DMY;
    std::string moneyDecimal = ".";   // the currency format's decimal separator
    std::string moneyThousands = ","; // and its digit grouping separator
    int twoDigitYearMax = 2049;       // a two-digit year yy is the latest year <= this
    int firstDayOfWeek = 0;           // 0 = Monday .. 6 = Sunday, as weeks are grouped
    // The log's years are the user's calendar's: the Gregorian year plus this (543 in
    // the Thai Buddhist calendar, the default in Thailand).
    int yearOffset = 0;
};

// One call as its log line tells it.
struct LoggedCall {
    std::int32_t entry = 0;       // index into CLogReader's entry names
    CalendarDate date;            // the local start date; a call counts wholly on it
    std::int32_t startSecond = 0; // of that day
    std::int64_t seconds = 0;
    double cost = 0.0;
};

// Day numbers count days from 1970-01-01, so that periods are plain arithmetic.
std::int32_t DayNumber(CalendarDate date);
CalendarDate DateOfDayNumber(std::int32_t day);

// What a day of one entry adds up to.
struct DaySum {
    std::int64_t calls = 0;
    std::int64_t seconds = 0;
    double cost = 0.0;
};

// Reads a log given in pieces of any size (a line may be split between pieces), so
// that a large file goes through a fixed buffer and never sits in memory whole.
class CLogReader {
public:
    // Bounds that keep memory fixed on a log of any size (a 2 GB log holds some 25
    // million lines): lines past them are skipped and counted.
    static constexpr std::size_t MAX_LINE_BYTES = 1024;
    static constexpr std::size_t MAX_KEPT_CALLS = 1000000;
    static constexpr std::size_t MAX_ENTRY_NAMES = 512;
    static constexpr std::size_t MAX_DAY_SUMS = 1000000;

    explicit CLogReader(LogLocaleFormat format);
    void Feed(std::string_view bytes);
    // Takes the last line when the file does not end in a line end.
    void Finish();
    // A read that stopped short of the file's end: the line begun may be cut anywhere
    // (a cost cut from 12.50 to 1 still reads), so it is not taken.
    void DropUnfinishedLine();
    // Starts again from nothing, as for reading the file anew.
    void Clear();

    const std::vector<std::string>& EntryNames() const;
    // In the order of the log; the oldest calls leave the list past MAX_KEPT_CALLS
    // (the summaries below still hold them).
    const std::vector<LoggedCall>& Calls() const;
    std::int64_t SkippedLines() const; // damaged, foreign or too long; headers are not
    std::int64_t ReadLines() const;    // calls read

    const LogLocaleFormat& Format() const { return m_format; }
    // The sums of one entry by day number, over every call read.
    const std::map<std::int32_t, DaySum>& DaySums(int entry) const;
    // The first and last day with a call; false while there is none.
    bool DateSpan(CalendarDate& first, CalendarDate& last) const;

private:
    struct CEntryDays {
        std::map<std::int32_t, DaySum> days;
        std::int32_t lastDay = 0;
        DaySum* last = nullptr; // the day the last line of this entry went to

        CEntryDays() = default;
        // A copy has nodes of its own: the cached day is not carried over.
        CEntryDays(const CEntryDays& other) : days(other.days) {}
        CEntryDays& operator=(const CEntryDays& other) {
            days = other.days;
            last = nullptr;
            return *this;
        }
        CEntryDays(CEntryDays&&) = default;
        CEntryDays& operator=(CEntryDays&&) = default;
    };

    void TakeLine(std::string_view line);
    bool ParseCall(std::string_view line);
    int EntryIndex(std::string_view name);
    void Keep(const LoggedCall& call);

    LogLocaleFormat m_format;
    std::string m_pending;   // a line begun in an earlier piece
    bool m_overlong = false; // the rest of a too long line is dropped as it comes
    std::vector<std::string> m_names;
    std::map<std::string, int, std::less<>> m_nameIndex;
    int m_lastEntry = -1;
    std::vector<CEntryDays> m_days;
    std::size_t m_daySumCount = 0;
    std::vector<LoggedCall> m_calls;
    std::int64_t m_skipped = 0;
    std::int64_t m_read = 0;
    std::int32_t m_firstDay = 0;
    std::int32_t m_lastDay = 0;
};

enum class ReportGrouping { Day, Week, Month };
enum class ReportMeasure { Cost, Time, Calls };

struct ReportQuery {
    int entry = -1; // an index into the entry names; -1 for every entry
    ReportGrouping grouping = ReportGrouping::Day;
    CalendarDate from; // inclusive
    CalendarDate to;   // inclusive
};

// One row of the table: a day, a week (from its first day) or a month (from its 1st).
struct ReportRow {
    CalendarDate first;
    std::int64_t calls = 0;
    std::int64_t seconds = 0;
    double cost = 0.0;
};

struct ReportTable {
    std::vector<ReportRow> rows; // in date order; periods without calls are left out
    ReportRow total;             // total.first is the query's from
};

ReportTable BuildReport(const CLogReader& log, const ReportQuery& query);
// The calls of the query's entry and range, in the log's order.
std::vector<LoggedCall> CallsInRange(const CLogReader& log, const ReportQuery& query);

// Sorts the table's rows by a column (0 period, 1 calls, 2 time, 3 cost); ties keep
// date order.
void SortRows(std::vector<ReportRow>& rows, int column, bool ascending);

// The chart: one bar per day of the range, or per month when the range is longer than
// CHART_DAYS_MAX days; periods without calls are bars of 0.
inline constexpr int CHART_DAYS_MAX = 62;
struct ChartBars {
    bool byMonth = false;
    std::vector<CalendarDate> firsts;
    std::vector<double> values; // cost, seconds or calls, as the measure says
};
ChartBars BuildChart(const CLogReader& log, const ReportQuery& query, ReportMeasure measure);

// A value axis from 0 to top in ticks steps of 1, 2 or 5 times a power of ten, with
// top >= maxValue; seconds go in steps of whole minutes or hours.
struct AxisScale {
    double step = 1.0;
    int ticks = 1;
    double top = 1.0;
};
AxisScale NiceAxis(double maxValue, ReportMeasure measure);

// CSV as RFC 4180 has it, for a spreadsheet to open as it is: a header row, CR LF line
// ends, text fields quoted, amounts as plain numbers with a dot, dates as ISO 8601.
// The table: "Period,Calls,Seconds,Cost" and a last row "Total"; the calls:
// "Entry,Start,Seconds,Cost".
std::string ReportTableCsv(const ReportTable& table, ReportGrouping grouping);
std::string CallsCsv(const CLogReader& log, const std::vector<LoggedCall>& calls);

} // namespace mereth
