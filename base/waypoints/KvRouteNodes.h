// Display helpers of the route table: route nodes, turn icons and duration texts.
#pragma once

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWaypoints.h>

#include "base/strings/KvFormatSettings.h"

#include <QString>
#include <cstdint>
#include <memory>

// One node of the route table's tree. Program-owned; only the point-information and the
// departure objects are read by the helpers here (both owned by the route's plan).
struct TRouteNode {
    int32_t Kind = 0;  // set by the caller after NewRteNodeData
    IWptRoute *Route = nullptr;
    IWptRoutePoint *Point = nullptr;
    IWptRouteTimePoint *PointInfo = nullptr;
    IWptRouteTimePoint *Departure = nullptr;
    int32_t Value5 = 0;
    double Value6 = 0.0;
    int32_t Value7 = 0;
    int32_t Value8 = 0;
    NavObject *Ref9 = nullptr;
    NavObject *Ref10 = nullptr;
    NavObject *Ref11 = nullptr;
};

// The values in the record's order; the node kind stays 0 for the caller to set.
std::unique_ptr<TRouteNode> NewRteNodeData(IWptRoute *route, IWptRoutePoint *point,
                                           IWptRouteTimePoint *pointInfo,
                                           IWptRouteTimePoint *departure, int32_t value5,
                                           double value6, int32_t value7, int32_t value8,
                                           NavObject *ref9, NavObject *ref10, NavObject *ref11);

// False, leaving value untouched, when the node has no point information (or departure).
bool RteNodeGetDistance(const TRouteNode *node, double &value);     // metres from the start
bool RteNodeGetConsumption(const TRouteNode *node, double &value);  // from the start
bool RteNodeGetArrivalTime(const TRouteNode *node, double &value);  // UTC
bool RteNodeGetDepartureTime(const TRouteNode *node, double &value);  // UTC

// metres in a length unit (KvUnit codes), fixed-point with 7 significant digits and the given
// decimals; withUnit appends a blank and the unit's text ("12.5 m"). A code that is no known
// length unit gives metres.
void FormatMetresInUnit(int32_t unit, int32_t decimals, bool withUnit, QString &text,
                        double metres, const TFormatSettings &fs = UserFormatSettings());

// "1d 1h 01m", "1h 02m 05s", "45s": seconds truncated; from a whole day on without seconds;
// zero parts left out.
void FormatDurationDHMS(QString &out, float seconds);

// Icon number of a planned-route element in the route table's image list; -1 for none.
int32_t RouteNodeGetIconIndex(IWptRouteObject *element);

// True when the route is planned through to its last point: every point has a plan point
// whose status is WptPlanStatus::Planned.
bool RouteCheckAllPoints(IWptRoute *route);
