#include "chartview/NavPlanningTime.h"

#include "shell/MarivoNavEnv.h"

bool PlanningTimeApplies(TMarivoNavEnv &env) {
    return env.RouteExploreMode && env.PredictedTime && env.PredictedTime->GetTimeOffset() > 0;
}
