#include "routes/FrmWaypointEditType.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvStr.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/FrmWaypointTypeEdit.h"
#include "routes/WaypointEditTexts.h"
#include "shell/MarivoImages.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvStrUtils.h>

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

namespace T = WaypointEditText;
const QString Key = QStringLiteral("Desktop\\WaypointEditType");
constexpr int DatabaseRowHeight = 22, TypeRowHeight = 36, SymbolBox = 32, Margin = 4, TextMargin = 6;
constexpr TColor NoteText = 0x0000FF;
constexpr TColor OddRow = 0xFAFAFA;

TFormWaypointEditType::TPrompter &Prompter() {
    static TFormWaypointEditType::TPrompter prompter;
    return prompter;
}

TFormWaypointEditType::TTypeEditor &TypeEditor() {
    static TFormWaypointEditType::TTypeEditor editor = [](IWptDatabase *db, IWptWaypointTypeList *types, uint8_t mode) {
        return TFormWaypointTypeEdit::Execute(db, types, mode);
    };
    return editor;
}

}  // namespace

// Own database first and the default type above all databases, in either direction.
class TFormWaypointEditType::TSorter : public QSortFilterProxyModel {
public:
    explicit TSorter(TFormWaypointEditType *form) : QSortFilterProxyModel(form), FForm(form) {}

protected:
    bool lessThan(const QModelIndex &a, const QModelIndex &b) const override {
        const bool asc = sortOrder() == Qt::AscendingOrder;
        const int ka = Kind(a), kb = Kind(b);
        if (ka == TypeRow && kb == TypeRow)
            return WPTCompareNameByTrailingNumber(Object<NavObject>(a), Object<NavObject>(b)) < 0;
        if (ka == DatabaseRow && kb == DatabaseRow) {
            auto *da = Object<IWptDatabase>(a), *db = Object<IWptDatabase>(b);
            if (FForm->IsOwnDatabase(da) != FForm->IsOwnDatabase(db)) return FForm->IsOwnDatabase(da) == asc;
            return StrCompareByTrailingNumberI(WptDatabaseGetTitle(da), WptDatabaseGetTitle(db)) < 0;
        }
        if (ka == TypeRow && kb == DatabaseRow) return asc;
        if (ka == DatabaseRow && kb == TypeRow) return !asc;
        return false;
    }

private:
    TFormWaypointEditType *FForm;
};

class TFormWaypointEditType::TDelegate : public QStyledItemDelegate {
public:
    explicit TDelegate(TFormWaypointEditType *form) : QStyledItemDelegate(form), FForm(form) {}

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const int kind = Kind(index);
        const QPalette pal = FForm->palette();
        const bool selected = option.state & QStyle::State_Selected;
        if (kind == DatabaseRow) {
            DrawGroupRowCell(*p, option.rect, -1, true, pal.color(QPalette::Mid), pal.color(QPalette::Button), 1);
            p->save();
            QFont f = option.font;
            f.setBold(true);
            p->setFont(f);
            p->setPen(pal.color(QPalette::ButtonText));
            p->drawText(option.rect.adjusted(Margin, 0, -20, 0), Qt::AlignVCenter | Qt::TextSingleLine, index.data().toString());
            p->restore();
            DrawGroupExpandButton(*p, option.rect, index, FForm->HotRow(), FForm->PressedRow(), FForm->ListView->isExpanded(index));
            return;
        }
        if (selected)
            p->fillRect(option.rect, pal.color(QPalette::Highlight));
        else if (index.row() % 2 == 1 && !NightScreen()->IsActive())
            p->fillRect(option.rect, TColorToColor(OddRow));
        const QRect box(option.rect.left() + Margin, option.rect.top() + (option.rect.height() - SymbolBox) / 2, SymbolBox,
                        SymbolBox);
        const QRect text = option.rect.adjusted(Margin + SymbolBox + TextMargin, 0, -Margin, 0);
        p->save();
        if (kind == TypeRow) {
            auto *type = Object<IWptWaypointType>(index);
            if (type) DrawBmp32Centered(type->GetSymbol(), *p, box, true, 0, 0, 0, 0.5f);
            p->setPen(selected && FForm->ListView->hasFocus() ? pal.color(QPalette::HighlightedText)
                                                              : pal.color(QPalette::WindowText));
        } else {
            p->setPen(TColorToColor(NightScreen()->ConvertColor(NoteText)));
        }
        p->drawText(text, Qt::AlignVCenter | Qt::TextSingleLine,
                    option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width()));
        p->restore();
        if (SeparatorBelow(index)) DrawRowSeparator(*p, option.rect);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        return QSize(option.rect.width(), Kind(index) == DatabaseRow ? DatabaseRowHeight : TypeRowHeight);
    }

private:
    // A leaf gets its line when another leaf follows, or when its parent is the last row.
    static bool SeparatorBelow(const QModelIndex &index) {
        const QModelIndex next = index.siblingAtRow(index.row() + 1);
        if (next.isValid()) return Kind(next) != DatabaseRow;
        const QModelIndex parent = index.parent();
        return parent.isValid() && !parent.siblingAtRow(parent.row() + 1).isValid();
    }
    TFormWaypointEditType *FForm;
};

TFormWaypointEditType::TFormWaypointEditType(IWptWaypointType *chosen, uint8_t mode, IWptDatabase *database,
                                             QWidget *owner)
    : QDialog(owner), FDatabase(database), FManager(database ? database->GetManager() : nullptr), FMode(mode),
      FChosen(chosen), FModel(new QStandardItemModel(this)), FSorted(new TSorter(this)) {
    setObjectName(QStringLiteral("FormWaypointEditType"));
    setWindowTitle(LanguageText(T::TypeCaption));
    FSorted->setSourceModel(FModel);
    ListView = new QTreeView(this);
    ListView->setModel(FSorted);
    ListView->setItemDelegate(new TDelegate(this));
    ListView->setRootIsDecorated(false);
    ListView->setIndentation(0);
    ListView->setMouseTracking(true);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    ListView->verticalScrollBar()->setSingleStep(28);
    ListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListView->setSortingEnabled(true);
    ListView->sortByColumn(0, Qt::AscendingOrder);
    ListView->viewport()->installEventFilter(this);
    FModel->setHorizontalHeaderLabels({LanguageText(T::WaypointTypes)});
    CheckFilterReadOnly = new QCheckBox(LanguageText(T::HideReadOnly), this);
    ButtonAdd = new QPushButton(LanguageText(T::Add), this);
    ButtonAdd->setEnabled(bool(TypeEditor()) && FDatabase);
    ButtonOk = new QPushButton(LanguageText(KvStr::BtnOK), this);
    ButtonCancel = new QPushButton(LanguageText(KvStr::BtnCancel), this);
    ButtonOk->setDefault(true);
    auto *under = new QHBoxLayout;
    under->addWidget(CheckFilterReadOnly);
    under->addStretch(1);
    under->addWidget(ButtonAdd);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(ListView, 1);
    main->addLayout(under);
    main->addLayout(buttons);
    setFixedSize(360, 440);

    CheckFilterReadOnly->setChecked(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"FilterReadOnly"), true));
    connect(CheckFilterReadOnly, &QCheckBox::clicked, this, [this](bool on) {
        int32_t err = 0;
        RegWriteBool(GetAppReg(), AppRegRoot::Product, Key, RegName(u"FilterReadOnly"), on, err);
        BuildList();
    });
    connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { SelectionChanged(); });
    connect(ListView, &QTreeView::doubleClicked, this, [this](const QModelIndex &i) {
        if (Kind(i) == TypeRow && ListView->selectionModel()->isSelected(i)) accept();
    });
    connect(ButtonAdd, &QPushButton::clicked, this, [this] { AddType(); });
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    BuildList();
}

int TFormWaypointEditType::Kind(const QModelIndex &index) { return index.data(KindRole).toInt(); }

QStandardItem *TFormWaypointEditType::DatabaseItem(IWptDatabase *db) {
    for (int r = 0; r < FModel->rowCount(); ++r) {
        QStandardItem *item = FModel->item(r);
        if (item->data(KindRole).toInt() == DatabaseRow && item->data(ObjectRole).value<void *>() == db) return item;
    }
    auto *item = new QStandardItem(db == FDatabase ? LanguageText(T::UserDatabase) : WptDatabaseGetTitle(db));
    item->setData(DatabaseRow, KindRole);
    item->setData(QVariant::fromValue(static_cast<void *>(db)), ObjectRole);
    item->setSelectable(false);
    FModel->appendRow(item);
    return item;
}

void TFormWaypointEditType::AddRow(IWptDatabase *db, IWptWaypointType *type) {
    QStandardItem *parent = db ? DatabaseItem(db) : FModel->invisibleRootItem();
    auto *row = new QStandardItem(type ? WptObjectGetName(type) : LanguageText(T::NoTypes));
    row->setData(type ? TypeRow : NoteRow, KindRole);
    row->setData(QVariant::fromValue(static_cast<void *>(type)), ObjectRole);
    row->setSelectable(type != nullptr);
    if (type && db && parent->rowCount() == 1 && parent->child(0)->data(KindRole).toInt() == NoteRow)
        parent->removeRow(0);
    parent->appendRow(row);
}

void TFormWaypointEditType::BuildList() {
    FBuilding = true;
    FModel->removeRows(0, FModel->rowCount());
    if (FManager) AddRow(nullptr, FManager->GetDefaultWaypointType());
    const bool filter = CheckFilterReadOnly->isChecked();
    for (int32_t i = FManager ? FManager->GetDatabaseCount() - 1 : -1; i >= 0; --i) {
        IWptDatabase *db = FManager->GetDatabase(i);
        if (filter && !db->IsWritable()) continue;
        if (db->GetWaypointTypeCount() == 0) AddRow(db, nullptr);
        for (int32_t j = db->GetWaypointTypeCount() - 1; j >= 0; --j) AddRow(db, db->GetWaypointType(j));
    }
    FSorted->sort(0, FSorted->sortOrder());
    ListView->expandAll();
    FBuilding = false;
    // The chosen type is selected where it is listed.
    const QModelIndexList found =
        FSorted->match(FSorted->index(0, 0), ObjectRole, QVariant::fromValue(static_cast<void *>(FChosen)), 1,
                       Qt::MatchExactly | Qt::MatchRecursive);
    if (FChosen && !found.isEmpty()) {
        ListView->selectionModel()->setCurrentIndex(found.first(), QItemSelectionModel::ClearAndSelect);
        ListView->scrollTo(found.first(), QAbstractItemView::PositionAtCenter);
    }
}

void TFormWaypointEditType::SelectionChanged() {
    if (FBuilding) return;
    const QModelIndexList rows = ListView->selectionModel()->selectedRows();
    // A change to no selection leaves the chosen type as it is.
    if (rows.isEmpty()) return;
    if (Kind(rows.first()) == TypeRow) FChosen = Object<IWptWaypointType>(rows.first());
}

void TFormWaypointEditType::AddType() {
    if (!TypeEditor() || !FDatabase) return;
    IWptWaypointTypeList *list = WptWaypointTypeListCreate(0);
    bool added = false;
    try {
        added = TypeEditor()(FDatabase, list, FMode) && list->GetCount() > 0;
    } catch (...) {
        ObjectDelete(list);
        throw;
    }
    IWptWaypointType *type = added ? static_cast<IWptWaypointType *>(list->GetItem(0)) : nullptr;
    ObjectDelete(list);
    if (!type) return;
    FChosen = type;
    BuildList();
}

int TFormWaypointEditType::ButtonRowAt(const QPoint &pos) const {
    QModelIndex node;
    int column = -1;
    if (!GroupExpandButtonHitTest(ListView, pos.x(), pos.y(), node, column) || node.parent().isValid()) return -1;
    return node.row();
}

bool TFormWaypointEditType::eventFilter(QObject *watched, QEvent *e) {
    if (watched != ListView->viewport()) return QDialog::eventFilter(watched, e);
    const auto pos = [e] { return static_cast<QMouseEvent *>(e)->position().toPoint(); };
    switch (e->type()) {
    case QEvent::MouseMove:
        if (const int hot = ButtonRowAt(pos()); hot != FHotRow) {
            FHotRow = hot;
            ListView->viewport()->update();
        }
        break;
    case QEvent::Leave:
        FHotRow = -1;
        ListView->viewport()->update();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        FPressedRow = ButtonRowAt(pos());
        if (FPressedRow != -1) {
            ListView->viewport()->update();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease: {
        const int pressed = std::exchange(FPressedRow, -1);
        if (pressed == -1) break;
        if (ButtonRowAt(pos()) == pressed) {
            const QModelIndex i = FSorted->index(pressed, 0);
            ListView->setExpanded(i, !ListView->isExpanded(i));
            FHotRow = pressed;
        }
        ListView->viewport()->update();
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, e);
}

TFormWaypointEditType::TTypeEditor TFormWaypointEditType::SetTypeEditor(TTypeEditor editor) {
    return std::exchange(TypeEditor(), std::move(editor));
}

TFormWaypointEditType::TPrompter TFormWaypointEditType::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

bool TFormWaypointEditType::Execute(IWptWaypointType *&waypointType, IWptDatabase *database, uint8_t mode,
                                    QWidget *owner) {
    TFormWaypointEditType form(waypointType, mode, database, owner);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    if (result != QDialog::Accepted) return false;
    waypointType = form.Chosen();
    return true;
}
