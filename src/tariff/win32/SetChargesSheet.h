#pragma once

// The Set Charges command: the tariff and budget of one record, and the holidays of
// all, edited on a modal property sheet.
//
//     const bool ok = RunSetChargesSheet(this, record.name, record.tariff, record.budget,
//                                        model.m_holidays, [&] { CloseRunningSegment(); });
//
// The sheet, captioned "Set Telephone Charges for " + the record's name, is owned by
// owner (null: the application's main window), disables it while it runs and counts in
// its OpenModalCount. It starts from a copy of the tariff. Only OK writes back: if the
// values differ from the tariff, beforeApply runs first (while the tariff is still the
// old one), then all the values the sheet shows are copied in; period 5's end is never
// touched. beforeApply is for the tariff alone: budget and holidays are copied back on OK
// without it. Cancel, or a sheet that cannot open, changes nothing.

#include "tariff/Budget.h"
#include "tariff/Tariff.h"

#include <functional>

namespace mereth {

class CWnd;

// True when the sheet closed with OK.
bool RunSetChargesSheet(CWnd* owner, const char* recordName, Tariff& tariff, Budget& budget,
                        CHolidays& holidays, const std::function<void()>& beforeApply);

} // namespace mereth
