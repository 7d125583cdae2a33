// The GPS settings dialog's choices: what a brand, protocol or "Default" sets, how a port is
// picked, which controls may be changed when, and how the port list follows plugging.
#include "FakePorts.h"
#include "GPSPortsFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QAction>
#include <QPushButton>
#include <QTest>

using namespace exchangetest;

namespace {

QStringList Captions(QComboBox *combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    return texts;
}

class SettingsGPSChoices : public GPSPortsFixture {};

}  // namespace

TEST(SettingsGPSPick, VendorAndNMEARankings) {
    TFakeDeviceManager dm;
    TFakePort *serialOn = dm.Add(NavMsgPortKind::Serial, QStringLiteral("ttyS0"), true);
    TFakePort *serialOff = dm.Add(NavMsgPortKind::Serial, QStringLiteral("ttyS1"), false);
    TFakePort *usbOn = dm.Add(NavMsgPortKind::VendorUSB, QStringLiteral("USB1"), true);
    TFakePort *usbOff = dm.Add(NavMsgPortKind::VendorUSB, QStringLiteral("USB2"), false);
    TFakePort *sensor = dm.Add(NavMsgPortKind::LocationSensor, QStringLiteral("Sensor"), true);
    struct Case {
        const char *name;
        QList<INavMsgPort *> ports;
        INavMsgPort *vendor, *nmea;
    };
    const Case cases[] = {
        {"an available USB port beats everything", {serialOn, usbOff, usbOn}, usbOn, serialOn},
        {"availability beats the kind", {usbOff, serialOn}, serialOn, serialOn},
        {"between unavailable ports USB ranks first", {serialOff, usbOff}, usbOff, serialOff},
        {"the earlier of equals stays", {serialOff, serialOn, usbOn}, usbOn, serialOn},
        {"NMEA takes the first available, else the first", {serialOff, sensor}, serialOff, sensor},
        {"the sensor carries no vendor protocol", {sensor}, nullptr, sensor},
        {"no ports", {}, nullptr, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TFormSettingsGPS::PickVendorPort(c.ports), c.vendor);
        EXPECT_EQ(TFormSettingsGPS::PickNMEAPort(c.ports), c.nmea);
    }
}

TEST_F(SettingsGPSChoices, OpensWithTheReceiversSetUpAndTheStoredDatum) {
    struct Case {
        const char *name, *stored, *expected;
    };
    const Case cases[] = {{"a known code", "EUR-M", "EUR-M"},
                          {"an unknown code falls back without a message", "XYZ", "WGE"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("GPS"), RegName(u"Datum"),
                       QString::fromLatin1(c.stored), err);
        auto form = Dialog();
        const TStrWRec *code = form->Datum()->GetCode();
        EXPECT_EQ(QString::fromUtf16(code->Text, code->Length), QString::fromLatin1(c.expected));
        EXPECT_TRUE(form->ComboBoxDatum->currentText().endsWith(QStringLiteral("(%1)").arg(QLatin1String(c.expected))));
        EXPECT_EQ(form->Brand(), GPS()->GetBrand());
        EXPECT_EQ(form->Protocol(), GPS()->GetProtocol());
        EXPECT_EQ(form->Port(), GPS()->GetPort());
        EXPECT_TRUE(Messages.isEmpty());
    }
}

TEST_F(SettingsGPSChoices, ListsPortsInTrailingNumberOrderAndOffersTwoProtocols) {
    auto form = Dialog();
    EXPECT_EQ(Captions(form->ComboBoxPort),
              (QStringList{"ttyS0", "ttyS1", "ttyUSB0", "ttyUSB1"}));
    EXPECT_EQ(Captions(form->ComboBoxProtocol), (QStringList{"Garmin", "NMEA"}));
    EXPECT_EQ(Captions(form->ComboBoxStopBits), (QStringList{"1", "2"}));
    EXPECT_EQ(form->ComboBoxBaudRate->count(), 7);
}

TEST_F(SettingsGPSChoices, BrandProtocolAndDefaultSetTheLine) {
    auto form = Dialog();
    form->SetPort(PortNamed(QStringLiteral("ttyUSB0")));
    form->SetBaudRate(38400);
    form->SetStopBits(NavMsgLine::StopBitsTwo);
    form->SetBrand(NavMsgBrand::Garmin);
    EXPECT_EQ(form->Protocol(), NavMsgProtocol::VendorBinary);
    EXPECT_EQ(form->Datum(), static_cast<IGeodeticDefinition *>(GeodeticGlobals().DefaultDatum));
    EXPECT_EQ(form->BaudRate(), 9600);
    EXPECT_EQ(form->StopBits(), NavMsgLine::StopBitsOne);
    EXPECT_EQ(form->FlowControl(), NavMsgLine::FlowNone);
    EXPECT_EQ(form->Model(), 0);
    EXPECT_EQ(form->Port(), PortNamed(QStringLiteral("ttyUSB0")));  // a serial port carries it too

    struct Case {
        const char *name;
        int32_t brand, stopBits, defaultStopBits;
    };
    const Case cases[] = {{"MLR", NavMsgBrand::MLR, 2, 2},
                          {"Valsat", NavMsgBrand::Valsat, 2, 2},
                          {"generic", NavMsgBrand::GenericNMEA, 0, 0},
                          {"Furuno", NavMsgBrand::Furuno, 0, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        form->SetBrand(NavMsgBrand::Garmin);
        form->SetBrand(c.brand);
        EXPECT_EQ(form->Protocol(), NavMsgProtocol::NMEA);
        EXPECT_EQ(form->FlowControl(), NavMsgLine::FlowXonXoff);
        EXPECT_EQ(form->StopBits(), c.stopBits);
        EXPECT_EQ(form->Port(), PortNamed(QStringLiteral("ttyUSB0")));  // kept: it carries NMEA
        form->SetStopBits(c.stopBits == 2 ? 0 : 2);
        form->SetBaudRate(115200);
        form->ButtonDefault->click();
        EXPECT_EQ(form->StopBits(), c.defaultStopBits);
        EXPECT_EQ(form->BaudRate(), 4800);
        EXPECT_EQ(form->FlowControl(), NavMsgLine::FlowXonXoff);
    }
}

TEST_F(SettingsGPSChoices, VendorProtocolListsTheUSBPortsAndPicksAnAvailableOne) {
    int32_t err = 0;
    GPS()->SetPort(nullptr, err);
    TFakeDeviceManager dm;
    dm.Add(NavMsgPortKind::Serial, QStringLiteral("ttyS10"), true);
    dm.Add(NavMsgPortKind::Serial, QStringLiteral("ttyS2"), true);
    dm.Add(NavMsgPortKind::VendorUSB, QStringLiteral("USB-1"), false);
    TFakePort *usb = dm.Add(NavMsgPortKind::VendorUSB, QStringLiteral("USB-2"), true);
    dm.Add(NavMsgPortKind::LocationSensor, QStringLiteral("Sensor"), true);
    TFormSettingsGPS form(nullptr, &dm, GPS());
    form.SetBrand(NavMsgBrand::GenericNMEA);
    EXPECT_EQ(Captions(form.ComboBoxPort), (QStringList{"Sensor", "ttyS2", "ttyS10"}));
    form.SetPort(dm.GetPort(1));
    form.SetBrand(NavMsgBrand::Garmin);
    EXPECT_EQ(Captions(form.ComboBoxPort), (QStringList{"Sensor", "ttyS2", "ttyS10", "USB-1", "USB-2"}));
    // ttyS2 was chosen for NMEA and carries the vendor protocol too: it stays.
    EXPECT_EQ(NavMsgPortGetName(form.Port()), QStringLiteral("ttyS2"));
    form.SetPort(nullptr);
    form.AutoPickPort();
    EXPECT_EQ(form.Port(), usb);
    EXPECT_FALSE(form.ComboBoxBaudRate->isVisible() && form.ComboBoxBaudRate->isEnabled());
}

TEST_F(SettingsGPSChoices, StatesFollowPortsAndTheRunningGPS) {
    int32_t err = 0;
    GPS()->SetPort(nullptr, err);
    TFakeDeviceManager none;
    {
        TFormSettingsGPS form(nullptr, &none, GPS());
        form.show();
        EXPECT_TRUE(form.PanelInformation->isVisible());
        for (QWidget *w : std::initializer_list<QWidget *>{form.ComboBoxBrand, form.ComboBoxModel, form.ComboBoxProtocol,
                                                           form.ComboBoxDatum, form.ButtonDefault, form.ButtonAutoDetect,
                                                           form.ButtonTest, form.ButtonStopGPS})
            EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();
        EXPECT_FALSE(form.ComboBoxPort->isVisible());
        EXPECT_TRUE(form.CheckBoxFilter->isEnabled());
        EXPECT_FALSE(form.ButtonHelp->isEnabled());  // no help manager yet
    }
    // Running on ttyUSB0: only the datum and the filter may change, and Stop GPS stops it.
    GPS()->SetPort(PortNamed(QStringLiteral("ttyUSB0")), err);
    ASSERT_TRUE(Env->StartNavigation(false));
    ASSERT_TRUE(RunUntil([&] { return GPS()->IsConnected() != 0; }));
    QAction stop;
    int triggered = 0;
    QObject::connect(&stop, &QAction::triggered, [&] {
        ++triggered;
        Env->StopNavigation(QString(), false);
    });
    TFormSettingsGPS form(&stop, Env->DeviceManager, GPS());
    form.show();
    EXPECT_FALSE(form.Stopped());
    EXPECT_TRUE(form.ComboBoxDatum->isEnabled());
    EXPECT_TRUE(form.CheckBoxFilter->isEnabled());
    EXPECT_TRUE(form.ButtonStopGPS->isEnabled());
    for (QWidget *w : std::initializer_list<QWidget *>{form.ComboBoxBrand, form.ComboBoxPort, form.ComboBoxBaudRate,
                                                       form.ButtonTest, form.ButtonAutoDetect, form.ButtonDefault})
        EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();
    EXPECT_FALSE(form.PanelInformation->isVisible());
    form.ButtonStopGPS->click();
    EXPECT_EQ(triggered, 1);
    EXPECT_TRUE(form.Stopped());
    EXPECT_TRUE(form.ComboBoxPort->isEnabled());
    EXPECT_TRUE(form.ButtonTest->isEnabled());
    EXPECT_FALSE(form.ButtonStopGPS->isEnabled());
}

TEST_F(SettingsGPSChoices, TestNeedsAChosenPort) {
    auto form = Dialog();
    form->SetPort(nullptr);
    EXPECT_FALSE(form->ButtonTest->isEnabled());
    form->SetPort(PortNamed(QStringLiteral("ttyS1")));
    EXPECT_TRUE(form->ButtonTest->isEnabled());
}

TEST_F(SettingsGPSChoices, RefreshKeepsAPortThatStaysAndPicksAnotherForOneGone) {
    auto form = Dialog();
    form->SetPort(PortNamed(QStringLiteral("ttyUSB1")));
    form->RefreshPortList();
    EXPECT_EQ(NavMsgPortGetName(form->Port()), QStringLiteral("ttyUSB1"));
    {
        // ttyUSB1 unplugged.
        shelltest::TPortList fewer(Paths({0, 1, 2}));
        form->RefreshPortList();
        ASSERT_NE(form->Port(), nullptr);
        EXPECT_EQ(NavMsgPortGetName(form->Port()), QStringLiteral("ttyS0"));
        EXPECT_EQ(Captions(form->ComboBoxPort), (QStringList{"ttyS0", "ttyS1", "ttyUSB0"}));
    }
    form->SetPort(nullptr);
    form->RefreshPortList();
    EXPECT_EQ(form->Port(), nullptr);  // nothing chosen before, nothing after
}

TEST_F(SettingsGPSChoices, FOneAndHelpCallTheHookWithContext5006) {
    std::vector<int> shown;
    auto old = TFormSettingsGPS::SetHelpHook([&](int context) { shown.push_back(context); });
    {
        auto form = Dialog();
        form->show();
        EXPECT_TRUE(form->ButtonHelp->isEnabled());
        form->ButtonHelp->click();
        QTest::keyClick(form.get(), Qt::Key_F1);
    }
    TFormSettingsGPS::SetHelpHook(std::move(old));
    EXPECT_EQ(shown, (std::vector<int>{5006, 5006}));
}

TEST_F(SettingsGPSChoices, ScreenshotOfTheDialog) {
    auto form = Dialog();
    form->SetBrand(NavMsgBrand::GenericNMEA);
    form->SetPort(PortNamed(QStringLiteral("ttyUSB0")));
    form->show();
    EXPECT_TRUE(form->ComboBoxBaudRate->isVisible());
    DayAndNight(form.get(), QStringLiteral("gps-settings"));
}
