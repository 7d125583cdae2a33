// Texts of GPS detection and test: English, Dutch, German, French, Spanish (empty: English
// is shown), Italian, Danish, Swedish.
#pragma once

#include "base/texts/KvLanguage.h"

namespace AutoDetectText {

inline const TLanguageStrings SCaptionDetect = {"GPS Detection", "GPS-detectie", "GPS-Erkennung",
                                                "Détection du GPS", "", "Rilevamento GPS",
                                                "GPS-søgning", "GPS-sökning"};
inline const TLanguageStrings SCaptionTest = {"GPS Test", "GPS-test", "GPS-Test", "Test du GPS",
                                              "", "Prova GPS", "GPS-test", "GPS-test"};
inline const TLanguageStrings STabDetect = {"Detect", "Zoeken", "Suchen", "Détecter", "",
                                            "Rileva", "Søg", "Sök"};
inline const TLanguageStrings SApply = {"Apply", "Toepassen", "Übernehmen", "Appliquer", "",
                                        "Applica", "Anvend", "Verkställ"};
inline const TLanguageStrings SBusyDetecting = {
    "Busy detecting...", "Bezig met zoeken...", "Suche läuft...", "Détection en cours...", "",
    "Rilevamento in corso...", "Søger...", "Söker..."};
inline const TLanguageStrings SBusyTesting = {"Busy testing...", "Bezig met testen...",
                                              "Test läuft...", "Test en cours...", "",
                                              "Prova in corso...", "Tester...", "Testar..."};
inline const TLanguageStrings SDetectionError = {
    "An error occurred during detection:\r\n\r\n%s",
    "Er is een fout opgetreden tijdens het zoeken:\r\n\r\n%s",
    "Bei der Suche ist ein Fehler aufgetreten:\r\n\r\n%s",
    "Une erreur s'est produite pendant la détection :\r\n\r\n%s", "",
    "Si è verificato un errore durante il rilevamento:\r\n\r\n%s",
    "Der opstod en fejl under søgningen:\r\n\r\n%s",
    "Ett fel uppstod under sökningen:\r\n\r\n%s"};
inline const TLanguageStrings SNotWorking = {
    "The GPS is not working.", "De GPS werkt niet.", "Das GPS funktioniert nicht.",
    "Le GPS ne fonctionne pas.", "", "Il GPS non funziona.", "GPS'en virker ikke.",
    "GPS:en fungerar inte."};
inline const TLanguageStrings SWorking = {"The GPS is working.", "De GPS werkt.",
                                          "Das GPS funktioniert.", "Le GPS fonctionne.", "",
                                          "Il GPS funziona.", "GPS'en virker.",
                                          "GPS:en fungerar."};
inline const TLanguageStrings SFoundOn = {"GPS found on %s", "GPS gevonden op %s",
                                          "GPS gefunden an %s", "GPS trouvé sur %s", "",
                                          "GPS trovato su %s", "GPS fundet på %s",
                                          "GPS hittad på %s"};
inline const TLanguageStrings SNoGPSFound = {"No GPS found", "Geen GPS gevonden",
                                             "Kein GPS gefunden", "Aucun GPS trouvé", "",
                                             "Nessun GPS trovato", "Ingen GPS fundet",
                                             "Ingen GPS hittad"};
inline const TLanguageStrings SDetectingPort = {
    "Detecting port settings...", "Poortinstellingen zoeken...",
    "Anschlusseinstellungen werden gesucht...", "Détection des paramètres du port...", "",
    "Rilevamento impostazioni porta...", "Søger portindstillinger...",
    "Söker portinställningar..."};
inline const TLanguageStrings STestingPort = {
    "Testing port settings...", "Poortinstellingen testen...",
    "Anschlusseinstellungen werden getestet...", "Test des paramètres du port...", "",
    "Prova impostazioni porta...", "Tester portindstillinger...", "Testar portinställningar..."};
inline const TLanguageStrings SDetectingType = {
    "Detecting GPS-type...", "GPS-type zoeken...", "GPS-Typ wird gesucht...",
    "Détection du type de GPS...", "", "Rilevamento tipo di GPS...", "Søger GPS-type...",
    "Söker GPS-typ..."};
inline const TLanguageStrings STestingType = {
    "Testing GPS-type...", "GPS-type testen...", "GPS-Typ wird getestet...",
    "Test du type de GPS...", "", "Prova tipo di GPS...", "Tester GPS-type...",
    "Testar GPS-typ..."};
inline const TLanguageStrings SDeviceFound = {"Device found: ", "Apparaat gevonden: ",
                                              "Gerät gefunden: ", "Appareil trouvé : ", "",
                                              "Dispositivo trovato: ", "Enhed fundet: ",
                                              "Enhet hittad: "};
inline const TLanguageStrings SGPSFound = {"GPS found: ", "GPS gevonden: ", "GPS gefunden: ",
                                           "GPS trouvé : ", "", "GPS trovato: ", "GPS fundet: ",
                                           "GPS hittad: "};
inline const TLanguageStrings SVendorNoPositions = {
    "Garmin protocol doesn't support positions on this device",
    "Het Garmin-protocol ondersteunt geen posities op dit apparaat",
    "Das Garmin-Protokoll unterstützt auf diesem Gerät keine Positionen",
    "Le protocole Garmin ne prend pas en charge les positions sur cet appareil", "",
    "Il protocollo Garmin non supporta le posizioni su questo dispositivo",
    "Garmin-protokollen understøtter ikke positioner på denne enhed",
    "Garmin-protokollet stöder inte positioner på den här enheten"};
inline const TLanguageStrings SNoNMEAPositions = {
    "No NMEA position sentences received", "Geen NMEA-positiezinnen ontvangen",
    "Keine NMEA-Positionssätze empfangen", "Aucune phrase de position NMEA reçue", "",
    "Nessuna frase di posizione NMEA ricevuta", "Ingen NMEA-positionssætninger modtaget",
    "Inga NMEA-positionsmeningar mottagna"};
inline const TLanguageStrings SPortMissing = {
    "The port does not exist", "De poort bestaat niet", "Der Anschluss existiert nicht",
    "Le port n'existe pas", "", "La porta non esiste", "Porten findes ikke",
    "Porten finns inte"};
inline const TLanguageStrings SPortInUse = {"The port is in use", "De poort is in gebruik",
                                            "Der Anschluss wird verwendet",
                                            "Le port est utilisé", "", "La porta è in uso",
                                            "Porten er i brug", "Porten används"};
inline const TLanguageStrings SPortCannotOpen = {
    "Cannot open the port", "Kan de poort niet openen", "Der Anschluss kann nicht geöffnet werden",
    "Impossible d'ouvrir le port", "", "Impossibile aprire la porta", "Kan ikke åbne porten",
    "Kan inte öppna porten"};
inline const TLanguageStrings SPortSettings = {
    "Invalid port settings", "Ongeldige poortinstellingen", "Ungültige Anschlusseinstellungen",
    "Paramètres du port non valides", "", "Impostazioni porta non valide",
    "Ugyldige portindstillinger", "Ogiltiga portinställningar"};
inline const TLanguageStrings SGenericNMEA = {"Generic NMEA", "Algemeen NMEA", "Allgemeines NMEA",
                                              "NMEA générique", "", "NMEA generico",
                                              "Generisk NMEA", "Generisk NMEA"};
inline const TLanguageStrings SUnknown = {"Unknown", "Onbekend", "Unbekannt", "Inconnu", "",
                                          "Sconosciuto", "Ukendt", "Okänd"};

}  // namespace AutoDetectText
