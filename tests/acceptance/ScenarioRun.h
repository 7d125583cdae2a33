// A skipper's session with the real program: StartUp() runs as main() runs it, on a fresh copy
// of the demo data, and a script acts from inside the message loop as the window gets to each
// step. Steps touch only what a user touches: actions as the menu items and buttons carry
// them, dialogs through their own widgets, the mouse and keys on the chart.
#pragma once

#include "base/dialogs/KvMsgBox.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QAction;
class QImage;
class QWidget;
class TFormMarivo6Main;
class TNavViewerControl;
struct TStartOptions;

namespace acceptance {

class TScenarioRun {
public:
    struct TStep {
        QString What;
        std::function<bool(TFormMarivo6Main &)> Ready;  // polled from the running loop
        std::function<void(TFormMarivo6Main &)> Act;
        int TimeoutMs = 30000;
    };

    TScenarioRun();
    ~TScenarioRun();
    TScenarioRun(const TScenarioRun &) = delete;
    TScenarioRun &operator=(const TScenarioRun &) = delete;

    // Waits for the main window to finish its deferred start, then acts.
    void WhenReady(const QString &what, std::function<void(TFormMarivo6Main &)> act);
    void When(const QString &what, std::function<bool(TFormMarivo6Main &)> ready,
              std::function<void(TFormMarivo6Main &)> act, int timeoutMs = 30000);
    // The user closes the window and says Yes to the question.
    void Close();

    // Runs the program to its end; the exit code of StartUp(). A step that never gets ready
    // fails the test and ends the run.
    int Run(const TStartOptions &options);
    bool Finished() const { return FNext >= FSteps.size(); }
    // Texts of every message box shown, in order; message boxes are answered with the
    // button Answer names when the form has it, else its first button.
    QStringList Messages;
    TMsgDlgBtn Answer = mbYes;

private:
    void Poll();
    std::vector<TStep> FSteps;
    size_t FNext = 0;
    int FWaited = 0;
    bool FBusy = false;
    TMsgBoxPrompter FOldPrompter;
};

// The action of the main window by name, checked to be enabled as the user would find it.
QAction *UserAction(TFormMarivo6Main &main, const char *name);
// The chart the main window shows.
TNavViewerControl *Chart(TFormMarivo6Main &main);
// The chart shown with at least a quarter of it drawn.
bool ChartsDrawn(TFormMarivo6Main &main);
// Pixels of the chart viewer that differ from the colour in its top-left corner.
int DrawnPixels(const QImage &image);
// <build>/acceptance/<name>.png: the whole main window as the user sees it.
void Screenshot(QWidget *window, const QString &name);

}  // namespace acceptance
