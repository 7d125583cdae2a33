// NMEA 0183 sentence splitter, checker and decoder (see NmeaParser.h for units and rules).
#include "devices/NmeaParser.h"

#include <algorithm>
#include <charconv>

namespace kv {

namespace {

constexpr double DegToRad = 3.14159265358979323846 / 180.0;
constexpr int64_t UnixEpochDays = 25569;  // 1970-01-01 as a TDateTime

constexpr uint32_t Code(const char (&t)[4]) {
    return uint32_t(uint8_t(t[0])) << 16 | uint32_t(uint8_t(t[1])) << 8 | uint8_t(t[2]);
}

uint32_t Code(std::string_view t) {
    return t.size() == 3 ? uint32_t(uint8_t(t[0])) << 16 | uint32_t(uint8_t(t[1])) << 8 |
                               uint8_t(t[2])
                         : 0;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsAddressChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Index of a talker's satellite system in the "in view" table.
size_t SystemIndex(std::string_view talker) {
    if (talker == "GP") return 0;
    if (talker == "GL") return 1;
    if (talker == "GA") return 2;
    if (talker == "BD" || talker == "GB") return 3;
    if (talker == "GQ") return 4;
    return 5;
}

// One-letter fields: empty is allowed where the caller says so.
bool Letter(std::string_view f, char &out) {
    if (f.size() != 1) return false;
    out = f[0];
    return true;
}

bool Fail(TNmeaResult &why, TNmeaResult r) {
    why = r;
    return false;
}

// Reads an angle in degrees [0, 360]; 360 becomes 0.
bool Angle(std::string_view f, double &out, TNmeaResult &why) {
    double v;
    if (!TNmeaParser::ParseNumber(f, v, why)) return false;
    if (NmeaKnown(v)) {
        if (v < 0.0 || v > 360.0) return Fail(why, TNmeaResult::OutOfRange);
        if (v == 360.0) v = 0.0;
    }
    out = v;
    return true;
}

bool NonNegative(std::string_view f, double &out, TNmeaResult &why, double max) {
    double v;
    if (!TNmeaParser::ParseNumber(f, v, why)) return false;
    if (NmeaKnown(v) && (v < 0.0 || v > max)) return Fail(why, TNmeaResult::OutOfRange);
    out = v;
    return true;
}

bool Count(std::string_view f, int32_t &out, TNmeaResult &why, int32_t max) {
    double v;
    if (!TNmeaParser::ParseNumber(f, v, why)) return false;
    if (!NmeaKnown(v)) {
        out = -1;
        return true;
    }
    if (v != std::floor(v)) return Fail(why, TNmeaResult::BadField);
    if (v < 0.0 || v > double(max)) return Fail(why, TNmeaResult::OutOfRange);
    out = int32_t(v);
    return true;
}

double Normalize360(double deg) {
    double r = std::fmod(deg, 360.0);
    if (r < 0.0) r += 360.0;
    return r;
}

}  // namespace

const char *NmeaResultName(TNmeaResult r) {
    static_assert(NmeaMaxAccepted == 120, "the text of TooLong names the bound");
    switch (r) {
    case TNmeaResult::Applied: return "applied";
    case TNmeaResult::Ignored: return "ignored";
    case TNmeaResult::TooLong: return "longer than 120 characters";
    case TNmeaResult::Noise: return "binary noise";
    case TNmeaResult::Truncated: return "truncated";
    case TNmeaResult::ChecksumMissing: return "no checksum";
    case TNmeaResult::ChecksumError: return "checksum error";
    case TNmeaResult::BadAddress: return "bad address field";
    case TNmeaResult::BadField: return "bad field";
    case TNmeaResult::OutOfRange: return "value out of range";
    }
    return "?";
}

uint32_t TNmeaStats::Rejected() const {
    uint32_t n = 0;
    for (int i = int(TNmeaResult::TooLong); i < NmeaResultCount; ++i) n += ByResult[size_t(i)];
    return n;
}

uint8_t TNmeaParser::Checksum(std::string_view between) {
    uint8_t sum = 0;
    for (char c : between) sum ^= uint8_t(c);
    return sum;
}

bool TNmeaParser::ParseNumber(std::string_view f, double &out, TNmeaResult &why) {
    if (f.empty()) {
        out = NmeaUnknown;
        return true;
    }
    // from_chars would take "inf", "nan" and exponents: NMEA numbers are plain decimals.
    bool digit = false;
    for (size_t i = 0; i < f.size(); ++i) {
        const char c = f[i];
        if (c >= '0' && c <= '9')
            digit = true;
        else if (!(c == '.' || ((c == '-' || c == '+') && i == 0)))
            return Fail(why, TNmeaResult::BadField);
    }
    if (!digit) return Fail(why, TNmeaResult::BadField);
    const char *begin = f.data() + (f[0] == '+' ? 1 : 0);
    double v = 0.0;
    const auto [end, ec] = std::from_chars(begin, f.data() + f.size(), v);
    if (ec != std::errc() || end != f.data() + f.size() || !std::isfinite(v))
        return Fail(why, TNmeaResult::BadField);
    out = v;
    return true;
}

namespace {

bool ParseDegMin(std::string_view f, std::string_view hemi, char pos, char neg, double maxDeg,
                 double &rad, TNmeaResult &why) {
    if (f.empty() && hemi.empty()) {
        rad = NmeaUnknown;
        return true;
    }
    if (f.empty() || hemi.empty()) return Fail(why, TNmeaResult::BadField);
    char h;
    if (!Letter(hemi, h) || (h != pos && h != neg)) return Fail(why, TNmeaResult::BadField);
    if (f[0] == '-' || f[0] == '+') return Fail(why, TNmeaResult::BadField);
    // The degrees are the digits before the last two of the integer part.
    const size_t dot = f.find('.');
    const size_t intLen = dot == std::string_view::npos ? f.size() : dot;
    if (intLen < 3) return Fail(why, TNmeaResult::BadField);
    double v;
    if (!TNmeaParser::ParseNumber(f, v, why)) return false;
    const double deg = std::floor(v / 100.0);
    const double min = v - deg * 100.0;
    if (min >= 60.0) return Fail(why, TNmeaResult::OutOfRange);
    const double total = deg + min / 60.0;
    if (total > maxDeg) return Fail(why, TNmeaResult::OutOfRange);
    rad = (h == neg ? -total : total) * DegToRad;
    return true;
}

}  // namespace

bool TNmeaParser::ParseLatitude(std::string_view f, std::string_view hemi, double &rad,
                                TNmeaResult &why) {
    return ParseDegMin(f, hemi, 'N', 'S', 90.0, rad, why);
}

bool TNmeaParser::ParseLongitude(std::string_view f, std::string_view hemi, double &rad,
                                 TNmeaResult &why) {
    return ParseDegMin(f, hemi, 'E', 'W', 180.0, rad, why);
}

bool TNmeaParser::ParseTime(std::string_view f, double &secondsOfDay, TNmeaResult &why) {
    if (f.empty()) {
        secondsOfDay = NmeaUnknown;
        return true;
    }
    if (f.size() < 6) return Fail(why, TNmeaResult::BadField);
    for (size_t i = 0; i < 6; ++i)
        if (f[i] < '0' || f[i] > '9') return Fail(why, TNmeaResult::BadField);
    double v;
    if (!ParseNumber(f, v, why)) return false;
    const int hh = (f[0] - '0') * 10 + (f[1] - '0');
    const int mm = (f[2] - '0') * 10 + (f[3] - '0');
    const double ss = v - std::floor(v / 100.0) * 100.0;
    if (hh > 23 || mm > 59 || ss >= 61.0) return Fail(why, TNmeaResult::OutOfRange);
    secondsOfDay = hh * 3600.0 + mm * 60.0 + ss;
    return true;
}

TDateTime TNmeaParser::DateFromYMD(int year, int month, int day) {
    // Days from the civil calendar (proleptic Gregorian).
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t days = int64_t(era) * 146097 + doe - 719468;
    return double(days + UnixEpochDays);
}

namespace {

bool ValidDay(int year, int month, int day) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= lengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

}  // namespace

bool TNmeaParser::ParseDate(std::string_view f, TDateTime &day, TNmeaResult &why) {
    if (f.empty()) {
        day = NmeaUnknown;
        return true;
    }
    if (f.size() != 6) return Fail(why, TNmeaResult::BadField);
    for (char c : f)
        if (c < '0' || c > '9') return Fail(why, TNmeaResult::BadField);
    const int d = (f[0] - '0') * 10 + (f[1] - '0');
    const int m = (f[2] - '0') * 10 + (f[3] - '0');
    const int yy = (f[4] - '0') * 10 + (f[5] - '0');
    const int y = yy >= 80 ? 1900 + yy : 2000 + yy;
    if (!ValidDay(y, m, d)) return Fail(why, TNmeaResult::OutOfRange);
    day = DateFromYMD(y, m, d);
    return true;
}

namespace {

// Reads the optional fields of one sentence. A malformed one (letters in a number, a value
// out of range, a mode letter where E/W belongs) is left unknown and marks the sentence odd:
// it never costs the fields the fix depends on.
class TOptional {
public:
    explicit TOptional(bool &odd) : FOdd(odd) {}

    double Real(std::string_view f) {
        double v = NmeaUnknown;
        TNmeaResult why;
        const bool ok = TNmeaParser::ParseNumber(f, v, why);
        return Keep(ok, v);
    }
    double Bounded(std::string_view f, double max) {
        double v = NmeaUnknown;
        TNmeaResult why;
        const bool ok = NonNegative(f, v, why, max);
        return Keep(ok, v);
    }
    double Degrees(std::string_view f) {
        double v = NmeaUnknown;
        TNmeaResult why;
        const bool ok = Angle(f, v, why);
        return Keep(ok, v);
    }
    // Receivers send a dilution of precision of 0 ("0.0", "00.0") before a fix; no real
    // one is below 1.
    double Dop(std::string_view f) {
        const double v = Bounded(f, 100.0);
        return v == 0.0 ? NmeaUnknown : v;
    }
    // -1 when empty or malformed.
    int32_t Integer(std::string_view f, int32_t max) {
        int32_t v = -1;
        TNmeaResult why;
        if (Count(f, v, why, max)) return v;
        FOdd = true;
        return -1;
    }
    // The letter when the field is one of `allowed`, 0 when it is empty or anything else.
    char OneOf(std::string_view f, std::string_view allowed) {
        if (f.empty()) return 0;
        if (f.size() == 1 && allowed.find(f[0]) != std::string_view::npos) return f[0];
        FOdd = true;
        return 0;
    }
    // ddmmyy; "000000" is what a receiver sends before it knows the date.
    TDateTime Date(std::string_view f) {
        if (f == "000000") return NmeaUnknown;
        TDateTime day = NmeaUnknown;
        TNmeaResult why;
        const bool ok = TNmeaParser::ParseDate(f, day, why);
        return Keep(ok, day);
    }
    void Mark() { FOdd = true; }

private:
    double Keep(bool ok, double v) {
        if (ok) return v;
        FOdd = true;
        return NmeaUnknown;
    }

    bool &FOdd;
};

// Mode letters of NMEA 2.3 and later (RMC, GLL, VTG; GNS has one per system).
constexpr std::string_view ModeLetters = "ADEFMNPRS";

bool ModeMeansNoFix(char mode) { return mode == 'N' || mode == 'S'; }

}  // namespace

void TNmeaParser::Reset() {
    TClockSink clock = std::move(FClock);
    auto hook = std::move(FHook);
    auto rejectHook = std::move(FRejectHook);
    *this = TNmeaParser();
    FClock = std::move(clock);
    FHook = std::move(hook);
    FRejectHook = std::move(rejectHook);
}

void TNmeaParser::Feed(const char *data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '$' || c == '!') {
            if (FInSentence)
                Finish(TNmeaResult::Truncated,
                       std::string_view(FLine.data(), std::min(FLineLength, FLine.size())));
            FLine[0] = c;
            FLineLength = 1;
            FInSentence = true;
        } else if (c == '\r' || c == '\n') {
            if (FInSentence) {
                FInSentence = false;
                if (FLineLength > NmeaMaxAccepted)
                    Finish(TNmeaResult::TooLong, std::string_view(FLine.data(), FLine.size()));
                else
                    ParseSentence(std::string_view(FLine.data(), FLineLength));
            }
        } else if (FInSentence) {
            if (FLineLength < FLine.size()) FLine[FLineLength] = c;
            // Saturates: a line without end is one overlong sentence, not a counter wrap.
            if (FLineLength <= NmeaMaxAccepted) ++FLineLength;
        } else {
            ++FStats.GarbageBytes;
        }
    }
}

TNmeaResult TNmeaParser::Finish(TNmeaResult r, std::string_view line) {
    ++FStats.ByResult[size_t(r)];
    FLast = r;
    if (NmeaRejected(r) && FRejectHook) FRejectHook(r, line);
    return r;
}

TNmeaResult TNmeaParser::ParseSentence(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    if (line.size() > NmeaMaxAccepted) return Finish(TNmeaResult::TooLong, line);
    for (char c : line)
        if (uint8_t(c) < 0x20 || uint8_t(c) > 0x7E) return Finish(TNmeaResult::Noise, line);
    if (line.empty() || (line[0] != '$' && line[0] != '!'))
        return Finish(TNmeaResult::BadAddress, line);
    const size_t star = line.rfind('*');
    if (star == std::string_view::npos) return Finish(TNmeaResult::ChecksumMissing, line);
    const std::string_view tail = line.substr(star + 1);
    if (tail.size() < 2) return Finish(TNmeaResult::Truncated, line);
    if (tail.size() > 2) return Finish(TNmeaResult::ChecksumError, line);
    const int hi = HexValue(tail[0]), lo = HexValue(tail[1]);
    if (hi < 0 || lo < 0) return Finish(TNmeaResult::ChecksumError, line);
    const std::string_view body = line.substr(1, star - 1);
    if (Checksum(body) != uint8_t(hi << 4 | lo)) return Finish(TNmeaResult::ChecksumError, line);

    TNmeaSentence &s = FSentence;
    s.Start = line[0];
    s.Talker = s.Type = std::string_view();
    s.FieldCount = 0;
    const size_t comma = body.find(',');
    const std::string_view address = body.substr(0, comma);
    if (address.empty()) return Finish(TNmeaResult::BadAddress, line);
    for (char c : address)
        if (!IsAddressChar(c)) return Finish(TNmeaResult::BadAddress, line);
    if (address[0] == 'P') {
        s.Type = address;
    } else {
        if (address.size() != 5) return Finish(TNmeaResult::BadAddress, line);
        s.Talker = address.substr(0, 2);
        s.Type = address.substr(2);
    }
    if (comma != std::string_view::npos) {
        std::string_view rest = body.substr(comma + 1);
        while (true) {
            const size_t next = rest.find(',');
            if (size_t(s.FieldCount) == s.Fields.size())
                return Finish(TNmeaResult::TooLong, line);
            s.Fields[size_t(s.FieldCount++)] = rest.substr(0, next);
            if (next == std::string_view::npos) break;
            rest.remove_prefix(next + 1);
        }
    }

    FOddField = false;
    const TNmeaResult r = s.Start == '$' && !s.Talker.empty() ? Apply(s) : TNmeaResult::Ignored;
    if (!NmeaRejected(r)) {
        if (line.size() > NmeaMaxSentence) ++FStats.OverLong;
        if (FOddField) ++FStats.OddFields;
        FPrevWasGSA = s.Type == "GSA";
        const uint32_t type = Code(s.Type);
        if (type == Code("GGA") || type == Code("GLL") || type == Code("RMC") ||
            type == Code("GNS"))
            ++FStats.PositionSentences;
        if (r == TNmeaResult::Applied) ++FState.Updates;
        Finish(r, line);
        if (FHook) FHook(s);
        return r;
    }
    return Finish(r, line);
}

TNmeaResult TNmeaParser::Apply(const TNmeaSentence &s) {
    switch (Code(s.Type)) {
    case Code("GGA"): return ApplyGGA(s, false);
    case Code("GNS"): return ApplyGGA(s, true);
    case Code("RMC"): return ApplyRMC(s);
    case Code("GLL"): return ApplyGLL(s);
    case Code("VTG"): return ApplyVTG(s);
    case Code("GSA"): return ApplyGSA(s);
    case Code("GSV"): return ApplyGSV(s);
    case Code("ZDA"): return ApplyZDA(s);
    case Code("HDT"):
    case Code("HDG"):
    case Code("HDM"): return ApplyHeading(s);
    case Code("VHW"): return ApplyVHW(s);
    case Code("DBT"):
    case Code("DPT"): return ApplyDepth(s);
    case Code("MTW"): return ApplyMTW(s);
    case Code("MWV"): return ApplyMWV(s);
    case Code("XTE"): return ApplyXTE(s);
    case Code("RMB"): return ApplyRMB(s);
    case Code("APB"): return ApplyAPB(s);
    default: return TNmeaResult::Ignored;
    }
}

void TNmeaParser::SetTimeOfDay(double tod, bool feedClock) {
    if (!NmeaKnown(tod)) return;
    FState.TimeOfDaySec = tod;
    if (NmeaKnown(FDate)) {
        // A time of day just after midnight before the next RMC belongs to the next day.
        double day = FDate;
        if (NmeaKnown(FState.DateTimeUTC) && day + tod / 86400.0 < FState.DateTimeUTC - 0.5)
            day += 1.0;
        FState.DateTimeUTC = day + tod / 86400.0;
    }
    if (feedClock && FClock.TimeOfDay) FClock.TimeOfDay(tod);
}

void TNmeaParser::SetFix(double lat, double lon, double tod) {
    FState.PositionValid = true;
    FState.LatRad = lat;
    FState.LonRad = lon;
    ++FState.FixCount;
    FState.FixTimeUTC = NmeaKnown(tod) ? FState.DateTimeUTC : NmeaUnknown;
}

TNmeaResult TNmeaParser::ApplyGGA(const TNmeaSentence &s, bool gns) {
    // GGA: time, lat, N/S, lon, E/W, quality, satellites, HDOP, altitude, M, ...
    // GNS: time, lat, N/S, lon, E/W, mode letters, satellites, HDOP, altitude, ...
    if (s.FieldCount < 9) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    double tod, lat, lon;
    int32_t quality = -1;
    if (!ParseTime(s.Field(0), tod, why) || !ParseLatitude(s.Field(1), s.Field(2), lat, why) ||
        !ParseLongitude(s.Field(3), s.Field(4), lon, why))
        return why;
    bool fix;
    if (gns) {
        const std::string_view modes = s.Field(5);
        fix = false;
        for (char c : modes) {
            if (c == 'A' || c == 'D' || c == 'P' || c == 'R' || c == 'F' || c == 'E')
                fix = true;
            else if (c != 'N' && c != 'S' && c != 'M')
                return TNmeaResult::BadField;
        }
    } else {
        if (!Count(s.Field(5), quality, why, 8)) return why;
        fix = quality >= 1 && quality <= 6;
    }
    TOptional opt(FOddField);
    const int32_t sats = opt.Integer(s.Field(6), 99);
    const double hdop = opt.Dop(s.Field(7));
    const double alt = opt.Real(s.Field(8));

    if (!gns) FState.FixQuality = quality;
    fix = fix && NmeaKnown(lat) && NmeaKnown(lon);
    // The newest report wins (a GSA group after the GGA of the same epoch replaces its
    // count); some receivers put 0 into GGA with a fix and count only in GSA.
    if (sats > 0 || (sats == 0 && !fix)) FState.SatellitesInUse = sats;

    if (NmeaKnown(hdop)) FState.HDOP = hdop;
    SetTimeOfDay(tod, fix);
    if (fix) {
        SetFix(lat, lon, tod);
        FState.AltitudeM = alt;
    } else {
        FState.PositionValid = false;
    }
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyRMC(const TNmeaSentence &s) {
    // time, status, lat, N/S, lon, E/W, SOG kn, COG true, date, variation, E/W, mode,
    // navigational status. The fix rests on the first six; the rest may be malformed.
    if (s.FieldCount < 9) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    double tod, lat, lon;
    char status;
    if (!Letter(s.Field(1), status) || (status != 'A' && status != 'V'))
        return TNmeaResult::BadField;
    if (!ParseTime(s.Field(0), tod, why) || !ParseLatitude(s.Field(2), s.Field(3), lat, why) ||
        !ParseLongitude(s.Field(4), s.Field(5), lon, why))
        return why;
    TOptional opt(FOddField);
    const double sog = opt.Bounded(s.Field(6), 10000.0);
    const double cog = opt.Degrees(s.Field(7));
    const TDateTime date = opt.Date(s.Field(8));
    // Some receivers put the mode letter into the variation's E/W slot.
    double var = opt.Bounded(s.Field(9), 180.0);
    const char ew = opt.OneOf(s.Field(10), "EW");
    if (NmeaKnown(var) && ew == 0) {
        if (s.Field(10).empty()) opt.Mark();  // a variation without its direction
        var = NmeaUnknown;
    }
    if (ew == 'W') var = -var;
    bool fix = status == 'A' && NmeaKnown(lat) && NmeaKnown(lon);
    if (ModeMeansNoFix(opt.OneOf(s.Field(11), ModeLetters))) fix = false;

    if (NmeaKnown(date)) {
        FDate = date;
        if (NmeaKnown(tod)) {
            FState.DateTimeUTC = date + tod / 86400.0;
            FState.TimeOfDaySec = tod;
        }
    } else {
        SetTimeOfDay(tod, false);  // the day of the last date seen
    }
    if (fix) {
        SetFix(lat, lon, tod);
        FState.SOGKn = sog;
        FState.COGTrueDeg = cog;
        if (NmeaKnown(var)) FState.MagVariationDeg = var;
        if (NmeaKnown(tod) && NmeaKnown(date) && FClock.DateTime)
            FClock.DateTime(FState.DateTimeUTC);
    } else {
        FState.PositionValid = false;
        FState.SOGKn = NmeaUnknown;
        FState.COGTrueDeg = NmeaUnknown;
    }
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyGLL(const TNmeaSentence &s) {
    // lat, N/S, lon, E/W, time, status, mode (the last three are missing in old receivers)
    if (s.FieldCount < 4) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    double lat, lon, tod = NmeaUnknown;
    if (!ParseLatitude(s.Field(0), s.Field(1), lat, why) ||
        !ParseLongitude(s.Field(2), s.Field(3), lon, why) || !ParseTime(s.Field(4), tod, why))
        return why;
    bool fix = NmeaKnown(lat) && NmeaKnown(lon);
    if (s.FieldCount > 5) {
        char status;
        if (!Letter(s.Field(5), status) || (status != 'A' && status != 'V'))
            return TNmeaResult::BadField;
        fix = fix && status == 'A';
    }
    TOptional opt(FOddField);
    if (ModeMeansNoFix(opt.OneOf(s.Field(6), ModeLetters))) fix = false;
    SetTimeOfDay(tod, fix);
    if (fix)
        SetFix(lat, lon, tod);
    else
        FState.PositionValid = false;
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyVTG(const TNmeaSentence &s) {
    // Every value is optional: a malformed one is unknown, the others still count.
    TOptional opt(FOddField);
    double cogT, cogM, sogN, sogK;
    bool valid = true;
    if (s.Field(1) == "T") {
        // COG true, T, COG magnetic, M, SOG kn, N, SOG km/h, K, mode
        if (s.FieldCount < 8) return TNmeaResult::Truncated;
        cogT = opt.Degrees(s.Field(0));
        cogM = opt.Degrees(s.Field(2));
        sogN = opt.Bounded(s.Field(4), 10000.0);
        sogK = opt.Bounded(s.Field(6), 20000.0);
        valid = !ModeMeansNoFix(opt.OneOf(s.Field(8), ModeLetters));
    } else {
        // The format before NMEA 2.0: COG true, COG magnetic, SOG kn, SOG km/h.
        if (s.FieldCount < 4) return TNmeaResult::Truncated;
        cogT = opt.Degrees(s.Field(0));
        cogM = opt.Degrees(s.Field(1));
        sogN = opt.Bounded(s.Field(2), 10000.0);
        sogK = opt.Bounded(s.Field(3), 20000.0);
    }
    if (!valid) {
        FState.SOGKn = FState.COGTrueDeg = FState.COGMagDeg = NmeaUnknown;
        return TNmeaResult::Applied;
    }
    FState.SOGKn = NmeaKnown(sogN) ? sogN : NmeaKnown(sogK) ? sogK / 1.852 : NmeaUnknown;
    FState.COGTrueDeg = cogT;
    FState.COGMagDeg = cogM;
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyGSA(const TNmeaSentence &s) {
    // mode, fix type, 12 PRNs, PDOP, HDOP, VDOP, [system]
    if (s.FieldCount < 17) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    int32_t fixType;
    if (!Count(s.Field(1), fixType, why, 3)) return why;
    TOptional opt(FOddField);
    const double pdop = opt.Dop(s.Field(14));
    const double hdop = opt.Dop(s.Field(15));
    const double vdop = opt.Dop(s.Field(16));
    int32_t used = 0;
    for (int i = 2; i < 14; ++i)
        if (opt.Integer(s.Field(i), 999) >= 0) ++used;
    if (!FPrevWasGSA) FGSAUsed = 0;
    FGSAUsed += used;
    FState.SatellitesInUse = FGSAUsed;
    FState.FixType = fixType;
    if (NmeaKnown(pdop)) FState.PDOP = pdop;
    if (NmeaKnown(hdop)) FState.HDOP = hdop;
    if (NmeaKnown(vdop)) FState.VDOP = vdop;
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyGSV(const TNmeaSentence &s) {
    // messages, message number, satellites in view, then 4 x (PRN, elevation, azimuth, SNR)
    if (s.FieldCount < 3) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    int32_t total, number, inView;
    if (!Count(s.Field(0), total, why, 99) || !Count(s.Field(1), number, why, 99) ||
        !Count(s.Field(2), inView, why, 999))
        return why;
    // The satellites themselves are not used: only checked, so a receiver that garbles
    // them shows up in the statistics. NMEA 4.1 appends a hexadecimal signal ID.
    TOptional opt(FOddField);
    const bool hasSignalId = (s.FieldCount - 3) % 4 == 1;
    const int blocksEnd = s.FieldCount - (hasSignalId ? 1 : 0);
    for (int i = 3; i < blocksEnd; ++i) opt.Real(s.Field(i));
    const std::string_view signalId = s.Field(blocksEnd);
    if (hasSignalId && (signalId.size() > 1 || (signalId.size() == 1 && HexValue(signalId[0]) < 0)))
        opt.Mark();
    if (inView < 0) return TNmeaResult::Applied;
    FInView[SystemIndex(s.Talker)] = inView;
    int32_t sum = 0;
    for (int32_t n : FInView)
        if (n > 0) sum += n;
    FState.SatellitesInView = sum;
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyZDA(const TNmeaSentence &s) {
    // time, day, month, year, zone hours, zone minutes
    if (s.FieldCount < 4) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    double tod;
    int32_t day, month, year;
    if (!ParseTime(s.Field(0), tod, why) || !Count(s.Field(1), day, why, 31) ||
        !Count(s.Field(2), month, why, 12) || !Count(s.Field(3), year, why, 9999))
        return why;
    // Zeros are the placeholder of a receiver that does not know the date yet.
    if (!NmeaKnown(tod) || day <= 0 || month <= 0 || year <= 0) {
        if (NmeaKnown(tod)) FState.TimeOfDaySec = tod;
        return TNmeaResult::Applied;
    }
    if (year < 1980 || !ValidDay(year, month, day)) return TNmeaResult::OutOfRange;
    FDate = DateFromYMD(year, month, day);
    FState.TimeOfDaySec = tod;
    FState.DateTimeUTC = FDate + tod / 86400.0;
    if (FClock.DateTime) FClock.DateTime(FState.DateTimeUTC);
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyHeading(const TNmeaSentence &s) {
    TNmeaResult why = TNmeaResult::BadField;
    double heading;
    if (s.FieldCount < 1) return TNmeaResult::Truncated;
    if (!Angle(s.Field(0), heading, why)) return why;
    if (s.Type == "HDT") {
        FState.HeadingTrueDeg = heading;
        return TNmeaResult::Applied;
    }
    if (s.Type == "HDM") {
        FState.HeadingMagDeg = heading;
        return TNmeaResult::Applied;
    }
    // HDG: sensor heading, deviation, E/W, variation, E/W
    if (s.FieldCount < 5) return TNmeaResult::Truncated;
    double dev, var;
    if (!NonNegative(s.Field(1), dev, why, 180.0) || !NonNegative(s.Field(3), var, why, 180.0))
        return why;
    for (auto [value, letter] : {std::pair{&dev, s.Field(2)}, std::pair{&var, s.Field(4)}}) {
        if (!NmeaKnown(*value)) continue;
        char ew;
        if (!Letter(letter, ew) || (ew != 'E' && ew != 'W')) return TNmeaResult::BadField;
        if (ew == 'W') *value = -*value;
    }
    if (!NmeaKnown(heading)) {
        FState.HeadingMagDeg = FState.HeadingTrueDeg = NmeaUnknown;
        return TNmeaResult::Applied;
    }
    const double mag = Normalize360(heading + (NmeaKnown(dev) ? dev : 0.0));
    FState.HeadingMagDeg = mag;
    if (NmeaKnown(var)) {
        FState.MagVariationDeg = var;
        FState.HeadingTrueDeg = Normalize360(mag + var);
    }
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyVHW(const TNmeaSentence &s) {
    // heading true, T, heading magnetic, M, speed kn, N, speed km/h, K
    if (s.FieldCount < 7) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    double hdgT, hdgM, kn, kmh;
    if (!Angle(s.Field(0), hdgT, why) || !Angle(s.Field(2), hdgM, why) ||
        !NonNegative(s.Field(4), kn, why, 1000.0) || !NonNegative(s.Field(6), kmh, why, 2000.0))
        return why;
    if (NmeaKnown(hdgT)) FState.HeadingTrueDeg = hdgT;
    if (NmeaKnown(hdgM)) FState.HeadingMagDeg = hdgM;
    FState.SpeedThroughWaterKn = NmeaKnown(kn) ? kn : NmeaKnown(kmh) ? kmh / 1.852 : NmeaUnknown;
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyDepth(const TNmeaSentence &s) {
    TNmeaResult why = TNmeaResult::BadField;
    constexpr double MaxDepth = 12000.0;
    if (s.Type == "DPT") {
        // depth below transducer (m), offset (m), [maximum range]
        if (s.FieldCount < 2) return TNmeaResult::Truncated;
        double depth, offset;
        if (!NonNegative(s.Field(0), depth, why, MaxDepth) || !ParseNumber(s.Field(1), offset, why))
            return why;
        FState.DepthBelowTransducerM = depth;
        FState.DepthOffsetM = offset;
        return TNmeaResult::Applied;
    }
    // DBT: feet, f, metres, M, fathoms, F
    if (s.FieldCount < 6) return TNmeaResult::Truncated;
    double feet, metres, fathoms;
    if (!NonNegative(s.Field(0), feet, why, MaxDepth / 0.3048) ||
        !NonNegative(s.Field(2), metres, why, MaxDepth) ||
        !NonNegative(s.Field(4), fathoms, why, MaxDepth / 1.8288))
        return why;
    FState.DepthBelowTransducerM = NmeaKnown(metres) ? metres
                                   : NmeaKnown(feet) ? feet * 0.3048
                                   : NmeaKnown(fathoms) ? fathoms * 1.8288
                                                        : NmeaUnknown;
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyMTW(const TNmeaSentence &s) {
    // temperature, C
    if (s.FieldCount < 2) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    double t;
    if (!ParseNumber(s.Field(0), t, why)) return why;
    if (NmeaKnown(t) && (t < -5.0 || t > 60.0)) return TNmeaResult::OutOfRange;
    if (!s.Field(1).empty() && s.Field(1) != "C") return TNmeaResult::BadField;
    FState.WaterTempC = t;
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyMWV(const TNmeaSentence &s) {
    // angle, R/T, speed, unit K/M/N/S, status
    if (s.FieldCount < 5) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    double angle, speed;
    char ref, unit = 'N', status;
    if (!Angle(s.Field(0), angle, why) || !NonNegative(s.Field(2), speed, why, 1000.0)) return why;
    if (!Letter(s.Field(1), ref) || (ref != 'R' && ref != 'T')) return TNmeaResult::BadField;
    if (!Letter(s.Field(4), status) || (status != 'A' && status != 'V'))
        return TNmeaResult::BadField;
    if (NmeaKnown(speed) && !Letter(s.Field(3), unit)) return TNmeaResult::BadField;
    double factor;
    switch (unit) {
    case 'N': factor = 1.0; break;
    case 'K': factor = 1.0 / 1.852; break;
    case 'M': factor = 3600.0 / 1852.0; break;
    case 'S': factor = 1609.344 / 1852.0; break;
    default: return TNmeaResult::BadField;
    }
    FState.WindTrue = ref == 'T';
    if (status != 'A') {
        FState.WindAngleDeg = FState.WindSpeedKn = NmeaUnknown;
        return TNmeaResult::Applied;
    }
    FState.WindAngleDeg = angle;
    FState.WindSpeedKn = NmeaKnown(speed) ? speed * factor : NmeaUnknown;
    return TNmeaResult::Applied;
}

namespace {

// Cross-track error with the direction to steer; positive = steer right.
bool SteerXTE(std::string_view mag, std::string_view dir, double &out, TNmeaResult &why) {
    double v;
    if (!NonNegative(mag, v, why, 1000.0)) return false;
    if (NmeaKnown(v)) {
        char d;
        if (!Letter(dir, d) || (d != 'L' && d != 'R')) return Fail(why, TNmeaResult::BadField);
        if (d == 'L') v = -v;
    }
    out = v;
    return true;
}

}  // namespace

TNmeaResult TNmeaParser::ApplyXTE(const TNmeaSentence &s) {
    // status, status, magnitude, L/R, N, [mode]
    if (s.FieldCount < 5) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    double xte;
    if (!SteerXTE(s.Field(2), s.Field(3), xte, why)) return why;
    const bool valid = s.Field(0) == "A" && s.Field(1) == "A";
    FState.CrossTrackNM = valid ? xte : NmeaUnknown;
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyRMB(const TNmeaSentence &s) {
    // status, XTE, L/R, origin, destination, lat, N/S, lon, E/W, range NM, bearing true,
    // closing speed, arrival status, [mode]
    if (s.FieldCount < 13) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    double xte, lat, lon, range, bearing, closing;
    if (!SteerXTE(s.Field(1), s.Field(2), xte, why) ||
        !ParseLatitude(s.Field(5), s.Field(6), lat, why) ||
        !ParseLongitude(s.Field(7), s.Field(8), lon, why) ||
        !NonNegative(s.Field(9), range, why, 100000.0) || !Angle(s.Field(10), bearing, why) ||
        !ParseNumber(s.Field(11), closing, why))
        return why;
    const bool valid = s.Field(0) == "A";
    FState.CrossTrackNM = valid ? xte : NmeaUnknown;
    FState.DestID.assign(s.Field(4));
    FState.DestLatRad = lat;
    FState.DestLonRad = lon;
    FState.DestRangeNM = valid ? range : NmeaUnknown;
    FState.DestBearingTrueDeg = valid ? bearing : NmeaUnknown;
    FState.ArrivalAlarm = s.Field(12) == "A";
    return TNmeaResult::Applied;
}

TNmeaResult TNmeaParser::ApplyAPB(const TNmeaSentence &s) {
    // status, status, XTE, L/R, N, arrival circle, perpendicular, bearing origin->dest, M/T,
    // destination, bearing here->dest, M/T, heading to steer, M/T, [mode]
    if (s.FieldCount < 14) return TNmeaResult::Truncated;
    TNmeaResult why = TNmeaResult::BadField;
    double xte, bearing, steer, toDest;
    if (!SteerXTE(s.Field(2), s.Field(3), xte, why) || !Angle(s.Field(7), bearing, why) ||
        !Angle(s.Field(10), toDest, why) || !Angle(s.Field(12), steer, why))
        return why;
    const bool valid = s.Field(0) == "A" && s.Field(1) == "A";
    FState.CrossTrackNM = valid ? xte : NmeaUnknown;
    FState.DestID.assign(s.Field(9));
    if (s.Field(11) == "T") FState.DestBearingTrueDeg = valid ? toDest : NmeaUnknown;
    FState.ArrivalAlarm = s.Field(5) == "A";
    return TNmeaResult::Applied;
}

}  // namespace kv
