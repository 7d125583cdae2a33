// The running environment: start and end of the run, navigation, the loop's ticks, the
// core library's notifications, user notifications and the own ship's callbacks.
#include "NavEnvFixture.h"

#include "CoreTestSupport.h"
#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvStrings.h"
#include "base/logbook/KvLogbook.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/strings/KvStrUtils.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/NavViewerControl.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using testsupport::Q;

// The operation-request manager is thin in the core library and keeps what it is given
// to itself; this one tells the test the ship names it receives.
class TShipNameRecorder final : public INavStructOperationManager {
public:
    explicit TShipNameRecorder(QStringList &names) : FNames(names) {}
    void Tick(const TLoopRecord &, IGeodeticCalibration *) override {}
    void Attach(INavBoat *, const TStrWRec &name, float, IWWNetwork *) override {
        FNames << Q(&name);
    }
    void SetActive(bool active) override { FActive = active; }
    void SetShipName(const TStrWRec &name) override { FNames << Q(&name); }
    void SetWaterLevel(float) override {}
    void SetWaterwayNetwork(IWWNetwork *) override {}
    bool IsActive() override { return FActive; }
    void SetPhone(const TStrWRec &) override {}
    void SetMode(int32_t) override {}
    void SetSafetyMargin(float) override {}
    void SetCallback(DataProc, void *) override {}
    int32_t CountEvents(const TStrWRec &) override { return 0; }
    int32_t GetEventCount() override { return 0; }
    INavStructOperationEvent *GetEvent(int32_t) override { return nullptr; }
    TDateTime GetLastActionTime() override { return 0.0; }
    int32_t GetUniqueShipsThisMonth() override { return 0; }
    int32_t GetUniqueShipsLastMonth() override { return 0; }
    int32_t GetStructStatsCount() override { return 0; }
    void GetStructStats(int32_t, IStrW *, int32_t &, int32_t &, int32_t &, int32_t &,
                        int32_t &) override {}
    void GetStructCounts(int32_t &, int32_t &) override {}

private:
    QStringList &FNames;
    bool FActive = false;
};

// Every notification the dispatcher delivers, in order.
struct TNotificationLog {
    std::vector<TNavNotification> Items;
    static void Receive(void *data, TNavNotification *n) {
        static_cast<TNotificationLog *>(data)->Items.push_back(*n);
    }
    std::vector<int32_t> Codes() const {
        std::vector<int32_t> codes;
        for (const auto &n : Items) codes.push_back(n.Code);
        return codes;
    }
};

// A route being followed, as far as the target-changed callback looks at it.
class TTargetOnly final : public INavRouteNavigation {
public:
    explicit TTargetOnly(IWptRoutePoint *target) : FTarget(target) {}
    IWptRoutePoint *GetTargetPoint() override { return FTarget; }
    double GetRouteDistanceOverGround() override { return 0.0; }
    IWptRoute *GetRoute() override { return FTarget->GetRoute(); }
    TDateTime GetRouteStartTime() override { return 0.0; }
    void Recalculate(int32_t) override {}
    void SetTargetPoint(IWptRoutePoint *p, int32_t) override { FTarget = p; }
    IWptRoutePoint *GetSteerPoint() override { return FTarget; }
    const TNavRouteData *GetNavData() override { return nullptr; }
    bool GetXTE(float &, float &, float &) override { return false; }
    bool GetCTS(float &) override { return false; }
    bool GetNetworkCTS(float &) override { return false; }
    bool GetDTG(float &) override { return false; }
    bool GetTTG(float &) override { return false; }
    bool GetVMG(float &) override { return false; }
    bool GetRouteDistance(float &) override { return false; }
    bool IsOpenLeg() override { return false; }
    void SetPathWidth(float) override {}

private:
    IWptRoutePoint *FTarget;
};

// The chart viewer is the viewer frame's; the environment only hands it charts.
class TFakeViewer final : public TNavViewerControl {
public:
    int32_t GetViewerIndex() override { return 3; }
    void SetCharts(NavObject **charts, int32_t count, int32_t &err) override {
        Charts.assign(charts, charts + count);
        err = 0;
    }
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void ReleaseCharts() override {}
    void CancelChartLoading() override {}
    void SetChartDataCache(IS3DChartDataCache *) override {}
    IGeodeticCalibration *GetCalibration() override { return nullptr; }
    void SetNotificationCenter(INavNotificationCenter *centre) override { Centre = centre; }
    std::vector<NavObject *> Charts;
    INavNotificationCenter *Centre = nullptr;
};

// Posted notifications arrive from the event loop.
void DeliverPosted() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

const TGeoPoint Harbour{0.9215, 0.0785};  // radians, inside the demo area

class NavEnvRun : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        TNavEnvSeams seams;
        seams.Factories.NavNotificationCenterCreate = [this]() -> INavNotificationCenter * {
            return new TRecordingCentre(Shown);
        };
        TNavEnvEvents events;
        events.OnPositionRequest = [this](TGeoPoint &position) {
            ++PositionRequests;
            if (PositionAnswer) position = Harbour;
            return PositionAnswer;
        };
        Env = Make(std::move(seams), std::move(events));
        Env->Loop->SetManualClock(true);
        Env->CoreEnv->GetDispatcher()->Subscribe(TNotificationLog::Receive, &Log);
    }
    void TearDown() override {
        if (Env) Env->CoreEnv->GetDispatcher()->Unsubscribe(TNotificationLog::Receive, &Log);
        Env.reset();
        NavEnvFixture::TearDown();
    }
    // expectedMode: the connection the stored settings ask to resume.
    void StartRun(uint8_t expectedMode = 0) {
        uint8_t mode = 9;
        Env->Start(mode);
        EXPECT_EQ(mode, expectedMode);
    }

    std::unique_ptr<TMarivoNavEnv> Env;
    std::vector<TRecordingCentre::TShown> Shown;
    TNotificationLog Log;
    bool PositionAnswer = false;
    int PositionRequests = 0;
};

}  // namespace

TEST_F(NavEnvRun, StartSwitchesTheLoopOnAndMakesTheCreationTimeUTC) {
    const TDateTime local = Env->CreatedAt;
    StartRun();
    EXPECT_EQ(Env->State, NavEnvState::Ready);
    EXPECT_TRUE(Env->Loop->IsOn());
    EXPECT_NEAR(Env->CreatedAt, local - Env->GetUTCOffset() / 1440.0, 1e-9);
}

TEST_F(NavEnvRun, ShutdownActsOnlyWhenReadyAndAlwaysEndsShutDown) {
    IAppReg *reg = GetAppReg();
    const QString ini = Env->S57BaseDataFile;
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    for (int state : {NavEnvState::Created, NavEnvState::Starting, NavEnvState::ShuttingDown,
                      NavEnvState::ShutDown}) {
        SCOPED_TRACE(state);
        Env->State = state;
        Env->Shutdown();
        EXPECT_EQ(Env->State, NavEnvState::ShutDown);
        EXPECT_FALSE(RegKeyExists(reg, AppRegRoot::Product, QStringLiteral("Routes")));
        EXPECT_EQ(QFileInfo(ini).lastModified(), old);
    }

    StartRun();
    PositionAnswer = true;
    ASSERT_TRUE(Env->StartNavigation(true));
    Env->StructOperationManager->SetActive(true);
    KeepAwakeCalls.clear();
    Env->Shutdown();
    EXPECT_EQ(Env->State, NavEnvState::ShutDown);
    EXPECT_FALSE(Env->Loop->IsOn());
    EXPECT_FALSE(Env->StructOperationManager->IsActive());
    EXPECT_EQ(Env->Boat->GetNavigationState(), NavBoat::NavigationOff);
    EXPECT_EQ(KeepAwakeCalls, std::vector<bool>{false});
    // Stopped without storing: the connection opened at start is resumed next time.
    EXPECT_TRUE(RegReadSimulatorCommunicationOpen());
    EXPECT_TRUE(RegKeyExists(reg, AppRegRoot::Product, QStringLiteral("Routes")));
    EXPECT_GT(QFileInfo(ini).lastModified(), old);
    EXPECT_TRUE(Messages.isEmpty());

    Env->Shutdown();  // the main window's destructor calls it again
    EXPECT_EQ(Env->State, NavEnvState::ShutDown);
}

TEST_F(NavEnvRun, StartAndStopNavigation) {
    StartRun();
    // The simulator needs a position; an unanswered request leaves everything as it was.
    EXPECT_FALSE(Env->StartNavigation(true));
    EXPECT_EQ(PositionRequests, 1);
    EXPECT_TRUE(KeepAwakeCalls.empty());
    EXPECT_EQ(Env->Boat->GetNavigationState(), NavBoat::NavigationOff);

    // Stopping while nothing navigates asks nothing and only lets the computer sleep.
    EXPECT_TRUE(Env->StopNavigation(QStringLiteral("Stop?"), true));
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(KeepAwakeCalls, std::vector<bool>{false});

    KeepAwakeCalls.clear();
    PositionAnswer = true;
    ASSERT_TRUE(Env->StartNavigation(true));
    EXPECT_EQ(KeepAwakeCalls, std::vector<bool>{true});
    EXPECT_TRUE(Env->Boat->IsSimulating());
    // Navigation started: a track is recorded and the open connection stored.
    EXPECT_NE(Env->Boat->GetTrack(), nullptr);
    EXPECT_TRUE(RegReadSimulatorCommunicationOpen());

    // No keeps it navigating; the own ship's dialog flag comes back either way.
    Env->Boat->SetDialogFlag(true);
    Answer = mrNo;
    EXPECT_FALSE(Env->StopNavigation(QStringLiteral("Stop now?"), true));
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Stop now?")});
    EXPECT_TRUE(Env->Boat->IsSimulating());
    EXPECT_TRUE(Env->Boat->GetDialogFlag());

    Answer = mrYes;
    Log.Items.clear();
    EXPECT_TRUE(Env->StopNavigation(QStringLiteral("Stop now?"), true));
    EXPECT_EQ(Env->Boat->GetNavigationState(), NavBoat::NavigationOff);
    EXPECT_TRUE(Env->Boat->GetDialogFlag());
    EXPECT_EQ(Env->Boat->GetTrack(), nullptr);
    EXPECT_FALSE(RegReadSimulatorCommunicationOpen());
    DeliverPosted();
    const auto stopped = std::find_if(Log.Items.begin(), Log.Items.end(), [](const auto &n) {
        return n.Code == NavNotify::NavigationStopped;
    });
    ASSERT_NE(stopped, Log.Items.end());
    EXPECT_EQ(stopped->P2, 1) << "stopped while simulating";
}

TEST_F(NavEnvRun, ThreeTicksOnTheManualClock) {
    int fast = 0, ticks = 0, ui = 0;
    std::vector<uint32_t> uiFlags;
    Env->OnFastTick = [&](const TLoopRecord &) { ++fast; };
    Env->OnTick = [&](const TLoopRecord &, uint32_t) { ++ticks; };
    Env->OnUiTick = [&](const TLoopRecord &, uint32_t flags) {
        ++ui;
        uiFlags.push_back(flags);
    };
    // Ticks before the start is complete store nothing.
    Env->Loop->SetOn(true);
    PositionAnswer = true;
    const TVector sailing{3.0f, 0.5f};  // m/s, radians
    Env->Boat->GetState()->SetState(&sailing, nullptr, nullptr, nullptr, 0.5f, 0.0f, 0.0f, false,
                                    false, 0);
    ASSERT_TRUE(Env->StartNavigation(true));
    Env->Loop->Advance(1.0f);
    EXPECT_FALSE(RegKeyExists(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat")));
    Env->Loop->SetOn(false);
    fast = ticks = ui = 0;
    uiFlags.clear();

    // The simulator was started before: the run resumes it. The start restores the stored
    // ship state (none yet), so the ship gets its speed again.
    StartRun(2);
    Env->Boat->GetState()->SetState(&sailing, nullptr, nullptr, nullptr, 0.5f, 0.0f, 0.0f, false,
                                    false, 0);
    for (int i = 0; i < 3; ++i) Env->Loop->Advance(1.0f);
    EXPECT_EQ(fast, 30);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(ui, 3);
    // The simulated ship sails: its state is stored once the run is ready.
    ASSERT_EQ(uiFlags.size(), 3u);
    EXPECT_NE(uiFlags.back() & NavBoat::ChangeState, 0u);
    EXPECT_NE(uiFlags.back() & NavBoat::ChangeDistance, 0u);
    EXPECT_GT(RegReadDOGTotal(), 0.0);
    EXPECT_TRUE(RegKeyExists(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat")));
    EXPECT_EQ(Env->ChangeFlags, 0u);

    // The UI tick clears the collected flags also when nobody listens.
    Env->OnUiTick = nullptr;
    Env->Loop->Advance(1.0f);
    EXPECT_EQ(Env->ChangeFlags, 0u);
    // While the simulator sails the GPS symbol does not blink.
    EXPECT_EQ(Env->BlinkPhase, 3);
}

TEST_F(NavEnvRun, GPSSymbolBlinksWhileAReceiverIsRead) {
    StartRun();
    int32_t err = 0;
    // The simulator's own output port stands in for a receiver.
    Env->Boat->GetGPS()->SetPort(Env->Boat->GetSimulator(), err);
    ASSERT_EQ(err, 0);
    ASSERT_TRUE(Env->StartNavigation(false));
    ASSERT_EQ(Env->Boat->GetNavigationState(), NavBoat::Navigating);
    ASSERT_FALSE(Env->Boat->IsSimulating());
    std::vector<int> phases{Env->BlinkPhase};
    for (int i = 0; i < 7; ++i) {
        Env->Loop->Advance(0.1f);
        phases.push_back(Env->BlinkPhase);
    }
    EXPECT_EQ(phases, (std::vector<int>{3, 2, 1, 0, 1, 2, 3, 2}));
    Env->StopNavigation(QString(), false);
    Env->Loop->Advance(0.1f);
    EXPECT_EQ(Env->BlinkPhase, 3);
    EXPECT_EQ(Env->BlinkStep, -1);
}

TEST_F(NavEnvRun, NotificationsThroughTheDispatcher) {
    IWptRoute *route = Env->UserDatabase->NewRoute(0.0);
    int32_t err = 0;
    IWptRoutePoint *first = route->AddPoint({Harbour.Lat, Harbour.Lon, 0.0}, nullptr, nullptr, err);
    IWptRoutePoint *second =
        route->AddPoint({Harbour.Lat + 0.001, Harbour.Lon, 0.0}, nullptr, nullptr, err);
    IWptWaypoint *waypoint = Env->UserDatabase->NewWaypoint(
        nullptr, {Harbour.Lat, Harbour.Lon, 0.0}, nullptr);
    ASSERT_TRUE(first && second && waypoint);
    testsupport::Owned<IWptWaypointList> list(WptWaypointListCreate(1));
    list->Add(first);
    list->Add(waypoint);
    list->Add(second);

    struct Case {
        const char *name;
        int32_t code;
        intptr_t p1;
        std::vector<std::pair<int32_t, intptr_t>> posted;  // after the one posted by the test
    };
    const Case cases[] = {
        {"a list: one 43 per route point, the last first", NavNotify::ObjectsChanged,
         intptr_t(list.get()),
         {{NavNotify::RouteObjectChanged, intptr_t(second)},
          {NavNotify::RouteObjectChanged, intptr_t(first)}}},
        {"one waypoint instead of a list", NavNotify::ObjectsChanged, intptr_t(waypoint), {}},
        {"a code the environment does not handle", NavNotify::RouteCalcEnd, intptr_t(route), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Log.Items.clear();
        Env->Post(c.code, c.p1);
        DeliverPosted();
        DeliverPosted();
        ASSERT_GE(Log.Items.size(), 1u);
        std::vector<std::pair<int32_t, intptr_t>> after;
        // Each route point's route is then asked to recalculate (sent, not posted).
        for (size_t i = 1; i < Log.Items.size(); ++i)
            if (Log.Items[i].Code != NavNotify::RecalculateRoute)
                after.emplace_back(Log.Items[i].Code, Log.Items[i].P1);
        EXPECT_EQ(after, c.posted);
    }
}

TEST_F(NavEnvRun, ShipNameChangesReachTheOperationRequests) {
    QStringList names;
    TNavEnvSeams seams;
    seams.Factories.NavStructOperationManagerCreate = [&]() -> INavStructOperationManager * {
        return new TShipNameRecorder(names);
    };
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat"), RegName(u"ShipName"),
                   QStringLiteral("Zeemeeuw"), err);
    ASSERT_EQ(err, 0);
    auto env = Make(std::move(seams));
    EXPECT_EQ(names, QStringList{QStringLiteral("Zeemeeuw")}) << "attached with the stored name";
    RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat"), RegName(u"ShipName"),
                   QStringLiteral("Kievit ✓"), err);
    env->Post(NavNotify::ShipSettingsChanged);
    DeliverPosted();
    EXPECT_EQ(names, QStringList({QStringLiteral("Zeemeeuw"), QStringLiteral("Kievit ✓")}));
}

TEST_F(NavEnvRun, UserNotificationsGoToTheCentreByKind) {
    Env->PostUserNotification(NavUserNotify::Message, QStringLiteral("Display category Base"), 4,
                              false, 0);
    Env->PostUserNotification(NavUserNotify::PortDetected,
                              QStringLiteral("COM-port connection detected. Checking for GPS..."),
                              4, false, 0);
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_EQ(Shown[0].Kind, NavUserNotify::Message);
    EXPECT_EQ(Shown[0].Text, QStringLiteral("Display category Base"));
    EXPECT_EQ(Shown[0].Seconds, 4);
    EXPECT_EQ(Shown[1].Kind, NavUserNotify::PortDetected);

    // Without a centre nothing happens.
    INavNotificationCenter *centre = Env->NotificationCenter;
    Env->NotificationCenter = nullptr;
    Env->PostUserNotification(NavUserNotify::Message, QStringLiteral("lost"), 4, false, 0);
    Env->NotificationCenter = centre;
    EXPECT_EQ(Shown.size(), 2u);
}

TEST_F(NavEnvRun, PassedRoutePointIsAnnouncedAndLogged) {
    IWptRoute *route = Env->UserDatabase->NewRoute(0.0);
    int32_t err = 0;
    IWptRoutePoint *point = route->AddPoint({Harbour.Lat, Harbour.Lon, 0.0}, nullptr, nullptr, err);
    ASSERT_TRUE(point);
    WptRoutePointSetName(point, QStringLiteral("Brug Ösel"), err);

    // Not yet ready: nothing is said.
    TMarivoNavEnv::OnRoutePointPassed(Env.get(), 0, point, 0, 12.4f);
    EXPECT_TRUE(Shown.empty());

    StartRun();
    const QString folder = FData + QStringLiteral("/logbooks");
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/Trip.kvlog"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("KvNavLogbook\t1\nUTCOffset\t0\nEnd\t0\n");
    file.close();
    INavLogbook *logbook = NavLogbookLoad(file.fileName(), Env->Boat, err);
    ASSERT_EQ(err, 0);
    Env->Boat->AttachLogbook(logbook);
    Env->Boat->StartLogbookRecording(false);

    TMarivoNavEnv::OnRoutePointPassed(Env.get(), 0, point, 0, 12.4f);
    const QString text = QStringLiteral("Route point Brug Ösel passed, distance 12 m");
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Text, text);
    EXPECT_EQ(Shown[0].Seconds, 4);
    QFile saved(file.fileName());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(saved.readAll()).contains(text));
    saved.close();
    EXPECT_TRUE(Messages.isEmpty());

    // A save that fails is told while the loop waits.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    bool loopOnDuringBox = true;
    SetMsgBoxPrompter([&](TMessageForm &form) {
        Messages << form.MessageLabel()->text();
        loopOnDuringBox = Env->Loop->IsOn();
        return mrOk;
    });
    TMarivoNavEnv::OnRoutePointPassed(Env.get(), 0, point, 0, 3.0f);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Saving the logbook failed due to an error: \"")))
        << Messages[0].toStdString();
    EXPECT_FALSE(loopOnDuringBox);
    EXPECT_TRUE(Env->Loop->IsOn());
}

TEST_F(NavEnvRun, ClosedTrackIsShownOnlyWhenAskedAndNeverLosesARecording) {
    struct Case {
        const char *name;
        int points;
        int32_t answer;  // what a subscriber answers to 91
        bool listed, fileKept;
    };
    const Case cases[] = {
        {"recording the main window shows", 3, 1, true, true},
        {"recording nobody shows: kept on disk", 3, 0, false, true},
        {"a single point: nothing to keep", 1, 1, false, false},
        {"no point", 0, 0, false, false},
    };
    static int32_t answer = 0;
    NotificationProc answerer = [](void *, TNavNotification *n) {
        if (n->Code == NavNotify::TrackClosed) n->Result = answer;
    };
    Env->CoreEnv->GetDispatcher()->Subscribe(answerer, nullptr);
    PositionAnswer = true;
    ASSERT_TRUE(Env->EnsureBoatPosition());
    int32_t err = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        answer = c.answer;
        Env->StartNewTrack();
        INavTrack *track = Env->Boat->GetTrack();
        ASSERT_TRUE(track);
        for (int i = 0; i < c.points; ++i)
            track->AddPoint(45000.0 + i / 86400.0, {Harbour.Lat + i * 1e-4, Harbour.Lon, 0.0}, err);
        const QString file = NavTrackGetFileName(track);
        const int listed = Env->TrackList->GetCount();
        Env->CloseCurrentTrack();
        EXPECT_EQ(Env->Boat->GetTrack(), nullptr);
        EXPECT_EQ(Env->TrackList->GetCount(), listed + (c.listed ? 1 : 0));
        EXPECT_EQ(QFileInfo::exists(file), c.fileKept);
        if (c.fileKept) {
            TTrackFileInfo info;
            NavTrackGetFileInfo(file, info, err);
            EXPECT_EQ(info.PointCount, c.points) << "the file holds the whole recording at once";
        }
    }
    Env->CoreEnv->GetDispatcher()->Unsubscribe(answerer, nullptr);
}

TEST_F(NavEnvRun, NewTargetIsStoredAndAnnouncedOnlyWhenReadyAndFlagged) {
    IWptRoute *route = Env->UserDatabase->NewRoute(0.0);
    int32_t err = 0;
    route->AddPoint({Harbour.Lat, Harbour.Lon, 0.0}, nullptr, nullptr, err);
    IWptRoutePoint *target = route->AddPoint({Harbour.Lat + 0.001, Harbour.Lon, 0.0}, nullptr,
                                             nullptr, err);
    ASSERT_TRUE(target);
    TTargetOnly navigation(target);
    struct Case {
        const char *name;
        bool ready;
        uint32_t flags;
        bool announced;
    };
    const Case cases[] = {{"before the start", false, 1, false},
                          {"flag bit 0 clear", true, 2, false},
                          {"ready and flagged", true, 1, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.ready && Env->State != NavEnvState::Ready) StartRun();
        RegWriteActiveRoutePoint(nullptr);
        Log.Items.clear();
        TMarivoNavEnv::OnRouteTargetChanged(Env.get(), &navigation, c.flags);
        DeliverPosted();
        EXPECT_EQ(RegReadActiveRoutePoint(), c.announced ? 1 : -1);
        const bool posted = !Log.Items.empty() && Log.Items[0].Code == NavNotify::RouteTargetChanged &&
                            Log.Items[0].P1 == intptr_t(target);
        EXPECT_EQ(posted, c.announced);
    }
}

TEST_F(NavEnvRun, ViewersGetTheChartsOfTheirModulesAndTheNotificationCentre) {
    TFakeViewer viewer;
    Env->RegisterViewer(&viewer);
    ASSERT_EQ(Env->Viewers.size(), 1u);
    ASSERT_EQ(viewer.Charts.size(), 2u) << "the demo S-57 cell and the demo raster chart";
    EXPECT_EQ(viewer.Charts[0], Env->ChartManager->GetChart(0));
    EXPECT_EQ(viewer.Charts[1], Env->ChartManager->GetCatalogueEntry(0)->GetCatalogueObject()->GetRasterChart());
    Env->AttachNotificationCenter(&viewer);
    EXPECT_EQ(viewer.Centre, Env->NotificationCenter);
    Env->UnregisterViewer(&viewer);
    Env->UnregisterViewer(&viewer);  // a second time changes nothing
    EXPECT_TRUE(Env->Viewers.empty());
}

TEST(NavEnvWaypointOrder, ByScaleThenByGUID) {
    testsupport::TPrivateSettingsStore store;
    int32_t err = 0;
    TNavPtr<IWptManager> manager(CreateWptManager(nullptr, nullptr, QStringLiteral("Tahoma"), {},
                                                  {}, {}, nullptr, nullptr, nullptr, nullptr,
                                                  nullptr, err));
    IWptDatabase *db = WptManagerNewDatabase(manager.get(), QStringLiteral("order"));
    auto make = [&] { return db->NewWaypoint(nullptr, {0.9, 0.08, 0.0}, nullptr); };
    IWptWaypoint *a = make(), *b = make();
    struct Case {
        const char *name;
        float scaleA, scaleB;
        int expected;
    };
    const Case cases[] = {{"smaller scale first", 1000.0f, 5000.0f, -1},
                          {"larger scale last", 5000.0f, 1000.0f, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        a->SetScale(c.scaleA, err);
        b->SetScale(c.scaleB, err);
        EXPECT_EQ(CompareEnvWaypoints(a, b), c.expected);
        EXPECT_EQ(CompareEnvWaypoints(b, a), -c.expected);
    }
    a->SetScale(2000.0f, err);
    b->SetScale(2000.0f, err);
    const int byGuid = CompareGUID(*a->GetGUID(), *b->GetGUID()) < 0 ? -1 : 1;
    EXPECT_EQ(CompareEnvWaypoints(a, b), byGuid);
    EXPECT_EQ(CompareEnvWaypoints(a, a), 0);
    EXPECT_EQ(CompareEnvWaypoints(a, db->GetWaypointGroup(0)), 0) << "not two waypoints";
}

TEST(NavEnvWaypointOptions, FixedAnswersToTheWaypointManager) {
    int32_t v[11] = {1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 11};
    TMarivoNavEnv::WaypointManagerOption1(nullptr, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7],
                                          v[8], v[9], v[10]);
    EXPECT_EQ(std::vector<int32_t>(v, v + 11),
              (std::vector<int32_t>{1, 0, 0, 0, 5, 0, 0, 0, 9, 10, 0}));
    int32_t w[11] = {1, 2, 4, 1, 5, 6, 7, 8, 9, 10, 11};
    TMarivoNavEnv::WaypointManagerOption1(nullptr, w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7],
                                          w[8], w[9], w[10]);
    EXPECT_EQ(w[2], 4) << "only 3 is cleared";
    EXPECT_EQ(w[3], 1) << "only 2 and 3 are cleared";

    int32_t value = 7;
    TGeoPoint p1{1, 1}, p2{2, 2};
    TGUID g1, g2;
    g1.D1 = g2.D1 = 5;
    bool flag = true;
    float factor = 0.0f;
    TMarivoNavEnv::WaypointManagerOption2(nullptr, value, p1, p2, g1, g2, flag, factor);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(p1.Lat + p1.Lon + p2.Lat + p2.Lon, 0.0);
    EXPECT_EQ(g1.D1 + g2.D1, 0u);
    EXPECT_FALSE(flag);
    EXPECT_EQ(factor, 1.0f);
}
