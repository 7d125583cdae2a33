// Creation and release of the navigation environment's core-library objects.
#include "shell/MarivoNavEnv.h"

#include "base/charts/KvCharts.h"
#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/graphics/KvGraphics.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/kvlib/KvStrings.h"
#include "base/logbook/KvLogbook.h"
#include "base/platform/KvKeepAwake.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegCharts.h"
#include "base/settings/KvRegRoutes.h"
#include "base/txtformat/KvTxtFormat.h"
#include "objectinfo/KvWWNetwork.h"
#include "objectinfo/StructOperationAdapters.h"
#include "shell/FrmSplash.h"
#include "shell/KvAppInit.h"
#include "shell/MarivoNavEnvTexts.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvLogbook.h>

#include <QDateTime>
#include <QDebug>
#include <QFileInfo>

namespace {

QString WithDelimiter(const QString &folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/'))) return folder;
    return folder + QLatin1Char('/');
}

// The local wall-clock time as days since 1899-12-30.
TDateTime LocalNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return double(QDate(1899, 12, 30).daysTo(now.date())) +
           now.time().msecsSinceStartOfDay() / 86400000.0;
}

QString ReinstallMessage(const TLanguageStrings &what, const QString &name) {
    return LanguageText(what).arg(name) + QLatin1Char(' ') +
           LanguageText(NavEnvText::ReinstallHint);
}

// A profile file that cannot be read is put aside, so that the empty profiles saved under
// its name later do not overwrite what the user may still recover.
void KeepUnreadableFile(const QString &file, int32_t err) {
    const QString aside = file + QStringLiteral(".damaged-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    int32_t moveErr = 0;
    FileMoveA(file, aside, false, moveErr);
    MsgBox(LanguageText(NavEnvText::ProfilesNotLoaded)
               .arg(file, ErrorToStrA(err), moveErr == KvErr::Ok ? aside : file),
           mtWarning, MsgButtons({mbOK}));
}

TMarivoNavEnv *Env(void *data) {
    return static_cast<TMarivoNavEnv *>(data);
}

// The own ship's and the chart manager's callbacks hand on to the main window's handlers.
void DeviceErrorCallback(void *data, INavMsgPort *port, int32_t code, bool flag) {
    try {
        if (Env(data)->Events.OnDeviceError) Env(data)->Events.OnDeviceError(port, code, flag);
    } catch (...) {
        ReportCurrentException();
    }
}

void GPSPortErrorCallback(void *data, INavBoatGPS *gps, int32_t code, bool flag) {
    try {
        if (Env(data)->Events.OnGPSPortError) Env(data)->Events.OnGPSPortError(gps, code, flag);
    } catch (...) {
        ReportCurrentException();
    }
}

void GPSNoPositionCallback(void *data, INavBoatGPS *gps, int32_t situation) {
    try {
        if (Env(data)->Events.OnGPSNoPosition) Env(data)->Events.OnGPSNoPosition(gps, situation);
    } catch (...) {
        ReportCurrentException();
    }
}

void GPSErrorClearedCallback(void *data) {
    try {
        if (Env(data)->Events.OnGPSErrorCleared) Env(data)->Events.OnGPSErrorCleared();
    } catch (...) {
        ReportCurrentException();
    }
}

void ChartSetsChangedCallback(void *data, int32_t viewerIndex, intptr_t reloadData) {
    try {
        if (Env(data)->Events.OnChartSetsChanged)
            Env(data)->Events.OnChartSetsChanged(viewerIndex, reloadData);
    } catch (...) {
        ReportCurrentException();
    }
}

void ObjectUpdateEventCallback(void *data, int32_t number) {
    try {
        if (Env(data)->Events.OnObjectUpdateEvent) Env(data)->Events.OnObjectUpdateEvent(number);
    } catch (...) {
        ReportCurrentException();
    }
}

}  // namespace

TNavEnvFactories::TNavEnvFactories()
    : WWNetworkLoadFromFile(::WWNetworkLoadFromFile),
      CreateTxtFormatProfileManager(::CreateTxtFormatProfileManager),
      CreateTxtFormatProfileManagerEmpty(::CreateTxtFormatProfileManagerEmpty),
      CreateMRCChartCheck(::CreateMRCChartCheck),
      CreateS52PresentationLib(::CreateS52PresentationLib),
      CreateChartManager(::CreateChartManager), SoundCreateFromFile(::SoundCreateFromFile) {}

TMarivoNavEnv::TMarivoNavEnv(bool &failed, WindowHandle window, const QString &dataFolder,
                             const QString &sharedFolder, uint16_t chartModules,
                             TNavEnvEvents events, TNavEnvSeams seams)
    : DataFolder(WithDelimiter(dataFolder)), SharedFolder(WithDelimiter(sharedFolder)),
      Events(std::move(events)), ChartModules(chartModules), FSeams(std::move(seams)) {
    failed = false;
    if (!FSeams.Now) FSeams.Now = LocalNow;
    if (!FSeams.KeepAwake) FSeams.KeepAwake = [](bool on) { GetKeepAwake().SetKeepAwake(on); };
    try {
        Create(window, failed);
    } catch (...) {
        ReleaseCreated();
        throw;
    }
}

TMarivoNavEnv::~TMarivoNavEnv() {
    ReleaseAll();
}

void TMarivoNavEnv::Create(WindowHandle window, bool &failed) {
    CreatedAt = FSeams.Now();
    State = NavEnvState::Created;
    Own("CoreEnv", CoreEnv, F.NavEnvCreate());
    CreateNetwork();

    BlinkPhase = 3;
    BlinkStep = -1;
    const QString prog = ProgInfoGetProgDir();
    SoundsFolder = prog + QStringLiteral("Sounds/");
    ImagesFolder = prog + QStringLiteral("Images/");
    UserDatabaseFile = DataFolder + QStringLiteral("Waypoints.db");
    PlannerFolder = DataFolder + QStringLiteral("Planner/");
    TracksFolder = DataFolder + QStringLiteral("Tracks/");
    CacheFolder = DataFolder + QStringLiteral("Cache/");
    S52CacheFolder = DataFolder + QStringLiteral("S52Cache/");
    ChartsFolder = SharedFolder + QStringLiteral("Charts/");
    ChartDataCacheFile = CacheFolder + QStringLiteral("ChartData.cdf");
    ChartInfoCacheFile = CacheFolder + QStringLiteral("ChartInfo.cif");
    S57BaseDataFile = CacheFolder + QStringLiteral("S57ChartBaseData.ini");
    RouteProfilesFile = DataFolder + QStringLiteral("Marivo.ProfilesRTE");
    WaypointProfilesFile = DataFolder + QStringLiteral("Marivo.ProfilesWPT");
    SelectedChartsFile = DataFolder + QStringLiteral("Marivo.SelectedCharts");
    CreateFolders();
    CreateLists();
    CreateProfiles();

    SplashText(LanguageText(NavEnvText::CheckingChartManager));
    FindChartManager();
    UpdateProgramFile = prog + QStringLiteral("ZEV/Korvane Update Program");
    Own("OnlineService", OnlineService,
        F.CreateMRCChartCheck(CoreEnv->GetDispatcher(), QStringLiteral("Ostrel"),
                              ProgInfoGetVersion()));
    Own("S52Library", S52Library, F.CreateS52PresentationLib(S52CacheFolder));
    Own("S57Registrar", S57Registrar, F.S57RegistrarManagerCreate());
    CreateCharts();
    CreateWaypointManager(DataFolder);
    CreateSounds();
    Own("DeviceManager", DeviceManager,
        F.NavMsgDeviceManagerCreate(CoreEnv->GetDispatcher(), 0x2000, 1));
    SplashText(LanguageText(NavEnvText::InitializingObjects));
    CreateOwnShip();
    Own("PredictedTime", PredictedTime, F.NavPredictedTimeCreate(CoreEnv->GetDispatcher()));
    S52Library->SetPredictedTime(PredictedTime);
    // The tracks folder was made (or the start stopped) with the other folders above.
    LoadLocale();
    RegReadSailingAreas(SailingAreas);
    Own("Loop", Loop,
        F.NavLoopCreate(0.1f, OnLoopFastTick, this, 1.0f, OnLoopTick, this, 1.0f, OnLoopUiTick,
                        this));
    if (!CreateEngine3D()) {
        failed = true;
        return;
    }
    CreateUpdateAndNotifications();
    CreateTileManagersAndLoaders(window);
    CoreEnv->GetDispatcher()->Subscribe(OnCoreNotification, this);
    FSubscribed = true;
}

void TMarivoNavEnv::CreateNetwork() {
    SplashText(LanguageText(NavEnvText::ReadingNetwork));
    // An installation may name its own network file.
    QString configured;
    RegReadStringDef(GetAppReg(), AppRegRoot::Installation, QString(),
                     RegName(u"WaterwayNetworkPath"), QString(), configured);
    configured = configured.trimmed();
    WaterwayNetworkFile = !configured.isEmpty()
                              ? configured
                              : DataFolder + QStringLiteral("Waterway Network/WaterwayNetwork.kvwwn");
    int32_t err = 0;
    Own("WaterwayNetwork", WaterwayNetwork, F.WWNetworkLoadFromFile(WaterwayNetworkFile, nullptr, err));
    // Start-up passes over a missing network and error 21 in silence.
    if (err != KvErr::Ok && err != KvErr::NotFound && err != KvErr::BadFormat)
        MsgBox(LanguageText(NavEnvText::NetworkNotLoaded) + ErrorToStrA(err) + QLatin1Char('.'),
               mtWarning, MsgButtons({mbOK}));

    const QString usa = DataFolder + QStringLiteral("Waterway Network/WaterwayNetworkUSA.kvwwn");
    if (!QFileInfo::exists(usa)) return;
    Own("WaterwayNetworkUSA", WaterwayNetworkUSA, F.WWNetworkLoadFromFile(usa, nullptr, err));
    if (WaterwayNetworkUSA && WaterwayNetwork) WaterwayNetwork->Merge(WaterwayNetworkUSA, err);
}

void TMarivoNavEnv::CreateFolders() {
    for (const QString &folder : {PlannerFolder, TracksFolder, CacheFolder}) {
        if (DirExistsA(folder)) continue;
        int32_t err = 0;
        DirCreateA(folder, err);
        RaiseIfError(err, ReinstallMessage(NavEnvText::FolderMessage, folder));
    }
}

void TMarivoNavEnv::CreateLists() {
    Own("WaypointGroupList", WaypointGroupList, F.WptWaypointGroupListCreate(1));
    WaypointGroupList->SetSortMode(0);
    Own("PolygonList", PolygonList, F.WptPolygonListCreate(1));
    PolygonList->SetSortMode(0);
    Own("RouteList", RouteList, F.WptRouteListCreate(1));
    RouteList->SetSortMode(0);
    Own("TrackList", TrackList, F.NavTrackListCreate(1));
    TrackList->SetOwnsObjects(true);
    Own("WaypointList", WaypointList, F.WptWaypointListCreate(1));
    WaypointList->SetCompare(CompareEnvWaypoints);
}

void TMarivoNavEnv::CreateProfiles() {
    struct TProfiles {
        const char *Name;
        ITxtFormatProfileManager *&Manager;
        const QString &File;
        void (*Init)(ITxtFormatProfile *, bool);
    };
    const TProfiles profiles[] = {
        {"RouteProfiles", RouteProfiles, RouteProfilesFile, TxtFormatProfileInitRoute},
        {"WaypointProfiles", WaypointProfiles, WaypointProfilesFile, TxtFormatProfileInitWaypoint}};
    for (const TProfiles &p : profiles) {
        if (QFileInfo::exists(p.File)) {
            int32_t err = 0;
            Own(p.Name, p.Manager, F.CreateTxtFormatProfileManager(p.File, err));
            if (!p.Manager) KeepUnreadableFile(p.File, err);
        }
        if (!p.Manager) {
            Own(p.Name, p.Manager, F.CreateTxtFormatProfileManagerEmpty());
            p.Manager->SetFileName(StrW(p.File));
        }
        int32_t index = -1;
        if (p.Manager->GetDefaultIndex(index)) p.Init(p.Manager->GetProfile(index), true);
    }
}

void TMarivoNavEnv::CreateSounds() {
    SplashText(LanguageText(NavEnvText::ReadingSounds));
    struct TSound {
        const char *Name;
        ISound *&Sound;
        const char *File;
    };
    const TSound sounds[] = {{"SoundGPSLost", SoundGPSLost, "GPS lost.wav"},
                             {"SoundGPSRestored", SoundGPSRestored, "GPS restored.wav"},
                             {"SoundRoutePointReached", SoundRoutePointReached,
                              "Routepoint reached.wav"},
                             {"SoundXTEAlarm", SoundXTEAlarm, "XTE alarm.wav"}};
    for (const TSound &s : sounds) {
        const QString file = SoundsFolder + QLatin1String(s.File);
        int32_t err = 0;
        Own(s.Name, s.Sound, F.SoundCreateFromFile(file, err));
        if (!s.Sound && err == KvErr::Ok) err = KvErr::Failed;
        RaiseIfError(err, ReinstallMessage(NavEnvText::FileMessage, file));
    }
}

void TMarivoNavEnv::CreateOwnShip() {
    ActiveBoatDef = F.LPBoatDefCreate(1);
    if (ActiveBoatDef) {
        BoatDefinitions.push_back(ActiveBoatDef);
        FCreated.push_back([this] { ReleaseBoatDefinitions(); });
    }
    Own("Planner", Planner,
        F.CreateWptPlanner(PlannerFolder, ChartManager, UserDatabase, 0, 0, nullptr, 0, 0,
                           WaterwayNetwork));
    Own("Boat", Boat,
        F.NavBoatCreate(WaypointManager, ActiveBoatDef, DeviceManager, 0, nullptr, 0,
                        CoreEnv->GetDispatcher(), 1, 0, 0, 0, OnNavigationStarted, this,
                        DeviceErrorCallback, this, GPSPortErrorCallback, this,
                        GPSNoPositionCallback, this, GPSErrorClearedCallback, this, OnRouteEnded,
                        this));
    Boat->SetWaterwayNetwork(WaterwayNetwork);
    INavBoatGPS *gps = Boat->GetGPS();
    gps->SetLostSound(SoundGPSLost);
    gps->SetRestoredSound(SoundGPSRestored);
}

bool TMarivoNavEnv::CreateEngine3D() {
    QString error;
    Own("Engine3D", Engine3D,
        F.CreateS3DEngine(int32_t(0x80000001u), QString(), 1, 1, 5, false, error));
    if (!error.isEmpty() || !Engine3D) {
        MsgBox(error, mtError, MsgButtons({mbOK}));
        ApplicationTerminate();
        return false;
    }
    Engine3DResources = S3DOpenResourceFolder(Engine3D, nullptr, 1, DataFolder + QStringLiteral("FX/"));
    return true;
}

void TMarivoNavEnv::CreateUpdateAndNotifications() {
    Own("ObjectUpdateManager", ObjectUpdateManager,
        F.NavObjectUpdateManagerCreate(0, 0, 0, 0, 0, OnObjectDatabaseUpdatedCallback, this,
                                       ObjectUpdateEventCallback, this));
    ObjectUpdateManager->SetCharts(ChartManager, WaypointManager, OnObjectUpdateProgress, this);
    ObjectUpdateManager->SetOnlineService(OnlineService);
    ObjectUpdateSetFolder(ObjectUpdateManager, ObjectUpdateFolder::Network,
                          QFileInfo(WaterwayNetworkFile).absolutePath());
    ObjectUpdateSetFolder(ObjectUpdateManager, ObjectUpdateFolder::ChartUpdates,
                          ChartManagerUpdateFolder(ChartManagerProgramFolder));
    IAppReg *reg = GetAppReg();
    const QString updates = QStringLiteral("Updates");
    ObjectUpdateManager->SetNoUpdates(
        RegReadBoolDef(reg, AppRegRoot::Product, updates, RegName(u"ObjectUpdateNoUpdates"), false));
    ChartAutoUpdateThreshold = RegReadIntegerDef(reg, AppRegRoot::Product, updates,
                                                 RegName(u"ChartAutoUpdateThreshold"), 500);
    ObjectUpdateManager->SetChartUpdates(
        RegReadBoolDef(reg, AppRegRoot::Product, updates, RegName(u"ObjectUpdateChartUpdates"), true));

    Own("NotificationCenter", NotificationCenter, F.NavNotificationCenterCreate());
    TNavPtr<IBmp32> soundOn(Bmp32Create(0, 0, 0)), soundOff(Bmp32Create(0, 0, 0));
    for (auto [picture, name] : {std::pair{soundOn.get(), "soundon.tga"},
                                 std::pair{soundOff.get(), "soundoff.tga"}}) {
        const QString file = ImagesFolder + QLatin1String(name);
        int32_t err = 0;
        Bmp32LoadFromFile3(picture, file, 1, err, 0);
        RaiseIfError(err, ReinstallMessage(NavEnvText::FileMessage, file));
    }
    NotificationCenter->SetResources(CoreEnv, soundOff.get(), soundOn.get(), PredictedTime);
    ObjectUpdateManager->SetNotificationCenter(NotificationCenter);

    Own("StructOperationManager", StructOperationManager, F.NavStructOperationManagerCreate());
    QString shipName;
    RegReadStringDef(reg, AppRegRoot::Product, QStringLiteral("Boat"), RegName(u"ShipName"),
                     QString(), shipName);
    NavStructOpAttach(StructOperationManager, Boat, shipName, Planner->GetNAPWaterLevel(),
                      WaterwayNetwork);
}

void TMarivoNavEnv::CreateTileManagersAndLoaders(WindowHandle window) {
    int32_t err = 0;
    Own("OSMTileManager", OSMTileManager,
        F.S3DOSMTileManagerCreate(Engine3DResources, 0xA00000, err));
    RaiseIfError(err, LanguageText(NavEnvText::OSMTileManagerFailed));
    Own("TileManager", TileManager,
        F.S3DTileManagerCreate(Engine3DResources, 0x4000000, 0, OnLoaderEvent, this, err));
    RaiseIfError(err, LanguageText(NavEnvText::TileManagerFailed));
    TileManager->SetWindow(window);
    Own("S57ChartLoader", S57ChartLoader, F.S57ChartLoaderCreate(OnLoaderEvent, this, err));
    RaiseIfError(err, LanguageText(NavEnvText::S57ChartLoaderFailed));
    Own("S57ChartInfoLoader", S57ChartInfoLoader, F.S57ChartInfoLoaderCreate(0, 0, err));
    RaiseIfError(err, LanguageText(NavEnvText::S57ChartInfoLoaderFailed));
    ObjectUpdateManager->SetS57ChartInfoLoader(S57ChartInfoLoader);
}

void TMarivoNavEnv::CreateCharts() {
    SplashText(LanguageText(NavEnvText::ReadingCharts), LanguageText(NavEnvText::OptimizingCharts));
    TSplashProgressCallback progress = SplashProgressCallback();
    Own("ChartManager", ChartManager,
        F.CreateChartManager(ChartInfoCacheFile, SelectedChartsFile, ChartsFolder, ChartModules,
                             ChartSetsChangedCallback, this, progress.Proc, progress.Data));
    SplashText(LanguageText(NavEnvText::ReadingChartData),
               LanguageText(NavEnvText::OptimizingChartData));
    RegReadModuleColors(ChartManager);
    std::vector<NavObject *> charts;
    for (int32_t i = 0; i < ChartManager->GetCatalogueCount(); ++i) {
        IChartCatalogueEntry *entry = ChartManager->GetCatalogueEntry(i);
        IChartCatalogueObject *object = entry ? entry->GetCatalogueObject() : nullptr;
        charts.push_back(object ? object->GetRasterChart() : nullptr);
    }
    progress = SplashProgressCallback();
    Own("ChartDataCache", ChartDataCache,
        F.CreateChartDataCache(ChartDataCacheFile, charts.data(), int32_t(charts.size()),
                               progress.Proc, progress.Data));
}

void TMarivoNavEnv::DeleteChartObjects() {
    Release("ChartDataCache", ChartDataCache);
    Release("ChartManager", ChartManager);
}

void TMarivoNavEnv::ReleaseEngine3D() {
    if (Engine3D && Engine3DResources) Engine3D->CloseResourceFolder(Engine3DResources);
    Engine3DResources = 0;
    Release("Engine3D", Engine3D);
}

void TMarivoNavEnv::ReleaseBoat() {
    if (!Boat) return;
    Boat->StopRouteNavigation();
    // A track still attached (navigation never stopped) keeps what it recorded.
    if (INavTrack *track = Boat->GetTrack()) {
        Boat->AttachTrack(nullptr);
        Release("Track", track);
    }
    Release("Boat", Boat);
}

void TMarivoNavEnv::ReleaseBoatDefinitions() {
    ActiveBoatDef = nullptr;
    for (ILPBoatDef *&def : BoatDefinitions) Release("BoatDefinition", def);
    BoatDefinitions.clear();
}

void TMarivoNavEnv::ReleaseCreated() {
    // Construction stopped half-way: what exists goes in the reverse order of creation.
    if (Boat) Boat->StopRouteNavigation();
    if (Engine3D && Engine3DResources) Engine3D->CloseResourceFolder(Engine3DResources);
    Engine3DResources = 0;
    ReleaseWptDBInfos();
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) (*it)();
    FCreated.clear();
    ActiveBoatDef = nullptr;
    BoatDefinitions.clear();
    UserDatabase = nullptr;
}

void TMarivoNavEnv::ReleaseAll() {
    if (FSubscribed && CoreEnv) CoreEnv->GetDispatcher()->Unsubscribe(OnCoreNotification, this);
    FSubscribed = false;
    Viewers.clear();
    Release("S57ChartLoader", S57ChartLoader);
    Release("S57ChartInfoLoader", S57ChartInfoLoader);
    Release("OSMTileManager", OSMTileManager);
    Release("TileManager", TileManager);
    ReleaseEngine3D();
    OnUpdateActions = nullptr;
    Release("Loop", Loop);
    if (Boat) {
        INavLogbook *logbook = Boat->GetLogbook();
        Boat->AttachLogbook(nullptr);
        Release("Logbook", logbook);
    }
    ReleaseWptDBInfos();
    DeleteChartObjects();
    Release("S57Registrar", S57Registrar);
    Release("S52Library", S52Library);
    Release("PredictedTime", PredictedTime);
    ReleaseBoat();
    ReleaseBoatDefinitions();
    Release("Planner", Planner);
    Release("StructOperationManager", StructOperationManager);
    Release("ObjectUpdateManager", ObjectUpdateManager);
    Release("DeviceManager", DeviceManager);
    Release("SoundXTEAlarm", SoundXTEAlarm);
    Release("SoundRoutePointReached", SoundRoutePointReached);
    Release("SoundGPSRestored", SoundGPSRestored);
    Release("SoundGPSLost", SoundGPSLost);
    // The user database is the waypoint manager's.
    UserDatabase = nullptr;
    Release("WaypointManager", WaypointManager);
    Release("RouteProfiles", RouteProfiles);
    Release("WaypointProfiles", WaypointProfiles);
    Release("WaypointList", WaypointList);
    Release("TrackList", TrackList);
    Release("PolygonList", PolygonList);
    Release("RouteList", RouteList);
    Release("WaypointGroupList", WaypointGroupList);
    Release("WaterwayNetworkUSA", WaterwayNetworkUSA);
    Release("WaterwayNetwork", WaterwayNetwork);
    Release("NotificationCenter", NotificationCenter);
    Release("OnlineService", OnlineService);
    Release("CoreEnv", CoreEnv);
    FCreated.clear();
}
