// The question asked when an incoming item has the name of an existing one: the existing
// item beside the new one, and keep / overwrite / duplicate with a box that applies the
// answer to the rest of the run. It only asks; the caller carries out the answer and
// remembers the apply-to-all flag. GUI thread only.
#pragma once

#include "exchange/FrmMsgDuplicateBase.h"

#include <functional>

class QFrame;
class QLabel;
class QTabWidget;
class QWidget;

class TFormMsgDuplicate : public TFormMsgDuplicateBase {
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

    bool ApplyAll() const;
    // Hides both icon boxes and moves the lines to the left edge of their side.
    void HideIcons();
    void UpdateTexts() override;

    QTabWidget *PageControl;
    QWidget *TabSheet;
    QLabel *LabelExistingTitle, *LabelNewTitle;
    QFrame *PanelExisting, *PanelNew;
    QWidget *PaintBoxExisting, *PaintBoxNew;
    QLabel *LabelExistingLine01, *LabelExistingLine02, *LabelExistingLine03;
    QLabel *LabelNewLine01, *LabelNewLine02, *LabelNewLine03;

private:
    static bool Run(TFormMsgDuplicate &form, TDuplicateAction &action, bool &applyAll);
    void SetLineWidth(int width);

    TDuplicateItem FExisting, FNew;
    QLabel *FExistingLines[3], *FNewLines[3];
};
