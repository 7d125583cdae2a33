// The "Tracks" page of a chart viewer's settings: visible tracks, the current track and
// track name labels. GUI thread.
#pragma once

#include "shell/SettingsViewerPage.h"

class TFrameSettingsViewerTracks : public TViewerSettingsPage {
    Q_OBJECT
public:
    explicit TFrameSettingsViewerTracks(TChartViewerSettings &settings);

    QCheckBox *CheckBoxTracks, *CheckBoxCurrentTrack, *CheckBoxTrackNameLabels;

protected:
    void UpdateEnabled() override;
};
