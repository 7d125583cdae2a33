// The download and installation run of the install wizards: over the records of the
// account's last download answer, every file that is missing or older than the service's is
// fetched into the record's folder below the installation folder, each complete chart set is
// registered with the chart manager, and the end is reported as success, partial success or
// failure. The wizard hands the account's file answers (130 and 131 of kind File) to the
// run; the run shows its progress on the progress page. GUI thread.
//
// Layout below the installation folder I: I + "MRC2/" (left out when I's last component is
// "MRC2") + product folder + "/" + set folder + "/"; add-on files in its subfolder
// "Addons" + product number + "/". Every record gets its own folder by these names, also
// programs and add-ons. Names from the service that are empty, ".", "..", hold "/" or "\",
// or would lead outside the set folder (also through a symbolic link) fail their record.
#pragma once

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvWebServices.h>

#include <QObject>
#include <QSet>
#include <QString>
#include <functional>

class TFramePageProgress;

class TChartInstallRun : public QObject {
    Q_OBJECT
public:
    // Nothing: the answer held no requested record, so nothing could be installed.
    enum class TOutcome { Success, Partial, Failed, Nothing };
    Q_ENUM(TOutcome)

    TChartInstallRun(IMRCChartCheck *account, IChartManager *manager, TFramePageProgress *progress,
                     QObject *parent = nullptr);

    // Called for the offer item of every record that was installed (the selection page
    // takes the item's new state from the chart manager).
    std::function<void(IMRCAvailableChartSet *)> OnChartSetInstalled;

    // Starts over the records of the last download answer; ends with Finished, possibly
    // before Start returns (nothing to fetch).
    void Start(const QString &installFolder);
    // The account's answer to the file download (130 of kind File).
    void FileFinished();
    // Progress of the file download (131 of kind File): bytes received.
    void FileProgress(double received);
    // Stops after the current file; the records not finished count as not done.
    void Abort();
    bool Running() const { return FRunning; }
    bool Downloading() const { return FDownloading; }

    // The record's folder below installFolder; empty when its names are not safe.
    static QString RecordFolder(const QString &installFolder, IMRCChartSetRecord *record);
    // The outcome over the requested records of the last answer.
    static TOutcome Count(IMRCChartCheck *account);

signals:
    // After the final message was shown.
    void Finished(TChartInstallRun::TOutcome outcome);

private:
    void Advance();
    bool NextRecord(bool &folderError);
    bool SkipPresentFiles();
    void StartFileDownload();
    void FinishRecord();
    void Finish();
    // Target folder and relative name of file i of the current record; False when unsafe.
    bool FileTarget(int32_t i, QString &folder, QString &name) const;
    IMRCChartSetRecord *Current() const;
    void ShowTotal();

    IMRCChartCheck *FAccount;
    IChartManager *FManager;
    TFramePageProgress *FProgress;
    QString FInstallFolder;
    QString FChartFolder;
    int32_t FRecord = -1;
    int32_t FFile = 0;
    int64_t FFileSize = 0;
    int32_t FTotalFiles = 0;
    int64_t FTotalBytes = 0;
    int64_t FDoneBytes = 0;
    bool FRunning = false;
    bool FDownloading = false;
    bool FAbort = false;
    QSet<IMRCChartSetRecord *> FFailed;
};
