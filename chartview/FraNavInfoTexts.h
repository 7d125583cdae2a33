// The eight-language texts of the navigation-information panel's GPS, route and next-point
// blocks and of the value entry dialog.
#pragma once

#include "base/texts/KvLanguage.h"

namespace NavInfoText {
extern const TLanguageStrings GPSHeader;        // "GPS and water way"
extern const TLanguageStrings SwitchHint;       // "Switch position of GPS panel"
extern const TLanguageStrings Used;             // "used"
extern const TLanguageStrings InView;           // "in view"
extern const TLanguageStrings Angle;            // "Angle"
extern const TLanguageStrings Distance;         // "Distance"
extern const TLanguageStrings Speed;            // "Speed"
extern const TLanguageStrings SelectedRoute;    // "Selected route"
extern const TLanguageStrings NextRoutePoint;   // "Next route point"
extern const TLanguageStrings PrevRoutePoint;   // "Previous route point"
extern const TLanguageStrings To;               // "To"
extern const TLanguageStrings NoRoute;          // "<no route>"
extern const TLanguageStrings TemporaryRoute;   // "Temporary navigation route"
extern const TLanguageStrings NoName;           // "<no name>"
}  // namespace NavInfoText
