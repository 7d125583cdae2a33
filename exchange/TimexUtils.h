// One recorded data-recorder session turned into a track with one point per second. The
// recorder writes a record every 3.57 s: occasional fixes and, in between, motion samples
// (speed, heading). From the first fix after the boat began to move, speed and heading are
// integrated (dead reckoning) in blocks of four samples, each block pulled onto the
// interpolated fixes, and the result is resampled at whole seconds. When no motion sample
// follows that fix, the fixes alone are interpolated. GUI thread (core library).
#pragma once

#include "exchange/KvInterpolators.h"
#include "exchange/Timex.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvTracks.h>

#include <cstdint>

namespace TimexTiming {
inline constexpr double SampleSeconds = 3.57;
inline constexpr double HalfSampleSeconds = 1.785;
inline constexpr double BlockSeconds = 14.28;
}  // namespace TimexTiming

// A new track (the caller owns it, also when err is set) with times, named after its start
// time plus utcOffsetMin in "yyyy-mm-dd, hh.nn.ss". A point the track refuses stops the
// conversion with err set and the track left without a name.
INavTrack *ConvertTimexSessionToTrack(const TTimexSession &session, int32_t utcOffsetMin,
                                      int32_t &err);
// The computed track in local metres (first coordinate north, second east) over seconds since
// the origin record into outFirst and outSecond; the start time of that record and the local
// frame around the origin fix.
void BuildTimexTrackSamples(const TTimexSession &session, TValueInterpolator &outFirst,
                            TValueInterpolator &outSecond, TDateTime &startTime,
                            THorizontalRef &ref);
// Dead reckoning from speed (m/s) and heading (rad) pulled onto the positions first/second,
// all over seconds; output every 3.57 s into outFirst and outSecond. Without two positions
// nothing is done; without speeds or headings the positions alone are interpolated.
void IntegrateTimexTrack(TValueInterpolator &first, TValueInterpolator &second,
                         TValueInterpolator &speed, TValueInterpolator &heading,
                         TValueInterpolator &outFirst, TValueInterpolator &outSecond);
// Displacement in metres of one sample at heading (rad from north) and speed (m/s).
TDouble2 TimexStepDisplacement(float heading, float speed);
