#include "tariff/CostCalculator.h"

#include "core/Saturate.h"

namespace mereth {

int CCostCalculator::EffectiveTariffRecord(int k) const {
    if (m_model.m_entries[0].tariff.IsSet() || k < 0 || k >= RECORD_COUNT) {
        return 0;
    }
    return k;
}

const Tariff& CCostCalculator::EffectiveTariff(int k) const {
    return m_model.m_entries[EffectiveTariffRecord(k)].tariff;
}

Rate CCostCalculator::RateAt(int k, CalendarTime t) const {
    const LocalTime local = m_model.Clock().ToLocal(t);
    return mereth::RateAt(EffectiveTariff(k), local.weekday, local.MinuteOfDay());
}

Rate CCostCalculator::RateNow(int k) const {
    return RateAt(k, m_model.Clock().Now());
}

float CCostCalculator::ConnectionFee(int k) const {
    return RateNow(k).connectionFee;
}

float CCostCalculator::CurrentUnitCost(int k) const {
    return RateNow(k).unitCost;
}

std::int32_t CCostCalculator::CurrentUnitTime(int k) const {
    return RateNow(k).unitTime;
}

int CCostCalculator::CurrentPeriod(int k) const {
    return RateNow(k).period;
}

float CCostCalculator::MinimumCharge(int k) const {
    const Tariff& tariff = EffectiveTariff(k);
    return tariff.chargesMinimumAmount != 0 ? tariff.minimumCallCharge : 0.0f;
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
