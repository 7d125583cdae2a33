// One table per text: English, Dutch, German, French, Spanish (empty: English is shown),
// Italian, Danish, Swedish. Keep "%1" in every language. The object-update kinds are short
// status-bar tags; names of data sources stay as they are.
#include "shell/MarivoNavEnvServiceTexts.h"

namespace NavEnvText {

const TLanguageStrings TileLoadError = {
    "* TILE LOAD ERROR *", /*nl*/ "* FOUT BIJ LADEN TEGEL *", /*de*/ "* FEHLER BEIM LADEN DER KACHEL *",
    /*fr*/ "* ERREUR DE CHARGEMENT DE LA TUILE *", /*es*/ "",
    /*it*/ "* ERRORE DI CARICAMENTO DEL RIQUADRO *", /*da*/ "* FEJL VED INDL\u00C6SNING AF FLISE *",
    /*sv*/ "* FEL VID INL\u00C4SNING AV RUTA *"};
const TLanguageStrings TileRenderError = {
    "Unable to render tile", /*nl*/ "Tegel kan niet worden getekend",
    /*de*/ "Kachel kann nicht gezeichnet werden", /*fr*/ "Impossible de dessiner la tuile",
    /*es*/ "", /*it*/ "Impossibile disegnare il riquadro", /*da*/ "Flisen kan ikke tegnes",
    /*sv*/ "Rutan kan inte ritas"};
const TLanguageStrings TileNoColor = {
    "(no color available)", /*nl*/ "(geen kleur beschikbaar)", /*de*/ "(keine Farbe verf\u00FCgbar)",
    /*fr*/ "(aucune couleur disponible)", /*es*/ "", /*it*/ "(nessun colore disponibile)",
    /*da*/ "(ingen farve tilg\u00E6ngelig)", /*sv*/ "(ingen f\u00E4rg tillg\u00E4nglig)"};
const TLanguageStrings GPSFound = {
    "GPS found (%1), starting communication...",
    /*nl*/ "GPS gevonden (%1), communicatie wordt gestart...",
    /*de*/ "GPS gefunden (%1), Kommunikation wird gestartet...",
    /*fr*/ "GPS trouv\u00E9 (%1), d\u00E9marrage de la communication...", /*es*/ "",
    /*it*/ "GPS trovato (%1), avvio della comunicazione...",
    /*da*/ "GPS fundet (%1), kommunikation startes...",
    /*sv*/ "GPS hittad (%1), kommunikationen startas..."};

const TLanguageStrings ObjectUpdateKinds[17] = {
    {"", "", "", "", "", "", "", ""},
    {"Berths", /*nl*/ "Ligplaatsen", /*de*/ "Liegepl\u00E4tze", /*fr*/ "Postes", /*es*/ "",
     /*it*/ "Ormeggi", /*da*/ "Pladser", /*sv*/ "Platser"},
    {"Bridges", /*nl*/ "Bruggen", /*de*/ "Br\u00FCcken", /*fr*/ "Ponts", /*es*/ "",
     /*it*/ "Ponti", /*da*/ "Broer", /*sv*/ "Broar"},
    {"Locks", /*nl*/ "Sluizen", /*de*/ "Schleusen", /*fr*/ "\u00C9cluses", /*es*/ "",
     /*it*/ "Chiuse", /*da*/ "Sluser", /*sv*/ "Slussar"},
    {"FTMs", "FTMs", "FTMs", "FTMs", "", "FTMs", "FTMs", "FTMs"},
    {"FTMs Eu", "FTMs Eu", "FTMs Eu", "FTMs Eu", "", "FTMs Eu", "FTMs Eu", "FTMs Eu"},
    {"WRMs", "WRMs", "WRMs", "WRMs", "", "WRMs", "WRMs", "WRMs"},
    {"GRIB src", "GRIB src", "GRIB src", "GRIB src", "", "GRIB src", "GRIB src", "GRIB src"},
    {"GRIB info", "GRIB info", "GRIB info", "GRIB info", "", "GRIB info", "GRIB info", "GRIB info"},
    {"GRIB fns", "GRIB fns", "GRIB fns", "GRIB fns", "", "GRIB fns", "GRIB fns", "GRIB fns"},
    {"GRIB file", /*nl*/ "GRIB bestand", /*de*/ "GRIB Datei", /*fr*/ "GRIB fichier", /*es*/ "",
     /*it*/ "GRIB file", /*da*/ "GRIB fil", /*sv*/ "GRIB fil"},
    {"RWS l", "RWS l", "RWS l", "RWS l", "", "RWS l", "RWS l", "RWS l"},
    {"RWS m", "RWS m", "RWS m", "RWS m", "", "RWS m", "RWS m", "RWS m"},
    {"RWS f", "RWS f", "RWS f", "RWS f", "", "RWS f", "RWS f", "RWS f"},
    {"CoV info", "CoV info", "CoV info", "CoV info", "", "CoV info", "CoV info", "CoV info"},
    {"CoV file", /*nl*/ "CoV bestand", /*de*/ "CoV Datei", /*fr*/ "CoV fichier", /*es*/ "",
     /*it*/ "CoV file", /*da*/ "CoV fil", /*sv*/ "CoV fil"},
    {"Cov wl", "Cov wl", "Cov wl", "Cov wl", "", "Cov wl", "Cov wl", "Cov wl"}};

}  // namespace NavEnvText
