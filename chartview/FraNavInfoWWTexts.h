// The texts of the waterway-ahead block and its lines: the eight-language captions, and the
// clearance, operation, passage and time texts a line builds from the core library's plan
// and network objects. Kept apart from the widgets so that the wording can be checked under
// any locale, unit and clock.
#pragma once

#include "base/strings/KvFormatSettings.h"
#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvTypes.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QString>
#include <functional>
#include <optional>

class IWptRouteStructPassage;
class IWptRouteTimePoint;
class IWptPlanPoint;
class IWptRoute;

namespace NavInfoWWText {
extern const TLanguageStrings Header;          // "Waterway information"
extern const TLanguageStrings NoNetwork;       // "No network information"
extern const TLanguageStrings ObjectCount;     // "# objects"
extern const TLanguageStrings ClickForInfo;    // "Click for more information"
extern const TLanguageStrings Operating;       // "Operating"
extern const TLanguageStrings NotNeeded;       // "Operation not needed."
extern const TLanguageStrings WithUnstepped;   // "With unstepped mast!"
extern const TLanguageStrings PassUnstepped;   // "Pass with unstepped mast!"
extern const TLanguageStrings In;              // "In"
extern const TLanguageStrings Passage;         // "Passage"
extern const TLanguageStrings Destination;     // "Destination"
extern const TLanguageStrings SailingStop;     // "Sailing times stop"
extern const TLanguageStrings WP;              // "WP"
}  // namespace NavInfoWWText

// The clock the period texts read: UTC now and the display offset in minutes. Tests set
// their own; an empty function restores the time zones of the core library.
struct TNavInfoClock {
    std::function<TDateTime()> NowUTC;
    std::function<int32_t()> UTCOffset;
};
void SetNavInfoClock(TNavInfoClock clock);
TDateTime NavInfoNowUTC();
TDateTime NavInfoLocalNow();

// The clearance of one passage of a structure: what the network does not give is empty
// (a width of 0 too); HasOpen for bridges that open.
struct TWWClearance {
    std::optional<float> Height, OpenHeight, Width;
    bool HasOpen = false;
};
TWWClearance WWClearanceOf(IWWStruct *s, int32_t passageIndex);

// The passage a clearance text describes: index of the opening, bridge passage or lock
// chamber of the structure (0 for a structure met on the network).
// "H7.50 HO30.00 W12.00" in the small-distance unit; a value the network does not give is
// left out, and so is a width of 0.
QString WWClearanceText(IWWStruct *s, int32_t passageIndex, int32_t smallUnit,
                        const TFormatSettings &fs);
// "08:00 - 20:30", with the local date in front when the window lies wholly before the
// local hour (the window of a later day).
QString WWPeriodText(const TWWTimeRange &times);
// The operation and passage texts of a planned passage (empty without one): at the object
// at timeAtObject, the route at routeDateTime.
QString WWPassageText(IWWStruct *s, IWptRouteStructPassage *passage, int32_t passageIndex,
                      TDateTime timeAtObject, TDateTime routeDateTime);
// Bridges of this kind have no open height and are never operated.
bool WWIsFixedBridge(IWWStruct *s, int32_t passageIndex);
// The default symbol of a structure without a picture: 2 fixed bridge, 3 other bridge,
// 4 lock, 5 anything else.
int32_t WWDefaultSymbol(IWWStruct *s, int32_t passageIndex);

// UTC date-time of a time point; empty without one.
std::optional<TDateTime> TimePointUTC(IWptRouteTimePoint *tp);
// "d-m-yyyy hh:mm" in local time.
QString TimePointText(TDateTime utc);
// "A: …" or "A: …, D: …" (the departure only when it differs); empty without an arrival.
QString ArrivalDepartureText(IWptRouteTimePoint *arrival, IWptRouteTimePoint *departure);
// "WP 3: Name (Destination)".
QString RoutePointTitle(IWptPlanPoint *point, IWptRoute *route);
