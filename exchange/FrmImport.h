// The import wizard: tracks from ".trk" files or from the routes and tracks of a GPS
// exchange file, copied into the environment's tracks folder with a question for each name
// that is taken, and a report. It also carries the pages and steps of the runs the type
// page keeps hidden (data files, polar diagrams, text files): those runs register their
// pages with AddPage and fill the step hooks in Steps from InstallRuns. GUI thread only.
#pragma once

#include "base/forms/KvForms.h"
#include "base/lists/KvDynamicLists.h"
#include "exchange/FraDataSelectOther.h"

#include <KvLibNav6/KvWaypoints.h>

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>

class QPushButton;
class QWidget;
class TFrameDataSelect;
class TFrameImportFile;
class TFrameImportFiles;
class TFrameImportType;
class TMarivoNavEnv;
class INavBackup;
class ITxtFormatProfileManager;

// The wizard's pages. The hidden runs number theirs from PageRun upwards.
namespace ImportPage {
inline constexpr int None = -1;
inline constexpr int Type = 0;
inline constexpr int File = 1;
inline constexpr int Files = 2;
inline constexpr int GPXObjects = 3;
inline constexpr int Tracks = 4;
inline constexpr int Run = 10;
}  // namespace ImportPage

// A page of a hidden run: its frame (owned by the wizard from AddPage on), the Next caption,
// and what Next, Previous and showing do.
struct TImportPageSteps {
    QWidget *Frame = nullptr;
    std::function<QString()> NextCaption;  // empty: "Next"
    std::function<void()> Shown;
    std::function<void()> Next;
    std::function<void()> Previous;
};

// The steps of the hidden runs; an empty hook means the run is not built.
struct TImportRunSteps {
    // Single-file page, data file (type 1); file list page, polar diagrams (3) and text files (4, 5).
    std::function<void()> ReadDataFile, ReadPolarFiles, ReadTextFiles;
    // Finish steps; each appends its report lines and returns 0 to go on, 2 for aborted,
    // any other value to stop without a message.
    std::function<int(QString &report)> ImportChartCollections, MergeImportObjects, ImportFormatProfiles,
        ImportDataFileTracks, ImportPolarFiles;
    // Before every read of a source: empty what the run collected.
    std::function<void()> ClearImportLists;
};

class TFormImport : public TFormScaled {
    Q_OBJECT
public:
    TFormImport(TMarivoNavEnv &env, QWidget *owner = nullptr);
    ~TFormImport() override;

    // Creates the wizard, shows it modally and frees it.
    static void Execute(TMarivoNavEnv &env, QWidget *owner = nullptr);
    // Runs the wizard instead of exec (tests, the main window's menu sweep); returns the
    // dialog result. Returns the previous prompter.
    using TPrompter = std::function<int(TFormImport &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    void ShowPage(int page);
    int CurrentPage() const { return FCurrentPage; }
    void AddPage(int page, const TImportPageSteps &steps);
    void Next();
    void Previous();
    // The finish step: runs the import steps and reports; closes the wizard with OK after a
    // completed import, else returns to the type page.
    void Finish();
    // Empties the lists of the last read (selections, files, import database, data file).
    void ClearImportLists();

    TMarivoNavEnv &Env;
    TImportRunSteps Steps;
    // Milliseconds on a steady clock; a read shows its progress once it has run 500 of them.
    // Empty: the system's clock.
    using TReadClock = std::function<int64_t()>;
    TReadClock ReadClock;

    IWptDatabase *UserDatabase;
    IWptManager *UserManager;
    IWptManager *ImportManager = nullptr;  // owned
    IWptDatabase *ImportDatabase = nullptr;
    INavBackup *DataFile = nullptr;  // owned
    ITxtFormatProfileManager *RouteProfileManager, *WaypointProfileManager;
    void *CollectionTarget = nullptr;

    TDataItemList CollectionItems, LogbookItems, PolarItems, RouteProfileItems, WaypointProfileItems, TrackItems;
    TBackupEntryList SelectedCollections, SelectedLogbooks, SelectedPolars, SelectedRouteProfiles,
        SelectedWaypointProfiles, SelectedTracks;
    IWptWaypointGroupList *Groups = nullptr;
    IWptPolygonList *Polygons = nullptr;
    IWptRouteList *Routes = nullptr;
    IWptWaypointTypeList *Types = nullptr;
    IWptWaypointList *Waypoints = nullptr;
    QStringList PolarFiles;
    QStringList TrackFiles;  // the track files to copy into the tracks folder
    QString GPXTracksFolder;
    uint8_t ImportType = 0;

    TFrameDataSelect *FrameDataSelect;
    TFrameDataSelectOther *FrameDataSelectOther;
    TFrameImportFile *FrameImportFile;
    TFrameImportFiles *FrameImportFiles;
    TFrameImportType *FrameImportType;

    QWidget *PanelContent;
    QPushButton *ButtonHelp, *ButtonPrev, *ButtonNext, *ButtonClose;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void UpdateTexts();
    void ShowFrame(QWidget *frame);
    void ReadGPXFile();
    void BuildItems();
    void FreeItems();
    bool CollectTrackSelection();
    bool ImportTrackFiles(QString &report);
    bool ImportHasObjects() const;
    // The hidden runs register here.
    void InstallRuns();

    int FCurrentPage = ImportPage::None;
    std::map<int, TImportPageSteps> FRunPages;
};
