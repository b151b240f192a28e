#include "log/ConnectionLogFormat.h"

#include "FakeLocale.h"

#include <gtest/gtest.h>

#include <limits>

#include <string>
#include <vector>

namespace mereth {
namespace {

LocalTime At(int y, int mo, int d, int h, int mi, int s) {
    LocalTime t;
    t.year = y;
    t.month = mo;
    t.day = d;
    t.hour = h;
    t.minute = mi;
    t.second = s;
    return t;
}

std::string Line(const ILocale& locale, std::string_view name, std::int32_t duration, float cost,
                 const LocalTime& start = At(2026, 12, 7, 9, 5, 3)) {
    LogLine line;
    FormatLogLine(locale, name, start, duration, cost, line);
    EXPECT_EQ(line.text[line.length], '\0');
    return std::string(line.view());
}

std::vector<std::size_t> BarColumns(const std::string& text) {
    std::vector<std::size_t> columns;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '|') {
            columns.push_back(i + 1); // counted from 1
        }
    }
    return columns;
}

TEST(ConnectionLogFormat, HeaderBlockIsThreeFixedLines) {
    const std::string header(LOG_HEADER);
    const std::string rule = std::string(69, '-') + "\n";
    ASSERT_EQ(header.size(), 69u + 1 + 61 + 1 + 69 + 1);
    EXPECT_EQ(header.substr(0, 70), rule);
    EXPECT_EQ(header.substr(70, 62),
              "Dialup Connection    | Start             | Duration   | Cost \n");
    EXPECT_EQ(header.substr(132), rule);
    EXPECT_EQ(BarColumns(header.substr(70, 62)), (std::vector<std::size_t>{22, 42, 55}));
}

TEST(ConnectionLogFormat, LineWithEightCharacterDateStandsUnderTheHeader) {
    test::CFakeLocale locale;
    locale.twoDigitYear = true;

    std::string shortName = Line(locale, "Net", 3725, 1.5f);
    EXPECT_EQ(shortName, "Net                  | 07/12/26 09:05:03 | 0:01:02:05 |        \xA3"
                         "1.50\n");
    EXPECT_EQ(BarColumns(shortName), (std::vector<std::size_t>{22, 42, 55}));
    EXPECT_EQ(shortName.size(), 68u + 1); // the cost ends at column 68

    // 25 characters: only the first 20 are kept.
    std::string longName =
        Line(locale, "Brambleway Dial-up Link", 183600, 12.25f, At(2027, 1, 31, 23, 59, 59));
    EXPECT_EQ(longName, "Brambleway Dial-up L | 31/01/27 23:59:59 | 2:03:00:00 |       \xA3"
                        "12.25\n");

    // Exactly 20 characters, a midnight start and a zero cost.
    std::string exact = Line(locale, "ABCDEFGHIJKLMNOPQRST", 0, 0.0f, At(2026, 3, 1, 0, 0, 0));
    EXPECT_EQ(exact, "ABCDEFGHIJKLMNOPQRST | 01/03/26 00:00:00 | 0:00:00:00 |        \xA3"
                     "0.00\n");
}

TEST(ConnectionLogFormat, DateOfOtherWidthShiftsTheRest) {
    test::CFakeLocale locale; // dd/mm/yyyy: two characters more
    std::string line = Line(locale, "Home", 59, 0.1f);
    EXPECT_EQ(line, "Home                 | 07/12/2026 09:05:03 | 0:00:00:59 |        \xA3"
                    "0.10\n");
    EXPECT_EQ(BarColumns(line), (std::vector<std::size_t>{22, 44, 57}));

    // A date the locale cannot give leaves its place empty; the rest still follows.
    locale.failDates = true;
    EXPECT_EQ(Line(locale, "Home", 59, 0.1f),
              "Home                 |  09:05:03 | 0:00:00:59 |        \xA3"
              "0.10\n");
}

TEST(ConnectionLogFormat, WideDurationAndCostAreWrittenWhole) {
    test::CFakeLocale locale;
    locale.twoDigitYear = true;

    // Ten days and more: every digit of the days stays.
    EXPECT_EQ(Line(locale, "Net", 10 * 86400 + 61, 1.5f),
              "Net                  | 07/12/26 09:05:03 | 10:00:01:01 |        \xA3"
              "1.50\n");
    EXPECT_EQ(Line(locale, "Net", 2147483647, 1.5f),
              "Net                  | 07/12/26 09:05:03 | 24855:03:14:07 |        \xA3"
              "1.50\n");
    // Just under ten days still fills the ten characters exactly.
    EXPECT_EQ(Line(locale, "Net", 10 * 86400 - 1, 1.5f),
              "Net                  | 07/12/26 09:05:03 | 9:23:59:59 |        \xA3"
              "1.50\n");

    // Twelve characters fill the column; thirteen are not cut.
    EXPECT_EQ(Line(locale, "Net", 60, 12345678.0f),
              "Net                  | 07/12/26 09:05:03 | 0:00:01:00 | \xA3"
              "12345678.00\n");
    EXPECT_EQ(Line(locale, "Net", 60, 100000000.0f),
              "Net                  | 07/12/26 09:05:03 | 0:00:01:00 | \xA3"
              "100000000.00\n");
    // Longer than twenty characters as well.
    locale.currencySymbol = "Pounds sterling ";
    EXPECT_EQ(Line(locale, "Net", 60, 100000000.0f),
              "Net                  | 07/12/26 09:05:03 | 0:00:01:00 | Pounds sterling "
              "100000000.00\n");
    // The most negative count in the log has no positive counterpart.
    char text[64];
    const std::size_t n =
        FormatLogDuration(std::numeric_limits<std::int64_t>::min(), text, sizeof text);
    EXPECT_EQ(std::string(text, n), "-106751991167300:15:30:08");
    // The largest float, in full.
    locale.currencySymbol = "\xA3";
    std::string huge = Line(locale, "Net", 60, 3.4028234663852886e38f);
    EXPECT_NE(huge.find("| \xA3"
                        "340282346638528859811704183484516925440.00\n"),
              std::string::npos)
        << huge;
}

TEST(ConnectionLogFormat, FailedCurrencyLeavesTwelveBlanks) {
    test::CFakeLocale locale;
    locale.twoDigitYear = true;
    locale.failCurrency = true;
    EXPECT_EQ(Line(locale, "Net", 3725, 1.5f),
              "Net                  | 07/12/26 09:05:03 | 0:01:02:05 |             \n");
}

TEST(ConnectionLogFormat, HeaderBlockComesBackWithEveryTwentiethLogin) {
    test::CFakeLocale locale;
    locale.twoDigitYear = true;
    const LocalTime start = At(2026, 12, 7, 9, 5, 3);

    // Logins 38 to 41 appended in turn, as a log would grow.
    std::string log;
    std::vector<std::size_t> lineStarts;
    for (std::int32_t login = 38; login <= 41; ++login) {
        LogEntry entry;
        FormatLogEntry(locale, "Net", start, 60 * login, 0.5f, login, entry);
        log += entry.view();
        lineStarts.push_back(log.size() - Line(locale, "Net", 60 * login, 0.5f).size());
    }
    const std::string header(LOG_HEADER);
    // The 40th login's line directly follows a header block; no other line does.
    EXPECT_EQ(log.find(header), lineStarts[2] - header.size());
    EXPECT_EQ(log.find(header, lineStarts[2]), std::string::npos);
    EXPECT_EQ(log.rfind(header, lineStarts[1]), std::string::npos);
    EXPECT_EQ(log.substr(lineStarts[2], 4), "Net ");
    EXPECT_EQ(log.substr(lineStarts[3], 4), "Net ");
    EXPECT_EQ(log.size(), header.size() + 4 * 69);

    EXPECT_TRUE(LogHeaderDue(0));
    EXPECT_TRUE(LogHeaderDue(20));
    EXPECT_FALSE(LogHeaderDue(1));
    EXPECT_FALSE(LogHeaderDue(19));
}

TEST(ConnectionLogFormat, LogPathIsBesideTheExecutableWhateverItsLength) {
    EXPECT_EQ(LogFilePathFromModule("C:\\Program Files\\Mereth\\Mereth.exe"),
              "C:\\Program Files\\Mereth\\Mereth.log");

    std::string folder = "D:\\";
    for (int i = 0; i < 12; ++i) {
        folder += "A rather long folder name " + std::to_string(i) + "\\";
    }
    ASSERT_GT(folder.size(), 300u);
    EXPECT_EQ(LogFilePathFromModule(folder + "Mereth.exe"), folder + "Mereth.log");

    // No folder in the path, or no path at all.
    EXPECT_EQ(LogFilePathFromModule("Mereth.exe"), "Mereth.log");
    EXPECT_EQ(LogFilePathFromModule(""), "");
}

class FakeLogFile : public ILogFile {
public:
    bool exists = false;
    int existsChecks = 0;
    int headersWritten = 0;

    bool LogFileExists() override {
        ++existsChecks;
        return exists;
    }
    void WriteLogHeader() override {
        ++headersWritten;
        exists = true;
    }
};

TEST(ConnectionLogStartup, FreshStoreStartsAFreshLogOtherwiseOnlyAMissingOne) {
    FakeLogFile present;
    present.exists = true;
    PrepareLogAtStartup(present, true);
    EXPECT_EQ(present.headersWritten, 1);

    PrepareLogAtStartup(present, false);
    EXPECT_EQ(present.headersWritten, 1);
    EXPECT_EQ(present.existsChecks, 1);

    FakeLogFile missing;
    PrepareLogAtStartup(missing, false);
    EXPECT_EQ(missing.headersWritten, 1);
    PrepareLogAtStartup(missing, false);
    EXPECT_EQ(missing.headersWritten, 1);
}

} // namespace
} // namespace mereth
