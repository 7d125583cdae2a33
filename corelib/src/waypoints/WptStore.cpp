// Waypoint database files: SQLite of our own schema, loaded and written whole.
//
// Saving writes a complete new file next to the target and renames it over the target, so
// the file on disk is always either the last saved state or the new one. The previous file
// is kept as "<file>.bak" (a hard link, so no extra copy), which recovery can fall back to.
#include "waypoints/WptModel.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace kv::wpt {

namespace {

constexpr char FormatName[] = "KvWptDB";
// 1: first version.
// 2: route points keep their place on the waterway network (net_section, net_offset).
constexpr int32_t FormatVersion = 2;

const char *const Schema = R"SQL(
CREATE TABLE meta(key TEXT PRIMARY KEY, value);
CREATE TABLE texts(ord INTEGER PRIMARY KEY, text TEXT NOT NULL);
CREATE TABLE fields(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL, lang1 TEXT, lang2 TEXT, lang3 TEXT, lang4 TEXT, lang5 TEXT,
  lang6 TEXT, lang7 TEXT, lang8 TEXT);
CREATE TABLE types(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL, main_color INTEGER, main_size REAL, main_style INTEGER,
  light_color INTEGER, light_size REAL, light_style INTEGER, sub_color INTEGER,
  sub_size REAL, sub_style INTEGER, origin_x REAL, origin_y REAL, draw_overlay INTEGER,
  icon BLOB, overlay BLOB);
CREATE TABLE type_fields(type_ord INTEGER NOT NULL, field_ord INTEGER NOT NULL,
  ord INTEGER NOT NULL);
CREATE TABLE groups(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL, visible_mask INTEGER NOT NULL);
CREATE TABLE waypoints(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL, lat REAL NOT NULL, lon REAL NOT NULL, height REAL,
  type_ord INTEGER, sub_name TEXT, link TEXT, entry_link TEXT, proximity REAL, scale REAL,
  name_position INTEGER, time REAL, prioritised INTEGER);
CREATE TABLE group_members(group_ord INTEGER NOT NULL, waypoint_ord INTEGER NOT NULL);
CREATE TABLE routes(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL, group_name TEXT, start_time REAL, plan_mode INTEGER,
  speed_mode INTEGER, mast_mode INTEGER, route_mode INTEGER, kind INTEGER,
  water_bodies INTEGER, vector35 INTEGER, vector37 INTEGER, vector39 INTEGER,
  default_type_ord INTEGER);
CREATE TABLE route_points(route_ord INTEGER NOT NULL, ord INTEGER NOT NULL,
  guid BLOB NOT NULL, name TEXT NOT NULL, protected INTEGER NOT NULL, lat REAL NOT NULL,
  lon REAL NOT NULL, extra REAL, waypoint_guid BLOB, radius REAL, stay_kind INTEGER,
  stay_depart REAL, stay_duration INTEGER, stay_days INTEGER, xte REAL, direct INTEGER,
  net_section BLOB, net_offset REAL, PRIMARY KEY(route_ord, ord));
CREATE TABLE polygons(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL);
CREATE TABLE polygon_points(polygon_ord INTEGER NOT NULL, ord INTEGER NOT NULL,
  lat REAL NOT NULL, lon REAL NOT NULL, PRIMARY KEY(polygon_ord, ord));
)SQL";

// A failed step of reading or writing, carrying the library error to report.
struct TStoreError {
    int32_t Err;
};

int32_t MapSqliteError(int rc, bool writing) {
    switch (rc & 0xFF) {
    case SQLITE_FULL:
        return KvErr::DiskFull;
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_AUTH:
        return KvErr::AccessDenied;
    case SQLITE_CANTOPEN:
        return writing ? KvErr::WriteFailed : KvErr::ReadFailed;
    case SQLITE_IOERR:
        return writing ? KvErr::WriteFailed : KvErr::ReadFailed;
    default:
        return writing ? KvErr::WriteFailed : KvErr::BadFormat;
    }
}

class TDb {
public:
    TDb(const QString &file, int flags, bool writing) : FWriting(writing) {
        const int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &FDb, flags, nullptr);
        if (rc != SQLITE_OK) Throw(rc);
        sqlite3_extended_result_codes(FDb, 1);
    }
    ~TDb() { sqlite3_close_v2(FDb); }
    TDb(const TDb &) = delete;
    TDb &operator=(const TDb &) = delete;

    void Exec(const char *sql) {
        const int rc = sqlite3_exec(FDb, sql, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) Throw(rc);
    }
    [[noreturn]] void Throw(int rc) { throw TStoreError{MapSqliteError(rc, FWriting)}; }
    sqlite3 *Handle() const { return FDb; }
    bool Writing() const { return FWriting; }

private:
    sqlite3 *FDb = nullptr;
    bool FWriting;
};

class TStmt {
public:
    TStmt(TDb &db, const char *sql) : FDb(db) {
        const int rc = sqlite3_prepare_v2(db.Handle(), sql, -1, &FStmt, nullptr);
        if (rc != SQLITE_OK) db.Throw(rc);
    }
    ~TStmt() { sqlite3_finalize(FStmt); }
    TStmt(const TStmt &) = delete;
    TStmt &operator=(const TStmt &) = delete;

    // Binding, 1-based, in the order of the statement's parameters.
    TStmt &Bind(int i, int64_t v) { return Check(sqlite3_bind_int64(FStmt, i, v)); }
    TStmt &Bind(int i, double v) { return Check(sqlite3_bind_double(FStmt, i, v)); }
    TStmt &Bind(int i, const QString &v) {
        const QByteArray utf8 = kv::ToUtf8(v);
        return Check(sqlite3_bind_text(FStmt, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT));
    }
    TStmt &Bind(int i, const QByteArray &v) {
        if (v.isNull()) return Check(sqlite3_bind_null(FStmt, i));
        return Check(sqlite3_bind_blob(FStmt, i, v.constData(), int(v.size()), SQLITE_TRANSIENT));
    }
    TStmt &BindNull(int i) { return Check(sqlite3_bind_null(FStmt, i)); }
    void Run() {
        const int rc = sqlite3_step(FStmt);
        if (rc != SQLITE_DONE) FDb.Throw(rc);
        sqlite3_reset(FStmt);
        sqlite3_clear_bindings(FStmt);
    }
    bool Next() {
        const int rc = sqlite3_step(FStmt);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        FDb.Throw(rc);
    }
    int64_t Int(int col) { return sqlite3_column_int64(FStmt, col); }
    double Real(int col) { return sqlite3_column_double(FStmt, col); }
    bool IsNull(int col) { return sqlite3_column_type(FStmt, col) == SQLITE_NULL; }
    QString Text(int col) {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(FStmt, col));
        return p ? kv::FromUtf8Verbatim(p, sqlite3_column_bytes(FStmt, col)) : QString();
    }
    QByteArray Blob(int col) {
        const void *p = sqlite3_column_blob(FStmt, col);
        const int n = sqlite3_column_bytes(FStmt, col);
        return p ? QByteArray(static_cast<const char *>(p), n) : QByteArray();
    }

private:
    TStmt &Check(int rc) {
        if (rc != SQLITE_OK) FDb.Throw(rc);
        return *this;
    }
    TDb &FDb;
    sqlite3_stmt *FStmt = nullptr;
};

// Damaged content found while reading: the file opened but does not hold what we wrote.
[[noreturn]] void Damaged() {
    throw TStoreError{KvErr::BadFormat};
}

TGUID ReadGuid(TStmt &s, int col) {
    TGUID g;
    if (!GuidFromBytes(s.Blob(col), g)) Damaged();
    return g;
}

double ReadFinite(TStmt &s, int col) {
    const double v = s.Real(col);
    if (!std::isfinite(v)) Damaged();
    return v;
}

TGeoPoint ReadPosition(TStmt &s, int latCol, int lonCol) {
    TGeoPoint p{ReadFinite(s, latCol), ReadFinite(s, lonCol)};
    if (std::fabs(p.Lat) > M_PI / 2 || std::fabs(p.Lon) > M_PI) Damaged();
    return p;
}

float ReadSize(TStmt &s, int col, float fallback) {
    const double v = s.Real(col);
    return std::isfinite(v) && v > 0.0 && v <= 200.0 ? float(v) : fallback;
}

void ReadMeta(TDb &db, THeader &h) {
    QHash<QString, int> seen;
    TStmt s(db, "SELECT key, value FROM meta");
    QString format;
    int64_t version = -1;
    while (s.Next()) {
        const QString key = s.Text(0);
        if (key == QLatin1String("format")) format = s.Text(1);
        else if (key == QLatin1String("version")) version = s.Int(1);
        else if (key == QLatin1String("guid")) h.Guid = ReadGuid(s, 1);
        else if (key == QLatin1String("name")) h.Name = s.Text(1);
        else if (key == QLatin1String("title")) h.Title = s.Text(1);
        else if (key == QLatin1String("identifier")) h.Identifier = s.Text(1);
        else if (key == QLatin1String("date")) h.Date = s.Real(1);
        else if (key == QLatin1String("protected")) h.Protected = s.Int(1) != 0;
        else if (key == QLatin1String("selected")) h.Selected = s.Int(1) != 0;
    }
    if (format != QLatin1String(FormatName) || version < 1) Damaged();
    if (version > FormatVersion) throw TStoreError{KvErr::BadVersion};
    h.FormatVersion = int32_t(version);
    if (!std::isfinite(h.Date)) h.Date = 0.0;
    TStmt t(db, "SELECT text FROM texts ORDER BY ord");
    while (t.Next()) h.Texts << t.Text(0);
}

int32_t Count(TDb &db, const char *sql) {
    TStmt s(db, sql);
    return s.Next() ? int32_t(s.Int(0)) : 0;
}

void WriteAll(TDb &db, TDatabase &d) {
    db.Exec(Schema);
    {
        TStmt s(db, "INSERT INTO meta(key, value) VALUES(?, ?)");
        s.Bind(1, QStringLiteral("format")).Bind(2, QString::fromLatin1(FormatName)).Run();
        s.Bind(1, QStringLiteral("version")).Bind(2, int64_t(FormatVersion)).Run();
        s.Bind(1, QStringLiteral("guid")).Bind(2, GuidToBytes(d.FHeader.Guid)).Run();
        s.Bind(1, QStringLiteral("name")).Bind(2, kv::ToQString(*d.GetName())).Run();
        s.Bind(1, QStringLiteral("title")).Bind(2, d.FHeader.Title).Run();
        s.Bind(1, QStringLiteral("identifier")).Bind(2, d.FHeader.Identifier).Run();
        s.Bind(1, QStringLiteral("date")).Bind(2, d.FHeader.Date).Run();
        s.Bind(1, QStringLiteral("protected")).Bind(2, int64_t(d.FHeader.Protected)).Run();
        s.Bind(1, QStringLiteral("selected")).Bind(2, int64_t(d.FHeader.Selected)).Run();
    }
    {
        TStmt s(db, "INSERT INTO texts(ord, text) VALUES(?, ?)");
        for (int i = 0; i < d.FHeader.Texts.size(); ++i)
            s.Bind(1, int64_t(i)).Bind(2, d.FHeader.Texts[i]).Run();
    }
    QHash<const void *, int64_t> fieldOrd, typeOrd, wptOrd;
    {
        TStmt s(db, "INSERT INTO fields VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (size_t i = 0; i < d.FFields.size(); ++i) {
            TField &f = *d.FFields[i];
            fieldOrd.insert(&f, int64_t(i));
            s.Bind(1, int64_t(i)).Bind(2, GuidToBytes(f.FGuid)).Bind(3, f.Name())
                .Bind(4, int64_t(f.FProtected));
            for (int l = 0; l < 8; ++l) s.Bind(5 + l, kv::ToQString(*f.FLangNames[size_t(l)].Get()));
            s.Run();
        }
    }
    {
        TStmt s(db, "INSERT INTO types VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        TStmt tf(db, "INSERT INTO type_fields VALUES(?, ?, ?)");
        for (size_t i = 0; i < d.FTypes.size(); ++i) {
            TType &t = *d.FTypes[i];
            typeOrd.insert(&t, int64_t(i));
            s.Bind(1, int64_t(i)).Bind(2, GuidToBytes(t.FGuid)).Bind(3, t.Name())
                .Bind(4, int64_t(t.FProtected));
            int col = 5;
            for (const TWptTextStyle *st : {&t.FMain, &t.FLight, &t.FSub}) {
                s.Bind(col, int64_t(st->Color)).Bind(col + 1, double(st->Size))
                    .Bind(col + 2, int64_t(st->Style));
                col += 3;
            }
            s.Bind(14, double(t.FOriginX)).Bind(15, double(t.FOriginY))
                .Bind(16, int64_t(t.FDrawOverlay)).Bind(17, t.FIconPng).Bind(18, t.FOverlayPng).Run();
            for (size_t k = 0; k < t.FFields.size(); ++k)
                tf.Bind(1, int64_t(i)).Bind(2, fieldOrd.value(t.FFields[k], -1))
                    .Bind(3, int64_t(k)).Run();
        }
    }
    {
        TStmt s(db, "INSERT INTO waypoints VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (size_t i = 0; i < d.FWaypoints.size(); ++i) {
            TWaypoint &w = *d.FWaypoints[i];
            wptOrd.insert(&w, int64_t(i));
            s.Bind(1, int64_t(i)).Bind(2, GuidToBytes(w.FGuid)).Bind(3, w.Name())
                .Bind(4, int64_t(w.FProtected)).Bind(5, w.FPos.Lat).Bind(6, w.FPos.Lon)
                .Bind(7, w.FHeight).Bind(8, w.FType ? typeOrd.value(w.FType, -1) : int64_t(-1))
                .Bind(9, kv::ToQString(*w.FSubName.Get())).Bind(10, kv::ToQString(*w.FLink.Get()))
                .Bind(11, w.EntryLinkText()).Bind(12, w.FProximity).Bind(13, double(w.FScale))
                .Bind(14, int64_t(w.FNamePosition)).Bind(15, w.FTime)
                .Bind(16, int64_t(w.FPrioritised)).Run();
        }
    }
    {
        TStmt s(db, "INSERT INTO groups VALUES(?, ?, ?, ?, ?)");
        TStmt m(db, "INSERT INTO group_members VALUES(?, ?)");
        for (size_t i = 0; i < d.FGroups.size(); ++i) {
            TGroup &g = *d.FGroups[i];
            s.Bind(1, int64_t(i)).Bind(2, GuidToBytes(g.FGuid)).Bind(3, g.Name())
                .Bind(4, int64_t(g.FProtected)).Bind(5, int64_t(g.FVisibleMask)).Run();
            for (TWaypoint *w : g.FMembers) m.Bind(1, int64_t(i)).Bind(2, wptOrd.value(w, -1)).Run();
        }
    }
    {
        TStmt s(db, "INSERT INTO routes VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        TStmt p(db, "INSERT INTO route_points VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (size_t i = 0; i < d.FRoutes.size(); ++i) {
            TRoute &r = *d.FRoutes[i];
            s.Bind(1, int64_t(i)).Bind(2, GuidToBytes(r.FGuid)).Bind(3, r.Name())
                .Bind(4, int64_t(r.FProtected)).Bind(5, kv::ToQString(*r.FGroupName.Get()))
                .Bind(6, r.FStartTime).Bind(7, int64_t(r.FPlanMode)).Bind(8, int64_t(r.FSpeedMode))
                .Bind(9, int64_t(r.FMastMode)).Bind(10, int64_t(r.FRouteMode))
                .Bind(11, int64_t(r.FKindValue)).Bind(12, int64_t(r.FWaterBodyMask))
                .Bind(13, int64_t(r.FVector35)).Bind(14, int64_t(r.FVector37))
                .Bind(15, int64_t(r.FVector39))
                .Bind(16, r.FDefaultType ? typeOrd.value(r.FDefaultType, -1) : int64_t(-1)).Run();
            for (size_t k = 0; k < r.FPoints.size(); ++k) {
                TRoutePoint &pt = *r.FPoints[k];
                p.Bind(1, int64_t(i)).Bind(2, int64_t(k)).Bind(3, GuidToBytes(pt.FGuid))
                    .Bind(4, kv::ToQString(*pt.GetName())).Bind(5, int64_t(pt.FProtected))
                    .Bind(6, pt.FPos.Lat).Bind(7, pt.FPos.Lon).Bind(8, pt.FPos.Extra);
                if (pt.FWaypoint) p.Bind(9, GuidToBytes(pt.FWaypoint->FGuid));
                else if (!pt.FPendingWaypoint.isEmpty()) p.Bind(9, pt.FPendingWaypoint);
                else p.BindNull(9);
                p.Bind(10, pt.FRadius).Bind(11, int64_t(pt.FStay.Kind))
                    .Bind(12, pt.FStay.Kind == RouteStayKind::LeaveAtTime ? pt.FStay.DepartTime : 0.0)
                    .Bind(13, int64_t(pt.FStay.Kind == RouteStayKind::StayFor ? pt.FStay.Duration : 0))
                    .Bind(14, int64_t(pt.FStay.Days)).Bind(15, pt.FXTELimit)
                    .Bind(16, int64_t(pt.FDirect));
                if (pt.FOnNetwork) p.Bind(17, GuidToBytes(pt.FSectionGuid)).Bind(18, pt.FSectionOffset);
                else p.BindNull(17).BindNull(18);
                p.Run();
            }
        }
    }
    {
        TStmt s(db, "INSERT INTO polygons VALUES(?, ?, ?, ?)");
        TStmt p(db, "INSERT INTO polygon_points VALUES(?, ?, ?, ?)");
        for (size_t i = 0; i < d.FPolygons.size(); ++i) {
            TPolygon &pg = *d.FPolygons[i];
            s.Bind(1, int64_t(i)).Bind(2, GuidToBytes(pg.FGuid)).Bind(3, pg.Name())
                .Bind(4, int64_t(pg.FProtected)).Run();
            for (size_t k = 0; k < pg.FPoints.size(); ++k)
                p.Bind(1, int64_t(i)).Bind(2, int64_t(k)).Bind(3, pg.FPoints[k]->Pos.Lat)
                    .Bind(4, pg.FPoints[k]->Pos.Lon).Run();
        }
    }
}

template <class T>
T *At(const std::vector<T *> &v, int64_t i) {
    if (i < 0 || i >= int64_t(v.size())) Damaged();
    return v[size_t(i)];
}

void ReadAll(TDb &db, TDatabase &d) {
    ReadMeta(db, d.FHeader);
    d.ApplyHeader();
    std::vector<TField *> fields;
    std::vector<TType *> types;
    std::vector<TWaypoint *> wpts;
    std::vector<TGroup *> groups;
    std::vector<TRoute *> routes;
    std::vector<TPolygon *> polygons;
    {
        TStmt s(db, "SELECT * FROM fields ORDER BY ord");
        while (s.Next()) {
            TField *f = d.AddField(ReadGuid(s, 1));
            f->SetNameText(s.Text(2));
            f->FProtected = s.Int(3) != 0;
            for (int l = 0; l < 8; ++l) f->FLangNames[size_t(l)].Set(s.Text(4 + l));
            fields.push_back(f);
        }
    }
    {
        TStmt s(db, "SELECT * FROM types ORDER BY ord");
        while (s.Next()) {
            TType *t = d.AddType(ReadGuid(s, 1));
            t->SetNameText(s.Text(2));
            t->FProtected = s.Int(3) != 0;
            int col = 4;
            for (TWptTextStyle *st : {&t->FMain, &t->FLight, &t->FSub}) {
                st->Color = uint32_t(s.Int(col));
                st->Size = ReadSize(s, col + 1, 8.0f);
                st->Style = uint8_t(s.Int(col + 2)) & WptFontStyle::Mask;
                col += 3;
            }
            t->FOriginX = float(ReadFinite(s, 13));
            t->FOriginY = float(ReadFinite(s, 14));
            t->FDrawOverlay = s.Int(15) != 0;
            t->FIconPng = s.Blob(16);
            t->FOverlayPng = s.Blob(17);
            types.push_back(t);
        }
        TStmt tf(db, "SELECT type_ord, field_ord FROM type_fields ORDER BY type_ord, ord");
        while (tf.Next()) At(types, tf.Int(0))->FFields.push_back(At(fields, tf.Int(1)));
    }
    {
        TStmt s(db, "SELECT * FROM waypoints ORDER BY ord");
        while (s.Next()) {
            TWaypoint *w = d.AddWaypoint(ReadGuid(s, 1));
            w->SetNameText(s.Text(2));
            w->FProtected = s.Int(3) != 0;
            w->FPos = ReadPosition(s, 4, 5);
            w->FHeight = s.Real(6);
            const int64_t t = s.Int(7);
            w->FType = t < 0 ? nullptr : At(types, t);
            w->FSubName.Set(s.Text(8));
            w->FLink.Set(s.Text(9));
            w->SetEntryLinkText(s.Text(10));
            w->FProximity = std::max(0.0, ReadFinite(s, 11));
            w->FScale = ReadSize(s, 12, 1.0f);
            w->FNamePosition = int32_t(std::clamp<int64_t>(s.Int(13), 0, 8));
            w->FTime = ReadFinite(s, 14);
            w->FPrioritised = s.Int(15) != 0;
            wpts.push_back(w);
        }
    }
    {
        TStmt s(db, "SELECT * FROM groups ORDER BY ord");
        while (s.Next()) {
            TGroup *g = d.AddGroup(ReadGuid(s, 1));
            g->SetNameText(s.Text(2));
            g->FProtected = s.Int(3) != 0;
            g->FVisibleMask = uint32_t(s.Int(4));
            groups.push_back(g);
        }
        TStmt m(db, "SELECT group_ord, waypoint_ord FROM group_members ORDER BY rowid");
        while (m.Next()) {
            TGroup *g = At(groups, m.Int(0));
            TWaypoint *w = At(wpts, m.Int(1));
            g->FMembers.push_back(w);
            w->FGroups.push_back(g);
        }
    }
    QHash<QByteArray, TWaypoint *> wptByGuid;
    for (TWaypoint *w : wpts) wptByGuid.insert(GuidToBytes(w->FGuid), w);
    {
        TStmt s(db, "SELECT * FROM routes ORDER BY ord");
        while (s.Next()) {
            TRoute *r = d.AddRoute(ReadGuid(s, 1));
            r->SetNameText(s.Text(2));
            r->FProtected = s.Int(3) != 0;
            r->FGroupName.Set(s.Text(4));
            r->FStartTime = ReadFinite(s, 5);
            r->FPlanMode = int32_t(s.Int(6));
            r->FSpeedMode = int32_t(std::clamp<int64_t>(s.Int(7), 0, 2));
            r->FMastMode = int32_t(std::clamp<int64_t>(s.Int(8), 0, 2));
            r->FRouteMode = int32_t(s.Int(9));
            r->FKindValue = int32_t(s.Int(10));
            r->FWaterBodyMask = uint32_t(s.Int(11)) & ((1u << WptWaterBody::Count) - 1);
            r->FVector35 = int32_t(s.Int(12));
            r->FVector37 = int32_t(s.Int(13));
            r->FVector39 = int32_t(s.Int(14));
            const int64_t t = s.Int(15);
            r->FDefaultType = t < 0 ? nullptr : At(types, t);
            routes.push_back(r);
        }
        TStmt p(db, "SELECT * FROM route_points ORDER BY route_ord, ord");
        while (p.Next()) {
            TRoute *r = At(routes, p.Int(0));
            if (p.Int(1) != int64_t(r->FPoints.size())) Damaged();
            TRoutePoint *pt = r->AppendPoint(ReadGuid(p, 2));
            pt->SetNameText(p.Text(3));
            pt->FProtected = p.Int(4) != 0;
            const TGeoPoint pos = ReadPosition(p, 5, 6);
            pt->FPos = TRoutePosition{pos.Lat, pos.Lon, p.Real(7)};
            pt->FRadius = std::max(0.0, ReadFinite(p, 9));
            pt->FStay.Kind = int32_t(p.Int(10));
            if (pt->FStay.Kind == RouteStayKind::LeaveAtTime) {
                pt->FStay.DepartTime = ReadFinite(p, 11);
                pt->FStay.Days = int32_t(p.Int(13));
            } else if (pt->FStay.Kind == RouteStayKind::StayFor) {
                pt->FStay.Duration = int32_t(p.Int(12));
            } else {
                pt->FStay.Kind = RouteStayKind::None;
            }
            pt->FXTELimit = std::max(0.0, ReadFinite(p, 14));
            pt->FDirect = p.Int(15) != 0;
            // Files of version 1 have no network place: the planner snaps such points.
            if (d.FHeader.FormatVersion >= 2 && !p.IsNull(16)) {
                pt->FSectionGuid = ReadGuid(p, 16);
                pt->FSectionOffset = ReadFinite(p, 17);
                if (pt->FSectionOffset < 0.0) Damaged();
                pt->FOnNetwork = true;
            }
            if (!p.IsNull(8)) {
                const QByteArray g = p.Blob(8);
                if (g.size() != 16) Damaged();
                // Waypoints of other databases are linked by the manager after loading.
                if (TWaypoint *w = wptByGuid.value(g)) {
                    const QString name = pt->Name();
                    pt->AttachWaypoint(w);
                    pt->SetNameText(name);
                } else {
                    pt->FPendingWaypoint = g;
                }
            }
        }
    }
    {
        TStmt s(db, "SELECT * FROM polygons ORDER BY ord");
        while (s.Next()) {
            TPolygon *pg = d.AddPolygon(ReadGuid(s, 1));
            pg->SetNameText(s.Text(2));
            pg->FProtected = s.Int(3) != 0;
            polygons.push_back(pg);
        }
        TStmt p(db, "SELECT * FROM polygon_points ORDER BY polygon_ord, ord");
        while (p.Next()) {
            auto pp = std::make_unique<TPolygonPoint>();
            pp->Pos = ReadPosition(p, 2, 3);
            At(polygons, p.Int(0))->FPoints.push_back(std::move(pp));
        }
    }
}

void CheckIntegrity(TDb &db) {
    TStmt s(db, "PRAGMA quick_check");
    if (!s.Next() || s.Text(0) != QLatin1String("ok")) Damaged();
}

bool SyncPath(const QByteArray &path, bool directory) {
    const int fd = ::open(path.constData(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

int32_t StoreSave(TDatabase &db, const QString &file) {
    const QString temp = file + QStringLiteral(".saving");
    const QByteArray tempName = QFile::encodeName(temp), fileName = QFile::encodeName(file);
    // A leftover of an interrupted save is stale by definition.
    if (QFileInfo::exists(temp) && !QFile::remove(temp)) return KvErr::WriteFailed;
    try {
        {
            TDb out(temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, true);
            // The file is private until renamed: no journal is needed, but it must reach the
            // disk before the rename publishes it.
            out.Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=FULL; BEGIN");
            WriteAll(out, db);
            out.Exec("COMMIT");
        }
        if (!SyncPath(tempName, false)) throw TStoreError{KvErr::WriteFailed};
    } catch (const TStoreError &e) {
        QFile::remove(temp);
        return e.Err;
    } catch (const std::bad_alloc &) {
        QFile::remove(temp);
        return KvErr::Failed;
    }
    if (QFileInfo::exists(file)) {
        const QByteArray bak = QFile::encodeName(file + QStringLiteral(".bak"));
        ::unlink(bak.constData());
        if (::link(fileName.constData(), bak.constData()) != 0) {
            // File systems without hard links: the backup is a convenience, not a must.
        }
    }
    if (::rename(tempName.constData(), fileName.constData()) != 0) {
        const int e = errno;
        QFile::remove(temp);
        return e == ENOSPC ? KvErr::DiskFull : e == EACCES || e == EPERM ? KvErr::AccessDenied
                                                                        : KvErr::WriteFailed;
    }
    SyncPath(QFile::encodeName(QFileInfo(file).absolutePath()), true);
    return KvErr::Ok;
}

int32_t StoreLoad(TDatabase &db, const QString &file) {
    if (!QFileInfo(file).isFile()) return KvErr::NotFound;
    try {
        TDb in(file, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, false);
        CheckIntegrity(in);
        in.Exec("BEGIN");
        ReadAll(in, db);
        in.Exec("COMMIT");
    } catch (const TStoreError &e) {
        return e.Err;
    } catch (const std::bad_alloc &) {
        return KvErr::BadFormat;
    }
    return KvErr::Ok;
}

int32_t StoreReadHeader(const QString &file, THeader &header) {
    if (!QFileInfo(file).isFile()) return KvErr::NotFound;
    try {
        TDb in(file, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, false);
        in.Exec("BEGIN");
        ReadMeta(in, header);
        header.WaypointCount = Count(in, "SELECT count(*) FROM waypoints");
        header.RouteCount = Count(in, "SELECT count(*) FROM routes");
        header.PolygonCount = Count(in, "SELECT count(*) FROM polygons");
        in.Exec("COMMIT");
    } catch (const TStoreError &e) {
        return e.Err;
    }
    return KvErr::Ok;
}

int32_t StoreExtractEmbedded(const QString &file, int64_t position, const QString &target) {
    QFile in(file);
    if (!in.exists()) return KvErr::NotFound;
    if (!in.open(QIODevice::ReadOnly)) return KvErr::ReadFailed;
    if (position < 0 || position + 100 > in.size() || !in.seek(position)) return KvErr::OutOfRange;
    const QByteArray head = in.read(100);
    if (head.size() != 100 || !head.startsWith(QByteArray("SQLite format 3\0", 16)))
        return KvErr::BadFormat;
    const auto *h = reinterpret_cast<const uint8_t *>(head.constData());
    int64_t pageSize = (h[16] << 8) | h[17];
    if (pageSize == 1) pageSize = 65536;
    const int64_t pages = int64_t(h[28]) << 24 | h[29] << 16 | h[30] << 8 | h[31];
    const int64_t size = pageSize * pages;
    if (pageSize < 512 || pages <= 0 || position + size > in.size()) return KvErr::BadFormat;
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return KvErr::WriteFailed;
    in.seek(position);
    for (int64_t left = size; left > 0;) {
        const QByteArray chunk = in.read(std::min<int64_t>(left, 1 << 20));
        if (chunk.isEmpty()) return KvErr::ReadFailed;
        if (out.write(chunk) != chunk.size()) return KvErr::WriteFailed;
        left -= chunk.size();
    }
    return KvErr::Ok;
}

}  // namespace kv::wpt
