// The frame's display settings: every value is handed to the viewer and written under the
// frame's key at once. The values, their types, defaults, load rules and ranges are one
// table (ViewerSettingsTable.h); loading and storing go through it.
#include "chartview/FraViewer.h"

#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegCharts.h"
#include "chartview/ViewerSettingsTable.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvNavEnv.h>

#include <QToolBar>

namespace VS = ViewerSetting;

namespace {

// The network's section-name bit follows the waypoints' name labels at load.
constexpr uint32_t WaypointNameLabels = 0x2;
constexpr uint32_t NetworkSectionNames = 0x10;
constexpr uint32_t WaypointLoadExtra = 0x400;

}  // namespace

// ---- flag sets ------------------------------------------------------------------------------

#define VIEWER_FLAGS(Name)                                                  \
    uint32_t TFrameViewer::Get##Name##Flags() { return FViewer->Get##Name##Flags(); } \
    void TFrameViewer::Set##Name##Flags(uint32_t flags) {                   \
        FViewer->Set##Name##Flags(flags);                                   \
        VS::StoreFlagGroup(objectName(), VS::Name, flags);                  \
    }

VIEWER_FLAGS(AIS)

uint32_t TFrameViewer::GetGPSFlags() { return FViewer->GetGPSFlags() | NavViewerGPSFlag::Cursor; }
void TFrameViewer::SetGPSFlags(uint32_t flags) {
    flags |= NavViewerGPSFlag::Cursor;
    FViewer->SetGPSFlags(flags);
    // The navigation state draws the course line whatever the user chose; the stored
    // choice is the user's.
    uint32_t stored = flags;
    if (FViewerState == ViewerStateIndex::Navigation) {
        stored &= ~NavViewerGPSFlag::CourseLine;
        if (VS::ReadBoolValue(objectName(), VS::GPSCourseLine)) stored |= NavViewerGPSFlag::CourseLine;
    }
    VS::StoreFlagGroup(objectName(), VS::GPS, stored);
    UpdateActions();
}

VIEWER_FLAGS(GRIB)

VIEWER_FLAGS(Route)

VIEWER_FLAGS(RouteExtra)

VIEWER_FLAGS(Tide)

VIEWER_FLAGS(Waypoint)

VIEWER_FLAGS(Network)
#undef VIEWER_FLAGS

// ---- single values --------------------------------------------------------------------------

#define VIEWER_VALUE(Type, Name, Table)                             \
    Type TFrameViewer::Get##Name() { return FViewer->Get##Name(); } \
    void TFrameViewer::Set##Name(Type value) {                      \
        FViewer->Set##Name(value);                                  \
        VS::StoreValue(objectName(), VS::Table, double(value));         \
    }

VIEWER_VALUE(uint32_t, WWSectionColor, WWSectionColor)
VIEWER_VALUE(uint32_t, WWSectionColorBack, WWSectionColorBack)
VIEWER_VALUE(uint32_t, WWSectionColorUnpassable, WWSectionColorUnpassable)
VIEWER_VALUE(int32_t, WWSectionMaxWidth, WWSectionMaxWidth)
VIEWER_VALUE(bool, DistanceCirclesAuto, DistanceCirclesAuto)
VIEWER_VALUE(int32_t, DistanceCirclesCount, DistanceCirclesCount)
VIEWER_VALUE(float, FontAISBoatScale, FontAISBoatScale)
VIEWER_VALUE(int32_t, GRIBIsobarInterval, GRIBIsobarInterval)
VIEWER_VALUE(double, GRIBViewScaleDrawLimit, GRIBViewScaleDrawLimit)
VIEWER_VALUE(int32_t, GRIBWaterlevelInterval, GRIBWaterlevelInterval)
VIEWER_VALUE(bool, HighlightChartAtMouse, HighlightChartAtMouse)
VIEWER_VALUE(int32_t, LegWidth, LegWidth)
VIEWER_VALUE(int32_t, MaxHeightRadiusMM, MaxHeightRadiusMM)
VIEWER_VALUE(bool, TrackDrawComplete, TrackDrawComplete)
VIEWER_VALUE(float, RhumblineWidth, RhumblineWidth)
VIEWER_VALUE(bool, ShowBearingLine, ShowBearingLine)
VIEWER_VALUE(bool, ShowCompassNeedle, ShowCompassNeedle)
VIEWER_VALUE(bool, ShowNavInfo, ShowNavInfo)
VIEWER_VALUE(bool, ShowPolygons, ShowPolygons)
VIEWER_VALUE(bool, ShowScaleBar, ShowScaleBar)
VIEWER_VALUE(bool, ShowScaleValue, ShowScaleValue)
VIEWER_VALUE(bool, ShowTrackActive, ShowTrackActive)
VIEWER_VALUE(bool, ShowTrackNames, ShowTrackNames)
VIEWER_VALUE(bool, ShowVisibleTracks, ShowVisibleTracks)
VIEWER_VALUE(bool, SmartLabels, SmartLabels)
VIEWER_VALUE(int32_t, SmartLabelTransparency, SmartLabelTransparency)
VIEWER_VALUE(int32_t, TrackLineWidth, TrackLineWidth)
VIEWER_VALUE(int32_t, TrackPointInterval, TrackPointInterval)
VIEWER_VALUE(int32_t, TrackTimeInterval, TrackTimeInterval)
#undef VIEWER_VALUE

#define VIEWER_COLOUR(Name)                                               \
    void TFrameViewer::SetColor##Name(uint32_t argb) {                    \
        FViewer->SetColor##Name(argb);                                    \
        VS::StoreValue(objectName(), VS::Color##Name, double(argb));          \
    }
VIEWER_COLOUR(AlarmzoneInside)
VIEWER_COLOUR(AlarmzoneOutside)
VIEWER_COLOUR(LegActiveMotoring)
VIEWER_COLOUR(LegActiveSailing)
VIEWER_COLOUR(LegActiveSailingSpi)
VIEWER_COLOUR(LegActiveTacking)
VIEWER_COLOUR(LegBack)
VIEWER_COLOUR(LegEditMotoring)
VIEWER_COLOUR(LegEditSailing)
VIEWER_COLOUR(LegEditSailingSpi)
VIEWER_COLOUR(LegEditTacking)
VIEWER_COLOUR(LegMotoring)
VIEWER_COLOUR(LegSailing)
VIEWER_COLOUR(LegSailingSpi)
VIEWER_COLOUR(LegTacking)
VIEWER_COLOUR(LegSelectedMotoring)
VIEWER_COLOUR(LegSelectedSailing)
VIEWER_COLOUR(LegSelectedSailingSpi)
VIEWER_COLOUR(LegSelectedTacking)
VIEWER_COLOUR(Rhumbline)
#undef VIEWER_COLOUR

uint32_t TFrameViewer::GetColorLegActiveMotoring() { return FViewer->GetColorLegActiveMotoring(); }
uint32_t TFrameViewer::GetColorLegBack() { return FViewer->GetColorLegBack(); }
uint32_t TFrameViewer::GetColorLegEditMotoring() { return FViewer->GetColorLegEditMotoring(); }
uint32_t TFrameViewer::GetColorLegMotoring() { return FViewer->GetColorLegMotoring(); }
uint32_t TFrameViewer::GetColorRhumbline() { return FViewer->GetColorRhumbline(); }

float TFrameViewer::GetCursorScale() { return FViewer->GetCursorScale(); }
void TFrameViewer::SetCursorScale(double scale) {
    const double clamped = VS::Clamp(VS::CursorScale, scale);
    FViewer->SetCursorScale(float(clamped));
    VS::StoreValue(objectName(), VS::CursorScale, clamped);
}

float TFrameViewer::GetDistanceCircles() { return FViewer->GetDistanceCircles(); }
void TFrameViewer::SetDistanceCircles(double metres) {
    VS::StoreValue(objectName(), VS::DistanceCircles, metres);
    FViewer->SetDistanceCircles(float(metres));
}

bool TFrameViewer::GetShowChartBounds() { return FViewer->GetShowChartBounds(); }
void TFrameViewer::SetShowChartBounds(bool value) {
    VS::StoreValue(objectName(), VS::ShowChartBounds, value);
    FViewer->SetShowChartBounds(value);
    RaiseStateChanged();
}

int32_t TFrameViewer::GetEditMode() { return FViewer->GetEditMode(); }
void TFrameViewer::SetEditMode(int32_t mode) {
    FViewer->SetEditMode(mode);
    RaiseStateChanged();
}

uint32_t TFrameViewer::GetRouteEditFlags() { return FViewer->GetRouteEditFlags(); }
void TFrameViewer::SetRouteEditFlags(uint32_t flags) { FViewer->SetRouteEditFlags(flags); }

void TFrameViewer::SetChartVisibility(int32_t value) {
    value = int32_t(VS::Clamp(VS::ChartVisibility, value));
    if (value != FChartVisibility) {
        FChartVisibility = value;
        const float factors[4] = {1.0f, 1.0f, 1.0f, float(value) / 10.0f};
        FViewer->SetChartColorFactors(factors);
        VS::StoreValue(objectName(), VS::ChartVisibility, value);
    }
}

void TFrameViewer::SetScaleInfo(INavScaleInfo *info) {
    if (!info) return;
    FViewer->SetScaleSettings(info);
    const QString key = objectName();
    VS::StoreValue(key, VS::ScaleDepth, info->GetDepth());
    VS::StoreValue(key, VS::ScaleWaves, info->GetWaves());
    const int32_t mode = info->GetScaleMode();
    if (mode == 0 || mode == 1) VS::StoreValue(key, VS::ScaleMode, mode);
    VS::StoreValue(key, VS::ScalePixV, info->GetPixelScale());
    VS::StoreValue(key, VS::ScaleCurrent10x, info->GetCurrent10x());
    VS::StoreValue(key, VS::ScaleTimeCount, info->GetTimeCount());
    VS::StoreValue(key, VS::ScaleTimeLen, info->GetTimeLength());
}

void TFrameViewer::SetToolbarVisible(bool value) {
    // The collapse strip that would bring a hidden toolbar back is not part of this
    // program, so nothing hides the toolbar through here.
    (void)value;
}

void TFrameViewer::StoreS57DisplaySettings() {
    IS52PresentationLib *lib = FEnv.S52Library;
    if (!lib) return;
    const int32_t index = FViewer->GetViewerIndex();
    const QString key = objectName();
    VS::StoreValue(key, VS::S57ShowNoticeMarks, (lib->GetDisplayFlags(index) & 0x400) != 0);
    const int32_t category = lib->GetDisplayCategory(index);
    if (category >= 0 && category <= 2) VS::StoreValue(key, VS::S57DisplayCategory, category);
}

// ---- loading --------------------------------------------------------------------------------

void TFrameViewer::LoadScaleInfo(const QString &key) {
    TNavPtr<INavScaleInfo> info(NavScaleInfoCreate());
    info->SetDepth(float(VS::LoadValue(key, VS::ScaleDepth)));
    info->SetWaves(float(VS::LoadValue(key, VS::ScaleWaves)));
    const int32_t mode = int32_t(VS::ReadValue(key, VS::ScaleMode));
    if (mode == 0 || mode == 1) info->SetScaleMode(mode);
    info->SetPixelScale(float(VS::LoadValue(key, VS::ScalePixV)));
    info->SetCurrent10x(VS::LoadValue(key, VS::ScaleCurrent10x) != 0.0);
    info->SetTimeCount(int32_t(VS::LoadValue(key, VS::ScaleTimeCount)));
    info->SetTimeLength(int32_t(VS::LoadValue(key, VS::ScaleTimeLen)));
    SetScaleInfo(info.get());
}

void TFrameViewer::LoadColours(const QString &key) {
    SetColorAlarmzoneInside(VS::AsColour(VS::LoadValue(key, VS::ColorAlarmzoneInside)));
    SetColorAlarmzoneOutside(VS::AsColour(VS::LoadValue(key, VS::ColorAlarmzoneOutside)));
    SetColorLegActiveMotoring(VS::AsColour(VS::LoadValue(key, VS::ColorLegActiveMotoring)));
    SetColorLegActiveSailing(VS::AsColour(VS::LoadValue(key, VS::ColorLegActiveSailing)));
    SetColorLegActiveSailingSpi(VS::AsColour(VS::LoadValue(key, VS::ColorLegActiveSailingSpi)));
    SetColorLegActiveTacking(VS::AsColour(VS::LoadValue(key, VS::ColorLegActiveTacking)));
    SetColorLegBack(VS::AsColour(VS::LoadValue(key, VS::ColorLegBack)));
    SetColorLegEditMotoring(VS::AsColour(VS::LoadValue(key, VS::ColorLegEditMotoring)));
    SetColorLegEditSailing(VS::AsColour(VS::LoadValue(key, VS::ColorLegEditSailing)));
    SetColorLegEditSailingSpi(VS::AsColour(VS::LoadValue(key, VS::ColorLegEditSailingSpi)));
    SetColorLegEditTacking(VS::AsColour(VS::LoadValue(key, VS::ColorLegEditTacking)));
    SetColorLegMotoring(VS::AsColour(VS::LoadValue(key, VS::ColorLegMotoring)));
    SetColorLegSailing(VS::AsColour(VS::LoadValue(key, VS::ColorLegSailing)));
    SetColorLegSailingSpi(VS::AsColour(VS::LoadValue(key, VS::ColorLegSailingSpi)));
    SetColorLegTacking(VS::AsColour(VS::LoadValue(key, VS::ColorLegTacking)));
    SetColorLegSelectedMotoring(VS::AsColour(VS::LoadValue(key, VS::ColorLegSelectedMotoring)));
    SetColorLegSelectedSailing(VS::AsColour(VS::LoadValue(key, VS::ColorLegSelectedSailing)));
    SetColorLegSelectedSailingSpi(VS::AsColour(VS::LoadValue(key, VS::ColorLegSelectedSailingSpi)));
    SetColorLegSelectedTacking(VS::AsColour(VS::LoadValue(key, VS::ColorLegSelectedTacking)));
    SetColorRhumbline(VS::AsColour(VS::LoadValue(key, VS::ColorRhumbline)));
}

void TFrameViewer::LoadDisplayValues(const QString &key) {
    SetChartVisibility(int32_t(VS::LoadValue(key, VS::ChartVisibility)));
    SetDistanceCirclesAuto(VS::LoadValue(key, VS::DistanceCirclesAuto) != 0.0);
    SetDistanceCirclesCount(int32_t(VS::LoadValue(key, VS::DistanceCirclesCount)));
    SetDistanceCircles(VS::LoadValue(key, VS::DistanceCircles));
    SetHighlightChartAtMouse(VS::LoadValue(key, VS::HighlightChartAtMouse) != 0.0);
    SetLegWidth(int32_t(VS::LoadValue(key, VS::LegWidth)));
    SetMaxHeightRadiusMM(int32_t(VS::LoadValue(key, VS::MaxHeightRadiusMM)));
    SetTrackDrawComplete(VS::LoadValue(key, VS::TrackDrawComplete) != 0.0);
    SetRhumblineWidth(float(VS::LoadValue(key, VS::RhumblineWidth)));
    SetShowChartBounds(VS::LoadValue(key, VS::ShowChartBounds) != 0.0);
    SetShowBearingLine(VS::LoadValue(key, VS::ShowBearingLine) != 0.0);
    SetShowCompassNeedle(VS::LoadValue(key, VS::ShowCompassNeedle) != 0.0);
    SetShowNavInfo(VS::LoadValue(key, VS::ShowNavInfo) != 0.0);
    SetShowPolygons(VS::LoadValue(key, VS::ShowPolygons) != 0.0);
    SetShowScaleBar(VS::LoadValue(key, VS::ShowScaleBar) != 0.0);
    SetShowScaleValue(VS::LoadValue(key, VS::ShowScaleValue) != 0.0);
    SetShowTrackActive(VS::LoadValue(key, VS::ShowTrackActive) != 0.0);
    SetShowTrackNames(VS::LoadValue(key, VS::ShowTrackNames) != 0.0);
    SetShowVisibleTracks(VS::LoadValue(key, VS::ShowVisibleTracks) != 0.0);
    SetSmartLabels(VS::LoadValue(key, VS::SmartLabels) != 0.0);
    SetSmartLabelTransparency(int32_t(VS::LoadValue(key, VS::SmartLabelTransparency)));
    SetToolbarVisible(VS::ReadValue(key, VS::ToolbarVisible) != 0.0);
}

void TFrameViewer::LoadSettings() {
    const QString key = objectName();
    LoadScaleInfo(key);
    SetAISFlags(VS::LoadFlagGroup(key, VS::AIS));
    SetGPSFlags(VS::LoadFlagGroup(key, VS::GPS) | NavViewerGPSFlag::Cursor);
    SetGRIBFlags(VS::LoadFlagGroup(key, VS::GRIB));
    SetRouteFlags(VS::LoadFlagGroup(key, VS::Route));
    SetRouteExtraFlags(VS::LoadFlagGroup(key, VS::RouteExtra));
    SetTideFlags(VS::LoadFlagGroup(key, VS::Tide));
    LoadViewStates(key);
    const uint32_t waypoints = VS::LoadFlagGroup(key, VS::Waypoint) | WaypointLoadExtra;
    SetWaypointFlags(waypoints);
    uint32_t network = VS::LoadFlagGroup(key, VS::Network);
    SetWWSectionColor(VS::AsColour(VS::LoadValue(key, VS::WWSectionColor)));
    SetWWSectionColorBack(VS::AsColour(VS::LoadValue(key, VS::WWSectionColorBack)));
    SetWWSectionColorUnpassable(VS::AsColour(VS::LoadValue(key, VS::WWSectionColorUnpassable)));
    SetWWSectionMaxWidth(int32_t(VS::LoadValue(key, VS::WWSectionMaxWidth)));
    if (waypoints & WaypointNameLabels) network |= NetworkSectionNames;
    SetNetworkFlags(network);
    SetCursorScale(VS::LoadValue(key, VS::CursorScale));
    LoadColours(key);
    SetTrackingAutoPos(false);
    LoadDisplayValues(key);
    if (FNowOnlyEnabled)
        FViewer->SetTrackingNowOnly(
            RegReadBoolDef(GetAppReg(), AppRegRoot::Product, key, RegName(u"TrackingNowOnly"), false));
    ApplyTrackingEnabled(RegReadTrackingEnabled(key));
    SetTrackingMode(RegReadTrackingMode(key, QStringLiteral("TrackingMode"), 5));
    FViewer->SetOverviewMode(true);
    SetTrackingTarget(NavViewerTrackingTarget::GPSPosition);
    SetTrackingZoom100(RegReadTrackingZoom100(key));
    SetTrackLineWidth(int32_t(VS::LoadValue(key, VS::TrackLineWidth)));
    SetTrackPointInterval(int32_t(VS::LoadValue(key, VS::TrackPointInterval)));
    SetTrackTimeInterval(int32_t(VS::LoadValue(key, VS::TrackTimeInterval)));
    FViewer->SetOSMLayerEnabled(VS::ReadValue(key, VS::OSMLayerEnabled) != 0.0);
    FViewer->SetBackgroundMapOption(0);
    UpdateActions();
}
