#include "store/AmountText.h"
#include "store/EntryKeyName.h"
#include "store/StoredDate.h"
#include "store/StoredTariff.h"

#include "accounting/UsageModel.h"

#include "FakeClock.h"
#include "FakeLocale.h"

#include <gtest/gtest.h>

#include <vector>

#include <algorithm>

#include <cfloat>
#include <string>

namespace mereth {
namespace {

std::string Text(float amount) {
    char text[AMOUNT_TEXT_CAPACITY];
    std::size_t n = FormatAmount(amount, text);
    EXPECT_EQ(n, std::string(text).size());
    return text;
}

TEST(AmountText, WrittenWithSixDecimalsAndAPoint) {
    EXPECT_EQ(Text(0.0f), "0.000000");
    EXPECT_EQ(Text(1.5f), "1.500000");
    EXPECT_EQ(Text(-0.25f), "-0.250000");
    EXPECT_EQ(Text(0.04f), "0.040000"); // the float just below 0.04 rounds back up
    EXPECT_EQ(Text(1234567.0f), "1234567.000000");
    // The largest float still fits, and reads back as itself.
    std::string largest = Text(FLT_MAX);
    EXPECT_EQ(largest.size(), 46u);
    EXPECT_EQ(ParseAmount(largest.c_str()), FLT_MAX);
    EXPECT_EQ(ParseAmount(Text(-FLT_MAX).c_str()), -FLT_MAX);
}

TEST(AmountText, EveryAmountInCentsSurvivesTheText) {
    for (int cents = -1000; cents <= 200000; ++cents) {
        const float amount = static_cast<float>(cents) / 100.0f;
        ASSERT_EQ(ParseAmount(Text(amount).c_str()), amount) << cents;
    }
}

TEST(AmountText, ReadLikeAtof) {
    EXPECT_EQ(ParseAmount(""), 0.0f);
    EXPECT_EQ(ParseAmount("abc"), 0.0f);
    EXPECT_EQ(ParseAmount("  2.5xyz"), 2.5f);
    EXPECT_EQ(ParseAmount("1,25"), 1.0f); // a decimal comma ends the number
    EXPECT_EQ(ParseAmount("-3.75"), -3.75f);
    EXPECT_EQ(ParseAmount("+.5"), 0.5f);
    EXPECT_EQ(ParseAmount("7."), 7.0f);
    EXPECT_EQ(ParseAmount("\t\r\n 7"), 7.0f);
    EXPECT_EQ(ParseAmount("."), 0.0f);
    EXPECT_EQ(ParseAmount("-"), 0.0f);
    EXPECT_EQ(ParseAmount("- 1"), 0.0f);
    EXPECT_EQ(ParseAmount("1e3"), 1000.0f);
    EXPECT_EQ(ParseAmount("2.5E-1x"), 0.25f);
    EXPECT_EQ(ParseAmount("1e"), 1.0f); // an exponent without digits is not part of it
    EXPECT_EQ(ParseAmount("1e+"), 1.0f);
    EXPECT_EQ(ParseAmount("0x1A"), 0.0f); // no hexadecimal
    EXPECT_EQ(ParseAmount("00012.50"), 12.5f);
    EXPECT_EQ(ParseAmount(nullptr), 0.0f);
}

TEST(AmountText, WhatNoFloatHoldsReadsAsZero) {
    for (const char* text : {"inf", "-inf", "INFINITY", "nan", "NaN(1)", "1e39", "-1e39", "1e400",
                             "3.5e38", "1e-50", "1e-400"}) {
        EXPECT_EQ(ParseAmount(text), 0.0f) << text;
    }
    EXPECT_EQ(ParseAmount("3.4e38"), 3.4e38f);
    // Texts that round to the largest float are the largest float; the next step is not.
    EXPECT_EQ(ParseAmount("3.4028235e38"), FLT_MAX);
    EXPECT_EQ(ParseAmount("-3.4028235e38"), -FLT_MAX);
    EXPECT_EQ(ParseAmount("3.40282356e38"), FLT_MAX);
    EXPECT_EQ(ParseAmount("3.4028236e38"), 0.0f);
    // Two hundred digits are still one number.
    EXPECT_EQ(ParseAmount(("0." + std::string(198, '0') + "1").c_str()), 0.0f);
    EXPECT_EQ(ParseAmount((std::string(30, '0') + "42").c_str()), 42.0f);
}

Tariff WithEnds(std::int32_t e1, std::int32_t e2, std::int32_t e3, std::int32_t e4,
                std::int32_t e5) {
    Tariff t;
    std::int32_t ends[] = {e1, e2, e3, e4, e5};
    for (int i = 0; i < PERIOD_COUNT; ++i) {
        t.periodEnd[i] = ends[i];
    }
    return t;
}

TEST(StoredTariff, PeriodEndsMadeToCoverTheDayInOrder) {
    struct Case {
        Tariff stored;
        Tariff loaded;
    };
    const Case cases[] = {
        {WithEnds(480, 1080, 1440, 1440, 1440), WithEnds(480, 1080, 1440, 1440, 1440)},
        {WithEnds(0, 0, 0, 0, 0), WithEnds(0, 0, 0, 0, 1440)},
        {WithEnds(600, 300, 2000, -5, 100), WithEnds(600, 600, 1440, 1440, 1440)},
        {WithEnds(-10, 0, 30, 60, 90), WithEnds(0, 0, 30, 60, 1440)},
        {WithEnds(45, 45, 1439, 1441, 3000), WithEnds(45, 45, 1439, 1440, 1440)},
        {WithEnds(INT32_MIN, INT32_MAX, 0, 0, INT32_MIN), WithEnds(0, 1440, 1440, 1440, 1440)},
    };
    for (const Case& c : cases) {
        Tariff t = c.stored;
        ClampLoadedPeriodEnds(t);
        EXPECT_EQ(t, c.loaded) << c.stored.periodEnd[0] << "," << c.stored.periodEnd[1];
        // Every minute of the day falls into a period whose predecessor ends before it.
        for (int minute = 0; minute < MINUTES_PER_DAY; ++minute) {
            int p = t.PeriodOfMinute(minute);
            ASSERT_TRUE(p >= 1 && p <= PERIOD_COUNT);
            ASSERT_GE(t.periodEnd[p - 1], minute);
            if (p > 1) {
                ASSERT_LT(t.periodEnd[p - 2], minute);
            }
        }
    }
}

TEST(StoredTariff, OnlyTheEndsAreCorrected) {
    Tariff t = WithEnds(900, 600, 1440, 1440, 1000);
    t.periodUnitTime[1] = -5;
    t.saturdayUnitTime = 0;
    t.periodUnitCost[2] = -1.25f;
    t.chargeByTheUnit = 7;
    Tariff expected = t;
    expected.periodEnd[1] = 900;
    expected.periodEnd[4] = 1440;
    ClampLoadedPeriodEnds(t);
    EXPECT_EQ(t, expected);
}

TEST(StoredDate, ACalendarTimeComesBackUnsigned) {
    // Local midnight of 1 January 1997 at UTC is what "Current Day" holds.
    test::CFixedZoneClock clock(0);
    clock.SetLocal(1997, 1, 1, 15, 30);
    test::CFakeLocale locale;
    CUsageModel model(clock, locale);
    EXPECT_EQ(StoredCalendarTime(model.CountedDayMidnight()), 852076800u);
    EXPECT_EQ(LoadedCalendarTime(852076800u), 852076800);

    // Past 2038 the 32-bit form is still the day, not a time before 1970.
    const CalendarTime day2100 = clock.At(2100, 1, 1);
    EXPECT_EQ(LoadedCalendarTime(StoredCalendarTime(day2100)), day2100);
    EXPECT_EQ(LoadedCalendarTime(0xFFFFFFFFu), 4294967295);
}

TEST(EntryKeyName, NamesThatCannotBeKeysGetSubstitutesOfTheirOwn) {
    const std::string asIs[] = {"Work", "Büro", std::string(255, 'x'), "Dept.Charges", "a b "};
    for (const std::string& name : asIs) {
        EXPECT_EQ(KeyNameOfEntry(name), name);
    }
    const std::string substituted[] = {
        "",
        std::string(256, 'x'),
        "\\Lead",
        "Trail\\",
        "Dept\\Charges",
        "Dept\\",
        "All Dial-up Connections",
        "all DIAL-UP connections",
        "~#",
        "~#0123456789abcdef0123456789abcdef",
    };
    std::vector<std::string> keys;
    for (const std::string& name : substituted) {
        SCOPED_TRACE(name);
        const std::string key = KeyNameOfEntry(name);
        EXPECT_EQ(key.rfind(SUBSTITUTE_KEY_PREFIX, 0), 0u);
        EXPECT_LE(key.size(), MAX_KEY_NAME);
        EXPECT_EQ(key.find('\\'), std::string::npos);
        EXPECT_NE(key, name);
        EXPECT_EQ(KeyNameOfEntry(name), key); // the same after a restart
        // A substitute taken as a name is itself substituted, never kept.
        EXPECT_NE(KeyNameOfEntry(key), key);
        keys.push_back(key);
    }
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());
}

} // namespace
} // namespace mereth
