// The waterway-ahead block: heights and settings, a fixed chain of route objects, a route
// the real planner made followed from marina to marina, and the network walk.
#include "NavInfoWWFakes.h"
#include "NavInfoWWFixture.h"

#include "base/registry/KvRegistry.h"
#include "chartview/FraNavInfoWWTexts.h"
#include "DemoData.h"

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
