// Creation and release of the navigation environment: order, splash texts, arguments, and
// what happens when a step fails.
#include "NavEnvFixture.h"

#include "base/files/KvFiles.h"
#include "base/waypoints/KvWaypoints.h"
#include "base/kvlib/KvErrors.h"
#include "base/logbook/KvLogbook.h"
#include "shell/FrmSplash.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <algorithm>

QString TFactoryLog::CurrentSplashText() {
    return Splash() ? Splash()->StatusText() : QString();
}

void WrapAllFactories(TNavEnvFactories &f, TFactoryLog &log) {
    log.Wrap(f.NavEnvCreate, "NavEnvCreate");
    log.Wrap(f.WWNetworkLoadFromFile, "WWNetworkLoadFromFile");
    log.Wrap(f.WptWaypointGroupListCreate, "WptWaypointGroupListCreate");
    log.Wrap(f.WptPolygonListCreate, "WptPolygonListCreate");
    log.Wrap(f.WptRouteListCreate, "WptRouteListCreate");
    log.Wrap(f.NavTrackListCreate, "NavTrackListCreate");
    log.Wrap(f.WptWaypointListCreate, "WptWaypointListCreate");
    log.Wrap(f.CreateTxtFormatProfileManager, "CreateTxtFormatProfileManager");
    log.Wrap(f.CreateTxtFormatProfileManagerEmpty, "CreateTxtFormatProfileManagerEmpty");
    log.Wrap(f.CreateMRCChartCheck, "CreateMRCChartCheck");
    log.Wrap(f.CreateS52PresentationLib, "CreateS52PresentationLib");
    log.Wrap(f.S57RegistrarManagerCreate, "S57RegistrarManagerCreate");
    log.Wrap(f.CreateChartManager, "CreateChartManager");
    log.Wrap(f.CreateChartDataCache, "CreateChartDataCache");
    log.Wrap(f.CreateWptManager, "CreateWptManager");
    log.Wrap(f.SoundCreateFromFile, "SoundCreateFromFile");
    log.Wrap(f.NavMsgDeviceManagerCreate, "NavMsgDeviceManagerCreate");
    log.Wrap(f.LPBoatDefCreate, "LPBoatDefCreate");
    log.Wrap(f.CreateWptPlanner, "CreateWptPlanner");
    log.Wrap(f.NavBoatCreate, "NavBoatCreate");
    log.Wrap(f.NavPredictedTimeCreate, "NavPredictedTimeCreate");
    log.Wrap(f.NavLoopCreate, "NavLoopCreate");
    log.Wrap(f.CreateS3DEngine, "CreateS3DEngine");
    log.Wrap(f.NavObjectUpdateManagerCreate, "NavObjectUpdateManagerCreate");
    log.Wrap(f.NavNotificationCenterCreate, "NavNotificationCenterCreate");
    log.Wrap(f.NavStructOperationManagerCreate, "NavStructOperationManagerCreate");
    log.Wrap(f.S3DOSMTileManagerCreate, "S3DOSMTileManagerCreate");
    log.Wrap(f.S3DTileManagerCreate, "S3DTileManagerCreate");
    log.Wrap(f.S57ChartLoaderCreate, "S57ChartLoaderCreate");
    log.Wrap(f.S57ChartInfoLoaderCreate, "S57ChartInfoLoaderCreate");
}

namespace {

using Names = std::vector<std::string>;

// The release order of a complete environment without a logbook.
const Names FullReleaseOrder = {
    "S57ChartLoader", "S57ChartInfoLoader", "OSMTileManager", "TileManager", "Engine3D",
    "Loop", "ChartDataCache", "ChartManager", "S57Registrar", "S52Library", "PredictedTime",
    "Boat", "BoatDefinition", "Planner", "StructOperationManager", "ObjectUpdateManager",
    "DeviceManager", "SoundXTEAlarm", "SoundRoutePointReached", "SoundGPSRestored",
    "SoundGPSLost", "WaypointManager", "RouteProfiles", "WaypointProfiles", "WaypointList",
    "TrackList", "PolygonList", "RouteList", "WaypointGroupList", "WaterwayNetwork",
    "NotificationCenter", "OnlineService", "CoreEnv"};

class NavEnvCreate : public NavEnvFixture {
protected:
    // The release observer's record.
    TNavEnvSeams Recording() {
        TNavEnvSeams seams;
        seams.OnRelease = [this](const char *name) { Released.push_back(name); };
        return seams;
    }
    Names Released;
};

}  // namespace

TEST_F(NavEnvCreate, CreatesEveryObjectInOrderWithItsSplashText) {
    TNavEnvSeams seams = Recording();
    TFactoryLog log;
    WrapAllFactories(seams.Factories, log);
    float loop[3] = {};
    seams.Factories.NavLoopCreate = [&, real = seams.Factories.NavLoopCreate](
                                        float fast, LoopProc f1, void *d1, float normal,
                                        LoopProc f2, void *d2, float slow, LoopProc f3, void *d3) {
        loop[0] = fast, loop[1] = normal, loop[2] = slow;
        return real(fast, f1, d1, normal, f2, d2, slow, f3, d3);
    };
    QStringList sounds;
    seams.Factories.SoundCreateFromFile = [&, real = seams.Factories.SoundCreateFromFile](
                                              const QString &file, int32_t &err) {
        sounds << QFileInfo(file).fileName();
        return real(file, err);
    };
    int32_t tileCaches[2] = {};
    seams.Factories.S3DOSMTileManagerCreate = [&, real = seams.Factories.S3DOSMTileManagerCreate](
                                                  int32_t res, int32_t bytes, int32_t &err) {
        tileCaches[0] = bytes;
        return real(res, bytes, err);
    };
    seams.Factories.S3DTileManagerCreate = [&, real = seams.Factories.S3DTileManagerCreate](
                                               int32_t res, int32_t bytes, int32_t reserved,
                                               LoaderProc cb, void *data, int32_t &err) {
        tileCaches[1] = bytes;
        return real(res, bytes, reserved, cb, data, err);
    };

    ShowSplash(0);
    auto env = Make(std::move(seams));
    const double fillEnd = Splash()->FillEnd();
    delete Splash();

    const Names expected = {
        "NavEnvCreate", "WWNetworkLoadFromFile", "WptWaypointGroupListCreate",
        "WptPolygonListCreate", "WptRouteListCreate", "NavTrackListCreate",
        "WptWaypointListCreate", "CreateTxtFormatProfileManagerEmpty",
        "CreateTxtFormatProfileManagerEmpty", "CreateMRCChartCheck", "CreateS52PresentationLib",
        "S57RegistrarManagerCreate", "CreateChartManager", "CreateChartDataCache",
        "CreateWptManager", "SoundCreateFromFile", "SoundCreateFromFile", "SoundCreateFromFile",
        "SoundCreateFromFile", "NavMsgDeviceManagerCreate", "LPBoatDefCreate",
        "CreateWptPlanner", "NavBoatCreate", "NavPredictedTimeCreate", "NavLoopCreate",
        "CreateS3DEngine", "NavObjectUpdateManagerCreate", "NavNotificationCenterCreate",
        "NavStructOperationManagerCreate", "S3DOSMTileManagerCreate", "S3DTileManagerCreate",
        "S57ChartLoaderCreate", "S57ChartInfoLoaderCreate"};
    EXPECT_EQ(log.Names(), expected);
    EXPECT_EQ(log.SplashAt("WWNetworkLoadFromFile"), QStringLiteral("Reading waterway network"));
    EXPECT_EQ(log.SplashAt("CreateMRCChartCheck"), QStringLiteral("Checking MRC Manager..."));
    EXPECT_EQ(log.SplashAt("CreateChartManager"), QStringLiteral("Reading charts"));
    EXPECT_EQ(log.SplashAt("CreateChartDataCache"), QStringLiteral("Reading charts performance data"));
    EXPECT_EQ(log.SplashAt("CreateWptManager"), QStringLiteral("Reading waypoint databases"));
    EXPECT_EQ(log.SplashAt("SoundCreateFromFile"), QStringLiteral("Reading sound files"));
    EXPECT_EQ(log.SplashAt("NavMsgDeviceManagerCreate"), QStringLiteral("Reading sound files"));
    EXPECT_EQ(log.SplashAt("LPBoatDefCreate"), QStringLiteral("Initializing objects"));
    EXPECT_EQ(fillEnd, TFormSplash::Track.Right) << "loading the charts moves the bar to its end";

    EXPECT_EQ(sounds, QStringList({"GPS lost.wav", "GPS restored.wav", "Routepoint reached.wav",
                                   "XTE alarm.wav"}));
    EXPECT_FLOAT_EQ(loop[0], 0.1f);
    EXPECT_FLOAT_EQ(loop[1], 1.0f);
    EXPECT_FLOAT_EQ(loop[2], 1.0f);
    EXPECT_EQ(tileCaches[0], 0xA00000);
    EXPECT_EQ(tileCaches[1], 0x4000000);
    EXPECT_EQ(env->State, NavEnvState::Created);
    EXPECT_EQ(env->ActiveBoatDef, env->GetBoatDef(0));
    // The folders the environment uses exist; the user database was made and saved.
    for (const QString &folder : {env->PlannerFolder, env->TracksFolder, env->CacheFolder})
        EXPECT_TRUE(QFileInfo(folder).isDir()) << folder.toStdString();
    EXPECT_TRUE(QFileInfo::exists(FData + QStringLiteral("/Waypoints.db")));
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(QLatin1Char('|')).toStdString();
    // Both demo charts are known: the BSB chart in the catalogue, the S-57 cell as a chart.
    EXPECT_EQ(env->ChartManager->GetCatalogueCount(), 1);
    EXPECT_EQ(env->ChartManager->GetChartCount(), 1);
}

TEST_F(NavEnvCreate, ReleasesInTheDestructorsOrderWithTheCoreEnvironmentLast) {
    TNavEnvSeams seams = Recording();
    TMarivoNavEnv *raw = nullptr;
    bool attachedAtRelease = true;
    seams.OnRelease = [&](const char *name) {
        Released.push_back(name);
        if (Released.back() == "Logbook") attachedAtRelease = raw->Boat->GetLogbook() != nullptr;
    };
    auto env = Make(std::move(seams));
    raw = env.get();
    // An open logbook is detached from the own ship before it is released.
    const QString logbookFile = FData + QStringLiteral("/Trip.kvlog");
    QFile file(logbookFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("KvNavLogbook\t1\nUTCOffset\t0\nEnd\t0\n");
    file.close();
    int32_t err = -1;
    env->Boat->AttachLogbook(NavLogbookLoad(logbookFile, env->Boat, err));
    ASSERT_EQ(err, 0);

    env.reset();
    Names expected = FullReleaseOrder;
    expected.insert(expected.begin() + 6, "Logbook");
    EXPECT_EQ(Released, expected);  // the user database is the waypoint manager's: never listed
    EXPECT_FALSE(attachedAtRelease);
}

TEST_F(NavEnvCreate, AFailedStepReleasesWhatExistsInTheReverseOrderOfCreation) {
    shelltest::TShellScope noSound(shelltest::ProgramFolderWithout({QStringLiteral("Sounds/GPS lost.wav")}));
    TNavEnvSeams seams = Recording();
    TFactoryLog log;
    WrapAllFactories(seams.Factories, log);
    bool failed = false;
    try {
        TMarivoNavEnv env(failed, nullptr, FData, FData, 1, {}, std::move(seams));
        FAIL() << "a missing sound must end the creation";
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message().endsWith(QStringLiteral("/Sounds/GPS lost.wav\". Reinstalling the "
                                                         "application may fix the problem.)")))
            << e.Message().toStdString();
        EXPECT_TRUE(e.Message().startsWith(ErrorToStrA(KvErr::NotFound) +
                                           QStringLiteral(" (File: \"")))
            << e.Message().toStdString();
    }
    const Names created = {"CoreEnv", "WaterwayNetwork", "WaypointGroupList", "PolygonList",
                           "RouteList", "TrackList", "WaypointList", "RouteProfiles",
                           "WaypointProfiles", "OnlineService", "S52Library", "S57Registrar",
                           "ChartManager", "ChartDataCache", "WaypointManager"};
    EXPECT_EQ(Released, Names(created.rbegin(), created.rend()));
}

TEST_F(NavEnvCreate, BadInputIsToldAndNothingIsLost) {
    const QString network = QStringLiteral("/Waterway Network/WaterwayNetwork.kvwwn");
    struct Case {
        const char *name;
        std::function<void(const QString &data)> damage;
        QString message;    // start of the one message box expected; empty: none
        QString exception;  // text the creation raises with; empty: it succeeds
    };
    const QString reinstall = QStringLiteral(". Reinstalling the application may fix the problem.)");
    const Case cases[] = {
        {"missing network: no word",
         [&](const QString &data) { QFile::remove(data + network); }, {}, {}},
        {"damaged network: a warning with the library's text",
         [&](const QString &data) {
             QFile f(data + network);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
             f.write("this is no waterway network");
         },
         QStringLiteral("The waterway network could not be loaded: ") +
             ErrorToStrA(KvErr::WWNetworkDamaged) + QLatin1Char('.'),
         {}},
        {"planner folder cannot be made",
         [](const QString &data) {
             QFile f(data + QStringLiteral("/Planner"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         },
         {}, QStringLiteral("/Planner/\"") + reinstall},
        {"damaged route profiles: put aside, not overwritten later",
         [](const QString &data) {
             QFile f(data + QStringLiteral("/Marivo.ProfilesRTE"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("{ not a profile file");
         },
         QStringLiteral("The text format profiles in \"%DATA%/Marivo.ProfilesRTE\" could not be read: "),
         {}},
        {"damaged user database: put aside, an empty one saved",
         [](const QString &data) {
             QFile f(data + QStringLiteral("/Waypoints.db"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("garbage that is no database at all");
         },
         QStringLiteral("The waypoint database could not be loaded due to an error: \"") +
             ErrorToStrA(KvErr::BadFormat) + QStringLiteral("\".\nThe erroneous database has been "
                                                           "renamed to \"") + QStringLiteral("%DB%"),
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FData = shelltest::FreshDemoData(QStringLiteral("badinput"));
        c.damage(FData);
        Messages.clear();
        QString raised;
        try {
            bool failed = false;
            TMarivoNavEnv env(failed, nullptr, FData, FData, 1, {}, {});
            EXPECT_FALSE(failed);
            if (QString(c.name).startsWith(QLatin1String("damaged route profiles"))) {
                EXPECT_FALSE(QFileInfo::exists(FData + QStringLiteral("/Marivo.ProfilesRTE")));
                EXPECT_EQ(QDir(FData).entryList({QStringLiteral("Marivo.ProfilesRTE.damaged-*")}).size(), 1);
            }
            if (QString(c.name).startsWith(QLatin1String("damaged user database"))) {
                ASSERT_TRUE(env.UserDatabase);
                EXPECT_EQ(WptDatabaseGetName(env.UserDatabase), QStringLiteral("Marivo5 User Database"));
            }
        } catch (const Exception &e) {
            raised = e.Message();
        }
        if (c.exception.isEmpty())
            EXPECT_TRUE(raised.isEmpty()) << raised.toStdString();
        else
            EXPECT_TRUE(raised.endsWith(c.exception)) << raised.toStdString();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(Messages.isEmpty()) << Messages.join(QLatin1Char('|')).toStdString();
        } else {
            ASSERT_EQ(Messages.size(), 1);
            EXPECT_TRUE(Messages[0].startsWith(QString(c.message)
                                                   .replace(QStringLiteral("%DB%"),
                                                            FData + QStringLiteral("/Waypoints.db.damaged-"))
                                                   .replace(QStringLiteral("%DATA%"), FData)))
                << Messages[0].toStdString();
        }
    }
}

TEST_F(NavEnvCreate, MissingPictureRaisesWithItsFileName) {
    for (const QString &picture : {QStringLiteral("Images/soundoff.tga"),
                                   QStringLiteral("Images/default_icon.tga")}) {
        SCOPED_TRACE(picture.toStdString());
        const QString program = shelltest::ProgramFolderWithout({picture});
        shelltest::TShellScope scope(program);
        try {
            bool failed = false;
            TMarivoNavEnv env(failed, nullptr, FData, FData, 1, {}, {});
            ADD_FAILURE() << "created without the picture";
        } catch (const Exception &e) {
            EXPECT_TRUE(e.Message().endsWith(QStringLiteral("(File: \"") + program + picture +
                                             QStringLiteral("\". Reinstalling the application "
                                                            "may fix the problem.)")))
                << e.Message().toStdString();
        }
    }
}

TEST_F(NavEnvCreate, DrawingEngineErrorIsShownTerminationRequestedAndCreationStops) {
    TNavEnvSeams seams = Recording();
    TFactoryLog log;
    seams.Factories.CreateS3DEngine = [](int32_t, const QString &, int32_t, int32_t, int32_t,
                                         bool, QString &error) -> IS3D * {
        error = QStringLiteral("No graphics adapter suits the drawing engine.");
        return nullptr;
    };
    WrapAllFactories(seams.Factories, log);
    SetApplicationTerminated(false);
    bool failed = false;
    auto env = std::make_unique<TMarivoNavEnv>(failed, nullptr, FData, FData, 1, TNavEnvEvents{},
                                               std::move(seams));
    EXPECT_TRUE(failed);
    EXPECT_TRUE(ApplicationTerminated());
    SetApplicationTerminated(false);
    EXPECT_EQ(Messages, QStringList{QStringLiteral("No graphics adapter suits the drawing engine.")});
    EXPECT_EQ(log.Names().back(), "CreateS3DEngine");
    EXPECT_EQ(env->ObjectUpdateManager, nullptr);
    env.reset();
    EXPECT_EQ(Released.back(), "CoreEnv");
    EXPECT_EQ(std::count(Released.begin(), Released.end(), "Loop"), 1);
}

TEST_F(NavEnvCreate, TileManagerFailureRaisesAndReleasesItsObject) {
    TNavEnvSeams seams = Recording();
    seams.Factories.S3DTileManagerCreate = [real = seams.Factories.S3DTileManagerCreate](
                                               int32_t res, int32_t bytes, int32_t reserved,
                                               LoaderProc cb, void *data, int32_t &err) {
        IS3DTileManager *made = real(res, bytes, reserved, cb, data, err);
        err = KvErr::AccessDenied;
        return made;
    };
    try {
        bool failed = false;
        TMarivoNavEnv env(failed, nullptr, FData, FData, 1, {}, std::move(seams));
        ADD_FAILURE() << "created with a failed tile manager";
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), ErrorToStrA(KvErr::AccessDenied) +
                                   QStringLiteral(" (Could not create tile manager.)"));
    }
    ASSERT_FALSE(Released.empty());
    EXPECT_EQ(Released.front(), "TileManager");
    EXPECT_EQ(Released.back(), "CoreEnv");
}
