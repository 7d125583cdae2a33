// What the main window's commands, menus, toolbars and panels should show, computed from a
// plain snapshot of the program's state. The computation touches no widget and no library
// object, so every rule can be checked from a table of snapshots; the main window takes
// the snapshot, computes, and applies only the values that differ. GUI thread.
#pragma once

#include "base/texts/KvLanguage.h"

#include <array>
#include <cstdint>
#include <vector>

// The panels whose visibility the action states decide, in a fixed order.
enum class TStatePanel : uint8_t {
    AlarmZone, ProximityAlarm, AnchorGuard, ChartInfo, ChartLegend, ChartStatus, CoVadem,
    DepthViewer, GRIB, LinkDetails, LinkDetailsStruct, NavInfo, NavInfoCurrent, NavInfoRoute,
    Route, RouteSettings, NMEA, PolarDiagram, Simulation, TextMessages, Tides, TrackReplay,
    UserReport, ViewerExtra1, ViewerExtra2, ZoS, AISTargetInfo, AISTargetList,
    Count
};
inline constexpr int StatePanelCount = int(TStatePanel::Count);
// "DockablePanelChartInfo" and so on.
const char *StatePanelName(TStatePanel panel);

struct TActionSnapshot {
    bool LayoutReady = false;
    bool FullInterface = false;  // the full interface set-up has run
    int32_t Language = 1;
    // Own ship and environment.
    bool Calibrated = false;  // the main viewer shows a chart
    bool Navigating = false, Simulating = false;
    bool HasLogbook = false, LogbookRecording = false;
    bool HasPosition = false;
    bool SoundEnabled = false, DefaultRouteEnabled = false, RouteExploreMode = false;
    bool HomeSet = false, SignedUp = false, HasNetwork = false;
    bool HasSelectedRoute = false;
    bool ActiveRoute = false, ActiveRouteIsDefault = false;
    bool TableRoute = false;  // the route table shows a route
    int32_t TablePlanMode = -1;
    bool TableVectorsAllowed = false;  // the table route's slots 35, 37, 39 allow vectors
    // Main viewer.
    bool ViewerSelectedRoutePoint = false, ReplayingTrack = false, ShowLogbook = false;
    bool TrackingEnabled = false, S57PickAvailable = false, AnchorGuard = false;
    bool ShowVisibleTracks = false, SmartLabels = false, ShowChartBounds = false;
    int32_t ViewerEditMode = 0;
    uint32_t WaypointFlags = 0, NetworkFlags = 0, RouteFlags = 0, RouteEditFlags = 0;
    uint32_t AISFlags = 0, GRIBFlags = 0, TideFlags = 0, GPSFlags = 0;
    uint32_t S57DisplayFlags = 0;  // of viewer index 0
    int32_t ColorScheme = 0;
    bool NightScreen = false;
    // Main window.
    int EditMode = 0;
    bool FullScreen = false, ToolbarsLocked = false;
    bool MainToolbarShown = true, ChartToolbarShown = true, S57ToolbarShown = false;
    // The panels' shown flags; for the AIS panels their visibility.
    std::array<bool, StatePanelCount> PanelShown{};
    int LinkDetailsContent = 0;  // 8: an S-57 pick report
    bool ChartStatusFloating = false;
    // Per action row: its handler and what it needs are present.
    std::vector<bool> Available;
};

struct TActionState {
    bool Enabled = true, Checked = false, Visible = true;
    bool Checkable = false;  // the states decide its check mark
    int ImageIndex = -1;
    // A caption and hint of its own instead of the table's (nullptr: the table's).
    const TLanguageStrings *Caption = nullptr;
    bool NoShortCut = false;
};

struct TUiStates {
    std::vector<TActionState> Actions;  // parallel to the action table
    std::array<bool, StatePanelCount> PanelVisible{};
    bool ToolbarMain = true, ToolbarChart = true, ToolbarS57 = false, ToolbarRoute = false;
    bool ChartStatusResizable = false;
    bool HideLinkDetails = false;  // the S-57 pick report lost its pick
    bool UpdateOnlyCaption = false;  // the layout is not ready: nothing else applies
    // For the environment: the checked states of the two object-update layers.
    bool BlueWaveLayer = false, WaterMessagesLayer = false;
};

// The texts of the route start command in its two states.
extern const TLanguageStrings SStartSelectedRoute;
extern const TLanguageStrings SStopCurrentRoute;

TUiStates ComputeActionStates(const TActionSnapshot &s);
