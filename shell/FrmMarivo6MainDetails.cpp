// What the main window does when the main viewer reports an event or a clicked object, when
// a panel asks for a position or a details page, and the routines that route an object to
// its details panel. Objects passed in belong to the viewer's data or the environment.
#include "shell/FrmMarivo6Main.h"

#include "base/charts/KvCharts.h"
#include "base/settings/KvRegBoat.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraViewer.h"
#include "chartview/NavViewerControl.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvViewer.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QDockWidget>

namespace {

const TLanguageStrings SS57PickReport = {"S57 pick report", "S57-selectierapport", "S57-Auswahlbericht",
                                         "Rapport de s\u00E9lection S57", "Informe de selecci\u00F3n S57",
                                         "Rapporto di selezione S57", "S57-valgsrapport", "S57-urvalsrapport"};

}  // namespace

void TFormMarivo6Main::HookViewerEvents() {
    TFrameViewer *frame = FViewer ? FViewer->Frame() : nullptr;
    if (!frame) return;
    frame->OnViewerEvent = [this](TFrameViewer &, const TViewerEvent &ev) { OnViewerEvent(ev); };
    frame->OnObjectEvent = [this](TFrameViewer &f, const TViewerEvent &ev) { OnViewerObjectEvent(f.Viewer(), ev); };
    frame->OnRouteEdit = [this](TFrameViewer &, IWptRoute *route, double distance, IWWSection *section,
                                const TGeoPoint &position) {
        BeginRouteEditMode(route, &position, section, distance, false);
    };
    frame->OnStatusUpdate = [this](TNavViewerControl &viewer, uint8_t code) { UpdateStatusBar(&viewer, code); };
    frame->OnChartSelectionChanged = [this](TFrameViewer &) { OnChartProductsChanged(); };
    frame->OnProperties = [this](TFrameViewer &sender) {
        // Only the main viewer has a settings dialog; until it exists the request is dropped.
        if (FViewer && &sender == FViewer->Frame() && FDialogs.SettingsView) ShowViewSettings();
    };
}

void TFormMarivo6Main::HookFrameEvents() {
    FNavEnv->OnStatusBar = [this](int part) { UpdateStatusBar(nullptr, part); };
    FNavEnv->OnSelectRoute = [this](IWptRoute *) { SelectRoute(FNavEnv->SelectedRoute); };
    if (FRoutes) {
        FRoutes->OnCenter = [this](IWptRoutePoint *point, IWptRouteLeg *leg) { CenterOnRouteItem(point, leg); };
        FRoutes->OnShowDetails = [this](IWWSection *section, IWWStruct *structure, double distance,
                                        IWptWaypoint *waypoint, bool flag) {
            ShowObjectDetails(section, structure, flag, waypoint, distance);
        };
        FRoutes->OnShowNotice = [this](int32_t number) {
            INavObjectUpdateManager *m = FNavEnv->ObjectUpdateManager;
            IFTMNotice *notice = m ? m->FindNotice(number) : nullptr;
            if (FLinkDetails && FLinkDetails->ShowNotice(notice, nullptr, FViewer ? FViewer->GetCalibration() : nullptr, 0.0))
                SetLinkDetailsVisible(true);
        };
        FRoutes->SelectedRoutePoint = [this]() -> IWptRoutePoint * {
            TNavViewerControl *viewer = MainViewerControl();
            return viewer ? viewer->GetSelectedRoutePoint() : nullptr;
        };
    }
    const TFrameDetailsEvent showDetails = [this](IWWSection *section, IWWStruct *structure, bool flag,
                                                  IWptWaypoint *waypoint, double distance) {
        ShowObjectDetails(section, structure, flag, waypoint, distance);
    };
    if (FNavInfo) {
        FNavInfo->OnSelectRoute = [this](IWptRoute *route) { SelectRoute(route); };
        FNavInfo->OnShowDetails = showDetails;
    }
    if (FNavRoute) {
        FNavRoute->OnShowDetails = showDetails;
        FNavRoute->OnRepaintViewer = [this] { InvalidateViewers(); };
    }
    if (FGPSError) FGPSError->OnSettings = [this] { ShowGPSSettings(true); };
    if (FLinkDetails)
        FLinkDetails->OnLinkClicked = [this](bool &handled, const QString &id) { OnLinkClicked(handled, id); };
}

// ---- viewer events --------------------------------------------------------------------------

void TFormMarivo6Main::OnViewerEvent(const TViewerEvent &ev) {
    TNavViewerControl *viewer = MainViewerControl();
    switch (ev.Kind) {
    case 0:
        if (FViewer) FViewer->UpdateTracking();
        InvalidateViewers();
        RegWriteBoatState(FNavEnv->Boat);
        break;
    case 1: {
        auto *chart = dynamic_cast<IRasterChart *>(ev.Object);
        ShowChartInfo(chart ? chart->GetChartObject() : nullptr, nullptr);
        break;
    }
    case 2: case 6: case 7: case 8: case 9: case 11: case 13: case 14:
        if (FNavCurrent) {
            FNavCurrent->UpdateValues(false);
            FNavCurrent->Widget()->repaint();
        }
        break;
    case 10:
        if (FTrackReplay && viewer) FTrackReplay->SetReplay(viewer->GetReplayTrack(), viewer->GetReplayTime());
        InvalidateViewers();
        break;
    case 12: InvalidateViewers(); break;
    case 18: ShowChartInfo(nullptr, dynamic_cast<IChart *>(ev.Object)); break;
    case 19: {
        // The viewer reports every home position it is given, this one too.
        static bool applying = false;
        if (!viewer || applying) break;
        applying = true;
        viewer->SetHomePosition(FNavEnv->HomeLocation);
        applying = false;
        break;
    }
    default: break;
    }
}

void TFormMarivo6Main::OnViewerObjectEvent(TNavViewerControl *sender, const TViewerEvent &ev) {
    if (!sender || !ev.Object && ev.Kind != ObjectEventKind::ReportPosition) return;
    const TPoint *mouse = sender->GetMousePoint();
    const TPoint at = mouse ? *mouse : TPoint{};
    // A click on a route selects it; on the selected route it opens the section below it.
    auto routeClicked = [&](IWptRoute *route) {
        if (route != FNavEnv->SelectedRoute) {
            SelectRoute(route);
        } else if (IWWSection *section = sender->GetNetworkSectionAtMouse()) {
            ShowSectionDetails(section, sender->GetNetworkDistanceAtMouse());
        }
    };
    switch (ev.Kind) {
    case ObjectEventKind::Chart: {
        auto *chart = dynamic_cast<IRasterChart *>(ev.Object);
        ShowChartInfo(chart ? chart->GetChartObject() : nullptr, nullptr);
        break;
    }
    case ObjectEventKind::Route:
        if (auto *route = dynamic_cast<IWptRoute *>(ev.Object)) routeClicked(route);
        break;
    case ObjectEventKind::RoutePoint:
        if (auto *point = dynamic_cast<IWptRoutePoint *>(ev.Object); point && point->GetRoute()) {
            routeClicked(point->GetRoute());
            UpdateActionStates();
        }
        break;
    case ObjectEventKind::Waypoint: ShowWaypointDetails(dynamic_cast<IWptWaypoint *>(ev.Object)); break;
    case ObjectEventKind::Notice: {
        IWptRoute *under = sender->GetRouteAtMouse();
        if (under && under != FNavEnv->SelectedRoute) {
            SelectRoute(under);
            break;
        }
        sender->SetSectionClickPoint(at.X, at.Y);
        if (FLinkDetails && FLinkDetails->ShowNotice(ev.Object, sender->GetNetworkSectionAtMouse(),
                                                     sender->GetCalibration(), sender->GetNetworkDistanceAtMouse()))
            SetLinkDetailsVisible(true);
        break;
    }
    case ObjectEventKind::WaterReport:
        sender->SetWaterReportClickPoint(at.X, at.Y);
        ShowWaterReport(ev.Object);
        break;
    case ObjectEventKind::S57Object: ShowS57ObjectDetails(sender, ev.Object); break;
    case ObjectEventKind::Content:
        sender->SetObjectClickPoint(at.X, at.Y);
        ShowContentDetails(ev.Object);
        break;
    case ObjectEventKind::Other:
        sender->SetOtherClickPoint(at.X, at.Y);
        break;
    case ObjectEventKind::ReportPosition:
        if (sender != MainViewerControl()) break;
        if (const TGeoPoint *p = sender->GetMousePosition()) {
            if (FUserReport) FUserReport->SetPosition(*p);
            sender->SetReportPosition(*p);
        }
        break;
    default: break;
    }
}

// ---- charts and S-57 picks --------------------------------------------------------------------

void TFormMarivo6Main::ShowChartInfo(IRasterChart *chart, IChart *s57Chart) {
    if (chart) {
        IRasterChartInfo *info = chart->GetInfo();
        const TGUID guid = info && info->GetGUID() ? *info->GetGUID() : TGUID{};
        if (FChartInfo) FChartInfo->SelectChart(guid);
        if (FChartLegend) FChartLegend->SelectChart(guid);
    } else if (s57Chart) {
        const QString file = ChartGetFileName(s57Chart);
        if (FChartInfo) FChartInfo->SelectS57Chart(file);
        if (FChartLegend) FChartLegend->SelectS57Chart(file);
    } else {
        if (FChartInfo) FChartInfo->SelectChart(TGUID{});
        if (FChartLegend) FChartLegend->SelectChart(TGUID{});
    }
}

void TFormMarivo6Main::ShowS57ObjectDetails(TNavViewerControl *viewer, NavObject *object) {
    auto *pick = dynamic_cast<IS57Object *>(object);
    if (!viewer || !pick) return;
    IGeodeticCalibration *calibration = viewer->GetCalibration();
    QString html = S57ObjectGetDetailsHTML(pick, calibration, FNavEnv->S52Library, true);
    // Overlapping cells: the feature of the second cell under the mouse is described too.
    if (pick->HasSecondChartObject() && viewer->GetS57ChartAtMouseCount() > 1)
        if (IChart *second = viewer->GetS57ChartAtMouse(1))
            if (IS57Object *other = second->GetPickObject())
                html += S57ObjectGetDetailsHTML(other, calibration, FNavEnv->S52Library, false);
    // The report's attachments are files next to the cells it describes, and only those.
    QStringList folders;
    for (int i = 0; i < std::min(viewer->GetS57ChartAtMouseCount(), 2); ++i)
        if (IChart *cell = viewer->GetS57ChartAtMouse(i)) folders << ChartGetFolder(cell);
    int32_t index = -1;
    if (FNavEnv->ChartManager && ChartManagerFindChart(FNavEnv->ChartManager, S57ObjectGetChartName(pick), index))
        ShowChartInfo(nullptr, FNavEnv->ChartManager->GetChart(index));
    if (FLinkDetails && FLinkDetails->ShowHTMLText(LanguageText(SS57PickReport), html, folders))
        SetLinkDetailsVisible(true);
}

// ---- panels -------------------------------------------------------------------------------------

void TFormMarivo6Main::CenterOnRouteItem(IWptRoutePoint *point, IWptRouteLeg *leg) {
    TNavViewerControl *viewer = MainViewerControl();
    if (!viewer) return;
    // While a followed route is tracked, the view belongs to the own ship.
    if (FNavEnv->GetRouteNavigation() && viewer->GetTrackingActive()) return;
    TGeoPoint position{};
    if (leg) {
        IWWSection *section = leg->GetSection();
        IWWSectionGeometry *geometry = section ? section->GetGeometry() : nullptr;
        if (!geometry) return;
        TGeoPoint3 p3{};
        GlobalToGeo3(p3, geometry->PointAt(leg->GetDistance()), ProgramGeodeticFrame());
        position = TGeoPoint{p3.Lat, p3.Lon};
    } else if (const TRoutePosition *p = point ? point->GetPosition() : nullptr) {
        position = TGeoPoint{p->Lat, p->Lon};
    } else {
        return;
    }
    viewer->Zoom100At(&position, viewer->GetCenterPoint());
}

void TFormMarivo6Main::OnLinkClicked(bool &handled, const QString &identifier) {
    IWWNetwork *network = FNavEnv->WaterwayNetwork;
    auto *panel = dynamic_cast<IFrameLinkDetailsStruct *>(FLinkDetailsStruct.get());
    if (handled || !network || !panel) return;
    int32_t index = -1;
    if (!WWNetworkFindStruct(network, identifier, index)) return;
    SetLinkDetailsStructVisible(panel->ShowStruct(network->GetStruct(index), FViewer ? FViewer->GetCalibration() : nullptr));
}

void TFormMarivo6Main::SetLinkDetailsStructVisible(bool v) {
    SetPanelVisible(QStringLiteral("DockablePanelLinkDetailsStruct"), v);
}

// ---- detail routines ----------------------------------------------------------------------------

void TFormMarivo6Main::ShowWaypointDetails(IWptWaypoint *waypoint) {
    if (!waypoint || !FLinkDetails) return;
    IWptEntryLink *link = waypoint->GetEntryLink();
    const QString text = link ? WptEntryLinkGetText(link) : QString();
    if (!text.isEmpty() && text.left(8).compare(QLatin1String("wwstruct"), Qt::CaseInsensitive) == 0) {
        auto *panel = dynamic_cast<IFrameLinkDetailsStruct *>(FLinkDetailsStruct.get());
        SetLinkDetailsStructVisible(panel && panel->ShowStructLink(text));
        return;
    }
    if (!text.isEmpty() && FLinkDetails->ShowGeoAddLink(text, nullptr)) {
        SetLinkDetailsVisible(true);
        return;
    }
    SetLinkDetailsVisible(FLinkDetails->ShowWaypoint(waypoint, false));
}

void TFormMarivo6Main::ShowWaterReport(NavObject *object) {
    if (object && FLinkDetails && FLinkDetails->ShowWaterReport(object)) SetLinkDetailsVisible(true);
}

void TFormMarivo6Main::ShowSectionDetails(IWWSection *section, double distance) {
    TNavViewerControl *viewer = MainViewerControl();
    // A selected bridge or lock keeps its own page.
    if (!FLinkDetails || (viewer && viewer->GetSelectedStructureCount() != 0)) return;
    SetLinkDetailsVisible(FLinkDetails->ShowSection(section, FViewer ? FViewer->GetCalibration() : nullptr, distance));
}

void TFormMarivo6Main::ShowObjectDetails(IWWSection *section, IWWStruct *structure, bool flag,
                                         IWptWaypoint *waypoint, double distance) {
    if (!FLinkDetails) return;
    IGeodeticCalibration *calibration = FViewer ? FViewer->GetCalibration() : nullptr;
    if (structure)
        SetLinkDetailsVisible(FLinkDetails->ShowStruct(structure, calibration));
    else if (section)
        SetLinkDetailsVisible(FLinkDetails->ShowSection(section, calibration, distance));
    if (waypoint) SetLinkDetailsVisible(FLinkDetails->ShowWaypoint(waypoint, flag));
}

void TFormMarivo6Main::ShowContentDetails(NavObject *object) {
    if (object && FLinkDetails && FLinkDetails->ShowContent(object)) SetLinkDetailsVisible(true);
}
