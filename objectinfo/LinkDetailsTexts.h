// Eight-language texts of the object details panel and its pages. Look them up with
// LanguageText at every use.
#pragma once

#include "base/texts/KvLanguage.h"

namespace LinkDetailsStr {

// Captions and buttons of the panel.
extern const TLanguageStrings CaptionWaypoint;
extern const TLanguageStrings CaptionWaterway;
extern const TLanguageStrings CaptionStructures;
extern const TLanguageStrings NavigateTo;
extern const TLanguageStrings ErrorReadingTextFile;

// Labels of the waypoint, point-of-interest and structure pages.
extern const TLanguageStrings Name;
extern const TLanguageStrings Latitude;
extern const TLanguageStrings Longitude;
extern const TLanguageStrings Subtext;
extern const TLanguageStrings Type;
extern const TLanguageStrings Link;
extern const TLanguageStrings ContactDetails;
extern const TLanguageStrings TelephoneNumber;
extern const TLanguageStrings EmailAddress;
extern const TLanguageStrings Website;
extern const TLanguageStrings OpeningHours;
extern const TLanguageStrings ExtraInformation;
extern const TLanguageStrings Mooring;
extern const TLanguageStrings Terrace;
extern const TLanguageStrings Specialty;
extern const TLanguageStrings Comments;

}  // namespace LinkDetailsStr
