// The navigation loop: fast tick, tick and UI tick, driven by Qt timers on the GUI thread or,
// for tests, by a manual clock that only Advance moves.
#include "environment/NavEnvInternal.h"
#include "units/UnitsInternal.h"

#include "KvLibNav6/KvNavEnv.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Internally every time is whole milliseconds (the timers' resolution): ten fast ticks of
// 0.1 s then make exactly one second, which sums of floats would not.
constexpr int64_t MaxIntervalMs = int64_t(24) * 3600 * 1000;

int64_t ToMs(float seconds, int64_t previous) {
    if (!std::isfinite(seconds) || seconds <= 0.0f) return previous;
    return std::clamp<int64_t>(std::llround(double(seconds) * 1000.0), 1, MaxIntervalMs);
}

class TNavLoop final : public INavLoop {
public:
    struct TCallback {
        LoopProc Proc = nullptr;
        void *Data = nullptr;
        int64_t LastMs = 0;  // loop clock at the previous call (or at switching on)
    };

    TNavLoop(float fast, LoopProc fastProc, void *d1, float normal, LoopProc tickProc, void *d2,
             float slow, LoopProc uiProc, void *d3) {
        FFast.Proc = fastProc;
        FFast.Data = d1;
        FTick.Proc = tickProc;
        FTick.Data = d2;
        FUi.Proc = uiProc;
        FUi.Data = d3;
        FMonotonic.start();
        FTimers = std::make_unique<QObject>();
        FFastTimer = new QTimer(FTimers.get());
        FTickTimer = new QTimer(FTimers.get());
        for (QTimer *t : {FFastTimer, FTickTimer}) t->setTimerType(Qt::PreciseTimer);
        std::weak_ptr<bool> alive = FAlive;
        QObject::connect(FFastTimer, &QTimer::timeout, [this, alive] {
            if (!alive.expired() && FOn && !FManual) RunFast();
        });
        QObject::connect(FTickTimer, &QTimer::timeout, [this, alive] {
            if (!alive.expired() && FOn && !FManual) RunTick();
        });
        ApplyIntervals(fast, normal, slow);
    }

    ~TNavLoop() override {
        FFastTimer->stop();
        FTickTimer->stop();
        // Released from inside one of its own callbacks the timer is still emitting: it may
        // only go once control is back in the event loop.
        if (FCallDepth > 0) FTimers.release()->deleteLater();
    }

    bool IsOn() override { return FOn; }
    float GetSlowInterval() override { return FSlowSec; }

    void SetOn(bool on) override {
        if (on == FOn) return;
        FOn = on;
        if (on) {
            Restart();
        } else {
            FFastTimer->stop();
            FTickTimer->stop();
        }
    }

    void SetIntervals(float fast, float normal, float slow) override {
        ApplyIntervals(fast, normal, slow);
        if (FOn) Restart();
    }

    void SetManualClock(bool manual) override {
        if (manual == FManual) return;
        FManual = manual;
        if (manual) {
            FManualNowMs = 0;
            FManualBaseUTC = kv::TimeEngine().NowUTC();
        }
        if (FOn) Restart();
    }

    void Advance(float seconds) override {
        if (!FManual || !std::isfinite(seconds) || seconds <= 0.0f) return;
        const int64_t span = std::llround(double(seconds) * 1000.0);
        if (FAdvancing) {
            // Called from a callback: the running Advance goes on that much further.
            FTargetMs += span;
            return;
        }
        const std::weak_ptr<bool> alive = FAlive;
        FAdvancing = true;
        FTargetMs = FManualNowMs + span;
        while (FOn && FManual) {
            const int64_t next = std::min(FNextFastMs, FNextTickMs);
            if (next > FTargetMs) break;
            FManualNowMs = next;
            const bool fastDue = FNextFastMs == next;
            const bool tickDue = FNextTickMs == next;
            if (fastDue) {
                FNextFastMs += FFastMs;
                RunFast();
                if (alive.expired()) return;
            }
            if (tickDue && FOn && FManual) {
                FNextTickMs += FNormalMs;
                RunTick();
                if (alive.expired()) return;
            }
        }
        if (FManual) FManualNowMs = std::max(FManualNowMs, FTargetMs);
        FAdvancing = false;
    }

private:
    void ApplyIntervals(float fast, float normal, float slow) {
        FFastMs = ToMs(fast, FFastMs);
        FNormalMs = ToMs(normal, FNormalMs);
        FSlowMs = ToMs(slow, FSlowMs);
        if (std::isfinite(slow) && slow > 0.0f) FSlowSec = slow;
        FFastTimer->setInterval(int(FFastMs));
        FTickTimer->setInterval(int(FNormalMs));
    }

    int64_t NowMs() const { return FManual ? FManualNowMs : FMonotonic.elapsed(); }

    TDateTime NowUTC() const {
        return FManual ? FManualBaseUTC + double(FManualNowMs) / 86400000.0
                       : kv::TimeEngine().NowUTC();
    }

    // Elapsed times count from switching on (or from a change of intervals or clock), so a
    // countdown never sees the time the loop was off.
    void Restart() {
        const int64_t now = NowMs();
        FFast.LastMs = FTick.LastMs = FUi.LastMs = now;
        FTicksSinceUi = 0;
        FNextFastMs = now + FFastMs;
        FNextTickMs = now + FNormalMs;
        if (FManual) {
            FFastTimer->stop();
            FTickTimer->stop();
        } else {
            FFastTimer->start();
            FTickTimer->start();
        }
    }

    void RunFast() { Call(FFast); }

    void RunTick() {
        const std::weak_ptr<bool> alive = FAlive;
        Call(FTick);
        if (alive.expired() || !FOn) return;
        // The UI tick follows the tick; a slow interval above the normal one lets it skip
        // ticks, one below cannot make it run more often than the tick itself.
        const int64_t every = std::max<int64_t>(1, std::llround(double(FSlowMs) / double(FNormalMs)));
        if (++FTicksSinceUi < every) return;
        FTicksSinceUi = 0;
        Call(FUi);
    }

    void Call(TCallback &cb) {
        const int64_t now = NowMs();
        TLoopRecord rec;
        rec.ElapsedSec = float(double(now - cb.LastMs) / 1000.0);
        rec.TimeUTC = NowUTC();
        cb.LastMs = now;
        if (!cb.Proc) return;
        // Counted on the stack frame, not on the object: the callback may release the loop.
        const std::weak_ptr<bool> alive = FAlive;
        ++FCallDepth;
        kv::CallProgram([&] { cb.Proc(cb.Data, &rec); });
        if (!alive.expired()) --FCallDepth;
    }

    TCallback FFast, FTick, FUi;
    int64_t FFastMs = 100, FNormalMs = 1000, FSlowMs = 1000;
    float FSlowSec = 1.0f;
    bool FOn = false;
    bool FManual = false;
    bool FAdvancing = false;
    int64_t FManualNowMs = 0;
    int64_t FTargetMs = 0;
    TDateTime FManualBaseUTC = 0.0;
    int64_t FNextFastMs = 0, FNextTickMs = 0;
    int64_t FTicksSinceUi = 0;
    int FCallDepth = 0;
    QElapsedTimer FMonotonic;
    // Parent of the two timers.
    std::unique_ptr<QObject> FTimers;
    QTimer *FFastTimer = nullptr;
    QTimer *FTickTimer = nullptr;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

}  // namespace

INavLoop *NavLoopCreate(float fastInterval, LoopProc fast, void *d1, float normalInterval,
                        LoopProc tick, void *d2, float slowInterval, LoopProc uiTick, void *d3) {
    return new TNavLoop(fastInterval, fast, d1, normalInterval, tick, d2, slowInterval, uiTick,
                        d3);
}
