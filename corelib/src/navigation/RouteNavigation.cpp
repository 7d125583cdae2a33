// Route following for the own ship (see RouteNavigation.h).
#include "navigation/RouteNavigation.h"

#include "KvLibNav6/KvBoatDef.h"
#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvPlanner.h"
#include "KvLibNav6/KvWWNetwork.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace kv {

namespace {

constexpr double Deg = 180.0 / std::numbers::pi;
constexpr double SecondsPerDay = 86400.0;
// Below this speed made good there is no meaningful time to go (m/s).
constexpr double MinSpeedForTime = 0.05;
// Along the network the ship steers for the point of the planned way this far ahead of its
// own place (metres), or the distance it makes in LookAheadSec when that is more.
constexpr double LookAheadM = 100.0;
constexpr double LookAheadSec = 30.0;
// Turns smaller than this (radians, either way) are not worth an indication.
constexpr double SmallTurn = std::numbers::pi / 8;

const GeographicLib::Geodesic &Wgs84() {
    return GeographicLib::Geodesic::WGS84();
}

TGeoPoint PointOf(IWptRoutePoint *p) {
    const TRoutePosition *pos = p->GetPosition();
    return pos ? TGeoPoint{pos->Lat, pos->Lon} : TGeoPoint{0.0, 0.0};
}

double Normalise(double rad) {
    double r = std::fmod(rad, 2 * std::numbers::pi);
    if (r < 0) r += 2 * std::numbers::pi;
    return r;
}

// Smallest angle between two directions, 0..π.
double AngleBetween(double a, double b) {
    return std::fabs(std::remainder(a - b, 2 * std::numbers::pi));
}

void Inverse(const TGeoPoint &a, const TGeoPoint &b, double &metres, double &azimuthRad) {
    double azi2 = 0.0, azi1 = 0.0;
    Wgs84().Inverse(a.Lat * Deg, a.Lon * Deg, b.Lat * Deg, b.Lon * Deg, metres, azi1, azi2);
    azimuthRad = Normalise(azi1 / Deg);
}

}  // namespace

TLegPosition LegPositionOf(const TGeoPoint &a, const TGeoPoint &b, const TGeoPoint &p) {
    TLegPosition r;
    double course = 0.0;
    Inverse(a, b, r.LegM, course);
    r.LegCourseAtFoot = course;
    double dap = 0.0, bap = 0.0;
    Inverse(a, p, dap, bap);
    if (r.LegM < 0.01) {
        // No leg to measure against: everything is distance from the point.
        r.XteM = dap;
        return r;
    }
    // The foot of the perpendicular: where the geodesic's direction is at right angles to
    // the geodesic towards p. Newton steps along the line converge in a few rounds for any
    // distance a ship is off its leg.
    const GeographicLib::GeodesicLine line = Wgs84().Line(a.Lat * Deg, a.Lon * Deg, course * Deg);
    double s = dap * std::cos(bap - course);
    double d = dap, side = 0.0, lineCourse = course;
    for (int i = 0; i < 20; ++i) {
        double lat = 0.0, lon = 0.0, azi = 0.0;
        line.Position(s, lat, lon, azi);
        double azi1 = 0.0, azi2 = 0.0;
        Wgs84().Inverse(lat, lon, p.Lat * Deg, p.Lon * Deg, d, azi1, azi2);
        const double rel = (azi1 - azi) / Deg;
        lineCourse = Normalise(azi / Deg);
        side = std::sin(rel);
        const double step = d * std::cos(rel);
        s += step;
        if (std::fabs(step) < 1e-5) break;
    }
    r.AlongM = s;
    r.XteM = side < 0 ? -d : d;
    r.LegCourseAtFoot = lineCourse;
    return r;
}

TRouteNavigation::TRouteNavigation(IWptRoutePoint *fromPoint, double dogRoute,
                                   TDateTime startTime, float pathWidth, TRouteEvents events)
    : FRoute(fromPoint ? fromPoint->GetRoute() : nullptr),
      FTarget(fromPoint),
      FEvents(std::move(events)),
      FDogRoute(dogRoute),
      FStartTime(startTime),
      FPathWidth(pathWidth),
      FClosest(std::numeric_limits<double>::infinity()) {
    FNavData.DateTimeUTC = startTime;
}

void TRouteNavigation::SetSwitching(bool bisector, double defaultRadiusM) {
    FBisector = bisector;
    if (defaultRadiusM > 0 && std::isfinite(defaultRadiusM)) FDefaultRadius = defaultRadiusM;
}

double TRouteNavigation::RadiusOf(IWptRoutePoint *p) const {
    const double r = p ? p->GetRadius() : 0.0;
    return r > 0 && std::isfinite(r) ? r : FDefaultRadius;
}

TGeoPoint TRouteNavigation::LegStart() const {
    if (IWptRoutePoint *prev = FTarget ? FTarget->GetPrevious() : nullptr) return PointOf(prev);
    return FHaveStart ? FStart : (FTarget ? PointOf(FTarget) : TGeoPoint{});
}

double TRouteNavigation::RouteLengthTo(IWptRoutePoint *p) const {
    double sum = 0.0;
    if (!FRoute || !p) return sum;
    IWptRoutePoint *prev = nullptr;
    for (int32_t i = 0; i < FRoute->GetPointCount(); ++i) {
        IWptRoutePoint *q = FRoute->GetPoint(i);
        if (!q) break;
        if (prev) {
            double m = 0.0, az = 0.0;
            Inverse(PointOf(prev), PointOf(q), m, az);
            sum += m;
        }
        if (q == p) break;
        prev = q;
    }
    return sum;
}

double TRouteNavigation::RemainingAfterTarget() const {
    IWptRoutePoint *last = FRoute ? FRoute->GetLastPoint() : nullptr;
    const double atTarget = PlanDistanceOf(FTarget ? FTarget->GetPlanPoint() : nullptr, false);
    const double atEnd = PlanDistanceOf(last ? last->GetPlanPoint() : nullptr, false);
    if (atTarget >= 0 && atEnd >= atTarget) return atEnd - atTarget;
    double sum = 0.0;
    for (IWptRoutePoint *p = FTarget; p && p->GetNext(); p = p->GetNext()) {
        double m = 0.0, az = 0.0;
        Inverse(PointOf(p), PointOf(p->GetNext()), m, az);
        sum += m;
    }
    return sum;
}

void TRouteNavigation::Update(const TRouteFix &fix, double distanceStep) {
    if (distanceStep > 0 && std::isfinite(distanceStep)) FDogRoute += distanceStep;
    // Consumption from the boat's curve at the speed actually sailed.
    if (ILPBoatDef *bd = FContext.BoatDef; bd && fix.CourseAndSpeedValid && fix.ElapsedSec > 0) {
        ILPBoatDefCurve *curve = bd->GetElectric() ? bd->GetElectricCurve() : bd->GetFuelCurve();
        const double perSecond = curve ? double(curve->GetValueAt(float(fix.SpeedOverGround))) : 0.0;
        if (perSecond > 0 && std::isfinite(perSecond)) FFuel += perSecond * fix.ElapsedSec;
    }
    if (!FHaveStart) {
        FStart = fix.Position;
        FHaveStart = true;
    }
    if (!FTarget || FEnded) return;
    Compute(fix);
    CheckSwitch(fix);
}

void TRouteNavigation::Compute(const TRouteFix &fix) {
    const TGeoPoint target = PointOf(FTarget);
    FNow = fix.NowUTC;
    Inverse(fix.Position, target, FDtg, FBearing);
    FSpeedValid = fix.CourseAndSpeedValid;
    FSog = fix.SpeedOverGround;
    FVmg = FSpeedValid ? fix.SpeedOverGround * std::cos(fix.CourseOverGround - FBearing) : 0.0;
    FLeg = LegPositionOf(LegStart(), target, fix.Position);
    if (IWptRoutePoint *prev = FTarget->GetPrevious()) {
        const double planned = PlanDistanceOf(prev->GetPlanPoint(), true);
        FRouteDistance = (planned >= 0 ? planned : RouteLengthTo(prev)) + std::clamp(FLeg.AlongM, 0.0, FLeg.LegM);
    } else {
        FRouteDistance = 0.0;  // still on the way to the first point
    }
    MatchPlan(fix);
    if (FOnNetwork) {
        FRouteDistance = FMatch.RouteDistance;
        // Along the network: the way still to sail, and the speed made along it.
        FDtg = std::max(0.0, TargetRouteDistance() - FRouteDistance);
        if (FSpeedValid) FVmg = fix.SpeedOverGround * std::cos(fix.CourseOverGround - FNetworkBearing);
    }
    FClosest = std::min(FClosest, FDtg);
    FLastRouteDistance = FRouteDistance;
    FValid = true;

    FNavData = TNavRouteData{};
    FNavData.CourseToSteer = float(FOnNetwork ? FNetworkBearing : FBearing);
    FNavData.RouteDistance = FRouteDistance;
    FNavData.DateTimeUTC = fix.NowUTC;
    FNavData.FuelUsed = FFuel;
    const double price = FContext.Planner ? double(FContext.Planner->GetPlannerValueA5()) : 0.0;
    FNavData.CostSpent = std::isfinite(price) && price > 0 ? FFuel * price : 0.0;
    FillPlanData();
}

double TRouteNavigation::PlanDistanceOf(IWptPlanPoint *pp, bool departure) const {
    if (!pp) return -1.0;
    IWptRouteTimePoint *tp = departure && pp->GetDeparture() ? pp->GetDeparture() : pp->GetArrival();
    if (!tp && pp->GetIndex() == 0) return 0.0;
    return tp && tp->GetData() ? tp->GetData()->DistanceM : -1.0;
}

// Where the plan reaches the target: its arrival, or the end of the leg's way when the plan
// has no times (a blocked leg).
double TRouteNavigation::TargetRouteDistance() const {
    IWptPlanPoint *pp = FTarget ? FTarget->GetPlanPoint() : nullptr;
    const double arrival = PlanDistanceOf(pp, false);
    if (arrival >= 0) return arrival;
    double end = FRouteDistance;
    IWptRouteObjectList *list = pp ? pp->GetObjects() : nullptr;
    for (const TPlanStretch &s : FStretches)
        if (s.List == list) end = std::max(end, s.DistTo);
    return end;
}

void TRouteNavigation::MatchPlan(const TRouteFix &fix) {
    FOnNetwork = false;
    FStretches = CollectPlanStretches(FRoute);
    IWptPlanPoint *pp = FTarget ? FTarget->GetPlanPoint() : nullptr;
    IWptRouteObjectList *list = pp ? pp->GetObjects() : nullptr;
    if (!list || list->IsOpenLeg() || FStretches.empty()) return;
    TDouble3 ship;
    GeoToGlobal2(ship, fix.Position, nullptr);
    FMatch = MatchOnPlan(FStretches, list, ship, FLastRouteDistance);
    if (!FMatch.Ok) return;
    FOnNetwork = true;
    const double ahead = std::max(LookAheadM, FSpeedValid ? fix.SpeedOverGround * LookAheadSec : 0.0);
    TDouble3 aim;
    PlanPointAt(FStretches, FMatch.Stretch, std::min(FMatch.RouteDistance + ahead, TargetRouteDistance()), aim);
    if (GlobalDistance(ship, aim) < 0.5) {
        // On the target itself: keep the way's own direction.
        const TPlanStretch &s = FStretches[FMatch.Stretch];
        const double dir = s.Forward() ? 1.0 : -1.0;
        FNetworkBearing = GlobalBearing(s.Section->GetPointAt(FMatch.Position - dir),
                                        s.Section->GetPointAt(FMatch.Position + dir));
    } else {
        FNetworkBearing = GlobalBearing(ship, aim);
    }
}

// Objects ahead, stops, network position and speed limit from the plan of the leg to the
// target and the legs after it.
void TRouteNavigation::FillPlanData() {
    IWptPlanPoint *pp = FTarget ? FTarget->GetPlanPoint() : nullptr;
    IWptRouteObjectList *list = pp ? pp->GetObjects() : nullptr;
    FNavData.Objects = list;
    if (FOnNetwork) {
        const TPlanStretch &s = FStretches[FMatch.Stretch];
        FNavData.NetworkPosition = s.Leg;
        FNavData.SectionPosition = FMatch.Position;
        FNavData.DirectionFrom = s.Forward() ? s.Section->GetStartJunction() : s.Section->GetEndJunction();
        FNavData.DirectionTo = s.Forward() ? s.Section->GetEndJunction() : s.Section->GetStartJunction();
        const float limit = s.Section->GetSpeedLimit(FMatch.Position);
        if (limit > 0.0f && limit < WWMissing) FNavData.SpeedLimit = limit;
    }
    const bool unstepped = FRoute && FRoute->GetMastMode() == 1;
    const float level = FContext.Planner ? FContext.Planner->GetNAPWaterLevel() : 1.0f;
    bool first = true;
    for (IWptRouteObjectList *l = list; l;) {
        for (int32_t i = 0; i < l->GetCount(); ++i) {
            IWptRouteObject *o = l->GetItem(i);
            const double *v = o ? o->GetValues() : nullptr;
            if (!v || v[0] < FRouteDistance - 0.5) continue;
            if (first && FNavData.FirstObjectAhead < 0) {
                FNavData.FirstObjectAhead = i;
                FNavData.NextObject = o;
            }
            const int32_t kind = o->GetKind();
            const bool shown = kind == WptRouteObjectKind::Structure || kind == WptRouteObjectKind::RoutePoint ||
                               kind == WptRouteObjectKind::SailingTimesStop || kind == WptRouteObjectKind::Marina ||
                               (kind == WptRouteObjectKind::Turn && std::fabs(o->GetTurnAngle()) > SmallTurn);
            if (shown && !FNavData.NextIndication) FNavData.NextIndication = o;
            IWptRouteStructPassage *pass = kind == WptRouteObjectKind::Structure ? o->GetStructPassage() : nullptr;
            IWWStruct *st = pass ? pass->GetStruct() : nullptr;
            if (!st) continue;
            if (st->GetKind() == WWStructKind::Lock)
                ++FNavData.LockStops;
            else if (st->GetKind() == WWStructKind::Bridge && pass->NeedsOperation(FContext.BoatDef, unstepped, level))
                ++FNavData.BridgeStops;
        }
        first = false;
        IWptPlanPoint *end = l->GetEndPoint();
        l = end ? end->GetNextObjects() : nullptr;
    }
}

bool TRouteNavigation::GetNetworkMatch(IWWSection *&section, double &position, double &offMetres) const {
    if (!FValid || !FOnNetwork) return false;
    section = FStretches[FMatch.Stretch].Section;
    position = FMatch.Position;
    offMetres = std::fabs(FMatch.Xte);
    return true;
}

void TRouteNavigation::CheckSwitch(const TRouteFix &fix) {
    const double radius = RadiusOf(FTarget);
    const bool inside = FDtg <= radius;
    if (inside && !FReached) {
        FReached = true;
        if (FEvents.PointReached) FEvents.PointReached(FEvents.PointReachedData, FTarget->GetIndex());
    }
    IWptRoutePoint *next = FTarget->GetNext();
    bool passed = inside;
    if (FOnNetwork) {
        // Along the network the planned way decides: the target is passed once the ship's
        // place on it is the target's (the way's turns make the straight-line tests wrong).
        passed = passed || FRouteDistance >= TargetRouteDistance() - 1.0;
    } else if (FBisector && next) {
        // The bisector of the angle at the point between the way back and the way on: the
        // ship has crossed it once it lies nearer (in angle) to the way on.
        const TGeoPoint t = PointOf(FTarget);
        double m = 0.0, toPrev = 0.0, toNext = 0.0, toShip = 0.0;
        Inverse(t, LegStart(), m, toPrev);
        Inverse(t, PointOf(next), m, toNext);
        double dShip = 0.0;
        Inverse(t, fix.Position, dShip, toShip);
        passed = passed || dShip < 1.0 ||
                 AngleBetween(toShip, toNext) < AngleBetween(toShip, toPrev);
    }
    if (!FOnNetwork && FLeg.LegM > 1.0 && FLeg.AlongM >= FLeg.LegM) passed = true;  // abeam passed
    if (!passed) return;
    if (next) {
        MoveTarget(next, true);
        Compute(fix);
        return;
    }
    if (FEvents.PointPassed)
        FEvents.PointPassed(FEvents.PointPassedData, 0, FTarget, 0, float(FClosest));
    FEnded = true;
    if (FEvents.RouteEnded) FEvents.RouteEnded();
}

void TRouteNavigation::MoveTarget(IWptRoutePoint *next, bool passed) {
    if (passed && FEvents.PointPassed)
        FEvents.PointPassed(FEvents.PointPassedData, 0, FTarget, 0, float(FClosest));
    FTarget = next;
    FReached = false;
    FClosest = std::numeric_limits<double>::infinity();
    if (FEvents.TargetChanged) FEvents.TargetChanged(FEvents.TargetChangedData, this, 1);
}

void TRouteNavigation::Recalculate(int32_t) {
    // Open-water legs depend only on the points: start the way to a first point afresh from
    // where the ship is now, and let the next update measure everything again. Over the
    // network the route is planned anew (from the ship's position where the route is the
    // own ship's to rebuild).
    FValid = false;
    FHaveStart = false;
    if (!FContext.Replan) return;
    if (IWptRoutePoint *target = FContext.Replan()) {
        FTarget = target;
        FReached = false;
        FEnded = false;
        FClosest = std::numeric_limits<double>::infinity();
        FLastRouteDistance = 0.0;
    }
    FStretches.clear();
    FOnNetwork = false;
    // The old record points into the plan that was just replaced.
    FNavData = TNavRouteData{};
    FNavData.DateTimeUTC = FNow;
}

void TRouteNavigation::SetTargetPoint(IWptRoutePoint *p, int32_t) {
    if (!p || p->GetRoute() != FRoute || p == FTarget) return;
    FEnded = false;
    FHaveStart = false;  // a first point is sailed to from where the ship is
    FValid = false;
    FLastRouteDistance = 0.0;
    MoveTarget(p, false);
}

bool TRouteNavigation::GetXTE(float &xte, float &xteRel, float &pathWidth) {
    if (FValid && FOnNetwork) {
        // The allowed deviation along the network is half the path either side.
        xte = float(FMatch.Xte);
        xteRel = FPathWidth > 0 ? float(FMatch.Xte / (FPathWidth / 2.0)) : 0.0f;
        pathWidth = FPathWidth;
        return true;
    }
    if (!FValid || FLeg.LegM < 1.0) return false;
    const double limit = FTarget ? FTarget->GetXTELimit() : 0.0;
    xte = float(FLeg.XteM);
    xteRel = limit > 0 ? float(FLeg.XteM / limit) : 0.0f;
    pathWidth = FPathWidth;
    return true;
}

bool TRouteNavigation::GetCTS(float &rad) {
    if (!FValid) return false;
    rad = float(FBearing);
    return true;
}

// Along the network: towards the planned way a little ahead of the ship; on open legs the
// same as GetCTS.
bool TRouteNavigation::GetNetworkCTS(float &rad) {
    if (!FValid) return false;
    rad = float(FOnNetwork ? FNetworkBearing : FBearing);
    return true;
}

bool TRouteNavigation::GetDTG(float &metres) {
    if (!FValid) return false;
    metres = float(FDtg);
    return true;
}

bool TRouteNavigation::GetTTG(float &seconds) {
    if (!FValid || !FSpeedValid || FVmg < MinSpeedForTime) return false;
    seconds = float(FDtg / FVmg);
    return true;
}

bool TRouteNavigation::GetVMG(float &speed) {
    if (!FValid || !FSpeedValid) return false;
    speed = float(FVmg);
    return true;
}

bool TRouteNavigation::GetRouteDistance(float &metres) {
    if (!FValid) return false;
    metres = float(FRouteDistance);
    return true;
}

bool TRouteNavigation::IsOpenLeg() {
    if (!FTarget || FTarget->IsDirect()) return true;
    IWptPlanPoint *pp = FTarget->GetPlanPoint();
    IWptRouteObjectList *list = pp ? pp->GetObjects() : nullptr;
    if (!list || list->IsOpenLeg()) return true;
    // A leg the planner could not lay over the network (a point too far from it) has no
    // way along a section.
    const std::vector<TPlanStretch> stretches = CollectPlanStretches(FRoute);
    return std::none_of(stretches.begin(), stretches.end(),
                        [list](const TPlanStretch &s) { return s.List == list; });
}

bool TRouteNavigation::GetTargetArrival(TDateTime &utc) {
    float ttg = 0.0f;
    if (!GetTTG(ttg)) return false;
    utc = FNow + double(ttg) / SecondsPerDay;
    return true;
}

bool TRouteNavigation::GetRouteArrival(TDateTime &utc) {
    TDateTime atTarget = 0.0;
    if (!GetTargetArrival(atTarget) || FSog < MinSpeedForTime) return false;
    utc = atTarget + RemainingAfterTarget() / FSog / SecondsPerDay;
    return true;
}

}  // namespace kv
