#include "objectinfo/LinkDetailsTexts.h"

namespace LinkDetailsStr {

const TLanguageStrings CaptionWaypoint = {
    "Waypoint properties", "Waypointeigenschappen", "Wegpunkteigenschaften",
    "Propriétés du waypoint", "", "Proprietà del waypoint", "Waypointegenskaber",
    "Waypointegenskaper"};
const TLanguageStrings CaptionWaterway = {
    "Waterway properties", "Vaarwegeigenschappen", "Wasserstraßeneigenschaften",
    "Propriétés de la voie navigable", "", "Proprietà della via navigabile",
    "Vandvejsegenskaber", "Farledsegenskaper"};
const TLanguageStrings CaptionStructures = {
    "Bridges, locks and other structures", "Bruggen, sluizen en andere objecten",
    "Brücken, Schleusen und andere Bauwerke", "Ponts, écluses et autres ouvrages", "",
    "Ponti, chiuse e altre opere", "Broer, sluser og andre bygværker",
    "Broar, slussar och andra byggnadsverk"};
const TLanguageStrings NavigateTo = {
    "Navigate to", "Navigeer naar", "Navigieren zu", "Naviguer vers", "", "Naviga verso",
    "Naviger til", "Navigera till"};
const TLanguageStrings ErrorReadingTextFile = {
    "Error reading text file", "Fout bij het lezen van het tekstbestand",
    "Fehler beim Lesen der Textdatei", "Erreur de lecture du fichier texte", "",
    "Errore durante la lettura del file di testo", "Fejl ved læsning af tekstfil",
    "Fel vid läsning av textfil"};

const TLanguageStrings Name = {"Name", "Naam", "Name", "Nom", "", "Nome", "Navn", "Namn"};
const TLanguageStrings Latitude = {"Latitude", "Breedte", "Breite", "Latitude", "",
                                   "Latitudine", "Bredde", "Latitud"};
const TLanguageStrings Longitude = {"Longitude", "Lengte", "Länge", "Longitude", "",
                                    "Longitudine", "Længde", "Longitud"};
const TLanguageStrings Subtext = {"Subtext", "Subtekst", "Untertext", "Sous-texte", "",
                                  "Sottotesto", "Undertekst", "Undertext"};
const TLanguageStrings Type = {"Type", "Type", "Typ", "Type", "", "Tipo", "Type", "Typ"};
const TLanguageStrings Link = {"Link", "Koppeling", "Link", "Lien", "", "Collegamento", "Link",
                               "Länk"};
const TLanguageStrings ContactDetails = {
    "Contact details", "Contactgegevens", "Kontaktdaten", "Coordonnées", "", "Recapiti",
    "Kontaktoplysninger", "Kontaktuppgifter"};
const TLanguageStrings TelephoneNumber = {
    "Telephone number", "Telefoonnummer", "Telefonnummer", "Numéro de téléphone", "",
    "Numero di telefono", "Telefonnummer", "Telefonnummer"};
const TLanguageStrings EmailAddress = {
    "E-mail address", "E-mailadres", "E-Mail-Adresse", "Adresse e-mail", "",
    "Indirizzo e-mail", "E-mailadresse", "E-postadress"};
const TLanguageStrings Website = {"Website", "Website", "Website", "Site web", "", "Sito web",
                                  "Websted", "Webbplats"};
const TLanguageStrings OpeningHours = {
    "Opening hours", "Openingstijden", "Öffnungszeiten", "Heures d'ouverture", "",
    "Orari di apertura", "Åbningstider", "Öppettider"};
const TLanguageStrings ExtraInformation = {
    "Extra information", "Extra informatie", "Zusätzliche Informationen",
    "Informations supplémentaires", "", "Informazioni aggiuntive", "Yderligere oplysninger",
    "Ytterligare information"};
const TLanguageStrings Mooring = {"Mooring", "Aanlegplaats", "Anlegestelle", "Amarrage", "",
                                  "Ormeggio", "Fortøjning", "Förtöjning"};
const TLanguageStrings Terrace = {"Terrace", "Terras", "Terrasse", "Terrasse", "", "Terrazza",
                                  "Terrasse", "Terrass"};
const TLanguageStrings Specialty = {"Specialty", "Specialiteit", "Spezialität", "Spécialité",
                                    "", "Specialità", "Specialitet", "Specialitet"};
const TLanguageStrings Comments = {"Comments", "Opmerkingen", "Bemerkungen", "Commentaires",
                                   "", "Commenti", "Bemærkninger", "Kommentarer"};

}  // namespace LinkDetailsStr
