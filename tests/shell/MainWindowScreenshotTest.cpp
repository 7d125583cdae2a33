// The main window as the program makes it, on the demo data at 1280 × 800, by day and by
// night, written for a look by eye.
#include "MainWindowFakes.h"
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/graphics/KvNightScreen.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmMsgDisclaimer.h"
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
    // An empty panel stays hidden: the panels shown get a stand-in until their frames exist.
    mainfakes::TLog log;
    TMainFrameFactories factories = ProgramFrameFactories();
    if (!factories.Routes)
        factories.Routes = mainfakes::Make<mainfakes::TFakeRoutes, IFrameRoutes>(log, "Routes");
    if (!factories.NavInfo)
        factories.NavInfo = mainfakes::Make<mainfakes::TFakeNavInfo, IFrameNavInfo>(log, "NavInfo");
    auto oldFactories = TFormMarivo6Main::SetFrameFactories(std::move(factories));
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

// A first start on a fresh store: the disclaimer closes itself while the program's loop runs
// (the viewer's own view changes meanwhile), and the view restored after it shows the charts.
TEST(MainWindowScreenshot, FirstStartShowsTheDemoChart) {
    testsupport::TPrivateSettingsStore store;
    ASSERT_TRUE(store.Opened());
    shelltest::TShellScope shell;
    TStartOptions options;
    options.DataFolder = shelltest::FreshDemoData(QStringLiteral("firststart"));
    ASSERT_FALSE(options.DataFolder.isEmpty());
    auto oldPrompter = SetMsgBoxPrompter([](TMessageForm &) { return int(mrYes); });
    auto oldFactories = TFormMarivo6Main::SetFrameFactories(ProgramFrameFactories());
    auto oldSource = TFormMarivo6Main::SetPortSource([] { return QStringList(); });
    TFormMarivo6Main *shown = nullptr;
    QRect inside;
    QRgb background = 0;
    bool disclaimerShown = false;
    auto oldDisclaimer = TFormMsgDisclaimer::SetPrompter([&](TFormMsgDisclaimer &form) {
        // The window system sizes the new window while the disclaimer is up; the viewer's
        // view follows. Before the stored view is restored, the view holds no chart.
        shown->setGeometry(10, 10, 1260, 780);
        QWidget *viewer = shown->ViewerMain()->Widget();
        inside = QRect(viewer->mapTo(shown, QPoint(0, 0)), viewer->size());
        background = shown->grab().toImage().pixel(inside.center());
        disclaimerShown = true;
        return form.exec();
    });
    auto main = std::make_unique<TFormMarivo6Main>(options);
    shown = main.get();
    ASSERT_NE(main->ViewerMain(), nullptr);
    main->setGeometry(0, 0, 1280, 800);
    main->show();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return disclaimerShown && main->NavEnv()->State == NavEnvState::Ready &&
                   main->grab().toImage().pixel(inside.center()) != background;
        },
        30000))
        << "the demo chart appears in the middle of the view";
    shelltest::SaveScreenshot(main->grab().toImage(), QStringLiteral("main-window-first-start"));
    for (QDockWidget *panel : main->findChildren<QDockWidget *>()) {
        if (!panel->isHidden()) {
            EXPECT_NE(panel->widget()->objectName(), QStringLiteral("EmptyPanelClient"))
                << panel->objectName().toStdString() << " shown empty";
        }
    }
    main->close();
    main.reset();
    SetApplicationTerminated(false);
    TFormMsgDisclaimer::SetPrompter(std::move(oldDisclaimer));
    TFormMarivo6Main::SetPortSource(std::move(oldSource));
    TFormMarivo6Main::SetFrameFactories(std::move(oldFactories));
    SetMsgBoxPrompter(std::move(oldPrompter));
}
