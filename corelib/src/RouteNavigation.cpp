// Route following for the own ship (see RouteNavigation.h).
#include "RouteNavigation.h"

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
    if (IWptRoutePoint *prev = FTarget->GetPrevious())
        FRouteDistance = RouteLengthTo(prev) + std::clamp(FLeg.AlongM, 0.0, FLeg.LegM);
    else
        FRouteDistance = 0.0;  // still on the way to the first point
    FClosest = std::min(FClosest, FDtg);
    FValid = true;

    FNavData.CourseToSteer = float(FBearing);
    FNavData.RouteDistance = FRouteDistance;
    FNavData.DateTimeUTC = fix.NowUTC;
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
    if (FBisector && next) {
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
    if (FLeg.LegM > 1.0 && FLeg.AlongM >= FLeg.LegM) passed = true;  // abeam passed
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
    // where the ship is now, and let the next update measure everything again.
    FValid = false;
    FHaveStart = false;
}

void TRouteNavigation::SetTargetPoint(IWptRoutePoint *p, int32_t) {
    if (!p || p->GetRoute() != FRoute || p == FTarget) return;
    FEnded = false;
    FHaveStart = false;  // a first point is sailed to from where the ship is
    FValid = false;
    MoveTarget(p, false);
}

bool TRouteNavigation::GetXTE(float &xte, float &xteRel, float &pathWidth) {
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

// No map matching here: along the network the ship steers for the same point.
bool TRouteNavigation::GetNetworkCTS(float &rad) {
    return GetCTS(rad);
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
    return !FTarget || FTarget->IsDirect() || !FTarget->GetPlanPoint();
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
