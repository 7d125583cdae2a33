// The chart viewer behind IS3DChartViewer and INavViewer: view state, chart lists and
// selection, background loading of S-57 cells, rendering into the control's bitmap, hit
// tests and the S-57 pick. INavViewer adds its object layers through TViewerHooks.
//
// GUI thread only, except the loader jobs, which touch nothing but their own cell data and
// hand it back through a queued call.
#pragma once

#include "viewer/RenderRaster.h"
#include "viewer/RenderS57.h"
#include "viewer/S57Object.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvViewer.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <map>
#include <memory>
#include <optional>
#include <set>

class QPainter;

namespace kv::charts {
class TRasterChart;
class TChart;
}  // namespace kv::charts

namespace kv::render {

// What a derived viewer adds to drawing and mouse handling. The mouse hooks return true
// when they consumed the event (no panning then).
class TViewerHooks {
public:
    virtual ~TViewerHooks() = default;
    virtual void DrawOverlays(QPainter &, const TViewState &) {}
    virtual bool HookMouseDown(int32_t, uint32_t, const QPointF &) { return false; }
    virtual bool HookMouseMove(uint32_t, const QPointF &) { return false; }
    virtual bool HookMouseUp(int32_t, uint32_t, const QPointF &, bool /*moved*/) { return false; }
    virtual void HookViewChanged() {}
};

struct TS57Drawn {
    charts::TChart *Chart = nullptr;
    TS57CellPtr Data;
};

class TChartViewerCore {
public:
    TChartViewerCore(TViewerHooks *hooks, WindowHandle wnd, int32_t viewerIndex,
                     IS57ChartLoader *loader, IS3DChartDataCache *cache);
    ~TChartViewerCore();

    // ---- charts ----
    void SetCharts(NavObject **charts, int32_t count, int32_t &err);
    void BeginUpdate() { ++FUpdating; }
    void EndUpdate();
    void ReleaseCharts();
    void SetChartSelection(const int32_t *items, int32_t count);
    void SetS57ChartSelection(const TS57Sel *items, int32_t count, int32_t &err);
    void RefreshCharts();
    void CancelChartLoading();
    void HandleChartLoaded(intptr_t value);
    std::vector<charts::TRasterChart *> FRaster;
    std::vector<charts::TChart *> FCells;
    IRasterChart *FBackChart = nullptr, *FFrontChart = nullptr;
    bool FShowChartBounds = false, FS57BoundsOnly = false, FHighlightChartAtMouse = false;
    bool FOSMLayerEnabled = false;
    // Sector lights: shown at all, and millimetres of arc radius per 10 m of light height
    // (0: one size for every light).
    bool FLightSectors = true;
    int32_t FSectorRadiusMMPer10M = 0;
    int32_t FBackgroundMapOption = 0;
    std::array<float, 4> FColourFactors{1.0f, 1.0f, 1.0f, 0.0f};
    IS52PresentationLib *FS52 = nullptr;
    IS3DChartDataCache *FCache = nullptr;
    int32_t FDepthUnit = 0;
    uint32_t FClearColour = 0xFFD4DADC;
    // Raster charts that make up the picture, in drawing order (last on top).
    std::vector<IRasterChart *> ViewCharts() const;
    std::vector<IRasterChart *> RasterChartsAt(const QPointF &pixel) const;
    std::vector<IChart *> S57ChartsAt(const QPointF &pixel) const;
    std::vector<charts::TChart *> ShownCells() const;
    bool RasterShown(charts::TRasterChart *c) const;
    bool CellShown(charts::TChart *c) const;
    // Messages of charts that failed to load or draw, by file; each also went into the chart
    // manager's problem list. Cleared by a new chart list.
    std::map<QString, QString> FChartErrors;

    // ---- view ----
    void SetViewRect(int32_t left, int32_t top, int32_t width, int32_t height);
    IGeodeticCalibration *GetCalibration();
    void SetCalibration(IGeodeticCalibration *cal);
    double GetScale() const;
    void Pan(int32_t dx, int32_t dy);
    void ZoomAt(double factor, const QPointF &point);
    void Zoom100At(const TGeoPoint &pos, const QPointF &point);
    void ZoomToChart(IRasterChart *chart);
    void ZoomToS57Chart(IChart *chart);
    void ZoomToBackgroundMap();
    void ZoomToMercator(const QRectF &box);
    void SetViewRotation(double angle);
    void SetView(const TViewState &view);
    const TViewState &View() const { return FView; }
    bool FHasView = false;
    bool FWidthMonitorAuto = true;
    int32_t FWidthMonitorMM = 0;
    TGeoPoint FCenterPos;
    TDouble2 FCenterPoint;
    // Metres of screen per pixel (true-scale display).
    double ScreenMetresPerPixel() const;

    // ---- mouse ----
    void MouseDown(int32_t button, uint32_t shift, int32_t x, int32_t y);
    void MouseMove(uint32_t shift, int32_t x, int32_t y);
    void MouseUp(int32_t button, uint32_t shift, int32_t x, int32_t y);
    void MouseLeave();
    bool FMouseInside = false;
    TPoint FMousePoint;
    TGeoPoint FMousePos{GeoPointNoPosition, GeoPointNoPosition};
    bool FDragging = false, FDragMoved = false;
    QPointF FDragLast;
    QPointF MousePixel() const { return QPointF(FMousePoint.X + 0.5, FMousePoint.Y + 0.5); }

    // ---- drawing ----
    void Render(IBmp32 *target);
    // paperMetresPerPixel: the size of a pixel on paper for a print, which sets the scale
    // the S-57 display filters see; 0 for the screen.
    void RenderCharts(QImage &image, const TViewState &view, const QRect &clip, double paperMetresPerPixel = 0);
    void PrintTile(IGeodeticCalibration *tileCal, IBmp32 *bitmap, double resolution);
    TS57DrawParams S57Params(const TViewState &view, double paperMetresPerPixel = 0) const;
    void Invalidate();
    void Repaint();
    void ViewChanged();
    DataProc FInvalidateCb = nullptr, FRepaintCb = nullptr, FCalChangeCb = nullptr;
    void *FInvalidateData = nullptr, *FRepaintData = nullptr, *FCalChangeData = nullptr;
    void SetWindow(WindowHandle wnd) { FWindow = wnd; }
    void PostToWindow(uint32_t message);

    // ---- S-57 pick ----
    // The feature at the pixel in the topmost cell; nullptr when none.
    TS57Object *PickS57(const QPointF &pixel);
    void ClearS57Pick();
    std::unique_ptr<TS57Object> FPick;
    charts::TChart *FPickChart = nullptr;

    int32_t FViewerIndex;
    IS57ChartLoader *FLoader;

private:
    void ApplyPending();
    void RequestLoads(const TViewState &view);
    void LoadCellsNow(const TViewState &view);
    void OnCellLoaded(const QString &file, TS57CellPtr cell, const QString &error, int generation);
    QRectF CellBox(charts::TChart *c) const;
    QRectF RasterBox(charts::TRasterChart *c) const;
    uint64_t SettingsKey() const;

    TViewerHooks *FHooks;
    WindowHandle FWindow;
    int FUpdating = 0;
    std::optional<std::vector<NavObject *>> FPendingCharts;
    std::optional<std::set<int32_t>> FRasterSelection;
    std::map<int32_t, TS57Sel> FS57Selection;
    bool FHasS57Selection = false;
    TViewState FView;
    std::unique_ptr<IGeodeticCalibration, void (*)(IGeodeticCalibration *)> FCalibration;
    bool FCalibrationStale = true;
    std::map<QString, TS57CellPtr> FLoaded;
    std::set<QString> FLoading;
    int FGeneration = 0;
    QThreadPool FPool;
    std::unique_ptr<QObject> FReceiver;
    // The charts as last drawn, reused by a pan (only the uncovered strips are drawn).
    QImage FLayer;
    TViewState FLayerView;
    bool FLayerValid = false;
    uint64_t FLayerKey = 0;
};

}  // namespace kv::render

namespace kv::render {
// The view a calibration describes (centre, Mercator resolution, rotation) for a bitmap of
// width × height; false when the calibration is unusable.
bool ViewFromCalibrationOf(IGeodeticCalibration *cal, int width, int height, TViewState &out);
}  // namespace kv::render
