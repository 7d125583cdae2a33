// What the benchmarks on the program's own data share: the folder of the running
// benchmark, the demo data set, and the settings store and program folder they start with.
#pragma once

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace benchsupport {

inline QString ExeDir() {
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

inline void PickEnglish(int32_t *language, bool *cancelled) {
    *language = KvLang::English;
    *cancelled = false;
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

// Offscreen, a fresh settings store in config, the built program folder; call before the
// application object exists.
inline void PrepareEnvironment(const QTemporaryDir &config) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("MARIVO_PROG_DIR", QFile::encodeName(QDir(ExeDir()).filePath(QStringLiteral("../bin"))));
}

// The core library's application start in English; False when it refused.
inline bool InitBenchApplication() {
    const TGUID product;
    return InitApplication(239, 0, &product, StrW(QStringLiteral("Marivo\\Ostrel")), 21, 3, 2024,
                           2024, 3, 21, PickEnglish, nullptr, nullptr, nullptr,
                           StrW(QStringLiteral("Bench")), 9);
}

}  // namespace benchsupport
