// Texts of the data recorder and its page: English, Dutch, German, French, Spanish (empty:
// English is shown), Italian, Danish, Swedish.
#pragma once

#include "base/texts/KvLanguage.h"

namespace TimexText {

// %1 the file name.
inline const TLanguageStrings SFileNotOpened = {
    "The file \"%1\" cannot be opened.",
    "Het bestand \"%1\" kan niet worden geopend.",
    "Die Datei \"%1\" kann nicht geöffnet werden.",
    "Impossible d'ouvrir le fichier \"%1\".",
    "",
    "Impossibile aprire il file \"%1\".",
    "Filen \"%1\" kan ikke åbnes.",
    "Filen \"%1\" kan inte öppnas."};
inline const TLanguageStrings SFileNotWritten = {
    "The file \"%1\" cannot be written.",
    "Het bestand \"%1\" kan niet worden geschreven.",
    "Die Datei \"%1\" kann nicht geschrieben werden.",
    "Impossible d'écrire le fichier \"%1\".",
    "",
    "Impossibile scrivere il file \"%1\".",
    "Filen \"%1\" kan ikke skrives.",
    "Filen \"%1\" kan inte skrivas."};
inline const TLanguageStrings SFileNoRecorderData = {
    "The file \"%1\" holds no data-recorder data of a known version.",
    "Het bestand \"%1\" bevat geen gegevens van de datarecorder in een bekende versie.",
    "Die Datei \"%1\" enthält keine Datenrekorder-Daten einer bekannten Version.",
    "Le fichier \"%1\" ne contient pas de données d'enregistreur d'une version connue.",
    "",
    "Il file \"%1\" non contiene dati del registratore in una versione nota.",
    "Filen \"%1\" indeholder ingen dataloggerdata i en kendt version.",
    "Filen \"%1\" innehåller inga dataloggerdata i en känd version."};
inline const TLanguageStrings SFileDamaged = {
    "The file \"%1\" is damaged: it claims more data than it holds.",
    "Het bestand \"%1\" is beschadigd: het vermeldt meer gegevens dan het bevat.",
    "Die Datei \"%1\" ist beschädigt: Sie gibt mehr Daten an, als sie enthält.",
    "Le fichier \"%1\" est endommagé : il annonce plus de données qu'il n'en contient.",
    "",
    "Il file \"%1\" è danneggiato: dichiara più dati di quanti ne contenga.",
    "Filen \"%1\" er beskadiget: den angiver flere data, end den indeholder.",
    "Filen \"%1\" är skadad: den anger mer data än den innehåller."};

// Parse issues; %1 the session's number (from 1), %2 the byte offset.
inline const TLanguageStrings SIssueTruncated = {
    "Recording %1 is incomplete: the data end at byte %2.",
    "Opname %1 is onvolledig: de gegevens eindigen bij byte %2.",
    "Aufzeichnung %1 ist unvollständig: Die Daten enden bei Byte %2.",
    "L'enregistrement %1 est incomplet : les données s'arrêtent à l'octet %2.",
    "",
    "La registrazione %1 è incompleta: i dati terminano al byte %2.",
    "Optagelse %1 er ufuldstændig: dataene slutter ved byte %2.",
    "Inspelning %1 är ofullständig: data slutar vid byte %2."};
inline const TLanguageStrings SIssueUnknownKind = {
    "Recording %1 holds an unknown record at byte %2; its records from there on are skipped.",
    "Opname %1 bevat een onbekend record bij byte %2; de records vanaf daar worden overgeslagen.",
    "Aufzeichnung %1 enthält bei Byte %2 einen unbekannten Datensatz; die Datensätze ab dort "
    "werden übersprungen.",
    "L'enregistrement %1 contient un enregistrement inconnu à l'octet %2 ; les suivants sont "
    "ignorés.",
    "",
    "La registrazione %1 contiene un record sconosciuto al byte %2; i record successivi sono "
    "ignorati.",
    "Optagelse %1 indeholder en ukendt post ved byte %2; posterne derfra springes over.",
    "Inspelning %1 innehåller en okänd post vid byte %2; posterna därifrån hoppas över."};
inline const TLanguageStrings SIssueRecordPastEnd = {
    "Recording %1 holds a record at byte %2 that runs past its end; its records from there on "
    "are skipped.",
    "Opname %1 bevat bij byte %2 een record dat voorbij het einde loopt; de records vanaf daar "
    "worden overgeslagen.",
    "Aufzeichnung %1 enthält bei Byte %2 einen Datensatz, der über ihr Ende hinausreicht; die "
    "Datensätze ab dort werden übersprungen.",
    "L'enregistrement %1 contient à l'octet %2 un enregistrement qui dépasse sa fin ; les "
    "suivants sont ignorés.",
    "",
    "La registrazione %1 contiene al byte %2 un record che supera la sua fine; i record "
    "successivi sono ignorati.",
    "Optagelse %1 indeholder ved byte %2 en post, der går ud over dens slutning; posterne "
    "derfra springes over.",
    "Inspelning %1 innehåller vid byte %2 en post som går förbi dess slut; posterna därifrån "
    "hoppas över."};
inline const TLanguageStrings SIssueShortSession = {
    "Recording %1 at byte %2 is damaged: its length is too small. The data from there on are "
    "not read.",
    "Opname %1 bij byte %2 is beschadigd: de lengte is te klein. De gegevens vanaf daar worden "
    "niet gelezen.",
    "Aufzeichnung %1 bei Byte %2 ist beschädigt: Ihre Länge ist zu klein. Die Daten ab dort "
    "werden nicht gelesen.",
    "L'enregistrement %1 à l'octet %2 est endommagé : sa longueur est trop petite. Les données "
    "suivantes ne sont pas lues.",
    "",
    "La registrazione %1 al byte %2 è danneggiata: la sua lunghezza è troppo piccola. I dati "
    "successivi non vengono letti.",
    "Optagelse %1 ved byte %2 er beskadiget: dens længde er for lille. Dataene derfra læses "
    "ikke.",
    "Inspelning %1 vid byte %2 är skadad: dess längd är för liten. Data därifrån läses inte."};
inline const TLanguageStrings SIssueBadDateTime = {
    "Recording %1 holds an invalid date or time at byte %2. The data from there on are not "
    "read.",
    "Opname %1 bevat bij byte %2 een ongeldige datum of tijd. De gegevens vanaf daar worden "
    "niet gelezen.",
    "Aufzeichnung %1 enthält bei Byte %2 ein ungültiges Datum oder eine ungültige Uhrzeit. Die "
    "Daten ab dort werden nicht gelesen.",
    "L'enregistrement %1 contient une date ou une heure non valide à l'octet %2. Les données "
    "suivantes ne sont pas lues.",
    "",
    "La registrazione %1 contiene una data o un'ora non valida al byte %2. I dati successivi "
    "non vengono letti.",
    "Optagelse %1 indeholder en ugyldig dato eller tid ved byte %2. Dataene derfra læses ikke.",
    "Inspelning %1 innehåller ett ogiltigt datum eller en ogiltig tid vid byte %2. Data "
    "därifrån läses inte."};

}  // namespace TimexText

namespace TimexText {

inline const TLanguageStrings SReadFailed = {
    "The data could not be read from the data recorder.",
    "De gegevens konden niet uit de datarecorder worden gelezen.",
    "Die Daten konnten nicht aus dem Datenrekorder gelesen werden.",
    "Les données n'ont pas pu être lues depuis l'enregistreur.",
    "",
    "Non è stato possibile leggere i dati dal registratore.",
    "Dataene kunne ikke læses fra dataloggeren.",
    "Data kunde inte läsas från dataloggern."};
inline const TLanguageStrings SNotConnected = {
    "The TIMEX datarecorder is not connected!",
    "De TIMEX-datarecorder is niet aangesloten!",
    "Der TIMEX-Datenrekorder ist nicht angeschlossen!",
    "L'enregistreur de données TIMEX n'est pas connecté !",
    "",
    "Il registratore di dati TIMEX non è collegato!",
    "TIMEX-dataloggeren er ikke tilsluttet!",
    "TIMEX-dataloggern är inte ansluten!"};
inline const TLanguageStrings SConfirmClear = {
    "Do you want to clear the data on the device?",
    "Wilt u de gegevens op het apparaat wissen?",
    "Möchten Sie die Daten auf dem Gerät löschen?",
    "Voulez-vous effacer les données de l'appareil ?",
    "",
    "Cancellare i dati sul dispositivo?",
    "Vil du slette dataene på enheden?",
    "Vill du radera data på enheten?"};
inline const TLanguageStrings SMemoryCleared = {
    "Memory Cleared", "Geheugen gewist", "Speicher gelöscht", "Mémoire effacée", "",
    "Memoria cancellata", "Hukommelse slettet", "Minnet raderat"};
inline const TLanguageStrings SClearFailed = {
    "Clearing Device Memory Unsuccessful!",
    "Wissen van het apparaatgeheugen mislukt!",
    "Löschen des Gerätespeichers fehlgeschlagen!",
    "Échec de l'effacement de la mémoire de l'appareil !",
    "",
    "Cancellazione della memoria del dispositivo non riuscita!",
    "Sletning af enhedens hukommelse mislykkedes!",
    "Det gick inte att radera enhetens minne!"};
inline const TLanguageStrings STabSessions = {
    "Session information", "Sessie-informatie", "Sitzungsinformationen",
    "Informations de session", "", "Informazioni sessione", "Sessionsoplysninger",
    "Sessionsinformation"};
inline const TLanguageStrings SButtonClear = {
    "Clear data recorder", "Datarecorder wissen", "Datenrekorder löschen",
    "Effacer l'enregistreur", "", "Cancella registratore", "Slet datalogger",
    "Rensa dataloggern"};
inline const TLanguageStrings SButtonLoad = {
    "Load...", "Laden...", "Laden...", "Charger...", "", "Carica...", "Indlæs...", "Läs in..."};
inline const TLanguageStrings SButtonSave = {
    "Save...", "Opslaan...", "Speichern...", "Enregistrer...", "", "Salva...", "Gem...",
    "Spara..."};

}  // namespace TimexText
