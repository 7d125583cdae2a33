// The records of one ".kvwwn" file as read, before the network objects are made from them.
// Immutable once read; a network keeps the records of every file it holds so that Merge can
// make a second set of objects from them for another network.
//
// References between records are indices into the vectors of the same file (-1 = none).
// Positions are radians (WGS 84), lengths metres, as at the library's interface.
#pragma once

#include "KvLibNav6/KvWWNetwork.h"

#include <QString>
#include <QStringList>
#include <array>
#include <limits>
#include <memory>
#include <vector>

namespace kv::ww {

// Attributes that hold over intervals of a section.
enum class TAttr : int {
    SpeedLimit,
    Current,
    OneWay,
    Navigability,
    KeepLeft,
    Remark,
    Permit,
    VHFSector,
    VHFReport,
    MaxDimensions,
    CommercialDimensions,
    Count
};
inline constexpr int AttrCount = int(TAttr::Count);

inline constexpr double NoNumber = std::numeric_limits<double>::quiet_NaN();

struct TInterval {
    double From = 0.0;
    double To = std::numeric_limits<double>::infinity();
    double Num[4] = {NoNumber, NoNumber, NoNumber, NoNumber};
    QString Text1, Text2;
};

struct TRawJunction {
    int64_t Id = 0;
    TGeoPoint Pos;
};

struct TRawSection {
    TGUID Guid;
    QString Name;
    int StartJunction = -1;
    int EndJunction = -1;
    int32_t Kind = 0;
    int32_t WaterBody = 0;
    int Fairway = -1;
    int Part = -1;
    double StartChainage = 0.0;
    std::vector<TGeoPoint> Line;  // at least two points, start junction first
    std::array<std::vector<TInterval>, AttrCount> Attrs;
    std::vector<std::pair<double, double>> Marks;  // (position, value) sorted by position
};

struct TRawFairway {
    TGUID Guid;
    QString Name;
};

struct TRawFairwayPart {
    int Fairway = -1;
    QString Name, ListName;
};

struct TRawManager {
    QString Name, Department, MailAddress, MailPostalCode, MailPlace, VisitAddress, VisitPlace,
        Phone, Fax, Website;
    int32_t Type = 0;
};

// Order of TRawItem::Levels: that of kv::wwformat::LevelFields.
enum TLevelIndex : int {
    LvHeight,
    LvHeightClosed,
    LvHeightOpen,
    LvPassageHeight,
    LvThresholdDepth,
    LvThresholdDown,
    LvThresholdUp,
    LvThresholdBetween,
    LvDepth,
    LevelCount
};

struct TRawItem {
    int32_t Number = 1;
    QString Remark, Name, Isrs;
    int32_t BridgeType = 0;
    float Width = WWMissing, PassageWidth = WWMissing, MinGateWidth = WWMissing,
          Length = WWMissing, PartialLength1 = WWMissing, PartialLength2 = WWMissing,
          LockLength = WWMissing, LockLengthLowTide = WWMissing;
    bool HasTideLengths = false;
    std::array<TWWLevel, LevelCount> Levels{};
};

struct TRawWindow {
    TWWTimeRange Times;
    uint32_t VesselClasses = 3;
    int32_t Direction = 0;
};

struct TRawSchedule {
    uint8_t WeekDays = 0;
    std::vector<TRawWindow> Windows;
};

struct TRawPeriod {
    int64_t Id = 0;
    TWWDateRange Dates;
    QString Remark;
    std::vector<TRawSchedule> Schedules;
};

struct TRawSpecialDate {
    int32_t Holiday = 0;
    uint8_t Day = 0, Month = 0;
    int8_t Offset = 0;
};

struct TRawRule {
    int64_t Id = 0;
    int32_t Operation = 0;
    int32_t WeekDay = 0;
    bool HasBefore = false, HasAfter = false;
    TWWTimeOfDay Before, After;
    uint32_t VesselClasses = 3;
    int32_t Direction = 0;
    std::vector<TRawSpecialDate> Dates;
};

struct TRawStruct {
    TGUID Guid;
    QString Isrs;
    int32_t Kind = 0, OtherType = 0, BarrierKind = 0;
    QString Name, Place, VHFChannel, Address, PostalCode, Phone, Complex, Label, Subtext;
    QStringList Images;  // absolute file names
    int Section = -1;
    double Position = 0.0;
    int Manager = -1;
    bool NormallyOpen = false;
    float Fall = WWMissing;
    int32_t WaitingTime = -1;
    int32_t ControlKind = 0;
    std::vector<TRawItem> Items;
    std::vector<TRawPeriod> Periods;
    std::vector<TRawRule> Rules;
};

struct TRawMarina {
    TGUID Guid;
    QString Name, Place, Phone, Website;
    int Section = -1;
    double Position = 0.0;
    TGeoPoint Pos;
};

struct TWWFileData {
    QString FileName;
    int32_t Version = 0;  // packed major << 24 | minor << 16 | release << 8 | build
    std::vector<TRawJunction> Junctions;
    std::vector<TRawSection> Sections;
    std::vector<TRawFairway> Fairways;
    std::vector<TRawFairwayPart> Parts;
    std::vector<TRawManager> Managers;
    std::vector<TRawStruct> Structs;
    std::vector<TRawMarina> Marinas;
};

// Reads a network file. Returns 0 and fills data, or an error (KvErr::NotFound,
// KvErr::BadFormat, KvErr::BadVersion) with message naming the file and the fault. Bad
// records that can be left out without misleading a route (a section without geometry and
// whatever lies on it) are skipped and logged; faults that would hide an obstacle (a
// structure on a section the file does not have, a negative clearance) refuse the file.
int32_t ReadNetworkFile(const QString &fileName, TWWFileData &data, QString &message);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" ↔ TGUID; false for text that is no GUID.
bool ParseGuid(const QString &text, TGUID &out);
QString GuidToString(const TGUID &g);
// The lookup key of a GUID reference in a record; empty when the text is no GUID.
QString GuidKey(const QString &text);

}  // namespace kv::ww
