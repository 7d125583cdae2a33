#include "chartview/S3DChartViewerControl.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace {

int32_t RoundPixels(double dpi, float mm) {
    // nearbyint rounds half to even, as the program's Round does.
    return int32_t(std::nearbyint(dpi * double(mm) / 25.4));
}

int32_t ViewerButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton: return ViewerMouseButton::Right;
    case Qt::MiddleButton: return ViewerMouseButton::Middle;
    default: return ViewerMouseButton::Left;
    }
}

}  // namespace

int32_t MMToPixelsX(QPaintDevice *device, float mm) {
    return RoundPixels(device->logicalDpiX(), mm);
}

int32_t MMToPixelsY(QPaintDevice *device, float mm) {
    return RoundPixels(device->logicalDpiY(), mm);
}

float PixelsToMMX(QPaintDevice *device, int32_t pixels) {
    return float(double(pixels) / device->logicalDpiX() * 25.4);
}

float PixelsToMMY(QPaintDevice *device, int32_t pixels) {
    return float(double(pixels) / device->logicalDpiY() * 25.4);
}

uint32_t ViewerShiftOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    uint32_t shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= ViewerShiftState::Shift;
    if (modifiers & Qt::AltModifier) shift |= ViewerShiftState::Alt;
    if (modifiers & Qt::ControlModifier) shift |= ViewerShiftState::Ctrl;
    if (buttons & Qt::LeftButton) shift |= ViewerShiftState::LeftButton;
    if (buttons & Qt::RightButton) shift |= ViewerShiftState::RightButton;
    if (buttons & Qt::MiddleButton) shift |= ViewerShiftState::MiddleButton;
    return shift;
}

TS3DChartViewerControl::TS3DChartViewerControl(QWidget *parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The bitmap covers every pixel: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TS3DChartViewerControl::~TS3DChartViewerControl() {
    // The viewer may still call back while it stops its loading: detach first.
    if (FViewer) {
        FViewer->SetInvalidateCallback(nullptr, nullptr);
        FViewer->SetRepaintCallback(nullptr, nullptr);
        FViewer->SetWindow(nullptr);
    }
    FViewer.reset();
    FBitmap.reset();
}

void TS3DChartViewerControl::StartViewer(IS3D *engine, int32_t viewerIndex,
                                         IS3DTileManager *tiles,
                                         IS3DOSMTileManager *backgroundTiles,
                                         IS57ChartLoader *loader, IS3DChartDataCache *cache) {
    TNavPtr<IS3DChartViewer> viewer(
        CreateViewer(engine, viewerIndex, tiles, backgroundTiles, loader, cache));
    if (!viewer) throw Exception(QStringLiteral("The chart viewer could not be created."));
    TNavPtr<IBmp32> bitmap(Bmp32Create(width(), height(), 1));
    if (!bitmap) throw Exception(QStringLiteral("The chart viewer's bitmap could not be created."));
    viewer->SetInvalidateCallback(InvalidateCallback, this);
    viewer->SetRepaintCallback(RepaintCallback, this);
    FViewer = std::move(viewer);
    FBitmap = std::move(bitmap);
    FViewSize = QSize();
    ApplySize();
}

IS3DChartViewer *TS3DChartViewerControl::CreateViewer(IS3D *engine, int32_t viewerIndex,
                                                      IS3DTileManager *tiles,
                                                      IS3DOSMTileManager *backgroundTiles,
                                                      IS57ChartLoader *loader,
                                                      IS3DChartDataCache *cache) {
    return S3DChartViewerCreate(engine, static_cast<QObject *>(this), this, viewerIndex, tiles,
                                backgroundTiles, loader, cache);
}

void TS3DChartViewerControl::PrintDecorations(const TRect &printRect, IGeodeticCalibration *cal) {
    if (OnPrintDecorations) OnPrintDecorations(printRect, cal);
}

void TS3DChartViewerControl::PrintProgress(IBmp32 *bitmap, IGeodeticCalibration *cal,
                                           bool &abort) {
    if (OnPrintProgress) OnPrintProgress(bitmap, cal, abort);
}

void TS3DChartViewerControl::InvalidateCallback(void *data) {
    static_cast<TS3DChartViewerControl *>(data)->update();
}

void TS3DChartViewerControl::RepaintCallback(void *data) {
    static_cast<TS3DChartViewerControl *>(data)->repaint();
}

bool TS3DChartViewerControl::event(QEvent *event) {
    switch (uint32_t(event->type())) {
    case ViewerMessage::UpdateView:
        if (FViewer) FViewer->UpdateView();
        return true;
    case ViewerMessage::ChartLoaded:
        // The posted message carries no value: the viewer takes over loaded cells itself.
        HandleChartLoadedMessage(0);
        return true;
    default:
        return QWidget::event(event);
    }
}

void TS3DChartViewerControl::HandleChartLoadedMessage(intptr_t value) {
    if (!FViewer) return;
    FViewer->HandleChartLoaded(value);
    FViewer->RefreshCharts();
    repaint();
    if (OnChartLoaded) OnChartLoaded(int32_t(value));
}

void TS3DChartViewerControl::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!FViewer || !FBitmap) {
        painter.fillRect(rect(), Color);
        return;
    }
    FViewer->Render(FBitmap.get());
    if (OnPaint) OnPaint();
    const TRect r{0, 0, FBitmap->GetWidth(), FBitmap->GetHeight()};
    FBitmap->DrawTo(&painter, r, r);
}

void TS3DChartViewerControl::resizeEvent(QResizeEvent *) {
    if (size() == FViewSize || !FViewer) return;
    ApplySize();
    Resized();
    if (OnResize) OnResize();
}

void TS3DChartViewerControl::ApplySize() {
    if (!FViewer || size() == FViewSize) return;
    FViewSize = size();
    FViewer->SetViewRect(0, 0, width(), height());
    FBitmap->SetSize(width(), height());
}

int32_t TS3DChartViewerControl::ViewerMouse(TMouseCall call, int32_t button, uint32_t shift,
                                            int32_t x, int32_t y) {
    int32_t err = 0;
    switch (call) {
    case TMouseCall::Down: FViewer->MouseDown(button, shift, x, y, err); break;
    case TMouseCall::Move: FViewer->MouseMove(shift, x, y, err); break;
    case TMouseCall::Up: FViewer->MouseUp(button, shift, x, y, err); break;
    }
    return err;
}

void TS3DChartViewerControl::Forward(TMouseCall call, int32_t button, uint32_t shift, int32_t x,
                                     int32_t y) {
    if (!FViewer) return;
    if (FGestureBroken) {
        // Plain moves after the broken gesture's buttons are up start afresh.
        const uint32_t buttons = ViewerShiftState::LeftButton | ViewerShiftState::RightButton |
                                 ViewerShiftState::MiddleButton;
        if (call == TMouseCall::Up || (call == TMouseCall::Move && (shift & buttons))) {
            if (call == TMouseCall::Up) FGestureBroken = false;
            return;
        }
        FGestureBroken = false;
    }
    const int32_t err = ViewerMouse(call, button, shift, x, y);
    if (err == 0) return;
    ReportException(QStringLiteral("Exception"), ErrorToStrA(err));
    if (call != TMouseCall::Up) {
        int32_t ignored = 0;
        FViewer->MouseUp(button, shift & ~ViewerShiftState::DoubleClick, x, y, ignored);
        FGestureBroken = true;
    }
}

void TS3DChartViewerControl::mousePressEvent(QMouseEvent *event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    const int32_t button = ViewerButtonOf(event->button());
    const uint32_t shift = ViewerShiftOf(event->buttons(), event->modifiers());
    Forward(TMouseCall::Down, button, shift, p.x(), p.y());
    if (OnMouseDown) OnMouseDown(button, shift, p.x(), p.y());
}

void TS3DChartViewerControl::mouseDoubleClickEvent(QMouseEvent *event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    const int32_t button = ViewerButtonOf(event->button());
    const uint32_t shift =
        ViewerShiftOf(event->buttons(), event->modifiers()) | ViewerShiftState::DoubleClick;
    // The double click is handled before the viewer sees the press: the view and the
    // cursor are still those of the first click's release.
    if (OnDblClick) OnDblClick();
    Forward(TMouseCall::Down, button, shift, p.x(), p.y());
    if (OnMouseDown) OnMouseDown(button, shift, p.x(), p.y());
}

void TS3DChartViewerControl::mouseMoveEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    const uint32_t shift = ViewerShiftOf(event->buttons(), event->modifiers());
    Forward(TMouseCall::Move, 0, shift, p.x(), p.y());
    if (OnMouseMove) OnMouseMove(shift, p.x(), p.y());
}

void TS3DChartViewerControl::mouseReleaseEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    const int32_t button = ViewerButtonOf(event->button());
    // The released button still counts as held, as the viewer expects on a button up.
    const uint32_t shift =
        ViewerShiftOf(event->buttons() | event->button(), event->modifiers());
    Forward(TMouseCall::Up, button, shift, p.x(), p.y());
    if (OnMouseUp) OnMouseUp(button, shift, p.x(), p.y());
}

void TS3DChartViewerControl::wheelEvent(QWheelEvent *event) {
    // Zooming is the owner's: the control only reports, in its own pixels, and keeps the
    // wheel from scrolling a parent.
    event->accept();
    const QPoint p = event->position().toPoint();
    if (OnMouseWheel)
        OnMouseWheel(ViewerShiftOf(event->buttons(), event->modifiers()), p.x(), p.y(),
                     event->angleDelta().y());
}

void TS3DChartViewerControl::leaveEvent(QEvent *event) {
    if (FViewer) FViewer->MouseLeave();
    if (OnMouseLeave) OnMouseLeave();
    QWidget::leaveEvent(event);
}

void TS3DChartViewerControl::keyPressEvent(QKeyEvent *event) {
    if (OnKeyDown) OnKeyDown(event->key(), event->modifiers());
}

void TS3DChartViewerControl::keyReleaseEvent(QKeyEvent *event) {
    if (OnKeyUp) OnKeyUp(event->key(), event->modifiers());
}
