#include "chartview/FraNavInfoTexts.h"

namespace NavInfoText {
const TLanguageStrings GPSHeader = {
    "GPS and water way", /*nl*/ "GPS en vaarweg", /*de*/ "GPS und Wasserstra\u00DFe",
    /*fr*/ "GPS et voie navigable", /*es*/ "", /*it*/ "GPS e via d'acqua", /*da*/ "GPS og vandvej",
    /*sv*/ "GPS och vattenv\u00E4g"};
const TLanguageStrings SwitchHint = {
    "Switch position of GPS panel", /*nl*/ "Positie van het GPS-paneel wisselen",
    /*de*/ "Position des GPS-Bereichs wechseln", /*fr*/ "Changer la position du panneau GPS",
    /*es*/ "", /*it*/ "Cambia posizione del pannello GPS", /*da*/ "Skift placering af GPS-panelet",
    /*sv*/ "V\u00E4xla GPS-panelens position"};
const TLanguageStrings Used = {"used",        /*nl*/ "gebruikt", /*de*/ "benutzt", /*fr*/ "utilis\u00E9s",
                               /*es*/ "",     /*it*/ "usati",    /*da*/ "brugt",   /*sv*/ "anv\u00E4nda"};
const TLanguageStrings InView = {"in view",   /*nl*/ "in zicht", /*de*/ "sichtbar", /*fr*/ "visibles",
                                 /*es*/ "",   /*it*/ "visibili", /*da*/ "synlige",  /*sv*/ "synliga"};
const TLanguageStrings Angle = {"Angle", /*nl*/ "Hoek", /*de*/ "Winkel", /*fr*/ "Angle",
                                /*es*/ "", /*it*/ "Angolo", /*da*/ "Vinkel", /*sv*/ "Vinkel"};
const TLanguageStrings Distance = {"Distance", /*nl*/ "Afstand", /*de*/ "Entfernung", /*fr*/ "Distance",
                                   /*es*/ "", /*it*/ "Distanza", /*da*/ "Afstand", /*sv*/ "Avst\u00E5nd"};
const TLanguageStrings Speed = {"Speed", /*nl*/ "Snelheid", /*de*/ "Geschwindigkeit", /*fr*/ "Vitesse",
                                /*es*/ "", /*it*/ "Velocit\u00E0", /*da*/ "Fart", /*sv*/ "Fart"};
const TLanguageStrings SelectedRoute = {
    "Selected route", /*nl*/ "Geselecteerde route", /*de*/ "Ausgew\u00E4hlte Route",
    /*fr*/ "Itin\u00E9raire s\u00E9lectionn\u00E9", /*es*/ "", /*it*/ "Rotta selezionata",
    /*da*/ "Valgt rute", /*sv*/ "Vald rutt"};
const TLanguageStrings NextRoutePoint = {
    "Next route point", /*nl*/ "Volgend routepunt", /*de*/ "N\u00E4chster Routenpunkt",
    /*fr*/ "Point de route suivant", /*es*/ "", /*it*/ "Punto di rotta successivo",
    /*da*/ "N\u00E6ste rutepunkt", /*sv*/ "N\u00E4sta ruttpunkt"};
const TLanguageStrings PrevRoutePoint = {
    "Previous route point", /*nl*/ "Vorig routepunt", /*de*/ "Vorheriger Routenpunkt",
    /*fr*/ "Point de route pr\u00E9c\u00E9dent", /*es*/ "", /*it*/ "Punto di rotta precedente",
    /*da*/ "Forrige rutepunkt", /*sv*/ "F\u00F6reg\u00E5ende ruttpunkt"};
const TLanguageStrings To = {"To", /*nl*/ "Naar", /*de*/ "Nach", /*fr*/ "Vers",
                             /*es*/ "", /*it*/ "A", /*da*/ "Til", /*sv*/ "Till"};
const TLanguageStrings NoRoute = {"<no route>", /*nl*/ "<geen route>", /*de*/ "<keine Route>",
                                  /*fr*/ "<aucun itin\u00E9raire>", /*es*/ "", /*it*/ "<nessuna rotta>",
                                  /*da*/ "<ingen rute>", /*sv*/ "<ingen rutt>"};
const TLanguageStrings TemporaryRoute = {
    "Temporary navigation route", /*nl*/ "Tijdelijke navigatieroute",
    /*de*/ "Tempor\u00E4re Navigationsroute", /*fr*/ "Itin\u00E9raire de navigation temporaire",
    /*es*/ "", /*it*/ "Rotta di navigazione temporanea", /*da*/ "Midlertidig navigationsrute",
    /*sv*/ "Tillf\u00E4llig navigeringsrutt"};
const TLanguageStrings NoName = {"<no name>", /*nl*/ "<geen naam>", /*de*/ "<kein Name>",
                                 /*fr*/ "<sans nom>", /*es*/ "", /*it*/ "<senza nome>",
                                 /*da*/ "<intet navn>", /*sv*/ "<inget namn>"};
}  // namespace NavInfoText
