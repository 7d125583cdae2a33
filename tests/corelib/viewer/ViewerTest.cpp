// The chart viewer against real charts: a small S-57 cell written through GDAL's S-57
// driver, a hand-written BSB chart compared with GDAL's own decoding, the S-58 test cells,
// and the program's objects it draws and hit-tests.
#include "tests/corelib/charts/ChartTestRig.h"
#include "TestSupport.h"
#include "ViewerRig.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvGraphics.h"
#include "KvLibNav6/KvLib.h"
#include "KvLibNav6/KvStrW.h"
#include "KvLibNav6/KvViewer.h"
#include "KvLibNav6/KvWaypoints.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

using namespace viewerrig;

QString FixtureCell() { return testsupport::SourcePath("tests/data/charts/viewer"); }

// ---- S-57 ----

struct TS57Case {
    const char *name;
    int32_t scheme;
    uint32_t land, deep, shallow;
};

TEST(ViewerS57, DrawsLandAndDepthShadesInEachColourScheme) {
    const TS57Case cases[] = {
        {"day", S52ColorScheme::Day, 0xFFC9B97A, 0xFFFFFFFF, 0xFFACD4F3},
        {"dusk", S52ColorScheme::Dusk, 0xFF504A31, 0xFF666666, 0xFF455561},
        {"night", S52ColorScheme::Night, 0xFF1E1A0E, 0xFF000000, 0xFF0B0F16},
    };
    TCharts charts("viewer-s57");
    charts.Create();
    charts.AddS57(FixtureCell());
    ASSERT_EQ(charts.Manager->GetChartCount(), 1);
    Ptr<IS52PresentationLib> s52(S52PresentationLibCreate(Rec(QString())));
    for (const TS57Case &c : cases) {
        SCOPED_TRACE(c.name);
        TViewerRig rig(400, 300);
        s52->SetColorScheme(c.scheme);
        s52->Commit();
        rig.Viewer->SetS52PresentationLib(s52.get());
        auto list = charts.All();
        int32_t err = -1;
        rig.Viewer->SetCharts(list.data(), int32_t(list.size()), err);
        ASSERT_EQ(err, KvErr::Ok);
        rig.Viewer->ZoomToS57Chart(charts.Manager->GetChart(0));
        rig.RenderLoaded();
        EXPECT_EQ(rig.At(52.05, 4.08), c.land) << "land";
        EXPECT_EQ(rig.At(52.08, 4.01), c.deep) << "deep water (20 m)";
        EXPECT_EQ(rig.At(52.08, 4.045), c.shallow) << "2 m area, shallower than the safety depth";
    }
}

TEST(ViewerS57, SafetyDepthMovesTheShadeOfAnArea) {
    TCharts charts("viewer-safety");
    charts.Create();
    charts.AddS57(FixtureCell());
    Ptr<IS52PresentationLib> s52(S52PresentationLibCreate(Rec(QString())));
    s52->SetDepthShallow(1.0f);
    s52->SetDepthSafe(1.5f);
    s52->SetDepthDeep(1.8f);
    s52->Commit();
    TViewerRig rig(400, 300);
    rig.Viewer->SetS52PresentationLib(s52.get());
    auto list = charts.All();
    int32_t err = 0;
    rig.Viewer->SetCharts(list.data(), int32_t(list.size()), err);
    rig.Viewer->ZoomToS57Chart(charts.Manager->GetChart(0));
    rig.RenderLoaded();
    // The 2 m area is now deeper than every contour: deep-water white.
    EXPECT_EQ(rig.At(52.08, 4.045), 0xFFFFFFFFu);
}

TEST(ViewerS57, ClickOnBuoyPicksItWithEncodedAttributes) {
    TCharts charts("viewer-pick");
    charts.Create();
    charts.AddS57(FixtureCell());
    TViewerRig rig(400, 300);
    auto list = charts.All();
    int32_t err = 0;
    rig.Viewer->SetCharts(list.data(), int32_t(list.size()), err);
    rig.Viewer->ZoomToS57Chart(charts.Manager->GetChart(0));
    rig.RenderLoaded();
    rig.Viewer->SetS57PickEnabled(true);
    const TDouble2 buoy = rig.PixelOf(52.02, 4.02);
    rig.Viewer->MouseDown(ViewerMouseButton::Left, 0, int(buoy.X), int(buoy.Y), err);
    rig.Viewer->MouseUp(ViewerMouseButton::Left, 0, int(buoy.X), int(buoy.Y), err);
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_EQ(rig.Events.Objects.size(), 1u);
    EXPECT_EQ(rig.Events.Objects[0].Kind, ObjectEventKind::S57Object);
    auto *pick = dynamic_cast<IS57Object *>(rig.Events.Objects[0].Object);
    ASSERT_NE(pick, nullptr);
    EXPECT_EQ(Text(pick->GetChartName()), "VWTEST01");
    const QString html = Text(pick->GetDetailsHTML(nullptr, nullptr, true));
    EXPECT_TRUE(html.contains("BOYLAT")) << html.toStdString();
    EXPECT_TRUE(html.contains("Red Can 4"));
    EXPECT_TRUE(rig.Viewer->GetS57PickAvailable());
    EXPECT_EQ(charts.Manager->GetChart(0)->GetPickObject(), pick);
    // A click on open water picks the depth area there.
    const TDouble2 water = rig.PixelOf(52.08, 4.01);
    rig.Viewer->MouseDown(ViewerMouseButton::Left, 0, int(water.X), int(water.Y), err);
    rig.Viewer->MouseUp(ViewerMouseButton::Left, 0, int(water.X), int(water.Y), err);
    ASSERT_EQ(rig.Events.Objects.size(), 2u);
    auto *area = dynamic_cast<IS57Object *>(rig.Events.Objects[1].Object);
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(Text(area->GetDetailsHTML(nullptr, nullptr, false)).contains("DRVAL1"));
    rig.Viewer->ClearS57Pick();
    EXPECT_FALSE(rig.Viewer->GetS57PickAvailable());
    EXPECT_EQ(charts.Manager->GetChart(0)->GetPickObject(), nullptr);
}

TEST(ViewerS57, TestCellsOfTheS58SuiteRender) {
    const QString folder = testsupport::TestDataPath("charts/s57/s58");
    ASSERT_TRUE(QFileInfo::exists(folder));
    TCharts charts("viewer-s58");
    charts.Create();
    charts.AddS57(folder);
    ASSERT_GT(charts.Manager->GetChartCount(), 0);
    for (int i = 0; i < charts.Manager->GetChartCount(); ++i) {
        IChart *cell = charts.Manager->GetChart(i);
        SCOPED_TRACE(Text(cell->GetFileName()).toStdString());
        TViewerRig rig(300, 200);
        NavObject *one = cell;
        int32_t err = -1;
        rig.Viewer->SetCharts(&one, 1, err);
        EXPECT_EQ(err, KvErr::Ok);
        rig.Viewer->ZoomToS57Chart(cell);
        rig.RenderLoaded();
        EXPECT_NE(rig.Viewer->GetCalibration(), nullptr);
    }
}

// Wide lines (coastline, safety contour) are stroked only where they reach the strip a pan
// uncovers; what a pan draws must be what a full redraw draws at the same place.
TEST(ViewerS57, PanDrawsWhatAFullRedrawDraws) {
    const QString folder = testsupport::TestDataPath("charts/s57/US4MD81M");
    ASSERT_TRUE(QFileInfo::exists(folder));
    TCharts charts("viewer-pan");
    charts.Create();
    charts.AddS57(folder);
    ASSERT_EQ(charts.Manager->GetChartCount(), 1);
    const int w = 600, h = 400;
    TViewerRig rig(w, h);
    auto list = charts.All();
    int32_t err = 0;
    rig.Viewer->SetCharts(list.data(), int32_t(list.size()), err);
    rig.Viewer->ZoomToS57Chart(charts.Manager->GetChart(0));
    const TDouble2 centre{w / 2.0, h / 2.0};
    rig.Viewer->ZoomAt(3.0, &centre);
    rig.RenderLoaded();
    auto pixels = [&] {
        std::vector<uint32_t> out;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) out.push_back(PixelAt(rig.Bitmap.get(), x, y));
        return out;
    };
    const uint32_t coastline = 0xFF525A5Cu;
    const int steps[][2] = {{37, 0}, {0, -23}, {-61, 45}, {150, 110}};
    for (const auto &step : steps) {
        SCOPED_TRACE(testing::Message() << "pan " << step[0] << ", " << step[1]);
        rig.Viewer->Pan(step[0], step[1]);
        rig.Viewer->Render(rig.Bitmap.get());
        const std::vector<uint32_t> panned = pixels();
        rig.Viewer->RefreshCharts();
        rig.Viewer->Render(rig.Bitmap.get());
        const std::vector<uint32_t> full = pixels();
        EXPECT_GT(std::count(full.begin(), full.end(), coastline), 100) << "the view shows coastline";
        // A strip is drawn as a view of its own whose centre lies a rounding error away from
        // the full view's, so a few edge pixels along its border may fall the other way.
        size_t differing = 0;
        for (size_t i = 0; i < full.size(); ++i) differing += panned[i] != full[i];
        EXPECT_LE(differing, full.size() / 1000);
    }
}

// ---- raster ----

struct TRef { int X, Y; double Lat, Lon; };

QByteArray MakeKap(int w, int h) {
    const double lon0 = 4.0, lon1 = 4.064;
    auto mercY = [](double lat) { return std::log(std::tan(M_PI / 4 + lat * Deg / 2)); };
    auto invY = [](double y) { return (2 * std::atan(std::exp(y)) - M_PI / 2) / Deg; };
    const double latBottom = invY(mercY(52.0) - h * (lon1 - lon0) * Deg / w);
    const std::vector<TRef> refs{{0, 0, 52.0, lon0}, {w, 0, 52.0, lon1}, {w, h, latBottom, lon1}, {0, h, latBottom, lon0}};
    QByteArray s;
    auto line = [&](const QString &l) { s += l.toLatin1() + "\r\n"; };
    line("! viewer test chart");
    line("VER/3.0");
    line(QStringLiteral("BSB/NA=Viewer Chart,NU=V001,RA=%1,%2,DU=254").arg(w).arg(h));
    line("KNP/SC=50000,GD=WGS84,PR=MERCATOR,PP=52.0,PI=UNKNOWN,SP=UNKNOWN,SK=0.0,TA=90.0,UN=METERS,SD=MLLW,DX=10.0,DY=10.0");
    line("RGB/1,250,250,240");
    line("RGB/2,20,60,200");
    line("RGB/3,30,170,60");
    line("RGB/4,200,40,40");
    for (size_t i = 0; i < refs.size(); ++i)
        line(QStringLiteral("REF/%1,%2,%3,%4,%5").arg(i + 1).arg(refs[i].X).arg(refs[i].Y)
                 .arg(refs[i].Lat, 0, 'f', 9).arg(refs[i].Lon, 0, 'f', 9));
    line("DTM/0.0,0.0");
    while (s.size() < 1100) line("! padding");
    s += '\x1A';
    s += '\0';
    const int bits = 3;
    s += char(bits);
    const int shift = 7 - bits, countMask = (1 << shift) - 1;
    std::vector<uint32_t> rowOffsets;
    auto putBE32 = [&](uint32_t v) {
        for (int j = 3; j >= 0; --j) s += char((v >> (8 * j)) & 0xff);
    };
    // A pattern no translation maps onto itself: colour from x / 5 and y / 3.
    auto colour = [](int x, int y) { return uint8_t(1 + ((x / 5) * 7 + (y / 3) * 3 + (x * y) % 2) % 4); };
    for (int y = 0; y < h; ++y) {
        rowOffsets.push_back(uint32_t(s.size()));
        const uint32_t row = uint32_t(y + 1);
        if (row >= 128) s += char(0x80 | (row >> 7));
        s += char(row & 0x7f);
        for (int x = 0; x < w;) {
            const uint8_t v = colour(x, y);
            int run = 1;
            while (x + run < w && colour(x + run, y) == v) ++run;
            const uint32_t n = uint32_t(run - 1);
            int k7 = 0;
            while ((n >> (7 * k7)) > uint32_t(countMask)) ++k7;
            s += char((v << shift) | (n >> (7 * k7)) | (k7 ? 0x80 : 0));
            for (int j = k7 - 1; j >= 0; --j) s += char(((n >> (7 * j)) & 0x7f) | (j ? 0x80 : 0));
            x += run;
        }
        s += '\0';
    }
    const uint32_t idx = uint32_t(s.size());
    for (auto o : rowOffsets) putBE32(o);
    putBE32(idx);
    return s;
}

struct TRasterFixture {
    TCharts Charts{"viewer-bsb"};
    QString Kap;
    TRasterFixture() {
        const QString folder = Charts.Root + "/Charts/set1";
        QDir().mkpath(folder);
        Kap = folder + "/VIEW1.KAP";
        QFile f(Kap);
        f.open(QIODevice::WriteOnly);
        f.write(MakeKap(64, 48));
        f.close();
        const QJsonObject m{{"product", QJsonObject{{"number", 196651}, {"code", "_MRC1"}, {"title", "Test"}}},
                            {"set", QJsonObject{{"number", 1}, {"code", "T1"}, {"title", "Test"}}},
                            {"moduleMask", 1.0},
                            {"charts", QJsonArray{QJsonObject{{"file", "VIEW1.KAP"}}}}};
        QFile mf(folder + "/chartset.json");
        mf.open(QIODevice::WriteOnly);
        mf.write(QJsonDocument(m).toJson());
        mf.close();
        Charts.Create();
    }
};

TEST(ViewerRaster, ChartAtOneHundredPercentMatchesGdalPixels) {
    const QString translate = QStandardPaths::findExecutable("gdal_translate");
    if (translate.isEmpty()) GTEST_SKIP() << "gdal_translate is not installed";
    TRasterFixture fx;
    ASSERT_EQ(fx.Charts.Manager->GetCatalogueCount(), 1);
    IRasterChart *chart = fx.Charts.Manager->GetCatalogueEntry(0)->GetCatalogueObject()->GetRasterChart();
    const QString png = fx.Charts.Root + "/gdal.png";
    ASSERT_EQ(QProcess::execute(translate, {"-q", "-of", "PNG", "-expand", "rgb", fx.Kap, png}), 0);
    const QImage gdal = QImage(png).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(gdal.size(), QSize(64, 48));

    TViewerRig rig(200, 150);
    NavObject *one = chart;
    int32_t err = 0;
    rig.Viewer->SetCharts(&one, 1, err);
    TGeoPoint pos;
    chart->GetGeodeticReference()->PixelToGeo(pos, TDouble2{10.5, 10.5});
    const TDouble2 at{100.5, 100.5};
    rig.Viewer->Zoom100At(&pos, &at);
    rig.Viewer->Render(rig.Bitmap.get());
    int compared = 0, differing = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const int vx = 90 + x, vy = 90 + y;
            if (vx >= 200 || vy >= 150) continue;
            ++compared;
            if ((PixelAt(rig.Bitmap.get(), vx, vy) | 0xFF000000u) != (gdal.pixel(x, y) | 0xFF000000u)) ++differing;
        }
    EXPECT_GT(compared, 2000);
    EXPECT_EQ(differing, 0);
}

TEST(ViewerRaster, PanAndZoomKeepPositionsUnderTheirPixels) {
    TRasterFixture fx;
    IRasterChart *chart = fx.Charts.Manager->GetCatalogueEntry(0)->GetCatalogueObject()->GetRasterChart();
    TViewerRig rig(240, 180);
    NavObject *one = chart;
    int32_t err = 0;
    rig.Viewer->SetCharts(&one, 1, err);
    rig.Viewer->ZoomToChart(chart);
    const TGeoPoint known{51.99 * Deg, 4.03 * Deg};
    TDouble2 p0;
    rig.Viewer->GetCalibration()->GeoToPixel(p0, known);

    struct Step { const char *name; int dx, dy; double zoom; };
    const Step steps[] = {{"pan right and down", 17, 9, 1.0}, {"pan left and up", -30, -12, 1.0},
                          {"zoom in at the point", 0, 0, 2.0}, {"zoom out at the point", 0, 0, 0.5}};
    TDouble2 expected = p0;
    for (const Step &s : steps) {
        SCOPED_TRACE(s.name);
        if (s.zoom != 1.0) rig.Viewer->ZoomAt(s.zoom, &expected);
        else rig.Viewer->Pan(s.dx, s.dy);
        expected = {expected.X + s.dx, expected.Y + s.dy};
        TDouble2 p;
        rig.Viewer->GetCalibration()->GeoToPixel(p, known);
        EXPECT_NEAR(p.X, expected.X, 1e-3);
        EXPECT_NEAR(p.Y, expected.Y, 1e-3);
    }
    // Panned away and back: the picture, drawn strip by strip after each pan, is the same.
    rig.Viewer->Render(rig.Bitmap.get());
    Ptr<IBmp32> before(Bmp32Create(240, 180, 1));
    before->Assign(rig.Bitmap.get());
    rig.Viewer->Pan(13, 3);
    rig.Viewer->Render(rig.Bitmap.get());
    rig.Viewer->Pan(-13, -3);
    rig.Viewer->Render(rig.Bitmap.get());
    int differing = 0;
    for (int y = 0; y < 180; ++y)
        for (int x = 0; x < 240; ++x)
            if (PixelAt(rig.Bitmap.get(), x, y) != PixelAt(before.get(), x, y)) ++differing;
    EXPECT_EQ(differing, 0);
}

TEST(ViewerRaster, ChartDamagedAfterTheScanIsListedOnceAsAProblemWhenDrawn) {
    TRasterFixture fx;
    ASSERT_EQ(fx.Charts.Manager->GetProblemCount(), 0);
    IRasterChart *chart = fx.Charts.Manager->GetCatalogueEntry(0)->GetCatalogueObject()->GetRasterChart();
    QFile kap(fx.Kap);
    ASSERT_TRUE(kap.open(QIODevice::ReadWrite));
    ASSERT_TRUE(kap.resize(1200));  // the text header stays, the image is gone
    kap.close();
    TViewerRig rig(200, 150);
    NavObject *one = chart;
    int32_t err = 0;
    rig.Viewer->SetCharts(&one, 1, err);
    rig.Viewer->ZoomToChart(chart);
    for (int pass = 0; pass < 2; ++pass) {
        rig.Viewer->RefreshCharts();
        rig.Viewer->Render(rig.Bitmap.get());
    }
    const QStringList problems = fx.Charts.Problems();
    ASSERT_EQ(problems.size(), 1) << problems.join("\n").toStdString();
    EXPECT_TRUE(problems[0].startsWith("VIEW1.KAP: The chart could not be drawn: ")) << problems[0].toStdString();
}

// ---- objects ----

TEST(ViewerObjects, HitTestsOfWaypointAndRoutePoint) {
    int32_t err = -1;
    Rec font(QStringLiteral("DejaVu Sans"));
    Ptr<IWptManager> m(WptManagerCreate(nullptr, nullptr, 0, 15.5f, 15.5f, font, 10.0f, 0, 0xFF000000u, 8.0f, 1,
                                        0xFF0000FFu, 8.0f, 2, 0xFF00FF00u, 5, nullptr, false, nullptr, nullptr,
                                        nullptr, nullptr, err));
    ASSERT_EQ(err, KvErr::Ok);
    Rec dbName(QStringLiteral("viewer"));
    IWptDatabase *db = m->NewDatabase(dbName);
    IWptWaypoint *w = db->NewWaypoint(nullptr, TGeoPoint3{52.03 * Deg, 4.02 * Deg, 0}, nullptr);
    ASSERT_NE(w, nullptr);
    IWptRoute *route = db->NewRoute(0.0);
    route->AddPointAtPosition(TRoutePosition{52.06 * Deg, 4.01 * Deg, 0}, err);
    IWptRoutePoint *second = route->AddPointAtPosition(TRoutePosition{52.07 * Deg, 4.05 * Deg, 0}, err);
    Ptr<IWptWaypointList> waypoints(WptWaypointListCreate(0));
    waypoints->Add(w);
    Ptr<IWptRouteList> routes(WptRouteListCreate(0));
    routes->Add(route);

    TViewerRig rig(400, 300);
    rig.Viewer->SetWaypointList(waypoints.get());
    rig.Viewer->SetRouteList(routes.get());
    TCharts charts("viewer-objects");
    charts.Create();
    charts.AddS57(FixtureCell());
    rig.Viewer->ZoomToS57Chart(charts.Manager->GetChart(0));
    rig.Viewer->Render(rig.Bitmap.get());

    struct Case { const char *name; double lat, lon; bool waypoint, point, onRoute; };
    const Case cases[] = {{"on the waypoint", 52.03, 4.02, true, false, false},
                          {"on the second route point", 52.07, 4.05, false, true, true},
                          {"on the leg between the points", 52.065, 4.03, false, false, true},
                          {"on open water", 52.09, 4.09, false, false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TDouble2 px = rig.PixelOf(c.lat, c.lon);
        rig.Viewer->MouseMove(0, int(px.X), int(px.Y), err);
        EXPECT_EQ(rig.Viewer->GetWaypointAtMouse() == w, c.waypoint);
        EXPECT_EQ(rig.Viewer->GetRoutePointAtMouse() == second, c.point);
        EXPECT_EQ(rig.Viewer->GetRouteAtMouse() == route, c.onRoute);
    }
    // A click on the waypoint reports it; the waypoint is drawn where it is.
    const TDouble2 px = rig.PixelOf(52.03, 4.02);
    rig.Viewer->MouseDown(ViewerMouseButton::Left, 0, int(px.X), int(px.Y), err);
    rig.Viewer->MouseUp(ViewerMouseButton::Left, 0, int(px.X), int(px.Y), err);
    ASSERT_FALSE(rig.Events.Objects.empty());
    EXPECT_EQ(rig.Events.Objects.back().Kind, ObjectEventKind::Waypoint);
    EXPECT_EQ(rig.Events.Objects.back().Object, w);
    EXPECT_NE(PixelAt(rig.Bitmap.get(), int(px.X), int(px.Y)) & 0xFFFFFF, 0xD4DADCu);
}

TEST(ViewerObjects, RouteEditingAddsAndMovesPoints) {
    int32_t err = -1;
    Rec font(QStringLiteral("DejaVu Sans"));
    Ptr<IWptManager> m(WptManagerCreate(nullptr, nullptr, 0, 15.5f, 15.5f, font, 10.0f, 0, 0xFF000000u, 8.0f, 1,
                                        0xFF0000FFu, 8.0f, 2, 0xFF00FF00u, 5, nullptr, false, nullptr, nullptr,
                                        nullptr, nullptr, err));
    Rec dbName(QStringLiteral("edit"));
    IWptDatabase *db = m->NewDatabase(dbName);
    IWptRoute *route = db->NewRoute(0.0);
    TViewerRig rig(300, 200);
    rig.Viewer->SetEditRoute(route);
    rig.Viewer->SetEditMode(NavViewerEditMode::Routes);
    rig.Viewer->MouseDown(ViewerMouseButton::Left, 0, 100, 80, err);
    rig.Viewer->MouseUp(ViewerMouseButton::Left, 0, 100, 80, err);
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_EQ(route->GetPointCount(), 1);
    // Drag the new point 40 pixels to the right.
    rig.Viewer->MouseDown(ViewerMouseButton::Left, 0, 100, 80, err);
    rig.Viewer->MouseMove(ViewerShiftState::LeftButton, 140, 80, err);
    rig.Viewer->MouseUp(ViewerMouseButton::Left, 0, 140, 80, err);
    const TRoutePosition *p = route->GetPoint(0)->GetPosition();
    TDouble2 px;
    rig.Viewer->GetCalibration()->GeoToPixel(px, TGeoPoint{p->Lat, p->Lon});
    EXPECT_NEAR(px.X, 140.5, 0.01);
    EXPECT_NEAR(px.Y, 80.5, 0.01);
    EXPECT_EQ(route->GetPointCount(), 1);
}

// A drag in waypoint mode moves the waypoint under the mouse and reports it once, on release;
// a press beside every waypoint drags nothing.
TEST(ViewerObjects, WaypointEditingMovesTheWaypointAndReportsItOnRelease) {
    int32_t err = -1;
    Rec font(QStringLiteral("DejaVu Sans"));
    Ptr<IWptManager> m(WptManagerCreate(nullptr, nullptr, 0, 15.5f, 15.5f, font, 10.0f, 0, 0xFF000000u, 8.0f, 1,
                                        0xFF0000FFu, 8.0f, 2, 0xFF00FF00u, 5, nullptr, false, nullptr, nullptr,
                                        nullptr, nullptr, err));
    Rec dbName(QStringLiteral("drag"));
    IWptDatabase *db = m->NewDatabase(dbName);
    TViewerRig rig(300, 200);
    TGeoPoint start;
    rig.Viewer->GetCalibration()->PixelToGeo(start, TDouble2{100.5, 80.5});
    IWptWaypoint *w = db->NewWaypoint(nullptr, TGeoPoint3{start.Lat, start.Lon, 0}, nullptr);
    ASSERT_NE(w, nullptr);
    Ptr<IWptWaypointList> waypoints(WptWaypointListCreate(0));
    waypoints->Add(w);
    rig.Viewer->SetWaypointList(waypoints.get());
    rig.Viewer->SetEditMode(NavViewerEditMode::Waypoints);

    rig.Viewer->MouseDown(ViewerMouseButton::Left, 0, 100, 80, err);
    rig.Viewer->MouseMove(ViewerShiftState::LeftButton, 130, 80, err);
    EXPECT_TRUE(rig.Events.Objects.empty()) << "nothing reported while dragging";
    rig.Viewer->MouseMove(ViewerShiftState::LeftButton, 160, 110, err);
    rig.Viewer->MouseUp(ViewerMouseButton::Left, 0, 160, 110, err);
    ASSERT_EQ(err, KvErr::Ok);
    TDouble2 px;
    rig.Viewer->GetCalibration()->GeoToPixel(px, *w->GetPosition());
    EXPECT_NEAR(px.X, 160.5, 0.01);
    EXPECT_NEAR(px.Y, 110.5, 0.01);
    ASSERT_EQ(rig.Events.Objects.size(), 1u);
    EXPECT_EQ(rig.Events.Objects[0].Kind, ObjectEventKind::Waypoint);
    EXPECT_EQ(rig.Events.Objects[0].Object, w);

    // A press on open water takes nothing up (it pans the view): the waypoint stays where
    // it was put.
    const TGeoPoint put = *w->GetPosition();
    rig.Viewer->MouseDown(ViewerMouseButton::Left, 0, 40, 40, err);
    rig.Viewer->MouseMove(ViewerShiftState::LeftButton, 60, 60, err);
    rig.Viewer->MouseUp(ViewerMouseButton::Left, 0, 60, 60, err);
    EXPECT_EQ(w->GetPosition()->Lat, put.Lat);
    EXPECT_EQ(w->GetPosition()->Lon, put.Lon);
    EXPECT_EQ(rig.Events.Objects.size(), 1u) << "a drag over open water reports nothing";
}

}  // namespace
