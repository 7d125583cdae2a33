#include "chartview/FraUserReportTexts.h"

namespace UserReportText {
const TLanguageStrings Panel = {"User report", "Gebruikersmelding", "Benutzermeldung", "Rapport utilisateur",
                                "Informe de usuario", "Segnalazione utente", "Brugerrapport", "Anv\u00E4ndarrapport"};
const TLanguageStrings Close = {"Close", "Sluiten", "Schlie\u00DFen", "Fermer", "Cerrar", "Chiudi", "Luk", "St\u00E4ng"};
const TLanguageStrings CreateScreenshot = {"Create screenshot", "Schermafdruk maken", "Bildschirmfoto erstellen",
                                           "Cr\u00E9er une capture", "Crear captura", "Crea schermata",
                                           "Opret sk\u00E6rmbillede", "Skapa sk\u00E4rmbild"};
const TLanguageStrings SelectPoint = {"Select point", "Punt kiezen", "Punkt w\u00E4hlen", "Choisir un point",
                                      "Elegir punto", "Scegli punto", "V\u00E6lg punkt", "V\u00E4lj punkt"};
const TLanguageStrings Send = {"Send", "Verzenden", "Senden", "Envoyer", "Enviar", "Invia", "Send", "Skicka"};
const TLanguageStrings SendCopyTo = {"Send copy to", "Kopie sturen naar", "Kopie senden an", "Envoyer une copie \u00E0",
                                     "Enviar copia a", "Invia copia a", "Send kopi til", "Skicka kopia till"};
const TLanguageStrings SendScreenshot = {"Send screenshot", "Schermafdruk meesturen", "Bildschirmfoto senden",
                                         "Envoyer la capture", "Enviar captura", "Invia schermata",
                                         "Send sk\u00E6rmbillede", "Skicka sk\u00E4rmbild"};
const TLanguageStrings Subject = {"Subject", "Onderwerp", "Betreff", "Objet", "Asunto", "Oggetto", "Emne", "\u00C4mne"};
const TLanguageStrings Information = {
    "Please add as much information about the report as possible before sending.",
    "Geef zoveel mogelijk informatie over de melding voordat u deze verstuurt.",
    "Bitte f\u00FCgen Sie vor dem Senden so viele Informationen wie m\u00F6glich hinzu.",
    "Veuillez ajouter le plus d'informations possible avant l'envoi.", "", "", "", ""};
const TLanguageStrings DataSent = {"Data send with your report", "Gegevens die met uw melding worden verstuurd",
                                   "Mit Ihrer Meldung gesendete Daten", "Donn\u00E9es envoy\u00E9es avec votre rapport",
                                   "", "", "", ""};
const TLanguageStrings NoPoint = {"No point selected", "Geen punt gekozen", "Kein Punkt gew\u00E4hlt",
                                  "Aucun point choisi", "", "", "", ""};
const TLanguageStrings PointSelected = {"Point selected", "Punt gekozen", "Punkt gew\u00E4hlt", "Point choisi", "", "",
                                        "", ""};
const TLanguageStrings ClickPosition = {"Click new position in chart viewer...", "Klik de nieuwe positie in de kaart...",
                                        "Neue Position in der Karte anklicken...",
                                        "Cliquez la nouvelle position sur la carte...", "", "", "", ""};
const TLanguageStrings NoScreenshot = {"No screenshot created.", "Geen schermafdruk gemaakt.",
                                       "Kein Bildschirmfoto erstellt.", "Aucune capture cr\u00E9\u00E9e.", "", "", "", ""};
const TLanguageStrings ViewScreenshot = {"Click to view screenshot.", "Klik om de schermafdruk te bekijken.",
                                         "Klicken, um das Bildschirmfoto anzusehen.", "Cliquez pour voir la capture.",
                                         "", "", "", ""};
const TLanguageStrings Prompt = {"Please enter what you would like to report.", "Vul hier uw melding in.",
                                 "Bitte geben Sie hier Ihre Meldung ein.", "Veuillez saisir votre rapport.", "", "",
                                 "", ""};
const TLanguageStrings NoSubject = {"No subject has been entered. Send the report anyway?",
                                    "Er is geen onderwerp ingevuld. De melding toch verzenden?",
                                    "Es wurde kein Betreff eingegeben. Meldung trotzdem senden?",
                                    "Aucun objet n'a \u00E9t\u00E9 saisi. Envoyer quand m\u00EAme ?", "", "", "", ""};
const TLanguageStrings SendError = {"Error sending the report", "Fout bij het verzenden van de melding",
                                    "Fehler beim Senden der Meldung", "Erreur lors de l'envoi du rapport", "", "", "",
                                    ""};
const TLanguageStrings Sent = {"The report has been sent successfully.", "De melding is verzonden.",
                               "Die Meldung wurde gesendet.", "Le rapport a \u00E9t\u00E9 envoy\u00E9.", "", "", "", ""};
const TLanguageStrings SendFailed = {"Error sending the report. Please try again.",
                                     "Fout bij het verzenden van de melding. Probeer het opnieuw.",
                                     "Fehler beim Senden der Meldung. Bitte versuchen Sie es erneut.",
                                     "Erreur lors de l'envoi du rapport. Veuillez r\u00E9essayer.", "", "", "", ""};
const TLanguageStrings ReportFor = {"Report for position", "Melding voor positie", "Meldung f\u00FCr Position",
                                    "Rapport pour la position", "", "", "", ""};
const TLanguageStrings BoatInfoHeading = {"Boat info", "Bootgegevens", "Bootsdaten", "Infos bateau", "", "", "", ""};
const TLanguageStrings BoatPosition = {"Boat position", "Bootpositie", "Bootsposition", "Position du bateau", "", "",
                                       "", ""};
const TLanguageStrings SelectedChartSets = {"Selected chart sets", "Gekozen kaartsets", "Gew\u00E4hlte Kartens\u00E4tze",
                                            "Jeux de cartes choisis", "", "", "", ""};
const TLanguageStrings North = {"North", "Noord", "Nord", "Nord", "Norte", "Nord", "Nord", "Nord"};
const TLanguageStrings South = {"South", "Zuid", "S\u00FCd", "Sud", "Sur", "Sud", "Syd", "Syd"};
const TLanguageStrings East = {"East", "Oost", "Ost", "Est", "Este", "Est", "\u00D8st", "\u00D6st"};
const TLanguageStrings West = {"West", "West", "West", "Ouest", "Oeste", "Ovest", "Vest", "V\u00E4st"};
}  // namespace UserReportText
