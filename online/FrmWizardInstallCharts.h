// "Download and install charts": the chart sets, programs and add-ons of the online account
// downloaded into the installation folder and registered with the chart manager, or own
// installed chart sets removed. Pages: login, selection, progress. The account answers
// through the dispatcher (130, 131); the wizard acts only on the answer of the request it
// sent, by its kind. Modal, GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvNavEnv.h>

#include <functional>

class IChartManager;
class IMRCChartCheck;
class IMRCRequestList;
class QLabel;
class QPushButton;
class TChartInstallRun;
class TFramePageProgress;
class TFramePageSelectCharts;
class TFramePageUserLogin;

class TFormWizardInstallCharts : public TFormScaled {
    Q_OBJECT
public:
    enum class TPage { Login = 1, Selection = 2, Progress = 3 };
    // What the wizard waits for.
    static constexpr int WaitingList = 0, WaitingFileLists = 1, Downloading = 2, WaitingRemoval = 3;
    static constexpr int ResultClose = 2;

    TFormWizardInstallCharts(IChartManager *manager, IMRCChartCheck *account, INavMessageDispatcher *dispatcher,
                             QWidget *owner = nullptr);
    ~TFormWizardInstallCharts() override;

    static void Execute(IChartManager *manager, IMRCChartCheck *account, INavMessageDispatcher *dispatcher);
    // Runs the wizard instead of exec (tests); returns the dialog result.
    using TPrompter = std::function<int(TFormWizardInstallCharts &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    void UpdateTexts();
    void UpdateRemoveButton();
    void ShowPage(TPage page);
    TPage CurrentPage() const { return FPage; }
    int State() const { return FState; }
    // A request or the run is going on: the Close button reads "Abort".
    bool Busy() const { return FBusy; }
    QString InstallFolder() const { return FInstallFolder; }

    void ButtonPrevClick();
    void ButtonNextClick();
    void ButtonRemoveClick();
    void ButtonCloseClick();

    QWidget *PanelHeader;
    QLabel *LabelHeaderTitle;
    QLabel *LabelHeaderDescription;
    QWidget *PanelContents;
    QPushButton *ButtonPrev;
    QPushButton *ButtonRemove;
    QPushButton *ButtonNext;
    QPushButton *ButtonClose;
    TFramePageProgress *ProgressFrame;
    TFramePageSelectCharts *SelectFrame;
    TFramePageUserLogin *LoginFrame;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    static void HandleNotification(void *data, TNavNotification *n);
    void AccountAnswered(int32_t kind);
    void LoginAnswered();
    void RecordsAnswered();
    void RemovalAnswered();
    void NextOnLogin();
    void NextOnSelection();
    // Removes the listed own sets and the folders they had inside the installation folder.
    void RemoveListed(const QStringList &folders);
    void SetBusy(bool busy);
    void FillSelection();
    void ClearRequestList(bool deleteItems);
    void RunFinished();
    void AskAbort();

    IChartManager *FManager;
    IMRCChartCheck *FAccount;
    INavMessageDispatcher *FDispatcher;
    IMRCRequestList *FRequestList = nullptr;
    TChartInstallRun *FRun;
    QString FInstallFolder;
    TPage FPage = TPage::Selection;
    int FState = WaitingList;
    // The request kind whose answer is awaited; 0 when none.
    int32_t FPendingKind = 0;
    bool FBusy = false;
    bool FAbortRequested = false;
};
