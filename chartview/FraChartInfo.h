// The chart information window: the properties of one raster chart or S-57 cell (the focus
// chart or one chosen with "Select chart") as grouped caption/value rows, with links that
// open the chart's additional information in the HTML viewer frame. GUI thread; the main
// window creates it into its dock panel and hands it the HTML viewer frame.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "chartview/ChartInfoRows.h"

#include <QAbstractItemModel>
#include <QTreeView>

class QPushButton;
class TFrameHTMLViewer;
class TMarivoNavEnv;

// Groups at the top level, their rows below (internal id: 0 for a group, else group + 1).
class TChartInfoModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { ColCaption, ColValue, ColumnCount };
    using QAbstractItemModel::QAbstractItemModel;
    void SetGroups(std::vector<TChartInfoGroup> groups);
    const TChartInfoRow *Row(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    std::vector<TChartInfoGroup> FGroups;
};

class TChartInfoTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit TChartInfoTreeView(QWidget *parent);
    QString EmptyCaption, EmptyHint;  // empty = the tree has rows to show
    QPersistentModelIndex HotNode;    // the link under the mouse
    std::function<void(const QModelIndex &)> OnLinkClicked;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override {}
};

class TFrameChartInfo : public TFrameScaled {
    Q_OBJECT
public:
    TFrameChartInfo(QWidget *panel, TMarivoNavEnv &env);

    void SetHTMLViewer(TFrameHTMLViewer *viewer) { FHTMLViewer = viewer; }
    void SelectChart(const TGUID &guid);
    void SelectS57Chart(const QString &fileName);
    void UpdateChart();
    void UpdateTexts();
    // What a click on the link row does (the mouse handler's work, for tests too).
    void OpenLink(const QModelIndex &index);

    QWidget *PanelContents = nullptr;
    TChartInfoTreeView *ListView = nullptr;
    QWidget *PabelButton = nullptr;
    QPushButton *ButtonChartSelect = nullptr;
    TChartInfoModel *Model() const { return FModel; }

private:
    void LookUp();
    void Rebuild();
    void WriteSettings();
    void ChartSelectClicked();

    TMarivoNavEnv &FEnv;
    TGUID FChartGUID{};
    QString FS57ChartName;
    IChartCatalogueEntry *FEntry = nullptr;
    IChart *FS57Chart = nullptr;
    TFrameHTMLViewer *FHTMLViewer = nullptr;
    TChartInfoModel *FModel;
};
