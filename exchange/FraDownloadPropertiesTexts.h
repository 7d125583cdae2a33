// Texts of the download properties page: English, Dutch, German, French, Spanish (empty:
// English is shown), Italian, Danish, Swedish.
#pragma once

#include "base/texts/KvLanguage.h"

namespace DownloadPropertiesText {

inline const TLanguageStrings SInformation = {
    "Specify the properties for the downloaded waypoints and routes",
    "Geef de eigenschappen op voor de gedownloade waypoints en routes",
    "Legen Sie die Eigenschaften der heruntergeladenen Wegpunkte und Routen fest",
    "Indiquez les propriétés des waypoints et routes téléchargés", "",
    "Specificare le proprietà dei waypoint e delle rotte scaricati",
    "Angiv egenskaberne for de hentede waypoints og ruter",
    "Ange egenskaperna för de hämtade waypoints och rutterna"};
inline const TLanguageStrings SWaypointProperties = {
    "Waypoint properties", "Waypointeigenschappen", "Wegpunkteigenschaften",
    "Propriétés des waypoints", "", "Proprietà waypoint", "Waypointegenskaber",
    "Waypointegenskaper"};
inline const TLanguageStrings SGroup = {"Group", "Groep", "Gruppe", "Groupe", "", "Gruppo",
                                        "Gruppe", "Grupp"};
inline const TLanguageStrings SType = {"Type", "Type", "Typ", "Type", "", "Tipo", "Type", "Typ"};
inline const TLanguageStrings SSelectType = {"Select type...", "Type kiezen...", "Typ wählen...",
                                             "Choisir le type...", "", "Seleziona tipo...",
                                             "Vælg type...", "Välj typ..."};
inline const TLanguageStrings SDefaultType = {"Default type", "Standaardtype", "Standardtyp",
                                              "Type par défaut", "", "Tipo predefinito",
                                              "Standardtype", "Standardtyp"};
inline const TLanguageStrings SRouteProperties = {
    "Route properties", "Route-eigenschappen", "Routeneigenschaften", "Propriétés des routes",
    "", "Proprietà rotta", "Ruteegenskaber", "Ruttegenskaper"};
inline const TLanguageStrings SRadius = {"Radius", "Straal", "Radius", "Rayon", "", "Raggio",
                                         "Radius", "Radie"};
inline const TLanguageStrings SRadiusInfo = {
    "Use the following radius for all route points",
    "Gebruik de volgende straal voor alle routepunten",
    "Den folgenden Radius für alle Routenpunkte verwenden",
    "Utiliser le rayon suivant pour tous les points de route", "",
    "Usa il raggio seguente per tutti i punti della rotta",
    "Brug følgende radius for alle rutepunkter",
    "Använd följande radie för alla ruttpunkter"};
inline const TLanguageStrings SGroupExisting = {
    "Place in an existing waypoint group", "In een bestaande waypointgroep plaatsen",
    "In eine vorhandene Wegpunktgruppe einfügen", "Placer dans un groupe de waypoints existant",
    "", "Inserisci in un gruppo di waypoint esistente", "Placér i en eksisterende waypointgruppe",
    "Placera i en befintlig waypointgrupp"};
inline const TLanguageStrings SGroupNew = {
    "Place in a new waypoint group", "In een nieuwe waypointgroep plaatsen",
    "In eine neue Wegpunktgruppe einfügen", "Placer dans un nouveau groupe de waypoints", "",
    "Inserisci in un nuovo gruppo di waypoint", "Placér i en ny waypointgruppe",
    "Placera i en ny waypointgrupp"};
inline const TLanguageStrings SGroupNone = {
    "Do not place in a waypoint group", "Niet in een waypointgroep plaatsen",
    "In keine Wegpunktgruppe einfügen", "Ne pas placer dans un groupe de waypoints", "",
    "Non inserire in un gruppo di waypoint", "Placér ikke i en waypointgruppe",
    "Placera inte i en waypointgrupp"};
inline const TLanguageStrings SNoGroupName = {
    "You have not entered a waypoint group name.\n\nPlease enter a waypoint group name and try "
    "again.",
    "U hebt geen naam voor de waypointgroep ingevoerd.\n\nVoer een naam in en probeer het "
    "opnieuw.",
    "Sie haben keinen Namen für die Wegpunktgruppe eingegeben.\n\nBitte geben Sie einen Namen "
    "ein und versuchen Sie es erneut.",
    "Vous n'avez pas saisi de nom de groupe de waypoints.\n\nVeuillez saisir un nom et "
    "réessayer.",
    "",
    "Non è stato inserito un nome per il gruppo di waypoint.\n\nInserire un nome e riprovare.",
    "Du har ikke angivet et navn på waypointgruppen.\n\nAngiv et navn, og prøv igen.",
    "Du har inte angett något namn på waypointgruppen.\n\nAnge ett namn och försök igen."};

}  // namespace DownloadPropertiesText
