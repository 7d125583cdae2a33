#include "viewer/RenderView.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace kv::render {

void ClearUpperVectorState() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) __asm__ volatile("vzeroupper" ::: "memory");
#endif
}

double MercatorY(double lat) {
    lat = std::clamp(lat, -MaxMercLat, MaxMercLat);
    const double s = std::sin(lat);
    return WgsA * (std::atanh(s) - WgsE * std::atanh(WgsE * s));
}

double MercatorLat(double y) {
    // Conformal latitude, the series that inverts it, and one Newton step on the forward
    // formula: exact to the last bits at a few transcendental calls, which matters because
    // the raster resampler calls this thousands of times per frame.
    const double chi = M_PI / 2 - 2 * std::atan(std::exp(-y / WgsA));
    constexpr double e2 = WgsE * WgsE, e4 = e2 * e2, e6 = e4 * e2, e8 = e4 * e4;
    constexpr double c2 = e2 / 2 + 5 * e4 / 24 + e6 / 12 + 13 * e8 / 360;
    constexpr double c4 = 7 * e4 / 48 + 29 * e6 / 240 + 811 * e8 / 11520;
    constexpr double c6 = 7 * e6 / 120 + 81 * e8 / 1120;
    constexpr double c8 = 4279 * e8 / 161280;
    double lat = chi + c2 * std::sin(2 * chi) + c4 * std::sin(4 * chi) + c6 * std::sin(6 * chi) +
                 c8 * std::sin(8 * chi);
    const double c = std::cos(lat);
    if (c > 1e-9) {
        const double s = std::sin(lat);
        const double f = WgsA * (std::atanh(s) - WgsE * std::atanh(WgsE * s)) - y;
        const double slope = WgsA * (1 - e2) / ((1 - e2 * s * s) * c);
        lat -= f / slope;
    }
    return lat;
}

QPointF GeoToMercator(const TGeoPoint &geo) { return QPointF(MercatorX(geo.Lon), MercatorY(geo.Lat)); }

TGeoPoint MercatorToGeo(const QPointF &m) { return TGeoPoint{MercatorLat(m.y()), MercatorLon(m.x())}; }

double MercatorScaleFactor(double lat) {
    const double s = std::sin(lat);
    return std::sqrt(1 - WgsE * WgsE * s * s) / std::max(1e-9, std::cos(lat));
}

TWorldShifts WorldShiftsMeeting(const QRectF &box, const QRectF &area) {
    constexpr int MaxCopies = 4;
    TWorldShifts s;
    const QRectF b = box.normalized(), a = area.normalized();
    if (b.isNull()) return s;  // no box: the chart's extent is unknown
    if (b.top() > a.bottom() || b.bottom() < a.top()) return s;
    // Touching counts as meeting, so that a point on an edge and a zero-width box are found.
    s.First = int(std::ceil((a.left() - b.right()) / WorldWidth));
    s.Last = int(std::floor((a.right() - b.left()) / WorldWidth));
    s.Last = std::min(s.Last, s.First + MaxCopies - 1);
    return s;
}

QTransform TViewState::ToPixel() const {
    const double c = std::cos(Rotation) / MetresPerPixel, s = std::sin(Rotation) / MetresPerPixel;
    // x' = c·X + s·Y + dx, y' = s·X − c·Y + dy (y of the plane runs north, pixels run down).
    const double dx = Width / 2.0 - (c * Center.x() + s * Center.y());
    const double dy = Height / 2.0 - (s * Center.x() - c * Center.y());
    return QTransform(c, s, s, -c, dx, dy);
}

QRectF TViewState::MercatorBounds() const {
    const QPolygonF corners = ToMercator().map(QPolygonF(QRectF(0, 0, Width, Height)));
    return corners.boundingRect();
}

void TViewState::Place(const QPointF &m, const QPointF &pixel) {
    // The centre moves by the Mercator offset between where m lies and where it should.
    const QPointF now = ToPixel().map(m);
    const QTransform back = ToMercator();
    const QPointF delta = back.map(now) - back.map(pixel);
    Center += delta;
}

}  // namespace kv::render
