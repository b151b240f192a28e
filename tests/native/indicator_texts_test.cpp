#include "ui/IndicatorTexts.h"

#include "accounting/IndicatorIds.h"

#include "AllocationCounter.h"
#include "FakeLocale.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

using namespace indicator_id;

ConnectionStats SampleRecord() {
    ConnectionStats r;
    r.totalTime.value = 90061;
    r.todayTime.value = 90061;
    r.yearTime.value = 3725;
    r.monthTime.value = 360000;
    r.connTime.value = 3729;
    r.totalCost.value = 12.5f;
    r.todayCost.value = 0.25f;
    r.yearCost.value = 7.0f;
    r.monthCost.value = 1234.5f;
    r.connCost.value = 0.0f;
    r.totalLogins = 1234;
    r.todayLogins = 2;
    r.yearLogins = 40;
    r.monthLogins = 0;
    return r;
}

TEST(CIndicatorTexts, AllFifteenInRefreshOrder) {
    test::CFakeLocale locale;
    DisplaySettings display;
    display.monthTime.showDays = false;
    display.yearTime.showSeconds = false;
    display.todayTime.showDays = true; // Today never shows days, whatever was stored

    CIndicatorTexts texts;
    EXPECT_EQ(texts.Refresh(SampleRecord(), display, locale), 0x3FFFu); // the blank one stays
    const std::pair<int, const char*> expected[] = {
        {TOTAL_TIME, "1:1:01:01"},
        {TODAY_TIME, "25:01:01"},
        {YEAR_TIME, "0:1:02"},
        {MONTH_TIME, "100:00:00"},
        {CONN_TIME, "0:1:02:09"},
        {TOTAL_COST, "\xA3"
                     "12.50"},
        {TODAY_COST, "\xA3"
                     "0.25"},
        {YEAR_COST, "\xA3"
                    "7.00"},
        {MONTH_COST, "\xA3"
                     "1234.50"},
        {CONN_COST, "\xA3"
                    "0.00"},
        {TOTAL_LOGINS, "1234"},
        {TODAY_LOGINS, "2"},
        {YEAR_LOGINS, "40"},
        {MONTH_LOGINS, "0"},
        {CONN_LOGINS, ""},
    };
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        EXPECT_EQ(INDICATOR_ORDER[i], expected[i].first) << i;
        EXPECT_EQ(IndicatorPosition(expected[i].first), i);
        EXPECT_EQ(texts.Text(i), expected[i].second) << expected[i].first;
    }
    EXPECT_EQ(IndicatorPosition(1007), -1);
}

TEST(CIndicatorTexts, ReportsOnlyWhatChanged) {
    test::CFakeLocale locale;
    DisplaySettings display;
    ConnectionStats record = SampleRecord();
    CIndicatorTexts texts;
    texts.Refresh(record, display, locale);

    EXPECT_EQ(texts.Refresh(record, display, locale), 0u);

    record.connTime.value = 3730; // 0:1:02:09 -> 0:1:02:10
    record.connCost.value = 0.01f;
    const int conn = IndicatorPosition(CONN_TIME);
    const int cost = IndicatorPosition(CONN_COST);
    EXPECT_EQ(texts.Refresh(record, display, locale), (1u << conn) | (1u << cost));
    EXPECT_EQ(texts.UnchangedPrefix(conn), 7u);
    EXPECT_EQ(texts.UnchangedPrefix(cost), 4u); // £0.00 -> £0.01

    display.connTime.showSeconds = false; // 0:1:02, shorter: drawn anew
    EXPECT_EQ(texts.Refresh(record, display, locale), 1u << conn);
    EXPECT_EQ(texts.UnchangedPrefix(conn), 0u);

    // A currency that fails shows blank rather than the last amount.
    locale.failCurrency = true;
    EXPECT_EQ(texts.Refresh(record, display, locale), 0x3E0u);
    EXPECT_EQ(texts.Text(cost), "");

    EXPECT_EQ(texts.Clear(), 0x7FFFu & ~0x3E0u & ~(1u << IndicatorPosition(CONN_LOGINS)));
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        EXPECT_EQ(texts.Text(i), "");
    }
}

TEST(CIndicatorTexts, SteadyRefreshAllocatesNothing) {
    test::CFakeLocale locale; // formats through snprintf into the caller's buffer
    DisplaySettings display;
    ConnectionStats record = SampleRecord();
    CIndicatorTexts texts;
    texts.Refresh(record, display, locale);

    const long before = test::AllocationCount();
    std::uint32_t changed = 0;
    for (int tick = 0; tick < 2000; ++tick) {
        record.connTime.value += 1;
        record.todayTime.value += 1;
        record.connCost.value += 0.01f;
        changed |= texts.Refresh(record, display, locale);
    }
    EXPECT_EQ(test::AllocationCount() - before, 0);
    EXPECT_NE(changed, 0u);
}

} // namespace
} // namespace mereth
