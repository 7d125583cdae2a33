// The GPS download wizard: waypoints, routes and tracks from a GPS receiver, a storage-card
// receiver or the data recorder, chosen by the user and stored in the user database and as
// track files. Execute stops navigation (after asking), takes the own ship's receiver off
// its port for the time of the wizard and always gives it back, also when the wizard fails.
//
// A download blocks inside the transfer device, which reports progress to the wizard; the
// wizard lets events through there, so Close, Prev and Next only ask the device to stop and
// take effect once the download has returned. GUI thread only.
#pragma once

#include "base/forms/KvForms.h"
#include "base/kvlib/KvLib.h"
#include "exchange/FraDataSelectOther.h"

#include <KvLibNav6/KvDevices.h>
#include <KvLibNav6/KvProgress.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvWaypoints.h>

#include <functional>
#include <memory>
#include <vector>

class QPushButton;
class TFrameDataSelect;
class TFrameDownloadProperties;
class TFrameDownloadTimex;
class TFrameTransferGPSInfo;
class TFrameTransferProgress;
class TFrameTransferSelectDevice;
class TMarivoNavEnv;
struct TMagellanDeviceInfo;

class TFormGPSDownload : public TFormScaled {
    Q_OBJECT
public:
    static constexpr int HelpContext = 5008;
    // Pages.
    enum { PageWaypoints, PageTracks, PageInfo, PageProgress, PageProperties, PageDevice, PageTimex };
    // Why a download ended: still running, Next, Prev.
    enum { StopNone, StopNext, StopPrev };

    // device: the manager's transfer device, not owned.
    TFormGPSDownload(TMarivoNavEnv &env, INavMsgGPSDevice *device, QWidget *owner = nullptr);
    ~TFormGPSDownload() override;

    static void Execute(TMarivoNavEnv &env, QWidget *owner = nullptr);
    // Runs the wizard instead of exec (tests); returns the dialog result and the previous.
    using TPrompter = std::function<int(TFormGPSDownload &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    // Whether the data-recorder choice is offered: when the driver has the entries to connect
    // and read.
    static bool TimexAvailable();

    void ShowPage(int page);
    int CurrentPage() const { return FPage; }
    // The model chosen on the device page, 0 for none.
    int32_t ChosenModel() const { return FChosenModel; }
    bool Downloading() const { return FDownloading; }

    void NextClick();
    void PrevClick();
    void reject() override;

    // Device and transfer callbacks (also called by the C trampolines).
    void DeviceConnected();
    void DeviceError(int32_t code);
    void PortError(INavMsgPort *port, int32_t code, bool openFailed);
    void TransferProgress(const TNavMsgTransferStatus &status);
    void BuildTrackItems();
    // Merges, applies the properties, saves the tracks and reports once; closes on success.
    void Finish();

    QWidget *PanelContents;
    QPushButton *ButtonPrev, *ButtonNext, *ButtonClose, *ButtonHelp;
    TFrameDataSelect *FrameDataSelect;
    TFrameDataSelectOther *FrameDataSelectOther;
    TFrameTransferGPSInfo *FrameGPSInfo;
    TFrameTransferProgress *FrameProgress;
    TFrameDownloadProperties *FrameProperties;
    TFrameTransferSelectDevice *FrameSelectDevice;
    TFrameDownloadTimex *FrameTimex;

    IWptDatabase *DownloadDatabase() const { return FDownloadDatabase; }
    INavTrackList *Tracks() const { return FTracks.get(); }

private:
    void SetButtons(bool prev, bool next, bool close, bool finish = false);
    void Start();
    void SetUpPage(int page);
    void StartDownload();
    void DeviceNext();
    void TimexFinish();
    // result: what Download returned after its last report.
    void DownloadEnded(int32_t result);
    void CloseWizard();
    bool HasObjects() const;
    bool HasTracks() const;
    void FillSelection();
    // Finish steps; false after a message when the step failed.
    bool MergeSelection(QStringList &report);
    bool ApplyProperties(IWptObjectList *waypoints, IWptObjectList *routes);
    bool SaveTracks(QStringList &report);
    // The one closing message: "Download completed." and the counts.
    static void ReportCompleted(const QStringList &report);

    TMarivoNavEnv &FEnv;
    INavMsgGPSDevice *FDevice;
    IWptDatabase *FUserDatabase;
    TNavPtr<IWptManager> FDownloadManager;
    IWptDatabase *FDownloadDatabase = nullptr;
    TNavPtr<IWptWaypointList> FSelectedWaypoints;
    TNavPtr<IWptRouteList> FSelectedRoutes;
    TNavPtr<INavTrackList> FTracks;
    std::vector<std::unique_ptr<TDataItem>> FTrackItemsOwned;
    TDataItemList FTrackItems;
    QString FTrackFolder;
    int FPage = -1;
    int FStopReason = StopNone;
    const TMagellanDeviceInfo *FMagellanDevice = nullptr;
    int32_t FChosenModel = 0;
    TProgressEx FProgress;
    uint32_t FCapabilities = 0;
    bool FDownloading = false;
    // Set while downloading: what to do once the device has returned.
    bool FCloseRequested = false;
    bool FErrorShown = false;
    // The device reported the end of the transfer.
    bool FTransferEnded = false;
};
