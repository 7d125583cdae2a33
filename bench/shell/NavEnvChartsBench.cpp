// Releasing and reloading every chart resource around a companion program's run, with the
// demo data set and 200 user routes on its network: the waiting time the user sees before
// the chart manager opens and after it closes. Goal: under 1 s for the pair.
#include "BenchSupport.h"
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

using benchsupport::DemoData;

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
    QTemporaryDir config;
    benchsupport::PrepareEnvironment(config);
    QApplication app(argc, argv);
    if (!benchsupport::InitBenchApplication()) return 1;
    SetSplashWait([](int) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
