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

// Labels and lines of the waterway section page.
extern const TLanguageStrings WaterwayRoute;
extern const TLanguageStrings DistanceMark;
extern const TLanguageStrings MaxAllowedSpeed;
extern const TLanguageStrings Current;
extern const TLanguageStrings OneWayTrafficTo;
// Without a known direction.
extern const TLanguageStrings OneWayTraffic;
extern const TLanguageStrings NotNavigable;
extern const TLanguageStrings PleasureBoatingOnly;
extern const TLanguageStrings CommercialShippingOnly;
extern const TLanguageStrings StayAtLeftBank;
extern const TLanguageStrings NavigableWithPermitOnly;
extern const TLanguageStrings MoreInformation;
extern const TLanguageStrings MaxAllowedDimensions;
extern const TLanguageStrings CommercialExceptIfBigger;
extern const TLanguageStrings Depth;
extern const TLanguageStrings CalcDepth;
extern const TLanguageStrings Height;
extern const TLanguageStrings Length;
extern const TLanguageStrings Width;
extern const TLanguageStrings VHFReportChannel;
// %s: a compass word.
extern const TLanguageStrings ToTheOnly;
extern const TLanguageStrings VHFChannel;
extern const TLanguageStrings Callsign;
extern const TLanguageStrings VHFSectorChannel;

// Labels of the weather station page.
extern const TLanguageStrings Measurement;
extern const TLanguageStrings Humidity;
extern const TLanguageStrings AirPressure;
extern const TLanguageStrings Temperature;
extern const TLanguageStrings Visibility;
extern const TLanguageStrings WindDirection;
extern const TLanguageStrings WindSpeed;
extern const TLanguageStrings WindGust;

// The attached-document viewer.
extern const TLanguageStrings FacilityUnreadable;
extern const TLanguageStrings AttachmentOutsideChart;

}  // namespace LinkDetailsStr
