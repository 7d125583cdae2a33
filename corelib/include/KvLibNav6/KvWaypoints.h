// Waypoint manager, waypoint databases and their objects: waypoints, groups, types, fields,
// routes, route points and alarm zones, the reference lists that carry them, and the
// library-wide route defaults.
//
// Databases are SQLite files of the library's own schema ("Waypoints.db" in the data folder,
// add-on databases of chart products, in-memory scratch databases for imports). Every object
// of a database belongs to it and stays valid until it is deleted from it or the database is
// closed. All calls happen on the GUI thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "KvCallbacks.h"
#include "KvErrorCodes.h"
#include "KvStrW.h"
#include "KvTypes.h"

class IBmp32;
class IChartManager;
class IWWNetwork;
class IWWSection;
class IWptPlanPoint;
class IWptRouteSchedule;
class IRouteChartCoverage;

class IWptManager;
class IWptDatabase;
class IWptObject;
class IWptWaypoint;
class IWptWaypointGroup;
class IWptWaypointType;
class IWptWaypointField;
class IWptRoute;
class IWptRoutePoint;
class IWptPolygon;
class IWptEntryLink;
class IWptObjectList;
class IWptWaypointList;
class IWptWaypointGroupList;
class IWptWaypointTypeList;
class IWptWaypointFieldList;
class IWptPolygonList;
class IWptRouteList;
class IWptRouteGUIDChangeList;

// ---------------------------------------------------------------------------------------------
// Records

// One label text group: colour in the library's BGRA order, size in points, font style in the
// low four bits (see WptFontStyle).
struct TWptTextStyle {
    uint32_t Color = 0xFF000000u;
    float Size = 8.0f;
    uint8_t Style = 0;
};

namespace WptFontStyle {
inline constexpr uint8_t Bold = 1;
inline constexpr uint8_t Italic = 2;
inline constexpr uint8_t Underline = 4;
inline constexpr uint8_t StrikeOut = 8;
inline constexpr uint8_t Mask = 0x0F;
}  // namespace WptFontStyle

// The values a manager was created with (WptManagerCreate, in that order), so that a second
// manager can be made to look the same. Owned by the manager; FontName stays valid as long
// as the manager lives. Icon and Overlay remain the manager's.
struct TWptDisplaySettings {
    IBmp32 *Icon = nullptr;
    IBmp32 *Overlay = nullptr;
    int32_t Value3 = 0;             // third creation argument, 0 from the environment
    float AnchorX = 0.0f;           // icon pixels: width / 2 - 0.5
    float AnchorY = 0.0f;           // icon pixels: height / 2 - 0.5
    TStrWRec FontName;              // "Tahoma" from the environment
    TWptTextStyle MainText;
    TWptTextStyle LightChar;
    TWptTextStyle SubText;
    int32_t Value16 = 5;            // sixteenth creation argument, 5 from the environment
    IWWNetwork *Network = nullptr;  // not owned; may be nil
    bool Flag18 = false;            // eighteenth creation argument, False from the environment
};

// Parameters of a new waypoint type (IWptDatabase::NewType). The bitmaps stay the caller's;
// the type keeps copies.
struct TWptTypeDef {
    IBmp32 *Icon = nullptr;
    IBmp32 *Overlay = nullptr;
    bool DrawOverlay = false;
    float OriginX = 0.0f;  // icon pixels of the anchor; width / 2 - 0.5 centres the icon
    float OriginY = 0.0f;
    TWptTextStyle MainText;
    TWptTextStyle LightChar;
    TWptTextStyle SubText;
};

// Position of a route point: latitude and longitude in radians, plus a third value the
// library defines (0 for a point built from a plain position).
struct TRoutePosition {
    double Lat = 0.0;
    double Lon = 0.0;
    double Extra = 0.0;
};
static_assert(sizeof(TRoutePosition) == 24);

namespace RouteStayKind {
inline constexpr int32_t None = 0;
inline constexpr int32_t LeaveAtTime = 1;  // DepartTime and Days apply
inline constexpr int32_t StayFor = 2;      // Duration applies
}  // namespace RouteStayKind

// A route point's stay, owned by the route point. Exchanged as a fixed 24-byte layout.
struct TRouteStayRec {
    int32_t Kind = RouteStayKind::None;
    int32_t Reserved4 = 0;
    union {
        double DepartTime = 0.0;  // LeaveAtTime: UTC time of day as a fraction of a day, [0, 1)
        int32_t Duration;         // StayFor: seconds
    };
    int32_t Days = 0;  // LeaveAtTime: whole days to wait before DepartTime
    int32_t Reserved20 = 0;
};
static_assert(sizeof(TRouteStayRec) == 24);
static_assert(offsetof(TRouteStayRec, Days) == 16);

// Water bodies the planner may use: bit n of TWptRouteDefaults::WaterBodies and of a route's
// water-body mask stands for body n.
namespace WptWaterBody {
inline constexpr int32_t NorthSea = 0;
inline constexpr int32_t WaddenSea = 1;
inline constexpr int32_t IJsselmeerAndMarkermeer = 2;
inline constexpr int32_t InlandNetherlands = 3;
inline constexpr int32_t InlandBelgiumAndLuxemburg = 4;
inline constexpr int32_t InlandGermany = 5;
inline constexpr int32_t InlandFrance = 6;
inline constexpr int32_t InlandGreatBritain = 7;
inline constexpr int32_t BalticSea = 8;
inline constexpr int32_t InlandDanmark = 9;
inline constexpr int32_t InlandSweden = 10;
inline constexpr int32_t Donau = 11;
inline constexpr int32_t USEastCoast = 12;
inline constexpr int32_t USWestCoast = 13;
inline constexpr int32_t USGreatLakes = 14;
inline constexpr int32_t USFlorida = 15;
inline constexpr int32_t USMississippi = 16;
inline constexpr int32_t Count = 17;
// Wadden Sea, IJsselmeer, the Dutch, Belgian, German and French inland waters, Denmark,
// Sweden and the Danube.
inline constexpr uint32_t DefaultSet = 0x00000E7Eu;
}  // namespace WptWaterBody

// Route planning modes (IWptRoute::GetPlanMode, TWptRouteDefaults::PlannerMode).
namespace WptPlanMode {
inline constexpr int32_t Fastest = 0;
inline constexpr int32_t Shortest = 1;
inline constexpr int32_t Economic = 2;
inline constexpr int32_t Cheapest = 3;
inline constexpr int32_t ShortestIgnoringBlockades = 4;
inline constexpr int32_t Tourist = 6;
inline constexpr int32_t NewRoute = 8;
}  // namespace WptPlanMode

// Defaults the library applies to every new route and route point. Exchanged with the library
// unchanged as a fixed 104-byte little-endian record; Booleans are one byte (0 or 1), lengths
// in metres. The initialisers are the values used when nothing was stored.
struct TWptRouteDefaults {
    bool CalcDryingOut = false;        // permit drying out when planning
    bool DepthDependentSpeed = false;
    uint8_t Pad2[2] = {};
    float DepthTolerance = 0.2f;       // m
    int32_t MastMode = 0;              // 0 stepped, 1 unstepped, 2 lowered at bridges
    int32_t MotoringSpeed = 0;         // 0 cruising, 1 low, 2 high
    int32_t PlannerMode = WptPlanMode::Fastest;
    float RiverCurrentFactor = 1.0f;   // 1.0 = currents as they are
    int32_t SectionInfoDistance = 300; // whole metres ahead for waterway information
    int32_t SrcCurrent = 0;            // data source for currents
    int32_t Reserved32 = 0;
    int32_t SrcTideHeight = 0;         // data source for tide heights
    int32_t Reserved40 = 0;
    int32_t SrcWind = 0;               // data source for wind
    bool Reserved48 = false;
    uint8_t Pad49[3] = {};
    uint32_t WaterBodies = WptWaterBody::DefaultSet;  // bit n = water body n may be used
    float WindSurge = 0.0f;            // m
    bool XTEAlarm = false;             // cross-track alarm on new route points
    uint8_t Pad61[3] = {};
    float PointManualCurrentL = 0.0f;
    float PointManualCurrentA = 0.0f;
    float PointManualDepthLAT = 0.0f;  // m below LAT
    float PointManualDepthNAP = 0.0f;  // m below NAP
    float PointManualWindL = 0.0f;
    float PointManualWindA = 0.0f;
    bool PointOpenLegOptimization = false;
    uint8_t Pad89[3] = {};
    float PointRadius = 100.0f;        // m: a route point counts as reached within it
    int32_t PointTravelMode = 0;       // 0, 1 or 2
    bool PointBiSector = false;        // switch to the next point at the bisector
    uint8_t Pad101[3] = {};
};
static_assert(sizeof(TWptRouteDefaults) == 104);
static_assert(offsetof(TWptRouteDefaults, DepthTolerance) == 4);
static_assert(offsetof(TWptRouteDefaults, SrcWind) == 44);
static_assert(offsetof(TWptRouteDefaults, WaterBodies) == 52);
static_assert(offsetof(TWptRouteDefaults, XTEAlarm) == 60);
static_assert(offsetof(TWptRouteDefaults, PointManualCurrentL) == 64);
static_assert(offsetof(TWptRouteDefaults, PointOpenLegOptimization) == 88);
static_assert(offsetof(TWptRouteDefaults, PointRadius) == 92);
static_assert(offsetof(TWptRouteDefaults, PointBiSector) == 100);

// Answers of a duplicate callback of IWptDatabase::MergeObjects (its "action" out).
namespace WptDuplicateAction {
inline constexpr int32_t KeepExisting = 0;
inline constexpr int32_t Overwrite = 1;
inline constexpr int32_t AddAsDuplicate = 2;
}  // namespace WptDuplicateAction

// ---------------------------------------------------------------------------------------------
// Callbacks of WptManagerCreate. Both run on the GUI thread; their answers are fixed by the
// program, the meaning of the values is the library's own.

// Given eleven values by reference; the program clears the 2nd, 6th, 7th, 8th and 11th, the
// 3rd when it is 3 and the 4th when it is 2 or 3.
using WptManagerOption1Proc = void (*)(void *data, int32_t &v1, int32_t &v2, int32_t &v3,
                                       int32_t &v4, int32_t &v5, int32_t &v6, int32_t &v7,
                                       int32_t &v8, int32_t &v9, int32_t &v10, int32_t &v11);
// The program answers zero, zero positions, null GUIDs, False and a factor of 1.0.
using WptManagerOption2Proc = void (*)(void *data, int32_t &value, TGeoPoint &position1,
                                       TGeoPoint &position2, TGUID &guid1, TGUID &guid2,
                                       bool &flag, float &factor);

// ---------------------------------------------------------------------------------------------
// Objects

// Owns every open waypoint database and, through them, all routes. From WptManagerCreate;
// owned by the caller (the environment's manager, or a second one of the import wizards that
// takes its databases with it when deleted).
class KVLIB_API IWptManager : public NavObject {
public:
    // Brackets bulk changes; notifications wait until the matching EndUpdate. (0, 0) or (1, 0).
    virtual void BeginUpdate(int32_t a, int32_t b) = 0;                             // slot 2
    // Drops everything that refers to the waterway network before the network is released.
    virtual void ReleaseNetworkData() = 0;                                          // slot 3
    // A new empty in-memory database, owned by the manager.
    virtual IWptDatabase *NewDatabase(const TStrWRec &name) = 0;                    // slot 5
    virtual void EndUpdate() = 0;                                                   // slot 8
    // Index of the open database with that GUID, -1 when none.
    virtual int32_t IndexOfDatabase(const TGUID &guid) = 0;                         // slot 9
    // Index over the polygons of all databases.
    virtual bool FindPolygon(const TGUID &guid, int32_t &index) = 0;                // slot 11
    // Index over the routes of all databases.
    virtual bool FindRoute(const TGUID &guid, int32_t &index) = 0;                  // slot 12
    // Groups of all databases in one index range.
    virtual IWptWaypointGroup *GetWaypointGroup(int32_t i) = 0;                     // slot 21
    virtual int32_t GetWaypointGroupCount() = 0;                                    // slot 22
    virtual IWptPolygon *GetPolygon(int32_t i) = 0;                                 // slot 26
    virtual IWptRoute *GetRoute(int32_t i) = 0;                                     // slot 29
    virtual int32_t GetRouteCount() = 0;                                            // slot 30
    // The creation values; owned by the manager.
    virtual const TWptDisplaySettings *GetDisplaySettings() = 0;                    // slot 34
    // Adds to out the waypoints of the listed groups (the ungrouped pseudo-group selects the
    // waypoints without a group). area: nil for everywhere. flag: 1 from the environment,
    // 0 from the selection pages.
    virtual void CollectWaypoints(IWptWaypointList *out, IWptWaypointGroupList *groups,
                                  int32_t reserved1, int32_t reserved2, const void *area,
                                  int32_t flag) = 0;                 // slot 38 (assumed) ≡ FillWaypointList
    virtual bool HoldsRoute(IWptRoute *route) = 0;                                  // slot 40
    // position: 0 for a plain file, else the byte offset of the database inside a backup.
    // The database is owned by the manager.
    virtual IWptDatabase *OpenDatabase(const TStrWRec &file, int64_t position,
                                       int32_t &err) = 0;                           // slot 41
    // As OpenDatabase, for the user database: a damaged file is renamed aside (the new name
    // comes back in nameInOut) and a stored backup may be loaded instead (backupNotice != 0).
    // err = NotFound when there is no file.
    virtual IWptDatabase *OpenDatabaseRecover(const TStrWRec &file, int64_t position,
                                              IStrW *nameInOut, int32_t &backupNotice,
                                              int32_t &err) = 0;                    // slot 42
    // Re-attaches network points after a new network was handed over.
    virtual void RelinkNetwork() = 0;                                               // slot 45
    // Visibility lists; chartModules = the modules of the installed charts (bit set).
    virtual void SetVisibleGroups(IWptWaypointGroupList *groups,
                                  uint32_t chartModules) = 0;                       // slot 49
    virtual void SetVisiblePolygons(IWptPolygonList *polygons,
                                    uint32_t chartModules) = 0;                     // slot 50
    virtual void SetWaypointList(IWptWaypointList *waypoints,
                                 uint32_t chartModules) = 0;                        // slot 52
    // Not owned; nil detaches.
    virtual void SetWaterwayNetwork(IWWNetwork *network) = 0;                       // slot 53
    // After databases were loaded or reloaded.
    virtual void AfterLoad() = 0;                                                   // slot 54

    virtual int32_t GetDatabaseCount() = 0;                                         // slot —
    virtual IWptDatabase *GetDatabase(int32_t i) = 0;                               // slot —
    // Waypoints of all databases in one index range.
    virtual int32_t GetWaypointCount() = 0;                                         // slot —
    virtual IWptWaypoint *GetWaypoint(int32_t i) = 0;                               // slot —
    virtual bool FindWaypoint(const TGUID &guid, int32_t &index) = 0;               // slot —
    // Whether any open database still holds an object with that GUID, or a plan of its
    // routes a marina waypoint with it.
    virtual bool HasObject(const TGUID &guid) = 0;                                  // slot —
    virtual int32_t GetWaypointTypeCount() = 0;                                     // slot —
    virtual IWptWaypointType *GetWaypointType(int32_t i) = 0;                       // slot —
    virtual int32_t GetPolygonCount() = 0;                                          // slot —
    // Belongs to the manager and to no database; its IsDefault is True.
    virtual IWptWaypointType *GetDefaultWaypointType() = 0;                         // slot —
    // Pseudo-group standing for the waypoints without a group; IsUngrouped is True.
    virtual IWptWaypointGroup *GetUngroupedGroup() = 0;                             // slot —
    // The user's own waypoint group (made visible after a new waypoint).
    virtual IWptWaypointGroup *GetUserGroup() = 0;                                  // slot —
};

// One waypoint database. From IWptManager::NewDatabase, OpenDatabase, OpenDatabaseRecover;
// owned by the manager, never released with ObjectDelete: Close ends it.
class KVLIB_API IWptDatabase : public NavObject {
public:
    // New route in this database (owned by it); departureUtc is its start time.
    virtual IWptRoute *NewRoute(TDateTime departureUtc) = 0;                        // slot 7
    // New waypoint type in this database (owned by it); nil on error.
    virtual IWptWaypointType *NewType(const TWptTypeDef &def, int32_t &err) = 0;    // slot 9
    // Group index by name (case-insensitive).
    virtual bool FindGroup(const TStrWRec &name, int32_t &index) = 0;               // slot 15
    // Type index by name (case-insensitive).
    virtual bool FindType(const TStrWRec &name, int32_t &index) = 0;                // slot 21
    virtual const TStrWRec *GetTitle() = 0;                                         // slot 25
    // Whether the database is switched on (add-on databases of chart products).
    virtual bool IsSelected() = 0;                                                  // slot 26
    virtual const TStrWRec *GetFileName() = 0;                                      // slot 29
    virtual IWptWaypointGroup *GetWaypointGroup(int32_t i) = 0;                     // slot 30
    virtual int32_t GetWaypointGroupCount() = 0;                                    // slot 31
    virtual const TGUID *GetGUID() = 0;                                     // slot 32 (assumed)
    // "<product code>_<name>" for databases of chart products.
    virtual const TStrWRec *GetName() = 0;                                          // slot 33
    virtual IWptRoute *GetRoute(int32_t i) = 0;                                     // slot 40
    virtual int32_t GetRouteCount() = 0;                                            // slot 41
    // Date of the data (UTC); a newer file replaces an open database.
    virtual TDateTime GetDate() = 0;                                                // slot 42
    // Closes the database and removes it from its manager; the object is gone afterwards.
    virtual void Close() = 0;                                                       // slot 51
    // The error of the last automatic save (0 = none).
    virtual void GetSaveResult(int32_t &err) = 0;                                   // slot 53
    virtual void SaveToFile(const TStrWRec &file, int32_t &err) = 0;                // slot 54
    virtual void SetSelected(bool selected) = 0;                                    // slot 55

    virtual int32_t GetWaypointTypeCount() = 0;                     // slot — ≡ GetTypeCount
    virtual IWptWaypointType *GetWaypointType(int32_t i) = 0;       // slot — ≡ GetType
    virtual IWptManager *GetManager() = 0;                                          // slot —
    virtual bool IsProtected() = 0;                                                 // slot —
    // False for read-only databases (chart products, protected files).
    virtual bool IsWritable() = 0;                                                  // slot —
    // New route in this database (owned by it) copied from r, its points reversed on request.
    virtual IWptRoute *CopyRoute(IWptRoute *r, bool reversed) = 0;                  // slot —
    // New waypoint (owned by the database); reserved is nil.
    virtual IWptWaypoint *NewWaypoint(void *reserved, const TGeoPoint3 &pos,
                                      IWptWaypointType *type) = 0;                  // slot —
    virtual IWptWaypointGroup *NewWaypointGroup(void *reserved) = 0;                // slot —
    // New objects of this database copied from objects of another one: name, attributes and,
    // for a type, its icons.
    virtual IWptWaypointGroup *NewWaypointGroupFrom(void *reserved,
                                                    IWptWaypointGroup *source) = 0; // slot —
    virtual IWptWaypointType *NewWaypointTypeFrom(void *reserved,
                                                  IWptWaypointType *source) = 0;    // slot —
    virtual bool FindWaypointGroupByGUID(const TGUID &guid, int32_t &index) = 0;    // slot —
    virtual bool FindWaypointTypeByGUID(const TGUID &guid, int32_t &index) = 0;     // slot —
    // Removes every object.
    virtual void Clear(int32_t &err) = 0;                                           // slot —
    // Number of waypoints.
    virtual int32_t GetObjectCount() = 0;                                           // slot —
    virtual int32_t GetPolygonCount() = 0;                                          // slot —
    virtual IWptPolygon *GetPolygon(int32_t i) = 0;                                 // slot —
    // Copies the listed objects of another database into this one: types first, then
    // waypoints, groups, polygons, routes; references are redirected to the objects kept.
    // For each object whose name is taken the kind's callback is asked (a nil polygon
    // callback adds polygons as duplicates; see WptDuplicateAction). Every list may be nil;
    // the "added" lists receive what was added, guidChanges the route GUIDs that changed.
    // A callback's cancel stops with err = Cancelled, keeping what was merged before.
    virtual void MergeObjects(IWptWaypointTypeList *types, DuplicateProc typeDup, void *typeData,
                              IWptWaypointList *waypoints, DuplicateProc waypointDup,
                              void *waypointData, IWptWaypointGroupList *groups,
                              DuplicateProc groupDup, void *groupData,
                              IWptPolygonList *polygons, DuplicateProc polygonDup,
                              void *polygonData, IWptRouteList *routes, DuplicateProc routeDup,
                              void *routeData, IWptObjectList *typesAdded,
                              IWptObjectList *waypointsAdded, IWptObjectList *groupsAdded,
                              IWptObjectList *polygonsAdded, IWptObjectList *routesAdded,
                              IWptRouteGUIDChangeList *guidChanges, int32_t &err) = 0;  // slot —
};

// Base of every object of a waypoint database. Owned by its database (the default type by
// the manager); setters answer ReadOnly on protected objects.
class KVLIB_API IWptObject : public NavObject {
public:
    virtual const TGUID *GetGUID() = 0;                                             // slot 3
    virtual const TStrWRec *GetName() = 0;                                          // slot 4
    virtual IWptDatabase *GetDatabase() = 0;                                        // slot 9
    // Removes the object from its database and releases it.
    virtual void DeleteFromDatabase(int32_t &err) = 0;              // slot 13 (assumed) ≡ Delete
    // err: NameTooLong, ReadOnly.
    virtual void SetName(const TStrWRec &name, int32_t &err) = 0;                   // slot 14
    virtual bool IsProtected() = 0;                                                 // slot —
};

// Where a waypoint links to an entry of another database ("wwstruct…", add-on entries).
// From IWptWaypoint::GetEntryLink; owned by the waypoint.
class KVLIB_API IWptEntryLink : public NavObject {
public:
    virtual const TStrWRec *GetText() = 0;                                          // slot 2
};

class KVLIB_API IWptWaypoint : public IWptObject {
public:
    // Prioritised waypoints sort first in the environment's waypoint list.
    virtual bool IsPrioritised() = 0;                                               // slot 5
    virtual const TStrWRec *GetLink() = 0;                                          // slot 26
    // Nil when the waypoint links to no database entry.
    virtual IWptEntryLink *GetEntryLink() = 0;                                      // slot 31
    virtual IWptWaypointType *GetType() = 0;              // slot 33 (assumed) ≡ GetWaypointType
    // Radians; owned by the waypoint.
    virtual const TGeoPoint *GetPosition() = 0;                                     // slot 34
    // Metres, 0 = none.
    virtual double GetProximity() = 0;                 // slot 36 (assumed) ≡ GetProximityRadius
    // Display scale; also orders the environment's waypoint list.
    virtual float GetScale() = 0;                                           // slot 39 (assumed)
    virtual const TStrWRec *GetSubName() = 0;                                       // slot 41
    // Opaque object compared by WaypointListDifferences (bit 32).
    virtual NavObject *GetCompareObject() = 0;                                      // slot 42
    virtual void SetLink(const TStrWRec &link, int32_t &err) = 0;                   // slot 49
    virtual void SetSubName(const TStrWRec &subName, int32_t &err) = 0;             // slot 61

    virtual void SetType(IWptWaypointType *type, int32_t &err) = 0;   // slot — ≡ SetWaypointType
    // Radians.
    virtual double GetLatitude() = 0;                                               // slot —
    virtual void SetLatitude(double lat, int32_t &err) = 0;                         // slot —
    virtual double GetLongitude() = 0;                                              // slot —
    virtual void SetLongitude(double lon, int32_t &err) = 0;                        // slot —
    // Cell of the name around the symbol, 0..8 (8 = lower right).
    virtual int32_t GetNamePosition() = 0;                                          // slot —
    virtual void SetNamePosition(int32_t position, int32_t &err) = 0;               // slot —
    virtual void SetScale(float scale, int32_t &err) = 0;                           // slot —
    // Metres.
    virtual void SetProximity(float radiusM, int32_t &err) = 0;  // slot — ≡ SetProximityRadius
    virtual void SetTime(TDateTime time, int32_t &err) = 0;                         // slot —
    // Adds the groups the waypoint belongs to.
    virtual void GetGroups(IWptWaypointGroupList *out) = 0;                         // slot —
    // The drawn symbol; owned by the waypoint.
    virtual IBmp32 *GetIcon() = 0;                                                  // slot —
};

class KVLIB_API IWptWaypointGroup : public IWptObject {
public:
    // Visible with the given chart modules (bit set).
    virtual bool IsVisibleIn(uint32_t chartModules) = 0;                            // slot 8

    virtual void SetVisible(bool visible, uint32_t groupValue) = 0;                 // slot —
    virtual int32_t GetWaypointCount() = 0;                                         // slot —
    // True for the manager's pseudo-group of waypoints without a group.
    virtual bool IsUngrouped() = 0;                                                 // slot —
    virtual bool IsReadOnly() = 0;                                                  // slot —
    virtual void AddWaypoint(IWptWaypoint *waypoint, int32_t &err) = 0;             // slot —
};

// Symbol and label style of waypoints. Colours BGRA; styles see WptFontStyle; sizes points.
class KVLIB_API IWptWaypointType : public IWptObject {
public:
    virtual float GetMainTextSize() = 0;                                    // slot 25 (assumed)
    virtual uint32_t GetMainTextColor() = 0;                                // slot 28 (assumed)
    virtual uint8_t GetMainTextFontStyle() = 0;                                     // slot 29
    virtual float GetLightCharSize() = 0;                                   // slot 36 (assumed)
    virtual uint32_t GetLightCharColor() = 0;                               // slot 37 (assumed)
    virtual uint8_t GetLightCharFontStyle() = 0;                                    // slot 38
    virtual float GetSubtextSize() = 0;                                     // slot 40 (assumed)
    virtual uint32_t GetSubtextColor() = 0;                                 // slot 43 (assumed)
    virtual uint8_t GetSubtextFontStyle() = 0;                                      // slot 44
    virtual void SetMainTextFontStyle(uint8_t style, int32_t &err) = 0;             // slot 51
    virtual void SetLightCharFontStyle(uint8_t style, int32_t &err) = 0;            // slot 58
    virtual void SetSubtextFontStyle(uint8_t style, int32_t &err) = 0;              // slot 61

    virtual void SetMainTextSize(float size, int32_t &err) = 0;                     // slot —
    virtual void SetMainTextColor(uint32_t color, int32_t &err) = 0;                // slot —
    virtual void SetLightCharSize(float size, int32_t &err) = 0;                    // slot —
    virtual void SetLightCharColor(uint32_t color, int32_t &err) = 0;               // slot —
    virtual void SetSubtextSize(float size, int32_t &err) = 0;                      // slot —
    virtual void SetSubtextColor(uint32_t color, int32_t &err) = 0;                 // slot —
    // The symbol as drawn (icon with overlay); owned by the type.
    virtual IBmp32 *GetSymbol() = 0;                                                // slot —
    // Owned by the type.
    virtual IBmp32 *GetIcon() = 0;                                                  // slot —
    virtual IBmp32 *GetOverlay() = 0;                                               // slot —
    virtual bool GetDrawOverlay() = 0;                                              // slot —
    // Anchor in icon pixels.
    virtual float GetOriginX() = 0;                                                 // slot —
    virtual float GetOriginY() = 0;                                                 // slot —
    // The bitmaps stay the caller's; the type keeps copies.
    virtual void SetIcons(IBmp32 *icon, IBmp32 *overlay, bool drawOverlay, float originX,
                          float originY) = 0;                                       // slot —
    virtual int32_t GetFieldCount() = 0;                                            // slot —
    virtual IWptWaypointField *GetField(int32_t i) = 0;                             // slot —
    virtual bool HasField(IWptWaypointField *field) = 0;                            // slot —
    virtual void AddField(IWptWaypointField *field, int32_t &err) = 0;              // slot —
    virtual void RemoveField(IWptWaypointField *field, int32_t &err) = 0;           // slot —
    // True for the manager's default type.
    virtual bool IsDefault() = 0;                                                   // slot —
};

// An additional attribute of the waypoints of a type.
class KVLIB_API IWptWaypointField : public IWptObject {
public:
    // lang 1..8; empty when that language has no name (callers fall back to GetName).
    virtual const TStrWRec *GetNameInLanguage(int32_t lang) = 0;                    // slot 17
};

// A list of references to objects; it never owns them (only a track list does after
// SetOwnsObjects(true)). From the list factories; owned by the caller.
class KVLIB_API IWptObjectList : public NavObject {
public:
    virtual void Add(NavObject *obj) = 0;                                           // slot 1
    virtual void AddAll(IWptObjectList *other, int32_t &err) = 0;                   // slot 2
    virtual void Clear() = 0;                                                       // slot 3
    virtual bool Find(NavObject *obj, int32_t &index) = 0;                          // slot 6
    virtual void Remove(NavObject *obj) = 0;                                        // slot 21
    // Keeps the list sorted by compare (-1/0/1); nil for insertion order.
    virtual void SetCompare(WptObjectCompareProc compare) = 0;                      // slot 23
    virtual void SetSortMode(int32_t mode) = 0;                                     // slot 27
    virtual NavObject *GetItem(int32_t i) = 0;                                      // slot 37
    virtual int32_t GetCount() = 0;                                                 // slot 38

    // Replaces the content by that of other.
    virtual void Assign(IWptObjectList *other) = 0;                                 // slot —
    // Removes the entry at index (the object itself stays).
    virtual void Delete(int32_t index) = 0;                                         // slot —
    // -1 when absent.
    virtual int32_t IndexOf(NavObject *obj) = 0;                                    // slot —
    virtual void SetOwnsObjects(bool owns) = 0;                                     // slot —
};

// Typed lists: the items are of the kind the name says.
class KVLIB_API IWptWaypointList : public IWptObjectList {};
class KVLIB_API IWptWaypointGroupList : public IWptObjectList {};
class KVLIB_API IWptWaypointTypeList : public IWptObjectList {};
class KVLIB_API IWptWaypointFieldList : public IWptObjectList {};
class KVLIB_API IWptPolygonList : public IWptObjectList {};
class KVLIB_API IWptRouteList : public IWptObjectList {};
// Filled by IWptDatabase::MergeObjects with the routes whose GUID changed.
class KVLIB_API IWptRouteGUIDChangeList : public IWptObjectList {};

// A route: its points in sailing order and, once planned, its plan (IWptRoutePoint::
// GetPlanPoint, GetSchedule). Setters answer ReadOnly while IsReadOnly.
class KVLIB_API IWptRoute : public IWptObject {
public:
    // slot 3 GetGUID and slot 13 DeleteFromDatabase: see IWptObject.

    // The temporary route along the waterway.
    virtual bool IsDefaultRoute() = 0;                                              // slot 11
    virtual bool IsReadOnly() = 0;                           // slot 12 (assumed) ≡ IsProtected
    // Appends a point at a free position; owned by the route.
    virtual IWptRoutePoint *AddPointAtPosition(const TRoutePosition &pos,
                                               int32_t &err) = 0;                   // slot 17
    // Appends a point on a waterway section, offset along it; owned by the route.
    virtual IWptRoutePoint *AddNetworkPoint(IWWSection *section, double offset,
                                            int32_t reserved, int32_t &err) = 0;    // slot 18
    virtual bool IsCalculating() = 0;                                               // slot 21
    virtual int32_t GetPointCount() = 0;                                            // slot 22
    // Empty = no group.
    virtual const TStrWRec *GetGroupName() = 0;                                     // slot 23
    virtual IWptRoutePoint *GetLastPoint() = 0;                             // slot 24 (assumed)
    // 0 stepped, 1 unstepped: the height used for the network search.
    virtual int32_t GetMastMode() = 0;                                      // slot 26 (assumed)
    // Owned by the route.
    virtual IRouteChartCoverage *GetChartCoverage() = 0;                            // slot 31
    virtual IWptRoutePoint *GetPoint(int32_t i) = 0;                                // slot 33
    // Vector options passed through to the viewer: 35 = 1; 37 = 1 or 2; 39 = 1 enables
    // "route vectors".
    virtual int32_t GetVectorOption35() = 0;                                        // slot 35
    // 3..5 for routes over the network.
    virtual int32_t GetKind() = 0;                                                  // slot 36
    virtual int32_t GetVectorOption37() = 0;                                        // slot 37
    virtual int32_t GetVectorOption39() = 0;                                        // slot 39
    virtual void DeletePoint(IWptRoutePoint *point, int32_t &err) = 0;              // slot 48
    // 1 begins, 0 ends an update around a recalculation.
    virtual void SetUpdating(int32_t updating) = 0;                                 // slot 49
    // Empty = none; an unknown name makes a new group.
    virtual void SetGroupName(const TStrWRec &name, int32_t &err) = 0;              // slot 50
    virtual void SetStartTime(TDateTime utc) = 0;                                   // slot 62

    virtual TDateTime GetStartTime() = 0;                                           // slot —
    // See WptPlanMode.
    virtual int32_t GetPlanMode() = 0;                                              // slot —
    virtual void SetPlanMode(int32_t mode, int32_t &err) = 0;                       // slot —
    virtual int32_t GetRouteMode() = 0;                                             // slot —
    // Appends a point at a waypoint (reserved 0, flag 1); owned by the route.
    virtual IWptRoutePoint *AddPointFromWaypoint(IWptWaypoint *waypoint, int32_t reserved,
                                                 int32_t flag, int32_t &err) = 0;   // slot —
    // Appends a point at a network object and two position values along it.
    virtual IWptRoutePoint *AddPointAt(NavObject *obj, double v1, double v2, int32_t reserved,
                                       int32_t &err) = 0;                           // slot —
    // Appends a free point (imports); the two reserved arguments are nil.
    virtual IWptRoutePoint *AddPoint(const TGeoPoint3 &pos, void *reserved1, void *reserved2,
                                     int32_t &err) = 0;                             // slot —
    // 0 cruising, 1 low, 2 high speed.
    virtual int32_t GetSpeedMode() = 0;                                             // slot —
    virtual void SetSpeedMode(int32_t mode, int32_t &err) = 0;                      // slot —
    // Bit n = water body n (see WptWaterBody).
    virtual uint32_t GetWaterBodyMask() = 0;                                        // slot —
    virtual void SetWaterBodyMask(uint32_t mask, int32_t &err) = 0;                 // slot —
    // Metres; False when the length is not known.
    virtual bool GetLength(double &metres) = 0;                                     // slot —
    // The type of the waypoints made for the route's points.
    virtual void SetDefaultWaypointType(IWptWaypointType *type, int32_t &err) = 0;  // slot —
    // Owned by the route; valid until the next recalculation.
    virtual IWptRouteSchedule *GetSchedule() = 0;                                   // slot —
};

// A point of a route. Owned by its route.
class KVLIB_API IWptRoutePoint : public IWptObject {
public:
    // Index in the route (the "point number" shown is index + 1).
    virtual int32_t GetIndex() = 0;                                                 // slot 3
    // Name shown in panels; empty when none (callers show the point number).
    virtual const TStrWRec *GetDisplayName() = 0;                                   // slot 10
    // Nil for the last point.
    virtual IWptRoutePoint *GetNext() = 0;                                          // slot 11
    // Nil while unplanned; owned by the route.
    virtual IWptPlanPoint *GetPlanPoint() = 0;                              // slot 15 (assumed)
    // The name as edited.
    const TStrWRec *GetName() override = 0;                                         // slot 16
    // Radians; owned by the point.
    virtual const TRoutePosition *GetPosition() = 0;                                // slot 18
    virtual IWptRoute *GetRoute() = 0;                                              // slot 24
    // The waypoint behind the point, nil when none.
    virtual IWptWaypoint *GetWaypoint() = 0;                                        // slot 29
    // err: NameTooLong, ReadOnly (read-only route), PointAttached (named by its waypoint).
    void SetName(const TStrWRec &name, int32_t &err) override = 0;                  // slot 44
    // Unlinks the point from its waypoint before the waypoint's database is reloaded.
    virtual void ReleaseWaypoint() = 0;                                             // slot 54

    // Nil for the first point.
    virtual IWptRoutePoint *GetPrevious() = 0;                                      // slot —
    // The leg to this point is not routed over the network.
    virtual bool IsDirect() = 0;                                                    // slot —
    // Radians.
    virtual void SetPosition(const TGeoPoint &pos, int32_t &err) = 0;               // slot —
    // Metres: the point counts as reached within it.
    virtual double GetRadius() = 0;                                                 // slot —
    virtual void SetRadius(float radiusM, int32_t &err) = 0;                        // slot —
    // Owned by the point.
    virtual const TRouteStayRec *GetStay() = 0;                                     // slot —
    virtual void SetStay(const TRouteStayRec &stay, int32_t &err) = 0;              // slot —
    // Metres: cross-track limit of the leg to this point (XTE bar scale and alarm).
    virtual double GetXTELimit() = 0;                                               // slot —
};

// An alarm zone: a closed polygon of positions.
class KVLIB_API IWptPolygon : public IWptObject {
public:
    // slot 13 DeleteFromDatabase: see IWptObject.

    virtual bool IsComplete() = 0;                                                  // slot 21
    // Radians.
    virtual void AddPoint(const TGeoPoint &pos, int32_t &err) = 0;                  // slot 25
    // point: the zone point the viewer reported as selected.
    virtual void DeletePoint(NavObject *point, int32_t &err) = 0;                   // slot —
};

// The object a duplicate question is about: an existing object found for an imported one
// (chart collections and other import items). Owned by its list.
class KVLIB_API IImportObject : public NavObject {
public:
    virtual const TStrWRec *GetName() = 0;                                          // slot 3
};

// The target list of an import, searched for an object of the incoming object's name.
class KVLIB_API IImportList : public NavObject {
public:
    virtual bool FindByName(const TStrWRec &name, int32_t &index) = 0;              // slot 6
};

// Chart collections of an import target. Items are IImportObject; owned by the list.
class KVLIB_API IChartCollectionList : public IImportList {
public:
    virtual NavObject *GetItem(int32_t i) = 0;                                      // slot —
};

// A boat's polar diagram (imports and duplicate questions).
class KVLIB_API IPolarDiagram : public NavObject {
public:
    virtual const TStrWRec *GetName() = 0;                                          // slot 22
    // Speed in the base speed unit (m/s).
    virtual float GetMaxBoatSpeed() = 0;                                            // slot —
    // Metres.
    virtual float GetWaterlineLength() = 0;                                         // slot —
};

// The planner's start, via and destination points are the plan points of a route
// (IWptPlanPoint in KvPlanner.h; its slot 4 gives the name).

// ---------------------------------------------------------------------------------------------
// Exports

// The manager of all waypoint databases; nil on error. icon and overlay stay the caller's.
// anchorX, anchorY: icon pixels (width / 2 - 0.5, height / 2 - 0.5). The three text groups
// are the main text, the light characteristic and the subtext labels. network is not owned.
// Both option callbacks run on the GUI thread with their data.
KVLIB_API IWptManager *WptManagerCreate(IBmp32 *icon, IBmp32 *overlay, int32_t value3,
                                        float anchorX, float anchorY,
                                        const TStrWRec &fontName, float size1, uint8_t style1,
                                        uint32_t colour1, float size2, uint8_t style2,
                                        uint32_t colour2, float size3, uint8_t style3,
                                        uint32_t colour3, int32_t value16, IWWNetwork *network,
                                        bool flag18, WptManagerOption1Proc option1,
                                        void *option1Data, WptManagerOption2Proc option2,
                                        void *option2Data, int32_t &err);

// Reads a database file's header without opening it: GUID, identifier ("<product code>_…"
// for databases of chart products), date of the data (UTC) and the header's texts.
// err = NotFound when there is no file; callers also treat OutOfRange as harmless.
KVLIB_API void WptDatabaseReadHeader(const TStrWRec &file, TGUID &guid, IStrW *identifierOut,
                                     TDateTime &date, int32_t &formatVersion,
                                     int32_t &waypointCount, int32_t &routeCount,
                                     int32_t &polygonCount, bool &isProtected,
                                     IStrWList *texts, int32_t &err);

// Prefix of the names of new waypoints.
KVLIB_API void GetWaypointNamePrefix(IStrW *out);
KVLIB_API void SetWaypointNamePrefix(const TStrWRec &prefix);

// Empty reference lists, owned by the caller. flag is a hint (1 from the environment, 0 from
// dialogs), never ownership of the items.
KVLIB_API IWptWaypointList *WptWaypointListCreate(int32_t flag);
KVLIB_API IWptWaypointGroupList *WptWaypointGroupListCreate(int32_t flag);
KVLIB_API IWptWaypointTypeList *WptWaypointTypeListCreate(int32_t flag);
KVLIB_API IWptWaypointFieldList *WptWaypointFieldListCreate(int32_t flag);
KVLIB_API IWptPolygonList *WptPolygonListCreate(int32_t flag);
KVLIB_API IWptRouteList *WptRouteListCreate(int32_t flag);
KVLIB_API IWptRouteGUIDChangeList *WptRouteGUIDChangeListCreate(int32_t flag);

// Library-wide defaults applied to new routes and route points from now on.
KVLIB_API void SetWptRouteDefaults(const TWptRouteDefaults &rec);
// Reads them back (the program calls it GetWptRouteDefaults).
KVLIB_API void _GetWptRouteDefaults(TWptRouteDefaults &out);
