#include "TestSupport.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class MessageBox : public ::testing::Test {
protected:
    void SetUp() override { language = GetCurrentLanguage(); }
    void TearDown() override {
        SetCurrentLanguage(language);
        SetMsgBoxPrompter(nullptr);
        SetMsgBoxHelpHook(nullptr);
    }
    int language = KvLang::English;
};

}  // namespace

TEST_F(MessageBox, DefaultButtonAndEscapeResultPerButtonSet) {
    struct Case { const char *name; TMsgDlgButtons set; int defaultKind; int escape; };
    const Case cases[] = {
        {"yes no", MsgButtons({mbYes, mbNo}), mbYes, mrNo},
        {"retry cancel", MsgButtons({mbRetry, mbCancel}), mbRetry, mrCancel},
        {"ok", MsgButtons({mbOK}), mbOK, mrOk},
        {"abort retry ignore", MsgButtons({mbAbort, mbRetry, mbIgnore}), mbRetry, mrNone},
        {"ok cancel", MsgButtons({mbOK, mbCancel}), mbOK, mrCancel},
        {"yes no cancel", MsgButtons({mbYes, mbNo, mbCancel}), mbYes, mrCancel},
        {"abort ignore", MsgButtons({mbAbort, mbIgnore}), -1, mrNone},
        {"empty set shows OK", 0, mbOK, mrOk},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TMessageForm form(QString(), QStringLiteral("Question?"), mtConfirmation, c.set, 0, false);
        EXPECT_EQ(form.DefaultKind(), c.defaultKind);
        EXPECT_EQ(form.EscapeResult(), c.escape);
        if (c.defaultKind >= 0) {
            EXPECT_TRUE(form.Button(TMsgDlgBtn(c.defaultKind))->isDefault());
        }
    }
}

TEST_F(MessageBox, EscapeAnswersThroughTheDialogOrIsIgnored) {
    {
        TMessageForm form(QString(), QStringLiteral("Delete?"), mtConfirmation, MsgButtons({mbYes, mbNo}), 0, false);
        form.show();
        QTest::keyClick(&form, Qt::Key_Escape);
        EXPECT_EQ(form.result(), mrNo);
        EXPECT_FALSE(form.isVisible());
    }
    {
        TMessageForm form(QString(), QStringLiteral("Failed"), mtError, MsgButtons({mbAbort, mbRetry, mbIgnore}), 0, false);
        form.show();
        QTest::keyClick(&form, Qt::Key_Escape);
        EXPECT_TRUE(form.isVisible()) << "no Cancel, No or OK: Escape does nothing";
    }
}

TEST_F(MessageBox, ButtonsAppearInTheFixedOrderLeftToRight) {
    SetCurrentLanguage(KvLang::English);
    TMessageForm form(QString(), QStringLiteral("All"), mtWarning, 0x7FF, 0, false);
    const std::vector<TMsgDlgBtn> expected = {mbYes, mbYesToAll, mbNo, mbNoToAll, mbOK, mbAbort,
                                              mbRetry, mbIgnore, mbAll, mbCancel, mbHelp};
    EXPECT_EQ(form.ButtonKinds(), expected);
    int lastX = -1, width = -1;
    for (TMsgDlgBtn k : expected) {
        QPushButton *b = form.Button(k);
        ASSERT_NE(b, nullptr);
        EXPECT_GT(b->x(), lastX);
        if (width >= 0) {
            EXPECT_EQ(b->width(), width) << "all as wide as the widest";
        }
        lastX = b->x();
        width = b->width();
    }
    EXPECT_EQ(form.Button(mbNoToAll)->text(), QStringLiteral("N&o to All"));
}

TEST_F(MessageBox, CaptionDefaultsPerType) {
    SetCurrentLanguage(KvLang::English);
    struct Case { TMsgDlgType type; QString caption; QString expected; };
    const Case cases[] = {{mtWarning, {}, "Warning"},   {mtError, {}, "Error"},
                          {mtInformation, {}, "Information"}, {mtConfirmation, {}, "Confirm"},
                          {mtCustom, {}, ""},           {mtError, "Import", "Import"}};
    for (const Case &c : cases) {
        TMessageForm form(c.caption, QStringLiteral("x"), c.type, MsgButtons({mbOK}), 0, false);
        EXPECT_EQ(form.windowTitle(), c.expected) << int(c.type);
        EXPECT_EQ(form.IconLabel() != nullptr, c.type != mtCustom);
    }
    SetCurrentLanguage(KvLang::German);
    TMessageForm german(QString(), QStringLiteral("x"), mtError, MsgButtons({mbYes, mbNo}), 0, false);
    EXPECT_EQ(german.windowTitle(), QStringLiteral("Fehler"));
    EXPECT_EQ(german.Button(mbNo)->text(), QStringLiteral("&Nein"));
}

TEST_F(MessageBox, WidthCacheMeasuresOncePerLanguageAndKind) {
    MsgBoxResetWidthCache();
    SetCurrentLanguage(KvLang::English);
    { TMessageForm f(QString(), "a", mtWarning, MsgButtons({mbYes, mbNo}), 0, false); }
    EXPECT_EQ(MsgBoxWidthMeasureCount(), 2);
    const int yesWidth = MsgBoxCachedButtonWidth(KvLang::English, mbYes);
    EXPECT_GT(yesWidth, 8);
    EXPECT_EQ(MsgBoxCachedButtonWidth(KvLang::English, mbOK), 0);
    { TMessageForm f(QString(), "b", mtWarning, MsgButtons({mbYes, mbNo, mbCancel}), 0, false); }
    EXPECT_EQ(MsgBoxWidthMeasureCount(), 3) << "only Cancel is new";

    SetCurrentLanguage(KvLang::German);
    EXPECT_EQ(MsgBoxCachedButtonWidth(KvLang::German, mbYes), 0);
    { TMessageForm f(QString(), "c", mtWarning, MsgButtons({mbYes, mbNo}), 0, false); }
    EXPECT_EQ(MsgBoxWidthMeasureCount(), 5) << "measured anew after the switch";
    EXPECT_GT(MsgBoxCachedButtonWidth(KvLang::German, mbYes), 8);
    EXPECT_EQ(MsgBoxCachedButtonWidth(KvLang::English, mbYes), yesWidth);
}

TEST_F(MessageBox, HelpCallsTheHookAndStaysOpen) {
    std::vector<int> contexts;
    SetMsgBoxHelpHook([&](int context) { contexts.push_back(context); });
    int seenVisibleAfterHelp = -1;
    SetMsgBoxPrompter([&](TMessageForm &form) {
        form.show();
        QTest::mouseClick(form.Button(mbHelp), Qt::LeftButton);
        seenVisibleAfterHelp = form.isVisible();
        QTest::mouseClick(form.Button(mbOK), Qt::LeftButton);
        return form.result();
    });
    EXPECT_EQ(MsgBox(QStringLiteral("Read the manual"), mtInformation, MsgButtons({mbOK, mbHelp}), 4711), mrOk);
    EXPECT_EQ(contexts, std::vector<int>{4711});
    EXPECT_EQ(seenVisibleAfterHelp, 1);
}

TEST_F(MessageBox, LongMessageWrapsAtHalfTheScreen) {
    const QString longText = QString(QStringLiteral("word ")).repeated(200);
    TMessageForm form(QString(), longText, mtWarning, MsgButtons({mbOK}), 0, false);
    const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
    EXPECT_LE(form.MessageLabel()->width(), screenWidth / 2 + 2);
    EXPECT_GT(form.MessageLabel()->height(), form.fontMetrics().height() * 2);
}

TEST_F(MessageBox, ScreenshotsOfAllButtonsInDayAndNightMode) {
    SetCurrentLanguage(KvLang::English);
    const QString dir = QStringLiteral(MARIVO_BINARY_DIR "/test-output");
    QDir().mkpath(dir);
    INightScreen *ns = NightScreen();
    ASSERT_NE(ns, nullptr);
    for (bool night : {false, true}) {
        ns->SetActive(night);
        TMessageForm form(QString(), QStringLiteral("The route crosses a closed lock. Plan it anyway?"),
                          mtConfirmation, 0x7FF, 0, false);
        form.show();
        const QImage shot = form.grab().toImage();
        const QString file = dir + (night ? "/msgbox-night.png" : "/msgbox-day.png");
        EXPECT_TRUE(shot.save(file));
        const QRgb background = shot.pixel(2, 2);
        if (night) {
            EXPECT_LT(qGray(background), 50) << "night screen: dark background";
            const QRgb icon = form.IconLabel()->pixmap().toImage().pixel(16, 16);
            EXPECT_GE(qRed(icon), qBlue(icon)) << "red-dimmed symbols";
        } else {
            EXPECT_GT(qGray(background), 150);
        }
    }
    ns->SetActive(false);
}
