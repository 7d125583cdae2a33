// The chart-viewer controls as the navigation environment sees them: TS3DChartViewerControl
// hosts the core library's chart viewer, TNavViewerControl the navigation viewer built on
// it. Each operation hands one call to the core viewer. The viewer frame makes and owns the
// controls and registers them with the environment, which keeps references only. GUI
// thread.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <cstdint>

class IGeodeticCalibration;
class INavNotificationCenter;
class IS3DChartDataCache;

class TS3DChartViewerControl {
public:
    virtual ~TS3DChartViewerControl() = default;

    // 0..31: the index under which the chart manager and the S-52 library keep this
    // viewer's chart selection.
    virtual int32_t GetViewerIndex() = 0;
    // The charts the viewer may show (kept, not owned by the viewer).
    virtual void SetCharts(NavObject **charts, int32_t count, int32_t &err) = 0;
    // A batch of chart changes; EndUpdate lets the viewer redraw.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    // Drops every chart reference before the chart manager goes.
    virtual void ReleaseCharts() = 0;
    virtual void CancelChartLoading() = 0;
    virtual void SetChartDataCache(IS3DChartDataCache *cache) = 0;
    // The current view's calibration, owned by the viewer; nullptr while there is no view.
    virtual IGeodeticCalibration *GetCalibration() = 0;
};

class TNavViewerControl : public TS3DChartViewerControl {
public:
    // The environment's notification centre, drawn by the viewer (kept, not owned).
    virtual void SetNotificationCenter(INavNotificationCenter *centre) = 0;
};
