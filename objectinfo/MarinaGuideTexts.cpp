#include "objectinfo/MarinaGuideTexts.h"

namespace MarinaStr {

const TLanguageStrings General = {"General", "Algemeen", "Allgemein", "Général", "", "Generale", "Generelt", "Allmänt"};
const TLanguageStrings Facilities = {"Facilities", "Voorzieningen", "Einrichtungen", "Équipements", "", "Servizi", "Faciliteter", "Faciliteter"};
const TLanguageStrings Chart = {"Chart", "Kaart", "Karte", "Carte", "", "Carta", "Kort", "Sjökort"};
const TLanguageStrings PriceInformation = {"Price information", "Prijsinformatie", "Preisinformationen", "Informations tarifaires", "", "Informazioni sui prezzi", "Prisoplysninger", "Prisinformation"};
const TLanguageStrings AdditionalInformation = {"Additional information", "Aanvullende informatie", "Weitere Informationen", "Informations complémentaires", "", "Informazioni aggiuntive", "Yderligere oplysninger", "Ytterligare information"};
const TLanguageStrings HarbourMaster = {"Harbor master", "Havenmeester", "Hafenmeister", "Capitainerie", "", "Capitaneria", "Havnefoged", "Hamnkapten"};
const TLanguageStrings Location = {"Location", "Ligging", "Lage", "Situation", "", "Posizione", "Beliggenhed", "Läge"};
const TLanguageStrings Opened = {"Opened", "Geopend", "Geöffnet", "Ouvert", "", "Aperto", "Åbent", "Öppet"};
const TLanguageStrings Season = {"Season", "Seizoen", "Saison", "Saison", "", "Stagione", "Sæson", "Säsong"};
const TLanguageStrings Tel = {"Tel.", "Tel.", "Tel.", "Tél.", "", "Tel.", "Tlf.", "Tel."};
const TLanguageStrings VHF = {"VHF", "Marifoon", "UKW", "VHF", "", "VHF", "VHF", "VHF"};
const TLanguageStrings Mail = {"Mail", "E-mail", "E-Mail", "E-mail", "", "E-mail", "E-mail", "E-post"};
const TLanguageStrings Website = {"Website", "Website", "Website", "Site web", "", "Sito web", "Websted", "Webbplats"};
const TLanguageStrings ReferencePrice = {"ADAC reference price", "ADAC-referentieprijs", "ADAC-Referenzpreis", "Prix de référence ADAC", "", "Prezzo di riferimento ADAC", "ADAC-referencepris", "ADAC-referenspris"};
const TLanguageStrings ReferencePriceSeason = {"ADAC reference price (%d season)", "ADAC-referentieprijs (seizoen %d)", "ADAC-Referenzpreis (Saison %d)", "Prix de référence ADAC (saison %d)", "", "Prezzo di riferimento ADAC (stagione %d)", "ADAC-referencepris (sæson %d)", "ADAC-referenspris (säsong %d)"};
const TLanguageStrings Prices = {"Prices", "Prijzen", "Preise", "Prix", "", "Prezzi", "Priser", "Priser"};
const TLanguageStrings PricesSeason = {"(%d season)", "(seizoen %d)", "(Saison %d)", "(saison %d)", "", "(stagione %d)", "(sæson %d)", "(säsong %d)"};
const TLanguageStrings Included = {"Included", "Inbegrepen", "Inklusive", "Inclus", "", "Incluso", "Inkluderet", "Ingår"};
const TLanguageStrings Discount = {"Discount", "Korting", "Ermäßigung", "Réduction", "", "Sconto", "Rabat", "Rabatt"};
const TLanguageStrings PaymentOptions = {"Payment options", "Betaalmogelijkheden", "Zahlungsmöglichkeiten", "Moyens de paiement", "", "Modalità di pagamento", "Betalingsmuligheder", "Betalningssätt"};
const TLanguageStrings Other = {"Other", "Overig", "Sonstiges", "Autres", "", "Altro", "Andet", "Övrigt"};
const TLanguageStrings NoReservations = {"No reservations possible", "Reserveren niet mogelijk", "Keine Reservierung möglich", "Réservation impossible", "", "Prenotazione non possibile", "Reservation ikke mulig", "Bokning inte möjlig"};
const TLanguageStrings MaxStayNights = {"Max length of stay %d nights", "Maximale verblijfsduur %d nachten", "Maximale Aufenthaltsdauer %d Nächte", "Durée de séjour maximale %d nuits", "", "Durata massima del soggiorno %d notti", "Maksimal opholdstid %d nætter", "Längsta vistelse %d nätter"};
const TLanguageStrings MaxStay = {"Max length of stay", "Maximale verblijfsduur", "Maximale Aufenthaltsdauer", "Durée de séjour maximale", "", "Durata massima del soggiorno", "Maksimal opholdstid", "Längsta vistelse"};
const TLanguageStrings Nights = {"nights", "nachten", "Nächte", "nuits", "", "notti", "nætter", "nätter"};
const TLanguageStrings LanguagesSpoken = {"Languages spoken", "Gesproken talen", "Gesprochene Sprachen", "Langues parlées", "", "Lingue parlate", "Talte sprog", "Talade språk"};
const TLanguageStrings Fax = {"Fax", "Fax", "Fax", "Fax", "", "Fax", "Fax", "Fax"};
const TLanguageStrings MMSI = {"MMSI", "MMSI", "MMSI", "MMSI", "", "MMSI", "MMSI", "MMSI"};
const TLanguageStrings Available = {"Available", "Bereikbaar", "Erreichbar", "Disponible", "", "Disponibile", "Træffes", "Anträffbar"};
const TLanguageStrings Anchorages = {"Anchorages", "Ankerplaatsen", "Ankerplätze", "Mouillages", "", "Ancoraggi", "Ankerpladser", "Ankringsplatser"};
const TLanguageStrings LocationEN = {"Location", "Ligging", "Lage", "Situation", "", "Posizione", "Beliggenhed", "Läge"};

const TLanguageStrings BerthNight = {"Berth/N", "Ligplaats/N", "Liegeplatz/N", "Place/N", "", "Posto/N", "Plads/N", "Plats/N"};
const TLanguageStrings BerthSeason = {"Berth/S", "Ligplaats/S", "Liegeplatz/S", "Place/S", "", "Posto/S", "Plads/S", "Plats/S"};
const TLanguageStrings BerthYear = {"Berth/Y", "Ligplaats/J", "Liegeplatz/J", "Place/A", "", "Posto/A", "Plads/Å", "Plats/Å"};
const TLanguageStrings Crane = {"Crane", "Kraan", "Kran", "Grue", "", "Gru", "Kran", "Kran"};
const TLanguageStrings Winch = {"Winch", "Lier", "Winde", "Treuil", "", "Verricello", "Spil", "Vinsch"};
const TLanguageStrings PersonNight = {"Person/N", "Persoon/N", "Person/N", "Personne/N", "", "Persona/N", "Person/N", "Person/N"};
const TLanguageStrings ChildNight = {"Child/N", "Kind/N", "Kind/N", "Enfant/N", "", "Bambino/N", "Barn/N", "Barn/N"};
const TLanguageStrings HotShowers = {"Hot showers", "Warme douches", "Warme Duschen", "Douches chaudes", "", "Docce calde", "Varme brusebade", "Varma duschar"};
const TLanguageStrings ElectricityKWh = {"Electricity/kWh", "Stroom/kWh", "Strom/kWh", "Électricité/kWh", "", "Elettricità/kWh", "Strøm/kWh", "El/kWh"};
const TLanguageStrings ElectricityNight = {"Electricity/N", "Stroom/N", "Strom/N", "Électricité/N", "", "Elettricità/N", "Strøm/N", "El/N"};
const TLanguageStrings Electricity = {"Electricity", "Stroom", "Strom", "Électricité", "", "Elettricità", "Strøm", "El"};
const TLanguageStrings FreshWater = {"Fresh water", "Drinkwater", "Frischwasser", "Eau douce", "", "Acqua dolce", "Ferskvand", "Färskvatten"};

const TLanguageStrings ClassTech = {"Classification for tech and service", "Classificatie techniek en service", "Klassifizierung Technik und Service", "Classement technique et service", "", "Classificazione tecnica e servizi", "Klassificering teknik og service", "Klassificering teknik och service"};
const TLanguageStrings ClassCatering = {"Classification for catering and leisure", "Classificatie horeca en vrije tijd", "Klassifizierung Gastronomie und Freizeit", "Classement restauration et loisirs", "", "Classificazione ristorazione e tempo libero", "Klassificering forplejning og fritid", "Klassificering förtäring och fritid"};
const TLanguageStrings MaxShipsLength = {"Max ships length", "Maximale scheepslengte", "Maximale Schiffslänge", "Longueur maximale du bateau", "", "Lunghezza massima dell'imbarcazione", "Maksimal skibslængde", "Största båtlängd"};
const TLanguageStrings MaxDraught = {"Max draught", "Maximale diepgang", "Maximaler Tiefgang", "Tirant d'eau maximal", "", "Pescaggio massimo", "Maksimal dybgang", "Största djupgående"};
const TLanguageStrings MaxCurrent = {"Max current", "Maximale stroming", "Maximale Strömung", "Courant maximal", "", "Corrente massima", "Maksimal strøm", "Största ström"};
const TLanguageStrings MaxWaterLevelChange = {"Max water level change", "Maximale waterstandsverandering", "Maximale Wasserstandsänderung", "Variation maximale du niveau d'eau", "", "Variazione massima del livello dell'acqua", "Maksimal vandstandsændring", "Största vattenståndsändring"};
const TLanguageStrings HasBuoys = {"Has buoys", "Betonning aanwezig", "Betonnung vorhanden", "Balisage présent", "", "Boe presenti", "Afmærkning med bøjer", "Bojar finns"};
const TLanguageStrings HasLights = {"Has navigation lights", "Navigatieverlichting aanwezig", "Navigationslichter vorhanden", "Feux de navigation présents", "", "Luci di navigazione presenti", "Navigationslys findes", "Fyrar finns"};
const TLanguageStrings RedGreen = {"Red/green signs", "Rood-groene tekens", "Rot-grüne Zeichen", "Signaux rouges/verts", "", "Segnali rossi/verdi", "Røde/grønne tegn", "Röda/gröna märken"};
const TLanguageStrings Maestro = {"Maestro (debit card)", "Maestro (pinpas)", "Maestro (Debitkarte)", "Maestro (carte de débit)", "", "Maestro (carta di debito)", "Maestro (debetkort)", "Maestro (betalkort)"};
const TLanguageStrings Mastercard = {"Mastercard", "Mastercard", "Mastercard", "Mastercard", "", "Mastercard", "Mastercard", "Mastercard"};
const TLanguageStrings Visa = {"Visa card", "Visa-kaart", "Visa-Karte", "Carte Visa", "", "Carta Visa", "Visakort", "Visakort"};
const TLanguageStrings PetrolStation = {"Petrol station", "Tankstation", "Tankstelle", "Station-service", "", "Distributore di carburante", "Tankstation", "Bränslestation"};
const TLanguageStrings Diesel = {"diesel", "diesel", "Diesel", "gazole", "", "gasolio", "diesel", "diesel"};
const TLanguageStrings Super = {"super", "super", "Super", "super", "", "benzina", "benzin", "bensin"};
const TLanguageStrings Gas = {"gas", "gas", "Gas", "gaz", "", "gas", "gas", "gasol"};
const TLanguageStrings And = {"and", "en", "und", "et", "", "e", "og", "och"};

const TLanguageStrings ClassText[6] = {
    {"Inadequate supply", "Onvoldoende aanbod", "Unzureichendes Angebot", "Offre insuffisante", "", "Offerta insufficiente", "Utilstrækkeligt udbud", "Otillräckligt utbud"},
    {"Limited supply", "Beperkt aanbod", "Eingeschränktes Angebot", "Offre limitée", "", "Offerta limitata", "Begrænset udbud", "Begränsat utbud"},
    {"Standard supply", "Standaard aanbod", "Standardangebot", "Offre standard", "", "Offerta standard", "Standardudbud", "Standardutbud"},
    {"Extended supply", "Uitgebreid aanbod", "Erweitertes Angebot", "Offre étendue", "", "Offerta ampia", "Udvidet udbud", "Utökat utbud"},
    {"Comfortable supply", "Comfortabel aanbod", "Komfortables Angebot", "Offre confortable", "", "Offerta confortevole", "Komfortabelt udbud", "Bekvämt utbud"},
    {"Exceptional supply", "Uitzonderlijk aanbod", "Außergewöhnliches Angebot", "Offre exceptionnelle", "", "Offerta eccezionale", "Enestående udbud", "Exceptionellt utbud"}};

}  // namespace MarinaStr
