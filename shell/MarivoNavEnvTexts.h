// Texts of the navigation environment: splash lines, messages and the user notifications
// it shows. Looked up at every use.
#pragma once

#include "base/texts/KvLanguage.h"

namespace NavEnvText {

extern const TLanguageStrings ReadingNetwork;
// Followed by the error text and ".".
extern const TLanguageStrings NetworkNotLoaded;
// "Folder: "%1"." and "File: "%1"."; both are followed by ReinstallHint.
extern const TLanguageStrings FolderMessage;
extern const TLanguageStrings FileMessage;
extern const TLanguageStrings ReinstallHint;
extern const TLanguageStrings CheckingChartManager;
extern const TLanguageStrings ReadingCharts;
extern const TLanguageStrings OptimizingCharts;
extern const TLanguageStrings ReadingChartData;
extern const TLanguageStrings OptimizingChartData;
extern const TLanguageStrings ReadingWaypointDatabases;
extern const TLanguageStrings ReadingSounds;
extern const TLanguageStrings InitializingObjects;
extern const TLanguageStrings WaypointManagerFailed;
// %1 the error text.
extern const TLanguageStrings DatabaseNotLoaded;
// %1 the name the damaged file was renamed to.
extern const TLanguageStrings DatabaseRenamed;
extern const TLanguageStrings EmptyDatabaseLoaded;
extern const TLanguageStrings BackupLoaded;
extern const TLanguageStrings DatabaseSaveFailed;
extern const TLanguageStrings OSMTileManagerFailed;
extern const TLanguageStrings TileManagerFailed;
extern const TLanguageStrings S57ChartLoaderFailed;
extern const TLanguageStrings S57ChartInfoLoaderFailed;
// %1 the profile file, %2 the error text, %3 the name the file was renamed to.
extern const TLanguageStrings ProfilesNotLoaded;
extern const TLanguageStrings StopCommunication;
// %1 the point's name, %2 the distance with its unit.
extern const TLanguageStrings RoutePointPassed;
// %1 the error text.
extern const TLanguageStrings LogbookSaveFailed;


// Routes and navigate-to
// %1 the route's name.
extern const TLanguageStrings RouteStarted;
extern const TLanguageStrings Destination;
extern const TLanguageStrings Home;

// Charts and companion programs
extern const TLanguageStrings ChartManagerRunning;
extern const TLanguageStrings ChartManagerClose;
extern const TLanguageStrings ChartManagerNotExecuted;
extern const TLanguageStrings UpdateServiceRunning;
extern const TLanguageStrings UpdateServiceClose;
extern const TLanguageStrings UpdateServiceNotExecuted;
extern const TLanguageStrings OutdatedCharts;

}  // namespace NavEnvText
