#include "objectinfo/StructPageTexts.h"

namespace StructPageStr {

const TLanguageStrings Complex = {"Complex",  "Complex", "Komplex",
                                  "Complexe", "",        "Complesso",
                                  "Kompleks", "Komplex"};
const TLanguageStrings Isrs = {"ISRS", "ISRS", "ISRS", "ISRS",
                               "",     "ISRS", "ISRS", "ISRS"};
const TLanguageStrings Address = {"Address", "Adres",     "Adresse", "Adresse",
                                  "",        "Indirizzo", "Adresse", "Adress"};
const TLanguageStrings PostalCode = {"Postal code", "Postcode",  "Postleitzahl",
                                     "Code postal", "",          "CAP",
                                     "Postnummer",  "Postnummer"};
const TLanguageStrings Place = {"Place", "Plaats",   "Ort",  "Localité",
                                "",      "Località", "Sted", "Ort"};
const TLanguageStrings Phone = {"Phone", "Telefoon", "Telefon", "Téléphone",
                                "",      "Telefono", "Telefon", "Telefon"};
const TLanguageStrings VHFRadioChannel = {
    "VHF radio channel", "Marifoonkanaal", "UKW-Funkkanal", "Canal VHF", "",
    "Canale VHF",        "VHF-kanal",      "VHF-kanal"};
const TLanguageStrings Fall = {"Fall", "Verval", "Fallhöhe",  "Chute",
                               "",     "Salto",  "Faldhøjde", "Fallhöjd"};
const TLanguageStrings NormallyOpened = {"Is normally opened.",
                                         "Staat normaal open.",
                                         "Ist normalerweise geöffnet.",
                                         "Est normalement ouvert.",
                                         "",
                                         "È normalmente aperto.",
                                         "Er normalt åben.",
                                         "Är normalt öppen."};
const TLanguageStrings LockChambers = {
    "Lock chamber(s)", "Sluiskolk(en)",  "Schleusenkammer(n)",  "Sas", "",
    "Conca/e",         "Slusekammer(e)", "Slusskammare/-kamrar"};
const TLanguageStrings Passages = {
    "Passage(s)", "Doorvaart(en)", "Durchfahrt(en)",    "Passe(s)",
    "",           "Passaggio/i",   "Gennemsejling(er)", "Passage(r)"};
const TLanguageStrings Number = {"Number", "Nummer", "Nummer", "Numéro",
                                 "",       "Numero", "Nummer", "Nummer"};
const TLanguageStrings Total = {"Total", "Totaal", "Gesamt", "Total",
                                "",      "Totale", "I alt",  "Totalt"};
const TLanguageStrings HeightClosed = {"Height (closed)",
                                       "Hoogte (gesloten)",
                                       "Höhe (geschlossen)",
                                       "Hauteur (fermé)",
                                       "",
                                       "Altezza (chiuso)",
                                       "Højde (lukket)",
                                       "Höjd (stängd)"};
const TLanguageStrings HeightOpen = {
    "Height (open)",    "Hoogte (open)", "Höhe (offen)", "Hauteur (ouvert)", "",
    "Altezza (aperto)", "Højde (åben)",  "Höjd (öppen)"};
const TLanguageStrings ThresholdDepth = {"Threshold depth",
                                         "Drempeldiepte",
                                         "Drempeltiefe",
                                         "Profondeur du seuil",
                                         "",
                                         "Profondità della soglia",
                                         "Tærskeldybde",
                                         "Tröskeldjup"};
const TLanguageStrings Remark = {"Remark",     "Opmerking", "Bemerkung",
                                 "Remarque",   "",          "Nota",
                                 "Bemærkning", "Anmärkning"};
const TLanguageStrings LockChamberName = {"Lock chamber name",
                                          "Naam sluiskolk",
                                          "Name der Schleusenkammer",
                                          "Nom du sas",
                                          "",
                                          "Nome della conca",
                                          "Slusekammerens navn",
                                          "Slusskammarens namn"};
const TLanguageStrings PartialChamberLength = {"Partial chamber length",
                                               "Lengte deelkolk",
                                               "Teilkammerlänge",
                                               "Longueur du sas partiel",
                                               "",
                                               "Lunghezza conca parziale",
                                               "Delkammerlængde",
                                               "Delkammarlängd"};
const TLanguageStrings LockChamberLength = {"Lock chamber length",
                                            "Kolklengte",
                                            "Kammerlänge",
                                            "Longueur du sas",
                                            "",
                                            "Lunghezza della conca",
                                            "Slusekammerlængde",
                                            "Slusskammarlängd"};
const TLanguageStrings MinGateWidth = {"Min. gate width",
                                       "Min. deurbreedte",
                                       "Min. Torbreite",
                                       "Largeur min. des portes",
                                       "",
                                       "Larghezza min. delle porte",
                                       "Min. portbredde",
                                       "Min. portbredd"};
const TLanguageStrings ThresholdDepthDown = {
    "Threshold depth do/out",
    "Drempeldiepte bo/buiten",
    "Drempeltiefe Unter-/Außenhaupt",
    "Profondeur du seuil aval/extérieur",
    "",
    "Profondità soglia valle/esterno",
    "Tærskeldybde ned/ud",
    "Tröskeldjup ned/ut"};
const TLanguageStrings ThresholdDepthUp = {
    "Threshold depth up/in",
    "Drempeldiepte bo/binnen",
    "Drempeltiefe Ober-/Binnenhaupt",
    "Profondeur du seuil amont/intérieur",
    "",
    "Profondità soglia monte/interno",
    "Tærskeldybde op/ind",
    "Tröskeldjup upp/in"};
const TLanguageStrings ThresholdDepthBetween = {
    "Threshold depth between",
    "Drempeldiepte midden",
    "Drempeltiefe Mittelhaupt",
    "Profondeur du seuil intermédiaire",
    "",
    "Profondità soglia intermedia",
    "Tærskeldybde midt",
    "Tröskeldjup mellan"};
const TLanguageStrings LockLengthHighTide = {
    "Lock length (high tide)",
    "Schutlengte (hoogwater)",
    "Schleusenlänge (Hochwasser)",
    "Longueur d'éclusage (marée haute)",
    "",
    "Lunghezza utile (alta marea)",
    "Sluselængde (højvande)",
    "Slusslängd (högvatten)"};
const TLanguageStrings LockLengthLowTide = {"Lock length (low tide)",
                                            "Schutlengte (laagwater)",
                                            "Schleusenlänge (Niedrigwasser)",
                                            "Longueur d'éclusage (marée basse)",
                                            "",
                                            "Lunghezza utile (bassa marea)",
                                            "Sluselængde (lavvande)",
                                            "Slusslängd (lågvatten)"};
const TLanguageStrings LockLength = {"Lock length",
                                     "Schutlengte",
                                     "Schleusenlänge",
                                     "Longueur d'éclusage",
                                     "",
                                     "Lunghezza utile",
                                     "Sluselængde",
                                     "Slusslängd"};
const TLanguageStrings Clearance = {
    "Clearance", "Doorvaarthoogte", "Durchfahrtshöhe", "Tirant d'air",
    "",          "Altezza libera",  "Frihøjde",        "Fri höjd"};
const TLanguageStrings At = {"at", "bij", "bei", "à", "", "a", "ved", "vid"};
const TLanguageStrings OperatingPeriods = {"Operating periods",
                                           "Bedieningstijden",
                                           "Bedienungszeiten",
                                           "Périodes de manœuvre",
                                           "",
                                           "Periodi di manovra",
                                           "Betjeningsperioder",
                                           "Manövertider"};
const TLanguageStrings Manager = {"Manager",      "Beheerder", "Verwalter",
                                  "Gestionnaire", "",          "Gestore",
                                  "Forvalter",    "Förvaltare"};
const TLanguageStrings Department = {"Department", "Afdeling", "Abteilung",
                                     "Service",    "",         "Dipartimento",
                                     "Afdeling",   "Avdelning"};
const TLanguageStrings MailAddress = {
    "Mail address",      "Postadres",   "Postanschrift", "Adresse postale", "",
    "Indirizzo postale", "Postadresse", "Postadress"};
const TLanguageStrings Postalcode = {"Postalcode",  "Postcode",  "Postleitzahl",
                                     "Code postal", "",          "CAP",
                                     "Postnummer",  "Postnummer"};
const TLanguageStrings MailPlace = {
    "Mail place", "Postplaats",       "Postort", "Localité postale",
    "",           "Località postale", "Postby",  "Postort"};
const TLanguageStrings VisitAddress = {"Visit address",
                                       "Bezoekadres",
                                       "Besuchsadresse",
                                       "Adresse de visite",
                                       "",
                                       "Indirizzo per visite",
                                       "Besøgsadresse",
                                       "Besöksadress"};
const TLanguageStrings VisitPlace = {"Visit place",
                                     "Bezoekplaats",
                                     "Besuchsort",
                                     "Localité de visite",
                                     "",
                                     "Località per visite",
                                     "Besøgsby",
                                     "Besöksort"};
const TLanguageStrings Fax = {"Fax", "Fax", "Fax", "Fax",
                              "",    "Fax", "Fax", "Fax"};
const TLanguageStrings AverageWaitingTime = {"Average waiting time",
                                             "Gemiddelde wachttijd",
                                             "Durchschnittliche Wartezeit",
                                             "Temps d'attente moyen",
                                             "",
                                             "Tempo di attesa medio",
                                             "Gennemsnitlig ventetid",
                                             "Genomsnittlig väntetid"};
const TLanguageStrings Min = {"min", "min", "Min.", "min",
                              "",    "min", "min",  "min"};
const TLanguageStrings MinDefault = {"min (default)",
                                     "min (standaard)",
                                     "Min. (Standard)",
                                     "min (par défaut)",
                                     "",
                                     "min (predefinito)",
                                     "min (standard)",
                                     "min (standard)"};
const TLanguageStrings Until = {"until", "tot",     "bis", "jusqu'au",
                                "",      "fino al", "til", "till"};
const TLanguageStrings Pleasure = {
    "Pleasure", "Recreatie", "Sportschifffahrt", "Plaisance",
    "",         "Diporto",   "Lystsejlads",      "Fritidsbåtar"};
const TLanguageStrings Commercial = {
    "Commercial", "Beroeps",     "Berufsschifffahrt", "Commerce",
    "",           "Commerciale", "Erhverv",           "Yrkestrafik"};
const TLanguageStrings NoOperation = {"No operation",
                                      "Geen bediening",
                                      "Keine Bedienung",
                                      "Pas de manœuvre",
                                      "",
                                      "Nessuna manovra",
                                      "Ingen betjening",
                                      "Ingen manövrering"};
const TLanguageStrings ButNoOperation = {"but no operation",
                                         "maar geen bediening",
                                         "aber keine Bedienung",
                                         "mais pas de manœuvre",
                                         "",
                                         "ma nessuna manovra",
                                         "men ingen betjening",
                                         "men ingen manövrering"};
const TLanguageStrings Before = {"before", "voor",        "vor", "avant",
                                 "",       "prima delle", "før", "före"};
const TLanguageStrings After = {"after", "na",      "nach",  "après",
                                "",      "dopo le", "efter", "efter"};
const TLanguageStrings And = {"and", "en", "und", "et", "", "e", "og", "och"};
const TLanguageStrings On = {"on", "op",  "für", "pour",
                             "",   "per", "for", "för"};
const TLanguageStrings DayS = {"day(s)", "dag(en)",  "Tag(e)", "jour(s)",
                               "",       "giorno/i", "dag(e)", "dag(ar)"};
const TLanguageStrings OperationNormal = {"Operation as normal",
                                          "Normale bediening",
                                          "Bedienung wie üblich",
                                          "Manœuvre normale",
                                          "",
                                          "Manovra normale",
                                          "Normal betjening",
                                          "Normal manövrering"};
const TLanguageStrings OperationAs = {"Operation as a %s",
                                      "Bediening als op %s",
                                      "Bedienung wie an einem %s",
                                      "Manœuvre comme un %s",
                                      "",
                                      "Manovra come di %s",
                                      "Betjening som en %s",
                                      "Manövrering som en %s"};
const TLanguageStrings OperationSpecified = {"Operation as specified",
                                             "Bediening zoals aangegeven",
                                             "Bedienung wie angegeben",
                                             "Manœuvre comme indiqué",
                                             "",
                                             "Manovra come indicato",
                                             "Betjening som angivet",
                                             "Manövrering enligt uppgift"};
const TLanguageStrings InvalidValue = {"<Invalid value> (%d)",
                                       "<Ongeldige waarde> (%d)",
                                       "<Ungültiger Wert> (%d)",
                                       "<Valeur non valide> (%d)",
                                       "",
                                       "<Valore non valido> (%d)",
                                       "<Ugyldig værdi> (%d)",
                                       "<Ogiltigt värde> (%d)"};
const TLanguageStrings InvalidDay = {"Invalid day value: %d",
                                     "Ongeldige dagwaarde: %d",
                                     "Ungültiger Tageswert: %d",
                                     "Valeur de jour non valide : %d",
                                     "",
                                     "Valore del giorno non valido: %d",
                                     "Ugyldig dagværdi: %d",
                                     "Ogiltigt dagvärde: %d"};
const TLanguageStrings Unknown = {"Unknown", "Onbekend", "Unbekannt",
                                  "Inconnu", "",         "Sconosciuto",
                                  "Ukendt",  "Okänd"};
const TLanguageStrings KindWeir = {
    "Weir", "Stuw", "Wehr", "Barrage", "", "Sbarramento", "Stemmeværk", "Damm"};
const TLanguageStrings KindFloodgate = {"Floodgate", "Sluis",    "Schütz",
                                        "Vanne",     "",         "Paratoia",
                                        "Sluseport", "Dammlucka"};
const TLanguageStrings KindStormFloodgate = {"Storm Floodgate",
                                             "Stormvloedkering",
                                             "Sturmflutsperrwerk",
                                             "Barrière anti-tempête",
                                             "",
                                             "Barriera antimareggiata",
                                             "Stormflodsport",
                                             "Stormflodsbarriär"};
const TLanguageStrings KindBridge = {"Bridge", "Brug",  "Brücke", "Pont",
                                     "",       "Ponte", "Bro",    "Bro"};
const TLanguageStrings KindAqueduct = {"Aqueduct",   "Aquaduct", "Trogbrücke",
                                       "Pont-canal", "",         "Ponte canale",
                                       "Akvædukt",   "Akvedukt"};
const TLanguageStrings KindTunnel = {"Tunnel", "Tunnel",   "Tunnel", "Tunnel",
                                     "",       "Galleria", "Tunnel", "Tunnel"};
const TLanguageStrings KindSiphon = {"Siphon", "Sifon",  "Düker", "Siphon",
                                     "",       "Sifone", "Sifon", "Sifon"};
const TLanguageStrings KindCable = {"Cable", "Kabel", "Kabel", "Câble",
                                    "",      "Cavo",  "Kabel", "Kabel"};
const TLanguageStrings KindPipeline = {
    "Pipeline", "Pijpleiding", "Rohrleitung", "Conduite",
    "",         "Condotta",    "Rørledning",  "Rörledning"};
const TLanguageStrings KindConveyerBelt = {
    "Conveyer belt",        "Transportband", "Förderband",   "Convoyeur", "",
    "Nastro trasportatore", "Transportbånd", "Transportband"};
const TLanguageStrings KindFormerStructure = {"Former structure",
                                              "Voormalig object",
                                              "Ehemaliges Bauwerk",
                                              "Ancien ouvrage",
                                              "",
                                              "Ex opera",
                                              "Tidligere bygværk",
                                              "Tidigare byggnadsverk"};
const TLanguageStrings KindPowerline = {"Powerline",
                                        "Hoogspanningsleiding",
                                        "Hochspannungsleitung",
                                        "Ligne électrique",
                                        "",
                                        "Elettrodotto",
                                        "Højspændingsledning",
                                        "Kraftledning"};
const TLanguageStrings KindGantry = {"Gantry", "Portaal", "Portal", "Portique",
                                     "",       "Portale", "Portal", "Portal"};
const TLanguageStrings KindLock = {"Lock", "Sluis", "Schleuse", "Écluse",
                                   "",     "Conca", "Sluse",    "Sluss"};
const TLanguageStrings KindNonPhysicalBarrier = {"Non-physical barrier",
                                                 "Niet-fysieke barrière",
                                                 "Nicht-physische Sperre",
                                                 "Barrière non physique",
                                                 "",
                                                 "Barriera non fisica",
                                                 "Ikke-fysisk spærring",
                                                 "Icke-fysisk spärr"};
const TLanguageStrings KindShipTunnel = {"Ship tunnel",
                                         "Scheepvaarttunnel",
                                         "Schiffstunnel",
                                         "Tunnel navigable",
                                         "",
                                         "Galleria navigabile",
                                         "Skibstunnel",
                                         "Fartygstunnel"};
const TLanguageStrings BridgeBascule = {
    "Bascule bridge",   "Basculebrug", "Klappbrücke", "Pont basculant", "",
    "Ponte basculante", "Klapbro",     "Klaffbro"};
const TLanguageStrings BridgeDoubleBascule = {"Double bascule bridge",
                                              "Dubbele basculebrug",
                                              "Doppelklappbrücke",
                                              "Pont basculant double",
                                              "",
                                              "Ponte basculante doppio",
                                              "Dobbelt klapbro",
                                              "Dubbel klaffbro"};
const TLanguageStrings BridgeDoubleSwing = {"Double swing bridge",
                                            "Dubbele draaibrug",
                                            "Doppeldrehbrücke",
                                            "Pont tournant double",
                                            "",
                                            "Ponte girevole doppio",
                                            "Dobbelt drejebro",
                                            "Dubbel svängbro"};
const TLanguageStrings BridgeDraw = {
    "Draw bridge",    "Ophaalbrug", "Zugbrücke", "Pont-levis", "",
    "Ponte levatoio", "Vippebro",   "Vindbrygga"};
const TLanguageStrings BridgeDoubleDraw = {"Double draw bridge",
                                           "Dubbele ophaalbrug",
                                           "Doppelzugbrücke",
                                           "Pont-levis double",
                                           "",
                                           "Ponte levatoio doppio",
                                           "Dobbelt vippebro",
                                           "Dubbel vindbrygga"};
const TLanguageStrings BridgeSwing = {
    "Swing bridge",   "Draaibrug", "Drehbrücke", "Pont tournant", "",
    "Ponte girevole", "Drejebro",  "Svängbro"};
const TLanguageStrings BridgeRollingBascule = {"Rolling bascule bridge",
                                               "Rolbasculebrug",
                                               "Rollklappbrücke",
                                               "Pont basculant roulant",
                                               "",
                                               "Ponte basculante a rotolamento",
                                               "Rulleklapbro",
                                               "Rullklaffbro"};
const TLanguageStrings BridgeDoubleRollingBascule = {
    "Double rolling bascule bridge",
    "Dubbele rolbasculebrug",
    "Doppelrollklappbrücke",
    "Pont basculant roulant double",
    "",
    "Ponte basculante a rotolamento doppio",
    "Dobbelt rulleklapbro",
    "Dubbel rullklaffbro"};
const TLanguageStrings BridgeLift = {
    "Lift bridge",       "Hefbrug",  "Hubbrücke", "Pont levant", "",
    "Ponte sollevabile", "Løftebro", "Lyftbro"};
const TLanguageStrings BridgeBalance = {
    "Balance bridge", "Balansbrug", "Waagebalkenbrücke", "Pont à balancier", "",
    "Ponte a bilico", "Balancebro", "Balansbro"};
const TLanguageStrings BridgePontoonSwing = {"Pontoon swing bridge",
                                             "Pontondraaibrug",
                                             "Pontondrehbrücke",
                                             "Pont flottant tournant",
                                             "",
                                             "Ponte girevole su pontoni",
                                             "Pontondrejebro",
                                             "Pontonsvängbro"};
const TLanguageStrings BridgePontoon = {
    "Pontoon bridge",   "Pontonbrug", "Pontonbrücke", "Pont flottant", "",
    "Ponte su pontoni", "Pontonbro",  "Pontonbro"};
const TLanguageStrings BridgeRolling = {
    "Rolling bridge",   "Rolbrug",  "Rollbrücke", "Pont roulant", "",
    "Ponte scorrevole", "Rullebro", "Rullbro"};
const TLanguageStrings BridgeFixedSpan = {
    "Fixed span", "Vaste overspanning", "Feste Brücke", "Travée fixe",
    "",           "Campata fissa",      "Fast spænd",   "Fast spann"};
const TLanguageStrings BridgeStraussBascule = {"Strauss bascule bridge",
                                               "Strauss-basculebrug",
                                               "Strauss-Klappbrücke",
                                               "Pont basculant Strauss",
                                               "",
                                               "Ponte basculante Strauss",
                                               "Strauss-klapbro",
                                               "Strauss-klaffbro"};
const TLanguageStrings BridgeTransporter = {"Transporter bridge",
                                            "Zweefbrug",
                                            "Schwebefähre",
                                            "Pont transbordeur",
                                            "",
                                            "Ponte trasportatore",
                                            "Svævefærge",
                                            "Transportbro"};
const TLanguageStrings Mgr1 = {"Ministry of Defence",
                               "Ministerie van Defensie",
                               "Verteidigungsministerium",
                               "Ministère de la Défense",
                               "",
                               "Ministero della Difesa",
                               "Forsvarsministeriet",
                               "Försvarsministeriet"};
const TLanguageStrings Mgr2 = {
    "Directoraat-Generaal voor Scheepvaart en Maritieme zaken",
    "Directoraat-Generaal voor Scheepvaart en Maritieme zaken",
    "Directoraat-Generaal voor Scheepvaart en Maritieme zaken",
    "Directoraat-Generaal voor Scheepvaart en Maritieme zaken",
    "",
    "Directoraat-Generaal voor Scheepvaart en Maritieme zaken",
    "Directoraat-Generaal voor Scheepvaart en Maritieme zaken",
    "Directoraat-Generaal voor Scheepvaart en Maritieme zaken"};
const TLanguageStrings Mgr3 = {"Rijksvastgoed- en ontwikkelingsbedrijf",
                               "Rijksvastgoed- en ontwikkelingsbedrijf",
                               "Rijksvastgoed- en ontwikkelingsbedrijf",
                               "Rijksvastgoed- en ontwikkelingsbedrijf",
                               "",
                               "Rijksvastgoed- en ontwikkelingsbedrijf",
                               "Rijksvastgoed- en ontwikkelingsbedrijf",
                               "Rijksvastgoed- en ontwikkelingsbedrijf"};
const TLanguageStrings Mgr4 = {"Energy Transport",
                               "Energietransport",
                               "Energietransport",
                               "Transport d'énergie",
                               "",
                               "Trasporto di energia",
                               "Energitransport",
                               "Energitransport"};
const TLanguageStrings Mgr5 = {"Dutch Municipality",
                               "Gemeente",
                               "Niederländische Gemeinde",
                               "Commune néerlandaise",
                               "",
                               "Comune olandese",
                               "Hollandsk kommune",
                               "Nederländsk kommun"};
const TLanguageStrings Mgr6 = {"Foreign municipality",
                               "Buitenlandse gemeente",
                               "Ausländische Gemeinde",
                               "Commune étrangère",
                               "",
                               "Comune estero",
                               "Udenlandsk kommune",
                               "Utländsk kommun"};
const TLanguageStrings Mgr7 = {"Municipal port administration",
                               "Gemeentelijk havenbedrijf",
                               "Städtische Hafenverwaltung",
                               "Administration portuaire municipale",
                               "",
                               "Amministrazione portuale comunale",
                               "Kommunal havneadministration",
                               "Kommunal hamnförvaltning"};
const TLanguageStrings Mgr8 = {"Port administration",
                               "Havenbedrijf",
                               "Hafenverwaltung",
                               "Administration portuaire",
                               "",
                               "Amministrazione portuale",
                               "Havneadministration",
                               "Hamnförvaltning"};
const TLanguageStrings Mgr9 = {
    "Water control board", "Waterschap", "Wasserverband", "Wateringue", "",
    "Consorzio idrico",    "Vandråd",    "Vattenråd"};
const TLanguageStrings Mgr10 = {"Water control board",
                                "Hoogheemraadschap",
                                "Deichverband",
                                "Wateringue (polder)",
                                "",
                                "Consorzio di bonifica",
                                "Digelag",
                                "Dikesförbund"};
const TLanguageStrings Mgr11 = {"Port authority",
                                "Havenautoriteit",
                                "Hafenbehörde",
                                "Autorité portuaire",
                                "",
                                "Autorità portuale",
                                "Havnemyndighed",
                                "Hamnmyndighet"};
const TLanguageStrings Mgr12 = {
    "Ministry of Agriculture, Nature and Food Quality",
    "Ministerie van Landbouw, Natuur en Voedselkwaliteit",
    "Ministerium für Landwirtschaft, Natur und Lebensmittelqualität",
    "Ministère de l'Agriculture, de la Nature et de la Qualité alimentaire",
    "",
    "Ministero dell'Agricoltura, della Natura e della Qualità alimentare",
    "Ministeriet for Landbrug, Natur og Fødevarekvalitet",
    "Ministeriet för jordbruk, natur och livsmedelskvalitet"};
const TLanguageStrings Mgr13 = {
    "Nederlandse Spoorwegen (Dutch Railways)",
    "Nederlandse Spoorwegen",
    "Nederlandse Spoorwegen (Niederländische Eisenbahn)",
    "Nederlandse Spoorwegen (chemins de fer néerlandais)",
    "",
    "Nederlandse Spoorwegen (ferrovie olandesi)",
    "Nederlandse Spoorwegen (hollandske jernbaner)",
    "Nederlandse Spoorwegen (nederländska järnvägar)"};
const TLanguageStrings Mgr14 = {"Private", "Particulier", "Privat", "Privé",
                                "",        "Privato",     "Privat", "Privat"};
const TLanguageStrings Mgr15 = {"Province", "Provincie", "Provinz", "Province",
                                "",         "Provincia", "Provins", "Provins"};
const TLanguageStrings Mgr16 = {"Het Rijk (Belgian government)",
                                "Het Rijk (Belgische overheid)",
                                "Het Rijk (belgischer Staat)",
                                "Het Rijk (État belge)",
                                "",
                                "Het Rijk (governo belga)",
                                "Het Rijk (belgisk stat)",
                                "Het Rijk (belgiska staten)"};
const TLanguageStrings Mgr17 = {
    "Recreation", "Recreatieschap", "Erholung",   "Loisirs",
    "",           "Ricreazione",    "Rekreation", "Rekreation"};
const TLanguageStrings Mgr18 = {"Rijkswaterstaat",
                                "Rijkswaterstaat",
                                "Rijkswaterstaat",
                                "Rijkswaterstaat",
                                "",
                                "Rijkswaterstaat",
                                "Rijkswaterstaat",
                                "Rijkswaterstaat"};
const TLanguageStrings Mgr19 = {"Wasser- und Schifffahrtsamt",
                                "Wasser- und Schifffahrtsamt",
                                "Wasser- und Schifffahrtsamt",
                                "Wasser- und Schifffahrtsamt",
                                "",
                                "Wasser- und Schifffahrtsamt",
                                "Wasser- und Schifffahrtsamt",
                                "Wasser- und Schifffahrtsamt"};
const TLanguageStrings Mgr20 = {"Water control board",
                                "Zuiveringschap",
                                "Abwasserverband",
                                "Syndicat d'assainissement",
                                "",
                                "Consorzio di depurazione",
                                "Rensningsråd",
                                "Reningsförbund"};
const TLanguageStrings Mgr21 = {
    "Voies navigables de France - Direction Territoriale",
    "Voies navigables de France - Direction Territoriale",
    "Voies navigables de France - Direction Territoriale",
    "Voies navigables de France - Direction Territoriale",
    "",
    "Voies navigables de France - Direction Territoriale",
    "Voies navigables de France - Direction Territoriale",
    "Voies navigables de France - Direction Territoriale"};
const TLanguageStrings Ref1 = {
    "Boezem level",     "Boezempeil", "Boezempegel",
    "Niveau du boezem", "",           "Livello del boezem",
    "Boezem-niveau",    "Boezemnivå"};
const TLanguageStrings Ref2 = {"Mean Water Level",
                               "Gemiddelde waterstand",
                               "Mittelwasserstand",
                               "Niveau moyen",
                               "",
                               "Livello medio",
                               "Middelvandstand",
                               "Medelvattenstånd"};
const TLanguageStrings Ref3 = {
    "Canal level",        "Kanaalpeil",  "Kanalpegel", "Niveau du canal", "",
    "Livello del canale", "Kanalniveau", "Kanalnivå"};
const TLanguageStrings Ref4 = {"Lake level",    "Meerpeil", "Seepegel",
                               "Niveau du lac", "",         "Livello del lago",
                               "Søniveau",      "Sjönivå"};
const TLanguageStrings Ref5 = {"NAP", "NAP", "NAP", "NAP",
                               "",    "NAP", "NAP", "NAP"};
const TLanguageStrings Ref6 = {
    "Polder level",       "Polderpeil",   "Polderpegel", "Niveau du polder", "",
    "Livello del polder", "Polderniveau", "Poldernivå"};
const TLanguageStrings Ref7 = {"Weir level",
                               "Stuwpeil",
                               "Stauziel",
                               "Niveau de retenue",
                               "",
                               "Livello di ritenuta",
                               "Stemmeniveau",
                               "Dämningsnivå"};
const TLanguageStrings Ref8 = {"HSW level",  "HSW-peil", "HSW-Pegel",
                               "Niveau HSW", "",         "Livello HSW",
                               "HSW-niveau", "HSW-nivå"};
const TLanguageStrings Ctl1 = {
    "Self-service", "Zelfbediening", "Selbstbedienung", "Libre-service", "",
    "Self-service", "Selvbetjening", "Självbetjäning"};
const TLanguageStrings Ctl2 = {"Remote control",
                               "Bediening op afstand",
                               "Fernbedienung",
                               "Commande à distance",
                               "",
                               "Comando a distanza",
                               "Fjernbetjening",
                               "Fjärrstyrning"};
const TLanguageStrings Ctl3 = {"Remote control by user",
                               "Afstandsbediening door gebruiker",
                               "Fernbedienung durch den Nutzer",
                               "Commande à distance par l'usager",
                               "",
                               "Comando a distanza dall'utente",
                               "Fjernbetjening af brugeren",
                               "Fjärrstyrning av användaren"};
const TLanguageStrings Ctl4 = {"Controlled by a detection system",
                               "Bediening via detectie",
                               "Bedienung durch Detektion",
                               "Commandé par détection",
                               "",
                               "Comandato da un sistema di rilevamento",
                               "Betjent via detektering",
                               "Styrd av detektering"};
const TLanguageStrings Ctl5 = {"Controlled by a button",
                               "Bediening met drukknop",
                               "Bedienung per Taster",
                               "Commandé par bouton",
                               "",
                               "Comandato da un pulsante",
                               "Betjent med trykknap",
                               "Styrd med tryckknapp"};
const TLanguageStrings Ctl6 = {"Controlled by a mobile crew",
                               "Bediening door mobiel team",
                               "Bedienung durch mobile Mannschaft",
                               "Commandé par une équipe mobile",
                               "",
                               "Comandato da una squadra mobile",
                               "Betjent af mobilt mandskab",
                               "Manövrerad av mobil personal"};
const TLanguageStrings Ctl7 = {"Controlled by a keeper",
                               "Bediening door brugwachter",
                               "Bedienung durch Wärter",
                               "Commandé par un gardien",
                               "",
                               "Comandato da un custode",
                               "Betjent af en vogter",
                               "Manövrerad av en vaktare"};
const TLanguageStrings Ctl8 = {"Controlled using a key or pass",
                               "Bediening met sleutel of pas",
                               "Bedienung mit Schlüssel oder Karte",
                               "Commandé par clé ou carte",
                               "",
                               "Comandato con chiave o tessera",
                               "Betjent med nøgle eller kort",
                               "Manövrerad med nyckel eller kort"};
const TLanguageStrings Hol1 = {
    "Good Friday",   "Goede Vrijdag", "Karfreitag",  "Vendredi saint", "",
    "Venerdì santo", "Langfredag",    "Långfredagen"};
const TLanguageStrings Hol2 = {"Easter", "Pasen",  "Ostern", "Pâques",
                               "",       "Pasqua", "Påske",  "Påsk"};
const TLanguageStrings Hol3 = {"Easter Monday",
                               "Tweede Paasdag",
                               "Ostermontag",
                               "Lundi de Pâques",
                               "",
                               "Lunedì dell'Angelo",
                               "2. påskedag",
                               "Annandag påsk"};
const TLanguageStrings Hol4 = {"Ascension day",
                               "Hemelvaartsdag",
                               "Christi Himmelfahrt",
                               "Ascension",
                               "",
                               "Ascensione",
                               "Kristi himmelfartsdag",
                               "Kristi himmelsfärdsdag"};
const TLanguageStrings Hol5 = {"Pentecost", "Pinksteren", "Pfingsten",
                               "Pentecôte", "",           "Pentecoste",
                               "Pinse",     "Pingst"};
const TLanguageStrings Hol6 = {"Pentecost Monday",
                               "Tweede Pinksterdag",
                               "Pfingstmontag",
                               "Lundi de Pentecôte",
                               "",
                               "Lunedì di Pentecoste",
                               "2. pinsedag",
                               "Annandag pingst"};
const TLanguageStrings Hol7 = {"Corpus Christi",
                               "Sacramentsdag",
                               "Fronleichnam",
                               "Fête-Dieu",
                               "",
                               "Corpus Domini",
                               "Kristi legemsfest",
                               "Kristi lekamens dag"};
const TLanguageStrings Hol8 = {"Dutch King's Day",
                               "Koningsdag",
                               "Niederländischer Königstag",
                               "Fête du Roi néerlandaise",
                               "",
                               "Festa del Re olandese",
                               "Hollandsk kongedag",
                               "Nederländska kungens dag"};
const TLanguageStrings Hol9 = {"Dutch Liberation Day",
                               "Bevrijdingsdag",
                               "Niederländischer Befreiungstag",
                               "Jour de la Libération néerlandais",
                               "",
                               "Giorno della Liberazione olandese",
                               "Hollandsk befrielsesdag",
                               "Nederländska befrielsedagen"};
const TLanguageStrings Hol10 = {"German Buß- und Bettag",
                                "Duitse Boete- en Biddag",
                                "Buß- und Bettag",
                                "Jour de pénitence allemand",
                                "",
                                "Giorno di penitenza tedesco",
                                "Tysk bods- og bededag",
                                "Tysk bot- och bönedag"};

} // namespace StructPageStr
