// The navigation settings: every setter survives a restart, the first start creates the GPS
// set-up once, and bad stored values fall back to sound ones.
#include "NavEnvFixture.h"
#include "NavEnvPorts.h"

#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/settings/KvRegDisplay.h"
#include "base/settings/KvRegRoutes.h"
#include "base/units/KvUnitsTime.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvUnits.h>

#include <QFileInfo>
#include <cmath>
#include <functional>

namespace {

IAppReg *Reg() {
    return GetAppReg();
}

bool KeyExists(const QString &key) {
    return RegKeyExists(Reg(), AppRegRoot::Product, key);
}

int32_t StoredInt(const QString &key, const QString &name, int32_t def = -12345) {
    return RegReadIntegerDef(Reg(), AppRegRoot::Product, key, RegName(name), def);
}

void WriteInt(const QString &key, const QString &name, int32_t value) {
    int32_t err = 0;
    RegWriteInteger(Reg(), AppRegRoot::Product, key, RegName(name), value, err);
    ASSERT_EQ(err, KvErr::Ok);
}

// One value as text with its type, whichever typed read accepts it.
QString ValueText(const QString &key, const QString &name) {
    int32_t err = 0;
    const int32_t i = RegReadInteger(Reg(), AppRegRoot::Product, key, RegName(name), err);
    if (err == KvErr::Ok) return QStringLiteral("i:%1").arg(i);
    const double d = RegReadDouble(Reg(), AppRegRoot::Product, key, RegName(name), err = 0);
    if (err == KvErr::Ok) return QStringLiteral("d:%1").arg(d, 0, 'g', 17);
    const bool b = RegReadBool(Reg(), AppRegRoot::Product, key, RegName(name), err = 0);
    if (err == KvErr::Ok) return QStringLiteral("b:%1").arg(b);
    QString s;
    RegReadString(Reg(), AppRegRoot::Product, key, RegName(name), err = 0, s);
    if (err == KvErr::Ok) return QStringLiteral("s:") + s;
    const float f = RegReadSingleDef(Reg(), AppRegRoot::Product, key, RegName(name), NAN);
    if (!std::isnan(f)) return QStringLiteral("f:%1").arg(double(f), 0, 'g', 9);
    TGUID g{};
    RegReadGUID(Reg(), AppRegRoot::Product, key, RegName(name), err = 0, g);
    if (err == KvErr::Ok) return QStringLiteral("g:%1").arg(g.D1);
    return QStringLiteral("other");
}

// Every key and value below key, sorted.
QStringList Dump(const QString &key = QString()) {
    QStringList lines, names;
    int32_t err = 0;
    RegGetValueNames(Reg(), AppRegRoot::Product, key, names, err);
    for (const QString &n : names) lines << key + QLatin1Char('|') + n + QLatin1Char('=') + ValueText(key, n);
    QStringList keys;
    RegGetKeyNames(Reg(), AppRegRoot::Product, key, keys, err = 0);
    for (const QString &k : keys) lines << Dump(key.isEmpty() ? k : key + QLatin1Char('\\') + k);
    lines.sort();
    return lines;
}

// Remembers whether the program switched it on or off.
class TRecordingSound : public ISound {
public:
    explicit TRecordingSound(ISound *real) : FReal(real) {}
    ~TRecordingSound() override { ObjectDelete(FReal); }
    void Play(int32_t mode) override { FReal->Play(mode); }
    void SetEnabled(bool enabled) override {
        Enabled = enabled;
        FReal->SetEnabled(enabled);
    }
    bool Enabled = true;

private:
    ISound *FReal;
};

// Remembers the intervals the program set last.
class TRecordingLoop : public INavLoop {
public:
    explicit TRecordingLoop(INavLoop *real) : FReal(real) {}
    ~TRecordingLoop() override { ObjectDelete(FReal); }
    bool IsOn() override { return FReal->IsOn(); }
    float GetSlowInterval() override { return FReal->GetSlowInterval(); }
    void SetOn(bool on) override { FReal->SetOn(on); }
    void SetIntervals(float fast, float normal, float slow) override {
        Intervals = {fast, normal, slow};
        FReal->SetIntervals(fast, normal, slow);
    }
    void SetManualClock(bool manual) override { FReal->SetManualClock(manual); }
    void Advance(float seconds) override { FReal->Advance(seconds); }
    std::vector<float> Intervals;

private:
    INavLoop *FReal;
};

class NavEnvSettings : public NavEnvFixture {
protected:
    // Sounds and loop that tell what they were given.
    TNavEnvSeams Recording() {
        TNavEnvSeams seams;
        auto sound = seams.Factories.SoundCreateFromFile;
        seams.Factories.SoundCreateFromFile = [sound](const QString &file, int32_t &err) -> ISound * {
            ISound *real = sound(file, err);
            return real ? new TRecordingSound(real) : nullptr;
        };
        seams.Factories.NavLoopCreate = [](auto... args) -> INavLoop * {
            return new TRecordingLoop(::NavLoopCreate(args...));
        };
        return seams;
    }

    void TearDown() override {
        // The clock is the whole process's.
        GlobalGPSClock()->SetUTCOffsetSync(true);
        NavEnvFixture::TearDown();
    }
    std::unique_ptr<TMarivoNavEnv> Started(TNavEnvSeams seams = {}) {
        auto env = Make(std::move(seams));
        uint8_t mode = 9;
        env->Start(mode);
        EXPECT_EQ(mode, 0);
        return env;
    }
};

}  // namespace

TEST_F(NavEnvSettings, EverySetterSurvivesARestart) {
    struct TRow {
        const char *Name;
        std::function<void(TMarivoNavEnv &)> Set;
        std::function<void(TMarivoNavEnv &)> Check;
    };
    const TGeoPoint home{0.91, 0.083};
    TPlannerSettings planner;
    planner.DelayBridges = 120;
    planner.DelayLocks = 660;
    planner.NAPWaterLevel = 0.5f;
    planner.ImposeSpeedLimit = false;
    const std::vector<TRow> rows = {
        {"ColorClear", [](TMarivoNavEnv &e) { e.SetColorClear(0x102030); },
         [](TMarivoNavEnv &e) { EXPECT_EQ(e.ColorClear, 0x102030); }},
        {"ColorGPSFix", [](TMarivoNavEnv &e) { e.SetColorGPSFix(0x00FF00); },
         [](TMarivoNavEnv &e) { EXPECT_EQ(e.ColorGPSFix, 0x00FF00); }},
        {"ColorGPSNoFix", [](TMarivoNavEnv &e) { e.SetColorGPSNoFix(0x0000FF); },
         [](TMarivoNavEnv &e) { EXPECT_EQ(e.ColorGPSNoFix, 0x0000FF); }},
        {"TrackDefaultColor (made opaque)", [](TMarivoNavEnv &e) { e.SetTrackDefaultColor(0x000000FF); },
         [](TMarivoNavEnv &e) { EXPECT_EQ(e.TrackDefaultColor, 0xFF0000FFu); }},
        {"TransparentEnabled", [](TMarivoNavEnv &e) { e.SetTransparentEnabled(false); },
         [](TMarivoNavEnv &e) { EXPECT_FALSE(e.TransparentEnabled); }},
        {"Currency", [](TMarivoNavEnv &e) { e.SetCurrency(QStringLiteral("\u00A3")); },
         [](TMarivoNavEnv &e) { EXPECT_EQ(e.Currency, QStringLiteral("\u00A3")); }},
        {"DefaultRouteEnabled", [](TMarivoNavEnv &e) { e.SetDefaultRouteEnabled(false); },
         [](TMarivoNavEnv &e) { EXPECT_FALSE(e.DefaultRouteEnabled); }},
        {"RouteExploreMode", [](TMarivoNavEnv &e) { e.SetRouteExploreMode(false); },
         [](TMarivoNavEnv &e) { EXPECT_FALSE(e.RouteExploreMode); }},
        {"HomeLocation", [home](TMarivoNavEnv &e) { e.SetHomeLocation(home); },
         [home](TMarivoNavEnv &e) {
             EXPECT_DOUBLE_EQ(e.HomeLocation.Lat, home.Lat);
             EXPECT_DOUBLE_EQ(e.HomeLocation.Lon, home.Lon);
         }},
        {"SlowInterval (kept for the user, the run starts at 1 s)",
         [](TMarivoNavEnv &e) { e.SetSlowInterval(5.0f); },
         [](TMarivoNavEnv &e) {
             double interval = 0.0;
             bool interpolation = false;
             RegReadPowerSettings(interval, interpolation);
             EXPECT_DOUBLE_EQ(interval, 5.0);
             EXPECT_FLOAT_EQ(e.GetSlowInterval(), 1.0f);
         }},
        {"NotificationFilters", [](TMarivoNavEnv &e) { e.SetNotificationFilters(false, true); },
         [](TMarivoNavEnv &e) {
             EXPECT_FALSE(e.NotificationCenter->GetShowAlarms());
             EXPECT_TRUE(e.NotificationCenter->GetShowOthers());
         }},
        {"NightscreenIntensity", [](TMarivoNavEnv &e) { e.SetNightscreenIntensity(0.25f); },
         [](TMarivoNavEnv &e) { EXPECT_FLOAT_EQ(e.NightscreenIntensity, 0.25f); }},
        // The route-planner dialog stores what it hands over.
        {"PlannerSettings",
         [planner](TMarivoNavEnv &e) {
             RegWritePlannerSettings(planner);
             e.SetPlannerSettings(planner);
         },
         [](TMarivoNavEnv &e) {
             TPlannerSettings read;
             RegReadPlannerSettings(nullptr, read);
             EXPECT_EQ(read.DelayBridges, 120);
             EXPECT_EQ(read.DelayLocks, 660);
             EXPECT_FALSE(read.ImposeSpeedLimit);
             EXPECT_FLOAT_EQ(e.Planner->GetNAPWaterLevel(), 0.5f);
         }},
        {"PositionFormat", [](TMarivoNavEnv &e) { e.SetPositionFormat(2); },
         [](TMarivoNavEnv &e) { EXPECT_EQ(e.PositionFormat, 2); }},
        {"MaxChartLoad", [](TMarivoNavEnv &e) { e.SetMaxChartLoad(7); },
         [](TMarivoNavEnv &e) { EXPECT_EQ(e.GetMaxChartLoad(), 7); }},
        {"SailingAreas", [](TMarivoNavEnv &e) { e.SetSailingAreas(0x0005); },
         [](TMarivoNavEnv &e) { EXPECT_EQ(e.SailingAreas, 0x0005); }},
        {"ShowNetworkXTE", [](TMarivoNavEnv &e) { e.SetShowNetworkXTE(false); },
         [](TMarivoNavEnv &e) { EXPECT_FALSE(e.ShowNetworkXTE); }},
        {"SimulatorRadiusMin", [](TMarivoNavEnv &e) { e.SetSimulatorRadiusMin(250.0f); },
         [](TMarivoNavEnv &) { EXPECT_FLOAT_EQ(RegReadSimulatorRadiusMin(), 250.0f); }},
        {"SoundEnabled", [](TMarivoNavEnv &e) { e.SetSoundEnabled(false); },
         [](TMarivoNavEnv &e) { EXPECT_FALSE(e.SoundEnabled); }},
        {"Units (depth included)",
         [](TMarivoNavEnv &e) { e.SetUnits(0x60002, 0x60005, 0x60003, 0x70000, 0x120001, 0xA000C); },
         [](TMarivoNavEnv &e) {
             EXPECT_EQ(e.UnitDepth, 0x60002);
             EXPECT_EQ(e.UnitDistanceLarge, 0x60005);
             EXPECT_EQ(e.UnitDistanceSmall, 0x60003);
             EXPECT_EQ(e.UnitSpeed, 0x70000);
             EXPECT_EQ(e.UnitTemperature, 0x120001);
             EXPECT_EQ(e.UnitVolume, 0xA000C);
             EXPECT_EQ(e.UnitFuelFlow, 0xB000B);
         }},
        {"UTCOffset without sync",
         [](TMarivoNavEnv &e) {
             e.SetUTCOffsetSync(false);
             e.SetUTCOffset(150);
         },
         [](TMarivoNavEnv &e) {
             EXPECT_FALSE(e.GetUTCOffsetSync());
             EXPECT_EQ(GlobalGPSClock()->GetUTCOffset(), 150);
         }},
    };
    {
        auto env = Started();
        for (const TRow &row : rows) row.Set(*env);
        env->Shutdown();
    }
    // What the process-wide clock still holds must not pass for what was stored.
    GlobalGPSClock()->SetUTCOffsetSync(true);
    GlobalGPSClock()->SetUTCOffset(0);
    auto env = Started();
    for (const TRow &row : rows) {
        SCOPED_TRACE(row.Name);
        row.Check(*env);
    }
}

TEST_F(NavEnvSettings, FirstStartWithPortsStoresTheFirstPortOnce) {
    const QString dir = QFileInfo(FData).absolutePath();
    shelltest::TPty first(dir + QStringLiteral("/ttyTestA")), second(dir + QStringLiteral("/ttyTestB"));
    ASSERT_TRUE(first.Opened() && second.Opened());
    shelltest::TPortList ports({first.Link(), second.Link()});
    {
        auto env = Started();
        ASSERT_EQ(env->DeviceManager->GetPortCount(), 2);
        EXPECT_EQ(env->Boat->GetGPS()->GetPort(), env->DeviceManager->GetPort(0));
        env->Shutdown();
    }
    ASSERT_TRUE(KeyExists(QStringLiteral("NavMsgDeviceManager\\Ports\\Port1")));
    const QStringList port = Dump(QStringLiteral("NavMsgDeviceManager\\Ports\\Port1"));
    EXPECT_TRUE(port.join('\n').contains(QStringLiteral("ttyTestA"))) << port.join('\n').toStdString();
    EXPECT_FALSE(port.join('\n').contains(QStringLiteral("ttyTestB")));
    QString name;
    RegReadStringDef(Reg(), AppRegRoot::Product, QStringLiteral("NavMsgDeviceManager\\Devices\\GPS"),
                     RegName(u"Name"), QString(), name);
    EXPECT_EQ(name, QStringLiteral("GPS receiver"));
    const QStringList stored = Dump();
    {
        auto env = Started();
        // The stored set-up brings the receiver back to its port.
        EXPECT_EQ(env->Boat->GetGPS()->GetPort(), env->DeviceManager->GetPort(0));
        env->Shutdown();
    }
    EXPECT_EQ(Dump(), stored);
}

TEST_F(NavEnvSettings, FirstStartWithoutPortsStoresOnlyTheReceiverAndASecondStartChangesNothing) {
    shelltest::TPortList ports({});
    ASSERT_FALSE(KeyExists(QStringLiteral("NavMsgDeviceManager")));
    {
        auto env = Started();
        env->Shutdown();
    }
    EXPECT_TRUE(KeyExists(QStringLiteral("NavMsgDeviceManager\\Devices\\GPS")));
    EXPECT_FALSE(KeyExists(QStringLiteral("NavMsgDeviceManager\\Ports\\Port1")));
    QString name;
    RegReadStringDef(Reg(), AppRegRoot::Product, QStringLiteral("NavMsgDeviceManager\\Devices\\GPS"),
                     RegName(u"Name"), QString(), name);
    EXPECT_EQ(name, QStringLiteral("GPS receiver"));
    const QStringList first = Dump();
    EXPECT_FALSE(first.isEmpty());
    {
        auto env = Started();
        env->Shutdown();
    }
    EXPECT_EQ(Dump(), first);
}

TEST_F(NavEnvSettings, BadStoredValuesFallBackToSoundOnes) {
    WriteInt(QStringLiteral("Locale"), QStringLiteral("PositionFormat"), 7);
    WriteInt(QStringLiteral("Locale"), QStringLiteral("UTCOffset"), 900);
    int32_t err = 0;
    RegWriteBool(Reg(), AppRegRoot::Product, QStringLiteral("Locale"), RegName(u"UTCOffsetSync"),
                 false, err);
    // Wrong types: an integer where a Boolean and a string where a Double belong.
    WriteInt(QStringLiteral("Routes"), QStringLiteral("ShowNetworkXTE"), 0);
    RegWriteString(Reg(), AppRegRoot::Product, QStringLiteral("Locale"),
                   RegName(u"HomeLocationLat"), QStringLiteral("north"), err);
    WriteInt(QStringLiteral("Locale"), QStringLiteral("Depth"), 0x7777);
    WriteInt(QStringLiteral("Locale"), QStringLiteral("Speed"), 0x7778);
    auto env = Started();
    EXPECT_EQ(env->PositionFormat, 1);
    EXPECT_EQ(GlobalGPSClock()->GetUTCOffset(), 720);
    EXPECT_EQ(StoredInt(QStringLiteral("Locale"), QStringLiteral("UTCOffset")), 720);
    EXPECT_TRUE(env->ShowNetworkXTE);
    EXPECT_DOUBLE_EQ(env->HomeLocation.Lat, 10.0);
    EXPECT_EQ(env->Currency, QStringLiteral("\u20AC"));
    EXPECT_EQ(env->UnitDepth, RegReadUnitDepth());
    EXPECT_NE(env->UnitDepth, 0x7777);
    EXPECT_NE(env->UnitSpeed, 0x7778);
}

TEST_F(NavEnvSettings, SettersClampAndIgnoreWhatTheyCannotUse) {
    auto env = Started();
    env->SetUTCOffsetSync(false);
    // Offsets beyond twelve hours are clamped and stored, also when the clock has them.
    for (auto [given, stored] : {std::pair{900, 720}, {-1000, -720}, {-1000, -720}, {60, 60}}) {
        WriteInt(QStringLiteral("Locale"), QStringLiteral("UTCOffset"), 1);
        env->SetUTCOffset(given);
        EXPECT_EQ(StoredInt(QStringLiteral("Locale"), QStringLiteral("UTCOffset")), stored) << given;
        EXPECT_EQ(GlobalGPSClock()->GetUTCOffset(), stored) << given;
    }
    // A format outside 0..2 is used as 1 at once, not only after a restart.
    env->SetPositionFormat(2);
    env->SetPositionFormat(7);
    EXPECT_EQ(env->PositionFormat, 1);
    EXPECT_EQ(StoredInt(QStringLiteral("Locale"), QStringLiteral("PositionFormat")), 1);
    // A boat index outside the list changes nothing.
    ASSERT_EQ(env->BoatDefinitions.size(), 1u);
    env->SetActiveBoatDef(5);
    env->SetActiveBoatDef(-1);
    EXPECT_EQ(env->ActiveBoatDefIndex, 0);
    EXPECT_EQ(StoredInt(QStringLiteral("Boat"), QStringLiteral("BoatDefActive")), -12345);
}

TEST_F(NavEnvSettings, SlowIntervalSetsTheThreeLoopIntervals) {
    auto env = Started(Recording());
    auto *loop = static_cast<TRecordingLoop *>(env->Loop);
    struct TCase {
        float Given, Fast, Normal, Slow;
    };
    for (const TCase &c : {TCase{5.0f, 0.1f, 1.0f, 5.0f}, TCase{0.5f, 0.1f, 0.5f, 0.5f},
                           TCase{0.05f, 0.05f, 0.05f, 0.05f}}) {
        env->SetSlowInterval(c.Given);
        ASSERT_EQ(loop->Intervals.size(), 3u);
        EXPECT_FLOAT_EQ(loop->Intervals[0], c.Fast) << c.Given;
        EXPECT_FLOAT_EQ(loop->Intervals[1], c.Normal) << c.Given;
        EXPECT_FLOAT_EQ(loop->Intervals[2], c.Slow) << c.Given;
        double stored = 0.0;
        bool interpolation = false;
        RegReadPowerSettings(stored, interpolation);
        EXPECT_DOUBLE_EQ(stored, double(c.Given)) << c.Given;
    }
    // The interval in use: nothing to set, nothing to store.
    loop->Intervals.clear();
    env->SetSlowInterval(0.05f);
    EXPECT_TRUE(loop->Intervals.empty());
}

TEST_F(NavEnvSettings, SoundSwitchLeavesTheCrossTrackAlarm) {
    auto env = Started(Recording());
    std::vector<int> parts;
    env->OnStatusBar = [&parts](int part) { parts.push_back(part); };
    env->SetSoundEnabled(false);
    for (ISound *sound : {env->SoundGPSLost, env->SoundGPSRestored, env->SoundRoutePointReached})
        EXPECT_FALSE(static_cast<TRecordingSound *>(sound)->Enabled);
    EXPECT_TRUE(static_cast<TRecordingSound *>(env->SoundXTEAlarm)->Enabled);
    EXPECT_FALSE(RegReadSoundEnabled());
    EXPECT_EQ(parts, std::vector<int>{5});
}
