// The waypoint databases delivered with installed chart products (add-on databases), their
// point-of-interest files, and the look-ups over them.
#include "shell/MarivoNavEnv.h"

#include "base/charts/KvCharts.h"
#include "base/kvlib/KvErrors.h"
#include "base/marina/KvMarinaGuide.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/NavViewerControl.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Chart data files carry "<product code>_<name>" as their identifier; the networks that
// come with a product ("<code>_WWNetwork_…") are no waypoint databases.
bool BelongsToProduct(const QString &identifier, const QString &code) {
    const qsizetype underscore = identifier.indexOf(QLatin1Char('_'));
    if (underscore < 0) return false;
    if (identifier.mid(underscore + 1, 10).compare(QLatin1String("WWNetwork_"),
                                                   Qt::CaseInsensitive) == 0)
        return false;
    return identifier.left(underscore).compare(code, Qt::CaseInsensitive) == 0;
}

// The point-of-interest file beside a data file.
QString ContentFileOf(const QString &dataFile) {
    const QFileInfo fi(dataFile);
    return fi.dir().filePath(fi.completeBaseName() + QStringLiteral(".content"));
}

// A missing file and a header the library reads as out of range are not worth a report.
bool IsHarmlessHeaderError(int32_t err) {
    return err == KvErr::Ok || err == KvErr::NotFound || err == KvErr::OutOfRange;
}

}  // namespace

TNavChartWptDBInfo::~TNavChartWptDBInfo() {
    ReleasePointDatabase();
}

void TNavChartWptDBInfo::AddGroup(const QString &name, bool selected) {
    FGroups.push_back(std::make_unique<TNavChartWptDBGroupInfo>(name, selected));
}

void TNavChartWptDBInfo::ReleasePointDatabase() {
    ObjectDeleteAndNil(PointDatabase);
}

void TMarivoNavEnv::LoadAddOnDatabases(bool withGroups, bool bracket) {
    for (int32_t p = 0; p < ChartManager->GetProductCount(); ++p) {
        IChartProduct *product = ChartManager->GetProduct(p);
        IChartProductInfo *productInfo = product ? product->GetInfo() : nullptr;
        if (!productInfo) continue;
        const QString code = ChartProductGetCode(productInfo);
        const uint32_t key = productInfo->GetProductNumber();
        for (int32_t s = 0; s < product->GetChartSetCount(); ++s) {
            IChartSet *set = product->GetChartSet(s);
            IChartSetInfo *info = set ? set->GetInfo() : nullptr;
            if (!info || !set->IsUsable()) continue;
            const uint32_t mask = 1u << info->GetKind();
            for (int32_t f = 0; f < info->GetDataFileCount(); ++f)
                LoadAddOnFile(key, code, mask, ChartDataFileGetFileName(info->GetDataFile(f)),
                              withGroups, bracket);
        }
    }
    WptDBInfos.erase(std::remove_if(WptDBInfos.begin(), WptDBInfos.end(),
                                    [](const auto &info) { return !info->Database; }),
                     WptDBInfos.end());
    if (bracket) WaypointManager->AfterLoad();
}

void TMarivoNavEnv::LoadAddOnFile(uint32_t productKey, const QString &code, uint32_t setMask,
                                  const QString &file, bool withGroups, bool bracket) {
    TWptDatabaseHeader header;
    int32_t err = 0;
    WptDatabaseReadHeaderA(file, header, err);
    if (!IsHarmlessHeaderError(err)) {
        // Installed chart data is the chart manager's to repair: the file stays as it is.
        if (!FSkippedAddOnFiles.contains(file)) {
            FSkippedAddOnFiles << file;
            qWarning().noquote() << QStringLiteral("Waypoint database \"%1\" skipped: %2")
                                        .arg(file, ErrorToStrA(err));
        }
        return;
    }
    if (!BelongsToProduct(header.Identifier, code)) return;

    const int32_t openIndex = WaypointManager->IndexOfDatabase(header.Guid);
    if (IWptDatabase *open = openIndex >= 0 ? WaypointManager->GetDatabase(openIndex) : nullptr) {
        if (open->GetDate() >= header.Date) return;
        if (TNavChartWptDBInfo *info = FindWptDBInfo(productKey, WptDatabaseGetFileName(open)))
            info->Database = nullptr;
        open->Close();
    }

    if (bracket) WaypointManager->BeginUpdate(0, 0);
    IWptDatabase *database = WptManagerOpenDatabase(WaypointManager, file, 0, err);
    if (bracket) WaypointManager->EndUpdate();
    if (!database || err != KvErr::Ok) return;

    const QString name = WptDatabaseGetFileName(database);
    TNavChartWptDBInfo *info = FindWptDBInfo(productKey, name);
    if (!info) {
        WptDBInfos.push_back(std::make_unique<TNavChartWptDBInfo>());
        info = WptDBInfos.back().get();
        info->FileName = name;
        info->ProductKey = productKey;
        info->ChartSetMask = setMask;
        if (withGroups)
            for (int32_t g = 0; g < database->GetWaypointGroupCount(); ++g) {
                IWptWaypointGroup *group = database->GetWaypointGroup(g);
                info->AddGroup(WptObjectGetName(group), group->IsVisibleIn(ChartModules));
            }
    }
    info->Database = database;
    info->GUID = *database->GetGUID();
    OpenPointDatabase(*info, file);
}

void TMarivoNavEnv::OpenPointDatabase(TNavChartWptDBInfo &info, const QString &dataFile) {
    const QString content = ContentFileOf(dataFile);
    if (!QFileInfo::exists(content)) return;
    int32_t type = 0, err = 0;
    GetWptInfoDatabaseType(content, type, err);
    if (err != KvErr::Ok || type != 1) return;
    TNavPtr<IGeoAddsDatabase> points(GeoAddsDatabaseCreate());
    GeoAddsDatabaseOpen(points.get(), content, info.GUID, err);
    if (err != KvErr::Ok) return;
    info.ReleasePointDatabase();
    info.PointDatabase = points.release();
}

TNavChartWptDBInfo *TMarivoNavEnv::FindWptDBInfo(uint32_t productKey,
                                                 const QString &fileName) const {
    for (const auto &info : WptDBInfos)
        if (info->ProductKey == productKey &&
            info->FileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return info.get();
    return nullptr;
}

IGeoAddsEntry *TMarivoNavEnv::FindGeoAddObject(double latitude, double longitude) const {
    for (const auto &info : WptDBInfos) {
        IGeoAddsDatabase *points = info->PointDatabase;
        if (!points || points->GetType() != 1) continue;
        int32_t index = -1;
        if (points->ObjectAt(TGeoPoint{latitude, longitude}, index)) return points->GetObject(index);
    }
    return nullptr;
}

void TMarivoNavEnv::UpdateViewersForChartSet(uint32_t productKey, int32_t chartSetKind) {
    TNavPtr<ISortedGUIDArray> guids(SortedGUIDArrayCreate());
    for (int32_t p = 0; p < ChartManager->GetProductCount(); ++p) {
        IChartProduct *product = ChartManager->GetProduct(p);
        if (!product || !product->GetInfo() ||
            product->GetInfo()->GetProductNumber() != productKey)
            continue;
        for (int32_t s = 0; s < product->GetChartSetCount(); ++s) {
            IChartSet *set = product->GetChartSet(s);
            if (!set || !set->GetInfo() || set->GetInfo()->GetKind() != chartSetKind) continue;
            guids->Clear();
            for (int32_t e = 0; e < set->GetEntryCount(); ++e) {
                IChartCatalogueEntry *entry = set->GetEntry(e);
                IChartCatalogueObject *object = entry ? entry->GetCatalogueObject() : nullptr;
                IRasterChart *chart = object ? object->GetRasterChart() : nullptr;
                IRasterChartInfo *info = chart ? chart->GetInfo() : nullptr;
                if (info) guids->Add(*info->GetGUID());
            }
            for (TS3DChartViewerControl *viewer : Viewers)
                ChartManager->SetViewerChartSet(viewer->GetViewerIndex(), guids.get());
            set->ApplySelection();
        }
    }
}

void TMarivoNavEnv::ApplyWaypointVisibility() {
    WaypointManager->SetVisibleGroups(WaypointGroupList, ChartModules);
    WaypointManager->CollectWaypoints(WaypointList, WaypointGroupList, 0, 0, nullptr, 1);
    WaypointManager->SetWaypointList(WaypointList, ChartModules);
}

void TMarivoNavEnv::ReleaseWptDBInfos() {
    WptDBInfos.clear();
}
