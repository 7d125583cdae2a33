// The question asked when an incoming item has the name of an existing one: the existing
// item beside the new one, and keep / overwrite / duplicate with a box that applies the
// answer to the rest of the run. It only asks; the caller carries out the answer and
// remembers the apply-to-all flag. GUI thread only.
#pragma once

#include "base/forms/KvForms.h"
#include "exchange/FrmMsgDuplicateItems.h"

#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

class TFormMsgDuplicate : public TFormScaled {
    Q_OBJECT
public:
    TFormMsgDuplicate(TDuplicateKind kind, const TDuplicateItem &existing, const TDuplicateItem &newItem,
                      TMarivoNavEnv *env);
    ~TFormMsgDuplicate() override;

    // Kinds 1, 2, 3, 7, 8 and 9. True when closed with OK; action and applyAll are written
    // in every case (after Cancel: what the controls show).
    static bool Execute(TDuplicateKind kind, NavObject *existing, NavObject *newObject, TMarivoNavEnv *env,
                        TDuplicateAction &action, bool &applyAll);
    // Kinds 0, 3, 4, 5 and 6 (and 7 for a track known only by its file name: start time and
    // duration read "<unknown>"), with the items' names.
    static bool ExecuteByName(TDuplicateKind kind, const QString &existingName, const QString &newName,
                              TMarivoNavEnv *env, TDuplicateAction &action, bool &applyAll);

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormMsgDuplicate &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    TDuplicateKind Kind() const { return FKind; }
    // The answer the controls show.
    TDuplicateAction Action() const;
    bool ApplyAll() const;
    // Hides both icon boxes and moves the lines to the left edge of their side.
    void HideIcons();
    void UpdateTexts();

    QTabWidget *PageControl;
    QWidget *TabSheet;
    QLabel *ImageInformation, *LabelMessage;
    QLabel *LabelExistingTitle, *LabelNewTitle;
    QFrame *PanelExisting, *PanelNew;
    QWidget *PaintBoxExisting, *PaintBoxNew;
    QLabel *LabelExistingLine01, *LabelExistingLine02, *LabelExistingLine03;
    QLabel *LabelNewLine01, *LabelNewLine02, *LabelNewLine03;
    QLabel *LabelAction;
    QRadioButton *RadioButtonActionKeep, *RadioButtonActionOverwrite, *RadioButtonActionDuplicate;
    QCheckBox *CheckBoxAction;
    QPushButton *ButtonOk, *ButtonCancel;

protected:
    void changeEvent(QEvent *event) override;

private:
    static bool Run(TFormMsgDuplicate &form, TDuplicateAction &action, bool &applyAll);
    void SetLineWidth(int width);

    TDuplicateKind FKind;
    TDuplicateItem FExisting, FNew;
    TMarivoNavEnv *FEnv;
    QLabel *FExistingLines[3], *FNewLines[3];
};
