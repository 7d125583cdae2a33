#include "exchange/FraDataSelectItems.h"

#include "base/controls/KvControls.h"
#include "base/controls/MarivoListViewPopup.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvGraphics.h"
#include "base/graphics/KvNightScreen.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "shell/MarivoImages.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvStrUtils.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const TLanguageStrings TextImport = {"import", "importeren", "importieren", "importer",
                                     "importar", "importare", "importere", "importera"};
const TLanguageStrings TextDownload = {"download", "downloaden", "herunterladen", "télécharger",
                                       "descargar", "scaricare", "downloade", "ladda ner"};
const TLanguageStrings TextNoName = {"<no name>", "<geen naam>", "<kein Name>", "<sans nom>",
                                     "<sin nombre>", "<senza nome>", "<intet navn>", "<inget namn>"};

constexpr int IconRowHeight = 33;
constexpr int RowHeight = 22;
constexpr int IconBox = 32;

int CompareNames(const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive); }

class TDataSelectDelegate : public QStyledItemDelegate {
public:
    TDataSelectDelegate(TDataSelectTree *tree) : QStyledItemDelegate(tree), FTree(tree) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const TDataSelectNode *node = FTree->Model()->Node(index);
        const int width = QStyledItemDelegate::sizeHint(option, index).width() + (node && node->Icon ? IconBox : 0);
        return {width, node && node->Icon ? IconRowHeight : RowHeight};
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const TDataSelectNode *node = FTree->Model()->Node(index);
        if (!node) return;
        p->save();
        if (node->IsGroup)
            PaintGroup(p, option, index);
        else
            PaintItem(p, option, index, *node);
        p->restore();
    }

private:
    void PaintGroup(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const {
        const QPalette &pal = option.palette;
        const QRect r = option.rect;
        p->fillRect(r, pal.color(QPalette::Base));
        DrawGroupRowCell(*p, r, -1, true, pal.color(QPalette::Dark), pal.color(QPalette::Button), 1);
        QFont bold = option.font;
        bold.setBold(true);
        p->setFont(bold);
        p->setPen(pal.color(QPalette::ButtonText));
        const QRect text = r.adjusted(6, 0, -24, 0);
        p->drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                    QFontMetrics(bold).elidedText(index.data().toString(), Qt::ElideRight, text.width()));
        DrawGroupExpandButton(*p, r, index, FTree->HotRow, FTree->PressedRow, FTree->isExpanded(index));
    }

    void PaintItem(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index,
                   const TDataSelectNode &node) const {
        if (index.column() == 0 && node.Icon) {
            QStyleOptionViewItem o = option;
            initStyleOption(&o, index);
            const QRect r = option.rect;
            o.text.clear();
            QApplication::style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &o, p, FTree);
            const QRect box(r.left() + 2, r.top() + (r.height() - IconBox) / 2, IconBox, IconBox);
            INightScreen *ns = NightScreen();
            if (ns && ns->IsActive()) {
                // The type's own bitmap stays as it is; the row shows a converted copy.
                QImage icon = Bmp32ToImage(node.Icon);
                NightScreenConvertBitmap(ns, icon);
                const QImage half = icon.scaled(icon.size() / 2, Qt::KeepAspectRatio, Qt::SmoothTransformation);
                p->drawImage(box.center() - QPoint(half.width() / 2, half.height() / 2), half);
            } else {
                DrawBmp32Centered(node.Icon, *p, box, true, 0, 0, 0, 0.5f);
            }
            const bool highlighted = (option.state & QStyle::State_Selected) && FTree->hasFocus();
            p->setPen(option.palette.color(highlighted ? QPalette::HighlightedText : QPalette::Text));
            p->setFont(option.font);
            const QRect text = r.adjusted(IconBox + 6, 0, -2, 0);
            p->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                        option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width()));
        } else {
            QStyledItemDelegate::paint(p, option, index);
        }
        // No line above a group band: the band has its own edge.
        const TDataSelectNode *group = node.Parent;
        const int roots = FTree->Model()->rowCount();
        const bool lastInGroup = group && node.Row == int(group->Children.size()) - 1 && group->Row < roots - 1;
        if (!lastInGroup) DrawRowSeparator(*p, option.rect);
    }

    TDataSelectTree *FTree;
};

}  // namespace

QString DataTransferVerb(TDataTransferMode mode) { return LanguageText(mode == 2 ? TextDownload : TextImport); }

QString DataSelectFormat(QString text, const QStringList &args) {
    int from = 0;
    for (const QString &a : args) {
        const int at = text.indexOf(QLatin1String("%s"), from);
        if (at < 0) break;
        text.replace(at, 2, a);
        from = at + int(a.size());
    }
    return text;
}

QWidget *DataSelectAddTab(QTabWidget *pages, QLabel *&label, QLabel *&image, QWidget *&host) {
    auto *sheet = new QWidget(pages);
    pages->addTab(sheet, QString());
    auto *strip = new QWidget(sheet);
    strip->setObjectName(QStringLiteral("PanelInformation"));
    // Roles, not colours: the strip follows the palette into night mode.
    strip->setAutoFillBackground(true);
    strip->setBackgroundRole(QPalette::ToolTipBase);
    strip->setForegroundRole(QPalette::ToolTipText);
    image = new QLabel(strip);
    image->setPixmap(MsgIconLoad(mtInformation, false, 16));
    auto *text = new TLabelEx(QString(), strip);
    text->SetEllipsis(leEnd);
    label = text;
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 3, 4, 3);
    row->addWidget(image);
    row->addWidget(label, 1);
    host = new QWidget(sheet);
    auto *hostLayout = new QHBoxLayout(host);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    hostLayout->setSpacing(0);
    auto *column = new QVBoxLayout(sheet);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(strip);
    column->addWidget(host, 1);
    return sheet;
}

void DataSelectShowTabs(QTabWidget *pages, const std::vector<QWidget *> &offered) {
    for (int i = 0; i < pages->count(); ++i) pages->setTabVisible(i, false);
    const bool strip = offered.size() >= 2;
    pages->tabBar()->setVisible(strip);
    // A single page keeps its (hidden) tab visible: a tab made invisible hides its page, also
    // when that page already is the current one.
    for (QWidget *sheet : offered) {
        pages->setTabVisible(pages->indexOf(sheet), true);
        if (!strip) pages->setCurrentWidget(sheet);
    }
    if (strip && std::find(offered.begin(), offered.end(), pages->currentWidget()) == offered.end())
        pages->setCurrentWidget(offered.front());
}

// ---- model ----

TDataSelectModel::TDataSelectModel(uint8_t sortMode, QObject *parent)
    : QAbstractItemModel(parent), FSortMode(sortMode) {}

void TDataSelectModel::Rebuild(const std::vector<TDataSelectNode *> &items, const QSet<void *> *hidden) {
    beginResetModel();
    FRoots.clear();
    FGroups.clear();
    QHash<QString, TDataSelectNode *> groups;
    TDataSelectNode *lastGroup = nullptr;  // items of one group mostly come together
    for (TDataSelectNode *item : items) {
        item->Parent = nullptr;
        if (hidden && hidden->contains(item->Data)) continue;
        if (item->GroupName.isEmpty()) {
            FRoots.push_back(item);
            continue;
        }
        if (!lastGroup || CompareNames(lastGroup->GroupName, item->GroupName) != 0) {
            const QString key = item->GroupName.toCaseFolded();
            lastGroup = groups.value(key);
            if (!lastGroup) {
                auto group = std::make_unique<TDataSelectNode>();
                group->IsGroup = true;
                group->IsCurrent = item->IsCurrent;
                group->GroupName = item->GroupName;
                lastGroup = group.get();
                groups.insert(key, lastGroup);
                FRoots.push_back(lastGroup);
                FGroups.push_back(std::move(group));
            }
        }
        item->Parent = lastGroup;
        lastGroup->Children.push_back(item);
    }
    SortRows();
    endResetModel();
}

void TDataSelectModel::Clear() { Rebuild({}, nullptr); }

TDataSelectNode *TDataSelectModel::Node(const QModelIndex &index) const {
    return index.isValid() ? static_cast<TDataSelectNode *>(index.internalPointer()) : nullptr;
}

QModelIndex TDataSelectModel::IndexOf(const TDataSelectNode *node, int column) const {
    return node && node->Row >= 0 ? createIndex(node->Row, column, const_cast<TDataSelectNode *>(node)) : QModelIndex();
}

TDataSelectNode *TDataSelectModel::FindGroupNode(const QString &name) const {
    for (TDataSelectNode *n : FRoots)
        if (n->IsGroup && CompareNames(n->GroupName, name) == 0) return n;
    return nullptr;
}

void TDataSelectModel::SetColumns(const QStringList &captions) {
    const int old = int(Columns.size()), now = int(captions.size());
    if (now > old) {
        beginInsertColumns({}, old, now - 1);
        Columns = captions;
        endInsertColumns();
    } else if (now < old) {
        beginRemoveColumns({}, now, old - 1);
        Columns = captions;
        endRemoveColumns();
    } else {
        Columns = captions;
        if (now > 0) emit headerDataChanged(Qt::Horizontal, 0, now - 1);
    }
}

bool TDataSelectModel::Less(const TDataSelectNode *a, const TDataSelectNode *b) const {
    const bool descending = FOrder == Qt::DescendingOrder;
    int c = 0;
    // Group rows before loose items in both directions (real lists never mix them).
    if (a->IsGroup != b->IsGroup) return a->IsGroup;
    if (a->IsGroup && b->IsGroup) {
        // The current database's group leads in both directions.
        if (a->IsCurrent != b->IsCurrent) return a->IsCurrent;
        c = CompareNames(a->GroupName, b->GroupName);
    } else if (a->Data && b->Data) {
        if (FSortColumn == 0) {
            c = CompareNames(a->Name, b->Name);
        } else {
            c = StrCompareByTrailingNumberI(a->Detail, b->Detail);
            if (c == 0 && FSortMode == 1) c = StrCompareByTrailingNumberI(a->Name, b->Name);
            if (c == 0 && FSortMode == 2)
                c = WPTCompareNameByTrailingNumberI(static_cast<NavObject *>(a->Data), static_cast<NavObject *>(b->Data));
            if (c == 0 && FSortMode == 0) c = CompareNames(a->Detail, b->Detail);
        }
    }
    return descending ? c > 0 : c < 0;
}

void TDataSelectModel::SortRows() {
    auto less = [this](const TDataSelectNode *a, const TDataSelectNode *b) { return Less(a, b); };
    // Rows built from a list kept in this order need one pass, not a sort: a move among
    // a hundred thousand items stays quick.
    auto sortRows = [&less](std::vector<TDataSelectNode *> &rows) {
        if (!std::is_sorted(rows.begin(), rows.end(), less)) std::stable_sort(rows.begin(), rows.end(), less);
    };
    sortRows(FRoots);
    for (int r = 0; r < int(FRoots.size()); ++r) {
        TDataSelectNode *root = FRoots[size_t(r)];
        root->Row = r;
        sortRows(root->Children);
        for (int c = 0; c < int(root->Children.size()); ++c) root->Children[size_t(c)]->Row = c;
    }
}

void TDataSelectModel::sort(int column, Qt::SortOrder order) {
    FSortColumn = std::max(column, 0);
    FOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    SortRows();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &i : before) after.append(IndexOf(Node(i), i.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QModelIndex TDataSelectModel::index(int row, int column, const QModelIndex &parent) const {
    if (column < 0 || column >= columnCount()) return {};
    const TDataSelectNode *p = Node(parent);
    const std::vector<TDataSelectNode *> &rows = p ? p->Children : FRoots;
    return row >= 0 && row < int(rows.size()) ? createIndex(row, column, rows[size_t(row)]) : QModelIndex();
}

QModelIndex TDataSelectModel::parent(const QModelIndex &child) const {
    const TDataSelectNode *n = Node(child);
    return n && n->Parent ? IndexOf(n->Parent) : QModelIndex();
}

int TDataSelectModel::rowCount(const QModelIndex &parent) const {
    if (parent.column() > 0) return 0;
    const TDataSelectNode *p = Node(parent);
    return p ? int(p->Children.size()) : int(FRoots.size());
}

int TDataSelectModel::columnCount(const QModelIndex &) const { return std::max(int(Columns.size()), 1); }

QVariant TDataSelectModel::data(const QModelIndex &index, int role) const {
    const TDataSelectNode *n = Node(index);
    if (!n) return {};
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() > 0) return n->IsGroup ? QString() : n->Detail;
        if (n->IsGroup) return n->GroupName;
        return n->Name.isEmpty() ? LanguageText(TextNoName) : n->Name;
    case Qt::TextAlignmentRole:
        return index.column() > 0 ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::FontRole:
        if (n->IsGroup) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default: return {};
    }
}

QVariant TDataSelectModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= int(Columns.size())) return {};
    if (role == Qt::DisplayRole) return Columns[section];
    if (role == Qt::TextAlignmentRole && section > 0) return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

// ---- tree ----

TDataSelectTree::TDataSelectTree(TDataSelectModel *model, QWidget *parent) : TGroupButtonTree(parent), FModel(model) {
    setModel(model);
    setItemDelegate(new TDataSelectDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setRootIsDecorated(false);
    setIndentation(0);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(false);
    setMouseTracking(true);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSortIndicator(0, Qt::AscendingOrder);
    header()->setSortIndicatorShown(true);
    setSortingEnabled(true);
    // Group bands span the whole row; set anew after every rebuild.
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        for (int r = 0; r < FModel->rowCount(); ++r)
            if (FModel->Node(FModel->index(r, 0))->IsGroup) setFirstColumnSpanned(r, {}, true);
        expandAll();
    });
    connect(model, &QAbstractItemModel::layoutChanged, this, [this] {
        for (int r = 0; r < FModel->rowCount(); ++r)
            setFirstColumnSpanned(r, {}, FModel->Node(FModel->index(r, 0))->IsGroup);
    });
}

void TDataSelectTree::SelectNodes(const std::vector<TDataSelectNode *> &nodes) {
    std::vector<TDataSelectNode *> shown;
    for (TDataSelectNode *n : nodes)
        if (n->Row >= 0 && (!n->Parent || n->Parent->Row >= 0)) shown.push_back(n);
    // Neighbouring rows join into one range: ten thousand single rows would be slow.
    std::sort(shown.begin(), shown.end(), [](const TDataSelectNode *a, const TDataSelectNode *b) {
        const int pa = a->Parent ? a->Parent->Row : -1, pb = b->Parent ? b->Parent->Row : -1;
        return pa != pb ? pa < pb : a->Row < b->Row;
    });
    QItemSelection selection;
    const int last = FModel->columnCount() - 1;
    for (size_t i = 0; i < shown.size();) {
        size_t j = i;
        while (j + 1 < shown.size() && shown[j + 1]->Parent == shown[i]->Parent && shown[j + 1]->Row == shown[j]->Row + 1)
            ++j;
        selection.select(FModel->IndexOf(shown[i]), FModel->IndexOf(shown[j], last));
        i = j + 1;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!shown.empty()) selectionModel()->setCurrentIndex(FModel->IndexOf(shown.front()), QItemSelectionModel::NoUpdate);
}

std::vector<TDataSelectNode *> TDataSelectTree::SelectedNodes() const {
    std::vector<TDataSelectNode *> nodes;
    for (const QItemSelectionRange &range : selectionModel()->selection())
        for (int r = range.top(); r <= range.bottom(); ++r)
            if (TDataSelectNode *n = FModel->Node(FModel->index(r, 0, range.parent())); n && !n->IsGroup)
                nodes.push_back(n);
    return nodes;
}

void TGroupButtonTree::mousePressEvent(QMouseEvent *event) {
    QModelIndex node;
    int column = -1;
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && GroupExpandButtonHitTest(this, pos.x(), pos.y(), node, column)) {
        PressedRow = node.row();
        viewport()->update();
        return;
    }
    QTreeView::mousePressEvent(event);
}

void TGroupButtonTree::mouseMoveEvent(QMouseEvent *event) {
    QModelIndex node;
    int column = -1;
    const QPoint pos = event->position().toPoint();
    const int hot = GroupExpandButtonHitTest(this, pos.x(), pos.y(), node, column) ? node.row() : -1;
    if (hot != HotRow) {
        HotRow = hot;
        viewport()->update();
    }
    if (PressedRow < 0) QTreeView::mouseMoveEvent(event);
}

void TGroupButtonTree::mouseReleaseEvent(QMouseEvent *event) {
    if (PressedRow < 0) {
        RowMouseRelease(event);
        return;
    }
    PressedRow = -1;
    QModelIndex node;
    int column = -1;
    const QPoint pos = event->position().toPoint();
    if (GroupExpandButtonHitTest(this, pos.x(), pos.y(), node, column)) {
        const QModelIndex group = node.siblingAtColumn(0);
        setExpanded(group, !isExpanded(group));
    }
    viewport()->update();
}

void TGroupButtonTree::leaveEvent(QEvent *event) {
    HotRow = -1;
    viewport()->update();
    QTreeView::leaveEvent(event);
}

TDataSelectFill::TDataSelectFill(TFrameDataSelectItems *picker) : FPicker(picker) {
    FPicker->BeginUpdate();
    FPicker->ClearAvailable();
}

TDataSelectFill::~TDataSelectFill() { FPicker->EndUpdate(); }

// ---- frame ----

TFrameDataSelectItems::TFrameDataSelectItems(const QString &availableCaption, const QString &selectedCaption,
                                             uint8_t sortMode, QWidget *parent)
    : TFrameScaled(parent), FSortMode(sortMode) {
    setObjectName(QStringLiteral("FrameDataSelectItems"));
    BuildLayout(availableCaption, selectedCaption);
    FPopupAvailable = new TListViewPopup(false, ListViewFiltered, this);
    FPopupSelected = new TListViewPopup(false, ListViewSelected, this);
    for (auto [tree, popup] : {std::pair{ListViewFiltered, FPopupAvailable}, std::pair{ListViewSelected, FPopupSelected}}) {
        tree->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(tree, &QWidget::customContextMenuRequested, popup,
                [tree, popup](const QPoint &pos) { popup->popup(tree->viewport()->mapToGlobal(pos)); });
        connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateButtons(); });
    }
    connect(ButtonAdd, &QPushButton::clicked, this, &TFrameDataSelectItems::AddSelected);
    connect(ButtonRemove, &QPushButton::clicked, this, &TFrameDataSelectItems::RemoveSelected);
    UpdateButtons();
}

TFrameDataSelectItems::~TFrameDataSelectItems() {
    // The trees point into the item lists.
    ListViewFiltered->Model()->Clear();
    ListViewSelected->Model()->Clear();
}

void TFrameDataSelectItems::BuildLayout(const QString &availableCaption, const QString &selectedCaption) {
    auto panel = [this](const char *name) {
        auto *w = new QWidget(this);
        w->setObjectName(QLatin1String(name));
        return w;
    };
    PanelSource = panel("PanelSource");
    PanelButtons = panel("PanelButtons");
    PanelSelected = panel("PanelSelected");
    PanelButtons->setFixedWidth(50);
    auto tree = [this](QWidget *host, const char *name, const QString &caption) {
        auto *model = new TDataSelectModel(FSortMode, this);
        model->SetColumns({caption});
        auto *t = new TDataSelectTree(model, host);
        t->setObjectName(QLatin1String(name));
        auto *l = new QVBoxLayout(host);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(t);
        return t;
    };
    ListViewFiltered = tree(PanelSource, "ListViewFiltered", availableCaption);
    ListViewSelected = tree(PanelSelected, "ListViewSelected", selectedCaption);
    ButtonAdd = new QPushButton(PanelButtons);
    ButtonAdd->setObjectName(QStringLiteral("ButtonAdd"));
    ButtonAdd->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    ButtonRemove = new QPushButton(PanelButtons);
    ButtonRemove->setObjectName(QStringLiteral("ButtonRemove"));
    ButtonRemove->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    auto *buttons = new QVBoxLayout(PanelButtons);
    buttons->addStretch();
    buttons->addWidget(ButtonAdd);
    buttons->addWidget(ButtonRemove);
    buttons->addStretch();
    // The two lists share the width the buttons leave.
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(PanelSource, 1);
    row->addWidget(PanelButtons, 0);
    row->addWidget(PanelSelected, 1);
}

void TFrameDataSelectItems::BeginUpdate() {
    FChanged = false;
    ++FUpdating;
}

void TFrameDataSelectItems::AddItem(const QString &name, const QString &detail, const QString &groupName,
                                   IBmp32 *icon, void *data, bool isCurrent) {
    auto node = std::make_unique<TDataSelectNode>();
    node->Name = name;
    node->Detail = detail;
    node->GroupName = groupName;
    node->Icon = icon;
    node->Data = data;
    node->IsCurrent = isCurrent;
    FAvailableByData.insert(data, node.get());
    FAvailableItems.push_back(std::move(node));
    FChanged = true;
}

void TFrameDataSelectItems::EndUpdate() {
    if (FChanged) {
        // Kept in the trees' order, so that later rebuilds find their rows sorted.
        const TDataSelectModel *model = ListViewFiltered->Model();
        std::stable_sort(FAvailableItems.begin(), FAvailableItems.end(),
                         [model](const auto &a, const auto &b) { return model->Less(a.get(), b.get()); });
        RebuildAvailable();
    }
    FChanged = false;
    if (FUpdating > 0) --FUpdating;
    UpdateButtons();
}

void TFrameDataSelectItems::ClearAvailable() {
    ListViewFiltered->Model()->Clear();
    FAvailableItems.clear();
    FAvailableByData.clear();
    UpdateButtons();
}

void TFrameDataSelectItems::ClearSelected() {
    ListViewSelected->Model()->Clear();
    FSelectedItems.clear();
    FSelectedData.clear();
    // Nothing is chosen any more, so nothing stays hidden on the left.
    RebuildAvailable();
    UpdateButtons();
}

int TFrameDataSelectItems::GetSelectedCount() const { return int(FSelectedItems.size()); }

void *TFrameDataSelectItems::GetSelectedData(int index) const {
    return index >= 0 && index < GetSelectedCount() ? FSelectedItems[size_t(index)]->Data : nullptr;
}

int TFrameDataSelectItems::FindColumn(const TDataSelectTree *tree, const QString &caption) const {
    const QStringList &columns = tree->Model()->Columns;
    for (int c = int(columns.size()) - 1; c >= 0; --c)
        if (CompareNames(columns[c], caption) == 0) return c;
    return -1;
}

void TFrameDataSelectItems::AddColumn(const QString &caption, int width) {
    for (TDataSelectTree *tree : {ListViewFiltered, ListViewSelected}) {
        if (FindColumn(tree, caption) >= 0) continue;
        tree->Model()->SetColumns(tree->Model()->Columns + QStringList{caption});
        const int column = int(tree->Model()->Columns.size()) - 1;
        tree->header()->setSectionResizeMode(column, QHeaderView::Fixed);
        // Never narrower than its caption.
        tree->setColumnWidth(column, std::max(width, tree->header()->sectionSizeHint(column)));
    }
}

void TFrameDataSelectItems::DeleteColumn(const QString &caption) {
    for (TDataSelectTree *tree : {ListViewFiltered, ListViewSelected}) {
        const int column = FindColumn(tree, caption);
        if (column <= 0) continue;
        QStringList columns = tree->Model()->Columns;
        columns.removeAt(column);
        // Removing a middle column shifts the captions; the rows' texts are the same in
        // every column but the first, so only the captions move.
        tree->Model()->SetColumns(columns);
    }
}

TDataSelectNode *TFrameDataSelectItems::FindByData(void *data) const { return FAvailableByData.value(data); }

void TFrameDataSelectItems::RebuildAvailable() {
    std::vector<TDataSelectNode *> items;
    items.reserve(FAvailableItems.size());
    for (const auto &n : FAvailableItems) items.push_back(n.get());
    ListViewFiltered->Model()->Rebuild(items, &FSelectedData);
}

void TFrameDataSelectItems::RebuildSelected() {
    std::vector<TDataSelectNode *> items;
    items.reserve(FSelectedItems.size());
    for (const auto &n : FSelectedItems) items.push_back(n.get());
    ListViewSelected->Model()->Rebuild(items, nullptr);
}

void TFrameDataSelectItems::AddSelected() {
    std::vector<TDataSelectNode *> chosen = ListViewFiltered->SelectedNodes();
    if (chosen.empty()) return;
    // One move comes in name order, after everything chosen before.
    std::stable_sort(chosen.begin(), chosen.end(), [](const TDataSelectNode *a, const TDataSelectNode *b) {
        return StrCompareByTrailingNumberI(a->Name, b->Name) < 0;
    });
    std::vector<TDataSelectNode *> added;
    for (const TDataSelectNode *n : chosen) {
        if (FSelectedData.contains(n->Data)) continue;
        auto copy = std::make_unique<TDataSelectNode>(*n);
        copy->Parent = nullptr;
        copy->Row = -1;
        FSelectedData.insert(n->Data);
        added.push_back(copy.get());
        FSelectedItems.push_back(std::move(copy));
    }
    RebuildSelected();
    RebuildAvailable();
    ListViewSelected->SelectNodes(added);
    if (!added.empty()) ListViewSelected->scrollTo(ListViewSelected->Model()->IndexOf(added.front()),
                                                   QAbstractItemView::PositionAtCenter);
    ListViewSelected->setFocus();
    UpdateButtons();
}

void TFrameDataSelectItems::RemoveSelected() {
    const std::vector<TDataSelectNode *> removed = ListViewSelected->SelectedNodes();
    if (removed.empty()) return;
    QSet<void *> data;
    for (const TDataSelectNode *n : removed) data.insert(n->Data);
    std::vector<TDataSelectNode *> back;
    for (void *d : data) {
        FSelectedData.remove(d);
        if (TDataSelectNode *n = FindByData(d)) back.push_back(n);
    }
    std::erase_if(FSelectedItems, [&data](const auto &n) { return data.contains(n->Data); });
    RebuildSelected();
    RebuildAvailable();
    ListViewFiltered->SelectNodes(back);
    ListViewFiltered->setFocus();
    UpdateButtons();
}

void TFrameDataSelectItems::UpdateButtons() {
    // A group row cannot stay selected: it is not an item to move.
    for (TDataSelectTree *tree : {ListViewFiltered, ListViewSelected}) {
        QItemSelection groups;
        for (const QModelIndex &i : tree->selectionModel()->selectedRows(0))
            if (tree->Model()->Node(i)->IsGroup) groups.select(i, i.siblingAtColumn(tree->Model()->columnCount() - 1));
        if (!groups.isEmpty()) {
            const QSignalBlocker block(tree->selectionModel());
            tree->selectionModel()->select(groups, QItemSelectionModel::Deselect);
            tree->viewport()->update();
        }
    }
    ButtonAdd->setEnabled(ListViewFiltered->selectionModel()->hasSelection());
    ButtonRemove->setEnabled(ListViewSelected->selectionModel()->hasSelection());
}
