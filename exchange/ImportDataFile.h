// The import of a program data file ("*.m4db", "*.m5db"): the file opened as a backup
// object, its waypoint database opened in the import manager, its profiles and tracks
// offered as items; then the restoring of the chosen profiles (with a duplicate question
// for every name already present) and tracks, each step adding its report line. The
// import wizard runs it page by page; the database objects go through the wizard's merge.
// Polar diagram files have no import of their own: their run reports nothing imported.
// GUI thread only.
#pragma once

#include "exchange/FraDataSelectOther.h"
#include "exchange/FrmMsgDuplicateItems.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class IChartCollectionList;
class INavBackup;
class ITxtFormatProfileManager;
class IWptDatabase;
class IWptManager;
class TMarivoNavEnv;

// The result of an import step: 0 done, 2 a duplicate question was cancelled, anything
// else a core-library error.
namespace ImportStepResult {
inline constexpr int32_t Done = 0;
inline constexpr int32_t Cancelled = 2;
}  // namespace ImportStepResult

// The kind texts of the items made from a data file's entries.
inline constexpr char DataItemRouteProfile[] = "NAVBACKUP_PROFILE_RTE";
inline constexpr char DataItemWaypointProfile[] = "NAVBACKUP_PROFILE_WPT";
inline constexpr char DataItemTrack[] = "NAVBACKUP_TRACK";

// "\n\r <count> <what> imported." in the current language.
QString ImportReportLine(int32_t count, const QString &what);
// The end of a polar-file run: nothing is imported, and the report says so.
QString PolarImportReport();
// Its report line: "\n\r 0 Polar diagram(s) imported.".
QString PolarReportLine();
// The caption of the import database on the object page.
QString DataFileDatabaseCaption();

class TImportDataFile {
public:
    // The profile managers and tracks folder are the environment's.
    explicit TImportDataFile(TMarivoNavEnv *env);
    ~TImportDataFile();
    TImportDataFile(const TImportDataFile &) = delete;
    TImportDataFile &operator=(const TImportDataFile &) = delete;

    // Opens the file and, when it holds one, its waypoint database in importManager
    // (returned in database, the caller's to close), then builds the items. False, with
    // the error shown, when the file or its database cannot be opened; nothing is kept.
    bool Read(const QString &fileName, IWptManager *importManager, IWptDatabase *&database);
    // Frees the items, empties the selections and deletes the backup object.
    void Clear();

    INavBackup *DataFile() const { return FDataFile; }
    // The kinds the object page offers for this database (DataSelectKind bits).
    static uint8_t ObjectKinds(IWptDatabase *database);
    // The kinds the item page offers (DataSelectOtherKind bits).
    uint8_t ItemKinds() const;
    bool HasItems() const;
    // After a read: where the wizard goes next.
    enum class TNextPage { ObjectPage, ItemPage, NothingToImport };
    TNextPage NextPage(IWptDatabase *database) const;
    // Shows "Cannot import data file." with its reason.
    static void ShowNothingToImport();
    // After the pages reported the choice: False, with the message shown, when nothing at
    // all was chosen (objects counts the chosen database objects).
    bool CheckSelection(int32_t objects) const;

    // The steps of the finish; each returns an ImportStepResult and appends its line.
    // target may be nil: no list of chart collections exists to import into, so the step
    // refuses rather than run.
    int32_t ImportChartCollections(IChartCollectionList *target, QString &report) {
        return ImportChartCollections(target, SelectedCollections, report);
    }
    int32_t ImportChartCollections(IChartCollectionList *target, TBackupEntryList &selected, QString &report);
    int32_t ImportFormatProfiles(TBackupEntryList &selected, ITxtFormatProfileManager *manager, QString &report);
    int32_t ImportDataFileTracks(QString &report) { return ImportDataFileTracks(SelectedTracks, report); }
    int32_t ImportDataFileTracks(TBackupEntryList &selected, QString &report);
    // The finish: the steps above and the wizard's merge of the chosen database objects
    // (merge, may be empty when none were chosen) in their order, each while the previous
    // one returned Done.
    using TMergeStep = std::function<int32_t(QString &report)>;
    int32_t ImportSelected(QString &report, const TMergeStep &merge);

    TDataItemList CollectionItems, LogbookItems, PolarItems, RouteProfileItems, WaypointProfileItems, TrackItems;
    TBackupEntryList SelectedCollections, SelectedLogbooks, SelectedPolars, SelectedRouteProfiles,
        SelectedWaypointProfiles, SelectedTracks;

private:
    void BuildItems();
    void AddItems(TDataItemList &list, const char *kind, int32_t count, INavBackupEntry *(INavBackup::*entry)(int32_t));
    std::vector<TDataItemList *> ItemLists();
    // Marks the entries for restoring and asks about every name find reports as present
    // (giving the existing item's name); a keep answer unmarks the entry. The number left
    // to restore, -1 when a question was cancelled.
    using TFindExisting = std::function<bool(const QString &name, QString &existing)>;
    int32_t MarkEntries(TBackupEntryList &entries, TDuplicateKind kind, const TFindExisting &find);

    TMarivoNavEnv *FEnv;
    INavBackup *FDataFile = nullptr;
    std::vector<std::unique_ptr<TDataItem>> FItems;
};
