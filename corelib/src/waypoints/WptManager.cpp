// The waypoint manager, the waypoint exports and the library-wide route defaults.
#include "waypoints/WptModel.h"

#include "KvLibNav6/KvStrUtils.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace kv::wpt {

namespace {

// Library-wide state of the waypoint family; every call is on the GUI thread.
TWptRouteDefaults GRouteDefaults;
QString GNamePrefix = QStringLiteral("WP");
std::unordered_set<TListBase *> GLists;

// Index over the objects of all databases in one range: the database holding index i and
// the index inside it.
template <class Count>
bool Locate(const std::vector<std::unique_ptr<TDatabase>> &dbs, int32_t i, Count count,
            TDatabase *&db, int32_t &local) {
    if (i < 0) return false;
    for (auto &d : dbs) {
        const int32_t n = count(*d);
        if (i < n) {
            db = d.get();
            local = i;
            return true;
        }
        i -= n;
    }
    return false;
}

}  // namespace

const TWptRouteDefaults &RouteDefaults() {
    return GRouteDefaults;
}

const QString &WaypointNamePrefix() {
    return GNamePrefix;
}

TListBase::TListBase() {
    GLists.insert(this);
}

TListBase::~TListBase() {
    GLists.erase(this);
}

void ForgetEverywhere(const std::unordered_set<NavObject *> &gone) {
    if (gone.empty()) return;
    for (TListBase *l : GLists) l->ForgetAll(gone);
}

TManager::TManager() {
    FDefaultType = std::make_unique<TType>(nullptr, TGUID{});
    FDefaultType->FDefault = true;
    FDefaultType->FProtected = true;
    FDefaultType->SetNameText(QStringLiteral("Default"));
    FUngrouped = std::make_unique<TGroup>(nullptr, TGUID{});
    FUngrouped->FUngrouped = true;
    FUngrouped->FProtected = true;
    FUngrouped->FOwnerManager = this;
    FUngrouped->SetNameText(QStringLiteral("Ungrouped"));
    FFontName.Set(QString());
}

TManager::~TManager() {
    // Unsaved changes reach their files while every database is still whole.
    for (auto &d : FDatabases) d->SaveIfModified();
    // Databases go last-opened first, so links between them are undone in order.
    while (!FDatabases.empty()) FDatabases.pop_back();
    ForgetEverywhere({FDefaultType.get(), FUngrouped.get()});
}

TDatabase *TManager::Adopt(std::unique_ptr<TDatabase> db) {
    FDatabases.push_back(std::move(db));
    // Route points that follow waypoints of other databases find them now.
    QHash<QByteArray, TWaypoint *> byGuid;
    for (auto &d : FDatabases)
        for (auto &w : d->FWaypoints) byGuid.insert(GuidToBytes(w->FGuid), w.get());
    for (auto &d : FDatabases)
        for (auto &r : d->FRoutes)
            for (auto &p : r->FPoints)
                if (!p->FPendingWaypoint.isEmpty())
                    if (TWaypoint *w = byGuid.value(p->FPendingWaypoint)) {
                        const QString name = p->Name();
                        p->AttachWaypoint(w);
                        p->SetNameText(name);
                    }
    return FDatabases.back().get();
}

void TManager::CloseDatabase(TDatabase *db) {
    db->SaveIfModified();
    if (FUserDatabase == db) FUserDatabase = nullptr;
    auto it = std::find_if(FDatabases.begin(), FDatabases.end(),
                           [db](const auto &p) { return p.get() == db; });
    if (it != FDatabases.end()) FDatabases.erase(it);
}

IWptDatabase *TManager::NewDatabase(const TStrWRec &name) {
    auto db = std::make_unique<TDatabase>(this, NewGuid());
    db->FHeader.Name = kv::ToQString(name);
    db->FHeader.Date = QDateTime::currentDateTimeUtc().toMSecsSinceEpoch() / 86400000.0 + 25569.0;
    db->ApplyHeader();
    return Adopt(std::move(db));
}

IWptDatabase *TManager::OpenDatabase(const TStrWRec &file, int64_t position, int32_t &err) {
    err = KvErr::Ok;
    const QString path = kv::ToQString(file);
    if (path.isEmpty()) {
        err = KvErr::InvalidArgument;
        return nullptr;
    }
    QString source = path;
    QString extracted;
    if (position != 0) {
        extracted = path + QStringLiteral(".%1.extract").arg(position);
        err = StoreExtractEmbedded(path, position, extracted);
        if (err != KvErr::Ok) {
            QFile::remove(extracted);
            return nullptr;
        }
        source = extracted;
    }
    auto db = std::make_unique<TDatabase>(this, TGUID{});
    err = StoreLoad(*db, source);
    if (!extracted.isEmpty()) QFile::remove(extracted);
    if (err != KvErr::Ok) return nullptr;
    // The same database twice would give every object two owners.
    if (IndexOfDatabase(db->FHeader.Guid) >= 0) {
        err = KvErr::AlreadyExists;
        return nullptr;
    }
    if (position == 0) db->SetFileName(path);
    db->FModified = false;  // as loaded: nothing to save yet
    return Adopt(std::move(db));
}

IWptDatabase *TManager::OpenDatabaseRecover(const TStrWRec &file, int64_t position,
                                            IStrW *nameInOut, int32_t &backupNotice,
                                            int32_t &err) {
    backupNotice = 0;
    IWptDatabase *db = OpenDatabase(file, position, err);
    if (db) {
        FUserDatabase = static_cast<TDatabase *>(db);
        return db;
    }
    if (err != KvErr::BadFormat && err != KvErr::BadVersion) return nullptr;
    // Damaged (or of a newer version): keep it aside under a new name, never overwrite it.
    const QString path = kv::ToQString(file);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(path, aside)) {
        err = KvErr::WriteFailed;
        return nullptr;
    }
    kv::SetStrW(nameInOut, aside);
    // The state before the last save, when there is one.
    const QString bak = path + QStringLiteral(".bak");
    int32_t bakErr = KvErr::NotFound;
    if (QFileInfo::exists(bak)) {
        const QString bakPath = bak;
        db = OpenDatabase(kv::ToRec(bakPath), 0, bakErr);
    }
    TDatabase *d = nullptr;
    if (db) {
        d = static_cast<TDatabase *>(db);
        backupNotice = 1;
    } else {
        const QString name = QStringLiteral("User Database");
        d = static_cast<TDatabase *>(NewDatabase(kv::ToRec(name)));
    }
    d->SetFileName(path);
    FUserDatabase = d;
    err = KvErr::Ok;
    return d;
}

int32_t TManager::IndexOfDatabase(const TGUID &guid) {
    for (size_t i = 0; i < FDatabases.size(); ++i)
        if (FDatabases[i]->FHeader.Guid == guid) return int32_t(i);
    return -1;
}

IWptDatabase *TManager::GetDatabase(int32_t i) {
    return i >= 0 && i < GetDatabaseCount() ? FDatabases[size_t(i)].get() : nullptr;
}

#define KV_RANGE(Name, Vec)                                                                   \
    int32_t TManager::Get##Name##Count() {                                                    \
        int32_t n = 0;                                                                        \
        for (auto &d : FDatabases) n += int32_t(d->Vec.size());                               \
        return n;                                                                             \
    }

KV_RANGE(WaypointGroup, FGroups)
KV_RANGE(Route, FRoutes)
KV_RANGE(Polygon, FPolygons)
KV_RANGE(Waypoint, FWaypoints)
KV_RANGE(WaypointType, FTypes)
#undef KV_RANGE

IWptWaypointGroup *TManager::GetWaypointGroup(int32_t i) {
    TDatabase *db = nullptr;
    int32_t k = 0;
    if (!Locate(FDatabases, i, [](TDatabase &d) { return int32_t(d.FGroups.size()); }, db, k))
        return nullptr;
    return db->FGroups[size_t(k)].get();
}

IWptPolygon *TManager::GetPolygon(int32_t i) {
    TDatabase *db = nullptr;
    int32_t k = 0;
    if (!Locate(FDatabases, i, [](TDatabase &d) { return int32_t(d.FPolygons.size()); }, db, k))
        return nullptr;
    return db->FPolygons[size_t(k)].get();
}

IWptRoute *TManager::GetRoute(int32_t i) {
    TDatabase *db = nullptr;
    int32_t k = 0;
    if (!Locate(FDatabases, i, [](TDatabase &d) { return int32_t(d.FRoutes.size()); }, db, k))
        return nullptr;
    return db->FRoutes[size_t(k)].get();
}

IWptWaypoint *TManager::GetWaypoint(int32_t i) {
    TDatabase *db = nullptr;
    int32_t k = 0;
    if (!Locate(FDatabases, i, [](TDatabase &d) { return int32_t(d.FWaypoints.size()); }, db, k))
        return nullptr;
    return db->FWaypoints[size_t(k)].get();
}

IWptWaypointType *TManager::GetWaypointType(int32_t i) {
    TDatabase *db = nullptr;
    int32_t k = 0;
    if (!Locate(FDatabases, i, [](TDatabase &d) { return int32_t(d.FTypes.size()); }, db, k))
        return nullptr;
    return db->FTypes[size_t(k)].get();
}

namespace {

template <class T>
bool FindOver(const std::vector<std::unique_ptr<TDatabase>> &dbs,
              std::vector<std::unique_ptr<T>> TDatabase::*member, const TGUID &guid,
              int32_t &index) {
    int32_t base = 0;
    for (auto &d : dbs) {
        const auto &v = (*d).*member;
        for (size_t i = 0; i < v.size(); ++i)
            if (v[i]->FGuid == guid) {
                index = base + int32_t(i);
                return true;
            }
        base += int32_t(v.size());
    }
    index = -1;
    return false;
}

}  // namespace

bool TManager::FindPolygon(const TGUID &guid, int32_t &index) {
    return FindOver(FDatabases, &TDatabase::FPolygons, guid, index);
}

bool TManager::FindRoute(const TGUID &guid, int32_t &index) {
    return FindOver(FDatabases, &TDatabase::FRoutes, guid, index);
}

bool TManager::FindWaypoint(const TGUID &guid, int32_t &index) {
    return FindOver(FDatabases, &TDatabase::FWaypoints, guid, index);
}

bool TManager::HasObject(const TGUID &guid) {
    for (auto &d : FDatabases)
        if (d->HasGuid(guid)) return true;
    // The planner makes the marinas of a plan waypoints outside every database; the panels
    // that show them ask here whether they are known.
    for (auto &d : FDatabases)
        for (auto &r : d->FRoutes)
            if (r->PlanHoldsMarina(guid)) return true;
    return false;
}

bool TManager::HoldsRoute(IWptRoute *route) {
    for (auto &d : FDatabases)
        for (auto &r : d->FRoutes)
            if (r.get() == route) return true;
    return false;
}

void TManager::CollectWaypoints(IWptWaypointList *out, IWptWaypointGroupList *groups, int32_t,
                                int32_t, const void *, int32_t) {
    if (!out || !groups) return;
    std::unordered_set<NavObject *> added;
    for (int32_t i = 0; i < out->GetCount(); ++i) added.insert(out->GetItem(i));
    auto add = [&](TWaypoint *w) {
        if (added.insert(w).second) out->Add(w);
    };
    for (int32_t i = 0; i < groups->GetCount(); ++i) {
        auto *g = dynamic_cast<TGroup *>(groups->GetItem(i));
        if (!g) continue;
        if (g->FUngrouped) {
            for (auto &d : FDatabases)
                for (auto &w : d->FWaypoints)
                    if (w->FGroups.empty()) add(w.get());
        } else {
            for (TWaypoint *w : g->FMembers) add(w);
        }
    }
}

void TManager::SetVisibleGroups(IWptWaypointGroupList *groups, uint32_t) {
    FVisibleGroups.Assign(groups);
}

void TManager::SetVisiblePolygons(IWptPolygonList *polygons, uint32_t) {
    FVisiblePolygons.Assign(polygons);
}

void TManager::SetWaypointList(IWptWaypointList *waypoints, uint32_t) {
    FWaypointList.Assign(waypoints);
}

IWptWaypointGroup *TManager::GetUserGroup() {
    TDatabase *db = FUserDatabase;
    if (!db)
        for (auto &d : FDatabases)
            if (!d->FHeader.Protected) {
                db = d.get();
                break;
            }
    if (!db) return nullptr;
    if (db->FGroups.empty()) {
        TGroup *g = db->AddGroup(NewGuid());
        g->SetNameText(QStringLiteral("My waypoints"));
        db->Modified();
    }
    return db->FGroups.front().get();
}

}  // namespace kv::wpt

using namespace kv::wpt;

// ---------------------------------------------------------------------------------------------
// Exports

IWptManager *WptManagerCreate(IBmp32 *icon, IBmp32 *overlay, int32_t value3, float anchorX,
                              float anchorY, const TStrWRec &fontName, float size1,
                              uint8_t style1, uint32_t colour1, float size2, uint8_t style2,
                              uint32_t colour2, float size3, uint8_t style3, uint32_t colour3,
                              int32_t value16, IWWNetwork *network, bool flag18,
                              WptManagerOption1Proc, void *, WptManagerOption2Proc, void *,
                              int32_t &err) {
    err = KvErr::Ok;
    auto *m = new TManager();
    TWptDisplaySettings &s = m->FDisplay;
    auto copy = [](IBmp32 *source) -> std::unique_ptr<IBmp32> {
        if (!source) return nullptr;
        std::unique_ptr<IBmp32> own(Bmp32Create(0, 0, 0));
        own->Assign(source);
        return own;
    };
    m->FIcon = copy(icon);
    m->FOverlay = copy(overlay);
    s.Icon = m->FIcon.get();
    s.Overlay = m->FOverlay.get();
    s.Value3 = value3;
    s.AnchorX = anchorX;
    s.AnchorY = anchorY;
    s.FontName = *m->FFontName.Set(kv::ToQString(fontName));
    s.MainText = TWptTextStyle{colour1, size1, uint8_t(style1 & WptFontStyle::Mask)};
    s.LightChar = TWptTextStyle{colour2, size2, uint8_t(style2 & WptFontStyle::Mask)};
    s.SubText = TWptTextStyle{colour3, size3, uint8_t(style3 & WptFontStyle::Mask)};
    s.Value16 = value16;
    s.Network = network;
    s.Flag18 = flag18;
    TType *t = m->DefaultType();
    t->FMain = s.MainText;
    t->FLight = s.LightChar;
    t->FSub = s.SubText;
    t->FOriginX = anchorX;
    t->FOriginY = anchorY;
    // Waypoints without a type of their own are drawn with the manager's icon.
    t->FIconPng = BitmapToPng(icon);
    t->FOverlayPng = BitmapToPng(overlay);
    m->SetWaterwayNetwork(network);
    return m;
}

void WptDatabaseReadHeader(const TStrWRec &file, TGUID &guid, IStrW *identifierOut,
                           TDateTime &date, int32_t &formatVersion, int32_t &waypointCount,
                           int32_t &routeCount, int32_t &polygonCount, bool &isProtected,
                           IStrWList *texts, int32_t &err) {
    THeader h;
    err = StoreReadHeader(kv::ToQString(file), h);
    if (err != KvErr::Ok) return;
    guid = h.Guid;
    kv::SetStrW(identifierOut, h.Identifier);
    date = h.Date;
    formatVersion = h.FormatVersion;
    waypointCount = h.WaypointCount;
    routeCount = h.RouteCount;
    polygonCount = h.PolygonCount;
    isProtected = h.Protected;
    kv::ClearStrWList(texts);
    for (const QString &t : h.Texts) kv::AddStrW(texts, t);
}

void GetWaypointNamePrefix(IStrW *out) {
    kv::SetStrW(out, GNamePrefix);
}

void SetWaypointNamePrefix(const TStrWRec &prefix) {
    GNamePrefix = kv::ToQString(prefix).left(MaxNameLength - 10);
}

IWptWaypointList *WptWaypointListCreate(int32_t) {
    return new TObjectList<IWptWaypointList>();
}
IWptWaypointGroupList *WptWaypointGroupListCreate(int32_t) {
    return new TObjectList<IWptWaypointGroupList>();
}
IWptWaypointTypeList *WptWaypointTypeListCreate(int32_t) {
    return new TObjectList<IWptWaypointTypeList>();
}
IWptWaypointFieldList *WptWaypointFieldListCreate(int32_t) {
    return new TObjectList<IWptWaypointFieldList>();
}
IWptPolygonList *WptPolygonListCreate(int32_t) {
    return new TObjectList<IWptPolygonList>();
}
IWptRouteList *WptRouteListCreate(int32_t) {
    return new TObjectList<IWptRouteList>();
}
IWptRouteGUIDChangeList *WptRouteGUIDChangeListCreate(int32_t) {
    return new TObjectList<IWptRouteGUIDChangeList>();
}

void SetWptRouteDefaults(const TWptRouteDefaults &rec) {
    GRouteDefaults = rec;
}

void _GetWptRouteDefaults(TWptRouteDefaults &out) {
    out = GRouteDefaults;
}

