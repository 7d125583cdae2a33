// How charts are named in the chart windows and dialogs. GUI thread.
#pragma once

#include "shell/MarivoImages.h"  // ChartDisplayName, ChartDisplayNameEx

#include <KvLibNav6/KvCharts.h>

#include <QString>

// The chart's name from its information, or its file name without folder when the name
// is empty; with a chart number, "<number> - <name>".
QString ChartDisplayName(IRasterChart *chart);
// ChartDisplayName after the original-scale text and ", "; with edition and an edition
// number, followed by " (Edition <n>)" in the current language.
QString ChartDisplayNameEx(IRasterChart *chart, bool withEdition);
// An S-57 cell's file name without folder and extension.
QString S57ChartDisplayName(IChart *chart);

// folder + "/" + name, or, when no such file exists, the file of the folder whose name
// differs only in letter case (chart sets made on other systems); empty name → empty.
QString ChartCompanionFile(const QString &folder, const QString &name);
