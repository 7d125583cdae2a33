// Waypoints and routes a receiver sends as $--WPL and $--RTE when the user starts "send"
// on it. Collects them from checksum-valid sentences; plain C++ like the decoder.
#pragma once

#include "devices/NmeaParser.h"
#include "kernel/TestApi.h"

#include <string>
#include <vector>

namespace kv {

struct TNmeaWaypoint {
    std::string Name;
    double LatRad = NmeaUnknown;
    double LonRad = NmeaUnknown;
};

struct TNmeaRoute {
    std::string ID;
    std::vector<std::string> Points;  // waypoint names in order
};

class KVLIB_TEST_API TNmeaTransferCollector {
public:
    // Takes a WPL or RTE sentence; anything else is ignored. False for a WPL or RTE whose
    // fields are unusable, or an RTE message out of sequence (the route is then dropped).
    bool Add(const TNmeaSentence &s);

    // A name sent again replaces the earlier waypoint or route of that name; order of first
    // arrival is kept.
    const std::vector<TNmeaWaypoint> &Waypoints() const { return FWaypoints; }
    const std::vector<TNmeaRoute> &Routes() const { return FRoutes; }
    const TNmeaWaypoint *FindWaypoint(const std::string &name) const;
    int RoutePointCount() const;
    int Errors() const { return FWaypointErrors + FRouteErrors; }
    int WaypointErrors() const { return FWaypointErrors; }
    int RouteErrors() const { return FRouteErrors; }
    // The transfer is over: a route whose messages are still missing is counted as an error
    // and forgotten.
    void Finish() {
        if (FPendingNext != 0) ++FRouteErrors;
        FPendingNext = 0;
    }
    void Clear() { *this = TNmeaTransferCollector(); }

private:
    bool AddWaypoint(const TNmeaSentence &s);
    bool AddRoutePart(const TNmeaSentence &s);

    std::vector<TNmeaWaypoint> FWaypoints;
    std::vector<TNmeaRoute> FRoutes;
    TNmeaRoute FPending;  // a route whose messages are still arriving
    int FPendingNext = 0;  // number of the message expected next, 0 = none
    int FPendingTotal = 0;
    int FWaypointErrors = 0;
    int FRouteErrors = 0;
};

}  // namespace kv
