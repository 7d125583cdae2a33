// The route table panel over the real dispatcher: route choice, notifications, the stored
// route and filter, the status bar and the empty-list messages.
#include "RoutesFixture.h"

#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QComboBox>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeView>

using routestest::RoutesFixture;

namespace {

void Post(TMarivoNavEnv &env, int32_t code, const void *p1, intptr_t p2 = 0) {
    env.CoreEnv->GetDispatcher()->Post(code, intptr_t(p1), p2, 0, 0, 0, 0, 0);
    routetest::DeliverPosted();
}

int SelectedRow(TFrameRoutes &f) {
    const QModelIndexList rows = f.Tree()->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.front().row() : -1;
}

int RowOfPoint(TFrameRoutes &f, IWptRoutePoint *p) {
    for (int i = 0; i < int(f.Rows().size()); ++i)
        if (f.Rows()[size_t(i)].Point == p) return i;
    return -1;
}

}  // namespace

TEST_F(RoutesFixture, NotificationsThroughTheDispatcher) {
    StartRun();
    IWptRoute *route = MarinaToMarina();
    IWptRoute *other = DirectRoute(3);
    ASSERT_TRUE(route && other);
    TFrameRoutes &f = MakeFrame();
    IWptRoutePoint *viewerPoint = nullptr;
    f.SelectedRoutePoint = [&] { return viewerPoint; };
    f.FillRouteList();
    EXPECT_EQ(f.RouteCombo()->count(), 2);

    // 82 on a route not shown does nothing; 81 with P2 > 0 refills and shows P1.
    Post(*Env, NavNotify::RouteFollowStopped, route);
    EXPECT_EQ(f.Route(), nullptr);
    Post(*Env, NavNotify::RouteFollowStarted, route, 1);
    EXPECT_EQ(f.Route(), route);
    // 81 with P2 = 0 acts as 82: only for the shown route.
    Post(*Env, NavNotify::RouteFollowStarted, other, 0);
    EXPECT_EQ(f.Route(), route);

    // 40 and 73 rebuild with the viewer's selected point; 50 selects a point's row.
    viewerPoint = route->GetPoint(1);
    Post(*Env, NavNotify::RoutePointRefresh, route);
    EXPECT_EQ(SelectedRow(f), RowOfPoint(f, viewerPoint));
    Post(*Env, NavNotify::RoutePointSelected, route->GetPoint(0));
    EXPECT_EQ(SelectedRow(f), RowOfPoint(f, route->GetPoint(0)));
    viewerPoint = route->GetPoint(1);
    Post(*Env, NavNotify::RouteCalcEnd, other);
    EXPECT_EQ(SelectedRow(f), RowOfPoint(f, route->GetPoint(0))) << "another route's plan";
    Post(*Env, NavNotify::RouteCalcEnd, route);
    EXPECT_EQ(SelectedRow(f), RowOfPoint(f, viewerPoint));

    // An unknown code changes nothing.
    const size_t rows = f.Rows().size();
    Post(*Env, 12345, route);
    EXPECT_EQ(f.Route(), route);
    EXPECT_EQ(f.Rows().size(), rows);

    // 60 hides the route choice and shows the edited route; 61 brings the choice back.
    Post(*Env, NavNotify::RouteEditOn, other, 0);
    EXPECT_FALSE(f.RouteChoiceVisible());
    EXPECT_EQ(f.Route(), other);
    Post(*Env, NavNotify::RouteEditOff, other);
    EXPECT_TRUE(f.RouteChoiceVisible());
    EXPECT_EQ(f.Route(), other);

    // 32 and 0x2000001E refill the combo.
    IWptRoute *third = DirectRoute(2);
    Post(*Env, NavNotify::RouteChanged, third);
    EXPECT_EQ(f.RouteCombo()->count(), 3);

    // 31 on the shown route clears it.
    Post(*Env, NavNotify::RouteDeleting, other);
    EXPECT_EQ(f.Route(), nullptr);
    EXPECT_TRUE(f.Rows().empty());
}

TEST_F(RoutesFixture, EditEndOnARouteWithoutPointsLeavesNoRoute) {
    StartRun();
    IWptRoute *route = DirectRoute(2);
    TFrameRoutes &f = MakeFrame();
    Post(*Env, NavNotify::RouteEditOn, route, 1);
    ASSERT_EQ(f.Route(), route);
    int32_t err = 0;
    while (route->GetPointCount() > 0) route->DeletePoint(route->GetPoint(0), err);
    Post(*Env, NavNotify::RouteEditOff, route);
    EXPECT_EQ(f.Route(), nullptr);
    EXPECT_TRUE(f.RouteChoiceVisible());
}

TEST_F(RoutesFixture, ADeletedRouteIsNeverUsedBeforeItsNoticeArrives) {
    StartRun();
    IWptRoute *route = DirectRoute(3);
    TFrameRoutes &f = MakeFrame();
    f.FillRouteList();
    f.SetRoute(route);
    ASSERT_EQ(f.Rows().size(), 3u);
    // The deletion notice is posted: the panel must not reach the route in the meantime.
    int32_t err = 0;
    route->DeleteFromDatabase(err);
    ASSERT_EQ(err, 0);
    EXPECT_EQ(f.Route(), nullptr);
    f.UpdateValues();
    f.UpdateStatusBar();
    EXPECT_EQ(f.StatusText(0), "ETA: ---");
    f.RebuildRows();
    EXPECT_TRUE(f.Rows().empty());
    routetest::DeliverPosted();
    EXPECT_EQ(f.Route(), nullptr);
}

TEST_F(RoutesFixture, ShownRouteIsStoredAndRestored) {
    StartRun();
    IWptRoute *a = DirectRoute(2);
    IWptRoute *b = DirectRoute(3);
    {
        TFrameRoutes &f = MakeFrame();
        f.FillRouteList();
        f.SetRoute(b);
        TGUID stored{};
        RegReadGUIDDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\ToolWindowRoutes"),
                       RegName(u"Route"), TGUID{}, stored);
        EXPECT_TRUE(stored == *b->GetGUID());
        delete Frame;
    }
    TFrameRoutes &g = MakeFrame();
    g.FillRouteList();
    g.RestoreRoute();
    EXPECT_EQ(g.Route(), b);
    EXPECT_NE(g.Route(), a);

    // A stored GUID of a route that is gone leaves no route.
    delete Frame;
    int32_t err = 0;
    b->DeleteFromDatabase(err);
    routetest::DeliverPosted();
    TFrameRoutes &h = MakeFrame();
    h.FillRouteList();
    h.RestoreRoute();
    EXPECT_EQ(h.Route(), nullptr);
}

TEST_F(RoutesFixture, ARouteWithoutANameIsListedAsNoneInTheLanguageShown) {
    StartRun();
    IWptRoute *named = MarinaToMarina();
    IWptRoute *unnamed = Env->UserDatabase->NewRoute(45000.0);
    ASSERT_TRUE(named && unnamed);
    ASSERT_TRUE(WptObjectGetName(unnamed).isEmpty());
    TFrameRoutes &f = MakeFrame();
    f.FillRouteList();
    f.SetRoute(unnamed);
    QComboBox *choice = f.RouteCombo();
    ASSERT_EQ(choice->count(), 2);
    EXPECT_EQ(choice->currentText(), "<none>");
    EXPECT_EQ(choice->itemText(choice->findData(QVariant::fromValue(static_cast<void *>(named)))), "Haven to Dunmeer");

    // The main window hands a language switch to the panel's texts.
    struct TEnglishAgain {
        ~TEnglishAgain() { SetCurrentLanguage(KvLang::English); }
    } english;
    SetCurrentLanguage(KvLang::Dutch);
    f.UpdateTexts();
    EXPECT_EQ(f.Route(), unnamed) << "the route shown stays";
    EXPECT_EQ(choice->currentText(), "<geen>");
    EXPECT_EQ(choice->itemText(choice->findData(QVariant::fromValue(static_cast<void *>(named)))), "Haven to Dunmeer");
}

TEST_F(RoutesFixture, FilterIsStoredAndReadBackAtCreation) {
    StartRun();
    IWptRoute *route = MarinaToMarina();
    struct TCase {
        int Stored;
        int Expected;
    };
    for (const TCase c : {TCase{0, 0}, {3, 3}, {4, 4}, {1, 0}, {2, 0}, {-1, 0}, {99, 0}}) {
        int32_t err = 0;
        RegWriteInteger(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\ToolWindowRoutes"),
                        RegName(u"Filter"), c.Stored, err);
        delete Frame;
        TFrameRoutes &f = MakeFrame();
        EXPECT_EQ(f.Filter(), c.Expected) << c.Stored;
        EXPECT_TRUE(f.FilterAction(c.Expected)->isChecked()) << c.Stored;
    }
    // Choosing a filter in the menu writes it and hides rows.
    Frame->FillRouteList();
    Frame->SetRoute(route);
    auto stored = [] {
        return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\ToolWindowRoutes"),
                                 RegName(u"Filter"), -5);
    };
    Frame->FilterAction(RteFilter::RoutePointsOnly)->trigger();
    EXPECT_EQ(stored(), 3);
    Frame->FilterAction(RteFilter::All)->trigger();
    EXPECT_EQ(stored(), 0);
    EXPECT_EQ(VisibleKinds().size(), Frame->Rows().size());
    Frame->FilterAction(RteFilter::RoutePointsOnly)->trigger();
    EXPECT_EQ(VisibleKinds(), (std::vector<int32_t>{RteNodeKind::RoutePoint, RteNodeKind::RoutePoint}));
    for (int i = 0; i < int(Frame->Rows().size()); ++i)
        EXPECT_EQ(Frame->Tree()->isRowHidden(i, {}), !Frame->Rows()[size_t(i)].Visible) << i;
    EXPECT_FALSE(Frame->FilterAction(RteFilter::BridgesAndLocks)->isVisible());
    EXPECT_FALSE(Frame->FilterAction(RteFilter::BridgesToOperate)->isVisible());
}

TEST_F(RoutesFixture, StatusBarAndEmptyMessages) {
    StartRun();
    TFrameRoutes &f = MakeFrame();
    f.FillRouteList();
    EXPECT_EQ(f.EmptyCaption(), "No routes present in the database");
    EXPECT_EQ(f.EmptyHint(), "Select 'New route' from the 'Routes' menu to create a new route.");
    EXPECT_EQ(f.StatusText(0), "ETA: ---");
    EXPECT_EQ(f.StatusText(1), "Mode: ---");
    EXPECT_FALSE(f.OptionsButton()->isEnabled());

    IWptRoute *empty = Env->UserDatabase->NewRoute(45000.0);
    IWptRoute *route = MarinaToMarina();
    f.FillRouteList();
    EXPECT_EQ(f.EmptyCaption(), "No route selected");
    EXPECT_EQ(f.EmptyHint(), "Please select a route from the above combo box.");
    f.SetRoute(empty);
    EXPECT_EQ(f.EmptyCaption(), "The route contains no route points");
    EXPECT_EQ(f.EmptyHint(), "Click a place in the chart view to create a new route point");
    EXPECT_FALSE(f.Header()->isVisible());

    f.SetRoute(route);
    EXPECT_TRUE(f.EmptyCaption().isEmpty());
    EXPECT_TRUE(f.Header()->isVisible());
    EXPECT_TRUE(f.OptionsButton()->isEnabled());
    EXPECT_EQ(f.StatusText(1), "Mode: Fastest");
    EXPECT_TRUE(f.StatusText(0).startsWith("ETA: "));
    EXPECT_NE(f.StatusText(0), "ETA: ---");
    int32_t err = 0;
    route->SetPlanMode(WptPlanMode::Tourist, err);
    f.UpdateStatusBar();
    EXPECT_EQ(f.StatusText(1), "Mode: Tourist");
    route->SetPlanMode(WptPlanMode::NewRoute, err);
    f.UpdateStatusBar();
    EXPECT_EQ(f.StatusText(1), "Mode: ---");

    // Obstacles only: the demo route has no obstacle and nothing blocks, so the two points
    // remain.
    f.SetFilter(RteFilter::ObstaclesOnly);
    EXPECT_EQ(VisibleKinds(), (std::vector<int32_t>{RteNodeKind::RoutePoint, RteNodeKind::RoutePoint}));
}

TEST_F(RoutesFixture, FontSizeMenuWritesAndApplies) {
    StartRun();
    TFrameRoutes &f = MakeFrame();
    EXPECT_TRUE(f.FontAction(10)->isChecked()) << "the default";
    EXPECT_EQ(f.Tree()->font().pointSize(), 10);
    auto stored = [] {
        return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\ToolWindowRoutes"),
                                 RegName(u"FontSize"), -1);
    };
    f.FontAction(10)->trigger();
    EXPECT_EQ(stored(), -1) << "the current size writes nothing";
    f.FontAction(12)->trigger();
    EXPECT_EQ(stored(), 12);
    EXPECT_EQ(f.Tree()->font().pointSize(), 12);
    EXPECT_EQ(f.FontAction(8)->text(), "Normal font size");
    EXPECT_EQ(f.FontAction(12)->text(), "Big font size");
    // A stored size the menu does not offer reads as the default.
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\ToolWindowRoutes"),
                    RegName(u"FontSize"), 9, err);
    delete Frame;
    TFrameRoutes &g = MakeFrame();
    EXPECT_TRUE(g.FontAction(10)->isChecked());
    EXPECT_EQ(g.Tree()->font().pointSize(), 10);
}

TEST_F(RoutesFixture, OverviewCommandsAreOffered) {
    StartRun();
    TFrameRoutes &f = MakeFrame();
    EXPECT_TRUE(f.PrintAction()->isEnabled());
    EXPECT_TRUE(f.ExportAction()->isEnabled());
    EXPECT_EQ(f.PrintAction()->text(), "Print overview...");
    EXPECT_EQ(f.ExportAction()->text(), "Export overview...");
    EXPECT_TRUE(f.SelectColumnsAction()->isEnabled());
}
