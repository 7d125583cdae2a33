#include "base/units/KvNavMsgDevices.h"

#include "base/kvlib/KvErrors.h"

#include <KvLibNav6/KvLanguage.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

using ::testing::_;
using ::testing::DoAll;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::SetArgReferee;

namespace {

class TLanguage {
public:
    explicit TLanguage(int32_t lang) : FBefore(GetCurrentLanguage()) { SetCurrentLanguage(lang); }
    ~TLanguage() { SetCurrentLanguage(FBefore); }

private:
    int32_t FBefore;
};

QString Q(const TStrWRec &rec) {
    return QString::fromUtf16(rec.Text, rec.Length);
}

// Keeps the text a getter hands out alive for the test.
struct TText {
    explicit TText(const QString &s) : Text(s) {
        Rec.Length = int32_t(Text.size());
        Rec.Text = reinterpret_cast<const char16_t *>(Text.utf16());
    }
    QString Text;
    TStrWRec Rec;
};

class MockPort : public INavMsgPort {
public:
    MOCK_METHOD(int32_t, GetKind, (), (override));
    MOCK_METHOD(const TStrWRec *, GetDescription, (), (override));
    MOCK_METHOD(const TStrWRec *, GetID, (), (override));
    MOCK_METHOD(const TStrWRec *, GetName, (), (override));
    MOCK_METHOD(int32_t, GetBaudRate, (), (override));
    MOCK_METHOD(int32_t, GetParity, (), (override));
    MOCK_METHOD(int32_t, ApplySettings, (INavMsgPortSettings *), (override));
    MOCK_METHOD(int32_t, GetStopBits, (), (override));
    MOCK_METHOD(void, SetBaudRate, (int32_t, int32_t &), (override));
    MOCK_METHOD(void, SetParity, (int32_t, int32_t &), (override));
    MOCK_METHOD(void, SetStopBits, (int32_t, int32_t &), (override));
    MOCK_METHOD(bool, IsAvailable, (), (override));
    MOCK_METHOD(bool, SupportsProtocol, (int32_t), (override));
    MOCK_METHOD(int32_t, GetFlowControl, (), (override));
    MOCK_METHOD(void, SetFlowControl, (int32_t, int32_t &), (override));
    MOCK_METHOD(void, SetDataBits, (int32_t, int32_t &), (override));
    MOCK_METHOD(void, SetLineOption1, (int32_t, int32_t &), (override));
    MOCK_METHOD(void, Open, (), (override));
    MOCK_METHOD(void, Close, (), (override));
    MOCK_METHOD(int32_t, GetLogSize, (), (override));
    MOCK_METHOD(INavMsgLog *, GetInputLog, (), (override));
};

class MockManager : public INavMsgDeviceManager {
public:
    MOCK_METHOD(void, Pump, (const TLoopRecord &), (override));
    MOCK_METHOD(int32_t, FindPortByID, (const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(INavMsgPort *, GetUSBPort, (int32_t), (override));
    MOCK_METHOD(int32_t, GetUSBPortCount, (), (override));
    MOCK_METHOD(void, SetRegKey, (const TStrWRec &), (override));
    MOCK_METHOD(void, RescanPorts, (int32_t), (override));
    MOCK_METHOD(int32_t, GetPortCount, (), (override));
    MOCK_METHOD(INavMsgPort *, GetPort, (int32_t), (override));
    MOCK_METHOD(int32_t, GetOtherPortCount, (), (override));
    MOCK_METHOD(INavMsgPort *, GetOtherPort, (int32_t), (override));
    MOCK_METHOD(int32_t, GetPortListCount, (), (override));
    MOCK_METHOD(INavMsgPort *, GetPortListItem, (int32_t), (override));
    MOCK_METHOD(bool, HasPort, (INavMsgPort *), (override));
    MOCK_METHOD(INavMsgDeviceDetector *, GetDetector, (), (override));
    MOCK_METHOD(INavMsgGPSDevice *, GetGPSDevice, (), (override));
};

class MockGPSDevice : public INavMsgGPSDevice {
public:
    MOCK_METHOD(const TStrWRec *, GetProductText, (int32_t), (override));
    MOCK_METHOD(void, ApplyDeviceSettings, (INavMsgGPSSettings *), (override));
    MOCK_METHOD(int32_t, GetBrand, (), (override));
    MOCK_METHOD(int32_t, GetModel, (), (override));
    MOCK_METHOD(int32_t, GetProtocol, (), (override));
    MOCK_METHOD(INavMsgPort *, GetPort, (), (override));
    MOCK_METHOD(void, SetBrandModel, (int32_t, int32_t), (override));
    MOCK_METHOD(void, SetProtocol, (int32_t, int32_t &), (override));
    MOCK_METHOD(bool, IsConnected, (), (override));
    MOCK_METHOD(void, ConnectAsync,
                (DataProc, void *, ConnectErrorProc, void *, ConnectPortProc, void *),
                (override));
    MOCK_METHOD(void, Disconnect, (), (override));
    MOCK_METHOD(uint32_t, GetCapabilities, (int32_t &), (override));
    MOCK_METHOD(uint32_t, GetUnitID, (), (override));
    MOCK_METHOD(int32_t, GetSoftwareVersion, (), (override));
    MOCK_METHOD(int32_t, Download, (IWptDatabase *, INavTrackList *, uint32_t, TProgressEx *),
                (override));
    MOCK_METHOD(int32_t, StopTransfer, (), (override));
    MOCK_METHOD(void, EndTransfer, (), (override));
};

class MockDetectJob : public INavMsgDetectJob {
public:
    MOCK_METHOD(int32_t, GetBrand, (), (override));
    MOCK_METHOD(int32_t, GetModel, (), (override));
    MOCK_METHOD(const TStrWRec *, GetDeviceName, (), (override));
    MOCK_METHOD(INavMsgDetectSettings *, GetFoundSettings, (), (override));
    MOCK_METHOD(INavMsgPort *, GetPort, (), (override));
    MOCK_METHOD(void, AddSettings, (INavMsgDetectSettings *), (override));
    MOCK_METHOD(int32_t, GetState, (), (override));
    MOCK_METHOD(float, GetProgress, (), (override));
    MOCK_METHOD(INavMsgDetectSettings *, GetCurrentSettings, (), (override));
    MOCK_METHOD(int32_t, GetError, (), (override));
    MOCK_METHOD(uint32_t, GetFlags, (), (override));
    MOCK_METHOD(bool, IsTest, (), (override));
};

class MockGPSSettings : public INavMsgGPSSettings {
public:
    MOCK_METHOD(void, LoadFromReg, (const TStrWRec &), (override));
    MOCK_METHOD(void, SaveToReg, (const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(void, SetPoint, (TPoint), (override));
    MOCK_METHOD(void, SetName, (const TStrWRec &), (override));
    MOCK_METHOD(void, SetModel, (int32_t), (override));
};

class MockPortSettings : public INavMsgPortSettings {
public:
    MOCK_METHOD(void, SaveToReg, (const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(void, SetPortPair, (TPoint), (override));
    MOCK_METHOD(void, SetPortID, (const TStrWRec &), (override));
    MOCK_METHOD(void, SetPortName, (const TStrWRec &), (override));
};

}  // namespace

TEST(NavMsgDeviceBrandToStr, BrandNamesPerLanguage) {
    struct Case { int lang; int32_t brand; const char *text; };
    const Case cases[] = {
        {KvLang::English, 1, "Generic NMEA"}, {KvLang::Dutch, 1, "Standaard NMEA"},
        {KvLang::German, 1, "Standard NMEA"}, {KvLang::Italian, 1, "NMEA generico"},
        {KvLang::Swedish, 1, "Standard NMEA"}, {KvLang::English, 2, "Furuno"},
        {KvLang::Dutch, 3, "Garmin"},         {KvLang::French, 4, "Magellan"},
        {KvLang::Danish, 5, "MLR"},           {KvLang::Spanish, 6, "Valsat"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        TLanguage lang(c.lang);
        EXPECT_EQ(NavMsgDeviceBrandToStr(c.brand), QString::fromUtf8(c.text));
    }
}

namespace {
QStringList LoggedWarnings;
void CollectWarning(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtWarningMsg) LoggedWarnings << message;
}
}  // namespace

TEST(NavMsgDeviceBrandToStr, UnknownBrandIsLogged) {
    LoggedWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarning);
    NavMsgDeviceBrandToStr(9);
    NavMsgDeviceBrandToStr(3);
    qInstallMessageHandler(previous);
    ASSERT_EQ(LoggedWarnings.size(), 1);
    EXPECT_EQ(LoggedWarnings[0],
              QStringLiteral("NavMsgDeviceBrandToStr: Unhandled case (aDeviceBrand = 9)"));
}

TEST(NavMsgDeviceBrandToStr, UnknownBrandGivesANeutralTextInsteadOfFailing) {
    for (int32_t brand : {0, 7, -1, 1000}) {
        SCOPED_TRACE(brand);
        {
            TLanguage lang(KvLang::English);
            EXPECT_NO_THROW(EXPECT_EQ(NavMsgDeviceBrandToStr(brand), QStringLiteral("Unknown")));
        }
        TLanguage lang(KvLang::Dutch);
        EXPECT_EQ(NavMsgDeviceBrandToStr(brand), QStringLiteral("Onbekend"));
    }
}

TEST(NavMsgDeviceModelToStr, ModelTable) {
    struct Case { const char *name; int lang; int32_t brand; int32_t model; const char *text; };
    const Case cases[] = {
        {"Garmin has no model texts", KvLang::English, 3, 1, "Unspecified"},
        {"model beyond the table", KvLang::English, 6, 5, "Unspecified"},
        {"model 0", KvLang::English, 2, 0, "Unspecified"},
        {"Spanish shows English", KvLang::Spanish, 2, 2, "GD-1700/1900, Marine Radar 1700/1800/1900 series"},
        {"Dutch series", KvLang::Dutch, 2, 1, "GP-30 serie"},
        {"German series", KvLang::German, 4, 2, "eXplorist USB Serie"},
        {"Italian series first", KvLang::Italian, 2, 1, "Serie GP-30"},
        {"Dutch unspecified", KvLang::Dutch, 3, 0, "Niet gespecificeerd"},
        {"German unspecified", KvLang::German, 1, 1, "nicht spezifiziert"},
        {"Italian unspecified", KvLang::Italian, 9, 9, "Non specificato"},
        {"French unspecified shows English", KvLang::French, 3, 1, "Unspecified"},
        {"Magellan NMEA", KvLang::English, 4, 1, "NMEA"},
        {"MLR", KvLang::English, 5, 1, "FX112, FX312(XC), FX412(XC)"},
        {"MLR second", KvLang::Danish, 5, 2, "SP24(XC), FX312 4x4"},
        {"Valsat", KvLang::English, 6, 1, "SP, SP12X"},
        {"Valsat 2", KvLang::English, 6, 2, "02L"},
        {"Valsat 3", KvLang::English, 6, 3, "2008 Mark II"},
        {"Valsat 4", KvLang::English, 6, 4, "03, P"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TLanguage lang(c.lang);
        EXPECT_EQ(NavMsgDeviceModelToStr(c.brand, c.model), QString::fromUtf8(c.text));
    }
}

TEST(NavMsgPortTexts, CopiedFromTheLibraryObjects) {
    NiceMock<MockPort> port;
    TText description(QStringLiteral("USB serial – Ü")), id(QStringLiteral("usb:0403:6001:A1")),
        name(QStringLiteral("ttyUSB0"));
    EXPECT_CALL(port, GetDescription()).WillOnce(Return(&description.Rec));
    EXPECT_CALL(port, GetID()).WillOnce(Return(&id.Rec));
    EXPECT_CALL(port, GetName()).WillOnce(Return(&name.Rec));
    EXPECT_EQ(NavMsgPortGetDescription(&port), description.Text);
    EXPECT_EQ(NavMsgPortGetID(&port), id.Text);
    EXPECT_EQ(NavMsgPortGetName(&port), name.Text);

    NiceMock<MockGPSDevice> device;
    TText product(QStringLiteral("eTrex"));
    EXPECT_CALL(device, GetProductText(0)).WillOnce(Return(&product.Rec));
    EXPECT_EQ(NavMsgDeviceGetProductText(&device, 0), product.Text);

    NiceMock<MockDetectJob> job;
    TText empty{QString()};
    EXPECT_CALL(job, GetDeviceName()).WillOnce(Return(&empty.Rec)).WillOnce(Return(nullptr));
    EXPECT_TRUE(NavMsgDetectGetDeviceName(&job).isEmpty());
    EXPECT_TRUE(NavMsgDetectGetDeviceName(&job).isEmpty());
}

TEST(NavMsgPortListFind, PassesTheIdentifierAndTheIndex) {
    NiceMock<MockManager> manager;
    QString seen;
    EXPECT_CALL(manager, FindPortByID(_, _))
        .WillOnce([&](const TStrWRec &id, int32_t &index) {
            seen = Q(id);
            index = 3;
            return 3;
        })
        .WillOnce(DoAll(SetArgReferee<1>(-1), Return(-1)));
    int32_t index = 99;
    EXPECT_EQ(NavMsgPortListFind(&manager, QStringLiteral("serial:/dev/ttyS0"), index), 3);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(seen, QStringLiteral("serial:/dev/ttyS0"));
    EXPECT_EQ(NavMsgPortListFind(&manager, QStringLiteral("gone"), index), -1);
    EXPECT_EQ(index, -1);
}

TEST(NavMsgSettingsWrappers, HandKeyPathsAndNamesOver) {
    const QString key = QStringLiteral("Korvane\\Marivo\\Ostrel\\NavMsgDeviceManager\\Devices\\GPS");
    NiceMock<MockManager> manager;
    QString managerKey;
    EXPECT_CALL(manager, SetRegKey(_)).WillOnce([&](const TStrWRec &k) { managerKey = Q(k); });
    NavMsgDeviceManagerSetRegKey(&manager, key);
    EXPECT_EQ(managerKey, key);

    NiceMock<MockGPSSettings> gps;
    QString loaded, saved, name;
    EXPECT_CALL(gps, LoadFromReg(_)).WillOnce([&](const TStrWRec &k) { loaded = Q(k); });
    EXPECT_CALL(gps, SaveToReg(_, _)).WillOnce([&](const TStrWRec &k, int32_t &err) {
        saved = Q(k);
        err = 0x3000A;
    });
    EXPECT_CALL(gps, SetName(_)).WillOnce([&](const TStrWRec &n) { name = Q(n); });
    NavMsgGPSSettingsLoadFromReg(&gps, key);
    int32_t err = 0;
    NavMsgGPSSettingsSaveToReg(&gps, key, err);
    NavMsgGPSSettingsSetName(&gps, QStringLiteral("GPS receiver"));
    EXPECT_EQ(loaded, key);
    EXPECT_EQ(saved, key);
    EXPECT_EQ(err, 0x3000A);  // the library's error passes through
    EXPECT_EQ(name, QStringLiteral("GPS receiver"));

    NiceMock<MockPortSettings> port;
    QString portKey, portID, portName;
    EXPECT_CALL(port, SaveToReg(_, _)).WillOnce([&](const TStrWRec &k, int32_t &) { portKey = Q(k); });
    EXPECT_CALL(port, SetPortID(_)).WillOnce([&](const TStrWRec &v) { portID = Q(v); });
    EXPECT_CALL(port, SetPortName(_)).WillOnce([&](const TStrWRec &v) { portName = Q(v); });
    err = 5;
    NavMsgPortSettingsSaveToReg(&port, key + QStringLiteral("\\Ports\\Port1"), err);
    NavMsgPortSettingsSetPortID(&port, QStringLiteral("serial:/dev/ttyUSB0"));
    NavMsgPortSettingsSetPortName(&port, QStringLiteral("ttyUSB0"));
    EXPECT_EQ(err, 0);  // cleared before the call; the object reported nothing
    EXPECT_EQ(portKey, key + QStringLiteral("\\Ports\\Port1"));
    EXPECT_EQ(portID, QStringLiteral("serial:/dev/ttyUSB0"));
    EXPECT_EQ(portName, QStringLiteral("ttyUSB0"));
}
