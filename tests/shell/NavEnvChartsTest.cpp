// Charts released and reloaded around the companion programs, which run for real; the
// companions' detection, command lines and web links; chart-product databases by the
// charts in view.
#include "NavEnvRouteSupport.h"

#include "CoreTestSupport.h"
#include "base/charts/KvCharts.h"
#include "base/kvlib/KvErrors.h"
#include "base/settings/KvRegBoat.h"
#include "base/strings/KvStrUtils.h"
#include "chartview/NavViewerControl.h"
#include "shell/MarivoNavEnvChartDBs.h"

#include <KvLibNav6/KvLanguage.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

using namespace routetest;

namespace {

void WriteFile(const QString &file, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadFile(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A chart set folder with the demo raster chart: product code, set code, edition, mask.
void WriteChartSet(const QString &folder, const QString &demoData, const QString &product,
                   const QString &set, int edition, int moduleMask) {
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::copy(demoData + QStringLiteral("/Charts/BSB/VELM0001.KAP"),
                            folder + QStringLiteral("/VELM0001.KAP")));
    const QJsonObject manifest{
        {QStringLiteral("format"), 1},
        {QStringLiteral("product"), QJsonObject{{QStringLiteral("number"), 4711},
                                               {QStringLiteral("code"), product},
                                               {QStringLiteral("title"), product}}},
        {QStringLiteral("set"), QJsonObject{{QStringLiteral("number"), 1},
                                           {QStringLiteral("code"), set},
                                           {QStringLiteral("title"), set}}},
        {QStringLiteral("moduleMask"), moduleMask},
        {QStringLiteral("edition"), edition},
        {QStringLiteral("charts"), QJsonArray{QJsonObject{{QStringLiteral("file"), QStringLiteral("VELM0001.KAP")}}}}};
    WriteFile(folder + QStringLiteral("/chartset.json"), QJsonDocument(manifest).toJson());
}

bool HasProduct(IChartManager *cm, const QString &code) {
    for (int32_t i = 0; i < cm->GetProductCount(); ++i)
        if (testsupport::Q(cm->GetProduct(i)->GetInfo()->GetCode()) == code) return true;
    return false;
}

// A machine-wide settings file of the test's own, naming the chart manager's folder.
class TMachineRegistry {
public:
    explicit TMachineRegistry(const QString &rootDir) {
        FFile = testsupport::MakeTempDir(QStringLiteral("machine")) + QStringLiteral("/machine.ini");
        if (!rootDir.isNull())
            WriteFile(FFile, "[Software\\Korvane\\MRC Manager\\1]\nRootDir=" + rootDir.toUtf8() + "\n");
        SetMachineRegistryFile(FFile);
    }
    ~TMachineRegistry() { SetMachineRegistryFile(QString()); }

private:
    QString FFile;
};

QString BuiltChartManagerFolder() {
    return QDir(shelltest::BuiltProgramFolder() + QStringLiteral("/../MRC Manager")).absolutePath();
}

// The chart viewer is the viewer frame's; this one records what the environment does.
class TRecordingViewer final : public TNavViewerControl {
public:
    TRecordingViewer(int32_t index, QStringList &log) : FIndex(index), FLog(log) {}
    int32_t GetViewerIndex() override { return FIndex; }
    void SetCharts(NavObject **, int32_t count, int32_t &err) override {
        FLog << QStringLiteral("%1 charts %2").arg(FIndex).arg(count);
        err = 0;
    }
    void BeginUpdate() override { FLog << QStringLiteral("%1 begin").arg(FIndex); }
    void EndUpdate() override { FLog << QStringLiteral("%1 end").arg(FIndex); }
    void ReleaseCharts() override { FLog << QStringLiteral("%1 release").arg(FIndex); }
    void CancelChartLoading() override { FLog << QStringLiteral("%1 cancel").arg(FIndex); }
    void SetChartDataCache(IS3DChartDataCache *) override { FLog << QStringLiteral("%1 cache").arg(FIndex); }
    IGeodeticCalibration *GetCalibration() override { return nullptr; }
    void SetNotificationCenter(INavNotificationCenter *) override {}

private:
    int32_t FIndex;
    QStringList &FLog;
};

class NavEnvCharts : public NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        FUpdates = testsupport::MakeTempDir(QStringLiteral("updates"));
        qputenv("KORVANE_UPDATE_DIR", QFile::encodeName(FUpdates));
    }
    void TearDown() override {
        qunsetenv("KORVANE_UPDATE_DIR");
        NavEnvRoutes::TearDown();
    }
    QString FUpdates;
};

}  // namespace

TEST(NavEnvCompanions, ChartManagerFlagsFollowItsVersion) {
    const QString root = testsupport::MakeTempDir(QStringLiteral("mrc"));
    WriteFile(root + QStringLiteral("/MRCManager"), "#!/bin/sh\n");
    struct Case {
        const char *name;
        const char *version;
        int32_t flags;
    };
    const Case cases[] = {{"1.0.0.9", "1.0.0.9", 0}, {"1.0.1.0", "1.0.1.0", 1}, {"1.5.0.0", "1.5.0.0", 3}};
    TMachineRegistry registry(root);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(root + QStringLiteral("/MRCManager.version"),
                  QByteArray("Name=MRC Manager\nVersion=") + c.version + "\n");
        QString file;
        int32_t flags = -1;
        FindChartManagerProgram(file, flags);
        EXPECT_EQ(file, root + QStringLiteral("/MRCManager"));
        EXPECT_EQ(flags, c.flags);
        int32_t version = 0;
        EXPECT_TRUE(GetChartManagerProgramVersion(version));
        EXPECT_NE(version, 0);
    }
    // Missing program file, missing key, missing settings file: not found, silently.
    QFile::remove(root + QStringLiteral("/MRCManager"));
    for (const QString &rootDir : {root, QString()}) {
        TMachineRegistry other(rootDir);
        QString file = QStringLiteral("x");
        int32_t flags = 7, version = 5;
        FindChartManagerProgram(file, flags);
        EXPECT_TRUE(file.isEmpty());
        EXPECT_EQ(flags, 0);
        EXPECT_FALSE(GetChartManagerProgramVersion(version));
        EXPECT_EQ(version, 0);
    }
}

TEST(NavEnvCompanions, CommandLinesByLanguage) {
    struct Case {
        const char *name;
        int32_t language;
        QString chartManager, update;
    };
    const Case cases[] = {
        {"Dutch", KvLang::Dutch, QStringLiteral("-update -NL -lang "), QStringLiteral("-hp -nl")},
        {"German", KvLang::German, QStringLiteral("-update -DE -lang "), QStringLiteral("-hp -de")},
        {"French", KvLang::French, QStringLiteral("-update -EN -lang "), QStringLiteral("-hp -en")},
        {"English", KvLang::English, QStringLiteral("-update -EN -lang "), QStringLiteral("-hp -en")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChartManagerCommandLine(QStringLiteral("-update"), c.language),
                  c.chartManager + LanguageToLanguageIDA(c.language));
        EXPECT_EQ(UpdateProgramCommandLine(QStringLiteral("-hp"), c.language), c.update);
    }
    EXPECT_EQ(ChartManagerCommandLine(QStringLiteral("-internet"), KvLang::Italian),
              QStringLiteral("-internet -EN -lang ") + LanguageToLanguageIDA(KvLang::Italian));
    EXPECT_EQ(UpdateProgramArguments(true, true, true, nullptr),
              QStringLiteral("-hp -wwi -ww -wv 1.0.0.0 -p \"Ostrel\""));
    EXPECT_EQ(UpdateProgramArguments(false, true, false, nullptr), QStringLiteral("-wwi -p \"Ostrel\""));
}

TEST(NavEnvCompanions, WebLinks) {
    const int32_t version = MakeVersion(6, 2, 0, 14);
    const QString folder = testsupport::MakeTempDir(QStringLiteral("prog"));
    EXPECT_TRUE(WebLinkAddress(TWebLink::ReleaseHistory, KvLang::Dutch, version, folder).isEmpty())
        << "no page, no link";
    WriteFile(folder + QStringLiteral("/Release History.html"), "<html></html>");
    struct Case {
        TWebLink link;
        int32_t language;
        QString address;
    };
    const QString file = QUrl::fromLocalFile(folder + QStringLiteral("/Release History.html")).toString();
    const Case cases[] = {
        {TWebLink::Forum, KvLang::English, QStringLiteral("https://www.korvane.example/forum")},
        {TWebLink::Help, KvLang::English, QStringLiteral("https://help.korvane.example/varnock14/")},
        {TWebLink::Homepage, KvLang::English, QStringLiteral("https://www.korvane.example/")},
        {TWebLink::Shop, KvLang::English, QStringLiteral("https://www.korvane.example/shop")},
        {TWebLink::TeamViewer, KvLang::English, QStringLiteral("https://www.korvane.example/teamviewer")},
        {TWebLink::BuyCharts, KvLang::German,
         QStringLiteral("https://www.korvane.example/applinks/redirect.php?url=marivo5brevobuycharts"
                        "&lang=de&ref=marivo5brevo62014")},
        {TWebLink::ReleaseHistory, KvLang::Dutch, file + QStringLiteral("#NL")},
        {TWebLink::ReleaseHistory, KvLang::English, file},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        EXPECT_EQ(WebLinkAddress(c.link, c.language, version, folder), c.address);
    }
    EXPECT_TRUE(file.startsWith(QStringLiteral("file:///")));
    EXPECT_FALSE(file.startsWith(QStringLiteral("file:////")));
}

TEST_F(NavEnvCharts, ViewersGetTheirChartsInOneUpdateEachLastFirst) {
    QStringList log;
    TRecordingViewer first(0, log), second(1, log);
    Env->RegisterViewer(&first);
    Env->RegisterViewer(&second);
    log.clear();
    Env->UpdateViewerChartSets();
    // The demo cell and the demo raster chart.
    EXPECT_EQ(log, QStringList({"1 begin", "1 charts 2", "1 end", "0 begin", "0 charts 2", "0 end"}));
    log.clear();
    Env->ReleaseCharts(false);
    EXPECT_EQ(log, QStringList({"1 cancel", "0 cancel", "1 release", "0 release"}));
    EXPECT_EQ(Env->ChartManager, nullptr);
    // Without all: routes, network and visible lists stay.
    EXPECT_TRUE(Env->WaterwayNetwork);
    log.clear();
    Env->ReloadCharts(false);
    ASSERT_TRUE(Env->ChartManager);
    EXPECT_TRUE(log.contains(QStringLiteral("0 cache")));
    EXPECT_TRUE(log.contains(QStringLiteral("1 charts 2")));
    Env->UnregisterViewer(&first);
    Env->UnregisterViewer(&second);
}

TEST_F(NavEnvCharts, AChartManagerUpdateInstallsTheSetAndBringsEverythingBack) {
    StartRun();
    PlaceShip();
    TMachineRegistry registry(BuiltChartManagerFolder());
    Env->FindChartManager();
    ASSERT_FALSE(Env->ChartManagerProgramFolder.isEmpty()) << "the built chart manager";
    EXPECT_EQ(Env->ChartManagerProgramFlags, 3);
    WriteChartSet(FUpdates + QStringLiteral("/Velmer"), FData, QStringLiteral("ABC"),
                  QStringLiteral("VL"), 2, 1);
    IWptRoute *route = NetworkRoute(3);
    const TGUID routeGuid = *route->GetGUID();
    Env->RouteList->Add(route);
    Env->SaveVisibleRoutes();
    Env->SelectRoute(route);
    IChartManager *before = Env->ChartManager;
    ASSERT_FALSE(HasProduct(before, QStringLiteral("ABC")));

    Env->RunChartManager(0, true);
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join('\n').toStdString();
    ASSERT_TRUE(Env->ChartManager);
    EXPECT_TRUE(HasProduct(Env->ChartManager, QStringLiteral("ABC"))) << "the new set is listed";
    EXPECT_TRUE(QFileInfo::exists(FData + QStringLiteral("/Charts/Velmer/chartset.json")));
    EXPECT_FALSE(QFileInfo::exists(FUpdates + QStringLiteral("/Velmer")));
    ASSERT_TRUE(Env->WaterwayNetwork);
    ASSERT_TRUE(Env->SelectedRoute);
    EXPECT_TRUE(*Env->SelectedRoute->GetGUID() == routeGuid);
    int32_t index = -1;
    EXPECT_TRUE(Env->RouteList->Find(Env->SelectedRoute, index)) << "shown again";
    EXPECT_TRUE(Env->Loop->IsOn()) << "the loop state came back";

    // Nothing waiting: done, nothing changed.
    Env->RunChartManager(0, true);
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(NavEnvCharts, ARunningOrMissingCompanionIsToldAndTheChartsComeBack) {
    StartRun();
    TMachineRegistry registry(BuiltChartManagerFolder());
    Env->FindChartManager();
    {
        QLockFile lock(CompanionLockFile(ChartManagerProductGUID));
        ASSERT_TRUE(lock.tryLock(0));
        IChartManager *before = Env->ChartManager;
        Env->RunChartManager(0, true);
        ASSERT_EQ(Messages.size(), 1);
        EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("MRC Manager is already running.")));
        EXPECT_TRUE(Messages[0].endsWith(QStringLiteral("Please close MRC Manager before using this function.")));
        EXPECT_EQ(Env->ChartManager, before) << "nothing released";
    }
    Messages.clear();
    // A damaged update: the companion ends with an error, the charts are reloaded all the same.
    WriteFile(FUpdates + QStringLiteral("/Broken/chartset.json"), "{ not json");
    Env->RunChartManager(0, true);
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_TRUE(Env->ChartManager);
    EXPECT_TRUE(Env->WaterwayNetwork);

    Env->ChartManagerProgramFolder.clear();
    Env->RunChartManager(0, false);
    EXPECT_EQ(Messages, QStringList{QStringLiteral(
                            "MRC Manager is required for this operation, but it could not be executed.")});
    EXPECT_TRUE(Env->ChartManager);

    // A failure inside the run: the loop's state comes back and the charts are there.
    const TCompanionRunner old = SetCompanionRunner(
        [](const QString &, const QString &, intptr_t, int32_t &, int32_t &) { RaiseIfError(KvErr::Failed); });
    Env->Loop->SetOn(true);
    EXPECT_THROW(Env->RunUpdate(true, false, false), Exception);
    SetCompanionRunner(old);
    EXPECT_TRUE(Env->Loop->IsOn());
    EXPECT_TRUE(Env->ChartManager);
}

TEST_F(NavEnvCharts, TheUpdateProgramAppliesCheckedPackagesOnly) {
    StartRun();
    const QByteArray page = "<html><body>Help</body></html>";
    const QString hash = QString::fromLatin1(QCryptographicHash::hash(page, QCryptographicHash::Sha256).toHex());
    auto writePackage = [&](const QString &name, const QString &sha) {
        const QString folder = FUpdates + QLatin1Char('/') + name;
        WriteFile(folder + QStringLiteral("/index.html"), page);
        const QJsonObject manifest{
            {QStringLiteral("kind"), QStringLiteral("help")},
            {QStringLiteral("version"), QStringLiteral("1.0.0.1")},
            {QStringLiteral("files"),
             QJsonArray{QJsonObject{{QStringLiteral("name"), QStringLiteral("index.html")},
                                    {QStringLiteral("sha256"), sha}}}}};
        WriteFile(folder + QStringLiteral("/package.json"), QJsonDocument(manifest).toJson());
    };
    const QString target = FData + QStringLiteral("/Help/index.html");
    WriteFile(target, "old");
    writePackage(QStringLiteral("damaged"), QString(64, QLatin1Char('0')));
    Env->RunUpdate(true, false, false);
    EXPECT_EQ(ReadFile(target), QByteArray("old")) << "a damaged package changes nothing";
    EXPECT_TRUE(Messages.isEmpty());

    QDir(FUpdates + QStringLiteral("/damaged")).removeRecursively();
    writePackage(QStringLiteral("help"), hash);
    Env->RunUpdate(true, false, false);
    EXPECT_EQ(ReadFile(target), page);
    EXPECT_TRUE(Env->ChartManager);
}

namespace {

struct TGroupMemory {
    QString Name;
    bool Selected = false;
};
// The environment's record of a chart-product database as far as the routines look at it.
struct TDBRecord {
    IWptDatabase *Database = nullptr;
    int32_t ChartSetMask = 0;
    std::vector<TGroupMemory> Groups;
    void AddGroup(const QString &name, bool selected) { Groups.push_back({name, selected}); }
    int32_t GroupCount() const { return int32_t(Groups.size()); }
    const TGroupMemory *GetGroup(int32_t i) const { return &Groups[size_t(i)]; }
    void ClearGroups() { Groups.clear(); }
};

}  // namespace

TEST_F(NavEnvCharts, ChartProductDatabasesFollowTheChartsInView) {
    WriteChartSet(FData + QStringLiteral("/Charts/Abc"), FData, QStringLiteral("ABC"), QStringLiteral("A2"), 1, 4);
    bool failed = true;
    TMarivoNavEnv env(failed, nullptr, FData, FData, 5, {});
    ASSERT_FALSE(failed);
    testsupport::Owned<ISortedGUIDArray> inView(SortedGUIDArrayCreate());
    for (int32_t i = 0; i < env.ChartManager->GetCatalogueCount(); ++i) {
        IRasterChart *chart = env.ChartManager->GetCatalogueEntry(i)->GetCatalogueObject()->GetRasterChart();
        if (RasterChartInfoGetProductCode(chart->GetInfo()) == QStringLiteral("ABC"))
            inView->Add(*chart->GetInfo()->GetGUID());
    }
    ASSERT_EQ(inView->GetCount(), 1) << "the ABC chart of kind 2";
    struct Case {
        const char *name;
        QString database;
        int32_t mask;
        bool on;
    };
    const Case cases[] = {{"same product and kind", QStringLiteral("ABC_Harbours"), 4, true},
                          {"another kind", QStringLiteral("ABC_Harbours"), 8, false},
                          {"the product code in other case", QStringLiteral("abc_Bridges"), 4, true},
                          {"another product", QStringLiteral("XYZ_Harbours"), 4, false}};
    std::vector<std::unique_ptr<TDBRecord>> records;
    for (const Case &c : cases) {
        auto record = std::make_unique<TDBRecord>();
        record->Database = WptManagerNewDatabase(env.WaypointManager, c.database);
        record->ChartSetMask = c.mask;
        records.push_back(std::move(record));
    }
    SwitchChartWptDatabases(records, env.ChartManager, inView.get());
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(IsChartWptDatabaseSelectedIn(records, records[i]->Database), cases[i].on);
    }
    EXPECT_FALSE(IsChartWptDatabaseSelectedIn(records, env.UserDatabase)) << "not a chart-product database";

    // Group selection survives closing and reopening.
    IWptDatabase *db = records[0]->Database;
    IWptWaypointGroup *shown = db->NewWaypointGroup(nullptr);
    IWptWaypointGroup *hidden = db->NewWaypointGroup(nullptr);
    int32_t err = 0;
    WptObjectSetName(shown, QStringLiteral("Marinas"), err);
    WptObjectSetName(hidden, QStringLiteral("Fuel"), err);
    shown->SetVisible(true, 1);
    hidden->SetVisible(false, 1);
    const QString file = FData + QStringLiteral("/ABC_Harbours.db");
    WptDatabaseSaveToFile(db, file, err);
    ASSERT_EQ(err, 0);
    ReleaseChartWptDatabases(records, 1);
    EXPECT_EQ(records[0]->Database, nullptr);
    ASSERT_EQ(records[0]->Groups.size(), 2u);
    records[0]->Database = WptManagerOpenDatabase(env.WaypointManager, file, 0, err);
    ASSERT_EQ(err, 0);
    testsupport::Owned<IWptWaypointGroupList> visible(WptWaypointGroupListCreate(1));
    RestoreChartWptGroups(records, visible.get());
    ASSERT_EQ(visible->GetCount(), 1);
    EXPECT_EQ(WptObjectGetName(dynamic_cast<IWptObject *>(visible->GetItem(0))), QStringLiteral("Marinas"));
    EXPECT_TRUE(records[0]->Groups.empty());
}

TEST_F(NavEnvCharts, ASecondRunWaitsForTheFirstAndTheStartRecalculatesEveryRoute) {
    IWptRoute *a = NetworkRoute(2);
    IWptRoute *b = NetworkRoute(3);
    DeliverPosted();
    Log.Items.clear();
    StartRun();
    DeliverPosted();
    std::vector<intptr_t> calculated;
    for (const auto &n : Log.Items)
        if (n.Code == NavNotify::RouteCalcEnd) calculated.push_back(n.P1);
    EXPECT_EQ(calculated, (std::vector<intptr_t>{intptr_t(b), intptr_t(a)})) << "last first";

    // While the first run waits, the window is responsive: a second run is refused.
    int runs = 0;
    IChartManager *duringRun = nullptr;
    const TCompanionRunner old = SetCompanionRunner(
        [&](const QString &, const QString &, intptr_t, int32_t &exitValue, int32_t &err) {
            ++runs;
            EXPECT_FALSE(Env->Loop->IsOn()) << "the loop is off while a companion runs";
            Env->RunUpdate(true, false, false);
            duringRun = Env->ChartManager;
            exitValue = 0;
            err = 0;
        });
    Env->RunChartManager(0, true);
    SetCompanionRunner(old);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(duringRun, nullptr) << "the nested run neither reloaded nor ran";
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Korvane Update Service is already running.")));
    EXPECT_TRUE(Env->ChartManager);
    EXPECT_TRUE(Env->Loop->IsOn());
}

TEST_F(NavEnvCharts, TheUpdateCommandLineNamesTheNetworkVersion) {
    const QString version = VersionToStr(Env->WaterwayNetwork->GetVersion(), 4);
    EXPECT_EQ(version.count(QLatin1Char('.')), 3);
    EXPECT_EQ(UpdateProgramCommandLine(UpdateProgramArguments(true, true, true, Env->WaterwayNetwork),
                                       KvLang::Dutch),
              QStringLiteral("-hp -wwi -ww -wv ") + version + QStringLiteral(" -p \"Ostrel\" -nl"));
}

namespace {

// The shown group of that database, if any.
IWptWaypointGroup *ShownGroup(IWptWaypointGroupList *list, IWptDatabase *db) {
    for (int32_t i = 0; i < list->GetCount(); ++i)
        if (auto *g = dynamic_cast<IWptWaypointGroup *>(list->GetItem(i)); g && g->GetDatabase() == db) return g;
    return nullptr;
}

}  // namespace

TEST_F(NavEnvCharts, TheDemoProductDatabaseIsOnWhileItsChartIsShownAndKeepsItsGroupsOverAReload) {
    // The demo data's product with its marinas' database.
    const bool shownCases[] = {true, false};
    for (bool shown : shownCases) {
        SCOPED_TRACE(shown ? "chart shown" : "chart hidden");
        bool failed = true;
        TMarivoNavEnv env(failed, nullptr, FData, FData, 1, {});
        ASSERT_FALSE(failed);
        QStringList log;
        TRecordingViewer viewer(2, log);
        env.RegisterViewer(&viewer);
        testsupport::Owned<ISortedGUIDArray> charts(SortedGUIDArrayCreate());
        env.ChartManager->GetSelectedCharts(charts.get(), 2);
        ASSERT_GT(charts->GetCount(), 0);
        if (!shown) env.ChartManager->DeselectCharts(charts.get(), 2);
        uint8_t mode = 0;
        env.Start(mode);
        ASSERT_EQ(env.WptDBInfos.size(), 1u);
        TNavChartWptDBInfo &info = *env.WptDBInfos[0];
        ASSERT_NE(info.Database, nullptr);
        EXPECT_EQ(env.IsChartWptDatabaseSelected(info.Database), shown);
        EXPECT_FALSE(env.IsChartWptDatabaseSelected(env.UserDatabase));
        if (!shown) {
            env.UnregisterViewer(&viewer);
            continue;
        }

        // The shown group is shown again in the reopened database.
        env.WaypointGroupList->Add(info.Database->GetWaypointGroup(0));
        env.ApplyWaypointVisibility();
        env.ReleaseCharts(true);
        EXPECT_EQ(info.Database, nullptr) << "the database is closed while the charts are away";
        ASSERT_EQ(info.GroupCount(), 1);
        EXPECT_TRUE(info.GetGroup(0)->Selected);
        env.ReloadCharts(true);
        ASSERT_EQ(env.WptDBInfos.size(), 1u);
        ASSERT_NE(info.Database, nullptr);
        EXPECT_EQ(info.GroupCount(), 0);
        IWptWaypointGroup *group = ShownGroup(env.WaypointGroupList, info.Database);
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(WptObjectGetName(group), QStringLiteral("Marinas"));
        EXPECT_TRUE(group->IsVisibleIn(env.ChartModules));
        EXPECT_TRUE(env.IsChartWptDatabaseSelected(info.Database));
        env.UnregisterViewer(&viewer);
    }
}
