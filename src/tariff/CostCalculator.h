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
    // The tariff that prices a call of record k.
    const Tariff& EffectiveTariff(int k) const;
    float ConnectionFee(int k) const;
    float CurrentUnitCost(int k) const;
    std::int32_t CurrentUnitTime(int k) const;
    // 1..5 on a weekday; 0 on Saturday and Sunday, which have no periods.
    int CurrentPeriod(int k) const;
    float MinimumCharge(int k) const;
    // Everything the tariff charges at instant t, so that one event prices its fee,
    // unit cost and unit time at one moment.
    Rate RateAt(int k, CalendarTime t) const;

private:
    Rate RateNow(int k) const;

    const CUsageModel& m_model;
};

// The charge for e seconds of a segment priced at rate (its unit cost per unit time)
// under tariff's charging method and minimum. The connection fee is never part of it.
float SegmentCost(const Tariff& tariff, const Rate& rate, std::int64_t e);

} // namespace mereth
