#include "exchange/FrmMsgDuplicateMultiple.h"

#include "base/graphics/KvNightScreen.h"
#include "exchange/FrmMsgDuplicateTexts.h"
#include "shell/MarivoDraw.h"

#include <KvLibNav6/KvWaypoints.h>

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

using namespace DuplicateText;

namespace {

constexpr int ClientWidth = 592;
constexpr int ClientHeight = 435;
constexpr int LineStep = 20;
constexpr int NewPanelWidth = 250;

TFormMsgDuplicateMultiple::TPrompter &ThePrompter() {
    static TFormMsgDuplicateMultiple::TPrompter prompter;
    return prompter;
}

const TMultipleTexts *MultipleTexts(TDuplicateKind kind) {
    switch (kind) {
    case dkWaypointGroup: return &SMultipleGroup;
    case dkRoute: return &SMultipleRoute;
    case dkWaypointType: return &SMultipleType;
    case dkWaypoint: return &SMultipleWaypoint;
    default: return nullptr;
    }
}

// Candidate lines: the waypoint shows all three, the others their first one or two.
int DetailLineCount(TDuplicateKind kind) {
    return kind == dkWaypoint ? 3 : kind == dkWaypointType ? 1 : 2;
}

class TCandidateDelegate : public QStyledItemDelegate {
public:
    explicit TCandidateDelegate(TDuplicateCandidateTree *tree) : QStyledItemDelegate(tree), FTree(tree) {}

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const override {
        const int rows = FTree->Model()->IsDetail(index) ? (FTree->DetailLines() == 3 ? 3 : 2) : 1;
        return {400, rows * TDuplicateCandidateTree::DefaultRowHeight};
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const TDuplicateCandidateModel *model = FTree->Model();
        const TDuplicateNodeData *node = model->Node(index);
        if (!node) return;
        const bool detail = model->IsDetail(index);
        const int candidate = detail ? index.parent().row() : index.row();
        const bool checked = candidate == model->Checked();
        const QPalette &pal = option.palette;
        QColor back = pal.color(QPalette::Base), text = pal.color(QPalette::Text);
        if (checked && FTree->hasFocus()) {
            back = pal.color(QPalette::Highlight);
            text = pal.color(QPalette::HighlightedText);
        } else if (checked) {
            back = pal.color(QPalette::Button);
            text = pal.color(QPalette::WindowText);
        }
        // The view's indentation is left of option.rect: paint the row from the viewport's edge.
        QRect cell = option.rect;
        cell.setLeft(0);
        p->save();
        p->fillRect(cell, back);
        p->setPen(text);
        const int indent = FTree->indentation();
        const int m = TDuplicateCandidateTree::Margin, tm = TDuplicateCandidateTree::TextMargin;
        if (!detail) {
            TCheckCell check;
            check.Type = TCheckType::RadioButton;
            check.State = checked ? TCheckState::Checked : TCheckState::Unchecked;
            check.TreeEnabled = FTree->isEnabled();
            p->drawImage(QPoint(cell.left() + m, cell.top() + 2), PaintCheckBoxBitmap(check));
            QFont bold = option.font;
            bold.setBold(true);
            p->setFont(bold);
            p->drawText(QRect(cell.left() + indent + m + tm, cell.top() + 2, cell.width(), LineStep),
                        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, node->Caption);
        } else {
            int x = cell.left() + indent + m + tm;
            if (node->Icon) {
                const QRect box(cell.left() + m + tm, cell.top(), 32, 32);
                DrawDuplicateIcon(*p, box, node->Icon, false, back.rgba() | 0xFF000000u);
                x = cell.left() + 2 * indent + m + tm;
            }
            p->setFont(option.font);
            for (int i = 0; i < node->Lines.size(); ++i)
                p->drawText(QRect(x, cell.top() + 2 + i * LineStep, cell.right() - x, LineStep),
                            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, node->Lines[i]);
            p->setPen(pal.color(QPalette::Button));
            p->drawLine(cell.bottomLeft(), cell.bottomRight());
        }
        p->restore();
    }

private:
    TDuplicateCandidateTree *FTree;
};

}  // namespace

// ---- model ----

TDuplicateCandidateModel::TDuplicateCandidateModel(QObject *parent) : QAbstractItemModel(parent) {}

void TDuplicateCandidateModel::Add(NavObject *candidate, const QString &caption, const QStringList &lines,
                                   IBmp32 *icon) {
    const int row = CandidateCount();
    beginInsertRows({}, row, row);
    auto c = std::make_unique<TCandidate>();
    c->Row.Candidate = candidate;
    c->Row.Caption = caption;
    c->Detail.Lines = lines;
    c->Detail.Icon = icon;
    FCandidates.push_back(std::move(c));
    endInsertRows();
}

void TDuplicateCandidateModel::SetChecked(int candidate) {
    if (candidate < -1 || candidate >= CandidateCount() || candidate == FChecked) return;
    const int old = FChecked;
    FChecked = candidate;
    // Both candidates' rows change colour, their detail rows with them.
    for (int row : {old, candidate}) {
        if (row < 0) continue;
        const QModelIndex top = index(row, 0);
        emit dataChanged(top, top);
        const QModelIndex detail = index(0, 0, top);
        emit dataChanged(detail, detail);
    }
    emit CheckedChanged(candidate);
}

const TDuplicateNodeData *TDuplicateCandidateModel::Node(const QModelIndex &index) const {
    if (!index.isValid()) return nullptr;
    const quintptr id = index.internalId();
    if (id == 0) return index.row() < CandidateCount() ? &FCandidates[size_t(index.row())]->Row : nullptr;
    return id <= quintptr(CandidateCount()) ? &FCandidates[size_t(id - 1)]->Detail : nullptr;
}

QModelIndex TDuplicateCandidateModel::index(int row, int column, const QModelIndex &parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row < CandidateCount() ? createIndex(row, 0, quintptr(0)) : QModelIndex();
    if (IsDetail(parent) || row != 0) return {};
    return createIndex(0, 0, quintptr(parent.row() + 1));
}

QModelIndex TDuplicateCandidateModel::parent(const QModelIndex &child) const {
    if (!IsDetail(child)) return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int TDuplicateCandidateModel::rowCount(const QModelIndex &parent) const {
    if (!parent.isValid()) return CandidateCount();
    return IsDetail(parent) ? 0 : 1;
}

int TDuplicateCandidateModel::columnCount(const QModelIndex &) const { return 1; }

QVariant TDuplicateCandidateModel::data(const QModelIndex &index, int role) const {
    const TDuplicateNodeData *node = Node(index);
    if (!node) return {};
    if (role == Qt::DisplayRole) return IsDetail(index) ? node->Lines.join(QLatin1Char('\n')) : node->Caption;
    if (role == Qt::CheckStateRole && !IsDetail(index))
        return index.row() == FChecked ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool TDuplicateCandidateModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || IsDetail(index)) return false;
    if (value.toInt() != Qt::Checked) return false;
    SetChecked(index.row());
    return true;
}

Qt::ItemFlags TDuplicateCandidateModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return IsDetail(index) ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
}

// ---- tree ----

TDuplicateCandidateTree::TDuplicateCandidateTree(TDuplicateCandidateModel *model, int detailLines, QWidget *parent)
    : QTreeView(parent), FModel(model), FDetailLines(detailLines) {
    setModel(model);
    setItemDelegate(new TCandidateDelegate(this));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setIndentation(DefaultRowHeight);
    header()->setStretchLastSection(false);
    header()->resizeSection(0, 400);
    // Collapsing is refused: the detail rows stay visible.
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex &index) { expand(index); });
    connect(this, &QAbstractItemView::pressed, this, [this](const QModelIndex &index) {
        FModel->SetChecked(FModel->IsDetail(index) ? index.parent().row() : index.row());
    });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        for (int row = first; row <= last; ++row) expand(FModel->index(row, 0));
    });
    connect(model, &TDuplicateCandidateModel::CheckedChanged, viewport(), qOverload<>(&QWidget::update));
}

void TDuplicateCandidateTree::keyPressEvent(QKeyEvent *event) {
    const int count = FModel->CandidateCount();
    const int checked = FModel->Checked();
    if (count > 0 && (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up)) {
        const int step = event->key() == Qt::Key_Down ? 1 : -1;
        FModel->SetChecked(std::clamp(checked + step, 0, count - 1));
        scrollTo(FModel->index(FModel->Checked(), 0));
        return;
    }
    QTreeView::keyPressEvent(event);
}

// ---- dialog ----

TFormMsgDuplicateMultiple::TFormMsgDuplicateMultiple(TDuplicateKind kind, IWptObjectList *candidates,
                                                     NavObject *newObject, TMarivoNavEnv *env)
    : TFormMsgDuplicateBase(kind, env), FNew(newObject) {
    BuildMessage(this);
    LabelTypeExisting = new QLabel(this);
    QFont bold = LabelTypeExisting->font();
    bold.setBold(true);
    LabelTypeExisting->setFont(bold);
    FModel = new TDuplicateCandidateModel(this);
    ListView = new TDuplicateCandidateTree(FModel, DetailLineCount(kind), this);
    ListView->setFixedSize(240, 150);

    PanelTypeGroup = MakeDuplicateItemPanel(this, NewPanelWidth, 240, LabelGroupNew, nullptr, nullptr,
                                            {&LabelGroupNewName, &LabelGroupNewWaypoints});
    PanelTypeRoute = MakeDuplicateItemPanel(this, NewPanelWidth, 240, LabelRouteNew, nullptr, nullptr,
                                            {&LabelRouteNewName, &LabelRouteNewPoints});
    PanelTypeType = MakeDuplicateItemPanel(this, NewPanelWidth, 210, LabelTypeNew, &PanelTypeNew, &PaintBoxTypeNew,
                                           {&LabelTypeNewName});
    PanelTypeWaypoint =
        MakeDuplicateItemPanel(this, NewPanelWidth, 210, LabelWaypointNew, &PanelWaypointNew, &PaintBoxWaypointNew,
                               {&LabelWaypointNewName, &LabelWaypointNewSubName, &LabelWaypointNewPosition});
    const TDuplicateItem added{newObject, QString(), false};
    static_cast<TDuplicateIconBox *>(PaintBoxTypeNew)->Icon = DuplicateItemIcon(dkWaypointType, added);
    static_cast<TDuplicateIconBox *>(PaintBoxWaypointNew)->Icon = DuplicateItemIcon(dkWaypoint, added);

    auto *existingColumn = new QVBoxLayout;
    existingColumn->addWidget(LabelTypeExisting);
    existingColumn->addWidget(ListView);
    auto *itemsRow = new QHBoxLayout;
    itemsRow->addLayout(existingColumn);
    auto *newColumn = new QVBoxLayout;
    for (QWidget *panel : {PanelTypeGroup, PanelTypeRoute, PanelTypeType, PanelTypeWaypoint}) {
        panel->hide();
        newColumn->addWidget(panel);
    }
    newColumn->addStretch();
    itemsRow->addLayout(newColumn);
    itemsRow->addStretch();

    const TAnswerLayouts answers = BuildAnswers(this, 20);

    auto *content = new QVBoxLayout;
    content->addWidget(LabelMessage);
    content->addSpacing(8);
    content->addLayout(itemsRow);
    content->addSpacing(4);
    content->addLayout(answers.Block);
    content->addStretch();
    auto *body = new QHBoxLayout;
    body->addWidget(ImageInformation, 0, Qt::AlignTop);
    body->addLayout(content, 1);
    auto *top = new QVBoxLayout(this);
    top->addLayout(body, 1);
    top->addLayout(answers.Buttons);
    for (QRadioButton *b : {RadioButtonActionKeep, RadioButtonActionOverwrite, RadioButtonActionDuplicate})
        connect(b, &QRadioButton::toggled, this, [this] { ActionClicked(); });
    connect(FModel, &TDuplicateCandidateModel::CheckedChanged, this,
            [this](int candidate) { ButtonOk->setEnabled(candidate >= 0); });

    AddCandidates(candidates);
    if (QWidget *panel = KindPanel()) panel->show();
    // The layout moves the duplicate answer and the box up into the overwrite answer's place.
    if (kind == dkWaypointGroup) RadioButtonActionOverwrite->hide();
    FModel->SetChecked(FModel->CandidateCount() > 0 ? 0 : -1);
    ButtonOk->setEnabled(GetSelectedIndex() >= 0);
    UpdateTexts();
    ActionClicked();
    resize(ScaleValue(ClientWidth, ScreenDpi()), ScaleValue(ClientHeight, ScreenDpi()));
    ScaleConstraints();
}

TFormMsgDuplicateMultiple::~TFormMsgDuplicateMultiple() = default;

QWidget *TFormMsgDuplicateMultiple::KindPanel() const {
    switch (FKind) {
    case dkWaypointGroup: return PanelTypeGroup;
    case dkRoute: return PanelTypeRoute;
    case dkWaypointType: return PanelTypeType;
    case dkWaypoint: return PanelTypeWaypoint;
    default: return nullptr;
    }
}

void TFormMsgDuplicateMultiple::AddCandidates(IWptObjectList *candidates) {
    const TMultipleTexts *texts = MultipleTexts(FKind);
    const int count = candidates && texts ? candidates->GetCount() : 0;
    const int lineCount = DetailLineCount(FKind);
    for (int i = 0; i < count; ++i) {
        NavObject *candidate = candidates->GetItem(i);
        const TDuplicateItem item{candidate, QString(), false};
        const QStringList lines = DuplicateItemLines(FKind, item, FEnv).mid(0, lineCount);
        FModel->Add(candidate, QString::fromUtf8(texts->CandidateCaption) + QString::number(i + 1), lines,
                    DuplicateItemIcon(FKind, item));
    }
}

void TFormMsgDuplicateMultiple::UpdateTexts() {
    const TMultipleTexts *texts = MultipleTexts(FKind);
    if (!texts) return;
    const TKindTexts &single = SKinds[FKind];
    const QString plural = LanguageText(single.Plural).toLower();
    setWindowTitle(LanguageText(texts->Caption));
    LabelMessage->setText(DuplicateFormat(LanguageText(texts->Message), QString::number(FModel->CandidateCount())));
    LabelTypeExisting->setText(LanguageText(texts->ExistingTitle));
    for (QLabel *title : {LabelGroupNew, LabelRouteNew, LabelTypeNew, LabelWaypointNew})
        title->setText(LanguageText(single.NewTitle));
    const QStringList lines = DuplicateItemLines(FKind, {FNew, QString(), false}, FEnv);
    const std::vector<QLabel *> kindLines =
        FKind == dkWaypointGroup  ? std::vector<QLabel *>{LabelGroupNewName, LabelGroupNewWaypoints}
        : FKind == dkRoute        ? std::vector<QLabel *>{LabelRouteNewName, LabelRouteNewPoints}
        : FKind == dkWaypointType ? std::vector<QLabel *>{LabelTypeNewName}
                                  : std::vector<QLabel *>{LabelWaypointNewName, LabelWaypointNewSubName,
                                                          LabelWaypointNewPosition};
    for (size_t i = 0; i < kindLines.size(); ++i) kindLines[i]->setText(lines.value(int(i)));
    UpdateAnswerTexts();
    RadioButtonActionKeep->setText(LanguageText(texts->Keep));
    RadioButtonActionOverwrite->setText(LanguageText(texts->Overwrite));
    RadioButtonActionDuplicate->setText(LanguageText(single.Duplicate));
    CheckBoxAction->setText(DuplicateFormat(LanguageText(SApplyEvery), plural));
}

void TFormMsgDuplicateMultiple::ActionClicked() {
    const bool duplicate = RadioButtonActionDuplicate->isChecked();
    // A tick the user can no longer see as applying must not turn a plain answer into an
    // answer for all.
    if (!duplicate) CheckBoxAction->setChecked(false);
    CheckBoxAction->setEnabled(duplicate);
}

int TFormMsgDuplicateMultiple::GetSelectedIndex() const { return FModel->Checked(); }

bool TFormMsgDuplicateMultiple::ApplyAll() const { return CheckBoxAction->isEnabled() && CheckBoxAction->isChecked(); }

TFormMsgDuplicateMultiple::TPrompter TFormMsgDuplicateMultiple::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(ThePrompter());
    ThePrompter() = std::move(prompter);
    return previous;
}

bool TFormMsgDuplicateMultiple::Execute(TDuplicateKind kind, IWptObjectList *candidates, NavObject *newObject,
                                        TMarivoNavEnv *env, int &selectedIndex, TDuplicateAction &action,
                                        bool &applyAll) {
    TFormMsgDuplicateMultiple form(kind, candidates, newObject, env);
    const int result = ThePrompter() ? ThePrompter()(form) : form.exec();
    selectedIndex = form.GetSelectedIndex();
    action = form.Action();
    applyAll = form.ApplyAll();
    // OK with nothing checked cannot happen through the buttons; a prompter that says so
    // anyway gets a cancel, so no caller acts on a missing candidate.
    return result == QDialog::Accepted && selectedIndex >= 0;
}
