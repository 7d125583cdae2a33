// Texts of the navigation environment's settings, GPS configuration and object updates.
// Looked up at every use.
#pragma once

#include "base/texts/KvLanguage.h"

namespace NavEnvText {

// The tile manager's display texts.
extern const TLanguageStrings TileLoadError;
extern const TLanguageStrings TileRenderError;
extern const TLanguageStrings TileNoColor;
// %1 the port's name.
extern const TLanguageStrings GPSFound;
// What the online object update is fetching, by progress kind 1..16 (entry 0 unused).
extern const TLanguageStrings ObjectUpdateKinds[17];

}  // namespace NavEnvText
