// The rows of the route table on the demo network: their order, kinds, icons and filters.
#include "RoutesFixture.h"

#include "base/waypoints/KvRouteNodes.h"
#include "objectinfo/KvWWNetwork.h"

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWWNetwork.h>

using routestest::RoutesFixture;

namespace {

// The plan's own sequence: for each point, its objects in sailing order (or the point).
struct TPlanItem {
    int32_t Kind;  // route object kind, or -1 for a point without objects
    IWptRouteObject *Object;
};
std::vector<TPlanItem> PlanSequence(IWptRoute *route) {
    std::vector<TPlanItem> out;
    for (int32_t i = 0; i < route->GetPointCount(); ++i) {
        IWptPlanPoint *plan = route->GetPoint(i)->GetPlanPoint();
        IWptRouteObjectList *list = plan && !route->GetPoint(i)->IsDirect() ? plan->GetObjects() : nullptr;
        if (!list || list->GetCount() == 0) {
            out.push_back({-1, nullptr});
            continue;
        }
        for (int32_t k = 0; k < list->GetCount(); ++k) out.push_back({list->GetItem(k)->GetKind(), list->GetItem(k)});
    }
    return out;
}

int32_t RowKindOf(int32_t objectKind) {
    switch (objectKind) {
    case WptRouteObjectKind::Turn: return RteNodeKind::Turn;
    case WptRouteObjectKind::Structure: return RteNodeKind::Structure;
    case WptRouteObjectKind::RoutePoint: return RteNodeKind::RoutePoint;
    case WptRouteObjectKind::SailingTimesStop: return RteNodeKind::SailingStop;
    case WptRouteObjectKind::Obstacle: return RteNodeKind::Obstacle;
    case WptRouteObjectKind::NoticeInterval: return RteNodeKind::Notice;
    case WptRouteObjectKind::Marina: return RteNodeKind::Marina;
    default: return RteNodeKind::RoutePoint;
    }
}

}  // namespace

TEST_F(RoutesFixture, HavenToDunmeerListsPointsAndStructuresInSailingOrder) {
    StartRun();
    IWptRoute *route = MarinaToMarina();
    ASSERT_TRUE(route);
    ASSERT_TRUE(RouteCheckAllPoints(route)) << "the demo route plans through";
    TFrameRoutes &f = MakeFrame();
    f.FillRouteList();
    f.SetRoute(route);

    const std::vector<TPlanItem> plan = PlanSequence(route);
    std::vector<int32_t> expected;
    for (const TPlanItem &p : plan) {
        expected.push_back(p.Kind < 0 ? RteNodeKind::RoutePoint : RowKindOf(p.Kind));
        if (p.Kind == WptRouteObjectKind::SailingTimesStop) expected.push_back(RteNodeKind::SailingStop);
    }
    std::vector<int32_t> kinds;
    for (const TRteNodeData &r : f.Rows()) kinds.push_back(r.Kind);
    EXPECT_EQ(kinds, expected);

    // The structures the demo route passes, by name, in sailing order, each with a structure
    // icon; the first and last rows are the two points, numbered 1 and 2.
    QStringList structures;
    for (int i = 0; i < int(f.Rows().size()); ++i) {
        const TRteNodeData &r = f.Rows()[size_t(i)];
        if (r.Kind != RteNodeKind::Structure) continue;
        structures << f.CellText(i, 1);
        EXPECT_GE(r.Icon, 9) << i;
        EXPECT_LE(r.Icon, 17) << i;
    }
    EXPECT_EQ(structures, QStringList({"Coast Road Bridge", "Orle Road Bridge", "Millbrook Bridge",
                                       "Low Orle Bridge", "Orle Weir", "Orle Railway Bridge",
                                       "Dunmeer Cut Bridge"}));
    const auto &rows = f.Rows();
    int first = -1, last = -1;
    for (int i = 0; i < int(rows.size()); ++i)
        if (rows[size_t(i)].Kind == RteNodeKind::RoutePoint) (first < 0 ? first : last) = i;
    ASSERT_GE(first, 0);
    ASSERT_GT(last, first);
    EXPECT_EQ(f.CellText(first, 0), "1");
    EXPECT_EQ(f.CellText(last, 0), "2");
    EXPECT_EQ(rows[size_t(last)].Point, route->GetPoint(1));
}

TEST_F(RoutesFixture, DirectRouteGivesOneNumberedRowPerPoint) {
    StartRun();
    IWptRoute *route = DirectRoute(4);
    TFrameRoutes &f = MakeFrame();
    f.FillRouteList();
    f.SetRoute(route);
    ASSERT_EQ(f.Rows().size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.Rows()[size_t(i)].Kind, RteNodeKind::RoutePoint);
        EXPECT_EQ(f.CellText(i, 0), QString::number(i + 1));
    }
}
