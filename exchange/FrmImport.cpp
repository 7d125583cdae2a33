#include "exchange/FrmImport.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraDataSelect.h"
#include "exchange/FraImportFile.h"
#include "exchange/FraImportFiles.h"
#include "exchange/FraImportSource.h"
#include "exchange/FraImportType.h"
#include "exchange/FrmImportDataFile.h"
#include "exchange/FrmImportText.h"
#include "exchange/FrmImportTexts.h"
#include "exchange/KvGPX.h"
#include "exchange/KvGPXParser.h"
#include "shell/FrmHelp.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvBackup.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvUnits.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QProgressDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace T = ImportText;

namespace {

constexpr int HelpContext = 4013;

TFormImport::TPrompter &Prompter() {
    static TFormImport::TPrompter prompter;
    return prompter;
}

void ShowError(const QString &text) { MsgBox(text, mtError, MsgButtons({mbOK})); }

// Shows how far a read is once it has taken longer than half a second.
class TReadProgress {
public:
    TReadProgress(QWidget *owner, const QString &text, const TFormImport::TReadClock &clock)
        : FOwner(owner), FText(text), FClock(clock) {
        if (!FClock) {
            auto timer = std::make_shared<QElapsedTimer>();
            timer->start();
            FClock = [timer] { return timer->elapsed(); };
        }
        FStart = FClock();
    }
    void Report(int64_t done, int64_t total) {
        const int64_t elapsed = FClock() - FStart;
        if (!FDialog && elapsed < 500) return;
        if (!FDialog) {
            FDialog = std::make_unique<QProgressDialog>(FText, QString(), 0, 1000, FOwner);
            FDialog->setObjectName(QStringLiteral("ProgressRead"));
            FDialog->setWindowModality(Qt::WindowModal);
            FDialog->setMinimumDuration(0);
        }
        FDialog->setValue(total > 0 ? int(std::min<int64_t>(done, total) * 1000 / total) : 0);
    }

private:
    QWidget *FOwner;
    QString FText;
    TFormImport::TReadClock FClock;
    int64_t FStart = 0;
    std::unique_ptr<QProgressDialog> FDialog;
};

}  // namespace

TFormImport::TFormImport(TMarivoNavEnv &env, QWidget *owner)
    : TFormScaled(owner), Env(env), UserDatabase(env.UserDatabase),
      UserManager(env.UserDatabase ? env.UserDatabase->GetManager() : nullptr),
      RouteProfileManager(env.RouteProfiles), WaypointProfileManager(env.WaypointProfiles) {
    setObjectName(QStringLiteral("FormImport"));
    int32_t err = 0;
    ImportManager = CreateWptManagerLike(UserManager, nullptr, nullptr, nullptr, nullptr, err);
    RaiseIfError(err);
    if (!ImportManager) RaiseIfError(-1);
    Groups = WptWaypointGroupListCreate(0);
    Polygons = WptPolygonListCreate(0);
    Routes = WptRouteListCreate(0);
    Types = WptWaypointTypeListCreate(0);
    Waypoints = WptWaypointListCreate(0);

    PanelContent = new QWidget(this);
    PanelContent->setObjectName(QStringLiteral("PanelContent"));
    auto *content = new QVBoxLayout(PanelContent);
    content->setContentsMargins(10, 10, 10, 10);
    ButtonHelp = new QPushButton(this);
    ButtonPrev = new QPushButton(this);
    ButtonNext = new QPushButton(this);
    ButtonClose = new QPushButton(this);
    ButtonHelp->setObjectName(QStringLiteral("ButtonHelp"));
    ButtonPrev->setObjectName(QStringLiteral("ButtonPrev"));
    ButtonNext->setObjectName(QStringLiteral("ButtonNext"));
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    for (QPushButton *b : {ButtonPrev, ButtonNext, ButtonClose}) b->setFixedSize(100, 25);
    ButtonNext->setDefault(true);
    auto *strip = new QHBoxLayout;
    strip->setContentsMargins(10, 0, 10, 5);
    strip->addWidget(ButtonHelp);
    strip->addStretch(1);
    strip->addWidget(ButtonPrev);
    strip->addWidget(ButtonNext);
    strip->addWidget(ButtonClose);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(PanelContent, 1);
    column->addLayout(strip);
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHelpManager().ShowHelpContext(HelpContext); });
    connect(ButtonPrev, &QPushButton::clicked, this, [this] { Previous(); });
    connect(ButtonNext, &QPushButton::clicked, this, [this] { Next(); });
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::reject);

    FrameDataSelect = TFrameDataSelect::CreateOnManager(ImportManager, nullptr, QString(), 0, Env.UnitDistanceLarge);
    FrameDataSelectOther = new TFrameDataSelectOther(this, &CollectionItems, &LogbookItems, &RouteProfileItems,
                                                     &WaypointProfileItems, &PolarItems, &TrackItems, 0);
    FrameImportFile = new TFrameImportFile(this);
    FrameImportFiles = new TFrameImportFiles(&Env);
    FrameImportFiles->PolarFolder = ProgInfoGetProgDir() + QStringLiteral("Polars/");
    FrameImportType = new TFrameImportType(this, &Env);
    for (QWidget *frame : {static_cast<QWidget *>(FrameDataSelect), static_cast<QWidget *>(FrameDataSelectOther),
                           static_cast<QWidget *>(FrameImportFile), static_cast<QWidget *>(FrameImportFiles),
                           static_cast<QWidget *>(FrameImportType)}) {
        frame->setParent(PanelContent);
        frame->hide();
    }
    InstallRuns();

    GPXTracksFolder = GetTempDir() + QStringLiteral("GPXTracks");
    if (DirExistsA(GPXTracksFolder)) DirDeleteTreeA(GPXTracksFolder, true, true, true, err);
    DirCreateA(GPXTracksFolder, err);

    resize(684, 464 + 30);
    setMinimumSize(692, 498);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint);
    UpdateTexts();
    ShowPage(ImportPage::Type);
    ScaleConstraints();
}

TFormImport::~TFormImport() {
    // The frames go before the lists and objects they show.
    for (QWidget *frame : {static_cast<QWidget *>(FrameDataSelect), static_cast<QWidget *>(FrameDataSelectOther),
                           static_cast<QWidget *>(FrameImportFile), static_cast<QWidget *>(FrameImportFiles),
                           static_cast<QWidget *>(FrameImportType)})
        delete frame;
    for (auto &[page, steps] : FRunPages) delete steps.Frame;
    FreeItems();
    for (NavObject *list : std::initializer_list<NavObject *>{Groups, Polygons, Routes, Types, Waypoints})
        ObjectDeleteIfAssigned(list);
    ObjectDeleteIfAssigned(DataFile);
    int32_t err = 0;
    if (DirExistsA(GPXTracksFolder)) DirDeleteTreeA(GPXTracksFolder, true, true, true, err);
    ObjectDeleteIfAssigned(ImportManager);
}

void TFormImport::Execute(TMarivoNavEnv &env, QWidget *owner) {
    TFormImport form(env, owner);
    if (Prompter()) Prompter()(form);
    else form.exec();
}

TFormImport::TPrompter TFormImport::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

void TFormImport::InstallRuns() {
    // The runs the type page keeps hidden add their pages and steps here.
    InstallTextImportRun(*this);
    InstallDataFileImportRun(*this);
}

void TFormImport::AddPage(int page, const TImportPageSteps &steps) {
    FRunPages[page] = steps;
    if (steps.Frame) {
        steps.Frame->setParent(PanelContent);
        steps.Frame->hide();
    }
}

void TFormImport::UpdateTexts() {
    setWindowTitle(LanguageText(T::Caption));
    ButtonClose->setText(LanguageText(T::Close));
    ButtonNext->setText(LanguageText(T::Next));
    ButtonPrev->setText(LanguageText(T::Previous));
    ButtonHelp->setText(LanguageText(T::Help));
}

void TFormImport::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F1) GetHelpManager().ShowHelpContext(HelpContext);
    else TFormScaled::keyPressEvent(event);
}

void TFormImport::ShowFrame(QWidget *frame) {
    for (QObject *child : PanelContent->children())
        if (auto *w = qobject_cast<QWidget *>(child)) {
            PanelContent->layout()->removeWidget(w);
            w->hide();
        }
    PanelContent->layout()->addWidget(frame);
    frame->show();
}

bool TFormImport::ImportHasObjects() const {
    return ImportDatabase && (ImportDatabase->GetObjectCount() > 0 || ImportDatabase->GetRouteCount() > 0);
}

void TFormImport::ShowPage(int page) {
    if (page == FCurrentPage) return;
    ButtonPrev->setEnabled(false);
    FCurrentPage = page;
    QString next = LanguageText(T::Next);
    QWidget *frame = nullptr;
    switch (page) {
    case ImportPage::Type: frame = FrameImportType; break;
    case ImportPage::File:
        FrameImportFile->SetImportType(ImportType);
        frame = FrameImportFile;
        break;
    case ImportPage::Files:
        FrameImportFiles->SetImportType(ImportType);
        if (ImportType == ImportType::TrackFiles) next = LanguageText(T::ImportButton);
        frame = FrameImportFiles;
        break;
    case ImportPage::GPXObjects:
        if (TrackItems.Count() == 0) next = LanguageText(T::ImportButton);
        frame = FrameDataSelect;
        break;
    case ImportPage::Tracks:
        next = LanguageText(T::ImportButton);
        frame = FrameDataSelectOther;
        break;
    default: {
        const auto run = FRunPages.find(page);
        if (run == FRunPages.end()) return;
        if (run->second.NextCaption) next = run->second.NextCaption();
        frame = run->second.Frame;
        break;
    }
    }
    ButtonPrev->setEnabled(page != ImportPage::Type);
    ButtonNext->setText(next);
    if (frame) ShowFrame(frame);
    if (page == ImportPage::GPXObjects) {
        FrameDataSelect->SetCurrentDatabase(ImportDatabase);
        FrameDataSelect->SetCurrentDatabaseCaption(LanguageText(T::GPXCaption));
        uint8_t kinds = 0;
        if (ImportDatabase && ImportDatabase->GetObjectCount() > 0) kinds |= DataSelectKind::Waypoints;
        if (ImportDatabase && ImportDatabase->GetRouteCount() > 0) kinds |= DataSelectKind::Routes;
        FrameDataSelect->SetKinds(kinds);
        FrameDataSelect->RefreshAll();
    } else if (page == ImportPage::Tracks) {
        FrameDataSelectOther->SetKinds(TrackItems.Count() > 0 ? DataSelectOtherKind::Tracks : 0);
        FrameDataSelectOther->Refresh();
    } else if (page >= ImportPage::Run && FRunPages[page].Shown) {
        FRunPages[page].Shown();
    }
}

void TFormImport::Next() {
    switch (FCurrentPage) {
    case ImportPage::Type:
        ImportType = FrameImportType->GetImportType();
        ShowPage(ImportType == ImportType::DataFile || ImportType == ImportType::GPX ? ImportPage::File
                                                                                      : ImportPage::Files);
        return;
    case ImportPage::File:
        if (ImportType == ImportType::GPX) ReadGPXFile();
        else if (ImportType == ImportType::DataFile && Steps.ReadDataFile) Steps.ReadDataFile();
        return;
    case ImportPage::Files:
        if (!FrameImportFiles->Validate()) return;
        ClearImportLists();
        if (ImportType == ImportType::TrackFiles) {
            TrackFiles = FrameImportFiles->Files;
            Finish();
        } else if (ImportType == ImportType::Polars) {
            if (Steps.ReadPolarFiles) Steps.ReadPolarFiles();
        } else if (Steps.ReadTextFiles) {
            Steps.ReadTextFiles();
        }
        return;
    case ImportPage::GPXObjects:
        if (TrackItems.Count() > 0) ShowPage(ImportPage::Tracks);
        else if (CollectTrackSelection()) Finish();
        return;
    case ImportPage::Tracks:
        if (CollectTrackSelection()) Finish();
        return;
    default: {
        const auto run = FRunPages.find(FCurrentPage);
        if (run != FRunPages.end() && run->second.Next) run->second.Next();
        return;
    }
    }
}

void TFormImport::Previous() {
    switch (FCurrentPage) {
    case ImportPage::Type: return;
    case ImportPage::File:
    case ImportPage::Files: ShowPage(ImportPage::Type); return;
    case ImportPage::GPXObjects: ShowPage(ImportPage::File); return;
    case ImportPage::Tracks: ShowPage(ImportHasObjects() ? ImportPage::GPXObjects : ImportPage::File); return;
    default: {
        const auto run = FRunPages.find(FCurrentPage);
        if (run != FRunPages.end() && run->second.Previous) run->second.Previous();
        return;
    }
    }
}

void TFormImport::ClearImportLists() {
    FrameDataSelect->ClearAll();
    FrameDataSelectOther->ClearAll();
    for (TBackupEntryList *list : {&SelectedCollections, &SelectedLogbooks, &SelectedPolars, &SelectedRouteProfiles,
                                   &SelectedWaypointProfiles, &SelectedTracks})
        list->Clear();
    PolarFiles.clear();
    TrackFiles.clear();
    for (IWptObjectList *list : std::initializer_list<IWptObjectList *>{Groups, Polygons, Routes, Types, Waypoints})
        list->Clear();
    if (ImportDatabase) {
        ImportDatabase->Close();
        ImportDatabase = nullptr;
    }
    ObjectDeleteAndNil(DataFile);
    if (Steps.ClearImportLists) Steps.ClearImportLists();
}

void TFormImport::FreeItems() {
    for (TDataItemList *list :
         {&CollectionItems, &LogbookItems, &PolarItems, &RouteProfileItems, &WaypointProfileItems, &TrackItems}) {
        for (int i = 0; i < list->Count(); ++i) delete list->Items(i);
        list->Clear();
    }
}

void TFormImport::ReadGPXFile() {
    if (!FrameImportFile->Validate()) return;
    ClearImportLists();
    const QString file = FrameImportFile->FileName;
    try {
        ImportDatabase = WptManagerNewDatabase(ImportManager, QStringLiteral("Import database"));
        int32_t invalid = 0;
        const uint8_t options = GPXOption::RoutesAsTracks | GPXOption::Tracks;
        TReadProgress progress(this, DataSelectFormat(LanguageText(T::Reading), {QFileInfo(file).fileName()}),
                               ReadClock);
        ::ReadGPXFile(file, ImportManager, ImportDatabase, GlobalGPSClock()->GetDateTimeUTC(), GPXTracksFolder,
                      TrackFiles, invalid, options,
                      [&progress](int64_t done, int64_t total) { progress.Report(done, total); });
        BuildItems();
        if (invalid > 0) MsgBox(LanguageText(TrackItems.Count() == 0 ? T::AllInvalid : T::SomeInvalid), mtWarning,
                                MsgButtons({mbOK}));
        if (ImportHasObjects()) ShowPage(ImportPage::GPXObjects);
        else if (TrackItems.Count() > 0) ShowPage(ImportPage::Tracks);
        else {
            ShowError(LanguageText(T::NoValidData));
            ShowPage(ImportPage::Type);
        }
    } catch (const Exception &e) {
        ShowError(DataSelectFormat(LanguageText(T::ErrorReading), {QFileInfo(file).fileName()}) +
                  QStringLiteral("\r\n\r\n") + e.Message());
        ShowPage(ImportPage::Type);
    } catch (const std::exception &e) {
        ShowError(DataSelectFormat(LanguageText(T::ErrorReading), {QFileInfo(file).fileName()}) +
                  QStringLiteral("\r\n\r\n") + QString::fromLocal8Bit(e.what()));
        ShowPage(ImportPage::Type);
    }
}

void TFormImport::BuildItems() {
    FrameDataSelectOther->ClearAll();
    FreeItems();
    for (int i = int(TrackFiles.size()) - 1; i >= 0; --i) {
        TTrackFileInfo info;
        int32_t err = 0;
        NavTrackGetFileInfo(TrackFiles[i], info, err);
        RaiseIfError(err, TrackFiles[i]);
        TrackItems.Add(new TDataItem(TrackFiles[i], info.Name, nullptr, 0));
    }
    FrameDataSelectOther->Refresh();
}

bool TFormImport::CollectTrackSelection() {
    FrameDataSelect->GetSelection(Groups, Waypoints, Routes, Types, Polygons);
    TDataItemFiles trackFiles;
    FrameDataSelectOther->GetSelection(SelectedCollections, SelectedRouteProfiles, SelectedWaypointProfiles,
                                       SelectedLogbooks, &SelectedPolars, &SelectedTracks, nullptr, &trackFiles);
    TrackFiles.clear();
    for (const auto &[kind, item] : trackFiles) TrackFiles << kind;
    if (Waypoints->GetCount() == 0 && Routes->GetCount() == 0 && TrackFiles.isEmpty()) {
        ShowError(LanguageText(T::NothingSelected));
        return false;
    }
    return true;
}

void TFormImport::Finish() {
    QString report;
    int result = 0;
    auto step = [&result, &report](bool wanted, const std::function<int(QString &)> &hook) {
        if (result == 0 && wanted && hook) result = hook(report);
    };
    step(SelectedCollections.Count() > 0, Steps.ImportChartCollections);
    step(Waypoints->GetCount() > 0 || Groups->GetCount() > 0 || Routes->GetCount() > 0 || Types->GetCount() > 0 ||
             Polygons->GetCount() > 0,
         Steps.MergeImportObjects);
    step(SelectedRouteProfiles.Count() > 0 || SelectedWaypointProfiles.Count() > 0, Steps.ImportFormatProfiles);
    step(SelectedTracks.Count() > 0, Steps.ImportDataFileTracks);
    step(!PolarFiles.isEmpty(), Steps.ImportPolarFiles);
    if (result == 0 && !TrackFiles.isEmpty() && !ImportTrackFiles(report)) result = 2;
    if (result == 0) {
        MsgBox(LanguageText(T::Completed) + u'\n' + report, mtInformation, MsgButtons({mbOK}));
        accept();
        return;
    }
    if (result == 2) MsgBox(LanguageText(T::Aborted) + u'\n' + report, mtInformation, MsgButtons({mbOK}));
    ShowPage(ImportPage::Type);
}
