// The main window's user-arranged main toolbar: the items it may show, the default set,
// loading the stored buttons and storing them after the editor.
#include "shell/FrmMarivo6Main.h"

#include "shell/KvToolBarUtils.h"

#include <QToolBar>

namespace {

const QString KeyToolbarContents = QStringLiteral("Toolbars\\ToolbarMain");

const TLanguageStrings CatGeneral = {"General", "Algemeen", "Allgemein", "Général",
                                     "General", "Generale", "Generelt",  "Allmänt"};
const TLanguageStrings CatInstruments = {"Instruments", "Instrumenten", "Instrumente", "Instruments",
                                         "Instrumentos", "Strumenti",   "Instrumenter", "Instrument"};
const TLanguageStrings CatLogbook = {"Logbook",  "Logboek",  "Logbuch",  "Journal de bord",
                                     "Cuaderno de bitácora", "Giornale di bordo", "Logbog", "Loggbok"};
const TLanguageStrings CatNavigation = {"Navigation", "Navigatie",   "Navigation", "Navigation",
                                        "Navegación", "Navigazione", "Navigation", "Navigering"};
const TLanguageStrings CatRoutes = {"Routes", "Routes", "Routen", "Routes",
                                    "Rutas",  "Rotte",  "Ruter",  "Rutter"};
const TLanguageStrings CatWaypoints = {"Waypoints", "Waypoints", "Wegpunkte", "Points de route",
                                       "Waypoints", "Waypoint",  "Waypoints", "Waypoints"};
const TLanguageStrings CatTrack = {"Track", "Track", "Track", "Trace", "Traza", "Traccia", "Spor", "Spår"};
const TLanguageStrings CatNetwork = {"Waterway network", "Vaarwegennet",     "Wasserstraßennetz",
                                     "Réseau fluvial",   "Red de vías navegables", "Rete idroviaria",
                                     "Vandvejsnet",      "Farledsnät"};

struct TAvailableItem {
    const char *Action;
    TLanguageStrings Caption;
    const TLanguageStrings *Category;
};

// In the order the editor receives them.
const TAvailableItem AvailableItems[] = {
    {"ActionViewFind", {"Search", "Zoeken", "Suchen", "Rechercher", "Buscar", "Cerca", "Søg", "Sök"}, &CatGeneral},
    {"ActionHelpContents", {"Contents", "Inhoud", "Inhalt", "Sommaire", "Contenido", "Sommario", "Indhold", "Innehåll"}, &CatGeneral},
    {"ActionInstrumentsCommunication",
     {"Communication", "Communicatie", "Kommunikation", "Communication", "Comunicación", "Comunicazione",
      "Kommunikation", "Kommunikation"},
     &CatInstruments},
    {"ActionLogbookActiveStart",
     {"Start automatic logging", "Automatisch loggen starten", "Automatische Aufzeichnung starten",
      "Démarrer la journalisation automatique", "Iniciar registro automático", "Avvia registrazione automatica",
      "Start automatisk logning", "Starta automatisk loggning"},
     &CatLogbook},
    {"ActionLogbookActiveStop",
     {"Stop automatic logging", "Automatisch loggen stoppen", "Automatische Aufzeichnung beenden",
      "Arrêter la journalisation automatique", "Detener registro automático", "Ferma registrazione automatica",
      "Stop automatisk logning", "Stoppa automatisk loggning"},
     &CatLogbook},
    {"ActionNavigationInformation",
     {"Route explorer", "Routeverkenner", "Routen-Explorer", "Explorateur d'itinéraires", "Explorador de rutas",
      "Esplora rotte", "Ruteoversigt", "Ruttutforskare"},
     &CatNavigation},
    {"ActionRouteEdit",
     {"Edit route", "Route bewerken", "Route bearbeiten", "Modifier la route", "Editar ruta", "Modifica rotta",
      "Rediger rute", "Redigera rutt"},
     &CatRoutes},
    {"ActionRouteStart",
     {"Start selected route", "Geselecteerde route starten", "Ausgewählte Route starten",
      "Démarrer la route sélectionnée", "Iniciar ruta seleccionada", "Avvia rotta selezionata",
      "Start valgt rute", "Starta vald rutt"},
     &CatRoutes},
    {"ActionRouteNavigateTo",
     {"Route planner", "Routeplanner", "Routenplaner", "Planificateur de route", "Planificador de rutas",
      "Pianificatore di rotta", "Ruteplanlægger", "Ruttplanerare"},
     &CatRoutes},
    {"ActionWaypointStructures",
     {"Show bridges and locks", "Bruggen en sluizen tonen", "Brücken und Schleusen anzeigen",
      "Afficher ponts et écluses", "Mostrar puentes y esclusas", "Mostra ponti e chiuse",
      "Vis broer og sluser", "Visa broar och slussar"},
     &CatWaypoints},
    {"ActionRouteExplore",
     {"Explore routes", "Routes verkennen", "Routen erkunden", "Explorer les routes", "Explorar rutas",
      "Esplora rotte", "Udforsk ruter", "Utforska rutter"},
     &CatRoutes},
    {"ActionViewRoutes",
     {"Show routes", "Routes tonen", "Routen anzeigen", "Afficher les routes", "Mostrar rutas", "Mostra rotte",
      "Vis ruter", "Visa rutter"},
     &CatRoutes},
    {"ActionViewTracks",
     {"Show tracks", "Tracks tonen", "Tracks anzeigen", "Afficher les traces", "Mostrar trazas", "Mostra tracce",
      "Vis spor", "Visa spår"},
     &CatTrack},
    {"ActionViewWaypoints",
     {"Show waypoints", "Waypoints tonen", "Wegpunkte anzeigen", "Afficher les points de route",
      "Mostrar waypoints", "Mostra waypoint", "Vis waypoints", "Visa waypoints"},
     &CatWaypoints},
    {"ActionViewWaypointLabels",
     {"Show waypoint name labels", "Namen van waypoints tonen", "Wegpunktnamen anzeigen",
      "Afficher les noms des points de route", "Mostrar nombres de waypoints", "Mostra nomi dei waypoint",
      "Vis navne på waypoints", "Visa namn på waypoints"},
     &CatWaypoints},
    {"ActionViewRouteNetwork",
     {"Show waterways", "Vaarwegen tonen", "Wasserstraßen anzeigen", "Afficher les voies navigables",
      "Mostrar vías navegables", "Mostra idrovie", "Vis vandveje", "Visa farleder"},
     &CatNetwork},
    {"ActionSound", {"Sound", "Geluid", "Ton", "Son", "Sonido", "Suono", "Lyd", "Ljud"}, &CatGeneral},
    {"ActionWaypointEdit",
     {"Edit waypoints", "Waypoints bewerken", "Wegpunkte bearbeiten", "Modifier les points de route",
      "Editar waypoints", "Modifica waypoint", "Rediger waypoints", "Redigera waypoints"},
     &CatWaypoints},
};

// nullptr: a separator. Entries that are no available item are skipped.
const char *const DefaultToolbar[] = {
    "ActionInstrumentsCommunication", "ActionNavigationInformation", nullptr, "ActionRouteNavigateTo", nullptr,
    "ActionWaypointEdit", "ActionRouteEdit", "ActionRouteStart", nullptr, "ActionViewMainTide", nullptr,
    "ActionViewWaypoints", "ActionViewWaypointLabels", "ActionViewRouteNetwork", "ActionWaypointStructures",
    "ActionViewBlauweGolf", nullptr, "ActionSound", nullptr, "ActionViewFind", "ActionHelpContents"};

const TLanguageStrings TextDefaultToolbar = {
    "Default toolbar", "Standaardwerkbalk", "Standardsymbolleiste", "Barre d'outils par défaut",
    "Barra de herramientas predeterminada", "Barra degli strumenti predefinita", "Standardværktøjslinje",
    "Standardverktygsfält"};

}  // namespace

void TFormMarivo6Main::InitToolbars() {
    FToolbarContents = std::make_unique<TToolbarContents>(ToolbarMain);
    TToolbarItemList &all = FToolbarContents->All;
    for (const TAvailableItem &item : AvailableItems)
        if (QAction *action = Action(item.Action)) all.AddAction(action, item.Caption, *item.Category);
    TToolbarItemList *defaults = FToolbarContents->AddSet();
    defaults->Name = TextDefaultToolbar;
    for (const char *name : DefaultToolbar) {
        QAction *action = name ? Action(name) : nullptr;
        defaults->Add(!name ? all.Separator() : action ? all.FindByAction(action) : nullptr);
    }
}

void TFormMarivo6Main::LoadToolbarContents() {
    if (FToolbarContents) FToolbarContents->Load(KeyToolbarContents);
}

void TFormMarivo6Main::EditToolbar() {
    if (!FToolbarContents || !FDialogs.ToolbarEdit(this, *FToolbarContents)) return;
    FToolbarContents->Store(KeyToolbarContents);
}
