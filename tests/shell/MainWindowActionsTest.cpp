// The main window's commands on the real environment, viewer and frames with the demo data:
// the menu bar and the availability rule, the action states applied only where they
// differ, and the handlers of the file, chart, help, view, GPS and S-57 commands.
#include "NavEnvPorts.h"
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "chartview/NavViewerControl.h"
#include "chartview/FrmZichtOpScheepvaart.h"
#include "exchange/FrmSettingsGPS.h"
#include "exchange/FrmGPSDownload.h"
#include "online/FrmChartManager.h"
#include "online/FrmCheckUpdates.h"
#include "online/FrmExtensionManager.h"
#include "online/FrmNewsCenter.h"
#include "online/FrmWizardStartup.h"
#include "routes/FrmRouteManager.h"
#include "routes/FrmTrackManager.h"
#include "routes/FrmWaypointEdit.h"
#include "routes/FrmSettingsPlanner.h"
#include "routes/FrmSettingsShip.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmSettingsLocale.h"
#include "shell/FrmSettingsSailingArea.h"
#include "shell/FrmSettingsViewS57.h"
#include "shell/FrmAbout.h"
#include "shell/FrmHelpKeyboard.h"
#include "shell/FrmPrint.h"
#include "shell/FrmToolbarEdit.h"
#include "shell/FrmSettingsView.h"
#include "shell/FrmSettingsViewChartViewer.h"
#include "shell/FrmTrackSettings.h"
#include "routes/FrmRoutePointSelect.h"
#include "routes/FrmRouteSettingsDefault.h"
#include "routes/FrmWaypointTypeEdit.h"
#include "exchange/FrmImport.h"
#include "shell/MarivoActionTable.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr int32_t Root = AppRegRoot::Product;

class MainWindowActions : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Options.DataFolder = shelltest::FreshDemoData(QStringLiteral("actions"));
        ASSERT_FALSE(Options.DataFolder.isEmpty());
        FOldPrompter = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return Answer;
        });
        FOldFactories = TFormMarivo6Main::SetFrameFactories(ProgramFrameFactories());
        // The settings dialogs of the program are cancelled where a command opens them.
        FOldLocale = TFormSettingsLocale::SetPrompter(Cancel<TFormSettingsLocale>);
        FOldSailingArea = TFormSettingsSailingArea::SetPrompter(Cancel<TFormSettingsSailingArea>);
        FOldS57 = TFormSettingsViewS57::SetPrompter(Cancel<TFormSettingsViewS57>);
        FOldView = TFormSettingsView::SetPrompter(Cancel<TFormSettingsView>);
        FOldViewChartViewer = TFormSettingsViewChartViewer::SetPrompter(Cancel<TFormSettingsViewChartViewer>);
        FOldGPS = TFormSettingsGPS::SetPrompter(Cancel<TFormSettingsGPS>);
        FOldChartManager = TFormChartManager::SetPrompter(Cancel<TFormChartManager>);
        FOldRouteManager = TFormRouteManager::SetPrompter(Cancel<TFormRouteManager>);
        FOldWaypointEdit = TFormWaypointEdit::SetPrompter(Cancel<TFormWaypointEdit>);
        FOldTrackManager = TFormTrackManager::SetPrompter(Cancel<TFormTrackManager>);
        FOldPlanner = TFormSettingsPlanner::SetPrompter(Cancel<TFormSettingsPlanner>);
        FOldShip = TFormSettingsShip::SetPrompter(Cancel<TFormSettingsShip>);
        FOldToolbarEdit = TFormToolbarEdit::SetPrompter(Cancel<TFormToolbarEdit>);
        FOldHelpKeyboard = TFormHelpKeyboard::SetPrompter([](TFormHelpKeyboard &) {});
        FOldPrint = TFormPrint::SetPrompter(Cancel<TFormPrint>);
        FOldAbout = TFormAbout::SetPrompter([](TFormAbout &) {});
        FOldTrackSettings = TFormTrackSettings::SetPrompter(Cancel<TFormTrackSettings>);
        FOldPointSelect = TFormRoutePointSelect::SetPrompter(Cancel<TFormRoutePointSelect>);
        FOldTypeEdit = TFormWaypointTypeEdit::SetPrompter(Cancel<TFormWaypointTypeEdit>);
        FOldImport = TFormImport::SetPrompter(Cancel<TFormImport>);
        FOldSignUp = TFormZichtOpScheepvaart::SetPrompter(Cancel<TFormZichtOpScheepvaart>);
        FOldRouteDefaults = TFormRouteSettingsDefault::SetPrompter(Cancel<TFormRouteSettingsDefault>);
        FOldCheckUpdates = TFormCheckUpdates::SetPrompter(Cancel<TFormCheckUpdates>);
        FOldNewsCenter = TFormNewsCenter::SetPrompter(Cancel<TFormNewsCenter>);
        FOldGPSDownload = TFormGPSDownload::SetPrompter(Cancel<TFormGPSDownload>);
        FOldSource = TFormMarivo6Main::SetPortSource([] { return QStringList(); });
        FOldStartupWizard = TFormWizardStartup::SetPrompter(Cancel<TFormWizardStartup>);
        FOldExtensions = TFormExtensionManager::SetPrompter(Cancel<TFormExtensionManager>);
    }
    void TearDown() override {
        Main.reset();
        TFormMarivo6Main::SetFrameFactories(std::move(FOldFactories));
        TFormMarivo6Main::SetPortSource(std::move(FOldSource));
        TFormWizardStartup::SetPrompter(std::move(FOldStartupWizard));
        TFormExtensionManager::SetPrompter(std::move(FOldExtensions));
        TFormSettingsLocale::SetPrompter(std::move(FOldLocale));
        TFormSettingsSailingArea::SetPrompter(std::move(FOldSailingArea));
        TFormSettingsViewS57::SetPrompter(std::move(FOldS57));
        TFormSettingsView::SetPrompter(std::move(FOldView));
        TFormSettingsViewChartViewer::SetPrompter(std::move(FOldViewChartViewer));
        TFormSettingsGPS::SetPrompter(std::move(FOldGPS));
        TFormChartManager::SetPrompter(std::move(FOldChartManager));
        TFormRouteManager::SetPrompter(std::move(FOldRouteManager));
        TFormWaypointEdit::SetPrompter(std::move(FOldWaypointEdit));
        TFormTrackManager::SetPrompter(std::move(FOldTrackManager));
        TFormSettingsPlanner::SetPrompter(std::move(FOldPlanner));
        TFormSettingsShip::SetPrompter(std::move(FOldShip));
        TFormToolbarEdit::SetPrompter(std::move(FOldToolbarEdit));
        TFormHelpKeyboard::SetPrompter(std::move(FOldHelpKeyboard));
        TFormPrint::SetPrompter(std::move(FOldPrint));
        TFormAbout::SetPrompter(std::move(FOldAbout));
        TFormTrackSettings::SetPrompter(std::move(FOldTrackSettings));
        TFormRoutePointSelect::SetPrompter(std::move(FOldPointSelect));
        TFormWaypointTypeEdit::SetPrompter(std::move(FOldTypeEdit));
        TFormImport::SetPrompter(std::move(FOldImport));
        TFormZichtOpScheepvaart::SetPrompter(std::move(FOldSignUp));
        TFormRouteSettingsDefault::SetPrompter(std::move(FOldRouteDefaults));
        TFormCheckUpdates::SetPrompter(std::move(FOldCheckUpdates));
        TFormNewsCenter::SetPrompter(std::move(FOldNewsCenter));
        TFormGPSDownload::SetPrompter(std::move(FOldGPSDownload));
        SetMsgBoxPrompter(std::move(FOldPrompter));
        SetCurrentLanguage(KvLang::English);
        SetApplicationTerminated(false);
    }
    TFormMarivo6Main &MakeRunning() {
        Main = std::make_unique<TFormMarivo6Main>(Options);
        Main->setGeometry(0, 0, 1280, 800);
        Main->show();
        Main->WMDeferredStart();
        return *Main;
    }
    QAction *A(const char *name) {
        QAction *a = Main->Action(name);
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    TNavViewerControl *Viewer() { return Main->ViewerMain()->ViewerControl(); }
    // Waits until the main viewer shows a chart (the print and simulator need one).
    bool WaitForChart() {
        return QTest::qWaitFor([&] { return Viewer()->GetCalibration() != nullptr; }, 15000);
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("actions")};
    shelltest::TShellScope FShell;
    TStartOptions Options;
    std::unique_ptr<TFormMarivo6Main> Main;
    QStringList Messages;
    int Answer = mrNo;

private:
    template <class TForm>
    static int Cancel(TForm &) {
        return int(QDialog::Rejected);
    }
    std::function<int(TMessageForm &)> FOldPrompter;
    TFormSettingsLocale::TPrompter FOldLocale;
    TFormCheckUpdates::TPrompter FOldCheckUpdates;
    TFormNewsCenter::TPrompter FOldNewsCenter;
    TFormSettingsSailingArea::TPrompter FOldSailingArea;
    TFormSettingsView::TPrompter FOldView;
    TFormSettingsViewChartViewer::TPrompter FOldViewChartViewer;
    TFormSettingsViewS57::TPrompter FOldS57;
    TFormSettingsGPS::TPrompter FOldGPS;
    TFormChartManager::TPrompter FOldChartManager;
    TFormRouteManager::TPrompter FOldRouteManager;
    TFormWaypointEdit::TPrompter FOldWaypointEdit;
    TFormTrackManager::TPrompter FOldTrackManager;
    TFormSettingsPlanner::TPrompter FOldPlanner;
    TFormSettingsShip::TPrompter FOldShip;
    TFormToolbarEdit::TPrompter FOldToolbarEdit;
    TFormHelpKeyboard::TPrompter FOldHelpKeyboard;
    TFormPrint::TPrompter FOldPrint;
    TFormAbout::TPrompter FOldAbout;
    TFormTrackSettings::TPrompter FOldTrackSettings;
    TFormRoutePointSelect::TPrompter FOldPointSelect;
    TFormWizardStartup::TPrompter FOldStartupWizard;
    TFormExtensionManager::TPrompter FOldExtensions;
    TFormWaypointTypeEdit::TPrompter FOldTypeEdit;
    TFormImport::TPrompter FOldImport;
    TFormZichtOpScheepvaart::TPrompter FOldSignUp;
    TFormRouteSettingsDefault::TPrompter FOldRouteDefaults;
    TFormGPSDownload::TPrompter FOldGPSDownload;
    TMainFrameFactories FOldFactories;
    std::function<QStringList()> FOldSource;
};

}  // namespace

TEST_F(MainWindowActions, MenusFollowTheMenuTableAndEveryRowHasItsAction) {
    TFormMarivo6Main &main = MakeRunning();
    QStringList titles;
    for (QAction *a : main.menuBar()->actions())
        if (a->isVisible()) titles << a->text().remove(QLatin1Char('&'));
    EXPECT_EQ(titles, QStringList({"File", "Charts", "GPS", "Navigation", "Waypoints", "Routes",
                                   "Tracks", "View", "Help"}));
    for (const TActionRow &row : ActionTable()) EXPECT_NE(main.Action(row.Name), nullptr) << row.Name;
    EXPECT_EQ(A("ActionFilePrint")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_EQ(A("ActionFileImport")->text(), QStringLiteral("Import..."));
    // The notice marks lose their shortcut to the action states.
    EXPECT_TRUE(A("ActionS57NoticeMarks")->shortcut().isEmpty());
    // The chart frames are in their panels, so their commands run.
    for (const char *n : {"ActionChartInformation", "ActionChartLegend", "ActionChartStatus"})
        EXPECT_TRUE(A(n)->isEnabled()) << n;
}

TEST_F(MainWindowActions, ActionsOfAbsentImplementationsStayDisabledUntilTheyRegister) {
    TFormMarivo6Main &main = MakeRunning();
    // The import wizard has its slot filled.
    EXPECT_TRUE(A("ActionFileImport")->isEnabled());
    TMainDialogs dialogs = main.Dialogs();
    dialogs.About = nullptr;
    dialogs.RouteManager = nullptr;
    main.SetMainDialogs(dialogs);
    for (const char *n : {"ActionHelpAbout", "ActionRouteManager"}) EXPECT_FALSE(A(n)->isEnabled()) << n;
    int shown = 0;
    dialogs.About = [&](QWidget *, const QString &) { ++shown; };
    main.SetMainDialogs(dialogs);
    ASSERT_TRUE(A("ActionHelpAbout")->isEnabled());
    A("ActionHelpAbout")->trigger();
    EXPECT_EQ(shown, 1);
    int managed = 0;
    dialogs.RouteManager = [&](QWidget *, TMarivoNavEnv &, IWptRoute *&route) {
        ++managed;
        route = nullptr;
        return 0;
    };
    main.SetMainDialogs(dialogs);
    EXPECT_TRUE(A("ActionRouteManager")->isEnabled());
    A("ActionRouteManager")->trigger();
    EXPECT_EQ(managed, 1);
    int edits = 0;
    main.RegisterActionHandler("ActionRouteNew", [&](QAction *) { ++edits; });
    EXPECT_TRUE(A("ActionRouteNew")->isEnabled()) << "the demo chart is shown";
    A("ActionRouteNew")->trigger();
    EXPECT_EQ(edits, 1);
}

TEST_F(MainWindowActions, ASecondUpdateWithNothingChangedTouchesNoActionOrPanel) {
    TFormMarivo6Main &main = MakeRunning();
    main.UpdateActionStates();
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const TActionRow &row : ActionTable())
        spies.push_back(std::make_unique<QSignalSpy>(main.Action(row.Name), &QAction::changed));
    std::vector<std::unique_ptr<QSignalSpy>> panels;
    for (QDockWidget *panel : main.Panels())
        panels.push_back(std::make_unique<QSignalSpy>(panel, &QDockWidget::visibilityChanged));
    main.UpdateActionStates();
    for (size_t i = 0; i < spies.size(); ++i)
        EXPECT_EQ(spies[i]->count(), 0) << ActionTable()[i].Name;
    for (const auto &spy : panels) EXPECT_EQ(spy->count(), 0);
}

TEST_F(MainWindowActions, PanelCommandsShowAndHideTheChartFrames) {
    TFormMarivo6Main &main = MakeRunning();
    struct Case { const char *action, *panel; };
    const Case cases[] = {{"ActionChartInformation", "DockablePanelChartInfo"},
                          {"ActionChartLegend", "DockablePanelChartLegend"},
                          {"ActionChartStatus", "DockablePanelChartStatus"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.action);
        QDockWidget *panel = main.Panel(QString::fromLatin1(c.panel));
        const bool before = panel->isVisible();
        A(c.action)->trigger();
        EXPECT_EQ(panel->isVisible(), !before);
        EXPECT_EQ(A(c.action)->isChecked(), !before);
        A(c.action)->trigger();
        EXPECT_EQ(panel->isVisible(), before);
    }
}

TEST_F(MainWindowActions, TideCommandTurnsOnTheLayersOrTogglesTheTides) {
    MakeRunning();
    struct Case { uint32_t before, after; };
    const Case cases[] = {{0x1, 0x1 | 0x2 | 0x8}, {0x0, 0x1}, {0xB, 0xA}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before);
        Viewer()->SetTideFlags(c.before);
        A("ActionViewMainTide")->trigger();
        EXPECT_EQ(Viewer()->GetTideFlags(), c.after);
    }
}

TEST_F(MainWindowActions, LandFeaturesToggleEachViewerIndexOnItsOwn) {
    TFormMarivo6Main &main = MakeRunning();
    IS52PresentationLib *lib = main.NavEnv()->S52Library;
    lib->SetDisplayFlags(lib->GetDisplayFlags(0) | 0x800, 0);
    lib->SetDisplayFlags(lib->GetDisplayFlags(1) & ~0x800u, 1);
    lib->SetDisplayFlags(lib->GetDisplayFlags(2) | 0x800, 2);
    A("ActionS57LandFeatures")->trigger();
    EXPECT_FALSE(lib->GetDisplayFlags(0) & 0x800);
    EXPECT_TRUE(lib->GetDisplayFlags(1) & 0x800) << "viewers that differed still differ";
    EXPECT_FALSE(lib->GetDisplayFlags(2) & 0x800);
    EXPECT_FALSE(A("ActionS57LandFeatures")->isChecked());
    const uint32_t marks = lib->GetDisplayFlags(0) & 0x400;
    A("ActionS57NoticeMarks")->trigger();
    EXPECT_NE(lib->GetDisplayFlags(0) & 0x400, marks);
}

TEST_F(MainWindowActions, ColourSchemeChecksExactlyOneAndSurvivesARestart) {
    MakeRunning();
    A("ActionS57ColorSchemeDusk")->trigger();
    auto checked = [&] {
        QStringList on;
        for (const char *n : {"ActionS57ColorSchemeDay", "ActionS57ColorSchemeDusk", "ActionS57ColorSchemeNight"})
            if (A(n)->isChecked()) on << QString::fromLatin1(n);
        return on;
    };
    EXPECT_EQ(checked(), QStringList({"ActionS57ColorSchemeDusk"}));
    Answer = mrYes;
    Main->close();
    Main.reset();
    MakeRunning();
    EXPECT_EQ(checked(), QStringList({"ActionS57ColorSchemeDusk"}));
}

TEST_F(MainWindowActions, LockedToolbarsSurviveARestart) {
    TFormMarivo6Main &main = MakeRunning();
    ASSERT_FALSE(main.ToolbarsLocked());
    A("ActionViewToolbarLock")->trigger();
    EXPECT_TRUE(main.ToolbarsLocked());
    EXPECT_TRUE(RegReadBoolDef(GetAppReg(), Root, QStringLiteral("Toolbars"), RegName(u"Locked"), false));
    Answer = mrYes;
    Main->close();
    Main.reset();
    MakeRunning();
    EXPECT_TRUE(Main->ToolbarsLocked());
    EXPECT_TRUE(A("ActionViewToolbarLock")->isChecked());
}

TEST_F(MainWindowActions, KeyboardOverviewOpensThePageOfTheLanguage) {
    TFormMarivo6Main &main = MakeRunning();
    QStringList opened;
    TMainDialogs dialogs = main.Dialogs();
    dialogs.HelpKeyboard = [&](QWidget *, const QString &file) { opened << file.section(u'/', -1); };
    main.SetMainDialogs(dialogs);
    struct Case { int32_t language; const char *file; };
    const Case cases[] = {{KvLang::Dutch, "Marivo Brevo Shortcuts NL.html"},
                          {KvLang::German, "Marivo Brevo Shortcuts DE.html"},
                          {KvLang::English, "Marivo Brevo Shortcuts EN.html"},
                          {KvLang::Italian, "Marivo Brevo Shortcuts EN.html"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        SetCurrentLanguage(c.language);
        opened.clear();
        A("ActionHelpKeyboard")->trigger();
        EXPECT_EQ(opened, QStringList({QString::fromLatin1(c.file)}));
    }
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(MainWindowActions, AMissingKeyboardPageIsNamedInAMessage) {
    const shelltest::TShellScope scope(
        shelltest::ProgramFolderWithout({QStringLiteral("Manual/Marivo Brevo Shortcuts NL.html")}));
    TFormMarivo6Main &main = MakeRunning();
    int opened = 0;
    TMainDialogs dialogs = main.Dialogs();
    dialogs.HelpKeyboard = [&](QWidget *, const QString &) { ++opened; };
    main.SetMainDialogs(dialogs);
    SetCurrentLanguage(KvLang::Dutch);
    A("ActionHelpKeyboard")->trigger();
    EXPECT_EQ(opened, 0);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Niet gevonden: ")));
    EXPECT_TRUE(Messages[0].endsWith(QStringLiteral("Marivo Brevo Shortcuts NL.html")));
    SetCurrentLanguage(KvLang::English);
    Messages.clear();
    A("ActionHelpKeyboard")->trigger();
    EXPECT_EQ(opened, 1) << "the English page is still there";
}

TEST_F(MainWindowActions, ResetWindowsKeepsEverySettingThatIsNoLayout) {
    TFormMarivo6Main &main = MakeRunning();
    int32_t err = 0;
    IAppReg *reg = GetAppReg();
    RegWriteInteger(reg, Root, QStringLiteral("Desktop\\SailingArea"), RegName(u"Areas"), 5, err);
    RegWriteBool(reg, Root, QStringLiteral("Desktop\\DeviceManager"), RegName(u"AutoDetect"), true, err);
    RegWriteInteger(reg, Root, QStringLiteral("Desktop\\DockablePanelChartInfo"), RegName(u"DockWidth"), 321, err);
    Answer = mrNo;
    A("ActionViewResetPanels")->trigger();
    ASSERT_EQ(Messages.size(), 1) << "asked first";
    EXPECT_EQ(RegReadIntegerDef(reg, Root, QStringLiteral("Desktop\\DockablePanelChartInfo"),
                                RegName(u"DockWidth"), 0),
              321)
        << "No changes nothing";
    Answer = mrYes;
    A("ActionViewResetPanels")->trigger();
    EXPECT_EQ(RegReadIntegerDef(reg, Root, QStringLiteral("Desktop\\SailingArea"), RegName(u"Areas"), 0), 5);
    EXPECT_TRUE(RegReadBoolDef(reg, Root, QStringLiteral("Desktop\\DeviceManager"), RegName(u"AutoDetect"), false));
    EXPECT_TRUE(main.LayoutReady());
}

TEST_F(MainWindowActions, ChartUpdateRefusedChangesNothingAndAcceptedRestartsNavigation) {
    TFormMarivo6Main &main = MakeRunning();
    ASSERT_TRUE(WaitForChart());
    QStringList runs;
    const TCompanionRunner old = SetCompanionRunner(
        [&](const QString &, const QString &commandLine, intptr_t, int32_t &exitValue, int32_t &err) {
            runs << commandLine;
            exitValue = 0;
            err = 0;
        });
    TMarivoNavEnv &env = *main.NavEnv();
    ASSERT_TRUE(env.StartNavigation(true));
    main.UpdateActionStates();
    Answer = mrNo;
    A("ActionChartUpdate")->trigger();
    EXPECT_TRUE(runs.isEmpty());
    EXPECT_NE(env.Boat->GetNavigationState(), 0);
    EXPECT_TRUE(env.Boat->IsSimulating());
    Answer = mrYes;
    A("ActionChartUpdate")->trigger();
    ASSERT_EQ(runs.size(), 1);
    EXPECT_TRUE(runs[0].startsWith(QStringLiteral("-internet")));
    EXPECT_NE(env.Boat->GetNavigationState(), 0) << "navigation restarted";
    EXPECT_TRUE(env.Boat->IsSimulating()) << "on the saved source";
    SetCompanionRunner(old);
    env.StopNavigation(QString(), true);
}

TEST_F(MainWindowActions, F3WhileSimulatingIsDisabledAndStartsTheGPSOnceStopped) {
    // A line of the test's own: the machine's serial ports may be held by another program.
    const QString dir = testsupport::MakeTempDir(QStringLiteral("f3-gps"));
    shelltest::TPty line(dir + QStringLiteral("/ttyF3"));
    ASSERT_TRUE(line.Opened());
    shelltest::TPortList ports({line.Link()});
    TFormMarivo6Main &main = MakeRunning();
    ASSERT_TRUE(WaitForChart());
    TMarivoNavEnv &env = *main.NavEnv();
    ASSERT_TRUE(env.StartNavigation(true));
    main.UpdateActionStates();
    EXPECT_FALSE(A("ActionInstrumentsCommunication")->isEnabled()) << "the simulator runs";
    env.StopNavigation(QString(), true);
    main.UpdateActionStates();
    ASSERT_TRUE(A("ActionInstrumentsCommunication")->isEnabled());
    A("ActionInstrumentsCommunication")->trigger();
    ASSERT_NE(env.Boat->GetNavigationState(), 0);
    EXPECT_FALSE(env.Boat->IsSimulating()) << "the GPS, not the simulator";
    EXPECT_TRUE(A("ActionInstrumentsCommunication")->isChecked());
    Answer = mrNo;
    A("ActionInstrumentsCommunication")->trigger();
    EXPECT_NE(env.Boat->GetNavigationState(), 0) << "No keeps the communication";
    Answer = mrYes;
    A("ActionInstrumentsCommunication")->trigger();
    EXPECT_EQ(env.Boat->GetNavigationState(), 0);
    EXPECT_FALSE(A("ActionInstrumentsCommunication")->isChecked());
}

TEST_F(MainWindowActions, PrintRunsOnlyWithAChartAndKeepsTheChosenSettings) {
    TFormMarivo6Main &main = MakeRunning();
    int jobs = 0;
    TMainDialogs dialogs = main.Dialogs();
    bool answer = false;
    dialogs.Print = [&](QWidget *, TPrintSettings &s) {
        s.Orientation = 1;
        return answer;
    };
    dialogs.PrintJob = [&](QWidget *, TNavViewerControl *, const TPrintSettings &s) {
        ++jobs;
        EXPECT_EQ(s.Orientation, 1);
        return 2;
    };
    main.SetMainDialogs(dialogs);
    ASSERT_TRUE(WaitForChart());
    main.UpdateActionStates();
    ASSERT_TRUE(A("ActionFilePrint")->isEnabled());
    A("ActionFilePrint")->trigger();
    EXPECT_EQ(jobs, 0);
    EXPECT_EQ(main.PrintSettings().Orientation, 0) << "a cancelled dialog keeps the settings";
    answer = true;
    A("ActionFilePrint")->trigger();
    EXPECT_EQ(jobs, 1);
    EXPECT_EQ(main.PrintSettings().Orientation, 1);
    EXPECT_EQ(Messages, QStringList({QStringLiteral("The print job was canceled.")}));
}

TEST_F(MainWindowActions, GPSSettingsReleaseTheDialogAlsoWhenItFails) {
    TFormMarivo6Main &main = MakeRunning();
    TMainDialogs dialogs = main.Dialogs();
    bool wasOpen = false;
    dialogs.SettingsGPS = [&](const TGPSSettingsCall &call) -> bool {
        wasOpen = main.GPSSettingsOpen();
        EXPECT_FALSE(main.NavEnv()->Boat->GetDialogFlag()) << "cleared while the dialog runs";
        EXPECT_EQ(call.Communication, main.Action("ActionInstrumentsCommunication"));
        call.SetPortListRefresh([] {});
        if (wasOpen) throw Exception(QStringLiteral("dialog failed"));
        return true;
    };
    main.SetMainDialogs(dialogs);
    const bool flag = main.NavEnv()->Boat->GetDialogFlag();
    EXPECT_THROW(main.ShowGPSSettings(false), Exception);
    EXPECT_TRUE(wasOpen);
    EXPECT_FALSE(main.GPSSettingsOpen());
    EXPECT_EQ(main.NavEnv()->Boat->GetDialogFlag(), flag);
}

TEST_F(MainWindowActions, SailingAreaWithoutTheServiceKeepsTheStoredAreas) {
    TFormMarivo6Main &main = MakeRunning();
    TMainDialogs dialogs = main.Dialogs();
    int opened = 0;
    dialogs.SettingsSailingArea = [&](QWidget *, TMarivoNavEnv &, uint16_t &) { return bool(++opened); };
    main.SetMainDialogs(dialogs);
    main.NavEnv()->SetSailingAreas(0x5);
    int32_t err = 0;
    RegWriteBool(GetAppReg(), Root, QStringLiteral("Extension"), RegName(u"KVIENC_SERVICE_GEN"), false, err);
    A("ActionFilePropertiesSailingArea")->trigger();
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(main.NavEnv()->SailingAreas, 0x5);
    EXPECT_EQ(Messages, QStringList({QStringLiteral("The Inland ENC service is not available.")}));
    RegWriteBool(GetAppReg(), Root, QStringLiteral("Extension"), RegName(u"KVIENC_SERVICE_GEN"), true, err);
    A("ActionFilePropertiesSailingArea")->trigger();
    EXPECT_EQ(opened, 1) << "with the service the dialog edits the areas";
}

TEST_F(MainWindowActions, EveryVisibleEnabledCommandRunsWithTheQuestionsAnsweredNo) {
    // The communication command opens the GPS port: a line of the test's own, as the machine's
    // serial ports may be held by another program or test at that moment.
    const QString dir = testsupport::MakeTempDir(QStringLiteral("sweep-gps"));
    shelltest::TPty line(dir + QStringLiteral("/ttySweep"));
    ASSERT_TRUE(line.Opened());
    shelltest::TPortList ports({line.Link()});
    TFormMarivo6Main &main = MakeRunning();
    ASSERT_TRUE(WaitForChart());
    const TCompanionRunner old = SetCompanionRunner(
        [](const QString &, const QString &, intptr_t, int32_t &exitValue, int32_t &err) {
            exitValue = 0;
            err = 0;
        });
    Answer = mrNo;
    QStringList ran;
    for (QAction *menu : main.menuBar()->actions()) {
        if (!menu->isVisible() || !menu->menu()) continue;
        QList<QAction *> entries = menu->menu()->actions();
        for (int i = 0; i < entries.size(); ++i) {
            QAction *a = entries[i];
            if (a->menu()) entries << a->menu()->actions();
            if (a->menu() || a->isSeparator() || !a->isVisible() || !a->isEnabled()) continue;
            // Leaving the program and opening web pages are tested elsewhere.
            const QString name = a->objectName();
            if (name == QLatin1String("ActionFileExit") || name.contains(QLatin1String("Link")) ||
                name == QLatin1String("ActionChartBuyCharts") || name == QLatin1String("ActionHelpTeamViewer"))
                continue;
            SCOPED_TRACE(name.toStdString());
            const bool checked = a->isChecked();
            a->trigger();
            ran << name;
            // Tides without a layer stay unchecked: the first press only turns the tides on.
            if (a->isCheckable() && name != QLatin1String("ActionViewMainTide")) {
                EXPECT_NE(a->isChecked(), checked) << "a toggle shows its new state";
            }
        }
    }
    SetCompanionRunner(old);
    EXPECT_TRUE(ran.contains(QStringLiteral("ActionViewFullscreen")));
    EXPECT_GE(ran.size(), 15);
}

TEST_F(MainWindowActions, SignUpCommandsReachTheBridgeAndLockSignUp) {
    TFormMarivo6Main &main = MakeRunning();
    for (const char *n : {"ActionNavigationZoS", "ActionNavigationToolbarZoS", "ActionNavigationZoSShow"})
        EXPECT_TRUE(A(n)->isEnabled()) << n;
    int asked = 0;
    TFormZichtOpScheepvaart::SetPrompter([&](TFormZichtOpScheepvaart &) {
        ++asked;
        return int(QDialog::Rejected);
    });
    A("ActionNavigationToolbarZoS")->trigger();
    EXPECT_EQ(asked, 1) << "not signed up: the sign-up dialog opens";
    EXPECT_FALSE(main.NavEnv()->StructOperationManager && main.NavEnv()->StructOperationManager->IsActive())
        << "Cancel signs nobody up";
    EXPECT_FALSE(A("ActionNavigationToolbarZoS")->isChecked());
    const QString panel = QStringLiteral("DockablePanelZoS");
    const bool shown = main.PanelShown(panel);
    A("ActionNavigationZoSShow")->trigger();
    EXPECT_NE(main.PanelShown(panel), shown);
    A("ActionNavigationZoSShow")->trigger();
    EXPECT_EQ(main.PanelShown(panel), shown);
}

TEST_F(MainWindowActions, GPSDownloadCommandOpensTheWizardAlsoWithoutAMenuItem) {
    TFormMarivo6Main &main = MakeRunning();
    QAction *download = A("ActionInstrumentsGPSDownload");
    ASSERT_NE(download, nullptr);
    for (QMenu *menu : main.menuBar()->findChildren<QMenu *>())
        EXPECT_FALSE(menu->actions().contains(download)) << "no menu offers it in this edition";
    ASSERT_TRUE(download->isEnabled());
    Answer = mrYes;  // a running GPS is stopped for the download
    int opened = 0, result = -1;
    QWidget *owner = nullptr;
    QString title;
    TFormGPSDownload::SetPrompter([&](TFormGPSDownload &form) {
        ++opened;
        owner = form.parentWidget();
        title = form.windowTitle();
        // Closed before its first page reaches for a receiver: no port of the machine is opened.
        form.show();
        form.ButtonClose->click();
        result = form.result();
        return result;
    });
    download->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(owner, &main);
    EXPECT_EQ(title, QStringLiteral("Download"));
    EXPECT_EQ(result, int(QDialog::Rejected)) << "Close ends the wizard";
}
