// Settings store throughput in wall time: durable writes (each one on disk before the call
// returns, with the fsyncs that cost) and reads, through the registry helpers the program
// uses. Runs in a private temporary folder.
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvStrings.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <array>
#include <atomic>
#include <vector>

namespace {

// The default VFS with every file's xSync counted: what durability costs per write. Not
// thread-safe while files are opened; the benchmark opens them from one thread.
class TSyncCounter {
public:
    static TSyncCounter &Get() {
        static TSyncCounter counter;
        return counter;
    }
    // Becomes the default VFS, so the store opened afterwards goes through it.
    bool Install() {
        FReal = sqlite3_vfs_find(nullptr);
        if (!FReal) return false;
        FVfs = *FReal;
        FVfs.zName = "marivo-sync-counter";
        FVfs.pAppData = this;
        FVfs.xOpen = &Open;
        return sqlite3_vfs_register(&FVfs, 1) == SQLITE_OK;
    }
    uint64_t Syncs() const { return FSyncs.load(); }

private:
    static int Open(sqlite3_vfs *vfs, sqlite3_filename name, sqlite3_file *file, int flags,
                    int *outFlags) {
        auto *self = static_cast<TSyncCounter *>(vfs->pAppData);
        const int rc = self->FReal->xOpen(self->FReal, name, file, flags, outFlags);
        // The unix VFS has one method table per locking style (the database and its
        // journals differ): each gets a copy whose xSync counts.
        if (rc != SQLITE_OK || !file->pMethods) return rc;
        for (TTable &t : self->FTables) {
            if (!t.Real) {
                t.Real = file->pMethods;
                t.Counting = *file->pMethods;
                t.Counting.xSync = &Sync;
            }
            if (t.Real == file->pMethods) {
                file->pMethods = &t.Counting;
                break;
            }
        }
        return rc;
    }
    static int Sync(sqlite3_file *file, int flags) {
        TSyncCounter &self = Get();
        ++self.FSyncs;
        for (const TTable &t : self.FTables)
            if (file->pMethods == &t.Counting) return t.Real->xSync(file, flags);
        return SQLITE_IOERR_FSYNC;
    }

    struct TTable {
        const sqlite3_io_methods *Real = nullptr;
        sqlite3_io_methods Counting{};
    };
    sqlite3_vfs *FReal = nullptr;
    sqlite3_vfs FVfs{};
    std::array<TTable, 4> FTables;
    std::atomic<uint64_t> FSyncs{0};
};

void PickEnglish(int32_t *language, bool *cancelled) {
    *language = KvLang::English;
    *cancelled = false;
}

// Opens the store once for the whole run, in a folder removed at the end.
class TStoreFixture {
public:
    TStoreFixture() {
        qputenv("XDG_CONFIG_HOME", (FDir.path() + QStringLiteral("/config")).toLocal8Bit());
        if (!TSyncCounter::Get().Install()) return;
        const TGUID product;
        FOpen = InitApplication(239, 0, &product, StrW(QStringLiteral("Marivo\\Ostrel")), 21, 3,
                                2024, 2024, 3, 21, PickEnglish, nullptr, nullptr, nullptr,
                                StrW(QStringLiteral("Benchmark")), 9);
    }
    bool Open() const { return FOpen; }

private:
    QTemporaryDir FDir;
    bool FOpen = false;
};

TStoreFixture &Store() {
    static TStoreFixture store;
    return store;
}

std::vector<QString> Names(int count) {
    std::vector<QString> names;
    for (int i = 0; i < count; ++i) names.push_back(QStringLiteral("Value%1").arg(i));
    return names;
}

// Each write stores another value than the one in the file, so SQLite really writes.
void BM_DurableIntegerWrite(benchmark::State &state) {
    if (!Store().Open()) {
        state.SkipWithError("settings store could not be opened");
        return;
    }
    const QString key = QStringLiteral("Bench\\Writes");
    const std::vector<QString> names = Names(64);
    static int32_t value = 0;  // goes on across runs: never the value already stored
    const uint64_t syncs = TSyncCounter::Get().Syncs();
    for (auto _ : state) {
        int32_t err = 0;
        ++value;
        RegWriteInteger(GetAppReg(), AppRegRoot::Product, key, RegName(names[size_t(value % 64)]),
                        value, err);
        if (err != 0) state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["fsyncs_per_write"] = benchmark::Counter(
        double(TSyncCounter::Get().Syncs() - syncs), benchmark::Counter::kAvgIterations);
}

void BM_StringWrite(benchmark::State &state) {
    if (!Store().Open()) {
        state.SkipWithError("settings store could not be opened");
        return;
    }
    const QString key = QStringLiteral("Bench\\Texts");
    const QString texts[] = {QStringLiteral("/home/skipper/Charts/Inland ENC/Waal"),
                             QStringLiteral("/home/skipper/Charts/Inland ENC/IJssel")};
    static int turn = 0;
    const uint64_t syncs = TSyncCounter::Get().Syncs();
    for (auto _ : state) {
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, key, RegName(u"Folder"),
                       texts[++turn % 2], err);
        if (err != 0) state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["fsyncs_per_write"] = benchmark::Counter(
        double(TSyncCounter::Get().Syncs() - syncs), benchmark::Counter::kAvgIterations);
}

// Values read again and again, as the program does: answered from the cache.
void BM_IntegerRead(benchmark::State &state) {
    if (!Store().Open()) {
        state.SkipWithError("settings store could not be opened");
        return;
    }
    const QString key = QStringLiteral("Bench\\Reads");
    const std::vector<QString> names = Names(64);
    int32_t err = 0;
    for (int i = 0; i < 64; ++i)
        RegWriteInteger(GetAppReg(), AppRegRoot::Product, key, RegName(names[size_t(i)]), i, err);
    size_t i = 0;
    int64_t sum = 0;
    for (auto _ : state) {
        sum += RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, key, RegName(names[i % 64]), -1);
        ++i;
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations());
}

// The first read after a write: the cache was emptied, so the file answers.
void BM_IntegerReadAfterWrite(benchmark::State &state) {
    if (!Store().Open()) {
        state.SkipWithError("settings store could not be opened");
        return;
    }
    const QString key = QStringLiteral("Bench\\Reads");
    int32_t value = 0;
    int64_t sum = 0;
    for (auto _ : state) {
        state.PauseTiming();
        int32_t err = 0;
        RegWriteInteger(GetAppReg(), AppRegRoot::Product, QStringLiteral("Bench\\Other"),
                        RegName(u"Changed"), ++value, err);
        state.ResumeTiming();
        sum += RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, key, RegName(u"Value7"), -1);
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_DurableIntegerWrite)->UseRealTime();
BENCHMARK(BM_StringWrite)->UseRealTime();
BENCHMARK(BM_IntegerRead)->UseRealTime();
BENCHMARK(BM_IntegerReadAfterWrite)->UseRealTime();

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
