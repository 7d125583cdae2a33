// Chart updates against the services stand-in: a news fetch answers its news and then its
// chart step, each named by its request kind; the newer edition the account's records name
// for an installed set is pending, file by file; the automatic update places it whole in the
// chart-manager program's update folder and announces it; a server that sends the wrong
// bytes leaves nothing there.
#include "CoreTestSupport.h"
#include "ServiceStubProcess.h"
#include "TestSupport.h"
#include "online/ObjectUpdateCharts.h"
#include "online/WebServicesTransport.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvObjectUpdate.h>
#include <KvLibNav6/KvWebServices.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <vector>

using testsupport::Owned;
using testsupport::Rec;

namespace {

const QString Chart = QStringLiteral(MARIVO_TESTDATA_DIR_STR "/charts/bsb/NZ61401.KAP");

struct TAnswers {
    IMRCChartCheck *Account = nullptr;
    std::vector<TNavNotification> Got;
    std::vector<int32_t> Results;  // the account's last result as each answer is delivered
    static void Proc(void *data, TNavNotification *n) {
        auto *self = static_cast<TAnswers *>(data);
        if (n->Code != NavNotify::AccountRequestDone) return;
        self->Got.push_back(*n);
        self->Results.push_back(self->Account ? self->Account->GetLastResult() : -1);
    }
};

class ChartUpdates : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        qputenv("MARIVO_STUB_FILES", MARIVO_TESTDATA_DIR_STR "/charts/bsb");
        ASSERT_TRUE(FStub.Start());
        FEnv.reset(NavEnvCreate());
        kv::SetWebTransport(kv::MakeHttpTransport(FStub.BaseUrl(), 1500));
        FEnv->GetDispatcher()->Subscribe(TAnswers::Proc, &FAnswers);
        FAccount.reset(MRCChartCheckCreate(FEnv->GetDispatcher(), Rec(QStringLiteral("Ostrel")), 0x06000000));
        FAnswers.Account = FAccount.get();
        FRoot = testsupport::MakeTempDir(QStringLiteral("chartupdates"));
        InstallEdition1();
        FCharts.reset(ChartManagerCreate(Rec(FRoot + "/ChartInfo.cif"), Rec(FRoot + "/Selection.json"),
                                         Rec(FRoot + "/Charts"), nullptr, 3, nullptr, nullptr, nullptr, nullptr));
        FManager.reset(NavObjectUpdateManagerCreate(0, 0, 0, 0, 0, nullptr, nullptr, &Event, this));
        FManager->SetCharts(FCharts.get(), nullptr, nullptr, nullptr);
        FManager->SetOnlineService(FAccount.get());
        FManager->SetFolder(ObjectUpdateFolder::ChartUpdates, Rec(Updates()));
    }
    void TearDown() override {
        FManager->SetCharts(nullptr, nullptr, nullptr, nullptr);
        FManager->SetOnlineService(nullptr);
        FEnv->GetDispatcher()->Unsubscribe(TAnswers::Proc, &FAnswers);
        kv::SetWebTransport(nullptr);
        qunsetenv("MARIVO_STUB_FILES");
    }

    QString Updates() const { return FRoot + "/Updates"; }

    // Edition 1 of the account's "New Zealand approaches" set (its record names edition 2).
    void InstallEdition1() {
        const QString set = FRoot + "/Charts/NZ";
        QDir().mkpath(set);
        QFile::copy(Chart, set + "/NZ61401.KAP");
        const QJsonObject manifest{
            {"format", 1},
            {"product", QJsonObject{{"number", 5001}, {"code", "DEMO"}, {"title", "Demo charts"}}},
            {"set", QJsonObject{{"number", 1}, {"code", "NZ"}, {"title", "New Zealand approaches"}}},
            {"moduleMask", 2},
            {"edition", 1},
            {"charts", QJsonArray{QJsonObject{{"file", "NZ61401.KAP"}, {"guid", "{6C0F1E2A-3B4C-4D5E-8F90-A1B2C3D4E5F6}"}}}}};
        QFile f(set + "/chartset.json");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(manifest).toJson());
    }

    // The account knows the set as installed: the login answers its record.
    void ScriptLoginWithRecord() {
        const QJsonObject record{{"name", "New Zealand approaches"}, {"productName", "Demo charts"}, {"folder", "NZ"},
                                 {"productFolder", "DemoCharts"}, {"productNumber", 5001}, {"modules", 2},
                                 {"edition", 2}, {"result", 0},
                                 {"files", QJsonArray{QJsonObject{{"name", "NZ61401.KAP"},
                                                                  {"size", double(QFileInfo(Chart).size())},
                                                                  {"time", 1700000000}}}}};
        ASSERT_TRUE(FStub.Script(QStringLiteral("account/login"), 200,
                                 {{"result", 0}, {"chartsets", QJsonArray{}}, {"records", QJsonArray{record}}}));
    }

    void Login() {
        FAnswers.Got.clear();
        FAnswers.Results.clear();
        int32_t err = -1;
        FAccount->SetLogin(Rec(QStringLiteral("zeiler@example.nl;a&b = é")), false, err);
        WaitAnswers(1);
    }

    void WaitAnswers(size_t count) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return FAnswers.Got.size() >= count; }, 30000));
    }

    static void Event(void *data, int32_t number) { static_cast<ChartUpdates *>(data)->FEvents.push_back(number); }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("chartupdates")};
    testsupport::TServiceStubProcess FStub;
    Owned<INavEnv> FEnv;
    TAnswers FAnswers;
    Owned<IMRCChartCheck> FAccount;
    QString FRoot;
    Owned<IChartManager> FCharts;
    Owned<INavObjectUpdateManager> FManager;
    std::vector<int32_t> FEvents;
};

}  // namespace

TEST_F(ChartUpdates, ANewsFetchAnswersItsNewsAndThenItsChartStepEachByKind) {
    int32_t err = -1;
    FAccount->FetchNews(Rec(QStringLiteral("en")), 0, err);
    WaitAnswers(2);
    ASSERT_EQ(FAnswers.Got.size(), 2u) << FAccount->GetLastResult();
    EXPECT_EQ(FAnswers.Got[0].P2, MRCRequestKind::News);
    EXPECT_EQ(FAnswers.Got[1].P2, MRCRequestKind::Charts);
    EXPECT_EQ(FAnswers.Results, (std::vector<int32_t>{MRCResult::Ok, MRCResult::LoginFailed}))
        << "each answer is read with its own result; without a login the account tells of no charts";
    EXPECT_GT(FAccount->GetNewsCount(), 0);

    Login();
    FAnswers.Got.clear();
    FAnswers.Results.clear();
    ScriptLoginWithRecord();
    FAccount->FetchNews(Rec(QStringLiteral("en")), 0, err);
    WaitAnswers(2);
    ASSERT_EQ(FAnswers.Got.size(), 2u);
    EXPECT_EQ(FAnswers.Got[1].P2, MRCRequestKind::Charts);
    EXPECT_EQ(FAccount->GetLastResult(), MRCResult::Ok);
    EXPECT_NE(FAccount->FindChartSetRecord(5001, 2), nullptr) << "the chart step brings the installed-set records";
    EXPECT_EQ(FStub.FieldsOf(QStringLiteral("account/login")).size(), 2);
}

TEST_F(ChartUpdates, ANewerEditionIsPendingAndTheAutomaticUpdatePlacesItWhole) {
    EXPECT_EQ(FManager->GetUpdateCount(), 0) << "nothing is pending before the account told of records";
    Login();
    EXPECT_EQ(FManager->GetUpdateCount(), 0) << "the plain login answer knows no installed set";
    ScriptLoginWithRecord();
    Login();
    ASSERT_EQ(FManager->GetUpdateCount(), 1);
    IMRCChartSetRecord *rec = nullptr;
    int32_t kind = 0, file = -1;
    FManager->GetUpdate(0, rec, kind, file);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->GetEdition(), 2);
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(file, 0);

    FManager->StartAutoUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !FEvents.empty(); }, 30000));
    EXPECT_EQ(FEvents, std::vector<int32_t>{ObjectUpdateEvent::ChartUpdatesReady});
    const QString placed = Updates() + "/NZ";
    EXPECT_EQ(QFileInfo(placed + "/NZ61401.KAP").size(), QFileInfo(Chart).size());
    QFile manifest(placed + "/chartset.json");
    ASSERT_TRUE(manifest.open(QIODevice::ReadOnly));
    const QJsonObject m = QJsonDocument::fromJson(manifest.readAll()).object();
    EXPECT_EQ(m.value("edition").toInt(), 2);
    EXPECT_EQ(m.value("set").toObject().value("code").toString(), QStringLiteral("NZ")) << "the installed set's identity";
    EXPECT_EQ(m.value("charts").toArray().at(0).toObject().value("guid").toString(),
              QStringLiteral("{6C0F1E2A-3B4C-4D5E-8F90-A1B2C3D4E5F6}"));
    EXPECT_EQ(QDir(Updates()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"NZ"});
}

TEST_F(ChartUpdates, AServerThatSendsTheWrongBytesLeavesNothingInTheUpdateFolder) {
    ScriptLoginWithRecord();
    Login();
    const struct {
        const char *Name;
        QJsonObject Reply;
    } rows[] = {
        {"too short", {{"path", "account/download"}, {"status", 200}, {"text", "abc"}}},
        {"cut off", {{"path", "account/download"}, {"status", 200}, {"text", "abc"}, {"declaredLength", 100000}}},
        {"refused", {{"path", "account/download"}, {"status", 404}, {"text", "No such file"}}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Name);
        ASSERT_TRUE(FStub.ScriptReply(row.Reply));
        kv::TChartUpdates updates;
        updates.Refresh(FCharts.get(), FAccount.get());
        ASSERT_EQ(updates.Count(), 1);
        int placed = -1;
        updates.Fetch(FAccount.get(), Updates(), [&](int n) { placed = n; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return placed >= 0; }, 30000));
        EXPECT_EQ(placed, 0);
        EXPECT_TRUE(QDir(Updates()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    }
}
