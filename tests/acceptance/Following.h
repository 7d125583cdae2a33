// The skipper's own ship set at a marina through the chart's context menu, and the route
// shown in the route table started and sailed with the simulator.
#pragma once

#include "DemoData.h"

class TFormMarivo6Main;

namespace acceptance {

class TScenarioRun;

// Six knots, in metres a second.
inline constexpr float SixKnots = 6.0f * 1852.0f / 3600.0f;

// The chart's context menu at the marina, GPS -> "Set GPS position".
void SetShipAt(TFormMarivo6Main &main, const demo::TMarina &marina);
// The navigation panel shown, the route started, the simulator sailing it at the speed given.
void SailTheRouteWithTheSimulator(TFormMarivo6Main &main, float metresPerSecond);
// Adds the steps from the charts drawn to the simulator sailing: the fastest route of a boat
// 3 m high planned from Saltmere Yacht Haven to Dunmeer Marina, the own ship set at the yacht
// haven, the route started and sailed at six knots.
void PlanTheDayAndSail(TScenarioRun &run);

}  // namespace acceptance
