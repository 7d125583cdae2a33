#include "chartview/FraViewerTexts.h"

namespace ViewerText {
const TLanguageStrings GPSTracking = {"GPS tracking", "GPS volgen", "GPS-Verfolgung", "Suivi GPS",
                                      "Seguimiento GPS", "Inseguimento GPS", "GPS-sporing",
                                      "GPS-följning"};
const TLanguageStrings LockAt100 = {"Lock at 100%", "Vastzetten op 100%", "Bei 100% sperren",
                                    "Verrouiller à 100%", "Bloquear al 100%", "Blocca al 100%",
                                    "Lås ved 100%", "Lås vid 100%"};
const TLanguageStrings NorthUpTracking = {"North Up tracking", "Volgen met noord boven",
                                          "Verfolgung Nord oben", "Suivi nord en haut",
                                          "Seguimiento norte arriba", "Inseguimento nord in alto",
                                          "Sporing nord op", "Följning norr upp"};
const TLanguageStrings AutoCursorPosition = {
    "Automatic cursor position", "Automatische cursorpositie", "Automatische Cursorposition",
    "Position automatique du curseur", "Posición automática del cursor",
    "Posizione automatica del cursore", "Automatisk markørposition", "Automatisk markörposition"};
const TLanguageStrings ZoomIn = {"Zoom in", "Inzoomen", "Vergrößern", "Zoom avant", "Acercar",
                                 "Ingrandisci", "Zoom ind", "Zooma in"};
const TLanguageStrings ZoomOutHint = {"Zoom Out", "Uitzoomen", "Verkleinern", "Zoom arrière",
                                      "Alejar", "Riduci", "Zoom ud", "Zooma ut"};
const TLanguageStrings DistanceCircles = {"Distance circles", "Afstandscirkels",
                                          "Entfernungskreise", "Cercles de distance",
                                          "Círculos de distancia", "Cerchi di distanza",
                                          "Afstandscirkler", "Avståndscirklar"};
const TLanguageStrings SelectChart = {"Select chart", "Selecteer kaart", "Karte auswählen",
                                      "Sélectionner une carte", "Seleccionar carta",
                                      "Seleziona carta", "Vælg kort", "Välj sjökort"};
const TLanguageStrings ChartManager = {"Chart manager...", "Kaartbeheer...", "Kartenverwaltung...",
                                       "Gestionnaire de cartes...", "Gestor de cartas...",
                                       "Gestione carte...", "Korthåndtering...",
                                       "Sjökortshanterare..."};
const TLanguageStrings S57PickReport = {"Use S57 pick report", "S57-objectinformatie gebruiken",
                                        "S57-Objektbericht verwenden",
                                        "Utiliser le rapport d'objet S57",
                                        "Usar informe de objetos S57",
                                        "Usa il rapporto oggetti S57", "Brug S57-objektrapport",
                                        "Använd S57-objektrapport"};
const TLanguageStrings DisplayCategory = {"Display category", "Weergavecategorie",
                                          "Anzeigekategorie", "Catégorie d'affichage",
                                          "Categoría de visualización",
                                          "Categoria di visualizzazione", "Visningskategori",
                                          "Visningskategori"};
const TLanguageStrings S57SCAMIN = {"Use scale filter (SCAMIN)", "Schaalfilter gebruiken (SCAMIN)",
                                    "Maßstabsfilter verwenden (SCAMIN)",
                                    "Utiliser le filtre d'échelle (SCAMIN)",
                                    "Usar filtro de escala (SCAMIN)",
                                    "Usa filtro di scala (SCAMIN)", "Brug skalafilter (SCAMIN)",
                                    "Använd skalfilter (SCAMIN)"};
const TLanguageStrings S57Labels = {"Show S57 labels", "S57-labels tonen", "S57-Beschriftungen zeigen",
                                    "Afficher les étiquettes S57", "Mostrar etiquetas S57",
                                    "Mostra etichette S57", "Vis S57-etiketter",
                                    "Visa S57-etiketter"};
const TLanguageStrings S57Soundings = {"Show S57 soundings", "S57-dieptecijfers tonen",
                                       "S57-Lotungen zeigen", "Afficher les sondes S57",
                                       "Mostrar sondas S57", "Mostra scandagli S57",
                                       "Vis S57-lodskud", "Visa S57-lodningar"};
const TLanguageStrings S57NoticeMarks = {"Show IENC notice marks", "IENC-verkeerstekens tonen",
                                         "IENC-Schifffahrtszeichen zeigen",
                                         "Afficher les signaux IENC", "Mostrar señales IENC",
                                         "Mostra segnali IENC", "Vis IENC-skilte",
                                         "Visa IENC-skyltar"};
const TLanguageStrings S57bENCs = {"Show bENC's", "bENC's tonen", "bENCs zeigen",
                                   "Afficher les bENC", "Mostrar bENC", "Mostra bENC",
                                   "Vis bENC'er", "Visa bENC:er"};
const TLanguageStrings WaterLevelOffset = {"Set water level offset", "Waterstandcorrectie instellen",
                                           "Wasserstandskorrektur einstellen",
                                           "Régler la correction du niveau d'eau",
                                           "Ajustar corrección del nivel de agua",
                                           "Imposta correzione livello acqua",
                                           "Indstil vandstandskorrektion",
                                           "Ställ in vattenståndskorrigering"};
const TLanguageStrings DisplayCategoryMessage = {
    "Display category %s", "Weergavecategorie %s", "Anzeigekategorie %s",
    "Catégorie d'affichage %s", "Categoría de visualización %s",
    "Categoria di visualizzazione %s", "Visningskategori %s", "Visningskategori %s"};
const TLanguageStrings PutChartUpright = {"Put chart upright", "Kaart rechtop zetten",
                                          "Karte aufrecht stellen", "Redresser la carte",
                                          "Poner la carta derecha", "Raddrizza la carta",
                                          "Sæt kortet lige", "Räta upp sjökortet"};
const TLanguageStrings HideChartBorder = {"Hide chart border", "Kaartrand verbergen",
                                          "Kartenrand ausblenden", "Masquer le bord de la carte",
                                          "Ocultar borde de la carta", "Nascondi bordo carta",
                                          "Skjul kortkant", "Dölj sjökortskant"};
const TLanguageStrings ShowChartBorder = {"Show chart border", "Kaartrand tonen",
                                          "Kartenrand zeigen", "Afficher le bord de la carte",
                                          "Mostrar borde de la carta", "Mostra bordo carta",
                                          "Vis kortkant", "Visa sjökortskant"};
const TLanguageStrings FindGPSPosition = {"Find GPS position", "GPS-positie zoeken",
                                          "GPS-Position suchen", "Trouver la position GPS",
                                          "Buscar posición GPS", "Trova posizione GPS",
                                          "Find GPS-position", "Hitta GPS-position"};
const TLanguageStrings SetGPSPosition = {"Set GPS position", "GPS-positie instellen",
                                         "GPS-Position setzen", "Définir la position GPS",
                                         "Fijar posición GPS", "Imposta posizione GPS",
                                         "Sæt GPS-position", "Ange GPS-position"};
const TLanguageStrings SetGPSTrackingPosition = {
    "Set GPS tracking position", "GPS-volgpositie instellen", "GPS-Verfolgungsposition setzen",
    "Définir la position de suivi GPS", "Fijar posición de seguimiento GPS",
    "Imposta posizione di inseguimento GPS", "Sæt GPS-sporingsposition",
    "Ange GPS-följningsposition"};
const TLanguageStrings ResetChartOrder = {"Reset chart order", "Kaartvolgorde herstellen",
                                          "Kartenreihenfolge zurücksetzen",
                                          "Réinitialiser l'ordre des cartes",
                                          "Restablecer orden de cartas",
                                          "Ripristina ordine delle carte",
                                          "Nulstil kortrækkefølge", "Återställ sjökortsordning"};
const TLanguageStrings SendToBack = {"Send to back", "Naar achteren", "Nach hinten",
                                     "Mettre à l'arrière-plan", "Enviar al fondo",
                                     "Porta in fondo", "Send bagerst", "Lägg längst bak"};
const TLanguageStrings ZoomTo100 = {"Zoom to 100%", "Zoomen naar 100%", "Auf 100% zoomen",
                                    "Zoom à 100%", "Zoom al 100%", "Zoom al 100%",
                                    "Zoom til 100%", "Zooma till 100%"};
const TLanguageStrings ClearDistance = {"Clear distance calculation", "Afstandsberekening wissen",
                                        "Entfernungsberechnung löschen",
                                        "Effacer le calcul de distance",
                                        "Borrar cálculo de distancia",
                                        "Cancella calcolo distanza", "Ryd afstandsberegning",
                                        "Rensa avståndsberäkning"};
const TLanguageStrings DeleteDistancePoint = {
    "Delete distance calculation point", "Punt van afstandsberekening verwijderen",
    "Punkt der Entfernungsberechnung löschen", "Supprimer le point du calcul de distance",
    "Eliminar punto del cálculo de distancia", "Elimina punto del calcolo distanza",
    "Slet afstandsberegningspunkt", "Ta bort avståndsberäkningspunkt"};
const TLanguageStrings NavigateToMouse = {"Navigate to mouse position", "Navigeer naar muispositie",
                                          "Zur Mausposition navigieren",
                                          "Naviguer vers la position de la souris",
                                          "Navegar a la posición del ratón",
                                          "Naviga alla posizione del mouse",
                                          "Naviger til musens position",
                                          "Navigera till muspositionen"};
const TLanguageStrings DeleteAlarmZone = {"Delete alarm zone", "Alarmzone verwijderen",
                                          "Alarmzone löschen", "Supprimer la zone d'alarme",
                                          "Eliminar zona de alarma", "Elimina zona di allarme",
                                          "Slet alarmzone", "Ta bort larmzon"};
const TLanguageStrings StopRoute = {"Stop current route", "Huidige route stoppen",
                                    "Aktuelle Route beenden", "Arrêter la route actuelle",
                                    "Detener la ruta actual", "Interrompi la rotta attuale",
                                    "Stop aktuel rute", "Stoppa aktuell rutt"};
const TLanguageStrings DeleteRoute = {"Delete route...", "Route verwijderen...", "Route löschen...",
                                      "Supprimer la route...", "Eliminar ruta...",
                                      "Elimina rotta...", "Slet rute...", "Ta bort rutt..."};
const TLanguageStrings EditRoute = {"Edit route...", "Route bewerken...", "Route bearbeiten...",
                                    "Modifier la route...", "Editar ruta...", "Modifica rotta...",
                                    "Rediger rute...", "Redigera rutt..."};
const TLanguageStrings NewRoute = {"New route at mouse position", "Nieuwe route op muispositie",
                                   "Neue Route an Mausposition",
                                   "Nouvelle route à la position de la souris",
                                   "Nueva ruta en la posición del ratón",
                                   "Nuova rotta alla posizione del mouse",
                                   "Ny rute ved musens position", "Ny rutt vid muspositionen"};
const TLanguageStrings DeleteRoutePoint = {"Delete route point...", "Routepunt verwijderen...",
                                           "Routenpunkt löschen...",
                                           "Supprimer le point de route...",
                                           "Eliminar punto de ruta...",
                                           "Elimina punto di rotta...", "Slet rutepunkt...",
                                           "Ta bort ruttpunkt..."};
const TLanguageStrings RoutePointSettings = {
    "Route point settings...", "Routepuntinstellingen...", "Routenpunkt-Einstellungen...",
    "Paramètres du point de route...", "Ajustes del punto de ruta...",
    "Impostazioni punto di rotta...", "Rutepunktindstillinger...", "Ruttpunktsinställningar..."};
const TLanguageStrings NavigateToRoutePoint = {
    "Navigate to route point", "Navigeer naar routepunt", "Zum Routenpunkt navigieren",
    "Naviguer vers le point de route", "Navegar al punto de ruta",
    "Naviga al punto di rotta", "Naviger til rutepunkt", "Navigera till ruttpunkt"};
const TLanguageStrings StartRoute = {"Start route", "Route starten", "Route starten",
                                     "Démarrer la route", "Iniciar ruta", "Avvia rotta",
                                     "Start rute", "Starta rutt"};
const TLanguageStrings DeleteWaypoint = {"Delete waypoint...", "Waypoint verwijderen...",
                                         "Wegpunkt löschen...", "Supprimer le waypoint...",
                                         "Eliminar waypoint...", "Elimina waypoint...",
                                         "Slet waypoint...", "Ta bort waypoint..."};
const TLanguageStrings EditWaypoint = {"Edit waypoint...", "Waypoint bewerken...",
                                       "Wegpunkt bearbeiten...", "Modifier le waypoint...",
                                       "Editar waypoint...", "Modifica waypoint...",
                                       "Rediger waypoint...", "Redigera waypoint..."};
const TLanguageStrings NavigateToWaypoint = {"Navigate to waypoint", "Navigeer naar waypoint",
                                             "Zum Wegpunkt navigieren",
                                             "Naviguer vers le waypoint", "Navegar al waypoint",
                                             "Naviga al waypoint", "Naviger til waypoint",
                                             "Navigera till waypoint"};
const TLanguageStrings NewWaypoint = {"New waypoint at mouse position",
                                      "Nieuw waypoint op muispositie",
                                      "Neuer Wegpunkt an Mausposition",
                                      "Nouveau waypoint à la position de la souris",
                                      "Nuevo waypoint en la posición del ratón",
                                      "Nuovo waypoint alla posizione del mouse",
                                      "Nyt waypoint ved musens position",
                                      "Ny waypoint vid muspositionen"};
const TLanguageStrings Properties = {"Properties...", "Eigenschappen...", "Eigenschaften...",
                                     "Propriétés...", "Propiedades...", "Proprietà...",
                                     "Egenskaber...", "Egenskaper..."};
const TLanguageStrings BringToFront = {"Bring to front", "Naar voren", "Nach vorne",
                                       "Mettre au premier plan", "Traer al frente",
                                       "Porta in primo piano", "Flyt forrest", "Lägg längst fram"};
const TLanguageStrings HideChart = {"Hide chart", "Kaart verbergen", "Karte ausblenden",
                                    "Masquer la carte", "Ocultar carta", "Nascondi carta",
                                    "Skjul kort", "Dölj sjökort"};
const TLanguageStrings Route = {"Route", "Route", "Route", "Route", "Ruta", "Rotta", "Rute",
                                "Rutt"};
const TLanguageStrings Waypoint = {"Waypoint", "Waypoint", "Wegpunkt", "Waypoint", "Waypoint",
                                   "Waypoint", "Waypoint", "Waypoint"};
const TLanguageStrings GPS = {"GPS", "GPS", "GPS", "GPS", "GPS", "GPS", "GPS", "GPS"};
const TLanguageStrings ConfirmDeleteWaypoint = {
    "Are you sure you want to delete waypoint '%s'?",
    "Weet u zeker dat u waypoint '%s' wilt verwijderen?",
    "Möchten Sie den Wegpunkt '%s' wirklich löschen?",
    "Voulez-vous vraiment supprimer le waypoint '%s' ?",
    "¿Seguro que desea eliminar el waypoint '%s'?",
    "Eliminare davvero il waypoint '%s'?", "Vil du slette waypoint '%s'?",
    "Vill du ta bort waypoint '%s'?"};
const TLanguageStrings CannotDeleteWaypoint = {
    "Cannot delete the waypoint.\r\n\r\n%s", "Kan het waypoint niet verwijderen.\r\n\r\n%s",
    "Der Wegpunkt kann nicht gelöscht werden.\r\n\r\n%s",
    "Impossible de supprimer le waypoint.\r\n\r\n%s",
    "No se puede eliminar el waypoint.\r\n\r\n%s",
    "Impossibile eliminare il waypoint.\r\n\r\n%s", "Kan ikke slette waypointet.\r\n\r\n%s",
    "Det går inte att ta bort waypointen.\r\n\r\n%s"};
}  // namespace ViewerText
