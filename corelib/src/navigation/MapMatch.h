// Map matching of the own ship onto the waterway network and onto the planned way of a
// route: which section (or which stretch of the plan) the ship is on, where along it, how
// far off and on which side. GUI thread only.
//
// Positions along a section are metres from its start junction, measured along its
// polyline in earth-centred coordinates (as the network hands them out); distances along a
// route are metres from the route's start, as the plan's objects and time points give them.
#pragma once

#include "KvLibNav6/KvPlanner.h"
#include "KvLibNav6/KvTypes.h"
#include "KvLibNav6/KvWWNetwork.h"
#include "KvLibNav6/KvWaypoints.h"

#include <vector>

namespace kv {

// Where a point lies relative to a stretch [lo, hi] of a section.
struct TSectionFoot {
    double Position = 0.0;  // foot of the perpendicular, clamped to the stretch
    double Distance = 0.0;  // straight-line metres from the point to the foot
    // +1 when the point lies to starboard of the section's own direction, -1 to port,
    // 0 on the line.
    int Side = 0;
};

// False when the section has no usable geometry.
bool ProjectOntoSection(IWWSection *section, double lo, double hi, const TDouble3 &p,
                        TSectionFoot &out);

// Bearing (radians clockwise from true north, [0, 2π)) from a to b.
double GlobalBearing(const TDouble3 &a, const TDouble3 &b);
double GlobalDistance(const TDouble3 &a, const TDouble3 &b);

// The ship's place on the network, whatever route it follows.
struct TShipMatch {
    IWWSection *Section = nullptr;
    double Position = 0.0;
    double Distance = 0.0;  // metres off the section
};

// Nearest section within limitM of the ship; nullptr beyond it. The previous match is kept
// while it stays within keepMarginM of the nearest one, so that a ship passing a junction
// (where both sections are equally near) does not flip between them.
TShipMatch MatchShip(IWWNetwork *network, const TGeoPoint &ship, const TShipMatch &previous,
                     double limitM, double keepMarginM);

// One stretch of a planned route along one section: the plan sails its section from From to
// To (From > To against the section's own direction) between the route distances DistFrom
// and DistTo. List is the route-object list of the leg (route point to route point) the
// stretch belongs to.
struct TPlanStretch {
    IWptRouteObjectList *List = nullptr;
    IWptRouteLeg *Leg = nullptr;
    IWWSection *Section = nullptr;
    double From = 0.0, To = 0.0;
    double DistFrom = 0.0, DistTo = 0.0;
    bool Forward() const { return To >= From; }
};

// The network stretches of the route's current plan in sailing order; empty when the route
// is not planned or has no network legs.
std::vector<TPlanStretch> CollectPlanStretches(IWptRoute *route);

// The ship on the stretches of one leg (list): the stretch nearest to the ship, preferring
// those not behind minRouteDistance (a route that passes the same water twice).
struct TPlanMatch {
    bool Ok = false;
    size_t Stretch = 0;
    double Position = 0.0;       // along the stretch's section
    double RouteDistance = 0.0;  // along the route
    double Xte = 0.0;            // metres, positive with the ship to starboard of the way
};
TPlanMatch MatchOnPlan(const std::vector<TPlanStretch> &stretches, IWptRouteObjectList *list,
                       const TDouble3 &ship, double minRouteDistance);

// The point of the plan at a route distance, searched from stretch first on; false when the
// distance lies beyond the stretches (out then holds the last point).
bool PlanPointAt(const std::vector<TPlanStretch> &stretches, size_t first, double routeDistance,
                 TDouble3 &out);

}  // namespace kv
