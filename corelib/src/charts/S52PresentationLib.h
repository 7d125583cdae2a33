// The S-52 display settings as the renderer reads them (the values of the last Commit).
#pragma once

#include "KvLibNav6/KvCharts.h"

#include <array>

namespace kv {

struct TS52ViewerSettings {
    int32_t Category = S52DisplayCategory::Standard;
    uint32_t Flags = S52DisplayFlag::FourDepthShades | S52DisplayFlag::UseSCAMIN |
                     S52DisplayFlag::ShowSoundings | S52DisplayFlag::ShowText |
                     S52DisplayFlag::ShowTextImportant | S52DisplayFlag::ShowLandFeatures |
                     S52DisplayFlag::ShowBuoys | S52DisplayFlag::ShowBENCs;
    float WaterLevelOffsetM = 0.0f;
};

struct TS52Settings {
    int32_t BoundaryStyle = S52BoundaryStyle::Symbolized;
    int32_t SymbolStyle = S52SymbolStyle::Paper;
    int32_t ColorScheme = S52ColorScheme::Day;
    bool CheckFeatureTime = false;
    float DepthShallowM = 2.0f;
    float DepthSafeM = 5.0f;
    float DepthDeepM = 10.0f;
    int32_t MaxBuoyScamin = 0;  // 0 = no limit
    float TextScale = 1.0f;
    // Not owned; what date-dependent features are judged by (nullptr: today).
    INavPredictedTime *PredictedTime = nullptr;
    std::array<TS52ViewerSettings, 32> Viewers{};
};

// The committed settings of a library made by S52PresentationLibCreate; defaults for
// nullptr or a foreign object.
const TS52Settings &S52ActiveSettings(IS52PresentationLib *lib);
// The predicted time handed to the library (not owned); nullptr when none.
INavPredictedTime *S52PredictedTime(IS52PresentationLib *lib);

}  // namespace kv
