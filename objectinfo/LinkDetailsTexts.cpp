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

const TLanguageStrings WaterwayRoute = {
    "Waterway route", "Vaarwegroute", "Wasserstraßenroute", "Itinéraire fluvial", "",
    "Percorso della via navigabile", "Vandvejsrute", "Farledsrutt"};
const TLanguageStrings DistanceMark = {
    "Distance mark", "Kilometrering", "Kilometrierung", "Point kilométrique", "",
    "Progressiva chilometrica", "Kilometermærke", "Kilometermärkning"};
const TLanguageStrings MaxAllowedSpeed = {
    "Max allowed speed", "Max. toegestane snelheid", "Max. zulässige Geschwindigkeit",
    "Vitesse max. autorisée", "", "Velocità max. consentita", "Maks. tilladt hastighed",
    "Max. tillåten hastighet"};
const TLanguageStrings Current = {"Current", "Stroming", "Strömung", "Courant", "",
                                  "Corrente", "Strøm", "Ström"};
const TLanguageStrings OneWayTrafficTo = {
    "One-way traffic to the", "Eenrichtingsverkeer naar het", "Einbahnverkehr nach",
    "Circulation à sens unique vers le", "", "Senso unico verso", "Ensrettet trafik mod",
    "Enkelriktad trafik mot"};
const TLanguageStrings OneWayTraffic = {
    "One-way traffic", "Eenrichtingsverkeer", "Einbahnverkehr", "Circulation à sens unique", "",
    "Senso unico", "Ensrettet trafik", "Enkelriktad trafik"};
const TLanguageStrings NotNavigable = {
    "Not navigable!", "Niet bevaarbaar!", "Nicht befahrbar!", "Non navigable !", "",
    "Non navigabile!", "Ikke sejlbar!", "Ej farbar!"};
const TLanguageStrings PleasureBoatingOnly = {
    "For pleasure boating only", "Alleen voor recreatievaart", "Nur für Sportschifffahrt",
    "Réservé à la navigation de plaisance", "", "Solo per la nautica da diporto",
    "Kun for lystsejlads", "Endast för fritidsbåtar"};
const TLanguageStrings CommercialShippingOnly = {
    "For commercial shipping only", "Alleen voor beroepsvaart", "Nur für Berufsschifffahrt",
    "Réservé à la navigation commerciale", "", "Solo per la navigazione commerciale",
    "Kun for erhvervssejlads", "Endast för yrkessjöfart"};
const TLanguageStrings StayAtLeftBank = {
    "Stay at left bank", "Linkerwal houden", "Am linken Ufer bleiben", "Restez sur la rive gauche",
    "", "Tenere la sponda sinistra", "Hold ved venstre bred", "Håll vänster strand"};
const TLanguageStrings NavigableWithPermitOnly = {
    "Navigable with permit only", "Alleen bevaarbaar met vergunning",
    "Nur mit Genehmigung befahrbar", "Navigable uniquement avec autorisation", "",
    "Navigabile solo con permesso", "Kun sejlbar med tilladelse", "Farbar endast med tillstånd"};
const TLanguageStrings MoreInformation = {
    "More information", "Meer informatie", "Weitere Informationen", "Plus d'informations", "",
    "Ulteriori informazioni", "Flere oplysninger", "Mer information"};
const TLanguageStrings MaxAllowedDimensions = {
    "Max allowed dimensions", "Max. toegestane afmetingen", "Max. zulässige Abmessungen",
    "Dimensions max. autorisées", "", "Dimensioni max. consentite", "Maks. tilladte mål",
    "Max. tillåtna mått"};
const TLanguageStrings CommercialExceptIfBigger = {
    "For commercial shipping only, except if bigger than",
    "Alleen voor beroepsvaart, behalve indien groter dan",
    "Nur für Berufsschifffahrt, außer wenn größer als",
    "Réservé à la navigation commerciale, sauf si plus grand que", "",
    "Solo per la navigazione commerciale, salvo se più grande di",
    "Kun for erhvervssejlads, undtagen hvis større end",
    "Endast för yrkessjöfart, utom om större än"};
const TLanguageStrings Depth = {"Depth", "Diepte", "Tiefe", "Profondeur", "", "Profondità",
                                "Dybde", "Djup"};
const TLanguageStrings CalcDepth = {"Calc. Depth", "Ber. diepte", "Ber. Tiefe", "Prof. calc.", "",
                                    "Prof. calc.", "Ber. dybde", "Ber. djup"};
const TLanguageStrings Height = {"Height", "Hoogte", "Höhe", "Hauteur", "", "Altezza", "Højde",
                                 "Höjd"};
const TLanguageStrings Length = {"Length", "Lengte", "Länge", "Longueur", "", "Lunghezza",
                                 "Længde", "Längd"};
const TLanguageStrings Width = {"Width", "Breedte", "Breite", "Largeur", "", "Larghezza", "Bredde",
                                "Bredd"};
const TLanguageStrings VHFReportChannel = {
    "VHF Report channel", "Marifoon meldkanaal", "UKW-Meldekanal", "Canal VHF de compte rendu", "",
    "Canale VHF di segnalazione", "VHF-meldekanal", "VHF-rapportkanal"};
const TLanguageStrings ToTheOnly = {
    "To the %s only", "Alleen richting %s", "Nur Richtung %s", "Uniquement vers le %s", "",
    "Solo verso %s", "Kun mod %s", "Endast mot %s"};
const TLanguageStrings VHFChannel = {"VHF channel", "Marifoonkanaal", "UKW-Kanal", "Canal VHF", "",
                                     "Canale VHF", "VHF-kanal", "VHF-kanal"};
const TLanguageStrings Callsign = {"Callsign", "Roepnaam", "Rufname", "Indicatif", "",
                                   "Nominativo", "Kaldesignal", "Anropssignal"};
const TLanguageStrings VHFSectorChannel = {
    "VHF Sector channel", "Marifoon blokkanaal", "UKW-Sektorkanal", "Canal VHF de secteur", "",
    "Canale VHF di settore", "VHF-sektorkanal", "VHF-sektorkanal"};

const TLanguageStrings Measurement = {"Measurement", "Meting", "Messung", "Mesure", "",
                                      "Misurazione", "Måling", "Mätning"};
const TLanguageStrings Humidity = {"Humidity", "Luchtvochtigheid", "Luftfeuchtigkeit", "Humidité",
                                   "", "Umidità", "Luftfugtighed", "Luftfuktighet"};
const TLanguageStrings AirPressure = {"Air pressure", "Luchtdruk", "Luftdruck",
                                      "Pression atmosphérique", "", "Pressione atmosferica",
                                      "Lufttryk", "Lufttryck"};
const TLanguageStrings Temperature = {"Temperature", "Temperatuur", "Temperatur", "Température",
                                      "", "Temperatura", "Temperatur", "Temperatur"};
const TLanguageStrings Visibility = {"Visibility", "Zicht", "Sicht", "Visibilité", "",
                                     "Visibilità", "Sigtbarhed", "Sikt"};
const TLanguageStrings WindDirection = {
    "Direction of wind", "Windrichting", "Windrichtung", "Direction du vent", "",
    "Direzione del vento", "Vindretning", "Vindriktning"};
const TLanguageStrings WindSpeed = {"Wind speed", "Windsnelheid", "Windgeschwindigkeit",
                                    "Vitesse du vent", "", "Velocità del vento", "Vindhastighed",
                                    "Vindhastighet"};
const TLanguageStrings WindGust = {"Wind gust", "Windstoot", "Windböe", "Rafale", "",
                                   "Raffica di vento", "Vindstød", "Vindby"};

const TLanguageStrings FacilityUnreadable = {
    "The facility record could not be read:", "Het voorzieningenbestand kon niet worden gelezen:",
    "Die Einrichtungsdatei konnte nicht gelesen werden:",
    "La fiche de l'installation n'a pas pu être lue :", "",
    "Impossibile leggere la scheda della struttura:", "Facilitetsfilen kunne ikke læses:",
    "Anläggningsfilen kunde inte läsas:"};
const TLanguageStrings AttachmentOutsideChart = {
    "The attachment does not lie in the folder of its chart: %1",
    "De bijlage staat niet in de map van haar kaart: %1",
    "Die Anlage liegt nicht im Ordner ihrer Karte: %1",
    "La pièce jointe ne se trouve pas dans le dossier de sa carte : %1", "",
    "L'allegato non si trova nella cartella della sua carta: %1",
    "Bilaget ligger ikke i mappen for dets kort: %1",
    "Bilagan ligger inte i mappen för sitt sjökort: %1"};

}  // namespace LinkDetailsStr
