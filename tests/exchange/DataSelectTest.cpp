// The transfer page over in-memory databases, built both ways the wizards build it: the
// filter decides the waypoints offered, the result adds route waypoints and waypoint types,
// validation names what is missing, the tabs follow the offered kinds, and the pictures.
#include "DataSelectFixture.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"
#include "exchange/FraDataFilter.h"
#include "exchange/FraDataSelect.h"

#include <QAbstractItemModelTester>
#include <QPushButton>
#include <QHeaderView>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace dataselecttest;

namespace {

constexpr int32_t Metre = 0x6800B;
constexpr int32_t NauticalMile = 0x60006;
const QString UserDatabase = QStringLiteral("User database");

QStringList Rows(const QAbstractItemModel *m, const QModelIndex &parent = {}, const QString &indent = {}) {
    QStringList rows;
    for (int r = 0; r < m->rowCount(parent); ++r) {
        const QModelIndex i = m->index(r, 0, parent);
        rows << indent + i.data().toString();
        rows << Rows(m, i, indent + QStringLiteral("  "));
    }
    return rows;
}

QStringList Names(IWptObjectList *list) {
    QStringList names;
    for (int i = 0; i < list->GetCount(); ++i) names << WptObjectGetName(static_cast<IWptObject *>(list->GetItem(i)));
    return names;
}

class DataSelectPage : public DataSelectFixture {
protected:
    void SetUp() override {
        DataSelectFixture::SetUp();
        Buoy = Type(Harbour, QStringLiteral("Buoy"), Qt::red);
        Mark = Type(Import, QStringLiteral("Mark"), Qt::darkGreen);
        Moorings = Group(Harbour, QStringLiteral("Moorings"));
        Fuel = Group(Harbour, QStringLiteral("Fuel"));
        Imported = Group(Import, QStringLiteral("Imported"));
        M1 = Waypoint(Harbour, QStringLiteral("M1"), Moorings, Buoy, 1852.0f);
        M2 = Waypoint(Harbour, QStringLiteral("M2"), Moorings, Buoy);
        F1 = Waypoint(Harbour, QStringLiteral("F1"), Fuel);
        Loose = Waypoint(Harbour, QStringLiteral("Loose"));
        I1 = Waypoint(Import, QStringLiteral("I1"), Imported, Mark, 500.0f);
        Stray = Waypoint(Import, QStringLiteral("Stray"));
        Trip = Route(Harbour, QStringLiteral("Trip"), {M1, Loose});
        Back = Route(Import, QStringLiteral("Back"), {I1});
        Route(Harbour, QStringLiteral("Empty"), {});
    }
    void TearDown() override {
        SetMsgBoxPrompter({});
        Testers.clear();
        Page.reset();
    }

    TFrameDataSelect &OnManager(TDataTransferMode mode = 0, int32_t unit = Metre) {
        Testers.clear();
        Page.reset(TFrameDataSelect::CreateOnManager(Manager.get(), Harbour, UserDatabase, mode, unit));
        for (QAbstractItemModel *m : {Page->WaypointSelect->ListViewFiltered->model(),
                                      Page->WaypointSelect->ListViewSelected->model(),
                                      static_cast<QAbstractItemModel *>(Page->Filter->Model())})
            Testers.push_back(std::make_unique<QAbstractItemModelTester>(
                m, QAbstractItemModelTester::FailureReportingMode::Fatal));
        Page->resize(760, 420);
        Page->show();
        return *Page;
    }

    QStringList Offered() const {
        QStringList items;
        for (const QString &r : Rows(Page->WaypointSelect->ListViewFiltered->model()))
            if (r.startsWith(QLatin1String("  "))) items << r.trimmed();
        items.sort();
        return items;
    }

    void Tick(const QString &row, Qt::CheckState state) {
        TDataFilterModel *m = Page->Filter->Model();
        ASSERT_TRUE(m->setData(Find(m, row), int(state), Qt::CheckStateRole)) << row.toStdString();
    }

    IWptWaypointType *Buoy, *Mark;
    IWptWaypointGroup *Moorings, *Fuel, *Imported;
    IWptWaypoint *M1, *M2, *F1, *Loose, *I1, *Stray;
    IWptRoute *Trip, *Back;
    std::unique_ptr<TFrameDataSelect> Page;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> Testers;
};

TEST_F(DataSelectPage, OnAManagerTheFilterTicksGroupsAndOffersTheirWaypoints) {
    OnManager();
    TFrameDataFilter *filter = Page->Filter;
    EXPECT_EQ(Rows(filter->Model()), (QStringList{"Ungrouped (2)", UserDatabase, "  Fuel (1)", "  Moorings (2)",
                                                  "Import", "  Imported (1)"}))
        << "ungrouped first, then the current database";
    EXPECT_EQ(Find(filter->Model(), "Ungrouped").data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(Find(filter->Model(), UserDatabase).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(Offered(), (QStringList{"F1", "I1", "M1", "M2"}));
    EXPECT_EQ(Find(Page->WaypointSelect->ListViewFiltered->model(), UserDatabase).row(), 0)
        << "the current database's group first";

    Tick("Ungrouped", Qt::Checked);
    EXPECT_EQ(Offered(), (QStringList{"F1", "I1", "Loose", "M1", "M2", "Stray"}));
    Tick(UserDatabase, Qt::Unchecked);
    EXPECT_EQ(Find(filter->Model(), "Fuel").data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(Offered(), (QStringList{"I1", "Loose", "Stray"}));
    Tick("Moorings", Qt::Checked);
    EXPECT_EQ(Find(filter->Model(), UserDatabase).data(Qt::CheckStateRole).toInt(), Qt::PartiallyChecked);
    // The check box of a database row in the mixed state ticks everything.
    Tick(UserDatabase, Qt::Checked);
    EXPECT_EQ(Find(filter->Model(), "Fuel").data(Qt::CheckStateRole).toInt(), Qt::Checked);

    TNavPtr<IWptWaypointList> list(WptWaypointListCreate(0));
    list->Add(Obj(Back));  // cleared first
    filter->GetWaypoints(list.get());
    QStringList names = Names(list.get());
    names.sort();
    EXPECT_EQ(names, (QStringList{"F1", "I1", "Loose", "M1", "M2", "Stray"}));

    // A click on a label toggles its box as well.
    Page->SetKinds(DataSelectKind::Waypoints);
    QCoreApplication::processEvents();
    QTreeView *tree = filter->ListView;
    const QRect label = tree->visualRect(Find(filter->Model(), "Imported"));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(label.left() + 60, label.center().y()));
    EXPECT_EQ(Find(filter->Model(), "Imported").data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(Offered().contains(QStringLiteral("I1")));
}

TEST_F(DataSelectPage, OnOneDatabaseTheUngroupedWaypointsStartTicked) {
    Page.reset(TFrameDataSelect::Create(Import, Harbour, UserDatabase, 2, Metre));
    Page->show();
    EXPECT_TRUE(Page->PanelFilter->isHidden()) << "no filter when downloading";
    EXPECT_TRUE(Page->PaintBoxCollapse->isHidden());
    TDataFilterModel *m = Page->Filter->Model();
    EXPECT_EQ(Find(m, "Ungrouped").data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(Rows(m), (QStringList{"Ungrouped (2)", "Import", "  Imported (1)"}));
    const QStringList offered = Offered();
    EXPECT_TRUE(offered.contains(QStringLiteral("I1")));
    EXPECT_TRUE(offered.contains(QStringLiteral("Stray")));
    EXPECT_FALSE(offered.contains(QStringLiteral("M1"))) << "groups of other databases stay out";
    // Routes and types of that database only; the default type never.
    EXPECT_EQ(Rows(Page->RouteSelect->ListViewFiltered->model()), (QStringList{"Import", "  Back"}));
    EXPECT_EQ(Rows(Page->TypeSelect->ListViewFiltered->model()), (QStringList{"Import", "  Mark"}));
    EXPECT_EQ(Rows(Page->GroupSelect->ListViewFiltered->model()), (QStringList{"Import", "  Imported"}));
}

TEST_F(DataSelectPage, TheResultAddsTypesOfChosenWaypointsThenWaypointsOfChosenRoutes) {
    OnManager();
    Page->SetKinds(DataSelectKind::Waypoints | DataSelectKind::Routes | DataSelectKind::Types);
    Choose(Page->RouteSelect, {"Trip"});
    Choose(Page->WaypointSelect, {"F1", "I1"});
    TNavPtr<IWptWaypointGroupList> groups(WptWaypointGroupListCreate(0));
    TNavPtr<IWptWaypointList> waypoints(WptWaypointListCreate(0));
    TNavPtr<IWptRouteList> routes(WptRouteListCreate(0));
    TNavPtr<IWptWaypointTypeList> types(WptWaypointTypeListCreate(0));
    TNavPtr<IWptPolygonList> polygons(WptPolygonListCreate(0));
    groups->Add(Obj(Fuel));
    Page->GetSelection(groups.get(), waypoints.get(), routes.get(), types.get(), polygons.get());
    EXPECT_EQ(Names(routes.get()), QStringList{"Trip"});
    EXPECT_EQ(Names(waypoints.get()), (QStringList{"F1", "I1", "M1", "Loose"})) << "the route's waypoints last";
    EXPECT_EQ(Names(types.get()), QStringList{"Mark"}) << "M1 came with the route, after the type step";
    EXPECT_EQ(Names(groups.get()), QStringList{"Fuel"}) << "kinds not offered stay untouched";

    // M1 chosen itself brings its type; a waypoint in a route and chosen appears once.
    Choose(Page->WaypointSelect, {"M1"});
    Page->GetSelection(groups.get(), waypoints.get(), routes.get(), types.get(), polygons.get());
    EXPECT_EQ(Names(waypoints.get()), (QStringList{"F1", "I1", "M1", "Loose"}));
    EXPECT_EQ(Names(types.get()), (QStringList{"Mark", "Buoy"}));

    Page->ClearAll();
    EXPECT_EQ(Page->WaypointSelect->GetSelectedCount(), 0);
    EXPECT_EQ(Page->RouteSelect->ListViewFiltered->model()->rowCount(), 0);
}

TEST_F(DataSelectPage, ValidationNamesWhatIsMissing) {
    OnManager();
    QStringList shown;
    SetMsgBoxPrompter([&shown](TMessageForm &form) {
        shown << form.MessageLabel()->text();
        return mrOk;
    });
    const QString waypoint = QStringLiteral(
        "You have selected nothing to import.\n\nPlease select at least one waypoint to import.");
    struct Case {
        uint8_t Kinds;
        const char *Chosen;  // route chosen first, or nothing
        bool Valid;
        const char *Item;
    } cases[] = {
        {DataSelectKind::Waypoints, nullptr, false, "waypoint"},
        {DataSelectKind::Routes, nullptr, false, "route"},
        {DataSelectKind::Groups | DataSelectKind::Polygons, nullptr, false, "database item"},
        {DataSelectKind::Waypoints | DataSelectKind::Routes, "Trip", true, nullptr},
        {DataSelectKind::Routes, "Trip", true, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.Kinds));
        Page->ClearAll();
        Page->RefreshAll();
        Page->SetKinds(c.Kinds);
        if (c.Chosen) Choose(Page->RouteSelect, {QString::fromLatin1(c.Chosen)});
        shown.clear();
        EXPECT_EQ(Page->ValidateSelection(true), c.Valid);
        if (c.Valid) {
            EXPECT_TRUE(shown.isEmpty());
        } else {
            ASSERT_EQ(shown.size(), 1);
            EXPECT_TRUE(shown.front().contains(QStringLiteral("at least one %1 to import.").arg(c.Item)))
                << shown.front().toStdString();
        }
    }
    Page->ClearAll();
    Page->RefreshAll();
    Page->SetKinds(DataSelectKind::Waypoints);
    shown.clear();
    EXPECT_FALSE(Page->ValidateSelection(false));
    EXPECT_TRUE(shown.isEmpty()) << "no box when asked for none";
    EXPECT_FALSE(Page->ValidateSelection(true));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front(), waypoint);

    // The download page uses its own verb.
    Testers.clear();
    Page.reset(TFrameDataSelect::Create(Import, Harbour, UserDatabase, 2, Metre));
    Page->SetKinds(DataSelectKind::Routes);
    shown.clear();
    EXPECT_FALSE(Page->ValidateSelection(true));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front(), QStringLiteral(
        "You have selected nothing to download.\n\nPlease select at least one route to download."));
}

TEST_F(DataSelectPage, OneKindHidesTheTabStripAndShowsItsPage) {
    OnManager();
    QTabWidget *pages = Page->PageControl;
    EXPECT_FALSE(pages->tabBar()->isVisible()) << "nothing offered yet";
    Page->SetKinds(DataSelectKind::Routes);
    EXPECT_FALSE(pages->tabBar()->isVisible());
    EXPECT_EQ(pages->currentWidget(), Page->TabSheetRoutes);
    EXPECT_TRUE(Page->TabSheetRoutes->isVisible());
    Page->SetKinds(DataSelectKind::Waypoints | DataSelectKind::Polygons);
    EXPECT_TRUE(pages->tabBar()->isVisible());
    std::vector<bool> visible;
    for (int i = 0; i < pages->count(); ++i) visible.push_back(pages->isTabVisible(i));
    EXPECT_EQ(visible, (std::vector<bool>{true, false, false, false, true}));
    EXPECT_EQ(pages->currentWidget(), Page->TabSheetWaypoint);
    EXPECT_EQ(pages->tabText(4), QStringLiteral("Alarm zones"));
    EXPECT_EQ(Page->LabelInformationPolygons->text(),
              QStringLiteral("Add the alarm zones you want to import to the list on the right"));
}

TEST_F(DataSelectPage, TheProximityColumnShowsOnceInTheUsersUnit) {
    OnManager();
    Page->ShowProximityColumn(true);
    Page->ShowProximityColumn(true);
    const QAbstractItemModel *m = Page->WaypointSelect->ListViewFiltered->model();
    ASSERT_EQ(m->columnCount(), 2);
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Proximity [m]"));
    EXPECT_EQ(Page->WaypointSelect->ListViewSelected->model()->columnCount(), 2);
    EXPECT_EQ(Find(m, "M1").siblingAtColumn(1).data().toString(), QStringLiteral("1852"));
    EXPECT_EQ(Find(m, "M2").siblingAtColumn(1).data().toString(), QString()) << "no radius, no text";
    Page->ShowProximityColumn(false);
    EXPECT_EQ(m->columnCount(), 1);

    OnManager(0, NauticalMile);
    Page->ShowProximityColumn(true);
    const QAbstractItemModel *nm = Page->WaypointSelect->ListViewFiltered->model();
    EXPECT_EQ(nm->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Proximity [NM]"));
    EXPECT_EQ(Find(nm, "M1").siblingAtColumn(1).data().toString(), QStringLiteral("1"));
    EXPECT_EQ(Find(nm, "I1").siblingAtColumn(1).data().toString(), QStringLiteral("0")) << "rounded";
}

TEST_F(DataSelectPage, TheFilterPanelRemembersWhetherItIsShown) {
    OnManager();
    ASSERT_TRUE(Page->FilterVisible());
    TCollapseBox *box = Page->PaintBoxCollapse;
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    EXPECT_FALSE(Page->FilterVisible());
    EXPECT_TRUE(Page->PanelFilter->isHidden());
    OnManager();
    EXPECT_FALSE(Page->FilterVisible()) << "read back from the settings";
    Page->SetFilterVisible(true);
    OnManager();
    EXPECT_TRUE(Page->FilterVisible());
    EXPECT_FALSE(Page->PanelFilter->isHidden());
}

TEST_F(DataSelectPage, TheWaypointTabByDayAndNightWithAllFiveImagesConverted) {
    WptManagerNewDatabase(Manager.get(), QStringLiteral("Charts"));  // a database without groups
    OnManager();
    EXPECT_TRUE(Find(Page->Filter->Model(), "No waypoint groups available").isValid());
    Page->SetKinds(DataSelectKind::Waypoints | DataSelectKind::Groups | DataSelectKind::Types |
                   DataSelectKind::Routes | DataSelectKind::Polygons);
    Page->ShowProximityColumn(true);
    Tick("Ungrouped", Qt::Checked);
    Choose(Page->WaypointSelect, {"M2", "I1"});
    QCoreApplication::processEvents();
    std::vector<QImage> day;
    for (QLabel *image : Page->ImageInformation) day.push_back(image->pixmap().toImage());
    shelltest::SaveScreenshot(Page.get(), QStringLiteral("dataselect-waypoints-day"));
    NightScreenStart();
    NightScreen()->SetActive(true);
    QCoreApplication::processEvents();
    shelltest::SaveScreenshot(Page.get(), QStringLiteral("dataselect-waypoints-night"));
    for (size_t i = 0; i < day.size(); ++i)
        EXPECT_NE(Page->ImageInformation[i]->pixmap().toImage(), day[i]) << "image " << i << " in night colours";
    NightScreen()->SetActive(false);
    NightScreenStop();
    QCoreApplication::processEvents();
    Testers.clear();
    Page.reset();
    EXPECT_FALSE(NightScreenHasPictureRegistry()) << "every image removed with the page";
}

}  // namespace
