#include "exchange/FraDataFilter.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvNightScreen.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/waypoints/KvWaypoints.h"
#include "shell/MarivoUtils.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const TLanguageStrings TextGroupFilter = {"Group filter", "Groepfilter", "Gruppenfilter", "Filtre de groupes",
                                          "Filtro de grupos", "Filtro gruppi", "Gruppefilter", "Gruppfilter"};
const TLanguageStrings TextNoGroups = {
    "No waypoint groups available", "Geen waypointgroepen beschikbaar", "Keine Wegpunktgruppen verfügbar",
    "Aucun groupe de waypoints disponible", "No hay grupos de waypoints", "Nessun gruppo di waypoint disponibile",
    "Ingen waypointgrupper tilgængelige", "Inga waypointgrupper tillgängliga"};
const TLanguageStrings TextUngrouped = {"Ungrouped", "Niet gegroepeerd", "Ohne Gruppe", "Sans groupe",
                                        "Sin grupo", "Senza gruppo", "Ugrupperet", "Ogrupperade"};

constexpr TColor NoGroupsColour = 0x0000FF;
constexpr TColor AlternateRowColour = 0xFAFAFA;

class TDataFilterDelegate : public QStyledItemDelegate {
public:
    TDataFilterDelegate(TDataFilterModel *model, TDataFilterTree *tree)
        : QStyledItemDelegate(tree), FModel(model), FTree(tree) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 22};
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const TDataFilterRow *row = FModel->Row(index);
        if (!row) return;
        const QPalette &pal = option.palette;
        if (row->Database && !row->Group) {
            p->fillRect(option.rect, pal.color(QPalette::Window));
            DrawGroupRowCell(*p, option.rect, index.column(), false, pal.color(QPalette::Dark),
                             pal.color(QPalette::Button), FModel->columnCount());
        }
        QStyledItemDelegate::paint(p, option, index);
        if (index.column() == 1 && !row->Children.empty())
            DrawGroupExpandButton(*p, option.rect, index, FTree->HotRow, FTree->PressedRow,
                                  FTree->isExpanded(index.siblingAtColumn(0)));
        const TDataFilterRow *parent = row->Parent;
        const bool lastInGroup = parent && row->Row == int(parent->Children.size()) - 1 &&
                                 parent->Row < FModel->rowCount() - 1;
        if (!lastInGroup && !(row->Database && !row->Group)) DrawRowSeparator(*p, option.rect);
    }

private:
    TDataFilterModel *FModel;
    TDataFilterTree *FTree;
};

// Fixed colours of the tree, in night colours while night mode is on.
QColor ScreenColour(TColor c) {
    INightScreen *ns = NightScreen();
    return TColorToColor(ns && ns->IsActive() ? ns->ConvertColor(c) : c);
}

// The light grey of odd rows; by night the palette's own, as a converted light grey would
// outshine the dim text.
QColor AlternateColour() {
    INightScreen *ns = NightScreen();
    if (ns && ns->IsActive()) return QApplication::palette().color(QPalette::AlternateBase);
    return TColorToColor(AlternateRowColour);
}

bool HasCheckBox(const TDataFilterRow &row) {
    if (row.Group) return true;
    return row.Database && !row.Children.empty() && row.Children.front()->Group;
}

}  // namespace

Qt::CheckState DataFilterDatabaseState(const TDataFilterRow &database) {
    int groups = 0, ticked = 0;
    for (const auto &child : database.Children) {
        if (!child->Group) continue;
        ++groups;
        if (child->State == Qt::Checked) ++ticked;
    }
    if (ticked == 0) return Qt::Unchecked;
    return ticked == groups ? Qt::Checked : Qt::PartiallyChecked;
}

// ---- model ----

TDataFilterModel::TDataFilterModel(TFrameDataFilter *frame) : QAbstractItemModel(frame), FFrame(frame) {}

void TDataFilterModel::Reset(std::vector<std::unique_ptr<TDataFilterRow>> rows) {
    beginResetModel();
    FRoots = std::move(rows);
    SortRows();
    endResetModel();
}

TDataFilterRow *TDataFilterModel::Row(const QModelIndex &index) const {
    return index.isValid() ? static_cast<TDataFilterRow *>(index.internalPointer()) : nullptr;
}

QModelIndex TDataFilterModel::IndexOf(const TDataFilterRow *row, int column) const {
    return row ? createIndex(row->Row, column, const_cast<TDataFilterRow *>(row)) : QModelIndex();
}

const std::vector<std::unique_ptr<TDataFilterRow>> &TDataFilterModel::Rows(const TDataFilterRow *parent) const {
    return parent ? parent->Children : FRoots;
}

void TDataFilterModel::SortRows() {
    const bool descending = FOrder == Qt::DescendingOrder;
    IWptDatabase *current = FFrame->CurrentDatabase();
    auto less = [&](const std::unique_ptr<TDataFilterRow> &a, const std::unique_ptr<TDataFilterRow> &b) {
        const bool ua = a->Group && a->Group->IsUngrouped(), ub = b->Group && b->Group->IsUngrouped();
        if (ua != ub) return ua;  // the ungrouped row leads in both directions
        int c = 0;
        if (a->Group && b->Group) {
            c = StrCompareByTrailingNumberI(WptObjectGetName(a->Group), WptObjectGetName(b->Group));
        } else if (a->Database && b->Database && !a->Group && !b->Group) {
            if ((a->Database == current) != (b->Database == current)) return a->Database == current;
            c = StrCompareByTrailingNumberI(WptDatabaseGetTitle(a->Database), WptDatabaseGetTitle(b->Database));
        }
        return descending ? c > 0 : c < 0;
    };
    std::stable_sort(FRoots.begin(), FRoots.end(), less);
    for (int r = 0; r < int(FRoots.size()); ++r) {
        TDataFilterRow *root = FRoots[size_t(r)].get();
        root->Row = r;
        std::stable_sort(root->Children.begin(), root->Children.end(), less);
        for (int c = 0; c < int(root->Children.size()); ++c) root->Children[size_t(c)]->Row = c;
    }
}

void TDataFilterModel::sort(int, Qt::SortOrder order) {
    FOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    SortRows();
    QModelIndexList after;
    for (const QModelIndex &i : before) after.append(IndexOf(Row(i), i.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TDataFilterModel::SetDatabaseState(TDataFilterRow *database, Qt::CheckState state) {
    database->State = state;
    for (const auto &child : database->Children) {
        if (!child->Group) continue;
        child->State = state;
        FFrame->SetGroupChecked(child->Group, state == Qt::Checked);
    }
    if (!database->Children.empty())
        emit dataChanged(IndexOf(database->Children.front().get()), IndexOf(database->Children.back().get()),
                         {Qt::CheckStateRole});
}

QModelIndex TDataFilterModel::index(int row, int column, const QModelIndex &parent) const {
    if (column < 0 || column > 1 || parent.column() > 0) return {};
    const auto &rows = Rows(Row(parent));
    return row >= 0 && row < int(rows.size()) ? createIndex(row, column, rows[size_t(row)].get()) : QModelIndex();
}

QModelIndex TDataFilterModel::parent(const QModelIndex &child) const {
    const TDataFilterRow *r = Row(child);
    return r && r->Parent ? IndexOf(r->Parent) : QModelIndex();
}

int TDataFilterModel::rowCount(const QModelIndex &parent) const {
    if (parent.column() > 0) return 0;
    return int(Rows(Row(parent)).size());
}

int TDataFilterModel::columnCount(const QModelIndex &) const { return 2; }

QVariant TDataFilterModel::data(const QModelIndex &index, int role) const {
    const TDataFilterRow *r = Row(index);
    if (!r) return {};
    const bool databaseRow = r->Database && !r->Group;
    if (index.column() == 1) return role == Qt::BackgroundRole && !databaseRow && r->Row % 2 == 1
                                        ? QVariant(AlternateColour()) : QVariant();
    switch (role) {
    case Qt::DisplayRole:
        if (databaseRow) return FFrame->DatabaseCaption(r->Database);
        if (!r->Group) return LanguageText(TextNoGroups);
        return (r->Group->IsUngrouped() ? LanguageText(TextUngrouped) : WptObjectGetName(r->Group)) +
               QStringLiteral(" (%1)").arg(r->Count);
    case Qt::CheckStateRole: return HasCheckBox(*r) ? QVariant(int(r->State)) : QVariant();
    case Qt::FontRole:
        if (databaseRow) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        if (!r->Database && !r->Group) return ScreenColour(NoGroupsColour);
        return {};
    case Qt::BackgroundRole:
        if (!databaseRow && r->Row % 2 == 1) return AlternateColour();
        return {};
    default: return {};
    }
}

bool TDataFilterModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    TDataFilterRow *r = Row(index);
    if (!r || role != Qt::CheckStateRole || !HasCheckBox(*r)) return false;
    const auto state = Qt::CheckState(value.toInt());
    if (!r->Group) {
        SetDatabaseState(r, state);
    } else {
        r->State = state == Qt::Checked ? Qt::Checked : Qt::Unchecked;
        FFrame->SetGroupChecked(r->Group, r->State == Qt::Checked);
        if (r->Parent) {
            r->Parent->State = DataFilterDatabaseState(*r->Parent);
            emit dataChanged(IndexOf(r->Parent), IndexOf(r->Parent), {Qt::CheckStateRole});
        }
    }
    emit dataChanged(index, index, {Qt::CheckStateRole});
    FFrame->Changed();
    return true;
}

Qt::ItemFlags TDataFilterModel::flags(const QModelIndex &index) const {
    const TDataFilterRow *r = Row(index);
    if (!r) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0 && HasCheckBox(*r)) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant TDataFilterModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole) return FFrame->GroupColumnCaption();
    return {};
}

// ---- tree ----

void TDataFilterTree::RowMouseRelease(QMouseEvent *event) {
    QTreeView::mouseReleaseEvent(event);
    // The box itself toggles through the view; a click beside it toggles it here.
    const QPoint pos = event->position().toPoint();
    QModelIndex node;
    int column = -1;
    const QModelIndex label = indexAt(pos);
    if (GroupExpandButtonHitTest(this, pos.x(), pos.y(), node, column) || event->button() != Qt::LeftButton ||
        !label.isValid() || label.column() != 0 || !(model()->flags(label) & Qt::ItemIsUserCheckable))
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(label);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    if (style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this).contains(pos)) return;
    const bool ticked = label.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    model()->setData(label, int(ticked ? Qt::Unchecked : Qt::Checked), Qt::CheckStateRole);
}

// ---- frame ----

TFrameDataFilter::TFrameDataFilter(IWptManager *manager, IWptDatabase *database, IWptDatabase *currentDatabase,
                                   const QString &currentDatabaseCaption, QWidget *parent)
    : TFrameScaled(parent), FManager(manager), FDatabase(manager ? nullptr : database),
      FCurrentDatabase(currentDatabase), FCurrentDatabaseCaption(currentDatabaseCaption),
      FCheckedGroups(WptWaypointGroupListCreate(0)), FModel(new TDataFilterModel(this)) {
    setObjectName(QStringLiteral("FrameDataFilter"));
    ListView = new TDataFilterTree(this);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setModel(FModel);
    ListView->setItemDelegate(new TDataFilterDelegate(FModel, ListView));
    ListView->setRootIsDecorated(false);
    ListView->setIndentation(12);
    ListView->setMouseTracking(true);
    ListView->setExpandsOnDoubleClick(false);
    ListView->header()->setStretchLastSection(false);
    ListView->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListView->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    ListView->header()->resizeSection(1, 15);
    ListView->header()->setSortIndicator(0, Qt::AscendingOrder);
    ListView->setSortingEnabled(true);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(ListView);
    InitCheckedGroups();
    UpdateTexts();
    Rebuild();
}

IWptManager *TFrameDataFilter::Manager() const {
    return FManager ? FManager : FDatabase ? FDatabase->GetManager() : nullptr;
}

void TFrameDataFilter::InitCheckedGroups() {
    FCheckedGroups->Clear();
    if (FManager) {
        // The ungrouped pseudo-group is not a group of the manager: it starts unticked.
        for (int i = FManager->GetWaypointGroupCount() - 1; i >= 0; --i)
            FCheckedGroups->Add(FManager->GetWaypointGroup(i));
    } else if (FDatabase) {
        for (int i = FDatabase->GetWaypointGroupCount() - 1; i >= 0; --i)
            FCheckedGroups->Add(FDatabase->GetWaypointGroup(i));
        FCheckedGroups->Add(Manager()->GetUngroupedGroup());
    }
}

void TFrameDataFilter::GetWaypoints(IWptWaypointList *list) {
    list->Clear();
    if (IWptManager *m = Manager()) m->CollectWaypoints(list, FCheckedGroups.get(), 0, 0, nullptr, 0);
}

void TFrameDataFilter::SetCurrentDatabase(IWptDatabase *database) {
    FCurrentDatabase = database;
    Rebuild();
}

void TFrameDataFilter::SetCurrentDatabaseCaption(const QString &text) {
    FCurrentDatabaseCaption = text;
    ListView->viewport()->update();
}

void TFrameDataFilter::Update() {
    ListView->viewport()->repaint();
    Rebuild();
}

void TFrameDataFilter::UpdateTexts() {
    FGroupCaption = LanguageText(TextGroupFilter);
    emit FModel->headerDataChanged(Qt::Horizontal, 0, 0);
}

QString TFrameDataFilter::DatabaseCaption(IWptDatabase *database) const {
    if (database == FCurrentDatabase && !FCurrentDatabaseCaption.isEmpty()) return FCurrentDatabaseCaption;
    return WptDatabaseGetTitle(database);
}

std::unique_ptr<TDataFilterRow> TFrameDataFilter::GroupRow(IWptWaypointGroup *group) {
    auto row = std::make_unique<TDataFilterRow>();
    row->Group = group;
    row->Count = group->GetWaypointCount();
    row->State = FCheckedGroups->IndexOf(group) >= 0 ? Qt::Checked : Qt::Unchecked;
    return row;
}

std::unique_ptr<TDataFilterRow> TFrameDataFilter::DatabaseRow(IWptDatabase *db) {
    auto row = std::make_unique<TDataFilterRow>();
    row->Database = db;
    for (int i = db->GetWaypointGroupCount() - 1; i >= 0; --i) row->Children.push_back(GroupRow(db->GetWaypointGroup(i)));
    if (row->Children.empty()) row->Children.push_back(std::make_unique<TDataFilterRow>());
    for (auto &child : row->Children) child->Parent = row.get();
    row->State = DataFilterDatabaseState(*row);
    return row;
}

void TFrameDataFilter::Rebuild() {
    std::vector<std::unique_ptr<TDataFilterRow>> rows;
    if (FManager) {
        for (int i = FManager->GetDatabaseCount() - 1; i >= 0; --i) rows.push_back(DatabaseRow(FManager->GetDatabase(i)));
    } else if (FDatabase) {
        rows.push_back(DatabaseRow(FDatabase));
    }
    if (IWptManager *m = Manager()) rows.push_back(GroupRow(m->GetUngroupedGroup()));
    FModel->Reset(std::move(rows));
    ListView->expandAll();
}

void TFrameDataFilter::SetGroupChecked(IWptWaypointGroup *group, bool checked) {
    const int index = FCheckedGroups->IndexOf(group);
    if (checked && index < 0) FCheckedGroups->Add(group);
    if (!checked && index >= 0) FCheckedGroups->Delete(index);
}

void TFrameDataFilter::Changed() {
    if (OnChange) OnChange(this);
    ListView->viewport()->update();
}
