// Texts of the device page of the GPS download wizard: English, Dutch, German, French,
// Spanish (empty: English is shown), Italian, Danish, Swedish.
#pragma once

#include "base/texts/KvLanguage.h"

namespace SelectDeviceText {

inline const TLanguageStrings STab = {"Select device", "Apparaat kiezen", "Gerät wählen",
                                      "Sélection de l'appareil", "", "Seleziona dispositivo",
                                      "Vælg enhed", "Välj enhet"};
inline const TLanguageStrings SInformation = {
    "Select the device that you want to download data from",
    "Kies het apparaat waarvan u gegevens wilt downloaden",
    "Wählen Sie das Gerät, von dem Sie Daten herunterladen möchten",
    "Sélectionnez l'appareil depuis lequel vous voulez télécharger des données",
    "",
    "Selezionare il dispositivo da cui scaricare i dati",
    "Vælg den enhed, du vil hente data fra",
    "Välj enheten som du vill hämta data från"};
inline const TLanguageStrings SNoDevice = {
    "No transfer device is available for this GPS.",
    "Voor deze GPS is geen overdrachtsapparaat beschikbaar.",
    "Für dieses GPS ist kein Übertragungsgerät verfügbar.",
    "Aucun appareil de transfert n'est disponible pour ce GPS.",
    "",
    "Nessun dispositivo di trasferimento disponibile per questo GPS.",
    "Der er ingen overførselsenhed til denne GPS.",
    "Ingen överföringsenhet finns för denna GPS."};
inline const TLanguageStrings SGarminNote = {
    "The GPS is currently set to the NMEA protocol. To download data, you must switch your "
    "Garmin GPS to the Garmin protocol. Please refer to the manual of your Garmin GPS for "
    "instructions.",
    "De GPS staat momenteel ingesteld op het NMEA-protocol. Om gegevens te downloaden moet u "
    "uw Garmin GPS overschakelen naar het Garmin-protocol. Raadpleeg de handleiding van uw "
    "Garmin GPS.",
    "Das GPS ist derzeit auf das NMEA-Protokoll eingestellt. Um Daten herunterzuladen, müssen "
    "Sie Ihr Garmin GPS auf das Garmin-Protokoll umstellen. Eine Anleitung finden Sie im "
    "Handbuch Ihres Garmin GPS.",
    "Le GPS est actuellement réglé sur le protocole NMEA. Pour télécharger des données, vous "
    "devez passer votre GPS Garmin au protocole Garmin. Consultez le manuel de votre GPS "
    "Garmin.",
    "",
    "Il GPS è attualmente impostato sul protocollo NMEA. Per scaricare i dati occorre passare "
    "il GPS Garmin al protocollo Garmin. Consultare il manuale del GPS Garmin.",
    "GPS'en er i øjeblikket indstillet til NMEA-protokollen. For at hente data skal du skifte "
    "din Garmin GPS til Garmin-protokollen. Se vejledningen til din Garmin GPS.",
    "GPS:en är för närvarande inställd på NMEA-protokollet. För att hämta data måste du byta "
    "din Garmin GPS till Garmin-protokollet. Se handboken till din Garmin GPS."};
// %1 the brand, %2 the model.
inline const TLanguageStrings SBrandGPS = {"%1 GPS", "%1 GPS", "%1 GPS", "GPS %1", "",
                                           "GPS %1", "%1 GPS", "%1 GPS"};
inline const TLanguageStrings SBrandModelGPS = {"%1 %2 GPS", "%1 %2 GPS", "%1 %2 GPS",
                                                "GPS %1 %2", "", "GPS %1 %2", "%1 %2 GPS",
                                                "%1 %2 GPS"};
inline const TLanguageStrings SSelectModel = {
    "Before you can download data from your %1 GPS,\nyou must specify the model:",
    "Voordat u gegevens van uw %1 GPS kunt downloaden,\nmoet u het model opgeven:",
    "Bevor Sie Daten von Ihrem %1 GPS herunterladen können,\nmüssen Sie das Modell angeben:",
    "Avant de pouvoir télécharger des données depuis votre GPS %1,\nvous devez indiquer le "
    "modèle :",
    "",
    "Prima di scaricare i dati dal GPS %1,\noccorre indicare il modello:",
    "Før du kan hente data fra din %1 GPS,\nskal du angive modellen:",
    "Innan du kan hämta data från din %1 GPS\nmåste du ange modellen:"};
inline const TLanguageStrings SMagellanUSB = {
    "Magellan USB Mass storage device", "Magellan USB-massaopslagapparaat",
    "Magellan USB-Massenspeichergerät", "Périphérique de stockage de masse USB Magellan", "",
    "Dispositivo di archiviazione di massa USB Magellan", "Magellan USB-masselagerenhed",
    "Magellan USB-masslagringsenhet"};
inline const TLanguageStrings SDevice = {"Device:", "Apparaat:", "Gerät:", "Appareil :", "",
                                         "Dispositivo:", "Enhed:", "Enhet:"};
inline const TLanguageStrings SUpdate = {"Update", "Bijwerken", "Aktualisieren",
                                         "Actualiser", "", "Aggiorna", "Opdater", "Uppdatera"};
inline const TLanguageStrings STimex = {"Timex datarecorder", "Timex-datarecorder",
                                        "Timex-Datenrekorder", "Enregistreur Timex", "",
                                        "Registratore Timex", "Timex-datalogger",
                                        "Timex-datalogger"};
// %1 name, %2 memory, %3 drive.
inline const TLanguageStrings SMagellanEntryMemory = {
    "Magellan %1 (%2 in drive %3)", "Magellan %1 (%2 in station %3)",
    "Magellan %1 (%2 in Laufwerk %3)", "Magellan %1 (%2 dans le lecteur %3)", "",
    "Magellan %1 (%2 nell'unità %3)", "Magellan %1 (%2 i drev %3)",
    "Magellan %1 (%2 i enhet %3)"};
inline const TLanguageStrings SMagellanEntry = {
    "Magellan %1 (drive %2)", "Magellan %1 (station %2)", "Magellan %1 (Laufwerk %2)",
    "Magellan %1 (lecteur %2)", "", "Magellan %1 (unità %2)", "Magellan %1 (drev %2)",
    "Magellan %1 (enhet %2)"};
inline const TLanguageStrings SNoMagellan = {
    "No Magellan device found", "Geen Magellan-apparaat gevonden", "Kein Magellan-Gerät gefunden",
    "Aucun appareil Magellan trouvé", "", "Nessun dispositivo Magellan trovato",
    "Ingen Magellan-enhed fundet", "Ingen Magellan-enhet hittades"};

}  // namespace SelectDeviceText
