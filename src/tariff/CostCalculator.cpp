#include "tariff/CostCalculator.h"

namespace mereth {

int CostCalculator::EffectiveTariffRecord(int k) const {
    if (m_model.m_entries[0].tariff.IsSet() || k < 0 || k >= kRecordCount) {
        return 0;
    }
    return k;
}

const Tariff& CostCalculator::EffectiveTariff(int k) const {
    return m_model.m_entries[EffectiveTariffRecord(k)].tariff;
}

Rate CostCalculator::RateNow(int k) const {
    LocalTime now = m_model.Clock().ToLocal(m_model.Clock().Now());
    return RateAt(EffectiveTariff(k), now.weekday, now.MinuteOfDay());
}

float CostCalculator::ConnectionFee(int k) const {
    return RateNow(k).connectionFee;
}

float CostCalculator::CurrentUnitCost(int k) const {
    return RateNow(k).unitCost;
}

std::int32_t CostCalculator::CurrentUnitTime(int k) const {
    return RateNow(k).unitTime;
}

int CostCalculator::CurrentPeriod(int k) const {
    return RateNow(k).period;
}

float CostCalculator::MinimumCharge(int k) const {
    const Tariff& tariff = EffectiveTariff(k);
    return tariff.chargesMinimumAmount != 0 ? tariff.minimumCallCharge : 0.0f;
}

float CostCalculator::SegmentCost(int k, std::int64_t e) const {
    // A unit shorter than a second (0, or negative from a damaged store) counts as
    // one second: nothing may divide by it.
    const std::int64_t unitTime = m_currentUnitTime < 1 ? 1 : m_currentUnitTime;
    if (e < 0) {
        e = 0;
    }
    const double unitCost = m_currentUnitCost;
    if (EffectiveTariff(k).chargeByTheUnit != 0) {
        // A unit is charged in full the moment it begins.
        const std::int64_t units = e / unitTime + 1;
        return static_cast<float>(static_cast<double>(units) * unitCost);
    }
    const double proportional = unitCost * static_cast<double>(e) / static_cast<double>(unitTime);
    const double minimum = MinimumCharge(k);
    return static_cast<float>(proportional > minimum ? proportional : minimum);
}

} // namespace mereth
