#include "viewer/RenderOverlay.h"

#include "geodesy/GeodesyEngine.h"
#include "navigation/NavBoat.h"
#include "waypoints/WptModel.h"

#include "KvLibNav6/KvBoatDef.h"
#include "KvLibNav6/KvNavBoat.h"
#include "KvLibNav6/KvViewer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace kv::render {

// ---- alarm zones ----

std::vector<TGeoPoint> ZonePoints(IWptPolygon *zone) {
    std::vector<TGeoPoint> out;
    if (auto *z = dynamic_cast<wpt::TPolygon *>(zone))
        for (const auto &pt : z->FPoints) out.push_back(pt->Pos);
    return out;
}

QPolygonF ZonePixels(const TViewState &v, IWptPolygon *zone) {
    const QTransform toPixel = v.ToPixel();
    QPolygonF out;
    for (const TGeoPoint &g : ZonePoints(zone)) out << toPixel.map(GeoToMercator(g));
    return out;
}

void DrawAlarmZone(QPainter &p, const TViewState &v, IWptPolygon *zone, const TZoneStyle &style, bool editing,
                   const NavObject *selectedPoint) {
    const QPolygonF poly = ZonePixels(v, zone);
    if (poly.isEmpty()) return;
    p.save();
    p.setPen(QPen(QColor::fromRgba(style.Outside), editing ? 2.5 : 2.0, editing ? Qt::DashLine : Qt::SolidLine));
    if (poly.size() >= 3) {
        p.setBrush(QColor::fromRgba(style.Inside));
        p.drawPolygon(poly, Qt::OddEvenFill);
    } else {
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(poly);
    }
    if (editing) {
        auto *z = dynamic_cast<wpt::TPolygon *>(zone);
        for (qsizetype i = 0; i < poly.size(); ++i) {
            const bool selected = z && size_t(i) < z->FPoints.size() && z->FPoints[size_t(i)].get() == selectedPoint;
            p.setPen(QPen(QColor::fromRgba(style.Outside), 1.5));
            p.setBrush(selected ? QColor::fromRgba(style.Outside | 0xFF000000u) : QColor(Qt::white));
            p.drawRect(QRectF(poly[i] - QPointF(4, 4), QSizeF(8, 8)));
        }
    }
    p.restore();
}

NavObject *AlarmZonePointAt(const TViewState &v, IWptPolygon *zone, const QPointF &pixel) {
    auto *z = dynamic_cast<wpt::TPolygon *>(zone);
    if (!z) return nullptr;
    const QTransform toPixel = v.ToPixel();
    for (auto it = z->FPoints.rbegin(); it != z->FPoints.rend(); ++it)
        if (QLineF(toPixel.map(GeoToMercator((*it)->Pos)), pixel).length() <= OverlayHitRadius) return it->get();
    return nullptr;
}

bool AlarmZoneHit(const TViewState &v, IWptPolygon *zone, const QPointF &pixel) {
    const QPolygonF poly = ZonePixels(v, zone);
    if (poly.size() >= 3 && poly.containsPoint(pixel, Qt::OddEvenFill)) return true;
    for (qsizetype i = 0; i < poly.size(); ++i) {
        const QPointF a = poly[i], b = poly[(i + 1) % poly.size()];
        const QPointF d = b - a;
        const double len2 = QPointF::dotProduct(d, d);
        const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(pixel - a, d) / len2, 0.0, 1.0) : 0.0;
        if (QLineF(a + t * d, pixel).length() <= OverlayHitRadius / 2) return true;
    }
    return false;
}

// ---- own ship ----

TOwnShip OwnShipOf(INavBoat *boat) {
    TOwnShip s;
    if (!boat) return s;
    TLogbookContext ctx;
    boat->FillLogbookContext(ctx);
    s.HasPosition = ctx.HasPosition && ctx.Position.Lat != GeoPointNoPosition;
    s.Position = ctx.Position;
    s.CourseRad = ctx.CourseOverGround;
    s.SpeedMS = std::isfinite(ctx.SpeedOverGround) ? std::max(0.0f, ctx.SpeedOverGround) : 0.0;
    s.HeadingRad = ctx.Heading;
    s.Fix = ctx.CourseAndSpeedValid || boat->IsSimulating();
    if (INavBoatState *st = boat->GetState()) {
        const TVector wind = st->GetWindAbs(), rel = st->GetWindRel();
        s.WindFromRad = wind.Angle;
        s.WindSpeedMS = std::isfinite(wind.Length) ? std::max(0.0f, wind.Length) : 0.0;
        s.WindRelRad = rel.Angle;
        s.WindRelSpeedMS = std::isfinite(rel.Length) ? std::max(0.0f, rel.Length) : 0.0;
    }
    if (ILPBoatDef *def = NavBoatDefOf(boat)) s.LengthM = std::max(0.0f, def->GetLength());
    return s;
}

QPolygonF BoatCursorShape() {
    QPolygonF shape;
    for (const TFloat2 &pt : CursorBoatPoints())
        if (std::isfinite(pt.X) && std::isfinite(pt.Y)) shape << QPointF(pt.X, pt.Y);
    if (shape.size() < 3)
        shape = QPolygonF{{0, -12}, {4, -6}, {6, 0}, {5, 6}, {3, 12}, {-3, 12}, {-5, 6}, {-6, 0}, {-4, -6}, {0, -12}};
    return shape;
}

double AutoCircleSpacing(const TViewState &v) {
    const double groundPerPixel = v.MetresPerPixel / MercatorScaleFactor(MercatorLat(v.Center.y()));
    const double want = std::max(1.0, std::min(v.Width, v.Height) / 6.0 * groundPerPixel);
    double step = std::pow(10.0, std::floor(std::log10(want)));
    for (double f : {5.0, 2.0})
        if (step * f <= want) {
            step *= f;
            break;
        }
    return step;
}

namespace {

// Screen direction (unit vector, pixels) of a true bearing in this view.
QPointF ScreenDirection(const TViewState &v, double bearing) {
    const double a = v.Rotation + bearing;
    return QPointF(std::sin(a), -std::cos(a));
}

// Pixels per ground metre at the ship.
double PixelsPerMetre(const TViewState &v, const TGeoPoint &at) {
    return MercatorScaleFactor(at.Lat) / v.MetresPerPixel;
}

void DrawArrowHead(QPainter &p, const QPointF &tip, const QPointF &direction) {
    const QPointF side(-direction.y(), direction.x());
    p.drawLine(tip, tip - 8 * direction + 4 * side);
    p.drawLine(tip, tip - 8 * direction - 4 * side);
}

void DrawIMOCircles(QPainter &p, const QPointF &at, double ppm, const QColor &colour) {
    p.setPen(QPen(colour, 1));
    p.setBrush(Qt::NoBrush);
    for (double r : IMOCircleRadiiM)
        if (r * ppm >= 3) p.drawEllipse(at, r * ppm, r * ppm);
}

// The boat's outline at its true length, once that is larger than a few pixels.
void DrawScaledOutline(QPainter &p, const TViewState &v, const QPointF &at, const TOwnShip &ship, double ppm,
                       const QColor &colour) {
    const QPolygonF shape = BoatCursorShape();
    const double height = shape.boundingRect().height();
    const double length = ship.LengthM * ppm;
    if (ship.LengthM <= 0 || height <= 0 || length < 4) return;
    p.save();
    p.translate(at);
    p.rotate((v.Rotation + ship.HeadingRad) * 180 / M_PI);
    p.scale(length / height, length / height);
    p.setPen(QPen(colour, 1.5 * height / length, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(shape);
    p.restore();
}

// The true wind: an arrow blowing onto the ship, one pixel per 0.1 m/s (at least 12).
void DrawWindVector(QPainter &p, const TViewState &v, const QPointF &at, const TOwnShip &ship) {
    if (ship.WindSpeedMS <= 0.05) return;
    const QPointF towards = -ScreenDirection(v, ship.WindFromRad);  // the way the wind blows
    const double len = std::max(12.0, ship.WindSpeedMS * 10.0);
    const QPointF start = at - len * towards;
    p.setPen(QPen(QColor(0, 90, 220), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(start, at);
    DrawArrowHead(p, at, towards);
}

// The apparent wind as a vane at the bow, pointing where the wind comes from.
void DrawRelativeWindVane(QPainter &p, const TViewState &v, const QPointF &at, const TOwnShip &ship, float scale) {
    if (ship.WindRelSpeedMS <= 0.05) return;
    const QPointF bow = at + 14 * scale * ScreenDirection(v, ship.HeadingRad);
    const QPointF from = ScreenDirection(v, ship.HeadingRad + ship.WindRelRad);
    const QPointF tail = bow + 24 * from, side(-from.y(), from.x());
    p.setPen(QPen(QColor(0, 140, 60), 2));
    p.drawLine(bow, tail);
    p.setBrush(QColor(0, 140, 60));
    p.drawPolygon(QPolygonF{tail, tail - 8 * from + 5 * side, tail - 8 * from - 5 * side});
}

// The course line: from the ship along the course made good (the heading while it lies
// still) to beyond the edge of the view.
void DrawCourseLine(QPainter &p, const TViewState &v, const QPointF &at, const TOwnShip &ship,
                    const TOwnShipStyle &style) {
    const double course = ship.SpeedMS > 0.05 ? ship.CourseRad : ship.HeadingRad;
    const double reach = std::hypot(v.Width, v.Height) + std::hypot(at.x(), at.y());
    p.setPen(QPen(QColor::fromRgba(style.CourseLineColour | 0xFF000000u), std::max(0.5f, style.CourseLineWidth),
                  Qt::SolidLine, Qt::FlatCap));
    p.drawLine(at, at + reach * ScreenDirection(v, course));
}

}  // namespace

void DrawOwnShip(QPainter &p, const TViewState &v, const TOwnShip &ship, const TOwnShipStyle &style) {
    if (!ship.HasPosition) return;
    const QPointF at = v.PixelOf(ship.Position);
    const QColor colour = QColor::fromRgba((ship.Fix ? style.ColourFix : style.ColourNoFix) | 0xFF000000u);
    const double ppm = PixelsPerMetre(v, ship.Position);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    if ((style.Flags & NavViewerGPSFlag::DistanceCircles) && style.CircleCount > 0) {
        const double spacing = style.CirclesAuto || !(style.CircleSpacingM > 0) ? AutoCircleSpacing(v)
                                                                                  : double(style.CircleSpacingM);
        p.setPen(QPen(colour, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        for (int i = 1; i <= style.CircleCount; ++i) {
            const double r = spacing * i * ppm;
            if (r < 3 || r > 4 * std::max(v.Width, v.Height)) continue;
            p.drawEllipse(at, r, r);
        }
    }
    if (style.Flags & NavViewerGPSFlag::CourseLine) DrawCourseLine(p, v, at, ship, style);
    if (style.Flags & NavViewerGPSFlag::IMOCircles) DrawIMOCircles(p, at, ppm, colour);
    if (style.Flags & NavViewerGPSFlag::ScaledOutlines) DrawScaledOutline(p, v, at, ship, ppm, colour);
    if (style.Flags & NavViewerGPSFlag::Vectors) {
        if (style.Flags & NavViewerGPSFlag::VectorsWind) DrawWindVector(p, v, at, ship);
        if (style.Flags & NavViewerGPSFlag::VectorsRelWindAsVane) DrawRelativeWindVane(p, v, at, ship, style.CursorScale);
    }
    if (style.Flags & (NavViewerGPSFlag::Vectors | NavViewerGPSFlag::CourseLine)) {
        // Heading: a thin line one ship-symbol ahead; course: the track made good in the vector time.
        const double headLen = 40 * style.CursorScale;
        p.setPen(QPen(colour, 1.5));
        p.drawLine(at, at + headLen * ScreenDirection(v, ship.HeadingRad));
        if (ship.SpeedMS > 0.05) {
            const double len = std::max(10.0, ship.SpeedMS * style.VectorMinutes * 60 * ppm);
            const QPointF end = at + len * ScreenDirection(v, ship.CourseRad);
            p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(at, end);
            const QPointF back = -ScreenDirection(v, ship.CourseRad), side(-back.y(), back.x());
            p.drawLine(end, end + 8 * back + 4 * side);
            p.drawLine(end, end + 8 * back - 4 * side);
        }
    }
    p.translate(at);
    p.rotate((v.Rotation + ship.HeadingRad) * 180 / M_PI);
    p.scale(style.CursorScale, style.CursorScale);
    p.setPen(QPen(Qt::black, 1.0 / std::max(0.1f, style.CursorScale)));
    p.setBrush(colour);
    p.drawPolygon(BoatCursorShape());
    p.restore();
}

bool OwnShipHit(const TViewState &v, const TOwnShip &ship, const TOwnShipStyle &style, const QPointF &pixel) {
    if (!ship.HasPosition) return false;
    return QLineF(v.PixelOf(ship.Position), pixel).length() <= 12 * style.CursorScale + OverlayHitRadius / 2;
}

}  // namespace kv::render
