// The program started as the run script starts it, on the demo data with a settings store that
// already holds the language (no first-run dialog): the time from process start to the main
// window's first paint (the program reports it with MARIVO_STARTUP_TIMING set), the resident
// memory 10 s later and the time from a termination signal to the end of the process.
// Offscreen, and under xvfb-run when it is installed. Goals: first paint under 0.5 s, resident
// memory under 150 MB.
//   bench_startup [runs]     (default 5)
#include "base/kvlib/KvStrings.h"

#include <DemoData.h>
#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <optional>
#include <vector>

namespace {

constexpr int RssDelayMs = 10000;
constexpr int WaitLimitMs = 60000;

struct TRun {
    double FirstPaintMs = 0;
    double RssMB = 0;
    double CloseMs = 0;
};

QString ExeDir() {
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

void PickEnglish(int32_t *language, bool *cancelled) {
    *language = KvLang::English;
    *cancelled = false;
}

QTextStream &Out() {
    static QTextStream out(stdout);
    return out;
}

// The process named marivo at or below pid (xvfb-run starts it as a child of a shell).
pid_t FindProgram(pid_t pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "marivo") return pid;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(tasks.filePath(task + QStringLiteral("/children")));
        if (!children.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray &child : children.readAll().split(' ')) {
            if (child.trimmed().isEmpty()) continue;
            if (const pid_t found = FindProgram(pid_t(child.trimmed().toLongLong()))) return found;
        }
    }
    return 0;
}

double VmRssMB(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// Gone, or a zombie its parent has not reaped yet.
bool Ended(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return true;
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) == "Z";
}

// Reads the program's error output until it reports its first paint.
std::optional<double> WaitForFirstPaint(QProcess &process) {
    const QByteArray tag = "marivo: first paint ";
    QByteArray seen;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < WaitLimitMs && process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(100);
        seen += process.readAllStandardError();
        const qsizetype at = seen.indexOf(tag);
        const qsizetype end = at < 0 ? -1 : seen.indexOf(" ms", at);
        if (end > at) return seen.mid(at + tag.size(), end - at - tag.size()).toDouble();
    }
    QTextStream(stderr) << "no first paint reported:\n" << seen << "\n";
    return std::nullopt;
}

std::optional<TRun> RunOnce(const QString &data, bool underXvfb) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MARIVO_STARTUP_TIMING"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"),
               underXvfb ? QStringLiteral("xcb") : QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    const QString program = QDir(ExeDir()).filePath(QStringLiteral("../bin/marivo"));
    const QStringList arguments{QStringLiteral("--data"), data};
    if (underXvfb)
        process.start(QStringLiteral("xvfb-run"),
                      QStringList{QStringLiteral("-a"), QStringLiteral("-s"),
                                  QStringLiteral("-screen 0 1280x800x24"), program} +
                          arguments);
    else
        process.start(program, arguments);
    if (!process.waitForStarted(WaitLimitMs)) return std::nullopt;
    const std::optional<double> firstPaint = WaitForFirstPaint(process);
    const pid_t pid = FindProgram(pid_t(process.processId()));
    if (!firstPaint || pid == 0) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    TRun run;
    run.FirstPaintMs = *firstPaint;
    // The output is drained meanwhile so that the program never blocks on a full pipe.
    QElapsedTimer since;
    since.start();
    while (since.elapsed() < RssDelayMs && process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(int(std::max<qint64>(1, RssDelayMs - since.elapsed())));
        process.readAllStandardError();
        process.readAllStandardOutput();
    }
    run.RssMB = VmRssMB(pid);
    QElapsedTimer closing;
    closing.start();
    ::kill(pid, SIGTERM);
    while (!Ended(pid) && closing.elapsed() < WaitLimitMs) QThread::usleep(500);
    run.CloseMs = double(closing.nsecsElapsed()) / 1e6;
    process.waitForFinished(WaitLimitMs);
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Measure(const QString &variant, const QString &data, bool underXvfb, int runs) {
    std::vector<double> paint, rss, close;
    for (int i = 0; i < runs; ++i) {
        const std::optional<TRun> run = RunOnce(data, underXvfb);
        if (!run) {
            Out() << variant << ": run " << i + 1 << " failed\n";
            continue;
        }
        Out() << variant << ": run " << i + 1 << ": first paint " << run->FirstPaintMs
              << " ms, VmRSS " << run->RssMB << " MB, close " << run->CloseMs << " ms\n";
        Out().flush();
        paint.push_back(run->FirstPaintMs);
        rss.push_back(run->RssMB);
        close.push_back(run->CloseMs);
    }
    if (paint.empty()) return;
    Out() << variant << ": median of " << paint.size() << " runs: first paint " << Median(paint)
          << " ms (goal < 500), VmRSS " << Median(rss) << " MB (goal < 150), close to exit "
          << Median(close) << " ms\n";
    Out().flush();
}

}  // namespace

int main(int argc, char **argv) {
    // The demo chart is drawn with fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = std::max(1, app.arguments().value(1, QStringLiteral("5")).toInt());
    // A store of its own that already holds the language, as after a first run.
    QTemporaryDir tmp;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(QDir(tmp.path()).filePath(QStringLiteral("config"))));
    const TGUID product;
    if (!InitApplication(239, 0, &product, StrW(QStringLiteral("Marivo\\Ostrel")), 21, 3, 2024,
                         2024, 3, 21, PickEnglish, nullptr, nullptr, nullptr,
                         StrW(QStringLiteral("Bench")), 9)) {
        QTextStream(stderr) << "the settings store could not be seeded\n";
        return 1;
    }
    const QString data = QDir(tmp.path()).filePath(QStringLiteral("data"));
    QString error;
    if (!demo::WriteDemoData(data, error)) {
        QTextStream(stderr) << "demo data: " << error << "\n";
        return 1;
    }
    Measure(QStringLiteral("offscreen"), data, false, runs);
    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty())
        Out() << "xvfb: skipped, xvfb-run is not installed\n";
    else
        Measure(QStringLiteral("xvfb"), data, true, runs);
    return 0;
}
