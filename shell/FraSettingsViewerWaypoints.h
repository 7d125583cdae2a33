// The "Waypoints" page of a chart viewer's settings: waypoints and their labels, bridges and
// locks, sector lights and the sector radius per light height. GUI thread.
#pragma once

#include "shell/SettingsViewerPage.h"

class QLabel;
class TTrackBarEx;

class TFrameSettingsViewerWaypoints : public TViewerSettingsPage {
    Q_OBJECT
public:
    explicit TFrameSettingsViewerWaypoints(TChartViewerSettings &settings);

    // "1.5 cm/h10m" for 15 mm, with the locale's decimal separator.
    static QString SectorWidthText(int millimetres);

    QCheckBox *CheckBoxWaypoints, *CheckBoxWaypointNameLabels, *CheckBoxWaypointBigScaleNameLabels,
        *CheckBoxStructures, *CheckBoxStructureNames, *CheckBoxSectors;
    TTrackBarEx *TrackBarMaxWidth;
    QLabel *LabelMaxWidth, *LabelMaxWidthValue;

protected:
    void LoadOther() override;
    void UpdateEnabled() override;
};
