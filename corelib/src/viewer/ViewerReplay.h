// A track replayed in the navigation viewer: where the boat was at the replay time, and the
// track drawn up to that time with the boat on it. The same pixels of the view as the other
// overlays (TViewState), so a print page would show the replay as the screen does.
#pragma once

#include "viewer/RenderOverlay.h"

#include "KvLibNav6/KvTracks.h"

class QPainter;

namespace kv::render {

// The boat on a replayed track at a time (UTC): the position interpolated in time between
// the points around it, the course and speed of that leg. Before the first point the boat
// stands on it, after the last on that one. False for a track without points or times.
bool ReplayPoseAt(INavTrack &track, TDateTime utc, TOwnShip &pose);

// The track from its first point to the boat's place at the time (all of it when complete),
// in the track's colour and the given width; then the boat.
void DrawReplay(QPainter &p, const TViewState &v, INavTrack &track, TDateTime utc, bool complete, qreal width,
                const TOwnShipStyle &style);

}  // namespace kv::render
