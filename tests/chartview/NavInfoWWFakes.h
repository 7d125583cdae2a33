// Structures, passages and plan objects of the waterway tests: the null objects of the
// core library's interfaces answering what the cases set.
#pragma once

#include "NavInfoWWNullObjects.h"

#include <QString>
#include <memory>
#include <vector>

namespace navinfotest {

inline TWWLevel Level(float v) {
    TWWLevel l;
    l.Value = v;
    return l;
}

class TFakeBridgePassage : public TNullWWBridgePassage {
public:
    int32_t BridgeType = 1;
    float Width = 12.0f;
    TWWLevel Closed = Level(7.5f), Open = Level(30.0f);
    int32_t GetBridgeType() override { return BridgeType; }
    float GetWidth() override { return Width; }
    const TWWLevel *GetHeightClosed() override { return &Closed; }
    const TWWLevel *GetHeightOpen() override { return &Open; }
};

class TFakePassage : public TNullWWPassage {
public:
    float Width = 8.0f;
    TWWLevel Height = Level(4.25f);
    float GetWidth() override { return Width; }
    const TWWLevel *GetHeight() override { return &Height; }
};

class TFakeChamber : public TNullWWLockChamber {
public:
    float Width = 6.0f;
    TWWLevel Height = Level(WWMissing);
    float GetWidth() override { return Width; }
    const TWWLevel *GetHeight() override { return &Height; }
};

class TFakeStruct : public TNullWWStruct {
public:
    int32_t Kind = WWStructKind::Bridge;
    int32_t OtherType = 0;
    std::u16string Name = u"Test Bridge";
    TStrWRec NameRec;
    TFakeBridgePassage Bridge;
    TFakePassage Opening;
    TFakeChamber Chamber;
    IWWSection *Section = nullptr;
    double Position = 0.0;
    int32_t GetKind() override { return Kind; }
    int32_t GetOtherType() override { return OtherType; }
    IWWStructItem *GetItem(int32_t i) override {
        if (i != 0) return nullptr;
        if (Kind == WWStructKind::Bridge) return &Bridge;
        if (Kind == WWStructKind::Lock) return &Chamber;
        return nullptr;
    }
    IWWPassage *GetPassage(int32_t i) override {
        return i == 0 && (Kind == WWStructKind::Barrier || Kind == WWStructKind::OtherWork) ? &Opening : nullptr;
    }
    const TStrWRec *GetName() override {
        NameRec = TStrWRec{int32_t(Name.size()), Name.c_str()};
        return &NameRec;
    }
    const TStrWRec *GetVHFChannel() override { return GetName(); }
    IWWSection *GetSection() override { return Section; }
    double GetSectionPosition() override { return Position; }
};

class TFakePeriod : public TNullWWOperatingPeriod {
public:
    TWWTimeRange Times{30, 20, 0, 8};  // 08:00 - 20:30
    TWWTimeRange GetTimes() override { return Times; }
};

class TFakeStructPassage : public TNullWptRouteStructPassage {
public:
    IWWStruct *Struct = nullptr;
    int32_t Index = 0;
    bool Mast = false;
    TPassageOperation Operation;
    TDateTime Start = 0.0, End = 0.0;
    int32_t GetPassageIndex() override { return Index; }
    IWWStruct *GetStruct() override { return Struct; }
    bool NeedsUnsteppedMast() override { return Mast; }
    const TPassageOperation *GetOperation() override { return &Operation; }
    TDateTime GetPassageStart() override { return Start; }
    TDateTime GetPassageEnd() override { return End; }
};

class TFakeTimePoint : public TNullWptRouteTimePoint {
public:
    explicit TFakeTimePoint(TDateTime utc) { Data.TimeUTC = utc; }
    TTimePointData Data;
    const TTimePointData *GetData() override { return &Data; }
};

class TFakePlanPoint : public TNullWptPlanPoint {
public:
    int32_t Index = 0;
    std::u16string Name;
    TStrWRec NameRec;
    IWptRouteTimePoint *Arrival = nullptr, *Departure = nullptr;
    IWptRouteObjectList *Next = nullptr;
    const TStrWRec *GetName() override {
        NameRec = TStrWRec{int32_t(Name.size()), Name.c_str()};
        return &NameRec;
    }
    int32_t GetIndex() override { return Index; }
    IWptRouteTimePoint *GetArrival() override { return Arrival; }
    IWptRouteTimePoint *GetDeparture() override { return Departure; }
    IWptRouteObjectList *GetNextObjects() override { return Next; }
};

class TFakeLeg : public TNullWptRouteLeg {
public:
    std::vector<IWptRouteTimePoint *> Points;
    IWptRouteTimePoint *GetTimePoint(int32_t i) override {
        return i >= 0 && size_t(i) < Points.size() ? Points[size_t(i)] : nullptr;
    }
};

class TFakeRouteObject : public TNullWptRouteObject {
public:
    int32_t Kind = WptRouteObjectKind::Turn;
    float Angle = 0.0f;
    double Values[4] = {0, 0, 0, 0};
    IWptRouteStructPassage *Passage = nullptr;
    IWptRouteLeg *Leg = nullptr;
    int32_t PointIndex = -1;
    IWptWaypoint *Waypoint = nullptr;
    IWptPlanPoint *PlanPoint = nullptr;
    IWptWaypoint *GetWaypoint() override { return Waypoint; }
    IWptPlanPoint *GetPlanPoint() override { return PlanPoint; }
    float GetTurnAngle() override { return Angle; }
    IWptRouteStructPassage *GetStructPassage() override { return Passage; }
    int32_t GetKind() override { return Kind; }
    int32_t GetPointIndex() override { return PointIndex; }
    IWptRouteLeg *GetLeg() override { return Leg; }
    const double *GetValues() override { return Values; }
};

class TFakeObjectList : public TNullWptRouteObjectList {
public:
    std::vector<IWptRouteObject *> Items;
    IWptPlanPoint *End = nullptr;
    int32_t GetCount() override { return int32_t(Items.size()); }
    IWptRouteObject *GetItem(int32_t i) override {
        return i >= 0 && size_t(i) < Items.size() ? Items[size_t(i)] : nullptr;
    }
    IWptPlanPoint *GetEndPoint() override { return End; }
};

}  // namespace navinfotest
