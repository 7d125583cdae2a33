// The Inland ENC download manager: the chart sets the service offers, by country, with one
// folder per set below a base folder, and the list of S-57 chart folders the chart manager
// loads. Interactive mode lists the sets with Download, Update, Update all and Remove;
// update mode silently updates the sets of the sailing-area countries and drops the others.
//
// Every step is a request of the Inland ENC client answered by NavNotify::IENCStepDone:
// State 1 the list, 2 the file lists, 3 a set's files, 4 the common file, 0 idle. New and
// changed files go to "<base>/.staging/…" first and are moved into the set's folder only
// when the whole set has arrived, so a cancel or a failure leaves the installed set as it
// was. Modal, GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvCharts.h>

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class IChartManager;
class IMRCChartCheck;
class INavMessageDispatcher;
class IS57ChartCheck;
class IS57ChartSet;
class IS57ChartSetList;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TMarivoNavEnv;
struct TNavNotification;

// Tree row kinds.
namespace S57DownloadRow {
inline constexpr int Root = 0;
inline constexpr int Country = 1;
inline constexpr int ChartSet = 2;
}  // namespace S57DownloadRow

// The country codes of the service and their bits in the sailing-area set; False for any
// other code.
bool CountryCodeToIndex(const QString &code, int &number);

class TFormS57DownloadManager : public TFormScaled {
    Q_OBJECT
public:
    using TFolderList = std::vector<TS57ChartFolder>;

    // Interactive mode: the folder manager's "IENC advanced...". folders is edited in place.
    static void Execute(TFolderList &folders, IMRCChartCheck *account,
                        INavMessageDispatcher *dispatcher, QWidget *owner = nullptr);
    // Update mode (the news centre): updates the sets of the sailing-area countries (bit n =
    // country n) and drops the folders of the others. Callers pass silent False and
    // deleteFolders True.
    static void ExecuteUpdate(uint16_t sailingArea, TFolderList &folders,
                              INavMessageDispatcher *dispatcher, IMRCChartCheck *account,
                              bool silent, bool deleteFolders, QWidget *owner = nullptr);

    // The chart manager's S-57 folders as the dialog edits them: a folder with an Inland ENC
    // identity carries IsIENCSet and that identity, so that the dialog sees the sets
    // installed before.
    static TFolderList FolderListFromChartManager(IChartManager *manager);
    // The news centre's "s57update": update mode over the environment's chart manager
    // folders and sailing area, then the folders applied to the chart manager (the S-57
    // information reloaded when they changed).
    static void UpdateChartManager(TMarivoNavEnv &env, QWidget *owner = nullptr);

    TFormS57DownloadManager(TFolderList &folders, IMRCChartCheck *account,
                            INavMessageDispatcher *dispatcher, bool updateMode,
                            uint16_t sailingArea, bool silent, bool deleteFolders,
                            QWidget *owner = nullptr);
    ~TFormS57DownloadManager() override;

    // Runs the dialog instead of exec (tests); returns the previous one.
    using TPrompter = std::function<int(TFormS57DownloadManager &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // The documents folder with "IENC/": the base folder while none is stored.
    static QString DefaultBaseFolder();
    // The folder of a chart set below base (with a trailing "/"): country, region and water,
    // each made file-name safe; a set without water gets the leaf "_all", so that it never
    // holds the folders of its country's or region's other sets.
    static QString SetFolder(const QString &base, const QString &countryCode,
                             const QString &region, const QString &water);

    void UpdateTexts();
    void UpdateButtons();
    void BuildTree();
    void CheckInstalledSets();
    void RemoveChartSet(IS57ChartSet *set);

    int State() const { return FState; }
    bool UpdateMode() const { return FUpdateMode; }
    QString BaseFolder() const;
    // Texts the tree shows over its empty background.
    QString BackgroundCaption() const;
    QString BackgroundHint() const;
    IS57ChartCheck *Client() const { return FClient; }
    static int RowKind(const QTreeWidgetItem *item);
    static IS57ChartSet *RowSet(const QTreeWidgetItem *item);
    // Combined state (S57ChartSetState) of a row and the rows below it.
    static int CombinedState(const QTreeWidgetItem *item);

    QTreeWidget *ListView = nullptr;
    QLabel *LabelS57ChartFolder = nullptr;
    QLineEdit *EditS57ChartFolder = nullptr;
    QPushButton *ButtonBrowse = nullptr;
    QWidget *PanelButtonsEdit = nullptr;
    QPushButton *ButtonDownload = nullptr;
    QPushButton *ButtonRemove = nullptr;
    QPushButton *ButtonUpdateAll = nullptr;
    QPushButton *ButtonClose = nullptr;
    QPushButton *ButtonHelp = nullptr;
    QLabel *LabelBackground = nullptr;

    void ButtonDownloadClick();
    void ButtonUpdateAllClick();
    void ButtonRemoveClick();
    void ButtonBrowseClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    void BuildForm();
    static void HandleNotification(void *data, TNavNotification *n);
    void Notified(int32_t code, intptr_t p1);
    void ListArrived();
    void FileListsArrived();
    void FileArrived();
    void SelectUpdates();
    void StartSelection();
    bool PrepareSetFolder();
    void DownloadNextFile();
    void CompleteSet();
    void DownloadCommonFile();
    void Finish();
    void DropCountriesOutside();
    void Fail(const QString &message);
    void BackToIdle();
    void ShowHeader(bool on);
    bool AskCloseDuringDownload();
    bool InArea(const QString &countryCode) const;
    QString CurrentSetName() const;
    bool SafeFileNames(IS57ChartSet *set) const;
    void RequestSelection();
    void CloseDialog();
    void RefreshBackground();

    TFolderList &FFolders;
    IMRCChartCheck *FAccount;
    INavMessageDispatcher *FDispatcher;
    IS57ChartCheck *FClient = nullptr;
    IS57ChartSetList *FSelection = nullptr;  // the client's
    bool FUpdateMode;
    uint16_t FSailingArea;
    bool FSilent;
    bool FDeleteFolders;
    int FState = 0;
    bool FCancelRequested = false;
    bool FCloseAfterCancel = false;
    bool FListFailed = false;
    bool FClosing = false;
    IS57ChartSet *FCurrentSet = nullptr;
    QString FSetFolder;      // where the set lives
    QString FStagingFolder;  // where its new files arrive
    int FSetNumber = 0;
    int FFileNumber = 0;
    int64_t FReceived = 0;
};
