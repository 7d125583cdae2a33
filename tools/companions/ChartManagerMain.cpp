// The chart manager: lists the chart sets of the shared "Charts" folder, installs or removes
// one, and with "-update" installs the newer editions waiting in its update folder and ends.
//   MRCManager -update|-internet -NL|-DE|-EN -lang <id>
//   MRCManager -install <folder> | -remove <product code> <set code>
// Exit code 0 when done or nothing to do, 1 on a failure, 2 when another one runs.
#include "ChartSets.h"
#include "Companion.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout), err(stderr);
    const auto lock = companion::TakeLock(QStringLiteral("{5E1A7C42-93B0-4D6E-8A1F-2C74B9036D15}"));
    if (!lock) {
        err << "MRC Manager is already running.\n";
        return 2;
    }
    const QString shared = companion::FolderFrom(
        "KORVANE_SHARED_DIR",
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Korvane"));
    const QString charts = QDir(shared).filePath(QStringLiteral("Charts"));
    const QString updates = companion::FolderFrom(
        "KORVANE_UPDATE_DIR", QDir(app.applicationDirPath()).filePath(QStringLiteral("Updates")));
    QString error;
    if (args.contains(QStringLiteral("-update"))) {
        int installed = 0;
        const bool ok = InstallWaitingUpdates(updates, charts, installed, error);
        out << installed << " chart set(s) installed\n";
        if (!ok) err << error;
        return ok ? 0 : 1;
    }
    const QString install = companion::SwitchValue(args, QStringLiteral("-install"));
    if (!install.isEmpty()) {
        TChartSetFolder set;
        const bool ok = ReadChartSet(install, set, error) && InstallChartSet(set, charts, error);
        if (!ok) err << error << '\n';
        return ok ? 0 : 1;
    }
    const qsizetype remove = args.indexOf(QStringLiteral("-remove"));
    if (remove >= 0 && remove + 2 < args.size()) {
        for (const TChartSetFolder &set : ListChartSets(charts))
            if (set.ProductCode == args.at(remove + 1) && set.SetCode == args.at(remove + 2)) {
                const bool ok = RemoveChartSet(set, error);
                if (!ok) err << error << '\n';
                return ok ? 0 : 1;
            }
        err << "no such chart set\n";
        return 1;
    }
    for (const TChartSetFolder &set : ListChartSets(charts))
        out << set.ProductCode << '\t' << set.SetCode << '\t' << set.Edition << '\t' << set.Folder << '\n';
    return 0;
}
