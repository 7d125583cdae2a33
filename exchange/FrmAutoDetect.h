// The modal dialog that runs the device manager's detector over the jobs the caller added,
// one progress row per port, and reports what it found ("Autodetect") or whether the chosen
// settings work ("Test"). The run starts once the dialog shows; Cancel and the close box
// reach the detector while it runs. The detector and its jobs belong to the device manager;
// the dialog clears the jobs when it goes. GUI thread only.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvDevices.h>

#include <QList>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QVBoxLayout;
class TFrameAutoDetectProgress;

class TFormAutoDetect : public TFormScaled {
    Q_OBJECT
public:
    TFormAutoDetect(QWidget *owner, bool testMode, INavMsgDeviceManager *deviceManager);
    ~TFormAutoDetect() override;

    // Shows the dialog modally (or hands it to the prompter); the dialog result.
    int ShowModal();
    // The job the information line names after a detection: the receiver Apply takes over.
    // nullptr when none was found.
    INavMsgDetectJob *GetResult() const { return FNamed; }
    // icon 1 error, 2 information, 0 none.
    void SetInformation(int icon, const QString &text);
    void BuildRows();
    // Brings every row up to date and lets pending events run (Cancel among them).
    void DetectionProgress();
    // Runs the detector once; queued from the constructor so that it runs in the modal loop.
    void StartDetection();

    bool Running() const { return FRunning; }
    bool TestMode() const { return FTestMode; }
    INavMsgDeviceDetector *Detector() const { return FDetector; }
    const QList<TFrameAutoDetectProgress *> &Rows() const { return FRows; }

    QTabWidget *PageControlMain;
    QWidget *PanelInformation;
    QLabel *ImageError, *ImageInformation, *LabelInformation;
    QScrollArea *ScrollBox;
    QPushButton *ButtonApply, *ButtonCancel;

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormAutoDetect &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

public slots:
    // Esc and Cancel: while the detector runs they only cancel it.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    static void ProgressCallback(void *data, int32_t value);
    void ShowOutcome(int32_t err);

    bool FRunning = false;
    bool FStarted = false;
    bool FTestMode;
    INavMsgDeviceDetector *FDetector;
    INavMsgDeviceManager *FDeviceManager;
    QList<TFrameAutoDetectProgress *> FRows;
    QWidget *FRowHost;
    QVBoxLayout *FRowLayout;
    INavMsgDetectJob *FNamed = nullptr;
};
