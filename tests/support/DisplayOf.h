#pragma once

#include "ui/DisplaySettings.h"

namespace mereth::test {

// The display settings of the indicator with a control id.
template <typename Settings> auto& DisplayOf(Settings& settings, int controlId) {
    return settings.indicators[IndicatorRowOf(controlId)];
}

} // namespace mereth::test
