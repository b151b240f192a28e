#include "ui/BudgetView.h"

#include "ui/IndicatorText.h"
#include "ui/UserTexts.h"

namespace mereth {

namespace {

constexpr std::int64_t SECONDS_PER_DAY = 86400;
constexpr std::size_t MONEY_CAPACITY = 64;

CalendarTime MidnightOf(const IClock& clock, CalendarDate date) {
    return clock.LocalMidnight(date.year, date.month, date.day);
}

} // namespace

int ShownBudgetRecord(const CUsageModel& model) {
    const int selected = model.m_selectedEntry;
    if (model.IsValidRecord(selected) && model.m_entries[selected].budget.IsSet()) {
        return selected;
    }
    return model.m_entries[0].budget.IsSet() ? 0 : -1;
}

Projection ProjectRecord(const ConnectionStats& record, const IClock& clock) {
    const CalendarTime now = clock.Now();
    const LocalTime local = clock.ToLocal(now);
    const CalendarDate today{local.year, local.month, local.day};
    const int billingDay = record.budget.billingDay;
    const CalendarDate start = BillingPeriodStart(today, billingDay);
    const CalendarTime begin = MidnightOf(clock, start);
    const CalendarTime end = MidnightOf(clock, NextBillingPeriodStart(start, billingDay));
    // Days of 23 and 25 hours round to whole days.
    const int daysLeft =
        int((end - MidnightOf(clock, today) + SECONDS_PER_DAY / 2) / SECONDS_PER_DAY);
    return ProjectSpend(record.budget, record.billingCost.value, now - begin, end - begin,
                        daysLeft);
}

void FormatBudgetTip(std::string_view status, const ConnectionStats& all, const ILocale& locale,
                     LeadBytePredicate isLeadByte, TooltipText& out) {
    if (!all.budget.IsSet()) {
        CutTooltip(status, isLeadByte, out);
        return;
    }
    char spent[MONEY_CAPACITY];
    char budget[MONEY_CAPACITY];
    FormatCurrencyText(all.billingCost.value, locale, spent, sizeof spent);
    FormatCurrencyText(all.budget.amount, locale, budget, sizeof budget);
    StatusText full;
    full.Assign(status);
    char tail[2 * MONEY_CAPACITY + sizeof BUDGET_TIP];
    std::snprintf(tail, sizeof tail, BUDGET_TIP, spent, budget);
    full.Append(tail);
    CutTooltip(full.view(), isLeadByte, out);
}

void FormatBudgetAlert(const ConnectionStats& record, int alert, const ILocale& locale,
                       BalloonText& out) {
    char spent[MONEY_CAPACITY];
    char budget[MONEY_CAPACITY];
    FormatCurrencyText(record.billingCost.value, locale, spent, sizeof spent);
    FormatCurrencyText(record.budget.amount, locale, budget, sizeof budget);
    const std::string_view name = record.name.view();
    out.Format(BUDGET_ALERT_TEXT, int(name.size()), name.data(), spent,
               record.budget.alertPercents[alert], budget);
}

} // namespace mereth
