// Route defaults, planner values, route editing modes, own waiting times and the sailing
// area against the real settings store.
#include "SettingsDoubles.h"

#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegRoutes.h"
#include "base/strings/KvStrUtils.h"

#include <functional>

using namespace settingstest;
using ::testing::_;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::StrictMock;

namespace {

constexpr int32_t Root = AppRegRoot::Product;
const QString KeyRoutes = QStringLiteral("Routes");

class RouteSettings : public SettingsStoreTest {};

// Every stored field of the record, for comparing two records field by field.
void ExpectSameStoredFields(const TWptRouteDefaults &a, const TWptRouteDefaults &b) {
    EXPECT_EQ(a.CalcDryingOut, b.CalcDryingOut);
    EXPECT_FLOAT_EQ(a.DepthTolerance, b.DepthTolerance);
    EXPECT_EQ(a.MastMode, b.MastMode);
    EXPECT_EQ(a.MotoringSpeed, b.MotoringSpeed);
    EXPECT_EQ(a.PlannerMode, b.PlannerMode);
    EXPECT_FLOAT_EQ(a.RiverCurrentFactor, b.RiverCurrentFactor);
    EXPECT_EQ(a.SectionInfoDistance, b.SectionInfoDistance);
    EXPECT_EQ(a.SrcCurrent, b.SrcCurrent);
    EXPECT_EQ(a.SrcTideHeight, b.SrcTideHeight);
    EXPECT_EQ(a.SrcWind, b.SrcWind);
    EXPECT_EQ(a.WaterBodies, b.WaterBodies);
    EXPECT_FLOAT_EQ(a.WindSurge, b.WindSurge);
    EXPECT_EQ(a.XTEAlarm, b.XTEAlarm);
    EXPECT_FLOAT_EQ(a.PointManualCurrentL, b.PointManualCurrentL);
    EXPECT_FLOAT_EQ(a.PointManualCurrentA, b.PointManualCurrentA);
    EXPECT_FLOAT_EQ(a.PointManualDepthLAT, b.PointManualDepthLAT);
    EXPECT_FLOAT_EQ(a.PointManualDepthNAP, b.PointManualDepthNAP);
    EXPECT_FLOAT_EQ(a.PointManualWindL, b.PointManualWindL);
    EXPECT_FLOAT_EQ(a.PointManualWindA, b.PointManualWindA);
    EXPECT_EQ(a.PointOpenLegOptimization, b.PointOpenLegOptimization);
    EXPECT_FLOAT_EQ(a.PointRadius, b.PointRadius);
    EXPECT_EQ(a.PointTravelMode, b.PointTravelMode);
    EXPECT_EQ(a.PointBiSector, b.PointBiSector);
}

}  // namespace

TEST_F(RouteSettings, EmptyStoreGivesTheDefaults) {
    TWptRouteDefaults d;
    d.WaterBodies = 0;
    d.PointRadius = -1.0f;
    RegReadRouteDefaults(d);
    ExpectSameStoredFields(d, TWptRouteDefaults{});
    EXPECT_EQ(d.WaterBodies, 0x0E7Eu);
    EXPECT_FLOAT_EQ(d.DepthTolerance, 0.2f);
    EXPECT_FLOAT_EQ(d.RiverCurrentFactor, 1.0f);
    EXPECT_EQ(d.SectionInfoDistance, 300);
    EXPECT_FLOAT_EQ(d.PointRadius, 100.0f);

    uint16_t areas = 0xFFFF;
    RegReadSailingAreas(areas);
    EXPECT_EQ(areas, 0x0100);
    EXPECT_EQ(RegReadEditPointModes(), 13);

    StrictMock<MockWptPlanner> planner;
    EXPECT_CALL(planner, ResetValue44(0));
    EXPECT_CALL(planner, ResetValue45(0));
    TPlannerSettings s;
    s.ValueA3 = 9;
    s.ValueA11 = 9.0f;
    s.FlagA13 = true;
    RegReadPlannerSettings(&planner, s);
    EXPECT_EQ(s.DelayBridges, 300);
    EXPECT_EQ(s.DelayLocks, 1200);
    EXPECT_FLOAT_EQ(s.NAPWaterLevel, 1.0f);
    EXPECT_TRUE(s.ImposeSpeedLimit);
    EXPECT_EQ(s.ValueA3, 0);
    EXPECT_EQ(s.ValueA11, 0.0f);
    EXPECT_FALSE(s.FlagA13);
}

TEST_F(RouteSettings, RouteDefaultsRoundTripKeepsEveryWrittenField) {
    TWptRouteDefaults w;
    w.CalcDryingOut = true;
    w.DepthTolerance = 0.35f;
    w.MastMode = 2;
    w.MotoringSpeed = 3;
    w.PlannerMode = WptPlanMode::Cheapest;
    w.RiverCurrentFactor = 0.75f;
    w.SectionInfoDistance = 1250;
    w.SrcCurrent = 3;
    w.SrcTideHeight = 2;
    w.SrcWind = 2;
    w.WaterBodies = 0x1F0A5u;
    w.WindSurge = 0.4f;
    w.XTEAlarm = true;
    w.PointManualCurrentL = 0.8f;
    w.PointManualCurrentA = 1.9f;
    w.PointManualDepthLAT = 3.1f;
    w.PointManualDepthNAP = 2.7f;
    w.PointManualWindL = 9.5f;
    w.PointManualWindA = 4.4f;
    w.PointOpenLegOptimization = true;
    w.PointRadius = 65.0f;
    w.PointTravelMode = 2;
    w.PointBiSector = true;
    // Not stored: these come back as 0.
    w.DepthDependentSpeed = true;
    w.Reserved32 = 5;
    w.Reserved40 = 6;
    w.Reserved48 = true;
    RegWriteRouteDefaults(w);

    TWptRouteDefaults r;
    RegReadRouteDefaults(r);
    ExpectSameStoredFields(r, w);
    EXPECT_FALSE(r.DepthDependentSpeed);
    EXPECT_EQ(r.Reserved32, 0);
    EXPECT_EQ(r.Reserved40, 0);
    EXPECT_FALSE(r.Reserved48);
}

TEST_F(RouteSettings, EveryWaterBodyHasItsOwnValue) {
    for (int n = 0; n < WptWaterBody::Count; ++n) {
        SCOPED_TRACE(n);
        TWptRouteDefaults w;
        w.WaterBodies = 1u << n;
        RegWriteRouteDefaults(w);
        TWptRouteDefaults r;
        RegReadRouteDefaults(r);
        EXPECT_EQ(r.WaterBodies, 1u << n);
    }
}

// What a value stored by anyone reads as: the values the writer can store survive,
// anything else gives the field's fallback.
TEST_F(RouteSettings, StoredEnumerationsOutsideTheirListsGiveTheFallbacks) {
    struct Case {
        const char *name;
        const char16_t *valueName;
        int32_t stored;
        std::function<int32_t(const TWptRouteDefaults &)> field;
        int32_t expected;
    };
    const auto planner = [](const TWptRouteDefaults &d) { return d.PlannerMode; };
    const auto motoring = [](const TWptRouteDefaults &d) { return d.MotoringSpeed; };
    const auto mast = [](const TWptRouteDefaults &d) { return d.MastMode; };
    const auto srcWind = [](const TWptRouteDefaults &d) { return d.SrcWind; };
    const auto srcCurrent = [](const TWptRouteDefaults &d) { return d.SrcCurrent; };
    const auto srcTide = [](const TWptRouteDefaults &d) { return d.SrcTideHeight; };
    const auto travel = [](const TWptRouteDefaults &d) { return d.PointTravelMode; };
    const Case cases[] = {
        {"planner 1", u"DefaultPlannerMode", 1, planner, 1},
        {"planner 2", u"DefaultPlannerMode", 2, planner, 2},
        {"planner 3", u"DefaultPlannerMode", 3, planner, 3},
        {"planner 4", u"DefaultPlannerMode", 4, planner, 4},
        {"planner 5", u"DefaultPlannerMode", 5, planner, 0},
        {"planner 6", u"DefaultPlannerMode", 6, planner, 6},
        {"planner 8", u"DefaultPlannerMode", 8, planner, 0},
        {"motoring 1", u"DefaultMotoringSpeed", 1, motoring, 1},
        {"motoring 3", u"DefaultMotoringSpeed", 3, motoring, 3},
        {"motoring 4", u"DefaultMotoringSpeed", 4, motoring, 0},
        {"mast 2", u"DefaultMastMode", 2, mast, 2},
        {"mast 3", u"DefaultMastMode", 3, mast, 0},
        {"wind 0", u"DefaultSrcWind", 0, srcWind, 0},
        {"wind 2", u"DefaultSrcWind", 2, srcWind, 2},
        {"wind 5", u"DefaultSrcWind", 5, srcWind, 2},
        {"current 3", u"DefaultSrcCurrent", 3, srcCurrent, 3},
        {"current -1", u"DefaultSrcCurrent", -1, srcCurrent, 0},
        {"tide 4", u"DefaultSrcTideHeight", 4, srcTide, 0},
        {"travel 2", u"DefaultPointTravelMode", 2, travel, 2},
        {"travel 3", u"DefaultPointTravelMode", 3, travel, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t error = 0;
        RegWriteInteger(GetAppReg(), Root, KeyRoutes, Named(c.valueName), c.stored, error);
        TWptRouteDefaults r;
        RegReadRouteDefaults(r);
        EXPECT_EQ(c.field(r), c.expected);
    }
}

TEST_F(RouteSettings, WriterStoresTheSameFormsTheReaderAccepts) {
    TWptRouteDefaults w;
    w.PlannerMode = 5;
    w.SrcWind = 5;
    w.MotoringSpeed = 7;
    w.PointTravelMode = -2;
    RegWriteRouteDefaults(w);
    int32_t error = 0;
    EXPECT_EQ(RegReadInteger(GetAppReg(), Root, KeyRoutes, RegName(u"DefaultPlannerMode"), error), 0);
    EXPECT_EQ(RegReadInteger(GetAppReg(), Root, KeyRoutes, RegName(u"DefaultSrcWind"), error), 2);
    EXPECT_EQ(RegReadInteger(GetAppReg(), Root, KeyRoutes, RegName(u"DefaultMotoringSpeed"), error), 0);
    EXPECT_EQ(RegReadInteger(GetAppReg(), Root, KeyRoutes, RegName(u"DefaultPointTravelMode"), error), 0);
    TWptRouteDefaults r;
    RegReadRouteDefaults(r);
    EXPECT_EQ(r.SrcWind, 2);
}

TEST_F(RouteSettings, NegativeRiverCurrentFactorReadsAsZero) {
    struct Case { const char *name; float stored; float expected; };
    for (const Case c : {Case{"-0.5", -0.5f, 0.0f}, Case{"0", 0.0f, 0.0f}, Case{"1.5", 1.5f, 1.5f}}) {
        SCOPED_TRACE(c.name);
        int32_t error = 0;
        RegWriteSingle(GetAppReg(), Root, KeyRoutes, RegName(u"DefaultRiverCurrentFactor"),
                       c.stored, error);
        TWptRouteDefaults r;
        RegReadRouteDefaults(r);
        EXPECT_FLOAT_EQ(r.RiverCurrentFactor, c.expected);
    }
}

TEST_F(RouteSettings, PlannerValuesRoundTripAndOnlyFourPersist) {
    TPlannerSettings w;
    w.DelayBridges = 900;
    w.DelayLocks = 45;
    w.NAPWaterLevel = -0.4f;
    w.ImposeSpeedLimit = false;
    w.ValueA3 = 3;
    w.ValueA9 = 9.0f;
    w.FlagA14 = true;
    RegWritePlannerSettings(w);
    TPlannerSettings r;
    RegReadPlannerSettings(nullptr, r);
    EXPECT_EQ(r.DelayBridges, 900);
    EXPECT_EQ(r.DelayLocks, 45);
    EXPECT_FLOAT_EQ(r.NAPWaterLevel, -0.4f);
    EXPECT_FALSE(r.ImposeSpeedLimit);
    EXPECT_EQ(r.ValueA3, 0);
    EXPECT_EQ(r.ValueA9, 0.0f);
    EXPECT_FALSE(r.FlagA14);
}

TEST_F(RouteSettings, EditModesRoundTripIncludingDelete) {
    for (int32_t flags = 0; flags < 16; ++flags) {
        SCOPED_TRACE(flags);
        RegWriteEditPointModes(flags);
        EXPECT_EQ(RegReadEditPointModes(), flags);
    }
    // The main window stores only "EditPointDelete"; it is read into bit 0x2.
    int32_t error = 0;
    RegDeleteKey(GetAppReg(), Root, KeyRoutes, error);
    RegWriteBool(GetAppReg(), Root, KeyRoutes, RegName(u"EditPointDelete"), true, error);
    EXPECT_EQ(RegReadEditPointModes(), 15);
}

TEST_F(RouteSettings, SailingAreasRoundTrip) {
    struct Case { const char *name; uint16_t written; uint16_t read; };
    const Case cases[] = {{"none", 0, 0},
                          {"all fourteen", 0x3FFF, 0x3FFF},
                          {"alternate", 0x2A55, 0x2A55},
                          {"bits 14 and 15 dropped", 0xC001, 0x0001},
                          {"only Switzerland", 0x2000, 0x2000}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RegWriteSailingAreas(c.written);
        uint16_t areas = 0;
        RegReadSailingAreas(areas);
        EXPECT_EQ(areas, c.read);
    }
    int32_t error = 0;
    EXPECT_TRUE(RegReadBool(GetAppReg(), Root, QStringLiteral("Desktop\\SailingArea"),
                            RegName(u"Switzerland"), error));
}

TEST_F(RouteSettings, OwnWaitingTimesReachOnlyOperatedStructures) {
    struct Structure { uint32_t id; int32_t kind; int32_t seconds; bool applied; };
    const Structure structures[] = {
        {1, WWStructKind::Bridge, 240, true},
        {2, WWStructKind::OtherWork, 500, false},
        {3, WWStructKind::Lock, 1800, true},
        {4, WWStructKind::NonPhysicalBarrier, 60, true},
        {5, WWStructKind::ShipTunnel, 0, true},
        {6, WWStructKind::Barrier, 300, false},
    };
    NiceMock<MockWWNetwork> network;
    std::vector<std::unique_ptr<StrictMock<MockWWStruct>>> mocks;
    for (const Structure &s : structures) {
        RegWriteCustomWaitTime(MakeGUID(s.id), s.seconds);
        auto m = std::make_unique<StrictMock<MockWWStruct>>();
        EXPECT_CALL(*m, GetKind()).WillRepeatedly(Return(s.kind));
        if (s.applied) EXPECT_CALL(*m, SetWaitingTime(s.seconds));
        mocks.push_back(std::move(m));
    }
    // Stored, but for a structure the network does not know, and under a name that is no
    // GUID.
    RegWriteCustomWaitTime(MakeGUID(99), 120);
    int32_t error = 0;
    RegWriteInteger(GetAppReg(), Root, QStringLiteral("RouteNetwork\\CustomWaitTimes"),
                    RegName(u"abc"), 10, error);
    // A negative time removes the structure's entry.
    RegWriteCustomWaitTime(MakeGUID(7), 100);
    RegWriteCustomWaitTime(MakeGUID(7), -1);

    int lookups = 0;
    ON_CALL(network, FindStruct(_, _)).WillByDefault([&](const TGUID *guid, int32_t &index) {
        ++lookups;
        EXPECT_NE(guid->D1, 7u) << "a removed entry was looked up";
        for (size_t i = 0; i < std::size(structures); ++i)
            if (*guid == MakeGUID(structures[i].id)) {
                index = int32_t(i);
                return true;
            }
        return false;
    });
    ON_CALL(network, GetStruct(_)).WillByDefault([&](int32_t index) {
        return mocks.at(size_t(index)).get();
    });
    RegReadCustomWaitTimes(&network);
    EXPECT_EQ(lookups, int(std::size(structures)) + 1);  // the GUID names only
}
