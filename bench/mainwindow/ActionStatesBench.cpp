// The main window's action states on the demo data: one full update (snapshot of the
// environment and the viewer, computation, and the comparison with every action, toolbar
// and panel) and the computation alone. The update runs after nearly every change and every
// second while navigating. Goal: under 0.2 ms per update. Also a language switch of the
// whole window with every frame present (menus, actions, panels, frames, owned windows),
// alternating Dutch and English. Goal: under 150 ms per switch.
#include "base/dialogs/KvMsgBox.h"
#include "bench/common/BenchMainWindow.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmMsgDisclaimer.h"
#include "shell/FrmSplash.h"
#include "shell/KvAppInit.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace {

using benchenv::DemoData;

// The demo data and the main window on it; freed by main while the application still exists,
// as static storage would outlive it.
std::unique_ptr<QTemporaryDir> TheData;
std::unique_ptr<TFormMarivo6Main> TheWindow;
bool TheWindowTried = false;

// The demo main window, shown and started once for every benchmark.
TFormMarivo6Main *MainWindow() {
    if (TheWindowTried) return TheWindow.get();
    TheWindowTried = true;
    TheData = std::make_unique<QTemporaryDir>();
    TStartOptions options;
    options.DataFolder = DemoData(*TheData);
    if (options.DataFolder.isEmpty()) return nullptr;
    auto window = std::make_unique<TFormMarivo6Main>(options);
    if (!window->NavEnv()) return nullptr;
    window->setGeometry(0, 0, 1280, 800);
    window->show();
    window->WMDeferredStart();
    TheWindow = std::move(window);
    return TheWindow.get();
}

void BM_UpdateActionStates(benchmark::State &state) {
    TFormMarivo6Main *main = MainWindow();
    if (!main) {
        state.SkipWithError("the main window could not start on the demo data (set MARIVO_DATA_DIR)");
        return;
    }
    for (auto _ : state) main->UpdateActionStates();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UpdateActionStates)->Unit(benchmark::kMicrosecond);

void BM_ComputeActionStates(benchmark::State &state) {
    TFormMarivo6Main *main = MainWindow();
    if (!main) {
        state.SkipWithError("the main window could not start on the demo data (set MARIVO_DATA_DIR)");
        return;
    }
    const TActionSnapshot snapshot = main->TakeActionSnapshot();
    for (auto _ : state) benchmark::DoNotOptimize(ComputeActionStates(snapshot));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComputeActionStates)->Unit(benchmark::kMicrosecond);

void BM_LanguageSwitch(benchmark::State &state) {
    TFormMarivo6Main *main = MainWindow();
    if (!main) {
        state.SkipWithError("the main window could not start on the demo data (set MARIVO_DATA_DIR)");
        return;
    }
    bool dutch = false;
    for (auto _ : state) {
        dutch = !dutch;
        SetCurrentLanguage(dutch ? KvLang::Dutch : KvLang::English);
        main->LoadLanguage();
    }
    SetCurrentLanguage(KvLang::English);
    main->LoadLanguage();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LanguageSwitch)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
    return benchenv::RunMainWindowBenchmarks(argc, argv, TheWindow, TheData);
}
