// The "Routes" page of a chart viewer's settings: routes and their labels, the waterway
// network's display, and the passage times and plumb line of the current route. Each box
// changes only its own bit; bits set elsewhere stay. GUI thread.
#pragma once

#include "shell/SettingsViewerPage.h"

class QLabel;

class TFrameSettingsViewerRoutes : public TViewerSettingsPage {
    Q_OBJECT
public:
    explicit TFrameSettingsViewerRoutes(TChartViewerSettings &settings);

    QCheckBox *CheckBoxRoutes, *CheckBoxNameLabels, *CheckBoxPointNameLabels,
        *CheckBoxDistanceLabels, *CheckBoxWaterwayNetwork, *CheckBoxWWPassable,
        *CheckBoxWWDistanceMarks, *CheckBoxWWSectionNames, *CheckBoxExtraPassageTimeLabels,
        *CheckBoxExtraPlumbline;
    QLabel *LabelCurrentRoute;

protected:
    void BoxClicked(QCheckBox *box) override;
    void UpdateEnabled() override;
};
