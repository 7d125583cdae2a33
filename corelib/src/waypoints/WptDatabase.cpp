// A waypoint database: its objects, copies between databases and the merge of imports.
#include "waypoints/WptModel.h"
#include "waypoints/WptIdentifier.h"

#include <QCoreApplication>
#include <QHash>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <map>

namespace kv::wpt {

namespace {

template <class T>
T *FindIn(const std::vector<std::unique_ptr<T>> &v, const TGUID &g, int32_t *index = nullptr) {
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i]->FGuid == g) {
            if (index) *index = int32_t(i);
            return v[i].get();
        }
    return nullptr;
}

template <class T>
void EraseOwned(std::vector<std::unique_ptr<T>> &v, NavObject *obj) {
    auto it = std::find_if(v.begin(), v.end(), [obj](const auto &p) {
        return static_cast<NavObject *>(p.get()) == obj;
    });
    if (it != v.end()) v.erase(it);
}

template <class T>
IWptObjectList *AsList(T *list) {
    return list;
}

}  // namespace

TDatabase::TDatabase(TManager *manager, const TGUID &guid) : FManager(manager) {
    FHeader.Guid = guid;
    FTitle.Set(QString());
    FName.Set(QString());
    FFileName.Set(QString());
}

TDatabase::~TDatabase() {
    std::unordered_set<NavObject *> all;
    CollectAll(all);
    ForgetEverywhere(all);
    // Route points of other databases may follow our waypoints: detach them, remembering
    // the waypoint so that reopening this database links them again.
    for (auto &w : FWaypoints) {
        auto points = w->FRoutePoints;
        for (TRoutePoint *p : points) {
            p->ReleaseWaypoint();
            if (p->FDb != this) p->FPendingWaypoint = GuidToBytes(w->FGuid);
        }
    }
}

void TDatabase::CollectAll(std::unordered_set<NavObject *> &out) const {
    for (auto &o : FTypes) out.insert(o.get());
    for (auto &o : FFields) out.insert(o.get());
    for (auto &o : FGroups) out.insert(o.get());
    for (auto &o : FWaypoints) out.insert(o.get());
    for (auto &o : FRoutes) {
        out.insert(o.get());
        for (auto &p : o->FPoints) out.insert(p.get());
    }
    for (auto &o : FPolygons) out.insert(o.get());
}

void TDatabase::ApplyHeader() {
    FName.Set(FHeader.Name);
    FTitle.Set(FHeader.Title.isEmpty() ? FHeader.Name : FHeader.Title);
}

bool TDatabase::HasGuid(const TGUID &g) const {
    return FindIn(FTypes, g) || FindIn(FFields, g) || FindIn(FGroups, g) ||
           FindIn(FWaypoints, g) || FindIn(FRoutes, g) || FindIn(FPolygons, g);
}

TType *TDatabase::AddType(const TGUID &guid) {
    FTypes.push_back(std::make_unique<TType>(this, guid));
    return FTypes.back().get();
}

TField *TDatabase::AddField(const TGUID &guid) {
    FFields.push_back(std::make_unique<TField>(this, guid));
    for (auto &n : FFields.back()->FLangNames) n.Set(QString());
    FFields.back()->FEmpty.Set(QString());
    return FFields.back().get();
}

TGroup *TDatabase::AddGroup(const TGUID &guid) {
    FGroups.push_back(std::make_unique<TGroup>(this, guid));
    return FGroups.back().get();
}

TWaypoint *TDatabase::AddWaypoint(const TGUID &guid) {
    FWaypoints.push_back(std::make_unique<TWaypoint>(this, guid));
    TWaypoint *w = FWaypoints.back().get();
    w->FLink.Set(QString());
    w->FSubName.Set(QString());
    return w;
}

TRoute *TDatabase::AddRoute(const TGUID &guid) {
    FRoutes.push_back(std::make_unique<TRoute>(this, guid));
    FRoutes.back()->FGroupName.Set(QString());
    return FRoutes.back().get();
}

TPolygon *TDatabase::AddPolygon(const TGUID &guid) {
    FPolygons.push_back(std::make_unique<TPolygon>(this, guid));
    return FPolygons.back().get();
}

void TDatabase::DeleteObject(NavObject *obj) {
    std::unordered_set<NavObject *> gone{obj};
    if (auto *w = dynamic_cast<TWaypoint *>(obj)) {
        for (TGroup *g : w->FGroups) std::erase(g->FMembers, w);
        auto points = w->FRoutePoints;
        for (TRoutePoint *p : points) p->ReleaseWaypoint();
        ForgetEverywhere(gone);
        EraseOwned(FWaypoints, obj);
    } else if (auto *g = dynamic_cast<TGroup *>(obj)) {
        for (TWaypoint *m : g->FMembers) std::erase(m->FGroups, g);
        ForgetEverywhere(gone);
        EraseOwned(FGroups, obj);
    } else if (auto *t = dynamic_cast<TType *>(obj)) {
        // Waypoints of a deleted type fall back to the manager's default type.
        for (auto &w2 : FWaypoints)
            if (w2->FType == t) w2->FType = nullptr;
        for (auto &r : FRoutes)
            if (r->FDefaultType == t) r->FDefaultType = nullptr;
        ForgetEverywhere(gone);
        EraseOwned(FTypes, obj);
    } else if (auto *f = dynamic_cast<TField *>(obj)) {
        for (auto &t2 : FTypes) std::erase(t2->FFields, f);
        ForgetEverywhere(gone);
        EraseOwned(FFields, obj);
    } else if (auto *r = dynamic_cast<TRoute *>(obj)) {
        for (auto &p : r->FPoints) gone.insert(p.get());
        ForgetEverywhere(gone);
        EraseOwned(FRoutes, obj);
    } else if (dynamic_cast<TPolygon *>(obj)) {
        ForgetEverywhere(gone);
        EraseOwned(FPolygons, obj);
    } else {
        return;
    }
    Modified();
}

IWptRoute *TDatabase::NewRoute(TDateTime departureUtc) {
    if (FHeader.Protected) return nullptr;
    TRoute *r = AddRoute(NewGuid());
    r->ApplyDefaults();
    r->FStartTime = departureUtc;
    Modified();
    return r;
}

IWptWaypointType *TDatabase::NewType(const TWptTypeDef &def, int32_t &err) {
    err = KvErr::Ok;
    if (FHeader.Protected) {
        err = KvErr::ReadOnly;
        return nullptr;
    }
    TType *t = AddType(NewGuid());
    t->FMain = def.MainText;
    t->FLight = def.LightChar;
    t->FSub = def.SubText;
    for (TWptTextStyle *s : {&t->FMain, &t->FLight, &t->FSub}) s->Style &= WptFontStyle::Mask;
    t->SetIcons(def.Icon, def.Overlay, def.DrawOverlay, def.OriginX, def.OriginY);
    Modified();
    return t;
}

bool TDatabase::FindGroup(const TStrWRec &name, int32_t &index) {
    const QString n = kv::ToQString(name);
    for (size_t i = 0; i < FGroups.size(); ++i)
        if (FGroups[i]->Name().compare(n, Qt::CaseInsensitive) == 0) {
            index = int32_t(i);
            return true;
        }
    index = -1;
    return false;
}

bool TDatabase::FindType(const TStrWRec &name, int32_t &index) {
    const QString n = kv::ToQString(name);
    for (size_t i = 0; i < FTypes.size(); ++i)
        if (FTypes[i]->Name().compare(n, Qt::CaseInsensitive) == 0) {
            index = int32_t(i);
            return true;
        }
    index = -1;
    return false;
}

IWptWaypointGroup *TDatabase::GetWaypointGroup(int32_t i) {
    return i >= 0 && i < GetWaypointGroupCount() ? FGroups[size_t(i)].get() : nullptr;
}

IWptRoute *TDatabase::GetRoute(int32_t i) {
    return i >= 0 && i < GetRouteCount() ? FRoutes[size_t(i)].get() : nullptr;
}

IWptWaypointType *TDatabase::GetWaypointType(int32_t i) {
    return i >= 0 && i < GetWaypointTypeCount() ? FTypes[size_t(i)].get() : nullptr;
}

IWptPolygon *TDatabase::GetPolygon(int32_t i) {
    return i >= 0 && i < GetPolygonCount() ? FPolygons[size_t(i)].get() : nullptr;
}

IWptManager *TDatabase::GetManager() {
    return FManager;
}

void TDatabase::Close() {
    FManager->CloseDatabase(this);  // releases this object
}

void TDatabase::Modified() {
    FModified = true;
    if (FHeader.Protected || FFileName.Get()->Length == 0) return;
    // The save timer lives on the thread of the application's event loop only.
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) return;
    if (!FAutoSave) {
        FAutoSave = std::make_unique<QTimer>();
        FAutoSave->setSingleShot(true);
        // At most this long after the first unsaved change, however many follow it.
        FAutoSave->setInterval(2000);
        QObject::connect(FAutoSave.get(), &QTimer::timeout, [this] { SaveIfModified(); });
    }
    if (!FAutoSave->isActive()) FAutoSave->start();
}

void TDatabase::SaveIfModified() {
    if (FAutoSave) FAutoSave->stop();
    if (!FModified || FHeader.Protected || FFileName.Get()->Length == 0) return;
    FSaveResult = StoreSave(*this, kv::ToQString(*FFileName.Get()));
    if (FSaveResult == KvErr::Ok) FModified = false;
}

void TDatabase::SaveToFile(const TStrWRec &file, int32_t &err) {
    const QString target = file.Length > 0 ? kv::ToQString(file) : kv::ToQString(*GetFileName());
    if (target.isEmpty()) {
        err = KvErr::InvalidArgument;
        return;
    }
    err = StoreSave(*this, target);
    FSaveResult = err;
    if (err == KvErr::Ok) {
        SetFileName(target);
        FModified = false;
    }
}

IWptWaypoint *TDatabase::NewWaypoint(void *, const TGeoPoint3 &pos, IWptWaypointType *type) {
    if (FHeader.Protected) return nullptr;
    auto *t = dynamic_cast<TType *>(type);
    if (t && !t->FDefault && t->FDb != this) return nullptr;
    if (!(std::fabs(pos.Lat) <= M_PI / 2) || !(std::fabs(pos.Lon) <= M_PI)) return nullptr;
    // New waypoints are numbered after the highest number already used with the prefix; the
    // scan runs once per prefix, not per waypoint.
    const QString &prefix = WaypointNamePrefix();
    if (FNextNumber == 0 || FNumberPrefix != prefix) {
        FNumberPrefix = prefix;
        FNextNumber = 1;
        for (auto &o : FWaypoints) {
            const QString n = o->Name();
            if (!n.startsWith(prefix)) continue;
            bool ok = false;
            const int64_t k = QStringView(n).mid(prefix.size()).toLongLong(&ok);
            if (ok && k >= FNextNumber) FNextNumber = k + 1;
        }
    }
    TWaypoint *w = AddWaypoint(NewGuid());
    w->SetNameText(prefix + QStringLiteral("%1").arg(FNextNumber++, 3, 10, QLatin1Char('0')));
    w->FPos = TGeoPoint{pos.Lat, pos.Lon};
    w->FHeight = pos.Height;
    w->FType = (t && !t->FDefault) ? t : nullptr;
    Modified();
    return w;
}

IWptWaypointGroup *TDatabase::NewWaypointGroup(void *) {
    if (FHeader.Protected) return nullptr;
    Modified();
    return AddGroup(NewGuid());
}

IWptWaypointGroup *TDatabase::NewWaypointGroupFrom(void *, IWptWaypointGroup *source) {
    auto *src = dynamic_cast<TGroup *>(source);
    if (FHeader.Protected || !src || src->FUngrouped) return nullptr;
    TGroup *g = AddGroup(HasGuid(src->FGuid) ? NewGuid() : src->FGuid);
    g->SetNameText(src->Name());
    g->FVisibleMask = src->FVisibleMask;
    Modified();
    return g;
}

namespace {

// A type's name and look (icons, their origin, the overlay); its fields apart.
void CopyTypeLook(TType *t, TType *src) {
    t->SetNameText(src->Name());
    t->FMain = src->FMain;
    t->FLight = src->FLight;
    t->FSub = src->FSub;
    t->FOriginX = src->FOriginX;
    t->FOriginY = src->FOriginY;
    t->FDrawOverlay = src->FDrawOverlay;
    t->FIconPng = src->FIconPng;
    t->FOverlayPng = src->FOverlayPng;
}

}  // namespace

TType *TDatabase::CopyType(TType *src, bool keepGuid) {
    TType *t = AddType(keepGuid && !HasGuid(src->FGuid) ? src->FGuid : NewGuid());
    CopyTypeLook(t, src);
    for (TField *sf : src->FFields) {
        TField *f = FindIn(FFields, sf->FGuid);
        if (!f || src->FDb == this) {
            f = AddField(src->FDb == this ? NewGuid() : sf->FGuid);
            f->SetNameText(sf->Name());
            for (size_t i = 0; i < 8; ++i)
                f->FLangNames[i].Set(kv::ToQString(*sf->FLangNames[i].Get()));
        }
        t->FFields.push_back(f);
    }
    Modified();
    return t;
}

IWptWaypointType *TDatabase::NewWaypointTypeFrom(void *, IWptWaypointType *source) {
    auto *src = dynamic_cast<TType *>(source);
    if (FHeader.Protected || !src) return nullptr;
    return CopyType(src, true);
}

TRoute *TDatabase::CopyRouteFrom(TRoute *src, bool reversed, bool keepGuid,
                                 const std::function<TWaypoint *(TWaypoint *)> &mapWaypoint) {
    TRoute *r = AddRoute(keepGuid && !HasGuid(src->FGuid) ? src->FGuid : NewGuid());
    r->SetNameText(src->Name());
    r->FGroupName.Set(kv::ToQString(*src->FGroupName.Get()));
    r->FStartTime = src->FStartTime;
    r->FPlanMode = src->FPlanMode;
    r->FSpeedMode = src->FSpeedMode;
    r->FMastMode = src->FMastMode;
    r->FRouteMode = src->FRouteMode;
    r->FKindValue = src->FKindValue;
    r->FWaterBodyMask = src->FWaterBodyMask;
    r->FVector35 = src->FVector35;
    r->FVector37 = src->FVector37;
    r->FVector39 = src->FVector39;
    if (src->FDefaultType && src->FDefaultType->FDb == this) r->FDefaultType = src->FDefaultType;
    const size_t n = src->FPoints.size();
    for (size_t k = 0; k < n; ++k) {
        const TRoutePoint &sp = *src->FPoints[reversed ? n - 1 - k : k];
        TRoutePoint *p = r->AppendPoint(keepGuid ? sp.FGuid : NewGuid());
        p->FPos = sp.FPos;
        p->FRadius = sp.FRadius;
        p->FStay = sp.FStay;
        p->FXTELimit = sp.FXTELimit;
        p->FDirect = sp.FDirect;
        p->FOnNetwork = sp.FOnNetwork;
        p->FSectionGuid = sp.FSectionGuid;
        p->FSectionOffset = sp.FSectionOffset;
        p->SetNameText(const_cast<TRoutePoint &>(sp).Name());
        TWaypoint *w = sp.FWaypoint ? (mapWaypoint ? mapWaypoint(sp.FWaypoint) : sp.FWaypoint)
                                    : nullptr;
        if (w && w->FDb && w->FDb->FManager == FManager) p->AttachWaypoint(w);
        else if (sp.FWaypoint) p->SetNameText(sp.FWaypoint->Name());
    }
    Modified();
    return r;
}

IWptRoute *TDatabase::CopyRoute(IWptRoute *r, bool reversed) {
    auto *src = dynamic_cast<TRoute *>(r);
    if (FHeader.Protected || !src) return nullptr;
    TRoute *copy = CopyRouteFrom(src, reversed, false, nullptr);
    return copy;
}

bool TDatabase::FindWaypointGroupByGUID(const TGUID &guid, int32_t &index) {
    index = -1;
    return FindIn(FGroups, guid, &index) != nullptr;
}

bool TDatabase::FindWaypointTypeByGUID(const TGUID &guid, int32_t &index) {
    index = -1;
    return FindIn(FTypes, guid, &index) != nullptr;
}

void TDatabase::Clear(int32_t &err) {
    err = KvErr::Ok;
    if (FHeader.Protected) {
        err = KvErr::ReadOnly;
        return;
    }
    std::unordered_set<NavObject *> all;
    CollectAll(all);
    ForgetEverywhere(all);
    for (auto &w : FWaypoints) {
        auto points = w->FRoutePoints;
        for (TRoutePoint *p : points) p->ReleaseWaypoint();
    }
    FRoutes.clear();
    FPolygons.clear();
    FWaypoints.clear();
    FGroups.clear();
    FTypes.clear();
    FFields.clear();
    Modified();
}

// ---------------------------------------------------------------------------------------------
// Merge

namespace {

// Asks the kind's callback about one incoming object whose name (or GUID) is taken.
struct TDupAsker {
    DuplicateProc Proc;
    void *Data;
    bool HaveAll = false;
    int32_t AllAction = WptDuplicateAction::AddAsDuplicate;

    // The answer for one incoming object; false on cancel. Without a collision the object
    // is simply added (AddAsDuplicate, nothing chosen) and nobody is asked.
    bool Ask(const std::vector<NavObject *> &existing, NavObject *incoming, int32_t &action,
             NavObject *&chosen) {
        chosen = nullptr;
        action = WptDuplicateAction::AddAsDuplicate;
        if (existing.empty()) return true;
        chosen = existing.front();
        if (!Proc) {
            action = WptDuplicateAction::AddAsDuplicate;
            return true;
        }
        if (HaveAll) {
            action = AllAction;
            return true;
        }
        TObjectList<IWptObjectList> list;
        for (NavObject *o : existing) list.Add(o);
        int32_t selected = 0;
        int32_t act = WptDuplicateAction::KeepExisting;
        bool applyToAll = false, cancel = false;
        Proc(Data, &list, incoming, selected, act, applyToAll, cancel);
        if (cancel) return false;
        if (act < WptDuplicateAction::KeepExisting || act > WptDuplicateAction::AddAsDuplicate)
            act = WptDuplicateAction::KeepExisting;
        if (selected >= 0 && selected < int32_t(existing.size())) chosen = existing[size_t(selected)];
        action = act;
        if (applyToAll) {
            HaveAll = true;
            AllAction = act;
        }
        return true;
    }
};

// Objects of this database that an incoming object collides with: same GUID or same name.
template <class T>
std::vector<NavObject *> Collisions(const std::vector<std::unique_ptr<T>> &mine,
                                    const QMultiHash<QString, T *> &byName, T *incoming) {
    std::vector<NavObject *> out;
    for (T *o : byName.values(incoming->Name().toCaseFolded())) out.push_back(o);
    if (T *same = FindIn(mine, incoming->FGuid))
        if (std::find(out.begin(), out.end(), same) == out.end()) out.push_back(same);
    std::reverse(out.begin(), out.end());  // QMultiHash gives the newest first
    return out;
}

template <class T>
QMultiHash<QString, T *> NameIndex(const std::vector<std::unique_ptr<T>> &v) {
    QMultiHash<QString, T *> h;
    for (auto &o : v) h.insert(o->Name().toCaseFolded(), o.get());
    return h;
}

template <class L, class T>
std::vector<T *> Items(L *list) {
    std::vector<T *> out;
    if (!list) return out;
    for (int32_t i = 0; i < list->GetCount(); ++i)
        if (auto *o = dynamic_cast<T *>(list->GetItem(i))) out.push_back(o);
    return out;
}

void AddTo(IWptObjectList *list, NavObject *obj) {
    if (list) list->Add(obj);
}

// One kind's merge: each incoming object of another database that the kind wants, asked
// about when its name or GUID is taken, is handed to take(source, action, chosen, byName).
// Objects of the database itself are skipped: merging a database into itself would
// duplicate everything. False when the user cancelled.
template <class T, class L, class Wanted, class Take>
bool MergeKind(const TDatabase *db, L *incoming, DuplicateProc proc, void *data,
               const std::vector<std::unique_ptr<T>> &mine, Wanted wanted, Take take) {
    TDupAsker asker{proc, data};
    auto byName = NameIndex(mine);
    for (T *src : Items<L, T>(incoming)) {
        if (!src->FDb || src->FDb == db || !wanted(src)) continue;
        int32_t action;
        NavObject *chosen;
        if (!asker.Ask(Collisions(mine, byName, src), src, action, chosen)) return false;
        take(src, action, chosen, byName);
    }
    return true;
}

}  // namespace

void TDatabase::MergeObjects(IWptWaypointTypeList *types, DuplicateProc typeDup, void *typeData,
                             IWptWaypointList *waypoints, DuplicateProc waypointDup,
                             void *waypointData, IWptWaypointGroupList *groups,
                             DuplicateProc groupDup, void *groupData, IWptPolygonList *polygons,
                             DuplicateProc polygonDup, void *polygonData, IWptRouteList *routes,
                             DuplicateProc routeDup, void *routeData, IWptObjectList *typesAdded,
                             IWptObjectList *waypointsAdded, IWptObjectList *groupsAdded,
                             IWptObjectList *polygonsAdded, IWptObjectList *routesAdded,
                             IWptRouteGUIDChangeList *guidChanges, int32_t &err) {
    err = KvErr::Ok;
    if (FHeader.Protected) {
        err = KvErr::ReadOnly;
        return;
    }
    std::map<TType *, TType *> typeMap;
    std::map<TWaypoint *, TWaypoint *> wptMap;

    auto takeType = [&](TType *src, int32_t action, NavObject *chosen, auto &byName) {
        if (action == WptDuplicateAction::AddAsDuplicate) {
            TType *t = CopyType(src, true);
            byName.insert(t->Name().toCaseFolded(), t);
            typeMap[src] = t;
            AddTo(typesAdded, t);
            return;
        }
        auto *t = static_cast<TType *>(chosen);
        if (action == WptDuplicateAction::Overwrite) {
            CopyTypeLook(t, src);
            Modified();
        }
        typeMap[src] = t;
    };
    auto mapType = [&](TType *src) -> TType * {
        if (!src) return nullptr;
        if (auto it = typeMap.find(src); it != typeMap.end()) return it->second;
        if (TType *same = FindIn(FTypes, src->FGuid)) return same;
        for (auto &t : FTypes)
            if (t->Name().compare(src->Name(), Qt::CaseInsensitive) == 0) return t.get();
        // A type that was not listed comes along with its waypoint.
        TType *t = CopyType(src, true);
        typeMap[src] = t;
        AddTo(typesAdded, t);
        return t;
    };

    auto takeWaypoint = [&](TWaypoint *src, int32_t action, NavObject *chosen, auto &byName) {
        TWaypoint *w = nullptr;
        if (action == WptDuplicateAction::AddAsDuplicate) {
            w = AddWaypoint(HasGuid(src->FGuid) ? NewGuid() : src->FGuid);
            byName.insert(src->Name().toCaseFolded(), w);
            AddTo(waypointsAdded, w);
        } else {
            w = static_cast<TWaypoint *>(chosen);
            wptMap[src] = w;
            if (action == WptDuplicateAction::KeepExisting) return;
        }
        w->SetNameText(src->Name());
        w->FPos = src->FPos;
        for (TRoutePoint *p : w->FRoutePoints) {
            p->FPos.Lat = w->FPos.Lat;
            p->FPos.Lon = w->FPos.Lon;
        }
        w->FHeight = src->FHeight;
        w->FType = mapType(src->FType);
        w->FLink.Set(kv::ToQString(*src->FLink.Get()));
        w->FSubName.Set(kv::ToQString(*src->FSubName.Get()));
        w->SetEntryLinkText(src->EntryLinkText());
        w->FProximity = src->FProximity;
        w->FScale = src->FScale;
        w->FNamePosition = src->FNamePosition;
        w->FTime = src->FTime;
        w->FPrioritised = src->FPrioritised;
        wptMap[src] = w;
        Modified();
    };
    auto mapWaypoint = [&](TWaypoint *src) -> TWaypoint * {
        if (auto it = wptMap.find(src); it != wptMap.end()) return it->second;
        if (src->FDb == this) return src;
        return FindIn(FWaypoints, src->FGuid);  // nil: the point keeps its own position
    };

    auto takeGroup = [&](TGroup *src, int32_t action, NavObject *chosen, auto &byName) {
        TGroup *g = nullptr;
        if (action == WptDuplicateAction::AddAsDuplicate) {
            g = AddGroup(HasGuid(src->FGuid) ? NewGuid() : src->FGuid);
            g->SetNameText(src->Name());
            g->FVisibleMask = src->FVisibleMask;
            byName.insert(src->Name().toCaseFolded(), g);
            AddTo(groupsAdded, g);
        } else {
            g = static_cast<TGroup *>(chosen);
            if (action == WptDuplicateAction::Overwrite) {
                for (TWaypoint *m : g->FMembers) std::erase(m->FGroups, g);
                g->FMembers.clear();
                g->SetNameText(src->Name());
            }
        }
        // Members follow into the group when they were merged (or are already here).
        for (TWaypoint *m : src->FMembers) {
            TWaypoint *w = mapWaypoint(m);
            if (w && std::find(g->FMembers.begin(), g->FMembers.end(), w) == g->FMembers.end()) {
                g->FMembers.push_back(w);
                w->FGroups.push_back(g);
            }
        }
        Modified();
    };

    // Alarm zones: without a callback an incoming zone is added as a duplicate.
    auto takeZone = [&](TPolygon *src, int32_t action, NavObject *chosen, auto &byName) {
        TPolygon *p = nullptr;
        if (action == WptDuplicateAction::AddAsDuplicate) {
            p = AddPolygon(HasGuid(src->FGuid) ? NewGuid() : src->FGuid);
            byName.insert(src->Name().toCaseFolded(), p);
            AddTo(polygonsAdded, p);
        } else if (action == WptDuplicateAction::Overwrite) {
            p = static_cast<TPolygon *>(chosen);
        } else {
            return;
        }
        p->SetNameText(src->Name());
        p->FPoints.clear();
        for (auto &sp : src->FPoints) {
            auto np = std::make_unique<TPolygonPoint>();
            np->Pos = sp->Pos;
            p->FPoints.push_back(std::move(np));
        }
        Modified();
    };

    auto takeRoute = [&](TRoute *src, int32_t action, NavObject *chosen, auto &byName) {
        if (action == WptDuplicateAction::KeepExisting) return;
        TGUID wantGuid = src->FGuid;
        if (action == WptDuplicateAction::Overwrite) {
            // The overwritten route keeps its GUID, so references to it stay valid.
            auto *old = static_cast<TRoute *>(chosen);
            wantGuid = old->FGuid;
            byName.remove(old->Name().toCaseFolded(), old);
            DeleteObject(old);
        }
        TRoute *r = CopyRouteFrom(src, false, false, mapWaypoint);
        if (!HasGuid(wantGuid)) r->FGuid = wantGuid;
        if (r->FGuid == src->FGuid)
            for (size_t i = 0; i < r->FPoints.size(); ++i)
                r->FPoints[i]->FGuid = src->FPoints[i]->FGuid;
        byName.insert(r->Name().toCaseFolded(), r);
        AddTo(routesAdded, r);
        if (!(r->FGuid == src->FGuid)) AddTo(guidChanges, r);
    };

    // Kinds in the order their references need: types before waypoints, waypoints before
    // the groups and routes that use them. A cancel stops the merge there.
    const auto every = [](auto *) { return true; };
    const auto listed = [](TGroup *g) { return !g->FUngrouped; };
    if (!MergeKind(this, types, typeDup, typeData, FTypes, every, takeType) ||
        !MergeKind(this, waypoints, waypointDup, waypointData, FWaypoints, every, takeWaypoint) ||
        !MergeKind(this, groups, groupDup, groupData, FGroups, listed, takeGroup) ||
        !MergeKind(this, polygons, polygonDup, polygonData, FPolygons, every, takeZone) ||
        !MergeKind(this, routes, routeDup, routeData, FRoutes, every, takeRoute))
        err = KvErr::Cancelled;
}

}  // namespace kv::wpt

void WptDatabaseSetIdentifier(IWptDatabase *database, const TStrWRec &identifier) {
    if (auto *db = dynamic_cast<kv::wpt::TDatabase *>(database))
        db->FHeader.Identifier = kv::ToQString(identifier);
}
