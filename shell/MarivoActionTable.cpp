#include "shell/MarivoActionTable.h"

#include "base/kvlib/KvProgInfo.h"

#include <KvLibNav6/KvLanguage.h>

#include <QKeySequence>
#include <unordered_map>

namespace {

// English, Dutch, German; the other languages fall back to English until they are written.
constexpr TLanguageStrings L(const char *en, const char *nl = nullptr, const char *de = nullptr) {
    return {en, nl, de, nullptr, nullptr, nullptr, nullptr, nullptr};
}

constexpr const char *MFile = "MenuItemFile";
constexpr const char *MFileProps = "MenuItemFileProperties";
constexpr const char *MCharts = "MenuItemCharts";
constexpr const char *MGPS = "MenuItemInstruments";
constexpr const char *MNav = "MenuItemNavigation";
constexpr const char *MWpt = "MenuItemWaypoints";
constexpr const char *MRoutes = "MenuItemRoutes";
constexpr const char *MTracks = "MenuItemTracks";
constexpr const char *MLog = "MenuItemLogbook";
constexpr const char *MS57 = "MenuItemS57";
constexpr const char *MS57Colors = "MenuItemS57ColorScheme";
constexpr const char *MS57Cat = "MenuItemS57DisplayCategory";
constexpr const char *MView = "MenuItemView";
constexpr const char *MHelp = "MenuItemHelp";

using N = TActionNeed;

// A row without effect: it keeps its place (toolbar contents refer to it) and gets no entry.
TActionRow Quiet(const char *name, const char *category, TLanguageStrings caption = {},
                 int image = -1, const char *shortCut = nullptr) {
    TActionRow r{};
    r.Name = name;
    r.Category = category;
    r.Caption = caption;
    r.ShortCut = shortCut;
    r.ImageIndex = image;
    r.Need = N::None;
    return r;
}

TActionRow Row(const char *name, const char *category, TLanguageStrings caption,
               const char *menu, TActionNeed need = N::None, bool dialog = false) {
    TActionRow r = Quiet(name, category, caption);
    r.Menu = menu;
    r.Need = need;
    r.Dialog = dialog;
    return r;
}

TActionRow With(TActionRow r, const char *shortCut, int image = -1) {
    r.ShortCut = shortCut;
    r.ImageIndex = image;
    return r;
}

TActionRow PanelRow(const char *name, const char *category, TLanguageStrings caption,
                    const char *menu, const char *panel) {
    TActionRow r = Row(name, category, caption, menu, N::Panel);
    r.Panel = panel;
    return r;
}

TActionRow Hinted(TActionRow r, TLanguageStrings hint) {
    r.Hint = hint;
    return r;
}

TActionRow Tagged(TActionRow r, int tag) {
    r.Tag = tag;
    return r;
}

void AddChart(std::vector<TActionRow> &t) {
    const char *c = "Chart";
    t.push_back(With(PanelRow("ActionChartInformation", c,
                              L("Chart information", "Kaartinformatie", "Karteninformationen"),
                              MCharts, "DockablePanelChartInfo"),
                     "Ctrl+I"));
    t.push_back(With(PanelRow("ActionChartLegend", c, L("Legend", "Legenda", "Legende"), MCharts,
                              "DockablePanelChartLegend"),
                     "Ctrl+L"));
    t.push_back(PanelRow("ActionChartStatus", c, L("Chart status", "Kaartstatus", "Kartenstatus"),
                         MCharts, "DockablePanelChartStatus"));
    t.push_back(Row("ActionChartManager", c, L("Chart manager", "Kaartbeheer", "Kartenverwaltung"),
                    MCharts, N::ChartManager, true));
    t.push_back(Row("ActionChartManagerMain", c,
                    L("Main chart viewer", "Hoofdkaartvenster", "Hauptkartenansicht"), nullptr,
                    N::ChartManager));
    t.push_back(Quiet("ActionChartManagerExtra1", c,
                      L("Additional chart viewer 1", "Extra kaartvenster 1", "Zus\u00E4tzliche Kartenansicht 1")));
    t.push_back(Quiet("ActionChartManagerExtra2", c,
                      L("Additional chart viewer 2", "Extra kaartvenster 2", "Zus\u00E4tzliche Kartenansicht 2")));
    t.push_back(Row("ActionChartUpdate", c,
                    L("Update charts", "Kaarten bijwerken", "Karten aktualisieren"), nullptr,
                    N::None, true));
    t.push_back(Quiet("ActionChartS57Update", c,
                      L("Update IENC charts", "IENC-kaarten bijwerken", "IENC-Karten aktualisieren")));
    t.back().Dialog = true;
    t.push_back(Row("ActionChartBuyCharts", c,
                    L("Buy extra charts", "Extra kaarten kopen", "Weitere Karten kaufen"), MCharts));
}

void AddDebug(std::vector<TActionRow> &t) {
    const char *c = "Debug";
    t.push_back(Quiet("ActionDbgNavMsgDeviceStatus", c, L("NavMsg Device Status")));
    // Test exceptions: main thread, window procedure and worker thread; the program's and
    // the core library's kind; as software or hardware exception.
    static const char *const exceptionNames[12] = {
        "ActionDbgExceptionMainProgram",       "ActionDbgExceptionMainProgramHW",
        "ActionDbgExceptionMainLibrary",       "ActionDbgExceptionMainLibraryHW",
        "ActionDbgExceptionWindowProgram",     "ActionDbgExceptionWindowProgramHW",
        "ActionDbgExceptionWindowLibrary",     "ActionDbgExceptionWindowLibraryHW",
        "ActionDbgExceptionThreadProgram",     "ActionDbgExceptionThreadProgramHW",
        "ActionDbgExceptionThreadLibrary",     "ActionDbgExceptionThreadLibraryHW"};
    for (int i = 0; i < 12; ++i) t.push_back(Tagged(Quiet(exceptionNames[i], c), i));
    static const char *const drawNames[8][2] = {
        {"ActionDbgWWDrawSectionPoints", "Draw section points"},
        {"ActionDbgWWDrawSectionLabels", "Draw section labels"},
        {"ActionDbgWWDrawSectionIndex", "Draw section index"},
        {"ActionDbgWWDrawSectionBounds", "Draw section bounds"},
        {"ActionDbgWWDrawPlannerPoints", "Draw planner points"},
        {"ActionDbgWWDrawNodes", "Draw nodes"},
        {"ActionDbgWWDrawStructures", "Draw structures"},
        {"ActionDbgWWDrawStructureLabels", "Draw structure labels"}};
    for (int i = 0; i < 8; ++i) t.push_back(Tagged(Quiet(drawNames[i][0], c, L(drawNames[i][1])), i));
}

void AddFile(std::vector<TActionRow> &t) {
    const char *c = "File";
    t.push_back(Row("ActionFileImport", c, L("Import", "Importeren", "Importieren"), MFile,
                    N::Import, true));
    t.push_back(Quiet("ActionFileExport", c, L("Export", "Exporteren", "Exportieren")));
    t.push_back(Quiet("ActionFileBackupCreate", c,
                      L("Create backup", "Reservekopie maken", "Sicherung erstellen")));
    t.push_back(Quiet("ActionFileBackupRestore", c,
                      L("Restore backup", "Reservekopie terugzetten", "Sicherung wiederherstellen")));
    t.push_back(Row("ActionFilePropertiesLocale", c, L("Regional", "Landinstellingen", "Regional"),
                    MFileProps, N::SettingsLocale, true));
    t.push_back(Row("ActionFilePropertiesShip", c, L("Ship", "Schip", "Schiff"), MFileProps,
                    N::SettingsShip, true));
    t.push_back(Quiet("ActionFilePropertiesShipManager", c,
                      L("Ship profile manager", "Scheepsprofielbeheer", "Schiffsprofilverwaltung")));
    t.push_back(Row("ActionFilePropertiesPlanner", c, L("Planner", "Planner", "Planer"),
                    MFileProps, N::SettingsPlanner, true));
    t.push_back(Quiet("ActionFilePropertiesSimulator", c, L("Simulator", "Simulator", "Simulator")));
    t.push_back(Quiet("ActionFilePropertiesVideo", c));
    t.push_back(Row("ActionFilePropertiesSailingArea", c,
                    L("IENC Sailing area", "IENC-vaargebied", "IENC-Fahrgebiet"), nullptr,
                    N::SettingsSailingArea, true));
    t.push_back(With(Row("ActionFilePrint", c, L("Print", "Afdrukken", "Drucken"), MFile, N::Print,
                         true),
                     "Ctrl+P"));
    t.push_back(Row("ActionFileExtensionManager", c, L("Extensions", "Uitbreidingen", "Erweiterungen"),
                    nullptr, N::ExtensionManager, true));
    t.push_back(With(Row("ActionFileExit", c, L("Exit", "Afsluiten", "Beenden"), MFile), "Alt+F4"));
}

void AddHelp(std::vector<TActionRow> &t) {
    const char *c = "Help";
    t.push_back(Hinted(Row("ActionHelpContents", c, L("Contents", "Inhoud", "Inhalt"), MHelp,
                           N::HelpContents, true),
                       L("Help", "Help", "Hilfe")));
    t.push_back(With(Row("ActionHelpKeyboard", c,
                         L("Keyboard shortcuts", "Sneltoetsen", "Tastenkombinationen"), MHelp,
                         N::HelpKeyboard, true),
                     "Ctrl+F1"));
    t.push_back(Row("ActionHelpLinkHelp", c, L("Online help", "Online help", "Online-Hilfe"), MHelp));
    t.push_back(Row("ActionHelpLinkForum", c, L("Korvane forum", "Korvane forum", "Korvane-Forum"),
                    nullptr));
    t.push_back(Row("ActionHelpLinkHomepage", c,
                    L("Korvane Software on the web", "Korvane Software op internet",
                      "Korvane Software im Internet"),
                    MHelp));
    t.push_back(Row("ActionHelpLinkReleaseHistory", c,
                    L("Release history", "Versiegeschiedenis", "Versionshistorie"), MHelp));
    t.push_back(Row("ActionHelpLinkShop", c,
                    L("Korvane online shop", "Korvane webwinkel", "Korvane Online-Shop"), MHelp));
    t.push_back(Row("ActionHelpTeamViewer", c,
                    L("Remote support via TeamViewer", "Hulp op afstand via TeamViewer",
                      "Fernwartung \u00FCber TeamViewer"),
                    MHelp));
    t.push_back(Row("ActionHelpUpdate", c,
                    L("Check for updates", "Controleren op updates", "Nach Updates suchen"), MHelp,
                    N::CheckUpdates, true));
    t.push_back(Row("ActionHelpNewsCenter", c,
                    L("Open news center", "Nieuwscentrum openen", "Nachrichtencenter \u00F6ffnen"),
                    MHelp, N::NewsCenter, true));
    t.push_back(Row("ActionHelpStartUp", c,
                    L("Open startup wizard", "Startwizard openen", "Startassistent \u00F6ffnen"),
                    MHelp, N::StartupWizard, true));
    TActionRow report = PanelRow("ActionHelpUserReport", c,
                                 L("Send a user report", "Gebruikersmelding versturen",
                                   "Benutzermeldung senden"),
                                 MHelp, "DockablePanelUserReport");
    report.Dialog = true;
    t.push_back(report);
    t.push_back(Row("ActionHelpAbout", c, L("About", "Info", "Info"), MHelp, N::About, true));
    t.push_back(Quiet("ActionHelpDemo", c));
}

void AddInstruments(std::vector<TActionRow> &t) {
    const char *c = "Instruments";
    t.push_back(With(Hinted(Row("ActionInstrumentsCommunication", c,
                                L("Communication", "Communicatie", "Kommunikation"), MGPS),
                            L("Start communication", "Communicatie starten",
                              "Kommunikation starten")),
                     "F3", 3));
    t.push_back(Row("ActionInstrumentsGPSProperties", c, L("Properties", "Eigenschappen", "Eigenschaften"),
                    MGPS, N::SettingsGPS, true));
    t.push_back(Row("ActionInstrumentsGPSDownload", c, L("Download", "Downloaden", "Herunterladen"),
                    nullptr, N::GPSDownload, true));
    t.push_back(PanelRow("ActionInstrumentsNMEAMonitor", c,
                         L("NMEA monitor", "NMEA-monitor", "NMEA-Monitor"), MGPS,
                         "DockablePanelNMEA"));
    t.push_back(With(PanelRow("ActionInstrumentsAISTargetList", c,
                              L("AIS target list", "AIS-doelenlijst", "AIS-Zielliste"), nullptr,
                              "DockablePanelAISTargetList"),
                     "Ctrl+A"));
    t.push_back(PanelRow("ActionInstrumentsAISTargetInformation", c,
                         L("AIS target information", "AIS-doelinformatie", "AIS-Zielinformationen"),
                         nullptr, "DockablePanelAISTargetInfo"));
    t.push_back(Quiet("ActionInstrumentsSimulation", c, L("Simulation", "Simulatie", "Simulation"),
                      -1, "Ctrl+S"));
    t.push_back(Quiet("ActionInstrumentsAISProgram", c,
                      L("Set Class A data", "Klasse A-gegevens instellen", "Klasse-A-Daten setzen"),
                      46, "Ctrl+Alt+A"));
    t.back().Dialog = true;
    t.push_back(Quiet("ActionInstrumentsAISProgramLoaded", c,
                      L("Set Inland loaded state", "Beladingstoestand binnenvaart instellen",
                        "Beladungszustand Binnen setzen"),
                      -1, "Ctrl+Alt+L"));
    t.back().AutoCheck = true;
    t.push_back(Quiet("ActionInstrumentsAISSettings", c, L("AIS settings", "AIS-instellingen",
                                                           "AIS-Einstellungen")));
    t.back().Dialog = true;
    t.push_back(Quiet("ActionInstrumentsAISTargetInfoSelf", c,
                      L("AIS target information own ship", "AIS-doelinformatie eigen schip",
                        "AIS-Zielinformationen eigenes Schiff")));
    t.push_back(Quiet("ActionInstrumentsCoVadem", c, L("CoVadem box", "CoVadem box", "CoVadem-Box")));
    t.push_back(Quiet("ActionInstrumentsGPSUpload", c, L("Upload", "Uploaden", "Hochladen")));
    t.back().Dialog = true;
    t.push_back(Quiet("ActionInstrumentsInformation", c, {}, 4));
    t.push_back(Quiet("ActionInstrumentsManager", c,
                      L("Instrument manager", "Instrumentenbeheer", "Instrumentenverwaltung")));
    t.back().Dialog = true;
    t.push_back(Quiet("ActionInstrumentsSounder", c, L("Depth viewer", "Dieptevenster", "Tiefenanzeige")));
    t.push_back(Quiet("ActionInstrumentsTextMessages", c,
                      L("Text messages", "Tekstberichten", "Textnachrichten")));
}

void AddLogbook(std::vector<TActionRow> &t) {
    const char *c = "Logbook";
    t.push_back(Row("ActionLogbookActiveClose", c, L("Close", "Sluiten", "Schlie\u00DFen"), MLog));
    TActionRow start = Row("ActionLogbookActiveStart", c,
                           L("Start automatic logging", "Automatisch loggen starten",
                             "Automatische Aufzeichnung starten"),
                           MLog);
    start.ImageIndex = 11;
    t.push_back(start);
    TActionRow stop = Row("ActionLogbookActiveStop", c,
                          L("Stop automatic logging", "Automatisch loggen stoppen",
                            "Automatische Aufzeichnung beenden"),
                          MLog);
    stop.ImageIndex = 12;
    t.push_back(stop);
    const TLanguageStrings active = L("Active logbook", "Actief logboek", "Aktives Logbuch");
    t.push_back(Hinted(Quiet("ActionLogbookActive", c, active, 10), active));
    t.push_back(Quiet("ActionLogbookActiveEntry", c, L("New entry", "Nieuwe regel", "Neuer Eintrag")));
    t.push_back(Quiet("ActionLogbookActiveProperties", c,
                      L("Properties", "Eigenschappen", "Eigenschaften")));
    t.push_back(Quiet("ActionLogbookActiveShow", c,
                      L("Show on chart", "Op kaart tonen", "Auf Karte zeigen")));
    t.push_back(Quiet("ActionLogbookActiveView", c, L("View", "Bekijken", "Ansehen")));
    t.push_back(Quiet("ActionLogbookManager", c, L("Logbook manager", "Logboekbeheer",
                                                    "Logbuchverwaltung")));
    t.push_back(Quiet("ActionLogbookNew", c, L("New logbook", "Nieuw logboek", "Neues Logbuch")));
    t.push_back(Quiet("ActionLogbookSettings", c,
                      L("Default settings", "Standaardinstellingen", "Standardeinstellungen")));
    for (size_t i = t.size() - 7; i < t.size(); ++i)
        if (std::string_view(t[i].Name) != "ActionLogbookActiveShow") t[i].Dialog = true;
}

void AddNavigation(std::vector<TActionRow> &t) {
    const char *c = "Navigation";
    t.push_back(With(Row("ActionNavigationInformation", c,
                         L("Route explorer", "Routeverkenner", "Routen-Explorer"), MNav),
                     "F4", 5));
    t.push_back(With(Row("ActionNavigationDistance", c,
                         L("Distance calculation", "Afstandsberekening", "Entfernungsberechnung"),
                         MNav),
                     "Ctrl+D"));
    t.push_back(Row("ActionNavigationZoS", c,
                    L("Sign up for bridges and locks", "Aanmelden voor bruggen en sluizen",
                      "Anmeldung f\u00FCr Br\u00FCcken und Schleusen"),
                    nullptr));
    t.push_back(Quiet("ActionNavigationToolbarZoS", c, {}, 52));
    t.push_back(Row("ActionNavigationZoSShow", c,
                    L("Show log Sign up for bridges and locks",
                      "Logboek aanmelden bruggen en sluizen tonen",
                      "Protokoll Anmeldung Br\u00FCcken und Schleusen zeigen"),
                    nullptr));
    t.push_back(Row("ActionNavigationHomeRemove", c,
                    L("Remove home location", "Thuislocatie verwijderen", "Heimatort entfernen"),
                    nullptr));
    t.push_back(Quiet("ActionNavigationPolar", c, L("Polar diagram", "Polairdiagram", "Polardiagramm"),
                      59, "Ctrl+O"));
    t.push_back(Quiet("ActionNavigationPolarManager", c,
                      L("Polar diagram manager", "Polairdiagrambeheer", "Polardiagrammverwaltung")));
    t.push_back(Quiet("ActionNavigationPolygonEdit", c,
                      L("Edit alarm zone", "Alarmzone bewerken", "Alarmzone bearbeiten"), 44));
    t.push_back(Quiet("ActionNavigationPolygonManager", c,
                      L("Alarm zone manager", "Alarmzonebeheer", "Alarmzonenverwaltung")));
    t.push_back(Quiet("ActionNavigationPolygonNew", c,
                      L("New alarm zone", "Nieuwe alarmzone", "Neue Alarmzone")));
    t.push_back(Quiet("ActionNavigationTides", c, L("Tide plotter", "Getijdenplotter", "Gezeitenplotter")));
    t.push_back(Quiet("ActionNavigationTideStationManager", c,
                      L("Tide station manager", "Getijstationbeheer", "Gezeitenstationsverwaltung")));
    t.push_back(Quiet("ActionNavigationFTMManager", c,
                      L("Shipping notifications", "Berichten aan de scheepvaart",
                        "Schifffahrtsmeldungen")));
    t.push_back(Quiet("ActionNavigationGRIBMeteostation", c,
                      L("GRIB Meteo station", "GRIB-meteostation", "GRIB-Wetterstation")));
    t.push_back(Quiet("ActionNavigationBICS", c,
                      {"BICS...", "BICS...", "BICS...", "BICS...", "BICS...", "BICS...", "BICS...",
                       "BICS..."},
                      49));
    for (const char *n : {"ActionNavigationPolarManager", "ActionNavigationPolygonManager",
                          "ActionNavigationTideStationManager", "ActionNavigationFTMManager"})
        for (TActionRow &r : t)
            if (std::string_view(r.Name) == n) r.Dialog = true;
}

void AddRoutes(std::vector<TActionRow> &t) {
    const char *c = "Routes";
    const TLanguageStrings edit = L("Edit route", "Route bewerken", "Route bearbeiten");
    t.push_back(With(Hinted(Row("ActionRouteEdit", c, edit, MRoutes), edit), nullptr, 7));
    t.push_back(Row("ActionRouteNew", c, L("New route", "Nieuwe route", "Neue Route"), MRoutes));
    auto tool = [&](const char *name, TLanguageStrings hint, int image) {
        TActionRow r = Quiet(name, c, {}, image);
        r.Hint = hint;
        t.push_back(r);
    };
    tool("ActionRouteEditAdd", L("Add route points", "Routepunten toevoegen", "Routenpunkte hinzuf\u00FCgen"), 18);
    tool("ActionRouteEditDelete", L("Delete route points", "Routepunten verwijderen", "Routenpunkte l\u00F6schen"), 19);
    tool("ActionRouteEditMove", L("Move route points", "Routepunten verplaatsen", "Routenpunkte verschieben"), 20);
    tool("ActionRouteEditVectors", L("Edit route point vectors", "Routepuntvectoren bewerken", "Routenpunktvektoren bearbeiten"), 21);
    tool("ActionRouteEditSettings", L("Edit route properties", "Route-eigenschappen bewerken", "Routeneigenschaften bearbeiten"), 26);
    tool("ActionRouteEditSettingsPoint",
         L("Edit properties of selected route point", "Eigenschappen van geselecteerd routepunt bewerken",
           "Eigenschaften des gew\u00E4hlten Routenpunkts bearbeiten"),
         27);
    tool("ActionRouteEditOverview", L("Show route overview", "Routeoverzicht tonen", "Routen\u00FCbersicht zeigen"), 22);
    t.push_back(Row("ActionRouteOverview", c, L("Route overview", "Routeoverzicht", "Routen\u00FCbersicht"), MRoutes));
    tool("ActionRouteEditPlanModeTime", L("Choose the fastest route", "Snelste route kiezen", "Schnellste Route w\u00E4hlen"), 56);
    tool("ActionRouteEditPlanModeFuel", L("Choose the most economical route", "Zuinigste route kiezen", "Sparsamste Route w\u00E4hlen"), 57);
    tool("ActionRouteEditPlanModeTourist", L("Choose a tourist route", "Toeristische route kiezen", "Touristische Route w\u00E4hlen"), 58);
    tool("ActionRouteEditShowGreatCircles",
         L("Show great circle help lines for open legs", "Grootcirkelhulplijnen voor open etappes tonen",
           "Gro\u00DFkreis-Hilfslinien f\u00FCr offene Abschnitte zeigen"),
         -1);
    tool("ActionRouteEditConstHDG", L("Optimize to constant heading", "Optimaliseren naar vaste koers", "Auf konstanten Kurs optimieren"), 50);
    tool("ActionRouteEditSimulate",
         L("Simulate route without propulsion", "Route zonder voortstuwing simuleren", "Route ohne Antrieb simulieren"), 51);
    tool("ActionRouteEditOptimization",
         L("Toggle open leg optimization for all open legs", "Optimalisatie van alle open etappes aan/uit",
           "Optimierung aller offenen Abschnitte ein/aus"),
         -1);
    t.push_back(Quiet("ActionRouteEditPlanning", c, {}, 55));
    tool("ActionRoutePointAdd", L("Find a route point", "Routepunt zoeken", "Routenpunkt suchen"), 18);
    const TLanguageStrings start = L("Start selected route", "Geselecteerde route starten", "Gew\u00E4hlte Route starten");
    t.push_back(With(Hinted(Row("ActionRouteStart", c, start, MRoutes), start), nullptr, 60));
    t.push_back(Row("ActionRouteStop", c, L("Stop current route", "Huidige route stoppen", "Aktuelle Route beenden"), MRoutes));
    t.push_back(Row("ActionRouteManager", c, L("Route manager", "Routebeheer", "Routenverwaltung"), MRoutes, N::None, true));
    t.push_back(Row("ActionRouteSettingsDefault", c,
                    L("Default settings", "Standaardinstellingen", "Standardeinstellungen"), MRoutes, N::None, true));
    t.push_back(Row("ActionRouteDefaultEnabled", c,
                    L("Use temporary route", "Tijdelijke route gebruiken", "Tempor\u00E4re Route verwenden"), nullptr));
    TActionRow explore = Row("ActionRouteExplore", c, L("Explore routes", "Routes verkennen", "Routen erkunden"), nullptr);
    explore.ImageIndex = 55;
    t.push_back(explore);
    t.push_back(Quiet("ActionRouteInformation", c, L("Route info", "Route-info", "Routeninfo"), 5, "Ctrl+F4"));
    t.push_back(Quiet("ActionRouteWWInfo", c, L("Route planner info", "Routeplannerinfo", "Routenplaner-Info")));
    t.push_back(Quiet("ActionRouteNavigateTo", c, L("Route planner", "Routeplanner", "Routenplaner"), 37));
}

void AddS57(std::vector<TActionRow> &t) {
    const char *c = "S57";
    const char *schemes[3][3] = {{"ActionS57ColorSchemeDay", "Day", "Dag"},
                                 {"ActionS57ColorSchemeDusk", "Dusk", "Schemering"},
                                 {"ActionS57ColorSchemeNight", "Night", "Nacht"}};
    const char *german[3] = {"Tag", "D\u00E4mmerung", "Nacht"};
    for (int i = 0; i < 3; ++i) {
        TActionRow r = Row(schemes[i][0], c, L(schemes[i][1], schemes[i][2], german[i]), MS57Colors);
        r.Tag = i;
        t.push_back(r);
    }
    const char *cats[4][2] = {{"ActionS57DisplayCatBoundsOnly", "EMPTYCELL"},
                              {"ActionS57DisplayCatBASE", "DISPLAYBASE"},
                              {"ActionS57DisplayCatSTANDARD", "STANDARD"},
                              {"ActionS57DisplayCatOTHER", "OTHER"}};
    for (int i = 0; i < 4; ++i) {
        TActionRow r = Row(cats[i][0], c, L(cats[i][1]), MS57Cat);
        r.Tag = i - 1;
        t.push_back(r);
    }
    t.push_back(Row("ActionS57LandFeatures", c,
                    L("Show land features", "Landkenmerken tonen", "Landmerkmale zeigen"), MS57));
    const TLanguageStrings marks = L("Show IENC notice marks", "IENC-verkeerstekens tonen",
                                     "IENC-Schifffahrtszeichen zeigen");
    t.push_back(Hinted(Row("ActionS57NoticeMarks", c, marks, MS57), marks));
    t.push_back(Row("ActionS57Settings", c, L("S57 settings", "S57-instellingen", "S57-Einstellungen"),
                    MS57, N::SettingsS57, true));
}

void AddSoundAndTracks(std::vector<TActionRow> &t) {
    TActionRow sound = Row("ActionSound", "Sound", L("Sound", "Geluid", "Ton"), MView);
    sound.ImageIndex = 15;
    t.push_back(sound);
    const char *c = "Tracks";
    t.push_back(Row("ActionTrackManager", c, L("Track manager", "Trackbeheer", "Trackverwaltung"),
                    MTracks, N::None, true));
    t.push_back(Row("ActionTrackSettings", c,
                    L("Default settings", "Standaardinstellingen", "Standardeinstellungen"), MTracks,
                    N::None, true));
    t.push_back(Quiet("ActionTrackReplay", c, L("Track replay", "Track afspelen", "Track-Wiedergabe")));
    t.push_back(Quiet("ActionTrackTracking", c, {}, 9, "Shift+F3"));
}

void AddView(std::vector<TActionRow> &t) {
    const char *c = "View";
    auto view = [&](const char *name, TLanguageStrings caption, int image, const char *menu = MView) {
        TActionRow r = Row(name, c, caption, menu);
        r.ImageIndex = image;
        t.push_back(r);
    };
    view("ActionViewWaypoints", L("Show waypoints", "Waypoints tonen", "Wegpunkte zeigen"), 31);
    view("ActionViewWaypointLabels",
         L("Show waypoint name labels", "Namen van waypoints tonen", "Wegpunktnamen zeigen"), 32);
    view("ActionViewRouteNetwork", L("Show waterways", "Vaarwegen tonen", "Wasserstra\u00DFen zeigen"), 33);
    t.push_back(Quiet("ActionViewStructureNames", c,
                      L("Show names of bridges and locks in labels",
                        "Namen van bruggen en sluizen in labels tonen",
                        "Namen von Br\u00FCcken und Schleusen in Beschriftungen zeigen")));
    view("ActionViewRoutes", L("Show routes", "Routes tonen", "Routen zeigen"), 40);
    view("ActionViewTracks", L("Show tracks", "Tracks tonen", "Tracks zeigen"), 41);
    view("ActionViewPolygons", {}, 43, nullptr);
    view("ActionViewSmartLabeling",
         L("Use smart labeling", "Slimme labels gebruiken", "Intelligente Beschriftung verwenden"), -1);
    view("ActionViewBlauweGolf",
         L("Show Blauwe Golf items", "Blauwe Golf-items tonen", "Blauwe-Golf-Eintr\u00E4ge zeigen"), 47);
    const TLanguageStrings grib = L("Show/Hide GRIB data", "GRIB-gegevens tonen/verbergen",
                                    "GRIB-Daten zeigen/verbergen");
    view("ActionViewMainGRIB", grib, 23);
    t.back().Hint = grib;
    const TLanguageStrings tide = L("Show/Hide Wendal tide data", "Wendal-getijgegevens tonen/verbergen",
                                    "Wendal-Gezeitendaten zeigen/verbergen");
    view("ActionViewMainTide", tide, 24);
    t.back().Hint = tide;
    t.push_back(With(Row("ActionViewFullscreen", c, L("Fullscreen", "Volledig scherm", "Vollbild"), MView),
                     "F10"));
    t.push_back(With(Row("ActionViewProperties", c, L("Properties", "Eigenschappen", "Eigenschaften"),
                         MView, N::SettingsView, true),
                     "Alt+Return"));
    t.push_back(Row("ActionViewResetPanels", c,
                    L("Reset windows", "Vensters herstellen", "Fenster zur\u00FCcksetzen"), MView));
    t.push_back(Quiet("ActionViewFind", c, L("Search", "Zoeken", "Suchen"), 25));
    view("ActionViewToolbarMain", L("Main toolbar", "Hoofdwerkbalk", "Hauptsymbolleiste"), -1);
    view("ActionViewToolbarChart", L("Chart toolbar", "Kaartwerkbalk", "Kartensymbolleiste"), -1);
    view("ActionViewToolbarS57", L("S57 toolbar", "S57-werkbalk", "S57-Symbolleiste"), -1, nullptr);
    view("ActionViewToolbarLock", L("Lock toolbars", "Werkbalken vastzetten", "Symbolleisten fixieren"), -1);
    t.push_back(Row("ActionViewToolbarMainEdit", c,
                    L("Edit main toolbar", "Hoofdwerkbalk aanpassen", "Hauptsymbolleiste anpassen"),
                    nullptr, N::ToolbarEdit, true));
    TActionRow night = Quiet("ActionViewNightScreen", c, L("Night view", "Nachtweergave", "Nachtansicht"),
                             14, "Ctrl+N");
    night.AutoCheck = true;
    t.push_back(night);
    t.push_back(Quiet("ActionViewNightScreenDarker", c,
                      L("Darken night view", "Nachtweergave donkerder", "Nachtansicht abdunkeln"), -1, "F11"));
    t.push_back(Quiet("ActionViewNightScreenLighter", c,
                      L("Lighten night view", "Nachtweergave lichter", "Nachtansicht aufhellen"), -1, "F12"));
    const TLanguageStrings extra = L("Additional chart viewer", "Extra kaartvenster", "Zus\u00E4tzliche Kartenansicht");
    const struct { const char *name; TLanguageStrings caption; int image; const char *key; } rest[] = {
        {"ActionViewAISTargets", L("Show AIS targets", "AIS-doelen tonen", "AIS-Ziele zeigen"), 39, nullptr},
        {"ActionViewAllChartBounds", L("Show all chart bounds", "Alle kaartgrenzen tonen", "Alle Kartengrenzen zeigen"), 45, nullptr},
        {"ActionViewFTM", L("Show shipping notifications", "Berichten aan de scheepvaart tonen", "Schifffahrtsmeldungen zeigen"), 35, nullptr},
        {"ActionViewFTMAll", {}, -1, nullptr},
        {"ActionViewFTMSelectedOnly", {}, -1, nullptr},
        {"ActionViewFTMSections", {}, -1, nullptr},
        {"ActionViewIPHub", {}, -1, nullptr},
        {"ActionViewKNMIStations", L("Show KNMI weatherstations", "KNMI-weerstations tonen", "KNMI-Wetterstationen zeigen"), 36, nullptr},
        {"ActionViewToolbarAISAProgramming", L("AIS toolbar", "AIS-werkbalk", "AIS-Symbolleiste"), -1, nullptr},
        {"ActionViewToolbarTime", L("Time control toolbar", "Tijdwerkbalk", "Zeitsteuerungsleiste"), -1, nullptr},
        {"ActionViewVideoViewer1", {}, -1, nullptr},
        {"ActionViewVideoViewer2", {}, -1, nullptr},
        {"ActionViewVideoViewerSOAD", {}, 38, nullptr},
        {"ActionViewViewerExtra1", extra, -1, "Shift+F1"},
        {"ActionViewViewerExtra2", extra, -1, "Shift+F2"},
        {"ActionViewWindflag", {}, 34, nullptr},
        {"ActionViewWRM", L("Show water related messages", "Watergerelateerde berichten tonen", "Gew\u00E4sserbezogene Meldungen zeigen"), 48, nullptr}};
    for (const auto &r : rest) {
        t.push_back(Quiet(r.name, c, r.caption, r.image, r.key));
        const std::string_view n = r.name;
        if (n == "ActionViewVideoViewerSOAD") t.back().AutoCheck = true;
        if (n == "ActionViewFTMAll" || n == "ActionViewFTMSelectedOnly") t.back().GroupIndex = 8;
    }
}

void AddWaypoints(std::vector<TActionRow> &t) {
    const char *c = "Waypoints";
    t.push_back(With(Row("ActionWaypointEdit", c, L("Edit waypoints", "Waypoints bewerken", "Wegpunkte bearbeiten"), MWpt),
                     nullptr, 6));
    t.push_back(With(Row("ActionWaypointStructures", c,
                         L("Show bridges and locks", "Bruggen en sluizen tonen", "Br\u00FCcken und Schleusen zeigen"), MWpt),
                     nullptr, 28));
    t.push_back(Row("ActionWaypointTypeEdit", c,
                    L("Edit waypoint type", "Waypointtype bewerken", "Wegpunkttyp bearbeiten"), MWpt, N::None, true));
    const TLanguageStrings mark = L("Mark position", "Positie markeren", "Position markieren");
    t.push_back(Hinted(Quiet("ActionWaypointMark", c, mark, 8, "Ctrl+M"), mark));
    const struct { const char *name; TLanguageStrings caption; } rest[] = {
        {"ActionWaypointMarkProperties", L("Mark properties", "Markeringseigenschappen", "Markierungseigenschaften")},
        {"ActionWaypointTypeManager", L("Type manager", "Typebeheer", "Typverwaltung")},
        {"ActionWaypointGroupManager", L("Group manager", "Groepbeheer", "Gruppenverwaltung")},
        {"ActionWaypointFieldManager", L("Field manager", "Veldbeheer", "Feldverwaltung")},
        {"ActionWaypointManager", L("Waypoint manager", "Waypointbeheer", "Wegpunktverwaltung")},
        {"ActionWaypointADACFilter", L("ADAC Marina guide filter", "ADAC-havengidsfilter", "ADAC-Marinaf\u00FChrer-Filter")},
        {"ActionWaypointADAC", {}},
        {"ActionWaypointADAC2016", {}},
        {"ActionWaypointMarrekrite2009", {}},
        {"ActionWaypointMarrekrite2010", {}},
        {"ActionWaypointWSV", {}},
        {"ActionWaypointWSVFilter", {}}};
    for (const auto &r : rest) {
        t.push_back(Quiet(r.name, c, r.caption));
        t.back().Dialog = r.caption[0] != nullptr;
    }
}

std::vector<TActionRow> BuildTable() {
    std::vector<TActionRow> t;
    t.reserve(210);
    AddChart(t);
    AddDebug(t);
    AddFile(t);
    AddHelp(t);
    AddInstruments(t);
    AddLogbook(t);
    AddNavigation(t);
    AddRoutes(t);
    AddS57(t);
    AddSoundAndTracks(t);
    AddView(t);
    AddWaypoints(t);
    return t;
}

}  // namespace

const std::vector<TActionRow> &ActionTable() {
    static const std::vector<TActionRow> table = BuildTable();
    return table;
}

int ActionIndex(std::string_view name) {
    static const std::unordered_map<std::string_view, int> index = [] {
        std::unordered_map<std::string_view, int> m;
        const auto &t = ActionTable();
        for (size_t i = 0; i < t.size(); ++i) m.emplace(t[i].Name, int(i));
        return m;
    }();
    const auto it = index.find(name);
    return it == index.end() ? -1 : it->second;
}

const std::vector<const char *> &ActionCategories() {
    static const std::vector<const char *> categories = {
        "Chart", "Debug", "File",   "Help",   "Instruments", "Logbook",  "Navigation",
        "Routes", "S57",  "Sound", "Tracks", "View",        "Waypoints"};
    return categories;
}

const std::vector<TMenuRow> &MenuTable() {
    static const std::vector<TMenuRow> menus = {
        {MFile, nullptr, L("&File", "&Bestand", "&Datei"), false},
        {MFileProps, MFile, L("Properties", "Eigenschappen", "Eigenschaften"), false},
        {MCharts, nullptr, L("&Charts", "&Kaarten", "&Karten"), false},
        {MGPS, nullptr, L("GPS", "GPS", "GPS"), false},
        {MNav, nullptr, L("&Navigation", "&Navigatie", "&Navigation"), false},
        {MWpt, nullptr, L("&Waypoints", "&Waypoints", "&Wegpunkte"), false},
        {MRoutes, nullptr, L("&Routes", "&Routes", "&Routen"), false},
        {MTracks, nullptr, L("&Tracks", "&Tracks", "&Tracks"), false},
        {MLog, nullptr, L("&Logbook", "&Logboek", "&Logbuch"), true},
        {MS57, nullptr, L("S57", "S57", "S57"), true},
        {MS57Colors, MS57, L("Color scheme", "Kleurenschema", "Farbschema"), false},
        {MS57Cat, MS57, L("Display category", "Weergavecategorie", "Anzeigekategorie"), true},
        {MView, nullptr, L("&View", "Beel&d", "&Ansicht"), false},
        {MHelp, nullptr, L("&Help", "&Help", "&Hilfe"), false}};
    return menus;
}

QString ActionCaption(const TActionRow &row, int32_t language) {
    if (!row.Caption[0]) return QString::fromLatin1(row.Name);
    QString text = LanguageTextIn(row.Caption, language);
    if (row.Dialog && !text.endsWith(QLatin1String("..."))) text += QLatin1String("...");
    return text;
}

QString ActionHint(const TActionRow &row, int32_t language) {
    if (row.Hint[0]) return LanguageTextIn(row.Hint, language);
    return row.Caption[0] ? LanguageTextIn(row.Caption, language) : QString();
}

namespace {

const TLanguageStrings SKeyboardTitle = L("Keyboard shortcuts", "Sneltoetsen", "Tastenkombinationen");
const TLanguageStrings SKeyboardMenu = L("Menu", "Menu", "Men\u00FC");
const TLanguageStrings SKeyboardCommand = L("Command", "Opdracht", "Befehl");
const TLanguageStrings SKeyboardKey = L("Key", "Toets", "Taste");

int32_t PageLanguage(int32_t language) {
    return language == KvLang::Dutch || language == KvLang::German ? language : KvLang::English;
}

const TMenuRow *FindMenu(const char *name) {
    for (const TMenuRow &m : MenuTable())
        if (std::string_view(m.Name) == name) return &m;
    return nullptr;
}

// A menu is out of sight when it or a menu above it is hidden.
bool MenuHidden(const TMenuRow *menu) {
    for (; menu; menu = menu->Parent ? FindMenu(menu->Parent) : nullptr)
        if (menu->Hidden) return true;
    return false;
}

QString MenuPath(const TMenuRow *menu, int32_t language) {
    QString path;
    for (; menu; menu = menu->Parent ? FindMenu(menu->Parent) : nullptr) {
        const QString caption = LanguageTextIn(menu->Caption, language).remove(QLatin1Char('&'));
        path = path.isEmpty() ? caption : caption + QStringLiteral(" > ") + path;
    }
    return path;
}

QString KeyText(const char *shortCut) {
    QString key = QKeySequence(QString::fromLatin1(shortCut)).toString(QKeySequence::PortableText);
    return key.replace(QLatin1String("Return"), QLatin1String("Enter"));
}

}  // namespace

QString KeyboardOverviewHtml(int32_t language) {
    language = PageLanguage(language);
    const QString title = LanguageTextIn(SKeyboardTitle, language).toHtmlEscaped();
    QString html = QStringLiteral(
                       "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                       "</head>\n<body>\n<p class=\"title\"><b>%1</b></p>\n<table border=\"1\" "
                       "cellpadding=\"4\" cellspacing=\"0\">\n<tr><th>%2</th><th>%3</th><th>%4</th></tr>\n")
                       .arg(title, LanguageTextIn(SKeyboardMenu, language).toHtmlEscaped(),
                            LanguageTextIn(SKeyboardCommand, language).toHtmlEscaped(),
                            LanguageTextIn(SKeyboardKey, language).toHtmlEscaped());
    // In menu-bar order, rows in table order within a menu.
    for (const TMenuRow &menu : MenuTable()) {
        if (MenuHidden(&menu)) continue;
        for (const TActionRow &row : ActionTable()) {
            if (!row.ShortCut || !row.Menu || std::string_view(row.Menu) != menu.Name) continue;
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                        .arg(MenuPath(&menu, language).toHtmlEscaped(),
                             ActionCaption(row, language).toHtmlEscaped(),
                             KeyText(row.ShortCut).toHtmlEscaped());
        }
    }
    html += QStringLiteral("</table>\n</body>\n</html>\n");
    return html;
}

QString KeyboardOverviewFileName(int32_t language) {
    const int32_t l = PageLanguage(language);
    const char *suffix = l == KvLang::Dutch ? "NL" : l == KvLang::German ? "DE" : "EN";
    return QStringLiteral("Marivo Brevo Shortcuts %1.html").arg(QLatin1String(suffix));
}

QString KeyboardOverviewPath(int32_t language) {
    return ProgInfoGetProgDir() + QStringLiteral("Manual/") + KeyboardOverviewFileName(language);
}
