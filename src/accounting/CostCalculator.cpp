#include "accounting/CostCalculator.h"

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

} // namespace mereth
