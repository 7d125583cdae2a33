#include "viewer/S57Attachments.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace kv::render {

QString S57AttachedFile(const QString &cellFolder, const QString &acronym, const QString &value) {
    static const QStringList attached = {QStringLiteral("TXTDSC"), QStringLiteral("NTXTDS"), QStringLiteral("PICREP")};
    const QString name = value.trimmed();
    if (cellFolder.isEmpty() || !attached.contains(acronym) || name.isEmpty()) return QString();
    // A bare file name of the cell's folder, never a path that leads elsewhere.
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == QLatin1String("..") ||
        name == QLatin1String("."))
        return QString();
    const QDir dir(cellFolder);
    if (QFileInfo(dir.filePath(name)).isFile()) return dir.filePath(name);
    // Exchange sets write upper-case names; copies may have changed the case.
    for (const QString &entry : dir.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return QString();
}

}  // namespace kv::render
