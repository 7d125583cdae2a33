// The main window's commands as data: one row per action with its name, category, texts in
// eight languages, shortcut, toolbar image, tag, check behaviour, the menu its entry goes
// into and what it needs before it can run. The main window makes its QActions, its menu
// bar and its keyboard overview pages from this table; the action states refer to rows by
// name. Plain constant data, usable from any thread.
#pragma once

#include "base/texts/KvLanguage.h"

#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

// What an action needs besides its handler. An action whose need is missing (its dialog
// has not registered, its frame is not part of the program) stays disabled.
enum class TActionNeed : uint8_t {
    None,
    Panel,  // the frame of the row's Panel
    Import,
    SettingsLocale,
    SettingsShip,
    SettingsPlanner,
    SettingsSailingArea,
    SettingsView,
    SettingsS57,
    SettingsGPS,
    GPSDownload,
    Print,
    ExtensionManager,
    CheckUpdates,
    NewsCenter,
    StartupWizard,
    About,
    ToolbarEdit,
    HelpKeyboard,
    HelpContents,
    ChartManager,  // the chart viewer's chart-manager dialog
};

struct TActionRow {
    const char *Name;      // "ActionFileImport"
    const char *Category;  // "File", "Chart", …
    // Caption and hint; an empty caption keeps the name as placeholder, an empty hint is
    // the caption.
    TLanguageStrings Caption;
    TLanguageStrings Hint;
    const char *ShortCut;  // QKeySequence's portable text, nullptr for none
    int ImageIndex;        // into the toolbar image list, -1 none
    int Tag;
    bool Dialog;           // "..." follows the caption
    bool AutoCheck;        // checkable, toggled by the trigger itself
    int GroupIndex;        // 0 none
    const char *Menu;      // the menu of its entry, nullptr for no entry
    TActionNeed Need;
    const char *Panel;     // for TActionNeed::Panel
};

// Every action, categories in alphabetical order as the action list keeps them.
const std::vector<TActionRow> &ActionTable();
// Row index of an action, -1 when there is none.
int ActionIndex(std::string_view name);
// The 13 category texts in table order.
const std::vector<const char *> &ActionCategories();

// A menu of the menu bar: its name, its parent menu (nullptr: the bar) and its caption.
struct TMenuRow {
    const char *Name;
    const char *Parent;
    TLanguageStrings Caption;
    bool Hidden;  // the whole menu stays out of sight; its actions still run
};
// In the order of the menu bar.
const std::vector<TMenuRow> &MenuTable();

// The caption of a row in a language (1..8), "..." appended for a dialog; the name for a
// row without a caption.
QString ActionCaption(const TActionRow &row, int32_t language);
QString ActionHint(const TActionRow &row, int32_t language);

// The keyboard overview page of a language (2 Dutch, 3 German, anything else English):
// every row with a shortcut and a caption, grouped by menu, as an HTML page.
QString KeyboardOverviewHtml(int32_t language);
// "Marivo Brevo Shortcuts EN.html" and its Dutch and German siblings, by language.
QString KeyboardOverviewFileName(int32_t language);
// The page's file beside the program: program folder + "Manual/" + the file name.
QString KeyboardOverviewPath(int32_t language);
