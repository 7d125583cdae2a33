// The route point selection dialog on the demo data: its stored settings, the special rows,
// the page flow and what the two entry points hand back.
#include "routes/FrmRoutePointSelect.h"

#include "base/controls/KvCalendarEx.h"
#include "base/math/KvMath.h"
#include "base/dialogs/FrmSelectDateTime.h"
#include "base/registry/KvRegistry.h"
#include "base/units/KvUnitsTime.h"
#include "routes/RoutePointRowModel.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvUnits.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <cmath>

namespace {

const QString Key = QStringLiteral("Desktop\\RoutePointSelect");

class RoutePointSelect : public routetest::NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        int32_t err = 0;
        RegDeleteKey(GetAppReg(), AppRegRoot::Product, Key, err);
        RegDeleteKey(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes\\RecentSearches"), err);
    }
    void TearDown() override {
        TFormRoutePointSelect::SetPrompter(nullptr);
        TFormSelectDateTime::SetPrompter(nullptr);
        NavEnvRoutes::TearDown();
    }
    std::unique_ptr<TFormRoutePointSelect> Planner(int32_t mode = 0, bool network = true) {
        return std::make_unique<TFormRoutePointSelect>(false, int32_t(WaterBodyMask(0) | WaterBodyMask(3)), mode,
                                                       network ? Env->WaterwayNetwork : nullptr, Env.get());
    }
    void Write(const char16_t *name, int32_t value) {
        int32_t err = 0;
        RegWriteInteger(GetAppReg(), AppRegRoot::Product, Key, RegName(QString::fromUtf16(name)), value, err);
    }
    static QString RowText(TFormRoutePointSelect &f) {
        TNodeData *row = f.Model1()->Row(f.Tree1->currentIndex());
        return row ? row->Name : QString();
    }
    static void Type(TFormRoutePointSelect &f, const QString &text) {
        f.ComboSearch1->setEditText(text);
    }
    static bool Hidden(TFormRoutePointSelect &f, const TNodeData *row) {
        return f.Tree1->isRowHidden(f.Model1()->IndexOf(row).row(), {});
    }
    static const TNodeData *Special(TFormRoutePointSelect &f, uint8_t kind) {
        for (const auto &r : f.FirstRows())
            if (r->Kind == kind) return r.get();
        return nullptr;
    }
    // Start "Yacht Haven Entrance", End; destination "Dunmeer Marina Channel", End.
    static void ChooseStartAndDestination(TFormRoutePointSelect &f) {
        f.CheckListBoxSearchTypes->item(7)->setCheckState(Qt::Checked);  // waterways
        f.LabelLocationValueClick(TFormRoutePointSelect::SlotFrom);
        Type(f, QStringLiteral("Yacht"));
        EXPECT_EQ(RowText(f), QStringLiteral("Yacht Haven Entrance"));
        EXPECT_EQ(f.ButtonOk->text(), QStringLiteral("Next"));
        f.ButtonOk->click();
        EXPECT_TRUE(f.SecondPageActive());
        EXPECT_TRUE(f.FocusSecondRow(QStringLiteral("End")));
        EXPECT_TRUE(f.ButtonOk->isEnabled()) << "back to the first page, also before a destination";
        emit f.Tree2->doubleClicked(f.Tree2->currentIndex());
        EXPECT_FALSE(f.SecondPageActive());
        EXPECT_FALSE(f.ButtonOk->isEnabled()) << "no destination yet";
        f.LabelLocationValueClick(TFormRoutePointSelect::SlotTo);
        Type(f, QStringLiteral("Dunmeer Marina Channel"));
        EXPECT_EQ(RowText(f), QStringLiteral("Dunmeer Marina Channel"));
        f.ButtonOk->click();
        EXPECT_TRUE(f.FocusSecondRow(QStringLiteral("End")));
        f.ButtonOk->click();
    }
};

TEST_F(RoutePointSelect, DefaultsOnAnEmptyStore) {
    auto f = Planner();
    QAbstractItemModelTester tester(f->Model1(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    f->show();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Select route point to navigate to"));
    EXPECT_EQ(f->Slot(TFormRoutePointSelect::SlotFrom).Kind, RouteSlotKind::CurrentPosition);
    EXPECT_EQ(f->Slot(TFormRoutePointSelect::SlotTo).Kind, RouteSlotKind::None);
    EXPECT_EQ(f->ActiveSlot(), TFormRoutePointSelect::SlotTo);
    EXPECT_FALSE(f->ButtonOk->isEnabled());
    EXPECT_TRUE(f->CheckChartWptSelectedOnly->isChecked());
    EXPECT_FALSE(f->CheckUseVia->isChecked());
    EXPECT_FALSE(f->ButtonLocationVia->isEnabled());
    QStringList checked;
    for (int i = 0; i < f->CheckListBoxSearchTypes->count(); ++i)
        if (f->CheckListBoxSearchTypes->item(i)->checkState() == Qt::Checked) checked << f->CheckListBoxSearchTypes->item(i)->text();
    EXPECT_EQ(checked, (QStringList{"User waypoints", "Places"}));
    QStringList bodies;
    for (int i = 0; i < f->CheckListBoxWaterbodies->count(); ++i) bodies << f->CheckListBoxWaterbodies->item(i)->text();
    EXPECT_EQ(bodies, (QStringList{"Inland waterways Netherlands", "North Sea"})) << "only what the network covers, in list order";
    EXPECT_EQ(f->LabelLocationToValue->toolTip(), QStringLiteral("<Select a location>"));
    EXPECT_EQ(f->LabelLocationFromValue->toolTip(), QStringLiteral("<Current position>"));
    EXPECT_EQ(f->LabelStartTime->text(), QStringLiteral("Depart at: <Now>"));
    EXPECT_EQ(f->ComboBoxRouteMode->currentText(), QStringLiteral("Fastest"));
    EXPECT_TRUE(Messages.isEmpty());

    // Waterways and structures too, for the picture.
    f->CheckListBoxSearchTypes->item(6)->setCheckState(Qt::Checked);
    f->CheckListBoxSearchTypes->item(7)->setCheckState(Qt::Checked);
    EXPECT_GT(f->FirstRows().size(), 20u);
    shelltest::SaveScreenshot(f.get(), QStringLiteral("RoutePointSelectPlanner"));
}

TEST_F(RoutePointSelect, StoredPlannerModeMapsToTheThreeModes) {
    struct Case {
        const char *name;
        int32_t stored;  // -2: nothing stored
        int32_t caller;
        int32_t mode;
        QString item;
    };
    const Case cases[] = {{"nothing stored keeps the caller's", -2, 4, 4, "Shortest route (ignore blockades)"},
                          {"negative keeps the caller's", -1, 1, 1, "Shortest"},
                          {"1", 1, 0, 1, "Shortest"},
                          {"4", 4, 0, 4, "Shortest route (ignore blockades)"},
                          {"2 becomes fastest", 2, 1, 0, "Fastest"},
                          {"7 becomes fastest", 7, 1, 0, "Fastest"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = 0;
        RegDeleteKey(GetAppReg(), AppRegRoot::Product, Key, err);
        if (c.stored != -2) Write(u"PlannerMode", c.stored);
        auto f = Planner(c.caller);
        EXPECT_EQ(f->RouteMode(), c.mode);
        EXPECT_EQ(f->ComboBoxRouteMode->currentText(), c.item);
    }
}

TEST_F(RoutePointSelect, DamagedStoredPointsGiveDefaultsAndNoOk) {
    int32_t err = 0;
    TGUID gone{};
    gone.D1 = 0xDEADBEEF;
    Write(u"FromType", 7);
    Write(u"ToType", 2);
    Write(u"ToCustomType", 0);
    RegWriteGUID(GetAppReg(), AppRegRoot::Product, Key, RegName(u"ToCustomGUID"), gone, err);
    RegWriteString(GetAppReg(), AppRegRoot::Product, Key, RegName(u"ToName"), QStringLiteral("Vanished"), err);
    RegWriteBool(GetAppReg(), AppRegRoot::Product, Key, RegName(u"ViaEnabled"), true, err);
    Write(u"ViaType", 2);
    Write(u"ViaCustomType", 4);
    RegWriteGUID(GetAppReg(), AppRegRoot::Product, Key, RegName(u"ViaCustomGUID"),
                 *Env->WaterwayNetwork->GetFairway(0)->GetGUID(), err);
    Write(u"ViaCustomSGIdx", 99);  // no such part
    for (int n = 0; n < 2; ++n) {
        const QString k = QStringLiteral("Routes\\RecentSearches\\%1").arg(n);
        RegWriteBool(GetAppReg(), AppRegRoot::Product, k, RegName(u"IsWaypoint"), true, err);
        RegWriteGUID(GetAppReg(), AppRegRoot::Product, k, RegName(u"ObjectGUID"), gone, err);
        if (n == 1) RegWriteString(GetAppReg(), AppRegRoot::Product, k, RegName(u"SearchName"), QStringLiteral("Kept"), err);
    }
    for (bool network : {true, false}) {
        SCOPED_TRACE(network ? "with the network" : "without a network");
        auto f = Planner(0, network);
        EXPECT_EQ(f->Slot(TFormRoutePointSelect::SlotFrom).Kind, RouteSlotKind::CurrentPosition);
        const TRoutePointSlot &to = f->Slot(TFormRoutePointSelect::SlotTo);
        EXPECT_EQ(to.Kind, RouteSlotKind::Object);
        EXPECT_FALSE(to.HasObject());
        EXPECT_EQ(to.Name, QString()) << "names only for an object found";
        EXPECT_FALSE(f->ButtonOk->isEnabled());
        EXPECT_TRUE(f->CheckUseVia->isChecked());
        EXPECT_FALSE(f->Slot(TFormRoutePointSelect::SlotVia).HasObject());
        ASSERT_EQ(f->ComboSearch1->count(), 1);
        EXPECT_EQ(f->ComboSearch1->itemText(0), QStringLiteral("Kept"));
        f->ButtonOk->click();
        EXPECT_EQ(f->result(), 0) << "a destination that does not resolve never closes with OK";
        if (!network) {
            EXPECT_EQ(f->CheckListBoxWaterbodies->count(), 0);
            for (const auto &r : f->FirstRows())
                EXPECT_TRUE(r->Kind == RouteRowKind::CurrentPosition || r->Kind == RouteRowKind::Home ||
                            r->Kind == RouteRowKind::Waypoint);
        }
    }
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(RoutePointSelect, SpecialRowsFollowTheActivePointAndTheHomeLocation) {
    auto f = Planner();
    const TNodeData *current = Special(*f, RouteRowKind::CurrentPosition);
    const TNodeData *home = Special(*f, RouteRowKind::Home);
    ASSERT_TRUE(current && home);
    EXPECT_TRUE(Hidden(*f, current)) << "destination active";
    EXPECT_TRUE(Hidden(*f, home)) << "home never set";
    f->LabelLocationValueClick(TFormRoutePointSelect::SlotFrom);
    EXPECT_FALSE(Hidden(*f, current));
    EXPECT_EQ(f->LabelSelectRoutePoint->text(), QStringLiteral("Search and select the point you want to depart from"));
    Type(*f, QString());  // an empty search shows every row but the special rules still hold
    EXPECT_TRUE(Hidden(*f, home));

    Env->SetHomeLocation(routetest::OnSection(Section(2), 5.0));
    auto g = Planner();
    home = Special(*g, RouteRowKind::Home);
    EXPECT_FALSE(Hidden(*g, home)) << "destination active, home set";
    g->LabelLocationValueClick(TFormRoutePointSelect::SlotTo);
    g->CheckUseVia->click();
    EXPECT_EQ(g->ActiveSlot(), TFormRoutePointSelect::SlotVia);
    EXPECT_TRUE(Hidden(*g, home)) << "not for the via point";
    g->ButtonLocationVia->click();
    EXPECT_EQ(g->ActiveSlot(), -1) << "the active point's button goes up: none active";
    EXPECT_FALSE(g->ComboSearch1->isEnabled());
}

TEST_F(RoutePointSelect, ANewStartChangesDistancesOnlyAfterTheDestinationLabel) {
    auto f = Planner();
    f->CheckListBoxSearchTypes->item(7)->setCheckState(Qt::Checked);  // waterways
    auto distanceOf = [&](const QString &name) {
        for (const auto &r : f->FirstRows())
            if (r->Name == name) return r->Distance;
        return -2.0;
    };
    const double before = distanceOf(QStringLiteral("Dunmeer"));
    EXPECT_EQ(before, -1.0) << "the own ship has no position";
    f->LabelLocationValueClick(TFormRoutePointSelect::SlotFrom);
    Type(*f, QStringLiteral("Velmer Roads South"));
    EXPECT_EQ(f->Slot(TFormRoutePointSelect::SlotFrom).Kind, RouteSlotKind::Object);
    EXPECT_EQ(distanceOf(QStringLiteral("Dunmeer")), before);
    f->LabelLocationValueClick(TFormRoutePointSelect::SlotTo);
    EXPECT_GT(distanceOf(QStringLiteral("Dunmeer")), 10000.0);
    EXPECT_EQ(f->FirstRows()[0]->Distance, -1.0);
}

TEST_F(RoutePointSelect, PlannerRoadFromSelectionToTheNavigateToRoute) {
    QAbstractItemModelTester *tester = nullptr;
    TFormSelectDateTime::SetPrompter([](TFormSelectDateTime &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Select start date and time"));
        return int(QDialog::Accepted);  // the offered default: tomorrow 10:00
    });
    TFormRoutePointSelect::SetPrompter([&](TFormRoutePointSelect &f) {
        tester = new QAbstractItemModelTester(f.Model2(), QAbstractItemModelTester::FailureReportingMode::Fatal, &f);
        ChooseStartAndDestination(f);
        f.ComboBoxRouteMode->setCurrentIndex(f.ComboBoxRouteMode->findText(QStringLiteral("Fastest")));
        emit f.ComboBoxRouteMode->activated(f.ComboBoxRouteMode->currentIndex());
        f.ButtonStartTimeCustom->click();
        EXPECT_GT(f.DepartureTime(), 0.0) << f.LabelStartTime->text().toStdString();
        EXPECT_EQ(f.LabelLocationFromValue->toolTip(), QStringLiteral("Yacht Haven Entrance, End"));
        shelltest::SaveScreenshot(&f, QStringLiteral("RoutePointSelectChosen"));
        f.ButtonOk->click();
        return f.result();
    });
    TRoutePointSelection sel;
    bool departureSet = false, fromShip = true, startChanged = false, sailing = true;
    double departure = 0;
    int32_t mode = 1, bodies = int32_t(WaterBodyMask(0) | WaterBodyMask(3));
    ASSERT_TRUE(TFormRoutePointSelect::SelectRoutePoints(Env.get(), Env->WaterwayNetwork, sel, departureSet, fromShip,
                                                         startChanged, sailing, departure, mode, bodies));
    EXPECT_TRUE(tester);
    EXPECT_EQ(mode, 0);
    EXPECT_FALSE(fromShip);
    EXPECT_TRUE(startChanged);
    EXPECT_FALSE(sailing);
    EXPECT_EQ(sel.FromKind, RouteSlotKind::Object);
    ASSERT_TRUE(sel.FromSection && sel.ToSection);
    EXPECT_EQ(WWFairwayGetName(sel.FromSection->GetFairway()), QStringLiteral("Yacht Haven Entrance"));
    EXPECT_EQ(sel.FromPos, sel.FromSection->GetLength());
    EXPECT_EQ(WWFairwayGetName(sel.ToSection->GetFairway()), QStringLiteral("Dunmeer Marina Channel"));
    EXPECT_EQ(sel.ToPos, sel.ToSection->GetLength());
    EXPECT_FALSE(sel.ViaSection || sel.ViaWaypoint || sel.FromWaypoint || sel.ToWaypoint);
    ASSERT_TRUE(departureSet);
    const TDateTime tomorrow10 = std::floor(GetLocalDateTime(GlobalTimeZones()->GetNowUTC())) + 1.0 + 10.0 / 24.0;
    EXPECT_NEAR(departure, GetDateTimeUTC(tomorrow10), 1e-6);

    // The selection is what the environment plans from.
    StartRun();
    PlaceShip();
    const TNavigateToTarget target(sel.FromKind, sel.FromSection, sel.ToSection, sel.ViaSection, sel.FromPos,
                                   sel.ToPos, sel.ViaPos, sel.FromWaypoint, sel.ToWaypoint, sel.ViaWaypoint);
    IWptRoute *route = Env->NavigateTo(routetest::OnSection(sel.ToSection, sel.ToPos), target, false, true, departure, false);
    ASSERT_TRUE(route);
    EXPECT_NEAR(route->GetStartTime(), departure, 1e-6);

    // Reopened: both choices are back and the destination is the newest recent search.
    auto again = Planner();
    EXPECT_EQ(again->LabelLocationFromValue->toolTip(), QStringLiteral("Yacht Haven Entrance, End"));
    EXPECT_EQ(again->LabelLocationToValue->toolTip(), QStringLiteral("Dunmeer Marina Channel, End"));
    EXPECT_TRUE(again->ButtonOk->isEnabled());
    ASSERT_FALSE(again->RecentSearches().empty());
    EXPECT_EQ(again->RecentSearches()[0].SearchName, QStringLiteral("Dunmeer Marina Channel"));
    EXPECT_TRUE(SameGUID(again->RecentSearches()[0].ObjectGUID, *sel.ToSection->GetGUID()));
    EXPECT_FALSE(again->StartChanged());
    EXPECT_EQ(again->DepartureTime(), -1.0) << "the departure is never stored";
}

TEST_F(RoutePointSelect, CancelAndNowLeaveTheCallersValues) {
    TFormRoutePointSelect::SetPrompter([](TFormRoutePointSelect &f) {
        ChooseStartAndDestination(f);
        f.ButtonCancel->click();
        return f.result();
    });
    TRoutePointSelection sel;
    sel.ToWaypoint = reinterpret_cast<IWptWaypoint *>(1);  // cleared by the entry point
    bool departureSet = true, fromShip = false, startChanged = false, sailing = false;
    double departure = 5;
    const int32_t both = int32_t(WaterBodyMask(0) | WaterBodyMask(3));
    int32_t mode = 4, bodies = both;
    EXPECT_FALSE(TFormRoutePointSelect::SelectRoutePoints(Env.get(), Env->WaterwayNetwork, sel, departureSet, fromShip,
                                                          startChanged, sailing, departure, mode, bodies));
    EXPECT_EQ(sel.ToWaypoint, nullptr);
    EXPECT_EQ(sel.FromKind, RouteSlotKind::None);
    EXPECT_FALSE(departureSet);
    EXPECT_EQ(departure, -1.0);
    EXPECT_EQ(mode, 4);
    EXPECT_EQ(bodies, both);
    EXPECT_TRUE(LoadRecentSearches(GetAppReg()).empty()) << "only a True result is remembered";
    EXPECT_EQ(RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"ToType"), -5), -5)
        << "points are stored only on OK";

    // "Now" after a custom time; the start is the own ship without a position.
    TFormSelectDateTime::SetPrompter([](TFormSelectDateTime &) { return int(QDialog::Accepted); });
    TFormRoutePointSelect::SetPrompter([](TFormRoutePointSelect &f) {
        f.ButtonStartTimeCustom->click();
        f.ButtonStartTimeNow->click();
        f.CheckListBoxSearchTypes->item(7)->setCheckState(Qt::Checked);
        Type(f, QStringLiteral("Dunmeer Marina Channel"));
        f.ButtonOk->click();
        f.ButtonOk->click();  // the centre
        f.ButtonOk->click();
        return f.result();
    });
    ASSERT_TRUE(TFormRoutePointSelect::SelectRoutePoints(Env.get(), Env->WaterwayNetwork, sel, departureSet, fromShip,
                                                         startChanged, sailing, departure, mode, bodies));
    EXPECT_FALSE(departureSet);
    EXPECT_EQ(departure, -1.0);
    EXPECT_TRUE(fromShip);
    EXPECT_EQ(sel.FromKind, RouteSlotKind::CurrentPosition);
    EXPECT_EQ(sel.FromSection, nullptr) << "no fix: the caller asks for a position";
    ASSERT_TRUE(sel.ToSection);
    EXPECT_FALSE(startChanged);
}

TEST_F(RoutePointSelect, SingleLocationClosesFromTheSecondPage) {
    TFormRoutePointSelect::SetPrompter([](TFormRoutePointSelect &f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Search"));
        EXPECT_FALSE(f.PanelLocations->isVisibleTo(&f));
        EXPECT_EQ(f.LabelSelectRoutePoint->text(), QStringLiteral("Search and select a location"));
        EXPECT_EQ(Special(f, RouteRowKind::CurrentPosition), nullptr);
        f.CheckListBoxSearchTypes->item(7)->setCheckState(Qt::Checked);
        Type(f, QStringLiteral("Kessel Canal Summit"));
        f.ButtonOk->click();
        EXPECT_TRUE(f.SecondPageActive());
        // Previous puts the first-page row back into the point.
        f.ButtonPrev->click();
        EXPECT_FALSE(f.SecondPageActive());
        EXPECT_TRUE(f.Slot(TFormRoutePointSelect::SlotTo).Part);
        EXPECT_EQ(f.ButtonOk->text(), QStringLiteral("Next"));
        f.ButtonOk->click();
        EXPECT_TRUE(f.FocusSecondRow(QStringLiteral("Vorn Canal")));
        f.ButtonOk->click();
        return f.result();
    });
    TRoutePointSelection sel;
    sel.FromKind = 1;
    int32_t bodies = int32_t(WaterBodyMask(3));
    ASSERT_TRUE(TFormRoutePointSelect::SelectLocation(Env.get(), Env->WaterwayNetwork, sel, bodies));
    EXPECT_EQ(sel.FromKind, 1) << "not written";
    ASSERT_TRUE(sel.ToSection);
    EXPECT_EQ(WWFairwayGetName(sel.ToSection->GetFairway()), QStringLiteral("Vorn Canal"));
    EXPECT_TRUE(sel.ToPos == 0.0 || sel.ToPos == sel.ToSection->GetLength());
    EXPECT_EQ(LoadRecentSearches(GetAppReg()).size(), 1u);
}

}  // namespace

namespace {

TEST_F(RoutePointSelect, ADoubleClickOnAnExpandButtonOnlyExpands) {
    auto f = Planner();
    f->CheckListBoxSearchTypes->item(7)->setCheckState(Qt::Checked);
    f->show();
    Type(*f, QStringLiteral("River Orle"));
    const QModelIndex orle = f->Tree1->currentIndex();
    ASSERT_EQ(RowText(*f), QStringLiteral("River Orle"));
    const QRect rect = f->Tree1->visualRect(orle);
    ASSERT_GT(rect.left(), 4) << "the expand button lies left of the row text";
    // A double click: a press and release, then the second press as a double click.
    auto doubleClick = [&](QPoint at) {
        QTest::mouseClick(f->Tree1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(f->Tree1->viewport(), Qt::LeftButton, {}, at);
    };
    doubleClick(QPoint(rect.left() - 4, rect.center().y()));
    EXPECT_FALSE(f->SecondPageActive());
    QSignalSpy spy(f->Tree1, &QTreeView::doubleClicked);
    doubleClick(rect.center());
    EXPECT_EQ(spy.count(), 1);
    EXPECT_TRUE(f->SecondPageActive());
    EXPECT_EQ(f->SecondRows().front()->Name, QStringLiteral("Center"));
}

}  // namespace
