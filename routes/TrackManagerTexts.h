// The texts of the track manager.
// One table per text: English, Dutch, German, French, Spanish, Italian, Danish, Swedish.
#pragma once

#include "base/texts/KvLanguage.h"

namespace TrackManagerText {
extern const TLanguageStrings Caption;  // "Track manager"
extern const TLanguageStrings Information;  // "Check the tracks that you want show on the charts"
extern const TLanguageStrings EMail;  // "E-Mail"
extern const TLanguageStrings ColStart;  // "Start time"
extern const TLanguageStrings ColDuration;  // "Duration"
extern const TLanguageStrings ColDistance;  // "Distance"
extern const TLanguageStrings ColSpeed;  // "Avg. speed"
extern const TLanguageStrings EmptyTrack;  // "Empty track"
extern const TLanguageStrings SaveFailed;  // "Track could not be saved."
extern const TLanguageStrings DeleteCaption;  // "Delete tracks"
extern const TLanguageStrings DeleteMessage;  // "You have selected the following tracks which are about to be"
extern const TLanguageStrings DeleteColumn;  // "Tracks"
extern const TLanguageStrings DeleteQuestion;  // "Are you sure you wish to delete the selected tracks ?"
extern const TLanguageStrings DeleteFailed;  // "Cannot delete track '%1'."
extern const TLanguageStrings MailSubject;  // "Travelled track(s) - Marivo"
extern const TLanguageStrings MailBody;  // "To use the attached tracks you should save them to your hard"
extern const TLanguageStrings MailFailed;  // "An error occured while sending your e-mail:"
extern const TLanguageStrings SuffixDay;  // "d"
extern const TLanguageStrings SuffixHour;  // "h"
extern const TLanguageStrings SuffixMinute;  // "m"
extern const TLanguageStrings SuffixSecond;  // "s"
}  // namespace TrackManagerText
