// Port and GPS settings objects of the instrument layer, and how they are kept in the
// settings store below the key path the program hands over (root CurrentUser).
#pragma once

#include "KvLibNav6/KvDevices.h"
#include "kernel/KvInternal.h"

#include <QString>

namespace kv {

// Values of the serial line, shared by the serial port and its settings objects. Codes:
// parity 0 none, 1 odd, 2 even, 3 mark, 4 space; stop bits 0 one, 1 one and a half, 2 two;
// flow control NavMsgLine.
struct TLineSettings {
    int32_t BaudRate = 4800;
    int32_t DataBits = 8;
    int32_t Parity = 0;
    int32_t StopBits = NavMsgLine::StopBitsOne;
    int32_t FlowControl = NavMsgLine::FlowNone;
    int32_t LineOption1 = 0;
    int32_t LineOption2 = 0;
    int32_t LineOption3 = 0;
};

// 0 when every value can be used on a serial line, else KvErr::PortSettings.
int32_t CheckLineSettings(const TLineSettings &line);

// Settings of one port: the serial kind carries line values, the others only the port.
class TPortSettings : public INavMsgCommPortSettings {
public:
    explicit TPortSettings(int32_t kind);  // out of line: the class's vtable is not exported

    int32_t Kind() const { return FKind; }
    const TLineSettings &Line() const { return FLine; }
    QString PortID() const { return ToQString(*FPortID.Get()); }
    QString PortName() const { return ToQString(*FPortName.Get()); }
    TPoint PortPair() const { return FPair; }
    // Reads what SaveToReg wrote; false (and nothing changed) when the key is missing.
    bool LoadFromReg(const QString &keyPath);

    void SaveToReg(const TStrWRec &keyPath, int32_t &err) override;
    void SetPortPair(TPoint p) override { FPair = p; }
    void SetPortID(const TStrWRec &portID) override { FPortID.Set(ToQString(portID)); }
    void SetPortName(const TStrWRec &name) override { FPortName.Set(ToQString(name)); }
    int32_t GetBaudRate() override { return FLine.BaudRate; }
    int32_t GetParity() override { return FLine.Parity; }
    int32_t GetStopBits() override { return FLine.StopBits; }
    void SetBaudRate(int32_t baudRate) override { FLine.BaudRate = baudRate; }
    void SetDataBits(int32_t dataBits) override { FLine.DataBits = dataBits; }
    void SetParity(int32_t parity) override { FLine.Parity = parity; }
    void SetFlowControl(int32_t flowControl) override { FLine.FlowControl = flowControl; }
    void SetLineOption2(int32_t value) override { FLine.LineOption2 = value; }
    void SetLineOption3(int32_t value) override { FLine.LineOption3 = value; }
    void SetStopBits(int32_t stopBits) override { FLine.StopBits = stopBits; }
    int32_t GetFlowControl() override { return FLine.FlowControl; }
    void SetLineOption1(int32_t value) override { FLine.LineOption1 = value; }

private:
    int32_t FKind;
    TLineSettings FLine;
    TOwnedText FPortID;
    TOwnedText FPortName;
    TPoint FPair{10, 10};
};

// The receiver's settings: brand, model, protocol, port, filters and datum.
class TGPSSettings final : public INavMsgGPSSettings {
public:
    int32_t Brand = 1;  // generic NMEA
    int32_t Model = 0;
    int32_t Protocol = NavMsgProtocol::NMEA;
    QString PortID;
    QString PortName;
    QString Name;
    QString DatumCode = QStringLiteral("WGE");
    bool PositionFilter = false;
    bool SOGFilter = false;
    bool COGFilter = false;
    TPoint Point{230, 10};

    void LoadFromReg(const TStrWRec &keyPath) override;
    void SaveToReg(const TStrWRec &keyPath, int32_t &err) override;
    void SetPoint(TPoint p) override { Point = p; }
    void SetName(const TStrWRec &name) override { Name = ToQString(name); }
    void SetModel(int32_t model) override { Model = model; }
};

}  // namespace kv
