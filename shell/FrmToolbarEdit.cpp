#include "shell/FrmToolbarEdit.h"

#include "base/dialogs/KvMsgBox.h"
#include "shell/KvToolBarUtils.h"

#include <QAction>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const TLanguageStrings TextCaption = {
    "Customize toolbar", "Werkbalk aanpassen", "Symbolleiste anpassen",
    "Personnaliser la barre d'outils", "Personalizar la barra de herramientas",
    "Personalizza la barra degli strumenti", "Tilpas værktøjslinjen", "Anpassa verktygsfältet"};
const TLanguageStrings TextToolbar = {"Toolbar",        "Werkbalk",        "Symbolleiste",
                                      "Barre d'outils", "Barra de herramientas",
                                      "Barra degli strumenti", "Værktøjslinje", "Verktygsfält"};
const TLanguageStrings TextAvailable = {
    "Available actions",     "Beschikbare acties", "Verfügbare Aktionen",     "Actions disponibles",
    "Acciones disponibles", "Azioni disponibili", "Tilgængelige handlinger", "Tillgängliga åtgärder"};
const TLanguageStrings TextInformation = {
    "Add or remove actions to the toolbar.",
    "Voeg acties toe aan de werkbalk of verwijder ze.",
    "Fügen Sie der Symbolleiste Aktionen hinzu oder entfernen Sie sie.",
    "Ajoutez des actions à la barre d'outils ou supprimez-les.",
    "Añada acciones a la barra de herramientas o quítelas.",
    "Aggiungi azioni alla barra degli strumenti o rimuovile.",
    "Tilføj handlinger til værktøjslinjen, eller fjern dem.",
    "Lägg till åtgärder i verktygsfältet eller ta bort dem."};
const TLanguageStrings TextAdd = {"Add",     "Toevoegen", "Hinzufügen", "Ajouter",
                                  "Añadir", "Aggiungi",  "Tilføj",     "Lägg till"};
const TLanguageStrings TextDelete = {"Delete",    "Verwijderen", "Löschen", "Supprimer",
                                     "Eliminar", "Elimina",     "Slet",    "Ta bort"};
const TLanguageStrings TextUp = {"Up", "Omhoog", "Nach oben", "Monter", "Subir", "Su", "Op", "Upp"};
const TLanguageStrings TextDown = {"Down",  "Omlaag", "Nach unten", "Descendre",
                                   "Bajar", "Giù",    "Ned",        "Ned"};
const TLanguageStrings TextReset = {"Reset",       "Herstellen", "Zurücksetzen", "Réinitialiser",
                                    "Restablecer", "Ripristina", "Nulstil",      "Återställ"};
const TLanguageStrings TextAskDelete = {
    "Are you sure you wish to delete the selected action from the toolbar?",
    "Weet u zeker dat u de geselecteerde actie van de werkbalk wilt verwijderen?",
    "Möchten Sie die ausgewählte Aktion wirklich aus der Symbolleiste entfernen?",
    "Voulez-vous vraiment supprimer l'action sélectionnée de la barre d'outils ?",
    "¿Seguro que desea quitar la acción seleccionada de la barra de herramientas?",
    "Rimuovere davvero l'azione selezionata dalla barra degli strumenti?",
    "Er du sikker på, at du vil slette den valgte handling fra værktøjslinjen?",
    "Vill du verkligen ta bort den valda åtgärden från verktygsfältet?"};
const TLanguageStrings TextAskReset = {
    "Are you sure you wish to reset the toolbar to its original state?",
    "Weet u zeker dat u de werkbalk wilt terugzetten naar de oorspronkelijke staat?",
    "Möchten Sie die Symbolleiste wirklich auf den ursprünglichen Zustand zurücksetzen?",
    "Voulez-vous vraiment rétablir l'état d'origine de la barre d'outils ?",
    "¿Seguro que desea restablecer la barra de herramientas a su estado original?",
    "Ripristinare davvero lo stato originale della barra degli strumenti?",
    "Er du sikker på, at du vil nulstille værktøjslinjen til den oprindelige tilstand?",
    "Vill du verkligen återställa verktygsfältet till ursprungsläget?"};
const TLanguageStrings TextEmpty = {
    "The toolbar cannot be empty.",         "De werkbalk mag niet leeg zijn.",
    "Die Symbolleiste darf nicht leer sein.", "La barre d'outils ne peut pas être vide.",
    "La barra de herramientas no puede estar vacía.", "La barra degli strumenti non può essere vuota.",
    "Værktøjslinjen må ikke være tom.",     "Verktygsfältet får inte vara tomt."};
const TLanguageStrings TextAddOne = {
    "Please add at least one item to the toolbar.",
    "Voeg ten minste één item aan de werkbalk toe.",
    "Bitte fügen Sie der Symbolleiste mindestens ein Element hinzu.",
    "Veuillez ajouter au moins un élément à la barre d'outils.",
    "Añada al menos un elemento a la barra de herramientas.",
    "Aggiungi almeno un elemento alla barra degli strumenti.",
    "Tilføj mindst ét element til værktøjslinjen.",
    "Lägg till minst ett objekt i verktygsfältet."};
const TLanguageStrings TextSeparator = {"Separator", "Scheidingslijn", "Trennlinie", "Séparateur",
                                        "Separador", "Separatore",     "Separator",  "Avgränsare"};
const TLanguageStrings TextNoButtons = {
    "No buttons added",      "Geen knoppen toegevoegd", "Keine Schaltflächen hinzugefügt",
    "Aucun bouton ajouté",   "No se han añadido botones", "Nessun pulsante aggiunto",
    "Ingen knapper tilføjet", "Inga knappar tillagda"};
const TLanguageStrings TextDragHint = {
    "Add buttons by dragging them from the item list",
    "Voeg knoppen toe door ze uit de lijst te slepen",
    "Fügen Sie Schaltflächen hinzu, indem Sie sie aus der Liste ziehen",
    "Ajoutez des boutons en les faisant glisser depuis la liste",
    "Añada botones arrastrándolos desde la lista",
    "Aggiungi pulsanti trascinandoli dall'elenco",
    "Tilføj knapper ved at trække dem fra listen",
    "Lägg till knappar genom att dra dem från listan"};

constexpr int HelpContextToolbarEdit = 8017;
constexpr int ItemNodeHeight = 32;

QString ItemText(const TToolbarItem *item) {
    if (item->Kind == ToolbarKind::Separator) return LanguageText(TextSeparator);
    return LanguageText(item->Caption);
}

// A separator shows a two-line rule where other nodes show their image.
QIcon SeparatorIcon() {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(2, 11, 21, 11);
    painter.setPen(Qt::white);
    painter.drawLine(2, 12, 21, 12);
    return QIcon(pixmap);
}

QVariant ItemDecoration(const TToolbarItem *item) {
    if (item->Kind == ToolbarKind::Separator) return SeparatorIcon();
    if (item->Action && !item->Action->icon().isNull()) return item->Action->icon();
    return {};
}

QMimeData *NodeMime(const QString &text) {
    auto *mime = new QMimeData;
    mime->setData(QString::fromLatin1(ToolbarNodeMimeType), text.toUtf8());
    return mime;
}

}  // namespace

// ---- contents model -----------------------------------------------------------------------

TToolbarContentsModel::TToolbarContentsModel(QObject *parent) : QAbstractItemModel(parent) {}

void TToolbarContentsModel::SetItems(std::vector<TToolbarItem *> items) {
    beginResetModel();
    FItems = std::move(items);
    endResetModel();
}

TToolbarItem *TToolbarContentsModel::Item(const QModelIndex &index) const {
    if (!index.isValid() || index.row() >= int(FItems.size())) return nullptr;
    return FItems[size_t(index.row())];
}

void TToolbarContentsModel::Insert(int row, TToolbarItem *item) {
    row = std::clamp(row, 0, int(FItems.size()));
    beginInsertRows({}, row, row);
    FItems.insert(FItems.begin() + row, item);
    endInsertRows();
}

void TToolbarContentsModel::Remove(int row) {
    if (row < 0 || row >= int(FItems.size())) return;
    beginRemoveRows({}, row, row);
    FItems.erase(FItems.begin() + row);
    endRemoveRows();
}

void TToolbarContentsModel::Move(int from, int to) {
    if (from < 0 || from >= int(FItems.size()) || to < 0 || to > int(FItems.size())) return;
    if (to == from || to == from + 1) return;
    beginMoveRows({}, from, from, {}, to);
    TToolbarItem *item = FItems[size_t(from)];
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + (to > from ? to - 1 : to), item);
    endMoveRows();
}

bool TToolbarContentsModel::OnToolbar(const TToolbarItem *item) const {
    if (!item || item->Kind == ToolbarKind::Separator) return false;
    return std::find(FItems.begin(), FItems.end(), item) != FItems.end();
}

QModelIndex TToolbarContentsModel::index(int row, int column, const QModelIndex &parent) const {
    if (parent.isValid() || column != 0 || row < 0 || row >= int(FItems.size())) return {};
    return createIndex(row, column);
}

QModelIndex TToolbarContentsModel::parent(const QModelIndex &) const {
    return {};
}

int TToolbarContentsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(FItems.size());
}

int TToolbarContentsModel::columnCount(const QModelIndex &) const {
    return 1;
}

QVariant TToolbarContentsModel::data(const QModelIndex &index, int role) const {
    const TToolbarItem *item = Item(index);
    if (!item) return {};
    if (role == Qt::DisplayRole) return ItemText(item);
    if (role == Qt::DecorationRole) return ItemDecoration(item);
    return {};
}

Qt::ItemFlags TToolbarContentsModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList TToolbarContentsModel::mimeTypes() const {
    return {QString::fromLatin1(ToolbarNodeMimeType)};
}

QMimeData *TToolbarContentsModel::mimeData(const QModelIndexList &indexes) const {
    if (indexes.isEmpty()) return nullptr;
    return NodeMime(QStringLiteral("contents %1").arg(indexes.first().row()));
}

Qt::DropActions TToolbarContentsModel::supportedDragActions() const {
    return Qt::MoveAction;
}

// ---- items model --------------------------------------------------------------------------

TToolbarItemsModel::TToolbarItemsModel(std::function<bool(const TToolbarItem *)> onToolbar,
                                       QObject *parent)
    : QAbstractItemModel(parent), FOnToolbar(std::move(onToolbar)) {}

int TToolbarItemsModel::Compare(const TNode &a, const TNode &b) {
    const bool aParent = !a.Children.empty(), bParent = !b.Children.empty();
    if (aParent != bParent) return aParent ? 1 : -1;
    if (aParent) return 1;
    return a.Text.compare(b.Text, Qt::CaseSensitive);
}

void TToolbarItemsModel::Sort(std::vector<TNode> &nodes) {
    std::stable_sort(nodes.begin(), nodes.end(),
                     [](const TNode &a, const TNode &b) { return Compare(a, b) < 0; });
    for (TNode &n : nodes) Sort(n.Children);
}

void TToolbarItemsModel::Fill(const TToolbarItemList &all) {
    beginResetModel();
    FRoots.clear();
    for (int i = all.Count() - 1; i >= 0; --i) {
        TToolbarItem *item = all.Items(i);
        if (!item->Visible) continue;
        const QString category = LanguageText(item->Category);
        auto found = std::find_if(FRoots.begin(), FRoots.end(), [&](const TNode &n) {
            return !n.Item && n.Text.compare(category, Qt::CaseInsensitive) == 0;
        });
        if (found == FRoots.end()) found = FRoots.insert(FRoots.end(), TNode{category, nullptr, {}});
        found->Children.push_back(TNode{ItemText(item), item, {}});
    }
    FRoots.push_back(TNode{ItemText(all.Separator()), all.Separator(), {}});
    Sort(FRoots);
    endResetModel();
}

const TToolbarItemsModel::TNode *TToolbarItemsModel::Node(const QModelIndex &index) const {
    if (!index.isValid()) return nullptr;
    const quintptr parentRow = index.internalId();
    if (parentRow == 0) return &FRoots[size_t(index.row())];
    return &FRoots[size_t(parentRow - 1)].Children[size_t(index.row())];
}

TToolbarItem *TToolbarItemsModel::Item(const QModelIndex &index) const {
    const TNode *node = Node(index);
    return node ? node->Item : nullptr;
}

void TToolbarItemsModel::Refresh() {
    for (int r = 0; r < int(FRoots.size()); ++r) {
        const QModelIndex root = index(r, 0);
        const int children = int(FRoots[size_t(r)].Children.size());
        if (children > 0)
            emit dataChanged(index(0, 0, root), index(children - 1, 0, root), {Qt::BackgroundRole});
    }
}

QModelIndex TToolbarItemsModel::index(int row, int column, const QModelIndex &parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row < int(FRoots.size()) ? createIndex(row, column, quintptr(0)) : QModelIndex();
    // Only root nodes have children: the id of a child is its root's row + 1.
    if (parent.internalId() != 0) return {};
    const TNode &root = FRoots[size_t(parent.row())];
    if (row >= int(root.Children.size())) return {};
    return createIndex(row, column, quintptr(parent.row() + 1));
}

QModelIndex TToolbarItemsModel::parent(const QModelIndex &child) const {
    if (!child.isValid() || child.internalId() == 0) return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int TToolbarItemsModel::rowCount(const QModelIndex &parent) const {
    if (!parent.isValid()) return int(FRoots.size());
    if (parent.column() != 0 || parent.internalId() != 0) return 0;
    return int(FRoots[size_t(parent.row())].Children.size());
}

int TToolbarItemsModel::columnCount(const QModelIndex &) const {
    return 1;
}

QVariant TToolbarItemsModel::data(const QModelIndex &index, int role) const {
    const TNode *node = Node(index);
    if (!node) return {};
    switch (role) {
    case Qt::DisplayRole: return node->Text;
    case Qt::DecorationRole: return node->Item ? ItemDecoration(node->Item) : QVariant();
    case Qt::FontRole: {
        if (node->Item) return {};
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    case Qt::SizeHintRole: return node->Item ? QSize(0, ItemNodeHeight) : QVariant();
    case Qt::BackgroundRole:
        if (node->Item && FOnToolbar && FOnToolbar(node->Item)) return QColor(0xE0, 0xE8, 0xF0);
        return {};
    default: return {};
    }
}

Qt::ItemFlags TToolbarItemsModel::flags(const QModelIndex &index) const {
    const TNode *node = Node(index);
    if (!node) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (node->Item && !(FOnToolbar && FOnToolbar(node->Item))) f |= Qt::ItemIsDragEnabled;
    return f;
}

QStringList TToolbarItemsModel::mimeTypes() const {
    return {QString::fromLatin1(ToolbarNodeMimeType)};
}

QMimeData *TToolbarItemsModel::mimeData(const QModelIndexList &indexes) const {
    if (indexes.isEmpty() || !Item(indexes.first())) return nullptr;
    const QModelIndex i = indexes.first();
    return NodeMime(QStringLiteral("items %1 %2").arg(int(i.internalId()) - 1).arg(i.row()));
}

Qt::DropActions TToolbarItemsModel::supportedDragActions() const {
    return Qt::CopyAction;
}

// ---- tree ---------------------------------------------------------------------------------

TToolbarTree::TToolbarTree(QWidget *parent) : QTreeView(parent) {
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setIconSize(QSize(24, 24));
}

bool TToolbarTree::TakeDrop(QDropEvent *event, bool dropNow) {
    const QString format = QString::fromLatin1(ToolbarNodeMimeType);
    if (!OnDrop || !event->mimeData()->hasFormat(format)) return false;
    const QPoint pos = event->position().toPoint();
    const QModelIndex at = indexAt(pos);
    int row = model()->rowCount();
    if (at.isValid()) {
        const QRect rect = visualRect(at);
        row = at.row() + (pos.y() < rect.center().y() ? 0 : 1);
    }
    return OnDrop(QString::fromUtf8(event->mimeData()->data(format)), row, dropNow);
}

void TToolbarTree::dragEnterEvent(QDragEnterEvent *event) {
    if (TakeDrop(event, false)) {
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}

void TToolbarTree::dragMoveEvent(QDragMoveEvent *event) {
    QTreeView::dragMoveEvent(event);
    if (TakeDrop(event, false))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TToolbarTree::dropEvent(QDropEvent *event) {
    if (TakeDrop(event, true)) {
        event->acceptProposedAction();
        // The view's own move handling must not remove the source row afterwards.
        event->setDropAction(Qt::CopyAction);
    } else {
        event->ignore();
    }
    setState(NoState);
    viewport()->update();
}

void TToolbarTree::paintEvent(QPaintEvent *event) {
    QTreeView::paintEvent(event);
    if (EmptyTitle.isEmpty() || (model() && model()->rowCount() > 0)) return;
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    const int middle = area.height() / 2;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(15, middle, area.width() - 15, middle);
    painter.setPen(palette().color(QPalette::Text));
    QFont title = font();
    title.setPointSize(11);
    painter.setFont(title);
    painter.drawText(QRect(15, 0, area.width() - 30, middle - 4), Qt::AlignHCenter | Qt::AlignBottom,
                     EmptyTitle);
    QFont text = font();
    text.setPointSize(8);
    painter.setFont(text);
    painter.drawText(QRect(15, middle + 4, area.width() - 30, area.height() - middle - 4),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, EmptyText);
}

// ---- form ---------------------------------------------------------------------------------

TFormToolbarEdit::TFormToolbarEdit(TToolbarContents &contents, QWidget *parent)
    : TFormSettingsDialog(HelpContextToolbarEdit, parent), ListViewContents(new TToolbarTree(this)),
      ListViewItems(new TToolbarTree(this)), ButtonItemAdd(new QPushButton(this)),
      ButtonItemDelete(new QPushButton(this)), ButtonItemUp(new QPushButton(this)),
      ButtonItemDown(new QPushButton(this)), ButtonItemReset(new QPushButton(this)),
      ContentsModel(new TToolbarContentsModel(this)), FContents(contents),
      FLabelContents(new QLabel(this)), FLabelItems(new QLabel(this)), FLabelInformation(new QLabel(this)) {
    ItemsModel = new TToolbarItemsModel([this](const TToolbarItem *item) { return ContentsModel->OnToolbar(item); },
                                        this);
    ListViewContents->setObjectName(QStringLiteral("ListViewContents"));
    ListViewItems->setObjectName(QStringLiteral("ListViewItems"));
    ListViewContents->setModel(ContentsModel);
    ListViewContents->setRootIsDecorated(false);
    ListViewItems->setModel(ItemsModel);
    ListViewContents->OnDrop = [this](const QString &node, int row, bool now) { return DropNode(node, row, now); };
    ListViewContents->installEventFilter(this);
    BuildLayout();
    SetTexts();
    FillContents(FContents.Current);
    ItemsModel->Fill(FContents.All);
    ListViewItems->expandAll();
    UpdateAvailability();
    connect(ButtonItemAdd, &QPushButton::clicked, this, &TFormToolbarEdit::ButtonItemAddClick);
    connect(ButtonItemDelete, &QPushButton::clicked, this, &TFormToolbarEdit::ButtonItemDeleteClick);
    connect(ButtonItemUp, &QPushButton::clicked, this, &TFormToolbarEdit::ButtonItemUpClick);
    connect(ButtonItemDown, &QPushButton::clicked, this, &TFormToolbarEdit::ButtonItemDownClick);
    connect(ButtonItemReset, &QPushButton::clicked, this, &TFormToolbarEdit::ButtonItemResetClick);
    auto update = [this] { UpdateButtons(); };
    connect(ListViewContents->selectionModel(), &QItemSelectionModel::selectionChanged, this, update);
    connect(ListViewItems->selectionModel(), &QItemSelectionModel::selectionChanged, this, update);
    connect(ContentsModel, &QAbstractItemModel::rowsMoved, this, update);
    // Whatever changes the toolbar's list changes what is still available.
    auto available = [this] { UpdateAvailability(); };
    connect(ContentsModel, &QAbstractItemModel::modelReset, this, available);
    connect(ContentsModel, &QAbstractItemModel::rowsInserted, this, available);
    connect(ContentsModel, &QAbstractItemModel::rowsRemoved, this, available);
    connect(ListViewItems, &QTreeView::doubleClicked, this, &TFormToolbarEdit::ButtonItemAddClick);
    UpdateButtons();
}

void TFormToolbarEdit::BuildLayout() {
    resize(620, 520);
    auto *grid = new QGridLayout;
    grid->addWidget(FLabelContents, 0, 0);
    grid->addWidget(FLabelItems, 0, 2);
    grid->addWidget(ListViewContents, 1, 0);
    auto *middle = new QVBoxLayout;
    for (QPushButton *b : {ButtonItemAdd, ButtonItemDelete, ButtonItemUp, ButtonItemDown}) middle->addWidget(b);
    middle->addStretch(1);
    middle->addWidget(ButtonItemReset);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(ListViewItems, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FLabelInformation);
    layout->addLayout(grid, 1);
    layout->addLayout(ButtonRow());
}

void TFormToolbarEdit::SetTexts() {
    setWindowTitle(LanguageText(TextCaption));
    FLabelContents->setText(LanguageText(TextToolbar));
    FLabelItems->setText(LanguageText(TextAvailable));
    FLabelInformation->setText(LanguageText(TextInformation));
    ButtonItemAdd->setText(QStringLiteral("<< ") + LanguageText(TextAdd));
    ButtonItemDelete->setText(LanguageText(TextDelete));
    ButtonItemUp->setText(LanguageText(TextUp));
    ButtonItemDown->setText(LanguageText(TextDown));
    ButtonItemReset->setText(LanguageText(TextReset));
    ListViewContents->EmptyTitle = LanguageText(TextNoButtons);
    ListViewContents->EmptyText = LanguageText(TextDragHint);
    SetButtonCaptions();
}

void TFormToolbarEdit::FillContents(const TToolbarItemList &list) {
    std::vector<TToolbarItem *> items;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Items(i)->Visible) items.push_back(list.Items(i));
    ContentsModel->SetItems(std::move(items));
}

void TFormToolbarEdit::UpdateAvailability() {
    const auto &roots = ItemsModel->Roots();
    for (int r = 0; r < int(roots.size()); ++r) {
        const QModelIndex root = ItemsModel->index(r, 0);
        bool anyShown = roots[size_t(r)].Item != nullptr;  // the separator at the root
        for (int c = 0; c < int(roots[size_t(r)].Children.size()); ++c) {
            const bool shown = !ContentsModel->OnToolbar(roots[size_t(r)].Children[size_t(c)].Item);
            ListViewItems->setRowHidden(c, root, !shown);
            anyShown = anyShown || shown;
        }
        ListViewItems->setRowHidden(r, QModelIndex(), !anyShown);
    }
    ItemsModel->Refresh();
    UpdateButtons();
}

int TFormToolbarEdit::SelectedContentsRow() const {
    const QModelIndexList rows = ListViewContents->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TFormToolbarEdit::SelectContentsRow(int row) {
    const QModelIndex index = ContentsModel->index(row, 0);
    if (!index.isValid()) return;
    ListViewContents->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    ListViewContents->setFocus();
}

void TFormToolbarEdit::UpdateButtons() {
    const QModelIndexList items = ListViewItems->selectionModel()->selectedRows();
    // A selected category has no item and is never on the toolbar.
    ButtonItemAdd->setEnabled(!items.isEmpty() && !ContentsModel->OnToolbar(ItemsModel->Item(items.first())));
    const int row = SelectedContentsRow();
    const int count = ContentsModel->rowCount();
    ButtonItemDelete->setEnabled(row >= 0);
    ButtonItemUp->setEnabled(row > 0);
    ButtonItemDown->setEnabled(row >= 0 && row < count - 1);
    ButtonItemReset->setEnabled(true);
}

void TFormToolbarEdit::InsertItem(TToolbarItem *item, int row) {
    ContentsModel->Insert(row, item);
    SelectContentsRow(row);
}

void TFormToolbarEdit::ButtonItemAddClick() {
    const QModelIndexList items = ListViewItems->selectionModel()->selectedRows();
    if (items.size() != 1) return;
    TToolbarItem *item = ItemsModel->Item(items.first());
    if (!item || ContentsModel->OnToolbar(item)) return;
    const int selected = SelectedContentsRow();
    InsertItem(item, selected < 0 ? ContentsModel->rowCount() : selected + 1);
}

void TFormToolbarEdit::ButtonItemDeleteClick() {
    const int row = SelectedContentsRow();
    if (row < 0) return;
    if (MsgBox(LanguageText(TextAskDelete), mtConfirmation, MsgButtons({mbYes, mbNo})) == mrNo) return;
    ContentsModel->Remove(row);
    SelectContentsRow(row < ContentsModel->rowCount() ? row : row - 1);
}

void TFormToolbarEdit::ButtonItemUpClick() {
    const int row = SelectedContentsRow();
    if (row <= 0) return;
    ContentsModel->Move(row, row - 1);
    SelectContentsRow(row - 1);
}

void TFormToolbarEdit::ButtonItemDownClick() {
    const int row = SelectedContentsRow();
    if (row < 0 || row >= ContentsModel->rowCount() - 1) return;
    ContentsModel->Move(row, row + 2);
    SelectContentsRow(row + 1);
}

void TFormToolbarEdit::ButtonItemResetClick() {
    if (MsgBox(LanguageText(TextAskReset), mtConfirmation, MsgButtons({mbYes, mbNo})) != mrYes) return;
    if (TToolbarItemList *defaults = FContents.GetSet(0)) FillContents(*defaults);
    ItemsModel->Fill(FContents.All);
    ListViewItems->expandAll();
    UpdateAvailability();
}

bool TFormToolbarEdit::DropNode(const QString &node, int row, bool dropNow) {
    const QStringList parts = node.split(QLatin1Char(' '));
    if (parts.value(0) == QLatin1String("contents") && parts.size() == 2) {
        const int from = parts[1].toInt();
        if (from < 0 || from >= ContentsModel->rowCount() || row == from || row == from + 1) return false;
        if (dropNow) {
            ContentsModel->Move(from, row);
            SelectContentsRow(row > from ? row - 1 : row);
        }
        return true;
    }
    if (parts.value(0) == QLatin1String("items") && parts.size() == 3) {
        const int category = parts[1].toInt();
        const QModelIndex parent = category < 0 ? QModelIndex() : ItemsModel->index(category, 0);
        TToolbarItem *item = ItemsModel->Item(ItemsModel->index(parts[2].toInt(), 0, parent));
        if (!item || ContentsModel->OnToolbar(item)) return false;
        if (dropNow) InsertItem(item, row);
        return true;
    }
    return false;
}

QStringList TFormToolbarEdit::VisibleAvailable() const {
    QStringList shown;
    for (int r = 0; r < ItemsModel->rowCount(); ++r) {
        const QModelIndex root = ItemsModel->index(r, 0);
        if (ListViewItems->isRowHidden(r, QModelIndex())) continue;
        shown << root.data().toString();
        for (int c = 0; c < ItemsModel->rowCount(root); ++c)
            if (!ListViewItems->isRowHidden(c, root)) shown << QStringLiteral("  ") + ItemsModel->index(c, 0, root).data().toString();
    }
    return shown;
}

bool TFormToolbarEdit::eventFilter(QObject *watched, QEvent *event) {
    if (watched == ListViewContents && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        if (ButtonItemDelete->isEnabled()) ButtonItemDelete->click();
        return true;
    }
    return TFormSettingsDialog::eventFilter(watched, event);
}

void TFormToolbarEdit::accept() {
    if (ContentsModel->rowCount() == 0) {
        MsgBox(LanguageText(TextEmpty) + QStringLiteral("\n\n") + LanguageText(TextAddOne), mtError,
               MsgButtons({mbOK}));
        return;
    }
    TFormSettingsDialog::accept();
}

void TFormToolbarEdit::CloseQuery(bool ok) {
    if (!ok) return;
    FContents.Current.Clear();
    const TToolbarItem *previous = nullptr;
    for (TToolbarItem *item : ContentsModel->Items()) {
        // A run of separators shows as one.
        if (item->Kind == ToolbarKind::Separator && previous && previous->Kind == ToolbarKind::Separator) continue;
        FContents.Current.Add(item);
        previous = item;
    }
    FContents.Apply();
}

bool TFormToolbarEdit::Execute(TToolbarContents &contents, QWidget *parent) {
    TFormToolbarEdit form(contents, parent);
    return Run(form, TSettingsPrompter<TFormToolbarEdit>::Get()) == QDialog::Accepted;
}
