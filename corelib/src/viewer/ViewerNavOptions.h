// The navigation viewer's display options: the values its settings dialogs set and read back
// (colours, flags, widths, units, click points). A changed look redraws the view; the viewer
// reads the values while it draws.
#pragma once

#include "viewer/ViewerFace.h"

#include "KvLibNav6/KvViewer.h"

#include <algorithm>

namespace kv::render {

class TNavViewerOptions : public TChartViewerFace<INavViewer> {
public:
    using TChartViewerFace::TChartViewerFace;

    void SetObjectClickPoint(int32_t x, int32_t y) override { FObjectClickPoint = TPoint{x, y}; }
    void SetSectionClickPoint(int32_t x, int32_t y) override { FSectionClickPoint = TPoint{x, y}; }
    bool GetAnchorGuardActive() override { return FAnchorGuardActive; }
    bool GetTrackReplayMode() override { return FTrackReplayMode; }
    TDateTime GetReplayTime() override { return FReplayTime; }
    void SetOtherClickPoint(int32_t x, int32_t y) override { FOtherClickPoint = TPoint{x, y}; }
    void SetColorGPSFix(uint32_t argb) override {
        FColorGPSFix = argb;
        FCore.Invalidate();
    }
    void SetColorGPSNoFix(uint32_t argb) override {
        FColorGPSNoFix = argb;
        FCore.Invalidate();
    }
    void SetOverviewMode(bool on) override {
        FOverviewMode = on;
        FCore.Invalidate();
    }
    void SetMainViewerOption321(int32_t value) override {
        FMainViewerOption321 = value;
        FCore.Invalidate();
    }
    void SetShowCompassNeedle(bool on) override {
        FShowCompassNeedle = on;
        FCore.Invalidate();
    }
    void SetShowScaleBar(bool on) override {
        FShowScaleBar = on;
        FCore.Invalidate();
    }
    void SetGPSFlags(uint32_t flags) override {
        FGPSFlags = flags;
        FCore.Invalidate();
    }
    void SetGRIBFlags(uint32_t flags) override {
        FGRIBFlags = flags;
        FCore.Invalidate();
    }
    void SetReplayTime(TDateTime time) override {
        FReplayTime = time;
        FCore.Invalidate();
    }
    void SetTrackingAutoPos(bool on) override {
        FTrackingAutoPos = on;
        FCore.Invalidate();
    }
    void SetTrackingNowOnly(bool on) override {
        FTrackingNowOnly = on;
        FCore.Invalidate();
    }
    void SetTrackingTarget(int32_t target) override {
        FTrackingTarget = target;
        FCore.Invalidate();
    }
    void SetNAPWaterLevel(float level) override {
        FNAPWaterLevel = level;
        FCore.Invalidate();
    }
    void SetPlannerParam2(float value) override {
        FPlannerParam2 = value;
        FCore.Invalidate();
    }
    void SetPlannerParam3(float value) override {
        FPlannerParam3 = value;
        FCore.Invalidate();
    }
    void SetWaypointFlags(uint32_t flags) override {
        FWaypointFlags = flags;
        FCore.FLightSectors = (flags & NavViewerWaypointFlag::Sectors) != 0;
        FCore.Invalidate();
    }
    void SetNetworkFlags(uint32_t flags) override {
        FNetworkFlags = flags;
        FCore.Invalidate();
    }
    void SetWaterReportClickPoint(int32_t x, int32_t y) override { FWaterReportClickPoint = TPoint{x, y}; }
    void SetTrackOption(int32_t option) override {
        FTrackOption = option;
        FCore.Invalidate();
    }
    void SetFocused(bool focused) override {
        FFocused = focused;
        FCore.Invalidate();
    }
    void SetUnitDistanceLarge(int32_t unit) override {
        FUnitDistanceLarge = unit;
        FCore.Invalidate();
    }
    void SetUnitDistanceSmall(int32_t unit) override {
        FUnitDistanceSmall = unit;
        FCore.Invalidate();
    }
    void SetUnitSpeed(int32_t unit) override {
        FUnitSpeed = unit;
        FCore.Invalidate();
    }
    void SetUnitVolume(int32_t unit) override {
        FUnitVolume = unit;
        FCore.Invalidate();
    }
    void SetInfoPanelWidth(int32_t width) override {
        FInfoPanelWidth = width;
        FCore.Invalidate();
    }
    bool GetTrackingAutoPos() override { return FTrackingAutoPos; }
    bool GetTrackingNowOnly() override { return FTrackingNowOnly; }
    int32_t GetTrackingTarget() override { return FTrackingTarget; }
    bool GetTrackingZoom100() override { return FTrackingZoom100; }
    void SetTrackingZoom100(bool on) override {
        FTrackingZoom100 = on;
        FCore.Invalidate();
    }
    uint32_t GetRouteFlags() override { return FRouteFlags; }
    void SetRouteFlags(uint32_t flags) override {
        FRouteFlags = flags;
        FCore.Invalidate();
    }
    uint32_t GetRouteExtraFlags() override { return FRouteExtraFlags; }
    void SetRouteExtraFlags(uint32_t flags) override {
        FRouteExtraFlags = flags;
        FCore.Invalidate();
    }
    uint32_t GetRouteEditFlags() override { return FRouteEditFlags; }
    void SetRouteEditFlags(uint32_t flags) override {
        FRouteEditFlags = flags;
        FCore.Invalidate();
    }
    int32_t GetLegWidth() override { return FLegWidth; }
    float GetRhumblineWidth() override { return FRhumblineWidth; }
    void SetRhumblineWidth(float width) override {
        FRhumblineWidth = width;
        FCore.Invalidate();
    }
    uint32_t GetWaypointFlags() override { return FWaypointFlags; }
    void SetAnchorGuardActive(bool on) override {
        FAnchorGuardActive = on;
        FCore.Invalidate();
    }
    bool GetShowVisibleTracks() override { return FShowVisibleTracks; }
    void SetShowVisibleTracks(bool on) override {
        FShowVisibleTracks = on;
        FCore.Invalidate();
    }
    bool GetShowTrackActive() override { return FShowTrackActive; }
    void SetShowTrackActive(bool on) override {
        FShowTrackActive = on;
        FCore.Invalidate();
    }
    bool GetShowTrackNames() override { return FShowTrackNames; }
    void SetShowTrackNames(bool on) override {
        FShowTrackNames = on;
        FCore.Invalidate();
    }
    bool GetTrackDrawComplete() override { return FTrackDrawComplete; }
    void SetTrackDrawComplete(bool on) override {
        FTrackDrawComplete = on;
        FCore.Invalidate();
    }
    int32_t GetTrackLineWidth() override { return FTrackLineWidth; }
    int32_t GetTrackPointInterval() override { return FTrackPointInterval; }
    void SetTrackPointInterval(int32_t seconds) override {
        FTrackPointInterval = seconds;
        FCore.Invalidate();
    }
    int32_t GetTrackTimeInterval() override { return FTrackTimeInterval; }
    void SetTrackTimeInterval(int32_t seconds) override {
        FTrackTimeInterval = seconds;
        FCore.Invalidate();
    }
    uint32_t GetNetworkFlags() override { return FNetworkFlags; }
    uint32_t GetWWSectionColor() override { return FWWSectionColor; }
    void SetWWSectionColor(uint32_t argb) override {
        FWWSectionColor = argb;
        FCore.Invalidate();
    }
    uint32_t GetWWSectionColorBack() override { return FWWSectionColorBack; }
    void SetWWSectionColorBack(uint32_t argb) override {
        FWWSectionColorBack = argb;
        FCore.Invalidate();
    }
    uint32_t GetWWSectionColorUnpassable() override { return FWWSectionColorUnpassable; }
    void SetWWSectionColorUnpassable(uint32_t argb) override {
        FWWSectionColorUnpassable = argb;
        FCore.Invalidate();
    }
    int32_t GetWWSectionMaxWidth() override { return FWWSectionMaxWidth; }
    void SetWWSectionMaxWidth(int32_t width) override {
        FWWSectionMaxWidth = width;
        FCore.Invalidate();
    }
    bool GetS57PickEnabled() override { return FS57PickEnabled; }
    void SetS57PickEnabled(bool on) override {
        FS57PickEnabled = on;
        FCore.Invalidate();
    }
    uint32_t GetAISFlags() override { return FAISFlags; }
    void SetAISFlags(uint32_t flags) override {
        FAISFlags = flags;
        FCore.Invalidate();
    }
    float GetFontAISBoatScale() override { return FFontAISBoatScale; }
    void SetFontAISBoatScale(float scale) override {
        FFontAISBoatScale = scale;
        FCore.Invalidate();
    }
    uint32_t GetGRIBFlags() override { return FGRIBFlags; }
    int32_t GetGRIBIsobarInterval() override { return FGRIBIsobarInterval; }
    void SetGRIBIsobarInterval(int32_t interval) override {
        FGRIBIsobarInterval = interval;
        FCore.Invalidate();
    }
    int32_t GetGRIBWaterlevelInterval() override { return FGRIBWaterlevelInterval; }
    void SetGRIBWaterlevelInterval(int32_t interval) override {
        FGRIBWaterlevelInterval = interval;
        FCore.Invalidate();
    }
    double GetGRIBViewScaleDrawLimit() override { return FGRIBViewScaleDrawLimit; }
    void SetGRIBViewScaleDrawLimit(double scale) override {
        FGRIBViewScaleDrawLimit = scale;
        FCore.Invalidate();
    }
    uint32_t GetTideFlags() override { return FTideFlags; }
    void SetTideFlags(uint32_t flags) override {
        FTideFlags = flags;
        FCore.Invalidate();
    }
    uint32_t GetGPSFlags() override { return FGPSFlags; }
    void SetColorAlarmzoneInside(uint32_t argb) override {
        FColorAlarmzoneInside = argb;
        FCore.Invalidate();
    }
    void SetColorAlarmzoneOutside(uint32_t argb) override {
        FColorAlarmzoneOutside = argb;
        FCore.Invalidate();
    }
    void SetColorLegActiveMotoring(uint32_t argb) override {
        FColorLegActiveMotoring = argb;
        FCore.Invalidate();
    }
    void SetColorLegActiveSailing(uint32_t argb) override {
        FColorLegActiveSailing = argb;
        FCore.Invalidate();
    }
    void SetColorLegActiveSailingSpi(uint32_t argb) override {
        FColorLegActiveSailingSpi = argb;
        FCore.Invalidate();
    }
    void SetColorLegActiveTacking(uint32_t argb) override {
        FColorLegActiveTacking = argb;
        FCore.Invalidate();
    }
    void SetColorLegEditMotoring(uint32_t argb) override {
        FColorLegEditMotoring = argb;
        FCore.Invalidate();
    }
    void SetColorLegEditSailing(uint32_t argb) override {
        FColorLegEditSailing = argb;
        FCore.Invalidate();
    }
    void SetColorLegEditSailingSpi(uint32_t argb) override {
        FColorLegEditSailingSpi = argb;
        FCore.Invalidate();
    }
    void SetColorLegEditTacking(uint32_t argb) override {
        FColorLegEditTacking = argb;
        FCore.Invalidate();
    }
    void SetColorLegSelectedMotoring(uint32_t argb) override {
        FColorLegSelectedMotoring = argb;
        FCore.Invalidate();
    }
    void SetColorLegSelectedSailing(uint32_t argb) override {
        FColorLegSelectedSailing = argb;
        FCore.Invalidate();
    }
    void SetColorLegSelectedSailingSpi(uint32_t argb) override {
        FColorLegSelectedSailingSpi = argb;
        FCore.Invalidate();
    }
    void SetColorLegSelectedTacking(uint32_t argb) override {
        FColorLegSelectedTacking = argb;
        FCore.Invalidate();
    }
    void SetColorLegMotoring(uint32_t argb) override {
        FColorLegMotoring = argb;
        FCore.Invalidate();
    }
    void SetColorLegSailing(uint32_t argb) override {
        FColorLegSailing = argb;
        FCore.Invalidate();
    }
    void SetColorLegSailingSpi(uint32_t argb) override {
        FColorLegSailingSpi = argb;
        FCore.Invalidate();
    }
    void SetColorLegTacking(uint32_t argb) override {
        FColorLegTacking = argb;
        FCore.Invalidate();
    }
    void SetColorLegBack(uint32_t argb) override {
        FColorLegBack = argb;
        FCore.Invalidate();
    }
    void SetColorRhumbline(uint32_t argb) override {
        FColorRhumbline = argb;
        FCore.Invalidate();
    }
    uint32_t GetColorLegActiveMotoring() override { return FColorLegActiveMotoring; }
    uint32_t GetColorLegBack() override { return FColorLegBack; }
    uint32_t GetColorLegEditMotoring() override { return FColorLegEditMotoring; }
    uint32_t GetColorLegMotoring() override { return FColorLegMotoring; }
    uint32_t GetColorRhumbline() override { return FColorRhumbline; }
    float GetCursorScale() override { return FCursorScale; }
    bool GetDistanceCirclesAuto() override { return FDistanceCirclesAuto; }
    void SetDistanceCirclesAuto(bool on) override {
        FDistanceCirclesAuto = on;
        FCore.Invalidate();
    }
    float GetDistanceCircles() override { return FDistanceCircles; }
    void SetDistanceCircles(float metres) override {
        FDistanceCircles = metres;
        FCore.Invalidate();
    }
    int32_t GetDistanceCirclesCount() override { return FDistanceCirclesCount; }
    int32_t GetMaxHeightRadiusMM() override { return FMaxHeightRadiusMM; }
    void SetMaxHeightRadiusMM(int32_t mm) override {
        FMaxHeightRadiusMM = mm;
        FCore.FSectorRadiusMMPer10M = std::max(0, mm);
        FCore.Invalidate();
    }
    bool GetShowBearingLine() override { return FShowBearingLine; }
    void SetShowBearingLine(bool on) override {
        FShowBearingLine = on;
        FCore.Invalidate();
    }
    bool GetShowCompassNeedle() override { return FShowCompassNeedle; }
    bool GetShowLogbook() override { return FShowLogbook; }
    void SetShowLogbook(bool on) override {
        FShowLogbook = on;
        FCore.Invalidate();
    }
    bool GetShowNavInfo() override { return FShowNavInfo; }
    void SetShowNavInfo(bool on) override {
        FShowNavInfo = on;
        FCore.Invalidate();
    }
    bool GetShowPolygons() override { return FShowPolygons; }
    void SetShowPolygons(bool on) override {
        FShowPolygons = on;
        FCore.Invalidate();
    }
    bool GetShowScaleBar() override { return FShowScaleBar; }
    bool GetShowScaleValue() override { return FShowScaleValue; }
    void SetShowScaleValue(bool on) override {
        FShowScaleValue = on;
        FCore.Invalidate();
    }
    bool GetSmartLabels() override { return FSmartLabels; }
    void SetSmartLabels(bool on) override {
        FSmartLabels = on;
        FCore.Invalidate();
    }
    int32_t GetSmartLabelTransparency() override { return FSmartLabelTransparency; }
    void SetSmartLabelTransparency(int32_t transparency) override {
        FSmartLabelTransparency = transparency;
        FCore.Invalidate();
    }

protected:
    uint32_t FAISFlags{};
    bool FAnchorGuardActive{};
    uint32_t FColorAlarmzoneInside{0x40FF0000u};
    uint32_t FColorAlarmzoneOutside{0xFFFF0000u};
    uint32_t FColorGPSFix{0xFF000000u};
    uint32_t FColorGPSNoFix{0xFF808080u};
    uint32_t FColorLegActiveMotoring{0xFF10A010u};
    uint32_t FColorLegActiveSailing{0xFF10A010u};
    uint32_t FColorLegActiveSailingSpi{0xFF10A010u};
    uint32_t FColorLegActiveTacking{0xFF10A010u};
    uint32_t FColorLegBack{0xC0FFFFFFu};
    uint32_t FColorLegEditMotoring{0xFFE01010u};
    uint32_t FColorLegEditSailing{0xFFE01010u};
    uint32_t FColorLegEditSailingSpi{0xFFE01010u};
    uint32_t FColorLegEditTacking{0xFFE01010u};
    uint32_t FColorLegMotoring{0xFF0050C8u};
    uint32_t FColorLegSailing{0xFF0050C8u};
    uint32_t FColorLegSailingSpi{0xFF0050C8u};
    uint32_t FColorLegSelectedMotoring{0xFFFF8C00u};
    uint32_t FColorLegSelectedSailing{0xFFFF8C00u};
    uint32_t FColorLegSelectedSailingSpi{0xFFFF8C00u};
    uint32_t FColorLegSelectedTacking{0xFFFF8C00u};
    uint32_t FColorLegTacking{0xFF0050C8u};
    uint32_t FColorRhumbline{0xFF808080u};
    float FCursorScale{1.0f};
    float FDistanceCircles{100.0f};
    bool FDistanceCirclesAuto{true};
    int32_t FDistanceCirclesCount{3};
    bool FFocused{};
    float FFontAISBoatScale{1.0f};
    uint32_t FGPSFlags{NavViewerGPSFlag::Cursor};
    uint32_t FGRIBFlags{};
    int32_t FGRIBIsobarInterval{};
    double FGRIBViewScaleDrawLimit{};
    int32_t FGRIBWaterlevelInterval{};
    int32_t FInfoPanelWidth{};
    int32_t FLegWidth{4};
    int32_t FMainViewerOption321{};
    int32_t FMaxHeightRadiusMM{};
    float FNAPWaterLevel{};
    uint32_t FNetworkFlags{};
    TPoint FObjectClickPoint{};
    TPoint FOtherClickPoint{};
    bool FOverviewMode{};
    float FPlannerParam2{};
    float FPlannerParam3{};
    TDateTime FReplayTime{};
    float FRhumblineWidth{1.0f};
    uint32_t FRouteEditFlags{NavViewerRouteEditFlag::Add | NavViewerRouteEditFlag::Delete | NavViewerRouteEditFlag::Move};
    uint32_t FRouteExtraFlags{};
    uint32_t FRouteFlags{NavViewerRouteFlag::Routes | NavViewerRouteFlag::PointNameLabels};
    bool FS57PickEnabled{true};
    TPoint FSectionClickPoint{};
    bool FShowBearingLine{};
    bool FShowCompassNeedle{true};
    bool FShowLogbook{};
    bool FShowNavInfo{};
    bool FShowPolygons{};
    bool FShowScaleBar{true};
    bool FShowScaleValue{};
    bool FShowTrackActive{true};
    bool FShowTrackNames{};
    bool FShowVisibleTracks{true};
    int32_t FSmartLabelTransparency{0};
    bool FSmartLabels{};
    uint32_t FTideFlags{};
    bool FTrackDrawComplete{};
    int32_t FTrackLineWidth{2};
    int32_t FTrackOption{};
    int32_t FTrackPointInterval{60};
    bool FTrackReplayMode{};
    int32_t FTrackTimeInterval{3600};
    bool FTrackingAutoPos{};
    bool FTrackingNowOnly{};
    int32_t FTrackingTarget{};
    bool FTrackingZoom100{};
    int32_t FUnitDistanceLarge{};
    int32_t FUnitDistanceSmall{};
    int32_t FUnitSpeed{};
    int32_t FUnitVolume{};
    uint32_t FWWSectionColor{0xFF0080FFu};
    uint32_t FWWSectionColorBack{0xC0C0C0C0u};
    uint32_t FWWSectionColorUnpassable{0xFFFF80C0u};
    int32_t FWWSectionMaxWidth{2};
    TPoint FWaterReportClickPoint{};
    uint32_t FWaypointFlags{NavViewerWaypointFlag::Waypoints | NavViewerWaypointFlag::NameLabels};
};

}  // namespace kv::render
