// The waypoint databases that come with chart products, around a release of the charts:
// their group selection is remembered while the databases are closed, restored once they
// are open again, and each database is switched on while a chart of its own product and
// chart-set kind is in view.
//
// The routines work on the environment's list of database records (pointers or owning
// pointers to records with FileName, Database, ChartSetMask, AddGroup, GroupCount,
// GetGroup and ClearGroups), walked last first. GUI thread.
#pragma once

#include "base/waypoints/KvWaypoints.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QString>
#include <cstdint>

// The product code of a chart-product database: its name up to the first "_".
QString ChartWptDatabasePrefix(IWptDatabase *database);

// Whether a raster chart of the set is of the database's product (compared without regard
// to case, as the add-on databases are accepted at load) and of its chart-set kind.
bool ChartWptDatabaseInView(IChartManager *chartManager, ISortedGUIDArray *inView,
                            IWptDatabase *database, int32_t chartSetMask);

// Remembers every group of each open database with whether it is shown in chartModules,
// then closes the database; afterwards no record holds a database.
template <class TInfos>
void ReleaseChartWptDatabases(TInfos &infos, uint16_t chartModules) {
    for (size_t i = infos.size(); i-- > 0;) {
        auto &info = infos[i];
        IWptDatabase *database = info->Database;
        if (!database) continue;
        for (int32_t g = 0; g < database->GetWaypointGroupCount(); ++g) {
            IWptWaypointGroup *group = database->GetWaypointGroup(g);
            info->AddGroup(WptObjectGetName(group), group->IsVisibleIn(chartModules));
        }
        database->Close();
        info->Database = nullptr;
    }
}

// The remembered groups that were shown and that the reopened database still has are
// shown again; the memory is emptied.
template <class TInfos>
void RestoreChartWptGroups(TInfos &infos, IWptWaypointGroupList *visible) {
    for (size_t i = infos.size(); i-- > 0;) {
        auto &info = infos[i];
        if (IWptDatabase *database = info->Database) {
            for (int32_t g = 0; g < info->GroupCount(); ++g) {
                const auto *remembered = info->GetGroup(g);
                int32_t index = -1;
                if (remembered->Selected && WptDatabaseFindGroup(database, remembered->Name, index))
                    visible->Add(database->GetWaypointGroup(index));
            }
        }
        info->ClearGroups();
    }
}

// Each open database on while a chart of its product and kind is in view, else off.
template <class TInfos>
void SwitchChartWptDatabases(TInfos &infos, IChartManager *chartManager,
                             ISortedGUIDArray *inView) {
    for (size_t i = infos.size(); i-- > 0;) {
        auto &info = infos[i];
        if (IWptDatabase *database = info->Database)
            database->SetSelected(
                ChartWptDatabaseInView(chartManager, inView, database, info->ChartSetMask));
    }
}

// The database's own switch for a chart-product database of the list; False for others.
template <class TInfos>
bool IsChartWptDatabaseSelectedIn(const TInfos &infos, IWptDatabase *database) {
    if (!database) return false;
    for (const auto &info : infos)
        if (info->Database == database) return database->IsSelected();
    return false;
}
