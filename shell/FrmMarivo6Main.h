// The program's main window. It finds the data folder, opens the splash, creates the
// navigation environment, and starts it from the event loop once shown (disclaimer, then
// the environment's second stage). Closing asks first (or stops navigation with its own
// question), then shuts the environment down and records the clean end. GUI thread.
#pragma once

#include "base/forms/KvForms.h"
#include "shell/MarivoUtils.h"

#include <memory>

class QLabel;
class TMarivoNavEnv;

class TFormMarivo6Main : public TMainFormScaled {
    Q_OBJECT
public:
    explicit TFormMarivo6Main(const TStartOptions &options, QWidget *owner = nullptr);
    ~TFormMarivo6Main() override;

    // The main window while it exists (at most one), else nullptr.
    static TFormMarivo6Main *Current();

    // nullptr when the start failed.
    TMarivoNavEnv *NavEnv() const { return FNavEnv.get(); }
    // The data folder was missing or the environment could not be made: termination has
    // been requested and the window is not shown.
    bool StartFailed() const { return FStartFailed; }
    // The program is asked to end (a termination signal): the window closes without its
    // question once the event loop is back at its outermost level and the deferred start
    // has run, and shuts down as after a normal close.
    void CloseOnRequest();
    // The second stage of the start, posted by the constructor.
    void WMDeferredStart();

    QString DataFolder() const { return FDataFolder; }
    QLabel *LabelTitle = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool FindDataFolder(const TStartOptions &options);
    bool FormCloseQuery();
    void FormClose();
    void CloseWhenIdle();

    // Current() is this window from the first line of the constructor until the window is
    // gone, also when the constructor raises.
    struct TCurrent {
        explicit TCurrent(TFormMarivo6Main *main);
        ~TCurrent();
    } FCurrent{this};
    std::unique_ptr<TMarivoNavEnv> FNavEnv;
    QString FDataFolder, FSharedFolder;
    bool FStartFailed = false;
    bool FConstructed = false;
    bool FCloseWithoutQuestion = false;  // the program closes itself (update install)
    bool FCloseRequested = false;        // termination signal
    bool FDeferredStartDone = false;
    bool FClosed = false;
};
