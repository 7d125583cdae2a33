// Texts of the format profile manager and editor: English, Dutch, German, French, Spanish,
// Italian, Danish, Swedish (an empty entry shows the English text).
#pragma once

#include "base/texts/KvLanguage.h"

namespace FormatProfileText {

inline const TLanguageStrings SAdd = {"Add..", "Toevoegen..", "Hinzufügen..", "Ajouter..", "", "Aggiungi..",
                                      "Tilføj..", "Lägg till.."};
inline const TLanguageStrings SClose = {"Close", "Sluiten", "Schließen", "Fermer", "", "Chiudi", "Luk", "Stäng"};
inline const TLanguageStrings SDelete = {"Delete", "Verwijderen", "Löschen", "Supprimer", "", "Elimina", "Slet",
                                         "Ta bort"};
inline const TLanguageStrings SEdit = {"Edit...", "Wijzigen...", "Bearbeiten...", "Modifier...", "", "Modifica...",
                                       "Rediger...", "Redigera..."};
inline const TLanguageStrings SHelp = {"&Help", "&Help", "&Hilfe", "&Aide", "", "&Guida", "&Hjælp", "&Hjälp"};
inline const TLanguageStrings SWaypointProfiles = {"Waypoint profiles", "Waypointprofielen", "Wegpunktprofile",
                                                   "Profils de waypoint", "", "Profili waypoint",
                                                   "Waypointprofiler", "Waypointprofiler"};
inline const TLanguageStrings SWaypointManager = {"Waypoint profile manager", "Waypointprofielbeheer",
                                                  "Wegpunktprofil-Verwaltung", "Gestionnaire de profils de waypoint",
                                                  "", "Gestione profili waypoint", "Waypointprofiladministration",
                                                  "Waypointprofilhanterare"};
inline const TLanguageStrings SRouteProfiles = {"Route profiles", "Routeprofielen", "Routenprofile",
                                                "Profils de route", "", "Profili rotta", "Ruteprofiler",
                                                "Ruttprofiler"};
inline const TLanguageStrings SRouteManager = {"Route profile manager", "Routeprofielbeheer",
                                               "Routenprofil-Verwaltung", "Gestionnaire de profils de route", "",
                                               "Gestione profili rotta", "Ruteprofiladministration",
                                               "Ruttprofilhanterare"};
inline const TLanguageStrings SConfirmDelete = {
    "Are you sure you want to delete the selected format profile?",
    "Weet u zeker dat u het geselecteerde formaatprofiel wilt verwijderen?", "", "", "", "", "", ""};
inline const TLanguageStrings SCannotSave = {
    "Cannot save the profile manager file \"%0:s\".\r\n\r\n%1:s",
    "Kan het bestand van het profielbeheer \"%0:s\" niet opslaan.\r\n\r\n%1:s", "", "", "", "", "", ""};
inline const TLanguageStrings SDuplicateName = {
    "A format profile named \"%s\" already exists.\r\n\r\nPlease enter another name.",
    "Er bestaat al een formaatprofiel met de naam \"%s\".\r\n\r\nGeef een andere naam op.", "", "", "", "", "", ""};
inline const TLanguageStrings SEditProfile = {"Edit %s", "%s wijzigen", "%s bearbeiten", "Modifier %s", "",
                                              "Modifica %s", "Rediger %s", "Redigera %s"};
inline const TLanguageStrings SGeneral = {"General", "Algemeen", "Allgemein", "Général", "", "Generale", "Generelt",
                                          "Allmänt"};
inline const TLanguageStrings SOK = {"OK", "OK", "OK", "OK", "", "OK", "OK", "OK"};
inline const TLanguageStrings SCancel = {"Cancel", "Annuleren", "Abbrechen", "Annuler", "", "Annulla", "Annuller",
                                         "Avbryt"};
inline const TLanguageStrings SEmptyName = {
    "The format profile name cannot be empty.\r\n\r\nPlease enter a format profile name.",
    "De naam van het formaatprofiel mag niet leeg zijn.\r\n\r\nGeef een naam op.", "", "", "", "", "", ""};
inline const TLanguageStrings SGroupSample = {"Group", "Groep", "Gruppe", "Groupe", "", "Gruppo", "Gruppe", "Grupp"};
inline const TLanguageStrings SNameSample = {"Name", "Naam", "Name", "Nom", "", "Nome", "Navn", "Namn"};
inline const TLanguageStrings SSubNameSample = {"Sub name", "Subnaam", "Untername", "Sous-nom", "", "Sottonome",
                                                "Undernavn", "Undernamn"};
inline const TLanguageStrings STypeSample = {"Type", "Type", "Typ", "Type", "", "Tipo", "Type", "Typ"};

}  // namespace FormatProfileText
