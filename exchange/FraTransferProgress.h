// The progress page of the GPS download wizard: the stage of the running download, the counts
// received so far and a progress bar, from the transfer status the device reports. It only
// shows: it never processes events itself, so it cannot be destroyed while updating.
// GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <KvLibNav6/KvDevices.h>

#include <cstdint>

class QLabel;
class QProgressBar;
class QTabWidget;

class TFrameTransferProgress : public TFrameScaled {
    Q_OBJECT
public:
    // direction: 2 download (the only one used).
    explicit TFrameTransferProgress(int32_t direction);
    ~TFrameTransferProgress() override;

    void UpdateProgress(const TNavMsgTransferStatus &status, INavMsgGPSDevice *device);

    QTabWidget *PageControl;
    QWidget *TabSheetGPSInfo, *PanelProgress, *PanelTransferProgress, *PanelTransferProgressBar;
    QLabel *LabelTransferProgress, *ImageInformation;
    QProgressBar *ProgressBarTransfer;
    QWidget *PanelWaypoints, *PanelRoutes, *PanelRoutePoints, *PanelTracks, *PanelTrackPoints;
    QLabel *LabelWaypointCount, *LabelRouteCount, *LabelRoutePointCount, *LabelTrackCount,
        *LabelTrackPointCount;

private:
    void BuildLayout();
    void ShowStart(const TNavMsgTransferStatus &status, INavMsgGPSDevice *device);

    int32_t FDirection;
    int32_t FPreviousStage = 0;
};
