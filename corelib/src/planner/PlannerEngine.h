// The route planner's search over the waterway network: what a boat may use (section and
// structure limits, mast, water level, one-way stretches, shipping classes), what it costs
// in the route's mode, and when operated structures let it through.
//
// Times inside the search are seconds after the departure; the departure itself is a UTC
// TDateTime (days). Operating times of structures are local times of the network's area
// (see LocalZone). Positions along sections are metres from the section's start junction.
#pragma once

#include "network/WWNetwork.h"

#include "KvLibNav6/KvBoatDef.h"
#include "KvLibNav6/KvPlanner.h"
#include "KvLibNav6/KvWaypoints.h"

#include <QTimeZone>
#include <bit>
#include <cstdint>
#include <vector>

namespace kv::plan {

// The boat as the planner sees it; metres, m/s, seconds.
struct TBoatProfile {
    float Length = 0.0f, Width = 0.0f, Draught = 0.0f;
    float HeightStepped = 0.0f, HeightUnstepped = 0.0f, SafeMargin = 0.0f;
    bool Commercial = false;
    double SpeedMS = 2.5;
    int32_t UnstepSeconds = 0;
    ILPBoatDefCurve *Curve = nullptr;  // fuel (or electric) per second against speed; nullable
};

// One planning request. Mast modes: 0 stepped, 1 unstepped, 2 lowered where a bridge needs it.
struct TQuery {
    TBoatProfile Boat;
    int32_t Mode = WptPlanMode::Fastest;
    int32_t MastMode = 0;
    uint32_t WaterBodies = 0xFFFFFFFFu;  // bit n: water body n may be used
    uint32_t AvoidKinds = 0;             // bit k: sections of kind k are not used
    bool ImposeSpeedLimit = true;
    float WaterLevel = 1.0f;             // metres relative to NAP
    int32_t BridgeWait = 300, LockWait = 1200;  // seconds, defaults per kind
    double PricePerUnit = 0.0;           // cost of one unit of consumption
    // Plans through whatever blocks the way, to tell the user why no route exists.
    bool IgnoreBlocks = false;
};

struct TLocation {
    int32_t Section = -1;
    double Position = 0.0;
};

// How the boat passes one structure.
struct TStructCheck {
    int32_t Block = WptBlockReason::None;
    int32_t Item = -1;  // passage or chamber used
    bool NeedsOperation = false;
    bool LowerMast = false;
    // Passable, but under a structure whose clearance is not given while the boat's height
    // is: the search takes such a way only when no other exists.
    bool ClearanceUnknown = false;
};

// A structure passed, as planned. Seconds after departure.
struct TPassagePlan {
    ww::TWWStructImpl *Struct = nullptr;
    double Position = 0.0;
    double DistanceM = 0.0;  // from the route start
    TStructCheck Check;
    double ArriveSec = 0.0, StartSec = 0.0, EndSec = 0.0;
    int32_t Period = -1, Schedule = -1, Window = -1;  // the operating window used, -1 none
};

// Travel along (part of) one section. From > To when sailing against the section.
struct TStep {
    int32_t Section = -1;
    double From = 0.0, To = 0.0;
    double StartSec = 0.0, EndSec = 0.0;
    double StartDistM = 0.0, DistanceM = 0.0;
    double StartFuel = 0.0, Fuel = 0.0;
    int32_t Block = WptBlockReason::None;  // the stretch's own, IgnoreBlocks only
    std::vector<TPassagePlan> Passages;
};

struct TPathResult {
    bool Found = false;
    std::vector<TStep> Steps;
    double Seconds = 0.0, DistanceM = 0.0, Fuel = 0.0;
    int32_t FirstBlock = WptBlockReason::None;  // IgnoreBlocks: first reason met on the way
};

// The time zone that operating times are given in.
const QTimeZone &LocalZone();

// Clearance of a height level at the water level (metres relative to NAP); WWMissing when
// the level gives none. Never negative.
float Clearance(const TWWLevel &level, float napWaterLevel);

// Whether and how a boat passes the structure (dimensions only, no times). along: sailing in
// the section's own direction.
TStructCheck CheckStruct(const ww::TRawStruct &s, const TQuery &q);

// Earliest UTC moment >= arriveUtc at which the structure is operated for the boat, searched
// up to two weeks ahead; NaN when it is not operated in that time. The window used comes
// back as indices (-1 when the structure has no operating periods: always operated).
double NextOperated(ww::TWWStructImpl &s, double arriveUtc, bool along, bool commercial,
                    int32_t &period, int32_t &schedule, int32_t &window);

class TPlannerEngine {
public:
    explicit TPlannerEngine(ww::TWWNetworkImpl &net) : FNet(net) {}

    // Best path from one network location to another, departing at departUtc. A structure
    // lying exactly at the goal is passed on this path; one exactly at the start only when
    // passAtStart (a via point on a structure: the leg that arrives there passed it). It
    // passes under a structure of unknown clearance only where no other way exists.
    TPathResult Route(const TQuery &q, const TLocation &from, const TLocation &to,
                      double departUtc, bool passAtStart = true);

    // Waiting time at the structure for the query (own time or the default for its kind).
    static int32_t WaitSeconds(ww::TWWStructImpl &s, const TQuery &q);

private:
    // One search, with structures of unknown clearance usable or not (FAvoidUnknownClearance).
    TPathResult Search(const TQuery &q, const TLocation &from, const TLocation &to, double departUtc,
                       bool passAtStart);

    struct TTravel {
        bool Ok = true;
        int32_t Block = WptBlockReason::None;
        double Seconds = 0.0, DistanceM = 0.0, Fuel = 0.0, Cost = 0.0;
    };
    // Sails [from, to] of a section starting startSec after departure; fills step (nullable)
    // with the structures passed (one exactly at from only when passAtFrom).
    TTravel Travel(int32_t section, double from, double to, double startSec, TStep *step,
                   bool passAtFrom = true);
    // The moving part of Travel: distance, time, fuel and the section's own limits.
    TTravel Move(ww::TWWSectionImpl &s, double lo, double hi, bool forward);
    // Whole-section moves do not depend on time: kept per section and direction.
    const TTravel &WholeMove(int32_t section, bool forward);

    // An arc of the search, kept with the other arcs of its junction so that expanding a
    // junction reads one block of memory: the section, where it leads, and the whole-section
    // move's cost (valid while Stamp equals FWholeGen).
    struct TSearchArc {
        double Cost = 0.0, Seconds = 0.0;
        int32_t Section = 0, OtherNode = 0;
        uint32_t Stamp = 0;
        uint8_t Forward = 0, Ok = 0;
        uint8_t HasStructs = 0;  // the move depends on the time: sailed with Travel
    };
    // Search state of a junction, valid while Stamp equals FStamp. Key is the cost from the
    // start, Bound the least cost still to come (fixed per query), Key + Bound its heap order.
    // Pos, the junction's position, is the network's: kept here so that a junction first
    // reached costs one cache line.
    struct alignas(64) TNodeState {
        TDouble3 Pos;
        double Key = 0.0, Bound = 0.0, Sec = 0.0;
        int32_t PrevSection = -1, PrevNode = -1;  // PrevNode -2: reached from the start
        uint32_t Stamp = 0;
        uint8_t PrevForward = 0;
    };
    // Open junctions by key; ties go to the lower junction index, so the order in which
    // equal keys settle does not depend on the heap's shape.
    struct THeapEntry {
        // The order's bits above the junction's: for orders >= 0 the bits sort as the numbers
        // do, so one integer comparison orders entries, ties going to the lower junction.
        unsigned __int128 Rank = 0;
        THeapEntry() = default;
        THeapEntry(double order, int32_t node)
            : Rank((unsigned __int128)std::bit_cast<uint64_t>(order + 0.0) << 32 | uint32_t(node)) {}
        double Order() const { return std::bit_cast<double>(uint64_t(Rank >> 32)); }
        int32_t Node() const { return int32_t(uint32_t(Rank)); }
        bool operator<(const THeapEntry &o) const { return Rank < o.Rank; }
    };
    // The heap keeps each open junction once (FHeapIndex): a cheaper way moves it up.
    void HeapPlace(size_t i, const THeapEntry &e);
    void HeapUp(size_t i, const THeapEntry &e);
    THeapEntry HeapPop();
    double CostOf(const TTravel &t, int32_t kind) const;
    bool SectionAllowed(ww::TWWSectionImpl &s) const;

    ww::TWWNetworkImpl &FNet;
    TQuery FQuery;
    double FDepartUtc = 0.0;
    std::vector<TTravel> FWhole;        // per section and direction
    std::vector<uint32_t> FWholeStamp;  // FWhole's entry is valid while equal to FWholeGen
    std::vector<TSearchArc> FArcs;      // by junction, from FArcStart
    std::vector<uint32_t> FArcStart;
    std::vector<int32_t> FArcOf;        // per section and direction: its arc, -1 none
    // CheckStruct of each structure, by section (FStructStart) and order along it; valid
    // while its stamp equals FCheckGen (the boat, mast mode and water level stay the same).
    std::vector<uint32_t> FStructStart;
    std::vector<TStructCheck> FChecks;
    std::vector<uint32_t> FCheckStamp;
    uint32_t FCheckGen = 0;
    std::vector<double> FLength;  // per section, with its kind
    std::vector<int32_t> FKind;
    std::vector<TNodeState> FNodes;
    // How far a section's end may lie from its junction: the least cost still to come is the
    // straight line to the goal, less that gap, at the cheapest rate of the mode (GoalRate).
    double FEndGap = 0.0;
    double GoalRate() const;
    std::vector<THeapEntry> FHeap;  // a 4-ary min-heap
    // Place of each junction in FHeap while it is open, -1 once settled; valid with its
    // junction's stamp. Apart from FNodes, so that moving heap entries touches little memory.
    std::vector<int32_t> FHeapIndex;
    uint32_t FStamp = 0;
    // Whole-section moves stay valid while the boat, mode and settings stay the same.
    uint32_t FWholeGen = 0;
    bool FHaveQuery = false;
    bool FAvoidUnknownClearance = true;
    bool FMetUnknownClearance = false;  // the search turned away from such a structure
    std::vector<TFloat2> FCurve;
};

}  // namespace kv::plan
