// A chart manager in a folder of its own and a viewer drawing into a bitmap, for tests of
// charts as the program shows them.
#pragma once

#include "CoreTestSupport.h"
#include "TestSupport.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvGraphics.h"
#include "KvLibNav6/KvStrW.h"
#include "KvLibNav6/KvViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

namespace chartrig {

constexpr double Deg = M_PI / 180.0;

struct TManagerRig {
    QString Root;
    testsupport::Owned<IChartManager> Manager;
    // What the chart-sets-changed callback delivered: viewer index and S-57 entry count.
    std::vector<std::pair<int32_t, int32_t>> Changes;

    explicit TManagerRig(const QString &name) : Root(testsupport::MakeTempDir(name)) {
        QDir().mkpath(Root + "/Charts");
        QDir().mkpath(Root + "/cache");
    }
    QString CacheFile() const { return Root + "/cache/ChartInfo.cif"; }
    QString SelectionFile() const { return Root + "/Selection.json"; }
    void Create() {
        Manager.reset();
        Manager.reset(ChartManagerCreate(testsupport::Rec(CacheFile()), testsupport::Rec(SelectionFile()),
                                         testsupport::Rec(Root + "/Charts"), nullptr, 1, &OnChanged, this,
                                         nullptr, nullptr));
    }
    void AddS57(const QString &folder) {
        Manager->AddS57Folder(testsupport::Rec(folder), true, nullptr, nullptr);
        Reload();
    }
    void Reload() {
        int32_t err = -1;
        Manager->LoadS57ChartInfo(nullptr, 0, 0, 1, err);
    }
    IChart *Cell(const QString &name) {
        int32_t index = -1;
        return Manager->FindChart(testsupport::Rec(name), index) ? Manager->GetChart(index) : nullptr;
    }
    std::vector<NavObject *> All() {
        std::vector<NavObject *> out;
        for (int i = 0; i < Manager->GetCatalogueCount(); ++i)
            out.push_back(Manager->GetCatalogueEntry(i)->GetCatalogueObject()->GetRasterChart());
        for (int i = 0; i < Manager->GetChartCount(); ++i) out.push_back(Manager->GetChart(i));
        return out;
    }
    // "file name: message" per entry of the problem list.
    QStringList Problems() {
        QStringList out;
        testsupport::Owned<IStrW> file(StrWCreate(u"", 0)), msg(StrWCreate(u"", 0));
        for (int i = 0; i < Manager->GetProblemCount(); ++i) {
            Manager->GetProblem(i, file.get(), msg.get());
            out << QFileInfo(testsupport::Q(file->GetRec())).fileName() + ": " + testsupport::Q(msg->GetRec());
        }
        return out;
    }

private:
    static void OnChanged(void *data, int32_t viewer, intptr_t reload) {
        const auto *d = reinterpret_cast<const TChartSetReloadData *>(reload);
        static_cast<TManagerRig *>(data)->Changes.emplace_back(viewer, d ? d->S57Count : -1);
    }
};

struct TViewRig {
    testsupport::Owned<INavViewer> Viewer{NavViewerCreate(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr)};
    testsupport::Owned<IBmp32> Bitmap;
    int Invalidated = 0;

    TViewRig(int w, int h) : Bitmap(Bmp32Create(w, h, 1)) {
        Viewer->SetViewRect(0, 0, w, h);
        Viewer->SetInvalidateCallback([](void *d) { ++static_cast<TViewRig *>(d)->Invalidated; }, this);
        // Pixel checks look at the charts alone.
        Viewer->SetShowScaleBar(false);
        Viewer->SetShowCompassNeedle(false);
    }
    void Show(std::vector<NavObject *> charts) {
        int32_t err = -1;
        Viewer->SetCharts(charts.data(), int32_t(charts.size()), err);
    }
    TDouble2 PixelOf(double latDeg, double lonDeg) {
        TDouble2 p;
        Viewer->GetCalibration()->GeoToPixel(p, TGeoPoint{latDeg * Deg, lonDeg * Deg});
        return p;
    }
    TGeoPoint GeoOf(double x, double y) {
        TGeoPoint g;
        Viewer->GetCalibration()->PixelToGeo(g, TDouble2{x, y});
        return g;
    }
    // 0xAARRGGBB of the pixel at the position; 0 outside the bitmap.
    uint32_t At(double latDeg, double lonDeg) {
        const TDouble2 p = PixelOf(latDeg, lonDeg);
        const int x = int(std::floor(p.X)), y = int(std::floor(p.Y));
        if (x < 0 || y < 0 || x >= Bitmap->GetWidth() || y >= Bitmap->GetHeight()) return 0;
        const uint8_t *b = Bitmap->GetRow(y) + 4 * x;
        return (uint32_t(b[3]) << 24) | (uint32_t(b[2]) << 16) | (uint32_t(b[1]) << 8) | b[0];
    }
    // Renders until the cells loading in the background have arrived.
    void RenderLoaded() {
        Viewer->Render(Bitmap.get());
        QElapsedTimer t;
        t.start();
        const int before = Invalidated;
        while (Invalidated == before && t.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents();
        Viewer->Render(Bitmap.get());
    }
    // Into the build folder, for a look at it.
    void Save(const QString &name) {
        const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
        QImage image(w, h, QImage::Format_ARGB32);
        for (int y = 0; y < h; ++y) std::memcpy(image.scanLine(y), Bitmap->GetRow(y), size_t(4 * w));
        const QString dir = QStringLiteral(MARIVO_BINARY_DIR "/test-output");
        QDir().mkpath(dir);
        image.save(dir + "/" + name + ".png");
    }
};

}  // namespace chartrig
