#include "routes/RoutePointSelectTexts.h"

namespace RoutePointSelectText {

// Order: English, Dutch, German, French, Spanish, Italian, Danish, Swedish.
const TLanguageStrings CaptionSearch = {"Search", "Zoeken", "Suchen", "Rechercher", "Buscar",
                                        "Cerca", "Søg", "Sök"};
const TLanguageStrings CaptionPlanner = {
    "Select route point to navigate to", "Selecteer routepunt om naartoe te navigeren",
    "Routenpunt als Navigationsziel wählen", "Sélectionner le point de route de destination",
    "Seleccionar el punto de ruta de destino", "Seleziona il punto di rotta di destinazione",
    "Vælg rutepunkt at navigere til", "Välj ruttpunkt att navigera till"};
const TLanguageStrings ChartWptSelectedOnly = {
    "Show waypoints from selected charts only", "Toon alleen waypoints van geselecteerde kaarten",
    "Nur Wegpunkte ausgewählter Karten anzeigen",
    "Afficher seulement les waypoints des cartes sélectionnées",
    "Mostrar solo los waypoints de las cartas seleccionadas",
    "Mostra solo i waypoint delle carte selezionate", "Vis kun waypoints fra valgte kort",
    "Visa endast waypoints från valda sjökort"};
const TLanguageStrings Search = CaptionSearch;
const TLanguageStrings StartingPoint = {"Starting point", "Vertrekpunt", "Startpunkt",
                                        "Point de départ", "Punto de partida",
                                        "Punto di partenza", "Startpunkt", "Startpunkt"};
const TLanguageStrings Destination = {"Destination", "Bestemming", "Ziel", "Destination",
                                      "Destino", "Destinazione", "Destination", "Destination"};
const TLanguageStrings Via = {"Via", "Via", "Über", "Via", "Vía", "Via", "Via", "Via"};
const TLanguageStrings PlanningMode = {"Planning mode", "Planningsmodus", "Planungsmodus",
                                       "Mode de planification", "Modo de planificación",
                                       "Modalità di pianificazione", "Planlægningstilstand",
                                       "Planeringsläge"};
const TLanguageStrings SearchFilter = {"Search filter", "Zoekfilter", "Suchfilter",
                                       "Filtre de recherche", "Filtro de búsqueda",
                                       "Filtro di ricerca", "Søgefilter", "Sökfilter"};
const TLanguageStrings Waterways = {"Waterways", "Vaarwegen", "Wasserstraßen", "Voies navigables",
                                    "Vías navegables", "Vie navigabili", "Vandveje", "Vattenvägar"};
const TLanguageStrings SearchListOptions = {
    "Search list options", "Opties zoeklijst", "Optionen der Suchliste",
    "Options de la liste de recherche", "Opciones de la lista de búsqueda",
    "Opzioni dell'elenco di ricerca", "Indstillinger for søgeliste", "Alternativ för söklistan"};
const TLanguageStrings Previous = {"Previous", "Vorige", "Zurück", "Précédent", "Anterior",
                                   "Indietro", "Forrige", "Föregående"};
const TLanguageStrings Next = {"Next", "Volgende", "Weiter", "Suivant", "Siguiente", "Avanti",
                               "Næste", "Nästa"};
const TLanguageStrings Now = {"Now", "Nu", "Jetzt", "Maintenant", "Ahora", "Adesso", "Nu", "Nu"};
const TLanguageStrings Choose = {"Choose...", "Kiezen...", "Wählen...", "Choisir...",
                                 "Elegir...", "Scegli...", "Vælg...", "Välj..."};
const TLanguageStrings Name = {"Name", "Naam", "Name", "Nom", "Nombre", "Nome", "Navn", "Namn"};
const TLanguageStrings Distance = {"Distance", "Afstand", "Entfernung", "Distance", "Distancia",
                                   "Distanza", "Afstand", "Avstånd"};
const TLanguageStrings Type = {"Type", "Type", "Typ", "Type", "Tipo", "Tipo", "Type", "Typ"};
const TLanguageStrings DepartAt = {"Depart at", "Vertrek om", "Abfahrt um", "Départ à",
                                   "Salida a las", "Partenza alle", "Afgang kl.", "Avgång kl."};
const TLanguageStrings SelectStartTime = {
    "Select start date and time", "Selecteer vertrekdatum en -tijd",
    "Abfahrtsdatum und -zeit wählen", "Sélectionner la date et l'heure de départ",
    "Seleccionar fecha y hora de salida", "Seleziona data e ora di partenza",
    "Vælg startdato og -tidspunkt", "Välj startdatum och -tid"};

const TLanguageStrings PromptLocation = {
    "Search and select a location", "Zoek en selecteer een locatie",
    "Ort suchen und auswählen", "Rechercher et sélectionner un lieu",
    "Buscar y seleccionar una ubicación", "Cerca e seleziona una località",
    "Søg og vælg en position", "Sök och välj en plats"};
const TLanguageStrings PromptDestination = {
    "Search and select a destination", "Zoek en selecteer een bestemming",
    "Ziel suchen und auswählen", "Rechercher et sélectionner une destination",
    "Buscar y seleccionar un destino", "Cerca e seleziona una destinazione",
    "Søg og vælg en destination", "Sök och välj en destination"};
const TLanguageStrings PromptDepart = {
    "Search and select the point you want to depart from",
    "Zoek en selecteer het punt waar u wilt vertrekken",
    "Suchen und wählen Sie den Punkt, von dem Sie abfahren möchten",
    "Rechercher et sélectionner le point de départ souhaité",
    "Buscar y seleccionar el punto desde el que desea salir",
    "Cerca e seleziona il punto da cui vuoi partire",
    "Søg og vælg det punkt, du vil sejle fra", "Sök och välj punkten du vill avgå från"};
const TLanguageStrings PromptVia = {
    "Search and select a via route point", "Zoek en selecteer een via-routepunt",
    "Zwischenpunkt der Route suchen und auswählen",
    "Rechercher et sélectionner un point de passage",
    "Buscar y seleccionar un punto de paso", "Cerca e seleziona un punto di passaggio",
    "Søg og vælg et via-rutepunkt", "Sök och välj en via-ruttpunkt"};

const TLanguageStrings CurrentPosition = {"Current position", "Huidige positie",
                                          "Aktuelle Position", "Position actuelle",
                                          "Posición actual", "Posizione attuale",
                                          "Aktuel position", "Aktuell position"};
const TLanguageStrings HomeLocation = {"Home location", "Thuislocatie", "Heimatort",
                                       "Port d'attache", "Puerto base", "Porto di casa",
                                       "Hjemsted", "Hemmahamn"};
const TLanguageStrings SelectALocation = {"Select a location", "Selecteer een locatie",
                                          "Ort auswählen", "Sélectionner un lieu",
                                          "Seleccionar una ubicación", "Seleziona una località",
                                          "Vælg en position", "Välj en plats"};
const TLanguageStrings None = {"None", "Geen", "Keiner", "Aucun", "Ninguno", "Nessuno", "Ingen",
                               "Ingen"};
const TLanguageStrings NoName = {"<no name>", "<geen naam>", "<kein Name>", "<sans nom>",
                                 "<sin nombre>", "<senza nome>", "<intet navn>", "<inget namn>"};

const TLanguageStrings ModeShortest = {"Shortest", "Kortste", "Kürzeste", "La plus courte",
                                       "La más corta", "La più breve", "Korteste", "Kortaste"};
const TLanguageStrings ModeFastest = {"Fastest", "Snelste", "Schnellste", "La plus rapide",
                                      "La más rápida", "La più veloce", "Hurtigste", "Snabbaste"};
const TLanguageStrings ModeIgnoreBlockades = {
    "Shortest route (ignore blockades)", "Kortste route (blokkades negeren)",
    "Kürzeste Route (Sperrungen ignorieren)", "Route la plus courte (ignorer les blocages)",
    "Ruta más corta (ignorar bloqueos)", "Rotta più breve (ignora i blocchi)",
    "Korteste rute (ignorer spærringer)", "Kortaste rutt (ignorera avspärrningar)"};

const TLanguageStrings Center = {"Center", "Midden", "Mitte", "Centre", "Centro", "Centro",
                                 "Midte", "Mitten"};
const TLanguageStrings Start = {"Start", "Begin", "Anfang", "Début", "Inicio", "Inizio", "Start",
                                "Början"};
const TLanguageStrings End = {"End", "Eind", "Ende", "Fin", "Fin", "Fine", "Slut", "Slut"};

const TLanguageStrings TypeFairway = {"Fairway", "Vaarweg", "Fahrwasser", "Chenal", "Canal",
                                      "Canale", "Sejlrende", "Farled"};
const TLanguageStrings TypeSection = {"Section", "Sectie", "Abschnitt", "Tronçon", "Tramo",
                                      "Tratto", "Strækning", "Sträcka"};
const TLanguageStrings TypeWaypoint = {"Waypoint", "Waypoint", "Wegpunkt", "Waypoint",
                                       "Waypoint", "Waypoint", "Waypoint", "Waypoint"};

const TLanguageStrings FilterTexts[9] = {
    {"User waypoints", "Eigen waypoints", "Eigene Wegpunkte", "Waypoints de l'utilisateur",
     "Waypoints del usuario", "Waypoint dell'utente", "Egne waypoints", "Egna waypoints"},
    {"Places", "Plaatsen", "Orte", "Localités", "Localidades", "Località", "Byer", "Orter"},
    {"Neighborhoods, hamlets", "Wijken, gehuchten", "Ortsteile, Weiler", "Quartiers, hameaux",
     "Barrios, aldeas", "Quartieri, frazioni", "Bydele, landsbyer", "Stadsdelar, byar"},
    {"Marinas", "Jachthavens", "Yachthäfen", "Marinas", "Puertos deportivos", "Porti turistici",
     "Lystbådehavne", "Gästhamnar"},
    {"Temporary berths", "Tijdelijke ligplaatsen", "Vorübergehende Liegeplätze",
     "Postes d'amarrage temporaires", "Amarres temporales", "Ormeggi temporanei",
     "Midlertidige fortøjningspladser", "Tillfälliga förtöjningsplatser"},
    {"Diesel gas stations", "Dieseltankstations", "Dieseltankstellen", "Stations de gazole",
     "Estaciones de gasóleo", "Distributori di gasolio", "Dieselstationer",
     "Dieselmackar"},
    {"Bridges and locks", "Bruggen en sluizen", "Brücken und Schleusen", "Ponts et écluses",
     "Puentes y esclusas", "Ponti e chiuse", "Broer og sluser", "Broar och slussar"},
    Waterways,
    {"Other waypoints", "Overige waypoints", "Andere Wegpunkte", "Autres waypoints",
     "Otros waypoints", "Altri waypoint", "Andre waypoints", "Andra waypoints"}};

const TLanguageStrings BarrierTexts[3] = {
    {"Weir", "Stuw", "Wehr", "Barrage", "Presa", "Sbarramento", "Stemmeværk", "Damm"},
    {"Floodgate", "Keersluis", "Sperrtor", "Porte de garde", "Compuerta", "Paratoia",
     "Sluseport", "Dammlucka"},
    {"Storm Floodgate", "Stormvloedkering", "Sturmflutsperrwerk", "Barrière anti-tempête",
     "Barrera contra tormentas", "Barriera anti-mareggiata", "Stormflodsport",
     "Stormflodsbarriär"}};
const TLanguageStrings BridgeText = {"Bridge", "Brug", "Brücke", "Pont", "Puente", "Ponte", "Bro",
                                     "Bro"};
const TLanguageStrings CrossingTexts[8] = {
    {"Aqueduct", "Aquaduct", "Trogbrücke", "Pont-canal", "Acueducto", "Ponte canale",
     "Akvædukt", "Akvedukt"},
    {"Tunnel", "Tunnel", "Tunnel", "Tunnel", "Túnel", "Galleria", "Tunnel", "Tunnel"},
    {"Siphon", "Sifon", "Düker", "Siphon", "Sifón", "Sifone", "Dykker", "Sifon"},
    {"Cable", "Kabel", "Kabel", "Câble", "Cable", "Cavo", "Kabel", "Kabel"},
    {"Pipeline", "Pijpleiding", "Rohrleitung", "Conduite", "Tubería", "Condotta", "Rørledning",
     "Rörledning"},
    {"Conveyer belt", "Transportband", "Förderband", "Convoyeur", "Cinta transportadora",
     "Nastro trasportatore", "Transportbånd", "Transportband"},
    {"Former structure", "Voormalig kunstwerk", "Ehemaliges Bauwerk", "Ancien ouvrage",
     "Antigua estructura", "Ex manufatto", "Tidligere bygværk", "Tidigare byggnadsverk"},
    {"Powerline", "Hoogspanningslijn", "Hochspannungsleitung", "Ligne électrique",
     "Línea eléctrica", "Linea elettrica", "Højspændingsledning", "Kraftledning"}};
const TLanguageStrings LockText = {"Lock", "Sluis", "Schleuse", "Écluse", "Esclusa", "Chiusa",
                                   "Sluse", "Sluss"};

const TLanguageStrings WaterBodyTexts[17] = {
    {"North Sea", "Noordzee", "Nordsee", "Mer du Nord", "Mar del Norte", "Mare del Nord",
     "Nordsøen", "Nordsjön"},
    {"Wadden Sea", "Waddenzee", "Wattenmeer", "Mer des Wadden", "Mar de Frisia",
     "Mare dei Wadden", "Vadehavet", "Vadehavet"},
    {"IJsselmeer and Markermeer", "IJsselmeer en Markermeer", "IJsselmeer und Markermeer",
     "IJsselmeer et Markermeer", "IJsselmeer y Markermeer", "IJsselmeer e Markermeer",
     "IJsselmeer og Markermeer", "IJsselmeer och Markermeer"},
    {"Inland waterways Netherlands", "Binnenwateren Nederland", "Binnengewässer Niederlande",
     "Voies navigables Pays-Bas", "Vías interiores Países Bajos", "Vie interne Paesi Bassi",
     "Indre vandveje Holland", "Inre vattenvägar Nederländerna"},
    {"Inland waterways Belgium and Luxemburg", "Binnenwateren België en Luxemburg",
     "Binnengewässer Belgien und Luxemburg", "Voies navigables Belgique et Luxembourg",
     "Vías interiores Bélgica y Luxemburgo", "Vie interne Belgio e Lussemburgo",
     "Indre vandveje Belgien og Luxembourg", "Inre vattenvägar Belgien och Luxemburg"},
    {"Inland waterways Germany", "Binnenwateren Duitsland", "Binnengewässer Deutschland",
     "Voies navigables Allemagne", "Vías interiores Alemania", "Vie interne Germania",
     "Indre vandveje Tyskland", "Inre vattenvägar Tyskland"},
    {"Inland waterways France", "Binnenwateren Frankrijk", "Binnengewässer Frankreich",
     "Voies navigables France", "Vías interiores Francia", "Vie interne Francia",
     "Indre vandveje Frankrig", "Inre vattenvägar Frankrike"},
    {"Inland waterways Great Britain", "Binnenwateren Groot-Brittannië",
     "Binnengewässer Großbritannien", "Voies navigables Grande-Bretagne",
     "Vías interiores Gran Bretaña", "Vie interne Gran Bretagna",
     "Indre vandveje Storbritannien", "Inre vattenvägar Storbritannien"},
    {"Baltic Sea", "Oostzee", "Ostsee", "Mer Baltique", "Mar Báltico", "Mar Baltico",
     "Østersøen", "Östersjön"},
    {"Inland waterways Denmark", "Binnenwateren Denemarken", "Binnengewässer Dänemark",
     "Voies navigables Danemark", "Vías interiores Dinamarca", "Vie interne Danimarca",
     "Indre vandveje Danmark", "Inre vattenvägar Danmark"},
    {"Inland waterways Sweden", "Binnenwateren Zweden", "Binnengewässer Schweden",
     "Voies navigables Suède", "Vías interiores Suecia", "Vie interne Svezia",
     "Indre vandveje Sverige", "Inre vattenvägar Sverige"},
    {"Danube", "Donau", "Donau", "Danube", "Danubio", "Danubio", "Donau", "Donau"},
    {"US Eastern seaboard", "VS oostkust", "US-Ostküste", "Côte est des États-Unis",
     "Costa este de EE. UU.", "Costa orientale USA", "USA's østkyst", "USA:s östkust"},
    {"US Western seaboard", "VS westkust", "US-Westküste", "Côte ouest des États-Unis",
     "Costa oeste de EE. UU.", "Costa occidentale USA", "USA's vestkyst", "USA:s västkust"},
    {"US Great Lakes", "VS Grote Meren", "US Große Seen", "Grands Lacs (États-Unis)",
     "Grandes Lagos (EE. UU.)", "Grandi Laghi USA", "USA's Store Søer", "USA:s Stora sjöarna"},
    {"US Florida", "VS Florida", "US Florida", "Floride (États-Unis)", "Florida (EE. UU.)",
     "Florida USA", "USA Florida", "USA Florida"},
    {"US Mississippi", "VS Mississippi", "US Mississippi", "Mississippi (États-Unis)",
     "Misisipi (EE. UU.)", "Mississippi USA", "USA Mississippi", "USA Mississippi"}};

}  // namespace RoutePointSelectText
