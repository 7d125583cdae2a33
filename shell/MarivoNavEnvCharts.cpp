// The chart viewers registered with the environment, and the chart resources released
// before a companion program changes the charts and reloaded afterwards.
#include "shell/MarivoNavEnv.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/settings/KvRegBoat.h"
#include "base/settings/KvRegDisplay.h"
#include "base/charts/KvCharts.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/NavViewerControl.h"
#include "shell/MarivoNavEnvChartDBs.h"
#include "shell/MarivoNavEnvTexts.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QDeadlineTimer>
#include <QDebug>
#include <QFileInfo>
#include <QThread>
#include <algorithm>

namespace {

// The charts a viewer may show: those of the chart manager that pass the test.
template <class TTest>
std::vector<NavObject *> ChartsWhere(IChartManager *chartManager, TTest test) {
    std::vector<NavObject *> charts;
    for (int32_t i = 0; i < chartManager->GetChartCount(); ++i) {
        IChart *chart = chartManager->GetChart(i);
        if (chart && test(chart)) charts.push_back(chart);
    }
    return charts;
}

// The chart manager lists only S-57 cells as its charts; the raster charts are those of
// its catalogue (which holds the sets of the program's modules). Which of them a viewer
// shows is its selection, handed over below.
void AddRasterCharts(IChartManager *chartManager, std::vector<NavObject *> &charts) {
    for (int32_t i = 0; i < chartManager->GetCatalogueCount(); ++i) {
        IChartCatalogueEntry *entry = chartManager->GetCatalogueEntry(i);
        IChartCatalogueObject *object = entry ? entry->GetCatalogueObject() : nullptr;
        if (IRasterChart *chart = object ? object->GetRasterChart() : nullptr) charts.push_back(chart);
    }
}

// The viewer shows of its raster charts only those switched on for its index, as the
// chart manager reports them when the selection changes later.
void HandRasterSelection(IChartManager *chartManager, TS3DChartViewerControl *viewer) {
    const uint32_t bit = 1u << viewer->GetViewerIndex();
    std::vector<int32_t> selected;
    for (int32_t i = 0; i < chartManager->GetCatalogueCount(); ++i) {
        IChartCatalogueEntry *entry = chartManager->GetCatalogueEntry(i);
        if (entry && (entry->GetViewerBits() & bit)) selected.push_back(entry->GetChartHandle());
    }
    viewer->SetChartSelection(selected.data(), int32_t(selected.size()));
}

void HandCharts(IChartManager *chartManager, TS3DChartViewerControl *viewer,
                std::vector<NavObject *> &charts) {
    // What the viewer cannot take it reports itself; nothing to do about it here.
    int32_t err = 0;
    viewer->SetCharts(charts.data(), int32_t(charts.size()), err);
    HandRasterSelection(chartManager, viewer);
}

struct TGUIDArrayDeleter {
    void operator()(ISortedGUIDArray *a) const { ObjectDelete(a); }
};
using TGUIDArray = std::unique_ptr<ISortedGUIDArray, TGUIDArrayDeleter>;

// How long a release waits for the S-57 loader to finish the cells it is reading.
constexpr int LoaderWaitMs = 10000;

}  // namespace

void TMarivoNavEnv::RegisterViewer(TS3DChartViewerControl *viewer) {
    ChartManager->RegisterViewer(viewer->GetViewerIndex());
    Viewers.push_back(viewer);
    HandViewerColours(viewer);
    auto charts = ChartsWhere(ChartManager, [this](IChart *c) { return c->IsVisibleIn(ChartModules); });
    AddRasterCharts(ChartManager, charts);
    HandCharts(ChartManager, viewer, charts);
}

void TMarivoNavEnv::HandViewerColours(TS3DChartViewerControl *viewer) const {
    auto *nav = dynamic_cast<TNavViewerControl *>(viewer);
    if (!nav) return;
    nav->SetClearColor(uint32_t(ColorClear));
    nav->SetColorGPSFix(uint32_t(ColorGPSFix));
    nav->SetColorGPSNoFix(uint32_t(ColorGPSNoFix));
}

void TMarivoNavEnv::UnregisterViewer(TS3DChartViewerControl *viewer) {
    const auto it = std::find(Viewers.begin(), Viewers.end(), viewer);
    if (it == Viewers.end()) return;
    if (ChartManager) ChartManager->UnregisterViewer(viewer->GetViewerIndex());
    Viewers.erase(it);
}

void TMarivoNavEnv::AttachNotificationCenter(TNavViewerControl *viewer) {
    if (NotificationCenter) viewer->SetNotificationCenter(NotificationCenter);
}

// Charts, viewers and companion programs
void TMarivoNavEnv::CancelChartLoading() {
    for (auto it = Viewers.rbegin(); it != Viewers.rend(); ++it) (*it)->CancelChartLoading();
}

void TMarivoNavEnv::UpdateViewerChartSets() {
    auto charts = ChartsWhere(ChartManager, [](IChart *c) { return !c->IsHiddenInManager(); });
    AddRasterCharts(ChartManager, charts);
    for (auto it = Viewers.rbegin(); it != Viewers.rend(); ++it) {
        (*it)->BeginUpdate();
        HandCharts(ChartManager, *it, charts);
        (*it)->EndUpdate();
    }
    ChartManager->CommitSelection();
}

void TMarivoNavEnv::SetViewersWaterwayNetwork(IWWNetwork *network) {
    for (TS3DChartViewerControl *viewer : Viewers)
        if (auto *nav = dynamic_cast<TNavViewerControl *>(viewer)) nav->SetWaterwayNetwork(network);
}

void TMarivoNavEnv::ReleaseCharts(bool all) {
    CancelChartLoading();
    // The loader works in its own threads; a cell it never finishes must not hang the
    // program, so the wait is bounded and the release goes on.
    const QDeadlineTimer deadline(LoaderWaitMs);
    while (S57ChartLoader && S57ChartLoader->IsBusy()) {
        if (deadline.hasExpired()) {
            qWarning() << "charts released while the S-57 loader was still busy";
            break;
        }
        QThread::msleep(100);
    }
    for (auto it = Viewers.rbegin(); it != Viewers.rend(); ++it) (*it)->ReleaseCharts();
    ObjectUpdateManager->SetCharts(nullptr, nullptr, nullptr, nullptr);
    DeleteChartObjects();
    if (!all) return;
    // The lists are emptied below and read back after the reload.
    SaveVisibleLists();
    EndPolygonEdit(true);
    DeactivateRoute();
    EndRouteEdit(true);
    if (SelectedRoute && OnSelectRoute) {
        const TGUID selected = *SelectedRoute->GetGUID();
        SelectRoute(nullptr);
        RegWriteSelectedRouteGUID(selected);
    }
    CloseCurrentTrack();
    // A viewer still painting the released network would read freed memory.
    SetViewersWaterwayNetwork(nullptr);
    WaypointManager->SetWaterwayNetwork(nullptr);
    Boat->SetWaterwayNetwork(nullptr);
    StructOperationManager->SetWaterwayNetwork(nullptr);
    ObjectUpdateManager->SetWaterwayNetwork(nullptr);
    // The planner plans over the network: it must not keep a released one.
    Planner->SetWaterwayNetwork(nullptr, nullptr);
    Release("WaterwayNetworkUSA", WaterwayNetworkUSA);
    Release("WaterwayNetwork", WaterwayNetwork);
    WaypointGroupList->Clear();
    PolygonList->Clear();
    RouteList->Clear();
    WaypointList->Clear();
    PendingNavigateToRoute = nullptr;
    // The records stay: they carry the shown groups over to the reopened databases.
    ReleaseChartWptDatabases(WptDBInfos, ChartModules);
    for (auto it = WptDBInfos.rbegin(); it != WptDBInfos.rend(); ++it) (*it)->ReleasePointDatabase();
}

void TMarivoNavEnv::ReloadCharts(bool reloadNetwork) {
    CreateCharts();
    ObjectUpdateManager->SetCharts(ChartManager, WaypointManager, nullptr, this);
    for (auto it = Viewers.rbegin(); it != Viewers.rend(); ++it)
        (*it)->SetChartDataCache(ChartDataCache);
    for (int n = 0; n < 16; ++n)
        if (ChartModules & (1u << n)) ChartManager->RegisterViewer(n);
    // The new chart manager knows no viewer yet; each gets the charts it may show again.
    for (TS3DChartViewerControl *viewer : Viewers) ChartManager->RegisterViewer(viewer->GetViewerIndex());
    UpdateViewerChartSets();
    S57ChartLoader->Refresh(0);
    if (reloadNetwork) {
        Release("WaterwayNetworkUSA", WaterwayNetworkUSA);
        Release("WaterwayNetwork", WaterwayNetwork);
        CreateNetwork();
        WaypointManager->SetWaterwayNetwork(WaterwayNetwork);
        StructOperationManager->SetWaterwayNetwork(WaterwayNetwork);
        Boat->SetWaterwayNetwork(WaterwayNetwork);
        ObjectUpdateManager->SetWaterwayNetwork(WaterwayNetwork);
        SetViewersWaterwayNetwork(WaterwayNetwork);
    }
    Planner->SetWaterwayNetwork(WaterwayNetwork, ChartManager);
    if (!reloadNetwork) return;
    OpenUserDatabase();
    for (int32_t i = UserDatabase->GetRouteCount() - 1; i >= 0; --i)
        RecalculateRoute(UserDatabase->GetRoute(i), true);
    RestoreSelectedRoute();
    RegReadWptDBsVisible(WaypointManager);
    RegReadGroupsVisible(WaypointManager, WaypointGroupList);
    RegReadPolygonsVisible(WaypointManager, PolygonList);
    WaypointManager->SetVisiblePolygons(PolygonList, ChartModules);
    RegReadRoutesVisible(WaypointManager, RouteList);
    RebuildWptDatabaseInfo();
    SaveVisibleLists();
}

void TMarivoNavEnv::RebuildWptDatabaseInfo() {
    LoadAddOnDatabases(true, true);
    RestoreChartWptGroups(WptDBInfos, WaypointGroupList);
    TGUIDArray inView(SortedGUIDArrayCreate());
    // Without a viewer no chart is in view: every chart-product database is off.
    if (!Viewers.empty()) ChartManager->GetSelectedCharts(inView.get(), Viewers.front()->GetViewerIndex());
    SwitchChartWptDatabases(WptDBInfos, ChartManager, inView.get());
    ApplyWaypointVisibility();
}

bool TMarivoNavEnv::IsChartWptDatabaseSelected(IWptDatabase *database) const {
    return IsChartWptDatabaseSelectedIn(WptDBInfos, database);
}

void TMarivoNavEnv::RestoreSelectedRoute() {
    TGUID guid;
    RegReadSelectedRouteGUID(guid);
    int32_t index = -1;
    IWptRoute *route = nullptr;
    if (!(guid == TGUID{}) && WaypointManager->FindRoute(guid, index))
        route = WaypointManager->GetRoute(index);
    else if (WaypointManager->GetRouteCount() == 1)
        route = WaypointManager->GetRoute(0);
    if (route && OnSelectRoute) SelectRoute(route);
}

void TMarivoNavEnv::OpenUserDatabase() {
    if (UserDatabase) {
        // Closing drops what is not on disk: the user's routes and waypoints are saved
        // first, and a database that cannot be saved stays open rather than be lost.
        int32_t err = 0;
        WptDatabaseSaveToFile(UserDatabase, UserDatabaseFile, err);
        if (err != KvErr::Ok) {
            MsgBox(LanguageText(NavEnvText::DatabaseSaveFailed).arg(ErrorToStrA(err)), mtError,
                   MsgButtons({mbOK}));
            return;
        }
        UserDatabase->Close();
    }
    UserDatabase = nullptr;
    if (QFileInfo::exists(UserDatabaseFile)) {
        WaypointManager->BeginUpdate(1, 0);
        struct TEndUpdate {
            IWptManager *Manager;
            ~TEndUpdate() { Manager->EndUpdate(); }
        } endUpdate{WaypointManager};
        int32_t err = 0;
        UserDatabase = WptManagerOpenDatabase(WaypointManager, UserDatabaseFile, 0, err);
        if (err != KvErr::Ok) {
            if (UserDatabase) UserDatabase->Close();
            UserDatabase = nullptr;
            MsgBox(LanguageText(NavEnvText::DatabaseNotLoaded).arg(ErrorToStrA(err)) +
                       QStringLiteral("\n\n") + LanguageText(NavEnvText::EmptyDatabaseLoaded),
                   mtError, MsgButtons({mbOK}));
        }
    }
    if (!UserDatabase) CreateUserDatabase();
}

void TMarivoNavEnv::CheckOutdatedCharts(int32_t seconds) {
    if (!ChartManager || !OnlineService) return;
    TGUIDArray inUse(SortedGUIDArrayCreate());
    ChartManager->GetSelectedCharts(inUse.get(), 0);
    for (int32_t p = ChartManager->GetProductCount() - 1; p >= 0; --p) {
        IChartProduct *product = ChartManager->GetProduct(p);
        for (int32_t s = product->GetChartSetCount() - 1; s >= 0; --s) {
            IChartSet *set = product->GetChartSet(s);
            for (int32_t c = set->GetEntryCount() - 1; c >= 0; --c) {
                IChartCatalogueEntry *entry = set->GetEntry(c);
                IChartCatalogueObject *object = entry ? entry->GetCatalogueObject() : nullptr;
                IRasterChart *chart = object ? object->GetRasterChart() : nullptr;
                IRasterChartInfo *info = chart ? chart->GetInfo() : nullptr;
                if (!info || !inUse->Contains(*info->GetGUID())) continue;
                int32_t state = 0;
                if (OnlineService->GetNewEditionState(product->GetInfo()->GetProductNumber(),
                                                      1u << set->GetInfo()->GetKind(), state) &&
                    state == MRCEditionState::ToOrder)
                    PostUserNotification(NavUserNotify::Message,
                                         LanguageText(NavEnvText::OutdatedCharts), seconds, true, 0);
                return;  // the first chart in use decides
            }
        }
    }
}

bool TMarivoNavEnv::MultiBoatEnabled() const {
    return false;
}

QString ChartWptDatabasePrefix(IWptDatabase *database) {
    return WptDatabaseGetName(database).section(QLatin1Char('_'), 0, 0);
}

bool ChartWptDatabaseInView(IChartManager *chartManager, ISortedGUIDArray *inView,
                            IWptDatabase *database, int32_t chartSetMask) {
    const QString prefix = ChartWptDatabasePrefix(database);
    for (int32_t i = 0; i < inView->GetCount(); ++i) {
        TGUID guid;
        inView->GetItem(i, guid);
        int32_t index = -1;
        if (!chartManager->FindChartByGUID(guid, index)) continue;
        IChartCatalogueEntry *entry = chartManager->GetCatalogueEntry(index);
        IChartCatalogueObject *object = entry ? entry->GetCatalogueObject() : nullptr;
        IRasterChart *chart = object ? object->GetRasterChart() : nullptr;
        IRasterChartInfo *info = chart ? chart->GetInfo() : nullptr;
        if (!info) continue;
        const int32_t kind = info->GetChartSetKind();
        if (kind < 0 || kind > 31 || int32_t(1u << kind) != chartSetMask) continue;
        if (RasterChartInfoGetProductCode(info).compare(prefix, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
