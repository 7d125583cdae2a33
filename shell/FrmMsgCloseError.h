// The dialog after an unclean end of the previous run: it says what happened and offers,
// behind "Click here for a possible solution...", to reset the program settings or the GPS
// settings before the start (and to look for an update). GUI thread.
#pragma once

#include "base/forms/KvForms.h"
#include "shell/MarivoUtils.h"

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

class TFormMsgCloseError : public TFormScaled {
    Q_OBJECT
public:
    // state: Running or TerminatedByLibrary.
    explicit TFormMsgCloseError(TExecState state, QWidget *parent = nullptr);

    // The solution part is shown (after a click on the link).
    bool Expanded() const { return FExpanded; }
    // What the dialog stands for once closed with the given dialog result: 1 not OK,
    // else 2 when an update was chosen, else 0.
    int ResultFor(int dialogResult) const;
    // Erases what the check boxes ask for (on OK without an update); failures are ignored.
    void EraseChosenSettings();

    QLabel *LabelMsgTitle;
    QLabel *LabelMsg;
    QLabel *LabelProblemSolve;
    QLabel *LabelProblemInfo;
    QLabel *LabelUpdate;
    QLabel *LabelClear;
    QPushButton *ButtonUpdate;
    QCheckBox *CheckBoxClearRegistry;
    QCheckBox *CheckBoxClearDeviceSettings;
    QCheckBox *CheckBoxClearGRIBFiles;
    QPushButton *ButtonOk;
    QPushButton *ButtonCancel;
    QPushButton *ButtonHelp;
    bool UpdateChosen = false;

    // Runs the dialog instead of exec (tests); returns the dialog result.
    using TPrompter = std::function<int(TFormMsgCloseError &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    static TPrompter &Prompter();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ShowSolution();
    void SetLinkHot(bool hot);
    void ShowHelp();
    void PlaceOnScreen(int height96);

    bool FExpanded = false;
};

// 0 start, 1 do not start, 2 look for an update and do not start.
int ShowCloseError(TExecState state);
