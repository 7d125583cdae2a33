// The one rule every navigation block shares for the planning time: in route-explore mode,
// once the planned moment lies ahead of now, a block shows the plan at that moment instead
// of the live values. GUI thread.
#pragma once

class TMarivoNavEnv;

// Explore mode is on and the predicted-time object's offset is above 0.
bool PlanningTimeApplies(TMarivoNavEnv &env);
