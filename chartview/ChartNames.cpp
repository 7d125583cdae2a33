#include "chartview/ChartNames.h"

#include "base/charts/KvCharts.h"
#include "base/texts/KvLanguage.h"

#include <QDir>
#include <QFileInfo>

QString S57ChartDisplayName(IChart *chart) {
    return chart ? QFileInfo(ChartGetFileName(chart)).completeBaseName() : QString();
}

QString ChartCompanionFile(const QString &folder, const QString &name) {
    if (name.isEmpty()) return {};
    const QString exact = QDir(folder).filePath(name);
    if (QFileInfo::exists(exact)) return exact;
    const QFileInfo wanted(exact);
    const QDir dir = wanted.absoluteDir();
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden))
        if (entry.compare(wanted.fileName(), Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return exact;
}
