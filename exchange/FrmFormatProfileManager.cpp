#include "exchange/FrmFormatProfileManager.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvLib.h"
#include "base/txtformat/KvTxtFormat.h"
#include "exchange/FrmFormatProfileEditor.h"
#include "exchange/FrmFormatProfileTexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace FormatProfileText;

namespace {

constexpr int32_t HelpContext = 4009;
constexpr int ProfileRole = Qt::UserRole + 1;

TFormFormatProfileManager::TPrompter &Prompter() {
    static TFormFormatProfileManager::TPrompter prompter;
    return prompter;
}

// Profile names sort without regard to case.
class TProfileItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override {
        return QString::compare(text(0), other.text(0), Qt::CaseInsensitive) < 0;
    }
};

ITxtFormatProfile *ProfileOf(const QTreeWidgetItem *item) {
    return item ? static_cast<ITxtFormatProfile *>(item->data(0, ProfileRole).value<void *>()) : nullptr;
}

}  // namespace

TFormFormatProfileManager::TFormFormatProfileManager(ITxtFormatProfileManager *manager, TMarivoNavEnv *env,
                                                     int32_t kind, QWidget *owner)
    : TFormScaled(owner), FManager(manager), FEnv(env), FKind(kind) {
    resize(442, 441);
    auto *layout = new QVBoxLayout(this);
    auto *edits = new QHBoxLayout;
    ButtonAdd = new QPushButton(this);
    ButtonEdit = new QPushButton(this);
    ButtonDelete = new QPushButton(this);
    edits->addWidget(ButtonAdd);
    edits->addWidget(ButtonEdit);
    edits->addWidget(ButtonDelete);
    edits->addStretch(1);
    layout->addLayout(edits);
    List = new QTreeWidget(this);
    List->setColumnCount(1);
    List->setRootIsDecorated(false);
    List->setSortingEnabled(true);
    List->sortByColumn(0, Qt::AscendingOrder);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    List->setAlternatingRowColors(true);
    layout->addWidget(List, 1);
    auto *bottom = new QHBoxLayout;
    ButtonHelp = new QPushButton(this);
    ButtonClose = new QPushButton(this);
    ButtonClose->setDefault(true);
    bottom->addWidget(ButtonHelp);
    bottom->addStretch(1);
    bottom->addWidget(ButtonClose);
    layout->addLayout(bottom);
    connect(ButtonAdd, &QPushButton::clicked, this, &TFormFormatProfileManager::AddProfile);
    connect(ButtonEdit, &QPushButton::clicked, this, &TFormFormatProfileManager::EditProfile);
    connect(ButtonDelete, &QPushButton::clicked, this, &TFormFormatProfileManager::DeleteProfile);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHTMLHelper().HelpContext(HelpContext); });
    connect(List, &QTreeWidget::itemSelectionChanged, this, &TFormFormatProfileManager::UpdateButtons);
    connect(List, &QTreeWidget::itemDoubleClicked, this, [this] { EditProfile(); });
    connect(List, &QTreeWidget::itemChanged, this, &TFormFormatProfileManager::OnItemChanged);
    UpdateTexts();
    FillList();
    UpdateButtons();
    ScaleConstraints();
}

void TFormFormatProfileManager::UpdateTexts() {
    ButtonAdd->setText(LanguageText(SAdd));
    ButtonClose->setText(LanguageText(SClose));
    ButtonDelete->setText(LanguageText(SDelete));
    ButtonEdit->setText(LanguageText(SEdit));
    ButtonHelp->setText(LanguageText(SHelp) + QStringLiteral(" (F1)"));
    const bool waypoints = FKind == TxtFormatProfileKind::Waypoint;
    List->setHeaderLabels({LanguageText(waypoints ? SWaypointProfiles : SRouteProfiles)});
    setWindowTitle(LanguageText(waypoints ? SWaypointManager : SRouteManager));
}

void TFormFormatProfileManager::FillList() {
    FFilling = true;
    List->clear();
    for (int32_t i = FManager->GetCount() - 1; i >= 0; --i) {
        ITxtFormatProfile *p = FManager->GetProfile(i);
        if (p->IsDefault()) continue;
        auto *item = new TProfileItem(List, {TxtFormatProfileGetName(p)});
        item->setData(0, ProfileRole, QVariant::fromValue(static_cast<void *>(p)));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    List->sortItems(0, List->header()->sortIndicatorOrder());
    FFilling = false;
}

void TFormFormatProfileManager::UpdateButtons() {
    const bool one = List->selectedItems().size() == 1;
    ButtonEdit->setEnabled(one);
    ButtonDelete->setEnabled(one);
}

ITxtFormatProfile *TFormFormatProfileManager::RowProfile(int row) const { return ProfileOf(List->topLevelItem(row)); }

void TFormFormatProfileManager::SelectRow(int row) {
    List->clearSelection();
    if (QTreeWidgetItem *item = List->topLevelItem(row)) item->setSelected(true);
}

// A failure leaves the change in memory; the next successful save writes it.
void TFormFormatProfileManager::SaveManager() {
    int32_t err = 0;
    FManager->SaveToFile(err);
    if (err == 0) return;
    MsgBox(LanguageText(SCannotSave)
               .replace(QStringLiteral("%0:s"), TxtFormatProfileManagerGetFileName(FManager))
               .replace(QStringLiteral("%1:s"), ErrorToStrA(err)),
           mtError, MsgButtons({mbOK}));
}

bool TFormFormatProfileManager::NameTaken(ITxtFormatProfile *except, const QString &name) const {
    for (int32_t i = 0; i < FManager->GetCount(); ++i) {
        ITxtFormatProfile *p = FManager->GetProfile(i);
        if (p != except && !p->IsDefault() && TxtFormatProfileGetName(p) == name) return true;
    }
    return false;
}

void TFormFormatProfileManager::AddProfile() {
    QString name;
    TxtFormatNewProfileName(FKind, name);
    ITxtFormatProfile *added = TxtFormatProfileManagerAdd(FManager, name);
    if (FKind == TxtFormatProfileKind::Waypoint) TxtFormatProfileInitWaypoint(added, false);
    else TxtFormatProfileInitRoute(added, false);
    TNavPtr<ITxtFormatProfile> copy(FManager->CopyProfile(added));
    const bool ok = TFormFormatProfileEditor::Execute(copy.get(), FKind, FEnv, [this, added](const QString &n) {
        return NameTaken(added, n);
    });
    if (ok) {
        added->Assign(copy.get());
        SaveManager();
    } else {
        FManager->Delete(added);
    }
    FillList();
    UpdateButtons();
}

void TFormFormatProfileManager::EditProfile() {
    const QList<QTreeWidgetItem *> selected = List->selectedItems();
    if (selected.size() != 1) return;
    ITxtFormatProfile *profile = ProfileOf(selected.front());
    TNavPtr<ITxtFormatProfile> copy(FManager->CopyProfile(profile));
    if (TFormFormatProfileEditor::Execute(copy.get(), FKind, FEnv,
                                          [this, profile](const QString &n) { return NameTaken(profile, n); })) {
        profile->Assign(copy.get());
        SaveManager();
        FillList();
    }
    UpdateButtons();
}

void TFormFormatProfileManager::DeleteProfile() {
    const QList<QTreeWidgetItem *> selected = List->selectedItems();
    if (selected.size() != 1) return;
    if (MsgBox(LanguageText(SConfirmDelete), mtConfirmation, MsgButtons({mbYes, mbNo})) != mrYes) return;
    ITxtFormatProfile *profile = ProfileOf(selected.front());
    delete selected.front();
    FManager->Delete(profile);
    SaveManager();
    UpdateButtons();
}

void TFormFormatProfileManager::RenameRow(int row, const QString &name) {
    if (QTreeWidgetItem *item = List->topLevelItem(row)) item->setText(0, name);
}

void TFormFormatProfileManager::OnItemChanged(QTreeWidgetItem *item, int) {
    if (FFilling) return;
    ITxtFormatProfile *profile = ProfileOf(item);
    const QString text = item->text(0);
    const QString old = TxtFormatProfileGetName(profile);
    if (text == old) return;
    QString refusal;
    if (NameTaken(profile, text))
        refusal = LanguageText(SDuplicateName).replace(QStringLiteral("%s"), text);
    if (text.isEmpty() || !refusal.isEmpty()) {
        FFilling = true;
        item->setText(0, old);
        FFilling = false;
        if (!refusal.isEmpty()) MsgBox(refusal, mtWarning, MsgButtons({mbOK}));
        return;
    }
    TxtFormatProfileSetName(profile, text);
    SaveManager();
    List->sortItems(0, List->header()->sortIndicatorOrder());
}

TFormFormatProfileManager::TPrompter TFormFormatProfileManager::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

void TFormFormatProfileManager::Execute(ITxtFormatProfileManager *manager, int32_t kind, TMarivoNavEnv *env) {
    TFormFormatProfileManager form(manager, env, kind);
    if (Prompter()) Prompter()(form);
    else form.exec();
}
