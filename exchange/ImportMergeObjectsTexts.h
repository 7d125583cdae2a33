// Texts of the import report: English, Dutch, German, French, Spanish, Italian, Danish,
// Swedish (an empty entry shows the English text).
#pragma once

#include "base/texts/KvLanguage.h"

namespace ImportMergeText {

inline const TLanguageStrings SWaypoints = {"waypoint(s)", "waypoint(s)", "Wegpunkt(e)", "waypoint(s)", "",
                                            "waypoint", "waypoint(s)", "waypoint(s)"};
inline const TLanguageStrings SGroups = {"waypointgroup(s)", "waypointgroep(en)", "Wegpunktgruppe(n)",
                                         "groupe(s) de waypoints", "", "gruppi di waypoint",
                                         "waypointgruppe(r)", "waypointgrupp(er)"};
inline const TLanguageStrings STypes = {"waypoint type(s)", "waypointtype(n)", "Wegpunkttyp(en)",
                                        "type(s) de waypoint", "", "tipi di waypoint", "waypointtype(r)",
                                        "waypointtyp(er)"};
inline const TLanguageStrings SRoutes = {"route(s)", "route(s)", "Route(n)", "route(s)", "", "rotte",
                                         "rute(r)", "rutt(er)"};
inline const TLanguageStrings SAlarmZones = {"Alarm zone(s)", "Alarmzone(s)", "Alarmzone(n)",
                                             "Zone(s) d'alarme", "", "Zone di allarme", "Alarmzone(r)",
                                             "Larmzon(er)"};
inline const TLanguageStrings SImported = {"imported.", "geïmporteerd.", "importiert.", "importé(s).", "",
                                           "importati.", "importeret.", "importerade."};

}  // namespace ImportMergeText
