#include "base/dialogs/FrmMsg.h"

#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvGraphics.h"
#include "base/graphics/KvNightScreen.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvStr.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const TLanguageStrings TextReadOnly = {"read-only", "alleen-lezen", "schreibgeschützt", "lecture seule",
                                       "solo lectura", "sola lettura", "skrivebeskyttet", "skrivskyddad"};
const TLanguageStrings TextNoName = {"<no name>", "<geen naam>", "<kein Name>", "<sans nom>",
                                     "<sin nombre>", "<senza nome>", "<intet navn>", "<inget namn>"};

constexpr int PictureSize = 32;
constexpr int PictureRowHeight = 33;

TFormMsgDrawing &Drawing() {
    static TFormMsgDrawing drawing;
    return drawing;
}

TFormMsg::TPrompter &Prompter() {
    static TFormMsg::TPrompter prompter;
    return prompter;
}

bool SameText(const QString &a, const QString &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

TFormMsgDrawing SetFormMsgDrawing(TFormMsgDrawing drawing) {
    return std::exchange(Drawing(), std::move(drawing));
}

const TFormMsgDrawing &FormMsgDrawing() {
    return Drawing();
}

// --- TMessageList -----------------------------------------------------------------------

void TMessageList::Add(const QString &text, const QString &heading, bool pinned, bool readOnly,
                       IBmp32 *image) {
    auto make = [&](bool isHeading) {
        auto item = std::make_unique<TMessageItem>();
        item->Image = image;
        if (image) item->Picture = Bmp32ToImage(image);
        item->IsHeading = isHeading;
        item->Pinned = pinned;
        item->ReadOnly = readOnly;
        item->Heading = heading;
        item->Text = text;
        FItems.push_back(std::move(item));
    };
    if (!heading.isEmpty() &&
        std::none_of(FItems.begin(), FItems.end(), [&](const auto &i) {
            return i->IsHeading && SameText(i->Heading, heading);
        }))
        make(true);
    if (!text.isEmpty()) make(false);
}

bool TMessageList::Contains(const QString &text, const QString &heading) const {
    for (auto it = FItems.rbegin(); it != FItems.rend(); ++it)
        if (SameText((*it)->Text, text) && SameText((*it)->Heading, heading)) return true;
    return false;
}

const TMessageItem *TMessageList::Items(int index) const {
    return index >= 0 && index < Count() ? FItems[size_t(index)].get() : nullptr;
}

// --- TMessageListModel ------------------------------------------------------------------
// internalId 0: a top row; n > 0: a child of top row n - 1.

TMessageListModel::TMessageListModel(const TMessageList &list, QObject *parent)
    : QAbstractItemModel(parent), FList(list) {}

void TMessageListModel::SetColumnTitle(const QString &title) {
    FColumnTitle = title;
    emit headerDataChanged(Qt::Horizontal, ColText, ColText);
}

void TMessageListModel::Fill() {
    beginResetModel();
    FRows.clear();
    for (int i = 0; i < FList.Count(); ++i) {
        const TMessageItem *item = FList.Items(i);
        if (item->IsHeading) {
            FRows.push_back({i, {}});
            continue;
        }
        auto group = std::find_if(FRows.begin(), FRows.end(), [&](const TRow &r) {
            const TMessageItem *h = FList.Items(r.Item);
            return h->IsHeading && SameText(h->Heading, item->Heading);
        });
        if (group != FRows.end()) group->Children.push_back(i);
        else FRows.push_back({i, {}});
    }
    endResetModel();
}

const TMessageItem *TMessageListModel::ItemAt(const QModelIndex &index) const {
    if (!index.isValid()) return nullptr;
    const quintptr id = index.internalId();
    if (id == 0) return FList.Items(FRows[size_t(index.row())].Item);
    return FList.Items(FRows[size_t(id - 1)].Children[size_t(index.row())]);
}

QModelIndex TMessageListModel::index(int row, int column, const QModelIndex &parent) const {
    if (row < 0 || column < 0 || column >= ColumnCount || row >= rowCount(parent)) return {};
    return createIndex(row, column, parent.isValid() ? quintptr(parent.row() + 1) : quintptr(0));
}

QModelIndex TMessageListModel::parent(const QModelIndex &child) const {
    if (!child.isValid() || child.internalId() == 0) return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int TMessageListModel::rowCount(const QModelIndex &parent) const {
    if (!parent.isValid()) return int(FRows.size());
    if (parent.internalId() != 0 || parent.column() != 0) return 0;
    return int(FRows[size_t(parent.row())].Children.size());
}

int TMessageListModel::columnCount(const QModelIndex &) const {
    return ColumnCount;
}

QVariant TMessageListModel::data(const QModelIndex &index, int role) const {
    const TMessageItem *item = ItemAt(index);
    if (!item) return {};
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == ColReadOnly) return item->ReadOnly ? LanguageText(TextReadOnly) : QString();
        if (item->IsHeading) return item->Heading;
        return item->Text.isEmpty() && item->Picture.isNull() ? LanguageText(TextNoName) : item->Text;
    case Qt::FontRole:
        if (item->IsHeading && index.column() == ColText) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::ForegroundRole:
        if (index.column() == ColReadOnly) return QColor(Qt::gray);
        return {};
    case ItemRole:
        return QVariant::fromValue(static_cast<const void *>(item));
    case IsHeadingRole:
        return item->IsHeading;
    default:
        return {};
    }
}

QVariant TMessageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == ColText) return FColumnTitle;
    return {};
}

void TMessageListModel::sort(int, Qt::SortOrder order) {
    const bool ascending = order == Qt::AscendingOrder;
    auto directed = [ascending](int c) { return ascending ? c < 0 : c > 0; };
    // Top rows are headings and messages without a heading; a message compares by its text.
    auto headingLess = [&](const TRow &a, const TRow &b) {
        const TMessageItem *x = FList.Items(a.Item), *y = FList.Items(b.Item);
        const bool px = x->IsHeading && x->Pinned, py = y->IsHeading && y->Pinned;
        if (px || py) return px && !py;  // of two pinned headings the first stays first
        return directed(StrCompareByTrailingNumberI(x->IsHeading ? x->Heading : x->Text,
                                                    y->IsHeading ? y->Heading : y->Text));
    };
    auto textLess = [&](int a, int b) {
        return directed(StrCompareByTrailingNumberI(FList.Items(a)->Text, FList.Items(b)->Text));
    };
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<std::pair<int, int>> where;  // (item, column) of each persistent index
    for (const QModelIndex &i : before) {
        const TMessageItem *item = ItemAt(i);
        int n = 0;
        while (n < FList.Count() && FList.Items(n) != item) ++n;
        where.emplace_back(n, i.column());
    }
    std::stable_sort(FRows.begin(), FRows.end(), headingLess);
    for (TRow &r : FRows) std::stable_sort(r.Children.begin(), r.Children.end(), textLess);
    QModelIndexList after;
    for (const auto &[item, column] : where) {
        QModelIndex found;
        for (int r = 0; r < int(FRows.size()) && !found.isValid(); ++r) {
            if (FRows[size_t(r)].Item == item) found = createIndex(r, column, quintptr(0));
            const auto &ch = FRows[size_t(r)].Children;
            for (int c = 0; c < int(ch.size()) && !found.isValid(); ++c)
                if (ch[size_t(c)] == item) found = createIndex(c, column, quintptr(r + 1));
        }
        after << found;
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

// --- Drawing ----------------------------------------------------------------------------

class TFormMsg::TDelegate : public QStyledItemDelegate {
public:
    explicit TDelegate(TFormMsg *form) : QStyledItemDelegate(form), FForm(form) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        const auto *item = static_cast<const TMessageItem *>(index.data(TMessageListModel::ItemRole).value<const void *>());
        if (item && !item->IsHeading && !item->Picture.isNull()) s.setHeight(PictureRowHeight);
        return s;
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const auto *item = static_cast<const TMessageItem *>(index.data(TMessageListModel::ItemRole).value<const void *>());
        const TFormMsgDrawing &d = Drawing();
        if (!item) return;
        const int lastColumn = TMessageListModel::ColumnCount - 1;
        if (item->IsHeading && d.DrawGroupRowCell) {
            d.DrawGroupRowCell(*p, option.rect, index.column(), index.column() == lastColumn);
            if (index.column() == TMessageListModel::ColText) {
                p->save();
                p->setFont(index.data(Qt::FontRole).value<QFont>());
                p->drawText(option.rect.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::TextSingleLine,
                            index.data().toString());
                p->restore();
            }
            if (index.column() == lastColumn && d.PaintGroupExpandButton)
                d.PaintGroupExpandButton(*p, option.rect, FForm->ListView->isExpanded(index.siblingAtColumn(0)),
                                         FForm->FHotRow == index.row(), FForm->FPressedRow == index.row());
            return;
        }
        if (!item->IsHeading && !item->Picture.isNull() && index.column() == TMessageListModel::ColText) {
            QStyleOptionViewItem o(option);
            initStyleOption(&o, index);
            o.text.clear();
            QStyle *style = o.widget ? o.widget->style() : nullptr;
            if (style) style->drawPrimitive(QStyle::PE_PanelItemViewItem, &o, p, o.widget);
            const QRect square(option.rect.left(), option.rect.top(), PictureSize, PictureSize);
            const QImage pic = item->Picture.scaled(PictureSize, PictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            p->drawImage(square.left() + (PictureSize - pic.width()) / 2, square.top() + (PictureSize - pic.height()) / 2, pic);
            const QRect textRect = option.rect.adjusted(PictureSize + 4, 0, 0, 0);
            p->save();
            p->setPen(option.state & QStyle::State_Selected ? option.palette.highlightedText().color()
                                                            : option.palette.text().color());
            p->drawText(textRect, Qt::AlignVCenter | Qt::TextSingleLine,
                        option.fontMetrics.elidedText(item->Text, Qt::ElideRight, textRect.width()));
            p->restore();
        } else {
            QStyledItemDelegate::paint(p, option, index);
        }
        if (!item->IsHeading && d.DrawRowSeparator && !LastOfGroupBeforeAnother(index))
            d.DrawRowSeparator(*p, option.rect);
    }

private:
    // The last message of a group that another group follows gets no separator.
    static bool LastOfGroupBeforeAnother(const QModelIndex &index) {
        const QModelIndex parent = index.parent();
        if (!parent.isValid()) return false;
        return index.row() == index.model()->rowCount(parent) - 1 &&
               parent.row() + 1 < index.model()->rowCount();
    }
    TFormMsg *FForm;
};

// --- TFormMsg ---------------------------------------------------------------------------

TFormMsg::TFormMsg(int kind, bool allowDuplicates, QWidget *parent)
    : TFormScaled(parent), FAllowDuplicates(allowDuplicates) {
    FModel = new TMessageListModel(FList, this);
    ListView = new QTreeView(this);
    ListView->setModel(FModel);
    ListView->setItemDelegate(new TDelegate(this));
    ListView->setRootIsDecorated(false);
    ListView->setMouseTracking(true);
    ListView->header()->setSectionsClickable(true);
    ListView->header()->setStretchLastSection(false);
    ListView->header()->setSectionResizeMode(TMessageListModel::ColText, QHeaderView::Stretch);
    ListView->header()->setSectionResizeMode(TMessageListModel::ColReadOnly, QHeaderView::ResizeToContents);
    ListView->viewport()->installEventFilter(this);
    connect(ListView->header(), &QHeaderView::sectionClicked, this, [this](int) {
        Sort(FOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
    });

    LabelMessage = new QLabel(this);
    LabelMessage->setWordWrap(true);
    LabelQuestion = new QLabel(this);
    LabelQuestion->setWordWrap(true);
    QLabel **images[] = {&ImageWarning, &ImageError, &ImageInformation, &ImageConfirmation};
    auto *icons = new QVBoxLayout;
    for (int t = 0; t < 4; ++t) {
        auto *l = new QLabel(this);
        l->setPixmap(MsgIconLoad(t, true, 32));
        l->setVisible(t == kind);
        icons->addWidget(l);
        *images[t] = l;
        NightScreenAddImage(NightScreen(), l);
    }
    icons->addStretch();
    ButtonYes = new QPushButton(LanguageText(KvStr::BtnYes), this);
    ButtonNo = new QPushButton(LanguageText(KvStr::BtnNo), this);
    ButtonYes->setDefault(true);
    connect(ButtonYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonNo, &QPushButton::clicked, this, &QDialog::reject);

    auto *text = new QVBoxLayout;
    text->addWidget(LabelMessage);
    text->addWidget(ListView, 1);
    text->addWidget(LabelQuestion);
    auto *top = new QHBoxLayout;
    top->addLayout(icons);
    top->addLayout(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonYes);
    buttons->addWidget(ButtonNo);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top, 1);
    main->addLayout(buttons);
    resize(420, 360);
}

TFormMsg::~TFormMsg() {
    // The list dies before the base destructor hides the view, which still asks the model.
    ListView->setModel(nullptr);
    for (QLabel *l : {ImageWarning, ImageError, ImageInformation, ImageConfirmation})
        NightScreenRemoveImage(NightScreen(), l);
}

void TFormMsg::AddMessage(const QString &text, const QString &heading, bool pinned, bool readOnly,
                          IBmp32 *image) {
    if (FAllowDuplicates || !FList.Contains(text, heading)) FList.Add(text, heading, pinned, readOnly, image);
}

void TFormMsg::SetColumnTitle(const QString &text) { FModel->SetColumnTitle(text); }
void TFormMsg::SetMessage(const QString &text) { LabelMessage->setText(text); }
void TFormMsg::SetQuestion(const QString &text) { LabelQuestion->setText(text); }
void TFormMsg::SetCaption(const QString &text) { setWindowTitle(text); }

void TFormMsg::FillList() {
    FModel->Fill();
    ListView->expandAll();
    Sort(FOrder);
}

void TFormMsg::Sort(Qt::SortOrder order) {
    FOrder = order;
    FModel->sort(TMessageListModel::ColText, order);
    ListView->header()->setSortIndicator(TMessageListModel::ColText, order);
    ListView->header()->setSortIndicatorShown(true);
}

int TFormMsg::ButtonRowAt(const QPoint &pos) const {
    const TFormMsgDrawing &d = Drawing();
    if (!d.GroupExpandButtonRect) return -1;
    const QModelIndex index = ListView->indexAt(pos);
    if (!index.isValid() || index.parent().isValid() || FModel->rowCount(index.siblingAtColumn(0)) == 0)
        return -1;
    const QRect cell = ListView->visualRect(index.siblingAtColumn(TMessageListModel::ColumnCount - 1));
    return d.GroupExpandButtonRect(cell).contains(pos) ? index.row() : -1;
}

bool TFormMsg::eventFilter(QObject *watched, QEvent *e) {
    if (watched != ListView->viewport()) return TFormScaled::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::MouseMove: {
        const int hot = ButtonRowAt(static_cast<QMouseEvent *>(e)->position().toPoint());
        if (hot != FHotRow) {
            FHotRow = hot;
            ListView->viewport()->update();
        }
        break;
    }
    case QEvent::Leave:
        if (FHotRow != -1) {
            FHotRow = -1;
            ListView->viewport()->update();
        }
        break;
    case QEvent::MouseButtonPress: {
        FPressedRow = ButtonRowAt(static_cast<QMouseEvent *>(e)->position().toPoint());
        if (FPressedRow != -1) {
            ListView->viewport()->update();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        const int row = ButtonRowAt(static_cast<QMouseEvent *>(e)->position().toPoint());
        const int pressed = std::exchange(FPressedRow, -1);
        if (pressed != -1) {
            if (row == pressed) {
                const QModelIndex i = FModel->index(row, 0);
                ListView->setExpanded(i, !ListView->isExpanded(i));
            }
            ListView->viewport()->update();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return TFormScaled::eventFilter(watched, e);
}

TFormMsg::TPrompter TFormMsg::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

bool TFormMsg::Execute() {
    FillList();
    const int result = Prompter() ? Prompter()(*this) : exec();
    return result == QDialog::Accepted;
}
