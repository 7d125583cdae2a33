// Test doubles of the core-library objects the settings store reads and writes, and the
// fixture that gives every test an empty settings store of its own.
#pragma once

#include "TestSupport.h"

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <string>
#include <vector>

namespace settingstest {

// Every test starts with an empty store in a folder of its own.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FStore.Opened()); }
    testsupport::TPrivateSettingsStore FStore{QStringLiteral("settings")};
};

// A value name from a character pointer held in a table (static text).
inline ValueName Named(const char16_t *text) {
    return ValueName(TStrWRec{int32_t(std::char_traits<char16_t>::length(text)), text});
}

inline TGUID MakeGUID(uint32_t d1) {
    TGUID g;
    g.D1 = d1;
    g.D2 = 0xBEEF;
    g.D3 = 0x4A11;
    for (int i = 0; i < 8; ++i) g.D4[i] = uint8_t(0x10 + i * 7 + d1);
    return g;
}

// A consumption curve that keeps its points.
class FakeCurve : public ILPBoatDefCurve {
public:
    TFloat2 GetPoint(int32_t i) override {
        return i >= 0 && size_t(i) < Points.size() ? Points[size_t(i)] : TFloat2{};
    }
    int32_t GetCount() override { return int32_t(Points.size()); }
    void SetPoints(int32_t count, const TFloat2 *points) override {
        Points.assign(points, points + std::max(count, 0));
    }
    float GetValueAt(float) override { return 0.0f; }
    std::vector<TFloat2> Points;
};

// A boat definition that keeps every value handed to it, so that what the store reads can
// be compared with what it wrote.
class FakeBoatDef : public ILPBoatDef {
public:
    void CopyFrom(ILPBoatDef *) override {}
    bool GetCommercial() override { return Commercial; }
    float GetDraught() override { return Draught; }
    bool GetElectric() override { return Electric; }
    ILPBoatDefCurve *GetElectricCurve() override { return &ElectricCurve; }
    ILPBoatDefCurve *GetFuelCurve() override { return &FuelCurve; }
    const TFloat2 *GetGPSPosition() override { return &GPSPosition; }
    float GetPosDrag() override { return PosDrag; }
    float GetHeightStepped() override { return HeightStepped; }
    float GetHeightUnstepped() override { return HeightUnstepped; }
    float GetHeightSafeMargin() override { return HeightSafeMargin; }
    float GetLength() override { return Length; }
    float GetMinDepthTolerance() override { return MinDepthTolerance; }
    int32_t GetMMSI() override { return MMSI; }
    float GetMotorLowSOG() override { return MotorLowSOG; }
    const TStrWRec *GetName() override {
        FNameRec = TStrWRec{int32_t(Name.size()), reinterpret_cast<const char16_t *>(Name.utf16())};
        return &FNameRec;
    }
    int32_t GetTimeUnstepStep() override { return TimeUnstepStep; }
    float GetVCruise() override { return VCruise; }
    float GetVHigh() override { return VHigh; }
    float GetVLow() override { return VLow; }
    float GetWidth() override { return Width; }
    void SetBoatType(int32_t kind) override { Kind = kind; }
    void SetCommercial(bool v) override { Commercial = v; }
    void SetDisplacement(int32_t v) override { Displacement = v; }
    void SetDraught(float v) override { Draught = v; }
    void SetValue45(int32_t v) override { Value45 = v; }
    void SetElectric(bool v) override { Electric = v; }
    void SetValue47(int32_t v) override { Value47 = v; }
    void SetHeights(float stepped, float unstepped, float margin) override {
        HeightStepped = stepped;
        HeightUnstepped = unstepped;
        HeightSafeMargin = margin;
    }
    void SetLoaded(bool v) override { Loaded = v; }
    bool GetLoaded() override { return Loaded; }
    int32_t GetDisplacement() override { return Displacement; }
    void SetMinDepthTolerance(float v) override { MinDepthTolerance = v; }
    void SetValue51(int32_t v) override { Value51 = v; }
    void SetMotorLowSOG(float v) override { MotorLowSOG = v; }
    void SetName(const TStrWRec &name) override { Name = StrWToWide(&name); }
    void SetPolarGUID(const TGUID &g) override { Polar = g; }
    void SetReductionSpeed(float v) override { ReductionSpeed = v; }
    void SetReductionEnergy(float v) override { ReductionEnergy = v; }
    void SetReductionFuel(float v) override { ReductionFuel = v; }
    void SetDimensions(float length, float width, const TFloat2 &gps) override {
        Length = length;
        Width = width;
        GPSPosition = gps;
    }
    void SetTimeUnstepStep(int32_t v) override { TimeUnstepStep = v; }
    void SetSpeeds(float low, float cruise, float high) override {
        VLow = low;
        VCruise = cruise;
        VHigh = high;
    }
    int32_t GetKind() override { return Kind; }
    void SetMMSI(int32_t v) override { MMSI = v; }

    // Sentinels: a value the reader forgot to set stays recognisable.
    int32_t Kind = -7, MMSI = -7, Displacement = -7, TimeUnstepStep = -7;
    int32_t Value45 = -7, Value47 = -7, Value51 = -7;
    bool Commercial = false, Electric = false, Loaded = false;
    float Draught = -7, MinDepthTolerance = -7, PosDrag = -7, HeightStepped = -7,
          HeightUnstepped = -7, HeightSafeMargin = -7, Length = -7, Width = -7,
          MotorLowSOG = -7, VLow = -7, VCruise = -7, VHigh = -7;
    float ReductionSpeed = -7, ReductionEnergy = -7, ReductionFuel = -7;
    TFloat2 GPSPosition{-7, -7};
    TGUID Polar = MakeGUID(7);
    QString Name = QStringLiteral("<unset>");
    FakeCurve ElectricCurve, FuelCurve;

private:
    TStrWRec FNameRec;
};

// A reference list in insertion order that never owns its objects.
template <class Base>
class FakeList : public Base {
public:
    void Add(NavObject *obj) override { Items.push_back(obj); }
    void AddAll(IWptObjectList *other, int32_t &err) override {
        err = 0;
        for (int32_t i = 0; i < other->GetCount(); ++i) Items.push_back(other->GetItem(i));
    }
    void Clear() override { Items.clear(); }
    bool Find(NavObject *obj, int32_t &index) override {
        index = IndexOf(obj);
        return index >= 0;
    }
    void Remove(NavObject *obj) override { std::erase(Items, obj); }
    void SetCompare(WptObjectCompareProc) override {}
    void SetSortMode(int32_t) override {}
    NavObject *GetItem(int32_t i) override { return Items.at(size_t(i)); }
    int32_t GetCount() override { return int32_t(Items.size()); }
    void Assign(IWptObjectList *other) override {
        Items.clear();
        int32_t err = 0;
        AddAll(other, err);
    }
    void Delete(int32_t index) override { Items.erase(Items.begin() + index); }
    int32_t IndexOf(NavObject *obj) override {
        const auto it = std::find(Items.begin(), Items.end(), obj);
        return it == Items.end() ? -1 : int32_t(it - Items.begin());
    }
    void SetOwnsObjects(bool) override {}
    std::vector<NavObject *> Items;
};

class MockNavBoat : public INavBoat {
public:
    MOCK_METHOD(void, Stop, (), (override));
    MOCK_METHOD(void, Start, (bool simulate), (override));
    MOCK_METHOD(void, UpdateSecond, (const TLoopRecord &loop, float timeOffset, float predictedTimeOffset, IGeodeticCalibration *calOrNull, uint32_t &changeFlags), (override));
    MOCK_METHOD(int32_t, GetInputModeCurrent, (), (override));
    MOCK_METHOD(INavBoatDevice *, GetSimulatorGPSDevice, (), (override));
    MOCK_METHOD(bool, GetInterpolation, (), (override));
    MOCK_METHOD(INavLogbook *, GetLogbook, (), (override));
    MOCK_METHOD(INavRouteNavigation *, GetRouteNavigation, (), (override));
    MOCK_METHOD(INavBoatDevice *, GetSimulatorSounderDevice, (), (override));
    MOCK_METHOD(void, FillLogbookContext, (TLogbookContext &out), (override));
    MOCK_METHOD(INavTrack *, GetTrack, (), (override));
    MOCK_METHOD(int32_t, GetInputModeWind, (), (override));
    MOCK_METHOD(void, GotoWaypoint, (IWptWaypoint *wp, IWptPlanner *planner, float pathWidth), (override));
    MOCK_METHOD(void, StartDefaultRoute, (NavObject *node, double position, bool forward, IWptPlanner *planner, float pathWidth), (override));
    MOCK_METHOD(void, SetInputModeCurrent, (int32_t mode), (override));
    MOCK_METHOD(void, SetDistanceOverGround, (double metres), (override));
    MOCK_METHOD(void, AttachLogbook, (INavLogbook *logbook), (override));
    MOCK_METHOD(void, AttachTrack, (INavTrack *track), (override));
    MOCK_METHOD(void, SetWaterwayNetwork, (IWWNetwork *network), (override));
    MOCK_METHOD(void, SetInputModeWind, (bool mode), (override));
    MOCK_METHOD(void, StartLogbookRecording, (bool store), (override));
    MOCK_METHOD(void, StartRouteNavigation, (IWptPlanner *planner, IWptRoutePoint *fromPoint, bool flag, double dogRoute, TDateTime startTime, float pathWidth, TargetChangedProc targetChanged, void *targetChangedData, PointPassedProc pointPassed, void *pointPassedData, PointReachedProc pointReached, void *pointReachedData), (override));
    MOCK_METHOD(void, StopLogbookRecording, (bool store), (override));
    MOCK_METHOD(void, StopRouteNavigation, (), (override));
    MOCK_METHOD(int32_t, GetNavigationState, (), (override));
    MOCK_METHOD(bool, IsSimulating, (), (override));
    MOCK_METHOD(bool, HasPosition, (), (override));
    MOCK_METHOD(bool, GetPosition, (TGeoPoint &out), (override));
    MOCK_METHOD(void, SetPosition, (const TGeoPoint &position), (override));
    MOCK_METHOD(bool, GetGlobalPosition, (TDouble3 &out), (override));
    MOCK_METHOD(INavBoatState *, GetState, (), (override));
    MOCK_METHOD(INavBoatGPS *, GetGPS, (), (override));
    MOCK_METHOD(INavMsgPort *, GetSimulator, (), (override));
    MOCK_METHOD(INavBoatSimulator *, GetSimulatorControl, (), (override));
    MOCK_METHOD(bool, GetDialogFlag, (), (override));
    MOCK_METHOD(void, SetDialogFlag, (bool enabled), (override));
    MOCK_METHOD(double, GetDistanceOverGround, (), (override));
    MOCK_METHOD(IWWSection *, GetWaterwayObject, (), (override));
    MOCK_METHOD(double, GetWaterwayObjectPosition, (), (override));
    MOCK_METHOD(bool, IsValueValid, (int32_t kind), (override));
};

class MockNavBoatState : public INavBoatState {
public:
    MOCK_METHOD(float, GetVAbsAngle, (), (override));
    MOCK_METHOD(TVector, GetCurrent, (), (override));
    MOCK_METHOD(float, GetCWD, (), (override));
    MOCK_METHOD(int32_t, GetEnabledDevices, (), (override));
    MOCK_METHOD(float, GetRun, (), (override));
    MOCK_METHOD(float, GetVAbsLength, (), (override));
    MOCK_METHOD(TVector, GetPortTack, (), (override));
    MOCK_METHOD(TVector, GetStarboardTack, (), (override));
    MOCK_METHOD(TVector, GetWindAbs, (), (override));
    MOCK_METHOD(TVector, GetWindRel, (), (override));
    MOCK_METHOD(void, SetState, (const TVector *vAbs, const TVector *current, const TVector *windAbs, const TVector *windRel, float heading, float run, float cwd, bool flag1, bool flag2, int32_t mode), (override));
    MOCK_METHOD(void, SetPortTack, (const TVector &tack), (override));
    MOCK_METHOD(void, SetStarboardTack, (const TVector &tack), (override));
    MOCK_METHOD(bool, GetZeroCurrent, (), (override));
    MOCK_METHOD(void, SetZeroCurrent, (bool zero), (override));
    MOCK_METHOD(bool, GetZeroDrift, (), (override));
    MOCK_METHOD(void, SetZeroDrift, (bool zero), (override));
    MOCK_METHOD(bool, GetDriftFixed, (), (override));
};

class MockWptManager : public IWptManager {
public:
    MOCK_METHOD(void, BeginUpdate, (int32_t a, int32_t b), (override));
    MOCK_METHOD(void, ReleaseNetworkData, (), (override));
    MOCK_METHOD(IWptDatabase *, NewDatabase, (const TStrWRec &name), (override));
    MOCK_METHOD(void, EndUpdate, (), (override));
    MOCK_METHOD(int32_t, IndexOfDatabase, (const TGUID &guid), (override));
    MOCK_METHOD(bool, FindPolygon, (const TGUID &guid, int32_t &index), (override));
    MOCK_METHOD(bool, FindRoute, (const TGUID &guid, int32_t &index), (override));
    MOCK_METHOD(IWptWaypointGroup *, GetWaypointGroup, (int32_t i), (override));
    MOCK_METHOD(int32_t, GetWaypointGroupCount, (), (override));
    MOCK_METHOD(IWptPolygon *, GetPolygon, (int32_t i), (override));
    MOCK_METHOD(IWptRoute *, GetRoute, (int32_t i), (override));
    MOCK_METHOD(int32_t, GetRouteCount, (), (override));
    MOCK_METHOD(const TWptDisplaySettings *, GetDisplaySettings, (), (override));
    MOCK_METHOD(void, CollectWaypoints, (IWptWaypointList *out, IWptWaypointGroupList *groups, int32_t reserved1, int32_t reserved2, const void *area, int32_t flag), (override));
    MOCK_METHOD(bool, HoldsRoute, (IWptRoute *route), (override));
    MOCK_METHOD(IWptDatabase *, OpenDatabase, (const TStrWRec &file, int64_t position, int32_t &err), (override));
    MOCK_METHOD(IWptDatabase *, OpenDatabaseRecover, (const TStrWRec &file, int64_t position, IStrW *nameInOut, int32_t &backupNotice, int32_t &err), (override));
    MOCK_METHOD(void, RelinkNetwork, (), (override));
    MOCK_METHOD(void, SetVisibleGroups, (IWptWaypointGroupList *groups, uint32_t chartModules), (override));
    MOCK_METHOD(void, SetVisiblePolygons, (IWptPolygonList *polygons, uint32_t chartModules), (override));
    MOCK_METHOD(void, SetWaypointList, (IWptWaypointList *waypoints, uint32_t chartModules), (override));
    MOCK_METHOD(void, SetWaterwayNetwork, (IWWNetwork *network), (override));
    MOCK_METHOD(void, AfterLoad, (), (override));
    MOCK_METHOD(int32_t, GetDatabaseCount, (), (override));
    MOCK_METHOD(IWptDatabase *, GetDatabase, (int32_t i), (override));
    MOCK_METHOD(int32_t, GetWaypointCount, (), (override));
    MOCK_METHOD(IWptWaypoint *, GetWaypoint, (int32_t i), (override));
    MOCK_METHOD(bool, FindWaypoint, (const TGUID &guid, int32_t &index), (override));
    MOCK_METHOD(bool, HasObject, (const TGUID &guid), (override));
    MOCK_METHOD(int32_t, GetWaypointTypeCount, (), (override));
    MOCK_METHOD(IWptWaypointType *, GetWaypointType, (int32_t i), (override));
    MOCK_METHOD(int32_t, GetPolygonCount, (), (override));
    MOCK_METHOD(IWptWaypointType *, GetDefaultWaypointType, (), (override));
    MOCK_METHOD(IWptWaypointGroup *, GetUngroupedGroup, (), (override));
    MOCK_METHOD(IWptWaypointGroup *, GetUserGroup, (), (override));
};

class MockWptDatabase : public IWptDatabase {
public:
    MOCK_METHOD(IWptRoute *, NewRoute, (TDateTime departureUtc), (override));
    MOCK_METHOD(IWptWaypointType *, NewType, (const TWptTypeDef &def, int32_t &err), (override));
    MOCK_METHOD(bool, FindGroup, (const TStrWRec &name, int32_t &index), (override));
    MOCK_METHOD(bool, FindType, (const TStrWRec &name, int32_t &index), (override));
    MOCK_METHOD(const TStrWRec *, GetTitle, (), (override));
    MOCK_METHOD(bool, IsSelected, (), (override));
    MOCK_METHOD(const TStrWRec *, GetFileName, (), (override));
    MOCK_METHOD(IWptWaypointGroup *, GetWaypointGroup, (int32_t i), (override));
    MOCK_METHOD(int32_t, GetWaypointGroupCount, (), (override));
    MOCK_METHOD(const TGUID *, GetGUID, (), (override));
    MOCK_METHOD(const TStrWRec *, GetName, (), (override));
    MOCK_METHOD(IWptRoute *, GetRoute, (int32_t i), (override));
    MOCK_METHOD(int32_t, GetRouteCount, (), (override));
    MOCK_METHOD(TDateTime, GetDate, (), (override));
    MOCK_METHOD(void, Close, (), (override));
    MOCK_METHOD(void, GetSaveResult, (int32_t &err), (override));
    MOCK_METHOD(void, SaveToFile, (const TStrWRec &file, int32_t &err), (override));
    MOCK_METHOD(void, SetSelected, (bool selected), (override));
    MOCK_METHOD(int32_t, GetWaypointTypeCount, (), (override));
    MOCK_METHOD(IWptWaypointType *, GetWaypointType, (int32_t i), (override));
    MOCK_METHOD(IWptManager *, GetManager, (), (override));
    MOCK_METHOD(bool, IsProtected, (), (override));
    MOCK_METHOD(bool, IsWritable, (), (override));
    MOCK_METHOD(IWptRoute *, CopyRoute, (IWptRoute *r, bool reversed), (override));
    MOCK_METHOD(IWptWaypoint *, NewWaypoint, (void *reserved, const TGeoPoint3 &pos, IWptWaypointType *type), (override));
    MOCK_METHOD(IWptWaypointGroup *, NewWaypointGroup, (void *reserved), (override));
    MOCK_METHOD(IWptWaypointGroup *, NewWaypointGroupFrom, (void *reserved, IWptWaypointGroup *source), (override));
    MOCK_METHOD(IWptWaypointType *, NewWaypointTypeFrom, (void *reserved, IWptWaypointType *source), (override));
    MOCK_METHOD(bool, FindWaypointGroupByGUID, (const TGUID &guid, int32_t &index), (override));
    MOCK_METHOD(bool, FindWaypointTypeByGUID, (const TGUID &guid, int32_t &index), (override));
    MOCK_METHOD(void, Clear, (int32_t &err), (override));
    MOCK_METHOD(int32_t, GetObjectCount, (), (override));
    MOCK_METHOD(int32_t, GetPolygonCount, (), (override));
    MOCK_METHOD(IWptPolygon *, GetPolygon, (int32_t i), (override));
    // Too many arguments for a mock; no test here reaches it.
    void MergeObjects(IWptWaypointTypeList *types, DuplicateProc typeDup, void *typeData, IWptWaypointList *waypoints, DuplicateProc waypointDup, void *waypointData, IWptWaypointGroupList *groups, DuplicateProc groupDup, void *groupData, IWptPolygonList *polygons, DuplicateProc polygonDup, void *polygonData, IWptRouteList *routes, DuplicateProc routeDup, void *routeData, IWptObjectList *typesAdded, IWptObjectList *waypointsAdded, IWptObjectList *groupsAdded, IWptObjectList *polygonsAdded, IWptObjectList *routesAdded, IWptRouteGUIDChangeList *guidChanges, int32_t &err) override { ADD_FAILURE() << "unexpected MergeObjects"; }
};

class MockWptWaypointGroup : public IWptWaypointGroup {
public:
    MOCK_METHOD(const TGUID *, GetGUID, (), (override));
    MOCK_METHOD(const TStrWRec *, GetName, (), (override));
    MOCK_METHOD(IWptDatabase *, GetDatabase, (), (override));
    MOCK_METHOD(void, DeleteFromDatabase, (int32_t &err), (override));
    MOCK_METHOD(void, SetName, (const TStrWRec &name, int32_t &err), (override));
    MOCK_METHOD(bool, IsProtected, (), (override));
    MOCK_METHOD(bool, IsVisibleIn, (uint32_t chartModules), (override));
    MOCK_METHOD(void, SetVisible, (bool visible, uint32_t groupValue), (override));
    MOCK_METHOD(int32_t, GetWaypointCount, (), (override));
    MOCK_METHOD(bool, IsUngrouped, (), (override));
    MOCK_METHOD(bool, IsReadOnly, (), (override));
    MOCK_METHOD(void, AddWaypoint, (IWptWaypoint *waypoint, int32_t &err), (override));
};

class MockWptPolygon : public IWptPolygon {
public:
    MOCK_METHOD(const TGUID *, GetGUID, (), (override));
    MOCK_METHOD(const TStrWRec *, GetName, (), (override));
    MOCK_METHOD(IWptDatabase *, GetDatabase, (), (override));
    MOCK_METHOD(void, DeleteFromDatabase, (int32_t &err), (override));
    MOCK_METHOD(void, SetName, (const TStrWRec &name, int32_t &err), (override));
    MOCK_METHOD(bool, IsProtected, (), (override));
    MOCK_METHOD(bool, IsComplete, (), (override));
    MOCK_METHOD(void, AddPoint, (const TGeoPoint &pos, int32_t &err), (override));
    MOCK_METHOD(void, DeletePoint, (NavObject *point, int32_t &err), (override));
};

class MockWptRoute : public IWptRoute {
public:
    MOCK_METHOD(const TGUID *, GetGUID, (), (override));
    MOCK_METHOD(const TStrWRec *, GetName, (), (override));
    MOCK_METHOD(IWptDatabase *, GetDatabase, (), (override));
    MOCK_METHOD(void, DeleteFromDatabase, (int32_t &err), (override));
    MOCK_METHOD(void, SetName, (const TStrWRec &name, int32_t &err), (override));
    MOCK_METHOD(bool, IsProtected, (), (override));
    MOCK_METHOD(bool, IsDefaultRoute, (), (override));
    MOCK_METHOD(bool, IsReadOnly, (), (override));
    MOCK_METHOD(IWptRoutePoint *, AddPointAtPosition, (const TRoutePosition &pos, int32_t &err), (override));
    MOCK_METHOD(IWptRoutePoint *, AddNetworkPoint, (IWWSection *section, double offset, int32_t reserved, int32_t &err), (override));
    MOCK_METHOD(bool, IsCalculating, (), (override));
    MOCK_METHOD(int32_t, GetPointCount, (), (override));
    MOCK_METHOD(const TStrWRec *, GetGroupName, (), (override));
    MOCK_METHOD(IWptRoutePoint *, GetLastPoint, (), (override));
    MOCK_METHOD(int32_t, GetMastMode, (), (override));
    MOCK_METHOD(IRouteChartCoverage *, GetChartCoverage, (), (override));
    MOCK_METHOD(IWptRoutePoint *, GetPoint, (int32_t i), (override));
    MOCK_METHOD(int32_t, GetVectorOption35, (), (override));
    MOCK_METHOD(int32_t, GetKind, (), (override));
    MOCK_METHOD(int32_t, GetVectorOption37, (), (override));
    MOCK_METHOD(int32_t, GetVectorOption39, (), (override));
    MOCK_METHOD(void, DeletePoint, (IWptRoutePoint *point, int32_t &err), (override));
    MOCK_METHOD(void, SetUpdating, (int32_t updating), (override));
    MOCK_METHOD(void, SetGroupName, (const TStrWRec &name, int32_t &err), (override));
    MOCK_METHOD(void, SetStartTime, (TDateTime utc), (override));
    MOCK_METHOD(TDateTime, GetStartTime, (), (override));
    MOCK_METHOD(int32_t, GetPlanMode, (), (override));
    MOCK_METHOD(void, SetPlanMode, (int32_t mode, int32_t &err), (override));
    MOCK_METHOD(int32_t, GetRouteMode, (), (override));
    MOCK_METHOD(IWptRoutePoint *, AddPointFromWaypoint, (IWptWaypoint *waypoint, int32_t reserved, int32_t flag, int32_t &err), (override));
    MOCK_METHOD(IWptRoutePoint *, AddPointAt, (NavObject *obj, double v1, double v2, int32_t reserved, int32_t &err), (override));
    MOCK_METHOD(IWptRoutePoint *, AddPoint, (const TGeoPoint3 &pos, void *reserved1, void *reserved2, int32_t &err), (override));
    MOCK_METHOD(int32_t, GetSpeedMode, (), (override));
    MOCK_METHOD(void, SetSpeedMode, (int32_t mode, int32_t &err), (override));
    MOCK_METHOD(uint32_t, GetWaterBodyMask, (), (override));
    MOCK_METHOD(void, SetWaterBodyMask, (uint32_t mask, int32_t &err), (override));
    MOCK_METHOD(bool, GetLength, (double &metres), (override));
    MOCK_METHOD(void, SetDefaultWaypointType, (IWptWaypointType *type, int32_t &err), (override));
    MOCK_METHOD(IWptRouteSchedule *, GetSchedule, (), (override));
};

class MockWptRoutePoint : public IWptRoutePoint {
public:
    MOCK_METHOD(const TGUID *, GetGUID, (), (override));
    MOCK_METHOD(IWptDatabase *, GetDatabase, (), (override));
    MOCK_METHOD(void, DeleteFromDatabase, (int32_t &err), (override));
    MOCK_METHOD(bool, IsProtected, (), (override));
    MOCK_METHOD(int32_t, GetIndex, (), (override));
    MOCK_METHOD(const TStrWRec *, GetDisplayName, (), (override));
    MOCK_METHOD(IWptRoutePoint *, GetNext, (), (override));
    MOCK_METHOD(IWptPlanPoint *, GetPlanPoint, (), (override));
    MOCK_METHOD(const TStrWRec *, GetName, (), (override));
    MOCK_METHOD(const TRoutePosition *, GetPosition, (), (override));
    MOCK_METHOD(IWptRoute *, GetRoute, (), (override));
    MOCK_METHOD(IWptWaypoint *, GetWaypoint, (), (override));
    MOCK_METHOD(void, SetName, (const TStrWRec &name, int32_t &err), (override));
    MOCK_METHOD(void, ReleaseWaypoint, (), (override));
    MOCK_METHOD(IWptRoutePoint *, GetPrevious, (), (override));
    MOCK_METHOD(bool, IsDirect, (), (override));
    MOCK_METHOD(void, SetPosition, (const TGeoPoint &pos, int32_t &err), (override));
    MOCK_METHOD(double, GetRadius, (), (override));
    MOCK_METHOD(void, SetRadius, (float radiusM, int32_t &err), (override));
    MOCK_METHOD(const TRouteStayRec *, GetStay, (), (override));
    MOCK_METHOD(void, SetStay, (const TRouteStayRec &stay, int32_t &err), (override));
    MOCK_METHOD(double, GetXTELimit, (), (override));
};

class MockNavTrack : public INavTrack {
public:
    MOCK_METHOD(const TStrWRec *, GetFileName, (), (override));
    MOCK_METHOD(const TStrWRec *, GetName, (), (override));
    MOCK_METHOD(int32_t, GetPointCount, (), (override));
    MOCK_METHOD(void, SaveToFile, (const TStrWRec &file, int32_t &err), (override));
    MOCK_METHOD(void, SetColor, (uint32_t argb), (override));
    MOCK_METHOD(void, SetName, (const TStrWRec &name), (override));
    MOCK_METHOD(void, SetWidth, (float width), (override));
    MOCK_METHOD(void, AddPoint, (TDateTime timeOr0, const TGeoPoint3 &pos, int32_t &err), (override));
    MOCK_METHOD(const TTrackPoint *, GetPoint, (int32_t i), (override));
    MOCK_METHOD(int32_t, IndexAtTime, (TDateTime utc), (override));
    MOCK_METHOD(TDateTime, GetStartTime, (), (override));
    MOCK_METHOD(TDateTime, GetEndTime, (), (override));
    MOCK_METHOD(double, GetDuration, (), (override));
    MOCK_METHOD(bool, HasTimes, (), (override));
    MOCK_METHOD(void, SetHasTimes, (bool hasTimes), (override));
    MOCK_METHOD(uint32_t, GetColor, (), (override));
    MOCK_METHOD(void, GetMotionAt, (TDateTime t, float &speed, float &course), (override));
};

class MockWWNetwork : public IWWNetwork {
public:
    MOCK_METHOD(void, Merge, (IWWNetwork *other, int32_t &err), (override));
    MOCK_METHOD(void, NearestLocation, (IWWSection *&section, double &offset, double &distance, const TGeoPoint &pos, bool commercial, float length, float width, float height, float draught), (override));
    MOCK_METHOD(bool, FindStruct, (const TGUID *guid, int32_t &index), (override));
    MOCK_METHOD(int32_t, GetVersion, (), (override));
    MOCK_METHOD(IWWStruct *, GetStruct, (int32_t index), (override));
    MOCK_METHOD(bool, FindStructByID, (const TStrWRec &identifier, int32_t &index), (override));
    MOCK_METHOD(int32_t, GetStructCount, (), (override));
    MOCK_METHOD(int32_t, GetFairwayCount, (), (override));
    MOCK_METHOD(IWWFairway *, GetFairway, (int32_t index), (override));
    MOCK_METHOD(bool, FindFairway, (const TGUID &guid, int32_t &index), (override));
    MOCK_METHOD(IWWSection *, GetSection, (int32_t index), (override));
    MOCK_METHOD(bool, FindSection, (const TGUID &guid, int32_t &index), (override));
    MOCK_METHOD(void, FindNearestSection, (IWWSection *&section, double &position, double &unused, const TGeoPoint &pos), (override));
    MOCK_METHOD(bool, HasWaterBody, (int32_t n), (override));
};

class MockWWStruct : public IWWStruct {
public:
    MOCK_METHOD(int32_t, GetKind, (), (override));
    MOCK_METHOD(int32_t, GetOtherType, (), (override));
    MOCK_METHOD(void, SetWaitingTime, (int32_t seconds), (override));
    MOCK_METHOD(IWWStructItem *, GetItem, (int32_t passageIndex), (override));
    MOCK_METHOD(int32_t, GetBarrierKind, (), (override));
    MOCK_METHOD(const TGUID *, GetGUID, (), (override));
    MOCK_METHOD(const TStrWRec *, GetName, (), (override));
    MOCK_METHOD(const TStrWRec *, GetPlace, (), (override));
    MOCK_METHOD(const TStrWRec *, GetVHFChannel, (), (override));
    MOCK_METHOD(const TStrWRec *, GetISRS, (), (override));
    MOCK_METHOD(const TStrWRec *, GetAddress, (), (override));
    MOCK_METHOD(const TStrWRec *, GetPostalCode, (), (override));
    MOCK_METHOD(const TStrWRec *, GetPhone, (), (override));
    MOCK_METHOD(const TStrWRec *, GetComplex, (), (override));
    MOCK_METHOD(void, GetTexts, (IStrW *label, IStrW *subtext), (override));
    MOCK_METHOD(void, GetImages, (IStrWList *fileNames), (override));
    MOCK_METHOD(IWWSection *, GetSection, (), (override));
    MOCK_METHOD(double, GetSectionPosition, (), (override));
    MOCK_METHOD(TDouble3, GetGlobalPosition, (), (override));
    MOCK_METHOD(IWWManager *, GetManager, (), (override));
    MOCK_METHOD(bool, IsNormallyOpen, (), (override));
    MOCK_METHOD(float, GetFall, (), (override));
    MOCK_METHOD(int32_t, GetPassageCount, (), (override));
    MOCK_METHOD(IWWPassage *, GetPassage, (int32_t index), (override));
    MOCK_METHOD(int32_t, GetItemCount, (), (override));
    MOCK_METHOD(int32_t, GetWaitingTime, (), (override));
    MOCK_METHOD(int32_t, GetOperatingPeriodCount, (), (override));
    MOCK_METHOD(IWWOperatingPeriod *, GetOperatingPeriod, (int32_t index), (override));
    MOCK_METHOD(int32_t, GetSpecialDayRuleCount, (), (override));
    MOCK_METHOD(IWWSpecialDayRule *, GetSpecialDayRule, (int32_t index), (override));
    MOCK_METHOD(int32_t, GetControlKind, (), (override));
};

class MockWptPlanner : public IWptPlanner {
public:
    MOCK_METHOD(float, GetNAPWaterLevel, (), (override));
    MOCK_METHOD(float, GetParam2, (), (override));
    MOCK_METHOD(float, GetParam3, (), (override));
    MOCK_METHOD(void, Calculate, (ILPBoatDef *boatDef, IWptRoute *route, int32_t reserved, bool flag1, bool flag2, bool flag3), (override));
    MOCK_METHOD(void, SetPlannerValueA5, (float value), (override));
    MOCK_METHOD(void, SetPlannerValueA9, (float value), (override));
    MOCK_METHOD(void, Reset, (int32_t reserved), (override));
    MOCK_METHOD(void, SetBridgeWaitTime, (int32_t seconds), (override));
    MOCK_METHOD(void, SetLockWaitTime, (int32_t seconds), (override));
    MOCK_METHOD(void, SetPlannerValueA3, (int32_t value), (override));
    MOCK_METHOD(void, SetPlannerValueA4, (float value), (override));
    MOCK_METHOD(void, SetImposeSpeedLimit, (bool impose), (override));
    MOCK_METHOD(void, SetPlannerValueA11, (float value), (override));
    MOCK_METHOD(void, SetPlannerValueA10, (float value), (override));
    MOCK_METHOD(void, SetPlannerFlagA14, (bool value), (override));
    MOCK_METHOD(void, SetPlannerFlagA13, (bool value), (override));
    MOCK_METHOD(void, ResetValue44, (int32_t reserved), (override));
    MOCK_METHOD(void, ResetValue45, (int32_t reserved), (override));
    MOCK_METHOD(void, SetNAPWaterLevel, (float metres), (override));
    MOCK_METHOD(void, SetPlannerValueA7, (float value), (override));
    MOCK_METHOD(void, SetPlannerValueA8, (float value), (override));
    MOCK_METHOD(void, SetWaterwayNetwork, (IWWNetwork *network, IChartManager *cm), (override));
    MOCK_METHOD(int32_t, GetBridgeWaitTime, (), (override));
    MOCK_METHOD(int32_t, GetLockWaitTime, (), (override));
    MOCK_METHOD(bool, GetImposeSpeedLimit, (), (override));
    MOCK_METHOD(int32_t, GetPlannerValueA3, (), (override));
    MOCK_METHOD(float, GetPlannerValueA4, (), (override));
    MOCK_METHOD(float, GetPlannerValueA5, (), (override));
    MOCK_METHOD(float, GetPlannerValueA7, (), (override));
    MOCK_METHOD(float, GetPlannerValueA8, (), (override));
    MOCK_METHOD(float, GetPlannerValueA9, (), (override));
    MOCK_METHOD(float, GetPlannerValueA10, (), (override));
    MOCK_METHOD(float, GetPlannerValueA11, (), (override));
    MOCK_METHOD(bool, GetPlannerFlagA13, (), (override));
    MOCK_METHOD(bool, GetPlannerFlagA14, (), (override));
    MOCK_METHOD(void, Refresh, (), (override));
};

}  // namespace settingstest
