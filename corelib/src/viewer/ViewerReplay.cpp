#include "viewer/ViewerReplay.h"


#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kv::render {

namespace {

TGeoPoint Radians(const TTrackPoint &tp) {
    return {tp.Lat / TrackPointUnitsPerRadian, tp.Lon / TrackPointUnitsPerRadian};
}

}  // namespace

bool ReplayPoseAt(INavTrack &track, TDateTime utc, TOwnShip &pose) {
    const int32_t count = track.GetPointCount();
    if (count <= 0 || !track.HasTimes() || !std::isfinite(utc)) return false;
    const int32_t at = std::clamp(track.IndexAtTime(utc), 0, count - 1);
    const TTrackPoint *a = track.GetPoint(at);
    const TTrackPoint *b = at + 1 < count ? track.GetPoint(at + 1) : nullptr;
    if (!a) return false;
    TGeoPoint position = Radians(*a);
    if (b && utc > a->Time && b->Time > a->Time) {
        const double f = std::min(1.0, (utc - a->Time) / (b->Time - a->Time));
        const TGeoPoint next = Radians(*b);
        position.Lat += (next.Lat - position.Lat) * f;
        // The short way round across the date line.
        position.Lon += std::remainder(next.Lon - position.Lon, 2 * M_PI) * f;
    }
    float speed = 0.0f, course = 0.0f;
    track.GetMotionAt(std::clamp(utc, track.GetStartTime(), track.GetEndTime()), speed, course);
    pose = TOwnShip{};
    pose.HasPosition = true;
    pose.Position = position;
    pose.CourseRad = course;
    pose.HeadingRad = course;
    pose.SpeedMS = speed;
    pose.Fix = true;
    return true;
}

void TReplayLineCache::Update(INavTrack &track, double metresPerPixel) {
    const int32_t count = track.GetPointCount();
    const TTrackPoint *lastPoint = count > 0 ? track.GetPoint(count - 1) : nullptr;
    const TDateTime lastTime = lastPoint ? lastPoint->Time : 0.0;
    if (&track == FTrack && count == FCount && lastTime == FLastTime && metresPerPixel == FMetresPerPixel) return;
    FTrack = &track;
    FCount = count;
    FLastTime = lastTime;
    FMetresPerPixel = metresPerPixel;
    Points.clear();
    Index.clear();
    const double tolerance = 0.5 * metresPerPixel;
    for (int32_t i = 0; i < count; ++i) {
        const TTrackPoint *tp = track.GetPoint(i);
        if (!tp) break;
        const QPointF m = GeoToMercator(Radians(*tp));
        const bool near = !Points.empty() && std::abs(m.x() - Points.back().x()) < tolerance &&
                          std::abs(m.y() - Points.back().y()) < tolerance;
        if (near && i != count - 1) continue;
        Points.push_back(m);
        Index.push_back(i);
    }
}

void DrawReplay(QPainter &p, const TViewState &v, INavTrack &track, TDateTime utc, bool complete, qreal width,
                const TOwnShipStyle &style, TReplayLineCache &cache) {
    TOwnShip pose;
    if (!ReplayPoseAt(track, utc, pose)) return;
    const QTransform toPixel = v.ToPixel();
    cache.Update(track, v.MetresPerPixel);
    // The kept points up to the boat's leg, then the boat.
    size_t kept = cache.Points.size();
    if (!complete) {
        const int32_t last = track.IndexAtTime(utc);
        kept = size_t(std::upper_bound(cache.Index.begin(), cache.Index.end(), last) - cache.Index.begin());
    }
    // Only the legs that cross the view are mapped and drawn.
    const double pad = 2.0 * v.MetresPerPixel * std::max<qreal>(width, 1.0);
    const QRectF box = v.MercatorBounds().adjusted(-pad, -pad, pad, pad);
    const QPointF boat = GeoToMercator(pose.Position);
    const size_t total = kept + (complete ? 0 : 1);
    auto at = [&](size_t i) { return i < kept ? cache.Points[i] : boat; };
    const uint32_t rgb = track.GetColor();  // red in the low byte
    QPen pen(QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF), width);
    pen.setJoinStyle(Qt::RoundJoin);
    p.save();
    p.setPen(pen);
    QPolygonF run;
    auto flush = [&] {
        if (run.size() > 1) p.drawPolyline(run);
        run.clear();
    };
    for (size_t i = 1; i < total; ++i) {
        const QPointF a = at(i - 1), b = at(i);
        const QRectF leg = QRectF(a, b).normalized();
        if (leg.right() < box.left() || leg.left() > box.right() || leg.bottom() < box.top() || leg.top() > box.bottom()) {
            flush();
            continue;
        }
        if (run.isEmpty()) run << toPixel.map(a);
        run << toPixel.map(b);
    }
    flush();
    p.restore();
    DrawOwnShip(p, v, pose, style);
}

}  // namespace kv::render
