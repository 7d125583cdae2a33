// Texts of the import selection page: English, Dutch, German, French, Spanish, Italian,
// Danish, Swedish (an empty entry shows the English text).
#pragma once

#include "base/texts/KvLanguage.h"

namespace ImportSelectText {

inline const TLanguageStrings SColumns[10] = {
    {"Import", "Importeren", "Importieren", "Importer", "", "Importa", "Importér", "Importera"},
    {"Nr.", "Nr.", "Nr.", "N°", "", "N.", "Nr.", "Nr."},
    {"Name", "Naam", "Name", "Nom", "", "Nome", "Navn", "Namn"},
    {"Latitude", "Breedte", "Breite", "Latitude", "", "Latitudine", "Breddegrad", "Latitud"},
    {"Longitude", "Lengte", "Länge", "Longitude", "", "Longitudine", "Længdegrad", "Longitud"},
    {"Sub name", "Subnaam", "Untername", "Sous-nom", "", "Sottonome", "Undernavn", "Undernamn"},
    {"Proximity", "Nabijheid", "Annäherung", "Proximité", "", "Prossimità", "Nærhed", "Närhet"},
    {"Waypoint group", "Waypointgroep", "Wegpunktgruppe", "Groupe de waypoints", "",
     "Gruppo di waypoint", "Waypointgruppe", "Waypointgrupp"},
    {"Waypoint type", "Waypointtype", "Wegpunkttyp", "Type de waypoint", "", "Tipo di waypoint",
     "Waypointtype", "Waypointtyp"},
    {"Radius", "Straal", "Radius", "Rayon", "", "Raggio", "Radius", "Radie"},
};
inline const TLanguageStrings SNone = {"<none>", "<geen>", "<keine>", "<aucun>", "", "<nessuno>",
                                       "<ingen>", "<ingen>"};
inline const TLanguageStrings SSelectWaypoints = {
    "Select the waypoints you want to import.", "Selecteer de waypoints die u wilt importeren.",
    "Wählen Sie die Wegpunkte, die Sie importieren möchten.",
    "Sélectionnez les waypoints à importer.", "", "Selezionare i waypoint da importare.",
    "Vælg de waypoints, du vil importere.", "Välj de waypoints du vill importera."};
inline const TLanguageStrings SSelectRoutePoints = {
    "Select the route points you want to import", "Selecteer de routepunten die u wilt importeren",
    "Wählen Sie die Routenpunkte, die Sie importieren möchten",
    "Sélectionnez les points de route à importer", "", "Selezionare i punti di rotta da importare",
    "Vælg de rutepunkter, du vil importere", "Välj de ruttpunkter du vill importera"};
inline const TLanguageStrings SWaypoints = {"Waypoints", "Waypoints", "Wegpunkte", "Waypoints", "",
                                            "Waypoint", "Waypoints", "Waypoints"};
inline const TLanguageStrings SRoutes = {"Routes", "Routes", "Routen", "Routes", "", "Rotte",
                                         "Ruter", "Rutter"};
inline const TLanguageStrings SNoWaypointsChecked = {
    "You have checked no waypoints.\r\n\r\nPlease check at least one waypoint in the list to import.",
    "U hebt geen waypoints aangevinkt.\r\n\r\nVink ten minste één waypoint in de lijst aan om te importeren.",
    "", "", "", "", "", ""};
inline const TLanguageStrings SNoRoutes = {
    "No routes can be imported.\r\n\r\nA route needs to contain at least 2 valid (checked) routepoints to import.",
    "Er kunnen geen routes worden geïmporteerd.\r\n\r\nEen route moet ten minste 2 geldige (aangevinkte) "
    "routepunten bevatten om te importeren.",
    "", "", "", "", "", ""};
inline const TLanguageStrings SNotAllRoutes = {
    "Not all routes can be imported.\r\n\r\nA route needs to contain at least 2 valid (checked) routepoints "
    "to import.\r\n\r\nDo you want to continue without importing the invalid route(s)?",
    "Niet alle routes kunnen worden geïmporteerd.\r\n\r\nEen route moet ten minste 2 geldige (aangevinkte) "
    "routepunten bevatten om te importeren.\r\n\r\nWilt u doorgaan zonder de ongeldige route(s) te importeren?",
    "", "", "", "", "", ""};

}  // namespace ImportSelectText
