// The "Scale" page of the common view settings: how the vector scale is drawn, as time
// segments or as pixels per speed unit. It edits the working copy's scale-information
// object. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <cstdint>

class QLabel;
class QRadioButton;
class TNumberEdit;
struct TCommonViewSettings;

class TFrameSettingsCommonScale : public TFrameScaled {
    Q_OBJECT
public:
    explicit TFrameSettingsCommonScale(TCommonViewSettings &settings);

    // The page's name of a small-distance or speed unit code; empty for any other code.
    static QString UnitName(int32_t unit);
    // Pixels per speed unit and the stored metres per second per pixel.
    static float PixelScaleOf(int pixels, int32_t speedUnit);
    static int PixelsOf(float pixelScale, int32_t speedUnit);

    QRadioButton *RadioTimeScale, *RadioPixelScale;
    TNumberEdit *EditTimeScaleCount, *EditTimeScaleTime, *EditPixelScale;
    QLabel *LabelPixelScaleValue;

private:
    void LoadSettings();
    void EditExit(TNumberEdit *edit);

    TCommonViewSettings &FSettings;
    bool FLoading = false;
    // The values shown at load: an edit left with the same value changes nothing.
    int64_t FCount = 0, FMinutes = 0, FPixels = 0;
};
