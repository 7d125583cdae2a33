// The account login as page and dialog: the checks in their order with the box that gets
// the focus, the change code (address without letter case, password exactly), the stored
// login shown with its filler, and the dialog closing without a check except on OK.
#include "online/FraPageUserLogin.h"
#include "online/FrmUser.h"

#include "OnlineTestSupport.h"
#include "TestSupport.h"

#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWebServices.h>

#include "base/charts/KvOnlineServices.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

struct NavDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};

class UserLogin : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        FEnv.reset(NavEnvCreate());
        FAccount.reset(CreateMRCChartCheck(FEnv->GetDispatcher(), QStringLiteral("Ostrel"), 0x06000000));
    }
    void Remember(const QString &email) {
        int32_t err = 0;
        MRCChartCheckSetLoginEmail(FAccount.get(), email, true, err);
        MRCChartCheckSetLoginPassword(FAccount.get(), QStringLiteral("geheim1"), true, err);
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("userlogin")};
    std::unique_ptr<INavEnv, NavDeleter> FEnv;
    std::unique_ptr<IMRCChartCheck, NavDeleter> FAccount;
};

}  // namespace

TEST_F(UserLogin, ChecksComeInOrderWithTheirMessageAndFocus) {
    struct Case {
        const char *email;
        const char *password;
        const char *message;  // start of the message; empty: passes
        const char *focus;
    };
    const Case cases[] = {
        {"", "", "No e-mail address entered.", "EditLoginEmail"},
        {"schipper", "geheim1", "Invalid e-mail address entered.", "EditLoginEmail"},
        {"a;b@example.nl", "geheim1", "Invalid e-mail address entered.", "EditLoginEmail"},
        {"schipper@example.nl", "", "No password entered.", "EditLoginPassword"},
        {"schipper@example.nl", "12345", "Invalid password entered.", "EditLoginPassword"},
        {"schipper@example.nl", "123456", "", ""},
    };
    TFramePageUserLogin page;
    page.show();
    QApplication::setActiveWindow(&page);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.email + std::string("/") + c.password);
        onlinetest::TMessages messages;
        page.Boxes().EditLoginEmail->setText(QString::fromUtf8(c.email));
        page.Boxes().EditLoginPassword->setText(QString::fromUtf8(c.password));
        int code = -1;
        const bool passed = page.ValidateAndGetChanges(code);
        EXPECT_EQ(passed, *c.message == 0);
        if (passed) {
            EXPECT_TRUE(messages.Texts.isEmpty());
            EXPECT_EQ(code, LoginChange::Both);
            continue;
        }
        ASSERT_EQ(messages.Texts.size(), 1);
        EXPECT_TRUE(messages.Texts[0].startsWith(QString::fromUtf8(c.message))) << messages.Texts[0].toStdString();
        EXPECT_TRUE(messages.Texts[0].contains(QStringLiteral("6 characters")) ||
                    QString::fromUtf8(c.focus) == QLatin1String("EditLoginEmail"));
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromUtf8(c.focus));
    }
}

TEST_F(UserLogin, ChangeCodeComparesTheAddressWithoutAndThePasswordWithLetterCase) {
    struct Case {
        const char *email;
        const char *password;
        int code;
    };
    const Case cases[] = {
        {"a@b.nl", "geheim1", LoginChange::None},
        {"A@B.NL", "geheim1", LoginChange::None},
        {"c@b.nl", "geheim1", LoginChange::Email},
        {"a@b.nl", "GEHEIM1", LoginChange::Password},
        {"a@b.nl", "anders1", LoginChange::Password},
        {"c@b.nl", "anders1", LoginChange::Both},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LoginChangeCode(QStringLiteral("a@b.nl"), QStringLiteral("geheim1"), QString::fromUtf8(c.email),
                                  QString::fromUtf8(c.password)),
                  c.code)
            << c.email << " " << c.password;
}

TEST_F(UserLogin, ARememberedLoginShowsItsFillerAndPassesUnchanged) {
    Remember(QStringLiteral("schipper@example.nl"));
    TFramePageUserLogin page;
    QString email;
    ASSERT_TRUE(MRCChartCheckGetStoredLogin(FAccount.get(), email));
    page.ShowStoredLogin(email);
    EXPECT_EQ(page.GetEmail(), QStringLiteral("schipper@example.nl"));
    EXPECT_EQ(page.GetPassword(), QString::fromLatin1(LoginPasswordFiller));
    EXPECT_EQ(page.GetPassword().size(), 17);
    EXPECT_TRUE(page.GetRememberMe());
    EXPECT_EQ(page.Boxes().EditLoginPassword->echoMode(), QLineEdit::Password);
    onlinetest::TMessages messages;
    int code = -1;
    EXPECT_TRUE(page.ValidateAndGetChanges(code));
    EXPECT_EQ(code, LoginChange::None);

    page.ShowStoredLogin(QString());
    EXPECT_EQ(page.GetEmail(), QString());
    EXPECT_EQ(page.GetPassword(), QString());
    EXPECT_FALSE(page.GetRememberMe());
}

TEST_F(UserLogin, DialogClosesWithoutACheckExceptOnOk) {
    {
        TFormUser form(FAccount.get(), true);
        EXPECT_EQ(form.GetEmail(), QString());
        EXPECT_FALSE(form.GetRememberMe());
        EXPECT_FALSE(form.ButtonLogout->isEnabled()) << "nothing remembered: nothing to log out";
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Korvane account"));
    }
    Remember(QStringLiteral("schipper@example.nl"));
    struct Case {
        const char *name;
        std::function<void(TFormUser &)> act;
        bool open;
        int result;  // when closed
        int messageCount;
    };
    const auto badAddress = [](TFormUser &f, QPushButton *button) {
        f.Boxes.EditLoginEmail->setText(QStringLiteral("x"));
        QTest::mouseClick(button, Qt::LeftButton);
    };
    const Case cases[] = {
        {"cancel with a bad address", [&](TFormUser &f) { badAddress(f, f.ButtonCancel); }, false, TFormUser::ResultCancel, 0},
        {"logout with a bad address", [&](TFormUser &f) { badAddress(f, f.ButtonLogout); }, false, TFormUser::ResultLogout, 0},
        {"ok with a bad address", [&](TFormUser &f) { badAddress(f, f.ButtonOk); }, true, 0, 1},
        {"ok untouched", [](TFormUser &f) { QTest::mouseClick(f.ButtonOk, Qt::LeftButton); }, false, TFormUser::ResultOk, 0},
        {"window closed with a bad address", [](TFormUser &f) { f.Boxes.EditLoginEmail->setText(QStringLiteral("x")); f.close(); }, false, QDialog::Rejected, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        onlinetest::TMessages messages;
        TFormUser form(FAccount.get(), true);
        EXPECT_TRUE(form.GetRememberMe());
        EXPECT_TRUE(form.ButtonLogout->isEnabled());
        form.show();
        c.act(form);
        EXPECT_EQ(form.isVisible(), c.open);
        if (!c.open) {
            EXPECT_EQ(form.result(), c.result);
        }
        EXPECT_EQ(messages.Texts.size(), c.messageCount);
    }
    TFormUser form(FAccount.get(), false);
    EXPECT_FALSE(form.ButtonLogout->isVisibleTo(&form));
    int code = -1;
    form.Boxes.EditLoginPassword->setText(QStringLiteral("Geheim1"));
    EXPECT_TRUE(form.GetChanges(code));
    EXPECT_EQ(code, LoginChange::Password);
}
