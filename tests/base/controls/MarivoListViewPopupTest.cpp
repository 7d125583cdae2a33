#include "base/controls/MarivoListViewPopup.h"

#include <gtest/gtest.h>

#include <QStandardItemModel>
#include <QTreeView>

namespace {

// Two groups of two checkable entries and one checkable root entry without children.
struct TCheckTree {
    QStandardItemModel Model;
    QTreeView Tree;
    TCheckTree() {
        for (const char *g : {"Routes", "Tracks"}) {
            auto *group = new QStandardItem(QString::fromLatin1(g));
            for (int i = 1; i <= 2; ++i) {
                auto *e = new QStandardItem(QStringLiteral("%1 %2").arg(QLatin1String(g)).arg(i));
                e->setCheckable(true);
                e->setCheckState(Qt::Checked);
                group->appendRow(e);
            }
            Model.appendRow(group);
        }
        auto *single = new QStandardItem(QStringLiteral("Waypoints"));
        single->setCheckable(true);
        single->setCheckState(Qt::Checked);
        Model.appendRow(single);
        Tree.setModel(&Model);
        Tree.setSelectionMode(QAbstractItemView::ExtendedSelection);
        Tree.expandAll();
    }
    Qt::CheckState State(int group, int child) const {
        const QModelIndex g = Model.index(group, 0);
        return Qt::CheckState(Model.index(child, 0, g).data(Qt::CheckStateRole).toInt());
    }
    void Select(const QModelIndex &i) { Tree.selectionModel()->select(i, QItemSelectionModel::Select); }
};

}  // namespace

TEST(ListViewPopup, ItemsPerModeAndSelection) {
    struct Case { const char *name; bool import; bool select; bool selectShown; bool checkEnabled; };
    const Case cases[] = {
        {"import, nothing selected", true, false, false, true},
        {"visibility, nothing selected", false, false, true, false},
        {"visibility, one selected", false, true, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TCheckTree t;
        TListViewPopup popup(c.import, &t.Tree);
        if (c.select) t.Select(t.Model.index(0, 0, t.Model.index(0, 0)));
        popup.UpdateItems();
        EXPECT_EQ(popup.ItemSelectAll->isVisible(), c.selectShown);
        EXPECT_EQ(popup.ItemSelectNone->isVisible(), c.selectShown);
        EXPECT_TRUE(popup.ItemCheck->isVisible());
        EXPECT_EQ(popup.ItemCheck->isEnabled(), c.checkEnabled);
        EXPECT_EQ(popup.ItemUncheck->isEnabled(), c.checkEnabled);
        EXPECT_EQ(popup.ItemCheck->text(), c.import ? QStringLiteral("Import everything")
                                                    : QStringLiteral("Make selection visible"));
    }
}

TEST(ListViewPopup, CheckItemsHiddenWithoutCheckBoxes) {
    QStandardItemModel model;
    model.appendRow(new QStandardItem(QStringLiteral("plain")));
    QTreeView tree;
    tree.setModel(&model);
    TListViewPopup popup(false, &tree);
    popup.UpdateItems();
    EXPECT_FALSE(popup.ItemCheck->isVisible());
    EXPECT_TRUE(popup.ItemSelectAll->isEnabled());
}

TEST(ListViewPopup, ImportNothingUnchecksEveryChildWithNothingSelected) {
    TCheckTree t;
    TListViewPopup popup(true, &t.Tree);
    popup.SetChecks(false);
    for (int g = 0; g < 2; ++g)
        for (int c = 0; c < 2; ++c) EXPECT_EQ(t.State(g, c), Qt::Unchecked) << g << c;
    EXPECT_EQ(t.Model.item(2)->checkState(), Qt::Checked) << "an unselected root entry stays";
}

TEST(ListViewPopup, VisibilityChangesOnlySelectedWithOneCheckedChangedCall) {
    TCheckTree t;
    TListViewPopup popup(false, &t.Tree);
    int calls = 0, quietChanges = 0, loudChanges = 0;
    popup.OnCheckedChanged = [&](QTreeView *sender) {
        EXPECT_EQ(sender, &t.Tree);
        ++calls;
    };
    QObject::connect(&t.Model, &QAbstractItemModel::dataChanged, [&] {
        (popup.Updating() ? quietChanges : loudChanges)++;
    });
    t.Select(t.Model.index(1, 0, t.Model.index(0, 0)));
    t.Select(t.Model.index(2, 0));
    popup.ItemUncheck->trigger();
    EXPECT_EQ(t.State(0, 0), Qt::Checked);
    EXPECT_EQ(t.State(0, 1), Qt::Unchecked);
    EXPECT_EQ(t.State(1, 0), Qt::Checked);
    EXPECT_EQ(t.Model.item(2)->checkState(), Qt::Unchecked);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(quietChanges, 2);
    EXPECT_EQ(loudChanges, 0) << "per-entry changes happen while Updating";
}

TEST(ListViewPopup, SelectAllTakesVisibleEntriesOnly) {
    TCheckTree t;
    t.Tree.collapse(t.Model.index(1, 0));
    TListViewPopup popup(false, &t.Tree);
    popup.ItemSelectAll->trigger();
    const QItemSelectionModel *s = t.Tree.selectionModel();
    EXPECT_TRUE(s->isSelected(t.Model.index(0, 0, t.Model.index(0, 0))));
    EXPECT_TRUE(s->isSelected(t.Model.index(1, 0)));
    EXPECT_FALSE(s->isSelected(t.Model.index(0, 0, t.Model.index(1, 0)))) << "inside a collapsed group";
    popup.ItemSelectNone->trigger();
    EXPECT_FALSE(s->hasSelection());
}
