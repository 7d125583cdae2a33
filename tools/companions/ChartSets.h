// The chart sets of the shared "Charts" folder as the chart manager handles them: each a
// folder with a "chartset.json" manifest.
#pragma once

#include <QString>
#include <vector>

struct TChartSetFolder {
    QString Folder;  // absolute
    double ProductNumber = 0;
    QString ProductCode, SetCode;
    int Edition = 0;
};

// False with a message for a missing or damaged manifest.
bool ReadChartSet(const QString &folder, TChartSetFolder &out, QString &error);
std::vector<TChartSetFolder> ListChartSets(const QString &chartsFolder);

// Copies the set beside its place first and renames it into place, so that a failure
// leaves the installed edition untouched.
bool InstallChartSet(const TChartSetFolder &set, const QString &chartsFolder, QString &error);
bool RemoveChartSet(const TChartSetFolder &set, QString &error);

// Installs every set of updateFolder that is new or a newer edition than the installed one,
// and removes what it installed from updateFolder. installed counts them; False when one
// failed (the others are installed all the same).
bool InstallWaitingUpdates(const QString &updateFolder, const QString &chartsFolder,
                           int &installed, QString &error);
