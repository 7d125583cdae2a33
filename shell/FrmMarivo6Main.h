// The program's main window. It finds the data folder, opens the splash, creates the
// navigation environment, then every frame in its dock panel (in a fixed order, through
// the frame factories), the toolbars, the status bar and the saved layout, watches the
// serial ports, and starts the environment from the event loop once shown. Afterwards it
// is driven by the environment's ticks and events, the core library's notifications and
// the desktop's messages (ports, screens, theme, clock, progress). Closing asks first (or
// stops navigation with its own question), saves the layout, shuts the environment down
// and records the clean end.
//
// The class is split over several files: creation, edit modes, full screen and shut-down
// (FrmMarivo6Main.cpp), dock panels and layout (FrmMarivo6MainPanels.cpp), ticks,
// notifications and desktop messages (FrmMarivo6MainMessages.cpp), the actions, menus and
// their states (FrmMarivo6MainActions.cpp), the command handlers
// (FrmMarivo6MainHandlers.cpp) and the dialog routines they share with other callers
// (FrmMarivo6MainDialogs.cpp). GUI thread only.
#pragma once

#include "base/forms/KvForms.h"
#include "base/settings/KvRegDesktop.h"
#include "shell/MarivoActionStates.h"
#include "shell/KvToolBarUtils.h"
#include "shell/MarivoDialogs.h"
#include "shell/MarivoFrames.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvNavEnv.h>

#include <QHash>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QToolBar;
class INavBoatGPS;
class INavMsgPort;
class TMarivoNavEnv;
class TPortWatcher;
class TClockWatcher;
class TFormMsgWaiting;
enum class TDeviceChange;
class IChart;
class IRasterChart;
class IWptRouteLeg;
class IWptWaypoint;
class IWWSection;
class IWWStruct;
class TFrameViewer;
struct TViewerEvent;

// Edit modes of the main window.
namespace EditMode {
inline constexpr int None = 0;
inline constexpr int Waypoints = 1;
inline constexpr int Route = 2;
inline constexpr int Distance = 3;
}  // namespace EditMode

class TFormMarivo6Main : public TMainFormScaled {
    Q_OBJECT
public:
    explicit TFormMarivo6Main(const TStartOptions &options, QWidget *owner = nullptr);
    ~TFormMarivo6Main() override;

    // The main window while it exists (at most one), else nullptr.
    static TFormMarivo6Main *Current();
    // The factories the next main window makes its frames with (the program's by default);
    // returns the previous ones.
    static TMainFrameFactories SetFrameFactories(TMainFrameFactories factories);
    // The dialogs the next main window opens (the program's by default); returns the
    // previous ones.
    static TMainDialogs SetDialogs(TMainDialogs dialogs);
    // The source of serial ports the next main window watches (empty: the system's).
    static std::function<QStringList()> SetPortSource(std::function<QStringList()> source);

    // nullptr when the start failed.
    TMarivoNavEnv *NavEnv() const { return FNavEnv.get(); }
    bool StartFailed() const { return FStartFailed; }
    void CloseOnRequest();
    // The second stage of the start, posted by the constructor.
    void WMDeferredStart();

    QString DataFolder() const { return FDataFolder; }
    QLabel *LabelTitle = nullptr;
    QStatusBar *StatusBar = nullptr;
    QProgressBar *ProgressBar = nullptr;
    QToolBar *ToolbarMain = nullptr;
    QToolBar *ToolbarRoute = nullptr;

    // ---- panels -------------------------------------------------------------------------
    // nullptr for a name that is no panel.
    QDockWidget *Panel(const QString &name) const { return FPanels.value(name); }
    QList<QDockWidget *> Panels() const;
    // The close handler of a panel, as the panel's close button runs it.
    void DockablePanelClose(QDockWidget *panel);
    // Writes a panel's layout under its key (nothing before the layout is loaded).
    void DockablePanelWriteReg(QDockWidget *panel);
    void LoadLayout();
    void LoadToolbarLayout(bool atEnd);
    void SaveLayout();
    // Clears the layout values of every panel, toolbar and the window, then loads again.
    void ResetLayout();
    bool LayoutReady() const { return FLayoutReady; }
    // Shows or hides a frame panel, remembers it for the action states and stores it.
    void SetPanelVisible(const QString &name, bool visible);
    bool PanelShown(const QString &name) const { return FPanelShown.value(name, false); }

    // ---- modes --------------------------------------------------------------------------
    void SetEditMode(int mode);
    int GetEditMode() const { return FEditMode; }
    void StartDistanceMeasuring();
    void EndDistanceMeasuring();
    void EndRouteEditMode();
    void InvalidateViewers();
    void SetToolbarsLocked(bool locked);
    bool ToolbarsLocked() const { return FToolbarsLocked; }
    void SetFullScreen(bool on);
    bool FullScreen() const { return FFullScreen; }
    void MaximizeViewerExtra1();
    void UpdateRoutePanelMaxHeight(const QString &dock);
    // Recomputes the action states and applies the values that differ; before the layout
    // is ready only the caption.
    void UpdateActionStates();
    // The state the action states are computed from.
    TActionSnapshot TakeActionSnapshot() const;

    // ---- actions ------------------------------------------------------------------------
    // The action of a table row by name; nullptr for an unknown name.
    QAction *Action(const char *name) const;
    QMenu *Menu(const char *name) const;
    // A command's handler; an action runs only with one (and with what its row needs).
    using TActionHandler = std::function<void(QAction *action)>;
    void RegisterActionHandler(const char *name, TActionHandler handler);
    // The registered dialogs; replacing them re-evaluates which actions may run.
    const TMainDialogs &Dialogs() const { return FDialogs; }
    void SetMainDialogs(TMainDialogs dialogs);
    bool ActionAvailable(int row) const;
    // Captions and hints of actions and menus in the current language.
    void LoadLanguage();
    void UpdateCaption();

    // ---- show routines (store the flag, action states, write the layout) ---------------
    void SetChartInfoVisible(bool v);
    void SetChartLegendVisible(bool v);
    void SetChartStatusVisible(bool v);
    void SetNMEAMonitorVisible(bool v);
    void SetUserReportVisible(bool v);
    // Hiding (or showing anything but an S-57 pick) clears the viewer's markers first.
    void SetLinkDetailsVisible(bool v);
    void SetMainToolbarVisible(bool v);
    void SetChartToolbarVisible(bool v);
    void SetS57ToolbarVisible(bool v);
    bool MainToolbarShown() const { return FMainToolbarShown; }
    bool ChartToolbarShown() const { return FChartToolbarShown; }
    bool S57ToolbarShown() const { return FS57ToolbarShown; }

    // ---- shared dialog routines ---------------------------------------------------------
    void ShowGPSSettings(bool fromErrorBox);
    void ShowLocaleSettings();
    void ShowShipSettings();
    void ShowPlannerSettings();
    void ShowSailingAreaSettings();
    void ShowViewSettings();
    void ShowStartupWizard();
    void ApplyS57Settings();
    void ShowChartManager();
    // The chart-manager event of the environment.
    void OnChartSetsChanged(int32_t viewerIndex, intptr_t reloadData);
    const TPrintSettings &PrintSettings() const { return FPrintSettings; }
    bool WizardRunning() const { return FWizardRunning; }
    bool GPSSettingsOpen() const { return FGPSSettingsOpen; }

    // ---- events of the environment ------------------------------------------------------
    void OnFastTick(const TLoopRecord &rec);
    void OnTick(const TLoopRecord &rec, uint32_t flags);
    void OnUiTick(const TLoopRecord &rec, uint32_t changeFlags);
    void OnEnvNotification(TNavNotification &n);
    // Kinds 1 (route), 2 (route point), 3 (point count) and 0 (polygon); answer is left
    // as given for other kinds.
    void OnCoreQuestion(int kind, intptr_t param, bool &answer);
    void OnGPSPortError(INavBoatGPS *gps, int32_t code, bool flag);
    void OnDeviceError(INavMsgPort *port, int32_t code, bool flag);
    void OnGPSNoPosition(INavBoatGPS *gps, int32_t situation);
    void OnGPSErrorCleared();
    void OnRoutePointReached(int32_t value);
    void OnEnvEvent(int32_t number);
    bool GetViewerCenter(TGeoPoint &centre);

    // ---- desktop messages ---------------------------------------------------------------
    // A serial port appeared or went (a port is device type 3).
    void WMDeviceChange(TDeviceChange change, const QString &port);
    void WMDisplayChange();
    void WMExitSizeMove();
    // The computer's clock was set: the environment takes the new UTC offset.
    void WMTimeChange();
    // Status-bar progress: equal values hide the bar.
    void WMProgress(int position, int maximum);
    // The progress function any component may be handed: posts to the main window.
    static void PostProgress(int position, int maximum);
    // While the GPS settings dialog is open: its port-list refresh (empty when closed).
    void SetGPSSettingsDialog(std::function<void()> refreshPortList);
    TPortWatcher *PortWatcher() const { return FPortWatcher; }
    const std::array<int, 5> &DeviceHandles() const { return FDeviceHandles; }

    // For tests: the splash steps shown so far and the verbose texts.
    const std::vector<int> &SplashSteps() const { return FSplashSteps; }
    const QStringList &VerboseTexts() const { return FVerboseTexts; }

    // The frames (nullptr when their factory is empty).
    IFrameViewer *ViewerMain() const { return FViewer.get(); }
    IFormMsgGPSSingleError *GPSErrorBox() const { return FGPSError.get(); }

    // ---- routes, waypoints, tracks and navigation (FrmMarivo6MainRoutes.cpp) -------------
    void BeginRouteEditMode(IWptRoute *route, const TGeoPoint *firstPosition, IWWSection *section,
                            double offset, bool useRemembered);
    void ShowRouteManager();
    void BeginWaypointEdit();
    void EndWaypointEdit();
    void SelectRoute(IWptRoute *route);
    void ApplyRouteExploreMode();
    void ApplyViewerColors();
    void ReattachWaterwayNetwork(bool restoreFlags, uint32_t flags);
    void OnChartProductsChanged();

    // ---- interface set-up and status bar (FrmMarivo6MainStatusBar.cpp) ------------------
    // Basic during creation, full at the deferred start and from "Reset windows".
    void InitInterface(bool full);
    // Kind 0 chart in focus, 1 clock, 3 position, 4 waterway, 5 sound, 6 object updates;
    // sender: the viewer that reports (nullptr: the main viewer).
    void UpdateStatusBar(TNavViewerControl *sender, int kind);
    // The status bar's panels in their order (seven once the interface is set up).
    const std::vector<QWidget *> &StatusPanels() const { return FStatusPanels; }
    QString StatusPanelText(int position) const;
    // " +60 min", "", " -90 min".
    static QString StatusOffsetText(int32_t minutes);
    // The fairway part's name with " (km 12.3)" for a kilometre position in metres >= 0.
    static QString StatusWaterwayText(const QString &fairwayPart, double kmPositionMetres);

    // ---- viewer and panel events, detail pages (FrmMarivo6MainDetails.cpp) --------------
    void OnViewerEvent(const TViewerEvent &ev);
    void OnViewerObjectEvent(TNavViewerControl *sender, const TViewerEvent &ev);
    void ShowChartInfo(IRasterChart *chart, IChart *s57Chart);
    void ShowS57ObjectDetails(TNavViewerControl *viewer, NavObject *object);
    void CenterOnRouteItem(IWptRoutePoint *point, IWptRouteLeg *leg);
    void OnLinkClicked(bool &handled, const QString &identifier);
    void ShowWaypointDetails(IWptWaypoint *waypoint);
    void ShowWaterReport(NavObject *object);
    void ShowSectionDetails(IWWSection *section, double distance);
    void ShowObjectDetails(IWWSection *section, IWWStruct *structure, bool flag,
                           IWptWaypoint *waypoint, double distance);
    void ShowContentDetails(NavObject *object);
    void SetLinkDetailsStructVisible(bool v);

signals:
    // The action states are to be recomputed.
    void ActionStatesChanged();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool FindDataFolder(const TStartOptions &options);
    bool FormCloseQuery();
    // GPS detection or a companion program runs: a close request waits until it has ended.
    bool MustWaitToClose() const;
    void FormClose();
    void CloseWhenIdle();
    void SplashStep(int step, const char *verbose = nullptr);
    void Verbose(const char *text);
    void InstallEnvEvents();
    void EnableSimulatorDevices();
    void CreateDocks();
    void CreateToolbars();
    void CreateStatusBar();
    void CreateFrames();
    void CreateViewerFrame();
    template <class T>
    std::unique_ptr<T> MakeFrame(const TFrameFactory<T> &factory, const char *panel);
    void SetBoatCursor();
    void RegisterDeviceNotifications();
    void UnregisterDeviceNotifications();
    void CheckLastVersion();
    void Subscribe();
    void Unsubscribe();
    static void NotificationProc(void *data, TNavNotification *n);
    void FreeFrames();
    void ReadPanels();
    void ApplyPanelVisibility();
    void ReadFormPlacementAtStart();
    TFormPlacement CurrentPlacement() const;
    void UpdateTrackLists();
    void OnRouteEditingStarted(const TNavNotification &n);
    QString GPSPortName(INavBoatGPS *gps) const;
    // False for an empty panel: its frame is not part of the program.
    static bool HasFrame(const QDockWidget *panel);
    // Actions, menus and their states.
    void CreateActions();
    void CreateMenus();
    void RefreshAvailability();
    void RunAction(int row);
    void ApplyUiStates(const TUiStates &states);
    void ApplyActionState(int row, const TActionState &state);
    void ApplyPanelStates(const TUiStates &states);
    void SetToolbarShown(bool &flag, QToolBar *bar, const QString &key, bool v);
    // The handlers of this window's own commands.
    void RegisterOwnHandlers();
    void RegisterFileHandlers();
    void RegisterChartHandlers();
    void RegisterHelpHandlers();
    void RegisterViewHandlers();
    void RegisterInstrumentHandlers();
    void RegisterS57Handlers();
    void On(const char *name, std::function<void()> handler);
    void ToggleViewerFlags(uint32_t (TNavViewerControl::*get)(),
                           void (TNavViewerControl::*set)(uint32_t), uint32_t bit);
    void ChartUpdate();
    void PrintView();
    void Communication();
    void ToggleTide();
    void ResetWindows();
    void EditToolbar();
    void ShowKeyboardOverview();
    void OpenNewsCenter();
    void ToggleUserReport();
    void CheckForUpdates();
    void SetColorScheme(int scheme);
    void SetDisplayCategory(int category);
    void ToggleLandFeatures();
    void ToggleNoticeMarks();
    void ShowS57Settings();
    void ImportFiles();
    void OpenExtensionManager();
    TNavViewerControl *MainViewerControl() const;
    // Routes, waypoints, tracks, navigation; the dialog a row's handler needs is there.
    void RegisterRouteHandlers();
    void OnEditMode(const char *name, int mode, std::function<void()> enter);
    void RegisterWaypointTrackHandlers();
    bool RouteDialogReady(const char *action) const;
    void StartOrStopRoute();
    void AddRoutePoint();
    void FindPlace();
    void EditRouteDefaults();
    void OpenTrackManager();
    void EditWaypointType();
    void SetRoutePlanMode(int mode);
    void HookViewerEvents();
    void HookFrameEvents();
    void CreateStatusPanels();
    void UpdateStatusClock();
    void UpdateStatusPosition(TNavViewerControl *viewer);
    void UpdateStatusWaterway(TNavViewerControl *viewer);
    void UpdateStatusSound();
    void UpdateChartStatus(TNavViewerControl *viewer);
    void SetStatusPanelText(int position, const QString &text);
    void RemoveStatusPanel(int layoutIndex);
    void CreateFirstWaypointType();
    void StopNavigationStored();
    void RepaintAll();

    struct TCurrent {
        explicit TCurrent(TFormMarivo6Main *main);
        ~TCurrent();
    } FCurrent{this};
    std::unique_ptr<TMarivoNavEnv> FNavEnv;
    TMainFrameFactories FFactories;
    QString FDataFolder, FSharedFolder;
    bool FStartFailed = false;
    bool FConstructed = false;
    bool FCloseWithoutQuestion = false;  // the program closes itself (update install)
    bool FCloseRequested = false;        // termination signal
    bool FDeferredStartDone = false;
    bool FClosed = false;
    bool FPainted = false;
    bool FSubscribed = false;
    bool FLayoutReady = false;
    bool FFullScreen = false;
    Qt::WindowStates FSavedWindowState = Qt::WindowNoState;
    int FEditMode = EditMode::None;
    bool FToolbarsLocked = false;
    bool FMainToolbarShown = true, FChartToolbarShown = true, FS57ToolbarShown = false;
    QHash<QString, QDockWidget *> FPanels;
    QHash<QString, TDockableLayout> FPanelLayouts;
    QHash<QString, bool> FPanelShown;
    QHash<QToolBar *, TDockableLayout> FToolbarLayouts;
    std::array<int, 5> FDeviceHandles{};
    TPortWatcher *FPortWatcher = nullptr;  // a child of the window
    TClockWatcher *FClockWatcher = nullptr;  // a child of the window
    std::function<void()> FGPSSettingsRefresh;
    QTimer FPlacementTimer;  // end of a move or resize
    std::vector<QAction *> FActions;  // parallel to the action table
    std::vector<bool> FAvailable;
    QHash<QString, TActionHandler> FHandlers;
    QHash<QString, QMenu *> FMenus;
    TMainDialogs FDialogs;
    TPrintSettings FPrintSettings;
    bool FWizardRunning = false;
    bool FGPSSettingsOpen = false;
    bool FNewsCenterRequested = false;
    bool FChartUpdateByNews = false;  // the news centre asked to install waiting editions
    bool FFullInterface = false;
    std::vector<QWidget *> FStatusPanels;  // children of the status bar, in their order
    std::array<int, 9> FStatusIndex{{0, 1, 2, 3, 4, 5, 6, 7, 8}};  // layout panel → position
    bool FStatusPanelsTrimmed = false;
    std::vector<int> FSplashSteps;
    QStringList FVerboseTexts;
    bool FVerbose = false;

    // The frames, in the order they are made.
    std::unique_ptr<IFrameViewer> FViewer;
    std::unique_ptr<IFrameChartLegend> FChartLegend;
    std::unique_ptr<IMarivoFrame> FHTMLViewer;
    std::unique_ptr<IFrameChartInfo> FChartInfo;
    std::unique_ptr<IFrameRoutes> FRoutes;
    std::unique_ptr<IFrameRouteSettings> FRouteSettings;
    std::unique_ptr<IFrameTrackReplay> FTrackReplay;
    std::unique_ptr<IFrameUserReport> FUserReport;
    std::unique_ptr<IFrameNavCurrent> FNavCurrent;
    std::unique_ptr<IFrameNavInfo> FNavInfo;
    std::unique_ptr<IFrameNavRoute> FNavRoute;
    std::unique_ptr<IFrameNMEAMonitor> FNMEAMonitor;
    std::unique_ptr<IFrameLinkDetails> FLinkDetails;
    std::unique_ptr<IMarivoFrame> FLinkDetailsStruct;
    std::unique_ptr<IFrameChartStatus> FChartStatus;
    std::unique_ptr<IFrameZichtOpScheepvaart> FZichtOpScheepvaart;
    std::unique_ptr<IMarivoFrame> FNewsCenter;
    std::unique_ptr<IFormMsgGPSSingleError> FGPSError;

    // ---- news centre, update, chart-manager and print jobs (FrmMarivo6MainJobs.cpp) -----
public:
    // The news centre has decided what to offer: the route-network update and its news.
    void OnNewsCenterReady(bool offerUpdate, bool showNews);
    void OnNewsChartUpdate();
    void OnNewsCheckUpdates(bool chartManagerSetup);
    void OnNewsChartManager();
    // Stops navigation (with a question) while the update program runs under the waiting
    // form, then starts it again on the same source.
    void RunUpdateService();
    // Run from the waiting form: the viewer lets go of the network while the companion
    // program runs and takes it back with its display flags afterwards.
    void RunUpdateJob(TFormMsgWaiting &waiting);
    void RunChartManagerJob(TFormMsgWaiting &waiting);
    // Prints the main view under the waiting form (its Cancel ends the job) with the loop
    // paused, and reports a cancelled or failed job.
    void PrintJob(TFormMsgWaiting &waiting);
    bool IsPrintCanceled() const;
    bool NewsUpdateRequested() const { return FNewsUpdateRequest; }
    QString ChartManagerSetupFile() const { return FChartManagerSetup; }

private:
    IFormNewsCenter *NewsCenterForm() const;
    // Connects the news centre's events to the handlers above.
    void WireNewsCenter();
    // Asks to stop navigation first (a refusal ends it), runs job under the waiting form
    // for program, then starts navigation again on the same source.
    void RunWithNavigationStopped(const QString &program, const std::function<void(TFormMsgWaiting &)> &job);
    void ReleaseNetworkForJob(uint32_t &networkFlags);
    void TakeNetworkAfterJob(uint32_t networkFlags);
    bool FNewsUpdateRequest = false;        // the news centre's offer was accepted
    TFormMsgWaiting *FPrintWaiting = nullptr;  // while a print job runs
    QString FChartManagerSetup;             // the downloaded chart-manager set-up program
    // ---- main toolbar contents and language switch (FrmMarivo6MainToolbars.cpp,
    // FrmMarivo6MainLanguage.cpp) ------------------------------------------------------------
public:
    // Registers the toolbar's available items and its default set; after the actions.
    void InitToolbars();
    // The stored buttons of the main toolbar (the default set when none is usable).
    void LoadToolbarContents();
    TToolbarContents *ToolbarContents() const { return FToolbarContents.get(); }
    // The parts of the window caption, in their order.
    struct TCaptionParts {
        QString Title;        // the application's
        QString DisplayName;  // the settings store's display text
        bool DebugBuild = false;
        int SystemMajorVersion = 6;  // the administrator note needs 6 or later
        bool Administrator = false;
        QString Login;     // the online service's remembered e-mail address
        QString ShipName;  // "Boat\ShipName"
    };
    static QString ComposeCaption(const TCaptionParts &parts);
    TCaptionParts CaptionParts() const;
signals:
    // Emitted at the end of LoadLanguage: windows the main window does not own reload texts.
    void LanguageChanged();
private:
    void LoadMenuTexts(int32_t language);
    void LoadActionTexts(int32_t language);
    void LoadPanelTexts(int32_t language);
    void LoadFrameTexts();
    std::unique_ptr<TToolbarContents> FToolbarContents;
    bool FHelpFileFound = false;
};
