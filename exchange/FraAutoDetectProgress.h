// One port's row in the detection and test dialog: the port name, what the detector is
// doing there or what it found, a progress bar and the line values being tried. The job
// belongs to the device manager's detector, which outlives the row. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <KvLibNav6/KvDevices.h>

#include <QString>
#include <cstdint>

class QLabel;
class QProgressBar;

// 0 probing the line, 1 probing the receiver type, 2 failed with an error, 3 nothing found,
// 4 a device without positions, 5 a GPS.
using TAutoDetectRowState = uint8_t;

class TFrameAutoDetectProgress : public TFrameScaled {
    Q_OBJECT
public:
    static constexpr int RowHeight = 75;

    TFrameAutoDetectProgress(QWidget *owner, INavMsgDetectJob *job);

    void UpdateFromJob();
    void SetRowState(TAutoDetectRowState state);
    // set nullptr hides the line values; baud rate and stop bits only for a serial port.
    void ShowSettings(INavMsgDetectSettings *set, int32_t portKind);
    // A greyed row takes the palette's disabled text colour, so night mode follows.
    void SetActive(bool active);

    QString GetPortName() const;
    INavMsgDetectJob *Job() const { return FJob; }
    TAutoDetectRowState RowState() const { return FRowState; }
    bool Active() const { return FActive; }

    QLabel *LabelName, *LabelState, *LabelError;
    QProgressBar *ProgressBar;
    QLabel *LabelComProtocol, *LabelComBaudrate, *LabelComStopBits;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void ApplyRowState();

    bool FActive = true;
    INavMsgDetectJob *FJob;
    TAutoDetectRowState FRowState = 0;
};

// Texts of a job's error (the port's own texts for its four common failures) and of a
// reported brand.
QString DetectErrorToStr(int32_t error);
QString DetectBrandToStr(int32_t brand);
