#include "exchange/FraImportShared.h"

#include <QLabel>
#include <QPainter>
#include <QPalette>

QLabel *ImportBoldLabel(QWidget *parent) {
    auto *label = new QLabel(parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

void DrawImportTitleRow(QPainter &painter, const QRect &row, const QPalette &palette, const QFont &font,
                        const QString &title) {
    const QRect r = row.adjusted(0, 0, 0, -1);
    painter.save();
    painter.fillRect(r, palette.color(QPalette::Base));
    painter.fillRect(r.adjusted(1, 1, -1, -1), palette.color(QPalette::Button));
    QFont f = font;
    f.setPointSize(7);
    f.setBold(true);
    painter.setFont(f);
    painter.setPen(palette.color(QPalette::ButtonText));
    const QRect text = r.adjusted(3, 0, -3, 0);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(title, Qt::ElideMiddle, text.width()));
    painter.restore();
}
