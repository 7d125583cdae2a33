// The main window's actions and menu bar made from the action table, which actions may
// run, the action states taken from a snapshot and applied where they differ, the panel
// and toolbar show routines, and the texts of actions and menus.
#include "shell/FrmMarivo6Main.h"

#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegDesktop.h"
#include "base/kvlib/KvProgInfo.h"
#include "chartview/NavViewerControl.h"
#include "chartview/FraViewer.h"
#include "shell/MarivoActionTable.h"
#include "shell/MarivoDockPanels.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvLogbook.h>

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>

namespace {


// The route toolbar's buttons, in order.
const char *const RouteToolbarActions[] = {
    "ActionRouteEditAdd",      "ActionRouteEditDelete",        "ActionRouteEditMove",
    "ActionRoutePointAdd",     "ActionRouteEditSettings",      "ActionRouteEditSettingsPoint",
    "ActionRouteEditOverview", "ActionRouteStart"};

// Rows whose check mark the states decide: found once from a computation.
const std::vector<bool> &CheckableRows() {
    static const std::vector<bool> rows = [] {
        TActionSnapshot s;
        s.LayoutReady = true;
        const TUiStates states = ComputeActionStates(s);
        std::vector<bool> r;
        for (const TActionState &a : states.Actions) r.push_back(a.Checkable);
        return r;
    }();
    return rows;
}

TMainDialogs &NextDialogs() {
    static TMainDialogs dialogs = ProgramDialogs();
    return dialogs;
}

}  // namespace

TMainDialogs TFormMarivo6Main::SetDialogs(TMainDialogs dialogs) {
    std::swap(NextDialogs(), dialogs);
    return dialogs;
}

void TFormMarivo6Main::CreateActions() {
    FDialogs = NextDialogs();
    const auto &table = ActionTable();
    const std::vector<bool> &checkable = CheckableRows();
    FActions.reserve(table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        const TActionRow &row = table[i];
        auto *action = new QAction(QString::fromLatin1(row.Name), this);
        action->setObjectName(QString::fromLatin1(row.Name));
        if (row.ShortCut) action->setShortcut(QKeySequence(QString::fromLatin1(row.ShortCut)));
        action->setCheckable(row.AutoCheck || checkable[i]);
        action->setData(row.Tag);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, i] { RunAction(int(i)); });
        FActions.push_back(action);
    }
    // The window's own shortcuts work wherever the focus is inside it.
    addActions(QList<QAction *>(FActions.begin(), FActions.end()));
    for (const char *name : RouteToolbarActions) ToolbarRoute->addAction(Action(name));
    RegisterOwnHandlers();
    CreateMenus();
    RefreshAvailability();
}

void TFormMarivo6Main::CreateMenus() {
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("ToolbarMainMenu"));
    for (const TMenuRow &m : MenuTable()) {
        auto *menu = new QMenu(bar);
        menu->setObjectName(QString::fromLatin1(m.Name));
        menu->menuAction()->setObjectName(QString::fromLatin1(m.Name));
        // A hidden menu keeps its actions: they still run from a toolbar or a shortcut.
        if (m.Hidden) menu->menuAction()->setVisible(false);
        FMenus.insert(QString::fromLatin1(m.Name), menu);
        if (!m.Parent) bar->addMenu(menu);
    }
    const auto &table = ActionTable();
    const size_t guest = table.size();
    for (const TMenuRow &m : MenuTable()) {
        // Entries in table order, the menu's own category first and guests of other
        // categories after it; a sub-menu stands where its first entry would.
        std::vector<std::pair<size_t, QAction *>> entries;
        const char *own = nullptr;
        for (size_t i = 0; i < table.size(); ++i) {
            if (!table[i].Menu || qstrcmp(table[i].Menu, m.Name) != 0) continue;
            if (!own) own = table[i].Category;
            entries.emplace_back(qstrcmp(table[i].Category, own) == 0 ? i : guest + i, FActions[i]);
        }
        for (const TMenuRow &child : MenuTable()) {
            if (!child.Parent || qstrcmp(child.Parent, m.Name) != 0) continue;
            for (size_t i = 0; i < table.size(); ++i)
                if (table[i].Menu && qstrcmp(table[i].Menu, child.Name) == 0) {
                    entries.emplace_back(i, FMenus.value(QString::fromLatin1(child.Name))->menuAction());
                    break;
                }
        }
        std::sort(entries.begin(), entries.end(),
                  [](const auto &a, const auto &b) { return a.first < b.first; });
        QMenu *menu = FMenus.value(QString::fromLatin1(m.Name));
        for (const auto &e : entries) menu->addAction(e.second);
    }
    // Groups of a menu.
    for (const char *name : {"ActionFileExit", "ActionFilePrint", "ActionViewFullscreen",
                             "ActionViewToolbarMain", "ActionSound", "ActionHelpUpdate",
                             "ActionHelpAbout", "ActionChartManager"})
        for (QMenu *menu : std::as_const(FMenus))
            if (menu->actions().contains(Action(name))) menu->insertSeparator(Action(name));
}

QAction *TFormMarivo6Main::Action(const char *name) const {
    const int i = ActionIndex(name);
    return i < 0 || size_t(i) >= FActions.size() ? nullptr : FActions[size_t(i)];
}

QMenu *TFormMarivo6Main::Menu(const char *name) const {
    return FMenus.value(QString::fromLatin1(name));
}

void TFormMarivo6Main::RegisterActionHandler(const char *name, TActionHandler handler) {
    FHandlers.insert(QString::fromLatin1(name), std::move(handler));
    if (!FActions.empty()) {
        RefreshAvailability();
        UpdateActionStates();
    }
}

void TFormMarivo6Main::SetMainDialogs(TMainDialogs dialogs) {
    FDialogs = std::move(dialogs);
    RefreshAvailability();
    UpdateActionStates();
}

bool TFormMarivo6Main::ActionAvailable(int row) const {
    return row >= 0 && size_t(row) < FAvailable.size() && FAvailable[size_t(row)];
}

void TFormMarivo6Main::RefreshAvailability() {
    const auto &table = ActionTable();
    const TMainDialogs &d = FDialogs;
    auto need = [&](const TActionRow &row) -> bool {
        switch (row.Need) {
        case TActionNeed::None: return true;
        case TActionNeed::Panel: return HasFrame(FPanels.value(QString::fromLatin1(row.Panel)));
        case TActionNeed::Import: return bool(d.Import);
        case TActionNeed::SettingsLocale: return bool(d.SettingsLocale);
        case TActionNeed::SettingsShip: return bool(d.SettingsShip);
        case TActionNeed::SettingsPlanner: return bool(d.SettingsPlanner);
        case TActionNeed::SettingsSailingArea: return bool(d.SettingsSailingArea);
        case TActionNeed::SettingsView: return bool(d.SettingsView);
        case TActionNeed::SettingsS57: return bool(d.SettingsS57);
        case TActionNeed::SettingsGPS: return bool(d.SettingsGPS);
        case TActionNeed::GPSDownload: return bool(d.GPSDownload);
        case TActionNeed::Print: return d.Print && d.PrintJob;
        case TActionNeed::ExtensionManager: return bool(d.ExtensionManager);
        case TActionNeed::CheckUpdates: return bool(d.CheckUpdates);
        case TActionNeed::NewsCenter: return bool(d.NewsCenter);
        case TActionNeed::StartupWizard: return bool(d.StartupWizard);
        case TActionNeed::About: return bool(d.About);
        case TActionNeed::ToolbarEdit: return bool(d.ToolbarEdit);
        case TActionNeed::HelpKeyboard: return bool(d.HelpKeyboard);
        case TActionNeed::HelpContents: return bool(d.HelpContext) && FHelpFileFound;
        case TActionNeed::ChartManager: {
            // The viewer's chart-manager dialog registers with the viewer frame.
            auto execute = TFrameViewer::SetChartManagerExecute({});
            const bool has = bool(execute) && FViewer && FViewer->Frame();
            TFrameViewer::SetChartManagerExecute(std::move(execute));
            return has;
        }
        }
        return false;
    };
    FAvailable.assign(table.size(), false);
    for (size_t i = 0; i < table.size(); ++i)
        FAvailable[i] = FHandlers.contains(QString::fromLatin1(table[i].Name)) && need(table[i]) &&
                        RouteDialogReady(table[i].Name);
}

void TFormMarivo6Main::RunAction(int row) {
    // A disabled action never runs, also not through a shortcut that slipped through.
    if (!ActionAvailable(row) || !FActions[size_t(row)]->isEnabled()) return;
    const auto it = FHandlers.constFind(QString::fromLatin1(ActionTable()[size_t(row)].Name));
    if (it != FHandlers.constEnd()) it.value()(FActions[size_t(row)]);
}

TNavViewerControl *TFormMarivo6Main::MainViewerControl() const {
    return FViewer ? FViewer->ViewerControl() : nullptr;
}

// ---- states ---------------------------------------------------------------------------------

TActionSnapshot TFormMarivo6Main::TakeActionSnapshot() const {
    TActionSnapshot s;
    s.LayoutReady = FLayoutReady && !FActions.empty();
    s.FullInterface = FFullInterface;
    s.Language = GetCurrentLanguage();
    s.Available = FAvailable;
    s.EditMode = FEditMode;
    s.FullScreen = FFullScreen;
    s.ToolbarsLocked = FToolbarsLocked;
    s.MainToolbarShown = FMainToolbarShown;
    s.ChartToolbarShown = FChartToolbarShown;
    s.S57ToolbarShown = FS57ToolbarShown;
    for (int p = 0; p < StatePanelCount; ++p)
        s.PanelShown[size_t(p)] =
            FPanelShown.value(QString::fromLatin1(StatePanelName(TStatePanel(p))), false);
    if (QDockWidget *status = FPanels.value(QStringLiteral("DockablePanelChartStatus")))
        s.ChartStatusFloating = status->isFloating();
    if (FLinkDetails) s.LinkDetailsContent = FLinkDetails->ContentType();
    if (FNavEnv) {
        TMarivoNavEnv &env = *FNavEnv;
        INavBoat *boat = env.Boat;
        s.Navigating = boat->GetNavigationState() != 0;
        s.Simulating = boat->IsSimulating();
        INavLogbook *logbook = boat->GetLogbook();
        s.HasLogbook = logbook != nullptr;
        s.LogbookRecording = logbook && logbook->IsRecording();
        s.HasPosition = boat->HasPosition();
        s.SoundEnabled = env.SoundEnabled;
        s.DefaultRouteEnabled = env.DefaultRouteEnabled;
        s.RouteExploreMode = env.RouteExploreMode;
        s.HomeSet = env.HomeLocation.Lat != 10.0;
        s.SignedUp = env.StructOperationManager && env.StructOperationManager->IsActive();
        s.HasNetwork = env.WaterwayNetwork != nullptr;
        s.HasSelectedRoute = env.SelectedRoute != nullptr;
        if (IWptRoute *active = env.GetActiveRoute()) {
            s.ActiveRoute = true;
            s.ActiveRouteIsDefault = active->IsDefaultRoute();
        }
        // The route table shows the edited route while a route is edited.
        if (IWptRoute *table = FEditMode == EditMode::Route ? env.EditedRoute : nullptr) {
            s.TableRoute = true;
            s.TablePlanMode = table->GetPlanMode();
            s.TableVectorsAllowed = table->GetVectorOption35() == 1 ||
                                    table->GetVectorOption37() == 1 ||
                                    table->GetVectorOption37() == 2 ||
                                    table->GetVectorOption39() == 1;
        }
        if (env.S52Library) {
            s.S57DisplayFlags = env.S52Library->GetDisplayFlags(0);
            s.ColorScheme = env.S52Library->GetColorScheme();
        }
    }
    if (TNavViewerControl *v = MainViewerControl()) {
        s.Calibrated = v->GetCalibration() != nullptr;
        s.ViewerSelectedRoutePoint = v->GetSelectedRoutePoint() != nullptr;
        s.ReplayingTrack = v->GetTrackReplayMode();
        s.ShowLogbook = v->GetShowLogbook();
        s.TrackingEnabled = v->GetTrackingEnabled();
        s.S57PickAvailable = v->GetS57PickAvailable();
        s.AnchorGuard = v->GetAnchorGuardActive();
        s.ShowVisibleTracks = v->GetShowVisibleTracks();
        s.SmartLabels = v->GetSmartLabels();
        s.ShowChartBounds = v->GetShowChartBounds();
        s.ViewerEditMode = v->GetEditMode();
        s.WaypointFlags = v->GetWaypointFlags();
        s.NetworkFlags = v->GetNetworkFlags();
        s.RouteFlags = v->GetRouteFlags();
        s.RouteEditFlags = v->GetRouteEditFlags();
        s.AISFlags = v->GetAISFlags();
        s.GRIBFlags = v->GetGRIBFlags();
        s.TideFlags = v->GetTideFlags();
        s.GPSFlags = v->GetGPSFlags();
    } else if (FViewer) {
        s.Calibrated = FViewer->GetCalibration() != nullptr;
    }
    return s;
}

void TFormMarivo6Main::UpdateActionStates() {
    UpdateCaption();
    const TUiStates states = ComputeActionStates(TakeActionSnapshot());
    if (!states.UpdateOnlyCaption) {
        // The viewer's replay list marks follow the replay.
        ApplyUiStates(states);
        if (FNavEnv) FNavEnv->SetObjectUpdateLayers(states.BlueWaveLayer, states.WaterMessagesLayer);
        // A pick report whose pick is gone closes.
        if (states.HideLinkDetails) SetLinkDetailsVisible(false);
    }
    emit ActionStatesChanged();
}

void TFormMarivo6Main::ApplyUiStates(const TUiStates &states) {
    for (size_t i = 0; i < FActions.size() && i < states.Actions.size(); ++i)
        ApplyActionState(int(i), states.Actions[i]);
    ApplyPanelStates(states);
}

void TFormMarivo6Main::ApplyActionState(int row, const TActionState &a) {
    QAction *action = FActions[size_t(row)];
    if (action->isEnabled() != a.Enabled) action->setEnabled(a.Enabled);
    if (action->isCheckable() && action->isChecked() != a.Checked) action->setChecked(a.Checked);
    if (action->isVisible() != a.Visible) action->setVisible(a.Visible);
    if (action->property("ImageIndex").toInt() != a.ImageIndex || !action->property("ImageIndex").isValid())
        action->setProperty("ImageIndex", a.ImageIndex);
    if (a.NoShortCut && !action->shortcut().isEmpty()) action->setShortcut(QKeySequence());
    if (a.Caption) {
        const QString text = LanguageText(*a.Caption);
        if (action->text() != text) action->setText(text);
        if (action->toolTip() != text) action->setToolTip(text);
    }
}

void TFormMarivo6Main::ApplyPanelStates(const TUiStates &states) {
    auto show = [](QWidget *w, bool v) {
        if (w && w->isHidden() == v) w->setVisible(v);
    };
    show(ToolbarMain, states.ToolbarMain);
    show(ToolbarRoute, states.ToolbarRoute);
    if (FViewer) {
        show(FViewer->ToolbarMain(), states.ToolbarChart);
        show(FViewer->ToolbarS57(), states.ToolbarS57);
    }
    for (int p = 0; p < StatePanelCount; ++p) {
        QDockWidget *panel = FPanels.value(QString::fromLatin1(StatePanelName(TStatePanel(p))));
        if (!panel) continue;
        show(panel, states.PanelVisible[size_t(p)] && HasFrame(panel));
    }
    if (QDockWidget *status = FPanels.value(QStringLiteral("DockablePanelChartStatus"))) {
        const bool fixed = !states.ChartStatusResizable;
        if (status->property("FixedSize").toBool() != fixed) status->setProperty("FixedSize", fixed);
    }
}

// ---- show routines --------------------------------------------------------------------------

void TFormMarivo6Main::SetChartInfoVisible(bool v) {
    SetPanelVisible(QStringLiteral("DockablePanelChartInfo"), v);
}

void TFormMarivo6Main::SetChartLegendVisible(bool v) {
    SetPanelVisible(QStringLiteral("DockablePanelChartLegend"), v);
}

void TFormMarivo6Main::SetChartStatusVisible(bool v) {
    SetPanelVisible(QStringLiteral("DockablePanelChartStatus"), v);
}

void TFormMarivo6Main::SetNMEAMonitorVisible(bool v) {
    SetPanelVisible(QStringLiteral("DockablePanelNMEA"), v);
}

void TFormMarivo6Main::SetUserReportVisible(bool v) {
    SetPanelVisible(QStringLiteral("DockablePanelUserReport"), v);
}

void TFormMarivo6Main::SetLinkDetailsVisible(bool v) {
    const int content = FLinkDetails ? FLinkDetails->ContentType() : 0;
    if (FViewer) {
        if (!v || content != 8) FViewer->ClearS57Pick();
        if (!v || content == 8) FViewer->ClearSelectedObject();
    }
    SetPanelVisible(QStringLiteral("DockablePanelLinkDetails"), v);
}

void TFormMarivo6Main::SetToolbarShown(bool &flag, QToolBar *bar, const QString &key, bool v) {
    flag = v;
    UpdateActionStates();
    if (!bar || !FLayoutReady) return;
    TDockableLayout &layout = FToolbarLayouts[bar];
    CaptureToolbarLayout(this, bar, layout);
    layout.Visible = v;
    WriteToolbarLayout(layout, key, 2355);
}

void TFormMarivo6Main::SetMainToolbarVisible(bool v) {
    SetToolbarShown(FMainToolbarShown, ToolbarMain, ToolbarKey::Main, v);
}

void TFormMarivo6Main::SetChartToolbarVisible(bool v) {
    SetToolbarShown(FChartToolbarShown, FViewer ? FViewer->ToolbarMain() : nullptr,
                    ToolbarKey::MainViewer, v);
}

void TFormMarivo6Main::SetS57ToolbarVisible(bool v) {
    SetToolbarShown(FS57ToolbarShown, FViewer ? FViewer->ToolbarS57() : nullptr, ToolbarKey::S57, v);
}
