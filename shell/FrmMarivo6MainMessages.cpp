// What the main window does on the environment's ticks and events, the core library's
// notifications and questions, and the desktop's messages.
#include "shell/FrmMarivo6Main.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/platform/KvPortWatcher.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegRoutes.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvNavMsgDevices.h"
#include "base/waypoints/KvWaypoints.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvObjectUpdate.h>

#include <QApplication>
#include <QDockWidget>
#include <QEvent>
#include <QProgressBar>
#include <QTimer>

#include <cmath>

namespace {

const QString EmptyLineContinue = QStringLiteral("\n\n");

// Texts of the deletion questions; the route questions exist in English, Dutch, German and
// Italian, the count question in English, Dutch and German; the other entries are ours.
const TLanguageStrings SDeleteRoute = {
    "Route \"%s\" will be deleted. When this route is active, this route will be stopped.",
    "Route \"%s\" wordt verwijderd. Als deze route actief is, wordt deze route gestopt.",
    "Route \"%s\" wird gel\u00F6scht. Wenn diese Route aktiv ist, wird sie beendet.",
    "La route \"%s\" sera supprim\u00E9e. Si cette route est active, elle sera arr\u00EAt\u00E9e.",
    "",
    "La rotta \"%s\" verr\u00E0 eliminata. Se questa rotta \u00E8 attiva, verr\u00E0 interrotta.",
    "Ruten \"%s\" slettes. Hvis ruten er aktiv, stoppes den.",
    "Rutten \"%s\" tas bort. Om rutten \u00E4r aktiv stoppas den."};
const TLanguageStrings SDeleteRoutePoint = {
    "Route point \"%s\" will be deleted. When the accompanying route is active, it might be "
    "stopped.",
    "Routepunt \"%s\" wordt verwijderd. Als de bijbehorende route actief is, wordt deze mogelijk "
    "gestopt.",
    "Routenpunkt \"%s\" wird gel\u00F6scht. Wenn die zugeh\u00F6rige Route aktiv ist, wird sie "
    "m\u00F6glicherweise beendet.",
    "Le point de route \"%s\" sera supprim\u00E9. Si la route correspondante est active, elle "
    "pourra \u00EAtre arr\u00EAt\u00E9e.",
    "",
    "Il punto di rotta \"%s\" verr\u00E0 eliminato. Se la rotta corrispondente \u00E8 attiva, "
    "potrebbe essere interrotta.",
    "Rutepunktet \"%s\" slettes. Hvis den tilh\u00F8rende rute er aktiv, kan den blive stoppet.",
    "Ruttpunkten \"%s\" tas bort. Om den tillh\u00F6rande rutten \u00E4r aktiv kan den stoppas."};
const TLanguageStrings SDeleteRoutePoints = {
    "%d route points will be deleted. When the accompanying route is active, it will be stopped.",
    "%d routepunten worden verwijderd. Als de bijbehorende route actief is, wordt deze gestopt.",
    "%d Routenpunkte werden gel\u00F6scht. Wenn die zugeh\u00F6rige Route aktiv ist, wird sie "
    "beendet.",
    "%d points de route seront supprim\u00E9s. Si la route correspondante est active, elle sera "
    "arr\u00EAt\u00E9e.",
    "",
    "Verranno eliminati %d punti di rotta. Se la rotta corrispondente \u00E8 attiva, verr\u00E0 "
    "interrotta.",
    "%d rutepunkter slettes. Hvis den tilh\u00F8rende rute er aktiv, stoppes den.",
    "%d ruttpunkter tas bort. Om den tillh\u00F6rande rutten \u00E4r aktiv stoppas den."};
// An alarm zone is deleted only after the same question as a route.
const TLanguageStrings SDeletePolygon = {
    "Alarm zone \"%s\" will be deleted.",
    "Alarmzone \"%s\" wordt verwijderd.",
    "Alarmzone \"%s\" wird gel\u00F6scht.",
    "La zone d'alarme \"%s\" sera supprim\u00E9e.",
    "",
    "La zona di allarme \"%s\" verr\u00E0 eliminata.",
    "Alarmzonen \"%s\" slettes.",
    "Larmzonen \"%s\" tas bort."};
const TLanguageStrings SContinue = {
    "Do you want to continue?", "Wilt u doorgaan?", "M\u00F6chten Sie fortfahren?",
    "Voulez-vous continuer ?", "", "Continuare?", "Vil du forts\u00E6tte?", "Vill du forts\u00E4tta?"};
const TLanguageStrings SPortDetected = {
    "COM-port connection detected. Checking for GPS...",
    "COM-poort verbinding gedetecteerd. Controleren op GPS...",
    "COM-Port-Verbindung erkannt. GPS wird gesucht...",
    "Connexion de port COM d\u00E9tect\u00E9e. Recherche du GPS...",
    "",
    "Rilevata connessione porta COM. Ricerca del GPS...",
    "COM-portforbindelse fundet. S\u00F8ger efter GPS...",
    "COM-portanslutning uppt\u00E4ckt. S\u00F6ker efter GPS..."};

constexpr int UserNotificationPort = 9;
constexpr QEvent::Type ProgressEvent = QEvent::Type(QEvent::User + 0x2501);

class TProgressEvent : public QEvent {
public:
    TProgressEvent(int position, int maximum)
        : QEvent(ProgressEvent), Position(position), Maximum(maximum) {}
    int Position, Maximum;
};

QString Formatted(const TLanguageStrings &table, const QString &value) {
    return LanguageText(table).replace(QStringLiteral("%s"), value).replace(QStringLiteral("%d"),
                                                                              value);
}

}  // namespace

// ---- ticks ----------------------------------------------------------------------------------

void TFormMarivo6Main::OnFastTick(const TLoopRecord &) {
    // The blinking communication action and the status-bar clock belong to the actions and
    // the status bar; nothing of this window changes every tenth of a second yet.
}

void TFormMarivo6Main::OnTick(const TLoopRecord &rec, uint32_t flags) {
    if (flags & 1) {
        if (FNavCurrent) FNavCurrent->UpdateValues(false);
        InvalidateViewers();
    }
    if (FNMEAMonitor) FNMEAMonitor->OnTick(rec);
    IGeodeticCalibration *calibration = FViewer ? FViewer->GetCalibration() : nullptr;
    if (FNavInfo) FNavInfo->UpdateValues(calibration, false);
    if (FNavEnv && FNavEnv->StructOperationManager)
        FNavEnv->StructOperationManager->Tick(rec, calibration);
}

void TFormMarivo6Main::OnUiTick(const TLoopRecord &rec, uint32_t changeFlags) {
    if ((changeFlags & 0x0C) && FViewer) FViewer->UpdateTracking();
    if ((changeFlags & 0x1F) && FNavCurrent) FNavCurrent->UpdateValues(false);
    if (FNavEnv && (FNavEnv->GetActiveRoute() || FNavEnv->EditedRoute)) {
        if (FNavRoute) FNavRoute->UpdateValues();
        if (FRoutes) FRoutes->UpdateValues(rec);
    }
    if (FViewer) FViewer->UpdateEverySecond();
    UpdateStatusBar(nullptr, 1);
}

// ---- notifications --------------------------------------------------------------------------

void TFormMarivo6Main::UpdateTrackLists() {
    if (!FNavEnv) return;
    if (FViewer) FViewer->SetTrackList(FNavEnv->TrackList);
    if (FTrackReplay) FTrackReplay->SetTrackList(FNavEnv->TrackList);
}

void TFormMarivo6Main::OnRouteEditingStarted(const TNavNotification &n) {
    int32_t flags = 5;
    if (n.P2 <= 0) flags = RegReadEditPointModes();
    if (FViewer) FViewer->SetRouteEditFlags(flags);
    SetEditMode(EditMode::Route);
    IWptRoute *edited = FNavEnv ? FNavEnv->EditedRoute : nullptr;
    if (FViewer) {
        FViewer->SetEditMode(2);
        FViewer->SetEditRoute(edited);
    }
    if (FRouteSettings) {
        FRouteSettings->SetRoute(edited);
        FRouteSettings->ShowGeneralPage();
    }
    InvalidateViewers();
    UpdateActionStates();
}

void TFormMarivo6Main::OnEnvNotification(TNavNotification &n) {
    switch (n.Code) {
    case 0: case 12: case 32: case 73: case 80: case 100: case 101:
        InvalidateViewers();
        break;
    case 1:
        if (n.P2 == 1) DockablePanelWriteReg(Panel(QStringLiteral("DockablePanelSimulation")));
        if (FNavCurrent) FNavCurrent->UpdateValues(false);
        UpdateTrackLists();
        InvalidateViewers();
        break;
    case 10:
        if (n.P2 == 0 && FNavEnv && FNavEnv->UserDatabase) {
            if (auto *route = dynamic_cast<IWptRoute *>(reinterpret_cast<NavObject *>(n.P1))) {
                int32_t err = 0;
                route->SetDefaultWaypointType(FNavEnv->UserDatabase->GetWaypointType(0), err);
                RaiseIfError(err);
                route->SetPlanMode(8, err);
                RaiseIfError(err);
            }
        }
        if (FNavEnv) FNavEnv->ApplyWaypointVisibility();
        InvalidateViewers();
        break;
    case 33: case 43: case 81: case 82: case 160: case 161: case 0x2000002A:
        if (n.Code == 161 && FViewer) FViewer->SetHighlightObject(nullptr);
        InvalidateViewers();
        UpdateActionStates();
        break;
    case 44: UpdateActionStates(); break;
    case 50:
        if (FViewer) FViewer->SetSelectedRoutePoint(reinterpret_cast<IWptRoutePoint *>(n.P1));
        InvalidateViewers();
        break;
    case 60: OnRouteEditingStarted(n); break;
    case 61:
        if (FViewer) FViewer->SetEditRoute(nullptr);
        if (FEditMode == EditMode::Route) SetEditMode(EditMode::None);
        InvalidateViewers();
        UpdateActionStates();
        break;
    case 70:
        if (FViewer && FNavEnv && FNavEnv->Planner)
            FViewer->SetPlannerValues(FNavEnv->Planner->GetNAPWaterLevel(),
                                      FNavEnv->Planner->GetParam2(), FNavEnv->Planner->GetParam3());
        break;
    case 91:
        // Only an answer: whether the track is kept is the environment's own rule.
        if (FViewer && FViewer->GetShowTrackActive()) n.Result = 1;
        break;
    case 0x2000000B:
        if (FNavEnv) FNavEnv->ApplyWaypointVisibility();
        InvalidateViewers();
        break;
    case 0x2000001E:
        if (FEditMode == EditMode::Route && FNavEnv && !FNavEnv->EditedRoute)
            SetEditMode(EditMode::None);
        if (FNavEnv) FNavEnv->ApplyWaypointVisibility();
        InvalidateViewers();
        break;
    case 0x2000005C:
        UpdateTrackLists();
        if (FTrackReplay && FNavEnv) FTrackReplay->SetTrackList(FNavEnv->TrackList);
        break;
    default: break;
    }
}

void TFormMarivo6Main::OnCoreQuestion(int kind, intptr_t param, bool &answer) {
    QString text;
    switch (kind) {
    case 0:
        text = Formatted(SDeletePolygon,
                         WptObjectGetName(reinterpret_cast<IWptObject *>(param)));
        break;
    case 1:
        text = Formatted(SDeleteRoute, WptObjectGetName(reinterpret_cast<IWptRoute *>(param)));
        break;
    case 2: {
        auto *point = reinterpret_cast<IWptRoutePoint *>(param);
        QString name = WptRoutePointGetName(point);
        if (name.isEmpty()) name = QString::number(point->GetIndex() + 1);
        text = Formatted(SDeleteRoutePoint, name);
        break;
    }
    case 3: text = Formatted(SDeleteRoutePoints, QString::number(param)); break;
    default: return;
    }
    text += EmptyLineContinue + LanguageText(SContinue);
    answer = MsgBox(text, mtConfirmation, MsgButtons({mbYes, mbNo})) == mrYes;
}

// ---- GPS errors -----------------------------------------------------------------------------

QString TFormMarivo6Main::GPSPortName(INavBoatGPS *gps) const {
    INavMsgPort *port = gps ? gps->GetPort() : nullptr;
    return port ? NavMsgPortGetName(port) : QString();
}

void TFormMarivo6Main::StopNavigationStored() {
    if (FNavEnv) FNavEnv->StopNavigation(QString(), true);
}

void TFormMarivo6Main::OnGPSPortError(INavBoatGPS *gps, int32_t code, bool flag) {
    int kind;
    if (code == KvErr::GPSSilent)
        kind = flag ? 7 : 8;
    else if (code == KvErr::NoGPSPort)
        kind = 10;
    else
        kind = flag ? 9 : 11;
    StopNavigationStored();
    if (FGPSError) FGPSError->ShowError(kind, GPSPortName(gps), code);
}

void TFormMarivo6Main::OnDeviceError(INavMsgPort *port, int32_t code, bool flag) {
    if (FGPSError) FGPSError->ShowError(flag ? 5 : 6, port ? NavMsgPortGetName(port) : QString(), code);
    StopNavigationStored();
}

void TFormMarivo6Main::OnGPSNoPosition(INavBoatGPS *gps, int32_t situation) {
    const bool usb = gps && gps->GetProtocol() == 1;
    int kind = 0, seconds = 0;
    if (situation == 1) {
        kind = usb ? 2 : 1;
    } else if (situation == 2) {
        kind = usb ? 4 : 3;
        seconds = gps ? int(std::lround(gps->GetNoPositionSeconds())) : 0;
    }
    if (FGPSError) FGPSError->ShowNoPosition(kind, GPSPortName(gps), seconds);
}

void TFormMarivo6Main::OnGPSErrorCleared() {
    if (FGPSError) FGPSError->HideBox();
}

void TFormMarivo6Main::OnRoutePointReached(int32_t) {
    if (FNavEnv && FNavEnv->SoundRoutePointReached) FNavEnv->SoundRoutePointReached->Play(0);
    if (FNavInfo) FNavInfo->UpdateValues(nullptr, false);
    if (FNavRoute) FNavRoute->UpdateValues();
}

void TFormMarivo6Main::OnEnvEvent(int32_t number) {
    if (number == 4) {
        if (FNavEnv) FNavEnv->RefreshRoutes(true, true, true, false);
    } else if (number == 13) {
        if (FViewer) FViewer->UpdateObjects();
        QDockWidget *panel = Panel(QStringLiteral("DockablePanelLinkDetails"));
        if (FLinkDetails && panel && !panel->isHidden() && FLinkDetails->ContentType() == 7)
            FLinkDetails->RefreshPage();
    } else if (number == 19) {
        if (!FNavEnv) return;
        FNavEnv->ReloadWaterwayNetwork();
        if (FViewer) FViewer->SetWaterwayNetwork(FNavEnv->WaterwayNetwork);
        InvalidateViewers();
        if (FRouteSettings) FRouteSettings->Reload();
    } else if (number == ObjectUpdateEvent::ChartUpdatesReady) {
        // Newer editions wait in the chart manager's update folder; while navigating they
        // wait for the next chart update, which installs them as well.
        QTimer::singleShot(0, this, [this] {
            QAction *update = Action("ActionChartUpdate");
            if (!FNavEnv || !update || !update->isEnabled() || FNavEnv->Boat->GetNavigationState() != 0) return;
            FChartUpdateByNews = true;
            ChartUpdate();
            FChartUpdateByNews = false;
        });
    }
}

bool TFormMarivo6Main::GetViewerCenter(TGeoPoint &centre) {
    if (!FViewer || !FViewer->GetCalibration()) return false;
    return FViewer->GetCenterPosition(centre);
}

// ---- desktop messages -----------------------------------------------------------------------

void TFormMarivo6Main::WMDeviceChange(TDeviceChange change, const QString &) {
    if (!FNavEnv || !FNavEnv->DeviceManager) return;
    if (!RegReadBoolDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\DeviceManager"),
                        RegName(u"AutoDetect"), true))
        return;
    FNavEnv->DeviceManager->RescanPorts(1);
    if (change == TDeviceChange::Arrival && !FGPSSettingsRefresh) {
        FNavEnv->PostUserNotification(UserNotificationPort, LanguageText(SPortDetected), 4, false, 0);
        InvalidateViewers();
        if (FGPSError) FGPSError->HideBox();
        const bool found = FNavEnv->ConfigureGPSDevice();
        FNavEnv->WithdrawUserNotification(UserNotificationPort);
        if (found && FNavEnv->StartNavigation(false)) {
            UpdateActionStates();
            if (FNavCurrent) FNavCurrent->UpdateAll();
        }
    }
    if (FGPSSettingsRefresh) FGPSSettingsRefresh();
    if (FNMEAMonitor) FNMEAMonitor->UpdatePortLists();
}

void TFormMarivo6Main::WMTimeChange() {
    if (FNavEnv) FNavEnv->TimeChanged();
}

void TFormMarivo6Main::SetGPSSettingsDialog(std::function<void()> refreshPortList) {
    FGPSSettingsRefresh = std::move(refreshPortList);
}

void TFormMarivo6Main::WMProgress(int position, int maximum) {
    ProgressBar->setMaximum(maximum);
    ProgressBar->setValue(position);
    ProgressBar->setVisible(maximum != position);
}

void TFormMarivo6Main::PostProgress(int position, int maximum) {
    if (TFormMarivo6Main *main = Current())
        QCoreApplication::postEvent(main, new TProgressEvent(position, maximum));
}

void TFormMarivo6Main::RepaintAll() {
    // Children first, from the last to the first, then the window itself.
    const QList<QWidget *> children = findChildren<QWidget *>();
    for (auto it = children.crbegin(); it != children.crend(); ++it) (*it)->update();
    update();
}

void TFormMarivo6Main::changeEvent(QEvent *event) {
    TMainFormScaled::changeEvent(event);
    if (event->type() == QEvent::ThemeChange || event->type() == QEvent::StyleChange) RepaintAll();
}

bool TFormMarivo6Main::event(QEvent *event) {
    if (event->type() == ProgressEvent) {
        auto *progress = static_cast<TProgressEvent *>(event);
        WMProgress(progress->Position, progress->Maximum);
        return true;
    }
    return TMainFormScaled::event(event);
}
