// Cell drawing shared by every list and tree of the program (check boxes, drop-down cells,
// focus rectangles, the empty-list message) and the layout of the instrument value panels,
// so that all of them look and behave alike. The routines paint only and keep no state;
// item delegates call them from paint() and views from their mouse events. GUI thread only.
#pragma once

#include <KvLibNav6/KvGraphics.h>

#include <QImage>
#include <QRect>
#include <QString>
#include <QStyle>

class QFont;
class QLabel;
class QPainter;
class QTreeView;
class QWidget;

// What a node shows in its check cell.
enum class TCheckType { None, CheckBox, RadioButton };
// A node's check state; the pressed forms last while the mouse button is held on it.
enum class TCheckState { Unchecked, UncheckedPressed, Checked, CheckedPressed, Mixed, MixedPressed };

struct TCheckCell {
    TCheckType Type = TCheckType::None;
    TCheckState State = TCheckState::Unchecked;
    bool Hot = false;          // the mouse is over the node
    bool NodeEnabled = true;   // the node itself (or its states) is not disabled
    bool TreeEnabled = true;
};

// The check images of a tree, numbered as tree libraries number them: 1-8 radio button
// unchecked/checked × normal, hot, pressed, disabled; 9-16 the same for check boxes;
// 17-20 check box mixed. Disabled wins over pressed, pressed over hot; a radio button in
// the mixed state shows the check box's image. 0 for a node without a check.
int CheckImageIndex(const TCheckCell &cell);
// The same rule as the style element to draw: which primitive, and its state flags.
struct TCheckStyle {
    QStyle::PrimitiveElement Element = QStyle::PE_IndicatorCheckBox;
    QStyle::State State = QStyle::State_None;
};
TCheckStyle CheckThemeDetail(const TCheckCell &cell);

inline constexpr int CheckImageSize = 16;
// The node's check image, 16 × 16, on transparentColor (ARGB; callers pass $FFFF00FF) made
// transparent.
QImage PaintCheckBoxBitmap(const TCheckCell &cell, uint32_t transparentColor = 0xFFFF00FFu);
// Centred in the cell, one pixel below the exact centre; nothing for a node without check.
void DrawCheckBoxCell(QPainter &p, const TCheckCell &cell, const QRect &cellRect);
// Mouse-up on the tree: when (x, y) in viewport pixels lies on the check image of a
// column-0 cell (left edge < x <= right edge of the image centred in the column), the
// node's Qt::CheckStateRole is toggled: checked → unchecked, anything else → checked.
// True when toggled.
bool ToggleCheckBoxCellAt(QTreeView *tree, int x, int y);

// A cell drawn as a drop-down box 21 pixels high (scaled), vertically centred, with the
// text at an inset of 4 and, with withButton, the arrow part at the right.
void DrawComboBoxCell(QPainter &p, const QRect &cell, bool pressed, bool withButton,
                      const QFont &font, const QString &text, const QWidget *widget = nullptr);
// Focus rectangle drawn white on black, whatever the palette says.
void DrawCellFocusRect(QPainter &p, const QRect &rect);
// The message of an empty list, painted on its whole area (origin 0, 0): window colour,
// a line in the shadow colour min(width - 20, 300) long across the middle, the caption
// (highlight colour, 11 pt) ending 5 pixels above it, the hint (shadow colour, 8 pt)
// starting 5 pixels below it; both single-line with an end ellipsis, 10 pixels in from
// either side.
void DrawEmptyListMessage(QPainter &p, const QRect &area, const QString &caption,
                          const QString &hint);
// The largest point size from 8 up at which text is at most width pixels wide (7 when even
// 8 is too wide). The painter's font is left at the returned size.
int FontSizeToFit(QPainter &p, const QString &text, int width);

// Font colour of a value label: the shared inactive-text colour when not valid; colour with
// red and blue exchanged when given (not 0) and useColor; the window-text colour otherwise.
// Nothing for nullptr. colour is ARGB as the instruments hand it over.
void SetLabelStateColor(QWidget *control, uint32_t colour, bool valid, bool useColor);
// The labels and controls of one instrument value panel; any may be nullptr except panel,
// value and unit.
struct TValuePanel {
    QWidget *Panel = nullptr;
    QLabel *Caption = nullptr;
    QLabel *Value = nullptr;
    QLabel *Unit = nullptr;
    QWidget *Extra = nullptr;
    QWidget *Button = nullptr;
    QLabel *SecondCaption = nullptr;
    QLabel *SecondValue = nullptr;
    QLabel *SecondUnit = nullptr;
};
// Centres value and unit as a pair, the second pair likewise (with the extra control right
// of it), colours every label by validity and enables the button only when valid.
void LayoutValuePanel(const TValuePanel &v, bool useColor, bool valid, uint32_t colour);
