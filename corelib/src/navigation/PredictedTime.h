// The planning time behind NavPredictedTimeCreate.
#pragma once

#include "KvLibNav6/KvNavEnv.h"

namespace kv {

// Mode and offset of the route-explore time. The offset is set by the viewer that explores
// a route (SetTimeOffset); every change is announced with NavNotify::InvalidateViews through
// the dispatcher given at creation, because every view draws the planning time.
class TNavPredictedTime final : public INavPredictedTime {
public:
    // disp is kept, not owned; nullptr: changes are not announced.
    explicit TNavPredictedTime(INavMessageDispatcher *disp) : FDispatcher(disp) {}

    float GetTimeOffset() override { return FOffsetSec; }
    int32_t GetMode() override { return FMode; }
    void SetMode(int32_t mode) override;
    TDateTime GetTime() override;
    // Seconds ahead of now; non-finite values are refused.
    void SetTimeOffset(float seconds);

private:
    void Changed();

    INavMessageDispatcher *FDispatcher;
    int32_t FMode = NavPredictedTimeMode::RealTime;
    float FOffsetSec = 0.0f;
};

}  // namespace kv
