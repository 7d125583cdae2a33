#include "chartview/ZichtOpScheepvaartTexts.h"

namespace zos {

QString ShipsText(int thisMonth, int lastMonth) {
    return QStringLiteral("Unieke schepen: %1 (deze maand), %2 (vorige maand)").arg(thisMonth).arg(lastMonth);
}

QString StructuresText(int participating, int passed) {
    return QStringLiteral("Kunstwerken die meedoen: %1, unieke gepasseerd: %2").arg(participating).arg(passed);
}

namespace {

const TLanguageStrings KindTexts[] = {
    {"Downloading ISRS codes", "ISRS-codes downloaden", "ISRS-Codes werden geladen", "Téléchargement des codes ISRS",
     "Descargando códigos ISRS", "Scaricamento codici ISRS", "Henter ISRS-koder", "Hämtar ISRS-koder"},
    {"Operation request canceled", "Bedieningsverzoek geannuleerd", "Bedienungsanfrage storniert",
     "Demande de manœuvre annulée", "Solicitud de maniobra cancelada", "Richiesta di manovra annullata",
     "Betjeningsanmodning annulleret", "Manöverbegäran avbruten"},
    {"Operation request sent", "Bedieningsverzoek verstuurd", "Bedienungsanfrage gesendet", "Demande de manœuvre envoyée",
     "Solicitud de maniobra enviada", "Richiesta di manovra inviata", "Betjeningsanmodning sendt", "Manöverbegäran skickad"},
    {"Boat state sent", "Bootstatus verstuurd", "Bootsstatus gesendet", "État du bateau envoyé", "Estado del barco enviado",
     "Stato della barca inviato", "Bådstatus sendt", "Båtstatus skickad"},
    {"Operation request updated", "Bedieningsverzoek bijgewerkt", "Bedienungsanfrage aktualisiert",
     "Demande de manœuvre mise à jour", "Solicitud de maniobra actualizada", "Richiesta di manovra aggiornata",
     "Betjeningsanmodning opdateret", "Manöverbegäran uppdaterad"},
    {"Object passed and canceled", "Object gepasseerd en afgemeld", "Objekt passiert und abgemeldet",
     "Ouvrage franchi et désinscrit", "Obra pasada y cancelada", "Opera superata e annullata", "Objekt passeret og afmeldt",
     "Objekt passerat och avanmält"},
};

}  // namespace

QString KindText(int kind) {
    return kind >= 0 && kind < int(std::size(KindTexts)) ? LanguageText(KindTexts[kind]) : QString();
}

const TLanguageStrings TabSettings = {"Settings", "Instellingen", "Einstellungen", "Paramètres", "Configuración",
                                      "Impostazioni", "Indstillinger", "Inställningar"};
const TLanguageStrings TabLog = {"Log", "Logboek", "Protokoll", "Journal", "Registro", "Registro", "Log", "Logg"};
const TLanguageStrings TabStatistics = {"Statistics", "Statistieken", "Statistik", "Statistiques", "Estadísticas",
                                        "Statistiche", "Statistik", "Statistik"};
const TLanguageStrings Requests = {"Operation requests", "Bedieningsverzoeken", "Bedienungsanfragen",
                                   "Demandes de manœuvre", "Solicitudes de maniobra", "Richieste di manovra",
                                   "Betjeningsanmodninger", "Manöverbegäranden"};
const TLanguageStrings Updates = {"Updates of ETA", "Bijgewerkte ETA's", "ETA-Aktualisierungen", "Mises à jour de l'ETA",
                                  "Actualizaciones de ETA", "Aggiornamenti ETA", "Opdateringer af ETA",
                                  "Uppdateringar av ETA"};
const TLanguageStrings Cancellations = {"Cancellations", "Annuleringen", "Stornierungen", "Annulations", "Cancelaciones",
                                        "Annullamenti", "Annulleringer", "Avbokningar"};
const TLanguageStrings Passed = {"Passed", "Gepasseerd", "Passiert", "Franchis", "Pasados", "Superati", "Passeret",
                                 "Passerade"};
const TLanguageStrings MostRecentAction = {"Most recent action", "Meest recente actie", "Letzte Aktion",
                                           "Action la plus récente", "Acción más reciente", "Azione più recente",
                                           "Seneste handling", "Senaste åtgärd"};
const TLanguageStrings StopQuestion = {
    "Are you sure you want to stop signing up for bridges and locks?",
    "Weet u zeker dat u wilt stoppen met aanmelden bij bruggen en sluizen?",
    "Möchten Sie die Anmeldung bei Brücken und Schleusen wirklich beenden?",
    "Voulez-vous vraiment arrêter l'inscription aux ponts et écluses ?",
    "¿Seguro que desea dejar de inscribirse en puentes y esclusas?",
    "Interrompere davvero la registrazione presso ponti e chiuse?",
    "Er du sikker på, at du vil stoppe tilmeldingen til broer og sluser?",
    "Vill du verkligen sluta anmäla dig till broar och slussar?"};
const TLanguageStrings EnterShipName = {"Please enter the name of your ship", "Vul de naam van uw schip in",
                                        "Bitte geben Sie den Namen Ihres Schiffes ein",
                                        "Veuillez saisir le nom de votre bateau", "Introduzca el nombre de su barco",
                                        "Inserire il nome della barca", "Indtast navnet på dit skib",
                                        "Ange namnet på ditt fartyg"};
const TLanguageStrings PanelInfo1 = {
    "Activating this function will send automatic operation requests to participating bridges and locks in the "
    "Province of Noord-Holland, whenever you are nearer than 15 minutes from a bridge or lock (keeping in mind the "
    "maximum allowed speed on the fairway). ",
    "Als u deze functie activeert, worden automatisch bedieningsverzoeken verstuurd naar deelnemende bruggen en "
    "sluizen in de provincie Noord-Holland zodra u minder dan 15 minuten van een brug of sluis bent (rekening "
    "houdend met de maximaal toegestane snelheid op het vaarwater). ",
    "Wenn Sie diese Funktion aktivieren, werden automatisch Bedienungsanfragen an teilnehmende Brücken und Schleusen "
    "in der Provinz Noord-Holland gesendet, sobald Sie weniger als 15 Minuten von einer Brücke oder Schleuse entfernt "
    "sind (unter Berücksichtigung der zulässigen Höchstgeschwindigkeit auf dem Fahrwasser). ",
    "L'activation de cette fonction envoie automatiquement des demandes de manœuvre aux ponts et écluses participants "
    "de la province de Hollande-Septentrionale dès que vous êtes à moins de 15 minutes d'un pont ou d'une écluse "
    "(compte tenu de la vitesse maximale autorisée sur le chenal). ",
    "Al activar esta función se enviarán solicitudes de maniobra automáticas a los puentes y esclusas participantes "
    "de la provincia de Holanda Septentrional cuando esté a menos de 15 minutos de un puente o esclusa (teniendo en "
    "cuenta la velocidad máxima permitida en el canal). ",
    "Attivando questa funzione verranno inviate richieste di manovra automatiche a ponti e chiuse aderenti nella "
    "provincia dell'Olanda Settentrionale quando si è a meno di 15 minuti da un ponte o una chiusa (tenendo conto "
    "della velocità massima consentita sul canale). ",
    "Når funktionen aktiveres, sendes der automatisk betjeningsanmodninger til deltagende broer og sluser i provinsen "
    "Noord-Holland, når du er mindre end 15 minutter fra en bro eller sluse (under hensyn til den tilladte "
    "maksimalhastighed i farvandet). ",
    "När funktionen aktiveras skickas automatiska manöverbegäranden till deltagande broar och slussar i provinsen "
    "Noord-Holland när du är närmare än 15 minuter från en bro eller sluss (med hänsyn till högsta tillåtna hastighet "
    "i farleden). "};
const TLanguageStrings PanelInfo2 = {
    "Please note that this will send the name of your ship, MMSI, dimensions, position, speed and course to the "
    "servers of Korvane and the Province of Noord-Holland.",
    "Let op: hierbij worden de naam van uw schip, MMSI, afmetingen, positie, snelheid en koers naar de servers van "
    "Korvane en de provincie Noord-Holland verstuurd.",
    "Bitte beachten Sie, dass dabei Schiffsname, MMSI, Abmessungen, Position, Geschwindigkeit und Kurs an die Server "
    "von Korvane und der Provinz Noord-Holland gesendet werden.",
    "Notez que le nom de votre bateau, le MMSI, les dimensions, la position, la vitesse et le cap seront envoyés aux "
    "serveurs de Korvane et de la province de Hollande-Septentrionale.",
    "Tenga en cuenta que se enviarán el nombre de su barco, el MMSI, las dimensiones, la posición, la velocidad y el "
    "rumbo a los servidores de Korvane y de la provincia de Holanda Septentrional.",
    "Si noti che verranno inviati nome della barca, MMSI, dimensioni, posizione, velocità e rotta ai server di "
    "Korvane e della provincia dell'Olanda Settentrionale.",
    "Bemærk, at skibets navn, MMSI, mål, position, fart og kurs sendes til serverne hos Korvane og provinsen "
    "Noord-Holland.",
    "Observera att fartygets namn, MMSI, mått, position, fart och kurs skickas till servrarna hos Korvane och "
    "provinsen Noord-Holland."};
const TLanguageStrings PanelInfo3 = {
    "The use of this function requires a working connection to the internet.",
    "Voor deze functie is een werkende internetverbinding nodig.",
    "Für diese Funktion ist eine funktionierende Internetverbindung erforderlich.",
    "Cette fonction nécessite une connexion Internet active.",
    "Esta función requiere una conexión a Internet operativa.",
    "Questa funzione richiede una connessione a Internet funzionante.",
    "Funktionen kræver en fungerende internetforbindelse.",
    "Funktionen kräver en fungerande internetanslutning."};
const TLanguageStrings Header = {"Automatic operation requests bridges and locks",
                                 "Automatische bedieningsverzoeken bruggen en sluizen",
                                 "Automatische Bedienungsanfragen Brücken und Schleusen",
                                 "Demandes de manœuvre automatiques ponts et écluses",
                                 "Solicitudes de maniobra automáticas puentes y esclusas",
                                 "Richieste di manovra automatiche ponti e chiuse",
                                 "Automatiske betjeningsanmodninger broer og sluser",
                                 "Automatiska manöverbegäranden broar och slussar"};
const TLanguageStrings Info3 = {"Do you want to use this function?", "Wilt u deze functie gebruiken?",
                                "Möchten Sie diese Funktion nutzen?", "Voulez-vous utiliser cette fonction ?",
                                "¿Desea utilizar esta función?", "Utilizzare questa funzione?",
                                "Vil du bruge denne funktion?", "Vill du använda den här funktionen?"};
const TLanguageStrings ShipName = {"Ship name", "Scheepsnaam", "Schiffsname", "Nom du bateau", "Nombre del barco",
                                   "Nome della barca", "Skibets navn", "Fartygets namn"};
const TLanguageStrings SafetyMargin = {"Safety margin", "Veiligheidsmarge", "Sicherheitsabstand", "Marge de sécurité",
                                       "Margen de seguridad", "Margine di sicurezza", "Sikkerhedsmargin",
                                       "Säkerhetsmarginal"};
const TLanguageStrings OperationHeight = {"Operation height", "Bedieningshoogte", "Bedienungshöhe",
                                          "Hauteur de manœuvre", "Altura de maniobra", "Altezza di manovra",
                                          "Betjeningshøjde", "Manöverhöjd"};
const TLanguageStrings OperationHeightUnit = {
    "m (mast height plus safety margin)", "m (masthoogte plus veiligheidsmarge)",
    "m (Masthöhe plus Sicherheitsabstand)", "m (hauteur du mât plus marge de sécurité)",
    "m (altura del mástil más margen de seguridad)", "m (altezza dell'albero più margine di sicurezza)",
    "m (masthøjde plus sikkerhedsmargin)", "m (masthöjd plus säkerhetsmarginal)"};
const TLanguageStrings Phone = {"Phone number", "Telefoonnummer", "Telefonnummer", "Numéro de téléphone",
                                "Número de teléfono", "Numero di telefono", "Telefonnummer", "Telefonnummer"};
const TLanguageStrings Required = {"(required)", "(verplicht)", "(erforderlich)", "(obligatoire)", "(obligatorio)",
                                   "(obbligatorio)", "(påkrævet)", "(obligatoriskt)"};
const TLanguageStrings SafetyMarginUnit = {
    "m (extra margin on top of ship's height)", "m (extra marge boven de hoogte van het schip)",
    "m (zusätzlicher Abstand über der Schiffshöhe)", "m (marge supplémentaire au-dessus de la hauteur du bateau)",
    "m (margen adicional sobre la altura del barco)", "m (margine aggiuntivo sopra l'altezza della barca)",
    "m (ekstra margin over skibets højde)", "m (extra marginal ovanför fartygets höjd)"};
const TLanguageStrings MMSI = {"MMSI", "MMSI", "MMSI", "MMSI", "MMSI", "MMSI", "MMSI", "MMSI"};

const TLanguageStrings Html1 = {
    "Marivo can automatically send operation requests to participating bridges and locks in the Province of "
    "Noord-Holland, whenever you are nearer than 15 minutes from a bridge or lock (keeping in mind the maximum allowed "
    "speed on the fairway). ",
    "Marivo kan automatisch bedieningsverzoeken sturen naar deelnemende bruggen en sluizen in de provincie "
    "Noord-Holland zodra u minder dan 15 minuten van een brug of sluis bent (rekening houdend met de maximaal "
    "toegestane snelheid op het vaarwater). ",
    "Marivo kann automatisch Bedienungsanfragen an teilnehmende Brücken und Schleusen in der Provinz Noord-Holland "
    "senden, sobald Sie weniger als 15 Minuten von einer Brücke oder Schleuse entfernt sind (unter Berücksichtigung "
    "der zulässigen Höchstgeschwindigkeit auf dem Fahrwasser). ",
    "Marivo peut envoyer automatiquement des demandes de manœuvre aux ponts et écluses participants de la province de "
    "Hollande-Septentrionale dès que vous êtes à moins de 15 minutes d'un pont ou d'une écluse (compte tenu de la "
    "vitesse maximale autorisée sur le chenal). ",
    "Marivo puede enviar automáticamente solicitudes de maniobra a los puentes y esclusas participantes de la "
    "provincia de Holanda Septentrional cuando esté a menos de 15 minutos de un puente o esclusa (teniendo en cuenta "
    "la velocidad máxima permitida en el canal). ",
    "Marivo può inviare automaticamente richieste di manovra a ponti e chiuse aderenti nella provincia dell'Olanda "
    "Settentrionale quando si è a meno di 15 minuti da un ponte o una chiusa (tenendo conto della velocità massima "
    "consentita sul canale). ",
    "Marivo kan automatisk sende betjeningsanmodninger til deltagende broer og sluser i provinsen Noord-Holland, når "
    "du er mindre end 15 minutter fra en bro eller sluse (under hensyn til den tilladte maksimalhastighed i "
    "farvandet). ",
    "Marivo kan automatiskt skicka manöverbegäranden till deltagande broar och slussar i provinsen Noord-Holland när "
    "du är närmare än 15 minuter från en bro eller sluss (med hänsyn till högsta tillåtna hastighet i farleden). "};
const TLanguageStrings Html2 = {
    "The use of this function requires a working connection to the internet. Your ship's name, dimensions and optional "
    "MMSI need to be entered in the menu File - Properties - Ship.",
    "Voor deze functie is een werkende internetverbinding nodig. De naam, afmetingen en eventueel het MMSI van uw schip "
    "voert u in via het menu Bestand - Eigenschappen - Schip.",
    "Für diese Funktion ist eine funktionierende Internetverbindung erforderlich. Name, Abmessungen und gegebenenfalls "
    "MMSI Ihres Schiffes geben Sie im Menü Datei - Eigenschaften - Schiff ein.",
    "Cette fonction nécessite une connexion Internet active. Le nom, les dimensions et éventuellement le MMSI de votre "
    "bateau se saisissent dans le menu Fichier - Propriétés - Bateau.",
    "Esta función requiere una conexión a Internet operativa. El nombre, las dimensiones y, opcionalmente, el MMSI de "
    "su barco se introducen en el menú Archivo - Propiedades - Barco.",
    "Questa funzione richiede una connessione a Internet funzionante. Nome, dimensioni ed eventuale MMSI della barca "
    "si inseriscono nel menu File - Proprietà - Barca.",
    "Funktionen kræver en fungerende internetforbindelse. Skibets navn, mål og eventuelt MMSI indtastes i menuen "
    "Filer - Egenskaber - Skib.",
    "Funktionen kräver en fungerande internetanslutning. Fartygets namn, mått och eventuellt MMSI anges i menyn Arkiv "
    "- Egenskaper - Fartyg."};
const TLanguageStrings Html3 = {
    "Privacy: Your ship's name in combination with data, position and speed will be send to the servers of Korvane "
    "and the Province of Noord-Holland, but will not be kept.",
    "Privacy: de naam van uw schip wordt samen met gegevens, positie en snelheid naar de servers van Korvane en de "
    "provincie Noord-Holland gestuurd, maar niet bewaard.",
    "Datenschutz: Der Name Ihres Schiffes wird zusammen mit Daten, Position und Geschwindigkeit an die Server von "
    "Korvane und der Provinz Noord-Holland gesendet, aber nicht gespeichert.",
    "Confidentialité : le nom de votre bateau, avec les données, la position et la vitesse, est envoyé aux serveurs de "
    "Korvane et de la province de Hollande-Septentrionale, mais n'est pas conservé.",
    "Privacidad: el nombre de su barco, junto con datos, posición y velocidad, se envía a los servidores de Korvane y "
    "de la provincia de Holanda Septentrional, pero no se conserva.",
    "Privacy: il nome della barca, insieme a dati, posizione e velocità, viene inviato ai server di Korvane e della "
    "provincia dell'Olanda Settentrionale, ma non viene conservato.",
    "Privatliv: Skibets navn sendes sammen med data, position og fart til serverne hos Korvane og provinsen "
    "Noord-Holland, men gemmes ikke.",
    "Integritet: Fartygets namn skickas tillsammans med data, position och fart till servrarna hos Korvane och "
    "provinsen Noord-Holland, men sparas inte."};
const TLanguageStrings Html4 = {"Advantages of signing up in Marivo:", "Voordelen van aanmelden in Marivo:",
                                "Vorteile der Anmeldung in Marivo:", "Avantages de l'inscription dans Marivo :",
                                "Ventajas de inscribirse en Marivo:", "Vantaggi della registrazione in Marivo:",
                                "Fordele ved tilmelding i Marivo:", "Fördelar med att anmäla sig i Marivo:"};
const TLanguageStrings HtmlItem1 = {
    "You will help optimize traffic flow resulting in a shorter waiting time for bridges and locks.",
    "U helpt de verkeersstroom te optimaliseren, wat kortere wachttijden bij bruggen en sluizen oplevert.",
    "Sie helfen, den Verkehrsfluss zu optimieren, was kürzere Wartezeiten an Brücken und Schleusen ergibt.",
    "Vous contribuez à fluidifier le trafic, ce qui réduit l'attente aux ponts et écluses.",
    "Ayudará a optimizar el tráfico, lo que reduce la espera en puentes y esclusas.",
    "Contribuirete a ottimizzare il traffico, riducendo l'attesa a ponti e chiuse.",
    "Du hjælper med at optimere trafikken, så ventetiden ved broer og sluser bliver kortere.",
    "Du hjälper till att optimera trafiken, vilket ger kortare väntetid vid broar och slussar."};
const TLanguageStrings HtmlItem2 = {
    "Participating bridges in Noord-Holland are shown on the charts with a black circle. After an operation request it "
    "will turn green.",
    "Deelnemende bruggen in Noord-Holland worden op de kaart met een zwarte cirkel getoond. Na een bedieningsverzoek "
    "wordt die groen.",
    "Teilnehmende Brücken in Noord-Holland sind in den Karten mit einem schwarzen Kreis markiert. Nach einer "
    "Bedienungsanfrage wird er grün.",
    "Les ponts participants en Hollande-Septentrionale sont marqués d'un cercle noir sur les cartes. Après une "
    "demande de manœuvre, il devient vert.",
    "Los puentes participantes de Holanda Septentrional se muestran en las cartas con un círculo negro. Tras una "
    "solicitud de maniobra se vuelve verde.",
    "I ponti aderenti dell'Olanda Settentrionale sono indicati sulle carte con un cerchio nero, che dopo una richiesta "
    "di manovra diventa verde.",
    "Deltagende broer i Noord-Holland vises på søkortet med en sort cirkel. Efter en betjeningsanmodning bliver den "
    "grøn.",
    "Deltagande broar i Noord-Holland visas i sjökortet med en svart cirkel. Efter en manöverbegäran blir den grön."};
const TLanguageStrings HtmlItem3 = {
    "Important bridges and locks in The Netherlands are connected to the BLIS (Blauwe Golf) system of RWS. In "
    "Routeplanner Info for the first BLIS bridge or lock you will reach the expected operation time, distance, and "
    "recommended speed are shown, if available. This will save you fuel with less CO2/NO2 emissions.",
    "Belangrijke bruggen en sluizen in Nederland zijn aangesloten op het BLIS-systeem (Blauwe Golf) van RWS. In "
    "Routeplanner Info ziet u voor de eerste BLIS-brug of -sluis die u bereikt de verwachte bedieningstijd, afstand en "
    "geadviseerde snelheid, indien beschikbaar. Dat bespaart brandstof en vermindert de CO2/NO2-uitstoot.",
    "Wichtige Brücken und Schleusen in den Niederlanden sind an das BLIS-System (Blauwe Golf) von RWS angeschlossen. "
    "In Routeplaner-Info werden für die erste BLIS-Brücke oder -Schleuse auf Ihrem Weg die erwartete Bedienungszeit, "
    "Entfernung und empfohlene Geschwindigkeit angezeigt, sofern verfügbar. Das spart Kraftstoff und senkt den "
    "CO2/NO2-Ausstoß.",
    "Les principaux ponts et écluses des Pays-Bas sont reliés au système BLIS (Blauwe Golf) de RWS. Dans Infos "
    "planificateur, l'heure de manœuvre prévue, la distance et la vitesse conseillée pour le premier pont ou la "
    "première écluse BLIS sur votre route s'affichent si elles sont disponibles. Vous économisez ainsi du carburant "
    "et réduisez les émissions de CO2/NO2.",
    "Los principales puentes y esclusas de los Países Bajos están conectados al sistema BLIS (Blauwe Golf) de RWS. En "
    "Info del planificador se muestran, si están disponibles, la hora de maniobra prevista, la distancia y la "
    "velocidad recomendada para el primer puente o esclusa BLIS de su ruta. Así ahorra combustible y reduce las "
    "emisiones de CO2/NO2.",
    "I principali ponti e chiuse dei Paesi Bassi sono collegati al sistema BLIS (Blauwe Golf) di RWS. In Info "
    "pianificatore vengono mostrati, se disponibili, l'orario di manovra previsto, la distanza e la velocità "
    "consigliata per il primo ponte o chiusa BLIS sul percorso. Si risparmia carburante con meno emissioni di "
    "CO2/NO2.",
    "Vigtige broer og sluser i Nederlandene er tilsluttet RWS' BLIS-system (Blauwe Golf). I Ruteplanner-info vises "
    "den forventede betjeningstid, afstand og anbefalede fart for den første BLIS-bro eller -sluse på ruten, hvis de "
    "findes. Det sparer brændstof og giver mindre CO2/NO2-udledning.",
    "Viktiga broar och slussar i Nederländerna är anslutna till RWS BLIS-system (Blauwe Golf). I Ruttplanerarinfo "
    "visas förväntad manövertid, avstånd och rekommenderad fart för den första BLIS-bron eller -slussen på rutten, om "
    "de finns. Det sparar bränsle och ger mindre utsläpp av CO2/NO2."};
const TLanguageStrings Html5 = {
    "The log and general BMS statistics can be shown after clicking the Menu - Navigation - Sign up for bridges and "
    "locks log option. You can also enable or disable the function there.",
    "Het logboek en de algemene BMS-statistieken toont u via Menu - Navigatie - Logboek aanmelden bruggen en sluizen. "
    "Daar kunt u de functie ook in- of uitschakelen.",
    "Protokoll und allgemeine BMS-Statistik zeigen Sie über Menü - Navigation - Protokoll Anmeldung Brücken und "
    "Schleusen an. Dort können Sie die Funktion auch ein- oder ausschalten.",
    "Le journal et les statistiques générales BMS s'affichent par Menu - Navigation - Journal d'inscription ponts et "
    "écluses. Vous pouvez aussi y activer ou désactiver la fonction.",
    "El registro y las estadísticas generales BMS se muestran con Menú - Navegación - Registro de inscripción en "
    "puentes y esclusas. Allí también puede activar o desactivar la función.",
    "Il registro e le statistiche generali BMS si visualizzano con Menu - Navigazione - Registro iscrizione ponti e "
    "chiuse. Lì è anche possibile attivare o disattivare la funzione.",
    "Loggen og den generelle BMS-statistik vises via Menu - Navigation - Log for tilmelding til broer og sluser. Her "
    "kan du også slå funktionen til eller fra.",
    "Loggen och allmän BMS-statistik visas via Meny - Navigering - Logg för anmälan till broar och slussar. Där kan du "
    "också slå på eller av funktionen."};

}  // namespace zos
