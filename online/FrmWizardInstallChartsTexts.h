// Texts of the chart-set install wizard that the start-up wizard does not share.
#pragma once

#include "base/texts/KvLanguage.h"

namespace installtexts {

inline const TLanguageStrings Caption = {
    "Download and install charts", "Kaarten downloaden en installeren", "Karten herunterladen und installieren",
    "T\u00E9l\u00E9charger et installer des cartes", "Descargar e instalar cartas", "Scarica e installa carte",
    "Hent og installer s\u00F8kort", "H\u00E4mta och installera sj\u00F6kort"};
inline const TLanguageStrings Install = {"Install", "Installeren", "Installieren", "Installer", "Instalar", "Installa",
                                         "Installer", "Installera"};
inline const TLanguageStrings Remove = {"Remove", "Verwijderen", "Entfernen", "Supprimer", "Quitar", "Rimuovi", "Fjern",
                                        "Ta bort"};
inline const TLanguageStrings RemoveNone = {
    "Error removing chart sets.\r\nThere are no chart sets selected that can be removed (either because they have not "
    "been installed with Marivo or the installation folder is readonly).",
    "Fout bij het verwijderen van kaartsets.\r\nEr zijn geen kaartsets geselecteerd die verwijderd kunnen worden (omdat "
    "ze niet met Marivo ge\u00EFnstalleerd zijn of omdat de installatiemap alleen-lezen is).",
    "Fehler beim Entfernen der Kartens\u00E4tze.\r\nEs sind keine Kartens\u00E4tze ausgew\u00E4hlt, die entfernt werden "
    "k\u00F6nnen (weil sie nicht mit Marivo installiert wurden oder der Installationsordner schreibgesch\u00FCtzt ist).",
    "Erreur lors de la suppression des jeux de cartes.\r\nAucun jeu de cartes s\u00E9lectionn\u00E9 ne peut \u00EAtre "
    "supprim\u00E9 (il n'a pas \u00E9t\u00E9 install\u00E9 avec Marivo ou le dossier d'installation est en lecture seule).",
    "Error al quitar los conjuntos de cartas.\r\nNo hay conjuntos seleccionados que se puedan quitar (no se instalaron "
    "con Marivo o la carpeta de instalaci\u00F3n es de solo lectura).",
    "Errore durante la rimozione dei set di carte.\r\nNessun set selezionato pu\u00F2 essere rimosso (non \u00E8 stato "
    "installato con Marivo oppure la cartella di installazione \u00E8 di sola lettura).",
    "Fejl ved fjernelse af s\u00F8korts\u00E6t.\r\nDer er ikke valgt s\u00F8korts\u00E6t, som kan fjernes (de er ikke "
    "installeret med Marivo, eller installationsmappen er skrivebeskyttet).",
    "Fel n\u00E4r sj\u00F6kortsupps\u00E4ttningar skulle tas bort.\r\nInga valda upps\u00E4ttningar kan tas bort (de "
    "installerades inte med Marivo eller installationsmappen \u00E4r skrivskyddad)."};
inline const TLanguageStrings RemoveSomeBoth = {
    "One or more chart sets cannot be removed (either because they have not been installed with Marivo or the "
    "installation folder is readonly).\r\n\r\nDo you want to continue?",
    "Een of meer kaartsets kunnen niet verwijderd worden (omdat ze niet met Marivo ge\u00EFnstalleerd zijn of omdat de "
    "installatiemap alleen-lezen is).\r\n\r\nWilt u doorgaan?",
    "Ein oder mehrere Kartens\u00E4tze k\u00F6nnen nicht entfernt werden (weil sie nicht mit Marivo installiert wurden "
    "oder der Installationsordner schreibgesch\u00FCtzt ist).\r\n\r\nM\u00F6chten Sie fortfahren?",
    "Un ou plusieurs jeux de cartes ne peuvent pas \u00EAtre supprim\u00E9s (non install\u00E9s avec Marivo ou dossier "
    "en lecture seule).\r\n\r\nVoulez-vous continuer ?",
    "Uno o m\u00E1s conjuntos no se pueden quitar (no se instalaron con Marivo o la carpeta es de solo lectura).\r\n\r\n"
    "\u00BFDesea continuar?",
    "Uno o pi\u00F9 set non possono essere rimossi (non installati con Marivo o cartella di sola lettura).\r\n\r\n"
    "Continuare?",
    "Et eller flere s\u00F8kortss\u00E6t kan ikke fjernes (ikke installeret med Marivo, eller mappen er "
    "skrivebeskyttet).\r\n\r\nVil du forts\u00E6tte?",
    "En eller flera upps\u00E4ttningar kan inte tas bort (inte installerade med Marivo eller mappen \u00E4r "
    "skrivskyddad).\r\n\r\nVill du forts\u00E4tta?"};
inline const TLanguageStrings RemoveSomeForeign = {
    "One or more chart sets cannot be removed, because they have not been installed with Marivo. Use MRC Manager to "
    "remove those.\r\n\r\nDo you want to continue?",
    "Een of meer kaartsets kunnen niet verwijderd worden, omdat ze niet met Marivo ge\u00EFnstalleerd zijn. Gebruik MRC "
    "Manager om die te verwijderen.\r\n\r\nWilt u doorgaan?",
    "Ein oder mehrere Kartens\u00E4tze k\u00F6nnen nicht entfernt werden, weil sie nicht mit Marivo installiert wurden. "
    "Verwenden Sie dazu MRC Manager.\r\n\r\nM\u00F6chten Sie fortfahren?",
    "Un ou plusieurs jeux de cartes ne peuvent pas \u00EAtre supprim\u00E9s, car ils n'ont pas \u00E9t\u00E9 "
    "install\u00E9s avec Marivo. Utilisez MRC Manager pour les supprimer.\r\n\r\nVoulez-vous continuer ?",
    "Uno o m\u00E1s conjuntos no se pueden quitar porque no se instalaron con Marivo. Use MRC Manager para "
    "quitarlos.\r\n\r\n\u00BFDesea continuar?",
    "Uno o pi\u00F9 set non possono essere rimossi perch\u00E9 non sono stati installati con Marivo. Usare MRC Manager "
    "per rimuoverli.\r\n\r\nContinuare?",
    "Et eller flere s\u00F8kortss\u00E6t kan ikke fjernes, fordi de ikke er installeret med Marivo. Brug MRC Manager til "
    "at fjerne dem.\r\n\r\nVil du forts\u00E6tte?",
    "En eller flera upps\u00E4ttningar kan inte tas bort eftersom de inte installerades med Marivo. Anv\u00E4nd MRC "
    "Manager f\u00F6r att ta bort dem.\r\n\r\nVill du forts\u00E4tta?"};
inline const TLanguageStrings RemoveSomeReadOnly = {
    "One or more chart sets cannot be removed, because they have been installed in a readonly folder. Please use MRC "
    "Manager to remove these sets.\r\n\r\nDo you want to continue?",
    "Een of meer kaartsets kunnen niet verwijderd worden, omdat ze in een alleen-lezen map ge\u00EFnstalleerd zijn. "
    "Gebruik MRC Manager om deze sets te verwijderen.\r\n\r\nWilt u doorgaan?",
    "Ein oder mehrere Kartens\u00E4tze k\u00F6nnen nicht entfernt werden, weil sie in einem schreibgesch\u00FCtzten "
    "Ordner installiert wurden. Verwenden Sie dazu MRC Manager.\r\n\r\nM\u00F6chten Sie fortfahren?",
    "Un ou plusieurs jeux de cartes ne peuvent pas \u00EAtre supprim\u00E9s, car ils sont install\u00E9s dans un "
    "dossier en lecture seule. Utilisez MRC Manager pour les supprimer.\r\n\r\nVoulez-vous continuer ?",
    "Uno o m\u00E1s conjuntos no se pueden quitar porque est\u00E1n en una carpeta de solo lectura. Use MRC Manager "
    "para quitarlos.\r\n\r\n\u00BFDesea continuar?",
    "Uno o pi\u00F9 set non possono essere rimossi perch\u00E9 si trovano in una cartella di sola lettura. Usare MRC "
    "Manager per rimuoverli.\r\n\r\nContinuare?",
    "Et eller flere s\u00F8kortss\u00E6t kan ikke fjernes, fordi de ligger i en skrivebeskyttet mappe. Brug MRC Manager "
    "til at fjerne dem.\r\n\r\nVil du forts\u00E6tte?",
    "En eller flera upps\u00E4ttningar kan inte tas bort eftersom de ligger i en skrivskyddad mapp. Anv\u00E4nd MRC "
    "Manager f\u00F6r att ta bort dem.\r\n\r\nVill du forts\u00E4tta?"};
inline const TLanguageStrings RemoveNothingChecked = {
    "No charts checked for removal.\r\n\r\nPlease check at least one product to remove before proceeding.",
    "Geen kaarten aangevinkt om te verwijderen.\r\n\r\nVink ten minste \u00E9\u00E9n product aan om te verwijderen.",
    "Keine Karten zum Entfernen ausgew\u00E4hlt.\r\n\r\nBitte w\u00E4hlen Sie mindestens ein Produkt aus.",
    "Aucune carte coch\u00E9e pour la suppression.\r\n\r\nCochez au moins un produit avant de continuer.",
    "No hay cartas marcadas para quitar.\r\n\r\nMarque al menos un producto antes de continuar.",
    "Nessuna carta selezionata per la rimozione.\r\n\r\nSelezionare almeno un prodotto prima di procedere.",
    "Ingen s\u00F8kort markeret til fjernelse.\r\n\r\nMarker mindst \u00E9t produkt, f\u00F8r du forts\u00E6tter.",
    "Inga sj\u00F6kort markerade f\u00F6r borttagning.\r\n\r\nMarkera minst en produkt innan du forts\u00E4tter."};
inline const TLanguageStrings RemoveConfirm = {
    "Are you sure you want to remove the selected chartset?",
    "Weet u zeker dat u de geselecteerde kaartset wilt verwijderen?",
    "M\u00F6chten Sie den ausgew\u00E4hlten Kartensatz wirklich entfernen?",
    "Voulez-vous vraiment supprimer le jeu de cartes s\u00E9lectionn\u00E9 ?",
    "\u00BFEst\u00E1 seguro de que desea quitar el conjunto de cartas seleccionado?",
    "Rimuovere il set di carte selezionato?", "Er du sikker p\u00E5, at du vil fjerne det valgte s\u00F8kortss\u00E6t?",
    "Vill du verkligen ta bort den valda sj\u00F6kortsupps\u00E4ttningen?"};
inline const TLanguageStrings Uninstalling = {
    "Please wait.. Uninstalling selected chart sets.", "Even geduld.. De geselecteerde kaartsets worden verwijderd.",
    "Bitte warten.. Die ausgew\u00E4hlten Kartens\u00E4tze werden entfernt.",
    "Veuillez patienter.. D\u00E9sinstallation des jeux de cartes.", "Espere.. Desinstalando los conjuntos de cartas.",
    "Attendere.. Disinstallazione dei set di carte.", "Vent venligst.. Fjerner de valgte s\u00F8kortss\u00E6t.",
    "V\u00E4nta.. De valda upps\u00E4ttningarna tas bort."};
inline const TLanguageStrings Removed = {
    "Chart sets have been removed.", "De kaartsets zijn verwijderd.", "Die Kartens\u00E4tze wurden entfernt.",
    "Les jeux de cartes ont \u00E9t\u00E9 supprim\u00E9s.", "Se han quitado los conjuntos de cartas.",
    "I set di carte sono stati rimossi.", "S\u00F8kortss\u00E6ttene er fjernet.", "Upps\u00E4ttningarna har tagits bort."};

}  // namespace installtexts
