// The window control the core library's chart viewer draws in: the viewer renders into a
// client-sized 32-bit offscreen bitmap that paintEvent puts on screen, and the control
// hands it the mouse, the size and the two messages the viewer posts to it (its window is
// this widget). The control owns the core viewer and the bitmap. Every operation below the
// set-up forwards one call to the core viewer; before StartViewer they do nothing and
// return zero values. GUI thread only.
//
// The chart-viewer frame creates the navigation subclass (TNavViewerControl); the
// environment keeps references to registered controls and calls the virtual operations.
#pragma once

#include "base/kvlib/KvLib.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvViewer.h>

#include <QColor>
#include <QWidget>
#include <cstdint>
#include <functional>

class IChart;
class QPaintDevice;

// Millimetres on a device and its pixels at its logical resolution; rounding is to the
// nearest with ties to even.
int32_t MMToPixelsX(QPaintDevice *device, float mm);
int32_t MMToPixelsY(QPaintDevice *device, float mm);
float PixelsToMMX(QPaintDevice *device, int32_t pixels);
float PixelsToMMY(QPaintDevice *device, int32_t pixels);

// Qt's buttons and modifiers as the core viewer's ViewerShiftState bits.
uint32_t ViewerShiftOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

class TS3DChartViewerControl : public QWidget {
public:
    explicit TS3DChartViewerControl(QWidget *parent = nullptr);
    ~TS3DChartViewerControl() override;

    // Creates the core viewer (CreateViewer), hooks its invalidate and repaint requests to
    // update() and repaint() and makes the offscreen bitmap. Every object is kept, not
    // owned. Raises when the core viewer cannot be made. viewerIndex 0..31.
    void StartViewer(IS3D *engine, int32_t viewerIndex, IS3DTileManager *tiles,
                     IS3DOSMTileManager *backgroundTiles, IS57ChartLoader *loader,
                     IS3DChartDataCache *cache);
    bool Started() const { return FViewer != nullptr; }
    // The bitmap the viewer renders into; OnPaint may draw on it. nullptr before StartViewer.
    IBmp32 *Bitmap() const { return FBitmap.get(); }

    // Painted while no viewer is started.
    QColor Color{0xC0, 0xC0, 0xC0};

    // Events; an unassigned one is skipped. Points are in this widget's pixels.
    std::function<void()> OnMouseLeave;
    // keys: ViewerShiftState bits; delta: the wheel's vertical angle (120 a notch).
    std::function<void(uint32_t keys, int32_t x, int32_t y, int32_t delta)> OnMouseWheel;
    // After the viewer rendered, before the bitmap reaches the screen.
    std::function<void()> OnPaint;
    std::function<void(int32_t value)> OnChartLoaded;
    std::function<void(const TRect &printRect, IGeodeticCalibration *cal)> OnPrintDecorations;
    std::function<void(IBmp32 *bitmap, IGeodeticCalibration *cal, bool &abort)> OnPrintProgress;
    // The owner's handlers, called after the viewer has had the input. button:
    // ViewerMouseButton; shift: ViewerShiftState.
    std::function<void(int32_t button, uint32_t shift, int32_t x, int32_t y)> OnMouseDown;
    std::function<void(uint32_t shift, int32_t x, int32_t y)> OnMouseMove;
    std::function<void(int32_t button, uint32_t shift, int32_t x, int32_t y)> OnMouseUp;
    std::function<void()> OnDblClick;
    std::function<void(int key, Qt::KeyboardModifiers modifiers)> OnKeyDown;
    std::function<void(int key, Qt::KeyboardModifiers modifiers)> OnKeyUp;
    // After a real size change reached the viewer and the bitmap.
    std::function<void()> OnResize;

    // ---- forwarded to the core viewer ---------------------------------------------------
    virtual void SetCharts(NavObject **charts, int32_t count, int32_t &err) {
        if (FViewer) FViewer->SetCharts(charts, count, err);
    }
    virtual void BeginUpdate() { if (FViewer) FViewer->BeginUpdate(); }
    virtual void ReleaseCharts() { if (FViewer) FViewer->ReleaseCharts(); }
    virtual void EndUpdate() { if (FViewer) FViewer->EndUpdate(); }
    virtual void SetChartDataCache(IS3DChartDataCache *cache) {
        if (FViewer) FViewer->SetChartDataCache(cache);
    }
    virtual IGeodeticCalibration *GetCalibration() {
        return FViewer ? FViewer->GetCalibration() : nullptr;
    }
    const TGeoPoint *GetCenterPosition() {
        return FViewer ? FViewer->GetCenterPosition() : nullptr;
    }
    const TDouble2 *GetCenterPoint() { return FViewer ? FViewer->GetCenterPoint() : nullptr; }
    IRasterChart *GetFocusChart() { return FViewer ? FViewer->GetFocusChart() : nullptr; }
    const TGeoPoint *GetMousePosition() { return FViewer ? FViewer->GetMousePosition() : nullptr; }
    const TPoint *GetMousePoint() { return FViewer ? FViewer->GetMousePoint() : nullptr; }
    IChart *GetFocusS57Chart() { return FViewer ? FViewer->GetFocusS57Chart() : nullptr; }
    IChart *GetS57ChartAtMouse(int32_t index) {
        return FViewer ? FViewer->GetS57ChartAtMouse(index) : nullptr;
    }
    int32_t GetS57ChartAtMouseCount() {
        return FViewer ? FViewer->GetS57ChartAtMouseCount() : int32_t{};
    }
    virtual int32_t GetViewerIndex() { return FViewer ? FViewer->GetViewerIndex() : int32_t{}; }
    void UpdateView() { if (FViewer) FViewer->UpdateView(); }
    virtual void CancelChartLoading() { if (FViewer) FViewer->CancelChartLoading(); }
    void SetChartSelection(const int32_t *items, int32_t count) {
        if (FViewer) FViewer->SetChartSelection(items, count);
    }
    void SetS57ChartSelection(const TS57Sel *items, int32_t count, int32_t &err) {
        if (FViewer) FViewer->SetS57ChartSelection(items, count, err);
    }
    void SetS52PresentationLib(IS52PresentationLib *lib) {
        if (FViewer) FViewer->SetS52PresentationLib(lib);
    }
    void RefreshCharts() { if (FViewer) FViewer->RefreshCharts(); }
    IRasterChart *GetChart(int32_t index) { return FViewer ? FViewer->GetChart(index) : nullptr; }
    int32_t GetChartCount() { return FViewer ? FViewer->GetChartCount() : int32_t{}; }
    IChart *GetS57Chart(int32_t index) { return FViewer ? FViewer->GetS57Chart(index) : nullptr; }
    int32_t GetS57ChartCount() { return FViewer ? FViewer->GetS57ChartCount() : int32_t{}; }
    IRasterChart *GetViewChart(int32_t index) {
        return FViewer ? FViewer->GetViewChart(index) : nullptr;
    }
    int32_t GetViewChartCount() { return FViewer ? FViewer->GetViewChartCount() : int32_t{}; }
    IRasterChart *GetChartAtMouse(int32_t index) {
        return FViewer ? FViewer->GetChartAtMouse(index) : nullptr;
    }
    int32_t GetChartAtMouseCount() { return FViewer ? FViewer->GetChartAtMouseCount() : int32_t{}; }
    IRasterChart *GetBackChart() { return FViewer ? FViewer->GetBackChart() : nullptr; }
    void SetBackChart(IRasterChart *chart) { if (FViewer) FViewer->SetBackChart(chart); }
    IRasterChart *GetFrontChart() { return FViewer ? FViewer->GetFrontChart() : nullptr; }
    void SetFrontChart(IRasterChart *chart) { if (FViewer) FViewer->SetFrontChart(chart); }
    bool GetShowChartBounds() { return FViewer ? FViewer->GetShowChartBounds() : bool{}; }
    void SetShowChartBounds(bool on) { if (FViewer) FViewer->SetShowChartBounds(on); }
    bool GetS57BoundsOnly() { return FViewer ? FViewer->GetS57BoundsOnly() : bool{}; }
    void SetS57BoundsOnly(bool on) { if (FViewer) FViewer->SetS57BoundsOnly(on); }
    bool GetHighlightChartAtMouse() {
        return FViewer ? FViewer->GetHighlightChartAtMouse() : bool{};
    }
    void SetHighlightChartAtMouse(bool on) { if (FViewer) FViewer->SetHighlightChartAtMouse(on); }
    bool GetOSMLayerEnabled() { return FViewer ? FViewer->GetOSMLayerEnabled() : bool{}; }
    void SetOSMLayerEnabled(bool on) { if (FViewer) FViewer->SetOSMLayerEnabled(on); }
    void SetBackgroundMapOption(int32_t option) {
        if (FViewer) FViewer->SetBackgroundMapOption(option);
    }
    void SetChartColorFactors(const float *factors) {
        if (FViewer) FViewer->SetChartColorFactors(factors);
    }
    bool GetWidthMonitorAuto() { return FViewer ? FViewer->GetWidthMonitorAuto() : bool{}; }
    void SetWidthMonitorAuto(bool on) { if (FViewer) FViewer->SetWidthMonitorAuto(on); }
    int32_t GetWidthMonitorMM() { return FViewer ? FViewer->GetWidthMonitorMM() : int32_t{}; }
    void SetWidthMonitorMM(int32_t mm) { if (FViewer) FViewer->SetWidthMonitorMM(mm); }
    void SetCalibration(IGeodeticCalibration *cal) { if (FViewer) FViewer->SetCalibration(cal); }
    double GetScale() { return FViewer ? FViewer->GetScale() : double{}; }
    void Pan(int32_t dx, int32_t dy) { if (FViewer) FViewer->Pan(dx, dy); }
    void ZoomAt(double factor, const TDouble2 *point) {
        if (FViewer) FViewer->ZoomAt(factor, point);
    }
    void Zoom100At(const TGeoPoint *pos, const TDouble2 *point) {
        if (FViewer) FViewer->Zoom100At(pos, point);
    }
    void ZoomToChart(IRasterChart *chart) { if (FViewer) FViewer->ZoomToChart(chart); }
    void ZoomToS57Chart(IChart *chart) { if (FViewer) FViewer->ZoomToS57Chart(chart); }
    void ZoomToBackgroundMap() { if (FViewer) FViewer->ZoomToBackgroundMap(); }
    void SetViewRotation(double angle) { if (FViewer) FViewer->SetViewRotation(angle); }
    void SetCalibrationChangeHandler(DataProc cb, void *data) {
        if (FViewer) FViewer->SetCalibrationChangeHandler(cb, data);
    }
    void PrintTile(IGeodeticCalibration *tileCal, IBmp32 *bitmap, double resolution) {
        if (FViewer) FViewer->PrintTile(tileCal, bitmap, resolution);
    }

protected:
    // Makes the core viewer; window is this widget, the receiver of the posted messages.
    virtual IS3DChartViewer *CreateViewer(IS3D *engine, int32_t viewerIndex,
                                          IS3DTileManager *tiles,
                                          IS3DOSMTileManager *backgroundTiles,
                                          IS57ChartLoader *loader, IS3DChartDataCache *cache);
    virtual void PrintDecorations(const TRect &printRect, IGeodeticCalibration *cal);
    virtual void PrintProgress(IBmp32 *bitmap, IGeodeticCalibration *cal, bool &abort);
    // After a real size change reached the viewer and the bitmap, before OnResize.
    virtual void Resized() {}
    // The three mouse calls into the core viewer; the error value they return.
    enum class TMouseCall { Down, Move, Up };
    virtual int32_t ViewerMouse(TMouseCall call, int32_t button, uint32_t shift, int32_t x,
                                int32_t y);

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

    TNavPtr<IS3DChartViewer> FViewer;

private:
    void ApplySize();
    // A failed mouse call is reported once and ends the gesture: the viewer gets the
    // button up, and the rest of the gesture does not reach it.
    void Forward(TMouseCall call, int32_t button, uint32_t shift, int32_t x, int32_t y);
    void HandleChartLoadedMessage(intptr_t value);
    static void InvalidateCallback(void *data);
    static void RepaintCallback(void *data);

    TNavPtr<IBmp32> FBitmap;
    QSize FViewSize;
    bool FGestureBroken = false;
};
