// The program's half of the start-up bench: the program runs in this process as its main()
// runs it, on the data folder and the (empty) settings store the measuring half set up. The
// first start is answered as a user answers it, at once; the steps after that are the
// acceptance scenarios' own: a route planned between the two marinas and followed with the
// simulator. Three figures are printed: the main window's first paint and the demo charts'
// first full drawing, both from the process start, and the resident memory after sailing.
#include "StartupBench.h"
#include "TestSupport.h"

#include "FirstStart.h"
#include "RoutePlanning.h"
#include "ScenarioRun.h"

#include "DemoData.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvLib.h"
#include "chartview/NavViewerControl.h"
#include "shell/FrmLanguage.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmMsgDisclaimer.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvTracks.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <QtMath>

#include <cmath>
#include <ctime>
#include <unistd.h>

namespace startupbench {

namespace {

constexpr float SixKnots = 6.0f * 1852.0f / 3600.0f;

QString GData;
int GSailMs = 60000;

// Milliseconds since the kernel started this process: loading the libraries counts too.
double SinceProcessStartMs() {
    QFile file(QStringLiteral("/proc/self/stat"));
    if (!file.open(QIODevice::ReadOnly)) return NAN;
    const QByteArray stat = file.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    timespec now{};
    if (fields.size() < 20 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return NAN;
    const double startS = fields[19].toDouble() / double(sysconf(_SC_CLK_TCK));
    return (double(now.tv_sec) + double(now.tv_nsec) / 1e9 - startS) * 1000.0;
}

double ResidentMB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return NAN;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return NAN;
}

// Stamps the end of the main window's first paint, and the end of the first paint of the
// chart after which the chart is drawn (the check's own grab paints again and is not counted).
class TStartClock : public QObject {
public:
    double ShownMs = NAN;
    double ChartsMs = NAN;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::Paint || FChecking) return false;
        TFormMarivo6Main *main = TFormMarivo6Main::Current();
        if (!main) return false;
        // Posted, so the stamp falls after the paint that is about to run.
        if (std::isnan(ShownMs) && watched == main)
            QTimer::singleShot(0, this, [this] {
                if (std::isnan(ShownMs)) ShownMs = SinceProcessStartMs();
            });
        else if (std::isnan(ChartsMs) && watched == static_cast<QObject *>(acceptance::Chart(*main)))
            QTimer::singleShot(0, this, [this] { CheckCharts(); });
        return false;
    }

private:
    void CheckCharts() {
        TFormMarivo6Main *main = TFormMarivo6Main::Current();
        if (!std::isnan(ChartsMs) || !main) return;
        const double at = SinceProcessStartMs();
        FChecking = true;
        const bool drawn = acceptance::ChartsDrawn(*main);
        FChecking = false;
        if (drawn) ChartsMs = at;
    }
    bool FChecking = false;
};

void Print(const char *tag, double value) {
    QTextStream(stdout) << tag << ' ' << QString::number(value, 'f', 1) << Qt::endl;
}

}  // namespace

TEST(StartupBench, ADemoDayUpToSailing) {
    ASSERT_FALSE(GData.isEmpty());
    // Sailed in the opening hours of the bridges and locks, whatever the hour of the run.
    testsupport::TWorkingMorningClock morning;
    TStartOptions options;
    options.DataFolder = GData;
    int asked = 0;
    auto oldLanguage = TFormLanguage::SetPrompter(acceptance::PickLanguage(QStringLiteral("English"), &asked));
    auto oldDisclaimer = TFormMsgDisclaimer::SetPrompter([](TFormMsgDisclaimer &form) {
        form.ButtonOk->click();
        return form.result();
    });
    TStartClock clock;
    qApp->installEventFilter(&clock);

    const demo::TNetwork network = demo::BuildDemoNetwork();
    const demo::TMarina &haven = acceptance::Marina(network, QStringLiteral("Saltmere Yacht Haven"));
    const demo::TMarina &dunmeer = acceptance::Marina(network, QStringLiteral("Dunmeer Marina"));
    acceptance::TScenarioRun run;
    acceptance::MakeRouteOnTheChart(run, QStringLiteral("3.0"), haven, dunmeer);
    QElapsedTimer sailing;
    run.When(QStringLiteral("the route planned; the ship at the yacht haven sails it"), acceptance::RouteTablePlanned,
             [&](TFormMarivo6Main &main) {
                 TMarivoNavEnv &env = *main.NavEnv();
                 env.Boat->SetPosition(TGeoPoint{qDegreesToRadians(haven.Pos.Lat), qDegreesToRadians(haven.Pos.Lon)});
                 acceptance::UserAction(main, "ActionRouteStart")->trigger();
                 ASSERT_NE(env.GetActiveRoute(), nullptr);
                 ASSERT_TRUE(env.StartNavigation(true));
                 const TVector sixKnots{SixKnots, 0.0f};
                 env.Boat->GetState()->SetState(&sixKnots, nullptr, nullptr, nullptr, NAN, NAN, NAN, false, false, 0);
                 sailing.start();
             });
    double residentMB = NAN;
    run.When(QStringLiteral("sailed a while, the track recorded"),
             [&](TFormMarivo6Main &main) {
                 INavTrack *track = main.NavEnv()->Boat->GetTrack();
                 return sailing.elapsed() >= GSailMs && track && track->GetPointCount() >= 3;
             },
             [&](TFormMarivo6Main &) { residentMB = ResidentMB(); }, GSailMs + 60000);
    run.Close();
    EXPECT_EQ(run.Run(options), 0);
    qApp->removeEventFilter(&clock);
    TFormMsgDisclaimer::SetPrompter(std::move(oldDisclaimer));
    TFormLanguage::SetPrompter(std::move(oldLanguage));
    EXPECT_EQ(asked, 1) << "an empty settings store asks the language";
    EXPECT_FALSE(std::isnan(clock.ShownMs));
    EXPECT_FALSE(std::isnan(clock.ChartsMs));
    EXPECT_FALSE(std::isnan(residentMB));
    Print(ShownTag, clock.ShownMs);
    Print(ChartsTag, clock.ChartsMs);
    Print(RssTag, residentMB);
}

int RunScenario(int argc, char **argv) {
    GData = QString::fromLocal8Bit(argc > 2 ? argv[2] : "");
    if (argc > 3) GSailMs = std::max(1, atoi(argv[3])) * 1000;
    QByteArray program(argv[0]), filter("--gtest_filter=StartupBench.*");
    int testArgc = 2;
    char *testArgv[] = {program.data(), filter.data(), nullptr};
    ::testing::InitGoogleTest(&testArgc, testArgv);
    TKvLibScope library;
    TReportingApplication app(argc, argv);
    SetExceptionListener([](const QString &className, const QString &message) {
        ADD_FAILURE() << "Exception reported: " << className.toStdString() << ": " << message.toStdString();
    });
    const int result = RUN_ALL_TESTS();
    SetExceptionListener(nullptr);
    return result;
}

}  // namespace startupbench
