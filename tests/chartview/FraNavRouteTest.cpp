// The route-navigation window: its texts, the planning overview, the route and point
// lists, the layouts and heights on an open-water leg and on the waterway network while
// the own ship follows a demo route, the path width, the shared cross-track alarm and the
// screenshots.
#include "NavInfoGpsFixture.h"
#include "NavInfoRoutes.h"

#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "chartview/FraNavInfoRouteOpen.h"
#include "chartview/FraNavInfoWWTexts.h"
#include "chartview/FraNavRoute.h"
#include "chartview/FraNavRouteObjects.h"
#include "chartview/FraNavRouteTexts.h"
#include "chartview/NavXTEAlarm.h"
#include "shell/MarivoColors.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QPushButton>
#include <QToolButton>
#include <cmath>

using namespace navinfotest;

namespace {

const QString RegKey = QStringLiteral("Desktop\\FloatWindowNavRoute");

TEST(NavRouteTexts, TurnsAndTimesToTheNextObject) {
    struct TCase {
        const char *Name;
        QString Text, Expected;
    };
    const double degree = M_PI / 180.0;
    const TCase cases[] = {
        {"half a degree", NavRouteTurnText(float(0.5 * degree)), QStringLiteral("Follow route")},
        {"one degree exactly", NavRouteTurnText(-0.0174533f), QStringLiteral("Follow route")},
        {"twelve to port", NavRouteTurnText(float(-12 * degree)), QStringLiteral("12\u00B0 PORT")},
        {"twelve to starboard", NavRouteTurnText(float(12 * degree)), QStringLiteral("12\u00B0 STBD")},
        {"an hour under way", NavRouteNextTimeText(3600, 0.3f), QStringLiteral("1h 00s")},
        {"an hour and a second", NavRouteNextTimeText(3601, 0.3f), QStringLiteral("1h")},
        {"an hour lying still", NavRouteNextTimeText(3600, 0.2f), QStringLiteral("1h")},
        {"a day", NavRouteNextTimeText(86400, 0.3f), QStringLiteral("24h")},
        {"a day and a second", NavRouteNextTimeText(86401, 0.3f), QStringLiteral("1d")},
        {"behind the ship", NavRouteNextTimeText(-5, 3.0f), QStringLiteral("---")}};
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(c.Text, c.Expected);
    }
}

TEST(NavRoutePicture, ShrunkToTheBoxNeverEnlarged) {
    EXPECT_EQ(NavRouteFitPicture({800, 600}, {140, 100}), QSize(133, 100));
    EXPECT_EQ(NavRouteFitPicture({50, 40}, {140, 100}), QSize(50, 40));
    EXPECT_EQ(NavRouteFitPicture({200, 50}, {140, 100}), QSize(140, 35));
}

}  // namespace

class NavRouteWindow : public NavInfoGpsFixture {
protected:
    void TearDown() override {
        delete Frame;
        Frame = nullptr;
        NavInfoGpsFixture::TearDown();
    }
    TFrameNavRoute &MakeWindow() {
        RouteDock = new QDockWidget(Window.get());
        RouteDock->setObjectName(QStringLiteral("DockablePanelNavInfoRoute"));
        Window->addDockWidget(Qt::LeftDockWidgetArea, RouteDock);
        Frame = new TFrameNavRoute(RouteDock, *Env);
        RouteDock->setWidget(Frame);
        Window->show();
        return *Frame;
    }
    IWptRoute *Named(IWptRoute *route, const QString &name) {
        int32_t err = 0;
        route->SetName(testsupport::Rec(name), err);
        EXPECT_EQ(err, 0);
        return route;
    }
    QStringList RouteItems() const {
        QStringList items;
        for (int i = 0; i < Frame->RouteCombo()->count(); ++i) items << Frame->RouteCombo()->itemText(i);
        return items;
    }
    // Follows the demo route from the haven to Dunmeer on the simulator until the ship has
    // a place on the network.
    IWptRoute *FollowDemoRoute() {
        TGeoPoint start{};
        IWptRoute *route = MarinaToMarina(*Env, 0.0, start);
        if (!route) return nullptr;
        Named(route, QStringLiteral("To Dunmeer"));
        Env->Boat->SetPosition(start);
        Env->ActivateRoute(route->GetPoint(1), true, 0.0, NavInfoNowUTC());
        routetest::DeliverPosted();
        if (!Env->StartNavigation(true)) return nullptr;
        for (int i = 0; i < 60 && !Env->GetRouteNavigation()->GetNavData()->NetworkPosition; ++i)
            Env->Loop->Advance(1.0f);
        return route;
    }
    int HeaderSum() const {
        return 2 * TFrameNavRoute::HeaderHeight + TFrameNavRoute::HeaderHeight + 2 * TFrameNavRoute::Border;
    }

    QDockWidget *RouteDock = nullptr;
    TFrameNavRoute *Frame = nullptr;
};

TEST_F(NavRouteWindow, RouteListSortedWithDuplicatesAndNoEmptyRoutes) {
    StartRun();
    IWptRoute *b1 = Named(NetworkRoute(2), QStringLiteral("Bravo"));
    IWptRoute *b2 = Named(NetworkRoute(2), QStringLiteral("Bravo"));
    Named(NetworkRoute(2), QStringLiteral("Alpha"));
    IWptRoute *empty = Named(Env->UserDatabase->NewRoute(45000.0), QStringLiteral("Aardvark"));
    TFrameNavRoute &w = MakeWindow();
    EXPECT_EQ(RouteItems(), QStringList({"<no route>", "Alpha", "Bravo", "Bravo"}));
    const int i1 = w.RouteCombo()->findData(QVariant::fromValue<void *>(b1));
    const int i2 = w.RouteCombo()->findData(QVariant::fromValue<void *>(b2));
    EXPECT_TRUE(i1 > 0 && i2 > 0 && i1 != i2) << "both routes of one name are listed";

    // The empty route gets its first point: the refresh of that point lists it.
    int32_t err = 0;
    const TGeoPoint a = routetest::OnSection(Section(0), 10.0);
    empty->AddPoint(TGeoPoint3{a.Lat, a.Lon, 0.0}, nullptr, nullptr, err);
    TNavNotification n{};
    n.Code = NavNotify::RoutePointRefresh;
    n.P1 = reinterpret_cast<intptr_t>(empty->GetPoint(0));
    w.HandleNotification(n);
    EXPECT_EQ(RouteItems().value(1), QStringLiteral("Aardvark"));

    // Choosing a route follows it from its first point; "<no route>" stops.
    PlaceShip();
    w.ChooseRoute(w.RouteCombo()->findData(QVariant::fromValue<void *>(b1)));
    routetest::DeliverPosted();
    ASSERT_EQ(Env->GetActiveRoute(), b1);
    EXPECT_EQ(Env->GetRouteNavigation()->GetTargetPoint()->GetIndex(), 0);
    EXPECT_EQ(w.RouteCombo()->currentIndex(), w.RouteCombo()->findData(QVariant::fromValue<void *>(b1)))
        << "notification 81 selects the followed route";
    EXPECT_EQ(w.PointCombo()->count(), 2);
    EXPECT_EQ(w.PointCombo()->itemText(0).left(3), QStringLiteral("1: "));
    EXPECT_EQ(w.RouteButton()->text(), QStringLiteral("Bravo"));
    EXPECT_FALSE(w.PrevButton()->isEnabled()) << "steering to the first point";
    EXPECT_TRUE(w.NextButton()->isEnabled());
    w.NextButton()->click();
    routetest::DeliverPosted();
    EXPECT_EQ(Env->GetRouteNavigation()->GetTargetPoint()->GetIndex(), 1);
    EXPECT_TRUE(w.PrevButton()->isEnabled());
    EXPECT_FALSE(w.NextButton()->isEnabled()) << "steering to the last point";

    w.ChooseRoute(0);
    routetest::DeliverPosted();
    EXPECT_EQ(Env->GetActiveRoute(), nullptr);
    EXPECT_EQ(w.RouteCombo()->currentIndex(), 0);
    EXPECT_EQ(w.PointCombo()->count(), 0);
    EXPECT_FALSE(w.PrevButton()->isEnabled());
    EXPECT_FALSE(w.PointButton()->isEnabled());
    EXPECT_EQ(w.Text("LabelDestinationValue"), QStringLiteral("---"));
    EXPECT_EQ(w.Text("LabelToRValue"), QStringLiteral("---"));

    // Unrelated codes change nothing; a stray 81 without a navigation is harmless.
    const QStringList before = RouteItems();
    for (int32_t code : {NavNotify::RouteFollowStarted, 12345}) {
        n.Code = code;
        n.P1 = n.P2 = 0;
        w.HandleNotification(n);
    }
    EXPECT_EQ(RouteItems(), before);
    EXPECT_EQ(w.PointCombo()->count(), 0);
}

TEST_F(NavRouteWindow, OverviewRowsRunFromTheLastObjectToTheFirst) {
    StartRun();
    IWptRoute *route = FollowDemoRoute();
    ASSERT_TRUE(route);
    const TGeoPoint start = routetest::OnSection(Section(0), 10.0);
    // The expected order by hand: points last to first, each list last to first.
    std::vector<IWptRouteObject *> expected;
    for (int32_t i = route->GetPointCount() - 1; i >= 0; --i)
        if (IWptPlanPoint *p = route->GetPoint(i)->GetPlanPoint(); p && p->GetObjects())
            for (int32_t k = p->GetObjects()->GetCount() - 1; k >= 0; --k) expected.push_back(p->GetObjects()->GetItem(k));
    ASSERT_GT(expected.size(), 2u) << "the demo route is planned";
    EXPECT_EQ(NavRouteOverviewRows(route), expected);
    IWptRouteObject *first = nullptr;
    for (int32_t i = 0; i < route->GetPointCount() && !first; ++i)
        if (IWptRouteObjectList *l = route->GetPoint(i)->GetPlanPoint()->GetObjects(); l && l->GetCount() > 0)
            first = l->GetItem(0);
    EXPECT_EQ(NavRouteOverviewRows(route).back(), first) << "the route's first object is the last row";
    // A route nobody planned has points without plans: no rows, no crash.
    IWptRoute *unplanned = Env->UserDatabase->NewRoute(45000.0);
    int32_t err = 0;
    unplanned->AddPoint(TGeoPoint3{start.Lat, start.Lon, 0.0}, nullptr, nullptr, err);
    EXPECT_TRUE(NavRouteOverviewRows(unplanned).empty());
    EXPECT_TRUE(NavRouteOverviewRows(nullptr).empty());
}

TEST_F(NavRouteWindow, FollowsTheDemoRouteOnTheNetwork) {
    StartRun();
    Env->ApplyRouteExploreMode(false);
    IWptRoute *route = FollowDemoRoute();
    ASSERT_TRUE(route);
    ASSERT_FALSE(Env->GetRouteNavigation()->IsOpenLeg());
    TFrameNavRoute &w = MakeWindow();
    TNavNotification n{};
    n.Code = NavNotify::RouteFollowStarted;
    w.HandleNotification(n);
    w.UpdateValues();
    QApplication::processEvents();

    EXPECT_TRUE(w.NetworkMode());
    EXPECT_FALSE(w.OpenMode());
    EXPECT_TRUE(w.OverviewHeaderShown());
    EXPECT_FALSE(w.PrevWaypointHeaderShown());
    EXPECT_TRUE(w.SectionRowShown());
    EXPECT_EQ(w.RouteButton()->text(), QStringLiteral("To Dunmeer"));
    EXPECT_EQ(w.PointCombo()->count(), route->GetPointCount());
    EXPECT_EQ(w.Objects()->rowCount(), int(NavRouteOverviewRows(route).size()));
    EXPECT_TRUE(w.FollowsCurrent());
    EXPECT_EQ(w.ListView()->currentIndex().row(), w.Objects()->rowCount() - 1) << "the current object in view";

    // The next object: named, with its distance, and its lines.
    const TNavRouteData *nav = Env->GetRouteNavigation()->GetNavData();
    ASSERT_TRUE(nav && nav->NextObject);
    IWptRouteObject *next = nav->NextIndication ? nav->NextIndication : nav->NextObject;
    EXPECT_EQ(w.NextObject(), next);
    EXPECT_EQ(w.Text("LabelNextName"), NavRouteObjectCaption(next));
    EXPECT_EQ(w.Text("LabelIndicationProperties"), NavRouteIndicationText(next, Env->UnitDistanceSmall));
    EXPECT_NE(w.Text("LabelNextDTG"), QStringLiteral("---"));
    EXPECT_FALSE(w.Text("LabelIndicationProperties").contains(QStringLiteral("1E37"), Qt::CaseInsensitive));
    EXPECT_FALSE(w.Text("LabelSectionCurrent").isEmpty());
    EXPECT_NE(w.Text("LabelDestinationValue"), QStringLiteral("---"));
    EXPECT_NE(w.Text("LabelToRValue"), QStringLiteral("---"));

    // Heights: borders, the three headers of network mode and the expanded sections.
    const int all = w.Dock().AppliedHeight();
    for (int d : {1, 2, 4}) w.SetDetailVisible(d, false);
    EXPECT_EQ(w.Dock().AppliedHeight(), HeaderSum());
    EXPECT_LT(w.Dock().AppliedHeight(), all);
    for (const char16_t *name : {u"Detail1Visible", u"Detail2Visible", u"Detail4Visible"})
        EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(QString::fromUtf16(name)), true));
    w.SetDetailVisible(4, true);
    EXPECT_EQ(w.Dock().AppliedHeight(), HeaderSum() + TFrameNavRoute::ListHeight);
    for (int d : {1, 2}) w.SetDetailVisible(d, true);
    EXPECT_EQ(w.Dock().AppliedHeight(), all);

    // A path width of 50 feet goes to the navigation and the settings in metres.
    Env->SetUnits(Env->UnitDepth, Env->UnitDistanceLarge, KvUnit::Foot, Env->UnitSpeed, Env->UnitTemperature,
                  Env->UnitVolume);
    w.ApplyUnitSettings();
    w.ChoosePathWidth(2);
    EXPECT_NEAR(RegReadSingleDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"),
                                 RegName(u"WWNetworkPathWidth"), 0.0f),
                15.24f, 1e-4f);

    QApplication::processEvents();
    shelltest::SaveScreenshot(RouteDock->grab().toImage(), QStringLiteral("navroute-network-day"));

    // Following stops: everything empties again, and a path width is no longer taken.
    Env->DeactivateRoute();
    routetest::DeliverPosted();
    EXPECT_EQ(w.RouteCombo()->currentIndex(), 0);
    EXPECT_EQ(w.PointCombo()->count(), 0);
    EXPECT_EQ(w.Objects()->rowCount(), 0);
    EXPECT_TRUE(w.OpenMode());
    EXPECT_FALSE(w.SectionRowShown());
    EXPECT_EQ(w.Text("LabelNextName"), QString());
    int32_t error = 0;
    RegWriteSingle(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"), RegName(u"WWNetworkPathWidth"), 7.0f,
                   error);
    w.ChoosePathWidth(0);
    EXPECT_EQ(RegReadSingleDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"),
                               RegName(u"WWNetworkPathWidth"), 0.0f),
              7.0f);
}

TEST_F(NavRouteWindow, OpenWaterLegWithTheNavigationPanelRaisesOneAlarm) {
    StartRun();
    TWptRouteDefaults defaults;
    _GetWptRouteDefaults(defaults);
    defaults.XTEAlarm = true;
    SetWptRouteDefaults(defaults);
    Env->ApplyRouteExploreMode(false);
    ASSERT_TRUE(Env->StartNavigation(false));
    const TGeoPoint a = routetest::OnSection(Section(0), 10.0);
    IWptRoute *route = Named(Env->UserDatabase->NewRoute(45000.0), QStringLiteral("Across the lake"));
    int32_t err = 0;
    route->AddPoint(TGeoPoint3{a.Lat, a.Lon, 0.0}, nullptr, nullptr, err);
    route->AddPoint(TGeoPoint3{a.Lat + 0.0005, a.Lon, 0.0}, nullptr, nullptr, err);
    Env->RouteList->Add(route);
    Env->SetSelectedRoute(route);
    auto offTheLine = [&](double metres) {
        testsupport::TNmeaFix f;
        f.Position.Lat = a.Lat + 0.00025;
        f.Position.Lon = a.Lon + metres / (6371000.0 * std::cos(f.Position.Lat));
        f.Knots = 4.0;
        return f;
    };
    ASSERT_TRUE(SendUntil(offTheLine(5.0), [&] { return Env->Boat->IsValueValid(NavBoat::ValueCourseAndSpeed); }));
    RegisterPaletteColors(NightScreen());
    MakePanel();
    TFrameNavRoute &w = MakeWindow();
    Env->ActivateRoute(route->GetPoint(1), true, 0.0, NavInfoNowUTC());
    routetest::DeliverPosted();
    ASSERT_EQ(Env->GetActiveRoute(), route);
    TNavXTEAlarm &alarm = w.Alarm();
    ASSERT_EQ(&alarm, &Panel->RouteOpenBlock()->Alarm()) << "one alarm for both views";
    int posts = 0, sounds = 0, withdrawals = 0;
    alarm.Post = [&] { ++posts; };
    alarm.PlaySound = [&] { ++sounds; };
    alarm.Withdraw = [&] { ++withdrawals; };
    const double limit = route->GetPoint(1)->GetXTELimit();
    ASSERT_GT(limit, 0.0);
    ASSERT_TRUE(SendUntil(offTheLine(3.0 * limit), [&] {
        Panel->UpdateValues(nullptr, false);
        w.UpdateValues();
        return alarm.AlarmShown();
    }));
    for (int i = 0; i < 3; ++i) {
        Panel->UpdateValues(nullptr, false);
        w.UpdateValues();
    }
    EXPECT_EQ(posts, 1);
    EXPECT_TRUE(w.OpenMode());
    EXPECT_FALSE(w.OverviewHeaderShown());
    EXPECT_TRUE(w.PrevWaypointHeaderShown());
    EXPECT_FALSE(w.SectionRowShown());
    EXPECT_NE(w.Text("LabelXTEValue").left(3), QStringLiteral("---"));
    EXPECT_EQ(w.Text("LabelPrevWaypoint").trimmed(), QStringLiteral("1"));
    // Four blinks: two on-phases, two sounds, however many views draw the alarm.
    for (int i = 0; i < 4; ++i) alarm.Blink();
    EXPECT_EQ(sounds, 2);

    if (alarm.BlinkPhase()) alarm.Blink();
    QApplication::processEvents();
    const QImage day = RouteDock->grab().toImage();
    shelltest::SaveScreenshot(day, QStringLiteral("navroute-open-alarm-day"));
    NightScreen()->SetActive(true);
    w.UpdateValues();
    if (alarm.BlinkPhase()) alarm.Blink();
    QApplication::processEvents();
    const QImage night = RouteDock->grab().toImage();
    shelltest::SaveScreenshot(night, QStringLiteral("navroute-open-alarm-night"));
    NightScreen()->SetActive(false);
    UnregisterPaletteColors(NightScreen());
    EXPECT_NE(day, night);

    ASSERT_TRUE(SendUntil(offTheLine(0.0), [&] {
        Panel->UpdateValues(nullptr, false);
        w.UpdateValues();
        return !alarm.AlarmShown();
    }));
    EXPECT_EQ(withdrawals, 1);
}
