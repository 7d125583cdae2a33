// A track replayed in the navigation viewer: where the boat was at the replay time, and the
// track drawn up to that time with the boat on it. The same pixels of the view as the other
// overlays (TViewState), so a print page would show the replay as the screen does.
#pragma once

#include "viewer/RenderOverlay.h"

#include "KvLibNav6/KvTracks.h"

#include <QPointF>
#include <vector>

class QPainter;

namespace kv::render {

// The boat on a replayed track at a time (UTC): the position interpolated in time between
// the points around it, the course and speed of that leg. Before the first point the boat
// stands on it, after the last on that one. False for a track without points or times.
bool ReplayPoseAt(INavTrack &track, TDateTime utc, TOwnShip &pose);

// A replayed track in Mercator metres, thinned to half a pixel at one scale: a point
// closer than that to the last one kept falls away (the track's last point always stays).
// Made again when the track, its length or the scale changes; a pan or a turn of the view
// keeps it, so a view that follows the boat maps only the kept points.
class TReplayLineCache {
public:
    void Update(INavTrack &track, double metresPerPixel);
    std::vector<QPointF> Points;
    std::vector<int32_t> Index;  // the track point each kept point stands for, ascending

private:
    INavTrack *FTrack = nullptr;
    int32_t FCount = -1;
    TDateTime FLastTime = 0.0;
    double FMetresPerPixel = 0.0;
};

// The track from its first point to the boat's place at the time (all of it when complete),
// in the track's colour and the given width; then the boat.
void DrawReplay(QPainter &p, const TViewState &v, INavTrack &track, TDateTime utc, bool complete, qreal width,
                const TOwnShipStyle &style, TReplayLineCache &cache);

}  // namespace kv::render
