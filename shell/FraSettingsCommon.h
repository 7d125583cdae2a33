// The "Common" tab of the view settings: the values every chart viewer shares, taken from
// the environment and the main viewer into a working copy, edited on five pages (a column of
// tiles) and written back on OK only. The chosen tile is remembered at once. GUI thread.
#pragma once

#include "base/kvlib/KvLib.h"
#include "shell/SettingsTiles.h"

#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvNavEnv.h>

#include <QString>
#include <array>
#include <cstdint>

class TFrameViewer;
class TMarivoNavEnv;

// The working copy. Colours are TColor (red in the low byte).
struct TCommonViewSettings {
    TColor ColorGPSFix = 0, ColorGPSNoFix = 0, ColorClear = 0;
    TColor WWSectionColor = 0, WWSectionColorBack = 0, WWSectionColorUnpassable = 0;
    TColor ColorLegActiveMotoring = 0, ColorLegBack = 0, ColorLegEditMotoring = 0,
           ColorLegMotoring = 0, ColorRhumbline = 0;
    int32_t CursorScaleIndex = 3;
    int32_t DepthScaleUnit = 0, WavesScaleUnit = 0;
    float NightscreenIntensity = 0.5f;
    float RefreshInterval = 1.0f;  // clamped to 0.1 .. 10
    int32_t LegWidth = 2;
    TNavPtr<INavScaleInfo> ScaleInfo;
    int32_t SmartLabelTransparency = 255;
    int32_t SpeedUnit = 0;
    float RhumblineWidth = 1.0f;
    int32_t TrackLineWidth = 1, TrackPointInterval = 0, TrackTimeInterval = 0;
    bool TransparentEnabled = true;
    int32_t WWSectionMaxWidth = 2;
    bool ShowNetworkXTE = true;
    bool ShowNotificationsAlarm = false, ShowNotificationsOther = false;

    // What was read, so an untouched value goes back exactly as it came: the viewer's
    // cursor scale (the list holds only seven sizes) and the stored slow interval.
    float CursorScaleRead = 1.0f;
    int32_t CursorScaleIndexRead = 3;
    float RefreshIntervalRead = 1.0f;
    // The scale-information values as read (an edit left unchanged sets nothing).
    bool ScaleInfoChanged = false;
};

enum class TCommonSettingsCategory : uint8_t { Colors, Routes, Scale, Screen, Tracks, WWNetwork };

class TFrameSettingsCommon : public TSettingsTileFrame {
    Q_OBJECT
public:
    // viewer: the main viewer (may be nullptr: the viewer values keep their defaults).
    TFrameSettingsCommon(QWidget *parent, TMarivoNavEnv &env, TFrameViewer *viewer);

    static const std::array<float, 7> CursorScales;
    static int32_t CursorScaleToIndex(float scale);
    static TCommonSettingsCategory NameToCategory(const QString &name);
    static QString CategoryToName(TCommonSettingsCategory category);
    // The slow interval as the dialog holds it.
    static float ClampRefreshInterval(float seconds);

    TCommonViewSettings &Settings() { return FSettings; }
    void ApplyToEnvironment();
    // nullptr does nothing.
    void ApplyToViewer(TFrameViewer *viewer);
    void BuildCategoryTree();

private:
    void LoadFromEnvironment(TFrameViewer *viewer);
    void SetLanguage();

    TMarivoNavEnv &FEnv;
    TCommonViewSettings FSettings;
};
