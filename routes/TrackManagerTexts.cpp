// One table per text: English, Dutch, German, French, Spanish, Italian, Danish, Swedish.
#include "routes/TrackManagerTexts.h"

namespace TrackManagerText {
const TLanguageStrings Caption = {
    "Track manager",
    /*nl*/ "Sporenbeheer",
    /*de*/ "Trackverwaltung",
    /*fr*/ "Gestionnaire de traces",
    /*es*/ "Gestor de tracks",
    /*it*/ "Gestione tracce",
    /*da*/ "Sporadministration",
    /*sv*/ "Sp\u00E5rhanterare"};
const TLanguageStrings Information = {
    "Check the tracks that you want show on the charts",
    /*nl*/ "Vink de sporen aan die u op de kaarten wilt tonen",
    /*de*/ "Markieren Sie die Tracks, die auf den Karten angezeigt werden sollen",
    /*fr*/ "Cochez les traces \u00E0 afficher sur les cartes",
    /*es*/ "Marque los tracks que desea mostrar en las cartas",
    /*it*/ "Selezionare le tracce da mostrare sulle carte",
    /*da*/ "Mark\u00E9r de spor, der skal vises p\u00E5 s\u00F8kortene",
    /*sv*/ "Markera de sp\u00E5r som ska visas p\u00E5 sj\u00F6korten"};
const TLanguageStrings EMail = {
    "E-Mail",
    /*nl*/ "E-mail",
    /*de*/ "E-Mail",
    /*fr*/ "E-mail",
    /*es*/ "Correo",
    /*it*/ "E-mail",
    /*da*/ "E-mail",
    /*sv*/ "E-post"};
const TLanguageStrings ColStart = {
    "Start time",
    /*nl*/ "Starttijd",
    /*de*/ "Startzeit",
    /*fr*/ "Heure de d\u00E9part",
    /*es*/ "Hora de inicio",
    /*it*/ "Ora di inizio",
    /*da*/ "Starttidspunkt",
    /*sv*/ "Starttid"};
const TLanguageStrings ColDuration = {
    "Duration",
    /*nl*/ "Duur",
    /*de*/ "Dauer",
    /*fr*/ "Dur\u00E9e",
    /*es*/ "Duraci\u00F3n",
    /*it*/ "Durata",
    /*da*/ "Varighed",
    /*sv*/ "Varaktighet"};
const TLanguageStrings ColDistance = {
    "Distance",
    /*nl*/ "Afstand",
    /*de*/ "Distanz",
    /*fr*/ "Distance",
    /*es*/ "Distancia",
    /*it*/ "Distanza",
    /*da*/ "Distance",
    /*sv*/ "Distans"};
const TLanguageStrings ColSpeed = {
    "Avg. speed",
    /*nl*/ "Gem. snelheid",
    /*de*/ "\u00D8 Geschw.",
    /*fr*/ "Vitesse moy.",
    /*es*/ "Vel. media",
    /*it*/ "Vel. media",
    /*da*/ "Gns. fart",
    /*sv*/ "Medelfart"};
const TLanguageStrings EmptyTrack = {
    "Empty track",
    /*nl*/ "Leeg spoor",
    /*de*/ "Leerer Track",
    /*fr*/ "Trace vide",
    /*es*/ "Track vac\u00EDo",
    /*it*/ "Traccia vuota",
    /*da*/ "Tomt spor",
    /*sv*/ "Tomt sp\u00E5r"};
const TLanguageStrings SaveFailed = {
    "Track could not be saved.",
    /*nl*/ "Het spoor kon niet worden opgeslagen.",
    /*de*/ "Der Track konnte nicht gespeichert werden.",
    /*fr*/ "La trace n'a pas pu \u00EAtre enregistr\u00E9e.",
    /*es*/ "No se pudo guardar el track.",
    /*it*/ "Impossibile salvare la traccia.",
    /*da*/ "Sporet kunne ikke gemmes.",
    /*sv*/ "Sp\u00E5ret kunde inte sparas."};
const TLanguageStrings DeleteCaption = {
    "Delete tracks",
    /*nl*/ "Sporen verwijderen",
    /*de*/ "Tracks l\u00F6schen",
    /*fr*/ "Supprimer des traces",
    /*es*/ "Eliminar tracks",
    /*it*/ "Elimina tracce",
    /*da*/ "Slet spor",
    /*sv*/ "Ta bort sp\u00E5r"};
const TLanguageStrings DeleteMessage = {
    "You have selected the following tracks which are about to be deleted.",
    /*nl*/ "U hebt de volgende sporen geselecteerd die zullen worden verwijderd.",
    /*de*/ "Sie haben die folgenden Tracks zum L\u00F6schen ausgew\u00E4hlt.",
    /*fr*/ "Vous avez s\u00E9lectionn\u00E9 les traces suivantes, qui vont \u00EAtre supprim\u00E9es.",
    /*es*/ "Ha seleccionado los siguientes tracks, que se van a eliminar.",
    /*it*/ "Sono state selezionate le seguenti tracce, che stanno per essere eliminate.",
    /*da*/ "Du har valgt f\u00F8lgende spor, som vil blive slettet.",
    /*sv*/ "Du har markerat f\u00F6ljande sp\u00E5r som kommer att tas bort."};
const TLanguageStrings DeleteColumn = {
    "Tracks",
    /*nl*/ "Sporen",
    /*de*/ "Tracks",
    /*fr*/ "Traces",
    /*es*/ "Tracks",
    /*it*/ "Tracce",
    /*da*/ "Spor",
    /*sv*/ "Sp\u00E5r"};
const TLanguageStrings DeleteQuestion = {
    "Are you sure you wish to delete the selected tracks ?",
    /*nl*/ "Weet u zeker dat u de geselecteerde sporen wilt verwijderen ?",
    /*de*/ "M\u00F6chten Sie die ausgew\u00E4hlten Tracks wirklich l\u00F6schen ?",
    /*fr*/ "Voulez-vous vraiment supprimer les traces s\u00E9lectionn\u00E9es ?",
    /*es*/ "\u00BFSeguro que desea eliminar los tracks seleccionados ?",
    /*it*/ "Eliminare davvero le tracce selezionate ?",
    /*da*/ "Er du sikker p\u00E5, at du vil slette de valgte spor ?",
    /*sv*/ "Vill du verkligen ta bort de markerade sp\u00E5ren ?"};
const TLanguageStrings DeleteFailed = {
    "Cannot delete track '%1'.",
    /*nl*/ "Kan spoor '%1' niet verwijderen.",
    /*de*/ "Track '%1' kann nicht gel\u00F6scht werden.",
    /*fr*/ "Impossible de supprimer la trace '%1'.",
    /*es*/ "No se puede eliminar el track '%1'.",
    /*it*/ "Impossibile eliminare la traccia '%1'.",
    /*da*/ "Kan ikke slette sporet '%1'.",
    /*sv*/ "Kan inte ta bort sp\u00E5ret '%1'."};
const TLanguageStrings MailSubject = {
    "Travelled track(s) - Marivo",
    /*nl*/ "Gevaren spo(o)r(en) - Marivo",
    /*de*/ "Gefahrene(r) Track(s) - Marivo",
    /*fr*/ "Trace(s) parcourue(s) - Marivo",
    /*es*/ "Track(s) recorrido(s) - Marivo",
    /*it*/ "Traccia/e percorsa/e - Marivo",
    /*da*/ "Sejlede spor - Marivo",
    /*sv*/ "Seglade sp\u00E5r - Marivo"};
const TLanguageStrings MailBody = {
    "To use the attached tracks you should save them to your harddisk and import them using the import function of Marivo.",
    /*nl*/ "Om de bijgevoegde sporen te gebruiken, slaat u ze op uw harde schijf op en importeert u ze met de importfunctie van Marivo.",
    /*de*/ "Um die angeh\u00E4ngten Tracks zu verwenden, speichern Sie sie auf Ihrer Festplatte und importieren Sie sie mit der Importfunktion von Marivo.",
    /*fr*/ "Pour utiliser les traces jointes, enregistrez-les sur votre disque dur et importez-les avec la fonction d'importation de Marivo.",
    /*es*/ "Para usar los tracks adjuntos, gu\u00E1rdelos en su disco duro e imp\u00F3rtelos con la funci\u00F3n de importaci\u00F3n de Marivo.",
    /*it*/ "Per usare le tracce allegate, salvarle sul disco rigido e importarle con la funzione di importazione di Marivo.",
    /*da*/ "For at bruge de vedh\u00E6ftede spor skal du gemme dem p\u00E5 harddisken og importere dem med Marivos importfunktion.",
    /*sv*/ "F\u00F6r att anv\u00E4nda de bifogade sp\u00E5ren sparar du dem p\u00E5 h\u00E5rddisken och importerar dem med Marivos importfunktion."};
const TLanguageStrings MailFailed = {
    "An error occured while sending your e-mail:",
    /*nl*/ "Er is een fout opgetreden bij het verzenden van uw e-mail:",
    /*de*/ "Beim Senden Ihrer E-Mail ist ein Fehler aufgetreten:",
    /*fr*/ "Une erreur s'est produite lors de l'envoi de votre e-mail :",
    /*es*/ "Se produjo un error al enviar su correo:",
    /*it*/ "Si \u00E8 verificato un errore durante l'invio dell'e-mail:",
    /*da*/ "Der opstod en fejl under afsendelse af din e-mail:",
    /*sv*/ "Ett fel uppstod n\u00E4r e-postmeddelandet skickades:"};
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
    /*de*/ "h",
    /*fr*/ "h",
    /*es*/ "h",
    /*it*/ "h",
    /*da*/ "t",
    /*sv*/ "h"};
const TLanguageStrings SuffixMinute = {
    "m",
    /*nl*/ "m",
    /*de*/ "m",
    /*fr*/ "m",
    /*es*/ "m",
    /*it*/ "m",
    /*da*/ "m",
    /*sv*/ "m"};
const TLanguageStrings SuffixSecond = {
    "s",
    /*nl*/ "s",
    /*de*/ "s",
    /*fr*/ "s",
    /*es*/ "s",
    /*it*/ "s",
    /*da*/ "s",
    /*sv*/ "s"};
}  // namespace TrackManagerText
