// The main window's user-arranged main toolbar across restarts, its texts switched to
// another language at run time, its caption, and F1.
#include "MainWindowFakes.h"
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/registry/KvRegistry.h"
#include "shell/FrmHelp.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmToolbarEdit.h"
#include "shell/MarivoActionTable.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <unistd.h>

using namespace mainfakes;

namespace {

constexpr int32_t Root = AppRegRoot::Product;

class MainWindowTexts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Options.DataFolder = shelltest::FreshDemoData(QStringLiteral("texts"));
        ASSERT_FALSE(Options.DataFolder.isEmpty());
        FOldPrompter = SetMsgBoxPrompter([](TMessageForm &) { return mrYes; });
        FOldFactories = TFormMarivo6Main::SetFrameFactories(AllFakes(Log));
        FOldSource = TFormMarivo6Main::SetPortSource([] { return QStringList(); });
        TMainDialogs dialogs = ProgramDialogs();
        dialogs.HelpContext = [this](QWidget *, int32_t context) {
            Contexts << context;
            return true;
        };
        FOldDialogs = TFormMarivo6Main::SetDialogs(dialogs);
    }
    void TearDown() override {
        Main.reset();
        TFormMarivo6Main::SetFrameFactories(std::move(FOldFactories));
        TFormMarivo6Main::SetPortSource(std::move(FOldSource));
        TFormMarivo6Main::SetDialogs(std::move(FOldDialogs));
        SetMsgBoxPrompter(std::move(FOldPrompter));
        SetCurrentLanguage(KvLang::English);
        FreeHelpManager();
    }
    TFormMarivo6Main &MakeRunning() {
        Main = std::make_unique<TFormMarivo6Main>(Options);
        Main->setGeometry(0, 0, 1280, 800);
        Main->show();
        Main->WMDeferredStart();
        return *Main;
    }
    // The main toolbar's actions by name, "-" for a separator.
    QStringList ToolbarItems() const {
        QStringList items;
        for (QAction *a : Main->ToolbarMain->actions()) items << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return items;
    }
    QMap<QString, QString> DockTitles() const {
        QMap<QString, QString> titles;
        for (QDockWidget *d : Main->Panels())
            if (!d->windowTitle().isEmpty()) titles.insert(d->objectName(), d->windowTitle());
        return titles;
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("texts")};
    shelltest::TShellScope FShell;
    TStartOptions Options;
    TLog Log;
    std::unique_ptr<TFormMarivo6Main> Main;
    QList<int32_t> Contexts;

private:
    TMsgBoxPrompter FOldPrompter;
    TMainFrameFactories FOldFactories;
    std::function<QStringList()> FOldSource;
    TMainDialogs FOldDialogs;
};

}  // namespace

TEST_F(MainWindowTexts, TheMainToolbarStartsWithTheDefaultSetAndKeepsTheEditedOne) {
    MakeRunning();
    // The tide and eco-label entries are no available items: their separators meet.
    EXPECT_EQ(ToolbarItems(),
              QStringList({"ActionInstrumentsCommunication", "ActionNavigationInformation", "-", "ActionRouteNavigateTo",
                           "-", "ActionWaypointEdit", "ActionRouteEdit", "ActionRouteStart", "-", "-",
                           "ActionViewWaypoints", "ActionViewWaypointLabels", "ActionViewRouteNetwork",
                           "ActionWaypointStructures", "-", "ActionSound", "-", "ActionViewFind", "ActionHelpContents"}));
    EXPECT_EQ(Main->ToolbarContents()->All.Count(), 18);
    EXPECT_FALSE(RegKeyExists(GetAppReg(), Root, QStringLiteral("Toolbars\\ToolbarMain")))
        << "stored only after the editor closes with OK";
    auto old = TFormToolbarEdit::SetPrompter([](TFormToolbarEdit &form) {
        std::vector<TToolbarItem *> items = form.ContentsModel->Items();
        std::reverse(items.begin(), items.end());
        form.ContentsModel->SetItems({items.begin(), items.begin() + 3});
        form.ButtonOk->click();
        return int(QDialog::Accepted);
    });
    QAction *edit = Main->Action("ActionViewToolbarMainEdit");
    ASSERT_TRUE(edit->isEnabled());
    edit->trigger();
    TFormToolbarEdit::SetPrompter(std::move(old));
    const QStringList edited({"ActionHelpContents", "ActionViewFind", "-"});
    EXPECT_EQ(ToolbarItems(), edited);
    Main->close();
    Main.reset();
    MakeRunning();
    EXPECT_EQ(ToolbarItems(), edited);
}

TEST_F(MainWindowTexts, ALanguageSwitchRelabelsEveryActionMenuPanelAndToolbar) {
    MakeRunning();
    const QMap<QString, QString> english = DockTitles();
    ASSERT_GE(english.size(), 20);
    EXPECT_EQ(english.value(QStringLiteral("DockablePanelUserReport")),
              QStringLiteral("User report to helpdesk@korvane.example"));
    QSignalSpy changed(Main.get(), &TFormMarivo6Main::LanguageChanged);
    const auto &table = ActionTable();
    auto sweep = [&](int32_t language) {
        SCOPED_TRACE(language);
        for (const TActionRow &row : table) {
            if (!row.Caption[0] || qstrcmp(row.Name, "ActionRouteStart") == 0) continue;  // the states set it
            EXPECT_EQ(Main->Action(row.Name)->text(), ActionCaption(row, language)) << row.Name;
        }
        for (const TMenuRow &m : MenuTable())
            EXPECT_EQ(Main->Menu(m.Name)->title(), LanguageTextIn(m.Caption, language)) << m.Name;
        EXPECT_EQ(Main->ToolbarMain->windowTitle(),
                  ActionCaption(table[size_t(ActionIndex("ActionViewToolbarMain"))], language));
        EXPECT_EQ(Main->Action("ActionHelpLinkHelp")->isVisible(), language == KvLang::Dutch);
    };
    SetCurrentLanguage(KvLang::Dutch);
    Log.Texts.clear();
    Main->LoadLanguage();
    sweep(KvLang::Dutch);
    const QMap<QString, QString> dutch = DockTitles();
    for (auto it = english.begin(); it != english.end(); ++it)
        EXPECT_NE(dutch.value(it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(dutch.value(QStringLiteral("DockablePanelRoute")), QStringLiteral("Routeoverzicht"));
    EXPECT_EQ(Main->ToolbarMain->windowTitle(), QStringLiteral("Hoofdwerkbalk"));
    EXPECT_TRUE(GetHelpManager().HelpFile().endsWith(QStringLiteral("/nl/index.html")));
    EXPECT_TRUE(Main->Action("ActionHelpContents")->isEnabled());
    // The frames in their order, then the owned windows.
    EXPECT_EQ(Log.Texts, QStringList({"ChartInfo", "ChartLegend", "ChartStatus", "LinkDetails", "NavInfo",
                                      "NavCurrent", "NavRoute", "LinkDetailsStruct", "NMEA", "Routes",
                                      "RouteSettings", "TrackReplay", "UserReport", "Viewer", "GPSError",
                                      "NewsCenter"}));
    shelltest::SaveScreenshot(Main.get(), QStringLiteral("main-window-dutch"));
    SetCurrentLanguage(KvLang::English);
    Main->LoadLanguage();
    sweep(KvLang::English);
    EXPECT_EQ(DockTitles(), english);
    EXPECT_EQ(changed.size(), 2);
}

TEST_F(MainWindowTexts, TheChartUpdateCaptionFollowsTheChartManagerProgram) {
    MakeRunning();
    struct Case {
        int32_t flags;
        const char *caption;
    };
    for (const Case &c : {Case{0x2, "Install/update charts..."}, Case{0x1, "Update charts..."},
                          Case{0x3, "Install/update charts..."}, Case{0, "Update charts..."}}) {
        Main->NavEnv()->ChartManagerProgramFlags = c.flags;
        Main->LoadLanguage();
        EXPECT_EQ(Main->Action("ActionChartUpdate")->text(), QString::fromUtf8(c.caption)) << c.flags;
    }
}

TEST_F(MainWindowTexts, TheCaptionIsComposedInOrderAndSetOnlyWhenItChanges) {
    using TParts = TFormMarivo6Main::TCaptionParts;
    struct Case {
        const char *name;
        TParts parts;
        const char *caption;
    };
    const Case cases[] = {
        {"title only", {"Marivo", "", false, 6, false, "", ""}, "Marivo"},
        {"display name", {"Marivo", "Test store", false, 6, false, "", ""}, "Marivo Test store"},
        {"debug build", {"Marivo", "", true, 6, false, "", ""}, "Marivo - Using DEBUG KvLibNav6.dll"},
        {"administrator", {"Marivo", "", false, 6, true, "", ""}, "Marivo (Administrator)"},
        {"administrator on an old system", {"Marivo", "", false, 5, true, "", ""}, "Marivo"},
        {"login", {"Marivo", "", false, 6, false, "a@b.example", ""}, "Marivo - User: a@b.example"},
        {"ship", {"Marivo", "", false, 6, false, "", "Zeemeeuw"}, "Marivo - Zeemeeuw"},
        {"all", {"Marivo", "S", true, 6, true, "a@b.example", "Zeemeeuw"},
         "Marivo S - Using DEBUG KvLibNav6.dll (Administrator) - User: a@b.example - Zeemeeuw"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TFormMarivo6Main::ComposeCaption(c.parts), QString::fromUtf8(c.caption));
    }
    MakeRunning();
    QSignalSpy titles(Main.get(), &QWidget::windowTitleChanged);
    Main->UpdateCaption();
    EXPECT_EQ(titles.size(), 0);
    int32_t err = 0;
    RegWriteString(GetAppReg(), Root, QStringLiteral("Boat"), RegName(u"ShipName"), QStringLiteral("Zeemeeuw"), err);
    Main->UpdateCaption();
    Main->UpdateCaption();
    EXPECT_EQ(titles.size(), 1);
    EXPECT_TRUE(Main->windowTitle().endsWith(QStringLiteral(" - Zeemeeuw")));
    EXPECT_EQ(Main->CaptionParts().Administrator, geteuid() == 0);
}

TEST_F(MainWindowTexts, F1ShowsTheMainWindowsHelp) {
    MakeRunning();
    Main->activateWindow();
    QTest::keyClick(Main.get(), Qt::Key_F1);
    EXPECT_EQ(Contexts, QList<int32_t>({7006}));
}
