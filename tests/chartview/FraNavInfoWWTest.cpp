// The waterway-ahead block: heights and settings, a fixed chain of route objects, a route
// the real planner made followed from marina to marina, and the network walk.
#include "NavInfoWWFakes.h"
#include "NavInfoRoutes.h"
#include "NavInfoWWFixture.h"
#include "NavInfoWWWalk.h"

#include "base/registry/KvRegistry.h"
#include "chartview/FraNavInfoWWTexts.h"
#include "DemoData.h"
#include "objectinfo/KvWWNetwork.h"

#include <KvLibNav6/KvGeodesy.h>

#include <QComboBox>
#include <QToolButton>
#include <cmath>

using namespace navinfotest;

namespace {

const QString RegKey = QStringLiteral("Desktop\\NavInfo");

int RegCount() {
    return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"IndicationCount"), -1);
}

// A chain of two object lists: the first ends at a plan point whose next list is the second.
struct TChain {
    TFakeStruct Bridge, Aqueduct, Lock;
    TFakeStructPassage BridgePass, AqueductPass, LockPass;
    TFakeRouteObject Straight, BridgeObj, AqueductObj, Turn, LockObj, Stop;
    TFakeTimePoint Arrive{45444.5}, Leave{45444.5 + 0.02};
    TFakeLeg Leg;
    TFakeObjectList First, Second;
    TFakePlanPoint Joint;
    TChain() {
        Aqueduct.Kind = WWStructKind::OtherWork;
        Aqueduct.OtherType = WWOtherType::PowerLine;
        Lock.Kind = WWStructKind::Lock;
        BridgePass.Struct = &Bridge;
        AqueductPass.Struct = &Aqueduct;
        LockPass.Struct = &Lock;
        auto obj = [](TFakeRouteObject &o, int32_t kind, double at) {
            o.Kind = kind;
            o.Values[0] = at;
        };
        obj(Straight, WptRouteObjectKind::Turn, 100);
        Straight.Angle = float(M_PI / 8);
        obj(BridgeObj, WptRouteObjectKind::Structure, 200);
        BridgeObj.Passage = &BridgePass;
        obj(AqueductObj, WptRouteObjectKind::Structure, 250);
        AqueductObj.Passage = &AqueductPass;
        obj(Turn, WptRouteObjectKind::Turn, 300);
        Turn.Angle = -float(M_PI / 8 + 0.001);
        obj(LockObj, WptRouteObjectKind::Structure, 600);
        LockObj.Passage = &LockPass;
        obj(Stop, WptRouteObjectKind::SailingTimesStop, 700);
        Leg.Points = {&Arrive, &Leave};
        Stop.Leg = &Leg;
        Stop.PointIndex = 0;
        First.Items = {&Straight, &BridgeObj, &AqueductObj, &Turn};
        First.End = &Joint;
        Joint.Next = &Second;
        Second.Items = {&LockObj, &Stop};
    }
};

}  // namespace

TEST_F(NavInfoWWFixture, HeightsCountAndCollapse) {
    StartRun();
    TFrameNavInfoWW &block = MakeBlock();
    // No position: nothing to show, the caption in its room under the header.
    block.UpdateValues(nullptr);
    EXPECT_EQ(Panel->height(), 27 + 48);
    EXPECT_TRUE(block.NoNetworkLabel()->isVisibleTo(Host.get()));
    EXPECT_EQ(block.NoNetworkLabel()->text(), "No network information");
    EXPECT_EQ(block.CountButtonText(), "3");

    block.CollapseButton()->click();
    EXPECT_EQ(Panel->height(), 27);
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"WWInfoVisible"), true));
    block.CollapseButton()->click();
    EXPECT_EQ(Panel->height(), 75);
    EXPECT_TRUE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"WWInfoVisible"), false));

    emit block.CountCombo()->activated(6);
    EXPECT_EQ(block.IndicationCount(), 7);
    EXPECT_EQ(RegCount(), 7);
    EXPECT_EQ(block.CountButtonText(), "7");
    EXPECT_GT(HeightChanges, 0);

    // A new block reads both settings back.
    block.CollapseButton()->click();
    delete Block;
    TFrameNavInfoWW &again = MakeBlock();
    EXPECT_EQ(again.IndicationCount(), 7);
    EXPECT_FALSE(again.Expanded());
    EXPECT_EQ(Panel->height(), 27);
}

TEST_F(NavInfoWWFixture, RouteObjectsNearestLowestWithSkipsAndClearedLines) {
    StartRun();
    TFrameNavInfoWW &block = MakeBlock();
    TChain chain;
    block.ShowRouteObjects(nullptr, &chain.First, 45444.5, 50.0, 0);
    // The turn of exactly pi/8 and the power line take no slot; count 3.
    auto *bridge = dynamic_cast<TFrameNavInfoWWStruct *>(block.Line(14));
    auto *turn = dynamic_cast<TFrameNavInfoWWDirection *>(block.Line(13));
    auto *lock = dynamic_cast<TFrameNavInfoWWStruct *>(block.Line(12));
    ASSERT_TRUE(bridge && turn && lock);
    EXPECT_EQ(block.Line(11), nullptr);
    EXPECT_EQ(bridge->Structure(), &chain.Bridge);
    EXPECT_DOUBLE_EQ(bridge->Distance(), 150.0);
    EXPECT_DOUBLE_EQ(turn->Distance(), 250.0);
    EXPECT_EQ(turn->Symbol(), 8);
    EXPECT_EQ(lock->Structure(), &chain.Lock);
    EXPECT_DOUBLE_EQ(lock->Distance(), 550.0);
    EXPECT_EQ(Panel->height(), 27 + 104 + 48 + 104);
    EXPECT_EQ(block.SlotPanel(14)->y() > block.SlotPanel(12)->y(), true) << "nearest lowest";

    // Count 9: the chain ends first; the stop takes the fourth line.
    block.SetIndicationCount(9);
    block.ShowRouteObjects(nullptr, &chain.First, 45444.5, 50.0, 0);
    auto *stop = dynamic_cast<TFrameNavInfoWWRoutePoint *>(block.Line(11));
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->TitleText(), "Sailing times stop");
    EXPECT_EQ(stop->InfoText(), ArrivalDepartureText(&chain.Arrive, &chain.Leave));
    EXPECT_EQ(block.Line(10), nullptr);

    // Further on only the second list is left: the lines above are cleared, not freed.
    block.ShowRouteObjects(nullptr, &chain.Second, 45444.5, 500.0, 1);
    // Slot 14 now holds the stop: its structure line was freed for a route-point line.
    auto *nowStop = dynamic_cast<TFrameNavInfoWWRoutePoint *>(block.Line(14));
    ASSERT_TRUE(nowStop);
    EXPECT_TRUE(nowStop->ShowsSomething());
    EXPECT_DOUBLE_EQ(nowStop->Distance(), 200.0);
    EXPECT_EQ(block.Line(13), dynamic_cast<TFrameNavInfoWWLine *>(turn));
    EXPECT_EQ(block.Line(12), dynamic_cast<TFrameNavInfoWWLine *>(lock)) << "kept, cleared";
    for (int slot : {13, 12, 11}) {
        ASSERT_NE(block.Line(slot), nullptr) << slot;
        EXPECT_FALSE(block.Line(slot)->ShowsSomething()) << slot;
        EXPECT_EQ(block.SlotPanel(slot)->height(), 0) << slot;
    }
    EXPECT_EQ(Panel->height(), 27 + 48);

    // A stop whose moments are missing is no stop: it is skipped.
    chain.Leg.Points = {&chain.Arrive};
    block.ShowRouteObjects(nullptr, &chain.Second, 45444.5, 500.0, 1);
    EXPECT_TRUE(ShownLines().empty());
    EXPECT_EQ(Panel->height(), 75);

    // A cleared line the next fill uses again is laid out again.
    chain.Leg.Points = {&chain.Arrive, &chain.Leave};
    block.ShowRouteObjects(nullptr, &chain.Second, 45444.5, 500.0, 1);
    EXPECT_EQ(ShownLines().size(), 1u);
    EXPECT_EQ(Panel->height(), 27 + 48);
    EXPECT_EQ(block.SlotPanel(14)->height(), 48);
}

namespace {


// What the block must show of a followed route: the objects of the chain ahead, skipped
// turns and works left out, with their distances ahead of the ship.
struct TExpected {
    int32_t Kind;
    double Ahead;
};
std::vector<TExpected> ExpectedAhead(const TNavRouteData &nav, int count) {
    std::vector<TExpected> out;
    int32_t i = nav.FirstObjectAhead;
    for (IWptRouteObjectList *l = nav.Objects; l && int(out.size()) < count;) {
        for (; i >= 0 && i < l->GetCount() && int(out.size()) < count; ++i) {
            IWptRouteObject *o = l->GetItem(i);
            const int32_t k = o->GetKind();
            if (k == WptRouteObjectKind::Turn && std::fabs(o->GetTurnAngle()) <= float(M_PI / 8)) continue;
            if (k == WptRouteObjectKind::Structure) {
                IWWStruct *s = o->GetStructPassage()->GetStruct();
                if (s->GetKind() == 2 && (s->GetOtherType() == 1 || s->GetOtherType() == 2 || s->GetOtherType() == 8))
                    continue;
            }
            if (k == 4 || k == 5) continue;
            out.push_back({k, o->GetValues()[0] - nav.RouteDistance});
        }
        l = l->GetEndPoint() ? l->GetEndPoint()->GetNextObjects() : nullptr;
        i = 0;
    }
    return out;
}


int32_t KindOf(TFrameNavInfoWWLine *l) {
    switch (l->Kind()) {
    case TFrameNavInfoWWLine::TKind::Structure: return WptRouteObjectKind::Structure;
    case TFrameNavInfoWWLine::TKind::Marina: return WptRouteObjectKind::Marina;
    case TFrameNavInfoWWLine::TKind::Direction: return WptRouteObjectKind::Turn;
    case TFrameNavInfoWWLine::TKind::RoutePoint: return WptRouteObjectKind::RoutePoint;
    }
    return -1;
}

}  // namespace

TEST_F(NavInfoWWFixture, FollowsAPlannedRouteFromMarinaToMarina) {
    StartRun();
    TGeoPoint start{};
    IWptRoute *route = MarinaToMarina(*Env, 0.0, start);
    ASSERT_TRUE(route);
    Env->Boat->SetPosition(start);
    Env->ActivateRoute(route->GetPoint(1), true, 0.0, 0.0);
    routetest::DeliverPosted();
    ASSERT_EQ(Env->GetActiveRoute(), route);
    // The own ship under way on the simulator's sentences, until following has a position
    // on the route.
    ASSERT_TRUE(Env->StartNavigation(true));
    for (int i = 0; i < 60 && !Env->GetRouteNavigation()->GetNavData()->NetworkPosition; ++i)
        Env->Loop->Advance(1.0f);

    TFrameNavInfoWW &block = MakeBlock();
    block.SetIndicationCount(9);
    block.RouteFollowingChanged(route);
    const TNavRouteData *nav = Env->GetRouteNavigation()->GetNavData();
    ASSERT_TRUE(nav);
    TNavRouteData own;
    if (!nav->Objects) {
        ASSERT_TRUE(route->GetSchedule()->FillNavData(own, NavInfoNowUTC()));
        float d = 0.0f;
        Env->GetRouteNavigation()->GetRouteDistance(d);
        own.RouteDistance = d;
        nav = &own;
    }
    const std::vector<TExpected> expected = ExpectedAhead(*nav, 9);
    const std::vector<TFrameNavInfoWWLine *> lines = ShownLines();
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t k = 0; k < lines.size(); ++k) {
        EXPECT_EQ(KindOf(lines[k]), expected[k].Kind == WptRouteObjectKind::SailingTimesStop
                                        ? WptRouteObjectKind::RoutePoint : expected[k].Kind) << k;
        EXPECT_NEAR(lines[k]->Distance(), expected[k].Ahead, 1e-6) << k;
        if (k > 0) {
            EXPECT_GE(lines[k]->Distance(), lines[k - 1]->Distance()) << "nearest lowest";
        }
        if (auto *r = dynamic_cast<TFrameNavInfoWWRoutePoint *>(lines[k]); r && r->TitleText().startsWith("WP")) {
            EXPECT_TRUE(r->TitleText().startsWith("WP 2")) << r->TitleText().toStdString();
        }
    }

    // The marina at the route's end, shown from its place in the chain: the planner's
    // marina waypoints are in no database, yet the manager knows them.
    IWptRouteObjectList *marinaList = nullptr;
    int32_t marinaIndex = -1;
    for (IWptRouteObjectList *l = nav->Objects; l && !marinaList;
         l = l->GetEndPoint() ? l->GetEndPoint()->GetNextObjects() : nullptr)
        for (int32_t i = 0; i < l->GetCount(); ++i)
            if (l->GetItem(i)->GetKind() == WptRouteObjectKind::Marina) {
                marinaList = l;
                marinaIndex = i;
            }
    ASSERT_TRUE(marinaList);
    block.ShowRouteObjects(route, marinaList, nav->DateTimeUTC, nav->RouteDistance, marinaIndex);
    auto *marina = dynamic_cast<TFrameNavInfoWWMarina *>(block.Line(14));
    ASSERT_TRUE(marina);
    EXPECT_TRUE(marina->PanelShown());
    EXPECT_EQ(marina->NameText(), "Dunmeer Marina");
    EXPECT_TRUE(Env->WaypointManager->HasObject(*marina->Marina()->GetGUID()));
    auto *last = dynamic_cast<TFrameNavInfoWWRoutePoint *>(block.Line(13));
    ASSERT_TRUE(last) << "the destination follows its marina";
    EXPECT_TRUE(last->TitleText().startsWith("WP 2")) << last->TitleText().toStdString();
    EXPECT_TRUE(last->TitleText().endsWith("(Destination)")) << last->TitleText().toStdString();

    // Counts 1 to 9: the nearest ones, the rest of the lines cleared.
    for (int count = 1; count <= 9; ++count) {
        block.SetIndicationCount(count);
        EXPECT_EQ(ShownLines().size(), std::min<size_t>(size_t(count), expected.size())) << count;
        EXPECT_TRUE(block.Line(14)->ShowsSomething());
    }

    // Following stopped: the block walks the network again.
    Env->DeactivateRoute();
    routetest::DeliverPosted();
    block.RouteFollowingChanged(nullptr);
    EXPECT_EQ(block.ListShown(), Env->Boat->GetWaterwayObject() != nullptr);
}

TEST_F(NavInfoWWFixture, WalksTheNetworkInTheDirectionOfTravel) {
    StartRun();
    double middle = 0.0;
    IWWSection *section = SectionWithStructuresBothWays(Env->WaterwayNetwork, middle);
    ASSERT_TRUE(section);
    Env->Boat->SetPosition(routetest::OnSection(section, middle));
    auto sail = [&](float course) {
        const TVector v{0.5f, course};
        Env->Boat->GetState()->SetState(&v, nullptr, nullptr, nullptr, course, 0.0f, 0.0f, false, false, 0);
    };
    sail(CourseAlong(section, middle));
    ASSERT_TRUE(Env->StartNavigation(true));
    for (int i = 0; i < 10 && !Env->Boat->GetWaterwayObject(); ++i) Env->Loop->Advance(1.0f);
    ASSERT_EQ(Env->Boat->GetWaterwayObject(), section);

    TFrameNavInfoWW &block = MakeBlock();
    testsupport::Owned<IGeodeticCalibration> calibration(GeodeticCalibrationCreate());
    block.UpdateValues(nullptr);
    EXPECT_TRUE(ShownLines().empty()) << "no direction without a view";
    auto check = [&](bool forward, std::vector<TWalked> &expected) {
        expected = WalkAhead(Env->Boat->GetWaterwayObject(),
                                                        Env->Boat->GetWaterwayObjectPosition(), forward, 3);
        const std::vector<TFrameNavInfoWWLine *> lines = ShownLines();
        ASSERT_EQ(lines.size(), expected.size());
        for (size_t k = 0; k < lines.size(); ++k) {
            auto *s = dynamic_cast<TFrameNavInfoWWStruct *>(lines[k]);
            ASSERT_TRUE(s);
            EXPECT_EQ(s->NameText(), expected[k].Name) << k;
            EXPECT_NEAR(s->Distance(), expected[k].Distance, 1.0) << k;
        }
    };
    block.UpdateValues(calibration.get());
    std::vector<TWalked> ahead, behind;
    check(true, ahead);
    ASSERT_FALSE(ahead.empty());
    EXPECT_EQ(Panel->height(), 27 + int(ahead.size()) * 104);

    // A refresh without a view keeps the lines as they are.
    const double kept = Block->Line(14)->Distance();
    Env->Loop->Advance(1.0f);
    block.UpdateValues(nullptr);
    EXPECT_EQ(Block->Line(14)->Distance(), kept);

    // Turned about: the structures on the other side.
    sail(CourseAlong(section, middle) + float(M_PI));
    Env->Loop->Advance(1.0f);
    block.UpdateValues(calibration.get());
    check(false, behind);
    ASSERT_FALSE(behind.empty());
    EXPECT_NE(behind.front().Name, ahead.front().Name);

    // Off the network: no section, no lines, the caption in their place.
    Env->Boat->SetPosition(TGeoPoint{0.1, 0.1});
    for (int i = 0; i < 5 && Env->Boat->GetWaterwayObject(); ++i) Env->Loop->Advance(1.0f);
    ASSERT_FALSE(Env->Boat->GetWaterwayObject());
    block.UpdateValues(calibration.get());
    EXPECT_EQ(Block->Line(14), nullptr);
    EXPECT_EQ(Panel->height(), 75);
    EXPECT_TRUE(block.NoNetworkLabel()->isVisibleTo(Host.get()));
}

namespace {

// The planning time moved along the route by the user.
class TExploredTime final : public INavPredictedTime {
public:
    float Offset = 0.0f;
    TDateTime Time = 0.0;
    float GetTimeOffset() override { return Offset; }
    int32_t GetMode() override { return 0; }
    void SetMode(int32_t) override {}
    TDateTime GetTime() override { return Time; }
};

}  // namespace

TEST_F(NavInfoWWFixture, ExploreModeShowsThePlanAtThePlanningTime) {
    StartRun();
    const TDateTime departure = 45444.4;
    TGeoPoint start{};
    IWptRoute *route = MarinaToMarina(*Env, departure, start);
    ASSERT_TRUE(route);
    Env->Planner->Calculate(Env->ActiveBoatDef, route, 0, false, false, false);
    TNavRouteData probe;
    ASSERT_TRUE(route->GetSchedule()->FillNavData(probe, departure + 1.0 / 1440));
    Env->SetSelectedRoute(route);
    ASSERT_TRUE(Env->RouteExploreMode);
    INavPredictedTime *real = Env->PredictedTime;
    TExploredTime explored;
    Env->PredictedTime = &explored;
    TFrameNavInfoWW &block = MakeBlock();

    struct TCase {
        const char *What;
        float Offset;
        TDateTime Time;
        bool Lines;
    };
    const TCase cases[] = {
        {"planning time now: the live case (no position, nothing)", 0.0f, departure + 1.0 / 1440, false},
        {"planning time ahead, within the plan", 3600.0f, departure + 1.0 / 1440, true},
        {"planning time beyond the plan: the list hidden", 3600.0f, departure + 400.0, false},
    };
    for (const TCase &c : cases) {
        explored.Offset = c.Offset;
        explored.Time = c.Time;
        block.UpdateValues(nullptr);
        EXPECT_EQ(block.ListShown(), c.Lines) << c.What;
        if (c.Lines) {
            EXPECT_FALSE(ShownLines().empty()) << c.What;
        }
        EXPECT_EQ(block.SlotPanel(14)->isVisibleTo(Host.get()), c.Lines) << c.What;
        EXPECT_EQ(Panel->height() == 75, !c.Lines) << c.What;
        EXPECT_EQ(PlanningTimeApplies(*Env), c.Offset > 0) << c.What;
    }
    Env->PredictedTime = real;
}
