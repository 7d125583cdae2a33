// Building a route's plan from the search results, leg by leg in sailing order.
#include "planner/PlanBuilder.h"
#include "waypoints/WptModel.h"

#include "KvLibNav6/KvGeodesy.h"

#include <GeographicLib/Geocentric.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <unordered_map>

namespace kv::plan {

using namespace kv::ww;

namespace {

constexpr double SecondsPerDay = 86400.0;
// Waiting longer than this before a structure opens shows as a stop for its sailing times.
constexpr double StopThresholdSec = 60.0;

TDouble3 ToGlobal(const TGeoPoint &g) {
    TDouble3 out;
    GeoToGlobal2(out, g, nullptr);
    return out;
}

// Global points are earth-centred on the standard ellipsoid, WGS 84. A plan converts a few
// hundred of them: the ellipsoid is not looked up each time.
TGeoPoint ToGeo(const TDouble3 &g) {
    double lat = 0, lon = 0, h = 0;
    GeographicLib::Geocentric::WGS84().Reverse(g.X, g.Y, g.Z, lat, lon, h);
    return {lat * M_PI / 180.0, lon * M_PI / 180.0};
}

double Distance(const TDouble3 &a, const TDouble3 &b) {
    return std::sqrt((a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y) + (a.Z - b.Z) * (a.Z - b.Z));
}

double Bearing(const TGeoPoint &a, const TGeoPoint &b) {
    const double dLon = b.Lon - a.Lon;
    const double y = std::sin(dLon) * std::cos(b.Lat);
    const double x = std::cos(a.Lat) * std::sin(b.Lat) - std::sin(a.Lat) * std::cos(b.Lat) * std::cos(dLon);
    return std::atan2(y, x);
}

// The geographic position of a place along a section, `at` its global point: at the
// section's ends the position as the network gives it, without a conversion.
TGeoPoint GeoAt(TWWSectionImpl &s, double position, const TDouble3 &at) {
    if (!(position > 0.0)) return s.GeoPoints().front();
    if (position >= s.GetLength()) return s.GeoPoints().back();
    return ToGeo(at);
}

// Bearing of the chord from a to b in the horizontal plane at `at`, a geographic position
// near both (they lie metres apart): no conversion of either point.
double ChordBearing(const TGeoPoint &at, const TDouble3 &a, const TDouble3 &b) {
    const double dx = b.X - a.X, dy = b.Y - a.Y, dz = b.Z - a.Z;
    const double sLat = std::sin(at.Lat), cLat = std::cos(at.Lat), sLon = std::sin(at.Lon), cLon = std::cos(at.Lon);
    const double east = -sLon * dx + cLon * dy;
    const double north = -sLat * (cLon * dx + sLon * dy) + cLat * dz;
    return std::atan2(east, north);
}

double Wrap(double a) {
    while (a > M_PI) a -= 2 * M_PI;
    while (a <= -M_PI) a += 2 * M_PI;
    return a;
}

class TBuilder {
public:
    TBuilder(wpt::TRoute &route, TPlanContext &ctx) : FRoute(route), FCtx(ctx), FPlan(route.Plan()) {}
    void Run();

private:
    struct TState {
        TDateTime Utc = 0.0;
        double DistanceM = 0.0, Fuel = 0.0;
    };

    std::optional<TLocation> Locate(wpt::TRoutePoint &p);
    TTimePointImpl *TimePoint(const TState &s, const TDouble3 &where) {
        return TimePoint(s, ToGeo(where));
    }
    TTimePointImpl *TimePoint(const TState &s, const TGeoPoint &where);
    TRouteObjectImpl *Object(TObjectListImpl *list, int32_t kind, TRouteLegImpl *leg, int32_t pointIndex,
                             double position, const TState &s);
    void Sample(const TState &s, const TDouble3 &where, TRouteLegImpl *leg, TObjectListImpl *list,
                double sectionPosition);
    // Adds the leg's objects and samples; returns the state at its end.
    TState NetworkLeg(const TPathResult &r, TObjectListImpl *list, const TState &start);
    TState DirectLeg(const TDouble3 &a, const TDouble3 &b, TObjectListImpl *list, const TState &start);
    TDateTime DepartureAfterStay(const TRouteStayRec &stay, TDateTime arrival, TPlanStop &stop) const;
    double Cost(double fuel) const { return fuel * FCtx.Query.PricePerUnit; }
    // Direction of travel (bearing) at an end of a step, looking along the step; atGeo is
    // that end's position.
    double StepBearing(const TStep &st, bool atEnd, const TGeoPoint &atGeo);

    wpt::TRoute &FRoute;
    TPlanContext &FCtx;
    TRoutePlan &FPlan;
    TRouteLegImpl *FLastLeg = nullptr;
    int32_t FLastPointIndex = -1;
    // The network's marinas by section index, in order along the section.
    std::unordered_map<int32_t, std::vector<const TWWMarina *>> FMarinasOn;
};

std::optional<TLocation> TBuilder::Locate(wpt::TRoutePoint &p) {
    if (!FCtx.Net) return std::nullopt;
    int32_t index = -1;
    if (p.FOnNetwork && FCtx.Net->FindSection(p.FSectionGuid, index)) {
        const double len = FCtx.Net->Section(index)->GetLength();
        return TLocation{index, std::clamp(p.FSectionOffset, 0.0, len)};
    }
    if (p.FDirect) return std::nullopt;
    // A network point whose section is gone (another network): the nearest usable place.
    const TBoatProfile &b = FCtx.Query.Boat;
    IWWSection *s = nullptr;
    double offset = 0, distance = 0;
    const float air = FCtx.Query.MastMode == 1 ? b.HeightUnstepped : b.HeightStepped;
    FCtx.Net->NearestLocation(s, offset, distance, TGeoPoint{p.FPos.Lat, p.FPos.Lon}, b.Commercial,
                              b.Length, b.Width, air, b.Draught);
    auto *impl = dynamic_cast<TWWSectionImpl *>(s);
    if (!impl || distance > FCtx.SnapLimitM) return std::nullopt;
    return TLocation{impl->Index(), offset};
}

TTimePointImpl *TBuilder::TimePoint(const TState &s, const TGeoPoint &where) {
    TTimePointImpl *tp = FPlan.Make(FPlan.TimePoints);
    tp->Data.DistanceM = s.DistanceM;
    tp->Data.ConsumptionM3 = s.Fuel;
    tp->Data.Cost = Cost(s.Fuel);
    tp->Data.TimeUTC = s.Utc;
    // The planner plans power boats only: every leg is a motor leg.
    tp->Info.LegKind = LegKind::Motor;
    tp->Pos = where;
    return tp;
}

TRouteObjectImpl *TBuilder::Object(TObjectListImpl *list, int32_t kind, TRouteLegImpl *leg,
                                   int32_t pointIndex, double position, const TState &s) {
    TRouteObjectImpl *o = FPlan.Make(FPlan.Objects);
    o->Kind = kind;
    o->Leg = leg;
    o->PointIndex = pointIndex;
    o->Position = position;
    o->Values[0] = s.DistanceM;
    o->Values[1] = s.Fuel;
    o->Values[2] = Cost(s.Fuel);
    o->Values[3] = s.Utc;
    list->Items.push_back(o);
    return o;
}

void TBuilder::Sample(const TState &s, const TDouble3 &where, TRouteLegImpl *leg, TObjectListImpl *list,
                      double sectionPosition) {
    TSample x;
    x.Utc = s.Utc;
    x.DistanceM = s.DistanceM;
    x.Fuel = s.Fuel;
    x.Cost = Cost(s.Fuel);
    x.Global = where;
    x.Leg = leg;
    x.List = list;
    x.SectionPosition = sectionPosition;
    if (!FPlan.Samples.empty() && FPlan.Samples.back().Utc > x.Utc) x.Utc = FPlan.Samples.back().Utc;
    FPlan.Samples.push_back(x);
}

double TBuilder::StepBearing(const TStep &st, bool atEnd, const TGeoPoint &atGeo) {
    TWWSectionImpl &s = *FCtx.Net->Section(st.Section);
    const double dir = st.To >= st.From ? 1.0 : -1.0;
    const double look = std::min(25.0, std::max(1.0, std::abs(st.To - st.From)));
    if (atEnd) return ChordBearing(atGeo, s.GetPointAt(st.To - dir * look), s.GetPointAt(st.To));
    return ChordBearing(atGeo, s.GetPointAt(st.From), s.GetPointAt(st.From + dir * look));
}

TBuilder::TState TBuilder::NetworkLeg(const TPathResult &r, TObjectListImpl *list, const TState &start) {
    auto at = [&](double sec) { return start.Utc + sec / SecondsPerDay; };
    TGeoPoint lastExit{};  // where the previous step ended
    for (size_t k = 0; k < r.Steps.size(); ++k) {
        const TStep &st = r.Steps[k];
        TWWSectionImpl &sec = *FCtx.Net->Section(st.Section);
        TRouteLegImpl *leg = FPlan.Make(FPlan.Legs);
        leg->Section = &sec;
        leg->Position = st.From;
        leg->EndPosition = st.To;
        leg->Forward = st.To >= st.From;
        list->Stretches.push_back(leg);
        const double dir = leg->Forward ? 1.0 : -1.0;
        const double waits = std::accumulate(st.Passages.begin(), st.Passages.end(), 0.0,
                                             [](double acc, const TPassagePlan &p) { return acc + (p.EndSec - p.ArriveSec); });
        const double moveSec = std::max(0.0, st.EndSec - st.StartSec - waits);
        auto state = [&](double pos, double waited) {
            const double part = st.DistanceM > 0 ? std::abs(pos - st.From) / st.DistanceM : 0.0;
            TState s;
            s.DistanceM = start.DistanceM + st.StartDistM + part * st.DistanceM;
            s.Fuel = start.Fuel + st.StartFuel + part * st.Fuel;
            s.Utc = at(st.StartSec + waited + part * moveSec);
            return s;
        };

        const TState entry = state(st.From, 0.0);
        const TDouble3 entryAt = sec.GetPointAt(st.From);
        const TGeoPoint entryGeo = GeoAt(sec, st.From, entryAt);
        leg->Points.push_back(TimePoint(entry, entryGeo));
        Sample(entry, entryAt, leg, list, st.From);
        if (k > 0) {
            TRouteObjectImpl *turn = Object(list, WptRouteObjectKind::Turn, leg, 0, st.From, entry);
            turn->TurnAngle = float(Wrap(StepBearing(st, false, entryGeo) - StepBearing(r.Steps[k - 1], true, lastExit)));
        }
        if (st.Block != WptBlockReason::None) {
            TRouteObjectImpl *o = Object(list, WptRouteObjectKind::Obstacle, leg, 0, st.From, entry);
            o->Block = st.Block;
            o->Variant = 1;  // a stretch of the section, not a structure
        }

        // Polyline corners and structures in sailing order.
        std::vector<double> corners;
        {
            const auto &pts = sec.Points();
            double cum = 0;
            for (size_t i = 1; i + 1 < pts.size(); ++i) {
                cum += Distance(pts[i - 1], pts[i]);
                if (cum > std::min(st.From, st.To) && cum < std::max(st.From, st.To)) corners.push_back(cum);
            }
            if (!leg->Forward) std::reverse(corners.begin(), corners.end());
        }
        size_t c = 0;
        double waited = 0.0;
        // Marinas met on the step, in sailing order; one at the leg's start point is where the
        // boat sets out from, not one it meets.
        std::vector<const TWWMarina *> marinas;
        if (auto it = FMarinasOn.find(st.Section); it != FMarinasOn.end()) {
            for (const TWWMarina *m : it->second) {
                const double pos = m->Position;
                if ((pos - st.From) * dir < 0 || (pos - st.To) * dir > 0 || (k == 0 && pos == st.From)) continue;
                marinas.push_back(m);
            }
            if (!leg->Forward) std::reverse(marinas.begin(), marinas.end());
        }
        size_t nextMarina = 0;
        auto marinasBefore = [&](double pos, bool inclusive) {
            for (; nextMarina < marinas.size(); ++nextMarina) {
                const TWWMarina &m = *marinas[nextMarina];
                const double ahead = (m.Position - pos) * dir;
                if (inclusive ? ahead > 0 : ahead >= 0) break;
                const TState s = state(m.Position, waited);
                leg->Points.push_back(TimePoint(s, sec.GetPointAt(m.Position)));
                TRouteObjectImpl *o = Object(list, WptRouteObjectKind::Marina, leg, int32_t(leg->Points.size()) - 1,
                                             m.Position, s);
                wpt::TDatabase *db = FRoute.FDb;
                o->Marina = FPlan.MarinaWaypoint(*m.Raw, db && db->FManager ? db->FManager->GetDefaultWaypointType() : nullptr);
            }
        };
        auto cornersUpTo = [&](double pos) {
            for (; c < corners.size() && (corners[c] - pos) * dir <= 0; ++c) {
                const TState s = state(corners[c], waited);
                Sample(s, sec.GetPointAt(corners[c]), leg, list, corners[c]);
            }
        };
        for (const TPassagePlan &p : st.Passages) {
            marinasBefore(p.Position, false);
            cornersUpTo(p.Position);
            const TDouble3 where = sec.GetPointAt(p.Position);
            TState arrive = state(p.Position, waited);
            arrive.Utc = at(p.ArriveSec);
            Sample(arrive, where, leg, list, p.Position);
            leg->Points.push_back(TimePoint(arrive, where));
            const int32_t pointIndex = int32_t(leg->Points.size()) - 1;

            TStructPassageImpl *pass = FPlan.Make(FPlan.Passages);
            pass->Struct = p.Struct;
            pass->Item = p.Check.Item;
            pass->LowerMast = p.Check.LowerMast;
            pass->Arrive = at(p.ArriveSec);
            pass->Start = at(p.StartSec);
            pass->End = at(p.EndSec);
            IWWOperatingPeriod *period = nullptr;
            IWWTimeWindow *window = nullptr;
            if (p.Check.NeedsOperation && p.Struct->GetOperatingPeriodCount() == 0) {
                period = FPlan.AlwaysOperated();
                window = period->GetDaySchedule(0)->GetTimeWindow(0);
            } else if (p.Check.NeedsOperation && p.Period >= 0) {
                period = p.Struct->GetOperatingPeriod(p.Period);
                IWWDaySchedule *day = period ? period->GetDaySchedule(p.Schedule) : nullptr;
                window = day ? day->GetTimeWindow(p.Window) : nullptr;
            }
            if (period) {
                pass->Period = std::make_unique<TPassagePeriodImpl>(*period, window ? window->GetTimes() : TWWTimeRange{});
                pass->Operation.OperatingPeriod = pass->Period.get();
                pass->Operation.TimeWindow = window;
            }
            if (p.StartSec - p.ArriveSec > StopThresholdSec + (p.Check.LowerMast ? FCtx.Query.Boat.UnstepSeconds : 0)) {
                TRouteObjectImpl *stop = Object(list, WptRouteObjectKind::SailingTimesStop, leg, pointIndex, p.Position, arrive);
                stop->Passage = pass;
            }
            TRouteObjectImpl *o = Object(list, WptRouteObjectKind::Structure, leg, pointIndex, p.Position, arrive);
            o->Passage = pass;
            o->Block = p.Check.Block;
            if (o->Block == WptBlockReason::None && p.Check.ClearanceUnknown) o->Block = WptBlockReason::ClearanceUnknown;

            waited += p.EndSec - p.ArriveSec;
            TState leave = state(p.Position, waited);
            leave.Utc = at(p.EndSec);
            Sample(leave, where, leg, list, p.Position);
        }
        marinasBefore(st.To, true);
        cornersUpTo(st.To);
        TState exit = state(st.To, waited);
        exit.Utc = at(st.EndSec);
        const TDouble3 exitAt = sec.GetPointAt(st.To);
        lastExit = GeoAt(sec, st.To, exitAt);
        leg->Points.push_back(TimePoint(exit, lastExit));
        Sample(exit, exitAt, leg, list, st.To);
        FLastLeg = leg;
        FLastPointIndex = int32_t(leg->Points.size()) - 1;
    }
    TState end;
    end.Utc = start.Utc + r.Seconds / SecondsPerDay;
    end.DistanceM = start.DistanceM + r.DistanceM;
    end.Fuel = start.Fuel + r.Fuel;
    return end;
}

TBuilder::TState TBuilder::DirectLeg(const TDouble3 &a, const TDouble3 &b, TObjectListImpl *list,
                                     const TState &start) {
    const TBoatProfile &boat = FCtx.Query.Boat;
    const double dist = Distance(a, b);
    const double speed = std::max(0.1, boat.SpeedMS);
    const double sec = dist / speed;
    TState end;
    end.DistanceM = start.DistanceM + dist;
    end.Fuel = start.Fuel + (boat.Curve ? double(boat.Curve->GetValueAt(float(speed))) * sec : 0.0);
    end.Utc = start.Utc + sec / SecondsPerDay;
    list->Course = float(std::fmod(Bearing(ToGeo(a), ToGeo(b)) + 2 * M_PI, 2 * M_PI));
    TRouteLegImpl *leg = FPlan.Make(FPlan.Legs);
    leg->Points.push_back(TimePoint(start, a));
    leg->Points.push_back(TimePoint(end, b));
    Sample(start, a, leg, list, 0.0);
    Sample(end, b, leg, list, 0.0);
    FLastLeg = leg;
    FLastPointIndex = 1;
    return end;
}

TDateTime TBuilder::DepartureAfterStay(const TRouteStayRec &stay, TDateTime arrival, TPlanStop &stop) const {
    switch (stay.Kind) {
    case RouteStayKind::StayFor:
        stop.Kind = WptPlanStopKind::FixedSeconds;
        stop.Seconds = std::max(0, stay.Duration);
        stop.Value = stop.Seconds;
        return arrival + stop.Seconds / SecondsPerDay;
    case RouteStayKind::LeaveAtTime: {
        stop.Kind = WptPlanStopKind::UntilDeparture;
        stop.Value = std::max(0, stay.Days);
        // DepartTime is a UTC time of day; the first such moment after the given whole days.
        TDateTime dep = std::floor(arrival) + stop.Value + std::clamp(stay.DepartTime, 0.0, 1.0);
        while (dep < arrival) dep += 1.0;
        stop.Seconds = int32_t(std::lround((dep - arrival) * SecondsPerDay));
        return dep;
    }
    default:
        return arrival;
    }
}

void TBuilder::Run() {
    FPlan.Clear(FCtx.Net && FPlan.Network == FCtx.Net);
    FPlan.Network = FCtx.Net;
    if (FCtx.Net) {
        for (const TWWMarina &m : FCtx.Net->Marinas())
            if (m.Section) FMarinasOn[m.Section->Index()].push_back(&m);
        for (auto &[section, list] : FMarinasOn)
            std::stable_sort(list.begin(), list.end(),
                             [](const TWWMarina *a, const TWWMarina *b) { return a->Position < b->Position; });
    }
    const size_t n = FRoute.FPoints.size();
    if (n == 0) return;
    std::vector<std::optional<TLocation>> loc(n);
    std::vector<TDouble3> where(n);
    for (size_t i = 0; i < n; ++i) {
        wpt::TRoutePoint &p = *FRoute.FPoints[i];
        TPlanPointImpl *pp = FPlan.Make(FPlan.Points);
        pp->Index = int32_t(i);
        pp->Name.Set(p.Name());
        pp->Planned = TGeoPoint{p.FPos.Lat, p.FPos.Lon};
        loc[i] = Locate(p);
        where[i] = loc[i] ? FCtx.Net->Section(loc[i]->Section)->GetPointAt(loc[i]->Position)
                          : ToGlobal(TGeoPoint{p.FPos.Lat, p.FPos.Lon});
    }
    TState s;
    s.Utc = FCtx.DepartUtc;
    TPlanPointImpl *first = &FPlan.Points[0];
    first->Objects = FPlan.Make(FPlan.Lists);
    first->Objects->End = first;
    Sample(s, where[0], nullptr, first->Objects, loc[0] ? loc[0]->Position : 0.0);
    s.Utc = DepartureAfterStay(FRoute.FPoints[0]->FStay, s.Utc, first->Stop);
    first->Departure = TimePoint(s, where[0]);
    bool failed = false;
    for (size_t i = 1; i < n; ++i) {
        TPlanPointImpl *pp = &FPlan.Points[i];
        pp->Objects = FPlan.Make(FPlan.Lists);
        pp->Objects->End = pp;
        FPlan.Points[i - 1].Next = pp->Objects;
    }
    for (size_t i = 1; i < n; ++i) {
        TPlanPointImpl *pp = &FPlan.Points[i];
        TObjectListImpl *list = pp->Objects;
        ++FPlan.LegCount;
        FLastLeg = nullptr;
        FLastPointIndex = -1;
        bool reached = true;
        TState end = s;
        if (!loc[i - 1] || !loc[i] || !FCtx.Engine) {
            if (!failed) end = DirectLeg(where[i - 1], where[i], list, s);
        } else {
            // A structure at a via point was passed on the network leg that arrived there.
            const bool passAtStart = i == 1 || !loc[i - 2];
            TPathResult r = FCtx.Engine->Route(FCtx.Query, *loc[i - 1], *loc[i], s.Utc, passAtStart);
            if (!r.Found && !FCtx.Query.IgnoreBlocks) {
                // No way for this boat: sail the way through the blocks to show what blocks it.
                TQuery through = FCtx.Query;
                through.IgnoreBlocks = true;
                r = FCtx.Engine->Route(through, *loc[i - 1], *loc[i], s.Utc, passAtStart);
                reached = false;
            }
            if (r.Found && !failed) end = NetworkLeg(r, list, s);
            else if (r.Found) NetworkLeg(r, list, s);  // objects and reasons, no times
            if (!r.Found) reached = false;
        }
        if (!reached) failed = true;
        TRouteObjectImpl *o = Object(list, WptRouteObjectKind::RoutePoint, FLastLeg, FLastPointIndex,
                                     loc[i] ? loc[i]->Position : 0.0, end);
        o->Point = pp;
        if (failed) {
            pp->Status = WptPlanStatus::UnreachableNetwork;
            if (!FPlan.Samples.empty()) {
                // The schedule ends where the plan stops being sailable.
                while (FPlan.Samples.size() > 1 && FPlan.Samples.back().List == list) FPlan.Samples.pop_back();
            }
            continue;
        }
        s = end;
        pp->Arrival = TimePoint(s, where[i]);
        if (i + 1 < n) {
            // Once a point is reached the objects ahead are those of the next leg.
            const TDateTime dep = DepartureAfterStay(FRoute.FPoints[i]->FStay, s.Utc, pp->Stop);
            Sample(s, where[i], FLastLeg, pp->Next, loc[i] ? loc[i]->Position : 0.0);
            s.Utc = dep;
            pp->Departure = TimePoint(s, where[i]);
            if (dep > FPlan.Samples.back().Utc) Sample(s, where[i], FLastLeg, pp->Next, loc[i] ? loc[i]->Position : 0.0);
        }
    }
}

}  // namespace

void BuildPlan(wpt::TRoute &route, TPlanContext &ctx) {
    TBuilder(route, ctx).Run();
}

}  // namespace kv::plan
