// Texts of the start-up wizard, in the order of TLanguageStrings.
#pragma once

#include "base/texts/KvLanguage.h"

namespace wizardtexts {

inline const TLanguageStrings Caption = {"Setup Marivo", "Marivo instellen", "Marivo einrichten", "Configurer Marivo",
                                         "Configurar Marivo", "Configura Marivo", "Ops\u00E6t Marivo", "Konfigurera Marivo"};
inline const TLanguageStrings Next = {"Next", "Volgende", "Weiter", "Suivant", "Siguiente", "Avanti", "N\u00E6ste", "N\u00E4sta"};
inline const TLanguageStrings Previous = {"Previous", "Vorige", "Zur\u00FCck", "Pr\u00E9c\u00E9dent", "Anterior",
                                          "Indietro", "Forrige", "F\u00F6reg\u00E5ende"};
inline const TLanguageStrings Close = {"Close", "Sluiten", "Schlie\u00DFen", "Fermer", "Cerrar", "Chiudi", "Luk", "St\u00E4ng"};
inline const TLanguageStrings Abort = {"Abort", "Afbreken", "Abbrechen", "Interrompre", "Interrumpir", "Interrompi",
                                       "Afbryd", "Avbryt"};
inline const TLanguageStrings LoginTitle = {"Login", "Inloggen", "Anmelden", "Connexion", "Inicio de sesi\u00F3n",
                                            "Accesso", "Log ind", "Logga in"};
inline const TLanguageStrings LoginDescription = {
    "Please enter the e-mail address and password of your Korvane account.",
    "Voer het e-mailadres en wachtwoord van uw Korvane-account in.",
    "Bitte geben Sie die E-Mail-Adresse und das Passwort Ihres Korvane-Kontos ein.",
    "Veuillez saisir l'adresse e-mail et le mot de passe de votre compte Korvane.",
    "Introduzca la direcci\u00F3n de correo y la contrase\u00F1a de su cuenta Korvane.",
    "Inserire l'indirizzo e-mail e la password del proprio account Korvane.",
    "Indtast e-mailadressen og adgangskoden til din Korvane-konto.",
    "Ange e-postadressen och l\u00F6senordet f\u00F6r ditt Korvane-konto."};
inline const TLanguageStrings ShipTitle = {"Ship properties", "Scheepseigenschappen", "Schiffseigenschaften",
                                           "Propri\u00E9t\u00E9s du bateau", "Propiedades del barco",
                                           "Propriet\u00E0 della barca", "Skibets egenskaber", "Fartygets egenskaper"};
inline const TLanguageStrings ShipDescription = {
    "Select or enter and store the properties of your ship.",
    "Selecteer of voer de eigenschappen van uw schip in en sla ze op.",
    "W\u00E4hlen oder geben Sie die Eigenschaften Ihres Schiffes ein und speichern Sie sie.",
    "S\u00E9lectionnez ou saisissez et enregistrez les propri\u00E9t\u00E9s de votre bateau.",
    "Seleccione o introduzca y guarde las propiedades de su barco.",
    "Selezionare o inserire e salvare le propriet\u00E0 della barca.",
    "V\u00E6lg eller indtast og gem dit skibs egenskaber.",
    "V\u00E4lj eller ange och spara fartygets egenskaper."};
inline const TLanguageStrings SignUpTitle = {
    "Automatic operation requests bridges and locks", "Automatische bedieningsaanvragen bruggen en sluizen",
    "Automatische Bedienungsanfragen f\u00FCr Br\u00FCcken und Schleusen",
    "Demandes de man\u0153uvre automatiques des ponts et \u00E9cluses",
    "Solicitudes autom\u00E1ticas de maniobra de puentes y esclusas",
    "Richieste automatiche di manovra di ponti e chiuse", "Automatiske betjeningsanmodninger for broer og sluser",
    "Automatiska man\u00F6verf\u00F6rfr\u00E5gningar f\u00F6r broar och slussar"};
inline const TLanguageStrings SelectTitle = {"Select the chart(s) to install", "Selecteer de te installeren kaart(en)",
                                             "W\u00E4hlen Sie die zu installierenden Karten",
                                             "S\u00E9lectionnez les cartes \u00E0 installer",
                                             "Seleccione las cartas que desea instalar",
                                             "Selezionare le carte da installare", "V\u00E6lg de s\u00F8kort, der skal installeres",
                                             "V\u00E4lj sj\u00F6kort att installera"};
inline const TLanguageStrings SelectDescription = {
    "Select the chart(s) that you want to download and install.",
    "Selecteer de kaart(en) die u wilt downloaden en installeren.",
    "W\u00E4hlen Sie die Karten, die Sie herunterladen und installieren m\u00F6chten.",
    "S\u00E9lectionnez les cartes que vous souhaitez t\u00E9l\u00E9charger et installer.",
    "Seleccione las cartas que desea descargar e instalar.",
    "Selezionare le carte da scaricare e installare.",
    "V\u00E6lg de s\u00F8kort, du vil hente og installere.",
    "V\u00E4lj de sj\u00F6kort som du vill h\u00E4mta och installera."};
inline const TLanguageStrings ProgressTitle = {"Installation progress", "Voortgang installatie", "Installationsfortschritt",
                                               "Progression de l'installation", "Progreso de la instalaci\u00F3n",
                                               "Avanzamento dell'installazione", "Installationsforl\u00F8b",
                                               "Installationsf\u00F6rlopp"};
inline const TLanguageStrings ProgressDescription = {
    "Please wait until the installation is finished or click 'Abort' to abort the installation",
    "Wacht tot de installatie klaar is of klik op 'Afbreken' om de installatie af te breken",
    "Bitte warten Sie, bis die Installation abgeschlossen ist, oder klicken Sie auf 'Abbrechen'",
    "Veuillez patienter jusqu'\u00E0 la fin de l'installation ou cliquez sur 'Interrompre'",
    "Espere a que termine la instalaci\u00F3n o haga clic en 'Interrumpir'",
    "Attendere il termine dell'installazione o fare clic su 'Interrompi'",
    "Vent, til installationen er f\u00E6rdig, eller klik p\u00E5 'Afbryd'",
    "V\u00E4nta tills installationen \u00E4r klar eller klicka p\u00E5 'Avbryt'"};
inline const TLanguageStrings LoginUnknown = {
    "E-mail address and/or password unknown", "E-mailadres en/of wachtwoord onbekend",
    "E-Mail-Adresse und/oder Passwort unbekannt", "Adresse e-mail et/ou mot de passe inconnus",
    "Direcci\u00F3n de correo y/o contrase\u00F1a desconocidas", "Indirizzo e-mail e/o password sconosciuti",
    "E-mailadresse og/eller adgangskode ukendt", "E-postadress och/eller l\u00F6senord ok\u00E4nt"};
inline const TLanguageStrings SomeError = {
    "An error occurred. Please try again..", "Er is een fout opgetreden. Probeer het opnieuw..",
    "Ein Fehler ist aufgetreten. Bitte versuchen Sie es erneut..", "Une erreur s'est produite. Veuillez r\u00E9essayer..",
    "Se ha producido un error. Int\u00E9ntelo de nuevo..", "Si \u00E8 verificato un errore. Riprovare..",
    "Der opstod en fejl. Pr\u00F8v igen..", "Ett fel uppstod. F\u00F6rs\u00F6k igen.."};
inline const TLanguageStrings SaveLoginError = {
    "Error saving user data...\r\n", "Fout bij het opslaan van de gebruikersgegevens...\r\n",
    "Fehler beim Speichern der Benutzerdaten...\r\n", "Erreur lors de l'enregistrement des donn\u00E9es utilisateur...\r\n",
    "Error al guardar los datos de usuario...\r\n", "Errore durante il salvataggio dei dati utente...\r\n",
    "Fejl ved lagring af brugerdata...\r\n", "Fel n\u00E4r anv\u00E4ndardata skulle sparas...\r\n"};
inline const TLanguageStrings NothingChecked = {
    "No charts checked for installation.\r\n\r\nPlease check at least one chart to install before proceeding.",
    "Geen kaarten aangevinkt voor installatie.\r\n\r\nVink ten minste \u00E9\u00E9n kaart aan om verder te gaan.",
    "Keine Karten zur Installation ausgew\u00E4hlt.\r\n\r\nBitte w\u00E4hlen Sie mindestens eine Karte aus, bevor Sie fortfahren.",
    "Aucune carte coch\u00E9e pour l'installation.\r\n\r\nCochez au moins une carte avant de continuer.",
    "No se ha marcado ninguna carta para instalar.\r\n\r\nMarque al menos una carta antes de continuar.",
    "Nessuna carta selezionata per l'installazione.\r\n\r\nSelezionare almeno una carta prima di procedere.",
    "Ingen s\u00F8kort markeret til installation.\r\n\r\nMarker mindst \u00E9t s\u00F8kort, f\u00F8r du forts\u00E6tter.",
    "Inga sj\u00F6kort markerade f\u00F6r installation.\r\n\r\nMarkera minst ett sj\u00F6kort innan du forts\u00E4tter."};
inline const TLanguageStrings FetchingLists = {
    "Getting the lists of files...", "De bestandslijsten worden opgehaald...", "Die Dateilisten werden abgerufen...",
    "R\u00E9cup\u00E9ration des listes de fichiers...", "Obteniendo las listas de archivos...",
    "Recupero degli elenchi dei file...", "Henter fillisterne...", "H\u00E4mtar fillistorna..."};
inline const TLanguageStrings AbortQuestion = {
    "Do you want to abort the installation?", "Wilt u de installatie afbreken?", "M\u00F6chten Sie die Installation abbrechen?",
    "Voulez-vous interrompre l'installation ?", "\u00BFDesea interrumpir la instalaci\u00F3n?",
    "Interrompere l'installazione?", "Vil du afbryde installationen?", "Vill du avbryta installationen?"};

}  // namespace wizardtexts
