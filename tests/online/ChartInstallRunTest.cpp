// The install run against the services stand-in on the demo environment: the offer's chart
// sets land below the installation folder and in the chart manager, a second run fetches
// nothing, and Abort stops after the current file. (The service's bad answers are a table of
// the start-up wizard's test, which runs this engine.)
#include "online/ChartInstallRun.h"
#include "online/FraPageProgress.h"
#include "online/FraPageSelectCharts.h"

#include "OnlineTestSupport.h"
#include "base/charts/KvOnlineServices.h"
#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvCharts.h>

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QSet>
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
    QSet<IChartSet *> sets;
    for (int32_t p = 0; p < Env->ChartManager->GetProductCount(); ++p)
        if (Env->ChartManager->GetProduct(p)->GetInfo()->GetProductNumber() == 5001)
            for (int32_t i = 0; i < Env->ChartManager->GetProduct(p)->GetChartSetCount(); ++i)
                sets.insert(Env->ChartManager->GetProduct(p)->GetChartSet(i));
    int shown = 0;
    for (int32_t i = 0; i < Env->ChartManager->GetCatalogueCount(); ++i)
        shown += sets.contains(Env->ChartManager->GetCatalogueEntry(i)->GetChartSet());
    EXPECT_EQ(shown, 2) << "both sets' charts are in the catalogue the viewers get, whatever their set number";
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

// After an installation the account offers other editions: the selection page marks an
// installed set with a newer edition offered as "update available", one with the same or an
// older edition as "already installed", and what the chart manager does not have as new.
TEST_F(ChartInstallRunTest, ANewerEditionOfAnInstalledSetShowsAsAnUpdate) {
    const QString folder = Root + QStringLiteral("/Charts/");
    ASSERT_EQ(InstallAll(folder), TChartInstallRun::TOutcome::Success);
    struct Case {
        const char *item;
        int edition;  // offered; the records of the installation hold 1, 3, 2, 1
        bool installed, update;
        const char *status;
    };
    const Case cases[] = {
        {"Route tools", 2, false, true, "new software"},
        {"Vecht", 4, true, true, "update available"},
        {"New Zealand approaches", 1, true, false, "already installed"},
        {"Harbour guide", 1, false, false, "new software"},
    };
    QFile fixture(testsupport::SourcePath(QStringLiteral("tools/servicestub/fixtures/account/offer.json")));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    QJsonArray offer = QJsonDocument::fromJson(fixture.readAll()).object().value("chartsets").toArray();
    for (qsizetype i = 0; i < offer.size(); ++i) {
        QJsonObject row = offer[i].toObject();
        for (const Case &c : cases)
            if (row.value("item").toString() == QLatin1String(c.item)) row.insert("edition", c.edition);
        offer[i] = row;
    }
    ASSERT_TRUE(FStub.Script(QStringLiteral("account/login"), 200, QJsonObject{{"result", 0}, {"chartsets", offer}}));
    int32_t err = 0;
    MRCChartCheckSetLogin(Env->OnlineService, onlinetest::StubEmail, onlinetest::StubPassword, false, err);
    ASSERT_TRUE(WaitFor(NavNotify::AccountRequestDone));

    IMRCChartCheck *account = Env->OnlineService;
    TFramePageSelectCharts page(Env->ChartManager, account, folder, false);
    for (int32_t i = 0; i < account->GetAvailableChartSetCount(); ++i) page.AddChartSet(account->GetAvailableChartSet(i));
    page.Refresh();
    QMap<QString, QString> status;
    const QAbstractItemModel *m = page.Model();
    for (int r = 0; r < m->rowCount(); ++r) {
        const QModelIndex row = m->index(r, 0);
        status.insert(row.data().toString(), row.siblingAtColumn(1).data().toString());
        for (int c = 0; c < m->rowCount(row); ++c)
            status.insert(m->index(c, 0, row).data().toString(), m->index(c, 1, row).data().toString());
    }
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        IMRCAvailableChartSet *item = nullptr;
        for (int32_t i = 0; i < account->GetAvailableChartSetCount(); ++i)
            if (StrWToWide(account->GetAvailableChartSet(i)->GetItemName()) == QLatin1String(c.item))
                item = account->GetAvailableChartSet(i);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetEdition(), c.edition) << "the page reads the new offer";
        EXPECT_EQ(item->IsInstalled(), c.installed);
        EXPECT_EQ(item->IsUpdateAvailable(), c.update);
        EXPECT_EQ(status.value(QString::fromLatin1(c.item)), QString::fromLatin1(c.status));
    }
}
