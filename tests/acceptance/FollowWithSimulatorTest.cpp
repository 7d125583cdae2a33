// The planned route followed with the simulator: the navigation panel counts down to the
// next point, the waterway-ahead block shows the next bridge, a ship pushed off the route
// raises the cross-track alarm, and the track being recorded is drawn on the chart.
#include "FirstStart.h"
#include "Following.h"
#include "RoutePlanning.h"
#include "ScenarioRun.h"

#include "DemoData.h"
#include "chartview/FraNavInfo.h"
#include "chartview/FraNavInfoRoute.h"
#include "chartview/FraNavInfoRouteOpen.h"
#include "chartview/FraNavInfoWW.h"
#include "chartview/FraNavInfoWWStruct.h"
#include "chartview/NavViewerControl.h"
#include "chartview/NavXTEAlarm.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvWaypoints.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QWheelEvent>
#include <QtMath>

namespace {

using acceptance::TFirstStart;
using acceptance::TScenarioRun;

TFrameNavInfo *NavInfo(TFormMarivo6Main &main) {
    QDockWidget *panel = main.Panel(QStringLiteral("DockablePanelNavInfo"));
    return panel ? panel->findChild<TFrameNavInfo *>() : nullptr;
}

// What the navigation panel shows of the route being followed, sampled on every poll.
struct TCountdown {
    QSet<QString> NextPoint, Distance, TimeToGo;
    void Sample(TFormMarivo6Main &main) {
        TFrameNavInfo *info = NavInfo(main);
        if (!info || !info->isVisible()) return;
        TFrameNavInfoRouteOpen *next = info->RouteOpenBlock();
        TFrameNavInfoRoute *route = info->RouteBlock();
        if (next && !next->PointCombo()->currentText().isEmpty()) NextPoint << next->PointCombo()->currentText();
        if (route && !route->DTG().isEmpty()) Distance << route->DTG();
        if (route && !route->TTG().isEmpty()) TimeToGo << route->TTG();
    }
    // The time to go changes with every tick; at six knots the distance, in tenths of a
    // kilometre, changes about every half minute.
    bool Changed() const { return Distance.size() >= 2 && TimeToGo.size() >= 3; }
};

TFrameNavInfoWW *WaterwayAhead(TFormMarivo6Main &main) {
    TFrameNavInfo *info = NavInfo(main);
    return info ? info->WaterwayAhead() : nullptr;
}

// The nearest line of the waterway-ahead block that shows a bridge, with a VHF channel when
// asked for.
TFrameNavInfoWWStruct *BridgeAhead(TFormMarivo6Main &main, bool withVHF) {
    TFrameNavInfoWW *ahead = WaterwayAhead(main);
    if (!ahead) return nullptr;
    for (int slot = TFrameNavInfoWW::SlotCount; slot >= 1; --slot) {
        auto *line = dynamic_cast<TFrameNavInfoWWStruct *>(ahead->Line(slot));
        if (line && line->isVisible() && line->NameText().contains(QStringLiteral("Bridge")) &&
            (!withVHF || !line->VHFChannel().isEmpty()))
            return line;
    }
    return nullptr;
}

int PixelsOfColour(const QImage &image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

}  // namespace

TEST(Acceptance, FollowingThePlannedRouteWithTheSimulatorAtSixKnots) {
    TFirstStart machine(QStringLiteral("follow"));
    // The day is planned and sailed in the opening hours of the bridges and locks.
    testsupport::TWorkingMorningClock morning;
    ASSERT_FALSE(machine.Options.DataFolder.isEmpty());
    int asked = 0;
    auto oldLanguage = TFormLanguage::SetPrompter(acceptance::PickLanguage(QStringLiteral("English"), &asked));
    TScenarioRun run;
    acceptance::PlanTheDayAndSail(run);
    TCountdown countdown;
    run.When(QStringLiteral("the navigation panel counts down"),
             [&countdown](TFormMarivo6Main &main) {
                 countdown.Sample(main);
                 return countdown.Changed();
             },
             [&countdown](TFormMarivo6Main &main) {
                 EXPECT_TRUE(main.PanelShown(QStringLiteral("DockablePanelNavInfo")));
                 EXPECT_FALSE(countdown.NextPoint.isEmpty()) << "the next point is named";
                 EXPECT_GE(countdown.Distance.size(), 2);
                 EXPECT_GE(countdown.TimeToGo.size(), 3);
                 acceptance::Screenshot(&main, QStringLiteral("3-following"));
                 acceptance::Screenshot(main.Panel(QStringLiteral("DockablePanelNavInfo")),
                                        QStringLiteral("3-following-navigation-panel"));
             },
             60000);
    run.When(QStringLiteral("the waterway ahead shows the next bridge"),
             [](TFormMarivo6Main &main) { return BridgeAhead(main, false) != nullptr; },
             [](TFormMarivo6Main &main) {
                 TFrameNavInfoWWStruct *bridge = BridgeAhead(main, false);
                 SCOPED_TRACE((bridge->NameText() + QStringLiteral(": ") + bridge->InfoText()).toStdString());
                 // Clearance and width under the bridge, in metres.
                 static const QRegularExpression clearance(QStringLiteral("^H\\d+[.,]\\d+ W\\d+[.,]\\d+"));
                 EXPECT_TRUE(clearance.match(bridge->InfoText()).hasMatch());
                 EXPECT_FALSE(bridge->DistanceText().isEmpty());
                 // The user lists six objects ahead with the block's count button.
                 QComboBox *count = WaterwayAhead(main)->CountCombo();
                 const int six = count->findText(QStringLiteral("6"));
                 ASSERT_GE(six, 0);
                 count->setCurrentIndex(six);
                 emit count->activated(six);
                 EXPECT_EQ(WaterwayAhead(main)->CountButtonText(), QStringLiteral("6"));
             });
    run.When(QStringLiteral("the waterway ahead shows a bridge with its VHF channel"),
             [](TFormMarivo6Main &main) { return BridgeAhead(main, true) != nullptr; },
             [](TFormMarivo6Main &main) {
                 TFrameNavInfoWWStruct *bridge = BridgeAhead(main, true);
                 SCOPED_TRACE((bridge->NameText() + QStringLiteral(": ") + bridge->InfoText()).toStdString());
                 EXPECT_EQ(bridge->VHFChannel(), QStringLiteral("18"));
                 EXPECT_TRUE(bridge->VHFBox()->isVisible());
                 EXPECT_GT(acceptance::DrawnPixels(bridge->VHFBox()->grab().toImage()), 0) << "the VHF badge";
                 acceptance::Screenshot(main.Panel(QStringLiteral("DockablePanelNavInfo")),
                                        QStringLiteral("3-waterway-ahead"));
             });
    TGeoPoint onRoute{};
    run.WhenReady(QStringLiteral("the ship pushed off the route"), [&onRoute](TFormMarivo6Main &main) {
        TMarivoNavEnv &env = *main.NavEnv();
        ASSERT_TRUE(env.Boat->GetPosition(onRoute));
        // Past the user interface: the cross-track alarm of the route defaults is off unless
        // set, and no dialog of the program sets it.
        TWptRouteDefaults defaults;
        _GetWptRouteDefaults(defaults);
        defaults.XTEAlarm = true;
        SetWptRouteDefaults(defaults);
        // Past the user interface: "Set GPS position" is disabled while the ship sails, so the
        // push comes from the code.
        env.Boat->SetPosition(TGeoPoint{onRoute.Lat + qDegreesToRadians(0.008), onRoute.Lon});
    });
    run.When(QStringLiteral("the cross-track alarm is up"),
             [](TFormMarivo6Main &main) {
                 TFrameNavInfo *info = NavInfo(main);
                 return info && info->RouteOpenBlock() && info->RouteOpenBlock()->Alarm().AlarmShown();
             },
             [](TFormMarivo6Main &main) {
                 TFrameNavInfoRouteOpen *next = NavInfo(main)->RouteOpenBlock();
                 EXPECT_FALSE(next->XTE().isEmpty());
                 EXPECT_TRUE(next->Alarm().Valid());
                 EXPECT_GT(std::abs(next->Alarm().XTERel()), 1.0f);
                 acceptance::Screenshot(&main, QStringLiteral("3-cross-track-alarm"));
             });
    run.When(QStringLiteral("the recorded track is drawn on the chart"),
             [](TFormMarivo6Main &main) {
                 INavTrack *track = main.NavEnv()->Boat->GetTrack();
                 return track && track->GetPointCount() >= 3;
             },
             [](TFormMarivo6Main &main) {
                 INavTrack *track = main.NavEnv()->Boat->GetTrack();
                 const uint32_t rgb = track->GetColor();  // red in the low byte
                 const QRgb colour = qRgb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
                 // Two wheel notches in at the ship, to look at its wake.
                 TNavViewerControl *chart = acceptance::Chart(main);
                 TGeoPoint ship{};
                 ASSERT_TRUE(main.NavEnv()->Boat->GetPosition(ship));
                 const QPointF at = acceptance::PixelOf(
                     *chart, demo::TLonLat{qRadiansToDegrees(ship.Lon), qRadiansToDegrees(ship.Lat)});
                 for (int i = 0; i < 2; ++i) {
                     QWheelEvent wheel(at, chart->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                                       Qt::NoModifier, Qt::NoScrollPhase, false);
                     QCoreApplication::sendEvent(chart, &wheel);
                 }
                 EXPECT_GT(PixelsOfColour(chart->grab().toImage(), colour), 10) << "the track's line";
                 acceptance::Screenshot(&main, QStringLiteral("3-track-recorded"));
             });
    run.Close();
    EXPECT_EQ(run.Run(machine.Options), 0);
    TFormLanguage::SetPrompter(std::move(oldLanguage));
}
