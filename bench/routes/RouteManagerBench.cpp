// Speed of opening the route manager with 5,000 routes in 50 groups, and of the track
// manager listing 2,000 track files from their headers (no track point is read). Targets:
// each under 300 ms.
#include "bench/common/BenchEnv.h"

#include "base/waypoints/KvWaypoints.h"
#include "routes/FrmRouteManager.h"
#include "routes/FrmTrackManager.h"
#include "routes/RouteManagerModel.h"
#include "routes/TrackManagerModel.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvLib.h>

#include <QTemporaryDir>
#include <memory>

namespace {

struct TManagerSetup {
    QTemporaryDir Tmp, Tracks;
    std::unique_ptr<TMarivoNavEnv> Env;
    QString Error;

    TManagerSetup() {
        const QString data = benchenv::DemoData(Tmp);
        bool failed = true;
        if (!data.isEmpty()) Env = std::make_unique<TMarivoNavEnv>(failed, nullptr, data, data, 1, TNavEnvEvents{});
        if (failed || !Env) {
            Error = QStringLiteral("the environment could not be created on the demo data");
            return;
        }
        int32_t err = 0;
        for (int i = 0; i < 5000; ++i) {
            IWptRoute *r = Env->UserDatabase->NewRoute(45000.0 + i / 100.0);
            WptObjectSetName(r, QStringLiteral("Route %1").arg(i), err);
            WptRouteSetGroupName(r, QStringLiteral("Group %1").arg(i % 50), err);
            for (int p = 0; p < 3; ++p) r->AddPointAtPosition(TRoutePosition{0.92 + p * 0.001, 0.08, 0.0}, err);
        }
        // 2,000 files of 500 points each: reading the points would show in the time.
        Env->TracksFolder = Tracks.path() + u'/';
        INavTrack *t = NavTrackCreateNew(Tracks.filePath(QStringLiteral("first.trk")), false);
        for (int p = 0; p < 500; ++p) t->AddPoint(45000.0 + p / 1440.0, TGeoPoint3{0.92 + p * 1e-5, 0.08, 0.0}, err);
        NavTrackSaveToFile(t, Tracks.filePath(QStringLiteral("first.trk")), err);
        ObjectDelete(t);
        for (int i = 1; i < 2000; ++i)
            QFile::copy(Tracks.filePath(QStringLiteral("first.trk")), Tracks.filePath(QStringLiteral("track %1.trk").arg(i)));
    }
};

TManagerSetup &Setup() {
    static TManagerSetup setup;
    return setup;
}

void BM_RouteManagerOpen(benchmark::State &state) {
    TManagerSetup &s = Setup();
    if (!s.Error.isEmpty()) return state.SkipWithError(s.Error.toStdString().c_str());
    for (auto _ : state) {
        TFormRouteManager form(*s.Env);
        form.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.Model()->TopRows().size());
    }
}
BENCHMARK(BM_RouteManagerOpen)->Unit(benchmark::kMillisecond);

void BM_TrackManagerList(benchmark::State &state) {
    TManagerSetup &s = Setup();
    if (!s.Error.isEmpty()) return state.SkipWithError(s.Error.toStdString().c_str());
    for (auto _ : state) {
        TFormTrackManager form(*s.Env);
        form.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.Model()->Rows().size());
    }
}
BENCHMARK(BM_TrackManagerList)->Unit(benchmark::kMillisecond);

}  // namespace
