// Detection and test on a scripted detector: the parameter sets each port gets, the row a
// job's state gives, and what the dialog does with each outcome of a run.
#include "FakeDetector.h"
#include "GPSPortsFixture.h"

#include "base/kvlib/KvErrors.h"
#include "base/texts/KvStr.h"
#include "exchange/FraAutoDetectProgress.h"
#include "exchange/FrmAutoDetect.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using namespace exchangetest;

namespace {

struct TProbe {
    int32_t Protocol, BaudRate, StopBits, FlowControl;
    bool operator==(const TProbe &) const = default;
};

std::vector<TProbe> Probes(TFakeJob &job) {
    std::vector<TProbe> probes;
    for (INavMsgDetectSettings *s : job.Sets) {
        INavMsgCommPortSettings *line = s->GetPortSettings();
        // A USB port has no line: only the protocol counts.
        if (job.Port->GetKind() != NavMsgPortKind::Serial)
            probes.push_back({s->GetProtocol(), 0, 0, 0});
        else
            probes.push_back({s->GetProtocol(), line->GetBaudRate(), line->GetStopBits(), line->GetFlowControl()});
    }
    return probes;
}

QStringList RowNames(const TFormAutoDetect &form) {
    QStringList names;
    for (TFrameAutoDetectProgress *row : form.Rows()) names << row->LabelName->text();
    return names;
}

class AutoDetectRun : public GPSPortsFixture {
protected:
    void SetUp() override {
        GPSPortsFixture::SetUp();
        int32_t err = 0;
        GPS()->SetPort(nullptr, err);
    }
    void TearDown() override {
        TFormAutoDetect::SetPrompter({});
        GPSPortsFixture::TearDown();
    }
    TFakeDetectManager Fake;
};

}  // namespace

TEST_F(AutoDetectRun, EverySerialPortGetsFifteenSetsAndEveryUSBPortOne) {
    for (const char *name : {"ttyS1", "ttyS2", "ttyS10"}) Fake.Add(NavMsgPortKind::Serial, QLatin1String(name), true);
    Fake.Add(NavMsgPortKind::VendorUSB, QStringLiteral("USB-1"), true);
    TFormSettingsGPS settings(nullptr, &Fake, GPS());
    settings.SetProtocol(NavMsgProtocol::NMEA);  // USB ports are probed whatever the protocol
    std::vector<TProbe> expected{{1, 9600, 0, 0}};
    for (int32_t stopBits : {0, 2})
        for (int32_t rate : {4800, 9600, 14400, 19200, 38400, 57600, 115200}) expected.push_back({2, rate, stopBits, 2});
    bool ran = false;
    TFormAutoDetect::SetPrompter([&](TFormAutoDetect &form) {
        ran = true;
        EXPECT_FALSE(form.TestMode());
        EXPECT_EQ(form.windowTitle(), QStringLiteral("GPS Detection"));
        EXPECT_EQ(form.LabelInformation->text(), QStringLiteral("Busy detecting..."));
        EXPECT_FALSE(form.ButtonApply->isEnabled());
        // Jobs from the last serial port down, then the USB ports.
        EXPECT_EQ(Fake.Detector.Jobs.size(), 4u);
        const char *order[] = {"ttyS10", "ttyS2", "ttyS1", "USB-1"};
        for (size_t i = 0; i < Fake.Detector.Jobs.size(); ++i) {
            TFakeJob &job = *Fake.Detector.Jobs[i];
            SCOPED_TRACE(order[i]);
            EXPECT_EQ(NavMsgPortGetName(job.Port), QLatin1String(order[i]));
            const std::vector<TProbe> usbProbes{{1, 0, 0, 0}};
            EXPECT_EQ(Probes(job), i < 3 ? expected : usbProbes);
        }
        form.StartDetection();
        EXPECT_EQ(Fake.Detector.RunOption, 1);
        // Plain text order: a name ending in 10 before one ending in 2.
        EXPECT_EQ(RowNames(form), (QStringList{"ttyS1", "ttyS10", "ttyS2", "USB-1"}));
        EXPECT_EQ(form.LabelInformation->text(), QStringLiteral("No GPS found"));
        return int(QDialog::Rejected);
    });
    settings.ButtonAutoDetect->click();
    EXPECT_TRUE(ran);
    EXPECT_GE(Fake.Detector.Clears, 1);
    EXPECT_TRUE(Fake.Detector.Jobs.empty());
}

TEST_F(AutoDetectRun, ATestRunsOneJobWithTheChosenSettings) {
    TFakePort *serial = Fake.Add(NavMsgPortKind::Serial, QStringLiteral("ttyS0"), true);
    TFakePort *usb = Fake.Add(NavMsgPortKind::VendorUSB, QStringLiteral("USB-1"), true);
    TFakePort *sensor = Fake.Add(NavMsgPortKind::LocationSensor, QStringLiteral("Sensor"), true);
    TFormSettingsGPS settings(nullptr, &Fake, GPS());
    struct Case {
        const char *name;
        INavMsgPort *port;
        int32_t protocol;
        std::vector<TProbe> probes;
    };
    const Case cases[] = {{"NMEA on a serial port", serial, 2, {{2, 19200, 2, 2}}},
                          {"the vendor protocol on a serial port", serial, 1, {{1, 9600, 0, 0}}},
                          {"a USB port", usb, 1, {{1, 0, 0, 0}}},
                          {"another kind gets no set", sensor, 2, {}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        settings.SetProtocol(c.protocol);
        settings.SetPort(c.port);
        if (c.protocol == 2) {
            settings.SetBaudRate(19200);
            settings.SetStopBits(2);
        }
        bool ran = false;
        TFormAutoDetect::SetPrompter([&](TFormAutoDetect &form) {
            ran = true;
            EXPECT_TRUE(form.TestMode());
            EXPECT_FALSE(form.ButtonApply->isVisibleTo(&form));
            EXPECT_EQ(form.LabelInformation->text(), QStringLiteral("Busy testing..."));
            EXPECT_EQ(Fake.Detector.Jobs.size(), 1u);
            if (Fake.Detector.Jobs.size() != 1u) return int(QDialog::Rejected);
            TFakeJob &job = *Fake.Detector.Jobs[0];
            EXPECT_EQ(job.Port, c.port);
            EXPECT_EQ(Probes(job), c.probes);
            return int(QDialog::Rejected);
        });
        settings.ButtonTest->click();
        EXPECT_TRUE(ran);
    }
}

TEST_F(AutoDetectRun, RowsShowTheJobsStateAndGreyPortsWithoutAGPS) {
    TFakePort *serial = Fake.Add(NavMsgPortKind::Serial, QStringLiteral("ttyS0"), true);
    TFakePort *usb = Fake.Add(NavMsgPortKind::VendorUSB, QStringLiteral("USB-1"), true);
    struct Case {
        const char *name;
        INavMsgPort *port;
        bool test;
        int32_t state, error, foundProtocol, brand;
        uint32_t flags;
        int rowState;
        QString stateText, errorText;
        bool progressShown, baudShown;
    };
    const Case cases[] = {
        {"probing the line", serial, false, 1, 0, 0, 1, 0, 0, "Detecting port settings...", "", true, true},
        {"testing the line", serial, true, 2, 0, 0, 1, 0, 0, "Testing port settings...", "", true, true},
        {"probing the type", serial, false, 3, 0, 0, 1, 0, 1, "Detecting GPS-type...", "", true, true},
        {"probing a USB port shows no line", usb, false, 1, 0, 0, 1, 0, 0, "Detecting port settings...", "", true, false},
        {"port in use", serial, false, 0, 0x30001, 0, 1, 0, 2, "No GPS found", "The port is in use", false, false},
        {"port gone", serial, false, 0, 0x30008, 0, 1, 0, 2, "No GPS found", ErrorToStrA(0x30008), false, false},
        {"nothing found", serial, false, 0, 0, 0, 1, 0, 3, "No GPS found", "", false, false},
        {"NMEA talker without positions", serial, false, 0, 0, 2, 1, 0, 4, "Device found: \"Generic NMEA\"",
         "No NMEA position sentences received", false, true},
        {"vendor device without positions", serial, false, 0, 0, 1, 3, 0, 4, "Device found: \"Garmin\"",
         "Garmin protocol doesn't support positions on this device", false, true},
        {"a GPS", serial, false, 0, 0, 2, 3, 0x100, 5, "GPS found: \"Garmin\"", "", true, true},
        {"an unknown brand", serial, false, 0, 0, 2, 9, 0x100, 5, "GPS found: \"Unknown\"", "", true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFakeJob job(c.port);
        job.Test = c.test;
        job.Sets.push_back(new TFakeDetectSettings);
        static_cast<TFakeDetectSettings *>(job.Sets[0])->Protocol = 2;
        job.State = c.state;
        job.Error = c.error;
        job.Brand = c.brand;
        job.Progress = 0.42f;
        if (c.foundProtocol) job.SetFound(c.foundProtocol, 4800, c.flags);
        TFrameAutoDetectProgress row(nullptr, &job);
        row.show();
        EXPECT_EQ(row.RowState(), c.rowState);
        EXPECT_EQ(row.LabelName->text(), NavMsgPortGetName(c.port));
        EXPECT_EQ(row.LabelState->text(), c.stateText);
        EXPECT_EQ(row.LabelError->isVisible(), !c.errorText.isEmpty());
        if (!c.errorText.isEmpty()) { EXPECT_EQ(row.LabelError->text(), c.errorText); }
        EXPECT_EQ(row.ProgressBar->isVisible(), c.progressShown);
        if (c.rowState == 5) { EXPECT_EQ(row.ProgressBar->value(), 100); }
        if (c.rowState < 2) { EXPECT_EQ(row.ProgressBar->value(), 42); }
        EXPECT_EQ(row.LabelComBaudrate->isVisible(), c.baudShown);
    }
}

TEST_F(AutoDetectRun, OutcomesOfARun) {
    TFakePort *com10 = Fake.Add(NavMsgPortKind::Serial, QStringLiteral("COM10"), true);
    TFakePort *com2 = Fake.Add(NavMsgPortKind::Serial, QStringLiteral("COM2"), true);
    struct Case {
        const char *name;
        bool test;
        int32_t err;
        bool com10Found, com2Found;
        int result;  // -1: still open
        QString information, message;
        INavMsgPort *named;
    };
    const QString failure = QStringLiteral("An error occurred during detection:\r\n\r\n") + ErrorToStrA(KvErr::Failed);
    const Case cases[] = {
        {"cancelled closes without a message", false, KvErr::Cancelled, true, true, QDialog::Rejected, "", "", nullptr},
        {"another error is shown and the dialog stays", false, KvErr::Failed, true, true, -1, "Busy detecting...", failure, nullptr},
        {"the last found row in display order is named", false, 0, true, true, -1, "GPS found on COM2", "", com2},
        {"nothing found", false, 0, false, false, -1, "No GPS found", "", nullptr},
        {"a test judges by the first row", true, 0, true, false, -1, "The GPS is working.", "", nullptr},
        {"a failed test", true, 0, false, true, -1, "The GPS is not working.", "", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Messages.clear();
        TFormAutoDetect form(nullptr, c.test, &Fake);
        form.Detector()->AddPort(com10);
        form.Detector()->AddPort(com2);
        Fake.Detector.Script = [&](TFakeDetector &d) {
            if (c.com10Found) d.Jobs[0]->SetFound(2, 4800, 0x100);
            if (c.com2Found) d.Jobs[1]->SetFound(2, 9600, 0x100);
            return c.err;
        };
        form.show();
        form.StartDetection();
        EXPECT_FALSE(form.Running());
        EXPECT_EQ(form.isVisible(), c.result == -1);
        if (c.result != -1) { EXPECT_EQ(form.result(), c.result); }
        if (!c.information.isEmpty()) { EXPECT_EQ(form.LabelInformation->text(), c.information); }
        EXPECT_EQ(Messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(form.GetResult() ? form.GetResult()->GetPort() : nullptr, c.named);
        EXPECT_EQ(form.ButtonApply->isEnabled(), c.named != nullptr);
        if (c.test) { EXPECT_EQ(form.ButtonCancel->text(), LanguageText(KvStr::BtnClose)); }
        if (c.result == -1) {
            form.ButtonCancel->click();  // after the outcome, Cancel closes
            EXPECT_FALSE(form.isVisible());
        }
    }
    Fake.Detector.Script = {};
}

TEST_F(AutoDetectRun, CancelAndTheCloseBoxDuringARunOnlyCancel) {
    Fake.Add(NavMsgPortKind::Serial, QStringLiteral("ttyS0"), true);
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        TFormAutoDetect form(nullptr, false, &Fake);
        form.Detector()->AddPort(Fake.GetPort(0));
        const int cancelsBefore = Fake.Detector.Cancels;
        bool openAfterCancel = false;
        Fake.Detector.Script = [&](TFakeDetector &d) {
            bool asked = false;
            for (int guard = 0; guard < 100000 && !d.Cancelled; ++guard) {
                d.Report();  // the callback pumps events: the click arrives in here
                if (!asked) {
                    asked = true;
                    QTimer::singleShot(0, &form, [&] {
                        if (closeBox)
                            form.close();
                        else
                            form.ButtonCancel->click();
                        openAfterCancel = form.isVisible();
                    });
                }
            }
            return d.Cancelled ? KvErr::Cancelled : 0;
        };
        EXPECT_EQ(form.exec(), QDialog::Rejected);
        EXPECT_TRUE(openAfterCancel);
        EXPECT_EQ(Fake.Detector.Cancels - cancelsBefore, 1);
    }
    Fake.Detector.Script = {};
}

TEST_F(AutoDetectRun, ApplyTakesBrandThenProtocolThenTheLine) {
    Fake.Add(NavMsgPortKind::Serial, QStringLiteral("ttyS0"), true);
    TFakePort *port = Fake.Add(NavMsgPortKind::Serial, QStringLiteral("ttyS1"), true);
    TFormSettingsGPS settings(nullptr, &Fake, GPS());
    settings.SetBrand(NavMsgBrand::GenericNMEA);
    settings.SetPort(Fake.GetPort(0));
    const int32_t gpsBrand = GPS()->GetBrand();
    Fake.Detector.Script = [&](TFakeDetector &d) {
        for (auto &job : d.Jobs)
            if (job->Port == port) {
                job->SetFound(NavMsgProtocol::NMEA, 38400, NavMsgDetectFlag::PositionSeen);
                job->Brand = NavMsgBrand::Garmin;
                job->Found->GetPortSettings()->SetStopBits(NavMsgLine::StopBitsOne);
                job->Found->GetPortSettings()->SetFlowControl(NavMsgLine::FlowXonXoff);
            }
        return 0;
    };
    TFormAutoDetect::SetPrompter([](TFormAutoDetect &form) {
        form.StartDetection();
        form.ButtonApply->click();
        return form.result();
    });
    settings.ButtonAutoDetect->click();
    Fake.Detector.Script = {};
    EXPECT_EQ(settings.Port(), port);
    EXPECT_EQ(settings.Brand(), NavMsgBrand::Garmin);
    // Choosing the brand switches to its protocol; the found one comes after and holds.
    EXPECT_EQ(settings.Protocol(), NavMsgProtocol::NMEA);
    EXPECT_EQ(settings.BaudRate(), 38400);
    EXPECT_EQ(settings.StopBits(), NavMsgLine::StopBitsOne);
    EXPECT_EQ(settings.FlowControl(), NavMsgLine::FlowXonXoff);
    EXPECT_EQ(GPS()->GetBrand(), gpsBrand);  // the receiver only gets it on OK
}
