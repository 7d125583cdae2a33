// The waiting message shown while the program waits for another program: "Please wait..."
// with the caller's message and, when asked for, a Cancel button. The caller's job runs
// once the dialog is on screen, inside its modal loop; the dialog closes when the job
// returns. Cancel only sets Cancelled (the job polls it) and disables itself.
// GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <functional>

class QLabel;
class QPushButton;

class TFormMsgWaiting : public TFormScaled {
    Q_OBJECT
public:
    using TJob = std::function<void(TFormMsgWaiting &dialog)>;

    TFormMsgWaiting(const QString &message, bool showCancel, TJob job, QWidget *parent = nullptr);

    // Shows the dialog modally and runs job in it.
    static void Execute(const QString &message, bool showCancel, TJob job);
    // "<program title> is waiting for <name> to finish." and the hint to look at the
    // taskbar, in the current language.
    static QString WaitingText(const QString &programName);

    bool Cancelled() const { return FCancelled; }

    QLabel *LabelHeader;
    QLabel *LabelMessage;
    QPushButton *ButtonCancel;

    // Runs the dialog instead of exec (tests); returns the dialog result.
    using TPrompter = std::function<int(TFormMsgWaiting &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

public slots:
    // Escape and the window's close button act as Cancel; they never end the wait.
    void reject() override;

private:
    void RunJob();
    void CancelClicked();

    TJob FJob;
    bool FCancelled = false;
};
