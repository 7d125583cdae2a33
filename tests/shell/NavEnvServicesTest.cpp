// The environment's logbook, object-update progress, waterway-network reload and the add-on
// waypoint databases of installed chart products.
#include "NavEnvFixture.h"

#include "base/files/KvFiles.h"
#include "base/marina/KvMarinaGuide.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/strings/KvStrUtils.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/NavViewerControl.h"
#include "DemoData.h"
#include "DemoProduct.h"
#include "shell/MarivoNavEnvServiceTexts.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLogbook.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cmath>

namespace {

constexpr double Rad = M_PI / 180.0;
// A product whose chart sets are switched on unless the user switched them off.
constexpr uint32_t ProductNumber = 196651;

bool WriteBytes(const QString &file, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray ReadBytes(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString StoredLogbook() {
    QString file = QStringLiteral("(unset)");
    RegReadActiveLogbook(file);
    return file;
}

class NavEnvServices : public NavEnvFixture {
protected:
    std::unique_ptr<TMarivoNavEnv> Started(TNavEnvSeams seams = {}) {
        auto env = Make(std::move(seams));
        uint8_t mode = 9;
        env->Start(mode);
        return env;
    }
    QString WriteLogbook(const QString &name) {
        const QString file = QDir(FData).filePath(name);
        EXPECT_TRUE(WriteBytes(file, "KvNavLogbook\t1\nUTCOffset\t0\nEnd\t0\n"));
        return file;
    }
};

}  // namespace

TEST_F(NavEnvServices, ALogbookThatCannotBeLoadedLeavesNone) {
    const QString good = WriteLogbook(QStringLiteral("good.kvlog"));
    const QString bad = QDir(FData).filePath(QStringLiteral("bad.kvlog"));
    ASSERT_TRUE(WriteBytes(bad, "this is no logbook"));
    auto env = Started();
    std::vector<int> parts;
    env->OnStatusBar = [&parts](int part) { parts.push_back(part); };
    int32_t err = 0;
    env->OpenLogbook(good, err);
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_NE(env->Boat->GetLogbook(), nullptr);
    EXPECT_EQ(StoredLogbook(), good);
    env->OpenLogbook(bad, err);
    EXPECT_NE(err, KvErr::Ok);
    EXPECT_EQ(env->Boat->GetLogbook(), nullptr);
    EXPECT_EQ(StoredLogbook(), QString());
    EXPECT_EQ(parts, (std::vector<int>{2, 2}));
}

TEST_F(NavEnvServices, ADamagedLogbookAtStartIsForgotten) {
    const QString bad = QDir(FData).filePath(QStringLiteral("bad.kvlog"));
    ASSERT_TRUE(WriteBytes(bad, "KvNavLogbook\tnine\n"));
    RegWriteActiveLogbook(bad);
    RegWriteActiveLogbookStarted(true);
    auto env = Started();
    EXPECT_EQ(env->Boat->GetLogbook(), nullptr);
    EXPECT_EQ(StoredLogbook(), QString());
    EXPECT_TRUE(QFileInfo::exists(bad));
}

TEST_F(NavEnvServices, RecordingStartsAndStopsOnceAndResumesAtTheNextStart) {
    const QString file = WriteLogbook(QStringLiteral("trip.kvlog"));
    {
        auto env = Started();
        int32_t err = 0;
        env->OpenLogbook(file, err);
        ASSERT_EQ(err, KvErr::Ok);
        int updates = 0;
        env->OnUpdateActions = [&updates] { ++updates; };
        env->StopLogbook(true);  // not recording: nothing happens
        EXPECT_EQ(updates, 0);
        env->StartLogbook(true);
        EXPECT_TRUE(env->Boat->GetLogbook()->IsRecording());
        EXPECT_TRUE(RegReadActiveLogbookStarted());
        env->StartLogbook(true);  // already recording: nothing happens
        EXPECT_EQ(updates, 1);
        env->Shutdown();
    }
    {
        auto env = Started();
        ASSERT_NE(env->Boat->GetLogbook(), nullptr);
        EXPECT_TRUE(env->Boat->GetLogbook()->IsRecording());
        env->CloseLogbook();
        EXPECT_EQ(env->Boat->GetLogbook(), nullptr);
        EXPECT_FALSE(RegReadActiveLogbookStarted());
        EXPECT_EQ(StoredLogbook(), QString());
    }
}

TEST_F(NavEnvServices, ObjectUpdateProgressSetsTheStatusText) {
    auto env = Started();
    std::vector<int> parts;
    env->OnStatusBar = [&parts](int part) { parts.push_back(part); };
    const struct {
        int32_t Kind;
        const char *Text;
    } kinds[] = {{1, "Berths"},     {2, "Bridges"},   {3, "Locks"},     {4, "FTMs"},
                 {5, "FTMs Eu"},    {6, "WRMs"},      {7, "GRIB src"},  {8, "GRIB info"},
                 {9, "GRIB fns"},   {10, "GRIB file"}, {11, "RWS l"},   {12, "RWS m"},
                 {13, "RWS f"},     {14, "CoV info"}, {15, "CoV file"}, {16, "Cov wl"},
                 {17, "Cov wl"},    {18, "Cov wl"},   {25, "Cov wl"},   {0, ""}};
    for (const auto &k : kinds) {
        TMarivoNavEnv::OnObjectUpdateProgress(env.get(), k.Kind);
        EXPECT_EQ(env->ObjectUpdateText, QString::fromUtf8(k.Text)) << k.Kind;
    }
    EXPECT_EQ(parts, std::vector<int>(std::size(kinds), 6));
    EXPECT_FALSE(env->NetworkReloadPending);
    TMarivoNavEnv::OnObjectUpdateProgress(env.get(), 19);
    EXPECT_TRUE(env->NetworkReloadPending);
    EXPECT_EQ(env->ObjectUpdateText, QString());
}

TEST_F(NavEnvServices, ADamagedNetworkIsReplacedByItsDownloadedCopy) {
    auto env = Started();
    const QString main = env->WaterwayNetworkFile;
    const QString copy = InsertTildeBeforeFileExt(main);
    const QByteArray good = ReadBytes(main);
    ASSERT_FALSE(good.isEmpty());
    ASSERT_TRUE(WriteBytes(copy, good));
    ASSERT_TRUE(WriteBytes(main, "damaged"));
    IWWNetwork *old = env->WaterwayNetwork;
    env->NetworkReloadPending = true;
    env->ReloadWaterwayNetwork();
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join('\n').toStdString();
    ASSERT_NE(env->WaterwayNetwork, nullptr);
    EXPECT_NE(env->WaterwayNetwork, old);
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(ReadBytes(main), good);
    EXPECT_FALSE(env->NetworkReloadPending);
}

TEST_F(NavEnvServices, WhenNeitherNetworkLoadsTheWorkingOneStays) {
    auto env = Started();
    const QString main = env->WaterwayNetworkFile;
    ASSERT_TRUE(WriteBytes(main, "damaged"));
    ASSERT_TRUE(WriteBytes(InsertTildeBeforeFileExt(main), "damaged too"));
    IWWNetwork *old = env->WaterwayNetwork;
    ASSERT_NE(old, nullptr);
    env->NetworkReloadPending = true;
    env->ReloadWaterwayNetwork();
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("The waterway network could not be loaded: ")))
        << Messages[0].toStdString();
    EXPECT_EQ(env->WaterwayNetwork, old);
    EXPECT_FALSE(env->NetworkReloadPending);
    // The old network still plans: its sections are all there.
    EXPECT_GT(old->GetStructCount(), 0);
}

// ---- Add-on waypoint databases ------------------------------------------------------------

namespace {

// A chart set folder below the charts folder, with the data files it names.
void WriteProduct(const QString &folder, const QString &code, uint32_t number,
                  const QStringList &dataFiles) {
    demo::TChartSetManifest manifest;
    manifest.ProductNumber = number;
    manifest.ProductCode = manifest.ProductTitle = code;
    manifest.SetCode = QStringLiteral("NL");
    manifest.SetTitle = QStringLiteral("Marinas");
    manifest.DataFiles = dataFiles;
    ASSERT_TRUE(WriteBytes(folder + QStringLiteral("/chartset.json"), demo::ChartSetManifestJson(manifest)));
}

// Changes header values of a saved waypoint database the way the maker's tools write them.
void SetHeader(const QString &file, const QString &sql) {
    const int rc = QProcess::execute(QStringLiteral("sqlite3"), {file, sql});
    ASSERT_EQ(rc, 0) << "sqlite3 " << sql.toStdString();
}

// A point-of-interest file with one entry at (lat, lon) in degrees.
QByteArray ContentFile(double lat, double lon, const QString &name) {
    demo::TPointOfInterest point;
    point.Guid = QStringLiteral("{11111111-2222-3333-4444-555555555555}");
    point.Name = name;
    point.Lat = lat;
    point.Lon = lon;
    return demo::PointOfInterestFile(QStringLiteral("{5A0D3C11-2B44-4E5F-8A67-90B1C2D3E4F5}"), {point});
}

// A navigation viewer control that counts how often it is asked to rebuild its objects.
class TObjectCountingViewer final : public TNavViewerControl {
public:
    explicit TObjectCountingViewer(int32_t index) : FIndex(index) {}
    int32_t GetViewerIndex() override { return FIndex; }
    void UpdateObjects() override { ++Updates; }
    int Updates = 0;

private:
    int32_t FIndex;
};

class NavEnvAddOns : public NavEnvServices {
protected:
    void SetUp() override {
        NavEnvServices::SetUp();
        // The products made here are the only ones with databases.
        const QString demoProduct = QFileInfo(QDir(FData).filePath(QString::fromLatin1(demo::KapRelPath))).absolutePath();
        for (const char *suffix : {".wdb", ".content"})
            QFile::remove(demoProduct + '/' + demo::DemoMarinasIdentifier + suffix);
        Product = QDir(FData).filePath(QStringLiteral("Charts/Velm"));
        QDir().mkpath(Product);
    }
    // Saves a new database with one group through the running environment's manager.
    void MakeDatabase(TMarivoNavEnv &env, const QString &file, const QString &identifier,
                      const QString &group) {
        IWptDatabase *db = WptManagerNewDatabase(env.WaypointManager, identifier);
        IWptWaypointGroup *g = db->NewWaypointGroup(nullptr);
        int32_t err = 0;
        WptObjectSetName(g, group, err);
        IWptWaypoint *waypoint = db->NewWaypoint(
            nullptr, TGeoPoint3{0.9, 0.09, 0.0}, env.WaypointManager->GetDefaultWaypointType());
        ASSERT_NE(waypoint, nullptr);
        g->AddWaypoint(waypoint, err);
        WptDatabaseSaveToFile(db, file, err);
        ASSERT_EQ(err, KvErr::Ok);
        db->Close();
        SetHeader(file, QStringLiteral("UPDATE meta SET value='%1' WHERE key='identifier'").arg(identifier));
    }
    QString Product;
};

}  // namespace

TEST_F(NavEnvAddOns, OnlyTheProductsOwnDatabasesOpenAndADamagedOneIsKept) {
    struct TFile {
        const char *Name, *Identifier;
        bool Opens;
    };
    const TFile files[] = {{"VELM_Marinas.wdb", "VELM_Marinas", true},
                           {"velm_bridges.wdb", "velm_Bridges", true},   // case ignored
                           {"VELM_Net.wdb", "VELM_wwnetwork_Main", false},
                           {"OTHER_Marinas.wdb", "OTHER_Marinas", false},
                           {"NoUnderscore.wdb", "VELM", false}};
    {
        auto env = Started();
        for (const TFile &f : files)
            MakeDatabase(*env, Product + '/' + f.Name, QString::fromUtf8(f.Identifier), "Harbours");
    }
    const QString damaged = Product + QStringLiteral("/VELM_Damaged.wdb");
    ASSERT_TRUE(WriteBytes(damaged, QByteArray("SQLite format 3\0", 16) + QByteArray(2000, 'x')));
    QStringList names{QStringLiteral("VELM_Damaged.wdb")};
    for (const TFile &f : files) names << QString::fromUtf8(f.Name);
    WriteProduct(Product, QStringLiteral("velm"), ProductNumber, names);

    // The skipped file is named once in the log, however often the databases are loaded.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtWarningMsg && text.contains(QStringLiteral("VELM_Damaged"))) warnings << text;
        });
    auto env = Started();
    env->LoadAddOnDatabases(false, true);
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings.size(), 1) << warnings.join('\n').toStdString();
    QStringList opened;
    for (const auto &info : env->WptDBInfos) {
        EXPECT_EQ(info->ProductKey, ProductNumber);
        EXPECT_EQ(info->ChartSetMask, 1u);
        ASSERT_NE(info->Database, nullptr);
        EXPECT_EQ(info->GUID, *info->Database->GetGUID());
        opened << QFileInfo(info->FileName).fileName();
    }
    QStringList expected;
    for (const TFile &f : files)
        if (f.Opens) expected << QString::fromUtf8(f.Name);
    EXPECT_EQ(opened, expected);
    EXPECT_TRUE(QFileInfo::exists(damaged));
    EXPECT_NE(env->FindWptDBInfo(ProductNumber, Product + QStringLiteral("/VELM_MARINAS.wdb")), nullptr);
    EXPECT_EQ(env->FindWptDBInfo(ProductNumber + 1, Product + QStringLiteral("/VELM_Marinas.wdb")), nullptr);

    // Loading again changes nothing; a newer file replaces the open database.
    env->LoadAddOnDatabases(true, true);
    ASSERT_EQ(env->WptDBInfos.size(), expected.size());
    // A freed database's address may be reused by its successor: the date tells them apart.
    const TDateTime before = env->WptDBInfos[0]->Database->GetDate();
    SetHeader(Product + QStringLiteral("/VELM_Marinas.wdb"),
              QStringLiteral("UPDATE meta SET value=value+1 WHERE key='date'"));
    env->LoadAddOnDatabases(true, true);
    ASSERT_EQ(env->WptDBInfos.size(), expected.size());
    const auto &marinas = *env->FindWptDBInfo(ProductNumber, Product + QStringLiteral("/VELM_Marinas.wdb"));
    ASSERT_NE(marinas.Database, nullptr);
    EXPECT_GT(marinas.Database->GetDate(), before) << "the newer file is the one open";
    EXPECT_EQ(env->WaypointManager->IndexOfDatabase(marinas.GUID) >= 0, true);
}

TEST_F(NavEnvAddOns, PointsOfInterestAreFoundAtTheirPosition) {
    {
        auto env = Started();
        MakeDatabase(*env, Product + QStringLiteral("/VELM_Marinas.wdb"), QStringLiteral("VELM_Marinas"),
                     QStringLiteral("Harbours"));
    }
    ASSERT_TRUE(WriteBytes(Product + QStringLiteral("/VELM_Marinas.content"),
                           ContentFile(52.1, 5.1, QStringLiteral("Jachthaven Velm"))));
    WriteProduct(Product, QStringLiteral("VELM"), ProductNumber, {QStringLiteral("VELM_Marinas.wdb")});
    auto env = Started();
    ASSERT_EQ(env->WptDBInfos.size(), 1u);
    ASSERT_NE(env->WptDBInfos[0]->PointDatabase, nullptr);
    IGeoAddsEntry *entry = env->FindGeoAddObject(52.1 * Rad, 5.1 * Rad);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(QString::fromUtf16(entry->GetName()->Text, entry->GetName()->Length),
              QStringLiteral("Jachthaven Velm"));
    EXPECT_EQ(env->FindGeoAddObject(50.0 * Rad, 3.0 * Rad), nullptr);
}

TEST_F(NavEnvAddOns, AnUpdatedDatabaseIsReopenedWithItsShownGroups) {
    {
        auto env = Started();
        MakeDatabase(*env, Product + QStringLiteral("/VELM_Marinas.wdb"), QStringLiteral("VELM_Marinas"),
                     QStringLiteral("Harbours"));
    }
    WriteProduct(Product, QStringLiteral("VELM"), ProductNumber, {QStringLiteral("VELM_Marinas.wdb")});
    auto env = Started();
    ASSERT_EQ(env->WptDBInfos.size(), 1u);
    TNavChartWptDBInfo &info = *env->WptDBInfos[0];
    IWptDatabase *db = info.Database;
    ASSERT_EQ(db->GetWaypointGroupCount(), 1);
    env->WaypointGroupList->Add(db->GetWaypointGroup(0));
    env->ApplyWaypointVisibility();
    ASSERT_TRUE(db->GetWaypointGroup(0)->IsVisibleIn(env->ChartModules));
    // A route point linked to a waypoint of the database lets go of it.
    int32_t err = 0;
    IWptWaypoint *waypoint = nullptr;
    for (int32_t i = 0; i < env->WaypointManager->GetWaypointCount() && !waypoint; ++i)
        if (env->WaypointManager->GetWaypoint(i)->GetDatabase() == db)
            waypoint = env->WaypointManager->GetWaypoint(i);
    ASSERT_NE(waypoint, nullptr);
    IWptRoute *route = env->UserDatabase->NewRoute(0.0);
    IWptRoutePoint *point = route->AddPointFromWaypoint(waypoint, 0, 1, err);
    ASSERT_NE(point, nullptr);
    ASSERT_EQ(point->GetWaypoint(), waypoint);

    TObjectCountingViewer first(5), second(6);
    env->RegisterViewer(&first);
    env->RegisterViewer(&second);
    env->OnObjectDatabaseUpdated(env->UserDatabase);
    EXPECT_EQ(first.Updates + second.Updates, 0) << "not a chart-product database: nothing happens";

    env->OnObjectDatabaseUpdated(db);
    EXPECT_EQ(first.Updates, 1) << "the viewers drop the objects of the closed database";
    EXPECT_EQ(second.Updates, 1);
    env->UnregisterViewer(&first);
    env->UnregisterViewer(&second);
    ASSERT_NE(info.Database, nullptr);
    EXPECT_EQ(point->GetWaypoint(), nullptr);
    EXPECT_EQ(info.GroupCount(), 0);
    ASSERT_EQ(env->WaypointGroupList->GetCount(), 1);
    auto *shown = dynamic_cast<IWptWaypointGroup *>(env->WaypointGroupList->GetItem(0));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->GetDatabase(), info.Database);
    EXPECT_EQ(WptObjectGetName(shown), QStringLiteral("Harbours"));
}


namespace {

// A viewer control that only has an index; the chart manager keeps its selection.
class TIndexOnlyViewer : public TS3DChartViewerControl {
public:
    explicit TIndexOnlyViewer(int32_t index) : FIndex(index) {}
    int32_t GetViewerIndex() override { return FIndex; }
    void SetCharts(NavObject **, int32_t, int32_t &err) override { err = 0; }
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void ReleaseCharts() override {}
    void CancelChartLoading() override {}
    void SetChartDataCache(IS3DChartDataCache *) override {}
    IGeodeticCalibration *GetCalibration() override { return nullptr; }

private:
    int32_t FIndex;
};

// The GUIDs of the charts of every set of that product and kind.
std::vector<TGUID> ChartsOfSets(IChartManager *manager, uint32_t product, int32_t kind) {
    std::vector<TGUID> guids;
    for (int32_t p = 0; p < manager->GetProductCount(); ++p) {
        IChartProduct *pr = manager->GetProduct(p);
        if (pr->GetInfo()->GetProductNumber() != product) continue;
        for (int32_t s = 0; s < pr->GetChartSetCount(); ++s) {
            IChartSet *set = pr->GetChartSet(s);
            if (set->GetInfo()->GetKind() != kind) continue;
            for (int32_t e = 0; e < set->GetEntryCount(); ++e)
                guids.push_back(*set->GetEntry(e)->GetCatalogueObject()->GetRasterChart()->GetInfo()->GetGUID());
        }
    }
    return guids;
}

}  // namespace

TEST_F(NavEnvServices, AnUpdatedChartSetIsHandedToEveryViewer) {
    auto env = Started();
    ASSERT_GT(env->ChartManager->GetProductCount(), 0);
    const uint32_t product = env->ChartManager->GetProduct(0)->GetInfo()->GetProductNumber();
    const std::vector<TGUID> charts = ChartsOfSets(env->ChartManager, product, 0);
    ASSERT_FALSE(charts.empty()) << "the demo data has a raster chart set";
    TIndexOnlyViewer first(3), second(4);
    env->RegisterViewer(&first);
    env->RegisterViewer(&second);
    TNavPtr<ISortedGUIDArray> set(SortedGUIDArrayCreate());
    for (const TGUID &g : charts) set->Add(g);
    for (int32_t viewer : {3, 4}) env->ChartManager->DeselectCharts(set.get(), viewer);

    env->UpdateViewersForChartSet(product + 1, 0);  // another product: nothing changes
    TNavPtr<ISortedGUIDArray> shown(SortedGUIDArrayCreate());
    env->ChartManager->GetSelectedCharts(shown.get(), 3);
    for (const TGUID &g : charts) EXPECT_FALSE(shown->Contains(g));

    env->UpdateViewersForChartSet(product, 0);
    for (int32_t viewer : {3, 4}) {
        env->ChartManager->GetSelectedCharts(shown.get(), viewer);
        for (const TGUID &g : charts) EXPECT_TRUE(shown->Contains(g)) << viewer;
    }
    env->UnregisterViewer(&first);
    env->UnregisterViewer(&second);
}

TEST_F(NavEnvServices, SmallGettersAnswerFromTheStoreAndTheCoreObjects) {
    auto env = Started();
    EXPECT_TRUE(env->IsExtensionEnabled(QStringLiteral("Tides")));  // nothing stored: on
    int32_t err = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, QStringLiteral("Extension"), RegName(u"Tides"),
                 false, err);
    EXPECT_FALSE(env->IsExtensionEnabled(QStringLiteral("Tides")));
    EXPECT_EQ(env->HasCharts(), env->ChartManager->GetChartCount() > 0);
    EXPECT_EQ(env->GetRouteNavigation(), nullptr);
    EXPECT_EQ(env->GetActiveRoute(), nullptr);
    QString email = QStringLiteral("left over");
    EXPECT_FALSE(env->GetStoredLogin(email));
    EXPECT_EQ(email, QString());
    EXPECT_EQ(env->GetMaxChartLoad(), 20);
    EXPECT_FLOAT_EQ(env->GetSlowInterval(), 1.0f);
}

TEST_F(NavEnvServices, TheDemoProductBringsItsMarinasAsADatabaseThatIsOnWhileItsChartIsShown) {
    auto env = Make();
    TIndexOnlyViewer viewer(1);
    env->RegisterViewer(&viewer);
    uint8_t mode = 0;
    env->Start(mode);
    ASSERT_EQ(env->WptDBInfos.size(), 1u);
    const TNavChartWptDBInfo &info = *env->WptDBInfos[0];
    EXPECT_EQ(QFileInfo(info.FileName).fileName(), QStringLiteral("VELM_Marinas.wdb"));
    EXPECT_EQ(info.ProductKey, demo::DemoProductNumber);
    ASSERT_NE(info.Database, nullptr);
    EXPECT_TRUE(env->IsChartWptDatabaseSelected(info.Database)) << "the demo chart is shown";
    const demo::TNetwork net = demo::BuildDemoNetwork();
    ASSERT_EQ(info.Database->GetWaypointGroupCount(), 1);
    IWptWaypointGroup *group = info.Database->GetWaypointGroup(0);
    EXPECT_EQ(WptObjectGetName(group), QString::fromLatin1(demo::DemoMarinasGroup));
    EXPECT_EQ(group->GetWaypointCount(), int32_t(net.Marinas.size()));
    ASSERT_NE(info.PointDatabase, nullptr);
    for (const demo::TMarina &m : net.Marinas) {
        IGeoAddsEntry *entry = env->FindGeoAddObject(m.Pos.Lat * Rad, m.Pos.Lon * Rad);
        ASSERT_NE(entry, nullptr) << m.Name.toStdString();
        EXPECT_EQ(QString::fromUtf16(entry->GetName()->Text, entry->GetName()->Length), m.Name);
    }
    env->UnregisterViewer(&viewer);
}
