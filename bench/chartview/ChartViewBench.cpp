// The chart view as the user drives it, at 1920 × 1080 on the NOAA test cell (loaded before
// timing): a drag in steps of 8 pixels, each step painted at once (frames per second), and
// one wheel notch painted at once. The navigation viewer control runs offscreen with the
// frame's wheel zoom; the environment around the frame adds nothing to these paths.
#include "chartview/FraViewer.h"
#include "chartview/NavViewerControl.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvLib.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <memory>

namespace {

constexpr int W = 1920, H = 1080;

QString CellFolder() {
    const QByteArray env = qgetenv("MARIVO_TESTDATA");
    const QString root = env.isEmpty() ? QStringLiteral(MARIVO_TESTDATA_DIR)
                                       : QString::fromLocal8Bit(env);
    return root + QStringLiteral("/charts/s57/US4MD81M");
}

TStrWRec Rec(const QString &text) {
    return {int32_t(text.size()), reinterpret_cast<const char16_t *>(text.utf16())};
}

struct TSetup {
    QTemporaryDir Dir;
    TNavPtr<IChartManager> Manager;
    std::unique_ptr<TNavViewerControl> Control;
    bool Loaded = false;

    TSetup() {
        const QString info = Dir.path() + QStringLiteral("/ci.cif");
        const QString selected = Dir.path() + QStringLiteral("/sel");
        const QString charts = Dir.path() + QStringLiteral("/Charts");
        const QString cells = CellFolder();
        QDir().mkpath(charts);
        Manager.reset(ChartManagerCreate(Rec(info), Rec(selected), Rec(charts), nullptr, 1,
                                         nullptr, nullptr, nullptr, nullptr));
        Manager->AddS57Folder(Rec(cells), true, nullptr, nullptr);
        int32_t err = 0;
        Manager->LoadS57ChartInfo(nullptr, 0, 0, 1, err);
        Control = std::make_unique<TNavViewerControl>();
        Control->resize(W, H);
        Control->show();
        Control->StartViewer(nullptr, 0, nullptr, nullptr, nullptr, nullptr);
        Control->OnChartLoaded = [this](int32_t) { Loaded = true; };
        Control->OnMouseWheel = [this](uint32_t, int32_t x, int32_t y, int32_t delta) {
            const TDouble2 at{double(x), double(y)};
            Control->ZoomAt(WheelZoomFactor(delta), &at);
        };
        IChart *cell = Manager->GetChart(0);
        if (!cell) return;
        NavObject *list[] = {cell};
        Control->SetCharts(list, 1, err);
        Control->ZoomToS57Chart(cell);
        // The cell is read on the viewer's loader thread; time only what follows.
        QElapsedTimer t;
        t.start();
        Control->repaint();
        while (!Loaded && t.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        Control->repaint();
    }
    bool Ready() const { return Manager && Manager->GetChart(0) && Loaded; }
};

TSetup &Setup() {
    static TSetup setup;
    return setup;
}

void SendMove(QWidget *w, QPoint at, Qt::MouseButtons buttons) {
    const QPointF point(at);
    QMouseEvent ev(QEvent::MouseMove, point, point, Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

void SendButton(QWidget *w, QEvent::Type type, QPoint at) {
    const QPointF point(at);
    QMouseEvent ev(type, point, point, Qt::LeftButton,
                   type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

void BM_DragStepRepaint(benchmark::State &state) {
    TSetup &s = Setup();
    if (!s.Ready()) {
        state.SkipWithError("the NOAA test cell did not load");
        return;
    }
    TNavViewerControl *v = s.Control.get();
    QPoint at(W / 2, H / 2);
    SendButton(v, QEvent::MouseButtonPress, at);
    int step = 8;
    for (auto _ : state) {
        // Back and forth so the view stays on the cell.
        if (at.x() > W / 2 + 400 || at.x() < W / 2 - 400) step = -step;
        at += QPoint(step, 0);
        SendMove(v, at, Qt::LeftButton);
        v->repaint();
    }
    SendButton(v, QEvent::MouseButtonRelease, at);
    state.counters["fps"] = benchmark::Counter(double(state.iterations()),
                                               benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DragStepRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WheelNotchRepaint(benchmark::State &state) {
    TSetup &s = Setup();
    if (!s.Ready()) {
        state.SkipWithError("the NOAA test cell did not load");
        return;
    }
    TNavViewerControl *v = s.Control.get();
    const QPoint at(W / 3, H / 3);
    int delta = 120;
    for (auto _ : state) {
        const QPointF point(at);
        QWheelEvent ev(point, point, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(v, &ev);
        v->repaint();
        delta = -delta;  // in and out again: the same work every time
    }
}
BENCHMARK(BM_WheelNotchRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Setup().Control.reset();
    benchmark::Shutdown();
    return 0;
}
