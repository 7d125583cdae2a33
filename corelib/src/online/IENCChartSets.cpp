#include "online/IENCChartSets.h"

#include <QJsonArray>

#include <algorithm>

namespace kv {

namespace {

QString Text(const QJsonObject &o, const char *key) {
    return o.value(QLatin1String(key)).toString().trimmed();
}

int64_t Int64(const QJsonObject &o, const char *key, int64_t def = 0) {
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() ? int64_t(v.toDouble()) : def;
}

}  // namespace

TS57ChartFile::TS57ChartFile(QString name, int32_t date, int64_t size)
    : FName(std::move(name)), FDate(date), FSize(size) {
    FNameRec.Set(FName);
}

TS57ChartSet::TS57ChartSet(QString countryCode, QString region, QString water)
    : FCountry(std::move(countryCode)), FRegion(std::move(region)), FWater(std::move(water)) {
    FCountryRec.Set(FCountry);
    FRegionRec.Set(FRegion);
    FWaterRec.Set(FWater);
}

bool TS57ChartSet::HasFile(const TStrWRec &relPath, int32_t &err) {
    err = 0;
    const QString path = ToQString(relPath);
    return std::any_of(FFiles.begin(), FFiles.end(),
                       [&](const auto &f) { return f->Name().compare(path, Qt::CaseInsensitive) == 0; });
}

IS57ChartFile *TS57ChartSet::GetFile(int32_t index) {
    return index >= 0 && index < GetFileCount() ? FFiles[size_t(index)].get() : nullptr;
}

bool TS57ChartSet::Is(const QString &cc, const QString &region, const QString &water) const {
    return FCountry.compare(cc, Qt::CaseInsensitive) == 0 &&
           FRegion.compare(region, Qt::CaseInsensitive) == 0 &&
           FWater.compare(water, Qt::CaseInsensitive) == 0;
}

bool TS57ChartSet::Read(const QJsonObject &o) {
    FFiles.clear();
    int64_t sum = 0;
    int32_t newest = 0;
    for (const QJsonValue &v : o.value(QStringLiteral("files")).toArray()) {
        const QJsonObject f = v.toObject();
        const QString name = Text(f, "name");
        if (name.isEmpty()) continue;
        const auto date = int32_t(Int64(f, "date"));
        const int64_t size = Int64(f, "size");
        FFiles.push_back(std::make_unique<TS57ChartFile>(name, date, size));
        sum += size;
        newest = std::max(newest, date);
    }
    FDate = int32_t(Int64(o, "date", newest));
    FSize = Int64(o, "size", sum);
    FArchiveSize = Int64(o, "archive", -1);
    FVersion = QStringLiteral("%1/%2/%3/%4").arg(FDate).arg(FSize).arg(FArchiveSize).arg(FFiles.size());
    return !FCountry.isEmpty();
}

std::vector<TIENCListedFile> TS57ChartSet::Listed() const {
    std::vector<TIENCListedFile> list;
    for (const auto &f : FFiles) list.push_back({f->Name(), f->GetSize()});
    return list;
}

TS57ChartSet *TS57ChartSetStore::At(int32_t i) const {
    return i >= 0 && i < Count() ? FOffered[size_t(i)] : nullptr;
}

TS57ChartSet *TS57ChartSetStore::Find(const QString &cc, const QString &region,
                                      const QString &water) const {
    for (TS57ChartSet *s : FOffered)
        if (s->Is(cc, region, water)) return s;
    return nullptr;
}

bool TS57ChartSetStore::Owns(const IS57ChartSet *set) const {
    return set && std::any_of(FAll.begin(), FAll.end(), [&](const auto &s) { return s.get() == set; });
}

TS57ChartSet *TS57ChartSetStore::Take(const QJsonObject &o) {
    const QString cc = Text(o, "country"), region = Text(o, "region"), water = Text(o, "water");
    if (cc.isEmpty()) return nullptr;
    TS57ChartSet *set = nullptr;
    for (const auto &s : FAll)
        if (s->Is(cc, region, water)) set = s.get();
    if (!set) {
        FAll.push_back(std::make_unique<TS57ChartSet>(cc, region, water));
        set = FAll.back().get();
    }
    set->Read(o);
    return set;
}

void TS57ChartSetStore::ReadCommon(const QJsonObject &answer) {
    const QJsonObject c = answer.value(QStringLiteral("common")).toObject();
    FCommonName = Text(c, "name");
    FCommonDate = int32_t(Int64(c, "date"));
    FCommonSize = Int64(c, "size");
}

bool TS57ChartSetStore::ReadList(const QJsonObject &answer) {
    if (!answer.value(QStringLiteral("chartsets")).isArray()) return false;
    FOffered.clear();
    for (const QJsonValue &v : answer.value(QStringLiteral("chartsets")).toArray())
        if (TS57ChartSet *set = Take(v.toObject()))
            if (std::find(FOffered.begin(), FOffered.end(), set) == FOffered.end()) FOffered.push_back(set);
    ReadCommon(answer);
    return true;
}

bool TS57ChartSetStore::ReadSets(const QJsonObject &answer) {
    if (!answer.value(QStringLiteral("chartsets")).isArray()) return false;
    for (const QJsonValue &v : answer.value(QStringLiteral("chartsets")).toArray())
        if (TS57ChartSet *set = Take(v.toObject()))
            if (std::find(FOffered.begin(), FOffered.end(), set) == FOffered.end()) FOffered.push_back(set);
    if (answer.contains(QStringLiteral("common"))) ReadCommon(answer);
    return true;
}

}  // namespace kv
