// The "GPS cursor" page of a chart viewer's settings: course line, IMO and distance circles
// (automatic or custom spacing in the large-distance unit), scaled outline, bearing line to
// the mouse and the vectors. GUI thread.
#pragma once

#include "shell/SettingsViewerPage.h"

class QLabel;
class QRadioButton;
class TMarivoNavEnv;
class TNumberEdit;

class TFrameSettingsViewerGPS : public TViewerSettingsPage {
    Q_OBJECT
public:
    TFrameSettingsViewerGPS(TChartViewerSettings &settings, TMarivoNavEnv &env);

    QCheckBox *CheckBoxCourseLine, *CheckBoxIMOCircles, *CheckBoxDistanceCircles,
        *CheckBoxScaledOutline, *CheckBoxBearingLine, *CheckBoxVectors, *CheckBoxWindVectors,
        *CheckBoxLaylines, *CheckBoxRelWindAsVane;
    QRadioButton *RadioDistanceCirclesAutomatic, *RadioDistanceCirclesCustom;
    TNumberEdit *EditDistanceCircleCount, *EditDistanceCircleDistance;
    QLabel *LabelDistanceCircleCount, *LabelDistanceCircleDistance, *LabelDistanceUnit;

protected:
    void LoadOther() override;
    void UpdateEnabled() override;

private:
    void DistanceExit();

    int32_t FLargeUnit;
    // The spacing as shown at load or last taken over: leaving the edit unchanged keeps
    // the metres exactly.
    long double FShownDistance = 0;
};
