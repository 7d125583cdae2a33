// The shared text tables. One table per group of lines: the English entry first, then
// Dutch, German, French, Spanish, Italian, Danish and Swedish, each tagged with its
// language. An empty entry reads the English one. Keep "&" accelerators (one per caption),
// "%s" placeholders and the line breaks ("\r\n") of the English entry in every language.
#include "base/texts/KvStr.h"

#include <QStringView>

namespace KvStr {

// Button captions. "&" marks the accelerator letter; every language keeps exactly one.
const TLanguageStrings BtnYes = {
    "&Yes", /*nl*/ "&Ja", /*de*/ "&Ja", /*fr*/ "&Oui", /*es*/ "&Sí", /*it*/ "&Sì", /*da*/ "&Ja",
    /*sv*/ "&Ja"};
const TLanguageStrings BtnNo = {
    "&No", /*nl*/ "&Nee", /*de*/ "&Nein", /*fr*/ "&Non", /*es*/ "&No", /*it*/ "&No", /*da*/ "&Nej",
    /*sv*/ "&Nej"};
const TLanguageStrings BtnOK = {
    "OK", /*nl*/ "OK", /*de*/ "OK", /*fr*/ "OK", /*es*/ "Aceptar", /*it*/ "OK", /*da*/ "OK",
    /*sv*/ "OK"};
const TLanguageStrings BtnCancel = {
    "Cancel", /*nl*/ "Annuleren", /*de*/ "Abbrechen", /*fr*/ "Annuler", /*es*/ "Cancelar",
    /*it*/ "Annulla", /*da*/ "Annuller", /*sv*/ "Avbryt"};
const TLanguageStrings BtnAbort = {
    "&Abort", /*nl*/ "&Afbreken", /*de*/ "&Abbrechen", /*fr*/ "A&bandonner", /*es*/ "&Anular",
    /*it*/ "In&terrompi", /*da*/ "&Afbryd", /*sv*/ "&Avbryt"};
const TLanguageStrings BtnRetry = {
    "&Retry", /*nl*/ "&Opnieuw", /*de*/ "&Wiederholen", /*fr*/ "&Réessayer", /*es*/ "&Reintentar",
    /*it*/ "&Riprova", /*da*/ "&Prøv igen", /*sv*/ "&Försök igen"};
const TLanguageStrings BtnIgnore = {
    "&Ignore", /*nl*/ "&Negeren", /*de*/ "&Ignorieren", /*fr*/ "&Ignorer", /*es*/ "&Omitir",
    /*it*/ "&Ignora", /*da*/ "&Ignorer", /*sv*/ "&Ignorera"};
const TLanguageStrings BtnAll = {
    "&All", /*nl*/ "&Alles", /*de*/ "&Alle", /*fr*/ "&Tout", /*es*/ "&Todo", /*it*/ "&Tutti",
    /*da*/ "&Alle", /*sv*/ "&Alla"};
const TLanguageStrings BtnNoToAll = {
    "N&o to All", /*nl*/ "N&ee op alles", /*de*/ "N&ein für alle", /*fr*/ "Non à to&ut",
    /*es*/ "No a t&odo", /*it*/ "N&o a tutti", /*da*/ "N&ej til alle", /*sv*/ "N&ej till alla"};
const TLanguageStrings BtnYesToAll = {
    "Yes to &All", /*nl*/ "Ja op &alles", /*de*/ "Ja für &alle", /*fr*/ "Oui à &tout",
    /*es*/ "Sí a &todo", /*it*/ "Sì a &tutti", /*da*/ "Ja til &alle", /*sv*/ "Ja till &alla"};
const TLanguageStrings BtnHelp = {
    "&Help", /*nl*/ "&Help", /*de*/ "&Hilfe", /*fr*/ "&Aide", /*es*/ "A&yuda", /*it*/ "&Guida",
    /*da*/ "&Hjælp", /*sv*/ "&Hjälp"};
const TLanguageStrings BtnClose = {
    "&Close", /*nl*/ "&Sluiten", /*de*/ "&Schließen", /*fr*/ "&Fermer", /*es*/ "&Cerrar",
    /*it*/ "&Chiudi", /*da*/ "&Luk", /*sv*/ "S&täng"};
const TLanguageStrings BtnExit = {
    "&Exit", /*nl*/ "&Afsluiten", /*de*/ "&Beenden", /*fr*/ "&Quitter", /*es*/ "&Salir",
    /*it*/ "&Esci", /*da*/ "&Afslut", /*sv*/ "&Avsluta"};
const TLanguageStrings BtnOpen = {
    "&Open", /*nl*/ "&Openen", /*de*/ "Ö&ffnen", /*fr*/ "&Ouvrir", /*es*/ "&Abrir", /*it*/ "&Apri",
    /*da*/ "&Åbn", /*sv*/ "&Öppna"};
const TLanguageStrings BtnSave = {
    "&Save", /*nl*/ "Op&slaan", /*de*/ "&Speichern", /*fr*/ "&Enregistrer", /*es*/ "&Guardar",
    /*it*/ "&Salva", /*da*/ "&Gem", /*sv*/ "&Spara"};
const TLanguageStrings BtnDetails = {
    "&Details", /*nl*/ "&Details", /*de*/ "&Details", /*fr*/ "&Détails", /*es*/ "&Detalles",
    /*it*/ "&Dettagli", /*da*/ "&Detaljer", /*sv*/ "&Detaljer"};

// Dialog titles.
const TLanguageStrings TitleWarning = {
    "Warning", /*nl*/ "Waarschuwing", /*de*/ "Warnung", /*fr*/ "Avertissement",
    /*es*/ "Advertencia", /*it*/ "Avviso", /*da*/ "Advarsel", /*sv*/ "Varning"};
const TLanguageStrings TitleError = {
    "Error", /*nl*/ "Fout", /*de*/ "Fehler", /*fr*/ "Erreur", /*es*/ "Error", /*it*/ "Errore",
    /*da*/ "Fejl", /*sv*/ "Fel"};
const TLanguageStrings TitleInformation = {
    "Information", /*nl*/ "Informatie", /*de*/ "Information", /*fr*/ "Information",
    /*es*/ "Información", /*it*/ "Informazioni", /*da*/ "Information", /*sv*/ "Information"};
const TLanguageStrings TitleConfirm = {
    "Confirm", /*nl*/ "Bevestigen", /*de*/ "Bestätigen", /*fr*/ "Confirmation", /*es*/ "Confirmar",
    /*it*/ "Conferma", /*da*/ "Bekræft", /*sv*/ "Bekräfta"};

// Colour names.
const TLanguageStrings ColorBlack = {
    "Black", /*nl*/ "Zwart", /*de*/ "Schwarz", /*fr*/ "Noir", /*es*/ "Negro", /*it*/ "Nero",
    /*da*/ "Sort", /*sv*/ "Svart"};
const TLanguageStrings ColorBlue = {
    "Blue", /*nl*/ "Blauw", /*de*/ "Blau", /*fr*/ "Bleu", /*es*/ "Azul", /*it*/ "Blu", /*da*/ "Blå",
    /*sv*/ "Blå"};
const TLanguageStrings ColorBrightGreen = {
    "Bright green", /*nl*/ "Heldergroen", /*de*/ "Hellgrün", /*fr*/ "Vert vif",
    /*es*/ "Verde brillante", /*it*/ "Verde brillante", /*da*/ "Klar grøn", /*sv*/ "Klargrön"};
const TLanguageStrings ColorDarkBlue = {
    "Dark blue", /*nl*/ "Donkerblauw", /*de*/ "Dunkelblau", /*fr*/ "Bleu foncé",
    /*es*/ "Azul oscuro", /*it*/ "Blu scuro", /*da*/ "Mørkeblå", /*sv*/ "Mörkblå"};
const TLanguageStrings ColorDarkRed = {
    "Dark red", /*nl*/ "Donkerrood", /*de*/ "Dunkelrot", /*fr*/ "Rouge foncé", /*es*/ "Rojo oscuro",
    /*it*/ "Rosso scuro", /*da*/ "Mørkerød", /*sv*/ "Mörkröd"};
const TLanguageStrings ColorDarkYellow = {
    "Dark yellow", /*nl*/ "Donkergeel", /*de*/ "Dunkelgelb", /*fr*/ "Jaune foncé",
    /*es*/ "Amarillo oscuro", /*it*/ "Giallo scuro", /*da*/ "Mørkegul", /*sv*/ "Mörkgul"};
const TLanguageStrings ColorGray25 = {
    "Gray 25%", /*nl*/ "Grijs 25%", /*de*/ "Grau 25%", /*fr*/ "Gris 25 %", /*es*/ "Gris 25%",
    /*it*/ "Grigio 25%", /*da*/ "Grå 25%", /*sv*/ "Grå 25 %"};
const TLanguageStrings ColorGray50 = {
    "Gray 50%", /*nl*/ "Grijs 50%", /*de*/ "Grau 50%", /*fr*/ "Gris 50 %", /*es*/ "Gris 50%",
    /*it*/ "Grigio 50%", /*da*/ "Grå 50%", /*sv*/ "Grå 50 %"};
const TLanguageStrings ColorGreen = {
    "Green", /*nl*/ "Groen", /*de*/ "Grün", /*fr*/ "Vert", /*es*/ "Verde", /*it*/ "Verde",
    /*da*/ "Grøn", /*sv*/ "Grön"};
const TLanguageStrings ColorPink = {
    "Pink", /*nl*/ "Roze", /*de*/ "Rosa", /*fr*/ "Rose", /*es*/ "Rosa", /*it*/ "Rosa",
    /*da*/ "Lyserød", /*sv*/ "Rosa"};
const TLanguageStrings ColorRed = {
    "Red", /*nl*/ "Rood", /*de*/ "Rot", /*fr*/ "Rouge", /*es*/ "Rojo", /*it*/ "Rosso", /*da*/ "Rød",
    /*sv*/ "Röd"};
const TLanguageStrings ColorTeal = {
    "Teal", /*nl*/ "Blauwgroen", /*de*/ "Blaugrün", /*fr*/ "Bleu-vert", /*es*/ "Verde azulado",
    /*it*/ "Verde acqua", /*da*/ "Blågrøn", /*sv*/ "Blågrön"};
const TLanguageStrings ColorTurquoise = {
    "Turquoise", /*nl*/ "Turkoois", /*de*/ "Türkis", /*fr*/ "Turquoise", /*es*/ "Turquesa",
    /*it*/ "Turchese", /*da*/ "Turkis", /*sv*/ "Turkos"};
const TLanguageStrings ColorViolet = {
    "Violet", /*nl*/ "Violet", /*de*/ "Violett", /*fr*/ "Violet", /*es*/ "Violeta", /*it*/ "Viola",
    /*da*/ "Violet", /*sv*/ "Violett"};
const TLanguageStrings ColorWhite = {
    "White", /*nl*/ "Wit", /*de*/ "Weiß", /*fr*/ "Blanc", /*es*/ "Blanco", /*it*/ "Bianco",
    /*da*/ "Hvid", /*sv*/ "Vit"};
const TLanguageStrings ColorYellow = {
    "Yellow", /*nl*/ "Geel", /*de*/ "Gelb", /*fr*/ "Jaune", /*es*/ "Amarillo", /*it*/ "Giallo",
    /*da*/ "Gul", /*sv*/ "Gul"};

// Compass directions in words, lower case. Only English, Dutch and German are written;
// the other languages read the English words.
const TLanguageStrings CompassWordNorth = {
    "north", /*nl*/ "noord", /*de*/ "nord", /*fr*/ "", /*es*/ "", /*it*/ "", /*da*/ "", /*sv*/ ""};
const TLanguageStrings CompassWordNortheast = {
    "northeast", /*nl*/ "noordoost", /*de*/ "nordost", /*fr*/ "", /*es*/ "", /*it*/ "", /*da*/ "",
    /*sv*/ ""};
const TLanguageStrings CompassWordEast = {
    "east", /*nl*/ "oost", /*de*/ "ost", /*fr*/ "", /*es*/ "", /*it*/ "", /*da*/ "", /*sv*/ ""};
const TLanguageStrings CompassWordSoutheast = {
    "southeast", /*nl*/ "zuidoost", /*de*/ "südost", /*fr*/ "", /*es*/ "", /*it*/ "", /*da*/ "",
    /*sv*/ ""};
const TLanguageStrings CompassWordSouth = {
    "south", /*nl*/ "zuid", /*de*/ "süd", /*fr*/ "", /*es*/ "", /*it*/ "", /*da*/ "", /*sv*/ ""};
const TLanguageStrings CompassWordSouthwest = {
    "southwest", /*nl*/ "zuidwest", /*de*/ "südwest", /*fr*/ "", /*es*/ "", /*it*/ "", /*da*/ "",
    /*sv*/ ""};
const TLanguageStrings CompassWordWest = {
    "west", /*nl*/ "west", /*de*/ "west", /*fr*/ "", /*es*/ "", /*it*/ "", /*da*/ "", /*sv*/ ""};
const TLanguageStrings CompassWordNorthwest = {
    "northwest", /*nl*/ "noordwest", /*de*/ "nordwest", /*fr*/ "", /*es*/ "", /*it*/ "", /*da*/ "",
    /*sv*/ ""};

// Compass points, clockwise from north, in each language's own letters.
const TLanguageStrings CompassPointN = {
    "N", /*nl*/ "N", /*de*/ "N", /*fr*/ "N", /*es*/ "N", /*it*/ "N", /*da*/ "N", /*sv*/ "N"};
const TLanguageStrings CompassPointNNE = {
    "NNE", /*nl*/ "NNO", /*de*/ "NNO", /*fr*/ "NNE", /*es*/ "NNE", /*it*/ "NNE", /*da*/ "NNØ",
    /*sv*/ "NNO"};
const TLanguageStrings CompassPointNE = {
    "NE", /*nl*/ "NO", /*de*/ "NO", /*fr*/ "NE", /*es*/ "NE", /*it*/ "NE", /*da*/ "NØ",
    /*sv*/ "NO"};
const TLanguageStrings CompassPointENE = {
    "ENE", /*nl*/ "ONO", /*de*/ "ONO", /*fr*/ "ENE", /*es*/ "ENE", /*it*/ "ENE", /*da*/ "ØNØ",
    /*sv*/ "ONO"};
const TLanguageStrings CompassPointE = {
    "E", /*nl*/ "O", /*de*/ "O", /*fr*/ "E", /*es*/ "E", /*it*/ "E", /*da*/ "Ø", /*sv*/ "O"};
const TLanguageStrings CompassPointESE = {
    "ESE", /*nl*/ "OZO", /*de*/ "OSO", /*fr*/ "ESE", /*es*/ "ESE", /*it*/ "ESE", /*da*/ "ØSØ",
    /*sv*/ "OSO"};
const TLanguageStrings CompassPointSE = {
    "SE", /*nl*/ "ZO", /*de*/ "SO", /*fr*/ "SE", /*es*/ "SE", /*it*/ "SE", /*da*/ "SØ",
    /*sv*/ "SO"};
const TLanguageStrings CompassPointSSE = {
    "SSE", /*nl*/ "ZZO", /*de*/ "SSO", /*fr*/ "SSE", /*es*/ "SSE", /*it*/ "SSE", /*da*/ "SSØ",
    /*sv*/ "SSO"};
const TLanguageStrings CompassPointS = {
    "S", /*nl*/ "Z", /*de*/ "S", /*fr*/ "S", /*es*/ "S", /*it*/ "S", /*da*/ "S", /*sv*/ "S"};
const TLanguageStrings CompassPointSSW = {
    "SSW", /*nl*/ "ZZW", /*de*/ "SSW", /*fr*/ "SSO", /*es*/ "SSO", /*it*/ "SSO", /*da*/ "SSV",
    /*sv*/ "SSV"};
const TLanguageStrings CompassPointSW = {
    "SW", /*nl*/ "ZW", /*de*/ "SW", /*fr*/ "SO", /*es*/ "SO", /*it*/ "SO", /*da*/ "SV",
    /*sv*/ "SV"};
const TLanguageStrings CompassPointWSW = {
    "WSW", /*nl*/ "WZW", /*de*/ "WSW", /*fr*/ "OSO", /*es*/ "OSO", /*it*/ "OSO", /*da*/ "VSV",
    /*sv*/ "VSV"};
const TLanguageStrings CompassPointW = {
    "W", /*nl*/ "W", /*de*/ "W", /*fr*/ "O", /*es*/ "O", /*it*/ "O", /*da*/ "V", /*sv*/ "V"};
const TLanguageStrings CompassPointWNW = {
    "WNW", /*nl*/ "WNW", /*de*/ "WNW", /*fr*/ "ONO", /*es*/ "ONO", /*it*/ "ONO", /*da*/ "VNV",
    /*sv*/ "VNV"};
const TLanguageStrings CompassPointNW = {
    "NW", /*nl*/ "NW", /*de*/ "NW", /*fr*/ "NO", /*es*/ "NO", /*it*/ "NO", /*da*/ "NV",
    /*sv*/ "NV"};
const TLanguageStrings CompassPointNNW = {
    "NNW", /*nl*/ "NNW", /*de*/ "NNW", /*fr*/ "NNO", /*es*/ "NNO", /*it*/ "NNO", /*da*/ "NNV",
    /*sv*/ "NNV"};

// List column titles and values.
const TLanguageStrings ColName = {
    "Name", /*nl*/ "Naam", /*de*/ "Name", /*fr*/ "Nom", /*es*/ "Nombre", /*it*/ "Nome",
    /*da*/ "Navn", /*sv*/ "Namn"};
const TLanguageStrings ColSize = {
    "Size", /*nl*/ "Grootte", /*de*/ "Größe", /*fr*/ "Taille", /*es*/ "Tamaño", /*it*/ "Dimensione",
    /*da*/ "Størrelse", /*sv*/ "Storlek"};
const TLanguageStrings ColType = {
    "Type", /*nl*/ "Type", /*de*/ "Typ", /*fr*/ "Type", /*es*/ "Tipo", /*it*/ "Tipo", /*da*/ "Type",
    /*sv*/ "Typ"};
const TLanguageStrings ColModified = {
    "Modified", /*nl*/ "Gewijzigd", /*de*/ "Geändert", /*fr*/ "Modifié", /*es*/ "Modificado",
    /*it*/ "Modificato", /*da*/ "Ændret", /*sv*/ "Ändrad"};
const TLanguageStrings ValueNone = {
    "None", /*nl*/ "Geen", /*de*/ "Keine", /*fr*/ "Aucun", /*es*/ "Ninguno", /*it*/ "Nessuno",
    /*da*/ "Ingen", /*sv*/ "Ingen"};
const TLanguageStrings ValueUnknown = {
    "Unknown", /*nl*/ "Onbekend", /*de*/ "Unbekannt", /*fr*/ "Inconnu", /*es*/ "Desconocido",
    /*it*/ "Sconosciuto", /*da*/ "Ukendt", /*sv*/ "Okänd"};

// Folder dialogs.
const TLanguageStrings FolderSelectDestination = {
    "Select Destination Folder", /*nl*/ "Doelmap selecteren", /*de*/ "Zielordner auswählen",
    /*fr*/ "Sélectionner le dossier de destination", /*es*/ "",
    /*it*/ "Seleziona cartella di destinazione", /*da*/ "Vælg destinationsmappe",
    /*sv*/ "Välj målmapp"};
const TLanguageStrings FolderSelectSource = {
    "Select Source Folder", /*nl*/ "Bronmap selecteren", /*de*/ "Quellordner auswählen",
    /*fr*/ "Sélectionner le dossier source", /*es*/ "", /*it*/ "Seleziona cartella di origine",
    /*da*/ "Vælg kildemappe", /*sv*/ "Välj källmapp"};
const TLanguageStrings FolderNameCaption = {
    "Folder &Name:", /*nl*/ "Map&naam:", /*de*/ "Ordner&name:", /*fr*/ "&Nom du dossier :",
    /*es*/ "", /*it*/ "&Nome cartella:", /*da*/ "Mappe&navn:", /*sv*/ "Mapp&namn:"};
const TLanguageStrings FolderInFolder = {
    "In folder", /*nl*/ "In map", /*de*/ "Im Ordner", /*fr*/ "Dans le dossier", /*es*/ "",
    /*it*/ "Nella cartella", /*da*/ "I mappen", /*sv*/ "I mappen"};
const TLanguageStrings FolderNew = {
    "New folder", /*nl*/ "Nieuwe map", /*de*/ "Neuer Ordner", /*fr*/ "Nouveau dossier", /*es*/ "",
    /*it*/ "Nuova cartella", /*da*/ "Ny mappe", /*sv*/ "Ny mapp"};
const TLanguageStrings FolderCreateQuery = {
    "This folder does not exist. Do you want to create it?",
    /*nl*/ "Deze map bestaat niet. Wilt u de map maken?",
    /*de*/ "Dieser Ordner existiert nicht. Möchten Sie ihn erstellen?",
    /*fr*/ "Ce dossier n'existe pas. Voulez-vous le créer ?", /*es*/ "",
    /*it*/ "Questa cartella non esiste. Crearla?",
    /*da*/ "Denne mappe findes ikke. Vil du oprette den?",
    /*sv*/ "Mappen finns inte. Vill du skapa den?"};
const TLanguageStrings FolderCannotCreate = {
    "The folder cannot be created.", /*nl*/ "De map kan niet worden gemaakt.",
    /*de*/ "Der Ordner kann nicht erstellt werden.", /*fr*/ "Impossible de créer le dossier.",
    /*es*/ "", /*it*/ "Impossibile creare la cartella.", /*da*/ "Mappen kan ikke oprettes.",
    /*sv*/ "Det går inte att skapa mappen."};
const TLanguageStrings FolderNameInvalid = {
    "This folder name is not valid.", /*nl*/ "Deze mapnaam is ongeldig.",
    /*de*/ "Dieser Ordnername ist ungültig.", /*fr*/ "Ce nom de dossier n'est pas valide.",
    /*es*/ "", /*it*/ "Il nome della cartella non è valido.", /*da*/ "Dette mappenavn er ugyldigt.",
    /*sv*/ "Mappnamnet är ogiltigt."};
const TLanguageStrings FolderNotFound = {
    "This folder cannot be found.\r\n\r\n"
    "Make sure that the correct path and folder name are given.",
    /*nl*/ "Deze map kan niet worden gevonden.\r\n\r\n"
           "Controleer of het pad en de mapnaam juist zijn opgegeven.",
    /*de*/ "Dieser Ordner wurde nicht gefunden.\r\n\r\n"
           "Stellen Sie sicher, dass Pfad und Ordnername richtig angegeben sind.",
    /*fr*/ "Ce dossier est introuvable.\r\n\r\n"
           "Vérifiez que le chemin et le nom du dossier indiqués sont corrects.",
    /*es*/ "",
    /*it*/ "Impossibile trovare la cartella.\r\n\r\n"
           "Verificare che il percorso e il nome della cartella siano corretti.",
    /*da*/ "Mappen blev ikke fundet.\r\n\r\n"
           "Kontroller, at stien og mappenavnet er angivet korrekt.",
    /*sv*/ "Mappen hittades inte.\r\n\r\nKontrollera att sökvägen och mappnamnet är rätt angivna."};
const TLanguageStrings FolderInvalidFileName = {
    "Invalid file name.", /*nl*/ "Ongeldige bestandsnaam.", /*de*/ "Ungültiger Dateiname.",
    /*fr*/ "Nom de fichier non valide.", /*es*/ "", /*it*/ "Nome file non valido.",
    /*da*/ "Ugyldigt filnavn.", /*sv*/ "Ogiltigt filnamn."};
const TLanguageStrings FolderInvalidPath = {
    "Invalid path.", /*nl*/ "Ongeldig pad.", /*de*/ "Ungültiger Pfad.", /*fr*/ "Chemin non valide.",
    /*es*/ "", /*it*/ "Percorso non valido.", /*da*/ "Ugyldig sti.", /*sv*/ "Ogiltig sökväg."};
const TLanguageStrings FolderCannotCreateHere = {
    "You cannot create a new folder here.\r\n\r\nChoose a different location.",
    /*nl*/ "U kunt hier geen nieuwe map maken.\r\n\r\nKies een andere locatie.",
    /*de*/ "Hier kann kein neuer Ordner erstellt werden.\r\n\r\nWählen Sie einen anderen Ort.",
    /*fr*/ "Vous ne pouvez pas créer de dossier ici.\r\n\r\nChoisissez un autre emplacement.",
    /*es*/ "",
    /*it*/ "Impossibile creare una nuova cartella in questa posizione.\r\n\r\n"
           "Scegliere un'altra posizione.",
    /*da*/ "Du kan ikke oprette en ny mappe her.\r\n\r\nVælg en anden placering.",
    /*sv*/ "Du kan inte skapa en ny mapp här.\r\n\r\nVälj en annan plats."};
const TLanguageStrings FolderCannotRename = {
    "Cannot rename folder.", /*nl*/ "Kan de map niet hernoemen.",
    /*de*/ "Der Ordner kann nicht umbenannt werden.", /*fr*/ "Impossible de renommer le dossier.",
    /*es*/ "", /*it*/ "Impossibile rinominare la cartella.", /*da*/ "Mappen kan ikke omdøbes.",
    /*sv*/ "Det går inte att byta namn på mappen."};
const TLanguageStrings FolderAlreadyExists = {
    "Cannot create folder because the given folder name already exists.\r\n\r\n"
    "Try again with a different folder name.",
    /*nl*/ "Kan de map niet maken, omdat de opgegeven mapnaam al bestaat.\r\n\r\n"
           "Probeer het opnieuw met een andere mapnaam.",
    /*de*/ "Der Ordner kann nicht erstellt werden, da der angegebene Ordnername bereits "
           "existiert.\r\n\r\n"
           "Versuchen Sie es mit einem anderen Ordnernamen erneut.",
    /*fr*/ "Impossible de créer le dossier, car le nom indiqué existe déjà.\r\n\r\n"
           "Réessayez avec un autre nom de dossier.",
    /*es*/ "",
    /*it*/ "Impossibile creare la cartella perché il nome indicato esiste già.\r\n\r\n"
           "Riprovare con un nome diverso.",
    /*da*/ "Mappen kan ikke oprettes, fordi det angivne mappenavn allerede findes.\r\n\r\n"
           "Prøv igen med et andet mappenavn.",
    /*sv*/ "Det går inte att skapa mappen eftersom det angivna mappnamnet redan finns.\r\n\r\n"
           "Försök igen med ett annat mappnamn."};
const TLanguageStrings FolderInvalidChars = {
    "The Folder name contains invalid characters.\r\n\r\n"
    "The following characters are not allowed:\r\n\r\n"
    "\\   /   :   *   ?   \"   <   >   |",
    /*nl*/ "De mapnaam bevat ongeldige tekens.\r\n\r\n"
           "De volgende tekens zijn niet toegestaan:\r\n\r\n"
           "\\   /   :   *   ?   \"   <   >   |",
    /*de*/ "Der Ordnername enthält ungültige Zeichen.\r\n\r\n"
           "Folgende Zeichen sind nicht zulässig:\r\n\r\n"
           "\\   /   :   *   ?   \"   <   >   |",
    /*fr*/ "Le nom du dossier contient des caractères non valides.\r\n\r\n"
           "Les caractères suivants ne sont pas autorisés :\r\n\r\n"
           "\\   /   :   *   ?   \"   <   >   |",
    /*es*/ "",
    /*it*/ "Il nome della cartella contiene caratteri non validi.\r\n\r\n"
           "I seguenti caratteri non sono consentiti:\r\n\r\n"
           "\\   /   :   *   ?   \"   <   >   |",
    /*da*/ "Mappenavnet indeholder ugyldige tegn.\r\n\r\n"
           "Følgende tegn er ikke tilladt:\r\n\r\n"
           "\\   /   :   *   ?   \"   <   >   |",
    /*sv*/ "Mappnamnet innehåller ogiltiga tecken.\r\n\r\n"
           "Följande tecken är inte tillåtna:\r\n\r\n"
           "\\   /   :   *   ?   \"   <   >   |"};
const TLanguageStrings FolderPathNotExist = {
    "The path does not exist. Make sure that the correct path is given.",
    /*nl*/ "Het pad bestaat niet. Controleer of het juiste pad is opgegeven.",
    /*de*/ "Der Pfad existiert nicht. Stellen Sie sicher, dass der richtige Pfad angegeben ist.",
    /*fr*/ "Le chemin n'existe pas. Vérifiez que le chemin indiqué est correct.", /*es*/ "",
    /*it*/ "Il percorso non esiste. Verificare che il percorso indicato sia corretto.",
    /*da*/ "Stien findes ikke. Kontroller, at den korrekte sti er angivet.",
    /*sv*/ "Sökvägen finns inte. Kontrollera att rätt sökväg har angetts."};
const TLanguageStrings FolderReadOnly = {
    "This folder is read-only. Please use a different name.",
    /*nl*/ "Deze map is alleen-lezen. Gebruik een andere naam.",
    /*de*/ "Dieser Ordner ist schreibgeschützt. Bitte verwenden Sie einen anderen Namen.",
    /*fr*/ "Ce dossier est en lecture seule. Veuillez utiliser un autre nom.", /*es*/ "",
    /*it*/ "Questa cartella è di sola lettura. Utilizzare un nome diverso.",
    /*da*/ "Denne mappe er skrivebeskyttet. Brug et andet navn.",
    /*sv*/ "Mappen är skrivskyddad. Använd ett annat namn."};

// Error log.
const TLanguageStrings ErrorLogErrorIn = {
    "Error in %s", /*nl*/ "Fout in %s", /*de*/ "Fehler in %s", /*fr*/ "Erreur dans %s",
    /*es*/ "Error en %s", /*it*/ "Errore in %s", /*da*/ "Fejl i %s", /*sv*/ "Fel i %s"};
const TLanguageStrings ErrorLogSavedTo = {
    "The error was added to the error log and saved to the following file:",
    /*nl*/ "De fout is aan het foutenlogboek toegevoegd en opgeslagen in het volgende bestand:",
    /*de*/ "Der Fehler wurde in das Fehlerprotokoll aufgenommen und in folgender Datei "
           "gespeichert:",
    /*fr*/ "L'erreur a été ajoutée au journal des erreurs et enregistrée dans le fichier suivant :",
    /*es*/ "El error se ha añadido al registro de errores y se ha guardado en el siguiente "
           "archivo:",
    /*it*/ "L'errore è stato aggiunto al registro degli errori e salvato nel seguente file:",
    /*da*/ "Fejlen er føjet til fejlloggen og gemt i følgende fil:",
    /*sv*/ "Felet har lagts till i felloggen och sparats i följande fil:"};
const TLanguageStrings ErrorLogViewQuery = {
    "Do you wish to view the error log?", /*nl*/ "Wilt u het foutenlogboek bekijken?",
    /*de*/ "Möchten Sie das Fehlerprotokoll anzeigen?",
    /*fr*/ "Voulez-vous afficher le journal des erreurs ?",
    /*es*/ "¿Desea ver el registro de errores?", /*it*/ "Visualizzare il registro degli errori?",
    /*da*/ "Vil du se fejlloggen?", /*sv*/ "Vill du visa felloggen?"};

// Display requirements of a DirectX desktop (no use on Linux; kept with their translations).
const TLanguageStrings DisplayColorDepth = {
    "To run this application, the desktop must have a color resolution of 16 bits or more.\r\n\r\n"
    "Do you want to open the Screen Settings Dialog to change the settings?",
    /*nl*/ "Voor dit programma moet het bureaublad een kleurdiepte van 16 bits of meer "
           "hebben.\r\n\r\n"
           "Wilt u het venster Beeldscherminstellingen openen om de instellingen te wijzigen?",
    /*de*/ "Für dieses Programm muss der Desktop eine Farbtiefe von mindestens 16 Bit "
           "haben.\r\n\r\n"
           "Möchten Sie die Anzeigeeinstellungen öffnen, um die Einstellungen zu ändern?",
    /*fr*/ "Pour exécuter cette application, le bureau doit avoir une résolution des couleurs "
           "d'au moins 16 bits.\r\n\r\n"
           "Voulez-vous ouvrir les paramètres d'affichage pour modifier les réglages ?",
    /*es*/ "",
    /*it*/ "Per eseguire questa applicazione il desktop deve avere una profondità di colore di "
           "almeno 16 bit.\r\n\r\n"
           "Aprire le impostazioni dello schermo per modificarle?",
    /*da*/ "For at køre dette program skal skrivebordet have en farvedybde på mindst 16 "
           "bit.\r\n\r\n"
           "Vil du åbne skærmindstillingerne for at ændre indstillingerne?",
    /*sv*/ "För att köra programmet måste skrivbordet ha ett färgdjup på minst 16 bitar.\r\n\r\n"
           "Vill du öppna skärminställningarna för att ändra inställningarna?"};
const TLanguageStrings DisplayNoDirectXAdapter = {
    "No DirectX 8 compatible Graphics Adapter was found.",
    /*nl*/ "Er is geen met DirectX 8 compatibele grafische kaart gevonden.",
    /*de*/ "Es wurde keine DirectX-8-kompatible Grafikkarte gefunden.",
    /*fr*/ "Aucune carte graphique compatible DirectX 8 n'a été trouvée.", /*es*/ "",
    /*it*/ "Non è stata trovata alcuna scheda grafica compatibile con DirectX 8.",
    /*da*/ "Der blev ikke fundet et DirectX 8-kompatibelt grafikkort.",
    /*sv*/ "Inget DirectX 8-kompatibelt grafikkort hittades."};
const TLanguageStrings DisplayDirectXCheckError = {
    "An error occured during examination of the available DirectX 8 support.",
    /*nl*/ "Er is een fout opgetreden bij het onderzoeken van de beschikbare DirectX "
           "8-ondersteuning.",
    /*de*/ "Bei der Prüfung der verfügbaren DirectX-8-Unterstützung ist ein Fehler aufgetreten.",
    /*fr*/ "Une erreur s'est produite lors de l'examen de la prise en charge de DirectX 8.",
    /*es*/ "",
    /*it*/ "Si è verificato un errore durante la verifica del supporto DirectX 8 disponibile.",
    /*da*/ "Der opstod en fejl under undersøgelsen af den tilgængelige DirectX 8-understøttelse.",
    /*sv*/ "Ett fel uppstod vid undersökningen av det tillgängliga DirectX 8-stödet."};
const TLanguageStrings DisplayDXDiagNotFound = {
    "DXDiag could no be found. Please install DirectX 8 or a higher version.",
    /*nl*/ "DXDiag kan niet worden gevonden. Installeer DirectX 8 of een hogere versie.",
    /*de*/ "DXDiag wurde nicht gefunden. Bitte installieren Sie DirectX 8 oder eine höhere "
           "Version.",
    /*fr*/ "DXDiag est introuvable. Veuillez installer DirectX 8 ou une version plus récente.",
    /*es*/ "", /*it*/ "Impossibile trovare DXDiag. Installare DirectX 8 o una versione successiva.",
    /*da*/ "DXDiag blev ikke fundet. Installer DirectX 8 eller en nyere version.",
    /*sv*/ "DXDiag hittades inte. Installera DirectX 8 eller en senare version."};
const TLanguageStrings DisplayDXDiagQuery = {
    "Please check if your Graphics Adapter is DirectX 8 compatible. Also be sure to install the "
    "latest drivers for the device.\r"
    "You can check if DirectX 8 or a higher version is properly working by running DXDiag.\r\r"
    "Do you wish to run DXDiag?",
    /*nl*/ "Controleer of uw grafische kaart compatibel is met DirectX 8. Zorg er ook voor dat de "
           "nieuwste stuurprogramma's voor het apparaat zijn geïnstalleerd.\r"
           "U kunt controleren of DirectX 8 of een hogere versie goed werkt door DXDiag uit te "
           "voeren.\r\r"
           "Wilt u DXDiag uitvoeren?",
    /*de*/ "Bitte prüfen Sie, ob Ihre Grafikkarte DirectX-8-kompatibel ist, und installieren Sie "
           "die neuesten Treiber für das Gerät.\r"
           "Ob DirectX 8 oder eine höhere Version richtig funktioniert, können Sie mit DXDiag "
           "prüfen.\r\r"
           "Möchten Sie DXDiag ausführen?",
    /*fr*/ "Vérifiez que votre carte graphique est compatible DirectX 8 et installez les pilotes "
           "les plus récents pour ce périphérique.\r"
           "Vous pouvez vérifier le bon fonctionnement de DirectX 8 ou d'une version plus récente "
           "en exécutant DXDiag.\r\r"
           "Voulez-vous exécuter DXDiag ?",
    /*es*/ "",
    /*it*/ "Verificare che la scheda grafica sia compatibile con DirectX 8 e installare i driver "
           "più recenti per il dispositivo.\r"
           "È possibile verificare il corretto funzionamento di DirectX 8 o di una versione "
           "successiva eseguendo DXDiag.\r\r"
           "Eseguire DXDiag?",
    /*da*/ "Kontroller, om dit grafikkort er DirectX 8-kompatibelt, og installer de nyeste "
           "drivere til enheden.\r"
           "Du kan kontrollere, om DirectX 8 eller en nyere version fungerer korrekt, ved at køre "
           "DXDiag.\r\r"
           "Vil du køre DXDiag?",
    /*sv*/ "Kontrollera att grafikkortet är DirectX 8-kompatibelt och installera de senaste "
           "drivrutinerna för enheten.\r"
           "Du kan kontrollera att DirectX 8 eller en senare version fungerar korrekt genom att "
           "köra DXDiag.\r\r"
           "Vill du köra DXDiag?"};
const TLanguageStrings DisplayDirectXRequired = {
    "This application needs DirectX 8.0 or a higher version to run.\r\n\r\n"
    "DirectX can be downloaded free of charge from the download pages of the operating system's "
    "maker.",
    /*nl*/ "Dit programma heeft DirectX 8.0 of een hogere versie nodig.\r\n\r\n"
           "DirectX kan gratis worden gedownload van de downloadpagina's van de maker van het "
           "besturingssysteem.",
    /*de*/ "Dieses Programm benötigt DirectX 8.0 oder eine höhere Version.\r\n\r\n"
           "DirectX kann kostenlos von den Download-Seiten des Herstellers des Betriebssystems "
           "heruntergeladen werden.",
    /*fr*/ "Cette application nécessite DirectX 8.0 ou une version plus récente.\r\n\r\n"
           "DirectX peut être téléchargé gratuitement sur les pages de téléchargement de "
           "l'éditeur du système d'exploitation.",
    /*es*/ "",
    /*it*/ "Questa applicazione richiede DirectX 8.0 o una versione successiva.\r\n\r\n"
           "DirectX può essere scaricato gratuitamente dalle pagine di download del produttore "
           "del sistema operativo.",
    /*da*/ "Dette program kræver DirectX 8.0 eller en nyere version.\r\n\r\n"
           "DirectX kan hentes gratis fra downloadsiderne hos producenten af operativsystemet.",
    /*sv*/ "Programmet kräver DirectX 8.0 eller en senare version.\r\n\r\n"
           "DirectX kan hämtas kostnadsfritt från nedladdningssidorna hos operativsystemets "
           "tillverkare."};

const std::array<const TLanguageStrings *, 8> CompassWords = {
    &CompassWordNorth, &CompassWordNortheast, &CompassWordEast, &CompassWordSoutheast,
    &CompassWordSouth, &CompassWordSouthwest, &CompassWordWest, &CompassWordNorthwest};
const std::array<const TLanguageStrings *, 16> CompassPoints = {
    &CompassPointN, &CompassPointNNE, &CompassPointNE, &CompassPointENE, &CompassPointE,
    &CompassPointESE, &CompassPointSE, &CompassPointSSE, &CompassPointS, &CompassPointSSW,
    &CompassPointSW, &CompassPointWSW, &CompassPointW, &CompassPointWNW, &CompassPointNW,
    &CompassPointNNW};

// Key names for shortcut texts; the English entry is the name itself. Spanish reads
// English throughout, and the other languages translate only the names their keyboards
// and manuals do.
const std::array<TLanguageStrings, 112> KeyNames = {{
    {"ABNT_C1", "", "", "", "", "", "", ""},
    {"ABNT_C2", "", "", "", "", "", "", ""},
    {"Alt", "", "", "", "", "", "", ""},
    {"Apostrophe", /*nl*/ "Apostrof", /*de*/ "Apostroph", /*fr*/ "", /*es*/ "", /*it*/ "Apostrofo",
     /*da*/ "Apostrof", /*sv*/ "Apostrof"},
    {"AppMenu", /*nl*/ "Menutoets", /*de*/ "Menütaste", /*fr*/ "Touche Menu", /*es*/ "",
     /*it*/ "Tasto Menu", /*da*/ "Menutast", /*sv*/ "Menytangent"},
    {"Ax", "", "", "", "", "", "", ""},
    {"Backslash", /*nl*/ "", /*de*/ "Umgekehrter Schrägstrich", /*fr*/ "Barre oblique inverse",
     /*es*/ "", /*it*/ "Barra rovesciata", /*da*/ "Omvendt skråstreg", /*sv*/ "Omvänt snedstreck"},
    {"BkSp", /*nl*/ "", /*de*/ "Rück", /*fr*/ "Retour arrière", /*es*/ "", /*it*/ "",
     /*da*/ "Tilbage", /*sv*/ "Backsteg"},
    {"Calculator", /*nl*/ "Rekenmachine", /*de*/ "Rechner", /*fr*/ "Calculatrice", /*es*/ "",
     /*it*/ "Calcolatrice", /*da*/ "Lommeregner", /*sv*/ "Kalkylator"},
    {"CapsLock", /*nl*/ "", /*de*/ "Feststell", /*fr*/ "Verr Maj", /*es*/ "", /*it*/ "BlocMaiusc",
     /*da*/ "", /*sv*/ ""},
    {"Colon", /*nl*/ "Dubbele punt", /*de*/ "Doppelpunt", /*fr*/ "Deux-points", /*es*/ "",
     /*it*/ "Due punti", /*da*/ "Kolon", /*sv*/ "Kolon"},
    {"Comma", /*nl*/ "Komma", /*de*/ "Komma", /*fr*/ "Virgule", /*es*/ "", /*it*/ "Virgola",
     /*da*/ "Komma", /*sv*/ "Komma"},
    {"Convert", "", "", "", "", "", "", ""},
    {"Ctrl", /*nl*/ "", /*de*/ "Strg", /*fr*/ "", /*es*/ "", /*it*/ "", /*da*/ "", /*sv*/ ""},
    {"Del", /*nl*/ "", /*de*/ "Entf", /*fr*/ "Suppr", /*es*/ "", /*it*/ "Canc", /*da*/ "",
     /*sv*/ ""},
    {"Down", /*nl*/ "Omlaag", /*de*/ "Unten", /*fr*/ "Bas", /*es*/ "", /*it*/ "Giù", /*da*/ "Ned",
     /*sv*/ "Ned"},
    {"End", /*nl*/ "", /*de*/ "Ende", /*fr*/ "Fin", /*es*/ "", /*it*/ "Fine", /*da*/ "", /*sv*/ ""},
    {"Enter", /*nl*/ "", /*de*/ "Eingabe", /*fr*/ "Entrée", /*es*/ "", /*it*/ "Invio", /*da*/ "",
     /*sv*/ ""},
    {"Equals", /*nl*/ "Is-gelijk", /*de*/ "Gleich", /*fr*/ "Égal", /*es*/ "", /*it*/ "Uguale",
     /*da*/ "Lighedstegn", /*sv*/ "Likhetstecken"},
    {"Esc", /*nl*/ "", /*de*/ "", /*fr*/ "Échap", /*es*/ "", /*it*/ "", /*da*/ "", /*sv*/ ""},
    {"F1", "", "", "", "", "", "", ""},
    {"F2", "", "", "", "", "", "", ""},
    {"F3", "", "", "", "", "", "", ""},
    {"F4", "", "", "", "", "", "", ""},
    {"F5", "", "", "", "", "", "", ""},
    {"F6", "", "", "", "", "", "", ""},
    {"F7", "", "", "", "", "", "", ""},
    {"F8", "", "", "", "", "", "", ""},
    {"F9", "", "", "", "", "", "", ""},
    {"F10", "", "", "", "", "", "", ""},
    {"F11", "", "", "", "", "", "", ""},
    {"F12", "", "", "", "", "", "", ""},
    {"F13", "", "", "", "", "", "", ""},
    {"F14", "", "", "", "", "", "", ""},
    {"F15", "", "", "", "", "", "", ""},
    {"Grave", /*nl*/ "Accent grave", /*de*/ "Gravis", /*fr*/ "Accent grave", /*es*/ "",
     /*it*/ "Accento grave", /*da*/ "Accent grave", /*sv*/ "Grav accent"},
    {"Home", /*nl*/ "", /*de*/ "Pos1", /*fr*/ "Origine", /*es*/ "", /*it*/ "", /*da*/ "",
     /*sv*/ ""},
    {"Ins", /*nl*/ "", /*de*/ "Einfg", /*fr*/ "Inser", /*es*/ "", /*it*/ "", /*da*/ "", /*sv*/ ""},
    {"Joy", "", "", "", "", "", "", ""},
    {"Kana", "", "", "", "", "", "", ""},
    {"Kanji", "", "", "", "", "", "", ""},
    {"LAlt", /*nl*/ "Alt links", /*de*/ "Alt links", /*fr*/ "Alt gauche", /*es*/ "",
     /*it*/ "Alt sinistro", /*da*/ "Venstre Alt", /*sv*/ "Vänster Alt"},
    {"LBracket", /*nl*/ "Vierkant haakje openen", /*de*/ "Eckige Klammer auf",
     /*fr*/ "Crochet ouvrant", /*es*/ "", /*it*/ "Parentesi quadra aperta",
     /*da*/ "Venstre kantparentes", /*sv*/ "Vänster hakparentes"},
    {"LCtrl", /*nl*/ "Ctrl links", /*de*/ "Strg links", /*fr*/ "Ctrl gauche", /*es*/ "",
     /*it*/ "Ctrl sinistro", /*da*/ "Venstre Ctrl", /*sv*/ "Vänster Ctrl"},
    {"Left", /*nl*/ "Links", /*de*/ "Links", /*fr*/ "Gauche", /*es*/ "", /*it*/ "Sinistra",
     /*da*/ "Venstre", /*sv*/ "Vänster"},
    {"LShift", /*nl*/ "Shift links", /*de*/ "Umschalt links", /*fr*/ "Maj gauche", /*es*/ "",
     /*it*/ "Maiusc sinistro", /*da*/ "Venstre Skift", /*sv*/ "Vänster Skift"},
    {"LWin", "", "", "", "", "", "", ""},
    {"Mail", /*nl*/ "E-mail", /*de*/ "E-Mail", /*fr*/ "Courrier", /*es*/ "", /*it*/ "Posta",
     /*da*/ "E-mail", /*sv*/ "E-post"},
    {"MediaSelect", /*nl*/ "Media selecteren", /*de*/ "Medienauswahl", /*fr*/ "Sélection média",
     /*es*/ "", /*it*/ "Selezione multimediale", /*da*/ "Medievalg", /*sv*/ "Medieval"},
    {"MediaStop", /*nl*/ "Media stoppen", /*de*/ "Medienstopp", /*fr*/ "Arrêt média", /*es*/ "",
     /*it*/ "Stop multimediale", /*da*/ "Mediestop", /*sv*/ "Mediestopp"},
    {"Minus", /*nl*/ "Min", /*de*/ "", /*fr*/ "Moins", /*es*/ "", /*it*/ "Meno", /*da*/ "",
     /*sv*/ ""},
    {"Mouse", /*nl*/ "Muis", /*de*/ "Maus", /*fr*/ "Souris", /*es*/ "", /*it*/ "", /*da*/ "Mus",
     /*sv*/ "Mus"},
    {"Mute", /*nl*/ "Dempen", /*de*/ "Stumm", /*fr*/ "Muet", /*es*/ "", /*it*/ "Disattiva audio",
     /*da*/ "Lyd fra", /*sv*/ "Ljud av"},
    {"MyComputer", /*nl*/ "Deze computer", /*de*/ "Arbeitsplatz", /*fr*/ "Poste de travail",
     /*es*/ "", /*it*/ "Risorse del computer", /*da*/ "Denne computer", /*sv*/ "Den här datorn"},
    {"NextTrack", /*nl*/ "Volgend nummer", /*de*/ "Nächster Titel", /*fr*/ "Piste suivante",
     /*es*/ "", /*it*/ "Traccia successiva", /*da*/ "Næste nummer", /*sv*/ "Nästa spår"},
    {"NoConvert", "", "", "", "", "", "", ""},
    {"NumLock", /*nl*/ "", /*de*/ "Num", /*fr*/ "Verr Num", /*es*/ "", /*it*/ "BlocNum", /*da*/ "",
     /*sv*/ ""},
    {"Numpad0", /*nl*/ "Numeriek 0", /*de*/ "Num 0", /*fr*/ "Pavé num 0", /*es*/ "",
     /*it*/ "Tastierino 0", /*da*/ "Numerisk 0", /*sv*/ "Numeriskt 0"},
    {"Numpad1", /*nl*/ "Numeriek 1", /*de*/ "Num 1", /*fr*/ "Pavé num 1", /*es*/ "",
     /*it*/ "Tastierino 1", /*da*/ "Numerisk 1", /*sv*/ "Numeriskt 1"},
    {"Numpad2", /*nl*/ "Numeriek 2", /*de*/ "Num 2", /*fr*/ "Pavé num 2", /*es*/ "",
     /*it*/ "Tastierino 2", /*da*/ "Numerisk 2", /*sv*/ "Numeriskt 2"},
    {"Numpad3", /*nl*/ "Numeriek 3", /*de*/ "Num 3", /*fr*/ "Pavé num 3", /*es*/ "",
     /*it*/ "Tastierino 3", /*da*/ "Numerisk 3", /*sv*/ "Numeriskt 3"},
    {"Numpad4", /*nl*/ "Numeriek 4", /*de*/ "Num 4", /*fr*/ "Pavé num 4", /*es*/ "",
     /*it*/ "Tastierino 4", /*da*/ "Numerisk 4", /*sv*/ "Numeriskt 4"},
    {"Numpad5", /*nl*/ "Numeriek 5", /*de*/ "Num 5", /*fr*/ "Pavé num 5", /*es*/ "",
     /*it*/ "Tastierino 5", /*da*/ "Numerisk 5", /*sv*/ "Numeriskt 5"},
    {"Numpad6", /*nl*/ "Numeriek 6", /*de*/ "Num 6", /*fr*/ "Pavé num 6", /*es*/ "",
     /*it*/ "Tastierino 6", /*da*/ "Numerisk 6", /*sv*/ "Numeriskt 6"},
    {"Numpad7", /*nl*/ "Numeriek 7", /*de*/ "Num 7", /*fr*/ "Pavé num 7", /*es*/ "",
     /*it*/ "Tastierino 7", /*da*/ "Numerisk 7", /*sv*/ "Numeriskt 7"},
    {"Numpad8", /*nl*/ "Numeriek 8", /*de*/ "Num 8", /*fr*/ "Pavé num 8", /*es*/ "",
     /*it*/ "Tastierino 8", /*da*/ "Numerisk 8", /*sv*/ "Numeriskt 8"},
    {"Numpad9", /*nl*/ "Numeriek 9", /*de*/ "Num 9", /*fr*/ "Pavé num 9", /*es*/ "",
     /*it*/ "Tastierino 9", /*da*/ "Numerisk 9", /*sv*/ "Numeriskt 9"},
    {"NumpadComma", /*nl*/ "Numeriek komma", /*de*/ "Num Komma", /*fr*/ "Pavé num virgule",
     /*es*/ "", /*it*/ "Tastierino virgola", /*da*/ "Numerisk komma", /*sv*/ "Numeriskt komma"},
    {"NumpadEnter", /*nl*/ "Numeriek Enter", /*de*/ "Num Eingabe", /*fr*/ "Pavé num Entrée",
     /*es*/ "", /*it*/ "Tastierino Invio", /*da*/ "Numerisk Enter", /*sv*/ "Numeriskt Enter"},
    {"NumpadEquals", /*nl*/ "Numeriek is-gelijk", /*de*/ "Num Gleich", /*fr*/ "Pavé num égal",
     /*es*/ "", /*it*/ "Tastierino uguale", /*da*/ "Numerisk lighedstegn",
     /*sv*/ "Numeriskt likhetstecken"},
    {"NumpadMinus", /*nl*/ "Numeriek min", /*de*/ "Num Minus", /*fr*/ "Pavé num moins", /*es*/ "",
     /*it*/ "Tastierino meno", /*da*/ "Numerisk minus", /*sv*/ "Numeriskt minus"},
    {"NumpadPeriod", /*nl*/ "Numeriek punt", /*de*/ "Num Punkt", /*fr*/ "Pavé num point", /*es*/ "",
     /*it*/ "Tastierino punto", /*da*/ "Numerisk punktum", /*sv*/ "Numeriskt punkt"},
    {"NumpadPlus", /*nl*/ "Numeriek plus", /*de*/ "Num Plus", /*fr*/ "Pavé num plus", /*es*/ "",
     /*it*/ "Tastierino più", /*da*/ "Numerisk plus", /*sv*/ "Numeriskt plus"},
    {"NumpadSlash", /*nl*/ "Numeriek deelteken", /*de*/ "Num Geteilt",
     /*fr*/ "Pavé num barre oblique", /*es*/ "", /*it*/ "Tastierino barra",
     /*da*/ "Numerisk skråstreg", /*sv*/ "Numeriskt snedstreck"},
    {"NumpadStar", /*nl*/ "Numeriek sterretje", /*de*/ "Num Mal", /*fr*/ "Pavé num astérisque",
     /*es*/ "", /*it*/ "Tastierino asterisco", /*da*/ "Numerisk stjerne",
     /*sv*/ "Numeriskt asterisk"},
    {"OEM_102", "", "", "", "", "", "", ""},
    {"Pause", /*nl*/ "Pauze", /*de*/ "", /*fr*/ "", /*es*/ "", /*it*/ "Pausa", /*da*/ "",
     /*sv*/ "Paus"},
    {"Period", /*nl*/ "Punt", /*de*/ "Punkt", /*fr*/ "Point", /*es*/ "", /*it*/ "Punto",
     /*da*/ "Punktum", /*sv*/ "Punkt"},
    {"PgDn", /*nl*/ "", /*de*/ "Bild ab", /*fr*/ "Pg suiv", /*es*/ "", /*it*/ "PgGiù", /*da*/ "",
     /*sv*/ ""},
    {"PgUp", /*nl*/ "", /*de*/ "Bild auf", /*fr*/ "Pg préc", /*es*/ "", /*it*/ "PgSu", /*da*/ "",
     /*sv*/ ""},
    {"PlayPause", /*nl*/ "Afspelen/pauzeren", /*de*/ "Wiedergabe/Pause", /*fr*/ "Lecture/Pause",
     /*es*/ "", /*it*/ "Riproduci/Pausa", /*da*/ "Afspil/pause", /*sv*/ "Spela upp/paus"},
    {"Power", /*nl*/ "Aan/uit", /*de*/ "Ein/Aus", /*fr*/ "Marche/Arrêt", /*es*/ "",
     /*it*/ "Accensione", /*da*/ "Tænd/sluk", /*sv*/ "Av/på"},
    {"PrevTrack", /*nl*/ "Vorig nummer", /*de*/ "Vorheriger Titel", /*fr*/ "Piste précédente",
     /*es*/ "", /*it*/ "Traccia precedente", /*da*/ "Forrige nummer", /*sv*/ "Föregående spår"},
    {"RAlt", /*nl*/ "Alt rechts", /*de*/ "Alt rechts", /*fr*/ "Alt droite", /*es*/ "",
     /*it*/ "Alt destro", /*da*/ "Højre Alt", /*sv*/ "Höger Alt"},
    {"RBracket", /*nl*/ "Vierkant haakje sluiten", /*de*/ "Eckige Klammer zu",
     /*fr*/ "Crochet fermant", /*es*/ "", /*it*/ "Parentesi quadra chiusa",
     /*da*/ "Højre kantparentes", /*sv*/ "Höger hakparentes"},
    {"RCtrl", /*nl*/ "Ctrl rechts", /*de*/ "Strg rechts", /*fr*/ "Ctrl droite", /*es*/ "",
     /*it*/ "Ctrl destro", /*da*/ "Højre Ctrl", /*sv*/ "Höger Ctrl"},
    {"Right", /*nl*/ "Rechts", /*de*/ "Rechts", /*fr*/ "Droite", /*es*/ "", /*it*/ "Destra",
     /*da*/ "Højre", /*sv*/ "Höger"},
    {"RShift", /*nl*/ "Shift rechts", /*de*/ "Umschalt rechts", /*fr*/ "Maj droite", /*es*/ "",
     /*it*/ "Maiusc destro", /*da*/ "Højre Skift", /*sv*/ "Höger Skift"},
    {"RWin", "", "", "", "", "", "", ""},
    {"ScrollLock", /*nl*/ "", /*de*/ "Rollen", /*fr*/ "Arrêt défil", /*es*/ "", /*it*/ "BlocScorr",
     /*da*/ "", /*sv*/ ""},
    {"Semicolon", /*nl*/ "Puntkomma", /*de*/ "Semikolon", /*fr*/ "Point-virgule", /*es*/ "",
     /*it*/ "Punto e virgola", /*da*/ "Semikolon", /*sv*/ "Semikolon"},
    {"Shift", /*nl*/ "", /*de*/ "Umschalt", /*fr*/ "Maj", /*es*/ "", /*it*/ "Maiusc",
     /*da*/ "Skift", /*sv*/ "Skift"},
    {"Slash", /*nl*/ "Schuine streep", /*de*/ "Schrägstrich", /*fr*/ "Barre oblique", /*es*/ "",
     /*it*/ "Barra", /*da*/ "Skråstreg", /*sv*/ "Snedstreck"},
    {"Sleep", /*nl*/ "Slaapstand", /*de*/ "Standby", /*fr*/ "Veille", /*es*/ "",
     /*it*/ "Sospensione", /*da*/ "Slumre", /*sv*/ "Viloläge"},
    {"Space", /*nl*/ "Spatie", /*de*/ "Leertaste", /*fr*/ "Espace", /*es*/ "", /*it*/ "Spazio",
     /*da*/ "Mellemrum", /*sv*/ "Blanksteg"},
    {"Stop", /*nl*/ "Stoppen", /*de*/ "Stopp", /*fr*/ "Arrêt", /*es*/ "", /*it*/ "", /*da*/ "",
     /*sv*/ "Stopp"},
    {"SysRQ", "", "", "", "", "", "", ""},
    {"Tab", "", "", "", "", "", "", ""},
    {"Underline", /*nl*/ "Onderstrepingsteken", /*de*/ "Unterstrich",
     /*fr*/ "Trait de soulignement", /*es*/ "", /*it*/ "Sottolineatura", /*da*/ "Understregning",
     /*sv*/ "Understreck"},
    {"Unlabeled", /*nl*/ "Zonder opschrift", /*de*/ "Unbeschriftet", /*fr*/ "Sans étiquette",
     /*es*/ "", /*it*/ "Senza etichetta", /*da*/ "Uden mærkat", /*sv*/ "Omärkt"},
    {"Up", /*nl*/ "Omhoog", /*de*/ "Oben", /*fr*/ "Haut", /*es*/ "", /*it*/ "Su", /*da*/ "Op",
     /*sv*/ "Upp"},
    {"VolumeDown", /*nl*/ "Volume omlaag", /*de*/ "Leiser", /*fr*/ "Volume -", /*es*/ "",
     /*it*/ "Volume giù", /*da*/ "Lydstyrke ned", /*sv*/ "Volym ned"},
    {"VolumeUp", /*nl*/ "Volume omhoog", /*de*/ "Lauter", /*fr*/ "Volume +", /*es*/ "",
     /*it*/ "Volume su", /*da*/ "Lydstyrke op", /*sv*/ "Volym upp"},
    {"Wake", /*nl*/ "Activeren", /*de*/ "Aufwecken", /*fr*/ "Réveil", /*es*/ "", /*it*/ "Riattiva",
     /*da*/ "Vågn", /*sv*/ "Väck"},
    {"WebBack", /*nl*/ "Web terug", /*de*/ "Web zurück", /*fr*/ "Web précédent", /*es*/ "",
     /*it*/ "Web indietro", /*da*/ "Web tilbage", /*sv*/ "Webb bakåt"},
    {"WebFavorites", /*nl*/ "Web favorieten", /*de*/ "Web Favoriten", /*fr*/ "Web favoris",
     /*es*/ "", /*it*/ "Web preferiti", /*da*/ "Web favoritter", /*sv*/ "Webbfavoriter"},
    {"WebForward", /*nl*/ "Web vooruit", /*de*/ "Web vorwärts", /*fr*/ "Web suivant", /*es*/ "",
     /*it*/ "Web avanti", /*da*/ "Web frem", /*sv*/ "Webb framåt"},
    {"WebHome", /*nl*/ "Web startpagina", /*de*/ "Web Startseite", /*fr*/ "Web accueil", /*es*/ "",
     /*it*/ "Web pagina iniziale", /*da*/ "Web startside", /*sv*/ "Webbstartsida"},
    {"WebRefresh", /*nl*/ "Web vernieuwen", /*de*/ "Web aktualisieren", /*fr*/ "Web actualiser",
     /*es*/ "", /*it*/ "Web aggiorna", /*da*/ "Web opdater", /*sv*/ "Webb uppdatera"},
    {"WebSearch", /*nl*/ "Web zoeken", /*de*/ "Web Suche", /*fr*/ "Web recherche", /*es*/ "",
     /*it*/ "Web cerca", /*da*/ "Web søg", /*sv*/ "Webbsökning"},
    {"WebStop", /*nl*/ "Web stoppen", /*de*/ "Web Abbrechen", /*fr*/ "Web arrêter", /*es*/ "",
     /*it*/ "Web interrompi", /*da*/ "Web stop", /*sv*/ "Webb stopp"},
    {"Yen", "", "", "", "", "", "", ""}
}};

const TLanguageStrings *FindKeyName(QStringView english) {
    for (const TLanguageStrings &table : KeyNames)
        if (english == QLatin1String(table[0])) return &table;
    return nullptr;
}

namespace {

std::vector<TTableEntry> MakeAllTables() {
    std::vector<TTableEntry> all = {
        {"BtnYes", &BtnYes},
        {"BtnNo", &BtnNo},
        {"BtnOK", &BtnOK},
        {"BtnCancel", &BtnCancel},
        {"BtnAbort", &BtnAbort},
        {"BtnRetry", &BtnRetry},
        {"BtnIgnore", &BtnIgnore},
        {"BtnAll", &BtnAll},
        {"BtnNoToAll", &BtnNoToAll},
        {"BtnYesToAll", &BtnYesToAll},
        {"BtnHelp", &BtnHelp},
        {"BtnClose", &BtnClose},
        {"BtnExit", &BtnExit},
        {"BtnOpen", &BtnOpen},
        {"BtnSave", &BtnSave},
        {"BtnDetails", &BtnDetails},
        {"TitleWarning", &TitleWarning},
        {"TitleError", &TitleError},
        {"TitleInformation", &TitleInformation},
        {"TitleConfirm", &TitleConfirm},
        {"ColorBlack", &ColorBlack},
        {"ColorBlue", &ColorBlue},
        {"ColorBrightGreen", &ColorBrightGreen},
        {"ColorDarkBlue", &ColorDarkBlue},
        {"ColorDarkRed", &ColorDarkRed},
        {"ColorDarkYellow", &ColorDarkYellow},
        {"ColorGray25", &ColorGray25},
        {"ColorGray50", &ColorGray50},
        {"ColorGreen", &ColorGreen},
        {"ColorPink", &ColorPink},
        {"ColorRed", &ColorRed},
        {"ColorTeal", &ColorTeal},
        {"ColorTurquoise", &ColorTurquoise},
        {"ColorViolet", &ColorViolet},
        {"ColorWhite", &ColorWhite},
        {"ColorYellow", &ColorYellow},
        {"CompassWordNorth", &CompassWordNorth},
        {"CompassWordNortheast", &CompassWordNortheast},
        {"CompassWordEast", &CompassWordEast},
        {"CompassWordSoutheast", &CompassWordSoutheast},
        {"CompassWordSouth", &CompassWordSouth},
        {"CompassWordSouthwest", &CompassWordSouthwest},
        {"CompassWordWest", &CompassWordWest},
        {"CompassWordNorthwest", &CompassWordNorthwest},
        {"CompassPointN", &CompassPointN},
        {"CompassPointNNE", &CompassPointNNE},
        {"CompassPointNE", &CompassPointNE},
        {"CompassPointENE", &CompassPointENE},
        {"CompassPointE", &CompassPointE},
        {"CompassPointESE", &CompassPointESE},
        {"CompassPointSE", &CompassPointSE},
        {"CompassPointSSE", &CompassPointSSE},
        {"CompassPointS", &CompassPointS},
        {"CompassPointSSW", &CompassPointSSW},
        {"CompassPointSW", &CompassPointSW},
        {"CompassPointWSW", &CompassPointWSW},
        {"CompassPointW", &CompassPointW},
        {"CompassPointWNW", &CompassPointWNW},
        {"CompassPointNW", &CompassPointNW},
        {"CompassPointNNW", &CompassPointNNW},
        {"ColName", &ColName},
        {"ColSize", &ColSize},
        {"ColType", &ColType},
        {"ColModified", &ColModified},
        {"ValueNone", &ValueNone},
        {"ValueUnknown", &ValueUnknown},
        {"FolderSelectDestination", &FolderSelectDestination},
        {"FolderSelectSource", &FolderSelectSource},
        {"FolderNameCaption", &FolderNameCaption},
        {"FolderInFolder", &FolderInFolder},
        {"FolderNew", &FolderNew},
        {"FolderCreateQuery", &FolderCreateQuery},
        {"FolderCannotCreate", &FolderCannotCreate},
        {"FolderNameInvalid", &FolderNameInvalid},
        {"FolderNotFound", &FolderNotFound},
        {"FolderInvalidFileName", &FolderInvalidFileName},
        {"FolderInvalidPath", &FolderInvalidPath},
        {"FolderCannotCreateHere", &FolderCannotCreateHere},
        {"FolderCannotRename", &FolderCannotRename},
        {"FolderAlreadyExists", &FolderAlreadyExists},
        {"FolderInvalidChars", &FolderInvalidChars},
        {"FolderPathNotExist", &FolderPathNotExist},
        {"FolderReadOnly", &FolderReadOnly},
        {"ErrorLogErrorIn", &ErrorLogErrorIn},
        {"ErrorLogSavedTo", &ErrorLogSavedTo},
        {"ErrorLogViewQuery", &ErrorLogViewQuery},
        {"DisplayColorDepth", &DisplayColorDepth},
        {"DisplayNoDirectXAdapter", &DisplayNoDirectXAdapter},
        {"DisplayDirectXCheckError", &DisplayDirectXCheckError},
        {"DisplayDXDiagNotFound", &DisplayDXDiagNotFound},
        {"DisplayDXDiagQuery", &DisplayDXDiagQuery},
        {"DisplayDirectXRequired", &DisplayDirectXRequired}
    };
    for (const TLanguageStrings &key : KeyNames) all.push_back({key[0], &key});
    return all;
}

}  // namespace

std::span<const TTableEntry> AllTables() {
    static const std::vector<TTableEntry> all = MakeAllTables();
    return all;
}

}  // namespace KvStr
