#include "chartview/ViewerGlyphs.h"

#include "base/graphics/KvImageList.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

const QColor Ink(0x20, 0x30, 0x50);
const QColor Sea(0x30, 0x80, 0xD0);
const QColor Land(0xE0, 0xC0, 0x60);
const QColor Alert(0xD0, 0x30, 0x30);

using TDraw = std::function<void(QPainter &)>;

// Indices the toolbar layout keeps for glyphs this program does not show.
QImage Blank() {
    QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage Glyph(const TDraw &draw) {
    QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A light plate under every glyph keeps the ink readable once the night screen has
    // dimmed the toolbar around it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF4, 0xF6, 0xF9));
    p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4, 4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, 1.6));
    draw(p);
    return image;
}

void Magnifier(QPainter &p, bool plus) {
    p.drawEllipse(QRectF(3, 3, 13, 13));
    p.setPen(QPen(Ink, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(QPen(Ink, 1.8));
    p.drawLine(QPointF(6.5, 9.5), QPointF(12.5, 9.5));
    if (plus) p.drawLine(QPointF(9.5, 6.5), QPointF(9.5, 12.5));
}

void Chart(QPainter &p) {
    p.setBrush(Sea);
    p.drawRect(QRectF(3, 4, 18, 15));
    p.setBrush(Land);
    QPainterPath coast;
    coast.moveTo(3, 4);
    coast.lineTo(12, 4);
    coast.cubicTo(10, 9, 6, 10, 3, 14);
    coast.closeSubpath();
    p.drawPath(coast);
}

void Ship(QPainter &p, QPointF at) {
    p.setBrush(Alert);
    p.drawEllipse(at, 3.5, 3.5);
}

void Text(QPainter &p, const QString &text, int size = 9) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(size);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Ink);
    p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, text);
}

void Add(TImageList &list, int index, const TDraw &draw) {
    while (list.Count() < index) list.Add(Blank());
    list.Add(Glyph(draw));
}

}  // namespace

void FillViewerToolbarGlyphs(TImageList &list) {
    using namespace ViewerGlyph;
    list.SetSize(24, 24);
    Add(list, ZoomIn, [](QPainter &p) { Magnifier(p, true); });
    Add(list, ZoomOut, [](QPainter &p) { Magnifier(p, false); });
    Add(list, Lock100, [](QPainter &p) { Text(p, QStringLiteral("100"), 8); });
    Add(list, ChartSelect, [](QPainter &p) {
        Chart(p);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(11, 10, 8, 8));
    });
    Add(list, Tracking, [](QPainter &p) {
        p.drawLine(QPointF(12, 2), QPointF(12, 22));
        p.drawLine(QPointF(2, 12), QPointF(22, 12));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12, 12), 7, 7);
        Ship(p, QPointF(12, 12));
    });
    Add(list, NorthUp, [](QPainter &p) {
        QPainterPath arrow;
        arrow.moveTo(12, 2);
        arrow.lineTo(18, 20);
        arrow.lineTo(12, 16);
        arrow.lineTo(6, 20);
        arrow.closeSubpath();
        p.setBrush(Alert);
        p.drawPath(arrow);
    });
    Add(list, ChartManager, [](QPainter &p) {
        Chart(p);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(13, 12, 9, 9));
        p.drawLine(QPointF(15, 15), QPointF(20, 15));
        p.drawLine(QPointF(15, 18), QPointF(20, 18));
    });
    Add(list, DistanceCircles, [](QPainter &p) {
        p.setBrush(Qt::NoBrush);
        for (double r : {3.0, 6.5, 10.0}) p.drawEllipse(QPointF(12, 12), r, r);
        Ship(p, QPointF(12, 12));
    });
    while (list.Count() < ToolbarCount) list.Add(Blank());
}

void FillViewerS57Glyphs(TImageList &list) {
    using namespace ViewerGlyph;
    list.SetSize(24, 24);
    Add(list, S57Base, [](QPainter &p) { Text(p, QStringLiteral("B"), 14); });
    Add(list, S57Standard, [](QPainter &p) { Text(p, QStringLiteral("S"), 14); });
    Add(list, S57Other, [](QPainter &p) { Text(p, QStringLiteral("O"), 14); });
    Add(list, S57SCAMIN, [](QPainter &p) { Text(p, QStringLiteral("SC"), 10); });
    Add(list, S57Labels, [](QPainter &p) { Text(p, QStringLiteral("Abc"), 9); });
    Add(list, S57Soundings, [](QPainter &p) {
        p.setBrush(Sea.lighter(160));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(2, 2, 20, 20));
        Text(p, QStringLiteral("12"), 11);
    });
    Add(list, S57NoticeMarks, [](QPainter &p) {
        p.setBrush(Qt::white);
        p.setPen(QPen(Alert, 2.5));
        p.drawRect(QRectF(4, 4, 16, 16));
        p.drawLine(QPointF(6, 18), QPointF(18, 6));
    });
    Add(list, S57BoundsOnly, [](QPainter &p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Ink, 1.6, Qt::DashLine));
        p.drawRect(QRectF(3, 3, 18, 18));
    });
    Add(list, S57Buoys, [](QPainter &p) {
        p.setBrush(Alert);
        p.drawEllipse(QRectF(7, 6, 10, 14));
    });
    Add(list, S57PickReport, [](QPainter &p) {
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(3, 3, 18, 18));
        Text(p, QStringLiteral("i"), 14);
    });
    Add(list, S57bENCs, [](QPainter &p) { Text(p, QStringLiteral("bE"), 11); });
}
