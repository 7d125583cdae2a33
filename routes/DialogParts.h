// Small parts the dialogs of this folder share: the bands in the info-tip colour with an
// icon and a text, colour swatches and the checkerboard behind transparent pictures.
// GUI thread.
#pragma once

#include <QColor>

#include <initializer_list>

class QAbstractItemModel;
class QAbstractItemDelegate;
class QLabel;
class QObject;
class QTreeView;
class QPainter;
class QRect;
class QWidget;

// A panel filled with the palette's info-tip background.
QWidget *NewInfoPanel(QWidget *parent);
// A panel with a 16-pixel message icon (KvMsgBox type) and a label beside it; bold label
// on request. The layout is a QHBoxLayout, so callers may append controls.
QWidget *NewInfoBand(QWidget *parent, int iconType, bool boldText, QLabel *&image, QLabel *&label);
// A framed 40 × 18 label that shows a colour.
QLabel *NewColorSwatch(QWidget *parent);
void SetSwatchColor(QLabel *swatch, const QColor &colour);
// Cells of 5 pixels, white and light grey, over rect.
void PaintCheckerboard(QPainter &p, const QRect &rect);
// A list of rows with check boxes in column 0 as the managers show it: whole rows selected,
// several at once, names edited in place, sortable headers, the given column widths, the
// viewport's mouse events to filter.
QTreeView *NewCheckList(QWidget *parent, QAbstractItemModel *model, QAbstractItemDelegate *delegate,
                        QObject *mouseFilter, std::initializer_list<int> widths);
