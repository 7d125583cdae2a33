#include "exchange/FrmMsgDuplicate.h"

#include "exchange/FrmMsgDuplicateTexts.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace DuplicateText;

namespace {

constexpr int ClientWidth = 592;
constexpr int ClientHeight = 341;
constexpr int SideWidth = 250;     // the new item's column starts this far right of the existing one
constexpr int LineWidth = 200;     // beside an icon box
constexpr int WideLineWidth = 240; // without icon boxes

TFormMsgDuplicate::TPrompter &ThePrompter() {
    static TFormMsgDuplicate::TPrompter prompter;
    return prompter;
}

}  // namespace

TFormMsgDuplicate::TFormMsgDuplicate(TDuplicateKind kind, const TDuplicateItem &existing,
                                     const TDuplicateItem &newItem, TMarivoNavEnv *env)
    : TFormMsgDuplicateBase(kind, env), FExisting(existing), FNew(newItem) {
    PageControl = new QTabWidget(this);
    PageControl->tabBar()->hide();
    TabSheet = new QWidget(PageControl);
    PageControl->addTab(TabSheet, QString());

    BuildMessage(TabSheet);

    auto *items = new QWidget(TabSheet);
    auto *itemsRow = new QHBoxLayout(items);
    itemsRow->setContentsMargins(0, 0, 0, 0);
    itemsRow->setSpacing(0);
    itemsRow->addWidget(MakeDuplicateItemPanel(TabSheet, SideWidth, LineWidth, LabelExistingTitle, &PanelExisting,
                                               &PaintBoxExisting,
                                               {&LabelExistingLine01, &LabelExistingLine02, &LabelExistingLine03}));
    itemsRow->addWidget(MakeDuplicateItemPanel(TabSheet, SideWidth, LineWidth, LabelNewTitle, &PanelNew, &PaintBoxNew,
                                               {&LabelNewLine01, &LabelNewLine02, &LabelNewLine03}));
    itemsRow->addStretch();
    FExistingLines[0] = LabelExistingLine01;
    FExistingLines[1] = LabelExistingLine02;
    FExistingLines[2] = LabelExistingLine03;
    FNewLines[0] = LabelNewLine01;
    FNewLines[1] = LabelNewLine02;
    FNewLines[2] = LabelNewLine03;
    static_cast<TDuplicateIconBox *>(PaintBoxExisting)->Icon = DuplicateItemIcon(kind, existing);
    static_cast<TDuplicateIconBox *>(PaintBoxNew)->Icon = DuplicateItemIcon(kind, newItem);

    const TAnswerLayouts answers = BuildAnswers(TabSheet, 0);

    auto *content = new QVBoxLayout;
    content->addWidget(LabelMessage);
    content->addSpacing(8);
    content->addWidget(items);
    content->addSpacing(4);
    content->addLayout(answers.Block);
    content->addStretch();
    auto *sheet = new QHBoxLayout(TabSheet);
    sheet->addWidget(ImageInformation, 0, Qt::AlignTop);
    sheet->addLayout(content, 1);
    auto *top = new QVBoxLayout(this);
    top->addWidget(PageControl, 1);
    top->addLayout(answers.Buttons);

    switch (kind) {
    case dkChartCollection:
    case dkRouteProfile:
    case dkWaypointProfile:
        HideIcons();
        RadioButtonActionDuplicate->hide();
        break;
    case dkWaypointGroup:
        // The layout moves the duplicate answer up into the overwrite answer's place.
        HideIcons();
        RadioButtonActionOverwrite->hide();
        break;
    case dkRoute:
    case dkPolarDiagram:
    case dkTrack:
        HideIcons();
        break;
    default:
        break;
    }
    UpdateTexts();
    resize(ScaleValue(ClientWidth, ScreenDpi()), ScaleValue(ClientHeight, ScreenDpi()));
    ScaleConstraints();
}

TFormMsgDuplicate::~TFormMsgDuplicate() = default;

void TFormMsgDuplicate::SetLineWidth(int width) {
    for (QLabel *line : FExistingLines) line->setFixedWidth(width);
    for (QLabel *line : FNewLines) line->setFixedWidth(width);
}

void TFormMsgDuplicate::HideIcons() {
    PanelExisting->hide();
    PanelNew->hide();
    SetLineWidth(WideLineWidth);
}

void TFormMsgDuplicate::UpdateTexts() {
    if (FKind > dkWaypoint) return;
    const TKindTexts &t = SKinds[FKind];
    const QString plural = LanguageText(t.Plural);
    setWindowTitle(LanguageText(t.Caption));
    PageControl->setTabText(0, plural);
    LabelMessage->setText(LanguageText(t.Message));
    LabelExistingTitle->setText(LanguageText(t.ExistingTitle));
    LabelNewTitle->setText(LanguageText(t.NewTitle));
    const QStringList existing = DuplicateItemLines(FKind, FExisting, FEnv);
    const QStringList added = DuplicateItemLines(FKind, FNew, FEnv);
    for (int i = 0; i < 3; ++i) {
        FExistingLines[i]->setText(existing.value(i));
        FNewLines[i]->setText(added.value(i));
    }
    UpdateAnswerTexts();
    RadioButtonActionKeep->setText(LanguageText(t.Keep));
    RadioButtonActionOverwrite->setText(LanguageText(t.Overwrite));
    RadioButtonActionDuplicate->setText(DuplicateFormat(LanguageText(t.Duplicate), plural.toLower()));
    CheckBoxAction->setText(DuplicateFormat(LanguageText(SApplyAll), plural.toLower()));
}

bool TFormMsgDuplicate::ApplyAll() const { return CheckBoxAction->isChecked(); }

TFormMsgDuplicate::TPrompter TFormMsgDuplicate::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(ThePrompter());
    ThePrompter() = std::move(prompter);
    return previous;
}

bool TFormMsgDuplicate::Run(TFormMsgDuplicate &form, TDuplicateAction &action, bool &applyAll) {
    const int result = ThePrompter() ? ThePrompter()(form) : form.exec();
    action = form.Action();
    applyAll = form.ApplyAll();
    return result == QDialog::Accepted;
}

bool TFormMsgDuplicate::Execute(TDuplicateKind kind, NavObject *existing, NavObject *newObject, TMarivoNavEnv *env,
                                TDuplicateAction &action, bool &applyAll) {
    TFormMsgDuplicate form(kind, {existing, QString(), false}, {newObject, QString(), false}, env);
    return Run(form, action, applyAll);
}

bool TFormMsgDuplicate::ExecuteByName(TDuplicateKind kind, const QString &existingName, const QString &newName,
                                      TMarivoNavEnv *env, TDuplicateAction &action, bool &applyAll) {
    TFormMsgDuplicate form(kind, {nullptr, existingName, true}, {nullptr, newName, true}, env);
    return Run(form, action, applyAll);
}
