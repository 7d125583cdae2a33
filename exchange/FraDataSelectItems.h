// The two-list picker of the transfer pages: the available items on the left, the chosen
// ones on the right, grouped under group rows. An item is a pointer to an object the caller
// owns (a waypoint-database object or a file item); the picker never dereferences it.
// The available tree hides chosen items and emptied groups in its model, so large lists cost
// no widget per row. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTreeView>
#include <cstdint>
#include <memory>
#include <vector>

class IBmp32;
class QLabel;
class QTabWidget;
class QPushButton;
class TListViewPopup;

// The verb of the transfer texts: 0 import, 2 download.
using TDataTransferMode = uint8_t;
QString DataTransferVerb(TDataTransferMode mode);
// text with each "%s" replaced by the next argument.
QString DataSelectFormat(QString text, const QStringList &args);

// A page of the transfer frames: an information strip (image and shortened label in the
// tip colours) above a host panel for the page's picker.
QWidget *DataSelectAddTab(QTabWidget *pages, QLabel *&label, QLabel *&image, QWidget *&host);
// Tab buttons only when two or more pages are offered; a single offered page is shown
// without a strip.
void DataSelectShowTabs(QTabWidget *pages, const std::vector<QWidget *> &offered);

class TFrameDataSelectItems;

// One row of a picker tree.
struct TDataSelectNode {
    IBmp32 *Icon = nullptr;  // rows with an icon are 33 pixels high
    bool IsGroup = false;
    bool IsCurrent = false;  // of the current database; a group row takes its first item's
    void *Data = nullptr;    // nil for group rows
    QString Name;
    QString Detail;     // the text of every column but the first
    QString GroupName;  // the group row an item belongs under (empty: top level)
    // Place in the model (parent group row or nil, row index among the visible siblings).
    TDataSelectNode *Parent = nullptr;
    int Row = -1;
    std::vector<TDataSelectNode *> Children;  // visible children of a group row
};

// The rows one picker tree shows, built from a list of items: group rows are made per group
// name (case-insensitive), items the hide test rejects are left out with their emptied
// groups. Sorting follows the picker's order (current-database group first).
class TDataSelectModel : public QAbstractItemModel {
    Q_OBJECT
public:
    TDataSelectModel(uint8_t sortMode, QObject *parent);

    // The items stay the caller's; hidden (may be nil) names the data objects left out.
    void Rebuild(const std::vector<TDataSelectNode *> &items, const QSet<void *> *hidden);
    void Clear();
    TDataSelectNode *Node(const QModelIndex &index) const;
    QModelIndex IndexOf(const TDataSelectNode *node, int column = 0) const;
    // The group row of that caption (case-insensitive), nil when none is shown.
    TDataSelectNode *FindGroupNode(const QString &name) const;

    QStringList Columns;  // captions; change through SetColumns
    void SetColumns(const QStringList &captions);
    Qt::SortOrder Order() const { return FOrder; }
    int SortColumn() const { return FSortColumn; }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;
    // The order of the rows: True when a comes before b.
    bool Less(const TDataSelectNode *a, const TDataSelectNode *b) const;

private:
    void SortRows();

    uint8_t FSortMode;
    int FSortColumn = 0;
    Qt::SortOrder FOrder = Qt::AscendingOrder;
    std::vector<TDataSelectNode *> FRoots;
    std::vector<std::unique_ptr<TDataSelectNode>> FGroups;
};

// A tree whose group rows carry an expand button at their right end: hot and pressed
// rows follow the mouse, a click on a button folds its group and selects nothing.
class TGroupButtonTree : public QTreeView {
    Q_OBJECT
public:
    using QTreeView::QTreeView;
    int HotRow = -1, PressedRow = -1;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    // A release that was not on a button.
    virtual void RowMouseRelease(QMouseEvent *event) { QTreeView::mouseReleaseEvent(event); }
};

// A picker tree: group bands with their expand buttons at the right, half-size icons.
class TDataSelectTree : public TGroupButtonTree {
    Q_OBJECT
public:
    explicit TDataSelectTree(TDataSelectModel *model, QWidget *parent);
    TDataSelectModel *Model() const { return FModel; }
    // Selects exactly these rows (nodes not shown are skipped).
    void SelectNodes(const std::vector<TDataSelectNode *> &nodes);
    std::vector<TDataSelectNode *> SelectedNodes() const;

private:
    TDataSelectModel *FModel;
};

// Brackets a refill of a picker's available list; ends it also when the fill throws.
class TDataSelectFill {
public:
    explicit TDataSelectFill(TFrameDataSelectItems *picker);
    ~TDataSelectFill();
    TDataSelectFill(const TDataSelectFill &) = delete;
    TDataSelectFill &operator=(const TDataSelectFill &) = delete;

private:
    TFrameDataSelectItems *FPicker;
};

class TFrameDataSelectItems : public TFrameScaled {
    Q_OBJECT
public:
    // sortMode breaks ties of a detail column: 0 details, 1 names by trailing number,
    // 2 the waypoint-database order of the data objects.
    TFrameDataSelectItems(const QString &availableCaption, const QString &selectedCaption,
                          uint8_t sortMode, QWidget *parent = nullptr);
    ~TFrameDataSelectItems() override;

    void BeginUpdate();
    // No row appears before EndUpdate.
    void AddItem(const QString &name, const QString &detail, const QString &groupName,
                 IBmp32 *icon, void *data, bool isCurrent);
    void EndUpdate();
    void ClearAvailable();
    void ClearSelected();
    // The chosen items in the order they were added (one move in name order).
    int GetSelectedCount() const;
    void *GetSelectedData(int index) const;
    // On both trees; a column is found by its caption, case-insensitively.
    void AddColumn(const QString &caption, int width);
    void DeleteColumn(const QString &caption);
    int FindColumn(const TDataSelectTree *tree, const QString &caption) const;

    // The user's moves (the buttons call them).
    void AddSelected();
    void RemoveSelected();
    void UpdateButtons();

    QWidget *PanelSource, *PanelButtons, *PanelSelected;
    TDataSelectTree *ListViewFiltered, *ListViewSelected;
    QPushButton *ButtonAdd, *ButtonRemove;

private:
    void RebuildAvailable();
    void RebuildSelected();
    TDataSelectNode *FindByData(void *data) const;
    void BuildLayout(const QString &availableCaption, const QString &selectedCaption);

    uint8_t FSortMode;
    bool FChanged = false;
    int FUpdating = 0;
    std::vector<std::unique_ptr<TDataSelectNode>> FAvailableItems;
    QHash<void *, TDataSelectNode *> FAvailableByData;
    std::vector<std::unique_ptr<TDataSelectNode>> FSelectedItems;
    QSet<void *> FSelectedData;
    TListViewPopup *FPopupAvailable, *FPopupSelected;
};
