// Boat profiles, the own ship's state and the single navigation values against the real
// settings store.
#include "SettingsDoubles.h"

#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"

#include <KvLibNav6/KvUnits.h>

#include <cmath>
#include <functional>
#include <numbers>

using namespace settingstest;
using ::testing::_;
using ::testing::NiceMock;
using ::testing::Return;

namespace {

constexpr int32_t Root = AppRegRoot::Product;

class BoatSettings : public SettingsStoreTest {};

std::vector<TFloat2> Ramp(int n, float scale) {
    std::vector<TFloat2> points;
    for (int i = 0; i < n; ++i) points.push_back({float(i) * 0.5f, float(i * i) * scale});
    return points;
}

void ExpectCurve(const std::vector<TFloat2> &actual, const std::vector<TFloat2> &expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_FLOAT_EQ(actual[i].X, expected[i].X) << "point " << i;
        EXPECT_FLOAT_EQ(actual[i].Y, expected[i].Y) << "point " << i;
    }
}

std::vector<TFloat2> AsVector(const std::array<TFloat2, 4> &a) { return {a.begin(), a.end()}; }

}  // namespace

TEST_F(BoatSettings, NumberSelectsTheKey) {
    struct Case { int32_t number; const char *key; };
    for (const Case c : {Case{-3, "Boat"}, Case{0, "Boat"}, Case{1, "Boat\\1"}, Case{2, "Boat\\2"}}) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(RegBoatKey(c.number), QString::fromLatin1(c.key));
    }
}

TEST_F(BoatSettings, EmptyStoreGivesTheBuiltInProfile) {
    FakeBoatDef def;
    RegReadBoat(&def, 0);
    EXPECT_EQ(def.Kind, LPBoatDef::KindPower);
    EXPECT_EQ(def.MMSI, 0);
    EXPECT_FALSE(def.Loaded);
    EXPECT_EQ(def.Displacement, 0);
    EXPECT_EQ(def.Name, QStringLiteral("Default"));
    EXPECT_FLOAT_EQ(def.Draught, 0.8f);
    EXPECT_FLOAT_EQ(def.MinDepthTolerance, 0.2f);
    EXPECT_FLOAT_EQ(def.HeightStepped, 2.5f);
    EXPECT_FLOAT_EQ(def.HeightUnstepped, 1.5f);
    EXPECT_FLOAT_EQ(def.HeightSafeMargin, 0.0f);
    EXPECT_FLOAT_EQ(def.MotorLowSOG, 1.0f);
    EXPECT_EQ(def.TimeUnstepStep, 600);
    EXPECT_FLOAT_EQ(def.VLow, 1.6666666f);
    EXPECT_FLOAT_EQ(def.VCruise, 2.5f);
    EXPECT_FLOAT_EQ(def.VHigh, 3.4722223f);
    EXPECT_FLOAT_EQ(def.Length, 10.0f);
    EXPECT_FLOAT_EQ(def.Width, 3.0f);
    EXPECT_FLOAT_EQ(def.GPSPosition.X, 5.0f);
    EXPECT_FLOAT_EQ(def.GPSPosition.Y, 0.0f);
    // The constants the library expects on every read.
    EXPECT_EQ(def.Value45, 1);
    EXPECT_EQ(def.Value47, 0);
    EXPECT_EQ(def.Value51, 0);
    EXPECT_EQ(def.Polar, TGUID{});
    EXPECT_EQ(def.ReductionSpeed, 0.0f);
    EXPECT_EQ(def.ReductionEnergy, 0.0f);
    EXPECT_EQ(def.ReductionFuel, 0.0f);
    ExpectCurve(def.ElectricCurve.Points, AsVector(BoatBuiltInElectricCurve));
    ExpectCurve(def.FuelCurve.Points, AsVector(BoatBuiltInFuelCurve));
}

TEST_F(BoatSettings, ProfileRoundTripKeepsEveryWrittenValue) {
    FakeBoatDef written;
    written.Kind = LPBoatDef::KindCruising;
    written.MMSI = 244123456;
    written.Name = QStringLiteral("Zeemeeuw · Ærø");
    written.Commercial = true;
    written.Draught = 1.35f;
    written.MinDepthTolerance = 0.45f;
    written.Electric = true;
    written.ElectricCurve.Points = Ramp(5, 0.25f);
    written.FuelCurve.Points = Ramp(16, 1e-7f);
    written.HeightStepped = 12.5f;
    written.HeightUnstepped = 2.25f;
    written.HeightSafeMargin = 0.3f;
    written.MotorLowSOG = 1.75f;
    written.TimeUnstepStep = 900;
    written.VLow = 1.5f;
    written.VCruise = 3.0f;
    written.VHigh = 4.25f;
    written.Length = 11.8f;
    written.Width = 3.6f;
    written.GPSPosition = {7.5f, -0.4f};
    written.PosDrag = 0.6f;
    RegWriteBoat(&written, 3);

    FakeBoatDef read;
    RegReadBoat(&read, 3);
    EXPECT_EQ(read.Kind, written.Kind);
    EXPECT_EQ(read.MMSI, written.MMSI);
    EXPECT_EQ(read.Name, written.Name);
    EXPECT_EQ(read.Commercial, written.Commercial);
    EXPECT_FLOAT_EQ(read.Draught, written.Draught);
    EXPECT_FLOAT_EQ(read.MinDepthTolerance, written.MinDepthTolerance);
    EXPECT_EQ(read.Electric, written.Electric);
    ExpectCurve(read.ElectricCurve.Points, written.ElectricCurve.Points);
    ExpectCurve(read.FuelCurve.Points, written.FuelCurve.Points);
    EXPECT_FLOAT_EQ(read.HeightStepped, written.HeightStepped);
    EXPECT_FLOAT_EQ(read.HeightUnstepped, written.HeightUnstepped);
    EXPECT_FLOAT_EQ(read.HeightSafeMargin, written.HeightSafeMargin);
    EXPECT_FLOAT_EQ(read.MotorLowSOG, written.MotorLowSOG);
    EXPECT_EQ(read.TimeUnstepStep, written.TimeUnstepStep);
    EXPECT_FLOAT_EQ(read.VLow, written.VLow);
    EXPECT_FLOAT_EQ(read.VCruise, written.VCruise);
    EXPECT_FLOAT_EQ(read.VHigh, written.VHigh);
    EXPECT_FLOAT_EQ(read.Length, written.Length);
    EXPECT_FLOAT_EQ(read.Width, written.Width);
    EXPECT_FLOAT_EQ(read.GPSPosition.X, written.GPSPosition.X);
    EXPECT_FLOAT_EQ(read.GPSPosition.Y, written.GPSPosition.Y);
    // Written only: the definition has no setter for it.
    EXPECT_FLOAT_EQ(RegReadSingleDef(GetAppReg(), Root, QStringLiteral("Boat\\3"),
                                     RegName(u"PosDrag"), -1.0f),
                    0.6f);

    // Other profiles are untouched.
    FakeBoatDef other;
    RegReadBoat(&other, 0);
    EXPECT_EQ(other.Name, QStringLiteral("Default"));
}

TEST_F(BoatSettings, EveryBoatTypeSurvivesAndUnknownTypesFallBackToPower) {
    struct Case { const char *name; int32_t kind; int32_t readBack; };
    const Case cases[] = {{"power", 0, 0}, {"racing", 1, 1}, {"cruising", 2, 2},
                          {"unknown 3", 3, 0}, {"negative", -1, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeBoatDef written;
        written.Kind = c.kind;
        RegWriteBoat(&written, 0);
        int32_t error = 0;
        EXPECT_EQ(RegReadInteger(GetAppReg(), Root, QStringLiteral("Boat"), RegName(u"BoatType"),
                                 error),
                  c.readBack);
        // A value stored by someone else outside the list falls back the same way.
        RegWriteInteger(GetAppReg(), Root, QStringLiteral("Boat\\1"), RegName(u"BoatType"),
                        c.kind, error);
        FakeBoatDef read;
        RegReadBoat(&read, 1);
        EXPECT_EQ(read.Kind, c.readBack);
    }
}

TEST_F(BoatSettings, LoadedAndDisplacementRoundTrip) {
    FakeBoatDef def;
    def.Loaded = true;
    def.Displacement = 8500;
    RegWriteBoat(&def, 0);
    FakeBoatDef read;
    RegReadBoat(&read, 0);
    EXPECT_TRUE(read.Loaded);
    EXPECT_EQ(read.Displacement, 8500);
}

// Curves: a count outside 2..16, a missing binary or one of another size gives the
// built-in curve; each row is checked for both curves.
TEST_F(BoatSettings, StoredCurvesOutsideTheLimitsGiveTheBuiltInCurve) {
    struct Case {
        const char *name;
        bool storeCount;
        int32_t count;
        int storedPoints;  // points in the binary; -1 = no binary
        int expectedPoints;  // 0 = the built-in curve
        int byteShortfall = 0;
    };
    const Case cases[] = {
        {"nothing stored", false, 0, -1, 0},
        {"count 1", true, 1, 1, 0},
        {"count 17", true, 17, 17, 0},
        {"count -5", true, -5, 2, 0},
        {"count 1000", true, 1000, 16, 0},
        {"count 2", true, 2, 2, 2},
        {"count 16", true, 16, 16, 16},
        {"count 16 without binary", true, 16, -1, 0},
        {"count 16 with a short binary", true, 16, 16, 0, 8},
        {"count 16 with three bytes missing", true, 16, 16, 0, 3},
        {"count 4 with a longer binary", true, 4, 5, 0},
    };
    struct Curve {
        const char *name;
        const char16_t *countName;
        const char16_t *pointsName;
        std::function<std::vector<TFloat2>(FakeBoatDef &)> points;
        std::vector<TFloat2> builtIn;
    };
    const Curve curves[] = {
        {"electric", u"ElectricCurveValueCount", u"ElectricCurve",
         [](FakeBoatDef &d) { return d.ElectricCurve.Points; }, AsVector(BoatBuiltInElectricCurve)},
        {"fuel", u"FuelCurveValueCount", u"FuelCurve",
         [](FakeBoatDef &d) { return d.FuelCurve.Points; }, AsVector(BoatBuiltInFuelCurve)},
    };
    for (const Curve &curve : curves) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(curve.name) + ": " + c.name);
            int32_t error = 0;
            RegDeleteKey(GetAppReg(), Root, QStringLiteral("Boat"), error);
            const QString key = QStringLiteral("Boat");
            if (c.storeCount)
                RegWriteInteger(GetAppReg(), Root, key, Named(curve.countName), c.count, error);
            const std::vector<TFloat2> stored = Ramp(std::max(c.storedPoints, 0), 0.125f);
            if (c.storedPoints >= 0)
                RegWriteBinary(GetAppReg(), Root, key, Named(curve.pointsName), stored.data(),
                               int32_t(stored.size() * sizeof(TFloat2)) - c.byteShortfall, error);
            FakeBoatDef def;
            RegReadBoat(&def, 0);
            ExpectCurve(curve.points(def), c.expectedPoints == 0 ? curve.builtIn : stored);
        }
    }
}

TEST_F(BoatSettings, EmptyCurveIsWrittenAsCountZeroAndReadsAsBuiltIn) {
    FakeBoatDef written;
    RegWriteBoat(&written, 0);
    int32_t error = 0;
    EXPECT_EQ(RegReadInteger(GetAppReg(), Root, QStringLiteral("Boat"),
                             RegName(u"ElectricCurveValueCount"), error),
              0);
    FakeBoatDef read;
    RegReadBoat(&read, 0);
    ExpectCurve(read.ElectricCurve.Points, AsVector(BoatBuiltInElectricCurve));
}

// --- Own-ship state ---------------------------------------------------------------------------

namespace {

MATCHER_P2(VectorIs, length, angle, "") {
    return arg != nullptr && std::abs(arg->Length - length) < 1e-5f &&
           std::abs(arg->Angle - angle) < 1e-5f;
}
MATCHER_P2(TackIs, length, angle, "") {
    return std::abs(arg.Length - length) < 1e-5f && std::abs(arg.Angle - angle) < 1e-5f;
}

// A ship with a state, wired so that GetState hands out the state.
struct Ship {
    Ship() { ON_CALL(Boat, GetState()).WillByDefault(Return(&State)); }
    NiceMock<MockNavBoatState> State;
    NiceMock<MockNavBoat> Boat;
};

}  // namespace

TEST_F(BoatSettings, BoatStateRoundTrip) {
    Ship source;
    ON_CALL(source.Boat, GetPosition(_)).WillByDefault([](TGeoPoint &p) {
        p = {0.91, 0.085};
        return true;
    });
    ON_CALL(source.State, GetVAbsLength()).WillByDefault(Return(3.25f));
    ON_CALL(source.State, GetVAbsAngle()).WillByDefault(Return(1.1f));
    ON_CALL(source.State, GetCurrent()).WillByDefault(Return(TVector{0.4f, 2.2f}));
    ON_CALL(source.State, GetWindAbs()).WillByDefault(Return(TVector{7.5f, 4.0f}));
    ON_CALL(source.State, GetWindRel()).WillByDefault(Return(TVector{6.0f, -0.6f}));
    ON_CALL(source.Boat, FillLogbookContext(_)).WillByDefault([](TLogbookContext &c) {
        c.Heading = 1.25f;
    });
    ON_CALL(source.State, GetRun()).WillByDefault(Return(0.05f));
    ON_CALL(source.State, GetCWD()).WillByDefault(Return(-0.02f));
    ON_CALL(source.State, GetPortTack()).WillByDefault(Return(TVector{1800.0f, 0.7f}));
    ON_CALL(source.State, GetStarboardTack()).WillByDefault(Return(TVector{2100.0f, 0.9f}));
    ON_CALL(source.State, GetZeroCurrent()).WillByDefault(Return(true));
    ON_CALL(source.State, GetZeroDrift()).WillByDefault(Return(true));
    ON_CALL(source.State, GetEnabledDevices()).WillByDefault(Return(5));
    ON_CALL(source.Boat, GetInputModeCurrent()).WillByDefault(Return(2));
    ON_CALL(source.Boat, GetInputModeWind()).WillByDefault(Return(0));
    RegWriteBoatState(&source.Boat);

    Ship target;
    EXPECT_CALL(target.Boat, SetPosition(_)).WillOnce([](const TGeoPoint &p) {
        EXPECT_DOUBLE_EQ(p.Lat, 0.91);
        EXPECT_DOUBLE_EQ(p.Lon, 0.085);
    });
    EXPECT_CALL(target.State,
                SetState(VectorIs(3.25f, 1.1f), VectorIs(0.4f, 2.2f), VectorIs(7.5f, 4.0f),
                         VectorIs(6.0f, -0.6f), 1.25f, 0.05f, -0.02f, true, true, 8));
    EXPECT_CALL(target.State, SetPortTack(TackIs(1800.0f, 0.7f)));
    EXPECT_CALL(target.State, SetStarboardTack(TackIs(2100.0f, 0.9f)));
    EXPECT_CALL(target.State, SetZeroCurrent(true));
    EXPECT_CALL(target.State, SetZeroDrift(true));
    EXPECT_CALL(target.Boat, SetInputModeCurrent(2));
    EXPECT_CALL(target.Boat, SetInputModeWind(false));
    RegReadBoatState(&target.Boat);

    int32_t error = 0;
    EXPECT_EQ(RegReadInteger(GetAppReg(), Root, QStringLiteral("Boat"),
                             RegName(u"EnabledDevices"), error),
              5);
}

TEST_F(BoatSettings, EmptyStoreGivesTheDefaultStateAndLeavesThePositionAlone) {
    Ship ship;
    const float tenKnots = float(UnitConvert(10.0, KvUnit::Knot, KvUnit::MetrePerSecond));
    EXPECT_NEAR(tenKnots, 5.1444f, 1e-4f);
    EXPECT_CALL(ship.Boat, SetPosition(_)).Times(0);
    EXPECT_CALL(ship.State, SetState(VectorIs(0.0f, 0.0f), VectorIs(0.0f, 0.0f),
                                     VectorIs(tenKnots, 0.0f), VectorIs(0.0f, 0.0f), 0.0f, 0.0f,
                                     0.0f, true, true, 8));
    const float quarterPi = float(std::numbers::pi / 4);
    EXPECT_CALL(ship.State, SetPortTack(TackIs(2500.0f, quarterPi)));
    EXPECT_CALL(ship.State, SetStarboardTack(TackIs(2500.0f, quarterPi)));
    // Not stored yet: the library keeps its own defaults.
    EXPECT_CALL(ship.State, SetZeroCurrent(_)).Times(0);
    EXPECT_CALL(ship.State, SetZeroDrift(_)).Times(0);
    EXPECT_CALL(ship.Boat, SetInputModeCurrent(0));
    EXPECT_CALL(ship.Boat, SetInputModeWind(true));
    RegReadBoatState(&ship.Boat);
}

TEST_F(BoatSettings, ShipWithoutPositionStoresTheMarkerAndIsNotMovedByIt) {
    Ship source;
    ON_CALL(source.Boat, GetPosition(_)).WillByDefault(Return(false));
    RegWriteBoatState(&source.Boat);
    int32_t error = 0;
    EXPECT_EQ(RegReadDouble(GetAppReg(), Root, QStringLiteral("Boat"), RegName(u"LastLat"), error),
              -9999.0);
    EXPECT_EQ(RegReadDouble(GetAppReg(), Root, QStringLiteral("Boat"), RegName(u"LastLong"), error),
              -9999.0);
    Ship target;
    EXPECT_CALL(target.Boat, SetPosition(_)).Times(0);
    RegReadBoatState(&target.Boat);
}

TEST_F(BoatSettings, OnlyPositionsOnTheEarthMoveTheShip) {
    const double pi = std::numbers::pi;
    struct Case { const char *name; double lat, lon; bool applied; };
    const Case cases[] = {
        {"ordinary", 0.9, 0.08, true},
        {"north pole", pi / 2, 0.0, true},
        {"longitude -2 pi", -0.3, -2 * pi, true},
        {"latitude beyond the pole", pi / 2 + 1e-6, 0.0, false},
        {"latitude below the south pole", -1.6, 0.0, false},
        {"longitude beyond 2 pi", 0.5, 2 * pi + 1e-6, false},
        {"no-position marker", -9999.0, -9999.0, false},
        {"not a number", std::nan(""), 0.1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t error = 0;
        RegWriteDouble(GetAppReg(), Root, QStringLiteral("Boat"), RegName(u"LastLat"), c.lat, error);
        RegWriteDouble(GetAppReg(), Root, QStringLiteral("Boat"), RegName(u"LastLong"), c.lon, error);
        Ship ship;
        EXPECT_CALL(ship.Boat, SetPosition(_)).Times(c.applied ? 1 : 0);
        RegReadBoatState(&ship.Boat);
    }
}

TEST_F(BoatSettings, InputModesMapUnknownValuesToTheFallbacks) {
    struct Case { const char *name; int32_t windStored; bool wind; int32_t currentStored; int32_t current; };
    const Case cases[] = {
        {"wind 1, current 1", 1, true, 1, 1},
        {"wind 0, current 2", 0, false, 2, 2},
        {"wind 2, current 5", 2, false, 5, 0},
        {"wind -1, current -1", -1, false, -1, 0},
        {"wind 7, current 0", 7, false, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t error = 0;
        RegWriteInteger(GetAppReg(), Root, QStringLiteral("Boat"), RegName(u"InputModeWind"),
                        c.windStored, error);
        RegWriteInteger(GetAppReg(), Root, QStringLiteral("Boat"), RegName(u"InputModeCurrent"),
                        c.currentStored, error);
        Ship ship;
        EXPECT_CALL(ship.Boat, SetInputModeWind(c.wind));
        EXPECT_CALL(ship.Boat, SetInputModeCurrent(c.current));
        RegReadBoatState(&ship.Boat);
    }
    // The writer stores the same forms.
    Ship source;
    ON_CALL(source.Boat, GetInputModeWind()).WillByDefault(Return(3));
    ON_CALL(source.Boat, GetInputModeCurrent()).WillByDefault(Return(9));
    RegWriteBoatState(&source.Boat);
    int32_t error = 0;
    EXPECT_EQ(RegReadInteger(GetAppReg(), Root, QStringLiteral("Boat"), RegName(u"InputModeWind"), error), 0);
    EXPECT_EQ(RegReadInteger(GetAppReg(), Root, QStringLiteral("Boat"), RegName(u"InputModeCurrent"), error), 0);
}

// --- Single values ----------------------------------------------------------------------------

TEST_F(BoatSettings, SingleValuesRoundTripAndHaveTheirDefaults) {
    struct Case {
        const char *name;
        std::function<void()> expectDefault;
        std::function<void()> write;
        std::function<void()> expectWritten;
    };
    const TGUID route = MakeGUID(41);
    const std::vector<Case> cases = {
        {"active route", [] { TGUID g = MakeGUID(1); RegReadActiveRouteGUID(g); EXPECT_EQ(g, TGUID{}); },
         [&] { RegWriteActiveRouteGUID(route); },
         [&] { TGUID g; RegReadActiveRouteGUID(g); EXPECT_EQ(g, route); }},
        {"selected route", [] { TGUID g = MakeGUID(1); RegReadSelectedRouteGUID(g); EXPECT_EQ(g, TGUID{}); },
         [&] { RegWriteSelectedRouteGUID(route); },
         [&] { TGUID g; RegReadSelectedRouteGUID(g); EXPECT_EQ(g, route); }},
        {"DOG route", [] { EXPECT_EQ(RegReadDOGRoute(), 0.0); }, [] { RegWriteDOGRoute(12345.5); },
         [] { EXPECT_EQ(RegReadDOGRoute(), 12345.5); }},
        {"DOG total", [] { EXPECT_EQ(RegReadDOGTotal(), 0.0); }, [] { RegWriteDOGTotal(9.87e6); },
         [] { EXPECT_EQ(RegReadDOGTotal(), 9.87e6); }},
        {"route start", [] { EXPECT_EQ(RegReadRouteStartTime(), 0.0); },
         [] { RegWriteRouteStartTime(45123.625); },
         [] { EXPECT_EQ(RegReadRouteStartTime(), 45123.625); }},
        {"logbook", [] { QString f = "x"; RegReadActiveLogbook(f); EXPECT_TRUE(f.isEmpty()); },
         [] { RegWriteActiveLogbook(QStringLiteral("/data/Logboek 2024 ✓.log")); },
         [] { QString f; RegReadActiveLogbook(f); EXPECT_EQ(f, QStringLiteral("/data/Logboek 2024 ✓.log")); }},
        {"logbook started", [] { EXPECT_FALSE(RegReadActiveLogbookStarted()); },
         [] { RegWriteActiveLogbookStarted(true); }, [] { EXPECT_TRUE(RegReadActiveLogbookStarted()); }},
        {"GPS open", [] { EXPECT_FALSE(RegReadGPSCommunicationOpen()); },
         [] { RegWriteGPSCommunicationOpen(true); }, [] { EXPECT_TRUE(RegReadGPSCommunicationOpen()); }},
        {"simulator open", [] { EXPECT_FALSE(RegReadSimulatorCommunicationOpen()); },
         [] { RegWriteSimulatorCommunicationOpen(true); },
         [] { EXPECT_TRUE(RegReadSimulatorCommunicationOpen()); }},
        {"simulator radius", [] { EXPECT_EQ(RegReadSimulatorRadiusMin(), 10.0f); },
         [] { RegWriteSimulatorRadiusMin(35.5); }, [] { EXPECT_EQ(RegReadSimulatorRadiusMin(), 35.5f); }},
        {"simulator speed", [] { EXPECT_EQ(RegReadSimulatorSpeedMax(2.5), 2.5); },
         [] { RegWriteSimulatorSpeedMax(4.75); }, [] { EXPECT_EQ(RegReadSimulatorSpeedMax(2.5), 4.75); }},
        {"sound", [] { EXPECT_TRUE(RegReadSoundEnabled()); }, [] { RegWriteSoundEnabled(false); },
         [] { EXPECT_FALSE(RegReadSoundEnabled()); }},
        {"power",
         [] { double s = 3.0; bool i = true; RegReadPowerSettings(s, i); EXPECT_EQ(s, 3.0); EXPECT_TRUE(i); },
         [] { RegWritePowerSettings(0.5, false); },
         [] { double s = 3.0; bool i = true; RegReadPowerSettings(s, i); EXPECT_EQ(s, 0.5); EXPECT_FALSE(i); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        c.expectDefault();
        c.write();
        c.expectWritten();
    }
}

TEST_F(BoatSettings, ActiveRoutePointStoresTheIndexOrMinusOne) {
    EXPECT_EQ(RegReadActiveRoutePoint(), 0);
    NiceMock<MockWptRoutePoint> point;
    ON_CALL(point, GetIndex()).WillByDefault(Return(7));
    RegWriteActiveRoutePoint(&point);
    EXPECT_EQ(RegReadActiveRoutePoint(), 7);
    RegWriteActiveRoutePoint(nullptr);
    EXPECT_EQ(RegReadActiveRoutePoint(), -1);
}

// Values stored with the wrong type (a text "abc" where a number or flag belongs) read as
// the defaults.
TEST_F(BoatSettings, TextWhereANumberBelongsGivesTheDefault) {
    struct Case { const char *key; const char16_t *name; std::function<void()> expect; };
    const std::vector<Case> cases = {
        {"GPS", u"CommunicationOpen", [] { EXPECT_FALSE(RegReadGPSCommunicationOpen()); }},
        {"Logbook", u"ActiveLogbookStarted", [] { EXPECT_FALSE(RegReadActiveLogbookStarted()); }},
        {"Sounds", u"SoundEnabled", [] { EXPECT_TRUE(RegReadSoundEnabled()); }},
        {"Navigation", u"ActiveRoutePoint", [] { EXPECT_EQ(RegReadActiveRoutePoint(), 0); }},
        {"Navigation", u"DOGTotal", [] { EXPECT_EQ(RegReadDOGTotal(), 0.0); }},
        {"Simulator", u"RadiusMin", [] { EXPECT_EQ(RegReadSimulatorRadiusMin(), 10.0f); }},
        {"Boat", u"BoatType", [] { FakeBoatDef d; RegReadBoat(&d, 0); EXPECT_EQ(d.Kind, 0); }},
        {"Boat", u"ElectricCurveValueCount", [] {
             FakeBoatDef d; RegReadBoat(&d, 0);
             ExpectCurve(d.ElectricCurve.Points, AsVector(BoatBuiltInElectricCurve)); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        int32_t error = 0;
        RegWriteString(GetAppReg(), Root, QString::fromLatin1(c.key), Named(c.name),
                       QStringLiteral("abc"), error);
        ASSERT_EQ(error, 0);
        c.expect();
    }
}
