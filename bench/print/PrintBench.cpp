// Printing the chart view on the NOAA test cell: one A4 landscape page at 600 dpi into a
// PDF file, through the navigation viewer control's own print job. Reports the seconds per
// page and how far the peak resident size grew during the job.
#include "chartview/NavViewerControl.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvLib.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <memory>

namespace {

// A line of /proc/self/status in kB ("VmRSS", "VmHWM").
double StatusKB(const char *name) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0.0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(name)) return line.mid(int(qstrlen(name)) + 1).trimmed().split(' ').value(0).toDouble();
    return 0.0;
}

TStrWRec Rec(const QString &text) {
    return {int32_t(text.size()), reinterpret_cast<const char16_t *>(text.utf16())};
}

struct TPrintSetup {
    QTemporaryDir Dir;
    TNavPtr<IChartManager> Manager;
    std::unique_ptr<TNavViewerControl> Control;
    bool Loaded = false;

    TPrintSetup() {
        const QByteArray env = qgetenv("MARIVO_TESTDATA");
        const QString root = env.isEmpty() ? QStringLiteral(MARIVO_TESTDATA_DIR)
                                           : QString::fromLocal8Bit(env);
        QDir().mkpath(Dir.path() + QStringLiteral("/Charts"));
        Manager.reset(ChartManagerCreate(Rec(Dir.path() + QStringLiteral("/ci.cif")),
                                         Rec(Dir.path() + QStringLiteral("/sel")),
                                         Rec(Dir.path() + QStringLiteral("/Charts")), nullptr, 1,
                                         nullptr, nullptr, nullptr, nullptr));
        Manager->AddS57Folder(Rec(root + QStringLiteral("/charts/s57/US4MD81M")), true, nullptr,
                              nullptr);
        int32_t err = 0;
        Manager->LoadS57ChartInfo(nullptr, 0, 0, 1, err);
        Control = std::make_unique<TNavViewerControl>();
        Control->resize(1280, 800);
        Control->show();
        Control->StartViewer(nullptr, 0, nullptr, nullptr, nullptr, nullptr);
        Control->OnChartLoaded = [this](int32_t) { Loaded = true; };
        IChart *cell = Manager->GetChart(0);
        if (!cell) return;
        NavObject *list[] = {cell};
        Control->SetCharts(list, 1, err);
        Control->ZoomToS57Chart(cell);
        QElapsedTimer t;
        t.start();
        Control->repaint();
        while (!Loaded && t.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
};

void BM_PrintA4Landscape600dpi(benchmark::State &state) {
    static TPrintSetup s;
    if (!s.Loaded) {
        state.SkipWithError("the NOAA test cell did not load");
        return;
    }
    const QString file = s.Dir.path() + QStringLiteral("/page.pdf");
    // Resets the peak resident size, so the peak below is the job's.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
    clear.close();
    const double rssBefore = StatusKB("VmRSS:");
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setResolution(600);
        int32_t result = -1;
        s.Control->Print(printer, 0, 0, 0x7, 2, result);
        if (result != 0) state.SkipWithError("the print job failed");
    }
    state.counters["peak_rss_growth_MB"] = (StatusKB("VmHWM:") - rssBefore) / 1024.0;
    state.counters["pdf_MB"] = QFile(file).size() / 1048576.0;
}
BENCHMARK(BM_PrintA4Landscape600dpi)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
