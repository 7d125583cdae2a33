// The texts of the route point selection dialog and of its location lists. Look them up
// with LanguageText at every use.
#pragma once

#include "base/texts/KvLanguage.h"

#include <cstdint>

namespace RoutePointSelectText {

extern const TLanguageStrings CaptionSearch;    // single-location variant
extern const TLanguageStrings CaptionPlanner;
extern const TLanguageStrings ChartWptSelectedOnly;
extern const TLanguageStrings Search;
extern const TLanguageStrings StartingPoint;
extern const TLanguageStrings Destination;
extern const TLanguageStrings Via;
extern const TLanguageStrings PlanningMode;
extern const TLanguageStrings SearchFilter;
extern const TLanguageStrings Waterways;
extern const TLanguageStrings SearchListOptions;
extern const TLanguageStrings Previous;
extern const TLanguageStrings Next;
extern const TLanguageStrings Now;
extern const TLanguageStrings Choose;
extern const TLanguageStrings Name;
extern const TLanguageStrings Distance;
extern const TLanguageStrings Type;
extern const TLanguageStrings DepartAt;
extern const TLanguageStrings SelectStartTime;

// Prompts above the list.
extern const TLanguageStrings PromptLocation;
extern const TLanguageStrings PromptDestination;
extern const TLanguageStrings PromptDepart;
extern const TLanguageStrings PromptVia;

// Value labels and special rows (shown between "<" and ">").
extern const TLanguageStrings CurrentPosition;
extern const TLanguageStrings HomeLocation;
extern const TLanguageStrings SelectALocation;
extern const TLanguageStrings None;
extern const TLanguageStrings NoName;

// Route modes.
extern const TLanguageStrings ModeShortest;
extern const TLanguageStrings ModeFastest;
extern const TLanguageStrings ModeIgnoreBlockades;

// Second page.
extern const TLanguageStrings Center;
extern const TLanguageStrings Start;
extern const TLanguageStrings End;

// Type column.
extern const TLanguageStrings TypeFairway;
extern const TLanguageStrings TypeSection;
extern const TLanguageStrings TypeWaypoint;

// The nine search filters in list order.
extern const TLanguageStrings FilterTexts[9];

// Structure kind texts: barrier kinds 0..2, crossing kinds 1..8.
extern const TLanguageStrings BarrierTexts[3];
extern const TLanguageStrings BridgeText;
extern const TLanguageStrings CrossingTexts[8];
extern const TLanguageStrings LockText;

// Water-body names by water-body index 0..16.
extern const TLanguageStrings WaterBodyTexts[17];

}  // namespace RoutePointSelectText
