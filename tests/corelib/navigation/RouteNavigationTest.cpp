// Route following by the own ship: a scripted track along a route (the ship put at each
// position by hand while the simulator holds it still) gives the reached, passed and
// target-changed events of the switching rule in force; the cross-track error matches
// GeographicLib; time to go and arrival times follow the speed made good; the simulator
// sails a whole route on its own.
#include "navigation/NavBoat.h"

#include <KvLibNav6/KvDevices.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWaypoints.h>

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <gtest/gtest.h>

#include <QString>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double Deg = 180.0 / std::numbers::pi;

struct NavDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T>
using TOwned = std::unique_ptr<T, NavDeleter>;

const GeographicLib::Geodesic &G() {
    return GeographicLib::Geodesic::WGS84();
}

TGeoPoint Direct(const TGeoPoint &from, double bearingDeg, double metres) {
    double lat = 0, lon = 0;
    G().Direct(from.Lat * Deg, from.Lon * Deg, bearingDeg, metres, lat, lon);
    return {lat / Deg, lon / Deg};
}

double Distance(const TGeoPoint &a, const TGeoPoint &b) {
    double s = 0;
    G().Inverse(a.Lat * Deg, a.Lon * Deg, b.Lat * Deg, b.Lon * Deg, s);
    return s;
}

double Bearing(const TGeoPoint &a, const TGeoPoint &b) {
    double s = 0, azi1 = 0, azi2 = 0;
    G().Inverse(a.Lat * Deg, a.Lon * Deg, b.Lat * Deg, b.Lon * Deg, s, azi1, azi2);
    return azi1;
}

// What the three route callbacks and the route-ended callback reported, in order.
struct TEvents {
    std::vector<std::string> Log;
    int Ended = 0;
    std::vector<float> PassedDistances;
};

void OnTarget(void *d, INavRouteNavigation *rn, uint32_t flags) {
    static_cast<TEvents *>(d)->Log.push_back("target " + std::to_string(rn->GetTargetPoint()->GetIndex()) +
                                             (flags & 1 ? "" : " (no flag)"));
}
void OnPassed(void *d, intptr_t, IWptRoutePoint *p, intptr_t, float distance) {
    static_cast<TEvents *>(d)->Log.push_back("passed " + std::to_string(p->GetIndex()));
    static_cast<TEvents *>(d)->PassedDistances.push_back(distance);
}
void OnReached(void *d, int32_t value) {
    static_cast<TEvents *>(d)->Log.push_back("reached " + std::to_string(value));
}
void OnEnded(void *d, intptr_t) {
    ++static_cast<TEvents *>(d)->Ended;
}

class RouteNavigation : public ::testing::Test {
protected:
    void SetUp() override {
        SetWptRouteDefaults(TWptRouteDefaults());
        int32_t err = -1;
        const QString fontName = QStringLiteral("DejaVu Sans");
        TStrWRec font{int32_t(fontName.size()), reinterpret_cast<const char16_t *>(fontName.utf16())};
        FManager.reset(WptManagerCreate(nullptr, nullptr, 0, 15.5f, 15.5f, font, 10.0f, 0,
                                        0xFF000000u, 8.0f, 1, 0xFF0000FFu, 8.0f, 2, 0xFF00FF00u, 5,
                                        nullptr, false, nullptr, nullptr, nullptr, nullptr, err));
        ASSERT_EQ(err, KvErr::Ok);
        static const char16_t name[] = u"Routes";
        IWptDatabase *db = FManager->NewDatabase(TStrWRec{6, name});
        ASSERT_TRUE(db);
        FRoute = db->NewRoute(45000.0);
        // A dog-leg: 2 km north-east, then 1.5 km south-east.
        FA = {52.0 / Deg, 5.0 / Deg};
        FB = Direct(FA, 45.0, 2000.0);
        FC = Direct(FB, 135.0, 1500.0);
        for (const TGeoPoint &p : {FA, FB, FC}) {
            FRoute->AddPointAtPosition(TRoutePosition{p.Lat, p.Lon, 0.0}, err);
            ASSERT_EQ(err, KvErr::Ok);
        }
        FBoat.reset(NavBoatCreate(FManager.get(), nullptr, nullptr, 0, nullptr, 0, nullptr, 1, 0,
                                  0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, OnEnded, &FEvents));
    }
    void TearDown() override {
        FBoat.reset();
        SetWptRouteDefaults(TWptRouteDefaults());
    }

    // The ship held still at p by the simulator (speed 0), or moving at speed on course.
    void StartAt(const TGeoPoint &p, float speed = 0.0f, float courseRad = 0.0f) {
        FBoat->SetPosition(p);
        const TVector v{speed, courseRad};
        FBoat->GetState()->SetState(&v, nullptr, nullptr, nullptr, 0, 0, 0, true, true, 8);
        FBoat->Start(true);
        ASSERT_TRUE(FBoat->IsSimulating());
    }
    void Follow(int32_t from) {
        FBoat->StartRouteNavigation(nullptr, FRoute->GetPoint(from), false, 0.0, FTime, 0.0f,
                                    OnTarget, &FEvents, OnPassed, &FEvents, OnReached, &FEvents);
        ASSERT_TRUE(FBoat->GetRouteNavigation());
    }
    uint32_t Tick() {
        FTime += 1.0 / 86400;
        uint32_t flags = 0;
        FBoat->UpdateSecond(TLoopRecord{1.0f, FTime}, 0, 0, nullptr, flags);
        return flags;
    }
    void At(const TGeoPoint &p) {
        FBoat->SetPosition(p);
        Tick();
    }

    TOwned<IWptManager> FManager;
    IWptRoute *FRoute = nullptr;
    TGeoPoint FA{}, FB{}, FC{};
    TEvents FEvents;
    TOwned<INavBoat> FBoat;
    TDateTime FTime = 45000.5;
};

}  // namespace

TEST_F(RouteNavigation, CrossTrackErrorHasTheSideAsSignAndGeographicLibsMagnitude) {
    struct Case {
        const char *name;
        double along;   // m from B along the leg B→C
        double offset;  // m, positive to starboard
    };
    const Case cases[] = {{"starboard near the start", 100, 250},
                          {"port in the middle", 750, -80},
                          {"on the line", 400, 0},
                          {"far to starboard", 1200, 900},
                          {"just to port", 20, -3}};
    StartAt(FB);
    Follow(2);
    double legAzi = 0, legLength = 0;
    {
        double azi2 = 0;
        G().Inverse(FB.Lat * Deg, FB.Lon * Deg, FC.Lat * Deg, FC.Lon * Deg, legLength, legAzi, azi2);
    }
    const GeographicLib::GeodesicLine line = G().Line(FB.Lat * Deg, FB.Lon * Deg, legAzi);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        double lat = 0, lon = 0, azi = 0;
        line.Position(c.along, lat, lon, azi);
        const TGeoPoint foot{lat / Deg, lon / Deg};
        At(Direct(foot, azi + 90.0, c.offset));
        INavRouteNavigation *rn = FBoat->GetRouteNavigation();
        float xte = 0, rel = 0, width = -1;
        ASSERT_TRUE(rn->GetXTE(xte, rel, width));
        EXPECT_NEAR(xte, c.offset, 1.0);
        EXPECT_NEAR(rel, c.offset / FRoute->GetPoint(2)->GetXTELimit(), 0.01);
        float routeDistance = 0;
        ASSERT_TRUE(rn->GetRouteDistance(routeDistance));
        EXPECT_NEAR(routeDistance, 2000.0 + c.along, 1.0);
        float dtg = 0, cts = 0;
        ASSERT_TRUE(rn->GetDTG(dtg));
        TGeoPoint here{};
        ASSERT_TRUE(FBoat->GetPosition(here));
        EXPECT_NEAR(dtg, Distance(here, FC), 0.01);
        ASSERT_TRUE(rn->GetCTS(cts));
        EXPECT_NEAR(std::remainder(cts * Deg - Bearing(here, FC), 360.0), 0.0, 1e-3);
    }
    EXPECT_EQ(FEvents.Ended, 0);
}

TEST_F(RouteNavigation, ScriptedTrackGivesReachedPassedAndTargetEventsByTheSwitchingRule) {
    struct Case {
        const char *name;
        bool bisector;
        std::vector<std::string> atCorner;  // events while rounding B outside its radius
    };
    // The track passes B 150 m inside the corner, outside the 100 m radius: by radius
    // alone the target moves on only when B is abeam; with the bisector at once.
    const Case cases[] = {{"radius", false, {}}, {"bisector", true, {"passed 1", "target 2"}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TWptRouteDefaults d;
        d.PointBiSector = c.bisector;
        SetWptRouteDefaults(d);
        FEvents = TEvents();
        StartAt(Direct(FA, 225.0, 500.0));
        Follow(0);

        At(Direct(FA, 225.0, 150.0));  // outside A's radius
        EXPECT_TRUE(FEvents.Log.empty());
        At(Direct(FA, 225.0, 60.0));  // inside: reached and, both rules, passed
        EXPECT_EQ(FEvents.Log, (std::vector<std::string>{"reached 0", "passed 0", "target 1"}));
        FEvents.Log.clear();
        EXPECT_NEAR(FEvents.PassedDistances.at(0), 60.0, 0.5);

        At(Direct(FA, 45.0, 1000.0));  // half way along the first leg
        EXPECT_TRUE(FEvents.Log.empty());
        // Inside the corner, on the bisector's far side: the direction from B bisecting the
        // way back (225°) and the way on (135°) is 180°; a little past it, 150 m from B.
        At(Direct(FB, 170.0, 150.0));
        EXPECT_EQ(FEvents.Log, c.atCorner);
        if (!c.bisector) {
            // Further on, B comes abeam of the first leg's end: passed without a reach.
            At(Direct(FB, 100.0, 400.0));
            EXPECT_EQ(FEvents.Log, (std::vector<std::string>{"passed 1", "target 2"}));
        }
        FEvents.Log.clear();
        EXPECT_EQ(FBoat->GetRouteNavigation()->GetTargetPoint(), FRoute->GetPoint(2));

        At(Direct(FC, 315.0, 90.0));
        EXPECT_EQ(FEvents.Log, (std::vector<std::string>{"reached 2", "passed 2"}));
        EXPECT_EQ(FEvents.Ended, 1);
        Tick();
        EXPECT_EQ(FEvents.Ended, 1);  // once
        FBoat->StopRouteNavigation();
        EXPECT_EQ(FBoat->GetRouteNavigation(), nullptr);
        FBoat->Stop();
    }
}

TEST_F(RouteNavigation, TimeToGoAndArrivalTimesFollowTheSpeedMadeGood) {
    const float speed = 4.0f;
    const TGeoPoint start = Direct(FA, 45.0, 500.0);
    StartAt(start, speed, float(Bearing(start, FB) / Deg));
    Follow(1);
    Tick();
    INavRouteNavigation *rn = FBoat->GetRouteNavigation();
    TGeoPoint here{};
    ASSERT_TRUE(FBoat->GetPosition(here));
    EXPECT_NEAR(Distance(start, here), speed, 0.01);
    float vmg = 0, ttg = 0, dtg = 0;
    ASSERT_TRUE(rn->GetVMG(vmg));
    EXPECT_NEAR(vmg, speed, 0.01);
    ASSERT_TRUE(rn->GetDTG(dtg));
    EXPECT_NEAR(dtg, 1500.0 - speed, 0.05);
    ASSERT_TRUE(rn->GetTTG(ttg));
    EXPECT_NEAR(ttg, dtg / speed, 0.05);
    TDateTime atTarget = 0, atEnd = 0;
    ASSERT_TRUE(kv::NavRouteGetArrivalTimes(rn, atTarget, atEnd));
    EXPECT_NEAR((atTarget - FTime) * 86400, (1500.0 - speed) / speed, 0.05);
    EXPECT_NEAR((atEnd - FTime) * 86400, (1500.0 - speed + 1500.0) / speed, 0.05);
    EXPECT_EQ(rn->GetNavData()->DateTimeUTC, FTime);

    // Sailing away from the target there is no time to go.
    const TVector away{speed, float(Bearing(here, FB) / Deg + std::numbers::pi)};
    FBoat->GetState()->SetState(&away, nullptr, nullptr, nullptr, 0, 0, 0, true, true, 8);
    FBoat->StopRouteNavigation();  // the simulator would turn back towards the route
    Follow(1);
    Tick();
    rn = FBoat->GetRouteNavigation();
    ASSERT_TRUE(rn->GetVMG(vmg));
    EXPECT_LT(vmg, 0.0f);
    EXPECT_FALSE(rn->GetTTG(ttg));
    EXPECT_FALSE(kv::NavRouteGetArrivalTimes(rn, atTarget, atEnd));
}

TEST_F(RouteNavigation, SimulatorSailsTheWholeRouteAtItsSpeed) {
    const float speed = 6.0f;
    StartAt(Direct(FA, 200.0, 300.0), speed, 0.0f);
    FBoat->GetSimulatorControl()->SetRadiusMin(40.0f);
    Follow(0);
    int seconds = 0;
    float fastest = 0;
    while (FEvents.Ended == 0 && seconds < 3000) {
        Tick();
        fastest = std::max(fastest, FBoat->GetState()->GetVAbsLength());
        ++seconds;
    }
    ASSERT_EQ(FEvents.Ended, 1);
    EXPECT_EQ(FEvents.Log, (std::vector<std::string>{"reached 0", "passed 0", "target 1",
                                                     "reached 1", "passed 1", "target 2",
                                                     "reached 2", "passed 2"}));
    EXPECT_FLOAT_EQ(fastest, speed);
    // The way sailed: about 300 m to A and the two legs, less the corners cut inside the radii.
    EXPECT_GT(FBoat->GetDistanceOverGround(), 3300.0);
    EXPECT_LT(FBoat->GetDistanceOverGround(), 3900.0);
    EXPECT_NEAR(FBoat->GetRouteNavigation()->GetRouteDistanceOverGround(),
                FBoat->GetDistanceOverGround(), 1e-6);
    EXPECT_NEAR(seconds * speed, FBoat->GetDistanceOverGround(), speed + 1.0);

    // The top speed caps the set speed; the simulator's sentences reach its port's log.
    FBoat->GetSimulatorControl()->SetSpeedMax(2.0f);
    Tick();
    EXPECT_FLOAT_EQ(FBoat->GetState()->GetVAbsLength(), 2.0f);
    INavMsgPort *port = FBoat->GetSimulator();
    EXPECT_EQ(port->GetKind(), NavMsgPortKind::Simulator);
    QByteArray logged;
    port->GetInputLog()->Enumerate(
        [](const uint8_t *chunk, int32_t count, void *user) {
            static_cast<QByteArray *>(user)->append(reinterpret_cast<const char *>(chunk), count);
        },
        &logged);
    EXPECT_TRUE(logged.contains("$GPRMC,"));
    EXPECT_TRUE(logged.contains("$GPGGA,"));
}
