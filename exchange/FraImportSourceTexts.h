// Texts of the import source pages, in the program's eight languages.
#pragma once

#include "base/texts/KvLanguage.h"

namespace ImportSourceText {

inline const TLanguageStrings ImportType = {"Import type", "Importtype", "Importtyp", "Type d'importation", "",
                                            "Tipo di importazione", "Importtype", "Importtyp"};
inline const TLanguageStrings SelectType = {
    "Select what type of data you want to import", "Selecteer welk type gegevens u wilt importeren",
    "Wählen Sie, welche Art von Daten Sie importieren möchten", "Sélectionnez le type de données à importer", "",
    "Selezionare il tipo di dati da importare", "Vælg hvilken type data du vil importere",
    "Välj vilken typ av data du vill importera"};
inline const TLanguageStrings DataFileChoice = {
    "Marivo 4 of 5 data file", "Marivo 4 of 5 gegevensbestand", "Marivo 4 oder 5 Datendatei",
    "Fichier de données Marivo 4 ou 5", "", "File di dati Marivo 4 o 5", "Marivo 4 eller 5 datafil",
    "Marivo 4 eller 5 datafil"};
inline const TLanguageStrings GPXChoice = {
    "GPS exchange files (*.gpx)", "GPS-uitwisselingsbestanden (*.gpx)", "GPS-Austauschdateien (*.gpx)",
    "Fichiers d'échange GPS (*.gpx)", "", "File di scambio GPS (*.gpx)", "GPS-udvekslingsfiler (*.gpx)",
    "GPS-utbytesfiler (*.gpx)"};
inline const TLanguageStrings PolarChoice = {"Polar diagram files", "Polaire diagrambestanden",
                                             "Polardiagrammdateien", "Fichiers de diagrammes polaires", "",
                                             "File di diagrammi polari", "Polardiagramfiler", "Polardiagramfiler"};
inline const TLanguageStrings TextChoice = {"Text files", "Tekstbestanden", "Textdateien", "Fichiers texte", "",
                                            "File di testo", "Tekstfiler", "Textfiler"};
inline const TLanguageStrings Routes = {"Routes", "Routes", "Routen", "Routes", "", "Rotte", "Ruter", "Rutter"};
inline const TLanguageStrings Waypoints = {"Waypoints", "Waypoints", "Wegpunkte", "Waypoints", "", "Waypoint",
                                           "Waypoints", "Waypoints"};
inline const TLanguageStrings TrackChoice = {"Track files", "Trackbestanden", "Trackdateien", "Fichiers de traces",
                                             "", "File di tracce", "Sporfiler", "Spårfiler"};

// The single-file page.
inline const TLanguageStrings KindNone = {"None", "None", "None", "None", "None", "None", "None", "None"};
inline const TLanguageStrings KindDataFile = {
    "Marivo 4 or 5 data file", "Marivo 4 of 5 gegevensbestand", "Marivo 4 oder 5 Datendatei",
    "fichier de données Marivo 4 ou 5", "", "file di dati Marivo 4 o 5", "Marivo 4 eller 5 datafil",
    "Marivo 4 eller 5 datafil"};
inline const TLanguageStrings KindGPX = {"GPS exchange file", "GPS-uitwisselingsbestand", "GPS-Austauschdatei",
                                         "fichier d'échange GPS", "", "file di scambio GPS", "GPS-udvekslingsfil",
                                         "GPS-utbytesfil"};
inline const TLanguageStrings KindRouteFile = {"Route file", "Routebestand", "Routendatei", "fichier de route", "",
                                               "file di rotta", "Rutefil", "Ruttfil"};
inline const TLanguageStrings Browse = {"Browse...", "Bladeren...", "Durchsuchen...", "Parcourir...", "",
                                        "Sfoglia...", "Gennemse...", "Bläddra..."};
inline const TLanguageStrings SelectFile = {
    "Select the %s file you wish to import", "Selecteer het %s dat u wilt importeren",
    "Wählen Sie die %s, die Sie importieren möchten", "Sélectionnez le %s à importer", "",
    "Selezionare il %s da importare", "Vælg den %s, du vil importere", "Välj den %s du vill importera"};
inline const TLanguageStrings FilterDataFile = {
    "Marivo 4 of 5 Database|*.m4db;*.m5db|Marivo 5 Database (*.m5db)|*.m5db|Marivo 4 Database (*.m4db)|*.m4db",
    "Marivo 4 of 5 database|*.m4db;*.m5db|Marivo 5 database (*.m5db)|*.m5db|Marivo 4 database (*.m4db)|*.m4db",
    "Marivo 4 oder 5 Datenbank|*.m4db;*.m5db|Marivo 5 Datenbank (*.m5db)|*.m5db|Marivo 4 Datenbank (*.m4db)|*.m4db",
    "", "", "", "", ""};
inline const TLanguageStrings FilterGPX = {
    "GPS exchange file (*.gpx)|*.gpx", "GPS-uitwisselingsbestand (*.gpx)|*.gpx", "GPS-Austauschdatei (*.gpx)|*.gpx",
    "Fichier d'échange GPS (*.gpx)|*.gpx", "", "File di scambio GPS (*.gpx)|*.gpx",
    "GPS-udvekslingsfil (*.gpx)|*.gpx", "GPS-utbytesfil (*.gpx)|*.gpx"};
inline const TLanguageStrings FilterText = {
    "Text files (*.txt, *.csv)|*.txt;*.csv", "Tekstbestanden (*.txt, *.csv)|*.txt;*.csv",
    "Textdateien (*.txt, *.csv)|*.txt;*.csv", "Fichiers texte (*.txt, *.csv)|*.txt;*.csv", "",
    "File di testo (*.txt, *.csv)|*.txt;*.csv", "Tekstfiler (*.txt, *.csv)|*.txt;*.csv",
    "Textfiler (*.txt, *.csv)|*.txt;*.csv"};
inline const TLanguageStrings FilterAll = {"All files (*.*)|*.*", "Alle bestanden (*.*)|*.*",
                                           "Alle Dateien (*.*)|*.*", "Tous les fichiers (*.*)|*.*", "",
                                           "Tutti i file (*.*)|*.*", "Alle filer (*.*)|*.*", "Alla filer (*.*)|*.*"};
inline const TLanguageStrings InvalidFile = {
    "No or an invalid %s has been selected.\r\n\r\nPlease select a valid %s.",
    "Er is geen of een ongeldig %s geselecteerd.\r\n\r\nSelecteer een geldig %s.",
    "Es wurde keine oder eine ungültige %s ausgewählt.\r\n\r\nBitte wählen Sie eine gültige %s.",
    "Aucun %s valide n'a été sélectionné.\r\n\r\nVeuillez sélectionner un %s valide.", "",
    "Nessun %s o un %s non valido selezionato.\r\n\r\nSelezionare un %s valido.",
    "Ingen eller en ugyldig %s er valgt.\r\n\r\nVælg en gyldig %s.",
    "Ingen eller en ogiltig %s har valts.\r\n\r\nVälj en giltig %s."};

// The file list page.
inline const TLanguageStrings KindPolarFiles = PolarChoice;
inline const TLanguageStrings KindWaypointFiles = {"Waypoint files", "Waypointbestanden", "Wegpunktdateien",
                                                   "Fichiers de waypoints", "", "File di waypoint",
                                                   "Waypointfiler", "Waypointfiler"};
inline const TLanguageStrings KindRouteFiles = {"Route files", "Routebestanden", "Routendateien",
                                                "Fichiers de routes", "", "File di rotte", "Rutefiler",
                                                "Ruttfiler"};
inline const TLanguageStrings KindTrackFiles = TrackChoice;
inline const TLanguageStrings FilterPolars = {
    "Polar diagram files (*.spd)|*.spd", "Polaire diagrambestanden (*.spd)|*.spd",
    "Polardiagrammdateien (*.spd)|*.spd", "Fichiers de diagrammes polaires (*.spd)|*.spd", "",
    "File di diagrammi polari (*.spd)|*.spd", "Polardiagramfiler (*.spd)|*.spd", "Polardiagramfiler (*.spd)|*.spd"};
inline const TLanguageStrings FilterTracks = {
    "Track files (*.trk)|*.trk", "Trackbestanden (*.trk)|*.trk", "Trackdateien (*.trk)|*.trk",
    "Fichiers de traces (*.trk)|*.trk", "", "File di tracce (*.trk)|*.trk", "Sporfiler (*.trk)|*.trk",
    "Spårfiler (*.trk)|*.trk"};
inline const TLanguageStrings Add = {"Add", "Toevoegen", "Hinzufügen", "Ajouter", "", "Aggiungi", "Tilføj",
                                     "Lägg till"};
inline const TLanguageStrings Delete = {"Delete", "Verwijderen", "Löschen", "Supprimer", "", "Elimina", "Slet",
                                        "Ta bort"};
inline const TLanguageStrings AddToList = {
    "Add the %s you wish to import to the list below.", "Voeg de %s die u wilt importeren toe aan de lijst hieronder.",
    "Fügen Sie die %s, die Sie importieren möchten, der Liste unten hinzu.",
    "Ajoutez les %s à importer à la liste ci-dessous.", "", "Aggiungere i %s da importare all'elenco sottostante.",
    "Tilføj de %s, du vil importere, til listen nedenfor.", "Lägg till de %s du vill importera i listan nedan."};
inline const TLanguageStrings InTracksFolder = {
    "The selected track files are already in the track folder of %s and can therefore not be imported.",
    "De geselecteerde trackbestanden staan al in de trackmap van %s en kunnen daarom niet worden geïmporteerd.",
    "Die ausgewählten Trackdateien befinden sich bereits im Trackordner von %s und können daher nicht importiert "
    "werden.",
    "Les fichiers de traces sélectionnés sont déjà dans le dossier des traces de %s et ne peuvent donc pas être "
    "importés.",
    "", "I file di tracce selezionati si trovano già nella cartella delle tracce di %s e non possono quindi essere "
        "importati.",
    "De valgte sporfiler ligger allerede i spormappen i %s og kan derfor ikke importeres.",
    "De valda spårfilerna finns redan i spårmappen för %s och kan därför inte importeras."};
inline const TLanguageStrings CannotAdd = {
    "Cannot add the file \"%s\".\r\n\r\n%s.", "Kan het bestand \"%s\" niet toevoegen.\r\n\r\n%s.",
    "Die Datei \"%s\" kann nicht hinzugefügt werden.\r\n\r\n%s.", "Impossible d'ajouter le fichier \"%s\".\r\n\r\n%s.",
    "", "Impossibile aggiungere il file \"%s\".\r\n\r\n%s.", "Kan ikke tilføje filen \"%s\".\r\n\r\n%s.",
    "Kan inte lägga till filen \"%s\".\r\n\r\n%s."};
inline const TLanguageStrings ConfirmDelete = {
    "Are you sure you want to delete the selected files from the import file list?",
    "Weet u zeker dat u de geselecteerde bestanden uit de lijst met importbestanden wilt verwijderen?",
    "Möchten Sie die ausgewählten Dateien wirklich aus der Liste der Importdateien entfernen?",
    "Voulez-vous vraiment supprimer les fichiers sélectionnés de la liste des fichiers à importer ?", "",
    "Eliminare i file selezionati dall'elenco dei file da importare?",
    "Er du sikker på, at du vil slette de valgte filer fra listen over importfiler?",
    "Är du säker på att du vill ta bort de valda filerna från listan över importfiler?"};
inline const TLanguageStrings NoFiles = {
    "No import files have been selected.\r\n\r\nPlease add at least one import file to the import file list.",
    "Er zijn geen importbestanden geselecteerd.\r\n\r\nVoeg ten minste één importbestand toe aan de lijst.",
    "Es wurden keine Importdateien ausgewählt.\r\n\r\nBitte fügen Sie der Liste mindestens eine Importdatei hinzu.",
    "Aucun fichier à importer n'a été sélectionné.\r\n\r\nVeuillez ajouter au moins un fichier à la liste.", "",
    "Nessun file da importare selezionato.\r\n\r\nAggiungere almeno un file all'elenco.",
    "Der er ikke valgt nogen importfiler.\r\n\r\nTilføj mindst én importfil til listen.",
    "Inga importfiler har valts.\r\n\r\nLägg till minst en importfil i listan."};
inline const TLanguageStrings MissingFiles = {
    "Invalid or non existing import files have been selected.\r\n\r\nPlease add only valid and existing import "
    "files to the import file list.",
    "Er zijn ongeldige of niet bestaande importbestanden geselecteerd.\r\n\r\nVoeg alleen geldige en bestaande "
    "importbestanden toe aan de lijst.",
    "Es wurden ungültige oder nicht vorhandene Importdateien ausgewählt.\r\n\r\nBitte fügen Sie der Liste nur "
    "gültige und vorhandene Importdateien hinzu.",
    "Des fichiers à importer non valides ou inexistants ont été sélectionnés.\r\n\r\nVeuillez n'ajouter à la liste "
    "que des fichiers valides et existants.",
    "", "Sono stati selezionati file non validi o inesistenti.\r\n\r\nAggiungere all'elenco solo file validi ed "
        "esistenti.",
    "Der er valgt ugyldige eller ikke-eksisterende importfiler.\r\n\r\nTilføj kun gyldige og eksisterende filer til "
    "listen.",
    "Ogiltiga eller obefintliga importfiler har valts.\r\n\r\nLägg endast till giltiga och befintliga filer i "
    "listan."};

}  // namespace ImportSourceText
