// The pop-up menu that check-box tree lists attach: select all or none, and set the check
// boxes of the selected (or, for imports, all) entries. The tree's model carries the check
// boxes (Qt::ItemIsUserCheckable, Qt::CheckStateRole). GUI thread only.
#pragma once

#include <QMenu>
#include <functional>

class QTreeView;

class TListViewPopup : public QMenu {
    Q_OBJECT
public:
    // importMode: "Import everything" / "Import nothing" for every entry, no selection items;
    // otherwise "Make selection visible" / "Make all invisible" for the selected entries.
    TListViewPopup(bool importMode, QTreeView *tree, QWidget *parent = nullptr);

    QAction *ItemSelectAll, *ItemSelectNone, *ItemCheck, *ItemUncheck;
    bool SelectItemsShown;
    bool ImportMode;
    // Called once after a check item changed the boxes; while set, the changes are made
    // with Updating() true, so a per-entry handler of the owner can stay quiet.
    std::function<void(QTreeView *sender)> OnCheckedChanged;
    bool Updating() const { return FUpdating; }

    // What opening the menu does: visibility and enabling of the items.
    void UpdateItems();
    // The two check items' action: checked for the first, unchecked for the second.
    void SetChecks(bool checked);
    void SelectAll();
    void SelectNone();

private:
    QTreeView *FTree;
    bool FUpdating = false;
};
