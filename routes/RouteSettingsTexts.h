// Texts the route settings panel shares with the default route settings, planner and ship
// dialogs.
#pragma once

#include "base/texts/KvLanguage.h"

namespace RouteSettingsText {
extern const TLanguageStrings Planner;        // "Planner"
extern const TLanguageStrings SpeedHigh;      // "High speed"
extern const TLanguageStrings SpeedCruising;  // "Cruising speed"
extern const TLanguageStrings SpeedLow;       // "Low speed"
}  // namespace RouteSettingsText
