// The route settings change the next planned route: the demo route from Saltmere Yacht Haven
// to Dunmeer Marina in route editing, changed through the real panel and dialogs and planned
// again by the environment, and what was changed still there after a restart.
#include "RouteSettingsFixture.h"

#include "base/controls/KvCalendarEx.h"
#include "base/controls/KvEdits.h"
#include "base/settings/KvRegRoutes.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/FraRouteSettings.h"
#include "routes/FrmRouteSettingsDefault.h"
#include "routes/FrmSettingsPlanner.h"
#include "routes/FrmSettingsShip.h"
#include "shell/MarivoDialogs.h"

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using routestest::RouteSettingsFixture;

namespace {

// What the plan of a route says.
struct TPlanView {
    int32_t Status = WptPlanStatus::Planned;  // of the last point
    QStringList Structures;                  // passed, in sailing order
    TDateTime Arrival = 0.0;                 // UTC; 0 without one
};

TPlanView View(IWptRoute *route) {
    TPlanView v;
    for (int32_t i = 0; i < route->GetPointCount(); ++i) {
        IWptPlanPoint *plan = route->GetPoint(i)->GetPlanPoint();
        if (!plan) continue;
        if (i == route->GetPointCount() - 1) {
            v.Status = plan->GetStatus();
            if (IWptRouteTimePoint *arrival = plan->GetArrival()) v.Arrival = arrival->GetData()->TimeUTC;
        }
        IWptRouteObjectList *objects = plan->GetObjects();
        for (int32_t k = 0; objects && k < objects->GetCount(); ++k) {
            IWptRouteObject *o = objects->GetItem(k);
            if (o->GetKind() == WptRouteObjectKind::Structure)
                v.Structures << testsupport::Q(o->GetStructPassage()->GetStruct()->GetName());
        }
    }
    return v;
}

const QString LowBridge = QStringLiteral("Low Orle Bridge");
// A summer Wednesday morning: every bridge and lock keeps its summer times.
const TDateTime Departure = KvCalendar::FromQDateTime(QDate(2024, 6, 12), QTime(8, 0));

class RouteSettingsPlanning : public RouteSettingsFixture {
protected:
    void SetUp() override {
        RouteSettingsFixture::SetUp();
        if (HasFatalFailure()) return;
        StartRun();
        // A 2 m boat at the normal water level with the usual waiting times.
        Env->GetBoatDef(0)->SetHeights(2.0f, 2.0f, 0.0f);
        TPlannerSettings planner;
        planner.NAPWaterLevel = 1.0f;
        planner.DelayBridges = 300;
        Env->SetPlannerSettings(planner);
        Route = MarinaToMarina(&Start);
        ASSERT_TRUE(Route);
        Route->SetStartTime(Departure);
        Env->BeginRouteEdit(Route, nullptr, nullptr, 0.0, false);
        routetest::DeliverPosted();
        ASSERT_EQ(Env->EditedRoute, Route);
        Panel = std::make_unique<TFrameRouteSettings>(nullptr, *Env);
        Panel->SetRoute(Route);
    }
    void TearDown() override {
        Panel.reset();
        TFormSettingsShip::SetPrompter(nullptr);
        TFormSettingsPlanner::SetPrompter(nullptr);
        TFormRouteSettingsDefault::SetPrompter(nullptr);
        RouteSettingsFixture::TearDown();
    }
    TPlanView Planned() {
        routetest::DeliverPosted();
        return View(Route);
    }
    // The main window's planner command: the dialog, then store, apply and announce.
    void PlannerDialog(std::function<void(TFormSettingsPlanner &)> act) {
        TFormSettingsPlanner::SetPrompter([&](TFormSettingsPlanner &f) {
            act(f);
            f.ButtonOk->click();
            return f.result();
        });
        TPlannerSettings s;
        s.DelayBridges = Env->Planner->GetBridgeWaitTime();
        s.DelayLocks = Env->Planner->GetLockWaitTime();
        s.NAPWaterLevel = Env->Planner->GetNAPWaterLevel();
        s.ImposeSpeedLimit = Env->Planner->GetImposeSpeedLimit();
        ASSERT_TRUE(ProgramDialogs().SettingsPlanner(nullptr, *Env, s));
        RegWritePlannerSettings(s);
        Env->SetPlannerSettings(s);
        Env->Post(NavNotify::PlannerValuesChanged);
    }
    // A navigate-to route from the yacht haven to the marina at Dunmeer.
    IWptRoute *NavigateToDunmeer() {
        const demo::TNetwork net = demo::BuildDemoNetwork();
        const demo::TMarina &dest = routestest::DemoMarina(net, QStringLiteral("Dunmeer Marina"));
        int32_t index = -1;
        if (!Env->WaterwayNetwork->FindSection(testsupport::Guid(dest.Section), index)) return nullptr;
        IWWSection *section = Env->WaterwayNetwork->GetSection(index);
        Env->Boat->SetPosition(Start);
        TNavigateToTarget target;
        target.DestSection = section;
        target.DestOffset = dest.SectionPosition;
        IWptRoute *route =
            Env->NavigateTo(routetest::OnSection(section, dest.SectionPosition), target, false, false, Departure, false);
        routetest::DeliverPosted();
        return route;
    }

    TGeoPoint Start{};
    IWptRoute *Route = nullptr;
    std::unique_ptr<TFrameRouteSettings> Panel;
};

TEST_F(RouteSettingsPlanning, EachSettingChangesTheNextPlannedRoute) {
    const TPlanView low = Planned();
    ASSERT_EQ(low.Status, WptPlanStatus::Planned);
    ASSERT_TRUE(low.Structures.contains(LowBridge)) << low.Structures.join(", ").toStdString();

    // Ship height 2.0 m → 3.0 m through the panel's ship link: the way round, through a lock.
    TFormSettingsShip::SetPrompter([](TFormSettingsShip &f) {
        f.EditHeight->setText(QStringLiteral("3"));
        f.ButtonOk->click();
        return f.result();
    });
    emit Panel->LabelShowPropertiesShip->linkActivated(QStringLiteral("#"));
    const TPlanView high = Planned();
    ASSERT_EQ(high.Status, WptPlanStatus::Planned);
    EXPECT_FALSE(high.Structures.contains(LowBridge)) << high.Structures.join(", ").toStdString();
    EXPECT_TRUE(high.Structures.contains(QStringLiteral("Kessel Lock")) ||
                high.Structures.contains(QStringLiteral("Brisk Lock")))
        << high.Structures.join(", ").toStdString();

    // NAP water level 1.0 → 0.2 m: the 3 m boat fits under the low bridge again.
    PlannerDialog([](TFormSettingsPlanner &f) { f.EditNAPWaterLevel->setText(QStringLiteral("0.2")); });
    const TPlanView lowWater = Planned();
    ASSERT_EQ(lowWater.Status, WptPlanStatus::Planned);
    EXPECT_TRUE(lowWater.Structures.contains(LowBridge)) << lowWater.Structures.join(", ").toStdString();

    // Bridge waiting time 5 → 30 min: later at Dunmeer.
    PlannerDialog([](TFormSettingsPlanner &f) { f.TrackBarTimeBridge->setValue(30); });
    const TPlanView waiting = Planned();
    ASSERT_EQ(waiting.Status, WptPlanStatus::Planned);
    EXPECT_GT(waiting.Arrival, lowWater.Arrival);

    // "Low speed" instead of "Cruising speed": later still.
    ASSERT_TRUE(Panel->RadioButtonSpeedCruising->isChecked());
    Panel->RadioButtonSpeedLow->click();
    const TPlanView slow = Planned();
    ASSERT_EQ(slow.Status, WptPlanStatus::Planned);
    EXPECT_GT(slow.Arrival, waiting.Arrival);

    // Without the Dutch inland waterways the network offers no way.
    QListWidgetItem *inland = Panel->CheckListBoxWaterBodies->item(0);
    ASSERT_EQ(inland->text(), QStringLiteral("Inland waterways Netherlands"));
    inland->setCheckState(Qt::Unchecked);
    EXPECT_EQ(Planned().Status, WptPlanStatus::UnreachableNetwork);
}

TEST_F(RouteSettingsPlanning, DefaultSettingsShapeTheNextNavigateToRoute) {
    TWptRouteDefaults d;
    _GetWptRouteDefaults(d);
    d.PointRadius = 40.0f;
    d.MotoringSpeed = 0;
    SetWptRouteDefaults(d);
    IWptRoute *cruising = NavigateToDunmeer();
    ASSERT_TRUE(cruising);
    const TPlanView atCruise = View(cruising);
    ASSERT_EQ(atCruise.Status, WptPlanStatus::Planned);

    SetUnits(KvUnit::Metre, KvUnit::Metre);
    TFormRouteSettingsDefault::SetPrompter([](TFormRouteSettingsDefault &f) {
        f.EditGeneralRadius->setText(QStringLiteral("100"));
        f.RadioButtonSpeedHigh->setChecked(true);
        f.ButtonOk->click();
        return f.result();
    });
    emit Panel->LabelShowDefaultRouteSettingsP->linkActivated(QStringLiteral("#"));
    IWptRoute *fast = NavigateToDunmeer();
    ASSERT_TRUE(fast);
    const TPlanView atHigh = View(fast);
    ASSERT_EQ(atHigh.Status, WptPlanStatus::Planned);
    EXPECT_LT(atHigh.Arrival, atCruise.Arrival);
    EXPECT_EQ(fast->GetSpeedMode(), 2);
    ASSERT_GE(fast->GetPointCount(), 1);
    for (int32_t i = 0; i < fast->GetPointCount(); ++i) EXPECT_FLOAT_EQ(fast->GetPoint(i)->GetRadius(), 100.0f) << i;
}

TEST_F(RouteSettingsPlanning, ChangesSurviveARestart) {
    TFormSettingsShip::SetPrompter([](TFormSettingsShip &f) {
        f.EditHeight->setText(QStringLiteral("3"));
        f.ButtonOk->click();
        return f.result();
    });
    emit Panel->LabelShowPropertiesShip->linkActivated(QStringLiteral("#"));
    PlannerDialog([](TFormSettingsPlanner &f) {
        f.EditNAPWaterLevel->setText(QStringLiteral("0.2"));
        f.TrackBarTimeBridge->setValue(30);
    });
    Panel->RadioButtonSpeedLow->click();
    Panel->CheckListBoxWaterBodies->item(1)->setCheckState(Qt::Checked);  // the North Sea
    const uint32_t mask = Route->GetWaterBodyMask();
    const TGUID guid = *Route->GetGUID();
    routetest::DeliverPosted();
    Panel.reset();
    Env->EndRouteEdit(true);
    // The environment's shut-down does not write the user database; its file is written here
    // so that what the panel put into the route is read back from it.
    int32_t err = 0;
    WptDatabaseSaveToFile(Env->UserDatabase, Env->UserDatabaseFile, err);
    ASSERT_EQ(err, 0);

    Restart();
    EXPECT_FLOAT_EQ(Env->GetBoatDef(0)->GetHeightStepped(), 3.0f);
    EXPECT_FLOAT_EQ(Env->Planner->GetNAPWaterLevel(), 0.2f);
    EXPECT_EQ(Env->Planner->GetBridgeWaitTime(), 1800);
    int32_t index = -1;
    ASSERT_TRUE(Env->WaypointManager->FindRoute(guid, index)) << "the route is in the user database";
    IWptRoute *route = Env->WaypointManager->GetRoute(index);
    EXPECT_EQ(route->GetSpeedMode(), 1);
    EXPECT_EQ(route->GetWaterBodyMask(), mask);
}

}  // namespace
