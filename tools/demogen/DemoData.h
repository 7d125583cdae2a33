// The demo data set: an invented stretch of coast with a harbour, a river, canals and a
// lake ("Velmerland"), as a waterway network (GeoPackage), an S-57 cell and a BSB/KAP
// raster chart of the same waters.
//
// The network is first built as plain records (TNetwork) and then written, so that tests
// can change records before writing (a section without geometry, a structure on no
// section) and get a damaged file of the same layout.
//
// Positions are degrees (WGS 84), lengths metres, times of day minutes after midnight.
// A NaN number is written as NULL ("not given").
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace demo {

inline constexpr double NoValue = std::numeric_limits<double>::quiet_NaN();

struct TLonLat {
    double Lon = 0.0;
    double Lat = 0.0;
};

struct TLevel {
    double Value = NoValue;
    int Ref = 0;
    double RefValue = NoValue;
    int NAPMode = 0;
};

struct TJunction {
    int Id = 0;
    TLonLat Pos;
};

struct TSection {
    QString Guid;
    QString Name;
    int StartJunction = 0;
    int EndJunction = 0;
    int Kind = 1;
    int WaterBody = 3;
    QString Fairway;      // GUID, empty = none
    QString FairwayPart;  // key, empty = none
    double StartChainage = 0.0;
    std::vector<TLonLat> Line;  // from the start junction to the end junction
    double LengthM = 0.0;       // geodesic length of Line
    // The water the charts draw around the section (not part of the network file): its
    // width from bank to bank and its depth below chart datum; 0 where the section crosses
    // open water (the sea, the lake) that the charts model by itself.
    double WidthM = 0.0;
    double DepthM = 0.0;
};

struct TFairway {
    QString Guid;
    QString Name;
};

struct TFairwayPart {
    QString Key;
    QString Fairway;
    QString Name;
    QString ListName;
};

struct TSectionAttribute {
    QString Section;
    QString Attribute;
    double From = 0.0;
    double To = NoValue;  // to the end of the section
    double Num[4] = {NoValue, NoValue, NoValue, NoValue};
    QString Text1;
    QString Text2;
};

struct TManager {
    QString Key, Name;
    int Type = 0;
    QString Department, MailAddress, MailPostalCode, MailPlace, VisitAddress, VisitPlace,
        Phone, Fax, Website;
};

struct TItem {
    int Number = 1;
    QString Remark, Name, Isrs;
    int BridgeType = 0;
    double Width = NoValue, PassageWidth = NoValue, MinGateWidth = NoValue, Length = NoValue,
           PartialLength1 = NoValue, PartialLength2 = NoValue, LockLength = NoValue,
           LockLengthLowTide = NoValue;
    bool HasTideLengths = false;
    std::map<QString, TLevel> Levels;  // by level field name ("height_closed", …)
};

struct TWindow {
    int WeekDays = 0xFE;  // bit d = weekday d, 1 Monday .. 7 Sunday
    int Start = 0;
    int End = 0;
    int VesselClasses = 3;
    int Direction = 0;
};

struct TPeriod {
    int Id = 1;
    int StartDay = 1, StartMonth = 1, EndDay = 31, EndMonth = 12;
    QString Remark;
    std::vector<TWindow> Windows;
};

struct TSpecialDate {
    int Holiday = 0;
    int Day = 0, Month = 0;
    int Offset = 0;
};

struct TSpecialRule {
    int Id = 1;
    int Operation = 0;
    int WeekDay = 0;
    int NoOperationBefore = -1;  // minutes, -1 none
    int NoOperationAfter = -1;
    int VesselClasses = 3;
    int Direction = 0;
    std::vector<TSpecialDate> Dates;
};

struct TStructure {
    QString Guid, Isrs;
    int Kind = 1;
    int OtherType = 0;
    int BarrierKind = 0;
    QString Name, Place, VHFChannel, Address, PostalCode, Phone, Complex, Label, Subtext;
    QStringList Images;
    QString Section;  // GUID
    double SectionPosition = 0.0;
    TLonLat Pos;
    QString Manager;
    bool NormallyOpen = false;
    double Fall = NoValue;
    int WaitingTime = -1;  // seconds, -1 = planner default
    int ControlKind = 0;
    std::vector<TItem> Items;
    std::vector<TPeriod> Periods;
    std::vector<TSpecialRule> Rules;
};

struct TMarina {
    QString Guid, Name, Section;
    double SectionPosition = 0.0;
    TLonLat Pos;
    QString Place, Phone, Website;
};

struct TDistanceMark {
    QString Section;
    double Position = 0.0;
    double Value = 0.0;  // metres
    TLonLat Pos;
};

struct TNetwork {
    int Format = 1;
    QString Version = QStringLiteral("1.0.0.0");
    std::vector<TJunction> Junctions;
    std::vector<TSection> Sections;
    std::vector<TFairway> Fairways;
    std::vector<TFairwayPart> FairwayParts;
    std::vector<TSectionAttribute> Attributes;
    std::vector<TManager> Managers;
    std::vector<TStructure> Structures;
    std::vector<TMarina> Marinas;
    std::vector<TDistanceMark> DistanceMarks;

    const TSection *FindSection(const QString &guid) const;
    const TStructure *FindStructureByName(const QString &name) const;
};

// Stable GUID text "{…}" for a name: the same name gives the same GUID on every run.
QString NameGuid(const QString &name);

// Geodesic length of a polyline on WGS 84, metres.
double PolylineLength(const std::vector<TLonLat> &line);
// Point at a distance along a polyline (clamped to its ends).
TLonLat PolylinePoint(const std::vector<TLonLat> &line, double distanceM);

// The invented demo area's network: more than 60 sections, fixed and opening bridges with
// operating periods, three locks, two marinas, distance marks along the river.
TNetwork BuildDemoNetwork();

// The area the charts cover (degrees).
struct TArea {
    double West = 4.25, East = 4.95, South = 52.78, North = 53.08;
};
TArea DemoArea();

// Each writer replaces an existing file and returns false with a message naming the file
// on failure. The BSB chart is drawn from the S-57 cell by the core library's own renderer,
// so the two charts show the same waters.
bool WriteNetwork(const TNetwork &net, const QString &file, QString &error);
bool WriteS57Cell(const TNetwork &net, const QString &file, QString &error);
// The structure pictures the network names, written beside its file.
bool WriteNetworkPictures(const TNetwork &net, const QString &networkFile, QString &error);
// The files attached to the demo lock of the S-57 cell (its TXTDSC, NTXTDS and PICREP
// attributes name them), written beside the cell: a text, a facility record and a photo.
inline const char *DemoAttachedLock = "Kessel Lock";
inline const char *DemoAttachedText = "XXKESSL1.TXT";
inline const char *DemoAttachedRecord = "XXKESSL1.XML";
inline const char *DemoAttachedPicture = "XXKESSL1.JPG";
bool WriteS57Attachments(const TNetwork &net, const QString &s57Cell, QString &error);
bool WriteKapChart(const QString &s57Cell, const QString &file, QString &error);
// The demo raster chart's legend and information page, beside it; chartEntry gets the
// chart's manifest entry that names them (the product's manifest is written with it).
bool WriteDemoChartInfo(const QString &kapFile, QJsonObject &chartEntry, QString &error);

// The BSB chart's scale and resolution: at 100 % on a screen of 96 pixels per inch it shows
// the waters at the S-57 cell's compilation scale.
inline constexpr int ChartScale = 50000;
inline constexpr int KapPixelsPerInch = 96;

// Relative paths inside the data folder.
inline const char *NetworkRelPath = "Waterway Network/WaterwayNetwork.kvwwn";
inline const char *S57RelPath = "Charts/S57/XX5VELM1.000";
inline const char *KapRelPath = "Charts/BSB/VELM0001.KAP";

// Writes the whole set below folder, ".complete" last (the run script's marker).
bool WriteDemoData(const QString &folder, QString &error);

}  // namespace demo
