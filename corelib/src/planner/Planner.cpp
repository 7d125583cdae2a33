// The route planner object: its fourteen settings, the network it plans over and the
// calculation of a route's plan.
//
// The further values of TPlannerSettings, as this library uses them:
//   A3  bit k set: sections of kind k are not used (0: every kind may be used)
//   A5  price of one unit of consumption (m³ of fuel, or energy); cost = consumption × A5
//   A7, A8  handed back by GetParam2 / GetParam3 (values for the chart viewer)
//   A4, A9, A10, A11, A13, A14  kept and handed back; no planning rule reads them
#include "planner/PlanBuilder.h"
#include "planner/PlannerEngine.h"
#include "planner/PlanObjects.h"
#include "units/UnitsInternal.h"
#include "waypoints/WptModel.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvPlanner.h"

#include <QDateTime>
#include <algorithm>
#include <memory>
#include <vector>

namespace kv::plan {

namespace {

// A route without a start time leaves now, by the clock the boat sails by: the receiver's
// time where one delivers it, as for route start times everywhere else.
TDateTime NowUtc() {
    return kv::TimeEngine().NowUTC();
}

class TWptPlanner final : public IWptPlanner {
public:
    TWptPlanner(const QString &folder, IChartManager *cm, IWptDatabase *userDb, IWWNetwork *net)
        : FFolder(folder), FCharts(cm), FUserDb(userDb) {
        SetWaterwayNetwork(net, cm);
    }

    float GetNAPWaterLevel() override { return FSettings.NAPWaterLevel; }
    float GetParam2() override { return FSettings.ValueA7; }
    float GetParam3() override { return FSettings.ValueA8; }
    void Calculate(ILPBoatDef *boatDef, IWptRoute *route, int32_t, bool, bool, bool) override;
    void SetPlannerValueA5(float v) override { FSettings.ValueA5 = v; }
    void SetPlannerValueA9(float v) override { FSettings.ValueA9 = v; }
    void Reset(int32_t) override { FEngine.reset(); }
    void SetBridgeWaitTime(int32_t s) override { FSettings.DelayBridges = std::max(0, s); }
    void SetLockWaitTime(int32_t s) override { FSettings.DelayLocks = std::max(0, s); }
    void SetPlannerValueA3(int32_t v) override { FSettings.ValueA3 = v; }
    void SetPlannerValueA4(float v) override { FSettings.ValueA4 = v; }
    void SetImposeSpeedLimit(bool impose) override { FSettings.ImposeSpeedLimit = impose; }
    void SetPlannerValueA11(float v) override { FSettings.ValueA11 = v; }
    void SetPlannerValueA10(float v) override { FSettings.ValueA10 = v; }
    void SetPlannerFlagA14(bool v) override { FSettings.FlagA14 = v; }
    void SetPlannerFlagA13(bool v) override { FSettings.FlagA13 = v; }
    // The settings store calls these before handing over stored values: back to the
    // initial values of the further settings.
    void ResetValue44(int32_t) override {
        const TPlannerSettings d;
        FSettings.ValueA3 = d.ValueA3, FSettings.ValueA4 = d.ValueA4, FSettings.ValueA5 = d.ValueA5,
        FSettings.ValueA7 = d.ValueA7;
    }
    void ResetValue45(int32_t) override {
        const TPlannerSettings d;
        FSettings.ValueA8 = d.ValueA8, FSettings.ValueA9 = d.ValueA9, FSettings.ValueA10 = d.ValueA10,
        FSettings.ValueA11 = d.ValueA11, FSettings.FlagA13 = d.FlagA13, FSettings.FlagA14 = d.FlagA14;
    }
    void SetNAPWaterLevel(float metres) override {
        if (std::isfinite(metres)) FSettings.NAPWaterLevel = metres;
    }
    void SetPlannerValueA7(float v) override { FSettings.ValueA7 = v; }
    void SetPlannerValueA8(float v) override { FSettings.ValueA8 = v; }
    void SetWaterwayNetwork(IWWNetwork *network, IChartManager *cm) override;

    int32_t GetBridgeWaitTime() override { return FSettings.DelayBridges; }
    int32_t GetLockWaitTime() override { return FSettings.DelayLocks; }
    bool GetImposeSpeedLimit() override { return FSettings.ImposeSpeedLimit; }
    int32_t GetPlannerValueA3() override { return FSettings.ValueA3; }
    float GetPlannerValueA4() override { return FSettings.ValueA4; }
    float GetPlannerValueA5() override { return FSettings.ValueA5; }
    float GetPlannerValueA7() override { return FSettings.ValueA7; }
    float GetPlannerValueA8() override { return FSettings.ValueA8; }
    float GetPlannerValueA9() override { return FSettings.ValueA9; }
    float GetPlannerValueA10() override { return FSettings.ValueA10; }
    float GetPlannerValueA11() override { return FSettings.ValueA11; }
    bool GetPlannerFlagA13() override { return FSettings.FlagA13; }
    bool GetPlannerFlagA14() override { return FSettings.FlagA14; }
    void Refresh() override { FEngine.reset(); }

private:
    TQuery MakeQuery(ILPBoatDef *bd, wpt::TRoute &route) const;
    // Plans that point into the network: emptied when the network goes.
    void DropPlans();

    QString FFolder;
    IChartManager *FCharts = nullptr;
    IWptDatabase *FUserDb = nullptr;
    IWWNetwork *FNetwork = nullptr;
    ww::TWWNetworkImpl *FNet = nullptr;
    std::unique_ptr<TPlannerEngine> FEngine;
    TPlannerSettings FSettings;
    std::vector<std::weak_ptr<TRoutePlan>> FPlans;
};

void TWptPlanner::DropPlans() {
    for (auto &w : FPlans)
        if (auto p = w.lock()) p->Clear();
    FPlans.clear();
}

void TWptPlanner::SetWaterwayNetwork(IWWNetwork *network, IChartManager *cm) {
    if (cm) FCharts = cm;
    if (network == FNetwork) return;
    DropPlans();
    FNetwork = network;
    FNet = dynamic_cast<ww::TWWNetworkImpl *>(network);
    FEngine.reset();
}

TQuery TWptPlanner::MakeQuery(ILPBoatDef *bd, wpt::TRoute &route) const {
    TQuery q;
    q.Mode = route.FPlanMode;
    q.IgnoreBlocks = route.FPlanMode == WptPlanMode::ShortestIgnoringBlockades;
    q.MastMode = route.FMastMode;
    q.WaterBodies = route.FWaterBodyMask;
    q.AvoidKinds = uint32_t(FSettings.ValueA3);
    q.ImposeSpeedLimit = FSettings.ImposeSpeedLimit;
    q.WaterLevel = FSettings.NAPWaterLevel;
    q.BridgeWait = FSettings.DelayBridges;
    q.LockWait = FSettings.DelayLocks;
    q.PricePerUnit = std::isfinite(FSettings.ValueA5) ? std::max(0.0f, FSettings.ValueA5) : 0.0;
    if (bd) {
        TBoatProfile &b = q.Boat;
        b.Length = bd->GetLength();
        b.Width = bd->GetWidth();
        b.Draught = bd->GetDraught();
        b.HeightStepped = bd->GetHeightStepped();
        b.HeightUnstepped = bd->GetHeightUnstepped();
        b.SafeMargin = bd->GetHeightSafeMargin();
        b.Commercial = bd->GetCommercial();
        b.UnstepSeconds = bd->GetTimeUnstepStep();
        const float speed = route.FSpeedMode == 1 ? bd->GetVLow() : route.FSpeedMode == 2 ? bd->GetVHigh() : bd->GetVCruise();
        if (std::isfinite(speed) && speed > 0.0f) b.SpeedMS = speed;
        b.Curve = bd->GetElectric() ? bd->GetElectricCurve() : bd->GetFuelCurve();
    }
    return q;
}

void TWptPlanner::Calculate(ILPBoatDef *boatDef, IWptRoute *route, int32_t, bool, bool, bool) {
    auto *r = dynamic_cast<wpt::TRoute *>(route);
    if (!r) return;
    struct TCalculating {
        wpt::TRoute &R;
        explicit TCalculating(wpt::TRoute &r) : R(r) { R.FCalculating = true; }
        ~TCalculating() { R.FCalculating = false; }
    } calculating(*r);
    if (FNet && !FEngine) FEngine = std::make_unique<TPlannerEngine>(*FNet);
    TPlanContext ctx;
    ctx.Net = FNet;
    ctx.Engine = FEngine.get();
    ctx.Query = MakeQuery(boatDef, *r);
    ctx.DepartUtc = r->FStartTime > 0.0 ? r->FStartTime : NowUtc();
    BuildPlan(*r, ctx);
    // Each plan once: a route planned again and again (route explore, editing) must not
    // grow the list.
    std::erase_if(FPlans, [](const std::weak_ptr<TRoutePlan> &w) { return w.expired(); });
    if (std::none_of(FPlans.begin(), FPlans.end(), [&](const std::weak_ptr<TRoutePlan> &w) { return w.lock() == r->FPlan; }))
        FPlans.push_back(r->FPlan);
}

}  // namespace

}  // namespace kv::plan

IWptPlanner *WptPlannerCreate(const TStrWRec &folder, IChartManager *cm, IWptDatabase *userDb,
                              IWWNetwork *net, int32_t, int32_t, NavObject *, int32_t, int32_t) {
    return new kv::plan::TWptPlanner(kv::ToQString(folder), cm, userDb, net);
}
