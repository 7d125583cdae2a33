// One table per text: English, Dutch, German, French, Spanish (empty: English is shown),
// Italian, Danish, Swedish. Keep "%1"/"%2" and the line breaks in every language.
#include "shell/MarivoNavEnvTexts.h"

namespace NavEnvText {

const TLanguageStrings ReadingNetwork = {
    "Reading waterway network", /*nl*/ "Vaarwegennetwerk inlezen",
    /*de*/ "Wasserstra\u00DFennetz wird gelesen", /*fr*/ "Lecture du r\u00E9seau navigable",
    /*es*/ "", /*it*/ "Lettura della rete idroviaria", /*da*/ "Vandvejsnettet indl\u00E6ses",
    /*sv*/ "Vattenv\u00E4gsn\u00E4tet l\u00E4ses in"};
const TLanguageStrings NetworkNotLoaded = {
    "The waterway network could not be loaded: ",
    /*nl*/ "Het vaarwegennetwerk kon niet worden geladen: ",
    /*de*/ "Das Wasserstra\u00DFennetz konnte nicht geladen werden: ",
    /*fr*/ "Le r\u00E9seau navigable n'a pas pu \u00EAtre charg\u00E9 : ",
    /*es*/ "", /*it*/ "Impossibile caricare la rete idroviaria: ",
    /*da*/ "Vandvejsnettet kunne ikke indl\u00E6ses: ",
    /*sv*/ "Vattenv\u00E4gsn\u00E4tet kunde inte l\u00E4sas in: "};
const TLanguageStrings FolderMessage = {
    "Folder: \"%1\".", /*nl*/ "Map: \"%1\".", /*de*/ "Ordner: \"%1\".",
    /*fr*/ "Dossier : \"%1\".", /*es*/ "", /*it*/ "Cartella: \"%1\".", /*da*/ "Mappe: \"%1\".",
    /*sv*/ "Mapp: \"%1\"."};
const TLanguageStrings FileMessage = {
    "File: \"%1\".", /*nl*/ "Bestand: \"%1\".", /*de*/ "Datei: \"%1\".",
    /*fr*/ "Fichier : \"%1\".", /*es*/ "", /*it*/ "File: \"%1\".", /*da*/ "Fil: \"%1\".",
    /*sv*/ "Fil: \"%1\"."};
const TLanguageStrings ReinstallHint = {
    "Reinstalling the application may fix the problem.",
    /*nl*/ "Het opnieuw installeren van de applicatie kan het probleem verhelpen.",
    /*de*/ "Eine Neuinstallation der Anwendung kann das Problem beheben.",
    /*fr*/ "R\u00E9installer l'application peut r\u00E9soudre le probl\u00E8me.",
    /*es*/ "", /*it*/ "Reinstallare l'applicazione pu\u00F2 risolvere il problema.",
    /*da*/ "Geninstallation af programmet kan m\u00E5ske l\u00F8se problemet.",
    /*sv*/ "Att installera om programmet kan l\u00F6sa problemet."};
const TLanguageStrings CheckingChartManager = {
    "Checking MRC Manager...", /*nl*/ "MRC Manager controleren...",
    /*de*/ "MRC Manager wird gepr\u00FCft...", /*fr*/ "V\u00E9rification de MRC Manager...",
    /*es*/ "", /*it*/ "Verifica di MRC Manager...", /*da*/ "MRC Manager kontrolleres...",
    /*sv*/ "MRC Manager kontrolleras..."};
const TLanguageStrings ReadingCharts = {
    "Reading charts", /*nl*/ "Kaarten inlezen", /*de*/ "Karten werden gelesen",
    /*fr*/ "Lecture des cartes", /*es*/ "", /*it*/ "Lettura delle carte",
    /*da*/ "S\u00F8kort indl\u00E6ses", /*sv*/ "Sj\u00F6kort l\u00E4ses in"};
const TLanguageStrings OptimizingCharts = {
    "Optimizing charts", /*nl*/ "Kaarten optimaliseren", /*de*/ "Karten werden optimiert",
    /*fr*/ "Optimisation des cartes", /*es*/ "", /*it*/ "Ottimizzazione delle carte",
    /*da*/ "S\u00F8kort optimeres", /*sv*/ "Sj\u00F6kort optimeras"};
const TLanguageStrings ReadingChartData = {
    "Reading charts performance data", /*nl*/ "Prestatiegegevens van kaarten inlezen",
    /*de*/ "Leistungsdaten der Karten werden gelesen",
    /*fr*/ "Lecture des donn\u00E9es de performance des cartes", /*es*/ "",
    /*it*/ "Lettura dei dati di prestazione delle carte",
    /*da*/ "S\u00F8kortenes ydelsesdata indl\u00E6ses",
    /*sv*/ "Sj\u00F6kortens prestandadata l\u00E4ses in"};
const TLanguageStrings OptimizingChartData = {
    "Optimize charts performance data", /*nl*/ "Prestatiegegevens van kaarten optimaliseren",
    /*de*/ "Leistungsdaten der Karten optimieren",
    /*fr*/ "Optimiser les donn\u00E9es de performance des cartes", /*es*/ "",
    /*it*/ "Ottimizzare i dati di prestazione delle carte",
    /*da*/ "Optimer s\u00F8kortenes ydelsesdata", /*sv*/ "Optimera sj\u00F6kortens prestandadata"};
const TLanguageStrings ReadingWaypointDatabases = {
    "Reading waypoint databases", /*nl*/ "Waypointdatabases inlezen",
    /*de*/ "Wegpunktdatenbanken werden gelesen",
    /*fr*/ "Lecture des bases de donn\u00E9es de waypoints", /*es*/ "",
    /*it*/ "Lettura dei database dei waypoint", /*da*/ "Waypointdatabaser indl\u00E6ses",
    /*sv*/ "Waypointdatabaser l\u00E4ses in"};
const TLanguageStrings ReadingSounds = {
    "Reading sound files", /*nl*/ "Geluidsbestanden inlezen",
    /*de*/ "Tondateien werden gelesen", /*fr*/ "Lecture des fichiers son", /*es*/ "",
    /*it*/ "Lettura dei file audio", /*da*/ "Lydfiler indl\u00E6ses",
    /*sv*/ "Ljudfiler l\u00E4ses in"};
const TLanguageStrings InitializingObjects = {
    "Initializing objects", /*nl*/ "Objecten initialiseren",
    /*de*/ "Objekte werden initialisiert", /*fr*/ "Initialisation des objets", /*es*/ "",
    /*it*/ "Inizializzazione degli oggetti", /*da*/ "Objekter initialiseres",
    /*sv*/ "Objekt initieras"};
const TLanguageStrings WaypointManagerFailed = {
    "Cannot create the waypoint manager.", /*nl*/ "Kan de waypointbeheerder niet aanmaken.",
    /*de*/ "Die Wegpunktverwaltung kann nicht erstellt werden.",
    /*fr*/ "Impossible de cr\u00E9er le gestionnaire de waypoints.", /*es*/ "",
    /*it*/ "Impossibile creare il gestore dei waypoint.",
    /*da*/ "Waypointstyringen kan ikke oprettes.",
    /*sv*/ "Waypointhanteraren kan inte skapas."};
const TLanguageStrings DatabaseNotLoaded = {
    "The waypoint database could not be loaded due to an error: \"%1\".",
    /*nl*/ "De waypointdatabase kon niet worden geladen vanwege een fout: \"%1\".",
    /*de*/ "Die Wegpunktdatenbank konnte wegen eines Fehlers nicht geladen werden: \"%1\".",
    /*fr*/
    "La base de donn\u00E9es de waypoints n'a pas pu \u00EAtre charg\u00E9e \u00E0 cause "
    "d'une erreur : \"%1\".",
    /*es*/ "",
    /*it*/ "Impossibile caricare il database dei waypoint a causa di un errore: \"%1\".",
    /*da*/ "Waypointdatabasen kunne ikke indl\u00E6ses p\u00E5 grund af en fejl: \"%1\".",
    /*sv*/ "Waypointdatabasen kunde inte l\u00E4sas in p\u00E5 grund av ett fel: \"%1\"."};
const TLanguageStrings DatabaseRenamed = {
    "The erroneous database has been renamed to \"%1\".",
    /*nl*/ "De foutieve database is hernoemd naar \"%1\".",
    /*de*/ "Die fehlerhafte Datenbank wurde in \"%1\" umbenannt.",
    /*fr*/ "La base de donn\u00E9es erron\u00E9e a \u00E9t\u00E9 renomm\u00E9e en \"%1\".",
    /*es*/ "", /*it*/ "Il database errato \u00E8 stato rinominato in \"%1\".",
    /*da*/ "Den fejlbeh\u00E6ftede database er omd\u00F8bt til \"%1\".",
    /*sv*/ "Den felaktiga databasen har bytt namn till \"%1\"."};
const TLanguageStrings EmptyDatabaseLoaded = {
    "An empty database will be loaded.", /*nl*/ "Er wordt een lege database geladen.",
    /*de*/ "Eine leere Datenbank wird geladen.",
    /*fr*/ "Une base de donn\u00E9es vide sera charg\u00E9e.", /*es*/ "",
    /*it*/ "Verr\u00E0 caricato un database vuoto.", /*da*/ "En tom database indl\u00E6ses.",
    /*sv*/ "En tom databas l\u00E4ses in."};
const TLanguageStrings BackupLoaded = {
    "A previously stored backup was found and has been loaded. Note that recently added data "
    "may be lost.",
    /*nl*/
    "Er is een eerder opgeslagen back-up gevonden en geladen. Recent toegevoegde gegevens "
    "kunnen verloren zijn gegangen.",
    /*de*/
    "Eine fr\u00FCher gespeicherte Sicherung wurde gefunden und geladen. K\u00FCrzlich "
    "hinzugef\u00FCgte Daten k\u00F6nnen verloren sein.",
    /*fr*/
    "Une sauvegarde enregistr\u00E9e pr\u00E9c\u00E9demment a \u00E9t\u00E9 trouv\u00E9e et "
    "charg\u00E9e. Les donn\u00E9es ajout\u00E9es r\u00E9cemment peuvent \u00EAtre perdues.",
    /*es*/ "",
    /*it*/
    "\u00C8 stato trovato e caricato un backup salvato in precedenza. I dati aggiunti di "
    "recente potrebbero essere andati persi.",
    /*da*/
    "En tidligere gemt sikkerhedskopi blev fundet og indl\u00E6st. Nyligt tilf\u00F8jede data "
    "kan v\u00E6re g\u00E5et tabt.",
    /*sv*/
    "En tidigare sparad s\u00E4kerhetskopia hittades och har l\u00E4sts in. Nyligen tillagda "
    "data kan ha g\u00E5tt f\u00F6rlorade."};
const TLanguageStrings DatabaseSaveFailed = {
    "Saving the waypoint database failed due to an error: \"%1\".",
    /*nl*/ "Het opslaan van de waypointdatabase is mislukt vanwege een fout: \"%1\".",
    /*de*/ "Das Speichern der Wegpunktdatenbank ist wegen eines Fehlers fehlgeschlagen: \"%1\".",
    /*fr*/
    "L'enregistrement de la base de donn\u00E9es de waypoints a \u00E9chou\u00E9 \u00E0 cause "
    "d'une erreur : \"%1\".",
    /*es*/ "",
    /*it*/ "Il salvataggio del database dei waypoint non \u00E8 riuscito a causa di un errore: \"%1\".",
    /*da*/ "Waypointdatabasen kunne ikke gemmes p\u00E5 grund af en fejl: \"%1\".",
    /*sv*/ "Waypointdatabasen kunde inte sparas p\u00E5 grund av ett fel: \"%1\"."};
const TLanguageStrings OSMTileManagerFailed = {
    "Could not create osm tile manager.", /*nl*/ "Kan de osm-tegelbeheerder niet aanmaken.",
    /*de*/ "Die OSM-Kachelverwaltung konnte nicht erstellt werden.",
    /*fr*/ "Impossible de cr\u00E9er le gestionnaire de tuiles osm.", /*es*/ "",
    /*it*/ "Impossibile creare il gestore delle tessere osm.",
    /*da*/ "Osm-fliseh\u00E5ndteringen kunne ikke oprettes.",
    /*sv*/ "Osm-brickhanteraren kunde inte skapas."};
const TLanguageStrings TileManagerFailed = {
    "Could not create tile manager.", /*nl*/ "Kan de tegelbeheerder niet aanmaken.",
    /*de*/ "Die Kachelverwaltung konnte nicht erstellt werden.",
    /*fr*/ "Impossible de cr\u00E9er le gestionnaire de tuiles.", /*es*/ "",
    /*it*/ "Impossibile creare il gestore delle tessere.",
    /*da*/ "Fliseh\u00E5ndteringen kunne ikke oprettes.",
    /*sv*/ "Brickhanteraren kunde inte skapas."};
const TLanguageStrings S57ChartLoaderFailed = {
    "Could not create S57 chart loader.", /*nl*/ "Kan de S57-kaartlader niet aanmaken.",
    /*de*/ "Der S57-Kartenlader konnte nicht erstellt werden.",
    /*fr*/ "Impossible de cr\u00E9er le chargeur de cartes S57.", /*es*/ "",
    /*it*/ "Impossibile creare il caricatore di carte S57.",
    /*da*/ "S57-s\u00F8kortindl\u00E6seren kunne ikke oprettes.",
    /*sv*/ "S57-sj\u00F6kortsinl\u00E4saren kunde inte skapas."};
const TLanguageStrings S57ChartInfoLoaderFailed = {
    "Could not create S57 chart info loader.",
    /*nl*/ "Kan de S57-kaartinformatielader niet aanmaken.",
    /*de*/ "Der S57-Karteninformationslader konnte nicht erstellt werden.",
    /*fr*/ "Impossible de cr\u00E9er le chargeur d'informations de cartes S57.", /*es*/ "",
    /*it*/ "Impossibile creare il caricatore di informazioni delle carte S57.",
    /*da*/ "S57-s\u00F8kortinformationsindl\u00E6seren kunne ikke oprettes.",
    /*sv*/ "S57-sj\u00F6kortsinformationsinl\u00E4saren kunde inte skapas."};
const TLanguageStrings ProfilesNotLoaded = {
    "The text format profiles in \"%1\" could not be read: %2\nThe file has been renamed to "
    "\"%3\".",
    /*nl*/
    "De tekstformaatprofielen in \"%1\" konden niet worden gelezen: %2\nHet bestand is "
    "hernoemd naar \"%3\".",
    /*de*/
    "Die Textformatprofile in \"%1\" konnten nicht gelesen werden: %2\nDie Datei wurde in "
    "\"%3\" umbenannt.",
    /*fr*/
    "Les profils de format texte de \"%1\" n'ont pas pu \u00EAtre lus : %2\nLe fichier a "
    "\u00E9t\u00E9 renomm\u00E9 en \"%3\".",
    /*es*/ "",
    /*it*/
    "Impossibile leggere i profili di formato testo in \"%1\": %2\nIl file \u00E8 stato "
    "rinominato in \"%3\".",
    /*da*/
    "Tekstformatprofilerne i \"%1\" kunne ikke l\u00E6ses: %2\nFilen er omd\u00F8bt til "
    "\"%3\".",
    /*sv*/
    "Textformatprofilerna i \"%1\" kunde inte l\u00E4sas: %2\nFilen har bytt namn till "
    "\"%3\"."};
const TLanguageStrings StopCommunication = {
    "Stop communication", /*nl*/ "Communicatie stoppen", /*de*/ "Kommunikation beenden",
    /*fr*/ "Arr\u00EAter la communication", /*es*/ "", /*it*/ "Interrompi la comunicazione",
    /*da*/ "Stop kommunikation", /*sv*/ "Stoppa kommunikation"};
const TLanguageStrings RoutePointPassed = {
    "Route point %1 passed, distance %2", /*nl*/ "Routepunt %1 gepasseerd, afstand %2",
    /*de*/ "Routenpunkt %1 passiert, Abstand %2", /*fr*/ "Point de route %1 pass\u00E9, distance %2",
    /*es*/ "", /*it*/ "Punto di rotta %1 superato, distanza %2",
    /*da*/ "Rutepunkt %1 passeret, afstand %2", /*sv*/ "Ruttpunkt %1 passerad, avst\u00E5nd %2"};
const TLanguageStrings LogbookSaveFailed = {
    "Saving the logbook failed due to an error: \"%1\".",
    /*nl*/ "Het opslaan van het logboek is mislukt vanwege een fout: \"%1\".",
    /*de*/ "Das Speichern des Logbuchs ist wegen eines Fehlers fehlgeschlagen: \"%1\".",
    /*fr*/ "L'enregistrement du journal de bord a \u00E9chou\u00E9 \u00E0 cause d'une erreur : \"%1\".",
    /*es*/ "",
    /*it*/ "Il salvataggio del giornale di bordo non \u00E8 riuscito a causa di un errore: \"%1\".",
    /*da*/ "Logbogen kunne ikke gemmes p\u00E5 grund af en fejl: \"%1\".",
    /*sv*/ "Loggboken kunde inte sparas p\u00E5 grund av ett fel: \"%1\"."};

const TLanguageStrings RouteStarted = {
    "Route %1 started", /*nl*/ "Route %1 gestart", /*de*/ "Route %1 gestartet",
    /*fr*/ "Route %1 d\u00E9marr\u00E9e", /*es*/ "", /*it*/ "Rotta %1 avviata",
    /*da*/ "Rute %1 startet", /*sv*/ "Rutt %1 startad"};
const TLanguageStrings Destination = {
    "Destination", /*nl*/ "Bestemming", /*de*/ "Ziel", /*fr*/ "Destination", /*es*/ "",
    /*it*/ "Destinazione", /*da*/ "Destination", /*sv*/ "Destination"};
const TLanguageStrings Home = {
    "Home", /*nl*/ "Thuis", /*de*/ "Heimat", /*fr*/ "Domicile", /*es*/ "", /*it*/ "Casa",
    /*da*/ "Hjem", /*sv*/ "Hem"};
const TLanguageStrings ChartManagerRunning = {
    "MRC Manager is already running.", /*nl*/ "MRC Manager is al actief.",
    /*de*/ "MRC Manager l\u00E4uft bereits.", /*fr*/ "MRC Manager est d\u00E9j\u00E0 en cours d'ex\u00E9cution.",
    /*es*/ "", /*it*/ "MRC Manager \u00E8 gi\u00E0 in esecuzione.", /*da*/ "MRC Manager k\u00F8rer allerede.",
    /*sv*/ "MRC Manager k\u00F6rs redan."};
const TLanguageStrings ChartManagerClose = {
    "Please close MRC Manager before using this function.",
    /*nl*/ "Sluit MRC Manager voordat u deze functie gebruikt.",
    /*de*/ "Bitte schlie\u00DFen Sie MRC Manager, bevor Sie diese Funktion verwenden.",
    /*fr*/ "Veuillez fermer MRC Manager avant d'utiliser cette fonction.", /*es*/ "",
    /*it*/ "Chiudere MRC Manager prima di usare questa funzione.",
    /*da*/ "Luk MRC Manager, f\u00F8r du bruger denne funktion.",
    /*sv*/ "St\u00E4ng MRC Manager innan du anv\u00E4nder den h\u00E4r funktionen."};
const TLanguageStrings ChartManagerNotExecuted = {
    "MRC Manager is required for this operation, but it could not be executed.",
    /*nl*/ "MRC Manager is nodig voor deze bewerking, maar kon niet worden uitgevoerd.",
    /*de*/ "MRC Manager wird f\u00FCr diesen Vorgang ben\u00F6tigt, konnte aber nicht ausgef\u00FChrt werden.",
    /*fr*/ "MRC Manager est n\u00E9cessaire pour cette op\u00E9ration, mais n'a pas pu \u00EAtre ex\u00E9cut\u00E9.",
    /*es*/ "", /*it*/ "MRC Manager \u00E8 necessario per questa operazione, ma non \u00E8 stato possibile eseguirlo.",
    /*da*/ "MRC Manager kr\u00E6ves til denne handling, men kunne ikke udf\u00F8res.",
    /*sv*/ "MRC Manager kr\u00E4vs f\u00F6r den h\u00E4r \u00E5tg\u00E4rden, men kunde inte k\u00F6ras."};
const TLanguageStrings UpdateServiceRunning = {
    "Korvane Update Service is already running.", /*nl*/ "Korvane Update Service is al actief.",
    /*de*/ "Korvane Update Service l\u00E4uft bereits.",
    /*fr*/ "Korvane Update Service est d\u00E9j\u00E0 en cours d'ex\u00E9cution.", /*es*/ "",
    /*it*/ "Korvane Update Service \u00E8 gi\u00E0 in esecuzione.",
    /*da*/ "Korvane Update Service k\u00F8rer allerede.", /*sv*/ "Korvane Update Service k\u00F6rs redan."};
const TLanguageStrings UpdateServiceClose = {
    "Please close Korvane Update Service before using this function.",
    /*nl*/ "Sluit Korvane Update Service voordat u deze functie gebruikt.",
    /*de*/ "Bitte schlie\u00DFen Sie Korvane Update Service, bevor Sie diese Funktion verwenden.",
    /*fr*/ "Veuillez fermer Korvane Update Service avant d'utiliser cette fonction.", /*es*/ "",
    /*it*/ "Chiudere Korvane Update Service prima di usare questa funzione.",
    /*da*/ "Luk Korvane Update Service, f\u00F8r du bruger denne funktion.",
    /*sv*/ "St\u00E4ng Korvane Update Service innan du anv\u00E4nder den h\u00E4r funktionen."};
const TLanguageStrings UpdateServiceNotExecuted = {
    "Korvane Update Service is required for this operation, but it could not be executed.",
    /*nl*/ "Korvane Update Service is nodig voor deze bewerking, maar kon niet worden uitgevoerd.",
    /*de*/ "Korvane Update Service wird f\u00FCr diesen Vorgang ben\u00F6tigt, konnte aber nicht ausgef\u00FChrt werden.",
    /*fr*/ "Korvane Update Service est n\u00E9cessaire pour cette op\u00E9ration, mais n'a pas pu \u00EAtre ex\u00E9cut\u00E9.",
    /*es*/ "", /*it*/ "Korvane Update Service \u00E8 necessario per questa operazione, ma non \u00E8 stato possibile eseguirlo.",
    /*da*/ "Korvane Update Service kr\u00E6ves til denne handling, men kunne ikke udf\u00F8res.",
    /*sv*/ "Korvane Update Service kr\u00E4vs f\u00F6r den h\u00E4r \u00E5tg\u00E4rden, men kunde inte k\u00F6ras."};
const TLanguageStrings OutdatedCharts = {
    "Attention! You may be navigating on outdated maps. Check the chart manager.",
    /*nl*/ "Let op! U navigeert mogelijk op verouderde kaarten. Controleer de kaartbeheerder.",
    /*de*/ "Achtung! Sie navigieren m\u00F6glicherweise mit veralteten Karten. Pr\u00FCfen Sie die Kartenverwaltung.",
    /*fr*/ "Attention ! Vous naviguez peut-\u00EAtre sur des cartes p\u00E9rim\u00E9es. V\u00E9rifiez le gestionnaire de cartes.",
    /*es*/ "", /*it*/ "Attenzione! Potreste navigare con carte non aggiornate. Controllate il gestore delle carte.",
    /*da*/ "Bem\u00E6rk! Du navigerer muligvis med for\u00E6ldede kort. Kontroll\u00E9r korth\u00E5ndteringen.",
    /*sv*/ "Observera! Du kanske navigerar med f\u00F6r\u00E5ldrade kort. Kontrollera korthanteraren."};

}  // namespace NavEnvText
