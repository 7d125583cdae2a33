#include "exchange/FrmImportDataFile.h"

#include "base/dialogs/KvMsgBox.h"
#include "exchange/FraDataSelect.h"
#include "exchange/FraDataSelectOther.h"
#include "exchange/FraImportFile.h"
#include "exchange/FraImportFiles.h"
#include "exchange/FraImportSource.h"
#include "exchange/FrmImport.h"
#include "exchange/FrmImportTexts.h"
#include "exchange/ImportDataFile.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvWaypoints.h>

#include <QObject>

namespace {

// Keeps the run with the wizard; the frames are the wizard's from AddPage on.
class TDataFileRun : public QObject {
public:
    TDataFileRun(TFormImport &form) : QObject(&form), Data(&form.Env) {
        setObjectName(QStringLiteral("DataFileImportRun"));
    }
    TImportDataFile Data;
    TFrameDataSelect *ObjectFrame = nullptr;
    TFrameDataSelectOther *ItemFrame = nullptr;
};

TDataFileRun *RunOf(TFormImport &form) {
    return form.findChild<TDataFileRun *>(QStringLiteral("DataFileImportRun"), Qt::FindDirectChildrenOnly);
}

bool HasObjects(TFormImport &f) { return TImportDataFile::ObjectKinds(f.ImportDatabase) != 0; }

// The choice of both pages into the wizard's lists; False, after the message, when nothing
// at all was chosen.
bool CollectDataFileSelection(TFormImport &f, TDataFileRun &run) {
    run.ObjectFrame->GetSelection(f.Groups, f.Waypoints, f.Routes, f.Types, f.Polygons);
    run.ItemFrame->GetSelection(f.SelectedCollections, f.SelectedRouteProfiles, f.SelectedWaypointProfiles,
                                f.SelectedLogbooks, &f.SelectedPolars, &f.SelectedTracks);
    int chosen = f.Groups->GetCount() + f.Waypoints->GetCount() + f.Routes->GetCount() + f.Types->GetCount() +
                 f.Polygons->GetCount();
    for (const TBackupEntryList *list : {&f.SelectedCollections, &f.SelectedLogbooks, &f.SelectedPolars,
                                         &f.SelectedRouteProfiles, &f.SelectedWaypointProfiles, &f.SelectedTracks})
        chosen += list->Count();
    if (chosen > 0) return true;
    MsgBox(LanguageText(ImportText::NothingSelected), mtError, MsgButtons({mbOK}));
    return false;
}

void ReadDataFile(TFormImport &f, TDataFileRun &run) {
    if (!f.FrameImportFile->Validate()) return;
    f.ClearImportLists();
    IWptDatabase *database = nullptr;
    if (!run.Data.Read(f.FrameImportFile->FileName, f.ImportManager, database)) return;
    f.ImportDatabase = database;
    run.ItemFrame->Refresh();
    switch (run.Data.NextPage(database)) {
    case TImportDataFile::TNextPage::ObjectPage: f.ShowPage(ImportDataFilePage::Objects); return;
    case TImportDataFile::TNextPage::ItemPage: f.ShowPage(ImportDataFilePage::Items); return;
    case TImportDataFile::TNextPage::NothingToImport:
        TImportDataFile::ShowNothingToImport();
        f.ClearImportLists();
        f.ShowPage(ImportPage::Type);
        return;
    }
}

void AddPages(TFormImport &form, TDataFileRun *run) {
    TFormImport *f = &form;
    TImportPageSteps objects;
    objects.Frame = run->ObjectFrame;
    objects.NextCaption = [run] {
        return LanguageText(run->Data.HasItems() ? ImportText::Next : ImportText::ImportButton);
    };
    objects.Shown = [f, run] {
        run->ObjectFrame->SetCurrentDatabase(f->ImportDatabase);
        run->ObjectFrame->SetCurrentDatabaseCaption(DataFileDatabaseCaption());
        run->ObjectFrame->SetKinds(TImportDataFile::ObjectKinds(f->ImportDatabase));
        run->ObjectFrame->RefreshAll();
    };
    objects.Next = [f, run] {
        if (run->Data.HasItems()) f->ShowPage(ImportDataFilePage::Items);
        else if (CollectDataFileSelection(*f, *run)) f->Finish();
    };
    objects.Previous = [f] { f->ShowPage(ImportPage::File); };
    form.AddPage(ImportDataFilePage::Objects, objects);

    TImportPageSteps items;
    items.Frame = run->ItemFrame;
    items.NextCaption = [] { return LanguageText(ImportText::ImportButton); };
    items.Shown = [run] {
        run->ItemFrame->SetKinds(run->Data.ItemKinds());
        run->ItemFrame->Refresh();
    };
    items.Next = [f, run] {
        if (CollectDataFileSelection(*f, *run)) f->Finish();
    };
    items.Previous = [f] { f->ShowPage(HasObjects(*f) ? ImportDataFilePage::Objects : ImportPage::File); };
    form.AddPage(ImportDataFilePage::Items, items);
}

void AddSteps(TFormImport &form, TDataFileRun *run) {
    TFormImport *f = &form;
    form.Steps.ReadDataFile = [f, run] { ReadDataFile(*f, *run); };
    form.Steps.ReadPolarFiles = [f] {
        f->PolarFiles = f->FrameImportFiles->Files;
        f->Finish();
    };
    // The polar files are collected only: the report says that none came in.
    form.Steps.ImportPolarFiles = [](QString &report) {
        report += PolarReportLine();
        return int(ImportStepResult::Done);
    };
    // No list of chart collections is supplied: the step refuses instead of running.
    form.Steps.ImportChartCollections = [f, run](QString &report) {
        return int(run->Data.ImportChartCollections(nullptr, f->SelectedCollections, report));
    };
    form.Steps.ImportFormatProfiles = [f, run](QString &report) {
        int32_t result = ImportStepResult::Done;
        if (f->SelectedRouteProfiles.Count() > 0)
            result = run->Data.ImportFormatProfiles(f->SelectedRouteProfiles, f->RouteProfileManager, report);
        if (result == ImportStepResult::Done && f->SelectedWaypointProfiles.Count() > 0)
            result = run->Data.ImportFormatProfiles(f->SelectedWaypointProfiles, f->WaypointProfileManager, report);
        return int(result);
    };
    form.Steps.ImportDataFileTracks = [f, run](QString &report) {
        return int(run->Data.ImportDataFileTracks(f->SelectedTracks, report));
    };
    // Before a source is read anew: the pages let go of the items, then they are freed.
    auto previous = form.Steps.ClearImportLists;
    form.Steps.ClearImportLists = [run, previous] {
        run->ObjectFrame->ClearAll();
        run->ItemFrame->ClearAll();
        run->Data.Clear();
        if (previous) previous();
    };
}

}  // namespace

TDataFileImportRun DataFileImportRunOf(TFormImport &form) {
    TDataFileRun *run = RunOf(form);
    if (!run) return {nullptr, nullptr, nullptr};
    return {&run->Data, run->ObjectFrame, run->ItemFrame};
}

void InstallDataFileImportRun(TFormImport &form) {
    auto *run = new TDataFileRun(form);
    TImportDataFile &d = run->Data;
    run->ObjectFrame = TFrameDataSelect::CreateOnManager(form.ImportManager, nullptr, QString(), 0,
                                                         form.Env.UnitDistanceLarge);
    run->ObjectFrame->setObjectName(QStringLiteral("FrameDataFileObjects"));
    run->ItemFrame = new TFrameDataSelectOther(nullptr, &d.CollectionItems, &d.LogbookItems, &d.RouteProfileItems,
                                               &d.WaypointProfileItems, &d.PolarItems, &d.TrackItems, 0);
    run->ItemFrame->setObjectName(QStringLiteral("FrameDataFileItems"));
    AddPages(form, run);
    AddSteps(form, run);
}
