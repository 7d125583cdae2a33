// Texts of the GPS error box: English, Dutch, German, French, Spanish (empty: English is
// shown), Italian, Danish, Swedish. %1 the program's title, %2 the port, %3 the seconds or
// the library's error text, as each message says.
#pragma once

#include "base/texts/KvLanguage.h"

namespace GPSErrorText {

inline const TLanguageStrings SNoNMEASinceOpened = {
    "%1 has not received any NMEA position sentences on %2 since communication was opened. ",
    "%1 heeft op %2 geen NMEA-positiezinnen ontvangen sinds de communicatie werd geopend. ",
    "%1 hat an %2 seit dem Öffnen der Kommunikation keine NMEA-Positionssätze empfangen. ",
    "%1 n'a reçu aucune phrase de position NMEA sur %2 depuis l'ouverture de la communication. ",
    "",
    "%1 non ha ricevuto frasi di posizione NMEA su %2 dall'apertura della comunicazione. ",
    "%1 har ikke modtaget NMEA-positionssætninger på %2, siden kommunikationen blev åbnet. ",
    "%1 har inte tagit emot några NMEA-positionsmeningar på %2 sedan kommunikationen öppnades. "};
inline const TLanguageStrings SNoVendorSinceOpened = {
    "%1 has not received any position messages on %2 since communication was opened. ",
    "%1 heeft op %2 geen positieberichten ontvangen sinds de communicatie werd geopend. ",
    "%1 hat an %2 seit dem Öffnen der Kommunikation keine Positionsmeldungen empfangen. ",
    "%1 n'a reçu aucun message de position sur %2 depuis l'ouverture de la communication. ",
    "",
    "%1 non ha ricevuto messaggi di posizione su %2 dall'apertura della comunicazione. ",
    "%1 har ikke modtaget positionsmeddelelser på %2, siden kommunikationen blev åbnet. ",
    "%1 har inte tagit emot några positionsmeddelanden på %2 sedan kommunikationen öppnades. "};
inline const TLanguageStrings SNoNMEAForSeconds = {
    "%1 has not received any NMEA position sentences on %2 in the last %3 seconds. ",
    "%1 heeft op %2 in de laatste %3 seconden geen NMEA-positiezinnen ontvangen. ",
    "%1 hat an %2 in den letzten %3 Sekunden keine NMEA-Positionssätze empfangen. ",
    "%1 n'a reçu aucune phrase de position NMEA sur %2 au cours des %3 dernières secondes. ",
    "",
    "%1 non ha ricevuto frasi di posizione NMEA su %2 negli ultimi %3 secondi. ",
    "%1 har ikke modtaget NMEA-positionssætninger på %2 i de sidste %3 sekunder. ",
    "%1 har inte tagit emot några NMEA-positionsmeningar på %2 under de senaste %3 sekunderna. "};
inline const TLanguageStrings SNoVendorForSeconds = {
    "%1 has not received any position messages on %2 in the last %3 seconds. ",
    "%1 heeft op %2 in de laatste %3 seconden geen positieberichten ontvangen. ",
    "%1 hat an %2 in den letzten %3 Sekunden keine Positionsmeldungen empfangen. ",
    "%1 n'a reçu aucun message de position sur %2 au cours des %3 dernières secondes. ",
    "",
    "%1 non ha ricevuto messaggi di posizione su %2 negli ultimi %3 secondi. ",
    "%1 har ikke modtaget positionsmeddelelser på %2 i de sidste %3 sekunder. ",
    "%1 har inte tagit emot några positionsmeddelanden på %2 under de senaste %3 sekunderna. "};
inline const TLanguageStrings SCheckIntro = {
    "Please check if:", "Controleer of:", "Bitte prüfen Sie, ob:", "Veuillez vérifier que :", "",
    "Verificare che:", "Kontrollér, om:", "Kontrollera om:"};
inline const TLanguageStrings SCheckConnected = {
    "the GPS has been connected to %2", "de GPS is aangesloten op %2",
    "das GPS an %2 angeschlossen ist", "le GPS est connecté à %2", "", "il GPS sia collegato a %2",
    "GPS'en er tilsluttet %2", "GPS:en är ansluten till %2"};
inline const TLanguageStrings SCheckSwitchedOn = {
    "the GPS is switched on", "de GPS is ingeschakeld", "das GPS eingeschaltet ist",
    "le GPS est allumé", "", "il GPS sia acceso", "GPS'en er tændt", "GPS:en är påslagen"};
inline const TLanguageStrings SCheckNMEA = {
    "the GPS is set to the NMEA 0183-protocol", "de GPS op het NMEA 0183-protocol is ingesteld",
    "das GPS auf das NMEA-0183-Protokoll eingestellt ist",
    "le GPS est réglé sur le protocole NMEA 0183", "",
    "il GPS sia impostato sul protocollo NMEA 0183", "GPS'en er indstillet til NMEA 0183-protokollen",
    "GPS:en är inställd på NMEA 0183-protokollet"};
// Both spellings are the program's own: one per message.
inline const TLanguageStrings SCheckVendorHyphen = {
    "the GPS is set to the Garmin-protocol", "de GPS op het Garmin-protocol is ingesteld",
    "das GPS auf das Garmin-Protokoll eingestellt ist", "le GPS est réglé sur le protocole Garmin",
    "", "il GPS sia impostato sul protocollo Garmin", "GPS'en er indstillet til Garmin-protokollen",
    "GPS:en är inställd på Garmin-protokollet"};
inline const TLanguageStrings SCheckVendor = {
    "the GPS is set to the Garmin protocol", "de GPS op het Garmin-protocol is ingesteld",
    "das GPS auf das Garmin-Protokoll eingestellt ist", "le GPS est réglé sur le protocole Garmin",
    "", "il GPS sia impostato sul protocollo Garmin", "GPS'en er indstillet til Garmin-protokollen",
    "GPS:en är inställd på Garmin-protokollet"};
inline const TLanguageStrings SCheckSentences = {
    "the GPS sends the GGA, GLL or RMC sentence of the NMEA-protocol",
    "de GPS de GGA-, GLL- of RMC-zin van het NMEA-protocol verzendt",
    "das GPS den GGA-, GLL- oder RMC-Satz des NMEA-Protokolls sendet",
    "le GPS envoie la phrase GGA, GLL ou RMC du protocole NMEA", "",
    "il GPS invii la frase GGA, GLL o RMC del protocollo NMEA",
    "GPS'en sender GGA-, GLL- eller RMC-sætningen fra NMEA-protokollen",
    "GPS:en skickar GGA-, GLL- eller RMC-meningen i NMEA-protokollet"};
inline const TLanguageStrings SCheckSettings = {
    "the communication settings are correct", "de communicatie-instellingen juist zijn",
    "die Kommunikationseinstellungen richtig sind",
    "les paramètres de communication sont corrects", "",
    "le impostazioni di comunicazione siano corrette", "kommunikationsindstillingerne er korrekte",
    "kommunikationsinställningarna är korrekta"};
inline const TLanguageStrings SCannotOpen = {
    "%1 could not open port %2.\n\n%3", "%1 kon poort %2 niet openen.\n\n%3",
    "%1 konnte den Anschluss %2 nicht öffnen.\n\n%3", "%1 n'a pas pu ouvrir le port %2.\n\n%3", "",
    "%1 non è riuscito ad aprire la porta %2.\n\n%3", "%1 kunne ikke åbne porten %2.\n\n%3",
    "%1 kunde inte öppna porten %2.\n\n%3"};
inline const TLanguageStrings SBroken = {
    "The communication with port %2 was broken.", "De communicatie met poort %2 is verbroken.",
    "Die Kommunikation mit dem Anschluss %2 wurde unterbrochen.",
    "La communication avec le port %2 a été interrompue.", "",
    "La comunicazione con la porta %2 si è interrotta.",
    "Kommunikationen med porten %2 blev afbrudt.", "Kommunikationen med porten %2 bröts."};
inline const TLanguageStrings SNoAnswerOpening = {
    "The communication could not be opened because the GPS does not respond on port %2.",
    "De communicatie kon niet worden geopend omdat de GPS niet reageert op poort %2.",
    "Die Kommunikation konnte nicht geöffnet werden, weil das GPS an %2 nicht antwortet.",
    "La communication n'a pas pu être ouverte car le GPS ne répond pas sur le port %2.", "",
    "Impossibile aprire la comunicazione: il GPS non risponde sulla porta %2.",
    "Kommunikationen kunne ikke åbnes, fordi GPS'en ikke svarer på porten %2.",
    "Kommunikationen kunde inte öppnas eftersom GPS:en inte svarar på porten %2."};
inline const TLanguageStrings SNoAnswerOpen = {
    "The communication was closed because the GPS does not respond on port %2.",
    "De communicatie is gesloten omdat de GPS niet reageert op poort %2.",
    "Die Kommunikation wurde geschlossen, weil das GPS an %2 nicht antwortet.",
    "La communication a été fermée car le GPS ne répond pas sur le port %2.", "",
    "La comunicazione è stata chiusa perché il GPS non risponde sulla porta %2.",
    "Kommunikationen blev lukket, fordi GPS'en ikke svarer på porten %2.",
    "Kommunikationen stängdes eftersom GPS:en inte svarar på porten %2."};
inline const TLanguageStrings SErrorOpening = {
    "An error occurred in an attempt to open the communication with the GPS on port %2:\n\n%3",
    "Er is een fout opgetreden bij het openen van de communicatie met de GPS op poort %2:\n\n%3",
    "Beim Öffnen der Kommunikation mit dem GPS an %2 ist ein Fehler aufgetreten:\n\n%3",
    "Une erreur s'est produite lors de l'ouverture de la communication avec le GPS sur le port "
    "%2 :\n\n%3",
    "",
    "Si è verificato un errore nell'aprire la comunicazione con il GPS sulla porta %2:\n\n%3",
    "Der opstod en fejl ved åbning af kommunikationen med GPS'en på porten %2:\n\n%3",
    "Ett fel uppstod när kommunikationen med GPS:en på porten %2 skulle öppnas:\n\n%3"};
inline const TLanguageStrings SNoPort = {
    "There is no port selected for the GPS.", "Er is geen poort gekozen voor de GPS.",
    "Für das GPS ist kein Anschluss ausgewählt.", "Aucun port n'est sélectionné pour le GPS.", "",
    "Non è stata selezionata alcuna porta per il GPS.", "Der er ikke valgt en port til GPS'en.",
    "Ingen port är vald för GPS:en."};
inline const TLanguageStrings SErrorDuring = {
    "An error occurred during the communication with the GPS on port %2:\n\n%3",
    "Er is een fout opgetreden tijdens de communicatie met de GPS op poort %2:\n\n%3",
    "Während der Kommunikation mit dem GPS an %2 ist ein Fehler aufgetreten:\n\n%3",
    "Une erreur s'est produite pendant la communication avec le GPS sur le port %2 :\n\n%3", "",
    "Si è verificato un errore durante la comunicazione con il GPS sulla porta %2:\n\n%3",
    "Der opstod en fejl under kommunikationen med GPS'en på porten %2:\n\n%3",
    "Ett fel uppstod under kommunikationen med GPS:en på porten %2:\n\n%3"};

inline const TLanguageStrings SGPSReceiver = {"GPS receiver", "GPS-ontvanger", "GPS-Empfänger",
                                              "Récepteur GPS", "", "Ricevitore GPS",
                                              "GPS-modtager", "GPS-mottagare"};
inline const TLanguageStrings SDetectHint = {
    "Choose 'Detect GPS' to search for a connected GPS:",
    "Kies 'GPS zoeken' om een aangesloten GPS te zoeken:",
    "Wählen Sie 'GPS suchen', um ein angeschlossenes GPS zu suchen:",
    "Choisissez 'Détecter le GPS' pour rechercher un GPS connecté :", "",
    "Scegliere 'Rileva GPS' per cercare un GPS collegato:",
    "Vælg 'Find GPS' for at søge efter en tilsluttet GPS:",
    "Välj 'Sök GPS' för att söka efter en ansluten GPS:"};
inline const TLanguageStrings SDetectGPS = {"Detect GPS...", "GPS zoeken...", "GPS suchen...",
                                            "Détecter le GPS...", "", "Rileva GPS...",
                                            "Find GPS...", "Sök GPS..."};
inline const TLanguageStrings SCloseHint = {
    "Choose 'Close communication' to close the communication:",
    "Kies 'Communicatie sluiten' om de communicatie te sluiten:",
    "Wählen Sie 'Kommunikation schließen', um die Kommunikation zu schließen:",
    "Choisissez 'Fermer la communication' pour fermer la communication :", "",
    "Scegliere 'Chiudi comunicazione' per chiudere la comunicazione:",
    "Vælg 'Luk kommunikation' for at lukke kommunikationen:",
    "Välj 'Stäng kommunikation' för att stänga kommunikationen:"};
inline const TLanguageStrings SCloseCommunication = {
    "Close communication", "Communicatie sluiten", "Kommunikation schließen",
    "Fermer la communication", "", "Chiudi comunicazione", "Luk kommunikation",
    "Stäng kommunikation"};

}  // namespace GPSErrorText
