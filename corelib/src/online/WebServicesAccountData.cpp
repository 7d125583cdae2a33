#include "online/WebServicesAccountData.h"

#include <QJsonObject>
#include <QJsonValue>

namespace kv {

namespace {

uint32_t Unsigned(const QJsonObject &o, const char *name) {
    return uint32_t(int64_t(o.value(QLatin1String(name)).toDouble()));
}

int32_t Int(const QJsonObject &o, const char *name, int32_t def = 0) {
    return o.value(QLatin1String(name)).toInt(def);
}

QString Text(const QJsonObject &o, const char *name) {
    return o.value(QLatin1String(name)).toString();
}

}  // namespace

const TStrWRec *TChartSetRecord::GetFileName(int32_t fileIndex) {
    const bool valid = fileIndex >= 0 && fileIndex < GetFileCount();
    return FFileName.Set(valid ? Files[size_t(fileIndex)].Name : QString());
}

int64_t TChartSetRecord::GetFileSize(int32_t fileIndex) {
    return fileIndex >= 0 && fileIndex < GetFileCount() ? Files[size_t(fileIndex)].Size : 0;
}

int32_t TChartSetRecord::GetFileTime(int32_t fileIndex) {
    return fileIndex >= 0 && fileIndex < GetFileCount() ? Files[size_t(fileIndex)].Time : 0;
}

bool TChartSetRecord::IsAddonFile(int32_t fileIndex) {
    return fileIndex >= 0 && fileIndex < GetFileCount() && Files[size_t(fileIndex)].Addon;
}

void TChartSetRecord::SetTexts(const QString &name, const QString &productName,
                               const QString &folder, const QString &productFolder) {
    FName.Set(name);
    FProductName.Set(productName);
    FFolder.Set(folder);
    FProductFolder.Set(productFolder);
    FFileName.Set(QString());
}

std::vector<std::unique_ptr<TAvailableChartSet>> ReadChartSetOffer(const QJsonArray &list) {
    std::vector<std::unique_ptr<TAvailableChartSet>> result;
    for (const QJsonValue &v : list) {
        const QJsonObject o = v.toObject();
        auto set = std::make_unique<TAvailableChartSet>();
        set->SetTexts(Text(o, "item"), Text(o, "product"));
        set->Product = Unsigned(o, "productNumber");
        set->Mask = Unsigned(o, "modules");
        set->Category = Int(o, "category", MRCCategory::Charts);
        set->Group = Int(o, "group", MRCGroupGeneral);
        set->Edition = Int(o, "edition");
        set->Size = int64_t(o.value(QLatin1String("size")).toDouble());
        set->Purchased = o.value(QLatin1String("purchased")).toDouble() / 86400.0 + 25569.0;
        result.push_back(std::move(set));
    }
    return result;
}

std::vector<std::unique_ptr<TChartSetRecord>> ReadChartSetRecords(const QJsonArray &list) {
    std::vector<std::unique_ptr<TChartSetRecord>> result;
    for (const QJsonValue &v : list) {
        const QJsonObject o = v.toObject();
        auto record = std::make_unique<TChartSetRecord>();
        record->SetTexts(Text(o, "name"), Text(o, "productName"), Text(o, "folder"),
                         Text(o, "productFolder"));
        record->Product = Unsigned(o, "productNumber");
        record->Mask = Unsigned(o, "modules");
        record->Edition = Int(o, "edition");
        record->Result = Int(o, "result");
        record->Requested = o.value(QLatin1String("requested")).toBool(true);
        for (const QJsonValue &f : o.value(QLatin1String("files")).toArray()) {
            const QJsonObject fo = f.toObject();
            record->Files.push_back({Text(fo, "name"), int64_t(fo.value(QLatin1String("size")).toDouble()),
                                     Int(fo, "time"), fo.value(QLatin1String("addon")).toBool()});
        }
        result.push_back(std::move(record));
    }
    return result;
}

bool IsSafeRelativeName(const QString &name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QChar(0)) || (name.size() > 1 && name[1] == QLatin1Char(':')))
        return false;
    for (const QString &part : name.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

}  // namespace kv
