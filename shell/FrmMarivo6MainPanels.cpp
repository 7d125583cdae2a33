// The main window's dock panels, toolbars and status bar, the frames inside the panels, and
// the layout that survives restarts.
#include "shell/FrmMarivo6Main.h"

#include "base/registry/KvRegistry.h"
#include "chartview/NavViewerControl.h"
#include "shell/FrmSplash.h"
#include "shell/MarivoDockPanels.h"
#include "shell/MarivoNavEnv.h"

#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <cmath>

namespace {

const QString KeyWindow = QStringLiteral("Window");
const QString &KeyToolbarMain = ToolbarKey::Main;
const QString &KeyToolbarMainViewer = ToolbarKey::MainViewer;
const QString &KeyToolbarRoute = ToolbarKey::Route;
const QString &KeyToolbarS57 = ToolbarKey::S57;
const QString PanelRoute = QStringLiteral("DockablePanelRoute");
const QString PanelVideoSOAD = QStringLiteral("DockablePanelVideoSOAD");

// Panels whose visibility the main window's show routines own (their frames' panels).
const char *const FramePanels[] = {
    "DockablePanelAISTargetInfo", "DockablePanelAISTargetList", "DockablePanelChartInfo",
    "DockablePanelChartLegend",   "DockablePanelChartStatus",   "DockablePanelLinkDetails",
    "DockablePanelLinkDetailsStruct", "DockablePanelNavInfo",   "DockablePanelNavInfoCurrent",
    "DockablePanelNavInfoRoute",  "DockablePanelNMEA",          "DockablePanelRoute",
    "DockablePanelRouteSettings", "DockablePanelUserReport",    "DockablePanelZoS"};

// Not moved back onto a changed screen.
bool KeepsPlaceOnDisplayChange(const QString &name) {
    return name == PanelVideoSOAD || name == QLatin1String("DockablePanelUserReport") ||
           name == QLatin1String("DockablePanelWWRouteInfo") || name == NestedPanelName;
}

// The client a panel has until its frame moves in.
const QString EmptyClientName = QStringLiteral("EmptyPanelClient");

void ApplyClientLimits(QDockWidget *panel, const TDockableLayout &l) {
    QWidget *client = panel->widget();
    client->setMinimumSize(l.MinClientWidth, l.MinClientHeight);
    client->setMaximumSize(l.MaxClientWidth > 0 ? l.MaxClientWidth : QWIDGETSIZE_MAX,
                           l.MaxClientHeight > 0 ? l.MaxClientHeight : QWIDGETSIZE_MAX);
}

}  // namespace

bool TFormMarivo6Main::HasFrame(const QDockWidget *panel) {
    // A panel without its frame would show the skipper an empty window: it stays hidden,
    // and what the store says about it stays as it is for the day the frame exists.
    return panel && panel->widget() && panel->widget()->objectName() != EmptyClientName;
}

QList<QDockWidget *> TFormMarivo6Main::Panels() const {
    QList<QDockWidget *> panels;
    for (const TDockPanelSpec &spec : DockPanelTable())
        panels << FPanels.value(QString::fromLatin1(spec.Name));
    return panels;
}

void TFormMarivo6Main::CreateDocks() {
    for (const TDockPanelSpec &spec : DockPanelTable()) {
        const QString name = QString::fromLatin1(spec.Name);
        auto *panel = new QDockWidget(this);
        panel->setObjectName(name);
        auto *client = new QWidget(panel);  // stays empty until a frame moves in
        client->setObjectName(EmptyClientName);
        panel->setWidget(client);
        panel->hide();
        panel->installEventFilter(this);
        connect(panel, &QDockWidget::topLevelChanged, this,
                [this, panel] { DockablePanelWriteReg(panel); });
        connect(panel, &QDockWidget::dockLocationChanged, this, [this, panel] {
            DockablePanelWriteReg(panel);
            if (panel->objectName() == PanelRoute) {
                const Qt::DockWidgetArea area = dockWidgetArea(panel);
                UpdateRoutePanelMaxHeight(area == Qt::TopDockWidgetArea      ? DockName::Top
                                          : area == Qt::BottomDockWidgetArea ? DockName::Bottom
                                                                             : QString());
            }
        });
        addDockWidget(Qt::LeftDockWidgetArea, panel);
        FPanels.insert(name, panel);
        FPanelLayouts.insert(name, DockPanelDefaults(spec, ScreenDpi()));
    }
    // The nested panel of the second extra viewer lives inside that panel.
    QDockWidget *host = FPanels.value(QStringLiteral("DockablePanelViewerExtra2"));
    auto *nested = new QDockWidget(host->widget());
    nested->setObjectName(NestedPanelName);
    nested->setWidget(new QWidget(nested));
    FPanels.insert(NestedPanelName, nested);
}

void TFormMarivo6Main::CreateToolbars() {
    ToolbarMain = new QToolBar(this);
    ToolbarMain->setObjectName(QStringLiteral("ToolbarMain"));
    addToolBar(Qt::TopToolBarArea, ToolbarMain);
    ToolbarRoute = new QToolBar(this);
    ToolbarRoute->setObjectName(QStringLiteral("ToolbarRoute"));
    addToolBar(Qt::LeftToolBarArea, ToolbarRoute);
}

template <class T>
std::unique_ptr<T> TFormMarivo6Main::MakeFrame(const TFrameFactory<T> &factory,
                                               const char *panelName) {
    if (!factory) return nullptr;
    QDockWidget *panel = panelName ? FPanels.value(QString::fromLatin1(panelName)) : nullptr;
    std::unique_ptr<T> frame = factory(panel ? static_cast<QWidget *>(panel) : this, *FNavEnv);
    if (frame && panel) {
        QWidget *old = panel->widget();
        panel->setWidget(frame->Widget());
        if (old) old->deleteLater();
    }
    return frame;
}

void TFormMarivo6Main::CreateViewerFrame() {
    FViewer = MakeFrame(FFactories.Viewer, nullptr);
    if (!FViewer) return;
    setCentralWidget(FViewer->Widget());
    LabelTitle = nullptr;
    if (FViewer->ViewerControl()) FNavEnv->AttachNotificationCenter(FViewer->ViewerControl());
    FViewer->SetShowScaleBar(true);
    FViewer->SetShowCompassNeedle(true);
    Verbose("Mainviewer options set");
    FViewer->SetWaterwayNetwork(FNavEnv->WaterwayNetwork);
    if (QToolBar *bar = FViewer->ToolbarMain()) addToolBar(Qt::TopToolBarArea, bar);
    if (QToolBar *bar = FViewer->ToolbarS57()) addToolBar(Qt::TopToolBarArea, bar);
    Verbose("Mainviewer initialized");
}

void TFormMarivo6Main::CreateFrames() {
    CreateViewerFrame();
    // Steps 2 to 11 belong to frames the program does not have.
    for (int step = 2; step <= 11; ++step) SplashStep(step);
    FChartLegend = MakeFrame(FFactories.ChartLegend, "DockablePanelChartLegend");
    FHTMLViewer = MakeFrame(FFactories.HTMLViewer, "DockablePanelHTML");
    FChartInfo = MakeFrame(FFactories.ChartInfo, "DockablePanelChartInfo");
    if (FChartInfo) FChartInfo->SetHTMLViewer(FHTMLViewer.get());
    SplashStep(12, "Legend and chartinfo forms created and initialized");
    FRoutes = MakeFrame(FFactories.Routes, "DockablePanelRoute");
    SplashStep(13, "TFrameRoutes created and initialized");
    FRouteSettings = MakeFrame(FFactories.RouteSettings, "DockablePanelRouteSettings");
    SplashStep(14, "TFrameRouteSettings created and initialized");
    SplashStep(15, "Route forms created and initialized");
    FTrackReplay = MakeFrame(FFactories.TrackReplay, "DockablePanelTrackReplay");
    SplashStep(16, "Sim and track replay forms created and initialized");
    FUserReport = MakeFrame(FFactories.UserReport, "DockablePanelUserReport");
    SplashStep(17, "User report form created and initialized");
    SplashStep(18, "Waypoint form created and initialized");
    FNavCurrent = MakeFrame(FFactories.NavCurrent, "DockablePanelNavInfoCurrent");
    SplashStep(19);
    FNavInfo = MakeFrame(FFactories.NavInfo, "DockablePanelNavInfo");
    SplashStep(20);
    FNavRoute = MakeFrame(FFactories.NavRoute, "DockablePanelNavInfoRoute");
    SplashStep(21, "Nav current and route forms created and initialized");
    FNMEAMonitor = MakeFrame(FFactories.NMEAMonitor, "DockablePanelNMEA");
    SplashStep(22);
    FLinkDetails = MakeFrame(FFactories.LinkDetails, "DockablePanelLinkDetails");
    SplashStep(23);
    FLinkDetailsStruct = MakeFrame(FFactories.LinkDetailsStruct, "DockablePanelLinkDetailsStruct");
    SplashStep(24, "NMEA and link details forms created and initialized");
    FChartStatus = MakeFrame(FFactories.ChartStatus, "DockablePanelChartStatus");
    if (FChartStatus) FChartStatus->OnClose = [this] { SetChartStatusVisible(false); };
    SplashStep(25);
    FZichtOpScheepvaart = MakeFrame(FFactories.ZichtOpScheepvaart, "DockablePanelZoS");
    SplashStep(26);
    SplashStep(27);
    SplashStep(28, "Chart status and time control forms created and initialized");
    if (FViewer && FViewer->ViewerControl()) FNavEnv->RegisterViewer(FViewer->ViewerControl());
    SplashStep(29, "Viewers added to navenv");
    FNewsCenter = MakeFrame(FFactories.NewsCenter, nullptr);
    WireNewsCenter();
    Verbose("News center form created");
    FGPSError = MakeFrame(FFactories.GPSSingleError, nullptr);
    Verbose("GPS error forms created");
    SplashStep(30);
}

bool TFormMarivo6Main::eventFilter(QObject *watched, QEvent *event) {
    auto *panel = qobject_cast<QDockWidget *>(watched);
    if (panel && FPanels.value(panel->objectName()) == panel) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize: DockablePanelWriteReg(panel); break;
        case QEvent::Close: DockablePanelClose(panel); break;
        default: break;
        }
    }
    return TMainFormScaled::eventFilter(watched, event);
}

void TFormMarivo6Main::SetPanelVisible(const QString &name, bool visible) {
    QDockWidget *panel = FPanels.value(name);
    if (!panel) return;
    visible = visible && HasFrame(panel);
    FPanelShown.insert(name, visible);
    // The action states show or hide the panel; before the layout is ready they only keep
    // the flag, and the layout's own visibility stands.
    if (!FLayoutReady) panel->setVisible(visible);
    UpdateActionStates();
    DockablePanelWriteReg(panel);
}

void TFormMarivo6Main::DockablePanelClose(QDockWidget *panel) {
    const QString name = panel->objectName();
    if (name == QLatin1String("DockablePanelSimulation")) {
        // Closing the simulation ends it; the closed connection is remembered.
        if (FNavEnv) FNavEnv->StopNavigation(QString(), true);
        return;
    }
    if (name == QLatin1String("DockablePanelWaypoints")) {
        SetEditMode(EditMode::None);
        return;
    }
    if (name == QLatin1String("DockablePanelLinkDetails") && FViewer) {
        FViewer->ClearS57Pick();
        FViewer->ClearSelectedObject();
    }
    if (name == QLatin1String("DockablePanelUserReport") && FViewer)
        FViewer->SetReportPosition(TGeoPoint{99.0, 99.0});
    for (const char *framePanel : FramePanels)
        if (name == QLatin1String(framePanel)) SetPanelVisible(name, false);
}

void TFormMarivo6Main::DockablePanelWriteReg(QDockWidget *panel) {
    if (!FLayoutReady || !panel || !HasFrame(panel)) return;
    const TDockPanelSpec *spec = FindDockPanel(panel->objectName());
    if (!spec) return;
    if (panel->objectName() == PanelVideoSOAD) {
        const int limit = int(std::lround(height() * 2.0 / 3.0));
        if (limit < panel->height()) panel->widget()->setMaximumHeight(limit);
    }
    TDockableLayout &layout = FPanelLayouts[panel->objectName()];
    CaptureDockLayout(this, panel, layout);
    WriteDockablePanelLayout(layout, QString::fromLatin1(spec->Key), spec->WriteFlags);
}

void TFormMarivo6Main::ReadPanels() {
    QList<QDockWidget *> panels;
    QList<TDockableLayout> layouts;
    for (const TDockPanelSpec &spec : DockPanelTable()) {
        const QString name = QString::fromLatin1(spec.Name);
        TDockableLayout layout = DockPanelDefaults(spec, ScreenDpi());
        QDockWidget *panel = FPanels.value(name);
        ApplyClientLimits(panel, layout);
        if (spec.ReadFlags != ReadNot)
            ReadDockablePanelLayout(layout, QString::fromLatin1(spec.Key), MainDockNames(), 0,
                                    spec.ReadFlags, QString::fromLatin1(spec.DefaultDock));
        FPanelLayouts.insert(name, layout);
        layout.Visible = layout.Visible && HasFrame(panel);
        panels << panel;
        layouts << layout;
    }
    ApplyDockLayouts(this, panels, layouts);
}

void TFormMarivo6Main::ApplyPanelVisibility() {
    for (const char *framePanel : FramePanels) {
        const QString name = QString::fromLatin1(framePanel);
        SetPanelVisible(name, !FPanels.value(name)->isHidden());
    }
}

void TFormMarivo6Main::ReadFormPlacementAtStart() {
    const TDesktopGeometry desktop = CurrentDesktopGeometry();
    TFormPlacement placement;
    ReadFormPlacement(placement, KeyWindow, 0x4C000, 10, 10, desktop.WorkArea.width() - 20,
                      desktop.WorkArea.height() - 20, desktop);
    setGeometry(placement.Bounds);
    setWindowState(placement.State == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
    if (RegReadBoolDef(GetAppReg(), AppRegRoot::Product, KeyWindow, RegName(u"FullScreen"), false))
        SetFullScreen(true);
}

void TFormMarivo6Main::LoadLayout() {
    if (FViewer) FViewer->LoadSettings(true, true, true, true);
    SetToolbarsLocked(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Toolbars"),
                                     RegName(u"Locked"), false));
    UpdateActionStates();
    LoadToolbarContents();
    LoadToolbarLayout(false);
    ReadPanels();
    ApplyPanelVisibility();
    ReadFormPlacementAtStart();
    FLayoutReady = true;
    UpdateActionStates();
}

void TFormMarivo6Main::LoadToolbarLayout(bool atEnd) {
    QList<QToolBar *> bars;
    QList<TDockableLayout> layouts;
    auto read = [&](QToolBar *bar, const QString &key, uint32_t flags, const QString &dock,
                    TDockableLayout layout) {
        if (!bar) return;
        ReadToolbarLayout(layout, key, MainDockNames(), flags, dock);
        FToolbarLayouts.insert(bar, layout);
        bars << bar;
        layouts << layout;
    };
    TDockableLayout viewerBar;
    viewerBar.DockRow = 0;
    viewerBar.DockPos = atEnd ? 400 : 1;
    read(FViewer ? FViewer->ToolbarMain() : nullptr, KeyToolbarMainViewer, 6451, DockName::Top,
         viewerBar);
    read(ToolbarMain, KeyToolbarMain, 6451, DockName::Top, {});
    TDockableLayout routeBar;
    routeBar.FloatWidth = 35;
    read(ToolbarRoute, KeyToolbarRoute, 307, DockName::Left, routeBar);
    ApplyToolbarLayouts(this, bars, layouts);
    if (FViewer && FViewer->ToolbarS57()) FViewer->ToolbarS57()->hide();
    FS57ToolbarShown = false;
    FMainToolbarShown = !ToolbarMain->isHidden();
    FChartToolbarShown = FViewer && FViewer->ToolbarMain() && !FViewer->ToolbarMain()->isHidden();
}

TFormPlacement TFormMarivo6Main::CurrentPlacement() const {
    TFormPlacement placement;
    placement.Bounds = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.State = isMaximized() ? 2 : 0;
    return placement;
}

void TFormMarivo6Main::SaveLayout() {
    if (FFullScreen)
        WriteFormState(FSavedWindowState.testFlag(Qt::WindowMaximized) ? 2 : 0, KeyWindow);
    else
        WriteFormPlacement(CurrentPlacement(), KeyWindow, LayoutFlag::FormState);
    auto write = [this](QToolBar *bar, const QString &key, uint32_t flags) {
        if (!bar) return;
        TDockableLayout &layout = FToolbarLayouts[bar];
        CaptureToolbarLayout(this, bar, layout);
        WriteToolbarLayout(layout, key, flags);
    };
    write(ToolbarMain, KeyToolbarMain, 2355);
    write(FViewer ? FViewer->ToolbarMain() : nullptr, KeyToolbarMainViewer, 2355);
    write(ToolbarRoute, KeyToolbarRoute, 307);
    write(FViewer ? FViewer->ToolbarS57() : nullptr, KeyToolbarS57, 2355);
}

void TFormMarivo6Main::ResetLayout() {
    FLayoutReady = false;
    // Only the layout values go: other settings kept below "Desktop" (the device manager's
    // auto-detection, the waypoint name prefix, the news centre's last showing, the route
    // table's route, the sailing area) are the user's and stay.
    static const char16_t *const names[] = {
        u"Visible",    u"Floating", u"FloatHeight", u"FloatWidth", u"FloatLeft", u"FloatTop",
        u"DockHeight", u"DockWidth", u"DockPos",    u"DockRow",    u"DockSite"};
    QStringList keys;
    for (const TDockPanelSpec &spec : DockPanelTable()) keys << QString::fromLatin1(spec.Key);
    keys << KeyToolbarMain << KeyToolbarMainViewer << KeyToolbarRoute << KeyToolbarS57;
    for (const QString &key : keys)
        for (const char16_t *name : names) {
            int32_t err = 0;
            RegDeleteValue(GetAppReg(), AppRegRoot::Product, key,
                           RegName(QString::fromUtf16(name)), err);
        }
    LoadLayout();
}

void TFormMarivo6Main::UpdateRoutePanelMaxHeight(const QString &dock) {
    QDockWidget *panel = FPanels.value(PanelRoute);
    if (!panel) return;
    if (dock != DockName::Top && dock != DockName::Bottom) {
        panel->widget()->setMaximumHeight(QWIDGETSIZE_MAX);
        return;
    }
    const int topDock = centralWidget() ? centralWidget()->y() : 0;
    const int limit = (height() - topDock - StatusBar->height()) / 2;
    panel->widget()->setMaximumHeight(std::max(limit, 0));
    if (panel->height() > limit) resizeDocks({panel}, {limit}, Qt::Vertical);
}

void TFormMarivo6Main::resizeEvent(QResizeEvent *event) {
    TMainFormScaled::resizeEvent(event);
    if (QDockWidget *route = FPanels.value(PanelRoute); route && !route->isFloating()) {
        const Qt::DockWidgetArea area = dockWidgetArea(route);
        UpdateRoutePanelMaxHeight(area == Qt::TopDockWidgetArea      ? DockName::Top
                                  : area == Qt::BottomDockWidgetArea ? DockName::Bottom
                                                                     : QString());
    }
    if (FLayoutReady && !FFullScreen) FPlacementTimer.start();
}

void TFormMarivo6Main::moveEvent(QMoveEvent *event) {
    TMainFormScaled::moveEvent(event);
    if (FLayoutReady && !FFullScreen) FPlacementTimer.start();
}

void TFormMarivo6Main::WMExitSizeMove() {
    if (!FLayoutReady || FFullScreen || isMaximized()) return;
    WriteFormPlacement(CurrentPlacement(), KeyWindow, LayoutFlag::FormPos | LayoutFlag::FormSize);
}

void TFormMarivo6Main::WMDisplayChange() {
    const TDesktopGeometry desktop = CurrentDesktopGeometry();
    for (auto it = FPanels.cbegin(); it != FPanels.cend(); ++it) {
        if (KeepsPlaceOnDisplayChange(it.key())) continue;
        TDockableLayout &l = FPanelLayouts[it.key()];
        l.FloatPos = CheckPlacement(l.FloatPos, l.FloatHeight, l.FloatWidth, false, desktop);
        if (it.value()->isFloating()) it.value()->move(l.FloatPos);
    }
}

void TFormMarivo6Main::MaximizeViewerExtra1() {
    QDockWidget *panel = FPanels.value(QStringLiteral("DockablePanelViewerExtra1"));
    QScreen *screen = panel ? panel->screen() : nullptr;
    if (!screen) return;
    TDockableLayout &l = FPanelLayouts[panel->objectName()];
    const QRect monitor = screen->geometry();
    l.FloatPos = monitor.topLeft();
    l.FloatWidth = monitor.width();
    l.FloatHeight = monitor.height();
    if (panel->isFloating()) panel->setGeometry(monitor);
}
