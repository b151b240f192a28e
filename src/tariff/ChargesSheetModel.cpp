#include "tariff/ChargesSheetModel.h"

namespace mereth {

ChargesSheetValues CopyIntoSheet(const Tariff& tariff) {
    ChargesSheetValues values;
    values.general.minimumCharge = tariff.minimumCallCharge;
    values.general.methodOfCharging = tariff.chargeByTheUnit != 0 ? 1 : 0;
    values.general.minimumFlag = tariff.chargesMinimumAmount;

    for (int p = 0; p < PERIOD_COUNT; ++p) {
        values.weekday.unitCost[p] = tariff.periodUnitCost[p];
        values.weekday.connectionFee[p] = tariff.periodConnectionFee[p];
        values.weekday.unitTime[p] = tariff.periodUnitTime[p];
    }
    for (int p = 0; p < PERIOD_COUNT - 1; ++p) {
        values.weekday.periodEnd[p] = tariff.periodEnd[p];
    }

    values.weekend.saturdayUnitCost = tariff.saturdayUnitCost;
    values.weekend.sundayUnitCost = tariff.sundayUnitCost;
    values.weekend.saturdayConnectionFee = tariff.saturdayConnectionFee;
    values.weekend.sundayConnectionFee = tariff.sundayConnectionFee;
    values.weekend.saturdayUnitTime = tariff.saturdayUnitTime;
    values.weekend.sundayUnitTime = tariff.sundayUnitTime;
    return values;
}

void CopyOutOfSheet(const ChargesSheetValues& values, Tariff& tariff) {
    tariff.minimumCallCharge = values.general.minimumCharge;
    tariff.chargeByTheUnit = values.general.methodOfCharging;
    tariff.chargesMinimumAmount = values.general.minimumFlag;

    for (int p = 0; p < PERIOD_COUNT; ++p) {
        tariff.periodUnitCost[p] = values.weekday.unitCost[p];
        tariff.periodConnectionFee[p] = values.weekday.connectionFee[p];
        tariff.periodUnitTime[p] = values.weekday.unitTime[p];
    }
    for (int p = 0; p < PERIOD_COUNT - 1; ++p) {
        tariff.periodEnd[p] = values.weekday.periodEnd[p];
    }

    tariff.saturdayUnitCost = values.weekend.saturdayUnitCost;
    tariff.sundayUnitCost = values.weekend.sundayUnitCost;
    tariff.saturdayConnectionFee = values.weekend.saturdayConnectionFee;
    tariff.sundayConnectionFee = values.weekend.sundayConnectionFee;
    tariff.saturdayUnitTime = values.weekend.saturdayUnitTime;
    tariff.sundayUnitTime = values.weekend.sundayUnitTime;
}

} // namespace mereth
