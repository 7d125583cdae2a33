#include "RenderView.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace kv::render {

double MercatorY(double lat) {
    lat = std::clamp(lat, -MaxMercLat, MaxMercLat);
    const double s = std::sin(lat);
    return WgsA * (std::atanh(s) - WgsE * std::atanh(WgsE * s));
}

double MercatorLat(double y) {
    // Fixed-point iteration on the conformal latitude; converges to 1e-12 in a few steps.
    const double t = std::exp(-y / WgsA);
    double lat = M_PI / 2 - 2 * std::atan(t);
    for (int i = 0; i < 15; ++i) {
        const double es = WgsE * std::sin(lat);
        const double next = M_PI / 2 - 2 * std::atan(t * std::pow((1 - es) / (1 + es), WgsE / 2));
        if (std::fabs(next - lat) < 1e-13) return next;
        lat = next;
    }
    return lat;
}

QPointF GeoToMercator(const TGeoPoint &geo) { return QPointF(MercatorX(geo.Lon), MercatorY(geo.Lat)); }

TGeoPoint MercatorToGeo(const QPointF &m) { return TGeoPoint{MercatorLat(m.y()), MercatorLon(m.x())}; }

double MercatorScaleFactor(double lat) {
    const double s = std::sin(lat);
    return std::sqrt(1 - WgsE * WgsE * s * s) / std::max(1e-9, std::cos(lat));
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
