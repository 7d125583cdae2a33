// A stand-in for the operation-request manager whose log and statistics a test writes, and
// which keeps what the program hands it. Header only: the adapter and panel tests use it.
#pragma once

#include <KvLibNav6/KvStrW.h>
#include <KvLibNav6/KvStructOperation.h>

#include <QString>
#include <memory>
#include <vector>

namespace testsupport {

class TFakeStructOpEvent final : public INavStructOperationEvent {
public:
    TFakeStructOpEvent(TDateTime time, int32_t kind, TDateTime eta, int32_t status, QString name,
                       QString text)
        : Time(time), Kind(kind), ETA(eta), Status(status), Name(std::move(name)), Text(std::move(text)) {
        Sync();
    }
    TDateTime GetTime() override { return Time; }
    int32_t GetKind() override { return Kind; }
    TDateTime GetETA() override { return ETA; }
    int32_t GetReplyStatus() override { return Status; }
    const TStrWRec *GetObjectName() override { return &NameRec; }
    const TStrWRec *GetStatusText() override { return &TextRec; }

    TDateTime Time;
    int32_t Kind;
    TDateTime ETA;
    int32_t Status;
    QString Name, Text;

private:
    void Sync() {
        NameRec = {int32_t(Name.size()), reinterpret_cast<const char16_t *>(Name.utf16())};
        TextRec = {int32_t(Text.size()), reinterpret_cast<const char16_t *>(Text.utf16())};
    }
    TStrWRec NameRec, TextRec;
};

// The program cannot fill a library string: the stand-in leaves the identifier unset (the
// real manager's identifiers are tested against the service stub).
struct TFakeStructStats {
    int32_t Active = 0, Passed = 0, Cancellations = 0, Updates = 0, Requests = 0;
};

class TFakeStructOperations final : public INavStructOperationManager {
public:
    void Tick(const TLoopRecord &, IGeodeticCalibration *) override {}
    void Attach(INavBoat *, const TStrWRec &name, float, IWWNetwork *) override { ShipName = Text(name); }
    void SetActive(bool active) override {
        Active = active;
        Changed();
    }
    void SetShipName(const TStrWRec &name) override { ShipName = Text(name); }
    void SetWaterLevel(float) override {}
    void SetWaterwayNetwork(IWWNetwork *) override {}
    bool IsActive() override { return Active; }
    void SetPhone(const TStrWRec &phone) override { Phone = Text(phone); }
    void SetMode(int32_t mode) override { Mode = mode; }
    void SetSafetyMargin(float metres) override { SafetyMargin = metres; }
    void SetCallback(DataProc cb, void *data) override {
        Callback = cb;
        CallbackData = data;
    }
    int32_t CountEvents(const TStrWRec &kind) override {
        const QString k = Text(kind);
        const int32_t wanted = k == QLatin1String("request") ? 2 : k == QLatin1String("update") ? 4
                             : k == QLatin1String("cancel")  ? 1 : k == QLatin1String("passed") ? 5 : -1;
        int32_t n = 0;
        for (const auto &e : Log) n += wanted >= 0 && e->Kind == wanted ? 1 : 0;
        return n;
    }
    int32_t GetEventCount() override { return int32_t(Log.size()); }
    INavStructOperationEvent *GetEvent(int32_t i) override {
        return i >= 0 && i < GetEventCount() ? Log[size_t(i)].get() : nullptr;
    }
    TDateTime GetLastActionTime() override { return Log.empty() ? 0.0 : Log.back()->Time; }
    int32_t GetUniqueShipsThisMonth() override { return ShipsThisMonth; }
    int32_t GetUniqueShipsLastMonth() override { return ShipsLastMonth; }
    int32_t GetStructStatsCount() override { return int32_t(Stats.size()); }
    void GetStructStats(int32_t i, IStrW *, int32_t &active, int32_t &passed, int32_t &cancellations,
                        int32_t &updates, int32_t &requests) override {
        const TFakeStructStats &s = Stats.at(size_t(i));
        active = s.Active;
        passed = s.Passed;
        cancellations = s.Cancellations;
        updates = s.Updates;
        requests = s.Requests;
    }
    void GetStructCounts(int32_t &passed, int32_t &participating) override {
        passed = Passed;
        participating = Participating;
    }

    // Appends a log entry and reports the change, as the manager does after a reply.
    void Add(TDateTime time, int32_t kind, int32_t status, const QString &name = QString(),
             const QString &text = QString(), TDateTime eta = 0.0) {
        Log.push_back(std::make_unique<TFakeStructOpEvent>(time, kind, eta, status, name, text));
        Changed();
    }
    void Changed() {
        if (Callback) Callback(CallbackData);
    }

    static QString Text(const TStrWRec &r) {
        return QString(reinterpret_cast<const QChar *>(r.Text), r.Length);
    }

    bool Active = false;
    QString ShipName, Phone;
    int32_t Mode = 0;
    float SafetyMargin = 0.0f;
    DataProc Callback = nullptr;
    void *CallbackData = nullptr;
    std::vector<std::unique_ptr<TFakeStructOpEvent>> Log;
    std::vector<TFakeStructStats> Stats;
    int32_t ShipsThisMonth = 0, ShipsLastMonth = 0, Passed = 0, Participating = 0;
};

}  // namespace testsupport
