#include "exchange/FraDataSelectOther.h"

#include "base/graphics/KvNightScreen.h"
#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvBackup.h>

#include <QLabel>
#include <QLayout>
#include <QTabWidget>
#include <QVBoxLayout>
#include <tuple>

namespace {

struct TBackupKind {
    const char *Text;
    TDataItemKind Kind;
};
constexpr TBackupKind BackupKinds[] = {
    {"NAVBACKUP_COLLECTION", TDataItemKind::Collection},  {"NAVBACKUP_LOGBOOK", TDataItemKind::Logbook},
    {"NAVBACKUP_PROFILE_RTE", TDataItemKind::RouteProfile}, {"NAVBACKUP_PROFILE_WPT", TDataItemKind::WaypointProfile},
    {"NAVBACKUP_POLAR", TDataItemKind::Polar},            {"NAVBACKUP_TRACK", TDataItemKind::Track},
};

const TLanguageStrings TextCollections = {"Chart collections", "Kaartcollecties", "Kartensammlungen",
                                          "Collections de cartes", "Colecciones de cartas", "Raccolte di carte",
                                          "Kortsamlinger", "Sjökortssamlingar"};
const TLanguageStrings TextLogbooks = {"Logbooks", "Logboeken", "Logbücher", "Journaux de bord",
                                       "Cuadernos de bitácora", "Giornali di bordo", "Logbøger", "Loggböcker"};
const TLanguageStrings TextPolars = {"Polar diagrams", "Polaire diagrammen", "Polardiagramme", "Diagrammes polaires",
                                     "Diagramas polares", "Diagrammi polari", "Polardiagrammer", "Polardiagram"};
const TLanguageStrings TextProfiles = {"Profiles", "Profielen", "Profile", "Profils", "Perfiles", "Profili",
                                       "Profiler", "Profiler"};
const TLanguageStrings TextTracks = {"Tracks", "Tracks", "Tracks", "Traces", "Tracks", "Tracce", "Spor", "Spår"};
const TLanguageStrings TextRouteProfiles = {"Route profiles", "Routeprofielen", "Routenprofile", "Profils de route",
                                            "Perfiles de ruta", "Profili di rotta", "Ruteprofiler", "Ruttprofiler"};
const TLanguageStrings TextWaypointProfiles = {"Waypoint profiles", "Waypointprofielen", "Wegpunktprofile",
                                               "Profils de waypoint", "Perfiles de waypoint", "Profili di waypoint",
                                               "Waypointprofiler", "Waypointprofiler"};
const TLanguageStrings InfoCollections = {
    "Add the chart collections you want to %s to the list on the right",
    "Voeg de kaartcollecties die u wilt %s toe aan de lijst rechts",
    "Fügen Sie die Kartensammlungen, die Sie %s möchten, der Liste rechts hinzu",
    "Ajoutez les collections de cartes à %s à la liste de droite", "",
    "Aggiungere le raccolte di carte da %s all'elenco a destra",
    "Tilføj de kortsamlinger, du vil %s, til listen til højre",
    "Lägg till de sjökortssamlingar du vill %s i listan till höger"};
const TLanguageStrings InfoLogbooks = {
    "Add the logbooks you want to %s to the list on the right", "Voeg de logboeken die u wilt %s toe aan de lijst rechts",
    "Fügen Sie die Logbücher, die Sie %s möchten, der Liste rechts hinzu",
    "Ajoutez les journaux de bord à %s à la liste de droite", "",
    "Aggiungere i giornali di bordo da %s all'elenco a destra", "Tilføj de logbøger, du vil %s, til listen til højre",
    "Lägg till de loggböcker du vill %s i listan till höger"};
const TLanguageStrings InfoPolars = {
    "Add the polar diagrams you want to %s to the list on the right",
    "Voeg de polaire diagrammen die u wilt %s toe aan de lijst rechts",
    "Fügen Sie die Polardiagramme, die Sie %s möchten, der Liste rechts hinzu",
    "Ajoutez les diagrammes polaires à %s à la liste de droite", "",
    "Aggiungere i diagrammi polari da %s all'elenco a destra",
    "Tilføj de polardiagrammer, du vil %s, til listen til højre",
    "Lägg till de polardiagram du vill %s i listan till höger"};
// Shown on a label: the doubled ampersand appears as one.
const TLanguageStrings InfoProfiles = {
    "Add the route && waypoint profiles you want to %s to the list on the right",
    "Voeg de route- && waypointprofielen die u wilt %s toe aan de lijst rechts",
    "Fügen Sie die Routen- && Wegpunktprofile, die Sie %s möchten, der Liste rechts hinzu",
    "Ajoutez les profils de route && de waypoint à %s à la liste de droite", "",
    "Aggiungere i profili di rotta && waypoint da %s all'elenco a destra",
    "Tilføj de rute- && waypointprofiler, du vil %s, til listen til højre",
    "Lägg till de rutt- && waypointprofiler du vill %s i listan till höger"};
const TLanguageStrings InfoTracks = {
    "Add the tracks you want to %s to the list on the right", "Voeg de tracks die u wilt %s toe aan de lijst rechts",
    "Fügen Sie die Tracks, die Sie %s möchten, der Liste rechts hinzu", "Ajoutez les traces à %s à la liste de droite",
    "", "Aggiungere le tracce da %s all'elenco a destra", "Tilføj de spor, du vil %s, til listen til højre",
    "Lägg till de spår du vill %s i listan till höger"};

TDataItemKind KindOf(const QString &kind) {
    if (kind.isEmpty()) return TDataItemKind::Device;
    for (const TBackupKind &k : BackupKinds)
        if (kind == QLatin1String(k.Text)) return k.Kind;
    return TDataItemKind::File;
}

void Fill(TFrameDataSelectItems *picker, std::initializer_list<std::pair<TDataItemList *, QString>> lists) {
    const TDataSelectFill fill(picker);
    for (const auto &[list, group] : lists)
        for (int i = list ? list->Count() - 1 : -1; i >= 0; --i)
            picker->AddItem(list->Items(i)->Name, QString(), group, nullptr, list->Items(i), false);
}

}  // namespace

TDataItem::TDataItem(const QString &kind, const QString &name, void *data, uint8_t flag)
    : Data(data), Kind(kind), Name(name), Flag(flag), FType(KindOf(kind)) {}

INavBackupEntry *TDataItem::BackupEntry() const {
    const bool backup = FType != TDataItemKind::Device && FType != TDataItemKind::File;
    return backup ? static_cast<INavBackupEntry *>(Data) : nullptr;
}

TFrameDataSelectOther::TFrameDataSelectOther(QWidget *owner, TDataItemList *collections, TDataItemList *logbooks,
                                             TDataItemList *routeProfiles, TDataItemList *waypointProfiles,
                                             TDataItemList *polars, TDataItemList *tracks, TDataTransferMode mode)
    : TFrameScaled(owner), FMode(mode), FCollections(collections), FLogbooks(logbooks),
      FRouteProfiles(routeProfiles), FWaypointProfiles(waypointProfiles), FPolars(polars), FTracks(tracks) {
    setObjectName(QStringLiteral("FrameDataSelectOther"));
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    TabSheetTracks = DataSelectAddTab(PageControl, LabelInformationTracks, ImageInformation[0], PanelTrackSelection);
    TabSheetLogbooks =
        DataSelectAddTab(PageControl, LabelInformationLogbooks, ImageInformation[1], PanelLogbookSelection);
    TabSheetCollections =
        DataSelectAddTab(PageControl, LabelInformationCollections, ImageInformation[2], PanelCollectionSelection);
    TabSheetPolars = DataSelectAddTab(PageControl, LabelInformationPolars, ImageInformation[3], PanelPolarSelection);
    TabSheetProfiles =
        DataSelectAddTab(PageControl, LabelInformationProfiles, ImageInformation[4], PanelProfileSelection);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(PageControl);
    for (QLabel *image : ImageInformation) NightScreenAddImage(NightScreen(), image);
    SetKinds(0);
    auto picker = [](QWidget *host, const TLanguageStrings &caption, uint8_t sortMode) {
        auto *p = new TFrameDataSelectItems(LanguageText(caption), LanguageText(caption), sortMode, host);
        host->layout()->addWidget(p);
        return p;
    };
    CollectionSelect = picker(PanelCollectionSelection, TextCollections, 0);
    LogbookSelect = picker(PanelLogbookSelection, TextLogbooks, 0);
    PolarSelect = picker(PanelPolarSelection, TextPolars, 0);
    ProfileSelect = picker(PanelProfileSelection, TextProfiles, 0);
    TrackSelect = picker(PanelTrackSelection, TextTracks, 1);
    UpdateTexts();
    Refresh();
    PageControl->setCurrentWidget(TabSheetTracks);
    ScaleToScreen();
}

TFrameDataSelectOther::~TFrameDataSelectOther() {
    for (QLabel *image : ImageInformation) NightScreenRemoveImage(NightScreen(), image);
}

void TFrameDataSelectOther::UpdateTexts() {
    const QString verb = DataTransferVerb(FMode);
    const std::tuple<QWidget *, QLabel *, const TLanguageStrings *, const TLanguageStrings *> pages[] = {
        {TabSheetTracks, LabelInformationTracks, &TextTracks, &InfoTracks},
        {TabSheetLogbooks, LabelInformationLogbooks, &TextLogbooks, &InfoLogbooks},
        {TabSheetCollections, LabelInformationCollections, &TextCollections, &InfoCollections},
        {TabSheetPolars, LabelInformationPolars, &TextPolars, &InfoPolars},
        {TabSheetProfiles, LabelInformationProfiles, &TextProfiles, &InfoProfiles}};
    for (const auto &[sheet, label, caption, info] : pages) {
        PageControl->setTabText(PageControl->indexOf(sheet), LanguageText(*caption));
        label->setText(DataSelectFormat(LanguageText(*info), {verb}).replace(QLatin1String("&&"), QLatin1String("&")));
    }
}

void TFrameDataSelectOther::SetKinds(uint8_t kinds) {
    FKinds = kinds;
    std::vector<QWidget *> offered;
    const std::pair<uint8_t, QWidget *> order[] = {{DataSelectOtherKind::Tracks, TabSheetTracks},
                                                   {DataSelectOtherKind::Logbooks, TabSheetLogbooks},
                                                   {DataSelectOtherKind::Collections, TabSheetCollections},
                                                   {DataSelectOtherKind::Profiles, TabSheetProfiles},
                                                   {DataSelectOtherKind::Polars, TabSheetPolars}};
    for (const auto &[bit, sheet] : order)
        if (kinds & bit) offered.push_back(sheet);
    DataSelectShowTabs(PageControl, offered);
}

void TFrameDataSelectOther::Refresh() {
    Fill(CollectionSelect, {{FCollections, QString()}});
    Fill(PolarSelect, {{FPolars, QString()}});
    Fill(ProfileSelect, {{FRouteProfiles, LanguageText(TextRouteProfiles)},
                         {FWaypointProfiles, LanguageText(TextWaypointProfiles)}});
    Fill(LogbookSelect, {{FLogbooks, QString()}});
    Fill(TrackSelect, {{FTracks, QString()}});
}

void TFrameDataSelectOther::ResetBackupMarks() {
    // Only real backup entries carry a mark: a file or device item has other data or none.
    for (TDataItemList *list : {FCollections, FLogbooks, FRouteProfiles, FWaypointProfiles, FPolars, FTracks})
        for (int i = 0; list && i < list->Count(); ++i)
            if (INavBackupEntry *entry = list->Items(i)->BackupEntry()) entry->SetSelected(false);
}

void TFrameDataSelectOther::GetSelection(TBackupEntryList &collections, TBackupEntryList &routeProfiles,
                                         TBackupEntryList &waypointProfiles, TBackupEntryList &logbooks,
                                         TBackupEntryList *polars, TBackupEntryList *tracks,
                                         TDataItemFiles *polarFiles, TDataItemFiles *trackFiles) {
    ResetBackupMarks();
    auto chosen = [](TFrameDataSelectItems *picker) {
        std::vector<TDataItem *> items;
        for (int i = 0; i < picker->GetSelectedCount(); ++i) items.push_back(static_cast<TDataItem *>(picker->GetSelectedData(i)));
        return items;
    };
    auto entries = [&chosen](TFrameDataSelectItems *picker, TDataItemKind kind, TBackupEntryList &out) {
        for (TDataItem *item : chosen(picker))
            if (item->Type() == kind && item->BackupEntry()) out.Add(item->BackupEntry());
    };
    auto withFiles = [&chosen](TFrameDataSelectItems *picker, TDataItemKind kind, TBackupEntryList *out,
                               TDataItemFiles *files) {
        if (out) out->Clear();
        if (files) files->clear();
        for (TDataItem *item : chosen(picker)) {
            if (item->Type() == kind) {
                if (out && item->BackupEntry()) out->Add(item->BackupEntry());
            } else if (files) {
                files->emplace_back(item->Kind, item);
            }
        }
    };
    if (FKinds & DataSelectOtherKind::Collections) {
        collections.Clear();
        entries(CollectionSelect, TDataItemKind::Collection, collections);
    }
    if (FKinds & DataSelectOtherKind::Logbooks) {
        logbooks.Clear();
        entries(LogbookSelect, TDataItemKind::Logbook, logbooks);
    }
    if (FKinds & DataSelectOtherKind::Profiles) {
        routeProfiles.Clear();
        waypointProfiles.Clear();
        entries(ProfileSelect, TDataItemKind::RouteProfile, routeProfiles);
        entries(ProfileSelect, TDataItemKind::WaypointProfile, waypointProfiles);
    }
    if ((FKinds & DataSelectOtherKind::Polars) && (polars || polarFiles))
        withFiles(PolarSelect, TDataItemKind::Polar, polars, polarFiles);
    if ((FKinds & DataSelectOtherKind::Tracks) && (tracks || trackFiles))
        withFiles(TrackSelect, TDataItemKind::Track, tracks, trackFiles);
}

bool TFrameDataSelectOther::HasSelection() {
    TBackupEntryList collections, routeProfiles, waypointProfiles, logbooks, polars, tracks;
    TDataItemFiles polarFiles, trackFiles;
    GetSelection(collections, routeProfiles, waypointProfiles, logbooks, &polars, &tracks, &polarFiles, &trackFiles);
    return collections.Count() + routeProfiles.Count() + waypointProfiles.Count() + logbooks.Count() + polars.Count() +
               tracks.Count() > 0 ||
           !polarFiles.empty() || !trackFiles.empty();
}

void TFrameDataSelectOther::ClearAll() {
    for (TFrameDataSelectItems *p : {CollectionSelect, LogbookSelect, PolarSelect, ProfileSelect, TrackSelect}) {
        p->ClearAvailable();
        p->ClearSelected();
    }
}
