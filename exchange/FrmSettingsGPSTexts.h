// Texts of the GPS settings dialog and of detection and test: English, Dutch, German,
// French, Spanish (empty: English is shown), Italian, Danish, Swedish.
#pragma once

#include "base/texts/KvLanguage.h"

namespace SettingsGPSText {

inline const TLanguageStrings SGeneral = {"General", "Algemeen", "Allgemein", "Général", "",
                                          "Generale", "Generelt", "Allmänt"};
inline const TLanguageStrings SBrand = {"Brand", "Merk", "Marke", "Marque", "", "Marca", "Mærke",
                                        "Märke"};
inline const TLanguageStrings SModel = {"Model", "Model", "Modell", "Modèle", "", "Modello",
                                        "Model", "Modell"};
inline const TLanguageStrings SProtocol = {"Protocol", "Protocol", "Protokoll", "Protocole", "",
                                           "Protocollo", "Protokol", "Protokoll"};
inline const TLanguageStrings SDatum = {"Datum", "Datum", "Datum", "Datum", "", "Datum", "Datum",
                                        "Datum"};
inline const TLanguageStrings SCommunication = {"Communication", "Communicatie", "Kommunikation",
                                                "Communication", "", "Comunicazione",
                                                "Kommunikation", "Kommunikation"};
inline const TLanguageStrings SPort = {"Port", "Poort", "Anschluss", "Port", "", "Porta", "Port",
                                       "Port"};
inline const TLanguageStrings SDescription = {"Description", "Omschrijving", "Beschreibung",
                                              "Description", "", "Descrizione", "Beskrivelse",
                                              "Beskrivning"};
inline const TLanguageStrings SBaudrate = {"Baudrate", "Baudrate", "Baudrate", "Débit en bauds",
                                           "", "Velocità baud", "Baudrate", "Baudhastighet"};
inline const TLanguageStrings SStopBits = {"Stop bits", "Stopbits", "Stoppbits", "Bits d'arrêt",
                                           "", "Bit di stop", "Stopbit", "Stoppbitar"};
inline const TLanguageStrings SFlowControl = {"Flow control", "Datatransportbesturing",
                                              "Flusssteuerung", "Contrôle de flux", "",
                                              "Controllo di flusso", "Flowkontrol",
                                              "Flödeskontroll"};
inline const TLanguageStrings SNoPorts = {
    "There are no ports installed on your system. You need a COM port (or USB to Serial cable) "
    "or Garmin USB cable to connect a GPS.",
    "Er zijn geen poorten op uw systeem geïnstalleerd. U hebt een COM-poort (of een USB-naar-"
    "serieel-kabel) of een Garmin USB-kabel nodig om een GPS aan te sluiten.",
    "Auf Ihrem System sind keine Anschlüsse installiert. Sie benötigen einen COM-Anschluss (oder "
    "ein USB-Seriell-Kabel) oder ein Garmin-USB-Kabel, um ein GPS anzuschließen.",
    "Aucun port n'est installé sur votre système. Il vous faut un port COM (ou un câble USB-"
    "série) ou un câble USB Garmin pour connecter un GPS.",
    "",
    "Nel sistema non è installata alcuna porta. Per collegare un GPS serve una porta COM (o un "
    "cavo USB-seriale) o un cavo USB Garmin.",
    "Der er ingen porte installeret på dit system. Du skal bruge en COM-port (eller et USB-til-"
    "seriel-kabel) eller et Garmin USB-kabel for at tilslutte en GPS.",
    "Det finns inga portar installerade i systemet. Du behöver en COM-port (eller en USB-till-"
    "seriell-kabel) eller en Garmin USB-kabel för att ansluta en GPS."};
inline const TLanguageStrings SDefault = {"Default", "Standaard", "Standard", "Par défaut", "",
                                          "Predefinito", "Standard", "Standard"};
inline const TLanguageStrings SStopGPS = {"Stop GPS", "GPS stoppen", "GPS beenden",
                                          "Arrêter le GPS", "", "Ferma GPS", "Stop GPS",
                                          "Stoppa GPS"};
inline const TLanguageStrings SAutodetect = {"Autodetect", "Automatisch zoeken",
                                             "Automatisch suchen", "Détection auto", "",
                                             "Rilevamento automatico", "Find automatisk",
                                             "Sök automatiskt"};
inline const TLanguageStrings STest = {"Test", "Testen", "Testen", "Tester", "", "Prova", "Test",
                                       "Testa"};
inline const TLanguageStrings SFiltering = {"Filtering", "Filteren", "Filterung", "Filtrage", "",
                                            "Filtraggio", "Filtrering", "Filtrering"};
inline const TLanguageStrings SFilter = {
    "Filter position, SOG and COG", "Positie, SOG en COG filteren",
    "Position, SOG und COG filtern", "Filtrer la position, SOG et COG", "",
    "Filtra posizione, SOG e COG", "Filtrér position, SOG og COG",
    "Filtrera position, SOG och COG"};
inline const TLanguageStrings SFlowNone = {"None", "Geen", "Keine", "Aucun", "", "Nessuno",
                                           "Ingen", "Ingen"};
inline const TLanguageStrings SFlowHardware = {"Hardware", "Hardware", "Hardware", "Matériel",
                                               "", "Hardware", "Hardware", "Hårdvara"};
inline const TLanguageStrings SFlowSoftware = {
    "Software (Xon/Xoff)", "Software (Xon/Xoff)", "Software (Xon/Xoff)", "Logiciel (Xon/Xoff)",
    "", "Software (Xon/Xoff)", "Software (Xon/Xoff)", "Mjukvara (Xon/Xoff)"};
// Protocol names are the same in every language.
inline const TLanguageStrings SProtocolVendor = {"Garmin", "", "", "", "", "", "", ""};
inline const TLanguageStrings SProtocolNMEA = {"NMEA", "", "", "", "", "", "", ""};

}  // namespace SettingsGPSText
