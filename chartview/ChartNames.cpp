#include "chartview/ChartNames.h"

#include "base/charts/KvCharts.h"
#include "base/texts/KvLanguage.h"

#include <QDir>
#include <QFileInfo>

namespace {

const TLanguageStrings TextEdition = {"Edition", "Editie", "Ausgabe", "Édition", "Edición",
                                      "Edizione", "Udgave", "Utgåva"};

}  // namespace

QString ChartDisplayName(IRasterChart *chart) {
    if (!chart) return {};
    IRasterChartInfo *info = chart->GetInfo();
    QString name = RasterChartInfoGetName(info);
    if (name.isEmpty()) name = QFileInfo(RasterChartGetFileName(chart)).fileName();
    const QString number = RasterChartInfoGetNumber(info);
    return number.isEmpty() ? name : number + QStringLiteral(" - ") + name;
}

QString ChartDisplayNameEx(IRasterChart *chart, bool withEdition) {
    if (!chart) return {};
    QString text = ChartDisplayName(chart);
    const QString scale = RasterChartInfoGetOriginalScale(chart->GetInfo());
    if (!scale.isEmpty()) text = scale + QStringLiteral(", ") + text;
    const uint16_t edition = chart->GetInfo()->GetEditionNumber();
    if (withEdition && edition != 0)
        text += QStringLiteral(" (%1 %2)").arg(LanguageText(TextEdition)).arg(edition);
    return text;
}

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
