// Waypoint database and track throughput through the program's wrappers: a user database of
// 100,000 waypoints inserted, saved, reopened and read back, and a season's track of
// 1,000,000 points loaded from its ".trk" file (plain and compressed) or only its header
// read. Files live in a private temporary folder. Phase times of the database run are
// reported as counters (seconds per phase).
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvStrings.h"
#include "base/waypoints/KvWaypoints.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvWaypoints.h>

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

namespace {

struct NavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T>
using Owned = std::unique_ptr<T, NavObjectDeleter>;

QTemporaryDir &Dir() {
    static QTemporaryDir dir;
    return dir;
}

Owned<IWptManager> MakeManager() {
    int32_t err = 0;
    TWptLabelStyle main{10.0f, 0, 0xFF000000u}, small{8.0f, 0, 0xFF000000u};
    return Owned<IWptManager>(CreateWptManager(nullptr, nullptr, QStringLiteral("DejaVu Sans"),
                                               main, small, small, nullptr, nullptr, nullptr,
                                               nullptr, nullptr, err));
}

// Waypoints spread over the Baltic, named as a user's numbered marks.
TGeoPoint3 PositionOf(int i) {
    const double lat = (54.0 + (i % 1000) * 0.004) * M_PI / 180;
    const double lon = (10.0 + (i / 1000) * 0.1) * M_PI / 180;
    return TGeoPoint3{lat, lon, 0.0};
}

void BM_WaypointsInsertSaveReopenRead(benchmark::State &state) {
    const int count = int(state.range(0));
    const QString file = Dir().filePath(QStringLiteral("Waypoints.db"));
    double insertS = 0, saveS = 0, openS = 0, readS = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        {
            auto m = MakeManager();
            IWptDatabase *db = WptManagerNewDatabase(m.get(), QStringLiteral("Benchmark"));
            t.start();
            for (int i = 0; i < count; ++i) {
                IWptWaypoint *w = db->NewWaypoint(nullptr, PositionOf(i), nullptr);
                int32_t err = 0;
                WptObjectSetName(w, QStringLiteral("Mark %1").arg(i), err);
                if (!w || err != KvErr::Ok) {
                    state.SkipWithError("insert failed");
                    return;
                }
            }
            insertS += t.nsecsElapsed() / 1e9;
            t.restart();
            int32_t err = 0;
            WptDatabaseSaveToFile(db, file, err);
            saveS += t.nsecsElapsed() / 1e9;
            if (err != KvErr::Ok) {
                state.SkipWithError("save failed");
                return;
            }
        }
        auto m = MakeManager();
        t.restart();
        int32_t err = 0;
        IWptDatabase *db = WptManagerOpenDatabase(m.get(), file, 0, err);
        openS += t.nsecsElapsed() / 1e9;
        if (!db || err != KvErr::Ok || m->GetWaypointCount() != count) {
            state.SkipWithError("reopen failed");
            return;
        }
        t.restart();
        double latSum = 0;
        qsizetype nameUnits = 0;
        for (int32_t i = 0; i < m->GetWaypointCount(); ++i) {
            IWptWaypoint *w = m->GetWaypoint(i);
            nameUnits += WptObjectGetName(w).size();
            latSum += w->GetLatitude();
        }
        benchmark::DoNotOptimize(latSum);
        benchmark::DoNotOptimize(nameUnits);
        readS += t.nsecsElapsed() / 1e9;
    }
    const double n = double(state.iterations());
    state.counters["insert_s"] = insertS / n;
    state.counters["save_s"] = saveS / n;
    state.counters["open_s"] = openS / n;
    state.counters["read_s"] = readS / n;
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_WaypointsInsertSaveReopenRead)->Arg(100000)->Unit(benchmark::kMillisecond)
    ->Iterations(3)->UseRealTime();

// A season's track: one point a second, drifting along a coast; written once per variant.
QString TrackFile(int points, bool compressed) {
    const QString file = Dir().filePath(QStringLiteral("Season-%1-%2.trk")
                                            .arg(points)
                                            .arg(compressed ? QStringLiteral("packed")
                                                            : QStringLiteral("plain")));
    if (QFile::exists(file)) return file;
    // No file yet: the track does not record, it only takes the compression setting.
    Owned<INavTrack> track(NavTrackCreateNew(QString(), compressed));
    NavTrackSetName(track.get(), QStringLiteral("Season 2024"));
    track->SetHasTimes(true);
    for (int i = 0; i < points; ++i) {
        int32_t err = 0;
        const double a = i * 1e-5;
        track->AddPoint(45000.0 + i / 86400.0,
                        TGeoPoint3{(54.0 + 0.5 * std::sin(a)) * M_PI / 180,
                                   (10.0 + 0.01 * i / 1000.0) * M_PI / 180, 0.0},
                        err);
        if (err != KvErr::Ok) return QString();
    }
    int32_t err = 0;
    NavTrackSaveToFile(track.get(), file, err);
    return err == KvErr::Ok ? file : QString();
}

void BM_TrackLoad(benchmark::State &state) {
    const int points = int(state.range(0));
    const QString file = TrackFile(points, state.range(1) != 0);
    if (file.isEmpty()) {
        state.SkipWithError("track file could not be written");
        return;
    }
    for (auto _ : state) {
        int32_t err = 0;
        Owned<INavTrack> t(NavTrackCreateFromFile(file, err));
        if (!t || err != KvErr::Ok || t->GetPointCount() != points) {
            state.SkipWithError("load failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * points);
    state.SetBytesProcessed(state.iterations() * QFileInfo(file).size());
}
BENCHMARK(BM_TrackLoad)->ArgsProduct({{1000000}, {0, 1}})->ArgNames({"points", "packed"})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TrackHeaderOnly(benchmark::State &state) {
    const QString file = TrackFile(int(state.range(0)), false);
    if (file.isEmpty()) {
        state.SkipWithError("track file could not be written");
        return;
    }
    for (auto _ : state) {
        TTrackFileInfo info;
        int32_t err = 0;
        NavTrackGetFileInfo(file, info, err);
        if (err != KvErr::Ok || info.PointCount != state.range(0)) {
            state.SkipWithError("header read failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TrackHeaderOnly)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    TKvLibScope library;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
