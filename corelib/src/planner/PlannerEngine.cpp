// The planner's search: Dijkstra over the junctions, with each section's cost worked out
// when the search first reaches it. Costs that depend on the time of day (structures that
// wait for their operating window) are worked out at the time the boat gets there; waiting
// never lets a boat arrive earlier, so the first time a junction is settled is its best.
#include "planner/PlannerEngine.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kv::plan {

using namespace kv::ww;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double SecondsPerDay = 86400.0;

bool Given(double v) { return std::isfinite(v) && v < double(WWMissing); }
bool Exceeds(float boat, double limit) { return boat > 0.0f && Given(limit) && boat > limit; }

constexpr double MinTouristWeight = 0.8;

double TouristWeight(int32_t kind) {
    switch (kind) {
    case 1: return 0.8;   // canal
    case 2: return 0.9;   // river
    case 3: return 0.8;   // lake
    case 4: return 1.3;   // coastal route
    case 5: return 1.1;   // harbour channel
    default: return 1.0;
    }
}

}  // namespace

int32_t TPlannerEngine::WaitSeconds(TWWStructImpl &s, const TQuery &q) {
    const int32_t own = s.GetWaitingTime();
    if (own >= 0) return own;
    return s.GetKind() == WWStructKind::Lock ? std::max(0, q.LockWait) : std::max(0, q.BridgeWait);
}

bool TPlannerEngine::SectionAllowed(TWWSectionImpl &s) const {
    const int32_t body = s.GetWaterBody(), kind = s.GetKind();
    if (body >= 0 && body < 32 && !(FQuery.WaterBodies & (1u << body))) return false;
    if (kind >= 0 && kind < 32 && (FQuery.AvoidKinds & (1u << kind))) return false;
    return true;
}

double TPlannerEngine::CostOf(const TTravel &t, int32_t kind) const {
    switch (FQuery.Mode) {
    case WptPlanMode::Shortest:
    case WptPlanMode::ShortestIgnoringBlockades:
        return t.DistanceM;
    case WptPlanMode::Economic:
    case WptPlanMode::Cheapest:
        // Without a consumption curve every mode falls back to time.
        if (FQuery.Boat.Curve && FQuery.Boat.Curve->GetCount() > 0)
            return t.Fuel * (FQuery.PricePerUnit > 0 ? FQuery.PricePerUnit : 1.0) + t.Seconds * 1e-12;
        return t.Seconds;
    case WptPlanMode::Tourist:
        return t.Seconds * TouristWeight(kind);
    default:
        return t.Seconds;
    }
}

double TPlannerEngine::GoalRate() const {
    // Cost per metre of straight line that no way can undercut: sections are at least as
    // long as the line, the boat never sails faster than its speed, waits only add.
    const double perSecond = 1.0 / std::max(0.1, FQuery.Boat.SpeedMS);
    switch (FQuery.Mode) {
    case WptPlanMode::Shortest:
    case WptPlanMode::ShortestIgnoringBlockades:
        return 1.0;
    case WptPlanMode::Economic:
    case WptPlanMode::Cheapest:
        // Consumption per metre depends on the speed the curve allows: no bound is kept.
        if (FQuery.Boat.Curve && FQuery.Boat.Curve->GetCount() > 0) return 0.0;
        return perSecond;
    case WptPlanMode::Tourist:
        return perSecond * MinTouristWeight;
    default:
        return perSecond;
    }
}

TPlannerEngine::TTravel TPlannerEngine::Move(TWWSectionImpl &s, double lo, double hi, bool forward) {
    TTravel r;
    r.DistanceM = hi - lo;
    if (!SectionAllowed(s)) {
        r.Ok = false;
        return r;
    }
    const TRawSection &raw = s.Raw();
    const TBoatProfile &b = FQuery.Boat;
    auto block = [&](int32_t reason) {
        if (r.Block == WptBlockReason::None) r.Block = reason;
        if (!FQuery.IgnoreBlocks) r.Ok = false;
    };
    // Every interval that overlaps the stretch applies (a point stretch: the one covering it).
    auto overlapping = [&](TAttr a, auto &&fn) {
        for (const TInterval &iv : raw.Attrs[size_t(a)]) {
            if (hi > lo ? iv.From >= hi : iv.From > lo) break;
            if (iv.To > lo) fn(iv);
        }
    };
    const float air = (FQuery.MastMode == 1 ? b.HeightUnstepped : b.HeightStepped) + std::max(0.0f, b.SafeMargin);
    const uint32_t cls = b.Commercial ? WWVesselClass::Commercial : WWVesselClass::Pleasure;
    overlapping(TAttr::Navigability, [&](const TInterval &iv) {
        if (Given(iv.Num[0]) && !(uint32_t(iv.Num[0]) & cls)) block(WptBlockReason::WrongShippingClass);
    });
    overlapping(TAttr::OneWay, [&](const TInterval &iv) {
        if (Given(iv.Num[0]) && (iv.Num[0] != 0.0) != forward) block(WptBlockReason::WrongDirection);
    });
    overlapping(TAttr::MaxDimensions, [&](const TInterval &iv) {
        if (Exceeds(b.Draught, iv.Num[0])) block(WptBlockReason::Draught);
        else if (Exceeds(air, iv.Num[1]) || Exceeds(b.Length, iv.Num[2]) || Exceeds(b.Width, iv.Num[3]))
            block(WptBlockReason::MaxDimensions);
    });
    if (!b.Commercial)
        overlapping(TAttr::CommercialDimensions, [&](const TInterval &iv) {
            if (Exceeds(b.Draught, iv.Num[0]) || Exceeds(air, iv.Num[1]) || Exceeds(b.Length, iv.Num[2]) ||
                Exceeds(b.Width, iv.Num[3]))
                block(WptBlockReason::WrongShippingClass);  // above these: commercial shipping only
        });
    if (!r.Ok) return r;

    // Time and consumption, piece by piece where speed limits apply.
    const double speed = std::max(0.1, b.SpeedMS);
    auto piece = [&](double len, double limit) {
        if (len <= 0) return;
        double v = speed;
        if (FQuery.ImposeSpeedLimit && Given(limit) && limit > 0) v = std::min(v, limit);
        const double sec = len / v;
        r.Seconds += sec;
        if (b.Curve) r.Fuel += double(b.Curve->GetValueAt(float(v))) * sec;
    };
    double cursor = lo;
    for (const TInterval &iv : raw.Attrs[size_t(TAttr::SpeedLimit)]) {
        if (iv.From >= hi) break;
        if (iv.To <= cursor) continue;
        const double a = std::max(cursor, iv.From), e = std::min(hi, iv.To);
        piece(a - cursor, Inf);
        piece(e - a, iv.Num[0]);
        cursor = e;
    }
    piece(hi - cursor, Inf);
    return r;
}

const TPlannerEngine::TTravel &TPlannerEngine::WholeMove(int32_t section, bool forward) {
    const size_t k = size_t(section) * 2 + (forward ? 1 : 0);
    TTravel &w = FWhole[k];
    if (FWholeStamp[k] != FWholeGen) {
        TWWSectionImpl &s = *FNet.Section(section);
        w = Move(s, 0.0, s.GetLength(), forward);
        if (w.Ok) w.Cost = CostOf(w, s.GetKind());
        FWholeStamp[k] = FWholeGen;
        if (FArcOf[k] >= 0) {
            TSearchArc &a = FArcs[size_t(FArcOf[k])];
            a.Cost = w.Cost;
            a.Seconds = w.Seconds;
            a.Ok = w.Ok ? 1 : 0;
            a.Stamp = FWholeGen;
        }
    }
    return w;
}

void TPlannerEngine::HeapPlace(size_t i, const THeapEntry &e) {
    FHeap[i] = e;
    FHeapIndex[size_t(e.Node())] = int32_t(i);
}

void TPlannerEngine::HeapUp(size_t i, const THeapEntry &e) {
    while (i > 0) {
        const size_t parent = (i - 1) / 4;
        if (!(e < FHeap[parent])) break;
        HeapPlace(i, FHeap[parent]);
        i = parent;
    }
    HeapPlace(i, e);
}

TPlannerEngine::THeapEntry TPlannerEngine::HeapPop() {
    const THeapEntry top = FHeap.front();
    FHeapIndex[size_t(top.Node())] = -1;
    const THeapEntry last = FHeap.back();
    FHeap.pop_back();
    const size_t n = FHeap.size();
    if (n == 0) return top;
    size_t i = 0;
    while (true) {
        const size_t first = i * 4 + 1;
        if (first >= n) break;
        // The least child, chosen by index arithmetic: compilers turn a conditional choice
        // into a branch. Four children are compared in pairs, then the winners.
        auto before = [&](size_t x, size_t y) { return size_t(FHeap[x] < FHeap[y]); };
        size_t best = first;
        if (first + 4 <= n) {
            const size_t a = first + before(first + 1, first);
            const size_t b = first + 2 + before(first + 3, first + 2);
            best = a + ((b - a) & (0 - before(b, a)));
        } else {
            for (size_t c = first + 1; c < n; ++c) best += (c - best) & (0 - before(c, best));
        }
        if (!(FHeap[best] < last)) break;
        HeapPlace(i, FHeap[best]);
        i = best;
    }
    HeapPlace(i, last);
    return top;
}

TPlannerEngine::TTravel TPlannerEngine::Travel(int32_t section, double from, double to,
                                               double startSec, TStep *step, bool passAtFrom) {
    // A whole section without structures is sailed from what the engine keeps: the network's
    // section object, cold in the cache, is not touched.
    const size_t si = size_t(section);
    const double len = FLength[si];
    from = std::clamp(from, 0.0, len);
    to = std::clamp(to, 0.0, len);
    const bool forward = to >= from;
    const double lo = std::min(from, to), hi = std::max(from, to);
    const bool whole = lo <= 0.0 && hi >= len;
    const bool hasStructs = FStructStart[si + 1] > FStructStart[si];
    TTravel r = whole ? WholeMove(section, forward) : Move(*FNet.Section(section), lo, hi, forward);
    if (!r.Ok) return r;
    if (step) {
        step->Section = section;
        step->From = from;
        step->To = to;
        step->Block = r.Block;
    }
    if (hasStructs) {
        const auto &structs = FNet.Section(section)->Structs();
        const double moveSec = r.Seconds, dist = r.DistanceM;
        double extra = 0.0;
        const size_t base = FStructStart[size_t(section)];
        // Structures added to the section after the engine counted them are checked afresh.
        const bool cacheable = FStructStart[size_t(section) + 1] - base == structs.size();
        auto pass = [&](size_t j) {
            TWWStructImpl *st = structs[j];
            const double pos = st->Position();
            if (pos < lo || pos > hi || (!passAtFrom && pos == from)) return true;
            const double part = dist > 0 ? std::abs(pos - from) / dist : 0.0;
            const double arrive = startSec + extra + moveSec * part;
            TPassagePlan p;
            p.Struct = st;
            p.Position = pos;
            p.DistanceM = part * dist;
            p.ArriveSec = arrive;
            if (!cacheable) {
                p.Check = CheckStruct(st->Raw(), FQuery);
            } else {
                if (FCheckStamp[base + j] != FCheckGen) {
                    FChecks[base + j] = CheckStruct(st->Raw(), FQuery);
                    FCheckStamp[base + j] = FCheckGen;
                }
                p.Check = FChecks[base + j];
            }
            if (p.Check.Block != WptBlockReason::None) {
                if (r.Block == WptBlockReason::None) r.Block = p.Check.Block;
                if (!FQuery.IgnoreBlocks) return r.Ok = false;
            }
            if (p.Check.ClearanceUnknown && FAvoidUnknownClearance) {
                FMetUnknownClearance = true;
                return r.Ok = false;
            }
            double start = arrive;
            if (p.Check.LowerMast) start += std::max(0, FQuery.Boat.UnstepSeconds);
            double end = start;
            if (p.Check.NeedsOperation) {
                const double open = NextOperated(*st, FDepartUtc + start / SecondsPerDay, forward,
                                                 FQuery.Boat.Commercial, p.Period, p.Schedule, p.Window);
                if (std::isnan(open)) {
                    if (p.Check.Block == WptBlockReason::None) p.Check.Block = WptBlockReason::NoOperation;
                    if (r.Block == WptBlockReason::None) r.Block = WptBlockReason::NoOperation;
                    if (!FQuery.IgnoreBlocks) return r.Ok = false;
                } else {
                    start = std::max(start, (open - FDepartUtc) * SecondsPerDay);
                }
                end = start + WaitSeconds(*st, FQuery);
            }
            p.StartSec = start;
            p.EndSec = end;
            extra += end - arrive;
            if (step) step->Passages.push_back(p);
            return true;
        };
        if (forward) {
            for (size_t j = 0; j < structs.size(); ++j)
                if (!pass(j)) return r;
        } else {
            for (size_t j = structs.size(); j-- > 0;)
                if (!pass(j)) return r;
        }
        r.Seconds += extra;
    }
    if (!whole || hasStructs) r.Cost = CostOf(r, FKind[si]);
    if (step) {
        step->StartSec = startSec;
        step->EndSec = startSec + r.Seconds;
        step->DistanceM = r.DistanceM;
        step->Fuel = r.Fuel;
    }
    return r;
}

TPathResult TPlannerEngine::Route(const TQuery &q, const TLocation &from, const TLocation &to,
                                  double departUtc, bool passAtStart) {
    FAvoidUnknownClearance = true;
    FMetUnknownClearance = false;
    TPathResult r = Search(q, from, to, departUtc, passAtStart);
    if (!r.Found && FMetUnknownClearance) {
        FAvoidUnknownClearance = false;
        r = Search(q, from, to, departUtc, passAtStart);
    }
    return r;
}

TPathResult TPlannerEngine::Search(const TQuery &q, const TLocation &from, const TLocation &to,
                                   double departUtc, bool passAtStart) {
    TPathResult result;
    const int32_t nSections = FNet.SectionCount(), nNodes = FNet.NodeCount();
    if (from.Section < 0 || from.Section >= nSections || to.Section < 0 || to.Section >= nSections)
        return result;
    const TBoatProfile &a = FQuery.Boat, &b = q.Boat;
    const bool sameMoves =
        FHaveQuery && FWhole.size() == size_t(nSections) * 2 && a.Length == b.Length && a.Width == b.Width &&
        a.Draught == b.Draught && a.HeightStepped == b.HeightStepped && a.HeightUnstepped == b.HeightUnstepped &&
        a.SafeMargin == b.SafeMargin && a.Commercial == b.Commercial && a.SpeedMS == b.SpeedMS && a.Curve == b.Curve &&
        FQuery.MastMode == q.MastMode && FQuery.WaterBodies == q.WaterBodies && FQuery.AvoidKinds == q.AvoidKinds &&
        FQuery.ImposeSpeedLimit == q.ImposeSpeedLimit && FQuery.IgnoreBlocks == q.IgnoreBlocks &&
        FQuery.Mode == q.Mode && FQuery.PricePerUnit == q.PricePerUnit;
    const bool sameLevel = FHaveQuery && FQuery.WaterLevel == q.WaterLevel;
    FQuery = q;
    FHaveQuery = true;
    FDepartUtc = departUtc;
    if (++FStamp == 0) {  // the stamps wrapped: start the marks afresh
        for (TNodeState &n : FNodes) n.Stamp = 0;
        FStamp = 1;
    }
    if (FWhole.size() != size_t(nSections) * 2 || FArcStart.size() != size_t(nNodes) + 1) {
        FWhole.assign(size_t(nSections) * 2, TTravel{});
        FWholeStamp.assign(size_t(nSections) * 2, 0u);
        FLength.resize(size_t(nSections));
        FKind.resize(size_t(nSections));
        for (int32_t i = 0; i < nSections; ++i) {
            FLength[size_t(i)] = FNet.Section(i)->GetLength();
            FKind[size_t(i)] = FNet.Section(i)->GetKind();
        }
        FArcs.clear();
        FArcStart.assign(size_t(nNodes) + 1, 0u);
        FArcOf.assign(size_t(nSections) * 2, -1);
        for (int32_t n = 0; n < nNodes; ++n) {
            FArcStart[size_t(n)] = uint32_t(FArcs.size());
            for (const TWWArc &arc : FNet.ArcsOf(n)) {
                TSearchArc a;
                a.Section = arc.Section;
                a.OtherNode = arc.OtherNode;
                a.Forward = arc.Forward ? 1 : 0;
                a.HasStructs = FNet.Section(arc.Section)->Structs().empty() ? 0 : 1;
                FArcOf[size_t(arc.Section) * 2 + a.Forward] = int32_t(FArcs.size());
                FArcs.push_back(a);
            }
        }
        FArcStart[size_t(nNodes)] = uint32_t(FArcs.size());
        FStructStart.assign(size_t(nSections) + 1, 0u);
        for (int32_t i = 0; i < nSections; ++i)
            FStructStart[size_t(i) + 1] = FStructStart[size_t(i)] + uint32_t(FNet.Section(i)->Structs().size());
        FChecks.assign(FStructStart.back(), TStructCheck{});
        FCheckStamp.assign(FStructStart.back(), 0u);
        FNodes.assign(size_t(nNodes), TNodeState{});
        FHeapIndex.assign(size_t(nNodes), -1);
        FEndGap = 0.0;
        for (int32_t i = 0; i < nSections; ++i) {
            TWWSectionImpl &s = *FNet.Section(i);
            FNodes[size_t(s.StartNode()->Index)].Pos = s.StartNode()->Global;
            FNodes[size_t(s.EndNode()->Index)].Pos = s.EndNode()->Global;
            auto gap = [](const TDouble3 &a, const TDouble3 &b) {
                return std::sqrt((a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y) + (a.Z - b.Z) * (a.Z - b.Z));
            };
            FEndGap = std::max({FEndGap, gap(s.Points().front(), s.StartNode()->Global),
                                gap(s.Points().back(), s.EndNode()->Global)});
        }
    }
    // A boat definition changes in place (profiles are copied into it): its consumption curve
    // must still have the same points for the kept moves to hold.
    std::vector<TFloat2> curve;
    for (int32_t i = 0; b.Curve && i < b.Curve->GetCount(); ++i) curve.push_back(b.Curve->GetPoint(i));
    const bool sameCurve = curve.size() == FCurve.size() &&
                           std::equal(curve.begin(), curve.end(), FCurve.begin(), [](const TFloat2 &x, const TFloat2 &y) {
                               return x.X == y.X && x.Y == y.Y;
                           });
    if (!sameMoves || !sameCurve) {
        if (++FWholeGen == 0) {
            std::fill(FWholeStamp.begin(), FWholeStamp.end(), 0u);
            for (TSearchArc &a : FArcs) a.Stamp = 0;
            FWholeGen = 1;
        }
    }
    if (!sameMoves || !sameCurve || !sameLevel) {
        if (++FCheckGen == 0) {
            std::fill(FCheckStamp.begin(), FCheckStamp.end(), 0u);
            FCheckGen = 1;
        }
    }
    FCurve = std::move(curve);
    TWWSectionImpl &last = *FNet.Section(to.Section);
    // Goal-directed: a junction's heap order is its cost so far plus a bound of the cost
    // still to come that never exceeds it, so the first way found to the goal is still the
    // cheapest. The bound is shrunk a little against rounding; junctions that turn out
    // cheaper later are opened again.
    const TDouble3 goal = last.GetPointAt(to.Position);
    const double rate = GoalRate() * (1.0 - 1e-9);
    auto bound = [&](int32_t n) {
        if (rate <= 0.0) return 0.0;
        const TDouble3 &p = FNodes[size_t(n)].Pos;
        const double line = std::sqrt((p.X - goal.X) * (p.X - goal.X) + (p.Y - goal.Y) * (p.Y - goal.Y) +
                                      (p.Z - goal.Z) * (p.Z - goal.Z));
        return std::max(0.0, line - FEndGap) * rate;
    };
    FHeap.clear();
    auto relax = [&](int32_t node, double k, double sec, int32_t viaSection, int32_t viaNode, bool fwd) {
        TNodeState &s = FNodes[size_t(node)];
        if (s.Stamp == FStamp) {
            if (k >= s.Key) return;
        } else {
            s.Bound = bound(node);
        }
        s.Key = k;
        s.Sec = sec;
        s.PrevSection = viaSection;
        s.PrevNode = viaNode;
        s.PrevForward = fwd ? 1 : 0;
        // A junction still open moves up in the heap; a new or settled one enters it.
        const int32_t place = s.Stamp == FStamp ? FHeapIndex[size_t(node)] : -1;
        s.Stamp = FStamp;
        if (place >= 0) {
            HeapUp(size_t(place), {k + s.Bound, node});
        } else {
            FHeap.emplace_back();
            HeapUp(FHeap.size() - 1, {k + s.Bound, node});
        }
    };

    TWWSectionImpl &first = *FNet.Section(from.Section);
    {
        const TTravel a = Travel(from.Section, from.Position, first.GetLength(), 0.0, nullptr, passAtStart);
        if (a.Ok) relax(first.EndNode()->Index, a.Cost, a.Seconds, from.Section, -2, true);
        const TTravel b = Travel(from.Section, from.Position, 0.0, 0.0, nullptr, passAtStart);
        if (b.Ok) relax(first.StartNode()->Index, b.Cost, b.Seconds, from.Section, -2, false);
    }
    double best = Inf;
    int32_t bestNode = -1;  // -2: along the start section straight to the goal
    if (from.Section == to.Section) {
        const TTravel d = Travel(from.Section, from.Position, to.Position, 0.0, nullptr, passAtStart);
        if (d.Ok) best = d.Cost, bestNode = -2;
    }
    const int32_t goalStart = last.StartNode()->Index, goalEnd = last.EndNode()->Index;

    while (!FHeap.empty()) {
        const THeapEntry top = HeapPop();
        const double order = top.Order();
        const int32_t u = top.Node();
        const TNodeState &state = FNodes[size_t(u)];
        if (order >= best) break;
        // The junction now on top is most likely the next one out: its arcs are fetched
        // while this one's are worked through.
        if (!FHeap.empty()) {
            const char *next = reinterpret_cast<const char *>(&FArcs[FArcStart[size_t(FHeap.front().Node())]]);
            __builtin_prefetch(next);
            __builtin_prefetch(next + 64);
            __builtin_prefetch(next + 127);
        }
        const double k = state.Key, sec = state.Sec;
        if (u == goalStart) {
            const TTravel t = Travel(to.Section, 0.0, to.Position, sec, nullptr);
            if (t.Ok && k + t.Cost < best) best = k + t.Cost, bestNode = u;
        }
        if (u == goalEnd) {
            const TTravel t = Travel(to.Section, last.GetLength(), to.Position, sec, nullptr);
            if (t.Ok && k + t.Cost < best) best = k + t.Cost, bestNode = u;
        }
        const uint32_t arcsBegin = FArcStart[size_t(u)], arcsEnd = FArcStart[size_t(u) + 1];
        // The junctions ahead are fetched together rather than one miss after another.
        for (uint32_t ai = arcsBegin; ai < arcsEnd; ++ai) __builtin_prefetch(&FNodes[size_t(FArcs[ai].OtherNode)]);
        for (uint32_t ai = arcsBegin; ai < arcsEnd; ++ai) {
            const TSearchArc &arc = FArcs[ai];
            if (!arc.HasStructs) {
                // Time-independent: the kept move, its cost worked out once with it.
                if (arc.Stamp != FWholeGen) WholeMove(arc.Section, arc.Forward);
                if (arc.Ok) relax(arc.OtherNode, k + arc.Cost, sec + arc.Seconds, arc.Section, u, arc.Forward);
                continue;
            }
            const double len = FLength[size_t(arc.Section)];
            const TTravel t = Travel(arc.Section, arc.Forward ? 0.0 : len, arc.Forward ? len : 0.0, sec, nullptr);
            if (t.Ok) relax(arc.OtherNode, k + t.Cost, sec + t.Seconds, arc.Section, u, arc.Forward);
        }
    }
    if (bestNode == -1) return result;

    // The sections in sailing order, then sailed once more to record times and structures.
    struct TLegSpec {
        int32_t Section;
        double From, To;
    };
    std::vector<TLegSpec> specs;
    if (bestNode == -2) {
        specs.push_back({from.Section, from.Position, to.Position});
    } else {
        const bool goalFromStart = bestNode == goalStart &&
                                   (bestNode != goalEnd || [&] {
                                       // Both ends are the same junction: take the cheaper way in.
                                       const double sec = FNodes[size_t(bestNode)].Sec;
                                       const TTravel a = Travel(to.Section, 0.0, to.Position, sec, nullptr);
                                       const TTravel b = Travel(to.Section, last.GetLength(), to.Position, sec, nullptr);
                                       return a.Ok && (!b.Ok || a.Cost <= b.Cost);
                                   }());
        specs.push_back({to.Section, goalFromStart ? 0.0 : last.GetLength(), to.Position});
        int32_t n = bestNode;
        while (true) {
            const TNodeState &ns = FNodes[size_t(n)];
            const int32_t sec = ns.PrevSection;
            TWWSectionImpl &s = *FNet.Section(sec);
            const bool fwd = ns.PrevForward != 0;
            if (ns.PrevNode == -2) {
                specs.push_back({sec, from.Position, fwd ? s.GetLength() : 0.0});
                break;
            }
            specs.push_back({sec, fwd ? 0.0 : s.GetLength(), fwd ? s.GetLength() : 0.0});
            n = ns.PrevNode;
        }
        std::reverse(specs.begin(), specs.end());
    }
    double sec = 0.0, dist = 0.0, fuel = 0.0;
    for (size_t k = 0; k < specs.size(); ++k) {
        const TLegSpec &sp = specs[k];
        TStep step;
        const TTravel t = Travel(sp.Section, sp.From, sp.To, sec, &step, k > 0 || passAtStart);
        if (!t.Ok) return TPathResult{};  // cannot happen: the search sailed the same way
        if (t.DistanceM <= 0.0 && step.Passages.empty() && specs.size() > 1) continue;
        step.StartDistM = dist;
        step.StartFuel = fuel;
        for (auto &p : step.Passages) p.DistanceM += dist;
        if (result.FirstBlock == WptBlockReason::None) result.FirstBlock = step.Block;
        for (const auto &p : step.Passages)
            if (result.FirstBlock == WptBlockReason::None) result.FirstBlock = p.Check.Block;
        sec += t.Seconds;
        dist += t.DistanceM;
        fuel += t.Fuel;
        result.Steps.push_back(std::move(step));
    }
    result.Found = true;
    result.Seconds = sec;
    result.DistanceM = dist;
    result.Fuel = fuel;
    return result;
}

}  // namespace kv::plan
