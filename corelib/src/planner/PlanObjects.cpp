// Plan objects: the route-explore schedule, chart coverage and the small getters that need
// the whole plan.
#include "planner/PlanObjects.h"
#include "planner/PlannerEngine.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvGeodesy.h"

#include <algorithm>
#include <cmath>

namespace kv::plan {

namespace {

TGeoPoint ToGeo(const TDouble3 &g) {
    TGeoPoint out;
    GlobalToGeo2(out, g, nullptr);
    return out;
}

// Initial great-circle bearing from a to b, radians clockwise from north in [0, 2π).
double Bearing(const TGeoPoint &a, const TGeoPoint &b) {
    const double dLon = b.Lon - a.Lon;
    const double y = std::sin(dLon) * std::cos(b.Lat);
    const double x = std::cos(a.Lat) * std::sin(b.Lat) - std::sin(a.Lat) * std::cos(b.Lat) * std::cos(dLon);
    const double t = std::atan2(y, x);
    return t < 0 ? t + 2 * M_PI : t;
}

bool SamePlace(const TDouble3 &a, const TDouble3 &b) {
    return std::abs(a.X - b.X) < 1e-3 && std::abs(a.Y - b.Y) < 1e-3 && std::abs(a.Z - b.Z) < 1e-3;
}

}  // namespace

IWptPlanPoint *TRouteObjectImpl::GetPlanPoint() { return Point; }

IWptPlanPoint *TObjectListImpl::GetEndPoint() { return End; }

bool TStructPassageImpl::NeedsOperation(ILPBoatDef *boatDef, bool mastUnstepped, float level) {
    auto *s = dynamic_cast<ww::TWWStructImpl *>(Struct);
    if (!s) return false;
    TQuery q;
    q.WaterLevel = level;
    q.MastMode = mastUnstepped ? 1 : 0;
    if (boatDef) {
        q.Boat.Length = boatDef->GetLength();
        q.Boat.Width = boatDef->GetWidth();
        q.Boat.Draught = boatDef->GetDraught();
        q.Boat.HeightStepped = boatDef->GetHeightStepped();
        q.Boat.HeightUnstepped = boatDef->GetHeightUnstepped();
        q.Boat.SafeMargin = boatDef->GetHeightSafeMargin();
        q.Boat.Commercial = boatDef->GetCommercial();
    }
    const TStructCheck c = CheckStruct(s->Raw(), q);
    return c.NeedsOperation;
}

wpt::TWaypoint *TRoutePlan::MarinaWaypoint(const ww::TRawMarina &m, IWptWaypointType *type) {
    std::unique_ptr<wpt::TWaypoint> &w = FMarinas[&m];
    if (!w) {
        w = std::make_unique<wpt::TWaypoint>(nullptr, m.Guid);
        w->SetNameText(m.Name);
        w->FPos = m.Pos;
        w->FSubName.Set(m.Place);
        w->FLink.Set(m.Website);
        w->FProtected = true;
    }
    w->FType = dynamic_cast<wpt::TType *>(type);
    return w.get();
}

bool TRoutePlan::HoldsMarina(const TGUID &guid) const {
    for (const auto &[marina, waypoint] : FMarinas)
        if (waypoint && *waypoint->GetGUID() == guid) return true;
    return false;
}

void TRoutePlan::Clear(bool keepMarinas) {
    if (!keepMarinas) FMarinas.clear();
    Points.clear();
    Lists.clear();
    Objects.clear();
    Legs.clear();
    TimePoints.clear();
    Passages.clear();
    Samples.clear();
    LegCount = 0;
    Network = nullptr;
}

ww::TWWOperatingPeriodImpl *TRoutePlan::AlwaysOperated() {
    if (!FAlwaysOperated) {
        ww::TRawWindow day;
        day.Times = TWWTimeRange{0, 24, 0, 0};  // 00:00 - 24:00
        ww::TRawSchedule week;
        week.WeekDays = 0xFE;  // bits 1 (Monday) .. 7 (Sunday)
        week.Windows.push_back(day);
        ww::TRawPeriod year;
        year.Dates = TWWDateRange{31, 12, 1, 1};
        year.Schedules.push_back(week);
        FAlwaysOperated = std::make_unique<ww::TWWOperatingPeriodImpl>(year);
    }
    return FAlwaysOperated.get();
}

int32_t TScheduleImpl::Bracket(TDateTime utc, double &t) const {
    const auto &s = FPlan.Samples;
    if (s.empty() || !std::isfinite(utc) || utc < s.front().Utc || utc > s.back().Utc) return -1;
    if (s.size() == 1) {
        t = 0.0;
        return 0;
    }
    auto it = std::upper_bound(s.begin(), s.end(), utc, [](TDateTime v, const TSample &x) { return v < x.Utc; });
    size_t i = it == s.end() ? s.size() - 2 : size_t(it - s.begin()) - 1;
    if (i + 1 >= s.size()) i = s.size() - 2;
    const double span = s[i + 1].Utc - s[i].Utc;
    t = span > 0 ? std::clamp((utc - s[i].Utc) / span, 0.0, 1.0) : 1.0;
    return int32_t(i);
}

bool TScheduleImpl::FillNavData(TNavRouteData &out, TDateTime utc) {
    double t = 0;
    const int32_t i = Bracket(utc, t);
    if (i < 0) return false;
    const auto &s = FPlan.Samples;
    const TSample &a = s[size_t(i)];
    const TSample &b = s.size() > size_t(i) + 1 ? s[size_t(i) + 1] : a;
    out = TNavRouteData{};
    out.DateTimeUTC = utc;
    out.RouteDistance = a.DistanceM + (b.DistanceM - a.DistanceM) * t;
    out.FuelUsed = a.Fuel + (b.Fuel - a.Fuel) * t;
    out.CostSpent = a.Cost + (b.Cost - a.Cost) * t;
    // The course of the stretch being sailed; standing still keeps the last one.
    for (size_t k = size_t(i) + 1; k-- > 0;) {
        const TSample &p = s[k];
        const TSample &q = k + 1 < s.size() ? s[k + 1] : p;
        if (!SamePlace(p.Global, q.Global)) {
            out.CourseToSteer = float(Bearing(ToGeo(p.Global), ToGeo(q.Global)));
            break;
        }
    }
    const TSample &cur = t < 1.0 || &b == &a ? a : b;
    out.Objects = cur.List;
    if (cur.Leg && cur.Leg->Section) {
        out.NetworkPosition = cur.Leg;
        out.SectionPosition = (a.Leg == b.Leg) ? a.SectionPosition + (b.SectionPosition - a.SectionPosition) * t
                                               : cur.SectionPosition;
        IWWSection *sec = cur.Leg->Section;
        out.DirectionFrom = cur.Leg->Forward ? sec->GetStartJunction() : sec->GetEndJunction();
        out.DirectionTo = cur.Leg->Forward ? sec->GetEndJunction() : sec->GetStartJunction();
        const float limit = sec->GetSpeedLimit(out.SectionPosition);
        out.SpeedLimit = limit > 0.0f && limit < WWMissing ? limit : NavRouteNoSpeedLimit;
    }
    if (cur.List) {
        for (int32_t k = 0; k < cur.List->GetCount(); ++k) {
            TRouteObjectImpl *o = cur.List->Items[size_t(k)];
            if (o->Values[0] < out.RouteDistance - 0.5) continue;
            if (out.FirstObjectAhead < 0) {
                out.FirstObjectAhead = k;
                out.NextObject = o;
                out.NextIndication = o;
            }
            if (o->Kind == WptRouteObjectKind::Structure && o->Passage && o->Passage->Operation.OperatingPeriod) {
                const int32_t kind = o->Passage->Struct ? o->Passage->Struct->GetKind() : -1;
                if (kind == WWStructKind::Bridge) ++out.BridgeStops;
                else if (kind == WWStructKind::Lock) ++out.LockStops;
            }
        }
    }
    return true;
}

bool TScheduleImpl::FillMotionData(TMotion &out, int32_t, int32_t, TRoutePosition *posOut, int32_t,
                                   TDateTime utc, int32_t) {
    double t = 0;
    const int32_t i = Bracket(utc, t);
    if (i < 0) return false;
    const auto &s = FPlan.Samples;
    const TSample &a = s[size_t(i)];
    const TSample &b = s.size() > size_t(i) + 1 ? s[size_t(i) + 1] : a;
    out = TMotion{};
    const double span = (b.Utc - a.Utc) * 86400.0;
    if (span > 0 && !SamePlace(a.Global, b.Global)) {
        out.SpeedMS = float((b.DistanceM - a.DistanceM) / span);
        out.CourseRad = float(Bearing(ToGeo(a.Global), ToGeo(b.Global)));
    }
    if (posOut) {
        const TDouble3 g{a.Global.X + (b.Global.X - a.Global.X) * t, a.Global.Y + (b.Global.Y - a.Global.Y) * t,
                         a.Global.Z + (b.Global.Z - a.Global.Z) * t};
        const TGeoPoint geo = ToGeo(g);
        *posOut = TRoutePosition{geo.Lat, geo.Lon, 0.0};
    }
    return true;
}

bool TChartCoverageImpl::CoveredBy(IChartManager *cm) {
    // The chart manager publishes no chart extents: a route counts as covered when the manager
    // holds any chart at all, and never when it holds none.
    if (!cm) return false;
    if (!NeedsCharts()) return true;
    return cm->GetChartCount() + cm->GetRasterChartCount() > 0;
}

bool TChartCoverageImpl::NeedsCharts() { return FPlan.LegCount > 0; }

}  // namespace kv::plan
