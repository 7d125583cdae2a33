// The import selection page: grouping by file or route, the check box as the import flag by
// mouse, keyboard and menu, the cell texts, numeric sorting and the import check.
#include "TextImportFixture.h"

#include "base/controls/MarivoListViewPopup.h"
#include "exchange/FraImportSelect.h"

#include <QAction>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>
#include <cmath>

using namespace textimporttest;

namespace {

constexpr double Deg = M_PI / 180.0;

TPointData Item(const QString &file, const QString &name, double lat, const QString &route = {}) {
    TPointData p;
    p.FileName = file;
    p.Name = name;
    p.LatitudeRad = lat * Deg;
    p.LongitudeRad = 5 * Deg;
    p.RouteName = route;
    p.Import = true;
    return p;
}

class ImportSelect : public TextImportFixture {
protected:
    void SetUp() override {
        TextImportFixture::SetUp();
        Page = std::make_unique<TFrameImportSelect>(nullptr);
        Page->resize(1100, 400);
    }
    QStringList Titles() const {
        QStringList t;
        for (int r = 0; r < Page->Model()->rowCount(); ++r) t << Page->Model()->item(r)->text();
        return t;
    }
    QStandardItem *Cell(int group, int row, int column) const {
        return Page->Model()->item(group)->child(row, column);
    }
    std::unique_ptr<TFrameImportSelect> Page;
};

}  // namespace

TEST_F(ImportSelect, GroupsByFullPathForWaypointsAndByRouteAndFileForRoutes) {
    std::vector<TPointData> items = {Item("/d/a.txt", "B", 52), Item("/d/A.txt", "C", 52),
                                     Item("/d/a.txt", "A", 53)};
    Page->SetKind(ImportTextKind::Waypoints);
    Page->Fill(items);
    EXPECT_EQ(Titles(), (QStringList{"/d/a.txt", "/d/A.txt"})) << "paths differ by case on Linux";
    EXPECT_EQ(Page->Model()->item(0)->rowCount(), 2);
    EXPECT_EQ(Cell(0, 0, TFrameImportSelect::ColName)->text(), "A") << "sorted by name";
    EXPECT_TRUE(Page->Tree()->isColumnHidden(TFrameImportSelect::ColRadius));
    EXPECT_FALSE(Page->Tree()->isColumnHidden(TFrameImportSelect::ColGroup));
    EXPECT_EQ(Page->Information(), QStringLiteral("Select the waypoints you want to import."));

    std::vector<TPointData> routes = {Item("/d/one.txt", "P1", 52, "Trip"), Item("/e/one.txt", "P2", 52, "Trip"),
                                      Item("/d/one.txt", "P3", 52, "Trip")};
    routes[0].Index = 1;
    routes[2].Index = 0;
    Page->SetKind(ImportTextKind::Routes);
    Page->Fill(routes);
    EXPECT_EQ(Titles(), (QStringList{"Trip (/d/one.txt)", "Trip (/e/one.txt)"}));
    EXPECT_EQ(Cell(0, 0, TFrameImportSelect::ColName)->text(), "P3") << "sorted by number";
    EXPECT_EQ(Cell(0, 0, TFrameImportSelect::ColNr)->text(), "1");
    EXPECT_FALSE(Page->Tree()->isColumnHidden(TFrameImportSelect::ColRadius));
    EXPECT_TRUE(Page->Tree()->isColumnHidden(TFrameImportSelect::ColProximity));
}

TEST_F(ImportSelect, CellTextsAndTheirColours) {
    std::vector<TPointData> items = {Item("/d/a.txt", "", 52.5)};
    items[0].ProximityM = 0.0;
    items[0].RadiusM = -1.0;
    Page->SetKind(ImportTextKind::Waypoints);
    Page->Fill(items);
    EXPECT_EQ(Cell(0, 0, TFrameImportSelect::ColProximity)->text(), "0.00m");
    EXPECT_EQ(Cell(0, 0, TFrameImportSelect::ColLatitude)->text().left(6), QStringLiteral("52°30."));
    EXPECT_EQ(Cell(0, 0, TFrameImportSelect::ColName)->text(), "<none>");
    EXPECT_TRUE(Cell(0, 0, TFrameImportSelect::ColName)->data(Qt::ForegroundRole).isValid()) << "grey";
    EXPECT_EQ(Cell(0, 0, TFrameImportSelect::ColRadius)->text(), "<none>");
    EXPECT_FALSE(Cell(0, 0, TFrameImportSelect::ColRadius)->data(Qt::ForegroundRole).isValid())
        << "a missing radius keeps the normal colour";
    items[0].ProximityM = -1.0;
    items[0].RadiusM = 50.0;
    Page->Fill(items);
    EXPECT_EQ(Cell(0, 0, TFrameImportSelect::ColProximity)->text(), "<none>");
    EXPECT_TRUE(Cell(0, 0, TFrameImportSelect::ColProximity)->data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(Cell(0, 0, TFrameImportSelect::ColRadius)->text(), "50.00m");
}

TEST_F(ImportSelect, ClickKeyboardAndMenuWriteTheImportFlag) {
    std::vector<TPointData> items = {Item("/d/a.txt", "A", 52), Item("/d/a.txt", "B", 53)};
    Page->SetKind(ImportTextKind::Waypoints);
    Page->Fill(items);
    Page->show();
    QTreeView *tree = Page->Tree();
    const QModelIndex a = Cell(0, 0, 0)->index();
    const QRect r = tree->visualRect(a);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_FALSE(items[0].Import) << "click";
    tree->setCurrentIndex(a);
    QTest::keyClick(tree, Qt::Key_Space);
    EXPECT_TRUE(items[0].Import) << "space";
    tree->selectAll();
    Page->Popup()->SetChecks(false);
    EXPECT_FALSE(items[0].Import);
    EXPECT_FALSE(items[1].Import) << "menu";
    // Nothing checked: the error.
    EXPECT_FALSE(Page->Validate());
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith("You have checked no waypoints."));
}

TEST_F(ImportSelect, LatitudeSortsNumerically) {
    std::vector<TPointData> items = {Item("/d/a.txt", "A", 9), Item("/d/a.txt", "B", -10), Item("/d/a.txt", "C", 10)};
    Page->SetKind(ImportTextKind::Waypoints);
    Page->Fill(items);
    Page->Tree()->header()->sectionClicked(TFrameImportSelect::ColLatitude);
    QStringList names;
    for (int i = 0; i < 3; ++i) names << Cell(0, i, TFrameImportSelect::ColName)->text();
    EXPECT_EQ(names, (QStringList{"B", "A", "C"}));
    Page->Tree()->header()->sectionClicked(TFrameImportSelect::ColLatitude);
    EXPECT_EQ(Cell(0, 0, TFrameImportSelect::ColName)->text(), "C") << "descending on a second click";
}

TEST_F(ImportSelect, RoutesNeedTwoCheckedPoints) {
    std::vector<TPointData> items = {Item("/d/a.txt", "A1", 52, "a"), Item("/d/a.txt", "A2", 52, "a"),
                                     Item("/d/b.txt", "B1", 52, "b"), Item("/d/b.txt", "B2", 52, "b")};
    Page->SetKind(ImportTextKind::Routes);
    struct Case {
        std::vector<bool> checked;
        std::vector<int> answers;
        bool result;
        int messages;
    } cases[] = {
        {{true, true, true, true}, {}, true, 0},
        {{true, true, true, false}, {mrYes}, true, 1},
        {{true, true, true, false}, {mrNo}, false, 1},
        {{true, false, false, true}, {}, false, 1},
        {{false, false, false, false}, {}, false, 1},
    };
    for (const Case &c : cases) {
        for (size_t i = 0; i < items.size(); ++i) items[i].Import = c.checked[i];
        Page->Fill(items);
        Messages.clear();
        Answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(Page->Validate(), c.result);
        EXPECT_EQ(Messages.size(), c.messages);
        if (c.messages == 1 && !c.answers.empty())
            EXPECT_TRUE(Messages[0].contains("Do you want to continue without importing"));
        if (c.messages == 1 && c.answers.empty())
            EXPECT_TRUE(Messages[0].startsWith("No routes can be imported."));
    }
}
