// The install run against the services stand-in on the demo environment: the offer's chart
// sets land below the installation folder and in the chart manager, a second run fetches
// nothing, and a broken service or bad names fail only their record: one final message, no
// file under its final name, nothing outside the installation folder.
#include "online/ChartInstallRun.h"
#include "online/FraPageProgress.h"

#include "OnlineTestSupport.h"
#include "base/charts/KvOnlineServices.h"

#include <KvLibNav6/KvCharts.h>

#include <QDirIterator>
#include <QJsonArray>
#include <QProgressBar>
#include <QSignalSpy>

namespace {

class ChartInstallRunTest : public onlinetest::OnlineEnvFixture {
protected:
    void SetUp() override {
        OnlineEnvFixture::SetUp();
        if (HasFatalFailure()) return;
        Run = std::make_unique<TChartInstallRun>(Env->OnlineService, Env->ChartManager, &Progress);
        Progress.ProcessMessagesOnUpdate = false;
        OnNotification = [this](const TNavNotification &n) {
            if (n.P1 != reinterpret_cast<intptr_t>(Env->OnlineService) || n.P2 != MRCRequestKind::File) return;
            if (n.Code == NavNotify::AccountRequestDone) Run->FileFinished();
            if (n.Code == NavNotify::DownloadProgress) Run->FileProgress(n.Value);
        };
        Root = testsupport::MakeTempDir(QStringLiteral("installrun"));
        int32_t err = 0;
        MRCChartCheckSetLogin(Env->OnlineService, onlinetest::StubEmail, onlinetest::StubPassword, false, err);
        ASSERT_TRUE(WaitFor(NavNotify::AccountRequestDone, MRCRequestKind::Login));
        ASSERT_EQ(Env->OnlineService->GetAvailableChartSetCount(), 5);
    }

    // Asks for the records of every offered item but the companion, then runs into folder.
    TChartInstallRun::TOutcome InstallAll(const QString &folder) {
        IMRCChartCheck *account = Env->OnlineService;
        std::unique_ptr<IMRCRequestList, void (*)(NavObject *)> list(account->NewRequestList(), ObjectDelete);
        std::vector<std::unique_ptr<IMRCRequestItem, void (*)(NavObject *)>> items;
        for (int32_t i = 0; i < account->GetAvailableChartSetCount(); ++i) {
            IMRCAvailableChartSet *a = account->GetAvailableChartSet(i);
            if (a->GetCategory() == MRCCategory::Companion) continue;
            items.emplace_back(account->NewRequestItem(), ObjectDelete);
            items.back()->SetProductNumber(a->GetProductNumber());
            items.back()->SetModuleMask(a->GetModuleMask());
            items.back()->SetCategory(a->GetCategory());
            list->Add(items.back().get());
        }
        int32_t err = 0;
        account->RequestDownload(list.get(), err);
        EXPECT_TRUE(WaitFor(NavNotify::AccountRequestDone, MRCRequestKind::Records));
        QSignalSpy finished(Run.get(), &TChartInstallRun::Finished);
        Run->Start(folder);
        EXPECT_TRUE(finished.count() > 0 || finished.wait(60000));
        return finished.isEmpty() ? TChartInstallRun::TOutcome::Failed
                                  : finished.last().at(0).value<TChartInstallRun::TOutcome>();
    }

    bool HasChartSet(uint32_t product, int32_t setNumber) const {
        int32_t p = -1;
        for (int32_t i = 0; i < Env->ChartManager->GetProductCount(); ++i)
            if (Env->ChartManager->GetProduct(i)->GetInfo()->GetProductNumber() == product) p = i;
        if (p < 0) return false;
        IChartProduct *prod = Env->ChartManager->GetProduct(p);
        for (int32_t i = 0; i < prod->GetChartSetCount(); ++i)
            if (prod->GetChartSet(i)->GetInfo()->GetChartSetNumber() == setNumber) return true;
        return false;
    }

    // Every file below the folder, relative, sorted.
    static QStringList Files(const QString &folder) {
        QStringList out;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) out << QDir(folder).relativeFilePath(it.next());
        out.sort();
        return out;
    }

    int Downloads() { return FStub.FieldsOf(QStringLiteral("account/download")).size(); }

    TFramePageProgress Progress;
    std::unique_ptr<TChartInstallRun> Run;
    QString Root;
};

}  // namespace

TEST_F(ChartInstallRunTest, InstallsTheOfferBelowTheFolderAndASecondRunFetchesNothing) {
    const QString folder = Root + QStringLiteral("/Charts/");
    EXPECT_EQ(InstallAll(folder), TChartInstallRun::TOutcome::Success);
    EXPECT_EQ(Messages, QStringList({"The selected charts have been installed successfully!"}));
    const QStringList files = Files(folder);
    for (const char *f : {"MRC2/DemoCharts/Vecht/VELM0001.KAP", "MRC2/DemoCharts/NZ/NZ61401.KAP",
                          "MRC2/Programs/RouteTools/readme.txt", "MRC2/Addons/HarbourGuide/Addons8001/harbours.txt"})
        EXPECT_TRUE(files.contains(QString::fromLatin1(f))) << f << "\n" << files.join('\n').toStdString();
    EXPECT_EQ(QFileInfo(folder + "MRC2/DemoCharts/NZ/NZ61401.KAP").size(),
              QFileInfo(testsupport::TestDataPath("charts/bsb/NZ61401.KAP")).size());
    EXPECT_TRUE(HasChartSet(5001, 0)) << "the Vecht set (mask 1)";
    EXPECT_TRUE(HasChartSet(5001, 1)) << "the New Zealand set (mask 2)";
    EXPECT_EQ(Progress.ProgressBarTotal->value(), Progress.ProgressBarTotal->maximum());

    const int fetched = Downloads();
    EXPECT_EQ(fetched, 4);
    Messages.clear();
    EXPECT_EQ(InstallAll(folder), TChartInstallRun::TOutcome::Success) << "registered again: still done";
    EXPECT_EQ(Downloads(), fetched) << "present files are not fetched again";
    EXPECT_EQ(Messages.size(), 1);
}

TEST_F(ChartInstallRunTest, AnInstallationFolderEndingInMRC2GetsNoSecondLevel) {
    const QString folder = Root + QStringLiteral("/x/MRC2/");
    EXPECT_EQ(InstallAll(folder), TChartInstallRun::TOutcome::Success);
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("DemoCharts/NZ/NZ61401.KAP")));
}

TEST_F(ChartInstallRunTest, ABrokenServiceFailsOnlyItsRecord) {
    struct Case {
        const char *name;
        QJsonObject reply;  // the next answer of its path
        TChartInstallRun::TOutcome outcome;
    };
    const QString file = QStringLiteral("account/download");
    const auto record = [](const QString &folder, const QString &name) {
        return QJsonObject{{"name", "Bad"}, {"productName", "Demo charts"}, {"folder", folder},
                           {"productFolder", "DemoCharts"}, {"productNumber", 5001}, {"modules", 1},
                           {"edition", 3}, {"result", 0},
                           {"files", QJsonArray{QJsonObject{{"name", name}, {"size", 4}, {"time", 1}}}}};
    };
    const auto records = [&](const QJsonObject &r) {
        return QJsonObject{{"path", "account/downloads"},
                           {"body", QJsonObject{{"result", 0}, {"records", QJsonArray{r}}}}};
    };
    const Case cases[] = {
        {"name leaving the folder", records(record("Vecht", "../x")), TChartInstallRun::TOutcome::Failed},
        {"absolute name", records(record("Vecht", "/etc/x")), TChartInstallRun::TOutcome::Failed},
        {"backslash in a name", records(record("Vecht", "a\\b")), TChartInstallRun::TOutcome::Failed},
        {"folder leaving the product", records(record("..", "x")), TChartInstallRun::TOutcome::Failed},
        {"file shorter than its record", {{"path", file}, {"text", "abc"}}, TChartInstallRun::TOutcome::Partial},
        {"file longer than its record", {{"path", file}, {"text", QString(9000, 'x')}}, TChartInstallRun::TOutcome::Partial},
        {"connection closed mid-file", {{"path", file}, {"text", "abc"}, {"declaredLength", 90000}}, TChartInstallRun::TOutcome::Partial},
        {"server error for one record", {{"path", file}, {"status", 500}, {"text", "broken"}}, TChartInstallRun::TOutcome::Partial},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = Root + QStringLiteral("/") + QString::fromLatin1(c.name).replace(' ', '_') + "/I/";
        ASSERT_TRUE(FStub.ScriptReply(c.reply));
        Messages.clear();
        EXPECT_EQ(InstallAll(folder), c.outcome);
        ASSERT_EQ(Messages.size(), 1) << Messages.join('|').toStdString();
        EXPECT_TRUE(Messages[0].startsWith(c.outcome == TChartInstallRun::TOutcome::Failed ? "Chart installation failed"
                                                                                        : "The selected charts have been partially"));
        const QStringList outside = Files(QDir::cleanPath(folder + QStringLiteral("/..")));
        for (const QString &f : outside) {
            EXPECT_TRUE(f.startsWith(QStringLiteral("I/"))) << f.toStdString();
            EXPECT_FALSE(f.endsWith(QStringLiteral(".part"))) << f.toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(folder + "MRC2/Programs/RouteTools/readme.txt") && c.outcome == TChartInstallRun::TOutcome::Partial)
            << "the failed first file is not under its final name";
    }
}

TEST_F(ChartInstallRunTest, AbortStopsAfterTheCurrentFile) {
    const QString folder = Root + QStringLiteral("/Charts/");
    QSignalSpy finished(Run.get(), &TChartInstallRun::Finished);
    // Abort as soon as the first file is asked for.
    auto first = OnNotification;
    OnNotification = [&](const TNavNotification &n) {
        if (n.Code == NavNotify::AccountRequestDone && n.P2 == MRCRequestKind::File && Run->Running()) Run->Abort();
        first(n);
    };
    EXPECT_EQ(InstallAll(folder), TChartInstallRun::TOutcome::Partial);
    EXPECT_EQ(Downloads(), 1);
    EXPECT_FALSE(Run->Running());
}
