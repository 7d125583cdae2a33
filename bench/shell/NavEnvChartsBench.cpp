// Releasing and reloading every chart resource around a companion program's run, with the
// demo data set and 200 user routes on its network: the waiting time the user sees before
// the chart manager opens and after it closes. Goal: under 1 s for the pair.
#include "base/kvlib/KvStrings.h"
#include "shell/FrmSplash.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace {

QString ExeDir() {
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

void PickEnglish(int32_t *language, bool *cancelled) {
    *language = KvLang::English;
    *cancelled = false;
}

// The demo data set: named by MARIVO_DATA_DIR, or written by the generator into tmp.
QString DemoData(const QTemporaryDir &tmp) {
    const QString given = qEnvironmentVariable("MARIVO_DATA_DIR");
    if (!given.isEmpty()) return given;
    const QString gen = QDir(ExeDir()).filePath(QStringLiteral("../tools/demogen/marivo-demogen"));
    const QString data = QDir(tmp.path()).filePath(QStringLiteral("data"));
    if (!QFileInfo(gen).isExecutable() || QProcess::execute(gen, {data}) != 0) return {};
    return data;
}

void BM_ReleaseAndReloadCharts(benchmark::State &state) {
    QTemporaryDir tmp;
    const QString data = DemoData(tmp);
    if (data.isEmpty()) {
        state.SkipWithError("demo data not found (set MARIVO_DATA_DIR)");
        return;
    }
    bool failed = true;
    auto env = std::make_unique<TMarivoNavEnv>(failed, nullptr, data, data, 1, TNavEnvEvents{});
    if (failed || !env->WaterwayNetwork) {
        state.SkipWithError("the environment could not be created on the demo data");
        return;
    }
    uint8_t mode = 0;
    env->Start(mode);
    env->Loop->SetManualClock(true);
    for (int r = 0; r < 200; ++r) {
        IWptRoute *route = env->UserDatabase->NewRoute(45000.0);
        for (int p = 0; p < 3; ++p) {
            int32_t err = 0;
            route->AddNetworkPoint(env->WaterwayNetwork->GetSection((r + p * 7) % 40), 10.0, 0, err);
        }
        env->RouteList->Add(route);
    }
    env->SaveVisibleRoutes();
    // A companion runs with the loop off.
    env->Loop->SetOn(false);
    for (auto _ : state) {
        env->ReleaseCharts(true);
        env->ReloadCharts(true);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["routes"] = env->UserDatabase->GetRouteCount();
    env.reset();
}
BENCHMARK(BM_ReleaseAndReloadCharts)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("MARIVO_PROG_DIR", QFile::encodeName(QDir(ExeDir()).filePath(QStringLiteral("../bin"))));
    QApplication app(argc, argv);
    const TGUID product;
    if (!InitApplication(239, 0, &product, StrW(QStringLiteral("Marivo\\Ostrel")), 21, 3, 2024,
                         2024, 3, 21, PickEnglish, nullptr, nullptr, nullptr,
                         StrW(QStringLiteral("Bench")), 9))
        return 1;
    SetSplashWait([](int) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
