// Route planner and the plan it produces: plan points, route objects, legs, time points,
// structure passages, the route-explore schedule and a route's chart coverage.
//
// The planner routes over the waterway network with bridge and lock waiting times, operating
// times, speed limits and the water level. Every plan object belongs to its route and stays
// valid until the route is planned again. All calls happen on the GUI thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "KvCallbacks.h"
#include "KvErrorCodes.h"
#include "KvStrW.h"
#include "KvTypes.h"

class IChartManager;
class ILPBoatDef;
class IWWNetwork;
class IWWSection;
class IWWStruct;
class IWWOperatingPeriod;
class IWWTimeWindow;
class IWptDatabase;
class IWptRoute;
class IWptWaypoint;
struct TRoutePosition;
struct TNavRouteData;

class IWptPlanPoint;
class IWptRouteObjectList;
class IWptRouteObject;
class IWptRouteLeg;
class IWptRouteTimePoint;
class IWptRouteStructPassage;

// ---------------------------------------------------------------------------------------------
// Records and codes

// The planner's fourteen settings as one record. Waiting times are seconds, the water level
// metres relative to NAP. The further values are the library's own; they go to the planner
// operations of the same name (SetPlannerValueA3 …) and are 0 or False unless a dialog set
// them. The initialisers are the values used when nothing was stored.
struct TPlannerSettings {
    int32_t DelayBridges = 300;
    int32_t DelayLocks = 1200;
    float NAPWaterLevel = 1.0f;
    bool ImposeSpeedLimit = true;  // speed limits apply while motoring
    int32_t ValueA3 = 0;
    float ValueA4 = 0.0f;
    float ValueA5 = 0.0f;
    float ValueA7 = 0.0f;
    float ValueA8 = 0.0f;
    float ValueA9 = 0.0f;
    float ValueA10 = 0.0f;
    float ValueA11 = 0.0f;
    bool FlagA13 = false;
    bool FlagA14 = false;
};

// IWptPlanPoint::GetStatus. Only Planned counts as a complete plan.
namespace WptPlanStatus {
inline constexpr int32_t Passed = -1;
inline constexpr int32_t Planned = 0;
inline constexpr int32_t UnderKeelAlarm = 2;
inline constexpr int32_t UnreachableWindCurrent = 3;
inline constexpr int32_t UnreachableNetwork = 4;
}  // namespace WptPlanStatus

// TPlanStop::Kind.
namespace WptPlanStopKind {
inline constexpr int32_t None = 0;
inline constexpr int32_t UntilDeparture = 1;
inline constexpr int32_t FixedSeconds = 2;
}  // namespace WptPlanStopKind

// Stop planned at a route point. Owned by the plan point.
struct TPlanStop {
    int32_t Kind = WptPlanStopKind::None;
    int32_t Value = 0;
    int32_t Seconds = 0;  // FixedSeconds: length of the stop
};

// IWptRouteObject::GetKind.
namespace WptRouteObjectKind {
inline constexpr int32_t Turn = 0;
inline constexpr int32_t Structure = 1;
inline constexpr int32_t RoutePoint = 2;
inline constexpr int32_t SailingTimesStop = 3;
inline constexpr int32_t Obstacle = 4;
inline constexpr int32_t NoticeInterval = 5;
inline constexpr int32_t Marina = 6;
}  // namespace WptRouteObjectKind

// IWptRouteObject::GetBlockReason.
namespace WptBlockReason {
inline constexpr int32_t NoneOfItsOwn = -1;
inline constexpr int32_t None = 0;
inline constexpr int32_t Closed = 1;
inline constexpr int32_t TooWide = 2;
inline constexpr int32_t Draught = 3;
inline constexpr int32_t TooHigh = 4;
inline constexpr int32_t TooLong = 5;
inline constexpr int32_t NoOperation = 6;
inline constexpr int32_t WrongDirection = 7;
inline constexpr int32_t WrongShippingClass = 8;
inline constexpr int32_t MaxDimensions = 9;
// Not a block: the route passes under a structure whose clearance is not known, because no
// way around it exists for the boat; the skipper must check it.
inline constexpr int32_t ClearanceUnknown = 10;
}  // namespace WptBlockReason

// IWptRouteObject::GetIntervalEdge.
namespace WptIntervalEdge {
inline constexpr int32_t Opens = 1;
inline constexpr int32_t Closes = 2;
}  // namespace WptIntervalEdge

// Totals from the route start at a time point. Owned by the time point.
struct TTimePointData {
    double DistanceM = 0.0;
    double ConsumptionM3 = 0.0;  // fuel in m³ (energy in the base energy unit for electric boats)
    double Cost = 0.0;
    TDateTime TimeUTC = 0.0;
};
static_assert(sizeof(TTimePointData) == 32);
static_assert(offsetof(TTimePointData, TimeUTC) == 24);

// Leg information of a time point. Owned by the time point.
struct TLegInfo {
    int32_t Reserved[6] = {};
    int32_t LegKind = 0;  // 0, 1, 2 or 4
};
static_assert(offsetof(TLegInfo, LegKind) == 24);

// How a structure passage is operated. Owned by the passage.
struct TPassageOperation {
    int32_t Reserved[3] = {};
    // The operating period that applies at the planned passage; nil when the passage is not
    // operated. Owned by the passage: a view of the network's period (or of an all-day,
    // all-year period for a structure operated at any time) whose GetTimes gives the window
    // this passage was planned in.
    const IWWOperatingPeriod *OperatingPeriod = nullptr;
    // The applicable time window of that period; nil with it.
    const IWWTimeWindow *TimeWindow = nullptr;
};

// Course and speed planned at a time (IWptRouteSchedule::FillMotionData).
struct TMotion {
    int32_t Reserved[3] = {};
    float CourseRad = 0.0f;
    float SpeedMS = 0.0f;  // base speed unit, m/s
};
static_assert(offsetof(TMotion, CourseRad) == 12);
static_assert(offsetof(TMotion, SpeedMS) == 16);

// ---------------------------------------------------------------------------------------------
// Objects

// The route planner. From WptPlannerCreate; owned by the caller (the environment).
class KVLIB_API IWptPlanner : public NavObject {
public:
    // Metres relative to NAP; also used for bridge clearances.
    virtual float GetNAPWaterLevel() = 0;                             // slot 21 ≡ GetWaterLevel
    virtual float GetParam2() = 0;                                                  // slot 22
    virtual float GetParam3() = 0;                                                  // slot 23
    // Plans the route: creates its plan points, objects and times. boatDef is not kept.
    virtual void Calculate(ILPBoatDef *boatDef, IWptRoute *route, int32_t reserved, bool flag1,
                           bool flag2, bool flag3) = 0;                             // slot 24
    virtual void SetPlannerValueA5(float value) = 0;                                // slot 26
    virtual void SetPlannerValueA9(float value) = 0;                                // slot 27
    virtual void Reset(int32_t reserved) = 0;                                       // slot 28
    // Default waiting time at bridges, seconds (structures may have their own).
    virtual void SetBridgeWaitTime(int32_t seconds) = 0;                            // slot 30
    // Default waiting time at locks, seconds.
    virtual void SetLockWaitTime(int32_t seconds) = 0;                              // slot 31
    virtual void SetPlannerValueA3(int32_t value) = 0;                              // slot 32
    virtual void SetPlannerValueA4(float value) = 0;                                // slot 33
    virtual void SetImposeSpeedLimit(bool impose) = 0;                              // slot 34
    virtual void SetPlannerValueA11(float value) = 0;                               // slot 36
    virtual void SetPlannerValueA10(float value) = 0;                               // slot 38
    virtual void SetPlannerFlagA14(bool value) = 0;                                 // slot 41
    virtual void SetPlannerFlagA13(bool value) = 0;                                 // slot 42
    virtual void ResetValue44(int32_t reserved) = 0;                                // slot 44
    virtual void ResetValue45(int32_t reserved) = 0;                                // slot 45
    // Metres relative to NAP.
    virtual void SetNAPWaterLevel(float metres) = 0;                                // slot 46
    virtual void SetPlannerValueA7(float value) = 0;                                // slot 47
    virtual void SetPlannerValueA8(float value) = 0;                                // slot 48
    // Neither is owned; nil network detaches.
    virtual void SetWaterwayNetwork(IWWNetwork *network, IChartManager *cm) = 0;    // slot 49

    // Seconds.
    virtual int32_t GetBridgeWaitTime() = 0;                                        // slot —
    virtual int32_t GetLockWaitTime() = 0;                                          // slot —
    virtual bool GetImposeSpeedLimit() = 0;                                         // slot —
    virtual int32_t GetPlannerValueA3() = 0;                                        // slot —
    virtual float GetPlannerValueA4() = 0;                                          // slot —
    virtual float GetPlannerValueA5() = 0;                                          // slot —
    virtual float GetPlannerValueA7() = 0;                                          // slot —
    virtual float GetPlannerValueA8() = 0;                                          // slot —
    virtual float GetPlannerValueA9() = 0;                                          // slot —
    virtual float GetPlannerValueA10() = 0;                                         // slot —
    virtual float GetPlannerValueA11() = 0;                                         // slot —
    virtual bool GetPlannerFlagA13() = 0;                                           // slot —
    virtual bool GetPlannerFlagA14() = 0;                                           // slot —
    virtual void Refresh() = 0;                                                     // slot —
};

// A route point as planned (also the planner's start, via and destination point). From
// IWptRoutePoint::GetPlanPoint; owned by the route.
class KVLIB_API IWptPlanPoint : public NavObject {
public:
    virtual const TStrWRec *GetName() = 0;                                          // slot 4
    // See WptPlanStatus.
    virtual int32_t GetStatus() = 0;                                        // slot 7 (assumed)

    // Index of the point in its route.
    virtual int32_t GetIndex() = 0;                                                 // slot —
    // Objects on the way to this point in sailing order; nil or empty for direct legs.
    virtual IWptRouteObjectList *GetObjects() = 0;                                  // slot —
    // The next list of the chain, nil after the last.
    virtual IWptRouteObjectList *GetNextObjects() = 0;                              // slot —
    // Nil when not planned.
    virtual IWptRouteTimePoint *GetArrival() = 0;                                   // slot —
    virtual IWptRouteTimePoint *GetDeparture() = 0;                                 // slot —
    virtual const TPlanStop *GetStop() = 0;                                         // slot —
};

// The route objects of one leg, in sailing order.
class KVLIB_API IWptRouteObjectList : public NavObject {
public:
    virtual int32_t GetCount() = 0;                                                 // slot —
    virtual IWptRouteObject *GetItem(int32_t i) = 0;                                // slot —
    // Radians; the course of a direct leg.
    virtual float GetCourse() = 0;                                                  // slot —
    virtual IWptPlanPoint *GetEndPoint() = 0;                                       // slot —
    virtual bool IsOpenLeg() = 0;                                                   // slot —
};

// One element of a planned route: a turn, a structure, a route point, a stop, an obstacle,
// the edge of a notice's interval or a marina (see WptRouteObjectKind).
class KVLIB_API IWptRouteObject : public NavObject {
public:
    // Radians, signed.
    virtual float GetTurnAngle() = 0;                                        // slot 4 (assumed)
    // Obstacles: != 0 selects the variant icon.
    virtual int32_t IsObstacleVariant() = 0;                                 // slot 9 (assumed)
    virtual IWptRouteStructPassage *GetStructPassage() = 0;                 // slot 11 (assumed)
    virtual int32_t GetKind() = 0;                                          // slot 12 (assumed)

    // See WptBlockReason.
    virtual int32_t GetBlockReason() = 0;                                           // slot —
    // Index of its time point in its leg, -1 when none.
    virtual int32_t GetPointIndex() = 0;                                            // slot —
    virtual IWptRouteLeg *GetLeg() = 0;                                             // slot —
    // Notice intervals: the notice's number, and which edge (see WptIntervalEdge).
    virtual int32_t GetIntervalId() = 0;                                            // slot —
    virtual int32_t GetIntervalEdge() = 0;                                          // slot —
    // Marinas: the marina's waypoint.
    virtual IWptWaypoint *GetWaypoint() = 0;                                        // slot —
    // Route points: their plan point.
    virtual IWptPlanPoint *GetPlanPoint() = 0;                                      // slot —
    // Position along the leg's section.
    virtual double GetPosition() = 0;                                               // slot —
    // [0] distance along the route in metres, [3] UTC date-time at the object.
    virtual const double *GetValues() = 0;                                          // slot —
};

// A leg of the plan along one waterway section.
class KVLIB_API IWptRouteLeg : public NavObject {
public:
    // Owned by the network.
    virtual IWWSection *GetSection() = 0;                                    // slot 6 (assumed)
    // Position of the item along the section.
    virtual double GetDistance() = 0;                                        // slot 8 (assumed)

    // Nil beyond the leg's time points.
    virtual IWptRouteTimePoint *GetTimePoint(int32_t i) = 0;                        // slot —
};

// A planned moment: arrival, departure or passage.
class KVLIB_API IWptRouteTimePoint : public NavObject {
public:
    virtual const TTimePointData *GetData() = 0;                             // slot 4 (assumed)

    virtual const TLegInfo *GetLegInfo() = 0;                                       // slot —
    // Radians.
    virtual const TGeoPoint *GetPosition() = 0;                                     // slot —
};

// The passage of a structure (bridge, lock, barrier) on the planned route.
class KVLIB_API IWptRouteStructPassage : public NavObject {
public:
    // The structure's passage used, -1 when none.
    virtual int32_t GetPassageIndex() = 0;                                   // slot 3 (assumed)
    // Owned by the network.
    virtual IWWStruct *GetStruct() = 0;                                      // slot 7 (assumed)

    // Whether the structure must be operated (opened, locked) for that boat, mast mode and
    // water level (metres relative to NAP).
    virtual bool NeedsOperation(ILPBoatDef *boatDef, bool mastUnstepped,
                                float napWaterLevel) = 0;                           // slot —
    virtual bool NeedsUnsteppedMast() = 0;                                          // slot —
    virtual const TPassageOperation *GetOperation() = 0;                            // slot —
    // UTC.
    virtual TDateTime GetPassageStart() = 0;                                        // slot —
    virtual TDateTime GetPassageEnd() = 0;                                          // slot —
};

// Where the boat would be at a given time on the planned route (route explore). From
// IWptRoute::GetSchedule; owned by the route.
class KVLIB_API IWptRouteSchedule : public NavObject {
public:
    // False when utc lies outside the plan.
    virtual bool FillNavData(TNavRouteData &out, TDateTime utc) = 0;                // slot —
    // Planned course and speed at utc; posOut (nullable) receives the position. The reserved
    // arguments are 0, mode 1. False when utc lies outside the plan.
    virtual bool FillMotionData(TMotion &out, int32_t flags, int32_t reserved1,
                                TRoutePosition *posOut, int32_t reserved2, TDateTime utc,
                                int32_t mode) = 0;                                  // slot —
};

// Whether installed charts cover a route. From IWptRoute::GetChartCoverage; owned by the
// route.
class KVLIB_API IRouteChartCoverage : public NavObject {
public:
    // True when some installed chart of the manager covers every leg.
    virtual bool CoveredBy(IChartManager *cm) = 0;                                  // slot 3
    virtual bool NeedsCharts() = 0;                                                 // slot 8
};

// ---------------------------------------------------------------------------------------------
// Exports

// The route planner over the waterway network. folder: the planner's data folder. None of the
// objects is owned; userDb is the user's waypoint database. The four values and obj6 are 0
// and nil from the environment.
KVLIB_API IWptPlanner *WptPlannerCreate(const TStrWRec &folder, IChartManager *cm,
                                        IWptDatabase *userDb, IWWNetwork *net, int32_t v8,
                                        int32_t v7, NavObject *obj6, int32_t v5, int32_t v4);
