// The route table while the demo route is followed on the simulator: the row the ship heads
// for is marked and at the top; pictures by day and by night.
#include "RoutesFixture.h"

#include "tests/shell/ShellTestSupport.h"
#include "base/graphics/KvNightScreen.h"

#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvPlanner.h>

#include <QTreeView>

using routestest::RoutesFixture;

namespace {

// Filter masks against hand-made rows: which of them each filter shows.
struct TRowCase {
    const char *Name;
    TRteNodeData Row;
};

TRteNodeData Row(int32_t kind, int32_t block = -1, int32_t structKind = -1, bool needsOp = false) {
    TRteNodeData r;
    r.Kind = kind;
    r.HasItem = kind != RteNodeKind::RoutePoint;
    r.BlockReason = block;
    r.StructKind = structKind;
    r.NeedsOperation = needsOp;
    return r;
}

}  // namespace

TEST(RouteRowFilters, EachFilterShowsItsRows) {
    const std::vector<TRowCase> rows = {
        {"point", Row(RteNodeKind::RoutePoint)},
        {"turn", Row(RteNodeKind::Turn)},
        {"blocked turn", Row(RteNodeKind::Turn, 1)},
        {"bridge", Row(RteNodeKind::Structure, 0, 1)},
        {"lock", Row(RteNodeKind::Structure, 0, 3)},
        {"bridge to operate", Row(RteNodeKind::Structure, 0, 1, true)},
        {"other structure to operate", Row(RteNodeKind::Structure, 0, 2, true)},
        {"other structure", Row(RteNodeKind::Structure, 0, 2)},
        {"blocked structure", Row(RteNodeKind::Structure, 4, 2)},
        {"stop", Row(RteNodeKind::SailingStop)},
        {"obstacle", Row(RteNodeKind::Obstacle)},
        {"notice", Row(RteNodeKind::Notice)},
        {"marina", Row(RteNodeKind::Marina)},
    };
    const std::vector<std::pair<int, std::vector<std::string>>> expected = {
        {RteFilter::All,
         {"point", "turn", "blocked turn", "bridge", "lock", "bridge to operate",
          "other structure to operate", "other structure", "blocked structure", "stop", "obstacle",
          "notice", "marina"}},
        {RteFilter::BridgesAndLocks,
         {"point", "blocked turn", "bridge", "lock", "bridge to operate", "other structure to operate",
          "blocked structure", "obstacle"}},
        {RteFilter::BridgesToOperate,
         {"point", "blocked turn", "bridge to operate", "other structure to operate",
          "blocked structure", "obstacle"}},
        {RteFilter::RoutePointsOnly, {"point"}},
        {RteFilter::ObstaclesOnly, {"point", "blocked turn", "blocked structure", "obstacle"}},
    };
    for (const auto &[filter, names] : expected) {
        std::vector<std::string> shown;
        for (const TRowCase &c : rows)
            if (RteRowVisible(c.Row, RteFilterMask(filter))) shown.push_back(c.Name);
        EXPECT_EQ(shown, names) << "filter " << filter;
    }
    EXPECT_EQ(RteFilterMask(7), RteFilterMask(RteFilter::All));
}

TEST(RouteRowFilters, HeadingForRowSkipsToTheNextVisibleRow) {
    std::vector<TRteNodeData> rows(5);
    for (int i = 0; i < 5; ++i) {
        rows[size_t(i)] = Row(i == 0 || i == 4 ? RteNodeKind::RoutePoint : RteNodeKind::Turn);
        rows[size_t(i)].PlanIndex = 1;
        rows[size_t(i)].ObjectIndex = i;
    }
    rows[2].Visible = false;
    TRteCurrent current;
    current.PlanIndex = 1;
    current.ObjectIndex = 2;
    EXPECT_EQ(RteHeadingForRow(rows, current), 3) << "the hidden current object's next visible row";
    EXPECT_TRUE(RteRowMarkedCurrent(rows, 3, current));
    EXPECT_FALSE(RteRowMarkedCurrent(rows, 1, current));
    current.ObjectIndex = 1;
    EXPECT_EQ(RteHeadingForRow(rows, current), 1);
    current.PlanIndex = 0;
    EXPECT_EQ(RteHeadingForRow(rows, current), -1) << "same object index in another leg";
    IWptRoutePoint *target = reinterpret_cast<IWptRoutePoint *>(0x10);
    rows[4].Point = target;
    current.Target = target;
    EXPECT_EQ(RteHeadingForRow(rows, current), 4);
}

TEST_F(RoutesFixture, FollowedRouteMarksTheRowTheShipHeadsFor) {
    NightScreen()->SetActive(false);
    StartRun();
    TGeoPoint start{};
    IWptRoute *route = MarinaToMarina(&start);
    ASSERT_TRUE(route);
    // The own ship on the upper river, some objects into the route.
    IWptRouteObjectList *plan = route->GetPoint(1)->GetPlanPoint()->GetObjects();
    ASSERT_GT(plan->GetCount(), 12);
    IWptRouteObject *ahead = plan->GetItem(12);
    ASSERT_TRUE(ahead->GetLeg() && ahead->GetLeg()->GetSection());
    Env->Boat->SetPosition(routetest::OnSection(ahead->GetLeg()->GetSection(), ahead->GetPosition()));
    Env->ActivateRoute(route->GetPoint(1), true, 0.0, 0.0);
    routetest::DeliverPosted();
    ASSERT_EQ(Env->GetActiveRoute(), route);
    ASSERT_TRUE(Env->StartNavigation(true));
    INavRouteNavigation *nav = Env->GetRouteNavigation();
    ASSERT_TRUE(nav);
    for (int i = 0; i < 60 && (!nav->GetNavData() || !nav->GetNavData()->NetworkPosition); ++i)
        Env->Loop->Advance(1.0f);
    routetest::DeliverPosted();
    ASSERT_TRUE(nav->GetNavData()->Objects);
    ASSERT_GE(nav->GetNavData()->FirstObjectAhead, 6);

    TFrameRoutes &f = MakeFrame();
    f.FillRouteList();
    f.SetRoute(route);
    Host->resize(1000, 400);
    QCoreApplication::processEvents();
    const int heading = f.HeadingForRow();
    ASSERT_GE(heading, 6);
    const TRteNodeData &row = f.Rows()[size_t(heading)];
    EXPECT_EQ(row.ObjectIndex, nav->GetNavData()->FirstObjectAhead);
    f.RebuildRows();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Tree()->indexAt(QPoint(5, 2)).row(), heading) << "scrolled to the top";

    // The marked row takes the current-vector colour; the others keep the view's.
    QStyleOptionViewItem option;
    option.palette = f.Tree()->palette();
    const auto marked = f.Delegate()->ColorsOf(option, f.Tree()->model()->index(heading, 1));
    const auto other = f.Delegate()->ColorsOf(option, f.Tree()->model()->index(heading + 1, 1));
    EXPECT_TRUE(marked.Background.isValid());
    EXPECT_FALSE(other.Background.isValid());
    EXPECT_EQ(marked.Text, QColor(Qt::black)) << "the current object's text";

    // The one-second tick repaints from the rows' copies; a replan in between is harmless.
    f.UpdateValues();
    Env->RecalculateRoute(route, false);
    f.UpdateValues();
    routetest::DeliverPosted();
    for (int i = 0; i < 5 && nav->GetNavData()->FirstObjectAhead < 0; ++i) Env->Loop->Advance(1.0f);
    f.RebuildRows();
    f.repaint();

    const QImage day = Host->grab().toImage();
    shelltest::SaveScreenshot(day, QStringLiteral("routes-table-followed-day"));
    const QRect top = f.Tree()->visualRect(f.Tree()->model()->index(f.HeadingForRow(), 26));
    const QPoint inMarked = f.Tree()->viewport()->mapTo(Host.get(), top.center() + QPoint(top.width() / 2 - 3, 0));
    EXPECT_EQ(QColor(day.pixel(inMarked)), QColor(0xC0, 0x00, 0xC0)) << "the marked row's background";
    NightScreen()->SetActive(true);
    QCoreApplication::processEvents();
    const QImage night = Host->grab().toImage();
    NightScreen()->SetActive(false);
    shelltest::SaveScreenshot(night, QStringLiteral("routes-table-followed-night"));
    EXPECT_LT(qGray(night.pixel(500, 300)), qGray(day.pixel(500, 300)));
}
