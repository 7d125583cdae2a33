// The route settings in the running program: the panel gets the route that enters route
// editing, and the ship and planner commands open their dialogs and apply what OK returns.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/settings/KvRegBoat.h"
#include "routes/FraRouteSettings.h"
#include "routes/FrmSettingsPlanner.h"
#include "routes/FrmSettingsShip.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvPlanner.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace {

class MainWindowRouteSettings : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Options.DataFolder = shelltest::FreshDemoData(QStringLiteral("routesettings"));
        ASSERT_FALSE(Options.DataFolder.isEmpty());
        FOldPrompter = SetMsgBoxPrompter([](TMessageForm &) { return int(mrNo); });
        FOldFactories = TFormMarivo6Main::SetFrameFactories(ProgramFrameFactories());
        FOldSource = TFormMarivo6Main::SetPortSource([] { return QStringList(); });
        Main = std::make_unique<TFormMarivo6Main>(Options);
        Main->setGeometry(0, 0, 1280, 800);
        Main->show();
        Main->WMDeferredStart();
    }
    void TearDown() override {
        Main.reset();
        TFormSettingsShip::SetPrompter(nullptr);
        TFormSettingsPlanner::SetPrompter(nullptr);
        TFormMarivo6Main::SetFrameFactories(std::move(FOldFactories));
        TFormMarivo6Main::SetPortSource(std::move(FOldSource));
        SetMsgBoxPrompter(std::move(FOldPrompter));
    }
    TFrameRouteSettings *Panel() const {
        QDockWidget *dock = Main->Panel(QStringLiteral("DockablePanelRouteSettings"));
        return dock ? qobject_cast<TFrameRouteSettings *>(dock->widget()) : nullptr;
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("routesettings")};
    shelltest::TShellScope FShell;
    TStartOptions Options;
    std::unique_ptr<TFormMarivo6Main> Main;

private:
    TMsgBoxPrompter FOldPrompter;
    TMainFrameFactories FOldFactories;
    std::function<QStringList()> FOldSource;
};

TEST_F(MainWindowRouteSettings, ThePanelFollowsRouteEditing) {
    TFrameRouteSettings *panel = Panel();
    ASSERT_TRUE(panel) << "the frame fills its dock panel";
    EXPECT_EQ(panel->Route(), nullptr);
    TMarivoNavEnv &env = *Main->NavEnv();
    IWptRoute *route = env.UserDatabase->NewRoute(45000.0);
    panel->PageControl->setCurrentIndex(TFrameRouteSettings::PagePlanner);
    env.BeginRouteEdit(route, nullptr, nullptr, 0.0, false);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(panel->Route(), route);
    EXPECT_EQ(panel->PageControl->currentIndex(), int(TFrameRouteSettings::PageGeneral));
}

TEST_F(MainWindowRouteSettings, ShipAndPlannerCommandsApplyWhatOkReturns) {
    TMarivoNavEnv &env = *Main->NavEnv();
    int ship = 0, planner = 0;
    TFormSettingsShip::SetPrompter([&](TFormSettingsShip &f) {
        ++ship;
        EXPECT_EQ(f.PageControl->currentIndex(), int(TFormSettingsShip::PageGeneral));
        f.EditHeight->setText(QStringLiteral("3.4"));
        f.ButtonOk->click();
        return f.result();
    });
    QAction *shipAction = Main->Action("ActionFilePropertiesShip");
    ASSERT_TRUE(shipAction && shipAction->isEnabled());
    shipAction->trigger();
    EXPECT_EQ(ship, 1);
    EXPECT_FLOAT_EQ(env.GetBoatDef(0)->GetHeightStepped(), 3.4f);

    TFormSettingsPlanner::SetPrompter([&](TFormSettingsPlanner &f) {
        ++planner;
        f.TrackBarTimeLock->setValue(25);
        f.ButtonOk->click();
        return f.result();
    });
    QAction *plannerAction = Main->Action("ActionFilePropertiesPlanner");
    ASSERT_TRUE(plannerAction && plannerAction->isEnabled());
    plannerAction->trigger();
    EXPECT_EQ(planner, 1);
    EXPECT_EQ(env.Planner->GetLockWaitTime(), 1500);
}

}  // namespace
