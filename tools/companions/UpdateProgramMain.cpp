// The update program: applies the packages waiting in its update folder and ends.
//   "Korvane Update Program" [-hp] [-wwi] [-ww -wv a.b.c.d] -p "<edition>" -nl|-de|-en
// -hp installs help pages into the data folder's "Help"; -wwi installs the waterway network
// when there is none; -ww replaces it with a newer version than -wv names. Exit code 0 when
// done or nothing to do, 1 when a package was damaged or could not be written, 2 when
// another one runs.
#include "Companion.h"
#include "UpdatePackages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    const auto lock = companion::TakeLock(QStringLiteral("{A3C85D19-47F2-4B8E-9D60-1E2B85C74A3F}"));
    if (!lock) {
        err << "Korvane Update Service is already running.\n";
        return 2;
    }
    const QString data = companion::FolderFrom(
        "KORVANE_DATA_DIR", QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                QStringLiteral("/Korvane/Marivo/Ostrel"));
    const QString updates = companion::FolderFrom(
        "KORVANE_UPDATE_DIR", QDir(app.applicationDirPath()).filePath(QStringLiteral("Updates")));
    const QString networkFolder = QDir(data).filePath(QStringLiteral("Waterway Network"));
    const bool hasNetwork =
        QFileInfo::exists(QDir(networkFolder).filePath(QStringLiteral("WaterwayNetwork.kvwwn")));
    const QString installedVersion = companion::SwitchValue(args, QStringLiteral("-wv"));
    bool ok = true;
    for (const QString &name : QDir(updates).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        TUpdatePackage package;
        QString error;
        if (!ReadUpdatePackage(QDir(updates).filePath(name), package, error)) {
            err << error << '\n';
            ok = false;
            continue;
        }
        QString target;
        if (package.Kind == QLatin1String("help") && args.contains(QStringLiteral("-hp")))
            target = QDir(data).filePath(QStringLiteral("Help"));
        const bool install = args.contains(QStringLiteral("-wwi")) && !hasNetwork;
        const bool update = args.contains(QStringLiteral("-ww")) &&
                            CompareVersions(package.Version, installedVersion) > 0;
        if (package.Kind == QLatin1String("network") && (install || update)) target = networkFolder;
        if (target.isEmpty()) continue;
        if (!ApplyUpdatePackage(package, target, error)) {
            err << error << '\n';
            ok = false;
            continue;
        }
        QDir(package.Folder).removeRecursively();
    }
    return ok ? 0 : 1;
}
