// The own ship's logbook, the online object updates (status text, a downloaded add-on
// database, a downloaded waterway network) and the environment's small getters.
#include "shell/MarivoNavEnv.h"

#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/logbook/KvLogbook.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/NavViewerControl.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoNavEnvServiceTexts.h"
#include "shell/MarivoNavEnvTexts.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLogbook.h>

#include <iterator>

namespace {

TMarivoNavEnv *Env(void *data) {
    return static_cast<TMarivoNavEnv *>(data);
}

void DetachLogbook(INavBoat *boat) {
    INavLogbook *logbook = boat->GetLogbook();
    if (!logbook) return;
    boat->AttachLogbook(nullptr);
    ObjectDelete(logbook);
}

}  // namespace

void TMarivoNavEnv::OpenLogbook(const QString &fileName, int32_t &error) {
    error = 0;
    DetachLogbook(Boat);
    QString file = fileName;
    if (!file.isEmpty()) {
        INavLogbook *logbook = NavLogbookLoad(file, Boat, error);
        if (error != KvErr::Ok || !logbook) {
            if (logbook) ObjectDelete(logbook);
            if (error == KvErr::Ok) error = KvErr::Failed;
            file.clear();
        } else {
            Boat->AttachLogbook(logbook);
        }
    }
    RegWriteActiveLogbook(file);
    FireStatusBarUpdate(2);
}

void TMarivoNavEnv::CloseLogbook() {
    StopLogbook(true);
    RegWriteActiveLogbook(QString());
    DetachLogbook(Boat);
    FireUpdateActions();
    FireStatusBarUpdate(2);
}

void TMarivoNavEnv::StartLogbook(bool store) {
    INavLogbook *logbook = Boat->GetLogbook();
    if (!logbook || logbook->IsRecording()) return;
    Boat->StartLogbookRecording(store);
    if (store) RegWriteActiveLogbookStarted(logbook->IsRecording());
    FireUpdateActions();
    FireStatusBarUpdate(2);
}

void TMarivoNavEnv::StopLogbook(bool store) {
    INavLogbook *logbook = Boat->GetLogbook();
    if (!logbook || !logbook->IsRecording()) return;
    Boat->StopLogbookRecording(store);
    if (store) RegWriteActiveLogbookStarted(logbook->IsRecording());
    FireUpdateActions();
    FireStatusBarUpdate(2);
}

void TMarivoNavEnv::OnObjectUpdateProgress(void *data, int32_t kind) {
    try {
        Env(data)->ObjectUpdateProgress(kind);
    } catch (...) {
        ReportCurrentException();
    }
}

void TMarivoNavEnv::ObjectUpdateProgress(int32_t kind) {
    if (kind == 15) PostUserNotification(NavUserNotify::CurrentDataFile, QString());
    if (kind == 16) PostUserNotification(NavUserNotify::CurrentDataWaterLevel, QString());
    if (kind >= 0 && kind < int32_t(std::size(NavEnvText::ObjectUpdateKinds)))
        ObjectUpdateText = LanguageText(NavEnvText::ObjectUpdateKinds[kind]);
    if (kind == ObjectUpdateEvent::NetworkDownloaded) NetworkReloadPending = true;
    FireStatusBarUpdate(6);
}

void TMarivoNavEnv::OnObjectDatabaseUpdatedCallback(void *data, IWptDatabase *database) {
    try {
        Env(data)->OnObjectDatabaseUpdated(database);
    } catch (...) {
        ReportCurrentException();
    }
}

void TMarivoNavEnv::OnObjectDatabaseUpdated(IWptDatabase *database) {
    if (!database) return;
    const QString file = WptDatabaseGetFileName(database);
    TNavChartWptDBInfo *info = nullptr;
    for (const auto &entry : WptDBInfos)
        if (entry->Database == database && entry->FileName.compare(file, Qt::CaseInsensitive) == 0)
            info = entry.get();
    if (!info) return;
    const bool selected = database->IsSelected();
    // Route points keep no link into a database that is about to close.
    for (int32_t r = 0; r < WaypointManager->GetRouteCount(); ++r) {
        IWptRoute *route = WaypointManager->GetRoute(r);
        for (int32_t p = 0; p < route->GetPointCount(); ++p) {
            IWptRoutePoint *point = route->GetPoint(p);
            IWptWaypoint *linked = point->GetWaypoint();
            if (linked && linked->GetDatabase() == database) point->ReleaseWaypoint();
        }
    }
    for (int32_t g = 0; g < database->GetWaypointGroupCount(); ++g) {
        IWptWaypointGroup *group = database->GetWaypointGroup(g);
        info->AddGroup(WptObjectGetName(group), group->IsVisibleIn(ChartModules));
        WaypointGroupList->Remove(group);
    }
    database->Close();
    info->Database = nullptr;
    int32_t err = 0;
    WaypointManager->BeginUpdate(0, 0);
    info->Database = WptManagerOpenDatabase(WaypointManager, file, 0, err);
    WaypointManager->EndUpdate();
    if (info->Database && err == KvErr::Ok) {
        info->Database->SetSelected(selected);
        info->GUID = *info->Database->GetGUID();
        for (int i = 0; i < info->GroupCount(); ++i) {
            const TNavChartWptDBGroupInfo *remembered = info->GetGroup(i);
            int32_t index = -1;
            if (remembered->Selected && WptDatabaseFindGroup(info->Database, remembered->Name, index))
                WaypointGroupList->Add(info->Database->GetWaypointGroup(index));
        }
    } else {
        info->Database = nullptr;
    }
    info->ClearGroups();
    ApplyWaypointVisibility();
    SaveVisibleLists();
    // The viewers still draw the objects of the closed database until they rebuild them.
    for (auto it = Viewers.rbegin(); it != Viewers.rend(); ++it)
        if (auto *viewer = dynamic_cast<TNavViewerControl *>(*it)) viewer->UpdateObjects();
}

void TMarivoNavEnv::ReloadWaterwayNetwork() {
    // The working network stays in use until a new one has loaded.
    int32_t err = 0;
    IWWNetwork *network = F.WWNetworkLoadFromFile(WaterwayNetworkFile, nullptr, err);
    if (!network) {
        const QString copy = InsertTildeBeforeFileExt(WaterwayNetworkFile);
        int32_t copyErr = 0;
        network = F.WWNetworkLoadFromFile(copy, nullptr, copyErr);
        if (network) {
            int32_t moveErr = 0;
            FileMoveA(copy, WaterwayNetworkFile, true, moveErr);
        } else {
            if (err == KvErr::Ok) err = copyErr != KvErr::Ok ? copyErr : KvErr::Failed;
        }
    }
    if (network) {
        ObjectUpdateManager->SetWaterwayNetwork(nullptr);
        WaypointManager->ReleaseNetworkData();
        Release("WaterwayNetwork", WaterwayNetwork);
        WaterwayNetwork = network;
        WaypointManager->SetWaterwayNetwork(network);
        Planner->SetWaterwayNetwork(network, ChartManager);
        StructOperationManager->SetWaterwayNetwork(network);
        Boat->SetWaterwayNetwork(network);
        ObjectUpdateManager->SetWaterwayNetwork(network);
        WaypointManager->RelinkNetwork();
        if (UserDatabase)
            for (int32_t i = UserDatabase->GetRouteCount() - 1; i >= 0; --i)
                RecalculateRoute(UserDatabase->GetRoute(i), true);
    } else {
        MsgBox(LanguageText(NavEnvText::NetworkNotLoaded) + ErrorToStrA(err) + QLatin1Char('.'),
               mtWarning, MsgButtons({mbOK}));
    }
    NetworkReloadPending = false;
}

INavRouteNavigation *TMarivoNavEnv::GetRouteNavigation() const {
    return Boat ? Boat->GetRouteNavigation() : nullptr;
}

void TMarivoNavEnv::ReleaseObjectUpdateNetwork() {
    if (ObjectUpdateManager) ObjectUpdateManager->SetWaterwayNetwork(nullptr);
}

IWptRoute *TMarivoNavEnv::GetActiveRoute() const {
    INavRouteNavigation *navigation = GetRouteNavigation();
    return navigation ? navigation->GetRoute() : nullptr;
}

bool TMarivoNavEnv::HasCharts() const {
    return ChartManager && ChartManager->GetChartCount() > 0;
}

void TMarivoNavEnv::TimeChanged() {
    ITimeZones *zones = GlobalTimeZones();
    zones->Refresh();
    if (zones->GetUTCOffsetSync()) SetUTCOffset(zones->GetUTCOffset());
}

bool TMarivoNavEnv::IsExtensionEnabled(const QString &name) const {
    return RegReadBoolDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Extension"),
                          RegName(name), true);
}

bool TMarivoNavEnv::GetStoredLogin(QString &email) const {
    email.clear();
    return OnlineService && MRCChartCheckGetStoredLogin(OnlineService, email);
}
