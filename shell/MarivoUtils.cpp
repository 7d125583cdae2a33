#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvGeodesy.h>

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTreeView>

QRect GroupExpandButtonRect(const QRect &cell) {
    const int right = cell.right() + 1;  // exclusive
    return QRect(right - 16, cell.top() + (cell.height() - 11) / 2, 11, 11);
}

bool GroupExpandButtonHitTest(const QTreeView *tree, int x, int y, QModelIndex &node, int &column) {
    const QPoint pos(x, y);
    node = tree->indexAt(pos);
    column = node.isValid() ? node.column() : -1;
    if (!node.isValid() || !tree->model()->hasChildren(node.siblingAtColumn(0))) return false;
    QRect cell = tree->visualRect(node);
    const int columns = tree->model()->columnCount(node.parent());
    for (int c = node.column() + 1; c < columns; ++c) {
        const QModelIndex next = node.siblingAtColumn(c);
        if (!next.data().toString().isEmpty() || tree->isColumnHidden(c)) break;
        cell = cell.united(tree->visualRect(next));
    }
    return GroupExpandButtonRect(cell).contains(pos);
}

void PaintGroupExpandButton(QPainter &p, const QRect &cell, bool expanded, bool hot, bool pressed) {
    const QRect box = GroupExpandButtonRect(cell);
    if (hot || pressed) {
        QStyleOptionToolButton o;
        o.rect = box;
        o.state = QStyle::State_Enabled | QStyle::State_AutoRaise |
                  (pressed ? QStyle::State_Sunken : QStyle::State_Raised) |
                  (hot ? QStyle::State_MouseOver : QStyle::State_None);
        QApplication::style()->drawPrimitive(QStyle::PE_PanelButtonTool, &o, &p);
    }
    // 5 × 5 area centred in the box; the triangle is 5 wide and 3 high.
    const int left = box.left() + 3, top = box.top() + 3;
    const int mid = left + 2;
    QPolygon triangle;
    if (!expanded)
        triangle << QPoint(left, top + 1) << QPoint(left + 4, top + 1) << QPoint(mid, top + 3);
    else
        triangle << QPoint(left, top + 3) << QPoint(left + 4, top + 3) << QPoint(mid, top + 1);
    p.save();
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawPolygon(triangle);
    p.restore();
}

void DrawGroupExpandButton(QPainter &p, const QRect &cell, const QModelIndex &node, int hotRow,
                           int pressedRow, bool expanded) {
    PaintGroupExpandButton(p, cell, expanded, node.row() == hotRow, node.row() == pressedRow);
}

void DrawGroupRowCell(QPainter &p, const QRect &cell, int column, bool lastCell, const QColor &pen,
                      const QColor &brush, int columnCount) {
    const bool first = column <= 0;
    const bool last = column == -1 || column == columnCount - 1;
    QRect r = cell.adjusted(first ? 1 : 0, 1, last ? -1 : 0, -1);
    p.save();
    p.fillRect(r, brush);
    p.setPen(pen);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.bottomLeft(), r.bottomRight());
    if (first) p.drawLine(r.topLeft(), r.bottomLeft());
    if (last || lastCell) p.drawLine(r.topRight(), r.bottomRight());
    p.restore();
}

void DrawRowSeparator(QPainter &p, const QRect &cell) {
    p.save();
    p.setPen(QApplication::palette().color(QPalette::Button));
    p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
    p.restore();
}

TFormMsgDrawing MarivoFormMsgDrawing() {
    TFormMsgDrawing d;
    d.DrawGroupRowCell = [](QPainter &p, const QRect &cell, int column, bool lastCell) {
        const QPalette pal = QApplication::palette();
        DrawGroupRowCell(p, cell, column, lastCell, pal.color(QPalette::Mid), pal.color(QPalette::Button),
                         TMessageListModel::ColumnCount);
    };
    d.GroupExpandButtonRect = GroupExpandButtonRect;
    d.PaintGroupExpandButton = PaintGroupExpandButton;
    d.DrawRowSeparator = DrawRowSeparator;
    return d;
}

QString LeftCharacters(const QString &text, int count) {
    if (text.size() <= count) return text;
    if (count > 0 && text.at(count - 1).isHighSurrogate()) --count;
    return text.left(count);
}

IGeodeticObject *ProgramGeodeticFrame() {
    IGeodeticProvider *provider = nullptr;
    IGeodeticObject *frame = nullptr;
    IGeodeticDatum *datum = nullptr, *rdDatum = nullptr;
    void *unused = nullptr;
    GeodeticsGetGlobals(provider, frame, datum, rdDatum, unused);
    return frame;
}
