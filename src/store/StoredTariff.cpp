#include "store/StoredTariff.h"

namespace mereth {

void ClampLoadedPeriodEnds(Tariff& tariff) {
    std::int32_t previous = 0;
    for (std::int32_t& end : tariff.periodEnd) {
        if (end < previous) {
            end = previous;
        } else if (end > kMinutesPerDay) {
            end = kMinutesPerDay;
        }
        previous = end;
    }
    tariff.periodEnd[kPeriodCount - 1] = kMinutesPerDay;
}

} // namespace mereth
