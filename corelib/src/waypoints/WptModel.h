// The in-memory model of waypoint databases. A database is loaded whole from its SQLite
// file and written whole on save (WptStore.cpp), so objects are plain C++ objects owned by
// their database; the file is only touched by open, header read and save.
#pragma once

#include "graphics/Bmp32Impl.h"
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvWaypoints.h"
#include "waypoints/WptLists.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <array>
#include <functional>
#include <unordered_set>
#include <memory>
#include <vector>

namespace kv::plan {
class TRoutePlan;  // PlanObjects.h
}

namespace kv::wpt {

class TDatabase;
class TManager;
class TType;
class TGroup;
class TWaypoint;
class TField;
class TRoute;
class TRoutePoint;
class TPolygon;

// Names longer than this are refused with NameTooLong (UTF-16 units).
inline constexpr int32_t MaxNameLength = 255;
// Icons and overlays larger than this (pixels a side) are not kept.
inline constexpr int MaxIconSide = 4096;

TGUID NewGuid();
bool IsNullGuid(const TGUID &g);
QByteArray GuidToBytes(const TGUID &g);
bool GuidFromBytes(const QByteArray &b, TGUID &g);
QString GuidToText(const TGUID &g);
// A bitmap's pixels as PNG bytes (straight alpha); empty for none or a bitmap beyond
// 4096 pixels a side.
QByteArray BitmapToPng(IBmp32 *bmp);

// Object kinds, used by the store and the merge.
enum class TKind { Type, Field, Group, Waypoint, Route, RoutePoint, Polygon };

// Shared part of every database object; Iface is the public interface it implements.
template <class Iface>
class TWptObject : public Iface {
public:
    TWptObject(TDatabase *db, const TGUID &guid) : FDb(db), FGuid(guid) { FName.Set(QString()); }

    const TGUID *GetGUID() override { return &FGuid; }
    const TStrWRec *GetName() override { return FName.Get(); }
    IWptDatabase *GetDatabase() override;
    void DeleteFromDatabase(int32_t &err) override;
    void SetName(const TStrWRec &name, int32_t &err) override {
        if (!CheckWritable(err)) return;
        if (name.Length > MaxNameLength) {
            err = KvErr::NameTooLong;
            return;
        }
        FName.Set(kv::ToQString(name));
        Touch();
    }
    bool IsProtected() override;

    QString Name() const { return kv::ToQString(*FName.Get()); }
    void SetNameText(const QString &s) { FName.Set(s); }
    // False (err = ReadOnly) on protected objects.
    bool CheckWritable(int32_t &err);
    void Touch();
    virtual TKind Kind() const = 0;

    TDatabase *FDb;
    TGUID FGuid;
    bool FProtected = false;

private:
    kv::TOwnedText FName;
};

class TEntryLink final : public IWptEntryLink {
public:
    const TStrWRec *GetText() override { return FText.Get(); }
    kv::TOwnedText FText;
};

class TField final : public TWptObject<IWptWaypointField> {
public:
    using TWptObject::TWptObject;
    const TStrWRec *GetNameInLanguage(int32_t lang) override {
        if (lang < 1 || lang > 8) return FEmpty.Get();
        return FLangNames[size_t(lang - 1)].Get();
    }
    TKind Kind() const override { return TKind::Field; }
    std::array<kv::TOwnedText, 8> FLangNames;
    kv::TOwnedText FEmpty;
};

class TType final : public TWptObject<IWptWaypointType> {
public:
    using TWptObject::TWptObject;
    float GetMainTextSize() override { return FMain.Size; }
    uint32_t GetMainTextColor() override { return FMain.Color; }
    uint8_t GetMainTextFontStyle() override { return FMain.Style; }
    float GetLightCharSize() override { return FLight.Size; }
    uint32_t GetLightCharColor() override { return FLight.Color; }
    uint8_t GetLightCharFontStyle() override { return FLight.Style; }
    float GetSubtextSize() override { return FSub.Size; }
    uint32_t GetSubtextColor() override { return FSub.Color; }
    uint8_t GetSubtextFontStyle() override { return FSub.Style; }
    void SetMainTextFontStyle(uint8_t style, int32_t &err) override { SetStyle(FMain, style, err); }
    void SetLightCharFontStyle(uint8_t style, int32_t &err) override { SetStyle(FLight, style, err); }
    void SetSubtextFontStyle(uint8_t style, int32_t &err) override { SetStyle(FSub, style, err); }
    void SetMainTextSize(float size, int32_t &err) override { SetSize(FMain, size, err); }
    void SetMainTextColor(uint32_t color, int32_t &err) override { SetColor(FMain, color, err); }
    void SetLightCharSize(float size, int32_t &err) override { SetSize(FLight, size, err); }
    void SetLightCharColor(uint32_t color, int32_t &err) override { SetColor(FLight, color, err); }
    void SetSubtextSize(float size, int32_t &err) override { SetSize(FSub, size, err); }
    void SetSubtextColor(uint32_t color, int32_t &err) override { SetColor(FSub, color, err); }
    // The icon's pixels are kept as PNG bytes (stored and merged with the type); the bitmaps
    // are decoded from them at first use and again after a change. nil for no (or an
    // undecodable) picture.
    IBmp32 *GetSymbol() override;
    IBmp32 *GetIcon() override;
    IBmp32 *GetOverlay() override;
    bool GetDrawOverlay() override { return FDrawOverlay; }
    float GetOriginX() override { return FOriginX; }
    float GetOriginY() override { return FOriginY; }
    void SetIcons(IBmp32 *icon, IBmp32 *overlay, bool drawOverlay, float originX,
                  float originY) override;
    int32_t GetFieldCount() override { return int32_t(FFields.size()); }
    IWptWaypointField *GetField(int32_t i) override {
        if (i < 0 || i >= GetFieldCount()) return nullptr;
        return FFields[size_t(i)];
    }
    bool HasField(IWptWaypointField *field) override;
    void AddField(IWptWaypointField *field, int32_t &err) override;
    void RemoveField(IWptWaypointField *field, int32_t &err) override;
    bool IsDefault() override { return FDefault; }
    TKind Kind() const override { return TKind::Type; }

    TWptTextStyle FMain, FLight, FSub;
    float FOriginX = 0.0f, FOriginY = 0.0f;
    bool FDrawOverlay = false;
    QByteArray FIconPng, FOverlayPng;  // empty = none
    std::vector<TField *> FFields;     // owned by the database
    bool FDefault = false;

private:
    // One bitmap made from the type's PNG bytes. The sources are shallow copies: while the
    // type's bytes are unchanged they share their data, so a changed picture is seen by
    // comparing data pointers without comparing the bytes.
    struct TBitmapCache {
        QByteArray Icon, Overlay;
        bool DrawOverlay = false;
        float OriginX = 0.0f, OriginY = 0.0f;
        std::unique_ptr<kv::TBmp32Impl> Bitmap;
        bool Made = false;
    };
    TBitmapCache FIconCache, FOverlayCache, FSymbolCache;
    void SetStyle(TWptTextStyle &t, uint8_t style, int32_t &err) {
        if (!CheckWritable(err)) return;
        t.Style = style & WptFontStyle::Mask;
        Touch();
    }
    void SetSize(TWptTextStyle &t, float size, int32_t &err);
    void SetColor(TWptTextStyle &t, uint32_t color, int32_t &err) {
        if (!CheckWritable(err)) return;
        t.Color = color;
        Touch();
    }
};

class TGroup final : public TWptObject<IWptWaypointGroup> {
public:
    using TWptObject::TWptObject;
    bool IsVisibleIn(uint32_t chartModules) override {
        return chartModules == 0 ? FVisibleMask != 0 : (FVisibleMask & chartModules) != 0;
    }
    void SetVisible(bool visible, uint32_t groupValue) override;
    int32_t GetWaypointCount() override;
    bool IsUngrouped() override { return FUngrouped; }
    bool IsReadOnly() override { return IsProtected(); }
    void AddWaypoint(IWptWaypoint *waypoint, int32_t &err) override;
    TKind Kind() const override { return TKind::Group; }

    // Bit set of the views the group shows in; all bits = everywhere.
    uint32_t FVisibleMask = 0xFFFFFFFFu;
    bool FUngrouped = false;
    std::vector<TWaypoint *> FMembers;
    TManager *FOwnerManager = nullptr;  // the ungrouped pseudo-group only
};

class TWaypoint final : public TWptObject<IWptWaypoint> {
public:
    using TWptObject::TWptObject;
    bool IsPrioritised() override { return FPrioritised; }
    const TStrWRec *GetLink() override { return FLink.Get(); }
    IWptEntryLink *GetEntryLink() override { return FEntryLink.get(); }
    IWptWaypointType *GetType() override;
    const TGeoPoint *GetPosition() override { return &FPos; }
    double GetProximity() override { return FProximity; }
    float GetScale() override { return FScale; }
    const TStrWRec *GetSubName() override { return FSubName.Get(); }
    NavObject *GetCompareObject() override;
    void SetLink(const TStrWRec &link, int32_t &err) override;
    void SetSubName(const TStrWRec &subName, int32_t &err) override;
    void SetType(IWptWaypointType *type, int32_t &err) override;
    double GetLatitude() override { return FPos.Lat; }
    void SetLatitude(double lat, int32_t &err) override;
    double GetLongitude() override { return FPos.Lon; }
    void SetLongitude(double lon, int32_t &err) override;
    int32_t GetNamePosition() override { return FNamePosition; }
    void SetNamePosition(int32_t position, int32_t &err) override;
    void SetScale(float scale, int32_t &err) override;
    void SetProximity(float radiusM, int32_t &err) override;
    void SetTime(TDateTime time, int32_t &err) override;
    void GetGroups(IWptWaypointGroupList *out) override;
    // The type's symbol (owned by the type).
    IBmp32 *GetIcon() override;
    TKind Kind() const override { return TKind::Waypoint; }

    void SetEntryLinkText(const QString &text);
    QString EntryLinkText() const {
        return FEntryLink ? kv::ToQString(*FEntryLink->GetText()) : QString();
    }

    TGeoPoint FPos;
    double FHeight = 0.0;
    TType *FType = nullptr;  // nil = the manager's default type
    kv::TOwnedText FLink, FSubName;
    std::unique_ptr<TEntryLink> FEntryLink;
    double FProximity = 0.0;
    float FScale = 1.0f;
    int32_t FNamePosition = 0;
    TDateTime FTime = 0.0;
    bool FPrioritised = false;
    std::vector<TGroup *> FGroups;
    std::vector<TRoutePoint *> FRoutePoints;  // points that take their position from here
};

class TRoutePoint final : public TWptObject<IWptRoutePoint> {
public:
    TRoutePoint(TRoute *route, const TGUID &guid);
    ~TRoutePoint() override;
    int32_t GetIndex() override { return FIndex; }
    const TStrWRec *GetDisplayName() override { return GetName(); }
    IWptRoutePoint *GetNext() override;
    IWptPlanPoint *GetPlanPoint() override;
    const TStrWRec *GetName() override;
    const TRoutePosition *GetPosition() override;
    IWptRoute *GetRoute() override;
    IWptWaypoint *GetWaypoint() override { return FWaypoint; }
    void SetName(const TStrWRec &name, int32_t &err) override;
    void ReleaseWaypoint() override;
    IWptRoutePoint *GetPrevious() override;
    bool IsDirect() override { return FDirect; }
    void SetPosition(const TGeoPoint &pos, int32_t &err) override;
    double GetRadius() override { return FRadius; }
    void SetRadius(float radiusM, int32_t &err) override;
    const TRouteStayRec *GetStay() override { return &FStay; }
    void SetStay(const TRouteStayRec &stay, int32_t &err) override;
    double GetXTELimit() override { return FXTELimit; }
    void DeleteFromDatabase(int32_t &err) override;
    bool IsProtected() override;
    TKind Kind() const override { return TKind::RoutePoint; }

    void AttachWaypoint(TWaypoint *wp);

    TRoute *FRoute;
    int32_t FIndex = 0;
    TRoutePosition FPos;
    TWaypoint *FWaypoint = nullptr;
    double FRadius = 100.0;
    TRouteStayRec FStay;
    double FXTELimit = 185.2;  // m: a tenth of a nautical mile either side
    bool FDirect = true;
    // GUID bytes of a waypoint of another database not open (yet); kept so the link
    // survives a save.
    QByteArray FPendingWaypoint;
    // Where the point lies on the waterway network (AddNetworkPoint, AddPointAt). Kept by
    // GUID and offset, not by section, so it survives a new network; without it the planner
    // snaps a network point to the nearest usable section.
    bool FOnNetwork = false;
    TGUID FSectionGuid{};
    double FSectionOffset = 0.0;  // metres from the section's start
};

class TRoute final : public TWptObject<IWptRoute> {
public:
    using TWptObject::TWptObject;
    // The own ship's temporary route along the network: the program ends it when the ship
    // slows down and names it itself.
    bool IsDefaultRoute() override { return FDefaultRoute; }
    void SetDefaultRoute(bool value) { FDefaultRoute = value; }
    bool IsReadOnly() override { return IsProtected(); }
    IWptRoutePoint *AddPointAtPosition(const TRoutePosition &pos, int32_t &err) override;
    IWptRoutePoint *AddNetworkPoint(IWWSection *section, double offset, int32_t reserved,
                                    int32_t &err) override;
    bool IsCalculating() override { return FCalculating; }
    int32_t GetPointCount() override { return int32_t(FPoints.size()); }
    const TStrWRec *GetGroupName() override { return FGroupName.Get(); }
    IWptRoutePoint *GetLastPoint() override {
        return FPoints.empty() ? nullptr : FPoints.back().get();
    }
    int32_t GetMastMode() override { return FMastMode; }
    IRouteChartCoverage *GetChartCoverage() override;
    IWptRoutePoint *GetPoint(int32_t i) override {
        return i >= 0 && i < GetPointCount() ? FPoints[size_t(i)].get() : nullptr;
    }
    int32_t GetVectorOption35() override { return FVector35; }
    int32_t GetKind() override { return FKindValue; }
    int32_t GetVectorOption37() override { return FVector37; }
    int32_t GetVectorOption39() override { return FVector39; }
    void DeletePoint(IWptRoutePoint *point, int32_t &err) override;
    void SetUpdating(int32_t updating) override { FUpdating = updating != 0; }
    void SetGroupName(const TStrWRec &name, int32_t &err) override;
    void SetStartTime(TDateTime utc) override;
    TDateTime GetStartTime() override { return FStartTime; }
    int32_t GetPlanMode() override { return FPlanMode; }
    void SetPlanMode(int32_t mode, int32_t &err) override;
    int32_t GetRouteMode() override { return FRouteMode; }
    IWptRoutePoint *AddPointFromWaypoint(IWptWaypoint *waypoint, int32_t reserved, int32_t flag,
                                         int32_t &err) override;
    IWptRoutePoint *AddPointAt(NavObject *obj, double v1, double v2, int32_t reserved,
                               int32_t &err) override;
    IWptRoutePoint *AddPoint(const TGeoPoint3 &pos, void *reserved1, void *reserved2,
                             int32_t &err) override;
    int32_t GetSpeedMode() override { return FSpeedMode; }
    void SetSpeedMode(int32_t mode, int32_t &err) override;
    uint32_t GetWaterBodyMask() override { return FWaterBodyMask; }
    void SetWaterBodyMask(uint32_t mask, int32_t &err) override;
    bool GetLength(double &metres) override;
    void SetDefaultWaypointType(IWptWaypointType *type, int32_t &err) override;
    IWptRouteSchedule *GetSchedule() override;
    TKind Kind() const override { return TKind::Route; }

    // Appends a point without the read-only check (loading, merging).
    TRoutePoint *AppendPoint(const TGUID &guid);
    void Renumber();
    // Applies the library-wide route defaults to a new route.
    void ApplyDefaults();

    std::vector<std::unique_ptr<TRoutePoint>> FPoints;
    kv::TOwnedText FGroupName;
    TDateTime FStartTime = 0.0;
    int32_t FPlanMode = WptPlanMode::Fastest;
    int32_t FSpeedMode = 0;
    int32_t FMastMode = 0;
    int32_t FRouteMode = 0;
    int32_t FKindValue = 0;
    uint32_t FWaterBodyMask = WptWaterBody::DefaultSet;
    int32_t FVector35 = 1, FVector37 = 1, FVector39 = 0;
    TType *FDefaultType = nullptr;
    bool FUpdating = false;
    bool FCalculating = false;
    // The plan the route planner made; shared so the planner can empty it when the network
    // goes away without owning it. Made on first use, so schedule and coverage always exist.
    kv::plan::TRoutePlan &Plan();
    // A marina waypoint of the route's plan: in no database, yet an object the manager knows.
    bool PlanHoldsMarina(const TGUID &guid) const;
    std::shared_ptr<kv::plan::TRoutePlan> FPlan;

private:
    bool FDefaultRoute = false;
};

class TPolygonPoint final : public NavObject {
public:
    TGeoPoint Pos;
};

class TPolygon final : public TWptObject<IWptPolygon> {
public:
    using TWptObject::TWptObject;
    bool IsComplete() override { return FPoints.size() >= 3; }
    void AddPoint(const TGeoPoint &pos, int32_t &err) override;
    void DeletePoint(NavObject *point, int32_t &err) override;
    TKind Kind() const override { return TKind::Polygon; }

    std::vector<std::unique_ptr<TPolygonPoint>> FPoints;
};

// Header values of a database file (also what WptDatabaseReadHeader reports).
struct THeader {
    TGUID Guid;
    QString Name, Title, Identifier;
    TDateTime Date = 0.0;
    int32_t FormatVersion = 0;
    int32_t WaypointCount = 0, RouteCount = 0, PolygonCount = 0;
    bool Protected = false;
    bool Selected = true;
    QStringList Texts;
};

class TDatabase final : public IWptDatabase {
public:
    TDatabase(TManager *manager, const TGUID &guid);
    ~TDatabase() override;

    IWptRoute *NewRoute(TDateTime departureUtc) override;
    IWptWaypointType *NewType(const TWptTypeDef &def, int32_t &err) override;
    bool FindGroup(const TStrWRec &name, int32_t &index) override;
    bool FindType(const TStrWRec &name, int32_t &index) override;
    const TStrWRec *GetTitle() override { return FTitle.Get(); }
    bool IsSelected() override { return FHeader.Selected; }
    const TStrWRec *GetFileName() override { return FFileName.Get(); }
    IWptWaypointGroup *GetWaypointGroup(int32_t i) override;
    int32_t GetWaypointGroupCount() override { return int32_t(FGroups.size()); }
    const TGUID *GetGUID() override { return &FHeader.Guid; }
    const TStrWRec *GetName() override { return FName.Get(); }
    IWptRoute *GetRoute(int32_t i) override;
    int32_t GetRouteCount() override { return int32_t(FRoutes.size()); }
    TDateTime GetDate() override { return FHeader.Date; }
    void Close() override;
    void GetSaveResult(int32_t &err) override { err = FSaveResult; }
    void SaveToFile(const TStrWRec &file, int32_t &err) override;
    void SetSelected(bool selected) override { FHeader.Selected = selected; }
    int32_t GetWaypointTypeCount() override { return int32_t(FTypes.size()); }
    IWptWaypointType *GetWaypointType(int32_t i) override;
    IWptManager *GetManager() override;
    bool IsProtected() override { return FHeader.Protected; }
    bool IsWritable() override { return !FHeader.Protected; }
    IWptRoute *CopyRoute(IWptRoute *r, bool reversed) override;
    IWptWaypoint *NewWaypoint(void *reserved, const TGeoPoint3 &pos,
                              IWptWaypointType *type) override;
    IWptWaypointGroup *NewWaypointGroup(void *reserved) override;
    IWptWaypointGroup *NewWaypointGroupFrom(void *reserved, IWptWaypointGroup *source) override;
    IWptWaypointType *NewWaypointTypeFrom(void *reserved, IWptWaypointType *source) override;
    bool FindWaypointGroupByGUID(const TGUID &guid, int32_t &index) override;
    bool FindWaypointTypeByGUID(const TGUID &guid, int32_t &index) override;
    void Clear(int32_t &err) override;
    int32_t GetObjectCount() override { return int32_t(FWaypoints.size()); }
    int32_t GetPolygonCount() override { return int32_t(FPolygons.size()); }
    IWptPolygon *GetPolygon(int32_t i) override;
    void MergeObjects(IWptWaypointTypeList *types, DuplicateProc typeDup, void *typeData,
                      IWptWaypointList *waypoints, DuplicateProc waypointDup, void *waypointData,
                      IWptWaypointGroupList *groups, DuplicateProc groupDup, void *groupData,
                      IWptPolygonList *polygons, DuplicateProc polygonDup, void *polygonData,
                      IWptRouteList *routes, DuplicateProc routeDup, void *routeData,
                      IWptObjectList *typesAdded, IWptObjectList *waypointsAdded,
                      IWptObjectList *groupsAdded, IWptObjectList *polygonsAdded,
                      IWptObjectList *routesAdded, IWptRouteGUIDChangeList *guidChanges,
                      int32_t &err) override;

    // Model operations without the read-only checks (loading, merging, deleting).
    TType *AddType(const TGUID &guid);
    TField *AddField(const TGUID &guid);
    TGroup *AddGroup(const TGUID &guid);
    TWaypoint *AddWaypoint(const TGUID &guid);
    TRoute *AddRoute(const TGUID &guid);
    TPolygon *AddPolygon(const TGUID &guid);
    // Removes and releases obj (one of this database's objects); references to it are
    // dropped or redirected.
    void DeleteObject(NavObject *obj);
    // Copies of objects of another database; new GUIDs when the GUID is taken here.
    TType *CopyType(TType *src, bool keepGuid);
    TRoute *CopyRouteFrom(TRoute *src, bool reversed, bool keepGuid,
                          const std::function<TWaypoint *(TWaypoint *)> &mapWaypoint);
    bool HasGuid(const TGUID &g) const;
    void SetFileName(const QString &file) { FFileName.Set(file); }
    void SetNameText(const QString &name) { FName.Set(name); }
    void SetTitleText(const QString &title) { FTitle.Set(title); }
    void ApplyHeader();
    // A change: a database kept in a file (not a read-only one) saves itself shortly
    // after, so nothing the user did is lost when the program ends or is killed.
    void Modified();
    // Saves to the database's own file when something changed since the last save; the
    // result is what GetSaveResult reports.
    void SaveIfModified();
    // Collects every object this database owns (for list clean-up on delete and close).
    void CollectAll(std::unordered_set<NavObject *> &out) const;

    TManager *FManager;
    THeader FHeader;
    std::vector<std::unique_ptr<TType>> FTypes;
    std::vector<std::unique_ptr<TField>> FFields;
    std::vector<std::unique_ptr<TGroup>> FGroups;
    std::vector<std::unique_ptr<TWaypoint>> FWaypoints;
    std::vector<std::unique_ptr<TRoute>> FRoutes;
    std::vector<std::unique_ptr<TPolygon>> FPolygons;
    int32_t FSaveResult = KvErr::Ok;
    bool FModified = false;
    std::unique_ptr<QTimer> FAutoSave;
    // Next number for "<prefix><n>" names of new waypoints; 0 = not looked up yet.
    int64_t FNextNumber = 0;
    QString FNumberPrefix;

private:
    kv::TOwnedText FTitle, FName, FFileName;
};

// The engine of SQLite database files (WptStore.cpp).
int32_t StoreSave(TDatabase &db, const QString &file);
int32_t StoreLoad(TDatabase &db, const QString &file);
int32_t StoreReadHeader(const QString &file, THeader &header);
// Copies a database embedded at a byte offset of a larger file (a backup) into target.
int32_t StoreExtractEmbedded(const QString &file, int64_t position, const QString &target);

class TManager final : public IWptManager {
public:
    TManager();
    ~TManager() override;

    void BeginUpdate(int32_t, int32_t) override { ++FUpdateLevel; }
    void ReleaseNetworkData() override { FNetwork = nullptr; }
    IWptDatabase *NewDatabase(const TStrWRec &name) override;
    void EndUpdate() override {
        if (FUpdateLevel > 0) --FUpdateLevel;
    }
    int32_t IndexOfDatabase(const TGUID &guid) override;
    bool FindPolygon(const TGUID &guid, int32_t &index) override;
    bool FindRoute(const TGUID &guid, int32_t &index) override;
    IWptWaypointGroup *GetWaypointGroup(int32_t i) override;
    int32_t GetWaypointGroupCount() override;
    IWptPolygon *GetPolygon(int32_t i) override;
    IWptRoute *GetRoute(int32_t i) override;
    int32_t GetRouteCount() override;
    const TWptDisplaySettings *GetDisplaySettings() override { return &FDisplay; }
    void CollectWaypoints(IWptWaypointList *out, IWptWaypointGroupList *groups, int32_t reserved1,
                          int32_t reserved2, const void *area, int32_t flag) override;
    bool HoldsRoute(IWptRoute *route) override;
    IWptDatabase *OpenDatabase(const TStrWRec &file, int64_t position, int32_t &err) override;
    IWptDatabase *OpenDatabaseRecover(const TStrWRec &file, int64_t position, IStrW *nameInOut,
                                      int32_t &backupNotice, int32_t &err) override;
    void RelinkNetwork() override {}
    void SetVisibleGroups(IWptWaypointGroupList *groups, uint32_t chartModules) override;
    void SetVisiblePolygons(IWptPolygonList *polygons, uint32_t chartModules) override;
    void SetWaypointList(IWptWaypointList *waypoints, uint32_t chartModules) override;
    void SetWaterwayNetwork(IWWNetwork *network) override { FNetwork = network; }
    void AfterLoad() override {}
    int32_t GetDatabaseCount() override { return int32_t(FDatabases.size()); }
    IWptDatabase *GetDatabase(int32_t i) override;
    int32_t GetWaypointCount() override;
    IWptWaypoint *GetWaypoint(int32_t i) override;
    bool FindWaypoint(const TGUID &guid, int32_t &index) override;
    bool HasObject(const TGUID &guid) override;
    int32_t GetWaypointTypeCount() override;
    IWptWaypointType *GetWaypointType(int32_t i) override;
    int32_t GetPolygonCount() override;
    IWptWaypointType *GetDefaultWaypointType() override { return FDefaultType.get(); }
    IWptWaypointGroup *GetUngroupedGroup() override { return FUngrouped.get(); }
    IWptWaypointGroup *GetUserGroup() override;

    void CloseDatabase(TDatabase *db);
    TType *DefaultType() { return FDefaultType.get(); }

    TWptDisplaySettings FDisplay;
    kv::TOwnedText FFontName;
    // The creator's pictures may go once the manager exists: FDisplay points at these copies.
    std::unique_ptr<IBmp32> FIcon, FOverlay;
    TDatabase *FUserDatabase = nullptr;

private:
    TDatabase *Adopt(std::unique_ptr<TDatabase> db);

    std::vector<std::unique_ptr<TDatabase>> FDatabases;
    std::unique_ptr<TType> FDefaultType;
    std::unique_ptr<TGroup> FUngrouped;
    TObjectList<IWptWaypointGroupList> FVisibleGroups;
    TObjectList<IWptPolygonList> FVisiblePolygons;
    TObjectList<IWptWaypointList> FWaypointList;
    IWWNetwork *FNetwork = nullptr;
    int32_t FUpdateLevel = 0;
};

// Library-wide settings (WptManager.cpp).
const TWptRouteDefaults &RouteDefaults();
const QString &WaypointNamePrefix();

template <class Iface>
IWptDatabase *TWptObject<Iface>::GetDatabase() {
    return FDb;
}

template <class Iface>
bool TWptObject<Iface>::IsProtected() {
    return FProtected || (FDb && FDb->FHeader.Protected);
}

template <class Iface>
bool TWptObject<Iface>::CheckWritable(int32_t &err) {
    if (IsProtected()) {
        err = KvErr::ReadOnly;
        return false;
    }
    err = KvErr::Ok;
    return true;
}

template <class Iface>
void TWptObject<Iface>::Touch() {
    if (FDb) FDb->Modified();
}

template <class Iface>
void TWptObject<Iface>::DeleteFromDatabase(int32_t &err) {
    if (!FDb) {  // the manager's default type and pseudo-group
        err = KvErr::ReadOnly;
        return;
    }
    if (!CheckWritable(err)) return;
    FDb->DeleteObject(this);  // releases this object
}

}  // namespace kv::wpt
