// The scale-bar settings object: a holder of the values the viewer frame stores and the
// renderer reads.
#include "KvLibNav6/KvNavEnv.h"

#include <cmath>

namespace {

class TNavScaleInfo final : public INavScaleInfo {
public:
    float GetDepth() override { return FDepth; }
    int32_t GetScaleMode() override { return FMode; }
    float GetPixelScale() override { return FPixelScale; }
    bool GetCurrent10x() override { return FCurrent10x; }
    int32_t GetTimeCount() override { return FTimeCount; }
    int32_t GetTimeLength() override { return FTimeLength; }
    float GetWaves() override { return FWaves; }

    // Non-finite values are refused: the renderer scales by them.
    void SetDepth(float depth) override { if (std::isfinite(depth)) FDepth = depth; }
    void SetWaves(float waves) override { if (std::isfinite(waves)) FWaves = waves; }
    void SetScaleMode(int32_t mode) override {
        if (mode == NavScaleMode::Time || mode == NavScaleMode::Pixel) FMode = mode;
    }
    void SetPixelScale(float metresPerSecondPerPixel) override {
        if (std::isfinite(metresPerSecondPerPixel)) FPixelScale = metresPerSecondPerPixel;
    }
    void SetCurrent10x(bool on) override { FCurrent10x = on; }
    void SetTimeCount(int32_t count) override { FTimeCount = count; }
    void SetTimeLength(int32_t seconds) override { FTimeLength = seconds; }

private:
    // The viewer's defaults for a fresh configuration.
    float FDepth = 25.0f;
    float FWaves = 0.2f;
    int32_t FMode = NavScaleMode::Pixel;
    float FPixelScale = 0.17148148f;  // a third of a knot, m/s
    bool FCurrent10x = true;
    int32_t FTimeCount = 5;
    int32_t FTimeLength = 120;
};

}  // namespace

INavScaleInfo *NavScaleInfoCreate() {
    return new TNavScaleInfo();
}
