// The news and update centre: one generated accordion page of problems, available updates
// and the service's news, whose links start the matching update through the main window's
// events. Created once by the main window and kept; shown modally. GUI thread.
#pragma once

#include "base/forms/KvForms.h"
#include "online/FrmNewsCenterCheck.h"
#include "shell/MarivoFrames.h"

#include <functional>
#include <memory>

class QCheckBox;
class QPushButton;
class QUrl;
class TMarivoNavEnv;
class TWBContainer;
struct TNavNotification;

class TFormNewsCenter : public TFormScaled, public IFormNewsCenter {
    Q_OBJECT
public:
    // account: the account's answers (default: the environment's online objects).
    TFormNewsCenter(TMarivoNavEnv &env, bool startNow, bool waitForCharts, QWidget *owner = nullptr,
                    std::unique_ptr<INewsAccount> account = nullptr);
    ~TFormNewsCenter() override;

    QWidget *Widget() override { return this; }
    void UpdateTexts() override;
    bool UpdateHelp() override { return FUpdateHelp; }
    bool UpdateNetwork() override { return FUpdateNetwork; }
    bool UpdateNetworkImages() override { return FUpdateNetworkImages; }
    bool ChartUpdateRequested() override { return FChartUpdateRegular; }
    bool AutoShowSuppressed() override;
    void ShowModal() override;
    void StartCheck(bool background, bool waitForCharts) override;
    bool IsChecking() override { return FCheck.Checking(); }

    // Loads the last built page.
    void ShowPage();
    const QString &Page() const { return FPage; }
    TNewsCheck &Check() { return FCheck; }
    TNewsReadSet &ReadSet() { return FReadSet; }
    bool ChartUpdateBaZ() const { return FChartUpdateBaZ; }
    // A clicked page link, as the view hands it over.
    void LinkClicked(const QUrl &url);
    // Opens item index of the last page (a header click).
    void OpenItem(int index);

    TWBContainer *Browser = nullptr;
    QCheckBox *CheckBoxNoCheckAtStartup = nullptr;
    QPushButton *ButtonUpdateAll = nullptr;

    // The window that exists now (the main window keeps one at a time), or nullptr.
    static TFormNewsCenter *Current();

    // Runs the window instead of exec (tests); returns the previous one.
    using TPrompter = std::function<int(TFormNewsCenter &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    // The user's browser for http(s) links (default: the desktop).
    std::function<void(const QString &url)> OpenExternal;
    // Information messages (default: a message box).
    std::function<void(const QString &text)> Inform;

    void ButtonUpdateAllClick();

private:
    static void NotificationProc(void *data, TNavNotification *n);
    void Notify(const TNavNotification &n);
    void BuildPage();
    static TNewsColours PageColours();
    void RunLink(TNewsLink link);
    void RunUpdateProgram(bool help, bool network, bool images);
    void RunChartUpdate(bool baz);
    void ChangeLogin();
    bool FetchChartUpdates();
    void CheckAgain();
    TNewsCheckSettings CheckSettings() const;

    TMarivoNavEnv &FEnv;
    std::unique_ptr<INewsAccount> FAccount;
    TNewsCheck FCheck;
    TNewsReadSet FReadSet;
    QList<TNewsItem> FItems;
    QString FPage;
    int FOpen = -1;
    bool FBackground = true;
    TDateTime FLastShown = 0;
    bool FChartUpdateBaZ = false;
    bool FChartUpdateRegular = false;
    bool FUpdateHelp = false;
    bool FUpdateNetwork = false;
    bool FUpdateNetworkImages = false;
};

// The account's answers from the environment's chart-account object, object-update manager
// and chart manager.
std::unique_ptr<INewsAccount> MakeNewsAccount(TMarivoNavEnv &env);
