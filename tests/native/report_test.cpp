#include "report/UsageReport.h"

#include "log/ConnectionLogFormat.h"

#include "FakeLocale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mereth {
namespace {

using Order = LogLocaleFormat::DateOrder;
const LogLocaleFormat EN_GB{Order::DMY, ".", ",", 2049, 0};
const LogLocaleFormat EN_US{Order::MDY, ".", ",", 2049, 6};
const LogLocaleFormat DE_DE{Order::DMY, ",", ".", 2049, 0};
const LogLocaleFormat SV_SE{Order::YMD, ",", "\xA0", 2049, 0};
const LogLocaleFormat TH_TH{Order::DMY, ".", ",", 2049, 6, 543};

CLogReader Read(const LogLocaleFormat& format, std::string_view text, std::size_t piece) {
    CLogReader log(format);
    for (std::size_t at = 0; at < text.size(); at += piece) {
        log.Feed(text.substr(at, piece));
    }
    log.Finish();
    return log;
}

TEST(LogReader, LinesOfThreeLocalesRealAndDamaged) {
    struct Case {
        const LogLocaleFormat* format;
        std::string line;
        const char* name; // nullptr: skipped as damaged; "": neither read nor skipped
        CalendarDate date;
        std::int32_t startSecond;
        std::int64_t seconds;
        double cost;
    };
    const std::string wideName = "Brambleway Dial-up Link to the office";
    // clang-format off
    const Case cases[] = {
        {&EN_GB, "Work                 | 07/12/2026 09:05:03 | 0:01:02:05 |        \xA3" "1.50\r\n",
         "Work", {2026, 12, 7}, 32703, 3725, 1.5},
        {&EN_GB, wideName + " | 31/12/2026 23:59:59 | 123:04:05:06 | \xA3" "1,234,567.89\n",
         wideName.c_str(), {2026, 12, 31}, 86399, 123 * 86400 + 14706, 1234567.89},
        {&EN_GB, "A | B                | 29/02/28 00:00:00 | 0:00:00:00 | \xA3" "0.00\n",
         "A | B", {2028, 2, 29}, 0, 0, 0.0},
        {&EN_GB, "Old                  | 01/01/50 12:00:00 | 0:00:01:00 | \xA3" "12\n",
         "Old", {1950, 1, 1}, 43200, 60, 12.0},
        {&EN_US, "Home                 | 12/7/2026 18:00:00 | 0:00:00:59 |        $0.40\n",
         "Home", {2026, 12, 7}, 64800, 59, 0.4},
        {&EN_US, "Home | 12/7/2026 18:00:00 | 0:00:00:59 | $.50\n", "Home", {2026, 12, 7}, 64800, 59, 0.5},
        {&DE_DE, "B\xFCro                 | 07.12.2026 09:05:03 | 0:01:02:05 |   1.234,56 \x80\n",
         "B\xFCro", {2026, 12, 7}, 32703, 3725, 1234.56},
        {&SV_SE, "Hem                  | 2026-12-07 09:05:03 | 0:01:02:05 | 1 234,56 kr\n",
         "Hem", {2026, 12, 7}, 32703, 3725, 1234.56},
        {&SV_SE, "Hem                  | 2026-12-07 09:05:03 | 0:01:02:05 | kr\xA0" "1\xA0" "234,5\n",
         "Hem", {2026, 12, 7}, 32703, 3725, 1234.5},
        // Buddhist years: 2567 is 2024, a leap year.
        {&TH_TH, "Home | 29/2/2567 18:00:00 | 0:00:00:59 | \xDF" "0.40\n", "Home", {2024, 2, 29}, 64800, 59, 0.4},
        {&TH_TH, "Home | 29/2/67 18:00:00 | 0:00:00:59 | \xDF" "0.40\n", "Home", {2024, 2, 29}, 64800, 59, 0.4},
        // Header lines and blank lines are neither calls nor damage.
        {&EN_GB, std::string(LOG_HEADER.substr(0, 70)), "", {}, 0, 0, 0},
        {&EN_GB, std::string(LOG_HEADER.substr(70, 62)), "", {}, 0, 0, 0},
        {&EN_GB, "  \r\n", "", {}, 0, 0, 0},
        // Another locale's date or money, impossible fields, negative or no amounts.
        {&EN_US, "Work | 31/12/2026 09:05:03 | 0:01:02:05 | $1.50\n", nullptr, {}, 0, 0, 0},
        {&DE_DE, "Work | 07.12.2026 09:05:03 | 0:01:02:05 | 0.40 \x80\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, "Work | 07/12/2026 09:05:03 | 0:01:02:05 | \xA3" "1.234,56\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, "Work | 29/02/2027 09:05:03 | 0:01:02:05 | \xA3" "1.50\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, "Work | 07/12/2026 24:05:03 | 0:01:02:05 | \xA3" "1.50\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, "Work | 07/12/2026 09:05:03 | 0:24:00:00 | \xA3" "1.50\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, "Work | 07/12/2026 09:05:03 | -0:00:00:05 | \xA3" "1.50\n", nullptr, {}, 0, 0, 0},
        // The longest call a 32-bit count of seconds logs, and one second more; a name
        // longer than any phone-book entry's.
        {&EN_GB, "Work | 07/12/2026 09:05:03 | 24855:03:14:07 | \xA3" "1.50\n",
         "Work", {2026, 12, 7}, 32703, 0x7fffffff, 1.5},
        {&EN_GB, "Work | 07/12/2026 09:05:03 | 24855:03:14:08 | \xA3" "1.50\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, std::string(257, 'W') + " | 07/12/2026 09:05:03 | 0:00:00:05 | \xA3" "1.50\n",
         nullptr, {}, 0, 0, 0},
        {&EN_GB, "Work | 07/12/2026 09:05:03 | 0:01:02:05 | (\xA3" "1.50)\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, "Work | 07/12/2026 09:05:03 | 0:01:02:05 | -\xA3" "1.50\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, "Work | 07/12/2026 09:05:03 | 0:01:02:05 | \xA3\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, "Work | 07/12/2026 | 0:01:02:05 | \xA3" "1.50\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, "     | 07/12/2026 09:05:03 | 0:01:02:05 | \xA3" "1.50\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, "07/12/2026 09:05:03 | 0:01:02:05 | \xA3" "1.50\n", nullptr, {}, 0, 0, 0},
        {&EN_GB, std::string("Wo\0rk", 5) + " | 07/12/2026 09:05:03 | 0:01:02:05 | \xA3" "1.50\n",
         nullptr, {}, 0, 0, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        CLogReader log = Read(*c.format, c.line, c.line.size());
        const bool call = c.name != nullptr && *c.name != '\0';
        EXPECT_EQ(log.ReadLines(), call ? 1 : 0);
        EXPECT_EQ(log.SkippedLines(), c.name == nullptr ? 1 : 0);
        if (call && log.Calls().size() == 1) {
            const LoggedCall& got = log.Calls()[0];
            EXPECT_EQ(log.EntryNames()[static_cast<std::size_t>(got.entry)], c.name);
            EXPECT_EQ(got.date, c.date);
            EXPECT_EQ(got.startSecond, c.startSecond);
            EXPECT_EQ(got.seconds, c.seconds);
            EXPECT_NEAR(got.cost, c.cost, 1e-9);
        }
    }
}

// However the file arrives in pieces, the same calls come out; a line of 100,000
// characters, one with a NUL and a last line without its end are taken as they are.
TEST(LogReader, PiecesOfAnySizeReadTheSame) {
    const std::string line = "Work                 | 07/12/2026 09:05:03 | 0:01:02:05 | $1.50\r\n";
    std::string text = std::string(LOG_HEADER) + line + std::string(100000, 'x') + "\r\n" + line +
                       std::string(CLogReader::MAX_LINE_BYTES + 1, ' ') + "\n" +
                       std::string("Wo\0rk", 5) + line.substr(4) + "\n" +
                       line.substr(0, line.size() - 2);
    for (std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{100}, text.size()}) {
        SCOPED_TRACE(piece);
        CLogReader log = Read(EN_GB, text, piece);
        EXPECT_EQ(log.ReadLines(), 3);
        EXPECT_EQ(log.SkippedLines(), 3);
        ASSERT_EQ(log.EntryNames(), std::vector<std::string>{"Work"});
        ASSERT_EQ(log.Calls().size(), 3u);
        EXPECT_EQ(log.Calls()[2].cost, 1.5);
    }
    // A read that stops short takes nothing of a line cut at "$1", though it would parse.
    CLogReader cut(EN_GB);
    cut.Feed(line + line.substr(0, line.size() - 5));
    cut.DropUnfinishedLine();
    EXPECT_EQ(cut.ReadLines(), 1);
}

LocalTime At(int y, int mo, int d, int h, int mi, int s) {
    LocalTime t;
    t.year = y, t.month = mo, t.day = d, t.hour = h, t.minute = mi, t.second = s;
    return t;
}

TEST(LogReader, ReadsBackWhatTheLogWrote) {
    struct Case {
        std::string name;
        LocalTime start;
        std::int32_t seconds;
        float cost;
        bool twoDigitYear;
    };
    const Case cases[] = {
        {"Work", At(2026, 12, 7, 9, 5, 3), 3725, 1.5f, false},
        {"Brambleway Dial-up Link", At(2027, 1, 31, 23, 59, 59), 183600, 12.25f, true},
        {"Home ", At(2049, 6, 1, 0, 0, 0), 100 * 86400 + 1, 100000.0f, true},
        {"Night", At(2026, 3, 29, 1, 30, 0), 0x7fffffff, 0.0f, false},
    };
    test::CFakeLocale locale;
    std::string text;
    for (const Case& c : cases) {
        locale.twoDigitYear = c.twoDigitYear;
        LogLine line;
        FormatLogLine(locale, c.name, c.start, c.seconds, c.cost, line);
        text += line.view();
    }
    CLogReader log = Read(EN_GB, text, text.size());
    ASSERT_EQ(log.Calls().size(), std::size(cases));
    EXPECT_EQ(log.SkippedLines(), 0);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const LoggedCall& got = log.Calls()[i];
        std::string name = c.name.substr(0, 20);
        EXPECT_EQ(log.EntryNames()[static_cast<std::size_t>(got.entry)],
                  name.substr(0, name.find_last_not_of(' ') + 1));
        EXPECT_EQ(got.date, (CalendarDate{c.start.year, c.start.month, c.start.day}));
        EXPECT_EQ(got.startSecond, c.start.hour * 3600 + c.start.minute * 60 + c.start.second);
        EXPECT_EQ(got.seconds, c.seconds);
        EXPECT_NEAR(got.cost, c.cost, 0.005);
    }
}

// Calls across New Year and the spring change to summer time: a call counts wholly on
// the day it started, a week may span two years.
TEST(UsageReport, GroupsByDayWeekAndMonth) {
    const std::string text = "Work | 30/12/2026 23:30:00 | 0:01:00:00 | $1.00\n"
                             "Home | 01/01/2027 00:10:00 | 0:00:10:00 | $2.00\n"
                             "Work | 03/01/2027 12:00:00 | 0:00:01:00 | $4.00\n"
                             "Work | 28/03/2027 01:30:00 | 0:02:00:00 | $8.00\n"
                             "Work | 28/03/2027 23:30:00 | 0:00:00:30 | $16.00\n";
    using enum ReportGrouping;
    struct Case {
        int firstDayOfWeek;
        int entry;
        ReportGrouping grouping;
        std::vector<CalendarDate> firsts;
        std::vector<double> costs;
    };
    const Case cases[] = {
        {0, -1, Day, {{2026, 12, 30}, {2027, 1, 1}, {2027, 1, 3}, {2027, 3, 28}}, {1, 2, 4, 24}},
        {0, -1, Week, {{2026, 12, 28}, {2027, 3, 22}}, {7, 24}},
        {6, -1, Week, {{2026, 12, 27}, {2027, 1, 3}, {2027, 3, 28}}, {3, 4, 24}},
        {0, -1, Month, {{2026, 12, 1}, {2027, 1, 1}, {2027, 3, 1}}, {1, 6, 24}},
        {0, 1, Month, {{2027, 1, 1}}, {2}},
    };
    for (const Case& c : cases) {
        LogLocaleFormat format = EN_GB;
        format.firstDayOfWeek = c.firstDayOfWeek;
        CLogReader log = Read(format, text, text.size());
        ReportTable table = BuildReport(log, {c.entry, c.grouping, {2026, 12, 1}, {2027, 3, 31}});
        std::vector<CalendarDate> firsts;
        std::vector<double> costs;
        for (const ReportRow& row : table.rows) {
            firsts.push_back(row.first);
            costs.push_back(row.cost);
        }
        EXPECT_EQ(firsts, c.firsts);
        EXPECT_EQ(costs, c.costs);
    }

    CLogReader log = Read(EN_GB, text, text.size());
    ChartBars days = BuildChart(log, {-1, Day, {2026, 12, 30}, {2027, 1, 3}}, ReportMeasure::Cost);
    EXPECT_FALSE(days.byMonth);
    EXPECT_EQ(days.values, (std::vector<double>{1, 0, 2, 0, 4}));
    ChartBars months =
        BuildChart(log, {-1, Day, {2026, 12, 31}, {2027, 3, 28}}, ReportMeasure::Time);
    EXPECT_TRUE(months.byMonth);
    EXPECT_EQ(months.values, (std::vector<double>{0, 660, 0, 7230}));
}

TEST(UsageReport, CsvQuotesNamesAndWritesPlainNumbers) {
    const std::string text = "Dial, Inc.           | 09/12/2026 14:03:00 | 0:00:02:05 | $0.40\n"
                             "The \"Fast\" One | 09/12/2026 15:00:00 | 1:00:00:00 | $1,234.5\n"
                             "Two\rLines | 10/12/2026 09:00:09 | 0:00:00:09 | $0.07\n";
    CLogReader log = Read(EN_GB, text, text.size());
    ReportQuery query{-1, ReportGrouping::Month, {2026, 12, 1}, {2026, 12, 31}};
    EXPECT_EQ(CallsCsv(log, CallsInRange(log, query)),
              "Entry,Start,Seconds,Cost\r\n"
              "\"Dial, Inc.\",2026-12-09 14:03:00,125,0.40\r\n"
              "\"The \"\"Fast\"\" One\",2026-12-09 15:00:00,86400,1234.50\r\n"
              "\"Two\rLines\",2026-12-10 09:00:09,9,0.07\r\n");
    EXPECT_EQ(
        ReportTableCsv(BuildReport(log, query), ReportGrouping::Month),
        "Period,Calls,Seconds,Cost\r\n2026-12,3,86534,1234.97\r\n\"Total\",3,86534,1234.97\r\n");
    query.grouping = ReportGrouping::Day;
    EXPECT_EQ(ReportTableCsv(BuildReport(log, query), ReportGrouping::Day),
              "Period,Calls,Seconds,Cost\r\n2026-12-09,2,86525,1234.90\r\n"
              "2026-12-10,1,9,0.07\r\n\"Total\",3,86534,1234.97\r\n");
    // An amount past what a count of ten-thousandths holds.
    const std::string huge = "Big | 11/12/2026 09:00:00 | 0:00:00:01 | $10,000,000,000,000,000\n";
    CLogReader big = Read(EN_GB, huge, huge.size());
    EXPECT_EQ(CallsCsv(big, big.Calls()),
              "Entry,Start,Seconds,Cost\r\n\"Big\",2026-12-11 09:00:00,1,10000000000000000.00\r\n");
}

TEST(UsageReport, AxisStepsAreRoundAndTimeStepsWholeMinutesOrHours) {
    struct Case {
        double max;
        ReportMeasure measure;
        double step;
        int ticks;
    };
    const Case cases[] = {
        {0.0, ReportMeasure::Cost, 1, 1},        {0.03, ReportMeasure::Cost, 0.01, 3},
        {7.3, ReportMeasure::Cost, 2, 4},        {3, ReportMeasure::Calls, 1, 3},
        {59, ReportMeasure::Time, 60, 1},        {3725, ReportMeasure::Time, 1200, 4},
        {100000, ReportMeasure::Time, 36000, 3}, {1e6, ReportMeasure::Calls, 200000, 5},
    };
    for (const Case& c : cases) {
        AxisScale axis = NiceAxis(c.max, c.measure);
        EXPECT_DOUBLE_EQ(axis.step, c.step) << c.max;
        EXPECT_EQ(axis.ticks, c.ticks) << c.max;
        EXPECT_GE(axis.top, c.max);
    }
}

} // namespace
} // namespace mereth
