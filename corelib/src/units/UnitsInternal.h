// Shared by the library's units, angles, date-time, time-zone and GPS-clock sources (not part
// of the public interface). The GPS time keeper is header-only so that tests can drive it
// with a clock of their own.
#pragma once

#include "KvLibNav6/KvTypes.h"
#include "kernel/TestApi.h"

#include <QChar>
#include <QString>
#include <QTimeZone>

#include <cmath>
#include <cstdint>
#include <mutex>

namespace kv {

// Decimal separator of the interface language ("." in English, "," in the others).
QChar DecimalSeparator();

// Milliseconds since 1970-01-01 00:00 of a TDateTime and back. TDateTime counts days
// since 1899-12-30; before that day the fraction still counts forward from midnight
// (-1.25 is 1899-12-29 06:00), so the date and time parts are taken apart.
inline constexpr int64_t MSecsPerDay = 86400000;
inline constexpr int64_t UnixEpochDays = 25569;  // 1970-01-01 as a TDateTime

inline int64_t DateTimeToMSecs(TDateTime value) {
    const double days = std::trunc(value);
    const double time = std::fabs(value - days);
    return (int64_t(days) - UnixEpochDays) * MSecsPerDay +
           int64_t(std::llround(time * double(MSecsPerDay)));
}

inline TDateTime MSecsToDateTime(int64_t msecs) {
    int64_t day = msecs / MSecsPerDay;
    int64_t rest = msecs % MSecsPerDay;
    if (rest < 0) {
        rest += MSecsPerDay;
        --day;
    }
    const double days = double(day + UnixEpochDays);
    const double time = double(rest) / double(MSecsPerDay);
    return days < 0 ? days - time : days + time;
}

// Keeps GPS time as an offset to the system clock, so the clock runs on between fixes.
// All times are UTC TDateTime; the system time is passed in by the caller.
class TGPSTimeKeeper {
public:
    // A full date and time from the receiver (RMC, ZDA).
    void SetDateTime(TDateTime gpsUtc, TDateTime systemNow) {
        if (!std::isfinite(gpsUtc)) return;
        FOffset = gpsUtc - systemNow;
        FHasTime = true;
        FHasDate = true;
    }

    // A time of day (seconds after midnight) without date (GGA, GLL). GPS time has no date
    // before the first RMC: keep the last known day, taking the one of the day before, the
    // day itself and the day after that lies nearest the time the clock expects (so a fix
    // just after midnight moves on to the next day). False for an impossible time.
    bool SetTimeOfDay(double seconds, TDateTime systemNow) {
        if (!std::isfinite(seconds) || seconds < 0.0 || seconds >= 86401.0) return false;
        const double expected = Now(systemNow);
        const double day = std::floor(expected);
        const double tod = seconds / 86400.0;
        double best = day + tod;
        for (double candidate : {day - 1.0 + tod, day + 1.0 + tod})
            if (std::fabs(candidate - expected) < std::fabs(best - expected)) best = candidate;
        FOffset = best - systemNow;
        FHasTime = true;
        return true;
    }

    // Forgets GPS time: the clock runs on the system clock again.
    void Reset() { *this = TGPSTimeKeeper(); }

    TDateTime Now(TDateTime systemNow) const { return systemNow + FOffset; }
    bool HasTime() const { return FHasTime; }
    bool HasDate() const { return FHasDate; }
    double OffsetDays() const { return FOffset; }

private:
    double FOffset = 0.0;  // days, GPS − system
    bool FHasTime = false;
    bool FHasDate = false;
};

// The process-wide time state behind NavMsgGetGPSClock, GetTimeZones, GetLocalDateTime and
// GetDateTimeUTC. Callable from any thread.
class TTimeEngine {
public:
    TTimeEngine();

    // UTC now: the system clock, corrected by GPS time once a receiver delivered it.
    TDateTime NowUTC();
    // The receiver's time, for the instrument layer.
    void SetGPSDateTime(TDateTime gpsUtc);
    bool SetGPSTimeOfDay(double seconds);

    // The offset shown to the user (minutes, local − UTC): the user's own, or the
    // computer's current one while sync is on.
    int32_t UTCOffset();
    int32_t ComputerUTCOffset();
    void SetUTCOffset(int32_t minutes);
    bool UTCOffsetSync();
    void SetUTCOffsetSync(bool sync);
    void ForgetGPSTime();
    void UseComputerUTCOffset();
    // Reads the system time zone again (TZ, /etc/localtime).
    void Refresh();

    // UTC ↔ local: with sync on the computer's zone with daylight saving at that moment,
    // else the user's fixed offset.
    TDateTime LocalFromUTC(TDateTime utc);
    TDateTime UTCFromLocal(TDateTime local);

private:
    int32_t ZoneOffsetMinutesAt(int64_t utcMSecs) const;  // needs FLock held
    TDateTime SystemNowUTC() const;

    std::mutex FLock;
    QTimeZone FZone;
    TGPSTimeKeeper FGPS;
    int32_t FUserOffset = 0;
    bool FSync = true;
};

TTimeEngine &TimeEngine();

// Forgets the receiver's time, so the clock runs on the system clock again: a test that fed
// a recorded log leaves its old fix time in the one clock of the process otherwise.
KVLIB_TEST_API void GPSClockForgetReceiverTime();
// As if a receiver had just delivered this date and time: the clock runs on from it. Lets a
// test plan and sail at an hour of its choosing rather than the hour it happens to run at.
KVLIB_TEST_API void GPSClockSetReceiverTime(TDateTime utc);

}  // namespace kv
