// NMEA 0183 decoding for the instrument layer: a byte stream is cut into sentences, each
// sentence is checked (length, characters, checksum, field syntax, value ranges) and only a
// sentence that passes every check changes the navigation state. Plain C++ without Qt, so
// that the benchmark and the fuzz target build it on their own. Not thread-safe: one parser
// per input port, used on the thread that owns the port.
//
// Units in the state: positions in radians (north and east positive), angles in degrees
// [0, 360), speeds in knots, depths and heights in metres, temperature in degrees Celsius,
// times as UTC TDateTime (days since 1899-12-30). Every value a receiver did not (or not
// validly) send is "unknown": NaN for numbers, -1 for counts; never 0.
#pragma once

#include "kernel/TestApi.h"

#include "KvLibNav6/KvTypes.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

namespace kv {

inline constexpr double NmeaUnknown = std::numeric_limits<double>::quiet_NaN();
inline bool NmeaKnown(double v) { return !std::isnan(v); }

// The longest sentence NMEA 0183 allows is 82 characters including "$" and CR LF.
inline constexpr size_t NmeaMaxSentence = 80;  // without CR LF
// Receivers of several satellite systems send longer GGA and GSA (83 to 90 characters):
// sentences up to this length are decoded and counted as over-long, longer ones refused.
inline constexpr size_t NmeaMaxAccepted = 120;  // without CR LF

// What the receivers told us, as the own ship reads it on its one-second update.
struct TNmeaNavState {
    // Fix: GGA quality 0 none, 1 GPS, 2 DGPS, 3 PPS, 4 RTK, 5 float RTK, 6 estimated,
    // 7 manual, 8 simulation; -1 before any GGA/GNS. Quality 7 and 8 and RMC/GLL status V
    // are no fix: they clear PositionValid but leave the last fix's position in place.
    int32_t FixQuality = -1;
    int32_t FixType = -1;           // GSA: 1 none, 2 2D, 3 3D
    int32_t SatellitesInUse = -1;   // GSA PRNs of the latest epoch (all systems), else GGA
    int32_t SatellitesInView = -1;  // GSV, summed over the satellite systems
    double HDOP = NmeaUnknown;
    double PDOP = NmeaUnknown;
    double VDOP = NmeaUnknown;

    // Last valid fix. PositionValid is false until the first one and again after a
    // sentence that reports no fix.
    bool PositionValid = false;
    double LatRad = NmeaUnknown;
    double LonRad = NmeaUnknown;
    double AltitudeM = NmeaUnknown;  // above mean sea level
    TDateTime FixTimeUTC = NmeaUnknown;  // time of the last valid fix, date from RMC/ZDA
    uint32_t FixCount = 0;               // valid position sentences applied

    double SOGKn = NmeaUnknown;
    double COGTrueDeg = NmeaUnknown;
    double COGMagDeg = NmeaUnknown;
    double MagVariationDeg = NmeaUnknown;  // east positive
    double HeadingTrueDeg = NmeaUnknown;
    double HeadingMagDeg = NmeaUnknown;    // HDG/HDM/VHW, deviation applied when given
    double SpeedThroughWaterKn = NmeaUnknown;

    double DepthBelowTransducerM = NmeaUnknown;
    double DepthOffsetM = NmeaUnknown;  // DPT: + transducer to waterline, - to keel
    double WaterTempC = NmeaUnknown;
    double WindAngleDeg = NmeaUnknown;  // relative to the bow, clockwise
    double WindSpeedKn = NmeaUnknown;
    bool WindTrue = false;              // MWV reference T (theoretical) or R (relative)

    // Navigation sentences of an external navigator (XTE, RMB, APB).
    double CrossTrackNM = NmeaUnknown;  // positive: steer right (off track to the left)
    double DestBearingTrueDeg = NmeaUnknown;
    double DestRangeNM = NmeaUnknown;
    double DestLatRad = NmeaUnknown;
    double DestLonRad = NmeaUnknown;
    std::string DestID;
    bool ArrivalAlarm = false;

    // UTC of the receiver: TimeOfDaySec from any sentence with a time, DateTimeUTC only once
    // a date was seen (RMC, ZDA).
    double TimeOfDaySec = NmeaUnknown;
    TDateTime DateTimeUTC = NmeaUnknown;

    // Bumped on every applied sentence, so a reader sees whether anything arrived.
    uint32_t Updates = 0;
};

// Outcome of one sentence. Everything from TooLong on is rejected and leaves the state
// unchanged. A malformed optional field (variation, mode letter, DOP, satellite count, ...)
// rejects nothing: the sentence is applied with that value unknown.
enum class TNmeaResult : uint8_t {
    Applied,          // decoded into the state
    Ignored,          // valid but of a kind the state does not use (proprietary, AIS, ...)
    TooLong,          // longer than NmeaMaxAccepted
    Noise,            // control or non-ASCII characters
    Truncated,        // cut off (no checksum, missing fields, a new "$" in the middle)
    ChecksumMissing,  // ends without "*hh"
    ChecksumError,
    BadAddress,       // not "$" + talker + type
    BadField,         // letters where a number belongs, wrong hemisphere letters, ...
    OutOfRange,       // latitude 95, minutes 61, month 13, ...
};
inline constexpr int NmeaResultCount = int(TNmeaResult::OutOfRange) + 1;
KVLIB_TEST_API const char *NmeaResultName(TNmeaResult r);
inline bool NmeaRejected(TNmeaResult r) { return r >= TNmeaResult::TooLong; }

struct KVLIB_TEST_API TNmeaStats {
    std::array<uint32_t, NmeaResultCount> ByResult{};
    uint64_t GarbageBytes = 0;  // bytes outside any sentence (comments, noise)
    uint32_t PositionSentences = 0;  // checksum-valid GGA, GLL, RMC, GNS (valid fix or not)
    uint32_t OverLong = 0;   // valid sentences longer than the 82 characters NMEA allows
    uint32_t OddFields = 0;  // applied sentences with a malformed optional field left unknown
    uint32_t Count(TNmeaResult r) const { return ByResult[size_t(r)]; }
    uint32_t Valid() const { return Count(TNmeaResult::Applied) + Count(TNmeaResult::Ignored); }
    uint32_t Rejected() const;
};

// A checksum-valid sentence cut into fields; the views point into the parser's buffer and
// are valid only during the call that hands it out.
struct TNmeaSentence {
    char Start = '$';         // '$' or '!'
    std::string_view Talker;  // "GP", "GN", ... ; empty for proprietary sentences
    std::string_view Type;    // "GGA", ...; the whole address for proprietary ("PGRMZ")
    // Fields[0] is the first after the address; an accepted sentence has fewer fields than
    // characters. Entries from FieldCount on are left over from earlier sentences: read
    // through Field().
    std::array<std::string_view, NmeaMaxAccepted> Fields{};
    int FieldCount = 0;
    std::string_view Field(int i) const { return i < FieldCount ? Fields[size_t(i)] : std::string_view(); }
};

class KVLIB_TEST_API TNmeaParser {
public:
    // Receives the receiver's time after a sentence was applied: a full UTC date and time
    // (RMC with a fix, ZDA), or only the seconds after midnight (GGA, GLL, GNS with a fix).
    struct TClockSink {
        std::function<void(TDateTime utc)> DateTime;
        std::function<void(double secondsOfDay)> TimeOfDay;
    };

    // Hands every byte through the sentence splitter; complete sentences are parsed at once.
    void Feed(const char *data, size_t size);
    // One sentence without CR LF.
    TNmeaResult ParseSentence(std::string_view line);

    const TNmeaNavState &State() const { return FState; }
    const TNmeaStats &Stats() const { return FStats; }
    // Result of the last sentence handled by Feed or ParseSentence.
    TNmeaResult LastResult() const { return FLast; }
    void ResetStats() { FStats = TNmeaStats(); }
    // Forgets state, statistics and any half-received sentence.
    void Reset();

    void SetClockSink(TClockSink sink) { FClock = std::move(sink); }
    // Called with every checksum-valid sentence (also those the state does not use), after
    // it was applied; for the transfer device (WPL, RTE) and for detection. The hook must
    // not feed this parser: the sentence it holds would be overwritten.
    void SetSentenceHook(std::function<void(const TNmeaSentence &)> hook) { FHook = std::move(hook); }
    // Called with every rejected sentence (and the reason); the device layer logs them.
    void SetRejectHook(std::function<void(TNmeaResult, std::string_view)> hook) { FRejectHook = std::move(hook); }

    // Decoding helpers, public for the transfer device and the tests. Each returns false
    // with `why` set on bad input and leaves `out` unchanged then; an empty field is
    // success with NmeaUnknown.
    static bool ParseNumber(std::string_view f, double &out, TNmeaResult &why);
    // ddmm.mmm / dddmm.mmm with hemisphere letter; radians.
    static bool ParseLatitude(std::string_view f, std::string_view hemi, double &rad, TNmeaResult &why);
    static bool ParseLongitude(std::string_view f, std::string_view hemi, double &rad, TNmeaResult &why);
    static bool ParseTime(std::string_view f, double &secondsOfDay, TNmeaResult &why);
    // ddmmyy; years 80..99 are 1980..1999.
    static bool ParseDate(std::string_view f, TDateTime &day, TNmeaResult &why);
    static TDateTime DateFromYMD(int year, int month, int day);
    static uint8_t Checksum(std::string_view between);

private:
    TNmeaResult Apply(const TNmeaSentence &s);
    TNmeaResult ApplyGGA(const TNmeaSentence &s, bool gns);
    TNmeaResult ApplyRMC(const TNmeaSentence &s);
    TNmeaResult ApplyGLL(const TNmeaSentence &s);
    TNmeaResult ApplyVTG(const TNmeaSentence &s);
    TNmeaResult ApplyGSA(const TNmeaSentence &s);
    TNmeaResult ApplyGSV(const TNmeaSentence &s);
    TNmeaResult ApplyZDA(const TNmeaSentence &s);
    TNmeaResult ApplyHeading(const TNmeaSentence &s);
    TNmeaResult ApplyVHW(const TNmeaSentence &s);
    TNmeaResult ApplyDepth(const TNmeaSentence &s);
    TNmeaResult ApplyMTW(const TNmeaSentence &s);
    TNmeaResult ApplyMWV(const TNmeaSentence &s);
    TNmeaResult ApplyXTE(const TNmeaSentence &s);
    TNmeaResult ApplyRMB(const TNmeaSentence &s);
    TNmeaResult ApplyAPB(const TNmeaSentence &s);
    void SetFix(double lat, double lon, double tod);
    void SetTimeOfDay(double tod, bool feedClock);
    TNmeaResult Finish(TNmeaResult r, std::string_view line);

    TNmeaNavState FState;
    TNmeaStats FStats;
    TNmeaResult FLast = TNmeaResult::Ignored;
    TClockSink FClock;
    std::function<void(const TNmeaSentence &)> FHook;
    std::function<void(TNmeaResult, std::string_view)> FRejectHook;

    // The sentence being decoded; kept here because clearing its field table for every
    // sentence would cost more than decoding most of them.
    TNmeaSentence FSentence;

    // Splitter: the sentence being received. Characters past the limit are counted, not
    // kept, so an endless line costs no memory.
    std::array<char, NmeaMaxAccepted + 8> FLine{};
    size_t FLineLength = 0;
    bool FInSentence = false;

    // GSA of one epoch: receivers send one per satellite system in a row, so the used
    // count restarts with the first GSA after any other sentence.
    bool FPrevWasGSA = false;
    int32_t FGSAUsed = 0;
    // GSV "in view" per satellite system (GP, GL, GA, BD/GB, GQ, other).
    std::array<int32_t, 6> FInView{{-1, -1, -1, -1, -1, -1}};
    TDateTime FDate = NmeaUnknown;  // UTC day of the last date seen
    // Set while a sentence is decoded when an optional field of it was malformed.
    bool FOddField = false;
};

}  // namespace kv
