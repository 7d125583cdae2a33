// Texts of the operation-request panel and the sign-up dialog. The Dutch texts of the
// service (column titles, button captions, counters, the notification, the dialog caption)
// are fixed; the others are eight-language tables.
#pragma once

#include "base/texts/KvLanguage.h"

#include <QString>

namespace zos {

inline const char ColTime[] = "Tijd";
inline const char ColAction[] = "Handeling";
inline const char ColObject[] = "Brug";
inline const char ColResult[] = "Resultaat";
inline const char StatsObject[] = "Object";
inline const char StatsRequests[] = "Verzoeken";
inline const char StatsUpdates[] = "Updates";
inline const char StatsCancels[] = "Annuleringen";
inline const char StatsPassed[] = "Gepasseerd";
inline const char StatsActive[] = "Actief";
inline const char Activate[] = "Activeren";
inline const char Deactivate[] = "Deactiveren";
inline const char ConnectionError[] = "Verbindingsfout bij aanmelden bruggen en sluizen";
inline const char DialogCaption[] = "Aanmelden bruggen en sluizen";

// "Unieke schepen: n (deze maand), m (vorige maand)".
QString ShipsText(int thisMonth, int lastMonth);
// "Kunstwerken die meedoen: p, unieke gepasseerd: q".
QString StructuresText(int participating, int passed);
// The action text of a log entry's kind; empty for an unknown kind.
QString KindText(int kind);

extern const TLanguageStrings TabSettings, TabLog, TabStatistics;
extern const TLanguageStrings Requests, Updates, Cancellations, Passed, MostRecentAction;
extern const TLanguageStrings StopQuestion, EnterShipName;
extern const TLanguageStrings PanelInfo1, PanelInfo2, PanelInfo3;
extern const TLanguageStrings Header, Info3, ShipName, SafetyMargin, OperationHeight,
    OperationHeightUnit, Phone, Required, SafetyMarginUnit, MMSI;
extern const TLanguageStrings Html1, Html2, Html3, Html4, HtmlItem1, HtmlItem2, HtmlItem3, Html5;

}  // namespace zos
