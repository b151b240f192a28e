#pragma once

#include "tariff/Tariff.h"

#include <cstdint>

namespace mereth {

// What each page of the Set Charges sheet edits, copied from a tariff when the sheet
// opens and back into it on OK. A page that is never shown hands back what it got.

struct GeneralPageValues {
    float minimumCharge = 0.0f;
    std::int32_t methodOfCharging = 0; // radio index: 1 is "nearest whole time unit"
    std::int32_t minimumFlag = 0;
};

struct WeekdayPageValues {
    // Index p - 1 for period p.
    float unitCost[PERIOD_COUNT] = {};
    float connectionFee[PERIOD_COUNT] = {};
    std::int32_t unitTime[PERIOD_COUNT] = {};
    // Ends of periods 1 to 4; period 5 always ends at midnight and is not edited.
    std::int32_t periodEnd[PERIOD_COUNT - 1] = {};
};

struct WeekendPageValues {
    float saturdayUnitCost = 0.0f;
    float sundayUnitCost = 0.0f;
    float saturdayConnectionFee = 0.0f;
    float sundayConnectionFee = 0.0f;
    std::int32_t saturdayUnitTime = 0;
    std::int32_t sundayUnitTime = 0;
};

struct ChargesSheetValues {
    GeneralPageValues general;
    WeekdayPageValues weekday;
    WeekendPageValues weekend;
};

// Any non-zero chargeByTheUnit selects the whole-time-unit method.
ChargesSheetValues CopyIntoSheet(const Tariff& tariff);

// The 28 values back into the tariff; its end 5 is left as it is.
void CopyOutOfSheet(const ChargesSheetValues& values, Tariff& tariff);

} // namespace mereth
