// The demo charts against the demo network: every section runs on charted water deep
// enough for the boats the network lets through, every structure stands on its chart
// object, and the raster chart shows what the S-57 cell shows. The two charts are written
// as pictures of a 1920 x 1080 viewer into the build folder for a look.
#include "DemoData.h"
#include "TestSupport.h"
#include "tests/corelib/viewer/ViewerRig.h"

#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QDir>
#include <QFile>

#include <cmath>
#include <limits>
#include <map>

namespace {

using namespace viewerrig;

class DemoCharts : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        GDALAllRegister();
        Folder = new QString(testsupport::MakeTempDir(QStringLiteral("demo-charts")));
        QString error;
        if (!demo::WriteDemoData(*Folder, error)) *Error = error;
        Net = new demo::TNetwork(demo::BuildDemoNetwork());
    }
    static void TearDownTestSuite() {
        delete Folder;
        delete Net;
        Folder = nullptr;
        Net = nullptr;
    }
    static QString Path(const char *rel) { return QDir(*Folder).filePath(QString::fromLatin1(rel)); }

    static QString *Folder;
    static QString *Error;
    static demo::TNetwork *Net;
};
QString *DemoCharts::Folder = nullptr;
QString *DemoCharts::Error = new QString;
demo::TNetwork *DemoCharts::Net = nullptr;

// The demo folder's charts in a chart manager, as the program finds them.
struct TDemoCharts : TCharts {
    explicit TDemoCharts(const QString &demoFolder) : TCharts(QStringLiteral("demo-manager")) {
        Manager.reset(ChartManagerCreate(Rec(Root + "/cache/ChartInfo.cif"), Rec(Root + "/Sel"),
                                         Rec(demoFolder + "/Charts"), nullptr, 1, nullptr, nullptr, nullptr, nullptr));
        AddS57(QFileInfo(demoFolder + "/" + demo::S57RelPath).absolutePath());
    }
    IRasterChart *Kap() {
        return Manager->GetCatalogueCount() == 1 ? Manager->GetCatalogueEntry(0)->GetCatalogueObject()->GetRasterChart()
                                                 : nullptr;
    }
    IChart *Cell() { return Manager->GetChartCount() == 1 ? Manager->GetChart(0) : nullptr; }
};

// The cell's features of a class as GDAL reads them.
std::vector<OGRFeatureUniquePtr> Read(GDALDataset &ds, const char *cls) {
    std::vector<OGRFeatureUniquePtr> out;
    OGRLayer *layer = ds.GetLayerByName(cls);
    if (!layer) return out;
    layer->ResetReading();
    while (OGRFeatureUniquePtr f{layer->GetNextFeature()})
        if (f->GetGeometryRef()) out.push_back(std::move(f));
    return out;
}

const OGRFeature *Named(const std::vector<OGRFeatureUniquePtr> &features, const QString &name) {
    for (const auto &f : features)
        if (QString::fromUtf8(f->GetFieldAsString("OBJNAM")) == name) return f.get();
    return nullptr;
}

GDALDatasetUniquePtr OpenCell(const QString &file) {
    return GDALDatasetUniquePtr(GDALDataset::Open(QFile::encodeName(file).constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
}

double MaxDraught(const demo::TNetwork &net, const demo::TSection &s) {
    for (const auto &a : net.Attributes)
        if (a.Section == s.Guid && a.Attribute == QLatin1String("max_dimensions") && !std::isnan(a.Num[0]))
            return a.Num[0];
    return 0.0;
}

// Points along a section about every 15 m, its ends included.
std::vector<OGRPoint> Samples(const demo::TSection &s) {
    std::vector<OGRPoint> out;
    for (size_t i = 1; i < s.Line.size(); ++i) {
        const demo::TLonLat a = s.Line[i - 1], b = s.Line[i];
        const double metres = demo::PolylineLength({a, b});
        const int n = std::max(1, int(std::ceil(metres / 15.0)));
        for (int k = i == 1 ? 0 : 1; k <= n; ++k)
            out.emplace_back(a.Lon + (b.Lon - a.Lon) * k / n, a.Lat + (b.Lat - a.Lat) * k / n);
    }
    return out;
}

TEST_F(DemoCharts, EverySectionRunsOnChartedWaterDeepEnoughForItsBoats) {
    ASSERT_TRUE(Error->isEmpty()) << Error->toStdString();
    GDALDatasetUniquePtr ds = OpenCell(Path(demo::S57RelPath));
    ASSERT_TRUE(ds);
    std::vector<OGRFeatureUniquePtr> water = Read(*ds, "DEPARE");
    for (auto &f : Read(*ds, "DRGARE")) water.push_back(std::move(f));
    const std::vector<OGRFeatureUniquePtr> land = Read(*ds, "LNDARE");
    ASSERT_GT(water.size(), 20u);
    ASSERT_FALSE(land.empty());
    auto covering = [](const std::vector<OGRFeatureUniquePtr> &areas, const OGRPoint &p) {
        std::vector<const OGRFeature *> out;
        for (const auto &f : areas) {
            OGREnvelope e;
            f->GetGeometryRef()->getEnvelope(&e);
            const bool inBox = p.getX() >= e.MinX && p.getX() <= e.MaxX && p.getY() >= e.MinY && p.getY() <= e.MaxY;
            if (inBox && f->GetGeometryRef()->Intersects(&p))
                out.push_back(f.get());
        }
        return out;
    };
    for (const demo::TSection &s : Net->Sections) {
        SCOPED_TRACE(QStringLiteral("%1 (%2)").arg(s.Name, s.Guid).toStdString());
        double shallowest = std::numeric_limits<double>::infinity();
        int dry = 0, onLand = 0;
        for (const OGRPoint &p : Samples(s)) {
            double depth = -std::numeric_limits<double>::infinity();
            for (const OGRFeature *f : covering(water, p)) depth = std::max(depth, f->GetFieldAsDouble("DRVAL1"));
            if (!std::isfinite(depth)) ++dry;
            else shallowest = std::min(shallowest, depth);
            if (!covering(land, p).empty()) ++onLand;
        }
        EXPECT_EQ(dry, 0) << "points off charted water";
        EXPECT_EQ(onLand, 0) << "points on land";
        // Never over drying flats, and deep enough for the deepest draught allowed there.
        EXPECT_GE(shallowest, std::max(0.0, MaxDraught(*Net, s)));
    }
}

double Level(const demo::TStructure &st, const char *key) {
    auto it = st.Items.front().Levels.find(QString::fromLatin1(key));
    return it == st.Items.front().Levels.end() ? std::nan("") : it->second.Value;
}

TEST_F(DemoCharts, EveryStructureStandsOnItsChartObject) {
    ASSERT_TRUE(Error->isEmpty()) << Error->toStdString();
    GDALDatasetUniquePtr ds = OpenCell(Path(demo::S57RelPath));
    ASSERT_TRUE(ds);
    std::map<QByteArray, std::vector<OGRFeatureUniquePtr>> cell;
    for (const char *cls : {"BRIDGE", "LOKBSN", "GATCON", "DAMCON", "CBLOHD", "HRBFAC"}) cell[cls] = Read(*ds, cls);
    // About a metre, in degrees.
    constexpr double Near = 1e-5;
    int checked = 0;
    for (const demo::TStructure &st : Net->Structures) {
        SCOPED_TRACE(st.Name.toStdString());
        const OGRPoint at(st.Pos.Lon, st.Pos.Lat);
        const char *cls = st.Kind == 1 ? "BRIDGE" : st.Kind == 3 ? "LOKBSN" : st.Kind == 0 ? "DAMCON" : "CBLOHD";
        const OGRFeature *f = Named(cell[cls], st.Name);
        ASSERT_NE(f, nullptr) << cls << " missing";
        EXPECT_LT(f->GetGeometryRef()->Distance(&at), Near);
        ++checked;
        if (st.Kind == 1) {
            const bool fixed = st.Items.front().BridgeType == 14;
            EXPECT_DOUBLE_EQ(f->GetFieldAsDouble(fixed ? "VERCLR" : "VERCCL"), Level(st, "height_closed"));
            char **category = f->GetFieldAsStringList("CATBRG");
            ASSERT_TRUE(category && *category);
            EXPECT_EQ(QByteArray(*category) == "1", fixed) << "fixed bridge category";
        } else if (st.Kind == 3) {
            int gates = 0;
            for (const auto &g : cell["GATCON"])
                if (QString::fromUtf8(g->GetFieldAsString("OBJNAM")) == st.Name) ++gates;
            EXPECT_EQ(gates, 2 * int(st.Items.size())) << "a gate at each end of each chamber";
        } else if (st.Kind == 2) {
            EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("VERCLR"), Level(st, "height"));
        }
    }
    EXPECT_EQ(checked, int(Net->Structures.size()));
    for (const demo::TMarina &m : Net->Marinas) {
        SCOPED_TRACE(m.Name.toStdString());
        const OGRFeature *f = Named(cell["HRBFAC"], m.Name);
        ASSERT_NE(f, nullptr);
        const OGRPoint at(m.Pos.Lon, m.Pos.Lat);
        EXPECT_LT(f->GetGeometryRef()->Distance(&at), Near);
        char **category = f->GetFieldAsStringList("CATHAF");
        ASSERT_TRUE(category && *category);
        EXPECT_STREQ(*category, "5");  // yacht harbour
    }
}

void Save(const QImage &image, const QString &name) {
    const QString dir = QStringLiteral(MARIVO_BINARY_DIR "/test-output");
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(dir + "/" + name)) << name.toStdString();
}

// Share of pixels of a colour.
double Share(const QImage &image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
    return double(n) / (image.width() * image.height());
}

// Share of pixels whose colours differ by more than a shade.
double Differing(const QImage &a, const QImage &b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 30)
                ++differing;
        }
    return double(differing) / (a.width() * a.height());
}

TEST_F(DemoCharts, RasterChartShowsWhatTheCellShows) {
    ASSERT_TRUE(Error->isEmpty()) << Error->toStdString();
    TDemoCharts charts(*Folder);
    IRasterChart *kap = charts.Kap();
    IChart *cell = charts.Cell();
    ASSERT_NE(kap, nullptr);
    ASSERT_NE(cell, nullptr);
    struct View {
        const char *name;
        double zoom;  // relative to the raster chart at 100 %
        double lat, lon;
    };
    const View views[] = {{"overview", 0.0, 0, 0}, {"saltmere", 1.0, 52.905, 4.48}, {"dunmeer", 1.0, 52.90, 4.80},
                          {"harbour", 3.0, 52.901, 4.452}};
    for (const View &v : views) {
        SCOPED_TRACE(v.name);
        TViewerRig raster(1920, 1080), vector(1920, 1080);
        NavObject *one = kap;
        int32_t err = 0;
        raster.Viewer->SetCharts(&one, 1, err);
        if (v.zoom == 0.0) {
            raster.Viewer->ZoomToChart(kap);
        } else {
            const TGeoPoint at{v.lat * Deg, v.lon * Deg};
            const TDouble2 middle{960, 540};
            raster.Viewer->Zoom100At(&at, &middle);
            if (v.zoom != 1.0) raster.Viewer->ZoomAt(v.zoom, &middle);
        }
        raster.Viewer->Render(raster.Bitmap.get());
        one = cell;
        vector.Viewer->SetCharts(&one, 1, err);
        vector.Viewer->SetCalibration(raster.Viewer->GetCalibration());
        vector.RenderLoaded();
        const QImage r = raster.Image(), s = vector.Image();
        Save(r, QStringLiteral("demo-bsb-%1.png").arg(QLatin1String(v.name)));
        Save(s, QStringLiteral("demo-s57-%1.png").arg(QLatin1String(v.name)));
        // Both show the land and the waters of the view, and show them alike (names and
        // symbols a paper chart adds aside).
        for (const QImage *picture : {&r, &s}) {
            const double land = Share(*picture, qRgb(201, 185, 122));
            EXPECT_GT(land, 0.05);
            EXPECT_LT(land, 0.97);
        }
        EXPECT_LT(Differing(r, s), 0.1);
    }
}

}  // namespace
