// The rows of the route table, built from a route and its plan. A row copies what it shows
// from the plan at build time: the planner frees a route's plan objects when it plans again,
// and a repaint may come before the rebuild that follows. Rows keep only objects that outlive
// a plan (route points, structures, sections, fairway parts, waypoints).
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <cstdint>
#include <optional>
#include <vector>

class ILPBoatDef;
class IWWFairwayPart;
class IWWSection;
class IWWStruct;
class IWptRoute;
class IWptRoutePoint;
class IWptWaypoint;
struct TNavRouteData;

// TRteNodeData::Kind.
namespace RteNodeKind {
inline constexpr int32_t Notice = 0;
inline constexpr int32_t Obstacle = 2;
inline constexpr int32_t RoutePoint = 3;
inline constexpr int32_t Turn = 4;
inline constexpr int32_t SailingStop = 5;
inline constexpr int32_t Structure = 6;
inline constexpr int32_t Marina = 7;
}  // namespace RteNodeKind

inline constexpr int32_t RteLegKindUnknown = 2147483647;

// Filter numbers ("Filter") and their masks.
namespace RteFilter {
inline constexpr int32_t All = 0;
inline constexpr int32_t BridgesAndLocks = 1;
inline constexpr int32_t BridgesToOperate = 2;
inline constexpr int32_t RoutePointsOnly = 3;
inline constexpr int32_t ObstaclesOnly = 4;
inline constexpr int32_t Count = 5;
}  // namespace RteFilter
uint16_t RteFilterMask(int32_t filter);

// A planned moment as the row needs it.
struct TRteTime {
    double DistanceM = 0.0;
    double Consumption = 0.0;
    TDateTime TimeUTC = 0.0;
    bool HasPosition = false;
    TGeoPoint Position{};  // radians
};

struct TRteNodeData {
    int32_t Kind = RteNodeKind::RoutePoint;
    bool Direct = false;
    int32_t State = -1;
    int32_t LegKind = RteLegKindUnknown;
    std::optional<TRteTime> Arrival;
    std::optional<TRteTime> Departure;  // the arrival where the row is not left later
    IWptRoutePoint *Point = nullptr;
    int32_t PointIndex = -1;  // the point's index when the row was built
    IWWFairwayPart *FairwayPart = nullptr;
    int32_t Reason = -1;  // carried blocking reason of turn rows

    // Copied from the route object the row was built from (HasItem).
    bool HasItem = false;
    int32_t ItemKind = -1;
    int32_t BlockReason = -1;
    int32_t Icon = -1;
    IWWStruct *Struct = nullptr;
    int32_t StructKind = -1, StructOtherType = -1;
    bool NeedsOperation = false;
    IWWSection *Section = nullptr;
    double SectionPosition = 0.0;
    int32_t NoticeId = 0;
    IWptWaypoint *Waypoint = nullptr;
    // Where the object sits in the plan: the index of the plan point whose object list holds
    // it, and its index in that list.
    int32_t PlanIndex = -1, ObjectIndex = -1;

    // Route-point rows: the direct leg's course (radians) when the plan gives one.
    std::optional<float> Course;

    bool Visible = true;

    bool Blocks() const { return HasItem && BlockReason > 0; }
    // Red in the table: a point not planned normally, a blocking object, a carried reason.
    bool Warns() const {
        return (Kind == RteNodeKind::RoutePoint && State != 0) || Blocks() || Reason >= 7;
    }
};

// What the structure rule needs besides the route.
struct TRteBuildContext {
    IWptRoute *Route = nullptr;
    bool Followed = false;  // the route is the one being followed
    ILPBoatDef *BoatDef = nullptr;
    float NAPWaterLevel = 0.0f;
    uint16_t Mask = 0x01FF;
};

std::vector<TRteNodeData> RteBuildRows(const TRteBuildContext &context);
// The row's route point while it is still the route's point at its index; nullptr once the
// point was deleted or moved (the rows are rebuilt when the notice arrives, but a repaint
// may come first).
IWptRoutePoint *RteLivePoint(const TRteNodeData &row, IWptRoute *route);
bool RteRowVisible(const TRteNodeData &row, uint16_t mask);
void RteApplyMask(std::vector<TRteNodeData> &rows, uint16_t mask);

// The route object the ship heads for, as (plan index, object index); (-1, -1) when none.
struct TRteCurrent {
    int32_t PlanIndex = -1, ObjectIndex = -1;
    IWptRoutePoint *Target = nullptr;
};
TRteCurrent RteCurrentOf(const TNavRouteData *nav, IWptRoutePoint *target);
bool RteIsCurrentObject(const TRteNodeData &row, const TRteCurrent &current);
// The row the ship is heading for (-1 when none): a point row whose point is the target, an
// object row holding the current object, or the first visible row after it when it is
// hidden.
int RteHeadingForRow(const std::vector<TRteNodeData> &rows, const TRteCurrent &current);
// Whether the row is painted as the one headed for: its own object is current, or one of
// the hidden rows directly before it holds it.
bool RteRowMarkedCurrent(const std::vector<TRteNodeData> &rows, int row,
                         const TRteCurrent &current);
