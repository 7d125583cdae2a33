// Each menu of the main window opened over the window at 1280 × 800, in English, Dutch and
// French, written for a look by eye.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoActionTable.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>

TEST(MainWindowMenusScreenshot, EveryMenuInEnglishDutchAndFrench) {
    testsupport::TPrivateSettingsStore store(QStringLiteral("menus"));
    ASSERT_TRUE(store.Opened());
    shelltest::TShellScope shell;
    TStartOptions options;
    options.DataFolder = shelltest::FreshDemoData(QStringLiteral("menus"));
    ASSERT_FALSE(options.DataFolder.isEmpty());
    auto oldPrompter = SetMsgBoxPrompter([](TMessageForm &) { return int(mrNo); });
    auto oldFactories = TFormMarivo6Main::SetFrameFactories(ProgramFrameFactories());
    auto oldSource = TFormMarivo6Main::SetPortSource([] { return QStringList(); });
    auto main = std::make_unique<TFormMarivo6Main>(options);
    ASSERT_NE(main->NavEnv(), nullptr);
    main->setGeometry(0, 0, 1280, 800);
    main->show();
    main->WMDeferredStart();
    const struct {
        int32_t language;
        const char *suffix, *file, *properties, *print, *printHint;
    } languages[] = {
        {KvLang::English, "en", "&File", "Properties", "Print...", "Print"},
        {KvLang::Dutch, "nl", "&Bestand", "Eigenschappen", "Afdrukken...", "Afdrukken"},
        {KvLang::French, "fr", "&Fichier", "Propri\u00E9t\u00E9s", "Imprimer...", "Imprimer"}};
    for (const auto &l : languages) {
        SCOPED_TRACE(l.suffix);
        SetCurrentLanguage(l.language);
        main->LoadLanguage();
        EXPECT_EQ(main->Menu("MenuItemFile")->title(), QString::fromUtf8(l.file));
        EXPECT_EQ(main->Menu("MenuItemFileProperties")->title(), QString::fromUtf8(l.properties));
        QAction *print = main->Action("ActionFilePrint");
        EXPECT_EQ(print->text(), QString::fromUtf8(l.print));
        EXPECT_EQ(print->statusTip(), QString::fromUtf8(l.printHint));
        EXPECT_TRUE(main->Menu("MenuItemFile")->actions().contains(print));
        for (const TMenuRow &row : MenuTable()) {
            QMenu *menu = main->Menu(row.Name);
            if (row.Parent || !menu->menuAction()->isVisible()) continue;
            main->menuBar()->setActiveAction(menu->menuAction());
            ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 5000)) << row.Name;
            QImage picture = main->grab().toImage();
            {
                QPainter painter(&picture);
                painter.drawPixmap(menu->mapToGlobal(QPoint(0, 0)) - main->mapToGlobal(QPoint(0, 0)),
                                   menu->grab());
            }
            EXPECT_EQ(picture.size(), QSize(1280, 800));
            EXPECT_FALSE(menu->actions().isEmpty()) << row.Name;
            shelltest::SaveScreenshot(picture, QStringLiteral("menu-%1-%2")
                                                   .arg(QString::fromLatin1(row.Name).mid(8).toLower(),
                                                        QString::fromLatin1(l.suffix)));
            menu->hide();
            main->menuBar()->setActiveAction(nullptr);
        }
    }
    SetCurrentLanguage(KvLang::English);
    main.reset();
    TFormMarivo6Main::SetFrameFactories(std::move(oldFactories));
    TFormMarivo6Main::SetPortSource(std::move(oldSource));
    SetMsgBoxPrompter(std::move(oldPrompter));
}
