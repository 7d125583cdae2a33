// Redraw speed of the chart viewer at 1920 × 1080: an S-57 cell, a BSB chart and a pan,
// next to GDAL burning the same S-57 polygons into a raster of the same size.
//
// GDAL is reached through the symbols the core library already loaded, so this program
// needs no link of its own against it.
#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvGraphics.h"
#include "KvLibNav6/KvLib.h"
#include "KvLibNav6/KvViewer.h"

#include <benchmark/benchmark.h>
#include <gdal/gdal.h>
#include <gdal/gdal_alg.h>
#include <gdal/ogr_api.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <memory>

namespace {

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T> using Ptr = std::unique_ptr<T, Deleter>;

// The shared test data lies beside the source tree; MARIVO_TESTDATA overrides it.
QString TestDataRoot() {
    const QByteArray env = qgetenv("MARIVO_TESTDATA");
    if (!env.isEmpty()) return QString::fromLocal8Bit(env) + "/charts/";
    return QStringLiteral(MARIVO_TESTDATA_DIR "/charts/");
}
QString CellFile() { return TestDataRoot() + "s57/US4MD81M/US4MD81M.000"; }
constexpr int W = 1920, H = 1080;

struct Rec {
    explicit Rec(const QString &s) : Text(s) {}
    operator const TStrWRec &() {
        R = {int32_t(Text.size()), reinterpret_cast<const char16_t *>(Text.utf16())};
        return R;
    }
    QString Text;
    TStrWRec R;
};

struct TSetup {
    QTemporaryDir Dir;
    Ptr<IChartManager> Manager;
    TSetup() {
        const QString set = Dir.path() + "/Charts/nz";
        QDir().mkpath(set);
        QFile::copy(TestDataRoot() + "bsb/NZ61401.KAP", set + "/NZ61401.KAP");
        QFile m(set + "/chartset.json");
        m.open(QIODevice::WriteOnly);
        m.write(QJsonDocument(QJsonObject{{"product", QJsonObject{{"number", 1}, {"code", "_BSB"}, {"title", "B"}}},
                                          {"set", QJsonObject{{"number", 1}, {"code", "NZ"}, {"title", "NZ"}}},
                                          {"moduleMask", 1.0},
                                          {"charts", QJsonArray{QJsonObject{{"file", "NZ61401.KAP"}}}}})
                    .toJson());
        m.close();
        Manager.reset(ChartManagerCreate(Rec(Dir.path() + "/ci.cif"), Rec(Dir.path() + "/sel"),
                                         Rec(Dir.path() + "/Charts"), nullptr, 1, nullptr, nullptr, nullptr, nullptr));
        Manager->AddS57Folder(Rec(TestDataRoot() + "s57/US4MD81M"), true, nullptr, nullptr);
        int32_t err = 0;
        Manager->LoadS57ChartInfo(nullptr, 0, 0, 1, err);
    }
};

TSetup &Setup() {
    static TSetup s;
    return s;
}

void Wait(INavViewer *v, IBmp32 *b) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 3000) {
        v->Render(b);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

Ptr<INavViewer> MakeViewer(NavObject *chart, IBmp32 *bmp) {
    Ptr<INavViewer> v(NavViewerCreate(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    v->SetViewRect(0, 0, W, H);
    int32_t err = 0;
    v->SetCharts(&chart, 1, err);
    Wait(v.get(), bmp);
    return v;
}

void BM_S57FullRedraw(benchmark::State &state) {
    Ptr<IBmp32> bmp(Bmp32Create(W, H, 1));
    IChart *cell = Setup().Manager->GetChart(0);
    if (!cell) {
        state.SkipWithError("the S-57 test cell was not found");
        return;
    }
    auto v = MakeViewer(cell, bmp.get());
    v->ZoomToS57Chart(cell);
    Wait(v.get(), bmp.get());
    for (auto _ : state) {
        v->RefreshCharts();
        v->Render(bmp.get());
    }
}
BENCHMARK(BM_S57FullRedraw)->Unit(benchmark::kMillisecond);

void BM_S57PanRedraw(benchmark::State &state) {
    Ptr<IBmp32> bmp(Bmp32Create(W, H, 1));
    IChart *cell = Setup().Manager->GetChart(0);
    auto v = MakeViewer(cell, bmp.get());
    v->ZoomToS57Chart(cell);
    Wait(v.get(), bmp.get());
    int sign = 1;
    for (auto _ : state) {
        v->Pan(12 * sign, 8 * sign);
        sign = -sign;
        v->Render(bmp.get());
    }
}
BENCHMARK(BM_S57PanRedraw)->Unit(benchmark::kMillisecond);

void BM_BsbFullRedraw(benchmark::State &state) {
    Ptr<IBmp32> bmp(Bmp32Create(W, H, 1));
    IChartCatalogueEntry *entry = Setup().Manager->GetCatalogueEntry(0);
    IRasterChart *chart = entry && entry->GetCatalogueObject()
                              ? entry->GetCatalogueObject()->GetRasterChart()
                              : nullptr;
    if (!chart) {
        state.SkipWithError("the BSB test chart was not found");
        return;
    }
    auto v = MakeViewer(chart, bmp.get());
    IGeodeticCalibration *cal = chart->GetGeodeticReference();
    TGeoPoint centre;
    cal->PixelToGeo(centre, TDouble2{cal->GetWidth() / 2.0, cal->GetHeight() / 2.0});
    const TDouble2 at{W / 2.0, H / 2.0};
    v->Zoom100At(&centre, &at);
    v->Render(bmp.get());
    for (auto _ : state) {
        v->RefreshCharts();
        v->Render(bmp.get());
    }
}
BENCHMARK(BM_BsbFullRedraw)->Unit(benchmark::kMillisecond);

void BM_BsbPanRedraw(benchmark::State &state) {
    Ptr<IBmp32> bmp(Bmp32Create(W, H, 1));
    IChartCatalogueEntry *entry = Setup().Manager->GetCatalogueEntry(0);
    IRasterChart *chart = entry && entry->GetCatalogueObject()
                              ? entry->GetCatalogueObject()->GetRasterChart()
                              : nullptr;
    if (!chart) {
        state.SkipWithError("the BSB test chart was not found");
        return;
    }
    auto v = MakeViewer(chart, bmp.get());
    IGeodeticCalibration *cal = chart->GetGeodeticReference();
    TGeoPoint centre;
    cal->PixelToGeo(centre, TDouble2{cal->GetWidth() / 2.0, cal->GetHeight() / 2.0});
    const TDouble2 at{W / 2.0, H / 2.0};
    v->Zoom100At(&centre, &at);
    v->Render(bmp.get());
    int sign = 1;
    for (auto _ : state) {
        v->Pan(12 * sign, 8 * sign);
        sign = -sign;
        v->Render(bmp.get());
    }
}
BENCHMARK(BM_BsbPanRedraw)->Unit(benchmark::kMillisecond);

void BM_GdalRasterizeS57Polygons(benchmark::State &state) {
    Setup();
    auto openEx = &GDALOpenEx;
    auto driverByName = &GDALGetDriverByName;
    auto create = &GDALCreate;
    auto setGt = &GDALSetGeoTransform;
    auto layerByName = &GDALDatasetGetLayerByName;
    auto extent = &OGR_L_GetExtent;
    auto rasterize = &GDALRasterizeLayers;
    auto close = &GDALClose;
    const QByteArray path = CellFile().toUtf8();
    GDALDatasetH src = openEx(path.constData(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
    if (!src) {
        state.SkipWithError("cell not readable");
        return;
    }
    std::vector<OGRLayerH> layers;
    for (const char *name : {"DEPARE", "LNDARE", "DRGARE", "BUAARE", "RESARE", "FAIRWY"})
        if (OGRLayerH l = layerByName(src, name)) layers.push_back(l);
    OGREnvelope env;
    extent(layers.front(), &env, 1);
    GDALDatasetH dst = create(driverByName("MEM"), "", W, H, 3, GDT_Byte, nullptr);
    double gt[6] = {env.MinX, (env.MaxX - env.MinX) / W, 0, env.MaxY, 0, -(env.MaxY - env.MinY) / H};
    setGt(dst, gt);
    int bands[3] = {1, 2, 3};
    double burn[3] = {201, 185, 122};
    for (auto _ : state) {
        rasterize(dst, 3, bands, int(layers.size()), layers.data(), nullptr, nullptr, burn, nullptr, nullptr, nullptr);
    }
    close(dst);
    close(src);
}
BENCHMARK(BM_GdalRasterizeS57Polygons)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
