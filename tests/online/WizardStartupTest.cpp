// The start-up wizard on the demo environment against the services stand-in, driven as a
// new user would: a wrong password, the right one, the account's saved ships, the selection
// of the offer and its installation; the page order and the sign-up page that is never shown;
// and what each of the service's bad answers leaves behind.
#include "online/FraPageProgress.h"
#include "online/FraPageSelectCharts.h"
#include "online/FraStartupShipProperties.h"
#include "online/FraStartupUser.h"
#include "online/FraStartupZoS.h"
#include "online/FrmWizardStartup.h"

#include "OnlineTestSupport.h"
#include "base/charts/KvOnlineServices.h"
#include "base/kvlib/KvErrors.h"
#include "online/WebServicesTransport.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvErrorCodes.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

class WizardStartup : public onlinetest::OnlineEnvFixture {
protected:
    void SetUp() override {
        OnlineEnvFixture::SetUp();
        if (HasFatalFailure()) return;
        NewWizard(testsupport::MakeTempDir(QStringLiteral("wizardstartup")) + QStringLiteral("/Charts/"));
    }
    void TearDown() override {
        Wizard.reset();
        kv::SetWebTransport(nullptr);
        OnlineEnvFixture::TearDown();
    }
    // A wizard that installs below folder.
    void NewWizard(const QString &folder) {
        Wizard.reset();
        Folder = folder;
        ASSERT_EQ(SetDefaultChartFolder(Folder), 0);
        Wizard = std::make_unique<TFormWizardStartup>(*Env);
        Wizard->resize(760, 560);
        Wizard->show();
        QApplication::setActiveWindow(Wizard.get());
    }
    void Type(const QString &email, const QString &password) {
        Wizard->LoginFrame->Boxes().EditLoginEmail->setText(email);
        Wizard->LoginFrame->Boxes().EditLoginPassword->setText(password);
    }
    void Click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    bool WaitIdle() {
        return QTest::qWaitFor([this] { return !Wizard->Busy(); }, 30000);
    }
    // Logs in with the stand-in's account and waits for the ship page.
    void LogIn() {
        Type(onlinetest::StubEmail, onlinetest::StubPassword);
        Click(Wizard->ButtonNext);
        ASSERT_TRUE(QTest::qWaitFor([this] { return Wizard->CurrentPage() == TFormWizardStartup::TPage::Ship; }, 30000));
    }

    // Every file below the folder, relative.
    static QStringList Files(const QString &folder) {
        QStringList out;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) out << QDir(folder).relativeFilePath(it.next());
        return out;
    }

    QString Folder;
    std::unique_ptr<TFormWizardStartup> Wizard;
};

// A download answer of one record of the route tools (the program the table selects) with
// one file of this name.
QJsonObject RecordsWithFile(const QString &folder, const QString &name) {
    const QJsonObject record{{"name", "Route tools"}, {"productName", "Route tools"}, {"folder", folder},
                             {"productFolder", "Programs"}, {"productNumber", 7001}, {"modules", 1},
                             {"edition", 1}, {"result", 0},
                             {"files", QJsonArray{QJsonObject{{"name", name}, {"size", 4}, {"time", 1}}}}};
    return {{"path", "account/downloads"}, {"body", QJsonObject{{"result", 0}, {"records", QJsonArray{record}}}}};
}

}  // namespace

TEST_F(WizardStartup, AWrongPasswordKeepsTheLoginPageAndTheRightOneShowsTheSavedShips) {
    EXPECT_EQ(Wizard->windowTitle(), QStringLiteral("Setup Marivo"));
    EXPECT_EQ(Wizard->LabelHeaderTitle->text(), QStringLiteral("Login"));
    shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("wizard-startup-login"));
    Click(Wizard->ButtonPrev);
    EXPECT_EQ(Wizard->CurrentPage(), TFormWizardStartup::TPage::Login) << "Previous on the login page does nothing";

    Type(onlinetest::StubEmail, QStringLiteral("wrong password"));
    Click(Wizard->ButtonNext);
    EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Abort"));
    EXPECT_FALSE(Wizard->ButtonNext->isEnabled());
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Messages, QStringList({"E-mail address and/or password unknown"}));
    EXPECT_EQ(Wizard->CurrentPage(), TFormWizardStartup::TPage::Login);
    EXPECT_EQ(QApplication::focusWidget(), Wizard->LoginFrame->Boxes().EditLoginEmail);
    EXPECT_TRUE(Wizard->ButtonNext->isEnabled());
    EXPECT_TRUE(Wizard->ButtonPrev->isEnabled());
    EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Close"));

    Messages.clear();
    LogIn();
    EXPECT_TRUE(Messages.isEmpty());
    QComboBox *ships = Wizard->ShipFrame->ComboSavedShips;
    ASSERT_EQ(ships->count(), 3);
    EXPECT_EQ(ships->itemText(1), QStringLiteral("Zeemeeuw"));
    EXPECT_EQ(ships->currentIndex(), -1);
    shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("wizard-startup-ship"));

    // Picking a saved ship changes the boat definition at once.
    ILPBoatDef *boat = Env->ActiveBoatDef;
    const float unstepped = boat->GetHeightUnstepped();
    ships->setCurrentIndex(2);
    emit ships->activated(2);
    EXPECT_FLOAT_EQ(boat->GetHeightStepped(), 14.0f);
    EXPECT_FLOAT_EQ(boat->GetLength(), 12.0f);
    EXPECT_FLOAT_EQ(boat->GetHeightUnstepped(), unstepped);
    EXPECT_EQ(Wizard->ShipFrame->EditShipName->text(), QStringLiteral("Albatros"));
    EXPECT_TRUE(Wizard->ShipFrame->ButtonRemove->isEnabled());

    // An upload rebuilds the list from the answer, with nothing chosen.
    Wizard->ShipFrame->EditShipName->setText(QStringLiteral("Stern"));
    emit Wizard->ShipFrame->EditShipName->editingFinished();
    EXPECT_EQ(ships->currentIndex(), -1) << "a name unlike the chosen ship drops the choice";
    EXPECT_FALSE(Wizard->ShipFrame->ButtonRemove->isEnabled());
    const int answers = FStub.FieldsOf(QStringLiteral("userdata/uploadship")).size();
    Click(Wizard->ShipFrame->ButtonUpload);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ships->count() == 4; }, 30000));
    EXPECT_EQ(FStub.FieldsOf(QStringLiteral("userdata/uploadship")).size(), answers + 1);
    EXPECT_EQ(ships->currentIndex(), -1);
    EXPECT_EQ(Wizard->CurrentPage(), TFormWizardStartup::TPage::Ship);
}

// "<default>" puts back the page's own values only when the user picks it; a rebuilt list
// leaves the boat alone; without a name nothing can be uploaded.
TEST_F(WizardStartup, TheDefaultEntryAppliesOnlyWhenPickedAndAnUnnamedShipIsNotUploaded) {
    LogIn();
    ILPBoatDef *boat = Env->ActiveBoatDef;
    const float unstepped = boat->GetHeightUnstepped();
    const float margin = boat->GetHeightSafeMargin();
    const TFloat2 gps = *boat->GetGPSPosition();
    QComboBox *ships = Wizard->ShipFrame->ComboSavedShips;
    ships->setCurrentIndex(2);
    emit ships->activated(2);
    ASSERT_FLOAT_EQ(boat->GetLength(), 12.0f);

    const int uploads = FStub.FieldsOf(QStringLiteral("userdata/uploadship")).size();
    Click(Wizard->ShipFrame->ButtonUpload);
    // The same name again: the account keeps one record, and the list is rebuilt unchosen.
    ASSERT_TRUE(QTest::qWaitFor([&] { return ships->currentIndex() == -1; }, 30000));
    EXPECT_EQ(ships->count(), 3);
    EXPECT_FLOAT_EQ(boat->GetLength(), 12.0f) << "a rebuilt list must not apply the default";
    EXPECT_FLOAT_EQ(boat->GetHeightStepped(), 14.0f);

    ships->setCurrentIndex(0);
    emit ships->activated(0);
    EXPECT_FLOAT_EQ(boat->GetLength(), 10.0f);
    EXPECT_FLOAT_EQ(boat->GetWidth(), 3.0f);
    EXPECT_FLOAT_EQ(boat->GetDraught(), 1.0f);
    EXPECT_FLOAT_EQ(boat->GetHeightStepped(), 3.3f);
    EXPECT_FLOAT_EQ(boat->GetHeightUnstepped(), unstepped);
    EXPECT_FLOAT_EQ(boat->GetHeightSafeMargin(), margin);
    EXPECT_FLOAT_EQ(boat->GetGPSPosition()->X, gps.X);
    EXPECT_FLOAT_EQ(boat->GetGPSPosition()->Y, gps.Y);
    EXPECT_TRUE(Wizard->ShipFrame->EditShipName->text().isEmpty());
    EXPECT_FALSE(Wizard->ShipFrame->ButtonRemove->isEnabled());

    // Without a name there is nothing to save under: Upload is off and a click sends nothing.
    EXPECT_FALSE(Wizard->ShipFrame->ButtonUpload->isEnabled());
    Click(Wizard->ShipFrame->ButtonUpload);
    QTest::qWait(200);
    EXPECT_EQ(FStub.FieldsOf(QStringLiteral("userdata/uploadship")).size(), uploads + 1);
}

TEST_F(WizardStartup, PageOrderPassesTheSignUpPageBy) {
    LogIn();
    Click(Wizard->ButtonNext);
    EXPECT_EQ(Wizard->CurrentPage(), TFormWizardStartup::TPage::Selection);
    Click(Wizard->ButtonPrev);
    EXPECT_EQ(Wizard->CurrentPage(), TFormWizardStartup::TPage::Ship);
    Click(Wizard->ButtonPrev);
    EXPECT_EQ(Wizard->CurrentPage(), TFormWizardStartup::TPage::Login);
    EXPECT_FALSE(Wizard->SignUp());
}

TEST_F(WizardStartup, SignUpPageLoadsAndChecksItsValues) {
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat"), RegName(u"ShipName"), QString(), err);
    Env->ActiveBoatDef->SetHeights(9.0f, Env->ActiveBoatDef->GetHeightUnstepped(), 0.3f);
    TFrameStartupZoS page(*Env);
    EXPECT_DOUBLE_EQ(page.NumberEditOperationHeight->value(), 9.5) << "no stored margin: 0.5";
    EXPECT_TRUE(page.EditShipName->isEnabled());
    bool signUp = true;
    page.RadioNo->setChecked(true);
    EXPECT_TRUE(page.CheckSignUp(signUp));
    EXPECT_FALSE(signUp);
    page.RadioYes->setChecked(true);
    EXPECT_FALSE(page.CheckSignUp(signUp));
    EXPECT_EQ(Messages.value(0), QStringLiteral("Please enter the name of your ship"));
    page.EditShipName->setText(QStringLiteral("Zeemeeuw"));
    page.EditMMSINumber->setValue(244123456);
    EXPECT_TRUE(page.CheckSignUp(signUp));
    EXPECT_TRUE(signUp);
    EXPECT_EQ(Env->ActiveBoatDef->GetMMSI(), 244123456);
    page.LoadPage();
    EXPECT_FALSE(page.EditShipName->isEnabled()) << "a stored name is shown, disabled";
    EXPECT_FALSE(page.EditMMSINumber->isEnabled());
}

TEST_F(WizardStartup, TheSelectedOfferIsInstalledAndShownInTheChartManager) {
    LogIn();
    Click(Wizard->ButtonNext);
    ASSERT_EQ(Wizard->CurrentPage(), TFormWizardStartup::TPage::Selection);
    ASSERT_TRUE(Wizard->SelectFrame->HasRows());
    // Nothing selected: the page refuses.
    Click(Wizard->ButtonNext);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("No charts checked for installation.")));
    Messages.clear();
    QAbstractItemModel *model = Wizard->SelectFrame->Model();
    for (int r = 0; r < model->rowCount(); ++r)
        if (model->flags(model->index(r, 0)) & Qt::ItemIsUserCheckable)
            model->setData(model->index(r, 0), Qt::Checked, Qt::CheckStateRole);
    shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("wizard-startup-selection"));
    bool progressSeen = false;
    OnNotification = [&](const TNavNotification &n) {
        if (n.Code == NavNotify::DownloadProgress && n.P2 == MRCRequestKind::File && !progressSeen) {
            progressSeen = true;
            shelltest::SaveScreenshot(Wizard.get(), QStringLiteral("wizard-startup-progress"));
        }
    };
    Click(Wizard->ButtonNext);
    EXPECT_EQ(Wizard->CurrentPage(), TFormWizardStartup::TPage::Progress);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Wizard->CurrentPage() == TFormWizardStartup::TPage::Selection; }, 60000));
    EXPECT_EQ(Messages, QStringList({"The selected charts have been installed successfully!"}));
    EXPECT_TRUE(QFileInfo::exists(Folder + QStringLiteral("MRC2/DemoCharts/NZ/NZ61401.KAP")));
    EXPECT_TRUE(QFileInfo::exists(Folder + QStringLiteral("MRC2/DemoCharts/Vecht/VELM0001.KAP")));
    IChartSet *set = nullptr;
    IMRCAvailableChartSet *nz = Env->OnlineService->FindAvailableChartSet(5001, 2);
    ASSERT_NE(nz, nullptr);
    EXPECT_TRUE(FindInstalledChartSet(Env->ChartManager, nz, set));
    EXPECT_TRUE(nz->IsInstalled()) << "the page shows it installed";
    EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Close"));
}

// The service misbehaves once per row, while the user installs the route tools and the
// harbour guide. A bad name fails the route tools' record before anything is fetched; a bad
// transfer fails it at its only file (the first one fetched) and the harbour guide still
// arrives. Each row: one message counting the records, the route tools not done, nothing
// outside the installation folder, no file under its final name, and the wizard closes. A
// garbage answer to the login itself is told once, and the wizard closes as well.
TEST_F(WizardStartup, BadAnswersFromTheServiceFailTheirRecordAndTheWizardStillCloses) {
    // A service that stops sending is given up after a second instead of ten.
    kv::SetWebTransport(kv::MakeHttpTransport(FStub.BaseUrl(), 1000));
    const QString file = QStringLiteral("account/download");
    struct TRow {
        const char *Name;
        QJsonObject Reply;    // the next answer of its path
        const char *Caption;  // of the run's message; nullptr: no run, the login answer fails
    };
    const TRow rows[] = {
        {"name leaving the folder", RecordsWithFile("RouteTools", "../x"), "Failed"},
        {"absolute name", RecordsWithFile("RouteTools", "/etc/x"), "Failed"},
        {"backslash in a name", RecordsWithFile("RouteTools", "a\\b"), "Failed"},
        {"folder leaving the product", RecordsWithFile("..", "x"), "Failed"},
        {"file shorter than its record", {{"path", file}, {"text", "abc"}}, "Partial success"},
        {"file longer than its record", {{"path", file}, {"text", QString(9000, 'x')}}, "Partial success"},
        {"connection closed mid-file", {{"path", file}, {"text", "abc"}, {"declaredLength", 90000}}, "Partial success"},
        {"service stops answering", {{"path", file}, {"hang", true}}, "Partial success"},
        {"server error for one record", {{"path", file}, {"status", 500}, {"text", "broken"}}, "Partial success"},
        {"garbage login answer", {{"path", "account/login"}, {"text", "<html>not an answer"}}, nullptr},
    };
    const QString root = testsupport::MakeTempDir(QStringLiteral("wizardbadanswers"));
    for (const TRow &row : rows) {
        SCOPED_TRACE(row.Name);
        const QString rowFolder = root + u'/' + QString::fromLatin1(row.Name).replace(u' ', u'_');
        NewWizard(rowFolder + QStringLiteral("/I/"));
        ASSERT_TRUE(FStub.ScriptReply(row.Reply));
        onlinetest::TMessages messages;
        if (row.Caption) {
            LogIn();
            Click(Wizard->ButtonNext);
            ASSERT_EQ(Wizard->CurrentPage(), TFormWizardStartup::TPage::Selection);
            ASSERT_TRUE(QTest::qWaitFor([this] { return Wizard->SelectFrame->HasRows(); }, 30000));
            onlinetest::CheckRows(Wizard->SelectFrame->Model(), {"Route tools", "Harbour guide"});
            Click(Wizard->ButtonNext);
            ASSERT_EQ(Wizard->CurrentPage(), TFormWizardStartup::TPage::Progress);
            ASSERT_TRUE(QTest::qWaitFor(
                [this] { return Wizard->CurrentPage() == TFormWizardStartup::TPage::Selection && !Wizard->Busy(); },
                60000));
            ASSERT_EQ(messages.Captions.size(), 1) << messages.Texts.join('|').toStdString();
            EXPECT_EQ(messages.Captions[0], QString::fromLatin1(row.Caption)) << messages.Texts[0].toStdString();
            IMRCChartSetRecord *record = Env->OnlineService->FindChartSetRecord(7001, 1);
            ASSERT_NE(record, nullptr);
            EXPECT_FALSE(record->IsDone());
            EXPECT_FALSE(QFileInfo::exists(Folder + QStringLiteral("MRC2/Programs/RouteTools/readme.txt")));
        } else {
            const size_t sent = Notifications.size();
            Type(onlinetest::StubEmail, onlinetest::StubPassword);
            Click(Wizard->ButtonNext);
            ASSERT_TRUE(QTest::qWaitFor(
                [&] {
                    for (size_t i = sent; i < Notifications.size(); ++i)
                        if (Notifications[i].Code == NavNotify::AccountRequestDone &&
                            (Notifications[i].P2 == MRCRequestKind::Login || Notifications[i].P2 == MRCRequestKind::Charts))
                            return !Wizard->Busy();
                    return false;
                },
                30000));
            ASSERT_EQ(messages.Texts.size(), 1) << messages.Texts.join('|').toStdString();
            EXPECT_EQ(messages.Texts[0], ErrorToStrA(KvErr::NetworkAnswer));
        }
        for (const QString &f : Files(rowFolder)) {
            EXPECT_TRUE(f.startsWith(QStringLiteral("I/"))) << f.toStdString();
            EXPECT_FALSE(f.endsWith(QStringLiteral(".part"))) << f.toStdString();
            EXPECT_NE(QFileInfo(f).fileName(), QStringLiteral("x")) << f.toStdString();
        }
        EXPECT_EQ(Wizard->ButtonClose->text(), QStringLiteral("Close"));
        Click(Wizard->ButtonClose);
        EXPECT_FALSE(Wizard->isVisible());
        EXPECT_EQ(Wizard->result(), TFormWizardStartup::ResultClose);
    }
}
