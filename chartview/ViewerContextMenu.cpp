#include "chartview/ViewerContextMenu.h"

#include "chartview/FraViewerTexts.h"

#include <map>

namespace {

using C = TViewerMenuCommand;
using Items = std::vector<TViewerMenuItem>;

TViewerMenuItem Item(C command, bool enabled) {
    TViewerMenuItem item;
    item.Command = command;
    item.Caption = ViewerMenuCaption(command);
    item.Enabled = enabled;
    return item;
}

TViewerMenuItem Separator() {
    return TViewerMenuItem{};
}

TViewerMenuItem SubMenu(const TLanguageStrings &caption, bool enabled, Items items) {
    TViewerMenuItem item;
    item.Command = C::SubMenu;
    item.Caption = LanguageText(caption);
    item.Enabled = enabled;
    item.Items = std::move(items);
    return item;
}

TViewerMenuItem ChartItem(C command, const TViewerMenuChart &chart) {
    TViewerMenuItem item;
    item.Command = command;
    item.Caption = chart.Caption;
    item.Raster = chart.Raster;
    item.S57 = chart.S57;
    return item;
}

TViewerMenuItem RouteMenu(const TViewerHitSnapshot &h) {
    const bool routeOpen = h.RouteAtMouse && !h.RouteProtected && !h.RouteReadOnly;
    return SubMenu(ViewerText::Route, true,
                   {Item(C::NewRoute, true), Separator(),
                    Item(C::EditRoute, routeOpen && !h.RouteIsEdited),
                    Item(C::DeleteRoute, routeOpen), Separator(),
                    Item(C::NavigateToRoutePoint,
                         h.RoutePointOfActiveRoute && h.RouteAtMouse && !h.RouteReadOnly),
                    Item(C::DeleteRoutePoint, h.EditedRoutePointHit),
                    Item(C::RoutePointSettings,
                         h.EditedRoutePointHit && h.RoutePointDialogAvailable),
                    Separator(), Item(C::StartRoute, h.RouteAtMouse && !h.RouteIsActive),
                    Item(C::StopRoute, h.ActiveRouteStoppable), Separator()});
}

TViewerMenuItem WaypointMenu(const TViewerHitSnapshot &h) {
    const bool open = h.WaypointAtMouse && !h.WaypointProtected;
    return SubMenu(ViewerText::Waypoint, true,
                   {Item(C::NewWaypoint, h.WaypointDialogAvailable), Separator(),
                    Item(C::EditWaypoint, open && h.WaypointDialogAvailable),
                    Item(C::DeleteWaypoint, open), Separator(),
                    Item(C::NavigateToWaypoint, h.WaypointAtMouse && h.EditMode != 1),
                    Item(C::DeleteAlarmZone, h.AlarmZoneAtMouse)});
}

TViewerMenuItem GPSMenu(const TViewerHitSnapshot &h) {
    return SubMenu(ViewerText::GPS, true,
                   {Item(C::FindGPSPosition, h.CanMove && h.OwnShipHasPosition),
                    Item(C::SetGPSPosition, !h.OwnShipNavigating),
                    Item(C::SetGPSTrackingPosition,
                         h.EditMode == 0 && h.Tracking && !h.TrackingAutoPos)});
}

}  // namespace

QString ViewerMenuCaption(TViewerMenuCommand command) {
    static const std::map<C, const TLanguageStrings *> captions{
        {C::SendToBack, &ViewerText::SendToBack},
        {C::ResetChartOrder, &ViewerText::ResetChartOrder},
        {C::PutChartUpright, &ViewerText::PutChartUpright},
        {C::Zoom100, &ViewerText::ZoomTo100},
        {C::ShowChartBorder, &ViewerText::ShowChartBorder},
        {C::HideChartBorder, &ViewerText::HideChartBorder},
        {C::NavigateToMouse, &ViewerText::NavigateToMouse},
        {C::NewRoute, &ViewerText::NewRoute},
        {C::EditRoute, &ViewerText::EditRoute},
        {C::DeleteRoute, &ViewerText::DeleteRoute},
        {C::NavigateToRoutePoint, &ViewerText::NavigateToRoutePoint},
        {C::DeleteRoutePoint, &ViewerText::DeleteRoutePoint},
        {C::RoutePointSettings, &ViewerText::RoutePointSettings},
        {C::StartRoute, &ViewerText::StartRoute},
        {C::StopRoute, &ViewerText::StopRoute},
        {C::NewWaypoint, &ViewerText::NewWaypoint},
        {C::EditWaypoint, &ViewerText::EditWaypoint},
        {C::DeleteWaypoint, &ViewerText::DeleteWaypoint},
        {C::NavigateToWaypoint, &ViewerText::NavigateToWaypoint},
        {C::DeleteAlarmZone, &ViewerText::DeleteAlarmZone},
        {C::DeleteDistancePoint, &ViewerText::DeleteDistancePoint},
        {C::FindGPSPosition, &ViewerText::FindGPSPosition},
        {C::SetGPSPosition, &ViewerText::SetGPSPosition},
        {C::SetGPSTrackingPosition, &ViewerText::SetGPSTrackingPosition},
        {C::Properties, &ViewerText::Properties},
    };
    auto it = captions.find(command);
    return it == captions.end() ? QString() : LanguageText(*it->second);
}

std::vector<TViewerMenuItem> BuildViewerContextMenu(const TViewerHitSnapshot &h) {
    const bool raster = !h.RasterCharts.empty();
    Items front, hide;
    for (const TViewerMenuChart &c : h.RasterCharts) {
        front.push_back(ChartItem(C::BringToFront, c));
        hide.push_back(ChartItem(C::HideChart, c));
    }
    for (const TViewerMenuChart &c : h.S57Charts) hide.push_back(ChartItem(C::HideS57Chart, c));

    Items menu;
    menu.push_back(SubMenu(ViewerText::BringToFront, raster, std::move(front)));
    menu.push_back(Item(C::SendToBack, raster));
    menu.push_back(Item(C::ResetChartOrder, h.FrontOrBackChartSet));
    menu.push_back(Separator());
    menu.push_back(SubMenu(ViewerText::HideChart, raster || !h.S57Charts.empty(), std::move(hide)));
    menu.push_back(Separator());
    menu.push_back(Item(C::PutChartUpright, h.FocusChart && !h.Tracking));
    menu.push_back(Item(C::Zoom100, h.CanZoom));
    TViewerMenuItem border = Item(!h.FocusChart || h.FocusBorderHidden ? C::ShowChartBorder
                                                                       : C::HideChartBorder,
                                  raster);
    border.Raster = h.FocusChart;
    menu.push_back(border);
    if (!h.HasCalibration) return menu;

    menu.push_back(Separator());
    menu.push_back(Item(C::NavigateToMouse, true));
    menu.push_back(RouteMenu(h));
    menu.push_back(WaypointMenu(h));
    menu.push_back(Separator());
    menu.push_back(Item(C::DeleteDistancePoint, h.DistancePointAtMouse && h.EditMode == 3));
    menu.push_back(Separator());
    menu.push_back(GPSMenu(h));
    menu.push_back(Separator());
    menu.push_back(Item(C::Properties, true));
    return menu;
}
