// The navigation loop's three ticks, the core library's notifications and the user
// notifications shown by the viewers.
#include "shell/MarivoNavEnv.h"

#include "base/kvlib/KvExceptions.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "chartview/NavViewerControl.h"
#include "objectinfo/StructOperationAdapters.h"

#include <KvLibNav6/KvAppReg.h>

namespace {

TMarivoNavEnv *Env(void *data) {
    return static_cast<TMarivoNavEnv *>(data);
}

}  // namespace

void TMarivoNavEnv::OnLoopFastTick(void *data, const TLoopRecord *rec) {
    try {
        TMarivoNavEnv *env = Env(data);
        // The GPS symbol blinks 3, 2, 1, 0, 1, 2, 3, … while a receiver is read.
        if (env->Boat->GetNavigationState() == NavBoat::NavigationOff || env->Boat->IsSimulating()) {
            env->BlinkPhase = 3;
            env->BlinkStep = -1;
        } else {
            env->BlinkPhase += env->BlinkStep;
            if (env->BlinkPhase <= 0 || env->BlinkPhase >= 3) env->BlinkStep = -env->BlinkStep;
        }
        if (env->OnFastTick) env->OnFastTick(*rec);
    } catch (...) {
        ReportCurrentException();
    }
}

void TMarivoNavEnv::OnLoopTick(void *data, const TLoopRecord *rec) {
    try {
        TMarivoNavEnv *env = Env(data);
        env->DeviceManager->Pump(*rec);
        const float predicted = env->PredictedTime->GetTimeOffset();
        const float timeOffset =
            env->PredictedTime->GetMode() == NavPredictedTimeMode::RealTime ? predicted : 0.0f;
        if (env->DefaultRouteEnabled) env->DefaultRouteStep();
        IGeodeticCalibration *calibration =
            env->Viewers.empty() ? nullptr : env->Viewers.front()->GetCalibration();
        uint32_t flags = 0;
        env->Boat->UpdateSecond(*rec, timeOffset, predicted, calibration, flags);
        env->ChangeFlags |= flags;
        // Before the start is complete nothing is stored: the stored state is what the start
        // reads back.
        if (env->State == NavEnvState::Ready) {
            if (flags & NavBoat::ChangeState) RegWriteBoatState(env->Boat);
            if (flags & NavBoat::ChangeDistance) {
                if (INavRouteNavigation *rn = env->Boat->GetRouteNavigation())
                    RegWriteDOGRoute(rn->GetRouteDistanceOverGround());
                RegWriteDOGTotal(env->Boat->GetDistanceOverGround());
            }
        }
        env->ObjectUpdateManager->Tick(*rec);
        if (env->NotificationCenter) env->NotificationCenter->Tick(*rec);
        if (env->OnTick) env->OnTick(*rec, flags);
    } catch (...) {
        ReportCurrentException();
    }
}

void TMarivoNavEnv::OnLoopUiTick(void *data, const TLoopRecord *rec) {
    TMarivoNavEnv *env = Env(data);
    try {
        if (env->OnUiTick) env->OnUiTick(*rec, env->ChangeFlags);
    } catch (...) {
        ReportCurrentException();
    }
    env->ChangeFlags = 0;
}

void TMarivoNavEnv::OnCoreNotification(void *data, TNavNotification *n) {
    try {
        TMarivoNavEnv *env = Env(data);
        switch (n->Code) {
        case NavNotify::ObjectsChanged: {
            // P1 is a list of route objects or one edited waypoint; only the route points of
            // a list are announced one by one, the last first.
            auto *list = dynamic_cast<IWptObjectList *>(reinterpret_cast<NavObject *>(n->P1));
            if (!list) break;
            for (int32_t i = list->GetCount() - 1; i >= 0; --i)
                if (auto *point = dynamic_cast<IWptRoutePoint *>(list->GetItem(i)))
                    env->Post(NavNotify::RouteObjectChanged, intptr_t(point));
            break;
        }
        case NavNotify::ShipSettingsChanged: {
            QString shipName;
            RegReadStringDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat"),
                             RegName(u"ShipName"), QString(), shipName);
            if (env->StructOperationManager)
                NavStructOpSetShipName(env->StructOperationManager, shipName);
            break;
        }
        default: break;
        }
        env->HandleRouteNotification(*n);
    } catch (...) {
        ReportCurrentException();
    }
}

void TMarivoNavEnv::PostUserNotification(int32_t kind, const QString &text, int32_t seconds,
                                         bool flag, int32_t value) {
    if (!NotificationCenter) return;
    if (kind == NavUserNotify::Message)
        NotificationCenterShowMessage(NotificationCenter, text, seconds, flag, value);
    else
        NotificationCenterShow(NotificationCenter, kind, text);
}

void TMarivoNavEnv::WithdrawUserNotification(int32_t kind) {
    if (NotificationCenter) NotificationCenter->Withdraw(kind);
}

void TMarivoNavEnv::ShowWaterLevelOffset(float metres) {
    if (NotificationCenter) NotificationCenter->ShowWaterLevelOffset(metres);
}

void TMarivoNavEnv::FireUpdateActions() {
    if (OnUpdateActions) OnUpdateActions();
}

void TMarivoNavEnv::FireStatusBarUpdate(int part) {
    if (OnStatusBar) OnStatusBar(part);
}

void TMarivoNavEnv::Post(int32_t code, intptr_t p1, intptr_t p2) {
    CoreEnv->GetDispatcher()->Post(code, p1, p2, 0, 0, 0, 0, 0);
}

TNavNotification TMarivoNavEnv::Send(int32_t code, intptr_t p1, intptr_t p2) {
    return CoreEnv->GetDispatcher()->Send(code, p1, p2, 0, 0, 0, 0, 0);
}
