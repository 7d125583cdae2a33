// The disclaimer shown at every start: the use of the program and the charts is at the
// user's own risk. It closes with OK or by itself 5 seconds after it was made.
// GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <functional>

class QLabel;
class QPushButton;
class QTimer;

class TFormMsgDisclaimer : public TFormScaled {
    Q_OBJECT
public:
    explicit TFormMsgDisclaimer(QWidget *parent = nullptr);

    // Closes the dialog (result Rejected: the user did not press OK).
    void TimerCloseTimer();

    QLabel *LabelHeader;
    QLabel *LabelDisclaimer;
    QPushButton *ButtonOk;
    QTimer *TimerClose;  // 5000 ms, running from creation

    // Runs the dialog instead of exec (tests); returns the dialog result.
    using TPrompter = std::function<int(TFormMsgDisclaimer &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    static TPrompter &Prompter();
};

// True when the user pressed OK.
bool ShowDisclaimer();
