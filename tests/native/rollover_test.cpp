#include "accounting/ConnectionAccounting.h"

#include "AccountingClock.h"
#include "AccountingRig.h"
#include "FakeClock.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace mereth {
namespace {

using Rig = test::AccountingRig<test::CFixedZoneClock>;

// Every record (in use or not) holds some of each period.
void Fill(CUsageModel& model) {
    for (ConnectionStats& r : model.m_entries) {
        r.todayTime.value = 10;
        r.monthTime.value = 20;
        r.yearTime.value = 30;
        r.totalTime.value = 40;
        r.connTime.value = 5;
        r.todayCost.value = 1.0f;
        r.monthCost.value = 2.0f;
        r.yearCost.value = 3.0f;
        r.totalCost.value = 4.0f;
        r.connCost.value = 0.5f;
        r.todayLogins = 1;
        r.monthLogins = 2;
        r.yearLogins = 3;
        r.totalLogins = 4;
        r.billingCost.value = 5.0f;
        r.alertsGiven = 1;
    }
}

// Which of Today, Month and Year are zero in every record; Conn and Total never are. The
// billing period starts on day 1, so it moves with the month.
struct Zeroed {
    bool today, month, year;
};
void ExpectZeroed(const CUsageModel& model, Zeroed z) {
    for (int i = 0; i < RECORD_COUNT; ++i) {
        SCOPED_TRACE(i);
        const ConnectionStats& r = model.m_entries[i];
        EXPECT_EQ(r.todayTime.value == 0 && r.todayCost.value == 0 && r.todayLogins == 0, z.today);
        EXPECT_EQ(r.monthTime.value == 0 && r.monthCost.value == 0 && r.monthLogins == 0, z.month);
        EXPECT_EQ(r.yearTime.value == 0 && r.yearCost.value == 0 && r.yearLogins == 0, z.year);
        EXPECT_EQ(r.billingCost.value == 0 && r.alertsGiven == 0, z.month);
        EXPECT_EQ(r.totalTime.value != 0 && r.totalLogins != 0, true);
        EXPECT_NE(r.connTime.value, 0);
    }
}

class RolloverTest : public ::testing::Test {
protected:
    RolloverTest() { rig.Entries("Work", "Home"); }
    void CountedDay(int y, int m, int d) {
        rig.model.SetCurrentDate(rig.clock.At(y, m, d, 12));
        rig.StartBillingPeriods(rig.clock.At(y, m, d, 12));
    }
    void Now(int y, int mo, int d, int h, int mi, int s = 0) {
        rig.clock.SetLocal(y, mo, d, h, mi, s);
    }
    void Check() { rig.view.indicators += rig.accounting.CheckDateRollover() ? 1 : 0; }
    Rig rig;
};

TEST_F(RolloverTest, DayMonthAndYearMoveOnAtTheirFirstSecond) {
    Fill(rig.model);
    CountedDay(2026, 11, 30);
    Now(2026, 11, 30, 0, 0, 0); // the counted day's first second
    Check();
    Now(2026, 11, 30, 23, 59, 59);
    Check();
    ExpectZeroed(rig.model, {false, false, false});
    EXPECT_EQ(rig.view.indicators, 0);

    Now(2026, 12, 1, 0, 0, 0);
    Check();
    ExpectZeroed(rig.model, {true, true, false});
    EXPECT_EQ(rig.model.m_currentMonth, 12);
    EXPECT_EQ(rig.model.CountedDayMidnight(), rig.clock.At(2026, 12, 1));
    EXPECT_EQ(rig.model.m_segmentStart, rig.clock.Now());
    EXPECT_EQ(rig.view.indicators, 1);

    Fill(rig.model);
    Now(2026, 12, 2, 0, 0, 1);
    Check();
    ExpectZeroed(rig.model, {true, false, false});
    EXPECT_EQ(rig.model.CountedDayMidnight(), rig.clock.At(2026, 12, 2));

    // New Year: the first check zeroes Year, Month and Today at once.
    Fill(rig.model);
    Now(2027, 1, 1, 0, 0, 30);
    Check();
    ExpectZeroed(rig.model, {true, true, true});
    EXPECT_EQ(rig.model.m_currentYear, 2027);
    EXPECT_EQ(rig.model.m_currentMonth, 1);
    EXPECT_EQ(rig.model.CountedDayMidnight(), rig.clock.At(2027, 1, 1));
    Fill(rig.model);
    Now(2027, 1, 1, 0, 1, 30);
    Check();
    ExpectZeroed(rig.model, {false, false, false});
}

TEST_F(RolloverTest, StartOnSecondJanuaryAfterThirtiethDecember) {
    Fill(rig.model);
    CountedDay(2026, 12, 30);
    Now(2027, 1, 2, 9, 15);
    Check();
    ExpectZeroed(rig.model, {true, true, true});
    EXPECT_EQ(rig.model.m_currentYear, 2027);
    EXPECT_EQ(rig.model.m_currentMonth, 1);
    EXPECT_EQ(rig.model.CountedDayMidnight(), rig.clock.At(2027, 1, 2));
    for (const ConnectionStats& r : rig.model.m_entries) {
        EXPECT_EQ(r.totalTime.value, 40);
    }
    Fill(rig.model);
    Now(2027, 1, 2, 9, 16);
    Check();
    ExpectZeroed(rig.model, {false, false, false});
}

TEST_F(RolloverTest, CallsOverMidnightStayInTheDayTheyBegan) {
    struct Case {
        int y, m, d; // the day the call begins at 23:50
        Zeroed after;
        int billingDay; // Work's
        bool billingMoves;
    };
    const Case cases[] = {
        {2026, 12, 7, {true, false, false}, 8, true},   // within a month, into a billing period
        {2026, 11, 30, {true, true, false}, 1, true},   // across a month end
        {2026, 12, 31, {true, true, true}, 31, false},  // across New Year
        {2026, 11, 29, {true, false, false}, 31, true}, // day 31 of a 30-day month is the 30th
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.d);
        Rig rig;
        rig.Entries("Work", "Home");
        Tariff& tariff = rig.model.m_entries[1].tariff;
        tariff.periodUnitCost[0] = tariff.saturdayUnitCost = tariff.sundayUnitCost = 0.01f;
        rig.model.m_entries[1].budget = {.amount = 10.0f, .billingDay = c.billingDay};
        rig.StartAt(rig.clock.At(c.y, c.m, c.d, 23, 50, 0));
        rig.poll.record = 1;
        rig.Tick();
        for (int minute = 1; minute <= 30; ++minute) {
            rig.RunUntil(minute * 60);
            rig.accounting.CheckDateRollover(); // does nothing while connected
        }
        EXPECT_EQ(rig.model.m_entries[1].todayTime.value, 1800);
        EXPECT_EQ(rig.model.m_entries[0].monthTime.value, 1800);
        rig.poll.record = -1;
        rig.Tick();
        EXPECT_EQ(rig.model.m_entries[1].todayTime.value, 1800);
        // The billing spend is the whole call's, in the period it began in.
        EXPECT_GT(rig.model.m_entries[1].billingCost.value, 0.0f);
        for (const ConnectionStats& r : {rig.model.m_entries[0], rig.model.m_entries[1]}) {
            EXPECT_EQ(r.billingCost.value, r.totalCost.value);
        }
        rig.accounting.CheckDateRollover();
        const ConnectionStats& work = rig.model.m_entries[1];
        EXPECT_EQ(work.todayTime.value == 0 && work.todayLogins == 0, c.after.today);
        EXPECT_EQ(work.monthTime.value == 0, c.after.month);
        EXPECT_EQ(work.yearTime.value == 0, c.after.year);
        EXPECT_EQ(work.totalTime.value, 1800);
        EXPECT_EQ(rig.model.m_entries[0].totalTime.value, 1800);
        EXPECT_EQ(rig.model.m_entries[0].totalLogins, 1);
        EXPECT_EQ(work.billingCost.value == 0, c.billingMoves);
        EXPECT_EQ(rig.model.m_entries[0].billingCost.value == 0, c.after.month);
    }
}

TEST_F(RolloverTest, CallBegunBeforeTheFirstCheckOfTheDayCountsInThePreviousDay) {
    rig.StartAt(rig.clock.At(2026, 12, 8, 0, 0, 20));
    rig.model.SetCurrentDate(rig.clock.At(2026, 12, 7));
    rig.poll.record = 2;
    rig.Tick();
    rig.RunUntil(120);
    rig.poll.record = -1;
    rig.Tick();
    Check();
    const ConnectionStats& home = rig.model.m_entries[2];
    EXPECT_EQ(home.todayTime.value, 0);
    EXPECT_EQ(home.todayLogins, 0);
    EXPECT_EQ(home.monthTime.value, 120);
    EXPECT_EQ(home.monthLogins, 1);
}

TEST_F(RolloverTest, ClockSetBackZeroesNothing) {
    Fill(rig.model);
    CountedDay(2026, 12, 8);
    Now(2026, 12, 7, 23, 0);
    Check();
    ExpectZeroed(rig.model, {false, false, false});
    EXPECT_EQ(rig.model.CountedDayMidnight(), rig.clock.At(2026, 12, 7));
    EXPECT_EQ(rig.model.m_segmentStart, rig.clock.Now());
    EXPECT_EQ(rig.view.indicators, 0);
    // Back across a month end and across New Year alike; no later check zeroes
    // anything while the date stays put.
    CountedDay(2027, 1, 5);
    for (int i = 0; i < 3; ++i) {
        Now(2026, 12, 31, 10, i);
        Check();
    }
    ExpectZeroed(rig.model, {false, false, false});
    EXPECT_EQ(rig.model.m_currentYear, 2026);
    EXPECT_EQ(rig.model.m_currentMonth, 12);
    EXPECT_EQ(rig.model.CountedDayMidnight(), rig.clock.At(2026, 12, 31));
    CountedDay(2026, 12, 20);
    Now(2026, 11, 28, 10, 0);
    Check();
    Check();
    ExpectZeroed(rig.model, {false, false, false});
    EXPECT_EQ(rig.model.m_currentMonth, 11);
    // When the clock comes back, the day moves on as usual.
    Now(2026, 11, 29, 0, 0);
    Check();
    ExpectZeroed(rig.model, {true, false, false});
}

#ifndef _WIN32
// Today is zeroed once when a calendar day begins, on days of 23 and 25 hours too.
TEST(RolloverDaylightSaving, ShortAndLongDaysEndAtMidnight) {
    if (!test::ZoneInstalled("Europe/London")) {
        GTEST_SKIP() << "tzdata is not installed";
    }
    test::CScopedTimeZone zone("Europe/London");
    test::AccountingRig<test::CSettableSystemClock> rig;
    auto at = [&](int y, int mo, int d, int h, int mi) {
        return rig.clock.LocalMidnight(y, mo, d) + h * 3600 + mi * 60;
    };

    // 25 October 2026 has 25 hours: its last hour is still the same day.
    rig.clock.Set(at(2026, 10, 25, 12, 0));
    rig.model.SetCurrentDate(rig.clock.Now());
    rig.model.m_entries[0].todayTime.value = 100;
    rig.clock.Set(rig.model.CountedDayMidnight() + 24 * 3600 + 1800); // 23:30 GMT
    ASSERT_EQ(rig.clock.ToLocal(rig.clock.Now()).day, 25);
    rig.accounting.CheckDateRollover();
    EXPECT_EQ(rig.model.m_entries[0].todayTime.value, 100);
    rig.clock.Set(rig.model.CountedDayMidnight() + 25 * 3600); // 26th, 00:00
    rig.accounting.CheckDateRollover();
    EXPECT_EQ(rig.model.m_entries[0].todayTime.value, 0);
    rig.model.m_entries[0].todayTime.value = 100;
    rig.clock.Advance(60);
    rig.accounting.CheckDateRollover();
    EXPECT_EQ(rig.model.m_entries[0].todayTime.value, 100);

    // 29 March 2026 has 23 hours: the next day begins 23 hours after its midnight.
    rig.clock.Set(at(2026, 3, 29, 12, 0));
    rig.model.SetCurrentDate(rig.clock.Now());
    rig.model.m_entries[0].todayTime.value = 100;
    rig.clock.Set(rig.model.CountedDayMidnight() + 23 * 3600 - 1);
    rig.accounting.CheckDateRollover();
    EXPECT_EQ(rig.model.m_entries[0].todayTime.value, 100);
    rig.clock.Set(rig.model.CountedDayMidnight() + 23 * 3600);
    ASSERT_EQ(rig.clock.ToLocal(rig.clock.Now()).day, 30);
    rig.accounting.CheckDateRollover();
    EXPECT_EQ(rig.model.m_entries[0].todayTime.value, 0);
    EXPECT_EQ(rig.model.CountedDayMidnight(), rig.clock.Now());
}

// The counted day is a date: a zone moved west (or east) on the same date begins no
// day, in memory or after the stored midnight is read back in the new zone.
TEST(RolloverTimeZones, AZoneChangeOnTheSameDateBeginsNoDay) {
    for (const auto& [from, to] :
         {std::pair{"Europe/Berlin", "America/New_York"}, std::pair{"Asia/Tokyo", "Europe/London"},
          std::pair{"America/New_York", "Europe/Berlin"}}) {
        SCOPED_TRACE(std::string(from) + " -> " + to);
        if (!test::ZoneInstalled(from) || !test::ZoneInstalled(to)) {
            GTEST_SKIP() << "tzdata is not installed";
        }
        test::AccountingRig<test::CSettableSystemClock> rig;
        CalendarTime stored = 0;
        {
            test::CScopedTimeZone zone(from);
            rig.clock.Set(rig.clock.LocalMidnight(2026, 12, 7) + 10 * 3600);
            rig.model.SetCurrentDate(rig.clock.Now());
            stored = rig.model.CountedDayMidnight();
        }
        test::CScopedTimeZone zone(to);
        rig.clock.Set(rig.clock.LocalMidnight(2026, 12, 7) + 10 * 3600);
        rig.model.m_entries[0].todayTime.value = 100;
        rig.accounting.CheckDateRollover();
        EXPECT_EQ(rig.model.m_entries[0].todayTime.value, 100);

        rig.model.m_currentDay = 1;
        rig.model.SetCountedDayFromMidnight(stored);
        EXPECT_EQ(rig.model.m_currentDay, 7);
        rig.accounting.CheckDateRollover();
        EXPECT_EQ(rig.model.m_entries[0].todayTime.value, 100);
    }
}
#endif

} // namespace
} // namespace mereth
