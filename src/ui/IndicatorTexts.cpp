#include "ui/IndicatorTexts.h"

#include "accounting/IndicatorIds.h"

namespace mereth {

using namespace indicator_id;

const int INDICATOR_ORDER[INDICATOR_COUNT] = {
    TOTAL_TIME,   TODAY_TIME,   YEAR_TIME,   MONTH_TIME,   CONN_TIME,
    TOTAL_COST,   TODAY_COST,   YEAR_COST,   MONTH_COST,   CONN_COST,
    TOTAL_LOGINS, TODAY_LOGINS, YEAR_LOGINS, MONTH_LOGINS, CONN_LOGINS,
};

int IndicatorPosition(int controlId) {
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        if (INDICATOR_ORDER[i] == controlId) {
            return i;
        }
    }
    return -1;
}

std::uint32_t CIndicatorTexts::Take(int position, const IndicatorText& text) {
    IndicatorText& shown = m_texts[position];
    if (shown.view() == text.view()) {
        m_unchanged[position] = shown.size();
        return 0;
    }
    m_unchanged[position] = UnchangedPrefixLength(shown.view(), text.view());
    shown.Assign(text.view());
    return 1u << position;
}

std::uint32_t CIndicatorTexts::Refresh(const ConnectionStats& record,
                                       const DisplaySettings& display, const ILocale& locale) {
    struct DurationSource {
        const TimeFigure& figure;
        const DurationDisplay& display;
    };
    // Today never shows a days field, whatever was stored for it.
    const DurationDisplay today{display.todayTime.showSeconds, false, display.todayTime.textColour};
    const DurationSource durations[] = {
        {record.totalTime, display.totalTime}, {record.todayTime, today},
        {record.yearTime, display.yearTime},   {record.monthTime, display.monthTime},
        {record.connTime, display.connTime},
    };
    const CostFigure* costs[] = {&record.totalCost, &record.todayCost, &record.yearCost,
                                 &record.monthCost, &record.connCost};
    const std::int32_t logins[] = {record.totalLogins, record.todayLogins, record.yearLogins,
                                   record.monthLogins};

    std::uint32_t changed = 0;
    int position = 0;
    for (const DurationSource& d : durations) {
        FormatDuration(d.figure.value, d.display.showDays, d.display.showSeconds, m_scratch);
        changed |= Take(position++, m_scratch);
    }
    for (const CostFigure* c : costs) {
        FormatCurrencyText(c->value, locale, m_scratch);
        changed |= Take(position++, m_scratch);
    }
    for (std::int32_t count : logins) {
        FormatCount(count, m_scratch);
        changed |= Take(position++, m_scratch);
    }
    // A connection is one login: its login indicator stays blank.
    m_scratch.Clear();
    changed |= Take(position, m_scratch);
    return changed;
}

std::uint32_t CIndicatorTexts::Clear() {
    m_scratch.Clear();
    std::uint32_t changed = 0;
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        changed |= Take(i, m_scratch);
    }
    return changed;
}

} // namespace mereth
