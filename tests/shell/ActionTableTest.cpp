// The main window's action table as data: the rows of every category, their shortcuts,
// images, captions and menus, and the keyboard overview pages written from it.
#include "TestSupport.h"
#include "shell/MarivoActionTable.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

const TActionRow &Row(const char *name) {
    const int i = ActionIndex(name);
    EXPECT_GE(i, 0) << name;
    return ActionTable().at(size_t(std::max(i, 0)));
}

}  // namespace

TEST(ActionTable, EveryCategoryHoldsItsRowsAndNamesAreUnique) {
    std::map<std::string, int> counts;
    QSet<QString> names;
    for (const TActionRow &r : ActionTable()) {
        ++counts[r.Category];
        EXPECT_TRUE(QString::fromLatin1(r.Name).startsWith(QLatin1String("Action"))) << r.Name;
        EXPECT_FALSE(names.contains(QString::fromLatin1(r.Name))) << r.Name;
        names.insert(QString::fromLatin1(r.Name));
    }
    const std::map<std::string, int> expected = {
        {"Chart", 10},      {"Debug", 21},   {"File", 14},    {"Help", 14}, {"Instruments", 17},
        {"Logbook", 11},    {"Navigation", 16}, {"Routes", 28}, {"S57", 10}, {"Sound", 1},
        {"Tracks", 4},      {"View", 40},    {"Waypoints", 16}};
    EXPECT_EQ(counts, expected);
    EXPECT_EQ(ActionCategories().size(), expected.size());
    EXPECT_EQ(ActionIndex("ActionNoSuchThing"), -1);
}

TEST(ActionTable, ShortcutsImagesAndTagsAreThoseOfTheCommands) {
    struct Case { const char *name; const char *key; int image; };
    const Case cases[] = {
        {"ActionFilePrint", "Ctrl+P", -1},          {"ActionChartInformation", "Ctrl+I", -1},
        {"ActionChartLegend", "Ctrl+L", -1},        {"ActionHelpKeyboard", "Ctrl+F1", -1},
        {"ActionViewFullscreen", "F10", -1},        {"ActionViewProperties", "Alt+Return", -1},
        {"ActionViewNightScreen", "Ctrl+N", 14},    {"ActionViewNightScreenDarker", "F11", -1},
        {"ActionViewNightScreenLighter", "F12", -1}, {"ActionViewViewerExtra1", "Shift+F1", -1},
        {"ActionViewViewerExtra2", "Shift+F2", -1}, {"ActionInstrumentsCommunication", "F3", 3},
        {"ActionInstrumentsSimulation", "Ctrl+S", -1},
        {"ActionInstrumentsAISProgram", "Ctrl+Alt+A", 46},
        {"ActionInstrumentsAISProgramLoaded", "Ctrl+Alt+L", -1},
        {"ActionInstrumentsAISTargetList", "Ctrl+A", -1}, {"ActionRouteInformation", "Ctrl+F4", 5},
        {"ActionWaypointMark", "Ctrl+M", 8},        {"ActionTrackTracking", "Shift+F3", 9},
        {"ActionNavigationInformation", "F4", 5},   {"ActionNavigationDistance", "Ctrl+D", -1},
        {"ActionNavigationPolar", "Ctrl+O", 59},    {"ActionFileExit", "Alt+F4", -1},
        {"ActionViewWaypoints", nullptr, 31},       {"ActionViewMainTide", nullptr, 24},
        {"ActionViewWRM", nullptr, 48},             {"ActionSound", nullptr, 15},
        {"ActionRouteStart", nullptr, 60},          {"ActionRouteEditPlanModeTourist", nullptr, 58},
        {"ActionLogbookActiveStop", nullptr, 12},   {"ActionNavigationBICS", nullptr, 49}};
    int withKey = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TActionRow &r = Row(c.name);
        EXPECT_EQ(QString::fromLatin1(r.ShortCut ? r.ShortCut : ""),
                  QString::fromLatin1(c.key ? c.key : ""));
        EXPECT_EQ(r.ImageIndex, c.image);
    }
    for (const TActionRow &r : ActionTable()) withKey += r.ShortCut != nullptr;
    EXPECT_EQ(withKey, 23) << "no shortcut beyond those of the commands";
    // Rows sharing a handler are told apart by their tags.
    EXPECT_EQ(Row("ActionDbgExceptionThreadLibraryHW").Tag, 11);
    EXPECT_EQ(Row("ActionDbgWWDrawStructureLabels").Tag, 7);
    EXPECT_EQ(Row("ActionViewFTMAll").GroupIndex, 8);
    EXPECT_TRUE(Row("ActionViewVideoViewerSOAD").AutoCheck);
}

TEST(ActionTable, CaptionsAppendDotsForDialogsAndKeepPlaceholders) {
    struct Case { const char *name; int language; const char *caption; const char *hint; };
    const Case cases[] = {
        {"ActionFileImport", 1, "Import...", "Import"},
        {"ActionFilePropertiesShip", 2, "Schip...", "Schip"},
        {"ActionHelpContents", 1, "Contents...", "Help"},
        {"ActionInstrumentsCommunication", 3, "Kommunikation", "Kommunikation starten"},
        {"ActionViewPolygons", 1, "ActionViewPolygons", ""},
        {"ActionRouteEditAdd", 1, "ActionRouteEditAdd", "Add route points"},
        {"ActionNavigationBICS", 4, "BICS...", "BICS..."},
        {"ActionFilePrint", 4, "Imprimer...", "Imprimer"},
        {"ActionRouteStart", 8, "Starta vald rutt", "Starta vald rutt"},
        // The debug commands have English only, and every language shows it.
        {"ActionDbgNavMsgDeviceStatus", 6, "NavMsg Device Status", "NavMsg Device Status"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ActionCaption(Row(c.name), c.language), QString::fromUtf8(c.caption));
        EXPECT_EQ(ActionHint(Row(c.name), c.language), QString::fromUtf8(c.hint));
    }
}

TEST(ActionTable, EveryCaptionHintAndMenuIsWrittenInAllEightLanguages) {
    struct Text { QString where; const TLanguageStrings *strings; };
    std::vector<Text> texts;
    for (const TActionRow &r : ActionTable()) {
        const bool debug = std::string_view(r.Category) == "Debug";
        for (const auto &[kind, strings] : {std::pair{"caption", &r.Caption}, std::pair{"hint", &r.Hint}}) {
            if (!(*strings)[0]) continue;
            if (debug) {
                // English only, as the developers read them.
                for (int l = KvLang::Dutch; l <= KvLang::Last; ++l)
                    EXPECT_EQ((*strings)[size_t(l - 1)], nullptr) << r.Name << " " << kind;
                continue;
            }
            texts.push_back({QStringLiteral("%1 %2").arg(QLatin1String(r.Name), QLatin1String(kind)),
                             strings});
        }
    }
    for (const TMenuRow &m : MenuTable())
        texts.push_back({QString::fromLatin1(m.Name), &m.Caption});
    EXPECT_GT(texts.size(), 150u);
    for (const Text &t : texts)
        for (int l = KvLang::First; l <= KvLang::Last; ++l) {
            const char *entry = (*t.strings)[size_t(l - 1)];
            EXPECT_TRUE(entry && *entry) << t.where.toStdString() << " language " << l;
        }
}

TEST(ActionTable, MenuEntriesGoIntoKnownMenusAndRowsWithoutEffectHaveNone) {
    QSet<QString> menus;
    for (const TMenuRow &m : MenuTable()) menus.insert(QString::fromLatin1(m.Name));
    for (const TActionRow &r : ActionTable())
        if (r.Menu) EXPECT_TRUE(menus.contains(QString::fromLatin1(r.Menu))) << r.Name;
    for (const char *quiet : {"ActionFileExport", "ActionViewNightScreenDarker", "ActionDbgNavMsgDeviceStatus",
                              "ActionInstrumentsSimulation", "ActionViewStructureNames", "ActionRouteEditVectors"})
        EXPECT_EQ(Row(quiet).Menu, nullptr) << quiet;
    EXPECT_EQ(QString::fromLatin1(MenuTable().front().Name), QStringLiteral("MenuItemFile"));
    EXPECT_EQ(QString::fromLatin1(MenuTable().back().Name), QStringLiteral("MenuItemHelp"));
}

TEST(ActionTable, KeyboardPagesBesideTheProgramAreWrittenFromTheTable) {
    struct Case { int language; const char *file; const char *line; };
    const Case cases[] = {{1, "Marivo Brevo Shortcuts EN.html", "<td>Print...</td><td>Ctrl+P</td>"},
                          {2, "Marivo Brevo Shortcuts NL.html", "<td>Afdrukken...</td><td>Ctrl+P</td>"},
                          {3, "Marivo Brevo Shortcuts DE.html", "<td>Vollbild</td><td>F10</td>"},
                          {6, "Marivo Brevo Shortcuts EN.html", "<td>Fullscreen</td><td>F10</td>"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(KeyboardOverviewFileName(c.language), QString::fromLatin1(c.file));
        const QString html = KeyboardOverviewHtml(c.language);
        EXPECT_TRUE(html.contains(QString::fromUtf8(c.line)));
        // No key of a command without effect is offered.
        EXPECT_FALSE(html.contains(QLatin1String("Ctrl+N")));
        QFile page(testsupport::SourcePath(QStringLiteral("data/Manual/") + QString::fromLatin1(c.file)));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << "the page is part of the program";
        EXPECT_EQ(QString::fromUtf8(page.readAll()), html) << "the page follows the table";
    }
}
