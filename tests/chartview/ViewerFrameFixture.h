// The chart-viewer frame in a bare host window over the real navigation environment on a
// fresh copy of the demo data, with helpers to drive the viewer control with the mouse,
// the wheel and the keyboard.
#pragma once

#include "chartview/FraViewer.h"
#include "tests/shell/NavEnvFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidget>
#include <memory>
#include <vector>

namespace chartviewtest {

// The geographic position at a pixel of the viewer's current view.
inline TGeoPoint GeoAt(TNavViewerControl &viewer, double x, double y) {
    TGeoPoint p{GeoPointNoPosition, GeoPointNoPosition};
    if (IGeodeticCalibration *cal = viewer.GetCalibration()) cal->PixelToGeo(p, TDouble2{x, y});
    return p;
}

// The pixel of a position in the viewer's current view.
inline TDouble2 PixelOf(TNavViewerControl &viewer, const TGeoPoint &p) {
    TDouble2 out{-1e9, -1e9};
    if (IGeodeticCalibration *cal = viewer.GetCalibration()) cal->GeoToPixel(out, p);
    return out;
}

inline void SendMouse(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent ev(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, mods);
    QApplication::sendEvent(w, &ev);
}

// A left-button drag from `from` by `by`, in steps of at most 8 pixels.
inline void Drag(QWidget *w, QPoint from, QPoint by) {
    SendMouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    const int steps = std::max(1, std::max(std::abs(by.x()), std::abs(by.y())) / 8);
    for (int i = 1; i <= steps; ++i)
        SendMouse(w, QEvent::MouseMove, from + by * i / steps, Qt::NoButton, Qt::LeftButton);
    SendMouse(w, QEvent::MouseButtonRelease, from + by, Qt::LeftButton, Qt::NoButton);
}

// Returns whether a widget up the chain saw the event (it was not accepted).
inline bool SendWheel(QWidget *w, QPoint at, int delta) {
    QWheelEvent ev(QPointF(at), QPointF(w->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &ev);
    return !ev.isAccepted();
}

}  // namespace chartviewtest

class ViewerFrameFixture : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        Env = Make();
        ASSERT_TRUE(Env);
        ASSERT_TRUE(Env->ChartManager);
    }
    void TearDown() override {
        DestroyFrame();
        Env.reset();
        NavEnvFixture::TearDown();
    }

    // The frame as the main window makes it, registered, with its settings loaded and the
    // last view restored.
    TFrameViewer &MakeFrame(QSize size = QSize(800, 600), bool withRaster = false) {
        DestroyFrame();
        Host = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(Host.get());
        layout->setContentsMargins(0, 0, 0, 0);
        Frame = new TFrameViewer(Host.get(), false, *Env, 0, 0, QStringLiteral("Main chart viewer"),
                                 QStringLiteral("ViewerMain"));
        layout->addWidget(Frame);
        Host->resize(size);
        Host->show();
        Env->RegisterViewer(Frame->Viewer());
        if (withRaster) HandAllCharts();
        Frame->LoadSettings();
        Frame->RestoreView();
        return *Frame;
    }
    void DestroyFrame() {
        Host.reset();
        Frame = nullptr;
    }
    TNavViewerControl &Viewer() { return *Frame->Viewer(); }

    // The raster charts of the catalogue besides the S-57 cells the environment hands over.
    std::vector<NavObject *> AllCharts() {
        std::vector<NavObject *> charts;
        IChartManager *m = Env->ChartManager;
        for (int32_t i = 0; i < m->GetChartCount(); ++i) charts.push_back(m->GetChart(i));
        for (int32_t i = 0; i < m->GetCatalogueCount(); ++i)
            if (IChartCatalogueObject *o = m->GetCatalogueEntry(i)->GetCatalogueObject())
                if (IRasterChart *r = o->GetRasterChart()) charts.push_back(r);
        return charts;
    }
    void HandAllCharts() {
        std::vector<NavObject *> charts = AllCharts();
        int32_t err = 0;
        Viewer().SetCharts(charts.data(), int32_t(charts.size()), err);
        ASSERT_EQ(err, 0);
    }

    std::unique_ptr<TMarivoNavEnv> Env;
    std::unique_ptr<QWidget> Host;
    TFrameViewer *Frame = nullptr;
};
