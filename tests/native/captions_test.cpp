#include "ui/Captions.h"

#include "FakeClock.h"
#include "FakeLocale.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace mereth {
namespace {

TEST(Captions, MonthNamesAndDamagedMonths) {
    const char* const names[] = {"January",   "February", "March",    "April",
                                 "May",       "June",     "July",     "August",
                                 "September", "October",  "November", "December"};
    CaptionText caption;
    for (int month = 1; month <= 12; ++month) {
        FormatMonthCaption(month, caption);
        EXPECT_EQ(caption, std::string("This month (") + names[month - 1] + ")");
    }
    // A month stored damaged shows no name until the date check corrects it.
    for (int month : {0, 13, -1, INT_MAX, INT_MIN}) {
        FormatMonthCaption(month, caption);
        EXPECT_EQ(caption, "This month ()") << month;
    }
}

TEST(Captions, DatedCaptions) {
    CaptionText caption;
    FormatTotalCaption("07/12/2026", caption);
    EXPECT_EQ(caption, "Total (since 07/12/2026)");
    FormatTotalCaption("", caption);
    EXPECT_EQ(caption, "Total (since )");
    const std::string longest(63, 'd');
    FormatTotalCaption(longest, caption);
    EXPECT_EQ(caption, "Total (since " + longest + ")");
    FormatYearCaption(2026, caption);
    EXPECT_EQ(caption, "This year (2026)");
    FormatYearCaption(INT_MIN, caption);
    EXPECT_EQ(caption, "This year (-2147483648)");
    FormatTodayCaption("08/12/2026", caption);
    EXPECT_EQ(caption, "Today (08/12/2026)");
}

TEST(Captions, ConnectionCaptionByKindConnectionAndSelection) {
    struct Case {
        int kind;
        bool connected;
        int connectedRecord;
        int selected;
        const char* expected; // null: left alone
    };
    const Case cases[] = {
        {KIND_TIMES, true, 2, 2, "This Connection"},
        {KIND_COSTS, true, 2, 2, "This Connection"},
        {KIND_TIMES, true, 2, 0, "This Connection"}, // the aggregate shows any connection
        {KIND_TIMES, true, 2, 3, "Last Connection"},
        {KIND_COSTS, false, 2, 2, "Last Connection"},
        {KIND_TIMES, false, -1, 0, "Last Connection"},
        {KIND_TIMES, true, -1, -1, "Last Connection"}, // nothing selected matches nothing
        {KIND_LOGINS, true, 2, 2, ""},
        {KIND_LOGINS, false, -1, 0, ""},
        {3, true, 2, 2, nullptr},
        {-1, false, -1, 0, nullptr},
    };
    for (const Case& c : cases) {
        const char* caption = ConnectionCaption(c.kind, c.connected, c.connectedRecord, c.selected);
        SCOPED_TRACE(testing::Message()
                     << c.kind << c.connected << c.connectedRecord << c.selected);
        if (c.expected == nullptr) {
            EXPECT_EQ(caption, nullptr);
        } else {
            ASSERT_NE(caption, nullptr);
            EXPECT_STREQ(caption, c.expected);
        }
    }
}

TEST(Captions, GroupCaptionsOfTheSelectedRecord) {
    test::CFixedZoneClock clock;
    clock.SetLocal(2026, 12, 8, 10, 0, 0);
    test::CFakeLocale locale;
    CUsageModel model(clock, locale);
    model.m_entryCount = 2;
    model.m_entries[1].startDate = "01/03/2025";
    model.m_selectedEntry = 1;
    model.m_currentYear = 2026;
    model.m_currentMonth = 13; // damaged in the store

    CGroupCaptions captions;
    captions.Refresh(model, KIND_TIMES, true, 1);
    EXPECT_EQ(captions.m_total, "Total (since 01/03/2025)");
    EXPECT_EQ(captions.m_year, "This year (2026)");
    EXPECT_EQ(captions.m_month, "This month ()");
    EXPECT_EQ(captions.m_today, "Today (08/12/2026)");
    EXPECT_STREQ(captions.m_connection, "This Connection");

    // Nothing chosen in the list: no record is read, nothing stale stays.
    model.m_selectedEntry = -1;
    locale.failDates = true;
    captions.Refresh(model, KIND_COSTS, true, 1);
    EXPECT_EQ(captions.m_total, "Total (since )");
    EXPECT_EQ(captions.m_today, "Today ()");
    EXPECT_STREQ(captions.m_connection, "Last Connection");
}

} // namespace
} // namespace mereth
