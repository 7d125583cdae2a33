// What the single and the multiple duplicate question have in common: the information
// icon and the message beside the items, the answer block (keep / overwrite / duplicate
// and the apply-to-all box) and the OK and Cancel buttons. GUI thread only.
#pragma once

#include "base/forms/KvForms.h"
#include "exchange/FrmMsgDuplicateItems.h"

class QCheckBox;
class QLabel;
class QLayout;
class QPushButton;
class QRadioButton;
class TMarivoNavEnv;

class TFormMsgDuplicateBase : public TFormScaled {
    Q_OBJECT
public:
    ~TFormMsgDuplicateBase() override;

    TDuplicateKind Kind() const { return FKind; }
    // The answer the controls show.
    TDuplicateAction Action() const;
    virtual void UpdateTexts() = 0;

    QLabel *ImageInformation = nullptr, *LabelMessage = nullptr;
    QLabel *LabelAction = nullptr;
    QRadioButton *RadioButtonActionKeep = nullptr, *RadioButtonActionOverwrite = nullptr,
                 *RadioButtonActionDuplicate = nullptr;
    QCheckBox *CheckBoxAction = nullptr;
    QPushButton *ButtonOk = nullptr, *ButtonCancel = nullptr;

protected:
    TFormMsgDuplicateBase(TDuplicateKind kind, TMarivoNavEnv *env);
    void changeEvent(QEvent *event) override;

    // The icon (followed by the night screen) and the word-wrapped message, on parent.
    void BuildMessage(QWidget *parent);
    // The answers on parent, keep checked and the box indented by checkIndent, and the
    // buttons that accept and reject the form. The two layouts are for the form to place.
    struct TAnswerLayouts {
        QLayout *Block = nullptr;    // bevel to check box
        QLayout *Buttons = nullptr;  // right-aligned OK and Cancel
    };
    TAnswerLayouts BuildAnswers(QWidget *parent, int checkIndent);
    // The texts of the action label and the buttons.
    void UpdateAnswerTexts();

    TDuplicateKind FKind;
    TMarivoNavEnv *FEnv;
};
