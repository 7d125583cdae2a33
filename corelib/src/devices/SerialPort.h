// A serial port of the device manager with its input log and NMEA decoder. GUI thread only.
#pragma once

#include "devices/DeviceSettings.h"
#include "devices/NmeaParser.h"
#include "kernel/KvInternal.h"

#include "KvLibNav6/KvDevices.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include <QSerialPort>

namespace kv {

// The newest bytes a port received, for the NMEA monitor; older bytes are overwritten.
class TInputLog final : public INavMsgLog {
public:
    explicit TInputLog(int32_t capacity);
    void Append(const char *data, size_t size);
    int32_t Size() const { return int32_t(FSize); }
    void Enumerate(LogEnumProc cb, void *user) override;
    void Clear() override;

private:
    std::vector<uint8_t> FRing;
    size_t FStart = 0;  // oldest byte
    size_t FSize = 0;
};

// What a port reports to whoever drives it (the own ship): a failure, once per episode,
// and the recovery after it.
struct TPortEvents {
    std::function<void(INavMsgPort *port, int32_t code, bool openFailed)> Error;
    std::function<void(INavMsgPort *port)> Recovered;
};

// Opens a QSerialPort on path with the line values; nullptr and err set when it fails.
std::unique_ptr<QSerialPort> OpenSerialLine(const QString &path, const TLineSettings &line,
                                            int32_t &err);

class TSerialPort final : public INavMsgPort {
public:
    TSerialPort(const QString &path, const QString &description, int32_t logBytes);
    ~TSerialPort() override;

    const QString &Path() const { return FPath; }
    void SetDescription(const QString &text) { FDescription.Set(text); }
    void SetEvents(const TPortEvents *events) { FEvents = events; }
    TNmeaParser &Parser() { return FParser; }
    // 0 while the port works (or is closed on purpose), else the error of the last attempt.
    int32_t LastError() const { return FError; }
    bool WantsOpen() const { return FWantOpen; }
    bool IsOpen() const;
    // Lets go of the device for a detection run and takes it again afterwards.
    void Suspend();
    void Resume();
    // Reads what arrived and decodes it; reopens a port that failed while it should be open.
    void Pump();

    int32_t GetKind() override { return NavMsgPortKind::Serial; }
    const TStrWRec *GetDescription() override { return FDescription.Get(); }
    const TStrWRec *GetID() override { return FID.Get(); }
    const TStrWRec *GetName() override { return FName.Get(); }
    int32_t GetBaudRate() override { return FLine.BaudRate; }
    int32_t GetParity() override { return FLine.Parity; }
    int32_t ApplySettings(INavMsgPortSettings *settings) override;
    int32_t GetStopBits() override { return FLine.StopBits; }
    void SetBaudRate(int32_t baudRate, int32_t &err) override;
    void SetParity(int32_t parity, int32_t &err) override;
    void SetStopBits(int32_t stopBits, int32_t &err) override;
    bool IsAvailable() override;
    bool SupportsProtocol(int32_t protocol) override;
    int32_t GetFlowControl() override { return FLine.FlowControl; }
    void SetFlowControl(int32_t flowControl, int32_t &err) override;
    void SetDataBits(int32_t dataBits, int32_t &err) override;
    void SetLineOption1(int32_t value, int32_t &err) override;
    void Open() override;
    void Close() override;
    int32_t GetLogSize() override { return FLog.Size(); }
    INavMsgLog *GetInputLog() override { return &FLog; }

private:
    int32_t ChangeLine(const TLineSettings &line);
    bool TryOpen();
    void Fail(int32_t code, bool openFailed);
    void ReadAvailable();
    void Drop();

    QString FPath;
    TOwnedText FID, FName, FDescription;
    TLineSettings FLine;
    TInputLog FLog;
    TNmeaParser FParser;
    std::unique_ptr<QSerialPort> FPort;
    std::string FPending;  // arrived since the last Pump
    const TPortEvents *FEvents = nullptr;
    int32_t FError = 0;
    bool FWantOpen = false;
    bool FSuspended = false;
    bool FReported = false;  // the current failure was reported
};

}  // namespace kv
