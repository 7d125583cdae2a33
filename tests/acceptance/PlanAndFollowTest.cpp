// Scenarios of a skipper planning a day on the water: a boat too high for the low bridge, a
// new route over the Dutch inland waters in the fastest mode, its points clicked on the chart
// at the two marinas of the demo network; the route table lists the way round the bridge.
#include "FirstStart.h"
#include "RoutePlanning.h"
#include "ScenarioRun.h"

#include "DemoData.h"
#include "shell/FrmMarivo6Main.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

using acceptance::TFirstStart;
using acceptance::TScenarioRun;

// The rows of the bridges and locks the route passes, by the names the table shows.
QStringList StructureRows(const QStringList &rows) {
    static const QRegularExpression structure(QStringLiteral("\\b(Bridge|Lock)\\b"));
    return rows.filter(structure);
}

}  // namespace

TEST(Acceptance, ATallBoatsFastestRouteBetweenTheMarinasGoesRoundTheLowBridge) {
    TFirstStart machine(QStringLiteral("plan"));
    // The day is planned and sailed in the opening hours of the bridges and locks.
    testsupport::TWorkingMorningClock morning;
    ASSERT_FALSE(machine.Options.DataFolder.isEmpty());
    const demo::TNetwork network = demo::BuildDemoNetwork();
    const demo::TMarina &haven = acceptance::Marina(network, QStringLiteral("Saltmere Yacht Haven"));
    const demo::TMarina &dunmeer = acceptance::Marina(network, QStringLiteral("Dunmeer Marina"));
    int asked = 0;
    auto oldLanguage = TFormLanguage::SetPrompter(acceptance::PickLanguage(QStringLiteral("English"), &asked));
    TScenarioRun run;
    acceptance::MakeRouteOnTheChart(run, QStringLiteral("3.0"), haven, dunmeer);
    run.When(QStringLiteral("the route table lists the planned route"), acceptance::RouteTablePlanned,
             [](TFormMarivo6Main &main) {
                 const QStringList rows = acceptance::TableRows(main);
                 SCOPED_TRACE(rows.join(QLatin1Char('\n')).toStdString());
                 EXPECT_TRUE(rows.front().startsWith(QStringLiteral("1 | "))) << rows.front().toStdString();
                 EXPECT_EQ(rows.filter(QRegularExpression(QStringLiteral("^2 \\| "))).size(), 1);
                 // 2.6 m under the low bridge at the planner's water level: a 3 m boat goes
                 // round it, through a canal and its lock.
                 EXPECT_TRUE(rows.filter(QStringLiteral("Low Orle Bridge")).isEmpty());
                 const QStringList structures = StructureRows(rows);
                 EXPECT_FALSE(structures.filter(QRegularExpression(QStringLiteral("\\bLock\\b"))).isEmpty());
                 EXPECT_FALSE(structures.filter(QRegularExpression(QStringLiteral("\\bBridge\\b"))).isEmpty());
                 // Every bridge and lock with the time the boat gets there.
                 static const QRegularExpression time(QStringLiteral("\\b\\d{1,2}:\\d{2}\\b"));
                 for (const QString &row : structures)
                     EXPECT_TRUE(time.match(row).hasMatch()) << row.toStdString();
                 acceptance::Screenshot(&main, QStringLiteral("2-planned-route"));
             });
    run.Close();
    EXPECT_EQ(run.Run(machine.Options), 0);
    TFormLanguage::SetPrompter(std::move(oldLanguage));
}
