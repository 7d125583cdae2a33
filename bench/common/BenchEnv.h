// What the benchmarks that run the navigation environment share: the program's own setting
// up (an empty configuration of its own, English, the program folder of this build) and
// the demo data set written by the generator of this build.
#pragma once

#include "base/kvlib/KvStrings.h"
#include "shell/FrmSplash.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>

namespace benchenv {

inline QString ExeDir() {
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

// The demo data set: named by MARIVO_DATA_DIR, or written by the generator into tmp.
inline QString DemoData(const QTemporaryDir &tmp) {
    const QString given = qEnvironmentVariable("MARIVO_DATA_DIR");
    if (!given.isEmpty()) return given;
    const QString gen = QDir(ExeDir()).filePath(QStringLiteral("../tools/demogen/marivo-demogen"));
    const QString data = QDir(tmp.path()).filePath(QStringLiteral("data"));
    if (!QFileInfo(gen).isExecutable() || QProcess::execute(gen, {data}) != 0) return {};
    return data;
}

// Offscreen, with a configuration of its own that lives as long as config, and this
// build's program folder; before the QApplication is made.
inline void PrepareProcess(const QTemporaryDir &config) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("MARIVO_PROG_DIR", QFile::encodeName(QDir(ExeDir()).filePath(QStringLiteral("../bin"))));
}

// The program's set-up in English; False when it could not be made.
inline bool InitProgram() {
    const TGUID product;
    auto english = [](int32_t *language, bool *cancelled) {
        *language = KvLang::English;
        *cancelled = false;
    };
    if (!InitApplication(239, 0, &product, StrW(QStringLiteral("Marivo\\Ostrel")), 21, 3, 2024, 2024, 3, 21,
                         english, nullptr, nullptr, nullptr, StrW(QStringLiteral("Bench")), 9))
        return false;
    SetSplashWait([](int) {});
    return true;
}

// The whole of a benchmark program's main on the program's set-up; prepare (if given) runs
// once the program is set up, before the first benchmark; finish (if given) after the last
// one, while the application still exists: windows the benchmarks kept go there, as
// static storage outlives the application.
inline int RunBenchmarks(int argc, char **argv, const std::function<void()> &prepare = {},
                         const std::function<void()> &finish = {}) {
    QTemporaryDir config;
    PrepareProcess(config);
    QApplication app(argc, argv);
    if (!InitProgram()) return 1;
    if (prepare) prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (finish) finish();
    return 0;
}

}  // namespace benchenv
