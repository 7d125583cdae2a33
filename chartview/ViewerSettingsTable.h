// The chart view's stored display settings as data: every value of the viewer section with
// its type, default, load rule and range, the flag sets with one Boolean per bit, and the
// generic reading and writing of them. Writes happen only where the store lacks the value
// or holds another one, so a start over a complete section writes nothing.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace ViewerSetting {

enum class TType { Bool, Int, Single, Double };
enum class TLoad {
    Read,    // read with its default
    Forced,  // the default is applied and written whatever was stored
    NotRead, // written by the program, never read back
};

struct TValue {
    const char16_t *Name;
    TType Type;
    double Default;
    TLoad Load = TLoad::Read;
    // The range a loaded value is clamped to (Min > Max: taken as stored).
    double Min = 1.0;
    double Max = 0.0;
};

struct TBit {
    uint32_t Bit;
    const char16_t *Name;
    bool Default;
    TLoad Load;
    // Further viewer bits the stored Boolean stands for (not written by themselves).
    uint32_t AlsoBits = 0;
};

using TGroup = std::vector<TBit>;

extern const TGroup AIS, GPS, GRIB, Route, RouteExtra, Tide, Waypoint, Network;

extern const TValue ScaleMode, ScaleDepth, ScaleWaves, ScalePixV, ScaleCurrent10x,
    ScaleTimeCount, ScaleTimeLen;
extern const TValue WWSectionColor, WWSectionColorBack, WWSectionColorUnpassable,
    WWSectionMaxWidth, CursorScale;
extern const TValue ColorAlarmzoneInside, ColorAlarmzoneOutside, ColorLegActiveMotoring,
    ColorLegActiveSailing, ColorLegActiveSailingSpi, ColorLegActiveTacking, ColorLegBack,
    ColorLegEditMotoring, ColorLegEditSailing, ColorLegEditSailingSpi, ColorLegEditTacking,
    ColorLegMotoring, ColorLegSailing, ColorLegSailingSpi, ColorLegTacking,
    ColorLegSelectedMotoring, ColorLegSelectedSailing, ColorLegSelectedSailingSpi,
    ColorLegSelectedTacking, ColorRhumbline;
extern const TValue ChartVisibility, DistanceCirclesAuto, DistanceCirclesCount, DistanceCircles,
    HighlightChartAtMouse, LegWidth, MaxHeightRadiusMM, TrackDrawComplete, RhumblineWidth,
    ShowChartBounds, ShowBearingLine, ShowCompassNeedle, ShowNavInfo, ShowPolygons, ShowScaleBar,
    ShowScaleValue, ShowTrackActive, ShowTrackNames, ShowVisibleTracks, SmartLabels,
    SmartLabelTransparency, ToolbarVisible, TrackLineWidth, TrackPointInterval,
    TrackTimeInterval, OSMLayerEnabled;
extern const TValue FontAISBoatScale, GRIBIsobarInterval, GRIBViewScaleDrawLimit,
    GRIBWaterlevelInterval, S57DisplayCategory, S57ShowNoticeMarks, S57WaterLevelOffset;
extern const TValue GPSCourseLine;

// Every single value the load passes through a frame setter (for tests and tools).
const std::vector<const TValue *> &LoadedValues();

double Clamp(const TValue &value, double v);
// A colour as the store keeps it (a signed 32-bit word) back to ARGB.
inline uint32_t AsColour(double v) {
    return uint32_t(int32_t(int64_t(v)));
}
// The stored value or the default; nothing written.
double ReadValue(const QString &key, const TValue &value);
// What the load applies: forced values give their default, others the stored value
// clamped to the range.
double LoadValue(const QString &key, const TValue &value);
// Writes when the store lacks the value or holds another one.
void StoreValue(const QString &key, const TValue &value, double v);
bool ReadBoolValue(const QString &key, const TValue &value);
// The viewer bits of a group as loaded: read Booleans, forced ones as their default.
uint32_t LoadFlagGroup(const QString &key, const TGroup &group);
// One Boolean per bit of the group.
void StoreFlagGroup(const QString &key, const TGroup &group, uint32_t flags);

// Writes the store was actually asked for since the start of the run (tests).
int WriteCount();

}  // namespace ViewerSetting
