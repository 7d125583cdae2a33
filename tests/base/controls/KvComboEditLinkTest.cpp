#include "base/controls/KvComboEditLink.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

namespace {

struct TCall {
    QComboBox *Combo;
    QModelIndex Index;
    int Column;
};

// A two-column tree whose second column is edited through the link.
struct TComboTree {
    QStandardItemModel Model{2, 2};
    QTreeView View;
    TComboEditLink *Link;
    std::vector<TCall> CloseUps;
    explicit TComboTree(bool withFill) {
        Model.setItem(0, 0, new QStandardItem(QStringLiteral("Point 1")));
        Model.setItem(0, 1, new QStandardItem(QStringLiteral("Bridge")));
        Model.setItem(1, 0, new QStandardItem(QStringLiteral("Point 2")));
        Model.setItem(1, 1, new QStandardItem(QStringLiteral("Lock")));
        View.setModel(&Model);
        TComboEditLink::THandler fill;
        if (withFill)
            fill = [](QComboBox *combo, const QModelIndex &index, int) {
                combo->addItems({QStringLiteral("Bridge"), QStringLiteral("Lock"), QStringLiteral("Marina")});
                combo->setCurrentText(index.data().toString());
            };
        Link = new TComboEditLink(
            fill, nullptr,
            [this](QComboBox *combo, const QModelIndex &index, int column) {
                CloseUps.push_back({combo, index, column});
                Model.setData(index, combo->currentText());
            },
            &View);
        View.setItemDelegateForColumn(1, Link);
        View.header()->setStretchLastSection(false);
        View.header()->resizeSection(0, 100);
        View.header()->resizeSection(1, 80);
        View.resize(300, 200);
        View.show();
        QApplication::setActiveWindow(&View);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&View));
    }
    TComboEditBox *Open(int row) {
        const QModelIndex index = Model.index(row, 1);
        View.setCurrentIndex(index);
        View.edit(index);
        QApplication::processEvents();
        return qobject_cast<TComboEditBox *>(View.indexWidget(index));
    }
    int Editors() const { return int(View.viewport()->findChildren<TComboEditBox *>().size()); }
};

}  // namespace

TEST(ComboEditLink, WithoutFillHandlerTheListIsEmpty) {
    TComboTree t(false);
    TComboEditBox *combo = t.Open(0);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 0);
    EXPECT_FALSE(combo->isEditable()) << "a drop-down list takes no free text";
}

TEST(ComboEditLink, ChoosingCallsCloseUpOnceAndEndsTheEdit) {
    TComboTree t(true);
    TComboEditBox *combo = t.Open(0);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Bridge")) << "the fill handler selects the value";
    ASSERT_TRUE(combo->view()->isVisible()) << "the list drops down at once";
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(t.CloseUps.size(), 1u);
    EXPECT_EQ(t.CloseUps[0].Index, t.Model.index(0, 1));
    EXPECT_EQ(t.CloseUps[0].Column, 1);
    EXPECT_EQ(t.Model.index(0, 1).data().toString(), QStringLiteral("Marina"));
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(t.Editors(), 0) << "the editor goes with the edit";
}

TEST(ComboEditLink, CancelledEditWritesNothingAndRunsNoHandler) {
    struct Case { const char *name; bool escapeInList; };
    const Case cases[] = {{"Escape in the open list", true}, {"Escape on the closed box", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TComboTree t(true);
        TComboEditBox *combo = t.Open(1);
        ASSERT_NE(combo, nullptr);
        QTest::keyClick(combo->view(), Qt::Key_Down);
        if (c.escapeInList) {
            QTest::keyClick(combo->view(), Qt::Key_Escape);
        } else {
            combo->hidePopup();
            QApplication::processEvents();
            QTest::keyClick(combo, Qt::Key_Escape);
        }
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(t.CloseUps.empty());
        EXPECT_EQ(t.Model.index(1, 1).data().toString(), QStringLiteral("Lock"));
        EXPECT_EQ(t.Editors(), 0);
    }
}

TEST(ComboEditLink, EditorSpansTheColumnLessOnePixelWithGridLines) {
    for (bool grid : {false, true}) {
        SCOPED_TRACE(grid ? "grid lines" : "no grid lines");
        TComboTree t(true);
        t.Link->VerticalGridLines = grid;
        TComboEditBox *combo = t.Open(0);
        ASSERT_NE(combo, nullptr);
        const QRect row = t.View.visualRect(t.Model.index(0, 1));
        EXPECT_EQ(combo->geometry().left(), t.View.header()->sectionViewportPosition(1));
        EXPECT_EQ(combo->geometry().width(), grid ? 79 : 80);
        EXPECT_EQ(combo->geometry().top(), row.top());
        combo->hidePopup();
    }
}
