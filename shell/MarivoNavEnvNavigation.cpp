// Start and end of the run, navigation start and stop, and the own ship's callbacks.
#include "shell/MarivoNavEnv.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/logbook/KvLogbook.h"
#include "base/settings/KvRegBoat.h"
#include "base/settings/KvRegRoutes.h"
#include "base/charts/KvCharts.h"
#include "base/units/KvUnitsTime.h"
#include "shell/MarivoNavEnvTexts.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLogbook.h>
#include <KvLibNav6/KvUnits.h>

#include <QDebug>

namespace {

TMarivoNavEnv *Env(void *data) {
    return static_cast<TMarivoNavEnv *>(data);
}

void StoreCommunicationOpen(bool simulating, bool open) {
    if (simulating)
        RegWriteSimulatorCommunicationOpen(open);
    else
        RegWriteGPSCommunicationOpen(open);
}

}  // namespace

void TMarivoNavEnv::Start(uint8_t &communicationMode) {
    State = NavEnvState::Starting;
    LoadSettings(communicationMode);
    RebuildWptDatabaseInfo();
    CreatedAt -= GetUTCOffset() / 1440.0;
    Loop->SetOn(true);
    if (WaterwayNetwork)
        for (int32_t i = UserDatabase->GetRouteCount() - 1; i >= 0; --i)
            RecalculateRoute(UserDatabase->GetRoute(i), false);
    State = NavEnvState::Ready;
}

void TMarivoNavEnv::Shutdown() {
    if (State == NavEnvState::Ready) {
        if (StructOperationManager && StructOperationManager->IsActive())
            StructOperationManager->SetActive(false);
        Loop->SetOn(false);
        State = NavEnvState::ShuttingDown;
        CheckWaypointDatabase();
        StopNavigation(QString(), false);
        SaveVisibleLists();
        TWptRouteDefaults defaults;
        _GetWptRouteDefaults(defaults);
        RegWriteRouteDefaults(defaults);
        int32_t err = 0;
        ChartManagerSaveS57BaseData(ChartManager, S57BaseDataFile, err);
        if (err != KvErr::Ok)
            qWarning().noquote() << QStringLiteral("%1: %2").arg(S57BaseDataFile, ErrorToStrA(err));
    }
    State = NavEnvState::ShutDown;
}

int32_t TMarivoNavEnv::GetUTCOffset() const {
    return GlobalTimeZones()->GetUTCOffset();
}

bool TMarivoNavEnv::EnsureBoatPosition() {
    if (Boat->HasPosition()) return true;
    TGeoPoint position{0.0, 0.0};
    const bool answer = Events.OnPositionRequest && Events.OnPositionRequest(position);
    if (answer) Boat->SetPosition(position);
    return answer;
}

bool TMarivoNavEnv::StartNavigation(bool simulate) {
    // The simulator sails from the own ship's position.
    if (simulate && !EnsureBoatPosition()) return false;
    Boat->Start(simulate);
    FireUpdateActions();
    FSeams.KeepAwake(true);
    return true;
}

bool TMarivoNavEnv::StopNavigation(const QString &question, bool store) {
    bool goOn = true;
    if (Boat->GetNavigationState() != 0) {
        struct TRestoreDialogFlag {
            INavBoat *Boat;
            bool Flag;
            ~TRestoreDialogFlag() { Boat->SetDialogFlag(Flag); }
        } restore{Boat, Boat->GetDialogFlag()};
        Boat->SetDialogFlag(false);
        if (!question.isEmpty())
            goOn = MsgBoxCaption(LanguageText(NavEnvText::StopCommunication), question,
                                 mtConfirmation, MsgButtons({mbYes, mbNo})) == mrYes;
        if (goOn) {
            const bool simulating = Boat->IsSimulating();
            Boat->Stop();
            CloseCurrentTrack();
            Post(NavNotify::NavigationStopped, 0, simulating ? 1 : 0);
            if (store && State == NavEnvState::Ready) StoreCommunicationOpen(simulating, false);
            FireUpdateActions();
        }
    }
    FSeams.KeepAwake(false);
    return goOn;
}

bool TMarivoNavEnv::PauseLoop() {
    const bool wasOn = Loop->IsOn();
    Loop->SetOn(false);
    return wasOn;
}

void TMarivoNavEnv::ResumeLoop() {
    Loop->SetOn(true);
}

void TMarivoNavEnv::OnNavigationStarted(void *data, intptr_t) {
    try {
        TMarivoNavEnv *env = Env(data);
        env->StartNewTrack();
        const bool simulating = env->Boat->IsSimulating();
        env->Post(NavNotify::NavigationStarted, 0, simulating ? 1 : 0);
        StoreCommunicationOpen(simulating, true);
        env->FireUpdateActions();
    } catch (...) {
        ReportCurrentException();
    }
}

void TMarivoNavEnv::OnRouteTargetChanged(void *data, INavRouteNavigation *rn, uint32_t flags) {
    try {
        TMarivoNavEnv *env = Env(data);
        if (env->State != NavEnvState::Ready || !(flags & 1)) return;
        IWptRoutePoint *target = rn->GetTargetPoint();
        RegWriteActiveRoutePoint(target);
        env->Post(NavNotify::RouteTargetChanged, intptr_t(target));
    } catch (...) {
        ReportCurrentException();
    }
}

void TMarivoNavEnv::OnRoutePointPassed(void *data, intptr_t, IWptRoutePoint *point, intptr_t,
                                       float distance) {
    try {
        TMarivoNavEnv *env = Env(data);
        if (env->State != NavEnvState::Ready) return;
        // Metres whatever the user's units: the text also goes into the logbook.
        const QString text = LanguageText(NavEnvText::RoutePointPassed)
                                 .arg(WptRoutePointGetDisplayName(point),
                                      QString::number(double(distance), 'f', 0) +
                                          QLatin1Char(' ') + UnitToStr(KvUnit::Metre));
        env->PostUserNotification(NavUserNotify::Message, text, 4, false, 0);
        env->AddLogbookEntry(text);
    } catch (...) {
        ReportCurrentException();
    }
}

void TMarivoNavEnv::OnRoutePointReachedCallback(void *data, int32_t value) {
    try {
        TMarivoNavEnv *env = Env(data);
        if (env->Events.OnRoutePointReached) env->Events.OnRoutePointReached(value);
    } catch (...) {
        ReportCurrentException();
    }
}

void TMarivoNavEnv::OnLoaderEvent(void *data, int32_t, int32_t flag, int32_t, int32_t) {
    try {
        if (flag != 0) Env(data)->StopNavigation(QString(), false);
    } catch (...) {
        ReportCurrentException();
    }
}
