#include "accounting/ConnectionStats.h"

namespace mereth {

void ConnectionStats::Rebase() {
    for (TimeFigure* f : {&connTime, &yearTime, &monthTime, &todayTime, &totalTime}) {
        f->base = f->value;
    }
    for (CostFigure* f : {&connCost, &yearCost, &monthCost, &todayCost, &totalCost, &billingCost}) {
        f->base = f->value;
    }
}

} // namespace mereth
