#include "Companion.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace companion {

std::unique_ptr<QLockFile> TakeLock(const QString &productGuid) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(productGuid + QLatin1Char('1')));
    // A lock left by a program that died is taken over; a living holder keeps it.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

QString FolderFrom(const char *variable, const QString &fallback) {
    const QString named = qEnvironmentVariable(variable);
    return named.isEmpty() ? fallback : named;
}

QString SwitchValue(const QStringList &args, const QString &name) {
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
}

bool CopyFolder(const QString &source, const QString &target, QString &error) {
    QDirIterator it(source, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString copy = QDir(target).filePath(QDir(source).relativeFilePath(file));
        if (!QDir().mkpath(QFileInfo(copy).absolutePath()) || !QFile::copy(file, copy)) {
            error = QStringLiteral("cannot copy %1 to %2").arg(file, copy);
            return false;
        }
    }
    return true;
}

}  // namespace companion
