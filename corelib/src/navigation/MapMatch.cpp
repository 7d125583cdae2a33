// Map matching onto the network and the plan (see MapMatch.h).
#include "navigation/MapMatch.h"

#include "network/WWNetwork.h"
#include "planner/PlanObjects.h"
#include "waypoints/WptModel.h"

#include "KvLibNav6/KvGeodesy.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace kv {

namespace {

constexpr double Deg = 180.0 / std::numbers::pi;
// Sections without a polyline of their own are measured at this spacing (metres).
constexpr double SampleStepM = 10.0;
// A match this far behind the ship's last place on the route counts as going back.
constexpr double BackTolerance = 50.0;

TDouble3 Sub(const TDouble3 &a, const TDouble3 &b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
double Dot(const TDouble3 &a, const TDouble3 &b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
TDouble3 Cross(const TDouble3 &a, const TDouble3 &b) {
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
TDouble3 Lerp(const TDouble3 &a, const TDouble3 &b, double t) {
    return {a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t, a.Z + (b.Z - a.Z) * t};
}

TDouble3 ToGlobal(const TGeoPoint &g) {
    TDouble3 out;
    GeoToGlobal2(out, g, nullptr);
    return out;
}

// The section's polyline with the position of every vertex.
void Polyline(IWWSection *section, std::vector<TDouble3> &points, std::vector<double> &cum) {
    points.clear();
    cum.clear();
    if (auto *impl = dynamic_cast<ww::TWWSectionImpl *>(section)) {
        points = impl->Points();
        for (size_t i = 0; i < points.size(); ++i)
            cum.push_back(i == 0 ? 0.0 : cum.back() + GlobalDistance(points[i - 1], points[i]));
        return;
    }
    const double len = section->GetLength();
    const int n = std::max(1, int(std::ceil(len / SampleStepM)));
    for (int i = 0; i <= n; ++i) {
        const double at = len * i / n;
        points.push_back(section->GetPointAt(at));
        cum.push_back(at);
    }
}

}  // namespace

double GlobalDistance(const TDouble3 &a, const TDouble3 &b) {
    const TDouble3 d = Sub(a, b);
    return std::sqrt(Dot(d, d));
}

double GlobalBearing(const TDouble3 &a, const TDouble3 &b) {
    TGeoPoint ga, gb;
    GlobalToGeo2(ga, a, nullptr);
    GlobalToGeo2(gb, b, nullptr);
    double s12 = 0, azi1 = 0, azi2 = 0;
    GeographicLib::Geodesic::WGS84().Inverse(ga.Lat * Deg, ga.Lon * Deg, gb.Lat * Deg, gb.Lon * Deg,
                                             s12, azi1, azi2);
    double r = std::fmod(azi1 / Deg, 2 * std::numbers::pi);
    return r < 0 ? r + 2 * std::numbers::pi : r;
}

bool ProjectOntoSection(IWWSection *section, double lo, double hi, const TDouble3 &p,
                        TSectionFoot &out) {
    if (!section) return false;
    std::vector<TDouble3> pts;
    std::vector<double> cum;
    Polyline(section, pts, cum);
    if (pts.empty()) return false;
    if (lo > hi) std::swap(lo, hi);
    double best = std::numeric_limits<double>::infinity();
    if (pts.size() == 1) {
        out = TSectionFoot{0.0, GlobalDistance(p, pts[0]), 0};
        return true;
    }
    for (size_t i = 1; i < pts.size(); ++i) {
        const double c0 = cum[i - 1], c1 = cum[i];
        if (c1 < lo || c0 > hi) continue;
        const double segLen = c1 - c0;
        // The part of this segment inside [lo, hi], as fractions of it.
        const double t0 = segLen > 0 ? std::clamp((lo - c0) / segLen, 0.0, 1.0) : 0.0;
        const double t1 = segLen > 0 ? std::clamp((hi - c0) / segLen, 0.0, 1.0) : 0.0;
        const TDouble3 ab = Sub(pts[i], pts[i - 1]);
        const double len2 = Dot(ab, ab);
        const double t = len2 > 0 ? std::clamp(Dot(Sub(p, pts[i - 1]), ab) / len2, t0, t1) : t0;
        const TDouble3 foot = Lerp(pts[i - 1], pts[i], t);
        const TDouble3 v = Sub(p, foot);
        const double d = std::sqrt(Dot(v, v));
        if (d >= best) continue;
        best = d;
        out.Position = c0 + t * segLen;
        out.Distance = d;
        // Up at the foot is the earth-centred direction; the cross product of the section's
        // direction and the offset points up when the point lies to port.
        const double s = len2 > 0 ? Dot(Cross(ab, v), foot) : 0.0;
        out.Side = s > 0 ? -1 : s < 0 ? 1 : 0;
    }
    return std::isfinite(best);
}

TShipMatch MatchShip(IWWNetwork *network, const TGeoPoint &ship, const TShipMatch &previous,
                     double limitM, double keepMarginM) {
    TShipMatch none;
    if (!network) return none;
    const TDouble3 p = ToGlobal(ship);
    IWWSection *nearest = nullptr;
    double position = 0.0, unused = 0.0;
    network->FindNearestSection(nearest, position, unused, ship);
    double nearestDistance = std::numeric_limits<double>::infinity();
    if (nearest) nearestDistance = GlobalDistance(p, nearest->GetPointAt(position));
    if (previous.Section && previous.Section != nearest) {
        TSectionFoot f;
        if (ProjectOntoSection(previous.Section, 0.0, previous.Section->GetLength(), p, f) &&
            f.Distance <= limitM && f.Distance <= nearestDistance + keepMarginM)
            return TShipMatch{previous.Section, f.Position, f.Distance};
    }
    if (!nearest || nearestDistance > limitM) return none;
    return TShipMatch{nearest, position, nearestDistance};
}

std::vector<TPlanStretch> CollectPlanStretches(IWptRoute *route) {
    std::vector<TPlanStretch> out;
    auto *r = dynamic_cast<wpt::TRoute *>(route);
    if (!r || !r->FPlan) return out;
    const auto &samples = r->FPlan->Samples;
    size_t i = 0;
    while (i < samples.size()) {
        const plan::TSample &a = samples[i];
        size_t j = i;
        while (j + 1 < samples.size() && samples[j + 1].Leg == a.Leg && samples[j + 1].List == a.List) ++j;
        const plan::TSample &b = samples[j];
        if (a.Leg && a.Leg->Section && j > i && b.DistanceM > a.DistanceM) {
            TPlanStretch s;
            s.List = a.List;
            s.Leg = a.Leg;
            s.Section = a.Leg->Section;
            s.From = a.SectionPosition;
            s.To = b.SectionPosition;
            s.DistFrom = a.DistanceM;
            s.DistTo = b.DistanceM;
            out.push_back(s);
        }
        i = j + 1;
    }
    return out;
}

TPlanMatch MatchOnPlan(const std::vector<TPlanStretch> &stretches, IWptRouteObjectList *list,
                       const TDouble3 &ship, double minRouteDistance) {
    TPlanMatch best, bestBehind;
    double bestD = std::numeric_limits<double>::infinity(), bestBehindD = bestD;
    for (size_t k = 0; k < stretches.size(); ++k) {
        const TPlanStretch &s = stretches[k];
        if (list && s.List != list) continue;
        TSectionFoot f;
        if (!ProjectOntoSection(s.Section, s.From, s.To, ship, f)) continue;
        const double span = std::abs(s.To - s.From);
        const double part = span > 0 ? std::abs(f.Position - s.From) / span : 0.0;
        TPlanMatch m;
        m.Ok = true;
        m.Stretch = k;
        m.Position = f.Position;
        m.RouteDistance = s.DistFrom + part * (s.DistTo - s.DistFrom);
        m.Xte = f.Side * f.Distance * (s.Forward() ? 1.0 : -1.0);
        if (m.RouteDistance >= minRouteDistance - BackTolerance) {
            if (f.Distance < bestD) bestD = f.Distance, best = m;
        } else if (f.Distance < bestBehindD) {
            bestBehindD = f.Distance, bestBehind = m;
        }
    }
    return best.Ok ? best : bestBehind;
}

bool PlanPointAt(const std::vector<TPlanStretch> &stretches, size_t first, double routeDistance,
                 TDouble3 &out) {
    for (size_t k = first; k < stretches.size(); ++k) {
        const TPlanStretch &s = stretches[k];
        if (routeDistance > s.DistTo && k + 1 < stretches.size()) continue;
        const double span = s.DistTo - s.DistFrom;
        const double t = span > 0 ? std::clamp((routeDistance - s.DistFrom) / span, 0.0, 1.0) : 1.0;
        out = s.Section->GetPointAt(s.From + t * (s.To - s.From));
        return routeDistance <= s.DistTo;
    }
    return false;
}

}  // namespace kv
