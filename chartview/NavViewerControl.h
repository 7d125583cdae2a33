// The navigation viewer control: the chart viewer control over the core library's
// navigation viewer (INavViewer), the one chart view the program uses. It adds arrow-key
// panning and keyboard zoom, reports focus to the viewer and re-centres on the tracking
// target after a resize; every other operation forwards one call to the viewer and does
// nothing before StartViewer. Owned by the chart-viewer frame; the environment keeps a
// reference while it is registered. GUI thread only.
#pragma once

#include "chartview/S3DChartViewerControl.h"

#include <KvLibNav6/KvViewer.h>

class INavNotificationCenter;
class QPainter;
class QPrinter;

// The keyboard zoom steps: a quarter of a doubling in and out.
inline constexpr double ViewerZoomInFactor = 1.189207115;
inline constexpr double ViewerZoomOutFactor = 0.8408964152556386;

class TNavViewerControl : public TS3DChartViewerControl {
public:
    explicit TNavViewerControl(QWidget *parent = nullptr);

    // Bit 0 tracks, 1 routes, 2 waypoints: what a print of the view carries.
    uint8_t PrintFlags = 0x7;

    // The navigation viewer; nullptr before StartViewer. Owned by the control.
    INavViewer *NavViewer() const { return FNav; }

    // ---- forwarded to the navigation viewer ---------------------------------------------
    void UpdateSecond() { if (FNav) FNav->UpdateSecond(); }
    void SetClearColor(uint32_t argb) { if (FNav) FNav->SetClearColor(argb); }
    void SetObjectClickPoint(int32_t x, int32_t y) { if (FNav) FNav->SetObjectClickPoint(x, y); }
    void SetSectionClickPoint(int32_t x, int32_t y) { if (FNav) FNav->SetSectionClickPoint(x, y); }
    bool GetAnchorGuardActive() { return FNav ? FNav->GetAnchorGuardActive() : bool{}; }
    INavTrack *GetReplayTrack() { return FNav ? FNav->GetReplayTrack() : nullptr; }
    bool GetTrackReplayMode() { return FNav ? FNav->GetTrackReplayMode() : bool{}; }
    TDateTime GetReplayTime() { return FNav ? FNav->GetReplayTime() : TDateTime{}; }
    IWptRoute *GetRouteAtMouse() { return FNav ? FNav->GetRouteAtMouse() : nullptr; }
    IWptRoutePoint *GetSelectedRoutePoint() {
        return FNav ? FNav->GetSelectedRoutePoint() : nullptr;
    }
    bool GetS57PickAvailable() { return FNav ? FNav->GetS57PickAvailable() : bool{}; }
    void GetScaleInfo(INavScaleInfo *target) { if (FNav) FNav->GetScaleInfo(target); }
    bool GetTrackingActive() { return FNav ? FNav->GetTrackingActive() : bool{}; }
    bool GetTrackingEnabled() { return FNav ? FNav->GetTrackingEnabled() : bool{}; }
    int32_t GetSelectedStructureCount() {
        return FNav ? FNav->GetSelectedStructureCount() : int32_t{};
    }
    virtual void UpdateObjects() { if (FNav) FNav->UpdateObjects(); }
    void ClearSelectedObject() { if (FNav) FNav->ClearSelectedObject(); }
    void ClearS57Pick() { if (FNav) FNav->ClearS57Pick(); }
    void SetOtherClickPoint(int32_t x, int32_t y) { if (FNav) FNav->SetOtherClickPoint(x, y); }
    void ZoomToRoute(IWptRoute *route) { if (FNav) FNav->ZoomToRoute(route); }
    void SetColorGPSFix(uint32_t argb) { if (FNav) FNav->SetColorGPSFix(argb); }
    void SetColorGPSNoFix(uint32_t argb) { if (FNav) FNav->SetColorGPSNoFix(argb); }
    void SetOverviewMode(bool on) { if (FNav) FNav->SetOverviewMode(on); }
    void SetMainViewerOption321(int32_t value) { if (FNav) FNav->SetMainViewerOption321(value); }
    void SetShowCompassNeedle(bool on) { if (FNav) FNav->SetShowCompassNeedle(on); }
    void SetShowScaleBar(bool on) { if (FNav) FNav->SetShowScaleBar(on); }
    void SetGPSFlags(uint32_t flags) { if (FNav) FNav->SetGPSFlags(flags); }
    void SetGRIBFlags(uint32_t flags) { if (FNav) FNav->SetGRIBFlags(flags); }
    void SetHomePosition(TGeoPoint pos) { if (FNav) FNav->SetHomePosition(pos); }
    virtual void SetNotificationCenter(INavNotificationCenter *centre) {
        if (FNav) FNav->SetNotificationCenter(centre);
    }
    void SetReplayTime(TDateTime time) { if (FNav) FNav->SetReplayTime(time); }
    void SetSelectedRoutePoint(IWptRoutePoint *point) {
        if (FNav) FNav->SetSelectedRoutePoint(point);
    }
    void SetSelectedRoute(IWptRoute *route) { if (FNav) FNav->SetSelectedRoute(route); }
    void SetOptionalObject(NavObject *obj) { if (FNav) FNav->SetOptionalObject(obj); }
    void SetTrackingAutoPos(bool on) { if (FNav) FNav->SetTrackingAutoPos(on); }
    void SetTrackingMode(int32_t mode) { if (FNav) FNav->SetTrackingMode(mode); }
    void SetTrackingNowOnly(bool on) { if (FNav) FNav->SetTrackingNowOnly(on); }
    void SetTrackingTarget(int32_t target) { if (FNav) FNav->SetTrackingTarget(target); }
    void SetNAPWaterLevel(float level) { if (FNav) FNav->SetNAPWaterLevel(level); }
    void SetPlannerParam2(float value) { if (FNav) FNav->SetPlannerParam2(value); }
    void SetPlannerParam3(float value) { if (FNav) FNav->SetPlannerParam3(value); }
    void SetWaypointFlags(uint32_t flags) { if (FNav) FNav->SetWaypointFlags(flags); }
    void SetNetworkFlags(uint32_t flags) { if (FNav) FNav->SetNetworkFlags(flags); }
    void SetWaterReportClickPoint(int32_t x, int32_t y) {
        if (FNav) FNav->SetWaterReportClickPoint(x, y);
    }
    void SetNavObjects(INavEnv *env, IWptManager *wptManager, INavStructOperationManager *structOps,
                       NavObject *reserved1, NavObject *reserved2, NavObject *reserved3,
                       NavObject *reserved4, NavObject *reserved5, NavObject *reserved6,
                       void *context, NavObject *reserved8, INavPredictedTime *predictedTime,
                       INavBoat *boat, IWptDatabase *userDatabase) {
        if (FNav)
            FNav->SetNavObjects(env, wptManager, structOps, reserved1, reserved2, reserved3,
                                reserved4, reserved5, reserved6, context, reserved8, predictedTime,
                                boat, userDatabase);
    }
    void SetViewerEventHandler(ViewerEventProc cb, void *data) {
        if (FNav) FNav->SetViewerEventHandler(cb, data);
    }
    void SetObjectEventHandler(ViewerEventProc cb, void *data) {
        if (FNav) FNav->SetObjectEventHandler(cb, data);
    }
    void SetPolygonList(IWptPolygonList *list) { if (FNav) FNav->SetPolygonList(list); }
    void SetRouteList(IWptRouteList *list) { if (FNav) FNav->SetRouteList(list); }
    void SetTrackList(INavTrackList *list) { if (FNav) FNav->SetTrackList(list); }
    void SetWaypointList(IWptWaypointList *list) { if (FNav) FNav->SetWaypointList(list); }
    void SetTrackOption(int32_t option) { if (FNav) FNav->SetTrackOption(option); }
    void SetFocused(bool focused) { if (FNav) FNav->SetFocused(focused); }
    void SetWaterwayNetwork(IWWNetwork *network) { if (FNav) FNav->SetWaterwayNetwork(network); }
    void AddChartArea(int32_t bits, double lat1, double lon1, double lat2, double lon2) {
        if (FNav) FNav->AddChartArea(bits, lat1, lon1, lat2, lon2);
    }
    void SetChartAreaMask(int32_t mask) { if (FNav) FNav->SetChartAreaMask(mask); }
    void SetUnitDepth(int32_t unit) { if (FNav) FNav->SetUnitDepth(unit); }
    void SetUnitDistanceLarge(int32_t unit) { if (FNav) FNav->SetUnitDistanceLarge(unit); }
    void SetUnitDistanceSmall(int32_t unit) { if (FNav) FNav->SetUnitDistanceSmall(unit); }
    void SetUnitSpeed(int32_t unit) { if (FNav) FNav->SetUnitSpeed(unit); }
    void SetUnitVolume(int32_t unit) { if (FNav) FNav->SetUnitVolume(unit); }
    void SetInfoPanelWidth(int32_t width) { if (FNav) FNav->SetInfoPanelWidth(width); }
    void UpdateTrackingPosition() { if (FNav) FNav->UpdateTrackingPosition(); }
    void SetTrackingEnabled(bool on) { if (FNav) FNav->SetTrackingEnabled(on); }
    bool GetTrackingAutoPos() { return FNav ? FNav->GetTrackingAutoPos() : bool{}; }
    int32_t GetTrackingMode() { return FNav ? FNav->GetTrackingMode() : int32_t{}; }
    bool GetTrackingNowOnly() { return FNav ? FNav->GetTrackingNowOnly() : bool{}; }
    int32_t GetTrackingTarget() { return FNav ? FNav->GetTrackingTarget() : int32_t{}; }
    bool GetTrackingZoom100() { return FNav ? FNav->GetTrackingZoom100() : bool{}; }
    void SetTrackingZoom100(bool on) { if (FNav) FNav->SetTrackingZoom100(on); }
    bool GetTrackingTargetPosition(TGeoPoint &pos) {
        return FNav ? FNav->GetTrackingTargetPosition(pos) : bool{};
    }
    const TFloat2 *GetTrackingCursorPos() { return FNav ? FNav->GetTrackingCursorPos() : nullptr; }
    void SetTrackingCursorPos(const TFloat2 *pos) { if (FNav) FNav->SetTrackingCursorPos(pos); }
    void SetTrackingView(int32_t mode, double scale) {
        if (FNav) FNav->SetTrackingView(mode, scale);
    }
    bool GetCanMove() { return FNav ? FNav->GetCanMove() : bool{}; }
    bool GetCanZoom() { return FNav ? FNav->GetCanZoom() : bool{}; }
    int32_t GetEditMode() { return FNav ? FNav->GetEditMode() : int32_t{}; }
    void SetEditMode(int32_t mode) { if (FNav) FNav->SetEditMode(mode); }
    int32_t GetMouseState() { return FNav ? FNav->GetMouseState() : int32_t{}; }
    bool GetHoverState01() { return FNav ? FNav->GetHoverState01() : bool{}; }
    bool GetHoverState02() { return FNav ? FNav->GetHoverState02() : bool{}; }
    bool GetHoverState03() { return FNav ? FNav->GetHoverState03() : bool{}; }
    bool GetHoverState04() { return FNav ? FNav->GetHoverState04() : bool{}; }
    bool GetHoverState05() { return FNav ? FNav->GetHoverState05() : bool{}; }
    bool GetHoverState06() { return FNav ? FNav->GetHoverState06() : bool{}; }
    bool GetHoverState07() { return FNav ? FNav->GetHoverState07() : bool{}; }
    bool GetHoverState08() { return FNav ? FNav->GetHoverState08() : bool{}; }
    bool GetHoverState09() { return FNav ? FNav->GetHoverState09() : bool{}; }
    bool GetHoverState10() { return FNav ? FNav->GetHoverState10() : bool{}; }
    bool GetHoverState11() { return FNav ? FNav->GetHoverState11() : bool{}; }
    bool GetHoverState12() { return FNav ? FNav->GetHoverState12() : bool{}; }
    IWptRoutePoint *GetRoutePointAtMouse() { return FNav ? FNav->GetRoutePointAtMouse() : nullptr; }
    int32_t GetRouteEditHit() { return FNav ? FNav->GetRouteEditHit() : int32_t{}; }
    IWptRoute *GetEditRoute() { return FNav ? FNav->GetEditRoute() : nullptr; }
    void SetEditRoute(IWptRoute *route) { if (FNav) FNav->SetEditRoute(route); }
    uint32_t GetRouteFlags() { return FNav ? FNav->GetRouteFlags() : uint32_t{}; }
    void SetRouteFlags(uint32_t flags) { if (FNav) FNav->SetRouteFlags(flags); }
    uint32_t GetRouteExtraFlags() { return FNav ? FNav->GetRouteExtraFlags() : uint32_t{}; }
    void SetRouteExtraFlags(uint32_t flags) { if (FNav) FNav->SetRouteExtraFlags(flags); }
    uint32_t GetRouteEditFlags() { return FNav ? FNav->GetRouteEditFlags() : uint32_t{}; }
    void SetRouteEditFlags(uint32_t flags) { if (FNav) FNav->SetRouteEditFlags(flags); }
    int32_t GetLegWidth() { return FNav ? FNav->GetLegWidth() : int32_t{}; }
    void SetLegWidth(int32_t width) { if (FNav) FNav->SetLegWidth(width); }
    float GetRhumblineWidth() { return FNav ? FNav->GetRhumblineWidth() : float{}; }
    void SetRhumblineWidth(float width) { if (FNav) FNav->SetRhumblineWidth(width); }
    uint32_t GetWaypointFlags() { return FNav ? FNav->GetWaypointFlags() : uint32_t{}; }
    IWptWaypoint *GetWaypointAtMouse() { return FNav ? FNav->GetWaypointAtMouse() : nullptr; }
    IWptWaypoint *GetSelectedWaypoint() { return FNav ? FNav->GetSelectedWaypoint() : nullptr; }
    void SetSelectedWaypoint(IWptWaypoint *waypoint) {
        if (FNav) FNav->SetSelectedWaypoint(waypoint);
    }
    void RemoveWaypoint(IWptWaypoint *waypoint) { if (FNav) FNav->RemoveWaypoint(waypoint); }
    NavObject *GetDistancePointAtMouse() {
        return FNav ? FNav->GetDistancePointAtMouse() : nullptr;
    }
    void DeleteDistancePoint(NavObject *point) { if (FNav) FNav->DeleteDistancePoint(point); }
    void ClearDistanceCalculation() { if (FNav) FNav->ClearDistanceCalculation(); }
    IWptPolygon *GetAlarmZoneAtMouse() { return FNav ? FNav->GetAlarmZoneAtMouse() : nullptr; }
    IWptPolygon *GetEditAlarmZone() { return FNav ? FNav->GetEditAlarmZone() : nullptr; }
    NavObject *GetSelectedAlarmZonePoint() {
        return FNav ? FNav->GetSelectedAlarmZonePoint() : nullptr;
    }
    void SetAnchorGuardActive(bool on) { if (FNav) FNav->SetAnchorGuardActive(on); }
    void ShowTrack(INavTrack *track) { if (FNav) FNav->ShowTrack(track); }
    bool GetShowVisibleTracks() { return FNav ? FNav->GetShowVisibleTracks() : bool{}; }
    void SetShowVisibleTracks(bool on) { if (FNav) FNav->SetShowVisibleTracks(on); }
    bool GetShowTrackActive() { return FNav ? FNav->GetShowTrackActive() : bool{}; }
    void SetShowTrackActive(bool on) { if (FNav) FNav->SetShowTrackActive(on); }
    bool GetShowTrackNames() { return FNav ? FNav->GetShowTrackNames() : bool{}; }
    void SetShowTrackNames(bool on) { if (FNav) FNav->SetShowTrackNames(on); }
    bool GetTrackDrawComplete() { return FNav ? FNav->GetTrackDrawComplete() : bool{}; }
    void SetTrackDrawComplete(bool on) { if (FNav) FNav->SetTrackDrawComplete(on); }
    int32_t GetTrackLineWidth() { return FNav ? FNav->GetTrackLineWidth() : int32_t{}; }
    void SetTrackLineWidth(int32_t width) { if (FNav) FNav->SetTrackLineWidth(width); }
    int32_t GetTrackPointInterval() { return FNav ? FNav->GetTrackPointInterval() : int32_t{}; }
    void SetTrackPointInterval(int32_t seconds) { if (FNav) FNav->SetTrackPointInterval(seconds); }
    int32_t GetTrackTimeInterval() { return FNav ? FNav->GetTrackTimeInterval() : int32_t{}; }
    void SetTrackTimeInterval(int32_t seconds) { if (FNav) FNav->SetTrackTimeInterval(seconds); }
    void SetReplayTrack(INavTrack *track) { if (FNav) FNav->SetReplayTrack(track); }
    void GetTrackList(INavTrackList *out) { if (FNav) FNav->GetTrackList(out); }
    INavActiveTrackSource *GetActiveTrackSource() {
        return FNav ? FNav->GetActiveTrackSource() : nullptr;
    }
    uint32_t GetNetworkFlags() { return FNav ? FNav->GetNetworkFlags() : uint32_t{}; }
    IWWSection *GetNetworkSectionAtMouse() {
        return FNav ? FNav->GetNetworkSectionAtMouse() : nullptr;
    }
    double GetNetworkDistanceAtMouse() {
        return FNav ? FNav->GetNetworkDistanceAtMouse() : double{};
    }
    IWWStruct *GetSelectedStructure(int32_t index) {
        return FNav ? FNav->GetSelectedStructure(index) : nullptr;
    }
    uint32_t GetWWSectionColor() { return FNav ? FNav->GetWWSectionColor() : uint32_t{}; }
    void SetWWSectionColor(uint32_t argb) { if (FNav) FNav->SetWWSectionColor(argb); }
    uint32_t GetWWSectionColorBack() { return FNav ? FNav->GetWWSectionColorBack() : uint32_t{}; }
    void SetWWSectionColorBack(uint32_t argb) { if (FNav) FNav->SetWWSectionColorBack(argb); }
    uint32_t GetWWSectionColorUnpassable() {
        return FNav ? FNav->GetWWSectionColorUnpassable() : uint32_t{};
    }
    void SetWWSectionColorUnpassable(uint32_t argb) {
        if (FNav) FNav->SetWWSectionColorUnpassable(argb);
    }
    int32_t GetWWSectionMaxWidth() { return FNav ? FNav->GetWWSectionMaxWidth() : int32_t{}; }
    void SetWWSectionMaxWidth(int32_t width) { if (FNav) FNav->SetWWSectionMaxWidth(width); }
    void RefreshObjectLayer1() { if (FNav) FNav->RefreshObjectLayer1(); }
    void RefreshObjectLayer2() { if (FNav) FNav->RefreshObjectLayer2(); }
    void RefreshObjectLayer3() { if (FNav) FNav->RefreshObjectLayer3(); }
    void SetHighlightObject(NavObject *obj) { if (FNav) FNav->SetHighlightObject(obj); }
    bool GetS57PickEnabled() { return FNav ? FNav->GetS57PickEnabled() : bool{}; }
    void SetS57PickEnabled(bool on) { if (FNav) FNav->SetS57PickEnabled(on); }
    void SetSelectingReportPoint(bool on) { if (FNav) FNav->SetSelectingReportPoint(on); }
    void SetReportPosition(TGeoPoint pos) { if (FNav) FNav->SetReportPosition(pos); }
    uint32_t GetAISFlags() { return FNav ? FNav->GetAISFlags() : uint32_t{}; }
    void SetAISFlags(uint32_t flags) { if (FNav) FNav->SetAISFlags(flags); }
    float GetFontAISBoatScale() { return FNav ? FNav->GetFontAISBoatScale() : float{}; }
    void SetFontAISBoatScale(float scale) { if (FNav) FNav->SetFontAISBoatScale(scale); }
    uint32_t GetGRIBFlags() { return FNav ? FNav->GetGRIBFlags() : uint32_t{}; }
    int32_t GetGRIBIsobarInterval() { return FNav ? FNav->GetGRIBIsobarInterval() : int32_t{}; }
    void SetGRIBIsobarInterval(int32_t interval) {
        if (FNav) FNav->SetGRIBIsobarInterval(interval);
    }
    int32_t GetGRIBWaterlevelInterval() {
        return FNav ? FNav->GetGRIBWaterlevelInterval() : int32_t{};
    }
    void SetGRIBWaterlevelInterval(int32_t interval) {
        if (FNav) FNav->SetGRIBWaterlevelInterval(interval);
    }
    double GetGRIBViewScaleDrawLimit() {
        return FNav ? FNav->GetGRIBViewScaleDrawLimit() : double{};
    }
    void SetGRIBViewScaleDrawLimit(double scale) {
        if (FNav) FNav->SetGRIBViewScaleDrawLimit(scale);
    }
    uint32_t GetTideFlags() { return FNav ? FNav->GetTideFlags() : uint32_t{}; }
    void SetTideFlags(uint32_t flags) { if (FNav) FNav->SetTideFlags(flags); }
    uint32_t GetGPSFlags() { return FNav ? FNav->GetGPSFlags() : uint32_t{}; }
    void SetColorAlarmzoneInside(uint32_t argb) { if (FNav) FNav->SetColorAlarmzoneInside(argb); }
    void SetColorAlarmzoneOutside(uint32_t argb) { if (FNav) FNav->SetColorAlarmzoneOutside(argb); }
    void SetColorLegActiveMotoring(uint32_t argb) {
        if (FNav) FNav->SetColorLegActiveMotoring(argb);
    }
    void SetColorLegActiveSailing(uint32_t argb) { if (FNav) FNav->SetColorLegActiveSailing(argb); }
    void SetColorLegActiveSailingSpi(uint32_t argb) {
        if (FNav) FNav->SetColorLegActiveSailingSpi(argb);
    }
    void SetColorLegActiveTacking(uint32_t argb) { if (FNav) FNav->SetColorLegActiveTacking(argb); }
    void SetColorLegEditMotoring(uint32_t argb) { if (FNav) FNav->SetColorLegEditMotoring(argb); }
    void SetColorLegEditSailing(uint32_t argb) { if (FNav) FNav->SetColorLegEditSailing(argb); }
    void SetColorLegEditSailingSpi(uint32_t argb) {
        if (FNav) FNav->SetColorLegEditSailingSpi(argb);
    }
    void SetColorLegEditTacking(uint32_t argb) { if (FNav) FNav->SetColorLegEditTacking(argb); }
    void SetColorLegSelectedMotoring(uint32_t argb) {
        if (FNav) FNav->SetColorLegSelectedMotoring(argb);
    }
    void SetColorLegSelectedSailing(uint32_t argb) {
        if (FNav) FNav->SetColorLegSelectedSailing(argb);
    }
    void SetColorLegSelectedSailingSpi(uint32_t argb) {
        if (FNav) FNav->SetColorLegSelectedSailingSpi(argb);
    }
    void SetColorLegSelectedTacking(uint32_t argb) {
        if (FNav) FNav->SetColorLegSelectedTacking(argb);
    }
    void SetColorLegMotoring(uint32_t argb) { if (FNav) FNav->SetColorLegMotoring(argb); }
    void SetColorLegSailing(uint32_t argb) { if (FNav) FNav->SetColorLegSailing(argb); }
    void SetColorLegSailingSpi(uint32_t argb) { if (FNav) FNav->SetColorLegSailingSpi(argb); }
    void SetColorLegTacking(uint32_t argb) { if (FNav) FNav->SetColorLegTacking(argb); }
    void SetColorLegBack(uint32_t argb) { if (FNav) FNav->SetColorLegBack(argb); }
    void SetColorRhumbline(uint32_t argb) { if (FNav) FNav->SetColorRhumbline(argb); }
    uint32_t GetColorLegActiveMotoring() {
        return FNav ? FNav->GetColorLegActiveMotoring() : uint32_t{};
    }
    uint32_t GetColorLegBack() { return FNav ? FNav->GetColorLegBack() : uint32_t{}; }
    uint32_t GetColorLegEditMotoring() {
        return FNav ? FNav->GetColorLegEditMotoring() : uint32_t{};
    }
    uint32_t GetColorLegMotoring() { return FNav ? FNav->GetColorLegMotoring() : uint32_t{}; }
    uint32_t GetColorRhumbline() { return FNav ? FNav->GetColorRhumbline() : uint32_t{}; }
    float GetCursorScale() { return FNav ? FNav->GetCursorScale() : float{}; }
    void SetCursorScale(float scale) { if (FNav) FNav->SetCursorScale(scale); }
    bool GetDistanceCirclesAuto() { return FNav ? FNav->GetDistanceCirclesAuto() : bool{}; }
    void SetDistanceCirclesAuto(bool on) { if (FNav) FNav->SetDistanceCirclesAuto(on); }
    float GetDistanceCircles() { return FNav ? FNav->GetDistanceCircles() : float{}; }
    void SetDistanceCircles(float metres) { if (FNav) FNav->SetDistanceCircles(metres); }
    int32_t GetDistanceCirclesCount() { return FNav ? FNav->GetDistanceCirclesCount() : int32_t{}; }
    void SetDistanceCirclesCount(int32_t count) { if (FNav) FNav->SetDistanceCirclesCount(count); }
    int32_t GetMaxHeightRadiusMM() { return FNav ? FNav->GetMaxHeightRadiusMM() : int32_t{}; }
    void SetMaxHeightRadiusMM(int32_t mm) { if (FNav) FNav->SetMaxHeightRadiusMM(mm); }
    bool GetShowBearingLine() { return FNav ? FNav->GetShowBearingLine() : bool{}; }
    void SetShowBearingLine(bool on) { if (FNav) FNav->SetShowBearingLine(on); }
    bool GetShowCompassNeedle() { return FNav ? FNav->GetShowCompassNeedle() : bool{}; }
    bool GetShowLogbook() { return FNav ? FNav->GetShowLogbook() : bool{}; }
    void SetShowLogbook(bool on) { if (FNav) FNav->SetShowLogbook(on); }
    bool GetShowNavInfo() { return FNav ? FNav->GetShowNavInfo() : bool{}; }
    void SetShowNavInfo(bool on) { if (FNav) FNav->SetShowNavInfo(on); }
    bool GetShowPolygons() { return FNav ? FNav->GetShowPolygons() : bool{}; }
    void SetShowPolygons(bool on) { if (FNav) FNav->SetShowPolygons(on); }
    bool GetShowScaleBar() { return FNav ? FNav->GetShowScaleBar() : bool{}; }
    bool GetShowScaleValue() { return FNav ? FNav->GetShowScaleValue() : bool{}; }
    void SetShowScaleValue(bool on) { if (FNav) FNav->SetShowScaleValue(on); }
    bool GetSmartLabels() { return FNav ? FNav->GetSmartLabels() : bool{}; }
    void SetSmartLabels(bool on) { if (FNav) FNav->SetSmartLabels(on); }
    int32_t GetSmartLabelTransparency() {
        return FNav ? FNav->GetSmartLabelTransparency() : int32_t{};
    }
    void SetSmartLabelTransparency(int32_t transparency) {
        if (FNav) FNav->SetSmartLabelTransparency(transparency);
    }
    void SetScaleSettings(INavScaleInfo *info) { if (FNav) FNav->SetScaleSettings(info); }
    void PrintOverlays(DeviceContext printerDC, IGeodeticCalibration *pageCal, bool routes,
                       bool tracks, bool waypoints) {
        if (FNav) FNav->PrintOverlays(printerDC, pageCal, routes, tracks, waypoints);
    }

    // ---- printing -------------------------------------------------------------------------
    // Prints the current view on a printer the print dialog has set up: widthMM × heightMM
    // centred on the page, or the whole page when either is 0. flags: PrintFlags bits;
    // orientation 0 automatic (landscape for a wide view), 1 portrait, 2 landscape.
    // result: 0 printed, 2 cancelled through OnPrintProgress, 90 the printer failed. A
    // calibration failure raises "TChartViewer.Print(n): ..." with the job aborted.
    void Print(QPrinter &printer, int32_t widthMM, int32_t heightMM, uint8_t flags,
               uint8_t orientation, int32_t &result);
    void PrintView(QPrinter &printer, int32_t widthMM, int32_t heightMM, int32_t &result);

protected:
    void PrintDecorations(const TRect &printRect, IGeodeticCalibration *cal) override;
    void PrintProgress(IBmp32 *bitmap, IGeodeticCalibration *cal, bool &abort) override;
    IS3DChartViewer *CreateViewer(IS3D *engine, int32_t viewerIndex, IS3DTileManager *tiles,
                                  IS3DOSMTileManager *backgroundTiles, IS57ChartLoader *loader,
                                  IS3DChartDataCache *cache) override;
    void Resized() override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // True when the key was one of the control's own (it then goes no further).
    bool HandleViewerKey(int key, Qt::KeyboardModifiers modifiers);
    void ZoomByKey(double factor);

    void PrintTracks(QPainter &painter, IGeodeticCalibration *cal);
    void PrintInformationBox(QPainter &painter, const TRect &r);

    INavViewer *FNav = nullptr;  // FViewer, seen as the navigation viewer
    QPainter *FPrintPainter = nullptr;  // while a print job runs
};
