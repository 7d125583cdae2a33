// The one cross-track alarm of the program: while the followed route's relative cross-track
// error lies outside ±1 it keeps one user notification of kind 7 up, blinks the bar's arrow
// on the offending side every 750 ms and plays the alarm sound on every other blink until
// the user silences it; it withdraws the notification once the ship is back inside. The
// navigation panel evaluates it once per tick; other views draw from its state and never
// evaluate it again, so the notification and the sound have a single owner.
//
// The environment must outlive the controller. GUI thread only.
#pragma once

#include <KvLibNav6/KvNavEnv.h>

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class TMarivoNavEnv;

class TNavXTEAlarm : public QObject {
    Q_OBJECT
public:
    static constexpr int BlinkMs = 750;
    static constexpr int32_t NotificationKind = 7;
    // Trend changes smaller than this (metres) keep the arrow as it is.
    static constexpr double TrendStepM = 0.4;

    explicit TNavXTEAlarm(TMarivoNavEnv &env, QObject *parent = nullptr);
    ~TNavXTEAlarm() override;

    // One tick's cross-track state: valid (a followed route gave the error and no planning
    // time applies), the relative error, the point's XTE limit in metres (scales the
    // trend) and whether the point steered to has a plan point.
    void Evaluate(bool valid, float xteRel, double limitM, bool pointExists);
    // Notification 172 of the cross-track alarm (P2 = 7): P3 = 1 allows the sound, 0
    // silences it while the bar still blinks; sets the handled flag. False for others.
    bool HandleReport(TNavNotification &n);

    bool Valid() const { return FValid; }
    float XTERel() const { return FXTERel; }
    int Trend() const { return FTrend; }
    bool AlarmShown() const { return FAlarmShown; }
    bool Blinking() const { return FTimer.isActive(); }
    bool BlinkPhase() const { return FBlinkPhase; }
    bool SoundEnabled() const { return FSoundEnabled; }
    // One blink step (what the timer does every 750 ms).
    void Blink();

    // Where the alarm goes: the environment's notification centre and sound by default.
    std::function<void()> Post, Withdraw, PlaySound;

signals:
    // The bar must be painted again (a blink, or a new value).
    void Changed();

private:
    void UpdateTrend(double limitM);

    TMarivoNavEnv &Env;
    QTimer FTimer;
    bool FValid = false;
    float FXTERel = 0.0f;
    float FXTEPrev = -1000.0f;
    int FTrend = 0;
    bool FAlarmShown = false;
    bool FBlinkPhase = false;
    bool FSoundEnabled = true;
};

// The program's one alarm over env: every view that shows the cross-track error holds it
// and evaluates it with the same figures, so a second view adds no notification and no
// sound. The last holder to let go withdraws a shown alarm.
std::shared_ptr<TNavXTEAlarm> SharedXTEAlarm(TMarivoNavEnv &env);
