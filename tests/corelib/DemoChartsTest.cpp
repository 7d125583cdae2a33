// The demo charts against the demo network: every section runs on charted water deep
// enough for the boats the network lets through, every structure stands on its chart
// object, and the raster chart shows what the S-57 cell shows. The two charts are written
// as pictures of a 1920 x 1080 viewer into the build folder for a look.
#include "DemoData.h"
#include "TestSupport.h"
#include "ViewerRig.h"

#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QDir>
#include <QFile>

#include <cmath>
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

void Save(const QImage &image, const QString &name) {
    const QString dir = QStringLiteral(MARIVO_BINARY_DIR "/test-output");
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(dir + "/" + name)) << name.toStdString();
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
        EXPECT_LT(Differing(r, s), 0.1);
    }
}

}  // namespace
