// The chart manager dialog: installed chart products → chart sets → raster charts, the
// online base map and the S-57 charts by folder, with check boxes that switch charts on and
// off for one viewer. The viewer's selection goes back to the chart manager whenever the
// dialog closes. Modal, GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvNavEnv.h>

#include <functional>

class IMRCChartCheck;

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Row kinds of the tree.
namespace ChartManagerRow {
inline constexpr int NoCharts = 0;
inline constexpr int Product = 1;
inline constexpr int ChartSet = 2;
inline constexpr int RasterChart = 3;
inline constexpr int BaseMap = 5;
inline constexpr int Attribution = 6;
inline constexpr int S57Group = 11;
inline constexpr int S57Folder = 12;
inline constexpr int S57Chart = 13;
}  // namespace ChartManagerRow

// Tree columns; the second one is kept hidden.
namespace ChartManagerColumn {
inline constexpr int Charts = 0;
inline constexpr int TC = 1;
inline constexpr int Count = 2;
inline constexpr int Scale = 3;
inline constexpr int Updated = 4;
}  // namespace ChartManagerColumn

// What the dialog hands on to the install wizard and the S-57 folder manager, and uses to
// add S-57 folders. Every member may be null (the buttons needing it are then disabled).
struct TChartManagerServices {
    IMRCChartCheck *Account = nullptr;
    INavMessageDispatcher *Dispatcher = nullptr;
    uint16_t SailingAreas = 0;
    IS52PresentationLib *S52Library = nullptr;
    IS57RegistrarManager *S57Registrar = nullptr;
};

// The S-57 folder of the chart manager holding a chart folder. Index -1 when none does.
struct TS57FolderHit {
    int32_t Index = -1;
    QString Folder;
    bool Excluded = false;
    bool IsIENCSet = false;
    // "CC, region, water" of an Inland ENC folder (empty parts left out).
    QString Identity;
};

class TFormChartManager : public TFormScaled {
    Q_OBJECT
public:
    // title: added to the caption after " - " when not empty.
    TFormChartManager(IChartManager *manager, int32_t viewerIndex, const QString &title, bool baseMapOn,
                      QWidget *owner = nullptr, const TChartManagerServices &services = {});
    ~TFormChartManager() override;

    // Runs the dialog for one viewer. changed out: the user switched a chart on or off, or
    // changed the chart sets or folders. baseMapOn in: the base-map row's check, out: its
    // state at closing. mode is kept for the caller's sake (one chart collection only).
    // openDownload: the install wizard opens at once.
    static void Execute(IChartManager *manager, const QString &title, int32_t viewerIndex, bool &changed,
                        bool &baseMapOn, int32_t mode, const TChartManagerServices &services,
                        bool openDownload = false);

    // The same for a caller without the online services; returns changed.
    static bool Execute(IChartManager *manager, int32_t viewerIndex, const QString &title, bool &baseMapOn);

    // The S-57 folder holding chartFolder: an exact match, else the deepest listed folder
    // whose every component equals the leading components of chartFolder.
    static TS57FolderHit FindS57Folder(IChartManager *manager, const QString &chartFolder);

    // "Download charts...": the install wizard, then the tree again.
    void ButtonDownloadClick();
    // "S57 folders...": the folder manager on a list of the manager's folders, then the
    // differences applied.
    void ButtonS57FoldersClick();

    void UpdateTexts();
    void BuildTree();
    void ApplyCheckStates(bool baseMapOn);
    void UpdateCounts();
    bool BaseMapOn() const;
    bool Changed() const { return FChanged; }
    static int RowKind(const QTreeWidgetItem *item);

    QTreeWidget *ListViewCharts = nullptr;
    QLabel *LabelChartsTotal = nullptr;
    QLabel *LabelChartsTotalValue = nullptr;
    QLabel *LabelChartsSelected = nullptr;
    QLabel *LabelChartsSelectedValue = nullptr;
    QPushButton *ButtonHelp = nullptr;
    QPushButton *ButtonDownload = nullptr;
    QPushButton *ButtonS57Folders = nullptr;
    QPushButton *ButtonClose = nullptr;
    QLabel *LabelENCDownload = nullptr;

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormChartManager &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    static int Prompt(TFormChartManager &form);

    void done(int result) override;

private:
    static void RepaintOnNotification(void *data, TNavNotification *n);
    void RestorePlacement();
    void RebuildKeepingBaseMap();
    void AddProducts();
    void AddS57Charts();
    void ItemChanged(QTreeWidgetItem *item, int column);
    void WritePlacement();

    IChartManager *FManager;
    TChartManagerServices FServices;
    int32_t FViewerIndex;
    QString FTitle;
    ISortedGUIDArray *FSelectedCharts;
    ISortedGUIDArray *FNewlySelectedCharts;
    bool FUpdating = false;
    bool FChanged = false;
};
