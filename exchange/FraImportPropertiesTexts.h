// Texts of the import properties pages: English, Dutch, German, French, Spanish, Italian,
// Danish, Swedish (an empty entry shows the English text).
#pragma once

#include "base/texts/KvLanguage.h"

namespace ImportPropertiesText {

inline const TLanguageStrings SSelectType = {"Select type...", "Type kiezen...", "Typ wählen...",
                                             "Choisir le type...", "", "Scegli tipo...",
                                             "Vælg type...", "Välj typ..."};
inline const TLanguageStrings SWaypointInformation = {
    "Specify the additional properties for the waypoint that you want to import",
    "Geef de overige eigenschappen op van de waypoints die u wilt importeren", "", "", "", "", "", ""};
inline const TLanguageStrings SProximity = {"Proximity", "Nabijheid", "Annäherung", "Proximité", "",
                                            "Prossimità", "Nærhed", "Närhet"};
inline const TLanguageStrings SGroup = {"Group", "Groep", "Gruppe", "Groupe", "", "Gruppo", "Gruppe",
                                        "Grupp"};
inline const TLanguageStrings SType = {"Type", "Type", "Typ", "Type", "", "Tipo", "Type", "Typ"};
inline const TLanguageStrings SGroupExisting = {"Place in an existing waypoint group",
                                                "In een bestaande waypointgroep plaatsen", "", "", "",
                                                "", "", ""};
inline const TLanguageStrings SGroupNew = {"Place in a new waypoint group",
                                           "In een nieuwe waypointgroep plaatsen", "", "", "", "", "",
                                           ""};
inline const TLanguageStrings SGroupNone = {"Do not place in a waypoint group",
                                            "Niet in een waypointgroep plaatsen", "", "", "", "", "",
                                            ""};
inline const TLanguageStrings SGroupData = {"Use the waypoint group from the import data",
                                            "De waypointgroep uit de importgegevens gebruiken", "", "",
                                            "", "", "", ""};
inline const TLanguageStrings SProxNew = {"Use the following proximity", "De volgende nabijheid gebruiken",
                                          "", "", "", "", "", ""};
inline const TLanguageStrings SProxNone = {"No proximity", "Geen nabijheid", "", "", "", "", "", ""};
inline const TLanguageStrings SProxData = {"Use the proximity from the import data",
                                           "De nabijheid uit de importgegevens gebruiken", "", "", "",
                                           "", "", ""};
inline const TLanguageStrings STypeExisting = {"Use an existing waypoint type",
                                               "Een bestaand waypointtype gebruiken", "", "", "", "",
                                               "", ""};
inline const TLanguageStrings STypeData = {"Use the waypoint type from the import data",
                                           "Het waypointtype uit de importgegevens gebruiken", "", "",
                                           "", "", "", ""};
inline const TLanguageStrings SWaypoints = {"Waypoints", "Waypoints", "Wegpunkte", "Waypoints", "",
                                            "Waypoint", "Waypoints", "Waypoints"};
inline const TLanguageStrings SDefaultType = {"Default type", "Standaardtype", "Standardtyp",
                                              "Type par défaut", "", "Tipo predefinito",
                                              "Standardtype", "Standardtyp"};
inline const TLanguageStrings SNoGroupName = {
    "You have not entered a waypoint group name.\r\n\r\nPlease enter a waypoint group name and try again.",
    "U hebt geen naam voor de waypointgroep ingevuld.\r\n\r\nVul een naam in en probeer het opnieuw.",
    "", "", "", "", "", ""};

inline const TLanguageStrings SName = {"Name", "Naam", "Name", "Nom", "", "Nome", "Navn", "Namn"};
inline const TLanguageStrings SFile = {"File", "Bestand", "Datei", "Fichier", "", "File", "Fil", "Fil"};
inline const TLanguageStrings SNameInfo = {
    "Select a route name in the list and press 'F2' to edit the name",
    "Selecteer een routenaam in de lijst en druk op 'F2' om de naam te wijzigen", "", "", "", "", "", ""};
inline const TLanguageStrings SRouteInformation = {
    "Specify the route names and the radius for the routepoints you want to import",
    "Geef de routenamen en de straal op voor de routepunten die u wilt importeren", "", "", "", "", "", ""};
inline const TLanguageStrings SRadius = {"Radius", "Straal", "Radius", "Rayon", "", "Raggio", "Radius",
                                         "Radie"};
inline const TLanguageStrings SRadiusNew = {"Use the following radius", "De volgende straal gebruiken",
                                            "", "", "", "", "", ""};
inline const TLanguageStrings SRadiusData = {"Use the radius from the import data",
                                             "De straal uit de importgegevens gebruiken", "", "", "", "",
                                             "", ""};
inline const TLanguageStrings SRoute = {"Route", "Route", "Route", "Route", "", "Rotta", "Rute", "Rutt"};
inline const TLanguageStrings SEmptyRouteName = {
    "A route name cannot be empty.\r\n\r\nPlease specify a route name for '%s'.",
    "Een routenaam mag niet leeg zijn.\r\n\r\nGeef een routenaam op voor '%s'.", "", "", "", "", "", ""};

}  // namespace ImportPropertiesText
