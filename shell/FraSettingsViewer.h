// A chart viewer's tab of the view settings: its display options (own-ship cursor,
// waypoints, routes, tracks, charts) taken from the viewer frame into a working copy, edited
// on five pages (a column of tiles) and written back to that frame on OK only. The chosen
// tile is remembered under the viewer's key at once. GUI thread.
#pragma once

#include "shell/SettingsTiles.h"

#include <cstdint>

class TFrameViewer;
class TMarivoNavEnv;

// The working copy; flag words are the viewer's bit sets.
struct TChartViewerSettings {
    float FontAISBoatScale = 1.0f;
    bool ConnectS57Depths = false;
    uint32_t AISFlags = 0, GPSFlags = 0, WaypointFlags = 0, NetworkFlags = 0;
    bool DistanceCirclesAuto = true;
    int32_t DistanceCirclesCount = 5;
    float DistanceCircles = 1852.0f;  // metres
    uint32_t GRIBFlags = 0;
    int32_t GRIBIsobarInterval = 0;
    double GRIBViewScaleDrawLimit = 0.0;
    int32_t GRIBWaterlevelInterval = 0;
    bool HighlightChartAtMouse = false;
    int32_t MaxHeightRadiusMM = 60;
    uint32_t RouteFlags = 0, RouteExtraFlags = 0;
    float SailingBoatScaleFactor = 20.0f;
    bool ShowBearingLine = false, ShowChartBounds = false, ShowCompassNeedle = true,
         ShowNavInfo = true, ShowScaleBar = true, ShowScaleValue = false, ShowTrackActive = true,
         ShowTrackNames = true, ShowVisibleTracks = true;
    uint32_t TideFlags = 0;
};

enum class TViewerSettingsCategory : uint8_t {
    AIS, Charts, GPSCursor, GRIB, Routes, Tides, Tracks, Waypoints
};

class TFrameSettingsViewer : public TSettingsTileFrame {
    Q_OBJECT
public:
    // parent: the tab (nullptr for a page kept without a tab).
    TFrameSettingsViewer(QWidget *parent, TFrameViewer &viewer, TMarivoNavEnv &env);

    // Unknown, empty, GRIB, AIS and tides give the GPS cursor: no tile of theirs exists.
    static TViewerSettingsCategory NameToCategory(const QString &name);
    static QString CategoryToName(TViewerSettingsCategory category);

    TChartViewerSettings &Settings() { return FSettings; }
    TFrameViewer &ViewerFrame() const { return FViewer; }
    void ApplyToViewer();
    void BuildCategoryTree();

private:
    void LoadFromViewer();

    TFrameViewer &FViewer;
    TMarivoNavEnv &FEnv;
    TChartViewerSettings FSettings;
};

// The flag bits the viewer pages edit.
namespace ViewerSettingsBit {
inline constexpr uint32_t GPSIMOCircles = 0x2, GPSDistanceCircles = 0x4, GPSScaledOutline = 0x10,
                          GPSVectors = 0x20, GPSWindVectors = 0x40, GPSLaylines = 0x80,
                          GPSRelWindAsVane = 0x100, GPSCourseLine = 0x4000;
inline constexpr uint32_t WaypointsShown = 0x1, WaypointNameLabels = 0x2,
                          WaypointNotifications = 0x4, WaypointBigScaleNames = 0x20,
                          WaypointSectors = 0x200;
inline constexpr uint32_t NetworkSections = 0x1, NetworkStructures = 0x8,
                          NetworkSectionNamesLabels = 0x10, NetworkDistanceMarks = 0x200,
                          NetworkUnpassable = 0x400, NetworkStructureNames = 0x800,
                          NetworkSectionNames = 0x1000;
inline constexpr uint32_t RoutesShown = 0x1, RouteNameLabels = 0x2, RoutePointNameLabels = 0x4,
                          RouteDistanceLabels = 0x8;
inline constexpr uint32_t RouteExtraPassageTimes = 0x1, RouteExtraLegInfo = 0x8 | 0x20,
                          RouteExtraPlumbline = 0x800;
}  // namespace ViewerSettingsBit
