// Replay speed: a season's track (1,000,000 points, one a second) replayed at "1s/1m" in
// the navigation viewer at 1920 × 1080, the view following the boat, redrawn after each of
// 600 clock ticks; and the NMEA monitor's refresh from a full port log.
#include "chartview/FraNMEAMonitorParser.h"

#include "KvLibNav6/KvGraphics.h"
#include "KvLibNav6/KvLib.h"
#include "KvLibNav6/KvTracks.h"
#include "KvLibNav6/KvViewer.h"
#include "KvLibNav6/KvWaypoints.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <cmath>
#include <memory>

namespace {

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T> using Ptr = std::unique_ptr<T, Deleter>;

constexpr int W = 1920, H = 1080;
constexpr TDateTime Start = 45000.0;

// The season of the waypoint benchmarks: one point a second, drifting along a coast.
INavTrack *SeasonTrack(int points) {
    INavTrack *track = NavTrackCreate1();
    track->SetColor(0xFFD02020);
    for (int i = 0; i < points; ++i) {
        int32_t err = 0;
        const double a = i * 1e-5;
        track->AddPoint(Start + i / 86400.0,
                        TGeoPoint3{(54.0 + 0.5 * std::sin(a)) * M_PI / 180, (10.0 + 0.01 * i / 1000.0) * M_PI / 180, 0.0},
                        err);
    }
    track->SetHasTimes(true);
    return track;
}

void ReplayTicks(benchmark::State &state, bool complete) {
    Ptr<INavTrackList> list(NavTrackListCreate(0));
    list->SetOwnsObjects(true);
    INavTrack *track = SeasonTrack(1000000);
    list->Add(track);
    Ptr<IBmp32> bmp(Bmp32Create(W, H, 1));
    Ptr<INavViewer> v(NavViewerCreate(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    v->SetViewRect(0, 0, W, H);
    v->SetTrackList(list.get());
    v->SetTrackDrawComplete(complete);
    v->SetReplayTime(Start);
    v->SetReplayTrack(track);
    v->SetTrackingEnabled(true);
    v->Render(bmp.get());
    TDateTime t = Start;
    for (auto _ : state) {
        t += 60.0 / 86400.0;  // one tick at "1s/1m"
        v->SetReplayTime(t);
        v->Render(bmp.get());
    }
}

void BM_ReplayTick(benchmark::State &state) { ReplayTicks(state, false); }
BENCHMARK(BM_ReplayTick)->Iterations(600)->Unit(benchmark::kMillisecond);

void BM_ReplayTickComplete(benchmark::State &state) { ReplayTicks(state, true); }
BENCHMARK(BM_ReplayTickComplete)->Iterations(600)->Unit(benchmark::kMillisecond);

// The monitor's refresh: the whole 8 KiB log of a talkative receiver parsed, its last 500
// lines put into the pane and scrolled to the end.
void BM_NMEAMonitorRefresh(benchmark::State &state) {
    QByteArray log;
    while (log.size() < 0x2000) log += "$GPGSV,3,1,12,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45*75\r\n";
    log.truncate(0x2000);
    QPlainTextEdit memo;
    memo.setReadOnly(true);
    memo.setLineWrapMode(QPlainTextEdit::NoWrap);
    memo.resize(800, 300);
    memo.show();
    for (auto _ : state) {
        TDataParser parser;
        parser.Append(reinterpret_cast<const uint8_t *>(log.constData()), int32_t(log.size()));
        QString text = parser.GetLastLines(500);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        memo.setPlainText(text);
        memo.verticalScrollBar()->setValue(memo.verticalScrollBar()->maximum());
        benchmark::DoNotOptimize(memo.document()->blockCount());
    }
}
BENCHMARK(BM_NMEAMonitorRefresh)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
