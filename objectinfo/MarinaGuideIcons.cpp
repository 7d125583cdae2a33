#include "objectinfo/MarinaGuideIcons.h"

#include "base/marina/KvMarinaGuide.h"

namespace {

using E = IMarinaGuideEntry;

TMarinaIcon B(bool (E::*flag)(), const char *file, TLanguageStrings title, bool (E::*flag2)() = nullptr) {
    TMarinaIcon i;
    i.Flag = flag;
    i.Flag2 = flag2;
    i.File = file;
    i.Title = title;
    return i;
}

TMarinaIcon D(float (E::*distance)(), const char *file, TLanguageStrings title,
              QString (*note)(E *) = nullptr) {
    TMarinaIcon i;
    i.Distance = distance;
    i.Note = note;
    i.File = file;
    i.Title = title;
    return i;
}

TMarinaIcon S(MarinaSpecial special, const char *file, TLanguageStrings title) {
    TMarinaIcon i;
    i.Special = special;
    i.File = file;
    i.Title = title;
    return i;
}

}  // namespace

const std::vector<TMarinaIcon> &MarinaHeaderIcons() {
    static const std::vector<TMarinaIcon> icons = {
        B(&E::IsLocationExceptional, "icon_locationbeautifulex.gif", {"Exceptionally beautiful situated marina", "Uitzonderlijk mooi gelegen jachthaven", "Außergewöhnlich schön gelegener Hafen", "Port de plaisance exceptionnellement bien situé", "", "Porto turistico in posizione eccezionale", "Usædvanligt smukt beliggende havn", "Exceptionellt vackert belägen hamn"}),
        B(&E::IsLocationBeautiful, "icon_locationbeautiful.gif", {"Beautifully situated marina", "Mooi gelegen jachthaven", "Schön gelegener Hafen", "Port de plaisance bien situé", "", "Porto turistico in bella posizione", "Smukt beliggende havn", "Vackert belägen hamn"}),
        B(&E::IsQuietAlways, "icon_quietalways.gif", {"Marina situated in a quiet area", "Jachthaven in een rustige omgeving", "Hafen in ruhiger Lage", "Port situé dans un endroit calme", "", "Porto in zona tranquilla", "Havn i et roligt område", "Hamn i ett lugnt område"}),
        B(&E::IsQuietAtNight, "icon_quietnight.gif", {"Marina is quiet at night", "Jachthaven is 's nachts rustig", "Hafen ist nachts ruhig", "Port calme la nuit", "", "Porto tranquillo di notte", "Havnen er rolig om natten", "Hamnen är lugn på natten"}),
        B(&E::AreDogsAllowed, "icon_dogsallowed.gif", {"Dogs allowed", "Honden toegestaan", "Hunde erlaubt", "Chiens admis", "", "Cani ammessi", "Hunde tilladt", "Hundar tillåtna"}),
        B(&E::AreDogsDisallowed, "icon_dogsdisallowed.gif", {"Dogs disallowed", "Honden niet toegestaan", "Hunde nicht erlaubt", "Chiens interdits", "", "Cani non ammessi", "Hunde ikke tilladt", "Hundar inte tillåtna"}),
        B(&E::AreDogsAllowedLimited, "icon_dogsallowedlimited.gif", {"Dogs allowed in certain circumstances", "Honden onder voorwaarden toegestaan", "Hunde unter Umständen erlaubt", "Chiens admis sous conditions", "", "Cani ammessi a certe condizioni", "Hunde tilladt under visse forhold", "Hundar tillåtna under vissa villkor"}),
        D(&E::GetDistanceCentre, "icon_distancecenter.gif", {"Distance to centre of city", "Afstand tot het centrum", "Entfernung zum Stadtzentrum", "Distance du centre-ville", "", "Distanza dal centro città", "Afstand til bymidten", "Avstånd till centrum"}),
        D(&E::GetDistancePublicTransport, "icon_publictransport.gif", {"Distance to public transport", "Afstand tot openbaar vervoer", "Entfernung zu öffentlichen Verkehrsmitteln", "Distance des transports publics", "", "Distanza dai mezzi pubblici", "Afstand til offentlig transport", "Avstånd till kollektivtrafik"}),
        B(&E::HasNoticeboard, "icon_info.gif", {"Noticeboard available", "Mededelingenbord aanwezig", "Anschlagtafel vorhanden", "Tableau d'affichage disponible", "", "Bacheca disponibile", "Opslagstavle findes", "Anslagstavla finns"}),
    };
    return icons;
}

const std::vector<TMarinaIcon> &MarinaFacilityIcons() {
    static const std::vector<TMarinaIcon> icons = {
        S(MarinaSpecial::BoxSize, "icon_boxsize.gif", {"Box size (length x width)", "Boxmaat (lengte x breedte)", "Boxengröße (Länge x Breite)", "Taille de la place (longueur x largeur)", "", "Dimensioni del posto (lunghezza x larghezza)", "Bås størrelse (længde x bredde)", "Båsstorlek (längd x bredd)"}),
        S(MarinaSpecial::CEESockets, "icon_socketcee.gif", {"Number of CEE sockets", "Aantal CEE-aansluitingen", "Anzahl CEE-Steckdosen", "Nombre de prises CEE", "", "Numero di prese CEE", "Antal CEE-stik", "Antal CEE-uttag"}),
        S(MarinaSpecial::Sockets, "icon_socket.gif", {"Number of conventional sockets", "Aantal gewone stopcontacten", "Anzahl Schukosteckdosen", "Nombre de prises classiques", "", "Numero di prese tradizionali", "Antal almindelige stik", "Antal vanliga uttag"}),
        S(MarinaSpecial::FreshWater, "icon_freshwater.gif", {"Number of fresh water connections", "Aantal drinkwateraansluitingen", "Anzahl Frischwasseranschlüsse", "Nombre de prises d'eau douce", "", "Numero di attacchi d'acqua dolce", "Antal ferskvandstilslutninger", "Antal färskvattenanslutningar"}),
        B(&E::HasBerthLighting, "icon_lighting.gif", {"Lighting at berth", "Verlichting bij de ligplaats", "Beleuchtung am Liegeplatz", "Éclairage à la place", "", "Illuminazione al posto barca", "Belysning ved pladsen", "Belysning vid platsen"}),
        B(&E::HasDryBerths, "icon_mooringsdry.gif", {"Dry berths available", "Droge ligplaatsen beschikbaar", "Trockenliegeplätze vorhanden", "Places à sec disponibles", "", "Posti a secco disponibili", "Tørpladser findes", "Torrplatser finns"}),
        B(&E::HasMooringBuoys, "icon_mooringsbuoys.gif", {"Mooring buoys available", "Meerboeien beschikbaar", "Muringbojen vorhanden", "Bouées d'amarrage disponibles", "", "Boe d'ormeggio disponibili", "Fortøjningsbøjer findes", "Förtöjningsbojar finns"}),
        B(&E::HasWinterStorageInside, "icon_winterstorageinside.gif", {"Winter storage (inside)", "Winterstalling (binnen)", "Winterlager (Halle)", "Hivernage (intérieur)", "", "Rimessaggio invernale (interno)", "Vinteropbevaring (inde)", "Vinterförvaring (inomhus)"}),
        B(&E::HasWinterStorageOutside, "icon_winterstorageoutside.gif", {"Winter storage (outside)", "Winterstalling (buiten)", "Winterlager (Freigelände)", "Hivernage (extérieur)", "", "Rimessaggio invernale (esterno)", "Vinteropbevaring (ude)", "Vinterförvaring (utomhus)"}),
        D(&E::GetDistanceBoatCharter, "icon_boatcharter.gif", {"Boat charter", "Botenverhuur", "Bootscharter", "Location de bateaux", "", "Noleggio barche", "Bådudlejning", "Båtuthyrning"}),
        S(MarinaSpecial::Petrol, "icon_petrol.gif", {"Petrol station", "Tankstation", "Tankstelle", "Station-service", "", "Distributore di carburante", "Tankstation", "Bränslestation"}),
        D(&E::GetDistanceGasBottles, "icon_gasbottleexchange.gif", {"Sale of gas bottles", "Verkoop van gasflessen", "Verkauf von Gasflaschen", "Vente de bouteilles de gaz", "", "Vendita di bombole del gas", "Salg af gasflasker", "Försäljning av gasolflaskor"}),
        D(&E::GetDistanceChandlery, "icon_chandlery.gif", {"Chandlery", "Watersportwinkel", "Yachtzubehör", "Accastillage", "", "Negozio nautico", "Bådudstyr", "Båttillbehör"}),
        D(&E::GetDistanceShipyard, "icon_shipyard.gif", {"Shipyard", "Scheepswerf", "Werft", "Chantier naval", "", "Cantiere navale", "Værft", "Varv"}),
        D(&E::GetDistanceEngineService, "icon_engineservice.gif", {"Engine service", "Motorservice", "Motorservice", "Service moteur", "", "Assistenza motori", "Motorservice", "Motorservice"}),
        D(&E::GetDistanceSailRepair, "icon_sailrepair.gif", {"Sail repair", "Zeilreparatie", "Segelreparatur", "Réparation de voiles", "", "Riparazione vele", "Sejlreparation", "Segelreparation"}),
        S(MarinaSpecial::Crane, "icon_crane.gif", {"Crane", "Kraan", "Kran", "Grue", "", "Gru", "Kran", "Kran"}),
        B(&E::HasSlipway, "icon_slipway.gif", {"Slipway", "Trailerhelling", "Slipanlage", "Cale de mise à l'eau", "", "Scivolo", "Slæbested", "Sjösättningsramp"}),
        B(&E::HasSlipwayWinch, "icon_slipwaywinch.gif", {"Slipway with winch", "Trailerhelling met lier", "Slipanlage mit Winde", "Cale avec treuil", "", "Scivolo con verricello", "Slæbested med spil", "Ramp med vinsch"}),
        B(&E::HasSewagePumping, "icon_sewagepumping.gif", {"Waste water tank discharge area", "Vuilwaterafzuiging", "Fäkalienabsaugung", "Vidange des eaux noires", "", "Scarico acque nere", "Tømning af spildevandstank", "Septiktömning"}),
        B(&E::HasSpecialWaste, "icon_specialwaste.gif", {"Special waste disposal", "Inzameling klein chemisch afval", "Sondermüllentsorgung", "Collecte des déchets spéciaux", "", "Smaltimento rifiuti speciali", "Modtagelse af farligt affald", "Mottagning av farligt avfall"}),
        B(&E::HasBilgeWater, "icon_bilgewater.gif", {"Bilge water discharge area", "Bilgewaterinzameling", "Bilgenwasserentsorgung", "Vidange des eaux de cale", "", "Scarico acque di sentina", "Tømning af lænsevand", "Länsvattentömning"}),
        B(&E::HasChemicalToilet, "icon_chemicaltoilet.gif", {"Chemical toilet waste disposal area", "Lozingspunt chemisch toilet", "Entsorgung Chemietoiletten", "Vidange des toilettes chimiques", "", "Scarico WC chimici", "Tømning af kemisk toilet", "Tömning av kemtoalett"}),
        B(&E::HasWashBasins, "icon_washbasin.gif", {"Wash basins", "Wastafels", "Waschbecken", "Lavabos", "", "Lavabi", "Håndvaske", "Tvättställ"}),
        B(&E::HasShowers, "icon_showers.gif", {"Showers", "Douches", "Duschen", "Douches", "", "Docce", "Brusebad", "Duschar"}),
        B(&E::HasToilets, "icon_toilets.gif", {"Toilets", "Toiletten", "Toiletten", "Toilettes", "", "Servizi igienici", "Toiletter", "Toaletter"}),
        B(&E::HasSanitaryWheelchair, "icon_wheelchair.gif", {"Sanitary facilities for wheelchair users", "Sanitair voor rolstoelgebruikers", "Sanitäranlagen für Rollstuhlfahrer", "Sanitaires pour personnes en fauteuil roulant", "", "Servizi per utenti in sedia a rotelle", "Sanitære faciliteter for kørestolsbrugere", "Sanitetsutrymmen för rullstolsburna"}),
        B(&E::HasToiletsWheelchair, "icon_wheelchair.gif", {"Toilets for wheelchair users", "Toiletten voor rolstoelgebruikers", "Toiletten für Rollstuhlfahrer", "Toilettes pour personnes en fauteuil roulant", "", "WC per utenti in sedia a rotelle", "Toiletter for kørestolsbrugere", "Toaletter för rullstolsburna"}),
        B(&E::HasShowersWheelchair, "icon_wheelchair.gif", {"Showers for wheelchair users", "Douches voor rolstoelgebruikers", "Duschen für Rollstuhlfahrer", "Douches pour personnes en fauteuil roulant", "", "Docce per utenti in sedia a rotelle", "Brusebad for kørestolsbrugere", "Duschar för rullstolsburna"}),
        B(&E::HasWashingMachines, "icon_washingmachines.gif", {"Washing machines", "Wasmachines", "Waschmaschinen", "Machines à laver", "", "Lavatrici", "Vaskemaskiner", "Tvättmaskiner"}),
        B(&E::HasDryer, "icon_dryer.gif", {"Dryer", "Droger", "Trockner", "Sèche-linge", "", "Asciugatrice", "Tørretumbler", "Torktumlare"}),
        D(&E::GetDistanceBreadService, "icon_breadservice.gif", {"Bun service", "Broodjesservice", "Brötchenservice", "Service de pain", "", "Servizio pane", "Brødservice", "Brödservice"}),
        D(&E::GetDistanceKiosk, "icon_kiosk.gif", {"Kiosk", "Kiosk", "Kiosk", "Kiosque", "", "Chiosco", "Kiosk", "Kiosk"}),
        D(&E::GetDistanceGroceryStore, "icon_grocerystore.gif", {"Grocery store", "Kruidenier", "Lebensmittelgeschäft", "Épicerie", "", "Alimentari", "Købmand", "Livsmedelsbutik"}, &MarinaGuideGetGroceryStoreNote),
        D(&E::GetDistanceSupermarket, "icon_supermarket.gif", {"Supermarket", "Supermarkt", "Supermarkt", "Supermarché", "", "Supermercato", "Supermarked", "Stormarknad"}, &MarinaGuideGetSupermarketNote),
        D(&E::GetDistanceSnackbar, "icon_snackbar.gif", {"Snackbar", "Snackbar", "Imbiss", "Snack-bar", "", "Snack bar", "Grillbar", "Gatukök"}, &MarinaGuideGetSnackbarNote),
        D(&E::GetDistanceRestaurant, "icon_restaurant.gif", {"Restaurant", "Restaurant", "Restaurant", "Restaurant", "", "Ristorante", "Restaurant", "Restaurang"}, &MarinaGuideGetRestaurantNote),
        D(&E::GetDistanceBikeRental, "icon_bikerental.gif", {"Bike rental", "Fietsverhuur", "Fahrradverleih", "Location de vélos", "", "Noleggio biciclette", "Cykeludlejning", "Cykeluthyrning"}),
        B(&E::HasBBQArea, "icon_bbqarea.gif", {"BBQ Area", "Barbecueplaats", "Grillplatz", "Espace barbecue", "", "Area barbecue", "Grillplads", "Grillplats"}),
        B(&E::HasBBQStation, "icon_bbqstation.gif", {"BBQ Station", "Barbecue", "Grillstation", "Barbecue", "", "Barbecue", "Grill", "Grill"}),
        D(&E::GetDistanceScubaTanks, "icon_scubatanks.gif", {"Fill station for scuba tanks", "Vulstation voor duikflessen", "Füllstation für Tauchflaschen", "Gonflage de bouteilles de plongée", "", "Ricarica bombole per sub", "Påfyldning af dykkerflasker", "Påfyllning av dykflaskor"}),
        D(&E::GetDistanceBeach, "icon_beach.gif", {"Beach", "Strand", "Strand", "Plage", "", "Spiaggia", "Strand", "Strand"}),
        D(&E::GetDistancePlayground, "icon_playground.gif", {"Playground", "Speeltuin", "Spielplatz", "Aire de jeux", "", "Parco giochi", "Legeplads", "Lekplats"}),
        S(MarinaSpecial::TV, "icon_tvconnection.gif", {"TV connection available", "Tv-aansluiting aanwezig", "TV-Anschluss vorhanden", "Prise TV disponible", "", "Presa TV disponibile", "Tv-tilslutning findes", "TV-anslutning finns"}),
        B(&E::HasInternetBerth, "icon_internetboat.gif", {"Internet available at berth (WLAN)", "Internet op de ligplaats (wifi)", "Internet am Liegeplatz (WLAN)", "Internet à la place (Wi-Fi)", "", "Internet al posto barca (Wi-Fi)", "Internet ved pladsen (WLAN)", "Internet vid platsen (WLAN)"}),
        B(&E::HasInternetMarina, "icon_internetmarina.gif", {"Internet available at marina", "Internet in de jachthaven", "Internet im Hafen", "Internet au port", "", "Internet nel porto", "Internet i havnen", "Internet i hamnen"}),
        B(&E::HasInternetCorner, "icon_internetcorner.gif", {"Internet corner available", "Internethoek aanwezig", "Internetecke vorhanden", "Coin Internet disponible", "", "Angolo Internet disponibile", "Internethjørne findes", "Internethörna finns"}),
        D(&E::GetDistanceSauna, "icon_sauna.gif", {"Sauna", "Sauna", "Sauna", "Sauna", "", "Sauna", "Sauna", "Bastu"}),
        D(&E::GetDistanceSteamBath, "icon_steambath.gif", {"Steam bath", "Stoombad", "Dampfbad", "Hammam", "", "Bagno turco", "Dampbad", "Ångbad"}),
        D(&E::GetDistanceWellness, "icon_wellness.gif", {"Wellness", "Wellness", "Wellness", "Bien-être", "", "Centro benessere", "Wellness", "Spa"}),
        D(&E::GetDistanceSolarium, "icon_solarium.gif", {"Solarium", "Zonnebank", "Solarium", "Solarium", "", "Solarium", "Solarium", "Solarium"}),
        D(&E::GetDistanceHotel, "icon_hotel.gif", {"Hotel", "Hotel", "Hotel", "Hôtel", "", "Albergo", "Hotel", "Hotell"}),
        D(&E::GetDistanceApartments, "icon_apartment.gif", {"Apartments", "Appartementen", "Ferienwohnungen", "Appartements", "", "Appartamenti", "Lejligheder", "Lägenheter"}),
        D(&E::GetDistanceCamping, "icon_camping.gif", {"Camping", "Camping", "Camping", "Camping", "", "Campeggio", "Camping", "Camping"}),
        D(&E::GetDistancePitches, "icon_pitch.gif", {"Pitches", "Kampeerplaatsen", "Stellplätze", "Emplacements", "", "Piazzole", "Pladser", "Uppställningsplatser"}),
        B(&E::HasParking, "icon_parking.gif", {"Parking", "Parkeerplaats", "Parkplatz", "Parking", "", "Parcheggio", "Parkering", "Parkering"}),
        B(&E::HasParkingGuarded, "icon_parkingguarded.gif", {"Guarded parking (at night)", "Bewaakt parkeren ('s nachts)", "Bewachter Parkplatz (nachts)", "Parking gardé (la nuit)", "", "Parcheggio custodito (di notte)", "Bevogtet parkering (om natten)", "Bevakad parkering (nattetid)"}, &E::HasParkingGuardedNight),
        B(&E::HasTrailerParking, "icon_trailerparking.gif", {"Trailer parking", "Parkeerplaats voor trailers", "Trailerparkplatz", "Parking pour remorques", "", "Parcheggio rimorchi", "Trailerparkering", "Trailerparkering"}),
        B(&E::HasTrailerParkingGuarded, "icon_trailerparkingguarded.gif", {"Guarded trailer parking (at night)", "Bewaakt parkeren voor trailers ('s nachts)", "Bewachter Trailerparkplatz (nachts)", "Parking gardé pour remorques (la nuit)", "", "Parcheggio rimorchi custodito (di notte)", "Bevogtet trailerparkering (om natten)", "Bevakad trailerparkering (nattetid)"}, &E::HasTrailerParkingGuardedNight),
    };
    return icons;
}
