#include "accounting/ConnectionAccounting.h"

#include "core/Saturate.h"

#include <cmath>
#include <limits>

namespace mereth {

namespace {

// The amount by which a unit cost must change before it counts as a new rate.
constexpr double UNIT_COST_TOLERANCE = 0.00001;

std::int32_t AddSeconds(std::int32_t base, std::int32_t seconds) {
    const std::int64_t sum = static_cast<std::int64_t>(base) + seconds;
    constexpr std::int64_t INT32_LIMIT = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(sum > INT32_LIMIT ? INT32_LIMIT : sum);
}

float AddMoney(float base, double amount) {
    return NarrowToFloat(static_cast<double>(base) + amount);
}

// A date as one comparable number, yyyymmdd.
std::int64_t DateKey(std::int64_t year, std::int64_t month, std::int64_t day) {
    return (year * 100 + month) * 100 + day;
}

void ChargeLoginAndFee(ConnectionStats& r, float fee) {
    r.connTime.value = 0;
    r.totalCost.value = AddMoney(r.totalCost.value, fee);
    r.yearCost.value = AddMoney(r.yearCost.value, fee);
    r.monthCost.value = AddMoney(r.monthCost.value, fee);
    r.todayCost.value = AddMoney(r.todayCost.value, fee);
    r.billingCost.value = AddMoney(r.billingCost.value, fee);
    r.connCost.value = fee;
    r.totalLogins = IncrementSaturated(r.totalLogins);
    r.todayLogins = IncrementSaturated(r.todayLogins);
    r.yearLogins = IncrementSaturated(r.yearLogins);
    r.monthLogins = IncrementSaturated(r.monthLogins);
}

void Accrue(TimeFigure& time, CostFigure& cost, std::int32_t elapsed, float segmentCost) {
    time.value = AddSeconds(time.base, elapsed);
    cost.value = AddMoney(cost.base, segmentCost);
}

void AccruePeriods(ConnectionStats& r, std::int32_t elapsed, float segmentCost) {
    Accrue(r.totalTime, r.totalCost, elapsed, segmentCost);
    Accrue(r.todayTime, r.todayCost, elapsed, segmentCost);
    Accrue(r.yearTime, r.yearCost, elapsed, segmentCost);
    Accrue(r.monthTime, r.monthCost, elapsed, segmentCost);
    r.billingCost.value = AddMoney(r.billingCost.base, segmentCost);
}

// The base from which value is amount on: the segment's share taken out.
void Unaccrue(TimeFigure& time, CostFigure& cost, std::int32_t seconds, float amount) {
    time.base = time.value > seconds ? time.value - seconds : 0;
    cost.base = NarrowToFloat(static_cast<double>(cost.value) - amount);
}

void UnaccruePeriods(ConnectionStats& r, std::int32_t seconds, float amount) {
    Unaccrue(r.totalTime, r.totalCost, seconds, amount);
    Unaccrue(r.todayTime, r.todayCost, seconds, amount);
    Unaccrue(r.yearTime, r.yearCost, seconds, amount);
    Unaccrue(r.monthTime, r.monthCost, seconds, amount);
    r.billingCost.base = NarrowToFloat(static_cast<double>(r.billingCost.value) - amount);
}

void Zero(TimeFigure& time, CostFigure& cost) {
    time.value = 0;
    cost.value = 0.0f;
}

} // namespace

bool CConnectionAccounting::OnConnectionStarted(int k, std::uint64_t handle) {
    if (m_connected || !m_model.IsValidRecord(k)) {
        return false;
    }
    // One instant for everything the start decides: a minute boundary between two
    // clock reads would pair one period's fee with the next one's rate.
    const CalendarTime now = m_model.Clock().Now();
    const Rate rate = m_costs.RateAt(k, now);
    const float fee = rate.connectionFee;
    m_connected = true;
    m_connectedEntryName = m_model.m_entries[k].name.view();
    m_connectStart = now;

    // A phone-book entry that bears the aggregate's own name is matched to record 0:
    // it is still one login and one fee.
    ChargeLoginAndFee(m_model.m_entries[0], fee);
    if (k != 0) {
        ChargeLoginAndFee(m_model.m_entries[k], fee);
    }

    m_rate = rate;
    m_connectedRecord = k;
    m_connectedHandle = handle;
    m_nextSaveAt = SAVE_INTERVAL;
    m_model.RebaseTotals(now);
    return true;
}

bool CConnectionAccounting::ResumeConnection(int k, const RunningCall& call) {
    if (m_connected || !m_model.IsValidRecord(k)) {
        return false;
    }
    const CalendarTime now = m_model.Clock().Now();
    m_connected = true;
    m_connectedRecord = k;
    m_connectedHandle = call.handle;
    m_connectedEntryName = call.entryName.view();
    m_connectStart = call.start;
    m_rate = Rate{};
    m_rate.unitCost = call.unitCost;
    m_rate.unitTime = call.unitTime;

    // Every base from its loaded value, then the segment's share out of the call's records.
    const std::int32_t held = call.segmentSeconds > 0 ? call.segmentSeconds : 0;
    m_model.RebaseTotals(call.segmentStart);
    ConnectionStats& record = m_model.m_entries[k];
    UnaccruePeriods(record, held, call.segmentCost);
    Unaccrue(record.connTime, record.connCost, held, call.segmentCost);
    if (k != 0) {
        UnaccruePeriods(m_model.m_entries[0], held, call.segmentCost);
    }
    m_model.m_lastElapsed = held;
    m_nextSaveAt = (record.connTime.value / SAVE_INTERVAL + 1) * SAVE_INTERVAL;

    // The line was up and billed while no program watched: the first tick takes the
    // whole gap. One the figures cannot hold is lost as a clock jump is.
    const std::int64_t sinceStart = now - call.segmentStart;
    if (sinceStart > held && sinceStart <= std::numeric_limits<std::int32_t>::max()) {
        m_model.m_lastElapsed = static_cast<std::int32_t>(sinceStart);
    }
    AccrueAt(now, GoverningTariff());
    return true;
}

void CConnectionAccounting::LogUnwatchedEnd(const RunningCall& call) {
    if (m_connected) {
        return;
    }
    const ConnectionStats& all = m_model.m_entries[0];
    m_log.LogConnection(call.entryName.c_str(), call.start, all.connTime.value, all.connCost.value,
                        all.totalLogins);
}

bool CConnectionAccounting::GetRunningCall(RunningCall& call) const {
    if (!m_connected) {
        return false;
    }
    // What the figures hold of the segment, which a tick that found no connection
    // may leave behind the seconds it has seen.
    const ConnectionStats& record = m_model.m_entries[m_connectedRecord];
    call.handle = m_connectedHandle;
    call.entryName = m_connectedEntryName.view();
    call.start = m_connectStart;
    call.segmentStart = m_model.m_segmentStart;
    call.segmentSeconds = record.connTime.value - record.connTime.base;
    call.segmentCost =
        NarrowToFloat(static_cast<double>(record.connCost.value) - record.connCost.base);
    call.unitCost = m_rate.unitCost;
    call.unitTime = m_rate.unitTime;
    return true;
}

AccountingResult CConnectionAccounting::AccrueTick() {
    if (!m_connected) {
        return {};
    }
    return AccrueAt(m_model.Clock().Now(), GoverningTariff());
}

const Tariff& CConnectionAccounting::GoverningTariff() const {
    return m_costs.EffectiveTariff(m_connectedRecord);
}

AccountingResult CConnectionAccounting::OnTariffEdited(const Tariff& governingBefore) {
    // Another record's tariff, or one that does not govern this call, must not cut the
    // segment: a new segment charges its first unit or its minimum again.
    if (!m_connected || GoverningTariff() == governingBefore) {
        return {};
    }
    const CalendarTime now = m_model.Clock().Now();
    const AccountingResult result = AccrueAt(now, governingBefore);
    m_model.RebaseTotals(now);
    // The only boundary is this instant: the next tick must not find a rate change.
    m_rate = m_costs.RateAt(m_connectedRecord, now);
    return result;
}

AccountingResult CConnectionAccounting::AccrueAt(CalendarTime now, const Tariff& tariff) {
    const std::int64_t sinceStart = now - m_model.m_segmentStart;
    const std::int64_t last = m_model.m_lastElapsed;
    if (sinceStart < last || sinceStart > last + MAX_TICK_GAP) {
        // The clock was set, or the program stalled: count on from now, lose the gap.
        m_model.RebaseTotals(now);
        return {};
    }
    const auto elapsed = static_cast<std::int32_t>(sinceStart);
    m_model.m_lastElapsed = elapsed;
    const int k = m_connectedRecord;

    const float cost = SegmentCost(tariff, m_rate, elapsed);
    ConnectionStats& record = m_model.m_entries[k];
    ConnectionStats& all = m_model.m_entries[0];
    AccruePeriods(record, elapsed, cost);
    Accrue(record.connTime, record.connCost, elapsed, cost);
    if (k != 0) {
        AccruePeriods(all, elapsed, cost);
        all.connTime.value = record.connTime.value;
        all.connCost.value = record.connCost.value;
    }

    // A new tariff period, a weekend's start or end, or an edited tariff: the
    // segment closes with what was just charged and the next runs at the new rate.
    // The new segment begins at this tick's instant, so no second goes uncounted.
    const Rate rate = m_costs.RateAt(k, now);
    if (std::fabs(static_cast<double>(rate.unitCost) - m_rate.unitCost) > UNIT_COST_TOLERANCE ||
        rate.unitTime != m_rate.unitTime) {
        m_model.RebaseTotals(now);
        m_rate = rate;
    }

    // A long call is not lost to a crash or a power cut.
    AccountingResult result{.figuresChanged = true};
    if (record.connTime.value >= m_nextSaveAt) {
        result.saveDue = true;
        m_nextSaveAt = (record.connTime.value / SAVE_INTERVAL + 1) * SAVE_INTERVAL;
    }
    return result;
}

AccountingResult CConnectionAccounting::OnConnectionEnded() {
    if (!m_connected) {
        return {};
    }
    m_connected = false;
    const ConnectionStats& all = m_model.m_entries[0];
    m_log.LogConnection(m_connectedEntryName.c_str(), m_connectStart, all.connTime.value,
                        all.connCost.value, all.totalLogins);
    return {.saveDue = true};
}

bool CConnectionAccounting::CheckDateRollover() {
    if (m_connected) {
        // A call is counted wholly in the day it began; the rollover follows its end.
        return false;
    }
    const IClock& clock = m_model.Clock();
    const CalendarTime now = clock.Now();
    const LocalTime today = clock.ToLocal(now);
    const bool billingMoved = MoveBillingPeriods({today.year, today.month, today.day});
    if (billingMoved) {
        m_model.RebaseTotals(now);
    }
    const std::int64_t todayKey = DateKey(today.year, today.month, today.day);
    const std::int64_t countedKey =
        DateKey(m_model.m_currentYear, m_model.m_currentMonth, m_model.m_currentDay);
    const bool sameYear = m_model.m_currentYear == today.year;

    // Calendar dates, not a fixed 24 hours: days of 23 and 25 hours end at midnight too.
    if (sameYear && m_model.m_currentMonth == today.month && countedKey == todayKey) {
        return billingMoved;
    }

    // The clock was set back: count on in the present period, zero nothing. The
    // month number is only compared within one year, else January would look earlier
    // than December.
    if (m_model.m_currentYear > today.year || (sameYear && m_model.m_currentMonth > today.month) ||
        todayKey < countedKey) {
        m_model.SetCurrentDate(now);
        m_model.RebaseTotals(now);
        return billingMoved;
    }

    Period moved = Period::None;
    if (m_model.m_currentYear < today.year) {
        moved = Period::Year;
    } else if (m_model.m_currentMonth < today.month) {
        moved = Period::Month;
    } else if (todayKey > countedKey) {
        moved = Period::Today;
    }
    if (moved == Period::None) {
        return billingMoved;
    }
    for (ConnectionStats& r : m_model.m_entries) {
        if (moved == Period::Year) {
            Zero(r.yearTime, r.yearCost);
            r.yearLogins = 0;
        }
        if (moved == Period::Year || moved == Period::Month) {
            Zero(r.monthTime, r.monthCost);
            r.monthLogins = 0;
        }
        Zero(r.todayTime, r.todayCost);
        r.todayLogins = 0;
    }
    m_model.SetCurrentDate(now);
    m_model.RebaseTotals(now);
    return true;
}

bool CConnectionAccounting::MoveBillingPeriods(CalendarDate today) {
    bool moved = false;
    for (ConnectionStats& r : m_model.m_entries) {
        const CalendarDate start = BillingPeriodStart(today, r.budget.billingDay);
        // Only forward: a clock set back counts on in the present period, as the
        // day, month and year do.
        if (start > r.billingStart) {
            moved = moved || r.billingCost.value != 0.0f || r.alertsGiven != 0;
            r.billingStart = start;
            r.billingCost.value = 0.0f;
            r.alertsGiven = 0;
        }
    }
    return moved;
}

void CConnectionAccounting::ZeroPeriodsFrom(int index, Period period) {
    ConnectionStats& r = m_model.m_entries[index];
    switch (period) {
    case Period::Total:
        Zero(r.totalTime, r.totalCost);
        r.totalLogins = 0;
        m_model.SetStartDate(index);
        [[fallthrough]];
    case Period::Year:
        Zero(r.yearTime, r.yearCost);
        r.yearLogins = 0;
        [[fallthrough]];
    case Period::Month:
        Zero(r.monthTime, r.monthCost);
        r.monthLogins = 0;
        [[fallthrough]];
    case Period::Today:
        Zero(r.todayTime, r.todayCost);
        r.todayLogins = 0;
        [[fallthrough]];
    case Period::Conn:
        Zero(r.connTime, r.connCost);
        break;
    case Period::None:
        break;
    }
}

bool CConnectionAccounting::ResetPeriod(Period period, int r) {
    if (m_connected || period == Period::None || r < 0 || r >= RECORD_COUNT) {
        return false;
    }
    // The aggregate's reset reaches every record, in use or not.
    const int last = r == 0 ? RECORD_COUNT - 1 : r;
    for (int i = r; i <= last; ++i) {
        ZeroPeriodsFrom(i, period);
    }
    return true;
}

bool CConnectionAccounting::ResetBilling(int r) {
    if (m_connected || r < 0 || r >= RECORD_COUNT) {
        return false;
    }
    const int last = r == 0 ? RECORD_COUNT - 1 : r;
    for (int i = r; i <= last; ++i) {
        m_model.m_entries[i].billingCost.value = 0.0f;
        m_model.m_entries[i].alertsGiven = 0;
    }
    return true;
}

} // namespace mereth
