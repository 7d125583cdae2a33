// Core environment: message dispatcher, periodic loop, user-notification centre,
// predicted (route-explore) time and scale-bar settings.
//
// Everything here lives on the GUI thread: posted notifications are queued on the Qt event
// loop of that thread, and the loop's timers fire there, so subscribers take no locks.
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"
#include "KvCallbacks.h"

class IBmp32;
class INavPredictedTime;

// Handed to every loop callback and to the Tick operations of the objects the loop drives
// (device manager, own ship, object-update manager, notification centre, operation-request
// manager). Valid only for the duration of the call.
struct TLoopRecord {
    // Seconds since the previous call of the same callback; countdowns subtract it.
    float ElapsedSec = 0.0f;
    // Time of this tick from the loop's clock (the manual clock in tests).
    TDateTime TimeUTC = 0.0;
};

// The record every dispatcher subscriber receives. P1 is usually the object concerned
// (route, route point, polygon, track, list, requesting service object); the others are 0
// unless the code says otherwise. The record is the dispatcher's: a subscriber may write
// Result and Handled but must not keep the pointer.
struct TNavNotification {
    int32_t Code = 0;
    intptr_t P1 = 0;
    intptr_t P2 = 0;
    intptr_t P3 = 0;
    intptr_t P4 = 0;
    intptr_t P5 = 0;
    intptr_t P6 = 0;
    intptr_t P7 = 0;
    // Answer of a subscriber; meaningful to the sender only when the code was sent (Send).
    int32_t Result = 0;
    bool Handled = false;
    // The one floating-point parameter (distance along a section for 120, received bytes
    // for 131); kept out of P4/P5 so that no code splits a double across two integers.
    double Value = 0.0;
};

// Codes of TNavNotification. "Sent" codes go through INavMessageDispatcher::Send so that
// Result and Handled reach the sender; every other code is posted.
namespace NavNotify {
// P2 = 1 when the simulator drives the own ship.
inline constexpr int32_t NavigationStarted = 0;
// P2 = the simulator flag of the navigation that ended.
inline constexpr int32_t NavigationStopped = 1;
// P1 = a route (P2 = 0) or a waypoint (P2 = 1); handlers test the object's type.
inline constexpr int32_t ObjectCreated = 10;
// P1 = a list of route objects or a single edited waypoint; handlers accept either.
inline constexpr int32_t ObjectsChanged = 12;
// Ship name or ship settings changed; no parameters.
inline constexpr int32_t ShipSettingsChanged = 20;
// P1 = route, still valid while the subscribers run.
inline constexpr int32_t RouteDeleting = 31;
// P1 = route that was renamed or changed.
inline constexpr int32_t RouteChanged = 32;
// P1 = route whose settings changed.
inline constexpr int32_t RouteSettingsChanged = 33;
// P1 = route point whose route must be refreshed.
inline constexpr int32_t RoutePointRefresh = 40;
// P1 = route point the viewer wants removed; the remover sets Result = 1 and Handled.
inline constexpr int32_t RoutePointRemove = 41;
// P1 = the one route point that changed.
inline constexpr int32_t RouteObjectChanged = 43;
// The program's action states must be updated; posted by the library.
inline constexpr int32_t UpdateActions = 44;
// P1 = route point selected in the route table.
inline constexpr int32_t RoutePointSelected = 50;
// P1 = route, P2 > 0 for a new navigate-to route.
inline constexpr int32_t RouteEditOn = 60;
// P1 = route.
inline constexpr int32_t RouteEditOff = 61;
// Planner values changed; routes are recalculated.
inline constexpr int32_t PlannerValuesChanged = 70;
// P1 = route.
inline constexpr int32_t RouteCalcBegin = 71;
// P1 = route; also ends a navigate-to calculation.
inline constexpr int32_t RouteCalcEnd = 73;
// P1 = the new target route point of route following.
inline constexpr int32_t RouteTargetChanged = 80;
// P1 = route whose following started or restarted.
inline constexpr int32_t RouteFollowStarted = 81;
// P1 = route whose following stopped.
inline constexpr int32_t RouteFollowStopped = 82;
// P1 = track.
inline constexpr int32_t TrackStarted = 90;
// P1 = track; sent: Result != 0 asks the sender to keep the track.
inline constexpr int32_t TrackClosed = 91;
inline constexpr int32_t VisibleRoutesChanged = 100;
// Every view must repaint; posted by the library.
inline constexpr int32_t InvalidateViews = 101;
inline constexpr int32_t VisiblePolygonsChanged = 102;
// P1 = section; Value = distance along it.
inline constexpr int32_t ShowSectionDetails = 120;
// P1 = structure.
inline constexpr int32_t ShowStructDetails = 121;
// P1 = the requesting account object; handlers ignore answers to other objects.
inline constexpr int32_t AccountRequestDone = 130;
// P1 = the requesting object; Value = bytes received so far.
inline constexpr int32_t DownloadProgress = 131;
// P1 = the requesting Inland ENC client; a step (download) finished.
inline constexpr int32_t IENCStepDone = 134;
inline constexpr int32_t WebServiceEvent = 136;
// P1 = the requesting user-data object.
inline constexpr int32_t UserDataRequestDone = 137;
// P1 = the news window; sent.
inline constexpr int32_t NewsCenterEvent = 155;
inline constexpr int32_t HighlightObject = 160;
inline constexpr int32_t HighlightOff = 161;
// P1 = polygon.
inline constexpr int32_t PolygonDeleted = 164;
// A shown user notification reports back: P2 = its kind, P3 = a value (for the
// cross-track alarm 1 = sound on); the panel that acts on it sets Handled.
inline constexpr int32_t UserNotificationReport = 172;
// P1 = the object; database changed or waypoint deleted.
inline constexpr int32_t ObjectDatabaseChanged = 0x2000000B;
// P1 = route, already removed from its database.
inline constexpr int32_t RouteDeleted = 0x2000001E;
// P1 = the point (or their number), P2 = route.
inline constexpr int32_t RoutePointsDeleted = 0x2000002A;
// P1 = track.
inline constexpr int32_t TrackListChanged = 0x2000005C;
// P1 = polygon.
inline constexpr int32_t PolygonListChanged = 0x200000A3;
// An alarm-zone point was added or deleted: P1 = the point or its position, P2 = polygon.
inline constexpr int32_t PolygonPointsChanged = 0x200000A5;
// P1 = route to recalculate; sent (also posted by the route-defaults action).
inline constexpr int32_t RecalculateRoute = 0x40000048;
}  // namespace NavNotify

// Kinds of the user notifications the notification centre shows (Show, Withdraw, and P2 of
// NavNotify::UserNotificationReport).
namespace NavUserNotify {
inline constexpr int32_t CrossTrackAlarm = 7;
// Text with seconds, flag and value; shown through ShowMessage.
inline constexpr int32_t Message = 8;
// "COM-port connection detected. Checking for GPS..."
inline constexpr int32_t PortDetected = 9;
// Charts missing for a shown route.
inline constexpr int32_t ChartsMissing = 11;
// Current-data downloads: files, then water levels.
inline constexpr int32_t CurrentDataFile = 13;
inline constexpr int32_t CurrentDataWaterLevel = 14;
// Standing S-57 water-level offset notice; shown through ShowWaterLevelOffset.
inline constexpr int32_t WaterLevelOffset = 18;
}  // namespace NavUserNotify

// Modes of INavPredictedTime.
namespace NavPredictedTimeMode {
inline constexpr int32_t RealTime = 0;
inline constexpr int32_t RouteExplore = 2;
}  // namespace NavPredictedTimeMode

// Modes of the scale bar (INavScaleInfo).
namespace NavScaleMode {
inline constexpr int32_t Time = 0;
inline constexpr int32_t Pixel = 1;
}  // namespace NavScaleMode

// Delivers numbered notifications to every subscriber, in subscription order.
// From INavEnv::GetDispatcher; owned by the environment, fetched anew on every use.
// Unsubscribing during a delivery is safe; a subscriber added during a delivery does not
// receive the notification being delivered.
class KVLIB_API INavMessageDispatcher : public NavObject {
public:
    // Delivers at once and returns the record as the subscribers left it (Result, Handled).
    // value fills TNavNotification::Value.
    virtual TNavNotification Send(int32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                                  intptr_t p4, intptr_t p5, intptr_t p6, intptr_t p7,
                                  double value = 0.0) = 0;                          // slot 1
    // The pair (proc, data) identifies the subscription.
    virtual void Subscribe(NotificationProc proc, void *data) = 0;                  // slot 2
    // Queues the notification; it is delivered later from the GUI event loop. Objects in
    // the parameters must outlive the delivery.
    virtual void Post(int32_t code, intptr_t p1, intptr_t p2, intptr_t p3, intptr_t p4,
                      intptr_t p5, intptr_t p6, intptr_t p7, double value = 0.0) = 0;  // slot 3
    // Removes that pair; unknown pairs are ignored.
    virtual void Unsubscribe(NotificationProc proc, void *data) = 0;                // slot 4
};

// The core environment. From NavEnvCreate; owned by the program's navigation environment
// and released after every other core object.
class KVLIB_API INavEnv : public NavObject {
public:
    // The one dispatcher of the run; owned by the environment.
    virtual INavMessageDispatcher *GetDispatcher() = 0;                             // slot —
    // Folder in which packed chart-information pages are unpacked, trailing separator.
    virtual const TStrWRec *GetWorkFolder() = 0;                                    // slot —
};

// Three periodic callbacks: fast (about 0.1 s), tick (about 1 s) and UI tick (right after
// each tick, slowed down alone when the slow interval exceeds 1 s). From NavLoopCreate;
// owned by the program's environment. Created switched off.
class KVLIB_API INavLoop : public NavObject {
public:
    // Modal work switches the loop off and restores this state afterwards.
    virtual bool IsOn() = 0;                                                        // slot 1
    // Seconds.
    virtual float GetSlowInterval() = 0;                                            // slot 4
    virtual void SetOn(bool on) = 0;                                                // slot 5
    // Seconds each.
    virtual void SetIntervals(float fast, float normal, float slow) = 0;            // slot 6
    // Test hooks. With the manual clock the timers stop and only Advance moves time: the
    // callbacks due within that span run, in order, before Advance returns.
    virtual void SetManualClock(bool manual) = 0;                                   // slot —
    virtual void Advance(float seconds) = 0;                                        // slot —
};

// User notifications (alarms, messages, standing notices) that the chart viewers draw.
// From NavNotificationCenterCreate; owned by the program's environment and handed to every
// viewer, which keeps a reference.
class KVLIB_API INavNotificationCenter : public NavObject {
public:
    // Shows (or replaces) the notification of that kind; see NavUserNotify.
    virtual void Show(int32_t kind, const TStrWRec &text) = 0;                      // slot 1
    // A kind-8 message shown for that many seconds; flag marks the outdated-chart notice.
    virtual void ShowMessage(const TStrWRec &text, int32_t seconds, bool flag,
                             int32_t value) = 0;                                    // slot 2
    // Standing notice of the S-57 water-level offset (kind 18); 0 removes it.
    virtual void ShowWaterLevelOffset(float metres) = 0;                            // slot 3
    // Expires notifications; a notification that reports back (its sound button was
    // clicked) posts NavNotify::UserNotificationReport.
    virtual void Tick(const TLoopRecord &rec) = 0;                                  // slot 4
    virtual bool GetShowAlarms() = 0;                                               // slot 5
    virtual bool GetShowOthers() = 0;                                               // slot 6
    // The pictures are copied: the caller releases them right after the call. env and time
    // are kept (owned by the program's environment, which outlives the centre).
    virtual void SetResources(INavEnv *env, IBmp32 *soundOff, IBmp32 *soundOn,
                              INavPredictedTime *time) = 0;                         // slot 7
    // Removes the shown notification of that kind; nothing when none is shown.
    virtual void Withdraw(int32_t kind) = 0;                                        // slot 8
    virtual void SetExploreMode(bool explore) = 0;                                  // slot 9
    // Whether alarms ("NotificationsAlarms") and other notifications
    // ("NotificationsOthers") are drawn.
    virtual void SetShowAlarms(bool show) = 0;                                      // slot 10
    virtual void SetShowOthers(bool show) = 0;                                      // slot 11
};

// Planning time: real time, or the route-explore time the user moves along a route.
// From NavPredictedTimeCreate; owned by the program's environment and handed to the S-52
// library, the notification centre and the viewers.
class KVLIB_API INavPredictedTime : public NavObject {
public:
    // Seconds ahead of now; > 0 means an explored time.
    virtual float GetTimeOffset() = 0;                                              // slot 7
    // NavPredictedTimeMode.
    virtual int32_t GetMode() = 0;                                                  // slot —
    virtual void SetMode(int32_t mode) = 0;                                         // slot —
    // Now (UTC) plus the offset.
    virtual TDateTime GetTime() = 0;                                                // slot —
};

// Scale-bar settings the renderer reads. From NavScaleInfoCreate (caller-owned) or filled
// by a viewer's GetScaleInfo.
class KVLIB_API INavScaleInfo : public NavObject {
public:
    // Depth shown by the scale bar, metres.
    virtual float GetDepth() = 0;                                                   // slot 1 (assumed)
    // NavScaleMode.
    virtual int32_t GetScaleMode() = 0;                                             // slot 2 (assumed)
    // Metres per second per pixel.
    virtual float GetPixelScale() = 0;                                              // slot 4 (assumed)
    virtual bool GetCurrent10x() = 0;                                               // slot 5 (assumed)
    virtual int32_t GetTimeCount() = 0;                                             // slot 6 (assumed)
    // Seconds.
    virtual int32_t GetTimeLength() = 0;                                            // slot 7 (assumed)
    // Wave height, metres.
    virtual float GetWaves() = 0;                                                   // slot 8 (assumed)
    virtual void SetDepth(float depth) = 0;                                         // slot —
    virtual void SetWaves(float waves) = 0;                                         // slot —
    virtual void SetScaleMode(int32_t mode) = 0;                                    // slot — ≡ SetMode
    virtual void SetPixelScale(float metresPerSecondPerPixel) = 0;                  // slot — ≡ SetPixV
    virtual void SetCurrent10x(bool on) = 0;                                        // slot —
    virtual void SetTimeCount(int32_t count) = 0;                                   // slot —
    virtual void SetTimeLength(int32_t seconds) = 0;                                // slot — ≡ SetTimeLen
};

// Creates the core environment with its dispatcher.
KVLIB_API INavEnv *NavEnvCreate();
// Intervals in seconds (the program passes 0.1, 1.0, 1.0); each callback gets its own data.
KVLIB_API INavLoop *NavLoopCreate(float fastInterval, LoopProc fast, void *d1,
                                  float normalInterval, LoopProc tick, void *d2,
                                  float slowInterval, LoopProc uiTick, void *d3);
KVLIB_API INavNotificationCenter *NavNotificationCenterCreate();
// The dispatcher is kept, not owned.
KVLIB_API INavPredictedTime *NavPredictedTimeCreate(INavMessageDispatcher *disp);
KVLIB_API INavScaleInfo *NavScaleInfoCreate();
