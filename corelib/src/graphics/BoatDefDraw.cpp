// The boat contour of the ship settings, seen from above with the bow up.
#include "KvLibNav6/KvBoatDef.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

constexpr double MarginPx = 4.0;
const QColor HullFill(226, 230, 236);
const QColor HullLine(40, 48, 60);
const QColor AntennaFill(220, 0, 0);

}  // namespace

// Boat coordinates: X along the hull from the stern (0) to the bow (length), Y across it,
// positive to starboard; the antenna uses the same frame (ILPBoatDef::GetGPSPosition).
void LPBoatDefDraw(DeviceContext dc, int32_t width, int32_t height, float length, float beam,
                   const TFloat2 *antenna) {
    auto *p = static_cast<QPainter *>(dc);
    if (!p || !p->isActive() || width <= 0 || height <= 0) return;
    if (!(length > 0.0f) || !(beam > 0.0f) || !std::isfinite(length) || !std::isfinite(beam)) return;
    const double scale = std::min((width - 2 * MarginPx) / beam, (height - 2 * MarginPx) / length);
    if (!(scale > 0.0)) return;

    const double cx = width / 2.0;
    const double stern = height / 2.0 + length * scale / 2.0;
    auto at = [&](double x, double y) { return QPointF(cx + y * scale, stern - x * scale); };

    // Transom a little narrower than the beam, widest just aft of midships, a pointed bow.
    const double l = length, b = beam / 2.0;
    QPainterPath hull(at(0, -0.85 * b));
    hull.lineTo(at(0.45 * l, -b));
    hull.cubicTo(at(0.8 * l, -b), at(0.95 * l, -0.45 * b), at(l, 0));
    hull.cubicTo(at(0.95 * l, 0.45 * b), at(0.8 * l, b), at(0.45 * l, b));
    hull.lineTo(at(0, 0.85 * b));
    hull.closeSubpath();

    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setPen(QPen(HullLine, 1.5));
    p->setBrush(HullFill);
    p->drawPath(hull);
    p->setPen(QPen(HullLine, 1.0, Qt::DashLine));
    p->drawLine(at(0, 0), at(l, 0));  // centre line
    if (antenna && std::isfinite(antenna->X) && std::isfinite(antenna->Y)) {
        const double r = std::max(3.0, std::min(width, height) * 0.03);
        p->setPen(QPen(HullLine, 1.0));
        p->setBrush(AntennaFill);
        p->drawEllipse(at(antenna->X, antenna->Y), r, r);
    }
    p->restore();
}
