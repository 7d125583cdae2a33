// GPX files read per second: a generated file of about 100 MB (10,000 waypoints, 200 routes
// of 50 points, 20 tracks of 50,000 points with ele and time) read as the import wizard reads
// it (routes and tracks into track files in a temporary folder), and gpsbabel on the same file
// in the same run for comparison (found through the GPSBABEL variable or the PATH; skipped
// when absent). The parser alone is measured too; peak resident memory growth is reported.
#include "base/kvlib/KvLib.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/KvGPX.h"
#include "exchange/KvGPXParallel.h"
#include "exchange/KvGPXParser.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

double StatusKB(const char *name) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0.0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(name)) return line.mid(int(qstrlen(name)) + 1).trimmed().split(' ').value(0).toDouble();
    return 0.0;
}

struct TBenchFile {
    QTemporaryDir Dir;
    QString File;
    int64_t Size = 0;
};

QByteArray Point(const char *tag, int i, bool timed) {
    QByteArray p = "<" + QByteArray(tag) + " lat=\"" + QByteArray::number(50.0 + (i % 100000) * 1e-5, 'f', 7) +
                   "\" lon=\"" + QByteArray::number(4.0 + (i % 70000) * 1e-5, 'f', 7) + "\"><ele>" +
                   QByteArray::number(i % 50) + ".5</ele>";
    if (timed) {
        const int s = i % 86400;
        p += "<time>2024-06-01T" + QByteArray::number(s / 3600).rightJustified(2, '0') + ':' +
             QByteArray::number(s / 60 % 60).rightJustified(2, '0') + ':' +
             QByteArray::number(s % 60).rightJustified(2, '0') + "Z</time>";
    }
    return p + "</" + QByteArray(tag) + ">\n";
}

const TBenchFile &BenchFile() {
    static TBenchFile file = [] {
        TBenchFile f;
        f.File = f.Dir.filePath(QStringLiteral("bench.gpx"));
        QFile out(f.File);
        if (!out.open(QIODevice::WriteOnly)) return f;
        out.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"bench\" "
                  "xmlns=\"http://www.topografix.com/GPX/1/1\">\n");
        for (int i = 0; i < 10000; ++i)
            out.write(Point("wpt", i, true).replace("</wpt>", "<name>WP" + QByteArray::number(i) + "</name></wpt>"));
        for (int r = 0; r < 200; ++r) {
            out.write("<rte><name>Route " + QByteArray::number(r) + "</name>\n");
            for (int i = 0; i < 50; ++i) out.write(Point("rtept", r * 50 + i, false));
            out.write("</rte>\n");
        }
        for (int t = 0; t < 20; ++t) {
            out.write("<trk><name>Track " + QByteArray::number(t) + "</name><trkseg>\n");
            for (int i = 0; i < 50000; ++i) out.write(Point("trkpt", t * 50000 + i, true));
            out.write("</trkseg></trk>\n");
        }
        out.write("</gpx>\n");
        f.Size = out.size();
        return f;
    }();
    return file;
}

void BM_GPXParse(benchmark::State &state) {
    const TBenchFile &f = BenchFile();
    int64_t points = 0;
    for (auto _ : state) {
        QFile in(f.File);
        in.open(QIODevice::ReadOnly);
        TGPXHandlers h;
        h.Track = [&points](TGPXTrack &&t) { points += int64_t(t.Points.size()); };
        benchmark::DoNotOptimize(GPXParse(in, 0x06, h).Ok);
    }
    state.SetBytesProcessed(state.iterations() * f.Size);
    state.counters["points"] = double(points) / double(state.iterations());
}
BENCHMARK(BM_GPXParse)->Unit(benchmark::kMillisecond);

// The same read in pieces on state.range(0) workers.
void BM_GPXParseFile(benchmark::State &state) {
    const TBenchFile &f = BenchFile();
    TGPXParallelOptions parallel;
    parallel.Threads = int(state.range(0));
    int64_t points = 0;
    for (auto _ : state) {
        TGPXHandlers h;
        h.Track = [&points](TGPXTrack &&t) { points += int64_t(t.Points.size()); };
        benchmark::DoNotOptimize(GPXParseFile(f.File, 0x06, h, {}, parallel).Ok);
    }
    state.SetBytesProcessed(state.iterations() * f.Size);
    state.counters["points"] = double(points) / double(state.iterations());
}
BENCHMARK(BM_GPXParseFile)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// The wizard's read: range(0) workers, 0 for the machine's choice.
void BM_ReadGPXFile(benchmark::State &state) {
    const TBenchFile &f = BenchFile();
    int32_t err = 0;
    TNavPtr<IWptManager> manager(CreateWptManager(nullptr, nullptr, QStringLiteral("Sans"), {}, {}, {}, nullptr,
                                                  nullptr, nullptr, nullptr, nullptr, err));
    IWptDatabase *db = WptManagerNewDatabase(manager.get(), QStringLiteral("Import database"));
    const double rssBefore = StatusKB("VmRSS:");
    for (auto _ : state) {
        QTemporaryDir target;
        QStringList files;
        int32_t invalid = 0;
        TGPXParallelOptions parallel;
        parallel.Threads = int(state.range(0));
        ReadGPXFile(f.File, manager.get(), db, 45000.0, target.path() + u'/', files, invalid, 0x06, {}, parallel);
        if (files.size() != 220) state.SkipWithError("unexpected number of track files");
    }
    state.SetBytesProcessed(state.iterations() * f.Size);
    state.counters["MB"] = double(f.Size) / 1e6;
    state.counters["peak_rss_growth_MB"] = (StatusKB("VmHWM:") - rssBefore) / 1024.0;
}
BENCHMARK(BM_ReadGPXFile)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void BM_Gpsbabel(benchmark::State &state) {
    const TBenchFile &f = BenchFile();
    QString program = qEnvironmentVariable("GPSBABEL");
    if (program.isEmpty()) program = QStandardPaths::findExecutable(QStringLiteral("gpsbabel"));
    if (program.isEmpty()) {
        state.SkipWithError("gpsbabel not found");
        return;
    }
    for (auto _ : state) {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(program, {QStringLiteral("-i"), QStringLiteral("gpx"), QStringLiteral("-f"), f.File,
                          QStringLiteral("-x"), QStringLiteral("nuketypes,waypoints,tracks,routes"),
                          QStringLiteral("-o"), QStringLiteral("gpx"), QStringLiteral("-F"),
                          QStringLiteral("/dev/null")});
        if (!p.waitForFinished(600000) || p.exitCode() != 0) {
            state.SkipWithError("gpsbabel failed");
            return;
        }
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
    state.SetBytesProcessed(state.iterations() * f.Size);
}
BENCHMARK(BM_Gpsbabel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
