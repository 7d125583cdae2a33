// Texts of the import wizard, in the program's eight languages.
#pragma once

#include "base/texts/KvLanguage.h"

namespace ImportText {

inline const TLanguageStrings Caption = {"Import", "Importeren", "Importieren", "Importer", "", "Importa",
                                         "Importér", "Importera"};
inline const TLanguageStrings Close = {"Close", "Sluiten", "Schließen", "Fermer", "", "Chiudi", "Luk", "Stäng"};
inline const TLanguageStrings Next = {"Next", "Volgende", "Weiter", "Suivant", "", "Avanti", "Næste", "Nästa"};
inline const TLanguageStrings Previous = {"Previous", "Vorige", "Zurück", "Précédent", "", "Indietro", "Forrige",
                                          "Föregående"};
inline const TLanguageStrings ImportButton = Caption;
inline const TLanguageStrings Help = {"&Help (F1)", "&Help (F1)", "&Hilfe (F1)", "&Aide (F1)", "", "&Guida (F1)",
                                      "&Hjælp (F1)", "&Hjälp (F1)"};
inline const TLanguageStrings GPXCaption = {"GPS exchange file", "GPS-uitwisselingsbestand", "GPS-Austauschdatei",
                                            "Fichier d'échange GPS", "", "File di scambio GPS",
                                            "GPS-udvekslingsfil", "GPS-utbytesfil"};
inline const TLanguageStrings SomeInvalid = {
    "Some of the tracks from the GPS exchange file are invalid\r\n\r\nThe invalid tracks will be ignored.",
    "Enkele tracks uit het GPS-uitwisselingsbestand zijn ongeldig\r\n\r\nDe ongeldige tracks worden genegeerd.",
    "Einige Tracks der GPS-Austauschdatei sind ungültig\r\n\r\nDie ungültigen Tracks werden ignoriert.",
    "Certaines traces du fichier d'échange GPS ne sont pas valides\r\n\r\nLes traces non valides seront ignorées.",
    "", "Alcune tracce del file di scambio GPS non sono valide\r\n\r\nLe tracce non valide saranno ignorate.",
    "Nogle af sporene i GPS-udvekslingsfilen er ugyldige\r\n\r\nDe ugyldige spor ignoreres.",
    "Några av spåren i GPS-utbytesfilen är ogiltiga\r\n\r\nDe ogiltiga spåren ignoreras."};
inline const TLanguageStrings AllInvalid = {
    "All tracks from the GPS exchange file are invalid.\r\n\r\nThe tracks will be ignored.",
    "Alle tracks uit het GPS-uitwisselingsbestand zijn ongeldig.\r\n\r\nDe tracks worden genegeerd.",
    "Alle Tracks der GPS-Austauschdatei sind ungültig.\r\n\r\nDie Tracks werden ignoriert.",
    "Toutes les traces du fichier d'échange GPS sont non valides.\r\n\r\nLes traces seront ignorées.", "",
    "Tutte le tracce del file di scambio GPS non sono valide.\r\n\r\nLe tracce saranno ignorate.",
    "Alle spor i GPS-udvekslingsfilen er ugyldige.\r\n\r\nSporene ignoreres.",
    "Alla spår i GPS-utbytesfilen är ogiltiga.\r\n\r\nSpåren ignoreras."};
inline const TLanguageStrings NoValidData = {
    "Cannot import GPS exchange file.\r\n\r\nNo valid import data has been found.",
    "Kan het GPS-uitwisselingsbestand niet importeren.\r\n\r\nEr zijn geen geldige importgegevens gevonden.",
    "Die GPS-Austauschdatei kann nicht importiert werden.\r\n\r\nEs wurden keine gültigen Importdaten gefunden.",
    "Impossible d'importer le fichier d'échange GPS.\r\n\r\nAucune donnée valide n'a été trouvée.", "",
    "Impossibile importare il file di scambio GPS.\r\n\r\nNon sono stati trovati dati validi.",
    "Kan ikke importere GPS-udvekslingsfilen.\r\n\r\nDer blev ikke fundet gyldige importdata.",
    "Kan inte importera GPS-utbytesfilen.\r\n\r\nInga giltiga importdata hittades."};
inline const TLanguageStrings ErrorReading = {
    "Cannot import GPS exchange file.\r\n\r\nError reading '%s'.",
    "Kan het GPS-uitwisselingsbestand niet importeren.\r\n\r\nFout bij het lezen van '%s'.",
    "Die GPS-Austauschdatei kann nicht importiert werden.\r\n\r\nFehler beim Lesen von '%s'.",
    "Impossible d'importer le fichier d'échange GPS.\r\n\r\nErreur de lecture de '%s'.", "",
    "Impossibile importare il file di scambio GPS.\r\n\r\nErrore durante la lettura di '%s'.",
    "Kan ikke importere GPS-udvekslingsfilen.\r\n\r\nFejl ved læsning af '%s'.",
    "Kan inte importera GPS-utbytesfilen.\r\n\r\nFel vid läsning av '%s'."};
inline const TLanguageStrings NothingSelected = {
    "You have selected nothing to import.\r\n\r\nPlease select at least one item to import.",
    "U hebt niets geselecteerd om te importeren.\r\n\r\nSelecteer ten minste één item.",
    "Sie haben nichts zum Importieren ausgewählt.\r\n\r\nBitte wählen Sie mindestens ein Element aus.",
    "Vous n'avez rien sélectionné à importer.\r\n\r\nVeuillez sélectionner au moins un élément.", "",
    "Non è stato selezionato nulla da importare.\r\n\r\nSelezionare almeno un elemento.",
    "Du har ikke valgt noget at importere.\r\n\r\nVælg mindst ét element.",
    "Du har inte valt något att importera.\r\n\r\nVälj minst ett objekt."};
inline const TLanguageStrings Completed = {"Import completed.", "Importeren voltooid.", "Import abgeschlossen.",
                                           "Importation terminée.", "", "Importazione completata.",
                                           "Import fuldført.", "Importen är klar."};
inline const TLanguageStrings Aborted = {"Import aborted.", "Importeren afgebroken.", "Import abgebrochen.",
                                         "Importation interrompue.", "", "Importazione interrotta.",
                                         "Import afbrudt.", "Importen avbröts."};
inline const TLanguageStrings TracksImported = {
    "%d track files imported.", "%d trackbestanden geïmporteerd.", "%d Trackdateien importiert.",
    "%d fichiers de traces importés.", "", "%d file di tracce importati.", "%d sporfiler importeret.",
    "%d spårfiler importerade."};
inline const TLanguageStrings TracksUnreadable = {
    "%d track files are skipped because they cannot be read.",
    "%d trackbestanden zijn overgeslagen omdat ze niet gelezen kunnen worden.",
    "%d Trackdateien wurden übersprungen, weil sie nicht gelesen werden können.",
    "%d fichiers de traces ont été ignorés car ils sont illisibles.", "",
    "%d file di tracce sono stati saltati perché non leggibili.",
    "%d sporfiler er sprunget over, fordi de ikke kan læses.",
    "%d spårfiler hoppades över eftersom de inte kan läsas."};
inline const TLanguageStrings TracksNotCopied = {
    "%d track files are skipped because they cannot be copied.",
    "%d trackbestanden zijn overgeslagen omdat ze niet gekopieerd kunnen worden.",
    "%d Trackdateien wurden übersprungen, weil sie nicht kopiert werden können.",
    "%d fichiers de traces ont été ignorés car ils ne peuvent pas être copiés.", "",
    "%d file di tracce sono stati saltati perché non copiabili.",
    "%d sporfiler er sprunget over, fordi de ikke kan kopieres.",
    "%d spårfiler hoppades över eftersom de inte kan kopieras."};
inline const TLanguageStrings FailedImport = {
    "Failed to import the track file '%s'.\r\n\r\n%s.\r\n\r\nDo you want to continue?",
    "Kan het trackbestand '%s' niet importeren.\r\n\r\n%s.\r\n\r\nWilt u doorgaan?",
    "Die Trackdatei '%s' konnte nicht importiert werden.\r\n\r\n%s.\r\n\r\nMöchten Sie fortfahren?",
    "Impossible d'importer le fichier de traces '%s'.\r\n\r\n%s.\r\n\r\nVoulez-vous continuer ?", "",
    "Impossibile importare il file di tracce '%s'.\r\n\r\n%s.\r\n\r\nContinuare?",
    "Sporfilen '%s' kunne ikke importeres.\r\n\r\n%s.\r\n\r\nVil du fortsætte?",
    "Spårfilen '%s' kunde inte importeras.\r\n\r\n%s.\r\n\r\nVill du fortsätta?"};
inline const TLanguageStrings FailedCreate = {
    "Failed to create the track file '%s'.\r\n\r\n%s.\r\n\r\nDo you want to continue?",
    "Kan het trackbestand '%s' niet aanmaken.\r\n\r\n%s.\r\n\r\nWilt u doorgaan?",
    "Die Trackdatei '%s' konnte nicht erstellt werden.\r\n\r\n%s.\r\n\r\nMöchten Sie fortfahren?",
    "Impossible de créer le fichier de traces '%s'.\r\n\r\n%s.\r\n\r\nVoulez-vous continuer ?", "",
    "Impossibile creare il file di tracce '%s'.\r\n\r\n%s.\r\n\r\nContinuare?",
    "Sporfilen '%s' kunne ikke oprettes.\r\n\r\n%s.\r\n\r\nVil du fortsætte?",
    "Spårfilen '%s' kunde inte skapas.\r\n\r\n%s.\r\n\r\nVill du fortsätta?"};
inline const TLanguageStrings FailedCopy = {
    "Failed to copy the track file '%s'.\r\n\r\n%s.\r\n\r\nDo you want to continue?",
    "Kan het trackbestand '%s' niet kopiëren.\r\n\r\n%s.\r\n\r\nWilt u doorgaan?",
    "Die Trackdatei '%s' konnte nicht kopiert werden.\r\n\r\n%s.\r\n\r\nMöchten Sie fortfahren?",
    "Impossible de copier le fichier de traces '%s'.\r\n\r\n%s.\r\n\r\nVoulez-vous continuer ?", "",
    "Impossibile copiare il file di tracce '%s'.\r\n\r\n%s.\r\n\r\nContinuare?",
    "Sporfilen '%s' kunne ikke kopieres.\r\n\r\n%s.\r\n\r\nVil du fortsætte?",
    "Spårfilen '%s' kunde inte kopieras.\r\n\r\n%s.\r\n\r\nVill du fortsätta?"};

}  // namespace ImportText
