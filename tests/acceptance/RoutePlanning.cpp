#include "RoutePlanning.h"

#include "ScenarioRun.h"

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
#include <KvLibNav6/KvWaypoints.h>

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QDockWidget>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QWheelEvent>
#include <QtMath>

namespace acceptance {

namespace {

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

// The route settings panel's planner page: the Dutch inland waters ticked with the space
// key, then the fastest mode from the route toolbar.
void ChooseDutchInlandWatersFastest(TFormMarivo6Main &main) {
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
}

void WheelOut(TNavViewerControl &chart) {
    const QPointF at(chart.width() / 2.0, chart.height() / 2.0);
    QWheelEvent wheel(at, chart.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&chart, &wheel);
}

void ClickOnChart(TFormMarivo6Main &main, const demo::TMarina &m) {
    TNavViewerControl *chart = Chart(main);
    ASSERT_NE(chart, nullptr);
    const QPoint at = PixelOf(*chart, m.Pos);
    ASSERT_TRUE(chart->rect().contains(at)) << at.x() << "," << at.y() << " in " << chart->width() << "x"
                                            << chart->height();
    IWptRoute *route = main.NavEnv()->EditedRoute;
    ASSERT_NE(route, nullptr);
    const int32_t before = route->GetPointCount();
    QTest::mouseMove(chart, at);
    QTest::mouseClick(chart, Qt::LeftButton, {}, at);
    ASSERT_EQ(route->GetPointCount(), before + 1);
}

}  // namespace

const demo::TMarina &Marina(const demo::TNetwork &network, const QString &name) {
    for (const demo::TMarina &m : network.Marinas)
        if (m.Name == name) return m;
    ADD_FAILURE() << "no marina " << name.toStdString();
    return network.Marinas.front();
}

QPoint PixelOf(TNavViewerControl &chart, const demo::TLonLat &pos) {
    TDouble2 out{-1e9, -1e9};
    if (IGeodeticCalibration *cal = chart.GetCalibration())
        cal->GeoToPixel(out, TGeoPoint{qDegreesToRadians(pos.Lat), qDegreesToRadians(pos.Lon)});
    return QPoint(qRound(out.X), qRound(out.Y));
}

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

QStringList TableRows(TFormMarivo6Main &main) {
    QStringList rows;
    if (QTreeView *table = RouteTable(main); table && table->model()) ReadRows(*table->model(), {}, {}, rows);
    return rows;
}

bool RouteTablePlanned(TFormMarivo6Main &main) {
    return main.PanelShown(QStringLiteral("DockablePanelRoute")) && TableRows(main).size() > 2;
}

void MakeRouteOnTheChart(TScenarioRun &run, const QString &height, const demo::TMarina &from,
                         const demo::TMarina &to) {
    run.When(QStringLiteral("the demo charts are drawn"), ChartsDrawn,
             [height](TFormMarivo6Main &main) {
                 // The user makes the window larger, for the chart and the panels beside it.
                 main.resize(1400, 950);
                 SetShipHeight(main, height);
             });
    run.WhenReady(QStringLiteral("a new route over the Dutch inland waters, fastest"), [](TFormMarivo6Main &main) {
        UserAction(main, "ActionRouteNew")->trigger();
        ChooseDutchInlandWatersFastest(main);
    });
    run.WhenReady(QStringLiteral("one wheel notch out on the chart"), [](TFormMarivo6Main &main) {
        TNavViewerControl *chart = Chart(main);
        ASSERT_NE(chart, nullptr);
        WheelOut(*chart);
    });
    for (const demo::TMarina *m : {&from, &to})
        run.WhenReady(QStringLiteral("click ") + m->Name + QStringLiteral(" on the chart"),
                      [m](TFormMarivo6Main &main) { ClickOnChart(main, *m); });
    run.WhenReady(QStringLiteral("finish editing the route"), [](TFormMarivo6Main &main) {
        UserAction(main, "ActionRouteEdit")->trigger();
        EXPECT_EQ(main.NavEnv()->EditedRoute, nullptr);
        // Routes -> "Route overview": the route table.
        if (!main.PanelShown(QStringLiteral("DockablePanelRoute"))) UserAction(main, "ActionRouteOverview")->trigger();
        EXPECT_TRUE(main.PanelShown(QStringLiteral("DockablePanelRoute")));
    });
}

}  // namespace acceptance
