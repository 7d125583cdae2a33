#include "Following.h"

#include "RoutePlanning.h"
#include "ScenarioRun.h"

#include "chartview/NavViewerControl.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvNavBoat.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>

namespace acceptance {

namespace {

// The chart's context menu at a position, opened with the right button; the item reached
// through its sub-menu, as the user points at them.
QAction *ContextMenuItem(TFormMarivo6Main &main, const QPoint &at, const QString &subMenu, const QString &item) {
    TNavViewerControl *chart = Chart(main);
    QTest::mouseMove(chart, at);
    QTest::mouseClick(chart, Qt::RightButton, {}, at);
    for (QMenu *menu : main.findChildren<QMenu *>()) {
        if (!menu->isVisible()) continue;
        for (QAction *a : menu->actions()) {
            if (a->text() != subMenu || !a->menu()) continue;
            for (QAction *b : a->menu()->actions())
                if (b->text() == item) {
                    menu->hide();
                    return b;
                }
        }
    }
    ADD_FAILURE() << "no item " << item.toStdString() << " in the chart's menu";
    return nullptr;
}

}  // namespace

void SetShipAt(TFormMarivo6Main &main, const demo::TMarina &marina) {
    const QPoint at = PixelOf(*Chart(main), marina.Pos);
    QAction *set = ContextMenuItem(main, at, QStringLiteral("GPS"), QStringLiteral("Set GPS position"));
    ASSERT_NE(set, nullptr);
    ASSERT_TRUE(set->isEnabled());
    set->trigger();
    EXPECT_TRUE(main.NavEnv()->Boat->HasPosition());
}

void SailTheRouteWithTheSimulator(TFormMarivo6Main &main, float metresPerSecond) {
    if (!main.PanelShown(QStringLiteral("DockablePanelNavInfo")))
        UserAction(main, "ActionNavigationInformation")->trigger();
    UserAction(main, "ActionRouteStart")->trigger();
    TMarivoNavEnv &env = *main.NavEnv();
    ASSERT_NE(env.GetActiveRoute(), nullptr);
    // Past the user interface: the program keeps its simulator's command hidden, and has
    // no control for the simulated speed.
    ASSERT_TRUE(env.StartNavigation(true));
    const TVector speed{metresPerSecond, 0.0f};
    env.Boat->GetState()->SetState(&speed, nullptr, nullptr, nullptr, NAN, NAN, NAN, false, false, 0);
    EXPECT_TRUE(env.Boat->IsSimulating());
}

void PlanTheDayAndSail(TScenarioRun &run) {
    // The steps keep the marinas for as long as the run lasts.
    static const demo::TNetwork network = demo::BuildDemoNetwork();
    const demo::TMarina &haven = Marina(network, QStringLiteral("Saltmere Yacht Haven"));
    const demo::TMarina &dunmeer = Marina(network, QStringLiteral("Dunmeer Marina"));
    MakeRouteOnTheChart(run, QStringLiteral("3.0"), haven, dunmeer);
    run.When(QStringLiteral("the own ship set at the yacht haven"), RouteTablePlanned,
             [&haven](TFormMarivo6Main &main) { SetShipAt(main, haven); });
    run.WhenReady(QStringLiteral("start the route, sail with the simulator"),
                  [](TFormMarivo6Main &main) { SailTheRouteWithTheSimulator(main, SixKnots); });
}

}  // namespace acceptance
