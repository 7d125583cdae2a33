// The start-up wizard "Setup Marivo": the online account's login, the ship's properties
// (with the ships saved in the account), and the first charts, programs and add-ons of the
// account downloaded and installed. The sign-up page for automatic bridge and lock operation
// requests is built but the page order passes it by, so SignUp is always False. The account
// object and the user-data object answer through the dispatcher (130, 131, 137); the wizard
// acts only on the answers to its own requests, by their kind. Modal, GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvNavEnv.h>

#include <functional>

class IMRCChartCheck;
class IMRCRequestList;
class IUserDataAPI;
class QLabel;
class QPushButton;
class QWidget;
class TChartInstallRun;
class TFramePageProgress;
class TFramePageSelectCharts;
class TFrameStartupShipProperties;
class TFrameStartupUser;
class TFrameStartupZoS;
class TMarivoNavEnv;

class TFormWizardStartup : public TFormScaled {
    Q_OBJECT
public:
    enum class TPage { Login, Ship, SignUp, Selection, Progress };
    // What the wizard waits for.
    static constexpr int WaitingLogin = 0, WaitingFileLists = 1, Downloading = 2;
    static constexpr int ResultClose = 2, ResultAbort = 3;

    explicit TFormWizardStartup(TMarivoNavEnv &env, QWidget *owner = nullptr);
    ~TFormWizardStartup() override;

    // Runs the wizard for the environment; signUp: the sign-up was chosen (never here).
    static void Execute(TMarivoNavEnv &env, bool &signUp, QWidget *owner = nullptr);
    // Runs the wizard instead of exec (tests); returns the dialog result.
    using TPrompter = std::function<int(TFormWizardStartup &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    void UpdateTexts();
    void ShowPage(TPage page);
    TPage CurrentPage() const { return FPage; }
    int State() const { return FState; }
    bool SignUp() const { return FSignUp; }
    // A request or the run is going on: the Close button reads "Abort".
    bool Busy() const { return FBusy; }
    QString InstallFolder() const { return FInstallFolder; }

    QWidget *PanelHeader;
    QLabel *LabelHeaderTitle;
    QLabel *LabelHeaderDescription;
    QWidget *PanelContents;
    QPushButton *ButtonPrev;
    QPushButton *ButtonNext;
    QPushButton *ButtonClose;
    TFramePageProgress *ProgressFrame;
    TFramePageSelectCharts *SelectFrame;
    TFrameStartupUser *LoginFrame;
    TFrameStartupShipProperties *ShipFrame;
    TFrameStartupZoS *SignUpFrame;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    static void HandleNotification(void *data, TNavNotification *n);
    void AccountAnswered(int32_t kind);
    void UserDataAnswered();
    void ButtonNextClick();
    void ButtonPrevClick();
    void ButtonCloseClick();
    void NextOnLogin();
    void NextOnSelection();
    void SetBusy(bool busy);
    void FillSelection();
    void ClearRequestList();
    void RunFinished();
    // The answer to the wizard's own login, when the offer it should bring could not be had.
    void ReportOfferError();
    // Abort with the question whether to stop; the run stops after its current file.
    void AskAbort();

    TMarivoNavEnv &FEnv;
    IMRCChartCheck *FAccount;
    IUserDataAPI *FUserData;
    INavMessageDispatcher *FDispatcher;
    IMRCRequestList *FRequestList = nullptr;
    TChartInstallRun *FRun;
    QString FInstallFolder;
    TPage FPage = TPage::Login;
    int FState = WaitingLogin;
    bool FSignUp = false;
    bool FBusy = false;
    bool FAbortRequested = false;
    // The login of the login page was sent and its answer has not come yet.
    bool FOfferAwaited = false;
    // Answers whose request already reported its error at once: not reported again.
    int FIgnoreUserData = 0;
    int FIgnoreRecords = 0;
};
