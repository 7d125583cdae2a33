// The chart selection dialog: chart products → chart sets → raster charts, and the S-57
// cells in a group of their own, filtered by a viewer mask and by search words. GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvCharts.h>

#include <QAbstractItemModel>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

// One node of the selection tree. A node with no reference is the "S57 charts" group.
struct TChartSelectNode {
    QString Text;
    IChartProduct *Product = nullptr;
    IChartSet *ChartSet = nullptr;
    IChartCatalogueEntry *Entry = nullptr;
    IChart *S57Chart = nullptr;
    TChartSelectNode *Parent = nullptr;
    std::vector<std::unique_ptr<TChartSelectNode>> Nodes;
    QString LowerText;  // what the search compares with

    bool IsChart() const { return Entry || S57Chart; }
    bool IsBold() const { return Product || !(ChartSet || Entry || S57Chart); }
};

// The tree of everything the chart manager offers for the mask, siblings sorted by text
// without regard to case. The manager's objects are not owned.
class TChartSelectModel : public QAbstractItemModel {
    Q_OBJECT
public:
    TChartSelectModel(IChartManager *manager, uint32_t mask, QObject *parent = nullptr);
    ~TChartSelectModel() override;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    TChartSelectNode *Node(const QModelIndex &index) const;
    QModelIndex IndexOfNode(const TChartSelectNode *node) const;
    const TChartSelectNode &Root() const { return *FRoot; }
    // For every chart node: whether every word occurs in its text (words lower-case).
    // visible(node, shown) is told the outcome for every node, parents after children.
    void Filter(const QStringList &words, const std::function<void(const TChartSelectNode &, bool)> &visible) const;

private:
    void Build(IChartManager *manager, uint32_t mask);
    std::unique_ptr<TChartSelectNode> FRoot;
};

class TFormChartSelect : public TFormScaled {
    Q_OBJECT
public:
    TFormChartSelect(QWidget *owner, IChartManager *manager, uint32_t mask);
    ~TFormChartSelect() override;

    void UpdateTexts();
    void SetSearchText(const QString &text);
    // The node the Ok button answers for (nullptr when none is focused).
    TChartSelectNode *FocusedNode() const;

    QTreeView *TreeCharts = nullptr;
    QLabel *LabelSearch = nullptr;
    QLineEdit *EditSearch = nullptr;
    QPushButton *ButtonHelp = nullptr;
    QPushButton *ButtonOk = nullptr;
    QPushButton *ButtonCancel = nullptr;

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormChartSelect &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    static int Prompt(TFormChartSelect &form);

    void done(int result) override;

private:
    void SearchChanged();
    void UpdateOkButton();
    void TreeDoubleClicked(const QModelIndex &index);

    TChartSelectModel *FModel;
};

// True when the user confirmed a raster chart (entry set, s57Chart untouched) or an S-57
// chart (s57Chart set, entry untouched). mask: 1 shl viewer index, or 0xFFFFFF for all.
bool SelectChartDialog(IChartManager *manager, uint32_t mask, IChart *&s57Chart,
                       IChartCatalogueEntry *&entry, QWidget *owner = nullptr);
