// The "Check for updates" dialog: asks the update service whether a newer version of the
// program (or of the chart-manager program) exists, shows its release history with a
// language chooser and downloads the update into a chosen folder. Only a download whose
// size and SHA-256 match the version record counts as complete. Modal, GUI thread.
#pragma once

#include "base/forms/KvForms.h"
#include "online/KvPUSClient.h"

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QWidget;
class TWBContainer;

class TFormCheckUpdates : public TFormScaled {
    Q_OBJECT
public:
    // productName: the program's title; forChartManager: the chart-manager program instead.
    TFormCheckUpdates(const QString &productName, bool autoCheck, bool forChartManager, QWidget *owner = nullptr);
    ~TFormCheckUpdates() override;

    // Runs the dialog. fileName: the downloaded file (empty when none). When a verified
    // download completed, asks whether to start it; True only on Yes, and then the program
    // update is opened here (the chart-manager set-up is run by the caller).
    static bool Execute(QString &fileName, bool autoCheck, bool forChartManager, QWidget *owner = nullptr);

    // Runs the dialog instead of exec (tests); returns the previous one.
    using TPrompter = std::function<int(TFormCheckUpdates &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    // Opens a downloaded program update (default: through the desktop).
    using TOpener = std::function<void(const QString &file)>;
    static TOpener SetOpener(TOpener opener);
    // The installed version to compare with (default: the program's, or the chart-manager
    // program's packed version, 0 when it is not installed).
    using TVersionSource = std::function<int32_t(bool forChartManager)>;
    static TVersionSource SetVersionSource(TVersionSource source);

    void UpdateTexts();
    int Page() const;
    bool DownloadComplete() const { return FComplete; }
    const QString &DownloadedFile() const { return FFileName; }
    TPUSClient &Client() { return *FClient; }

    QStackedWidget *PageControl = nullptr;
    QLabel *LabelUpdateText = nullptr;
    QLabel *LabelHeader = nullptr;
    QWidget *PanelLanguage = nullptr;
    QLabel *LabelLanguage = nullptr;
    QComboBox *ComboBoxLanguage = nullptr;
    QWidget *PanelHistory = nullptr;
    TWBContainer *HTMLViewer = nullptr;
    QWidget *PanelProgress = nullptr;
    QLabel *LabelProgress = nullptr;
    QProgressBar *ProgressBar = nullptr;
    QWidget *PanelDestination = nullptr;
    QLabel *LabelDstFolder = nullptr;
    QLineEdit *EditDstFolder = nullptr;
    QPushButton *ButtonBrowse = nullptr;
    QPushButton *ButtonDownload = nullptr;
    QPushButton *ButtonCancel = nullptr;

    void ButtonDownloadClick();
    void ButtonCancelClick();
    void ButtonBrowseClick();
    void ComboBoxLanguageSelect();
    void reject() override;

private:
    void BuildPages();
    QWidget *BuildPage2();
    TGUID ProductGUID() const;
    void CommandDone(TPUSCommand command, int32_t result);
    void VersionDone(int32_t result);
    void HistoryDone(int32_t result);
    void FileDone(int32_t result);
    void ShowHistory();
    void FileProgress(int64_t written, int64_t size, const QString &fileName);
    void CloseWith(const QString &warning);
    void CloseWithLatest();
    void StartDownload(const QString &folder);

    QString FProductLabel;
    bool FForChartManager;
    bool FDownloadMode = false;
    TPUSClient *FClient;
    TPUSVersionInfo FVersionInfo;
    QString FHistory;
    QString FFileName;
    int64_t FFileSize = 0;
    bool FComplete = false;
};
