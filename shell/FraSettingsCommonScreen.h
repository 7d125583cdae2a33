// The "Screen" page of the common view settings: cursor size, night view intensity,
// smart-label transparency and the notification filters. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"

class QCheckBox;
class QLabel;
class TMarivoNavEnv;
class TTrackBarEx;
struct TCommonViewSettings;

class TFrameSettingsCommonScreen : public TFrameScaled {
    Q_OBJECT
public:
    // env: without a notification centre the notification section is hidden.
    TFrameSettingsCommonScreen(TCommonViewSettings &settings, TMarivoNavEnv &env);

    // Night view position 0..60 as the stored intensity (at least 0.03).
    static float NightscreenIntensityOf(int position);
    // Opacity 0..255 and the track bar's transparency 0..100.
    static int TransparencyPosition(int opacity);
    static int OpacityOf(int position);

    TTrackBarEx *TrackBarCursorScale, *TrackBarNightscreenIntensity,
        *TrackBarSmartBackgroundTransparency;
    QLabel *PanelNightscreenIntensityValue, *PanelSmartBackgroundTransparencyValue;
    QLabel *LabelNotifications;
    QWidget *PanelNotifications;
    QCheckBox *CheckBoxShowNotificationsAlarm, *CheckBoxShowNotificationsOther;

private:
    void BuildPage();
    void LoadSettings();
    void UpdateValueTexts();

    TCommonViewSettings &FSettings;
    bool FLoading = false;
};
