#include "chartview/NavViewerControl.h"

#include <QKeyEvent>

namespace {

constexpr int32_t KeyPanPixels = 50;

// The number-pad keys carry the keypad flag; it is no modifier the user holds.
Qt::KeyboardModifiers HeldModifiers(Qt::KeyboardModifiers modifiers) {
    return modifiers & ~Qt::KeypadModifier;
}

}  // namespace

TNavViewerControl::TNavViewerControl(QWidget *parent) : TS3DChartViewerControl(parent) {}

IS3DChartViewer *TNavViewerControl::CreateViewer(IS3D *engine, int32_t viewerIndex,
                                                 IS3DTileManager *tiles,
                                                 IS3DOSMTileManager *backgroundTiles,
                                                 IS57ChartLoader *loader,
                                                 IS3DChartDataCache *cache) {
    FNav = NavViewerCreate(engine, static_cast<QObject *>(this), this, viewerIndex, tiles,
                           backgroundTiles, loader, cache);
    return FNav;
}

void TNavViewerControl::Resized() {
    // The view rectangle and bitmap are new: put the tracked boat back on its plot point.
    if (FNav && FNav->GetTrackingActive()) FNav->UpdateTrackingPosition();
}

void TNavViewerControl::focusInEvent(QFocusEvent *event) {
    if (FNav) FNav->SetFocused(true);
    TS3DChartViewerControl::focusInEvent(event);
}

void TNavViewerControl::focusOutEvent(QFocusEvent *event) {
    if (FNav) FNav->SetFocused(false);
    TS3DChartViewerControl::focusOutEvent(event);
}

void TNavViewerControl::keyPressEvent(QKeyEvent *event) {
    if (HandleViewerKey(event->key(), event->modifiers())) return;
    TS3DChartViewerControl::keyPressEvent(event);
}

bool TNavViewerControl::HandleViewerKey(int key, Qt::KeyboardModifiers modifiers) {
    if (!FNav) return false;
    const Qt::KeyboardModifiers held = HeldModifiers(modifiers);
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow && held == Qt::NoModifier && FNav->GetCanMove()) {
        switch (key) {
        case Qt::Key_Left: FNav->Pan(KeyPanPixels, 0); break;
        case Qt::Key_Right: FNav->Pan(-KeyPanPixels, 0); break;
        case Qt::Key_Up: FNav->Pan(0, KeyPanPixels); break;
        default: FNav->Pan(0, -KeyPanPixels); break;
        }
        return true;
    }
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && held == Qt::ControlModifier &&
        FNav->GetCanZoom()) {
        ZoomByKey(key == Qt::Key_Up ? ViewerZoomInFactor : ViewerZoomOutFactor);
        return true;
    }
    const bool numpad = modifiers & Qt::KeypadModifier;
    if (numpad && (key == Qt::Key_Plus || key == Qt::Key_Minus) && held == Qt::NoModifier &&
        FNav->GetCanZoom()) {
        ZoomByKey(key == Qt::Key_Plus ? ViewerZoomInFactor : ViewerZoomOutFactor);
        return true;
    }
    return false;
}

void TNavViewerControl::ZoomByKey(double factor) {
    const TDouble2 centre = *FNav->GetCenterPoint();
    FNav->ZoomAt(factor, &centre);
    if (FNav->GetTrackingActive()) FNav->UpdateTrackingPosition();
}
