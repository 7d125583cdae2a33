// GPS detection over the device manager's ports. A job probes with a QSerialPort of its
// own; the manager's port object lets go of the device for the run and takes it back after.
#include "devices/DetectJob.h"

#include "devices/SerialPort.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <QSerialPort>

namespace kv {

namespace {

// Bytes at one parameter set without a single valid sentence: wrong line values or a
// device that talks no NMEA. A receiver at the right rate sends a sentence every ~80 bytes.
constexpr qint64 GarbageLimit = 1500;
// Checksum-valid sentences that make a port an NMEA talker; one could be chance in noise.
constexpr uint32_t SentencesToRecognise = 2;

}  // namespace

TDetectJob::~TDetectJob() = default;

void TDetectJob::AddSettings(INavMsgDetectSettings *settings) {
    auto *s = dynamic_cast<TDetectSettings *>(settings);
    if (!s) return;  // not one of ours: nothing the job could probe with
    FSets.emplace_back(s);
}

void TDetectJob::Start(bool test) {
    FTest = test;
    FNext = 0;
    FCurrent = FFound = nullptr;
    FBrand = FModel = FError = 0;
    FFlags = 0;
    FProgress = 0.0f;
    FDone = false;
    FDeviceName.Set(QString());
    FParser.SetSentenceHook([this](const TNmeaSentence &s) {
        ++FValid;
        if (s.Type == "GGA" || s.Type == "GLL" || s.Type == "RMC") FPositionSeen = true;
        if (s.Type.substr(0, 4) == "PGRM") FBrandHint = 3;
        if (s.Type.substr(0, 4) == "PFEC") FBrandHint = 2;
        if (s.Type.substr(0, 4) == "PMGN") FBrandHint = 4;
    });
    NextSet();
}

void TDetectJob::CloseLine() {
    if (FLine) FLine->close();
    FLine.reset();
}

void TDetectJob::NextSet() {
    while (true) {
        CloseLine();
        if (FNext >= FSets.size() || !FSerial) {
            Finish();
            return;
        }
        FCurrent = FSets[FNext++].get();
        FProgress = float(FNext - 1) / float(FSets.size());
        // The vendor's binary protocol has no driver here: such a set finds nothing.
        if (FCurrent->GetProtocol() != NavMsgProtocol::NMEA) continue;
        int32_t err = KvErr::Ok;
        FLine = OpenSerialLine(FSerial->Path(), FCurrent->Port().Line(), err);
        if (!FLine) {
            if (err == KvErr::PortSettings) continue;
            // Missing, busy or unopenable: no other set will do better.
            FError = err;
            Finish();
            return;
        }
        FParser.Reset();
        FValid = 0;
        FBrandHint = 1;
        FRecognised = FPositionSeen = false;
        FState = 1;
        FClock.start();
        return;
    }
}

void TDetectJob::Finish() {
    CloseLine();
    FState = 0;
    FDone = true;
    FProgress = 1.0f;
}

void TDetectJob::Stop() {
    if (!FDone) Finish();
}

bool TDetectJob::Step(int waitMs) {
    if (FDone) return false;
    if (!FLine) {
        NextSet();
        return !FDone;
    }
    if (FLine->bytesAvailable() == 0) FLine->waitForReadyRead(waitMs);
    const QByteArray data = FLine->readAll();
    if (FLine->error() == QSerialPort::ResourceError) {
        FError = KvErr::PortRemoved;
        Finish();
        return false;
    }
    FParser.Feed(data.constData(), size_t(data.size()));
    if (!data.isEmpty() && FState == 1) FState = 2;
    const double elapsed = double(FClock.elapsed()) / 1000.0;
    if (!FRecognised) {
        if (FValid >= SentencesToRecognise) {
            FRecognised = true;
            FState = 3;
            FClock.restart();
        } else {
            const qint64 seen = qint64(FParser.Stats().GarbageBytes) +
                                qint64(FParser.Stats().Rejected()) * 40;
            if (elapsed >= FCurrent->Limit1() || seen > GarbageLimit) NextSet();
            if (!FDone)
                FProgress = (float(FNext - 1) +
                             std::min(1.0f, float(elapsed) / std::max(0.1f, FCurrent->Limit1()))) /
                            float(FSets.size());
            return !FDone;
        }
    }
    if (FPositionSeen || elapsed >= FCurrent->Limit2()) {
        FFound = FCurrent;
        FBrand = FBrandHint;
        FModel = 0;
        if (FPositionSeen) FFlags |= NavMsgDetectFlag::PositionSeen;
        Finish();
        return false;
    }
    return true;
}

TDetector::~TDetector() = default;

INavMsgDetectJob *TDetector::AddPort(INavMsgPort *port) {
    if (!port) return nullptr;
    FJobs.push_back(std::make_unique<TDetectJob>(port, FToSerial(port)));
    return FJobs.back().get();
}

INavMsgDetectJob *TDetector::GetJob(int32_t i) {
    return i >= 0 && size_t(i) < FJobs.size() ? FJobs[size_t(i)].get() : nullptr;
}

INavMsgDetectJob *TDetector::GetResult(int32_t i) {
    return i >= 0 && size_t(i) < FResults.size() ? FResults[size_t(i)] : nullptr;
}

void TDetector::Clear() {
    if (FRunning) {
        // From inside the progress callback: the run ends first, the jobs go after it.
        FCancel = true;
        FClearAfterRun = true;
        return;
    }
    FResults.clear();
    FJobs.clear();
}

void TDetector::Run(bool test, DetectorProc cb, void *data, int32_t &err) {
    err = KvErr::Ok;
    if (FRunning) {
        err = KvErr::Failed;
        return;
    }
    FRunning = true;
    FCancel = false;
    FClearAfterRun = false;
    FResults.clear();

    std::vector<TSerialPort *> suspended;
    for (auto &job : FJobs) {
        TSerialPort *serial = job->Serial();
        if (serial && std::find(suspended.begin(), suspended.end(), serial) == suspended.end()) {
            serial->Suspend();
            suspended.push_back(serial);
        }
    }
    // Every port is probed at the same time; each waits in short slices so that the
    // callback keeps coming.
    for (auto it = FJobs.rbegin(); it != FJobs.rend(); ++it) (*it)->Start(test);
    while (true) {
        size_t active = 0;
        for (auto it = FJobs.rbegin(); it != FJobs.rend(); ++it)
            if (!(*it)->Done()) ++active;
        if (active == 0) break;
        const int slice = std::max(2, int(40 / active));
        for (auto it = FJobs.rbegin(); it != FJobs.rend(); ++it) (*it)->Step(slice);
        float progress = 0.0f;
        for (auto &job : FJobs) progress += job->GetProgress();
        if (cb) cb(data, FJobs.empty() ? 100 : int32_t(100.0f * progress / float(FJobs.size())));
        if (FCancel) {
            for (auto &job : FJobs) job->Stop();
            err = KvErr::Cancelled;
            break;
        }
    }
    for (TSerialPort *serial : suspended) serial->Resume();
    if (err == KvErr::Ok)
        for (auto it = FJobs.rbegin(); it != FJobs.rend(); ++it)
            if ((*it)->GetFoundSettings()) FResults.push_back(it->get());
    FRunning = false;
    if (FClearAfterRun) Clear();
}

}  // namespace kv
