// Scenarios of a skipper planning a day on the water: a boat too high for the low bridge, a
// new route over the Dutch inland waters in the fastest mode, its points clicked on the chart
// at the two marinas of the demo network, the route table listing them.
#include "FirstStart.h"
#include "ScenarioRun.h"

#include "DemoData.h"
#include "base/controls/KvEdits.h"
#include "chartview/NavViewerControl.h"
#include "routes/FraRouteSettings.h"
#include "routes/FraRoutes.h"
#include "routes/FrmSettingsShip.h"
#include "routes/RoutePointSelectTexts.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWaypoints.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QtMath>
#include <QDockWidget>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QWheelEvent>

namespace {

using acceptance::Chart;
using acceptance::ChartsDrawn;
using acceptance::TFirstStart;
using acceptance::TScenarioRun;
using acceptance::UserAction;

const demo::TMarina &Marina(const demo::TNetwork &network, const QString &name) {
    for (const demo::TMarina &m : network.Marinas)
        if (m.Name == name) return m;
    ADD_FAILURE() << "no marina " << name.toStdString();
    return network.Marinas.front();
}

// The pixel of the chart where a position lies, from the viewer's own calibration (which
// works in radians).
QPoint PixelOf(TNavViewerControl &chart, const demo::TLonLat &pos) {
    TDouble2 out{-1e9, -1e9};
    if (IGeodeticCalibration *cal = chart.GetCalibration()) 
        cal->GeoToPixel(out, TGeoPoint{qDegreesToRadians(pos.Lat), qDegreesToRadians(pos.Lon)});
    return QPoint(qRound(out.X), qRound(out.Y));
}

// File -> Properties -> "Ship...": the dimensions page, the height typed, then OK.
void SetShipHeight(TFormMarivo6Main &main, const QString &typed) {
    bool shown = false;
    auto old = TFormSettingsShip::SetPrompter([&](TFormSettingsShip &form) {
        shown = true;
        form.PageControl->setCurrentIndex(TFormSettingsShip::PageDimensions);
        form.EditHeight->setFocus();
        QTest::keyClick(form.EditHeight, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(form.EditHeight, Qt::Key_Backspace);
        QTest::keyClicks(form.EditHeight, typed);
        form.ButtonOk->click();
        return form.result();
    });
    UserAction(main, "ActionFilePropertiesShip")->trigger();
    TFormSettingsShip::SetPrompter(std::move(old));
    EXPECT_TRUE(shown);
}

TFrameRouteSettings *RouteSettings(TFormMarivo6Main &main) {
    QDockWidget *panel = main.Panel(QStringLiteral("DockablePanelRouteSettings"));
    return panel ? panel->findChild<TFrameRouteSettings *>() : nullptr;
}

QTreeView *RouteTable(TFormMarivo6Main &main) {
    QDockWidget *panel = main.Panel(QStringLiteral("DockablePanelRoute"));
    TFrameRoutes *frame = panel ? panel->findChild<TFrameRoutes *>() : nullptr;
    return frame ? frame->Tree() : nullptr;
}

// Every row of the table as the user reads it: its cells joined by " | ", children indented.
void ReadRows(const QAbstractItemModel &model, const QModelIndex &parent, const QString &indent, QStringList &rows) {
    for (int r = 0; r < model.rowCount(parent); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(parent); ++c)
            cells << model.index(r, c, parent).data(Qt::DisplayRole).toString();
        rows << indent + cells.join(QStringLiteral(" | "));
        const QModelIndex first = model.index(r, 0, parent);
        if (model.hasChildren(first)) ReadRows(model, first, indent + QStringLiteral("  "), rows);
    }
}

QStringList TableRows(TFormMarivo6Main &main) {
    QStringList rows;
    if (QTreeView *table = RouteTable(main); table && table->model()) ReadRows(*table->model(), {}, {}, rows);
    return rows;
}

QStringList RowsWith(const QStringList &rows, const QString &text) {
    return rows.filter(text);
}

}  // namespace

TEST(Acceptance, ATallBoatsFastestRouteBetweenTheMarinasIsMadeOnTheChart) {
    TFirstStart machine(QStringLiteral("plan"));
    ASSERT_FALSE(machine.Options.DataFolder.isEmpty());
    const demo::TNetwork network = demo::BuildDemoNetwork();
    const demo::TMarina &haven = Marina(network, QStringLiteral("Saltmere Yacht Haven"));
    const demo::TMarina &dunmeer = Marina(network, QStringLiteral("Dunmeer Marina"));
    int asked = 0;
    auto oldLanguage = TFormLanguage::SetPrompter(acceptance::PickLanguage(QStringLiteral("English"), &asked));
    TScenarioRun run;
    run.When(QStringLiteral("the demo charts are drawn"), ChartsDrawn, [](TFormMarivo6Main &main) {
        SetShipHeight(main, QStringLiteral("3.0"));
    });
    run.WhenReady(QStringLiteral("a new route over the Dutch inland waters, fastest"), [](TFormMarivo6Main &main) {
        UserAction(main, "ActionRouteNew")->trigger();
        TFrameRouteSettings *settings = RouteSettings(main);
        ASSERT_NE(settings, nullptr);
        EXPECT_TRUE(main.PanelShown(QStringLiteral("DockablePanelRouteSettings")));
        settings->PageControl->setCurrentIndex(TFrameRouteSettings::PagePlanner);
        QListWidget *waters = settings->CheckListBoxWaterBodies;
        const auto items = waters->findItems(LanguageText(RoutePointSelectText::WaterBodyTexts[WptWaterBody::InlandNetherlands]),
                                             Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        ASSERT_EQ(items.front()->checkState(), Qt::Unchecked);
        waters->setFocus();
        waters->setCurrentItem(items.front());
        QTest::keyClick(waters, Qt::Key_Space);
        EXPECT_EQ(items.front()->checkState(), Qt::Checked);
        UserAction(main, "ActionRouteEditPlanModeTime")->trigger();
        EXPECT_TRUE(main.Action("ActionRouteEditPlanModeTime")->isChecked());
    });
    run.WhenReady(QStringLiteral("one wheel notch out on the chart"), [](TFormMarivo6Main &main) {
        TNavViewerControl *chart = Chart(main);
        ASSERT_NE(chart, nullptr);
        const QPointF at(chart->width() / 2.0, chart->height() / 2.0);
        QWheelEvent wheel(at, chart->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(chart, &wheel);
    });
    for (const demo::TMarina *m : {&haven, &dunmeer}) {
        run.WhenReady(QStringLiteral("click ") + m->Name + QStringLiteral(" on the chart"), [m](TFormMarivo6Main &main) {
            TNavViewerControl *chart = Chart(main);
            ASSERT_NE(chart, nullptr);
            const QPoint at = PixelOf(*chart, m->Pos);
            ASSERT_TRUE(chart->rect().contains(at)) << at.x() << "," << at.y() << " in " << chart->width() << "x"
                                                    << chart->height();
            IWptRoute *route = main.NavEnv()->EditedRoute;
            ASSERT_NE(route, nullptr);
            const int32_t before = route->GetPointCount();
            QTest::mouseMove(chart, at);
            QTest::mouseClick(chart, Qt::LeftButton, {}, at);
            ASSERT_EQ(route->GetPointCount(), before + 1);
        });
    }
    run.WhenReady(QStringLiteral("finish editing the route"), [](TFormMarivo6Main &main) {
        UserAction(main, "ActionRouteEdit")->trigger();
        EXPECT_EQ(main.NavEnv()->EditedRoute, nullptr);
    });
    // The route the user made is listed with its two points. It is not planned yet, so its
    // bridges and locks cannot be checked here.
    run.When(QStringLiteral("the route table lists the two points"),
             [](TFormMarivo6Main &main) { return TableRows(main).size() == 2; },
             [](TFormMarivo6Main &main) {
                 const QStringList rows = TableRows(main);
                 EXPECT_TRUE(rows[0].startsWith(QStringLiteral("1 | "))) << rows[0].toStdString();
                 EXPECT_TRUE(rows[1].startsWith(QStringLiteral("2 | "))) << rows[1].toStdString();
                 acceptance::Screenshot(&main, QStringLiteral("2-planned-route"));
             });
    run.Close();
    EXPECT_EQ(run.Run(machine.Options), 0);
    TFormLanguage::SetPrompter(std::move(oldLanguage));
}
