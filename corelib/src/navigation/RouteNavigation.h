// Following a route with the own ship: the target point, when a point counts as reached and
// passed, the cross-track error, course to steer, distance and time to go, VMG and the
// arrival times. GUI thread only; driven by the own ship's one-second update. On legs the
// planner laid over the network the ship is matched onto the planned way: distances, the
// cross-track error and the network course to steer follow that way, and the route data
// lists the plan's objects ahead.
//
// Legs are geodesics on the WGS 84 ellipsoid (GeographicLib). Angles radians clockwise from
// true north, distances metres, speeds m/s, times UTC TDateTime.
#pragma once

#include "KvLibNav6/KvCallbacks.h"
#include "KvLibNav6/KvNavBoat.h"
#include "KvLibNav6/KvWaypoints.h"

#include "navigation/MapMatch.h"

#include <functional>
#include <vector>

namespace kv {

// Where a position lies relative to the geodesic from A to B.
struct TLegPosition {
    double LegM = 0.0;    // length of the leg
    double AlongM = 0.0;  // along the leg from A to the foot of the perpendicular (may be < 0
                          // before A or > LegM past B)
    double XteM = 0.0;    // distance to the geodesic; positive with the ship to starboard of
                          // the leg (right of it looking from A to B)
    double LegCourseAtFoot = 0.0;  // the leg's direction at the foot
};
TLegPosition LegPositionOf(const TGeoPoint &a, const TGeoPoint &b, const TGeoPoint &p);

// What the own ship hands to the route navigation every second.
struct TRouteFix {
    TGeoPoint Position{};
    double SpeedOverGround = 0.0;  // m/s
    double CourseOverGround = 0.0;
    bool CourseAndSpeedValid = false;
    TDateTime NowUTC = 0.0;
    double ElapsedSec = 1.0;  // since the previous fix
};

struct TRouteEvents {
    TargetChangedProc TargetChanged = nullptr;
    void *TargetChangedData = nullptr;
    PointPassedProc PointPassed = nullptr;
    void *PointPassedData = nullptr;
    PointReachedProc PointReached = nullptr;
    void *PointReachedData = nullptr;
    // The last point was reached or passed; the own ship tells the program.
    std::function<void()> RouteEnded;
};

// What the navigation plans and counts with; none of it is owned. The planner and boat may
// be nullptr (then no re-planning, no fuel).
struct TRouteContext {
    IWptPlanner *Planner = nullptr;
    ILPBoatDef *BoatDef = nullptr;
    // Re-plans the followed route from the ship's position (the own ship knows which routes
    // are its own to rebuild); returns the new target, or nullptr to keep the old one.
    std::function<IWptRoutePoint *()> Replan;
};

// Switching rule: a point is reached inside its radius (the point's own, else the route
// defaults'), and the target then moves on. With the bisector rule it also moves on as soon
// as the ship crosses the bisector of the angle between the two legs at the point, so a
// ship cutting the corner outside the circle switches in time. Either way a target whose perpendicular the ship has passed is passed too, so
// a ship that misses the circle does not keep steering back to it.
class TRouteNavigation final : public INavRouteNavigation {
public:
    TRouteNavigation(IWptRoutePoint *fromPoint, double dogRoute, TDateTime startTime,
                     float pathWidth, TRouteEvents events);

    // One second of sailing: distanceStep is the distance over ground added since the last
    // call (already filtered by the own ship).
    void Update(const TRouteFix &fix, double distanceStep);
    bool HasEnded() const { return FEnded; }
    // Arrival at the target point / at the last point at the current speed made good.
    bool GetTargetArrival(TDateTime &utc);
    bool GetRouteArrival(TDateTime &utc);
    // The radius and rule in force (the route defaults at the start of the navigation).
    void SetSwitching(bool bisector, double defaultRadiusM);
    void SetContext(TRouteContext context) { FContext = std::move(context); }
    // The ship's place on the planned way of the current leg; false on open legs and off
    // the plan.
    bool GetNetworkMatch(IWWSection *&section, double &position, double &offMetres) const;

    IWptRoutePoint *GetTargetPoint() override { return FTarget; }
    double GetRouteDistanceOverGround() override { return FDogRoute; }
    IWptRoute *GetRoute() override { return FRoute; }
    TDateTime GetRouteStartTime() override { return FStartTime; }
    void Recalculate(int32_t mode) override;
    void SetTargetPoint(IWptRoutePoint *p, int32_t mode) override;
    IWptRoutePoint *GetSteerPoint() override { return FTarget; }
    const TNavRouteData *GetNavData() override { return &FNavData; }
    bool GetXTE(float &xte, float &xteRel, float &pathWidth) override;
    bool GetCTS(float &rad) override;
    bool GetNetworkCTS(float &rad) override;
    bool GetDTG(float &metres) override;
    bool GetTTG(float &seconds) override;
    bool GetVMG(float &speed) override;
    bool GetRouteDistance(float &metres) override;
    bool IsOpenLeg() override;
    void SetPathWidth(float metres) override { FPathWidth = metres; }

private:
    void Compute(const TRouteFix &fix);
    void CheckSwitch(const TRouteFix &fix);
    void MoveTarget(IWptRoutePoint *next, bool passed);
    double RadiusOf(IWptRoutePoint *p) const;
    // Sum of the legs from the first point up to p.
    double RouteLengthTo(IWptRoutePoint *p) const;
    double RemainingAfterTarget() const;
    TGeoPoint LegStart() const;
    // The network part: the ship on the plan of the leg to the target.
    void MatchPlan(const TRouteFix &fix);
    void FillPlanData();
    double PlanDistanceOf(IWptPlanPoint *pp, bool departure) const;
    double TargetRouteDistance() const;

    IWptRoute *FRoute = nullptr;
    IWptRoutePoint *FTarget = nullptr;
    TRouteEvents FEvents;
    double FDogRoute = 0.0;
    TDateTime FStartTime = 0.0;
    float FPathWidth = 0.0f;
    bool FBisector = false;
    double FDefaultRadius = 100.0;

    // The ship where it started following, the start of a leg to a first point.
    bool FHaveStart = false;
    TGeoPoint FStart{};

    // Figures of the last update.
    bool FValid = false;
    bool FSpeedValid = false;
    TDateTime FNow = 0.0;
    double FDtg = 0.0;
    double FBearing = 0.0;
    double FVmg = 0.0;
    double FSog = 0.0;
    TLegPosition FLeg;
    double FRouteDistance = 0.0;
    double FClosest = 0.0;  // closest approach to the target so far
    bool FReached = false;
    bool FEnded = false;
    TNavRouteData FNavData;

    TRouteContext FContext;
    std::vector<TPlanStretch> FStretches;  // of the current plan, refreshed every update
    bool FOnNetwork = false;  // the ship is matched onto the plan of a network leg
    TPlanMatch FMatch;
    double FNetworkBearing = 0.0;
    double FLastRouteDistance = 0.0;
    double FFuel = 0.0;  // m³ (energy for electric boats) since the route start
};

}  // namespace kv
