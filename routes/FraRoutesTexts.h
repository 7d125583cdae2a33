// The route table's texts: one eight-language table per text (English, Dutch, German,
// French, Spanish, Italian, Danish, Swedish).
#pragma once

#include "base/texts/KvLanguage.h"

#include <QString>
#include <cstdint>

namespace RouteText {
extern const TLanguageStrings Route;             // "Route"
extern const TLanguageStrings Options;           // "Options"
extern const TLanguageStrings ETA;               // "ETA"
extern const TLanguageStrings Mode;              // "Mode"
extern const TLanguageStrings NoRoutes;          // "No routes present in the database"
extern const TLanguageStrings NoRoutesHint;
extern const TLanguageStrings NoRoute;           // "No route selected"
extern const TLanguageStrings NoRouteHint;
extern const TLanguageStrings NoPoints;          // "The route contains no route points"
extern const TLanguageStrings NoPointsHint;
extern const TLanguageStrings NoInformation;     // "No route information available"
extern const TLanguageStrings SailingStop;       // "Sailing times stop"
extern const TLanguageStrings Powerlines;        // "Powerlines"
extern const TLanguageStrings SelectColumns;     // "Select columns"
extern const TLanguageStrings RestoreColumns;    // "Restore columns"
extern const TLanguageStrings PrintOverview;     // "Print overview"
extern const TLanguageStrings ExportOverview;    // "Export overview"
extern const TLanguageStrings NormalFont;        // "Normal font size"
extern const TLanguageStrings BiggerFont;        // "Bigger font size"
extern const TLanguageStrings BigFont;           // "Big font size"
extern const TLanguageStrings MoveUp;            // "Move column up"
extern const TLanguageStrings MoveDown;          // "Move column down"
extern const TLanguageStrings RestoreDefaults;   // "Retore defaults"
extern const TLanguageStrings UseForAll;         // "Use this value for all route points"
extern const TLanguageStrings ErrReadOnly;
extern const TLanguageStrings ErrNameTooLong;
extern const TLanguageStrings ErrAttached;
extern const TLanguageStrings ErrOther;          // "… Reason: %1."
extern const TLanguageStrings OK;
extern const TLanguageStrings Cancel;
// The route overview for print and export.
extern const TLanguageStrings OverviewTitle;
extern const TLanguageStrings RouteName;
extern const TLanguageStrings NoName;
extern const TLanguageStrings CruisingSpeed;
extern const TLanguageStrings EnergyConsumption;
extern const TLanguageStrings FuelConsumption;
extern const TLanguageStrings Page;
extern const TLanguageStrings Of;
extern const TLanguageStrings ExportRoute;
extern const TLanguageStrings PrintRoute;
extern const TLanguageStrings General;
extern const TLanguageStrings Folder;
extern const TLanguageStrings Columns;
extern const TLanguageStrings Name;
extern const TLanguageStrings Orientation;
extern const TLanguageStrings Landscape;
extern const TLanguageStrings Portrait;
extern const TLanguageStrings Properties;
extern const TLanguageStrings Help;
extern const TLanguageStrings NoExportFolder;
extern const TLanguageStrings ExportFolderMissing;
extern const TLanguageStrings CannotWrite;
extern const TLanguageStrings NoPrinter;
extern const TLanguageStrings ColumnTooWide;
}  // namespace RouteText

// "Show all route data" … for the filter numbers 0..4.
QString RouteFilterText(int32_t filter);
// "Fastest" … for the plan modes; "---" for other codes.
QString RoutePlanModeText(int32_t mode);
// The planning text of a row: state, leg kind and blocking reason.
QString RoutePlanningText(int32_t state, int32_t legKind, int32_t reason);
// The title of a table column; electric picks the energy variant of columns 21 and 22.
QString RouteColumnTitle(int32_t column, bool electric);
// The first letter of the compass direction texts "N", "S", "E", "W".
QChar RouteCompassLetter(char direction);
