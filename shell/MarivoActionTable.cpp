#include "shell/MarivoActionTable.h"

#include "base/kvlib/KvProgInfo.h"

#include <KvLibNav6/KvLanguage.h>

#include <QKeySequence>
#include <unordered_map>

namespace {

// Every language spelled out, in the program's order, so a row cannot leave one out.
constexpr TLanguageStrings L(const char *en, const char *nl, const char *de, const char *fr,
                             const char *es, const char *it, const char *da, const char *sv) {
    return {en, nl, de, fr, es, it, da, sv};
}

// A name that reads the same in every language (a standard's own term).
constexpr TLanguageStrings Same(const char *text) {
    return {text, text, text, text, text, text, text, text};
}

// The debug commands are for the developers and stay English.
constexpr TLanguageStrings EnglishOnly(const char *en) {
    return {en, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
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
                              L("Chart information", "Kaartinformatie", "Karteninformationen",
                                "Informations sur la carte", "Informaci\u00F3n de la carta",
                                "Informazioni sulla carta", "Kortinformation",
                                "Sj\u00F6kortsinformation"),
                              MCharts, "DockablePanelChartInfo"),
                     "Ctrl+I"));
    t.push_back(With(PanelRow("ActionChartLegend", c, L("Legend", "Legenda", "Legende",
                                                        "L\u00E9gende", "Leyenda", "Legenda",
                                                        "Signaturforklaring",
                                                        "Teckenf\u00F6rklaring"), MCharts,
                              "DockablePanelChartLegend"),
                     "Ctrl+L"));
    t.push_back(PanelRow("ActionChartStatus", c, L("Chart status", "Kaartstatus", "Kartenstatus",
                                                   "\u00C9tat des cartes", "Estado de las cartas",
                                                   "Stato delle carte", "Kortstatus",
                                                   "Sj\u00F6kortsstatus"),
                         MCharts, "DockablePanelChartStatus"));
    t.push_back(Row("ActionChartManager", c, L("Chart manager", "Kaartbeheer", "Kartenverwaltung",
                                               "Gestionnaire de cartes", "Gestor de cartas",
                                               "Gestione carte", "Korth\u00E5ndtering",
                                               "Sj\u00F6kortshanterare"),
                    MCharts, N::ChartManager, true));
    t.push_back(Row("ActionChartManagerMain", c,
                    L("Main chart viewer", "Hoofdkaartvenster", "Hauptkartenansicht",
                      "Fen\u00EAtre de carte principale", "Visor de carta principal",
                      "Visualizzatore carta principale", "Hovedkortvindue",
                      "Huvudsj\u00F6kortsf\u00F6nster"), nullptr,
                    N::ChartManager));
    t.push_back(Quiet("ActionChartManagerExtra1", c,
                      L("Additional chart viewer 1", "Extra kaartvenster 1",
                        "Zus\u00E4tzliche Kartenansicht 1",
                        "Fen\u00EAtre de carte suppl\u00E9mentaire 1", "Visor de carta adicional 1",
                        "Visualizzatore carta aggiuntivo 1", "Ekstra kortvindue 1",
                        "Extra sj\u00F6kortsf\u00F6nster 1")));
    t.push_back(Quiet("ActionChartManagerExtra2", c,
                      L("Additional chart viewer 2", "Extra kaartvenster 2",
                        "Zus\u00E4tzliche Kartenansicht 2",
                        "Fen\u00EAtre de carte suppl\u00E9mentaire 2", "Visor de carta adicional 2",
                        "Visualizzatore carta aggiuntivo 2", "Ekstra kortvindue 2",
                        "Extra sj\u00F6kortsf\u00F6nster 2")));
    t.push_back(Row("ActionChartUpdate", c,
                    L("Update charts", "Kaarten bijwerken", "Karten aktualisieren",
                      "Mettre \u00E0 jour les cartes", "Actualizar cartas", "Aggiorna carte",
                      "Opdater s\u00F8kort", "Uppdatera sj\u00F6kort"), nullptr,
                    N::None, true));
    t.push_back(Quiet("ActionChartS57Update", c,
                      L("Update IENC charts", "IENC-kaarten bijwerken", "IENC-Karten aktualisieren",
                        "Mettre \u00E0 jour les cartes IENC", "Actualizar cartas IENC",
                        "Aggiorna carte IENC", "Opdater IENC-s\u00F8kort",
                        "Uppdatera IENC-sj\u00F6kort")));
    t.back().Dialog = true;
    t.push_back(Row("ActionChartBuyCharts", c,
                    L("Buy extra charts", "Extra kaarten kopen", "Weitere Karten kaufen",
                      "Acheter des cartes suppl\u00E9mentaires", "Comprar cartas adicionales",
                      "Acquista carte aggiuntive", "K\u00F8b flere s\u00F8kort",
                      "K\u00F6p fler sj\u00F6kort"), MCharts));
}

void AddDebug(std::vector<TActionRow> &t) {
    const char *c = "Debug";
    t.push_back(Quiet("ActionDbgNavMsgDeviceStatus", c, EnglishOnly("NavMsg Device Status")));
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
    for (int i = 0; i < 8; ++i) t.push_back(Tagged(Quiet(drawNames[i][0], c, EnglishOnly(drawNames[i][1])), i));
}

void AddFile(std::vector<TActionRow> &t) {
    const char *c = "File";
    t.push_back(Row("ActionFileImport", c, L("Import", "Importeren", "Importieren", "Importer",
                                             "Importar", "Importa", "Import\u00E9r", "Importera"), MFile,
                    N::Import, true));
    t.push_back(Quiet("ActionFileExport", c, L("Export", "Exporteren", "Exportieren", "Exporter",
                                               "Exportar", "Esporta", "Eksport\u00E9r", "Exportera")));
    t.push_back(Quiet("ActionFileBackupCreate", c,
                      L("Create backup", "Reservekopie maken", "Sicherung erstellen",
                        "Cr\u00E9er une sauvegarde", "Crear copia de seguridad", "Crea backup",
                        "Opret sikkerhedskopi", "Skapa s\u00E4kerhetskopia")));
    t.push_back(Quiet("ActionFileBackupRestore", c,
                      L("Restore backup", "Reservekopie terugzetten", "Sicherung wiederherstellen",
                        "Restaurer une sauvegarde", "Restaurar copia de seguridad",
                        "Ripristina backup", "Gendan sikkerhedskopi",
                        "\u00C5terst\u00E4ll s\u00E4kerhetskopia")));
    t.push_back(Row("ActionFilePropertiesLocale", c, L("Regional", "Landinstellingen", "Regional",
                                                       "Param\u00E8tres r\u00E9gionaux",
                                                       "Configuraci\u00F3n regional",
                                                       "Impostazioni internazionali",
                                                       "Landestandard",
                                                       "Nationella inst\u00E4llningar"),
                    MFileProps, N::SettingsLocale, true));
    t.push_back(Row("ActionFilePropertiesShip", c, L("Ship", "Schip", "Schiff", "Bateau", "Barco",
                                                     "Imbarcazione", "Skib", "Fartyg"), MFileProps,
                    N::SettingsShip, true));
    t.push_back(Quiet("ActionFilePropertiesShipManager", c,
                      L("Ship profile manager", "Scheepsprofielbeheer", "Schiffsprofilverwaltung",
                        "Gestionnaire de profils de bateau", "Gestor de perfiles de barco",
                        "Gestione profili imbarcazione", "Skibsprofilh\u00E5ndtering",
                        "Fartygsprofilhanterare")));
    t.push_back(Row("ActionFilePropertiesPlanner", c, L("Planner", "Planner", "Planer",
                                                        "Planificateur", "Planificador",
                                                        "Pianificatore", "Planl\u00E6gger",
                                                        "Planerare"),
                    MFileProps, N::SettingsPlanner, true));
    t.push_back(Quiet("ActionFilePropertiesSimulator", c, L("Simulator", "Simulator", "Simulator",
                                                            "Simulateur", "Simulador", "Simulatore",
                                                            "Simulator", "Simulator")));
    t.push_back(Quiet("ActionFilePropertiesVideo", c));
    t.push_back(Row("ActionFilePropertiesSailingArea", c,
                    L("IENC Sailing area", "IENC-vaargebied", "IENC-Fahrgebiet",
                      "Zone de navigation IENC", "Zona de navegaci\u00F3n IENC",
                      "Area di navigazione IENC", "IENC-fartsomr\u00E5de", "IENC-fartomr\u00E5de"), nullptr,
                    N::SettingsSailingArea, true));
    t.push_back(With(Row("ActionFilePrint", c, L("Print", "Afdrukken", "Drucken", "Imprimer",
                                                 "Imprimir", "Stampa", "Udskriv", "Skriv ut"), MFile, N::Print,
                         true),
                     "Ctrl+P"));
    t.push_back(Row("ActionFileExtensionManager", c, L("Extensions", "Uitbreidingen",
                                                       "Erweiterungen", "Extensions", "Extensiones",
                                                       "Estensioni", "Udvidelser", "Till\u00E4gg"),
                    nullptr, N::ExtensionManager, true));
    t.push_back(With(Row("ActionFileExit", c, L("Exit", "Afsluiten", "Beenden", "Quitter", "Salir",
                                                "Esci", "Afslut", "Avsluta"), MFile), "Alt+F4"));
}

void AddHelp(std::vector<TActionRow> &t) {
    const char *c = "Help";
    t.push_back(Hinted(Row("ActionHelpContents", c, L("Contents", "Inhoud", "Inhalt", "Sommaire",
                                                      "Contenido", "Sommario", "Indhold",
                                                      "Inneh\u00E5ll"), MHelp,
                           N::HelpContents, true),
                       L("Help", "Help", "Hilfe", "Aide", "Ayuda", "Guida", "Hj\u00E6lp",
                         "Hj\u00E4lp")));
    t.push_back(With(Row("ActionHelpKeyboard", c,
                         L("Keyboard shortcuts", "Sneltoetsen", "Tastenkombinationen",
                           "Raccourcis clavier", "Atajos de teclado", "Scorciatoie da tastiera",
                           "Tastaturgenveje", "Kortkommandon"), MHelp,
                         N::HelpKeyboard, true),
                     "Ctrl+F1"));
    t.push_back(Row("ActionHelpLinkHelp", c, L("Online help", "Online help", "Online-Hilfe",
                                               "Aide en ligne", "Ayuda en l\u00EDnea",
                                               "Guida online", "Online hj\u00E6lp",
                                               "Onlinehj\u00E4lp"), MHelp));
    t.push_back(Row("ActionHelpLinkForum", c, L("Korvane forum", "Korvane forum", "Korvane-Forum",
                                                "Forum Korvane", "Foro de Korvane", "Forum Korvane",
                                                "Korvane-forum", "Korvane-forum"),
                    nullptr));
    t.push_back(Row("ActionHelpLinkHomepage", c,
                    L("Korvane Software on the web", "Korvane Software op internet",
                      "Korvane Software im Internet", "Korvane Software sur Internet",
                      "Korvane Software en Internet", "Korvane Software su Internet",
                      "Korvane Software p\u00E5 internettet", "Korvane Software p\u00E5 webben"),
                    MHelp));
    t.push_back(Row("ActionHelpLinkReleaseHistory", c,
                    L("Release history", "Versiegeschiedenis", "Versionshistorie",
                      "Historique des versions", "Historial de versiones",
                      "Cronologia delle versioni", "Versionshistorik", "Versionshistorik"), MHelp));
    t.push_back(Row("ActionHelpLinkShop", c,
                    L("Korvane online shop", "Korvane webwinkel", "Korvane Online-Shop",
                      "Boutique en ligne Korvane", "Tienda en l\u00EDnea de Korvane",
                      "Negozio online Korvane", "Korvane webshop", "Korvane webbutik"), MHelp));
    t.push_back(Row("ActionHelpTeamViewer", c,
                    L("Remote support via TeamViewer", "Hulp op afstand via TeamViewer",
                      "Fernwartung \u00FCber TeamViewer",
                      "Assistance \u00E0 distance via TeamViewer",
                      "Asistencia remota mediante TeamViewer",
                      "Assistenza remota tramite TeamViewer", "Fjernsupport via TeamViewer",
                      "Fj\u00E4rrsupport via TeamViewer"),
                    MHelp));
    t.push_back(Row("ActionHelpUpdate", c,
                    L("Check for updates", "Controleren op updates", "Nach Updates suchen",
                      "Rechercher des mises \u00E0 jour", "Buscar actualizaciones",
                      "Verifica aggiornamenti", "S\u00F8g efter opdateringer",
                      "S\u00F6k efter uppdateringar"), MHelp,
                    N::CheckUpdates, true));
    t.push_back(Row("ActionHelpNewsCenter", c,
                    L("Open news center", "Nieuwscentrum openen", "Nachrichtencenter \u00F6ffnen",
                      "Ouvrir le centre d'actualit\u00E9s", "Abrir centro de noticias",
                      "Apri centro notizie", "\u00C5bn nyhedscenter", "\u00D6ppna nyhetscenter"),
                    MHelp, N::NewsCenter, true));
    t.push_back(Row("ActionHelpStartUp", c,
                    L("Open startup wizard", "Startwizard openen", "Startassistent \u00F6ffnen",
                      "Ouvrir l'assistant de d\u00E9marrage", "Abrir asistente de inicio",
                      "Apri procedura guidata iniziale", "\u00C5bn startguide",
                      "\u00D6ppna startguide"),
                    MHelp, N::StartupWizard, true));
    TActionRow report = PanelRow("ActionHelpUserReport", c,
                                 L("Send a user report", "Gebruikersmelding versturen",
                                   "Benutzermeldung senden", "Envoyer un rapport utilisateur",
                                   "Enviar un informe de usuario", "Invia una segnalazione utente",
                                   "Send en brugerrapport", "Skicka en anv\u00E4ndarrapport"),
                                 MHelp, "DockablePanelUserReport");
    report.Dialog = true;
    t.push_back(report);
    t.push_back(Row("ActionHelpAbout", c, L("About", "Info", "Info", "\u00C0 propos", "Acerca de",
                                            "Informazioni", "Om", "Om"), MHelp, N::About, true));
    t.push_back(Quiet("ActionHelpDemo", c));
}

void AddInstruments(std::vector<TActionRow> &t) {
    const char *c = "Instruments";
    t.push_back(With(Hinted(Row("ActionInstrumentsCommunication", c,
                                L("Communication", "Communicatie", "Kommunikation", "Communication",
                                  "Comunicaci\u00F3n", "Comunicazione", "Kommunikation",
                                  "Kommunikation"), MGPS),
                            L("Start communication", "Communicatie starten",
                              "Kommunikation starten", "D\u00E9marrer la communication",
                              "Iniciar comunicaci\u00F3n", "Avvia comunicazione",
                              "Start kommunikation", "Starta kommunikation")),
                     "F3", 3));
    t.push_back(Row("ActionInstrumentsGPSProperties", c, L("Properties", "Eigenschappen",
                                                           "Eigenschaften", "Propri\u00E9t\u00E9s",
                                                           "Propiedades", "Propriet\u00E0",
                                                           "Egenskaber", "Egenskaper"),
                    MGPS, N::SettingsGPS, true));
    t.push_back(Row("ActionInstrumentsGPSDownload", c, L("Download", "Downloaden", "Herunterladen",
                                                         "T\u00E9l\u00E9charger", "Descargar",
                                                         "Scarica", "Hent", "H\u00E4mta"),
                    nullptr, N::GPSDownload, true));
    t.push_back(PanelRow("ActionInstrumentsNMEAMonitor", c,
                         L("NMEA monitor", "NMEA-monitor", "NMEA-Monitor", "Moniteur NMEA",
                           "Monitor NMEA", "Monitor NMEA", "NMEA-monitor", "NMEA-monitor"), MGPS,
                         "DockablePanelNMEA"));
    t.push_back(With(PanelRow("ActionInstrumentsAISTargetList", c,
                              L("AIS target list", "AIS-doelenlijst", "AIS-Zielliste",
                                "Liste des cibles AIS", "Lista de blancos AIS",
                                "Elenco bersagli AIS", "AIS-m\u00E5lliste", "AIS-m\u00E5llista"), nullptr,
                              "DockablePanelAISTargetList"),
                     "Ctrl+A"));
    t.push_back(PanelRow("ActionInstrumentsAISTargetInformation", c,
                         L("AIS target information", "AIS-doelinformatie", "AIS-Zielinformationen",
                           "Informations sur la cible AIS", "Informaci\u00F3n del blanco AIS",
                           "Informazioni bersaglio AIS", "AIS-m\u00E5linformation",
                           "AIS-m\u00E5linformation"),
                         nullptr, "DockablePanelAISTargetInfo"));
    t.push_back(Quiet("ActionInstrumentsSimulation", c, L("Simulation", "Simulatie", "Simulation",
                                                          "Simulation", "Simulaci\u00F3n",
                                                          "Simulazione", "Simulering", "Simulering"),
                      -1, "Ctrl+S"));
    t.push_back(Quiet("ActionInstrumentsAISProgram", c,
                      L("Set Class A data", "Klasse A-gegevens instellen", "Klasse-A-Daten setzen",
                        "D\u00E9finir les donn\u00E9es Classe A", "Configurar datos de Clase A",
                        "Imposta dati Classe A", "Indstil klasse A-data",
                        "St\u00E4ll in klass A-data"),
                      46, "Ctrl+Alt+A"));
    t.back().Dialog = true;
    t.push_back(Quiet("ActionInstrumentsAISProgramLoaded", c,
                      L("Set Inland loaded state", "Beladingstoestand binnenvaart instellen",
                        "Beladungszustand Binnen setzen",
                        "D\u00E9finir l'\u00E9tat de chargement fluvial",
                        "Configurar estado de carga fluvial",
                        "Imposta stato di carico navigazione interna",
                        "Indstil lastetilstand for indlandsfart",
                        "St\u00E4ll in lastl\u00E4ge f\u00F6r inlandssj\u00F6fart"),
                      -1, "Ctrl+Alt+L"));
    t.back().AutoCheck = true;
    t.push_back(Quiet("ActionInstrumentsAISSettings", c, L("AIS settings", "AIS-instellingen",
                                                           "AIS-Einstellungen",
                                                           "Param\u00E8tres AIS",
                                                           "Configuraci\u00F3n AIS",
                                                           "Impostazioni AIS", "AIS-indstillinger",
                                                           "AIS-inst\u00E4llningar")));
    t.back().Dialog = true;
    t.push_back(Quiet("ActionInstrumentsAISTargetInfoSelf", c,
                      L("AIS target information own ship", "AIS-doelinformatie eigen schip",
                        "AIS-Zielinformationen eigenes Schiff",
                        "Informations AIS de son propre bateau",
                        "Informaci\u00F3n AIS del barco propio",
                        "Informazioni AIS della propria imbarcazione",
                        "AIS-m\u00E5linformation eget skib", "AIS-m\u00E5linformation eget fartyg")));
    t.push_back(Quiet("ActionInstrumentsCoVadem", c, L("CoVadem box", "CoVadem box", "CoVadem-Box",
                                                       "Bo\u00EEtier CoVadem", "Caja CoVadem",
                                                       "Box CoVadem", "CoVadem-boks", "CoVadem-box")));
    t.push_back(Quiet("ActionInstrumentsGPSUpload", c, L("Upload", "Uploaden", "Hochladen",
                                                         "Envoyer", "Enviar", "Carica", "Send",
                                                         "Skicka")));
    t.back().Dialog = true;
    t.push_back(Quiet("ActionInstrumentsInformation", c, {}, 4));
    t.push_back(Quiet("ActionInstrumentsManager", c,
                      L("Instrument manager", "Instrumentenbeheer", "Instrumentenverwaltung",
                        "Gestionnaire d'instruments", "Gestor de instrumentos",
                        "Gestione strumenti", "Instrumenth\u00E5ndtering", "Instrumenthanterare")));
    t.back().Dialog = true;
    t.push_back(Quiet("ActionInstrumentsSounder", c, L("Depth viewer", "Dieptevenster",
                                                       "Tiefenanzeige",
                                                       "Affichage de la profondeur",
                                                       "Visor de profundidad",
                                                       "Visualizzatore profondit\u00E0",
                                                       "Dybdevisning", "Djupvisning")));
    t.push_back(Quiet("ActionInstrumentsTextMessages", c,
                      L("Text messages", "Tekstberichten", "Textnachrichten", "Messages texte",
                        "Mensajes de texto", "Messaggi di testo", "Tekstbeskeder",
                        "Textmeddelanden")));
}

void AddLogbook(std::vector<TActionRow> &t) {
    const char *c = "Logbook";
    t.push_back(Row("ActionLogbookActiveClose", c, L("Close", "Sluiten", "Schlie\u00DFen", "Fermer",
                                                     "Cerrar", "Chiudi", "Luk", "St\u00E4ng"), MLog));
    TActionRow start = Row("ActionLogbookActiveStart", c,
                           L("Start automatic logging", "Automatisch loggen starten",
                             "Automatische Aufzeichnung starten",
                             "D\u00E9marrer la journalisation automatique",
                             "Iniciar registro autom\u00E1tico", "Avvia registrazione automatica",
                             "Start automatisk logf\u00F8ring", "Starta automatisk loggning"),
                           MLog);
    start.ImageIndex = 11;
    t.push_back(start);
    TActionRow stop = Row("ActionLogbookActiveStop", c,
                          L("Stop automatic logging", "Automatisch loggen stoppen",
                            "Automatische Aufzeichnung beenden",
                            "Arr\u00EAter la journalisation automatique",
                            "Detener registro autom\u00E1tico",
                            "Interrompi registrazione automatica", "Stop automatisk logf\u00F8ring",
                            "Stoppa automatisk loggning"),
                          MLog);
    stop.ImageIndex = 12;
    t.push_back(stop);
    const TLanguageStrings active = L("Active logbook", "Actief logboek", "Aktives Logbuch",
                                      "Journal de bord actif", "Cuaderno de bit\u00E1cora activo",
                                      "Giornale di bordo attivo", "Aktiv logbog", "Aktiv loggbok");
    t.push_back(Hinted(Quiet("ActionLogbookActive", c, active, 10), active));
    t.push_back(Quiet("ActionLogbookActiveEntry", c, L("New entry", "Nieuwe regel", "Neuer Eintrag",
                                                       "Nouvelle entr\u00E9e", "Nueva entrada",
                                                       "Nuova annotazione", "Ny indf\u00F8rsel",
                                                       "Ny anteckning")));
    t.push_back(Quiet("ActionLogbookActiveProperties", c,
                      L("Properties", "Eigenschappen", "Eigenschaften", "Propri\u00E9t\u00E9s",
                        "Propiedades", "Propriet\u00E0", "Egenskaber", "Egenskaper")));
    t.push_back(Quiet("ActionLogbookActiveShow", c,
                      L("Show on chart", "Op kaart tonen", "Auf Karte zeigen",
                        "Afficher sur la carte", "Mostrar en la carta", "Mostra sulla carta",
                        "Vis p\u00E5 s\u00F8kort", "Visa p\u00E5 sj\u00F6kort")));
    t.push_back(Quiet("ActionLogbookActiveView", c, L("View", "Bekijken", "Ansehen", "Consulter",
                                                      "Ver", "Visualizza", "Vis", "Visa")));
    t.push_back(Quiet("ActionLogbookManager", c, L("Logbook manager", "Logboekbeheer",
                                                   "Logbuchverwaltung",
                                                   "Gestionnaire de journaux de bord",
                                                   "Gestor de cuadernos de bit\u00E1cora",
                                                   "Gestione giornali di bordo",
                                                   "Logbogsh\u00E5ndtering", "Loggbokshanterare")));
    t.push_back(Quiet("ActionLogbookNew", c, L("New logbook", "Nieuw logboek", "Neues Logbuch",
                                               "Nouveau journal de bord",
                                               "Nuevo cuaderno de bit\u00E1cora",
                                               "Nuovo giornale di bordo", "Ny logbog", "Ny loggbok")));
    t.push_back(Quiet("ActionLogbookSettings", c,
                      L("Default settings", "Standaardinstellingen", "Standardeinstellungen",
                        "Param\u00E8tres par d\u00E9faut", "Configuraci\u00F3n predeterminada",
                        "Impostazioni predefinite", "Standardindstillinger",
                        "Standardinst\u00E4llningar")));
    for (size_t i = t.size() - 7; i < t.size(); ++i)
        if (std::string_view(t[i].Name) != "ActionLogbookActiveShow") t[i].Dialog = true;
}

void AddNavigation(std::vector<TActionRow> &t) {
    const char *c = "Navigation";
    t.push_back(With(Row("ActionNavigationInformation", c,
                         L("Route explorer", "Routeverkenner", "Routen-Explorer",
                           "Explorateur d'itin\u00E9raires", "Explorador de rutas", "Esplora rotte",
                           "Rutestifinder", "Ruttutforskare"), MNav),
                     "F4", 5));
    t.push_back(With(Row("ActionNavigationDistance", c,
                         L("Distance calculation", "Afstandsberekening", "Entfernungsberechnung",
                           "Calcul de distance", "C\u00E1lculo de distancia", "Calcolo distanza",
                           "Distanceberegning", "Distansber\u00E4kning"),
                         MNav),
                     "Ctrl+D"));
    t.push_back(Row("ActionNavigationZoS", c,
                    L("Sign up for bridges and locks", "Aanmelden voor bruggen en sluizen",
                      "Anmeldung f\u00FCr Br\u00FCcken und Schleusen",
                      "Annonce aux ponts et \u00E9cluses", "Aviso a puentes y esclusas",
                      "Prenotazione ponti e chiuse", "Tilmelding til broer og sluser",
                      "Anm\u00E4lan till broar och slussar"),
                    nullptr));
    t.push_back(Quiet("ActionNavigationToolbarZoS", c, {}, 52));
    t.push_back(Row("ActionNavigationZoSShow", c,
                    L("Show log Sign up for bridges and locks",
                      "Logboek aanmelden bruggen en sluizen tonen",
                      "Protokoll Anmeldung Br\u00FCcken und Schleusen zeigen",
                      "Afficher le journal des annonces aux ponts et \u00E9cluses",
                      "Mostrar registro de avisos a puentes y esclusas",
                      "Mostra registro prenotazioni ponti e chiuse",
                      "Vis log over tilmelding til broer og sluser",
                      "Visa logg \u00F6ver anm\u00E4lan till broar och slussar"),
                    nullptr));
    t.push_back(Row("ActionNavigationHomeRemove", c,
                    L("Remove home location", "Thuislocatie verwijderen", "Heimatort entfernen",
                      "Supprimer le port d'attache", "Eliminar puerto base", "Rimuovi porto base",
                      "Fjern hjemhavn", "Ta bort hemmahamn"),
                    nullptr));
    t.push_back(Quiet("ActionNavigationPolar", c, L("Polar diagram", "Polairdiagram",
                                                    "Polardiagramm", "Diagramme polaire",
                                                    "Diagrama polar", "Diagramma polare",
                                                    "Polardiagram", "Polardiagram"),
                      59, "Ctrl+O"));
    t.push_back(Quiet("ActionNavigationPolarManager", c,
                      L("Polar diagram manager", "Polairdiagrambeheer", "Polardiagrammverwaltung",
                        "Gestionnaire de diagrammes polaires", "Gestor de diagramas polares",
                        "Gestione diagrammi polari", "Polardiagramh\u00E5ndtering",
                        "Polardiagramhanterare")));
    t.push_back(Quiet("ActionNavigationPolygonEdit", c,
                      L("Edit alarm zone", "Alarmzone bewerken", "Alarmzone bearbeiten",
                        "Modifier la zone d'alarme", "Editar zona de alarma",
                        "Modifica zona di allarme", "Rediger alarmzone", "Redigera larmzon"), 44));
    t.push_back(Quiet("ActionNavigationPolygonManager", c,
                      L("Alarm zone manager", "Alarmzonebeheer", "Alarmzonenverwaltung",
                        "Gestionnaire de zones d'alarme", "Gestor de zonas de alarma",
                        "Gestione zone di allarme", "Alarmzoneh\u00E5ndtering", "Larmzonshanterare")));
    t.push_back(Quiet("ActionNavigationPolygonNew", c,
                      L("New alarm zone", "Nieuwe alarmzone", "Neue Alarmzone",
                        "Nouvelle zone d'alarme", "Nueva zona de alarma", "Nuova zona di allarme",
                        "Ny alarmzone", "Ny larmzon")));
    t.push_back(Quiet("ActionNavigationTides", c, L("Tide plotter", "Getijdenplotter",
                                                    "Gezeitenplotter", "Traceur de mar\u00E9es",
                                                    "Trazador de mareas", "Plotter maree",
                                                    "Tidevandsplotter", "Tidvattenplotter")));
    t.push_back(Quiet("ActionNavigationTideStationManager", c,
                      L("Tide station manager", "Getijstationbeheer", "Gezeitenstationsverwaltung",
                        "Gestionnaire de stations de mar\u00E9e", "Gestor de estaciones de marea",
                        "Gestione stazioni di marea", "Tidevandsstationsh\u00E5ndtering",
                        "Tidvattenstationshanterare")));
    t.push_back(Quiet("ActionNavigationFTMManager", c,
                      L("Shipping notifications", "Berichten aan de scheepvaart",
                        "Schifffahrtsmeldungen", "Avis \u00E0 la batellerie",
                        "Avisos a la navegaci\u00F3n", "Avvisi ai naviganti",
                        "Efterretninger for s\u00F8farende",
                        "Underr\u00E4ttelser f\u00F6r sj\u00F6farande")));
    t.push_back(Quiet("ActionNavigationGRIBMeteostation", c,
                      L("GRIB Meteo station", "GRIB-meteostation", "GRIB-Wetterstation",
                        "Station m\u00E9t\u00E9o GRIB", "Estaci\u00F3n meteorol\u00F3gica GRIB",
                        "Stazione meteo GRIB", "GRIB-vejrstation", "GRIB-v\u00E4derstation")));
    t.push_back(Quiet("ActionNavigationBICS", c, Same("BICS..."), 49));
    for (const char *n : {"ActionNavigationPolarManager", "ActionNavigationPolygonManager",
                          "ActionNavigationTideStationManager", "ActionNavigationFTMManager"})
        for (TActionRow &r : t)
            if (std::string_view(r.Name) == n) r.Dialog = true;
}

void AddRoutes(std::vector<TActionRow> &t) {
    const char *c = "Routes";
    const TLanguageStrings edit = L("Edit route", "Route bewerken", "Route bearbeiten",
                                    "Modifier l'itin\u00E9raire", "Editar ruta", "Modifica rotta",
                                    "Rediger rute", "Redigera rutt");
    t.push_back(With(Hinted(Row("ActionRouteEdit", c, edit, MRoutes), edit), nullptr, 7));
    t.push_back(Row("ActionRouteNew", c, L("New route", "Nieuwe route", "Neue Route",
                                           "Nouvel itin\u00E9raire", "Nueva ruta", "Nuova rotta",
                                           "Ny rute", "Ny rutt"), MRoutes));
    auto tool = [&](const char *name, TLanguageStrings hint, int image) {
        TActionRow r = Quiet(name, c, {}, image);
        r.Hint = hint;
        t.push_back(r);
    };
    tool("ActionRouteEditAdd", L("Add route points", "Routepunten toevoegen",
                                 "Routenpunkte hinzuf\u00FCgen", "Ajouter des points de route",
                                 "A\u00F1adir puntos de ruta", "Aggiungi punti di rotta",
                                 "Tilf\u00F8j rutepunkter", "L\u00E4gg till ruttpunkter"), 18);
    tool("ActionRouteEditDelete", L("Delete route points", "Routepunten verwijderen",
                                    "Routenpunkte l\u00F6schen", "Supprimer des points de route",
                                    "Eliminar puntos de ruta", "Elimina punti di rotta",
                                    "Slet rutepunkter", "Ta bort ruttpunkter"), 19);
    tool("ActionRouteEditMove", L("Move route points", "Routepunten verplaatsen",
                                  "Routenpunkte verschieben", "D\u00E9placer des points de route",
                                  "Mover puntos de ruta", "Sposta punti di rotta",
                                  "Flyt rutepunkter", "Flytta ruttpunkter"), 20);
    tool("ActionRouteEditVectors", L("Edit route point vectors", "Routepuntvectoren bewerken",
                                     "Routenpunktvektoren bearbeiten",
                                     "Modifier les vecteurs des points de route",
                                     "Editar vectores de puntos de ruta",
                                     "Modifica vettori dei punti di rotta",
                                     "Rediger rutepunktvektorer", "Redigera ruttpunktsvektorer"), 21);
    tool("ActionRouteEditSettings", L("Edit route properties", "Route-eigenschappen bewerken",
                                      "Routeneigenschaften bearbeiten",
                                      "Modifier les propri\u00E9t\u00E9s de l'itin\u00E9raire",
                                      "Editar propiedades de la ruta",
                                      "Modifica propriet\u00E0 della rotta",
                                      "Rediger ruteegenskaber", "Redigera ruttegenskaper"), 26);
    tool("ActionRouteEditSettingsPoint",
         L("Edit properties of selected route point",
           "Eigenschappen van geselecteerd routepunt bewerken",
           "Eigenschaften des gew\u00E4hlten Routenpunkts bearbeiten",
           "Modifier les propri\u00E9t\u00E9s du point de route s\u00E9lectionn\u00E9",
           "Editar propiedades del punto de ruta seleccionado",
           "Modifica propriet\u00E0 del punto di rotta selezionato",
           "Rediger egenskaber for valgt rutepunkt", "Redigera egenskaper f\u00F6r vald ruttpunkt"),
         27);
    tool("ActionRouteEditOverview", L("Show route overview", "Routeoverzicht tonen",
                                      "Routen\u00FCbersicht zeigen",
                                      "Afficher l'aper\u00E7u de l'itin\u00E9raire",
                                      "Mostrar resumen de la ruta", "Mostra panoramica della rotta",
                                      "Vis ruteoversigt", "Visa rutt\u00F6versikt"), 22);
    t.push_back(Row("ActionRouteOverview", c, L("Route overview", "Routeoverzicht",
                                                "Routen\u00FCbersicht",
                                                "Aper\u00E7u de l'itin\u00E9raire",
                                                "Resumen de la ruta", "Panoramica della rotta",
                                                "Ruteoversigt", "Rutt\u00F6versikt"), MRoutes));
    tool("ActionRouteEditPlanModeTime", L("Choose the fastest route", "Snelste route kiezen",
                                          "Schnellste Route w\u00E4hlen",
                                          "Choisir l'itin\u00E9raire le plus rapide",
                                          "Elegir la ruta m\u00E1s r\u00E1pida",
                                          "Scegli la rotta pi\u00F9 veloce",
                                          "V\u00E6lg den hurtigste rute",
                                          "V\u00E4lj den snabbaste rutten"), 56);
    tool("ActionRouteEditPlanModeFuel", L("Choose the most economical route",
                                          "Zuinigste route kiezen", "Sparsamste Route w\u00E4hlen",
                                          "Choisir l'itin\u00E9raire le plus \u00E9conomique",
                                          "Elegir la ruta m\u00E1s econ\u00F3mica",
                                          "Scegli la rotta pi\u00F9 economica",
                                          "V\u00E6lg den mest \u00F8konomiske rute",
                                          "V\u00E4lj den mest ekonomiska rutten"), 57);
    tool("ActionRouteEditPlanModeTourist", L("Choose a tourist route", "Toeristische route kiezen",
                                             "Touristische Route w\u00E4hlen",
                                             "Choisir un itin\u00E9raire touristique",
                                             "Elegir una ruta tur\u00EDstica",
                                             "Scegli una rotta turistica",
                                             "V\u00E6lg en turistrute", "V\u00E4lj en turistrutt"), 58);
    tool("ActionRouteEditShowGreatCircles",
         L("Show great circle help lines for open legs",
           "Grootcirkelhulplijnen voor open etappes tonen",
           "Gro\u00DFkreis-Hilfslinien f\u00FCr offene Abschnitte zeigen",
           "Afficher les lignes d'aide orthodromiques pour les segments ouverts",
           "Mostrar l\u00EDneas auxiliares ortodr\u00F3micas para tramos abiertos",
           "Mostra linee ausiliarie ortodromiche per le tratte aperte",
           "Vis storcirkelhj\u00E6lpelinjer for \u00E5bne str\u00E6kninger",
           "Visa storcirkelhj\u00E4lplinjer f\u00F6r \u00F6ppna str\u00E4ckor"),
         -1);
    tool("ActionRouteEditConstHDG", L("Optimize to constant heading",
                                      "Optimaliseren naar vaste koers",
                                      "Auf konstanten Kurs optimieren",
                                      "Optimiser pour un cap constant",
                                      "Optimizar a rumbo constante", "Ottimizza per prua costante",
                                      "Optim\u00E9r til konstant kurs",
                                      "Optimera f\u00F6r konstant kurs"), 50);
    tool("ActionRouteEditSimulate",
         L("Simulate route without propulsion", "Route zonder voortstuwing simuleren",
           "Route ohne Antrieb simulieren", "Simuler l'itin\u00E9raire sans propulsion",
           "Simular ruta sin propulsi\u00F3n", "Simula rotta senza propulsione",
           "Simul\u00E9r rute uden fremdrift", "Simulera rutt utan framdrivning"), 51);
    tool("ActionRouteEditOptimization",
         L("Toggle open leg optimization for all open legs",
           "Optimalisatie van alle open etappes aan/uit",
           "Optimierung aller offenen Abschnitte ein/aus",
           "Activer/d\u00E9sactiver l'optimisation de tous les segments ouverts",
           "Activar/desactivar la optimizaci\u00F3n de todos los tramos abiertos",
           "Attiva/disattiva l'ottimizzazione di tutte le tratte aperte",
           "Sl\u00E5 optimering af alle \u00E5bne str\u00E6kninger til/fra",
           "Sl\u00E5 p\u00E5/av optimering av alla \u00F6ppna str\u00E4ckor"),
         -1);
    t.push_back(Quiet("ActionRouteEditPlanning", c, {}, 55));
    tool("ActionRoutePointAdd", L("Find a route point", "Routepunt zoeken", "Routenpunkt suchen",
                                  "Rechercher un point de route", "Buscar un punto de ruta",
                                  "Cerca un punto di rotta", "Find et rutepunkt",
                                  "S\u00F6k en ruttpunkt"), 18);
    const TLanguageStrings start = L("Start selected route", "Geselecteerde route starten",
                                     "Gew\u00E4hlte Route starten",
                                     "D\u00E9marrer l'itin\u00E9raire s\u00E9lectionn\u00E9",
                                     "Iniciar la ruta seleccionada", "Avvia la rotta selezionata",
                                     "Start valgt rute", "Starta vald rutt");
    t.push_back(With(Hinted(Row("ActionRouteStart", c, start, MRoutes), start), nullptr, 60));
    t.push_back(Row("ActionRouteStop", c, L("Stop current route", "Huidige route stoppen",
                                            "Aktuelle Route beenden",
                                            "Arr\u00EAter l'itin\u00E9raire en cours",
                                            "Detener la ruta actual",
                                            "Interrompi la rotta corrente", "Stop aktuel rute",
                                            "Stoppa aktuell rutt"), MRoutes));
    t.push_back(Row("ActionRouteManager", c, L("Route manager", "Routebeheer", "Routenverwaltung",
                                               "Gestionnaire d'itin\u00E9raires", "Gestor de rutas",
                                               "Gestione rotte", "Ruteh\u00E5ndtering",
                                               "Rutthanterare"), MRoutes, N::None, true));
    t.push_back(Row("ActionRouteSettingsDefault", c,
                    L("Default settings", "Standaardinstellingen", "Standardeinstellungen",
                      "Param\u00E8tres par d\u00E9faut", "Configuraci\u00F3n predeterminada",
                      "Impostazioni predefinite", "Standardindstillinger",
                      "Standardinst\u00E4llningar"), MRoutes, N::None, true));
    t.push_back(Row("ActionRouteDefaultEnabled", c,
                    L("Use temporary route", "Tijdelijke route gebruiken",
                      "Tempor\u00E4re Route verwenden", "Utiliser un itin\u00E9raire temporaire",
                      "Usar ruta temporal", "Usa rotta temporanea", "Brug midlertidig rute",
                      "Anv\u00E4nd tillf\u00E4llig rutt"), nullptr));
    TActionRow explore = Row("ActionRouteExplore", c, L("Explore routes", "Routes verkennen",
                                                        "Routen erkunden",
                                                        "Explorer les itin\u00E9raires",
                                                        "Explorar rutas", "Esplora rotte",
                                                        "Udforsk ruter", "Utforska rutter"), nullptr);
    explore.ImageIndex = 55;
    t.push_back(explore);
    t.push_back(Quiet("ActionRouteInformation", c, L("Route info", "Route-info", "Routeninfo",
                                                     "Infos itin\u00E9raire",
                                                     "Informaci\u00F3n de ruta", "Info rotta",
                                                     "Ruteinfo", "Ruttinfo"), 5, "Ctrl+F4"));
    t.push_back(Quiet("ActionRouteWWInfo", c, L("Route planner info", "Routeplannerinfo",
                                                "Routenplaner-Info",
                                                "Infos planificateur d'itin\u00E9raire",
                                                "Informaci\u00F3n del planificador de rutas",
                                                "Info pianificatore di rotta",
                                                "Ruteplanl\u00E6gger-info", "Ruttplanerarinfo")));
    t.push_back(Quiet("ActionRouteNavigateTo", c, L("Route planner", "Routeplanner", "Routenplaner",
                                                    "Planificateur d'itin\u00E9raire",
                                                    "Planificador de rutas",
                                                    "Pianificatore di rotta", "Ruteplanl\u00E6gger",
                                                    "Ruttplanerare"), 37));
}

void AddS57(std::vector<TActionRow> &t) {
    const char *c = "S57";
    const struct { const char *name; TLanguageStrings caption; } schemes[3] = {
        {"ActionS57ColorSchemeDay",
         L("Day", "Dag", "Tag", "Jour", "D\u00EDa", "Giorno", "Dag", "Dag")},
        {"ActionS57ColorSchemeDusk",
         L("Dusk", "Schemering", "D\u00E4mmerung", "Cr\u00E9puscule", "Crep\u00FAsculo",
           "Crepuscolo", "Skumring", "Skymning")},
        {"ActionS57ColorSchemeNight",
         L("Night", "Nacht", "Nacht", "Nuit", "Noche", "Notte", "Nat", "Natt")}};
    for (int i = 0; i < 3; ++i) {
        TActionRow r = Row(schemes[i].name, c, schemes[i].caption, MS57Colors);
        r.Tag = i;
        t.push_back(r);
    }
    const char *cats[4][2] = {{"ActionS57DisplayCatBoundsOnly", "EMPTYCELL"},
                              {"ActionS57DisplayCatBASE", "DISPLAYBASE"},
                              {"ActionS57DisplayCatSTANDARD", "STANDARD"},
                              {"ActionS57DisplayCatOTHER", "OTHER"}};
    for (int i = 0; i < 4; ++i) {
        TActionRow r = Row(cats[i][0], c, Same(cats[i][1]), MS57Cat);
        r.Tag = i - 1;
        t.push_back(r);
    }
    t.push_back(Row("ActionS57LandFeatures", c,
                    L("Show land features", "Landkenmerken tonen", "Landmerkmale zeigen",
                      "Afficher les \u00E9l\u00E9ments terrestres", "Mostrar elementos terrestres",
                      "Mostra elementi terrestri", "Vis landobjekter", "Visa landobjekt"), MS57));
    const TLanguageStrings marks = L("Show IENC notice marks", "IENC-verkeerstekens tonen",
                                     "IENC-Schifffahrtszeichen zeigen",
                                     "Afficher la signalisation IENC",
                                     "Mostrar se\u00F1ales de aviso IENC",
                                     "Mostra segnali di avviso IENC",
                                     "Vis IENC-afm\u00E6rkningstavler", "Visa IENC-farledsskyltar");
    t.push_back(Hinted(Row("ActionS57NoticeMarks", c, marks, MS57), marks));
    t.push_back(Row("ActionS57Settings", c, L("S57 settings", "S57-instellingen",
                                              "S57-Einstellungen", "Param\u00E8tres S57",
                                              "Configuraci\u00F3n S57", "Impostazioni S57",
                                              "S57-indstillinger", "S57-inst\u00E4llningar"),
                    MS57, N::SettingsS57, true));
}

void AddSoundAndTracks(std::vector<TActionRow> &t) {
    TActionRow sound = Row("ActionSound", "Sound", L("Sound", "Geluid", "Ton", "Son", "Sonido",
                                                     "Audio", "Lyd", "Ljud"), MView);
    sound.ImageIndex = 15;
    t.push_back(sound);
    const char *c = "Tracks";
    t.push_back(Row("ActionTrackManager", c, L("Track manager", "Trackbeheer", "Trackverwaltung",
                                               "Gestionnaire de traces", "Gestor de tracks",
                                               "Gestione tracce", "Sporh\u00E5ndtering",
                                               "Sp\u00E5rhanterare"),
                    MTracks, N::None, true));
    t.push_back(Row("ActionTrackSettings", c,
                    L("Default settings", "Standaardinstellingen", "Standardeinstellungen",
                      "Param\u00E8tres par d\u00E9faut", "Configuraci\u00F3n predeterminada",
                      "Impostazioni predefinite", "Standardindstillinger",
                      "Standardinst\u00E4llningar"), MTracks,
                    N::None, true));
    t.push_back(Quiet("ActionTrackReplay", c, L("Track replay", "Track afspelen",
                                                "Track-Wiedergabe", "Relecture de trace",
                                                "Reproducci\u00F3n de track",
                                                "Riproduzione traccia", "Afspilning af spor",
                                                "Uppspelning av sp\u00E5r")));
    t.push_back(Quiet("ActionTrackTracking", c, {}, 9, "Shift+F3"));
}

void AddView(std::vector<TActionRow> &t) {
    const char *c = "View";
    auto view = [&](const char *name, TLanguageStrings caption, int image, const char *menu = MView) {
        TActionRow r = Row(name, c, caption, menu);
        r.ImageIndex = image;
        t.push_back(r);
    };
    view("ActionViewWaypoints", L("Show waypoints", "Waypoints tonen", "Wegpunkte zeigen",
                                  "Afficher les waypoints", "Mostrar waypoints", "Mostra waypoint",
                                  "Vis waypoints", "Visa waypoints"), 31);
    view("ActionViewWaypointLabels",
         L("Show waypoint name labels", "Namen van waypoints tonen", "Wegpunktnamen zeigen",
           "Afficher les noms des waypoints", "Mostrar nombres de waypoints",
           "Mostra nomi dei waypoint", "Vis waypointnavne", "Visa waypointnamn"), 32);
    view("ActionViewRouteNetwork", L("Show waterways", "Vaarwegen tonen",
                                     "Wasserstra\u00DFen zeigen", "Afficher les voies navigables",
                                     "Mostrar v\u00EDas navegables", "Mostra vie navigabili",
                                     "Vis vandveje", "Visa vattenv\u00E4gar"), 33);
    t.push_back(Quiet("ActionViewStructureNames", c,
                      L("Show names of bridges and locks in labels",
                        "Namen van bruggen en sluizen in labels tonen",
                        "Namen von Br\u00FCcken und Schleusen in Beschriftungen zeigen",
                        "Afficher les noms des ponts et \u00E9cluses dans les \u00E9tiquettes",
                        "Mostrar nombres de puentes y esclusas en las etiquetas",
                        "Mostra nomi di ponti e chiuse nelle etichette",
                        "Vis navne p\u00E5 broer og sluser i etiketter",
                        "Visa namn p\u00E5 broar och slussar i etiketter")));
    view("ActionViewRoutes", L("Show routes", "Routes tonen", "Routen zeigen",
                               "Afficher les itin\u00E9raires", "Mostrar rutas", "Mostra rotte",
                               "Vis ruter", "Visa rutter"), 40);
    view("ActionViewTracks", L("Show tracks", "Tracks tonen", "Tracks zeigen",
                               "Afficher les traces", "Mostrar tracks", "Mostra tracce", "Vis spor",
                               "Visa sp\u00E5r"), 41);
    view("ActionViewPolygons", {}, 43, nullptr);
    view("ActionViewSmartLabeling",
         L("Use smart labeling", "Slimme labels gebruiken", "Intelligente Beschriftung verwenden",
           "Utiliser l'\u00E9tiquetage intelligent", "Usar etiquetado inteligente",
           "Usa etichettatura intelligente", "Brug smart m\u00E6rkning",
           "Anv\u00E4nd smart etikettering"), -1);
    view("ActionViewBlauweGolf",
         L("Show Blauwe Golf items", "Blauwe Golf-items tonen", "Blauwe-Golf-Eintr\u00E4ge zeigen",
           "Afficher les \u00E9l\u00E9ments Blauwe Golf", "Mostrar elementos de Blauwe Golf",
           "Mostra elementi Blauwe Golf", "Vis Blauwe Golf-elementer", "Visa Blauwe Golf-objekt"), 47);
    const TLanguageStrings grib = L("Show/Hide GRIB data", "GRIB-gegevens tonen/verbergen",
                                    "GRIB-Daten zeigen/verbergen",
                                    "Afficher/masquer les donn\u00E9es GRIB",
                                    "Mostrar/ocultar datos GRIB", "Mostra/nascondi dati GRIB",
                                    "Vis/skjul GRIB-data", "Visa/d\u00F6lj GRIB-data");
    view("ActionViewMainGRIB", grib, 23);
    t.back().Hint = grib;
    const TLanguageStrings tide = L("Show/Hide Wendal tide data",
                                    "Wendal-getijgegevens tonen/verbergen",
                                    "Wendal-Gezeitendaten zeigen/verbergen",
                                    "Afficher/masquer les donn\u00E9es de mar\u00E9e Wendal",
                                    "Mostrar/ocultar datos de mareas Wendal",
                                    "Mostra/nascondi dati di marea Wendal",
                                    "Vis/skjul Wendal-tidevandsdata",
                                    "Visa/d\u00F6lj Wendal-tidvattendata");
    view("ActionViewMainTide", tide, 24);
    t.back().Hint = tide;
    t.push_back(With(Row("ActionViewFullscreen", c, L("Fullscreen", "Volledig scherm", "Vollbild",
                                                      "Plein \u00E9cran", "Pantalla completa",
                                                      "Schermo intero", "Fuld sk\u00E6rm",
                                                      "Helsk\u00E4rm"), MView),
                     "F10"));
    t.push_back(With(Row("ActionViewProperties", c, L("Properties", "Eigenschappen",
                                                      "Eigenschaften", "Propri\u00E9t\u00E9s",
                                                      "Propiedades", "Propriet\u00E0", "Egenskaber",
                                                      "Egenskaper"),
                         MView, N::SettingsView, true),
                     "Alt+Return"));
    t.push_back(Row("ActionViewResetPanels", c,
                    L("Reset windows", "Vensters herstellen", "Fenster zur\u00FCcksetzen",
                      "R\u00E9initialiser les fen\u00EAtres", "Restablecer ventanas",
                      "Ripristina finestre", "Nulstil vinduer", "\u00C5terst\u00E4ll f\u00F6nster"), MView));
    t.push_back(Quiet("ActionViewFind", c, L("Search", "Zoeken", "Suchen", "Rechercher", "Buscar",
                                             "Cerca", "S\u00F8g", "S\u00F6k"), 25));
    view("ActionViewToolbarMain", L("Main toolbar", "Hoofdwerkbalk", "Hauptsymbolleiste",
                                    "Barre d'outils principale", "Barra de herramientas principal",
                                    "Barra degli strumenti principale",
                                    "Hovedv\u00E6rkt\u00F8jslinje", "Huvudverktygsf\u00E4lt"), -1);
    view("ActionViewToolbarChart", L("Chart toolbar", "Kaartwerkbalk", "Kartensymbolleiste",
                                     "Barre d'outils carte", "Barra de herramientas de carta",
                                     "Barra degli strumenti carta", "Kortv\u00E6rkt\u00F8jslinje",
                                     "Sj\u00F6kortsverktygsf\u00E4lt"), -1);
    view("ActionViewToolbarS57", L("S57 toolbar", "S57-werkbalk", "S57-Symbolleiste",
                                   "Barre d'outils S57", "Barra de herramientas S57",
                                   "Barra degli strumenti S57", "S57-v\u00E6rkt\u00F8jslinje",
                                   "S57-verktygsf\u00E4lt"), -1, nullptr);
    view("ActionViewToolbarLock", L("Lock toolbars", "Werkbalken vastzetten",
                                    "Symbolleisten fixieren", "Verrouiller les barres d'outils",
                                    "Bloquear barras de herramientas",
                                    "Blocca barre degli strumenti",
                                    "L\u00E5s v\u00E6rkt\u00F8jslinjer",
                                    "L\u00E5s verktygsf\u00E4lt"), -1);
    t.push_back(Row("ActionViewToolbarMainEdit", c,
                    L("Edit main toolbar", "Hoofdwerkbalk aanpassen", "Hauptsymbolleiste anpassen",
                      "Personnaliser la barre d'outils principale",
                      "Personalizar barra de herramientas principal",
                      "Personalizza barra degli strumenti principale",
                      "Tilpas hovedv\u00E6rkt\u00F8jslinje", "Anpassa huvudverktygsf\u00E4lt"),
                    nullptr, N::ToolbarEdit, true));
    TActionRow night = Quiet("ActionViewNightScreen", c, L("Night view", "Nachtweergave",
                                                           "Nachtansicht", "Vue de nuit",
                                                           "Vista nocturna",
                                                           "Visualizzazione notturna", "Natvisning",
                                                           "Nattvisning"),
                             14, "Ctrl+N");
    night.AutoCheck = true;
    t.push_back(night);
    t.push_back(Quiet("ActionViewNightScreenDarker", c,
                      L("Darken night view", "Nachtweergave donkerder", "Nachtansicht abdunkeln",
                        "Assombrir la vue de nuit", "Oscurecer vista nocturna",
                        "Scurisci visualizzazione notturna", "G\u00F8r natvisning m\u00F8rkere",
                        "G\u00F6r nattvisning m\u00F6rkare"), -1, "F11"));
    t.push_back(Quiet("ActionViewNightScreenLighter", c,
                      L("Lighten night view", "Nachtweergave lichter", "Nachtansicht aufhellen",
                        "\u00C9claircir la vue de nuit", "Aclarar vista nocturna",
                        "Schiarisci visualizzazione notturna", "G\u00F8r natvisning lysere",
                        "G\u00F6r nattvisning ljusare"), -1, "F12"));
    const TLanguageStrings extra = L("Additional chart viewer", "Extra kaartvenster",
                                     "Zus\u00E4tzliche Kartenansicht",
                                     "Fen\u00EAtre de carte suppl\u00E9mentaire",
                                     "Visor de carta adicional", "Visualizzatore carta aggiuntivo",
                                     "Ekstra kortvindue", "Extra sj\u00F6kortsf\u00F6nster");
    const struct { const char *name; TLanguageStrings caption; int image; const char *key; } rest[] = {
        {"ActionViewAISTargets", L("Show AIS targets", "AIS-doelen tonen", "AIS-Ziele zeigen",
                                   "Afficher les cibles AIS", "Mostrar blancos AIS",
                                   "Mostra bersagli AIS", "Vis AIS-m\u00E5l", "Visa AIS-m\u00E5l"), 39, nullptr},
        {"ActionViewAllChartBounds", L("Show all chart bounds", "Alle kaartgrenzen tonen",
                                       "Alle Kartengrenzen zeigen",
                                       "Afficher les limites de toutes les cartes",
                                       "Mostrar los l\u00EDmites de todas las cartas",
                                       "Mostra i limiti di tutte le carte",
                                       "Vis alle kortgr\u00E6nser",
                                       "Visa alla sj\u00F6kortsgr\u00E4nser"), 45, nullptr},
        {"ActionViewFTM", L("Show shipping notifications", "Berichten aan de scheepvaart tonen",
                            "Schifffahrtsmeldungen zeigen",
                            "Afficher les avis \u00E0 la batellerie",
                            "Mostrar avisos a la navegaci\u00F3n", "Mostra avvisi ai naviganti",
                            "Vis efterretninger for s\u00F8farende",
                            "Visa underr\u00E4ttelser f\u00F6r sj\u00F6farande"), 35, nullptr},
        {"ActionViewFTMAll", {}, -1, nullptr},
        {"ActionViewFTMSelectedOnly", {}, -1, nullptr},
        {"ActionViewFTMSections", {}, -1, nullptr},
        {"ActionViewIPHub", {}, -1, nullptr},
        {"ActionViewKNMIStations", L("Show KNMI weatherstations", "KNMI-weerstations tonen",
                                     "KNMI-Wetterstationen zeigen",
                                     "Afficher les stations m\u00E9t\u00E9o KNMI",
                                     "Mostrar estaciones meteorol\u00F3gicas KNMI",
                                     "Mostra stazioni meteo KNMI", "Vis KNMI-vejrstationer",
                                     "Visa KNMI-v\u00E4derstationer"), 36, nullptr},
        {"ActionViewToolbarAISAProgramming", L("AIS toolbar", "AIS-werkbalk", "AIS-Symbolleiste",
                                               "Barre d'outils AIS", "Barra de herramientas AIS",
                                               "Barra degli strumenti AIS",
                                               "AIS-v\u00E6rkt\u00F8jslinje",
                                               "AIS-verktygsf\u00E4lt"), -1, nullptr},
        {"ActionViewToolbarTime", L("Time control toolbar", "Tijdwerkbalk", "Zeitsteuerungsleiste",
                                    "Barre d'outils de contr\u00F4le du temps",
                                    "Barra de control de tiempo", "Barra di controllo del tempo",
                                    "Tidsstyringslinje", "Tidsstyrningsf\u00E4lt"), -1, nullptr},
        {"ActionViewVideoViewer1", {}, -1, nullptr},
        {"ActionViewVideoViewer2", {}, -1, nullptr},
        {"ActionViewVideoViewerSOAD", {}, 38, nullptr},
        {"ActionViewViewerExtra1", extra, -1, "Shift+F1"},
        {"ActionViewViewerExtra2", extra, -1, "Shift+F2"},
        {"ActionViewWindflag", {}, 34, nullptr},
        {"ActionViewWRM", L("Show water related messages", "Watergerelateerde berichten tonen",
                            "Gew\u00E4sserbezogene Meldungen zeigen",
                            "Afficher les messages relatifs aux eaux",
                            "Mostrar mensajes relativos a las aguas",
                            "Mostra messaggi relativi alle acque",
                            "Vis farvandsrelaterede meddelelser",
                            "Visa vattenrelaterade meddelanden"), 48, nullptr}};
    for (const auto &r : rest) {
        t.push_back(Quiet(r.name, c, r.caption, r.image, r.key));
        const std::string_view n = r.name;
        if (n == "ActionViewVideoViewerSOAD") t.back().AutoCheck = true;
        if (n == "ActionViewFTMAll" || n == "ActionViewFTMSelectedOnly") t.back().GroupIndex = 8;
    }
}

void AddWaypoints(std::vector<TActionRow> &t) {
    const char *c = "Waypoints";
    t.push_back(With(Row("ActionWaypointEdit", c, L("Edit waypoints", "Waypoints bewerken",
                                                    "Wegpunkte bearbeiten",
                                                    "Modifier les waypoints", "Editar waypoints",
                                                    "Modifica waypoint", "Rediger waypoints",
                                                    "Redigera waypoints"), MWpt),
                     nullptr, 6));
    t.push_back(With(Row("ActionWaypointStructures", c,
                         L("Show bridges and locks", "Bruggen en sluizen tonen",
                           "Br\u00FCcken und Schleusen zeigen",
                           "Afficher les ponts et \u00E9cluses", "Mostrar puentes y esclusas",
                           "Mostra ponti e chiuse", "Vis broer og sluser", "Visa broar och slussar"), MWpt),
                     nullptr, 28));
    t.push_back(Row("ActionWaypointTypeEdit", c,
                    L("Edit waypoint type", "Waypointtype bewerken", "Wegpunkttyp bearbeiten",
                      "Modifier le type de waypoint", "Editar tipo de waypoint",
                      "Modifica tipo di waypoint", "Rediger waypointtype", "Redigera waypointtyp"), MWpt, N::None, true));
    const TLanguageStrings mark = L("Mark position", "Positie markeren", "Position markieren",
                                    "Marquer la position", "Marcar posici\u00F3n",
                                    "Segna posizione", "Mark\u00E9r position", "Markera position");
    t.push_back(Hinted(Quiet("ActionWaypointMark", c, mark, 8, "Ctrl+M"), mark));
    const struct { const char *name; TLanguageStrings caption; } rest[] = {
        {"ActionWaypointMarkProperties", L("Mark properties", "Markeringseigenschappen",
                                           "Markierungseigenschaften",
                                           "Propri\u00E9t\u00E9s du marquage",
                                           "Propiedades de la marca", "Propriet\u00E0 del segno",
                                           "Markeringsegenskaber", "Markeringsegenskaper")},
        {"ActionWaypointTypeManager", L("Type manager", "Typebeheer", "Typverwaltung",
                                        "Gestionnaire de types", "Gestor de tipos", "Gestione tipi",
                                        "Typeh\u00E5ndtering", "Typhanterare")},
        {"ActionWaypointGroupManager", L("Group manager", "Groepbeheer", "Gruppenverwaltung",
                                         "Gestionnaire de groupes", "Gestor de grupos",
                                         "Gestione gruppi", "Gruppeh\u00E5ndtering",
                                         "Grupphanterare")},
        {"ActionWaypointFieldManager", L("Field manager", "Veldbeheer", "Feldverwaltung",
                                         "Gestionnaire de champs", "Gestor de campos",
                                         "Gestione campi", "Felth\u00E5ndtering",
                                         "F\u00E4lthanterare")},
        {"ActionWaypointManager", L("Waypoint manager", "Waypointbeheer", "Wegpunktverwaltung",
                                    "Gestionnaire de waypoints", "Gestor de waypoints",
                                    "Gestione waypoint", "Waypointh\u00E5ndtering",
                                    "Waypointhanterare")},
        {"ActionWaypointADACFilter", L("ADAC Marina guide filter", "ADAC-havengidsfilter",
                                       "ADAC-Marinaf\u00FChrer-Filter",
                                       "Filtre du guide des ports ADAC",
                                       "Filtro de la gu\u00EDa de puertos ADAC",
                                       "Filtro guida porti ADAC", "ADAC-havneguidefilter",
                                       "ADAC-hamnguidefilter")},
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
        {MFile, nullptr, L("&File", "&Bestand", "&Datei", "&Fichier", "&Archivo", "&File", "&Filer",
                           "&Arkiv"), false},
        {MFileProps, MFile, L("Properties", "Eigenschappen", "Eigenschaften",
                              "Propri\u00E9t\u00E9s", "Propiedades", "Propriet\u00E0", "Egenskaber",
                              "Egenskaper"), false},
        {MCharts, nullptr, L("&Charts", "&Kaarten", "&Karten", "&Cartes", "&Cartas", "&Carte",
                             "&S\u00F8kort", "&Sj\u00F6kort"), false},
        {MGPS, nullptr, L("GPS", "GPS", "GPS", "GPS", "GPS", "GPS", "GPS", "GPS"), false},
        {MNav, nullptr, L("&Navigation", "&Navigatie", "&Navigation", "&Navigation",
                          "&Navegaci\u00F3n", "&Navigazione", "&Navigation", "&Navigering"), false},
        {MWpt, nullptr, L("&Waypoints", "&Waypoints", "&Wegpunkte", "&Waypoints", "&Waypoints",
                          "&Waypoint", "&Waypoints", "&Waypoints"), false},
        {MRoutes, nullptr, L("&Routes", "&Routes", "&Routen", "&Itin\u00E9raires", "&Rutas",
                             "&Rotte", "&Ruter", "&Rutter"), false},
        {MTracks, nullptr, L("&Tracks", "&Tracks", "&Tracks", "&Traces", "&Tracks", "&Tracce",
                             "S&por", "S&p\u00E5r"), false},
        {MLog, nullptr, L("&Logbook", "&Logboek", "&Logbuch", "&Journal de bord",
                          "Cuaderno de &bit\u00E1cora", "&Giornale di bordo", "&Logbog",
                          "&Loggbok"), true},
        {MS57, nullptr, L("S57", "S57", "S57", "S57", "S57", "S57", "S57", "S57"), true},
        {MS57Colors, MS57, L("Color scheme", "Kleurenschema", "Farbschema", "Jeu de couleurs",
                             "Esquema de colores", "Schema colori", "Farveskema", "F\u00E4rgschema"), false},
        {MS57Cat, MS57, L("Display category", "Weergavecategorie", "Anzeigekategorie",
                          "Cat\u00E9gorie d'affichage", "Categor\u00EDa de visualizaci\u00F3n",
                          "Categoria di visualizzazione", "Visningskategori", "Visningskategori"), true},
        {MView, nullptr, L("&View", "Beel&d", "&Ansicht", "&Affichage", "&Ver", "&Visualizza",
                           "&Vis", "&Visa"), false},
        {MHelp, nullptr, L("&Help", "&Help", "&Hilfe", "Ai&de", "A&yuda", "Gu&ida", "&Hj\u00E6lp",
                           "&Hj\u00E4lp"), false}};
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

const TLanguageStrings SKeyboardTitle = L("Keyboard shortcuts", "Sneltoetsen",
                                          "Tastenkombinationen", "Raccourcis clavier",
                                          "Atajos de teclado", "Scorciatoie da tastiera",
                                          "Tastaturgenveje", "Kortkommandon");
const TLanguageStrings SKeyboardMenu = L("Menu", "Menu", "Men\u00FC", "Menu", "Men\u00FA", "Menu",
                                         "Menu", "Meny");
const TLanguageStrings SKeyboardCommand = L("Command", "Opdracht", "Befehl", "Commande", "Comando",
                                            "Comando", "Kommando", "Kommando");
const TLanguageStrings SKeyboardKey = L("Key", "Toets", "Taste", "Touche", "Tecla", "Tasto", "Tast",
                                        "Tangent");

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
