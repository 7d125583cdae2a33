#include "base/dialogs/KvMsgIcons.h"

#include "base/graphics/KvNightScreen.h"

#include <QPainter>
#include <QPainterPath>

QPixmap MsgIconLoad(int type, bool variant, int size) {
    if (type < 0 || type > 3 || size <= 0) return QPixmap();
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
        const qreal m = s * 0.06;
        const QRectF box(m, m, s - 2 * m, s - 2 * m);
        QColor fill;
        QString glyph;
        switch (type) {
        case 0: fill = QColor(240, 180, 20); glyph = QStringLiteral("!"); break;
        case 1: fill = QColor(210, 40, 40); glyph = QStringLiteral("\u00D7"); break;
        case 2: fill = QColor(30, 110, 210); glyph = QStringLiteral("i"); break;
        default: fill = QColor(30, 110, 210); glyph = QStringLiteral("?"); break;
        }
        if (variant) fill = fill.lighter(112);
        p.setPen(QPen(fill.darker(140), s / 32.0));
        p.setBrush(fill);
        if (type == 0) {
            QPainterPath tri;
            tri.moveTo(box.center().x(), box.top());
            tri.lineTo(box.right(), box.bottom());
            tri.lineTo(box.left(), box.bottom());
            tri.closeSubpath();
            p.drawPath(tri);
        } else {
            p.drawEllipse(box);
        }
        QFont f;
        f.setBold(true);
        f.setPixelSize(int(s * (type == 1 ? 0.72 : 0.6)));
        p.setFont(f);
        p.setPen(type == 0 ? QColor(30, 30, 30) : Qt::white);
        QRectF textBox = box;
        if (type == 0) textBox.adjust(0, s * 0.18, 0, 0);
        p.drawText(textBox, Qt::AlignCenter, glyph);
    }
    INightScreen *ns = NightScreen();
    if (ns && ns->IsActive()) {
        QImage night;
        NightScreenConvertGraphic(ns, night, img);
        return QPixmap::fromImage(night);
    }
    return QPixmap::fromImage(img);
}
