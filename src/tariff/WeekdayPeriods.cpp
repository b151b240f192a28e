#include "tariff/WeekdayPeriods.h"

#include <array>

namespace mereth {

namespace {

constexpr int LAST_HALF_HOUR = CWeekdayPeriods::HALF_HOURS_PER_DAY;

int Clamp(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

// "00:00" .. "24:00", one per half hour.
using TimeText = std::array<char, 6>;
constexpr std::array<TimeText, LAST_HALF_HOUR + 1> TIME_TEXTS = [] {
    std::array<TimeText, LAST_HALF_HOUR + 1> texts{};
    for (int h = 0; h <= LAST_HALF_HOUR; ++h) {
        int minutes = h * CWeekdayPeriods::MINUTES_PER_HALF_HOUR;
        int hours = minutes / 60;
        minutes %= 60;
        texts[h] = {
            static_cast<char>('0' + hours / 10),   static_cast<char>('0' + hours % 10),   ':',
            static_cast<char>('0' + minutes / 10), static_cast<char>('0' + minutes % 10), '\0'};
    }
    return texts;
}();

} // namespace

const char* CWeekdayPeriods::HalfHourText(int h) {
    return TIME_TEXTS[Clamp(h, 0, LAST_HALF_HOUR)].data();
}

void CWeekdayPeriods::Load(const std::int32_t (&ends)[UPDOWN_COUNT]) {
    int low = 0;
    for (int k = 0; k < UPDOWN_COUNT; ++k) {
        // Each range starts at the position before it, so clamping keeps them in order.
        m_low[k] = low;
        m_position[k] = Clamp(ends[k] / MINUTES_PER_HALF_HOUR, low, LAST_HALF_HOUR);
        low = m_position[k];
    }
    m_from[0] = 0;
    for (int k = 0; k < UPDOWN_COUNT; ++k) {
        m_to[k] = m_position[k];
        m_from[k + 1] = m_position[k];
    }
    m_to[ROW_COUNT - 1] = LAST_HALF_HOUR;
    Propagate(1);
}

unsigned CWeekdayPeriods::OnUpDownChanged(int n, int newPosition) {
    if (n < 1 || n > UPDOWN_COUNT) {
        return 0;
    }
    Row before[ROW_COUNT];
    for (int row = 1; row <= ROW_COUNT; ++row) {
        before[row - 1] = RowState(row);
    }

    m_position[n - 1] = Clamp(newPosition, m_low[n - 1], LAST_HALF_HOUR);
    m_to[n - 1] = m_position[n - 1];
    Propagate(n);

    unsigned changed = 0;
    for (int row = 1; row <= ROW_COUNT; ++row) {
        if (!(RowState(row) == before[row - 1])) {
            changed |= 1u << (row - 1);
        }
    }
    return changed;
}

void CWeekdayPeriods::Propagate(int n) {
    for (; n <= UPDOWN_COUNT; ++n) {
        // The next row starts where this one's to-field says.
        m_from[n] = m_to[n - 1];
        if (n == UPDOWN_COUNT) {
            return;
        }
        const int p = m_position[n - 1];
        m_low[n] = p;
        if (m_position[n] > p) {
            return; // a later end it has not reached stays where it is
        }
        m_position[n] = p;
        m_to[n] = p;
    }
}

bool CWeekdayPeriods::RowEnabled(int row) const {
    return row <= 1 || m_position[row - 2] < LAST_HALF_HOUR;
}

void CWeekdayPeriods::Ends(std::int32_t (&ends)[UPDOWN_COUNT]) const {
    for (int k = 0; k < UPDOWN_COUNT; ++k) {
        ends[k] = m_position[k] * MINUTES_PER_HALF_HOUR;
    }
}

CWeekdayPeriods::Row CWeekdayPeriods::RowState(int row) const {
    const bool hasUpDown = row <= UPDOWN_COUNT;
    return {m_from[row - 1], m_to[row - 1], hasUpDown ? m_low[row - 1] : 0,
            hasUpDown ? m_position[row - 1] : 0, RowEnabled(row)};
}

} // namespace mereth
