// The device manager: the machine's serial ports (rescanned on device change), their input
// pumped once a second, detection, and the settings below the key path it is given.
#include "devices/DeviceManager.h"

#include "devices/DetectJob.h"
#include "devices/GPSDevice.h"
#include "units/UnitsInternal.h"

#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvNavEnv.h"

#include <QLoggingCategory>
#include <QSerialPortInfo>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace kv {

namespace {

Q_LOGGING_CATEGORY(LogDevices, "marivo.devices")

std::mutex SourceLock;
TSerialPortSource &Source() {
    static TSerialPortSource source;
    return source;
}

QList<TSerialPortCandidate> Candidates() {
    TSerialPortSource source;
    {
        std::lock_guard lock(SourceLock);
        source = Source();
    }
    if (source) return source();
    QList<TSerialPortCandidate> list;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        list.append({info.systemLocation(), info.description()});
    return list;
}

class TDeviceManager final : public INavMsgDeviceManager {
public:
    explicit TDeviceManager(int32_t logBytes)
        : FLogBytes(logBytes > 0 ? logBytes : 0x2000),
          FDetector([this](INavMsgPort *p) { return AsSerial(p); }),
          FGPSDevice([this](const QString &id) { return FindByID(id); }) {
        RescanPorts(1);
    }

    ~TDeviceManager() override {
        FDetector.Clear();
        FGPSDevice.Disconnect();
        for (auto &port : FAll) port->Close();
    }

    TSerialPort *AsSerial(INavMsgPort *port) const {
        for (auto &p : FAll)
            if (p.get() == port) return p.get();
        return nullptr;
    }

    TSerialPort *FindByID(const QString &id) const {
        for (auto &p : FAll)
            if (ToQString(*p->GetID()) == id) return p.get();
        return nullptr;
    }

    void SetEvents(TPortEvents events) { FEvents = std::move(events); }

    void Pump(const TLoopRecord &) override {
        // Removed ports that are still wanted open keep trying: the device may come back
        // under the same name before the next rescan.
        for (auto &port : FAll)
            if (port->WantsOpen() || port->IsOpen()) port->Pump();
    }

    int32_t FindPortByID(const TStrWRec &id, int32_t &index) override {
        const QString wanted = ToQString(id);
        index = -1;
        for (size_t i = 0; i < FListed.size(); ++i)
            if (ToQString(*FListed[i]->GetID()) == wanted) {
                index = int32_t(i);
                return index;
            }
        return -1;
    }

    INavMsgPort *GetUSBPort(int32_t) override { return nullptr; }
    int32_t GetUSBPortCount() override { return 0; }

    void SetRegKey(const TStrWRec &keyPath) override {
        FRegKey = ToQString(keyPath);
        ApplyStoredPortSettings();
    }

    void RescanPorts(int32_t) override {
        std::vector<TSerialPort *> listed;
        for (const TSerialPortCandidate &c : Candidates()) {
            if (c.Path.isEmpty()) continue;
            auto known = std::find_if(FAll.begin(), FAll.end(),
                                      [&](const auto &p) { return p->Path() == c.Path; });
            TSerialPort *port;
            if (known != FAll.end()) {
                port = known->get();
                port->SetDescription(c.Description);
            } else {
                FAll.push_back(std::make_unique<TSerialPort>(c.Path, c.Description, FLogBytes));
                port = FAll.back().get();
                port->SetEvents(&FEvents);
                WireClock(*port);
            }
            if (std::find(listed.begin(), listed.end(), port) == listed.end())
                listed.push_back(port);
        }
        FListed = std::move(listed);
        qCDebug(LogDevices, "%d serial ports", int(FListed.size()));
    }

    int32_t GetPortCount() override { return int32_t(FListed.size()); }
    INavMsgPort *GetPort(int32_t i) override {
        return i >= 0 && size_t(i) < FListed.size() ? FListed[size_t(i)] : nullptr;
    }
    // The simulator belongs to the own ship; no other kinds exist here.
    int32_t GetOtherPortCount() override { return 0; }
    INavMsgPort *GetOtherPort(int32_t) override { return nullptr; }
    int32_t GetPortListCount() override { return GetPortCount(); }
    INavMsgPort *GetPortListItem(int32_t i) override { return GetPort(i); }
    bool HasPort(INavMsgPort *port) override {
        return port && std::find(FListed.begin(), FListed.end(), port) != FListed.end();
    }
    INavMsgDeviceDetector *GetDetector() override { return &FDetector; }
    INavMsgGPSDevice *GetGPSDevice() override { return &FGPSDevice; }

private:
    void WireClock(TSerialPort &port) {
        // Receiver time corrects the program's clock: only sentences with a valid fix (or
        // ZDA) reach these.
        TNmeaParser::TClockSink sink;
        sink.DateTime = [](TDateTime utc) { TimeEngine().SetGPSDateTime(utc); };
        sink.TimeOfDay = [](double seconds) { TimeEngine().SetGPSTimeOfDay(seconds); };
        port.Parser().SetClockSink(std::move(sink));
    }

    void ApplyStoredPortSettings() {
        if (FRegKey.isEmpty()) return;
        TPortSettings stored(NavMsgPortKind::Serial);
        if (!stored.LoadFromReg(FRegKey + QStringLiteral("\\Ports\\Port1"))) return;
        if (stored.Kind() != NavMsgPortKind::Serial) return;
        for (TSerialPort *port : FListed)
            if (ToQString(*port->GetID()) == stored.PortID()) {
                const int32_t err = port->ApplySettings(&stored);
                if (err != KvErr::Ok)
                    qCWarning(LogDevices, "stored settings of %s not applied (%#x)",
                              qUtf8Printable(stored.PortID()), unsigned(err));
            }
    }

    int32_t FLogBytes;
    QString FRegKey;
    TPortEvents FEvents;
    // Every port ever seen; a rescan only changes which are listed, so a pointer the own
    // ship holds never dangles.
    std::vector<std::unique_ptr<TSerialPort>> FAll;
    std::vector<TSerialPort *> FListed;
    TDetector FDetector;
    TGPSDevice FGPSDevice;
};

TSerialPort *PortOf(INavMsgPort *port) {
    return dynamic_cast<TSerialPort *>(port);
}

}  // namespace

TSerialPortSource SetSerialPortSource(TSerialPortSource source) {
    std::lock_guard lock(SourceLock);
    TSerialPortSource previous = std::move(Source());
    Source() = std::move(source);
    return previous;
}

const TNmeaNavState *NavMsgPortNavState(INavMsgPort *port) {
    TSerialPort *serial = PortOf(port);
    return serial ? &serial->Parser().State() : nullptr;
}

const TNmeaStats *NavMsgPortNmeaStats(INavMsgPort *port) {
    TSerialPort *serial = PortOf(port);
    return serial ? &serial->Parser().Stats() : nullptr;
}

int32_t NavMsgPortLastError(INavMsgPort *port) {
    TSerialPort *serial = PortOf(port);
    return serial ? serial->LastError() : KvErr::InvalidArgument;
}

const TNmeaTransferCollector *NavMsgGPSDeviceCollected(INavMsgGPSDevice *device) {
    auto *d = dynamic_cast<TGPSDevice *>(device);
    return d ? &d->Collected() : nullptr;
}

void NavMsgGPSDeviceSetQuietTimes(INavMsgGPSDevice *device, int firstMs, int afterMs) {
    if (auto *d = dynamic_cast<TGPSDevice *>(device)) d->SetQuietTimes(firstMs, afterMs);
}

void NavMsgDeviceManagerSetEvents(INavMsgDeviceManager *manager, TPortEvents events) {
    if (auto *m = dynamic_cast<TDeviceManager *>(manager)) m->SetEvents(std::move(events));
}

}  // namespace kv

INavMsgDeviceManager *NavMsgDeviceManagerCreate(INavMessageDispatcher *, int32_t inputLogBytes,
                                                int32_t) {
    return new kv::TDeviceManager(inputLogBytes);
}

INavMsgDetectSettings *NavMsgDetectSettingsCreate() {
    return new kv::TDetectSettings();
}
