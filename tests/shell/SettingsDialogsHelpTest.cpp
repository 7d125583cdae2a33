// Every settings dialog of the shell opens the help from its Help button and from F1, and
// shows its language flags in night colours while night mode is on.
#include "SettingsDialogSupport.h"

#include "base/graphics/KvNightScreen.h"
#include "base/help/KvHTMLHelp.h"
#include "shell/FrmHelp.h"
#include "shell/FrmLanguage.h"
#include "shell/FrmSettingsLocale.h"
#include "shell/FrmSettingsSailingArea.h"
#include "shell/FrmSettingsViewS57.h"
#include "shell/FrmTrackSettings.h"

#include <KvLibNav6/KvLanguage.h>

#include <QComboBox>

namespace {

class SettingsDialogsHelp : public SettingsDialogFixture {
protected:
    void SetUp() override {
        SettingsDialogFixture::SetUp();
        FEnv = Started();
        // Without the program's help manager the helper shows the pages itself.
        FreeHelpManager();
        GetHTMLHelper().SetHelpRoot(QStringLiteral(MARIVO_SOURCE_DIR_STR "/data/help"));
        GetHTMLHelper().SetShowPage([this](const QString &page) { Pages << page; });
    }
    void TearDown() override {
        FreeHTMLHelper();
        FEnv->Shutdown();
        FEnv.reset();
        SettingsDialogFixture::TearDown();
    }
    std::unique_ptr<TMarivoNavEnv> FEnv;
    QStringList Pages;
};

}  // namespace

TEST_F(SettingsDialogsHelp, HelpButtonAndF1ShowTheHelp) {
    TS57ViewerValues values;
    struct TDialog {
        const char *name, *page;
        std::function<std::unique_ptr<TFormSettingsDialog>()> make;
    };
    const std::vector<TDialog> dialogs = {
        {"regional", "/en/3.html", [&] { return std::make_unique<TFormSettingsLocale>(*FEnv); }},
        {"sailing area", "/en/5.html", [&] { return std::make_unique<TFormSettingsSailingArea>(*FEnv, 0x0100); }},
        {"track", "/en/9.html", [&] { return std::make_unique<TFormTrackSettings>(*FEnv); }},
        {"S-57", "/en/11.html", [&] { return std::make_unique<TFormSettingsViewS57>(*FEnv, values); }},
    };
    for (const auto &[name, page, make] : dialogs) {
        SCOPED_TRACE(name);
        Pages.clear();
        std::unique_ptr<TFormSettingsDialog> form = make();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        EXPECT_EQ(form->ButtonHelp->text(), QStringLiteral("&Help (F1)"));
        QTest::mouseClick(form->ButtonHelp, Qt::LeftButton);
        form->activateWindow();
        QTest::keyClick(form.get(), Qt::Key_F1);
        ASSERT_EQ(Pages.size(), 2);
        EXPECT_TRUE(Pages[0].endsWith(QLatin1String(page))) << Pages[0].toStdString();
        EXPECT_EQ(Pages[1], Pages[0]);
        form->reject();
    }
}

TEST_F(SettingsDialogsHelp, LanguageFlagsFollowNightMode) {
    auto flagPixel = [this] {
        TFormSettingsLocale form(*FEnv);
        const int dutch = form.ComboBoxLanguage->findData(KvLang::Dutch);
        const QImage flag =
            form.ComboBoxLanguage->itemIcon(dutch).pixmap(QSize(24, 16)).toImage();
        form.reject();
        return flag.pixelColor(12, 2);  // the red band
    };
    const QColor day = flagPixel();
    INightScreen *ns = NightScreen();
    ns->SetActive(true);
    const QColor night = flagPixel();
    ns->SetActive(false);
    EXPECT_EQ(day, LanguageFlag(KvLang::Dutch, QSize(24, 16)).toImage().pixelColor(12, 2));
    EXPECT_NE(night, day);
    EXPECT_LT(night.value(), day.value());
}
