// The chart view's context menu as a function of what lies under the mouse.
#include "chartview/ViewerContextMenu.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using C = TViewerMenuCommand;

const TViewerMenuItem *Find(const std::vector<TViewerMenuItem> &items, C command) {
    for (const TViewerMenuItem &item : items) {
        if (item.Command == command) return &item;
        if (const TViewerMenuItem *inner = Find(item.Items, command)) return inner;
    }
    return nullptr;
}

const TViewerMenuItem *FindSub(const std::vector<TViewerMenuItem> &items, const QString &caption) {
    for (const TViewerMenuItem &item : items)
        if (item.Command == C::SubMenu && item.Caption == caption) return &item;
    return nullptr;
}

TViewerHitSnapshot Calibrated() {
    TViewerHitSnapshot h;
    h.HasCalibration = true;
    h.CanZoom = true;
    h.CanMove = true;
    h.WaypointDialogAvailable = true;
    h.RoutePointDialogAvailable = true;
    return h;
}

// Stand-ins only compared by address.
IRasterChart *const ChartA = reinterpret_cast<IRasterChart *>(0x1000);
IRasterChart *const ChartB = reinterpret_cast<IRasterChart *>(0x2000);
IChart *const Cell = reinterpret_cast<IChart *>(0x3000);

}  // namespace

TEST(ViewerContextMenu, WithoutCalibrationTheMenuEndsAfterTheChartBorderItem) {
    TViewerHitSnapshot h;
    h.CanZoom = true;
    const auto menu = BuildViewerContextMenu(h);
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu.back().Command, C::ShowChartBorder);
    EXPECT_FALSE(menu.back().Enabled) << "no raster chart under the mouse";
    EXPECT_EQ(Find(menu, C::NavigateToMouse), nullptr);
    EXPECT_EQ(Find(menu, C::Properties), nullptr);

    const auto full = BuildViewerContextMenu(Calibrated());
    EXPECT_EQ(full.back().Command, C::Properties);
    ASSERT_NE(Find(full, C::NavigateToMouse), nullptr);
}

TEST(ViewerContextMenu, ChartsUnderTheMouseAreListedForOrderAndHiding) {
    TViewerHitSnapshot h = Calibrated();
    h.RasterCharts = {{QStringLiteral("1:50000, 1811 - Den Helder (Edition 3)"), ChartA, nullptr},
                      {QStringLiteral("1:12500, 1811.2 - Texel (Edition 1)"), ChartB, nullptr}};
    h.S57Charts = {{QStringLiteral("1:22000, 1R7EM001"), nullptr, Cell}};
    const auto menu = BuildViewerContextMenu(h);

    const TViewerMenuItem *front = FindSub(menu, QStringLiteral("Bring to front"));
    ASSERT_NE(front, nullptr);
    EXPECT_TRUE(front->Enabled);
    ASSERT_EQ(front->Items.size(), 2u);
    EXPECT_EQ(front->Items[0].Caption, QStringLiteral("1:50000, 1811 - Den Helder (Edition 3)"));
    EXPECT_EQ(front->Items[0].Raster, ChartA);
    EXPECT_EQ(front->Items[1].Raster, ChartB);

    const TViewerMenuItem *hide = FindSub(menu, QStringLiteral("Hide chart"));
    ASSERT_NE(hide, nullptr);
    ASSERT_EQ(hide->Items.size(), 3u);
    EXPECT_EQ(hide->Items[0].Command, C::HideChart);
    EXPECT_EQ(hide->Items[2].Command, C::HideS57Chart);
    EXPECT_EQ(hide->Items[2].S57, Cell);
    EXPECT_EQ(hide->Items[2].Caption, QStringLiteral("1:22000, 1R7EM001"));
    EXPECT_TRUE(Find(menu, C::SendToBack)->Enabled);

    // Nothing under the mouse: both sub-menus and "Send to back" are disabled.
    const auto empty = BuildViewerContextMenu(Calibrated());
    EXPECT_FALSE(FindSub(empty, QStringLiteral("Bring to front"))->Enabled);
    EXPECT_FALSE(FindSub(empty, QStringLiteral("Hide chart"))->Enabled);
    EXPECT_FALSE(Find(empty, C::SendToBack)->Enabled);
}

TEST(ViewerContextMenu, TheBorderItemFollowsTheFocusChart) {
    TViewerHitSnapshot h = Calibrated();
    h.RasterCharts = {{QStringLiteral("A"), ChartA, nullptr}};
    h.FocusChart = ChartA;
    h.FocusBorderHidden = false;
    const TViewerMenuItem *hide = Find(BuildViewerContextMenu(h), C::HideChartBorder);
    ASSERT_NE(hide, nullptr);
    EXPECT_EQ(hide->Raster, ChartA);
    h.FocusBorderHidden = true;
    EXPECT_NE(Find(BuildViewerContextMenu(h), C::ShowChartBorder), nullptr);
    EXPECT_EQ(Find(BuildViewerContextMenu(h), C::HideChartBorder), nullptr);
}

TEST(ViewerContextMenu, EnablingRules) {
    struct Case {
        const char *what;
        std::function<void(TViewerHitSnapshot &)> set;
        C command;
        bool enabled;
    };
    const Case cases[] = {
        {"route under the mouse can be started", [](auto &h) { h.RouteAtMouse = true; }, C::StartRoute, true},
        {"the active route cannot be started again",
         [](auto &h) { h.RouteAtMouse = h.RouteIsActive = true; }, C::StartRoute, false},
        {"no route: no start", [](auto &) {}, C::StartRoute, false},
        {"open route can be edited", [](auto &h) { h.RouteAtMouse = true; }, C::EditRoute, true},
        {"protected route cannot be edited",
         [](auto &h) { h.RouteAtMouse = h.RouteProtected = true; }, C::EditRoute, false},
        {"read-only route cannot be deleted",
         [](auto &h) { h.RouteAtMouse = h.RouteReadOnly = true; }, C::DeleteRoute, false},
        {"the route being edited is not edited again",
         [](auto &h) { h.RouteAtMouse = h.RouteIsEdited = true; }, C::EditRoute, false},
        {"the route being edited can be deleted",
         [](auto &h) { h.RouteAtMouse = h.RouteIsEdited = true; }, C::DeleteRoute, true},
        {"point of the followed route",
         [](auto &h) { h.RouteAtMouse = h.RoutePointOfActiveRoute = true; }, C::NavigateToRoutePoint, true},
        {"point of a read-only followed route",
         [](auto &h) { h.RouteAtMouse = h.RoutePointOfActiveRoute = h.RouteReadOnly = true; },
         C::NavigateToRoutePoint, false},
        {"edited route point can be deleted", [](auto &h) { h.EditedRoutePointHit = true; }, C::DeleteRoutePoint, true},
        {"route point settings need the point", [](auto &) {}, C::RoutePointSettings, false},
        {"route point settings need their dialog",
         [](auto &h) { h.EditedRoutePointHit = true; h.RoutePointDialogAvailable = false; },
         C::RoutePointSettings, false},
        {"stop needs a followed route that is not the default", [](auto &) {}, C::StopRoute, false},
        {"stop a followed route", [](auto &h) { h.ActiveRouteStoppable = true; }, C::StopRoute, true},
        {"new waypoint with its dialog", [](auto &) {}, C::NewWaypoint, true},
        {"new waypoint without its dialog", [](auto &h) { h.WaypointDialogAvailable = false; }, C::NewWaypoint, false},
        {"protected waypoint cannot be deleted",
         [](auto &h) { h.WaypointAtMouse = h.WaypointProtected = true; }, C::DeleteWaypoint, false},
        {"waypoint can be deleted", [](auto &h) { h.WaypointAtMouse = true; }, C::DeleteWaypoint, true},
        {"waypoint cannot be edited without its dialog",
         [](auto &h) { h.WaypointAtMouse = true; h.WaypointDialogAvailable = false; }, C::EditWaypoint, false},
        {"navigate to waypoint", [](auto &h) { h.WaypointAtMouse = true; }, C::NavigateToWaypoint, true},
        {"not while editing waypoints",
         [](auto &h) { h.WaypointAtMouse = true; h.EditMode = 1; }, C::NavigateToWaypoint, false},
        {"alarm zone", [](auto &h) { h.AlarmZoneAtMouse = true; }, C::DeleteAlarmZone, true},
        {"distance point in distance mode",
         [](auto &h) { h.DistancePointAtMouse = true; h.EditMode = 3; }, C::DeleteDistancePoint, true},
        {"distance point in another mode", [](auto &h) { h.DistancePointAtMouse = true; },
         C::DeleteDistancePoint, false},
        {"find GPS needs a position", [](auto &) {}, C::FindGPSPosition, false},
        {"find GPS", [](auto &h) { h.OwnShipHasPosition = true; }, C::FindGPSPosition, true},
        {"set GPS while not navigating", [](auto &) {}, C::SetGPSPosition, true},
        {"set GPS while navigating", [](auto &h) { h.OwnShipNavigating = true; }, C::SetGPSPosition, false},
        {"tracking position while tracking", [](auto &h) { h.Tracking = true; }, C::SetGPSTrackingPosition, true},
        {"tracking position with automatic position",
         [](auto &h) { h.Tracking = h.TrackingAutoPos = true; }, C::SetGPSTrackingPosition, false},
        {"tracking position in an edit mode",
         [](auto &h) { h.Tracking = true; h.EditMode = 2; }, C::SetGPSTrackingPosition, false},
        {"upright needs a focus chart", [](auto &) {}, C::PutChartUpright, false},
        {"upright", [](auto &h) { h.FocusChart = ChartA; }, C::PutChartUpright, true},
        {"upright not while tracking", [](auto &h) { h.FocusChart = ChartA; h.Tracking = true; },
         C::PutChartUpright, false},
        {"reset order with a front chart", [](auto &h) { h.FrontOrBackChartSet = true; }, C::ResetChartOrder, true},
        {"zoom 100 %", [](auto &h) { h.CanZoom = false; }, C::Zoom100, false},
    };
    for (const Case &c : cases) {
        TViewerHitSnapshot h = Calibrated();
        c.set(h);
        const TViewerMenuItem *item = Find(BuildViewerContextMenu(h), c.command);
        ASSERT_NE(item, nullptr) << c.what;
        EXPECT_EQ(item->Enabled, c.enabled) << c.what;
    }
}
