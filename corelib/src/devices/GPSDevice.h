// The transfer device of the download wizard: with NMEA it listens on the receiver's port
// for the waypoints and routes the user sends from the receiver. GUI thread only.
#pragma once

#include "devices/NmeaTransfer.h"
#include "devices/SerialPort.h"

#include "KvLibNav6/KvDevices.h"

#include <QObject>
#include <QSerialPort>

#include <functional>
#include <memory>

namespace kv {

class TGPSDevice final : public INavMsgGPSDevice {
public:
    // findPort: the manager's port with that identifier, nullptr when there is none.
    explicit TGPSDevice(std::function<TSerialPort *(const QString &id)> findPort);
    ~TGPSDevice() override;

    // How long a download waits for the first sentence (the user has to start sending on
    // the receiver) and, after that, how long a silence ends it.
    void SetQuietTimes(int firstMs, int afterMs) {
        FFirstQuietMs = firstMs;
        FQuietMs = afterMs;
    }

    const TStrWRec *GetProductText(int32_t index) override;
    void ApplyDeviceSettings(INavMsgGPSSettings *settings) override;
    int32_t GetBrand() override { return FBrand; }
    int32_t GetModel() override { return FModel; }
    int32_t GetProtocol() override { return FProtocol; }
    INavMsgPort *GetPort() override;
    void SetBrandModel(int32_t brand, int32_t model) override;
    void SetProtocol(int32_t protocol, int32_t &err) override;
    bool IsConnected() override { return FLine != nullptr; }
    void ConnectAsync(DataProc connected, void *connectedData, ConnectErrorProc error,
                      void *errorData, ConnectPortProc portProblem, void *portData) override;
    void Disconnect() override;
    uint32_t GetCapabilities(int32_t &err) override;
    uint32_t GetUnitID() override { return 0; }
    int32_t GetSoftwareVersion() override { return 0; }
    // Stores what arrived complete and reports the end with stage 5. When some of the
    // waypoint and route sentences were damaged (checksum, fields, cut off) or a route stayed
    // incomplete, the stored data stand and the result says so afterwards: PortChecksum when
    // a checksum was wrong, else PortProtocol.
    int32_t Download(IWptDatabase *db, INavTrackList *tracks, uint32_t requestFlags,
                     TProgressEx *progress) override;
    int32_t StopTransfer() override;
    void EndTransfer() override { Disconnect(); }

    const TNmeaTransferCollector &Collected() const { return FCollected; }

private:
    int32_t Store(IWptDatabase *db, uint32_t requestFlags);
    // PortChecksum, PortProtocol or Ok for what the transfer lost of the kinds requested.
    int32_t DamageResult(uint32_t requestFlags) const;

    std::function<TSerialPort *(const QString &)> FFindPort;
    QString FPortID;
    int32_t FBrand = 1, FModel = 0, FProtocol = NavMsgProtocol::NMEA;
    TOwnedText FProductText;
    std::unique_ptr<QSerialPort> FLine;
    TSerialPort *FSuspended = nullptr;  // the manager's port, idle while we hold the line
    TNmeaParser FParser;
    TNmeaTransferCollector FCollected;
    std::unique_ptr<QObject> FContext;  // owns pending connection attempts
    bool FStop = false;
    bool FDownloading = false;
    // Waypoint and route sentences of this transfer that the parser rejected.
    int FDamagedWaypoints = 0, FDamagedRoutes = 0;
    bool FChecksumDamage = false;
    int FFirstQuietMs = 120000;
    int FQuietMs = 5000;
};

}  // namespace kv
