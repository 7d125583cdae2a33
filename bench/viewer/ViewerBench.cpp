// Redraw speed of the chart viewer at 1920 × 1080: an S-57 cell, a BSB chart and a pan,
// next to GDAL burning the same S-57 features into a raster of the same size.
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
#include <QSet>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <vector>

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

// The object classes the viewer draws at its default display category: the base and
// standard classes, depth contours and soundings.
bool DrawnByDefault(const QByteArray &cls) {
    static const QSet<QByteArray> classes = {
        "DEPARE", "DRGARE", "LNDARE", "COALNE", "UNSARE", "SLCONS", "DEPCNT", "SOUNDG",
        "LIGHTS", "BRIDGE", "LOKBSN", "FAIRWY", "RESARE", "BUAARE", "WRECKS", "OBSTRN",
        "UWTROC", "NAVLNE", "RECTRC", "CTNARE", "LAKARE", "RIVERS", "CANALS", "PONTON",
        "HULKES", "DOCARE", "ACHARE", "TSSLPT", "GATCON", "CAUSWY"};
    return classes.contains(cls) || cls.startsWith("BOY") || cls.startsWith("BCN");
}

// The cell's drawn features decoded once, as the viewer holds them after loading, each with
// a colour (land, water, the rest).
struct TGdalFeatures {
    std::vector<OGRGeometryH> Geometries;
    std::vector<double> Burn;  // red, green, blue per geometry
    OGREnvelope Extent;
    TGdalFeatures() {
        const QByteArray path = CellFile().toUtf8();
        GDALDatasetH src = GDALOpenEx(path.constData(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
        if (!src) return;
        for (int i = 0; i < GDALDatasetGetLayerCount(src); ++i) {
            OGRLayerH layer = GDALDatasetGetLayer(src, i);
            const QByteArray cls(OGR_L_GetName(layer));
            if (!DrawnByDefault(cls)) continue;
            const bool land = cls == "LNDARE" || cls == "BUAARE";
            const bool water = cls == "DEPARE" || cls == "DRGARE";
            OGR_L_ResetReading(layer);
            while (OGRFeatureH f = OGR_L_GetNextFeature(layer)) {
                OGRGeometryH g = OGR_F_GetGeometryRef(f);
                if (g && !OGR_G_IsEmpty(g)) {
                    OGREnvelope e;
                    OGR_G_GetEnvelope(g, &e);
                    if (Geometries.empty()) Extent = e;
                    else Extent.Merge(e);
                    Geometries.push_back(OGR_G_Clone(g));
                    Burn.insert(Burn.end(), land ? std::initializer_list<double>{201, 185, 122}
                                            : water ? std::initializer_list<double>{115, 182, 239}
                                                    : std::initializer_list<double>{40, 40, 40});
                }
                OGR_F_Destroy(f);
            }
        }
        GDALClose(src);
    }
    ~TGdalFeatures() {
        for (OGRGeometryH g : Geometries) OGR_G_DestroyGeometry(g);
    }
};

// GDAL burning the features the viewer draws by default into a raster of the view's size:
// filled areas, lines and points, in the cell's own order, from features decoded once.
void BM_GdalRasterizeS57(benchmark::State &state) {
    Setup();
    static const TGdalFeatures features;
    if (features.Geometries.empty()) {
        state.SkipWithError("cell not readable");
        return;
    }
    const OGREnvelope &env = features.Extent;
    GDALDatasetH dst = GDALCreate(GDALGetDriverByName("MEM"), "", W, H, 3, GDT_Byte, nullptr);
    double gt[6] = {env.MinX, (env.MaxX - env.MinX) / W, 0, env.MaxY, 0, -(env.MaxY - env.MinY) / H};
    GDALSetGeoTransform(dst, gt);
    int bands[3] = {1, 2, 3};
    for (auto _ : state) {
        GDALRasterizeGeometries(dst, 3, bands, int(features.Geometries.size()),
                                const_cast<OGRGeometryH *>(features.Geometries.data()), nullptr,
                                nullptr, features.Burn.data(), nullptr, nullptr, nullptr);
    }
    state.counters["features"] = double(features.Geometries.size());
    GDALClose(dst);
}
BENCHMARK(BM_GdalRasterizeS57)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
