// The main window's commands of the route, waypoint, track and navigation menus, the route
// edit mode, route selection and the routines that hand environment state to the main
// viewer. Edit modes change only through SetEditMode. A command whose dialog or panel is not
// part of the program stays disabled (RouteDialogReady).
#include "shell/FrmMarivo6Main.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvLib.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraViewer.h"
#include "chartview/NavViewerControl.h"
#include "routes/FrmRoutePointSelect.h"
#include "routes/FrmRoutePointSettings.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvUnits.h>

#include <QAction>
#include <QDockWidget>

namespace {

// The three route-edit buttons: their flag bit and the Boolean under "Routes" that keeps it.
struct TRouteEditToggle {
    const char *Action;
    uint32_t Bit;
    const char16_t *Value;
};
constexpr TRouteEditToggle RouteEditToggles[] = {
    {"ActionRouteEditAdd", 0x1, u"EditPointAdd"},
    {"ActionRouteEditDelete", 0x2, u"EditPointDelete"},
    {"ActionRouteEditMove", 0x4, u"EditPointMove"}};

constexpr const char *PanelRouteSettings = "DockablePanelRouteSettings";
constexpr const char *PanelRoute = "DockablePanelRoute";
constexpr const char *PanelNavInfo = "DockablePanelNavInfo";

// The view's centre pixel as the 100 % zoom takes it.
TDouble2 CentrePixel(const TNavViewerControl &viewer) {
    return {viewer.width() / 2.0 - 0.5, viewer.height() / 2.0 - 0.5};
}

// The position of a chosen location: its waypoint's, or the point along its section.
bool LocationPosition(const TRoutePointSelection &location, TGeoPoint &position) {
    if (location.ToWaypoint) {
        const TGeoPoint *p = location.ToWaypoint->GetPosition();
        if (p) position = *p;
        return p != nullptr;
    }
    if (!location.ToSection) return false;
    TDouble3 global{};
    location.ToSection->GetGlobalPositionAt(global, location.ToPos);
    GlobalToGeo2(position, global, ProgramGeodeticFrame());
    return true;
}

}  // namespace

void TFormMarivo6Main::OnEditMode(const char *name, int mode, std::function<void()> enter) {
    // The command leaves its own mode; from any other it enters it (leaving that one first).
    On(name, [this, mode, enter = std::move(enter)] {
        if (FEditMode == mode)
            SetEditMode(EditMode::None);
        else
            enter();
    });
}

void TFormMarivo6Main::RegisterRouteHandlers() {
    OnEditMode("ActionRouteEdit", EditMode::Route, [this] { BeginRouteEditMode(nullptr, nullptr, nullptr, 0.0, true); });
    On("ActionRouteNew", [this] { BeginRouteEditMode(nullptr, nullptr, nullptr, 0.0, false); });
    for (const TRouteEditToggle &t : RouteEditToggles)
        On(t.Action, [this, t] {
            TNavViewerControl *viewer = MainViewerControl();
            if (!viewer || !FViewer) return;
            const uint32_t flags = viewer->GetRouteEditFlags() ^ t.Bit;
            FViewer->SetRouteEditFlags(int32_t(flags));
            int32_t err = 0;
            RegWriteBool(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"), RegName(QString::fromUtf16(t.Value)),
                         (flags & t.Bit) != 0, err);
            RaiseIfError(err);
            UpdateActionStates();
        });
    On("ActionRouteEditSettings", [this] {
        SetPanelVisible(QString::fromLatin1(PanelRouteSettings), !PanelShown(QString::fromLatin1(PanelRouteSettings)));
    });
    On("ActionRouteEditSettingsPoint", [this] {
        TNavViewerControl *viewer = MainViewerControl();
        IWptRoutePoint *point = viewer ? viewer->GetSelectedRoutePoint() : nullptr;
        if (point && TFormRoutePointSettings::Execute(FNavEnv.get(), point))
            FNavEnv->Post(43, reinterpret_cast<intptr_t>(point));
    });
    for (const char *n : {"ActionRouteEditOverview", "ActionRouteOverview"})
        On(n, [this] { SetPanelVisible(QString::fromLatin1(PanelRoute), !PanelShown(QString::fromLatin1(PanelRoute))); });
    const struct { const char *name; int mode; } planModes[] = {
        {"ActionRouteEditPlanModeTime", 0}, {"ActionRouteEditPlanModeFuel", 2}, {"ActionRouteEditPlanModeTourist", 6}};
    for (const auto &p : planModes) On(p.name, [this, mode = p.mode] { SetRoutePlanMode(mode); });
    On("ActionRoutePointAdd", [this] { AddRoutePoint(); });
    On("ActionViewFind", [this] { FindPlace(); });
    On("ActionRouteStart", [this] { StartOrStopRoute(); });
    On("ActionRouteStop", [this] { FNavEnv->DeactivateRoute(); });
    On("ActionRouteManager", [this] { ShowRouteManager(); });
    On("ActionRouteSettingsDefault", [this] { EditRouteDefaults(); });
    On("ActionRouteDefaultEnabled", [this] {
        FNavEnv->SetDefaultRouteEnabled(!FNavEnv->DefaultRouteEnabled);
        UpdateActionStates();
    });
    On("ActionRouteExplore", [this] {
        FNavEnv->SetRouteExploreMode(!FNavEnv->RouteExploreMode);
        ApplyRouteExploreMode();
        UpdateActionStates();
    });
    On("ActionNavigationInformation", [this] {
        SetPanelVisible(QString::fromLatin1(PanelNavInfo), !PanelShown(QString::fromLatin1(PanelNavInfo)));
    });
    OnEditMode("ActionNavigationDistance", EditMode::Distance, [this] { StartDistanceMeasuring(); });
    // The sign-up frame asks before it stops a running sign-up and runs the sign-up dialog
    // otherwise.
    for (const char *name : {"ActionNavigationZoS", "ActionNavigationToolbarZoS"})
        On(name, [this] {
            if (FZichtOpScheepvaart) FZichtOpScheepvaart->ToggleSignUp();
            UpdateActionStates();
        });
    On("ActionNavigationZoSShow", [this] {
        SetPanelVisible(QStringLiteral("DockablePanelZoS"), !PanelShown(QStringLiteral("DockablePanelZoS")));
        UpdateActionStates();
    });
    On("ActionNavigationHomeRemove", [this] {
        FNavEnv->SetHomeLocation(TGeoPoint{10.0, 10.0});
        OnViewerEvent(TViewerEvent{19, nullptr});
    });
}

void TFormMarivo6Main::RegisterWaypointTrackHandlers() {
    OnEditMode("ActionWaypointEdit", EditMode::Waypoints, [this] { BeginWaypointEdit(); });
    On("ActionWaypointStructures", [this] {
        if (TNavViewerControl *viewer = MainViewerControl()) viewer->SetNetworkFlags(viewer->GetNetworkFlags() ^ 0x8);
        FNavEnv->ApplyWaypointVisibility();
        InvalidateViewers();
        UpdateActionStates();
    });
    On("ActionWaypointTypeEdit", [this] { EditWaypointType(); });
    On("ActionTrackManager", [this] { OpenTrackManager(); });
    On("ActionTrackSettings", [this] {
        FDialogs.TrackSettings(this, *FNavEnv);
        UpdateActionStates();
    });
}

bool TFormMarivo6Main::RouteDialogReady(const char *action) const {
    const std::string_view n(action);
    const TMainDialogs &d = FDialogs;
    auto hasFrame = [this](const char *panel) { return HasFrame(FPanels.value(QString::fromLatin1(panel))); };
    if (n == "ActionRouteManager") return bool(d.RouteManager);
    if (n == "ActionRouteSettingsDefault") return bool(d.RouteSettingsDefault);
    if (n == "ActionTrackManager") return bool(d.TrackManager);
    if (n == "ActionTrackSettings") return bool(d.TrackSettings);
    if (n == "ActionWaypointTypeEdit") return bool(d.WaypointTypeEdit) && FNavEnv && FNavEnv->UserDatabase;
    if (n == "ActionRoutePointAdd" || n == "ActionViewFind") return bool(d.RoutePointSelect);
    if (n == "ActionRouteEditSettings") return hasFrame(PanelRouteSettings);
    if (n == "ActionRouteEditOverview" || n == "ActionRouteOverview") return hasFrame(PanelRoute);
    if (n == "ActionNavigationInformation") return hasFrame(PanelNavInfo);
    if (n == "ActionNavigationZoS" || n == "ActionNavigationToolbarZoS" || n == "ActionNavigationZoSShow")
        return hasFrame("DockablePanelZoS");
    return true;
}

// ---- route editing ----------------------------------------------------------------------------

void TFormMarivo6Main::BeginRouteEditMode(IWptRoute *route, const TGeoPoint *firstPosition,
                                          IWWSection *section, double offset, bool useRemembered) {
    const int before = FEditMode;
    SetEditMode(EditMode::Route);
    FNavEnv->BeginRouteEdit(route, firstPosition, section, offset, useRemembered);
    if (FViewer) FViewer->SetEditMode(2);
    // The notifications posted while the route was opened may have left the mode; the route
    // is still being edited, so no exit routine runs here.
    if (before == EditMode::Route) FEditMode = EditMode::Route;
    if (FRouteSettings) {
        FRouteSettings->SetRoute(FNavEnv->EditedRoute);
        FRouteSettings->ShowGeneralPage();
    }
    UpdateActionStates();
}

void TFormMarivo6Main::SetRoutePlanMode(int mode) {
    IWptRoute *route = FNavEnv->EditedRoute;
    if (!route) return;
    int32_t err = 0;
    route->SetPlanMode(mode, err);
    if (err != 0) return;
    FNavEnv->Post(33, reinterpret_cast<intptr_t>(route));
}

void TFormMarivo6Main::StartOrStopRoute() {
    TMarivoNavEnv &env = *FNavEnv;
    IWptRoute *active = env.GetActiveRoute();
    if (active && !active->IsDefaultRoute()) {
        env.DeactivateRoute();
        return;
    }
    IWptRoute *selected = env.SelectedRoute;
    if (!selected || selected == active) return;
    env.ActivateRoute(selected->GetPoint(0), true, 0.0, NavMsgGetGPSClock()->GetDateTimeUTC());
}

void TFormMarivo6Main::AddRoutePoint() {
    TNavViewerControl *viewer = MainViewerControl();
    IWptRoute *route = FNavEnv->EditedRoute;
    TRoutePointSelection location;
    // The search covers the water bodies the edited route may use.
    TWptRouteDefaults defaults;
    _GetWptRouteDefaults(defaults);
    int32_t waterBodies = int32_t(route ? route->GetWaterBodyMask() : defaults.WaterBodies);
    if (!FDialogs.RoutePointSelect(this, *FNavEnv, FNavEnv->WaterwayNetwork, location, waterBodies)) return;
    TGeoPoint position{};
    if (route && viewer && (viewer->GetRouteEditFlags() & 0x1)) {
        int32_t err = 0;
        IWptRoutePoint *point =
            location.ToWaypoint ? route->AddPointFromWaypoint(location.ToWaypoint, 0, 1, err)
                                : route->AddPointAt(location.ToSection, location.ToPos, 0.0, 0, err);
        // A location the route cannot take: the library says why; nothing is posted and the
        // view stays where it is.
        if (err != 0 || !point) {
            MsgBox(ErrorToStrA(err != 0 ? err : KvErr::InvalidArgument), mtError, MsgButtons({mbOK}));
            return;
        }
        FNavEnv->Post(40, reinterpret_cast<intptr_t>(point));
        const TRoutePosition *p = point->GetPosition();
        if (!p) return;
        position = TGeoPoint{p->Lat, p->Lon};
    } else if (!LocationPosition(location, position)) {
        return;
    }
    if (!viewer) return;
    const TDouble2 centre = CentrePixel(*viewer);
    viewer->Zoom100At(&position, &centre);
}

void TFormMarivo6Main::FindPlace() {
    TWptRouteDefaults defaults;
    _GetWptRouteDefaults(defaults);
    int32_t waterBodies = int32_t(defaults.WaterBodies);
    TRoutePointSelection location;
    if (!FDialogs.RoutePointSelect(this, *FNavEnv, FNavEnv->WaterwayNetwork, location, waterBodies)) return;
    TGeoPoint position{};
    if (!LocationPosition(location, position)) return;
    if (FViewer && FViewer->Frame()) FViewer->Frame()->SetTrackingEnabled(false);
    if (TNavViewerControl *viewer = MainViewerControl()) {
        const TDouble2 centre = CentrePixel(*viewer);
        viewer->Zoom100At(&position, &centre);
    }
}

void TFormMarivo6Main::EditRouteDefaults() {
    TWptRouteDefaults before;
    _GetWptRouteDefaults(before);
    FDialogs.RouteSettingsDefault(this, *FNavEnv);
    TWptRouteDefaults after;
    _GetWptRouteDefaults(after);
    const bool changed = before.CalcDryingOut != after.CalcDryingOut ||
                         before.DepthDependentSpeed != after.DepthDependentSpeed;
    if (changed && FNavEnv->EditedRoute) {
        if (FRouteSettings) FRouteSettings->Reload();
        FNavEnv->Post(0x40000048, reinterpret_cast<intptr_t>(FNavEnv->EditedRoute));
    }
    if (FViewer) {
        FViewer->UpdateObjects();
        FViewer->Invalidate();
    }
}

// ---- waypoints and tracks -------------------------------------------------------------------

void TFormMarivo6Main::BeginWaypointEdit() {
    SetEditMode(EditMode::Waypoints);
    if (TNavViewerControl *viewer = MainViewerControl()) {
        viewer->SetSelectedWaypoint(nullptr);
        viewer->SetWaypointFlags(viewer->GetWaypointFlags() | 0x1 | 0x2);
    }
    if (FViewer) FViewer->SetEditMode(1);
    UpdateActionStates();
}

void TFormMarivo6Main::EndWaypointEdit() {
    if (FViewer) FViewer->SetEditMode(0);
    if (FNavEnv) FNavEnv->CheckWaypointDatabase();
    UpdateActionStates();
}

void TFormMarivo6Main::EditWaypointType() {
    TNavPtr<IWptWaypointTypeList> types(WptWaypointTypeListCreate(0));
    IWptDatabase *db = FNavEnv->UserDatabase;
    if (IWptWaypointType *first = db->GetWaypointTypeCount() > 0 ? db->GetWaypointType(0) : nullptr)
        types->Add(first);
    FDialogs.WaypointTypeEdit(this, db, types.get(), 1);
    InvalidateViewers();
}

void TFormMarivo6Main::OpenTrackManager() {
    TNavViewerControl *viewer = MainViewerControl();
    QString replayed;
    if (viewer && viewer->GetTrackReplayMode()) {
        replayed = NavTrackGetFileName(viewer->GetReplayTrack());
        viewer->SetReplayTrack(nullptr);
    }
    INavTrack *chosen = FDialogs.TrackManager(this, *FNavEnv);
    UpdateTrackLists();
    if (!viewer) return;
    if (chosen && !viewer->GetTrackReplayMode()) viewer->ShowTrack(chosen);
    INavTrack *resume = FTrackReplay ? FTrackReplay->CurrentTrack() : nullptr;
    if (INavTrackList *list = FNavEnv->TrackList; list && !replayed.isEmpty()) {
        for (int32_t i = list->GetCount() - 1; i >= 0; --i) {
            auto *track = dynamic_cast<INavTrack *>(list->GetItem(i));
            if (track && NavTrackGetFileName(track).compare(replayed, Qt::CaseInsensitive) == 0) {
                resume = track;
                break;
            }
        }
    }
    viewer->SetReplayTrack(resume);
    FNavEnv->SaveVisibleLists();
    InvalidateViewers();
}

// ---- routines that hand environment state to the viewer -------------------------------------

void TFormMarivo6Main::SelectRoute(IWptRoute *route) {
    FNavEnv->SetSelectedRoute(route);
    const TGUID *guid = route ? route->GetGUID() : nullptr;
    RegWriteSelectedRouteGUID(guid ? *guid : TGUID{});
    if (TNavViewerControl *viewer = MainViewerControl()) viewer->SetSelectedRoute(route);
    if (FRoutes) FRoutes->SetRoute(route);
    if (FNavInfo) FNavInfo->SetRoute(route);
    UpdateActionStates();
}

void TFormMarivo6Main::ApplyRouteExploreMode() {
    const bool on = FNavEnv->RouteExploreMode;
    if (FNavEnv->PredictedTime) FNavEnv->PredictedTime->SetMode(on ? 2 : 0);
    if (TNavViewerControl *viewer = MainViewerControl()) {
        viewer->SetTrackingNowOnly(!on);
        viewer->SetTrackingTarget(on ? 1 : 0);
    }
    if (FViewer && FViewer->Frame()) FViewer->Frame()->ApplyRouteExploreMode();
}

void TFormMarivo6Main::ApplyViewerColors() {
    TNavViewerControl *viewer = MainViewerControl();
    if (!viewer) return;
    viewer->SetClearColor(uint32_t(FNavEnv->ColorClear));
    viewer->SetColorGPSFix(uint32_t(FNavEnv->ColorGPSFix));
    viewer->SetColorGPSNoFix(uint32_t(FNavEnv->ColorGPSNoFix));
}

void TFormMarivo6Main::ReattachWaterwayNetwork(bool restoreFlags, uint32_t flags) {
    if (FViewer) FViewer->SetWaterwayNetwork(FNavEnv->WaterwayNetwork);
    if (restoreFlags && FViewer && FViewer->Frame()) FViewer->Frame()->SetNetworkFlags(flags);
    InvalidateViewers();
}

void TFormMarivo6Main::OnChartProductsChanged() {
    FNavEnv->RebuildWptDatabaseInfo();
}

void TFormMarivo6Main::ShowRouteManager() {
    IWptRoute *route = nullptr;
    const int action = FDialogs.RouteManager(this, *FNavEnv, route);
    TMarivoNavEnv &env = *FNavEnv;
    env.CheckWaypointDatabase();
    env.ApplyWaypointVisibility();
    if (FRoutes) FRoutes->FillRouteList();
    if (FNavInfo) FNavInfo->FillRouteList();
    UpdateActionStates();
    TNavViewerControl *viewer = MainViewerControl();
    if (route) {
        switch (action) {
        case 1:
            if (route == env.SelectedRoute) {
                SelectRoute(nullptr);
            } else {
                SelectRoute(route);
                if (viewer) viewer->ZoomToRoute(route);
            }
            break;
        case 2:
            if (viewer) viewer->ZoomToRoute(route);
            break;
        case 3: env.ActivateRoute(route->GetPoint(0), true, 0.0, NavMsgGetGPSClock()->GetDateTimeUTC()); break;
        default: break;
        }
    }
    // A route deleted in the manager is no longer selected.
    int32_t index = -1;
    if (env.SelectedRoute && (!env.RouteList || !env.RouteList->Find(env.SelectedRoute, index))) SelectRoute(nullptr);
}
