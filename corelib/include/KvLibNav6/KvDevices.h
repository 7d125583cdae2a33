// Instruments and devices: the device manager with its ports and input logs, port and GPS
// settings objects, automatic GPS detection, the transfer device that downloads waypoints,
// routes and tracks from a receiver, and storage-card receivers mounted as drives.
//
// Serial ports carry NMEA 0183. Vendor-USB ports (kind 1), the location-sensor port (kind 4)
// and storage-card receivers have no counterpart on Linux: they exist as types so that the
// program's choices stay complete, and report empty lists.
//
// Every call and every callback happens on the GUI thread.
#pragma once

#include <cstdint>

#include "KvCallbacks.h"
#include "KvStrW.h"
#include "KvTypes.h"

class INavMessageDispatcher;
class IWptDatabase;
class INavTrackList;
struct TLoopRecord;
struct TProgressEx;

class INavMsgPort;
class INavMsgLog;
class INavMsgPortSettings;
class INavMsgCommPortSettings;
class INavMsgGPSSettings;
class INavMsgDeviceDetector;
class INavMsgDetectJob;
class INavMsgDetectSettings;
class INavMsgGPSDevice;

// Port kinds (INavMsgPort::GetKind).
namespace NavMsgPortKind {
inline constexpr int32_t Serial = 0;
inline constexpr int32_t VendorUSB = 1;
inline constexpr int32_t Simulator = 2;
inline constexpr int32_t LocationSensor = 4;
}  // namespace NavMsgPortKind

// Receiver protocols (GPS settings, detection sets, the transfer device).
namespace NavMsgProtocol {
inline constexpr int32_t VendorBinary = 1;  // the vendor-USB / binary serial protocol
inline constexpr int32_t NMEA = 2;
}  // namespace NavMsgProtocol

// Serial line codes shared by ports and comm-port settings.
namespace NavMsgLine {
inline constexpr int32_t FlowNone = 0;
inline constexpr int32_t FlowHardware = 1;
inline constexpr int32_t FlowXonXoff = 2;
inline constexpr int32_t StopBitsOne = 0;
inline constexpr int32_t StopBitsTwo = 2;
}  // namespace NavMsgLine

// Bits of INavMsgDetectJob::GetFlags.
namespace NavMsgDetectFlag {
inline constexpr uint32_t PositionSeen = 0x100;  // GGA, GLL or RMC arrived during the probe
}  // namespace NavMsgDetectFlag

// Transfer requests (INavMsgGPSDevice::Download, MglReadData) and capabilities
// (INavMsgGPSDevice::GetCapabilities; the upload bits are the download bits shifted by 4).
namespace NavMsgTransfer {
inline constexpr uint32_t RequestProximityWaypoints = 1;
inline constexpr uint32_t RequestRoutes = 2;
inline constexpr uint32_t RequestTracks = 4;
inline constexpr uint32_t RequestWaypoints = 8;

inline constexpr uint32_t CanDownloadRoutes = 0x01;
inline constexpr uint32_t CanDownloadTracks = 0x02;
inline constexpr uint32_t CanDownloadWaypoints = 0x04;
inline constexpr uint32_t CanDownloadProximityWaypoints = 0x08;
inline constexpr uint32_t CanDownloadAny = 0x0F;
inline constexpr uint32_t NMEACapabilities = CanDownloadRoutes | CanDownloadWaypoints;  // $05

// TNavMsgTransferStatus::Stage.
inline constexpr int32_t StageStart = 0;
inline constexpr int32_t StageProximityWaypoints = 1;
inline constexpr int32_t StageWaypoints = 2;
inline constexpr int32_t StageRoutes = 3;
inline constexpr int32_t StageTracks = 4;
inline constexpr int32_t StageFinished = 5;
}  // namespace NavMsgTransfer

// What the progress record's status entry points to while INavMsgGPSDevice::Download runs.
// Eleven 32-bit values in this order; a negative count means that kind is not transferred,
// a negative TransferMax that the current step has no measurable length.
struct TNavMsgTransferStatus {
    int32_t Error = 0;           // 0 = none; the download ends with it
    int32_t Stage = NavMsgTransfer::StageStart;
    int32_t TotalPos = 0;
    int32_t TotalMax = 0;
    int32_t TransferPos = 0;
    int32_t TransferMax = -1;
    int32_t WaypointCount = -1;
    int32_t RouteCount = -1;
    int32_t RoutePointCount = -1;
    int32_t TrackCount = -1;
    int32_t TrackPointCount = -1;
};
static_assert(sizeof(TNavMsgTransferStatus) == 11 * sizeof(int32_t));

// The drive of a storage-card receiver: the root folder (mount point) of its storage.
// Filled by IMglDeviceList::GetDevice, where Root points into the list's own storage and
// stays valid until the list is released; built by the caller for MglReadData, where the
// caller keeps the characters alive for the call.
struct TMglDriveRec {
    TStrWRec Root;
};

// Memory kinds of a storage-card receiver (IMglDeviceList::GetDevice).
namespace MglMemoryType {
inline constexpr int32_t None = 0;
inline constexpr int32_t InternalFlash = 1;
inline constexpr int32_t SDCard = 2;
inline constexpr int32_t CFCard = 3;
inline constexpr int32_t Disk = 4;
}  // namespace MglMemoryType

// Instrument input: every port the machine offers, the detector and the transfer device.
// From NavMsgDeviceManagerCreate; owned by the navigation environment. Everything it hands
// out (ports, detector, transfer device) belongs to it. A rescan may remove ports: a caller
// that keeps a port across ticks checks HasPort before using it again.
class KVLIB_API INavMsgDeviceManager : public NavObject {
public:
    // Reads the ports' input once a second, before the own ship's update.
    virtual void Pump(const TLoopRecord &loop) = 0;                                  // slot 15
    // Looks the identifier up in the list of all ports (GetPortListItem); index and result
    // are -1 when absent.
    virtual int32_t FindPortByID(const TStrWRec &id, int32_t &index) = 0;           // slot 17 (assumed)
    // Vendor-USB ports (kind 1); none on Linux.
    virtual INavMsgPort *GetUSBPort(int32_t i) = 0;  // slot 23 (assumed) ≡ GetGarminUSBPort ≡ GetPort2
    virtual int32_t GetUSBPortCount() = 0;  // slot 24 (assumed) ≡ GetGarminUSBPortCount ≡ GetPortCount2
    // Full settings-store key path ("…\NavMsgDeviceManager"); the manager and its ports
    // read and write their settings below it from now on.
    virtual void SetRegKey(const TStrWRec &keyPath) = 0;                            // slot 32
    // Enumerates the ports again after a device arrived or left; the program passes 1.
    virtual void RescanPorts(int32_t mode) = 0;                                      // slot 33
    // Serial ports (kind 0).
    virtual int32_t GetPortCount() = 0;                                              // slot —
    virtual INavMsgPort *GetPort(int32_t i) = 0;                                     // slot —
    // Ports of the remaining kinds (simulator, location sensor); entries may be nullptr.
    virtual int32_t GetOtherPortCount() = 0;                                         // slot — ≡ GetPortCount3
    virtual INavMsgPort *GetOtherPort(int32_t i) = 0;                                // slot — ≡ GetPort3
    // All ports of every kind, the list FindPortByID searches.
    virtual int32_t GetPortListCount() = 0;                                          // slot —
    virtual INavMsgPort *GetPortListItem(int32_t i) = 0;                             // slot —
    // True while the port is still one of the manager's (a rescan may have removed it).
    virtual bool HasPort(INavMsgPort *port) = 0;                                     // slot —
    virtual INavMsgDeviceDetector *GetDetector() = 0;                                // slot —
    virtual INavMsgGPSDevice *GetGPSDevice() = 0;                                    // slot —
};

// One input port: a serial device, a vendor-USB port, the own ship's simulator (kind 2) or
// the location sensor. From the device manager (its port lists) or INavBoat::GetSimulator;
// owned by its parent. The port classes place their operations at different slots; the
// numbers below are those of the serial port unless marked otherwise. Serial line setters
// take effect at once when the port is open and are kept for the next open otherwise.
class KVLIB_API INavMsgPort : public NavObject {
public:
    virtual int32_t GetKind() = 0;                                                   // slot 4 (assumed)
    // Hint text shown beside the name (the device's product description when known).
    virtual const TStrWRec *GetDescription() = 0;                                    // slot 5
    // Stable identifier stored in settings ("NMEAInput", port settings); survives rescans.
    virtual const TStrWRec *GetID() = 0;                                             // slot 7
    // Display name: the device path's base name ("ttyUSB0").
    virtual const TStrWRec *GetName() = 0;                                           // slot 12
    virtual int32_t GetBaudRate() = 0;                                               // slot 24
    virtual int32_t GetParity() = 0;                                                 // slot 26
    // Takes over every line value of a settings object of the port's kind (the serial port a
    // INavMsgCommPortSettings, the vendor-USB port its own settings); the object stays the
    // caller's. Result: 0, or the error that left the port unchanged. The vendor-USB port
    // has it at slot 24.
    virtual int32_t ApplySettings(INavMsgPortSettings *settings) = 0;  // slot 30 (assumed) ≡ ApplyCommSettings
    virtual int32_t GetStopBits() = 0;                                               // slot 31
    virtual void SetBaudRate(int32_t baudRate, int32_t &err) = 0;                    // slot 32
    virtual void SetParity(int32_t parity, int32_t &err) = 0;                        // slot 34
    virtual void SetStopBits(int32_t stopBits, int32_t &err) = 0;                    // slot 39
    // Can be opened now (present and not held by another program).
    virtual bool IsAvailable() = 0;                                                  // slot —
    // Serial ports carry protocols 1 and 2, vendor-USB ports protocol 1 only.
    virtual bool SupportsProtocol(int32_t protocol) = 0;                             // slot —
    virtual int32_t GetFlowControl() = 0;                                            // slot —
    virtual void SetFlowControl(int32_t flowControl, int32_t &err) = 0;              // slot —
    virtual void SetDataBits(int32_t dataBits, int32_t &err) = 0;                    // slot —
    virtual void SetLineOption1(int32_t value, int32_t &err) = 0;                    // slot —
    // The own ship's port is closed for a download and opened again afterwards.
    virtual void Open() = 0;                                                         // slot —
    virtual void Close() = 0;                                                        // slot —
    // Bytes held in the input log; above zero = the port has received something.
    virtual int32_t GetLogSize() = 0;                                                // slot —
    virtual INavMsgLog *GetInputLog() = 0;                                           // slot —
};

// The most recent input bytes of one port, kept in a bounded ring buffer for the NMEA
// monitor. From INavMsgPort::GetInputLog; owned by the port.
class KVLIB_API INavMsgLog : public NavObject {
public:
    // Hands every stored byte to cb in arrival order, in one or more chunks; the chunk
    // pointers are valid only during the call.
    virtual void Enumerate(LogEnumProc cb, void *user) = 0;                          // slot —
    virtual void Clear() = 0;                                                        // slot —
};

// Settings of one port, stored under "…\NavMsgDeviceManager\Ports\Port1". From
// NavMsgGarminUSBPortSettingsCreate or NavMsgSensorGPSSettingsCreate (caller-owned); the
// serial kind is INavMsgCommPortSettings.
class KVLIB_API INavMsgPortSettings : public NavObject {
public:
    // keyPath is a full settings-store key path (RegGetKeyPath).
    virtual void SaveToReg(const TStrWRec &keyPath, int32_t &err) = 0;               // slot 15
    // Stored with the settings: (10, 10) at first run, (0, 0) once the port was chosen or
    // detected. Carried, not interpreted.
    virtual void SetPortPair(TPoint p) = 0;                                          // slot 17
    virtual void SetPortID(const TStrWRec &portID) = 0;                              // slot 18
    virtual void SetPortName(const TStrWRec &name) = 0;                              // slot 20
};

// Serial line settings. From NavMsgCommPortSettingsCreate (caller-owned) or
// INavMsgDetectSettings::GetPortSettings (owned by the detection set). Codes as in
// INavMsgPort; stop bits 0 = one, 2 = two.
class KVLIB_API INavMsgCommPortSettings : public INavMsgPortSettings {
public:
    virtual int32_t GetBaudRate() = 0;                                               // slot 21 (assumed)
    virtual int32_t GetParity() = 0;                                                 // slot 23 (assumed)
    virtual int32_t GetStopBits() = 0;                                               // slot 27 (assumed)
    // 4800, 9600 and 38400 are the rates detection tries.
    virtual void SetBaudRate(int32_t baudRate) = 0;                                  // slot 28
    virtual void SetDataBits(int32_t dataBits) = 0;                                  // slot 29
    virtual void SetParity(int32_t parity) = 0;                                      // slot 30
    virtual void SetFlowControl(int32_t flowControl) = 0;                            // slot 31 (assumed)
    // Line options 1 to 3 are carried unchanged; the program always passes 0.
    virtual void SetLineOption2(int32_t value) = 0;                                  // slot 32 (assumed)
    virtual void SetLineOption3(int32_t value) = 0;                                  // slot 33 (assumed)
    virtual void SetStopBits(int32_t stopBits) = 0;                                  // slot 34
    virtual int32_t GetFlowControl() = 0;                                            // slot —
    virtual void SetLineOption1(int32_t value) = 0;                                  // slot —
};

// GPS receiver settings (brand, model, protocol, port, filters, datum), stored under
// "…\NavMsgDeviceManager\Devices\GPS". From NavMsgGPSSettingsCreate; caller-owned. Filled
// from the receiver with INavBoatGPS::GetSettings, applied with INavBoatGPS::SetSettings.
class KVLIB_API INavMsgGPSSettings : public NavObject {
public:
    // A missing key leaves the defaults.
    virtual void LoadFromReg(const TStrWRec &keyPath) = 0;                           // slot 14
    virtual void SaveToReg(const TStrWRec &keyPath, int32_t &err) = 0;               // slot 15
    // Stored with the settings: (230, 10) at first run. Carried, not interpreted.
    virtual void SetPoint(TPoint p) = 0;                                             // slot 16
    virtual void SetName(const TStrWRec &name) = 0;                                  // slot 18
    virtual void SetModel(int32_t model) = 0;                                        // slot —
};

// Automatic detection of a GPS receiver: each job opens its port with each of its
// parameter sets in turn and accepts the set when valid sentences arrive. From
// INavMsgDeviceManager::GetDetector; owned by the manager.
class KVLIB_API INavMsgDeviceDetector : public NavObject {
public:
    // Runs every job and returns when all are done, or with err 2 when Cancel was called.
    // cb is called regularly meanwhile, on this thread, so the caller can keep its window
    // responsive (and may call Cancel from inside it). test = check the configured set-up
    // instead of searching.
    virtual void Run(bool test, DetectorProc cb, void *data, int32_t &err) = 0;      // slot 5
    // Releases every job (and its parameter sets and results).
    virtual void Clear() = 0;                                                        // slot 11
    // The program passes 1 before every run.
    virtual void SetRunOption(int32_t option) = 0;                                   // slot 12
    // A job for the port; owned by the detector until Clear. Ports are searched from the
    // last added to the first.
    virtual INavMsgDetectJob *AddPort(INavMsgPort *port) = 0;                        // slot —
    virtual void Cancel() = 0;                                                       // slot —
    virtual int32_t GetJobCount() = 0;                                               // slot —
    virtual INavMsgDetectJob *GetJob(int32_t i) = 0;                                 // slot —
    // Jobs that found a device.
    virtual int32_t GetResultCount() = 0;                                            // slot —
    virtual INavMsgDetectJob *GetResult(int32_t i) = 0;                              // slot —
};

// Detection on one port, and its result. Owned by the detector.
class KVLIB_API INavMsgDetectJob : public NavObject {
public:
    virtual int32_t GetBrand() = 0;                                                  // slot 5 (assumed)
    virtual int32_t GetModel() = 0;                                                  // slot 7 (assumed)
    // Empty when the device reports no name (the brand and model texts are shown instead).
    virtual const TStrWRec *GetDeviceName() = 0;                                     // slot 8
    // The parameter set that worked; nullptr when none did.
    virtual INavMsgDetectSettings *GetFoundSettings() = 0;                           // slot 11 (assumed)
    virtual INavMsgPort *GetPort() = 0;                                              // slot 14 (assumed)
    // Takes ownership of the set.
    virtual void AddSettings(INavMsgDetectSettings *settings) = 0;                   // slot —
    // 0 idle or finished, 1 and 2 probing port settings, 3 probing the receiver type.
    virtual int32_t GetState() = 0;                                                  // slot —
    virtual float GetProgress() = 0;                                                 // slot — (0..1)
    virtual INavMsgDetectSettings *GetCurrentSettings() = 0;                         // slot —
    // 0, or the port error that ended the job ($30000.. port errors).
    virtual int32_t GetError() = 0;                                                  // slot —
    virtual uint32_t GetFlags() = 0;                                                 // slot — (NavMsgDetectFlag)
    virtual bool IsTest() = 0;                                                       // slot —
};

// One parameter set a detection job tries. From NavMsgDetectSettingsCreate; handed to a
// job, which owns it from then on.
class KVLIB_API INavMsgDetectSettings : public NavObject {
public:
    virtual int32_t GetProtocol() = 0;                                               // slot 1 (assumed)
    // The "kind" of the set: the protocol to probe for (NavMsgProtocol).
    virtual void SetProtocol(int32_t protocol) = 0;                                  // slot 6 (assumed)
    // Serial line values to open the port with; owned by the set.
    virtual INavMsgCommPortSettings *GetPortSettings() = 0;                          // slot —
    // Seconds to wait for input; a test of the NMEA protocol sets both to 15.
    virtual void SetTimeLimit1(float seconds) = 0;                                   // slot —
    virtual void SetTimeLimit2(float seconds) = 0;                                   // slot —
};

// Data transfer from the configured GPS receiver. With NMEA it listens for $--WPL and
// $--RTE sentences that the user sends from the receiver, and ends after a quiet time or
// StopTransfer. From INavMsgDeviceManager::GetGPSDevice; owned by the manager.
class KVLIB_API INavMsgGPSDevice : public NavObject {
public:
    // Product text number index of the connected receiver; 0 is shown as the model.
    virtual const TStrWRec *GetProductText(int32_t index) = 0;                       // slot 8
    // Brand, model, protocol and port as the own ship's GPS has them; the object stays the
    // caller's.
    virtual void ApplyDeviceSettings(INavMsgGPSSettings *settings) = 0;              // slot —
    virtual int32_t GetBrand() = 0;                                                  // slot —
    virtual int32_t GetModel() = 0;                                                  // slot —
    virtual int32_t GetProtocol() = 0;                                               // slot —
    // Owned by the device manager; nullptr when no port is configured.
    virtual INavMsgPort *GetPort() = 0;                                              // slot —
    virtual void SetBrandModel(int32_t brand, int32_t model) = 0;                    // slot —
    virtual void SetProtocol(int32_t protocol, int32_t &err) = 0;                    // slot —
    virtual bool IsConnected() = 0;                                                  // slot —
    // Starts connecting and returns at once. When the attempt ends exactly one of connected
    // and error is called; portProblem may come before either (port, code, openFailed).
    virtual void ConnectAsync(DataProc connected, void *connectedData,
                              ConnectErrorProc error, void *errorData,
                              ConnectPortProc portProblem, void *portData) = 0;      // slot —
    virtual void Disconnect() = 0;                                                   // slot —
    // NavMsgTransfer::CanDownload… bits; bits 4-7 are the same kinds for upload.
    virtual uint32_t GetCapabilities(int32_t &err) = 0;                              // slot —
    virtual uint32_t GetUnitID() = 0;                                                // slot —
    // Packed: major in bits 24-31, minor in 16-23.
    virtual int32_t GetSoftwareVersion() = 0;                                        // slot —
    // Downloads the requested kinds (NavMsgTransfer::Request…): waypoints and routes into
    // db, tracks into tracks. The progress callback gets a TNavMsgTransferStatus in the
    // record's status entry until a report with stage 5 or an error. Returns the error.
    virtual int32_t Download(IWptDatabase *db, INavTrackList *tracks, uint32_t requestFlags,
                             TProgressEx *progress) = 0;                             // slot —
    // Ends a running download; a stage-5 report follows. Returns the error.
    virtual int32_t StopTransfer() = 0;                                              // slot —
    // Ends the transfer session when the download wizard closes: the device lets go of the
    // port so that the own ship can open it again.
    virtual void EndTransfer() = 0;                                                  // slot —
};

// Storage-card GPS receivers mounted as drives. From MglDeviceListCreate; caller-owned.
// Empty unless a recognisable volume is mounted.
class KVLIB_API IMglDeviceList : public NavObject {
public:
    virtual int32_t GetCount() = 0;                                                  // slot —
    // drive and name describe device i; version is packed like the transfer device's,
    // memoryType is an MglMemoryType value, the sizes are bytes. reserved is always 0.
    virtual void GetDevice(int32_t i, TMglDriveRec &drive, IStrW *name, uint32_t &id,
                           int32_t &version, int32_t &memoryType, int64_t &reserved,
                           int64_t &totalSize, int64_t &freeSize) = 0;               // slot —
};

// The device manager with its serial ports (and the simulator). inputLogBytes is the size
// of each port's input log (the program passes $2000); the program passes 1 as mode.
KVLIB_API INavMsgDeviceManager *NavMsgDeviceManagerCreate(INavMessageDispatcher *disp,
                                                          int32_t inputLogBytes,
                                                          int32_t mode);
KVLIB_API INavMsgGPSSettings *NavMsgGPSSettingsCreate();
KVLIB_API INavMsgCommPortSettings *NavMsgCommPortSettingsCreate();
// Settings of a vendor-USB port (kind 1).
KVLIB_API INavMsgPortSettings *NavMsgGarminUSBPortSettingsCreate();
// Settings of the location-sensor port (kind 4).
KVLIB_API INavMsgPortSettings *NavMsgSensorGPSSettingsCreate();
KVLIB_API INavMsgDetectSettings *NavMsgDetectSettingsCreate();
// Number of models of a brand, model 0 ("no model chosen") included.
KVLIB_API int32_t NavMsgGetDeviceModelCount(int32_t brand);
KVLIB_API IMglDeviceList *MglDeviceListCreate();
// Reads the requested kinds (NavMsgTransfer::Request…) of a storage-card receiver into
// db. Returns the error value.
KVLIB_API int32_t MglReadData(const TMglDriveRec &drive, IWptDatabase *db,
                              uint32_t requestFlags);
