// A mouse move over the demo network as the main window sees it: the viewer control's own
// handling of the move, then the position and waterway panels of the status bar. It runs
// for every mouse move over the chart. Goal: under 0.2 ms per move.
#include "base/dialogs/KvMsgBox.h"
#include "bench/common/BenchMainWindow.h"
#include "chartview/NavViewerControl.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmMsgDisclaimer.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvViewer.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QDeadlineTimer>

#include <memory>

namespace {

using benchenv::DemoData;

// The demo data and the main window on it; freed by main before the application goes.
std::unique_ptr<QTemporaryDir> TheData;
std::unique_ptr<TFormMarivo6Main> TheWindow;
bool TheWindowTried = false;

// The demo main window, shown, started and centred at 100 % on a network section; made by
// the first benchmark that asks for it.
TFormMarivo6Main *MainWindow() {
    if (TheWindowTried) return TheWindow.get();
    TheWindowTried = true;
    TheData = std::make_unique<QTemporaryDir>();
    TheWindow = []() -> std::unique_ptr<TFormMarivo6Main> {
        TStartOptions options;
        options.DataFolder = DemoData(*TheData);
        if (options.DataFolder.isEmpty()) return nullptr;
        auto window = std::make_unique<TFormMarivo6Main>(options);
        if (!window->NavEnv() || !window->NavEnv()->WaterwayNetwork) return nullptr;
        window->setGeometry(0, 0, 1280, 800);
        window->show();
        window->WMDeferredStart();
        TNavViewerControl *viewer = window->ViewerMain()->ViewerControl();
        // The first chart loads in the background.
        const QDeadlineTimer deadline(15000);
        while (!viewer->GetCalibration() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (!viewer->GetCalibration()) return nullptr;
        viewer->SetNetworkFlags(viewer->GetNetworkFlags() | NavViewerNetworkFlag::Sections);
        IWWSection *section = window->NavEnv()->WaterwayNetwork->GetSection(0);
        TDouble3 global{};
        section->GetGlobalPositionAt(global, section->GetLength() / 2);
        TGeoPoint geo{};
        GlobalToGeo2(geo, global, ProgramGeodeticFrame());
        const TDouble2 centre{viewer->width() / 2.0 - 0.5, viewer->height() / 2.0 - 0.5};
        viewer->Zoom100At(&geo, &centre);
        return window;
    }();
    return TheWindow.get();
}

// Moves between two pixels on the section so that every move is a real change.
void BM_MouseMoveOverNetwork(benchmark::State &state) {
    TFormMarivo6Main *main = MainWindow();
    if (!main) {
        state.SkipWithError("the main window could not start on the demo data (set MARIVO_DATA_DIR)");
        return;
    }
    TNavViewerControl *viewer = main->ViewerMain()->ViewerControl();
    const QPoint at[2] = {QPoint(viewer->width() / 2, viewer->height() / 2),
                          QPoint(viewer->width() / 2 + 1, viewer->height() / 2)};
    int i = 0;
    for (auto _ : state) {
        const QPoint p = at[i++ & 1];
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(viewer->mapToGlobal(p)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewer, &move);
    }
    if (main->StatusPanelText(5).isEmpty()) state.SkipWithError("no network section under the mouse");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MouseMoveOverNetwork)->Unit(benchmark::kMicrosecond);

// The two panels alone, for the move's share of the status bar.
void BM_PositionAndWaterwayPanels(benchmark::State &state) {
    TFormMarivo6Main *main = MainWindow();
    if (!main) {
        state.SkipWithError("the main window could not start on the demo data (set MARIVO_DATA_DIR)");
        return;
    }
    TNavViewerControl *viewer = main->ViewerMain()->ViewerControl();
    const int kind = int(state.range(0));
    for (auto _ : state) {
        if (kind != 4) main->UpdateStatusBar(viewer, 3);
        if (kind != 3) main->UpdateStatusBar(viewer, 4);
    }
    state.SetItemsProcessed(state.iterations());
}
// 0 both panels, 3 the position alone, 4 the waterway alone.
BENCHMARK(BM_PositionAndWaterwayPanels)->Arg(0)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
    return benchenv::RunMainWindowBenchmarks(argc, argv, TheWindow, TheData);
}
