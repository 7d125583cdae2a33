// Texts of the GPS download wizard: English, Dutch, German, French, Spanish (empty: English
// is shown), Italian, Danish, Swedish.
#pragma once

#include "base/texts/KvLanguage.h"

namespace GPSDownloadText {

inline const TLanguageStrings SCaption = {"Download", "Downloaden", "Herunterladen",
                                          "Télécharger", "", "Scarica", "Hent", "Hämta"};
inline const TLanguageStrings SClose = {"Close", "Sluiten", "Schließen", "Fermer", "",
                                        "Chiudi", "Luk", "Stäng"};
inline const TLanguageStrings SNext = {"Next", "Volgende", "Weiter", "Suivant", "", "Avanti",
                                       "Næste", "Nästa"};
inline const TLanguageStrings SPrev = {"Previous", "Vorige", "Zurück", "Précédent", "",
                                       "Indietro", "Forrige", "Föregående"};
inline const TLanguageStrings SFinish = {"Finish", "Voltooien", "Fertig stellen", "Terminer", "",
                                         "Fine", "Udfør", "Slutför"};
inline const TLanguageStrings SHelp = {"Help", "Help", "Hilfe", "Aide", "", "Guida", "Hjælp",
                                       "Hjälp"};
inline const TLanguageStrings SUserDatabase = {"User database", "Gebruikersdatabase",
                                               "Benutzerdatenbank", "Base de données utilisateur",
                                               "", "Database utente", "Brugerdatabase",
                                               "Användardatabas"};
inline const TLanguageStrings SStopSimulation = {
    "To download data from your GPS, the simulation has to be stopped.\n\nDo you want to stop "
    "the simulation now?",
    "Om gegevens van uw GPS te downloaden moet de simulatie worden gestopt.\n\nWilt u de "
    "simulatie nu stoppen?",
    "Um Daten von Ihrem GPS herunterzuladen, muss die Simulation beendet werden.\n\nMöchten Sie "
    "die Simulation jetzt beenden?",
    "Pour télécharger des données de votre GPS, la simulation doit être arrêtée.\n\nVoulez-vous "
    "arrêter la simulation maintenant ?",
    "",
    "Per scaricare i dati dal GPS occorre fermare la simulazione.\n\nFermare la simulazione "
    "ora?",
    "For at hente data fra din GPS skal simuleringen stoppes.\n\nVil du stoppe simuleringen nu?",
    "För att hämta data från din GPS måste simuleringen stoppas.\n\nVill du stoppa simuleringen "
    "nu?"};
inline const TLanguageStrings SStopCommunication = {
    "To download data from your GPS, the communication has to be stopped.\n\nDo you want to "
    "stop the communication now and continue?",
    "Om gegevens van uw GPS te downloaden moet de communicatie worden gestopt.\n\nWilt u de "
    "communicatie nu stoppen en doorgaan?",
    "Um Daten von Ihrem GPS herunterzuladen, muss die Kommunikation beendet werden.\n\nMöchten "
    "Sie die Kommunikation jetzt beenden und fortfahren?",
    "Pour télécharger des données de votre GPS, la communication doit être arrêtée.\n\n"
    "Voulez-vous arrêter la communication maintenant et continuer ?",
    "",
    "Per scaricare i dati dal GPS occorre interrompere la comunicazione.\n\nInterrompere la "
    "comunicazione ora e continuare?",
    "For at hente data fra din GPS skal kommunikationen stoppes.\n\nVil du stoppe "
    "kommunikationen nu og fortsætte?",
    "För att hämta data från din GPS måste kommunikationen stoppas.\n\nVill du stoppa "
    "kommunikationen nu och fortsätta?"};
inline const TLanguageStrings SNoDownload = {
    "The connected GPS does not support downloading of data.",
    "De aangesloten GPS ondersteunt het downloaden van gegevens niet.",
    "Das angeschlossene GPS unterstützt das Herunterladen von Daten nicht.",
    "Le GPS connecté ne permet pas de télécharger des données.", "",
    "Il GPS collegato non supporta lo scaricamento dei dati.",
    "Den tilsluttede GPS understøtter ikke hentning af data.",
    "Den anslutna GPS:en stöder inte hämtning av data."};
inline const TLanguageStrings SNoData = {
    "No data has been received from the GPS.", "Er zijn geen gegevens van de GPS ontvangen.",
    "Vom GPS wurden keine Daten empfangen.", "Aucune donnée n'a été reçue du GPS.", "",
    "Nessun dato ricevuto dal GPS.", "Der er ikke modtaget data fra GPS'en.",
    "Inga data har tagits emot från GPS:en."};
// Some waypoint or route sentences were damaged or cut off; the rest is offered.
inline const TLanguageStrings SDamaged = {
    "Some of the data sent by the GPS arrived damaged or incomplete and has been left out. "
    "The data received completely are listed.\n\nTo get the rest, send it from the GPS again.",
    "Een deel van de gegevens van de GPS kwam beschadigd of onvolledig aan en is weggelaten. "
    "De volledig ontvangen gegevens worden getoond.\n\nVerstuur de rest opnieuw vanaf de GPS.",
    "Ein Teil der vom GPS gesendeten Daten kam beschädigt oder unvollständig an und wurde "
    "ausgelassen. Die vollständig empfangenen Daten werden angezeigt.\n\nSenden Sie den Rest "
    "erneut vom GPS.",
    "Une partie des données envoyées par le GPS est arrivée endommagée ou incomplète et a été "
    "ignorée. Les données reçues complètement sont affichées.\n\nPour obtenir le reste, "
    "envoyez-le à nouveau depuis le GPS.",
    "",
    "Alcuni dati inviati dal GPS sono arrivati danneggiati o incompleti e sono stati omessi. "
    "Sono elencati i dati ricevuti completamente.\n\nPer ottenere il resto, inviarlo di nuovo "
    "dal GPS.",
    "Nogle af de data, GPS'en sendte, kom beskadigede eller ufuldstændige frem og er udeladt. "
    "De fuldstændigt modtagne data vises.\n\nSend resten fra GPS'en igen.",
    "En del av de data som GPS:en skickade kom fram skadade eller ofullständiga och har "
    "utelämnats. De data som tagits emot fullständigt visas.\n\nSkicka resten från GPS:en "
    "igen."};
// %1 the program's title.
inline const TLanguageStrings SNotResponding = {
    "The GPS does not respond.\n\nPlease check the GPS settings in %1 and on the GPS.",
    "De GPS reageert niet.\n\nControleer de GPS-instellingen in %1 en op de GPS.",
    "Das GPS antwortet nicht.\n\nBitte prüfen Sie die GPS-Einstellungen in %1 und am GPS.",
    "Le GPS ne répond pas.\n\nVérifiez les réglages GPS dans %1 et sur le GPS.", "",
    "Il GPS non risponde.\n\nControllare le impostazioni GPS in %1 e sul GPS.",
    "GPS'en svarer ikke.\n\nKontrollér GPS-indstillingerne i %1 og på GPS'en.",
    "GPS:en svarar inte.\n\nKontrollera GPS-inställningarna i %1 och på GPS:en."};
inline const TLanguageStrings SNoMagellanDrive = {
    "There is no Magellan removable USB drive connected to your system.\n\nYour Magellan GPS "
    "must be set to File Transfer mode:\n\n   - Press the 'Menu' button\n   - Select 'Adv. "
    "Features'\n   - Select 'Communications'\n   - Select 'File Transfer'",
    "Er is geen verwisselbaar Magellan USB-station op uw systeem aangesloten.\n\nUw Magellan GPS "
    "moet in de modus Bestandsoverdracht staan:\n\n   - Druk op de knop 'Menu'\n   - Kies 'Adv. "
    "Features'\n   - Kies 'Communications'\n   - Kies 'File Transfer'",
    "Es ist kein Magellan-USB-Wechsellaufwerk angeschlossen.\n\nIhr Magellan GPS muss im Modus "
    "Dateiübertragung sein:\n\n   - Drücken Sie die Taste 'Menu'\n   - Wählen Sie 'Adv. "
    "Features'\n   - Wählen Sie 'Communications'\n   - Wählen Sie 'File Transfer'",
    "Aucun lecteur USB amovible Magellan n'est connecté.\n\nVotre GPS Magellan doit être en mode "
    "Transfert de fichiers :\n\n   - Appuyez sur le bouton 'Menu'\n   - Choisissez 'Adv. "
    "Features'\n   - Choisissez 'Communications'\n   - Choisissez 'File Transfer'",
    "",
    "Nessuna unità USB rimovibile Magellan è collegata.\n\nIl GPS Magellan deve essere in "
    "modalità Trasferimento file:\n\n   - Premere il tasto 'Menu'\n   - Selezionare 'Adv. "
    "Features'\n   - Selezionare 'Communications'\n   - Selezionare 'File Transfer'",
    "Der er ikke tilsluttet et flytbart Magellan USB-drev.\n\nDin Magellan GPS skal være i "
    "filoverførselstilstand:\n\n   - Tryk på knappen 'Menu'\n   - Vælg 'Adv. Features'\n   - "
    "Vælg 'Communications'\n   - Vælg 'File Transfer'",
    "Ingen flyttbar Magellan USB-enhet är ansluten.\n\nDin Magellan GPS måste vara i läget "
    "Filöverföring:\n\n   - Tryck på knappen 'Menu'\n   - Välj 'Adv. Features'\n   - Välj "
    "'Communications'\n   - Välj 'File Transfer'"};
inline const TLanguageStrings SCompleted = {"Download completed.", "Download voltooid.",
                                            "Download abgeschlossen.", "Téléchargement terminé.",
                                            "", "Download completato.", "Hentning fuldført.",
                                            "Hämtningen är klar."};
inline const TLanguageStrings SAborted = {"Download aborted.", "Download afgebroken.",
                                          "Download abgebrochen.", "Téléchargement interrompu.",
                                          "", "Download interrotto.", "Hentning afbrudt.",
                                          "Hämtningen avbröts."};
inline const TLanguageStrings SWaypointsUnit = {"waypoint(s)", "waypoint(s)", "Wegpunkt(e)",
                                                "waypoint(s)", "", "waypoint", "waypoint(s)",
                                                "waypoint(s)"};
inline const TLanguageStrings SRoutesUnit = {"route(s)", "route(s)", "Route(n)", "route(s)", "",
                                             "rotta/e", "rute(r)", "rutt(er)"};
inline const TLanguageStrings STracksUnit = {"track(s)", "track(s)", "Track(s)", "trace(s)", "",
                                             "traccia/e", "spor", "spår"};
inline const TLanguageStrings SDownloaded = {"Downloaded.", "Gedownload.", "Heruntergeladen.",
                                             "Téléchargé(s).", "", "Scaricati.", "Hentet.",
                                             "Hämtade."};
// %1 the file, %2 the reason.
inline const TLanguageStrings SCreateFailed = {
    "Failed to create the track file \"%1\". Reason\n\n%2",
    "Het trackbestand \"%1\" kon niet worden aangemaakt. Reden\n\n%2",
    "Die Trackdatei \"%1\" konnte nicht erstellt werden. Grund\n\n%2",
    "Impossible de créer le fichier de trace \"%1\". Raison\n\n%2", "",
    "Impossibile creare il file traccia \"%1\". Motivo\n\n%2",
    "Sporfilen \"%1\" kunne ikke oprettes. Årsag\n\n%2",
    "Spårfilen \"%1\" kunde inte skapas. Orsak\n\n%2"};
inline const TLanguageStrings SSaveFailed = {
    "Failed to save the track file \"%1\". Reason\n\n%2",
    "Het trackbestand \"%1\" kon niet worden opgeslagen. Reden\n\n%2",
    "Die Trackdatei \"%1\" konnte nicht gespeichert werden. Grund\n\n%2",
    "Impossible d'enregistrer le fichier de trace \"%1\". Raison\n\n%2", "",
    "Impossibile salvare il file traccia \"%1\". Motivo\n\n%2",
    "Sporfilen \"%1\" kunne ikke gemmes. Årsag\n\n%2",
    "Spårfilen \"%1\" kunde inte sparas. Orsak\n\n%2"};
// %1 the library's text.
inline const TLanguageStrings SReleaseFailed = {
    "The GPS could not be given back to the navigation: %1",
    "De GPS kon niet aan de navigatie worden teruggegeven: %1",
    "Das GPS konnte nicht an die Navigation zurückgegeben werden: %1",
    "Le GPS n'a pas pu être rendu à la navigation : %1", "",
    "Non è stato possibile restituire il GPS alla navigazione: %1",
    "GPS'en kunne ikke gives tilbage til navigationen: %1",
    "GPS:en kunde inte lämnas tillbaka till navigeringen: %1"};
inline const TLanguageStrings SDetachFailed = {
    "The GPS could not be taken from the navigation: %1",
    "De GPS kon niet van de navigatie worden losgemaakt: %1",
    "Das GPS konnte nicht von der Navigation getrennt werden: %1",
    "Le GPS n'a pas pu être détaché de la navigation : %1", "",
    "Non è stato possibile staccare il GPS dalla navigazione: %1",
    "GPS'en kunne ikke tages fra navigationen: %1",
    "GPS:en kunde inte kopplas från navigeringen: %1"};

}  // namespace GPSDownloadText
