#include "exchange/ImportDataFile.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvLib.h"
#include "base/logbook/KvLogbook.h"
#include "base/txtformat/KvTxtFormat.h"
#include "exchange/FraDataSelect.h"
#include "exchange/FrmMsgDuplicate.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvBackup.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvTxtFormat.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QDir>

namespace {

const TLanguageStrings SImported = {"imported.", "geïmporteerd.", "importiert.", "importé(s).", "", "importati.",
                                    "importeret.", "importerade."};
const TLanguageStrings SChartCollections = {"chart collection(s)", "kaartcollectie(s)", "Kartensammlung(en)",
                                            "collection(s) de cartes", "", "raccolta/e di carte",
                                            "kortsamling(er)", "kortsamling(ar)"};
const TLanguageStrings SRouteProfiles = {"route profile(s)", "routeprofiel(en)", "Routenprofil(e)",
                                         "profil(s) de route", "", "profilo/i di rotta", "ruteprofil(er)",
                                         "ruttprofil(er)"};
const TLanguageStrings SWaypointProfiles = {"waypoint profile(s)", "waypointprofiel(en)", "Wegpunktprofil(e)",
                                            "profil(s) de waypoint", "", "profilo/i di waypoint",
                                            "waypointprofil(er)", "vägpunktsprofil(er)"};
const TLanguageStrings STracks = {"track(s)", "spo(o)r(en)", "Track(s)", "trace(s)", "", "traccia/e", "spor",
                                  "spår"};
const TLanguageStrings SPolars = {"Polar diagram(s)", "Polaire diagram(men)", "Polardiagramm(e)",
                                  "Diagramme(s) polaire(s)", "", "Diagramma/i polare/i", "Polardiagram(mer)",
                                  "Polärdiagram"};
const TLanguageStrings SImportCompleted = {"Import completed.", "Importeren voltooid.", "Import abgeschlossen.",
                                           "Importation terminée.", "", "Importazione completata.",
                                           "Import fuldført.", "Importen är klar."};
const TLanguageStrings SCannotOpen = {
    "Cannot open the file '%1'.\r\n\r\n%2", "Kan het bestand '%1' niet openen.\r\n\r\n%2",
    "Die Datei '%1' kann nicht geöffnet werden.\r\n\r\n%2", "Impossible d'ouvrir le fichier '%1'.\r\n\r\n%2", "",
    "Impossibile aprire il file '%1'.\r\n\r\n%2", "Kan ikke åbne filen '%1'.\r\n\r\n%2",
    "Det går inte att öppna filen '%1'.\r\n\r\n%2"};
const TLanguageStrings SNoData = {
    "Cannot import data file.\r\n\r\nNo valid import data has been found.",
    "Kan het gegevensbestand niet importeren.\r\n\r\nEr zijn geen geldige importgegevens gevonden.",
    "Die Datendatei kann nicht importiert werden.\r\n\r\nEs wurden keine gültigen Importdaten gefunden.",
    "Impossible d'importer le fichier de données.\r\n\r\nAucune donnée d'importation valide n'a été trouvée.", "",
    "Impossibile importare il file di dati.\r\n\r\nNon sono stati trovati dati di importazione validi.",
    "Kan ikke importere datafilen.\r\n\r\nDer blev ikke fundet gyldige importdata.",
    "Det går inte att importera datafilen.\r\n\r\nInga giltiga importdata hittades."};
const TLanguageStrings SNothingSelected = {
    "You have selected nothing to import.\r\n\r\nPlease select at least one item to import.",
    "U hebt niets geselecteerd om te importeren.\r\n\r\nSelecteer ten minste één item om te importeren.",
    "Sie haben nichts zum Importieren ausgewählt.\r\n\r\nBitte wählen Sie mindestens ein Element aus.",
    "Vous n'avez rien sélectionné à importer.\r\n\r\nVeuillez sélectionner au moins un élément à importer.", "",
    "Non è stato selezionato nulla da importare.\r\n\r\nSelezionare almeno un elemento da importare.",
    "Du har ikke valgt noget at importere.\r\n\r\nVælg mindst ét element at importere.",
    "Du har inte valt något att importera.\r\n\r\nVälj minst ett objekt att importera."};
const TLanguageStrings SDatabaseCaption = {"Marivo data file", "Marivo-gegevensbestand", "Marivo-Datendatei",
                                           "Fichier de données Marivo", "", "File di dati Marivo",
                                           "Marivo-datafil", "Marivo-datafil"};

void ShowCannotOpen(const QString &fileName, int32_t err) {
    MsgBox(LanguageText(SCannotOpen).arg(fileName, ErrorToStrA(err)), mtError, MsgButtons({mbOK}));
}

}  // namespace

QString ImportReportLine(int32_t count, const QString &what) {
    return QStringLiteral("\n\r %1 %2 %3").arg(count).arg(what, LanguageText(SImported));
}

QString PolarReportLine() { return ImportReportLine(0, LanguageText(SPolars)); }

QString PolarImportReport() { return LanguageText(SImportCompleted) + QStringLiteral("\n") + PolarReportLine(); }

QString DataFileDatabaseCaption() { return LanguageText(SDatabaseCaption); }

TImportDataFile::TImportDataFile(TMarivoNavEnv *env) : FEnv(env) {}

TImportDataFile::~TImportDataFile() { Clear(); }

std::vector<TDataItemList *> TImportDataFile::ItemLists() {
    return {&CollectionItems, &LogbookItems, &PolarItems, &RouteProfileItems, &WaypointProfileItems, &TrackItems};
}

void TImportDataFile::Clear() {
    for (TDataItemList *list : ItemLists()) list->Clear();
    FItems.clear();
    for (TBackupEntryList *list : {&SelectedCollections, &SelectedLogbooks, &SelectedPolars, &SelectedRouteProfiles,
                                   &SelectedWaypointProfiles, &SelectedTracks})
        list->Clear();
    ObjectDeleteAndNil(FDataFile);
}

bool TImportDataFile::Read(const QString &fileName, IWptManager *importManager, IWptDatabase *&database) {
    database = nullptr;
    Clear();
    int32_t err = KvErr::Ok;
    FDataFile = CreateNavBackup(fileName, err);
    if (!FDataFile || err != KvErr::Ok) {
        ObjectDeleteAndNil(FDataFile);
        ShowCannotOpen(fileName, err != KvErr::Ok ? err : KvErr::ReadFailed);
        return false;
    }
    if (FDataFile->GetContents() & NavBackupContents::WaypointDatabase) {
        importManager->BeginUpdate(1, 0);
        try {
            database = WptManagerOpenDatabase(importManager, fileName, FDataFile->GetDatabasePosition(), err);
        } catch (...) {
            importManager->EndUpdate();
            throw;
        }
        importManager->EndUpdate();
        if (!database || err != KvErr::Ok) {
            database = nullptr;
            ObjectDeleteAndNil(FDataFile);
            ShowCannotOpen(fileName, err != KvErr::Ok ? err : KvErr::ReadFailed);
            return false;
        }
    }
    BuildItems();
    return true;
}

void TImportDataFile::AddItems(TDataItemList &list, const char *kind, int32_t count,
                               INavBackupEntry *(INavBackup::*entry)(int32_t)) {
    // From the last entry down, as the item page has always listed them.
    for (int32_t i = count - 1; i >= 0; --i) {
        INavBackupEntry *e = (FDataFile->*entry)(i);
        if (!e) continue;
        FItems.push_back(std::make_unique<TDataItem>(QString::fromLatin1(kind), NavBackupItemGetName(e), e, 0));
        list.Add(FItems.back().get());
    }
}

void TImportDataFile::BuildItems() {
    const uint32_t contents = FDataFile->GetContents();
    if (contents & NavBackupContents::RouteProfiles)
        AddItems(RouteProfileItems, DataItemRouteProfile, FDataFile->GetRouteProfileCount(),
                 &INavBackup::GetRouteProfile);
    if (contents & NavBackupContents::WaypointProfiles)
        AddItems(WaypointProfileItems, DataItemWaypointProfile, FDataFile->GetWaypointProfileCount(),
                 &INavBackup::GetWaypointProfile);
    if (contents & NavBackupContents::Tracks)
        AddItems(TrackItems, DataItemTrack, FDataFile->GetTrackCount(), &INavBackup::GetTrack);
}

uint8_t TImportDataFile::ObjectKinds(IWptDatabase *database) {
    if (!database) return 0;
    uint8_t kinds = 0;
    if (database->GetObjectCount() > 0) kinds |= DataSelectKind::Waypoints;
    if (database->GetWaypointGroupCount() > 0) kinds |= DataSelectKind::Groups;
    if (database->GetWaypointTypeCount() > 0) kinds |= DataSelectKind::Types;
    if (database->GetRouteCount() > 0) kinds |= DataSelectKind::Routes;
    if (database->GetPolygonCount() > 0) kinds |= DataSelectKind::Polygons;
    return kinds;
}

uint8_t TImportDataFile::ItemKinds() const {
    uint8_t kinds = 0;
    if (RouteProfileItems.Count() > 0 || WaypointProfileItems.Count() > 0) kinds |= DataSelectOtherKind::Profiles;
    if (TrackItems.Count() > 0) kinds |= DataSelectOtherKind::Tracks;
    return kinds;
}

bool TImportDataFile::HasItems() const {
    for (const TDataItemList *list : {&CollectionItems, &LogbookItems, &PolarItems, &RouteProfileItems,
                                      &WaypointProfileItems, &TrackItems})
        if (list->Count() > 0) return true;
    return false;
}

TImportDataFile::TNextPage TImportDataFile::NextPage(IWptDatabase *database) const {
    if (ObjectKinds(database) != 0) return TNextPage::ObjectPage;
    if (HasItems()) return TNextPage::ItemPage;
    return TNextPage::NothingToImport;
}

void TImportDataFile::ShowNothingToImport() { MsgBox(LanguageText(SNoData), mtError, MsgButtons({mbOK})); }

bool TImportDataFile::CheckSelection(int32_t objects) const {
    int32_t chosen = objects;
    for (const TBackupEntryList *list : {&SelectedCollections, &SelectedLogbooks, &SelectedPolars,
                                         &SelectedRouteProfiles, &SelectedWaypointProfiles, &SelectedTracks})
        chosen += list->Count();
    if (chosen > 0) return true;
    MsgBox(LanguageText(SNothingSelected), mtError, MsgButtons({mbOK}));
    return false;
}

int32_t TImportDataFile::MarkEntries(TBackupEntryList &entries, TDuplicateKind kind, const TFindExisting &find) {
    int32_t count = 0;
    TDuplicateAction remembered = daKeep;
    bool applyAll = false;
    for (INavBackupEntry *e : entries) {
        e->SetOverwrite(true);
        e->SetSelected(true);
        ++count;
        const QString name = NavBackupItemGetName(e);
        QString existing;
        if (!find(name, existing)) continue;
        if (!applyAll && !TFormMsgDuplicate::ExecuteByName(kind, existing, name, FEnv, remembered, applyAll))
            return -1;
        if (remembered == daKeep) {
            e->SetOverwrite(false);
            e->SetSelected(false);
            --count;
        }
    }
    return count;
}

int32_t TImportDataFile::ImportChartCollections(IChartCollectionList *target, TBackupEntryList &selected,
                                                QString &report) {
    // No list of chart collections is supplied to import into: refuse instead of looking
    // names up in nothing.
    if (!target || !FDataFile) return KvErr::InvalidArgument;
    const int32_t count = MarkEntries(selected, dkChartCollection, [target](const QString &name, QString &existing) {
        int32_t index = -1;
        if (!ImportListFindByName(target, name, index)) return false;
        existing = ImportObjectGetName(dynamic_cast<IImportObject *>(target->GetItem(index)));
        return true;
    });
    if (count < 0) return ImportStepResult::Cancelled;
    int32_t err = KvErr::Ok;
    FDataFile->ImportChartCollections(target, 0, err);
    if (err == KvErr::Ok) report += ImportReportLine(count, LanguageText(SChartCollections));
    return err;
}

int32_t TImportDataFile::ImportFormatProfiles(TBackupEntryList &selected, ITxtFormatProfileManager *manager,
                                              QString &report) {
    if (!manager || !FDataFile) return KvErr::InvalidArgument;
    const bool waypoints = FEnv && manager == FEnv->WaypointProfiles;
    const int32_t count = MarkEntries(selected, waypoints ? dkWaypointProfile : dkRouteProfile,
                                      [manager](const QString &name, QString &existing) {
                                          int32_t index = -1;
                                          if (!TxtFormatProfileManagerFind(manager, name, index)) return false;
                                          existing = TxtFormatProfileGetName(manager->GetProfile(index));
                                          return true;
                                      });
    if (count < 0) return ImportStepResult::Cancelled;
    int32_t err = KvErr::Ok;
    if (waypoints)
        FDataFile->ImportWaypointProfiles(manager, 0, err);
    else
        FDataFile->ImportRouteProfiles(manager, 0, err);
    if (err != KvErr::Ok) return err;
    // The restored profiles last beyond this run only once their file is written.
    if (!TxtFormatProfileManagerGetFileName(manager).isEmpty()) manager->SaveToFile(err);
    if (err != KvErr::Ok) return err;
    report += ImportReportLine(count, LanguageText(waypoints ? SWaypointProfiles : SRouteProfiles));
    return KvErr::Ok;
}

int32_t TImportDataFile::ImportDataFileTracks(TBackupEntryList &selected, QString &report) {
    if (!FDataFile || !FEnv) return KvErr::InvalidArgument;
    for (INavBackupEntry *e : selected) {
        e->SetOverwrite(false);
        e->SetSelected(true);
    }
    int32_t err = KvErr::Ok;
    // The line counts the tracks actually written, not the ones chosen.
    const int32_t restored = NavBackupImportTracks(FDataFile, FEnv->TracksFolder, 0, err);
    if (err == KvErr::Ok) report += ImportReportLine(restored, LanguageText(STracks));
    return err;
}

int32_t TImportDataFile::ImportSelected(QString &report, const TMergeStep &merge) {
    int32_t result = ImportStepResult::Done;
    if (SelectedCollections.Count() > 0) result = ImportChartCollections(nullptr, report);
    if (result == ImportStepResult::Done && merge) result = merge(report);
    if (result == ImportStepResult::Done && SelectedRouteProfiles.Count() > 0)
        result = ImportFormatProfiles(SelectedRouteProfiles, FEnv ? FEnv->RouteProfiles : nullptr, report);
    if (result == ImportStepResult::Done && SelectedWaypointProfiles.Count() > 0)
        result = ImportFormatProfiles(SelectedWaypointProfiles, FEnv ? FEnv->WaypointProfiles : nullptr, report);
    if (result == ImportStepResult::Done && SelectedTracks.Count() > 0) result = ImportDataFileTracks(report);
    return result;
}
