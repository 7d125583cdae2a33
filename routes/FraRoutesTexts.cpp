// One table per text: English, Dutch, German, French, Spanish, Italian, Danish, Swedish.
#include "routes/FraRoutesTexts.h"

namespace RouteText {
const TLanguageStrings Route = {
    "Route",
    /*nl*/ "Route",
    /*de*/ "Route",
    /*fr*/ "Itin\u00E9raire",
    /*es*/ "Ruta",
    /*it*/ "Rotta",
    /*da*/ "Rute",
    /*sv*/ "Rutt"};
const TLanguageStrings Options = {
    "Options",
    /*nl*/ "Opties",
    /*de*/ "Optionen",
    /*fr*/ "Options",
    /*es*/ "Opciones",
    /*it*/ "Opzioni",
    /*da*/ "Indstillinger",
    /*sv*/ "Alternativ"};
const TLanguageStrings ETA = {
    "ETA",
    /*nl*/ "ETA",
    /*de*/ "ETA",
    /*fr*/ "HPA",
    /*es*/ "ETA",
    /*it*/ "ETA",
    /*da*/ "ETA",
    /*sv*/ "ETA"};
const TLanguageStrings Mode = {
    "Mode",
    /*nl*/ "Modus",
    /*de*/ "Modus",
    /*fr*/ "Mode",
    /*es*/ "Modo",
    /*it*/ "Modalit\u00E0",
    /*da*/ "Tilstand",
    /*sv*/ "L\u00E4ge"};
const TLanguageStrings NoRoutes = {
    "No routes present in the database",
    /*nl*/ "Geen routes aanwezig in de database",
    /*de*/ "Keine Routen in der Datenbank vorhanden",
    /*fr*/ "Aucun itin\u00E9raire dans la base de donn\u00E9es",
    /*es*/ "No hay rutas en la base de datos",
    /*it*/ "Nessuna rotta presente nel database",
    /*da*/ "Ingen ruter i databasen",
    /*sv*/ "Inga rutter finns i databasen"};
const TLanguageStrings NoRoutesHint = {
    "Select 'New route' from the 'Routes' menu to create a new route.",
    /*nl*/ "Kies 'Nieuwe route' in het menu 'Routes' om een nieuwe route te maken.",
    /*de*/ "W\u00E4hlen Sie 'Neue Route' im Men\u00FC 'Routen', um eine neue Route anzulegen.",
    /*fr*/ "Choisissez 'Nouvel itin\u00E9raire' dans le menu 'Itin\u00E9raires' pour cr\u00E9er un itin\u00E9raire.",
    /*es*/ "Elija 'Nueva ruta' en el men\u00FA 'Rutas' para crear una ruta nueva.",
    /*it*/ "Scegliere 'Nuova rotta' dal menu 'Rotte' per creare una nuova rotta.",
    /*da*/ "V\u00E6lg 'Ny rute' i menuen 'Ruter' for at oprette en ny rute.",
    /*sv*/ "V\u00E4lj 'Ny rutt' i menyn 'Rutter' f\u00F6r att skapa en ny rutt."};
const TLanguageStrings NoRoute = {
    "No route selected",
    /*nl*/ "Geen route geselecteerd",
    /*de*/ "Keine Route ausgew\u00E4hlt",
    /*fr*/ "Aucun itin\u00E9raire s\u00E9lectionn\u00E9",
    /*es*/ "Ninguna ruta seleccionada",
    /*it*/ "Nessuna rotta selezionata",
    /*da*/ "Ingen rute valgt",
    /*sv*/ "Ingen rutt vald"};
const TLanguageStrings NoRouteHint = {
    "Please select a route from the above combo box.",
    /*nl*/ "Kies een route in de keuzelijst hierboven.",
    /*de*/ "Bitte w\u00E4hlen Sie oben eine Route aus der Liste.",
    /*fr*/ "Veuillez choisir un itin\u00E9raire dans la liste ci-dessus.",
    /*es*/ "Seleccione una ruta en la lista de arriba.",
    /*it*/ "Selezionare una rotta dall'elenco qui sopra.",
    /*da*/ "V\u00E6lg en rute i listen ovenfor.",
    /*sv*/ "V\u00E4lj en rutt i listan ovan."};
const TLanguageStrings NoPoints = {
    "The route contains no route points",
    /*nl*/ "De route bevat geen routepunten",
    /*de*/ "Die Route enth\u00E4lt keine Routenpunkte",
    /*fr*/ "L'itin\u00E9raire ne contient aucun point",
    /*es*/ "La ruta no contiene puntos de ruta",
    /*it*/ "La rotta non contiene punti di rotta",
    /*da*/ "Ruten indeholder ingen rutepunkter",
    /*sv*/ "Rutten inneh\u00E5ller inga ruttpunkter"};
const TLanguageStrings NoPointsHint = {
    "Click a place in the chart view to create a new route point",
    /*nl*/ "Klik op een plaats in de kaart om een nieuw routepunt te maken",
    /*de*/ "Klicken Sie auf eine Stelle in der Karte, um einen neuen Routenpunkt anzulegen",
    /*fr*/ "Cliquez sur la carte pour cr\u00E9er un nouveau point d'itin\u00E9raire",
    /*es*/ "Haga clic en la carta para crear un nuevo punto de ruta",
    /*it*/ "Fare clic sulla carta per creare un nuovo punto di rotta",
    /*da*/ "Klik et sted i s\u00F8kortet for at oprette et nyt rutepunkt",
    /*sv*/ "Klicka p\u00E5 en plats i sj\u00F6kortet f\u00F6r att skapa en ny ruttpunkt"};
const TLanguageStrings NoInformation = {
    "No route information available",
    /*nl*/ "Geen route-informatie beschikbaar",
    /*de*/ "Keine Routeninformation verf\u00FCgbar",
    /*fr*/ "Aucune information d'itin\u00E9raire disponible",
    /*es*/ "No hay informaci\u00F3n de ruta",
    /*it*/ "Nessuna informazione di rotta disponibile",
    /*da*/ "Ingen ruteinformation tilg\u00E6ngelig",
    /*sv*/ "Ingen ruttinformation tillg\u00E4nglig"};
const TLanguageStrings SailingStop = {
    "Sailing times stop",
    /*nl*/ "Stop vaartijden",
    /*de*/ "Halt Fahrzeiten",
    /*fr*/ "Arr\u00EAt horaires de navigation",
    /*es*/ "Parada por horario de navegaci\u00F3n",
    /*it*/ "Sosta orari di navigazione",
    /*da*/ "Stop for sejladstider",
    /*sv*/ "Stopp f\u00F6r g\u00E5ngtider"};
const TLanguageStrings Powerlines = {
    "Powerlines",
    /*nl*/ "Hoogspanningsleidingen",
    /*de*/ "Hochspannungsleitungen",
    /*fr*/ "Lignes \u00E9lectriques",
    /*es*/ "L\u00EDneas el\u00E9ctricas",
    /*it*/ "Linee elettriche",
    /*da*/ "H\u00F8jsp\u00E6ndingsledninger",
    /*sv*/ "Kraftledningar"};
const TLanguageStrings SelectColumns = {
    "Select columns",
    /*nl*/ "Kolommen kiezen",
    /*de*/ "Spalten ausw\u00E4hlen",
    /*fr*/ "Choisir les colonnes",
    /*es*/ "Seleccionar columnas",
    /*it*/ "Seleziona colonne",
    /*da*/ "V\u00E6lg kolonner",
    /*sv*/ "V\u00E4lj kolumner"};
const TLanguageStrings RestoreColumns = {
    "Restore columns",
    /*nl*/ "Kolommen herstellen",
    /*de*/ "Spalten zur\u00FCcksetzen",
    /*fr*/ "R\u00E9tablir les colonnes",
    /*es*/ "Restablecer columnas",
    /*it*/ "Ripristina colonne",
    /*da*/ "Gendan kolonner",
    /*sv*/ "\u00C5terst\u00E4ll kolumner"};
const TLanguageStrings PrintOverview = {
    "Print overview",
    /*nl*/ "Overzicht afdrukken",
    /*de*/ "\u00DCbersicht drucken",
    /*fr*/ "Imprimer l'aper\u00E7u",
    /*es*/ "Imprimir resumen",
    /*it*/ "Stampa riepilogo",
    /*da*/ "Udskriv oversigt",
    /*sv*/ "Skriv ut \u00F6versikt"};
const TLanguageStrings ExportOverview = {
    "Export overview",
    /*nl*/ "Overzicht exporteren",
    /*de*/ "\u00DCbersicht exportieren",
    /*fr*/ "Exporter l'aper\u00E7u",
    /*es*/ "Exportar resumen",
    /*it*/ "Esporta riepilogo",
    /*da*/ "Eksport\u00E9r oversigt",
    /*sv*/ "Exportera \u00F6versikt"};
const TLanguageStrings NormalFont = {
    "Normal font size",
    /*nl*/ "Normale lettergrootte",
    /*de*/ "Normale Schriftgr\u00F6\u00DFe",
    /*fr*/ "Taille de police normale",
    /*es*/ "Tama\u00F1o de letra normal",
    /*it*/ "Carattere normale",
    /*da*/ "Normal skriftst\u00F8rrelse",
    /*sv*/ "Normal teckenstorlek"};
const TLanguageStrings BiggerFont = {
    "Bigger font size",
    /*nl*/ "Grotere lettergrootte",
    /*de*/ "Gr\u00F6\u00DFere Schrift",
    /*fr*/ "Police plus grande",
    /*es*/ "Letra m\u00E1s grande",
    /*it*/ "Carattere pi\u00F9 grande",
    /*da*/ "St\u00F8rre skrift",
    /*sv*/ "St\u00F6rre teckenstorlek"};
const TLanguageStrings BigFont = {
    "Big font size",
    /*nl*/ "Grote lettergrootte",
    /*de*/ "Gro\u00DFe Schrift",
    /*fr*/ "Grande police",
    /*es*/ "Letra grande",
    /*it*/ "Carattere grande",
    /*da*/ "Stor skrift",
    /*sv*/ "Stor teckenstorlek"};
const TLanguageStrings MoveUp = {
    "Move column up",
    /*nl*/ "Kolom omhoog",
    /*de*/ "Spalte nach oben",
    /*fr*/ "Monter la colonne",
    /*es*/ "Subir columna",
    /*it*/ "Sposta colonna in su",
    /*da*/ "Flyt kolonne op",
    /*sv*/ "Flytta kolumn upp\u00E5t"};
const TLanguageStrings MoveDown = {
    "Move column down",
    /*nl*/ "Kolom omlaag",
    /*de*/ "Spalte nach unten",
    /*fr*/ "Descendre la colonne",
    /*es*/ "Bajar columna",
    /*it*/ "Sposta colonna in gi\u00F9",
    /*da*/ "Flyt kolonne ned",
    /*sv*/ "Flytta kolumn ned\u00E5t"};
const TLanguageStrings RestoreDefaults = {
    "Retore defaults",
    /*nl*/ "Standaard herstellen",
    /*de*/ "Standard wiederherstellen",
    /*fr*/ "R\u00E9tablir les valeurs par d\u00E9faut",
    /*es*/ "Restablecer valores predeterminados",
    /*it*/ "Ripristina predefiniti",
    /*da*/ "Gendan standard",
    /*sv*/ "\u00C5terst\u00E4ll standard"};
const TLanguageStrings UseForAll = {
    "Use this value for all route points",
    /*nl*/ "Deze waarde voor alle routepunten gebruiken",
    /*de*/ "Diesen Wert f\u00FCr alle Routenpunkte verwenden",
    /*fr*/ "Utiliser cette valeur pour tous les points",
    /*es*/ "Usar este valor para todos los puntos de ruta",
    /*it*/ "Usa questo valore per tutti i punti di rotta",
    /*da*/ "Brug denne v\u00E6rdi for alle rutepunkter",
    /*sv*/ "Anv\u00E4nd detta v\u00E4rde f\u00F6r alla ruttpunkter"};
const TLanguageStrings ErrReadOnly = {
    "Cannot change the value for this route point because the route is read-only.",
    /*nl*/ "Kan de waarde van dit routepunt niet wijzigen omdat de route alleen-lezen is.",
    /*de*/ "Der Wert dieses Routenpunkts kann nicht ge\u00E4ndert werden, weil die Route schreibgesch\u00FCtzt ist.",
    /*fr*/ "Impossible de modifier la valeur de ce point car l'itin\u00E9raire est en lecture seule.",
    /*es*/ "No se puede cambiar el valor de este punto de ruta porque la ruta es de solo lectura.",
    /*it*/ "Impossibile modificare il valore di questo punto perch\u00E9 la rotta \u00E8 di sola lettura.",
    /*da*/ "V\u00E6rdien for dette rutepunkt kan ikke \u00E6ndres, fordi ruten er skrivebeskyttet.",
    /*sv*/ "V\u00E4rdet f\u00F6r denna ruttpunkt kan inte \u00E4ndras eftersom rutten \u00E4r skrivskyddad."};
const TLanguageStrings ErrNameTooLong = {
    "Cannot change the name for this route point because the name is too long.",
    /*nl*/ "Kan de naam van dit routepunt niet wijzigen omdat de naam te lang is.",
    /*de*/ "Der Name dieses Routenpunkts kann nicht ge\u00E4ndert werden, weil er zu lang ist.",
    /*fr*/ "Impossible de modifier le nom de ce point car le nom est trop long.",
    /*es*/ "No se puede cambiar el nombre de este punto de ruta porque es demasiado largo.",
    /*it*/ "Impossibile modificare il nome di questo punto perch\u00E9 \u00E8 troppo lungo.",
    /*da*/ "Navnet p\u00E5 dette rutepunkt kan ikke \u00E6ndres, fordi navnet er for langt.",
    /*sv*/ "Namnet p\u00E5 denna ruttpunkt kan inte \u00E4ndras eftersom namnet \u00E4r f\u00F6r l\u00E5ngt."};
const TLanguageStrings ErrAttached = {
    "Cannot change the value for this route point because the route point is attached to a waypoint.",
    /*nl*/ "Kan de waarde van dit routepunt niet wijzigen omdat het routepunt aan een waypoint gekoppeld is.",
    /*de*/ "Der Wert dieses Routenpunkts kann nicht ge\u00E4ndert werden, weil er mit einem Wegpunkt verbunden ist.",
    /*fr*/ "Impossible de modifier la valeur de ce point car il est li\u00E9 \u00E0 un waypoint.",
    /*es*/ "No se puede cambiar el valor de este punto de ruta porque est\u00E1 vinculado a un waypoint.",
    /*it*/ "Impossibile modificare il valore di questo punto perch\u00E9 \u00E8 collegato a un waypoint.",
    /*da*/ "V\u00E6rdien for dette rutepunkt kan ikke \u00E6ndres, fordi rutepunktet er knyttet til et waypoint.",
    /*sv*/ "V\u00E4rdet f\u00F6r denna ruttpunkt kan inte \u00E4ndras eftersom ruttpunkten \u00E4r kopplad till en waypoint."};
const TLanguageStrings ErrOther = {
    "Cannot change the value for this route point. Reason: %1.",
    /*nl*/ "Kan de waarde van dit routepunt niet wijzigen. Reden: %1.",
    /*de*/ "Der Wert dieses Routenpunkts kann nicht ge\u00E4ndert werden. Grund: %1.",
    /*fr*/ "Impossible de modifier la valeur de ce point. Raison : %1.",
    /*es*/ "No se puede cambiar el valor de este punto de ruta. Motivo: %1.",
    /*it*/ "Impossibile modificare il valore di questo punto. Motivo: %1.",
    /*da*/ "V\u00E6rdien for dette rutepunkt kan ikke \u00E6ndres. \u00C5rsag: %1.",
    /*sv*/ "V\u00E4rdet f\u00F6r denna ruttpunkt kan inte \u00E4ndras. Orsak: %1."};
const TLanguageStrings OK = {
    "OK",
    /*nl*/ "OK",
    /*de*/ "OK",
    /*fr*/ "OK",
    /*es*/ "Aceptar",
    /*it*/ "OK",
    /*da*/ "OK",
    /*sv*/ "OK"};
const TLanguageStrings Cancel = {
    "Cancel",
    /*nl*/ "Annuleren",
    /*de*/ "Abbrechen",
    /*fr*/ "Annuler",
    /*es*/ "Cancelar",
    /*it*/ "Annulla",
    /*da*/ "Annuller",
    /*sv*/ "Avbryt"};
const TLanguageStrings OverviewTitle = {
    "Marivo 5 route overview",
    /*nl*/ "Marivo 5 route-overzicht",
    /*de*/ "Marivo 5 Routen\u00FCbersicht",
    /*fr*/ "Aper\u00E7u d'itin\u00E9raire Marivo 5",
    /*es*/ "Resumen de ruta de Marivo 5",
    /*it*/ "Riepilogo rotta Marivo 5",
    /*da*/ "Marivo 5 rute-oversigt",
    /*sv*/ "Marivo 5 rutt\u00F6versikt"};
const TLanguageStrings RouteName = {
    "Route name:",
    /*nl*/ "Routenaam:",
    /*de*/ "Routenname:",
    /*fr*/ "Nom de l'itin\u00E9raire :",
    /*es*/ "Nombre de ruta:",
    /*it*/ "Nome rotta:",
    /*da*/ "Rutenavn:",
    /*sv*/ "Ruttnamn:"};
const TLanguageStrings NoName = {
    "<none>",
    /*nl*/ "<geen>",
    /*de*/ "<keiner>",
    /*fr*/ "<aucun>",
    /*es*/ "<ninguno>",
    /*it*/ "<nessuno>",
    /*da*/ "<ingen>",
    /*sv*/ "<inget>"};
const TLanguageStrings CruisingSpeed = {
    "Cruising speed",
    /*nl*/ "Kruissnelheid",
    /*de*/ "Reisegeschwindigkeit",
    /*fr*/ "Vitesse de croisi\u00E8re",
    /*es*/ "Velocidad de crucero",
    /*it*/ "Velocit\u00E0 di crociera",
    /*da*/ "Marchfart",
    /*sv*/ "Marschfart"};
const TLanguageStrings EnergyConsumption = {
    "Energy consumption",
    /*nl*/ "Energieverbruik",
    /*de*/ "Energieverbrauch",
    /*fr*/ "Consommation d'\u00E9nergie",
    /*es*/ "Consumo de energ\u00EDa",
    /*it*/ "Consumo di energia",
    /*da*/ "Energiforbrug",
    /*sv*/ "Energif\u00F6rbrukning"};
const TLanguageStrings FuelConsumption = {
    "Fuel consumption",
    /*nl*/ "Brandstofverbruik",
    /*de*/ "Kraftstoffverbrauch",
    /*fr*/ "Consommation de carburant",
    /*es*/ "Consumo de combustible",
    /*it*/ "Consumo di carburante",
    /*da*/ "Br\u00E6ndstofforbrug",
    /*sv*/ "Br\u00E4nslef\u00F6rbrukning"};
const TLanguageStrings Page = {
    "Page",
    /*nl*/ "Pagina",
    /*de*/ "Seite",
    /*fr*/ "Page",
    /*es*/ "P\u00E1gina",
    /*it*/ "Pagina",
    /*da*/ "Side",
    /*sv*/ "Sida"};
const TLanguageStrings Of = {
    "of",
    /*nl*/ "van",
    /*de*/ "von",
    /*fr*/ "sur",
    /*es*/ "de",
    /*it*/ "di",
    /*da*/ "af",
    /*sv*/ "av"};
const TLanguageStrings ExportRoute = {
    "Export route",
    /*nl*/ "Route exporteren",
    /*de*/ "Route exportieren",
    /*fr*/ "Exporter l'itin\u00E9raire",
    /*es*/ "Exportar ruta",
    /*it*/ "Esporta rotta",
    /*da*/ "Eksport\u00E9r rute",
    /*sv*/ "Exportera rutt"};
const TLanguageStrings PrintRoute = {
    "Print route",
    /*nl*/ "Route afdrukken",
    /*de*/ "Route drucken",
    /*fr*/ "Imprimer l'itin\u00E9raire",
    /*es*/ "Imprimir ruta",
    /*it*/ "Stampa rotta",
    /*da*/ "Udskriv rute",
    /*sv*/ "Skriv ut rutt"};
const TLanguageStrings General = {
    "General",
    /*nl*/ "Algemeen",
    /*de*/ "Allgemein",
    /*fr*/ "G\u00E9n\u00E9ral",
    /*es*/ "General",
    /*it*/ "Generale",
    /*da*/ "Generelt",
    /*sv*/ "Allm\u00E4nt"};
const TLanguageStrings Folder = {
    "Folder",
    /*nl*/ "Map",
    /*de*/ "Ordner",
    /*fr*/ "Dossier",
    /*es*/ "Carpeta",
    /*it*/ "Cartella",
    /*da*/ "Mappe",
    /*sv*/ "Mapp"};
const TLanguageStrings Columns = {
    "Columns",
    /*nl*/ "Kolommen",
    /*de*/ "Spalten",
    /*fr*/ "Colonnes",
    /*es*/ "Columnas",
    /*it*/ "Colonne",
    /*da*/ "Kolonner",
    /*sv*/ "Kolumner"};
const TLanguageStrings Name = {
    "Name",
    /*nl*/ "Naam",
    /*de*/ "Name",
    /*fr*/ "Nom",
    /*es*/ "Nombre",
    /*it*/ "Nome",
    /*da*/ "Navn",
    /*sv*/ "Namn"};
const TLanguageStrings Orientation = {
    "Orientation",
    /*nl*/ "Ori\u00EBntatie",
    /*de*/ "Ausrichtung",
    /*fr*/ "Orientation",
    /*es*/ "Orientaci\u00F3n",
    /*it*/ "Orientamento",
    /*da*/ "Retning",
    /*sv*/ "Orientering"};
const TLanguageStrings Landscape = {
    "Landscape",
    /*nl*/ "Liggend",
    /*de*/ "Querformat",
    /*fr*/ "Paysage",
    /*es*/ "Horizontal",
    /*it*/ "Orizzontale",
    /*da*/ "Liggende",
    /*sv*/ "Liggande"};
const TLanguageStrings Portrait = {
    "Portrait",
    /*nl*/ "Staand",
    /*de*/ "Hochformat",
    /*fr*/ "Portrait",
    /*es*/ "Vertical",
    /*it*/ "Verticale",
    /*da*/ "St\u00E5ende",
    /*sv*/ "St\u00E5ende"};
const TLanguageStrings Properties = {
    "&Properties...",
    /*nl*/ "&Eigenschappen...",
    /*de*/ "&Eigenschaften...",
    /*fr*/ "&Propri\u00E9t\u00E9s...",
    /*es*/ "&Propiedades...",
    /*it*/ "&Propriet\u00E0...",
    /*da*/ "&Egenskaber...",
    /*sv*/ "&Egenskaper..."};
const TLanguageStrings Help = {
    "&Help (F1)",
    /*nl*/ "&Help (F1)",
    /*de*/ "&Hilfe (F1)",
    /*fr*/ "&Aide (F1)",
    /*es*/ "A&yuda (F1)",
    /*it*/ "&Guida (F1)",
    /*da*/ "&Hj\u00E6lp (F1)",
    /*sv*/ "&Hj\u00E4lp (F1)"};
const TLanguageStrings NoExportFolder = {
    "No export folder specified.\r\n\r\nThe route cannot be exported.",
    /*nl*/ "Geen exportmap opgegeven.\r\n\r\nDe route kan niet worden ge\u00EBxporteerd.",
    /*de*/ "Kein Exportordner angegeben.\r\n\r\nDie Route kann nicht exportiert werden.",
    /*fr*/ "Aucun dossier d'exportation indiqu\u00E9.\r\n\r\nL'itin\u00E9raire ne peut pas \u00EAtre export\u00E9.",
    /*es*/ "No se ha indicado ninguna carpeta de exportaci\u00F3n.\r\n\r\nNo se puede exportar la ruta.",
    /*it*/ "Nessuna cartella di esportazione indicata.\r\n\r\nImpossibile esportare la rotta.",
    /*da*/ "Ingen eksportmappe angivet.\r\n\r\nRuten kan ikke eksporteres.",
    /*sv*/ "Ingen exportmapp angiven.\r\n\r\nRutten kan inte exporteras."};
const TLanguageStrings ExportFolderMissing = {
    "The specified exportfolder doesn't exist.\r\n\r\nThe route cannot be exported.",
    /*nl*/ "De opgegeven exportmap bestaat niet.\r\n\r\nDe route kan niet worden ge\u00EBxporteerd.",
    /*de*/ "Der angegebene Exportordner existiert nicht.\r\n\r\nDie Route kann nicht exportiert werden.",
    /*fr*/ "Le dossier d'exportation indiqu\u00E9 n'existe pas.\r\n\r\nL'itin\u00E9raire ne peut pas \u00EAtre export\u00E9.",
    /*es*/ "La carpeta de exportaci\u00F3n indicada no existe.\r\n\r\nNo se puede exportar la ruta.",
    /*it*/ "La cartella di esportazione indicata non esiste.\r\n\r\nImpossibile esportare la rotta.",
    /*da*/ "Den angivne eksportmappe findes ikke.\r\n\r\nRuten kan ikke eksporteres.",
    /*sv*/ "Den angivna exportmappen finns inte.\r\n\r\nRutten kan inte exporteras."};
const TLanguageStrings CannotWrite = {
    "Cannot wrtie to file \"%1\"",
    /*nl*/ "Kan niet naar bestand \"%1\" schrijven",
    /*de*/ "Die Datei \"%1\" kann nicht geschrieben werden",
    /*fr*/ "Impossible d'\u00E9crire dans le fichier \"%1\"",
    /*es*/ "No se puede escribir en el archivo \"%1\"",
    /*it*/ "Impossibile scrivere nel file \"%1\"",
    /*da*/ "Der kan ikke skrives til filen \"%1\"",
    /*sv*/ "Det g\u00E5r inte att skriva till filen \"%1\""};
const TLanguageStrings NoPrinter = {
    "The route cannot be printed, because there is no printer installed.",
    /*nl*/ "De route kan niet worden afgedrukt, omdat er geen printer is ge\u00EFnstalleerd.",
    /*de*/ "Die Route kann nicht gedruckt werden, weil kein Drucker installiert ist.",
    /*fr*/ "L'itin\u00E9raire ne peut pas \u00EAtre imprim\u00E9 car aucune imprimante n'est install\u00E9e.",
    /*es*/ "No se puede imprimir la ruta porque no hay ninguna impresora instalada.",
    /*it*/ "Impossibile stampare la rotta perch\u00E9 non \u00E8 installata alcuna stampante.",
    /*da*/ "Ruten kan ikke udskrives, fordi der ikke er installeret nogen printer.",
    /*sv*/ "Rutten kan inte skrivas ut eftersom ingen skrivare \u00E4r installerad."};
const TLanguageStrings ColumnTooWide = {
    "This route cannot be printed because the '%1' column is to wide.",
    /*nl*/ "Deze route kan niet worden afgedrukt omdat de kolom '%1' te breed is.",
    /*de*/ "Diese Route kann nicht gedruckt werden, weil die Spalte '%1' zu breit ist.",
    /*fr*/ "Cet itin\u00E9raire ne peut pas \u00EAtre imprim\u00E9 car la colonne '%1' est trop large.",
    /*es*/ "No se puede imprimir esta ruta porque la columna '%1' es demasiado ancha.",
    /*it*/ "Impossibile stampare questa rotta perch\u00E9 la colonna '%1' \u00E8 troppo larga.",
    /*da*/ "Denne rute kan ikke udskrives, fordi kolonnen '%1' er for bred.",
    /*sv*/ "Denna rutt kan inte skrivas ut eftersom kolumnen '%1' \u00E4r f\u00F6r bred."};
}  // namespace RouteText

namespace {
const TLanguageStrings TFilter0 = {
    "Show all route data",
    /*nl*/ "Alle routegegevens tonen",
    /*de*/ "Alle Routendaten anzeigen",
    /*fr*/ "Afficher toutes les donn\u00E9es",
    /*es*/ "Mostrar todos los datos de ruta",
    /*it*/ "Mostra tutti i dati della rotta",
    /*da*/ "Vis alle ruteoplysninger",
    /*sv*/ "Visa alla ruttdata"};
const TLanguageStrings TFilter1 = {
    "Show only bridges and locks",
    /*nl*/ "Alleen bruggen en sluizen tonen",
    /*de*/ "Nur Br\u00FCcken und Schleusen anzeigen",
    /*fr*/ "Afficher seulement ponts et \u00E9cluses",
    /*es*/ "Mostrar solo puentes y esclusas",
    /*it*/ "Mostra solo ponti e chiuse",
    /*da*/ "Vis kun broer og sluser",
    /*sv*/ "Visa endast broar och slussar"};
const TLanguageStrings TFilter2 = {
    "Show only bridges that need operation",
    /*nl*/ "Alleen te bedienen bruggen tonen",
    /*de*/ "Nur zu bedienende Br\u00FCcken anzeigen",
    /*fr*/ "Afficher seulement les ponts \u00E0 man\u0153uvrer",
    /*es*/ "Mostrar solo puentes que deben abrirse",
    /*it*/ "Mostra solo ponti da manovrare",
    /*da*/ "Vis kun broer der skal betjenes",
    /*sv*/ "Visa endast broar som m\u00E5ste man\u00F6vreras"};
const TLanguageStrings TFilter3 = {
    "Show route points only",
    /*nl*/ "Alleen routepunten tonen",
    /*de*/ "Nur Routenpunkte anzeigen",
    /*fr*/ "Afficher seulement les points",
    /*es*/ "Mostrar solo puntos de ruta",
    /*it*/ "Mostra solo punti di rotta",
    /*da*/ "Vis kun rutepunkter",
    /*sv*/ "Visa endast ruttpunkter"};
const TLanguageStrings TFilter4 = {
    "Show obstacles only",
    /*nl*/ "Alleen obstakels tonen",
    /*de*/ "Nur Hindernisse anzeigen",
    /*fr*/ "Afficher seulement les obstacles",
    /*es*/ "Mostrar solo obst\u00E1culos",
    /*it*/ "Mostra solo ostacoli",
    /*da*/ "Vis kun forhindringer",
    /*sv*/ "Visa endast hinder"};
const TLanguageStrings TMode0 = {
    "Fastest",
    /*nl*/ "Snelste",
    /*de*/ "Schnellste",
    /*fr*/ "Plus rapide",
    /*es*/ "M\u00E1s r\u00E1pida",
    /*it*/ "Pi\u00F9 veloce",
    /*da*/ "Hurtigste",
    /*sv*/ "Snabbaste"};
const TLanguageStrings TMode1 = {
    "Shortest",
    /*nl*/ "Kortste",
    /*de*/ "K\u00FCrzeste",
    /*fr*/ "Plus courte",
    /*es*/ "M\u00E1s corta",
    /*it*/ "Pi\u00F9 breve",
    /*da*/ "Korteste",
    /*sv*/ "Kortaste"};
const TLanguageStrings TMode2 = {
    "Economic",
    /*nl*/ "Zuinigste",
    /*de*/ "Sparsamste",
    /*fr*/ "\u00C9conomique",
    /*es*/ "Econ\u00F3mica",
    /*it*/ "Economica",
    /*da*/ "\u00D8konomisk",
    /*sv*/ "Ekonomisk"};
const TLanguageStrings TMode3 = {
    "Cheapest",
    /*nl*/ "Goedkoopste",
    /*de*/ "G\u00FCnstigste",
    /*fr*/ "Moins ch\u00E8re",
    /*es*/ "M\u00E1s barata",
    /*it*/ "Pi\u00F9 economica",
    /*da*/ "Billigste",
    /*sv*/ "Billigaste"};
const TLanguageStrings TMode4 = {
    "Shortest (ignore blockades)",
    /*nl*/ "Kortste (blokkades negeren)",
    /*de*/ "K\u00FCrzeste (Sperren ignorieren)",
    /*fr*/ "Plus courte (ignorer les blocages)",
    /*es*/ "M\u00E1s corta (ignorar bloqueos)",
    /*it*/ "Pi\u00F9 breve (ignora blocchi)",
    /*da*/ "Korteste (ignor\u00E9r sp\u00E6rringer)",
    /*sv*/ "Kortaste (ignorera sp\u00E4rrar)"};
const TLanguageStrings TMode6 = {
    "Tourist",
    /*nl*/ "Toeristisch",
    /*de*/ "Touristisch",
    /*fr*/ "Touristique",
    /*es*/ "Tur\u00EDstica",
    /*it*/ "Turistica",
    /*da*/ "Turist",
    /*sv*/ "Turist"};
const TLanguageStrings TLeg0 = {
    "Motor leg",
    /*nl*/ "Motorrak",
    /*de*/ "Motorstrecke",
    /*fr*/ "\u00C9tape au moteur",
    /*es*/ "Tramo a motor",
    /*it*/ "Tratto a motore",
    /*da*/ "Motorstr\u00E6kning",
    /*sv*/ "Motorstr\u00E4cka"};
const TLanguageStrings TLeg1 = {
    "Sailing leg",
    /*nl*/ "Zeilrak",
    /*de*/ "Segelstrecke",
    /*fr*/ "\u00C9tape \u00E0 la voile",
    /*es*/ "Tramo a vela",
    /*it*/ "Tratto a vela",
    /*da*/ "Sejlstr\u00E6kning",
    /*sv*/ "Segelstr\u00E4cka"};
const TLanguageStrings TLeg2 = {
    "Tacking leg",
    /*nl*/ "Kruisrak",
    /*de*/ "Kreuzstrecke",
    /*fr*/ "\u00C9tape au pr\u00E8s",
    /*es*/ "Tramo de ce\u00F1ida",
    /*it*/ "Tratto di bolina",
    /*da*/ "Krydsstr\u00E6kning",
    /*sv*/ "Krysstr\u00E4cka"};
const TLanguageStrings TLeg4 = {
    "Sailing with spi leg",
    /*nl*/ "Rak met spinnaker",
    /*de*/ "Strecke mit Spinnaker",
    /*fr*/ "\u00C9tape sous spi",
    /*es*/ "Tramo con spinnaker",
    /*it*/ "Tratto con spinnaker",
    /*da*/ "Str\u00E6kning med spiler",
    /*sv*/ "Str\u00E4cka med spinnaker"};
const TLanguageStrings TReason1 = {
    "Structure closed",
    /*nl*/ "Kunstwerk gesloten",
    /*de*/ "Bauwerk geschlossen",
    /*fr*/ "Ouvrage ferm\u00E9",
    /*es*/ "Estructura cerrada",
    /*it*/ "Struttura chiusa",
    /*da*/ "Bygv\u00E6rk lukket",
    /*sv*/ "Anl\u00E4ggning st\u00E4ngd"};
const TLanguageStrings TReason2 = {
    "Too wide",
    /*nl*/ "Te breed",
    /*de*/ "Zu breit",
    /*fr*/ "Trop large",
    /*es*/ "Demasiado ancho",
    /*it*/ "Troppo largo",
    /*da*/ "For bred",
    /*sv*/ "F\u00F6r bred"};
const TLanguageStrings TReason3 = {
    "Too much draught",
    /*nl*/ "Te veel diepgang",
    /*de*/ "Zu viel Tiefgang",
    /*fr*/ "Tirant d'eau trop grand",
    /*es*/ "Demasiado calado",
    /*it*/ "Pescaggio eccessivo",
    /*da*/ "For stor dybgang",
    /*sv*/ "F\u00F6r stort djupg\u00E5ende"};
const TLanguageStrings TReason4 = {
    "Too high",
    /*nl*/ "Te hoog",
    /*de*/ "Zu hoch",
    /*fr*/ "Trop haut",
    /*es*/ "Demasiado alto",
    /*it*/ "Troppo alto",
    /*da*/ "For h\u00F8j",
    /*sv*/ "F\u00F6r h\u00F6g"};
const TLanguageStrings TReason5 = {
    "Too long",
    /*nl*/ "Te lang",
    /*de*/ "Zu lang",
    /*fr*/ "Trop long",
    /*es*/ "Demasiado largo",
    /*it*/ "Troppo lungo",
    /*da*/ "For lang",
    /*sv*/ "F\u00F6r l\u00E5ng"};
const TLanguageStrings TReason6 = {
    "No operation",
    /*nl*/ "Geen bediening",
    /*de*/ "Keine Bedienung",
    /*fr*/ "Pas de man\u0153uvre",
    /*es*/ "Sin servicio",
    /*it*/ "Nessuna manovra",
    /*da*/ "Ingen betjening",
    /*sv*/ "Ingen man\u00F6vrering"};
const TLanguageStrings TReason7 = {
    "Wrong direction",
    /*nl*/ "Verkeerde richting",
    /*de*/ "Falsche Richtung",
    /*fr*/ "Mauvais sens",
    /*es*/ "Direcci\u00F3n incorrecta",
    /*it*/ "Direzione errata",
    /*da*/ "Forkert retning",
    /*sv*/ "Fel riktning"};
const TLanguageStrings TReason8 = {
    "Wrong shipping class",
    /*nl*/ "Verkeerde scheepvaartklasse",
    /*de*/ "Falsche Schifffahrtsklasse",
    /*fr*/ "Mauvaise classe de navigation",
    /*es*/ "Clase de navegaci\u00F3n incorrecta",
    /*it*/ "Classe di navigazione errata",
    /*da*/ "Forkert skibsklasse",
    /*sv*/ "Fel farledsklass"};
const TLanguageStrings TReason9 = {
    "Max. dimensions",
    /*nl*/ "Max. afmetingen",
    /*de*/ "Max. Abmessungen",
    /*fr*/ "Dimensions max.",
    /*es*/ "Dimensiones m\u00E1x.",
    /*it*/ "Dimensioni max.",
    /*da*/ "Maks. dimensioner",
    /*sv*/ "Max. dimensioner"};
const TLanguageStrings TStateUKC = {
    "UKC alarm",
    /*nl*/ "Kielspeling-alarm",
    /*de*/ "UKC-Alarm",
    /*fr*/ "Alarme pied de pilote",
    /*es*/ "Alarma de resguardo",
    /*it*/ "Allarme UKC",
    /*da*/ "UKC-alarm",
    /*sv*/ "UKC-larm"};
const TLanguageStrings TStateWind = {
    "Unreachable by wind/current",
    /*nl*/ "Onbereikbaar door wind/stroom",
    /*de*/ "Unerreichbar wegen Wind/Str\u00F6mung",
    /*fr*/ "Inaccessible (vent/courant)",
    /*es*/ "Inalcanzable por viento/corriente",
    /*it*/ "Irraggiungibile per vento/corrente",
    /*da*/ "Uopn\u00E5elig pga. vind/str\u00F8m",
    /*sv*/ "On\u00E5bar p\u00E5 grund av vind/str\u00F6m"};
const TLanguageStrings TStateNet = {
    "Unreachable by waterway network",
    /*nl*/ "Onbereikbaar via vaarwegennet",
    /*de*/ "\u00DCber das Wasserstra\u00DFennetz unerreichbar",
    /*fr*/ "Inaccessible par le r\u00E9seau navigable",
    /*es*/ "Inalcanzable por la red de v\u00EDas navegables",
    /*it*/ "Irraggiungibile tramite la rete navigabile",
    /*da*/ "Uopn\u00E5elig via vandvejsnettet",
    /*sv*/ "On\u00E5bar via farledsn\u00E4tet"};
const TLanguageStrings TPassed = {
    "Passed",
    /*nl*/ "Gepasseerd",
    /*de*/ "Passiert",
    /*fr*/ "Pass\u00E9",
    /*es*/ "Pasado",
    /*it*/ "Superato",
    /*da*/ "Passeret",
    /*sv*/ "Passerad"};
const TLanguageStrings TCol1 = {
    "Name",
    /*nl*/ "Naam",
    /*de*/ "Name",
    /*fr*/ "Nom",
    /*es*/ "Nombre",
    /*it*/ "Nome",
    /*da*/ "Navn",
    /*sv*/ "Namn"};
const TLanguageStrings TCol2 = {
    "Latitude",
    /*nl*/ "Breedte",
    /*de*/ "Breite",
    /*fr*/ "Latitude",
    /*es*/ "Latitud",
    /*it*/ "Latitudine",
    /*da*/ "Bredde",
    /*sv*/ "Latitud"};
const TLanguageStrings TCol3 = {
    "Longitude",
    /*nl*/ "Lengte",
    /*de*/ "L\u00E4nge",
    /*fr*/ "Longitude",
    /*es*/ "Longitud",
    /*it*/ "Longitudine",
    /*da*/ "L\u00E6ngde",
    /*sv*/ "Longitud"};
const TLanguageStrings TCol4 = {
    "Radius",
    /*nl*/ "Straal",
    /*de*/ "Radius",
    /*fr*/ "Rayon",
    /*es*/ "Radio",
    /*it*/ "Raggio",
    /*da*/ "Radius",
    /*sv*/ "Radie"};
const TLanguageStrings TCol21e = {
    "Consumption",
    /*nl*/ "Verbruik",
    /*de*/ "Verbrauch",
    /*fr*/ "Consommation",
    /*es*/ "Consumo",
    /*it*/ "Consumo",
    /*da*/ "Forbrug",
    /*sv*/ "F\u00F6rbrukning"};
const TLanguageStrings TCol21f = {
    "Fuel flow",
    /*nl*/ "Brandstofverbruik",
    /*de*/ "Kraftstoffverbrauch",
    /*fr*/ "D\u00E9bit carburant",
    /*es*/ "Consumo de combustible",
    /*it*/ "Consumo carburante",
    /*da*/ "Br\u00E6ndstofforbrug",
    /*sv*/ "Br\u00E4nslef\u00F6rbrukning"};
const TLanguageStrings TCol22e = {
    "Total consumption",
    /*nl*/ "Totaal verbruik",
    /*de*/ "Gesamtverbrauch",
    /*fr*/ "Consommation totale",
    /*es*/ "Consumo total",
    /*it*/ "Consumo totale",
    /*da*/ "Samlet forbrug",
    /*sv*/ "Total f\u00F6rbrukning"};
const TLanguageStrings TCol22f = {
    "Total fuel flow",
    /*nl*/ "Totaal brandstofverbruik",
    /*de*/ "Kraftstoff gesamt",
    /*fr*/ "Carburant total",
    /*es*/ "Combustible total",
    /*it*/ "Carburante totale",
    /*da*/ "Samlet br\u00E6ndstof",
    /*sv*/ "Totalt br\u00E4nsle"};
const TLanguageStrings TCol26 = {
    "Planning",
    /*nl*/ "Planning",
    /*de*/ "Planung",
    /*fr*/ "Planification",
    /*es*/ "Planificaci\u00F3n",
    /*it*/ "Pianificazione",
    /*da*/ "Planl\u00E6gning",
    /*sv*/ "Planering"};
const TLanguageStrings TCol28 = {
    "Visit",
    /*nl*/ "Bezoek",
    /*de*/ "Aufenthalt",
    /*fr*/ "Escale",
    /*es*/ "Visita",
    /*it*/ "Sosta",
    /*da*/ "Ophold",
    /*sv*/ "Bes\u00F6k"};
const TLanguageStrings TCol43 = {
    "Sector name",
    /*nl*/ "Sectornaam",
    /*de*/ "Sektorname",
    /*fr*/ "Nom du secteur",
    /*es*/ "Nombre del sector",
    /*it*/ "Nome del settore",
    /*da*/ "Sektornavn",
    /*sv*/ "Sektornamn"};
const TLanguageStrings TN = {
    "N",
    /*nl*/ "N",
    /*de*/ "N",
    /*fr*/ "N",
    /*es*/ "N",
    /*it*/ "N",
    /*da*/ "N",
    /*sv*/ "N"};
const TLanguageStrings TS = {
    "S",
    /*nl*/ "Z",
    /*de*/ "S",
    /*fr*/ "S",
    /*es*/ "S",
    /*it*/ "S",
    /*da*/ "S",
    /*sv*/ "S"};
const TLanguageStrings TE = {
    "E",
    /*nl*/ "O",
    /*de*/ "O",
    /*fr*/ "E",
    /*es*/ "E",
    /*it*/ "E",
    /*da*/ "\u00D8",
    /*sv*/ "O"};
const TLanguageStrings TW = {
    "W",
    /*nl*/ "W",
    /*de*/ "W",
    /*fr*/ "O",
    /*es*/ "O",
    /*it*/ "O",
    /*da*/ "V",
    /*sv*/ "V"};
}  // namespace

QString RouteFilterText(int32_t filter) {
    static const TLanguageStrings *const texts[] = {&TFilter0, &TFilter1, &TFilter2, &TFilter3,
                                                    &TFilter4};
    return filter >= 0 && filter < 5 ? LanguageText(*texts[filter]) : QString();
}

QString RoutePlanModeText(int32_t mode) {
    switch (mode) {
    case 0: return LanguageText(TMode0);
    case 1: return LanguageText(TMode1);
    case 2: return LanguageText(TMode2);
    case 3: return LanguageText(TMode3);
    case 4: return LanguageText(TMode4);
    case 6: return LanguageText(TMode6);
    default: return QStringLiteral("---");
    }
}

namespace {

QString LegKindText(int32_t legKind) {
    switch (legKind) {
    case 0: return LanguageText(TLeg0);
    case 1: return LanguageText(TLeg1);
    case 2: return LanguageText(TLeg2);
    case 4: return LanguageText(TLeg4);
    default: return QStringLiteral("---");
    }
}

QString ReasonText(int32_t reason) {
    static const TLanguageStrings *const texts[] = {&TReason1, &TReason2, &TReason3,
                                                    &TReason4, &TReason5, &TReason6,
                                                    &TReason7, &TReason8, &TReason9};
    return reason >= 1 && reason <= 9 ? LanguageText(*texts[reason - 1]) : QString();
}

}  // namespace

QString RoutePlanningText(int32_t state, int32_t legKind, int32_t reason) {
    switch (state) {
    case 0: {
        QString text = LegKindText(legKind);
        if (reason >= 1 && reason <= 9) text += QStringLiteral(" (") + ReasonText(reason) + u')';
        return text;
    }
    case 2: return LanguageText(TStateUKC);
    case 3: return LanguageText(TStateWind);
    case 4: return LanguageText(TStateNet);
    case -1: return LanguageText(TPassed);
    default: return QStringLiteral("---");
    }
}

QString RouteColumnTitle(int32_t column, bool electric) {
    switch (column) {
    case 1: return LanguageText(TCol1);
    case 2: return LanguageText(TCol2);
    case 3: return LanguageText(TCol3);
    case 4: return LanguageText(TCol4);
    case 5: return QStringLiteral("DTG");
    case 6: return QStringLiteral("DTGt");
    case 7: return QStringLiteral("CTS");
    case 21: return LanguageText(electric ? TCol21e : TCol21f);
    case 22: return LanguageText(electric ? TCol22e : TCol22f);
    case 23: return QStringLiteral("TTG");
    case 24: return QStringLiteral("TTGt");
    case 25: return LanguageText(RouteText::ETA);
    case 26: return LanguageText(TCol26);
    case 28: return LanguageText(TCol28);
    case 43: return LanguageText(TCol43);
    default: return QString();
    }
}

QChar RouteCompassLetter(char direction) {
    const TLanguageStrings *t = direction == 'N' ? &TN : direction == 'S' ? &TS
                              : direction == 'E' ? &TE : &TW;
    const QString text = LanguageText(*t);
    return text.isEmpty() ? QChar(QLatin1Char(direction)) : text.at(0);
}
