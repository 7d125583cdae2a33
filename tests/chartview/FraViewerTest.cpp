// The chart-viewer frame on the real environment and core viewer with the demo charts:
// wheel and drag, view states, the stored view across a new frame, chart order and the
// chart manager dialog.
#include "ViewerFrameFixture.h"

#include "TestSupport.h"

#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegCharts.h"

#include <gtest/gtest.h>

#include <QTest>
#include <stdexcept>
#include <cmath>

using namespace chartviewtest;

namespace {

constexpr int32_t Root = AppRegRoot::Product;
const QString Key = QStringLiteral("ViewerMain");

bool StoredBool(const QString &key, const QString &name, bool def) {
    return RegReadBoolDef(GetAppReg(), Root, key, RegName(name), def);
}

int32_t StoredInt(const QString &key, const QString &name, int32_t def) {
    return RegReadIntegerDef(GetAppReg(), Root, key, RegName(name), def);
}

void StoreDouble(const QString &key, const QString &name, double value) {
    int32_t err = 0;
    RegWriteDouble(GetAppReg(), Root, key, RegName(name), value, err);
    ASSERT_EQ(err, 0);
}

void StoreInt(const QString &key, const QString &name, int32_t value) {
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), Root, key, RegName(name), value, err);
    ASSERT_EQ(err, 0);
}

bool Inside(const TGeoPoint &p, double southDeg, double northDeg, double westDeg,
            double eastDeg) {
    const double lat = p.Lat * 180 / M_PI, lon = p.Lon * 180 / M_PI;
    return lat >= southDeg && lat <= northDeg && lon >= westDeg && lon <= eastDeg;
}

// Inside the demo charts' waters (degrees).
bool InDemoArea(const TGeoPoint &p) {
    return Inside(p, 52.78, 53.08, 4.25, 4.95);
}

}  // namespace

using FrameViewer = ViewerFrameFixture;

TEST(FrameViewerStatic, InfoPanelIsAQuarterOfTheWidthAndAtLeast210) {
    struct Case {
        int32_t width, panel;
    };
    const Case cases[] = {{100, 210}, {840, 210}, {1000, 250}, {2002, 500}, {2006, 502}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(TFrameViewer::InfoPanelWidthFor(c.width), c.panel);
    }
}

TEST_F(FrameViewer, FirstStartShowsTheDemoCellAndStoresTheViewStates) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    ASSERT_EQ(v.GetS57ChartCount(), 1);
    ASSERT_NE(v.GetCalibration(), nullptr);
    EXPECT_TRUE(InDemoArea(GeoAt(v, v.width() / 2.0, v.height() / 2.0)));
    EXPECT_EQ(Frame->CurrentViewerState(), ViewerStateIndex::Overview);
    EXPECT_EQ(StoredInt(Key, QStringLiteral("ViewerStateCurrent"), -1), 0);
    EXPECT_EQ(StoredInt(Key, QStringLiteral("ViewerStateOverCurScale"), -1),
              int32_t(std::nearbyint(v.GetScale())));
    EXPECT_EQ(StoredInt(Key, QStringLiteral("ViewerStateNavTMode"), -1), 3) << "course up + 1";
    EXPECT_EQ(Frame->objectName(), Key);
}

TEST_F(FrameViewer, TheEnvironmentHandsTheDemoRasterChartAndAHiddenOneStaysHidden) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    ASSERT_EQ(v.GetChartCount(), 1) << "the demo raster chart comes with the cell";
    IRasterChart *chart = v.GetChart(0);
    const auto inView = [this](IRasterChart *c) {
        for (int32_t i = 0; i < Viewer().GetViewChartCount(); ++i)
            if (Viewer().GetViewChart(i) == c) return true;
        return false;
    };
    v.ZoomToChart(chart);
    EXPECT_TRUE(inView(chart));

    // Hidden in this viewer: a viewer registered anew leaves it out as well.
    Frame->HideChart(chart);
    Env->UpdateViewerChartSets();
    EXPECT_FALSE(inView(chart));
    MakeFrame();
    ASSERT_EQ(Viewer().GetChartCount(), 1);
    Viewer().ZoomToChart(Viewer().GetChart(0));
    EXPECT_FALSE(inView(Viewer().GetChart(0)));
    EXPECT_EQ(Viewer().GetS57ChartCount(), 1) << "the cell is not touched";
}

TEST_F(FrameViewer, WheelZoomsAboutTheMouseByAQuarterOfADoublingPerNotch) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    struct Case {
        const char *name;
        QPoint at;
        int delta;
        bool canZoom;
        double factor;  // 0: no zoom
    };
    const Case cases[] = {
        {"notch in", {300, 200}, 120, true, 1.189207115},
        {"notch out", {500, 100}, -120, true, 0.8408964152556386},
        {"touchpad step", {120, 420}, 15, true, std::pow(2.0, 15 / 480.0)},
        {"two notches out", {700, 550}, -240, true, 1 / std::sqrt(2.0)},
        {"no delta", {300, 200}, 0, true, 0},
        {"outside the view", {-5, 200}, 120, true, 0},
        {"zoom locked", {300, 200}, 120, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Frame->SetTrackingZoom100(!c.canZoom);
        const double before = v.GetScale();
        const TGeoPoint under = GeoAt(v, c.at.x(), c.at.y());
        const TGeoPoint beside = GeoAt(v, c.at.x() + 100, c.at.y());
        EXPECT_FALSE(SendWheel(&v, c.at, c.delta));
        if (c.factor == 0) {
            EXPECT_DOUBLE_EQ(v.GetScale(), before);
            continue;
        }
        // GetScale follows the centre's latitude; the picture's own size shows the zoom.
        EXPECT_NEAR(PixelOf(v, beside).X - PixelOf(v, under).X, 100 * c.factor, 1e-4);
        const TDouble2 now = PixelOf(v, under);
        EXPECT_NEAR(now.X, c.at.x(), 0.5);
        EXPECT_NEAR(now.Y, c.at.y(), 0.5);
        EXPECT_EQ(StoredInt(Key, QStringLiteral("ViewerStateOverCurScale"), -1),
                  int32_t(std::nearbyint(v.GetScale())));
    }
}

TEST_F(FrameViewer, WheelZoomsAboutTheTrackedBoat) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    const TGeoPoint ship = GeoAt(v, 250, 300);
    Env->Boat->SetPosition(ship);
    Frame->SetTrackingEnabled(true);
    ASSERT_TRUE(v.GetTrackingActive());
    const TDouble2 shipPixel = PixelOf(v, ship);
    const double before = v.GetScale();
    SendWheel(&v, QPoint(700, 100), 120);
    EXPECT_NEAR(before / v.GetScale(), 1.189207115, 1e-6);
    const TDouble2 now = PixelOf(v, ship);
    EXPECT_NEAR(now.X, shipPixel.X, 0.5);
    EXPECT_NEAR(now.Y, shipPixel.Y, 0.5);
}

TEST_F(FrameViewer, DragMovesTheViewByTheMouseDistance) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    const QPointF centre(v.width() / 2.0, v.height() / 2.0);
    const TGeoPoint before = GeoAt(v, centre.x(), centre.y());
    const TGeoPoint beside = GeoAt(v, centre.x() + 100, centre.y());
    Drag(&v, QPoint(300, 300), QPoint(100, 40));
    const TDouble2 now = PixelOf(v, before);
    EXPECT_NEAR(now.X, centre.x() + 100, 0.5);
    EXPECT_NEAR(now.Y, centre.y() + 40, 0.5);
    EXPECT_NEAR(PixelOf(v, beside).X - now.X, 100.0, 1e-6) << "no zoom";
}

TEST_F(FrameViewer, CursorIsThePanHandWhileDragging) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    SendMouse(&v, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, Qt::NoButton);
    SendMouse(&v, QEvent::MouseButtonPress, QPoint(300, 300), Qt::LeftButton, Qt::LeftButton);
    SendMouse(&v, QEvent::MouseMove, QPoint(330, 300), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(v.cursor().shape(), Qt::ClosedHandCursor);
    SendMouse(&v, QEvent::MouseButtonRelease, QPoint(330, 300), Qt::LeftButton, Qt::NoButton);
    EXPECT_NE(v.cursor().shape(), Qt::ClosedHandCursor);
}

TEST_F(FrameViewer, TrackingFollowsTheShipAndFindingItPutsItOnThePlotPoint) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    const TGeoPoint first = GeoAt(v, 200, 200), second = GeoAt(v, 500, 400);
    Env->Boat->SetPosition(first);
    Frame->SetTrackingEnabled(true);
    Env->Boat->SetPosition(second);
    Frame->UpdateTracking();
    const TFloat2 plot = *v.GetTrackingCursorPos();
    TDouble2 at = PixelOf(v, second);
    EXPECT_NEAR(at.X, v.width() * plot.X, 0.5);
    EXPECT_NEAR(at.Y, v.height() * plot.Y, 0.5);

    Frame->SetTrackingEnabled(false);
    v.Pan(200, 100);
    Frame->FindGPSPosition();
    at = PixelOf(v, second);
    EXPECT_NEAR(at.X, v.width() * plot.X - 0.5, 0.5);
    EXPECT_NEAR(at.Y, v.height() * plot.Y - 0.5, 0.5);
}

TEST_F(FrameViewer, MouseMovesOverACalibratedViewSendStatusCodes304) {
    MakeFrame();
    std::vector<int> codes;
    Frame->OnStatusUpdate = [&](TNavViewerControl &, uint8_t code) { codes.push_back(code); };
    SendMouse(&Viewer(), QEvent::MouseMove, QPoint(10, 10), Qt::NoButton, Qt::NoButton);
    SendMouse(&Viewer(), QEvent::MouseMove, QPoint(20, 10), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(codes, (std::vector<int>{3, 0, 4, 3, 0, 4}));
}

TEST_F(FrameViewer, DoubleClickZoomsToFullSizeAtTheMouse) {
    MakeFrame(QSize(800, 600), true);
    TNavViewerControl &v = Viewer();
    ASSERT_GT(v.GetChartCount(), 0) << "the demo BSB chart";
    v.ZoomToChart(v.GetChart(0));
    v.ZoomAt(0.3, v.GetCenterPoint());
    // A point with no object under it (the cursor is the arrow there).
    QPoint at;
    for (int y = 40; y < v.height() && at.isNull(); y += 37)
        for (int x = 40; x < v.width() && at.isNull(); x += 41) {
            SendMouse(&v, QEvent::MouseMove, QPoint(x, y), Qt::NoButton, Qt::NoButton);
            if (v.cursor().shape() == Qt::ArrowCursor) at = QPoint(x, y);
        }
    ASSERT_FALSE(at.isNull());
    const TGeoPoint under = GeoAt(v, at.x(), at.y());
    const double before = v.GetScale();
    SendMouse(&v, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&v, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    SendMouse(&v, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&v, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    EXPECT_NE(v.GetScale(), before);
    const TDouble2 now = PixelOf(v, under);
    EXPECT_NEAR(now.X, at.x(), 1.0);
    EXPECT_NEAR(now.Y, at.y(), 1.0);
}

TEST_F(FrameViewer, PanAndZoomComeBackInANewFrame) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    SendWheel(&v, QPoint(200, 150), 240);
    Drag(&v, QPoint(400, 300), QPoint(-120, 64));
    const TGeoPoint centre = GeoAt(v, v.width() / 2.0, v.height() / 2.0);
    const double scale = v.GetScale();
    MakeFrame();
    TNavViewerControl &again = Viewer();
    const TGeoPoint restored = GeoAt(again, again.width() / 2.0, again.height() / 2.0);
    EXPECT_NEAR(restored.Lat, centre.Lat, 1e-7);
    EXPECT_NEAR(restored.Lon, centre.Lon, 1e-7);
    EXPECT_NEAR(again.GetScale(), scale, 0.5) << "the stored scale is whole";
}

TEST_F(FrameViewer, CalibrationIsStoredAfterTheChangesSettleNotPerFrame) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    const QString calKey = Key + QStringLiteral("\\Calibration");
    ASSERT_TRUE(QTest::qWaitFor([&] { return RegKeyExists(GetAppReg(), Root, calKey); }, 5000));
    int32_t err = 0;
    RegDeleteKey(GetAppReg(), Root, calKey, err);
    Drag(&v, QPoint(400, 300), QPoint(80, 0));
    EXPECT_FALSE(RegKeyExists(GetAppReg(), Root, calKey)) << "written during the drag";
    EXPECT_TRUE(QTest::qWaitFor([&] { return RegKeyExists(GetAppReg(), Root, calKey); }, 5000));
}

TEST_F(FrameViewer, ViewChangedBeforeTheRestoreIsNeverStoredAsTheLastView) {
    // A first start: the window is sized while the disclaimer runs, before the last view is
    // restored. The viewer's built-in view must not become the stored one, or the restore
    // would trust it and never zoom to the charts.
    const QString calKey = Key + QStringLiteral("\\Calibration");
    ASSERT_FALSE(RegKeyExists(GetAppReg(), Root, calKey));
    Host = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(Host.get());
    layout->setContentsMargins(0, 0, 0, 0);
    Frame = new TFrameViewer(Host.get(), false, *Env, 0, 0, QStringLiteral("Main chart viewer"),
                             QStringLiteral("ViewerMain"));
    layout->addWidget(Frame);
    Host->resize(640, 480);
    Host->show();
    Env->RegisterViewer(Frame->Viewer());
    Frame->LoadSettings();
    Host->resize(1024, 700);
    QCoreApplication::processEvents();
    DestroyFrame();  // the destructor flushes a pending view
    EXPECT_FALSE(RegKeyExists(GetAppReg(), Root, calKey)) << "the default view was stored";

    MakeFrame();  // restored: from now on the view is the user's and is kept
    DestroyFrame();
    EXPECT_TRUE(RegKeyExists(GetAppReg(), Root, calKey));
}

TEST_F(FrameViewer, RestoreViewFallsBackThroughRasterCellBackgroundMapAndNothing) {
    struct Case {
        const char *name;
        bool raster, cells, backgroundMap, shipPosition;
    };
    const Case cases[] = {
        // The own ship keeps a position once it has one: the rows without come first.
        {"raster chart", true, true, false, false},
        {"S-57 cell", false, true, false, false},
        {"background map", false, false, true, false},
        {"nothing", false, false, false, false},
        {"raster chart and ship", true, true, false, true},
        {"S-57 cell and ship", false, true, false, true},
        {"background map and ship", false, false, true, true},
    };
    const TGeoPoint ship{52.93 * M_PI / 180, 4.61 * M_PI / 180};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFrameViewer &frame = MakeFrame();
        TNavViewerControl &v = Viewer();
        std::vector<NavObject *> charts;
        for (NavObject *o : AllCharts()) {
            const bool raster = dynamic_cast<IRasterChart *>(o) != nullptr;
            if ((raster && c.raster) || (!raster && c.cells)) charts.push_back(o);
        }
        int32_t err = 0;
        v.SetCharts(charts.data(), int32_t(charts.size()), err);
        v.SetOSMLayerEnabled(c.backgroundMap);
        // A stored view would win over every branch.
        RegDeleteKey(GetAppReg(), Root, Key + QStringLiteral("\\Calibration"), err);
        frame.FlushCalibration();
        RegDeleteKey(GetAppReg(), Root, Key + QStringLiteral("\\Calibration"), err);
        RegDeleteKey(GetAppReg(), Root, Key, err);
        if (c.shipPosition) Env->Boat->SetPosition(ship);
        ASSERT_EQ(Env->Boat->HasPosition(), c.shipPosition);
        const TGeoPoint before = GeoAt(v, v.width() / 2.0, v.height() / 2.0);
        frame.RestoreView();
        const TGeoPoint centre = GeoAt(v, v.width() / 2.0, v.height() / 2.0);
        if (c.shipPosition) {
            EXPECT_NEAR(centre.Lat, ship.Lat, 1e-6);
            EXPECT_NEAR(centre.Lon, ship.Lon, 1e-6);
        } else if (c.raster || c.cells) {
            EXPECT_TRUE(InDemoArea(centre));
        } else if (!c.backgroundMap) {
            EXPECT_NEAR(centre.Lat, before.Lat, 1e-9) << "nothing to show: the view stays";
            EXPECT_NEAR(centre.Lon, before.Lon, 1e-9);
        }
        EXPECT_EQ(StoredInt(Key, QStringLiteral("ViewerStateCurrent"), -1), 0)
            << "the view states are stored again";
    }
}

TEST_F(FrameViewer, UnusableStoredViewsFallBackToTheCharts) {
    struct Case {
        const char *name;
        double spread;  // stored points pulled together (< 1) or apart; 0: not a number
        bool usable;
    };
    const Case cases[] = {{"stored view as it was", 1.0, true},
                          {"not a number", 0.0, false},
                          {"closer than 1:10", 1e-7, false},
                          {"wider than 1:500,000,000", 1e4, false}};
    const QString calKey = Key + QStringLiteral("\\Calibration");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MakeFrame();
        TNavViewerControl &v = Viewer();
        // A view far from the demo waters.
        v.ZoomAt(1.0 / 64, v.GetCenterPoint());
        v.Pan(2000, 0);
        ASSERT_FALSE(InDemoArea(GeoAt(v, v.width() / 2.0, v.height() / 2.0)));
        Frame->FlushCalibration();
        ASSERT_TRUE(RegKeyExists(GetAppReg(), Root, calKey));
        int32_t err = 0;
        const int32_t count = StoredInt(calKey, QStringLiteral("CalPointCount"), 0);
        ASSERT_GE(count, 2);
        for (const char *axis : {"X", "Y"}) {
            const QString first = QStringLiteral("Coord1") + QLatin1String(axis);
            const double origin = RegReadDouble(GetAppReg(), Root, calKey, RegName(first), err);
            for (int i = 1; i <= count; ++i) {
                const QString name = QStringLiteral("Coord%1%2").arg(i).arg(QLatin1String(axis));
                const double value = RegReadDouble(GetAppReg(), Root, calKey, RegName(name), err);
                ASSERT_EQ(err, 0);
                StoreDouble(calKey, name,
                            c.spread == 0 ? std::nan("") : origin + (value - origin) * c.spread);
            }
        }
        DestroyFrame();
        MakeFrame();
        TNavViewerControl &again = Viewer();
        EXPECT_EQ(InDemoArea(GeoAt(again, again.width() / 2.0, again.height() / 2.0)), !c.usable);
        DestroyFrame();
        RegDeleteKey(GetAppReg(), Root, calKey, err);
    }
}

TEST_F(FrameViewer, PlotPositionAndCourseLineFollowTheViewState) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    StoreDouble(Key, QStringLiteral("GPSPlotPositionX"), 0.25);
    StoreDouble(Key, QStringLiteral("GPSPlotPositionY"), 7.0);
    struct Case {
        const char *name;
        int state;  // ViewerStateCurrent as stored
        int mode;
        bool courseLine;
        TFloat2 plot;
        bool bit;
    };
    const Case cases[] = {
        {"overview north up", 0, 5, false, {0.25f, 1.0f}, false},
        {"overview north up, course line", 0, 5, true, {0.25f, 1.0f}, true},
        {"overview course up", 0, 2, false, {0.5f, 0.7f}, false},
        {"navigation head up", 1, 3, false, {0.5f, 0.7f}, true},
        {"navigation leg up", 1, 4, false, {0.5f, 0.7f}, true},
        {"navigation chart up", 1, 1, false, {0.25f, 1.0f}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        StoreInt(Key, QStringLiteral("ViewerStateCurrent"), c.state);
        RegWriteTrackingMode(Key, c.state == 0 ? QStringLiteral("ViewerStateOverTMode")
                                               : QStringLiteral("ViewerStateNavTMode"),
                             c.mode);
        int32_t err = 0;
        RegWriteBool(GetAppReg(), Root, Key, RegName(u"GPSCourseLine"), c.courseLine, err);
        Frame->LoadSettings();
        Frame->ApplyViewerState(false);
        EXPECT_EQ(v.GetTrackingMode(), c.mode);
        EXPECT_FLOAT_EQ(v.GetTrackingCursorPos()->X, c.plot.X);
        EXPECT_FLOAT_EQ(v.GetTrackingCursorPos()->Y, c.plot.Y);
        EXPECT_EQ((v.GetGPSFlags() & NavViewerGPSFlag::CourseLine) != 0, c.bit);
        EXPECT_EQ(StoredBool(Key, QStringLiteral("GPSCourseLine"), !c.courseLine), c.courseLine)
            << "the flag is never written back";
        EXPECT_TRUE(v.GetTrackingEnabled() || c.state == 0);
    }
}

TEST_F(FrameViewer, TrackingChoiceInTheOverviewSurvivesARestart) {
    MakeFrame();
    ASSERT_EQ(Frame->CurrentViewerState(), ViewerStateIndex::Overview);
    Frame->SetTrackingEnabled(false);
    EXPECT_FALSE(StoredBool(Key, QStringLiteral("ViewerStateOverTracking"), true));
    MakeFrame();
    EXPECT_FALSE(Frame->ViewerStateRecord(ViewerStateIndex::Overview).Tracking);
    EXPECT_FALSE(Viewer().GetTrackingEnabled());
    EXPECT_EQ(StoredInt(Key, QStringLiteral("ViewerStateCurrent"), -1), 0) << "encoding kept";
}

TEST_F(FrameViewer, LoadingTheStoredTrackingLeavesTheOverviewStateAlone) {
    int32_t err = 0;
    RegWriteBool(GetAppReg(), Root, Key, RegName(u"TrackingEnabled"), false, err);
    MakeFrame();
    EXPECT_TRUE(Frame->ViewerStateRecord(ViewerStateIndex::Overview).Tracking);
    EXPECT_TRUE(StoredBool(Key, QStringLiteral("ViewerStateOverTracking"), false));
}

TEST_F(FrameViewer, StoredScalesOfZeroOrLessGiveTheDefaults) {
    StoreInt(Key, QStringLiteral("ViewerStateOverScale"), -5);
    StoreInt(Key, QStringLiteral("ViewerStateOverCurScale"), 0);
    StoreInt(Key, QStringLiteral("ViewerStateNavScale"), 8000);
    MakeFrame();
    EXPECT_EQ(Frame->ViewerStateRecord(ViewerStateIndex::Overview).BaseScale, 120000);
    EXPECT_EQ(Frame->ViewerStateRecord(ViewerStateIndex::Navigation).BaseScale, 8000);
    EXPECT_EQ(Frame->ViewerStateRecord(ViewerStateIndex::Navigation).CurrentScale, 8000);
}

TEST_F(FrameViewer, BackAndFrontChartExcludeEachOtherAndHidingDropsTheSelection) {
    MakeFrame(QSize(800, 600), true);
    TNavViewerControl &v = Viewer();
    ASSERT_GT(v.GetChartCount(), 0);
    IRasterChart *a = v.GetChart(0);
    Frame->SetBackChart(a);
    Frame->SetFrontChart(a);
    EXPECT_EQ(v.GetFrontChart(), a);
    EXPECT_EQ(v.GetBackChart(), nullptr);
    Frame->SetBackChart(a);
    EXPECT_EQ(v.GetBackChart(), a);
    EXPECT_EQ(v.GetFrontChart(), nullptr);

    const TGUID guid = *a->GetChartObject()->GetInfo()->GetGUID();
    TNavPtr<ISortedGUIDArray> selected(SortedGUIDArrayCreate());
    Env->ChartManager->GetSelectedCharts(selected.get(), v.GetViewerIndex());
    ASSERT_TRUE(selected->Contains(guid));
    // The main window hands the chart manager's new selection back to the frame.
    Env->Events.OnChartSetsChanged = [this](int32_t viewerIndex, intptr_t reloadData) {
        ASSERT_EQ(viewerIndex, Viewer().GetViewerIndex());
        const auto *data = reinterpret_cast<const TChartSetReloadData *>(reloadData);
        Frame->ReloadChartSet(data->RasterEntries, data->RasterCount, data->S57Entries,
                              data->S57Count);
    };
    const auto inView = [&] {
        for (int32_t i = 0; i < v.GetViewChartCount(); ++i)
            if (v.GetViewChart(i) == a) return true;
        return false;
    };
    v.ZoomToChart(a);
    ASSERT_TRUE(inView());
    Frame->HideChart(a);
    EXPECT_EQ(v.GetBackChart(), nullptr);
    Env->ChartManager->GetSelectedCharts(selected.get(), v.GetViewerIndex());
    EXPECT_FALSE(selected->Contains(guid));
    EXPECT_FALSE(inView()) << "the reloaded selection leaves the chart out";
    Env->Events.OnChartSetsChanged = nullptr;
}

TEST_F(FrameViewer, HidingTheCellSwitchesItOffForThisViewerAndStoresIt) {
    MakeFrame();
    IChart *cell = Env->ChartManager->GetChart(0);
    const uint32_t bit = 1u << Viewer().GetViewerIndex();
    ASSERT_TRUE(cell->IsVisibleIn(bit));
    Frame->HideS57Chart(cell);
    EXPECT_FALSE(cell->IsVisibleIn(bit));
    QStringList names;
    int32_t err = 0;
    RegGetValueNames(GetAppReg(), Root, QStringLiteral("S57\\Visible"), names, err);
    EXPECT_EQ(names.size(), 1);
}

TEST_F(FrameViewer, ChartManagerDialogResetsAVanishedFrontChartAndStoresTheBackgroundMap) {
    MakeFrame(QSize(800, 600), true);
    TNavViewerControl &v = Viewer();
    ASSERT_GT(v.GetChartCount(), 0);
    Frame->SetFrontChart(v.GetChart(0));
    StoreInt(QStringLiteral("Updates"), QStringLiteral("ChartAutoUpdateThreshold"), 42);
    Env->ChartAutoUpdateThreshold = 7;
    TChartManagerCall seen;
    auto old = TFrameViewer::SetChartManagerExecute([&](TChartManagerCall &call) {
        seen = call;
        // The dialog switched the chart's set off and the background map on.
        std::vector<NavObject *> cells;
        for (int32_t i = 0; i < Env->ChartManager->GetChartCount(); ++i)
            cells.push_back(Env->ChartManager->GetChart(i));
        int32_t err = 0;
        v.SetCharts(cells.data(), int32_t(cells.size()), err);
        call.OSMLayerEnabled = true;
    });
    int selectionChanged = 0, stateChanged = 0;
    Frame->OnChartSelectionChanged = [&](TFrameViewer &) { ++selectionChanged; };
    Frame->OnStateChanged = [&](TFrameViewer &) { ++stateChanged; };
    Frame->ShowChartManager(0);
    TFrameViewer::SetChartManagerExecute(std::move(old));
    EXPECT_EQ(seen.Caption, QStringLiteral("Main chart viewer"));
    EXPECT_EQ(seen.ChartManager, Env->ChartManager);
    EXPECT_FALSE(seen.Changed);
    EXPECT_EQ(v.GetFrontChart(), nullptr);
    EXPECT_TRUE(v.GetOSMLayerEnabled());
    EXPECT_TRUE(StoredBool(Key, QStringLiteral("OSMLayerEnabled"), false));
    EXPECT_EQ(Env->ChartAutoUpdateThreshold, 42);
    EXPECT_EQ(selectionChanged, 1);
    EXPECT_GE(stateChanged, 1);
}

TEST_F(FrameViewer, ChartUpdateThresholdDefaultsTo500) {
    MakeFrame();
    Env->ChartAutoUpdateThreshold = 7;
    auto old = TFrameViewer::SetChartManagerExecute([](TChartManagerCall &) {});
    Frame->ShowChartManager(0);
    TFrameViewer::SetChartManagerExecute(std::move(old));
    EXPECT_EQ(Env->ChartAutoUpdateThreshold, 500);
    EXPECT_FALSE(StoredBool(Key, QStringLiteral("OSMLayerEnabled"), true));
}

TEST_F(FrameViewer, DestructionUnregistersTheViewerAndStoresThePendingView) {
    MakeFrame();
    EXPECT_EQ(Env->Viewers.size(), 1u);
    const QString calKey = Key + QStringLiteral("\\Calibration");
    int32_t err = 0;
    Frame->FlushCalibration();
    RegDeleteKey(GetAppReg(), Root, calKey, err);
    Viewer().Pan(30, 0);
    DestroyFrame();
    EXPECT_TRUE(Env->Viewers.empty());
    EXPECT_TRUE(RegKeyExists(GetAppReg(), Root, calKey));
}

TEST_F(FrameViewer, ViewerEventsReachTheFrameAndAFailingHandlerIsReported) {
    MakeFrame();
    std::vector<int32_t> kinds;
    Frame->OnViewerEvent = [&](TFrameViewer &frame, const TViewerEvent &ev) {
        EXPECT_EQ(&frame, Frame);
        kinds.push_back(ev.Kind);
    };
    Frame->SetHomeAndWaterLevels(52.9, 4.6, 0.1f, 0.2f, 0.3f);
    EXPECT_EQ(kinds, std::vector<int32_t>{ViewerEventKind::HomePositionSet});
    testsupport::TExpectReports reports;
    Frame->OnViewerEvent = [](TFrameViewer &, const TViewerEvent &) {
        throw std::runtime_error("handler failed");
    };
    Frame->SetHomeAndWaterLevels(10.0, 10.0, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(reports.Count(), 1);
}

// The view of the last close comes back as it was left, the own ship elsewhere: left still
// on a fresh store (the overview state's stored tracking flag is on by default, the viewer's
// own off), it stays where it was; left following the ship, it is again on the ship.
TEST_F(FrameViewer, AStoredViewComesBackAsItWasLeftWithTheShipElsewhere) {
    for (const bool following : {false, true}) {
        SCOPED_TRACE(following ? "left following the ship" : "left still");
        MakeFrame();
        TNavViewerControl &v = Viewer();
        if (!following) {
            ASSERT_FALSE(v.GetTrackingEnabled());
            ASSERT_TRUE(Frame->ViewerStateRecord(ViewerStateIndex::Overview).Tracking);
        }
        v.Pan(-120, 60);
        Env->Boat->SetPosition(GeoAt(v, 760, 40));
        if (following) Frame->SetTrackingEnabled(true);
        Frame->FlushCalibration();
        const TGeoPoint centre = *v.GetCenterPosition();
        const double scale = v.GetScale();

        MakeFrame();
        TNavViewerControl &back = Viewer();
        EXPECT_EQ(back.GetTrackingEnabled(), following);
        EXPECT_NEAR(back.GetCenterPosition()->Lat, centre.Lat, 1e-7);
        EXPECT_NEAR(back.GetCenterPosition()->Lon, centre.Lon, 1e-7);
        EXPECT_EQ(std::lround(back.GetScale()), std::lround(scale));
    }
}
