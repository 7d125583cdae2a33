// The information page of the GPS download wizard: what the connected receiver or the chosen
// storage-card receiver is (model, ID, software version, storage), a check box for each kind
// of data it can deliver, and the communication or port error when connecting failed.
// GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "exchange/KvMagellan.h"

#include <array>
#include <cstdint>

class INavMsgGPSDevice;
class INavMsgPort;
class QCheckBox;
class QLabel;
class QTabWidget;

class TFrameTransferGPSInfo : public TFrameScaled {
    Q_OBJECT
public:
    // direction: 2 download (the only one used).
    explicit TFrameTransferGPSInfo(int32_t direction);
    ~TFrameTransferGPSInfo() override;

    // Back to "Initializing communication...", every kind hidden and unticked; runs each time
    // the page gets a parent.
    void Reset();
    // info: a storage-card receiver, or nullptr for the connected device. flags: the
    // NavMsgTransfer::CanDownload… bits.
    void ShowDeviceInfo(const TMagellanDeviceInfo *info, INavMsgGPSDevice *device, uint32_t flags);
    void ShowCommError(int32_t code);
    void ShowPortError(INavMsgPort *port, int32_t code, bool openFailed);
    // False, after a message, when no kind is ticked.
    bool Validate();
    // NavMsgTransfer::Request… bits of the ticked kinds.
    uint32_t RequestFlags() const;

    QTabWidget *PageControl;
    QWidget *TabSheetGPSInfo, *PanelInformation;
    QLabel *ImageInformation, *ImageError, *LabelGPSInfo;
    QLabel *LabelModelPrefix, *LabelModel, *LabelIDPrefix, *LabelID;
    QLabel *LabelSWVersionPrefix, *LabelSWVersion, *LabelStoragePrefix, *LabelStorage;
    QLabel *LabelDataType;
    QWidget *PanelDataTypeSelect, *PanelDataTypeShow;
    QWidget *PanelSelectWpt, *PanelSelectPrx, *PanelSelectRte, *PanelSelectTrk;
    QCheckBox *CheckBoxWpt, *CheckBoxPrx, *CheckBoxRte, *CheckBoxTrk;
    // The kinds' pictures beside their check boxes.
    QLabel *ImageWpt, *ImagePrx, *ImageRte, *ImageTrk;

protected:
    void changeEvent(QEvent *event) override;

private:
    void BuildLayout();
    void ShowErrorText(const QString &text);
    void PlaceRows();
    // Every picture the night screen dims.
    std::array<QLabel *, 6> Images() const;

    int32_t FDirection;
};
