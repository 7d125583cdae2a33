// One table per text: English, Dutch, German, French, Spanish, Italian, Danish, Swedish.
#include "routes/WaypointTypeTexts.h"

namespace WaypointTypeText {
const TLanguageStrings Caption = {
    "Waypoint type properties",
    /*nl*/ "Eigenschappen waypointtype",
    /*de*/ "Eigenschaften des Wegpunkttyps",
    /*fr*/ "Propri\u00E9t\u00E9s du type de waypoint",
    /*es*/ "Propiedades del tipo de waypoint",
    /*it*/ "Propriet\u00E0 del tipo di waypoint",
    /*da*/ "Egenskaber for waypointtype",
    /*sv*/ "Egenskaper f\u00F6r waypointtyp"};
const TLanguageStrings TypesSelected = {
    "waypoint types selected",
    /*nl*/ "waypointtypen geselecteerd",
    /*de*/ "Wegpunkttypen ausgew\u00E4hlt",
    /*fr*/ "types de waypoint s\u00E9lectionn\u00E9s",
    /*es*/ "tipos de waypoint seleccionados",
    /*it*/ "tipi di waypoint selezionati",
    /*da*/ "waypointtyper valgt",
    /*sv*/ "waypointtyper markerade"};
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
const TLanguageStrings Icon = {
    "Icon",
    /*nl*/ "Pictogram",
    /*de*/ "Symbol",
    /*fr*/ "Ic\u00F4ne",
    /*es*/ "Icono",
    /*it*/ "Icona",
    /*da*/ "Ikon",
    /*sv*/ "Ikon"};
const TLanguageStrings Origin = {
    "Origin",
    /*nl*/ "Oorsprong",
    /*de*/ "Ursprung",
    /*fr*/ "Origine",
    /*es*/ "Origen",
    /*it*/ "Origine",
    /*da*/ "Udgangspunkt",
    /*sv*/ "Origo"};
const TLanguageStrings OpenIcon = {
    "Open icon...",
    /*nl*/ "Pictogram openen...",
    /*de*/ "Symbol \u00F6ffnen...",
    /*fr*/ "Ouvrir une ic\u00F4ne...",
    /*es*/ "Abrir icono...",
    /*it*/ "Apri icona...",
    /*da*/ "\u00C5bn ikon...",
    /*sv*/ "\u00D6ppna ikon..."};
const TLanguageStrings FlipH = {
    "Flip horizontally",
    /*nl*/ "Horizontaal spiegelen",
    /*de*/ "Horizontal spiegeln",
    /*fr*/ "Retourner horizontalement",
    /*es*/ "Voltear horizontalmente",
    /*it*/ "Capovolgi orizzontalmente",
    /*da*/ "Vend vandret",
    /*sv*/ "V\u00E4nd v\u00E5gr\u00E4tt"};
const TLanguageStrings FlipV = {
    "Flip vertically",
    /*nl*/ "Verticaal spiegelen",
    /*de*/ "Vertikal spiegeln",
    /*fr*/ "Retourner verticalement",
    /*es*/ "Voltear verticalmente",
    /*it*/ "Capovolgi verticalmente",
    /*da*/ "Vend lodret",
    /*sv*/ "V\u00E4nd lodr\u00E4tt"};
const TLanguageStrings TransparentColor = {
    "Transparent color...",
    /*nl*/ "Transparante kleur...",
    /*de*/ "Transparente Farbe...",
    /*fr*/ "Couleur transparente...",
    /*es*/ "Color transparente...",
    /*it*/ "Colore trasparente...",
    /*da*/ "Gennemsigtig farve...",
    /*sv*/ "Genomskinlig f\u00E4rg..."};
const TLanguageStrings Reset = {
    "reset",
    /*nl*/ "herstellen",
    /*de*/ "zur\u00FCcksetzen",
    /*fr*/ "r\u00E9initialiser",
    /*es*/ "restablecer",
    /*it*/ "ripristina",
    /*da*/ "nulstil",
    /*sv*/ "\u00E5terst\u00E4ll"};
const TLanguageStrings Overlay = {
    "Overlay",
    /*nl*/ "Overlay",
    /*de*/ "\u00DCberlagerung",
    /*fr*/ "Superposition",
    /*es*/ "Superposici\u00F3n",
    /*it*/ "Sovrapposizione",
    /*da*/ "Overlay",
    /*sv*/ "\u00D6verl\u00E4gg"};
const TLanguageStrings DrawOverlay = {
    "draw overlay",
    /*nl*/ "overlay tekenen",
    /*de*/ "\u00DCberlagerung zeichnen",
    /*fr*/ "dessiner la superposition",
    /*es*/ "dibujar superposici\u00F3n",
    /*it*/ "disegna sovrapposizione",
    /*da*/ "tegn overlay",
    /*sv*/ "rita \u00F6verl\u00E4gg"};
const TLanguageStrings OpenOverlay = {
    "Open overlay...",
    /*nl*/ "Overlay openen...",
    /*de*/ "\u00DCberlagerung \u00F6ffnen...",
    /*fr*/ "Ouvrir une superposition...",
    /*es*/ "Abrir superposici\u00F3n...",
    /*it*/ "Apri sovrapposizione...",
    /*da*/ "\u00C5bn overlay...",
    /*sv*/ "\u00D6ppna \u00F6verl\u00E4gg..."};
const TLanguageStrings Text = {
    "Text",
    /*nl*/ "Tekst",
    /*de*/ "Text",
    /*fr*/ "Texte",
    /*es*/ "Texto",
    /*it*/ "Testo",
    /*da*/ "Tekst",
    /*sv*/ "Text"};
const TLanguageStrings MainText = {
    "Main text",
    /*nl*/ "Hoofdtekst",
    /*de*/ "Haupttext",
    /*fr*/ "Texte principal",
    /*es*/ "Texto principal",
    /*it*/ "Testo principale",
    /*da*/ "Hovedtekst",
    /*sv*/ "Huvudtext"};
const TLanguageStrings SubText = {
    "Sub text",
    /*nl*/ "Subtekst",
    /*de*/ "Untertext",
    /*fr*/ "Sous-texte",
    /*es*/ "Subtexto",
    /*it*/ "Sottotesto",
    /*da*/ "Undertekst",
    /*sv*/ "Undertext"};
const TLanguageStrings LightChar = {
    "Light character",
    /*nl*/ "Lichtkarakter",
    /*de*/ "Kennung",
    /*fr*/ "Caract\u00E9ristique du feu",
    /*es*/ "Caracter\u00EDstica de la luz",
    /*it*/ "Caratteristica del faro",
    /*da*/ "Fyrkarakter",
    /*sv*/ "Fyrkarakt\u00E4r"};
const TLanguageStrings Sample = {
    "Sample",
    /*nl*/ "Voorbeeld",
    /*de*/ "Beispiel",
    /*fr*/ "Exemple",
    /*es*/ "Ejemplo",
    /*it*/ "Esempio",
    /*da*/ "Eksempel",
    /*sv*/ "Exempel"};
const TLanguageStrings Edit = {
    "Edit...",
    /*nl*/ "Wijzigen...",
    /*de*/ "Bearbeiten...",
    /*fr*/ "Modifier...",
    /*es*/ "Editar...",
    /*it*/ "Modifica...",
    /*da*/ "Rediger...",
    /*sv*/ "Redigera..."};
const TLanguageStrings FontCaption = {
    "Font properties",
    /*nl*/ "Eigenschappen lettertype",
    /*de*/ "Schrifteigenschaften",
    /*fr*/ "Propri\u00E9t\u00E9s de la police",
    /*es*/ "Propiedades de la fuente",
    /*it*/ "Propriet\u00E0 del carattere",
    /*da*/ "Skrifttypeegenskaber",
    /*sv*/ "Teckensnittsegenskaper"};
const TLanguageStrings Size = {
    "Size",
    /*nl*/ "Grootte",
    /*de*/ "Gr\u00F6\u00DFe",
    /*fr*/ "Taille",
    /*es*/ "Tama\u00F1o",
    /*it*/ "Dimensione",
    /*da*/ "St\u00F8rrelse",
    /*sv*/ "Storlek"};
const TLanguageStrings Color = {
    "Color",
    /*nl*/ "Kleur",
    /*de*/ "Farbe",
    /*fr*/ "Couleur",
    /*es*/ "Color",
    /*it*/ "Colore",
    /*da*/ "Farve",
    /*sv*/ "F\u00E4rg"};
const TLanguageStrings PickColor = {
    "Pick color...",
    /*nl*/ "Kleur kiezen...",
    /*de*/ "Farbe w\u00E4hlen...",
    /*fr*/ "Choisir une couleur...",
    /*es*/ "Elegir color...",
    /*it*/ "Scegli colore...",
    /*da*/ "V\u00E6lg farve...",
    /*sv*/ "V\u00E4lj f\u00E4rg..."};
const TLanguageStrings Style = {
    "Style",
    /*nl*/ "Stijl",
    /*de*/ "Stil",
    /*fr*/ "Style",
    /*es*/ "Estilo",
    /*it*/ "Stile",
    /*da*/ "Stil",
    /*sv*/ "Stil"};
const TLanguageStrings Bold = {
    "Bold",
    /*nl*/ "Vet",
    /*de*/ "Fett",
    /*fr*/ "Gras",
    /*es*/ "Negrita",
    /*it*/ "Grassetto",
    /*da*/ "Fed",
    /*sv*/ "Fet"};
const TLanguageStrings Italic = {
    "Italic",
    /*nl*/ "Cursief",
    /*de*/ "Kursiv",
    /*fr*/ "Italique",
    /*es*/ "Cursiva",
    /*it*/ "Corsivo",
    /*da*/ "Kursiv",
    /*sv*/ "Kursiv"};
const TLanguageStrings Underline = {
    "Underline",
    /*nl*/ "Onderstreept",
    /*de*/ "Unterstrichen",
    /*fr*/ "Soulign\u00E9",
    /*es*/ "Subrayado",
    /*it*/ "Sottolineato",
    /*da*/ "Understreget",
    /*sv*/ "Understruken"};
const TLanguageStrings TransparentCaption = {
    "Transparent properties",
    /*nl*/ "Eigenschappen transparantie",
    /*de*/ "Transparenzeigenschaften",
    /*fr*/ "Propri\u00E9t\u00E9s de transparence",
    /*es*/ "Propiedades de transparencia",
    /*it*/ "Propriet\u00E0 di trasparenza",
    /*da*/ "Gennemsigtighedsegenskaber",
    /*sv*/ "Genomskinlighetsegenskaper"};
const TLanguageStrings TransparentHint = {
    "Click on the image to pick the transparent color.",
    /*nl*/ "Klik op de afbeelding om de transparante kleur te kiezen.",
    /*de*/ "Klicken Sie auf das Bild, um die transparente Farbe zu w\u00E4hlen.",
    /*fr*/ "Cliquez sur l'image pour choisir la couleur transparente.",
    /*es*/ "Haga clic en la imagen para elegir el color transparente.",
    /*it*/ "Fare clic sull'immagine per scegliere il colore trasparente.",
    /*da*/ "Klik p\u00E5 billedet for at v\u00E6lge den gennemsigtige farve.",
    /*sv*/ "Klicka p\u00E5 bilden f\u00F6r att v\u00E4lja den genomskinliga f\u00E4rgen."};
const TLanguageStrings UseTransparent = {
    "Use transparent color",
    /*nl*/ "Transparante kleur gebruiken",
    /*de*/ "Transparente Farbe verwenden",
    /*fr*/ "Utiliser une couleur transparente",
    /*es*/ "Usar color transparente",
    /*it*/ "Usa colore trasparente",
    /*da*/ "Brug gennemsigtig farve",
    /*sv*/ "Anv\u00E4nd genomskinlig f\u00E4rg"};
const TLanguageStrings BrowserCaption = {
    "Image browser",
    /*nl*/ "Afbeeldingen bladeren",
    /*de*/ "Bildbrowser",
    /*fr*/ "Navigateur d'images",
    /*es*/ "Explorador de im\u00E1genes",
    /*it*/ "Sfoglia immagini",
    /*da*/ "Billedbrowser",
    /*sv*/ "Bildbl\u00E4ddrare"};
const TLanguageStrings DefaultFolder = {
    "Default folder",
    /*nl*/ "Standaardmap",
    /*de*/ "Standardordner",
    /*fr*/ "Dossier par d\u00E9faut",
    /*es*/ "Carpeta predeterminada",
    /*it*/ "Cartella predefinita",
    /*da*/ "Standardmappe",
    /*sv*/ "Standardmapp"};
const TLanguageStrings Images = {
    "Images",
    /*nl*/ "Afbeeldingen",
    /*de*/ "Bilder",
    /*fr*/ "Images",
    /*es*/ "Im\u00E1genes",
    /*it*/ "Immagini",
    /*da*/ "Billeder",
    /*sv*/ "Bilder"};
const TLanguageStrings ImageCount = {
    "Image(s)",
    /*nl*/ "Afbeelding(en)",
    /*de*/ "Bild(er)",
    /*fr*/ "Image(s)",
    /*es*/ "Imagen(es)",
    /*it*/ "Immagine/i",
    /*da*/ "Billede(r)",
    /*sv*/ "Bild(er)"};
const TLanguageStrings Pixels = {
    "pixels",
    /*nl*/ "pixels",
    /*de*/ "Pixel",
    /*fr*/ "pixels",
    /*es*/ "p\u00EDxeles",
    /*it*/ "pixel",
    /*da*/ "pixels",
    /*sv*/ "pixlar"};
const TLanguageStrings Bits = {
    "bits",
    /*nl*/ "bits",
    /*de*/ "Bit",
    /*fr*/ "bits",
    /*es*/ "bits",
    /*it*/ "bit",
    /*da*/ "bits",
    /*sv*/ "bitar"};
const TLanguageStrings OpenFailed = {
    "Cannot open file \"%1\", reason: %2",
    /*nl*/ "Kan bestand \"%1\" niet openen, reden: %2",
    /*de*/ "Datei \"%1\" kann nicht ge\u00F6ffnet werden, Grund: %2",
    /*fr*/ "Impossible d'ouvrir le fichier \"%1\", raison : %2",
    /*es*/ "No se puede abrir el archivo \"%1\", motivo: %2",
    /*it*/ "Impossibile aprire il file \"%1\", motivo: %2",
    /*da*/ "Kan ikke \u00E5bne filen \"%1\", \u00E5rsag: %2",
    /*sv*/ "Kan inte \u00F6ppna filen \"%1\", orsak: %2"};
const TLanguageStrings TooLarge = {
    "the image is larger than %1 \u00D7 %1 pixels",
    /*nl*/ "de afbeelding is groter dan %1 \u00D7 %1 pixels",
    /*de*/ "das Bild ist gr\u00F6\u00DFer als %1 \u00D7 %1 Pixel",
    /*fr*/ "l'image d\u00E9passe %1 \u00D7 %1 pixels",
    /*es*/ "la imagen supera %1 \u00D7 %1 p\u00EDxeles",
    /*it*/ "l'immagine supera %1 \u00D7 %1 pixel",
    /*da*/ "billedet er st\u00F8rre end %1 \u00D7 %1 pixels",
    /*sv*/ "bilden \u00E4r st\u00F6rre \u00E4n %1 \u00D7 %1 pixlar"};
const TLanguageStrings NameFailed = {
    "Cannot set the name of the waypoint type to %1 (%2)",
    /*nl*/ "Kan de naam van het waypointtype niet op %1 zetten (%2)",
    /*de*/ "Der Name des Wegpunkttyps kann nicht auf %1 gesetzt werden (%2)",
    /*fr*/ "Impossible de nommer le type de waypoint %1 (%2)",
    /*es*/ "No se puede poner el nombre del tipo de waypoint a %1 (%2)",
    /*it*/ "Impossibile impostare il nome del tipo di waypoint a %1 (%2)",
    /*da*/ "Kan ikke s\u00E6tte navnet p\u00E5 waypointtypen til %1 (%2)",
    /*sv*/ "Kan inte ge waypointtypen namnet %1 (%2)"};
const TLanguageStrings IconsFailed = {
    "Cannot assign the icons to the waypoint type (%1)",
    /*nl*/ "Kan de pictogrammen niet aan het waypointtype toewijzen (%1)",
    /*de*/ "Die Symbole k\u00F6nnen dem Wegpunkttyp nicht zugewiesen werden (%1)",
    /*fr*/ "Impossible d'attribuer les ic\u00F4nes au type de waypoint (%1)",
    /*es*/ "No se pueden asignar los iconos al tipo de waypoint (%1)",
    /*it*/ "Impossibile assegnare le icone al tipo di waypoint (%1)",
    /*da*/ "Kan ikke tildele ikonerne til waypointtypen (%1)",
    /*sv*/ "Kan inte tilldela ikonerna till waypointtypen (%1)"};
const TLanguageStrings FontFailed = {
    "Cannot change (some of) the font properties of the waypoint type (%1)",
    /*nl*/ "Kan (sommige) lettertype-eigenschappen van het waypointtype niet wijzigen (%1)",
    /*de*/ "(Einige) Schrifteigenschaften des Wegpunkttyps k\u00F6nnen nicht ge\u00E4ndert werden (%1)",
    /*fr*/ "Impossible de modifier (certaines) propri\u00E9t\u00E9s de police du type de waypoint (%1)",
    /*es*/ "No se pueden cambiar (algunas) propiedades de fuente del tipo de waypoint (%1)",
    /*it*/ "Impossibile modificare (alcune) propriet\u00E0 del carattere del tipo di waypoint (%1)",
    /*da*/ "Kan ikke \u00E6ndre (nogle af) skrifttypeegenskaberne for waypointtypen (%1)",
    /*sv*/ "Kan inte \u00E4ndra (n\u00E5gra av) teckensnittsegenskaperna f\u00F6r waypointtypen (%1)"};
const TLanguageStrings CreateFailed = {
    "Cannot create the waypoint type (%1)",
    /*nl*/ "Kan het waypointtype niet maken (%1)",
    /*de*/ "Der Wegpunkttyp kann nicht erstellt werden (%1)",
    /*fr*/ "Impossible de cr\u00E9er le type de waypoint (%1)",
    /*es*/ "No se puede crear el tipo de waypoint (%1)",
    /*it*/ "Impossibile creare il tipo di waypoint (%1)",
    /*da*/ "Kan ikke oprette waypointtypen (%1)",
    /*sv*/ "Kan inte skapa waypointtypen (%1)"};
const TLanguageStrings TypePrefix = {
    "Type",
    /*nl*/ "Type",
    /*de*/ "Typ",
    /*fr*/ "Type",
    /*es*/ "Tipo",
    /*it*/ "Tipo",
    /*da*/ "Type",
    /*sv*/ "Typ"};
}  // namespace WaypointTypeText
