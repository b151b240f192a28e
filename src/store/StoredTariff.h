#pragma once

#include "tariff/Budget.h"
#include "tariff/Tariff.h"

namespace mereth {

// After a tariff has been read from the store: the weekday period ends made
// non-decreasing within 0..1440 and end 5 set to 1440, so the periods cover the day
// in order whatever was stored. Everything else stays as read (a unit time below 1
// is the cost calculation's to cope with).
void ClampLoadedPeriodEnds(Tariff& tariff);

// The whole of that correction: the period ends as above, every amount that is
// negative, "-0" or not finite made 0 (the sheet never writes one, and its fields
// could not read it back), and both flags made 0 or 1 as the program writes them.
void CorrectLoadedTariff(Tariff& tariff);

// After a budget has been read: an amount that is negative or not finite is no budget,
// a billing day outside 1..31 is day 1 and an alert outside 1..1000 % its default.
void CorrectLoadedBudget(Budget& budget);

} // namespace mereth
