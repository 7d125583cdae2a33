// The start-up wizard on the demo environment against the services stand-in, driven as a
// new user would: a wrong password, the right one, the account's saved ships, the selection
// of the offer and its installation; the page order and the sign-up page that is never shown.
#include "online/FraPageProgress.h"
#include "online/FraPageSelectCharts.h"
#include "online/FraStartupShipProperties.h"
#include "online/FraStartupUser.h"
#include "online/FraStartupZoS.h"
#include "online/FrmWizardStartup.h"

#include "OnlineTestSupport.h"
#include "base/charts/KvOnlineServices.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvCharts.h>

#include <QApplication>
#include <QComboBox>
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
        Folder = testsupport::MakeTempDir(QStringLiteral("wizardstartup")) + QStringLiteral("/Charts/");
        ASSERT_EQ(SetDefaultChartFolder(Folder), 0);
        Wizard = std::make_unique<TFormWizardStartup>(*Env);
        Wizard->resize(760, 560);
        Wizard->show();
        QApplication::setActiveWindow(Wizard.get());
    }
    void TearDown() override {
        Wizard.reset();
        OnlineEnvFixture::TearDown();
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

    QString Folder;
    std::unique_ptr<TFormWizardStartup> Wizard;
};

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
