#include "exchange/TextImportObjects.h"

#include "base/kvlib/KvErrors.h"
#include "base/strings/KvStrUtils.h"
#include "base/waypoints/KvWaypoints.h"

#include <QHash>
#include <algorithm>

namespace {

QString GUIDKey(const TGUID &g) {
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(&g), sizeof g).toHex());
}

bool IsNull(const TGUID &g) { return CompareGUID(g, GUID_NULL) == 0; }

void BuildRoutes(const std::vector<TPointData> &items, IWptDatabase *db, TDateTime departureUtc,
                 IWptRouteList *routes) {
    IWptRoute *route = nullptr;
    QString key;
    bool first = true;
    auto finish = [&] {
        if (route && route->GetPointCount() >= 2) routes->Add(route);
    };
    for (const TPointData &item : items) {
        int32_t err = 0;
        if (first || QString::compare(item.FileName, key, Qt::CaseInsensitive) != 0) {
            finish();
            route = db->NewRoute(departureUtc);
            WptObjectSetName(route, item.RouteName, err);
            RaiseIfError(err);
        }
        first = false;
        if (item.Import) {
            IWptRoutePoint *p = route->AddPoint(TGeoPoint3{item.LatitudeRad, item.LongitudeRad, item.HeightM},
                                                nullptr, nullptr, err);
            RaiseIfError(err);
            WptRoutePointSetName(p, item.Name, err);
            RaiseIfError(err);
            // A point without a radius in the data keeps the route's own.
            if (item.RadiusM >= 0.0) {
                p->SetRadius(float(item.RadiusM), err);
                RaiseIfError(err);
            }
        }
        key = item.FileName;
    }
    finish();
}

// Groups and types met so far, by identifier or by name: items that differ never share one.
struct TWaypointBuilder {
    IWptDatabase *Import;
    IWptDatabase *User;
    IWptManager *ImportManager;
    const TImportObjectLists &Lists;
    QHash<QString, IWptWaypointGroup *> Groups;
    QHash<QString, IWptWaypointType *> Types;

    IWptWaypointGroup *Group(const TPointData &item) {
        if (item.GroupName.isEmpty()) return nullptr;
        const bool byId = !IsNull(item.GroupGUID);
        const QString key = byId ? QStringLiteral("id:") + GUIDKey(item.GroupGUID) : QStringLiteral("name:") + item.GroupName;
        if (IWptWaypointGroup *known = Groups.value(key)) return known;
        IWptWaypointGroup *group = nullptr;
        int32_t index = -1, err = 0;
        if (!byId) {
            if (WptDatabaseFindGroup(Import, item.GroupName, index)) {
                group = Import->GetWaypointGroup(index);
            } else {
                group = Import->NewWaypointGroup(nullptr);
                WptObjectSetName(group, item.GroupName, err);
                RaiseIfError(err);
                Lists.Groups->Add(group);
            }
        } else if (User && User->FindWaypointGroupByGUID(item.GroupGUID, index)) {
            group = Import->NewWaypointGroupFrom(nullptr, User->GetWaypointGroup(index));
            Lists.Groups->Add(group);
        }
        Groups.insert(key, group);
        return group;
    }

    IWptWaypointType *Type(const TPointData &item) {
        IWptWaypointType *defaultType = ImportManager->GetDefaultWaypointType();
        if (item.TypeName.isEmpty() || (IsNull(item.TypeGUID) && item.DefaultType)) return defaultType;
        const bool byId = !IsNull(item.TypeGUID);
        const QString key = byId ? QStringLiteral("id:") + GUIDKey(item.TypeGUID) : QStringLiteral("name:") + item.TypeName;
        if (IWptWaypointType *known = Types.value(key)) return known;
        IWptWaypointType *type = defaultType;
        int32_t index = -1, err = 0;
        if (!byId) {
            if (WptDatabaseFindType(Import, item.TypeName, index)) {
                type = Import->GetWaypointType(index);
            } else {
                IWptWaypointType *model = User ? User->GetManager()->GetDefaultWaypointType() : defaultType;
                type = Import->NewWaypointTypeFrom(nullptr, model);
                WptObjectSetName(type, item.TypeName, err);
                RaiseIfError(err);
                Lists.Types->Add(type);
            }
        } else if (User && User->FindWaypointTypeByGUID(item.TypeGUID, index)) {
            type = Import->NewWaypointTypeFrom(nullptr, User->GetWaypointType(index));
            Lists.Types->Add(type);
        }
        Types.insert(key, type);
        return type;
    }

    void Add(const TPointData &item) {
        int32_t err = 0;
        IWptWaypointGroup *group = Group(item);
        IWptWaypoint *w = Import->NewWaypoint(nullptr, TGeoPoint3{item.LatitudeRad, item.LongitudeRad, item.HeightM},
                                              Type(item));
        WptObjectSetName(w, item.Name, err);
        RaiseIfError(err);
        WptWaypointSetSubName(w, item.SubName, err);
        RaiseIfError(err);
        // No proximity in the data (-1) is none.
        w->SetProximity(float(std::max(0.0, item.ProximityM)), err);
        RaiseIfError(err);
        if (group) {
            group->AddWaypoint(w, err);
            RaiseIfError(err);
        }
        Lists.Waypoints->Add(w);
    }
};

}  // namespace

void BuildTextImportObjects(const std::vector<TPointData> &items, int32_t importType, IWptManager *importManager,
                            IWptDatabase *&importDatabase, IWptDatabase *user, TDateTime departureUtc,
                            const TImportObjectLists &lists) {
    // The scratch database belongs to its manager: closed, never released directly.
    if (importDatabase) {
        IWptDatabase *old = importDatabase;
        importDatabase = nullptr;
        old->Close();
    }
    importDatabase = WptManagerNewDatabase(importManager, QStringLiteral("Import database"));
    if (!importDatabase) RaiseIfError(1);
    for (IWptObjectList *l : std::initializer_list<IWptObjectList *>{lists.Groups, lists.Routes, lists.Types,
                                                                     lists.Waypoints})
        l->Clear();
    if (importType == 5) {
        BuildRoutes(items, importDatabase, departureUtc, lists.Routes);
        return;
    }
    TWaypointBuilder builder{importDatabase, user, importManager, lists, {}, {}};
    for (const TPointData &item : items)
        if (item.Import) builder.Add(item);
}
