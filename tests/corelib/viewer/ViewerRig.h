// A chart viewer with its bitmap, and a chart manager over a folder of its own: what the
// viewer tests and the demo chart tests drive.
#pragma once

#include "tests/corelib/charts/ChartTestRig.h"

#include "TestSupport.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvGraphics.h"
#include "KvLibNav6/KvLib.h"
#include "KvLibNav6/KvStrW.h"
#include "KvLibNav6/KvViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace viewerrig {

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T> using Ptr = std::unique_ptr<T, Deleter>;

inline constexpr double Deg = M_PI / 180.0;

struct Rec {
    explicit Rec(const QString &s) : Text(s) {}
    operator const TStrWRec &() {
        R = {int32_t(Text.size()), reinterpret_cast<const char16_t *>(Text.utf16())};
        return R;
    }
    QString Text;
    TStrWRec R;
};

inline QString Text(const TStrWRec *r) { return r ? QString::fromUtf16(r->Text, r->Length) : QString(); }

// The bitmap's pixel as 0xAARRGGBB (bytes are blue, green, red, alpha in memory).
inline uint32_t PixelAt(IBmp32 *bmp, int x, int y) {
    const uint8_t *p = bmp->GetRow(y) + 4 * x;
    return (uint32_t(p[3]) << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

struct TEvents {
    int Invalidated = 0;
    std::vector<TViewerEvent> Objects;
    static void OnInvalidate(void *d) { ++static_cast<TEvents *>(d)->Invalidated; }
    static void OnObject(void *d, const TViewerEvent *ev) { static_cast<TEvents *>(d)->Objects.push_back(*ev); }
};

// A viewer of w × h with its bitmap and event counters.
struct TViewerRig {
    Ptr<INavViewer> Viewer{NavViewerCreate(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr)};
    Ptr<IBmp32> Bitmap;
    TEvents Events;
    TViewerRig(int w, int h) : Bitmap(Bmp32Create(w, h, 1)) {
        Viewer->SetViewRect(0, 0, w, h);
        Viewer->SetInvalidateCallback(&TEvents::OnInvalidate, &Events);
        Viewer->SetObjectEventHandler(&TEvents::OnObject, &Events);
        // Pixel comparisons look at the charts alone.
        Viewer->SetShowScaleBar(false);
        Viewer->SetShowCompassNeedle(false);
    }
    TDouble2 PixelOf(double latDeg, double lonDeg) {
        TDouble2 p;
        Viewer->GetCalibration()->GeoToPixel(p, TGeoPoint{latDeg * Deg, lonDeg * Deg});
        return p;
    }
    uint32_t At(double latDeg, double lonDeg) {
        const TDouble2 p = PixelOf(latDeg, lonDeg);
        return PixelAt(Bitmap.get(), int(std::floor(p.X)), int(std::floor(p.Y)));
    }
    // The bitmap as a picture, to save for a look.
    QImage Image() {
        QImage out(Bitmap->GetWidth(), Bitmap->GetHeight(), QImage::Format_RGB32);
        for (int y = 0; y < out.height(); ++y)
            std::memcpy(out.scanLine(y), Bitmap->GetRow(y), size_t(out.width()) * 4);
        return out;
    }
    // Renders until the background loads have arrived (the invalidate callback fires).
    void RenderLoaded() {
        Viewer->Render(Bitmap.get());
        QElapsedTimer t;
        t.start();
        const int before = Events.Invalidated;
        while (t.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (Events.Invalidated > before) {
                Viewer->Render(Bitmap.get());
                QCoreApplication::processEvents();
                if (Events.Invalidated == before + 1) break;
            }
        }
        Viewer->Render(Bitmap.get());
    }
};

// The chart manager of the chart tests, with its problem list and change callbacks.
using TCharts = chartrig::TManagerRig;

}  // namespace viewerrig
