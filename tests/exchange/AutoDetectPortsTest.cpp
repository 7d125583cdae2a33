// Detection and test with the real detector over four pseudo-terminals: a silent line, a
// noisy one and two receivers replaying recorded logs at their own line speeds.
#include "GPSPortsFixture.h"

#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvErrors.h"
#include "exchange/FraAutoDetectProgress.h"
#include "exchange/FrmAutoDetect.h"
#include "exchange/FraAutoDetectProgress.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace exchangetest;

namespace {

class AutoDetectPorts : public GPSPortsFixture {
protected:
    void TearDown() override {
        TFormAutoDetect::SetPrompter({});
        GPSPortsFixture::TearDown();
    }
    // Runs act on the dialog once the detector is running (from inside its callback).
    static void WhenRunning(TFormAutoDetect &form, std::function<void()> act) {
        auto *timer = new QTimer(&form);
        QObject::connect(timer, &QTimer::timeout, &form, [&form, timer, act] {
            if (!form.Running()) return;
            timer->stop();
            act();
        });
        timer->start(5);
    }
};

}  // namespace

TEST_F(AutoDetectPorts, FindsBothReceiversAndApplyTakesTheNamedOne) {
    auto settings = Dialog();
    settings->SetPort(PortNamed(QStringLiteral("ttyS0")));
    INavMsgPort *receiverPort = GPS()->GetPort();
    const int32_t receiverProtocol = GPS()->GetProtocol();
    int32_t foundBrand = -1;
    bool ran = false;
    TFormAutoDetect::SetPrompter([&](TFormAutoDetect &form) {
        ran = true;
        form.show();
        form.StartDetection();
        QStringList names;
        std::vector<int> states;
        std::vector<bool> active;
        for (TFrameAutoDetectProgress *row : form.Rows()) {
            names << row->GetPortName();
            states.push_back(row->RowState());
            active.push_back(row->Active());
        }
        EXPECT_EQ(names, (QStringList{"ttyS0", "ttyS1", "ttyUSB0", "ttyUSB1"}));
        EXPECT_EQ(states, (std::vector<int>{3, 3, 5, 5}));
        EXPECT_EQ(active, (std::vector<bool>{false, false, true, true}));
        EXPECT_EQ(form.LabelInformation->text(), QStringLiteral("GPS found on ttyUSB1"));
        EXPECT_TRUE(form.ButtonApply->isEnabled());
        EXPECT_EQ(form.Rows()[3]->LabelComBaudrate->text(), QStringLiteral("Baudrate: 38400"));
        foundBrand = form.GetResult() ? form.GetResult()->GetBrand() : -1;
        DayAndNight(&form, QStringLiteral("gps-detection"));
        form.ButtonApply->click();
        return form.result();
    });
    settings->ButtonAutoDetect->click();
    ASSERT_TRUE(ran);
    EXPECT_TRUE(Messages.isEmpty());
    ASSERT_NE(settings->Port(), nullptr);
    EXPECT_EQ(NavMsgPortGetName(settings->Port()), QStringLiteral("ttyUSB1"));
    EXPECT_EQ(settings->BaudRate(), 38400);
    EXPECT_EQ(settings->StopBits(), NavMsgLine::StopBitsOne);
    // The brand the detector recognised (its own business: it may end before the log's
    // proprietary sentences come by).
    EXPECT_EQ(settings->Brand(), foundBrand);
    EXPECT_EQ(settings->Protocol(), NavMsgProtocol::NMEA);
    EXPECT_EQ(settings->ComboBoxPort->currentText(), QStringLiteral("ttyUSB1"));
    // Until OK the receiver is untouched.
    EXPECT_EQ(GPS()->GetPort(), receiverPort);
    EXPECT_EQ(GPS()->GetProtocol(), receiverProtocol);
    EXPECT_EQ(Env->DeviceManager->GetDetector()->GetJobCount(), 0);
}

TEST_F(AutoDetectPorts, ATestSaysWhetherTheChosenSettingsWork) {
    struct Case {
        const char *name, *port, *information;
    };
    const Case cases[] = {{"a receiver at its speed", "ttyUSB0", "The GPS is working."},
                          {"noise", "ttyS1", "The GPS is not working."}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto settings = Dialog();
        settings->SetBrand(NavMsgBrand::GenericNMEA);
        settings->SetProtocol(NavMsgProtocol::NMEA);
        settings->SetPort(PortNamed(QLatin1String(c.port)));
        settings->SetBaudRate(4800);
        settings->SetStopBits(NavMsgLine::StopBitsOne);
        QString information;
        TFormAutoDetect::SetPrompter([&](TFormAutoDetect &form) {
            form.StartDetection();
            information = form.LabelInformation->text();
            EXPECT_EQ(form.windowTitle(), QStringLiteral("GPS Test"));
            EXPECT_EQ(form.Rows().size(), 1);
            return int(QDialog::Rejected);
        });
        settings->ButtonTest->click();
        EXPECT_EQ(information, QLatin1String(c.information));
        EXPECT_EQ(NavMsgPortGetName(settings->Port()), QLatin1String(c.port));
    }
}

TEST_F(AutoDetectPorts, CancelOverSilentPortsClosesAndKeepsTheSettingsDialogsValues) {
    // Only silent lines: the run would take many time limits.
    shelltest::TPortList silent(Paths({0}));
    TFormSettingsGPS::SetDetectTimeLimit(30.0f);
    auto settings = Dialog();
    settings->SetPort(PortNamed(QStringLiteral("ttyS0")));
    settings->SetBaudRate(19200);
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        int result = -1;
        TFormAutoDetect::SetPrompter([&](TFormAutoDetect &form) {
            WhenRunning(form, [&form, closeBox] {
                if (closeBox)
                    form.close();
                else
                    form.ButtonCancel->click();
            });
            result = form.exec();
            return result;
        });
        settings->ButtonAutoDetect->click();
        EXPECT_EQ(result, int(QDialog::Rejected));
        EXPECT_EQ(NavMsgPortGetName(settings->Port()), QStringLiteral("ttyS0"));
        EXPECT_EQ(settings->BaudRate(), 19200);
        EXPECT_TRUE(Messages.isEmpty());
    }
}

TEST_F(AutoDetectPorts, APortVanishingDuringDetectionShowsTheLibrarysText) {
    // A silent line waits out its time limit at every set: it is still being probed when it
    // is pulled out. A detector that missed that would take 14 limits, and fail below.
    shelltest::TPortList one(Paths({0}));
    TFormSettingsGPS::SetDetectTimeLimit(5.0f);
    auto settings = Dialog();
    QString rowError;
    int rowState = -1;
    TFormAutoDetect::SetPrompter([&](TFormAutoDetect &form) {
        WhenRunning(form, [&] {
            Lines[0].reset();
            auto *close = new QTimer(&form);
            QObject::connect(close, &QTimer::timeout, &form, [&form, close] {
                if (form.Running()) return;
                close->stop();
                form.ButtonCancel->click();
            });
            close->start(5);
        });
        const int result = form.exec();
        if (form.Rows().size() == 1) {
            rowError = form.Rows()[0]->LabelError->text();
            rowState = form.Rows()[0]->RowState();
        }
        return result;
    });
    settings->ButtonAutoDetect->click();
    // The job notices at the latest when it opens the line for its next set.
    EXPECT_EQ(rowState, 2);
    EXPECT_TRUE(rowError == DetectErrorToStr(KvErr::PortNotFound) || rowError == ErrorToStrA(KvErr::PortRemoved))
        << rowError.toStdString();
}
