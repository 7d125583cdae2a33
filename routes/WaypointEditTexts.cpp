// One table per text: English, Dutch, German, French, Spanish, Italian, Danish, Swedish.
#include "routes/WaypointEditTexts.h"

namespace WaypointEditText {
const TLanguageStrings Caption = {
    "Waypoint properties",
    /*nl*/ "Eigenschappen waypoint",
    /*de*/ "Wegpunkteigenschaften",
    /*fr*/ "Propri\u00E9t\u00E9s du waypoint",
    /*es*/ "Propiedades del waypoint",
    /*it*/ "Propriet\u00E0 del waypoint",
    /*da*/ "Egenskaber for waypoint",
    /*sv*/ "Egenskaper f\u00F6r waypoint"};
const TLanguageStrings General = {
    "General",
    /*nl*/ "Algemeen",
    /*de*/ "Allgemein",
    /*fr*/ "G\u00E9n\u00E9ral",
    /*es*/ "General",
    /*it*/ "Generale",
    /*da*/ "Generelt",
    /*sv*/ "Allm\u00E4nt"};
const TLanguageStrings Name = {
    "Name",
    /*nl*/ "Naam",
    /*de*/ "Name",
    /*fr*/ "Nom",
    /*es*/ "Nombre",
    /*it*/ "Nome",
    /*da*/ "Navn",
    /*sv*/ "Namn"};
const TLanguageStrings Subtext = {
    "Subtext",
    /*nl*/ "Subtekst",
    /*de*/ "Untertext",
    /*fr*/ "Sous-texte",
    /*es*/ "Subtexto",
    /*it*/ "Sottotesto",
    /*da*/ "Undertekst",
    /*sv*/ "Undertext"};
const TLanguageStrings Link = {
    "Link",
    /*nl*/ "Koppeling",
    /*de*/ "Verkn\u00FCpfung",
    /*fr*/ "Lien",
    /*es*/ "Enlace",
    /*it*/ "Collegamento",
    /*da*/ "Link",
    /*sv*/ "L\u00E4nk"};
const TLanguageStrings Scale = {
    "Scale",
    /*nl*/ "Schaal",
    /*de*/ "Ma\u00DFstab",
    /*fr*/ "\u00C9chelle",
    /*es*/ "Escala",
    /*it*/ "Scala",
    /*da*/ "Skala",
    /*sv*/ "Skala"};
const TLanguageStrings NamePosition = {
    "Name position",
    /*nl*/ "Positie naam",
    /*de*/ "Namensposition",
    /*fr*/ "Position du nom",
    /*es*/ "Posici\u00F3n del nombre",
    /*it*/ "Posizione del nome",
    /*da*/ "Navnets placering",
    /*sv*/ "Namnets placering"};
const TLanguageStrings PickerHint = {
    "click on the image to change the name position",
    /*nl*/ "klik op de afbeelding om de positie van de naam te wijzigen",
    /*de*/ "klicken Sie auf das Bild, um die Namensposition zu \u00E4ndern",
    /*fr*/ "cliquez sur l'image pour changer la position du nom",
    /*es*/ "haga clic en la imagen para cambiar la posici\u00F3n del nombre",
    /*it*/ "fare clic sull'immagine per cambiare la posizione del nome",
    /*da*/ "klik p\u00E5 billedet for at \u00E6ndre navnets placering",
    /*sv*/ "klicka p\u00E5 bilden f\u00F6r att \u00E4ndra namnets placering"};
const TLanguageStrings Position = {
    "Position",
    /*nl*/ "Positie",
    /*de*/ "Position",
    /*fr*/ "Position",
    /*es*/ "Posici\u00F3n",
    /*it*/ "Posizione",
    /*da*/ "Position",
    /*sv*/ "Position"};
const TLanguageStrings Latitude = {
    "Latitude",
    /*nl*/ "Breedte",
    /*de*/ "Breite",
    /*fr*/ "Latitude",
    /*es*/ "Latitud",
    /*it*/ "Latitudine",
    /*da*/ "Bredde",
    /*sv*/ "Latitud"};
const TLanguageStrings Longitude = {
    "Longitude",
    /*nl*/ "Lengte",
    /*de*/ "L\u00E4nge",
    /*fr*/ "Longitude",
    /*es*/ "Longitud",
    /*it*/ "Longitudine",
    /*da*/ "L\u00E6ngde",
    /*sv*/ "Longitud"};
const TLanguageStrings WaypointsSelected = {
    "waypoints selected",
    /*nl*/ "waypoints geselecteerd",
    /*de*/ "Wegpunkte ausgew\u00E4hlt",
    /*fr*/ "waypoints s\u00E9lectionn\u00E9s",
    /*es*/ "waypoints seleccionados",
    /*it*/ "waypoint selezionati",
    /*da*/ "waypoints valgt",
    /*sv*/ "waypoints markerade"};
const TLanguageStrings Differences = {
    "Differences have been found in the selection",
    /*nl*/ "Er zijn verschillen gevonden in de selectie",
    /*de*/ "In der Auswahl wurden Unterschiede gefunden",
    /*fr*/ "Des diff\u00E9rences ont \u00E9t\u00E9 trouv\u00E9es dans la s\u00E9lection",
    /*es*/ "Se han encontrado diferencias en la selecci\u00F3n",
    /*it*/ "Sono state trovate differenze nella selezione",
    /*da*/ "Der er fundet forskelle i markeringen",
    /*sv*/ "Skillnader har hittats i markeringen"};
const TLanguageStrings MoreInformation = {
    "more information...",
    /*nl*/ "meer informatie...",
    /*de*/ "weitere Informationen...",
    /*fr*/ "plus d'informations...",
    /*es*/ "m\u00E1s informaci\u00F3n...",
    /*it*/ "ulteriori informazioni...",
    /*da*/ "flere oplysninger...",
    /*sv*/ "mer information..."};
const TLanguageStrings DifferenceCaption = {
    "Different values",
    /*nl*/ "Verschillende waarden",
    /*de*/ "Unterschiedliche Werte",
    /*fr*/ "Valeurs diff\u00E9rentes",
    /*es*/ "Valores diferentes",
    /*it*/ "Valori diversi",
    /*da*/ "Forskellige v\u00E6rdier",
    /*sv*/ "Olika v\u00E4rden"};
const TLanguageStrings DifferenceText1 = {
    "Waypoint properties with this icon contain different values for the selected waypoints.",
    /*nl*/ "Eigenschappen met dit pictogram bevatten verschillende waarden voor de geselecteerde waypoints.",
    /*de*/ "Wegpunkteigenschaften mit diesem Symbol enthalten unterschiedliche Werte f\u00FCr die ausgew\u00E4hlten Wegpunkte.",
    /*fr*/ "Les propri\u00E9t\u00E9s portant cette ic\u00F4ne contiennent des valeurs diff\u00E9rentes pour les waypoints s\u00E9lectionn\u00E9s.",
    /*es*/ "Las propiedades con este icono contienen valores diferentes para los waypoints seleccionados.",
    /*it*/ "Le propriet\u00E0 con questa icona contengono valori diversi per i waypoint selezionati.",
    /*da*/ "Egenskaber med dette ikon indeholder forskellige v\u00E6rdier for de valgte waypoints.",
    /*sv*/ "Egenskaper med denna ikon inneh\u00E5ller olika v\u00E4rden f\u00F6r de markerade waypoints."};
const TLanguageStrings DifferenceText2 = {
    "When one of these values is changed all different values for all selected waypoint will be overwritten with the new value.",
    /*nl*/ "Wanneer een van deze waarden wordt gewijzigd, worden alle verschillende waarden van alle geselecteerde waypoints overschreven met de nieuwe waarde.",
    /*de*/ "Wenn einer dieser Werte ge\u00E4ndert wird, werden alle unterschiedlichen Werte aller ausgew\u00E4hlten Wegpunkte mit dem neuen Wert \u00FCberschrieben.",
    /*fr*/ "Lorsqu'une de ces valeurs est modifi\u00E9e, toutes les valeurs diff\u00E9rentes de tous les waypoints s\u00E9lectionn\u00E9s sont remplac\u00E9es par la nouvelle valeur.",
    /*es*/ "Cuando se cambia uno de estos valores, todos los valores diferentes de todos los waypoints seleccionados se sobrescriben con el nuevo valor.",
    /*it*/ "Quando uno di questi valori viene modificato, tutti i valori diversi di tutti i waypoint selezionati vengono sovrascritti con il nuovo valore.",
    /*da*/ "N\u00E5r en af disse v\u00E6rdier \u00E6ndres, overskrives alle forskellige v\u00E6rdier for alle valgte waypoints med den nye v\u00E6rdi.",
    /*sv*/ "N\u00E4r ett av dessa v\u00E4rden \u00E4ndras skrivs alla olika v\u00E4rden f\u00F6r alla markerade waypoints \u00F6ver med det nya v\u00E4rdet."};
const TLanguageStrings CloseButton = {
    "&Close",
    /*nl*/ "&Sluiten",
    /*de*/ "&Schlie\u00DFen",
    /*fr*/ "&Fermer",
    /*es*/ "&Cerrar",
    /*it*/ "&Chiudi",
    /*da*/ "&Luk",
    /*sv*/ "&St\u00E4ng"};
const TLanguageStrings SetFailed = {
    "Cannot change the %1 of waypoint \"%2\" (%3).",
    /*nl*/ "Kan de %1 van waypoint \"%2\" niet wijzigen (%3).",
    /*de*/ "%1 des Wegpunkts \"%2\" kann nicht ge\u00E4ndert werden (%3).",
    /*fr*/ "Impossible de modifier %1 du waypoint \"%2\" (%3).",
    /*es*/ "No se puede cambiar %1 del waypoint \"%2\" (%3).",
    /*it*/ "Impossibile modificare %1 del waypoint \"%2\" (%3).",
    /*da*/ "Kan ikke \u00E6ndre %1 for waypoint \"%2\" (%3).",
    /*sv*/ "Kan inte \u00E4ndra %1 f\u00F6r waypoint \"%2\" (%3)."};
const TLanguageStrings PropLatitude = {
    "latitude",
    /*nl*/ "breedte",
    /*de*/ "die Breite",
    /*fr*/ "la latitude",
    /*es*/ "la latitud",
    /*it*/ "la latitudine",
    /*da*/ "bredden",
    /*sv*/ "latituden"};
const TLanguageStrings PropLongitude = {
    "longitude",
    /*nl*/ "lengte",
    /*de*/ "die L\u00E4nge",
    /*fr*/ "la longitude",
    /*es*/ "la longitud",
    /*it*/ "la longitudine",
    /*da*/ "l\u00E6ngden",
    /*sv*/ "longituden"};
const TLanguageStrings PropName = {
    "name",
    /*nl*/ "naam",
    /*de*/ "den Namen",
    /*fr*/ "le nom",
    /*es*/ "el nombre",
    /*it*/ "il nome",
    /*da*/ "navnet",
    /*sv*/ "namnet"};
const TLanguageStrings PropNamePosition = {
    "name position",
    /*nl*/ "positie van de naam",
    /*de*/ "die Namensposition",
    /*fr*/ "la position du nom",
    /*es*/ "la posici\u00F3n del nombre",
    /*it*/ "la posizione del nome",
    /*da*/ "navnets placering",
    /*sv*/ "namnets placering"};
const TLanguageStrings PropSubtext = {
    "subtext",
    /*nl*/ "subtekst",
    /*de*/ "den Untertext",
    /*fr*/ "le sous-texte",
    /*es*/ "el subtexto",
    /*it*/ "il sottotesto",
    /*da*/ "underteksten",
    /*sv*/ "undertexten"};
const TLanguageStrings PropLink = {
    "link",
    /*nl*/ "koppeling",
    /*de*/ "die Verkn\u00FCpfung",
    /*fr*/ "le lien",
    /*es*/ "el enlace",
    /*it*/ "il collegamento",
    /*da*/ "linket",
    /*sv*/ "l\u00E4nken"};
const TLanguageStrings PropScale = {
    "scale",
    /*nl*/ "schaal",
    /*de*/ "den Ma\u00DFstab",
    /*fr*/ "l'\u00E9chelle",
    /*es*/ "la escala",
    /*it*/ "la scala",
    /*da*/ "skalaen",
    /*sv*/ "skalan"};
const TLanguageStrings TypeCaption = {
    "Select waypoint type",
    /*nl*/ "Type waypoint kiezen",
    /*de*/ "Wegpunkttyp ausw\u00E4hlen",
    /*fr*/ "Choisir le type de waypoint",
    /*es*/ "Seleccionar tipo de waypoint",
    /*it*/ "Seleziona tipo di waypoint",
    /*da*/ "V\u00E6lg waypointtype",
    /*sv*/ "V\u00E4lj waypointtyp"};
const TLanguageStrings HideReadOnly = {
    "Hide 'read only' waypoints",
    /*nl*/ "'Alleen-lezen' waypoints verbergen",
    /*de*/ "Schreibgesch\u00FCtzte Wegpunkte ausblenden",
    /*fr*/ "Masquer les waypoints en \u00AB lecture seule \u00BB",
    /*es*/ "Ocultar waypoints de 'solo lectura'",
    /*it*/ "Nascondi waypoint di 'sola lettura'",
    /*da*/ "Skjul 'skrivebeskyttede' waypoints",
    /*sv*/ "D\u00F6lj 'skrivskyddade' waypoints"};
const TLanguageStrings Add = {
    "Add...",
    /*nl*/ "Toevoegen...",
    /*de*/ "Hinzuf\u00FCgen...",
    /*fr*/ "Ajouter...",
    /*es*/ "A\u00F1adir...",
    /*it*/ "Aggiungi...",
    /*da*/ "Tilf\u00F8j...",
    /*sv*/ "L\u00E4gg till..."};
const TLanguageStrings WaypointTypes = {
    "Waypoint types",
    /*nl*/ "Waypointtypen",
    /*de*/ "Wegpunkttypen",
    /*fr*/ "Types de waypoint",
    /*es*/ "Tipos de waypoint",
    /*it*/ "Tipi di waypoint",
    /*da*/ "Waypointtyper",
    /*sv*/ "Waypointtyper"};
const TLanguageStrings UserDatabase = {
    "User database",
    /*nl*/ "Gebruikersdatabase",
    /*de*/ "Benutzerdatenbank",
    /*fr*/ "Base de donn\u00E9es utilisateur",
    /*es*/ "Base de datos del usuario",
    /*it*/ "Database utente",
    /*da*/ "Brugerdatabase",
    /*sv*/ "Anv\u00E4ndardatabas"};
const TLanguageStrings NoTypes = {
    "No waypoint types present in this database",
    /*nl*/ "Geen waypointtypen aanwezig in deze database",
    /*de*/ "Keine Wegpunkttypen in dieser Datenbank vorhanden",
    /*fr*/ "Aucun type de waypoint dans cette base de donn\u00E9es",
    /*es*/ "No hay tipos de waypoint en esta base de datos",
    /*it*/ "Nessun tipo di waypoint presente in questo database",
    /*da*/ "Ingen waypointtyper i denne database",
    /*sv*/ "Inga waypointtyper i denna databas"};
}  // namespace WaypointEditText
