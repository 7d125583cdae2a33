// The chart manager dialog: installed chart products → chart sets → raster charts, the
// online base map and the S-57 charts by folder, with check boxes that switch charts on and
// off for one viewer. The viewer's selection goes back to the chart manager whenever the
// dialog closes. Modal, GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvCharts.h>

#include <functional>

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

class TFormChartManager : public TFormScaled {
    Q_OBJECT
public:
    // title: added to the caption after " - " when not empty.
    TFormChartManager(IChartManager *manager, int32_t viewerIndex, const QString &title, bool baseMapOn,
                      QWidget *owner = nullptr);
    ~TFormChartManager() override;

    // Runs the dialog for one viewer; baseMapOn in: the base-map row's check, out: its state
    // at closing. Returns whether the user switched any chart on or off.
    static bool Execute(IChartManager *manager, int32_t viewerIndex, const QString &title, bool &baseMapOn);

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

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormChartManager &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    static int Prompt(TFormChartManager &form);

    void done(int result) override;

private:
    void AddProducts();
    void AddS57Charts();
    void ItemChanged(QTreeWidgetItem *item, int column);
    void WritePlacement();

    IChartManager *FManager;
    int32_t FViewerIndex;
    QString FTitle;
    ISortedGUIDArray *FSelectedCharts;
    ISortedGUIDArray *FNewlySelectedCharts;
    bool FUpdating = false;
    bool FChanged = false;
};
