// A 200 MB chart set (four files of 50 MB) fetched from the services stand-in on 127.0.0.1
// and installed by the install run of the install wizards, on the navigation environment
// over the demo data: the transfer rate, and the longest pause of the GUI event loop while
// the run goes on (a 1 ms timer notes every gap between its ticks). Goal: pauses under 50 ms.
#include "bench/common/BenchEnv.h"
#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/registry/KvRegistry.h"
#include "online/ChartInstallRun.h"
#include "online/FraPageProgress.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWebServices.h>

#include <benchmark/benchmark.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

constexpr int FileCount = 4;
constexpr qint64 FileBytes = qint64(50) << 20;
const QString Email = QStringLiteral("bench@example.nl");
const QString Password = QStringLiteral("benchmark");

// The stand-in's account: one chart set whose record holds the big files.
bool WriteFixtures(const QString &dir) {
    QDir().mkpath(dir + QStringLiteral("/account/files"));
    QByteArray block(1 << 20, '\0');
    for (int i = 0; i < block.size(); ++i) block[i] = char((i * 131) ^ (i >> 8));
    QJsonArray files;
    for (int f = 0; f < FileCount; ++f) {
        const QString name = QStringLiteral("part%1.bin").arg(f);
        QFile out(dir + QStringLiteral("/account/files/") + name);
        if (!out.open(QIODevice::WriteOnly)) return false;
        for (qint64 written = 0; written < FileBytes; written += block.size())
            if (out.write(block) != block.size()) return false;
        files.append(QJsonObject{{"name", name}, {"source", name}, {"time", 1700000000}});
    }
    const QJsonObject account{
        {"email", Email},
        {"password", Password},
        {"chartsets", QJsonArray{QJsonObject{{"item", "Big set"}, {"product", "Bench charts"}, {"productNumber", 9001},
                                             {"modules", 1}, {"category", 1}, {"group", 1}, {"edition", 1}}}},
        {"records", QJsonArray{QJsonObject{{"name", "Big set"}, {"productName", "Bench charts"}, {"folder", "Big"},
                                           {"productFolder", "BenchCharts"}, {"productNumber", 9001},
                                           {"modules", 1}, {"edition", 1}, {"result", 0}, {"files", files}}}},
    };
    QFile offer(dir + QStringLiteral("/account/offer.json"));
    return offer.open(QIODevice::WriteOnly) && offer.write(QJsonDocument(account).toJson()) > 0;
}

// Runs the event loop until done() or the deadline.
bool WaitFor(const std::function<bool()> &done, int ms) {
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

struct TAnswers {
    IMRCChartCheck *Account = nullptr;
    TChartInstallRun *Run = nullptr;
    int RecordsDone = 0;
    int LoginsDone = 0;

    static void Notify(void *data, TNavNotification *n) {
        auto *self = static_cast<TAnswers *>(data);
        if (n->P1 != reinterpret_cast<intptr_t>(self->Account)) return;
        if (n->Code == NavNotify::AccountRequestDone) {
            if (n->P2 == MRCRequestKind::Login || n->P2 == MRCRequestKind::Charts) ++self->LoginsDone;
            if (n->P2 == MRCRequestKind::Records) ++self->RecordsDone;
            if (n->P2 == MRCRequestKind::File && self->Run) self->Run->FileFinished();
        } else if (n->Code == NavNotify::DownloadProgress && n->P2 == MRCRequestKind::File && self->Run) {
            self->Run->FileProgress(n->Value);
        }
    }
};

void BM_DownloadAndInstallChartSet(benchmark::State &state) {
    QTemporaryDir tmp;
    const QString data = benchenv::DemoData(tmp);
    const QString fixtures = tmp.filePath(QStringLiteral("fixtures"));
    if (data.isEmpty() || !WriteFixtures(fixtures)) {
        state.SkipWithError("demo data or the stand-in's files could not be written");
        return;
    }
    QProcess stub;
    stub.start(QStringLiteral(MARIVO_SERVICESTUB_PATH), {"--port", "0", "--fixtures", fixtures});
    if (!stub.waitForStarted(30000) || !WaitFor([&] { return stub.canReadLine() || stub.waitForReadyRead(100); }, 30000)) {
        state.SkipWithError("the services stand-in did not start");
        return;
    }
    const QString base = QStringLiteral("http://127.0.0.1:") + QString::fromLatin1(stub.readLine().trimmed());
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Services"), RegName(u"BaseURL"), base, err);
    const TMsgBoxPrompter oldPrompter = SetMsgBoxPrompter([](TMessageForm &) { return int(mrOk); });

    bool failed = true;
    auto env = std::make_unique<TMarivoNavEnv>(failed, nullptr, data, data, 1, TNavEnvEvents{});
    if (failed || !env->OnlineService || !env->ChartManager) {
        state.SkipWithError("the environment could not be created on the demo data");
        return;
    }
    TAnswers answers;
    answers.Account = env->OnlineService;
    INavMessageDispatcher *dispatcher = env->CoreEnv->GetDispatcher();
    dispatcher->Subscribe(&TAnswers::Notify, &answers);
    MRCChartCheckSetLogin(env->OnlineService, Email, Password, false, err);
    if (err != 0 || !WaitFor([&] { return answers.LoginsDone > 0; }, 30000) ||
        env->OnlineService->GetAvailableChartSetCount() != 1) {
        state.SkipWithError("no login at the stand-in");
        return;
    }

    TFramePageProgress progress;
    progress.ProcessMessagesOnUpdate = false;
    progress.resize(600, 300);
    progress.show();
    TChartInstallRun run(env->OnlineService, env->ChartManager, &progress);
    answers.Run = &run;
    IMRCAvailableChartSet *item = env->OnlineService->GetAvailableChartSet(0);
    const QString folder = tmp.filePath(QStringLiteral("Charts/"));
    qint64 longestPause = 0;
    int longPauses = 0;  // over 50 ms
    double bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(folder).removeRecursively();
        std::unique_ptr<IMRCRequestList, void (*)(NavObject *)> list(env->OnlineService->NewRequestList(), ObjectDelete);
        std::unique_ptr<IMRCRequestItem, void (*)(NavObject *)> request(env->OnlineService->NewRequestItem(), ObjectDelete);
        request->SetProductNumber(item->GetProductNumber());
        request->SetModuleMask(item->GetModuleMask());
        request->SetCategory(item->GetCategory());
        list->Add(request.get());
        const int records = answers.RecordsDone;
        env->OnlineService->RequestDownload(list.get(), err);
        WaitFor([&] { return answers.RecordsDone > records; }, 30000);
        state.ResumeTiming();

        bool finished = false;
        TChartInstallRun::TOutcome outcome = TChartInstallRun::TOutcome::Failed;
        const auto connection = QObject::connect(&run, &TChartInstallRun::Finished, [&](TChartInstallRun::TOutcome o) {
            finished = true;
            outcome = o;
        });
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            longestPause = std::max(longestPause, now - last);
            longPauses += now - last > 50;
            last = now;
        });
        ticker.start();
        run.Start(folder);
        WaitFor([&] { return finished; }, 600000);
        ticker.stop();
        QObject::disconnect(connection);
        if (outcome != TChartInstallRun::TOutcome::Success) {
            state.SkipWithError("the installation did not succeed");
            break;
        }
        bytes += double(FileCount) * double(FileBytes);
    }
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["MB/s"] = benchmark::Counter(bytes / double(1 << 20), benchmark::Counter::kIsRate);
    state.counters["longest_pause_ms"] = double(longestPause);
    state.counters["pauses_over_50ms"] = double(longPauses);
    answers.Run = nullptr;
    dispatcher->Unsubscribe(&TAnswers::Notify, &answers);
    env.reset();
    SetMsgBoxPrompter(oldPrompter);
    stub.kill();
    stub.waitForFinished(30000);
}
BENCHMARK(BM_DownloadAndInstallChartSet)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char **argv) { return benchenv::RunBenchmarks(argc, argv); }
