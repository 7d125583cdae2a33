// The main window as the program makes it, on the demo data at 1280 × 800, by day and by
// night, written for a look by eye.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/graphics/KvNightScreen.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoNavEnv.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDockWidget>
#include <QLabel>
#include <QTest>

TEST(MainWindowScreenshot, DayAndNight) {
    testsupport::TPrivateSettingsStore store;
    ASSERT_TRUE(store.Opened());
    shelltest::TShellScope shell;
    TStartOptions options;
    options.DataFolder = shelltest::FreshDemoData(QStringLiteral("screenshot"));
    ASSERT_FALSE(options.DataFolder.isEmpty());
    auto oldPrompter = SetMsgBoxPrompter([](TMessageForm &) { return int(mrYes); });
    auto oldFactories = TFormMarivo6Main::SetFrameFactories(ProgramFrameFactories());
    auto oldSource = TFormMarivo6Main::SetPortSource([] { return QStringList(); });
    const struct { const char *name; bool night; } cases[] = {{"main-window-day", false},
                                                              {"main-window-night", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        NightScreen()->SetActive(c.night);
        auto main = std::make_unique<TFormMarivo6Main>(options);
        ASSERT_NE(main->NavEnv(), nullptr);
        main->SetPanelVisible(QStringLiteral("DockablePanelRoute"), true);
        main->SetPanelVisible(QStringLiteral("DockablePanelNavInfo"), true);
        main->setGeometry(0, 0, 1280, 800);
        main->show();
        main->WMDeferredStart();
        ASSERT_NE(main->ViewerMain(), nullptr);
        QWidget *viewer = main->ViewerMain()->Widget();
        const QRect inside(viewer->mapTo(main.get(), QPoint(0, 0)), viewer->size());
        // The chart is drawn by the viewer's loader: wait until the view's centre shows it.
        const QRgb edge = main->grab().toImage().pixel(inside.left() + 1, inside.center().y());
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return main->grab().toImage().pixel(inside.center()) != edge; }, 15000))
            << "the chart appears in the middle of the view";
        const QImage picture = main->grab().toImage();
        shelltest::SaveScreenshot(picture, QString::fromLatin1(c.name));
        EXPECT_EQ(picture.size(), QSize(1280, 800));
        EXPECT_TRUE(main->centralWidget() == viewer) << "the chart fills the middle";
        EXPECT_FALSE(main->Panel(QStringLiteral("DockablePanelRoute"))->isHidden());
        main->close();
        main.reset();
        SetApplicationTerminated(false);
    }
    NightScreen()->SetActive(false);
    TFormMarivo6Main::SetPortSource(std::move(oldSource));
    TFormMarivo6Main::SetFrameFactories(std::move(oldFactories));
    SetMsgBoxPrompter(std::move(oldPrompter));
}
