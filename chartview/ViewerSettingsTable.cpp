#include "chartview/ViewerSettingsTable.h"

#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"

#include <QDebug>
#include <algorithm>
#include <cmath>
#include <limits>

namespace ViewerSetting {

namespace {

constexpr int32_t Root = AppRegRoot::Product;
constexpr TType B = TType::Bool, I = TType::Int, S = TType::Single, D = TType::Double;
constexpr TLoad Read = TLoad::Read, Forced = TLoad::Forced, NotRead = TLoad::NotRead;
int Writes = 0;

QString NameOf(const char16_t *name) {
    return QString::fromUtf16(name);
}

// The stored value, or NaN when the store has none under that name.
double Stored(const QString &key, const QString &name, TType type) {
    IAppReg *reg = GetAppReg();
    const double none = std::numeric_limits<double>::quiet_NaN();
    switch (type) {
    case TType::Bool: {
        const bool a = RegReadBoolDef(reg, Root, key, RegName(name), false);
        const bool b = RegReadBoolDef(GetAppReg(), Root, key, RegName(name), true);
        return a == b ? double(a) : none;
    }
    case TType::Int: {
        const int32_t a = RegReadIntegerDef(reg, Root, key, RegName(name), 0);
        const int32_t b = RegReadIntegerDef(GetAppReg(), Root, key, RegName(name), 1);
        return a == b ? double(a) : none;
    }
    case TType::Single:
        return double(RegReadSingleDef(reg, Root, key, RegName(name), std::nanf("")));
    case TType::Double:
        return RegReadDoubleDef(reg, Root, key, RegName(name), none);
    }
    return none;
}

// What the store would hold after writing v: integers and colours as 32-bit words,
// singles in single precision.
double AsStored(TType type, double v) {
    switch (type) {
    case TType::Bool: return v != 0.0 ? 1.0 : 0.0;
    case TType::Int: return double(int32_t(int64_t(std::llround(v))));
    case TType::Single: return double(float(v));
    case TType::Double: return v;
    }
    return v;
}

void Write(const QString &key, const QString &name, TType type, double v) {
    const double stored = Stored(key, name, type);
    if (stored == AsStored(type, v)) return;
    int32_t err = 0;
    IAppReg *reg = GetAppReg();
    switch (type) {
    case TType::Bool: RegWriteBool(reg, Root, key, RegName(name), v != 0.0, err); break;
    case TType::Int:
        RegWriteInteger(reg, Root, key, RegName(name), int32_t(int64_t(std::llround(v))), err);
        break;
    case TType::Single: RegWriteSingle(reg, Root, key, RegName(name), float(v), err); break;
    case TType::Double: RegWriteDouble(reg, Root, key, RegName(name), v, err); break;
    }
    ++Writes;
    // A failed write leaves the viewer's value applied; the next start uses the old one.
    if (err != 0)
        qWarning().noquote() << "Settings:" << key + QLatin1Char('\\') + name << ErrorToStrA(err);
}

}  // namespace

// Colours are ARGB words; the store keeps them as signed 32-bit integers.
#define COLOUR(Var, Name, Argb) const TValue Var{u"" Name, I, double(int32_t(uint32_t(Argb)))}

const TValue ScaleMode{u"ScaleMode", I, 1};
const TValue ScaleDepth{u"ScaleDepth", S, 25.0};
const TValue ScaleWaves{u"ScaleWaves", S, 0.2};
const TValue ScalePixV{u"ScalePixV", S, 0.17148148};
const TValue ScaleCurrent10x{u"ScaleCurrent10x", B, 1};
const TValue ScaleTimeCount{u"ScaleTimeCount", I, 5};
const TValue ScaleTimeLen{u"ScaleTimeLen", I, 120};
COLOUR(WWSectionColor, "WWSectionColor", 0xFF0080FF);
COLOUR(WWSectionColorBack, "WWSectionColorBack", 0xC0C0C0C0);
COLOUR(WWSectionColorUnpassable, "WWSectionColorUnpassable", 0xFFFF80C0);
const TValue WWSectionMaxWidth{u"WWSectionMaxWidth", I, 2, Read, 1, 20};
const TValue CursorScale{u"CursorScale", D, 1.0, Read, 0.8, 2.0};
COLOUR(ColorAlarmzoneInside, "ColorAlarmzoneInside", 0xFFFF0000);
COLOUR(ColorAlarmzoneOutside, "ColorAlarmzoneOutside", 0xFF00FF00);
COLOUR(ColorLegActiveMotoring, "ColorLegActiveMotoring", 0xFF0000FF);
COLOUR(ColorLegActiveSailing, "ColorLegActiveSailing", 0xFF0080FF);
COLOUR(ColorLegActiveSailingSpi, "ColorLegActiveSailingSpi", 0xFFE500FF);
COLOUR(ColorLegActiveTacking, "ColorLegActiveTacking", 0xFF80FFFF);
COLOUR(ColorLegBack, "ColorLegBack", 0xFF000000);
COLOUR(ColorLegEditMotoring, "ColorLegEditMotoring", 0xFFFF0000);
COLOUR(ColorLegEditSailing, "ColorLegEditSailing", 0xFF208FFF);
COLOUR(ColorLegEditSailingSpi, "ColorLegEditSailingSpi", 0xFFE500FF);
COLOUR(ColorLegEditTacking, "ColorLegEditTacking", 0xFFABF5FC);
COLOUR(ColorLegMotoring, "ColorLegMotoring", 0xFFFFB0B0);
COLOUR(ColorLegSailing, "ColorLegSailing", 0xFF0080FF);
COLOUR(ColorLegSailingSpi, "ColorLegSailingSpi", 0xFFE500FF);
COLOUR(ColorLegTacking, "ColorLegTacking", 0xFF80FFFF);
COLOUR(ColorLegSelectedMotoring, "ColorLegSelectedMotoring", 0xFFFF0000);
COLOUR(ColorLegSelectedSailing, "ColorLegSelectedSailing", 0xFF0080FF);
COLOUR(ColorLegSelectedSailingSpi, "ColorLegSelectedSailingSpi", 0xFFE500FF);
COLOUR(ColorLegSelectedTacking, "ColorLegSelectedTacking", 0xFF80FFFF);
COLOUR(ColorRhumbline, "ColorRhumbline", 0xFF000000);
#undef COLOUR
const TValue ChartVisibility{u"ChartVisibility", I, 0, Read, 0, 10};
const TValue DistanceCirclesAuto{u"DistanceCirclesAuto", B, 1};
const TValue DistanceCirclesCount{u"DistanceCirclesCount", I, 5, Read, 0, 20};
const TValue DistanceCircles{u"DistanceCircles", D, 1852.0};
const TValue HighlightChartAtMouse{u"HighlightChartAtMouse", B, 0};
const TValue LegWidth{u"LegWidth", I, 2, Read, 1, 20};
const TValue MaxHeightRadiusMM{u"MaxHeightRadiusMM", I, 60, Read, 1, 1000};
const TValue TrackDrawComplete{u"TrackDrawComplete", B, 1};
const TValue RhumblineWidth{u"RhumblineWidth", S, 1.0};
const TValue ShowChartBounds{u"ShowChartBounds", B, 0};
const TValue ShowBearingLine{u"ShowBearingLine", B, 0};
const TValue ShowCompassNeedle{u"ShowCompassNeedle", B, 1};
const TValue ShowNavInfo{u"ShowNavInfo", B, 1};
const TValue ShowPolygons{u"ShowPolygons", B, 0, Forced};
const TValue ShowScaleBar{u"ShowScaleBar", B, 1};
const TValue ShowScaleValue{u"ShowScaleValue", B, 0, Forced};
const TValue ShowTrackActive{u"ShowTrackActive", B, 1};
const TValue ShowTrackNames{u"ShowTrackNames", B, 1};
const TValue ShowVisibleTracks{u"ShowVisibleTracks", B, 1};
const TValue SmartLabels{u"SmartLabels", B, 1};
const TValue SmartLabelTransparency{u"SmartLabelTransparency", I, 51, Read, 0, 255};
const TValue ToolbarVisible{u"ToolbarVisible", B, 1};
const TValue TrackLineWidth{u"TrackLineWidth", I, 1, Read, 1, 20};
const TValue TrackPointInterval{u"TrackPointInterval", I, 600, Read, 1, 2147483647.0};
const TValue TrackTimeInterval{u"TrackTimeInterval", I, 3600, Read, 1, 2147483647.0};
const TValue OSMLayerEnabled{u"OSMLayerEnabled", B, 0};
const TValue FontAISBoatScale{u"FontAISBoatScale", S, 1.0, NotRead};
const TValue GRIBIsobarInterval{u"GRIBIsobarInterval", I, 0, NotRead};
const TValue GRIBViewScaleDrawLimit{u"GRIBViewScaleDrawLimit", D, 0, NotRead};
const TValue GRIBWaterlevelInterval{u"GRIBWaterlevelInterval", I, 0, NotRead};
const TValue S57DisplayCategory{u"S57DisplayCategory", I, 0, NotRead};
const TValue S57ShowNoticeMarks{u"S57ShowNoticeMarks", B, 0, NotRead};
const TValue S57WaterLevelOffset{u"S57WaterLevelOffset", S, 0, NotRead};
const TValue GPSCourseLine{u"GPSCourseLine", B, 0};

const TGroup AIS{
    {0x1, u"AISShowTargets", false, Forced},        {0x2, u"AISShowNameLabels", false, Forced},
    {0x4, u"AISShowCPATCPALabels", false, Forced},  {0x8, u"AISShowScaledOutlines", false, Forced},
    {0x10, u"AISHideOwnVessel", false, Forced},     {0x20, u"AISFilterRNGMax", false, Forced},
    {0x40, u"AISNoClassB", false, Forced},          {0x80, u"AISNoStationary", false, Forced},
    {0x100, u"AISNoNameStationary", false, Forced}, {0x200, u"AISShowSpeedLabels", false, Forced},
    {0x400, u"AISShowHDGLines", false, Forced},     {0x800, u"AISShowPredictedTrack", false, Forced},
    {0x1000, u"AISNoScaling", false, Forced},       {0x2000, u"AISBuddiesOnly", false, Forced},
    {0x4000, u"AISShowDestinationLabels", false, Forced},
};
const TGroup GPS{
    {0x2, u"GPSIMOCircles", true, Read},
    {0x4, u"GPSDistanceCircles", true, Read},
    {0x8, u"GPSAISCPARangeCircle", false, Forced},
    {0x10, u"GPSScaledOutlines", false, Read},
    {0x20, u"GPSVectors", false, Forced},
    {0x40, u"GPSVectorsWind", false, Forced},
    {0x80, u"GPSVectorsLaylines", false, Forced},
    {0x100, u"GPSVectorsRelWindAsVane", false, Forced},
    {0x200, u"GPSVectorsCurrent", false, Forced},
    {0x400, u"GPSPredictedTrack", false, Forced},
    {0x1000, u"GPSTrainingCursor", false, Forced},
    {0x4000, u"GPSCourseLine", false, Read},
};
const TGroup GRIB{
    {0x1, u"GRIBShow", false, Forced},
    {0x2, u"GRIBShowParamCurrent", false, Forced},
    {0x4, u"GRIBShowParamPrecipitation", false, Forced},
    {0x8, u"GRIBShowParamPressure", false, Forced},
    {0x10, u"GRIBShowParamWind", false, Forced},
    {0x20, u"GRIBShowSpeedLabels", false, Forced},
    {0x80, u"GRIBShowParamTemperature", false, Forced},
    {0x100, u"GRIBShowParamWaterlevel", false, Forced},
    {0x200, u"GRIBShowParamWaterDepth", false, Forced},
    {0x400, u"GRIBShowParamWaterlevelLabels", false, Forced},
    {0x800, u"GRIBShowParamWaterDepthLabels", false, Forced},
    {0x1000, u"GRIBShowParamWavesArrows", false, Forced},
    {0x2000, u"GRIBShowParamWavesPeriod", false, Forced},
    {0x8000, u"GRIBShowParamCloudCover", false, Forced},
};
const TGroup Route{
    {0x1, u"RTECommonRoutes", true, Read},
    {0x2, u"RTECommonNameLabels", true, Read},
    {0x4, u"RTECommonPointNameLabels", true, Read},
    {0x8, u"RTECommonTotalDistanceLabels", false, Read},
};
const TGroup RouteExtra{
    {0x1, u"RTEExtraTimeLabels", true, Read},
    {0x2, u"RTEExtraVectors", false, Forced},
    {0x4, u"RTEExtraVectorLabels", false, Forced},
    {0x8, u"RTEExtraLegInfo", false, Read, 0x20},
    {0x80, u"RTEExtraLegType", false, Forced},
    {0x100, u"RTEExtraDepths", false, Forced},
    {0x200, u"RTEExtraDepthLabels", false, Forced},
    {0x400, u"RTEExtraGreatCircles", false, Forced},
    {0x800, u"RTEExtraPlumbline", false, Read},
};
const TGroup Tide{
    {0x1, u"TideShow", false, Forced},
    {0x2, u"TideShowWendal", false, Forced},
    {0x4, u"TideShowWendalLabels", false, Forced},
    {0x8, u"TideShowStations", false, Forced},
    {0x10, u"TideShowStationsLabels", false, Forced},
    {0x20, u"TideShowStationsHeights", false, Forced},
};
const TGroup Waypoint{
    {0x1, u"WPTShowWaypoints", true, Read},
    {0x2, u"WPTShowNameLabels", true, Read},
    {0x20, u"WPTShowNameLabelsBig", true, Read},
    {0x40, u"WPTShowBlauweGolf", false, Read},
    {0x200, u"WPTShowSectors", true, Read},
};
const TGroup Network{
    {0x1, u"WWShowSections", true, Read},
    {0x8, u"WWShowStructures", true, Read},
    {0x200, u"WWShowDistanceMarks", false, Read},
    {0x400, u"WWShowUnpassable", true, Read},
    {0x800, u"WWShowStructureNames", false, Read},
    {0x1000, u"WWShowSectionNames", true, Read},
};

const std::vector<const TValue *> &LoadedValues() {
    static const std::vector<const TValue *> values{
        &ScaleDepth, &ScaleWaves, &ScaleMode, &ScalePixV, &ScaleCurrent10x, &ScaleTimeCount,
        &ScaleTimeLen, &WWSectionColor, &WWSectionColorBack, &WWSectionColorUnpassable,
        &WWSectionMaxWidth, &CursorScale, &ColorAlarmzoneInside, &ColorAlarmzoneOutside,
        &ColorLegActiveMotoring, &ColorLegActiveSailing, &ColorLegActiveSailingSpi,
        &ColorLegActiveTacking, &ColorLegBack, &ColorLegEditMotoring, &ColorLegEditSailing,
        &ColorLegEditSailingSpi, &ColorLegEditTacking, &ColorLegMotoring, &ColorLegSailing,
        &ColorLegSailingSpi, &ColorLegTacking, &ColorLegSelectedMotoring,
        &ColorLegSelectedSailing, &ColorLegSelectedSailingSpi, &ColorLegSelectedTacking,
        &ColorRhumbline, &DistanceCirclesAuto, &DistanceCirclesCount, &DistanceCircles,
        &HighlightChartAtMouse, &LegWidth, &MaxHeightRadiusMM, &TrackDrawComplete,
        &RhumblineWidth, &ShowChartBounds, &ShowBearingLine, &ShowCompassNeedle, &ShowNavInfo,
        &ShowPolygons, &ShowScaleBar, &ShowScaleValue, &ShowTrackActive, &ShowTrackNames,
        &ShowVisibleTracks, &SmartLabels, &SmartLabelTransparency, &TrackLineWidth,
        &TrackPointInterval, &TrackTimeInterval};
    return values;
}

double Clamp(const TValue &value, double v) {
    if (!std::isfinite(v)) return value.Default;
    return value.Min <= value.Max ? std::clamp(v, value.Min, value.Max) : v;
}

double ReadValue(const QString &key, const TValue &value) {
    const double stored = Stored(key, NameOf(value.Name), value.Type);
    return std::isnan(stored) ? value.Default : stored;
}

double LoadValue(const QString &key, const TValue &value) {
    if (value.Load == TLoad::Forced) return value.Default;
    return Clamp(value, ReadValue(key, value));
}

void StoreValue(const QString &key, const TValue &value, double v) {
    Write(key, NameOf(value.Name), value.Type, v);
}

bool ReadBoolValue(const QString &key, const TValue &value) {
    return ReadValue(key, value) != 0.0;
}

uint32_t LoadFlagGroup(const QString &key, const TGroup &group) {
    uint32_t flags = 0;
    for (const TBit &b : group) {
        const bool on = b.Load == TLoad::Forced
                            ? b.Default
                            : RegReadBoolDef(GetAppReg(), Root, key, RegName(NameOf(b.Name)), b.Default);
        if (on) flags |= b.Bit | b.AlsoBits;
    }
    return flags;
}

void StoreFlagGroup(const QString &key, const TGroup &group, uint32_t flags) {
    for (const TBit &b : group) Write(key, NameOf(b.Name), TType::Bool, (flags & b.Bit) != 0);
}

int WriteCount() {
    return Writes;
}

}  // namespace ViewerSetting
