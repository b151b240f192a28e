#include "tariff/Tariff.h"

#include "core/Saturate.h"

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

float SegmentCost(const Tariff& tariff, const Rate& rate, std::int64_t e) {
    // A unit shorter than a second (0, or negative from a damaged store) counts as
    // one second: nothing may divide by it.
    const std::int64_t unitTime = rate.unitTime < 1 ? 1 : rate.unitTime;
    if (e < 0) {
        e = 0;
    }
    const double unitCost = rate.unitCost;
    if (tariff.chargeByTheUnit != 0) {
        // A unit is charged in full the moment it begins.
        const double units = static_cast<double>(e / unitTime) + 1.0;
        return NarrowToFloat(units * unitCost);
    }
    const double proportional = unitCost * static_cast<double>(e) / static_cast<double>(unitTime);
    const double minimum = tariff.chargesMinimumAmount != 0 ? tariff.minimumCallCharge : 0.0;
    return NarrowToFloat(proportional > minimum ? proportional : minimum);
}

} // namespace mereth
