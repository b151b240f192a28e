#include "core/NumberFields.h"
#include "tariff/EntryFields.h"

#include <gtest/gtest.h>

#include <cstring>

namespace mereth {
namespace {

TEST(EntryFields, FiltersTypedCharacters) {
    struct Case {
        unsigned int ch;
        const char* text; // the field's whole text, selected or not
        bool decimal;
        bool integer;
    } cases[] = {
        {'0', "", true, true},      {'9', "12.5", true, true}, {'/', "", false, false},
        {':', "", false, false},    {'.', "12", true, false},  {'.', "12.5", false, false},
        {'.', "1.5", false, false}, // the point is selected but still counts
        {'7', "1.5", true, true},   {'-', "", false, false},   {'a', "", false, false},
        {'E', "", false, false},    {' ', "", false, false},   {'+', "", false, false},
        {3, "1.5", true, true},     {8, "1.5", true, true},    {22, "1.5", true, true},
        {24, "1.5", true, true},    {26, "1.5", true, true},   {127, "", false, false},
        {128, "", false, false},    {0xA3, "", false, false},  {255, "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.ch << " into \"" << c.text << '"');
        EXPECT_EQ(DecimalEditAccepts(c.ch, c.text), c.decimal);
        EXPECT_EQ(IntegerEditAccepts(c.ch), c.integer);
    }
}

TEST(EntryFields, ShowsValuesInTheirFormats) {
    struct Case {
        float value;
        const char* shown;
    } decimals[] = {{0.05f, "0.05"},     {3.0f, "3"},     {12.345678f, "12.3457"},
                    {0.1f, "0.1"},       {0.0f, "0"},     {1234567.0f, "1.23457e+06"},
                    {0.0001f, "0.0001"}, {1e-5f, "1e-05"}};
    char out[FIELD_TEXT_CAPACITY];
    for (const Case& c : decimals) {
        EXPECT_EQ(FormatDecimalField(c.value, out), std::strlen(c.shown));
        EXPECT_STREQ(out, c.shown);
    }
    FormatIntegerField(60, out);
    EXPECT_STREQ(out, "60");
    FormatIntegerField(-2147483647 - 1, out);
    EXPECT_STREQ(out, "-2147483648");
}

constexpr float UNTOUCHED = 42.0f;

TEST(EntryFields, ReadsDecimalsAndRefusesWhatIsNoAmount) {
    struct Case {
        const char* text;
        bool ok;
        float value = 0.0f;
    } cases[] = {
        // clang-format off
        {"", false}, {".", false}, {".0", false}, {"0.", true, 0.0f}, {".5", true, 0.5f},
        {" 2.50 ", true, 2.5f}, {"007", true, 7.0f}, {"0", true, 0.0f}, {"\t3\t", true, 3.0f},
        {"1e3", true, 1000.0f}, {"+4", true, 4.0f}, {"-60", false}, {"-0", false}, {"-0.5", false},
        {"1e39", false}, {"1e400", false}, {"1e-400", false}, {"inf", false}, {"nan", false},
        {"abc", false}, {"12x", false}, {"1e", false}, {"2,5", false}, {"1.2.3", false},
        {"0x10", false}, {"   ", false},
        // Only the first 31 characters count.
        {"1                              x", true, 1.0f},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        float value = UNTOUCHED;
        EXPECT_EQ(ReadDecimalField(c.text, value), c.ok);
        EXPECT_EQ(value, c.ok ? c.value : UNTOUCHED);
    }
}

TEST(EntryFields, ReadsIntegersAndRefusesNegativeOnes) {
    struct Case {
        const char* text;
        bool ok;
        std::int32_t value = 0;
    } cases[] = {
        // clang-format off
        {"", false}, {"007", true, 7}, {"0", true, 0}, {"00", true, 0}, {"\t3\t", true, 3},
        {"+5", true, 5}, {"99999999999", true, 2147483647}, {"-60", false}, {"-0", false},
        {"-99999999999", false}, {"abc", false}, {"12x", false}, {"1.5", false}, {" ", false},
        {"1 2", false},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        std::int32_t value = 42;
        EXPECT_EQ(ReadIntegerField(c.text, value), c.ok);
        EXPECT_EQ(value, c.ok ? c.value : 42);
    }
}

} // namespace
} // namespace mereth
