// The program started on a machine where it never ran, as the run script starts it: a fresh
// demo data folder and an empty settings store for every run. Three figures per run, from the
// program's half (StartupScenario.cpp) that this half starts as a process of its own: the time
// from the process start to the main window's first paint, the time to the demo charts drawn,
// and the resident memory after a route was planned and followed with the simulator for a
// while. Goals: under 0.5 s, under 1 s, under 150 MB. Offscreen, and under xvfb-run when it
// is installed.
//   bench_startup [runs] [seconds of sailing]     (default 5 runs, 60 s)
#include "StartupBench.h"

#include <DemoData.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr int WaitLimitMs = 600000;

struct TFigure {
    const char *Tag;
    const char *Name;
    const char *Unit;
    double Goal;
    std::vector<double> Values;
};

QString ExeDir() {
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

QTextStream &Out() {
    static QTextStream out(stdout);
    return out;
}

// The value printed after the tag, on a line of its own.
std::optional<double> Figure(const QByteArray &output, const char *tag) {
    for (const QByteArray &line : output.split('\n'))
        if (line.startsWith(tag)) {
            bool ok = false;
            const double value = line.mid(qsizetype(std::strlen(tag))).trimmed().toDouble(&ok);
            if (ok && std::isfinite(value)) return value;
        }
    return std::nullopt;
}

// One start on fresh data and settings; the program's half prints the figures.
std::optional<std::vector<double>> RunOnce(const std::vector<TFigure> &figures, bool underXvfb, int sailSeconds) {
    QTemporaryDir tmp;
    const QString data = QDir(tmp.path()).filePath(QStringLiteral("data"));
    QString error;
    if (!demo::WriteDemoData(data, error)) {
        QTextStream(stderr) << "demo data: " << error << "\n";
        return std::nullopt;
    }
    const QString build = QDir(ExeDir()).filePath(QStringLiteral(".."));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir(tmp.path()).filePath(QStringLiteral("config")));
    // As the run script: the machine-wide settings of the build, the program's pictures and
    // sounds beside the built program.
    env.insert(QStringLiteral("KORVANE_MACHINE_REGISTRY"), QDir(build).filePath(QStringLiteral("machine-registry.ini")));
    env.insert(QStringLiteral("MARIVO_PROG_DIR"), QDir(build).filePath(QStringLiteral("bin")) + QLatin1Char('/'));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), underXvfb ? QStringLiteral("xcb") : QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList arguments{QString::fromLatin1(startupbench::ScenarioSwitch), data, QString::number(sailSeconds)};
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    if (underXvfb)
        process.start(QStringLiteral("xvfb-run"),
                      QStringList{QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1600x1000x24"), self} +
                          arguments);
    else
        process.start(self, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(WaitLimitMs)) {
        process.kill();
        process.waitForFinished();
        QTextStream(stderr) << "the program did not end:\n" << process.readAll() << "\n";
        return std::nullopt;
    }
    const QByteArray output = process.readAll();
    std::vector<double> values;
    for (const TFigure &figure : figures) {
        const std::optional<double> value = Figure(output, figure.Tag);
        if (!value || process.exitCode() != 0) {
            QTextStream(stderr) << "no figures; the program said:\n" << output << "\n";
            return std::nullopt;
        }
        values.push_back(*value);
    }
    return values;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Measure(const QString &variant, bool underXvfb, int runs, int sailSeconds) {
    std::vector<TFigure> figures{{startupbench::ShownTag, "main window shown", "ms", 500, {}},
                                 {startupbench::ChartsTag, "demo charts drawn", "ms", 1000, {}},
                                 {startupbench::RssTag, "resident after sailing", "MB", 150, {}}};
    for (int i = 0; i < runs; ++i) {
        const std::optional<std::vector<double>> run = RunOnce(figures, underXvfb, sailSeconds);
        if (!run) {
            Out() << variant << ": run " << i + 1 << " failed\n";
            continue;
        }
        Out() << variant << ": run " << i + 1 << ":";
        for (size_t f = 0; f < figures.size(); ++f) {
            figures[f].Values.push_back((*run)[f]);
            Out() << (f ? ", " : " ") << figures[f].Name << ' ' << (*run)[f];
        }
        Out() << "\n";
        Out().flush();
    }
    for (const TFigure &figure : figures) {
        if (figure.Values.empty()) continue;
        const double worst = *std::max_element(figure.Values.begin(), figure.Values.end());
        const char *unit = figure.Unit;
        Out() << variant << ": " << figure.Name << ": median " << Median(figure.Values) << ' ' << unit << ", worst "
              << worst << ' ' << unit << " of " << figure.Values.size() << " runs (goal < " << figure.Goal << ' '
              << unit << (worst < figure.Goal ? ", met)\n" : ", missed)\n");
    }
    Out().flush();
}

}  // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], startupbench::ScenarioSwitch) == 0) return startupbench::RunScenario(argc, argv);
    // The demo chart is drawn with fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = std::max(1, app.arguments().value(1, QStringLiteral("5")).toInt());
    const int sailSeconds = std::max(1, app.arguments().value(2, QStringLiteral("60")).toInt());
    Measure(QStringLiteral("offscreen"), false, runs, sailSeconds);
    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty())
        Out() << "xvfb: skipped, xvfb-run is not installed\n";
    else
        Measure(QStringLiteral("xvfb"), true, runs, sailSeconds);
    return 0;
}
