// Time zones: the offset the program shows times in, and UTC ↔ local conversion.
#include "KvLibNav6/KvUnits.h"
#include "units/UnitsInternal.h"

#include <QDateTime>

#include <ctime>

namespace kv {

namespace {

constexpr int64_t MSecsPerMinute = 60000;

int64_t ToMSecs(TDateTime v) {
    return DateTimeToMSecs(v);
}

// The system zone as it stands now: TZ first, then /etc/localtime.
QTimeZone ReadSystemZone() {
    tzset();
    QTimeZone zone = QTimeZone::systemTimeZone();
    return zone.isValid() ? zone : QTimeZone::utc();
}

}  // namespace

TTimeEngine::TTimeEngine() : FZone(ReadSystemZone()) {}

TDateTime TTimeEngine::SystemNowUTC() const {
    return MSecsToDateTime(QDateTime::currentMSecsSinceEpoch());
}

int32_t TTimeEngine::ZoneOffsetMinutesAt(int64_t utcMSecs) const {
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(utcMSecs, Qt::UTC);
    return int32_t(FZone.offsetFromUtc(at) / 60);
}

int32_t TTimeEngine::UTCOffset() {
    std::lock_guard lock(FLock);
    if (!FSync) return FUserOffset;
    return ZoneOffsetMinutesAt(QDateTime::currentMSecsSinceEpoch());
}

int32_t TTimeEngine::ComputerUTCOffset() {
    std::lock_guard lock(FLock);
    return ZoneOffsetMinutesAt(QDateTime::currentMSecsSinceEpoch());
}

void TTimeEngine::SetUTCOffset(int32_t minutes) {
    std::lock_guard lock(FLock);
    FUserOffset = minutes;
}

bool TTimeEngine::UTCOffsetSync() {
    std::lock_guard lock(FLock);
    return FSync;
}

void TTimeEngine::SetUTCOffsetSync(bool sync) {
    std::lock_guard lock(FLock);
    FSync = sync;
}

void TTimeEngine::UseComputerUTCOffset() {
    std::lock_guard lock(FLock);
    FUserOffset = ZoneOffsetMinutesAt(QDateTime::currentMSecsSinceEpoch());
}

void TTimeEngine::Refresh() {
    QTimeZone zone = ReadSystemZone();
    std::lock_guard lock(FLock);
    FZone = zone;
}

TDateTime TTimeEngine::LocalFromUTC(TDateTime utc) {
    if (!std::isfinite(utc)) return utc;
    std::lock_guard lock(FLock);
    const int64_t ms = ToMSecs(utc);
    const int32_t offset = FSync ? ZoneOffsetMinutesAt(ms) : FUserOffset;
    return MSecsToDateTime(ms + offset * MSecsPerMinute);
}

TDateTime TTimeEngine::UTCFromLocal(TDateTime local) {
    if (!std::isfinite(local)) return local;
    std::lock_guard lock(FLock);
    const int64_t ms = ToMSecs(local);
    if (!FSync) return MSecsToDateTime(ms - FUserOffset * MSecsPerMinute);
    // A zone changes its offset at most once in two days: the offsets a day before and a day
    // after are the only candidates. A local time that exists twice (the hour repeated in
    // autumn) takes the earlier instant; one that does not exist (the hour skipped in
    // spring) is read with the offset before the change, so 02:30 becomes 03:30.
    const int32_t before = ZoneOffsetMinutesAt(ms - MSecsPerDay);
    const int32_t after = ZoneOffsetMinutesAt(ms + MSecsPerDay);
    for (int32_t offset : {before, after}) {
        const int64_t candidate = ms - offset * MSecsPerMinute;
        if (ZoneOffsetMinutesAt(candidate) == offset) return MSecsToDateTime(candidate);
    }
    return MSecsToDateTime(ms - before * MSecsPerMinute);
}

}  // namespace kv

namespace {

class TTimeZones final : public ITimeZones {
public:
    int32_t GetUTCOffset() override { return kv::TimeEngine().UTCOffset(); }
    bool GetUTCOffsetSync() override { return kv::TimeEngine().UTCOffsetSync(); }
    void Refresh() override { kv::TimeEngine().Refresh(); }
    TDateTime GetNowUTC() override { return kv::TimeEngine().NowUTC(); }
};

}  // namespace

ITimeZones *GetTimeZones() {
    // Process-wide and never released by the program: the object outlives every caller.
    static TTimeZones *zones = new TTimeZones();
    return zones;
}

TDateTime GetDateTimeUTC(TDateTime local) {
    return kv::TimeEngine().UTCFromLocal(local);
}

TDateTime GetLocalDateTime(TDateTime utc) {
    return kv::TimeEngine().LocalFromUTC(utc);
}
