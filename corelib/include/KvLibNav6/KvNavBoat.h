// The own ship: position and motion from the GPS or the simulator, the GPS receiver, and the
// route being followed.
#pragma once

#include "KvTypes.h"
#include "KvCallbacks.h"

struct TLoopRecord;
class IGeodeticCalibration;
class IGeodeticDatum;
class ILPBoatDef;
class INavLogbook;
class INavMessageDispatcher;
class INavMsgDeviceManager;
class INavMsgGPSSettings;
class INavMsgPort;
class INavTrack;
class ISound;
class IWptManager;
class IWptPlanner;
class IWptRoute;
class IWptRouteLeg;
class IWptRouteObject;
class IWptRouteObjectList;
class IWptRoutePoint;
class IWptWaypoint;
class IWWJunction;
class IWWNetwork;
class IWWSection;

class INavBoatState;
class INavBoatGPS;
class INavRouteNavigation;

// A {length, angle} pair of the motion state: length in m/s for velocities (ship, current,
// wind) or in metres for a tack radius; angle in radians.
struct TVector {
    float Length = 0.0f;
    float Angle = 0.0f;
};

// What the own ship knew when a logbook entry was made. Filled by
// INavBoat::FillLogbookContext and handed to INavLogbook::AddEntry.
struct TLogbookContext {
    TDateTime TimeUTC = 0.0;
    TGeoPoint Position{GeoPointNoPosition, GeoPointNoPosition};  // radians; (99, 99) = none
    float CourseOverGround = 0.0f;    // radians
    float SpeedOverGround = 0.0f;     // m/s
    float Heading = 0.0f;             // radians
    double DistanceOverGround = 0.0;  // metres, the running total
    double RouteDistance = 0.0;       // metres along the followed route; 0 without one
    bool HasPosition = false;
    bool CourseAndSpeedValid = false;
    bool Simulated = false;
};

// Speed limit value of TNavRouteData meaning "no limit".
inline constexpr float NavRouteNoSpeedLimit = 1e37f;

// The route-following figures at one moment. INavRouteNavigation::GetNavData hands out the
// own ship's copy (owned by the route navigation, valid until the next one-second update);
// IWptRouteSchedule::FillNavData fills a caller-owned one for a planning time.
// The objects it points to belong to the route's plan or to the waterway network and stay
// valid until the route is recalculated. The numbers in the comments are the byte offsets under which the
// fields are known in the packed 176-byte form of the record.
struct TNavRouteData {
    float CourseToSteer = 0.0f;            // 48: radians
    double RouteDistance = 0.0;            // 56: metres the ship has made along the route
    // 64: fuel used since the route start, m³ ($A800B); for electric boats energy ($11800B).
    double FuelUsed = 0.0;
    double CostSpent = 0.0;                // 72: cost since the route start
    TDateTime DateTimeUTC = 0.0;           // 80: the moment these figures belong to
    // 104: route objects of the current leg, the first list of the chain; nullptr when none.
    IWptRouteObjectList *Objects = nullptr;
    // 108: where the ship stands on the waterway network: its GetSection() is the current
    // section. nullptr when the record holds no network position.
    IWptRouteLeg *NetworkPosition = nullptr;
    double SectionPosition = 0.0;          // 120: metres along that section
    // 136, 140: the nodes the ship sails from and towards on that section; it sails in the
    // section's own direction when DirectionFrom->GetPosition() < DirectionTo->GetPosition().
    IWWJunction *DirectionFrom = nullptr;
    IWWJunction *DirectionTo = nullptr;
    IWptRouteObject *NextObject = nullptr; // 148: next route object ahead
    int32_t FirstObjectAhead = -1;         // 152: index in Objects; -1 = none
    IWptRouteObject *NextIndication = nullptr;  // 156: next indication to show, or nullptr
    int32_t BridgeStops = 0;               // 160: bridges ahead that must open
    int32_t LockStops = 0;                 // 164: locks ahead
    float SpeedLimit = NavRouteNoSpeedLimit;  // 168: m/s ($7800B)
};

// Codes of INavBoat.
namespace NavBoat {
// Change flags of INavBoat::UpdateSecond.
inline constexpr uint32_t ChangeCurrentValues = 0x1;
inline constexpr uint32_t ChangeState = 0xC;       // persist the state, viewers re-track
inline constexpr uint32_t ChangeDistance = 0x8;    // distance over ground grew
inline constexpr uint32_t ChangeValuesFrame = 0x1F;  // any of these refreshes the values frame
// INavBoat::GetNavigationState.
inline constexpr int32_t NavigationOff = 0;
inline constexpr int32_t Navigating = 2;
// INavBoat::IsValueValid.
inline constexpr int32_t ValueCourseAndSpeed = 32;
}  // namespace NavBoat

// Codes of INavBoatGPS and of the callbacks NavBoatCreate takes for it.
namespace NavBoatGPS {
// GetProtocol / SetProtocol.
inline constexpr int32_t ProtocolVendorUSB = 1;
inline constexpr int32_t ProtocolNMEA = 2;
// SetBrandModel brands (model 0 with each).
inline constexpr int32_t BrandSerialNMEA = 1;
inline constexpr int32_t BrandVendorUSB = 3;
// Situation of NoPositionProc.
inline constexpr int32_t NoPositionSinceOpened = 1;
inline constexpr int32_t NoPositionForAWhile = 2;
}  // namespace NavBoatGPS

// A device the own ship reads from: its GPS receiver or one of the simulator's instruments.
// Owned by the own ship.
class KVLIB_API INavBoatDevice : public NavObject {
public:
    // Applies the device's set-up and opens it; mode 1 is the only value callers pass.
    // On a simulator instrument this switches the instrument on.
    virtual void ApplySettings(int32_t mode, int32_t &err) = 0;                     // slot 31
};

// Settings of the simulator that drives the own ship after INavBoat::Start(true).
// From INavBoat::GetSimulatorControl; owned by the own ship.
class KVLIB_API INavBoatSimulator : public NavObject {
public:
    // Smallest turning radius, metres.
    virtual void SetRadiusMin(float metres) = 0;                                    // slot 89
    // Top speed, m/s.
    virtual void SetSpeedMax(float speed) = 0;                                      // slot 92
};

// The own ship. From NavBoatCreate; owned by the environment, which stops route following
// before it releases it. Fed once a second by the device manager (NMEA) or by its simulator.
// Everything it hands out (state, GPS, route navigation, simulator, devices) belongs to it;
// the logbook, track and network attached to it stay the caller's.
class KVLIB_API INavBoat : public NavObject {
public:
    // Stops reading the GPS or the simulator.
    virtual void Stop() = 0;                                                        // slot 1
    // Starts reading; the navigation-started callback follows once input runs. With simulate
    // the simulator sails from the current position, which must be set.
    virtual void Start(bool simulate) = 0;                                          // slot 2
    // The one-second update: takes the input since the last call and computes the new state.
    // The offsets are those of INavPredictedTime::GetTimeOffset (the first one 0 outside
    // real-time mode); calOrNull, the main view's calibration, may be nullptr.
    // changeFlags receives NavBoat::Change… bits.
    virtual void UpdateSecond(const TLoopRecord &loop, float timeOffset,
                              float predictedTimeOffset, IGeodeticCalibration *calOrNull,
                              uint32_t &changeFlags) = 0;                           // slot 3
    // Input mode for the current: 0, 1 or 2 (persisted as "InputModeCurrent").
    virtual int32_t GetInputModeCurrent() = 0;                                      // slot 19
    virtual INavBoatDevice *GetSimulatorGPSDevice() = 0;                            // slot 26
    // Positions between the one-second fixes are interpolated.
    virtual bool GetInterpolation() = 0;                                            // slot 27
    // The attached logbook, or nullptr.
    virtual INavLogbook *GetLogbook() = 0;                                          // slot 29
    // The route being followed, or nullptr when none is.
    virtual INavRouteNavigation *GetRouteNavigation() = 0;                          // slot 43
    virtual INavBoatDevice *GetSimulatorSounderDevice() = 0;                        // slot 47
    virtual void FillLogbookContext(TLogbookContext &out) = 0;                      // slot 48
    // The attached track being recorded, or nullptr.
    virtual INavTrack *GetTrack() = 0;                                              // slot 49 (assumed) ≡ GetCurrentTrack
    // 1 or 0 (persisted as "InputModeWind"); SetInputModeWind(true) makes it 1.
    virtual int32_t GetInputModeWind() = 0;                                         // slot 53
    // Follows a direct route to the waypoint; it becomes the followed route.
    // pathWidth in metres (network cross-track).
    virtual void GotoWaypoint(IWptWaypoint *wp, IWptPlanner *planner,
                              float pathWidth) = 0;                                 // slot 59
    // Follows a temporary route along the waterway to node (an IWWJunction) at position
    // metres along the current section; the route it makes counts as a default route.
    virtual void StartDefaultRoute(NavObject *node, double position, bool forward,
                                   IWptPlanner *planner, float pathWidth) = 0;      // slot 60
    virtual void SetInputModeCurrent(int32_t mode) = 0;                             // slot 67
    // Total distance over ground, metres ("DOGTotal"; the user may correct it).
    virtual void SetDistanceOverGround(double metres) = 0;                          // slot 69 (assumed) ≡ SetDistanceOverGroundTotal
    // nullptr detaches; the logbook stays the caller's.
    virtual void AttachLogbook(INavLogbook *logbook) = 0;                           // slot 71
    // Positions are recorded into the attached track; nullptr detaches.
    virtual void AttachTrack(INavTrack *track) = 0;                                 // slot 73
    // Network for map matching (GetWaterwayObject); nullptr switches matching off.
    virtual void SetWaterwayNetwork(IWWNetwork *network) = 0;                       // slot 74
    virtual void SetInputModeWind(bool mode) = 0;                        // slot 75
    virtual void StartLogbookRecording(bool store) = 0;                            // slot 76
    // Follows the planner's route from fromPoint. dogRoute (metres) and startTime carry on a
    // route that was followed before; pathWidth in metres. The three callbacks report target
    // changes, passed points and reached points on the GUI thread until
    // StopRouteNavigation.
    virtual void StartRouteNavigation(IWptPlanner *planner, IWptRoutePoint *fromPoint,
                                      bool flag, double dogRoute, TDateTime startTime,
                                      float pathWidth, TargetChangedProc targetChanged,
                                      void *targetChangedData, PointPassedProc pointPassed,
                                      void *pointPassedData, PointReachedProc pointReached,
                                      void *pointReachedData) = 0;                  // slot 77
    virtual void StopLogbookRecording(bool store) = 0;                             // slot 78
    // Ends route following; GetRouteNavigation is nullptr afterwards.
    virtual void StopRouteNavigation() = 0;                                         // slot 79
    // NavBoat::NavigationOff or NavBoat::Navigating; callers that only ask "navigating?"
    // test for non-zero.
    virtual int32_t GetNavigationState() = 0;                                       // slot —
    virtual bool IsSimulating() = 0;                                                // slot —
    virtual bool HasPosition() = 0;                                                 // slot —
    // False without a fix (out then (99, 99)).
    virtual bool GetPosition(TGeoPoint &out) = 0;                                   // slot —
    // Sets the position by hand: the last stored one at start, or one the user gives.
    virtual void SetPosition(const TGeoPoint &position) = 0;                        // slot —
    // Earth-centred metres; False without a fix.
    virtual bool GetGlobalPosition(TDouble3 &out) = 0;                              // slot —
    virtual INavBoatState *GetState() = 0;                                          // slot —
    virtual INavBoatGPS *GetGPS() = 0;                                              // slot —
    // The simulator seen as an input port (kind 2) whose input log the NMEA monitor shows.
    virtual INavMsgPort *GetSimulator() = 0;                                        // slot —
    // The simulator's own settings (turning radius, top speed).
    virtual INavBoatSimulator *GetSimulatorControl() = 0;                           // slot —
    // While False the library shows no dialogs of its own (the program is asking the user).
    virtual bool GetDialogFlag() = 0;                                               // slot —
    virtual void SetDialogFlag(bool enabled) = 0;                                   // slot —
    // Total distance over ground, metres.
    virtual double GetDistanceOverGround() = 0;                                     // slot —
    // Section the ship is matched onto, or nullptr.
    virtual IWWSection *GetWaterwayObject() = 0;                                    // slot —
    // Metres along GetWaterwayObject().
    virtual double GetWaterwayObjectPosition() = 0;                                 // slot —
    // kind NavBoat::ValueCourseAndSpeed: course and speed over ground are current.
    virtual bool IsValueValid(int32_t kind) = 0;                                    // slot —
};

// The own ship's motion state. From INavBoat::GetState; owned by the own ship.
// Angles in radians, speeds in m/s ($7800B), distances in metres.
class KVLIB_API INavBoatState : public NavObject {
public:
    // Course over ground: the angle of the absolute velocity vector.
    virtual float GetVAbsAngle() = 0;                                               // slot 1 (assumed)
    virtual TVector GetCurrent() = 0;                                               // slot 2
    virtual float GetCWD() = 0;                                                     // slot 3
    // Instruments feeding the state (persisted as "EnabledDevices").
    virtual int32_t GetEnabledDevices() = 0;                                        // slot 7
    virtual float GetRun() = 0;                                                     // slot 13
    // Speed over ground: the length of the absolute velocity vector.
    virtual float GetVAbsLength() = 0;                                              // slot 14 (assumed)
    // {radius, angle}.
    virtual TVector GetPortTack() = 0;                                              // slot 16
    virtual TVector GetStarboardTack() = 0;                                         // slot 17
    virtual TVector GetWindAbs() = 0;                                               // slot 19
    // Restores a whole state (at start from the stored one; the view's "V" key zeroes it).
    // The program passes True, True and 8 for the last three.
    virtual void SetState(const TVector *vAbs, const TVector *current, const TVector *windAbs,
                          const TVector *windRel, float heading, float run, float cwd,
                          bool flag1, bool flag2, int32_t mode) = 0;                // slot 24
    virtual void SetPortTack(const TVector &tack) = 0;                              // slot 33
    virtual void SetStarboardTack(const TVector &tack) = 0;                         // slot 34
    virtual bool GetZeroCurrent() = 0;                                              // slot —
    virtual void SetZeroCurrent(bool zero) = 0;                                     // slot —
    virtual bool GetZeroDrift() = 0;                                                // slot —
    virtual void SetZeroDrift(bool zero) = 0;                                       // slot —
    // Wind relative to the heading, as SetState last set it; the settings keep it.
    virtual TVector GetWindRel() = 0;                                               // slot —
    // The leeway is fixed by the boat model and cannot be entered.
    virtual bool GetDriftFixed() = 0;                                               // slot —
};

// The own ship's GPS receiver. From INavBoat::GetGPS; owned by the own ship.
// Errors reach the program through the NavBoatCreate callbacks: a port error with code
// KvErr::GPSSilent (no answer) or KvErr::NoGPSPort, and no-position reports whose message
// the program picks by GetProtocol.
class KVLIB_API INavBoatGPS : public INavBoatDevice {
public:
    // 1..6; NavBoatGPS::Brand… for the two the program sets.
    virtual int32_t GetBrand() = 0;                                                 // slot 10 (assumed)
    virtual int32_t GetModel() = 0;                                                 // slot 11 (assumed)
    // Non-zero while communicating.
    virtual int32_t IsConnected() = 0;                                              // slot 14 (assumed)
    // NavBoatGPS::Protocol… (3 and 4 are other kinds).
    virtual int32_t GetProtocol() = 0;                                              // slot 22 (assumed)
    // Seconds since the last valid position.
    virtual float GetNoPositionSeconds() = 0;                                       // slot 27
    void ApplySettings(int32_t mode, int32_t &err) override = 0;                    // slot 31
    virtual void SetBrandModel(int32_t brand, int32_t model) = 0;                   // slot 32 (assumed)
    // Attaches the receiver to a port; nullptr detaches. The port stays the manager's.
    virtual void SetPort(INavMsgPort *port, int32_t &err) = 0;                      // slot 39 (assumed)
    virtual void SetProtocol(int32_t protocol, int32_t &err) = 0;                   // slot 40 (assumed)
    // The speed over ground is valid (fresh fix with speed).
    virtual bool IsSpeedValid() = 0;                                                // slot 67
    // Copies the current set-up into a caller's settings object.
    virtual void GetSettings(INavMsgGPSSettings *target) = 0;                       // slot 90 (assumed)
    // Datum of the receiver's positions; the object stays the geodetic registry's.
    virtual void SetDatum(IGeodeticDatum *datum) = 0;                               // slot 104
    // Receiver tuning set once at load; the program passes the values in the comments.
    virtual void SetTuning105(int32_t value) = 0;                                   // slot 105 (0)
    virtual void SetTuning107(float value) = 0;                                     // slot 107 (3.0)
    virtual void SetTuning108(int32_t value) = 0;                                   // slot 108 (1)
    virtual void SetTuning109(float value) = 0;                                     // slot 109 (1000.0)
    virtual void SetTuning110(float value) = 0;                                     // slot 110 (5.0)
    virtual void SetTuning114(float value) = 0;                                     // slot 114 (10.0)
    virtual void SetTuning115(float value) = 0;                                     // slot 115 (0.15)
    virtual void SetTuning120(int32_t value) = 0;                                   // slot 120 (0)
    virtual void SetTuning121(int32_t value) = 0;                                   // slot 121 (0)
    // Configures the receiver from a settings object (brand, model, protocol, port, filters,
    // datum).
    virtual void SetSettings(INavMsgGPSSettings *settings, int32_t &err) = 0;       // slot 122 (assumed) ≡ ApplyDeviceSettings
    // Played when the fix is lost / comes back; the sounds stay the caller's.
    virtual void SetLostSound(ISound *sound) = 0;                                   // slot 123
    virtual void SetRestoredSound(ISound *sound) = 0;                               // slot 124
    // The attached port, or nullptr.
    virtual INavMsgPort *GetPort() = 0;                                             // slot —
    // Any of the position, SOG and COG filters is on.
    virtual bool IsFiltering() = 0;                                                 // slot —
    virtual void SetPositionFilter(bool on) = 0;                                    // slot —
    virtual void SetSOGFilter(bool on) = 0;                                         // slot —
    virtual void SetCOGFilter(bool on) = 0;                                         // slot —
    // GGA fix quality; False when not received.
    virtual bool GetFixQuality(int32_t &quality) = 0;                               // slot —
    virtual bool GetSatsUsed(int32_t &count) = 0;                                   // slot —
    virtual bool GetSatsInView(int32_t &count) = 0;                                 // slot —
    virtual bool GetHDOP(float &hdop) = 0;                                          // slot —
};

// The route being followed. From INavBoat::GetRouteNavigation (nullptr when none); owned by
// the own ship and gone after INavBoat::StopRouteNavigation. The getters with a bool result
// return False when the value is not known (no fix, no target); the out value is then
// unchanged. Metres, radians, seconds and m/s.
class KVLIB_API INavRouteNavigation : public NavObject {
public:
    virtual IWptRoutePoint *GetTargetPoint() = 0;                                   // slot 2
    // Distance over ground since the route was started ("DOGRoute").
    virtual double GetRouteDistanceOverGround() = 0;                                // slot 10 (assumed)
    virtual IWptRoute *GetRoute() = 0;                                              // slot 19
    virtual TDateTime GetRouteStartTime() = 0;                                      // slot 20 (assumed)
    // Recalculates the followed (or default) route from the ship's position; mode 0 is the
    // only value callers pass.
    virtual void Recalculate(int32_t mode) = 0;                                     // slot 26
    // Makes p the target; mode 1 is the only value callers pass.
    virtual void SetTargetPoint(IWptRoutePoint *p, int32_t mode) = 0;               // slot 27
    // The route point the course to steer (GetCTS) leads to.
    virtual IWptRoutePoint *GetSteerPoint() = 0;                                    // slot —
    // The record of this navigation, owned by it and valid until the next update.
    virtual const TNavRouteData *GetNavData() = 0;                                  // slot —
    // Cross-track error in metres (signed), the same as a fraction of the allowed deviation
    // (±1 = at the limit) and the path width in metres.
    virtual bool GetXTE(float &xte, float &xteRel, float &pathWidth) = 0;           // slot —
    // Course to steer in open water.
    virtual bool GetCTS(float &rad) = 0;                                            // slot —
    // Course to steer along the network.
    virtual bool GetNetworkCTS(float &rad) = 0;                                     // slot —
    // Distance to the target.
    virtual bool GetDTG(float &metres) = 0;                                         // slot —
    // Time to the target.
    virtual bool GetTTG(float &seconds) = 0;                                        // slot —
    // Velocity made good towards the target.
    virtual bool GetVMG(float &speed) = 0;                                          // slot —
    // The ship's distance along the route.
    virtual bool GetRouteDistance(float &metres) = 0;                               // slot —
    // The current leg is not routed over the network.
    virtual bool IsOpenLeg() = 0;                                                   // slot —
    // Path width for the network cross-track error, metres.
    virtual void SetPathWidth(float metres) = 0;                                    // slot —
};

// Creates the own ship. wm, boatDef (the active boat definition), devices and disp are kept
// by reference and must outlive it. The numbered arguments are options whose values the
// program passes as given in the comments. The six callback pairs report, on the GUI thread:
// navigation started, a device error, a GPS port error, no position, the error cleared, and
// the end of a followed route.
KVLIB_API INavBoat *NavBoatCreate(IWptManager *wm, ILPBoatDef *boatDef,
                                  INavMsgDeviceManager *devices, int32_t a /*0*/,
                                  void *b /*nullptr*/, int32_t c /*0*/,
                                  INavMessageDispatcher *disp, int32_t d /*1*/,
                                  int32_t e /*0*/, int32_t f /*0*/, int32_t g /*0*/,
                                  NavStartedProc navStarted, void *navStartedData,
                                  DeviceErrorProc deviceError, void *deviceErrorData,
                                  GPSPortErrorProc gpsPortError, void *gpsPortErrorData,
                                  NoPositionProc noPosition, void *noPositionData,
                                  ErrorClearedProc errorCleared, void *errorClearedData,
                                  BoatEventProc routeEnded, void *routeEndedData);
