// Null objects of the core library's plan and network interfaces: every operation
// answers nothing. The tests derive from them and answer only what a case needs.
// Generated from the public headers; regenerate when an interface changes.
#pragma once

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWWNetwork.h>

namespace navinfotest {

class TNullWWStruct : public IWWStruct {
public:
    int32_t GetKind() override { return {}; }
    int32_t GetOtherType() override { return {}; }
    void SetWaitingTime(int32_t seconds) override {}
    IWWStructItem * GetItem(int32_t passageIndex) override { return {}; }
    int32_t GetBarrierKind() override { return {}; }
    const TGUID * GetGUID() override { return {}; }
    const TStrWRec * GetName() override { return {}; }
    const TStrWRec * GetPlace() override { return {}; }
    const TStrWRec * GetVHFChannel() override { return {}; }
    const TStrWRec * GetISRS() override { return {}; }
    const TStrWRec * GetAddress() override { return {}; }
    const TStrWRec * GetPostalCode() override { return {}; }
    const TStrWRec * GetPhone() override { return {}; }
    const TStrWRec * GetComplex() override { return {}; }
    void GetTexts(IStrW *label, IStrW *subtext) override {}
    void GetImages(IStrWList *fileNames) override {}
    IWWSection * GetSection() override { return {}; }
    double GetSectionPosition() override { return {}; }
    TDouble3 GetGlobalPosition() override { return {}; }
    IWWManager * GetManager() override { return {}; }
    bool IsNormallyOpen() override { return {}; }
    float GetFall() override { return {}; }
    int32_t GetPassageCount() override { return {}; }
    IWWPassage * GetPassage(int32_t index) override { return {}; }
    int32_t GetItemCount() override { return {}; }
    int32_t GetWaitingTime() override { return {}; }
    int32_t GetOperatingPeriodCount() override { return {}; }
    IWWOperatingPeriod * GetOperatingPeriod(int32_t index) override { return {}; }
    int32_t GetSpecialDayRuleCount() override { return {}; }
    IWWSpecialDayRule * GetSpecialDayRule(int32_t index) override { return {}; }
    int32_t GetControlKind() override { return {}; }
};

class TNullWWStructItem : public IWWStructItem {
public:
    int32_t GetNumber() override { return {}; }
    const TStrWRec * GetRemark() override { return {}; }
};

class TNullWWPassage : public IWWPassage {
public:
    int32_t GetNumber() override { return {}; }
    const TStrWRec * GetRemark() override { return {}; }
    float GetWidth() override { return {}; }
    const TWWLevel * GetHeight() override { return {}; }
    const TWWLevel * GetThresholdDepth() override { return {}; }
};

class TNullWWBridgePassage : public IWWBridgePassage {
public:
    int32_t GetNumber() override { return {}; }
    const TStrWRec * GetRemark() override { return {}; }
    int32_t GetBridgeType() override { return {}; }
    const TStrWRec * GetISRS() override { return {}; }
    float GetWidth() override { return {}; }
    float GetPassageWidth() override { return {}; }
    const TWWLevel * GetHeightClosed() override { return {}; }
    const TWWLevel * GetHeightOpen() override { return {}; }
    const TWWLevel * GetPassageHeight() override { return {}; }
    const TWWLevel * GetThresholdDepth() override { return {}; }
};

class TNullWWLockChamber : public IWWLockChamber {
public:
    int32_t GetNumber() override { return {}; }
    const TStrWRec * GetRemark() override { return {}; }
    const TStrWRec * GetName() override { return {}; }
    const TStrWRec * GetISRS() override { return {}; }
    float GetPartialLength1() override { return {}; }
    float GetPartialLength2() override { return {}; }
    float GetChamberLength() override { return {}; }
    float GetWidth() override { return {}; }
    float GetMinGateWidth() override { return {}; }
    const TWWLevel * GetHeight() override { return {}; }
    const TWWLevel * GetThresholdDepthDown() override { return {}; }
    const TWWLevel * GetThresholdDepthUp() override { return {}; }
    const TWWLevel * GetThresholdDepthBetween() override { return {}; }
    bool HasTideLengths() override { return {}; }
    float GetLockLength() override { return {}; }
    float GetLockLengthLowTide() override { return {}; }
};

class TNullWWOperatingPeriod : public IWWOperatingPeriod {
public:
    TWWDateRange GetDates() override { return {}; }
    const TStrWRec * GetRemark() override { return {}; }
    int32_t GetDayScheduleCount() override { return {}; }
    IWWDaySchedule * GetDaySchedule(int32_t index) override { return {}; }
    TWWTimeRange GetTimes() override { return {}; }
};

class TNullWWSection : public IWWSection {
public:
    void GetGlobalPositionAt(TDouble3 &out, double offset) override {}
    IWWSectionGeometry * GetGeometry() override { return {}; }
    double GetDistanceMark(double offset) override { return {}; }
    const TStrWRec * GetName() override { return {}; }
    void GetDirection(double position, IGeodeticCalibration *cal, TFloat2 &vectorInOut) override {}
    IWWFairwayPart * GetFairwayPart() override { return {}; }
    float GetDebugValue() override { return {}; }
    int32_t GetKind() override { return {}; }
    IWWJunction * GetStartJunction() override { return {}; }
    IWWJunction * GetEndJunction() override { return {}; }
    double GetLength() override { return {}; }
    TDouble3 GetPointAt(double position) override { return {}; }
    IWWFairway * GetFairway() override { return {}; }
    int32_t GetWaterBody() override { return {}; }
    double GetStartChainage() override { return {}; }
    const TGUID * GetGUID() override { return {}; }
    float GetSpeedLimit(double position) override { return {}; }
    bool GetVHFSectorChannel(double position, int32_t &channel, IStrW *callSign) override { return {}; }
    bool GetVHFReportChannel(double position, int32_t direction, int32_t &channel, IStrW *callSign) override { return {}; }
    IWWStruct * FindNextStruct(double position, bool forward, double &distance) override { return {}; }
    bool GetCurrent(double position, float &current) override { return {}; }
    bool GetOneWay(double position, bool &along) override { return {}; }
    bool GetNavigability(double position, uint32_t &flags) override { return {}; }
    bool GetKeepLeft(double position, bool &flag) override { return {}; }
    bool GetRemark(double position, IStrW *text) override { return {}; }
    bool GetPermit(double position, IStrW *url, IStrW *description) override { return {}; }
    bool GetMaxDimensions(double position, float &depth, float &height, float &length, float &width) override { return {}; }
    bool GetCommercialDimensions(double position, float &depth, float &height, float &length, float &width) override { return {}; }
};

class TNullWWFairwayPart : public IWWFairwayPart {
public:
    const TStrWRec * GetName() override { return {}; }
    const TStrWRec * GetListName() override { return {}; }
    int32_t GetSectionCount() override { return {}; }
    IWWSection * GetSection(int32_t index) override { return {}; }
    double GetLength() override { return {}; }
    IWWFairway * GetFairway() override { return {}; }
};

class TNullWptPlanPoint : public IWptPlanPoint {
public:
    const TStrWRec * GetName() override { return {}; }
    int32_t GetStatus() override { return {}; }
    int32_t GetIndex() override { return {}; }
    IWptRouteObjectList * GetObjects() override { return {}; }
    IWptRouteObjectList * GetNextObjects() override { return {}; }
    IWptRouteTimePoint * GetArrival() override { return {}; }
    IWptRouteTimePoint * GetDeparture() override { return {}; }
    const TPlanStop * GetStop() override { return {}; }
};

class TNullWptRouteObjectList : public IWptRouteObjectList {
public:
    int32_t GetCount() override { return {}; }
    IWptRouteObject * GetItem(int32_t i) override { return {}; }
    float GetCourse() override { return {}; }
    IWptPlanPoint * GetEndPoint() override { return {}; }
    bool IsOpenLeg() override { return {}; }
};

class TNullWptRouteObject : public IWptRouteObject {
public:
    float GetTurnAngle() override { return {}; }
    int32_t IsObstacleVariant() override { return {}; }
    IWptRouteStructPassage * GetStructPassage() override { return {}; }
    int32_t GetKind() override { return {}; }
    int32_t GetBlockReason() override { return {}; }
    int32_t GetPointIndex() override { return {}; }
    IWptRouteLeg * GetLeg() override { return {}; }
    int32_t GetIntervalId() override { return {}; }
    int32_t GetIntervalEdge() override { return {}; }
    IWptWaypoint * GetWaypoint() override { return {}; }
    IWptPlanPoint * GetPlanPoint() override { return {}; }
    double GetPosition() override { return {}; }
    const double * GetValues() override { return {}; }
};

class TNullWptRouteLeg : public IWptRouteLeg {
public:
    IWWSection * GetSection() override { return {}; }
    double GetDistance() override { return {}; }
    IWptRouteTimePoint * GetTimePoint(int32_t i) override { return {}; }
};

class TNullWptRouteTimePoint : public IWptRouteTimePoint {
public:
    const TTimePointData * GetData() override { return {}; }
    const TLegInfo * GetLegInfo() override { return {}; }
    const TGeoPoint * GetPosition() override { return {}; }
};

class TNullWptRouteStructPassage : public IWptRouteStructPassage {
public:
    int32_t GetPassageIndex() override { return {}; }
    IWWStruct * GetStruct() override { return {}; }
    bool NeedsOperation(ILPBoatDef *boatDef, bool mastUnstepped, float napWaterLevel) override { return {}; }
    bool NeedsUnsteppedMast() override { return {}; }
    const TPassageOperation * GetOperation() override { return {}; }
    TDateTime GetPassageStart() override { return {}; }
    TDateTime GetPassageEnd() override { return {}; }
};

}  // namespace navinfotest
