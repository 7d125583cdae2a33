// Automatic GPS detection: each job opens its port with each parameter set in turn and
// accepts the first set at which checksum-valid NMEA sentences arrive. GUI thread only.
#pragma once

#include "devices/DeviceSettings.h"
#include "devices/NmeaParser.h"

#include "KvLibNav6/KvDevices.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>
#include <vector>

#include <QSerialPort>

namespace kv {

class TSerialPort;

class TDetectSettings final : public INavMsgDetectSettings {
public:
    TDetectSettings() : FPort(NavMsgPortKind::Serial) {}
    int32_t GetProtocol() override { return FProtocol; }
    void SetProtocol(int32_t protocol) override { FProtocol = protocol; }
    INavMsgCommPortSettings *GetPortSettings() override { return &FPort; }
    void SetTimeLimit1(float seconds) override { FLimit1 = seconds; }
    void SetTimeLimit2(float seconds) override { FLimit2 = seconds; }

    const TPortSettings &Port() const { return FPort; }
    // Seconds to wait for the first valid sentence at this set, and then for a position.
    float Limit1() const { return FLimit1; }
    float Limit2() const { return FLimit2; }

private:
    int32_t FProtocol = NavMsgProtocol::NMEA;
    TPortSettings FPort;
    float FLimit1 = 3.0f;
    float FLimit2 = 3.0f;
};

class TDetectJob final : public INavMsgDetectJob {
public:
    TDetectJob(INavMsgPort *port, TSerialPort *serial) : FPort(port), FSerial(serial) {}
    ~TDetectJob() override;

    int32_t GetBrand() override { return FBrand; }
    int32_t GetModel() override { return FModel; }
    const TStrWRec *GetDeviceName() override { return FDeviceName.Get(); }
    INavMsgDetectSettings *GetFoundSettings() override { return FFound; }
    INavMsgPort *GetPort() override { return FPort; }
    void AddSettings(INavMsgDetectSettings *settings) override;
    int32_t GetState() override { return FState; }
    float GetProgress() override { return FProgress; }
    INavMsgDetectSettings *GetCurrentSettings() override { return FCurrent; }
    int32_t GetError() override { return FError; }
    uint32_t GetFlags() override { return FFlags; }
    bool IsTest() override { return FTest; }

    void Start(bool test);
    // One slice of work; waits at most waitMs for input. False once the job is done.
    bool Step(int waitMs);
    void Stop();
    bool Done() const { return FDone; }
    TSerialPort *Serial() const { return FSerial; }

private:
    void NextSet();
    void Finish();
    void CloseLine();

    INavMsgPort *FPort;
    TSerialPort *FSerial;  // nullptr for ports that are not serial
    std::vector<std::unique_ptr<TDetectSettings>> FSets;
    size_t FNext = 0;
    TDetectSettings *FCurrent = nullptr;
    TDetectSettings *FFound = nullptr;
    std::unique_ptr<QSerialPort> FLine;
    TNmeaParser FParser;
    QElapsedTimer FClock;  // since the current set was opened, or NMEA was recognised
    TOwnedText FDeviceName;
    int32_t FBrand = 0, FModel = 0, FState = 0, FError = 0;
    uint32_t FFlags = 0;
    uint32_t FValid = 0;  // checksum-valid sentences at the current set
    bool FRecognised = false, FPositionSeen = false, FDone = true, FTest = false;
    int32_t FBrandHint = 1;
    float FProgress = 0.0f;
};

class TDetector final : public INavMsgDeviceDetector {
public:
    explicit TDetector(std::function<TSerialPort *(INavMsgPort *)> toSerial)
        : FToSerial(std::move(toSerial)) {}
    ~TDetector() override;
    void Run(bool test, DetectorProc cb, void *data, int32_t &err) override;
    void Clear() override;
    void SetRunOption(int32_t option) override { FRunOption = option; }
    INavMsgDetectJob *AddPort(INavMsgPort *port) override;
    void Cancel() override { FCancel = true; }
    int32_t GetJobCount() override { return int32_t(FJobs.size()); }
    INavMsgDetectJob *GetJob(int32_t i) override;
    int32_t GetResultCount() override { return int32_t(FResults.size()); }
    INavMsgDetectJob *GetResult(int32_t i) override;

private:
    std::function<TSerialPort *(INavMsgPort *)> FToSerial;
    std::vector<std::unique_ptr<TDetectJob>> FJobs;
    std::vector<TDetectJob *> FResults;
    int32_t FRunOption = 0;
    bool FCancel = false;
    bool FRunning = false;
    bool FClearAfterRun = false;
};

}  // namespace kv
