#include "chartview/ViewerPrintTrack.h"

#include "base/controls/KvCalendarEx.h"
#include "chartview/ViewerPrintGeometry.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <vector>

namespace {

constexpr double SecondsPerDay = 86400.0;

QPoint PixelOf(IGeodeticCalibration *cal, const TTrackPoint &p) {
    TDouble2 out{};
    cal->GeoToPixel(out, TGeoPoint{p.Lat / TrackPointUnitsPerRadian, p.Lon / TrackPointUnitsPerRadian});
    return QPoint(RoundHalfUp(out.X), RoundHalfUp(out.Y));
}

int MMToPixels(QPainter &canvas, double mm, bool x) {
    QPaintDevice *d = canvas.device();
    return RoundHalfUp(mm * (x ? d->logicalDpiX() : d->logicalDpiY()) / 25.4);
}

// Walks the marks of an interval, calling mark(pixel, local time) for each that lies on
// the track.
template <class F>
void WalkMarks(INavTrack *track, IGeodeticCalibration *cal, int32_t interval,
               double offsetDays, F mark) {
    const int32_t n = track->GetPointCount();
    const double t0 = track->GetPoint(0)->Time + offsetDays;
    const double tEnd = track->GetPoint(n - 1)->Time + offsetDays;
    for (double m : PrintMarkTimes(t0, tEnd, interval)) {
        const int32_t i = track->IndexAtTime(m - offsetDays);
        if (i < 0 || i >= n - 1) continue;
        const TTrackPoint &a = *track->GetPoint(i), &b = *track->GetPoint(i + 1);
        if (b.Time == a.Time) continue;
        const double f = (m - offsetDays - a.Time) / (b.Time - a.Time);
        const QPoint pa = PixelOf(cal, a), pb = PixelOf(cal, b);
        mark(QPoint(RoundHalfUp(pa.x() + f * (pb.x() - pa.x())),
                    RoundHalfUp(pa.y() + f * (pb.y() - pa.y()))),
             m);
    }
}

}  // namespace

std::vector<double> PrintMarkTimes(double t0, double tEnd, int32_t interval) {
    std::vector<double> marks;
    if (interval <= 0 || !std::isfinite(t0) || !std::isfinite(tEnd)) return marks;
    const double step = interval / SecondsPerDay;
    // In double precision: at present-day dates single precision is too coarse and put
    // the first mark before the track.
    double m = interval == 86400 ? std::floor(t0) + 0.5 : std::ceil(t0 / step - 1e-9) * step;
    if (m < t0) m += step;
    for (; m < tEnd && marks.size() < 100000; m += step) marks.push_back(m);
    return marks;
}

QString PrintMarkLabel(double localTime, int32_t timeInterval) {
    const QDateTime at = KvCalendar::ToQDateTime(localTime);
    const double sinceMidnight = (localTime - std::floor(localTime)) * SecondsPerDay;
    if (sinceMidnight >= 1.0 && timeInterval != 86400) return at.toString(QStringLiteral("hh:mm"));
    return at.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
}

void DrawPrintLabel(const QString &text, QPoint p, int direction, const QColor &colour,
                    QPainter &canvas) {
    const QFontMetrics fm(canvas.font());
    const int cx = fm.horizontalAdvance(text), cy = fm.height();
    const int h = cy / 2;
    const QPoint a(p.x() + direction * (h + 2), p.y() - h - 2);
    const QPoint b(a.x() + direction * (cx + 2), a.y());
    const QPoint c(b.x(), a.y() + cy + 2);
    const QPoint d(a.x(), c.y());
    canvas.save();
    canvas.setPen(colour);
    canvas.setBrush(Qt::white);
    canvas.drawPolygon(QPolygon({p, a, b, c, d, p}));
    const int x = direction > 0 ? p.x() + h + 2 : p.x() - h - cx;
    canvas.drawText(QPoint(x, p.y() - h + fm.ascent()), text);
    canvas.restore();
}

void PrintTrack(INavTrack *track, int32_t timeInterval, int32_t pointInterval,
                int32_t timeOffset, IGeodeticCalibration *cal, QPainter &canvas,
                const QFont &font, const QString &startLabel, const QString &endLabel) {
    if (!track || !cal || track->GetPointCount() < 2) return;
    canvas.save();
    canvas.setFont(font);
    canvas.setPen(Qt::black);
    const int32_t n = track->GetPointCount();
    QPoint last = PixelOf(cal, *track->GetPoint(0));
    for (int32_t i = 1; i < n; ++i) {
        const QPoint next = PixelOf(cal, *track->GetPoint(i));
        if (next != last) canvas.drawLine(last, next);
        last = next;
    }
    const int hx = MMToPixels(canvas, 0.4, true), hy = MMToPixels(canvas, 0.4, false);
    const auto square = [&](QPoint p) {
        canvas.fillRect(QRect(QPoint(p.x() - hx, p.y() - hy), QPoint(p.x() + hx, p.y() + hy)),
                        Qt::black);
    };
    const double offsetDays = timeOffset / 1440.0;
    WalkMarks(track, cal, timeInterval, offsetDays, [&](QPoint p, double local) {
        square(p);
        DrawPrintLabel(PrintMarkLabel(local, timeInterval), p, -1, Qt::black, canvas);
    });
    WalkMarks(track, cal, pointInterval, offsetDays, [&](QPoint p, double) { square(p); });
    if (!startLabel.isEmpty())
        DrawPrintLabel(startLabel, PixelOf(cal, *track->GetPoint(0)), 1, Qt::black, canvas);
    if (!endLabel.isEmpty())
        DrawPrintLabel(endLabel, PixelOf(cal, *track->GetPoint(n - 1)), 1, Qt::black, canvas);
    canvas.restore();
}
