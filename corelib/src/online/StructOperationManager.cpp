// The bridge and lock operation-request manager. While the sign-up is active it watches the
// own ship every tick against the structures that take part (fetched from the operators'
// service on activation): a request goes out once the ship is within a quarter of an hour
// of one ahead of it, an update when the estimated arrival moves by more than two minutes,
// a boat state with each, a cancellation when the structure is no longer ahead, and a
// passage report once it is passed. Every exchange is logged with the service's reply; the
// statistics come with the replies. Everything runs on the GUI thread: the transport
// answers there, and the change callback is called from there.
#include "kernel/KvInternal.h"
#include "navigation/NavBoat.h"
#include "online/WebServicesTransport.h"

#include "KvLibNav6/KvBoatDef.h"
#include "KvLibNav6/KvNavBoat.h"
#include "KvLibNav6/KvNavEnv.h"
#include "KvLibNav6/KvStructOperation.h"
#include "KvLibNav6/KvWWNetwork.h"

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <deque>
#include <memory>
#include <numbers>
#include <vector>

namespace kv {

namespace {

namespace Kind {
constexpr int32_t Structures = 0, Cancel = 1, Request = 2, BoatState = 3, Update = 4, Passed = 5;
}

// A request goes out this long before the estimated arrival.
constexpr double RequestLeadSec = 15 * 60;
// An estimate that moved by more than this is sent again.
constexpr double UpdateThresholdSec = 2 * 60;
// Slower than this the ship has no useful arrival estimate.
constexpr double MinSpeed = 0.25;
// A structure that drops behind the ship within this distance was passed, farther away the
// ship turned back.
constexpr double PassedRadius = 200.0;
// While the participating structures are unknown they are asked for again, first after a
// minute, then each time after twice as long, up to an hour: an unreachable service does
// not fill the log.
constexpr double RefetchFirstSec = 60.0;
constexpr double RefetchMaxSec = 3600.0;
constexpr double SecPerDay = 86400.0;

QString Operation(int32_t kind) {
    static const char *const names[] = {"structures", "cancel", "request", "state", "update", "passed"};
    return QString::fromLatin1(names[kind]);
}

QString IsoUtc(TDateTime t) {
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround((t - 25569.0) * SecPerDay * 1000.0)),
                                          Qt::UTC)
        .toString(Qt::ISODate);
}

class TStructOpEvent final : public INavStructOperationEvent {
public:
    TStructOpEvent(TDateTime time, int32_t kind, TDateTime eta, const QString &name)
        : FTime(time), FKind(kind), FETA(eta) {
        FName.Set(name);
        FText.Set(QString());
    }
    TDateTime GetTime() override { return FTime; }
    int32_t GetKind() override { return FKind; }
    TDateTime GetETA() override { return FETA; }
    int32_t GetReplyStatus() override { return FStatus; }
    const TStrWRec *GetObjectName() override { return FName.Get(); }
    const TStrWRec *GetStatusText() override { return FText.Get(); }

    void SetReply(int32_t status, const QString &text) {
        FStatus = status;
        FText.Set(text);
    }

private:
    TDateTime FTime;
    int32_t FKind;
    TDateTime FETA;
    int32_t FStatus = 0;
    TOwnedText FName, FText;
};

struct TStructStats {
    QString Id;
    int32_t Active = 0, Passed = 0, Cancellations = 0, Updates = 0, Requests = 0;
};

// Where the ship stands towards one structure.
struct TSighting {
    double Distance = 0.0;  // metres
    bool Ahead = false;
    double SecondsToGo = -1.0;  // < 0: no estimate
};

// What the manager has told the service about one participating structure.
struct TStructTrack {
    bool Requested = false;
    TDateTime SentETA = 0.0;
    double LastDistance = 0.0;
    bool InFlight = false;
    std::deque<std::pair<int32_t, TDateTime>> Queue;  // kind, ETA
};

}  // namespace

class TNavStructOperationManager final : public INavStructOperationManager {
public:
    void Tick(const TLoopRecord &rec, IGeodeticCalibration *) override {
        FNow = rec.TimeUTC;
        if (!FActive) return;
        if (!FParticipatingKnown) {
            if (!FFetching && (FNow - FLastFetch) * SecPerDay >= FRefetchSec) {
                FRefetchSec = std::min(2 * FRefetchSec, RefetchMaxSec);
                FetchStructures();
            }
            return;
        }
        for (const QString &id : FParticipating) Watch(id);
    }
    void Attach(INavBoat *boat, const TStrWRec &shipName, float waterLevel,
                IWWNetwork *net) override {
        FBoat = boat;
        FShipName = ToQString(shipName);
        FWaterLevel = waterLevel;
        FNetwork = net;
    }
    void SetActive(bool active) override {
        if (active == FActive) return;
        FActive = active;
        if (FNow <= 0) FNow = QDateTime::currentMSecsSinceEpoch() / 1000.0 / SecPerDay + 25569.0;
        if (active) {
            FTracks.clear();
            FRefetchSec = RefetchFirstSec;
            FetchStructures();
        } else {
            // The operators would otherwise keep an opening ready for a ship that left.
            for (auto it = FTracks.begin(); it != FTracks.end(); ++it) {
                if (!it->Requested) continue;
                it->Requested = false;
                Queue(it.key(), Kind::Cancel, it->SentETA);
            }
        }
        Changed();
    }
    void SetShipName(const TStrWRec &name) override { FShipName = ToQString(name); }
    void SetWaterLevel(float metres) override { FWaterLevel = metres; }
    void SetWaterwayNetwork(IWWNetwork *net) override { FNetwork = net; }
    bool IsActive() override { return FActive; }
    void SetPhone(const TStrWRec &phone) override { FPhone = ToQString(phone); }
    void SetMode(int32_t mode) override { FMode = mode; }
    void SetSafetyMargin(float metres) override { FSafetyMargin = metres; }
    void SetCallback(DataProc cb, void *data) override {
        FCallback = cb;
        FCallbackData = data;
    }
    int32_t CountEvents(const TStrWRec &kind) override {
        static const QHash<QString, int32_t> kinds = {{QStringLiteral("request"), Kind::Request},
                                                      {QStringLiteral("update"), Kind::Update},
                                                      {QStringLiteral("cancel"), Kind::Cancel},
                                                      {QStringLiteral("passed"), Kind::Passed}};
        const auto k = kinds.constFind(ToQString(kind));
        if (k == kinds.constEnd()) return 0;
        int32_t n = 0;
        for (const auto &e : FLog) n += e->GetKind() == *k ? 1 : 0;
        return n;
    }
    int32_t GetEventCount() override { return int32_t(FLog.size()); }
    INavStructOperationEvent *GetEvent(int32_t i) override {
        return i >= 0 && i < GetEventCount() ? FLog[size_t(i)].get() : nullptr;
    }
    TDateTime GetLastActionTime() override { return FLog.empty() ? 0.0 : FLog.back()->GetTime(); }
    int32_t GetUniqueShipsThisMonth() override { return FShipsThisMonth; }
    int32_t GetUniqueShipsLastMonth() override { return FShipsLastMonth; }
    int32_t GetStructStatsCount() override { return int32_t(FStats.size()); }
    void GetStructStats(int32_t i, IStrW *identifierOut, int32_t &active, int32_t &passed,
                        int32_t &cancellations, int32_t &updates, int32_t &requests) override {
        SetStrW(identifierOut, QString());
        active = passed = cancellations = updates = requests = 0;
        if (i < 0 || i >= GetStructStatsCount()) return;
        const TStructStats &s = FStats[size_t(i)];
        SetStrW(identifierOut, s.Id);
        active = s.Active;
        passed = s.Passed;
        cancellations = s.Cancellations;
        updates = s.Updates;
        requests = s.Requests;
    }
    void GetStructCounts(int32_t &passed, int32_t &participating) override {
        passed = 0;
        for (const TStructStats &s : FStats) passed += s.Passed > 0 ? 1 : 0;
        participating = int32_t(FParticipating.size());
    }

private:
    void Changed() {
        if (FCallback) FCallback(FCallbackData);
    }

    void FetchStructures() {
        FFetching = true;
        FLastFetch = FNow;
        Send(Kind::Structures, QString(), 0.0);
    }

    // Decides what one structure needs this tick.
    void Watch(const QString &id) {
        TStructTrack &track = FTracks[id];
        if (track.InFlight || !track.Queue.empty()) return;
        TSighting s;
        if (!Sight(id, s)) return;
        const TDateTime eta = s.SecondsToGo >= 0 ? FNow + s.SecondsToGo / SecPerDay : 0.0;
        if (!track.Requested) {
            if (s.Ahead && s.SecondsToGo >= 0 && s.SecondsToGo <= RequestLeadSec) {
                track.Requested = true;
                track.SentETA = eta;
                Queue(id, Kind::Request, eta);
            }
        } else if (s.Ahead) {
            if (s.SecondsToGo >= 0 && std::abs(eta - track.SentETA) * SecPerDay > UpdateThresholdSec) {
                track.SentETA = eta;
                Queue(id, Kind::Update, eta);
            }
        } else {
            track.Requested = false;
            Queue(id, track.LastDistance <= PassedRadius ? Kind::Passed : Kind::Cancel, track.SentETA);
        }
        track.LastDistance = s.Distance;
    }

    // Requests and updates take the boat's state along.
    void Queue(const QString &id, int32_t kind, TDateTime eta) {
        TStructTrack &track = FTracks[id];
        track.Queue.emplace_back(kind, eta);
        if (kind == Kind::Request || kind == Kind::Update) track.Queue.emplace_back(Kind::BoatState, eta);
        Pump(id);
    }

    // One request per structure at a time: the next goes when the previous was answered.
    void Pump(const QString &id) {
        TStructTrack &track = FTracks[id];
        if (track.InFlight || track.Queue.empty()) return;
        const auto [kind, eta] = track.Queue.front();
        track.Queue.pop_front();
        track.InFlight = true;
        Send(kind, id, eta);
    }

    bool Sight(const QString &id, TSighting &s) {
        IWWStruct *st = FindStruct(id);
        TDouble3 ship{};
        if (!st || !FBoat || !FBoat->GetGlobalPosition(ship) || !FBoat->GetState()) return false;
        const TDouble3 at = st->GetGlobalPosition();
        const double dx = at.X - ship.X, dy = at.Y - ship.Y, dz = at.Z - ship.Z;
        s.Distance = std::sqrt(dx * dx + dy * dy + dz * dz);
        // Bearing in the ship's local east-north plane.
        const double lon = std::atan2(ship.Y, ship.X);
        const double lat = std::atan2(ship.Z, std::hypot(ship.X, ship.Y));
        const double east = -std::sin(lon) * dx + std::cos(lon) * dy;
        const double north = -std::sin(lat) * std::cos(lon) * dx - std::sin(lat) * std::sin(lon) * dy +
                             std::cos(lat) * dz;
        double off = std::remainder(std::atan2(east, north) - FBoat->GetState()->GetVAbsAngle(),
                                    2 * std::numbers::pi);
        s.Ahead = std::abs(off) < std::numbers::pi / 2;
        double speed = FBoat->GetState()->GetVAbsLength();
        // Faster than the fairway allows nobody arrives.
        IWWSection *section = st->GetSection();
        const float limit = section ? section->GetSpeedLimit(st->GetSectionPosition()) : 0.0f;
        if (limit > 0.0f && limit < 1e6f) speed = std::min(speed, double(limit));
        s.SecondsToGo = speed >= MinSpeed ? s.Distance / speed : -1.0;
        return true;
    }

    IWWStruct *FindStruct(const QString &id) {
        int32_t index = -1;
        const std::u16string text = ToU16(id);
        if (!FNetwork || !FNetwork->FindStructByID({int32_t(text.size()), text.c_str()}, index))
            return nullptr;
        return FNetwork->GetStruct(index);
    }

    QString StructName(const QString &id) {
        IWWStruct *st = FindStruct(id);
        const QString name = st ? ToQString(*st->GetName()) : QString();
        return name.isEmpty() ? id : name;
    }

    TWebRequest Request(int32_t kind, const QString &id, TDateTime eta) {
        TWebRequest r;
        r.Service = QStringLiteral("structops");
        r.Operation = Operation(kind);
        ILPBoatDef *def = NavBoatGetBoatDef(FBoat);
        TGeoPoint pos;
        const bool hasPos = FBoat && FBoat->GetPosition(pos);
        INavBoatState *state = FBoat ? FBoat->GetState() : nullptr;
        auto num = [](double v) { return QString::number(v, 'g', 10); };
        r.Fields = {{QStringLiteral("structure"), id},
                    {QStringLiteral("ship"), FShipName},
                    {QStringLiteral("mmsi"), QString::number(def ? def->GetMMSI() : 0)},
                    {QStringLiteral("length"), num(def ? def->GetLength() : 0.0)},
                    {QStringLiteral("beam"), num(def ? def->GetWidth() : 0.0)},
                    {QStringLiteral("draught"), num(def ? def->GetDraught() : 0.0)},
                    {QStringLiteral("height"), num((def ? def->GetHeightStepped() : 0.0) + FSafetyMargin)},
                    {QStringLiteral("lat"), hasPos ? num(pos.Lat * 180 / std::numbers::pi) : QString()},
                    {QStringLiteral("lon"), hasPos ? num(pos.Lon * 180 / std::numbers::pi) : QString()},
                    {QStringLiteral("speed"), num(state ? state->GetVAbsLength() : 0.0)},
                    {QStringLiteral("course"), num(state ? state->GetVAbsAngle() * 180 / std::numbers::pi : 0.0)},
                    {QStringLiteral("eta"), eta > 0 ? IsoUtc(eta) : QString()},
                    {QStringLiteral("phone"), FPhone},
                    {QStringLiteral("mode"), QString::number(FMode)},
                    {QStringLiteral("waterlevel"), num(FWaterLevel)}};
        return r;
    }

    void Send(int32_t kind, const QString &id, TDateTime eta) {
        FLog.push_back(std::make_unique<TStructOpEvent>(FNow, kind, eta, id.isEmpty() ? QString() : StructName(id)));
        TStructOpEvent *event = FLog.back().get();
        const std::weak_ptr<bool> alive = FAlive;
        WebTransport()->Start(Request(kind, id, eta), {}, [this, alive, event, kind, id](const TWebAnswer &a) {
            if (alive.expired()) return;
            Answered(event, kind, id, a);
        });
    }

    void Answered(TStructOpEvent *event, int32_t kind, const QString &id, const TWebAnswer &answer) {
        event->SetReply(answer.HttpStatus, answer.StatusText);
        const QJsonObject body = QJsonDocument::fromJson(answer.Body).object();
        if (answer.Error == KvErr::Ok) ReadStatistics(body.value(QStringLiteral("statistics")).toObject());
        if (kind == Kind::Structures) {
            FFetching = false;
            if (answer.Error == KvErr::Ok) ReadParticipating(body.value(QStringLiteral("participating")).toArray());
        } else if (FTracks.contains(id)) {
            FTracks[id].InFlight = false;
            Pump(id);
        }
        Changed();
    }

    void ReadParticipating(const QJsonArray &list) {
        FParticipating.clear();
        for (const QJsonValue &v : list) FParticipating.push_back(v.toString());
        FParticipatingKnown = true;
    }

    void ReadStatistics(const QJsonObject &stats) {
        if (stats.isEmpty()) return;
        FShipsThisMonth = stats.value(QStringLiteral("uniqueShipsThisMonth")).toInt();
        FShipsLastMonth = stats.value(QStringLiteral("uniqueShipsLastMonth")).toInt();
        FStats.clear();
        for (const QJsonValue &v : stats.value(QStringLiteral("structures")).toArray()) {
            const QJsonObject o = v.toObject();
            FStats.push_back({o.value(QStringLiteral("id")).toString(), o.value(QStringLiteral("active")).toInt(),
                              o.value(QStringLiteral("passed")).toInt(),
                              o.value(QStringLiteral("cancellations")).toInt(),
                              o.value(QStringLiteral("updates")).toInt(), o.value(QStringLiteral("requests")).toInt()});
        }
    }

    INavBoat *FBoat = nullptr;
    IWWNetwork *FNetwork = nullptr;
    QString FShipName, FPhone;
    float FWaterLevel = 0.0f;
    float FSafetyMargin = 0.0f;
    int32_t FMode = 0;
    bool FActive = false;
    DataProc FCallback = nullptr;
    void *FCallbackData = nullptr;
    TDateTime FNow = 0.0;

    bool FParticipatingKnown = false;
    bool FFetching = false;
    TDateTime FLastFetch = -1e9;
    double FRefetchSec = RefetchFirstSec;
    std::vector<QString> FParticipating;
    QHash<QString, TStructTrack> FTracks;
    std::vector<std::unique_ptr<TStructOpEvent>> FLog;
    std::vector<TStructStats> FStats;
    int32_t FShipsThisMonth = 0, FShipsLastMonth = 0;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

}  // namespace kv

INavStructOperationManager *NavStructOperationManagerCreate() {
    return new kv::TNavStructOperationManager;
}
