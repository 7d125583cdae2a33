#include "shell/MarivoUtils.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTreeView>

namespace {

// Installs the shell's routines into the item message dialog for one test.
class DrawingScope {
public:
    DrawingScope() : FPrevious(SetFormMsgDrawing(MarivoFormMsgDrawing())) {}
    ~DrawingScope() { SetFormMsgDrawing(std::move(FPrevious)); }

private:
    TFormMsgDrawing FPrevious;
};

QImage Blank(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::white);
    return img;
}

}  // namespace

TEST(GroupRows, ExpandButtonBoxSitsAtTheRightEnd) {
    const QRect box = GroupExpandButtonRect(QRect(0, 10, 100, 20));
    EXPECT_EQ(box, QRect(84, 14, 11, 11));
}

TEST(GroupRows, CellIsShrunkAndOutlinedByPosition) {
    struct Case { const char *name; int column; bool lastCell; bool leftLine, rightLine; int leftX, rightX; };
    const Case cases[] = {
        {"first column", 0, false, true, false, 1, 49},
        {"middle cell that ends the row", 1, true, false, true, 0, 49},
        {"last column", 2, false, false, true, 0, 48},
        {"whole row", -1, false, true, true, 1, 48},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QImage img = Blank(50, 20);
        {
            QPainter p(&img);
            DrawGroupRowCell(p, img.rect(), c.column, c.lastCell, Qt::red, Qt::blue, 3);
        }
        EXPECT_EQ(img.pixelColor(10, 0), QColor(Qt::white)) << "top row left free";
        EXPECT_EQ(img.pixelColor(10, 19), QColor(Qt::white)) << "bottom row left free";
        EXPECT_EQ(img.pixelColor(10, 1), QColor(Qt::red)) << "top line";
        EXPECT_EQ(img.pixelColor(10, 18), QColor(Qt::red)) << "bottom line";
        EXPECT_EQ(img.pixelColor(c.leftX, 10), c.leftLine ? QColor(Qt::red) : QColor(Qt::blue));
        EXPECT_EQ(img.pixelColor(c.rightX, 10), c.rightLine ? QColor(Qt::red) : QColor(Qt::blue));
        EXPECT_EQ(img.pixelColor(0, 10) == QColor(Qt::white), c.leftX == 1);
    }
}

TEST(GroupRows, TrianglePointsDownWhenCollapsedAndUpWhenExpanded) {
    for (bool expanded : {false, true}) {
        SCOPED_TRACE(expanded ? "expanded" : "collapsed");
        QImage img = Blank(100, 21);
        {
            QPainter p(&img);
            PaintGroupExpandButton(p, img.rect(), expanded, false, false);
        }
        const QRect box = GroupExpandButtonRect(img.rect());
        const int left = box.left() + 3, top = box.top() + 3;
        const int wideRow = expanded ? top + 3 : top + 1;
        const int apexRow = expanded ? top + 1 : top + 3;
        EXPECT_EQ(img.pixelColor(left, wideRow), QColor(Qt::black));
        EXPECT_EQ(img.pixelColor(left + 4, wideRow), QColor(Qt::black));
        EXPECT_EQ(img.pixelColor(left + 2, apexRow), QColor(Qt::black));
        EXPECT_EQ(img.pixelColor(left, apexRow), QColor(Qt::white));
    }
}

TEST(GroupRows, SeparatorOnTheLastPixelRow) {
    QImage img = Blank(30, 10);
    {
        QPainter p(&img);
        DrawRowSeparator(p, img.rect());
    }
    EXPECT_NE(img.pixelColor(15, 9), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(15, 8), QColor(Qt::white));
}

TEST(GroupRows, HitTestOnlyOnButtonsOfGroupsWithChildren) {
    DrawingScope scope;
    TFormMsg form(0, false);
    form.AddMessage(QStringLiteral("Route 1"), QStringLiteral("Routes"));
    form.AddMessage(QString(), QStringLiteral("Empty group"));
    form.FillList();
    form.show();
    const QTreeView *tree = form.ListView;
    auto buttonOf = [&](int row) {
        const QModelIndex last = form.Model()->index(row, TMessageListModel::ColumnCount - 1);
        return GroupExpandButtonRect(tree->visualRect(last));
    };
    QModelIndex node;
    int column = -1;
    const QRect routes = buttonOf(1);  // "Empty group" sorts before "Routes"
    EXPECT_TRUE(GroupExpandButtonHitTest(tree, routes.center().x(), routes.center().y(), node, column));
    EXPECT_EQ(node.row(), 1);
    EXPECT_FALSE(GroupExpandButtonHitTest(tree, routes.left() - 1, routes.center().y(), node, column))
        << "one pixel left of the box";
    const QRect empty = buttonOf(0);
    EXPECT_FALSE(GroupExpandButtonHitTest(tree, empty.center().x(), empty.center().y(), node, column))
        << "a group without children has no button";
}

TEST(GroupRows, ClickOnTheButtonTogglesTheGroup) {
    DrawingScope scope;
    TFormMsg form(0, false);
    form.AddMessage(QStringLiteral("Route 1"), QStringLiteral("Routes"));
    form.FillList();
    form.show();
    const QModelIndex group = form.Model()->index(0, 0);
    const QRect button =
        GroupExpandButtonRect(form.ListView->visualRect(form.Model()->index(0, TMessageListModel::ColumnCount - 1)));
    ASSERT_TRUE(form.ListView->isExpanded(group));
    QTest::mouseClick(form.ListView->viewport(), Qt::LeftButton, {}, button.center());
    EXPECT_FALSE(form.ListView->isExpanded(group));
    QTest::mouseClick(form.ListView->viewport(), Qt::LeftButton, {}, button.center());
    EXPECT_TRUE(form.ListView->isExpanded(group));
    QTest::mouseClick(form.ListView->viewport(), Qt::LeftButton, {}, button.center() - QPoint(30, 0));
    EXPECT_TRUE(form.ListView->isExpanded(group)) << "a click beside the button does not toggle";
    // Painting with the shell's routines runs without fault.
    EXPECT_FALSE(form.grab().isNull());
}
