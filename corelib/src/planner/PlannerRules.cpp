// The planner's rules for structures: clearances at the water level, which passage or
// chamber a boat fits, and when an operated structure lets it through (operating periods,
// weekly windows, holidays and other special days).
#include "planner/PlannerEngine.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace kv::plan {

using namespace kv::ww;

namespace {

constexpr double SecondsPerDay = 86400.0;
constexpr int32_t LiftBridge = 9;  // IWWBridgePassage::GetBridgeType
const qint64 EpochJulianDay = QDate(1899, 12, 30).toJulianDay();

// Offset of local time from UTC at a UTC moment, seconds. Zone look-ups are slow and the
// search asks often, so offsets are kept per UTC hour (zones change offset on whole hours).
int LocalOffsetSeconds(double utcDays) {
    thread_local std::unordered_map<int64_t, int> cache;
    const int64_t hour = int64_t(std::floor(utcDays * 24.0));
    auto it = cache.find(hour);
    if (it != cache.end()) return it->second;
    if (cache.size() > 100000) cache.clear();
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), QTimeZone::utc());
    const int off = LocalZone().offsetFromUtc(epoch.addSecs(hour * 3600 + 1800));
    cache.emplace(hour, off);
    return off;
}

bool Given(float v) { return v < WWMissing && std::isfinite(v); }
bool Exceeds(float boat, float limit) { return boat > 0.0f && Given(limit) && boat > limit; }

// Depth levels do not follow the water level here: the network gives them against the
// structure's own reference.
float DepthOf(const TWWLevel &l) { return Given(l.Value) ? l.Value : WWMissing; }

QDate EasterSunday(int year) {
    const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31, day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

// The date a special date stands for in the year; invalid when it names none.
QDate SpecialDateIn(const TRawSpecialDate &d, int year) {
    QDate base;
    switch (d.Holiday) {
    case WWHoliday::FixedDate: base = QDate(year, d.Month, d.Day); break;
    case WWHoliday::GoodFriday: base = EasterSunday(year).addDays(-2); break;
    case WWHoliday::Easter: base = EasterSunday(year); break;
    case WWHoliday::EasterMonday: base = EasterSunday(year).addDays(1); break;
    case WWHoliday::AscensionDay: base = EasterSunday(year).addDays(39); break;
    case WWHoliday::Pentecost: base = EasterSunday(year).addDays(49); break;
    case WWHoliday::PentecostMonday: base = EasterSunday(year).addDays(50); break;
    case WWHoliday::CorpusChristi: base = EasterSunday(year).addDays(60); break;
    case WWHoliday::KingsDay: {
        base = QDate(year, 4, 27);
        if (base.dayOfWeek() == 7) base = base.addDays(-1);  // moved off a Sunday
        break;
    }
    case WWHoliday::LiberationDay: base = QDate(year, 5, 5); break;
    case WWHoliday::BussUndBettag: {
        base = QDate(year, 11, 22);  // the last Wednesday before 23 November
        while (base.dayOfWeek() != 3) base = base.addDays(-1);
        break;
    }
    default: return {};
    }
    return base.isValid() ? base.addDays(d.Offset) : QDate();
}

bool InPeriod(const TRawPeriod &p, const QDate &day) {
    const int v = day.month() * 100 + day.day();
    const int from = p.Dates.StartMonth * 100 + p.Dates.StartDay;
    const int to = p.Dates.EndMonth * 100 + p.Dates.EndDay;
    return from <= to ? v >= from && v <= to : v >= from || v <= to;  // wraps the year end
}

bool ForBoat(uint32_t classes, int32_t direction, bool along, bool commercial) {
    const uint32_t cls = commercial ? WWVesselClass::Commercial : WWVesselClass::Pleasure;
    if (classes != 0 && !(classes & cls)) return false;
    if (direction == WWDirection::Along && !along) return false;
    if (direction == WWDirection::Against && along) return false;
    return true;
}

int Minutes(uint8_t hour, uint8_t minute) { return hour * 60 + minute; }

// Crossings that always put something over the water. Cables and pipelines mostly lie on
// the bed, aqueducts, tunnels and siphons run under the waterway.
bool SpansOverhead(int32_t otherType) {
    return otherType == WWOtherType::PowerLine || otherType == WWOtherType::ConveyerBelt ||
           otherType == WWOtherType::Gantry;
}

}  // namespace

const QTimeZone &LocalZone() {
    // The network's operating times are those of the Dutch-style inland area it describes.
    static const QTimeZone zone = [] {
        QTimeZone z("Europe/Amsterdam");
        return z.isValid() ? z : QTimeZone(3600);
    }();
    return zone;
}

float Clearance(const TWWLevel &l, float level) {
    if (!Given(l.Value)) return WWMissing;
    float c = l.Value;
    if (l.Reference == WWLevelRef::NAP) {
        switch (l.NAPMode) {
        case 2: c = Given(l.ReferenceValue) ? l.Value - l.ReferenceValue : l.Value - level; break;
        case 3: c = Given(l.ReferenceValue) ? l.ReferenceValue : l.Value - level; break;
        default: c = l.Value - level; break;  // referenced to the datum: the water level decides
        }
    }
    return std::max(c, 0.0f);
}

TStructCheck CheckStruct(const TRawStruct &s, const TQuery &q) {
    const TBoatProfile &b = q.Boat;
    const float stepped = b.HeightStepped + std::max(0.0f, b.SafeMargin);
    const float lowered = b.HeightUnstepped + std::max(0.0f, b.SafeMargin);
    const float air = q.MastMode == 1 ? lowered : stepped;
    const bool mayLower = q.MastMode == 2 && b.HeightUnstepped > 0.0f;

    // Whether the boat fits under the clearance with the mast as planned, or by lowering it
    // where allowed. A clearance that is not given over something that always spans the water
    // is not known, unless the boat's height is not known either; where nothing need span it
    // (locks, weirs, crossings under the waterway, an opened span) a missing one limits nothing.
    auto fits = [&](float clearance, bool spans, TStructCheck &c) {
        c.LowerMast = false;
        if (!Given(clearance)) {
            c.ClearanceUnknown = spans && air > 0.0f;
            return true;
        }
        if (!Exceeds(air, clearance)) return true;
        if (mayLower && !Exceeds(lowered, clearance)) return c.LowerMast = true;
        return false;
    };

    TStructCheck best;
    best.Block = WptBlockReason::None;
    if (s.Items.empty()) {
        best.NeedsOperation = s.Kind == WWStructKind::Lock || s.Kind == WWStructKind::NonPhysicalBarrier ||
                              s.Kind == WWStructKind::ShipTunnel;
        return best;
    }
    // Rank: 0 passes unoperated, 1 passes operated, 2 passes an unknown clearance, 3 blocked.
    // The first best item wins.
    int bestRank = 4;
    for (size_t i = 0; i < s.Items.size(); ++i) {
        const TRawItem &it = s.Items[i];
        TStructCheck c;
        c.Item = int32_t(i);
        switch (s.Kind) {
        case WWStructKind::Bridge: {
            const float width = Given(it.PassageWidth) ? it.PassageWidth : it.Width;
            if (Exceeds(b.Width, width)) c.Block = WptBlockReason::TooWide;
            else if (Exceeds(b.Draught, DepthOf(it.Levels[LvThresholdDepth]))) c.Block = WptBlockReason::Draught;
            else if (it.BridgeType == WWBridgeTypeFixedSpan) {
                float h = Clearance(it.Levels[LvPassageHeight], q.WaterLevel);
                if (!Given(h)) h = Clearance(it.Levels[LvHeightClosed], q.WaterLevel);
                if (!fits(h, true, c)) c.Block = WptBlockReason::TooHigh;
            } else {
                // Passes under the closed bridge only where that is known; else it opens.
                const float closed = Clearance(it.Levels[LvHeightClosed], q.WaterLevel);
                if (air <= 0.0f || (Given(closed) && !Exceeds(air, closed))) break;
                c.NeedsOperation = true;
                float open = Clearance(it.Levels[LvHeightOpen], q.WaterLevel);
                if (!Given(open)) open = Clearance(it.Levels[LvPassageHeight], q.WaterLevel);
                // An opened span leaves the way free above, except a lifted one.
                if (!fits(open, it.BridgeType == LiftBridge, c)) c.Block = WptBlockReason::TooHigh;
            }
            break;
        }
        case WWStructKind::Lock: {
            c.NeedsOperation = true;
            const float length = Given(it.LockLength) ? it.LockLength : it.Length;
            float width = it.Width;
            if (Given(it.MinGateWidth) && (!Given(width) || it.MinGateWidth < width)) width = it.MinGateWidth;
            const float sill = std::min(DepthOf(it.Levels[LvThresholdDown]), DepthOf(it.Levels[LvThresholdUp]));
            if (Exceeds(b.Length, length)) c.Block = WptBlockReason::TooLong;
            else if (Exceeds(b.Width, width)) c.Block = WptBlockReason::TooWide;
            else if (Exceeds(b.Draught, sill)) c.Block = WptBlockReason::Draught;
            else if (!fits(Clearance(it.Levels[LvHeight], q.WaterLevel), false, c)) c.Block = WptBlockReason::TooHigh;
            break;
        }
        case WWStructKind::Barrier:
        case WWStructKind::OtherWork: {
            const float h = Clearance(it.Levels[LvHeight], q.WaterLevel);
            if (Exceeds(b.Width, it.Width)) c.Block = WptBlockReason::TooWide;
            else if (Exceeds(b.Draught, DepthOf(it.Levels[LvThresholdDepth]))) c.Block = WptBlockReason::Draught;
            else if (!fits(h, s.Kind == WWStructKind::OtherWork && SpansOverhead(s.OtherType), c))
                c.Block = WptBlockReason::TooHigh;
            break;
        }
        case WWStructKind::ShipTunnel:
            c.NeedsOperation = true;
            if (Exceeds(b.Draught, DepthOf(it.Levels[LvDepth]))) c.Block = WptBlockReason::Draught;
            else if (!fits(Clearance(it.Levels[LvHeight], q.WaterLevel), true, c)) c.Block = WptBlockReason::TooHigh;
            break;
        default:
            c.NeedsOperation = true;
            break;
        }
        if (c.Block != WptBlockReason::None) c.ClearanceUnknown = false;
        const int rank = c.Block != WptBlockReason::None ? 3 : c.ClearanceUnknown ? 2 : c.NeedsOperation ? 1 : 0;
        if (rank < bestRank || (rank == bestRank && best.LowerMast && !c.LowerMast)) {
            best = c;
            bestRank = rank;
        }
    }
    return best;
}

double NextOperated(TWWStructImpl &st, double arriveUtc, bool along, bool commercial,
                    int32_t &period, int32_t &schedule, int32_t &window) {
    period = schedule = window = -1;
    const TRawStruct &s = st.Raw();
    if (s.Periods.empty()) return arriveUtc;  // no times given: always operated
    const double arriveLocal = arriveUtc + LocalOffsetSeconds(arriveUtc) / SecondsPerDay;
    const double localDay = std::floor(arriveLocal);
    const QDate firstDay = QDate::fromJulianDay(EpochJulianDay + qint64(localDay));
    const int arriveMin = std::min(24 * 60 - 1, int((arriveLocal - localDay) * 24 * 60 + 1e-7));

    for (int d = 0; d < 15; ++d) {
        const QDate day = firstDay.addDays(d);
        int p = -1;
        for (size_t i = 0; i < s.Periods.size(); ++i)
            if (InPeriod(s.Periods[i], day)) {
                p = int(i);
                break;
            }
        if (p < 0) continue;
        // A special day replaces the normal times of that day.
        int weekDay = day.dayOfWeek();
        int notBefore = 0, notAfter = 24 * 60;
        bool closed = false, ownTimes = false;
        for (const TRawRule &r : s.Rules) {
            if (!ForBoat(r.VesselClasses, r.Direction, along, commercial)) continue;
            const bool matches = std::any_of(r.Dates.begin(), r.Dates.end(), [&](const TRawSpecialDate &sd) {
                return SpecialDateIn(sd, day.year()) == day;
            });
            if (!matches) continue;
            switch (r.Operation) {
            case WWSpecialDayOperation::None: closed = true; break;
            case WWSpecialDayOperation::AsWeekDay:
                if (r.WeekDay >= 1 && r.WeekDay <= 7) weekDay = r.WeekDay;
                break;
            case WWSpecialDayOperation::OwnTimes: ownTimes = true; break;
            default: break;
            }
            if (r.HasBefore) notBefore = std::max(notBefore, Minutes(r.Before.Hour, r.Before.Minute));
            if (r.HasAfter) notAfter = std::min(notAfter, Minutes(r.After.Hour, r.After.Minute));
            break;
        }
        if (closed) continue;
        const int dayStart = d == 0 ? arriveMin : 0;
        int bestMin = -1, bs = -1, bw = -1;
        auto consider = [&](int start, int end, int si, int wi) {
            if (end >= 24 * 60 - 1) end = 24 * 60;  // 23:59 stands for the end of the day
            start = std::max({start, notBefore, dayStart});
            end = std::min(end, notAfter);
            if (start >= end) return;
            if (bestMin < 0 || start < bestMin) bestMin = start, bs = si, bw = wi;
        };
        if (ownTimes) {
            consider(0, 24 * 60, -1, -1);
        } else {
            const TRawPeriod &per = s.Periods[size_t(p)];
            for (size_t si = 0; si < per.Schedules.size(); ++si) {
                const TRawSchedule &sc = per.Schedules[si];
                if (!(sc.WeekDays & (1u << weekDay))) continue;
                for (size_t wi = 0; wi < sc.Windows.size(); ++wi) {
                    const TRawWindow &w = sc.Windows[wi];
                    if (!ForBoat(w.VesselClasses, w.Direction, along, commercial)) continue;
                    consider(Minutes(w.Times.StartHour, w.Times.StartMinute),
                             Minutes(w.Times.EndHour, w.Times.EndMinute), int(si), int(wi));
                }
            }
        }
        if (bestMin < 0) continue;
        period = p, schedule = bs, window = bw;
        if (d == 0 && bestMin == arriveMin) return arriveUtc;  // open on arrival
        // Local time back to UTC: the offset at the moment, found from a first guess.
        const double local = double(day.toJulianDay() - EpochJulianDay) + bestMin / (24.0 * 60.0);
        double utc = local - LocalOffsetSeconds(local - LocalOffsetSeconds(arriveUtc) / SecondsPerDay) / SecondsPerDay;
        utc = local - LocalOffsetSeconds(utc) / SecondsPerDay;
        return std::max(utc, arriveUtc);
    }
    return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace kv::plan
