#include "viewer/RenderOverlay.h"

#include "geodesy/GeodesyEngine.h"

#include "KvLibNav6/KvTracks.h"

#include <QDateTime>
#include <QPainter>
#include <cmath>

namespace kv::render {

void BearingAndDistance(const TViewState &v, const TOwnShip &ship, const QPointF &pixel, double &bearing,
                        double &metres) {
    const QPointF at = v.PixelOf(ship.Position);
    const QPointF d = pixel - at;
    bearing = std::remainder(std::atan2(d.x(), -d.y()) - v.Rotation, 2 * M_PI);
    if (bearing < 0) bearing += 2 * M_PI;
    metres = std::hypot(d.x(), d.y()) * v.MetresPerPixel / MercatorScaleFactor(ship.Position.Lat);
}

void DrawBearingLine(QPainter &p, const TViewState &v, const TOwnShip &ship, const QPointF &mouse,
                     const QString &distanceText) {
    if (!ship.HasPosition) return;
    double bearing = 0, metres = 0;
    BearingAndDistance(v, ship, mouse, bearing, metres);
    p.save();
    p.setPen(QPen(QColor(40, 40, 40), 1.5, Qt::DashDotLine));
    p.drawLine(v.PixelOf(ship.Position), mouse);
    const QString text = QStringLiteral("%1° %2").arg(std::lround(bearing * 180 / M_PI) % 360, 3, 10, QLatin1Char('0'))
                             .arg(distanceText);
    DrawLabel(p, mouse + QPointF(10, 16), text, 220);
    p.restore();
}

void DrawNavInfo(QPainter &p, const TViewState &v, const TOwnShip &ship, const QString &speedText) {
    if (!ship.HasPosition) return;
    auto degrees = [](double rad) {
        long d = std::lround(rad * 180 / M_PI) % 360;
        if (d < 0) d += 360;
        return QStringLiteral("%1°").arg(d, 3, 10, QLatin1Char('0'));
    };
    const QStringList lines{QStringLiteral("COG %1").arg(degrees(ship.CourseRad)),
                            QStringLiteral("SOG %1").arg(speedText),
                            QStringLiteral("HDG %1").arg(degrees(ship.HeadingRad))};
    p.save();
    const QFontMetricsF fm(p.font());
    double width = 0;
    for (const QString &l : lines) width = std::max(width, fm.horizontalAdvance(l));
    const QRectF box(8, 8, width + 12, fm.height() * lines.size() + 8);
    (void)v;
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(255, 255, 240, 230));
    p.drawRoundedRect(box, 3, 3);
    p.setPen(Qt::black);
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(QPointF(box.left() + 6, box.top() + 4 + fm.ascent() + i * fm.height()), lines[i]);
    p.restore();
}

void DrawScaleValue(QPainter &p, const TViewState &v, double scaleDenominator) {
    if (!(scaleDenominator > 0)) return;
    QString digits = QString::number(std::llround(scaleDenominator));
    for (int i = int(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, QLatin1Char(' '));
    p.save();
    p.setPen(Qt::black);
    p.drawText(QPointF(12, v.Height - 26), QStringLiteral("1:") + digits);
    p.restore();
}

namespace {

// The index of the first point of each new interval, by the points' times (seconds).
std::vector<int> IntervalStarts(INavTrack &track, int count, int32_t interval) {
    std::vector<int> out;
    if (interval <= 0) return out;
    double next = -1;
    for (int i = 0; i < count; ++i) {
        const TTrackPoint *tp = track.GetPoint(i);
        if (!tp || tp->Time <= 0) continue;
        const double seconds = tp->Time * 86400.0;
        if (seconds < next) continue;
        out.push_back(i);
        next = (std::floor(seconds / interval) + 1) * interval;
    }
    return out;
}

}  // namespace

void DrawTrackMarks(QPainter &p, INavTrack &track, const QPolygonF &pixels, const QColor &colour,
                    int32_t pointInterval, int32_t timeInterval) {
    const int count = int(std::min<qsizetype>(pixels.size(), track.GetPointCount()));
    p.save();
    p.setPen(QPen(colour, 1));
    p.setBrush(Qt::white);
    for (int i : IntervalStarts(track, count, pointInterval)) p.drawEllipse(pixels[i], 3, 3);
    for (int i : IntervalStarts(track, count, timeInterval)) {
        const QDateTime t = QDateTime::fromMSecsSinceEpoch(
            std::llround((track.GetPoint(i)->Time - 25569.0) * 86400000.0), Qt::UTC);
        DrawLabel(p, pixels[i] + QPointF(6, 12), t.toString(QStringLiteral("HH:mm")), 200, colour);
    }
    p.restore();
}

void DrawLabel(QPainter &p, const QPointF &at, const QString &text, int opacity, const QColor &colour) {
    const QFontMetricsF fm(p.font());
    const QRectF box(at.x() - 2, at.y() - fm.ascent() - 1, fm.horizontalAdvance(text) + 4, fm.height() + 2);
    p.save();
    if (opacity > 0) p.fillRect(box, QColor(255, 255, 255, std::clamp(opacity, 0, 255)));
    p.setPen(colour);
    p.drawText(at, text);
    p.restore();
}

}  // namespace kv::render
