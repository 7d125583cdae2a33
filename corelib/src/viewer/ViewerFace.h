// The IS3DChartViewer operations over TChartViewerCore, shared by the plain and the
// navigation viewer (Base is the interface the viewer implements).
#pragma once

#include "charts/ChartObjects.h"
#include "viewer/Viewer.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <exception>

namespace kv::render {

template <class Base>
class TChartViewerFace : public Base, protected TViewerHooks {
public:
    TChartViewerFace(WindowHandle wnd, int32_t viewerIndex, IS57ChartLoader *loader, IS3DChartDataCache *cache)
        : FCore(this, wnd, viewerIndex, loader, cache) {}

    void SetCharts(NavObject **charts, int32_t count, int32_t &err) override { FCore.SetCharts(charts, count, err); }
    void BeginUpdate() override { FCore.BeginUpdate(); }
    void ReleaseCharts() override { FCore.ReleaseCharts(); }
    void EndUpdate() override { FCore.EndUpdate(); }
    void SetChartDataCache(IS3DChartDataCache *cache) override { FCore.FCache = cache; }
    IGeodeticCalibration *GetCalibration() override { return FCore.GetCalibration(); }
    const TGeoPoint *GetCenterPosition() override { return &FCore.FCenterPos; }
    const TDouble2 *GetCenterPoint() override { return &FCore.FCenterPoint; }
    IRasterChart *GetFocusChart() override {
        const auto at = FCore.RasterChartsAt(FCore.View().CenterPixel());
        return at.empty() ? nullptr : at.front();
    }
    const TGeoPoint *GetMousePosition() override { return &FCore.FMousePos; }
    const TPoint *GetMousePoint() override { return &FCore.FMousePoint; }
    IChart *GetFocusS57Chart() override {
        const auto at = FCore.S57ChartsAt(FCore.View().CenterPixel());
        return at.empty() ? nullptr : at.front();
    }
    IChart *GetS57ChartAtMouse(int32_t index) override {
        const auto at = FCore.S57ChartsAt(FCore.MousePixel());
        return index >= 0 && size_t(index) < at.size() ? at[size_t(index)] : nullptr;
    }
    int32_t GetS57ChartAtMouseCount() override {
        return FCore.FMouseInside ? int32_t(FCore.S57ChartsAt(FCore.MousePixel()).size()) : 0;
    }
    int32_t GetViewerIndex() override { return FCore.FViewerIndex; }
    void UpdateView() override {
        FCore.RefreshCharts();
        FCore.Repaint();
    }
    void CancelChartLoading() override { FCore.CancelChartLoading(); }
    void SetWindow(WindowHandle wnd) override { FCore.SetWindow(wnd); }
    void SetInvalidateCallback(DataProc cb, void *data) override {
        FCore.FInvalidateCb = cb;
        FCore.FInvalidateData = data;
    }
    void SetRepaintCallback(DataProc cb, void *data) override {
        FCore.FRepaintCb = cb;
        FCore.FRepaintData = data;
    }
    void Render(IBmp32 *target) override { FCore.Render(target); }
    void SetViewRect(int32_t left, int32_t top, int32_t width, int32_t height) override {
        FCore.SetViewRect(left, top, width, height);
    }
    // A failure inside the mouse handling (a route or database refusing a change) comes
    // back as the error value the control raises.
    void MouseDown(int32_t button, uint32_t shift, int32_t x, int32_t y, int32_t &err) override {
        err = Guard([&] { FCore.MouseDown(button, shift, x, y); });
    }
    void MouseUp(int32_t button, uint32_t shift, int32_t x, int32_t y, int32_t &err) override {
        err = Guard([&] { FCore.MouseUp(button, shift, x, y); });
    }
    void MouseMove(uint32_t shift, int32_t x, int32_t y, int32_t &err) override {
        err = Guard([&] { FCore.MouseMove(shift, x, y); });
    }
    void MouseLeave() override { FCore.MouseLeave(); }
    void HandleChartLoaded(intptr_t value) override { FCore.HandleChartLoaded(value); }
    void SetChartSelection(const int32_t *items, int32_t count) override { FCore.SetChartSelection(items, count); }
    void SetS57ChartSelection(const TS57Sel *items, int32_t count, int32_t &err) override {
        FCore.SetS57ChartSelection(items, count, err);
    }
    void SetS52PresentationLib(IS52PresentationLib *lib) override {
        FCore.FS52 = lib;
        FCore.RefreshCharts();
    }
    void RefreshCharts() override { FCore.RefreshCharts(); }
    IRasterChart *GetChart(int32_t i) override {
        return i >= 0 && size_t(i) < FCore.FRaster.size() ? FCore.FRaster[size_t(i)] : nullptr;
    }
    int32_t GetChartCount() override { return int32_t(FCore.FRaster.size()); }
    IChart *GetS57Chart(int32_t i) override {
        return i >= 0 && size_t(i) < FCore.FCells.size() ? FCore.FCells[size_t(i)] : nullptr;
    }
    int32_t GetS57ChartCount() override { return int32_t(FCore.FCells.size()); }
    IRasterChart *GetViewChart(int32_t i) override {
        const auto v = FCore.ViewCharts();
        return i >= 0 && size_t(i) < v.size() ? v[size_t(i)] : nullptr;
    }
    int32_t GetViewChartCount() override { return int32_t(FCore.ViewCharts().size()); }
    IRasterChart *GetChartAtMouse(int32_t i) override {
        const auto at = FCore.RasterChartsAt(FCore.MousePixel());
        return i >= 0 && size_t(i) < at.size() ? at[size_t(i)] : nullptr;
    }
    int32_t GetChartAtMouseCount() override {
        return FCore.FMouseInside ? int32_t(FCore.RasterChartsAt(FCore.MousePixel()).size()) : 0;
    }
    IRasterChart *GetBackChart() override { return FCore.FBackChart; }
    void SetBackChart(IRasterChart *chart) override {
        FCore.FBackChart = chart;
        FCore.RefreshCharts();
    }
    IRasterChart *GetFrontChart() override { return FCore.FFrontChart; }
    void SetFrontChart(IRasterChart *chart) override {
        FCore.FFrontChart = chart;
        FCore.RefreshCharts();
    }
    bool GetShowChartBounds() override { return FCore.FShowChartBounds; }
    void SetShowChartBounds(bool on) override {
        FCore.FShowChartBounds = on;
        FCore.RefreshCharts();
    }
    bool GetS57BoundsOnly() override { return FCore.FS57BoundsOnly; }
    void SetS57BoundsOnly(bool on) override {
        FCore.FS57BoundsOnly = on;
        FCore.RefreshCharts();
    }
    bool GetHighlightChartAtMouse() override { return FCore.FHighlightChartAtMouse; }
    void SetHighlightChartAtMouse(bool on) override { FCore.FHighlightChartAtMouse = on; }
    bool GetOSMLayerEnabled() override { return FCore.FOSMLayerEnabled; }
    void SetOSMLayerEnabled(bool on) override { FCore.FOSMLayerEnabled = on; }
    void SetBackgroundMapOption(int32_t option) override { FCore.FBackgroundMapOption = option; }
    void SetChartColorFactors(const float *f) override {
        if (!f) return;
        for (size_t i = 0; i < 3; ++i) FCore.FColourFactors[i] = std::isfinite(f[i]) ? std::clamp(f[i], 0.0f, 4.0f) : 1.0f;
        FCore.FColourFactors[3] = std::isfinite(f[3]) ? std::clamp(f[3], 0.0f, 1.0f) : 0.0f;
        FCore.RefreshCharts();
    }
    bool GetWidthMonitorAuto() override { return FCore.FWidthMonitorAuto; }
    void SetWidthMonitorAuto(bool on) override { FCore.FWidthMonitorAuto = on; }
    int32_t GetWidthMonitorMM() override { return FCore.FWidthMonitorMM; }
    void SetWidthMonitorMM(int32_t mm) override { FCore.FWidthMonitorMM = std::max(0, mm); }
    void SetCalibration(IGeodeticCalibration *cal) override { FCore.SetCalibration(cal); }
    double GetScale() override { return FCore.GetScale(); }
    void Pan(int32_t dx, int32_t dy) override { FCore.Pan(dx, dy); }
    void ZoomAt(double factor, const TDouble2 *point) override {
        const QPointF p = point ? QPointF(point->X, point->Y) : FCore.View().CenterPixel();
        FCore.ZoomAt(factor, p);
    }
    void Zoom100At(const TGeoPoint *pos, const TDouble2 *point) override {
        if (!pos) return;
        const QPointF p = point ? QPointF(point->X, point->Y) : FCore.View().CenterPixel();
        FCore.Zoom100At(*pos, p);
    }
    void ZoomToChart(IRasterChart *chart) override { FCore.ZoomToChart(chart); }
    void ZoomToS57Chart(IChart *chart) override { FCore.ZoomToS57Chart(chart); }
    void ZoomToBackgroundMap() override { FCore.ZoomToBackgroundMap(); }
    void SetViewRotation(double angle) override { FCore.SetViewRotation(angle); }
    void SetCalibrationChangeHandler(DataProc cb, void *data) override {
        FCore.FCalChangeCb = cb;
        FCore.FCalChangeData = data;
    }
    void PrintTile(IGeodeticCalibration *tileCal, IBmp32 *bitmap, double resolution) override {
        FCore.PrintTile(tileCal, bitmap, resolution);
    }

protected:
    template <class F>
    static int32_t Guard(F &&f) {
        try {
            f();
            return KvErr::Ok;
        } catch (...) {
            return KvErr::Failed;
        }
    }

    TChartViewerCore FCore;
};

}  // namespace kv::render
