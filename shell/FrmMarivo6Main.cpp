#include "shell/FrmMarivo6Main.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptionLog.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/platform/KvClockWatcher.h"
#include "base/platform/KvPortWatcher.h"
#include "base/platform/KvShell.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "shell/FrmMsgDisclaimer.h"
#include "shell/FrmSplash.h"
#include "shell/KvAppInit.h"
#include "shell/MarivoDockPanels.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoSailingAreas.h"

#include <KvLibNav6/KvLib.h>

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QThread>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>
#include <ctime>
#include <unistd.h>

namespace {

constexpr int32_t CommonAppData = 35;
constexpr int SplashMinimumMs = 2000;
constexpr int SplashStepCount = 38;
TFormMarivo6Main *GCurrent = nullptr;

// Seconds since this process started, from the kernel's start time: the loading of the
// libraries counts too. Negative when it cannot be read.
double SecondsSinceProcessStart() {
    QFile file(QStringLiteral("/proc/self/stat"));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray stat = file.readAll();
    // The fields after the program name, which may hold blanks; the start time is field 22.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20) return -1;
    bool ok = false;
    const double startTicks = fields[19].toDouble(&ok);
    timespec now{};
    if (!ok || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return -1;
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9 - startTicks / double(sysconf(_SC_CLK_TCK));
}

TMainFrameFactories &NextFactories() {
    static TMainFrameFactories factories = ProgramFrameFactories();
    return factories;
}

std::function<QStringList()> &NextPortSource() {
    static std::function<QStringList()> source;
    return source;
}

const TLanguageStrings SStarting = {
    "Starting...", /*nl*/ "Opstarten...", /*de*/ "Wird gestartet...", /*fr*/ "D\u00E9marrage...",
    /*es*/ "", /*it*/ "Avvio in corso...", /*da*/ "Starter...", /*sv*/ "Startar..."};
const TLanguageStrings SInitializing = {
    "Initializing", "Initialiseren", "Initialisierung", "Initialisation", "",
    "Inizializzazione", "Initialiserer", "Initierar"};
const TLanguageStrings SNoDataFolder = {
    "Could not find the program settings folder. Please reinstall the program.",
    /*nl*/ "De map met programma-instellingen is niet gevonden. Installeer het programma opnieuw.",
    /*de*/
    "Der Ordner der Programmeinstellungen wurde nicht gefunden. Bitte installieren Sie das "
    "Programm neu.",
    /*fr*/
    "Le dossier des param\u00E8tres du programme est introuvable. Veuillez r\u00E9installer le "
    "programme.",
    /*es*/ "",
    /*it*/
    "Impossibile trovare la cartella delle impostazioni del programma. Reinstallare il "
    "programma.",
    /*da*/ "Mappen med programindstillinger blev ikke fundet. Geninstaller programmet.",
    /*sv*/ "Mappen med programinst\u00E4llningar hittades inte. Installera om programmet."};
// The close texts: English, Dutch and German from the original tables, the others ours.
const TLanguageStrings SCloseCaption = {"Close Marivo", "Marivo afsluiten", "Marivo beenden",
                                        "Fermer Marivo", "", "Chiudi Marivo", "Luk Marivo",
                                        "St\u00E4ng Marivo"};
const TLanguageStrings SCloseQuestion = {
    "Are you sure you want to close Marivo?", "Weet u zeker dat u Marivo wilt afsluiten?",
    "M\u00F6chten Sie Marivo wirklich beenden?", "Voulez-vous vraiment fermer Marivo ?", "",
    "Chiudere davvero Marivo?", "Er du sikker p\u00E5, at du vil lukke Marivo?",
    "Vill du verkligen st\u00E4nga Marivo?"};
const TLanguageStrings SCloseNote = {
    "NOTE: The communication with the GPS and the current track will be stopped.",
    "LET OP: De communicatie met de GPS en de huidige track worden gestopt.",
    "HINWEIS: Die Kommunikation mit dem GPS und der aktuelle Track werden beendet.",
    "REMARQUE : la communication avec le GPS et la trace en cours seront arr\u00EAt\u00E9es.", "",
    "NOTA: la comunicazione con il GPS e la traccia corrente verranno interrotte.",
    "BEM\u00C6RK: Kommunikationen med GPS'en og det aktuelle spor stoppes.",
    "OBS! Kommunikationen med GPS:en och det aktuella sp\u00E5ret stoppas."};

// The own-ship cursor, bow up, in pixels around the ship's position.
const TFloat2 BoatCursor[10] = {{0, -12}, {4, -6}, {6, 0},   {5, 6},   {3, 12},
                                {-3, 12}, {-5, 6}, {-6, 0}, {-4, -6}, {0, -12}};

}  // namespace

TFormMarivo6Main::TFormMarivo6Main(const TStartOptions &options, QWidget *owner)
    : TMainFormScaled(owner), FFactories(NextFactories()) {
    if (!FindDataFolder(options)) {
        FStartFailed = true;
        ApplicationTerminate();
        return;
    }
    setObjectName(QStringLiteral("TFormMarivo6MainOstrel"));
    setWindowTitle(ProgInfoGetTitle());
    setDockNestingEnabled(true);
    LabelTitle = new QLabel(QStringLiteral("%1 %2").arg(ProgInfoGetTitle(),
                                                         VersionToStr(ProgInfoGetVersion(), 4)),
                            this);
    LabelTitle->setAlignment(Qt::AlignCenter);
    setCentralWidget(LabelTitle);
    resize(1024, 700);
    CreateStatusBar();
    FVerbose = GetProgInfo()->GetVerbose();

    ShowSplash(SplashMinimumMs);
    SplashText(LanguageText(SStarting));
    bool failed = false;
    TNavEnvEvents events;
    events.OnPositionRequest = [this](TGeoPoint &p) { return GetViewerCenter(p); };
    events.OnDeviceError = [this](INavMsgPort *p, int32_t c, bool f) { OnDeviceError(p, c, f); };
    events.OnGPSPortError = [this](INavBoatGPS *g, int32_t c, bool f) { OnGPSPortError(g, c, f); };
    events.OnGPSNoPosition = [this](INavBoatGPS *g, int32_t s) { OnGPSNoPosition(g, s); };
    events.OnGPSErrorCleared = [this] { OnGPSErrorCleared(); };
    events.OnRoutePointReached = [this](int32_t v) { OnRoutePointReached(v); };
    events.OnObjectUpdateEvent = [this](int32_t n) { OnEnvEvent(n); };
    events.OnChartSetsChanged = [this](int32_t index, intptr_t data) {
        OnChartSetsChanged(index, data);
    };
    FNavEnv = std::make_unique<TMarivoNavEnv>(failed, this, FDataFolder, FSharedFolder, 1,
                                              std::move(events));
    if (failed) {
        // The environment has said why; no frame, toolbar or notification is made.
        FNavEnv.reset();
        FStartFailed = true;
        return;
    }
    SplashText(LanguageText(SInitializing));
    SplashStep(0);
    EnableSimulatorDevices();
    InstallEnvEvents();
    SplashStep(1, "Cursors initialized");
    CreateDocks();
    CreateToolbars();
    CreateFrames();
    HookViewerEvents();
    HookFrameEvents();
    CreateActions();
    InitToolbars();
    SetBoatCursor();
    SplashStep(31);
    Verbose("Toolbar initialized");
    SplashStep(32);
    LoadLayout();
    Verbose("Settings read from registry");
    SplashStep(33);
    InvalidateViewers();
    Verbose("Viewers invalidated");
    SplashStep(34);
    InitInterface(false);
    Verbose("Interface initialized");
    SplashStep(35);
    Verbose("Chart collections updated");
    SplashStep(36);
    UpdateActionStates();
    Verbose("Update controls");
    SplashStep(37);
    LoadLanguage();
    Verbose("Languages initialized");
    RegisterDeviceNotifications();
    SplashStep(38, "Port notifications registered");
    CheckLastVersion();
    Subscribe();
    connect(&FPlacementTimer, &QTimer::timeout, this, &TFormMarivo6Main::WMExitSizeMove);
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    connect(app, &QGuiApplication::screenAdded, this, &TFormMarivo6Main::WMDisplayChange);
    connect(app, &QGuiApplication::screenRemoved, this, &TFormMarivo6Main::WMDisplayChange);
    connect(app, &QGuiApplication::primaryScreenChanged, this, &TFormMarivo6Main::WMDisplayChange);
    FPlacementTimer.setSingleShot(true);
    FPlacementTimer.setInterval(400);
    qCInfo(lcStartup) << "main window created";
    QMetaObject::invokeMethod(this, &TFormMarivo6Main::WMDeferredStart, Qt::QueuedConnection);
    FConstructed = true;
}

TFormMarivo6Main::~TFormMarivo6Main() {
    if (FNavEnv) {
        Unsubscribe();
        if (FNavEnv->Boat->GetNavigationState() != 0) FNavEnv->StopNavigation(QString(), false);
    }
    UnregisterDeviceNotifications();
    FreeFrames();
    FNavEnv.reset();
}

TFormMarivo6Main::TCurrent::TCurrent(TFormMarivo6Main *main) {
    GCurrent = main;
}

TFormMarivo6Main::TCurrent::~TCurrent() {
    GCurrent = nullptr;
}

TFormMarivo6Main *TFormMarivo6Main::Current() {
    return GCurrent;
}

TMainFrameFactories TFormMarivo6Main::SetFrameFactories(TMainFrameFactories factories) {
    std::swap(NextFactories(), factories);
    return factories;
}

std::function<QStringList()> TFormMarivo6Main::SetPortSource(std::function<QStringList()> source) {
    std::swap(NextPortSource(), source);
    return source;
}

bool TFormMarivo6Main::FindDataFolder(const TStartOptions &options) {
    bool ok = true;
    if (options.DataFolder.isEmpty()) {
        QString common;
        ok = GetSpecialFolderPath(CommonAppData, common);
    }
    FDataFolder = StartDataFolder(options);
    FSharedFolder = StartSharedFolder(options);
    // One message, whichever of the two checks failed: telling it twice helps nobody.
    if (!ok || !QFileInfo(FDataFolder).isDir()) {
        MsgBox(LanguageText(SNoDataFolder), mtError, MsgButtons({mbOK}));
        return false;
    }
    // The exception log lives with the user's data.
    SetExceptionLogFile(FDataFolder + QFileInfo(GetExceptionLogFile()).fileName());
    return true;
}

void TFormMarivo6Main::SplashStep(int step, const char *verbose) {
    if (verbose) Verbose(verbose);
    FSplashSteps.push_back(step);
    SplashProgress(step, SplashStepCount, 0);
}

void TFormMarivo6Main::Verbose(const char *text) {
    if (!FVerbose) return;
    FVerboseTexts << QString::fromLatin1(text);
    SplashText(QString::fromLatin1(text));
}

void TFormMarivo6Main::EnableSimulatorDevices() {
    INavBoatDevice *gps = FNavEnv->Boat->GetSimulatorGPSDevice();
    int32_t err = 0;
    if (gps) gps->ApplySettings(1, err);
    RaiseIfError(err);
    Verbose("Simulator GPS enabled");
    INavBoatDevice *sounder = FNavEnv->Boat->GetSimulatorSounderDevice();
    err = 0;
    if (sounder) sounder->ApplySettings(1, err);
    RaiseIfError(err);
    Verbose("Simulator Sounder enabled");
}

void TFormMarivo6Main::InstallEnvEvents() {
    FNavEnv->OnFastTick = [this](const TLoopRecord &rec) { OnFastTick(rec); };
    FNavEnv->OnTick = [this](const TLoopRecord &rec, uint32_t flags) { OnTick(rec, flags); };
    FNavEnv->OnUiTick = [this](const TLoopRecord &rec, uint32_t flags) { OnUiTick(rec, flags); };
    FNavEnv->OnUpdateActions = [this] { UpdateActionStates(); };
    FNavEnv->OnQuestion = [this](TNavQuestion &q) { OnCoreQuestion(q.Kind, q.Param, q.Answer); };
    Verbose("Events coupled");
    Verbose("Nightscreen initialized");
}

void TFormMarivo6Main::SetBoatCursor() {
    ::SetCursorBoat(BoatCursor, 10);
    Verbose("Boat cursor set");
    FMainToolbarShown = true;
    FChartToolbarShown = true;
    FS57ToolbarShown = false;
}

void TFormMarivo6Main::CheckLastVersion() {
    QString stored;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, QString(), RegName(u"LastVersion"),
                     QString(), stored);
    if (FNavEnv->ObjectUpdateManager) FNavEnv->ObjectUpdateManager->SetFirstRun(stored.isEmpty());
    const QString current = VersionToStr(ProgInfoGetVersion(), 4);
    if (stored.compare(current, Qt::CaseInsensitive) == 0) return;
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, QString(), RegName(u"LastVersion"), current,
                   err);
}

void TFormMarivo6Main::NotificationProc(void *data, TNavNotification *n) {
    auto *main = static_cast<TFormMarivo6Main *>(data);
    main->OnEnvNotification(*n);
}

void TFormMarivo6Main::Subscribe() {
    FNavEnv->CoreEnv->GetDispatcher()->Subscribe(&TFormMarivo6Main::NotificationProc, this);
    FSubscribed = true;
}

void TFormMarivo6Main::Unsubscribe() {
    if (!FSubscribed) return;
    FNavEnv->CoreEnv->GetDispatcher()->Unsubscribe(&TFormMarivo6Main::NotificationProc, this);
    FSubscribed = false;
}

void TFormMarivo6Main::showEvent(QShowEvent *event) {
    TMainFormScaled::showEvent(event);
    // The window paints first; the splash waits out its time on top of it.
    QTimer::singleShot(0, this, [] { CloseSplash(); });
}

void TFormMarivo6Main::paintEvent(QPaintEvent *event) {
    TMainFormScaled::paintEvent(event);
    if (FPainted) return;
    FPainted = true;
    // For start-up measurements from outside: how long the user waited for the window.
    if (qEnvironmentVariableIsSet("MARIVO_STARTUP_TIMING"))
        QTextStream(stderr) << QStringLiteral("marivo: first paint %1 ms\n")
                                   .arg(SecondsSinceProcessStart() * 1000.0, 0, 'f', 1);
}

void TFormMarivo6Main::WMDeferredStart() {
    if (FClosed || FDeferredStartDone) return;
    CloseSplash();
    qCInfo(lcStartup) << "disclaimer shown";
    ShowDisclaimer();
    FCloseWithoutQuestion = false;
    if (FNavEnv) {
        uint8_t communicationMode = 0;
        FNavEnv->Start(communicationMode);
        // The connection that was open at the last close is opened again.
        if (communicationMode == 1 && !FNavEnv->StartNavigation(false))
            FNavEnv->StopNavigation(QString(), true);
        if (FRoutes) {
            FRoutes->FillRouteList();
            FRoutes->RestoreRoute();
        }
        if (FNavInfo) FNavInfo->FillRouteList();
        if (FNavRoute) FNavRoute->UpdateValues();
        if (FNavCurrent) {
            FNavCurrent->UpdateValues(false);
            FNavCurrent->UpdateAll();
        }
        if (FTrackReplay && FViewer) FTrackReplay->SetDrawComplete(FViewer->GetTrackDrawComplete());
        UpdateTrackLists();
        if (FViewer) FViewer->RestoreView();
        if (FNMEAMonitor) FNMEAMonitor->UpdatePortLists();
        if (FZichtOpScheepvaart) FZichtOpScheepvaart->UpdateControls();
        InitInterface(true);
        UpdateStatusBar(nullptr, 1);
        UpdateStatusBar(nullptr, 5);
        FFullInterface = true;
        // Ctrl+A belongs to the text fields once the interface is complete.
        if (QAction *list = Action("ActionInstrumentsAISTargetList")) list->setShortcut(QKeySequence());
        UpdateActionStates();
        if (FViewer) FViewer->Widget()->setFocus();
    }
    FDeferredStartDone = true;
    qCInfo(lcStartup) << "ready";
    // A new user (no login stored) is taken through the start-up wizard, once the online
    // services are configured at all: without them it could not log in.
    QString email, serviceUrl;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Services"), RegName(u"BaseURL"), QString(),
                     serviceUrl);
    if (FNavEnv && FDialogs.StartupWizard && !serviceUrl.trimmed().isEmpty() && !FNavEnv->GetStoredLogin(email))
        QTimer::singleShot(0, this, [this] {
            if (!FClosed) ShowStartupWizard();
        });
}

void TFormMarivo6Main::CloseOnRequest() {
    FCloseRequested = true;
    QTimer::singleShot(0, this, &TFormMarivo6Main::CloseWhenIdle);
}

void TFormMarivo6Main::CloseWhenIdle() {
    // The window must be complete, dialogs being ended must unwind first, and a posted start
    // must have run: closing earlier would shut the environment down beneath code that still
    // uses it.
    if (!FConstructed || QThread::currentThread()->loopLevel() > 1 ||
        (FNavEnv && (!FDeferredStartDone || MustWaitToClose()))) {
        QTimer::singleShot(20, this, &TFormMarivo6Main::CloseWhenIdle);
        return;
    }
    close();
}

bool TFormMarivo6Main::MustWaitToClose() const {
    return FNavEnv && (FNavEnv->IsDetectingGPS() || FNavEnv->IsCompanionRunning());
}

bool TFormMarivo6Main::FormCloseQuery() {
    const bool noQuestion = FCloseWithoutQuestion || FCloseRequested;
    if (FNavEnv && FNavEnv->Boat->GetNavigationState() != 0) {
        // Store False: the open connection is resumed at the next start.
        const QString question = noQuestion ? QString()
                                            : LanguageText(SCloseQuestion) + QStringLiteral("\n\n") +
                                                  LanguageText(SCloseNote);
        FNavEnv->StopNavigation(question, false);
        return FNavEnv->Boat->GetNavigationState() == 0;
    }
    if (noQuestion) return true;
    return MsgBoxCaption(LanguageText(SCloseCaption), LanguageText(SCloseQuestion), mtConfirmation,
                         MsgButtons({mbYes, mbNo})) == mrYes;
}

void TFormMarivo6Main::FormClose() {
    if (FNavEnv) FNavEnv->StopLogbook(false);
    SetEditMode(EditMode::None);
    if (FNavEnv) SaveLayout();
    if (FNavEnv) FNavEnv->Shutdown();
    WriteExecState(TExecState::Closed);
    qCInfo(lcStartup) << "closed";
}

void TFormMarivo6Main::closeEvent(QCloseEvent *event) {
    if (FClosed) {
        event->accept();
        return;
    }
    if (MustWaitToClose()) {
        // The detection and a companion program pump events; the close comes back once they
        // have ended.
        event->ignore();
        QTimer::singleShot(100, this, &TFormMarivo6Main::close);
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FClosed = true;
    FormClose();
    event->accept();
    // Closing the main window ends the program.
    ApplicationTerminate();
}

void TFormMarivo6Main::FreeFrames() {
    // The order of the frames' release: those the others may still call go last.
    FNewsCenter.reset();
    // Frames released after being shown are still queued: they go now, while the
    // environment they hold is alive.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    FViewer.reset();
    FNMEAMonitor.reset();
    if (FRoutes) FRoutes->SetRoute(nullptr);
    if (FNavEnv) FNavEnv->Shutdown();
    FGPSError.reset();
    FChartStatus.reset();
    FNavRoute.reset();
    FLinkDetailsStruct.reset();
    FNavInfo.reset();
    FNavCurrent.reset();
    FLinkDetails.reset();
    FTrackReplay.reset();
    FRoutes.reset();
    FRouteSettings.reset();
    FHTMLViewer.reset();
    FChartInfo.reset();
    FChartLegend.reset();
    FUserReport.reset();
    FZichtOpScheepvaart.reset();
}

void TFormMarivo6Main::RegisterDeviceNotifications() {
    // The serial ports are what the desktop reports here: the COM-port class (the second of
    // the five) gets the one watcher; the other four classes have no source on this
    // desktop and keep their handles unset.
    FPortWatcher = new TPortWatcher(this, NextPortSource());
    FDeviceHandles[1] = FPortWatcher->RegisterDeviceInterfaceNotification(
        [this](TDeviceChange change, const QString &port) { WMDeviceChange(change, port); });
    FClockWatcher = new TClockWatcher(this, [this] { WMTimeChange(); });
}

void TFormMarivo6Main::UnregisterDeviceNotifications() {
    for (int i = int(FDeviceHandles.size()) - 1; i >= 0; --i) {
        if (FDeviceHandles[size_t(i)] == 0 || !FPortWatcher) continue;
        FPortWatcher->UnregisterDeviceNotification(FDeviceHandles[size_t(i)]);
        FDeviceHandles[size_t(i)] = 0;
    }
}

// ---- modes ----------------------------------------------------------------------------------

void TFormMarivo6Main::SetEditMode(int mode) {
    if (mode == FEditMode) return;
    switch (FEditMode) {
    case EditMode::Waypoints: EndWaypointEdit(); break;
    case EditMode::Route: EndRouteEditMode(); break;
    case EditMode::Distance: EndDistanceMeasuring(); break;
    default: break;
    }
    FEditMode = mode;
    UpdateActionStates();
}

void TFormMarivo6Main::EndRouteEditMode() {
    if (FNavEnv) {
        FNavEnv->EndRouteEdit(true);
        FNavEnv->CheckWaypointDatabase();
    }
    if (FRoutes) FRoutes->FillRouteList();
    if (FRouteSettings) FRouteSettings->SetRoute(nullptr);
    if (FViewer) FViewer->SetEditMode(0);
}

void TFormMarivo6Main::StartDistanceMeasuring() {
    SetEditMode(EditMode::Distance);
    if (FViewer) FViewer->SetEditMode(3);
    UpdateActionStates();
    InvalidateViewers();
}

void TFormMarivo6Main::EndDistanceMeasuring() {
    if (FViewer) FViewer->SetEditMode(0);
    InvalidateViewers();
}

void TFormMarivo6Main::InvalidateViewers() {
    if (FViewer) FViewer->Invalidate();
}

void TFormMarivo6Main::SetToolbarsLocked(bool locked) {
    FToolbarsLocked = locked;
    UpdateActionStates();
    for (QToolBar *bar : findChildren<QToolBar *>()) bar->setMovable(!locked);
    for (QDockWidget *panel : std::as_const(FPanels)) {
        auto features = panel->features();
        features.setFlag(QDockWidget::DockWidgetMovable, !locked);
        panel->setFeatures(features);
    }
    if (FChartStatus) FChartStatus->SetToolbarsLocked(locked);
}

void TFormMarivo6Main::SetFullScreen(bool on) {
    if (on == FFullScreen) return;
    if (on) {
        FSavedWindowState = windowState() & ~Qt::WindowFullScreen;
        FFullScreen = true;
        StatusBar->setSizeGripEnabled(false);
        setWindowState(windowState() | Qt::WindowFullScreen);
    } else {
        FFullScreen = false;
        StatusBar->setSizeGripEnabled(true);
        setWindowState(Qt::WindowNoState);
        const TDesktopGeometry desktop = CurrentDesktopGeometry();
        TFormPlacement placement;
        ReadFormPlacement(placement, QStringLiteral("Window"), 0xC000, 10, 10,
                          desktop.WorkArea.width() - 20, desktop.WorkArea.height() - 20, desktop);
        setGeometry(placement.Bounds);
        setWindowState(FSavedWindowState);
    }
    int32_t err = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, QStringLiteral("Window"), RegName(u"FullScreen"),
                 on, err);
    UpdateActionStates();
}

void TFormMarivo6Main::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier && FDialogs.HelpContext) {
        FDialogs.HelpContext(this, 7006);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        SetLinkDetailsVisible(false);
        SetPanelVisible(QStringLiteral("DockablePanelLinkDetailsStruct"), false);
        return;
    }
    TMainFormScaled::keyPressEvent(event);
}
