// Texts of the text import format page: English, Dutch, German, French, Spanish, Italian,
// Danish, Swedish (an empty entry shows the English text).
#pragma once

#include "base/texts/KvLanguage.h"

namespace ImportFormatText {

inline const TLanguageStrings SManage = {"Manage", "Beheren", "Verwalten", "Gérer", "", "Gestisci",
                                         "Administrer", "Hantera"};
inline const TLanguageStrings SDecimalSeparator = {"Decimal separator", "Decimaalteken",
                                                   "Dezimaltrennzeichen", "Séparateur décimal", "",
                                                   "Separatore decimale", "Decimaltegn",
                                                   "Decimaltecken"};
inline const TLanguageStrings SFormat = {"Format", "Formaat", "Format", "Format", "", "Formato",
                                         "Format", "Format"};
inline const TLanguageStrings SName = {"Name", "Naam", "Name", "Nom", "", "Nome", "Navn", "Namn"};
inline const TLanguageStrings SSeparator = {"Separator", "Scheidingsteken", "Trennzeichen",
                                            "Séparateur", "", "Separatore", "Skilletegn",
                                            "Avgränsare"};
inline const TLanguageStrings SDecComma = {"Comma (0,0)", "Komma (0,0)", "Komma (0,0)",
                                           "Virgule (0,0)", "", "Virgola (0,0)", "Komma (0,0)",
                                           "Komma (0,0)"};
inline const TLanguageStrings SDecPoint = {"Point (0.0)", "Punt (0.0)", "Punkt (0.0)",
                                           "Point (0.0)", "", "Punto (0.0)", "Punktum (0.0)",
                                           "Punkt (0.0)"};
inline const TLanguageStrings SSepComma = {"Comma", "Komma", "Komma", "Virgule", "", "Virgola",
                                           "Komma", "Komma"};
inline const TLanguageStrings SSepOther = {"Other", "Anders", "Andere", "Autre", "", "Altro",
                                           "Andet", "Annat"};
inline const TLanguageStrings SSepSemicolon = {"Semicolon", "Puntkomma", "Semikolon",
                                               "Point-virgule", "", "Punto e virgola",
                                               "Semikolon", "Semikolon"};
inline const TLanguageStrings SSepTab = {"Tab", "Tab", "Tabulator", "Tabulation", "",
                                         "Tabulazione", "Tabulator", "Tabb"};
inline const TLanguageStrings SWaypointProfile = {"Waypoint profile", "Waypointprofiel",
                                                  "Wegpunktprofil", "Profil de waypoint", "",
                                                  "Profilo waypoint", "Waypointprofil",
                                                  "Waypointprofil"};
inline const TLanguageStrings SRouteProfile = {"Route profile", "Routeprofiel", "Routenprofil",
                                               "Profil de route", "", "Profilo rotta",
                                               "Ruteprofil", "Ruttprofil"};
inline const TLanguageStrings SDefineProfile = {
    "Define the %s by specifying the separators and the columns",
    "Definieer het %s door de scheidingstekens en de kolommen op te geven",
    "Definieren Sie das %s, indem Sie die Trennzeichen und die Spalten angeben",
    "Définissez le %s en indiquant les séparateurs et les colonnes", "",
    "Definire il %s specificando i separatori e le colonne",
    "Definér %s ved at angive skilletegnene og kolonnerne",
    "Definiera %s genom att ange avgränsarna och kolumnerna"};
inline const TLanguageStrings SProfileModified = {
    "%s '%s' has been modified.\r\n\r\nDo you wish to save the changes?",
    "%s '%s' is gewijzigd.\r\n\r\nWilt u de wijzigingen opslaan?",
    "%s '%s' wurde geändert.\r\n\r\nMöchten Sie die Änderungen speichern?",
    "%s '%s' a été modifié.\r\n\r\nVoulez-vous enregistrer les modifications ?", "",
    "%s '%s' è stato modificato.\r\n\r\nSalvare le modifiche?",
    "%s '%s' er ændret.\r\n\r\nVil du gemme ændringerne?",
    "%s '%s' har ändrats.\r\n\r\nVill du spara ändringarna?"};
inline const TLanguageStrings SNoValidWaypoints = {
    "According to the current waypoint profile no valid waypoints can be imported.\r\n\r\n"
    "Please select a different waypoint profile format and try again.",
    "Volgens het huidige waypointprofiel kunnen geen geldige waypoints worden geïmporteerd.\r\n\r\n"
    "Kies een ander waypointprofiel en probeer het opnieuw.",
    "", "", "", "", "", ""};
inline const TLanguageStrings SNoValidRoutePoints = {
    "According to the current route profile no valid route points can be imported.\r\n\r\n"
    "Please select a different route profile and try again.",
    "Volgens het huidige routeprofiel kunnen geen geldige routepunten worden geïmporteerd.\r\n\r\n"
    "Kies een ander routeprofiel en probeer het opnieuw.",
    "", "", "", "", "", ""};
inline const TLanguageStrings SNotAllItems = {
    "According to the current %s not all items can be imported.\r\n\r\nDo you wish to continue anyway ?",
    "Volgens het huidige %s kunnen niet alle items worden geïmporteerd.\r\n\r\nWilt u toch doorgaan?",
    "", "", "", "", "", ""};
inline const TLanguageStrings SNulCharacter = {
    "The file holds a NUL character in line %d: it is no text file.",
    "Het bestand bevat een NUL-teken in regel %d: het is geen tekstbestand.",
    "", "", "", "", "", ""};

}  // namespace ImportFormatText
