// The own ship: fed once a second by its GPS port's decoded input or by the simulator; keeps
// the motion state, position validity and the no-position timing, the distance over ground,
// the ship's section on the waterway network, the followed route (and the go-to and default
// routes it makes itself), the recording track and the logbook's recording switch.
#include "navigation/NavBoat.h"

#include "devices/DeviceManager.h"
#include "devices/DeviceSettings.h"
#include "geodesy/GeodesyEngine.h"
#include "kernel/KvInternal.h"
#include "navigation/MapMatch.h"
#include "navigation/RouteNavigation.h"
#include "navigation/Simulator.h"
#include "tracks/LogbookImpl.h"
#include "units/UnitsInternal.h"
#include "waypoints/WptModel.h"

#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvLogbook.h"
#include "KvLibNav6/KvNavEnv.h"
#include "KvLibNav6/KvSound.h"
#include "KvLibNav6/KvPlanner.h"
#include "KvLibNav6/KvTracks.h"
#include "KvLibNav6/KvWWNetwork.h"
#include "KvLibNav6/KvWaypoints.h"

#include <GeographicLib/Geocentric.hpp>

#include <QLoggingCategory>

#include <cmath>
#include <memory>
#include <numbers>

namespace kv {

namespace {

Q_LOGGING_CATEGORY(LogBoat, "marivo.ownship")

constexpr double Deg = 180.0 / std::numbers::pi;
constexpr double MpsPerKnot = 1852.0 / 3600.0;
constexpr double SecondsPerDay = 86400.0;
// Weight of a new value in the position, SOG and COG filters.
constexpr double FilterWeight = 0.5;
// The ship counts as on the network within this distance of a section (metres; the
// default network path width); near a junction it stays on its section until another one
// is nearer by the margin.
constexpr double MatchLimitM = 200.0;
constexpr double MatchKeepMarginM = 10.0;

bool ValidPosition(const TGeoPoint &p) {
    return std::isfinite(p.Lat) && std::isfinite(p.Lon) && std::fabs(p.Lat) <= std::numbers::pi / 2 &&
           std::fabs(p.Lon) <= 2 * std::numbers::pi;
}

double Normalise(double rad) {
    double r = std::fmod(rad, 2 * std::numbers::pi);
    if (r < 0) r += 2 * std::numbers::pi;
    return r;
}

class TNavBoat;

class TNavBoatState final : public INavBoatState {
public:
    explicit TNavBoatState(TNavBoat &boat) : FBoat(boat) {}

    float GetVAbsAngle() override { return VAbs.Angle; }
    TVector GetCurrent() override { return Current; }
    float GetCWD() override { return CWD; }
    int32_t GetEnabledDevices() override { return EnabledDevices; }
    float GetRun() override { return Run; }
    float GetVAbsLength() override { return VAbs.Length; }
    TVector GetPortTack() override { return PortTack; }
    TVector GetStarboardTack() override { return StarboardTack; }
    TVector GetWindAbs() override { return WindAbs; }
    TVector GetWindRel() override { return WindRel; }
    void SetState(const TVector *vAbs, const TVector *current, const TVector *windAbs,
                  const TVector *windRel, float heading, float run, float cwd, bool, bool,
                  int32_t) override;
    void SetPortTack(const TVector &tack) override { PortTack = tack; }
    void SetStarboardTack(const TVector &tack) override { StarboardTack = tack; }
    bool GetZeroCurrent() override { return ZeroCurrent; }
    void SetZeroCurrent(bool zero) override { ZeroCurrent = zero; }
    bool GetZeroDrift() override { return ZeroDrift; }
    void SetZeroDrift(bool zero) override { ZeroDrift = zero; }
    // The leeway is entered, never taken from a boat model here.
    bool GetDriftFixed() override { return false; }

    TVector VAbs, Current, WindAbs, WindRel;
    TVector PortTack{2500.0f, float(std::numbers::pi / 4)};
    TVector StarboardTack{2500.0f, float(std::numbers::pi / 4)};
    float Heading = 0.0f;
    float Run = 0.0f;
    float CWD = 0.0f;
    int32_t EnabledDevices = 1;  // the GPS
    bool ZeroCurrent = false;
    bool ZeroDrift = false;

private:
    TNavBoat &FBoat;
};

class TNavBoatGPS final : public INavBoatGPS {
public:
    explicit TNavBoatGPS(TNavBoat &boat) : FBoat(boat) {}

    int32_t GetBrand() override { return Brand; }
    int32_t GetModel() override { return Model; }
    int32_t IsConnected() override;
    int32_t GetProtocol() override { return Protocol; }
    float GetNoPositionSeconds() override { return float(NoPositionSeconds); }
    void ApplySettings(int32_t mode, int32_t &err) override;
    void SetBrandModel(int32_t brand, int32_t model) override {
        Brand = brand;
        Model = model;
    }
    void SetPort(INavMsgPort *port, int32_t &err) override;
    void SetProtocol(int32_t protocol, int32_t &err) override {
        if (protocol < NavBoatGPS::ProtocolVendorUSB || protocol > 4) {
            err = KvErr::InvalidArgument;
            return;
        }
        Protocol = protocol;
        err = KvErr::Ok;
    }
    bool IsSpeedValid() override;
    void GetSettings(INavMsgGPSSettings *target) override;
    void SetDatum(IGeodeticDatum *datum) override { Datum = datum; }
    void SetTuning105(int32_t value) override { Tuning105 = value; }
    void SetTuning107(float value) override {
        if (value > 0 && std::isfinite(value)) PositionTimeoutSec = value;
    }
    void SetTuning108(int32_t value) override { Tuning108 = value; }
    void SetTuning109(float value) override {
        if (value > 0 && std::isfinite(value)) MaxStepPerSecM = value;
    }
    void SetTuning110(float value) override {
        if (value >= 0 && std::isfinite(value)) TrackIntervalSec = value;
    }
    void SetTuning114(float value) override {
        if (value > 0 && std::isfinite(value)) ReportDelaySec = value;
    }
    void SetTuning115(float value) override {
        if (value >= 0 && std::isfinite(value)) MinCountedSpeed = value;
    }
    void SetTuning120(int32_t value) override { Tuning120 = value; }
    void SetTuning121(int32_t value) override { Tuning121 = value; }
    void SetSettings(INavMsgGPSSettings *settings, int32_t &err) override;
    void SetLostSound(ISound *sound) override { LostSound = sound; }
    void SetRestoredSound(ISound *sound) override { RestoredSound = sound; }
    INavMsgPort *GetPort() override { return Port; }
    bool IsFiltering() override { return PositionFilter || SOGFilter || COGFilter; }
    void SetPositionFilter(bool on) override { PositionFilter = on; }
    void SetSOGFilter(bool on) override { SOGFilter = on; }
    void SetCOGFilter(bool on) override { COGFilter = on; }
    bool GetFixQuality(int32_t &quality) override {
        if (FixQuality < 0) return false;
        quality = FixQuality;
        return true;
    }
    bool GetSatsUsed(int32_t &count) override {
        if (SatsUsed < 0) return false;
        count = SatsUsed;
        return true;
    }
    bool GetSatsInView(int32_t &count) override {
        if (SatsInView < 0) return false;
        count = SatsInView;
        return true;
    }
    bool GetHDOP(float &hdop) override {
        if (!std::isfinite(HDOP)) return false;
        hdop = float(HDOP);
        return true;
    }

    int32_t Brand = NavBoatGPS::BrandSerialNMEA;
    int32_t Model = 0;
    int32_t Protocol = NavBoatGPS::ProtocolNMEA;
    INavMsgPort *Port = nullptr;
    IGeodeticDatum *Datum = nullptr;  // nullptr: positions already on the default datum
    ISound *LostSound = nullptr;
    ISound *RestoredSound = nullptr;
    bool PositionFilter = false, SOGFilter = false, COGFilter = false;
    // Receiver figures of the last valid fix (quality also follows a lost fix).
    int32_t FixQuality = -1, SatsUsed = -1, SatsInView = -1;
    double HDOP = NmeaUnknown;
    double NoPositionSeconds = 0.0;

    // Timing and plausibility: seconds a fix stays current; seconds without position (or
    // without any input) before it is reported; the largest believable move per second;
    // the smallest speed that adds to the distance over ground; the track interval.
    double PositionTimeoutSec = 3.0;
    double ReportDelaySec = 10.0;
    double MaxStepPerSecM = 1000.0;
    double MinCountedSpeed = 0.15;
    double TrackIntervalSec = 5.0;
    int32_t Tuning105 = 0, Tuning108 = 1, Tuning120 = 0, Tuning121 = 0;

private:
    TNavBoat &FBoat;
};

struct TCallbacks {
    NavStartedProc NavStarted = nullptr;
    void *NavStartedData = nullptr;
    DeviceErrorProc DeviceError = nullptr;
    void *DeviceErrorData = nullptr;
    GPSPortErrorProc GPSPortError = nullptr;
    void *GPSPortErrorData = nullptr;
    NoPositionProc NoPosition = nullptr;
    void *NoPositionData = nullptr;
    ErrorClearedProc ErrorCleared = nullptr;
    void *ErrorClearedData = nullptr;
    BoatEventProc RouteEnded = nullptr;
    void *RouteEndedData = nullptr;
};

class TNavBoat final : public INavBoat {
public:
    TNavBoat(IWptManager *wm, ILPBoatDef *boatDef, INavMsgDeviceManager *devices,
             const TCallbacks &callbacks)
        : FWm(wm), FBoatDef(boatDef), FDevices(devices), FCb(callbacks), FState(*this),
          FGPS(*this) {
        if (FDevices) {
            TPortEvents events;
            events.Error = [this](INavMsgPort *port, int32_t code, bool openFailed) {
                OnPortError(port, code, openFailed);
            };
            events.Recovered = [this](INavMsgPort *port) { OnPortRecovered(port); };
            NavMsgDeviceManagerSetEvents(FDevices, std::move(events));
        }
    }

    ILPBoatDef *BoatDef() const { return FBoatDef; }

    ~TNavBoat() override {
        StopRouteNavigation();
        Stop();
        if (FDevices) NavMsgDeviceManagerSetEvents(FDevices, TPortEvents());
    }

    // ---- INavBoat
    void Stop() override;
    void Start(bool simulate) override;
    void UpdateSecond(const TLoopRecord &loop, float timeOffset, float predictedTimeOffset,
                      IGeodeticCalibration *calOrNull, uint32_t &changeFlags) override;
    int32_t GetInputModeCurrent() override { return FInputModeCurrent; }
    INavBoatDevice *GetSimulatorGPSDevice() override { return &FSim.GPSDevice(); }
    bool GetInterpolation() override { return false; }
    INavLogbook *GetLogbook() override { return FLogbook; }
    INavRouteNavigation *GetRouteNavigation() override { return FRoute.get(); }
    INavBoatDevice *GetSimulatorSounderDevice() override { return &FSim.SounderDevice(); }
    void FillLogbookContext(TLogbookContext &out) override;
    INavTrack *GetTrack() override { return FTrack; }
    int32_t GetInputModeWind() override { return FInputModeWind; }
    void GotoWaypoint(IWptWaypoint *wp, IWptPlanner *planner, float pathWidth) override;
    void StartDefaultRoute(NavObject *node, double position, bool forward, IWptPlanner *planner,
                           float pathWidth) override;
    void SetInputModeCurrent(int32_t mode) override {
        FInputModeCurrent = mode == 1 || mode == 2 ? mode : 0;
    }
    void SetDistanceOverGround(double metres) override {
        if (std::isfinite(metres) && metres >= 0) FDistance = metres;
    }
    void AttachLogbook(INavLogbook *logbook) override { FLogbook = logbook; }
    void AttachTrack(INavTrack *track) override {
        FTrack = track;
        FTrackHasPoint = false;
    }
    void SetWaterwayNetwork(IWWNetwork *network) override {
        if (network == FNetwork) return;
        FNetwork = network;
        FMatch = TShipMatch();  // its section belonged to the old network
        FDefaultTargetSection = nullptr;
        UpdateMatch();
    }
    void SetInputModeWind(bool mode) override { FInputModeWind = mode ? 1 : 0; }
    void StartLogbookRecording(bool store) override { SetLogbookRecording(true, store); }
    void StartRouteNavigation(IWptPlanner *planner, IWptRoutePoint *fromPoint, bool flag,
                              double dogRoute, TDateTime startTime, float pathWidth,
                              TargetChangedProc targetChanged, void *targetChangedData,
                              PointPassedProc pointPassed, void *pointPassedData,
                              PointReachedProc pointReached, void *pointReachedData) override;
    void StopLogbookRecording(bool store) override { SetLogbookRecording(false, store); }
    void StopRouteNavigation() override;
    int32_t GetNavigationState() override { return FNavigating ? NavBoat::Navigating : NavBoat::NavigationOff; }
    bool IsSimulating() override { return FNavigating && FSimulating; }
    bool HasPosition() override { return FHasPosition; }
    bool GetPosition(TGeoPoint &out) override {
        if (!FHasPosition) {
            out = TGeoPoint{GeoPointNoPosition, GeoPointNoPosition};
            return false;
        }
        out = FPosition;
        return true;
    }
    void SetPosition(const TGeoPoint &position) override;
    bool GetGlobalPosition(TDouble3 &out) override {
        if (!FHasPosition) return false;
        GeographicLib::Geocentric::WGS84().Forward(FPosition.Lat * Deg, FPosition.Lon * Deg, 0.0,
                                                   out.X, out.Y, out.Z);
        return true;
    }
    INavBoatState *GetState() override { return &FState; }
    INavBoatGPS *GetGPS() override { return &FGPS; }
    INavMsgPort *GetSimulator() override { return &FSim.Port(); }
    INavBoatSimulator *GetSimulatorControl() override { return &FSim; }
    bool GetDialogFlag() override { return FDialogFlag; }
    void SetDialogFlag(bool enabled) override { FDialogFlag = enabled; }
    double GetDistanceOverGround() override { return FDistance; }
    IWWSection *GetWaterwayObject() override { return FMatch.Section; }
    double GetWaterwayObjectPosition() override { return FMatch.Section ? FMatch.Position : 0.0; }
    bool IsValueValid(int32_t kind) override {
        return kind == NavBoat::ValueCourseAndSpeed && CourseAndSpeedValid();
    }

    // ---- for the GPS object and the seams
    bool CourseAndSpeedValid() const { return FHasPosition && FCourseSpeedValid; }
    bool IsReadingGPS() const { return FNavigating && !FSimulating; }
    bool HasInputRecently() const { return FEverData && FSinceData < FGPS.ReportDelaySec; }
    void ChangePort(INavMsgPort *port);
    INavMsgDeviceManager *Devices() const { return FDevices; }
    void SetTrackDistance(double metres) { FTrackDistanceM = metres; }
    void SetStateVector(const TVector &vAbs) {
        FState.VAbs = vAbs;
        if (FNavigating && FSimulating) FSim.SetMotion(vAbs.Angle, vAbs.Length);
    }

private:
    void OnPortError(INavMsgPort *port, int32_t code, bool openFailed);
    void OnPortRecovered(INavMsgPort *port);
    void ResetInputTiming();
    void ReadGPS(double elapsed, TDateTime now, uint32_t &flags);
    void Simulate(double elapsed, TDateTime now, uint32_t &flags);
    void ApplyFix(TGeoPoint pos, double sog, double cog, bool sogCogValid, TDateTime now,
                  double elapsed, uint32_t &flags);
    void RecordTrack(TDateTime now);
    void SetLogbookRecording(bool on, bool store);
    void ReportGPSError(int32_t code, bool flag) {
        if (FCb.GPSPortError) FCb.GPSPortError(FCb.GPSPortErrorData, &FGPS, code, flag);
    }
    void ClearError() {
        if (FCb.ErrorCleared) FCb.ErrorCleared(FCb.ErrorClearedData);
    }
    void NavigationStarted() {
        FStartPending = false;
        if (FCb.NavStarted) FCb.NavStarted(FCb.NavStartedData, 0);
    }
    void DropGotoRoute();
    void UpdateMatch();
    IWptRoutePoint *ReplanRoute();
    IWptDatabase *OwnDatabase();

    IWptManager *FWm;
    ILPBoatDef *FBoatDef;
    INavMsgDeviceManager *FDevices;
    TCallbacks FCb;
    TNavBoatState FState;
    TNavBoatGPS FGPS;
    TSimulator FSim;

    bool FNavigating = false;
    bool FSimulating = false;
    bool FStartPending = false;
    bool FDialogFlag = true;
    int32_t FInputModeCurrent = 0;
    int32_t FInputModeWind = 1;

    bool FHasPosition = false;
    TGeoPoint FPosition{GeoPointNoPosition, GeoPointNoPosition};
    bool FCourseSpeedValid = false;
    bool FHaveFix = false;  // FPosition came from a fix (not set by hand)
    bool FHeadingSensor = false;  // the receiver sends a true heading
    double FDistance = 0.0;
    TDateTime FLastNow = 0.0;

    // GPS input timing, in seconds of the loop's clock.
    uint64_t FLastReceived = 0;
    uint32_t FLastFixCount = 0;
    bool FEverData = false;
    bool FEverFix = false;
    double FSinceData = 0.0;
    bool FSilentReported = false;
    bool FNoPositionReported = false;
    bool FPositionLost = false;

    std::unique_ptr<TRouteNavigation> FRoute;
    std::unique_ptr<TRouteNavigation> FRetiredRoute;  // stopped inside one of its callbacks
    bool FInRouteUpdate = false;
    bool FRouteEndedPending = false;
    TRouteEvents FRouteEvents;  // the program's, kept for go-to routes
    IWptDatabase *FGotoDatabase = nullptr;  // private: holds the go-to and default routes
    // The route the own ship made and follows (go-to or default route); deleted when it is
    // no longer followed.
    IWptRoute *FGotoRoute = nullptr;
    bool FGotoIsDefault = false;
    IWptPlanner *FPlanner = nullptr;
    // Where the default route leads: the node's place on its section.
    IWWSection *FDefaultTargetSection = nullptr;
    double FDefaultTargetPosition = 0.0;
    TShipMatch FMatch;

    INavLogbook *FLogbook = nullptr;
    INavTrack *FTrack = nullptr;
    bool FTrackHasPoint = false;
    TGeoPoint FTrackLast{};
    TDateTime FTrackLastTime = 0.0;
    double FTrackDistanceM = 10.0;
    IWWNetwork *FNetwork = nullptr;
};

void TNavBoatState::SetState(const TVector *vAbs, const TVector *current, const TVector *windAbs,
                             const TVector *windRel, float heading, float run, float cwd, bool,
                             bool, int32_t) {
    if (current) Current = *current;
    if (windAbs) WindAbs = *windAbs;
    if (windRel) WindRel = *windRel;
    if (std::isfinite(heading)) Heading = heading;
    if (std::isfinite(run)) Run = run;
    if (std::isfinite(cwd)) CWD = cwd;
    if (vAbs && std::isfinite(vAbs->Length) && std::isfinite(vAbs->Angle))
        FBoat.SetStateVector(*vAbs);
}

int32_t TNavBoatGPS::IsConnected() {
    return FBoat.IsReadingGPS() && Port && FBoat.HasInputRecently() ? 1 : 0;
}

void TNavBoatGPS::ApplySettings(int32_t, int32_t &err) {
    err = KvErr::Ok;
    if (!FBoat.IsReadingGPS() || !Port) return;
    Port->Open();
    err = NavMsgPortLastError(Port);
    if (err == KvErr::InvalidArgument) err = KvErr::Ok;  // not a serial port: nothing to check
}

void TNavBoatGPS::SetPort(INavMsgPort *port, int32_t &err) {
    err = KvErr::Ok;
    FBoat.ChangePort(port);
}

bool TNavBoatGPS::IsSpeedValid() {
    return FBoat.CourseAndSpeedValid();
}

void TNavBoatGPS::GetSettings(INavMsgGPSSettings *target) {
    auto *s = dynamic_cast<TGPSSettings *>(target);
    if (!s) return;
    s->Brand = Brand;
    s->Model = Model;
    s->Protocol = Protocol;
    s->PortID = Port ? ToQString(*Port->GetID()) : QString();
    s->PortName = Port ? ToQString(*Port->GetName()) : QString();
    s->PositionFilter = PositionFilter;
    s->SOGFilter = SOGFilter;
    s->COGFilter = COGFilter;
}

void TNavBoatGPS::SetSettings(INavMsgGPSSettings *settings, int32_t &err) {
    auto *s = dynamic_cast<TGPSSettings *>(settings);
    if (!s) {
        err = KvErr::InvalidArgument;
        return;
    }
    err = KvErr::Ok;
    Brand = s->Brand;
    Model = s->Model;
    Protocol = s->Protocol;
    PositionFilter = s->PositionFilter;
    SOGFilter = s->SOGFilter;
    COGFilter = s->COGFilter;
    INavMsgPort *port = nullptr;
    INavMsgDeviceManager *devices = FBoat.Devices();
    if (!s->PortID.isEmpty() && devices) {
        const std::u16string id = s->PortID.toStdU16String();
        int32_t index = -1;
        devices->FindPortByID(TStrWRec{int32_t(id.size()), id.c_str()}, index);
        if (index >= 0) port = devices->GetPortListItem(index);
    }
    // A stored port that is not there now: the receiver has no port until one is chosen.
    if (!s->PortID.isEmpty() && !port) err = KvErr::NoGPSPort;
    FBoat.ChangePort(port);
}

void TNavBoat::ChangePort(INavMsgPort *port) {
    if (port == FGPS.Port) return;
    const bool reading = IsReadingGPS();
    if (reading && FGPS.Port) FGPS.Port->Close();
    FGPS.Port = port;
    ResetInputTiming();
    if (reading && port) {
        port->Open();
        if (FStartPending && NavMsgPortLastError(port) == KvErr::Ok) NavigationStarted();
    }
}

void TNavBoat::ResetInputTiming() {
    FEverData = false;
    FEverFix = false;
    FSinceData = 0.0;
    FGPS.NoPositionSeconds = 0.0;
    FSilentReported = false;
    FNoPositionReported = false;
    FPositionLost = false;
    FLastReceived = 0;
    FLastFixCount = 0;
    if (INavMsgPort *port = FGPS.Port) {
        // Only what arrives from now on counts.
        if (const TNmeaStats *stats = NavMsgPortNmeaStats(port))
            FLastReceived = uint64_t(stats->Valid()) + stats->Rejected() + stats->GarbageBytes;
        if (const TNmeaNavState *st = NavMsgPortNavState(port)) FLastFixCount = st->FixCount;
    }
}

void TNavBoat::OnPortError(INavMsgPort *port, int32_t code, bool openFailed) {
    if (!IsReadingGPS() || port != FGPS.Port) return;
    if (FCb.DeviceError) FCb.DeviceError(FCb.DeviceErrorData, port, code, openFailed);
}

void TNavBoat::OnPortRecovered(INavMsgPort *port) {
    if (!IsReadingGPS() || port != FGPS.Port) return;
    ClearError();
}

void TNavBoat::Start(bool simulate) {
    if (FNavigating) Stop();
    FCourseSpeedValid = false;
    if (simulate) {
        if (!FHasPosition) {
            qCWarning(LogBoat, "simulator not started: the ship has no position");
            return;
        }
        FSimulating = true;
        FNavigating = true;
        FSim.Start(FPosition, FState.VAbs.Angle, FState.VAbs.Length);
        NavigationStarted();
        return;
    }
    FSimulating = false;
    INavMsgPort *port = FGPS.Port;
    if (!port) {
        ReportGPSError(KvErr::NoGPSPort, true);
        return;
    }
    if (FGPS.Protocol != NavBoatGPS::ProtocolNMEA || !port->SupportsProtocol(FGPS.Protocol)) {
        ReportGPSError(KvErr::PortUnsupported, true);
        return;
    }
    FNavigating = true;
    FStartPending = true;
    ResetInputTiming();
    port->Open();  // a failure reaches the device-error callback; the port keeps trying
    if (NavMsgPortLastError(port) == KvErr::Ok) NavigationStarted();
}

void TNavBoat::Stop() {
    if (!FNavigating) return;
    if (FSimulating)
        FSim.Stop();
    else if (FGPS.Port)
        FGPS.Port->Close();
    FNavigating = false;
    FSimulating = false;
    FStartPending = false;
    FCourseSpeedValid = false;
}

void TNavBoat::SetPosition(const TGeoPoint &position) {
    if (!ValidPosition(position)) return;
    FPosition = position;
    FHasPosition = true;
    FHaveFix = false;  // the next fix is not a move from here
    if (FNavigating && FSimulating) FSim.Start(position, FSim.Course(), FSim.Speed());
    UpdateMatch();
}

void TNavBoat::UpdateMatch() {
    if (!FNetwork || !FHasPosition) {
        FMatch = TShipMatch();
        return;
    }
    FMatch = MatchShip(FNetwork, FPosition, FMatch, MatchLimitM, MatchKeepMarginM);
}

void TNavBoat::UpdateSecond(const TLoopRecord &loop, float, float, IGeodeticCalibration *,
                            uint32_t &changeFlags) {
    changeFlags = 0;
    const double elapsed = loop.ElapsedSec > 0 && std::isfinite(loop.ElapsedSec) ? loop.ElapsedSec : 1.0;
    const TDateTime now = loop.TimeUTC > 0 ? loop.TimeUTC : TimeEngine().NowUTC();
    FLastNow = now;
    if (!FNavigating) return;
    if (FSimulating)
        Simulate(elapsed, now, changeFlags);
    else
        ReadGPS(elapsed, now, changeFlags);
    if (FRetiredRoute && !FInRouteUpdate) FRetiredRoute.reset();
    if (FRouteEndedPending) {
        FRouteEndedPending = false;
        if (FCb.RouteEnded) FCb.RouteEnded(FCb.RouteEndedData, 0);
    }
}

void TNavBoat::Simulate(double elapsed, TDateTime now, uint32_t &flags) {
    double steer = 0.0;
    float cts = 0.0f;
    const bool following = FRoute && !FRoute->HasEnded() && FRoute->GetNetworkCTS(cts);
    if (following) steer = cts;
    FSim.Step(elapsed, following ? &steer : nullptr, now);
    ApplyFix(FSim.Position(), FSim.Speed(), FSim.Course(), true, now, elapsed, flags);
}

void TNavBoat::ReadGPS(double elapsed, TDateTime now, uint32_t &flags) {
    INavMsgPort *port = FGPS.Port;
    if (!port) return;
    if (FStartPending && NavMsgPortLastError(port) == KvErr::Ok) NavigationStarted();
    const TNmeaNavState *st = NavMsgPortNavState(port);
    const TNmeaStats *stats = NavMsgPortNmeaStats(port);
    const uint64_t received =
        stats ? uint64_t(stats->Valid()) + stats->Rejected() + stats->GarbageBytes : 0;
    const bool portFailed = NavMsgPortLastError(port) != KvErr::Ok;

    if (received != FLastReceived) {
        FLastReceived = received;
        FEverData = true;
        FSinceData = 0.0;
        if (FSilentReported) {
            FSilentReported = false;
            ClearError();
        }
    } else {
        FSinceData += elapsed;
        // A port that failed was reported as a device error already.
        if (!portFailed && !FSilentReported && FSinceData >= FGPS.ReportDelaySec) {
            FSilentReported = true;
            ReportGPSError(KvErr::GPSSilent, !FEverData);
        }
    }

    if (st && st->FixCount != FLastFixCount && st->PositionValid && NmeaKnown(st->LatRad) &&
        NmeaKnown(st->LonRad)) {
        FLastFixCount = st->FixCount;
        TGeoPoint pos{st->LatRad, st->LonRad};
        if (FGPS.Datum) geodesy::DatumShift2(pos.Lat, pos.Lon, FGPS.Datum, nullptr);
        FGPS.FixQuality = st->FixQuality;
        FGPS.SatsUsed = st->SatellitesInUse;
        FGPS.SatsInView = st->SatellitesInView;
        FGPS.HDOP = st->HDOP;
        const bool wasLost = FPositionLost;
        FGPS.NoPositionSeconds = 0.0;
        FEverFix = true;
        FPositionLost = false;
        if (wasLost && FGPS.RestoredSound) FGPS.RestoredSound->Play(0);
        if (FNoPositionReported) {
            FNoPositionReported = false;
            ClearError();
        }
        const bool sogKnown = NmeaKnown(st->SOGKn), cogKnown = NmeaKnown(st->COGTrueDeg);
        double sog = sogKnown ? st->SOGKn * MpsPerKnot : NmeaUnknown;
        double cog = cogKnown ? st->COGTrueDeg / Deg : NmeaUnknown;
        FHeadingSensor = NmeaKnown(st->HeadingTrueDeg);
        if (FHeadingSensor) FState.Heading = float(st->HeadingTrueDeg / Deg);
        ApplyFix(pos, sog, cog, sogKnown && cogKnown, now, elapsed, flags);
        return;
    }

    FGPS.NoPositionSeconds += elapsed;
    if (st && st->FixQuality >= 0) FGPS.FixQuality = st->FixQuality;
    if (FEverFix && !FPositionLost && FGPS.NoPositionSeconds >= FGPS.PositionTimeoutSec) {
        FPositionLost = true;
        FCourseSpeedValid = false;
        // The last fix has timed out: the receiver has no fix now, whatever it said then.
        FGPS.FixQuality = 0;
        flags |= NavBoat::ChangeCurrentValues;
        if (FGPS.LostSound) FGPS.LostSound->Play(0);
    }
    // Input that carries no position; silence is reported as such above.
    if (FEverData && FSinceData < FGPS.ReportDelaySec && !FNoPositionReported &&
        FGPS.NoPositionSeconds >= FGPS.ReportDelaySec) {
        FNoPositionReported = true;
        if (FCb.NoPosition)
            FCb.NoPosition(FCb.NoPositionData, &FGPS,
                           FEverFix ? NavBoatGPS::NoPositionForAWhile
                                    : NavBoatGPS::NoPositionSinceOpened);
    }
}

void TNavBoat::ApplyFix(TGeoPoint pos, double sog, double cog, bool sogCogValid, TDateTime now,
                        double elapsed, uint32_t &flags) {
    if (!ValidPosition(pos)) return;
    double step = 0.0, bearing = 0.0;
    const bool moveFromLast = FHasPosition && FHaveFix;
    if (moveFromLast) geodesy::GeodesicInverse(FPosition, pos, step, bearing);
    const bool jump = moveFromLast && step > FGPS.MaxStepPerSecM * std::max(elapsed, 1.0);
    // A receiver without speed or course sentences: the move since the last fix.
    if (!sogCogValid && moveFromLast && !jump) {
        if (!NmeaKnown(sog)) sog = step / elapsed;
        if (!NmeaKnown(cog)) cog = bearing;
        sogCogValid = true;
    }
    if (!NmeaKnown(sog)) sog = 0.0;
    if (!NmeaKnown(cog)) cog = FState.VAbs.Angle;

    if (moveFromLast && !jump) {
        if (FGPS.PositionFilter) {
            pos.Lat = FPosition.Lat + FilterWeight * (pos.Lat - FPosition.Lat);
            pos.Lon = FPosition.Lon + FilterWeight * std::remainder(pos.Lon - FPosition.Lon, 2 * std::numbers::pi);
            geodesy::GeodesicInverse(FPosition, pos, step, bearing);
        }
        if (FGPS.SOGFilter && FCourseSpeedValid)
            sog = FState.VAbs.Length + FilterWeight * (sog - FState.VAbs.Length);
        if (FGPS.COGFilter && FCourseSpeedValid)
            cog = FState.VAbs.Angle + FilterWeight * std::remainder(cog - FState.VAbs.Angle, 2 * std::numbers::pi);
    }
    cog = Normalise(cog);

    const bool moved = !FHasPosition || pos.Lat != FPosition.Lat || pos.Lon != FPosition.Lon;
    const bool motionChanged = float(sog) != FState.VAbs.Length || float(cog) != FState.VAbs.Angle ||
                               sogCogValid != FCourseSpeedValid;
    double counted = 0.0;
    if (moveFromLast && !jump && sog >= FGPS.MinCountedSpeed) counted = step;

    FPosition = pos;
    FHasPosition = true;
    FHaveFix = true;
    FCourseSpeedValid = sogCogValid;
    FState.VAbs = TVector{float(sog), float(cog)};
    if (!FHeadingSensor || FSimulating) FState.Heading = float(cog);
    if (moved || motionChanged) flags |= NavBoat::ChangeCurrentValues | 0x4;
    if (counted > 0) {
        FDistance += counted;
        flags |= NavBoat::ChangeDistance;
    }

    UpdateMatch();
    if (FRoute) {
        TRouteFix fix;
        fix.Position = pos;
        fix.SpeedOverGround = sog;
        fix.CourseOverGround = cog;
        fix.CourseAndSpeedValid = sogCogValid;
        fix.NowUTC = now;
        fix.ElapsedSec = elapsed;
        FInRouteUpdate = true;
        FRoute->Update(fix, counted);
        FInRouteUpdate = false;
        // On a planned way the ship is on the section the plan sails, not on whichever
        // section happens to be nearest (a junction, a parallel canal).
        IWWSection *section = nullptr;
        double position = 0.0, off = 0.0;
        if (FRoute && FNetwork && FRoute->GetNetworkMatch(section, position, off) && off <= MatchLimitM)
            FMatch = TShipMatch{section, position, off};
    }
    RecordTrack(now);
}

void TNavBoat::RecordTrack(TDateTime now) {
    if (!FTrack) return;
    if (FTrackHasPoint) {
        // Paced by the receiver's clock. A clock that went back (the receiver's time taking
        // over from the computer's, a log played again) leaves the last point in its future:
        // the next point comes by distance alone and the pacing starts again from it, where
        // waiting for that time to come round would stop the recording.
        const double since = (now - FTrackLastTime) * SecondsPerDay;
        if (since >= 0.0 && since < FGPS.TrackIntervalSec - 1e-3) return;
        if (geodesy::GeodesicDistance(FTrackLast, FPosition) < FTrackDistanceM) return;
    }
    int32_t err = KvErr::Ok;
    FTrack->AddPoint(now, TGeoPoint3{FPosition.Lat, FPosition.Lon, 0.0}, err);
    if (err != KvErr::Ok) {
        qCWarning(LogBoat, "track point not recorded (%#x)", unsigned(err));
        return;
    }
    FTrackHasPoint = true;
    FTrackLast = FPosition;
    FTrackLastTime = now;
}

void TNavBoat::FillLogbookContext(TLogbookContext &out) {
    out = TLogbookContext();
    out.TimeUTC = FLastNow > 0 ? FLastNow : TimeEngine().NowUTC();
    out.HasPosition = FHasPosition;
    if (FHasPosition) out.Position = FPosition;
    out.CourseAndSpeedValid = CourseAndSpeedValid();
    out.CourseOverGround = FState.VAbs.Angle;
    out.SpeedOverGround = FState.VAbs.Length;
    out.Heading = FState.Heading;
    out.DistanceOverGround = FDistance;
    float routeDistance = 0.0f;
    if (FRoute && FRoute->GetRouteDistance(routeDistance)) out.RouteDistance = routeDistance;
    out.Simulated = IsSimulating();
}

void TNavBoat::SetLogbookRecording(bool on, bool store) {
    auto *logbook = dynamic_cast<TNavLogbook *>(FLogbook);
    if (!logbook) return;
    logbook->SetRecording(on);
    if (!store) return;
    int32_t err = KvErr::Ok;
    logbook->Save(this, 6, err);
    if (err != KvErr::Ok) qCWarning(LogBoat, "logbook not saved (%#x)", unsigned(err));
}

void TNavBoat::StartRouteNavigation(IWptPlanner *planner, IWptRoutePoint *fromPoint, bool, double dogRoute,
                                    TDateTime startTime, float pathWidth,
                                    TargetChangedProc targetChanged, void *targetChangedData,
                                    PointPassedProc pointPassed, void *pointPassedData,
                                    PointReachedProc pointReached, void *pointReachedData) {
    StopRouteNavigation();
    if (!fromPoint || !fromPoint->GetRoute()) return;
    FRouteEvents.TargetChanged = targetChanged;
    FRouteEvents.TargetChangedData = targetChangedData;
    FRouteEvents.PointPassed = pointPassed;
    FRouteEvents.PointPassedData = pointPassedData;
    FRouteEvents.PointReached = pointReached;
    FRouteEvents.PointReachedData = pointReachedData;
    FRouteEvents.RouteEnded = [this] { FRouteEndedPending = true; };
    FRoute = std::make_unique<TRouteNavigation>(fromPoint, std::isfinite(dogRoute) ? dogRoute : 0.0,
                                                startTime, pathWidth, FRouteEvents);
    TWptRouteDefaults defaults;
    _GetWptRouteDefaults(defaults);
    FRoute->SetSwitching(defaults.PointBiSector, defaults.PointRadius);
    FPlanner = planner;
    TRouteContext context;
    context.Planner = planner;
    context.BoatDef = FBoatDef;
    context.Replan = [this] { return ReplanRoute(); };
    FRoute->SetContext(std::move(context));
}

// Re-plans the followed route. The own ship's routes start again where the ship is: the
// default route from its place on the network, a go-to route from its position. The
// program's routes keep their points (they are the user's) and are planned anew.
IWptRoutePoint *TNavBoat::ReplanRoute() {
    IWptRoute *route = FRoute ? FRoute->GetRoute() : nullptr;
    if (!route) return nullptr;
    IWptRoutePoint *newTarget = nullptr;
    const TDateTime now = FLastNow > 0 ? FLastNow : TimeEngine().NowUTC();
    int32_t err = KvErr::Ok;
    if (route == FGotoRoute && FGotoIsDefault && FMatch.Section && FDefaultTargetSection) {
        while (route->GetPointCount() > 0) {
            route->DeletePoint(route->GetLastPoint(), err);
            if (err != KvErr::Ok) return nullptr;
        }
        route->AddNetworkPoint(FMatch.Section, FMatch.Position, 0, err);
        if (err == KvErr::Ok) newTarget = route->AddNetworkPoint(FDefaultTargetSection, FDefaultTargetPosition, 0, err);
        if (err != KvErr::Ok || !newTarget) {
            qCWarning(LogBoat, "default route not rebuilt (%#x)", unsigned(err));
            return route->GetLastPoint();
        }
        route->SetStartTime(now);
    } else if (route == FGotoRoute && FHasPosition && route->GetPointCount() > 1) {
        route->GetPoint(0)->SetPosition(FPosition, err);
        route->SetStartTime(now);
    }
    if (FPlanner) FPlanner->Calculate(FBoatDef, route, 0, false, false, false);
    return newTarget;
}

void TNavBoat::StopRouteNavigation() {
    if (FRoute) {
        if (FInRouteUpdate)
            FRetiredRoute = std::move(FRoute);
        else
            FRoute.reset();
    }
    FRouteEndedPending = false;
    DropGotoRoute();
}

void TNavBoat::DropGotoRoute() {
    if (!FGotoRoute) return;
    int32_t err = KvErr::Ok;
    IWptRoute *route = FGotoRoute;
    FGotoRoute = nullptr;
    FGotoIsDefault = false;
    FDefaultTargetSection = nullptr;
    route->DeleteFromDatabase(err);
}

void TNavBoat::GotoWaypoint(IWptWaypoint *wp, IWptPlanner *planner, float pathWidth) {
    if (!wp || !FWm || !wp->GetPosition()) return;
    StopRouteNavigation();
    if (!OwnDatabase()) return;
    const TDateTime now = FLastNow > 0 ? FLastNow : TimeEngine().NowUTC();
    IWptRoute *route = FGotoDatabase->NewRoute(now);
    if (!route) return;
    int32_t err = KvErr::Ok;
    if (FHasPosition) route->AddPointAtPosition(TRoutePosition{FPosition.Lat, FPosition.Lon, 0.0}, err);
    IWptRoutePoint *target = route->AddPointFromWaypoint(wp, 0, 1, err);
    if (!target || err != KvErr::Ok) {
        int32_t ignored = KvErr::Ok;
        route->DeleteFromDatabase(ignored);
        qCWarning(LogBoat, "go-to route not made (%#x)", unsigned(err));
        return;
    }
    const TRouteEvents events = FRouteEvents;
    StartRouteNavigation(planner, target, false, 0.0, now, pathWidth, events.TargetChanged,
                         events.TargetChangedData, events.PointPassed, events.PointPassedData,
                         events.PointReached, events.PointReachedData);
    FGotoRoute = route;
    FGotoIsDefault = false;
}

IWptDatabase *TNavBoat::OwnDatabase() {
    if (!FGotoDatabase && FWm) {
        static const char16_t name[] = u"Go to";
        FGotoDatabase = FWm->NewDatabase(TStrWRec{5, name});
    }
    return FGotoDatabase;
}

void TNavBoat::StartDefaultRoute(NavObject *node, double position, bool forward, IWptPlanner *planner,
                                 float pathWidth) {
    // The ship's section is where it stands now; the node is one of that section's ends.
    IWWSection *section = FMatch.Section;
    if (!section || !FHasPosition) {
        qCWarning(LogBoat, "default route not started: the ship is not on the waterway network");
        return;
    }
    auto *junction = dynamic_cast<IWWJunction *>(node);
    const double length = section->GetLength();
    double target = 0.0;
    if (junction && (junction == section->GetEndJunction() || junction == section->GetStartJunction()) &&
        std::isfinite(position))
        target = std::clamp(position, 0.0, length);
    else
        target = forward ? length : 0.0;  // a node of another section: the end ahead
    // Nothing ahead to follow (the ship is at the end already).
    if (std::fabs(target - FMatch.Position) < 1.0) return;
    StopRouteNavigation();
    if (!OwnDatabase()) return;
    const TDateTime now = FLastNow > 0 ? FLastNow : TimeEngine().NowUTC();
    IWptRoute *route = FGotoDatabase->NewRoute(now);
    if (!route) return;
    int32_t err = KvErr::Ok;
    route->AddNetworkPoint(section, FMatch.Position, 0, err);
    IWptRoutePoint *end = err == KvErr::Ok ? route->AddNetworkPoint(section, target, 0, err) : nullptr;
    if (!end || err != KvErr::Ok) {
        int32_t ignored = KvErr::Ok;
        route->DeleteFromDatabase(ignored);
        qCWarning(LogBoat, "default route not made (%#x)", unsigned(err));
        return;
    }
    // The ship leaves now by its own clock (the loop's), which is not the wall clock in a replay.
    route->SetStartTime(now);
    if (planner) planner->Calculate(FBoatDef, route, 0, false, false, false);
    const TRouteEvents events = FRouteEvents;
    StartRouteNavigation(planner, end, false, 0.0, now, pathWidth, events.TargetChanged,
                         events.TargetChangedData, events.PointPassed, events.PointPassedData,
                         events.PointReached, events.PointReachedData);
    FGotoRoute = route;
    FGotoIsDefault = true;
    if (auto *own = dynamic_cast<kv::wpt::TRoute *>(route)) own->SetDefaultRoute(true);
    FDefaultTargetSection = section;
    FDefaultTargetPosition = target;
}

}  // namespace

void NavBoatSetTrackRecording(INavBoat *boat, float intervalSec, float distanceM) {
    auto *b = dynamic_cast<TNavBoat *>(boat);
    if (!b) return;
    b->GetGPS()->SetTuning110(intervalSec);
    if (distanceM >= 0 && std::isfinite(distanceM)) b->SetTrackDistance(distanceM);
}

ILPBoatDef *NavBoatDefOf(INavBoat *boat) {
    auto *b = dynamic_cast<TNavBoat *>(boat);
    return b ? b->BoatDef() : nullptr;
}

bool NavRouteGetArrivalTimes(INavRouteNavigation *rn, TDateTime &atTargetUtc, TDateTime &atEndUtc) {
    auto *r = dynamic_cast<TRouteNavigation *>(rn);
    TDateTime t = 0.0, e = 0.0;
    if (!r || !r->GetTargetArrival(t) || !r->GetRouteArrival(e)) return false;
    atTargetUtc = t;
    atEndUtc = e;
    return true;
}

ILPBoatDef *NavBoatGetBoatDef(INavBoat *boat) {
    auto *own = dynamic_cast<TNavBoat *>(boat);
    return own ? own->BoatDef() : nullptr;
}

}  // namespace kv

INavBoat *NavBoatCreate(IWptManager *wm, ILPBoatDef *boatDef, INavMsgDeviceManager *devices,
                        int32_t, void *, int32_t, INavMessageDispatcher *, int32_t, int32_t,
                        int32_t, int32_t, NavStartedProc navStarted, void *navStartedData,
                        DeviceErrorProc deviceError, void *deviceErrorData,
                        GPSPortErrorProc gpsPortError, void *gpsPortErrorData,
                        NoPositionProc noPosition, void *noPositionData,
                        ErrorClearedProc errorCleared, void *errorClearedData,
                        BoatEventProc routeEnded, void *routeEndedData) {
    kv::TCallbacks cb;
    cb.NavStarted = navStarted;
    cb.NavStartedData = navStartedData;
    cb.DeviceError = deviceError;
    cb.DeviceErrorData = deviceErrorData;
    cb.GPSPortError = gpsPortError;
    cb.GPSPortErrorData = gpsPortErrorData;
    cb.NoPosition = noPosition;
    cb.NoPositionData = noPositionData;
    cb.ErrorCleared = errorCleared;
    cb.ErrorClearedData = errorClearedData;
    cb.RouteEnded = routeEnded;
    cb.RouteEndedData = routeEndedData;
    return new kv::TNavBoat(wm, boatDef, devices, cb);
}
