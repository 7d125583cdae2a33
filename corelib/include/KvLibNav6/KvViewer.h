// Chart viewers: the drawing engine and its resource folders, tile managers, the chart
// data cache, the plain chart viewer and the navigation viewer built on it.
//
// A viewer renders raster and S-57 charts, the waterway network, waypoints, routes,
// tracks, alarm zones, the own ship and the user notifications into the 32-bit bitmap its
// control hands to Render, keeps the view (position, scale, rotation), answers hit tests
// and raises viewer and object events.
//
// Units: positions in radians (TGeoPoint); pixel points in view pixels (TDouble2, or TPoint
// where stated) with x right and y down; rotation angles in radians; colours $AARRGGBB;
// times TDateTime (UTC); scales are denominators (1:scale).
//
// Every call and callback happens on the GUI thread. Background chart loading reaches the
// GUI only through the invalidate/repaint callbacks and the two messages in ViewerMessage.
// Getters that return a pointer to a record (position, point) return a record owned by the
// viewer: callers copy it at once.
#pragma once

#include <cstdint>

#include "KvCallbacks.h"
#include "KvStrW.h"
#include "KvTypes.h"

class IBmp32;
class IGeodeticCalibration;
class IChart;
class IRasterChart;
class IS52PresentationLib;
class IS57ChartLoader;
class INavEnv;
class INavBoat;
class INavPredictedTime;
class INavNotificationCenter;
class INavScaleInfo;
class INavStructOperationManager;
class INavTrack;
class INavTrackList;
class INavActiveTrackSource;
class IWptManager;
class IWptDatabase;
class IWptRoute;
class IWptRoutePoint;
class IWptWaypoint;
class IWptPolygon;
class IWptPolygonList;
class IWptRouteList;
class IWptWaypointList;
class IWWNetwork;
class IWWSection;
class IWWStruct;

// Kinds of TViewerEvent raised through INavViewer::SetViewerEventHandler (0..19). The
// kinds not named here report state changes without an object the program reads.
namespace ViewerEventKind {
inline constexpr int32_t OwnShipMovedByHand = 0;
inline constexpr int32_t RasterChartShown = 1;     // Object: the IRasterChart
inline constexpr int32_t ReplayTimeChanged = 10;
inline constexpr int32_t Redraw = 12;
inline constexpr int32_t ReportPointChosen = 17;   // the position is GetMousePosition
inline constexpr int32_t S57ChartShown = 18;       // Object: the IChart
inline constexpr int32_t HomePositionSet = 19;
inline constexpr int32_t Count = 20;
}  // namespace ViewerEventKind

// Kinds of TViewerEvent raised through INavViewer::SetObjectEventHandler when the user acts
// on an object in the view (0..17). Object is owned by the viewer's data.
namespace ObjectEventKind {
inline constexpr int32_t Chart = 1;           // an IRasterChart (use its GetChartObject)
inline constexpr int32_t Route = 4;           // IWptRoute
inline constexpr int32_t RoutePoint = 5;      // IWptRoutePoint
inline constexpr int32_t Waypoint = 7;        // IWptWaypoint
inline constexpr int32_t Notice = 10;         // a notice to skippers; then SetSectionClickPoint
inline constexpr int32_t WaterReport = 12;    // then SetWaterReportClickPoint
inline constexpr int32_t S57Object = 13;      // IS57Object of the pick
inline constexpr int32_t Content = 14;        // then SetObjectClickPoint
inline constexpr int32_t Other = 15;          // then SetOtherClickPoint
inline constexpr int32_t ReportPosition = 17; // a click while SetSelectingReportPoint(true)
inline constexpr int32_t Count = 18;
}  // namespace ObjectEventKind

// Messages the viewer posts to the window it was given (SetWindow / the factories).
namespace ViewerMessage {
inline constexpr uint32_t UpdateView = 0x2500;   // the control calls UpdateView
inline constexpr uint32_t ChartLoaded = 0x2502;  // value → HandleChartLoaded, then RefreshCharts
}  // namespace ViewerMessage

// Mouse buttons and shift-state bits of MouseDown/MouseUp/MouseMove.
namespace ViewerMouseButton {
inline constexpr int32_t Left = 0;
inline constexpr int32_t Right = 1;
inline constexpr int32_t Middle = 2;
}  // namespace ViewerMouseButton

namespace ViewerShiftState {
inline constexpr uint32_t Shift = 0x1;
inline constexpr uint32_t Alt = 0x2;
inline constexpr uint32_t Ctrl = 0x4;
inline constexpr uint32_t LeftButton = 0x8;
inline constexpr uint32_t RightButton = 0x10;
inline constexpr uint32_t MiddleButton = 0x20;
inline constexpr uint32_t DoubleClick = 0x40;
}  // namespace ViewerShiftState

// INavViewer::GetEditMode/SetEditMode. There is no mode 5; unknown values are ignored.
namespace NavViewerEditMode {
inline constexpr int32_t None = 0;
inline constexpr int32_t Waypoints = 1;
inline constexpr int32_t Routes = 2;
inline constexpr int32_t Distance = 3;
inline constexpr int32_t AlarmZones = 6;
}  // namespace NavViewerEditMode

// INavViewer tracking modes (the settings store keeps mode + 1).
namespace NavViewerTrackingMode {
inline constexpr int32_t ChartUp = 1;
inline constexpr int32_t CourseUp = 2;
inline constexpr int32_t HeadUp = 3;
inline constexpr int32_t LegUp = 4;
inline constexpr int32_t NorthUp = 5;
inline constexpr int32_t WindDown = 6;
}  // namespace NavViewerTrackingMode

namespace NavViewerTrackingTarget {
inline constexpr int32_t GPSPosition = 0;
inline constexpr int32_t PredictedPosition = 1;  // predicted position on the route
}  // namespace NavViewerTrackingTarget

// INavViewer::GetMouseState values during which the pan hand is shown.
namespace NavViewerMouseState {
inline constexpr int32_t Pan = 1;
inline constexpr int32_t DragView = 19;
}  // namespace NavViewerMouseState

// INavViewer::GetRouteEditFlags/SetRouteEditFlags.
namespace NavViewerRouteEditFlag {
inline constexpr uint32_t Add = 0x1;
inline constexpr uint32_t Delete = 0x2;
inline constexpr uint32_t Move = 0x4;
inline constexpr uint32_t Vectors = 0x8;
}  // namespace NavViewerRouteEditFlag

// INavViewer::GetRouteFlags/SetRouteFlags.
namespace NavViewerRouteFlag {
inline constexpr uint32_t Routes = 0x1;
inline constexpr uint32_t NameLabels = 0x2;
inline constexpr uint32_t PointNameLabels = 0x4;
inline constexpr uint32_t TotalDistanceLabels = 0x8;
}  // namespace NavViewerRouteFlag

// INavViewer::GetRouteExtraFlags/SetRouteExtraFlags.
namespace NavViewerRouteExtraFlag {
inline constexpr uint32_t TimeLabels = 0x1;
inline constexpr uint32_t Vectors = 0x2;
inline constexpr uint32_t VectorLabels = 0x4;
inline constexpr uint32_t LegInfo = 0x8;
inline constexpr uint32_t LegInfoValues = 0x20;  // set together with LegInfo
inline constexpr uint32_t LegType = 0x80;
inline constexpr uint32_t Depths = 0x100;
inline constexpr uint32_t DepthLabels = 0x200;
inline constexpr uint32_t GreatCircles = 0x400;
inline constexpr uint32_t Plumbline = 0x800;
}  // namespace NavViewerRouteExtraFlag

// INavViewer::GetWaypointFlags/SetWaypointFlags.
namespace NavViewerWaypointFlag {
inline constexpr uint32_t Waypoints = 0x1;
inline constexpr uint32_t NameLabels = 0x2;
inline constexpr uint32_t NameLabelsBig = 0x20;
inline constexpr uint32_t BlauweGolf = 0x40;
inline constexpr uint32_t Sectors = 0x200;
inline constexpr uint32_t Always = 0x400;  // set by the program at every load
}  // namespace NavViewerWaypointFlag

// INavViewer::GetNetworkFlags/SetNetworkFlags.
namespace NavViewerNetworkFlag {
inline constexpr uint32_t Sections = 0x1;
inline constexpr uint32_t Structures = 0x8;
inline constexpr uint32_t NameLabels = 0x10;  // follows the waypoint name labels
inline constexpr uint32_t DistanceMarks = 0x200;
inline constexpr uint32_t Unpassable = 0x400;
inline constexpr uint32_t StructureNames = 0x800;
inline constexpr uint32_t SectionNames = 0x1000;
}  // namespace NavViewerNetworkFlag

// INavViewer::GetGPSFlags/SetGPSFlags (own-ship display); Cursor is always set.
namespace NavViewerGPSFlag {
inline constexpr uint32_t Cursor = 0x1;
inline constexpr uint32_t IMOCircles = 0x2;
inline constexpr uint32_t DistanceCircles = 0x4;
inline constexpr uint32_t AISCPARangeCircle = 0x8;
inline constexpr uint32_t ScaledOutlines = 0x10;
inline constexpr uint32_t Vectors = 0x20;
inline constexpr uint32_t VectorsWind = 0x40;
inline constexpr uint32_t VectorsLaylines = 0x80;
inline constexpr uint32_t VectorsRelWindAsVane = 0x100;
inline constexpr uint32_t VectorsCurrent = 0x200;
inline constexpr uint32_t PredictedTrack = 0x400;
inline constexpr uint32_t TrainingCursor = 0x1000;
inline constexpr uint32_t CourseLine = 0x4000;
}  // namespace NavViewerGPSFlag

// One S-57 cell of a viewer's selection (IS3DChartViewer::SetS57ChartSelection), copied
// from the chart manager's catalogue entry and its IS57ChartSettings.
struct TS57Sel {
    int32_t Chart = 0;  // IChartCatalogueEntry::GetChartHandle
    uint8_t Shown = 0;
    int32_t Value = 0;
    uint8_t Flag = 0;
};

// The drawing engine. From S3DCreate; owned by the program's environment.
class KVLIB_API IS3D : public NavObject {
public:
    // Opens the engine's resource folder (symbols, fonts, shaders); instance is the
    // program's module handle (may be nullptr). The handle goes to the tile managers, the
    // S-57 loader and the viewers.
    virtual int32_t OpenResourceFolder(void *instance, int32_t flag,
                                       const TStrWRec &folder) = 0;                  // slot 2
    virtual void CloseResourceFolder(int32_t handle) = 0;                            // slot 3
};

// Raster tile cache. From S3DTileManagerCreate; owned by the program's environment.
class KVLIB_API IS3DTileManager : public NavObject {
public:
    // The main window; nullptr detaches.
    virtual void SetWindow(WindowHandle wnd) = 0;                                    // slot 11
    // Texts drawn into tiles that failed: load error, render error, status, no colour.
    virtual void SetTexts(const TStrWRec &loadError, const TStrWRec &renderError,
                          const TStrWRec &status, const TStrWRec &noColour) = 0;     // slot 12
    // "TransparentEnabled".
    virtual void SetTransparent(bool on) = 0;                                        // slot 13
};

// Tiles of the background map. From S3DOSMTileManagerCreate; owned by the program's
// environment and handed to the viewers. No tile is downloaded: the background stays
// plain.
class KVLIB_API IS3DOSMTileManager : public NavObject {
};

// Performance data of the raster catalogue's charts. From S3DChartDataCacheCreate; owned
// by the program's environment and handed to the viewers (IS3DChartViewer::SetChartDataCache).
// Released before the chart manager is.
class KVLIB_API IS3DChartDataCache : public NavObject {
};

// The chart viewer. From S3DChartViewerCreate, or as the base of INavViewer; owned by its
// viewer control. The raster charts, S-57 cells and calibrations it hands out belong to the
// viewer (or the chart manager) and stay valid until the chart lists change.
class KVLIB_API IS3DChartViewer : public NavObject {
public:
    // The charts this viewer may show, raster (IRasterChart) and S-57 (IChart) mixed; the
    // viewer sorts them. Kept, not owned.
    virtual void SetCharts(NavObject **charts, int32_t count, int32_t &err) = 0;     // slot 3
    // Chart-list changes between BeginUpdate and EndUpdate are applied at EndUpdate.
    virtual void BeginUpdate() = 0;                                                  // slot 4
    // Drops every chart reference (before chart files are replaced).
    virtual void ReleaseCharts() = 0;                                                // slot 5
    // Applies the lists and redraws.
    virtual void EndUpdate() = 0;                                                    // slot 8
    virtual void SetChartDataCache(IS3DChartDataCache *cache) = 0;                   // slot 9
    // Pixel/geographic mapping of the current view; nullptr while there is no view.
    // Owned by the viewer; changes with every pan and zoom.
    virtual IGeodeticCalibration *GetCalibration() = 0;                              // slot 11
    virtual const TGeoPoint *GetCenterPosition() = 0;                                // slot 13
    virtual const TDouble2 *GetCenterPoint() = 0;                                    // slot 14
    // nullptr when no raster chart is in focus.
    virtual IRasterChart *GetFocusChart() = 0;                                       // slot 17
    virtual const TGeoPoint *GetMousePosition() = 0;                                 // slot 37
    virtual const TPoint *GetMousePoint() = 0;                                       // slot 38
    virtual IChart *GetFocusS57Chart() = 0;                                          // slot 47
    virtual IChart *GetS57ChartAtMouse(int32_t index) = 0;                           // slot 49
    virtual int32_t GetS57ChartAtMouseCount() = 0;                                   // slot 50
    // 0..31; the chart manager and the S-52 library keep this viewer's settings under it.
    virtual int32_t GetViewerIndex() = 0;                                            // slot 54
    // Rebuild and repaint.
    virtual void UpdateView() = 0;                                                   // slot 57
    // Stops pending background chart loading.
    virtual void CancelChartLoading() = 0;                                           // slot 66

    // The control's window after it was (re)created; nullptr detaches.
    virtual void SetWindow(WindowHandle wnd) = 0;                                    // slot —
    // Called when the control must be invalidated / repainted.
    virtual void SetInvalidateCallback(DataProc cb, void *data) = 0;                 // slot —
    virtual void SetRepaintCallback(DataProc cb, void *data) = 0;                    // slot —
    // Paints the view into the control's offscreen bitmap.
    virtual void Render(IBmp32 *target) = 0;                                         // slot —
    virtual void SetViewRect(int32_t left, int32_t top, int32_t width, int32_t height) = 0;  // slot —
    // button: ViewerMouseButton; shift: ViewerShiftState. A non-zero err is raised by the
    // control.
    virtual void MouseDown(int32_t button, uint32_t shift, int32_t x, int32_t y,
                           int32_t &err) = 0;                                        // slot —
    virtual void MouseUp(int32_t button, uint32_t shift, int32_t x, int32_t y,
                         int32_t &err) = 0;                                          // slot —
    virtual void MouseMove(uint32_t shift, int32_t x, int32_t y, int32_t &err) = 0;  // slot —
    virtual void MouseLeave() = 0;                                                   // slot —
    // The value of a ViewerMessage::ChartLoaded message.
    virtual void HandleChartLoaded(intptr_t value) = 0;                              // slot —
    // Raster selection of this viewer index: IChartCatalogueEntry::GetChartHandle values.
    virtual void SetChartSelection(const int32_t *items, int32_t count) = 0;         // slot —
    virtual void SetS57ChartSelection(const TS57Sel *items, int32_t count,
                                      int32_t &err) = 0;                             // slot —
    // Kept, not owned.
    virtual void SetS52PresentationLib(IS52PresentationLib *lib) = 0;                // slot —
    // Applies changed chart order, borders and visibility flags.
    virtual void RefreshCharts() = 0;                                                // slot —
    virtual IRasterChart *GetChart(int32_t index) = 0;                               // slot —
    virtual int32_t GetChartCount() = 0;                                             // slot —
    virtual IChart *GetS57Chart(int32_t index) = 0;                                  // slot —
    virtual int32_t GetS57ChartCount() = 0;                                          // slot —
    // The charts that make up the current picture.
    virtual IRasterChart *GetViewChart(int32_t index) = 0;                           // slot —
    virtual int32_t GetViewChartCount() = 0;                                         // slot —
    virtual IRasterChart *GetChartAtMouse(int32_t index) = 0;                        // slot —
    virtual int32_t GetChartAtMouseCount() = 0;                                      // slot —
    // Drawn beneath all others; nullptr resets.
    virtual IRasterChart *GetBackChart() = 0;                                        // slot —
    virtual void SetBackChart(IRasterChart *chart) = 0;                              // slot —
    // Drawn on top with its border; nullptr resets.
    virtual IRasterChart *GetFrontChart() = 0;                                       // slot —
    virtual void SetFrontChart(IRasterChart *chart) = 0;                             // slot —
    virtual bool GetShowChartBounds() = 0;                                           // slot —
    virtual void SetShowChartBounds(bool on) = 0;                                    // slot —
    // S-57 cells drawn as outlines only.
    virtual bool GetS57BoundsOnly() = 0;                                             // slot —
    virtual void SetS57BoundsOnly(bool on) = 0;                                      // slot —
    virtual bool GetHighlightChartAtMouse() = 0;                                     // slot —
    virtual void SetHighlightChartAtMouse(bool on) = 0;                              // slot —
    // Background map layer.
    virtual bool GetOSMLayerEnabled() = 0;                                           // slot —
    virtual void SetOSMLayerEnabled(bool on) = 0;                                    // slot —
    virtual void SetBackgroundMapOption(int32_t option) = 0;                         // slot —
    // Four factors (r, g, b, fade) applied to chart pixels; the fourth is how far the charts
    // fade towards the background: 0 as they are, 0.3 faded by 30 %, 1 fully faded.
    virtual void SetChartColorFactors(const float *factors) = 0;                     // slot —
    // Physical screen width for true-scale display.
    virtual bool GetWidthMonitorAuto() = 0;                                          // slot —
    virtual void SetWidthMonitorAuto(bool on) = 0;                                   // slot —
    virtual int32_t GetWidthMonitorMM() = 0;                                         // slot —
    virtual void SetWidthMonitorMM(int32_t mm) = 0;                                  // slot —
    // Restores a saved view; the calibration is copied.
    virtual void SetCalibration(IGeodeticCalibration *cal) = 0;                      // slot —
    virtual double GetScale() = 0;                                                   // slot —
    virtual void Pan(int32_t dx, int32_t dy) = 0;                                    // slot —
    // Zooms by factor keeping point fixed.
    virtual void ZoomAt(double factor, const TDouble2 *point) = 0;                   // slot —
    // One chart pixel on one screen pixel, with pos at point.
    virtual void Zoom100At(const TGeoPoint *pos, const TDouble2 *point) = 0;         // slot —
    virtual void ZoomToChart(IRasterChart *chart) = 0;                               // slot —
    virtual void ZoomToS57Chart(IChart *chart) = 0;                                  // slot —
    // The default view when only the background map is on.
    virtual void ZoomToBackgroundMap() = 0;                                          // slot —
    virtual void SetViewRotation(double angle) = 0;                                  // slot —
    // Called after every pan and zoom.
    virtual void SetCalibrationChangeHandler(DataProc cb, void *data) = 0;           // slot —
    // Renders the view for an arbitrary calibration (a print tile) into bitmap;
    // resolution in printer pixels per metre of paper.
    virtual void PrintTile(IGeodeticCalibration *tileCal, IBmp32 *bitmap,
                           double resolution) = 0;                                   // slot —
};

// The navigation chart viewer used by the program. From NavViewerCreate; owned by its
// viewer control. Objects it hands out (routes, points, waypoints, sections, structures,
// tracks) belong to their managers; the viewer only refers to them.
// Every setter/getter pair round-trips, because the settings dialogs read values back.
class KVLIB_API INavViewer : public IS3DChartViewer {
public:
    // Once a second from the main window's UI tick.
    virtual void UpdateSecond() = 0;                                                 // slot 31 (assumed)
    // Chart background.
    virtual void SetClearColor(uint32_t argb) = 0;                                   // slot 75
    // The mouse point after an object event of kind Content.
    virtual void SetObjectClickPoint(int32_t x, int32_t y) = 0;                      // slot 103
    // The mouse point after an object event of kind Notice.
    virtual void SetSectionClickPoint(int32_t x, int32_t y) = 0;                     // slot 108
    virtual bool GetAnchorGuardActive() = 0;                                         // slot 159
    virtual INavTrack *GetReplayTrack() = 0;                                         // slot 199
    virtual bool GetTrackReplayMode() = 0;                                           // slot 201
    virtual TDateTime GetReplayTime() = 0;                                           // slot 202
    virtual IWptRoute *GetRouteAtMouse() = 0;                                        // slot 207
    virtual IWptRoutePoint *GetSelectedRoutePoint() = 0;                             // slot 212
    virtual bool GetS57PickAvailable() = 0;                                          // slot 216
    // Writes the viewer's scale-bar settings into target.
    virtual void GetScaleInfo(INavScaleInfo *target) = 0;                            // slot 219
    // The view currently follows its tracking target.
    virtual bool GetTrackingActive() = 0;                                            // slot 226
    virtual bool GetTrackingEnabled() = 0;                                           // slot 228
    virtual int32_t GetSelectedStructureCount() = 0;                                 // slot 267
    // Rebuilds the object layers after waypoint, route or object-update changes.
    virtual void UpdateObjects() = 0;                                                // slot 273
    virtual void ClearSelectedObject() = 0;                                          // slot 276
    virtual void ClearS57Pick() = 0;                                                 // slot 277
    // The mouse point after an object event of kind Other.
    virtual void SetOtherClickPoint(int32_t x, int32_t y) = 0;                       // slot 278
    virtual void ZoomToRoute(IWptRoute *route) = 0;                                  // slot 285
    virtual void SetColorGPSFix(uint32_t argb) = 0;                                  // slot 295
    virtual void SetColorGPSNoFix(uint32_t argb) = 0;                                // slot 296
    // Overview ("explore") drawing.
    virtual void SetOverviewMode(bool on) = 0;                                       // slot 320 (assumed)
    // The program passes 0.
    virtual void SetMainViewerOption321(int32_t value) = 0;                          // slot 321
    virtual void SetShowCompassNeedle(bool on) = 0;                                  // slot 323
    virtual void SetShowScaleBar(bool on) = 0;                                       // slot 329
    // NavViewerGPSFlag bits.
    virtual void SetGPSFlags(uint32_t flags) = 0;                                    // slot 337
    virtual void SetGRIBFlags(uint32_t flags) = 0;                                   // slot 338
    // (10, 10) = no home position.
    virtual void SetHomePosition(TGeoPoint pos) = 0;                                 // slot 345 (assumed)
    // Kept, not owned; the viewer draws the centre's user notifications.
    virtual void SetNotificationCenter(INavNotificationCenter *centre) = 0;          // slot 351
    virtual void SetReplayTime(TDateTime time) = 0;                                  // slot 361
    virtual void SetSelectedRoutePoint(IWptRoutePoint *point) = 0;                   // slot 369
    virtual void SetSelectedRoute(IWptRoute *route) = 0;                             // slot 370
    // The program always passes nullptr.
    virtual void SetOptionalObject(NavObject *obj) = 0;                              // slot 374
    virtual void SetTrackingAutoPos(bool on) = 0;                                    // slot 380
    // NavViewerTrackingMode.
    virtual void SetTrackingMode(int32_t mode) = 0;                                  // slot 383
    virtual void SetTrackingNowOnly(bool on) = 0;                                    // slot 384
    // NavViewerTrackingTarget.
    virtual void SetTrackingTarget(int32_t target) = 0;                              // slot 385
    // The route planner's three floating-point settings; the first is the NAP water
    // level in metres.
    virtual void SetNAPWaterLevel(float level) = 0;                                  // slot 398
    virtual void SetPlannerParam2(float value) = 0;                                  // slot 400
    virtual void SetPlannerParam3(float value) = 0;                                  // slot 401
    // NavViewerWaypointFlag bits.
    virtual void SetWaypointFlags(uint32_t flags) = 0;                               // slot 402
    // NavViewerNetworkFlag bits.
    virtual void SetNetworkFlags(uint32_t flags) = 0;                                // slot 409
    // The mouse point after an object event of kind WaterReport.
    virtual void SetWaterReportClickPoint(int32_t x, int32_t y) = 0;                 // slot 414

    // Set-up. Every object is kept, not owned. reserved1..6 and reserved8 are nullptr;
    // context is the value the environment also gives the planner, the own ship and the
    // network loader (nullptr).
    virtual void SetNavObjects(INavEnv *env, IWptManager *wptManager,
                               INavStructOperationManager *structOps, NavObject *reserved1,
                               NavObject *reserved2, NavObject *reserved3,
                               NavObject *reserved4, NavObject *reserved5,
                               NavObject *reserved6, void *context, NavObject *reserved8,
                               INavPredictedTime *predictedTime, INavBoat *boat,
                               IWptDatabase *userDatabase) = 0;                      // slot —
    // ev->Kind: ViewerEventKind.
    virtual void SetViewerEventHandler(ViewerEventProc cb, void *data) = 0;          // slot —
    // ev->Kind: ObjectEventKind.
    virtual void SetObjectEventHandler(ViewerEventProc cb, void *data) = 0;          // slot —
    // The environment's lists; kept, not owned.
    virtual void SetPolygonList(IWptPolygonList *list) = 0;                          // slot —
    virtual void SetRouteList(IWptRouteList *list) = 0;                              // slot —
    virtual void SetTrackList(INavTrackList *list) = 0;                              // slot —
    virtual void SetWaypointList(IWptWaypointList *list) = 0;                        // slot —
    // The program passes 0.
    virtual void SetTrackOption(int32_t option) = 0;                                 // slot —
    virtual void SetFocused(bool focused) = 0;                                       // slot —

    // nullptr while the network is being replaced.
    virtual void SetWaterwayNetwork(IWWNetwork *network) = 0;                        // slot —
    // One chart-set area (radians); every area is added before SetChartAreaMask.
    virtual void AddChartArea(int32_t bits, double lat1, double lon1, double lat2,
                              double lon2) = 0;                                      // slot —
    virtual void SetChartAreaMask(int32_t mask) = 0;                                 // slot —
    // Unit codes of the locale.
    virtual void SetUnitDepth(int32_t unit) = 0;                                     // slot —
    virtual void SetUnitDistanceLarge(int32_t unit) = 0;                             // slot —
    virtual void SetUnitDistanceSmall(int32_t unit) = 0;                             // slot —
    virtual void SetUnitSpeed(int32_t unit) = 0;                                     // slot —
    virtual void SetUnitVolume(int32_t unit) = 0;                                    // slot —
    // Pixels.
    virtual void SetInfoPanelWidth(int32_t width) = 0;                               // slot —

    // Re-centres on the tracking target.
    virtual void UpdateTrackingPosition() = 0;                                       // slot —
    virtual void SetTrackingEnabled(bool on) = 0;                                    // slot —
    virtual bool GetTrackingAutoPos() = 0;                                           // slot —
    virtual int32_t GetTrackingMode() = 0;                                           // slot —
    virtual bool GetTrackingNowOnly() = 0;                                           // slot —
    virtual int32_t GetTrackingTarget() = 0;                                         // slot —
    // Tracking locked at 100 %.
    virtual bool GetTrackingZoom100() = 0;                                           // slot —
    virtual void SetTrackingZoom100(bool on) = 0;                                    // slot —
    // False when the target has no position.
    virtual bool GetTrackingTargetPosition(TGeoPoint &pos) = 0;                      // slot —
    // Own-ship cursor position as fractions of the view width and height.
    virtual const TFloat2 *GetTrackingCursorPos() = 0;                               // slot —
    virtual void SetTrackingCursorPos(const TFloat2 *pos) = 0;                       // slot —
    // Tracking mode and scale in one step.
    virtual void SetTrackingView(int32_t mode, double scale) = 0;                    // slot —

    virtual bool GetCanMove() = 0;                                                   // slot —
    virtual bool GetCanZoom() = 0;                                                   // slot —
    // NavViewerEditMode.
    virtual int32_t GetEditMode() = 0;                                               // slot —
    virtual void SetEditMode(int32_t mode) = 0;                                      // slot —
    // NavViewerMouseState.
    virtual int32_t GetMouseState() = 0;                                             // slot —
    // Twelve tests whether the mouse is over an object of one kind.
    virtual bool GetHoverState01() = 0;                                              // slot —
    virtual bool GetHoverState02() = 0;                                              // slot —
    virtual bool GetHoverState03() = 0;                                              // slot —
    virtual bool GetHoverState04() = 0;                                              // slot —
    virtual bool GetHoverState05() = 0;                                              // slot —
    virtual bool GetHoverState06() = 0;                                              // slot —
    virtual bool GetHoverState07() = 0;                                              // slot —
    virtual bool GetHoverState08() = 0;                                              // slot —
    virtual bool GetHoverState09() = 0;                                              // slot —
    virtual bool GetHoverState10() = 0;                                              // slot —
    virtual bool GetHoverState11() = 0;                                              // slot —
    virtual bool GetHoverState12() = 0;                                              // slot —

    virtual IWptRoutePoint *GetRoutePointAtMouse() = 0;                              // slot —
    // During route editing: 0 no hit; 1, 3, 4, 5 an editable element (pointing hand);
    // 2 the view (pan hand).
    virtual int32_t GetRouteEditHit() = 0;                                           // slot —
    // The route being edited; nullptr ends editing.
    virtual IWptRoute *GetEditRoute() = 0;                                           // slot —
    virtual void SetEditRoute(IWptRoute *route) = 0;                                 // slot —
    // NavViewerRouteFlag bits.
    virtual uint32_t GetRouteFlags() = 0;                                            // slot —
    virtual void SetRouteFlags(uint32_t flags) = 0;                                  // slot —
    // NavViewerRouteExtraFlag bits.
    virtual uint32_t GetRouteExtraFlags() = 0;                                       // slot —
    virtual void SetRouteExtraFlags(uint32_t flags) = 0;                             // slot —
    // NavViewerRouteEditFlag bits.
    virtual uint32_t GetRouteEditFlags() = 0;                                        // slot —
    virtual void SetRouteEditFlags(uint32_t flags) = 0;                              // slot —
    // Pixels.
    virtual int32_t GetLegWidth() = 0;                                               // slot —
    virtual void SetLegWidth(int32_t width) = 0;                                     // slot —
    virtual float GetRhumblineWidth() = 0;                                           // slot —
    virtual void SetRhumblineWidth(float width) = 0;                                 // slot —

    virtual uint32_t GetWaypointFlags() = 0;                                         // slot —
    virtual IWptWaypoint *GetWaypointAtMouse() = 0;                                  // slot —
    virtual IWptWaypoint *GetSelectedWaypoint() = 0;                                 // slot —
    virtual void SetSelectedWaypoint(IWptWaypoint *waypoint) = 0;                    // slot —
    // Called just before the waypoint deletes itself.
    virtual void RemoveWaypoint(IWptWaypoint *waypoint) = 0;                         // slot —
    // Distance-calculation points are the viewer's own objects.
    virtual NavObject *GetDistancePointAtMouse() = 0;                                // slot —
    virtual void DeleteDistancePoint(NavObject *point) = 0;                          // slot —
    virtual void ClearDistanceCalculation() = 0;                                     // slot —
    virtual IWptPolygon *GetAlarmZoneAtMouse() = 0;                                  // slot —
    virtual IWptPolygon *GetEditAlarmZone() = 0;                                     // slot —
    // A point of the edited alarm zone, for IWptPolygon::DeletePoint; nullptr when none.
    virtual NavObject *GetSelectedAlarmZonePoint() = 0;                              // slot —
    virtual void SetAnchorGuardActive(bool on) = 0;                                  // slot —

    virtual void ShowTrack(INavTrack *track) = 0;                                    // slot —
    virtual bool GetShowVisibleTracks() = 0;                                         // slot —
    virtual void SetShowVisibleTracks(bool on) = 0;                                  // slot —
    virtual bool GetShowTrackActive() = 0;                                           // slot —
    virtual void SetShowTrackActive(bool on) = 0;                                    // slot —
    virtual bool GetShowTrackNames() = 0;                                            // slot —
    virtual void SetShowTrackNames(bool on) = 0;                                     // slot —
    virtual bool GetTrackDrawComplete() = 0;                                         // slot —
    virtual void SetTrackDrawComplete(bool on) = 0;                                  // slot —
    // Pixels.
    virtual int32_t GetTrackLineWidth() = 0;                                         // slot —
    virtual void SetTrackLineWidth(int32_t width) = 0;                               // slot —
    // Seconds between the small time marks; the print uses it too.
    virtual int32_t GetTrackPointInterval() = 0;                                     // slot —
    virtual void SetTrackPointInterval(int32_t seconds) = 0;                         // slot —
    // Seconds between the labelled time marks.
    virtual int32_t GetTrackTimeInterval() = 0;                                      // slot —
    virtual void SetTrackTimeInterval(int32_t seconds) = 0;                          // slot —
    // nullptr stops the replay.
    virtual void SetReplayTrack(INavTrack *track) = 0;                               // slot —
    // Fills out with the visible tracks (references).
    virtual void GetTrackList(INavTrackList *out) = 0;                               // slot —
    virtual INavActiveTrackSource *GetActiveTrackSource() = 0;                       // slot —

    virtual uint32_t GetNetworkFlags() = 0;                                          // slot —
    virtual IWWSection *GetNetworkSectionAtMouse() = 0;                              // slot —
    // Metres along that section.
    virtual double GetNetworkDistanceAtMouse() = 0;                                  // slot —
    virtual IWWStruct *GetSelectedStructure(int32_t index) = 0;                      // slot —
    virtual uint32_t GetWWSectionColor() = 0;                                        // slot —
    virtual void SetWWSectionColor(uint32_t argb) = 0;                               // slot —
    virtual uint32_t GetWWSectionColorBack() = 0;                                    // slot —
    virtual void SetWWSectionColorBack(uint32_t argb) = 0;                           // slot —
    virtual uint32_t GetWWSectionColorUnpassable() = 0;                              // slot —
    virtual void SetWWSectionColorUnpassable(uint32_t argb) = 0;                     // slot —
    // Pixels.
    virtual int32_t GetWWSectionMaxWidth() = 0;                                      // slot —
    virtual void SetWWSectionMaxWidth(int32_t width) = 0;                            // slot —

    // Called 1, 2, 3 and followed by UpdateObjects.
    virtual void RefreshObjectLayer1() = 0;                                          // slot —
    virtual void RefreshObjectLayer2() = 0;                                          // slot —
    virtual void RefreshObjectLayer3() = 0;                                          // slot —
    // nullptr removes the highlight.
    virtual void SetHighlightObject(NavObject *obj) = 0;                             // slot —
    virtual bool GetS57PickEnabled() = 0;                                            // slot —
    virtual void SetS57PickEnabled(bool on) = 0;                                     // slot —
    // While on, a click chooses the position of a user report (event ReportPointChosen).
    virtual void SetSelectingReportPoint(bool on) = 0;                               // slot —
    // Marker of the user-report position; (99, 99) = none.
    virtual void SetReportPosition(TGeoPoint pos) = 0;                               // slot —

    virtual uint32_t GetAISFlags() = 0;                                              // slot —
    virtual void SetAISFlags(uint32_t flags) = 0;                                    // slot —
    virtual float GetFontAISBoatScale() = 0;                                         // slot —
    virtual void SetFontAISBoatScale(float scale) = 0;                               // slot —
    virtual uint32_t GetGRIBFlags() = 0;                                             // slot —
    virtual int32_t GetGRIBIsobarInterval() = 0;                                     // slot —
    virtual void SetGRIBIsobarInterval(int32_t interval) = 0;                        // slot —
    virtual int32_t GetGRIBWaterlevelInterval() = 0;                                 // slot —
    virtual void SetGRIBWaterlevelInterval(int32_t interval) = 0;                    // slot —
    virtual double GetGRIBViewScaleDrawLimit() = 0;                                  // slot —
    virtual void SetGRIBViewScaleDrawLimit(double scale) = 0;                        // slot —
    virtual uint32_t GetTideFlags() = 0;                                             // slot —
    virtual void SetTideFlags(uint32_t flags) = 0;                                   // slot —

    virtual uint32_t GetGPSFlags() = 0;                                              // slot —
    virtual void SetColorAlarmzoneInside(uint32_t argb) = 0;                         // slot —
    virtual void SetColorAlarmzoneOutside(uint32_t argb) = 0;                        // slot —
    virtual void SetColorLegActiveMotoring(uint32_t argb) = 0;                       // slot —
    virtual void SetColorLegActiveSailing(uint32_t argb) = 0;                        // slot —
    virtual void SetColorLegActiveSailingSpi(uint32_t argb) = 0;                     // slot —
    virtual void SetColorLegActiveTacking(uint32_t argb) = 0;                        // slot —
    virtual void SetColorLegEditMotoring(uint32_t argb) = 0;                         // slot —
    virtual void SetColorLegEditSailing(uint32_t argb) = 0;                          // slot —
    virtual void SetColorLegEditSailingSpi(uint32_t argb) = 0;                       // slot —
    virtual void SetColorLegEditTacking(uint32_t argb) = 0;                          // slot —
    virtual void SetColorLegSelectedMotoring(uint32_t argb) = 0;                     // slot —
    virtual void SetColorLegSelectedSailing(uint32_t argb) = 0;                      // slot —
    virtual void SetColorLegSelectedSailingSpi(uint32_t argb) = 0;                   // slot —
    virtual void SetColorLegSelectedTacking(uint32_t argb) = 0;                      // slot —
    virtual void SetColorLegMotoring(uint32_t argb) = 0;                             // slot —
    virtual void SetColorLegSailing(uint32_t argb) = 0;                              // slot —
    virtual void SetColorLegSailingSpi(uint32_t argb) = 0;                           // slot —
    virtual void SetColorLegTacking(uint32_t argb) = 0;                              // slot —
    virtual void SetColorLegBack(uint32_t argb) = 0;                                 // slot —
    virtual void SetColorRhumbline(uint32_t argb) = 0;                               // slot —
    virtual uint32_t GetColorLegActiveMotoring() = 0;                                // slot —
    virtual uint32_t GetColorLegBack() = 0;                                          // slot —
    virtual uint32_t GetColorLegEditMotoring() = 0;                                  // slot —
    virtual uint32_t GetColorLegMotoring() = 0;                                      // slot —
    virtual uint32_t GetColorRhumbline() = 0;                                        // slot —
    // Own-ship cursor scale, 0.8 .. 2.0.
    virtual float GetCursorScale() = 0;                                              // slot —
    virtual void SetCursorScale(float scale) = 0;                                    // slot —
    virtual bool GetDistanceCirclesAuto() = 0;                                       // slot —
    virtual void SetDistanceCirclesAuto(bool on) = 0;                                // slot —
    // Spacing in metres.
    virtual float GetDistanceCircles() = 0;                                          // slot —
    virtual void SetDistanceCircles(float metres) = 0;                               // slot —
    virtual int32_t GetDistanceCirclesCount() = 0;                                   // slot —
    virtual void SetDistanceCirclesCount(int32_t count) = 0;                         // slot —
    virtual int32_t GetMaxHeightRadiusMM() = 0;                                      // slot —
    virtual void SetMaxHeightRadiusMM(int32_t mm) = 0;                               // slot —
    virtual bool GetShowBearingLine() = 0;                                           // slot —
    virtual void SetShowBearingLine(bool on) = 0;                                    // slot —
    virtual bool GetShowCompassNeedle() = 0;                                         // slot —
    virtual bool GetShowLogbook() = 0;                                               // slot —
    virtual void SetShowLogbook(bool on) = 0;                                        // slot —
    virtual bool GetShowNavInfo() = 0;                                               // slot —
    virtual void SetShowNavInfo(bool on) = 0;                                        // slot —
    virtual bool GetShowPolygons() = 0;                                              // slot —
    virtual void SetShowPolygons(bool on) = 0;                                       // slot —
    virtual bool GetShowScaleBar() = 0;                                              // slot —
    virtual bool GetShowScaleValue() = 0;                                            // slot —
    virtual void SetShowScaleValue(bool on) = 0;                                     // slot —
    // Label placement that avoids overlaps.
    virtual bool GetSmartLabels() = 0;                                               // slot —
    virtual void SetSmartLabels(bool on) = 0;                                        // slot —
    virtual int32_t GetSmartLabelTransparency() = 0;                                 // slot —
    virtual void SetSmartLabelTransparency(int32_t transparency) = 0;                // slot —
    // Scale-bar settings are copied from info.
    virtual void SetScaleSettings(INavScaleInfo *info) = 0;                          // slot —

    // Draws routes, tracks and waypoints of the view onto a printer page whose calibration
    // is pageCal; printerDC is the page's QPainter.
    virtual void PrintOverlays(DeviceContext printerDC, IGeodeticCalibration *pageCal,
                               bool routes, bool tracks, bool waypoints) = 0;        // slot —
};

// The drawing engine. flags: the program passes $80000001, an empty name, 1, 1, 5 and
// false. A non-empty errorText afterwards means the engine could not be created.
KVLIB_API IS3D *S3DCreate(int32_t flags, const TStrWRec &name, int32_t a, int32_t b, int32_t c,
                          bool d, IStrW *errorText);
// resources: handle from IS3D::OpenResourceFolder; cacheBytes: the program passes
// $4000000; reserved: 0. cb(data, v1, flag, v3, v4): flag != 0 asks the program to stop
// navigation at once.
KVLIB_API IS3DTileManager *S3DTileManagerCreate(int32_t resources, int32_t cacheBytes,
                                                int32_t reserved, LoaderProc cb, void *data,
                                                int32_t &err);
// cacheBytes: the program passes $A00000.
KVLIB_API IS3DOSMTileManager *S3DOSMTileManagerCreate(int32_t resources, int32_t cacheBytes,
                                                      int32_t &err);
// charts: the raster charts of the chart manager's catalogue, in catalogue order; the cache
// file is created or refreshed for them, with progress for the splash window.
KVLIB_API IS3DChartDataCache *S3DChartDataCacheCreate(const TStrWRec &file, LoadProgressProc cb,
                                                      void *data, NavObject **charts,
                                                      int32_t count);
// The plain chart viewer. wnd: the control's window (messages of ViewerMessage go there);
// control: the hosting control, opaque to the library; viewerIndex 0..31. Every object
// passed is kept, not owned.
KVLIB_API IS3DChartViewer *S3DChartViewerCreate(IS3D *engine, WindowHandle wnd, void *control,
                                                int32_t viewerIndex, IS3DTileManager *tiles,
                                                IS3DOSMTileManager *backgroundTiles,
                                                IS57ChartLoader *loader,
                                                IS3DChartDataCache *cache);
// The navigation viewer the program uses; arguments as S3DChartViewerCreate.
KVLIB_API INavViewer *NavViewerCreate(IS3D *engine, WindowHandle wnd, void *control,
                                      int32_t viewerIndex, IS3DTileManager *tiles,
                                      IS3DOSMTileManager *backgroundTiles, IS57ChartLoader *loader,
                                      IS3DChartDataCache *cache);
