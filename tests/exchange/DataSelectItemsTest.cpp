// The two-list picker: moves hide and show items with their groups, group rows never stay
// selected, the chosen order is stable, the current database's group leads, and columns.
#include "DataSelectFixture.h"

#include "exchange/FraDataSelectItems.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace dataselecttest;

namespace {

// Top-level texts of a tree and, indented by two blanks, the texts of their children.
QStringList Rows(const QAbstractItemModel *m) {
    QStringList rows;
    for (int r = 0; r < m->rowCount(); ++r) {
        const QModelIndex top = m->index(r, 0);
        rows << top.data().toString();
        for (int c = 0; c < m->rowCount(top); ++c) rows << QStringLiteral("  ") + m->index(c, 0, top).data().toString();
    }
    return rows;
}

class DataSelectItems : public ::testing::Test {
protected:
    void SetUp() override {
        Frame = std::make_unique<TFrameDataSelectItems>(QStringLiteral("Available"), QStringLiteral("Chosen"), 0);
        for (QTreeView *tree : {Frame->ListViewFiltered, Frame->ListViewSelected})
            Testers.push_back(std::make_unique<QAbstractItemModelTester>(
                tree->model(), QAbstractItemModelTester::FailureReportingMode::Fatal));
        Frame->resize(600, 400);
        Frame->show();
    }

    // Items a1, a2 in "Alpha" (current database), b1 in "Beta", loose at top level.
    void Fill() {
        Frame->BeginUpdate();
        Frame->ClearAvailable();
        Frame->AddItem(QStringLiteral("b1"), QString(), QStringLiteral("Beta"), nullptr, &Data[0], false);
        Frame->AddItem(QStringLiteral("a2"), QString(), QStringLiteral("Alpha"), nullptr, &Data[1], true);
        Frame->AddItem(QStringLiteral("a1"), QString(), QStringLiteral("ALPHA"), nullptr, &Data[2], true);
        Frame->AddItem(QStringLiteral("loose"), QString(), QString(), nullptr, &Data[3], false);
        Frame->EndUpdate();
    }

    std::vector<void *> Chosen() const {
        std::vector<void *> data;
        for (int i = 0; i < Frame->GetSelectedCount(); ++i) data.push_back(Frame->GetSelectedData(i));
        return data;
    }

    int Data[4] = {};
    std::unique_ptr<TFrameDataSelectItems> Frame;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> Testers;
};

TEST_F(DataSelectItems, AddHidesItemsAndEmptiedGroupsRemoveShowsThemAgain) {
    Fill();
    const QAbstractItemModel *left = Frame->ListViewFiltered->model(), *right = Frame->ListViewSelected->model();
    // The current database's group first; one group for both spellings of its name, which
    // takes the spelling of its first item.
    EXPECT_EQ(Rows(left), (QStringList{"ALPHA", "  a1", "  a2", "Beta", "  b1", "loose"}));
    EXPECT_FALSE(Frame->ButtonAdd->isEnabled());
    EXPECT_FALSE(Frame->ButtonRemove->isEnabled());

    SelectRows(Frame->ListViewFiltered, {"a1", "a2"});
    ASSERT_TRUE(Frame->ButtonAdd->isEnabled());
    QTest::mouseClick(Frame->ButtonAdd, Qt::LeftButton);
    EXPECT_EQ(Rows(left), (QStringList{"Beta", "  b1", "loose"})) << "the emptied group goes";
    // A group row takes the spelling of the first item under it: a1 came first here.
    EXPECT_EQ(Rows(right), (QStringList{"ALPHA", "  a1", "  a2"}));
    EXPECT_TRUE(Frame->ButtonRemove->isEnabled()) << "the moved rows stay selected on the right";
    EXPECT_FALSE(Frame->ButtonAdd->isEnabled());
    EXPECT_EQ(Chosen(), (std::vector<void *>{&Data[2], &Data[1]})) << "one move in name order";

    SelectRows(Frame->ListViewFiltered, {"loose", "b1"});
    QTest::mouseClick(Frame->ButtonAdd, Qt::LeftButton);
    EXPECT_EQ(Rows(left), QStringList());
    EXPECT_EQ(Chosen(), (std::vector<void *>{&Data[2], &Data[1], &Data[0], &Data[3]}))
        << "later moves come after earlier ones";

    SelectRows(Frame->ListViewSelected, {"a2"});
    QTest::mouseClick(Frame->ButtonRemove, Qt::LeftButton);
    EXPECT_EQ(Rows(left), (QStringList{"Alpha", "  a2"})) << "back in its group, which shows again";
    EXPECT_EQ(Rows(right), (QStringList{"ALPHA", "  a1", "Beta", "  b1", "loose"}));
    EXPECT_EQ(Frame->ListViewFiltered->selectionModel()->selectedRows().size(), 1) << "the returned row is selected";
    EXPECT_TRUE(Frame->ButtonAdd->isEnabled());
    EXPECT_EQ(Chosen(), (std::vector<void *>{&Data[2], &Data[0], &Data[3]}));

    // A refill offers the same objects again: the chosen ones stay hidden.
    Fill();
    EXPECT_EQ(Rows(left), (QStringList{"Alpha", "  a2"}));

    Frame->ClearSelected();
    EXPECT_EQ(Frame->GetSelectedCount(), 0);
    EXPECT_EQ(Rows(right), QStringList());
    EXPECT_EQ(Rows(left).size(), 6) << "nothing chosen, nothing hidden";
    Frame->ClearAvailable();
    EXPECT_EQ(left->rowCount(), 0);
    EXPECT_EQ(Frame->GetSelectedData(0), nullptr);
    EXPECT_EQ(Frame->GetSelectedData(-1), nullptr);
}

TEST_F(DataSelectItems, AGroupRowNeverStaysSelected) {
    Fill();
    QTreeView *left = Frame->ListViewFiltered;
    SelectRows(left, {"Beta"});
    EXPECT_FALSE(left->selectionModel()->hasSelection());
    EXPECT_FALSE(Frame->ButtonAdd->isEnabled());
    // A click on the group band selects nothing either.
    const QRect band = left->visualRect(Find(left->model(), "Beta"));
    QTest::mouseClick(left->viewport(), Qt::LeftButton, {}, band.center() - QPoint(band.width() / 4, 0));
    EXPECT_FALSE(left->selectionModel()->hasSelection());
    EXPECT_FALSE(Frame->ButtonAdd->isEnabled());
    // Group and item together: the item remains.
    SelectRows(left, {"Beta", "b1"});
    EXPECT_EQ(left->selectionModel()->selectedRows().size(), 1);
    EXPECT_TRUE(Frame->ButtonAdd->isEnabled());
}

TEST_F(DataSelectItems, TheExpandButtonFoldsTheGroup) {
    Fill();
    QTreeView *left = Frame->ListViewFiltered;
    const QModelIndex alpha = Find(left->model(), "ALPHA");
    ASSERT_TRUE(left->isExpanded(alpha));
    const QRect band = left->visualRect(alpha);
    const QPoint button(band.right() - 10, band.center().y());
    QTest::mouseClick(left->viewport(), Qt::LeftButton, {}, button);
    EXPECT_FALSE(left->isExpanded(alpha));
    EXPECT_FALSE(left->selectionModel()->hasSelection());
    QTest::mouseClick(left->viewport(), Qt::LeftButton, {}, button);
    EXPECT_TRUE(left->isExpanded(alpha));
}

TEST_F(DataSelectItems, EndUpdateWithoutItemsRebuildsNothing) {
    Fill();
    QSignalSpy resets(Frame->ListViewFiltered->model(), &QAbstractItemModel::modelReset);
    Frame->BeginUpdate();
    Frame->EndUpdate();
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(Frame->ListViewFiltered->model()->rowCount(), 3);
}

TEST_F(DataSelectItems, TheCurrentGroupLeadsInBothDirections) {
    Fill();
    QTreeView *left = Frame->ListViewFiltered;
    left->header()->setSortIndicator(0, Qt::DescendingOrder);
    EXPECT_EQ(Rows(left->model()), (QStringList{"ALPHA", "  a2", "  a1", "Beta", "  b1", "loose"}))
        << "descending names, the current group still first";
    // A click on the header turns the direction back.
    QTest::mouseClick(left->header()->viewport(), Qt::LeftButton, {}, QPoint(10, left->header()->height() / 2));
    EXPECT_EQ(Rows(left->model()).front(), QStringLiteral("ALPHA"));
    EXPECT_EQ(left->header()->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(DataSelectItems, ColumnsAreAddedOnceAndFoundByCaption) {
    Frame->BeginUpdate();
    Frame->AddItem(QStringLiteral("x"), QStringLiteral("120"), QString(), nullptr, &Data[0], false);
    Frame->AddItem(QStringLiteral("y"), QStringLiteral("20"), QString(), nullptr, &Data[1], false);
    Frame->AddItem(QString(), QString(), QString(), nullptr, &Data[2], false);
    Frame->EndUpdate();
    Frame->AddColumn(QStringLiteral("Range"), 70);
    Frame->AddColumn(QStringLiteral("RANGE"), 70);
    for (const TDataSelectTree *tree : {Frame->ListViewFiltered, Frame->ListViewSelected}) {
        EXPECT_EQ(tree->model()->columnCount(), 2);
        EXPECT_EQ(Frame->FindColumn(tree, QStringLiteral("range")), 1);
        EXPECT_EQ(tree->columnWidth(1), 70);
    }
    const QAbstractItemModel *m = Frame->ListViewFiltered->model();
    EXPECT_EQ(Find(m, "<no name>").isValid(), true) << "an item without a name";
    EXPECT_EQ(m->index(0, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
    // Sorted by the detail column: numbers by value.
    Frame->ListViewFiltered->header()->setSortIndicator(1, Qt::AscendingOrder);
    QStringList details;
    for (int r = 0; r < m->rowCount(); ++r) details << m->index(r, 1).data().toString();
    EXPECT_EQ(details, (QStringList{"", "20", "120"}));
    Frame->DeleteColumn(QStringLiteral("Range"));
    EXPECT_EQ(m->columnCount(), 1);
    EXPECT_EQ(Frame->FindColumn(Frame->ListViewFiltered, QStringLiteral("Range")), -1);
}

}  // namespace
