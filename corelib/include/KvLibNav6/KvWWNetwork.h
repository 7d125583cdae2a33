// Waterway network: sections between junctions, fairways, structures (bridges, locks,
// barriers, other works) with their items, authorities and operating times.
//
// Ownership: only the network is created (WWNetworkCreateFromFile) and released by its
// owner; every object reached from it belongs to the network and lives as long as it.
// Callers fetch such objects again on every use instead of keeping them.
//
// Units: lengths, widths, heights and depths are floats in metres, WWMissing (1.0E37) when
// not given; positions along a section ("offset", "position") are doubles in metres from
// the section's start junction. "Global" points are earth-centred metres, the frame of
// GeoToGlobal2 / GlobalToGeo2. Speeds are m/s (unit $7800B). All calls on the GUI thread.
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"
#include "KvErrorCodes.h"

class IGeodeticCalibration;

class IWWNetwork;
class IWWSection;
class IWWSectionGeometry;
class IWWJunction;
class IWWFairway;
class IWWFairwayPart;
class IWWStruct;
class IWWStructItem;
class IWWPassage;
class IWWBridgePassage;
class IWWLockChamber;
class IWWBarrierPassage;
class IWWShipTunnelPassage;
class IWWManager;
class IWWOperatingPeriod;
class IWWDaySchedule;
class IWWTimeWindow;
class IWWSpecialDayRule;
class IWWSpecialDate;

// Marks a length, width, height, depth or level value the network does not give.
// Compare with >= (the file stores the float nearest to 10^37).
inline constexpr float WWMissing = 1.0E37f;

// Water bodies 0..16 (bit n of a route's water-body mask; 0 North Sea, 3 inland waterways
// Netherlands, … 16 US Mississippi). HasWaterBody tells which ones a network covers.
inline constexpr int32_t WWWaterBodyCount = 17;

// IWWStruct::GetKind. Kinds 1, 3, 4 and 5 are operated and take waiting times.
namespace WWStructKind {
inline constexpr int32_t Barrier = 0;             // weir-type barrier (GetBarrierKind)
inline constexpr int32_t Bridge = 1;
inline constexpr int32_t OtherWork = 2;           // crossing work (GetOtherType)
inline constexpr int32_t Lock = 3;
inline constexpr int32_t NonPhysicalBarrier = 4;
inline constexpr int32_t ShipTunnel = 5;
}  // namespace WWStructKind

// IWWStruct::GetOtherType for kind 2. Aqueducts, tunnels and power lines are not obstacles
// of the waterway ahead.
namespace WWOtherType {
inline constexpr int32_t Aqueduct = 1;
inline constexpr int32_t Tunnel = 2;
inline constexpr int32_t Siphon = 3;
inline constexpr int32_t Cable = 4;
inline constexpr int32_t Pipeline = 5;
inline constexpr int32_t ConveyerBelt = 6;
inline constexpr int32_t FormerStructure = 7;
inline constexpr int32_t PowerLine = 8;
inline constexpr int32_t Gantry = 9;
}  // namespace WWOtherType

// IWWStruct::GetBarrierKind for kind 0.
namespace WWBarrierKind {
inline constexpr int32_t Weir = 0;
inline constexpr int32_t Floodgate = 1;
inline constexpr int32_t StormFloodgate = 2;
}  // namespace WWBarrierKind

// IWWBridgePassage::GetBridgeType 1..16; a fixed span has no open height.
inline constexpr int32_t WWBridgeTypeFixedSpan = 14;

// TWWLevel::Reference: the water level a height or depth refers to.
namespace WWLevelRef {
inline constexpr int32_t Boezem = 1;
inline constexpr int32_t MeanWaterLevel = 2;
inline constexpr int32_t Canal = 3;
inline constexpr int32_t Lake = 4;
inline constexpr int32_t NAP = 5;
inline constexpr int32_t Polder = 6;
inline constexpr int32_t Weir = 7;
inline constexpr int32_t HSW = 8;
}  // namespace WWLevelRef

// Vessel-class bit sets (time windows, special-day rules, section navigability).
namespace WWVesselClass {
inline constexpr uint32_t Pleasure = 1;    // bit 0
inline constexpr uint32_t Commercial = 2;  // bit 1
}  // namespace WWVesselClass

// Direction of a time window or special-day rule relative to the section of the structure.
namespace WWDirection {
inline constexpr int32_t Along = 1;
inline constexpr int32_t Against = 2;      // any other value: both directions
}  // namespace WWDirection

// IWWSpecialDayRule::GetOperation.
namespace WWSpecialDayOperation {
inline constexpr int32_t None = 0;
inline constexpr int32_t Normal = 1;
inline constexpr int32_t AsWeekDay = 2;    // operates as on the weekday GetWeekDay
inline constexpr int32_t OwnTimes = 3;
}  // namespace WWSpecialDayOperation

// IWWSpecialDate::GetHoliday: movable holidays (0 = a fixed date).
namespace WWHoliday {
inline constexpr int32_t FixedDate = 0;
inline constexpr int32_t GoodFriday = 1;
inline constexpr int32_t Easter = 2;
inline constexpr int32_t EasterMonday = 3;
inline constexpr int32_t AscensionDay = 4;
inline constexpr int32_t Pentecost = 5;
inline constexpr int32_t PentecostMonday = 6;
inline constexpr int32_t CorpusChristi = 7;
inline constexpr int32_t KingsDay = 8;          // Dutch King's Day
inline constexpr int32_t LiberationDay = 9;     // Dutch Liberation Day
inline constexpr int32_t BussUndBettag = 10;    // German day of repentance
}  // namespace WWHoliday

// A height, depth or threshold of a structure item. Owned by the item. Value is the float
// the route panels read as "the height"; ReferenceValue is a second level used with NAP
// modes 2 and 3. With Reference 5 (NAP) the clearance follows from NAPMode and the
// planner's water level L: mode 1 clearance Value − L, mode 2 Value − ReferenceValue,
// mode 3 ReferenceValue.
struct TWWLevel {
    float Value = WWMissing;            // metres
    int32_t Reference = 0;              // WWLevelRef; other values have no reference name
    float ReferenceValue = WWMissing;   // metres
    int32_t NAPMode = 0;                // 1..3, only with Reference 5
};
static_assert(sizeof(TWWLevel) == 16);

// First and last day of an operating period (end before start, as the network stores it).
struct TWWDateRange {
    uint8_t EndDay = 0;
    uint8_t EndMonth = 0;    // 1..12
    uint8_t StartDay = 0;
    uint8_t StartMonth = 0;  // 1..12
};
static_assert(sizeof(TWWDateRange) == 4);

// A daily time window, local time of the structure (end before start, as stored).
struct TWWTimeRange {
    uint8_t EndMinute = 0;
    uint8_t EndHour = 0;
    uint8_t StartMinute = 0;
    uint8_t StartHour = 0;
};
static_assert(sizeof(TWWTimeRange) == 4);

// A time of day, local time of the structure.
struct TWWTimeOfDay {
    uint8_t Minute = 0;
    uint8_t Hour = 0;
};
static_assert(sizeof(TWWTimeOfDay) == 2);

// The whole network of one ".kvwwn" file (after Merge: of several files).
// From WWNetworkCreateFromFile; owned by the caller (the navigation environment).
class KVLIB_API IWWNetwork : public NavObject {
public:
    // Takes over every object of other; other stays valid and unchanged. A GUID known to
    // both networks fails with KvErr::AlreadyExists and leaves this network unchanged.
    virtual void Merge(IWWNetwork *other, int32_t &err) = 0;                         // slot 1
    // Nearest point of the network that a boat of these dimensions (metres) may use; the
    // commercial flag applies the commercial-shipping restrictions. section nullptr when
    // nothing is reachable; distance in metres from pos to the found point.
    virtual void NearestLocation(IWWSection *&section, double &offset, double &distance,
                                 const TGeoPoint &pos, bool commercial, float length,
                                 float width, float height, float draught) = 0;      // slot 6
    virtual bool FindStruct(const TGUID *guid, int32_t &index) = 0;                  // slot 10 (assumed) ≡ FindStructByGUID
    // Packed network version: major << 24 | minor << 16 | release << 8 | build.
    virtual int32_t GetVersion() = 0;                                                // slot 14 (assumed) ≡ GetVersionInfo
    virtual IWWStruct *GetStruct(int32_t index) = 0;                                 // slot 23
    // identifier: the structure's ISRS-style location code, compared case-insensitively.
    virtual bool FindStructByID(const TStrWRec &identifier, int32_t &index) = 0;     // slot —
    virtual int32_t GetStructCount() = 0;                                            // slot —
    virtual int32_t GetFairwayCount() = 0;                                           // slot —
    virtual IWWFairway *GetFairway(int32_t index) = 0;                               // slot —
    virtual bool FindFairway(const TGUID &guid, int32_t &index) = 0;                 // slot —
    virtual IWWSection *GetSection(int32_t index) = 0;                               // slot —
    virtual bool FindSection(const TGUID &guid, int32_t &index) = 0;                 // slot —
    // Nearest section whatever the boat; unused is always 0. section nullptr when the
    // network is empty.
    virtual void FindNearestSection(IWWSection *&section, double &position, double &unused,
                                    const TGeoPoint &pos) = 0;                       // slot —
    // n 0..16 (WWWaterBodyCount); False for other values.
    virtual bool HasWaterBody(int32_t n) = 0;                                        // slot —
};

// The polyline of a section. From IWWSection::GetGeometry; owned by the section.
class KVLIB_API IWWSectionGeometry : public NavObject {
public:
    // Global point at a distance (metres) along the section, clamped to its ends.
    virtual TDouble3 PointAt(double distance) = 0;                                   // slot 1
};

// A link of the network between two junctions. Attributes (speed limit, current, VHF
// channels, dimensions, …) hold over intervals [from, to) of the position; the getters
// that take a position return False where no interval covers it.
class KVLIB_API IWWSection : public NavObject {
public:
    virtual void GetGlobalPositionAt(TDouble3 &out, double offset) = 0;              // slot 1
    virtual IWWSectionGeometry *GetGeometry() = 0;                                   // slot 3
    // Kilometre-post distance at the offset, metres; negative when the section has none.
    virtual double GetDistanceMark(double offset) = 0;                               // slot 8 (assumed)
    virtual const TStrWRec *GetName() = 0;                                           // slot 16
    // Direction of travel along the section at the position, as a view vector (x east,
    // y south) of unit length; with cal nullptr north is up. The bearing is
    // Float2Angle(v) − GetVectorAngle(v).
    virtual void GetDirection(double position, IGeodeticCalibration *cal,
                              TFloat2 &vectorInOut) = 0;                             // slot 19 (assumed)
    // nullptr when the section belongs to no fairway part.
    virtual IWWFairwayPart *GetFairwayPart() = 0;                                    // slot 20 (assumed)
    // Diagnostic value in metres (the library's choice); only debug builds show it.
    virtual float GetDebugValue() = 0;                                               // slot 21
    // Section kind, tested against the kinds the route defaults allow.
    virtual int32_t GetKind() = 0;                                                   // slot 31
    virtual IWWJunction *GetStartJunction() = 0;                                     // slot — ("first node")
    virtual IWWJunction *GetEndJunction() = 0;                                       // slot — ("last node")
    virtual double GetLength() = 0;                                                  // slot —
    virtual TDouble3 GetPointAt(double position) = 0;                                // slot —
    // nullptr when the section belongs to no fairway.
    virtual IWWFairway *GetFairway() = 0;                                            // slot —
    virtual int32_t GetWaterBody() = 0;                                              // slot —; 0..16
    // Chainage of the start junction along the fairway, metres.
    virtual double GetStartChainage() = 0;                                           // slot —
    virtual const TGUID *GetGUID() = 0;                                              // slot —
    // m/s; 0 or WWMissing when there is no limit.
    virtual float GetSpeedLimit(double position) = 0;                                // slot — ≡ GetMaxSpeed
    virtual bool GetVHFSectorChannel(double position, int32_t &channel,
                                     IStrW *callSign) = 0;                           // slot —
    // direction: 1 travelling along the section, 0 against it.
    virtual bool GetVHFReportChannel(double position, int32_t direction, int32_t &channel,
                                     IStrW *callSign) = 0;                           // slot —
    // Next structure from the position in the direction of travel, continuing into the
    // connected sections; distance in metres from the position. nullptr when none.
    virtual IWWStruct *FindNextStruct(double position, bool forward, double &distance) = 0;  // slot —
    // current in m/s.
    virtual bool GetCurrent(double position, float &current) = 0;                    // slot —
    // along True: traffic only in the section's own direction.
    virtual bool GetOneWay(double position, bool &along) = 0;                        // slot —
    // flags: WWVesselClass bits of the vessels that may navigate here.
    virtual bool GetNavigability(double position, uint32_t &flags) = 0;              // slot —
    virtual bool GetKeepLeft(double position, bool &flag) = 0;                       // slot —
    virtual bool GetRemark(double position, IStrW *text) = 0;                        // slot —
    // True where a navigation permit is required.
    virtual bool GetPermit(double position, IStrW *url, IStrW *description) = 0;     // slot —
    // Maximum allowed dimensions, metres, WWMissing per value not given.
    virtual bool GetMaxDimensions(double position, float &depth, float &height,
                                  float &length, float &width) = 0;                  // slot —
    // Above these dimensions the section is for commercial shipping only.
    virtual bool GetCommercialDimensions(double position, float &depth, float &height,
                                         float &length, float &width) = 0;           // slot —
};

// A node of the network.
class KVLIB_API IWWJunction : public NavObject {
public:
    // Position of the node along the section that returned it from GetEndJunction (that
    // section's length, metres); 0 for a node obtained from GetStartJunction.
    virtual double GetPosition() = 0;                                                // slot 14
    virtual int32_t GetSectionCount() = 0;                                           // slot —; 1 = dead end
    virtual IWWSection *GetSection(int32_t index) = 0;                               // slot —
};

// A named waterway route: a chain of sections grouped into parts.
class KVLIB_API IWWFairway : public NavObject {
public:
    virtual const TStrWRec *GetName() = 0;                                           // slot —
    virtual int32_t GetSectionCount() = 0;                                           // slot —
    // Sections in travel order.
    virtual IWWSection *GetSection(int32_t index) = 0;                               // slot —
    // Sum of the section lengths, metres.
    virtual double GetLength() = 0;                                                  // slot —
    virtual int32_t GetPartCount() = 0;                                              // slot —
    virtual IWWFairwayPart *GetPart(int32_t index) = 0;                              // slot —
    virtual const TGUID *GetGUID() = 0;                                              // slot —
};

// A stretch of a fairway with a name of its own (status bar, route panels).
class KVLIB_API IWWFairwayPart : public NavObject {
public:
    virtual const TStrWRec *GetName() = 0;                                           // slot —
    // Row text of location-search lists (usually the name with the fairway's).
    virtual const TStrWRec *GetListName() = 0;                                       // slot —
    virtual int32_t GetSectionCount() = 0;                                           // slot —
    virtual IWWSection *GetSection(int32_t index) = 0;                               // slot —
    virtual double GetLength() = 0;                                                  // slot —
    virtual IWWFairway *GetFairway() = 0;                                            // slot —
};

// A structure on a section. GetKind decides which operations carry data: the others
// return 0, empty texts or nullptr. Waiting times apply to kinds 1, 3, 4 and 5 only.
class KVLIB_API IWWStruct : public NavObject {
public:
    // WWStructKind.
    virtual int32_t GetKind() = 0;                                                   // slot 1 ≡ GetType ≡ GetCategory
    // WWOtherType, for kind 2.
    virtual int32_t GetOtherType() = 0;                  // slot 23 (assumed) ≡ GetSubType ≡ GetCrossingKind
    // seconds; -1 = back to the planner's default for the kind. The planner uses it at
    // once; the settings store persists it.
    virtual void SetWaitingTime(int32_t seconds) = 0;                                // slot 30
    // Item of an operated structure: an IWWBridgePassage (kind 1), IWWLockChamber (3),
    // IWWBarrierPassage (4) or IWWShipTunnelPassage (5). nullptr out of range.
    virtual IWWStructItem *GetItem(int32_t passageIndex) = 0;                        // slot 31 (assumed) ≡ GetPart
    // WWBarrierKind, for kind 0.
    virtual int32_t GetBarrierKind() = 0;                                            // slot — ≡ GetWeirType
    virtual const TGUID *GetGUID() = 0;                                              // slot —
    virtual const TStrWRec *GetName() = 0;                                           // slot —
    virtual const TStrWRec *GetPlace() = 0;                                          // slot —
    // VHF radio channel(s) as display text.
    virtual const TStrWRec *GetVHFChannel() = 0;                                     // slot —
    virtual const TStrWRec *GetISRS() = 0;                                           // slot —
    virtual const TStrWRec *GetAddress() = 0;                                        // slot —
    virtual const TStrWRec *GetPostalCode() = 0;                                     // slot —
    virtual const TStrWRec *GetPhone() = 0;                                          // slot —
    // Name of the complex the structure belongs to; empty when none.
    virtual const TStrWRec *GetComplex() = 0;                                        // slot —
    // Chart label and its short subtext.
    virtual void GetTexts(IStrW *label, IStrW *subtext) = 0;                         // slot —
    // Picture files, loadable as given; the first one is the one shown.
    virtual void GetImages(IStrWList *fileNames) = 0;                                // slot —
    virtual IWWSection *GetSection() = 0;                                            // slot —
    virtual double GetSectionPosition() = 0;                                         // slot —
    virtual TDouble3 GetGlobalPosition() = 0;                                        // slot — ≡ GetPoint
    // nullptr when the authority is unknown.
    virtual IWWManager *GetManager() = 0;                                            // slot —
    // Kinds 1 and 3.
    virtual bool IsNormallyOpen() = 0;                                               // slot —
    // Kind 3: level difference, metres.
    virtual float GetFall() = 0;                                                     // slot —
    // Total of passages (kinds 0, 2: the IWWPassage items) or items (kinds 1, 3, 4, 5).
    virtual int32_t GetPassageCount() = 0;                                           // slot — ≡ GetPassageItemCount
    // Kinds 0 and 2; nullptr out of range.
    virtual IWWPassage *GetPassage(int32_t index) = 0;                               // slot — ≡ GetOpening
    // Kinds 1, 3, 4 and 5.
    virtual int32_t GetItemCount() = 0;                                              // slot —
    // seconds; negative = the planner's default for the kind applies.
    virtual int32_t GetWaitingTime() = 0;                                            // slot —
    virtual int32_t GetOperatingPeriodCount() = 0;                                   // slot —
    virtual IWWOperatingPeriod *GetOperatingPeriod(int32_t index) = 0;               // slot —
    virtual int32_t GetSpecialDayRuleCount() = 0;                                    // slot —
    virtual IWWSpecialDayRule *GetSpecialDayRule(int32_t index) = 0;                 // slot —
    // 1 self-service, 2 remote control, 3 remote control by user, 4 detection system,
    // 5 button, 6 mobile crew, 7 keeper, 8 key or pass; 0 unknown.
    virtual int32_t GetControlKind() = 0;                                            // slot —
};

// Common part of a structure's passages and items (≡ IWWStructPart); owned by the
// structure. The concrete type follows the structure's kind: dynamic_cast to it.
class KVLIB_API IWWStructItem : public NavObject {
public:
    // Number of the passage or chamber as signposted (1-based).
    virtual int32_t GetNumber() = 0;                                                 // slot —
    virtual const TStrWRec *GetRemark() = 0;                                         // slot —
};

// A passage of a weir-type barrier or of an other work (kinds 0, 2) (≡ IWWStructOpening).
class KVLIB_API IWWPassage : public IWWStructItem {
public:
    virtual float GetWidth() = 0;                                                    // slot —
    // Open height for kind 0, height for kind 2.
    virtual const TWWLevel *GetHeight() = 0;                                         // slot —
    virtual const TWWLevel *GetThresholdDepth() = 0;                                 // slot —
};

// A passage of a bridge (kind 1) (≡ IWWStructPart).
class KVLIB_API IWWBridgePassage : public IWWStructItem {
public:
    // 1..16; WWBridgeTypeFixedSpan (14) has no open height.
    virtual int32_t GetBridgeType() = 0;                                             // slot 7 ≡ GetKind
    virtual const TStrWRec *GetISRS() = 0;                                           // slot —
    virtual float GetWidth() = 0;                                                    // slot —
    // Width the planner checks against the boat's beam.
    virtual float GetPassageWidth() = 0;                                             // slot —
    virtual const TWWLevel *GetHeightClosed() = 0;                                   // slot —
    virtual const TWWLevel *GetHeightOpen() = 0;                                     // slot —
    // Height the planner checks against the boat's air draught.
    virtual const TWWLevel *GetPassageHeight() = 0;                                  // slot —
    virtual const TWWLevel *GetThresholdDepth() = 0;                                 // slot —
};

// A chamber of a lock (kind 3) (≡ IWWStructPart).
class KVLIB_API IWWLockChamber : public IWWStructItem {
public:
    virtual const TStrWRec *GetName() = 0;                                           // slot —
    virtual const TStrWRec *GetISRS() = 0;                                           // slot —
    virtual float GetPartialLength1() = 0;                                           // slot —
    virtual float GetPartialLength2() = 0;                                           // slot —
    virtual float GetChamberLength() = 0;                                            // slot —
    virtual float GetWidth() = 0;                                                    // slot —
    virtual float GetMinGateWidth() = 0;                                             // slot —
    virtual const TWWLevel *GetHeight() = 0;                                         // slot —
    virtual const TWWLevel *GetThresholdDepthDown() = 0;                             // slot — (down / out)
    virtual const TWWLevel *GetThresholdDepthUp() = 0;                               // slot — (up / in)
    virtual const TWWLevel *GetThresholdDepthBetween() = 0;                          // slot —
    // True: GetLockLength is the high-tide length and GetLockLengthLowTide applies.
    virtual bool HasTideLengths() = 0;                                               // slot —
    virtual float GetLockLength() = 0;                                               // slot —
    virtual float GetLockLengthLowTide() = 0;                                        // slot —
};

// A passage of a non-physical barrier (kind 4): number and remark only.
class KVLIB_API IWWBarrierPassage : public IWWStructItem {
};

// A passage of a ship tunnel (kind 5).
class KVLIB_API IWWShipTunnelPassage : public IWWStructItem {
public:
    virtual float GetLength() = 0;                                                   // slot —
    virtual float GetWidth() = 0;                                                    // slot —
    virtual const TWWLevel *GetDepth() = 0;                                          // slot —
    virtual const TWWLevel *GetHeight() = 0;                                         // slot —
};

// The waterway authority of a structure. From IWWStruct::GetManager; owned by the network
// (shared by the structures it manages).
class KVLIB_API IWWManager : public NavObject {
public:
    virtual const TStrWRec *GetName() = 0;                                           // slot —
    // 1..21 (ministries, municipalities, water boards, port authorities, …); 0 unknown.
    virtual int32_t GetType() = 0;                                                   // slot —
    virtual const TStrWRec *GetDepartment() = 0;                                     // slot —
    virtual const TStrWRec *GetMailAddress() = 0;                                    // slot —
    virtual const TStrWRec *GetMailPostalCode() = 0;                                 // slot —
    virtual const TStrWRec *GetMailPlace() = 0;                                      // slot —
    virtual const TStrWRec *GetVisitAddress() = 0;                                   // slot —
    virtual const TStrWRec *GetVisitPlace() = 0;                                     // slot —
    virtual const TStrWRec *GetPhone() = 0;                                          // slot —
    virtual const TStrWRec *GetFax() = 0;                                            // slot —
    virtual const TStrWRec *GetWebsite() = 0;                                        // slot —
};

// A part of the year in which a structure keeps one operating schedule. Owned by the
// structure. The planner uses the same objects for passage times.
class KVLIB_API IWWOperatingPeriod : public NavObject {
public:
    virtual TWWDateRange GetDates() = 0;                                             // slot —
    virtual const TStrWRec *GetRemark() = 0;                                         // slot —
    virtual int32_t GetDayScheduleCount() = 0;                                       // slot —
    virtual IWWDaySchedule *GetDaySchedule(int32_t index) = 0;                       // slot —
    // Read through a route's structure passage: the time window that applies at that
    // passage. The network's own period, read directly, gives an empty range.
    virtual TWWTimeRange GetTimes() = 0;                                             // slot —
};

// The time windows of a set of weekdays within an operating period.
class KVLIB_API IWWDaySchedule : public NavObject {
public:
    // Weekday set as _WeekDayFlagsToStr reads it: bit d for weekday d (1 = Monday ..
    // 7 = Sunday); bit 0 unused.
    virtual uint8_t GetWeekDays() = 0;                                               // slot —
    virtual int32_t GetTimeWindowCount() = 0;                                        // slot —
    virtual IWWTimeWindow *GetTimeWindow(int32_t index) = 0;                         // slot —
};

// One daily operating window.
class KVLIB_API IWWTimeWindow : public NavObject {
public:
    virtual TWWTimeRange GetTimes() = 0;                                             // slot —
    // WWVesselClass bits the window applies to.
    virtual uint32_t GetVesselClasses() = 0;                                         // slot —
    // WWDirection; other values: both directions.
    virtual int32_t GetDirection() = 0;                                              // slot —
};

// Operation on holidays and other special dates.
class KVLIB_API IWWSpecialDayRule : public NavObject {
public:
    // WWSpecialDayOperation.
    virtual int32_t GetOperation() = 0;                                              // slot —
    // 1 = Monday … 7 = Sunday; with operation AsWeekDay.
    virtual int32_t GetWeekDay() = 0;                                                // slot —
    virtual bool HasNoOperationBefore() = 0;                                         // slot —
    virtual TWWTimeOfDay GetNoOperationBefore() = 0;                                 // slot —
    virtual bool HasNoOperationAfter() = 0;                                          // slot —
    virtual TWWTimeOfDay GetNoOperationAfter() = 0;                                  // slot —
    virtual uint32_t GetVesselClasses() = 0;                                         // slot —
    virtual int32_t GetDirection() = 0;                                              // slot —
    virtual int32_t GetDateCount() = 0;                                              // slot —
    virtual IWWSpecialDate *GetDate(int32_t index) = 0;                              // slot —
};

// A date of a special-day rule: a fixed date or a movable holiday, shifted by a number of
// days.
class KVLIB_API IWWSpecialDate : public NavObject {
public:
    // WWHoliday: 0 a fixed date (GetDayMonth), 1..10 a movable holiday.
    virtual int32_t GetHoliday() = 0;                                                // slot —
    virtual void GetDayMonth(uint8_t &day, uint8_t &month) = 0;                      // slot —
    // Days added to the date or holiday (negative: before it).
    virtual int8_t GetDayOffset() = 0;                                               // slot —
};

// Loads a ".kvwwn" network file. context is reserved (nullptr). Errors: KvErr::NotFound
// when the file is missing, KvErr::BadFormat when it is damaged, KvErr::BadVersion for a
// newer format. The result is owned by the caller; nullptr on error.
KVLIB_API IWWNetwork *WWNetworkCreateFromFile(const TStrWRec &file, void *context,
                                              int32_t &err);
