// Settings store: boat definitions, the own ship's last state, the followed route, the
// logbook, GPS and simulator switches, sounds and power.
//
// Free routines without state. Each fetches the settings registry (GetAppReg) for itself and
// works under the product root. Readers never fail: a missing, wrongly typed or out-of-range
// value gives the default named below. Writers ignore registry errors and write every value.
// GUI thread only, like the registry. Lengths in metres, speeds in m/s, angles in radians,
// times in seconds unless a name says otherwise.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class IGeodeticDefinition;
class ILPBoatDef;
class INavBoat;
class IWptRoutePoint;

// --- "Navigation" ---------------------------------------------------------------------------
// The null GUID when nothing is stored.
void RegReadActiveRouteGUID(TGUID &guid);
void RegWriteActiveRouteGUID(const TGUID &guid);
// Index of the active route point; 0 when nothing is stored, -1 when none was active.
int32_t RegReadActiveRoutePoint();
// nullptr stores -1.
void RegWriteActiveRoutePoint(IWptRoutePoint *point);
void RegReadSelectedRouteGUID(TGUID &guid);
void RegWriteSelectedRouteGUID(const TGUID &guid);
// Distances over ground in metres; 0.0 when nothing is stored.
double RegReadDOGRoute();
void RegWriteDOGRoute(double metres);
double RegReadDOGTotal();
void RegWriteDOGTotal(double metres);
// UTC; 0.0 when nothing is stored.
TDateTime RegReadRouteStartTime();
void RegWriteRouteStartTime(TDateTime utc);

// --- "Logbook", "GPS", "Simulator", "Sounds", "Power" ---------------------------------------
// The file of the open logbook; empty when none.
void RegReadActiveLogbook(QString &file);
void RegWriteActiveLogbook(const QString &file);
bool RegReadActiveLogbookStarted();
void RegWriteActiveLogbookStarted(bool started);
// The datum of the receiver's positions ("GPS\Datum"); the default datum when nothing, or a
// code this version does not know, is stored. The object stays the geodetic registry's.
IGeodeticDefinition *RegReadGPSDatum();
bool RegReadGPSCommunicationOpen();
void RegWriteGPSCommunicationOpen(bool open);
bool RegReadSimulatorCommunicationOpen();
void RegWriteSimulatorCommunicationOpen(bool open);
// Smallest turning radius of the simulator, metres; 10.0 when nothing is stored.
float RegReadSimulatorRadiusMin();
void RegWriteSimulatorRadiusMin(double metres);
// Top speed of the simulator (m/s); def when nothing is stored.
double RegReadSimulatorSpeedMax(double def);
void RegWriteSimulatorSpeedMax(double speed);
// True when nothing is stored.
bool RegReadSoundEnabled();
void RegWriteSoundEnabled(bool enabled);
// Slow loop interval in seconds and position interpolation. The reader leaves an out value
// unchanged when it is not stored, so the caller's current values act as defaults.
void RegReadPowerSettings(double &slowInterval, bool &interpolation);
void RegWritePowerSettings(double slowInterval, bool interpolation);

// --- "Boat" -----------------------------------------------------------------------------------
// Curves hold 2 to 16 points; a stored curve outside that range, or one whose binary is not
// exactly count × 8 bytes, is replaced by the built-in curve on reading.
inline constexpr int32_t BoatCurveMinPoints = 2;
inline constexpr int32_t BoatCurveMaxPoints = 16;
// The built-in consumption curves: speed (m/s) against energy per second (electric) or m³/s
// of fuel (6, 9 and 12.5 km/h at 1.5, 3 and 6.2 l/h).
extern const std::array<TFloat2, 4> BoatBuiltInElectricCurve;
extern const std::array<TFloat2, 4> BoatBuiltInFuelCurve;

// "Boat" for number 0 and below, else "Boat\<number>".
QString RegBoatKey(int32_t number);
// Reads boat profile `number` into def (not owned); every value missing from the store gets
// the built-in default.
void RegReadBoat(ILPBoatDef *def, int32_t number);
// Writes def (not owned) as boat profile `number`.
void RegWriteBoat(ILPBoatDef *def, int32_t number);

// The own ship's last position and motion state, always under "Boat". A stored position
// outside the earth's range (including the "none" marker -9999) leaves the ship's position
// as it is. boat is not owned.
void RegReadBoatState(INavBoat *boat);
void RegWriteBoatState(INavBoat *boat);
// Stored latitude and longitude when the ship has no position.
inline constexpr double BoatNoStoredPosition = -9999.0;
