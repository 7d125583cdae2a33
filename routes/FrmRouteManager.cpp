#include "routes/FrmRouteManager.h"

#include "base/controls/KvControls.h"
#include "base/controls/MarivoListViewPopup.h"
#include "base/dialogs/FrmMsg.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvStr.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/FrmRouteGroup.h"
#include "routes/DialogParts.h"
#include "routes/RouteManagerModel.h"
#include "routes/RouteManagerTexts.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoDraw.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavEnv.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

namespace C = RouteManagerColumn;
constexpr int32_t HelpContext = 6005;
constexpr TColor ActiveRouteText = 0x7F0000;
constexpr TColor MarkedRouteText = 0x00007F;
constexpr TColor NoteText = 0x0000FF;

TFormRouteManager::TPrompter &Prompter() {
    static TFormRouteManager::TPrompter prompter;
    return prompter;
}

QColor Night(TColor c) { return TColorToColor(NightScreen()->ConvertColor(c)); }

bool IsSet(const TGUID &g) { return !(g == TGUID{}); }

}  // namespace

// ---- Drawing ----------------------------------------------------------------------------

class TFormRouteManager::TDelegate : public QStyledItemDelegate {
public:
    explicit TDelegate(TFormRouteManager *form) : QStyledItemDelegate(form), FForm(form) {}

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const TRouteNodeData *n = FForm->Model()->Node(index);
        if (!n) return;
        if (n->RowKind == 1 || n->RowKind == 2)
            PaintBand(*p, option, index, *n);
        else
            PaintRow(*p, option, index, *n);
    }

    // The check boxes toggle on the mouse-up of the form's own handler only.
    bool editorEvent(QEvent *e, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override {
        if (index.column() == C::Visible && e->type() >= QEvent::MouseButtonPress && e->type() <= QEvent::MouseMove)
            return false;
        return QStyledItemDelegate::editorEvent(e, model, option, index);
    }

private:
    void PaintBand(QPainter &p, const QStyleOptionViewItem &option, const QModelIndex &index, const TRouteNodeData &n) const {
        const QPalette pal = FForm->palette();
        const int col = index.column();
        DrawGroupRowCell(p, option.rect, col, col == C::Count - 1, pal.color(QPalette::Mid),
                         pal.color(QPalette::Button), C::Count);
        if (col == C::Visible && n.RowKind == 2) PaintCheck(p, option, index);
        if (col == C::Name) {
            p.save();
            QFont f = option.font;
            f.setBold(true);
            p.setFont(f);
            p.setPen(pal.color(QPalette::ButtonText));
            const QRect r = option.rect.adjusted(4, 0, -20, 0);
            p.drawText(r, Qt::AlignVCenter | Qt::TextSingleLine,
                       QFontMetrics(f).elidedText(index.data().toString(), Qt::ElideRight, r.width()));
            p.restore();
        }
        if (col == C::Count - 1)
            DrawGroupExpandButton(p, option.rect, index, FForm->HotRow(), FForm->PressedRow(),
                                  FForm->ListView->isExpanded(index.siblingAtColumn(0)));
    }

    void PaintRow(QPainter &p, const QStyleOptionViewItem &option, const QModelIndex &index, const TRouteNodeData &n) const {
        const bool selected = option.state & QStyle::State_Selected;
        QStyleOptionViewItem o(option);
        initStyleOption(&o, index);
        // At night the dark palette's base stands for both row colours.
        if (!selected && index.row() % 2 == 1 && !NightScreen()->IsActive())
            p.fillRect(option.rect, TColorToColor(AlternateRowColor));
        if (index.column() == C::Visible) {
            if (selected) p.fillRect(option.rect, option.palette.highlight());
            if (n.RowKind == 3) PaintCheck(p, option, index);
        } else {
            o.features &= ~QStyleOptionViewItem::HasCheckIndicator;
            if (!selected) o.backgroundBrush = Qt::NoBrush;
            if (n.RowKind == 0) {
                o.palette.setColor(QPalette::Text, Night(NoteText));
            } else if (FForm->IsActive(n) || FForm->IsEdited(n) || FForm->IsSelected(n)) {
                o.font.setBold(true);
                if (!selected) o.palette.setColor(QPalette::Text, Night(FForm->IsActive(n) ? ActiveRouteText : MarkedRouteText));
            }
            o.state &= ~QStyle::State_HasFocus;
            QStyle *style = o.widget ? o.widget->style() : QApplication::style();
            style->drawControl(QStyle::CE_ItemViewItem, &o, &p, o.widget);
        }
        if (n.RowKind == 3 && SeparatorBelow(index)) DrawRowSeparator(p, option.rect);
        if (n.RowKind == 3 && index.column() == C::Name && !n.Protected && FForm->ListView->currentIndex().row() == index.row() &&
            FForm->ListView->currentIndex().parent() == index.parent() && !(option.state & QStyle::State_Editing))
            DrawCellFocusRect(p, option.rect);
    }

    void PaintCheck(QPainter &p, const QStyleOptionViewItem &option, const QModelIndex &index) const {
        TCheckCell cell;
        cell.Type = TCheckType::CheckBox;
        switch (index.data(Qt::CheckStateRole).value<Qt::CheckState>()) {
        case Qt::Checked: cell.State = TCheckState::Checked; break;
        case Qt::PartiallyChecked: cell.State = TCheckState::Mixed; break;
        default: cell.State = TCheckState::Unchecked; break;
        }
        cell.TreeEnabled = FForm->ListView->isEnabled();
        DrawCheckBoxCell(p, cell, option.rect);
    }

    // A route row gets its line when another route row follows, or when its group is the last.
    static bool SeparatorBelow(const QModelIndex &index) {
        const QAbstractItemModel *m = index.model();
        const QModelIndex parent = index.parent();
        if (index.row() + 1 < m->rowCount(parent)) return true;
        return parent.isValid() && parent.row() + 1 == m->rowCount();
    }

    TFormRouteManager *FForm;
};

// ---- Creation ---------------------------------------------------------------------------

TFormRouteManager::TFormRouteManager(TMarivoNavEnv &env, QWidget *owner)
    : TFormScaled(owner), FEnv(env), FModel(new TRouteManagerModel(env, this)) {
    setObjectName(QStringLiteral("FormRouteManager"));
    if (IWptRoute *r = env.GetActiveRoute()) FActive = *r->GetGUID();
    if (env.EditedRoute) FEdited = *env.EditedRoute->GetGUID();
    if (env.SelectedRoute) FSelected = *env.SelectedRoute->GetGUID();
    BuildLayout();
    NightScreenAddImage(NightScreen(), ImageInformation);
    ListPopup = new TListViewPopup(false, ListView, this);
    ListView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { ListPopup->popup(ListView->viewport()->mapToGlobal(pos)); });
    LoadLanguage();
    Connect();
    BuildRouteList();
    resize(784, 464);
    setMinimumSize(800 - 16, 498 - 34);
    ScaleConstraints();
}

TFormRouteManager::~TFormRouteManager() {
    NightScreenRemoveImage(NightScreen(), ImageInformation);
    ListView->setModel(nullptr);
}

void TFormRouteManager::BuildLayout() {
    PanelInformation = NewInfoBand(this, mtInformation, false, ImageInformation, LabelInformation);

    ListView = NewCheckList(this, FModel, new TDelegate(this), this, {75, 267, 125, 100, 100, 65});
    ListView->setTreePosition(C::Name);
    ListView->setIndentation(0);
    ListView->setExpandsOnDoubleClick(false);
    ListView->header()->setSortIndicator(C::Name, Qt::AscendingOrder);

    ButtonStartStop = new QPushButton(this);
    ButtonFind = new QPushButton(this);
    ButtonSelect = new QPushButton(this);
    ButtonCopy = new QPushButton(this);
    ButtonGroup = new QPushButton(this);
    ButtonDelete = new QPushButton(this);
    ButtonHelp = new QPushButton(this);
    ButtonClose = new QPushButton(this);
    ButtonClose->setDefault(true);
    PopupMenuCopy = new QMenu(this);
    MenuItemCopyRoute = PopupMenuCopy->addAction(QString());
    MenuItemCopyAndReverseRoute = PopupMenuCopy->addAction(QString());

    auto *actions = new QHBoxLayout;
    actions->addWidget(ButtonStartStop);
    actions->addWidget(ButtonFind);
    actions->addStretch(1);
    for (QPushButton *b : {ButtonSelect, ButtonCopy, ButtonGroup, ButtonDelete}) actions->addWidget(b);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(ButtonHelp);
    bottom->addStretch(1);
    bottom->addWidget(ButtonClose);
    auto *main = new QVBoxLayout(this);
    main->addWidget(PanelInformation);
    main->addWidget(ListView, 1);
    main->addLayout(actions);
    main->addLayout(bottom);
}

void TFormRouteManager::LoadLanguage() {
    using namespace RouteManagerText;
    setWindowTitle(LanguageText(Caption));
    LabelInformation->setText(LanguageText(Information));
    ButtonClose->setText(LanguageText(Close));
    ButtonCopy->setText(LanguageText(Copy));
    ButtonDelete->setText(LanguageText(Delete));
    ButtonFind->setText(LanguageText(Find));
    ButtonGroup->setText(LanguageText(InGroup));
    ButtonSelect->setText(LanguageText(Select));
    ButtonStartStop->setText(LanguageText(Start));
    ButtonHelp->setText(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"));
    MenuItemCopyRoute->setText(LanguageText(RouteManagerText::CopyRoute));
    MenuItemCopyAndReverseRoute->setText(LanguageText(RouteManagerText::CopyReversed));
}

void TFormRouteManager::Connect() {
    FModel->CanHide = [this](const TRouteNodeData &n) { return CanHide(n); };
    FModel->OnHideRefused = [this](const TRouteNodeData &n) { HideRefused(n); };
    FModel->OnRename = [this](const TRouteNodeData &n, const QString &name) { Rename(n, name); };
    connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateButtons(); });
    connect(ListView->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { UpdateButtons(); });
    connect(ListView->header(), &QHeaderView::sectionClicked, this, [this](int c) { SortBy(c); });
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonStartStop, &QPushButton::clicked, this, [this] { StartStop(); });
    connect(ButtonFind, &QPushButton::clicked, this, [this] { FindRoute(); });
    connect(ButtonSelect, &QPushButton::clicked, this, [this] { SelectRoute(); });
    connect(ButtonGroup, &QPushButton::clicked, this, [this] { ChooseGroup(); });
    connect(ButtonDelete, &QPushButton::clicked, this, [this] { DeleteRoutes(); });
    connect(ButtonCopy, &QPushButton::clicked, this,
            [this] { PopupMenuCopy->popup(ButtonCopy->mapToGlobal(QPoint(0, ButtonCopy->height() + 1))); });
    connect(MenuItemCopyRoute, &QAction::triggered, this, [this] { CopyRoute(false); });
    connect(MenuItemCopyAndReverseRoute, &QAction::triggered, this, [this] { CopyRoute(true); });
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHTMLHelper().HelpContext(HelpContext); });
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, ButtonHelp, &QPushButton::click);
}

// ---- The list ---------------------------------------------------------------------------

QString TFormRouteManager::GroupsKey() { return QStringLiteral("Desktop\\RouteManager\\Groups"); }

void TFormRouteManager::BuildRouteList() {
    ListView->setUpdatesEnabled(false);
    FModel->Build();
    ListView->expandAll();
    CollapseStoredGroups();
    ListView->setUpdatesEnabled(true);
    UpdateButtons();
}

void TFormRouteManager::CollapseStoredGroups() {
    const auto &rows = FModel->TopRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i]->RowKind != 2) continue;
        if (!RegReadBoolDef(GetAppReg(), AppRegRoot::Product, GroupsKey(), RegName(rows[i]->GroupName), true))
            ListView->collapse(FModel->index(int(i), 0));
    }
}

void TFormRouteManager::SortBy(int column) {
    if (column <= C::Visible) {
        ListView->header()->setSortIndicator(FModel->SortColumn(), FModel->SortOrder());
        return;
    }
    Qt::SortOrder order = Qt::AscendingOrder;
    if (column == FModel->SortColumn())
        order = FModel->SortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    FModel->sort(column, order);
    ListView->header()->setSortIndicator(column, order);
}

std::vector<TRouteNodeData *> TFormRouteManager::SelectedRoutes() const {
    std::vector<TRouteNodeData *> nodes;
    for (const QModelIndex &i : ListView->selectionModel()->selectedRows(C::Visible)) {
        TRouteNodeData *n = FModel->Node(i);
        if (n && n->RowKind == 3) nodes.push_back(n);
    }
    // In list order, as the confirmation and the group change walk them.
    std::sort(nodes.begin(), nodes.end(), [this](TRouteNodeData *a, TRouteNodeData *b) {
        const QModelIndex ia = FModel->IndexOf(a), ib = FModel->IndexOf(b);
        const int pa = ia.parent().row(), pb = ib.parent().row();
        return pa != pb ? pa < pb : ia.row() < ib.row();
    });
    return nodes;
}

TRouteNodeData *TFormRouteManager::FocusedRoute() const {
    TRouteNodeData *n = FModel->Node(ListView->currentIndex());
    return n && n->RowKind == 3 ? n : nullptr;
}

bool TFormRouteManager::IsActive(const TRouteNodeData &n) const { return IsSet(FActive) && n.RouteGuid == FActive; }
bool TFormRouteManager::IsEdited(const TRouteNodeData &n) const { return IsSet(FEdited) && n.RouteGuid == FEdited; }
bool TFormRouteManager::IsSelected(const TRouteNodeData &n) const { return IsSet(FSelected) && n.RouteGuid == FSelected; }

void TFormRouteManager::UpdateButtons() {
    const std::vector<TRouteNodeData *> selected = SelectedRoutes();
    const int s = int(selected.size());
    const int protectedCount = int(std::count_if(selected.begin(), selected.end(), [](TRouteNodeData *n) { return n->Protected; }));
    TRouteNodeData *node = s == 1 ? selected.front() : nullptr;
    IWptRoute *r = FModel->Route(node);
    ButtonDelete->setEnabled(s >= 1 && protectedCount < s);
    ButtonGroup->setEnabled(s >= 1 && protectedCount < s);
    ButtonSelect->setEnabled(r && !IsEdited(*node) && !r->IsProtected());
    ButtonSelect->setText(LanguageText(r && IsSelected(*node) ? RouteManagerText::Deselect : RouteManagerText::Select));
    ButtonCopy->setEnabled(r);
    ButtonFind->setEnabled(r && r->GetPointCount() > 0);
    const bool active = r && r == FEnv.GetActiveRoute();
    ButtonStartStop->setText(LanguageText(active ? RouteManagerText::Stop : RouteManagerText::Start));
    ButtonStartStop->setEnabled(r && (active || r->GetPointCount() > 0));
}

void TFormRouteManager::FocusRow(const QModelIndex &index) {
    if (!index.isValid()) return;
    ListView->scrollTo(index, QAbstractItemView::PositionAtCenter);
    ListView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// ---- Visibility and renaming -------------------------------------------------------------

bool TFormRouteManager::CanHide(const TRouteNodeData &n) const { return !IsActive(n) && !IsEdited(n); }

void TFormRouteManager::HideRefused(const TRouteNodeData &n) {
    MsgBox(LanguageText(IsActive(n) ? RouteManagerText::ActiveInvisible : RouteManagerText::EditedInvisible), mtError,
           MsgButtons({mbOK}));
}

void TFormRouteManager::Rename(const TRouteNodeData &n, const QString &name) {
    IWptRoute *route = FModel->Route(&n);
    if (!route) return;
    try {
        FEnv.RenameRoute(route, name);
    } catch (const Exception &e) {
        MsgBox(e.Message(), mtError, MsgButtons({mbOK}));
    }
    // Sorted again once the editor has gone.
    const TGUID guid = n.RouteGuid;
    QTimer::singleShot(0, this, [this, guid] {
        FModel->sort(FModel->SortColumn(), FModel->SortOrder());
        const QModelIndex i = FModel->FindRoute(guid);
        if (i.isValid()) ListView->scrollTo(i, QAbstractItemView::PositionAtCenter);
    });
}

// ---- Commands ---------------------------------------------------------------------------

void TFormRouteManager::CloseWith(uint8_t action) {
    TRouteNodeData *n = FocusedRoute();
    IWptRoute *route = FModel->Route(n);
    if (!route) return;
    FModel->setData(FModel->IndexOf(n, C::Visible), Qt::Checked, Qt::CheckStateRole);
    FResult.Action = action;
    FResult.Route = route;
    accept();
}

void TFormRouteManager::SelectRoute() { CloseWith(RouteManagerAction::Select); }
void TFormRouteManager::FindRoute() { CloseWith(RouteManagerAction::Find); }

void TFormRouteManager::StartStop() {
    TRouteNodeData *n = FocusedRoute();
    IWptRoute *route = FModel->Route(n);
    if (!route) return;
    if (route != FEnv.GetActiveRoute()) {
        CloseWith(RouteManagerAction::Start);
        return;
    }
    FEnv.DeactivateRoute();
    FActive = TGUID{};
    ListView->viewport()->update();
    UpdateButtons();
}

void TFormRouteManager::CopyRoute(bool reversed) {
    IWptRoute *route = FModel->Route(FocusedRoute());
    IWptDatabase *db = route ? route->GetDatabase() : nullptr;
    IWptRoute *copy = db ? db->CopyRoute(route, reversed) : nullptr;
    if (!copy) return;
    const QString suffix = LanguageText(reversed ? RouteManagerText::ReversedCopySuffix : RouteManagerText::CopySuffix);
    int32_t err = 0;
    WptObjectSetName(copy, WptObjectGetName(route) + u' ' + suffix, err);
    if (FEnv.CoreEnv) FEnv.CoreEnv->GetDispatcher()->Send(NavNotify::RecalculateRoute, intptr_t(copy), 0, 0, 0, 0, 0, 0);
    const TGUID guid = *copy->GetGUID();
    BuildRouteList();
    FocusRow(FModel->FindRoute(guid));
    if (err != 0) MsgBox(ErrorToStrA(err), mtError, MsgButtons({mbOK}));
}

void TFormRouteManager::ChooseGroup() {
    QString name;
    if (!TFormRouteGroup::Execute(FEnv.WaypointManager, name, this)) return;
    int readOnly = 0, failed = 0;
    int32_t lastError = 0;
    for (TRouteNodeData *n : SelectedRoutes()) {
        IWptRoute *route = FModel->Route(n);
        if (!route) continue;
        if (route->IsProtected()) {
            ++readOnly;
            continue;
        }
        int32_t err = 0;
        WptRouteSetGroupName(route, name, err);
        if (err != 0) ++failed, lastError = err;
    }
    BuildRouteList();
    if (readOnly > 0) MsgBox(LanguageText(RouteManagerText::GroupReadOnly), mtInformation, MsgButtons({mbOK}));
    if (failed > 0)
        MsgBox(LanguageText(RouteManagerText::GroupFailed).replace(QStringLiteral("%s"), ErrorToStrA(lastError)), mtError,
               MsgButtons({mbOK}));
}

void TFormRouteManager::DeleteRoutes() {
    const std::vector<TRouteNodeData *> selected = SelectedRoutes();
    if (selected.empty()) return;
    {
        TFormMsg confirm(3, true, this);
        confirm.SetCaption(LanguageText(RouteManagerText::DeleteCaption));
        confirm.SetMessage(LanguageText(RouteManagerText::DeleteMessage));
        confirm.SetColumnTitle(LanguageText(RouteManagerText::DeleteColumn));
        confirm.SetQuestion(LanguageText(RouteManagerText::DeleteQuestion));
        for (TRouteNodeData *n : selected) {
            const QString heading = n->Database == FEnv.UserDatabase ? LanguageText(RouteManagerText::UserDatabase)
                                                                     : WptDatabaseGetTitle(n->Database);
            confirm.AddMessage(n->Name, heading, false, n->Protected);
        }
        if (!confirm.Execute()) return;
    }
    std::vector<TGUID> guids;
    for (TRouteNodeData *n : selected) guids.push_back(n->RouteGuid);
    int readOnly = 0;
    for (const TGUID &guid : guids) {
        const QModelIndex i = FModel->FindRoute(guid);
        IWptRoute *route = FModel->Route(FModel->Node(i));
        if (!route) continue;
        if (route->IsProtected()) {
            ++readOnly;
            continue;
        }
        // The environment takes a deleted route off the visible list itself; a route that
        // stays keeps its place there.
        try {
            FEnv.DeleteRoute(route, false);
        } catch (const Exception &e) {
            MsgBox(e.Message(), mtError, MsgButtons({mbOK}));
        }
    }
    BuildRouteList();
    if (readOnly > 0) MsgBox(LanguageText(RouteManagerText::DeleteReadOnly), mtInformation, MsgButtons({mbOK}));
}

// ---- Mouse ------------------------------------------------------------------------------

int TFormRouteManager::ButtonRowAt(const QPoint &pos) const {
    QModelIndex node;
    int column = -1;
    if (!GroupExpandButtonHitTest(ListView, pos.x(), pos.y(), node, column) || node.parent().isValid()) return -1;
    return node.row();
}

bool TFormRouteManager::ViewportMouse(QEvent *e) {
    const QPoint pos = static_cast<QMouseEvent *>(e)->position().toPoint();
    switch (e->type()) {
    case QEvent::MouseMove:
        if (const int hot = ButtonRowAt(pos); hot != FHotRow) {
            FHotRow = hot;
            ListView->viewport()->update();
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        FPressedRow = ButtonRowAt(pos);
        if (FPressedRow == -1) return false;
        ListView->viewport()->update();
        return true;
    case QEvent::MouseButtonRelease: {
        const int pressed = std::exchange(FPressedRow, -1);
        if (pressed != -1) {
            if (ButtonRowAt(pos) == pressed) {
                const QModelIndex i = FModel->index(pressed, 0);
                ListView->setExpanded(i, !ListView->isExpanded(i));
                FHotRow = pressed;
            }
            ListView->viewport()->update();
            return true;
        }
        ToggleCheckBoxCellAt(ListView, pos.x(), pos.y());
        QTimer::singleShot(0, this, [this] { UpdateButtons(); });
        return false;
    }
    default:
        return false;
    }
}

bool TFormRouteManager::eventFilter(QObject *watched, QEvent *e) {
    if (watched == ListView->viewport()) {
        switch (e->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            if (ViewportMouse(e)) return true;
            break;
        case QEvent::Leave:
            if (FHotRow != -1) {
                FHotRow = -1;
                ListView->viewport()->update();
            }
            break;
        default:
            break;
        }
    }
    return TFormScaled::eventFilter(watched, e);
}

// ---- Closing ----------------------------------------------------------------------------

void TFormRouteManager::ApplyOnClose() {
    const auto &rows = FModel->TopRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i]->RowKind != 2) continue;
        int32_t err = 0;
        RegWriteBool(GetAppReg(), AppRegRoot::Product, GroupsKey(), RegName(rows[i]->GroupName),
                     ListView->isExpanded(FModel->index(int(i), 0)), err);
    }
    IWptRouteList *list = WptRouteListCreate(1);
    for (IWptRoute *r : FModel->CheckedRoutes()) list->Add(r);
    try {
        FEnv.SetVisibleRoutes(list);
    } catch (...) {
        ObjectDelete(list);
        throw;
    }
    ObjectDelete(list);
}

TFormRouteManager::TPrompter TFormRouteManager::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

uint8_t TFormRouteManager::Execute(TMarivoNavEnv &env, TRouteManagerResult &result, QWidget *owner) {
    TFormRouteManager form(env, owner);
    if (Prompter())
        Prompter()(form);
    else
        form.exec();
    result = form.Result();
    form.ApplyOnClose();
    return result.Action;
}
