// Settings store: the library's route defaults, the planner's stored values, the route
// editing modes, the user's own waiting times at waterway structures and the sailing area.
//
// Free routines without state under the product root, keys "Routes",
// "RouteNetwork\CustomWaitTimes" and "Desktop\SailingArea". Readers never fail (missing or
// unknown stored values give the defaults or fallbacks named below); writers ignore registry
// errors and write every value. GUI thread only.
#pragma once

#include <KvLibNav6/KvTypes.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWaypoints.h>

#include <cstdint>

class IWptPlanner;
class IWWNetwork;

// Fills every field of defaults. Enumerations keep only the values the writer stores
// (anything else gives the field's fallback, 0 or for SrcWind 2); a negative river current
// factor reads as 0. Fields the store does not keep are set to 0.
void RegReadRouteDefaults(TWptRouteDefaults &defaults);
void RegWriteRouteDefaults(const TWptRouteDefaults &defaults);

// Bridge and lock delays, the NAP water level and the speed-limit flag come from the store;
// the other ten values are set to 0 / False (only these four persist). Then resets the
// planner's values 44 and 45; planner (not owned) may be nullptr.
void RegReadPlannerSettings(IWptPlanner *planner, TPlannerSettings &settings);
// Stores DelayBridges, DelayLocks, NAPWaterLevel and ImposeSpeedLimit.
void RegWritePlannerSettings(const TPlannerSettings &settings);

// Route editing options of the chart viewer (TFrameViewer route-edit flags).
namespace RouteEditFlag {
inline constexpr int32_t AddPoints = 0x1;
inline constexpr int32_t DeletePoints = 0x2;
inline constexpr int32_t MovePoints = 0x4;
inline constexpr int32_t EditVectors = 0x8;
}  // namespace RouteEditFlag
// Adding, moving and vectors default to on, deleting to off (13 on a first start).
int32_t RegReadEditPointModes();
void RegWriteEditPointModes(int32_t flags);

// Applies every stored waiting time (seconds) to its structure in network (not owned).
// Names that are no GUID, structures the network does not know and structures whose kind
// takes no waiting time (only bridges, locks, non-physical barriers and ship tunnels do)
// are skipped.
void RegReadCustomWaitTimes(IWWNetwork *network);
// Stores the user's waiting time at one structure; a negative time removes it.
void RegWriteCustomWaitTime(const TGUID &structure, int32_t seconds);

// The countries of the sailing area: bit n of the set is country n.
namespace SailingArea {
inline constexpr int32_t Austria = 0;
inline constexpr int32_t Belgium = 1;
inline constexpr int32_t Bulgaria = 2;
inline constexpr int32_t Croatia = 3;
inline constexpr int32_t CzechRepublic = 4;
inline constexpr int32_t France = 5;
inline constexpr int32_t Germany = 6;
inline constexpr int32_t Hungary = 7;
inline constexpr int32_t Netherlands = 8;
inline constexpr int32_t Poland = 9;
inline constexpr int32_t Romania = 10;
inline constexpr int32_t Serbia = 11;
inline constexpr int32_t Slovakia = 12;
inline constexpr int32_t Switzerland = 13;
inline constexpr int32_t Count = 14;
// Only the Netherlands.
inline constexpr uint16_t DefaultSet = 0x0100;
}  // namespace SailingArea
// Bits 14 and 15 are always clear.
void RegReadSailingAreas(uint16_t &areas);
// Bits 14 and 15 are ignored.
void RegWriteSailingAreas(uint16_t areas);
