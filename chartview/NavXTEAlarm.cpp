#include "chartview/NavXTEAlarm.h"

#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvSound.h>
#include <KvLibNav6/KvWaypoints.h>

#include <cmath>
#include <map>

TNavXTEAlarm::TNavXTEAlarm(TMarivoNavEnv &env, QObject *parent) : QObject(parent), Env(env) {
    Post = [this] { Env.PostUserNotification(NotificationKind, QString()); };
    Withdraw = [this] { Env.WithdrawUserNotification(NotificationKind); };
    PlaySound = [this] {
        if (Env.SoundXTEAlarm) Env.SoundXTEAlarm->Play(0);
    };
    FTimer.setInterval(BlinkMs);
    connect(&FTimer, &QTimer::timeout, this, &TNavXTEAlarm::Blink);
}

TNavXTEAlarm::~TNavXTEAlarm() {
    // An alarm must not outlive the view that raised it.
    if (FAlarmShown && Withdraw) Withdraw();
}

void TNavXTEAlarm::Evaluate(bool valid, float xteRel, double limitM, bool pointExists) {
    const bool wasValid = FValid;
    FValid = valid;
    if (valid) {
        FXTERel = xteRel;
        UpdateTrend(limitM);
    } else if (wasValid) {
        // The next valid value starts without a trend.
        FXTEPrev = -1000.0f;
        FTrend = 0;
    }
    TWptRouteDefaults defaults;
    _GetWptRouteDefaults(defaults);
    const bool navigating = Env.Boat && Env.Boat->GetNavigationState() == NavBoat::Navigating;
    const bool alarm = defaults.XTEAlarm && valid && navigating && pointExists && std::fabs(xteRel) > 1.0f;
    if (alarm) {
        if (!FTimer.isActive()) FTimer.start();
        if (!FAlarmShown && Post) Post();
        FAlarmShown = true;
    } else {
        FTimer.stop();
        if (FAlarmShown) {
            if (Withdraw) Withdraw();
            FSoundEnabled = true;
        }
        FAlarmShown = false;
    }
    emit Changed();
}

void TNavXTEAlarm::UpdateTrend(double limitM) {
    if (FXTEPrev < -999.0f) {
        FTrend = 0;
        FXTEPrev = FXTERel;
        return;
    }
    const double a = limitM * FXTERel, b = limitM * FXTEPrev;
    if (a > b + TrendStepM) {
        FTrend = -1;
        FXTEPrev = FXTERel;
    } else if (a < b - TrendStepM) {
        FTrend = 1;
        FXTEPrev = FXTERel;
    }
}

void TNavXTEAlarm::Blink() {
    FBlinkPhase = !FBlinkPhase;
    // Only the user's answer to the notification silences the alarm; no route setting does.
    if (FSoundEnabled && FBlinkPhase && std::fabs(FXTERel) > 1.0f && PlaySound) PlaySound();
    emit Changed();
}

bool TNavXTEAlarm::HandleReport(TNavNotification &n) {
    if (n.Code != NavNotify::UserNotificationReport || n.P2 != NotificationKind) return false;
    FSoundEnabled = n.P3 == 1;
    n.Handled = true;
    return true;
}

std::shared_ptr<TNavXTEAlarm> SharedXTEAlarm(TMarivoNavEnv &env) {
    static std::map<TMarivoNavEnv *, std::weak_ptr<TNavXTEAlarm>> alarms;
    std::shared_ptr<TNavXTEAlarm> alarm = alarms[&env].lock();
    if (!alarm) {
        alarm = std::make_shared<TNavXTEAlarm>(env);
        alarms[&env] = alarm;
    }
    return alarm;
}
