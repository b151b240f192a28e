#pragma once

#include "accounting/UsageModel.h"
#include "tariff/Tariff.h"

namespace mereth {

// The rate a call of record k pays at an instant, looked up in local time.
// Record 0's tariff governs every call while it is set; otherwise the entry's own.
class CCostCalculator {
public:
    explicit CCostCalculator(const CUsageModel& model) : m_model(model) {}

    int EffectiveTariffRecord(int k) const;
    // The tariff that prices a call of record k.
    const Tariff& EffectiveTariff(int k) const;
    // Everything the tariff charges at instant t, so that one event prices its fee,
    // unit cost and unit time at one moment.
    Rate RateAt(int k, CalendarTime t) const;

private:
    const CUsageModel& m_model;
};

} // namespace mereth
