// The frame's context menu (rebuilt on every right-click), its commands and the keys of the
// viewer.
#include "chartview/FraViewer.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvStrings.h"
#include "base/settings/KvRegCharts.h"
#include "chartview/FraViewerTexts.h"
#include "shell/MarivoImages.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QFileInfo>
#include <QMenu>
#include <QToolBar>

namespace {

TFrameViewer::TWaypointEditExecute &WaypointEditExecute() {
    static TFrameViewer::TWaypointEditExecute execute;
    return execute;
}

TFrameViewer::TRoutePointSettingsExecute &RoutePointSettingsExecute() {
    static TFrameViewer::TRoutePointSettingsExecute execute;
    return execute;
}

QString S57Caption(IChart *chart) {
    const QString file = StrWToWide(chart->GetFileName());
    return QStringLiteral("1:") + QString::number(chart->GetScale()) + QStringLiteral(", ") +
           QFileInfo(file).completeBaseName();
}

bool Protected(IWptObject *object) {
    return object && object->IsProtected();
}

// Deletes a new waypoint on every path except the one that keeps it.
class TNewWaypointGuard {
public:
    explicit TNewWaypointGuard(IWptWaypoint *waypoint) : FWaypoint(waypoint) {}
    ~TNewWaypointGuard() {
        if (!FWaypoint) return;
        int32_t err = 0;
        FWaypoint->DeleteFromDatabase(err);
    }
    void Keep() { FWaypoint = nullptr; }
    // Deletes now and reports a refusal.
    void Delete() {
        IWptWaypoint *waypoint = FWaypoint;
        FWaypoint = nullptr;
        int32_t err = 0;
        waypoint->DeleteFromDatabase(err);
        RaiseIfError(err);
    }

private:
    IWptWaypoint *FWaypoint;
};

}  // namespace

TFrameViewer::TWaypointEditExecute TFrameViewer::SetWaypointEditExecute(
    TWaypointEditExecute execute) {
    TWaypointEditExecute old = std::move(WaypointEditExecute());
    WaypointEditExecute() = std::move(execute);
    return old;
}

TFrameViewer::TRoutePointSettingsExecute TFrameViewer::SetRoutePointSettingsExecute(
    TRoutePointSettingsExecute execute) {
    TRoutePointSettingsExecute old = std::move(RoutePointSettingsExecute());
    RoutePointSettingsExecute() = std::move(execute);
    return old;
}

// ---- the menu -----------------------------------------------------------------------------

TViewerHitSnapshot TFrameViewer::TakeHitSnapshot() {
    TNavViewerControl &v = *FViewer;
    TViewerHitSnapshot h;
    for (int32_t i = 0, n = v.GetChartAtMouseCount(); i < n; ++i)
        if (IRasterChart *chart = v.GetChartAtMouse(i))
            h.RasterCharts.push_back({ChartDisplayNameEx(chart, true), chart, nullptr});
    for (int32_t i = 0, n = v.GetS57ChartAtMouseCount(); i < n; ++i)
        if (IChart *chart = v.GetS57ChartAtMouse(i))
            h.S57Charts.push_back({S57Caption(chart), nullptr, chart});
    h.FocusChart = v.GetFocusChart();
    h.FocusBorderHidden = h.FocusChart && h.FocusChart->GetBorderHidden();
    h.FrontOrBackChartSet = v.GetFrontChart() || v.GetBackChart();
    h.Tracking = v.GetTrackingEnabled();
    h.CanZoom = v.GetCanZoom();
    h.CanMove = v.GetCanMove();
    h.HasCalibration = v.GetCalibration() != nullptr;
    IWptRoute *route = v.GetRouteAtMouse();
    IWptRoute *active = FEnv.GetActiveRoute();
    h.RouteAtMouse = route != nullptr;
    h.RouteProtected = Protected(route);
    h.RouteReadOnly = route && route->IsReadOnly();
    h.RouteIsEdited = route && route == v.GetEditRoute();
    h.RouteIsActive = route && route == active;
    IWptRoutePoint *point = v.GetRoutePointAtMouse();
    h.RoutePointOfActiveRoute = point && active && point->GetRoute() == active;
    IWptRoutePoint *selected = v.GetSelectedRoutePoint();
    h.EditedRoutePointHit = v.GetRouteEditHit() == 2 && selected && v.GetEditRoute() &&
                            selected->GetRoute() == v.GetEditRoute();
    h.ActiveRouteStoppable = active && !active->IsDefaultRoute();
    IWptWaypoint *waypoint = v.GetWaypointAtMouse();
    h.WaypointAtMouse = waypoint != nullptr;
    h.WaypointProtected = Protected(waypoint);
    h.EditMode = v.GetEditMode();
    h.AlarmZoneAtMouse = v.GetAlarmZoneAtMouse() != nullptr;
    h.DistancePointAtMouse = v.GetDistancePointAtMouse() != nullptr;
    TGeoPoint ship;
    h.OwnShipHasPosition = OwnShipPosition(ship);
    h.OwnShipNavigating = FEnv.Boat && FEnv.Boat->GetNavigationState() != 0;
    h.TrackingAutoPos = v.GetTrackingAutoPos();
    h.WaypointDialogAvailable = bool(WaypointEditExecute());
    h.RoutePointDialogAvailable = bool(RoutePointSettingsExecute());
    return h;
}

namespace {

void AddMenuItems(QMenu *menu, const std::vector<TViewerMenuItem> &items,
                  const std::function<void(const TViewerMenuItem &)> &run) {
    for (const TViewerMenuItem &item : items) {
        if (item.Command == TViewerMenuCommand::Separator) {
            menu->addSeparator();
        } else if (item.Command == TViewerMenuCommand::SubMenu) {
            QMenu *sub = menu->addMenu(item.Caption);
            sub->setEnabled(item.Enabled);
            AddMenuItems(sub, item.Items, run);
        } else {
            QAction *action = menu->addAction(item.Caption);
            action->setEnabled(item.Enabled);
            QObject::connect(action, &QAction::triggered, menu, [item, run] { run(item); });
        }
    }
}

}  // namespace

void TFrameViewer::ShowContextMenu() {
    TNavViewerControl &v = *FViewer;
    FMenuHit = {};
    if (const TGeoPoint *p = v.GetMousePosition()) FMenuHit.Position = *p;
    if (const TPoint *p = v.GetMousePoint()) FMenuHit.Point = *p;
    FMenuHit.Route = v.GetRouteAtMouse();
    FMenuHit.RoutePoint = v.GetRoutePointAtMouse();
    FMenuHit.Waypoint = v.GetWaypointAtMouse();
    FMenuHit.AlarmZone = v.GetAlarmZoneAtMouse();
    FMenuHit.DistancePoint = v.GetDistancePointAtMouse();
    FMenuHit.Section = v.GetNetworkSectionAtMouse();
    FMenuHit.SectionDistance = v.GetNetworkDistanceAtMouse();
    PopupMenu->clear();
    for (QMenu *old : PopupMenu->findChildren<QMenu *>(Qt::FindDirectChildrenOnly))
        old->deleteLater();
    AddMenuItems(PopupMenu, BuildViewerContextMenu(TakeHitSnapshot()),
                 [this](const TViewerMenuItem &item) {
                     try {
                         RunMenuCommand(item);
                     } catch (...) {
                         ReportCurrentException();
                     }
                 });
}

void TFrameViewer::ViewerMouseUp(int32_t button, uint32_t shift, int32_t x, int32_t y) {
    UpdateCursor(shift);
    if (button != ViewerMouseButton::Right || !ContextMenuEnabled) return;
    ShowContextMenu();
    if (!PopupMenu->isEmpty()) PopupMenu->popup(FViewer->mapToGlobal(QPoint(x, y)));
}

// ---- commands -----------------------------------------------------------------------------

void TFrameViewer::RunMenuCommand(const TViewerMenuItem &item) {
    using C = TViewerMenuCommand;
    const TMenuHit &hit = FMenuHit;
    switch (item.Command) {
    case C::BringToFront: SetFrontChart(item.Raster); break;
    case C::SendToBack: SetBackChart(FViewer->GetFocusChart()); break;
    case C::ResetChartOrder: ResetChartOrder(nullptr); break;
    case C::HideChartBorder: ResetChartOrder(item.Raster); break;
    case C::ShowChartBorder: ShowChartBorder(item.Raster); break;
    case C::HideChart: HideChart(item.Raster); break;
    case C::HideS57Chart: HideS57Chart(item.S57); break;
    case C::PutChartUpright:
        if (IRasterChart *focus = FViewer->GetFocusChart())
            FViewer->SetViewRotation(focus->GetRotationAngle());
        break;
    case C::Zoom100: Zoom100AtMouse(); break;
    case C::NavigateToMouse:
        FEnv.NavigateToObject(hit.Position, hit.Waypoint, hit.Section, hit.SectionDistance, -1.0,
                              true);
        break;
    case C::NewRoute:
        if (OnRouteEdit) OnRouteEdit(*this, nullptr, hit.SectionDistance, hit.Section, hit.Position);
        break;
    case C::EditRoute:
        if (OnRouteEdit) OnRouteEdit(*this, hit.Route, 0.0, nullptr, TGeoPoint{GeoPointNoPosition, GeoPointNoPosition});
        break;
    case C::DeleteRoute: FEnv.DeleteRoute(hit.Route, true); break;
    case C::StartRoute:
        if (hit.Route && hit.Route->GetPointCount() > 0)
            FEnv.ActivateRoute(hit.Route->GetPoint(0), true, 0.0,
                               NavMsgGetGPSClock()->GetDateTimeUTC());
        break;
    case C::StopRoute: FEnv.DeactivateRoute(); break;
    case C::NavigateToRoutePoint: FEnv.SetActiveRoutePoint(hit.RoutePoint); break;
    case C::DeleteRoutePoint: FEnv.DeleteRoutePoint(FViewer->GetSelectedRoutePoint()); break;
    case C::RoutePointSettings:
        if (IWptRoutePoint *point = FViewer->GetSelectedRoutePoint())
            if (RoutePointSettingsExecute() && RoutePointSettingsExecute()(FEnv, point))
                FEnv.Post(43, intptr_t(point));
        break;
    case C::NewWaypoint: NewWaypointAtMouse(); break;
    case C::EditWaypoint:
        if (hit.Waypoint && WaypointEditExecute()) {
            TNavPtr<IWptWaypointList> list(WptWaypointListCreate(0));
            list->Add(hit.Waypoint);
            if (WaypointEditExecute()(FEnv, list.get())) FEnv.Post(12, intptr_t(hit.Waypoint));
        }
        break;
    case C::DeleteWaypoint: DeleteWaypointAsked(hit.Waypoint); break;
    case C::NavigateToWaypoint: FEnv.GotoWaypoint(hit.Waypoint); break;
    case C::DeleteAlarmZone: FEnv.DeletePolygon(hit.AlarmZone, true); break;
    case C::DeleteDistancePoint:
        FViewer->DeleteDistancePoint(hit.DistancePoint);
        RaiseStateChanged();
        break;
    case C::FindGPSPosition: FindGPSPosition(); break;
    case C::SetGPSPosition: SetGPSPositionAtMouse(); break;
    case C::SetGPSTrackingPosition: SetGPSTrackingPositionAtMouse(); break;
    case C::Properties:
        if (OnProperties) OnProperties(*this);
        break;
    case C::Separator:
    case C::SubMenu: break;
    }
}

void TFrameViewer::ResetChartOrder(IRasterChart *alsoHide) {
    FViewer->SetBackChart(nullptr);
    FViewer->SetFrontChart(nullptr);
    for (int32_t i = 0, n = FViewer->GetChartCount(); i < n; ++i)
        if (IRasterChart *chart = FViewer->GetChart(i)) chart->SetBorderHidden(true);
    if (alsoHide) alsoHide->SetBorderHidden(true);
    FViewer->RefreshCharts();
}

void TFrameViewer::ShowChartBorder(IRasterChart *chart) {
    if (!chart) return;
    chart->SetBorderHidden(false);
    SetFrontChart(chart);
    FViewer->UpdateView();
}

void TFrameViewer::Zoom100AtMouse() {
    const TGeoPoint at = FMenuHit.Position;
    const TDouble2 pixel{double(FMenuHit.Point.X), double(FMenuHit.Point.Y)};
    FViewer->Zoom100At(&at, &pixel);
    if (FViewer->GetTrackingActive()) FViewer->UpdateTrackingPosition();
    CaptureViewerState();
}

void TFrameViewer::ZoomTo100AtCentre() {
    if (!FViewer->GetCanMove() || !FViewer->GetCanZoom()) return;
    const TGeoPoint *position = FViewer->GetCenterPosition();
    const TDouble2 *point = FViewer->GetCenterPoint();
    if (!position || !point) return;
    const TGeoPoint at = *position;
    const TDouble2 pixel = *point;
    FViewer->Zoom100At(&at, &pixel);
    CaptureViewerState();
}

void TFrameViewer::SetGPSPositionAtMouse() {
    if (!FEnv.Boat) return;
    FEnv.Boat->SetPosition(FMenuHit.Position);
    if (IWptRoute *active = FEnv.GetActiveRoute()) FEnv.Send(0x40000048, intptr_t(active));
    if (OnViewerEvent) OnViewerEvent(*this, TViewerEvent{0, nullptr});
}

void TFrameViewer::SetGPSTrackingPositionAtMouse() {
    const int32_t w = FViewer->width(), h = FViewer->height();
    if (w <= 0 || h <= 0) return;
    const TFloat2 plot{float(FMenuHit.Point.X) / float(w), float(FMenuHit.Point.Y) / float(h)};
    FViewer->SetTrackingCursorPos(&plot);
    RegWriteGPSPlotPosition(objectName(), plot);
}

void TFrameViewer::NewWaypointAtMouse() {
    IWptDatabase *database = FEnv.UserDatabase;
    if (!database || !WaypointEditExecute()) return;
    TNavPtr<IWptWaypointList> list(WptWaypointListCreate(0));
    IWptWaypointType *type =
        database->GetWaypointTypeCount() > 0 ? database->GetWaypointType(0) : nullptr;
    const TGeoPoint3 position{FMenuHit.Position.Lat, FMenuHit.Position.Lon, 0.0};
    IWptWaypoint *waypoint = database->NewWaypoint(nullptr, position, type);
    if (!waypoint) return;
    TNewWaypointGuard guard(waypoint);
    int32_t err = 0;
    waypoint->SetNamePosition(8, err);
    RaiseIfError(err);
    list->Add(waypoint);
    if (!WaypointEditExecute()(FEnv, list.get())) {
        guard.Delete();
        return;
    }
    guard.Keep();
    if (IWptManager *manager = FEnv.WaypointManager)
        if (IWptWaypointGroup *group = manager->GetUserGroup()) {
            group->SetVisible(true, GroupValue);
            if (FEnv.WaypointGroupList && FEnv.WaypointGroupList->IndexOf(group) < 0)
                FEnv.WaypointGroupList->Add(group);
        }
    FEnv.Post(10, intptr_t(waypoint), 1);
}

void TFrameViewer::DeleteWaypointAsked(IWptWaypoint *waypoint) {
    if (!waypoint) return;
    const QString name = StrWToWide(waypoint->GetName());
    if (MsgBox(LanguageText(ViewerText::ConfirmDeleteWaypoint).replace(QStringLiteral("%s"), name),
               mtConfirmation, MsgButtons({mbYes, mbNo})) != mrYes)
        return;
    const bool wasSelected = FViewer->GetSelectedWaypoint() == waypoint;
    // The viewer lets go of the waypoint before the database releases it; when the database
    // refuses, the viewer gets it back so the view keeps showing what is stored.
    if (wasSelected) FViewer->SetSelectedWaypoint(nullptr);
    FViewer->RemoveWaypoint(waypoint);
    int32_t err = 0;
    waypoint->DeleteFromDatabase(err);
    if (err != 0) {
        RefreshObjects();
        if (wasSelected) FViewer->SetSelectedWaypoint(waypoint);
        MsgBox(LanguageText(ViewerText::CannotDeleteWaypoint)
                   .replace(QStringLiteral("%s"), ErrorToStrA(err)),
               mtError, MsgButtons({mbOK}));
        return;
    }
    FEnv.Post(0x2000000B, intptr_t(waypoint));
}

// ---- keys ---------------------------------------------------------------------------------

void TFrameViewer::ViewerKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    UpdateCursor(ViewerShiftOf(Qt::NoButton, modifiers));
    if (!KeysEnabled) return;
    try {
        RunViewerKey(key, modifiers);
    } catch (...) {
        ReportCurrentException();
    }
}

bool TFrameViewer::RunViewerKey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers m =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && m == Qt::ControlModifier) ShowChartManager(0);
    else if (enter && m == Qt::ShiftModifier) {
        if (OnProperties) OnProperties(*this);
    } else if (key == Qt::Key_Space) SetToolbarVisible(!ToolbarMain->isVisible());
    else if (key == Qt::Key_Delete) DeleteKey();
    else if (key == Qt::Key_1) ToggleTracking();
    else if (key >= Qt::Key_3 && key <= Qt::Key_8) {
        SetTrackingMode(key - Qt::Key_3 + 1);
        CaptureViewerState();
        UpdateActions();
    } else if (key == Qt::Key_B && m == Qt::ControlModifier) SetShowChartBounds(!GetShowChartBounds());
    else if (key == Qt::Key_V && m == (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))
        ResetBoatMotion();
    else if (key == Qt::Key_F5) FindGPSPosition();
    else if (key == Qt::Key_F6) ZoomTo100AtCentre();
    else if (key == Qt::Key_F8) {
        SetTrackingZoom100(!FViewer->GetTrackingZoom100());
        UpdateActions();
    } else if (key == Qt::Key_F9 && m == Qt::ControlModifier) ActionChartSelectExecute();
    else return false;
    return true;
}

void TFrameViewer::DeleteKey() {
    TNavViewerControl &v = *FViewer;
    IWptRoutePoint *point = v.GetSelectedRoutePoint();
    if (point && v.GetEditRoute() && point->GetRoute() == v.GetEditRoute()) {
        FEnv.DeleteRoutePoint(point);
        return;
    }
    const int32_t mode = v.GetEditMode();
    IWptWaypoint *waypoint = v.GetSelectedWaypoint();
    if (mode == NavViewerEditMode::Waypoints && waypoint && !waypoint->IsProtected()) {
        DeleteWaypointAsked(waypoint);
        return;
    }
    IWptPolygon *zone = v.GetEditAlarmZone();
    NavObject *zonePoint = v.GetSelectedAlarmZonePoint();
    if (mode != NavViewerEditMode::AlarmZones || !zone || !zonePoint || zone->IsProtected())
        return;
    // The environment has no point deletion of its own for zones; the zone does it.
    int32_t err = 0;
    zone->DeletePoint(zonePoint, err);
    RefreshObjects();
    RaiseIfError(err);
}

void TFrameViewer::ResetBoatMotion() {
    INavBoatState *state = FEnv.Boat ? FEnv.Boat->GetState() : nullptr;
    if (!state) return;
    const TVector vAbs{state->GetVAbsLength(), state->GetVAbsAngle()};
    const TVector zero{};
    state->SetState(&vAbs, &zero, &zero, &zero, state->GetVAbsAngle(), state->GetRun(),
                    state->GetCWD(), true, true, 8);
}
