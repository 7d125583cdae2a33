// Routes: following, editing, selecting, showing, renaming and deleting them, and the
// polygons edited and deleted beside them. Every change is announced through the
// dispatcher so that the viewers, the route table and the panels update themselves.
#include "shell/MarivoNavEnv.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/logbook/KvLogbook.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/settings/KvRegDisplay.h"
#include "base/strings/KvStrUtils.h"
#include "base/waypoints/KvWaypoints.h"
#include "shell/MarivoNavEnvTexts.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLogbook.h>
#include <KvLibNav6/KvUnits.h>

#include <algorithm>

namespace {

TDateTime GPSNow() {
    return NavMsgGetGPSClock()->GetDateTimeUTC();
}

IWptRoutePoint *AsRoutePoint(intptr_t p) {
    return dynamic_cast<IWptRoutePoint *>(reinterpret_cast<NavObject *>(p));
}

// Posters hand the route itself; it may be gone by the time a posted notification arrives,
// so it is only compared until the waypoint manager confirms it (RecalculateRoute).
IWptRoute *AsRoute(intptr_t p) {
    return reinterpret_cast<IWptRoute *>(p);
}

}  // namespace

IWptRoute *TMarivoNavEnv::FollowedRoute() {
    INavRouteNavigation *rn = Boat ? Boat->GetRouteNavigation() : nullptr;
    return rn ? rn->GetRoute() : nullptr;
}

bool TMarivoNavEnv::Ask(uint8_t kind, intptr_t param) {
    TNavQuestion question{kind, true, param};
    if (OnQuestion) OnQuestion(question);
    return question.Answer;
}

void TMarivoNavEnv::StartFollowing(IWptRoutePoint *point, bool flag, double dogRoute,
                                   TDateTime startTime) {
    Boat->StartRouteNavigation(Planner, point, flag, dogRoute, startTime, NetworkPathWidth,
                               OnRouteTargetChanged, this, OnRoutePointPassed, this,
                               OnRoutePointReachedCallback, this);
}

void TMarivoNavEnv::StoreFollowed(IWptRoute *route, IWptRoutePoint *point, double dogRoute,
                                  TDateTime startTime) {
    RegWriteActiveRouteGUID(*route->GetGUID());
    RegWriteActiveRoutePoint(point);
    RegWriteDOGRoute(dogRoute);
    RegWriteRouteStartTime(startTime);
}

void TMarivoNavEnv::AddLogbookEntry(const QString &text) {
    INavLogbook *logbook = Boat->GetLogbook();
    if (!logbook || !logbook->IsRecording()) return;
    TLogbookContext context;
    Boat->FillLogbookContext(context);
    NavLogbookAddEntry(logbook, text, QString(), 0, &context, 1, 1);
    int32_t err = 0;
    logbook->Save(Boat, 6, err);
    if (err == KvErr::Ok) return;
    // The loop stays off while the box is open, so that a tick cannot stack a second box.
    struct TResume {
        TMarivoNavEnv *Env;
        bool WasOn;
        ~TResume() {
            if (WasOn) Env->ResumeLoop();
        }
    } resume{this, PauseLoop()};
    MsgBox(LanguageText(NavEnvText::LogbookSaveFailed).arg(ErrorToStrA(err)), mtError,
           MsgButtons({mbOK}));
}

void TMarivoNavEnv::ActivateRoute(IWptRoutePoint *point, bool flag, double dogRoute,
                                  TDateTime startTime) {
    if (!point || !EnsureBoatPosition()) return;
    IWptRoute *route = point->GetRoute();
    if (route == FollowedRoute()) return;
    const bool wasEdited = route == EditedRoute;
    if (wasEdited) EndRouteEdit(false);
    if (Boat->GetRouteNavigation()) DeactivateRoute();
    SelectRoute(route);
    route->SetStartTime(GPSNow());
    StartFollowing(point, flag, dogRoute, startTime);
    StoreFollowed(route, point, dogRoute, startTime);
    AddLogbookEntry(LanguageText(NavEnvText::RouteStarted).arg(WptObjectGetName(route)));
    Post(NavNotify::RouteFollowStarted, intptr_t(route));
    // Following the edited route keeps it in edit mode.
    if (wasEdited) BeginRouteEdit(route, nullptr, nullptr, 0.0, false);
}

void TMarivoNavEnv::DeactivateRoute() {
    IWptRoute *route = FollowedRoute();
    if (!Boat->GetRouteNavigation()) return;
    const bool wasEdited = route && route == EditedRoute;
    if (wasEdited) EndRouteEdit(false);
    IWptRoute *announced = route && !route->IsReadOnly() ? route : nullptr;
    Boat->StopRouteNavigation();
    // A go-to or default route goes with its following: nobody may be handed it afterwards.
    if (announced && !WaypointManager->HoldsRoute(announced)) announced = nullptr;
    RegWriteActiveRouteGUID(TGUID{});
    Post(NavNotify::RouteFollowStopped, intptr_t(announced));
    if (wasEdited)
        BeginRouteEdit(route, nullptr, nullptr, 0.0, false);
    else
        RequestRouteUpdate(announced);
}

void TMarivoNavEnv::SetActiveRoutePoint(IWptRoutePoint *point) {
    if (INavRouteNavigation *rn = Boat->GetRouteNavigation()) rn->SetTargetPoint(point, 1);
}

void TMarivoNavEnv::GotoWaypoint(IWptWaypoint *waypoint) {
    if (!waypoint || !EnsureBoatPosition()) return;
    if (IWptRoute *followed = FollowedRoute()) {
        if (followed->IsReadOnly() && followed->GetPointCount() > 0 &&
            followed->GetPoint(0)->GetWaypoint() == waypoint)
            return;
        DeactivateRoute();
    }
    Boat->GotoWaypoint(waypoint, Planner, NetworkPathWidth);
    INavRouteNavigation *rn = Boat->GetRouteNavigation();
    if (!rn) return;  // the own ship made no route: nothing started, nothing to announce
    IWptRoute *route = rn->GetRoute();
    // A go-to route is not resumed at the next start.
    RegWriteActiveRouteGUID(TGUID{});
    RegWriteRouteStartTime(rn->GetRouteStartTime());
    RegWriteDOGRoute(0.0);
    AddLogbookEntry(LanguageText(NavEnvText::RouteStarted).arg(WptObjectGetName(route)));
    Post(NavNotify::RouteFollowStarted, intptr_t(route));
}

void TMarivoNavEnv::RecalculateRoute(IWptRoute *route, bool flag) {
    if (!route || !WaypointManager->HoldsRoute(route) || route->IsCalculating()) return;
    route->SetUpdating(1);
    struct TEnd {
        TMarivoNavEnv *Env;
        IWptRoute *Route;
        ~TEnd() {
            if (Route == Env->PendingNavigateToRoute) Env->PendingNavigateToRoute = nullptr;
            Route->SetUpdating(0);
        }
    } end{this, route};
    Post(NavNotify::RouteCalcBegin, intptr_t(route));
    if (route == FollowedRoute() || route->IsDefaultRoute()) {
        if (INavRouteNavigation *rn = Boat->GetRouteNavigation()) rn->Recalculate(0);
    } else {
        const bool plain = route != EditedRoute && route != SelectedRoute;
        Planner->Reset(0);
        Planner->Calculate(ActiveBoatDef, route, 0, !flag && plain, plain,
                           route == EditedRoute || route == PendingNavigateToRoute);
    }
    Post(NavNotify::RouteCalcEnd, intptr_t(route));
}

void TMarivoNavEnv::RequestRouteUpdate(IWptRoute *route) {
    if (route) Send(NavNotify::RecalculateRoute, intptr_t(route));
}

void TMarivoNavEnv::RefreshRoutes(bool active, bool edited, bool selected, bool recalculate) {
    IWptRoute *chosen[] = {edited ? EditedRoute : nullptr, selected ? SelectedRoute : nullptr,
                           active ? FollowedRoute() : nullptr};
    for (IWptRoute *route : chosen) {
        if (!route) continue;
        if (recalculate)
            RecalculateRoute(route, false);
        else
            RequestRouteUpdate(route);
    }
}

void TMarivoNavEnv::BeginRouteEdit(IWptRoute *route, const TGeoPoint *firstPosition,
                                   IWWSection *section, double offset, bool useRemembered) {
    if (EditedRoute) {
        if (EditedRoute == route) return;
        EndRouteEdit(true);
    }
    bool created = false;
    if (!route && useRemembered) {
        if (SelectedRoute && !SelectedRoute->IsDefaultRoute()) {
            route = SelectedRoute;
        } else {
            TGUID guid;
            RegReadGUIDDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"),
                           RegName(u"Edit"), TGUID{}, guid);
            int32_t index = -1;
            if (!(guid == TGUID{}) && WaypointManager->FindRoute(guid, index))
                route = WaypointManager->GetRoute(index);
        }
    }
    if (!route) {
        route = UserDatabase->NewRoute(GPSNow());
        created = true;
    }
    int32_t err = 0;
    RegWriteGUID(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"), RegName(u"Edit"),
                 *route->GetGUID(), err);
    RaiseIfError(err);
    EditedRoute = route;
    int32_t index = -1;
    if (!RouteList->Find(route, index)) RouteList->Add(route);
    SaveVisibleRoutes();
    Post(NavNotify::RouteEditOn, intptr_t(route), created ? 1 : 0);
    RequestRouteUpdate(route);
    if (!firstPosition) return;
    if (section)
        route->AddNetworkPoint(section, offset, 0, err);
    else
        route->AddPointAtPosition(TRoutePosition{firstPosition->Lat, firstPosition->Lon, 0.0}, err);
    RaiseIfError(err);
    Post(NavNotify::RoutePointRefresh, intptr_t(route->GetPoint(0)));
}

void TMarivoNavEnv::EndRouteEdit(bool deleteIfEmpty) {
    IWptRoute *route = EditedRoute;
    if (!route) return;
    EditedRoute = nullptr;
    UpdateRouteChartNotice();
    Post(NavNotify::RouteEditOff, intptr_t(route));
    if (deleteIfEmpty && route->GetPointCount() == 0) {
        Post(NavNotify::RouteDeleting, intptr_t(route));
        RemoveRoute(route);
        Post(NavNotify::RouteDeleted, intptr_t(route));
    } else if (Boat->GetRouteNavigation()) {
        RequestRouteUpdate(route);
    } else {
        SelectRoute(route);
    }
}

void TMarivoNavEnv::DeleteRoute(IWptRoute *route, bool ask) {
    if (!route) return;
    if (ask && !Ask(NavQuestion::DeleteRoute, intptr_t(route))) return;
    Post(NavNotify::RouteDeleting, intptr_t(route));
    if (route == EditedRoute) EndRouteEdit(false);
    if (route == FollowedRoute()) DeactivateRoute();
    RemoveRoute(route);
    Post(NavNotify::RouteDeleted, intptr_t(route));
    CheckWaypointDatabase();
}

void TMarivoNavEnv::RemoveRoute(IWptRoute *route) {
    if (route == SelectedRoute) SelectRoute(nullptr);
    int32_t index = -1;
    const bool wasVisible = RouteList->Find(route, index);
    RouteList->Remove(route);
    SaveVisibleRoutes();
    int32_t err = 0;
    route->DeleteFromDatabase(err);
    if (err != KvErr::Ok && wasVisible) {
        // The route stays (read-only): it stays shown too.
        RouteList->Add(route);
        int32_t ignored = 0;
        RegWriteRoutesVisible(RouteList, ignored);
    }
    RaiseIfError(err);
}

bool TMarivoNavEnv::DeleteRoutePoint(IWptRoutePoint *point) {
    if (!point) return false;
    IWptRoute *route = point->GetRoute();
    // Refused before anything changes: the following must not lose its target for nothing.
    if (route->IsReadOnly()) RaiseIfError(KvErr::ReadOnly);
    if (!Ask(NavQuestion::DeletePoint, intptr_t(point))) return false;
    INavRouteNavigation *rn = Boat->GetRouteNavigation();
    if (rn && rn->GetRoute() == route && rn->GetTargetPoint() == point) {
        if (point == route->GetLastPoint())
            DeactivateRoute();
        else
            SetActiveRoutePoint(point->GetNext());
    }
    int32_t err = 0;
    route->DeletePoint(point, err);
    RaiseIfError(err);
    Post(NavNotify::RoutePointsDeleted, intptr_t(point), intptr_t(route));
    rn = Boat->GetRouteNavigation();
    if (rn && rn->GetRoute() == route) RegWriteActiveRoutePoint(rn->GetTargetPoint());
    return true;
}

void TMarivoNavEnv::DeletePointsOfRoute(IWptRoute *route,
                                        const std::vector<IWptRoutePoint *> &points) {
    if (route == FollowedRoute()) DeactivateRoute();
    for (IWptRoutePoint *point : points) {
        int32_t err = 0;
        route->DeletePoint(point, err);
        RaiseIfError(err);
    }
    Post(NavNotify::RoutePointsDeleted, intptr_t(points.back()), intptr_t(route));
}

bool TMarivoNavEnv::DeleteRoutePoints(const std::vector<IWptRoutePoint *> &points) {
    if (points.empty()) return true;
    // Grouped by route before anything goes: a deleted point cannot be asked for its route.
    std::vector<std::pair<IWptRoute *, std::vector<IWptRoutePoint *>>> byRoute;
    for (IWptRoutePoint *point : points) {
        IWptRoute *route = point->GetRoute();
        auto it = std::find_if(byRoute.begin(), byRoute.end(),
                               [route](const auto &entry) { return entry.first == route; });
        if (it == byRoute.end()) {
            if (route->IsReadOnly()) RaiseIfError(KvErr::ReadOnly);
            it = byRoute.insert(byRoute.end(), {route, {}});
        }
        it->second.push_back(point);
    }
    if (!Ask(NavQuestion::DeletePoints, intptr_t(points.size()))) return false;
    // Each route is stopped and announced for itself, also in a list that spans several.
    for (const auto &[route, ofRoute] : byRoute) DeletePointsOfRoute(route, ofRoute);
    return true;
}

void TMarivoNavEnv::RenameRoute(IWptRoute *route, const QString &name) {
    const QString cut = LeftCharacters(name, 255);
    if (cut == WptObjectGetName(route)) return;
    int32_t err = 0;
    WptObjectSetName(route, cut, err);
    RaiseIfError(err);
    Post(NavNotify::RouteChanged, intptr_t(route));
}

void TMarivoNavEnv::SetSelectedRoute(IWptRoute *route) {
    if (route == SelectedRoute) return;
    IWptRoute *old = SelectedRoute;
    SelectedRoute = route;
    UpdateRouteChartNotice();
    RequestRouteUpdate(route);
    RequestRouteUpdate(old);
}

void TMarivoNavEnv::SelectRoute(IWptRoute *route) {
    SelectedRoute = route;
    UpdateRouteChartNotice();
    if (OnSelectRoute) OnSelectRoute(route);
}

void TMarivoNavEnv::SetVisibleRoutes(IWptRouteList *routes) {
    RouteList->Clear();
    int32_t err = 0;
    RouteList->AddAll(routes, err);
    RaiseIfError(err);
    SaveVisibleRoutes();
}

void TMarivoNavEnv::SaveVisibleRoutes() {
    int32_t err = 0;
    RegWriteRoutesVisible(RouteList, err);
    RaiseIfError(err);
    UpdateRouteChartNotice();
    Post(NavNotify::VisibleRoutesChanged);
}

void TMarivoNavEnv::UpdateRouteChartNotice() {
    if (!WaypointManager) return;
    IWptRoute *followed = FollowedRoute();
    int missing = 0;
    for (int32_t i = 0; i < WaypointManager->GetRouteCount(); ++i) {
        IWptRoute *route = WaypointManager->GetRoute(i);
        const int32_t kind = route->GetKind();
        int32_t index = -1;
        if (kind < 3 || kind > 5 || !RouteList->Find(route, index)) continue;
        if (route != EditedRoute && route != SelectedRoute && route != followed) continue;
        IRouteChartCoverage *coverage = route->GetChartCoverage();
        if (!coverage || !coverage->NeedsCharts()) continue;
        if (ChartManager && coverage->CoveredBy(ChartManager))
            RequestRouteUpdate(route);
        else
            ++missing;
    }
    if (missing == 0)
        WithdrawUserNotification(NavUserNotify::ChartsMissing);
    else if (!S57ChartLoader || !S57ChartLoader->IsBusy())
        PostUserNotification(NavUserNotify::ChartsMissing, QString(), 4, false, 0);
}

void TMarivoNavEnv::DeletePolygon(IWptPolygon *polygon, bool ask) {
    if (!polygon) return;
    if (ask && !Ask(NavQuestion::DeletePolygon, intptr_t(polygon))) return;
    Post(NavNotify::PolygonDeleted, intptr_t(polygon));
    if (polygon == EditedPolygon) EndPolygonEdit(false);
    RemovePolygon(polygon);
    Post(NavNotify::PolygonListChanged, intptr_t(polygon));
    CheckWaypointDatabase();
}

void TMarivoNavEnv::RemovePolygon(IWptPolygon *polygon) {
    PolygonList->Remove(polygon);
    SaveVisiblePolygons();
    int32_t err = 0;
    polygon->DeleteFromDatabase(err);
    RaiseIfError(err);
}

void TMarivoNavEnv::EndPolygonEdit(bool deleteIfEmpty) {
    IWptPolygon *polygon = EditedPolygon;
    if (!polygon) return;
    EditedPolygon = nullptr;
    Post(NavNotify::HighlightOff, intptr_t(polygon));
    if (!deleteIfEmpty || polygon->IsComplete()) return;
    Post(NavNotify::PolygonDeleted, intptr_t(polygon));
    RemovePolygon(polygon);
    Post(NavNotify::PolygonListChanged, intptr_t(polygon));
}

void TMarivoNavEnv::AddPolygonPoint(const TGeoPoint &position) {
    if (!EditedPolygon) return;
    int32_t err = 0;
    EditedPolygon->AddPoint(position, err);
    RaiseIfError(err);
    // The position is the caller's and gone before a posted notification arrives.
    Post(NavNotify::PolygonPointsChanged, 0, intptr_t(EditedPolygon));
}

void TMarivoNavEnv::SaveVisiblePolygons() {
    int32_t err = 0;
    RegWritePolygonsVisible(PolygonList, err);
    RaiseIfError(err);
    Post(NavNotify::VisiblePolygonsChanged);
}

void TMarivoNavEnv::RestoreFollowedRoute() {
    TGUID guid;
    RegReadActiveRouteGUID(guid);
    int32_t index = -1;
    if (!(guid == TGUID{}) && WaypointManager->FindRoute(guid, index)) {
        IWptRoute *route = WaypointManager->GetRoute(index);
        TGeoPoint position;
        if (!Boat->GetPosition(position)) return;
        const int32_t point = RegReadActiveRoutePoint();
        if (point < 0 || point >= route->GetPointCount()) return;
        const TDateTime startTime = RegReadRouteStartTime();
        const double dogRoute = RegReadDOGRoute();
        SelectRoute(route);
        ActivateRoute(route->GetPoint(point), true, dogRoute, startTime);
        return;
    }
    if (WaypointManager->GetRouteCount() != 1) return;
    IWptRoute *only = WaypointManager->GetRoute(0);
    if (RouteList->Find(only, index)) SelectRoute(only);
}

void TMarivoNavEnv::OnRouteEnded(void *data, intptr_t) {
    try {
        static_cast<TMarivoNavEnv *>(data)->DeactivateRoute();
    } catch (...) {
        ReportCurrentException();
    }
}

bool TMarivoNavEnv::HandleRouteNotification(TNavNotification &n) {
    switch (n.Code) {
    case NavNotify::RouteSettingsChanged: RequestRouteUpdate(AsRoute(n.P1)); return true;
    case NavNotify::RoutePointRefresh:
    case NavNotify::RouteObjectChanged:
        if (IWptRoutePoint *point = AsRoutePoint(n.P1)) RequestRouteUpdate(point->GetRoute());
        return true;
    case NavNotify::RoutePointRemove:
        if (IWptRoutePoint *point = AsRoutePoint(n.P1)) n.Result = DeleteRoutePoint(point) ? 1 : 0;
        n.Handled = true;
        return true;
    case NavNotify::ShipSettingsChanged:
    case NavNotify::PlannerValuesChanged:
        RequestRouteUpdate(EditedRoute);
        RequestRouteUpdate(FollowedRoute());
        return true;
    case NavNotify::RoutePointsDeleted: RequestRouteUpdate(AsRoute(n.P2)); return true;
    case NavNotify::RecalculateRoute:
        if (Loop && Loop->IsOn()) RecalculateRoute(AsRoute(n.P1), false);
        n.Handled = true;
        return true;
    default: return false;
    }
}
