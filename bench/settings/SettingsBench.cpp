// Settings store throughput: durable writes (each one on disk before the call returns) and
// reads, through the registry helpers the program uses. Runs in a private temporary folder.
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvStrings.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

void PickEnglish(int32_t *language, bool *cancelled) {
    *language = KvLang::English;
    *cancelled = false;
}

// Opens the store once for the whole run, in a folder removed at the end.
class TStoreFixture {
public:
    TStoreFixture() {
        qputenv("XDG_CONFIG_HOME", (FDir.path() + QStringLiteral("/config")).toLocal8Bit());
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

void BM_DurableIntegerWrite(benchmark::State &state) {
    if (!Store().Open()) {
        state.SkipWithError("settings store could not be opened");
        return;
    }
    const QString key = QStringLiteral("Bench\\Writes");
    int32_t i = 0;
    for (auto _ : state) {
        int32_t err = 0;
        RegWriteInteger(GetAppReg(), AppRegRoot::Product, key,
                        RegName(QStringLiteral("Value%1").arg(i % 64)), i, err);
        if (err != 0) state.SkipWithError("write failed");
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_StringWrite(benchmark::State &state) {
    if (!Store().Open()) {
        state.SkipWithError("settings store could not be opened");
        return;
    }
    const QString key = QStringLiteral("Bench\\Texts");
    const QString text = QStringLiteral("/home/skipper/Charts/Inland ENC/Waal");
    for (auto _ : state) {
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, key, RegName(u"Folder"), text, err);
        if (err != 0) state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_IntegerRead(benchmark::State &state) {
    if (!Store().Open()) {
        state.SkipWithError("settings store could not be opened");
        return;
    }
    const QString key = QStringLiteral("Bench\\Reads");
    int32_t err = 0;
    for (int i = 0; i < 64; ++i)
        RegWriteInteger(GetAppReg(), AppRegRoot::Product, key,
                        RegName(QStringLiteral("Value%1").arg(i)), i, err);
    int32_t i = 0;
    int64_t sum = 0;
    for (auto _ : state) {
        sum += RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, key,
                                 RegName(QStringLiteral("Value%1").arg(i % 64)), -1);
        ++i;
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_DurableIntegerWrite);
BENCHMARK(BM_StringWrite);
BENCHMARK(BM_IntegerRead);

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
