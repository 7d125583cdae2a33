#include "navigation/PredictedTime.h"

#include "units/UnitsInternal.h"

#include <cmath>

namespace kv {

void TNavPredictedTime::SetMode(int32_t mode) {
    if (mode != NavPredictedTimeMode::RealTime && mode != NavPredictedTimeMode::RouteExplore)
        return;
    if (mode == FMode) return;
    FMode = mode;
    Changed();
}

TDateTime TNavPredictedTime::GetTime() {
    return TimeEngine().NowUTC() + double(FOffsetSec) / 86400.0;
}

void TNavPredictedTime::SetTimeOffset(float seconds) {
    if (!std::isfinite(seconds) || seconds == FOffsetSec) return;
    FOffsetSec = seconds;
    Changed();
}

void TNavPredictedTime::Changed() {
    if (FDispatcher) FDispatcher->Post(NavNotify::InvalidateViews, 0, 0, 0, 0, 0, 0, 0);
}

}  // namespace kv

INavPredictedTime *NavPredictedTimeCreate(INavMessageDispatcher *disp) {
    return new kv::TNavPredictedTime(disp);
}
