// The chart view's context menu as data: what lay under the mouse at the right-click (a hit
// snapshot) gives the items, their order and their enabled states. The frame turns the items
// into a QMenu and runs the chosen command; nothing here touches a widget.
#pragma once

#include <KvLibNav6/KvCharts.h>

#include <QString>
#include <vector>

// A chart under the mouse with the caption its menu items show.
struct TViewerMenuChart {
    QString Caption;
    IRasterChart *Raster = nullptr;
    IChart *S57 = nullptr;
};

struct TViewerHitSnapshot {
    std::vector<TViewerMenuChart> RasterCharts;  // raster charts under the mouse
    std::vector<TViewerMenuChart> S57Charts;     // S-57 charts under the mouse
    IRasterChart *FocusChart = nullptr;
    bool FocusBorderHidden = false;
    bool FrontOrBackChartSet = false;
    bool Tracking = false;
    bool CanZoom = false;
    bool HasCalibration = false;
    // A route under the mouse and what it is.
    bool RouteAtMouse = false;
    bool RouteProtected = false;
    bool RouteReadOnly = false;
    bool RouteIsEdited = false;
    bool RouteIsActive = false;
    // A route point under the mouse of the route being followed.
    bool RoutePointOfActiveRoute = false;
    // The route-edit hit is a route point of the route being edited.
    bool EditedRoutePointHit = false;
    // A route is being followed that is not the default route.
    bool ActiveRouteStoppable = false;
    bool WaypointAtMouse = false;
    bool WaypointProtected = false;
    int32_t EditMode = 0;
    bool AlarmZoneAtMouse = false;
    bool DistancePointAtMouse = false;
    bool CanMove = false;
    bool OwnShipHasPosition = false;
    bool OwnShipNavigating = false;
    bool TrackingAutoPos = false;
    // Whether the dialogs these items open are part of the program yet.
    bool WaypointDialogAvailable = false;
    bool RoutePointDialogAvailable = false;
};

enum class TViewerMenuCommand {
    Separator,
    SubMenu,
    BringToFront,
    SendToBack,
    ResetChartOrder,
    HideChart,
    HideS57Chart,
    PutChartUpright,
    Zoom100,
    ShowChartBorder,
    HideChartBorder,
    NavigateToMouse,
    NewRoute,
    EditRoute,
    DeleteRoute,
    NavigateToRoutePoint,
    DeleteRoutePoint,
    RoutePointSettings,
    StartRoute,
    StopRoute,
    NewWaypoint,
    EditWaypoint,
    DeleteWaypoint,
    NavigateToWaypoint,
    DeleteAlarmZone,
    DeleteDistancePoint,
    FindGPSPosition,
    SetGPSPosition,
    SetGPSTrackingPosition,
    Properties,
};

struct TViewerMenuItem {
    TViewerMenuCommand Command = TViewerMenuCommand::Separator;
    QString Caption;
    bool Enabled = true;
    // The chart the item acts on (bring to front, hide chart, chart border).
    IRasterChart *Raster = nullptr;
    IChart *S57 = nullptr;
    std::vector<TViewerMenuItem> Items;  // of a sub-menu
};

// The menu for a snapshot, in the current language.
std::vector<TViewerMenuItem> BuildViewerContextMenu(const TViewerHitSnapshot &hit);

// The caption of a command's item in the current language (empty for separators and
// chart items).
QString ViewerMenuCaption(TViewerMenuCommand command);
