// A detector whose jobs record the sets they are given and finish as a test scripts them:
// for the probe table, the row mapping and the run outcomes without real ports.
#pragma once

#include "FakePorts.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>

#include <QCoreApplication>
#include <functional>
#include <memory>
#include <vector>

namespace exchangetest {

class TFakeDetectSettings final : public INavMsgDetectSettings {
public:
    TFakeDetectSettings() : Line(NavMsgCommPortSettingsCreate()) {}
    ~TFakeDetectSettings() override { ObjectDelete(Line); }
    int32_t GetProtocol() override { return Protocol; }
    void SetProtocol(int32_t protocol) override { Protocol = protocol; }
    INavMsgCommPortSettings *GetPortSettings() override { return Line; }
    void SetTimeLimit1(float seconds) override { Limit1 = seconds; }
    void SetTimeLimit2(float seconds) override { Limit2 = seconds; }

    int32_t Protocol = 0;
    INavMsgCommPortSettings *Line;
    float Limit1 = 0, Limit2 = 0;
};

class TFakeJob final : public INavMsgDetectJob {
public:
    explicit TFakeJob(INavMsgPort *port) : Port(port) {}
    ~TFakeJob() override {
        for (INavMsgDetectSettings *s : Sets) ObjectDelete(s);
        if (Found) ObjectDelete(Found);
    }
    int32_t GetBrand() override { return Brand; }
    int32_t GetModel() override { return Model; }
    const TStrWRec *GetDeviceName() override { return &NameRec; }
    INavMsgDetectSettings *GetFoundSettings() override { return Found; }
    INavMsgPort *GetPort() override { return Port; }
    void AddSettings(INavMsgDetectSettings *settings) override { Sets.push_back(settings); }
    int32_t GetState() override { return State; }
    float GetProgress() override { return Progress; }
    INavMsgDetectSettings *GetCurrentSettings() override { return Sets.empty() ? nullptr : Sets.front(); }
    int32_t GetError() override { return Error; }
    uint32_t GetFlags() override { return Flags; }
    bool IsTest() override { return Test; }

    // Makes the job report a device found with these line values.
    void SetFound(int32_t protocol, int32_t baudRate, uint32_t flags) {
        auto *found = new TFakeDetectSettings;  // owned by the job
        found->Protocol = protocol;
        found->Line->SetBaudRate(baudRate);
        Found = found;
        Flags = flags;
    }

    INavMsgPort *Port;
    std::vector<INavMsgDetectSettings *> Sets;
    INavMsgDetectSettings *Found = nullptr;
    int32_t Brand = 1, Model = 0, State = 0, Error = 0;
    uint32_t Flags = 0;
    float Progress = 0;
    bool Test = false;
    TStrWRec NameRec;
};

class TFakeDetector final : public INavMsgDeviceDetector {
public:
    // Runs while Run lasts: gets the jobs, and answers the error Run reports. Empty: every
    // job ends as scripted, with no error.
    std::function<int32_t(TFakeDetector &)> Script;

    void Run(bool test, DetectorProc cb, void *data, int32_t &err) override {
        ++Runs;
        Cancelled = false;
        for (auto &j : Jobs) j->Test = test;
        Callback = cb;
        Data = data;
        err = Script ? Script(*this) : 0;
        // One last report, as the real detector gives once all jobs are done.
        if (cb) cb(data, 100);
        if (err == 0)
            for (auto &j : Jobs)
                if (j->Found) Results.push_back(j.get());
        Callback = nullptr;
    }
    // What the real detector does between two slices of work.
    void Report() {
        if (Callback) Callback(Data, 0);
    }
    void Clear() override {
        ++Clears;
        Results.clear();
        Jobs.clear();
    }
    void SetRunOption(int32_t option) override { RunOption = option; }
    INavMsgDetectJob *AddPort(INavMsgPort *port) override {
        Jobs.push_back(std::make_unique<TFakeJob>(port));
        return Jobs.back().get();
    }
    void Cancel() override { ++Cancels, Cancelled = true; }
    int32_t GetJobCount() override { return int32_t(Jobs.size()); }
    INavMsgDetectJob *GetJob(int32_t i) override { return Jobs[size_t(i)].get(); }
    int32_t GetResultCount() override { return int32_t(Results.size()); }
    INavMsgDetectJob *GetResult(int32_t i) override { return Results[size_t(i)]; }

    std::vector<std::unique_ptr<TFakeJob>> Jobs;
    std::vector<INavMsgDetectJob *> Results;
    DetectorProc Callback = nullptr;
    void *Data = nullptr;
    int Runs = 0, Clears = 0, Cancels = 0, RunOption = 0;
    bool Cancelled = false;
};

// The fake device manager with the fake detector.
class TFakeDetectManager final : public INavMsgDeviceManager {
public:
    TFakePort *Add(int32_t kind, const QString &name, bool available) { return Ports.Add(kind, name, available); }
    void Pump(const TLoopRecord &r) override { Ports.Pump(r); }
    int32_t FindPortByID(const TStrWRec &id, int32_t &index) override { return Ports.FindPortByID(id, index); }
    INavMsgPort *GetUSBPort(int32_t i) override { return Ports.GetUSBPort(i); }
    int32_t GetUSBPortCount() override { return Ports.GetUSBPortCount(); }
    void SetRegKey(const TStrWRec &k) override { Ports.SetRegKey(k); }
    void RescanPorts(int32_t m) override { Ports.RescanPorts(m); }
    int32_t GetPortCount() override { return Ports.GetPortCount(); }
    INavMsgPort *GetPort(int32_t i) override { return Ports.GetPort(i); }
    int32_t GetOtherPortCount() override { return Ports.GetOtherPortCount(); }
    INavMsgPort *GetOtherPort(int32_t i) override { return Ports.GetOtherPort(i); }
    int32_t GetPortListCount() override { return Ports.GetPortListCount(); }
    INavMsgPort *GetPortListItem(int32_t i) override { return Ports.GetPortListItem(i); }
    bool HasPort(INavMsgPort *port) override { return Ports.HasPort(port); }
    INavMsgDeviceDetector *GetDetector() override { return &Detector; }
    INavMsgGPSDevice *GetGPSDevice() override { return nullptr; }

    TFakeDeviceManager Ports;
    TFakeDetector Detector;
};

}  // namespace exchangetest
