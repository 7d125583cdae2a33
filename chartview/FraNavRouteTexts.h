// The texts of the route-navigation window: its eight-language captions, and the words it
// builds from the next route object ahead (caption, turn, clearance and operation lines,
// times). Kept apart from the widgets so that the wording can be checked on its own.
#pragma once

#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvTypes.h>

#include <QString>

class IWptRouteObject;

namespace NavRouteWindowText {
extern const TLanguageStrings CurrentRoute;       // "Current route"
extern const TLanguageStrings NextWaypoint;       // "Next waypoint"
extern const TLanguageStrings PreviousWaypoint;   // "Previous waypoint"
extern const TLanguageStrings Overview;           // "Overview of planning"
extern const TLanguageStrings StructureInfo;      // "structure info"
extern const TLanguageStrings FutureItems;        // "Future planner items"
extern const TLanguageStrings AlwaysCurrent;      // "Always show current planner item"
extern const TLanguageStrings NoWaypoint;         // "<no waypoint>"
extern const TLanguageStrings FollowRoute;        // "Follow route"
extern const TLanguageStrings Starboard;          // "STBD"
extern const TLanguageStrings Port;               // "PORT"
extern const TLanguageStrings Point;              // "Point"
extern const TLanguageStrings Height;             // "Height"
extern const TLanguageStrings HeightClosed;       // "Height (closed)"
extern const TLanguageStrings HeightOpen;         // "Height (open)"
extern const TLanguageStrings Width;              // "Width"
extern const TLanguageStrings OperationNeeded;    // "Operation needed."
extern const TLanguageStrings OperationPeriod;    // "Operation period"
extern const TLanguageStrings WaitingTime;        // "Waiting time"
extern const TLanguageStrings Visit;              // "Visit"
extern const TLanguageStrings Depart;             // "Depart"
}  // namespace NavRouteWindowText

// Within one degree either way the skipper just follows the route; else "12° PORT".
QString NavRouteTurnText(float angleRad);
// The name of a route object: the fairway of a turn, the structure (or its kind when it
// has no name), "Point n: name" of a route point; empty for other kinds.
QString NavRouteObjectCaption(IWptRouteObject *object);
// The lines under the next object's name, each after a CR LF: clearance and operation of
// a structure passage (heights and widths in smallUnit), the visit of a route point with
// a stop, the direction of a turn.
QString NavRouteIndicationText(IWptRouteObject *object, int32_t smallUnit);
// Time to an object secondsAhead away: days-hours-minutes above a day; under an hour and
// at 0.25 m/s or more with seconds; else hours-minutes. "---" once it lies behind.
QString NavRouteNextTimeText(int64_t secondsAhead, float speedMS);
// "hh:mm" of a UTC moment in local time.
QString NavRouteClockText(TDateTime utc);
