// The toolbar editor: the toolbar's buttons on the left, the available items grouped by
// category on the right. Items are added with the add button or by dragging, moved with
// up/down or by dragging, deleted after a question, and the default set can be restored.
// The editor works on its own lists and touches the contents' current list only when it
// closes with OK (an empty toolbar is refused). GUI thread.
#pragma once

#include "shell/FrmSettingsCommon.h"

#include <QAbstractItemModel>
#include <QTreeView>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class TToolbarContents;
class TToolbarItem;
class TToolbarItemList;

// The mime type of a dragged editor node: "contents <row>" or "items <category> <row>"
// (category -1: a root node).
inline constexpr char ToolbarNodeMimeType[] = "application/x-marivo-toolbar-node";

// The toolbar's buttons, in order (a flat list).
class TToolbarContentsModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TToolbarContentsModel(QObject *parent = nullptr);

    void SetItems(std::vector<TToolbarItem *> items);
    const std::vector<TToolbarItem *> &Items() const { return FItems; }
    TToolbarItem *Item(const QModelIndex &index) const;
    void Insert(int row, TToolbarItem *item);
    void Remove(int row);
    // Moves row from before position to (0..Count); a no-op when it would not move.
    void Move(int from, int to);
    bool OnToolbar(const TToolbarItem *item) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

private:
    std::vector<TToolbarItem *> FItems;
};

// The available items: category nodes holding item nodes, and the separator at the root.
class TToolbarItemsModel : public QAbstractItemModel {
    Q_OBJECT
public:
    struct TNode {
        QString Text;
        TToolbarItem *Item = nullptr;  // nullptr for a category
        std::vector<TNode> Children;
    };

    // onToolbar: whether an item is on the toolbar (its background differs).
    explicit TToolbarItemsModel(std::function<bool(const TToolbarItem *)> onToolbar,
                                QObject *parent = nullptr);

    // Category nodes for the visible items of all (last item first), the separator node,
    // then the whole tree sorted.
    void Fill(const TToolbarItemList &all);
    TToolbarItem *Item(const QModelIndex &index) const;
    const std::vector<TNode> &Roots() const { return FRoots; }
    // A node with children after one without; leaves by case-sensitive text; two nodes with
    // children are "greater" both ways, so a stable sort keeps their order.
    static int Compare(const TNode &a, const TNode &b);
    // Redraws the background of every item node.
    void Refresh();

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

private:
    const TNode *Node(const QModelIndex &index) const;
    static void Sort(std::vector<TNode> &nodes);

    std::function<bool(const TToolbarItem *)> FOnToolbar;
    std::vector<TNode> FRoots;
};

// A tree of the editor: it takes drops of editor nodes above or below the node under the
// mouse (above on its upper half) and, when empty, tells how to fill it.
class TToolbarTree : public QTreeView {
    Q_OBJECT
public:
    explicit TToolbarTree(QWidget *parent = nullptr);

    // (mime text, target row) → True when taken; empty: the tree takes no drops.
    std::function<bool(const QString &node, int row, bool dropNow)> OnDrop;
    // Texts shown over an empty tree; empty: none.
    QString EmptyTitle, EmptyText;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool TakeDrop(QDropEvent *event, bool dropNow);
};

class TFormToolbarEdit : public TFormSettingsDialog {
    Q_OBJECT
public:
    explicit TFormToolbarEdit(TToolbarContents &contents, QWidget *parent = nullptr);

    // True when closed with OK: the contents' current list then holds the new buttons and
    // the toolbar is rebuilt (the caller stores them).
    static bool Execute(TToolbarContents &contents, QWidget *parent = nullptr);

    using TPrompter = std::function<int(TFormToolbarEdit &form)>;
    static TPrompter SetPrompter(TPrompter prompter) {
        return TSettingsPrompter<TFormToolbarEdit>::Set(std::move(prompter));
    }

    TToolbarTree *ListViewContents;
    TToolbarTree *ListViewItems;
    QPushButton *ButtonItemAdd, *ButtonItemDelete, *ButtonItemUp, *ButtonItemDown,
        *ButtonItemReset;
    TToolbarContentsModel *ContentsModel;
    TToolbarItemsModel *ItemsModel;

    void ButtonItemAddClick();
    void ButtonItemDeleteClick();
    void ButtonItemUpClick();
    void ButtonItemDownClick();
    void ButtonItemResetClick();
    // The visible nodes of the available tree, categories with their items, for tests.
    QStringList VisibleAvailable() const;

public slots:
    void accept() override;

protected:
    void CloseQuery(bool ok) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildLayout();
    void SetTexts();
    void FillContents(const TToolbarItemList &list);
    void UpdateAvailability();
    void UpdateButtons();
    int SelectedContentsRow() const;
    void SelectContentsRow(int row);
    void InsertItem(TToolbarItem *item, int row);
    bool DropNode(const QString &node, int row, bool dropNow);

    TToolbarContents &FContents;
    QLabel *FLabelContents, *FLabelItems, *FLabelInformation;
};
