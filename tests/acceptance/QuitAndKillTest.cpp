// A skipper's day that ends twice: once by quitting, after which the next start shows the same
// window, chart view, language, route and track; once by the program being killed while it
// sails, after which the next start says the last run did not end well and loses nothing that
// was saved before.
#include "FirstStart.h"
#include "Receiver.h"
#include "ScenarioRun.h"

#include "DemoData.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/NavViewerControl.h"
#include "routes/FrmTrackManager.h"
#include "routes/TrackManagerModel.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmMsgCloseError.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvWaypoints.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

using acceptance::Chart;
using acceptance::ChartsDrawn;
using acceptance::TFirstStart;
using acceptance::TReceiver;
using acceptance::TScenarioRun;
using acceptance::UserAction;

const QString InfoPanel = QStringLiteral("DockablePanelChartInfo");

QPoint PixelOf(TNavViewerControl &chart, const demo::TLonLat &pos) {
    TDouble2 out{-1e9, -1e9};
    if (IGeodeticCalibration *cal = chart.GetCalibration())
        cal->GeoToPixel(out, TGeoPoint{qDegreesToRadians(pos.Lat), qDegreesToRadians(pos.Lon)});
    return QPoint(qRound(out.X), qRound(out.Y));
}

void Wheel(TNavViewerControl &chart, int notches) {
    const QPointF at(chart.width() / 2.0, chart.height() / 2.0);
    QWheelEvent wheel(at, chart.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&chart, &wheel);
}

// A new route; the chart shows the whole demo area once the route panel took its place.
void NewRoute(TFormMarivo6Main &main) {
    UserAction(main, "ActionRouteNew")->trigger();
    ASSERT_NE(main.NavEnv()->EditedRoute, nullptr);
}

// Its points clicked at the two marinas of the demo area, editing ended.
void ClickRoute(TFormMarivo6Main &main) {
    const demo::TNetwork network = demo::BuildDemoNetwork();
    TNavViewerControl *chart = Chart(main);
    IWptRoute *route = main.NavEnv()->EditedRoute;
    ASSERT_NE(route, nullptr);
    for (const char *name : {"Saltmere Yacht Haven", "Dunmeer Marina"}) {
        const auto marina = std::find_if(network.Marinas.begin(), network.Marinas.end(),
                                         [&](const demo::TMarina &m) { return m.Name == QLatin1String(name); });
        ASSERT_NE(marina, network.Marinas.end()) << name;
        const QPoint at = PixelOf(*chart, marina->Pos);
        ASSERT_TRUE(chart->rect().contains(at)) << name;
        QTest::mouseMove(chart, at);
        QTest::mouseClick(chart, Qt::LeftButton, {}, at);
    }
    EXPECT_EQ(route->GetPointCount(), 2);
    UserAction(main, "ActionRouteEdit")->trigger();
    ASSERT_EQ(main.NavEnv()->EditedRoute, nullptr);
}

// Name and point count of every route the program holds.
QStringList Routes(TFormMarivo6Main &main) {
    QStringList routes;
    IWptRouteList *list = main.NavEnv()->RouteList;
    for (int32_t i = 0; list && i < list->GetCount(); ++i)
        if (auto *r = dynamic_cast<IWptRoute *>(list->GetItem(i)))
            routes << WptObjectGetName(r) + QStringLiteral(" (%1)").arg(r->GetPointCount());
    return routes;
}

// The rows of the track manager: name | file | points; then Close.
QStringList Tracks(TFormMarivo6Main &main) {
    QStringList rows;
    auto old = TFormTrackManager::SetPrompter([&](TFormTrackManager &form) {
        for (const auto &row : form.Model()->Rows())
            rows << QStringLiteral("%1|%2|%3").arg(row->Name, row->FileName).arg(row->PointCount);
        form.ButtonClose->click();
        return form.result();
    });
    UserAction(main, "ActionTrackManager")->trigger();
    TFormTrackManager::SetPrompter(std::move(old));
    rows.sort();
    return rows;
}

bool Navigating(TFormMarivo6Main &main) {
    INavBoat *boat = main.NavEnv() ? main.NavEnv()->Boat : nullptr;
    return boat && boat->GetNavigationState() != 0 && boat->GetTrack() && boat->GetTrack()->GetPointCount() >= 2;
}

// What the user sees of the day so far.
struct TDay {
    QStringList Routes, Tracks;
    TGeoPoint Centre{};
    double Scale = 0;
    QString Caption;  // of File -> Properties -> Regional
};

TDay Observe(TFormMarivo6Main &main) {
    TDay day;
    day.Routes = Routes(main);
    day.Tracks = Tracks(main);
    day.Centre = *Chart(main)->GetCenterPosition();
    day.Scale = Chart(main)->GetScale();
    day.Caption = main.Action("ActionFilePropertiesLocale")->text();
    return day;
}

void ExpectSameDay(const TDay &now, const TDay &before) {
    EXPECT_EQ(now.Routes, before.Routes);
    EXPECT_EQ(now.Tracks, before.Tracks);
    // The view comes back where the skipper left it: its centre within a few metres, its
    // scale as the whole 1:n it is kept as.
    const double metres = std::hypot(now.Centre.Lat - before.Centre.Lat,
                                     (now.Centre.Lon - before.Centre.Lon) * std::cos(before.Centre.Lat)) * 6371000.0;
    EXPECT_LT(metres, 5.0);
    EXPECT_EQ(std::lround(now.Scale), std::lround(before.Scale));
    EXPECT_EQ(now.Caption, before.Caption);
}

}  // namespace

TEST(Acceptance, QuittingKeepsTheDayAndAKilledRunIsReportedWithNothingSavedLost) {
    TFirstStart machine(QStringLiteral("quit-and-kill"));
    ASSERT_FALSE(machine.Options.DataFolder.isEmpty());
    TReceiver receiver(testsupport::MakeTempDir(QStringLiteral("quit-and-kill-line")) + QStringLiteral("/ttyUSB0"));
    int asked = 0;
    auto oldLanguage = TFormLanguage::SetPrompter(acceptance::PickLanguage(QStringLiteral("Nederlands"), &asked));
    TDay day;
    {
        TScenarioRun first;
        first.When(QStringLiteral("the demo charts are drawn"), ChartsDrawn, NewRoute);
        first.WhenReady(QStringLiteral("two wheel notches out"), [](TFormMarivo6Main &main) { Wheel(*Chart(main), -2); });
        first.WhenReady(QStringLiteral("the route clicked on the chart"), [&](TFormMarivo6Main &main) {
            ClickRoute(main);
            UserAction(main, "ActionChartInformation")->trigger();
            EXPECT_TRUE(main.Panel(InfoPanel)->isVisible());
            receiver.Plug(acceptance::FixesAlongAWaterway());
        });
        first.When(QStringLiteral("a track is being recorded"), Navigating, [&](TFormMarivo6Main &main) {
            UserAction(main, "ActionInstrumentsCommunication")->trigger();  // stopped, Yes
            EXPECT_EQ(main.NavEnv()->Boat->GetNavigationState(), 0);
            day = Observe(main);
            EXPECT_EQ(day.Routes.size(), 1);
            EXPECT_EQ(day.Tracks.size(), 1);
            acceptance::Screenshot(&main, QStringLiteral("6-day-before-quitting"));
        });
        first.Close();
        EXPECT_EQ(first.Run(machine.Options), 0);
    }
    // The receiver's clock starts again from the computer's for each run.
    receiver.Plug(acceptance::FixesAlongAWaterway());
    {
        TScenarioRun second;
        second.When(QStringLiteral("the charts are drawn again"), ChartsDrawn, [&](TFormMarivo6Main &main) {
            ExpectSameDay(Observe(main), day);
            EXPECT_TRUE(main.Panel(InfoPanel)->isVisible()) << "the layout is back";
            acceptance::Screenshot(&main, QStringLiteral("6-day-after-restart"));
            // Sailing on: the communication opens again; the program is quit while it sails.
            UserAction(main, "ActionInstrumentsCommunication")->trigger();
        });
        second.When(QStringLiteral("sailing again"), Navigating, [](TFormMarivo6Main &) {});
        second.Close();
        EXPECT_EQ(second.Run(machine.Options), 0);
    }
    TFormLanguage::SetPrompter(std::move(oldLanguage));
    receiver.Plug(acceptance::FixesAlongAWaterway());

    // The program as the run script starts it, on the same data and settings, killed once its
    // window is shown.
    QProcess program;
    program.setProgram(QStringLiteral(MARIVO_BINARY_DIR "/bin/marivo"));
    program.setArguments({QStringLiteral("--data"), machine.Options.DataFolder});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MARIVO_STARTUP_TIMING"), QStringLiteral("1"));
    program.setProcessEnvironment(environment);
    program.start();
    ASSERT_TRUE(program.waitForStarted());
    QByteArray said;
    const bool shown = QTest::qWaitFor(
        [&] {
            said += program.readAllStandardError();
            return said.contains("marivo: first paint") || program.state() == QProcess::NotRunning;
        },
        60000);
    EXPECT_TRUE(shown && said.contains("marivo: first paint")) << said.toStdString();
    program.kill();
    ASSERT_TRUE(program.waitForFinished());
    EXPECT_EQ(program.exitStatus(), QProcess::CrashExit);
    receiver.Unplug();

    int reported = 0;
    QString told;
    auto oldCloseError = TFormMsgCloseError::SetPrompter([&](TFormMsgCloseError &form) {
        ++reported;
        told = form.LabelMsgTitle->text() + QLatin1Char('\n') + form.LabelMsg->text();
        form.resize(560, 260);
        acceptance::Screenshot(&form, QStringLiteral("6-unclean-exit-reported"));
        form.ButtonOk->click();
        return form.result();
    });
    {
        TScenarioRun third;
        third.When(QStringLiteral("the charts are drawn after the kill"), ChartsDrawn, [&](TFormMarivo6Main &main) {
            const TDay now = Observe(main);
            EXPECT_EQ(now.Routes, day.Routes);
            for (const QString &track : day.Tracks) EXPECT_TRUE(now.Tracks.contains(track)) << track.toStdString();
            EXPECT_EQ(now.Caption, day.Caption);
            acceptance::Screenshot(&main, QStringLiteral("6-after-the-kill"));
        });
        third.Close();
        EXPECT_EQ(third.Run(machine.Options), 0);
    }
    TFormMsgCloseError::SetPrompter(std::move(oldCloseError));
    EXPECT_EQ(reported, 1);
    EXPECT_FALSE(told.isEmpty());
    EXPECT_EQ(asked, 1);
}
