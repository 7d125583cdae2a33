// The chart view's texts in eight languages: toolbar hints, action captions, context-menu
// captions and the messages of its commands.
#pragma once

#include "base/texts/KvLanguage.h"

namespace ViewerText {
// Main toolbar.
extern const TLanguageStrings GPSTracking;
extern const TLanguageStrings LockAt100;
extern const TLanguageStrings NorthUpTracking;
extern const TLanguageStrings AutoCursorPosition;
extern const TLanguageStrings ZoomIn;
extern const TLanguageStrings ZoomOutHint;
extern const TLanguageStrings DistanceCircles;
extern const TLanguageStrings SelectChart;
extern const TLanguageStrings ChartManager;
// S-57 toolbar.
extern const TLanguageStrings S57PickReport;
extern const TLanguageStrings DisplayCategory;
extern const TLanguageStrings S57SCAMIN;
extern const TLanguageStrings S57Labels;
extern const TLanguageStrings S57Soundings;
extern const TLanguageStrings S57NoticeMarks;
extern const TLanguageStrings S57bENCs;
extern const TLanguageStrings WaterLevelOffset;
extern const TLanguageStrings DisplayCategoryMessage;  // "Display category %s"
// Context menu and the main window's menu.
extern const TLanguageStrings PutChartUpright;
extern const TLanguageStrings HideChartBorder;
extern const TLanguageStrings ShowChartBorder;
extern const TLanguageStrings FindGPSPosition;
extern const TLanguageStrings SetGPSPosition;
extern const TLanguageStrings SetGPSTrackingPosition;
extern const TLanguageStrings ResetChartOrder;
extern const TLanguageStrings SendToBack;
extern const TLanguageStrings ZoomTo100;
extern const TLanguageStrings ClearDistance;
extern const TLanguageStrings DeleteDistancePoint;
extern const TLanguageStrings NavigateToMouse;
extern const TLanguageStrings DeleteAlarmZone;
extern const TLanguageStrings StopRoute;
extern const TLanguageStrings DeleteRoute;
extern const TLanguageStrings EditRoute;
extern const TLanguageStrings NewRoute;
extern const TLanguageStrings DeleteRoutePoint;
extern const TLanguageStrings RoutePointSettings;
extern const TLanguageStrings NavigateToRoutePoint;
extern const TLanguageStrings StartRoute;
extern const TLanguageStrings DeleteWaypoint;
extern const TLanguageStrings EditWaypoint;
extern const TLanguageStrings NavigateToWaypoint;
extern const TLanguageStrings NewWaypoint;
extern const TLanguageStrings Properties;
extern const TLanguageStrings BringToFront;
extern const TLanguageStrings HideChart;
extern const TLanguageStrings Route;
extern const TLanguageStrings Waypoint;
extern const TLanguageStrings GPS;
// Messages.
extern const TLanguageStrings ConfirmDeleteWaypoint;  // "... waypoint '%s'?"
extern const TLanguageStrings CannotDeleteWaypoint;   // "...\r\n\r\n%s"
}  // namespace ViewerText
