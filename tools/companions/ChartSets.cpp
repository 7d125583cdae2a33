#include "ChartSets.h"

#include "Companion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

bool ReadChartSet(const QString &folder, TChartSetFolder &out, QString &error) {
    QFile file(QDir(folder).filePath(QStringLiteral("chartset.json")));
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: no manifest").arg(folder);
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parse);
    const QJsonObject product = doc.object().value(QStringLiteral("product")).toObject();
    const QJsonObject set = doc.object().value(QStringLiteral("set")).toObject();
    out.Folder = QFileInfo(folder).absoluteFilePath();
    out.ProductNumber = product.value(QStringLiteral("number")).toDouble();
    out.ProductCode = product.value(QStringLiteral("code")).toString();
    out.SetCode = set.value(QStringLiteral("code")).toString();
    out.Edition = doc.object().value(QStringLiteral("edition")).toInt();
    if (parse.error != QJsonParseError::NoError || out.ProductCode.isEmpty() || out.SetCode.isEmpty()) {
        error = QStringLiteral("%1: damaged manifest").arg(folder);
        return false;
    }
    return true;
}

std::vector<TChartSetFolder> ListChartSets(const QString &chartsFolder) {
    std::vector<TChartSetFolder> sets;
    for (const QString &name : QDir(chartsFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        TChartSetFolder set;
        QString ignored;
        if (ReadChartSet(QDir(chartsFolder).filePath(name), set, ignored)) sets.push_back(set);
    }
    return sets;
}

bool InstallChartSet(const TChartSetFolder &set, const QString &chartsFolder, QString &error) {
    const QString name = QFileInfo(set.Folder).fileName();
    const QDir charts(chartsFolder);
    if (!QDir().mkpath(chartsFolder)) {
        error = QStringLiteral("cannot create %1").arg(chartsFolder);
        return false;
    }
    // Hidden names: the program's chart scan passes over both while they exist.
    const QString partial = charts.filePath(QLatin1Char('.') + name + QStringLiteral(".partial"));
    const QString old = charts.filePath(QLatin1Char('.') + name + QStringLiteral(".old"));
    QDir(partial).removeRecursively();
    if (!companion::CopyFolder(set.Folder, partial, error)) {
        QDir(partial).removeRecursively();
        return false;
    }
    QString target = charts.filePath(name);
    for (const TChartSetFolder &installed : ListChartSets(chartsFolder))
        if (installed.ProductCode == set.ProductCode && installed.SetCode == set.SetCode)
            target = installed.Folder;
    const bool replacing = QFileInfo::exists(target);
    if (replacing && !QDir().rename(target, old)) {
        error = QStringLiteral("cannot move %1 aside").arg(target);
        return false;
    }
    if (!QDir().rename(partial, target)) {
        if (replacing) QDir().rename(old, target);
        error = QStringLiteral("cannot move %1 into place").arg(target);
        return false;
    }
    QDir(old).removeRecursively();
    return true;
}

bool RemoveChartSet(const TChartSetFolder &set, QString &error) {
    const QString aside = QFileInfo(set.Folder).absolutePath() + QStringLiteral("/.") +
                          QFileInfo(set.Folder).fileName() + QStringLiteral(".removed");
    if (!QDir().rename(set.Folder, aside)) {
        error = QStringLiteral("cannot remove %1").arg(set.Folder);
        return false;
    }
    QDir(aside).removeRecursively();
    return true;
}

bool InstallWaitingUpdates(const QString &updateFolder, const QString &chartsFolder,
                           int &installed, QString &error) {
    installed = 0;
    bool ok = true;
    const std::vector<TChartSetFolder> present = ListChartSets(chartsFolder);
    for (const QString &name : QDir(updateFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        TChartSetFolder update;
        QString problem;
        if (!ReadChartSet(QDir(updateFolder).filePath(name), update, problem)) {
            error += problem + QLatin1Char('\n');
            ok = false;
            continue;
        }
        bool newer = true;
        for (const TChartSetFolder &p : present)
            if (p.ProductCode == update.ProductCode && p.SetCode == update.SetCode)
                newer = update.Edition > p.Edition;
        if (!newer) continue;
        if (!InstallChartSet(update, chartsFolder, problem)) {
            error += problem + QLatin1Char('\n');
            ok = false;
            continue;
        }
        QDir(update.Folder).removeRecursively();
        ++installed;
    }
    return ok;
}
