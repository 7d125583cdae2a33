// The device page of the GPS download wizard: where the data come from. The choices follow
// from the brand and model of the transfer device: the configured receiver, the receiver
// with its model still to choose, a storage-card receiver mounted as a drive, or the data
// recorder. A device of an unknown brand offers nothing; the page then says so and the
// wizard keeps Next disabled. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "exchange/KvMagellan.h"

#include <cstdint>
#include <vector>

class INavMsgGPSDevice;
class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

// Choice set flags.
namespace TransferChoice {
inline constexpr uint8_t GPS = 1;
inline constexpr uint8_t SelectModel = 2;
inline constexpr uint8_t Magellan = 4;
inline constexpr uint8_t Timex = 8;
}  // namespace TransferChoice

class TFrameTransferSelectDevice : public TFrameScaled {
    Q_OBJECT
public:
    // direction: 2 download (the only one used). device: the manager's, not owned.
    TFrameTransferSelectDevice(int32_t direction, INavMsgGPSDevice *device);
    ~TFrameTransferSelectDevice() override;

    bool IsSingleChoice() const;
    // False when the device offers no choice at all.
    bool HasChoices() const { return FChoices != 0; }
    uint8_t Choices() const { return FChoices; }
    // 0 GPS, 1 model choice, 2 storage-card device, 3 data recorder.
    int32_t GetChoice() const;
    bool NeedsGarminProtocol() const;
    int32_t GetSelectedModel() const;
    // nullptr unless the storage-card choice is taken and a device is listed; owned by the page
    // until its next device update.
    const TMagellanDeviceInfo *GetSelectedMagellanDevice() const;
    // Offers the choices of the device's brand, model and protocol; plus the data recorder
    // when withTimex is set.
    void UpdateChoices(bool withTimex = false);
    void ShowChoices(uint8_t choices);
    void ArrangePanels();
    void UpdateMagellanDevices();

    QTabWidget *PageControl;
    QWidget *TabSheetDevice, *PanelInformation;
    QLabel *ImageInformation, *LabelInformation;
    QWidget *PanelGPS, *PanelGarmin;
    QLabel *ImageGarminNote, *LabelGarminNote;
    QRadioButton *RadioButtonGPS;
    QWidget *PanelSelectModel;
    QRadioButton *RadioButtonSelectModel;
    QLabel *LabelSelectModel;
    QComboBox *ComboBoxModels;
    QWidget *PanelMagellan;
    QRadioButton *RadioButtonMagellan;
    QLabel *LabelMagellanDevice;
    QComboBox *ComboBoxMagellanDevices;
    QPushButton *ButtonMagellanUpdate;
    QWidget *PanelTimex;
    QRadioButton *RadioButtonTimex;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildLayout();
    void UpdateEnabled();

    int32_t FDirection;
    INavMsgGPSDevice *FDevice;
    uint8_t FChoices = 0;
    std::vector<TMagellanDeviceInfo> FMagellanDevices;
    QButtonGroup *FRadioGroup;
};
