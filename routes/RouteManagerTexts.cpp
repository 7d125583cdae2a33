// One table per text: English, Dutch, German, French, Spanish, Italian, Danish, Swedish.
#include "routes/RouteManagerTexts.h"

namespace RouteManagerText {
const TLanguageStrings Caption = {
    "Route Manager",
    /*nl*/ "Routebeheer",
    /*de*/ "Routenverwaltung",
    /*fr*/ "Gestionnaire d'itin\u00E9raires",
    /*es*/ "Gestor de rutas",
    /*it*/ "Gestione rotte",
    /*da*/ "Ruteadministration",
    /*sv*/ "Rutthanterare"};
const TLanguageStrings Information = {
    "Check the routes that you want to show on the charts",
    /*nl*/ "Vink de routes aan die u op de kaarten wilt tonen",
    /*de*/ "Markieren Sie die Routen, die auf den Karten angezeigt werden sollen",
    /*fr*/ "Cochez les itin\u00E9raires \u00E0 afficher sur les cartes",
    /*es*/ "Marque las rutas que desea mostrar en las cartas",
    /*it*/ "Selezionare le rotte da mostrare sulle carte",
    /*da*/ "Mark\u00E9r de ruter, der skal vises p\u00E5 s\u00F8kortene",
    /*sv*/ "Markera de rutter som ska visas p\u00E5 sj\u00F6korten"};
const TLanguageStrings Close = {
    "Close",
    /*nl*/ "Sluiten",
    /*de*/ "Schlie\u00DFen",
    /*fr*/ "Fermer",
    /*es*/ "Cerrar",
    /*it*/ "Chiudi",
    /*da*/ "Luk",
    /*sv*/ "St\u00E4ng"};
const TLanguageStrings Copy = {
    "Copy (reverse)",
    /*nl*/ "Kopi\u00EBren (omkeren)",
    /*de*/ "Kopieren (umkehren)",
    /*fr*/ "Copier (inverser)",
    /*es*/ "Copiar (invertir)",
    /*it*/ "Copia (inverti)",
    /*da*/ "Kopi\u00E9r (vend)",
    /*sv*/ "Kopiera (v\u00E4nd)"};
const TLanguageStrings Delete = {
    "Delete",
    /*nl*/ "Verwijderen",
    /*de*/ "L\u00F6schen",
    /*fr*/ "Supprimer",
    /*es*/ "Eliminar",
    /*it*/ "Elimina",
    /*da*/ "Slet",
    /*sv*/ "Ta bort"};
const TLanguageStrings Find = {
    "Find",
    /*nl*/ "Zoeken",
    /*de*/ "Suchen",
    /*fr*/ "Trouver",
    /*es*/ "Buscar",
    /*it*/ "Trova",
    /*da*/ "Find",
    /*sv*/ "S\u00F6k"};
const TLanguageStrings InGroup = {
    "In group...",
    /*nl*/ "In groep...",
    /*de*/ "In Gruppe...",
    /*fr*/ "Dans le groupe...",
    /*es*/ "En grupo...",
    /*it*/ "Nel gruppo...",
    /*da*/ "I gruppe...",
    /*sv*/ "I grupp..."};
const TLanguageStrings Select = {
    "Select",
    /*nl*/ "Selecteren",
    /*de*/ "Ausw\u00E4hlen",
    /*fr*/ "S\u00E9lectionner",
    /*es*/ "Seleccionar",
    /*it*/ "Seleziona",
    /*da*/ "V\u00E6lg",
    /*sv*/ "V\u00E4lj"};
const TLanguageStrings Deselect = {
    "Deselect",
    /*nl*/ "Deselecteren",
    /*de*/ "Abw\u00E4hlen",
    /*fr*/ "D\u00E9s\u00E9lectionner",
    /*es*/ "Deseleccionar",
    /*it*/ "Deseleziona",
    /*da*/ "Frav\u00E6lg",
    /*sv*/ "Avmarkera"};
const TLanguageStrings Start = {
    "Start",
    /*nl*/ "Starten",
    /*de*/ "Starten",
    /*fr*/ "D\u00E9marrer",
    /*es*/ "Iniciar",
    /*it*/ "Avvia",
    /*da*/ "Start",
    /*sv*/ "Starta"};
const TLanguageStrings Stop = {
    "Stop",
    /*nl*/ "Stoppen",
    /*de*/ "Stoppen",
    /*fr*/ "Arr\u00EAter",
    /*es*/ "Detener",
    /*it*/ "Ferma",
    /*da*/ "Stop",
    /*sv*/ "Stoppa"};
const TLanguageStrings CopyRoute = {
    "Create copy from route",
    /*nl*/ "Kopie van route maken",
    /*de*/ "Kopie der Route erstellen",
    /*fr*/ "Cr\u00E9er une copie de l'itin\u00E9raire",
    /*es*/ "Crear copia de la ruta",
    /*it*/ "Crea copia della rotta",
    /*da*/ "Opret kopi af rute",
    /*sv*/ "Skapa kopia av rutt"};
const TLanguageStrings CopyReversed = {
    "Create reversed copy from route",
    /*nl*/ "Omgekeerde kopie van route maken",
    /*de*/ "Umgekehrte Kopie der Route erstellen",
    /*fr*/ "Cr\u00E9er une copie invers\u00E9e de l'itin\u00E9raire",
    /*es*/ "Crear copia invertida de la ruta",
    /*it*/ "Crea copia invertita della rotta",
    /*da*/ "Opret omvendt kopi af rute",
    /*sv*/ "Skapa omv\u00E4nd kopia av rutt"};
const TLanguageStrings ColVisible = {
    "Visible",
    /*nl*/ "Zichtbaar",
    /*de*/ "Sichtbar",
    /*fr*/ "Visible",
    /*es*/ "Visible",
    /*it*/ "Visibile",
    /*da*/ "Synlig",
    /*sv*/ "Synlig"};
const TLanguageStrings ColName = {
    "Name",
    /*nl*/ "Naam",
    /*de*/ "Name",
    /*fr*/ "Nom",
    /*es*/ "Nombre",
    /*it*/ "Nome",
    /*da*/ "Navn",
    /*sv*/ "Namn"};
const TLanguageStrings ColStart = {
    "Start time",
    /*nl*/ "Starttijd",
    /*de*/ "Startzeit",
    /*fr*/ "Heure de d\u00E9part",
    /*es*/ "Hora de salida",
    /*it*/ "Ora di partenza",
    /*da*/ "Starttidspunkt",
    /*sv*/ "Starttid"};
const TLanguageStrings ColLength = {
    "Length",
    /*nl*/ "Lengte",
    /*de*/ "L\u00E4nge",
    /*fr*/ "Longueur",
    /*es*/ "Longitud",
    /*it*/ "Lunghezza",
    /*da*/ "L\u00E6ngde",
    /*sv*/ "L\u00E4ngd"};
const TLanguageStrings ColDuration = {
    "Duration",
    /*nl*/ "Duur",
    /*de*/ "Dauer",
    /*fr*/ "Dur\u00E9e",
    /*es*/ "Duraci\u00F3n",
    /*it*/ "Durata",
    /*da*/ "Varighed",
    /*sv*/ "Varaktighet"};
const TLanguageStrings ColPoints = {
    "Points",
    /*nl*/ "Punten",
    /*de*/ "Punkte",
    /*fr*/ "Points",
    /*es*/ "Puntos",
    /*it*/ "Punti",
    /*da*/ "Punkter",
    /*sv*/ "Punkter"};
const TLanguageStrings UserDatabase = {
    "User database",
    /*nl*/ "Gebruikersdatabase",
    /*de*/ "Benutzerdatenbank",
    /*fr*/ "Base de donn\u00E9es utilisateur",
    /*es*/ "Base de datos del usuario",
    /*it*/ "Database utente",
    /*da*/ "Brugerdatabase",
    /*sv*/ "Anv\u00E4ndardatabas"};
const TLanguageStrings Ungrouped = {
    "Ungrouped",
    /*nl*/ "Niet gegroepeerd",
    /*de*/ "Ohne Gruppe",
    /*fr*/ "Non group\u00E9s",
    /*es*/ "Sin grupo",
    /*it*/ "Senza gruppo",
    /*da*/ "Ikke grupperet",
    /*sv*/ "Ogrupperade"};
const TLanguageStrings NoRoutes = {
    "No routes present in this database",
    /*nl*/ "Geen routes aanwezig in deze database",
    /*de*/ "Keine Routen in dieser Datenbank vorhanden",
    /*fr*/ "Aucun itin\u00E9raire dans cette base de donn\u00E9es",
    /*es*/ "No hay rutas en esta base de datos",
    /*it*/ "Nessuna rotta presente in questo database",
    /*da*/ "Ingen ruter i denne database",
    /*sv*/ "Inga rutter i denna databas"};
const TLanguageStrings SuffixDay = {
    "d",
    /*nl*/ "d",
    /*de*/ "T",
    /*fr*/ "j",
    /*es*/ "d",
    /*it*/ "g",
    /*da*/ "d",
    /*sv*/ "d"};
const TLanguageStrings SuffixHour = {
    "h",
    /*nl*/ "u",
    /*de*/ "Std",
    /*fr*/ "h",
    /*es*/ "h",
    /*it*/ "h",
    /*da*/ "t",
    /*sv*/ "h"};
const TLanguageStrings SuffixMinute = {
    "min",
    /*nl*/ "min",
    /*de*/ "Min",
    /*fr*/ "min",
    /*es*/ "min",
    /*it*/ "min",
    /*da*/ "min",
    /*sv*/ "min"};
const TLanguageStrings SuffixSecond = {
    "s",
    /*nl*/ "s",
    /*de*/ "s",
    /*fr*/ "s",
    /*es*/ "s",
    /*it*/ "s",
    /*da*/ "s",
    /*sv*/ "s"};
const TLanguageStrings CopySuffix = {
    "(copy)",
    /*nl*/ "(kopie)",
    /*de*/ "(Kopie)",
    /*fr*/ "(copie)",
    /*es*/ "(copia)",
    /*it*/ "(copia)",
    /*da*/ "(kopi)",
    /*sv*/ "(kopia)"};
const TLanguageStrings ReversedCopySuffix = {
    "(reversed copy)",
    /*nl*/ "(omgekeerde kopie)",
    /*de*/ "(umgekehrte Kopie)",
    /*fr*/ "(copie invers\u00E9e)",
    /*es*/ "(copia invertida)",
    /*it*/ "(copia invertita)",
    /*da*/ "(omvendt kopi)",
    /*sv*/ "(omv\u00E4nd kopia)"};
const TLanguageStrings GroupReadOnly = {
    "Not all selected routes could be put in a different group, because the selection contained 'read-only' routes.",
    /*nl*/ "Niet alle geselecteerde routes konden in een andere groep worden geplaatst, omdat de selectie 'alleen-lezen' routes bevatte.",
    /*de*/ "Nicht alle ausgew\u00E4hlten Routen konnten einer anderen Gruppe zugeordnet werden, da die Auswahl schreibgesch\u00FCtzte Routen enthielt.",
    /*fr*/ "Tous les itin\u00E9raires s\u00E9lectionn\u00E9s n'ont pas pu \u00EAtre plac\u00E9s dans un autre groupe, car la s\u00E9lection contenait des itin\u00E9raires en \u00AB lecture seule \u00BB.",
    /*es*/ "No todas las rutas seleccionadas pudieron ponerse en otro grupo, porque la selecci\u00F3n conten\u00EDa rutas de 'solo lectura'.",
    /*it*/ "Non tutte le rotte selezionate sono state spostate in un altro gruppo, perch\u00E9 la selezione conteneva rotte di 'sola lettura'.",
    /*da*/ "Ikke alle valgte ruter kunne flyttes til en anden gruppe, fordi markeringen indeholdt 'skrivebeskyttede' ruter.",
    /*sv*/ "Alla markerade rutter kunde inte flyttas till en annan grupp, eftersom markeringen inneh\u00F6ll 'skrivskyddade' rutter."};
const TLanguageStrings GroupFailed = {
    "Not all selected routes could be put in a different group (%s).",
    /*nl*/ "Niet alle geselecteerde routes konden in een andere groep worden geplaatst (%s).",
    /*de*/ "Nicht alle ausgew\u00E4hlten Routen konnten einer anderen Gruppe zugeordnet werden (%s).",
    /*fr*/ "Tous les itin\u00E9raires s\u00E9lectionn\u00E9s n'ont pas pu \u00EAtre plac\u00E9s dans un autre groupe (%s).",
    /*es*/ "No todas las rutas seleccionadas pudieron ponerse en otro grupo (%s).",
    /*it*/ "Non tutte le rotte selezionate sono state spostate in un altro gruppo (%s).",
    /*da*/ "Ikke alle valgte ruter kunne flyttes til en anden gruppe (%s).",
    /*sv*/ "Alla markerade rutter kunde inte flyttas till en annan grupp (%s)."};
const TLanguageStrings DeleteReadOnly = {
    "Not all selected routes could be deleted, because the selection contained 'read-only' routes.",
    /*nl*/ "Niet alle geselecteerde routes konden worden verwijderd, omdat de selectie 'alleen-lezen' routes bevatte.",
    /*de*/ "Nicht alle ausgew\u00E4hlten Routen konnten gel\u00F6scht werden, da die Auswahl schreibgesch\u00FCtzte Routen enthielt.",
    /*fr*/ "Tous les itin\u00E9raires s\u00E9lectionn\u00E9s n'ont pas pu \u00EAtre supprim\u00E9s, car la s\u00E9lection contenait des itin\u00E9raires en \u00AB lecture seule \u00BB.",
    /*es*/ "No todas las rutas seleccionadas pudieron eliminarse, porque la selecci\u00F3n conten\u00EDa rutas de 'solo lectura'.",
    /*it*/ "Non tutte le rotte selezionate sono state eliminate, perch\u00E9 la selezione conteneva rotte di 'sola lettura'.",
    /*da*/ "Ikke alle valgte ruter kunne slettes, fordi markeringen indeholdt 'skrivebeskyttede' ruter.",
    /*sv*/ "Alla markerade rutter kunde inte tas bort, eftersom markeringen inneh\u00F6ll 'skrivskyddade' rutter."};
const TLanguageStrings ActiveInvisible = {
    "The route you are navigating on (current route) cannot be made invisible.",
    /*nl*/ "De route waarop u navigeert (huidige route) kan niet onzichtbaar worden gemaakt.",
    /*de*/ "Die Route, auf der Sie navigieren (aktuelle Route), kann nicht ausgeblendet werden.",
    /*fr*/ "L'itin\u00E9raire sur lequel vous naviguez (itin\u00E9raire actuel) ne peut pas \u00EAtre masqu\u00E9.",
    /*es*/ "La ruta por la que navega (ruta actual) no puede hacerse invisible.",
    /*it*/ "La rotta che si sta seguendo (rotta attuale) non pu\u00F2 essere resa invisibile.",
    /*da*/ "Ruten, du navigerer efter (aktuel rute), kan ikke g\u00F8res usynlig.",
    /*sv*/ "Rutten du navigerar efter (aktuell rutt) kan inte g\u00F6ras osynlig."};
const TLanguageStrings EditedInvisible = {
    "The route you are currently editing cannot be made invisible.",
    /*nl*/ "De route die u momenteel bewerkt kan niet onzichtbaar worden gemaakt.",
    /*de*/ "Die Route, die Sie gerade bearbeiten, kann nicht ausgeblendet werden.",
    /*fr*/ "L'itin\u00E9raire que vous modifiez ne peut pas \u00EAtre masqu\u00E9.",
    /*es*/ "La ruta que est\u00E1 editando no puede hacerse invisible.",
    /*it*/ "La rotta in modifica non pu\u00F2 essere resa invisibile.",
    /*da*/ "Ruten, du redigerer, kan ikke g\u00F8res usynlig.",
    /*sv*/ "Rutten du redigerar kan inte g\u00F6ras osynlig."};
const TLanguageStrings DeleteCaption = {
    "Delete routes",
    /*nl*/ "Routes verwijderen",
    /*de*/ "Routen l\u00F6schen",
    /*fr*/ "Supprimer des itin\u00E9raires",
    /*es*/ "Eliminar rutas",
    /*it*/ "Elimina rotte",
    /*da*/ "Slet ruter",
    /*sv*/ "Ta bort rutter"};
const TLanguageStrings DeleteMessage = {
    "You have selected the following routes which are about to be deleted.",
    /*nl*/ "U hebt de volgende routes geselecteerd die zullen worden verwijderd.",
    /*de*/ "Sie haben die folgenden Routen zum L\u00F6schen ausgew\u00E4hlt.",
    /*fr*/ "Vous avez s\u00E9lectionn\u00E9 les itin\u00E9raires suivants, qui vont \u00EAtre supprim\u00E9s.",
    /*es*/ "Ha seleccionado las siguientes rutas, que se van a eliminar.",
    /*it*/ "Sono state selezionate le seguenti rotte, che stanno per essere eliminate.",
    /*da*/ "Du har valgt f\u00F8lgende ruter, som vil blive slettet.",
    /*sv*/ "Du har markerat f\u00F6ljande rutter som kommer att tas bort."};
const TLanguageStrings DeleteColumn = {
    "Routes",
    /*nl*/ "Routes",
    /*de*/ "Routen",
    /*fr*/ "Itin\u00E9raires",
    /*es*/ "Rutas",
    /*it*/ "Rotte",
    /*da*/ "Ruter",
    /*sv*/ "Rutter"};
const TLanguageStrings DeleteQuestion = {
    "Are you sure you wish to delete the selected routes ?",
    /*nl*/ "Weet u zeker dat u de geselecteerde routes wilt verwijderen ?",
    /*de*/ "M\u00F6chten Sie die ausgew\u00E4hlten Routen wirklich l\u00F6schen ?",
    /*fr*/ "Voulez-vous vraiment supprimer les itin\u00E9raires s\u00E9lectionn\u00E9s ?",
    /*es*/ "\u00BFSeguro que desea eliminar las rutas seleccionadas ?",
    /*it*/ "Eliminare davvero le rotte selezionate ?",
    /*da*/ "Er du sikker p\u00E5, at du vil slette de valgte ruter ?",
    /*sv*/ "Vill du verkligen ta bort de markerade rutterna ?"};
const TLanguageStrings GroupCaption = {
    "Choose group",
    /*nl*/ "Groep kiezen",
    /*de*/ "Gruppe w\u00E4hlen",
    /*fr*/ "Choisir le groupe",
    /*es*/ "Elegir grupo",
    /*it*/ "Scegli gruppo",
    /*da*/ "V\u00E6lg gruppe",
    /*sv*/ "V\u00E4lj grupp"};
const TLanguageStrings GroupLabel = {
    "Group",
    /*nl*/ "Groep",
    /*de*/ "Gruppe",
    /*fr*/ "Groupe",
    /*es*/ "Grupo",
    /*it*/ "Gruppo",
    /*da*/ "Gruppe",
    /*sv*/ "Grupp"};
const TLanguageStrings UngroupedItem = {
    "<Ungrouped>",
    /*nl*/ "<Niet gegroepeerd>",
    /*de*/ "<Ohne Gruppe>",
    /*fr*/ "<Non group\u00E9s>",
    /*es*/ "<Sin grupo>",
    /*it*/ "<Senza gruppo>",
    /*da*/ "<Ikke grupperet>",
    /*sv*/ "<Ogrupperade>"};
}  // namespace RouteManagerText

QString RouteManagerColumnTitle(int column) {
    using namespace RouteManagerText;
    static const TLanguageStrings *titles[] = {&ColVisible, &ColName, &ColStart, &ColLength, &ColDuration, &ColPoints};
    return column >= 0 && column < 6 ? LanguageText(*titles[column]) : QString();
}
