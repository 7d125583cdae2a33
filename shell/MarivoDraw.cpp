#include "shell/MarivoDraw.h"

#include "shell/MarivoColors.h"
#include "shell/MarivoImages.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPaintDevice>
#include <QPainter>
#include <QStyleOption>
#include <QTreeView>

#include <algorithm>

namespace {

bool IsPressed(TCheckState s) {
    return s == TCheckState::UncheckedPressed || s == TCheckState::CheckedPressed ||
           s == TCheckState::MixedPressed;
}

bool IsChecked(TCheckState s) {
    return s == TCheckState::Checked || s == TCheckState::CheckedPressed;
}

bool IsMixed(TCheckState s) {
    return s == TCheckState::Mixed || s == TCheckState::MixedPressed;
}

// 0 normal, 1 hot, 2 pressed, 3 disabled.
int Variant(const TCheckCell &c) {
    if (!c.NodeEnabled || !c.TreeEnabled) return 3;
    if (IsPressed(c.State)) return 2;
    if (c.Hot) return 1;
    return 0;
}

// Pixels at 96 dpi to the device's pixels.
int Scaled(const QPainter &p, int pixels) {
    const QPaintDevice *device = p.device();
    const int dpi = device ? device->logicalDpiX() : 96;
    return pixels * std::max(dpi, 96) / 96;
}

QColor PaletteColor(TColor c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace

int CheckImageIndex(const TCheckCell &cell) {
    if (cell.Type == TCheckType::None) return 0;
    const int variant = Variant(cell);
    if (IsMixed(cell.State)) return 17 + variant;
    const int checkBox = (IsChecked(cell.State) ? 13 : 9) + variant;
    return cell.Type == TCheckType::RadioButton ? checkBox - 8 : checkBox;
}

TCheckStyle CheckThemeDetail(const TCheckCell &cell) {
    TCheckStyle s;
    const bool radio = cell.Type == TCheckType::RadioButton && !IsMixed(cell.State);
    s.Element = radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox;
    if (IsMixed(cell.State))
        s.State |= QStyle::State_NoChange;
    else
        s.State |= IsChecked(cell.State) ? QStyle::State_On : QStyle::State_Off;
    switch (Variant(cell)) {
    case 0: s.State |= QStyle::State_Enabled; break;
    case 1: s.State |= QStyle::State_Enabled | QStyle::State_MouseOver; break;
    case 2: s.State |= QStyle::State_Enabled | QStyle::State_Sunken; break;
    default: break;  // disabled: no enabled flag
    }
    return s;
}

QImage PaintCheckBoxBitmap(const TCheckCell &cell, uint32_t transparentColor) {
    QImage image(CheckImageSize, CheckImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor::fromRgba(transparentColor));
    const TCheckStyle style = CheckThemeDetail(cell);
    {
        QPainter p(&image);
        QStyleOptionButton o;
        o.rect = image.rect();
        o.state = style.State;
        QApplication::style()->drawPrimitive(style.Element, &o, &p);
    }
    // What is left of the transparent colour becomes see-through.
    const QRgb key = transparentColor | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (row[x] == key) row[x] = 0;
    }
    return image;
}

void DrawCheckBoxCell(QPainter &p, const TCheckCell &cell, const QRect &cellRect) {
    if (cell.Type == TCheckType::None) return;
    const QImage image = PaintCheckBoxBitmap(cell);
    const int x = cellRect.left() + (cellRect.width() - image.width()) / 2;
    const int y = cellRect.top() + (cellRect.height() - image.height()) / 2 + 1;
    p.drawImage(x, y, image);
}

bool ToggleCheckBoxCellAt(QTreeView *tree, int x, int y) {
    const QModelIndex index = tree->indexAt(QPoint(x, y));
    if (!index.isValid() || index.column() != 0) return false;
    const QVariant state = index.data(Qt::CheckStateRole);
    if (!state.isValid()) return false;
    const int columnLeft = tree->header()->sectionViewportPosition(0);
    const int columnWidth = tree->header()->sectionSize(0);
    const int left = columnLeft + (columnWidth - CheckImageSize) / 2;
    if (!(left < x && x <= left + CheckImageSize)) return false;
    const auto next = state.value<Qt::CheckState>() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    return tree->model()->setData(index, next, Qt::CheckStateRole);
}

void DrawComboBoxCell(QPainter &p, const QRect &cell, bool pressed, bool withButton,
                      const QFont &font, const QString &text, const QWidget *widget) {
    const int height = Scaled(p, 21);
    const QRect box(cell.left(), cell.top() + (cell.height() - height) / 2, cell.width(), height);
    QStyle *style = widget ? widget->style() : QApplication::style();
    p.save();
    p.setClipping(false);
    QStyleOptionComboBox o;
    o.rect = box;
    o.state = QStyle::State_Enabled | (pressed ? QStyle::State_Sunken : QStyle::State_Raised);
    o.subControls = withButton ? (QStyle::SC_ComboBoxFrame | QStyle::SC_ComboBoxArrow)
                               : QStyle::SC_ComboBoxFrame;
    o.frame = true;
    o.editable = false;
    if (widget) o.palette = widget->palette();
    style->drawComplexControl(QStyle::CC_ComboBox, &o, &p, widget);
    const int inset = Scaled(p, 4);
    const int button = withButton ? Scaled(p, 17) : 0;
    p.setFont(font);
    p.setPen(o.palette.color(QPalette::ButtonText));
    const QRect textRect = box.adjusted(inset, 0, -inset - button, 0);
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
               p.fontMetrics().elidedText(text, Qt::ElideRight, textRect.width()));
    p.restore();
}

void DrawCellFocusRect(QPainter &p, const QRect &rect) {
    QStyleOptionFocusRect o;
    o.rect = rect;
    o.state = QStyle::State_Enabled | QStyle::State_HasFocus;
    o.backgroundColor = Qt::black;
    o.palette.setColor(QPalette::WindowText, Qt::white);
    o.palette.setColor(QPalette::Text, Qt::white);
    p.save();
    QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p);
    p.restore();
}

void DrawEmptyListMessage(QPainter &p, const QRect &area, const QString &caption,
                          const QString &hint) {
    const QPalette pal = QApplication::palette();
    p.save();
    p.fillRect(area, pal.color(QPalette::Base));
    p.setBrush(Qt::NoBrush);
    const int width = area.width(), middle = area.height() / 2;
    const int length = std::min(width - 20, 300);
    const int left = width / 2 - length / 2;
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(left, middle, left + length - 1, middle);
    const int bandLeft = 10, bandWidth = std::max(width - 20, 0);

    QFont font = p.font();
    font.setPointSize(11);
    p.setFont(font);
    p.setPen(pal.color(QPalette::Highlight));
    QFontMetrics fm = p.fontMetrics();
    p.drawText(QRect(bandLeft, middle - 5 - fm.height(), bandWidth, fm.height()),
               Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
               fm.elidedText(caption, Qt::ElideRight, bandWidth));

    font.setPointSize(8);
    p.setFont(font);
    p.setPen(pal.color(QPalette::Dark));
    fm = p.fontMetrics();
    p.drawText(QRect(bandLeft, middle + 5, bandWidth, fm.height()),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
               fm.elidedText(hint, Qt::ElideRight, bandWidth));
    p.restore();
}

int FontSizeToFit(QPainter &p, const QString &text, int width) {
    QFont font = p.font();
    int size = 8;
    for (;; ++size) {
        font.setPointSize(size);
        if (QFontMetrics(font, p.device()).horizontalAdvance(text) > width) break;
        if (size >= 400) {  // a text that never fills the width: stop at a sane size
            ++size;
            break;
        }
    }
    font.setPointSize(std::max(size - 1, 1));
    p.setFont(font);
    return size - 1;
}

void SetLabelStateColor(QWidget *control, uint32_t colour, bool valid, bool useColor) {
    if (!control) return;
    QColor c;
    if (!valid)
        c = PaletteColor(InactiveTextColor);
    else if (colour != 0 && useColor)
        c = PaletteColor(TColor(SwapRedBlue(colour)));
    else
        c = QApplication::palette().color(QPalette::WindowText);
    QPalette pal = control->palette();
    pal.setColor(QPalette::WindowText, c);
    control->setPalette(pal);
}

namespace {

// other's vertical position follows anchor by anchor's own alignment.
void AlignVertically(QLabel *other, const QLabel *anchor) {
    int y = anchor->y();
    const Qt::Alignment a = anchor->alignment();
    if (a & Qt::AlignBottom)
        y = anchor->geometry().bottom() - other->height() + 1;
    else if (a & Qt::AlignVCenter)
        y = anchor->y() + (anchor->height() - other->height()) / 2;
    other->move(other->x(), y);
}

void PlacePair(QLabel *value, QLabel *unit, int left) {
    value->move(left, value->y());
    unit->move(value->geometry().right() + 1 + 2, unit->y());
    AlignVertically(unit, value);
}

}  // namespace

void LayoutValuePanel(const TValuePanel &v, bool useColor, bool valid, uint32_t colour) {
    const int width = v.Panel->width();
    PlacePair(v.Value, v.Unit, (width - v.Unit->width() - v.Value->width() - 2) / 2);
    if (v.SecondCaption && v.SecondUnit && v.SecondValue) {
        const int extra = v.Extra ? v.Extra->width() : 0;
        PlacePair(v.SecondValue, v.SecondUnit,
                  (width - extra - v.SecondValue->width() - v.SecondUnit->width() - 4) / 2);
        if (v.Extra) v.Extra->move(v.SecondUnit->geometry().right() + 1 + 2, v.Extra->y());
    }
    SetLabelStateColor(v.Value, colour, valid, useColor);
    SetLabelStateColor(v.Unit, colour, valid, useColor);
    SetLabelStateColor(v.Caption, 0, valid, useColor);
    SetLabelStateColor(v.SecondValue, colour, valid, useColor);
    SetLabelStateColor(v.SecondUnit, colour, valid, useColor);
    SetLabelStateColor(v.SecondCaption, 0, valid, useColor);
    if (v.Button) v.Button->setEnabled(valid);
}
