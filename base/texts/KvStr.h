// Shared eight-language texts: button captions and message titles used by many dialogs.
#pragma once

#include "base/texts/KvLanguage.h"

namespace KvStr {

// English, Dutch, German, French, Spanish, Italian, Danish, Swedish.
inline constexpr TLanguageStrings BtnYes = {"&Yes", "&Ja", "&Ja", "&Oui", "&Sí", "&Sì", "&Ja", "&Ja"};
inline constexpr TLanguageStrings BtnNo = {"&No", "&Nee", "&Nein", "&Non", "&No", "&No", "&Nej", "&Nej"};
inline constexpr TLanguageStrings BtnOK = {"OK", "OK", "OK", "OK", "Aceptar", "OK", "OK", "OK"};
inline constexpr TLanguageStrings BtnCancel = {"Cancel", "Annuleren", "Abbrechen", "Annuler",
                                               "Cancelar", "Annulla", "Annuller", "Avbryt"};
inline constexpr TLanguageStrings BtnAbort = {"&Abort", "&Afbreken", "&Abbrechen", "&Abandonner",
                                              "&Anular", "&Interrompi", "&Afbryd", "&Avbryt"};
inline constexpr TLanguageStrings BtnRetry = {"&Retry", "&Opnieuw", "&Wiederholen", "&Réessayer",
                                              "&Reintentar", "&Riprova", "&Prøv igen", "&Försök igen"};
inline constexpr TLanguageStrings BtnIgnore = {"&Ignore", "&Negeren", "&Ignorieren", "&Ignorer",
                                               "&Ignorar", "&Ignora", "&Ignorer", "&Ignorera"};
inline constexpr TLanguageStrings BtnAll = {"&All", "&Alles", "&Alle", "&Tous",
                                            "&Todos", "&Tutti", "&Alle", "&Alla"};
inline constexpr TLanguageStrings BtnNoToAll = {"N&o to All", "N&ee op alles", "N&ein für alle",
                                                "N&on à tout", "N&o a todo", "N&o a tutti",
                                                "N&ej til alle", "N&ej till alla"};
inline constexpr TLanguageStrings BtnYesToAll = {"Yes to &All", "Ja op &alles", "Ja für &alle",
                                                 "Oui à &tout", "Sí a &todo", "Sì a &tutti",
                                                 "Ja til &alle", "Ja till &alla"};
inline constexpr TLanguageStrings BtnHelp = {"&Help", "&Help", "&Hilfe", "&Aide",
                                             "A&yuda", "&Guida", "&Hjælp", "&Hjälp"};
inline constexpr TLanguageStrings BtnClose = {"&Close", "&Sluiten", "&Schließen", "&Fermer",
                                              "&Cerrar", "&Chiudi", "&Luk", "&Stäng"};
inline constexpr TLanguageStrings BtnExit = {"E&xit", "A&fsluiten", "&Beenden", "&Quitter",
                                             "&Salir", "&Esci", "&Afslut", "&Avsluta"};
inline constexpr TLanguageStrings BtnOpen = {"&Open", "&Openen", "Ö&ffnen", "&Ouvrir",
                                             "&Abrir", "&Apri", "&Åbn", "&Öppna"};
inline constexpr TLanguageStrings BtnSave = {"&Save", "Op&slaan", "&Speichern", "&Enregistrer",
                                             "&Guardar", "&Salva", "&Gem", "&Spara"};
inline constexpr TLanguageStrings BtnDetails = {"&Details", "&Details", "&Details", "&Détails",
                                                "&Detalles", "&Dettagli", "&Detaljer", "&Detaljer"};
inline constexpr TLanguageStrings TitleWarning = {"Warning", "Waarschuwing", "Warnung", "Avertissement",
                                                  "Advertencia", "Avviso", "Advarsel", "Varning"};
inline constexpr TLanguageStrings TitleError = {"Error", "Fout", "Fehler", "Erreur",
                                                "Error", "Errore", "Fejl", "Fel"};
inline constexpr TLanguageStrings TitleInformation = {"Information", "Informatie", "Information",
                                                      "Information", "Información", "Informazione",
                                                      "Information", "Information"};
inline constexpr TLanguageStrings TitleConfirm = {"Confirm", "Bevestigen", "Bestätigen", "Confirmer",
                                                  "Confirmar", "Conferma", "Bekræft", "Bekräfta"};

}  // namespace KvStr
