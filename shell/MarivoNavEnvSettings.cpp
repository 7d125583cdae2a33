// The navigation settings: the one load at start, the locale, and the setters the settings
// dialogs call. Every setter hands its value on and stores it at once.
#include "shell/MarivoNavEnv.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/math/KvMath.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/settings/KvRegDisplay.h"
#include "base/settings/KvRegRoutes.h"
#include "base/units/KvNavMsgDevices.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "base/graphics/KvNightScreen.h"
#include "shell/MarivoNavEnvServiceTexts.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvUnits.h>

namespace {

const QString KeyBoat = QStringLiteral("Boat");
const QString KeyColors = QStringLiteral("Colors");
const QString KeyLocale = QStringLiteral("Locale");
const QString KeyRoutes = QStringLiteral("Routes");
const QString KeyView = QStringLiteral("View");
const QString KeyS57 = QStringLiteral("S57");
const QString KeyDevices = QStringLiteral("NavMsgDeviceManager");

// Reads fall back to their default; a failed write loses only this one value, which the
// next change writes again.
bool ReadBool(const QString &key, const ValueName &name, bool def) {
    return RegReadBoolDef(GetAppReg(), AppRegRoot::Product, key, name, def);
}
int32_t ReadInt(const QString &key, const ValueName &name, int32_t def) {
    return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, key, name, def);
}
double ReadDouble(const QString &key, const ValueName &name, double def) {
    return RegReadDoubleDef(GetAppReg(), AppRegRoot::Product, key, name, def);
}
void WriteBool(const QString &key, const ValueName &name, bool value) {
    int32_t err = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, key, name, value, err);
}
void WriteInt(const QString &key, const ValueName &name, int32_t value) {
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, key, name, value, err);
}
void WriteDouble(const QString &key, const ValueName &name, double value) {
    int32_t err = 0;
    RegWriteDouble(GetAppReg(), AppRegRoot::Product, key, name, value, err);
}

QString DeviceKeyPath() {
    QString path;
    int32_t err = 0;
    RegGetKeyPath(GetAppReg(), AppRegRoot::Product, KeyDevices, err, path);
    return path;
}

// Deletes a core-library object when the scope ends, also on an exception.
template <class T>
using TOwned = TNavPtr<T>;

void LoadGPSSettingsFromRegistry(INavBoatGPS *gps, const QString &keyPath, int32_t &error) {
    error = 0;
    TOwned<INavMsgGPSSettings> settings(NavMsgGPSSettingsCreate());
    NavMsgGPSSettingsLoadFromReg(settings.get(), keyPath);
    gps->SetSettings(settings.get(), error);
}

// The port takes the default line values; the stored entry names the port, so that the
// next start finds it again.
void SaveFirstPortSettings(INavMsgPort *port, INavMsgPortSettings *settings, const QString &key) {
    port->ApplySettings(settings);
    settings->SetPortPair(TPoint{10, 10});
    NavMsgPortSettingsSetPortName(settings, NavMsgPortGetName(port));
    NavMsgPortSettingsSetPortID(settings, NavMsgPortGetID(port));
    int32_t err = 0;
    NavMsgPortSettingsSaveToReg(settings, key, err);
    RaiseIfError(err, QString());
}

bool IsPositionFormat(int32_t format) {
    return format >= 0 && format <= 2;
}

}  // namespace

void TMarivoNavEnv::LoadSettings(uint8_t &communicationMode) {
    TWptRouteDefaults defaults;
    RegReadRouteDefaults(defaults);
    defaults.PlannerMode = 1;
    SetWptRouteDefaults(defaults);
    if (WaterwayNetwork) RegReadCustomWaitTimes(WaterwayNetwork);
    LoadDeviceSettings();
    RegReadBoatState(Boat);

    QString logbook;
    RegReadActiveLogbook(logbook);
    int32_t err = 0;
    OpenLogbook(logbook, err);
    if (Boat->GetLogbook() && RegReadActiveLogbookStarted()) StartLogbook(false);

    RegReadWptDBsVisible(WaypointManager);
    RegReadGroupsVisible(WaypointManager, WaypointGroupList);
    RegReadPolygonsVisible(WaypointManager, PolygonList);
    WaypointManager->SetVisiblePolygons(PolygonList, ChartModules);
    RegReadRoutesVisible(WaypointManager, RouteList);
    RegReadTracksVisible(TracksFolder, TrackList);

    HomeLocation = TGeoPoint{ReadDouble(KeyLocale, RegName(u"HomeLocationLat"), 10.0),
                             ReadDouble(KeyLocale, RegName(u"HomeLocationLong"), 10.0)};
    LoadLocale();
    LoadRouteDisplay();
    RestoreFollowedRoute();

    TPlannerSettings planner;
    RegReadPlannerSettings(Planner, planner);
    SetPlannerSettings(planner);
    Boat->SetDistanceOverGround(RegReadDOGTotal());
    SetSoundEnabled(RegReadSoundEnabled());
    if (NotificationCenter) {
        NotificationCenter->SetShowAlarms(ReadBool(KeyView, RegName(u"NotificationsAlarms"), true));
        NotificationCenter->SetShowOthers(ReadBool(KeyView, RegName(u"NotificationsOthers"), true));
    }
    SetNightscreenIntensity(float(ReadDouble(KeyView, RegName(u"NightscreenIntensity"), 0.5)));
    S57ChartLoader->SetMaxChartLoad(ReadInt(KeyS57, RegName(u"MaxChartLoad"), 20));

    RegReadBoat(ActiveBoatDef, 0);
    StructOperationManager->SetActive(ReadBool(KeyBoat, RegName(u"StructOperationActive"), false));
    SetSimulatorSpeedMax(ActiveBoatDef->GetVHigh());
    SetSimulatorRadiusMin(RegReadSimulatorRadiusMin());
    Post(NavNotify::ShipSettingsChanged);
    LoadTracksAndColours();

    communicationMode = RegReadGPSCommunicationOpen()         ? 1
                        : RegReadSimulatorCommunicationOpen() ? 2
                                                              : 0;
}

void TMarivoNavEnv::LoadDeviceSettings() {
    const QString path = DeviceKeyPath();
    NavMsgDeviceManagerSetRegKey(DeviceManager, path);
    if (!RegKeyExists(GetAppReg(), AppRegRoot::Product, KeyDevices)) {
        CreateDefaultGPSSettings();
        return;
    }
    INavBoatGPS *gps = Boat->GetGPS();
    int32_t err = 0;
    LoadGPSSettingsFromRegistry(gps, path + QStringLiteral("\\Devices\\GPS"), err);
    // A set-up that cannot be applied leaves the receiver unconfigured: the user picks it
    // again in the instrument settings.
    gps->ApplySettings(1, err);
    // The datum the user chose for the receiver holds from the start, not only after the
    // settings dialog applied it.
    if (auto *datum = dynamic_cast<IGeodeticDatum *>(RegReadGPSDatum())) gps->SetDatum(datum);
    gps->SetTuning105(0);
    gps->SetTuning108(1);
    gps->SetTuning109(1000.0f);
    gps->SetTuning110(5.0f);
    gps->SetTuning107(3.0f);
    gps->SetTuning115(0.15f);
    gps->SetTuning114(10.0f);
    gps->SetTuning120(0);
    gps->SetTuning121(0);
}

void TMarivoNavEnv::LoadRouteDisplay() {
    DefaultRouteEnabled = ReadBool(KeyRoutes, RegName(u"DefaultRouteEnabled"), true);
    RouteExploreMode = ReadBool(KeyRoutes, RegName(u"RouteExploreMode"), true);
    if (NotificationCenter) NotificationCenter->SetExploreMode(RouteExploreMode);
    NetworkPathWidth = RegReadSingleDef(GetAppReg(), AppRegRoot::Product, KeyRoutes,
                                        RegName(u"WWNetworkPathWidth"), 200.0f);
    ShowNetworkXTE = ReadBool(KeyRoutes, RegName(u"ShowNetworkXTE"), true);
}

void TMarivoNavEnv::LoadTracksAndColours() {
    SetTrackDefaultColor(RegReadTrackDefaultColor());
    TrackCompression = RegReadTrackUseCompress();
    TrackWidth = RegReadTrackWidth();
    ApplyWaypointVisibility();
    QString prefix;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\FloatWindowWaypoints"),
                     RegName(u"Prefix"), GetWaypointNamePrefixA(), prefix);
    SetWaypointNamePrefixA(prefix);
    // Every start runs the loop at 1 s; a longer interval is the user's choice of the run.
    SetSlowInterval(1.0f);
    SetColorClear(ReadInt(KeyColors, RegName(u"Clear"), 0xFFFFFF));
    SetColorGPSFix(ReadInt(KeyColors, RegName(u"GPSFix"), 0x7F7F7F));
    SetColorGPSNoFix(ReadInt(KeyColors, RegName(u"GPSNoFix"), 0xFF3F3F));
    SetTransparentEnabled(ReadBool(KeyColors, RegName(u"TransparentEnabled"), true));
    for (TS3DChartViewerControl *viewer : Viewers) HandViewerColours(viewer);
}

void TMarivoNavEnv::CreateDefaultGPSSettings() {
    const QString path = DeviceKeyPath();
    INavBoatGPS *gps = Boat->GetGPS();
    int32_t err = 0;
    gps->SetPort(nullptr, err);
    RaiseIfError(err, QString());
    gps->ApplySettings(1, err);
    RaiseIfError(err, QString());
    IGeodeticProvider *provider = nullptr;
    IGeodeticObject *reference = nullptr;
    IGeodeticDatum *datum = nullptr, *rd = nullptr;
    void *unused = nullptr;
    GeodeticsGetGlobals(provider, reference, datum, rd, unused);
    gps->SetDatum(datum);
    gps->SetTuning120(0);
    gps->SetTuning121(0);

    const QString portKey = path + QStringLiteral("\\Ports\\Port1");
    if (DeviceManager->GetUSBPortCount() > 0) {
        gps->SetBrandModel(3, 0);
        gps->SetProtocol(1, err);
        RaiseIfError(err, QString());
        INavMsgPort *port = DeviceManager->GetUSBPort(0);
        gps->SetPort(port, err);
        RaiseIfError(err, QString());
        TOwned<INavMsgPortSettings> settings(NavMsgGarminUSBPortSettingsCreate());
        SaveFirstPortSettings(port, settings.get(), portKey);
    } else {
        gps->SetBrandModel(1, 0);
        gps->SetProtocol(2, err);
        RaiseIfError(err, QString());
        if (DeviceManager->GetPortCount() > 0) {
            INavMsgPort *port = DeviceManager->GetPort(0);
            gps->SetPort(port, err);
            RaiseIfError(err, QString());
            TOwned<INavMsgCommPortSettings> settings(NavMsgCommPortSettingsCreate());
            SaveFirstPortSettings(port, settings.get(), portKey);
        }
    }
    // The stored set-up is the one just made: brand, protocol and the port chosen above.
    TOwned<INavMsgGPSSettings> settings(NavMsgGPSSettingsCreate());
    gps->GetSettings(settings.get());
    settings->SetPoint(TPoint{230, 10});
    NavMsgGPSSettingsSetName(settings.get(), QStringLiteral("GPS receiver"));
    NavMsgGPSSettingsSaveToReg(settings.get(), path + QStringLiteral("\\Devices\\GPS"), err);
    RaiseIfError(err, QString());
}

void TMarivoNavEnv::LoadLocale() {
    SetUTCOffsetSync(ReadBool(KeyLocale, RegName(u"UTCOffsetSync"), true));
    if (!GetUTCOffsetSync()) {
        int32_t err = 0;
        const int32_t offset =
            RegReadInteger(GetAppReg(), AppRegRoot::Product, KeyLocale, RegName(u"UTCOffset"), err);
        if (err == KvErr::Ok)
            SetUTCOffset(offset);
        else
            GlobalGPSClock()->UseComputerUTCOffset();
    }
    SetUnits(RegReadUnitDepth(), RegReadUnitDistanceLarge(), RegReadUnitDistanceSmall(),
             RegReadUnitSpeed(), RegReadUnitTemperature(), RegReadUnitVolume());
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, KeyLocale, RegName(u"Currency"),
                     QStringLiteral("\u20AC"), Currency);
    const int32_t format = ReadInt(KeyLocale, RegName(u"PositionFormat"), 1);
    SetPositionFormat(IsPositionFormat(format) ? format : 1);
}

void TMarivoNavEnv::SetActiveBoatDef(int32_t index) {
    // An index outside the list (a definition removed meanwhile) changes nothing.
    if (index < 0 || size_t(index) >= BoatDefinitions.size()) return;
    if (index != ActiveBoatDefIndex) {
        ActiveBoatDefIndex = index;
        WriteInt(KeyBoat, RegName(u"BoatDefActive"), index);
    }
    ActiveBoatDef->CopyFrom(BoatDefinitions[size_t(index)]);
}

void TMarivoNavEnv::SetColorClear(int32_t value) {
    ColorClear = value;
    WriteInt(KeyColors, RegName(u"Clear"), value);
}

void TMarivoNavEnv::SetColorGPSFix(int32_t value) {
    ColorGPSFix = value;
    WriteInt(KeyColors, RegName(u"GPSFix"), value);
}

void TMarivoNavEnv::SetColorGPSNoFix(int32_t value) {
    ColorGPSNoFix = value;
    WriteInt(KeyColors, RegName(u"GPSNoFix"), value);
}

void TMarivoNavEnv::SetTrackDefaultColor(uint32_t color) {
    TrackDefaultColor = color | 0xFF000000u;
    RegWriteTrackDefaultColor(TrackDefaultColor);
}

void TMarivoNavEnv::SetTransparentEnabled(bool value) {
    TransparentEnabled = value;
    if (TileManager) TileManager->SetTransparent(value);
    WriteBool(KeyColors, RegName(u"TransparentEnabled"), value);
}

void TMarivoNavEnv::SetCurrency(const QString &text) {
    Currency = text;
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, KeyLocale, RegName(u"Currency"), text, err);
}

void TMarivoNavEnv::SetDefaultRouteEnabled(bool value) {
    if (value == DefaultRouteEnabled) return;
    DefaultRouteEnabled = value;
    WriteBool(KeyRoutes, RegName(u"DefaultRouteEnabled"), value);
    IWptRoute *route = GetActiveRoute();
    if (!value && route && route->IsDefaultRoute()) DeactivateRoute();
}

void TMarivoNavEnv::ApplyRouteExploreMode(bool value) {
    if (value == RouteExploreMode) return;
    RouteExploreMode = value;
    if (NotificationCenter) NotificationCenter->SetExploreMode(value);
}

void TMarivoNavEnv::SetRouteExploreMode(bool value) {
    ApplyRouteExploreMode(value);
    WriteBool(KeyRoutes, RegName(u"RouteExploreMode"), value);
}

void TMarivoNavEnv::SetHomeLocation(const TGeoPoint &position) {
    HomeLocation = position;
    WriteDouble(KeyLocale, RegName(u"HomeLocationLat"), position.Lat);
    WriteDouble(KeyLocale, RegName(u"HomeLocationLong"), position.Lon);
    FireUpdateActions();
}

void TMarivoNavEnv::SetTileTexts() {
    using namespace NavEnvText;
    TileManagerSetTexts(TileManager, LanguageText(TileLoadError), LanguageText(TileRenderError),
                        QString(), LanguageText(TileNoColor));
}

void TMarivoNavEnv::SetSlowInterval(float seconds) {
    if (seconds == Loop->GetSlowInterval()) return;
    RegWritePowerSettings(seconds, Boat->GetInterpolation());
    // Above 1 s only the third tick slows down; below it the other two speed up.
    Loop->SetIntervals(std::min(0.1f, std::min(1.0f, seconds)), std::min(1.0f, seconds), seconds);
}

void TMarivoNavEnv::SetNotificationFilters(bool alarms, bool others) {
    if (!NotificationCenter) return;
    NotificationCenter->SetShowAlarms(alarms);
    WriteBool(KeyView, RegName(u"NotificationsAlarms"), alarms);
    NotificationCenter->SetShowOthers(others);
    WriteBool(KeyView, RegName(u"NotificationsOthers"), others);
}

void TMarivoNavEnv::SetNightscreenIntensity(float intensity) {
    NightscreenIntensity = intensity;
    WriteDouble(KeyView, RegName(u"NightscreenIntensity"), intensity);
    NightScreen()->SetIntensity(intensity);
}

void TMarivoNavEnv::SetPlannerSettings(const TPlannerSettings &s) {
    Planner->SetBridgeWaitTime(s.DelayBridges);
    Planner->SetLockWaitTime(s.DelayLocks);
    Planner->SetPlannerValueA3(s.ValueA3);
    Planner->SetPlannerValueA4(s.ValueA4);
    Planner->SetPlannerValueA5(s.ValueA5);
    Planner->SetImposeSpeedLimit(s.ImposeSpeedLimit);
    Planner->SetPlannerFlagA13(s.FlagA13);
    Planner->SetPlannerFlagA14(s.FlagA14);
    Planner->SetPlannerValueA11(s.ValueA11);
    Planner->SetPlannerValueA10(s.ValueA10);
    Planner->SetNAPWaterLevel(s.NAPWaterLevel);
    Planner->SetPlannerValueA7(s.ValueA7);
    Planner->SetPlannerValueA8(s.ValueA8);
    Planner->SetPlannerValueA9(s.ValueA9);
    StructOperationManager->SetWaterLevel(s.NAPWaterLevel);
}

void TMarivoNavEnv::SetPositionFormat(int32_t format) {
    // Only the three known formats are used, during the run as after a restart.
    if (!IsPositionFormat(format)) format = 1;
    if (format == PositionFormat) return;
    PositionFormat = format;
    WriteInt(KeyLocale, RegName(u"PositionFormat"), format);
}

void TMarivoNavEnv::SetMaxChartLoad(int32_t count) {
    S57ChartLoader->SetMaxChartLoad(count);
    WriteInt(KeyS57, RegName(u"MaxChartLoad"), count);
}

void TMarivoNavEnv::SetSailingAreas(uint16_t areas) {
    SailingAreas = areas;
    RegWriteSailingAreas(areas);
}

void TMarivoNavEnv::SetShowNetworkXTE(bool value) {
    if (value == ShowNetworkXTE) return;
    ShowNetworkXTE = value;
    WriteBool(KeyRoutes, RegName(u"ShowNetworkXTE"), value);
    RequestRouteUpdate(GetActiveRoute());
}

void TMarivoNavEnv::SetSimulatorRadiusMin(float metres) {
    if (INavBoatSimulator *simulator = Boat->GetSimulatorControl()) simulator->SetRadiusMin(metres);
    RegWriteSimulatorRadiusMin(metres);
}

void TMarivoNavEnv::SetSimulatorSpeedMax(float speed) {
    if (INavBoatSimulator *simulator = Boat->GetSimulatorControl()) simulator->SetSpeedMax(speed);
    RegWriteSimulatorSpeedMax(speed);
}

void TMarivoNavEnv::SetSoundEnabled(bool value) {
    SoundEnabled = value;
    // The cross-track alarm has a switch of its own.
    for (ISound *sound : {SoundGPSLost, SoundGPSRestored, SoundRoutePointReached})
        if (sound) sound->SetEnabled(value);
    RegWriteSoundEnabled(value);
    FireStatusBarUpdate(5);
    FireUpdateActions();
}

void TMarivoNavEnv::SetUnits(int32_t depth, int32_t distanceLarge, int32_t distanceSmall,
                             int32_t speed, int32_t temperature, int32_t volume) {
    struct TUnit {
        int32_t &Field;
        int32_t Value;
        void (*Write)(int32_t);
    };
    const TUnit units[] = {{UnitDepth, depth, RegWriteUnitDepth},
                           {UnitDistanceLarge, distanceLarge, RegWriteUnitDistanceLarge},
                           {UnitDistanceSmall, distanceSmall, RegWriteUnitDistanceSmall},
                           {UnitSpeed, speed, RegWriteUnitSpeed},
                           {UnitTemperature, temperature, RegWriteUnitTemperature},
                           {UnitVolume, volume, RegWriteUnitVolume}};
    for (const TUnit &u : units) {
        if (u.Value == u.Field) continue;
        u.Field = u.Value;
        u.Write(u.Value);
    }
    UnitFuelFlow = UnitVolume == 0xA000C ? 0xB000B : 0xB0002;
}

void TMarivoNavEnv::SetUTCOffset(int32_t minutes) {
    minutes = ClampInt(minutes, -720, 720);
    INavMsgGPSClock *clock = GlobalGPSClock();
    if (minutes != clock->GetUTCOffset()) clock->SetUTCOffset(minutes);
    WriteInt(KeyLocale, RegName(u"UTCOffset"), minutes);
}

void TMarivoNavEnv::SetUTCOffsetSync(bool value) {
    GlobalGPSClock()->SetUTCOffsetSync(value);
    WriteBool(KeyLocale, RegName(u"UTCOffsetSync"), value);
}

void TMarivoNavEnv::SetObjectUpdateLayers(bool blueWave, bool waterMessages) {
    // The update manager takes each layer as a switch.
    ObjectUpdateManager->SetLayerValue28(blueWave ? 1 : 0);
    ObjectUpdateManager->SetLayerValue29(blueWave ? 1 : 0);
    ObjectUpdateManager->SetLayerValue36(waterMessages ? 1 : 0);
}

float TMarivoNavEnv::GetSlowInterval() const {
    return Loop->GetSlowInterval();
}

bool TMarivoNavEnv::GetUTCOffsetSync() const {
    return GlobalTimeZones()->GetUTCOffsetSync();
}

int32_t TMarivoNavEnv::GetMaxChartLoad() const {
    return S57ChartLoader->GetMaxChartLoad();
}
