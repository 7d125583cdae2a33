// The route planner on the demo network (Velmerland) and on generated random networks.
#include "CoreTestSupport.h"
#include "DemoData.h"
#include "TestSupport.h"
#include "base/logbook/KvLogbook.h"
#include "base/waypoints/KvWaypoints.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QRandomGenerator>
#include <QTimeZone>
#include <QUuid>

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <queue>
#include <tuple>

namespace {

using testsupport::TDeleter;
using testsupport::Owned;
using testsupport::Q;
using testsupport::Rec;
using testsupport::Guid;

const QTimeZone &Local() {
    static const QTimeZone z = [] {
        QTimeZone t("Europe/Amsterdam");
        return t.isValid() ? t : QTimeZone(3600);
    }();
    return z;
}

TDateTime ToTDateTime(const QDateTime &dt) {
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), QTimeZone::utc());
    return double(epoch.msecsTo(dt.toUTC())) / 86400000.0;
}

QDateTime FromTDateTime(TDateTime t) {
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), QTimeZone::utc());
    return epoch.addMSecs(qint64(std::llround(t * 86400000.0))).toTimeZone(Local());
}

Owned<IWWNetwork> LoadNetwork(const QString &file) {
    int32_t err = -1;
    Owned<IWWNetwork> net(WWNetworkCreateFromFile(Rec(file), nullptr, err));
    EXPECT_EQ(err, KvErr::Ok);
    return net;
}

Owned<IWptManager> MakeManager() {
    int32_t err = -1;
    Owned<IWptManager> m(WptManagerCreate(nullptr, nullptr, 0, 15.5f, 15.5f, Rec(QStringLiteral("DejaVu Sans")),
                                          10.0f, 0, 0xFF000000u, 8.0f, 1, 0xFF0000FFu, 8.0f, 2, 0xFF00FF00u, 5,
                                          nullptr, false, nullptr, nullptr, nullptr, nullptr, err));
    EXPECT_EQ(err, KvErr::Ok);
    return m;
}

struct TBoatSpec {
    float height = 2.0f, lowered = 1.5f, length = 9.0f, width = 3.2f, draught = 1.1f;
    float speed = 4.0f;
};

Owned<ILPBoatDef> MakeBoat(const TBoatSpec &b) {
    Owned<ILPBoatDef> bd(LPBoatDefCreate(1));
    bd->SetHeights(b.height, b.lowered, 0.0f);
    bd->SetDimensions(b.length, b.width, TFloat2{b.length * 0.5f, 0.0f});
    bd->SetDraught(b.draught);
    bd->SetSpeeds(b.speed * 0.5f, b.speed, b.speed * 1.5f);
    bd->SetCommercial(false);
    bd->SetTimeUnstepStep(600);
    const TFloat2 curve[] = {{0.0f, 0.0f}, {10.0f, 1e-5f}};  // 10 ml/s at 10 m/s
    bd->GetFuelCurve()->SetPoints(2, curve);
    return bd;
}

// What the plan of a two-point route says, in sailing order.
struct TPlanView {
    int32_t status = -99;
    QStringList structures;    // names of structure objects
    QStringList fairways;      // fairway of each leg, repeats folded
    std::vector<IWptRouteObject *> objects;
    double distanceM = 0, fuel = 0;
    TDateTime departure = 0, arrival = 0;
};

TPlanView View(IWptRoute *route) {
    TPlanView v;
    IWptPlanPoint *end = route->GetLastPoint() ? route->GetLastPoint()->GetPlanPoint() : nullptr;
    if (!end) return v;
    v.status = end->GetStatus();
    IWptPlanPoint *start = route->GetPoint(0)->GetPlanPoint();
    if (start && start->GetDeparture()) v.departure = start->GetDeparture()->GetData()->TimeUTC;
    if (end->GetArrival()) {
        v.arrival = end->GetArrival()->GetData()->TimeUTC;
        v.distanceM = end->GetArrival()->GetData()->DistanceM;
        v.fuel = end->GetArrival()->GetData()->ConsumptionM3;
    }
    IWptRouteObjectList *list = end->GetObjects();
    IWWSection *lastSection = nullptr;
    for (int32_t i = 0; list && i < list->GetCount(); ++i) {
        IWptRouteObject *o = list->GetItem(i);
        v.objects.push_back(o);
        if (o->GetKind() == WptRouteObjectKind::Structure)
            v.structures << Q(o->GetStructPassage()->GetStruct()->GetName());
        IWWSection *s = o->GetLeg() ? o->GetLeg()->GetSection() : nullptr;
        if (s && s != lastSection && s->GetFairway()) {
            const QString f = Q(s->GetFairway()->GetName());
            if (v.fairways.isEmpty() || v.fairways.back() != f) v.fairways << f;
            lastSection = s;
        }
    }
    return v;
}

class PlannerDemo : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Demo = new demo::TNetwork(demo::BuildDemoNetwork());
        Folder = new QString(testsupport::MakeTempDir(QStringLiteral("planner")));
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
        Net = LoadNetwork(*File);
        ASSERT_TRUE(Net);
        Manager = MakeManager();
        Db = Manager->NewDatabase(Rec(QStringLiteral("Planner test")));
        ASSERT_NE(Db, nullptr);
        Planner.reset(WptPlannerCreate(Rec(*Folder), nullptr, Db, Net.get(), 0, 0, nullptr, 0, 0));
        ASSERT_TRUE(Planner);
    }
    void TearDown() override {
        Planner.reset();
        Manager.reset();
        Net.reset();
    }

    IWWSection *SectionByGuid(const QString &guid) {
        int32_t i = -1;
        return Net->FindSection(Guid(guid), i) ? Net->GetSection(i) : nullptr;
    }
    // A route from the Saltmere Yacht Haven to the Dunmeer Marina.
    IWptRoute *MarinaRoute(int32_t mode, const QDateTime &departure) {
        IWptRoute *r = Db->NewRoute(ToTDateTime(departure));
        int32_t err = -1;
        r->SetPlanMode(mode, err);
        EXPECT_EQ(err, KvErr::Ok);
        for (const demo::TMarina &m : Demo->Marinas) {
            IWWSection *s = SectionByGuid(m.Section);
            EXPECT_NE(s, nullptr) << m.Name.toStdString();
            EXPECT_NE(r->AddNetworkPoint(s, m.SectionPosition, 0, err), nullptr);
            EXPECT_EQ(err, KvErr::Ok);
        }
        return r;
    }
    TPlanView Plan(IWptRoute *r, const TBoatSpec &boat) {
        Owned<ILPBoatDef> bd = MakeBoat(boat);
        Planner->Calculate(bd.get(), r, 0, false, false, false);
        return View(r);
    }

    static demo::TNetwork *Demo;
    static QString *Folder;
    static QString *File;
    Owned<IWWNetwork> Net;
    Owned<IWptManager> Manager;
    IWptDatabase *Db = nullptr;
    Owned<IWptPlanner> Planner;
};
demo::TNetwork *PlannerDemo::Demo = nullptr;
QString *PlannerDemo::Folder = nullptr;
QString *PlannerDemo::File = nullptr;

// A summer Wednesday: every bridge and lock keeps its summer times.
QDateTime SummerDay(int hour, int minute = 0) { return QDateTime(QDate(2024, 6, 12), QTime(hour, minute), Local()); }

TEST_F(PlannerDemo, MarinaToMarinaFollowsTheRiverInFastestAndShortestMode) {
    const QStringList riverStructures = {"Coast Road Bridge", "Orle Road Bridge", "Millbrook Bridge",
                                         "Low Orle Bridge",   "Orle Weir",        "Orle Railway Bridge",
                                         "Dunmeer Cut Bridge"};
    const QStringList riverFairways = {"Yacht Haven Entrance", "River Orle", "Dunmeer Cut", "Dunmeer Marina Channel"};
    struct Case {
        const char *name;
        int32_t mode;
    };
    const Case cases[] = {{"fastest", WptPlanMode::Fastest}, {"shortest", WptPlanMode::Shortest}};
    std::map<int32_t, TPlanView> views;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        IWptRoute *r = MarinaRoute(c.mode, SummerDay(10));
        const TPlanView v = Plan(r, TBoatSpec{});
        EXPECT_EQ(v.status, WptPlanStatus::Planned);
        EXPECT_EQ(v.structures, riverStructures);
        EXPECT_EQ(v.fairways, riverFairways);
        // The whole river and cut, and from each marina's channel the stretch from its
        // junction to the marina (both marina sections start at that junction).
        double expected = Demo->Marinas[0].SectionPosition + Demo->Marinas[1].SectionPosition;
        for (const demo::TSection &s : Demo->Sections)
            if (s.Name == QLatin1String("River Orle") || s.Name == QLatin1String("Dunmeer Cut")) expected += s.LengthM;
        EXPECT_NEAR(v.distanceM, expected, expected * 0.002);
        // Times: at most the boat's speed on average, and the Millbrook opening takes its 300 s.
        EXPECT_GT((v.arrival - v.departure) * 86400.0, v.distanceM / 4.0 + 300.0 - 1.0);
        EXPECT_GT(v.fuel, 0.0);
        // Only the opening bridge that is too low for the boat has to open.
        for (IWptRouteObject *o : v.objects) {
            if (o->GetKind() != WptRouteObjectKind::Structure) continue;
            const QString name = Q(o->GetStructPassage()->GetStruct()->GetName());
            EXPECT_EQ(o->GetBlockReason(), WptBlockReason::None) << name.toStdString();
            EXPECT_EQ(o->GetStructPassage()->GetOperation()->OperatingPeriod != nullptr,
                      name == QLatin1String("Millbrook Bridge"))
                << name.toStdString();
        }
        // The route point closes the list and objects run in sailing order.
        ASSERT_FALSE(v.objects.empty());
        EXPECT_EQ(v.objects.back()->GetKind(), WptRouteObjectKind::RoutePoint);
        EXPECT_EQ(v.objects.back()->GetPlanPoint(), r->GetLastPoint()->GetPlanPoint());
        for (size_t i = 1; i < v.objects.size(); ++i) {
            EXPECT_LE(v.objects[i - 1]->GetValues()[0], v.objects[i]->GetValues()[0] + 1e-6);
            EXPECT_LE(v.objects[i - 1]->GetValues()[3], v.objects[i]->GetValues()[3] + 1e-9);
        }
        views[c.mode] = v;
    }
    EXPECT_LE(views[WptPlanMode::Shortest].distanceM, views[WptPlanMode::Fastest].distanceM + 1e-6);
    EXPECT_LE(views[WptPlanMode::Fastest].arrival, views[WptPlanMode::Shortest].arrival + 1e-9);
}

TEST_F(PlannerDemo, BoatHeightAgainstTheLowBridgeFollowsTheWaterLevel) {
    // "Low Orle Bridge" is 3.6 m above the datum: its clearance is 3.6 m minus the water level.
    struct Case {
        const char *name;
        float height;
        float waterLevel;
        bool underLowBridge;
    };
    const Case cases[] = {
        {"low boat at the normal level", 2.0f, 1.0f, true},
        {"3 m boat at the normal level goes round", 3.0f, 1.0f, false},
        {"3 m boat at a low level fits under", 3.0f, 0.2f, true},
        {"2.5 m boat when the river is high goes round", 2.5f, 1.5f, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Planner->SetNAPWaterLevel(c.waterLevel);
        EXPECT_FLOAT_EQ(Planner->GetNAPWaterLevel(), c.waterLevel);
        TBoatSpec boat;
        boat.height = c.height;
        const TPlanView v = Plan(MarinaRoute(WptPlanMode::Fastest, SummerDay(10)), boat);
        ASSERT_EQ(v.status, WptPlanStatus::Planned);
        EXPECT_EQ(v.structures.contains(QStringLiteral("Low Orle Bridge")), c.underLowBridge) << v.structures.join(", ").toStdString();
        if (!c.underLowBridge) {
            // The way round is a canal with a lock.
            EXPECT_TRUE(v.structures.contains(QStringLiteral("Kessel Lock")) ||
                        v.structures.contains(QStringLiteral("Brisk Lock")))
                << v.structures.join(", ").toStdString();
        }
    }
}

TEST_F(PlannerDemo, BoatTooHighForEveryWayGetsTheBlockReason) {
    TBoatSpec boat;
    boat.height = 8.0f;  // under the Orle Road Bridge (9 m), over every bridge into the Dunmeer
    boat.lowered = 8.0f;
    IWptRoute *r = MarinaRoute(WptPlanMode::Fastest, SummerDay(10));
    const TPlanView v = Plan(r, boat);
    EXPECT_EQ(v.status, WptPlanStatus::UnreachableNetwork);
    EXPECT_EQ(r->GetLastPoint()->GetPlanPoint()->GetArrival(), nullptr);
    EXPECT_EQ(r->GetPoint(0)->GetPlanPoint()->GetStatus(), WptPlanStatus::Planned);
    int tooHigh = 0;
    for (IWptRouteObject *o : v.objects)
        if (o->GetBlockReason() == WptBlockReason::TooHigh) {
            ++tooHigh;
            EXPECT_EQ(o->GetKind(), WptRouteObjectKind::Structure);
        }
    EXPECT_GE(tooHigh, 1);
    // The route explore ends where the plan stops.
    TNavRouteData nd;
    EXPECT_FALSE(r->GetSchedule()->FillNavData(nd, ToTDateTime(SummerDay(20))));
}

TEST_F(PlannerDemo, LoweredMastPassesAFixedBridgeWhereAllowed) {
    TWptRouteDefaults saved;
    _GetWptRouteDefaults(saved);
    TWptRouteDefaults d = saved;
    d.MastMode = 2;  // lowered at bridges
    SetWptRouteDefaults(d);
    IWptRoute *r = MarinaRoute(WptPlanMode::Shortest, SummerDay(10));
    SetWptRouteDefaults(saved);
    TBoatSpec boat;
    boat.height = 3.0f;
    boat.lowered = 1.5f;
    const TPlanView v = Plan(r, boat);
    ASSERT_EQ(v.status, WptPlanStatus::Planned);
    bool lowered = false;
    for (IWptRouteObject *o : v.objects)
        if (o->GetKind() == WptRouteObjectKind::Structure &&
            Q(o->GetStructPassage()->GetStruct()->GetName()) == QLatin1String("Low Orle Bridge"))
            lowered = o->GetStructPassage()->NeedsUnsteppedMast();
    EXPECT_TRUE(lowered) << v.structures.join(", ").toStdString();
}

TEST_F(PlannerDemo, NightDepartureWaitsForTheBridgeToOpen) {
    // Millbrook Bridge (1.8 m closed) opens 07:00-12:00 and 13:00-21:00 in summer.
    const TPlanView day = Plan(MarinaRoute(WptPlanMode::Fastest, SummerDay(10)), TBoatSpec{});
    IWptRoute *night = MarinaRoute(WptPlanMode::Fastest, SummerDay(22, 30));
    const TPlanView v = Plan(night, TBoatSpec{});
    ASSERT_EQ(v.status, WptPlanStatus::Planned);
    IWptRouteStructPassage *millbrook = nullptr;
    bool stopBefore = false;
    for (IWptRouteObject *o : v.objects) {
        if (o->GetKind() == WptRouteObjectKind::SailingTimesStop) stopBefore = true;
        if (o->GetKind() == WptRouteObjectKind::Structure &&
            Q(o->GetStructPassage()->GetStruct()->GetName()) == QLatin1String("Millbrook Bridge")) {
            millbrook = o->GetStructPassage();
            break;
        }
    }
    ASSERT_NE(millbrook, nullptr);
    EXPECT_TRUE(stopBefore);
    const QDateTime opens = FromTDateTime(millbrook->GetPassageStart());
    EXPECT_EQ(opens.date(), QDate(2024, 6, 13));
    EXPECT_EQ(opens.time(), QTime(7, 0));
    EXPECT_NEAR((millbrook->GetPassageEnd() - millbrook->GetPassageStart()) * 86400.0, 300.0, 1.0);
    ASSERT_NE(millbrook->GetOperation()->TimeWindow, nullptr);
    EXPECT_EQ(const_cast<IWWTimeWindow *>(millbrook->GetOperation()->TimeWindow)->GetTimes().StartHour, 7);
    // Same way, but hours later than the sailing time alone.
    EXPECT_EQ(v.structures, day.structures);
    EXPECT_GT((v.arrival - v.departure) - (day.arrival - day.departure), 7.0 / 24.0);
}

TEST_F(PlannerDemo, EachPassageKeepsTheOperatingTimesItWasPlannedIn) {
    // Millbrook Bridge opens 07:00-12:00 and 13:00-21:00 in summer: a night departure passes in
    // the morning window, an afternoon one in the afternoon window. Both routes' passages share
    // one operating period of the network, yet each must go on telling its own window, however
    // often the other route is planned again.
    struct Case {
        const char *name;
        QDateTime departure;
        TWWTimeRange window;
    };
    const Case cases[] = {{"night departure", SummerDay(22, 30), TWWTimeRange{0, 12, 0, 7}},
                          {"afternoon departure", SummerDay(13), TWWTimeRange{0, 21, 0, 13}}};
    auto millbrookOf = [](IWptRoute *r) -> IWptRouteStructPassage * {
        for (IWptRouteObject *o : View(r).objects)
            if (o->GetKind() == WptRouteObjectKind::Structure &&
                Q(o->GetStructPassage()->GetStruct()->GetName()) == QLatin1String("Millbrook Bridge"))
                return o->GetStructPassage();
        return nullptr;
    };
    auto times = [](IWptRouteStructPassage *p) {
        auto *period = const_cast<IWWOperatingPeriod *>(p->GetOperation()->OperatingPeriod);
        const TWWTimeRange t = period ? period->GetTimes() : TWWTimeRange{99, 99, 99, 99};
        return std::tuple(int(t.StartHour), int(t.StartMinute), int(t.EndHour), int(t.EndMinute));
    };
    auto expected = [](const Case &c) {
        return std::tuple(int(c.window.StartHour), int(c.window.StartMinute), int(c.window.EndHour), int(c.window.EndMinute));
    };
    std::vector<IWptRoute *> routes;
    for (const Case &c : cases) {
        routes.push_back(MarinaRoute(WptPlanMode::Fastest, c.departure));
        ASSERT_EQ(Plan(routes.back(), TBoatSpec{}).status, WptPlanStatus::Planned) << c.name;
    }
    // Plan the first route once more: the last planning must not decide what the others say.
    ASSERT_EQ(Plan(routes.front(), TBoatSpec{}).status, WptPlanStatus::Planned);
    for (size_t i = 0; i < routes.size(); ++i) {
        const Case &c = cases[i];
        SCOPED_TRACE(c.name);
        IWptRouteStructPassage *p = millbrookOf(routes[i]);
        ASSERT_NE(p, nullptr);
        ASSERT_NE(p->GetOperation()->OperatingPeriod, nullptr);
        ASSERT_NE(p->GetOperation()->TimeWindow, nullptr);
        EXPECT_EQ(times(p), expected(c));
        const TWWTimeRange w = const_cast<IWWTimeWindow *>(p->GetOperation()->TimeWindow)->GetTimes();
        EXPECT_EQ(times(p), std::tuple(int(w.StartHour), int(w.StartMinute), int(w.EndHour), int(w.EndMinute)));
        const QTime start = FromTDateTime(p->GetPassageStart()).time();
        EXPECT_GE(start, QTime(c.window.StartHour, c.window.StartMinute));
        EXPECT_LT(start, QTime(c.window.EndHour, c.window.EndMinute));
    }
}

TEST_F(PlannerDemo, StaysAndScheduleFollowThePlan) {
    IWptRoute *r = MarinaRoute(WptPlanMode::Fastest, SummerDay(9));
    // A via point on the river, halfway, with a stay of one hour.
    const demo::TMarina &dest = Demo->Marinas[1];
    int32_t err = -1;
    r->DeletePoint(r->GetLastPoint(), err);
    ASSERT_EQ(err, KvErr::Ok);
    IWWSection *river = nullptr;
    for (const demo::TSection &s : Demo->Sections)
        if (s.Name == QLatin1String("River Orle")) river = SectionByGuid(s.Guid);  // the last one
    ASSERT_NE(river, nullptr);
    IWptRoutePoint *via = r->AddNetworkPoint(river, river->GetLength() / 2, 0, err);
    ASSERT_NE(via, nullptr);
    TRouteStayRec stay;
    stay.Kind = RouteStayKind::StayFor;
    stay.Duration = 3600;
    via->SetStay(stay, err);
    ASSERT_EQ(err, KvErr::Ok);
    r->AddNetworkPoint(SectionByGuid(dest.Section), dest.SectionPosition, 0, err);
    ASSERT_EQ(err, KvErr::Ok);
    Owned<ILPBoatDef> bd = MakeBoat(TBoatSpec{});
    Planner->Calculate(bd.get(), r, 0, false, false, false);

    IWptPlanPoint *vp = via->GetPlanPoint();
    ASSERT_NE(vp, nullptr);
    ASSERT_NE(vp->GetArrival(), nullptr);
    ASSERT_NE(vp->GetDeparture(), nullptr);
    EXPECT_EQ(vp->GetStop()->Kind, WptPlanStopKind::FixedSeconds);
    EXPECT_NEAR((vp->GetDeparture()->GetData()->TimeUTC - vp->GetArrival()->GetData()->TimeUTC) * 86400.0, 3600.0, 1.0);
    EXPECT_EQ(r->GetPoint(0)->GetPlanPoint()->GetNextObjects(), vp->GetObjects());
    EXPECT_EQ(vp->GetNextObjects(), r->GetLastPoint()->GetPlanPoint()->GetObjects());
    // A power boat's plan is motored throughout: arrivals, departures and the legs between.
    for (IWptPlanPoint *pp : {r->GetPoint(0)->GetPlanPoint(), vp, r->GetLastPoint()->GetPlanPoint()}) {
        for (IWptRouteTimePoint *tp : {pp->GetArrival(), pp->GetDeparture()}) {
            if (tp) EXPECT_EQ(tp->GetLegInfo()->LegKind, 0);
        }
    }
    for (IWptRouteObjectList *list = r->GetPoint(0)->GetPlanPoint()->GetNextObjects(); list;
         list = list->GetEndPoint() ? list->GetEndPoint()->GetNextObjects() : nullptr) {
        for (int32_t i = 0; i < list->GetCount(); ++i) {
            IWptRouteLeg *leg = list->GetItem(i)->GetLeg();
            for (int32_t k = 0; leg && leg->GetTimePoint(k); ++k)
                EXPECT_EQ(leg->GetTimePoint(k)->GetLegInfo()->LegKind, 0) << "object " << i;
        }
    }

    // Route explore: outside the plan nothing; during the stay the boat stands at the point;
    // under way it moves forward at no more than its speed.
    IWptRouteSchedule *sch = r->GetSchedule();
    TNavRouteData nd;
    const TDateTime dep = r->GetPoint(0)->GetPlanPoint()->GetDeparture()->GetData()->TimeUTC;
    EXPECT_FALSE(sch->FillNavData(nd, dep - 1.0 / 24));
    const TDateTime arrive = vp->GetArrival()->GetData()->TimeUTC;
    ASSERT_TRUE(sch->FillNavData(nd, arrive + 0.5 / 24));
    EXPECT_NEAR(nd.RouteDistance, vp->GetArrival()->GetData()->DistanceM, 1.0);
    EXPECT_EQ(nd.Objects, vp->GetNextObjects());
    TMotion m;
    TRoutePosition pos;
    ASSERT_TRUE(sch->FillMotionData(m, 0, 0, &pos, 0, arrive + 0.5 / 24, 1));
    EXPECT_FLOAT_EQ(m.SpeedMS, 0.0f);
    TNavRouteData a, b;
    ASSERT_TRUE(sch->FillNavData(a, dep + 10.0 / 1440));
    ASSERT_TRUE(sch->FillNavData(b, dep + 20.0 / 1440));
    EXPECT_GT(b.RouteDistance, a.RouteDistance);
    EXPECT_LE(b.RouteDistance - a.RouteDistance, 4.0 * 600.0 + 1.0);
    ASSERT_NE(a.NetworkPosition, nullptr);
    EXPECT_NE(a.NetworkPosition->GetSection(), nullptr);
    ASSERT_TRUE(sch->FillMotionData(m, 0, 0, &pos, 0, dep + 10.0 / 1440, 1));
    EXPECT_GT(m.SpeedMS, 0.5f);
    EXPECT_LE(m.SpeedMS, 4.0f + 1e-3f);
    EXPECT_NEAR(pos.Lat * 180 / M_PI, 52.9, 0.2);
}

TEST_F(PlannerDemo, SettingsAndPointsOffTheNetwork) {
    Planner->SetBridgeWaitTime(120);
    Planner->SetLockWaitTime(900);
    Planner->SetImposeSpeedLimit(false);
    Planner->SetPlannerValueA3(0x20);
    EXPECT_EQ(Planner->GetBridgeWaitTime(), 120);
    EXPECT_EQ(Planner->GetLockWaitTime(), 900);
    EXPECT_FALSE(Planner->GetImposeSpeedLimit());
    EXPECT_EQ(Planner->GetPlannerValueA3(), 0x20);
    Planner->ResetValue44(0);
    EXPECT_EQ(Planner->GetPlannerValueA3(), 0);

    // Kind 5 (harbour channels) avoided: both marinas lie on one, so no route is possible.
    Planner->SetPlannerValueA3(1 << 5);
    IWptRoute *r = MarinaRoute(WptPlanMode::Fastest, SummerDay(10));
    EXPECT_EQ(Plan(r, TBoatSpec{}).status, WptPlanStatus::UnreachableNetwork);
    Planner->SetPlannerValueA3(0);

    // Points by position only make a direct leg with its course.
    IWptRoute *direct = Db->NewRoute(ToTDateTime(SummerDay(10)));
    int32_t err = -1;
    direct->AddPointAtPosition(TRoutePosition{52.90 * M_PI / 180, 4.40 * M_PI / 180, 0}, err);
    direct->AddPointAtPosition(TRoutePosition{52.95 * M_PI / 180, 4.40 * M_PI / 180, 0}, err);
    const TPlanView v = Plan(direct, TBoatSpec{});
    EXPECT_EQ(v.status, WptPlanStatus::Planned);
    EXPECT_NEAR(v.distanceM, 5560.0, 30.0);
    EXPECT_NEAR(direct->GetLastPoint()->GetPlanPoint()->GetObjects()->GetCourse(), 0.0, 1e-3);
    EXPECT_TRUE(direct->GetChartCoverage()->NeedsCharts());
    EXPECT_FALSE(direct->GetChartCoverage()->CoveredBy(nullptr));

    // Bad network locations are refused, not added.
    EXPECT_EQ(direct->AddNetworkPoint(nullptr, 0.0, 0, err), nullptr);
    EXPECT_EQ(err, KvErr::InvalidArgument);
    EXPECT_EQ(direct->AddPointAt(nullptr, 0.0, 0.0, 0, err), nullptr);
    EXPECT_EQ(err, KvErr::InvalidArgument);
    // A structure stands for its place on its section.
    int32_t idx = -1;
    const TGUID lockGuid = Guid(Demo->FindStructureByName(QStringLiteral("Kessel Lock"))->Guid);
    ASSERT_TRUE(Net->FindStruct(&lockGuid, idx));
    IWWStruct *lock = Net->GetStruct(idx);
    IWptRoutePoint *p = direct->AddPointAt(lock, 0.0, 0.0, 0, err);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(err, KvErr::Ok);
    EXPECT_FALSE(p->IsDirect());
    TDouble3 at;
    GeoToGlobal2(at, TGeoPoint{p->GetPosition()->Lat, p->GetPosition()->Lon}, nullptr);
    const TDouble3 want = lock->GetGlobalPosition();
    EXPECT_LT(std::hypot(at.X - want.X, at.Y - want.Y, at.Z - want.Z), 1.0);
}

TEST_F(PlannerDemo, ANewNetworkEmptiesOldPlans) {
    IWptRoute *r = MarinaRoute(WptPlanMode::Fastest, SummerDay(10));
    Plan(r, TBoatSpec{});
    ASSERT_NE(r->GetLastPoint()->GetPlanPoint(), nullptr);
    Planner->SetWaterwayNetwork(nullptr, nullptr);
    EXPECT_EQ(r->GetLastPoint()->GetPlanPoint(), nullptr);
    // Without a network the same network points are sailed as direct legs.
    const TPlanView v = Plan(r, TBoatSpec{});
    EXPECT_EQ(v.status, WptPlanStatus::Planned);
    EXPECT_TRUE(v.structures.isEmpty());
}

// Every structure object of a route's plan, with the index of the route point whose list
// holds it.
std::vector<std::pair<int32_t, IWptRouteObject *>> StructureObjects(IWptRoute *r) {
    std::vector<std::pair<int32_t, IWptRouteObject *>> out;
    for (int32_t i = 0; i < r->GetPointCount(); ++i) {
        IWptPlanPoint *pp = r->GetPoint(i)->GetPlanPoint();
        IWptRouteObjectList *list = pp ? pp->GetObjects() : nullptr;
        for (int32_t k = 0; list && k < list->GetCount(); ++k)
            if (list->GetItem(k)->GetKind() == WptRouteObjectKind::Structure) out.push_back({i, list->GetItem(k)});
    }
    return out;
}

TEST_F(PlannerDemo, AStructureAtARoutePointIsPassedOnce) {
    // Millbrook Bridge opens for the default boat, with the default 300 s bridge wait.
    int32_t idx = -1;
    const TGUID guid = Guid(Demo->FindStructureByName(QStringLiteral("Millbrook Bridge"))->Guid);
    ASSERT_TRUE(Net->FindStruct(&guid, idx));
    IWWStruct *bridge = Net->GetStruct(idx);
    const TPlanView plain = Plan(MarinaRoute(WptPlanMode::Fastest, SummerDay(10)), TBoatSpec{});
    ASSERT_EQ(plain.status, WptPlanStatus::Planned);
    const double plainSec = (plain.arrival - plain.departure) * 86400.0;

    struct Case {
        const char *name;
        bool startAtBridge, viaBridge, endAtBridge;
        int32_t listOfBridge;  // route point whose objects hold the bridge
    };
    const Case cases[] = {
        {"via point on the bridge", false, true, false, 1},
        {"route starting on the bridge", true, false, false, 1},
        {"route ending on the bridge", false, false, true, 1},
        {"start and via on the bridge", true, true, false, 1},
    };
    const demo::TMarina &from = Demo->Marinas[0], &to = Demo->Marinas[1];
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        IWptRoute *r = Db->NewRoute(ToTDateTime(SummerDay(10)));
        int32_t err = -1;
        r->SetPlanMode(WptPlanMode::Fastest, err);
        auto add = [&](bool atBridge, const demo::TMarina &m) {
            return atBridge ? r->AddPointAt(bridge, 0.0, 0.0, 0, err)
                            : r->AddNetworkPoint(SectionByGuid(m.Section), m.SectionPosition, 0, err);
        };
        ASSERT_NE(add(c.startAtBridge, from), nullptr);
        if (c.viaBridge) {
            ASSERT_NE(add(true, from), nullptr);
        }
        ASSERT_NE(add(c.endAtBridge, to), nullptr);
        const TPlanView v = Plan(r, TBoatSpec{});
        ASSERT_EQ(v.status, WptPlanStatus::Planned);

        int count = 0;
        for (const auto &[point, o] : StructureObjects(r)) {
            if (o->GetStructPassage()->GetStruct() != bridge) continue;
            ++count;
            EXPECT_EQ(point, c.listOfBridge);
            EXPECT_NE(o->GetStructPassage()->GetOperation()->OperatingPeriod, nullptr);
        }
        EXPECT_EQ(count, 1);
        if (!c.startAtBridge && !c.endAtBridge) {
            // The same water and one opening: no second wait at the via point.
            EXPECT_NEAR(v.distanceM, plain.distanceM, 1.0);
            EXPECT_NEAR((v.arrival - v.departure) * 86400.0, plainSec, 2.0);
        }
    }
}

TEST_F(PlannerDemo, AStructureWithoutOperatingTimesIsOperatedAllDay) {
    // The same network, but Millbrook Bridge gives no operating times: it is operated at any
    // hour, and its passages say so.
    demo::TNetwork changed = *Demo;
    for (demo::TStructure &st : changed.Structures)
        if (st.Name == QLatin1String("Millbrook Bridge")) st.Periods.clear();
    const QString file = QDir(*Folder).filePath(QStringLiteral("AlwaysOperated.kvwwn"));
    QString error;
    ASSERT_TRUE(demo::WriteNetwork(changed, file, error)) << error.toStdString();
    Owned<IWWNetwork> net = LoadNetwork(file);
    ASSERT_TRUE(net);
    Planner->SetWaterwayNetwork(net.get(), nullptr);

    struct Case {
        const char *name;
        int hour;
    };
    const Case cases[] = {{"by day", 10}, {"at night, when the bridge would be closed", 23}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        IWptRoute *r = Db->NewRoute(ToTDateTime(SummerDay(c.hour)));
        int32_t err = -1;
        for (const demo::TMarina &m : Demo->Marinas) {
            int32_t i = -1;
            ASSERT_TRUE(net->FindSection(Guid(m.Section), i));
            r->AddNetworkPoint(net->GetSection(i), m.SectionPosition, 0, err);
        }
        const TPlanView v = Plan(r, TBoatSpec{});
        ASSERT_EQ(v.status, WptPlanStatus::Planned);
        IWptRouteStructPassage *millbrook = nullptr;
        for (IWptRouteObject *o : v.objects) {
            EXPECT_NE(o->GetKind(), WptRouteObjectKind::SailingTimesStop);
            if (o->GetKind() != WptRouteObjectKind::Structure) continue;
            IWptRouteStructPassage *p = o->GetStructPassage();
            if (Q(p->GetStruct()->GetName()) == QLatin1String("Millbrook Bridge")) millbrook = p;
            else EXPECT_EQ(p->GetOperation()->OperatingPeriod, nullptr) << "not operated for this boat";
        }
        ASSERT_NE(millbrook, nullptr);
        const TPassageOperation *op = millbrook->GetOperation();
        ASSERT_NE(op->OperatingPeriod, nullptr);
        ASSERT_NE(op->TimeWindow, nullptr);
        auto *period = const_cast<IWWOperatingPeriod *>(op->OperatingPeriod);
        const TWWTimeRange t = period->GetTimes();
        EXPECT_EQ(std::tuple(t.StartHour, t.StartMinute, t.EndHour, t.EndMinute), std::tuple(0, 0, 24, 0));
        const TWWDateRange d = period->GetDates();
        EXPECT_EQ(std::tuple(d.StartDay, d.StartMonth, d.EndDay, d.EndMonth), std::tuple(1, 1, 31, 12));
        ASSERT_EQ(period->GetDayScheduleCount(), 1);
        EXPECT_EQ(period->GetDaySchedule(0)->GetWeekDays(), 0xFE);
        EXPECT_EQ(const_cast<IWWTimeWindow *>(op->TimeWindow)->GetTimes().EndHour, 24);
        // Opened on arrival, for the bridge's waiting time only.
        EXPECT_NEAR((millbrook->GetPassageStart() - r->GetPoint(0)->GetPlanPoint()->GetDeparture()->GetData()->TimeUTC) * 24.0,
                    0.0, 3.0);
        EXPECT_NEAR((millbrook->GetPassageEnd() - millbrook->GetPassageStart()) * 86400.0, 300.0, 1.0);
    }
    Planner->SetWaterwayNetwork(Net.get(), nullptr);
}

TEST_F(PlannerDemo, MarinasOnTheWayBecomeRouteObjectsWithTheirWaypoint) {
    const demo::TMarina &haven = Demo->Marinas[0], &dunmeer = Demo->Marinas[1];
    IWWSection *river = nullptr;
    for (const demo::TSection &s : Demo->Sections)
        if (s.Name == QLatin1String("River Orle")) river = SectionByGuid(s.Guid);
    ASSERT_NE(river, nullptr);
    struct TPoint {
        IWWSection *section;
        double position;
    };
    const TPoint atHaven{SectionByGuid(haven.Section), haven.SectionPosition};
    const TPoint atDunmeer{SectionByGuid(dunmeer.Section), dunmeer.SectionPosition};
    struct Case {
        const char *name;
        std::vector<TPoint> points;
        std::vector<QStringList> marinas;  // per route point after the first, in sailing order
    };
    const Case cases[] = {
        {"haven to Dunmeer", {atHaven, atDunmeer}, {{dunmeer.Name}}},
        {"Dunmeer to the haven", {atDunmeer, atHaven}, {{haven.Name}}},
        {"to Dunmeer and back to the river", {atHaven, atDunmeer, {river, river->GetLength() / 2}}, {{dunmeer.Name}, {}}},
        {"up the haven channel from its junction", {{atHaven.section, 0.0}, atHaven}, {{haven.Name}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        IWptRoute *r = Db->NewRoute(ToTDateTime(SummerDay(10)));
        int32_t err = -1;
        for (const TPoint &p : c.points) ASSERT_NE(r->AddNetworkPoint(p.section, p.position, 0, err), nullptr);
        Owned<ILPBoatDef> bd = MakeBoat(TBoatSpec{});
        Planner->Calculate(bd.get(), r, 0, false, false, false);
        ASSERT_EQ(View(r).status, WptPlanStatus::Planned);
        std::vector<IWptWaypoint *> seen;
        for (int32_t i = 1; i < r->GetPointCount(); ++i) {
            IWptRouteObjectList *list = r->GetPoint(i)->GetPlanPoint()->GetObjects();
            QStringList names;
            for (int32_t k = 0; k < list->GetCount(); ++k) {
                IWptRouteObject *o = list->GetItem(k);
                if (o->GetKind() != WptRouteObjectKind::Marina) {
                    EXPECT_EQ(o->GetWaypoint(), nullptr);
                    continue;
                }
                IWptWaypoint *w = o->GetWaypoint();
                ASSERT_NE(w, nullptr);
                names << Q(w->GetName());
                seen.push_back(w);
                const demo::TMarina &m = names.back() == haven.Name ? haven : dunmeer;
                EXPECT_EQ(*w->GetGUID(), Guid(m.Guid));
                EXPECT_NEAR(w->GetPosition()->Lat * 180 / M_PI, m.Pos.Lat, 1e-9);
                EXPECT_NEAR(w->GetPosition()->Lon * 180 / M_PI, m.Pos.Lon, 1e-9);
                EXPECT_EQ(w->GetDatabase(), nullptr);
                w->SetName(Rec(QStringLiteral("renamed")), err);
                EXPECT_EQ(err, KvErr::ReadOnly);
                // Where and when: on its section at its place, with a time point of the leg.
                EXPECT_EQ(o->GetLeg()->GetSection(), SectionByGuid(m.Section));
                EXPECT_NEAR(o->GetPosition(), m.SectionPosition, 1e-6);
                IWptRouteTimePoint *tp = o->GetLeg()->GetTimePoint(o->GetPointIndex());
                ASSERT_NE(tp, nullptr);
                EXPECT_NEAR(tp->GetData()->DistanceM, o->GetValues()[0], 1e-6);
                EXPECT_NEAR(tp->GetData()->TimeUTC, o->GetValues()[3], 1e-9);
            }
            EXPECT_EQ(names, c.marinas[size_t(i - 1)]) << "point " << i;
        }
        // A new calculation over the same network hands out the same marina waypoints.
        Planner->Calculate(bd.get(), r, 0, false, false, false);
        std::vector<IWptWaypoint *> again;
        for (int32_t i = 1; i < r->GetPointCount(); ++i) {
            IWptRouteObjectList *list = r->GetPoint(i)->GetPlanPoint()->GetObjects();
            for (int32_t k = 0; k < list->GetCount(); ++k)
                if (list->GetItem(k)->GetKind() == WptRouteObjectKind::Marina) again.push_back(list->GetItem(k)->GetWaypoint());
        }
        EXPECT_EQ(again, seen);
    }
}

// A route point keeps its section by GUID and offset through saving and reopening, also
// when the next edition of the network moves that section's line: snapped by position, the
// points would land on the nearer ditch instead.
// Straight sections between junctions of spec (ids from 1, in order); GUIDs from the prefix
// and the name.
struct TLine {
    const char *Name;
    int A, B;
};
void AddStraightSections(demo::TNetwork &spec, const QString &prefix, std::initializer_list<TLine> lines) {
    for (const TLine &l : lines) {
        demo::TSection s;
        s.Guid = demo::NameGuid(QStringLiteral("%1:%2").arg(prefix, QLatin1String(l.Name)));
        s.Name = QString::fromLatin1(l.Name);
        s.StartJunction = l.A;
        s.EndJunction = l.B;
        s.Line = {spec.Junctions[size_t(l.A - 1)].Pos, spec.Junctions[size_t(l.B - 1)].Pos};
        spec.Sections.push_back(s);
    }
}

TEST(PlannerNetworkPlace, RoutePointsKeepTheirSectionThroughSavingAndReopening) {
    const QString folder = testsupport::MakeTempDir(QStringLiteral("planner-place"));
    auto network = [&](double canalLat, const QString &name) {
        demo::TNetwork spec;
        spec.Junctions = {{1, {5.00, canalLat}}, {2, {5.05, canalLat}}, {3, {5.00, 52.0014}}, {4, {5.05, 52.0014}}};
        AddStraightSections(spec, QStringLiteral("place"), {{"Canal", 1, 2}, {"Ditch", 3, 4}});
        const QString file = QDir(folder).filePath(name);
        QString error;
        EXPECT_TRUE(demo::WriteNetwork(spec, file, error)) << error.toStdString();
        return LoadNetwork(file);
    };
    // The ditch lies 150 m north of the first canal line, the new line 400 m south of it.
    Owned<IWWNetwork> first = network(52.0, QStringLiteral("first.kvwwn"));
    Owned<IWWNetwork> next = network(51.9964, QStringLiteral("next.kvwwn"));
    ASSERT_TRUE(first && next);
    const TGUID canalGuid = Guid(demo::NameGuid(QStringLiteral("place:Canal")));
    int32_t i = -1;
    ASSERT_TRUE(first->FindSection(canalGuid, i));
    IWWSection *canal = first->GetSection(i);
    ASSERT_TRUE(next->FindSection(canalGuid, i));
    IWWSection *nextCanal = next->GetSection(i);
    const double at = 1000.0;

    const QString dbFile = QDir(folder).filePath(QStringLiteral("Routes.db"));
    {
        Owned<IWptManager> manager = MakeManager();
        IWptDatabase *db = manager->NewDatabase(Rec(QStringLiteral("places")));
        IWptRoute *r = db->NewRoute(ToTDateTime(SummerDay(10)));
        int32_t err = -1;
        r->SetPlanMode(WptPlanMode::Shortest, err);
        ASSERT_NE(r->AddNetworkPoint(canal, at, 0, err), nullptr);
        ASSERT_NE(r->AddNetworkPoint(canal, canal->GetLength(), 0, err), nullptr);
        db->SaveToFile(Rec(dbFile), err);
        ASSERT_EQ(err, KvErr::Ok);
        db->Close();
    }
    Owned<IWptManager> manager = MakeManager();
    int32_t err = -1;
    IWptDatabase *db = manager->OpenDatabase(Rec(dbFile), 0, err);
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_NE(db, nullptr);
    Owned<ILPBoatDef> bd = MakeBoat(TBoatSpec{});
    Owned<IWptPlanner> planner(WptPlannerCreate(Rec(folder), nullptr, db, next.get(), 0, 0, nullptr, 0, 0));
    IWptRoute *r = db->GetRoute(0);
    planner->Calculate(bd.get(), r, 0, false, false, false);
    const TPlanView v = View(r);
    ASSERT_EQ(v.status, WptPlanStatus::Planned);
    // The end point keeps its offset (the first line's length), not the new line's end.
    const double expected = std::min(canal->GetLength(), nextCanal->GetLength()) - at;
    EXPECT_NEAR(v.distanceM, expected, 1e-6 * expected + 0.01);
    int legs = 0;
    for (IWptRouteObject *o : v.objects) {
        if (o->GetLeg() && o->GetLeg()->GetSection()) {
            ++legs;
            EXPECT_EQ(Q(o->GetLeg()->GetSection()->GetName()), QStringLiteral("Canal"));
        }
    }
    EXPECT_GT(legs, 0);
    planner.reset();
}

// ---- structures whose clearance is not given ----

// A canal from West to East with one structure halfway, and a way round it through North
// (1.6 times as long) unless left out.
Owned<IWWNetwork> StructureNetwork(const QString &file, const demo::TStructure &structure, bool wayRound) {
    demo::TNetwork spec;
    spec.Junctions = {{1, {5.00, 52.0}}, {2, {5.01, 52.0}}, {3, {5.03, 52.0}}, {4, {5.04, 52.0}}, {5, {5.02, 52.008}}};
    AddStraightSections(spec, QStringLiteral("clearance"), {{"West", 1, 2}, {"Canal", 2, 3}, {"East", 3, 4}});
    if (wayRound) AddStraightSections(spec, QStringLiteral("clearance"), {{"North1", 2, 5}, {"North2", 5, 3}});
    demo::TStructure st = structure;
    st.Guid = demo::NameGuid(QStringLiteral("clearance:structure"));
    st.Name = QStringLiteral("The Structure");
    st.Section = demo::NameGuid(QStringLiteral("clearance:Canal"));
    st.SectionPosition = 600.0;
    st.Pos = {5.02, 52.0};
    spec.Structures.push_back(st);
    QString error;
    EXPECT_TRUE(demo::WriteNetwork(spec, file, error)) << error.toStdString();
    return LoadNetwork(file);
}

TEST(PlannerClearance, AnUnknownClearanceIsPassedOnlyWithoutAWayRoundAndThenMarked) {
    const QString folder = testsupport::MakeTempDir(QStringLiteral("planner-clearance"));
    auto structure = [](int kind, int otherType, int bridgeType, const char *level, double height) {
        demo::TStructure st;
        st.Kind = kind;
        st.OtherType = otherType;
        demo::TItem it;
        it.BridgeType = bridgeType;
        if (!std::isnan(height)) it.Levels[QString::fromLatin1(level)] = demo::TLevel{height, 0};
        st.Items.push_back(it);
        return st;
    };
    constexpr double None = demo::NoValue;
    constexpr int Bridge = WWStructKind::Bridge, Fixed = WWBridgeTypeFixedSpan, Bascule = 1, Lift = 9;
    struct Case {
        const char *name;
        demo::TStructure structure;
        bool wayRound;
        float boatHeight;
        bool through;         // the route passes the structure
        int32_t reason;       // of the structure's route object
        bool operated;
    };
    const Case cases[] = {
        {"fixed bridge, clearance unknown: the way round", structure(Bridge, 0, Fixed, "height_closed", None), true, 2.0f,
         false, 0, false},
        {"fixed bridge, clearance given and enough", structure(Bridge, 0, Fixed, "height_closed", 5.0), true, 2.0f, true,
         WptBlockReason::None, false},
        {"fixed bridge, clearance unknown, no way round", structure(Bridge, 0, Fixed, "height_closed", None), false, 2.0f,
         true, WptBlockReason::ClearanceUnknown, false},
        {"fixed bridge, boat height not given", structure(Bridge, 0, Fixed, "height_closed", None), true, 0.0f, true,
         WptBlockReason::None, false},
        {"opening bridge, closed clearance unknown: it opens", structure(Bridge, 0, Bascule, "height_closed", None),
         true, 2.0f, true, WptBlockReason::None, true},
        {"lift bridge, open clearance unknown", structure(Bridge, 0, Lift, "height_closed", 1.0), true, 2.0f, false, 0,
         true},
        {"ship tunnel, height unknown", structure(WWStructKind::ShipTunnel, 0, 0, "height", None), true, 2.0f, false, 0,
         true},
        {"power line, height unknown, no way round", structure(WWStructKind::OtherWork, WWOtherType::PowerLine, 0, "height", None),
         false, 2.0f, true, WptBlockReason::ClearanceUnknown, false},
        {"lock with nothing overhead", structure(WWStructKind::Lock, 0, 0, "height", None), true, 2.0f, true,
         WptBlockReason::None, true},
        {"aqueduct: the canal runs over the road", structure(WWStructKind::OtherWork, WWOtherType::Aqueduct, 0, "height", None),
         true, 2.0f, true, WptBlockReason::None, false},
    };
    Owned<IWptManager> manager = MakeManager();
    IWptDatabase *db = manager->NewDatabase(Rec(QStringLiteral("clearance")));
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Owned<IWWNetwork> net = StructureNetwork(QDir(folder).filePath(QStringLiteral("net%1.kvwwn").arg(n++)),
                                                 c.structure, c.wayRound);
        ASSERT_TRUE(net);
        Owned<IWptPlanner> planner(WptPlannerCreate(Rec(folder), nullptr, db, net.get(), 0, 0, nullptr, 0, 0));
        int32_t i = -1, err = -1;
        IWptRoute *r = db->NewRoute(ToTDateTime(SummerDay(10)));
        r->SetPlanMode(WptPlanMode::Shortest, err);
        ASSERT_TRUE(net->FindSection(Guid(demo::NameGuid(QStringLiteral("clearance:West"))), i));
        r->AddNetworkPoint(net->GetSection(i), 100.0, 0, err);
        ASSERT_TRUE(net->FindSection(Guid(demo::NameGuid(QStringLiteral("clearance:East"))), i));
        r->AddNetworkPoint(net->GetSection(i), 500.0, 0, err);
        TBoatSpec boat;
        boat.height = c.boatHeight;
        boat.lowered = c.boatHeight;
        Owned<ILPBoatDef> bd = MakeBoat(boat);
        planner->Calculate(bd.get(), r, 0, false, false, false);
        const TPlanView v = View(r);
        ASSERT_EQ(v.status, WptPlanStatus::Planned);
        const bool through = v.structures.contains(QStringLiteral("The Structure"));
        EXPECT_EQ(through, c.through) << v.structures.join(", ").toStdString();
        if (through != c.through) continue;
        if (!c.through) {
            EXPECT_GT(v.distanceM, 2500.0) << "the way round";
            continue;
        }
        for (IWptRouteObject *o : v.objects) {
            if (o->GetKind() == WptRouteObjectKind::Obstacle) ADD_FAILURE() << "an obstacle on the way";
            if (o->GetKind() != WptRouteObjectKind::Structure) continue;
            EXPECT_EQ(o->GetBlockReason(), c.reason);
            EXPECT_EQ(o->GetStructPassage()->GetOperation()->OperatingPeriod != nullptr, c.operated);
        }
        EXPECT_LT(v.distanceM, 2500.0) << "straight along the canal";
    }
}

// ---- random networks against an independent Dijkstra ----

// endOffset (degrees) moves each line's ends off its junctions, as surveyed data may have them.
demo::TNetwork RandomNetwork(quint32 seed, int nodes, int extraSections, double endOffset = 0.0) {
    QRandomGenerator rng(seed);
    demo::TNetwork net;
    for (int i = 0; i < nodes; ++i)
        net.Junctions.push_back(demo::TJunction{i + 1, {5.0 + rng.bounded(0.3), 52.0 + rng.bounded(0.2)}});
    auto add = [&](int a, int b, int n) {
        demo::TSection s;
        s.Guid = demo::NameGuid(QStringLiteral("random:%1:%2").arg(seed).arg(n));
        s.Name = QStringLiteral("S%1").arg(n);
        s.StartJunction = a + 1;
        s.EndJunction = b + 1;
        const demo::TLonLat pa = net.Junctions[size_t(a)].Pos, pb = net.Junctions[size_t(b)].Pos;
        // A kink so that lengths differ from the straight line between the junctions.
        const demo::TLonLat mid{(pa.Lon + pb.Lon) / 2 + rng.bounded(0.01), (pa.Lat + pb.Lat) / 2 + rng.bounded(0.01)};
        const demo::TLonLat off = endOffset > 0 ? demo::TLonLat{rng.bounded(endOffset), rng.bounded(endOffset)}
                                                : demo::TLonLat{};
        s.Line = {{pa.Lon + off.Lon, pa.Lat}, mid, {pb.Lon, pb.Lat + off.Lat}};
        net.Sections.push_back(s);
    };
    int n = 0;
    for (int i = 1; i < nodes; ++i) add(int(rng.bounded(i)), i, n++);  // a spanning tree
    for (int k = 0; k < extraSections; ++k) {
        const int a = int(rng.bounded(nodes)), b = int(rng.bounded(nodes));
        if (a != b) add(a, b, n++);
    }
    return net;
}

TEST(PlannerRandomNetworks, ShortestDistanceEqualsAnIndependentDijkstra) {
    const QString folder = testsupport::MakeTempDir(QStringLiteral("planner-random"));
    Owned<IWptManager> manager = MakeManager();
    IWptDatabase *db = manager->NewDatabase(Rec(QStringLiteral("random")));
    Owned<ILPBoatDef> bd = MakeBoat(TBoatSpec{});
    const struct {
        quint32 seed;
        double endOffset;
    } cases[] = {{1u, 0.0}, {7u, 0.0}, {42u, 0.0}, {1234u, 0.0}, {99u, 0.002}, {2024u, 0.01}, {5u, 0.01}};
    for (const auto &c : cases) {
        const quint32 seed = c.seed;
        SCOPED_TRACE(seed);
        const demo::TNetwork spec = RandomNetwork(seed, 120, 200, c.endOffset);
        const QString file = QDir(folder).filePath(QStringLiteral("random%1.kvwwn").arg(seed));
        QString error;
        ASSERT_TRUE(demo::WriteNetwork(spec, file, error)) << error.toStdString();
        Owned<IWWNetwork> net = LoadNetwork(file);
        ASSERT_TRUE(net);
        Owned<IWptPlanner> planner(WptPlannerCreate(Rec(folder), nullptr, db, net.get(), 0, 0, nullptr, 0, 0));

        // The graph by junction ids from the records, lengths as the network measures them.
        struct TEdge {
            int a, b;
            double len;
        };
        std::vector<TEdge> edges;
        std::vector<std::vector<std::pair<int, double>>> adj(spec.Junctions.size());
        std::vector<IWWSection *> sections;
        for (const demo::TSection &s : spec.Sections) {
            int32_t i = -1;
            ASSERT_TRUE(net->FindSection(Guid(s.Guid), i));
            IWWSection *sec = net->GetSection(i);
            sections.push_back(sec);
            const TEdge e{s.StartJunction - 1, s.EndJunction - 1, sec->GetLength()};
            edges.push_back(e);
            adj[size_t(e.a)].push_back({e.b, e.len});
            adj[size_t(e.b)].push_back({e.a, e.len});
        }
        auto dijkstra = [&](int source, double startCost, std::vector<double> &dist) {
            using E = std::pair<double, int>;
            std::priority_queue<E, std::vector<E>, std::greater<>> q;
            if (startCost < dist[size_t(source)]) dist[size_t(source)] = startCost, q.push({startCost, source});
            while (!q.empty()) {
                auto [d, u] = q.top();
                q.pop();
                if (d > dist[size_t(u)]) continue;
                for (auto [v, w] : adj[size_t(u)])
                    if (d + w < dist[size_t(v)]) dist[size_t(v)] = d + w, q.push({d + w, v});
            }
        };
        QRandomGenerator rng(seed * 31 + 5);
        for (int query = 0; query < 8; ++query) {
            const int s = int(rng.bounded(int(edges.size()))), t = int(rng.bounded(int(edges.size())));
            const double p = edges[size_t(s)].len * rng.generateDouble(), q = edges[size_t(t)].len * rng.generateDouble();
            std::vector<double> dist(spec.Junctions.size(), std::numeric_limits<double>::infinity());
            dijkstra(edges[size_t(s)].a, p, dist);
            dijkstra(edges[size_t(s)].b, edges[size_t(s)].len - p, dist);
            double expected = std::min(dist[size_t(edges[size_t(t)].a)] + q,
                                       dist[size_t(edges[size_t(t)].b)] + edges[size_t(t)].len - q);
            if (s == t) expected = std::min(expected, std::abs(p - q));

            // Every section is a canal without limits or structures: each mode takes the
            // shortest way, the fastest one at the boat's cruising speed (4 m/s).
            for (int32_t mode : {WptPlanMode::Shortest, WptPlanMode::Fastest, WptPlanMode::Tourist,
                                 WptPlanMode::Economic}) {
                IWptRoute *r = db->NewRoute(ToTDateTime(SummerDay(10)));
                int32_t err = -1;
                r->SetPlanMode(mode, err);
                r->AddNetworkPoint(sections[size_t(s)], p, 0, err);
                r->AddNetworkPoint(sections[size_t(t)], q, 0, err);
                planner->Calculate(bd.get(), r, 0, false, false, false);
                const TPlanView v = View(r);
                ASSERT_EQ(v.status, WptPlanStatus::Planned);
                EXPECT_NEAR(v.distanceM, expected, 1e-6 * expected + 1e-3) << "query " << query << " mode " << mode;
                if (mode == WptPlanMode::Fastest) {
                    EXPECT_NEAR((v.arrival - v.departure) * 86400.0, expected / 4.0, 1e-3 * expected / 4.0 + 0.01);
                }
            }
        }
    }
}

}  // namespace

namespace {

// The program-side wrappers: argument order of the factory, plan point names.
TEST_F(PlannerDemo, ProgramWrappersCreateThePlannerAndNameItsPoints) {
    Owned<IWptPlanner> p(CreateWptPlanner(*Folder, nullptr, Db, 0, 0, nullptr, 0, 0, Net.get()));
    ASSERT_TRUE(p);
    IWptRoute *r = MarinaRoute(WptPlanMode::Shortest, SummerDay(10));
    int32_t err = -1;
    r->GetPoint(0)->SetName(Rec(QStringLiteral("Śluza Ø – ß")), err);
    ASSERT_EQ(err, KvErr::Ok);
    Owned<ILPBoatDef> bd = MakeBoat(TBoatSpec{});
    p->Calculate(bd.get(), r, 0, false, false, false);
    // Planned over the network handed as the last argument: the river's structures appear.
    EXPECT_TRUE(View(r).structures.contains(QStringLiteral("Millbrook Bridge")));
    EXPECT_EQ(PlannerPointGetName(r->GetPoint(0)->GetPlanPoint()), QStringLiteral("Śluza Ø – ß"));
    EXPECT_EQ(PlannerPointGetName(nullptr), QString());
}

}  // namespace
