// The NMEA monitor: its byte-to-text rules, its choice of port, and the pane over the real
// device manager reading a pseudo-terminal that plays a recorded receiver.
#include "chartview/FraNMEAMonitor.h"
#include "chartview/FraNMEAMonitorParser.h"

#include "TestPty.h"
#include "TestSupport.h"
#include "base/registry/KvRegistry.h"
#include "base/units/KvNavMsgDevices.h"
#include "tests/exchange/FakePorts.h"
#include "tests/shell/NavEnvPorts.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include <KvLibNav6/KvDevices.h>

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDockWidget>
#include <QFile>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString Key = QStringLiteral("Desktop\\FloatWindowNMEA");

QString Parsed(const QByteArray &bytes) {
    TDataParser parser;
    parser.Append(reinterpret_cast<const uint8_t *>(bytes.constData()), int32_t(bytes.size()));
    return QString::fromLatin1(parser.Bytes());
}

TEST(NMEADataParser, TurnsBytesIntoLines) {
    struct TCase {
        QByteArray In;
        QString Out;
    };
    const TCase cases[] = {
        {"A\r\nB", QStringLiteral("A\r\nB")},
        {"A\rB", QStringLiteral("A\r\nB")},
        {"A\nB", QStringLiteral("A?B")},
        {"\r\r\n", QStringLiteral("\r\n\r\n")},
        {QByteArray("\x01\x1f\x00 ", 4), QStringLiteral("??? ")},
        {"\xb0\xff", QString(QChar(0xB0)) + QChar(0xFF)},
    };
    for (const TCase &c : cases) EXPECT_EQ(Parsed(c.In), c.Out) << c.In.toHex().constData();
    EXPECT_EQ(Parsed("\xb0").front(), QStringLiteral("\u00B0").front()) << "the degree sign stays one";
}

TEST(NMEADataParser, BreaksLongRunsAfter126Characters) {
    const QStringList lines = Parsed(QByteArray(300, 'x')).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].size(), 126);
    EXPECT_EQ(lines[1].size(), 126);
    EXPECT_EQ(lines[2].size(), 48);
    // A run that fills the line exactly and then ends gives no empty line in between.
    EXPECT_EQ(Parsed(QByteArray(126, 'y') + "\r\n").count(QStringLiteral("\r\n")), 2)
        << "the width break and the received break are two breaks";
}

TEST(NMEADataParser, KeepsTheLastLines) {
    QByteArray many;
    for (int i = 1; i <= 600; ++i) many += "L" + QByteArray::number(i) + "\r\n";
    TDataParser parser;
    parser.Append(reinterpret_cast<const uint8_t *>(many.constData()), int32_t(many.size()));
    const QStringList last = parser.GetLastLines(500).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(last.size(), 499);
    EXPECT_EQ(last.front(), QStringLiteral("L102"));
    EXPECT_EQ(last.back(), QStringLiteral("L600"));

    TDataParser few;
    const QByteArray ten = QByteArray("abc\r\n").repeated(10);
    few.Append(reinterpret_cast<const uint8_t *>(ten.constData()), int32_t(ten.size()));
    EXPECT_EQ(few.GetLastLines(500), QString::fromLatin1(ten));
}

// The monitor in a dock of a bare main window over the running environment, its GPS on a
// pseudo-terminal.
class NMEAMonitorFixture : public routetest::NavEnvRoutes {
protected:
    void SetUp() override {
        Pty = std::make_unique<testsupport::TTestPty>(testsupport::MakeTempDir(QStringLiteral("nmeamon")) +
                                                      QStringLiteral("/ttyNmeaMon"));
        ASSERT_TRUE(Pty->Opened());
        Ports = std::make_unique<shelltest::TPortList>(QStringList{Pty->Link()});
        NavEnvRoutes::SetUp();
        Window = std::make_unique<QMainWindow>();
        Window->resize(900, 700);
        Window->setCentralWidget(new QWidget(Window.get()));
        Dock = new QDockWidget(Window.get());
        Dock->setObjectName(QStringLiteral("DockablePanelNMEA"));
        Window->addDockWidget(Qt::RightDockWidgetArea, Dock);
    }
    void TearDown() override {
        TFrameNMEAMonitor::SetSavePrompter(nullptr);
        Window.reset();
        NavEnvRoutes::TearDown();
        Ports.reset();
        Pty.reset();
    }
    TFrameNMEAMonitor &MakeMonitor() {
        Monitor = new TFrameNMEAMonitor(Dock, *Env);
        Dock->setWidget(Monitor);
        Window->show();
        return *Monitor;
    }
    INavMsgPort *GpsPort() { return Env->Boat->GetGPS()->GetPort(); }
    // Writes the bytes in pieces the line takes, until the port's log has them all.
    void Feed(const QByteArray &bytes) {
        const int32_t before = GpsPort()->GetLogSize();
        for (qsizetype at = 0; at < bytes.size(); at += 256) {
            const std::string piece = bytes.mid(at, 256).toStdString();
            size_t written = 0;
            QDeadlineTimer guard(10000);
            while (written < piece.size() && !guard.hasExpired()) {
                written += Pty->Write(piece.substr(written));
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                Env->Loop->Advance(0.0f);
            }
        }
        QDeadlineTimer guard(10000);
        while (GpsPort()->GetLogSize() < std::min<int32_t>(before + int32_t(bytes.size()), 0x2000) &&
               !guard.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            Env->Loop->Advance(0.0f);
        }
        ASSERT_EQ(GpsPort()->GetLogSize(), std::min<int32_t>(before + int32_t(bytes.size()), 0x2000));
    }
    void Tick() { Monitor->Tick(TLoopRecord{1.0f, 0.0}); }
    // What the pane shows for these received bytes.
    static QString Rendered(const QByteArray &bytes) {
        TDataParser parser;
        parser.Append(reinterpret_cast<const uint8_t *>(bytes.constData()), int32_t(bytes.size()));
        QString text = parser.GetLastLines(TFrameNMEAMonitor::LineCount);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
        return text;
    }
    static QString Stored(const char16_t *name) {
        QString value;
        RegReadStringDef(GetAppReg(), AppRegRoot::Product, Key, RegName(QString::fromUtf16(name)), QStringLiteral("<none>"), value);
        return value;
    }
    static void Store(const char16_t *name, const QString &value) {
        int32_t error = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, Key, RegName(QString::fromUtf16(name)), value, error);
    }

    std::unique_ptr<testsupport::TTestPty> Pty;
    std::unique_ptr<shelltest::TPortList> Ports;
    std::unique_ptr<QMainWindow> Window;
    QDockWidget *Dock = nullptr;
    TFrameNMEAMonitor *Monitor = nullptr;
};

TEST_F(NMEAMonitorFixture, ShowsTheReceivedLogAndFollowsThePause) {
    StartRun();
    ASSERT_NE(GpsPort(), nullptr) << "the GPS sits on the test's port";
    ASSERT_TRUE(Env->StartNavigation(false));
    QFile file(testsupport::TestDataPath(QStringLiteral("nmea/bu353s4.log")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray log = file.readAll();
    Feed(log);

    TFrameNMEAMonitor &monitor = MakeMonitor();
    EXPECT_EQ(monitor.InputPort(), nullptr) << "no port before the first rebuild";
    EXPECT_FALSE(monitor.SaveButton()->isEnabled());
    monitor.UpdatePortLists();
    ASSERT_EQ(monitor.InputPort(), GpsPort());
    EXPECT_EQ(Stored(u"NMEAInput"), NavMsgPortGetID(GpsPort()));
    EXPECT_EQ(monitor.Memo()->toPlainText(), Rendered(log));
    EXPECT_TRUE(monitor.SaveButton()->isEnabled());
    EXPECT_TRUE(monitor.ClearButton()->isEnabled());

    // One-second ticks refresh on ticks 1, 3, 5, …
    Tick();
    const QByteArray more = "$GPTXT,01,01,02,MONITOR*00\r\n";
    Feed(more);
    Tick();
    EXPECT_EQ(monitor.Memo()->toPlainText(), Rendered(log)) << "tick 2 leaves the pane";
    Tick();
    EXPECT_EQ(monitor.Memo()->toPlainText(), Rendered(log + more)) << "tick 3 refreshes";

    // Paused: nothing changes; unpausing refreshes at once and is remembered.
    QTest::mouseClick(monitor.PauseBox(), Qt::LeftButton);
    EXPECT_FALSE(monitor.Logging());
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"LoggingEnabled"), true));
    const QByteArray paused = "$GPTXT,01,01,02,PAUSED*00\r\n";
    Feed(paused);
    for (int i = 0; i < 4; ++i) Tick();
    EXPECT_EQ(monitor.Memo()->toPlainText(), Rendered(log + more));
    QTest::mouseClick(monitor.PauseLabel(), Qt::LeftButton);
    EXPECT_TRUE(monitor.Logging());
    EXPECT_FALSE(monitor.PauseBox()->isChecked());
    EXPECT_EQ(monitor.Memo()->toPlainText(), Rendered(log + more + paused));
    EXPECT_TRUE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"LoggingEnabled"), false));

    // Clear empties the pane and the port's log.
    QTest::mouseClick(monitor.ClearButton(), Qt::LeftButton);
    EXPECT_TRUE(monitor.Memo()->toPlainText().isEmpty());
    EXPECT_EQ(GpsPort()->GetLogSize(), 0);
    EXPECT_FALSE(monitor.SaveButton()->isEnabled());
    EXPECT_FALSE(monitor.ClearButton()->isEnabled());
}

TEST_F(NMEAMonitorFixture, SavesThePaneAsTheReceivedBytes) {
    StartRun();
    ASSERT_TRUE(Env->StartNavigation(false));
    // Control bytes, Latin-1 bytes and a long run: the saved file is the pane byte for byte.
    const QByteArray received = QByteArray("$GPRMC,\xb0\x01,A\r\n") + QByteArray(200, 'z') + "\r\n$GPGSV,\xe9\n";
    Feed(received);
    TFrameNMEAMonitor &monitor = MakeMonitor();
    monitor.UpdatePortLists();
    const QString folder = testsupport::MakeTempDir(QStringLiteral("nmeasave"));
    QString proposed;
    TFrameNMEAMonitor::SetSavePrompter([&](QWidget *, const QString &, const QString &path, const QString &) {
        proposed = path;
        return folder + QStringLiteral("/saved.txt");
    });
    QTest::mouseClick(monitor.SaveButton(), Qt::LeftButton);
    EXPECT_TRUE(proposed.endsWith(QStringLiteral("NMEA input.txt")));
    QFile saved(folder + QStringLiteral("/saved.txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    TDataParser parser;
    parser.Append(reinterpret_cast<const uint8_t *>(received.constData()), int32_t(received.size()));
    EXPECT_EQ(saved.readAll(), parser.Bytes() + "\r\n") << "the last line ends as every other";
    EXPECT_EQ(monitor.LastSaveFolder(), folder);

    // A folder that cannot be written (a plain file stands where the folder should be, which
    // stops every user, the superuser too): the message names the failure, the pane stays,
    // the folder is kept.
    const QString locked = testsupport::MakeTempDir(QStringLiteral("nmealocked")) + QStringLiteral("/notafolder");
    {
        QFile blocker(locked);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    TFrameNMEAMonitor::SetSavePrompter([&](QWidget *, const QString &, const QString &path, const QString &) {
        proposed = path;
        return locked + QStringLiteral("/saved.txt");
    });
    const QString before = monitor.Memo()->toPlainText();
    Messages.clear();
    QTest::mouseClick(monitor.SaveButton(), Qt::LeftButton);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Could not save the NMEA data.\n"))) << Messages[0].toStdString();
    EXPECT_GT(Messages[0].size(), QStringLiteral("Could not save the NMEA data.\n").size()) << "with the reason";
    EXPECT_FALSE(QFile::exists(locked + QStringLiteral("/saved.txt")));
    EXPECT_EQ(monitor.Memo()->toPlainText(), before);
    EXPECT_EQ(monitor.LastSaveFolder(), locked);
}

TEST_F(NMEAMonitorFixture, ChoosesThePortByTheRememberedNameElseByNumber) {
    exchangetest::TFakeDeviceManager fake;
    auto *com10 = fake.Add(NavMsgPortKind::Serial, QStringLiteral("COM10"), true);
    auto *com2 = fake.Add(NavMsgPortKind::Serial, QStringLiteral("COM2"), true);
    auto *quiet = fake.Add(NavMsgPortKind::Serial, QStringLiteral("COM1"), true);
    auto *sensor = fake.Add(NavMsgPortKind::LocationSensor, QStringLiteral("Sensor"), true);
    exchangetest::TFakePort simulator(NavMsgPortKind::Simulator, QStringLiteral("Simulator"), true);
    com10->LogSize = com2->LogSize = sensor->LogSize = simulator.LogSize = 10;

    // The order offered: by name with trailing numbers, the simulator last, quiet ports left out.
    const std::vector<INavMsgPort *> order = TFrameNMEAMonitor::Candidates(&fake, &simulator);
    EXPECT_EQ(order, (std::vector<INavMsgPort *>{com2, com10, sensor, &simulator}));
    EXPECT_EQ(TFrameNMEAMonitor::PortName(&simulator), QStringLiteral("NMEASimulator"));
    EXPECT_EQ(TFrameNMEAMonitor::Candidates(&fake, nullptr).size(), 3u);
    EXPECT_EQ(TFrameNMEAMonitor::Candidates(nullptr, &simulator), std::vector<INavMsgPort *>{&simulator})
        << "the simulator alone is chosen";
    EXPECT_EQ(quiet->GetLogSize(), 0);

    INavMsgDeviceManager *real = Env->DeviceManager;
    Env->DeviceManager = &fake;
    TFrameNMEAMonitor &monitor = MakeMonitor();
    struct TCase {
        QString Remembered;
        INavMsgPort *Chosen;
        QString StoredAfter;
    };
    const TCase cases[] = {
        {QStringLiteral("id:COM10"), com10, QStringLiteral("id:COM10")},
        {QStringLiteral("ID:com10"), com10, QStringLiteral("id:COM10")},
        {QString(), com2, QStringLiteral("id:COM2")},
        // An absent receiver stays remembered for the day it is back.
        {QStringLiteral("id:COM7"), com2, QStringLiteral("id:COM7")},
    };
    for (const TCase &c : cases) {
        Store(u"NMEAInput", c.Remembered);
        monitor.UpdatePortLists();
        EXPECT_EQ(monitor.InputPort(), c.Chosen) << c.Remembered.toStdString();
        EXPECT_EQ(Stored(u"NMEAInput"), c.StoredAfter) << c.Remembered.toStdString();
    }
    EXPECT_EQ(Stored(u"NMEAOutput"), QStringLiteral("id:COM2")) << "the output side follows the same rule";

    // No port with data: the pane is empty, its buttons off, the remembered port kept.
    com10->LogSize = com2->LogSize = sensor->LogSize = 0;
    Store(u"NMEAInput", QStringLiteral("id:COM10"));
    monitor.UpdatePortLists();
    EXPECT_EQ(monitor.InputPort(), nullptr);
    EXPECT_TRUE(monitor.Memo()->toPlainText().isEmpty());
    EXPECT_FALSE(monitor.SaveButton()->isEnabled());
    EXPECT_FALSE(monitor.ClearButton()->isEnabled());
    EXPECT_EQ(Stored(u"NMEAInput"), QStringLiteral("id:COM10"));
    Env->DeviceManager = real;
}

TEST_F(NMEAMonitorFixture, KeepsTheDockAtLeastItsMinimumHeight) {
    TFrameNMEAMonitor &monitor = MakeMonitor();
    EXPECT_EQ(monitor.minimumHeight(), TFrameNMEAMonitor::MinClientHeight * monitor.ScreenDpi() / 96);
    EXPECT_EQ(monitor.maximumHeight(), QWIDGETSIZE_MAX);
    EXPECT_EQ(monitor.SaveButton()->text(), QStringLiteral("Save"));
    EXPECT_EQ(monitor.PauseLabel()->text(), QStringLiteral("Pause NMEA display"));
}

}  // namespace
