// NMEA sentences decoded per second over the recorded receiver logs: our decoder, and
// gpsd's gpsdecode on the same bytes in the same run for comparison (found through the
// GPSDECODE variable or the PATH; skipped when absent). The logs are read from
// MARIVO_NMEA_LOGS, else from the shared test data next to the source tree.
#include "devices/NmeaParser.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <filesystem>

namespace {

// Every log of the folder, repeated so that one pass is a few megabytes: long enough that
// starting gpsdecode does not dominate its time.
struct TCorpus {
    QByteArray Bytes;
    int64_t Sentences = 0;
};

const TCorpus &Corpus() {
    static const TCorpus corpus = [] {
        TCorpus c;
        QString folder = qEnvironmentVariable("MARIVO_NMEA_LOGS");
        if (folder.isEmpty())
            folder = QStringLiteral(MARIVO_TESTDATA_DIR "/nmea");
        QByteArray once;
        for (const QString &name : QDir(folder).entryList({"*.log"}, QDir::Files, QDir::Name)) {
            QFile f(folder + '/' + name);
            if (f.open(QIODevice::ReadOnly)) once += f.readAll() + '\n';
        }
        if (once.isEmpty()) return c;
        const int repeats = int(4 * 1024 * 1024 / once.size()) + 1;
        c.Bytes = once.repeated(repeats);
        kv::TNmeaParser counter;
        counter.Feed(c.Bytes.constData(), size_t(c.Bytes.size()));
        c.Sentences = int64_t(counter.Stats().Valid() + counter.Stats().Rejected());
        return c;
    }();
    return corpus;
}

void BM_NmeaParser(benchmark::State &state) {
    const TCorpus &c = Corpus();
    if (c.Bytes.isEmpty()) {
        state.SkipWithError("no NMEA logs found (set MARIVO_NMEA_LOGS)");
        return;
    }
    for (auto _ : state) {
        kv::TNmeaParser parser;
        parser.Feed(c.Bytes.constData(), size_t(c.Bytes.size()));
        benchmark::DoNotOptimize(parser.State().FixCount);
    }
    state.SetItemsProcessed(state.iterations() * c.Sentences);
    state.SetBytesProcessed(state.iterations() * c.Bytes.size());
}
BENCHMARK(BM_NmeaParser)->Unit(benchmark::kMillisecond);

void BM_Gpsdecode(benchmark::State &state) {
    const TCorpus &c = Corpus();
    QString program = qEnvironmentVariable("GPSDECODE");
    if (program.isEmpty()) program = QStandardPaths::findExecutable(QStringLiteral("gpsdecode"));
    if (c.Bytes.isEmpty() || program.isEmpty()) {
        state.SkipWithError("gpsdecode or the NMEA logs not found");
        return;
    }
    QTemporaryFile input;
    if (!input.open() || input.write(c.Bytes) != c.Bytes.size() || !input.flush()) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    for (auto _ : state) {
        QProcess p;
        p.setStandardInputFile(input.fileName());
        p.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer t;
        t.start();
        p.start(program, {});
        if (!p.waitForFinished(120000) || p.exitCode() != 0) {
            state.SkipWithError("gpsdecode failed");
            return;
        }
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
    state.SetItemsProcessed(state.iterations() * c.Sentences);
    state.SetBytesProcessed(state.iterations() * c.Bytes.size());
}
BENCHMARK(BM_Gpsdecode)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
