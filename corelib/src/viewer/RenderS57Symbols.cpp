#include "viewer/RenderS57Symbols.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace kv::render {

namespace {
constexpr double RadPerDeg = M_PI / 180.0;
}  // namespace

TS52Colour TokenOfColour(int code) {
    switch (code) {
    case 1: return TS52Colour::White;
    case 2: return TS52Colour::Black;
    case 3: return TS52Colour::Red;
    case 4: return TS52Colour::Green;
    case 6: return TS52Colour::Yellow;
    case 11: return TS52Colour::Orange;
    case 12: case 10: case 13: return TS52Colour::Magenta;
    default: return TS52Colour::Grey;
    }
}

QPen Cosmetic(const QColor &c, double width, Qt::PenStyle style) {
    QPen pen(c, width, style);
    pen.setCosmetic(true);
    return pen;
}

void DrawBuoy(QPainter &pt, QPointF at, const TS57Feature &f, int32_t scheme) {
    const QColor fill = S52Colour(TokenOfColour(f.Colours.value(0, 7)), scheme);
    const QColor band = f.Colours.size() > 1 ? S52Colour(TokenOfColour(f.Colours[1]), scheme) : fill;
    pt.setPen(Cosmetic(S52Colour(TS52Colour::Black, scheme), 1));
    pt.setBrush(fill);
    QPolygonF shape;
    switch (f.Shape) {
    case 1:  // conical
        shape << at + QPointF(-5, 0) << at + QPointF(5, 0) << at + QPointF(0, -11);
        break;
    case 2:  // can
        shape << at + QPointF(-5, 0) << at + QPointF(5, 0) << at + QPointF(4, -9) << at + QPointF(-4, -9);
        break;
    case 4:  // pillar
    case 7:
        shape << at + QPointF(-5, 0) << at + QPointF(5, 0) << at + QPointF(2, -13) << at + QPointF(-2, -13);
        break;
    case 5:  // spar
        shape << at + QPointF(-2, 0) << at + QPointF(2, 0) << at + QPointF(2, -13) << at + QPointF(-2, -13);
        break;
    default:
        pt.drawEllipse(at + QPointF(0, -5), 5, 5);
        break;
    }
    if (!shape.isEmpty()) pt.drawPolygon(shape);
    if (band != fill) {
        pt.setBrush(band);
        pt.drawRect(QRectF(at + QPointF(-3, -6), QSizeF(6, 2.5)));
    }
    pt.setBrush(Qt::NoBrush);
    pt.drawEllipse(at, 1.5, 1.5);
}

void DrawBeacon(QPainter &pt, QPointF at, const TS57Feature &f, int32_t scheme) {
    const QColor fill = S52Colour(TokenOfColour(f.Colours.value(0, 2)), scheme);
    pt.setPen(Cosmetic(S52Colour(TS52Colour::Black, scheme), 1));
    pt.setBrush(fill);
    pt.drawRect(QRectF(at + QPointF(-1.5, -14), QSizeF(3, 14)));
    pt.drawEllipse(at + QPointF(0, -15), 3, 3);
    pt.drawLine(at + QPointF(-4, 0), at + QPointF(4, 0));
}

namespace {

// Fills the shape in the mark's first colour, its lower half in the second where there is one,
// and edges it in a darker tone so that white and yellow marks stand out from pale water.
void DrawSimplifiedShape(QPainter &pt, const QPainterPath &shape, const TS57Feature &f, int defaultColour,
                         int32_t scheme) {
    const QColor fill = S52Colour(TokenOfColour(f.Colours.value(0, defaultColour)), scheme);
    pt.setPen(Qt::NoPen);
    pt.setBrush(fill);
    pt.drawPath(shape);
    if (f.Colours.size() > 1) {
        const QRectF box = shape.boundingRect();
        QPainterPath lower;
        lower.addRect(QRectF(box.left(), box.center().y(), box.width(), box.height() / 2));
        pt.setBrush(S52Colour(TokenOfColour(f.Colours[1]), scheme));
        pt.drawPath(shape.intersected(lower));
    }
    pt.setPen(Cosmetic(fill.darker(170), 1));
    pt.setBrush(Qt::NoBrush);
    pt.drawPath(shape);
}

}  // namespace

void DrawSimplifiedBuoy(QPainter &pt, QPointF at, const TS57Feature &f, int32_t scheme) {
    QPainterPath shape;
    switch (f.Shape) {
    case 1:  // conical
        shape.addPolygon(QPolygonF{at + QPointF(-5, 4), at + QPointF(5, 4), at + QPointF(0, -6)});
        shape.closeSubpath();
        break;
    case 2:  // can
        shape.addRect(QRectF(at - QPointF(4.5, 4.5), QSizeF(9, 9)));
        break;
    case 4:  // pillar
        shape.addRect(QRectF(at - QPointF(3, 6), QSizeF(6, 12)));
        break;
    case 5:  // spar
        shape.addRect(QRectF(at - QPointF(1.5, 7), QSizeF(3, 14)));
        break;
    case 6:  // barrel
        shape.addRect(QRectF(at - QPointF(6, 3), QSizeF(12, 6)));
        break;
    case 7:  // super-buoy
        shape.addEllipse(at, 7, 7);
        break;
    default:  // spherical, ice buoy, unknown
        shape.addEllipse(at, 4.5, 4.5);
        break;
    }
    DrawSimplifiedShape(pt, shape, f, 7, scheme);
}

void DrawSimplifiedBeacon(QPainter &pt, QPointF at, const TS57Feature &f, int32_t scheme) {
    QPainterPath shape;
    switch (f.Shape) {
    case 1:  // stake or pole
    case 2:  // withy
    case 5:  // pile
        shape.addRect(QRectF(at - QPointF(1.5, 6), QSizeF(3, 12)));
        break;
    default:  // towers, lattice beacons, cairns
        shape.addRect(QRectF(at - QPointF(3.5, 3.5), QSizeF(7, 7)));
        break;
    }
    DrawSimplifiedShape(pt, shape, f, 2, scheme);
}

double LightSectorRadius(const TS57Feature &f, const TS57DrawParams &p) {
    constexpr double FixedRadius = 25.0;
    // A radius beyond the view's diagonal draws nothing more but costs a huge arc.
    constexpr double MaxRadius = 4000.0;
    if (!p.LightSectors) return 0.0;
    if (p.SectorPixelsPerHeightM <= 0 || f.Height <= 0) return FixedRadius;
    return std::clamp(f.Height * p.SectorPixelsPerHeightM, 4.0, MaxRadius);
}

void DrawLight(QPainter &pt, QPointF at, const TS57Feature &f, int32_t scheme, double sectorRadius) {
    const int code = f.Colours.value(0, 6);
    const QColor c = code == 3 ? S52Colour(TS52Colour::Red, scheme)
                     : code == 4 ? S52Colour(TS52Colour::Green, scheme)
                                 : S52Colour(TS52Colour::LightFlare, scheme);
    if (f.Sector1 >= 0 && f.Sector2 >= 0 && sectorRadius > 0) {
        // Sector limits are bearings from seaward towards the light.
        const double r = sectorRadius;
        pt.setPen(Cosmetic(S52Colour(TS52Colour::Black, scheme), 1, Qt::DashLine));
        for (double b : {f.Sector1, f.Sector2}) {
            const double a = (b + 180.0) * RadPerDeg;
            pt.drawLine(at, at + QPointF(std::sin(a) * r * 1.6, -std::cos(a) * r * 1.6));
        }
        double span = std::fmod(f.Sector2 - f.Sector1 + 360.0, 360.0);
        if (span == 0) span = 360.0;
        const double startQt = 90.0 - (f.Sector1 + 180.0);  // Qt: degrees counter-clockwise from 3 o'clock
        pt.setPen(Cosmetic(c, 3));
        pt.drawArc(QRectF(at - QPointF(r, r), QSizeF(2 * r, 2 * r)), int(startQt * 16), int(-span * 16));
        return;
    }
    QPainterPath flare;
    flare.moveTo(0, 0);
    flare.cubicTo(3, -6, 4, -12, 0, -16);
    flare.cubicTo(-4, -12, -3, -6, 0, 0);
    pt.save();
    pt.translate(at);
    pt.rotate(135);
    pt.setPen(Cosmetic(S52Colour(TS52Colour::Black, scheme), 0.8));
    pt.setBrush(c);
    pt.drawPath(flare);
    pt.restore();
}

void DrawDanger(QPainter &pt, QPointF at, int32_t scheme) {
    pt.setPen(Cosmetic(S52Colour(TS52Colour::Black, scheme), 1.2));
    pt.drawLine(at + QPointF(-4, 0), at + QPointF(4, 0));
    pt.drawLine(at + QPointF(0, -4), at + QPointF(0, 4));
    pt.drawLine(at + QPointF(-3, -3), at + QPointF(3, 3));
    pt.drawLine(at + QPointF(-3, 3), at + QPointF(3, -3));
}

void DrawMarina(QPainter &pt, QPointF at, int32_t scheme) {
    const QColor c = S52Colour(TS52Colour::Magenta, scheme);
    pt.setPen(Cosmetic(c, 1.3));
    pt.setBrush(Qt::NoBrush);
    QPainterPath hull;
    hull.moveTo(at + QPointF(-7, 1));
    hull.quadTo(at + QPointF(0, 6), at + QPointF(7, 1));
    hull.closeSubpath();
    pt.drawPath(hull);
    pt.drawLine(at + QPointF(0, 1), at + QPointF(0, -11));
    QPolygonF sail;
    sail << at + QPointF(1.5, -10) << at + QPointF(1.5, -1) << at + QPointF(7, -1);
    pt.setBrush(c);
    pt.drawPolygon(sail);
    pt.setBrush(Qt::NoBrush);
}

void DrawGatePoint(QPainter &pt, QPointF at, int32_t scheme) {
    pt.setPen(Cosmetic(S52Colour(TS52Colour::Black, scheme), 2.5));
    pt.drawLine(at + QPointF(-5, 0), at + QPointF(5, 0));
    pt.setPen(Cosmetic(S52Colour(TS52Colour::Black, scheme), 1));
    pt.drawLine(at + QPointF(-5, -3), at + QPointF(-5, 3));
    pt.drawLine(at + QPointF(5, -3), at + QPointF(5, 3));
}

void DrawOpeningSpan(QPainter &pt, QPointF at, QPointF along, int32_t scheme) {
    const double len = std::hypot(along.x(), along.y());
    if (!(len > 0)) along = QPointF(1, 0);
    else along /= len;
    // Both leaves hinge a few pixels either side of the middle and stand up across it.
    QPointF up(-along.y(), along.x());
    if (up.y() > 0) up = -up;
    pt.setPen(Cosmetic(S52Colour(TS52Colour::Black, scheme), 1.5));
    pt.setBrush(Qt::NoBrush);
    for (double side : {-1.0, 1.0}) {
        const QPointF hinge = at + along * (4.0 * side);
        pt.drawLine(hinge, hinge + up * 7.0 - along * (2.5 * side));
    }
}

}  // namespace kv::render
