// Routes followed, navigated to, edited, renamed and deleted on the demo network, with the
// real planner, own ship and dispatcher.
#include "NavEnvRouteSupport.h"

#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/strings/KvFormatSettings.h"
#include "chartview/NavViewerControl.h"
#include "CoreTestSupport.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvUnits.h>

#include <cmath>
#include <numbers>

using namespace routetest;

namespace {

TGUID StoredGUID(const QString &name) {
    TGUID guid;
    RegReadGUIDDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"), RegName(name),
                   TGUID{}, guid);
    return guid;
}

// The real network with one nearest-location answer taken away: the n-th search finds
// nothing, as for a point the boat cannot reach.
class TNetworkFailingAt final : public IWWNetwork {
public:
    TNetworkFailingAt(IWWNetwork *real, int failAt) : FReal(real), FFailAt(failAt) {}
    void Merge(IWWNetwork *o, int32_t &err) override { FReal->Merge(o, err); }
    void NearestLocation(IWWSection *&s, double &off, double &d, const TGeoPoint &p, bool c,
                         float l, float w, float h, float dr) override {
        FReal->NearestLocation(s, off, d, p, c, l, w, h, dr);
        if (++FCalls == FFailAt) s = nullptr;
    }
    bool FindStruct(const TGUID *g, int32_t &i) override { return FReal->FindStruct(g, i); }
    int32_t GetVersion() override { return FReal->GetVersion(); }
    IWWStruct *GetStruct(int32_t i) override { return FReal->GetStruct(i); }
    bool FindStructByID(const TStrWRec &id, int32_t &i) override { return FReal->FindStructByID(id, i); }
    int32_t GetStructCount() override { return FReal->GetStructCount(); }
    int32_t GetFairwayCount() override { return FReal->GetFairwayCount(); }
    IWWFairway *GetFairway(int32_t i) override { return FReal->GetFairway(i); }
    bool FindFairway(const TGUID &g, int32_t &i) override { return FReal->FindFairway(g, i); }
    IWWSection *GetSection(int32_t i) override { return FReal->GetSection(i); }
    bool FindSection(const TGUID &g, int32_t &i) override { return FReal->FindSection(g, i); }
    void FindNearestSection(IWWSection *&s, double &p, double &u, const TGeoPoint &pos) override {
        FReal->FindNearestSection(s, p, u, pos);
    }
    bool HasWaterBody(int32_t n) override { return FReal->HasWaterBody(n); }

private:
    IWWNetwork *FReal;
    int FFailAt;
    int FCalls = 0;
};

// The offset along the section where its distance mark reads metres, or -1.
double OffsetOfMark(IWWSection *section, double metres) {
    const double length = section->GetLength();
    for (double at = 0.0; at <= length; at += 1.0)
        if (std::fabs(section->GetDistanceMark(at) - metres) < 0.5) return at;
    return -1.0;
}

}  // namespace

TEST_F(NavEnvRoutes, ActivatingTheEditedRouteEndsEditingFollowsAndEditsAgain) {
    StartRun();
    PlaceShip();
    IWptRoute *route = NetworkRoute(3);
    Env->BeginRouteEdit(route, nullptr, nullptr, 0.0, false);
    DeliverPosted();
    Log.Items.clear();

    Env->ActivateRoute(route->GetPoint(1), true, 250.0, 45001.5);
    DeliverPosted();
    EXPECT_EQ(Log.Codes({NavNotify::RouteEditOff, NavNotify::RouteFollowStarted,
                         NavNotify::RouteEditOn, NavNotify::RouteFollowStopped}),
              (std::vector<int32_t>{NavNotify::RouteEditOff, NavNotify::RouteFollowStarted,
                                    NavNotify::RouteEditOn}));
    EXPECT_EQ(Env->EditedRoute, route);
    ASSERT_TRUE(Env->Boat->GetRouteNavigation());
    EXPECT_EQ(Env->Boat->GetRouteNavigation()->GetRoute(), route);
    EXPECT_EQ(Env->SelectedRoute, route);
    TGUID stored;
    RegReadActiveRouteGUID(stored);
    EXPECT_TRUE(stored == *route->GetGUID());
    EXPECT_EQ(RegReadActiveRoutePoint(), 1);
    EXPECT_EQ(RegReadDOGRoute(), 250.0);
    EXPECT_EQ(RegReadRouteStartTime(), 45001.5);

    // The route already followed: nothing at all.
    Log.Items.clear();
    Env->ActivateRoute(route->GetPoint(0), true, 0.0, 0.0);
    DeliverPosted();
    EXPECT_TRUE(Log.Items.empty());
    EXPECT_EQ(RegReadActiveRoutePoint(), 1);

    // Stopping keeps edit mode: the route is left and entered again.
    Log.Items.clear();
    Env->DeactivateRoute();
    DeliverPosted();
    EXPECT_EQ(Log.Codes({NavNotify::RouteEditOff, NavNotify::RouteFollowStopped, NavNotify::RouteEditOn}),
              (std::vector<int32_t>{NavNotify::RouteEditOff, NavNotify::RouteFollowStopped,
                                    NavNotify::RouteEditOn}));
    EXPECT_EQ(Env->EditedRoute, route);
    EXPECT_EQ(Env->Boat->GetRouteNavigation(), nullptr);
    RegReadActiveRouteGUID(stored);
    EXPECT_TRUE(stored == TGUID{});
}

TEST_F(NavEnvRoutes, FollowingNeedsAPositionAndStoppingAPlainRouteAsksForARedraw) {
    StartRun();
    IWptRoute *route = NetworkRoute(2);
    Env->ActivateRoute(route->GetPoint(0), true, 0.0, 0.0);
    EXPECT_EQ(Env->Boat->GetRouteNavigation(), nullptr) << "no position and none answered";

    PositionAnswer = true;
    Answered = OnSection(Section(0), 5.0);
    Env->ActivateRoute(route->GetPoint(0), true, 0.0, 0.0);
    ASSERT_TRUE(Env->Boat->GetRouteNavigation());
    DeliverPosted();
    Log.Items.clear();
    Env->DeactivateRoute();
    DeliverPosted();
    const auto stopped = std::find_if(Log.Items.begin(), Log.Items.end(), [](const auto &n) {
        return n.Code == NavNotify::RouteFollowStopped;
    });
    ASSERT_NE(stopped, Log.Items.end());
    EXPECT_EQ(stopped->P1, intptr_t(route));
    EXPECT_GE(Log.Count(NavNotify::RecalculateRoute), 1) << "the route is drawn anew";
    EXPECT_EQ(Log.Count(NavNotify::RouteCalcEnd), 1) << "recalculated while the loop runs";
}

TEST_F(NavEnvRoutes, NavigateToNamesTheRouteAfterItsEnds) {
    StartRun();
    PlaceShip();
    // A section of the demo network with the 12460 m mark on it.
    IWWSection *orle = nullptr;
    for (int32_t i = 0; !orle && Section(i); ++i)
        if (OffsetOfMark(Section(i), 12460.0) >= 0) orle = Section(i);
    ASSERT_TRUE(orle) << "no section of the demo network carries the 12460 m mark";
    const QString sectionName = WWSectionGetName(orle).trimmed();
    const double at = OffsetOfMark(orle, 12460.0);
    IWptWaypoint *lemmer = Env->UserDatabase->NewWaypoint(nullptr, {0, 0, 0}, nullptr);
    int32_t err = 0;
    WptObjectSetName(lemmer, QStringLiteral("Lemmer"), err);
    const TGeoPoint there = OnSection(Section(2), 20.0);
    lemmer = Env->UserDatabase->NewWaypoint(nullptr, {there.Lat, there.Lon, 0.0}, nullptr);
    WptObjectSetName(lemmer, QStringLiteral("Lemmer"), err);

    const QString km = QStringLiteral(" (km 12") + LocaleFormatSettings().DecimalSeparator +
                       QStringLiteral("4)");
    struct Case {
        const char *name;
        TNavigateToTarget target;
        QString expected;
    };
    const Case cases[] = {
        {"from the own ship to a marked section", {0, nullptr, orle, nullptr, 0, at, 0, nullptr, nullptr, nullptr},
         QStringLiteral("Destination ") + sectionName + km},
        {"home to a waypoint", {1, Section(1), nullptr, nullptr, 5.0, 0, 0, nullptr, lemmer, nullptr},
         QStringLiteral("Home - Lemmer")},
        {"a named start keeps its name", {2, nullptr, nullptr, nullptr, 0, 0, 0, lemmer, nullptr, nullptr},
         QStringLiteral("Lemmer - ")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        IWptRoute *route = Env->NavigateTo(there, c.target, false, false, 0.0, false);
        ASSERT_TRUE(route);
        EXPECT_EQ(WptObjectGetName(route), c.expected);
        EXPECT_GE(route->GetPointCount(), 1);
        EXPECT_EQ(route->GetStartTime(), 0.0) << "0.0 is a departure time like any other";
        EXPECT_TRUE(StoredGUID(QStringLiteral("NavigateTo")) == *route->GetGUID());
        EXPECT_TRUE(StoredGUID(QStringLiteral("Edit")) == *route->GetGUID());
    }
}

TEST_F(NavEnvRoutes, NavigateToReplacesOrHidesThePreviousRouteOnlyWhenTheNewOneIsComplete) {
    StartRun();
    PlaceShip();
    const TGeoPoint dest = OnSection(Section(3), 30.0);
    const TNavigateToTarget toDest;
    IWptRoute *first = Env->NavigateTo(dest, toDest, false, true, -1, false);
    ASSERT_TRUE(first);
    const TDateTime now = NavMsgGetGPSClock()->GetDateTimeUTC();
    EXPECT_NEAR(first->GetStartTime(), now, 1.0 / 24) << "-1 leaves now";
    const int routes = Env->WaypointManager->GetRouteCount();

    // Kept: only hidden.
    IWptRoute *second = Env->NavigateTo(dest, toDest, true, false, -1, false);
    int32_t index = -1;
    EXPECT_TRUE(Env->WaypointManager->HoldsRoute(first));
    EXPECT_FALSE(Env->RouteList->Find(first, index));
    EXPECT_TRUE(Env->RouteList->Find(second, index));
    EXPECT_EQ(Env->WaypointManager->GetRouteCount(), routes + 1);

    // A via point that cannot be reached: no half route, the previous one stays.
    IWWNetwork *real = Env->WaterwayNetwork;
    TNetworkFailingAt failing(real, 2);
    Env->WaterwayNetwork = &failing;
    TNavigateToTarget viaTarget;
    viaTarget.ViaSection = Section(1);
    viaTarget.ViaOffset = 5.0;
    EXPECT_THROW(Env->NavigateTo(dest, viaTarget, false, false, -1, false), Exception);
    Env->WaterwayNetwork = real;
    EXPECT_EQ(Env->WaypointManager->GetRouteCount(), routes + 1);
    EXPECT_TRUE(Env->WaypointManager->HoldsRoute(second));
    EXPECT_TRUE(Env->RouteList->Find(second, index));
    EXPECT_TRUE(StoredGUID(QStringLiteral("NavigateTo")) == *second->GetGUID());

    // Not kept: deleted.
    IWptRoute *third = Env->NavigateTo(dest, toDest, false, false, -1, true);
    ASSERT_TRUE(third);
    EXPECT_FALSE(Env->WaypointManager->HoldsRoute(second));
    ASSERT_TRUE(Env->Boat->GetRouteNavigation());
    EXPECT_EQ(Env->Boat->GetRouteNavigation()->GetRoute(), third);
    EXPECT_EQ(RegReadActiveRoutePoint(), 0);

    // Without a network nothing happens at all.
    Env->WaterwayNetwork = nullptr;
    const int before = Env->WaypointManager->GetRouteCount();
    EXPECT_EQ(Env->NavigateTo(dest, toDest, false, false, -1, false), nullptr);
    Env->WaterwayNetwork = real;
    EXPECT_EQ(Env->WaypointManager->GetRouteCount(), before);
    EXPECT_TRUE(StoredGUID(QStringLiteral("NavigateTo")) == *third->GetGUID());
}

TEST_F(NavEnvRoutes, DeletingTheTargetPointMovesTheTargetOrStopsFollowing) {
    StartRun();
    PlaceShip();
    IWptRoute *route = NetworkRoute(3);
    Env->ActivateRoute(route->GetPoint(1), true, 0.0, 0.0);
    ASSERT_TRUE(Env->Boat->GetRouteNavigation());
    INavRouteNavigation *rn = Env->Boat->GetRouteNavigation();
    ASSERT_EQ(rn->GetTargetPoint(), route->GetPoint(1));

    QuestionAnswer = false;
    EXPECT_FALSE(Env->DeleteRoutePoint(route->GetPoint(1)));
    EXPECT_EQ(route->GetPointCount(), 3);
    ASSERT_EQ(Questions.size(), 1u);
    EXPECT_EQ(Questions[0].Kind, NavQuestion::DeletePoint);

    QuestionAnswer = true;
    IWptRoutePoint *next = route->GetPoint(2);
    EXPECT_TRUE(Env->DeleteRoutePoint(route->GetPoint(1)));
    EXPECT_EQ(route->GetPointCount(), 2);
    ASSERT_TRUE(Env->Boat->GetRouteNavigation());
    EXPECT_EQ(Env->Boat->GetRouteNavigation()->GetTargetPoint(), next);
    EXPECT_EQ(RegReadActiveRoutePoint(), next->GetIndex());

    // The target is the last point: following ends.
    EXPECT_TRUE(Env->DeleteRoutePoint(next));
    EXPECT_EQ(Env->Boat->GetRouteNavigation(), nullptr);
    EXPECT_EQ(route->GetPointCount(), 1);
}

TEST_F(NavEnvRoutes, DeletingPointsOfSeveralRoutesHandlesEachRoute) {
    StartRun();
    PlaceShip();
    IWptRoute *a = NetworkRoute(3), *b = NetworkRoute(3);
    Env->ActivateRoute(b->GetPoint(0), true, 0.0, 0.0);
    DeliverPosted();
    Log.Items.clear();
    QuestionAnswer = false;
    EXPECT_FALSE(Env->DeleteRoutePoints({a->GetPoint(0), b->GetPoint(2)}));
    EXPECT_EQ(a->GetPointCount() + b->GetPointCount(), 6);
    QuestionAnswer = true;
    EXPECT_TRUE(Env->DeleteRoutePoints({a->GetPoint(0), b->GetPoint(2), a->GetPoint(1)}));
    ASSERT_EQ(Questions.size(), 2u);
    EXPECT_EQ(Questions[1].Param, 3) << "one question with the total";
    EXPECT_EQ(a->GetPointCount(), 1);
    EXPECT_EQ(b->GetPointCount(), 2);
    EXPECT_EQ(Env->Boat->GetRouteNavigation(), nullptr) << "the followed route b stopped";
    DeliverPosted();
    std::vector<intptr_t> announced;
    for (const auto &n : Log.Items)
        if (n.Code == NavNotify::RoutePointsDeleted) announced.push_back(n.P2);
    EXPECT_EQ(announced, (std::vector<intptr_t>{intptr_t(a), intptr_t(b)}));
    EXPECT_TRUE(Env->DeleteRoutePoints({}));
}

TEST_F(NavEnvRoutes, RenamingCutsAtACharacterAndAnnouncesOnlyAChange) {
    IWptRoute *route = NetworkRoute(1);
    const QString pair = QString::fromUtf16(u"\U0001F6A2");  // a ship: one character, two units
    struct Case {
        const char *name;
        QString given;
        QString stored;
    };
    const Case cases[] = {
        {"300 characters keep 255", QString(300, QLatin1Char('a')), QString(255, QLatin1Char('a'))},
        {"a pair starting at the 255th unit is left out", QString(254, QLatin1Char('b')) + pair + QStringLiteral("tail"),
         QString(254, QLatin1Char('b'))},
        {"a pair ending at the 255th unit stays", QString(253, QLatin1Char('c')) + pair + QStringLiteral("x"),
         QString(253, QLatin1Char('c')) + pair},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Env->RenameRoute(route, c.given);
        EXPECT_EQ(WptObjectGetName(route), c.stored);
    }
    DeliverPosted();
    Log.Items.clear();
    Env->RenameRoute(route, WptObjectGetName(route));
    DeliverPosted();
    EXPECT_EQ(Log.Count(NavNotify::RouteChanged), 0);
}

TEST_F(NavEnvRoutes, RecalculatingClearsTheWaitingNavigateToRouteAndRefreshWithoutFlagsDoesNothing) {
    StartRun();
    PlaceShip();
    IWptRoute *route = Env->NavigateTo(OnSection(Section(2), 10.0), TNavigateToTarget(), false, true, -1, false);
    ASSERT_TRUE(route);
    // The request was answered at once while the loop runs.
    EXPECT_EQ(Env->PendingNavigateToRoute, nullptr);
    Env->PendingNavigateToRoute = route;
    DeliverPosted();
    Log.Items.clear();
    Env->RefreshRoutes(false, false, false, true);
    Env->RefreshRoutes(false, false, false, false);
    DeliverPosted();
    EXPECT_TRUE(Log.Items.empty());
    Env->RecalculateRoute(route, false);
    EXPECT_EQ(Env->PendingNavigateToRoute, nullptr);
    EXPECT_FALSE(route->IsCalculating());
    DeliverPosted();
    EXPECT_EQ(Log.Codes({NavNotify::RouteCalcBegin, NavNotify::RouteCalcEnd}),
              (std::vector<int32_t>{NavNotify::RouteCalcBegin, NavNotify::RouteCalcEnd}));
    // A route the waypoint manager does not hold is left alone.
    Log.Items.clear();
    Env->RecalculateRoute(reinterpret_cast<IWptRoute *>(&Log), false);
    DeliverPosted();
    EXPECT_TRUE(Log.Items.empty());
}

TEST_F(NavEnvRoutes, TheEnvironmentAnswersRouteNotifications) {
    StartRun();
    PlaceShip();
    IWptRoute *route = NetworkRoute(3);
    // 41: the point goes and the answer says so.
    TNavNotification answer = Env->Send(NavNotify::RoutePointRemove, intptr_t(route->GetPoint(2)));
    EXPECT_EQ(answer.Result, 1);
    EXPECT_TRUE(answer.Handled);
    EXPECT_EQ(route->GetPointCount(), 2);
    // $40000048 recalculates only while the loop runs.
    Env->Loop->SetOn(false);
    DeliverPosted();
    Log.Items.clear();
    answer = Env->Send(NavNotify::RecalculateRoute, intptr_t(route));
    EXPECT_TRUE(answer.Handled);
    DeliverPosted();
    EXPECT_EQ(Log.Count(NavNotify::RouteCalcEnd), 0);
    Env->Loop->SetOn(true);
    for (int32_t code : {NavNotify::RouteSettingsChanged, NavNotify::RoutePointsDeleted}) {
        SCOPED_TRACE(code);
        Log.Items.clear();
        Env->Post(code, code == NavNotify::RouteSettingsChanged ? intptr_t(route) : 0,
                  code == NavNotify::RoutePointsDeleted ? intptr_t(route) : 0);
        DeliverPosted();
        EXPECT_EQ(Log.Count(NavNotify::RouteCalcEnd), 1);
    }
}

TEST_F(NavEnvRoutes, ARestartResumesFollowingAtTheStoredPoint) {
    IWptRoute *route = NetworkRoute(3);
    IWptRoute *other = NetworkRoute(2);
    Env->RouteList->Add(route);
    PlaceShip();
    struct Case {
        const char *name;
        bool stored;
        int32_t point;
        bool otherVisible;
        bool followed;
        IWptRoute *selected;
    };
    const Case cases[] = {
        {"stored point 2", true, 2, false, true, route},
        {"index equal to the point count", true, 3, false, false, nullptr},
        {"nothing stored, one route shown of two held", false, 0, false, false, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Env->DeactivateRoute();
        Env->SelectedRoute = nullptr;
        Selected.clear();
        RegWriteActiveRouteGUID(c.stored ? *route->GetGUID() : TGUID{});
        RegWriteActiveRoutePoint(c.point < 3 ? route->GetPoint(c.point) : nullptr);
        if (c.point == 3) {
            int32_t err = 0;
            RegWriteInteger(GetAppReg(), AppRegRoot::Product, QStringLiteral("Navigation"),
                            RegName(u"ActiveRoutePoint"), 3, err);
        }
        Env->RestoreFollowedRoute();
        INavRouteNavigation *rn = Env->Boat->GetRouteNavigation();
        EXPECT_EQ(rn != nullptr, c.followed);
        if (rn) {
            EXPECT_EQ(rn->GetTargetPoint(), route->GetPoint(c.point));
        }
        EXPECT_EQ(Env->SelectedRoute, c.selected);
    }
    // One route held and shown: it is selected.
    int32_t err = 0;
    other->DeleteFromDatabase(err);
    RegWriteActiveRouteGUID(TGUID{});
    Env->RestoreFollowedRoute();
    EXPECT_EQ(Env->SelectedRoute, route);
    EXPECT_EQ(Selected, std::vector<IWptRoute *>{route});
}

TEST_F(NavEnvRoutes, DeletingRoutesAndPolygonsAsksFirst) {
    IWptRoute *route = NetworkRoute(2);
    Env->SetSelectedRoute(route);
    QuestionAnswer = false;
    Env->DeleteRoute(route, true);
    EXPECT_TRUE(Env->WaypointManager->HoldsRoute(route));
    QuestionAnswer = true;
    Env->DeleteRoute(route, true);
    EXPECT_FALSE(Env->WaypointManager->HoldsRoute(route));
    EXPECT_EQ(Env->SelectedRoute, nullptr);
    ASSERT_EQ(Questions.size(), 2u);
    EXPECT_EQ(Questions[0].Kind, NavQuestion::DeleteRoute);
    DeliverPosted();
    EXPECT_EQ(Log.Codes({NavNotify::RouteDeleting, NavNotify::RouteDeleted}),
              (std::vector<int32_t>{NavNotify::RouteDeleting, NavNotify::RouteDeleted}));
    EXPECT_TRUE(Messages.isEmpty());
}

namespace {

// A viewer whose view has a calibration (north up), as the main viewer has once it shows.
class TCalibratedViewer final : public TNavViewerControl {
public:
    TCalibratedViewer() : FCalibration(GeodeticCalibrationCreate()) {}
    int32_t GetViewerIndex() override { return 0; }
    void SetCharts(NavObject **, int32_t, int32_t &err) override { err = 0; }
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void ReleaseCharts() override {}
    void CancelChartLoading() override {}
    void SetChartDataCache(IS3DChartDataCache *) override {}
    IGeodeticCalibration *GetCalibration() override { return FCalibration.get(); }
    void SetNotificationCenter(INavNotificationCenter *) override {}

private:
    testsupport::Owned<IGeodeticCalibration> FCalibration;
};

// Course over ground along the section at offset, radians from north.
float CourseAlong(IWWSection *section, double offset) {
    const TGeoPoint a = OnSection(section, offset), b = OnSection(section, offset + 20.0);
    return float(std::atan2((b.Lon - a.Lon) * std::cos(a.Lat), b.Lat - a.Lat));
}

// The own ship in the middle of the section at that speed, its course along the section
// turned by turn.
TVector SailFromTheMiddle(INavBoat *boat, IWWSection *section, float speed, float turn) {
    const double middle = section->GetLength() / 2;
    boat->SetPosition(OnSection(section, middle));
    const TVector sailing{speed, CourseAlong(section, middle) + turn};
    boat->GetState()->SetState(&sailing, nullptr, nullptr, nullptr, sailing.Angle, 0.0f, 0.0f,
                               false, false, 0);
    return sailing;
}

}  // namespace

TEST_F(NavEnvRoutes, TheDefaultRouteStartsWhileSailingAlongASectionAndStopsWhenSlow) {
    TCalibratedViewer viewer;
    Env->RegisterViewer(&viewer);
    StartRun();
    Env->DefaultRouteEnabled = true;
    IWWSection *section = Section(0);
    // Radians apart, as a rough distance on the small demo area.
    auto apart = [](const TGeoPoint &a, const TRoutePosition *b) {
        return std::hypot(a.Lat - b->Lat, (a.Lon - b->Lon) * std::cos(a.Lat));
    };
    struct Case {
        const char *name;
        float turn;     // added to the course along the section
        double target;  // the end of the section ahead
    };
    const Case cases[] = {{"along the section", 0.0f, section->GetLength()},
                          {"against it", float(std::numbers::pi), 0.0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TVector sailing = SailFromTheMiddle(Env->Boat, section, 0.84f, c.turn);
        ASSERT_TRUE(Env->StartNavigation(true));
        Log.Items.clear();
        for (int i = 0; i < 10 && !Env->Boat->GetRouteNavigation(); ++i) Env->Loop->Advance(1.0f);
        ASSERT_TRUE(Env->Boat->GetRouteNavigation()) << "no default route at 0.84 m/s";
        IWptRoute *route = Env->Boat->GetRouteNavigation()->GetRoute();
        EXPECT_TRUE(route->IsDefaultRoute());
        const TRoutePosition *end = route->GetLastPoint()->GetPosition();
        EXPECT_LT(apart(OnSection(section, c.target), end),
                  apart(OnSection(section, section->GetLength() - c.target), end))
            << "the route leads to the end ahead";
        TGUID stored;
        RegReadActiveRouteGUID(stored);
        EXPECT_TRUE(stored == TGUID{}) << "a default route is not resumed";
        DeliverPosted();
        EXPECT_GE(Log.Count(NavNotify::RouteFollowStarted), 1);

        const TVector slow{0.33f, sailing.Angle};
        Env->Boat->GetState()->SetState(&slow, nullptr, nullptr, nullptr, slow.Angle, 0.0f, 0.0f,
                                        false, false, 0);
        for (int i = 0; i < 10 && Env->Boat->GetRouteNavigation(); ++i) Env->Loop->Advance(1.0f);
        EXPECT_EQ(Env->Boat->GetRouteNavigation(), nullptr) << "still following at 0.33 m/s";
        Env->StopNavigation(QString(), false);
    }
    Env->UnregisterViewer(&viewer);
}

TEST_F(NavEnvRoutes, FollowingARouteUnderWayStoresEachNewTargetUntilTheEnd) {
    StartRun();
    IWWSection *section = Section(0);
    const double length = section->GetLength();
    ASSERT_GT(length, 400.0);
    IWptRoute *route = Env->UserDatabase->NewRoute(45000.0);
    for (double at : {20.0, length / 2, length - 20.0}) {
        int32_t err = 0;
        route->AddNetworkPoint(section, at, 0, err);
        ASSERT_EQ(err, 0);
    }
    Env->Boat->SetPosition(OnSection(section, 10.0));
    const TVector sailing{4.0f, CourseAlong(section, 10.0)};
    Env->Boat->GetState()->SetState(&sailing, nullptr, nullptr, nullptr, sailing.Angle, 0.0f, 0.0f,
                                    false, false, 0);
    ASSERT_TRUE(Env->StartNavigation(true));
    Env->ActivateRoute(route->GetPoint(1), false, 0.0, 45000.0);
    ASSERT_TRUE(Env->Boat->GetRouteNavigation());
    EXPECT_EQ(RegReadActiveRoutePoint(), 1);
    TGUID stored;
    RegReadActiveRouteGUID(stored);
    EXPECT_TRUE(stored == *route->GetGUID());

    // Sail until the target moves on to the last point.
    for (int i = 0; i < 2000 && Env->Boat->GetRouteNavigation() &&
                    Env->Boat->GetRouteNavigation()->GetTargetPoint() == route->GetPoint(1);
         ++i)
        Env->Loop->Advance(1.0f);
    ASSERT_TRUE(Env->Boat->GetRouteNavigation());
    EXPECT_EQ(Env->Boat->GetRouteNavigation()->GetTargetPoint(), route->GetPoint(2));
    EXPECT_EQ(RegReadActiveRoutePoint(), 2);
    DeliverPosted();
    EXPECT_GE(Log.Count(NavNotify::RouteTargetChanged), 1);
    // On to the end: following ends by itself and the store forgets the route.
    for (int i = 0; i < 2000 && Env->Boat->GetRouteNavigation(); ++i) {
        Env->Loop->Advance(1.0f);
        DeliverPosted();
    }
    EXPECT_EQ(Env->Boat->GetRouteNavigation(), nullptr);
    RegReadActiveRouteGUID(stored);
    EXPECT_TRUE(stored == TGUID{});
    Env->StopNavigation(QString(), false);
}

TEST_F(NavEnvRoutes, SwitchingDefaultRoutesOffStopsTheDefaultRouteLikeAnyStop) {
    TCalibratedViewer viewer;
    Env->RegisterViewer(&viewer);
    StartRun();
    Env->DefaultRouteEnabled = true;
    SailFromTheMiddle(Env->Boat, Section(0), 0.84f, 0.0f);
    ASSERT_TRUE(Env->StartNavigation(true));
    for (int i = 0; i < 10 && !Env->Boat->GetRouteNavigation(); ++i) Env->Loop->Advance(1.0f);
    ASSERT_TRUE(Env->Boat->GetRouteNavigation());
    ASSERT_TRUE(Env->Boat->GetRouteNavigation()->GetRoute()->IsDefaultRoute());
    DeliverPosted();
    Log.Items.clear();

    Env->SetDefaultRouteEnabled(false);
    DeliverPosted();
    EXPECT_EQ(Env->Boat->GetRouteNavigation(), nullptr);
    EXPECT_EQ(Log.Count(NavNotify::RouteFollowStopped), 1) << "the windows hear of the stop";
    Env->StopNavigation(QString(), false);
    Env->UnregisterViewer(&viewer);
}

TEST_F(NavEnvRoutes, ANewNetworkRecalculatesEveryRouteEvenWithTheLoopOff) {
    IWptRoute *a = NetworkRoute(2);
    IWptRoute *b = NetworkRoute(3);
    ASSERT_FALSE(Env->Loop->IsOn());
    DeliverPosted();
    Log.Items.clear();
    Env->ReloadWaterwayNetwork();
    DeliverPosted();
    std::vector<intptr_t> calculated;
    for (const auto &n : Log.Items)
        if (n.Code == NavNotify::RouteCalcEnd) calculated.push_back(n.P1);
    EXPECT_EQ(calculated, (std::vector<intptr_t>{intptr_t(b), intptr_t(a)})) << "last first";
}
