#include "store/StoredTariff.h"

namespace mereth {

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

} // namespace mereth
