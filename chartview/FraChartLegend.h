// The chart legend window: the legend of one raster chart (the focus chart or one chosen
// with "Select chart") as a tree of headings, table headers, table rows and symbol rows,
// in the current language. GUI thread; the main window creates it into its dock panel.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "chartview/KvLegend.h"

#include <KvLibNav6/KvCharts.h>

#include <QAbstractItemModel>
#include <QTreeView>
#include <functional>
#include <memory>

class QPushButton;
class TMarivoNavEnv;

// How a legend node is shown.
enum class TLegendRowKind { Heading = 0, SubHeading = 1, TableHeader = 2, TableRow = 3, SymbolRow = 4 };
TLegendRowKind LegendRowKind(const TLegendNode &node, const TLegend &legend);

// The legend's nodes as a one-column tree; the node is the index's internal pointer.
class TLegendModel : public QAbstractItemModel {
    Q_OBJECT
public:
    using QAbstractItemModel::QAbstractItemModel;
    void SetLegend(const TLegend *legend);
    const TLegend *Legend() const { return FLegend; }
    TLegendNode *Node(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const TLegend *FLegend = nullptr;
};

// The tree with the two-line message on its background while it has nothing to show.
class TLegendTreeView : public QTreeView {
    Q_OBJECT
public:
    using QTreeView::QTreeView;
    QString EmptyCaption, EmptyHint;  // empty = the tree has rows to show

protected:
    void paintEvent(QPaintEvent *event) override;
    // Nothing collapses, so no branch is drawn.
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override {}
};

class TFrameChartLegend : public TFrameScaled {
    Q_OBJECT
public:
    // Reads a legend file; raises when it cannot be opened. Tests count the loads.
    using TLoader = std::function<void(TLegend &legend, const QString &fileName)>;

    TFrameChartLegend(QWidget *panel, TMarivoNavEnv &env, TLoader loader = {});
    ~TFrameChartLegend() override;

    void SelectChart(const TGUID &guid);
    void SelectS57Chart(const QString &fileName);
    void UpdateTexts();
    void UpdateLegend();

    QWidget *PanelContents = nullptr;
    TLegendTreeView *ListView = nullptr;
    QWidget *PabelButton = nullptr;
    QPushButton *ButtonChartSelect = nullptr;

    const TLegend *Legend() const { return FLegend.get(); }
    const QString &LegendPath() const { return FLegendPath; }

private:
    void Rebuild();
    void LoadLegend(const QString &path);
    void ChartSelectClicked();
    void WriteChart();

    TMarivoNavEnv &FEnv;
    TLoader FLoader;
    TGUID FChartGUID{};
    QString FS57ChartName;
    IChartCatalogueEntry *FEntry = nullptr;
    std::unique_ptr<TLegend> FLegend;
    QString FLegendPath;
    TLegendModel *FModel;
};
