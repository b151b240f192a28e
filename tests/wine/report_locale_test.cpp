#include "report/win32/ReportLocale.h"

#include "core/win32/WinLocale.h"
#include "log/ConnectionLogFormat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace mereth {
namespace {

// Runs with LC_ALL=en_GB.UTF-8, and once more with en_US.UTF-8: what the user's locale
// wrote into the log, the report reads back in the same locale.
TEST(ConnectionLogLocale, ReportReadsBackTheUserLocale) {
    const char* lc = std::getenv("LC_ALL");
    const std::string name = lc ? lc : "";
    const LogLocaleFormat format = UserLogLocaleFormat();
    EXPECT_EQ(format.firstDayOfWeek, name.rfind("en_US", 0) == 0 ? 6 : 0) << name;

    CWinLocale locale;
    LocalTime start;
    start.year = 2026, start.month = 12, start.day = 7, start.hour = 9, start.minute = 5;
    LogLine line;
    FormatLogLine(locale, "Work", start, 3725, 1234.5f, line);
    CLogReader log(format);
    log.Feed(line.view());
    log.Finish();
    ASSERT_EQ(log.Calls().size(), 1u) << line.view();
    EXPECT_EQ(log.Calls()[0].date, (CalendarDate{2026, 12, 7})) << line.view();
    EXPECT_DOUBLE_EQ(log.Calls()[0].cost, 1234.5) << line.view();
}

} // namespace
} // namespace mereth
