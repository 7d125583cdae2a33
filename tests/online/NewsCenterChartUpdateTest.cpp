// The news centre's "chartupdate" link on the demo environment against the services
// stand-in: the newer edition the account names for an installed set is fetched with
// progress into the chart-manager program's update folder before the chart update runs;
// Cancel and a damaged transfer leave nothing there and run nothing.
#include "online/FrmNewsCenter.h"
#include "online/FrmNewsCenterChartFetch.h"

#include "ServiceStub.h"
#include "TestSupport.h"
#include "base/charts/KvOnlineServices.h"
#include "base/registry/KvRegistry.h"
#include "base/web/KvWBContainer.h"
#include "tests/shell/NavEnvFixture.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvAppReg.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

const QString Chart = QStringLiteral(MARIVO_TESTDATA_DIR_STR "/charts/bsb/NZ61401.KAP");

class NewsCenterChartUpdate : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        // The stand-in serves the account's "Vecht" file from here: a real chart under its name.
        FFiles = testsupport::MakeTempDir(QStringLiteral("chartupdatefiles"));
        ASSERT_TRUE(QFile::copy(Chart, FFiles + "/VELM0001.KAP"));
        qputenv("MARIVO_STUB_FILES", FFiles.toUtf8());
        FUpdates = testsupport::MakeTempDir(QStringLiteral("chartupdatefolder"));
        qputenv("KORVANE_UPDATE_DIR", FUpdates.toUtf8());
        servicestub::RegisterStandardHandlers(FStub, testsupport::SourcePath("tools/servicestub/fixtures"));
        ASSERT_TRUE(FStub.Listen());
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, "Services", RegName(u"BaseURL"),
                       QStringLiteral("http://127.0.0.1:%1").arg(FStub.Port()), err);
        InstallEdition2();
        Env = Make();
        ASSERT_TRUE(Env && Env->OnlineService && Env->ObjectUpdateManager);
        Env->ChartManagerProgramFlags = 3;
        LogInWithRecord();
        FOldNews = TFormNewsCenter::SetPrompter([](TFormNewsCenter &) { return 0; });
    }
    void TearDown() override {
        TFormNewsCenter::SetPrompter(std::move(FOldNews));
        TFormChartUpdateFetch::SetObserver(nullptr);
        Env.reset();
        qunsetenv("MARIVO_STUB_FILES");
        qunsetenv("KORVANE_UPDATE_DIR");
        NavEnvFixture::TearDown();
    }

    // Edition 2 of the account's "Vecht" set in the demo's charts folder (the service has 3).
    void InstallEdition2() {
        const QString set = FData + "/Charts/Vecht";
        QDir().mkpath(set);
        QFile::copy(Chart, set + "/VELM0001.KAP");
        const QJsonObject manifest{
            {"format", 1},
            {"product", QJsonObject{{"number", 5001}, {"code", "DEMO"}, {"title", "Demo charts"}}},
            {"set", QJsonObject{{"number", 0}, {"code", "VE"}, {"title", "Vecht"}}},
            {"moduleMask", 1},
            {"edition", 2},
            {"charts", QJsonArray{QJsonObject{{"file", "VELM0001.KAP"}}}}};
        QFile f(set + "/chartset.json");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(manifest).toJson());
    }

    // The account knows the set as installed: its login answers the set's record.
    void LogInWithRecord() {
        const QJsonObject record{{"name", "Vecht"}, {"productName", "Demo charts"}, {"folder", "Vecht"},
                                 {"productFolder", "DemoCharts"}, {"productNumber", 5001}, {"modules", 1},
                                 {"edition", 3}, {"result", 0},
                                 {"files", QJsonArray{QJsonObject{{"name", "VELM0001.KAP"},
                                                                  {"size", double(QFileInfo(Chart).size())},
                                                                  {"time", 1700000000}}}}};
        FStub.Script("account/login", servicestub::TStubReply::Json(
                                          {{"result", 0}, {"chartsets", QJsonArray{}}, {"records", QJsonArray{record}}}));
        int32_t err = 0;
        MRCChartCheckSetLogin(Env->OnlineService, "zeiler@example.nl", QStringLiteral("a&b = é"), false, err);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Env->OnlineService->FindChartSetRecord(5001, 1) != nullptr; }, 20000));
    }

    std::unique_ptr<TFormNewsCenter> Window() {
        auto w = std::make_unique<TFormNewsCenter>(*Env, false, true);
        w->OnChartUpdate = [this] { Calls << "chart update"; };
        w->Inform = [this](const QString &t) { Calls << "inform: " + t; };
        return w;
    }

    QStringList UpdateFolder() const {
        return QDir(FUpdates).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    servicestub::TServiceStub FStub;
    std::unique_ptr<TMarivoNavEnv> Env;
    QString FFiles, FUpdates;
    QStringList Calls;

private:
    TFormNewsCenter::TPrompter FOldNews;
};

}  // namespace

TEST_F(NewsCenterChartUpdate, TheLinkFetchesTheNewerEditionWithProgressThenRunsTheUpdate) {
    ASSERT_EQ(TChartUpdateFetch::PendingSets(Env->ObjectUpdateManager, Env->ChartManager).size(), 1);
    auto w = Window();
    int shownAt = -1, endedAt = -1;
    TFormChartUpdateFetch::SetObserver([&](TFormChartUpdateFetch &form) {
        shownAt = form.ProgressBar->value();
        shelltest::SaveScreenshot(&form, QStringLiteral("ChartUpdateFetch"));
        QObject::connect(&form, &QDialog::accepted, [&] { endedAt = form.ProgressBar->value(); });
    });
    w->Browser->HandleLinkClick(QUrl("chartupdate"));
    EXPECT_EQ(Calls, QStringList{"chart update"});
    EXPECT_EQ(shownAt, 0);
    EXPECT_EQ(endedAt, 100);
    EXPECT_EQ(UpdateFolder(), QStringList{"Vecht"});
    EXPECT_EQ(QFileInfo(FUpdates + "/Vecht/VELM0001.KAP").size(), QFileInfo(Chart).size());
    QFile manifest(FUpdates + "/Vecht/chartset.json");
    ASSERT_TRUE(manifest.open(QIODevice::ReadOnly));
    const QJsonObject m = QJsonDocument::fromJson(manifest.readAll()).object();
    EXPECT_EQ(m.value("edition").toInt(), 3);
    EXPECT_EQ(m.value("set").toObject().value("code").toString(), QStringLiteral("VE"));
}

TEST_F(NewsCenterChartUpdate, CancelAndADamagedTransferLeaveNothingAndRunNothing) {
    auto w = Window();
    servicestub::TStubReply hang;
    hang.Hang = true;
    FStub.Script("account/download", hang);
    TFormChartUpdateFetch::SetObserver([](TFormChartUpdateFetch &form) {
        QTest::mouseClick(form.ButtonCancel, Qt::LeftButton);
    });
    w->Browser->HandleLinkClick(QUrl("chartupdate"));
    EXPECT_TRUE(Calls.isEmpty());
    EXPECT_TRUE(UpdateFolder().isEmpty());

    TFormChartUpdateFetch::SetObserver(nullptr);
    servicestub::TStubReply shortBody;
    shortBody.ContentType = "application/octet-stream";
    shortBody.Body = "not a chart";
    FStub.Script("account/download", shortBody);
    w->Browser->HandleLinkClick(QUrl("chartupdate"));
    EXPECT_EQ(Calls, QStringList{"inform: The downloaded update is damaged or incomplete and was deleted. Please try again later."});
    EXPECT_TRUE(UpdateFolder().isEmpty());
}
