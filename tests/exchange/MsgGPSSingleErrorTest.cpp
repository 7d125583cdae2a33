// The GPS error box: its eleven messages and layouts, the user's choice however the box is
// closed, a language switch, and the main window's box acting on the choice.
#include "GPSPortsFixture.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "exchange/FrmMsgGPSSingleError.h"
#include "shell/MarivoFrames.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace exchangetest;

namespace {

class MsgGPSSingleError : public GPSPortsFixture {
protected:
    void TearDown() override {
        SetCurrentLanguage(KvLang::English);
        TFormSettingsGPS::SetPrompter({});
        GPSPortsFixture::TearDown();
    }
};

const QString NMEAChecks = QStringLiteral(
    "\n\nPlease check if:\n  - the GPS has been connected to ttyUSB0\n  - the GPS is switched on\n"
    "  - the GPS is set to the NMEA 0183-protocol\n  - the GPS sends the GGA, GLL or RMC sentence of the "
    "NMEA-protocol\n  - the communication settings are correct");
QString VendorChecks(const char *protocol) {
    return QStringLiteral("\n\nPlease check if:\n  - the GPS has been connected to ttyUSB0\n  - the GPS is switched "
                          "on\n  - the GPS is set to the %1\n  - the communication settings are correct")
        .arg(QLatin1String(protocol));
}

}  // namespace

TEST_F(MsgGPSSingleError, ElevenKindsInEnglishAndDutch) {
    const QString title = ProgInfoGetTitle();
    const QString port = QStringLiteral("ttyUSB0");
    const QString busy = ErrorToStrA(KvErr::PortBusy);
    struct Case {
        int kind;
        QString english;
        const char *dutchStart;
        bool warning;
        int height;
    };
    const Case cases[] = {
        {1, title + " has not received any NMEA position sentences on ttyUSB0 since communication was opened. " + NMEAChecks,
         " heeft op ttyUSB0 geen NMEA-positiezinnen ontvangen", true, 362},
        {2, title + " has not received any position messages on ttyUSB0 since communication was opened. " +
                VendorChecks("Garmin-protocol"),
         " heeft op ttyUSB0 geen positieberichten ontvangen sinds", true, 362},
        {3, title + " has not received any NMEA position sentences on ttyUSB0 in the last 30 seconds. " + NMEAChecks,
         " heeft op ttyUSB0 in de laatste 30 seconden geen NMEA", true, 362},
        {4, title + " has not received any position messages on ttyUSB0 in the last 30 seconds. " +
                VendorChecks("Garmin protocol"),
         " heeft op ttyUSB0 in de laatste 30 seconden geen positieberichten", true, 362},
        {5, title + " could not open port ttyUSB0.\n\n" + busy, " kon poort ttyUSB0 niet openen.", false, 200},
        {6, "The communication with port ttyUSB0 was broken.", "De communicatie met poort ttyUSB0 is verbroken.", false, 200},
        {7, "The communication could not be opened because the GPS does not respond on port ttyUSB0.",
         "De communicatie kon niet worden geopend", false, 200},
        {8, "The communication was closed because the GPS does not respond on port ttyUSB0.",
         "De communicatie is gesloten omdat", false, 200},
        {9, "An error occurred in an attempt to open the communication with the GPS on port ttyUSB0:\n\n" + busy,
         "Er is een fout opgetreden bij het openen", false, 300},
        {10, "There is no port selected for the GPS.", "Er is geen poort gekozen voor de GPS.", false, 200},
        {11, "An error occurred during the communication with the GPS on port ttyUSB0:\n\n" + busy,
         "Er is een fout opgetreden tijdens de communicatie", false, 300},
    };
    TFormMsgGPSSingleError box(nullptr);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        for (int32_t language : {KvLang::English, KvLang::Dutch}) {
            SetCurrentLanguage(language);
            if (c.kind <= 4)
                box.ShowNoPosition(uint8_t(c.kind), port, 30);
            else
                box.ShowError(uint8_t(c.kind), c.kind == 10 ? QString() : port, KvErr::PortBusy);
            EXPECT_TRUE(box.isVisible());
            const QString text = box.LabelError->text();
            if (language == KvLang::English) {
                EXPECT_EQ(text, c.english);
            } else {
                const QString start = c.kind <= 5 ? title + QLatin1String(c.dutchStart) : QString::fromUtf8(c.dutchStart);
                EXPECT_TRUE(text.startsWith(start)) << text.toStdString();
            }
            EXPECT_EQ(box.ImageWarning->isVisible(), c.warning);
            EXPECT_EQ(box.ImageError->isVisible(), !c.warning);
            EXPECT_EQ(box.ButtonCloseCommunication->isVisible(), c.warning);
            EXPECT_EQ(box.height(), box.ScaleValue(c.height, box.ScreenDpi()));
            EXPECT_EQ(box.PanelBottom->height(), box.ScaleValue(c.warning ? 109 : 50, box.ScreenDpi()));
        }
    }
    EXPECT_TRUE(box.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(box.isModal());
    // A kind the box does not know leaves the message as it was.
    const QString before = box.LabelError->text();
    box.ShowError(12, QStringLiteral("ttyS9"), 0);
    EXPECT_EQ(box.LabelError->text(), before);
}

TEST_F(MsgGPSSingleError, TheChoiceOfEachWayOut) {
    TFormMsgGPSSingleError box(nullptr);
    std::vector<int> heard;
    box.OnClose = [&](TFormMsgGPSSingleError &b) { heard.push_back(b.Choice); };
    struct Case {
        const char *name;
        std::function<void()> close;
        int choice;
    };
    const Case cases[] = {
        {"Detect GPS", [&] { box.ButtonDetectGPS->click(); }, 2},
        {"Close communication", [&] { box.ButtonCloseCommunication->click(); }, 1},
        {"Close", [&] { box.ButtonClose->click(); }, 0},
        {"Esc", [&] { QTest::keyClick(&box, Qt::Key_Escape); }, 0},
        {"the close box", [&] { box.close(); }, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        box.ShowNoPosition(3, QStringLiteral("ttyS0"), 12);
        EXPECT_EQ(box.Choice, 0);
        ASSERT_TRUE(box.isVisible());
        heard.clear();
        c.close();
        EXPECT_FALSE(box.isVisible());
        EXPECT_EQ(box.Choice, c.choice);
        EXPECT_EQ(heard, std::vector<int>{c.choice});
    }
}

TEST_F(MsgGPSSingleError, ALanguageSwitchReformatsTheShownMessage) {
    TFormMsgGPSSingleError box(nullptr);
    box.ShowNoPosition(3, QStringLiteral("ttyUSB0"), 30);
    ASSERT_TRUE(box.LabelError->text().contains(QStringLiteral("in the last 30 seconds")));
    SetCurrentLanguage(KvLang::Dutch);
    box.UpdateTexts();
    EXPECT_TRUE(box.LabelError->text().contains(QStringLiteral("in de laatste 30 seconden"))) << box.LabelError->text().toStdString();
    EXPECT_EQ(box.ButtonCloseCommunication->text(), QStringLiteral("Communicatie sluiten"));
    SetCurrentLanguage(KvLang::English);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&box, &change);
    EXPECT_TRUE(box.LabelError->text().contains(QStringLiteral("in the last 30 seconds")));
}

TEST_F(MsgGPSSingleError, TheMainWindowsBoxStopsNavigationAndOpensDetection) {
    QWidget host;
    std::unique_ptr<IFormMsgGPSSingleError> box = ProgramFrameFactories().GPSSingleError(&host, *Env);
    ASSERT_TRUE(box);
    auto *form = qobject_cast<TFormMsgGPSSingleError *>(box->Widget());
    ASSERT_TRUE(form);
    int32_t err = 0;
    GPS()->SetPort(PortNamed(QStringLiteral("ttyUSB0")), err);
    bool settingsShown = false, autoDetect = false;
    TFormSettingsGPS::SetPrompter([&](TFormSettingsGPS &settings) {
        settingsShown = true;
        autoDetect = settings.AutoDetectOnShow();
        return int(QDialog::Rejected);
    });
    struct Case {
        const char *name;
        QPushButton *button;
        bool stops, opensSettings;
    };
    const Case cases[] = {{"Close leaves the GPS running", form->ButtonClose, false, false},
                          {"Close communication stops it", form->ButtonCloseCommunication, true, false},
                          {"Detect GPS stops it and opens detection", form->ButtonDetectGPS, true, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Env->StartNavigation(false));
        ASSERT_TRUE(RunUntil([&] { return GPS()->IsConnected() != 0; }));
        settingsShown = autoDetect = false;
        box->ShowNoPosition(3, QStringLiteral("ttyUSB0"), 30);
        c.button->click();
        EXPECT_FALSE(form->isVisible());
        QCoreApplication::processEvents();  // the choice is acted on after the box closed
        EXPECT_EQ(GPS()->IsConnected() == 0, c.stops);
        EXPECT_EQ(settingsShown, c.opensSettings);
        EXPECT_EQ(autoDetect, c.opensSettings);
        Env->StopNavigation(QString(), false);
    }
    box->ShowError(10, QString(), KvErr::NoGPSPort);
    EXPECT_TRUE(form->isVisible());
    box->HideBox();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MsgGPSSingleError, ScreenshotOfKind3) {
    TFormMsgGPSSingleError box(nullptr);
    box.ShowNoPosition(3, QStringLiteral("ttyUSB0"), 30);
    DayAndNight(&box, QStringLiteral("gps-error-kind3"));
    EXPECT_TRUE(box.isVisible());
}
