// A transfer device and a storage-card device list with scripted values, for the download
// pages' branches that no receiver on this machine can show.
#pragma once

#include "FakePorts.h"

#include <KvLibNav6/KvDevices.h>
#include <KvLibNav6/KvStrW.h>
// The library's string object, to fill the name the way the library itself does.
#include "kernel/KvInternal.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace exchangetest {

class TFakeGPSDevice final : public INavMsgGPSDevice {
public:
    const TStrWRec *GetProductText(int32_t) override {
        FProductRec = TStrWRec{int32_t(FProduct.size()), FProduct.c_str()};
        return &FProductRec;
    }
    void ApplyDeviceSettings(INavMsgGPSSettings *) override {}
    int32_t GetBrand() override { return Brand; }
    int32_t GetModel() override { return Model; }
    int32_t GetProtocol() override { return Protocol; }
    INavMsgPort *GetPort() override { return Port; }
    void SetBrandModel(int32_t brand, int32_t model) override { Brand = brand, Model = model; }
    void SetProtocol(int32_t protocol, int32_t &err) override { Protocol = protocol, err = 0; }
    bool IsConnected() override { return Connected; }
    void ConnectAsync(DataProc connected, void *connectedData, ConnectErrorProc error,
                      void *errorData, ConnectPortProc portProblem, void *portData) override {
        ++Connects;
        if (OnConnect) OnConnect(connected, connectedData, error, errorData, portProblem, portData);
    }
    void Disconnect() override { Connected = false; }
    uint32_t GetCapabilities(int32_t &err) override {
        err = 0;
        return Capabilities;
    }
    uint32_t GetUnitID() override { return UnitID; }
    int32_t GetSoftwareVersion() override { return SoftwareVersion; }
    int32_t Download(IWptDatabase *db, INavTrackList *tracks, uint32_t flags,
                     TProgressEx *progress) override {
        return OnDownload ? OnDownload(db, tracks, flags, progress) : 0;
    }
    int32_t StopTransfer() override {
        ++Stops;
        return 0;
    }
    void EndTransfer() override { ++Ends; }

    void SetProduct(const QString &text) { FProduct = text.toStdU16String(); }

    int32_t Brand = 1, Model = 0, Protocol = NavMsgProtocol::NMEA;
    uint32_t Capabilities = NavMsgTransfer::NMEACapabilities;
    uint32_t UnitID = 0;
    int32_t SoftwareVersion = 0;
    bool Connected = false;
    INavMsgPort *Port = nullptr;
    int Connects = 0, Stops = 0, Ends = 0;
    std::function<void(DataProc, void *, ConnectErrorProc, void *, ConnectPortProc, void *)> OnConnect;
    std::function<int32_t(IWptDatabase *, INavTrackList *, uint32_t, TProgressEx *)> OnDownload;

private:
    std::u16string FProduct = u"Product";
    TStrWRec FProductRec;
};

struct TFakeMglDevice {
    QString Drive, Name;
    int32_t MemoryType = 0;
    uint32_t ID = 0;
    int32_t Version = 0;
    int64_t Total = 0, Free = 0;
};

class TFakeMglDeviceList final : public IMglDeviceList {
public:
    explicit TFakeMglDeviceList(std::vector<TFakeMglDevice> devices) : FDevices(std::move(devices)) {
        for (const auto &d : FDevices) FDrives.push_back(d.Drive.toStdU16String());
    }
    int32_t GetCount() override { return int32_t(FDevices.size()); }
    void GetDevice(int32_t i, TMglDriveRec &drive, IStrW *name, uint32_t &id, int32_t &version,
                   int32_t &memoryType, int64_t &reserved, int64_t &total, int64_t &free) override {
        const TFakeMglDevice &d = FDevices.at(size_t(i));
        drive.Root = TStrWRec{int32_t(FDrives[size_t(i)].size()), FDrives[size_t(i)].c_str()};
        static_cast<kv::TStrWImpl *>(name)->Set(d.Name.toStdU16String());
        id = d.ID, version = d.Version, memoryType = d.MemoryType, reserved = 0;
        total = d.Total, free = d.Free;
    }

private:
    std::vector<TFakeMglDevice> FDevices;
    std::vector<std::u16string> FDrives;
};

}  // namespace exchangetest
