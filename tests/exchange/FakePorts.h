// Ports of every kind and a device manager listing them, for the branches that Linux has no
// real port for (vendor USB, the location sensor). Plain values, no behaviour beyond them.
#pragma once

#include <KvLibNav6/KvDevices.h>

#include <QString>
#include <memory>
#include <vector>

namespace exchangetest {

class TFakePort final : public INavMsgPort {
public:
    TFakePort(int32_t kind, const QString &name, bool available)
        : Kind(kind), Available(available), FName(name), FID(QStringLiteral("id:") + name) {}

    int32_t GetKind() override { return Kind; }
    const TStrWRec *GetDescription() override { return Rec(FName, FDescriptionRec); }
    const TStrWRec *GetID() override { return Rec(FID, FIDRec); }
    const TStrWRec *GetName() override { return Rec(FName, FNameRec); }
    int32_t GetBaudRate() override { return BaudRate; }
    int32_t GetParity() override { return 0; }
    int32_t ApplySettings(INavMsgPortSettings *) override { return 0; }
    int32_t GetStopBits() override { return StopBits; }
    void SetBaudRate(int32_t v, int32_t &err) override { BaudRate = v, err = 0; }
    void SetParity(int32_t, int32_t &err) override { err = 0; }
    void SetStopBits(int32_t v, int32_t &err) override { StopBits = v, err = 0; }
    bool IsAvailable() override { return Available; }
    // Serial ports carry both protocols, vendor USB only its own, the sensor NMEA.
    bool SupportsProtocol(int32_t protocol) override {
        if (Kind == NavMsgPortKind::VendorUSB) return protocol == NavMsgProtocol::VendorBinary;
        if (Kind == NavMsgPortKind::LocationSensor) return protocol == NavMsgProtocol::NMEA;
        return protocol == NavMsgProtocol::VendorBinary || protocol == NavMsgProtocol::NMEA;
    }
    int32_t GetFlowControl() override { return FlowControl; }
    void SetFlowControl(int32_t v, int32_t &err) override { FlowControl = v, err = 0; }
    void SetDataBits(int32_t, int32_t &err) override { err = 0; }
    void SetLineOption1(int32_t, int32_t &err) override { err = 0; }
    void Open() override {}
    void Close() override {}
    int32_t GetLogSize() override { return LogSize; }
    INavMsgLog *GetInputLog() override { return nullptr; }

    int32_t Kind;
    bool Available;
    int32_t BaudRate = 4800, StopBits = 0, FlowControl = 0;
    int32_t LogSize = 0;

private:
    static const TStrWRec *Rec(const QString &text, TStrWRec &rec) {
        rec.Length = int32_t(text.size());
        rec.Text = reinterpret_cast<const char16_t *>(text.utf16());
        return &rec;
    }
    QString FName, FID;
    TStrWRec FNameRec, FIDRec, FDescriptionRec;
};

class TFakeDeviceManager final : public INavMsgDeviceManager {
public:
    TFakePort *Add(int32_t kind, const QString &name, bool available) {
        FPorts.push_back(std::make_unique<TFakePort>(kind, name, available));
        return FPorts.back().get();
    }
    void Remove(TFakePort *port) {
        std::erase_if(FPorts, [port](const auto &p) { return p.get() == port; });
    }

    void Pump(const TLoopRecord &) override {}
    int32_t FindPortByID(const TStrWRec &id, int32_t &index) override {
        const QString wanted = QString::fromUtf16(id.Text, id.Length);
        index = -1;
        for (int32_t i = 0; i < GetPortListCount(); ++i)
            if (QString::fromUtf16(GetPortListItem(i)->GetID()->Text, GetPortListItem(i)->GetID()->Length) == wanted)
                index = i;
        return index;
    }
    INavMsgPort *GetUSBPort(int32_t i) override { return Of(NavMsgPortKind::VendorUSB, i); }
    int32_t GetUSBPortCount() override { return Count(NavMsgPortKind::VendorUSB); }
    void SetRegKey(const TStrWRec &) override {}
    void RescanPorts(int32_t) override { ++Rescans; }
    int32_t GetPortCount() override { return Count(NavMsgPortKind::Serial); }
    INavMsgPort *GetPort(int32_t i) override { return Of(NavMsgPortKind::Serial, i); }
    int32_t GetOtherPortCount() override { return Count(NavMsgPortKind::LocationSensor); }
    INavMsgPort *GetOtherPort(int32_t i) override { return Of(NavMsgPortKind::LocationSensor, i); }
    int32_t GetPortListCount() override { return int32_t(FPorts.size()); }
    INavMsgPort *GetPortListItem(int32_t i) override { return FPorts[size_t(i)].get(); }
    bool HasPort(INavMsgPort *port) override {
        for (const auto &p : FPorts)
            if (p.get() == port) return true;
        return false;
    }
    INavMsgDeviceDetector *GetDetector() override { return nullptr; }
    INavMsgGPSDevice *GetGPSDevice() override { return nullptr; }

    int Rescans = 0;

private:
    int32_t Count(int32_t kind) const {
        return int32_t(std::count_if(FPorts.begin(), FPorts.end(), [kind](const auto &p) { return p->Kind == kind; }));
    }
    INavMsgPort *Of(int32_t kind, int32_t i) {
        for (const auto &p : FPorts)
            if (p->Kind == kind && i-- == 0) return p.get();
        return nullptr;
    }
    std::vector<std::unique_ptr<TFakePort>> FPorts;
};

}  // namespace exchangetest
