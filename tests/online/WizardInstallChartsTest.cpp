// The chart-set install wizard on the demo environment against the services stand-in: the
// login, files already present, the Remove table, the Close button during work, and the
// service's bad answers (an empty file, a name leading outside, a failed download).
#include "online/FrmWizardInstallCharts.h"

#include "online/FraPageProgress.h"
#include "online/FraPageSelectCharts.h"
#include "online/FraPageUserLogin.h"

#include "OnlineTestSupport.h"
#include "base/charts/KvCharts.h"
#include "base/charts/KvOnlineServices.h"
#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvCharts.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {

using TPage = TFormWizardInstallCharts::TPage;

// One file of a scripted download record.
QJsonObject FileEntry(const QString &name, double size) {
    return {{"name", name}, {"size", size}, {"time", 1700000000}};
}

// A download answer with one chart record of the demo product (module 1: "Vecht").
QJsonObject RecordsAnswer(const QJsonArray &files) {
    const QJsonObject record{{"name", "Vecht"},        {"productName", "Demo charts"}, {"folder", "Vecht"},
                             {"productFolder", "DemoCharts"}, {"productNumber", 5001}, {"modules", 1},
                             {"edition", 3},           {"result", 0},                  {"files", files}};
    return {{"result", 0}, {"records", QJsonArray{record}}};
}

class WizardInstallCharts : public onlinetest::OnlineEnvFixture {
protected:
    void SetUp() override {
        OnlineEnvFixture::SetUp();
        if (HasFatalFailure()) return;
        Folder = testsupport::MakeTempDir(QStringLiteral("wizardinstall")) + QStringLiteral("/Charts/");
        ASSERT_EQ(SetDefaultChartFolder(Folder), 0);
        Wizard = std::make_unique<TFormWizardInstallCharts>(Env->ChartManager, Env->OnlineService,
                                                            Env->CoreEnv->GetDispatcher());
        Wizard->resize(760, 560);
        Wizard->show();
        QApplication::setActiveWindow(Wizard.get());
    }
    void TearDown() override {
        Wizard.reset();
        OnlineEnvFixture::TearDown();
    }
    void Click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    bool WaitFor(TPage page) {
        return QTest::qWaitFor([&] { return Wizard->CurrentPage() == page && !Wizard->Busy(); }, 60000);
    }
    void LogIn(const QString &password = onlinetest::StubPassword) {
        Click(Wizard->ButtonPrev);
        ASSERT_EQ(Wizard->CurrentPage(), TPage::Login);
        Wizard->LoginFrame->Boxes().EditLoginEmail->setText(onlinetest::StubEmail);
        Wizard->LoginFrame->Boxes().EditLoginPassword->setText(password);
        Click(Wizard->ButtonNext);
        EXPECT_TRUE(Wizard->Busy());
        EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Abort"));
    }
    void LogInToSelection() {
        LogIn();
        ASSERT_TRUE(WaitFor(TPage::Selection));
        ASSERT_TRUE(Wizard->SelectFrame->HasRows());
    }
    void Check(const QStringList &names) { onlinetest::CheckRows(Wizard->SelectFrame->Model(), names); }
    void Install(const QStringList &names) {
        Check(names);
        Click(Wizard->ButtonNext);
        ASSERT_EQ(Wizard->CurrentPage(), TPage::Progress);
        ASSERT_TRUE(WaitFor(TPage::Selection));
    }
    QStringList Downloaded() {
        QStringList out;
        for (const QJsonObject &f : FStub.FieldsOf(QStringLiteral("account/download"))) out << f.value("file").toString();
        return out;
    }
    QString SetFolder(const QString &set) { return Folder + QStringLiteral("MRC2/DemoCharts/") + set + u'/'; }
    IMRCAvailableChartSet *Item(uint32_t modules) { return Env->OnlineService->FindAvailableChartSet(5001, modules); }
    bool Installed(uint32_t modules) {
        IChartSet *set = nullptr;
        return FindInstalledChartSet(Env->ChartManager, Item(modules), set);
    }

    QString Folder;
    std::unique_ptr<TFormWizardInstallCharts> Wizard;
};

}  // namespace

TEST_F(WizardInstallCharts, AWrongPasswordStaysOnTheLoginPageTheRightOneShowsTheSelection) {
    EXPECT_EQ(Wizard->windowTitle(), QStringLiteral("Download and install charts"));
    EXPECT_EQ(Wizard->CurrentPage(), TPage::Selection);
    EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Close"));
    LogIn(QStringLiteral("wrong password"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Wizard->Busy(); }, 30000));
    EXPECT_EQ(Wizard->CurrentPage(), TPage::Login);
    EXPECT_EQ(Messages, QStringList({"E-mail address and/or password unknown"}));
    EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Close"));
    Messages.clear();
    Wizard->LoginFrame->Boxes().EditLoginPassword->setText(onlinetest::StubPassword);
    Click(Wizard->ButtonNext);
    ASSERT_TRUE(WaitFor(TPage::Selection));
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join('\n').toStdString();
    EXPECT_TRUE(Wizard->SelectFrame->HasRows());
    EXPECT_TRUE(Wizard->ButtonNext->isEnabled());
    EXPECT_EQ(Wizard->ButtonNext->text(), QStringLiteral("Install"));
    EXPECT_FALSE(Wizard->ButtonRemove->isEnabled()) << "nothing installed is selected";
}

TEST_F(WizardInstallCharts, WithOneSetPresentOnlyTheMissingFileIsFetchedAndBothAreInstalled) {
    LogInToSelection();
    // The New Zealand chart is already there, newer than the service's copy.
    QDir().mkpath(SetFolder("NZ"));
    ASSERT_TRUE(QFile::copy(testsupport::TestDataPath("charts/bsb/NZ61401.KAP"), SetFolder("NZ") + "NZ61401.KAP"));
    bool abortSeen = false;
    QString totalWhileArriving;
    OnNotification = [&](const TNavNotification &n) {
        if (n.Code == NavNotify::DownloadProgress && n.P2 == MRCRequestKind::File && !abortSeen) {
            abortSeen = Wizard->ButtonClose->text() == QStringLiteral("Abort");
            totalWhileArriving = Wizard->ProgressFrame->LabelProgressTotal->text();
            shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("wizard-install-progress"));
        }
    };
    Install({"Vecht", "New Zealand approaches"});
    OnNotification = nullptr;
    EXPECT_EQ(Messages, QStringList({"The selected charts have been installed successfully!"}));
    EXPECT_EQ(Downloaded(), QStringList({"VELM0001.KAP"}));
    EXPECT_TRUE(abortSeen) << "Close reads Abort while a file arrives";
    // The file on its way is not counted yet.
    EXPECT_TRUE(totalWhileArriving.startsWith(QStringLiteral("Total: 0 bytes / "))) << totalWhileArriving.toStdString();
    EXPECT_EQ(Wizard->ProgressFrame->ProgressBarTotal->value(), 2);
    EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Close"));
    EXPECT_TRUE(QFileInfo::exists(SetFolder("Vecht") + "VELM0001.KAP"));
    EXPECT_TRUE(Installed(1));
    EXPECT_TRUE(Installed(2));
    EXPECT_TRUE(Item(1)->IsInstalled());
    shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("wizard-install-selection"));
}

TEST_F(WizardInstallCharts, RemoveTable) {
    LogInToSelection();
    Install({"Vecht", "New Zealand approaches"});
    ASSERT_TRUE(Installed(1) && Installed(2));
    Messages.clear();

    // Only a set that is not installed: nothing to remove.
    Check({"Harbour guide"});
    EXPECT_FALSE(Wizard->ButtonRemove->isEnabled());
    Wizard->ButtonRemoveClick();
    EXPECT_TRUE(Messages.value(0).startsWith("No charts checked for removal.")) << Messages.join('\n').toStdString();
    Item(1)->SetSelected(false);
    Env->OnlineService->FindAvailableChartSet(8001, 1)->SetSelected(false);
    Messages.clear();

    // New Zealand becomes a set another program installed.
    {
        const QString manifest = SetFolder("NZ") + "chartset.json";
        QFile f(manifest);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
        f.close();
        o["ownInstallation"] = false;
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QJsonDocument(o).toJson());
        f.close();
        int32_t err = 0;
        Env->ChartManager->InstallChartSet(Env->OnlineService->FindChartSetRecord(5001, 2), StrW(SetFolder("NZ")), err);
        IChartSet *set = nullptr;
        ASSERT_TRUE(FindInstalledChartSet(Env->ChartManager, Item(2), set));
        ASSERT_FALSE(set->GetInfo()->IsOwnInstallation());
    }
    Wizard->SelectFrame->Refresh();
    Item(2)->SetSelected(true);
    Wizard->ButtonRemoveClick();
    EXPECT_TRUE(Messages.value(0).startsWith("Error removing chart sets.")) << Messages.join('\n').toStdString();
    Messages.clear();

    // Foreign and own together: asked, and No keeps everything.
    Item(1)->SetSelected(true);
    {
        onlinetest::TMessages answers(mrNo);
        Wizard->ButtonRemoveClick();
        ASSERT_EQ(answers.Texts.size(), 1);
        EXPECT_TRUE(answers.Texts[0].startsWith("One or more chart sets cannot be removed, because they have not been"));
    }
    EXPECT_TRUE(Installed(1));
    EXPECT_EQ(Wizard->CurrentPage(), TPage::Selection);

    // Yes twice: the own set goes with its folder, the service hears of it, the foreign set stays.
    {
        onlinetest::TMessages answers(mrYes);
        Wizard->ButtonRemoveClick();
        EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Abort"));
        ASSERT_TRUE(WaitFor(TPage::Selection));
        EXPECT_EQ(answers.Texts.size(), 3);
        EXPECT_EQ(answers.Texts.value(1), "Are you sure you want to remove the selected chartset?");
        EXPECT_EQ(answers.Texts.value(2), "Chart sets have been removed.");
    }
    EXPECT_FALSE(Installed(1));
    EXPECT_FALSE(QFileInfo::exists(SetFolder("Vecht")));
    EXPECT_TRUE(Installed(2));
    EXPECT_TRUE(QFileInfo::exists(SetFolder("NZ") + "NZ61401.KAP"));
    EXPECT_EQ(FStub.FieldsOf(QStringLiteral("account/removal")).size(), 1);
    EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Close"));
}

TEST_F(WizardInstallCharts, BadAnswersFailTheirRecordWithoutHangingOrWritingOutside) {
    LogInToSelection();
    Answer = mrYes;  // installing over the set installed by the case before
    struct TCase {
        const char *Name;
        QJsonArray Files;
        int DownloadStatus;  // 0: no download expected
        const char *Message;
        bool Done;
    };
    const std::vector<TCase> cases = {
        {"empty file", {FileEntry("empty.txt", 0)}, 200, "The selected charts have been installed successfully!", true},
        {"name leading outside", {FileEntry("../escape.txt", 4)}, 0, "Chart installation failed. Please try again.", false},
        {"download refused by the service", {FileEntry("gone.txt", 4)}, 500, "Chart installation failed. Please try again.",
         false},
    };
    // An answer without records says that nothing was installed.
    ASSERT_TRUE(FStub.Script(QStringLiteral("account/downloads"), 200, QJsonObject{{"result", 0}, {"records", QJsonArray()}}));
    Install({"Vecht"});
    EXPECT_EQ(Messages.value(Messages.size() - 1),
              "Nothing has been installed: the service sent none of the selected items.");
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        Messages.clear();
        ASSERT_TRUE(FStub.Script(QStringLiteral("account/downloads"), 200, RecordsAnswer(c.Files)));
        if (c.DownloadStatus == 200) ASSERT_TRUE(FStub.ScriptText(QStringLiteral("account/download"), 200, QString()));
        if (c.DownloadStatus == 500) ASSERT_TRUE(FStub.ScriptText(QStringLiteral("account/download"), 500, "broken"));
        const qsizetype before = Downloaded().size();
        Item(1)->SetSelected(false);
        Install({"Vecht"});
        EXPECT_EQ(Messages.value(Messages.size() - 1), QString::fromLatin1(c.Message)) << Messages.join('\n').toStdString();
        EXPECT_EQ(Downloaded().size() - before, c.DownloadStatus ? 1 : 0);
        EXPECT_EQ(Env->OnlineService->GetDownload(0)->IsDone(), c.Done);
        EXPECT_FALSE(QFileInfo::exists(Folder + "MRC2/DemoCharts/escape.txt"));
        EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Close"));
    }
    EXPECT_TRUE(QFileInfo(SetFolder("Vecht") + "empty.txt").isFile());
    EXPECT_FALSE(QFileInfo::exists(SetFolder("Vecht") + "gone.txt"));
}
