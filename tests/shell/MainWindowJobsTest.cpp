// The main window's news-centre handlers and its jobs under the waiting form, on the real
// environment and viewer with the demo data: the route-network offer, the update program
// and the chart manager (run by a recording stand-in), the chart manager's downloaded
// set-up (a real program) and printing the main view into a PDF file.
#include "MainWindowFakes.h"
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"
#include "chartview/NavViewerControl.h"
#include "online/FrmChartManager.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmMsgWaiting.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoPrinter.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

using namespace mainfakes;

constexpr int32_t Root = AppRegRoot::Product;

// The news centre as far as the main window's handlers use it.
class TFakeNewsCenter : public TFake<IFormNewsCenter> {
public:
    TFakeNewsCenter(TLog &log, const QString &name, QWidget *host) : TFake(log, name, host) {
        Widget()->hide();
    }
    ~TFakeNewsCenter() override { Rec(QStringLiteral("Released")); }
    bool UpdateHelp() override { return Help; }
    bool UpdateNetwork() override { return Install; }
    bool UpdateNetworkImages() override { return Images; }
    bool ChartUpdateRequested() override { return ChartUpdate; }
    bool AutoShowSuppressed() override { return Suppressed; }
    void ShowModal() override { Rec(QStringLiteral("ShowModal")); }

    static inline bool Help = false, Install = false, Images = false, ChartUpdate = false,
                       Suppressed = false;
};

int32_t ProgramEdition() {
    return (ProgInfoGetVersion() >> 16) & 0xFF;
}

QString RunTool(const QString &program, const QStringList &args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

class MainWindowJobs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Options.DataFolder = shelltest::FreshDemoData(QStringLiteral("jobs"));
        ASSERT_FALSE(Options.DataFolder.isEmpty());
        FOldPrompter = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return Answer;
        });
        TMainFrameFactories f = ProgramFrameFactories();
        f.Routes = Make<TFakeRoutes, IFrameRoutes>(Log, "Routes");
        f.NavInfo = Make<TFakeNavInfo, IFrameNavInfo>(Log, "NavInfo");
        f.NewsCenter = Make<TFakeNewsCenter, IMarivoFrame>(Log, "NewsCenter");
        TFakeNewsCenter::Help = TFakeNewsCenter::Install = TFakeNewsCenter::Images = false;
        TFakeNewsCenter::ChartUpdate = TFakeNewsCenter::Suppressed = false;
        FOldFactories = TFormMarivo6Main::SetFrameFactories(f);
        FOldChartManager = TFormChartManager::SetPrompter([](TFormChartManager &) { return int(QDialog::Rejected); });
        FOldSource = TFormMarivo6Main::SetPortSource([] { return QStringList(); });
        FOldRunner = SetCompanionRunner([this](const QString &, const QString &commandLine, intptr_t,
                                               int32_t &exitValue, int32_t &err) {
            Runs << commandLine;
            FlagsDuringRun = Viewer()->GetNetworkFlags();
            LogAtRun = Log.Calls;
            if (DuringRun) DuringRun();
            exitValue = 0;
            err = 0;
        });
    }
    void TearDown() override {
        Main.reset();
        SetCompanionRunner(std::move(FOldRunner));
        TFormMarivo6Main::SetFrameFactories(std::move(FOldFactories));
        TFormMarivo6Main::SetPortSource(std::move(FOldSource));
        TFormChartManager::SetPrompter(std::move(FOldChartManager));
        SetMsgBoxPrompter(std::move(FOldPrompter));
        TFormMsgWaiting::SetPrompter(nullptr);
        SetMachineRegistryFile(QString());
        SetCurrentLanguage(KvLang::English);
    }
    TFormMarivo6Main &MakeRunning() {
        Main = std::make_unique<TFormMarivo6Main>(Options);
        Main->setGeometry(0, 0, 1280, 800);
        Main->show();
        Main->WMDeferredStart();
        return *Main;
    }
    TNavViewerControl *Viewer() { return Main->ViewerMain()->ViewerControl(); }
    bool WaitForChart() {
        return QTest::qWaitFor([&] { return Viewer()->GetCalibration() != nullptr; }, 15000);
    }
    // Lets the deferred release of a news centre happen.
    void Settle() { QCoreApplication::processEvents(); }
    int32_t StoredEdition() {
        return RegReadIntegerDef(GetAppReg(), Root, QString(), RegName(u"Edition"), -1);
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("jobs")};
    shelltest::TShellScope FShell;
    TStartOptions Options;
    std::unique_ptr<TFormMarivo6Main> Main;
    TLog Log;
    QStringList Messages, Runs, LogAtRun;
    uint32_t FlagsDuringRun = 0xFFFF;
    std::function<void()> DuringRun;
    int Answer = mrOk;

private:
    TMsgBoxPrompter FOldPrompter;
    TMainFrameFactories FOldFactories;
    TFormChartManager::TPrompter FOldChartManager;
    std::function<QStringList()> FOldSource;
    TCompanionRunner FOldRunner;
};

}  // namespace

TEST_F(MainWindowJobs, NewsCenterReadyOffersTheNetworkUpdateOnlyForAnotherEdition) {
    const int32_t current = ProgramEdition(), other = current + 1;
    const struct {
        const char *name;
        int32_t stored;
        bool offer, news, suppressed, userAsked;
        int answer;
        bool asked, updated, shown;
    } cases[] = {
        {"equal edition: no question, the offer is shown", current, true, false, false, false, mrOk, false, false, true},
        {"other edition, Cancel: no update", other, true, false, false, false, mrCancel, true, false, false},
        {"other edition, OK: the update runs", other, true, false, false, false, mrOk, true, true, false},
        {"news, not suppressed: shown", other, false, true, false, false, mrOk, false, false, true},
        {"news, suppressed: not shown", current, false, true, true, false, mrOk, false, false, false},
        {"asked by the user: no question, shown", other, true, false, true, true, mrOk, false, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = 0;
        RegWriteInteger(GetAppReg(), Root, QString(), RegName(u"Edition"), c.stored, err);
        RegWriteDateTime(GetAppReg(), Root, QStringLiteral("Desktop\\NewsCenter"), RegName(u"LastShown"), 0.0, err);
        TFormMarivo6Main &main = MakeRunning();
        TMainDialogs dialogs = main.Dialogs();
        dialogs.NewsCenter = [](QWidget *, TMarivoNavEnv &) {};
        main.SetMainDialogs(dialogs);
        if (c.userAsked) main.Action("ActionHelpNewsCenter")->trigger();
        TFakeNewsCenter::Suppressed = c.suppressed;
        Answer = c.answer;
        Messages.clear();
        Runs.clear();
        Log.Clear();
        main.OnNewsCenterReady(c.offer, c.news);
        Settle();
        EXPECT_EQ(!Messages.isEmpty(), c.asked) << Messages.join('\n').toStdString();
        if (c.asked && !Messages.isEmpty())
            EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Before using Marivo 6 updates of the route network")));
        EXPECT_EQ(Runs.size(), c.updated ? 1 : 0);
        if (c.updated && !Runs.isEmpty()) EXPECT_TRUE(Runs[0].startsWith(QStringLiteral("-hp -wwi -ww -wv "))) << "all three updates";
        EXPECT_FALSE(main.NewsUpdateRequested()) << "the request ends with the update job";
        EXPECT_EQ(Log.Count(QStringLiteral("NewsCenter.ShowModal")), c.shown ? 1 : 0);
        const double lastShown = RegReadDateTimeDef(GetAppReg(), Root, QStringLiteral("Desktop\\NewsCenter"),
                                                    RegName(u"LastShown"), 0.0);
        EXPECT_EQ(lastShown, c.shown ? double(QDate(1899, 12, 30).daysTo(QDate::currentDate())) : 0.0);
        EXPECT_EQ(Log.Count(QStringLiteral("NewsCenter.Released")), 1) << "shown or hidden, it goes";
        EXPECT_EQ(StoredEdition(), current) << "the network is there";
        Main.reset();
    }
}

TEST_F(MainWindowJobs, NewsCenterReadyDoesNothingDuringTheWizardAndKeepsTheEditionWithoutANetwork) {
    int32_t err = 0;
    const int32_t other = ProgramEdition() + 1;
    RegWriteInteger(GetAppReg(), Root, QString(), RegName(u"Edition"), other, err);
    TFormMarivo6Main &main = MakeRunning();
    TMainDialogs dialogs = main.Dialogs();
    dialogs.StartupWizard = [&](QWidget *, TMarivoNavEnv &, bool &) { main.OnNewsCenterReady(true, true); };
    main.SetMainDialogs(dialogs);
    main.ShowStartupWizard();
    Settle();
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(Log.Count(QStringLiteral("NewsCenter.ShowModal")), 0);
    EXPECT_EQ(Log.Count(QStringLiteral("NewsCenter.Released")), 0);
    EXPECT_EQ(StoredEdition(), other);

    // Without a network the edition is not recorded, so the offer comes again next time.
    TMarivoNavEnv &env = *main.NavEnv();
    IWWNetwork *network = env.WaterwayNetwork;
    env.WaterwayNetwork = nullptr;
    main.OnNewsCenterReady(false, false);
    env.WaterwayNetwork = network;
    Settle();
    EXPECT_EQ(StoredEdition(), other);
    EXPECT_EQ(Log.Count(QStringLiteral("NewsCenter.Released")), 1);
}

TEST_F(MainWindowJobs, UpdateJobZeroesTheNetworkFlagsAndChoosesTheHelpOnlyForTheHelpUpdate) {
    TFormMarivo6Main &main = MakeRunning();
    ASSERT_TRUE(WaitForChart());
    SetCurrentLanguage(KvLang::Dutch);
    const QString oldRoot = GetHTMLHelper().HelpRoot();
    const QString helpFolder = Options.DataFolder + QStringLiteral("/Help");
    // The update program brings the Dutch help.
    DuringRun = [&] {
        QDir().mkpath(helpFolder + QStringLiteral("/nl"));
        QFile page(helpFolder + QStringLiteral("/nl/index.html"));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write("<html></html>");
    };
    const struct {
        bool help, install, images;
        QString arguments;
        bool helpChosen;
    } cases[] = {
        {false, true, false, QStringLiteral("-wwi -p"), false},
        {false, false, true, QStringLiteral("-ww -wv "), false},
        {true, false, false, QStringLiteral("-hp -p"), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.toStdString());
        GetHTMLHelper().SetHelpRoot(QStringLiteral("/nonexistent/help"));
        TFakeNewsCenter::Help = c.help;
        TFakeNewsCenter::Install = c.install;
        TFakeNewsCenter::Images = c.images;
        Viewer()->SetNetworkFlags(0x13);
        Runs.clear();
        Log.Clear();
        main.RunUpdateService();
        ASSERT_EQ(Runs.size(), 1);
        EXPECT_TRUE(Runs[0].startsWith(c.arguments)) << Runs[0].toStdString();
        EXPECT_EQ(FlagsDuringRun, 0u) << "the viewer draws no network meanwhile";
        EXPECT_TRUE(LogAtRun.contains(QStringLiteral("Routes.SetRoute(0)")));
        EXPECT_FALSE(LogAtRun.contains(QStringLiteral("Routes.FillRouteList")));
        EXPECT_EQ(Log.Count(QStringLiteral("Routes.FillRouteList")), 1);
        EXPECT_EQ(Log.Count(QStringLiteral("NavInfo.FillRouteList")), 1);
        EXPECT_EQ(Viewer()->GetNetworkFlags(), 0x13u) << "the saved flags come back";
        EXPECT_EQ(GetHTMLHelper().HelpRoot(), c.helpChosen ? helpFolder : QStringLiteral("/nonexistent/help"));
    }
    GetHTMLHelper().SetHelpRoot(oldRoot);
}

TEST_F(MainWindowJobs, UpdateServiceRefusedStopRunsNothingAndAnAcceptedOneRestartsTheSimulator) {
    TFormMarivo6Main &main = MakeRunning();
    ASSERT_TRUE(WaitForChart());
    TMarivoNavEnv &env = *main.NavEnv();
    ASSERT_TRUE(env.StartNavigation(true));
    Answer = mrNo;
    main.RunUpdateService();
    EXPECT_TRUE(Runs.isEmpty());
    EXPECT_NE(env.Boat->GetNavigationState(), 0);
    Answer = mrYes;
    main.RunUpdateService();
    EXPECT_EQ(Runs.size(), 1);
    EXPECT_NE(env.Boat->GetNavigationState(), 0) << "navigation restarted";
    EXPECT_TRUE(env.Boat->IsSimulating());
    env.StopNavigation(QString(), true);
}

TEST_F(MainWindowJobs, ChartManagerJobInstallsWaitingEditionsWhenTheNewsCenterAsks) {
    TFormMarivo6Main &main = MakeRunning();
    ASSERT_TRUE(WaitForChart());
    for (const bool asked : {false, true}) {
        TFakeNewsCenter::ChartUpdate = asked;
        Viewer()->SetNetworkFlags(0x5);
        Runs.clear();
        Log.Clear();
        main.Action("ActionChartUpdate")->trigger();
        ASSERT_EQ(Runs.size(), 1);
        EXPECT_TRUE(Runs[0].startsWith(asked ? QStringLiteral("-update") : QStringLiteral("-internet")));
        EXPECT_EQ(FlagsDuringRun, 0u);
        EXPECT_EQ(Viewer()->GetNetworkFlags(), 0x5u);
        EXPECT_EQ(Log.Count(QStringLiteral("Routes.FillRouteList")), 1);
    }
}

TEST_F(MainWindowJobs, ADownloadedChartManagerSetupIsRunAndTheManagerLookedForAgainWhateverItsEnd) {
    TFormMarivo6Main &main = MakeRunning();
    TMarivoNavEnv &env = *main.NavEnv();
    const QString folder = testsupport::MakeTempDir(QStringLiteral("setup"));
    const QString registry = folder + QStringLiteral("/machine.ini");
    SetMachineRegistryFile(registry);
    const QString manager = QDir(shelltest::BuiltProgramFolder() + QStringLiteral("/../MRC Manager")).absolutePath();
    // The set-up installs the chart manager, then ends with the code given.
    auto setup = [&](int exitCode) {
        const QString file = folder + QStringLiteral("/setup%1.sh").arg(exitCode);
        QFile script(file);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf '[Software\\\\Korvane\\\\MRC Manager\\\\1]\\nRootDir=%1\\n' > '%2'\nexit %3\n")
                         .arg(manager, registry).arg(exitCode).toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        return file;
    };
    const struct {
        QString file;
        QString message;
        bool found;
    } cases[] = {
        {setup(0), QString(), true},
        {setup(3), QStringLiteral("The MRC Manager setup did not finish successfully (exit code 3)."), true},
        {folder + QStringLiteral("/missing.sh"), QStringLiteral("The MRC Manager setup could not be started."), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        QFile::remove(registry);
        env.ChartManagerProgramFolder = QStringLiteral("stale");
        TMainDialogs dialogs = main.Dialogs();
        dialogs.CheckUpdates = [&](QWidget *, QString &file, int32_t mode, bool chartManager) {
            EXPECT_EQ(mode, 1);
            EXPECT_TRUE(chartManager);
            file = c.file;
            return true;
        };
        main.SetMainDialogs(dialogs);
        Messages.clear();
        main.OnNewsCheckUpdates(true);
        EXPECT_EQ(main.ChartManagerSetupFile(), c.file);
        EXPECT_EQ(Messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(!env.ChartManagerProgramFolder.isEmpty(), c.found) << env.ChartManagerProgramFolder.toStdString();
        EXPECT_NE(env.ChartManagerProgramFolder, QStringLiteral("stale")) << "looked for again";
        EXPECT_TRUE(main.isVisible()) << "a set-up never closes the program";
    }
}

TEST_F(MainWindowJobs, PrintJobWritesThePageOrReportsCancelAndErrorWithTheLoopAsItWas) {
    TFormMarivo6Main &main = MakeRunning();
    ASSERT_TRUE(WaitForChart());
    TMarivoNavEnv &env = *main.NavEnv();
    const QString folder = testsupport::MakeTempDir(QStringLiteral("print"));
    TMainDialogs dialogs = main.Dialogs();
    ASSERT_TRUE(dialogs.PrintJob) << "the program prints";
    dialogs.Print = [](QWidget *, TPrintSettings &s) {
        s.What = 0x7;
        s.Orientation = 2;
        return true;
    };
    bool loopDuringJob = true;
    dialogs.PrintJob = [&, real = dialogs.PrintJob](QWidget *owner, TNavViewerControl *v, const TPrintSettings &s) {
        loopDuringJob = env.Loop->IsOn();
        EXPECT_TRUE(v->OnPrintProgress) << "the viewer asks the waiting form";
        return real(owner, v, s);
    };
    main.SetMainDialogs(dialogs);
    main.UpdateActionStates();
    ASSERT_TRUE(main.Action("ActionFilePrint")->isEnabled());
    const struct {
        const char *name;
        bool cancel, loopOn;
        QString file;
        QString message;
    } cases[] = {
        {"printed", false, true, folder + QStringLiteral("/view.pdf"), QString()},
        {"cancelled with the loop on", true, true, folder + QStringLiteral("/cancel.pdf"),
         QStringLiteral("The print job was canceled.")},
        {"cancelled with the loop off", true, false, folder + QStringLiteral("/cancel2.pdf"),
         QStringLiteral("The print job was canceled.")},
        {"the printer fails", false, true, folder + QStringLiteral("/no/such/folder/view.pdf"),
         QStringLiteral("An error occurred while printing.")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QPrinter &printer = ProgramPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(c.file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setResolution(100);
        TFormMsgWaiting::SetPrompter([&](TFormMsgWaiting &form) {
            EXPECT_FALSE(form.ButtonCancel->isHidden()) << "the job can be cancelled";
            if (c.cancel) QTest::mouseClick(form.ButtonCancel, Qt::LeftButton);
            return form.exec();
        });
        if (c.loopOn)
            env.ResumeLoop();
        else
            env.PauseLoop();
        Messages.clear();
        loopDuringJob = true;
        main.Action("ActionFilePrint")->trigger();
        EXPECT_FALSE(loopDuringJob) << "paused while printing";
        EXPECT_EQ(env.Loop->IsOn(), c.loopOn) << "the loop as it was";
        EXPECT_EQ(Messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_FALSE(Viewer()->OnPrintProgress) << "the cancel query is cleared";
        EXPECT_FALSE(main.IsPrintCanceled()) << "the waiting form is forgotten";
        EXPECT_EQ(QFileInfo::exists(c.file), c.message.isEmpty()) << "a cancelled job leaves no file";
    }
    env.ResumeLoop();
    const QString pdf = folder + QStringLiteral("/view.pdf");
    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("842 x 595"))) << "A4 landscape: " << info.toStdString();
    RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                      QStringLiteral("-singlefile"), pdf, folder + QStringLiteral("/page")});
    QImage page(folder + QStringLiteral("/page.png"));
    ASSERT_FALSE(page.isNull());
    shelltest::SaveScreenshot(page, QStringLiteral("main-print-job-a4-landscape"));
}
