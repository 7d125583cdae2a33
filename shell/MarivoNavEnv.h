// The navigation environment: the one owner of every core-library object of a program run
// (core environment, waterway network, lists, profiles, charts, waypoint databases, sounds,
// devices, own ship, loop, drawing engine, update and notification objects, tile managers
// and S-57 loaders), the program's folders and the navigation settings. It creates the
// objects in a fixed order, releases them in a fixed order with the core environment
// last, drives the navigation loop's three ticks, handles the core library's notifications
// and own-ship callbacks, and reports to the main window through the events below.
//
// The main window creates it before any frame and frees it last; frames and dialogs keep a
// reference and never free it. Objects handed out belong to the environment. Everything
// runs on the GUI thread: the core library delivers every callback there.
//
// The class is split by concern over several files: creation and release
// (MarivoNavEnvCreate.cpp), charts and viewers (MarivoNavEnvCharts.cpp), waypoint manager,
// databases and tracks (MarivoNavEnvWaypoints.cpp), navigation start and stop with the
// own-ship callbacks (MarivoNavEnvNavigation.cpp), loop ticks, notifications and user
// messages (MarivoNavEnvTicks.cpp).
#pragma once

#include "base/kvlib/KvLib.h"
#include "base/texts/KvLanguage.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/ChartViewAdapters.h"
#include "shell/MarivoNavEnvWptDBInfo.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvDevices.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvObjectUpdate.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvSound.h>
#include <KvLibNav6/KvStructOperation.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvTxtFormat.h>
#include <KvLibNav6/KvViewer.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>
#include <KvLibNav6/KvWebServices.h>

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TS3DChartViewerControl;
class TNavViewerControl;

// The factories the environment calls while it is created, named after the routine each
// stands for and defaulting to it. Tests replace entries to record the order and the
// arguments or to make one fail.
struct TNavEnvFactories {
    std::function<decltype(::NavEnvCreate)> NavEnvCreate = ::NavEnvCreate;
    std::function<IWWNetwork *(const QString &file, void *context, int32_t &error)>
        WWNetworkLoadFromFile;
    std::function<decltype(::WptWaypointGroupListCreate)> WptWaypointGroupListCreate =
        ::WptWaypointGroupListCreate;
    std::function<decltype(::WptPolygonListCreate)> WptPolygonListCreate = ::WptPolygonListCreate;
    std::function<decltype(::WptRouteListCreate)> WptRouteListCreate = ::WptRouteListCreate;
    std::function<decltype(::NavTrackListCreate)> NavTrackListCreate = ::NavTrackListCreate;
    std::function<decltype(::WptWaypointListCreate)> WptWaypointListCreate =
        ::WptWaypointListCreate;
    // A loaded profile file, or nullptr with err set.
    std::function<ITxtFormatProfileManager *(const QString &file, int32_t &err)>
        CreateTxtFormatProfileManager;
    std::function<ITxtFormatProfileManager *()> CreateTxtFormatProfileManagerEmpty;
    std::function<IMRCChartCheck *(INavMessageDispatcher *dispatcher, const QString &edition,
                                   int32_t packedProgramVersion)>
        CreateMRCChartCheck;
    std::function<IS52PresentationLib *(const QString &cacheFolder)> CreateS52PresentationLib;
    std::function<decltype(::S57RegistrarManagerCreate)> S57RegistrarManagerCreate =
        ::S57RegistrarManagerCreate;
    std::function<IChartManager *(const QString &infoCacheFile, const QString &selectedChartsFile,
                                  const QString &chartsFolder, uint32_t chartModules,
                                  ChartSetsChangedProc onChanged, void *changedData,
                                  LoadProgressProc progress, void *progressData)>
        CreateChartManager;
    std::function<decltype(::CreateChartDataCache)> CreateChartDataCache = ::CreateChartDataCache;
    std::function<decltype(::CreateWptManager)> CreateWptManager = ::CreateWptManager;
    std::function<ISound *(const QString &file, int32_t &err)> SoundCreateFromFile;
    std::function<decltype(::NavMsgDeviceManagerCreate)> NavMsgDeviceManagerCreate =
        ::NavMsgDeviceManagerCreate;
    std::function<decltype(::LPBoatDefCreate)> LPBoatDefCreate = ::LPBoatDefCreate;
    std::function<decltype(::CreateWptPlanner)> CreateWptPlanner = ::CreateWptPlanner;
    std::function<decltype(::NavBoatCreate)> NavBoatCreate = ::NavBoatCreate;
    std::function<decltype(::NavPredictedTimeCreate)> NavPredictedTimeCreate =
        ::NavPredictedTimeCreate;
    std::function<decltype(::NavLoopCreate)> NavLoopCreate = ::NavLoopCreate;
    std::function<decltype(::CreateS3DEngine)> CreateS3DEngine = ::CreateS3DEngine;
    std::function<decltype(::NavObjectUpdateManagerCreate)> NavObjectUpdateManagerCreate =
        ::NavObjectUpdateManagerCreate;
    std::function<decltype(::NavNotificationCenterCreate)> NavNotificationCenterCreate =
        ::NavNotificationCenterCreate;
    std::function<decltype(::NavStructOperationManagerCreate)> NavStructOperationManagerCreate =
        ::NavStructOperationManagerCreate;
    std::function<decltype(::S3DOSMTileManagerCreate)> S3DOSMTileManagerCreate =
        ::S3DOSMTileManagerCreate;
    std::function<decltype(::S3DTileManagerCreate)> S3DTileManagerCreate = ::S3DTileManagerCreate;
    std::function<decltype(::S57ChartLoaderCreate)> S57ChartLoaderCreate = ::S57ChartLoaderCreate;
    std::function<decltype(::S57ChartInfoLoaderCreate)> S57ChartInfoLoaderCreate =
        ::S57ChartInfoLoaderCreate;

    TNavEnvFactories();
};

// What the environment is given besides its arguments; the defaults are the program's.
struct TNavEnvSeams {
    TNavEnvFactories Factories;
    // Called with an object's field name ("Boat", "CoreEnv", …) just before it is released.
    std::function<void(const char *object)> OnRelease;
    // Local date and time now; default the computer's clock.
    std::function<TDateTime()> Now;
    // Keeps the computer awake (on) or lets it sleep again; default the desktop's inhibit.
    std::function<void(bool on)> KeepAwake;
    // GPS configuration: saves found GPS settings under a full key path; default the
    // instrument layer's own save.
    std::function<void(INavMsgGPSSettings *settings, const QString &keyPath, int32_t &err)>
        SaveGPSSettings;
};

// The main window's handlers the environment is created with; each may be empty.
struct TNavEnvEvents {
    std::function<void(int32_t viewerIndex, intptr_t reloadData)> OnChartSetsChanged;
    // Asked for a position when an operation needs one and the own ship has none; True
    // with the position filled to use it.
    std::function<bool(TGeoPoint &position)> OnPositionRequest;
    std::function<void(INavMsgPort *port, int32_t code, bool flag)> OnDeviceError;
    std::function<void(INavBoatGPS *gps, int32_t code, bool flag)> OnGPSPortError;
    std::function<void(INavBoatGPS *gps, int32_t situation)> OnGPSNoPosition;
    std::function<void()> OnGPSErrorCleared;
    std::function<void(int32_t value)> OnRoutePointReached;
    std::function<void(int32_t number)> OnObjectUpdateEvent;
};

// Routes and navigate-to
// Where a navigate-to route starts, passes and ends. Owned by the caller of NavigateTo; the
// sections and objects are not owned (the network's and the databases').
struct TNavigateToTarget {
    // 0 destination only, 1 the start is named "Home", other: the start keeps its own name.
    uint8_t Kind = 0;
    IWWSection *StartSection = nullptr;
    IWWSection *DestSection = nullptr;
    IWWSection *ViaSection = nullptr;
    double StartOffset = 0.0;  // metres along StartSection
    double DestOffset = 0.0;
    double ViaOffset = 0.0;
    IWptWaypoint *StartObject = nullptr;
    IWptWaypoint *DestObject = nullptr;
    IWptWaypoint *ViaObject = nullptr;

    TNavigateToTarget() = default;
    TNavigateToTarget(uint8_t kind, IWWSection *startSection, IWWSection *destSection,
                      IWWSection *viaSection, double startOffset, double destOffset,
                      double viaOffset, IWptWaypoint *startObject, IWptWaypoint *destObject,
                      IWptWaypoint *viaObject);
};

// " (km 12.4)" for the section's distance mark at offset (metres), in kilometres with the
// locale's decimal separator and whole tenths; empty where the section has none.
QString DistanceMarkText(IWWSection *section, double offset);
// The geographic position (radians) of a point offset metres along a section.
TGeoPoint SectionGeoPosition(IWWSection *section, double offset);

// What the environment asks before it deletes; the deletion goes ahead only when the
// handler leaves Answer True.
struct TNavQuestion {
    uint8_t Kind = 0;    // NavQuestion::…
    bool Answer = true;
    intptr_t Param = 0;  // the polygon, route or point; for DeletePoints their number
};
namespace NavQuestion {
inline constexpr uint8_t DeletePolygon = 0;
inline constexpr uint8_t DeleteRoute = 1;
inline constexpr uint8_t DeletePoint = 2;
inline constexpr uint8_t DeletePoints = 3;
}  // namespace NavQuestion

namespace NavEnvState {
inline constexpr int Created = 0;
inline constexpr int Starting = 1;
inline constexpr int Ready = 2;
inline constexpr int ShuttingDown = 3;
inline constexpr int ShutDown = 4;
}  // namespace NavEnvState

class TMarivoNavEnv {
public:
    // Creates every core-library object in order, with splash texts. failed is cleared at
    // once and set when the tracks folder or the drawing engine could not be made: the
    // failure has been shown, termination requested, and creation stopped there. Any other
    // failure raises; what was created so far is released first. window: the main window
    // (QWidget*); folders with or without a trailing separator; chartModules: 1.
    TMarivoNavEnv(bool &failed, WindowHandle window, const QString &dataFolder,
                  const QString &sharedFolder, uint16_t chartModules, TNavEnvEvents events,
                  TNavEnvSeams seams = {});
    ~TMarivoNavEnv();
    TMarivoNavEnv(const TMarivoNavEnv &) = delete;
    TMarivoNavEnv &operator=(const TMarivoNavEnv &) = delete;

    // ---- creation and end of the run ----------------------------------------------------
    // The second-stage start: loop on, state ready. communicationMode: the connection that
    // was open at the last close (0 none, 1 GPS, 2 simulator).
    void Start(uint8_t &communicationMode);
    // End of the run; acts only when ready (loop off, operation requests stopped, database
    // check, navigation stopped, visible lists, route defaults and S-57 base data stored);
    // always ends shut down. May be called twice.
    void Shutdown();
    // Chart manager and chart data cache, with splash texts and progress.
    void CreateCharts();
    void DeleteChartObjects();

    // ---- navigation ---------------------------------------------------------------------
    // With simulate the own ship needs a position (asked for through OnPositionRequest).
    bool StartNavigation(bool simulate);
    // Asks the question first when given (only Yes goes on); store records the closed
    // connection. False only when the user answered No.
    bool StopNavigation(const QString &question, bool store);
    bool EnsureBoatPosition();
    // Switches the loop off; True when it was on.
    bool PauseLoop();
    void ResumeLoop();

    // ---- viewers, tracks, databases -----------------------------------------------------
    void RegisterViewer(TS3DChartViewerControl *viewer);
    // The chart background and own-ship colours into a viewer (every registration and load).
    void HandViewerColours(TS3DChartViewerControl *viewer) const;
    void UnregisterViewer(TS3DChartViewerControl *viewer);
    void AttachNotificationCenter(TNavViewerControl *viewer);
    void StartNewTrack();
    void CloseCurrentTrack();
    void SaveVisibleLists();
    void CheckWaypointDatabase();
    void CreateWaypointManager(const QString &dataFolder);
    void CreateUserDatabase();
    ILPBoatDef *GetBoatDef(int index) const { return BoatDefinitions.at(size_t(index)); }

    // ---- user notifications and events --------------------------------------------------
    // Kind 8 shows text for seconds (with flag and value); any other kind shows text alone.
    void PostUserNotification(int32_t kind, const QString &text, int32_t seconds = 4,
                              bool flag = false, int32_t value = 0);
    void WithdrawUserNotification(int32_t kind);
    void ShowWaterLevelOffset(float metres);
    void FireUpdateActions();
    void FireStatusBarUpdate(int part);
    // The computer's offset from UTC in minutes.
    int32_t GetUTCOffset() const;
    // Posts (or sends) through the core environment's dispatcher, fetched anew each time.
    void Post(int32_t code, intptr_t p1 = 0, intptr_t p2 = 0);
    TNavNotification Send(int32_t code, intptr_t p1 = 0, intptr_t p2 = 0);

    // ---- Settings and locale ------------------------------------------------------------
    // Reads and applies every navigation setting (once, from Start); communicationMode: 1
    // when the GPS connection was open at the last close, else 2 for the simulator, else 0.
    void LoadSettings(uint8_t &communicationMode);
    void LoadLocale();
    // First run: the GPS on the first port, stored under "NavMsgDeviceManager".
    void CreateDefaultGPSSettings();
    // Each setter hands its value on and stores it at once.
    void SetActiveBoatDef(int32_t index);
    void SetColorClear(int32_t value);
    void SetColorGPSFix(int32_t value);
    void SetColorGPSNoFix(int32_t value);
    void SetTrackDefaultColor(uint32_t color);
    void SetTransparentEnabled(bool value);
    void SetCurrency(const QString &text);
    void SetDefaultRouteEnabled(bool value);
    void ApplyRouteExploreMode(bool value);  // not stored
    void SetRouteExploreMode(bool value);
    // Radians; (10, 10) means no home position.
    void SetHomeLocation(const TGeoPoint &position);
    void SetTileTexts();
    void SetSlowInterval(float seconds);
    void SetNotificationFilters(bool alarms, bool others);
    void SetNightscreenIntensity(float intensity);
    void SetPlannerSettings(const TPlannerSettings &settings);
    void SetPositionFormat(int32_t format);
    void SetMaxChartLoad(int32_t count);
    void SetSailingAreas(uint16_t areas);
    void SetShowNetworkXTE(bool value);
    void SetSimulatorRadiusMin(float metres);
    void SetSimulatorSpeedMax(float speed);
    void SetSoundEnabled(bool value);
    void SetUnits(int32_t depth, int32_t distanceLarge, int32_t distanceSmall, int32_t speed,
                  int32_t temperature, int32_t volume);
    // Clamped to -720..720 minutes.
    void SetUTCOffset(int32_t minutes);
    void SetUTCOffsetSync(bool value);
    void SetObjectUpdateLayers(bool blueWave, bool waterMessages);
    float GetSlowInterval() const;
    bool GetUTCOffsetSync() const;
    int32_t GetMaxChartLoad() const;

    // ---- Add-on waypoint databases of chart products ----------------------------------
    // withGroups remembers each new database's groups; bracket wraps every open in an
    // update of the waypoint manager.
    void LoadAddOnDatabases(bool withGroups, bool bracket);
    TNavChartWptDBInfo *FindWptDBInfo(uint32_t productKey, const QString &fileName) const;
    // The point of interest at a position (radians) of the first database that has one.
    IGeoAddsEntry *FindGeoAddObject(double latitude, double longitude) const;
    void UpdateViewersForChartSet(uint32_t productKey, int32_t chartSetKind);
    void ApplyWaypointVisibility();
    // Reopens the chart-product databases with the groups shown before their release and
    // switches each on while a chart of its product is shown in the first viewer.
    void RebuildWptDatabaseInfo();
    // A chart-product database's own switch; False for any other database.
    bool IsChartWptDatabaseSelected(IWptDatabase *database) const;

    // ---- GPS configuration -------------------------------------------------------------
    // Looks for a GPS receiver on every serial port and stores a set-up that differs from
    // the current one; True when one was found (the caller starts communication).
    bool ConfigureGPSDevice();
    // True while detection runs (and pumps events): a close waits for it to end.
    bool IsDetectingGPS() const { return GPSDetecting; }

    // ---- Logbook, object updates and small services ------------------------------------
    // Closes the current logbook, then opens fileName when not empty; error: the load's.
    void OpenLogbook(const QString &fileName, int32_t &error);
    void CloseLogbook();
    void StartLogbook(bool store);
    void StopLogbook(bool store);
    static void OnObjectUpdateProgress(void *data, int32_t kind);
    static void OnObjectDatabaseUpdatedCallback(void *data, IWptDatabase *database);
    void OnObjectDatabaseUpdated(IWptDatabase *database);
    void ObjectUpdateProgress(int32_t kind);
    // Loads the downloaded network; the working one stays when neither file loads.
    void ReloadWaterwayNetwork();
    INavRouteNavigation *GetRouteNavigation() const;
    // The navigation panel's refresh detaches the network from the object-update manager,
    // once per refresh.
    void ReleaseObjectUpdateNetwork();
    IWptRoute *GetActiveRoute() const;
    bool HasCharts() const;
    void TimeChanged();
    bool IsExtensionEnabled(const QString &name) const;
    bool GetStoredLogin(QString &email) const;

    // ---- callbacks handed to the core library (data = the environment) -----------------
    static void OnLoopFastTick(void *data, const TLoopRecord *rec);
    static void OnLoopTick(void *data, const TLoopRecord *rec);
    static void OnLoopUiTick(void *data, const TLoopRecord *rec);
    static void OnCoreNotification(void *data, TNavNotification *n);
    static void OnNavigationStarted(void *data, intptr_t ignored);
    static void OnRouteTargetChanged(void *data, INavRouteNavigation *rn, uint32_t flags);
    static void OnRoutePointPassed(void *data, intptr_t ignored, IWptRoutePoint *point,
                                   intptr_t ignored2, float distance);
    static void OnRoutePointReachedCallback(void *data, int32_t value);
    // The S-57 loader's and the tile manager's: a flag other than 0 stops navigation.
    static void OnLoaderEvent(void *data, int32_t v1, int32_t flag, int32_t v3, int32_t v4);
    static void WaypointManagerOption1(void *data, int32_t &v1, int32_t &v2, int32_t &v3,
                                       int32_t &v4, int32_t &v5, int32_t &v6, int32_t &v7,
                                       int32_t &v8, int32_t &v9, int32_t &v10, int32_t &v11);
    static void WaypointManagerOption2(void *data, int32_t &value, TGeoPoint &position1,
                                       TGeoPoint &position2, TGUID &guid1, TGUID &guid2,
                                       bool &flag, float &factor);

    // ---- core-library objects (owned unless said otherwise) -----------------------------
    INavEnv *CoreEnv = nullptr;  // released last
    IWWNetwork *WaterwayNetwork = nullptr;
    IWWNetwork *WaterwayNetworkUSA = nullptr;  // merged into WaterwayNetwork
    IWptWaypointGroupList *WaypointGroupList = nullptr;
    IWptPolygonList *PolygonList = nullptr;
    IWptRouteList *RouteList = nullptr;
    INavTrackList *TrackList = nullptr;  // owns its tracks
    IWptWaypointList *WaypointList = nullptr;
    ITxtFormatProfileManager *RouteProfiles = nullptr;
    ITxtFormatProfileManager *WaypointProfiles = nullptr;
    IMRCChartCheck *OnlineService = nullptr;
    IS52PresentationLib *S52Library = nullptr;
    IS57RegistrarManager *S57Registrar = nullptr;
    IChartManager *ChartManager = nullptr;
    IS3DChartDataCache *ChartDataCache = nullptr;
    IWptManager *WaypointManager = nullptr;
    IWptDatabase *UserDatabase = nullptr;  // the waypoint manager's
    ISound *SoundGPSLost = nullptr;
    ISound *SoundGPSRestored = nullptr;
    ISound *SoundRoutePointReached = nullptr;
    ISound *SoundXTEAlarm = nullptr;
    INavMsgDeviceManager *DeviceManager = nullptr;
    std::vector<ILPBoatDef *> BoatDefinitions;  // entry 0 is the active one
    ILPBoatDef *ActiveBoatDef = nullptr;        // entry 0 of BoatDefinitions
    IWptPlanner *Planner = nullptr;
    INavBoat *Boat = nullptr;
    INavPredictedTime *PredictedTime = nullptr;
    INavLoop *Loop = nullptr;
    IS3D *Engine3D = nullptr;
    int32_t Engine3DResources = 0;  // the engine's open resource folder, 0 = none
    INavObjectUpdateManager *ObjectUpdateManager = nullptr;
    INavNotificationCenter *NotificationCenter = nullptr;
    INavStructOperationManager *StructOperationManager = nullptr;
    IS3DOSMTileManager *OSMTileManager = nullptr;
    IS3DTileManager *TileManager = nullptr;
    IS57ChartLoader *S57ChartLoader = nullptr;
    IS57ChartInfoLoader *S57ChartInfoLoader = nullptr;
    // Registered by the viewer frames; not owned.
    std::vector<TS3DChartViewerControl *> Viewers;

    // ---- folders and files (folders with a trailing separator) -------------------------
    QString DataFolder, SharedFolder;
    QString WaterwayNetworkFile, SoundsFolder, ImagesFolder, UserDatabaseFile, PlannerFolder,
        TracksFolder, CacheFolder, S52CacheFolder, ChartsFolder, ChartDataCacheFile,
        ChartInfoCacheFile, S57BaseDataFile, RouteProfilesFile, WaypointProfilesFile,
        SelectedChartsFile, UpdateProgramFile;

    // ---- events of the main window ------------------------------------------------------
    TNavEnvEvents Events;
    std::function<void(const TLoopRecord &rec)> OnFastTick;
    std::function<void(const TLoopRecord &rec, uint32_t flags)> OnTick;
    std::function<void(const TLoopRecord &rec, uint32_t changeFlags)> OnUiTick;
    std::function<void()> OnUpdateActions;
    std::function<void(int part)> OnStatusBar;

    // ---- state --------------------------------------------------------------------------
    int State = NavEnvState::Created;
    TDateTime CreatedAt = 0.0;  // local at creation, UTC once started
    int BlinkPhase = 3;         // 3, 2, 1, 0, 1, 2, 3, … while navigating
    int BlinkStep = -1;
    uint32_t ChangeFlags = 0;   // the own ship's change flags since the last UI tick
    uint16_t ChartModules = 1;
    int32_t ChartAutoUpdateThreshold = 500;
    uint16_t SailingAreas = 0;

    // ---- navigation settings (the values the store gives when nothing is stored) --------
    bool DefaultRouteEnabled = false;
    bool TrackCompression = true;
    uint32_t TrackDefaultColor = 0xFFFF0000u;
    float TrackWidth = -1.0f;

    // ---- Settings and locale ------------------------------------------------------------
    int32_t ActiveBoatDefIndex = 0;
    int32_t ColorClear = 0xFFFFFF;
    int32_t ColorGPSFix = 0x7F7F7F;
    int32_t ColorGPSNoFix = 0xFF3F3F;
    bool TransparentEnabled = true;
    QString Currency = QStringLiteral("\u20AC");
    bool RouteExploreMode = true;
    TGeoPoint HomeLocation{10.0, 10.0};
    float NightscreenIntensity = 0.5f;
    bool ShowNetworkXTE = true;
    bool SoundEnabled = true;
    float NetworkPathWidth = 200.0f;
    int32_t UnitDepth = 0, UnitDistanceLarge = 0, UnitDistanceSmall = 0, UnitSpeed = 0,
            UnitTemperature = 0, UnitVolume = 0, UnitFuelFlow = 0;
    int32_t PositionFormat = 1;

    // ---- Add-on databases, GPS configuration and object updates ------------------------
    std::vector<std::unique_ptr<TNavChartWptDBInfo>> WptDBInfos;
    bool GPSDetecting = false;
    QString ObjectUpdateText;
    bool NetworkReloadPending = false;

    // ---- Routes and navigate-to --------------------------------------------------------
    // Following starts only when the own ship has (or is given) a position. Every change is
    // announced through the dispatcher; core-library failures raise.
    void ActivateRoute(IWptRoutePoint *point, bool flag, double dogRoute, TDateTime startTime);
    void DeactivateRoute();
    void SetActiveRoutePoint(IWptRoutePoint *point);
    void GotoWaypoint(IWptWaypoint *waypoint);
    // The new route over the waterway network (nullptr without a network or a position);
    // position in radians; departureTime -1 = now (UTC). A route that cannot be completed
    // is deleted again and the previous one kept; the failure raises.
    IWptRoute *NavigateTo(const TGeoPoint &position, const TNavigateToTarget &target,
                          bool keepPrevious, bool select, double departureTime, bool activate);
    IWptRoute *NavigateToObject(TGeoPoint position, IWptWaypoint *obj, IWWSection *section,
                                double offset, double departureTime, bool activate);
    void RecalculateRoute(IWptRoute *route, bool flag);
    void RequestRouteUpdate(IWptRoute *route);
    void RefreshRoutes(bool active, bool edited, bool selected, bool recalculate);
    // firstPosition (radians) or section with offset add the first point when given.
    void BeginRouteEdit(IWptRoute *route, const TGeoPoint *firstPosition, IWWSection *section,
                        double offset, bool useRemembered);
    void EndRouteEdit(bool deleteIfEmpty);
    void DeleteRoute(IWptRoute *route, bool ask);
    void RemoveRoute(IWptRoute *route);
    bool DeleteRoutePoint(IWptRoutePoint *point);
    // Points of several routes are handled route by route after one question.
    bool DeleteRoutePoints(const std::vector<IWptRoutePoint *> &points);
    // At most 255 characters, never cut inside a character.
    void RenameRoute(IWptRoute *route, const QString &name);
    void SetSelectedRoute(IWptRoute *route);
    void SelectRoute(IWptRoute *route);
    void SetVisibleRoutes(IWptRouteList *routes);
    void SaveVisibleRoutes();
    void UpdateRouteChartNotice();
    void DeletePolygon(IWptPolygon *polygon, bool ask);
    void AddPolygonPoint(const TGeoPoint &position);
    void EndPolygonEdit(bool deleteIfEmpty);
    void RemovePolygon(IWptPolygon *polygon);
    void SaveVisiblePolygons();
    // The route followed at the last close is followed again from its stored point.
    void RestoreFollowedRoute();
    // The default route along the waterway while sailing (one step of the 1-s tick).
    void DefaultRouteStep();
    static void OnRouteEnded(void *data, intptr_t ignored);
    // The environment's own answers to route notifications; True when handled.
    bool HandleRouteNotification(TNavNotification &n);

    // ---- Charts, viewers and companion programs ------------------------------------------
    void CancelChartLoading();
    // Every viewer, last first, gets the charts that are not hidden, in one update each.
    void UpdateViewerChartSets();
    // Before a companion program changes the charts: viewers drop their charts and the chart
    // objects go; with all also the network, followed and edited routes, the recorded
    // track and the visible lists.
    void ReleaseCharts(bool all);
    // The navigation viewers draw this network (nullptr: none).
    void SetViewersWaterwayNetwork(IWWNetwork *network);
    // After the companion program: new chart objects for every viewer; with reloadNetwork
    // also the network, the user database, the routes and the visible lists.
    void ReloadCharts(bool reloadNetwork);
    // Closes and reopens "Waypoints.db"; an empty database when it cannot be read.
    void OpenUserDatabase();
    // Warns (for seconds) when the first installed chart in use has a newer edition to
    // order.
    void CheckOutdatedCharts(int32_t seconds);
    bool MultiBoatEnabled() const;
    void FindChartManager();
    // The chart manager with "-update" (installs waiting editions) or "-internet"; the loop
    // is off meanwhile and its state restored, also after an exception.
    void RunChartManager(intptr_t data, bool update);
    void RunUpdate(bool helpFlag, bool networkInstallFlag, bool networkUpdateFlag);
    void RunChartManagerProgram(const QString &switchText, intptr_t data);
    void RunUpdateProgram(const QString &arguments, intptr_t data);
    // True while the chart manager or the update program runs: a close waits for it to end.
    bool IsCompanionRunning() const { return FCompanionRunning; }

    // The chart-manager program's file (empty when it is not installed) and its flags: bit 0
    // version 1.0.1.0 or later, bit 1 version 1.5.0.0 or later.
    QString ChartManagerProgramFolder;
    int32_t ChartManagerProgramFlags = 0;

    // Not owned: the waypoint manager owns routes and polygons.
    IWptRoute *EditedRoute = nullptr;
    IWptRoute *SelectedRoute = nullptr;
    IWptRoute *PendingNavigateToRoute = nullptr;
    IWptPolygon *EditedPolygon = nullptr;
    // Asked before a deletion; leaving Answer True lets it go ahead.
    std::function<void(TNavQuestion &question)> OnQuestion;
    std::function<void(IWptRoute *route)> OnSelectRoute;

private:
    IWptRoute *FollowedRoute();
    bool Ask(uint8_t kind, intptr_t param);
    void StartFollowing(IWptRoutePoint *point, bool flag, double dogRoute, TDateTime startTime);
    void StoreFollowed(IWptRoute *route, IWptRoutePoint *point, double dogRoute,
                       TDateTime startTime);
    // A logbook entry when the logbook records; a failed save is shown, not raised.
    void AddLogbookEntry(const QString &text);
    IWptRoute *BuildNavigateToRoute(const TGeoPoint &position, const TNavigateToTarget &target,
                                    TDateTime departure);
    void DeletePointsOfRoute(IWptRoute *route, const std::vector<IWptRoutePoint *> &points);
    void RestoreSelectedRoute();
    // Runs one companion program around a release and reload of the charts.
    void RunCompanion(const TGUID &lockGuid, const QString &program, const QString &commandLine,
                      const TLanguageStrings &running, const TLanguageStrings &close,
                      const TLanguageStrings &notExecuted, intptr_t data);
    bool FCompanionRunning = false;

public:

private:
    void Create(WindowHandle window, bool &failed);
    void CreateNetwork();
    void CreateFolders();
    void CreateLists();
    void CreateProfiles();
    void CreateSounds();
    void CreateOwnShip();
    bool CreateEngine3D();
    void CreateUpdateAndNotifications();
    void CreateTileManagersAndLoaders(WindowHandle window);
    // The destructor's order of release; ReleaseCreated releases in the reverse order of
    // creation when creation stopped half-way.
    void ReleaseAll();
    void ReleaseCreated();
    void ReleaseEngine3D();
    void ReleaseBoat();
    void ReleaseBoatDefinitions();
    template <class T>
    void Release(const char *name, T *&object) {
        if (!object) return;
        if (FSeams.OnRelease) FSeams.OnRelease(name);
        ObjectDeleteAndNil(object);
    }
    // field := object, remembered for ReleaseCreated.
    template <class T>
    void Own(const char *name, T *&field, T *object) {
        field = object;
        if (object) FCreated.push_back([this, name, &field] { Release(name, field); });
    }

    // ---- Settings, add-on databases and object updates ----------------------------------
    void LoadDeviceSettings();
    void LoadRouteDisplay();
    void LoadTracksAndColours();
    void LoadAddOnFile(uint32_t productKey, const QString &code, uint32_t setMask,
                       const QString &file, bool withGroups, bool bracket);
    void OpenPointDatabase(TNavChartWptDBInfo &info, const QString &dataFile);
    void StoreFoundGPS(INavBoatGPS *gps);
    void ReleaseWptDBInfos();
    QStringList FSkippedAddOnFiles;  // reported once each

    TNavEnvSeams FSeams;
    TNavEnvFactories &F = FSeams.Factories;
    std::vector<std::function<void()>> FCreated;
    bool FSubscribed = false;
};

// The environment's waypoint-list order: prioritised waypoints first, then ascending by
// scale, then by GUID. -1, 0 or 1.
int32_t CompareEnvWaypoints(NavObject *a, NavObject *b);

// Charts, viewers and companion programs
// Starts a companion program with its command line and waits for it while the window stays
// responsive; err 0 when it ran (exitValue its exit code).
using TCompanionRunner = std::function<void(const QString &program, const QString &commandLine,
                                            intptr_t data, int32_t &exitValue, int32_t &err)>;
// nullptr restores the real runner; returns the previous one.
TCompanionRunner SetCompanionRunner(TCompanionRunner runner);

// The read-only machine-wide settings file the chart manager's installation writes
// ("[Software\Korvane\MRC Manager\1]" with "RootDir=…"): the file given here, else the one
// KORVANE_MACHINE_REGISTRY names, else the system's. Empty restores the default.
void SetMachineRegistryFile(const QString &file);
QString MachineRegistryFile();
// A missing file, key or value is not found, silently.
bool ReadMachineRegistryString(const QString &key, const QString &name, QString &value);

// The chart-manager program's file and flags (see ChartManagerProgramFlags); empty and 0
// when it is not installed or its version cannot be read.
void FindChartManagerProgram(QString &fileName, int32_t &flags);
bool GetChartManagerProgramVersion(int32_t &version);
// Where the chart-manager program's "-update" run finds newer editions (empty when it is
// not installed).
QString ChartManagerUpdateFolder(const QString &programFile);

// The companions' locks: "{GUID}1" in the runtime folder, held while a companion runs.
extern const TGUID ChartManagerProductGUID;
extern const TGUID UpdateProgramProductGUID;
QString CompanionLockFile(const TGUID &product);
bool CompanionProgramRunning(const TGUID &product);

// "-update -NL -lang nl-NL" and the like; the update program's "… -nl".
QString ChartManagerCommandLine(const QString &switchText, int32_t language);
QString UpdateProgramCommandLine(const QString &arguments, int32_t language);
// "-hp -wwi -ww -wv 2.3.0.0 -p \"Ostrel\"" from the flags and the network's
// version (1.0.0.0 without a network).
QString UpdateProgramArguments(bool helpFlag, bool networkInstallFlag, bool networkUpdateFlag,
                               IWWNetwork *network);

// The Help menu's web links.
enum class TWebLink { Forum, Help, Homepage, Shop, TeamViewer, BuyCharts, ReleaseHistory };
// The address of a link; for ReleaseHistory empty when the page is not installed.
QString WebLinkAddress(TWebLink link, int32_t language, int32_t programVersion,
                       const QString &programFolder);
void OpenWebLink(WindowHandle window, TWebLink link);

