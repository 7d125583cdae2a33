#include "routes/FraRoutesView.h"

#include "base/graphics/KvImageList.h"
#include "base/strings/KvColors.h"

#include <KvLibNav6/KvGraphics.h>

#include "base/strings/KvFormatSettings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

// ---- model ----

TRouteTableModel::TRouteTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void TRouteTableModel::SetRows(std::vector<TRteNodeData> rows) {
    beginResetModel();
    FRows = std::move(rows);
    endResetModel();
}

const TRteNodeData *TRouteTableModel::Row(int row) const {
    return row >= 0 && row < int(FRows.size()) ? &FRows[size_t(row)] : nullptr;
}

int TRouteTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(FRows.size());
}

int TRouteTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : RouteColumnCount;
}

QVariant TRouteTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || !Row(index.row())) return {};
    switch (role) {
    case Qt::EditRole: return EditText ? EditText(index.row(), index.column()) : QString();
    case Qt::DisplayRole:
        if (index.row() == EditRow && index.column() == EditColumn) return QString();
        return RouteCellText(FRows, index.row(), index.column(), Context ? Context() : TRouteCellContext{});
    case Qt::TextAlignmentRole: {
        const TRouteAlign a = RouteColumnDef(index.column()).Align;
        const Qt::Alignment h = a == TRouteAlign::Left    ? Qt::AlignLeft
                                : a == TRouteAlign::Right ? Qt::AlignRight
                                                          : Qt::AlignHCenter;
        return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    default: return {};
    }
}

QVariant TRouteTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return Title ? Title(section) : QString();
    if (role == Qt::TextAlignmentRole) {
        const TRouteAlign a = RouteColumnDef(section).Align;
        return QVariant::fromValue(a == TRouteAlign::Left    ? Qt::AlignLeft
                                   : a == TRouteAlign::Right ? Qt::AlignRight
                                                             : Qt::AlignHCenter);
    }
    return {};
}

Qt::ItemFlags TRouteTableModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // The stay is edited in its own dialog, never in place.
    if (index.column() != 28 && Editable && Editable(index.row(), index.column())) f |= Qt::ItemIsEditable;
    return f;
}

bool TRouteTableModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (role != Qt::EditRole || !Commit) return false;
    const bool changed = Commit(index.row(), index.column(), value.toString());
    if (changed) emit dataChanged(index, index);
    return changed;
}

void TRouteTableModel::Refresh() {
    if (!FRows.empty()) emit dataChanged(index(0, 0), index(int(FRows.size()) - 1, RouteColumnCount - 1));
}

// ---- header ----

namespace {
constexpr int TextMargin = 4;

QFont HeaderFont(int points, bool bold) {
    QFont f = QApplication::font();
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

Qt::Alignment HorizontalOf(const QAbstractItemModel *model, int section) {
    const QVariant v = model ? model->headerData(section, Qt::Horizontal, Qt::TextAlignmentRole) : QVariant();
    return v.isValid() ? Qt::Alignment(v.toInt()) & Qt::AlignHorizontal_Mask : Qt::AlignLeft;
}
}  // namespace

TRouteHeaderView::TRouteHeaderView(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsMovable(true);
    setSectionsClickable(false);
    setStretchLastSection(false);
    setMinimumSectionSize(16);
}

QSize TRouteHeaderView::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    s.setHeight(30);
    return s;
}

QString TRouteHeaderView::Hint(int column) const {
    auto it = FHints.find(column);
    return it == FHints.end() ? QString() : it->second;
}

void TRouteHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const {
    painter->save();
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.section = logicalIndex;
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
    const QRect text = rect.adjusted(TextMargin, 1, -TextMargin, -2);
    const Qt::Alignment h = HorizontalOf(model(), logicalIndex);
    const QString title = model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    painter->setPen(palette().color(QPalette::WindowText));
    painter->setFont(HeaderFont(8, false));
    const QFontMetrics fm(painter->font());
    if (fm.horizontalAdvance(title) > text.width())
        FHints[logicalIndex] = title;
    else
        FHints.erase(logicalIndex);
    painter->drawText(text, h | Qt::AlignTop, fm.elidedText(title, Qt::ElideRight, text.width()));
    painter->setFont(HeaderFont(7, true));
    const QString unit = UnitText ? UnitText(logicalIndex) : QString();
    painter->drawText(text, h | Qt::AlignBottom, unit);
    painter->restore();
}

bool TRouteHeaderView::viewportEvent(QEvent *event) {
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString hint = Hint(logicalIndexAt(help->pos()));
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), hint, this);
        return true;
    }
    return QHeaderView::viewportEvent(event);
}

// ---- rows ----

namespace {
// Typing ',' or '.' in a number gives the user's decimal separator.
class TDecimalEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override {
        if (event->text() == QLatin1String(",") || event->text() == QLatin1String(".")) {
            insert(QString(LocaleFormatSettings().DecimalSeparator));
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};
}  // namespace

QWidget *TRouteRowDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                         const QModelIndex &index) const {
    QLineEdit *editor = index.column() == 4 ? new TDecimalEdit(parent) : new QLineEdit(parent);
    editor->setFrame(false);
    FModel->EditRow = index.row();
    FModel->EditColumn = index.column();
    return editor;
}

void TRouteRowDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const {
    FModel->EditRow = FModel->EditColumn = -1;
    QStyledItemDelegate::destroyEditor(editor, index);
}

TRouteRowDelegate::TRouteRowDelegate(TRouteTableModel *model, TImageList *images, QObject *parent)
    : QStyledItemDelegate(parent), FModel(model), FImages(images) {}

QSize TRouteRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(std::max(s.height(), 26));
    return s;
}

TRouteRowDelegate::TColors TRouteRowDelegate::ColorsOf(const QStyleOptionViewItem &option,
                                                       const QModelIndex &index) const {
    TColors c;
    const TRteNodeData *r = FModel->Row(index.row());
    if (!r) return c;
    const TRouteRowPaintState s = State ? State(index.row()) : TRouteRowPaintState{};
    const QPalette &pal = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    const bool focused = option.state & QStyle::State_HasFocus;
    const bool editing = Editing && Editing();
    const QColor red(255, 0, 0);
    const bool redRow = (r->Point && r->State != 0) || r->Blocks() || r->Reason >= 7;
    if (selected) {
        c.Background = redRow ? red : pal.color(QPalette::Highlight);
    } else if (s.Followed && s.MarkedCurrent) {
        const TColor v = TColor(ColorSwapRB(int32_t(GetColorVectorCurrent())));
        c.Background = QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    }
    const bool warnSelected = editing ? selected && !focused : selected;
    const QColor warning = warnSelected ? pal.color(QPalette::Window) : red;
    const QString text = index.data(Qt::DisplayRole).toString();
    if (selected && !focused)
        c.Text = pal.color(QPalette::HighlightedText);
    else if (text == QLatin1String("---"))
        c.Text = pal.color(QPalette::Disabled, QPalette::Text);
    else if (s.Followed) {
        if (s.CurrentObject)
            c.Text = Qt::black;
        else if (r->Blocks())
            c.Text = warning;
        else if (s.Target)
            c.Text = pal.color(s.Night ? QPalette::WindowText : QPalette::Window);
        else
            c.Text = pal.color(QPalette::Text);
    } else {
        c.Text = r->Warns() ? warning : pal.color(QPalette::WindowText);
    }
    return c;
}

void TRouteRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const TColors c = ColorsOf(opt, index);
    painter->save();
    if (c.Background.isValid()) painter->fillRect(opt.rect, c.Background);
    if (index.column() == 0) {
        const TRteNodeData *r = FModel->Row(index.row());
        const int icon = r && r->Kind == RteNodeKind::RoutePoint && !r->HasItem ? 18 : r ? r->Icon : -1;
        if (FImages && icon >= 0 && icon < FImages->Count()) {
            const QImage image = FImages->Image(icon);
            const QPoint at(opt.rect.left() + 2, opt.rect.top() + (opt.rect.height() - image.height()) / 2);
            painter->drawImage(at, image);
        }
    }
    painter->setPen(c.Text);
    painter->setFont(opt.font);
    const QRect text = opt.rect.adjusted(TextMargin, 0, -TextMargin, 0);
    const Qt::Alignment align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    painter->drawText(text, align, opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, text.width()));
    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.rect = opt.rect;
        focus.state = opt.state;
        focus.palette = opt.palette;
        QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
    }
    painter->restore();
}
