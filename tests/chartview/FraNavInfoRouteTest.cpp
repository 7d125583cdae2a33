// The route block of the navigation-information panel: its texts, the route it describes,
// its figures against the followed route's navigation data and its route list.
#include "NavInfoFixture.h"
#include "NavInfoRoutes.h"

#include "base/strings/KvFormatSettings.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraNavInfoRoute.h"
#include "tests/common/CoreTestSupport.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QComboBox>
#include <QToolButton>

namespace {

TEST(NavRouteTexts, StopsAndDurations) {
    struct Stops {
        int32_t bridges, locks;
        const char *text;
    };
    for (const Stops &c : {Stops{0, 0, "Stops: 0"}, Stops{0, 2, "Stops: 2L"}, Stops{1, 2, "Stops: 1B, 2L"},
                           Stops{3, 0, "Stops: 3B"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NavStopsText(c.bridges, c.locks), QLatin1String(c.text));
    }
    struct Duration {
        const char *name;
        QString text, expected;
    };
    const Duration cases[] = {
        {"a day to go, ship still", NavTimeToGoText(86400, 0.0f), QStringLiteral("24h")},
        {"a day to go, ship moving", NavTimeToGoText(86400, 0.25f), QStringLiteral("24h 00s")},
        {"a day and a second to go", NavTimeToGoText(86401, 3.0f), QStringLiteral("1d")},
        {"arrival behind", NavTimeToGoText(-60, 3.0f), QStringLiteral("---")},
        {"on route a second less than a day", NavTimeOnRouteText(86399), QStringLiteral("23h 59m 59s")},
        {"on route a day", NavTimeOnRouteText(86400), QStringLiteral("1d")},
        {"on route a day and a minute", NavTimeOnRouteText(86460), QStringLiteral("1d 01m")}};
    for (const Duration &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.text, c.expected);
    }
}

class NavInfoRoute : public NavInfoFixture {
protected:
    // A planned route over three demo sections, made visible.
    IWptRoute *VisibleRoute(const QString &name) {
        IWptRoute *route = NetworkRoute(3);
        int32_t err = 0;
        route->SetName(testsupport::Rec(name), err);
        Env->RouteList->Add(route);
        return route;
    }
    TFrameNavInfoRoute *Block() { return Panel->RouteBlock(); }
};

TEST_F(NavInfoRoute, WithoutARouteEveryFigureIsDashed) {
    StartRun();
    Env->ApplyRouteExploreMode(false);
    MakePanel();
    TFrameNavInfoRoute *b = Block();
    b->UpdateValues();
    EXPECT_EQ(b->Destination(), QStringLiteral("---"));
    EXPECT_EQ(b->DTG(), QStringLiteral("---"));
    EXPECT_EQ(b->Stops(), QStringLiteral("---"));
    EXPECT_EQ(b->ETA(), QStringLiteral("--:--"));
    EXPECT_EQ(b->TTG(), QStringLiteral("---"));
    EXPECT_EQ(b->TimeOnRoute(), QStringLiteral("---"));
    EXPECT_EQ(b->DOG(), QStringLiteral("---") + UnitToStr(Env->UnitDistanceSmall));
    EXPECT_FALSE(b->DTGEnabled());
    EXPECT_EQ(b->RouteButton()->text(), QStringLiteral("<no route>"));

    // Collapsed, the block keeps its header between the borders.
    b->SetDetailVisible(false);
    EXPECT_EQ(b->parentWidget()->maximumHeight(), 29);
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\FloatWindowNavRoute"),
                                RegName(u"Detail1Visible"), true));
}

TEST_F(NavInfoRoute, FollowedRouteShowsTheNavigationDataAgainstThePlan) {
    StartRun();
    // Live figures: outside route-explore mode the followed route's own navigation data.
    Env->ApplyRouteExploreMode(false);
    TGeoPoint start{};
    IWptRoute *route = navinfotest::MarinaToMarina(*Env, 0.0, start);
    ASSERT_TRUE(route);
    int32_t err = 0;
    route->SetName(testsupport::Rec(QStringLiteral("Along three sections")), err);
    Env->RouteList->Add(route);
    Env->Boat->SetPosition(start);
    Env->ActivateRoute(route->GetPoint(1), true, 0.0, 0.0);
    routetest::DeliverPosted();
    ASSERT_EQ(Env->GetActiveRoute(), route);
    ASSERT_TRUE(Env->StartNavigation(true));
    INavRouteNavigation *navigation = Env->GetRouteNavigation();
    for (int i = 0; i < 30 && navigation->GetNavData()->RouteDistance <= 0.0; ++i) Env->Loop->Advance(1.0f);

    MakePanel();
    TFrameNavInfoRoute *b = Block();
    b->UpdateValues();
    const TNavRouteData *n = navigation->GetNavData();
    IWptPlanPoint *plan = route->GetLastPoint()->GetPlanPoint();
    ASSERT_TRUE(plan && plan->GetArrival());
    ASSERT_EQ(plan->GetStatus(), 0) << "the route is planned";
    const TTimePointData *arrival = plan->GetArrival()->GetData();
    QString value, unit;
    FormatDistanceA(Env->UnitDistanceLarge, Env->UnitDistanceSmall, value, unit, arrival->DistanceM - n->RouteDistance);
    EXPECT_TRUE(b->DTGEnabled());
    EXPECT_EQ(b->DTG(), value);
    EXPECT_EQ(b->Stops(), NavStopsText(n->BridgeStops, n->LockStops));
    EXPECT_EQ(b->Fuel(), FloatToStrFixed(UnitConvert(arrival->ConsumptionM3 - n->FuelUsed, KvUnit::CubicMetre,
                                                     Env->UnitVolume),
                                         6, 1, LocaleFormatSettings()));
    EXPECT_EQ(b->FuelCaption(), QStringLiteral("FUEL"));
    EXPECT_EQ(b->Money(), Env->Currency + u' ' +
                              FloatToStrFixed(arrival->Cost - n->CostSpent, 6, 2, LocaleFormatSettings()));
    FormatDistanceA(Env->UnitDistanceLarge, Env->UnitDistanceSmall, value, unit,
                    navigation->GetRouteDistanceOverGround());
    EXPECT_EQ(b->DOG(), value + u' ' + unit + u' ');
    EXPECT_NE(b->ETA(), QStringLiteral("--:--"));
    EXPECT_NE(b->TimeOnRoute(), QStringLiteral("---"));
    EXPECT_EQ(b->Destination(), WptRoutePointGetDisplayName(route->GetLastPoint()).isEmpty()
                                    ? QString::number(route->GetLastPoint()->GetIndex() + 1)
                                    : WptRoutePointGetDisplayName(route->GetLastPoint()));
    EXPECT_EQ(b->RouteButton()->text(), QStringLiteral("Along three sections"));

    // An electric boat: energy in the unit its label names.
    Env->ActiveBoatDef->SetElectric(true);
    b->UpdateValues();
    EXPECT_EQ(b->FuelCaption(), QStringLiteral("ENERGY"));
    EXPECT_EQ(b->FuelUnit(), UnitToStr(KvUnit::KilojoulePerHour));
    EXPECT_EQ(b->Fuel(), FloatToStrFixed(UnitConvert(arrival->ConsumptionM3 - n->FuelUsed, KvUnit::Joule,
                                                     KvUnit::Kilojoule),
                                         6, 1, LocaleFormatSettings()));
}

TEST_F(NavInfoRoute, AnUnplannedDestinationOrANetworkReloadShowsNoTotals) {
    StartRun();
    IWptRoute *route = VisibleRoute(QStringLiteral("Unplanned"));
    Env->SetSelectedRoute(route);
    ASSERT_TRUE(Env->RouteExploreMode);
    MakePanel();
    TFrameNavInfoRoute *b = Block();
    b->UpdateValues();
    IWptPlanPoint *plan = route->GetLastPoint()->GetPlanPoint();
    ASSERT_TRUE(!plan || plan->GetStatus() != 0 || !plan->GetArrival()) << "a route never calculated";
    EXPECT_FALSE(b->DTGEnabled());
    EXPECT_EQ(b->DTG(), QStringLiteral("---"));
    EXPECT_EQ(b->TTG(), QStringLiteral("---"));
    EXPECT_EQ(b->ETA(), QStringLiteral("--:--"));
    EXPECT_EQ(b->RouteButton()->text(), QStringLiteral("Unplanned"));

    // While the network reloads the block touches nothing.
    const QString before = b->DOG();
    Env->SetSelectedRoute(nullptr);
    Env->NetworkReloadPending = true;
    b->UpdateValues();
    EXPECT_EQ(b->DOG(), before);
    Env->NetworkReloadPending = false;
    b->UpdateValues();
    EXPECT_EQ(b->Destination(), QStringLiteral("---"));
}

TEST_F(NavInfoRoute, TheListHoldsVisibleRoutesWithPointsAndARefillReportsTheChoiceOnce) {
    StartRun();
    IWptRoute *shown = VisibleRoute(QStringLiteral("Shown"));
    IWptRoute *hidden = NetworkRoute(2);
    IWptRoute *empty = Env->UserDatabase->NewRoute(45000.0);
    Env->RouteList->Add(empty);
    MakePanel();
    TFrameNavInfoRoute *b = Block();
    std::vector<IWptRoute *> chosen;
    // A handler that refills the list again, as a main window reacting to the choice might.
    b->OnRouteChosen = [&](IWptRoute *r) {
        chosen.push_back(r);
        b->FillRouteList();
    };
    Env->SetSelectedRoute(shown);
    b->FillRouteList();
    ASSERT_EQ(b->RouteCombo()->count(), 2);
    EXPECT_EQ(b->RouteCombo()->itemText(0), QStringLiteral("<no route>"));
    EXPECT_EQ(b->RouteCombo()->itemText(1), QStringLiteral("Shown"));
    EXPECT_EQ(chosen, std::vector<IWptRoute *>{shown}) << "one report, no recursion";

    chosen.clear();
    Env->SetSelectedRoute(hidden);
    b->FillRouteList();
    EXPECT_EQ(b->RouteCombo()->currentIndex(), 0);
    EXPECT_EQ(chosen, std::vector<IWptRoute *>{nullptr});
    (void)empty;
}

}  // namespace
