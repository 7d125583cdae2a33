// Serial ports through QSerialPort: reading as data arrives, decoding on the one-second pump.
#include "devices/SerialPort.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QSerialPort>

#include <unistd.h>

namespace kv {

namespace {

Q_LOGGING_CATEGORY(LogNmea, "marivo.nmea")

// Sentences decoded at once when the pump falls behind, so a fast talker cannot make the
// pending buffer grow without bound.
constexpr size_t MaxPending = 64 * 1024;

int32_t PortError(QSerialPort::SerialPortError e) {
    switch (e) {
    case QSerialPort::NoError: return KvErr::Ok;
    case QSerialPort::DeviceNotFoundError: return KvErr::PortNotFound;
    case QSerialPort::PermissionError: return KvErr::PortBusy;
    case QSerialPort::OpenError: return KvErr::PortOpen;
    case QSerialPort::UnsupportedOperationError: return KvErr::PortSettings;
    case QSerialPort::ResourceError: return KvErr::PortRemoved;
    case QSerialPort::ReadError: return KvErr::PortRead;
    case QSerialPort::WriteError: return KvErr::PortWrite;
    case QSerialPort::TimeoutError: return KvErr::PortTimeout;
    case QSerialPort::NotOpenError: return KvErr::PortClosed;
    default: return KvErr::PortOpen;
    }
}

bool ApplyLine(QSerialPort &port, const TLineSettings &line) {
    static const QSerialPort::Parity parities[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                   QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                   QSerialPort::SpaceParity};
    static const QSerialPort::StopBits stops[] = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop,
                                                  QSerialPort::TwoStop};
    static const QSerialPort::FlowControl flows[] = {
        QSerialPort::NoFlowControl, QSerialPort::HardwareControl, QSerialPort::SoftwareControl};
    return port.setBaudRate(line.BaudRate) &&
           port.setDataBits(QSerialPort::DataBits(line.DataBits)) &&
           port.setParity(parities[line.Parity]) && port.setStopBits(stops[line.StopBits]) &&
           port.setFlowControl(flows[line.FlowControl]);
}

}  // namespace

std::unique_ptr<QSerialPort> OpenSerialLine(const QString &path, const TLineSettings &line,
                                            int32_t &err) {
    err = CheckLineSettings(line);
    if (err != KvErr::Ok) return nullptr;
    auto port = std::make_unique<QSerialPort>(path);
    if (!ApplyLine(*port, line)) {
        err = KvErr::PortSettings;
        return nullptr;
    }
    if (!port->open(QIODevice::ReadWrite)) {
        err = PortError(port->error());
        if (err == KvErr::Ok) err = KvErr::PortOpen;
        return nullptr;
    }
    // Some drivers only take the line values on an open device.
    if (!ApplyLine(*port, line)) {
        err = KvErr::PortSettings;
        return nullptr;
    }
    return port;
}

TInputLog::TInputLog(int32_t capacity) : FRing(size_t(capacity > 0 ? capacity : 1)) {}

void TInputLog::Append(const char *data, size_t size) {
    const size_t cap = FRing.size();
    if (size >= cap) {
        // Only the newest cap bytes survive.
        std::copy(data + (size - cap), data + size, FRing.begin());
        FStart = 0;
        FSize = cap;
        return;
    }
    for (size_t i = 0; i < size; ++i) {
        const size_t at = (FStart + FSize) % cap;
        FRing[at] = uint8_t(data[i]);
        if (FSize < cap)
            ++FSize;
        else
            FStart = (FStart + 1) % cap;
    }
}

void TInputLog::Enumerate(LogEnumProc cb, void *user) {
    if (!cb || FSize == 0) return;
    const size_t cap = FRing.size();
    const size_t first = std::min(FSize, cap - FStart);
    cb(FRing.data() + FStart, int32_t(first), user);
    if (first < FSize) cb(FRing.data(), int32_t(FSize - first), user);
}

void TInputLog::Clear() {
    FStart = 0;
    FSize = 0;
}

TSerialPort::TSerialPort(const QString &path, const QString &description, int32_t logBytes)
    : FPath(path), FLog(logBytes) {
    FID.Set(path);
    FName.Set(QFileInfo(path).fileName());
    FDescription.Set(description);
    FParser.SetRejectHook([this](TNmeaResult why, std::string_view line) {
        // The first ones show what is wrong; after that a sample keeps the log readable.
        const uint32_t n = FParser.Stats().Rejected() + 1;
        if (n <= 20 || n % 1000 == 0)
            qCInfo(LogNmea, "%s: sentence rejected (%s, %u so far): %s",
                   qUtf8Printable(FPath), NmeaResultName(why), n,
                   qUtf8Printable(QString::fromLatin1(line.data(), qsizetype(line.size()))));
    });
}

TSerialPort::~TSerialPort() = default;

bool TSerialPort::IsOpen() const {
    return FPort && FPort->isOpen();
}

int32_t TSerialPort::ChangeLine(const TLineSettings &line) {
    const int32_t err = CheckLineSettings(line);
    if (err != KvErr::Ok) return err;
    if (IsOpen() && !ApplyLine(*FPort, line)) {
        ApplyLine(*FPort, FLine);
        return KvErr::PortSettings;
    }
    FLine = line;
    return KvErr::Ok;
}

int32_t TSerialPort::ApplySettings(INavMsgPortSettings *settings) {
    auto *s = dynamic_cast<TPortSettings *>(settings);
    if (!s || s->Kind() != NavMsgPortKind::Serial) return KvErr::InvalidArgument;
    return ChangeLine(s->Line());
}

void TSerialPort::SetBaudRate(int32_t baudRate, int32_t &err) {
    TLineSettings line = FLine;
    line.BaudRate = baudRate;
    err = ChangeLine(line);
}

void TSerialPort::SetParity(int32_t parity, int32_t &err) {
    TLineSettings line = FLine;
    line.Parity = parity;
    err = ChangeLine(line);
}

void TSerialPort::SetStopBits(int32_t stopBits, int32_t &err) {
    TLineSettings line = FLine;
    line.StopBits = stopBits;
    err = ChangeLine(line);
}

void TSerialPort::SetFlowControl(int32_t flowControl, int32_t &err) {
    TLineSettings line = FLine;
    line.FlowControl = flowControl;
    err = ChangeLine(line);
}

void TSerialPort::SetDataBits(int32_t dataBits, int32_t &err) {
    TLineSettings line = FLine;
    line.DataBits = dataBits;
    err = ChangeLine(line);
}

void TSerialPort::SetLineOption1(int32_t value, int32_t &err) {
    FLine.LineOption1 = value;
    err = KvErr::Ok;
}

bool TSerialPort::IsAvailable() {
    if (IsOpen()) return true;
    const QByteArray path = QFile::encodeName(FPath);
    return ::access(path.constData(), R_OK | W_OK) == 0;
}

bool TSerialPort::SupportsProtocol(int32_t protocol) {
    return protocol == NavMsgProtocol::VendorBinary || protocol == NavMsgProtocol::NMEA;
}

void TSerialPort::Open() {
    FWantOpen = true;
    if (!FPort && !FSuspended) TryOpen();
}

void TSerialPort::Close() {
    FWantOpen = false;
    Drop();
    FError = KvErr::Ok;
    FReported = false;
}

void TSerialPort::Suspend() {
    FSuspended = true;
    Drop();
}

void TSerialPort::Resume() {
    FSuspended = false;
    if (FWantOpen && !FPort) TryOpen();
}

void TSerialPort::Drop() {
    if (!FPort) return;
    FPort->disconnect();
    FPort->close();
    // Not deleted here: this may run inside one of the port's own signals.
    FPort.release()->deleteLater();
}

bool TSerialPort::TryOpen() {
    int32_t err = KvErr::Ok;
    FPort = OpenSerialLine(FPath, FLine, err);
    if (!FPort) {
        Fail(err, true);
        return false;
    }
    QSerialPort *port = FPort.get();
    QObject::connect(port, &QSerialPort::readyRead, port, [this] { ReadAvailable(); });
    QObject::connect(port, &QSerialPort::errorOccurred, port,
                     [this](QSerialPort::SerialPortError e) {
                         // Read and resource errors end the connection; the next pump
                         // reports it and tries to reopen.
                         if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError) {
                             Drop();
                             Fail(PortError(e), false);
                         }
                     });
    if (FError != KvErr::Ok) {
        FError = KvErr::Ok;
        FReported = false;
        qCInfo(LogNmea, "%s: communication restored", qUtf8Printable(FPath));
        if (FEvents && FEvents->Recovered) FEvents->Recovered(this);
    }
    return true;
}

void TSerialPort::Fail(int32_t code, bool openFailed) {
    FError = code;
    if (FReported) return;
    FReported = true;
    qCWarning(LogNmea, "%s: port error %#x (%s)", qUtf8Printable(FPath), unsigned(code),
              openFailed ? "open" : "communication");
    if (FEvents && FEvents->Error) FEvents->Error(this, code, openFailed);
}

void TSerialPort::ReadAvailable() {
    if (!FPort) return;
    const QByteArray data = FPort->readAll();
    if (data.isEmpty()) return;
    FLog.Append(data.constData(), size_t(data.size()));
    FPending.append(data.constData(), size_t(data.size()));
    if (FPending.size() > MaxPending) {
        FParser.Feed(FPending.data(), FPending.size());
        FPending.clear();
    }
}

void TSerialPort::Pump() {
    if (FSuspended) return;
    if (FWantOpen && !FPort && !TryOpen()) return;
    if (FPort) {
        // Takes in what the event loop has not delivered yet, and notices a line that broke.
        FPort->waitForReadyRead(0);
        ReadAvailable();
    }
    if (!FPending.empty()) {
        FParser.Feed(FPending.data(), FPending.size());
        FPending.clear();
    }
}

}  // namespace kv
