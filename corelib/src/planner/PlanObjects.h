// The plan of one route as the planner leaves it: plan points, route-object lists, route
// objects, legs, time points, structure passages, the route-explore schedule and the chart
// coverage. A TRoutePlan belongs to its route (TRoute::FPlan) and owns every object below;
// the planner replaces its contents on each calculation, and empties it when the network the
// plan refers to goes away. Times are UTC TDateTime (days), distances metres.
#pragma once

#include "kernel/KvInternal.h"
#include "network/WWNetwork.h"
#include "waypoints/WptModel.h"
#include "KvLibNav6/KvNavBoat.h"
#include "KvLibNav6/KvPlanner.h"
#include "KvLibNav6/KvWWNetwork.h"
#include "KvLibNav6/KvWaypoints.h"

#include <deque>
#include <map>
#include <memory>
#include <vector>

namespace kv::plan {

class TRoutePlan;
class TPlanPointImpl;
class TObjectListImpl;

class TTimePointImpl final : public IWptRouteTimePoint {
public:
    const TTimePointData *GetData() override { return &Data; }
    const TLegInfo *GetLegInfo() override { return &Info; }
    const TGeoPoint *GetPosition() override { return &Pos; }

    TTimePointData Data;
    TLegInfo Info;
    TGeoPoint Pos;
};

// Leg kinds of TLegInfo: how the leg into a time point is sailed, as the route table's
// planning text names it.
namespace LegKind {
inline constexpr int32_t Motor = 0;
inline constexpr int32_t Sailing = 1;
inline constexpr int32_t Tacking = 2;
inline constexpr int32_t Spinnaker = 4;
}  // namespace LegKind

class TRouteLegImpl final : public IWptRouteLeg {
public:
    IWWSection *GetSection() override { return Section; }
    double GetDistance() override { return Position; }
    IWptRouteTimePoint *GetTimePoint(int32_t i) override {
        return i >= 0 && size_t(i) < Points.size() ? Points[size_t(i)] : nullptr;
    }

    IWWSection *Section = nullptr;  // nullptr on a direct leg
    double Position = 0.0;          // where the boat enters the section
    double EndPosition = 0.0;
    bool Forward = true;
    std::vector<TTimePointImpl *> Points;  // owned by the plan
};

// A structure's operating period as one passage sees it: the period itself, plus the window
// the planner scheduled that passage in. Owned by the passage, so that planning another
// passage through the same period, or another route, leaves this passage's times alone.
// The period it wraps belongs to the network (or to the plan) and outlives the passage.
class TPassagePeriodImpl final : public IWWOperatingPeriod {
public:
    TPassagePeriodImpl(IWWOperatingPeriod &period, const TWWTimeRange &times) : FPeriod(period), FTimes(times) {}
    TWWDateRange GetDates() override { return FPeriod.GetDates(); }
    const TStrWRec *GetRemark() override { return FPeriod.GetRemark(); }
    int32_t GetDayScheduleCount() override { return FPeriod.GetDayScheduleCount(); }
    IWWDaySchedule *GetDaySchedule(int32_t index) override { return FPeriod.GetDaySchedule(index); }
    TWWTimeRange GetTimes() override { return FTimes; }

private:
    IWWOperatingPeriod &FPeriod;
    TWWTimeRange FTimes;
};

class TStructPassageImpl final : public IWptRouteStructPassage {
public:
    int32_t GetPassageIndex() override { return Item; }
    IWWStruct *GetStruct() override { return Struct; }
    bool NeedsOperation(ILPBoatDef *boatDef, bool mastUnstepped, float napWaterLevel) override;
    bool NeedsUnsteppedMast() override { return LowerMast; }
    const TPassageOperation *GetOperation() override { return &Operation; }
    TDateTime GetPassageStart() override { return Start; }
    TDateTime GetPassageEnd() override { return End; }

    IWWStruct *Struct = nullptr;
    int32_t Item = -1;
    bool LowerMast = false;
    // Operation.OperatingPeriod points to Period when the passage is operated.
    TPassageOperation Operation;
    std::unique_ptr<TPassagePeriodImpl> Period;
    TDateTime Arrive = 0.0, Start = 0.0, End = 0.0;
};

class TRouteObjectImpl final : public IWptRouteObject {
public:
    float GetTurnAngle() override { return TurnAngle; }
    int32_t IsObstacleVariant() override { return Variant; }
    IWptRouteStructPassage *GetStructPassage() override { return Passage; }
    int32_t GetKind() override { return Kind; }
    int32_t GetBlockReason() override { return Block; }
    int32_t GetPointIndex() override { return PointIndex; }
    IWptRouteLeg *GetLeg() override { return Leg; }
    int32_t GetIntervalId() override { return 0; }
    int32_t GetIntervalEdge() override { return 0; }
    IWptWaypoint *GetWaypoint() override { return Marina; }
    IWptPlanPoint *GetPlanPoint() override;
    double GetPosition() override { return Position; }
    const double *GetValues() override { return Values; }

    int32_t Kind = WptRouteObjectKind::Turn;
    float TurnAngle = 0.0f;
    int32_t Variant = 0;
    int32_t Block = WptBlockReason::NoneOfItsOwn;
    int32_t PointIndex = -1;
    TStructPassageImpl *Passage = nullptr;
    TRouteLegImpl *Leg = nullptr;
    TPlanPointImpl *Point = nullptr;
    wpt::TWaypoint *Marina = nullptr;  // a marina object's waypoint, owned by the plan
    double Position = 0.0;
    double Values[4] = {};  // distance from the start, consumption, cost, UTC
};

class TObjectListImpl final : public IWptRouteObjectList {
public:
    int32_t GetCount() override { return int32_t(Items.size()); }
    IWptRouteObject *GetItem(int32_t i) override {
        return i >= 0 && size_t(i) < Items.size() ? Items[size_t(i)] : nullptr;
    }
    float GetCourse() override { return Course; }
    IWptPlanPoint *GetEndPoint() override;
    bool IsOpenLeg() override { return Open; }

    std::vector<TRouteObjectImpl *> Items;  // owned by the plan
    // The stretches of waterway the leg into End is sailed along, in sailing order; empty
    // for a leg sailed straight (direct, or no way over the network).
    std::vector<TRouteLegImpl *> Stretches;  // owned by the plan
    float Course = 0.0f;
    TPlanPointImpl *End = nullptr;
    bool Open = false;
};

class TPlanPointImpl final : public IWptPlanPoint {
public:
    const TStrWRec *GetName() override { return Name.Get(); }
    int32_t GetStatus() override { return Status; }
    int32_t GetIndex() override { return Index; }
    IWptRouteObjectList *GetObjects() override { return Objects; }
    IWptRouteObjectList *GetNextObjects() override { return Next; }
    IWptRouteTimePoint *GetArrival() override { return Arrival; }
    IWptRouteTimePoint *GetDeparture() override { return Departure; }
    const TPlanStop *GetStop() override { return &Stop; }

    TOwnedText Name;
    int32_t Status = WptPlanStatus::Planned;
    int32_t Index = 0;
    TObjectListImpl *Objects = nullptr;
    TObjectListImpl *Next = nullptr;
    TTimePointImpl *Arrival = nullptr;
    TTimePointImpl *Departure = nullptr;
    TPlanStop Stop;
    // Where the route point stood when the plan was made: a point moved since then makes the
    // plan of its legs out of date.
    TGeoPoint Planned{GeoPointNoPosition, GeoPointNoPosition};
};

// One moment of the planned voyage for route explore; the boat moves in a straight line
// between consecutive samples (it stands still where two samples share a position).
struct TSample {
    TDateTime Utc = 0.0;
    double DistanceM = 0.0, Fuel = 0.0, Cost = 0.0;
    TDouble3 Global;
    TRouteLegImpl *Leg = nullptr;
    TObjectListImpl *List = nullptr;
    double SectionPosition = 0.0;
};

class TScheduleImpl final : public IWptRouteSchedule {
public:
    explicit TScheduleImpl(TRoutePlan &plan) : FPlan(plan) {}
    bool FillNavData(TNavRouteData &out, TDateTime utc) override;
    bool FillMotionData(TMotion &out, int32_t flags, int32_t reserved1, TRoutePosition *posOut,
                        int32_t reserved2, TDateTime utc, int32_t mode) override;

private:
    // Index of the sample at or before utc such that utc lies before the next one; -1 outside.
    int32_t Bracket(TDateTime utc, double &t) const;
    TRoutePlan &FPlan;
};

class TChartCoverageImpl final : public IRouteChartCoverage {
public:
    explicit TChartCoverageImpl(TRoutePlan &plan) : FPlan(plan) {}
    bool CoveredBy(IChartManager *cm) override;
    bool NeedsCharts() override;

private:
    TRoutePlan &FPlan;
};

class TRoutePlan {
public:
    TRoutePlan() : Schedule(*this), Coverage(*this) {}
    TRoutePlan(const TRoutePlan &) = delete;
    TRoutePlan &operator=(const TRoutePlan &) = delete;

    // Drops every plan object (the network they point into is going away). keepMarinas: the
    // plan is made anew over the same network, and its marinas keep their waypoints.
    void Clear(bool keepMarinas = false);
    // The waypoint standing for a marina of the network: read-only, in no database, the same
    // object for as long as the plan is made over that network.
    wpt::TWaypoint *MarinaWaypoint(const ww::TRawMarina &m, IWptWaypointType *type);
    // Whether one of those marina waypoints has the GUID.
    bool HoldsMarina(const TGUID &guid) const;
    // The operating period of a structure that gives no operating times: operated all day,
    // every day of the year. Passages of such structures point to a view of it, as callers
    // read a passage without a period as one that is not operated.
    ww::TWWOperatingPeriodImpl *AlwaysOperated();
    TPlanPointImpl *PlanPoint(int32_t index) {
        return index >= 0 && size_t(index) < Points.size() ? &Points[size_t(index)] : nullptr;
    }

    template <class T>
    T *Make(std::deque<T> &store) {
        return &store.emplace_back();
    }

    // Plan objects live in deques: their addresses stay put as the plan grows, and a plan of
    // hundreds of objects costs a few allocations, not one each.
    IWWNetwork *Network = nullptr;  // the network the plan refers to; nullptr when none
    std::deque<TPlanPointImpl> Points;
    std::deque<TObjectListImpl> Lists;
    std::deque<TRouteObjectImpl> Objects;
    std::deque<TRouteLegImpl> Legs;
    std::deque<TTimePointImpl> TimePoints;
    std::deque<TStructPassageImpl> Passages;
    std::vector<TSample> Samples;
    int32_t LegCount = 0;  // legs between route points (direct or over the network)
    TScheduleImpl Schedule;
    TChartCoverageImpl Coverage;

private:
    std::unique_ptr<ww::TWWOperatingPeriodImpl> FAlwaysOperated;  // refers to no network
    std::map<const ww::TRawMarina *, std::unique_ptr<wpt::TWaypoint>> FMarinas;
};

}  // namespace kv::plan
