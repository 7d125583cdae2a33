// Drawing routines shared by the program's lists and trees, so that group rows, their
// expand buttons and row separators look and behave alike everywhere. They paint only and
// keep no state. GUI thread only.
#pragma once

#include "base/dialogs/FrmMsg.h"

#include <QColor>
#include <QModelIndex>
#include <QRect>

class QPainter;
class QTreeView;

// The 11 × 11 box of a group row's expand button: vertically centred in the cell, from 16
// to 5 pixels left of the cell's right end.
QRect GroupExpandButtonRect(const QRect &cell);
// Whether (x, y) in the viewport lies on the expand button of a group row (a node with
// children); node and column receive the cell under the point. The cell is extended over
// the following columns whose text is empty, as a spanned group row shows it.
bool GroupExpandButtonHitTest(const QTreeView *tree, int x, int y, QModelIndex &node, int &column);
// The button as a tool button (raised when hot, sunken when pressed) with a small black
// triangle: pointing down while the group is collapsed, up while expanded.
void PaintGroupExpandButton(QPainter &p, const QRect &cell, bool expanded, bool hot, bool pressed);
// Hot and pressed are the rows of the button under the mouse and of the pressed one (-1 none).
void DrawGroupExpandButton(QPainter &p, const QRect &cell, const QModelIndex &node, int hotRow,
                           int pressedRow, bool expanded);
// A group row cell: shrunk by one pixel at top and bottom (and at the outer ends of the
// row), filled with brush and outlined in pen; column -1 stands for the whole row.
void DrawGroupRowCell(QPainter &p, const QRect &cell, int column, bool lastCell, const QColor &pen,
                      const QColor &brush, int columnCount);
// A line in the button-face colour along the cell's last pixel row.
void DrawRowSeparator(QPainter &p, const QRect &cell);

// The routines above in the form the item message dialog takes them (group bands in the
// palette's button colours).
TFormMsgDrawing MarivoFormMsgDrawing();
