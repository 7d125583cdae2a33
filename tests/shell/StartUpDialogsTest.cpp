// The five windows around the start: splash, language choice, close-error dialog,
// disclaimer and the waiting message. Driven as a user would, answered through prompters.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/registry/KvRegistry.h"
#include "shell/FrmLanguage.h"
#include "shell/FrmMsgCloseError.h"
#include "shell/FrmMsgDisclaimer.h"
#include "shell/FrmMsgWaiting.h"
#include "shell/FrmSplash.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

constexpr uint32_t AllLanguages = 0x1FE;  // bits 1..8

uint32_t Languages(std::initializer_list<int32_t> numbers) {
    uint32_t set = 0;
    for (int32_t n : numbers) set |= 1u << n;
    return set;
}

// The splash's clock for a test: what it returns is set by the test.
class TSplashClockScope {
public:
    TSplashClockScope() { FOld = SetSplashClock([this] { return Now; }); }
    ~TSplashClockScope() {
        delete Splash();
        SetSplashClock(std::move(FOld));
    }
    int64_t Now = 0;

private:
    TSplashClock FOld;
};

}  // namespace

TEST(Splash, ProgressBarGeometryAndRedraws) {
    TSplashClockScope clock;
    ShowSplash(2000);
    TFormSplash *splash = Splash();
    ASSERT_TRUE(splash);
    const double left = TFormSplash::Track.Left, right = TFormSplash::Track.Right;
    struct Case {
        const char *name;
        int32_t position, maximum;
        double end;
    };
    const Case cases[] = {{"maximum 0: empty", 5, 0, left},
                          {"half", 50, 100, left + (right - left) / 2},
                          {"beyond the maximum: full and no further", 150, 100, right},
                          {"negative position: empty", -10, 100, left}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SplashProgress(c.position, c.maximum, 0);
        EXPECT_DOUBLE_EQ(splash->FillEnd(), c.end);
    }

    SplashText(QStringLiteral("Reading charts"), QStringLiteral("Optimizing charts"));
    EXPECT_EQ(splash->StatusText(), QStringLiteral("Reading charts"));
    SplashProgress(0, 1000, 0);
    int redraws = splash->RedrawCount();
    // 1000 steps over 415 pixels: a step that stays within a pixel draws nothing.
    SplashProgress(1, 1000, 0);  // 19.5 -> 19.915
    EXPECT_EQ(splash->RedrawCount(), redraws);
    SplashProgress(2, 1000, 0);  // 20.33: the next whole pixel
    EXPECT_EQ(splash->RedrawCount(), redraws + 1);
    SplashProgress(2, 1000, 1);  // a new stage shows the detail text
    EXPECT_EQ(splash->RedrawCount(), redraws + 2);
    EXPECT_EQ(splash->StatusText(), QStringLiteral("Optimizing charts"));
    SplashText(QStringLiteral("Reading sound files"));
    SplashProgress(500, 1000, 1);
    EXPECT_EQ(splash->StatusText(), QStringLiteral("Reading sound files")) << "no detail text";

    // The bar's pixels: the filled part and the rest of the track.
    const QImage picture = splash->Picture();
    EXPECT_EQ(picture.pixel(100, 277), 0xFF5F7596u);
    EXPECT_EQ(picture.pixel(400, 277), 0xFFC0C0C0u);
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << "rounded, transparent corner";
    shelltest::SaveScreenshot(picture, QStringLiteral("splash"));
}

TEST(Splash, CloseWaitsOutTheMinimumTimeOnly) {
    TSplashClockScope clock;
    std::vector<int> waits;
    auto oldWait = SetSplashWait([&](int ms) { waits.push_back(ms); });
    struct Case {
        const char *name;
        int64_t elapsed;
        std::vector<int> waits;
    };
    const Case cases[] = {{"3 s after: at once", 3000, {}},
                          {"0.5 s after: the remaining 1.5 s", 500, {1500}},
                          {"exactly at the minimum", 2000, {}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        waits.clear();
        clock.Now = 10000;
        ShowSplash(2000);
        clock.Now += c.elapsed;
        CloseSplash();
        EXPECT_EQ(waits, c.waits);
        EXPECT_EQ(Splash(), nullptr);
    }
    SetSplashWait(std::move(oldWait));
}

TEST(Splash, WaitingKeepsTheEventLoopRunning) {
    TSplashClockScope clock;
    ShowSplash(2000);
    clock.Now = 1900;  // 100 ms still to go
    int redrawsDuringWait = -1;
    QTimer::singleShot(0, [&] {
        SplashText(QStringLiteral("Starting..."));
        redrawsDuringWait = Splash() ? Splash()->RedrawCount() : -1;
    });
    CloseSplash();
    EXPECT_GT(redrawsDuringWait, 0) << "the splash was redrawn while CloseSplash waited";
    EXPECT_EQ(Splash(), nullptr);
}

TEST(LanguageDialog, PreselectsTheSystemLanguageThenThePassedOne) {
    struct Case {
        const char *name;
        uint32_t available;
        int32_t passed, system, selected;
    };
    const Case cases[] = {
        {"the passed language wins", AllLanguages, KvLang::Dutch, KvLang::German, KvLang::Dutch},
        {"passed one not offered: the system's", Languages({KvLang::German, KvLang::French}),
         KvLang::Dutch, KvLang::German, KvLang::German},
        {"neither offered: nothing", Languages({KvLang::French}), KvLang::Dutch, KvLang::English, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFormLanguage form(c.available, c.passed, c.system);
        EXPECT_EQ(form.SelectedLanguage(), c.selected);
        EXPECT_EQ(form.ButtonOK->isEnabled(), c.selected != 0);
    }

    TFormLanguage form(AllLanguages, KvLang::Dutch, KvLang::English);
    ASSERT_EQ(form.ListView->count(), 8);
    EXPECT_EQ(form.ListView->item(2)->text(), QStringLiteral("Deutsch"));
    EXPECT_EQ(form.ButtonCancel->text(), QStringLiteral("Annuleren")) << "the selected language";
    form.show();
    QTest::mouseClick(form.ListView->viewport(), Qt::LeftButton, {},
                      form.ListView->visualItemRect(form.ListView->item(3)).center());
    EXPECT_EQ(form.SelectedLanguage(), KvLang::French);
    EXPECT_EQ(form.ButtonCancel->text(), QStringLiteral("Annuler"));
    shelltest::SaveScreenshot(&form, QStringLiteral("language"));
}

TEST(LanguageDialog, OneLanguageStillNeedsASelectionAndCancelCancels) {
    TFormLanguage form(Languages({KvLang::Italian}), KvLang::English, KvLang::English);
    form.show();
    EXPECT_FALSE(form.ButtonOK->isEnabled());
    QListWidgetItem *only = form.ListView->item(0);
    const QPoint at = form.ListView->visualItemRect(only).center();
    QTest::mouseClick(form.ListView->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(form.ButtonOK->isEnabled());
    QTest::mouseDClick(form.ListView->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form.result(), QDialog::Accepted) << "a double click with a selection is OK";
    EXPECT_EQ(form.SelectedLanguage(), KvLang::Italian);

    struct Case {
        const char *name;
        int result;
        bool chosen;
        int32_t language;
    };
    const Case cases[] = {{"OK", QDialog::Accepted, true, KvLang::Swedish},
                          {"Cancel", QDialog::Rejected, false, KvLang::English}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto old = TFormLanguage::SetPrompter([&](TFormLanguage &dialog) {
            dialog.ListView->setCurrentRow(dialog.ListView->count() - 1);
            (c.result == QDialog::Accepted ? dialog.ButtonOK : dialog.ButtonCancel)->click();
            return dialog.result();
        });
        int32_t language = KvLang::English;
        EXPECT_EQ(ChooseLanguage(AllLanguages, language), c.chosen);
        EXPECT_EQ(language, c.language);
        TFormLanguage::SetPrompter(std::move(old));
    }
}

TEST(CloseErrorDialog, ClosingItOrLookingForAnUpdateStartsNothing) {
    testsupport::TPrivateSettingsStore store;
    TFormMsgCloseError form(TExecState::Running);
    form.show();
    EXPECT_EQ(form.LabelMsgTitle->text(), QStringLiteral("Warning"));
    EXPECT_TRUE(form.LabelMsg->text().endsWith(
        QStringLiteral("The program will be started again when you click the OK button.")));
    shelltest::SaveScreenshot(&form, QStringLiteral("close-error"));
    const int small = form.height();

    QTest::mouseClick(form.LabelProblemSolve, Qt::LeftButton);
    EXPECT_TRUE(form.Expanded());
    EXPECT_GT(form.height(), 2 * small - 2 * small / 10);
    EXPECT_TRUE(form.CheckBoxClearRegistry->isVisible());
    EXPECT_TRUE(form.LabelProblemInfo->text().contains(QStringLiteral("@korvane.example")));
    EXPECT_FALSE(form.CheckBoxClearGRIBFiles->isVisible());
    EXPECT_TRUE(form.LabelUpdate->isVisible());
    EXPECT_TRUE(form.ButtonUpdate->isVisible());
    EXPECT_EQ(form.LabelUpdate->text(), QStringLiteral("Install an update"));
    EXPECT_EQ(form.ButtonUpdate->text(), QStringLiteral("Find"));
    EXPECT_EQ(form.LabelProblemSolve->text(), QStringLiteral("More information"));
    shelltest::SaveScreenshot(&form, QStringLiteral("close-error-expanded"));

    EXPECT_EQ(form.ResultFor(QDialog::Rejected), 1) << "closed by the window frame";
    form.ButtonUpdate->click();
    EXPECT_EQ(form.ResultFor(form.result()), 2);
}

TEST(CloseErrorDialog, OKErasesTheChosenSettingsAndKeepsTheLanguage) {
    testsupport::TPrivateSettingsStore store;
    IAppReg *reg = GetAppReg();
    int32_t err = 0;
    for (const char *key : {"Boat", "Desktop\\Window", "NavMsgDeviceManager\\Devices", "GRIB"})
        RegWriteInteger(reg, AppRegRoot::Product, QString::fromLatin1(key), RegName(u"Value"), 1, err);
    RegWriteInteger(reg, AppRegRoot::Product, QString(), RegName(u"ExecState"), 1, err);
    SetCurrentLanguage(KvLang::German);

    struct Case {
        const char *name;
        bool registry, device;
        QStringList kept;
    };
    const Case cases[] = {
        {"GPS settings only", false, true, {"Boat", "Desktop", "GRIB"}},
        {"program settings: GRIB stays", true, false, {"GRIB"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto old = TFormMsgCloseError::SetPrompter([&](TFormMsgCloseError &form) {
            QTest::mouseClick(form.LabelProblemSolve, Qt::LeftButton);
            form.CheckBoxClearRegistry->setChecked(c.registry);
            form.CheckBoxClearDeviceSettings->setChecked(c.device);
            form.ButtonOk->click();
            return form.result();
        });
        EXPECT_EQ(ShowCloseError(TExecState::Running), 0);
        TFormMsgCloseError::SetPrompter(std::move(old));
        QStringList keys;
        RegGetKeyNames(reg, AppRegRoot::Product, QString(), keys, err);
        keys.removeAll(QStringLiteral("Language"));
        EXPECT_EQ(keys, c.kept);
        EXPECT_EQ(RegReadIntegerDef(reg, AppRegRoot::Product, QString(), RegName(u"ExecState"), 0), 1)
            << "values of the product key itself stay";
    }
    SetCurrentLanguage(KvLang::English);
    // The language was written back after the erasure (the next start reads German).
    const TGUID product;
    const std::u16string subPath = u"Marivo\\Ostrel", identity = u"Test";
    ASSERT_TRUE(InitApplication(239, 0, &product, TStrWRec{int32_t(subPath.size()), subPath.c_str()},
                                21, 3, 2024, 2024, 3, 21, nullptr, nullptr, nullptr, nullptr,
                                TStrWRec{int32_t(identity.size()), identity.c_str()}, 9));
    EXPECT_EQ(GetCurrentLanguage(), KvLang::German);
    SetCurrentLanguage(KvLang::English);
}

TEST(Disclaimer, ClosesWithOKOrByItselfAfterFiveSeconds) {
    TFormMsgDisclaimer form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Disclaimer"));
    EXPECT_TRUE(form.TimerClose->isActive()) << "running from creation";
    EXPECT_TRUE(form.TimerClose->isSingleShot());
    EXPECT_EQ(form.TimerClose->interval(), 5000);
    form.show();
    shelltest::SaveScreenshot(&form, QStringLiteral("disclaimer"));

    struct Case {
        const char *name;
        bool pressOK;
        bool result;
    };
    const Case cases[] = {{"OK", true, true}, {"the timer", false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto old = TFormMsgDisclaimer::SetPrompter([&](TFormMsgDisclaimer &dialog) {
            QTimer::singleShot(0, &dialog, [&] {
                if (c.pressOK)
                    dialog.ButtonOk->click();
                else
                    dialog.TimerCloseTimer();
            });
            return dialog.exec();
        });
        EXPECT_EQ(ShowDisclaimer(), c.result);
        TFormMsgDisclaimer::SetPrompter(std::move(old));
    }
}

TEST(WaitingDialog, RunsTheJobOnceShownAndCancelOnlyAsks) {
    int jobs = 0;
    bool visibleDuringJob = false, closedByCancel = true, cancelledSeen = false;
    TFormMsgWaiting::Execute(
        TFormMsgWaiting::WaitingText(QStringLiteral("MRC Manager")), true,
        [&](TFormMsgWaiting &dialog) {
            ++jobs;
            visibleDuringJob = dialog.isVisible();
            EXPECT_TRUE(dialog.LabelMessage->text().startsWith(
                QStringLiteral("Marivo Ostrel is waiting for MRC Manager to finish.")));
            EXPECT_EQ(dialog.LabelHeader->text(), QStringLiteral("Please wait..."));
            shelltest::SaveScreenshot(&dialog, QStringLiteral("waiting"));
            QTest::mouseClick(dialog.ButtonCancel, Qt::LeftButton);
            cancelledSeen = dialog.Cancelled();
            EXPECT_FALSE(dialog.ButtonCancel->isEnabled());
            QTest::keyClick(&dialog, Qt::Key_Escape);
            closedByCancel = !dialog.isVisible();
        });
    EXPECT_EQ(jobs, 1);
    EXPECT_TRUE(visibleDuringJob);
    EXPECT_TRUE(cancelledSeen);
    EXPECT_FALSE(closedByCancel);

    TFormMsgWaiting without(QStringLiteral("Updating"), false, nullptr);
    EXPECT_TRUE(without.ButtonCancel->isHidden());
}
