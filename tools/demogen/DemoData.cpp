// The whole demo data set in one call.
#include "DemoData.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace demo {

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
    if (!WriteS57Cell(net, dir.filePath(QString::fromLatin1(S57RelPath)), error)) return false;
    if (!WriteKapChart(dir.filePath(QString::fromLatin1(S57RelPath)), dir.filePath(QString::fromLatin1(KapRelPath)),
                       error))
        return false;
    QSaveFile marker(dir.filePath(QStringLiteral(".complete")));
    if (!marker.open(QIODevice::WriteOnly) || marker.write("demo data set 1\n") < 0 ||
        !marker.commit()) {
        error = QStringLiteral("%1: %2").arg(marker.fileName(), marker.errorString());
        return false;
    }
    return true;
}

}  // namespace demo
