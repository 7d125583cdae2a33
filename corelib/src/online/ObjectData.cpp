// The object-data document read into plain objects, and the store that swaps a whole new
// set in only after it was read completely.
#include "online/ObjectData.h"

#include "kernel/KvInternal.h"
#include "online/WebServicesTransport.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTime>
#include <cmath>
#include <stdexcept>

Q_LOGGING_CATEGORY(lcObjectData, "korvane.objectdata")

namespace kv {

namespace {

constexpr double DegToRad = M_PI / 180.0;
// Days from the TDateTime origin (1899-12-30) to the Unix epoch.
constexpr double UnixEpochDays = 25569.0;

// A refused document: the reason names the field.
struct TBadData : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Bad(const QString &what) { throw TBadData(what.toStdString()); }

QJsonObject Obj(const QJsonValue &v, const char *name) {
    if (!v.isObject()) Bad(QStringLiteral("%1 is no object").arg(QLatin1String(name)));
    return v.toObject();
}
QJsonArray Arr(const QJsonObject &o, const char *name) {
    const QJsonValue v = o.value(QLatin1String(name));
    if (v.isUndefined() || v.isNull()) return {};
    if (!v.isArray()) Bad(QStringLiteral("%1 is no list").arg(QLatin1String(name)));
    return v.toArray();
}
QString Str(const QJsonObject &o, const char *name) {
    const QJsonValue v = o.value(QLatin1String(name));
    if (v.isUndefined() || v.isNull()) return {};
    if (!v.isString()) Bad(QStringLiteral("%1 is no text").arg(QLatin1String(name)));
    return v.toString();
}
double Num(const QJsonObject &o, const char *name, double def) {
    const QJsonValue v = o.value(QLatin1String(name));
    if (v.isUndefined() || v.isNull()) return def;
    if (!v.isDouble()) Bad(QStringLiteral("%1 is no number").arg(QLatin1String(name)));
    return v.toDouble();
}
int32_t Int(const QJsonObject &o, const char *name, int32_t def = 0) {
    const double d = Num(o, name, def);
    if (d != std::floor(d) || std::abs(d) > 2.0e9) Bad(QStringLiteral("%1 is no whole number").arg(QLatin1String(name)));
    return int32_t(d);
}
TDateTime Date(const QJsonObject &o, const char *name) {
    const QString text = Str(o, name);
    if (text.isEmpty()) return FTMNoDate;
    QDateTime t = QDateTime::fromString(text, Qt::ISODate);
    if (!t.isValid()) Bad(QStringLiteral("%1 is no date").arg(QLatin1String(name)));
    if (t.timeSpec() == Qt::LocalTime) t.setTimeSpec(Qt::UTC);
    return UnixEpochDays + double(t.toMSecsSinceEpoch()) / 86400000.0;
}
// A time of day as a fraction of a day.
TDateTime TimeOfDay(const QJsonObject &o, const char *name) {
    const QString text = Str(o, name);
    if (text.isEmpty()) return FTMNoDate;
    const QTime t = QTime::fromString(text, QStringLiteral("hh:mm"));
    if (!t.isValid()) Bad(QStringLiteral("%1 is no time of day").arg(QLatin1String(name)));
    return t.msecsSinceStartOfDay() / 86400000.0;
}

class TText {
public:
    void Set(const QString &s) { FImpl.Set(ToU16(s)); }
    const TStrWRec *Rec() const { return FImpl.GetRec(); }

private:
    TStrWImpl FImpl;
};

struct TGroup {
    int32_t Code = 0, Direction = 1;
};
std::vector<TGroup> Groups(const QJsonObject &o) {
    std::vector<TGroup> out;
    for (const QJsonValue &v : Arr(o, "targetGroups")) {
        const QJsonObject g = Obj(v, "target group");
        out.push_back({Int(g, "code"), Int(g, "direction", 1)});
    }
    return out;
}

class TFTMObjectData final : public IFTMObject {
public:
    explicit TFTMObjectData(const QJsonObject &o) : FType(Int(o, "type")) { FName.Set(Str(o, "name")); }
    const TStrWRec *GetName() override { return FName.Rec(); }
    int32_t GetType() override { return FType; }

private:
    TText FName;
    int32_t FType;
};

class TFTMLimitationData final : public IFTMLimitation {
public:
    explicit TFTMLimitationData(const QJsonObject &o)
        : FCode(Int(o, "code")), FIndication(Int(o, "indication")),
          FValue(float(Num(o, "value", double(FTMNoValue)))), FReference(Int(o, "reference")),
          FPosition(Int(o, "position")), FGroups(Groups(o)) {
        for (const QJsonValue &v : Arr(o, "periods")) {
            const QJsonObject p = Obj(v, "period");
            FPeriods.push_back({Int(p, "interval"), Date(p, "startDate"), TimeOfDay(p, "startTime"),
                                Date(p, "endDate"), TimeOfDay(p, "endTime")});
        }
    }
    int32_t GetCode() override { return FCode; }
    int32_t GetIndication() override { return FIndication; }
    float GetValue() override { return FValue; }
    int32_t GetReference() override { return FReference; }
    int32_t GetPosition() override { return FPosition; }
    int32_t GetTargetGroupCount() override { return int32_t(FGroups.size()); }
    int32_t GetTargetGroup(int32_t i) override { return InRange(FGroups, i) ? FGroups[size_t(i)].Code : 0; }
    int32_t GetTargetDirection(int32_t i) override {
        return InRange(FGroups, i) ? FGroups[size_t(i)].Direction : 0;
    }
    int32_t GetPeriodCount() override { return int32_t(FPeriods.size()); }
    int32_t GetPeriodInterval(int32_t k) override { return InRange(FPeriods, k) ? FPeriods[size_t(k)].Interval : 0; }
    TDateTime GetPeriodStartDate(int32_t k) override { return Period(k).StartDate; }
    TDateTime GetPeriodStartTime(int32_t k) override { return Period(k).StartTime; }
    TDateTime GetPeriodEndDate(int32_t k) override { return Period(k).EndDate; }
    TDateTime GetPeriodEndTime(int32_t k) override { return Period(k).EndTime; }

private:
    struct TPeriod {
        int32_t Interval;
        TDateTime StartDate, StartTime, EndDate, EndTime;
    };
    template <class V> static bool InRange(const V &v, int32_t i) { return i >= 0 && size_t(i) < v.size(); }
    TPeriod Period(int32_t k) const {
        return InRange(FPeriods, k) ? FPeriods[size_t(k)] : TPeriod{0, FTMNoDate, FTMNoDate, FTMNoDate, FTMNoDate};
    }
    int32_t FCode, FIndication;
    float FValue;
    int32_t FReference, FPosition;
    std::vector<TGroup> FGroups;
    std::vector<TPeriod> FPeriods;
};

template <class T> T *At(const std::vector<std::unique_ptr<T>> &v, int32_t i) {
    return i >= 0 && size_t(i) < v.size() ? v[size_t(i)].get() : nullptr;
}

class TFTMLocationData final : public IFTMLocation {
public:
    explicit TFTMLocationData(const QJsonObject &o)
        : FObject(std::make_unique<TFTMObjectData>(Obj(o.value(QLatin1String("object")), "object"))) {
        for (const QJsonValue &v : Arr(o, "limitations"))
            FLimitations.push_back(std::make_unique<TFTMLimitationData>(Obj(v, "limitation")));
    }
    IFTMObject *GetObject() override { return FObject.get(); }
    int32_t GetLimitationCount() override { return int32_t(FLimitations.size()); }
    IFTMLimitation *GetLimitation(int32_t j) override { return At(FLimitations, j); }

private:
    std::unique_ptr<IFTMObject> FObject;
    std::vector<std::unique_ptr<IFTMLimitation>> FLimitations;
};

std::vector<std::unique_ptr<IFTMLocation>> Locations(const QJsonObject &o, const char *name) {
    std::vector<std::unique_ptr<IFTMLocation>> out;
    for (const QJsonValue &v : Arr(o, name)) out.push_back(std::make_unique<TFTMLocationData>(Obj(v, "location")));
    return out;
}

class TFTMNoticeData final : public IFTMNotice {
public:
    explicit TFTMNoticeData(const QJsonObject &o)
        : FSubject(Int(o, "subject")), FReason(Int(o, "reason")), FNumber(Int(o, "number")),
          FPublished(Date(o, "publicationDate")), FFrom(Date(o, "validFrom")), FUntil(Date(o, "validUntil")),
          FGroups(Groups(o)), FLocations(Locations(o, "locations")), FSecond(Locations(o, "secondLocations")) {
        FTitle.Set(Str(o, "title"));
        FOriginator.Set(Str(o, "originator"));
        FContents.Set(Str(o, "contents"));
        FFairway = Str(o, "fairway");
        for (const QJsonValue &v : Arr(o, "communication")) {
            const QJsonObject c = Obj(v, "communication");
            FComm.push_back(std::make_unique<TComm>());
            FComm.back()->Means = Int(c, "means");
            FComm.back()->Reporting = Int(c, "reporting");
            FComm.back()->Number.Set(Str(c, "number"));
        }
        const QJsonValue p = o.value(QLatin1String("position"));
        if (!p.isUndefined() && !p.isNull()) {
            const QJsonObject pos = Obj(p, "position");
            FPosition = {Num(pos, "lat", 0.0) * DegToRad, Num(pos, "lon", 0.0) * DegToRad};
            FHasPosition = true;
        }
    }
    const TStrWRec *GetTitle() override { return FTitle.Rec(); }
    const TStrWRec *GetOriginator() override { return FOriginator.Rec(); }
    int32_t GetSubject() override { return FSubject; }
    int32_t GetReason() override { return FReason; }
    void GetFairwayName(IStrW *out) override { SetStrW(out, FFairway); }
    TDateTime GetPublicationDate() override { return FPublished; }
    TDateTime GetValidFrom() override { return FFrom; }
    TDateTime GetValidUntil() override { return FUntil; }
    int32_t GetTargetGroupCount() override { return int32_t(FGroups.size()); }
    int32_t GetTargetGroup(int32_t i) override { return i >= 0 && size_t(i) < FGroups.size() ? FGroups[size_t(i)].Code : 0; }
    int32_t GetTargetDirection(int32_t i) override {
        return i >= 0 && size_t(i) < FGroups.size() ? FGroups[size_t(i)].Direction : 0;
    }
    int32_t GetLocationCount() override { return int32_t(FLocations.size()); }
    IFTMLocation *GetLocation(int32_t i) override { return At(FLocations, i); }
    int32_t GetSecondLocationCount() override { return int32_t(FSecond.size()); }
    IFTMLocation *GetSecondLocation(int32_t i) override { return At(FSecond, i); }
    const TStrWRec *GetContents() override { return FContents.Rec(); }
    int32_t GetCommCount() override { return int32_t(FComm.size()); }
    int32_t GetCommMeans(int32_t i) override { return At(FComm, i) ? FComm[size_t(i)]->Means : 0; }
    int32_t GetCommReporting(int32_t i) override { return At(FComm, i) ? FComm[size_t(i)]->Reporting : 0; }
    const TStrWRec *GetCommNumber(int32_t i) override { return At(FComm, i) ? FComm[size_t(i)]->Number.Rec() : nullptr; }
    bool GetPosition(TGeoPoint &position) override {
        if (FHasPosition) position = FPosition;
        return FHasPosition;
    }
    int32_t GetNumber() override { return FNumber; }

private:
    struct TComm {
        int32_t Means = 0, Reporting = 0;
        TText Number;
    };
    TText FTitle, FOriginator, FContents;
    QString FFairway;
    int32_t FSubject, FReason, FNumber;
    TDateTime FPublished, FFrom, FUntil;
    std::vector<TGroup> FGroups;
    std::vector<std::unique_ptr<IFTMLocation>> FLocations, FSecond;
    std::vector<std::unique_ptr<TComm>> FComm;
    TGeoPoint FPosition{};
    bool FHasPosition = false;
};

class TWaterMeasurementData final : public IWaterMeasurement {
public:
    explicit TWaterMeasurementData(const QJsonObject &o)
        : FCode(Int(o, "code")), FPrediction(o.value(QLatin1String("prediction")).toBool()), FTime(Date(o, "time")),
          FValue(Num(o, "value", 0.0)), FDifference(Num(o, "difference", 0.0)), FBarrage(Int(o, "barrageStatus")),
          FRegime(Int(o, "regime")) {
        FUnit.Set(Str(o, "unit"));
        FDifferenceText.Set(Str(o, "differenceText"));
    }
    int32_t GetMeasureCode() override { return FCode; }
    bool IsPrediction() override { return FPrediction; }
    TDateTime GetTime() override { return FTime; }
    double GetValue() override { return FValue; }
    const TStrWRec *GetUnit() override { return FUnit.Rec(); }
    const TStrWRec *GetDifferenceText() override { return FDifferenceText.Rec(); }
    double GetDifference() override { return FDifference; }
    int32_t GetBarrageStatus() override { return FBarrage; }
    int32_t GetRegime() override { return FRegime; }

private:
    int32_t FCode;
    bool FPrediction;
    TDateTime FTime;
    double FValue, FDifference;
    int32_t FBarrage, FRegime;
    TText FUnit, FDifferenceText;
};

class TWaterReportData final : public IWaterReport {
public:
    explicit TWaterReportData(const QJsonObject &o)
        : FFrom(Date(o, "validFrom")), FUntil(Date(o, "validUntil")), FReference(Int(o, "reference")),
          FObject(std::make_unique<TFTMObjectData>(Obj(o.value(QLatin1String("object")), "object"))) {
        FTitle.Set(Str(o, "title"));
        for (const QJsonValue &v : Arr(o, "measurements"))
            FMeasurements.push_back(std::make_unique<TWaterMeasurementData>(Obj(v, "measurement")));
    }
    const TStrWRec *GetTitle() override { return FTitle.Rec(); }
    TDateTime GetValidFrom() override { return FFrom; }
    TDateTime GetValidUntil() override { return FUntil; }
    int32_t GetReference() override { return FReference; }
    IFTMObject *GetObject() override { return FObject.get(); }
    int32_t GetMeasurementCount() override { return int32_t(FMeasurements.size()); }
    IWaterMeasurement *GetMeasurement(int32_t i) override { return At(FMeasurements, i); }

private:
    TText FTitle;
    TDateTime FFrom, FUntil;
    int32_t FReference;
    std::unique_ptr<IFTMObject> FObject;
    std::vector<std::unique_ptr<IWaterMeasurement>> FMeasurements;
};

class TWeatherStationData final : public IWeatherStation {
public:
    explicit TWeatherStationData(const QJsonObject &o)
        : FPosition{Num(o, "lat", 0.0) * DegToRad, Num(o, "lon", 0.0) * DegToRad}, FTime(Date(o, "time")) {
        FName.Set(Str(o, "name"));
        const char *names[] = {"height",     "humidity",      "airPressure", "temperature",
                               "visibility", "windDirection", "windSpeed",   "windGust"};
        for (size_t k = 0; k < std::size(names); ++k)
            for (const QJsonValue &v : Arr(o, names[k])) {
                if (!v.isDouble() && !v.isNull()) Bad(QStringLiteral("%1 holds no number").arg(QLatin1String(names[k])));
                FValues[k].push_back(v.isNull() ? WeatherValueMissing : v.toDouble());
            }
    }
    const TStrWRec *GetName() override { return FName.Rec(); }
    const TGeoPoint *GetPosition() override { return &FPosition; }
    TDateTime GetMeasurementTime() override { return FTime; }
    double GetHeight(int32_t i) override { return Value(0, i); }
    double GetHumidity(int32_t i) override { return Value(1, i); }
    double GetAirPressure(int32_t i) override { return Value(2, i); }
    double GetTemperature(int32_t i) override { return Value(3, i); }
    double GetVisibility(int32_t i) override { return Value(4, i); }
    double GetWindDirection(int32_t i) override { return Value(5, i); }
    double GetWindSpeed(int32_t i) override { return Value(6, i); }
    double GetWindGust(int32_t i) override { return Value(7, i); }

private:
    double Value(size_t kind, int32_t i) const {
        const auto &v = FValues[kind];
        return i >= 0 && size_t(i) < v.size() ? v[size_t(i)] : WeatherValueMissing;
    }
    TText FName;
    TGeoPoint FPosition;
    TDateTime FTime;
    std::vector<double> FValues[8];
};

}  // namespace

bool ParseObjectData(const QByteArray &document, TObjectDataSet &out, QString &error) {
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(document, &parse);
    if (!doc.isObject()) {
        error = parse.error != QJsonParseError::NoError ? parse.errorString() : QStringLiteral("no object");
        return false;
    }
    const QJsonObject root = doc.object();
    if (root.value(QLatin1String("format")).toString() != QLatin1String("marivo-objects")) {
        error = QStringLiteral("not an object-data document");
        return false;
    }
    const QJsonValue version = root.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() > ObjectDataVersion) {
        error = QStringLiteral("version %1 is not supported").arg(version.toVariant().toString());
        return false;
    }
    try {
        for (const QJsonValue &v : Arr(root, "notices"))
            out.Notices.push_back(std::make_unique<TFTMNoticeData>(Obj(v, "notice")));
        for (const QJsonValue &v : Arr(root, "waterReports"))
            out.WaterReports.push_back(std::make_unique<TWaterReportData>(Obj(v, "water report")));
        for (const QJsonValue &v : Arr(root, "weatherStations"))
            out.WeatherStations.push_back(std::make_unique<TWeatherStationData>(Obj(v, "weather station")));
    } catch (const TBadData &e) {
        error = QString::fromStdString(e.what());
        return false;
    }
    return true;
}

// ---- the store ----------------------------------------------------------------------------

TObjectDataStore::~TObjectDataStore() { *FSelf = nullptr; }

bool TObjectDataStore::Accept(const QByteArray &document, const QString &source) {
    TObjectDataSet next;
    QString error;
    if (!ParseObjectData(document, next, error)) {
        qCWarning(lcObjectData).noquote() << source << ": object data refused, the previous data stays:" << error;
        return false;
    }
    // Readers hold pointers into the old set until the event tells them to look again.
    std::swap(FData, next);
    if (OnChanged) OnChanged();
    return true;
}

void TObjectDataStore::LoadFile(const QString &file, int32_t &err) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        err = KvErr::NotFound;
        return;
    }
    err = Accept(f.readAll(), file) ? KvErr::Ok : KvErr::BadFormat;
}

void TObjectDataStore::Fetch() {
    if (*FFetching) return;
    *FFetching = true;
    TWebRequest request;
    request.Service = QStringLiteral("objects");
    request.Operation = QStringLiteral("data");
    request.Fields = {{QStringLiteral("version"), QString::number(ObjectDataVersion)}};
    std::shared_ptr<bool> fetching = FFetching;
    std::shared_ptr<TObjectDataStore *> self = FSelf;
    WebTransport()->Start(request, {}, [fetching, self](const TWebAnswer &answer) {
        *fetching = false;
        TObjectDataStore *store = *self;
        if (!store) return;
        if (answer.Error == KvErr::NetworkFailed) {
            qCInfo(lcObjectData).noquote() << "object-update service not reached:" << answer.StatusText;
            return;
        }
        if (answer.Error != KvErr::Ok || answer.Result != 0) {
            qCWarning(lcObjectData).noquote() << "object-update service answer refused, the previous data stays:"
                                              << answer.HttpStatus << answer.Result << answer.StatusText;
            return;
        }
        store->Accept(answer.Body, QStringLiteral("object-update service"));
    });
}

IFTMNotice *TObjectDataStore::FindNotice(int32_t number) const {
    for (const auto &n : FData.Notices)
        if (n->GetNumber() == number) return n.get();
    return nullptr;
}

IFTMNotice *TObjectDataStore::Notice(int32_t i) const { return At(FData.Notices, i); }
IWaterReport *TObjectDataStore::WaterReport(int32_t i) const { return At(FData.WaterReports, i); }
IWeatherStation *TObjectDataStore::WeatherStation(int32_t i) const { return At(FData.WeatherStations, i); }

}  // namespace kv
