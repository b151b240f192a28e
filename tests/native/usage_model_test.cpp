#include "accounting/UsageModel.h"

#include "FakeClock.h"
#include "FakeLocale.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

TEST(CUsageModel, FreshModelIsAllZeroWithTheAggregateSelected) {
    test::CFixedZoneClock clock(3600);
    clock.SetLocal(2026, 12, 7, 15, 30, 0);
    test::CFakeLocale locale;
    CUsageModel model(clock, locale);

    EXPECT_EQ(model.m_entries[0].name, "All Dial-up Connections");
    EXPECT_EQ(model.m_selectedEntryName, "All Dial-up Connections");
    EXPECT_EQ(model.m_selectedEntry, 0);
    EXPECT_EQ(model.m_currentYear, 2026);
    EXPECT_EQ(model.m_currentMonth, 12);
    EXPECT_EQ(model.CountedDayMidnight(), clock.At(2026, 12, 7));

    const ConnectionStats fresh;
    for (int i = 1; i < RECORD_COUNT; ++i) {
        const ConnectionStats& r = model.m_entries[i];
        EXPECT_TRUE(r.name.empty());
        EXPECT_TRUE(r.startDate.empty());
        for (const TimeFigure* f :
             {&r.connTime, &r.todayTime, &r.monthTime, &r.yearTime, &r.totalTime}) {
            EXPECT_EQ(f->value, 0);
        }
        for (const CostFigure* f :
             {&r.connCost, &r.todayCost, &r.monthCost, &r.yearCost, &r.totalCost}) {
            EXPECT_EQ(f->value, 0.0f);
        }
        EXPECT_EQ(r.todayLogins + r.monthLogins + r.yearLogins + r.totalLogins, 0);
        EXPECT_FALSE(r.tariff.IsSet());
        EXPECT_EQ(r.tariff, fresh.tariff);
    }
}

TEST(CUsageModel, RebaseTotalsTakesEveryValueAndRestartsTheSegment) {
    test::CFixedZoneClock clock;
    clock.SetLocal(2026, 12, 7, 9, 0, 0);
    test::CFakeLocale locale;
    CUsageModel model(clock, locale);
    model.m_entryCount = 2;
    model.m_entries[1].todayTime = {500, 120};
    model.m_entries[1].todayLogins = 4;
    model.m_entries[19].totalCost = {2.5f, 1.0f}; // records beyond the count are rebased too
    model.m_lastElapsed = 42;
    clock.Advance(77);

    model.RebaseTotals();

    EXPECT_EQ(model.m_entries[1].todayTime, (TimeFigure{500, 500}));
    EXPECT_EQ(model.m_entries[1].todayLogins, 4);
    EXPECT_EQ(model.m_entries[19].totalCost, (CostFigure{2.5f, 2.5f}));
    EXPECT_EQ(model.m_segmentStart, clock.Now());
    EXPECT_EQ(model.m_lastElapsed, 0);
}

TEST(CUsageModel, SetStartDateForAllOrOneRecord) {
    test::CFixedZoneClock clock;
    clock.SetLocal(2026, 12, 7, 23, 59, 59);
    test::CFakeLocale locale;
    CUsageModel model(clock, locale);

    model.SetStartDate(0);
    for (const ConnectionStats& r : model.m_entries) {
        EXPECT_EQ(r.startDate, "07/12/2026");
    }

    clock.SetLocal(2027, 1, 2, 0, 0, 0);
    model.SetStartDate(3);
    EXPECT_EQ(model.m_entries[3].startDate, "02/01/2027");
    EXPECT_EQ(model.m_entries[2].startDate, "07/12/2026");
    EXPECT_EQ(model.m_entries[0].startDate, "07/12/2026");

    model.SetStartDate(20); // out of range: nothing
    model.SetStartDate(-1);
    EXPECT_EQ(model.m_entries[19].startDate, "07/12/2026");

    // A date the locale cannot format leaves the old start dates, never an empty one.
    locale.failDates = true;
    model.SetStartDate(4);
    model.SetStartDate(0);
    for (const ConnectionStats& r : model.m_entries) {
        EXPECT_FALSE(r.startDate.empty());
    }
    EXPECT_EQ(model.m_entries[4].startDate, "07/12/2026");
}

TEST(CFixedString, CutsAtCapacityAndCompares) {
    CFixedString<5> s("abcdefgh");
    EXPECT_EQ(s, "abcde");
    EXPECT_EQ(s.size(), 5u);
    s = "";
    EXPECT_TRUE(s.empty());
    EXPECT_STREQ(s.c_str(), "");
    s = "abc";
    s = std::string_view(); // no pointer at all: nothing may be copied from it
    EXPECT_TRUE(s.empty());
    EXPECT_STREQ(s.c_str(), "");
}

} // namespace
} // namespace mereth
