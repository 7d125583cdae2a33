// The main window on the demo data with the real environment and core library, its frames
// recording fakes: creation order, splash steps, close (also while GPS detection or a companion
// program runs), edit modes, notifications through
// the real dispatcher, GPS errors, port arrivals, progress and the layout across restarts.
#include "MainWindowFakes.h"
#include "NavEnvPorts.h"
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/platform/KvPortWatcher.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegDesktop.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/KvAppInit.h"
#include "shell/MarivoDockPanels.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDockWidget>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <pty.h>
#include <unistd.h>

using namespace mainfakes;

namespace {

constexpr int32_t Root = AppRegRoot::Product;

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Options.DataFolder = shelltest::FreshDemoData(QStringLiteral("mainwindow"));
        ASSERT_FALSE(Options.DataFolder.isEmpty());
        FOldPrompter = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return Answer;
        });
        FOldFactories = TFormMarivo6Main::SetFrameFactories(AllFakes(Log));
        FOldSource = TFormMarivo6Main::SetPortSource([this] { return Ports; });
    }
    void TearDown() override {
        Main.reset();
        TFormMarivo6Main::SetFrameFactories(std::move(FOldFactories));
        TFormMarivo6Main::SetPortSource(std::move(FOldSource));
        SetMsgBoxPrompter(std::move(FOldPrompter));
        SetApplicationTerminated(false);
    }
    TFormMarivo6Main &Make() {
        Main = std::make_unique<TFormMarivo6Main>(Options);
        return *Main;
    }
    // Created, shown and through its deferred start.
    TFormMarivo6Main &MakeRunning() {
        Make();
        Main->show();
        Main->WMDeferredStart();
        return *Main;
    }
    TNavNotification Send(int32_t code, intptr_t p1 = 0, intptr_t p2 = 0) {
        return Main->NavEnv()->CoreEnv->GetDispatcher()->Send(code, p1, p2, 0, 0, 0, 0, 0);
    }
    void WriteBool(const QString &key, const char16_t *name, bool v) {
        int32_t err = 0;
        RegWriteBool(GetAppReg(), Root, key, RegName(QString::fromUtf16(name)), v, err);
    }

    testsupport::TPrivateSettingsStore FStore;
    shelltest::TShellScope FShell;
    TStartOptions Options;
    QStringList Messages;
    int Answer = mrYes;
    TLog Log;
    QStringList Ports;
    std::unique_ptr<TFormMarivo6Main> Main;

private:
    TMsgBoxPrompter FOldPrompter;
    TMainFrameFactories FOldFactories;
    std::function<QStringList()> FOldSource;
};

// A pseudo-terminal: the serial device a test can plug in.
struct TPty {
    TPty() {
        char name[128] = {};
        if (openpty(&Master, &Slave, name, nullptr, nullptr) == 0) SlavePath = QString::fromLocal8Bit(name);
    }
    ~TPty() {
        if (Master >= 0) ::close(Master);
        if (Slave >= 0) ::close(Slave);
    }
    int Master = -1, Slave = -1;
    QString SlavePath;
};

QStringList Creations(const TLog &log) {
    QStringList out;
    for (const QString &c : log.Calls)
        if (c.endsWith(QStringLiteral(".Create"))) out << c.section(u'.', 0, 0);
    return out;
}

}  // namespace

TEST_F(MainWindow, FramesInTableOrderInTheirPanelsAndSplashStepsRising) {
    TFormMarivo6Main &main = Make();
    ASSERT_NE(main.NavEnv(), nullptr);
    EXPECT_EQ(Creations(Log),
              (QStringList{"Viewer", "ChartLegend", "HTMLViewer", "ChartInfo", "Routes",
                           "RouteSettings", "TrackReplay", "UserReport", "NavCurrent", "NavInfo",
                           "NavRoute", "NMEA", "LinkDetails", "LinkDetailsStruct", "ChartStatus",
                           "ZoS", "NewsCenter", "GPSError"}));
    const std::vector<int> &steps = main.SplashSteps();
    ASSERT_EQ(steps.size(), 39u);
    for (int i = 0; i <= 38; ++i) EXPECT_EQ(steps[size_t(i)], i);
    EXPECT_TRUE(main.VerboseTexts().isEmpty()) << "verbose texts only with the verbose flag";

    const struct { const char *panel, *frame; } hosted[] = {
        {"DockablePanelChartLegend", "ChartLegend"}, {"DockablePanelRoute", "Routes"},
        {"DockablePanelNMEA", "NMEA"},               {"DockablePanelZoS", "ZoS"},
        {"DockablePanelNavInfoCurrent", "NavCurrent"}};
    for (const auto &h : hosted) {
        SCOPED_TRACE(h.panel);
        ASSERT_NE(main.Panel(QString::fromLatin1(h.panel)), nullptr);
        EXPECT_EQ(main.Panel(QString::fromLatin1(h.panel))->widget()->objectName(),
                  QString::fromLatin1(h.frame));
    }
    EXPECT_EQ(main.centralWidget()->objectName(), QStringLiteral("Viewer"));
    EXPECT_EQ(main.findChildren<QDockWidget *>().size(), 37);
    EXPECT_EQ(main.ProgressBar->parentWidget(), main.StatusBar);
    EXPECT_FALSE(main.ProgressBar->isVisible());
    EXPECT_TRUE(main.LayoutReady());
}

TEST_F(MainWindow, WithoutFramesEveryPanelStaysEmptyButExists) {
    TFormMarivo6Main::SetFrameFactories({});
    TFormMarivo6Main &main = Make();
    EXPECT_TRUE(Log.Calls.isEmpty());
    EXPECT_EQ(main.Panels().size(), 36);
    for (QDockWidget *panel : main.Panels()) {
        ASSERT_NE(panel, nullptr);
        EXPECT_FALSE(panel->objectName().isEmpty());
    }
    EXPECT_NE(main.Panel(NestedPanelName), nullptr);
    // Calls to missing frames are skipped.
    main.OnUiTick(TLoopRecord{}, 0x1F);
    Send(60, 0, 1);
    main.OnGPSErrorCleared();
}

TEST_F(MainWindow, FailedEnvironmentMakesNoFramesAndWatchesNothing) {
    shelltest::TShellScope noSound(
        shelltest::ProgramFolderWithout({QStringLiteral("Sounds/GPS lost.wav")}));
    // The environment raises (the start-up shows it); nothing of the window is made.
    EXPECT_THROW(Make(), std::exception);
    EXPECT_TRUE(Log.Calls.isEmpty()) << "no frame";
    EXPECT_EQ(TFormMarivo6Main::Current(), nullptr);
}

TEST_F(MainWindow, DeviceMessagesWithoutEnvironmentAreIgnored) {
    Options.DataFolder = testsupport::MakeTempDir(QStringLiteral("gone")) + QStringLiteral("/none");
    TFormMarivo6Main &main = Make();
    ASSERT_EQ(main.NavEnv(), nullptr);
    EXPECT_EQ(main.PortWatcher(), nullptr);
    for (int h : main.DeviceHandles()) EXPECT_EQ(h, 0);
    main.WMDeviceChange(TDeviceChange::Arrival, QStringLiteral("/dev/pts/9"));
    main.OnGPSPortError(nullptr, KvErr::GPSSilent, true);
    EXPECT_TRUE(Log.Calls.isEmpty());
}

TEST_F(MainWindow, MissingDataFolderIsToldOnce) {
    Options.DataFolder = testsupport::MakeTempDir(QStringLiteral("gone")) + QStringLiteral("/none");
    TFormMarivo6Main &main = Make();
    EXPECT_TRUE(main.StartFailed());
    EXPECT_TRUE(ApplicationTerminated());
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Log.Calls.isEmpty());
}

TEST_F(MainWindow, LastVersionIsWrittenOnceAndComparedWithoutCase) {
    auto stored = [] {
        QString v;
        RegReadStringDef(GetAppReg(), Root, QString(), RegName(u"LastVersion"), QString(), v);
        return v;
    };
    EXPECT_TRUE(stored().isEmpty());
    Make();
    const QString version = stored();
    EXPECT_TRUE(version.startsWith(QStringLiteral("6."))) << version.toStdString();
    EXPECT_EQ(version.count(u'.'), 3) << "four parts";
    Main.reset();
    int32_t err = 0;
    RegWriteString(GetAppReg(), Root, QString(), RegName(u"LastVersion"), QStringLiteral("0.9.0.0"),
                   err);
    Make();
    EXPECT_EQ(stored(), version) << "another version is replaced";
}

TEST_F(MainWindow, EditModesLeaveOnlyTheOldMode) {
    TFormMarivo6Main &main = Make();
    QSignalSpy actions(&main, &TFormMarivo6Main::ActionStatesChanged);
    Log.Clear();
    main.SetEditMode(EditMode::None);
    EXPECT_TRUE(Log.Calls.isEmpty()) << "same mode: nothing";
    EXPECT_EQ(actions.count(), 0);
    main.StartDistanceMeasuring();
    EXPECT_EQ(main.GetEditMode(), EditMode::Distance);
    EXPECT_EQ(Log.Count(QStringLiteral("Viewer.SetEditMode(3)")), 1);
    Log.Clear();
    main.SetEditMode(EditMode::Route);
    EXPECT_EQ(Log.Calls, (QStringList{"Viewer.SetEditMode(0)", "Viewer.Invalidate"}))
        << "only the distance measurement's end";
    Log.Clear();
    main.SetEditMode(EditMode::Waypoints);
    EXPECT_EQ(Log.Calls, (QStringList{"Routes.FillRouteList", "RouteSettings.SetRoute(0)",
                                      "Viewer.SetEditMode(0)"}))
        << "the route editing's end";
    Log.Clear();
    main.SetEditMode(EditMode::None);
    EXPECT_EQ(Log.Calls, QStringList{"Viewer.SetEditMode(0)"});
    EXPECT_GE(actions.count(), 3);
}

TEST_F(MainWindow, RoutePanelMayTakeHalfTheHeightBetweenTopDockAndStatusBar) {
    TFormMarivo6Main &main = MakeRunning();
    QDockWidget *route = main.Panel(QStringLiteral("DockablePanelRoute"));
    main.SetPanelVisible(QStringLiteral("DockablePanelRoute"), true);
    main.showNormal();
    QCoreApplication::processEvents();
    const int top = main.centralWidget()->y();
    main.resize(main.width(), 301 + top + main.StatusBar->height());
    QCoreApplication::processEvents();
    main.UpdateRoutePanelMaxHeight(DockName::Bottom);
    EXPECT_EQ(route->widget()->maximumHeight(), 150);
    main.UpdateRoutePanelMaxHeight(DockName::MultiRight);
    EXPECT_EQ(route->widget()->maximumHeight(), QWIDGETSIZE_MAX) << "no limit in a side dock";
}

TEST_F(MainWindow, ClosingPanelsRunsTheirHandlers) {
    TFormMarivo6Main &main = MakeRunning();
    main.SetPanelVisible(QStringLiteral("DockablePanelLinkDetails"), true);
    main.SetPanelVisible(QStringLiteral("DockablePanelUserReport"), true);
    Log.Clear();
    main.Panel(QStringLiteral("DockablePanelLinkDetails"))->close();
    EXPECT_FALSE(main.PanelShown(QStringLiteral("DockablePanelLinkDetails")));
    EXPECT_EQ(Log.Count(QStringLiteral("Viewer.ClearS57Pick")), 1);
    EXPECT_EQ(Log.Count(QStringLiteral("Viewer.ClearSelectedObject")), 1);
    main.Panel(QStringLiteral("DockablePanelUserReport"))->close();
    EXPECT_EQ(Log.Count(QStringLiteral("Viewer.SetReportPosition(99,99)")), 1);
    EXPECT_FALSE(main.PanelShown(QStringLiteral("DockablePanelUserReport")));
    main.StartDistanceMeasuring();
    main.Panel(QStringLiteral("DockablePanelWaypoints"))->close();
    EXPECT_EQ(main.GetEditMode(), EditMode::None);
    // Escape hides both detail panels.
    main.SetPanelVisible(QStringLiteral("DockablePanelLinkDetailsStruct"), true);
    QTest::keyClick(&main, Qt::Key_Escape);
    EXPECT_TRUE(main.Panel(QStringLiteral("DockablePanelLinkDetailsStruct"))->isHidden());
}

TEST_F(MainWindow, NotificationsThroughTheDispatcher) {
    TFormMarivo6Main &main = MakeRunning();
    QSignalSpy actions(&main, &TFormMarivo6Main::ActionStatesChanged);
    struct Case { const char *name; int32_t code; intptr_t p2; int invalidates; bool acted; QString extra; };
    const Case cases[] = {
        {"navigation started", 0, 0, 1, false, {}},
        {"navigation stopped", 1, 0, 1, false, QStringLiteral("NavCurrent.UpdateValues")},
        {"list changed", 12, 0, 1, false, {}},
        {"refresh", 32, 0, 1, false, {}},
        {"route calculated", 73, 0, 1, false, {}},
        {"route following event", 80, 0, 1, false, {}},
        {"invalidate", 100, 0, 1, false, {}},
        {"invalidate 101", 101, 0, 1, false, {}},
        {"route settings changed", 33, 0, 1, true, {}},
        {"route object changed", 43, 0, 1, true, {}},
        {"update actions", 44, 0, 0, true, {}},
        {"route point selected", 50, 0, 1, false, QStringLiteral("Viewer.SetSelectedRoutePoint(0)")},
        {"route editing with P2", 60, 1, 1, true, QStringLiteral("Viewer.SetRouteEditFlags(5)")},
        {"route editing without P2", 60, 0, 1, true, QStringLiteral("Viewer.SetRouteEditFlags(13)")},
        {"route editing off", 61, 0, 1, true, QStringLiteral("Viewer.SetEditRoute(0)")},
        {"planner values", 70, 0, 0, false, QStringLiteral("Viewer.SetPlannerValues")},
        {"route following started", 81, 0, 1, true, {}},
        {"route following stopped", 82, 0, 1, true, {}},
        {"highlight", 160, 0, 1, true, {}},
        {"highlight off", 161, 0, 1, true, QStringLiteral("Viewer.SetHighlightObject(0)")},
        {"object database changed", 0x2000000B, 0, 1, false, {}},
        {"route deleted", 0x2000001E, 0, 1, false, {}},
        {"route points deleted", 0x2000002A, 0, 1, true, {}},
        {"track list changed", 0x2000005C, 0, 0, false, QStringLiteral("TrackReplay.SetTrackList")},
        {"unknown", 0x7777, 0, 0, false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Log.Clear();
        actions.clear();
        Send(c.code, 0, c.p2);
        EXPECT_EQ(Log.Count(QStringLiteral("Viewer.Invalidate")), c.invalidates);
        EXPECT_EQ(actions.count() > 0, c.acted);
        if (!c.extra.isEmpty()) {
            EXPECT_GE(Log.Count(c.extra), 1) << Log.Calls.join(u' ').toStdString();
        }
    }
    EXPECT_EQ(main.GetEditMode(), EditMode::None) << "61 left the route editing of 60";
    auto *viewer = static_cast<TFakeViewer *>(main.ViewerMain());
    EXPECT_EQ(Send(91).Result, 0);
    viewer->ShowTrackActive = true;
    EXPECT_EQ(Send(91).Result, 1) << "91 only answers whether the active track is shown";
}

TEST_F(MainWindow, GPSErrorKindsAndStopOrder) {
    TFormMarivo6Main &main = Make();
    struct Case { const char *name; int32_t code; bool flag; int kind; };
    const Case cases[] = {
        {"silent with flag", KvErr::GPSSilent, true, 7},
        {"silent", KvErr::GPSSilent, false, 8},
        {"no port, flag", KvErr::NoGPSPort, true, 10},
        {"no port", KvErr::NoGPSPort, false, 10},
        {"other with flag", KvErr::PortBusy, true, 9},
        {"other", KvErr::PortBusy, false, 11},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Log.Clear();
        main.OnGPSPortError(nullptr, c.code, c.flag);
        EXPECT_EQ(Log.Calls, QStringList{QStringLiteral("GPSError.ShowError(%1,,%2)").arg(c.kind).arg(c.code)});
    }
    Log.Clear();
    main.OnDeviceError(nullptr, 7, true);
    main.OnDeviceError(nullptr, 7, false);
    EXPECT_EQ(Log.Calls, (QStringList{"GPSError.ShowError(5,,7)", "GPSError.ShowError(6,,7)"}));
    Log.Clear();
    INavBoatGPS *gps = main.NavEnv()->Boat->GetGPS();
    main.OnGPSNoPosition(gps, 1);
    main.OnGPSNoPosition(gps, 3);
    ASSERT_EQ(Log.Calls.size(), 2);
    EXPECT_TRUE(Log.Calls[0].startsWith(QStringLiteral("GPSError.ShowNoPosition(1,")) ||
                Log.Calls[0].startsWith(QStringLiteral("GPSError.ShowNoPosition(2,")));
    EXPECT_TRUE(Log.Calls[1].startsWith(QStringLiteral("GPSError.ShowNoPosition(0,")));
    EXPECT_TRUE(Log.Calls[1].endsWith(QStringLiteral(",0)")));
    Log.Clear();
    main.OnGPSErrorCleared();
    EXPECT_EQ(Log.Calls, QStringList{"GPSError.HideBox"});
}

TEST_F(MainWindow, DeletionQuestions) {
    TFormMarivo6Main &main = Make();
    bool answer = true;
    Answer = mrNo;
    main.OnCoreQuestion(3, 4, answer);
    EXPECT_FALSE(answer);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0], QStringLiteral("4 route points will be deleted. When the accompanying "
                                          "route is active, it will be stopped.\n\nDo you want to "
                                          "continue?"));
    Answer = mrYes;
    main.OnCoreQuestion(3, 2, answer);
    EXPECT_TRUE(answer);
    answer = true;
    main.OnCoreQuestion(9, 0, answer);
    EXPECT_TRUE(answer) << "other kinds keep the preset answer";
    EXPECT_EQ(Messages.size(), 2);
    // The environment asks through the handler the window installed.
    TNavQuestion question;
    question.Kind = NavQuestion::DeletePoints;
    question.Param = 7;
    Answer = mrNo;
    main.NavEnv()->OnQuestion(question);
    EXPECT_FALSE(question.Answer);
    EXPECT_TRUE(Messages.last().startsWith(QStringLiteral("7 route points will be deleted.")));
}

TEST_F(MainWindow, PortArrivalRescansAndTellsOnlyWhenAutoDetecting) {
    TFormMarivo6Main &main = MakeRunning();
    ASSERT_NE(main.PortWatcher(), nullptr);
    EXPECT_NE(main.DeviceHandles()[1], 0);
    const TPty pty;
    ASSERT_FALSE(pty.SlavePath.isEmpty());

    WriteBool(QStringLiteral("Desktop\\DeviceManager"), u"AutoDetect", false);
    Log.Clear();
    Ports = {pty.SlavePath};
    main.PortWatcher()->Poll();
    EXPECT_TRUE(Log.Calls.isEmpty()) << "AutoDetect off: nothing";

    WriteBool(QStringLiteral("Desktop\\DeviceManager"), u"AutoDetect", true);
    Ports.clear();
    main.PortWatcher()->Poll();  // removal: rescan and port lists only
    EXPECT_EQ(Log.Calls, QStringList{"NMEA.UpdatePortLists"});
    Log.Clear();
    Ports = {pty.SlavePath};
    main.PortWatcher()->Poll();
    EXPECT_EQ(Log.Count(QStringLiteral("GPSError.HideBox")), 1) << "arrival: GPS looked for";
    EXPECT_EQ(Log.Count(QStringLiteral("NMEA.UpdatePortLists")), 1);

    int refreshed = 0;
    main.SetGPSSettingsDialog([&] { ++refreshed; });
    Log.Clear();
    Ports.clear();
    main.PortWatcher()->Poll();
    Ports = {pty.SlavePath};
    main.PortWatcher()->Poll();
    EXPECT_EQ(refreshed, 2);
    EXPECT_EQ(Log.Count(QStringLiteral("GPSError.HideBox")), 0) << "dialog open: rescan only";
}

TEST_F(MainWindow, ProgressShowsUntilPositionReachesMaximum) {
    TFormMarivo6Main &main = MakeRunning();
    TFormMarivo6Main::PostProgress(3, 10);
    QCoreApplication::processEvents();
    EXPECT_TRUE(main.ProgressBar->isVisible());
    EXPECT_EQ(main.ProgressBar->value(), 3);
    EXPECT_EQ(main.ProgressBar->maximum(), 10);
    TFormMarivo6Main::PostProgress(10, 10);
    QCoreApplication::processEvents();
    EXPECT_FALSE(main.ProgressBar->isVisible());
}

TEST_F(MainWindow, LayoutSurvivesARestart) {
    struct TSeen {
        bool Visible, Floating;
        QRect FloatGeometry;
        Qt::DockWidgetArea Area;
    };
    auto seen = [](TFormMarivo6Main &m, const char *name) {
        QDockWidget *p = m.Panel(QString::fromLatin1(name));
        return TSeen{!p->isHidden(), p->isFloating(), p->isFloating() ? p->geometry() : QRect(),
                     m.dockWidgetArea(p)};
    };
    {
        TFormMarivo6Main &main = MakeRunning();
        main.SetPanelVisible(QStringLiteral("DockablePanelChartInfo"), true);
        main.SetPanelVisible(QStringLiteral("DockablePanelNMEA"), true);
        main.SetPanelVisible(QStringLiteral("DockablePanelRouteSettings"), false);
        QDockWidget *legend = main.Panel(QStringLiteral("DockablePanelChartLegend"));
        main.SetPanelVisible(legend->objectName(), true);
        legend->setFloating(true);
        legend->setGeometry(300, 200, 333, 222);
        QDockWidget *info = main.Panel(QStringLiteral("DockablePanelChartInfo"));
        main.removeDockWidget(info);
        main.addDockWidget(Qt::RightDockWidgetArea, info);
        info->show();
        main.DockablePanelWriteReg(info);
        main.ToolbarMain->hide();
        main.setGeometry(40, 30, 1000, 700);
        main.WMExitSizeMove();
        Answer = mrYes;
        main.close();
    }
    Main.reset();
    TFormMarivo6Main &again = Make();
    const TSeen legend = seen(again, "DockablePanelChartLegend");
    EXPECT_TRUE(legend.Visible);
    EXPECT_TRUE(legend.Floating);
    EXPECT_EQ(legend.FloatGeometry, QRect(300, 200, 333, 222));
    const TSeen info = seen(again, "DockablePanelChartInfo");
    EXPECT_TRUE(info.Visible);
    EXPECT_EQ(info.Area, Qt::RightDockWidgetArea) << "moved to the other side";
    EXPECT_FALSE(seen(again, "DockablePanelNMEA").Visible) << "read without \"Visible\": starts hidden";
    EXPECT_FALSE(seen(again, "DockablePanelRouteSettings").Visible) << "hidden stays hidden";
    EXPECT_TRUE(again.ToolbarMain->isHidden());
    EXPECT_EQ(again.geometry(), QRect(40, 30, 1000, 700));
}

TEST_F(MainWindow, BadStoredLayoutFallsBack) {
    int32_t err = 0;
    RegWriteString(GetAppReg(), Root, QStringLiteral("Desktop\\ToolWindowChartInfo"),
                   RegName(u"DockRow"), QStringLiteral("garbage"), err);
    RegWriteString(GetAppReg(), Root, QStringLiteral("Desktop\\ToolWindowChartInfo"),
                   RegName(u"DockSite"), QStringLiteral("Nowhere"), err);
    RegWriteBool(GetAppReg(), Root, QStringLiteral("Desktop\\ToolWindowChartInfo"),
                 RegName(u"Visible"), true, err);
    RegWriteInteger(GetAppReg(), Root, QStringLiteral("Window"), RegName(u"Left"), -5000, err);
    RegWriteInteger(GetAppReg(), Root, QStringLiteral("Window"), RegName(u"Width"), 800, err);
    TFormMarivo6Main &main = Make();
    QDockWidget *info = main.Panel(QStringLiteral("DockablePanelChartInfo"));
    EXPECT_FALSE(info->isHidden());
    EXPECT_EQ(main.dockWidgetArea(info), Qt::LeftDockWidgetArea) << "its default dock";
    EXPECT_EQ(main.geometry().x(), 20) << "off every screen: pulled back";
}

TEST_F(MainWindow, ResetWindowsClearsOnlyLayoutValues) {
    int32_t err = 0;
    const QString routes = QStringLiteral("Desktop\\ToolWindowRoutes");
    RegWriteBool(GetAppReg(), Root, QStringLiteral("Desktop\\DeviceManager"), RegName(u"AutoDetect"),
                 false, err);
    RegWriteString(GetAppReg(), Root, QStringLiteral("Desktop\\FloatWindowWaypoints"),
                   RegName(u"Prefix"), QStringLiteral("WP-"), err);
    RegWriteString(GetAppReg(), Root, routes, RegName(u"Route"), QStringLiteral("{guid}"), err);
    RegWriteBool(GetAppReg(), Root, routes, RegName(u"Visible"), true, err);
    TFormMarivo6Main &main = Make();
    EXPECT_FALSE(main.Panel(QStringLiteral("DockablePanelRoute"))->isHidden());
    main.ResetLayout();
    EXPECT_TRUE(main.LayoutReady());
    EXPECT_TRUE(main.Panel(QStringLiteral("DockablePanelRoute"))->isHidden()) << "default again";
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), Root, QStringLiteral("Desktop\\DeviceManager"),
                                RegName(u"AutoDetect"), true))
        << "not a layout value: kept";
    QString prefix, route;
    RegReadStringDef(GetAppReg(), Root, QStringLiteral("Desktop\\FloatWindowWaypoints"),
                     RegName(u"Prefix"), QString(), prefix);
    RegReadStringDef(GetAppReg(), Root, routes, RegName(u"Route"), QString(), route);
    EXPECT_EQ(prefix, QStringLiteral("WP-"));
    EXPECT_EQ(route, QStringLiteral("{guid}"));
}

TEST_F(MainWindow, FullScreenAtCloseStoresOnlyTheStateFromBefore) {
    TFormMarivo6Main &main = MakeRunning();
    main.setGeometry(50, 60, 900, 600);
    main.WMExitSizeMove();
    main.SetFullScreen(true);
    EXPECT_TRUE(main.FullScreen());
    EXPECT_TRUE(RegReadBoolDef(GetAppReg(), Root, QStringLiteral("Window"), RegName(u"FullScreen"),
                               false));
    main.WMExitSizeMove();  // no placement is written while full screen
    Answer = mrYes;
    main.close();
    auto stored = [](const char16_t *name) {
        return RegReadIntegerDef(GetAppReg(), Root, QStringLiteral("Window"),
                                 RegName(QString::fromUtf16(name)), -1);
    };
    EXPECT_EQ(stored(u"State"), 0);
    EXPECT_EQ(stored(u"Left"), 50);
    EXPECT_EQ(stored(u"Top"), 60);
    EXPECT_EQ(stored(u"Width"), 900);
    Main.reset();
    TFormMarivo6Main &again = Make();
    EXPECT_TRUE(again.FullScreen()) << "the next start comes back in full screen";
    again.SetFullScreen(false);
    EXPECT_EQ(again.geometry(), QRect(50, 60, 900, 600)) << "and leaves it for the old place";
}

namespace {
const QStringList CloseAsked{QStringLiteral("Are you sure you want to close Marivo?")};
}  // namespace

TEST_F(MainWindow, CloseDuringGPSDetectionWaitsForItsEnd) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("gps-close"));
    shelltest::TPty receiver(dir + QStringLiteral("/ttyGpsReceiver"));
    ASSERT_TRUE(receiver.Opened());
    shelltest::TPortList ports({receiver.Link()});
    shelltest::TLineWriter writer(receiver, shelltest::TLineWriter::TKind::Receiver);
    TFormMarivo6Main &main = MakeRunning();
    TMarivoNavEnv *env = main.NavEnv();
    ASSERT_NE(env, nullptr);

    bool asked = false, openDuring = false;
    QStringList messagesDuring;
    QTimer probe;  // runs while the detection pumps events
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (asked || !env->IsDetectingGPS()) return;
        asked = true;
        main.close();
        openDuring = main.isVisible();
        messagesDuring = Messages;
    });
    probe.start(0);
    ASSERT_TRUE(env->ConfigureGPSDevice());
    probe.stop();
    ASSERT_TRUE(asked) << "the detection never pumped events";
    EXPECT_TRUE(openDuring);
    EXPECT_TRUE(messagesDuring.isEmpty()) << "not even asked while detecting";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main.isVisible(); }, 30000)) << "closed once it ended";
    EXPECT_EQ(Messages, CloseAsked);
}

TEST_F(MainWindow, CloseWhileACompanionProgramRunsWaitsForItsEnd) {
    TFormMarivo6Main &main = MakeRunning();
    ASSERT_NE(main.NavEnv(), nullptr);
    int runs = 0;
    bool openDuring = false;
    QStringList messagesDuring;
    const TCompanionRunner old = SetCompanionRunner(
        [&](const QString &, const QString &, intptr_t, int32_t &exitValue, int32_t &err) {
            ++runs;
            main.close();
            openDuring = main.isVisible();
            messagesDuring = Messages;
            exitValue = 0;
            err = 0;
        });
    main.NavEnv()->RunChartManagerProgram(QString(), 0);
    SetCompanionRunner(old);
    ASSERT_EQ(runs, 1);
    EXPECT_TRUE(openDuring);
    EXPECT_TRUE(messagesDuring.isEmpty()) << "not even asked while the companion runs";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main.isVisible(); }, 30000)) << "closed once it ended";
    EXPECT_EQ(Messages, CloseAsked);
}

TEST_F(MainWindow, PanelWithoutItsFrameStaysHiddenAndKeepsItsStoredLayout) {
    // Route settings without its frame; the tides panel has no frame in the program at all.
    TMainFrameFactories factories = AllFakes(Log);
    factories.RouteSettings = nullptr;
    auto oldFactories = TFormMarivo6Main::SetFrameFactories(std::move(factories));
    const QString settingsKey = QStringLiteral("Desktop\\FloatWindowRouteSettings");
    const QString tidesKey = QStringLiteral("Desktop\\ToolWindowTides");
    WriteBool(settingsKey, u"Visible", true);
    WriteBool(settingsKey, u"Floating", true);
    WriteBool(tidesKey, u"Visible", true);
    const struct { const char *panel; const QString &key; } cases[] = {
        {"DockablePanelRouteSettings", settingsKey}, {"DockablePanelTides", tidesKey}};
    {
        TFormMarivo6Main &main = MakeRunning();
        for (const auto &c : cases) {
            SCOPED_TRACE(c.panel);
            const QString name = QString::fromLatin1(c.panel);
            EXPECT_TRUE(main.Panel(name)->isHidden()) << "stored visible, but nothing to show";
            main.SetPanelVisible(name, true);
            EXPECT_TRUE(main.Panel(name)->isHidden()) << "shown on request, still empty";
        }
        main.SetPanelVisible(QStringLiteral("DockablePanelChartInfo"), true);
        EXPECT_FALSE(main.Panel(QStringLiteral("DockablePanelChartInfo"))->isHidden())
            << "a panel with its frame shows";
        Answer = mrYes;
        main.close();
    }
    Main.reset();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.panel);
        EXPECT_TRUE(RegReadBoolDef(GetAppReg(), Root, c.key, RegName(u"Visible"), false))
            << "the stored layout is the frame's, for the day it exists";
    }
    EXPECT_TRUE(RegReadBoolDef(GetAppReg(), Root, settingsKey, RegName(u"Floating"), false));
    TFormMarivo6Main::SetFrameFactories(std::move(oldFactories));
}
