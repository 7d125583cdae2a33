// The chart viewers registered with the environment.
#include "shell/MarivoNavEnv.h"

#include "chartview/NavViewerControl.h"

#include <algorithm>

void TMarivoNavEnv::RegisterViewer(TS3DChartViewerControl *viewer) {
    ChartManager->RegisterViewer(viewer->GetViewerIndex());
    Viewers.push_back(viewer);
    std::vector<NavObject *> charts;
    for (int32_t i = 0; i < ChartManager->GetChartCount(); ++i) {
        IChart *chart = ChartManager->GetChart(i);
        if (chart && chart->IsVisibleIn(ChartModules)) charts.push_back(chart);
    }
    // What the viewer cannot take it reports itself; nothing to do about it here.
    int32_t err = 0;
    viewer->SetCharts(charts.data(), int32_t(charts.size()), err);
}

void TMarivoNavEnv::UnregisterViewer(TS3DChartViewerControl *viewer) {
    const auto it = std::find(Viewers.begin(), Viewers.end(), viewer);
    if (it == Viewers.end()) return;
    if (ChartManager) ChartManager->UnregisterViewer(viewer->GetViewerIndex());
    Viewers.erase(it);
}

void TMarivoNavEnv::AttachNotificationCenter(TNavViewerControl *viewer) {
    if (NotificationCenter) viewer->SetNotificationCenter(NotificationCenter);
}
