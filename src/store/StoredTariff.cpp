#include "store/StoredTariff.h"

#include <cmath>
#include <initializer_list>

namespace mereth {

namespace {

void CorrectAmount(float& amount) {
    if (!std::isfinite(amount) || !(amount > 0.0f)) {
        amount = 0.0f;
    }
}

void CorrectFlag(std::int32_t& flag) {
    flag = flag != 0 ? 1 : 0;
}

} // namespace

void ClampLoadedPeriodEnds(Tariff& tariff) {
    std::int32_t previous = 0;
    for (std::int32_t& end : tariff.periodEnd) {
        if (end < previous) {
            end = previous;
        } else if (end > MINUTES_PER_DAY) {
            end = MINUTES_PER_DAY;
        }
        previous = end;
    }
    tariff.periodEnd[PERIOD_COUNT - 1] = MINUTES_PER_DAY;
}

void CorrectLoadedTariff(Tariff& tariff) {
    ClampLoadedPeriodEnds(tariff);
    for (int p = 0; p < PERIOD_COUNT; ++p) {
        CorrectAmount(tariff.periodUnitCost[p]);
        CorrectAmount(tariff.periodConnectionFee[p]);
    }
    for (float* amount :
         {&tariff.saturdayUnitCost, &tariff.saturdayConnectionFee, &tariff.sundayUnitCost,
          &tariff.sundayConnectionFee, &tariff.minimumCallCharge}) {
        CorrectAmount(*amount);
    }
    CorrectFlag(tariff.chargeByTheUnit);
    CorrectFlag(tariff.chargesMinimumAmount);
}

void CorrectLoadedBudget(Budget& budget) {
    CorrectAmount(budget.amount);
    if (budget.billingDay < 1 || budget.billingDay > 31) {
        budget.billingDay = DEFAULT_BILLING_DAY;
    }
    for (int i = 0; i < ALERT_COUNT; ++i) {
        if (budget.alertPercents[i] < 1 || budget.alertPercents[i] > 1000) {
            budget.alertPercents[i] = DEFAULT_ALERT_PERCENTS[i];
        }
    }
}

} // namespace mereth
