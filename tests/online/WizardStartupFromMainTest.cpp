// The main window reaches the start-up wizard: at the deferred start of a new user (no
// login stored) when the online services are configured, and from Help's start-up wizard
// action; the automatic-update size is read again afterwards.
#include "online/FrmChartManager.h"
#include "online/FrmWizardStartup.h"

#include "tests/shell/ShellTestSupport.h"
#include "TestSupport.h"
#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvStrings.h"
#include "base/registry/KvRegistry.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QTest>

namespace {

class WizardStartupFromMain : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Options.DataFolder = shelltest::FreshDemoData(QStringLiteral("wizardmain"));
        ASSERT_FALSE(Options.DataFolder.isEmpty());
        FOldMsg = SetMsgBoxPrompter([](TMessageForm &) { return mrOk; });
        FOldChartManager = TFormChartManager::SetPrompter([](TFormChartManager &) { return int(QDialog::Rejected); });
        FOldWizard = TFormWizardStartup::SetPrompter([this](TFormWizardStartup &) {
            ++Runs;
            int32_t err = 0;
            // As the selection page does when its edit is left.
            RegWriteInteger(GetAppReg(), AppRegRoot::Product, QStringLiteral("Updates"),
                            RegName(u"ChartAutoUpdateThreshold"), 750, err);
            return int(QDialog::Rejected);
        });
    }
    void TearDown() override {
        Main.reset();
        TFormWizardStartup::SetPrompter(std::move(FOldWizard));
        TFormChartManager::SetPrompter(std::move(FOldChartManager));
        SetMsgBoxPrompter(std::move(FOldMsg));
    }
    void Start(bool servicesConfigured, bool loginStored) {
        int32_t err = 0;
        // An address where nothing answers: every request fails at once.
        RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Services"), RegName(u"BaseURL"),
                       servicesConfigured ? QStringLiteral("http://127.0.0.1:9") : QString(), err);
        Main = std::make_unique<TFormMarivo6Main>(Options);
        if (loginStored)
            MRCChartCheckSetLoginEmail(Main->NavEnv()->OnlineService, QStringLiteral("a@b.nl"), true, err);
        Main->show();
        Main->WMDeferredStart();
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("wizardmain")};
    shelltest::TShellScope FShell;
    TStartOptions Options;
    std::unique_ptr<TFormMarivo6Main> Main;
    int Runs = 0;

private:
    TMsgBoxPrompter FOldMsg;
    TFormChartManager::TPrompter FOldChartManager;
    TFormWizardStartup::TPrompter FOldWizard;
};

}  // namespace

TEST_F(WizardStartupFromMain, DeferredStartRunsItForANewUserOfTheOnlineServices) {
    struct Case {
        const char *name;
        bool services, login;
        int runs;
    };
    for (const Case &c : {Case{"new user", true, false, 1}, Case{"login stored", true, true, 0},
                          Case{"no services configured", false, false, 0}}) {
        SCOPED_TRACE(c.name);
        Runs = 0;
        Start(c.services, c.login);
        EXPECT_EQ(Runs, c.runs);
        if (c.runs) {
            EXPECT_EQ(Main->NavEnv()->ChartAutoUpdateThreshold, 750) << "read again after the wizard";
        }
        Main.reset();
        int32_t err = 0;
        GetAppReg()->DeleteKey(AppRegRoot::Product, StrW(QStringLiteral("Online\\Account")), err);
    }
}

TEST_F(WizardStartupFromMain, HelpsStartUpWizardActionRunsIt) {
    Start(false, false);
    QAction *action = Main->findChild<QAction *>(QStringLiteral("ActionHelpStartUp"));
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->isEnabled());
    action->trigger();
    EXPECT_EQ(Runs, 1);
}
