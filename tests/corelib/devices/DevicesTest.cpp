// The device manager against pseudo-terminals: recorded receiver logs through a real serial
// line, a receiver that is pulled and plugged in again, port rescans, GPS detection among
// silent and noisy ports, and the settings objects in the settings store.
#include "TestSupport.h"

#include "devices/DeviceManager.h"
#include "devices/NmeaParser.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvDevices.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvProgress.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <pty.h>
#include <random>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

struct NavDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T>
using TOwned = std::unique_ptr<T, NavDeleter>;

TStrWRec R(const QString &s) {
    return {int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())};
}

QString Text(const TStrWRec *r) {
    return QString::fromUtf16(r->Text, r->Length);
}

// A pseudo-terminal whose slave side is reached through a symlink, so that a test can pull
// the "receiver" and plug a new one in under the same port name.
class TPty {
public:
    explicit TPty(QString link, speed_t speed = B38400) : FLink(std::move(link)), FSpeed(speed) {
        Plug();
    }
    ~TPty() { Unplug(); }

    bool Plug() {
        Unplug();
        termios tio{};
        cfmakeraw(&tio);
        cfsetspeed(&tio, FSpeed);
        char name[128];
        if (openpty(&FMaster, &FSlave, name, &tio, nullptr) != 0) return false;
        fcntl(FMaster, F_SETFL, fcntl(FMaster, F_GETFL) | O_NONBLOCK);
        QFile::remove(FLink);
        return QFile::link(QString::fromLocal8Bit(name), FLink);
    }

    // Like a pulled USB receiver, the device name goes away with it: the pseudo-terminal's
    // number is free for the next one opened anywhere on the machine, which must not be
    // mistaken for our receiver coming back.
    void Unplug() {
        QFile::remove(FLink);
        if (FMaster >= 0) ::close(FMaster);
        if (FSlave >= 0) ::close(FSlave);
        FMaster = FSlave = -1;
    }

    // Writes what the line takes now; false when it is full or gone.
    bool Write(const char *data, size_t size, size_t &written) {
        const ssize_t n = ::write(FMaster, data, size);
        written = n > 0 ? size_t(n) : 0;
        return n >= 0 || errno == EAGAIN;
    }

    bool WriteAll(const QByteArray &data) {
        size_t done = 0;
        while (done < size_t(data.size())) {
            size_t n;
            if (!Write(data.constData() + done, size_t(data.size()) - done, n)) return false;
            done += n;
        }
        return true;
    }

    // The line speed the other side set (the slave's termios).
    speed_t LineSpeed() const {
        termios tio{};
        if (tcgetattr(FSlave, &tio) != 0) return B0;
        return cfgetispeed(&tio);
    }

    const QString &Link() const { return FLink; }

private:
    QString FLink;
    speed_t FSpeed;
    int FMaster = -1;
    int FSlave = -1;
};

std::string Sentence(const std::string &body) {
    unsigned sum = 0;
    for (char c : body) sum ^= unsigned(uint8_t(c));
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

void Pump(INavMsgDeviceManager *m) {
    m->Pump(TLoopRecord{1.0f, 0.0});
}

// Pumps (with the event loop running in between) until done() or the time is up.
bool PumpUntil(INavMsgDeviceManager *m, const std::function<bool()> &done, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        Pump(m);
        if (done()) return true;
        QTest::qWait(5);
    }
    return done();
}

void AnswerEnglish(int32_t *language, bool *cancelled) {
    *language = 1;
    *cancelled = false;
}

class Devices : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = testsupport::MakeTempDir(QStringLiteral("devices"));
        FPrevious = kv::SetSerialPortSource([this] {
            QList<kv::TSerialPortCandidate> list;
            for (const QString &p : FPorts) list.append({p, QStringLiteral("test line")});
            return list;
        });
    }
    void TearDown() override {
        kv::SetSerialPortSource(std::move(FPrevious));
        if (FStoreOpened) {
            qputenv("XDG_CONFIG_HOME", FOldConfig);
            qunsetenv("MARIVO_INSTALLATION_SETTINGS");
        }
    }

    QString Link(const QString &name) const { return FDir + '/' + name; }

    // A settings store of this test's own; the environment is put back in TearDown.
    bool OpenStore() {
        FOldConfig = qgetenv("XDG_CONFIG_HOME");
        FStoreOpened = true;
        qputenv("XDG_CONFIG_HOME", (FDir + "/config").toLocal8Bit());
        qputenv("MARIVO_INSTALLATION_SETTINGS", (FDir + "/none.db").toLocal8Bit());
        TGUID product{};
        product.D1 = 0x5C3A9E41;
        return InitApplication(239, 0, &product, R(QStringLiteral("Marivo\\Ostrel")), 21, 3,
                               2024, 2024, 3, 21, AnswerEnglish, nullptr, nullptr, nullptr,
                               R(QStringLiteral("Test")), 9);
    }
    bool FStoreOpened = false;
    QByteArray FOldConfig;

    QString FDir;
    QStringList FPorts;  // what the machine "has"
    kv::TSerialPortSource FPrevious;
};

}  // namespace

TEST_F(Devices, RecordedLogsThroughASerialLineGiveTheDirectlyDecodedState) {
    const QStringList logs =
        QDir(testsupport::TestDataPath("nmea")).entryList({"*.log"}, QDir::Files, QDir::Name);
    ASSERT_FALSE(logs.isEmpty()) << "no recorded NMEA logs in the shared test data";
    for (const QString &name : logs) {
        SCOPED_TRACE(name.toStdString());
        QFile file(testsupport::TestDataPath("nmea/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        kv::TNmeaParser direct;
        direct.Feed(bytes.constData(), size_t(bytes.size()));

        TPty pty(Link(QStringLiteral("gps0")));
        FPorts = {pty.Link()};
        TOwned<INavMsgDeviceManager> manager(NavMsgDeviceManagerCreate(nullptr, 0x2000, 1));
        ASSERT_EQ(manager->GetPortCount(), 1);
        INavMsgPort *port = manager->GetPort(0);
        EXPECT_EQ(Text(port->GetName()), QStringLiteral("gps0"));
        port->Open();
        ASSERT_EQ(kv::NavMsgPortLastError(port), 0);

        // In slices, as a receiver sends: the line holds only a few kilobytes.
        for (qsizetype at = 0; at < bytes.size();) {
            size_t n = 0;
            ASSERT_TRUE(pty.Write(bytes.constData() + at,
                                  size_t(std::min<qsizetype>(512, bytes.size() - at)), n));
            at += qsizetype(n);
            Pump(manager.get());
            QTest::qWait(1);
        }
        const kv::TNmeaStats *stats = kv::NavMsgPortNmeaStats(port);
        ASSERT_TRUE(stats);
        EXPECT_TRUE(PumpUntil(manager.get(), [&] {
            return stats->Valid() + stats->Rejected() == direct.Stats().Valid() + direct.Stats().Rejected();
        }));
        EXPECT_EQ(stats->ByResult, direct.Stats().ByResult);
        const kv::TNmeaNavState &s = *kv::NavMsgPortNavState(port);
        EXPECT_EQ(s.FixCount, direct.State().FixCount);
        EXPECT_EQ(s.PositionValid, direct.State().PositionValid);
        if (direct.State().FixCount > 0) {
            EXPECT_EQ(s.LatRad, direct.State().LatRad);
            EXPECT_EQ(s.LonRad, direct.State().LonRad);
        }
        EXPECT_EQ(s.SatellitesInUse, direct.State().SatellitesInUse);
        EXPECT_EQ(s.HDOP, direct.State().HDOP);
        // The program's clock now runs on the receiver's time of its last fix.
        if (!std::isnan(direct.State().FixTimeUTC)) {
            EXPECT_NEAR(NavMsgGetGPSClock()->GetDateTimeUTC(), direct.State().FixTimeUTC,
                        10.0 / 86400);
        }

        // The monitor's log holds the newest bytes, in order.
        const qsizetype kept = std::min<qsizetype>(bytes.size(), 0x2000);
        EXPECT_EQ(port->GetLogSize(), kept);
        QByteArray logged;
        port->GetInputLog()->Enumerate(
            [](const uint8_t *chunk, int32_t count, void *user) {
                static_cast<QByteArray *>(user)->append(reinterpret_cast<const char *>(chunk), count);
            },
            &logged);
        EXPECT_EQ(logged, bytes.right(kept));
        port->GetInputLog()->Clear();
        EXPECT_EQ(port->GetLogSize(), 0);
        port->Close();
    }
}

TEST_F(Devices, PulledReceiverIsReportedOnceAndRecoversWhenPluggedBackIn) {
    TPty pty(Link(QStringLiteral("ttyUSB0")));
    FPorts = {pty.Link()};
    TOwned<INavMsgDeviceManager> manager(NavMsgDeviceManagerCreate(nullptr, 0x2000, 1));
    std::vector<int32_t> errors;
    int recovered = 0;
    kv::NavMsgDeviceManagerSetEvents(
        manager.get(), {[&](INavMsgPort *, int32_t code, bool) { errors.push_back(code); },
                        [&](INavMsgPort *) { ++recovered; }});
    INavMsgPort *port = manager->GetPort(0);
    port->Open();
    const kv::TNmeaNavState &state = *kv::NavMsgPortNavState(port);
    const std::string fix1 = Sentence("GPGGA,120000,5200.000,N,00500.000,E,1,08,0.9,1.0,M,,M,,");
    const std::string fix2 = Sentence("GPGGA,120001,5200.100,N,00500.000,E,1,08,0.9,1.0,M,,M,,");
    ASSERT_TRUE(pty.WriteAll(QByteArray::fromStdString(fix1)));
    ASSERT_TRUE(PumpUntil(manager.get(), [&] { return state.FixCount == 1; }));

    pty.Unplug();
    EXPECT_TRUE(PumpUntil(manager.get(), [&] { return !errors.empty(); }, 3000));
    for (int i = 0; i < 5; ++i) {  // five more seconds without the receiver
        Pump(manager.get());
        QTest::qWait(10);
    }
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_NE(kv::NavMsgPortLastError(port), 0);
    EXPECT_EQ(recovered, 0);

    ASSERT_TRUE(pty.Plug());
    EXPECT_TRUE(PumpUntil(manager.get(), [&] { return recovered == 1; }, 3000));
    EXPECT_EQ(kv::NavMsgPortLastError(port), 0);
    ASSERT_TRUE(pty.WriteAll(QByteArray::fromStdString(fix2)));
    EXPECT_TRUE(PumpUntil(manager.get(), [&] { return state.FixCount == 2; }));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_NEAR(state.LatRad * 180 / M_PI, 52.0 + 0.1 / 60, 1e-9);
}

TEST_F(Devices, OpeningAMissingPortFailsOnceWithTheReason) {
    FPorts = {Link(QStringLiteral("absent"))};
    TOwned<INavMsgDeviceManager> manager(NavMsgDeviceManagerCreate(nullptr, 0x2000, 1));
    std::vector<std::pair<int32_t, bool>> errors;
    kv::NavMsgDeviceManagerSetEvents(manager.get(),
                                     {[&](INavMsgPort *, int32_t code, bool openFailed) {
                                          errors.emplace_back(code, openFailed);
                                      },
                                      nullptr});
    INavMsgPort *port = manager->GetPort(0);
    EXPECT_FALSE(port->IsAvailable());
    port->Open();
    for (int i = 0; i < 3; ++i) Pump(manager.get());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].first, KvErr::PortNotFound);
    EXPECT_TRUE(errors[0].second);
    port->Close();
    EXPECT_EQ(kv::NavMsgPortLastError(port), 0);
}

TEST_F(Devices, RescanKeepsPortObjectsAndListsOnlyPresentPorts) {
    TPty a(Link(QStringLiteral("ttyS1"))), b(Link(QStringLiteral("ttyS2")));
    FPorts = {a.Link(), b.Link()};
    TOwned<INavMsgDeviceManager> manager(NavMsgDeviceManagerCreate(nullptr, 0x2000, 1));
    ASSERT_EQ(manager->GetPortListCount(), 2);
    INavMsgPort *second = manager->GetPortListItem(1);
    int32_t index = -2;
    EXPECT_EQ(manager->FindPortByID(R(b.Link()), index), 1);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(second->GetKind(), NavMsgPortKind::Serial);
    EXPECT_TRUE(second->IsAvailable());
    EXPECT_TRUE(second->SupportsProtocol(NavMsgProtocol::NMEA));
    EXPECT_EQ(Text(second->GetDescription()), QStringLiteral("test line"));

    FPorts = {a.Link()};
    manager->RescanPorts(1);
    EXPECT_EQ(manager->GetPortCount(), 1);
    EXPECT_FALSE(manager->HasPort(second));
    EXPECT_EQ(manager->FindPortByID(R(b.Link()), index), -1);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(Text(second->GetName()), QStringLiteral("ttyS2"));  // still a live object

    FPorts = {a.Link(), b.Link()};
    manager->RescanPorts(1);
    EXPECT_TRUE(manager->HasPort(second));
    EXPECT_EQ(manager->GetPort(1), second);
    EXPECT_EQ(manager->GetUSBPortCount(), 0);
    EXPECT_EQ(manager->GetOtherPortCount(), 0);
}

TEST_F(Devices, LineSettingsAreCheckedAndTakeEffectOnAnOpenPort) {
    TPty pty(Link(QStringLiteral("ttyS3")), B1200);
    FPorts = {pty.Link()};
    TOwned<INavMsgDeviceManager> manager(NavMsgDeviceManagerCreate(nullptr, 0x2000, 1));
    INavMsgPort *port = manager->GetPort(0);
    port->Open();
    int32_t err = -1;
    port->SetBaudRate(9600, err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(pty.LineSpeed(), speed_t(B9600));
    port->SetStopBits(2, err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(port->GetStopBits(), 2);

    struct Case {
        const char *name;
        std::function<void(int32_t &)> set;
    };
    const Case bad[] = {
        {"baud rate 0", [&](int32_t &e) { port->SetBaudRate(0, e); }},
        {"parity 7", [&](int32_t &e) { port->SetParity(7, e); }},
        {"stop bits 3", [&](int32_t &e) { port->SetStopBits(3, e); }},
        {"data bits 9", [&](int32_t &e) { port->SetDataBits(9, e); }},
        {"flow control 5", [&](int32_t &e) { port->SetFlowControl(5, e); }},
    };
    for (const Case &c : bad) {
        SCOPED_TRACE(c.name);
        err = 0;
        c.set(err);
        EXPECT_EQ(err, KvErr::PortSettings);
        EXPECT_EQ(port->GetBaudRate(), 9600);
        EXPECT_EQ(port->GetStopBits(), 2);
        EXPECT_EQ(port->GetParity(), 0);
    }

    TOwned<INavMsgCommPortSettings> settings(NavMsgCommPortSettingsCreate());
    settings->SetBaudRate(38400);
    settings->SetStopBits(0);
    settings->SetFlowControl(NavMsgLine::FlowXonXoff);
    EXPECT_EQ(port->ApplySettings(settings.get()), 0);
    EXPECT_EQ(pty.LineSpeed(), speed_t(B38400));
    EXPECT_EQ(port->GetFlowControl(), NavMsgLine::FlowXonXoff);
    TOwned<INavMsgPortSettings> usb(NavMsgGarminUSBPortSettingsCreate());
    EXPECT_EQ(port->ApplySettings(usb.get()), KvErr::InvalidArgument);
    EXPECT_EQ(port->GetBaudRate(), 38400);
}

namespace {

// A receiver that answers only at 38400 Bd; at any other rate the UART sees garbage.
class TReceiver {
public:
    explicit TReceiver(TPty &pty) : FPty(pty) {
        FThread = std::thread([this] { Run(); });
    }
    ~TReceiver() {
        FStop = true;
        FThread.join();
    }

private:
    void Run() {
        std::mt19937 random(7);
        const std::string fix =
            Sentence("GPRMC,120000,A,5200.000,N,00500.000,E,5.0,90.0,010124,,") +
            Sentence("GPGGA,120000,5200.000,N,00500.000,E,1,08,0.9,1.0,M,,M,,");
        while (!FStop) {
            size_t n;
            if (FPty.LineSpeed() == B38400) {
                FPty.Write(fix.data(), fix.size(), n);
            } else {
                char junk[20];
                for (char &c : junk) c = char(random());
                FPty.Write(junk, sizeof junk, n);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    TPty &FPty;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

// Random bytes at a high rate, with "$" and commas so that it looks a bit like NMEA.
class TNoise {
public:
    explicit TNoise(TPty &pty) : FPty(pty) {
        FThread = std::thread([this] {
            std::mt19937 random(11);
            while (!FStop) {
                char junk[100];
                for (char &c : junk) {
                    const unsigned r = random() % 64;
                    c = r == 0 ? '$' : r == 1 ? ',' : r == 2 ? '\n' : char(random());
                }
                size_t n;
                FPty.Write(junk, sizeof junk, n);
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
    }
    ~TNoise() {
        FStop = true;
        FThread.join();
    }

private:
    TPty &FPty;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

void AddProbe(INavMsgDetectJob *job, int32_t baudRate, float limit) {
    INavMsgDetectSettings *s = NavMsgDetectSettingsCreate();
    s->SetProtocol(NavMsgProtocol::NMEA);
    INavMsgCommPortSettings *line = s->GetPortSettings();
    line->SetBaudRate(baudRate);
    line->SetDataBits(8);
    line->SetParity(0);
    line->SetStopBits(0);
    line->SetFlowControl(0);
    s->SetTimeLimit1(limit);
    s->SetTimeLimit2(limit);
    job->AddSettings(s);
}

}  // namespace

TEST_F(Devices, DetectionFindsTheReceiverAt38400AmongSilentAndNoisyPorts) {
    TPty silent(Link(QStringLiteral("ttyS0")), B1200);
    TPty noisy(Link(QStringLiteral("ttyS1")), B1200);
    TPty gps(Link(QStringLiteral("ttyUSB0")), B1200);
    FPorts = {silent.Link(), noisy.Link(), gps.Link()};
    TOwned<INavMsgDeviceManager> manager(NavMsgDeviceManagerCreate(nullptr, 0x2000, 1));
    ASSERT_EQ(manager->GetPortCount(), 3);
    TNoise noise(noisy);
    TReceiver receiver(gps);

    INavMsgDeviceDetector *detector = manager->GetDetector();
    for (int32_t i = manager->GetPortCount() - 1; i >= 0; --i) {
        INavMsgDetectJob *job = detector->AddPort(manager->GetPort(i));
        for (int32_t baud : {4800, 9600, 38400}) AddProbe(job, baud, 1.0f);
    }
    detector->SetRunOption(1);
    struct TProgress {
        int Calls = 0;
        int MaxState = 0;
        INavMsgDeviceDetector *Detector;
    } progress{0, 0, detector};
    int32_t err = -1;
    detector->Run(
        false,
        [](void *data, int32_t) {
            auto *p = static_cast<TProgress *>(data);
            ++p->Calls;
            for (int i = 0; i < p->Detector->GetJobCount(); ++i)
                p->MaxState = std::max(p->MaxState, p->Detector->GetJob(i)->GetState());
        },
        &progress, err);
    EXPECT_EQ(err, 0);
    EXPECT_GT(progress.Calls, 10);
    EXPECT_GE(progress.MaxState, 2);  // bytes seen while probing

    ASSERT_EQ(detector->GetResultCount(), 1);
    INavMsgDetectJob *found = detector->GetResult(0);
    EXPECT_EQ(found->GetPort(), manager->GetPort(2));
    ASSERT_TRUE(found->GetFoundSettings());
    EXPECT_EQ(found->GetFoundSettings()->GetProtocol(), NavMsgProtocol::NMEA);
    EXPECT_EQ(found->GetFoundSettings()->GetPortSettings()->GetBaudRate(), 38400);
    EXPECT_TRUE(found->GetFlags() & NavMsgDetectFlag::PositionSeen);
    EXPECT_EQ(found->GetBrand(), 1);
    EXPECT_EQ(found->GetState(), 0);
    EXPECT_EQ(found->GetError(), 0);
    EXPECT_FALSE(found->IsTest());
    EXPECT_EQ(Text(found->GetDeviceName()), QString());
    for (int i = 0; i < detector->GetJobCount(); ++i) {
        INavMsgDetectJob *job = detector->GetJob(i);
        if (job == found) continue;
        SCOPED_TRACE(Text(job->GetPort()->GetName()).toStdString());
        EXPECT_EQ(job->GetFoundSettings(), nullptr);
        EXPECT_EQ(job->GetError(), 0);
        EXPECT_EQ(job->GetState(), 0);
    }
    detector->Clear();
    EXPECT_EQ(detector->GetJobCount(), 0);
    EXPECT_EQ(detector->GetResultCount(), 0);
}

TEST_F(Devices, DetectionCancelledFromTheCallbackEndsWithError2) {
    TPty silent(Link(QStringLiteral("ttyS0")));
    FPorts = {silent.Link(), Link(QStringLiteral("missing"))};
    TOwned<INavMsgDeviceManager> manager(NavMsgDeviceManagerCreate(nullptr, 0x2000, 1));
    INavMsgDeviceDetector *detector = manager->GetDetector();
    INavMsgDetectJob *missing = detector->AddPort(manager->GetPort(1));
    AddProbe(missing, 4800, 5.0f);
    AddProbe(detector->AddPort(manager->GetPort(0)), 4800, 5.0f);
    QElapsedTimer t;
    t.start();
    int32_t err = 0;
    detector->Run(
        true, [](void *data, int32_t) { static_cast<INavMsgDeviceDetector *>(data)->Cancel(); },
        detector, err);
    EXPECT_EQ(err, KvErr::Cancelled);
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_EQ(detector->GetResultCount(), 0);
    EXPECT_EQ(missing->GetError(), KvErr::PortNotFound);
    EXPECT_TRUE(missing->IsTest());
    detector->Clear();
}

TEST_F(Devices, SettingsObjectsRoundTripThroughTheSettingsStore) {
    ASSERT_TRUE(OpenStore());
    TOwned<IStrW> path(StrWCreate(u"", 0));
    int32_t err = -1;
    GetAppReg()->GetKeyPath(AppRegRoot::Product, R(QStringLiteral("NavMsgDeviceManager")), err,
                            path.get());
    ASSERT_EQ(err, 0);
    const QString base = Text(path->GetRec());

    // Port settings as the GPS dialog stores them, read back by the manager for its port.
    TPty pty(Link(QStringLiteral("ttyACM0")));
    FPorts = {pty.Link()};
    TOwned<INavMsgCommPortSettings> port(NavMsgCommPortSettingsCreate());
    port->SetPortPair({0, 0});
    port->SetBaudRate(38400);
    port->SetDataBits(8);
    port->SetFlowControl(NavMsgLine::FlowXonXoff);
    port->SetStopBits(NavMsgLine::StopBitsTwo);
    port->SetPortID(R(pty.Link()));
    port->SetPortName(R(QStringLiteral("ttyACM0")));
    port->SaveToReg(R(base + "\\Ports\\Port1"), err);
    ASSERT_EQ(err, 0);
    TOwned<INavMsgDeviceManager> manager(NavMsgDeviceManagerCreate(nullptr, 0x2000, 1));
    manager->SetRegKey(R(base));
    INavMsgPort *p = manager->GetPort(0);
    EXPECT_EQ(p->GetBaudRate(), 38400);
    EXPECT_EQ(p->GetStopBits(), NavMsgLine::StopBitsTwo);
    EXPECT_EQ(p->GetFlowControl(), NavMsgLine::FlowXonXoff);

    TOwned<INavMsgGPSSettings> gps(NavMsgGPSSettingsCreate());
    gps->SetName(R(QStringLiteral("GPS receiver")));
    gps->SetModel(2);
    gps->SetPoint({230, 10});
    gps->SaveToReg(R(base + "\\Devices\\GPS"), err);
    ASSERT_EQ(err, 0);
    QStringList names;
    TOwned<IStrWList> list(StrWListCreate());
    GetAppReg()->GetValueNames(AppRegRoot::CurrentUser, R(base + "\\Devices\\GPS"), list.get(), err);
    EXPECT_EQ(err, 0);
    EXPECT_GE(StrWListGetCount(list.get()), 4);
    EXPECT_EQ(GetAppReg()->ReadIntegerDef(AppRegRoot::CurrentUser, R(base + "\\Devices\\GPS"),
                                          ValueName(R(QStringLiteral("Model"))), -1),
              2);

    // A missing key leaves the defaults; an existing one is read whole.
    TOwned<INavMsgGPSSettings> missing(NavMsgGPSSettingsCreate());
    missing->LoadFromReg(R(base + "\\Devices\\None"));
    missing->SaveToReg(R(base + "\\Devices\\Copy"), err);
    EXPECT_EQ(GetAppReg()->ReadIntegerDef(AppRegRoot::CurrentUser, R(base + "\\Devices\\Copy"),
                                          ValueName(R(QStringLiteral("Model"))), -1),
              0);
    TOwned<INavMsgGPSSettings> loaded(NavMsgGPSSettingsCreate());
    loaded->LoadFromReg(R(base + "\\Devices\\GPS"));
    loaded->SaveToReg(R(base + "\\Devices\\Copy"), err);
    EXPECT_EQ(GetAppReg()->ReadIntegerDef(AppRegRoot::CurrentUser, R(base + "\\Devices\\Copy"),
                                          ValueName(R(QStringLiteral("Model"))), -1),
              2);
}

TEST(DeviceModels, CountIncludesTheUnspecifiedModel) {
    struct Case {
        int32_t brand, count;
    };
    for (const Case &c : {Case{1, 1}, Case{2, 3}, Case{3, 1}, Case{4, 3}, Case{5, 3}, Case{6, 5},
                          Case{0, 0}, Case{7, 0}}) {
        SCOPED_TRACE(c.brand);
        EXPECT_EQ(NavMsgGetDeviceModelCount(c.brand), c.count);
    }
}

namespace {

struct TConnectLog {
    int Connected = 0;
    std::vector<int32_t> Errors;
    std::vector<std::pair<int32_t, bool>> PortProblems;
};

void Connect(INavMsgGPSDevice *device, TConnectLog &log) {
    device->ConnectAsync([](void *d) { ++static_cast<TConnectLog *>(d)->Connected; }, &log,
                         [](void *d, int32_t code) { static_cast<TConnectLog *>(d)->Errors.push_back(code); },
                         &log,
                         [](void *d, INavMsgPort *, int32_t code, bool openFailed) {
                             static_cast<TConnectLog *>(d)->PortProblems.emplace_back(code, openFailed);
                         },
                         &log);
    QTest::qWait(20);
}

}  // namespace

TEST_F(Devices, TransferDeviceListensForWaypointsAndRoutesOnTheReceiverPort) {
    ASSERT_TRUE(OpenStore());
    TPty pty(Link(QStringLiteral("ttyUSB1")));
    FPorts = {pty.Link()};
    TOwned<INavMsgDeviceManager> manager(NavMsgDeviceManagerCreate(nullptr, 0x2000, 1));
    INavMsgGPSDevice *device = manager->GetGPSDevice();
    ASSERT_TRUE(device);
    kv::NavMsgGPSDeviceSetQuietTimes(device, 3000, 300);

    TConnectLog noPort;
    Connect(device, noPort);
    EXPECT_EQ(noPort.Connected, 0);
    EXPECT_EQ(noPort.Errors, std::vector<int32_t>{KvErr::NoGPSPort});

    // The own ship's GPS settings name the port by its identifier.
    INavMsgPort *port = manager->GetPort(0);
    const QString key = QStringLiteral("Software\\Test\\GPS");
    int32_t err = -1;
    GetAppReg()->WriteString(AppRegRoot::CurrentUser, R(key), ValueName(R(QStringLiteral("PortID"))),
                             *port->GetID(), err);
    ASSERT_EQ(err, 0);
    TOwned<INavMsgGPSSettings> settings(NavMsgGPSSettingsCreate());
    settings->LoadFromReg(R(key));
    device->ApplyDeviceSettings(settings.get());
    EXPECT_EQ(device->GetPort(), port);
    EXPECT_EQ(device->GetProtocol(), NavMsgProtocol::NMEA);
    EXPECT_EQ(device->GetCapabilities(err), NavMsgTransfer::NMEACapabilities);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(Text(device->GetProductText(0)), QStringLiteral("NMEA 0183"));

    port->Open();  // the own ship was using it: the device takes the line over
    TConnectLog log;
    Connect(device, log);
    EXPECT_EQ(log.Connected, 1);
    EXPECT_TRUE(log.Errors.empty());
    ASSERT_TRUE(device->IsConnected());

    ASSERT_TRUE(pty.WriteAll(QByteArray::fromStdString(
        Sentence("GPWPL,5222.500,N,00454.000,E,HOME") + Sentence("GPWPL,5230.000,N,00500.000,E,B7") +
        Sentence("GPRTE,1,1,c,R1,HOME,B7"))));
    struct TReports {
        std::vector<TNavMsgTransferStatus> All;
    } reports;
    TProgressEx progress;
    progress.Callback = [](void *data, TProgressEx *p) {
        static_cast<TReports *>(data)->All.push_back(*p->Status);
    };
    progress.Data = &reports;
    // Tracks only: nothing is stored, so no database is needed; what came in is kept.
    EXPECT_EQ(device->Download(nullptr, nullptr, NavMsgTransfer::RequestTracks, &progress), 0);
    ASSERT_GE(reports.All.size(), 2u);
    EXPECT_EQ(reports.All.front().Stage, NavMsgTransfer::StageStart);
    EXPECT_EQ(reports.All.back().Stage, NavMsgTransfer::StageFinished);
    EXPECT_EQ(reports.All.back().WaypointCount, -1);
    EXPECT_EQ(reports.All.back().TransferMax, -1);
    const kv::TNmeaTransferCollector *got = kv::NavMsgGPSDeviceCollected(device);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->Waypoints().size(), 2u);
    ASSERT_EQ(got->Routes().size(), 1u);
    EXPECT_EQ(got->Routes()[0].Points.size(), 2u);

    // Waypoints wanted but no database to put them in.
    EXPECT_EQ(device->Download(nullptr, nullptr, NavMsgTransfer::RequestWaypoints, &progress),
              KvErr::InvalidArgument);

    // Stopped from the progress callback: ends at once with a final report.
    reports.All.clear();
    progress.Callback = [](void *data, TProgressEx *p) {
        auto *r = static_cast<std::pair<TReports *, INavMsgGPSDevice *> *>(data);
        r->first->All.push_back(*p->Status);
        r->second->StopTransfer();
    };
    std::pair<TReports *, INavMsgGPSDevice *> both{&reports, device};
    progress.Data = &both;
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(device->Download(nullptr, nullptr, NavMsgTransfer::RequestTracks, &progress), 0);
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_EQ(reports.All.back().Stage, NavMsgTransfer::StageFinished);

    device->EndTransfer();
    EXPECT_FALSE(device->IsConnected());
    // The own ship gets its port back.
    ASSERT_TRUE(pty.WriteAll(QByteArray::fromStdString(
        Sentence("GPGGA,120000,5200.000,N,00500.000,E,1,08,0.9,1.0,M,,M,,"))));
    const kv::TNmeaNavState &state = *kv::NavMsgPortNavState(port);
    EXPECT_TRUE(PumpUntil(manager.get(), [&] { return state.FixCount == 1; }));

    // A port that vanished: the port problem comes first, then the error, once each.
    pty.Unplug();
    QFile::remove(pty.Link());
    TConnectLog gone;
    Connect(device, gone);
    EXPECT_EQ(gone.Connected, 0);
    ASSERT_EQ(gone.PortProblems.size(), 1u);
    EXPECT_TRUE(gone.PortProblems[0].second);
    ASSERT_EQ(gone.Errors.size(), 1u);
    EXPECT_EQ(gone.Errors[0], gone.PortProblems[0].first);
}

namespace {

constexpr double DegToRad = 3.14159265358979323846 / 180.0;

struct TSentPoint {
    const char *Name;
    double LatDeg, LonDeg;
};

// What a receiver sends when the user starts "send all": four waypoints and three routes, the
// middle message of R2 lost on the line. Names as receivers send them (upper case, spaces).
const TSentPoint kSentPoints[] = {{"HOME", 52.375, 4.9},
                                  {"BUOY 7", -33.5, -70.25},
                                  {"LOCK", 52.51666666666667, 5.016666666666667},
                                  {"PIER", 0.25, -0.5}};

std::string DownloadSentences() {
    return Sentence("GPWPL,5222.500,N,00454.000,E,HOME") +
           Sentence("GPWPL,3330.000,S,07015.000,W,BUOY 7") +
           Sentence("GPRTE,2,1,c,HARBOUR,HOME,BUOY 7") + Sentence("GPRTE,2,2,c,HARBOUR,LOCK") +
           Sentence("GPRTE,3,1,c,LOST,PIER,HOME") + Sentence("GPRTE,3,3,c,LOST,LOCK") +
           Sentence("GPWPL,5231.000,N,00501.000,E,LOCK") +
           Sentence("GPWPL,0015.000,N,00030.000,W,PIER") +
           Sentence("GPRTE,1,1,c,BACK,PIER,LOCK,HOME");
}

QString Q(const TStrWRec *r) {
    return r ? QString(reinterpret_cast<const QChar *>(r->Text), r->Length) : QString();
}

struct TWptManagerDeleter {
    void operator()(IWptManager *m) const { ObjectDelete(m); }
};

std::unique_ptr<IWptManager, TWptManagerDeleter> MakeWptManager() {
    int32_t err = -1;
    const QString font = QStringLiteral("DejaVu Sans");
    std::unique_ptr<IWptManager, TWptManagerDeleter> m(
        WptManagerCreate(nullptr, nullptr, 0, 15.5f, 15.5f, R(font), 10.0f, 0, 0xFF000000u, 8.0f,
                         1, 0xFF0000FFu, 8.0f, 2, 0xFF00FF00u, 5, nullptr, false, nullptr,
                         nullptr, nullptr, nullptr, err));
    EXPECT_EQ(err, KvErr::Ok);
    return m;
}

}  // namespace

// The download path end to end: sentences over the serial line into an in-memory database.
TEST_F(Devices, DownloadStoresWaypointsAndRoutesInTheDatabase) {
    ASSERT_TRUE(OpenStore());
    using namespace NavMsgTransfer;
    struct Case {
        const char *name;
        uint32_t flags;
        bool waypoints, routes;
    };
    const Case cases[] = {
        {"waypoints and routes", RequestWaypoints | RequestRoutes, true, true},
        {"waypoints only", RequestWaypoints, true, false},
        {"routes only", RequestRoutes, false, true},
    };
    // Route ID and the names of its points in order; LOST lost its second message.
    const std::vector<std::pair<QString, QStringList>> kRoutes = {
        {QStringLiteral("HARBOUR"), {QStringLiteral("HOME"), QStringLiteral("BUOY 7"), QStringLiteral("LOCK")}},
        {QStringLiteral("BACK"), {QStringLiteral("PIER"), QStringLiteral("LOCK"), QStringLiteral("HOME")}}};
    auto sent = [](const QString &name) -> const TSentPoint & {
        return *std::find_if(std::begin(kSentPoints), std::end(kSentPoints),
                             [&](const TSentPoint &p) { return name == QLatin1String(p.Name); });
    };

    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TPty pty(Link(QStringLiteral("ttyUSB2")));
        FPorts = {pty.Link()};
        TOwned<INavMsgDeviceManager> manager(NavMsgDeviceManagerCreate(nullptr, 0x2000, 1));
        INavMsgGPSDevice *device = manager->GetGPSDevice();
        ASSERT_TRUE(device);
        kv::NavMsgGPSDeviceSetQuietTimes(device, 3000, 300);
        const QString key = QStringLiteral("Software\\Test\\GPSDownload");
        int32_t err = -1;
        GetAppReg()->WriteString(AppRegRoot::CurrentUser, R(key),
                                 ValueName(R(QStringLiteral("PortID"))),
                                 *manager->GetPort(0)->GetID(), err);
        ASSERT_EQ(err, 0);
        TOwned<INavMsgGPSSettings> settings(NavMsgGPSSettingsCreate());
        settings->LoadFromReg(R(key));
        device->ApplyDeviceSettings(settings.get());
        TConnectLog log;
        Connect(device, log);
        ASSERT_TRUE(device->IsConnected());

        auto wpt = MakeWptManager();
        ASSERT_TRUE(wpt);
        IWptDatabase *db = wpt->NewDatabase(R(QStringLiteral("Download")));
        ASSERT_TRUE(db);

        ASSERT_TRUE(pty.WriteAll(QByteArray::fromStdString(DownloadSentences())));
        struct TLast {
            TNavMsgTransferStatus Status;
        } last;
        TProgressEx progress;
        progress.Callback = [](void *data, TProgressEx *p) {
            static_cast<TLast *>(data)->Status = *p->Status;
        };
        progress.Data = &last;
        // The route that lost a message is left out, and the result says so when routes
        // were asked for.
        EXPECT_EQ(device->Download(db, nullptr, c.flags, &progress),
                  c.routes ? KvErr::PortProtocol : KvErr::Ok);
        device->EndTransfer();
        EXPECT_EQ(last.Status.Stage, StageFinished);
        EXPECT_EQ(last.Status.WaypointCount, c.waypoints ? 4 : -1);
        EXPECT_EQ(last.Status.RouteCount, c.routes ? 2 : -1);
        EXPECT_EQ(last.Status.RoutePointCount, c.routes ? 6 : -1);

        // Waypoints: names and positions as sent, in the order they came.
        QStringList names;
        for (int32_t i = 0; i < wpt->GetWaypointCount(); ++i) {
            IWptWaypoint *w = wpt->GetWaypoint(i);
            ASSERT_EQ(w->GetDatabase(), db);
            names << Q(w->GetName());
            const TSentPoint &p = sent(names.back());
            EXPECT_NEAR(w->GetLatitude(), p.LatDeg * DegToRad, 1e-9) << p.Name;
            EXPECT_NEAR(w->GetLongitude(), p.LonDeg * DegToRad, 1e-9) << p.Name;
        }
        EXPECT_EQ(names, c.waypoints ? QStringList({"HOME", "BUOY 7", "LOCK", "PIER"}) : QStringList());

        // Routes: the complete ones, each with its points in order at the sent positions;
        // the route with the lost message is gone, and nothing of it leaked into the others.
        ASSERT_EQ(db->GetRouteCount(), c.routes ? int32_t(kRoutes.size()) : 0);
        for (int32_t r = 0; r < db->GetRouteCount(); ++r) {
            IWptRoute *route = db->GetRoute(r);
            SCOPED_TRACE(Q(route->GetName()).toStdString());
            EXPECT_EQ(Q(route->GetName()), kRoutes[size_t(r)].first);
            const QStringList &want = kRoutes[size_t(r)].second;
            ASSERT_EQ(route->GetPointCount(), want.size());
            for (int32_t i = 0; i < route->GetPointCount(); ++i) {
                IWptRoutePoint *point = route->GetPoint(i);
                const TSentPoint &p = sent(want[i]);
                EXPECT_EQ(point->GetIndex(), i);
                EXPECT_NEAR(point->GetPosition()->Lat, p.LatDeg * DegToRad, 1e-9) << p.Name;
                EXPECT_NEAR(point->GetPosition()->Lon, p.LonDeg * DegToRad, 1e-9) << p.Name;
                EXPECT_EQ(Q(point->GetDisplayName()), want[i]);
                // With the waypoints downloaded too, the route follows them.
                IWptWaypoint *w = point->GetWaypoint();
                if (c.waypoints) {
                    ASSERT_TRUE(w);
                    EXPECT_EQ(Q(w->GetName()), want[i]);
                } else {
                    EXPECT_FALSE(w);
                }
            }
        }
        db->Close();
    }
}
