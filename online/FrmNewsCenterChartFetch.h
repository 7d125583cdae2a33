// The chart updates the news centre's "chartupdate" link fetches before the chart-manager
// program's "-update" run installs them: every pending newer edition (the object-update
// manager's list) comes file by file through the account into a hidden folder beside its
// place in the program's update folder (the program passes over hidden folders). A set
// whose files all arrived whole gets the installed set's manifest with the new edition and
// is renamed into place; any other set is deleted. A window shows the progress; its Cancel
// ends the fetch at once and leaves nothing behind. GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvObjectUpdate.h>
#include <KvLibNav6/KvWebServices.h>

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class INavMessageDispatcher;
struct TNavNotification;

class TChartUpdateFetch : public QObject {
    Q_OBJECT
public:
    struct TSet {
        IMRCChartSetRecord *Record = nullptr;  // the account's
        QString InstalledFolder;
    };
    // The sets of the manager's pending chart updates that are installed here, in its order.
    static QList<TSet> PendingSets(INavObjectUpdateManager *updates, IChartManager *charts);

    TChartUpdateFetch(IMRCChartCheck *account, INavMessageDispatcher *dispatcher, QObject *parent = nullptr);
    ~TChartUpdateFetch() override;

    // Ends with Finished, possibly before Start returns.
    void Start(const QList<TSet> &sets, const QString &updateFolder);
    // Stops at once; the set being fetched is deleted and a late answer is ignored.
    void Cancel();
    bool Running() const { return FRunning; }
    int Placed() const { return FPlaced; }
    int Failed() const { return FFailed; }

signals:
    void Progress(int percent);
    void Finished();

private:
    static void NotificationProc(void *data, TNavNotification *n);
    void Notify(const TNavNotification &n);
    void Advance();
    void StartFile();
    void FileDone(bool whole);
    void EndSet();
    QString Staging() const;
    QString FolderName() const;
    void ShowProgress(int64_t received);

    IMRCChartCheck *FAccount;
    INavMessageDispatcher *FDispatcher;
    QList<TSet> FSets;
    QString FUpdateFolder;
    int FSet = 0;
    int32_t FFile = 0;
    bool FSetFailed = false;
    bool FRunning = false;
    bool FDownloading = false;
    int FPlaced = 0;
    int FFailed = 0;
    int64_t FTotal = 0;
    int64_t FDone = 0;
};

class TFormChartUpdateFetch : public TFormScaled {
    Q_OBJECT
public:
    explicit TFormChartUpdateFetch(TChartUpdateFetch &fetch, QWidget *owner = nullptr);

    // Runs the fetch of sets with the window shown; False when the user cancelled it.
    static bool Execute(TChartUpdateFetch &fetch, const QList<TChartUpdateFetch::TSet> &sets,
                        const QString &updateFolder, QWidget *owner);
    // Called with the window once it runs (tests click Cancel from it); returns the previous.
    using TObserver = std::function<void(TFormChartUpdateFetch &form)>;
    static TObserver SetObserver(TObserver observer);

    QLabel *LabelText;
    QProgressBar *ProgressBar;
    QPushButton *ButtonCancel;
};
