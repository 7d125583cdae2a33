// The own ship's library-side seams beyond INavBoat: the track-recording thresholds and the
// arrival times of the followed route. GUI thread only.
#pragma once

#include "kernel/TestApi.h"

#include "KvLibNav6/KvNavBoat.h"

namespace kv {

// The attached track gets a point when at least intervalSec passed and the ship moved at
// least distanceM since the last recorded point (the first position is always recorded).
// The interval is also INavBoatGPS::SetTuning110; the distance defaults to 10 m.
KVLIB_TEST_API void NavBoatSetTrackRecording(INavBoat *boat, float intervalSec, float distanceM);

// Arrival at the target point and at the last point of the followed route at the current
// speed; false (outputs unchanged) while either is unknown.
// The boat definition the ship was made with (nullptr for a ship not made by this library).
ILPBoatDef *NavBoatDefOf(INavBoat *boat);

KVLIB_TEST_API bool NavRouteGetArrivalTimes(INavRouteNavigation *rn, TDateTime &atTargetUtc,
                                       TDateTime &atEndUtc);

// The boat definition the own ship was created with; nullptr for another INavBoat.
ILPBoatDef *NavBoatGetBoatDef(INavBoat *boat);

}  // namespace kv
