// What the route point selection dialog computes without widgets: the rows of its two
// location lists, their order and texts, the search over them, the point slots and how a
// slot becomes a section position or a waypoint, and the recent searches in the settings
// store. Core-library objects referenced here belong to the waypoint manager and the
// waterway network; nothing here owns them. Distances are metres, positions along a section
// are metres from its start junction. GUI thread.
#pragma once

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvTypes.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Row kinds of the two lists.
namespace RouteRowKind {
inline constexpr uint8_t CurrentPosition = 0;
inline constexpr uint8_t Fairway = 1;
inline constexpr uint8_t Home = 2;
inline constexpr uint8_t Section = 3;      // second list only
inline constexpr uint8_t FairwayPart = 4;
inline constexpr uint8_t Struct = 5;
inline constexpr uint8_t Waypoint = 6;
}  // namespace RouteRowKind

// Bits of the search filters, stored as "Filters"; FilterBits lists them in the list's order.
namespace RoutePointFilter {
inline constexpr uint32_t Places = 1;
inline constexpr uint32_t Hamlets = 2;
inline constexpr uint32_t Marinas = 4;
inline constexpr uint32_t Diesel = 8;
inline constexpr uint32_t Structures = 16;
inline constexpr uint32_t Waterways = 32;
inline constexpr uint32_t Other = 64;
inline constexpr uint32_t TemporaryBerths = 128;
inline constexpr uint32_t User = 256;
inline constexpr uint32_t Default = User | Places;
inline constexpr uint32_t FilterBits[9] = {User, Places, Hamlets, Marinas, TemporaryBerths,
                                           Diesel, Structures, Waterways, Other};
}  // namespace RoutePointFilter

// One row of a location list; a row owns its children.
struct TNodeData {
    double Distance = -1.0;  // metres from the reference point; -1 unknown
    QString Name;
    QString Name2;           // the place of a structure
    uint8_t Kind = 0;        // RouteRowKind
    NavObject *Obj = nullptr;  // the object the kind names; nullptr for kinds 0 and 2
    double Position = 0.0;   // second list: along the row's section
    int Order = 0;           // second list: 3 Start, 2 Center, 1 End, 0 crossing fairway
    QString TypeName;        // waypoint rows: the waypoint type's name
    // Kept from the build so that a search keystroke needs no library call per row.
    QString LowerName;
    bool HasPosition = false;
    TDouble3 At{};           // earth-centred position of the object, when HasPosition
    TNodeData *Parent = nullptr;
    std::vector<std::unique_ptr<TNodeData>> Children;

    IWWFairway *Fairway() const { return Kind == RouteRowKind::Fairway ? static_cast<IWWFairway *>(Obj) : nullptr; }
    IWWFairwayPart *Part() const { return Kind == RouteRowKind::FairwayPart ? static_cast<IWWFairwayPart *>(Obj) : nullptr; }
    IWWSection *Section() const { return Kind == RouteRowKind::Section ? static_cast<IWWSection *>(Obj) : nullptr; }
    IWWStruct *Struct() const { return Kind == RouteRowKind::Struct ? static_cast<IWWStruct *>(Obj) : nullptr; }
    IWptWaypoint *Waypoint() const { return Kind == RouteRowKind::Waypoint ? static_cast<IWptWaypoint *>(Obj) : nullptr; }
};
using TNodeList = std::vector<std::unique_ptr<TNodeData>>;

// ---- positions and distances ----

// Earth-centred position of a row object (kinds 1, 4, 5, 6): the middle of a fairway or
// part, a structure's point, a waypoint's position. False for other kinds and for a
// fairway or part without sections.
bool RowObjectPosition(uint8_t kind, NavObject *obj, TDouble3 &out);

// The middle of a run of sections: the first section after which the summed lengths
// exceed half the total (or the last one), at its length minus the excess. False without
// sections.
bool CentreOfSections(int32_t count, const std::function<IWWSection *(int32_t)> &section,
                      double totalLength, IWWSection *&centre, double &position);
bool FairwayCentre(IWWFairway *fairway, IWWSection *&section, double &position);
bool FairwayPartCentre(IWWFairwayPart *part, IWWSection *&section, double &position);

// ---- the first list ----

struct TCandidateSource {
    IWptManager *Manager = nullptr;
    IWptDatabase *UserDatabase = nullptr;
    std::function<bool(IWptDatabase *)> ChartDatabaseSelected;
    IWWNetwork *Network = nullptr;
    bool Planner = true;  // adds the current-position and home rows
    uint32_t Filters = RoutePointFilter::Default;
    bool ChartWptSelectedOnly = true;
    uint32_t WaterBodies = 0;
    std::optional<TDouble3> Reference;  // distances are measured from it
    int32_t LargeUnit = 0;              // of the structures' chainage text
};

struct TCandidateList {
    TNodeList Rows;  // sorted (SortRows)
    std::vector<IWptWaypoint *> Places;  // every place waypoint met, whatever the filters
    TNodeData *CurrentRow = nullptr;
    TNodeData *HomeRow = nullptr;
};

// Whether any section of any part of the fairway lies in the water-body set.
bool FairwayInWaterBodies(IWWFairway *fairway, uint32_t waterBodies);
void BuildCandidates(const TCandidateSource &source, TCandidateList &out);

// First-list order: distance ascending (unknown first), then name without regard to case,
// an empty name after any other.
bool RowLess(const TNodeData &a, const TNodeData &b);
// Second-list order: higher Order first, then name without regard to case.
bool SecondRowLess(const TNodeData &a, const TNodeData &b);
void SortRows(TNodeList &rows, bool secondList = false);

// Texts of the first list.
QString RowNameText(const TNodeData &row);
// Empty for the special rows and for an unknown distance.
QString RowDistanceText(const TNodeData &row, int32_t largeUnit, int32_t smallUnit);
QString RowTypeText(const TNodeData &row);
QString StructKindText(IWWStruct *s);

// ---- search ----

// The first place whose whole name equals name (any case), with its position.
IWptWaypoint *FindPlace(const std::vector<IWptWaypoint *> &places, const QString &name,
                        TDouble3 &position);

struct TSearchOutcome {
    std::vector<bool> Visible;       // per top-level row; all true for an empty text
    int Focus = -1;                  // top-level row to focus, -1 none
    IWptWaypoint *Place = nullptr;   // the place the text named
    bool Empty = true;
};
TSearchOutcome SearchRows(const TNodeList &rows, const std::vector<IWptWaypoint *> &places,
                          const QString &text);
// Second page: every word of the lower-cased text must occur in the lower-cased name.
std::vector<bool> SearchSecondRows(const TNodeList &rows, const QString &text);

// ---- point slots ----

namespace RouteSlotKind {
inline constexpr uint8_t CurrentPosition = 0;
inline constexpr uint8_t Home = 1;
inline constexpr uint8_t Object = 2;
inline constexpr uint8_t None = 3;
}  // namespace RouteSlotKind

struct TRoutePointSlot {
    uint8_t Kind = RouteSlotKind::None;
    IWWFairway *Fairway = nullptr;
    IWWFairwayPart *Part = nullptr;
    IWWSection *Section = nullptr;
    double Position = 0.0;  // along Section
    IWWStruct *Struct = nullptr;
    IWptWaypoint *Waypoint = nullptr;
    QString Name, Name2;

    bool HasObject() const { return Fairway || Part || Section || Struct || Waypoint; }
    // Kinds 0 and 1, or an object.
    bool IsSet() const { return Kind == RouteSlotKind::CurrentPosition || Kind == RouteSlotKind::Home || HasObject(); }
    void ClearObjects();
    // A fairway or part chosen on the first page, which the second page makes a point.
    bool NeedsSecondPage() const { return Kind == RouteSlotKind::Object && !Waypoint && !Struct && (Fairway || Part) && !Section; }
    // Can be resolved into a section position or a waypoint.
    bool Resolvable(bool shipHasPosition, bool networkGiven) const;
};

// Where a slot lies: a waypoint, or a section with a position. ship is the own ship's
// position (nullptr without a fix), home the home location (radians). False when nothing
// is written: kind 3, kind 2 without an object, a fairway without sections, kind 0 without
// a fix, or kinds 0 and 1 without a network.
bool ResolveSlot(const TRoutePointSlot &slot, IWWNetwork *network, const TGeoPoint *ship,
                 const TGeoPoint &home, IWWSection *&section, double &position,
                 IWptWaypoint *&waypoint);

// The second page of a fairway or part slot: Center, Start and End for dead ends, and the
// fairways crossing it; sorted.
void BuildSecondPage(const TRoutePointSlot &slot, TNodeList &rows);

// ---- stored slots (values prefix + "CustomType", "CustomGUID", "Name", "Name2",
// "SectionPos", "CustomSGIdx" under key) ----

// The slot of kind; for kind 2 its object found again by its stored GUID. The names are set
// only when the object was found: a vanished object leaves kind 2 without an object.
void RestoreSlot(IAppReg *reg, const QString &key, const QString &prefix, IWptManager *manager,
                 IWWNetwork *network, TRoutePointSlot &slot, uint8_t kind);
// The object of a kind-2 slot (waypoint, structure, section, fairway, fairway part, tested in
// that order) with its names; nothing for other kinds.
void StoreSlot(IAppReg *reg, const QString &key, const QString &prefix, const TRoutePointSlot &slot);

// ---- recent searches ("Routes\RecentSearches\<n>") ----

struct TRecentSearch {
    bool IsWaypoint = false;
    TGUID ObjectGUID{};
    double SectionPos = -1.0;  // -1 for a waypoint
    QString SearchName;
};
inline constexpr int RecentSearchMax = 10;
// At most ten entries, the lowest numbers first; entries with a missing value are skipped.
std::vector<TRecentSearch> LoadRecentSearches(IAppReg *reg);
// entry becomes number 0; the first nine of table follow, without entry's object.
void SaveRecentSearch(IAppReg *reg, const std::vector<TRecentSearch> &table,
                      const TRecentSearch &entry);
