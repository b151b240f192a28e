#pragma once

// What the window, the tray tip and the alert balloons show of a budget.

#include "accounting/UsageModel.h"
#include "core/Clock.h"
#include "core/Locale.h"
#include "tariff/Budget.h"
#include "ui/StatusText.h"
#include "ui/TextBuffer.h"

#include <string_view>

namespace mereth {

// The record whose budget the window shows: the selected one's if set, else record 0's
// if set, else -1.
int ShownBudgetRecord(const CUsageModel& model);

// Where the record's spend is heading in the billing period that holds now.
Projection ProjectRecord(const ConnectionStats& record, const IClock& clock);

// The status text with " - spent of budget" after it, in the locale's currency format,
// cut to a tip's length on a character boundary. Record 0 without a budget: the status
// alone, cut the same way.
void FormatBudgetTip(std::string_view status, const ConnectionStats& all, const ILocale& locale,
                     LeadBytePredicate isLeadByte, TooltipText& out);

// The balloon of alert i of a record.
constexpr std::size_t BALLOON_TEXT_CAPACITY = 255; // the shell's szInfo, less its NUL
using BalloonText = CTextBuffer<BALLOON_TEXT_CAPACITY>;
void FormatBudgetAlert(const ConnectionStats& record, int alert, const ILocale& locale,
                       BalloonText& out);

} // namespace mereth
