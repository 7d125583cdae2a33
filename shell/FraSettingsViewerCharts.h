// The "Charts" page of a chart viewer's settings: chart bounds, the chart under the mouse,
// compass needle, scale bar and value, and the navigation information box. GUI thread.
#pragma once

#include "shell/SettingsViewerPage.h"

class TFrameSettingsViewerCharts : public TViewerSettingsPage {
    Q_OBJECT
public:
    explicit TFrameSettingsViewerCharts(TChartViewerSettings &settings);

    QCheckBox *CheckBoxAllChartBounds, *CheckBoxHighlightChart, *CheckBoxCompassNeedle,
        *CheckBoxScaleBar, *CheckBoxScaleValue, *CheckBoxNavInfo;

protected:
    void UpdateEnabled() override;
};
