// The GPS settings dialog: brand, model, protocol, datum, port and serial line of the own
// ship's receiver, plus the filter switch. OK applies the choices to the receiver and, only
// once the receiver took them, stores them where the next start finds them. From here the
// user starts automatic detection, a test of the chosen settings, or stops a running GPS.
//
// The receiver and the device manager belong to the navigation environment; the dialog
// neither owns nor frees them, and never starts the communication itself. GUI thread only.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvDevices.h>

#include <QString>
#include <cstdint>
#include <functional>

class IGeodeticDefinition;
class INavBoatGPS;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

class TFormSettingsGPS : public TFormScaled {
    Q_OBJECT
public:
    static constexpr int HelpContext = 5006;

    // action: the main window's GPS on/off action (triggering it stops a running
    // communication); may be nullptr, then "Stop GPS" only re-reads the receiver's state.
    TFormSettingsGPS(QAction *action, INavMsgDeviceManager *deviceManager, INavBoatGPS *gps,
                     QWidget *parent = nullptr);
    ~TFormSettingsGPS() override;

    // Shows the dialog modally; True when it closed with OK, by which time the receiver has
    // the choices and the settings store holds them. autoDetectOnShow starts detection as
    // soon as the dialog shows.
    bool Execute(bool autoDetectOnShow);
    // The main window's entry: makes the dialog, hands setRefresh the port-list refresh for
    // its device-change handling while the dialog is open (and an empty function after),
    // shows it and frees it.
    static bool Execute(QAction *action, INavMsgDeviceManager *deviceManager, INavBoatGPS *gps,
                        bool autoDetectOnShow,
                        const std::function<void(std::function<void()>)> &setRefresh = {});

    // After a device change: the list is rebuilt, the chosen port kept while it exists, else
    // another one picked.
    void RefreshPortList();

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormSettingsGPS &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    // Shows a help context; empty until the help manager installs it, and the help button
    // stays disabled while it is. Returns the previous hook.
    using THelpHook = std::function<void(int helpContext)>;
    static THelpHook SetHelpHook(THelpHook hook);
    // Where the receiver settings are saved (a full key path); empty = the core library.
    // Tests make the store fail through it. Returns the previous one.
    using TSaveGPSSettings =
        std::function<void(INavMsgGPSSettings *settings, const QString &keyPath, int32_t &err)>;
    static TSaveGPSSettings SetSaveGPSSettings(TSaveGPSSettings save);
    // Seconds every detection set waits for input; 0 = the detector's own limits. Silent
    // ports make a detection take 14 of them, so tests shorten it. Returns the previous one.
    static float SetDetectTimeLimit(float seconds);

    // The chosen values.
    int32_t Brand() const { return FBrand; }
    int32_t Model() const { return FModel; }
    int32_t Protocol() const { return FProtocol; }
    IGeodeticDefinition *Datum() const { return FDatum; }
    INavMsgPort *Port() const { return FPort; }
    int32_t BaudRate() const { return FBaudRate; }
    int32_t StopBits() const { return FStopBits; }
    int32_t FlowControl() const { return FFlowControl; }
    bool Stopped() const { return FStopped; }
    // Detection starts as soon as the dialog shows (until it has started).
    bool AutoDetectOnShow() const { return FAutoDetectOnShow; }

    void SetBrand(int32_t brand);
    void SetModel(int32_t model);
    void SetProtocol(int32_t protocol);
    void SetDatum(IGeodeticDefinition *datum);
    void SetPort(INavMsgPort *port);
    void SetBaudRate(int32_t baudRate);
    void SetStopBits(int32_t stopBits);
    void SetFlowControl(int32_t flowControl);
    void FillModels();
    void FillPortList();
    void AutoPickPort();
    void UpdateStates();
    void UpdateTexts();
    // Probes every port for a receiver and takes a found one over into the dialog.
    void AutoDetect();

    QTabWidget *PageControl;
    QWidget *TabSheetGeneral;
    QLabel *LabelGeneral, *LabelBrand, *LabelModel, *LabelProtocol, *LabelDatum;
    QComboBox *ComboBoxBrand, *ComboBoxModel, *ComboBoxProtocol, *ComboBoxDatum;
    QLabel *LabelComm, *LabelPort, *LabelDescription, *LabelDescriptionValue;
    QComboBox *ComboBoxPort;
    QLabel *LabelBaudRate, *LabelStopBits, *LabelFlowcontrol;
    QComboBox *ComboBoxBaudRate, *ComboBoxStopBits, *ComboBoxFlowcontrol;
    QPushButton *ButtonDefault, *ButtonAutoDetect, *ButtonTest, *ButtonStopGPS;
    QLabel *LabelFiltering;
    QCheckBox *CheckBoxFilter;
    QWidget *PanelInformation;
    QLabel *ImageInformation, *LabelInformation;
    QPushButton *ButtonOk, *ButtonCancel, *ButtonHelp;

    // Ranking of protocol 1 among the listed ports (an available port first, then vendor
    // USB over serial over the rest; the earlier entry on a tie) and of NMEA (the first
    // available, else the first). nullptr when no port carries the protocol.
    static INavMsgPort *PickVendorPort(const QList<INavMsgPort *> &ports);
    static INavMsgPort *PickNMEAPort(const QList<INavMsgPort *> &ports);

public slots:
    // OK applies and stores before the dialog closes; a failure keeps it open.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BuildLayout();
    void FillLists();
    void ReadReceiver();
    void ConnectSignals();
    QList<INavMsgPort *> ListedPorts() const;
    void ButtonDefaultClick();
    void ButtonTestClick();
    void ButtonStopGPSClick();
    void ButtonHelpClick();
    // Applies to the receiver and stores; raises with the library's text, after putting the
    // receiver back as it was.
    void ApplyAndStore();
    bool ReceiverUnchanged();
    void ApplyToGPS();
    void StoreSettings();
    void TakeOverResult(INavMsgDetectJob *result);

    QAction *FAction;
    INavMsgDeviceManager *FDeviceManager;
    INavBoatGPS *FGPS;
    int32_t FBrand = 0, FModel = 0, FProtocol = 0;
    IGeodeticDefinition *FDatum = nullptr;
    IGeodeticDefinition *FStoredDatum = nullptr;  // what the store held when the dialog opened
    INavMsgPort *FPort = nullptr;
    int32_t FBaudRate = 0, FStopBits = 0, FFlowControl = 0;
    bool FStopped = true;
    bool FAutoDetectOnShow = false;
    bool FApplied = false;
};

// One detection set on a serial port (the job owns it): protocol and line values, and for a
// test of NMEA both time limits at 15 s.
void AddSerialProbe(INavMsgDetectJob *job, int32_t protocol, int32_t baudRate, int32_t stopBits,
                    int32_t flowControl, bool test);
// One set of protocol 1 on a vendor-USB port.
void AddUSBProbe(INavMsgDetectJob *job);
