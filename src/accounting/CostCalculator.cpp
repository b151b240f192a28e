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
    // A holiday is priced as a Sunday.
    const bool holiday = m_model.m_holidays.Contains({local.year, local.month, local.day});
    return mereth::RateAt(EffectiveTariff(k), holiday ? 0 : local.weekday, local.MinuteOfDay());
}

} // namespace mereth
