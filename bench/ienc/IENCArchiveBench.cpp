// Inland ENC set archives per second: a generated archive of about 100 MB (20 cells of 5 MB,
// deflated, made from the shared test cell and noise) checked whole and then unpacked member by member
// as the download client does, and "unzip -t" on the same file in the same run for
// comparison (skipped when unzip is not installed). MB/s is in bytes_per_second.
#include "online/IENCArchive.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <zip.h>

#include <vector>

namespace {

constexpr int CellCount = 20;
constexpr qsizetype CellSize = 5 * 1000 * 1000;

struct TBenchArchive {
    QTemporaryDir Dir;
    QString File;
    int64_t Size = 0;
    std::vector<kv::TIENCListedFile> Listed;
};

// Cell bytes that deflate hardly shrinks, as the archive is to be about 100 MB itself: the
// test cell's bytes mixed with a pseudo-random stream.
QByteArray CellBytes(int n) {
    QFile f(QStringLiteral(MARIVO_TESTDATA_DIR "/charts/s57/US4MD81M/US4MD81M.000"));
    const QByteArray seed = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(4096, 'c');
    QByteArray bytes(CellSize, Qt::Uninitialized);
    uint64_t x = 0x9E3779B97F4A7C15ull * uint64_t(n + 1);
    for (qsizetype i = 0; i < CellSize; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        bytes[i] = char(uint8_t(seed[i % seed.size()]) ^ uint8_t(x));
    }
    return bytes;
}

TBenchArchive &Archive() {
    static TBenchArchive a = [] {
        TBenchArchive r;
        r.File = r.Dir.filePath(QStringLiteral("set.zip"));
        int error = 0;
        zip_t *z = zip_open(QFile::encodeName(r.File).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        std::vector<QByteArray> data;
        data.reserve(CellCount);
        for (int i = 0; i < CellCount; ++i) {
            data.push_back(CellBytes(i));
            const QString name = QStringLiteral("ENC_ROOT/NL%1/NL%1.000").arg(i, 6, 10, QLatin1Char('0'));
            zip_source_t *src = zip_source_buffer(z, data.back().constData(), zip_uint64_t(data.back().size()), 0);
            zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8);
            r.Listed.push_back({name, data.back().size()});
        }
        zip_close(z);
        r.Size = QFileInfo(r.File).size();
        return r;
    }();
    return a;
}

int64_t Unpacked(const TBenchArchive &a) {
    int64_t sum = 0;
    for (const auto &f : a.Listed) sum += f.Size;
    return sum;
}

void BM_CheckAndUnpack(benchmark::State &state) {
    TBenchArchive &a = Archive();
    for (auto _ : state) {
        QTemporaryDir out;
        QString problem;
        if (kv::CheckIENCArchive(a.File, a.Size, a.Listed, problem) != KvErr::Ok) {
            state.SkipWithError(problem.toUtf8().constData());
            return;
        }
        for (const auto &f : a.Listed)
            if (kv::ExtractIENCMember(a.File, f.Name, f.Size, out.filePath(f.Name)) != KvErr::Ok) {
                state.SkipWithError("a member was not written");
                return;
            }
    }
    state.SetBytesProcessed(state.iterations() * a.Size);
    state.counters["archive_MB"] = double(a.Size) / 1e6;
    state.counters["unpacked_MB"] = double(Unpacked(a)) / 1e6;
}
BENCHMARK(BM_CheckAndUnpack)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CheckOnly(benchmark::State &state) {
    TBenchArchive &a = Archive();
    for (auto _ : state) {
        QString problem;
        benchmark::DoNotOptimize(kv::CheckIENCArchive(a.File, a.Size, a.Listed, problem));
    }
    state.SetBytesProcessed(state.iterations() * a.Size);
}
BENCHMARK(BM_CheckOnly)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The reference: unzip reading every member and checking its CRC.
void BM_UnzipTest(benchmark::State &state) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (program.isEmpty()) {
        state.SkipWithError("unzip not found");
        return;
    }
    TBenchArchive &a = Archive();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess p;
        p.start(program, {QStringLiteral("-tqq"), a.File});
        if (!p.waitForFinished(-1) || p.exitCode() != 0) {
            state.SkipWithError("unzip -t failed");
            return;
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
    state.SetBytesProcessed(state.iterations() * a.Size);
}
BENCHMARK(BM_UnzipTest)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
