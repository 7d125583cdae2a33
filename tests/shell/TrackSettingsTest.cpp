// The track settings dialog on the real environment: the chosen colour becomes the default
// of the next track, opaque, on OK only, whether the simulator or a receiver sails it; the
// swatch shows it in night colours when needed.
#include "NavEnvPorts.h"
#include "SettingsDialogSupport.h"
#include "TestPty.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvNightScreen.h"
#include "base/settings/KvRegDisplay.h"
#include "shell/FrmTrackSettings.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvTracks.h>

#include <QDateTime>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

namespace {

class TrackSettings : public SettingsDialogFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        TNavEnvEvents events;
        // The simulator starts in the demo harbour.
        events.OnPositionRequest = [](TGeoPoint &position) {
            position = TGeoPoint{0.9215, 0.0785};  // radians
            return true;
        };
        FEnv = Started(std::move(events));
        TFormTrackSettings::SetColorPrompter([this](QColor &color, QWidget *) {
            ++ColorRequests;
            OfferedColor = color;
            if (!Choice.isValid()) return false;
            color = Choice;
            return true;
        });
    }
    void TearDown() override {
        TFormTrackSettings::SetColorPrompter(nullptr);
        FEnv->Shutdown();
        FEnv.reset();
        NavEnvFixture::TearDown();
    }
    // Opens the dialog, presses "Select color..." when asked, then OK or Cancel.
    bool Run(bool select, bool ok) {
        return RunSettingsDialog<TFormTrackSettings>(
            [&](TFormTrackSettings &form) {
                if (select) QTest::mouseClick(form.ButtonSelectColor, Qt::LeftButton);
            },
            ok, *FEnv);
    }
    std::unique_ptr<TMarivoNavEnv> FEnv;
    QColor Choice;  // invalid: the colour dialog is cancelled
    QColor OfferedColor;
    int ColorRequests = 0;
};

// A log of a receiver on a boat sailing north, one fix every ten seconds from the given
// moment on, played back once line by line on a pseudo-terminal, faster than it was sailed.
class TLogReplay {
public:
    TLogReplay(shelltest::TPty &pty, const QDateTime &start) : FPty(pty) {
        constexpr double Rad = M_PI / 180.0;
        for (int i = 0; i < 2000; ++i) {
            const TGeoPoint at{(52.0 + i * 0.015 / 60.0) * Rad, 5.0 * Rad};
            FLog.push_back(testsupport::NmeaFix({at, 0.0, 5.4, start.addSecs(i * 10)}));
        }
        FThread = std::thread([this] { Run(); });
    }
    ~TLogReplay() {
        FStop = true;
        FThread.join();
    }

private:
    void Run() {
        for (size_t i = 0; i < FLog.size() && !FStop; ++i) {
            FPty.Write(FLog[i].data(), FLog[i].size());
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    shelltest::TPty &FPty;
    std::vector<std::string> FLog;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

bool Near(const QColor &a, const QColor &b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace

TEST_F(TrackSettings, OkStoresTheChosenColourOpaqueAndTheNextTrackHasIt) {
    // A translucent blue, as an older store may hold it.
    FEnv->TrackDefaultColor = 0x400000FFu;
    Choice = QColor(0, 128, 0);
    EXPECT_TRUE(Run(true, true));
    EXPECT_EQ(ColorRequests, 1);
    EXPECT_EQ(OfferedColor, QColor(0, 0, 255));
    EXPECT_EQ(FEnv->TrackDefaultColor, 0xFF008000u);
    EXPECT_EQ(RegReadTrackDefaultColor(), 0xFF008000u);
    // Navigation records a new track from its start.
    ASSERT_TRUE(FEnv->StartNavigation(true));
    ASSERT_TRUE(FEnv->Boat->GetTrack());
    // The track answers in library RGB, without the alpha.
    EXPECT_EQ(FEnv->Boat->GetTrack()->GetColor(), 0x008000u);
    EXPECT_TRUE(FEnv->StopNavigation(QString(), false));

    // OK without a choice still makes the colour opaque.
    FEnv->TrackDefaultColor = 0x20FF0000u;
    EXPECT_TRUE(Run(false, true));
    EXPECT_EQ(FEnv->TrackDefaultColor, 0xFFFF0000u);
}

TEST_F(TrackSettings, CancelAfterChoosingChangesNothing) {
    FEnv->SetTrackDefaultColor(0xFF0000FFu);
    Choice = QColor(200, 100, 0);
    EXPECT_FALSE(Run(true, false));
    EXPECT_EQ(ColorRequests, 1);
    EXPECT_EQ(FEnv->TrackDefaultColor, 0xFF0000FFu);
    EXPECT_EQ(RegReadTrackDefaultColor(), 0xFF0000FFu);
    // A cancelled colour dialog keeps the working colour.
    Choice = QColor();
    EXPECT_TRUE(Run(true, true));
    EXPECT_EQ(FEnv->TrackDefaultColor, 0xFF0000FFu);
}

TEST_F(TrackSettings, SwatchShowsTheColourInNightColoursWhileNightModeIsOn) {
    FEnv->SetTrackDefaultColor(0xFF20A0E0u);
    const QColor day(0x20, 0xA0, 0xE0);
    // Below the shine the overlay is almost clear: the pixel is the colour itself.
    auto sample = [](TFormTrackSettings &form) {
        const QImage image = form.PaintBoxColorDefault->grab().toImage();
        return image.pixelColor(image.width() / 2, image.height() * 3 / 5);
    };
    {
        TFormTrackSettings form(*FEnv);
        form.show();
        EXPECT_TRUE(Near(sample(form), day, 10)) << sample(form).name().toStdString();
        shelltest::SaveScreenshot(&form, QStringLiteral("TrackSettings_en"));
    }
    {
        SetCurrentLanguage(KvLang::Dutch);
        TFormTrackSettings form(*FEnv);
        SetCurrentLanguage(KvLang::English);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Spoorinstellingen"));
        form.show();
        shelltest::SaveScreenshot(&form, QStringLiteral("TrackSettings_nl"));
    }
    INightScreen *ns = NightScreen();
    ns->SetActive(true);
    {
        TFormTrackSettings form(*FEnv);
        form.show();
        const QColor night = TColorToColor(ns->ConvertColor(ColorToTColor(day)));
        EXPECT_FALSE(Near(night, day, 10));
        EXPECT_TRUE(Near(sample(form), night, 10)) << sample(form).name().toStdString();
    }
    ns->SetActive(false);
}

// A receiver on a serial line instead of the simulator: the track it records has the colour.
class TrackSettingsOnAReceiver : public TrackSettings {
protected:
    void SetUp() override {
        Pty = std::make_unique<shelltest::TPty>(Dir.path() + QStringLiteral("/ttyGpsLog"));
        ASSERT_TRUE(Pty->Opened());
        Ports = std::make_unique<shelltest::TPortList>(QStringList{Pty->Link()});
        Replay = std::make_unique<TLogReplay>(*Pty, QDateTime::currentDateTimeUtc());
        TrackSettings::SetUp();
    }
    void TearDown() override {
        if (FEnv) TrackSettings::TearDown();
        Replay.reset();
        Ports.reset();
    }
    QTemporaryDir Dir;
    std::unique_ptr<shelltest::TPty> Pty;
    std::unique_ptr<shelltest::TPortList> Ports;
    std::unique_ptr<TLogReplay> Replay;
};

TEST_F(TrackSettingsOnAReceiver, TheTrackOfAReplayedLogHasTheChosenColour) {
    Choice = QColor(160, 32, 240);
    ASSERT_TRUE(Run(true, true));
    ASSERT_TRUE(FEnv->ConfigureGPSDevice());
    ASSERT_TRUE(FEnv->StartNavigation(false));
    ASSERT_FALSE(FEnv->Boat->IsSimulating());
    INavTrack *track = FEnv->Boat->GetTrack();
    ASSERT_TRUE(track);
    EXPECT_TRUE(QTest::qWaitFor([&] { return track->GetPointCount() >= 2; }, 20000))
        << track->GetPointCount() << " points";
    // Library colours keep red in the low byte.
    EXPECT_EQ(track->GetColor(), 0xF020A0u);
    EXPECT_TRUE(FEnv->StopNavigation(QString(), false));
}
