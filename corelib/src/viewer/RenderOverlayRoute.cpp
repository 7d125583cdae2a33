// Where a route lies on the chart: a leg the planner routed over the waterway network follows
// the waterways it sails; any other leg is the straight line between its route points.
#include "viewer/RenderOverlay.h"

#include "network/WWNetwork.h"
#include "planner/PlanObjects.h"
#include "waypoints/WptModel.h"

#include "KvLibNav6/KvWaypoints.h"

namespace kv::render {

namespace {

// The route's plan while it still describes the route over the network shown; nullptr
// otherwise (no plan, another network, points added or removed since).
plan::TRoutePlan *PlanOf(IWptRoute &route, IWWNetwork *network) {
    auto *r = dynamic_cast<wpt::TRoute *>(&route);
    if (!r || !r->FPlan || r->IsCalculating() || !network || r->FPlan->Network != network) return nullptr;
    return r->FPlan->Points.size() == r->FPoints.size() ? r->FPlan.get() : nullptr;
}

// The route point still stands where the plan was made for it.
bool StillPlanned(plan::TRoutePlan &plan, wpt::TRoute &route, size_t i) {
    const TGeoPoint &planned = plan.Points[i].Planned;
    const TRoutePosition &now = route.FPoints[i]->FPos;
    return planned.Lat == now.Lat && planned.Lon == now.Lon;
}

// The stretches the leg into point i is sailed along; none when it is sailed straight or
// its plan is out of date.
const std::vector<plan::TRouteLegImpl *> *PlannedStretches(plan::TRoutePlan *plan, IWptRoute &route, size_t i) {
    auto &r = static_cast<wpt::TRoute &>(route);
    if (!plan || !StillPlanned(*plan, r, i - 1) || !StillPlanned(*plan, r, i)) return nullptr;
    const plan::TObjectListImpl *list = plan->Points[i].Objects;
    return list && !list->Stretches.empty() ? &list->Stretches : nullptr;
}

QPointF RoutePointPixel(const QTransform &toPixel, IWptRoutePoint *p) {
    const TRoutePosition *pos = p->GetPosition();
    return toPixel.map(GeoToMercator({pos->Lat, pos->Lon}));
}

}  // namespace

std::vector<QPolygonF> RouteLegLines(const QTransform &toPixel, IWptRoute &route, IWWNetwork *network) {
    std::vector<QPolygonF> legs;
    const int32_t n = route.GetPointCount();
    if (n < 2) return legs;
    legs.reserve(size_t(n - 1));
    plan::TRoutePlan *plan = PlanOf(route, network);
    QPointF from = RoutePointPixel(toPixel, route.GetPoint(0));
    for (int32_t i = 1; i < n; ++i) {
        QPolygonF line{from};
        if (const auto *stretches = PlannedStretches(plan, route, size_t(i)))
            for (const plan::TRouteLegImpl *leg : *stretches)
                if (auto *section = dynamic_cast<ww::TWWSectionImpl *>(leg->Section))
                    for (const TGeoPoint &g : section->GeoLine(leg->Position, leg->EndPosition))
                        line << toPixel.map(GeoToMercator(g));
        from = RoutePointPixel(toPixel, route.GetPoint(i));
        line << from;
        legs.push_back(std::move(line));
    }
    return legs;
}

}  // namespace kv::render
