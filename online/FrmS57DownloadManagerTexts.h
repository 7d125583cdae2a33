// Texts of the Inland ENC download manager.
#pragma once

#include "base/texts/KvLanguage.h"

namespace s57download {

inline const TLanguageStrings TextCaption = {"S57 download manager", "S57-downloadbeheer", "S57-Download-Manager", "", "", "", "", ""};
inline const TLanguageStrings TextBrowse = {"Browse...", "Bladeren...", "Durchsuchen...", "", "", "", "", ""};
inline const TLanguageStrings TextDownload = {"Download", "Downloaden", "Herunterladen", "", "", "", "", ""};
inline const TLanguageStrings TextUpdate = {"Update", "Bijwerken", "Aktualisieren", "", "", "", "", ""};
inline const TLanguageStrings TextAbort = {"&Abort", "&Afbreken", "&Abbrechen", "", "", "", "", ""};
inline const TLanguageStrings TextRemove = {"Remove", "Verwijderen", "Entfernen", "", "", "", "", ""};
inline const TLanguageStrings TextUpdateAll = {"Update all", "Alles bijwerken", "Alle aktualisieren", "", "", "", "", ""};
inline const TLanguageStrings TextBaseFolder = {"Base folder", "Basismap", "Basisordner", "", "", "", "", ""};
inline const TLanguageStrings TextColumnSet = {"Chartset", "Kaartset", "Kartensatz", "", "", "", "", ""};
inline const TLanguageStrings TextColumnDate = {"Date", "Datum", "Datum", "", "", "", "", ""};
inline const TLanguageStrings TextColumnSize = {"Size", "Grootte", "Größe", "", "", "", "", ""};
inline const TLanguageStrings TextColumnState = {"State", "Status", "Status", "", "", "", "", ""};
inline const TLanguageStrings TextAllCharts = {"All available charts", "Alle beschikbare kaarten", "Alle verfügbaren Karten", "", "", "", "", ""};
inline const TLanguageStrings TextComplete = {"Complete", "Compleet", "Komplett", "", "", "", "", ""};
inline const TLanguageStrings TextInstalled = {"Installed", "Geïnstalleerd", "Installiert", "", "", "", "", ""};
inline const TLanguageStrings TextUpdates = {"Updates", "Updates", "Updates", "", "", "", "", ""};
inline const TLanguageStrings TextDeleted = {"Deleted", "Verwijderd", "Gelöscht", "", "", "", "", ""};
inline const TLanguageStrings TextPleaseWait = {"Please wait...", "Even geduld...", "Bitte warten...", "", "", "", "", ""};
inline const TLanguageStrings TextGettingSets = {"Getting available S57 IENC chartsets...", "", "", "", "", "", "", ""};
inline const TLanguageStrings TextSetOf = {"Set %1 (%2) of %3: ", "Set %1 (%2) van %3: ", "Satz %1 (%2) von %3: ", "", "", "", "", ""};
inline const TLanguageStrings TextFileOf = {"Downloading file %1 of %2...", "Bestand %1 van %2 downloaden...", "Datei %1 von %2 wird heruntergeladen...", "", "", "", "", ""};
inline const TLanguageStrings TextFolderError = {"Error creating the installation folder", "Fout bij het maken van de installatiemap", "Fehler beim Anlegen des Installationsordners", "", "", "", "", ""};
inline const TLanguageStrings TextDownloadError = {"Error downloading the S57 chart set", "Fout bij het downloaden van de S57-kaartset", "Fehler beim Herunterladen des S57-Kartensatzes", "", "", "", "", ""};
inline const TLanguageStrings TextListError = {"The list of S57 chart sets could not be fetched.", "", "", "", "", "", "", ""};
inline const TLanguageStrings TextUnsafeName = {"The chart set names a file outside its folder:", "", "", "", "", "", "", ""};
inline const TLanguageStrings TextUpdated = {"The IENC charts have been updated.", "De IENC-kaarten zijn bijgewerkt.", "Die IENC-Karten wurden aktualisiert.", "", "", "", "", ""};
inline const TLanguageStrings TextNoUpdates = {"No updates found. Choose an iENC sailing area first throught File - Properties.", "", "", "", "", "", "", ""};
inline const TLanguageStrings TextRemoveAll = {"Are you sure you want to remove all downloaded S57 chart sets? This will also delete all files belonging to the sets.", "", "", "", "", "", "", ""};
inline const TLanguageStrings TextRemoveCountry = {"Are you sure you want to remove all downloaded S57 chart sets from this country? This will also delete all files belonging to the sets.", "", "", "", "", "", "", ""};
inline const TLanguageStrings TextRemoveSet = {"Removing the S57 chart set will also remove all files in the installation folder. Are you sure you want to continue?", "", "", "", "", "", "", ""};
inline const TLanguageStrings TextCloseActive = {"A download of an S57 chartset is still active. Do you want to close and cancel the download?", "", "", "", "", "", "", ""};
inline const TLanguageStrings TextBrowseTitle = {"Select the S57 chart set folder", "Kies de map voor S57-kaartsets", "S57-Kartensatzordner wählen", "", "", "", "", ""};

}  // namespace s57download
