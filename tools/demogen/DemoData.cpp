// The whole demo data set in one call.
#include "DemoData.h"
#include "DemoMarinaGuide.h"

#include "DemoProduct.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

namespace demo {

namespace {

// The chart manager finds S-57 cells only in the folders registered in its base data file
// next to its caches; the program keeps that file up to date from here on.
bool RegisterS57Folder(const QDir &dir, QString &error) {
    const QString file = dir.filePath(QStringLiteral("Cache/S57ChartBaseData.ini"));
    if (QFile::exists(file)) return true;
    dir.mkpath(QStringLiteral("Cache"));
    QSettings ini(file, QSettings::IniFormat);
    ini.beginWriteArray(QStringLiteral("Folders"), 1);
    ini.setArrayIndex(0);
    ini.setValue(QStringLiteral("Folder"),
                 QFileInfo(dir.filePath(QString::fromLatin1(S57RelPath))).absolutePath());
    ini.setValue(QStringLiteral("WithSubfolders"), true);
    ini.endArray();
    ini.sync();
    if (ini.status() == QSettings::NoError) return true;
    error = QStringLiteral("%1: cannot be written").arg(file);
    return false;
}

}  // namespace

bool WriteDemoData(const QString &folder, QString &error) {
    const QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        error = QStringLiteral("%1: cannot create the folder").arg(folder);
        return false;
    }
    // A set that is being rewritten is not complete until the marker is back.
    QFile::remove(dir.filePath(QStringLiteral(".complete")));
    const TNetwork net = BuildDemoNetwork();
    if (!WriteNetwork(net, dir.filePath(QString::fromLatin1(NetworkRelPath)), error)) return false;
    if (!WriteNetworkPictures(net, dir.filePath(QString::fromLatin1(NetworkRelPath)), error))
        return false;
    if (!WriteS57Cell(net, dir.filePath(QString::fromLatin1(S57RelPath)), error)) return false;
    if (!WriteS57Attachments(net, dir.filePath(QString::fromLatin1(S57RelPath)), error)) return false;
    if (!WriteKapChart(dir.filePath(QString::fromLatin1(S57RelPath)), dir.filePath(QString::fromLatin1(KapRelPath)),
                       error))
        return false;
    const QString kap = dir.filePath(QString::fromLatin1(KapRelPath));
    QJsonObject chartEntry;
    if (!WriteDemoChartInfo(kap, chartEntry, error)) return false;
    if (!WriteDemoProduct(net, QFileInfo(kap).absolutePath(), kap, chartEntry, error)) return false;
    if (!WriteDemoUserWaypoints(net, dir.filePath(QStringLiteral("Waypoints.db")), error)) return false;
    if (!RegisterS57Folder(dir, error)) return false;
    QSaveFile marker(dir.filePath(QStringLiteral(".complete")));
    if (!marker.open(QIODevice::WriteOnly) || marker.write("demo data set 1\n") < 0 ||
        !marker.commit()) {
        error = QStringLiteral("%1: %2").arg(marker.fileName(), marker.errorString());
        return false;
    }
    return true;
}

}  // namespace demo
