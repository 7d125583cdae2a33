// The main window's route, waypoint, track and navigation commands, its status bar and its
// handlers of the viewer's clicked objects, on the real environment, viewer and frames with
// the demo data. The details panel records which page it was asked for and then shows it.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/charts/KvCharts.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraNavInfo.h"
#include "chartview/FraNavRoute.h"
#include "chartview/FraViewer.h"
#include "chartview/NavViewerControl.h"
#include "objectinfo/FraLinkDetails.h"
#include "objectinfo/KvWWNetwork.h"
#include "routes/FrmRoutePointSelect.h"
#include "shell/FrmSettingsLocale.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvViewer.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QLabel>
#include <QTreeView>
#include <QApplication>
#include <QMouseEvent>
#include <QComboBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QDockWidget>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {

constexpr int32_t Root = AppRegRoot::Product;

// The details panel of the program that notes every page it is asked for.
class TRecordingLinkDetails : public IFrameLinkDetails {
public:
    TRecordingLinkDetails(QWidget *host, TMarivoNavEnv &env, QStringList &log)
        : FReal(ProgramFrameFactories().LinkDetails(host, env)), FLog(log) {}
    QWidget *Widget() override { return FReal->Widget(); }
    int ContentType() override { return FReal->ContentType(); }
    void RefreshPage() override { FReal->RefreshPage(); }
    bool ShowStruct(IWWStruct *structure, IGeodeticCalibration *calibration) override {
        FLog << QStringLiteral("Struct ") + WWStructGetName(structure);
        return FReal->ShowStruct(structure, calibration);
    }
    bool ShowWaypoint(IWptWaypoint *w, bool toggle) override {
        FLog << QStringLiteral("Waypoint");
        return FReal->ShowWaypoint(w, toggle);
    }
    bool ShowSection(IWWSection *s, IGeodeticCalibration *, double) override {
        FLog << QStringLiteral("Section ") + WWSectionGetName(s);
        return true;
    }
    bool ShowNotice(NavObject *, IWWSection *, IGeodeticCalibration *, double) override {
        FLog << QStringLiteral("Notice");
        return true;
    }
    bool ShowHTMLText(const QString &caption, const QString &html, const QStringList &folders) override {
        FLog << QStringLiteral("Folders ") + folders.join(QLatin1Char(';'));
        FLog << QStringLiteral("HTML ") + caption;
        return FReal->ShowHTMLText(caption, html, folders);
    }

private:
    std::unique_ptr<IFrameLinkDetails> FReal;
    QStringList &FLog;
};

// The notifications the environment delivers, in order.
struct TDeliveries {
    std::vector<std::pair<int32_t, intptr_t>> Items;
    static void Receive(void *data, TNavNotification *n) {
        static_cast<TDeliveries *>(data)->Items.emplace_back(n->Code, n->P1);
    }
    int Count(int32_t code) const {
        return int(std::count_if(Items.begin(), Items.end(), [code](const auto &i) { return i.first == code; }));
    }
};

class MainWindowRoutes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Options.DataFolder = shelltest::FreshDemoData(QStringLiteral("routes"));
        ASSERT_FALSE(Options.DataFolder.isEmpty());
        FOldPrompter = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return int(mrNo);
        });
        TMainFrameFactories factories = ProgramFrameFactories();
        factories.LinkDetails = [this](QWidget *host, TMarivoNavEnv &env) -> std::unique_ptr<IFrameLinkDetails> {
            return std::make_unique<TRecordingLinkDetails>(host, env, Pages);
        };
        FOldFactories = TFormMarivo6Main::SetFrameFactories(std::move(factories));
        FOldSource = TFormMarivo6Main::SetPortSource([] { return QStringList(); });
        FOldSelect = TFormRoutePointSelect::SetPrompter([](TFormRoutePointSelect &) { return int(QDialog::Rejected); });
    }
    void TearDown() override {
        if (Main && Main->NavEnv()) Main->NavEnv()->CoreEnv->GetDispatcher()->Unsubscribe(TDeliveries::Receive, &Delivered);
        Main.reset();
        TFormMarivo6Main::SetFrameFactories(std::move(FOldFactories));
        TFormMarivo6Main::SetPortSource(std::move(FOldSource));
        TFormRoutePointSelect::SetPrompter(std::move(FOldSelect));
        SetMsgBoxPrompter(std::move(FOldPrompter));
        SetApplicationTerminated(false);
    }
    TFormMarivo6Main &MakeRunning() {
        Main = std::make_unique<TFormMarivo6Main>(Options);
        Main->setGeometry(0, 0, 1280, 800);
        Main->show();
        Main->WMDeferredStart();
        Main->NavEnv()->CoreEnv->GetDispatcher()->Subscribe(TDeliveries::Receive, &Delivered);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Viewer()->GetCalibration() != nullptr; }, 15000));
        // The network is drawn, so it can be hit.
        Viewer()->SetNetworkFlags(Viewer()->GetNetworkFlags() | NavViewerNetworkFlag::Sections);
        return *Main;
    }
    TMarivoNavEnv &Env() { return *Main->NavEnv(); }
    TNavViewerControl *Viewer() { return Main->ViewerMain()->ViewerControl(); }
    QAction *A(const char *name) { return Main->Action(name); }
    IWWSection *Section(int i) { return Env().WaterwayNetwork->GetSection(i); }
    // A route of the user database over the demo network, listed and shown.
    IWptRoute *NetworkRoute(int first, int points) {
        IWptRoute *route = Env().UserDatabase->NewRoute(45000.0);
        for (int i = 0; i < points; ++i) {
            int32_t err = 0;
            route->AddNetworkPoint(Section(first + i), 10.0, 0, err);
            EXPECT_EQ(err, 0);
        }
        int32_t index = -1;
        if (!Env().RouteList->Find(route, index)) Env().RouteList->Add(route);
        return route;
    }
    // The view at 100 % on a point of a section, the mouse moved onto it.
    QPoint MouseOnSection(IWWSection *section, double offset) {
        TDouble3 global{};
        section->GetGlobalPositionAt(global, offset);
        TGeoPoint geo{};
        GlobalToGeo2(geo, global, ProgramGeodeticFrame());
        const TDouble2 centre{Viewer()->width() / 2.0 - 0.5, Viewer()->height() / 2.0 - 0.5};
        Viewer()->Zoom100At(&geo, &centre);
        const QPoint at(Viewer()->width() / 2, Viewer()->height() / 2);
        MoveMouse(at);
        return at;
    }
    // A mouse move as the desktop delivers it to the viewer control.
    void MoveMouse(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(Viewer()->mapToGlobal(at)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Viewer(), &move);
        QCoreApplication::processEvents();
    }
    void Flush() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("routes")};
    shelltest::TShellScope FShell;
    TStartOptions Options;
    std::unique_ptr<TFormMarivo6Main> Main;
    QStringList Messages;
    QStringList Pages;
    TDeliveries Delivered;

private:
    std::function<int(TMessageForm &)> FOldPrompter;
    TMainFrameFactories FOldFactories;
    std::function<QStringList()> FOldSource;
    TFormRoutePointSelect::TPrompter FOldSelect;
};

}  // namespace

TEST_F(MainWindowRoutes, EditModesChangeOnlyThroughTheirCommands) {
    TFormMarivo6Main &main = MakeRunning();
    // Route editing twice: in, then out (an empty new route goes again).
    A("ActionRouteEdit")->trigger();
    EXPECT_EQ(main.GetEditMode(), EditMode::Route);
    EXPECT_EQ(Viewer()->GetEditMode(), 2);
    EXPECT_NE(Env().EditedRoute, nullptr);
    Flush();
    A("ActionRouteEdit")->trigger();
    EXPECT_EQ(main.GetEditMode(), EditMode::None);
    EXPECT_EQ(Env().EditedRoute, nullptr);
    // Distance measuring during route editing ends the route editing first.
    A("ActionRouteNew")->trigger();
    ASSERT_NE(Env().EditedRoute, nullptr);
    Flush();
    A("ActionNavigationDistance")->trigger();
    EXPECT_EQ(main.GetEditMode(), EditMode::Distance);
    EXPECT_EQ(Env().EditedRoute, nullptr) << "the route exit routine ran";
    EXPECT_EQ(Viewer()->GetEditMode(), 3);
    // Waypoint editing shows waypoints and their labels; the second press leaves it.
    Viewer()->SetWaypointFlags(0);
    A("ActionWaypointEdit")->trigger();
    EXPECT_EQ(main.GetEditMode(), EditMode::Waypoints);
    EXPECT_EQ(Viewer()->GetEditMode(), 1);
    EXPECT_EQ(Viewer()->GetWaypointFlags() & 0x3u, 0x3u);
    A("ActionWaypointEdit")->trigger();
    EXPECT_EQ(main.GetEditMode(), EditMode::None);
    EXPECT_EQ(Viewer()->GetEditMode(), 0);
}

TEST_F(MainWindowRoutes, RouteEditButtonsWriteOnlyTheirOwnValue) {
    MakeRunning();
    A("ActionRouteNew")->trigger();
    Flush();
    const QString key = QStringLiteral("Routes");
    const struct { const char *action; uint32_t bit; const char16_t *value; } cases[] = {
        {"ActionRouteEditAdd", 0x1, u"EditPointAdd"},
        {"ActionRouteEditDelete", 0x2, u"EditPointDelete"},
        {"ActionRouteEditMove", 0x4, u"EditPointMove"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.action);
        int32_t err = 0;
        for (const auto &other : cases) RegDeleteValue(GetAppReg(), Root, key, RegName(QString::fromUtf16(other.value)), err);
        for (bool second : {false, true}) {
            const bool before = Viewer()->GetRouteEditFlags() & c.bit;
            A(c.action)->trigger();
            const bool now = Viewer()->GetRouteEditFlags() & c.bit;
            EXPECT_NE(now, before);
            EXPECT_EQ(A(c.action)->isChecked(), now);
            int32_t readErr = 0;
            EXPECT_EQ(RegReadBool(GetAppReg(), Root, key, RegName(QString::fromUtf16(c.value)), readErr), now) << second;
            EXPECT_EQ(readErr, 0);
        }
        for (const auto &other : cases) {
            if (other.bit == c.bit) continue;
            int32_t readErr = 0;
            RegReadBool(GetAppReg(), Root, key, RegName(QString::fromUtf16(other.value)), readErr);
            EXPECT_NE(readErr, 0) << "not written: " << other.action;
        }
    }
}

TEST_F(MainWindowRoutes, StartFollowsTheSelectedRouteAndStopsAFollowedOne) {
    TFormMarivo6Main &main = MakeRunning();
    // Nothing selected, nothing followed: nothing happens.
    main.SelectRoute(nullptr);
    A("ActionRouteStart")->trigger();
    EXPECT_EQ(Env().GetActiveRoute(), nullptr);
    IWptRoute *a = NetworkRoute(0, 2);
    IWptRoute *b = NetworkRoute(2, 2);
    main.SelectRoute(a);
    ASSERT_TRUE(A("ActionRouteStart")->isEnabled());
    A("ActionRouteStart")->trigger();
    EXPECT_EQ(Env().GetActiveRoute(), a);
    // A followed route of the skipper's own is stopped, whatever is selected.
    main.SelectRoute(b);
    A("ActionRouteStart")->trigger();
    EXPECT_EQ(Env().GetActiveRoute(), nullptr);
    A("ActionRouteStart")->trigger();
    EXPECT_EQ(Env().GetActiveRoute(), b);
    // The selection is stored by GUID.
    TGUID stored{};
    RegReadGUIDDef(GetAppReg(), Root, QStringLiteral("Navigation"), RegName(u"SelectedRouteGUID"), TGUID{}, stored);
    EXPECT_EQ(stored, *b->GetGUID());
}

TEST_F(MainWindowRoutes, FindARoutePointAppendsTheChosenMarinaChannelAndShowsIt) {
    MakeRunning();
    A("ActionRouteNew")->trigger();
    Flush();
    IWptRoute *route = Env().EditedRoute;
    ASSERT_NE(route, nullptr);
    // The route may use the Dutch inland waters, where the demo network lies.
    int32_t err = 0;
    route->SetWaterBodyMask(route->GetWaterBodyMask() | (1u << WptWaterBody::InlandNetherlands), err);
    ASSERT_EQ(err, 0);
    if (!(Viewer()->GetRouteEditFlags() & 0x1)) A("ActionRouteEditAdd")->trigger();
    ASSERT_TRUE(A("ActionRoutePointAdd")->isEnabled());
    TFormRoutePointSelect::SetPrompter([](TFormRoutePointSelect &f) {
        f.CheckListBoxSearchTypes->item(7)->setCheckState(Qt::Checked);
        f.ComboSearch1->setEditText(QStringLiteral("Dunmeer Marina Channel"));
        for (int i = 0; i < 3 && f.result() == 0 && f.ButtonOk->isEnabled(); ++i) f.ButtonOk->click();
        return f.result();
    });
    Delivered.Items.clear();
    A("ActionRoutePointAdd")->trigger();
    ASSERT_EQ(route->GetPointCount(), 1);
    IWptRoutePoint *point = route->GetPoint(0);
    Flush();
    ASSERT_EQ(Delivered.Count(40), 1);
    const auto added = std::find_if(Delivered.Items.begin(), Delivered.Items.end(), [](const auto &i) { return i.first == 40; });
    EXPECT_EQ(added->second, reinterpret_cast<intptr_t>(point));
    // The view is centred on the new point at 100 %.
    const TRoutePosition *p = point->GetPosition();
    const TGeoPoint *centre = Viewer()->GetCenterPosition();
    ASSERT_TRUE(centre);
    EXPECT_NEAR(centre->Lat, p->Lat, 1e-5);
    EXPECT_NEAR(centre->Lon, p->Lon, 1e-5);
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(MainWindowRoutes, ALocationTheRouteCannotTakeIsReportedAndPostsNothing) {
    TFormMarivo6Main &main = MakeRunning();
    A("ActionRouteNew")->trigger();
    Flush();
    IWptRoute *route = Env().EditedRoute;
    ASSERT_NE(route, nullptr);
    if (!(Viewer()->GetRouteEditFlags() & 0x1)) A("ActionRouteEditAdd")->trigger();
    // A location record with neither waypoint nor network object.
    TMainDialogs dialogs = main.Dialogs();
    dialogs.RoutePointSelect = [](QWidget *, TMarivoNavEnv &, IWWNetwork *, TRoutePointSelection &, int32_t &) {
        return true;
    };
    main.SetMainDialogs(dialogs);
    const TGeoPoint before = *Viewer()->GetCenterPosition();
    Delivered.Items.clear();
    A("ActionRoutePointAdd")->trigger();
    Flush();
    EXPECT_EQ(route->GetPointCount(), 0);
    EXPECT_EQ(Delivered.Count(40), 0);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_FALSE(Messages[0].isEmpty());
    EXPECT_EQ(Viewer()->GetCenterPosition()->Lat, before.Lat) << "the view stays";
}

// Points clicked on the chart while the route is edited are planned over the network at
// once, and again when one is dragged elsewhere: the last point gets its arrival time.
TEST_F(MainWindowRoutes, PointsClickedOnTheChartArePlannedAtOnce) {
    // Planned in the opening hours of the network's bridges and locks.
    testsupport::TWorkingMorningClock morning;
    MakeRunning();
    A("ActionRouteNew")->trigger();
    Flush();
    IWptRoute *route = Env().EditedRoute;
    ASSERT_NE(route, nullptr);
    IWWSection *section = Section(0);
    ASSERT_NE(section, nullptr);
    // The planner keeps to the waters the route allows: those of the clicked waterway too.
    int32_t err = 0;
    route->SetWaterBodyMask(route->GetWaterBodyMask() | (1u << WptWaterBody::InlandNetherlands) |
                                (1u << section->GetWaterBody()),
                            err);
    ASSERT_EQ(err, 0);
    if (!(Viewer()->GetRouteEditFlags() & 0x1)) A("ActionRouteEditAdd")->trigger();
    const QPoint first = MouseOnSection(section, section->GetLength() / 2);
    TDouble3 global{};
    section->GetGlobalPositionAt(global, std::min(section->GetLength(), section->GetLength() / 2 + 150.0));
    TGeoPoint geo{};
    GlobalToGeo2(geo, global, ProgramGeodeticFrame());
    TDouble2 px{};
    Viewer()->GetCalibration()->GeoToPixel(px, geo);
    const QPoint second(qRound(px.X), qRound(px.Y));
    ASSERT_TRUE(Viewer()->rect().contains(second));
    ASSERT_GT((second - first).manhattanLength(), 10);
    auto planned = [&] {
        IWptRoutePoint *last = route->GetPointCount() ? route->GetPoint(route->GetPointCount() - 1) : nullptr;
        IWptPlanPoint *plan = last ? last->GetPlanPoint() : nullptr;
        return plan && plan->GetArrival() && plan->GetStatus() == WptPlanStatus::Planned;
    };
    for (const QPoint &at : {first, second}) {
        Delivered.Items.clear();
        MoveMouse(at);
        QTest::mouseClick(Viewer(), Qt::LeftButton, {}, at);
        Flush();
        EXPECT_GE(Delivered.Count(NavNotify::RouteCalcEnd), 1) << "a click at " << at.x() << "," << at.y();
    }
    ASSERT_EQ(route->GetPointCount(), 2);
    EXPECT_TRUE(planned());
    // A point dragged along the chart is planned again.
    if (!(Viewer()->GetRouteEditFlags() & 0x4)) A("ActionRouteEditMove")->trigger();
    // Where the point is drawn now: planning may have moved the view.
    const TRoutePosition before = *route->GetPoint(1)->GetPosition();
    Viewer()->GetCalibration()->GeoToPixel(px, TGeoPoint{before.Lat, before.Lon});
    const QPoint from(qRound(px.X), qRound(px.Y)), moved = from + QPoint(0, 3);
    ASSERT_TRUE(Viewer()->rect().contains(moved));
    Delivered.Items.clear();
    MoveMouse(from);
    QTest::mousePress(Viewer(), Qt::LeftButton, {}, from);
    QMouseEvent drag(QEvent::MouseMove, QPointF(moved), QPointF(Viewer()->mapToGlobal(moved)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Viewer(), &drag);
    QTest::mouseRelease(Viewer(), Qt::LeftButton, {}, moved);
    Flush();
    EXPECT_EQ(route->GetPointCount(), 2);
    EXPECT_NE(route->GetPoint(1)->GetPosition()->Lat, before.Lat) << "the point moved";
    EXPECT_GE(Delivered.Count(NavNotify::RouteCalcEnd), 1) << "the dragged point";
    EXPECT_TRUE(planned());
}

TEST_F(MainWindowRoutes, StatusTextsOfClockAndWaterway) {
    struct Clock { int32_t offset; const char *text; };
    for (const Clock &c : {Clock{-90, " -90 min"}, Clock{0, ""}, Clock{60, " +60 min"}})
        EXPECT_EQ(TFormMarivo6Main::StatusOffsetText(c.offset), QString::fromLatin1(c.text)) << c.offset;
    struct Way { double metres; const char *text; };
    for (const Way &w : {Way{12370.0, "Vorn (km 12.3)"}, Way{12399.9, "Vorn (km 12.3)"}, Way{0.0, "Vorn (km 0.0)"},
                         Way{-1.0, "Vorn"}})
        EXPECT_EQ(TFormMarivo6Main::StatusWaterwayText(QStringLiteral("Vorn"), w.metres), QString::fromLatin1(w.text))
            << w.metres;
}

TEST_F(MainWindowRoutes, StatusBarKeepsSevenPanelsAndShowsTheSectionUnderTheMouse) {
    TFormMarivo6Main &main = MakeRunning();
    ASSERT_EQ(main.StatusPanels().size(), 7u);
    EXPECT_EQ(main.StatusPanels()[4], static_cast<QWidget *>(main.ProgressBar)) << "the progress bar is the fifth";
    main.InitInterface(true);
    EXPECT_EQ(main.StatusPanels().size(), 7u) << "a second full set-up removes nothing more";
    // The clock panel ends with the offset of the clock.
    main.UpdateStatusBar(nullptr, 1);
    EXPECT_TRUE(main.StatusPanelText(3).startsWith(QStringLiteral("Time: ")));
    EXPECT_TRUE(main.StatusPanelText(3).contains(QStringLiteral("(UTC")));
    // A real mouse move over a demo section names its fairway part, and the position.
    IWWSection *section = Section(0);
    ASSERT_NE(section, nullptr);
    MouseOnSection(section, section->GetLength() / 2);
    ASSERT_EQ(Viewer()->GetNetworkSectionAtMouse(), section);
    const QString part = WWFairwayPartGetName(section->GetFairwayPart());
    EXPECT_TRUE(main.StatusPanelText(5).startsWith(part)) << main.StatusPanelText(5).toStdString();
    EXPECT_FALSE(main.StatusPanelText(0).isEmpty());
    // The sound panel follows the switch.
    A("ActionSound")->trigger();
    EXPECT_EQ(main.StatusPanels()[1]->property("ImageIndex").toInt(), Env().SoundEnabled ? 15 : 16);
}

TEST_F(MainWindowRoutes, ClickedRoutesSelectFirstAndThenShowTheSectionBelow) {
    TFormMarivo6Main &main = MakeRunning();
    IWptRoute *a = NetworkRoute(0, 2);
    IWptRoute *b = NetworkRoute(2, 2);
    main.SelectRoute(a);
    IWWSection *section = Section(0);
    MouseOnSection(section, section->GetLength() / 2);
    ASSERT_EQ(Viewer()->GetNetworkSectionAtMouse(), section);
    // Another route: selected, no page.
    main.OnViewerObjectEvent(Viewer(), TViewerEvent{ObjectEventKind::Route, b});
    EXPECT_EQ(Env().SelectedRoute, b);
    EXPECT_TRUE(Pages.isEmpty());
    // The selected route again with a section under the mouse: that section's page.
    main.OnViewerObjectEvent(Viewer(), TViewerEvent{ObjectEventKind::Route, b});
    EXPECT_EQ(Pages, QStringList({QStringLiteral("Section ") + WWSectionGetName(section)}));
    EXPECT_TRUE(main.PanelShown(QStringLiteral("DockablePanelLinkDetails")));
    // A route point counts for its route.
    Pages.clear();
    main.OnViewerObjectEvent(Viewer(), TViewerEvent{ObjectEventKind::RoutePoint, a->GetPoint(0)});
    EXPECT_EQ(Env().SelectedRoute, a);
    EXPECT_TRUE(Pages.isEmpty());
    // Kinds outside the table and events without an object change nothing.
    for (int32_t kind : {-1, 20, ObjectEventKind::Route, ObjectEventKind::Waypoint, ObjectEventKind::S57Object})
        main.OnViewerObjectEvent(Viewer(), TViewerEvent{kind, nullptr});
    for (int32_t kind : {-1, 20, 3, 15}) main.OnViewerEvent(TViewerEvent{kind, nullptr});
    EXPECT_EQ(Env().SelectedRoute, a);
    EXPECT_TRUE(Pages.isEmpty());
}

TEST_F(MainWindowRoutes, ANoticeOverAnotherRouteOnlySelectsIt) {
    TFormMarivo6Main &main = MakeRunning();
    IWptRoute *a = NetworkRoute(0, 2);
    IWptRoute *b = NetworkRoute(2, 2);
    main.SelectRoute(a);
    // The mouse on b's first point: b lies under the mouse.
    const TRoutePosition *p = b->GetPoint(0)->GetPosition();
    const TGeoPoint geo{p->Lat, p->Lon};
    const TDouble2 centre{Viewer()->width() / 2.0 - 0.5, Viewer()->height() / 2.0 - 0.5};
    Viewer()->Zoom100At(&geo, &centre);
    MoveMouse(QPoint(Viewer()->width() / 2, Viewer()->height() / 2));
    if (Viewer()->GetRouteAtMouse() != b) GTEST_SKIP() << "the route is not hit at its first point";
    main.OnViewerObjectEvent(Viewer(), TViewerEvent{ObjectEventKind::Notice, b});
    EXPECT_EQ(Env().SelectedRoute, b);
    EXPECT_TRUE(Pages.isEmpty()) << "no notice page";
    // Now over the selected route the notice shows its page.
    main.OnViewerObjectEvent(Viewer(), TViewerEvent{ObjectEventKind::Notice, b});
    EXPECT_EQ(Pages, QStringList({QStringLiteral("Notice")}));
}

TEST_F(MainWindowRoutes, AnS57PickOnTheDemoCellFillsTheLinkDetailsPanel) {
    TFormMarivo6Main &main = MakeRunning();
    IChartManager *manager = Env().ChartManager;
    ASSERT_GT(manager->GetChartCount(), 0);
    IChart *cell = manager->GetChart(0);
    Viewer()->ZoomToS57Chart(cell);
    Viewer()->SetS57PickEnabled(true);
    QCoreApplication::processEvents();
    const QPoint at(Viewer()->width() / 2, Viewer()->height() / 2);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            QTest::mouseClick(Viewer(), Qt::LeftButton, {}, at);
            return !Pages.isEmpty();
        },
        10000));
    EXPECT_EQ(Pages.last(), QStringLiteral("HTML S57 pick report"));
    // Its attachments may come from the picked cell's folder only.
    ASSERT_GE(Pages.size(), 2);
    EXPECT_EQ(Pages[Pages.size() - 2], QStringLiteral("Folders ") + ChartGetFolder(cell));
    QDockWidget *panel = main.Panel(QStringLiteral("DockablePanelLinkDetails"));
    EXPECT_EQ(panel->windowTitle(), QStringLiteral("S57 pick report"));
    EXPECT_TRUE(main.PanelShown(QStringLiteral("DockablePanelLinkDetails")));
}

TEST_F(MainWindowRoutes, RouteEditingScreenshot) {
    TFormMarivo6Main &main = MakeRunning();
    NetworkRoute(0, 3);
    A("ActionRouteNew")->trigger();
    Flush();
    IWWSection *section = Section(4);
    MouseOnSection(section, section->GetLength() / 2);
    EXPECT_FALSE(main.StatusPanelText(5).isEmpty());
    main.UpdateStatusBar(nullptr, 1);
    main.UpdateStatusBar(nullptr, 5);
    EXPECT_TRUE(main.ToolbarRoute->isVisible());
    shelltest::SaveScreenshot(&main, QStringLiteral("main-window-route-editing"));
}

TEST_F(MainWindowRoutes, TrackManagerResumesTheReplayOfTheListedTrackWhateverTheLetterCase) {
    TFormMarivo6Main &main = MakeRunning();
    QTemporaryDir dir;
    INavTrack *listed = NavTrackCreateNew(dir.filePath(QStringLiteral("Trip.trk")), false);
    Env().TrackList->Add(listed);  // the list owns it
    // Without times the replay panel does not offer it: its current track stays none.
    listed->SetHasTimes(false);
    TNavPtr<INavTrack> replayed(NavTrackCreateNew(dir.filePath(QStringLiteral("TRIP.TRK")), false));
    Viewer()->SetReplayTrack(replayed.get());
    ASSERT_TRUE(Viewer()->GetTrackReplayMode());
    int shown = 0;
    TMainDialogs dialogs = main.Dialogs();
    dialogs.TrackManager = [&](QWidget *, TMarivoNavEnv &) -> INavTrack * {
        ++shown;
        EXPECT_FALSE(Viewer()->GetTrackReplayMode()) << "the replay stops while the manager runs";
        return nullptr;
    };
    main.SetMainDialogs(dialogs);
    ASSERT_TRUE(A("ActionTrackManager")->isEnabled());
    A("ActionTrackManager")->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Viewer()->GetReplayTrack(), listed);
    // Without a replay there is nothing to resume (the replay panel has no track).
    Viewer()->SetReplayTrack(nullptr);
    A("ActionTrackManager")->trigger();
    EXPECT_EQ(Viewer()->GetReplayTrack(), nullptr);
    // A track the replay panel offers is its current track: closing the manager replays it.
    listed->SetHasTimes(true);
    A("ActionTrackManager")->trigger();
    EXPECT_EQ(Viewer()->GetReplayTrack(), listed);
}

TEST_F(MainWindowRoutes, RouteManagerResultsSelectShowFollowAndForgetADeletedRoute) {
    TFormMarivo6Main &main = MakeRunning();
    IWptRoute *a = NetworkRoute(0, 2);
    IWptRoute *b = NetworkRoute(2, 2);
    int action = 0;
    IWptRoute *chosen = nullptr;
    std::function<void()> meanwhile;
    TMainDialogs dialogs = main.Dialogs();
    dialogs.RouteManager = [&](QWidget *, TMarivoNavEnv &, IWptRoute *&route) {
        if (meanwhile) meanwhile();
        route = chosen;
        return action;
    };
    main.SetMainDialogs(dialogs);
    action = 1, chosen = b;
    A("ActionRouteManager")->trigger();
    EXPECT_EQ(Env().SelectedRoute, b);
    A("ActionRouteManager")->trigger();
    EXPECT_EQ(Env().SelectedRoute, nullptr) << "choosing the selected route deselects it";
    action = 3, chosen = a;
    A("ActionRouteManager")->trigger();
    EXPECT_EQ(Env().GetActiveRoute(), a);
    // The selected route vanished from the route list meanwhile: the selection goes.
    main.SelectRoute(b);
    action = 0, chosen = nullptr;
    meanwhile = [&] { Env().RouteList->Remove(b); };
    A("ActionRouteManager")->trigger();
    EXPECT_EQ(Env().SelectedRoute, nullptr);
}

TEST_F(MainWindowRoutes, DefaultRouteSettingsNotifyTheEditedRouteOnlyWhenAFlagChanged) {
    TFormMarivo6Main &main = MakeRunning();
    A("ActionRouteNew")->trigger();
    Flush();
    ASSERT_NE(Env().EditedRoute, nullptr);
    bool flip = false;
    TMainDialogs dialogs = main.Dialogs();
    dialogs.RouteSettingsDefault = [&](QWidget *, TMarivoNavEnv &) {
        TWptRouteDefaults d;
        _GetWptRouteDefaults(d);
        if (flip) d.CalcDryingOut = !d.CalcDryingOut;
        d.PointRadius += 1.0f;  // not one of the two flags
        SetWptRouteDefaults(d);
        return true;
    };
    main.SetMainDialogs(dialogs);
    for (bool changed : {false, true}) {
        SCOPED_TRACE(changed);
        flip = changed;
        Delivered.Items.clear();
        A("ActionRouteSettingsDefault")->trigger();
        Flush();
        EXPECT_EQ(Delivered.Count(0x40000048), changed ? 1 : 0);
    }
}

TEST_F(MainWindowRoutes, TheUserDatabaseGetsItsFirstWaypointTypeOnce) {
    TFormMarivo6Main &main = MakeRunning();
    IWptDatabase *db = Env().UserDatabase;
    ASSERT_GE(db->GetWaypointTypeCount(), 1);
    int32_t index = -1;
    if (db->GetWaypointTypeCount() == 1)
        EXPECT_TRUE(WptDatabaseFindType(db, ProgInfoGetTitle() + QStringLiteral(" Type"), index));
    const int32_t count = db->GetWaypointTypeCount();
    main.InitInterface(true);
    EXPECT_EQ(db->GetWaypointTypeCount(), count);
    // The type editor gets that first type.
    int edited = 0;
    TMainDialogs dialogs = main.Dialogs();
    dialogs.WaypointTypeEdit = [&](QWidget *, IWptDatabase *database, IWptObjectList *types, int32_t mode) {
        ++edited;
        EXPECT_EQ(database, db);
        EXPECT_EQ(mode, 1);
        EXPECT_EQ(types->GetCount(), 1);
        EXPECT_EQ(types->GetItem(0), db->GetWaypointType(0));
        return true;
    };
    main.SetMainDialogs(dialogs);
    A("ActionWaypointTypeEdit")->trigger();
    EXPECT_EQ(edited, 1);
}

TEST_F(MainWindowRoutes, NavigationFramesOpenTheDetailsOfTheStructuresTheyList) {
    TFormMarivo6Main &main = MakeRunning();
    IWWNetwork *network = Env().WaterwayNetwork;
    ASSERT_NE(network, nullptr);
    ASSERT_GT(network->GetStructCount(), 0);
    IWWStruct *structure = network->GetStruct(0);
    const QString expected = QStringLiteral("Struct ") + WWStructGetName(structure);
    auto *info = main.Panel(QStringLiteral("DockablePanelNavInfo"))->findChild<TFrameNavInfo *>();
    ASSERT_NE(info, nullptr);
    ASSERT_TRUE(info->OnShowObjectDetails);
    info->OnShowObjectDetails(nullptr, structure, true, true, 0, nullptr, 0, 0, false);
    EXPECT_EQ(Pages, QStringList{expected});
    Pages.clear();
    auto *route = main.Panel(QStringLiteral("DockablePanelNavInfoRoute"))->findChild<TFrameNavRoute *>();
    ASSERT_NE(route, nullptr);
    ASSERT_TRUE(route->OnShowObjectDetails);
    route->OnShowObjectDetails(nullptr, structure, true, true, 0, nullptr, 0, 0, false);
    EXPECT_EQ(Pages, QStringList{expected});
    EXPECT_TRUE(main.PanelShown(QStringLiteral("DockablePanelLinkDetails")));
}

namespace {

// The texts of the labels a dock panel shows, one list.
QStringList ShownLabels(QDockWidget *panel) {
    QStringList texts;
    if (!panel) return texts;
    for (QLabel *label : panel->findChildren<QLabel *>())
        if (label->isVisible() && !label->text().isEmpty()) texts << label->text().trimmed();
    return texts;
}

// The route table's texts of one column, row by row.
QStringList TableColumn(QDockWidget *panel, int column) {
    QStringList texts;
    auto *tree = panel ? panel->findChild<QTreeView *>() : nullptr;
    if (!tree || !tree->model()) return texts;
    for (int row = 0; row < tree->model()->rowCount(); ++row)
        texts << tree->model()->index(row, column).data(Qt::DisplayRole).toString();
    return texts;
}

}  // namespace

// The skipper picks a unit preset in the regional settings: after OK the route-navigation
// window, the navigation panel and the route table show the new units at once.
TEST_F(MainWindowRoutes, RegionalSettingsChangeTheUnitsOfTheOpenPanelsAtOnce) {
    // Planned in the opening hours of the network's bridges and locks.
    testsupport::TWorkingMorningClock morning;
    TFormMarivo6Main &main = MakeRunning();
    IWptRoute *route = NetworkRoute(0, 4);
    int32_t err = 0;
    route->SetWaterBodyMask(route->GetWaterBodyMask() | (1u << WptWaterBody::InlandNetherlands) |
                                (1u << Section(0)->GetWaterBody()),
                            err);
    Env().RecalculateRoute(route, false);
    Flush();
    main.SelectRoute(route);
    A("ActionRouteStart")->trigger();
    ASSERT_EQ(Env().GetActiveRoute(), route);
    for (const char *name : {"DockablePanelNavInfoRoute", "DockablePanelNavInfo", "DockablePanelRoute"})
        main.SetPanelVisible(QString::fromLatin1(name), true);
    Flush();
    auto choose = [&](QPushButton *TFormSettingsLocale::*preset) {
        auto previous = TFormSettingsLocale::SetPrompter([preset](TFormSettingsLocale &form) {
            QTest::mouseClick(form.*preset, Qt::LeftButton);
            form.accept();
            return int(QDialog::Accepted);
        });
        A("ActionFilePropertiesLocale")->trigger();
        TFormSettingsLocale::SetPrompter(std::move(previous));
        Flush();
    };
    QDockWidget *navRoute = main.Panel(QStringLiteral("DockablePanelNavInfoRoute"));
    QDockWidget *navInfo = main.Panel(QStringLiteral("DockablePanelNavInfo"));
    QDockWidget *routes = main.Panel(QStringLiteral("DockablePanelRoute"));
    const QString kmh = UnitToStr(KvUnit::KilometrePerHour), knots = UnitToStr(KvUnit::Knot);

    choose(&TFormSettingsLocale::ButtonPresetMetric);
    ASSERT_EQ(Env().UnitSpeed, KvUnit::KilometrePerHour);
    EXPECT_TRUE(ShownLabels(navRoute).contains(kmh)) << ShownLabels(navRoute).join(u'|').toStdString();
    EXPECT_TRUE(ShownLabels(navInfo).contains(kmh)) << ShownLabels(navInfo).join(u'|').toStdString();
    const QStringList metricLegs = TableColumn(routes, 6);

    choose(&TFormSettingsLocale::ButtonPresetNautical);
    ASSERT_EQ(Env().UnitSpeed, KvUnit::Knot);
    ASSERT_EQ(Env().UnitDistanceLarge, KvUnit::NauticalMile);
    for (QDockWidget *panel : {navRoute, navInfo}) {
        const QStringList shown = ShownLabels(panel);
        EXPECT_TRUE(shown.contains(knots)) << shown.join(u'|').toStdString();
        EXPECT_FALSE(shown.contains(kmh)) << shown.join(u'|').toStdString();
    }
    shelltest::SaveScreenshot(navRoute->grab().toImage(), QStringLiteral("regional-navroute-nautical"));
    shelltest::SaveScreenshot(navInfo->grab().toImage(), QStringLiteral("regional-navinfo-nautical"));
    // The distances along the route are written again in nautical miles (one decimal).
    const QStringList nauticalLegs = TableColumn(routes, 6);
    ASSERT_EQ(nauticalLegs.size(), metricLegs.size());
    int compared = 0;
    for (int i = 0; i < metricLegs.size(); ++i) {
        bool okKm = false, okNm = false;
        const double km = metricLegs[i].toDouble(&okKm), nm = nauticalLegs[i].toDouble(&okNm);
        if (!okKm || !okNm || km < 1.0) continue;
        EXPECT_NEAR(nm, km / 1.852, 0.1) << metricLegs[i].toStdString() << " / " << nauticalLegs[i].toStdString();
        ++compared;
    }
    EXPECT_GT(compared, 0) << metricLegs.join(u'|').toStdString();
}
