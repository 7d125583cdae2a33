// The clock of the instrument layer: the system clock, corrected by the receiver's time.
#include "KvLibNav6/KvUnits.h"
#include "units/UnitsInternal.h"

#include <QDateTime>

namespace kv {

TDateTime TTimeEngine::NowUTC() {
    const TDateTime system = SystemNowUTC();
    std::lock_guard lock(FLock);
    return FGPS.Now(system);
}

void TTimeEngine::SetGPSDateTime(TDateTime gpsUtc) {
    const TDateTime system = SystemNowUTC();
    std::lock_guard lock(FLock);
    FGPS.SetDateTime(gpsUtc, system);
}

void TTimeEngine::ForgetGPSTime() {
    std::lock_guard lock(FLock);
    FGPS.Reset();
}

void GPSClockForgetReceiverTime() {
    TimeEngine().ForgetGPSTime();
}

void GPSClockSetReceiverTime(TDateTime utc) {
    TimeEngine().SetGPSDateTime(utc);
}

bool TTimeEngine::SetGPSTimeOfDay(double seconds) {
    const TDateTime system = SystemNowUTC();
    std::lock_guard lock(FLock);
    return FGPS.SetTimeOfDay(seconds, system);
}

TTimeEngine &TimeEngine() {
    // Never destroyed: library objects handed out for the run keep using it at exit.
    static TTimeEngine *engine = new TTimeEngine();
    return *engine;
}

}  // namespace kv

namespace {

class TGPSClock final : public INavMsgGPSClock {
public:
    TDateTime GetDateTimeUTC() override { return kv::TimeEngine().NowUTC(); }
    int32_t GetUTCOffset() override { return kv::TimeEngine().UTCOffset(); }
    int32_t GetComputerUTCOffset() override { return kv::TimeEngine().ComputerUTCOffset(); }
    void SetUTCOffset(int32_t minutes) override { kv::TimeEngine().SetUTCOffset(minutes); }
    void SetUTCOffsetSync(bool sync) override { kv::TimeEngine().SetUTCOffsetSync(sync); }
    void UseComputerUTCOffset() override { kv::TimeEngine().UseComputerUTCOffset(); }
};

}  // namespace

INavMsgGPSClock *NavMsgGetGPSClock() {
    static TGPSClock *clock = new TGPSClock();
    return clock;
}
