// The GPS dialogs on the real navigation environment and device manager, with four
// pseudo-terminals as the machine's serial ports: "ttyS0" silent, "ttyS1" noise, "ttyUSB0" a
// receiver replaying a recorded log at 4800 Bd and "ttyUSB1" another one at 38400 Bd (junk
// at any other line speed).
#pragma once

#include "tests/shell/NavEnvFixture.h"
#include "tests/shell/NavEnvPorts.h"

#include "DownloadScreens.h"
#include "TestPty.h"
#include "TestSupport.h"
#include "base/registry/KvRegistry.h"
#include "base/geodesy/KvGeodetic.h"
#include "base/graphics/KvNightScreen.h"
#include "base/units/KvNavMsgDevices.h"
#include "exchange/FrmSettingsGPS.h"

#include <KvLibNav6/KvNavBoat.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

namespace exchangetest {

// An instrument on a pseudo-terminal whose slave side the program opens through a symlink:
// silent, sending noise that looks a bit like NMEA, or replaying the NMEA lines of a log
// over and over while the line runs at its speed (random bytes at any other speed, as a
// receiver on a wrongly set line is heard). It keeps at most a few hundred bytes waiting,
// as a serial line does: a reader that opens it later hears what is sent now, not a backlog.
class TInstrumentLine {
public:
    enum class TKind { Silent, Noise, Replay };
    TInstrumentLine(const QString &link, TKind kind, const QString &log = QString(), speed_t speed = B0)
        : FPty(link, B1200), FKind(kind), FSpeed(speed) {
        QFile file(log);
        if (!log.isEmpty() && file.open(QIODevice::ReadOnly))
            while (!file.atEnd()) {
                const QByteArray line = file.readLine().trimmed();
                if (line.startsWith('$')) FLines.push_back(line.toStdString() + "\r\n");
            }
        if (kind != TKind::Silent) FThread = std::thread([this] { Run(); });
    }
    ~TInstrumentLine() {
        FStop = true;
        if (FThread.joinable()) FThread.join();
    }
    TInstrumentLine(const TInstrumentLine &) = delete;
    TInstrumentLine &operator=(const TInstrumentLine &) = delete;

    bool Opened() const { return FPty.Opened(); }
    const QString &Link() const { return FPty.Link(); }
    size_t LineCount() const { return FLines.size(); }

private:
    void Run() {
        std::mt19937 random(FKind == TKind::Noise ? 11 : 5);
        size_t next = 0;
        while (!FStop) {
            if (FPty.Pending() < 300) {
                if (FKind == TKind::Replay && FPty.LineSpeed() == FSpeed && !FLines.empty()) {
                    for (int i = 0; i < 4; ++i) FPty.Write(FLines[next++ % FLines.size()]);
                } else {
                    std::string junk(80, '\0');
                    for (char &c : junk) {
                        const unsigned r = random() % 64;
                        c = FKind == TKind::Noise && r < 3 ? "$,\n"[r] : char(random());
                    }
                    FPty.Write(junk);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    testsupport::TTestPty FPty;
    TKind FKind;
    speed_t FSpeed;
    std::vector<std::string> FLines;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

inline const QString GPSKey = QStringLiteral("NavMsgDeviceManager\\Devices\\GPS");
inline const QString PortKey = QStringLiteral("NavMsgDeviceManager\\Ports\\Port1");
inline const QString DepthKey = QStringLiteral("NavMsgDeviceManager\\Devices\\Depth");

inline QString StoredText(const QString &key, const QString &name) {
    QString text = QStringLiteral("(missing)");
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, key, RegName(name), text, text);
    return text;
}

inline int32_t StoredInt(const QString &key, const QString &name) {
    return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, key, RegName(name), -1);
}

class GPSPortsFixture : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        Dir = testsupport::MakeTempDir(QStringLiteral("gpsports"));
        using K = TInstrumentLine::TKind;
        auto line = [this](const char *name, K kind, const char *log = nullptr, speed_t speed = B0) {
            Lines.push_back(std::make_unique<TInstrumentLine>(
                Dir + QLatin1Char('/') + QLatin1String(name), kind,
                log ? testsupport::TestDataPath(QLatin1String(log)) : QString(), speed));
        };
        line("ttyS0", K::Silent);
        line("ttyS1", K::Noise);
        line("ttyUSB0", K::Replay, "nmea/bu353s4.log", B4800);
        line("ttyUSB1", K::Replay, "nmea/garmin-geko201.log", B38400);
        for (const auto &l : Lines) ASSERT_TRUE(l->Opened());
        ASSERT_GT(Lines[2]->LineCount(), 10u);
        ASSERT_GT(Lines[3]->LineCount(), 10u);
        Ports = std::make_unique<shelltest::TPortList>(Paths({0, 1, 2, 3}));
        // Silent ports wait out every set: a short limit keeps a detection to seconds.
        FOldLimit = TFormSettingsGPS::SetDetectTimeLimit(0.6f);
        Env = Started();
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, DepthKey, RegName(u"Name"), QStringLiteral("Sounder"), err);
    }
    void TearDown() override {
        if (Env) Env->StopNavigation(QString(), false);
        Env.reset();
        TFormSettingsGPS::SetDetectTimeLimit(FOldLimit);
        Ports.reset();
        Lines.clear();
        NavEnvFixture::TearDown();
    }
    std::unique_ptr<TMarivoNavEnv> Started() {
        auto env = Make();
        uint8_t mode = 9;
        env->Start(mode);
        return env;
    }
    QStringList Paths(std::initializer_list<int> which) const {
        QStringList paths;
        for (int i : which) paths << Lines[size_t(i)]->Link();
        return paths;
    }
    // Lets the program read its ports and tick until done() holds; false when a guard of
    // 20 s runs out first (a hung read fails the test instead of hanging it).
    bool RunUntil(const std::function<bool()> &done) {
        QDeadlineTimer guard(20000);
        while (!guard.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            Env->Loop->Advance(1.0f);
            if (done()) return true;
        }
        return false;
    }
    // <name>-day.png and <name>-night.png of what the widget shows, for a look by eye.
    static void DayAndNight(QWidget *widget, const QString &name) { SaveDayAndNight(widget, name); }
    INavBoatGPS *GPS() const { return Env->Boat->GetGPS(); }
    INavMsgPort *PortNamed(const QString &name) const {
        INavMsgDeviceManager *dm = Env->DeviceManager;
        for (int32_t i = 0; i < dm->GetPortCount(); ++i)
            if (NavMsgPortGetName(dm->GetPort(i)) == name) return dm->GetPort(i);
        return nullptr;
    }
    std::unique_ptr<TFormSettingsGPS> Dialog() {
        return std::make_unique<TFormSettingsGPS>(nullptr, Env->DeviceManager, GPS());
    }

    QString Dir;
    // ttyS0, ttyS1, ttyUSB0, ttyUSB1.
    std::vector<std::unique_ptr<TInstrumentLine>> Lines;
    std::unique_ptr<shelltest::TPortList> Ports;
    std::unique_ptr<TMarivoNavEnv> Env;

private:
    float FOldLimit = 0.0f;
};

}  // namespace exchangetest
