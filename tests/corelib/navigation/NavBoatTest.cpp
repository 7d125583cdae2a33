// The own ship on a GPS behind a pseudo-terminal: recorded receiver logs give the position,
// speed, course and receiver figures of their last fix; the no-answer and no-position
// reports come once, at their time on the loop's clock, and clear when positions return;
// the active track records at its interval and distance; the logbook's recording switch.
#include "TestSupport.h"

#include "devices/DeviceManager.h"
#include "devices/NmeaParser.h"
#include "navigation/NavBoat.h"

#include <KvLibNav6/KvDevices.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvLogbook.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvTracks.h>

#include <GeographicLib/Geodesic.hpp>

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <numbers>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr double Deg = 180.0 / std::numbers::pi;

struct NavDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T>
using TOwned = std::unique_ptr<T, NavDeleter>;

TStrWRec R(const QString &s) {
    return {int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())};
}

// A receiver on the master side of a pseudo-terminal; the port opens the slave through a
// symlink.
class TReceiver {
public:
    explicit TReceiver(QString link) : FLink(std::move(link)) {
        termios tio{};
        cfmakeraw(&tio);
        cfsetspeed(&tio, B4800);
        char name[128];
        if (openpty(&FMaster, &FSlave, name, &tio, nullptr) != 0) return;
        fcntl(FMaster, F_SETFL, fcntl(FMaster, F_GETFL) | O_NONBLOCK);
        QFile::remove(FLink);
        QFile::link(QString::fromLocal8Bit(name), FLink);
    }
    ~TReceiver() {
        QFile::remove(FLink);
        if (FMaster >= 0) ::close(FMaster);
        if (FSlave >= 0) ::close(FSlave);
    }
    bool Ok() const { return FMaster >= 0; }
    const QString &Link() const { return FLink; }
    // Writes what the line takes now.
    size_t Write(const char *data, size_t size) {
        const ssize_t n = ::write(FMaster, data, size);
        return n > 0 ? size_t(n) : 0;
    }

private:
    QString FLink;
    int FMaster = -1, FSlave = -1;
};

std::string Sentence(const std::string &body) {
    unsigned sum = 0;
    for (char c : body) sum ^= unsigned(uint8_t(c));
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

struct TCalls {
    int Started = 0;
    std::vector<int32_t> DeviceErrors;
    std::vector<std::pair<int32_t, bool>> GPSErrors;
    std::vector<int32_t> NoPosition;
    int Cleared = 0;
    std::vector<double> NoPositionSecondsAtReport;
};

void OnStarted(void *d, intptr_t) { ++static_cast<TCalls *>(d)->Started; }
void OnDeviceError(void *d, INavMsgPort *, int32_t code, bool) {
    static_cast<TCalls *>(d)->DeviceErrors.push_back(code);
}
void OnGPSError(void *d, INavBoatGPS *, int32_t code, bool flag) {
    static_cast<TCalls *>(d)->GPSErrors.emplace_back(code, flag);
}
void OnNoPosition(void *d, INavBoatGPS *gps, int32_t situation) {
    static_cast<TCalls *>(d)->NoPosition.push_back(situation);
    static_cast<TCalls *>(d)->NoPositionSecondsAtReport.push_back(gps->GetNoPositionSeconds());
}
void OnCleared(void *d) { ++static_cast<TCalls *>(d)->Cleared; }

class OwnShip : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = testsupport::MakeTempDir(QStringLiteral("ownship"));
        FPrevious = kv::SetSerialPortSource([this] {
            QList<kv::TSerialPortCandidate> list;
            for (const QString &p : FPorts) list.append({p, QString()});
            return list;
        });
    }
    void TearDown() override {
        FBoat.reset();
        FManager.reset();
        kv::SetSerialPortSource(std::move(FPrevious));
    }

    // Manager and own ship on one receiver; the GPS attached to its port.
    void Make(TReceiver *receiver) {
        FBoat.reset();  // the device manager must outlive the own ship
        FPorts.clear();
        if (receiver) FPorts.append(receiver->Link());
        FManager.reset(NavMsgDeviceManagerCreate(nullptr, 0x2000, 1));
        FBoat.reset(NavBoatCreate(nullptr, nullptr, FManager.get(), 0, nullptr, 0, nullptr, 1, 0, 0,
                                  0, OnStarted, &FCalls, OnDeviceError, &FCalls, OnGPSError,
                                  &FCalls, OnNoPosition, &FCalls, OnCleared, &FCalls, nullptr,
                                  nullptr));
        if (receiver) {
            int32_t err = -1;
            FBoat->GetGPS()->SetPort(FManager->GetPort(0), err);
            EXPECT_EQ(err, KvErr::Ok);
        }
    }

    // One second of the loop: the sentences go out, the manager takes them in, the own
    // ship updates.
    uint32_t Second(TReceiver &rx, const std::string &text = std::string()) {
        const kv::TNmeaStats *stats = kv::NavMsgPortNmeaStats(FManager->GetPort(0));
        const uint32_t before = stats->Valid() + stats->Rejected();
        size_t done = 0;
        while (done < text.size()) done += rx.Write(text.data() + done, text.size() - done);
        const uint32_t lines = uint32_t(std::count(text.begin(), text.end(), '\n'));
        QElapsedTimer t;
        t.start();
        do {
            QTest::qWait(2);
            FManager->Pump(TLoopRecord{1.0f, FTime});
        } while (stats->Valid() + stats->Rejected() < before + lines && t.elapsed() < 3000);
        EXPECT_EQ(stats->Valid() + stats->Rejected(), before + lines);
        FTime += 1.0 / 86400;
        uint32_t flags = 0;
        FBoat->UpdateSecond(TLoopRecord{1.0f, FTime}, 0, 0, nullptr, flags);
        return flags;
    }

    QString FDir;
    QStringList FPorts;
    kv::TSerialPortSource FPrevious;
    TCalls FCalls;
    TOwned<INavMsgDeviceManager> FManager;
    TOwned<INavBoat> FBoat;
    TDateTime FTime = 45500.25;
};

const std::string Fix1 = Sentence("GPGGA,060000,5200.000,N,00500.000,E,1,07,1.2,3.0,M,,M,,");
const std::string NoFix = Sentence("GPGGA,060000,,,,,0,00,,,M,,M,,");
const std::string Satellites = Sentence("GPGSV,1,1,01,12,40,120,35");

}  // namespace

TEST_F(OwnShip, RecordedLogsGiveThePositionAndFiguresOfTheirLastFix) {
    const QStringList logs =
        QDir(testsupport::TestDataPath("nmea")).entryList({"*.log"}, QDir::Files, QDir::Name);
    ASSERT_FALSE(logs.isEmpty()) << "no recorded NMEA logs in the shared test data";
    int checked = 0;
    for (const QString &name : logs) {
        SCOPED_TRACE(name.toStdString());
        QFile file(testsupport::TestDataPath("nmea/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        kv::TNmeaParser direct;
        direct.Feed(bytes.constData(), size_t(bytes.size()));
        const kv::TNmeaNavState &want = direct.State();

        TReceiver rx(FDir + "/gps0");
        ASSERT_TRUE(rx.Ok());
        FCalls = TCalls();
        Make(&rx);
        FBoat->Start(false);
        EXPECT_EQ(FBoat->GetNavigationState(), NavBoat::Navigating);
        EXPECT_EQ(FCalls.Started, 1);
        const kv::TNmeaStats *stats = kv::NavMsgPortNmeaStats(FManager->GetPort(0));
        for (qsizetype at = 0; at < bytes.size();) {
            at += qsizetype(rx.Write(bytes.constData() + at, size_t(std::min<qsizetype>(512, bytes.size() - at))));
            FManager->Pump(TLoopRecord{1.0f, FTime});
            QTest::qWait(1);
        }
        QElapsedTimer t;
        t.start();
        while (stats->Valid() + stats->Rejected() < direct.Stats().Valid() + direct.Stats().Rejected() &&
               t.elapsed() < 5000) {
            QTest::qWait(2);
            FManager->Pump(TLoopRecord{1.0f, FTime});
        }
        uint32_t flags = 0;
        FBoat->UpdateSecond(TLoopRecord{1.0f, FTime}, 0, 0, nullptr, flags);

        TGeoPoint pos{};
        if (!want.PositionValid) {
            EXPECT_FALSE(FBoat->GetPosition(pos));
            continue;
        }
        ++checked;
        ASSERT_TRUE(FBoat->GetPosition(pos));
        EXPECT_EQ(pos.Lat, want.LatRad);
        EXPECT_EQ(pos.Lon, want.LonRad);
        EXPECT_TRUE(flags & NavBoat::ChangeCurrentValues);
        INavBoatState *state = FBoat->GetState();
        if (kv::NmeaKnown(want.SOGKn) && kv::NmeaKnown(want.COGTrueDeg)) {
            EXPECT_NEAR(state->GetVAbsLength(), want.SOGKn * 1852.0 / 3600.0, 1e-4);
            EXPECT_NEAR(state->GetVAbsAngle(), std::fmod(want.COGTrueDeg, 360.0) / Deg, 1e-5);
            EXPECT_TRUE(FBoat->IsValueValid(NavBoat::ValueCourseAndSpeed));
        }
        INavBoatGPS *gps = FBoat->GetGPS();
        int32_t n = -5;
        float hdop = -5;
        EXPECT_EQ(gps->GetSatsUsed(n), want.SatellitesInUse >= 0);
        if (want.SatellitesInUse >= 0) {
            EXPECT_EQ(n, want.SatellitesInUse);
        }
        EXPECT_EQ(gps->GetHDOP(hdop), kv::NmeaKnown(want.HDOP));
        if (kv::NmeaKnown(want.HDOP)) {
            EXPECT_FLOAT_EQ(hdop, float(want.HDOP));
        }
        EXPECT_EQ(gps->GetFixQuality(n), want.FixQuality >= 0);
        EXPECT_EQ(gps->GetNoPositionSeconds(), 0.0f);
        EXPECT_TRUE(FCalls.GPSErrors.empty());
        FBoat->Stop();
        EXPECT_EQ(FBoat->GetNavigationState(), NavBoat::NavigationOff);
    }
    EXPECT_GT(checked, 0);
}

TEST_F(OwnShip, NoAnswerAndNoPositionAreReportedOnceAtTheirTime) {
    struct Case {
        const char *name;
        std::vector<std::string> seconds;  // what the receiver sends in each second
        int reportAt;                      // second (1-based) of the report, 0 = none
        std::vector<std::pair<int32_t, bool>> gpsErrors;
        std::vector<int32_t> noPosition;
    };
    std::vector<std::string> silent(14), talking(14, Satellites), lostFix(16, NoFix);
    lostFix[0] = lostFix[1] = Fix1;
    std::vector<std::string> stopsTalking(14);
    stopsTalking[0] = stopsTalking[1] = Fix1;
    const Case cases[] = {
        {"silent from the start", silent, 10, {{KvErr::GPSSilent, true}}, {}},
        {"talks without positions", talking, 10, {}, {NavBoatGPS::NoPositionSinceOpened}},
        {"fix lost", lostFix, 12, {}, {NavBoatGPS::NoPositionForAWhile}},
        {"falls silent", stopsTalking, 12, {{KvErr::GPSSilent, false}}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TReceiver rx(FDir + "/gps1");
        ASSERT_TRUE(rx.Ok());
        FCalls = TCalls();
        Make(&rx);
        FBoat->Start(false);
        for (size_t i = 0; i < c.seconds.size(); ++i) {
            Second(rx, c.seconds[i]);
            const bool due = c.reportAt > 0 && int(i) + 1 >= c.reportAt;
            ASSERT_EQ(FCalls.GPSErrors.size() + FCalls.NoPosition.size(), due ? 1u : 0u) << "second " << i + 1;
        }
        EXPECT_EQ(FCalls.GPSErrors, c.gpsErrors);
        EXPECT_EQ(FCalls.NoPosition, c.noPosition);
        if (!c.noPosition.empty()) {
            EXPECT_FLOAT_EQ(float(FCalls.NoPositionSecondsAtReport[0]), 10.0f);
        }
        EXPECT_EQ(FBoat->GetGPS()->IsConnected() != 0, c.gpsErrors.empty());
        if (c.reportAt == 12) {
            // The last fix stays as the position; course and speed are no longer current.
            EXPECT_TRUE(FBoat->HasPosition());
            EXPECT_FALSE(FBoat->IsValueValid(NavBoat::ValueCourseAndSpeed));
        }
        // Positions again: the error box is taken away, and the report comes back only
        // after a new episode.
        EXPECT_EQ(FCalls.Cleared, 0);
        Second(rx, Fix1);
        EXPECT_EQ(FCalls.Cleared, 1);
        EXPECT_EQ(FBoat->GetGPS()->GetNoPositionSeconds(), 0.0f);
        EXPECT_EQ(FBoat->GetGPS()->IsConnected(), 1);
        FBoat->Stop();
    }
}

TEST_F(OwnShip, StartingWithoutAPortReportsNoGPSPort) {
    Make(nullptr);
    FBoat->Start(false);
    ASSERT_EQ(FCalls.GPSErrors.size(), 1u);
    EXPECT_EQ(FCalls.GPSErrors[0].first, KvErr::NoGPSPort);
    EXPECT_EQ(FCalls.Started, 0);
    EXPECT_EQ(FBoat->GetNavigationState(), NavBoat::NavigationOff);
    // The simulator needs a position to sail from.
    FBoat->Start(true);
    EXPECT_FALSE(FBoat->IsSimulating());
    FBoat->SetPosition(TGeoPoint{0.9, 0.08});
    FBoat->Start(true);
    EXPECT_TRUE(FBoat->IsSimulating());
    EXPECT_EQ(FCalls.Started, 1);
}

TEST_F(OwnShip, ActiveTrackRecordsAtTheIntervalAndDistance) {
    struct Case {
        const char *name;
        float speed;     // m/s
        float interval;  // s
        float distance;  // m
        int seconds;
        int points;
    };
    const Case cases[] = {
        // The first point comes with the first update, then one at seconds 6, 11, ...
        {"interval governs", 5.0f, 5.0f, 10.0f, 60, 12},  // 25 m every 5 s
        {"distance governs", 1.0f, 5.0f, 10.0f, 60, 6},   // 5 m every 5 s: every 10 s
        {"every second", 3.0f, 1.0f, 0.0f, 20, 20},
        {"at anchor", 0.0f, 5.0f, 10.0f, 30, 1},
    };
    Make(nullptr);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = FDir + "/" + c.name + ".trk";
        TOwned<INavTrack> track(NavTrackCreate2(R(file), false));
        kv::NavBoatSetTrackRecording(FBoat.get(), c.interval, c.distance);
        FBoat->SetPosition(TGeoPoint{52.0 / Deg, 5.0 / Deg});
        const TVector v{c.speed, float(std::numbers::pi / 2)};
        FBoat->GetState()->SetState(&v, nullptr, nullptr, nullptr, 0, 0, 0, true, true, 8);
        FBoat->Start(true);
        FBoat->AttachTrack(track.get());
        EXPECT_EQ(FBoat->GetTrack(), track.get());
        double before = FBoat->GetDistanceOverGround();
        for (int i = 0; i < c.seconds; ++i) {
            FTime += 1.0 / 86400;
            uint32_t flags = 0;
            FBoat->UpdateSecond(TLoopRecord{1.0f, FTime}, 0, 0, nullptr, flags);
            EXPECT_EQ((flags & NavBoat::ChangeDistance) != 0, c.speed > 0 && i > 0);
        }
        FBoat->AttachTrack(nullptr);
        FBoat->Stop();
        ASSERT_EQ(track->GetPointCount(), c.points);
        for (int i = 1; i < c.points; ++i) {
            const TTrackPoint *a = track->GetPoint(i - 1), *b = track->GetPoint(i);
            EXPECT_GE((b->Time - a->Time) * 86400, c.interval - 0.01);
            double s = 0;
            GeographicLib::Geodesic::WGS84().Inverse(
                a->Lat / TrackPointUnitsPerRadian * Deg, a->Lon / TrackPointUnitsPerRadian * Deg,
                b->Lat / TrackPointUnitsPerRadian * Deg, b->Lon / TrackPointUnitsPerRadian * Deg, s);
            EXPECT_GE(s, c.distance - 0.2);
        }
        EXPECT_NEAR(FBoat->GetDistanceOverGround() - before, c.speed * (c.seconds - 1), 0.01);
        // The file holds what was recorded once the track is closed.
        track.reset();
        int32_t err = -1;
        TOwned<INavTrack> loaded(NavTrackCreate3(R(file), err));
        ASSERT_EQ(err, KvErr::Ok);
        EXPECT_EQ(loaded->GetPointCount(), c.points);
    }
}

// The receiver's clock taking over from the computer's, or a log played again, sets the
// clock back: the recording goes on at its pace by the new time instead of waiting for the
// old one to come round.
TEST_F(OwnShip, ActiveTrackRecordsOnWhenTheReceiverClockGoesBack) {
    const struct Case {
        const char *name;
        double back;  // seconds
    } cases[] = {{"behind the last point", 10.0}, {"an hour back", 3600.0}, {"a year back", 365 * 86400.0}};
    Make(nullptr);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TOwned<INavTrack> track(NavTrackCreate2(R(FDir + "/" + c.name + ".trk"), false));
        kv::NavBoatSetTrackRecording(FBoat.get(), 5.0f, 10.0f);
        FBoat->SetPosition(TGeoPoint{52.0 / Deg, 5.0 / Deg});
        const TVector v{5.0f, float(std::numbers::pi / 2)};
        FBoat->GetState()->SetState(&v, nullptr, nullptr, nullptr, 0, 0, 0, true, true, 8);
        FBoat->Start(true);
        FBoat->AttachTrack(track.get());
        auto sail = [&](int seconds) {
            for (int i = 0; i < seconds; ++i) {
                FTime += 1.0 / 86400;
                uint32_t flags = 0;
                FBoat->UpdateSecond(TLoopRecord{1.0f, FTime}, 0, 0, nullptr, flags);
            }
        };
        sail(18);  // points at seconds 1, 6, 11, 16
        ASSERT_EQ(track->GetPointCount(), 4);
        FTime -= c.back / 86400;
        const TDateTime stepped = FTime;
        sail(20);  // 10 m sailed since the last point: one at once, then every 5 s
        FBoat->AttachTrack(nullptr);
        FBoat->Stop();
        ASSERT_EQ(track->GetPointCount(), 8);
        // The points after the step carry the receiver's time, at the recording's pace.
        EXPECT_NEAR((track->GetPoint(4)->Time - stepped) * 86400, 1.0, 1e-3);
        for (int i = 5; i < 8; ++i)
            EXPECT_NEAR((track->GetPoint(i)->Time - track->GetPoint(i - 1)->Time) * 86400, 5.0, 1e-3) << i;
    }
}

TEST_F(OwnShip, LogbookRecordingFollowsTheOwnShipAndContextCarriesItsState) {
    Make(nullptr);
    const QString file = FDir + "/log.txt";
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("KvNavLogbook\t1\nUTCOffset\t0\nEnd\t0\n");
    }
    const QDateTime written = QFileInfo(file).lastModified();
    QTest::qWait(20);
    int32_t err = -1;
    TOwned<INavLogbook> logbook(NavLogbookLoadFromFile(R(file), FBoat.get(), nullptr, err));
    ASSERT_TRUE(logbook);
    FBoat->AttachLogbook(logbook.get());
    EXPECT_EQ(FBoat->GetLogbook(), logbook.get());
    EXPECT_FALSE(logbook->IsRecording());
    FBoat->StartLogbookRecording(true);
    EXPECT_TRUE(logbook->IsRecording());
    EXPECT_GT(QFileInfo(file).lastModified(), written);  // stored
    FBoat->StopLogbookRecording(false);
    EXPECT_FALSE(logbook->IsRecording());

    TLogbookContext context;
    FBoat->FillLogbookContext(context);
    EXPECT_FALSE(context.HasPosition);
    EXPECT_EQ(context.Position.Lat, GeoPointNoPosition);
    FBoat->SetPosition(TGeoPoint{0.9, 0.08});
    FBoat->SetDistanceOverGround(1234.5);
    const TVector v{2.0f, 1.0f};
    FBoat->GetState()->SetState(&v, nullptr, nullptr, nullptr, 0, 0, 0, true, true, 8);
    FBoat->Start(true);
    FTime += 1.0 / 86400;
    uint32_t flags = 0;
    FBoat->UpdateSecond(TLoopRecord{1.0f, FTime}, 0, 0, nullptr, flags);
    FBoat->FillLogbookContext(context);
    EXPECT_TRUE(context.HasPosition);
    EXPECT_TRUE(context.Simulated);
    EXPECT_TRUE(context.CourseAndSpeedValid);
    EXPECT_FLOAT_EQ(context.SpeedOverGround, 2.0f);
    EXPECT_NEAR(context.CourseOverGround, 1.0f, 1e-4);
    EXPECT_EQ(context.TimeUTC, FTime);
    EXPECT_NEAR(context.DistanceOverGround, 1234.5, 1e-9);  // a hand-set position adds nothing
    FBoat->AttachLogbook(nullptr);
}
