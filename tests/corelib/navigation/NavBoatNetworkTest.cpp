// The own ship on the demo waterway network: matched onto the section it sails (and onto
// none far off), the default route along its section in the direction it is given, the
// route data of a planned route (the next structure ahead and its distance, stops, the
// cross-track side along the network), and re-planning from where the ship is.
#include "CoreTestSupport.h"
#include "DemoData.h"
#include "TestSupport.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

#include <GeographicLib/Geodesic.hpp>

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QTimeZone>
#include <QUuid>

#include <cmath>
#include <memory>
#include <numbers>

namespace {

using testsupport::TDeleter;
using testsupport::Owned;
using testsupport::Q;
using testsupport::Rec;
using testsupport::Guid;

constexpr double Deg = 180.0 / std::numbers::pi;

TDateTime SummerMorning() {
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), QTimeZone::utc());
    const QDateTime t(QDate(2024, 6, 12), QTime(8, 0), QTimeZone::utc());
    return double(epoch.msecsTo(t)) / 86400000.0;
}

TGeoPoint ToGeo(const TDouble3 &g) {
    TGeoPoint out;
    GlobalToGeo2(out, g, nullptr);
    return out;
}

TGeoPoint Direct(const TGeoPoint &from, double bearingRad, double metres) {
    double lat = 0, lon = 0;
    GeographicLib::Geodesic::WGS84().Direct(from.Lat * Deg, from.Lon * Deg, bearingRad * Deg, metres, lat, lon);
    return {lat / Deg, lon / Deg};
}

double Distance(const TGeoPoint &a, const TGeoPoint &b) {
    double s = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.Lat * Deg, a.Lon * Deg, b.Lat * Deg, b.Lon * Deg, s);
    return s;
}

// Bearing of the section's own direction at a position (north-up view vector: x east,
// y south).
double SectionBearing(IWWSection *s, double position) {
    TFloat2 v;
    s->GetDirection(position, nullptr, v);
    const double b = std::atan2(double(v.X), -double(v.Y));
    return b < 0 ? b + 2 * std::numbers::pi : b;
}

double AngleDiff(double a, double b) { return std::fabs(std::remainder(a - b, 2 * std::numbers::pi)); }

struct TEvents {
    int Ended = 0;
};
void OnEnded(void *d, intptr_t) { ++static_cast<TEvents *>(d)->Ended; }

class NavBoatNetwork : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Demo = new demo::TNetwork(demo::BuildDemoNetwork());
        Folder = new QString(testsupport::MakeTempDir(QStringLiteral("ownshipnet")));
        File = new QString(QDir(*Folder).filePath(QStringLiteral("WaterwayNetwork.kvwwn")));
        QString error;
        if (!demo::WriteNetwork(*Demo, *File, error)) File->clear();
    }
    static void TearDownTestSuite() {
        delete Demo;
        delete Folder;
        delete File;
    }
    void SetUp() override {
        ASSERT_FALSE(File->isEmpty()) << "demo network could not be written";
        SetWptRouteDefaults(TWptRouteDefaults());
        int32_t err = -1;
        Net.reset(WWNetworkCreateFromFile(Rec(*File), nullptr, err));
        ASSERT_EQ(err, KvErr::Ok);
        Manager.reset(WptManagerCreate(nullptr, nullptr, 0, 15.5f, 15.5f, Rec(QStringLiteral("DejaVu Sans")), 10.0f, 0,
                                       0xFF000000u, 8.0f, 1, 0xFF0000FFu, 8.0f, 2, 0xFF00FF00u, 5, nullptr, false,
                                       nullptr, nullptr, nullptr, nullptr, err));
        ASSERT_EQ(err, KvErr::Ok);
        Db = Manager->NewDatabase(Rec(QStringLiteral("Routes")));
        ASSERT_NE(Db, nullptr);
        Planner.reset(WptPlannerCreate(Rec(*Folder), nullptr, Db, Net.get(), 0, 0, nullptr, 0, 0));
        ASSERT_TRUE(Planner);
        BoatDef.reset(LPBoatDefCreate(1));
        BoatDef->SetHeights(2.0f, 1.5f, 0.0f);
        BoatDef->SetDimensions(9.0f, 3.2f, TFloat2{4.5f, 0.0f});
        BoatDef->SetDraught(1.1f);
        BoatDef->SetSpeeds(2.0f, 4.0f, 6.0f);
        const TFloat2 curve[] = {{0.0f, 0.0f}, {10.0f, 1e-5f}};  // 10 ml/s at 10 m/s
        BoatDef->GetFuelCurve()->SetPoints(2, curve);
        Boat.reset(NavBoatCreate(Manager.get(), BoatDef.get(), nullptr, 0, nullptr, 0, nullptr, 1, 0, 0, 0, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 OnEnded, &Events));
        Boat->SetWaterwayNetwork(Net.get());
    }
    void TearDown() override {
        Boat.reset();
        Planner.reset();
        Manager.reset();
        BoatDef.reset();
        Net.reset();
        SetWptRouteDefaults(TWptRouteDefaults());
    }

    IWWSection *SectionByGuid(const QString &guid) {
        int32_t i = -1;
        return Net->FindSection(Guid(guid), i) ? Net->GetSection(i) : nullptr;
    }
    IWWStruct *StructByName(const QString &name) {
        const demo::TStructure *s = Demo->FindStructureByName(name);
        if (!s) return nullptr;
        const TGUID g = Guid(s->Guid);
        int32_t i = -1;
        return Net->FindStruct(&g, i) ? Net->GetStruct(i) : nullptr;
    }
    TGeoPoint On(IWWSection *s, double position) { return ToGeo(s->GetPointAt(position)); }

    // The ship put at p, held there (speed 0) or sailing on course by the simulator.
    void StartAt(const TGeoPoint &p, float speed = 0.0f, float course = 0.0f) {
        Boat->SetPosition(p);
        const TVector v{speed, course};
        Boat->GetState()->SetState(&v, nullptr, nullptr, nullptr, 0, 0, 0, true, true, 8);
        Boat->Start(true);
        ASSERT_TRUE(Boat->IsSimulating());
    }
    void Tick() {
        Time += 1.0 / 86400;
        uint32_t flags = 0;
        Boat->UpdateSecond(TLoopRecord{1.0f, Time}, 0, 0, nullptr, flags);
    }
    void At(const TGeoPoint &p) {
        Boat->SetPosition(p);
        Tick();
    }
    // The marina-to-marina route along the river (Saltmere to Dunmeer), planned.
    IWptRoute *MarinaRoute(bool plan = true) {
        IWptRoute *r = Db->NewRoute(Time);
        int32_t err = -1;
        for (const demo::TMarina &m : Demo->Marinas) {
            IWWSection *s = SectionByGuid(m.Section);
            EXPECT_NE(s, nullptr);
            r->AddNetworkPoint(s, m.SectionPosition, 0, err);
            EXPECT_EQ(err, KvErr::Ok);
        }
        if (plan) Planner->Calculate(BoatDef.get(), r, 0, false, false, false);
        return r;
    }
    void Follow(IWptRoute *r, int32_t from, float pathWidth = 200.0f) {
        Boat->StartRouteNavigation(Planner.get(), r->GetPoint(from), false, 0.0, Time, pathWidth, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(Boat->GetRouteNavigation(), nullptr);
    }

    static demo::TNetwork *Demo;
    static QString *Folder;
    static QString *File;
    Owned<IWWNetwork> Net;
    Owned<IWptManager> Manager;
    IWptDatabase *Db = nullptr;
    Owned<IWptPlanner> Planner;
    Owned<ILPBoatDef> BoatDef;
    TEvents Events;
    Owned<INavBoat> Boat;
    TDateTime Time = SummerMorning();
};
demo::TNetwork *NavBoatNetwork::Demo = nullptr;
QString *NavBoatNetwork::Folder = nullptr;
QString *NavBoatNetwork::File = nullptr;

}  // namespace

TEST_F(NavBoatNetwork, ShipIsMatchedOntoTheSectionItSailsAndOntoNoneFarOff) {
    IWWStruct *bridge = StructByName(QStringLiteral("Millbrook Bridge"));
    ASSERT_NE(bridge, nullptr);
    IWWSection *river = bridge->GetSection();
    ASSERT_NE(river, nullptr);
    const double mid = river->GetLength() / 2;
    const double across = SectionBearing(river, mid) + std::numbers::pi / 2;
    const demo::TArea area = demo::DemoArea();
    struct Case {
        const char *name;
        TGeoPoint ship;
        bool matched;
        double positionTolerance;
    };
    const Case cases[] = {
        {"on the line", On(river, mid), true, 1.0},
        {"60 m to one side", Direct(On(river, mid), across, 60.0), true, 15.0},
        {"60 m to the other side", Direct(On(river, mid), across + std::numbers::pi, 60.0), true, 15.0},
        {"at sea far west of the area", TGeoPoint{(area.South + area.North) / 2 / Deg, (area.West - 0.2) / Deg}, false, 0},
        {"far beyond the north of the area", TGeoPoint{(area.North + 0.2) / Deg, (area.West + area.East) / 2 / Deg}, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Boat->SetPosition(c.ship);
        if (!c.matched) {
            EXPECT_EQ(Boat->GetWaterwayObject(), nullptr);
            EXPECT_EQ(Boat->GetWaterwayObjectPosition(), 0.0);
            continue;
        }
        EXPECT_EQ(Boat->GetWaterwayObject(), river);
        EXPECT_NEAR(Boat->GetWaterwayObjectPosition(), mid, c.positionTolerance);
    }
    // Without a network nothing is matched.
    Boat->SetPosition(On(river, mid));
    ASSERT_EQ(Boat->GetWaterwayObject(), river);
    Boat->SetWaterwayNetwork(nullptr);
    EXPECT_EQ(Boat->GetWaterwayObject(), nullptr);
}

TEST_F(NavBoatNetwork, DefaultRouteLeadsAlongTheSectionInTheDirectionOfTravel) {
    IWWStruct *bridge = StructByName(QStringLiteral("Millbrook Bridge"));
    ASSERT_NE(bridge, nullptr);
    IWWSection *river = bridge->GetSection();
    const double len = river->GetLength();
    ASSERT_GT(len, 400.0);
    const double start = len / 2;
    struct Case {
        const char *name;
        bool forward;
    };
    for (const Case c : {Case{"along the section", true}, Case{"against the section", false}}) {
        SCOPED_TRACE(c.name);
        Events = TEvents();
        const double course = SectionBearing(river, start) + (c.forward ? 0.0 : std::numbers::pi);
        StartAt(On(river, start), 0.0f, float(course));
        Tick();  // the ship's clock, not the wall clock, times the opening bridges on the way
        ASSERT_EQ(Boat->GetWaterwayObject(), river);
        IWWJunction *node = c.forward ? river->GetEndJunction() : river->GetStartJunction();
        Boat->StartDefaultRoute(node, node->GetPosition(), c.forward, Planner.get(), 200.0f);
        INavRouteNavigation *rn = Boat->GetRouteNavigation();
        ASSERT_NE(rn, nullptr);
        IWptRoute *route = rn->GetRoute();
        ASSERT_NE(route, nullptr);
        EXPECT_TRUE(route->IsDefaultRoute());  // the program ends and names it by this
        ASSERT_EQ(route->GetPointCount(), 2);
        EXPECT_EQ(rn->GetTargetPoint(), route->GetLastPoint());
        const TRoutePosition *end = route->GetLastPoint()->GetPosition();
        EXPECT_LT(Distance(TGeoPoint{end->Lat, end->Lon}, On(river, c.forward ? len : 0.0)), 1.0);
        EXPECT_FALSE(rn->IsOpenLeg());

        Tick();
        const TNavRouteData *nd = rn->GetNavData();
        ASSERT_NE(nd->NetworkPosition, nullptr);
        EXPECT_EQ(nd->NetworkPosition->GetSection(), river);
        EXPECT_EQ(nd->DirectionTo, node);
        float dtg = 0, cts = 0;
        ASSERT_TRUE(rn->GetDTG(dtg));
        EXPECT_NEAR(dtg, c.forward ? len - start : start, 2.0);
        ASSERT_TRUE(rn->GetNetworkCTS(cts));
        EXPECT_LT(AngleDiff(cts, course), 30.0 / Deg);

        // Sailing on: the simulator steers along the river and the route ends at the node.
        Boat->GetSimulatorControl()->SetSpeedMax(10.0f);
        const TVector v{8.0f, float(course)};
        Boat->GetState()->SetState(&v, nullptr, nullptr, nullptr, 0, 0, 0, true, true, 8);
        double worstOff = 0.0;
        for (int i = 0; i < int(len / 8.0) + 60 && Events.Ended == 0; ++i) {
            Tick();
            float xte = 0, rel = 0, width = 0;
            if (Boat->GetRouteNavigation() && Boat->GetRouteNavigation()->GetXTE(xte, rel, width))
                worstOff = std::max(worstOff, double(std::fabs(xte)));
        }
        EXPECT_EQ(Events.Ended, 1);
        EXPECT_LT(worstOff, 60.0);
        TGeoPoint at;
        ASSERT_TRUE(Boat->GetPosition(at));
        EXPECT_LT(Distance(at, On(river, c.forward ? len : 0.0)), 150.0);
        Boat->StopRouteNavigation();
        Boat->Stop();
    }
}

TEST_F(NavBoatNetwork, PlannedRouteDataListsTheNextStructureAheadWithItsDistance) {
    IWptRoute *r = MarinaRoute();
    ASSERT_EQ(r->GetLastPoint()->GetPlanPoint()->GetStatus(), WptPlanStatus::Planned);
    // Millbrook Bridge on the plan: its section, where the plan enters the section and the
    // bridge's place on it.
    IWptRouteObjectList *list = r->GetLastPoint()->GetPlanPoint()->GetObjects();
    IWptRouteObject *millbrook = nullptr;
    for (int32_t i = 0; i < list->GetCount() && !millbrook; ++i) {
        IWptRouteObject *o = list->GetItem(i);
        if (o->GetKind() == WptRouteObjectKind::Structure &&
            Q(o->GetStructPassage()->GetStruct()->GetName()) == QLatin1String("Millbrook Bridge"))
            millbrook = o;
    }
    ASSERT_NE(millbrook, nullptr);
    IWWStruct *bridge = millbrook->GetStructPassage()->GetStruct();
    IWWSection *river = bridge->GetSection();
    const double bridgeAt = bridge->GetSectionPosition();
    const double entry = millbrook->GetLeg()->GetDistance();
    ASSERT_GT(std::fabs(bridgeAt - entry), 100.0);
    const double shipAt = (entry + bridgeAt) / 2;
    const double along = SectionBearing(river, shipAt) + (bridgeAt > entry ? 0.0 : std::numbers::pi);

    StartAt(On(river, shipAt));
    Follow(r, 1);
    Tick();
    INavRouteNavigation *rn = Boat->GetRouteNavigation();
    const TNavRouteData *nd = rn->GetNavData();
    EXPECT_EQ(nd->Objects, list);
    ASSERT_NE(nd->NetworkPosition, nullptr);
    EXPECT_EQ(nd->NetworkPosition->GetSection(), river);
    EXPECT_NEAR(nd->SectionPosition, shipAt, 2.0);
    EXPECT_EQ(Boat->GetWaterwayObject(), river);
    ASSERT_GE(nd->FirstObjectAhead, 0);
    EXPECT_EQ(nd->NextObject, list->GetItem(nd->FirstObjectAhead));
    // Everything before the first object ahead lies behind the ship, the bridge is the
    // first structure after it, at the distance along the river.
    IWptRouteObject *nextStructure = nullptr;
    for (int32_t i = 0; i < list->GetCount(); ++i) {
        IWptRouteObject *o = list->GetItem(i);
        if (i < nd->FirstObjectAhead) {
            EXPECT_LT(o->GetValues()[0], nd->RouteDistance + 0.5);
        } else if (!nextStructure && o->GetKind() == WptRouteObjectKind::Structure) {
            nextStructure = o;
        }
    }
    ASSERT_EQ(nextStructure, millbrook);
    EXPECT_NEAR(millbrook->GetValues()[0] - nd->RouteDistance, std::fabs(bridgeAt - shipAt), 2.0);
    // Millbrook opens for this boat; the river has no lock on this way.
    EXPECT_GE(nd->BridgeStops, 1);
    EXPECT_EQ(nd->LockStops, 0);
    EXPECT_FALSE(rn->IsOpenLeg());
    float dtg = 0;
    ASSERT_TRUE(rn->GetDTG(dtg));
    const double arrival = r->GetLastPoint()->GetPlanPoint()->GetArrival()->GetData()->DistanceM;
    EXPECT_NEAR(dtg, arrival - nd->RouteDistance, 2.0);

    // Off the planned way: the cross-track sign tells the side, the size the distance.
    struct Side {
        const char *name;
        double bearingOffset;
        double sign;
    };
    for (const Side s : {Side{"starboard", std::numbers::pi / 2, 1.0}, Side{"port", -std::numbers::pi / 2, -1.0}}) {
        SCOPED_TRACE(s.name);
        At(Direct(On(river, shipAt), along + s.bearingOffset, 40.0));
        float xte = 0, rel = 0, width = 0;
        ASSERT_TRUE(rn->GetXTE(xte, rel, width));
        EXPECT_NEAR(xte, s.sign * 40.0, 3.0);
        EXPECT_NEAR(rel, xte / 100.0, 1e-4);
        EXPECT_FLOAT_EQ(width, 200.0f);
        // The course to steer along the network leads back towards the way.
        float cts = 0;
        ASSERT_TRUE(rn->GetNetworkCTS(cts));
        EXPECT_GT(AngleDiff(cts, along + s.bearingOffset), std::numbers::pi / 2);
        EXPECT_LT(AngleDiff(cts, along), std::numbers::pi / 2);
    }
}

TEST_F(NavBoatNetwork, FuelAndCostComeFromTheBoatsCurveAtTheSpeedSailed) {
    IWptRoute *r = MarinaRoute();
    Planner->SetPlannerValueA5(2.0f);  // price of one m³
    IWWStruct *bridge = StructByName(QStringLiteral("Millbrook Bridge"));
    IWWSection *river = bridge->GetSection();
    StartAt(On(river, river->GetLength() / 2), 5.0f, float(SectionBearing(river, river->GetLength() / 2)));
    Follow(r, 1);
    for (int i = 0; i < 10; ++i) Tick();
    const TNavRouteData *nd = Boat->GetRouteNavigation()->GetNavData();
    // 10 s at 5 m/s on a curve of 1e-6 m³/s per m/s.
    EXPECT_NEAR(nd->FuelUsed, 10 * 5e-6, 1e-7);
    EXPECT_NEAR(nd->CostSpent, nd->FuelUsed * 2.0, 1e-9);
}

TEST_F(NavBoatNetwork, RecalculateReplansFromWhereTheShipIsNow) {
    IWWStruct *bridge = StructByName(QStringLiteral("Millbrook Bridge"));
    IWWSection *river = bridge->GetSection();
    const double len = river->GetLength();
    StartAt(On(river, len / 2), 0.0f, float(SectionBearing(river, len / 2)));
    Boat->StartDefaultRoute(river->GetEndJunction(), len, true, Planner.get(), 200.0f);
    INavRouteNavigation *rn = Boat->GetRouteNavigation();
    ASSERT_NE(rn, nullptr);
    Tick();
    const double before = rn->GetNavData()->RouteDistance;
    EXPECT_NEAR(before, 0.0, 2.0);

    // The ship leaves the route: it is now in the Saltmere marina channel, far down the
    // river over the network.
    IWWSection *other = SectionByGuid(Demo->Marinas[0].Section);
    ASSERT_NE(other, nullptr);
    ASSERT_NE(other, river);
    ASSERT_GT(Distance(On(other, other->GetLength() / 2), On(river, len)), 1000.0);
    At(On(other, other->GetLength() / 2));
    ASSERT_EQ(Boat->GetWaterwayObject(), other);
    rn->Recalculate(0);
    IWptRoute *route = rn->GetRoute();
    ASSERT_EQ(route->GetPointCount(), 2);
    EXPECT_EQ(rn->GetTargetPoint(), route->GetLastPoint());
    const TRoutePosition *first = route->GetPoint(0)->GetPosition();
    EXPECT_LT(Distance(TGeoPoint{first->Lat, first->Lon}, On(other, other->GetLength() / 2)), 2.0);
    const TRoutePosition *last = route->GetLastPoint()->GetPosition();
    EXPECT_LT(Distance(TGeoPoint{last->Lat, last->Lon}, On(river, len)), 1.0);
    IWptPlanPoint *end = route->GetLastPoint()->GetPlanPoint();
    ASSERT_NE(end, nullptr);
    ASSERT_EQ(end->GetStatus(), WptPlanStatus::Planned);
    // The new plan starts at the ship: its way is longer than the straight line.
    EXPECT_GT(end->GetArrival()->GetData()->DistanceM, Distance(On(other, other->GetLength() / 2), On(river, len)));
    Tick();
    const TNavRouteData *nd = rn->GetNavData();
    ASSERT_NE(nd->NetworkPosition, nullptr);
    EXPECT_EQ(nd->NetworkPosition->GetSection(), other);
    EXPECT_NEAR(nd->RouteDistance, 0.0, 2.0);
}

TEST_F(NavBoatNetwork, RecalculatePlansAFollowedRouteThatWasNotPlanned) {
    IWptRoute *r = MarinaRoute(false);
    IWWStruct *bridge = StructByName(QStringLiteral("Millbrook Bridge"));
    IWWSection *river = bridge->GetSection();
    StartAt(On(river, river->GetLength() / 2));
    Follow(r, 1);
    Tick();
    INavRouteNavigation *rn = Boat->GetRouteNavigation();
    EXPECT_TRUE(rn->IsOpenLeg());
    EXPECT_EQ(rn->GetNavData()->NetworkPosition, nullptr);
    rn->Recalculate(0);
    EXPECT_EQ(rn->GetTargetPoint(), r->GetPoint(1));
    EXPECT_FALSE(rn->IsOpenLeg());
    Tick();
    const TNavRouteData *nd = rn->GetNavData();
    ASSERT_NE(nd->NetworkPosition, nullptr);
    EXPECT_EQ(nd->NetworkPosition->GetSection(), river);
    EXPECT_GT(nd->RouteDistance, 0.0);
}
