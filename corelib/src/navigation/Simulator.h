// The own ship's simulator: sails from a position at the set speed, either on a set heading
// or steering for a bearing the route navigation gives, turning no tighter than its
// smallest radius. As a port (kind 2) it shows the sentences a receiver on that track would
// send, for the NMEA monitor. GUI thread only.
#pragma once

#include "devices/SerialPort.h"
#include "kernel/KvInternal.h"

#include "KvLibNav6/KvDevices.h"
#include "KvLibNav6/KvNavBoat.h"

namespace kv {

class TSimulator;

// The simulator seen as an input port. Its line values are fixed: setters report
// KvErr::PortUnsupported and change nothing.
class TSimulatorPort final : public INavMsgPort {
public:
    explicit TSimulatorPort(TSimulator &owner);

    int32_t GetKind() override { return NavMsgPortKind::Simulator; }
    const TStrWRec *GetDescription() override { return FDescription.Get(); }
    const TStrWRec *GetID() override { return FID.Get(); }
    const TStrWRec *GetName() override { return FName.Get(); }
    int32_t GetBaudRate() override { return 4800; }
    int32_t GetParity() override { return 0; }
    int32_t ApplySettings(INavMsgPortSettings *settings) override;
    int32_t GetStopBits() override { return NavMsgLine::StopBitsOne; }
    void SetBaudRate(int32_t baudRate, int32_t &err) override;
    void SetParity(int32_t parity, int32_t &err) override;
    void SetStopBits(int32_t stopBits, int32_t &err) override;
    bool IsAvailable() override { return true; }
    bool SupportsProtocol(int32_t protocol) override { return protocol == NavMsgProtocol::NMEA; }
    int32_t GetFlowControl() override { return NavMsgLine::FlowNone; }
    void SetFlowControl(int32_t flowControl, int32_t &err) override;
    void SetDataBits(int32_t dataBits, int32_t &err) override;
    void SetLineOption1(int32_t value, int32_t &err) override;
    void Open() override;
    void Close() override;
    int32_t GetLogSize() override { return FLog.Size(); }
    INavMsgLog *GetInputLog() override { return &FLog; }

    bool IsOpen() const { return FOpen; }
    void Log(const std::string &text) { FLog.Append(text.data(), text.size()); }

private:
    TSimulator &FOwner;
    TOwnedText FID, FName, FDescription;
    TInputLog FLog;
    bool FOpen = false;
};

// One of the simulated instruments (GPS, sounder): switched on by ApplySettings.
class TSimulatorDevice final : public INavBoatDevice {
public:
    void ApplySettings(int32_t mode, int32_t &err) override;
    bool IsOn() const { return FOn; }

private:
    bool FOn = false;
};

class TSimulator final : public INavBoatSimulator {
public:
    TSimulator();

    void SetRadiusMin(float metres) override;
    void SetSpeedMax(float speed) override;
    float RadiusMin() const { return FRadiusMin; }
    float SpeedMax() const { return FSpeedMax; }

    // Starts sailing from position (radians) on course (radians) at speed (m/s, capped at
    // the top speed).
    void Start(const TGeoPoint &position, double course, double speed);
    void Stop();
    bool IsRunning() const { return FRunning; }
    // Heading and speed to sail while no bearing is given.
    void SetCommand(double course, double speed);
    // The same, taken at once (a state set by hand) instead of turned into.
    void SetMotion(double course, double speed);
    // Moves on by seconds; steerTo, when given, is the bearing to turn towards (the route's
    // course to steer). Writes the matching sentences into the port's log.
    void Step(double seconds, const double *steerTo, TDateTime nowUtc);

    const TGeoPoint &Position() const { return FPosition; }
    double Course() const { return FCourse; }
    double Speed() const { return FSpeed; }

    TSimulatorPort &Port() { return FPort; }
    TSimulatorDevice &GPSDevice() { return FGPSDevice; }
    TSimulatorDevice &SounderDevice() { return FSounderDevice; }

private:
    void WriteSentences(TDateTime nowUtc);

    TSimulatorPort FPort;
    TSimulatorDevice FGPSDevice, FSounderDevice;
    float FRadiusMin = 50.0f;   // m
    float FSpeedMax = 15.0f;    // m/s, about 29 kn
    bool FRunning = false;
    TGeoPoint FPosition{};
    double FCourse = 0.0;
    double FSpeed = 0.0;
    double FCommandCourse = 0.0;
    double FCommandSpeed = 0.0;
};

// "$…*hh\r\n" around a sentence body.
std::string NmeaWrap(const std::string &body);

}  // namespace kv
