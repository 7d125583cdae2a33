#include "exchange/FraImportSelect.h"

#include "base/controls/KvControls.h"
#include "base/controls/MarivoListViewPopup.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/texts/KvStr.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"
#include "exchange/FraImportSelectTexts.h"
#include "exchange/FraImportShared.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoDraw.h"
#include "shell/MarivoNavEnv.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

using namespace ImportSelectText;

namespace {

QChar FirstLetter(const TLanguageStrings &table) {
    const QString text = LanguageText(table);
    return text.isEmpty() ? QChar() : text.at(0);
}

QString Metres(double m) { return QString::number(m, 'f', 2) + u'm'; }

// Column 0 draws its check box centred; a click on it or Space toggles it.
class TCheckDelegate : public QStyledItemDelegate {
public:
    TCheckDelegate(QTreeView *tree) : QStyledItemDelegate(tree), FTree(tree) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        // Every second item row of a group in the shared alternate colour, whatever the order.
        if (index.parent().isValid() && index.row() % 2 == 1)
            painter->fillRect(option.rect, TColorToColor(AlternateRowColor));
        if (index.column() != 0 || !(index.flags() & Qt::ItemIsUserCheckable)) {
            o.features &= ~QStyleOptionViewItem::HasCheckIndicator;
            QStyledItemDelegate::paint(painter, o, index);
            return;
        }
        TCheckCell cell;
        cell.Type = TCheckType::CheckBox;
        cell.State = index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? TCheckState::Checked
                                                                           : TCheckState::Unchecked;
        cell.Hot = option.state & QStyle::State_MouseOver;
        DrawCheckBoxCell(*painter, cell, option.rect);
    }

    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &,
                     const QModelIndex &index) override {
        if (index.column() != 0 || !(index.flags() & Qt::ItemIsUserCheckable)) return false;
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto *e = static_cast<QMouseEvent *>(event);
            const QPoint p = e->position().toPoint();
            return ToggleCheckBoxCellAt(FTree, p.x(), p.y());
        }
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
            return false;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key != Qt::Key_Space && key != Qt::Key_Select) return false;
            const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
        return false;
    }

private:
    QTreeView *FTree;
};

// The group rows paint their title over the full width.
class TSelectTree : public QTreeView {
public:
    using QTreeView::QTreeView;

protected:
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                 const QModelIndex &index) const override {
        if (index.parent().isValid()) {
            QTreeView::drawRow(painter, option, index);
            return;
        }
        DrawImportTitleRow(*painter, option.rect, option.palette, font(), index.data().toString());
    }
};

}  // namespace

TFrameImportSelect::TFrameImportSelect(TMarivoNavEnv *env, QWidget *owner)
    : TFrameScaled(owner), FEnv(env) {
    auto *layout = new QVBoxLayout(this);
    FLabelInformation = new QLabel(this);
    layout->addWidget(FLabelInformation);
    FTree = new TSelectTree(this);
    FModel = new QStandardItemModel(0, ColumnCount, this);
    FModel->setSortRole(SortRole);
    FTree->setModel(FModel);
    FTree->setItemDelegate(new TCheckDelegate(FTree));
    FTree->setIndentation(0);
    FTree->setRootIsDecorated(false);
    FTree->setItemsExpandable(false);
    FTree->setAlternatingRowColors(false);
    FTree->setUniformRowHeights(true);
    FTree->setMouseTracking(true);
    FTree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FTree->setSelectionBehavior(QAbstractItemView::SelectRows);
    FTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTree->header()->setSectionsClickable(true);
    FTree->header()->setSortIndicatorShown(true);
    const int widths[ColumnCount] = {75, 50, 175, 100, 100, 125, 75, 125, 125, 75};
    for (int c = 0; c < ColumnCount; ++c) FTree->header()->resizeSection(c, widths[c]);
    layout->addWidget(FTree, 1);
    connect(FModel, &QStandardItemModel::itemChanged, this, &TFrameImportSelect::OnItemChanged);
    connect(FTree->header(), &QHeaderView::sectionClicked, this, &TFrameImportSelect::OnHeaderClicked);
    FPopup = new TListViewPopup(true, FTree, this);
    FTree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FTree, &QWidget::customContextMenuRequested, FPopup,
            [this](const QPoint &pos) { FPopup->popup(FTree->viewport()->mapToGlobal(pos)); });
    UpdateTexts();
    UpdateColumns();
    ScaleToScreen();
}

TFrameImportSelect::~TFrameImportSelect() = default;

QString TFrameImportSelect::Information() const { return FLabelInformation->text(); }

void TFrameImportSelect::SetKind(int32_t kind) {
    FKind = kind;
    UpdateTexts();
    UpdateColumns();
}

void TFrameImportSelect::UpdateTexts() {
    QStringList captions;
    for (const TLanguageStrings &c : SColumns) captions << LanguageText(c);
    FModel->setHorizontalHeaderLabels(captions);
    const bool routes = FKind == ImportTextKind::Routes;
    FLabelInformation->setText(LanguageText(routes ? SSelectRoutePoints : SSelectWaypoints));
    setWindowTitle(LanguageText(routes ? SRoutes : SWaypoints));
}

void TFrameImportSelect::UpdateColumns() {
    const bool routes = FKind == ImportTextKind::Routes;
    for (int c : {ColSubName, ColProximity, ColGroup, ColType}) FTree->setColumnHidden(c, routes);
    for (int c : {ColNr, ColRadius}) FTree->setColumnHidden(c, !routes);
}

QString TFrameImportSelect::CellText(const TPointData &item, int column, bool &none) const {
    const int format = FEnv ? FEnv->PositionFormat : 1;
    QString text;
    switch (column) {
    case ColNr: text = QString::number(item.Index + 1); break;
    case ColName: text = item.Name; break;
    case ColLatitude:
        AngleToStr1(DefAngleDecimalsFor(format), FirstLetter(KvStr::CompassPointN),
                    FirstLetter(KvStr::CompassPointS), item.LatitudeRad, format, 1, 1, text);
        break;
    case ColLongitude:
        AngleToStr1(DefAngleDecimalsFor(format), FirstLetter(KvStr::CompassPointE),
                    FirstLetter(KvStr::CompassPointW), item.LongitudeRad, format, 2, 1, text);
        break;
    case ColSubName: text = item.SubName; break;
    case ColProximity: text = item.ProximityM >= 0.0 ? Metres(item.ProximityM) : QString(); break;
    case ColGroup: text = item.GroupName; break;
    case ColType: text = item.TypeName; break;
    case ColRadius: text = item.RadiusM >= 0.0 ? Metres(item.RadiusM) : QString(); break;
    default: return QString();
    }
    none = text.isEmpty();
    return none ? LanguageText(SNone) : text;
}

QList<QStandardItem *> TFrameImportSelect::ItemRow(TPointData *item) const {
    QList<QStandardItem *> row;
    const QColor grey = QApplication::palette().color(QPalette::Dark);
    for (int c = 0; c < ColumnCount; ++c) {
        auto *cell = new QStandardItem;
        cell->setEditable(false);
        cell->setData(QVariant::fromValue(static_cast<void *>(item)), ItemRole);
        bool none = false;
        if (c == ColImport) {
            cell->setCheckable(true);
            cell->setCheckState(item->Import ? Qt::Checked : Qt::Unchecked);
            cell->setData(0, SortRole);  // the check column does not reorder
        } else {
            cell->setText(CellText(*item, c, none));
            if (none && c != ColRadius && c != ColNr) cell->setForeground(grey);
        }
        switch (c) {
        case ColNr: cell->setData(item->Index, SortRole); break;
        case ColLatitude: cell->setData(item->LatitudeRad, SortRole); break;
        case ColLongitude: cell->setData(item->LongitudeRad, SortRole); break;
        case ColProximity: cell->setData(item->ProximityM, SortRole); break;
        case ColRadius: cell->setData(item->RadiusM, SortRole); break;
        case ColImport: break;
        default: cell->setData(cell->text().toLower(), SortRole);
        }
        const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
        if (c == ColNr || c == ColLatitude || c == ColLongitude || c == ColProximity)
            cell->setTextAlignment(right);
        row << cell;
    }
    return row;
}

void TFrameImportSelect::Fill(std::vector<TPointData> &items) {
    FModel->removeRows(0, FModel->rowCount());
    FSortColumn = FKind == ImportTextKind::Routes ? ColNr : ColName;
    FSortOrder = Qt::AscendingOrder;
    QHash<QString, QStandardItem *> groups;
    for (TPointData &item : items) {
        // Paths are compared as the file system does: case-sensitively.
        const QString title = FKind == ImportTextKind::Routes
                                  ? item.RouteName + QStringLiteral(" (") + item.FileName + u')'
                                  : item.FileName;
        QStandardItem *&group = groups[title];
        if (!group) {
            QList<QStandardItem *> row;
            for (int c = 0; c < ColumnCount; ++c) {
                auto *cell = new QStandardItem(c == 0 ? title : QString());
                cell->setEditable(false);
                cell->setData(title.toLower(), SortRole);
                row << cell;
            }
            FModel->appendRow(row);
            group = row[0];
        }
        group->appendRow(ItemRow(&item));
    }
    FModel->sort(FSortColumn, FSortOrder);
    FTree->header()->setSortIndicator(FSortColumn, FSortOrder);
    for (int r = 0; r < FModel->rowCount(); ++r) {
        FTree->setFirstColumnSpanned(r, QModelIndex(), true);
        FTree->expand(FModel->index(r, 0));
    }
}

void TFrameImportSelect::OnItemChanged(QStandardItem *cell) {
    if (cell->column() != ColImport || !cell->isCheckable()) return;
    auto *item = static_cast<TPointData *>(cell->data(ItemRole).value<void *>());
    if (item) item->Import = cell->checkState() == Qt::Checked;
}

void TFrameImportSelect::OnHeaderClicked(int column) {
    if (column == ColImport) {
        FTree->header()->setSortIndicator(FSortColumn, FSortOrder);
        return;
    }
    FSortOrder = column == FSortColumn && FSortOrder == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                           : Qt::AscendingOrder;
    FSortColumn = column;
    FModel->sort(FSortColumn, FSortOrder);
    FTree->header()->setSortIndicator(FSortColumn, FSortOrder);
    for (int r = 0; r < FModel->rowCount(); ++r) FTree->setFirstColumnSpanned(r, QModelIndex(), true);
}

bool TFrameImportSelect::Validate() {
    int checked = 0, invalid = 0;
    for (int r = 0; r < FModel->rowCount(); ++r) {
        QStandardItem *group = FModel->item(r);
        int inGroup = 0;
        for (int i = 0; i < group->rowCount(); ++i)
            if (group->child(i, ColImport)->checkState() == Qt::Checked) ++inGroup;
        checked += inGroup;
        if (inGroup < 2) ++invalid;
    }
    if (FKind != ImportTextKind::Routes) {
        if (checked > 0) return true;
        MsgBox(LanguageText(SNoWaypointsChecked), mtError, MsgButtons({mbOK}));
        return false;
    }
    if (invalid == 0) return true;
    if (invalid == FModel->rowCount()) {
        MsgBox(LanguageText(SNoRoutes), mtError, MsgButtons({mbOK}));
        return false;
    }
    return MsgBox(LanguageText(SNotAllRoutes), mtWarning, MsgButtons({mbYes, mbNo})) == mrYes;
}
