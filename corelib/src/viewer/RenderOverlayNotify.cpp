#include "viewer/RenderOverlay.h"

#include "environment/NotificationCenter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace kv::render {

namespace {

constexpr double BoxMargin = 10.0;   // from the view's top and between boxes
constexpr double BoxPadding = 6.0;
constexpr double BoxMaxWidth = 420.0;
constexpr double SoundSide = 24.0;

struct TBoxColours {
    QColor Fill, Border, Text;
};

TBoxColours ColoursOf(TNotificationSeverity s) {
    switch (s) {
    case TNotificationSeverity::Alarm: return {QColor(210, 30, 30, 235), QColor(120, 0, 0), QColor(Qt::white)};
    case TNotificationSeverity::Warning: return {QColor(255, 200, 60, 235), QColor(140, 100, 0), QColor(Qt::black)};
    case TNotificationSeverity::Info: break;
    }
    return {QColor(255, 255, 225, 235), QColor(90, 90, 90), QColor(Qt::black)};
}

void DrawSoundButton(QPainter &p, const QRectF &r, INavNotificationCenter *centre, bool on, const QColor &ink) {
    const QImage picture = NotificationCenterSoundPicture(centre, on);
    if (!picture.isNull() && picture.width() >= 8) {
        p.drawImage(r, picture);
        return;
    }
    // A loudspeaker, struck through while the sound is off.
    p.setPen(QPen(ink, 1.5));
    p.setBrush(ink);
    const QPointF c = r.center();
    p.drawPolygon(QPolygonF{c + QPointF(-8, -3), c + QPointF(-4, -3), c + QPointF(1, -8), c + QPointF(1, 8),
                            c + QPointF(-4, 3), c + QPointF(-8, 3)});
    p.setBrush(Qt::NoBrush);
    if (on) {
        p.drawArc(QRectF(c + QPointF(-2, -5), QSizeF(8, 10)), -60 * 16, 120 * 16);
        p.drawArc(QRectF(c + QPointF(-2, -8), QSizeF(12, 16)), -60 * 16, 120 * 16);
    } else {
        p.drawLine(c + QPointF(-9, 9), c + QPointF(9, -9));
    }
}

}  // namespace

std::vector<TNotificationBox> DrawNotifications(QPainter &p, const TViewState &v, INavNotificationCenter *centre) {
    std::vector<TNotificationBox> out;
    if (!centre || v.Width < 40) return out;
    const std::vector<TNotificationItem> items = NotificationCenterItems(centre);
    if (items.empty()) return out;
    p.save();
    QFont font = p.font();
    font.setPixelSize(13);
    p.setFont(font);
    const QFontMetricsF fm(font);
    const double width = std::min(BoxMaxWidth, v.Width - 2 * BoxMargin);
    double y = BoxMargin;
    for (const TNotificationItem &item : items) {
        const double textWidth = width - 2 * BoxPadding - (item.HasSoundButton ? SoundSide + BoxPadding : 0);
        const QRectF textRect = fm.boundingRect(QRectF(0, 0, textWidth, 1e6), Qt::TextWordWrap, item.Text);
        const double height = std::max(textRect.height(), item.HasSoundButton ? SoundSide : 0.0) + 2 * BoxPadding;
        TNotificationBox box;
        box.Kind = item.Kind;
        box.Box = QRectF((v.Width - width) / 2, y, width, height);
        const TBoxColours c = ColoursOf(item.Severity);
        p.setPen(QPen(c.Border, 1));
        p.setBrush(c.Fill);
        p.drawRoundedRect(box.Box, 4, 4);
        p.setPen(c.Text);
        p.drawText(QRectF(box.Box.left() + BoxPadding, y + BoxPadding, textWidth, height - 2 * BoxPadding),
                   Qt::TextWordWrap | Qt::AlignVCenter, item.Text);
        if (item.HasSoundButton) {
            box.Sound = QRectF(box.Box.right() - BoxPadding - SoundSide, y + (height - SoundSide) / 2, SoundSide, SoundSide);
            DrawSoundButton(p, box.Sound, centre, item.SoundOn, c.Text);
        }
        out.push_back(box);
        y += height + BoxMargin / 2;
        if (y > v.Height) break;
    }
    p.restore();
    return out;
}

bool NotificationAt(const std::vector<TNotificationBox> &boxes, const QPointF &pixel, int32_t &kind) {
    for (const TNotificationBox &b : boxes)
        if (b.Box.contains(pixel)) {
            kind = b.Kind;
            return true;
        }
    return false;
}

}  // namespace kv::render
