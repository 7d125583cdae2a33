#include "exchange/FrmMsgDuplicateBase.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/texts/KvStr.h"
#include "exchange/FrmMsgDuplicateTexts.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFormMsgDuplicateBase::TFormMsgDuplicateBase(TDuplicateKind kind, TMarivoNavEnv *env)
    : TFormScaled(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FKind(kind), FEnv(env) {}

TFormMsgDuplicateBase::~TFormMsgDuplicateBase() {
    if (ImageInformation) NightScreenRemoveImage(NightScreen(), ImageInformation);
}

void TFormMsgDuplicateBase::BuildMessage(QWidget *parent) {
    ImageInformation = new QLabel(parent);
    ImageInformation->setPixmap(MsgIconLoad(mtInformation, true, 32));
    ImageInformation->setAlignment(Qt::AlignTop);
    NightScreenAddImage(NightScreen(), ImageInformation);
    LabelMessage = new QLabel(parent);
    LabelMessage->setWordWrap(true);
}

TFormMsgDuplicateBase::TAnswerLayouts TFormMsgDuplicateBase::BuildAnswers(QWidget *parent, int checkIndent) {
    auto *bevel = new QFrame(parent);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    LabelAction = new QLabel(parent);
    RadioButtonActionKeep = new QRadioButton(parent);
    RadioButtonActionOverwrite = new QRadioButton(parent);
    RadioButtonActionDuplicate = new QRadioButton(parent);
    RadioButtonActionKeep->setChecked(true);
    CheckBoxAction = new QCheckBox(parent);
    auto *checkRow = new QHBoxLayout;
    checkRow->addSpacing(checkIndent);
    checkRow->addWidget(CheckBoxAction, 1);
    auto *block = new QVBoxLayout;
    block->setContentsMargins(0, 0, 0, 0);
    block->addWidget(bevel);
    block->addWidget(LabelAction);
    for (QRadioButton *b : {RadioButtonActionKeep, RadioButtonActionOverwrite, RadioButtonActionDuplicate})
        block->addWidget(b);
    block->addSpacing(4);
    block->addLayout(checkRow);

    ButtonOk = new QPushButton(this);
    ButtonCancel = new QPushButton(this);
    ButtonOk->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    return {block, buttons};
}

void TFormMsgDuplicateBase::UpdateAnswerTexts() {
    LabelAction->setText(LanguageText(DuplicateText::SAction));
    ButtonOk->setText(LanguageText(KvStr::BtnOK));
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));
}

void TFormMsgDuplicateBase::changeEvent(QEvent *event) {
    if (event->type() == QEvent::LanguageChange) UpdateTexts();
    TFormScaled::changeEvent(event);
}

TDuplicateAction TFormMsgDuplicateBase::Action() const {
    if (RadioButtonActionKeep->isChecked()) return daKeep;
    if (RadioButtonActionOverwrite->isChecked()) return daOverwrite;
    return daDuplicate;
}
