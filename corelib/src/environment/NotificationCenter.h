// What the renderer and the viewer's mouse handling need of the notification centre behind
// NavNotificationCenterCreate. GUI thread only, like the centre itself. Exported for the
// library's tests only; the program reaches the centre through INavNotificationCenter.
#pragma once

#include "kernel/TestApi.h"

#include "KvLibNav6/KvNavEnv.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace kv {

// How a notification is drawn. Alarm is the only severity the alarm filter
// ("NotificationsAlarms") governs; every other one falls under "NotificationsOthers".
enum class TNotificationSeverity { Info, Warning, Alarm };

// Kind of the planning-time notice shown while route exploring: never a kind the program
// shows or withdraws, so it cannot collide with NavUserNotify.
inline constexpr int32_t NotificationKindRouteExplore = -1;

// Kind-8 messages shown for 0 (or fewer) seconds stay this long instead of vanishing unseen.
inline constexpr float DefaultMessageSeconds = 4.0f;
// The current-data download notices are never withdrawn by their poster: they go by themselves.
inline constexpr float DownloadNoticeSeconds = 10.0f;

struct TNotificationItem {
    int32_t Kind = 0;
    // In the current interface language when the library made it; the caller's text as given
    // otherwise.
    QString Text;
    TNotificationSeverity Severity = TNotificationSeverity::Info;
    // When it was (last) shown, UTC; the explored time for the route-explore notice.
    TDateTime TimeUTC = 0.0;
    // Seconds left before it goes; negative for standing notices.
    float RemainingSec = -1.0f;
    // The cross-track alarm carries a sound button; SoundOn selects its picture.
    bool HasSoundButton = false;
    bool SoundOn = true;
    // Kind-8 message value, reported back when the user clicks the message.
    int32_t Value = 0;
};

// The notifications to draw now: filters applied unless includeHidden, alarms first, then in
// the order they were shown. Empty for nullptr or an object not made by
// NavNotificationCenterCreate.
KVLIB_TEST_API std::vector<TNotificationItem> NotificationCenterItems(
    INavNotificationCenter *centre, bool includeHidden = false);

// The user clicked the notification of that kind. The cross-track alarm toggles its sound and
// a message is dismissed; either reports back (NavNotify::UserNotificationReport, P1 = the
// centre, P2 = kind, P3 = the new sound state 1/0 or the message value) at the next Tick.
// False when nothing of that kind is shown or it does not react to clicks.
KVLIB_TEST_API bool NotificationCenterClick(INavNotificationCenter *centre, int32_t kind);

// The copies of the sound pictures given to SetResources; null when none was given.
KVLIB_TEST_API QImage NotificationCenterSoundPicture(INavNotificationCenter *centre, bool soundOn);

// Grows with every change of what is drawn (show, withdraw, expiry, filters, sound state),
// so that a viewer can tell whether its cached overlay is stale. Changes are also announced
// with NavNotify::InvalidateViews once SetResources gave an environment.
KVLIB_TEST_API uint64_t NotificationCenterRevision(INavNotificationCenter *centre);

}  // namespace kv
