#pragma once

#include "accounting/UsageModel.h"
#include "tariff/Tariff.h"

#include <cstdint>

namespace mereth {

// What a call of record k costs, looked up at the clock's "now" in local time.
// Record 0's tariff governs every call while it is set; otherwise the entry's own.
class CCostCalculator {
public:
    explicit CCostCalculator(const CUsageModel& model) : m_model(model) {}

    int EffectiveTariffRecord(int k) const;
    float ConnectionFee(int k) const;
    float CurrentUnitCost(int k) const;
    std::int32_t CurrentUnitTime(int k) const;
    // 1..5 on a weekday; 0 on Saturday and Sunday, which have no periods.
    int CurrentPeriod(int k) const;
    float MinimumCharge(int k) const;
    // Everything the tariff charges at instant t, so that one event prices its fee,
    // unit cost and unit time at one moment.
    Rate RateAt(int k, CalendarTime t) const;

    // The charge for e seconds of the open segment, at m_currentUnitCost per
    // m_currentUnitTime. The connection fee is never part of it.
    float SegmentCost(int k, std::int64_t e) const;

    // The rate of the running call, as last looked up by the accounting.
    float m_currentUnitCost = 0.0f;
    std::int32_t m_currentUnitTime = DEFAULT_UNIT_TIME;

private:
    const Tariff& EffectiveTariff(int k) const;
    Rate RateNow(int k) const;

    const CUsageModel& m_model;
};

} // namespace mereth
