// The waterway network's objects behind KvWWNetwork.h, for the library's own engines (the
// route planner walks the graph kept here).
//
// Graph: nodes are TWWNode (one per junction of a file), edges are sections. A node lists
// the sections that meet at it (a section that starts and ends at one node is listed
// once). For fast searches the network also keeps the arcs in compressed form:
// ArcsOf(node) gives, per section at the node, the section's index, the node at its other
// end and whether leaving the node means travelling along the section (Forward) or against
// it. Indices of nodes, sections and structures are stable; Merge only appends.
//
// Section positions run from 0 at the start junction to GetLength() at the end junction,
// measured along the polyline between its earth-centred points.
//
// Ownership: the network owns every object below through unique_ptr vectors; pointers
// handed out stay valid for the network's life (Merge appends and never moves them).
#pragma once

#include "kernel/KvInternal.h"
#include "network/WWData.h"

#include <QHash>
#include <memory>
#include <span>
#include <vector>

namespace kv::ww {

class TWWNetworkImpl;
class TWWSectionImpl;
class TWWStructImpl;
class TWWFairwayImpl;
class TWWFairwayPartImpl;

struct TWWNode {
    int32_t Index = 0;
    TGeoPoint Geo;
    TDouble3 Global;
    std::vector<TWWSectionImpl *> Sections;
};

struct TWWArc {
    int32_t Section = 0;
    int32_t OtherNode = 0;
    bool Forward = true;
};

// A junction as a section hands it out: the node plus its position along that section.
class TWWJunctionImpl final : public IWWJunction {
public:
    TWWNode *Node = nullptr;
    double Position = 0.0;
    double GetPosition() override { return Position; }
    int32_t GetSectionCount() override { return int32_t(Node->Sections.size()); }
    IWWSection *GetSection(int32_t index) override;
};

class TWWSectionGeometryImpl final : public IWWSectionGeometry {
public:
    TWWSectionImpl *Section = nullptr;
    TDouble3 PointAt(double distance) override;
};

class TWWSectionImpl final : public IWWSection {
public:
    TWWSectionImpl(TWWNetworkImpl *net, const TRawSection &raw, int32_t index, TWWNode *start,
                   TWWNode *end);

    int32_t Index() const { return FIndex; }
    TWWNode *StartNode() const { return FStart.Node; }
    TWWNode *EndNode() const { return FEnd.Node; }
    const std::vector<TDouble3> &Points() const { return FPoints; }
    const std::vector<TGeoPoint> &GeoPoints() const { return FGeo; }
    const TRawSection &Raw() const { return *FRaw; }
    // Structures on the section, by position.
    const std::vector<TWWStructImpl *> &Structs() const { return FStructs; }
    void AddStruct(TWWStructImpl *s);
    void SetFairway(TWWFairwayImpl *f, TWWFairwayPartImpl *p) { FFairway = f, FPart = p; }
    // The interval of an attribute that covers the position, nullptr where none does.
    const TInterval *Attr(TAttr a, double position) const;
    // Nearest point of the polyline to a global point: position along the section and
    // the distance (metres, straight line).
    void Nearest(const TDouble3 &p, double &position, double &distance) const;
    // Lower bound of the distance from p to any point of the section.
    double BoundDistance(const TDouble3 &p) const;
    // The line of the stretch from one position to another, in sailing order (from > to runs
    // against the section): the polyline's corners between them, the ends interpolated. Ends
    // are clamped to the section.
    std::vector<TGeoPoint> GeoLine(double from, double to) const;

    void GetGlobalPositionAt(TDouble3 &out, double offset) override { out = GetPointAt(offset); }
    IWWSectionGeometry *GetGeometry() override { return &FGeometry; }
    double GetDistanceMark(double offset) override;
    const TStrWRec *GetName() override { return FName.Get(); }
    void GetDirection(double position, IGeodeticCalibration *cal, TFloat2 &vectorInOut) override;
    IWWFairwayPart *GetFairwayPart() override;
    float GetDebugValue() override { return float(FLength); }
    int32_t GetKind() override { return FRaw->Kind; }
    IWWJunction *GetStartJunction() override { return &FStart; }
    IWWJunction *GetEndJunction() override { return &FEnd; }
    double GetLength() override { return FLength; }
    TDouble3 GetPointAt(double position) override;
    IWWFairway *GetFairway() override;
    int32_t GetWaterBody() override { return FRaw->WaterBody; }
    double GetStartChainage() override { return FRaw->StartChainage; }
    const TGUID *GetGUID() override { return &FRaw->Guid; }
    float GetSpeedLimit(double position) override;
    bool GetVHFSectorChannel(double position, int32_t &channel, IStrW *callSign) override;
    bool GetVHFReportChannel(double position, int32_t direction, int32_t &channel,
                             IStrW *callSign) override;
    IWWStruct *FindNextStruct(double position, bool forward, double &distance) override;
    bool GetCurrent(double position, float &current) override;
    bool GetOneWay(double position, bool &along) override;
    bool GetNavigability(double position, uint32_t &flags) override;
    bool GetKeepLeft(double position, bool &flag) override;
    bool GetRemark(double position, IStrW *text) override;
    bool GetPermit(double position, IStrW *url, IStrW *description) override;
    bool GetMaxDimensions(double position, float &depth, float &height, float &length,
                          float &width) override;
    bool GetCommercialDimensions(double position, float &depth, float &height, float &length,
                                 float &width) override;

private:
    bool Dimensions(TAttr a, double position, float &depth, float &height, float &length,
                    float &width) const;

    TWWNetworkImpl *FNet;
    const TRawSection *FRaw;
    int32_t FIndex;
    TOwnedText FName;
    std::vector<TGeoPoint> FGeo;
    std::vector<TDouble3> FPoints;
    std::vector<double> FCum;  // distance from the start to each point
    double FLength = 0.0;
    TDouble3 FBoxMin, FBoxMax;
    TWWJunctionImpl FStart, FEnd;
    TWWSectionGeometryImpl FGeometry;
    TWWFairwayImpl *FFairway = nullptr;
    TWWFairwayPartImpl *FPart = nullptr;
    std::vector<TWWStructImpl *> FStructs;
};

class TWWFairwayImpl final : public IWWFairway {
public:
    TWWFairwayImpl(const TRawFairway &raw) : FRaw(&raw) { FName.Set(raw.Name); }
    std::vector<TWWSectionImpl *> Sections;  // by start chainage
    std::vector<TWWFairwayPartImpl *> Parts;  // in travel order

    const TStrWRec *GetName() override { return FName.Get(); }
    int32_t GetSectionCount() override { return int32_t(Sections.size()); }
    IWWSection *GetSection(int32_t index) override;
    double GetLength() override;
    int32_t GetPartCount() override { return int32_t(Parts.size()); }
    IWWFairwayPart *GetPart(int32_t index) override;
    const TGUID *GetGUID() override { return &FRaw->Guid; }

private:
    const TRawFairway *FRaw;
    TOwnedText FName;
};

class TWWFairwayPartImpl final : public IWWFairwayPart {
public:
    TWWFairwayPartImpl(const TRawFairwayPart &raw, TWWFairwayImpl *fairway) : FFairway(fairway) {
        FName.Set(raw.Name);
        FListName.Set(raw.ListName.isEmpty() ? raw.Name : raw.ListName);
    }
    std::vector<TWWSectionImpl *> Sections;

    const TStrWRec *GetName() override { return FName.Get(); }
    const TStrWRec *GetListName() override { return FListName.Get(); }
    int32_t GetSectionCount() override { return int32_t(Sections.size()); }
    IWWSection *GetSection(int32_t index) override;
    double GetLength() override;
    IWWFairway *GetFairway() override { return FFairway; }

private:
    TWWFairwayImpl *FFairway;
    TOwnedText FName, FListName;
};

class TWWManagerImpl final : public IWWManager {
public:
    explicit TWWManagerImpl(const TRawManager &m);
    const TStrWRec *GetName() override { return FTexts[0].Get(); }
    int32_t GetType() override { return FType; }
    const TStrWRec *GetDepartment() override { return FTexts[1].Get(); }
    const TStrWRec *GetMailAddress() override { return FTexts[2].Get(); }
    const TStrWRec *GetMailPostalCode() override { return FTexts[3].Get(); }
    const TStrWRec *GetMailPlace() override { return FTexts[4].Get(); }
    const TStrWRec *GetVisitAddress() override { return FTexts[5].Get(); }
    const TStrWRec *GetVisitPlace() override { return FTexts[6].Get(); }
    const TStrWRec *GetPhone() override { return FTexts[7].Get(); }
    const TStrWRec *GetFax() override { return FTexts[8].Get(); }
    const TStrWRec *GetWebsite() override { return FTexts[9].Get(); }

private:
    TOwnedText FTexts[10];
    int32_t FType = 0;
};

class TWWTimeWindowImpl final : public IWWTimeWindow {
public:
    explicit TWWTimeWindowImpl(const TRawWindow &w) : FRaw(w) {}
    TWWTimeRange GetTimes() override { return FRaw.Times; }
    uint32_t GetVesselClasses() override { return FRaw.VesselClasses; }
    int32_t GetDirection() override { return FRaw.Direction; }

private:
    TRawWindow FRaw;
};

class TWWDayScheduleImpl final : public IWWDaySchedule {
public:
    explicit TWWDayScheduleImpl(const TRawSchedule &s);
    uint8_t GetWeekDays() override { return FWeekDays; }
    int32_t GetTimeWindowCount() override { return int32_t(FWindows.size()); }
    IWWTimeWindow *GetTimeWindow(int32_t index) override;

private:
    uint8_t FWeekDays = 0;
    std::vector<std::unique_ptr<TWWTimeWindowImpl>> FWindows;
};

class TWWOperatingPeriodImpl final : public IWWOperatingPeriod {
public:
    explicit TWWOperatingPeriodImpl(const TRawPeriod &p);
    TWWDateRange GetDates() override { return FDates; }
    const TStrWRec *GetRemark() override { return FRemark.Get(); }
    int32_t GetDayScheduleCount() override { return int32_t(FSchedules.size()); }
    IWWDaySchedule *GetDaySchedule(int32_t index) override;
    // Which window applies depends on the passage: a route's passages point to a view of the
    // period that knows it. The network's own period is shared by every plan and is no passage.
    TWWTimeRange GetTimes() override { return TWWTimeRange{}; }

private:
    TWWDateRange FDates;
    TOwnedText FRemark;
    std::vector<std::unique_ptr<TWWDayScheduleImpl>> FSchedules;
};

class TWWSpecialDateImpl final : public IWWSpecialDate {
public:
    explicit TWWSpecialDateImpl(const TRawSpecialDate &d) : FRaw(d) {}
    int32_t GetHoliday() override { return FRaw.Holiday; }
    void GetDayMonth(uint8_t &day, uint8_t &month) override { day = FRaw.Day, month = FRaw.Month; }
    int8_t GetDayOffset() override { return FRaw.Offset; }

private:
    TRawSpecialDate FRaw;
};

class TWWSpecialDayRuleImpl final : public IWWSpecialDayRule {
public:
    explicit TWWSpecialDayRuleImpl(const TRawRule &r);
    int32_t GetOperation() override { return FRaw->Operation; }
    int32_t GetWeekDay() override { return FRaw->WeekDay; }
    bool HasNoOperationBefore() override { return FRaw->HasBefore; }
    TWWTimeOfDay GetNoOperationBefore() override { return FRaw->Before; }
    bool HasNoOperationAfter() override { return FRaw->HasAfter; }
    TWWTimeOfDay GetNoOperationAfter() override { return FRaw->After; }
    uint32_t GetVesselClasses() override { return FRaw->VesselClasses; }
    int32_t GetDirection() override { return FRaw->Direction; }
    int32_t GetDateCount() override { return int32_t(FDates.size()); }
    IWWSpecialDate *GetDate(int32_t index) override;

private:
    const TRawRule *FRaw;
    std::vector<std::unique_ptr<TWWSpecialDateImpl>> FDates;
};

class TWWStructImpl final : public IWWStruct {
public:
    TWWStructImpl(const TRawStruct &raw, TWWSectionImpl *section, TWWManagerImpl *manager);
    ~TWWStructImpl() override;
    const TRawStruct &Raw() const { return *FRaw; }
    // Position along the section, clamped to it.
    double Position() const { return FPosition; }

    int32_t GetKind() override { return FRaw->Kind; }
    int32_t GetOtherType() override { return FRaw->Kind == WWStructKind::OtherWork ? FRaw->OtherType : 0; }
    void SetWaitingTime(int32_t seconds) override { FWaitingTime = seconds < 0 ? -1 : seconds; }
    IWWStructItem *GetItem(int32_t passageIndex) override;
    int32_t GetBarrierKind() override { return FRaw->Kind == WWStructKind::Barrier ? FRaw->BarrierKind : 0; }
    const TGUID *GetGUID() override { return &FRaw->Guid; }
    const TStrWRec *GetName() override { return FName.Get(); }
    const TStrWRec *GetPlace() override { return FPlace.Get(); }
    const TStrWRec *GetVHFChannel() override { return FVHF.Get(); }
    const TStrWRec *GetISRS() override { return FIsrs.Get(); }
    const TStrWRec *GetAddress() override { return FAddress.Get(); }
    const TStrWRec *GetPostalCode() override { return FPostalCode.Get(); }
    const TStrWRec *GetPhone() override { return FPhone.Get(); }
    const TStrWRec *GetComplex() override { return FComplex.Get(); }
    void GetTexts(IStrW *label, IStrW *subtext) override;
    void GetImages(IStrWList *fileNames) override;
    IWWSection *GetSection() override;
    double GetSectionPosition() override { return FPosition; }
    TDouble3 GetGlobalPosition() override;
    IWWManager *GetManager() override;
    bool IsNormallyOpen() override;
    float GetFall() override { return FRaw->Kind == WWStructKind::Lock ? FRaw->Fall : WWMissing; }
    int32_t GetPassageCount() override { return int32_t(FItems.size()); }
    IWWPassage *GetPassage(int32_t index) override;
    int32_t GetItemCount() override;
    int32_t GetWaitingTime() override { return FWaitingTime; }
    int32_t GetOperatingPeriodCount() override { return int32_t(FPeriods.size()); }
    IWWOperatingPeriod *GetOperatingPeriod(int32_t index) override;
    int32_t GetSpecialDayRuleCount() override { return int32_t(FRules.size()); }
    IWWSpecialDayRule *GetSpecialDayRule(int32_t index) override;
    int32_t GetControlKind() override { return FRaw->ControlKind; }

private:
    bool HasItems() const;

    const TRawStruct *FRaw;
    TWWSectionImpl *FSection;
    TWWManagerImpl *FManager;
    double FPosition = 0.0;
    int32_t FWaitingTime = -1;
    TOwnedText FName, FPlace, FVHF, FIsrs, FAddress, FPostalCode, FPhone, FComplex;
    std::vector<std::unique_ptr<IWWStructItem>> FItems;
    std::vector<std::unique_ptr<TWWOperatingPeriodImpl>> FPeriods;
    std::vector<std::unique_ptr<TWWSpecialDayRuleImpl>> FRules;
};

struct TWWMarina {
    const TRawMarina *Raw = nullptr;
    TWWSectionImpl *Section = nullptr;
    double Position = 0.0;
};

class TWWNetworkImpl final : public IWWNetwork {
public:
    // Takes over the records of one file; they stay shared with every network that merges
    // this one.
    explicit TWWNetworkImpl(std::shared_ptr<const TWWFileData> data);

    // Graph for the planner.
    int32_t NodeCount() const { return int32_t(FNodes.size()); }
    TWWNode &Node(int32_t i) { return *FNodes[size_t(i)]; }
    std::span<const TWWArc> ArcsOf(int32_t node) const {
        return {FArcs.data() + FArcStart[size_t(node)],
                size_t(FArcStart[size_t(node) + 1] - FArcStart[size_t(node)])};
    }
    int32_t SectionCount() const { return int32_t(FSections.size()); }
    TWWSectionImpl *Section(int32_t i) { return FSections[size_t(i)].get(); }
    TWWStructImpl *Struct(int32_t i) { return FStructs[size_t(i)].get(); }
    const std::vector<TWWMarina> &Marinas() const { return FMarinas; }
    const std::vector<std::shared_ptr<const TWWFileData>> &Sources() const { return FSources; }

    void Merge(IWWNetwork *other, int32_t &err) override;
    void NearestLocation(IWWSection *&section, double &offset, double &distance,
                         const TGeoPoint &pos, bool commercial, float length, float width,
                         float height, float draught) override;
    bool FindStruct(const TGUID *guid, int32_t &index) override;
    int32_t GetVersion() override { return FVersion; }
    IWWStruct *GetStruct(int32_t index) override;
    bool FindStructByID(const TStrWRec &identifier, int32_t &index) override;
    int32_t GetStructCount() override { return int32_t(FStructs.size()); }
    int32_t GetFairwayCount() override { return int32_t(FFairways.size()); }
    IWWFairway *GetFairway(int32_t index) override;
    bool FindFairway(const TGUID &guid, int32_t &index) override;
    IWWSection *GetSection(int32_t index) override;
    bool FindSection(const TGUID &guid, int32_t &index) override;
    void FindNearestSection(IWWSection *&section, double &position, double &unused,
                            const TGeoPoint &pos) override;
    bool HasWaterBody(int32_t n) override;

private:
    void Append(const std::shared_ptr<const TWWFileData> &data);
    void RebuildArcs();
    // Nearest point over the sections that pass the filter.
    template <class Filter>
    void Nearest(const TGeoPoint &pos, Filter accept, IWWSection *&section, double &position,
                 double &distance);

    std::vector<std::shared_ptr<const TWWFileData>> FSources;
    int32_t FVersion = 0;
    uint32_t FWaterBodies = 0;
    std::vector<std::unique_ptr<TWWNode>> FNodes;
    std::vector<std::unique_ptr<TWWSectionImpl>> FSections;
    std::vector<std::unique_ptr<TWWFairwayImpl>> FFairways;
    std::vector<std::unique_ptr<TWWFairwayPartImpl>> FParts;
    std::vector<std::unique_ptr<TWWManagerImpl>> FManagers;
    std::vector<std::unique_ptr<TWWStructImpl>> FStructs;
    std::vector<TWWMarina> FMarinas;
    QHash<QString, int32_t> FSectionByGuid, FStructByGuid, FFairwayByGuid;
    QHash<QString, int32_t> FStructByIsrs;  // upper case
    std::vector<int32_t> FArcStart;
    std::vector<TWWArc> FArcs;
};

}  // namespace kv::ww
