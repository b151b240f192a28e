#include "core/win32/WinLocale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace mereth {
namespace {

// The test runs with LC_ALL=en_GB.UTF-8 unless a test registration says otherwise.
std::string LocaleName() {
    const char* lc = std::getenv("LC_ALL");
    return lc ? lc : "";
}

TEST(WinLocale, ShortDateFollowsTheUserLocale) {
    CWinLocale locale;
    char text[30];
    std::size_t n = locale.FormatShortDate(2026, 12, 7, text, sizeof text);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::string(text, n).size(), std::string(text).size());
    if (LocaleName().rfind("en_GB", 0) == 0) {
        EXPECT_STREQ(text, "07/12/2026");
    } else if (LocaleName().rfind("en_US", 0) == 0) {
        EXPECT_STREQ(text, "12/7/2026");
    }
}

TEST(WinLocale, CurrencyTextOrFailure) {
    CWinLocale locale;
    char text[20];
    std::size_t n = locale.FormatCurrency("1.500000", text, sizeof text);
    ASSERT_GT(n, 0u);
    if (LocaleName().rfind("en_GB", 0) == 0) {
        EXPECT_STREQ(text, "\xA3"
                           "1.50"); // code page 1252 pound sign
    }
    // Too small a buffer, or text that is no number: a failure, not a cut text.
    char tiny[3];
    EXPECT_EQ(locale.FormatCurrency("123456.000000", tiny, sizeof tiny), 0u);
    EXPECT_EQ(tiny[0], '\0');
    EXPECT_EQ(locale.FormatCurrency("abc", text, sizeof text), 0u);
}

TEST(WinLocale, NoRoomIsAFailureAndExactRoomIsEnough) {
    CWinLocale locale;
    char date[64];
    const std::size_t dateLength = locale.FormatShortDate(2026, 12, 7, date, sizeof date);
    char money[64];
    const std::size_t moneyLength = locale.FormatCurrency("1234.500000", money, sizeof money);
    ASSERT_GT(dateLength, 0u);
    ASSERT_GT(moneyLength, 0u);

    char text[64] = "unchanged";
    EXPECT_EQ(locale.FormatShortDate(2026, 12, 7, text, 0), 0u);
    EXPECT_EQ(locale.FormatCurrency("1234.500000", text, 0), 0u);
    EXPECT_STREQ(text, "unchanged");

    EXPECT_EQ(locale.FormatShortDate(2026, 12, 7, text, dateLength + 1), dateLength);
    EXPECT_EQ(std::string(text), std::string(date, dateLength));
    EXPECT_EQ(locale.FormatShortDate(2026, 12, 7, text, dateLength), 0u);
    EXPECT_EQ(text[0], '\0');
    EXPECT_EQ(locale.FormatCurrency("1234.500000", text, moneyLength + 1), moneyLength);
    EXPECT_EQ(std::string(text), std::string(money, moneyLength));
}

} // namespace
} // namespace mereth
