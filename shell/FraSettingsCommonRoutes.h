// The "Routes" page of the common view settings: the XTE bar of network routes and the leg
// colours of visible, started and selected routes, their background and width. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"

class QCheckBox;
class QLabel;
class QPushButton;
class TSettingsColorSwatch;
class TTrackBarEx;
struct TCommonViewSettings;

class TFrameSettingsCommonRoutes : public TFrameScaled {
    Q_OBJECT
public:
    explicit TFrameSettingsCommonRoutes(TCommonViewSettings &settings);

    QCheckBox *CheckBoxShowNetworkXTE;
    TSettingsColorSwatch *PaintBoxMotoring, *PaintBoxActiveMotoring, *PaintBoxEditMotoring,
        *PaintBoxLegBackground;
    QPushButton *ButtonLegBackgroundColor;
    TTrackBarEx *TrackBarLegLineWidth;
    QLabel *LabelLegLineWidthValue;

private:
    void LoadSettings();

    TCommonViewSettings &FSettings;
    bool FLoading = false;
};
