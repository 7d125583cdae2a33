// Texts of the device information and progress pages of the GPS download wizard: English,
// Dutch, German, French, Spanish (empty: English is shown), Italian, Danish, Swedish.
#pragma once

#include "base/texts/KvLanguage.h"

namespace TransferText {

inline const TLanguageStrings STabInfo = {"Device information", "Apparaatinformatie",
                                          "Geräteinformationen", "Informations sur l'appareil",
                                          "", "Informazioni dispositivo", "Enhedsoplysninger",
                                          "Enhetsinformation"};
inline const TLanguageStrings SInitializing = {
    "Initializing communication...", "Communicatie wordt gestart...",
    "Kommunikation wird initialisiert...", "Initialisation de la communication...", "",
    "Inizializzazione della comunicazione...", "Kommunikationen startes...",
    "Kommunikationen initieras..."};
inline const TLanguageStrings SDeviceInfo = {
    "GPS device information", "GPS-apparaatinformatie", "GPS-Geräteinformationen",
    "Informations sur l'appareil GPS", "", "Informazioni sul dispositivo GPS",
    "Oplysninger om GPS-enheden", "Information om GPS-enheten"};
inline const TLanguageStrings SModel = {"Model:", "Model:", "Modell:", "Modèle :", "",
                                        "Modello:", "Model:", "Modell:"};
inline const TLanguageStrings SID = {"ID:", "ID:", "ID:", "ID :", "", "ID:", "ID:", "ID:"};
inline const TLanguageStrings SSWVersion = {"Software version:", "Softwareversie:",
                                            "Softwareversion:", "Version du logiciel :", "",
                                            "Versione software:", "Softwareversion:",
                                            "Programversion:"};
inline const TLanguageStrings SStorage = {"Storage:", "Opslag:", "Speicher:", "Stockage :", "",
                                          "Memoria:", "Lager:", "Lagring:"};
inline const TLanguageStrings SDataType = {
    "Select the type of data you want to download",
    "Kies het soort gegevens dat u wilt downloaden",
    "Wählen Sie die Art der Daten, die Sie herunterladen möchten",
    "Sélectionnez le type de données à télécharger", "",
    "Selezionare il tipo di dati da scaricare", "Vælg den type data, du vil hente",
    "Välj vilken typ av data du vill hämta"};
inline const TLanguageStrings SWaypoints = {"Waypoints", "Waypoints", "Wegpunkte",
                                            "Waypoints", "", "Waypoint", "Waypoints",
                                            "Waypoints"};
inline const TLanguageStrings SProximity = {
    "Waypoints with proximity distance", "Waypoints met naderingsafstand",
    "Wegpunkte mit Annäherungsabstand", "Waypoints avec distance de proximité", "",
    "Waypoint con distanza di prossimità", "Waypoints med nærhedsafstand",
    "Waypoints med närhetsavstånd"};
inline const TLanguageStrings SRoutes = {"Routes", "Routes", "Routen", "Routes", "", "Rotte",
                                         "Ruter", "Rutter"};
inline const TLanguageStrings STracks = {"Tracks", "Tracks", "Tracks", "Traces", "", "Tracce",
                                         "Spor", "Spår"};
inline const TLanguageStrings SSelectOne = {
    "Please select at least one type of data", "Kies ten minste één soort gegevens",
    "Bitte wählen Sie mindestens eine Datenart", "Veuillez sélectionner au moins un type de "
    "données", "", "Selezionare almeno un tipo di dati", "Vælg mindst én type data",
    "Välj minst en typ av data"};
inline const TLanguageStrings SCommError = {
    "A communication error occurred.", "Er is een communicatiefout opgetreden.",
    "Ein Kommunikationsfehler ist aufgetreten.", "Une erreur de communication s'est produite.",
    "", "Si è verificato un errore di comunicazione.", "Der opstod en kommunikationsfejl.",
    "Ett kommunikationsfel uppstod."};
inline const TLanguageStrings SNotResponding = {
    "The GPS does not respond.", "De GPS reageert niet.", "Das GPS antwortet nicht.",
    "Le GPS ne répond pas.", "", "Il GPS non risponde.", "GPS'en svarer ikke.",
    "GPS:en svarar inte."};
// %1 the port.
inline const TLanguageStrings SPortNotFound = {
    "Port %1 cannot be opened because it was not found.",
    "Poort %1 kan niet worden geopend omdat deze niet is gevonden.",
    "Der Anschluss %1 kann nicht geöffnet werden, weil er nicht gefunden wurde.",
    "Le port %1 ne peut pas être ouvert car il est introuvable.", "",
    "Impossibile aprire la porta %1 perché non è stata trovata.",
    "Porten %1 kan ikke åbnes, fordi den ikke blev fundet.",
    "Porten %1 kan inte öppnas eftersom den inte hittades."};
inline const TLanguageStrings SPortBusy = {
    "Port %1 is already opened by another application.",
    "Poort %1 is al geopend door een ander programma.",
    "Der Anschluss %1 ist bereits von einer anderen Anwendung geöffnet.",
    "Le port %1 est déjà ouvert par une autre application.", "",
    "La porta %1 è già aperta da un'altra applicazione.",
    "Porten %1 er allerede åbnet af et andet program.",
    "Porten %1 är redan öppnad av ett annat program."};
inline const TLanguageStrings SPortNotOpened = {
    "Port %1 could not be opened.", "Poort %1 kon niet worden geopend.",
    "Der Anschluss %1 konnte nicht geöffnet werden.", "Le port %1 n'a pas pu être ouvert.", "",
    "Impossibile aprire la porta %1.", "Porten %1 kunne ikke åbnes.",
    "Porten %1 kunde inte öppnas."};
inline const TLanguageStrings SPortLost = {
    "The connection to port %1 was lost.", "De verbinding met poort %1 is verbroken.",
    "Die Verbindung zum Anschluss %1 ist unterbrochen.", "La connexion au port %1 a été perdue.",
    "", "La connessione alla porta %1 è stata persa.", "Forbindelsen til porten %1 blev afbrudt.",
    "Anslutningen till porten %1 förlorades."};
// %1 free, %2 total, %3 memory, %4 drive.
inline const TLanguageStrings SStorageValue = {
    "%1 free of a %2 %3 in drive %4", "%1 vrij van een %2 %3 in station %4",
    "%1 frei von %2 %3 in Laufwerk %4", "%1 libres sur %2 de %3 dans le lecteur %4", "",
    "%1 liberi su %2 di %3 nell'unità %4", "%1 ledig af %2 %3 i drev %4",
    "%1 ledigt av %2 %3 i enhet %4"};

inline const TLanguageStrings STabProgress = {"Downloading", "Downloaden", "Herunterladen",
                                              "Téléchargement", "", "Download in corso",
                                              "Henter", "Hämtar"};
inline const TLanguageStrings SInProgress = {
    "Download in progress. Please wait...", "Bezig met downloaden. Even geduld...",
    "Download läuft. Bitte warten...", "Téléchargement en cours. Veuillez patienter...", "",
    "Download in corso. Attendere...", "Hentning i gang. Vent venligst...",
    "Hämtning pågår. Vänta..."};
// %1 the brand.
inline const TLanguageStrings SStartTransfer = {
    "Please start the data transfer on your %1 GPS...",
    "Start de gegevensoverdracht op uw %1 GPS...",
    "Bitte starten Sie die Datenübertragung an Ihrem %1 GPS...",
    "Veuillez lancer le transfert de données sur votre GPS %1...", "",
    "Avviare il trasferimento dei dati sul GPS %1...",
    "Start dataoverførslen på din %1 GPS...", "Starta dataöverföringen på din %1 GPS..."};
inline const TLanguageStrings SWaiting = {
    "Waiting for data to be received from your %1 GPS...",
    "Wachten op gegevens van uw %1 GPS...", "Warten auf Daten von Ihrem %1 GPS...",
    "En attente de données de votre GPS %1...", "", "In attesa dei dati dal GPS %1...",
    "Venter på data fra din %1 GPS...", "Väntar på data från din %1 GPS..."};
inline const TLanguageStrings SStageProximity = {
    "Downloading proximity waypoints...", "Naderingswaypoints downloaden...",
    "Annäherungswegpunkte werden heruntergeladen...",
    "Téléchargement des waypoints de proximité...", "",
    "Download dei waypoint di prossimità...", "Henter nærhedswaypoints...",
    "Hämtar närhetswaypoints..."};
inline const TLanguageStrings SStageWaypoints = {
    "Downloading waypoints...", "Waypoints downloaden...", "Wegpunkte werden heruntergeladen...",
    "Téléchargement des waypoints...", "", "Download dei waypoint...", "Henter waypoints...",
    "Hämtar waypoints..."};
inline const TLanguageStrings SStageRoutes = {
    "Downloading routes...", "Routes downloaden...", "Routen werden heruntergeladen...",
    "Téléchargement des routes...", "", "Download delle rotte...", "Henter ruter...",
    "Hämtar rutter..."};
inline const TLanguageStrings SStageTracks = {
    "Downloading tracks...", "Tracks downloaden...", "Tracks werden heruntergeladen...",
    "Téléchargement des traces...", "", "Download delle tracce...", "Henter spor...",
    "Hämtar spår..."};
inline const TLanguageStrings SCountWaypoints = {"Waypoints:", "Waypoints:", "Wegpunkte:",
                                                 "Waypoints :", "", "Waypoint:", "Waypoints:",
                                                 "Waypoints:"};
inline const TLanguageStrings SCountRoutes = {"Routes:", "Routes:", "Routen:", "Routes :", "",
                                              "Rotte:", "Ruter:", "Rutter:"};
inline const TLanguageStrings SCountRoutePoints = {"Route points:", "Routepunten:",
                                                   "Routenpunkte:", "Points de route :", "",
                                                   "Punti rotta:", "Rutepunkter:",
                                                   "Ruttpunkter:"};
inline const TLanguageStrings SCountTracks = {"Tracks:", "Tracks:", "Tracks:", "Traces :", "",
                                              "Tracce:", "Spor:", "Spår:"};
inline const TLanguageStrings SCountTrackPoints = {"Track points:", "Trackpunten:",
                                                   "Trackpunkte:", "Points de trace :", "",
                                                   "Punti traccia:", "Sporpunkter:",
                                                   "Spårpunkter:"};

}  // namespace TransferText
