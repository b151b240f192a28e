#include "ui/IndicatorText.h"

#include "FakeLocale.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <string>

namespace mereth {
namespace {

TEST(FormatDuration, AllFourSettings) {
    struct Case {
        std::int64_t span;
        const char* daysSeconds;
        const char* daysOnly;
        const char* secondsOnly;
        const char* neither;
    };
    const Case cases[] = {
        {0, "0:0:00:00", "0:0:00", "0:00:00", "0:00"},
        {3725, "0:1:02:05", "0:1:02", "1:02:05", "1:02"},
        {90061, "1:1:01:01", "1:1:01", "25:01:01", "25:01"},
        {100 * 3600, "4:4:00:00", "4:4:00", "100:00:00", "100:00"},
        {119, "0:0:01:59", "0:0:01", "0:01:59", "0:01"}, // seconds dropped, not rounded
        {-3725, "-0:1:02:05", "-0:1:02", "-1:02:05", "-1:02"},
        {INT32_MAX, "24855:3:14:07", "24855:3:14", "596523:14:07", "596523:14"},
        {INT32_MIN, "-24855:3:14:08", "-24855:3:14", "-596523:14:08", "-596523:14"},
        {INT64_MIN, "-106751991167300:15:30:08", "-106751991167300:15:30",
         "-2562047788015215:30:08", "-2562047788015215:30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.span);
        IndicatorText text;
        FormatDuration(c.span, true, true, text);
        EXPECT_EQ(text, c.daysSeconds);
        FormatDuration(c.span, true, false, text);
        EXPECT_EQ(text, c.daysOnly);
        FormatDuration(c.span, false, true, text);
        EXPECT_EQ(text, c.secondsOnly);
        FormatDuration(c.span, false, false, text);
        EXPECT_EQ(text, c.neither);
    }
}

TEST(FormatDuration, TooSmallBufferGivesAnEmptyText) {
    char out[6] = "stale";
    EXPECT_EQ(FormatDuration(90061, true, true, out, sizeof out), 0u);
    EXPECT_STREQ(out, "");
}

TEST(UnchangedPrefixLength, CountsOnlyBetweenTextsOfOneLength) {
    struct Case {
        const char* previous;
        const char* current;
        std::size_t expected;
    };
    const Case cases[] = {
        {"1:59", "2:00", 0},
        {"0:1:02:09", "0:1:02:10", 7},
        {"9:59", "10:00", 0},
        {"10:00", "9:59", 0},
        {"1:02", "1:02", 4},
        {"", "", 0},
        {"", "0", 0},
        {"\xA3"
         "1.25",
         "\xA3"
         "1.26",
         4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnchangedPrefixLength(c.previous, c.current), c.expected)
            << c.previous << " -> " << c.current;
    }
}

// A locale with a three-byte separator between every two whole digits and a symbol of
// twelve bytes: about the widest text a real locale could make of an amount.
class CWideLocale : public ILocale {
public:
    std::size_t FormatShortDate(int, int, int, char*, std::size_t) const override { return 0; }
    std::size_t FormatCurrency(const char* amount, char* out, std::size_t capacity) const override {
        std::string text = "(SYMBOLSYMBOL";
        bool whole = true;
        for (const char* p = amount; *p != '\0'; ++p) {
            text += *p;
            whole = whole && *p != '.';
            if (whole && *p >= '0' && *p <= '9' && p[1] >= '0' && p[1] <= '9') {
                text += "\xA0\xA0\xA0";
            }
        }
        text += ")";
        if (text.size() >= capacity) {
            return 0;
        }
        std::memcpy(out, text.c_str(), text.size() + 1);
        return text.size();
    }
};

TEST(FormatCurrencyText, ThroughTheLocaleAndNeverStale) {
    test::CFakeLocale locale;
    IndicatorText text;
    FormatCurrencyText(0.0f, locale, text);
    EXPECT_EQ(text, "\xA3"
                    "0.00");
    FormatCurrencyText(-2.5f, locale, text);
    EXPECT_EQ(text, "-\xA3"
                    "2.50");
    // Far past the 20 characters the indicator once had room for.
    FormatCurrencyText(1e12f, locale, text);
    EXPECT_EQ(text, "\xA3"
                    "999999995904.00");

    locale.failCurrency = true;
    FormatCurrencyText(1.0f, locale, text);
    EXPECT_EQ(text, "");

    CWideLocale wide;
    for (float amount : {FLT_MAX, -FLT_MAX}) {
        FormatCurrencyText(amount, wide, text);
        EXPECT_FALSE(text.empty()) << amount;
        // Kept whole: all 39 whole digits and six decimals of the amount show.
        std::size_t digits = 0;
        for (char ch : text.view()) {
            digits += ch >= '0' && ch <= '9';
        }
        EXPECT_EQ(digits, 45u) << amount;
        EXPECT_GT(text.size(), 160u);
    }
}

TEST(FormatCount, PlainIntegersWithoutSeparators) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "0"}, {1234, "1234"}, {-7, "-7"}, {INT32_MIN, "-2147483648"}};
    IndicatorText text;
    for (const auto& [count, expected] : cases) {
        FormatCount(count, text);
        EXPECT_EQ(text, expected);
    }
}

} // namespace
} // namespace mereth
