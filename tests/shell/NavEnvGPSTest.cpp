// Automatic GPS configuration against the real detector: a receiver on one of three
// pseudo-terminals is found, configured, stored beside the other instruments' entries and
// announced; the guards and a failing save keep everything as it was.
#include "NavEnvFixture.h"
#include "NavEnvPorts.h"

#include "base/registry/KvRegistry.h"
#include "base/units/KvNavMsgDevices.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QFileInfo>
#include <QTimer>

namespace {

IAppReg *Reg() {
    return GetAppReg();
}

QString StoredText(const QString &key, const QString &name) {
    QString text = QStringLiteral("(missing)");
    RegReadStringDef(Reg(), AppRegRoot::Product, key, RegName(name), text, text);
    return text;
}

int32_t StoredInt(const QString &key, const QString &name) {
    return RegReadIntegerDef(Reg(), AppRegRoot::Product, key, RegName(name), -1);
}

const QString GPSKey = QStringLiteral("NavMsgDeviceManager\\Devices\\GPS");
const QString PortKey = QStringLiteral("NavMsgDeviceManager\\Ports\\Port1");
const QString DepthKey = QStringLiteral("NavMsgDeviceManager\\Devices\\Depth");
const QString OtherPortKey = QStringLiteral("NavMsgDeviceManager\\Ports\\Port2");

class NavEnvGPS : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        const QString dir = QFileInfo(FData).absolutePath();
        Silent = std::make_unique<shelltest::TPty>(dir + QStringLiteral("/ttyGpsSilent"));
        Noisy = std::make_unique<shelltest::TPty>(dir + QStringLiteral("/ttyGpsNoisy"));
        Receiver = std::make_unique<shelltest::TPty>(dir + QStringLiteral("/ttyGpsReceiver"));
        ASSERT_TRUE(Silent->Opened() && Noisy->Opened() && Receiver->Opened());
        Ports = std::make_unique<shelltest::TPortList>(
            QStringList{Silent->Link(), Noisy->Link(), Receiver->Link()});
        NoiseWriter = std::make_unique<shelltest::TLineWriter>(*Noisy, shelltest::TLineWriter::TKind::Noise);
        ReceiverWriter =
            std::make_unique<shelltest::TLineWriter>(*Receiver, shelltest::TLineWriter::TKind::Receiver);
    }
    void TearDown() override {
        ReceiverWriter.reset();
        NoiseWriter.reset();
        Ports.reset();
        NavEnvFixture::TearDown();
    }
    std::unique_ptr<TMarivoNavEnv> Started(TNavEnvSeams seams = {}) {
        seams.Factories.NavNotificationCenterCreate = [this]() -> INavNotificationCenter * {
            return new TRecordingCentre(Shown);
        };
        auto env = Make(std::move(seams));
        uint8_t mode = 9;
        env->Start(mode);
        // Another instrument's entries, which the GPS configuration must leave alone.
        int32_t err = 0;
        RegWriteString(Reg(), AppRegRoot::Product, DepthKey, RegName(u"Name"), QStringLiteral("Sounder"), err);
        RegWriteInteger(Reg(), AppRegRoot::Product, OtherPortKey, RegName(u"BaudRate"), 4800, err);
        return env;
    }
    std::vector<QString> Messages8() const {
        std::vector<QString> texts;
        for (const auto &s : Shown)
            if (s.Kind == NavUserNotify::Message) texts.push_back(s.Text);
        return texts;
    }

    std::unique_ptr<shelltest::TPty> Silent, Noisy, Receiver;
    std::unique_ptr<shelltest::TPortList> Ports;
    std::unique_ptr<shelltest::TLineWriter> NoiseWriter, ReceiverWriter;
    std::vector<TRecordingCentre::TShown> Shown;
};

}  // namespace

TEST_F(NavEnvGPS, AReceiverIsFoundConfiguredStoredAndAnnouncedOnce) {
    auto env = Started();
    ASSERT_EQ(env->DeviceManager->GetPortCount(), 3);
    INavMsgPort *receiverPort = env->DeviceManager->GetPort(2);
    const QString receiverName = NavMsgPortGetName(receiverPort);

    bool detectingSeen = false;
    QTimer probe;  // runs while detection pumps events
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!env->IsDetectingGPS()) return;
        detectingSeen = true;
        // A second device change meanwhile does nothing.
        EXPECT_FALSE(env->ConfigureGPSDevice());
    });
    probe.start(0);
    ASSERT_TRUE(env->ConfigureGPSDevice());
    probe.stop();
    EXPECT_TRUE(detectingSeen);
    EXPECT_FALSE(env->IsDetectingGPS());
    EXPECT_EQ(env->DeviceManager->GetDetector()->GetJobCount(), 0);

    INavBoatGPS *gps = env->Boat->GetGPS();
    EXPECT_EQ(gps->GetPort(), receiverPort);
    EXPECT_EQ(receiverPort->GetBaudRate(), 38400);
    EXPECT_EQ(gps->GetProtocol(), NavMsgProtocol::NMEA);
    EXPECT_EQ(StoredText(PortKey, QStringLiteral("PortName")), receiverName);
    EXPECT_EQ(StoredInt(PortKey, QStringLiteral("BaudRate")), 38400);
    EXPECT_TRUE(RegKeyExists(Reg(), AppRegRoot::Product, GPSKey));
    EXPECT_EQ(StoredText(DepthKey, QStringLiteral("Name")), QStringLiteral("Sounder"));
    EXPECT_EQ(StoredInt(OtherPortKey, QStringLiteral("BaudRate")), 4800);
    EXPECT_FALSE(RegKeyExists(Reg(), AppRegRoot::Product, QStringLiteral("NavMsgDeviceManager.pending")));
    const std::vector<QString> expected{
        QStringLiteral("GPS found (%1), starting communication...").arg(receiverName)};
    EXPECT_EQ(Messages8(), expected);

    // The same receiver again: announced, nothing stored.
    int32_t err = 0;
    RegWriteString(Reg(), AppRegRoot::Product, PortKey, RegName(u"PortName"), QStringLiteral("marker"), err);
    Shown.clear();
    ASSERT_TRUE(env->ConfigureGPSDevice());
    EXPECT_EQ(StoredText(PortKey, QStringLiteral("PortName")), QStringLiteral("marker"));
    EXPECT_EQ(Messages8(), expected);
}

TEST_F(NavEnvGPS, GuardsReturnAtOnce) {
    auto env = Started();
    Shown.clear();
    env->GPSDetecting = true;
    EXPECT_FALSE(env->ConfigureGPSDevice());
    EXPECT_TRUE(env->GPSDetecting);  // the running detection's own flag stays
    env->GPSDetecting = false;
    env->Boat->SetPosition(TGeoPoint{0.9, 0.09});
    ASSERT_TRUE(env->StartNavigation(true));
    EXPECT_FALSE(env->ConfigureGPSDevice());
    EXPECT_EQ(env->DeviceManager->GetDetector()->GetJobCount(), 0);
    EXPECT_TRUE(Messages8().empty());
    env->StopNavigation(QString(), false);
}

TEST_F(NavEnvGPS, AFailingSaveKeepsTheOldSettings) {
    TNavEnvSeams seams;
    seams.SaveGPSSettings = [](INavMsgGPSSettings *, const QString &, int32_t &err) {
        err = KvErr::WriteFailed;
    };
    auto env = Started(std::move(seams));
    const QString before = StoredText(PortKey, QStringLiteral("PortName"));
    const bool hadGPS = RegKeyExists(Reg(), AppRegRoot::Product, GPSKey);
    Shown.clear();
    testsupport::TExpectReports reports;
    bool raised = false;
    try {
        env->ConfigureGPSDevice();
    } catch (const std::exception &) {
        raised = true;
    }
    EXPECT_TRUE(raised);
    EXPECT_FALSE(env->IsDetectingGPS());
    EXPECT_EQ(env->DeviceManager->GetDetector()->GetJobCount(), 0);
    EXPECT_EQ(StoredText(PortKey, QStringLiteral("PortName")), before);
    EXPECT_EQ(RegKeyExists(Reg(), AppRegRoot::Product, GPSKey), hadGPS);
    EXPECT_EQ(StoredText(DepthKey, QStringLiteral("Name")), QStringLiteral("Sounder"));
    EXPECT_FALSE(RegKeyExists(Reg(), AppRegRoot::Product, QStringLiteral("NavMsgDeviceManager.pending")));
    EXPECT_TRUE(Messages8().empty());
}
