#include "tariff/ChargesSheetModel.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

// Every field different from every other and from its default.
Tariff EveryFieldDistinct() {
    Tariff t;
    for (int p = 0; p < PERIOD_COUNT; ++p) {
        t.periodEnd[p] = 300 + 30 * p;
        t.periodUnitCost[p] = 0.01f * static_cast<float>(p + 1);
        t.periodConnectionFee[p] = 0.1f * static_cast<float>(p + 1);
        t.periodUnitTime[p] = 10 + p;
    }
    t.saturdayUnitCost = 1.5f;
    t.saturdayConnectionFee = 2.5f;
    t.saturdayUnitTime = 20;
    t.sundayUnitCost = 3.5f;
    t.sundayConnectionFee = 4.5f;
    t.sundayUnitTime = 21;
    t.chargesMinimumAmount = 1;
    t.minimumCallCharge = 5.5f;
    t.chargeByTheUnit = 1;
    return t;
}

TEST(ChargesSheetModel, UnshownPagesHandBackWhatTheyGotButEndFive) {
    const Tariff edited = EveryFieldDistinct();
    Tariff stored; // its end 5 is not the sheet's to change
    stored.periodEnd[4] = 1200;
    CopyOutOfSheet(CopyIntoSheet(edited), stored);

    Tariff expected = edited;
    expected.periodEnd[4] = 1200;
    EXPECT_EQ(stored, expected);
}

TEST(ChargesSheetModel, AnyMethodFlagComesBackAsZeroOrOne) {
    struct Case {
        std::int32_t stored;
        std::int32_t method;
    } cases[] = {{0, 0}, {1, 1}, {5, 1}, {-1, 1}};
    for (const Case& c : cases) {
        Tariff t;
        t.chargeByTheUnit = c.stored;
        t.chargesMinimumAmount = c.stored; // the minimum flag is taken as it is
        ChargesSheetValues values = CopyIntoSheet(t);
        EXPECT_EQ(values.general.methodOfCharging, c.method) << c.stored;
        EXPECT_EQ(values.general.minimumFlag, c.stored);
        CopyOutOfSheet(values, t);
        EXPECT_EQ(t.chargeByTheUnit, c.method) << c.stored;
    }
}

} // namespace
} // namespace mereth
