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

void DrawReplay(QPainter &p, const TViewState &v, INavTrack &track, TDateTime utc, bool complete, qreal width,
                const TOwnShipStyle &style) {
    TOwnShip pose;
    if (!ReplayPoseAt(track, utc, pose)) return;
    const QTransform toPixel = v.ToPixel();
    const int32_t count = track.GetPointCount();
    const int32_t last = complete ? count - 1 : std::clamp(track.IndexAtTime(utc), 0, count - 1);
    QPolygonF line;
    line.reserve(last + 2);
    for (int32_t i = 0; i <= last; ++i)
        if (const TTrackPoint *tp = track.GetPoint(i)) line << toPixel.map(GeoToMercator(Radians(*tp)));
    if (!complete) line << toPixel.map(GeoToMercator(pose.Position));
    const uint32_t rgb = track.GetColor();  // red in the low byte
    QPen pen(QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF), width);
    pen.setJoinStyle(Qt::RoundJoin);
    p.save();
    p.setPen(pen);
    p.drawPolyline(line);
    p.restore();
    DrawOwnShip(p, v, pose, style);
}

}  // namespace kv::render
