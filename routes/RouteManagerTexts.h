// The texts of the route manager and of its group dialog.
// One table per text: English, Dutch, German, French, Spanish, Italian, Danish, Swedish.
#pragma once

#include "base/texts/KvLanguage.h"

namespace RouteManagerText {
extern const TLanguageStrings Caption;  // "Route Manager"
extern const TLanguageStrings Information;  // "Check the routes that you want to show on the charts"
extern const TLanguageStrings Close;  // "Close"
extern const TLanguageStrings Copy;  // "Copy (reverse)"
extern const TLanguageStrings Delete;  // "Delete"
extern const TLanguageStrings Find;  // "Find"
extern const TLanguageStrings InGroup;  // "In group..."
extern const TLanguageStrings Select;  // "Select"
extern const TLanguageStrings Deselect;  // "Deselect"
extern const TLanguageStrings Start;  // "Start"
extern const TLanguageStrings Stop;  // "Stop"
extern const TLanguageStrings CopyRoute;  // "Create copy from route"
extern const TLanguageStrings CopyReversed;  // "Create reversed copy from route"
extern const TLanguageStrings ColVisible;  // "Visible"
extern const TLanguageStrings ColName;  // "Name"
extern const TLanguageStrings ColStart;  // "Start time"
extern const TLanguageStrings ColLength;  // "Length"
extern const TLanguageStrings ColDuration;  // "Duration"
extern const TLanguageStrings ColPoints;  // "Points"
extern const TLanguageStrings UserDatabase;  // "User database"
extern const TLanguageStrings Ungrouped;  // "Ungrouped"
extern const TLanguageStrings NoRoutes;  // "No routes present in this database"
extern const TLanguageStrings SuffixDay;  // "d"
extern const TLanguageStrings SuffixHour;  // "h"
extern const TLanguageStrings SuffixMinute;  // "min"
extern const TLanguageStrings SuffixSecond;  // "s"
extern const TLanguageStrings CopySuffix;  // "(copy)"
extern const TLanguageStrings ReversedCopySuffix;  // "(reversed copy)"
extern const TLanguageStrings GroupReadOnly;  // "Not all selected routes could be put in a different group, b"
extern const TLanguageStrings GroupFailed;  // "Not all selected routes could be put in a different group (%"
extern const TLanguageStrings DeleteReadOnly;  // "Not all selected routes could be deleted, because the select"
extern const TLanguageStrings ActiveInvisible;  // "The route you are navigating on (current route) cannot be ma"
extern const TLanguageStrings EditedInvisible;  // "The route you are currently editing cannot be made invisible"
extern const TLanguageStrings DeleteCaption;  // "Delete routes"
extern const TLanguageStrings DeleteMessage;  // "You have selected the following routes which are about to be"
extern const TLanguageStrings DeleteColumn;  // "Routes"
extern const TLanguageStrings DeleteQuestion;  // "Are you sure you wish to delete the selected routes ?"
extern const TLanguageStrings GroupCaption;  // "Choose group"
extern const TLanguageStrings GroupLabel;  // "Group"
extern const TLanguageStrings UngroupedItem;  // "<Ungrouped>"
}  // namespace RouteManagerText

#include <QString>

// The title of a route manager column 0..5 ("Visible" … "Points"); empty outside.
QString RouteManagerColumnTitle(int column);
