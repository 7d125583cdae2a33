// Collecting $--WPL waypoints and multi-message $--RTE routes.
#include "devices/NmeaTransfer.h"

#include <algorithm>

namespace kv {

namespace {

bool SmallCount(std::string_view f, int &out) {
    if (f.empty() || f.size() > 3) return false;
    int v = 0;
    for (char c : f) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

}  // namespace

const TNmeaWaypoint *TNmeaTransferCollector::FindWaypoint(const std::string &name) const {
    for (const TNmeaWaypoint &w : FWaypoints)
        if (w.Name == name) return &w;
    return nullptr;
}

int TNmeaTransferCollector::RoutePointCount() const {
    int n = 0;
    for (const TNmeaRoute &r : FRoutes) n += int(r.Points.size());
    return n;
}

bool TNmeaTransferCollector::Add(const TNmeaSentence &s) {
    if (s.Talker.empty()) return true;
    if (s.Type == "WPL") return AddWaypoint(s);
    if (s.Type == "RTE") return AddRoutePart(s);
    return true;
}

bool TNmeaTransferCollector::AddWaypoint(const TNmeaSentence &s) {
    // lat, N/S, lon, E/W, name
    TNmeaWaypoint w;
    TNmeaResult why;
    if (s.FieldCount < 5 || s.Field(4).empty() ||
        !TNmeaParser::ParseLatitude(s.Field(0), s.Field(1), w.LatRad, why) ||
        !TNmeaParser::ParseLongitude(s.Field(2), s.Field(3), w.LonRad, why) ||
        !NmeaKnown(w.LatRad) || !NmeaKnown(w.LonRad)) {
        ++FWaypointErrors;
        return false;
    }
    w.Name.assign(s.Field(4));
    auto known = std::find_if(FWaypoints.begin(), FWaypoints.end(),
                              [&](const TNmeaWaypoint &x) { return x.Name == w.Name; });
    if (known != FWaypoints.end())
        *known = std::move(w);
    else
        FWaypoints.push_back(std::move(w));
    return true;
}

bool TNmeaTransferCollector::AddRoutePart(const TNmeaSentence &s) {
    // messages, message number, c(omplete)/w(orking), route ID, waypoint names...
    int total = 0, number = 0;
    if (s.FieldCount < 4 || !SmallCount(s.Field(0), total) || !SmallCount(s.Field(1), number) ||
        total < 1 || number < 1 || number > total) {
        ++FRouteErrors;
        return false;
    }
    if (number == 1) {
        if (FPendingNext != 0) ++FRouteErrors;  // the previous route never completed
        FPending = TNmeaRoute();
        FPending.ID.assign(s.Field(3));
        FPendingNext = 1;
        FPendingTotal = total;
    }
    if (number != FPendingNext || total != FPendingTotal ||
        std::string_view(FPending.ID) != s.Field(3)) {
        // A lost message: the route would miss points, so none of it is kept.
        FPendingNext = 0;
        ++FRouteErrors;
        return false;
    }
    for (int i = 4; i < s.FieldCount; ++i)
        if (!s.Field(i).empty()) FPending.Points.emplace_back(s.Field(i));
    if (number < total) {
        ++FPendingNext;
        return true;
    }
    FPendingNext = 0;
    auto known = std::find_if(FRoutes.begin(), FRoutes.end(),
                              [&](const TNmeaRoute &r) { return r.ID == FPending.ID; });
    if (known != FRoutes.end())
        *known = std::move(FPending);
    else
        FRoutes.push_back(std::move(FPending));
    return true;
}

}  // namespace kv
