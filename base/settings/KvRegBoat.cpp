#include "base/settings/KvRegBoat.h"

#include "base/kvlib/KvStrings.h"
#include "base/geodesy/KvGeodetic.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <cmath>
#include <numbers>

namespace {

constexpr int32_t Root = AppRegRoot::Product;

const QString KeyNavigation = QStringLiteral("Navigation");
const QString KeyLogbook = QStringLiteral("Logbook");
const QString KeyGPS = QStringLiteral("GPS");
const QString KeySimulator = QStringLiteral("Simulator");
const QString KeySounds = QStringLiteral("Sounds");
const QString KeyPower = QStringLiteral("Power");
const QString KeyBoat = QStringLiteral("Boat");

// Writers of the store ignore registry errors (each passes an error it never looks at): a
// setting that cannot be stored is lost at the next start, and nothing the user could do in
// between would help.

float ReadSingle(const QString &key, const ValueName &name, float def) {
    return RegReadSingleDef(GetAppReg(), Root, key, name, def);
}
double ReadDouble(const QString &key, const ValueName &name, double def) {
    return RegReadDoubleDef(GetAppReg(), Root, key, name, def);
}
int32_t ReadInteger(const QString &key, const ValueName &name, int32_t def) {
    return RegReadIntegerDef(GetAppReg(), Root, key, name, def);
}
bool ReadBool(const QString &key, const ValueName &name, bool def) {
    return RegReadBoolDef(GetAppReg(), Root, key, name, def);
}
void WriteSingle(const QString &key, const ValueName &name, float value) {
    int32_t e = 0;
    RegWriteSingle(GetAppReg(), Root, key, name, value, e);
}
void WriteDouble(const QString &key, const ValueName &name, double value) {
    int32_t e = 0;
    RegWriteDouble(GetAppReg(), Root, key, name, value, e);
}
void WriteInteger(const QString &key, const ValueName &name, int32_t value) {
    int32_t e = 0;
    RegWriteInteger(GetAppReg(), Root, key, name, value, e);
}
void WriteBool(const QString &key, const ValueName &name, bool value) {
    int32_t e = 0;
    RegWriteBool(GetAppReg(), Root, key, name, value, e);
}

// A stored curve, or an empty vector when the count is outside 2..16 or the binary is
// missing or of another size.
std::vector<TFloat2> ReadStoredCurve(const QString &key, const ValueName &countName,
                                     const ValueName &pointsName) {
    const int32_t count = ReadInteger(key, countName, 0);
    if (count < BoatCurveMinPoints || count > BoatCurveMaxPoints) return {};
    std::vector<TFloat2> points(static_cast<size_t>(count));
    static_assert(sizeof(TFloat2) == 8);
    int32_t error = 0;
    RegReadBinary(GetAppReg(), Root, key, pointsName, points.data(),
                  count * int32_t(sizeof(TFloat2)), error);
    if (error != 0) return {};
    for (const TFloat2 &p : points)
        if (!std::isfinite(p.X) || !std::isfinite(p.Y)) return {};
    return points;
}

void ReadCurve(ILPBoatDefCurve *curve, const QString &key, const ValueName &countName,
               const ValueName &pointsName, const std::array<TFloat2, 4> &builtIn) {
    if (!curve) return;
    const std::vector<TFloat2> stored = ReadStoredCurve(key, countName, pointsName);
    if (stored.empty())
        curve->SetPoints(int32_t(builtIn.size()), builtIn.data());
    else
        curve->SetPoints(int32_t(stored.size()), stored.data());
}

void WriteCurve(ILPBoatDefCurve *curve, const QString &key, const ValueName &countName,
                const ValueName &pointsName) {
    std::vector<TFloat2> points;
    const int32_t count = curve ? curve->GetCount() : 0;
    for (int32_t i = 0; i < count; ++i) points.push_back(curve->GetPoint(i));
    WriteInteger(key, countName, int32_t(points.size()));
    int32_t e = 0;
    RegWriteBinary(GetAppReg(), Root, key, pointsName, points.data(),
                   int32_t(points.size() * sizeof(TFloat2)), e);
}

// Stored forms of the enumerations: only the listed values survive, anything else is the
// fallback, in both directions.
int32_t BoatTypeFromStored(int32_t stored) {
    return stored == LPBoatDef::KindRacing || stored == LPBoatDef::KindCruising
               ? stored
               : LPBoatDef::KindPower;
}
int32_t InputModeCurrentFromStored(int32_t stored) {
    return stored == 1 || stored == 2 ? stored : 0;
}

}  // namespace

// --- "Navigation" ---------------------------------------------------------------------------

void RegReadActiveRouteGUID(TGUID &guid) {
    RegReadGUIDDef(GetAppReg(), Root, KeyNavigation, RegName(u"ActiveRouteGUID"), TGUID{}, guid);
}

void RegWriteActiveRouteGUID(const TGUID &guid) {
    int32_t e = 0;
    RegWriteGUID(GetAppReg(), Root, KeyNavigation, RegName(u"ActiveRouteGUID"), guid, e);
}

int32_t RegReadActiveRoutePoint() {
    return ReadInteger(KeyNavigation, RegName(u"ActiveRoutePoint"), 0);
}

void RegWriteActiveRoutePoint(IWptRoutePoint *point) {
    WriteInteger(KeyNavigation, RegName(u"ActiveRoutePoint"), point ? point->GetIndex() : -1);
}

void RegReadSelectedRouteGUID(TGUID &guid) {
    RegReadGUIDDef(GetAppReg(), Root, KeyNavigation, RegName(u"SelectedRouteGUID"), TGUID{},
                   guid);
}

void RegWriteSelectedRouteGUID(const TGUID &guid) {
    int32_t e = 0;
    RegWriteGUID(GetAppReg(), Root, KeyNavigation, RegName(u"SelectedRouteGUID"), guid, e);
}

double RegReadDOGRoute() { return ReadDouble(KeyNavigation, RegName(u"DOGRoute"), 0.0); }
void RegWriteDOGRoute(double metres) { WriteDouble(KeyNavigation, RegName(u"DOGRoute"), metres); }
double RegReadDOGTotal() { return ReadDouble(KeyNavigation, RegName(u"DOGTotal"), 0.0); }
void RegWriteDOGTotal(double metres) { WriteDouble(KeyNavigation, RegName(u"DOGTotal"), metres); }

TDateTime RegReadRouteStartTime() {
    return RegReadDateTimeDef(GetAppReg(), Root, KeyNavigation, RegName(u"RouteStartTime"), 0.0);
}

void RegWriteRouteStartTime(TDateTime utc) {
    int32_t e = 0;
    RegWriteDateTime(GetAppReg(), Root, KeyNavigation, RegName(u"RouteStartTime"), utc, e);
}

// --- "Logbook", "GPS", "Simulator", "Sounds", "Power" ---------------------------------------

void RegReadActiveLogbook(QString &file) {
    RegReadStringDef(GetAppReg(), Root, KeyLogbook, RegName(u"ActiveLogbook"), QString(), file);
}

void RegWriteActiveLogbook(const QString &file) {
    int32_t e = 0;
    RegWriteString(GetAppReg(), Root, KeyLogbook, RegName(u"ActiveLogbook"), file, e);
}

bool RegReadActiveLogbookStarted() {
    return ReadBool(KeyLogbook, RegName(u"ActiveLogbookStarted"), false);
}
void RegWriteActiveLogbookStarted(bool started) {
    WriteBool(KeyLogbook, RegName(u"ActiveLogbookStarted"), started);
}

IGeodeticDefinition *RegReadGPSDatum() {
    QString code;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, KeyGPS, RegName(u"Datum"), GeodeticDefaultDatumCode, code);
    int32_t err = 0;
    IGeodeticDefinition *datum = GeodeticFindByCode(GeodeticRegistry(), code, GeodeticKind::Datum, err);
    // An unknown code (another version's table, a damaged store) is not worth a message.
    return err == 0 && datum ? datum : GeodeticGlobals().DefaultDatum;
}

bool RegReadGPSCommunicationOpen() {
    return ReadBool(KeyGPS, RegName(u"CommunicationOpen"), false);
}
void RegWriteGPSCommunicationOpen(bool open) {
    WriteBool(KeyGPS, RegName(u"CommunicationOpen"), open);
}

bool RegReadSimulatorCommunicationOpen() {
    return ReadBool(KeySimulator, RegName(u"CommunicationOpen"), false);
}
void RegWriteSimulatorCommunicationOpen(bool open) {
    WriteBool(KeySimulator, RegName(u"CommunicationOpen"), open);
}

float RegReadSimulatorRadiusMin() {
    return float(ReadDouble(KeySimulator, RegName(u"RadiusMin"), 10.0));
}
void RegWriteSimulatorRadiusMin(double metres) {
    WriteDouble(KeySimulator, RegName(u"RadiusMin"), metres);
}
double RegReadSimulatorSpeedMax(double def) {
    return ReadDouble(KeySimulator, RegName(u"SpeedMax"), def);
}
void RegWriteSimulatorSpeedMax(double speed) {
    WriteDouble(KeySimulator, RegName(u"SpeedMax"), speed);
}

bool RegReadSoundEnabled() { return ReadBool(KeySounds, RegName(u"SoundEnabled"), true); }
void RegWriteSoundEnabled(bool enabled) { WriteBool(KeySounds, RegName(u"SoundEnabled"), enabled); }

void RegReadPowerSettings(double &slowInterval, bool &interpolation) {
    slowInterval = ReadDouble(KeyPower, RegName(u"SlowInterval"), slowInterval);
    interpolation = ReadBool(KeyPower, RegName(u"Interpolation"), interpolation);
}

void RegWritePowerSettings(double slowInterval, bool interpolation) {
    WriteDouble(KeyPower, RegName(u"SlowInterval"), slowInterval);
    WriteBool(KeyPower, RegName(u"Interpolation"), interpolation);
}

// --- "Boat" -----------------------------------------------------------------------------------

const std::array<TFloat2, 4> BoatBuiltInElectricCurve = {
    TFloat2{0.0f, 0.0f}, TFloat2{1.6666666f, 0.6944444f}, TFloat2{2.5f, 1.3888888f},
    TFloat2{3.4722223f, 2.7777777f}};
const std::array<TFloat2, 4> BoatBuiltInFuelCurve = {
    TFloat2{0.0f, 0.0f}, TFloat2{1.6666666f, 4.1666667e-7f}, TFloat2{2.5f, 8.3333333e-7f},
    TFloat2{3.4722223f, 1.7222222e-6f}};

QString RegBoatKey(int32_t number) {
    return number <= 0 ? KeyBoat : KeyBoat + QLatin1Char('\\') + QString::number(number);
}

void RegReadBoat(ILPBoatDef *def, int32_t number) {
    if (!def) return;
    const QString key = RegBoatKey(number);
    def->SetBoatType(BoatTypeFromStored(ReadInteger(key, RegName(u"BoatType"), 0)));
    def->SetMMSI(ReadInteger(key, RegName(u"MMSI"), 0));
    def->SetLoaded(ReadBool(key, RegName(u"Loaded"), false));
    def->SetDisplacement(ReadInteger(key, RegName(u"Displacement"), 0));
    QString name;
    RegReadStringDef(GetAppReg(), Root, key, RegName(u"DefName"), QStringLiteral("Default"), name);
    def->SetName(StrW(name));
    def->SetCommercial(ReadBool(key, RegName(u"Commercial"), false));
    def->SetDraught(ReadSingle(key, RegName(u"Draught"), 0.8f));
    def->SetMinDepthTolerance(ReadSingle(key, RegName(u"MinDepthTolerance"), 0.2f));
    def->SetValue45(1);
    def->SetElectric(ReadBool(key, RegName(u"Electric"), false));
    ReadCurve(def->GetElectricCurve(), key, RegName(u"ElectricCurveValueCount"),
              RegName(u"ElectricCurve"), BoatBuiltInElectricCurve);
    ReadCurve(def->GetFuelCurve(), key, RegName(u"FuelCurveValueCount"), RegName(u"FuelCurve"),
              BoatBuiltInFuelCurve);
    const float safeMargin = ReadSingle(key, RegName(u"HeightSafeMargin"), 0.0f);
    const float unstepped = ReadSingle(key, RegName(u"HeightUnstepped"), 1.5f);
    const float stepped = ReadSingle(key, RegName(u"HeightStepped"), 2.5f);
    def->SetHeights(stepped, unstepped, safeMargin);
    def->SetValue51(0);
    def->SetMotorLowSOG(ReadSingle(key, RegName(u"MotorLowSOG"), 1.0f));
    def->SetPolarGUID(TGUID{});
    def->SetTimeUnstepStep(ReadInteger(key, RegName(u"TimeUnstepStep"), 600));
    const float high = ReadSingle(key, RegName(u"VHigh"), 3.4722223f);
    const float cruise = ReadSingle(key, RegName(u"VCruise"), 2.5f);
    const float low = ReadSingle(key, RegName(u"VLow"), 1.6666666f);
    def->SetSpeeds(low, cruise, high);
    def->SetReductionFuel(0.0f);
    def->SetReductionSpeed(0.0f);
    def->SetReductionEnergy(0.0f);
    TFloat2 gps;
    gps.X = ReadSingle(key, RegName(u"GPSPosX"), 5.0f);
    gps.Y = ReadSingle(key, RegName(u"GPSPosY"), 0.0f);
    const float width = ReadSingle(key, RegName(u"Width"), 3.0f);
    const float length = ReadSingle(key, RegName(u"Length"), 10.0f);
    def->SetDimensions(length, width, gps);
    def->SetValue47(0);
}

void RegWriteBoat(ILPBoatDef *def, int32_t number) {
    if (!def) return;
    const QString key = RegBoatKey(number);
    WriteInteger(key, RegName(u"BoatType"), BoatTypeFromStored(def->GetKind()));
    {
        int32_t e = 0;
        RegWriteString(GetAppReg(), Root, key, RegName(u"DefName"), StrWToWide(def->GetName()),
                       e);
    }
    WriteBool(key, RegName(u"Commercial"), def->GetCommercial());
    WriteBool(key, RegName(u"Loaded"), def->GetLoaded());
    WriteInteger(key, RegName(u"Displacement"), def->GetDisplacement());
    WriteSingle(key, RegName(u"Draught"), def->GetDraught());
    WriteSingle(key, RegName(u"MinDepthTolerance"), def->GetMinDepthTolerance());
    WriteBool(key, RegName(u"Electric"), def->GetElectric());
    WriteCurve(def->GetElectricCurve(), key, RegName(u"ElectricCurveValueCount"),
               RegName(u"ElectricCurve"));
    WriteCurve(def->GetFuelCurve(), key, RegName(u"FuelCurveValueCount"), RegName(u"FuelCurve"));
    WriteSingle(key, RegName(u"HeightStepped"), def->GetHeightStepped());
    WriteSingle(key, RegName(u"HeightUnstepped"), def->GetHeightUnstepped());
    WriteSingle(key, RegName(u"HeightSafeMargin"), def->GetHeightSafeMargin());
    WriteInteger(key, RegName(u"MMSI"), def->GetMMSI());
    WriteSingle(key, RegName(u"MotorLowSOG"), def->GetMotorLowSOG());
    WriteInteger(key, RegName(u"TimeUnstepStep"), def->GetTimeUnstepStep());
    WriteSingle(key, RegName(u"VLow"), def->GetVLow());
    WriteSingle(key, RegName(u"VCruise"), def->GetVCruise());
    WriteSingle(key, RegName(u"VHigh"), def->GetVHigh());
    // The reader resets the reductions and the polar diagram, so what is stored is that.
    WriteSingle(key, RegName(u"ReductionSpeed"), 0.0f);
    WriteSingle(key, RegName(u"ReductionEnergy"), 0.0f);
    WriteSingle(key, RegName(u"ReductionFuel"), 0.0f);
    {
        int32_t e = 0;
        RegWriteGUID(GetAppReg(), Root, key, RegName(u"DefaultPolarGUID"), TGUID{}, e);
    }
    WriteSingle(key, RegName(u"Length"), def->GetLength());
    WriteSingle(key, RegName(u"Width"), def->GetWidth());
    const TFloat2 *gps = def->GetGPSPosition();
    WriteSingle(key, RegName(u"GPSPosX"), gps ? gps->X : 0.0f);
    WriteSingle(key, RegName(u"GPSPosY"), gps ? gps->Y : 0.0f);
    WriteSingle(key, RegName(u"PosDrag"), def->GetPosDrag());
}

namespace {

TVector ReadVector(const ValueName &lengthName, const ValueName &angleName, double lengthDef,
                   double angleDef) {
    TVector v;
    v.Length = float(ReadDouble(KeyBoat, lengthName, lengthDef));
    v.Angle = float(ReadDouble(KeyBoat, angleName, angleDef));
    return v;
}

void WriteVector(const ValueName &lengthName, const ValueName &angleName, const TVector &v) {
    WriteDouble(KeyBoat, lengthName, v.Length);
    WriteDouble(KeyBoat, angleName, v.Angle);
}

// A Boolean that is applied only when it is stored, so that a first start keeps the
// library's own default.
template <class Apply>
void ApplyStoredBool(const ValueName &name, Apply apply) {
    int32_t error = 0;
    const bool value = RegReadBool(GetAppReg(), Root, KeyBoat, name, error);
    if (error == 0) apply(value);
}

}  // namespace

void RegReadBoatState(INavBoat *boat) {
    if (!boat) return;
    TGeoPoint position;
    position.Lat = ReadDouble(KeyBoat, RegName(u"LastLat"), BoatNoStoredPosition);
    position.Lon = ReadDouble(KeyBoat, RegName(u"LastLong"), BoatNoStoredPosition);
    // NaN fails both comparisons and is ignored like any other position off the earth.
    if (std::abs(position.Lat) <= std::numbers::pi / 2 && std::abs(position.Lon) <= 2 * std::numbers::pi)
        boat->SetPosition(position);

    if (INavBoatState *state = boat->GetState()) {
        const TVector vAbs = ReadVector(RegName(u"LastVAbs L"), RegName(u"LastVAbs A"), 0.0, 0.0);
        const TVector current =
            ReadVector(RegName(u"LastCurrent L"), RegName(u"LastCurrent A"), 0.0, 0.0);
        const TVector windAbs =
            ReadVector(RegName(u"LastWindAbs L"), RegName(u"LastWindAbs A"),
                       UnitConvert(10.0, KvUnit::Knot, KvUnit::MetrePerSecond), 0.0);
        const TVector windRel =
            ReadVector(RegName(u"LastWindRelHDG L"), RegName(u"LastWindRelHDG A"), 0.0, 0.0);
        const float heading = float(ReadDouble(KeyBoat, RegName(u"LastHDGTrue"), 0.0));
        const float run = float(ReadDouble(KeyBoat, RegName(u"LastRun"), 0.0));
        const float cwd = float(ReadDouble(KeyBoat, RegName(u"LastCWD"), 0.0));
        state->SetState(&vAbs, &current, &windAbs, &windRel, heading, run, cwd, true, true, 8);
        state->SetPortTack(ReadVector(RegName(u"TackRadiusP"), RegName(u"TackAngleP"), 2500.0,
                                      std::numbers::pi / 4));
        state->SetStarboardTack(ReadVector(RegName(u"TackRadiusS"), RegName(u"TackAngleS"),
                                           2500.0, std::numbers::pi / 4));
        ApplyStoredBool(RegName(u"ZeroCurrent"), [state](bool v) { state->SetZeroCurrent(v); });
        ApplyStoredBool(RegName(u"ZeroDrift"), [state](bool v) { state->SetZeroDrift(v); });
    }

    boat->SetInputModeCurrent(
        InputModeCurrentFromStored(ReadInteger(KeyBoat, RegName(u"InputModeCurrent"), 0)));
    boat->SetInputModeWind(ReadInteger(KeyBoat, RegName(u"InputModeWind"), 1) == 1);
}

// The true heading comes from the logbook context, the one place the ship hands it out.
void RegWriteBoatState(INavBoat *boat) {
    if (!boat) return;
    TGeoPoint position;
    if (!boat->GetPosition(position)) {
        position.Lat = BoatNoStoredPosition;
        position.Lon = BoatNoStoredPosition;
    }
    WriteDouble(KeyBoat, RegName(u"LastLat"), position.Lat);
    WriteDouble(KeyBoat, RegName(u"LastLong"), position.Lon);
    if (INavBoatState *state = boat->GetState()) {
        WriteDouble(KeyBoat, RegName(u"LastVAbs L"), state->GetVAbsLength());
        WriteDouble(KeyBoat, RegName(u"LastVAbs A"), state->GetVAbsAngle());
        WriteVector(RegName(u"LastCurrent L"), RegName(u"LastCurrent A"), state->GetCurrent());
        WriteVector(RegName(u"LastWindAbs L"), RegName(u"LastWindAbs A"), state->GetWindAbs());
        WriteVector(RegName(u"LastWindRelHDG L"), RegName(u"LastWindRelHDG A"),
                    state->GetWindRel());
        TLogbookContext context;
        boat->FillLogbookContext(context);
        WriteDouble(KeyBoat, RegName(u"LastHDGTrue"), context.Heading);
        WriteDouble(KeyBoat, RegName(u"LastRun"), state->GetRun());
        WriteDouble(KeyBoat, RegName(u"LastCWD"), state->GetCWD());
        WriteVector(RegName(u"TackRadiusP"), RegName(u"TackAngleP"), state->GetPortTack());
        WriteVector(RegName(u"TackRadiusS"), RegName(u"TackAngleS"), state->GetStarboardTack());
        WriteBool(KeyBoat, RegName(u"ZeroCurrent"), state->GetZeroCurrent());
        WriteBool(KeyBoat, RegName(u"ZeroDrift"), state->GetZeroDrift());
        WriteInteger(KeyBoat, RegName(u"EnabledDevices"), state->GetEnabledDevices());
    }
    WriteInteger(KeyBoat, RegName(u"InputModeWind"), boat->GetInputModeWind() == 1 ? 1 : 0);
    WriteInteger(KeyBoat, RegName(u"InputModeCurrent"),
                 InputModeCurrentFromStored(boat->GetInputModeCurrent()));
}
