// Measurement units, angles, dates and time.
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"

// Unit codes. The high half names the quantity, the low half the unit within it; only
// codes of one quantity convert into each other. Codes with bit 15 set are decimal
// multiples of the quantity's base unit, whose code ends in $800B: the low nibble is
// the power of ten plus $B ($68008 mm … $6800B m … $6800E km). Codes without bit 15 are
// other units of the quantity. Settings store these numbers, so they never change.
namespace KvUnit {
inline constexpr int32_t Quantity(int32_t unit) { return unit >> 16; }
inline constexpr bool IsBase(int32_t unit) { return (unit & 0xFFFF) == 0x800B; }

inline constexpr int32_t QuantityAngle = 0x3;
inline constexpr int32_t QuantityLength = 0x6;
inline constexpr int32_t QuantitySpeed = 0x7;
inline constexpr int32_t QuantityVolume = 0xA;
inline constexpr int32_t QuantityFuelFlow = 0xB;
inline constexpr int32_t QuantityMass = 0xC;
inline constexpr int32_t QuantityAirPressure = 0xF;
inline constexpr int32_t QuantityPower = 0x10;
inline constexpr int32_t QuantityEnergy = 0x11;
inline constexpr int32_t QuantityTemperature = 0x12;

// Length (depths, distances, ship dimensions).
inline constexpr int32_t Millimetre = 0x68008;
inline constexpr int32_t Centimetre = 0x68009;
inline constexpr int32_t Decimetre = 0x6800A;
inline constexpr int32_t Metre = 0x6800B;
inline constexpr int32_t Kilometre = 0x6800E;
inline constexpr int32_t Inch = 0x60001;
inline constexpr int32_t Foot = 0x60002;
inline constexpr int32_t Yard = 0x60003;
inline constexpr int32_t Fathom = 0x60004;
inline constexpr int32_t StatuteMile = 0x60005;
inline constexpr int32_t NauticalMile = 0x60006;
// Speed.
inline constexpr int32_t MetrePerSecond = 0x7800B;
inline constexpr int32_t KilometrePerHour = 0x70000;
inline constexpr int32_t MilePerHour = 0x70003;
inline constexpr int32_t Knot = 0x70004;
inline constexpr int32_t Beaufort = 0x70005;  // wind force: whole numbers, not linear
// Volume.
inline constexpr int32_t CubicMetre = 0xA800B;
inline constexpr int32_t Litre = 0xA0003;
inline constexpr int32_t USGallon = 0xA000C;
// Fuel flow. Boat consumption curves hold base values.
inline constexpr int32_t CubicMetrePerSecond = 0xB800B;
inline constexpr int32_t USGallonPerHour = 0xB000B;  // goes with USGallon volumes
inline constexpr int32_t LitrePerHour = 0xB0002;     // goes with every other volume unit
// Mass.
inline constexpr int32_t Kilogram = 0xC800E;
inline constexpr int32_t Tonne = 0xC0000;  // text " t" (with its blank)
// Air pressure.
inline constexpr int32_t Pascal = 0xF800B;
inline constexpr int32_t Hectopascal = 0xF800D;
// Angle.
inline constexpr int32_t Radian = 0x3800B;
inline constexpr int32_t Degree = 0x30000;
// Energy. Route totals of electric boats are base values shown in kilojoules.
inline constexpr int32_t Joule = 0x11800B;
inline constexpr int32_t Kilojoule = 0x11800E;
// Electric consumption at a speed: the curve's watts / 1000 × 3600. Only its text is used.
inline constexpr int32_t KilojoulePerHour = 0x100000;
// Temperature (not proportional: UnitConvert applies the offset).
inline constexpr int32_t Celsius = 0x120000;
inline constexpr int32_t Fahrenheit = 0x120001;
}  // namespace KvUnit

// Position formats of _AngleToStr1 and GetDefAngleDecimals.
namespace KvAngleFormat {
inline constexpr int32_t Degrees = 0;                // 52.37500°
inline constexpr int32_t DegreesMinutes = 1;         // 52°22.500'
inline constexpr int32_t DegreesMinutesSeconds = 2;  // 52°22'30.0"
inline constexpr int32_t Count = 3;                  // entries of GetDefAngleDecimals
}  // namespace KvAngleFormat

// What an angle text stands for (the kind argument of the angle routines).
namespace KvAngleKind {
inline constexpr int32_t Latitude = 1;
inline constexpr int32_t Longitude = 2;
}  // namespace KvAngleKind

// Time zones as the program shows times. From GetTimeZones; process-wide, owned by the
// library, fetched once at start and never released.
class KVLIB_API ITimeZones : public NavObject {
public:
    // Minutes, local − UTC, as times are displayed: the user's offset, or the computer's
    // current one (with daylight saving) while GetUTCOffsetSync is true.
    virtual int32_t GetUTCOffset() = 0;                                             // slot 5 (assumed)
    // True: the offset follows the computer's clock.
    virtual bool GetUTCOffsetSync() = 0;                                            // slot 6
    // Re-reads the system time zone; called when the system reports a time change.
    virtual void Refresh() = 0;                                                     // slot 8
    virtual TDateTime GetNowUTC() = 0;                                              // slot —
};

// The clock of the instrument layer. From NavMsgGetGPSClock; process-wide, owned by the
// library, never released. Runs on the system clock, corrected by GPS time while a
// receiver delivers it. The user's UTC offset kept here is what the program adds to UTC
// times for display.
class KVLIB_API INavMsgGPSClock : public NavObject {
public:
    // Current date and time, UTC: route start times, creation time of imported routes.
    virtual TDateTime GetDateTimeUTC() = 0;                                         // slot 4 ≡ GetTime
    // The user's offset in minutes, local − UTC (the computer's while sync is on).
    virtual int32_t GetUTCOffset() = 0;                                             // slot 5 ≡ GetTimeOffset
    // The computer's current offset in minutes, daylight saving included.
    virtual int32_t GetComputerUTCOffset() = 0;                                     // slot 7
    // minutes −720..720 (the caller clamps).
    virtual void SetUTCOffset(int32_t minutes) = 0;                                 // slot 11
    // True: the offset follows the computer's from now on.
    virtual void SetUTCOffsetSync(bool sync) = 0;                                   // slot 12
    // Takes the computer's current offset as the user's (when none is stored yet).
    virtual void UseComputerUTCOffset() = 0;                                        // slot 15
};

// value in fromUnit converted to toUnit; both of one quantity (else value unchanged).
KVLIB_API double UnitConvert(double value, int32_t fromUnit, int32_t toUnit);
// Formats a distance in metres with largeUnit or smallUnit, whichever suits its size
// (pass smallUnit twice to force it). valueOut gets the number, unitOut the unit text;
// returns the unit code chosen.
KVLIB_API int32_t FormatDistance(double metres, int32_t largeUnit, int32_t smallUnit,
                                 IStrW *valueOut, IStrW *unitOut);
// Display text of a unit code ("m", "kn", "NM", "km", "°C", " t"); empty for unknown codes.
KVLIB_API void _UnitToStr(IStrW *out, int32_t unit);
// Weekday names in the interface language, day 1 = Monday .. 7 = Sunday.
KVLIB_API void _DayToStr(IStrW *out, int32_t day);
KVLIB_API void _DayToStrShort(IStrW *out, int32_t day);
// Month names in the interface language, 1..12.
KVLIB_API void _MonthToStr(IStrW *out, int32_t month);
// Text of a set of weekdays (operating days: "Mon-Fri", "Sat, Sun") in language 1..8.
// flags is the set of IWWDaySchedule::GetWeekDays: bit d for weekday d (1 = Monday ..
// 7 = Sunday); bit 0 is ignored. Callers pass style 1.
KVLIB_API void _WeekDayFlagsToStr(IStrW *out, uint32_t flags, int32_t language, int32_t style);
// Formats a date-time with the interface language's names and the user's date and time
// order. Tokens: d dd ddd dddd, ddddd (short date), dddddd (long date), m mm mmm mmmm,
// yy, yyy or more (four digits), h hh, n nn (minutes), s ss, t (short time), tt (long
// time); m or mm right after h or hh means minutes. Other characters are copied.
// Callers pass flags 1.
KVLIB_API void _FormatDateTime(IStrW *out, const TStrWRec &format, TDateTime value,
                               int32_t flags);
// Local time → UTC with the user's offset (INavMsgGPSClock) and daylight saving.
KVLIB_API TDateTime GetDateTimeUTC(TDateTime local);
// UTC → local, the inverse of GetDateTimeUTC.
KVLIB_API TDateTime GetLocalDateTime(TDateTime utc);
// Latitude or longitude text in a position format (KvAngleFormat) from radians, with
// posLetter / negLetter for the hemisphere ("N"/"S", "E"/"W" in the interface language).
// kind is a KvAngleKind; callers pass value 1.
KVLIB_API void _AngleToStr1(IStrW *out, double angleRad, int32_t decimals, char16_t posLetter,
                            char16_t negLetter, int32_t format, int32_t kind, int32_t value);
// Course or bearing text with degree sign from radians; callers pass format 0 (or the
// panel's), precision 3 or 2 and value 1.
KVLIB_API void _AngleToStr2(IStrW *out, double angleRad, int32_t format, int32_t precision,
                            int32_t value);
// Parses a latitude or longitude in any position format; radians, or def when the text
// is no angle (or out of range for kind).
KVLIB_API double StrToAngleDef(const TStrWRec &text, double def, char16_t pos, char16_t neg,
                               int32_t kind, int32_t value);
// As StrToAngleDef; false, with angleRad untouched, when the text is no angle.
KVLIB_API bool StrToAngleTry(double &angleRad, const TStrWRec &text, char16_t pos,
                             char16_t neg, int32_t kind, int32_t value);
// Default decimals per position format: KvAngleFormat::Count entries, indexed by format.
// Owned by the library, valid for the run.
KVLIB_API const int32_t *GetDefAngleDecimals();
// Radians into [0, 2π).
KVLIB_API float ReduceAngle0F(float a);
// Radians into (−π, π].
KVLIB_API float ReduceAngleF(float a);
KVLIB_API double ReduceAngleD(double a);

KVLIB_API ITimeZones *GetTimeZones();
KVLIB_API INavMsgGPSClock *NavMsgGetGPSClock();
