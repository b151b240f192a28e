#include "tariff/Tariff.h"

namespace mereth {

bool Tariff::IsSet() const {
    for (float cost : periodUnitCost) {
        if (cost != 0.0f) {
            return true;
        }
    }
    return saturdayUnitCost != 0.0f || sundayUnitCost != 0.0f;
}

int Tariff::PeriodOfMinute(int minuteOfDay) const {
    for (int p = 0; p < PERIOD_COUNT - 1; ++p) {
        if (periodEnd[p] >= minuteOfDay) {
            return p + 1;
        }
    }
    // The last period takes the rest of the day, even if a stored end 5 says otherwise.
    return PERIOD_COUNT;
}

DayType DayTypeOf(int weekday) {
    switch (weekday) {
    case 0:
        return DayType::Sunday;
    case 6:
        return DayType::Saturday;
    default:
        return DayType::Weekday;
    }
}

Rate RateAt(const Tariff& tariff, int weekday, int minuteOfDay) {
    Rate rate;
    switch (DayTypeOf(weekday)) {
    case DayType::Saturday:
        rate.connectionFee = tariff.saturdayConnectionFee;
        rate.unitCost = tariff.saturdayUnitCost;
        rate.unitTime = tariff.saturdayUnitTime;
        break;
    case DayType::Sunday:
        rate.connectionFee = tariff.sundayConnectionFee;
        rate.unitCost = tariff.sundayUnitCost;
        rate.unitTime = tariff.sundayUnitTime;
        break;
    case DayType::Weekday: {
        int p = tariff.PeriodOfMinute(minuteOfDay);
        rate.period = p;
        rate.connectionFee = tariff.periodConnectionFee[p - 1];
        rate.unitCost = tariff.periodUnitCost[p - 1];
        rate.unitTime = tariff.periodUnitTime[p - 1];
        break;
    }
    }
    return rate;
}

} // namespace mereth
