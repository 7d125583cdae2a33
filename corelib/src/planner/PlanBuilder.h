// Turns the planner's search results for a route into its plan objects (PlanObjects.h):
// legs between route points, the route objects on them, times with stays, consumption and
// the route-explore samples.
#pragma once

#include "planner/PlannerEngine.h"
#include "planner/PlanObjects.h"

namespace kv::wpt {
class TRoute;
}

namespace kv::plan {

struct TPlanContext {
    ww::TWWNetworkImpl *Net = nullptr;  // nullptr: every leg is direct
    TPlannerEngine *Engine = nullptr;
    TQuery Query;
    TDateTime DepartUtc = 0.0;
    // How far a route point may lie from the network and still be planned over it, metres.
    double SnapLimitM = 5000.0;
};

// Replaces the contents of route.Plan() with a new plan.
void BuildPlan(wpt::TRoute &route, TPlanContext &ctx);

}  // namespace kv::plan
