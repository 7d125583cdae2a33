// The route manager over the demo environment with extra databases: a writable one without
// routes, a protected one with routes and a protected one without. Driven through its
// buttons, check boxes and menus as the user drives it.
#include "routes/FrmRouteManager.h"

#include "RoutesFixture.h"
#include "base/dialogs/FrmMsg.h"
#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "routes/FrmRouteGroup.h"
#include "routes/RouteManagerModel.h"
#include "shell/MarivoUtils.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvAppReg.h>

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

namespace C = RouteManagerColumn;

class RouteManager : public routestest::RoutesFixture {
protected:
    void SetUp() override {
        RoutesFixture::SetUp();
        if (HasFatalFailure()) return;
        NightScreen()->SetActive(false);
        ASSERT_TRUE(Dir.isValid());
        Lakes1 = NamedRoute(Env->UserDatabase, QStringLiteral("Beta 10"), QStringLiteral("Lakes"), 2);
        Lakes2 = NamedRoute(Env->UserDatabase, QStringLiteral("Beta 2"), QStringLiteral("Lakes"), 2);
        LowerLakes = NamedRoute(Env->UserDatabase, QStringLiteral("Alpha"), QStringLiteral("lakes"), 3);
        Loose = NamedRoute(Env->UserDatabase, QStringLiteral("Loose"), QString(), 0);
        Spare = MakeDatabase(QStringLiteral("Spare"), false, false);
        Guide = MakeDatabase(QStringLiteral("Harbour guide"), true, true);
        Sealed = MakeDatabase(QStringLiteral("Sealed"), true, false);
        ASSERT_TRUE(Spare && Guide && Sealed);
        ASSERT_EQ(Guide->GetRouteCount(), 1);
        Protected = Guide->GetRoute(0);
        ASSERT_TRUE(Protected->IsProtected());
        Visible({Lakes1, Protected});
        FOldMsg = TFormMsg::SetPrompter([this](TFormMsg &f) {
            Confirmations.push_back(f.windowTitle());
            for (int i = 0; i < f.Messages().Count(); ++i)
                if (!f.Messages().Items(i)->IsHeading) Confirmed << f.Messages().Items(i)->Text;
            return ConfirmAnswer;
        });
    }
    void TearDown() override {
        TFormMsg::SetPrompter(std::move(FOldMsg));
        TFormRouteGroup::SetPrompter(nullptr);
        TFormRouteManager::SetPrompter(nullptr);
        RoutesFixture::TearDown();
    }

    IWptRoute *NamedRoute(IWptDatabase *db, const QString &name, const QString &group, int points) {
        IWptRoute *r = db->NewRoute(45000.0);
        int32_t err = 0;
        WptObjectSetName(r, name, err);
        WptRouteSetGroupName(r, group, err);
        for (int i = 0; i < points; ++i) r->AddPointAtPosition(TRoutePosition{0.9 + i * 0.001, 0.08, 0.0}, err);
        EXPECT_EQ(err, 0);
        return r;
    }

    // A database of its own file; protected ones are marked so in the file and opened again.
    IWptDatabase *MakeDatabase(const QString &title, bool isProtected, bool withRoute) {
        IWptDatabase *db = WptManagerNewDatabase(Env->WaypointManager, title);
        if (withRoute) NamedRoute(db, title + QStringLiteral(" route"), QStringLiteral("Guide"), 2);
        const QString file = Dir.filePath(title + QStringLiteral(".wdb"));
        int32_t err = 0;
        WptDatabaseSaveToFile(db, file, err);
        if (err != 0) return nullptr;
        db->Close();
        const QString sql = QStringLiteral("DELETE FROM meta WHERE key IN ('title', 'protected'); "
                                           "INSERT INTO meta(key, value) VALUES ('title', '%1'), ('protected', %2);")
                                .arg(title)
                                .arg(isProtected ? 1 : 0);
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"), {file, sql});
        if (!sqlite.waitForFinished() || sqlite.exitCode() != 0) return nullptr;
        return WptManagerOpenDatabase(Env->WaypointManager, file, 0, err);
    }

    void Visible(std::initializer_list<IWptRoute *> routes) {
        IWptRouteList *list = WptRouteListCreate(1);
        for (IWptRoute *r : routes) list->Add(r);
        Env->SetVisibleRoutes(list);
        ObjectDelete(list);
    }
    void Activate(IWptRoute *route) {
        PlaceShip();
        Env->ActivateRoute(route->GetPoint(1), true, 0.0, 0.0);
        routetest::DeliverPosted();
        ASSERT_EQ(Env->GetActiveRoute(), route);
    }
    bool IsVisible(IWptRoute *r) const {
        int32_t index = -1;
        return Env->RouteList->Find(r, index);
    }

    TRouteNodeData *Top(TFormRouteManager &f, const QString &name) {
        for (const auto &row : f.Model()->TopRows())
            if (f.Model()->Text(*row, C::Name) == name) return row.get();
        return nullptr;
    }
    QStringList TopNames(TFormRouteManager &f) {
        QStringList names;
        for (const auto &row : f.Model()->TopRows()) names << f.Model()->Text(*row, C::Name);
        return names;
    }
    QStringList Children(TFormRouteManager &f, const QString &top) {
        QStringList names;
        if (TRouteNodeData *t = Top(f, top))
            for (const auto &c : t->Children) names << f.Model()->Text(*c, C::Name);
        return names;
    }
    QModelIndex RowOf(TFormRouteManager &f, IWptRoute *r, int column = 0) {
        return f.Model()->FindRoute(*r->GetGUID()).siblingAtColumn(column);
    }
    void Select(TFormRouteManager &f, std::initializer_list<IWptRoute *> routes) {
        f.ListView->selectionModel()->clearSelection();
        bool first = true;
        for (IWptRoute *r : routes) {
            const QModelIndex i = RowOf(f, r);
            const auto flags = QItemSelectionModel::Select | QItemSelectionModel::Rows;
            if (first) f.ListView->selectionModel()->setCurrentIndex(i, flags);
            else f.ListView->selectionModel()->select(i, flags);
            first = false;
        }
    }
    // A click on the check box of a row's "Visible" cell.
    void ClickCheck(TFormRouteManager &f, const QModelIndex &index) {
        const QRect cell = f.ListView->visualRect(index.siblingAtColumn(C::Visible));
        QTest::mouseClick(f.ListView->viewport(), Qt::LeftButton, {}, cell.center() + QPoint(1, 0));
    }
    bool Checked(TFormRouteManager &f, IWptRoute *r) {
        return RowOf(f, r).data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
    }

    QTemporaryDir Dir;
    IWptRoute *Lakes1 = nullptr, *Lakes2 = nullptr, *LowerLakes = nullptr, *Loose = nullptr, *Protected = nullptr;
    IWptDatabase *Spare = nullptr, *Guide = nullptr, *Sealed = nullptr;
    QStringList Confirmations, Confirmed;
    bool ConfirmAnswer = true;
    TFormMsg::TPrompter FOldMsg;
};

TEST_F(RouteManager, ListsGroupsCaseSensitivelyAndEmptyWritableDatabasesOnly) {
    TFormRouteManager f(*Env);
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Route Manager"));
    const QStringList tops = TopNames(f);
    EXPECT_TRUE(tops.contains(QStringLiteral("Lakes")));
    EXPECT_TRUE(tops.contains(QStringLiteral("lakes")));
    EXPECT_TRUE(tops.contains(QStringLiteral("Ungrouped")));
    EXPECT_TRUE(tops.contains(QStringLiteral("Guide")));
    EXPECT_FALSE(tops.contains(QStringLiteral("Sealed"))) << "a protected database without routes is not listed";
    EXPECT_EQ(Children(f, QStringLiteral("Spare")), QStringList{QStringLiteral("No routes present in this database")});
    for (int i = tops.indexOf(QStringLiteral("Spare")); i < tops.size(); ++i)
        EXPECT_EQ(f.Model()->TopRows()[size_t(i)]->RowKind, 1) << "database rows after the groups";
    EXPECT_EQ(Children(f, QStringLiteral("Lakes")), (QStringList{QStringLiteral("Beta 2"), QStringLiteral("Beta 10")}));
    EXPECT_TRUE(Children(f, QStringLiteral("Ungrouped")).contains(QStringLiteral("Loose")));
    EXPECT_TRUE(Checked(f, Lakes1));
    EXPECT_FALSE(Checked(f, Lakes2));
    EXPECT_TRUE(Checked(f, Protected));
    EXPECT_EQ(f.Model()->index(tops.indexOf(QStringLiteral("Lakes")), 0).data(Qt::CheckStateRole).value<Qt::CheckState>(),
              Qt::PartiallyChecked);

    // The texts of a route row: an unplanned route has no length or duration.
    const QModelIndex loose = RowOf(f, LowerLakes);
    EXPECT_EQ(loose.siblingAtColumn(C::Points).data().toString(), QStringLiteral("3"));
    EXPECT_EQ(loose.siblingAtColumn(C::Duration).data().toString(), QStringLiteral("---"));
    EXPECT_FALSE(loose.siblingAtColumn(C::StartTime).data().toString().isEmpty());
    for (int c = 0; c < C::Count; ++c)
        EXPECT_EQ(f.Model()->headerData(c, Qt::Horizontal).toString(),
                  (QStringList{"Visible", "Name", "Start time", "Length", "Duration", "Points"}[c]));
}

TEST_F(RouteManager, PlannedRouteShowsLengthAndDuration) {
    IWptRoute *planned = MarinaToMarina();
    ASSERT_TRUE(planned);
    TFormRouteManager f(*Env);
    const QModelIndex row = RowOf(f, planned);
    EXPECT_TRUE(row.siblingAtColumn(C::Length).data().toString().contains(QRegularExpression("^\\d+[.,]\\d\\d \\S+$")))
        << row.siblingAtColumn(C::Length).data().toString().toStdString();
    EXPECT_TRUE(row.siblingAtColumn(C::Duration).data().toString().contains(QRegularExpression("\\d+(h|min)")))
        << row.siblingAtColumn(C::Duration).data().toString().toStdString();
}

TEST_F(RouteManager, HeaderClicksSortRoutesAndIgnoreTheVisibleColumn) {
    TFormRouteManager f(*Env);
    f.show();
    QHeaderView *h = f.ListView->header();
    auto click = [&](int section) {
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(section) + 10, h->height() / 2));
    };
    click(C::Name);
    EXPECT_EQ(f.Model()->SortOrder(), Qt::DescendingOrder);
    EXPECT_EQ(Children(f, QStringLiteral("Lakes")), (QStringList{QStringLiteral("Beta 10"), QStringLiteral("Beta 2")}));
    const QStringList tops = TopNames(f);
    EXPECT_LT(tops.indexOf(QStringLiteral("lakes")), tops.indexOf(QStringLiteral("Lakes"))) << "groups by ordinal name";
    click(C::Visible);
    EXPECT_EQ(f.Model()->SortColumn(), C::Name);
    EXPECT_EQ(h->sortIndicatorSection(), C::Name);
    click(C::Points);
    EXPECT_EQ(f.Model()->SortColumn(), C::Points);
    EXPECT_EQ(f.Model()->SortOrder(), Qt::AscendingOrder);
    const QStringList byPoints = Children(f, QStringLiteral("Ungrouped"));
    EXPECT_EQ(byPoints.first(), QStringLiteral("Loose")) << "no points first";
}

TEST_F(RouteManager, ButtonStatesFollowTheSelection) {
    StartRun();
    IWptRoute *active = MarinaToMarina();
    ASSERT_TRUE(active);
    Activate(active);
    Env->EditedRoute = Lakes2;
    Env->SelectedRoute = Lakes1;
    TFormRouteManager f(*Env);
    f.show();
    struct Case {
        const char *what;
        std::vector<IWptRoute *> routes;
        bool del, group, select, copy, find, startStop;
        const char *selectText, *startText;
    };
    const std::vector<Case> cases = {
        {"nothing", {}, false, false, false, false, false, false, "Select", "Start"},
        {"the selected route", {Lakes1}, true, true, true, true, true, true, "Deselect", "Start"},
        {"a protected route", {Protected}, false, false, false, true, true, true, "Select", "Start"},
        {"two routes", {Lakes1, LowerLakes}, true, true, false, false, false, false, "Select", "Start"},
        {"a protected and a normal route", {Protected, Lakes1}, true, true, false, false, false, false, "Select", "Start"},
        {"the active route", {active}, true, true, true, true, true, true, "Select", "Stop"},
        {"the edited route", {Lakes2}, true, true, false, true, true, true, "Select", "Start"},
        {"a route without points", {Loose}, true, true, true, true, false, false, "Select", "Start"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        f.ListView->selectionModel()->clearSelection();
        bool first = true;
        for (IWptRoute *r : c.routes) {
            const auto flags = QItemSelectionModel::Select | QItemSelectionModel::Rows;
            if (first) f.ListView->selectionModel()->setCurrentIndex(RowOf(f, r), flags);
            else f.ListView->selectionModel()->select(RowOf(f, r), flags);
            first = false;
        }
        EXPECT_EQ(f.ButtonDelete->isEnabled(), c.del);
        EXPECT_EQ(f.ButtonGroup->isEnabled(), c.group);
        EXPECT_EQ(f.ButtonSelect->isEnabled(), c.select);
        EXPECT_EQ(f.ButtonCopy->isEnabled(), c.copy);
        EXPECT_EQ(f.ButtonFind->isEnabled(), c.find);
        EXPECT_EQ(f.ButtonStartStop->isEnabled(), c.startStop);
        EXPECT_EQ(f.ButtonSelect->text(), QString::fromLatin1(c.selectText));
        EXPECT_EQ(f.ButtonStartStop->text(), QString::fromLatin1(c.startText));
    }
    // Stop ends the navigation and keeps the dialog open.
    Select(f, {active});
    QTest::mouseClick(f.ButtonStartStop, Qt::LeftButton);
    EXPECT_EQ(Env->GetActiveRoute(), nullptr);
    EXPECT_EQ(f.ButtonStartStop->text(), QStringLiteral("Start"));
    EXPECT_EQ(f.result(), 0);
    Env->EditedRoute = nullptr;
}

TEST_F(RouteManager, DeleteRemovesNormalRoutesAndKeepsProtectedOnesListedAndVisible) {
    TFormRouteManager f(*Env);
    f.show();
    Select(f, {Lakes1, Protected, Loose});
    const TGUID lakes1 = *Lakes1->GetGUID(), loose = *Loose->GetGUID();
    QTest::mouseClick(f.ButtonDelete, Qt::LeftButton);
    ASSERT_EQ(Confirmations, QStringList{QStringLiteral("Delete routes")});
    EXPECT_EQ(Confirmed.size(), 3);
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Not all selected routes could be deleted, because the selection "
                                                   "contained 'read-only' routes.")});
    int32_t index = -1;
    EXPECT_FALSE(Env->WaypointManager->FindRoute(lakes1, index));
    EXPECT_FALSE(Env->WaypointManager->FindRoute(loose, index));
    EXPECT_FALSE(f.Model()->FindRoute(lakes1).isValid());
    ASSERT_TRUE(RowOf(f, Protected).isValid());
    EXPECT_TRUE(Checked(f, Protected));
    EXPECT_TRUE(IsVisible(Protected)) << "a route that was not deleted stays on the chart";

    // No confirmation, no deletion.
    ConfirmAnswer = false;
    Select(f, {Lakes2});
    QTest::mouseClick(f.ButtonDelete, Qt::LeftButton);
    EXPECT_TRUE(RowOf(f, Lakes2).isValid());
}

TEST_F(RouteManager, CopiesAreNamedAndFocusedByTheirOwnRow) {
    // A route already carries the name the copy gets: the copy's own row must get the focus.
    NamedRoute(Env->UserDatabase, QStringLiteral("Beta 2 (copy)"), QStringLiteral("Lakes"), 1);
    int32_t sent = 0;
    TFormRouteManager f(*Env);
    f.show();
    for (bool reversed : {false, true}) {
        SCOPED_TRACE(reversed);
        const int before = Log.Count(NavNotify::RecalculateRoute);
        Select(f, {Lakes2});
        const int routes = Env->UserDatabase->GetRouteCount();
        (reversed ? f.MenuItemCopyAndReverseRoute : f.MenuItemCopyRoute)->trigger();
        ASSERT_EQ(Env->UserDatabase->GetRouteCount(), routes + 1);
        EXPECT_EQ(Log.Count(NavNotify::RecalculateRoute), before + 1);
        TRouteNodeData *focused = f.FocusedRoute();
        ASSERT_TRUE(focused);
        IWptRoute *copy = f.Model()->Route(focused);
        ASSERT_TRUE(copy);
        EXPECT_NE(copy, Lakes2);
        EXPECT_EQ(WptObjectGetName(copy), reversed ? QStringLiteral("Beta 2 (reversed copy)") : QStringLiteral("Beta 2 (copy)"));
        EXPECT_EQ(copy->GetPointCount(), 2);
        EXPECT_EQ(f.SelectedRoutes().size(), 1u);
        ++sent;
    }
    EXPECT_EQ(sent, 2);
}

TEST_F(RouteManager, GroupDialogListsGroupsAndMovesWritableRoutes) {
    NamedRoute(Env->UserDatabase, QStringLiteral("Other"), QStringLiteral("alpha"), 1);
    NamedRoute(Env->UserDatabase, QStringLiteral("Other 2"), QStringLiteral("LAKES"), 1);
    const QStringList names = TFormRouteGroup::GroupNames(Env->WaypointManager);
    ASSERT_GE(names.size(), 4);
    EXPECT_EQ(names.first(), QStringLiteral("<Ungrouped>"));
    EXPECT_EQ(names.mid(1, 3), (QStringList{QStringLiteral("alpha"), QStringLiteral("Guide"), QStringLiteral("Lakes")}))
        << "sorted without case, names differing in case once";

    TFormRouteManager f(*Env);
    f.show();
    QString typed = QStringLiteral("Weekend trips");
    TFormRouteGroup::SetPrompter([&](TFormRouteGroup &g) {
        EXPECT_EQ(g.ComboRouteGroup->currentText(), QString());
        g.ComboRouteGroup->setEditText(typed);
        return int(QDialog::Accepted);
    });
    Select(f, {Lakes1, Protected});
    QTest::mouseClick(f.ButtonGroup, Qt::LeftButton);
    EXPECT_EQ(WptRouteGetGroupName(Lakes1), typed);
    EXPECT_EQ(WptRouteGetGroupName(Protected), QStringLiteral("Guide"));
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages.value(0).contains(QStringLiteral("'read-only' routes")));
    EXPECT_EQ(Children(f, typed), QStringList{QStringLiteral("Beta 10")});

    TFormRouteGroup::SetPrompter([](TFormRouteGroup &g) {
        g.ComboRouteGroup->setCurrentIndex(0);
        return int(QDialog::Accepted);
    });
    Select(f, {Lakes1});
    QTest::mouseClick(f.ButtonGroup, Qt::LeftButton);
    EXPECT_EQ(WptRouteGetGroupName(Lakes1), QString()) << "<Ungrouped> removes the group";
    EXPECT_TRUE(Children(f, QStringLiteral("Ungrouped")).contains(QStringLiteral("Beta 10")));

    TFormRouteGroup::SetPrompter([](TFormRouteGroup &) { return int(QDialog::Rejected); });
    Select(f, {Lakes2});
    QTest::mouseClick(f.ButtonGroup, Qt::LeftButton);
    EXPECT_EQ(WptRouteGetGroupName(Lakes2), QStringLiteral("Lakes"));
}

TEST_F(RouteManager, TheActiveAndTheEditedRouteCannotBeHiddenByRowOrGroup) {
    StartRun();
    IWptRoute *active = MarinaToMarina();
    ASSERT_TRUE(active);
    int32_t err = 0;
    WptRouteSetGroupName(active, QStringLiteral("Lakes"), err);
    Activate(active);
    Env->EditedRoute = LowerLakes;
    Visible({active, LowerLakes, Lakes1, Lakes2});
    TFormRouteManager f(*Env);
    f.show();
    ClickCheck(f, RowOf(f, active));
    EXPECT_TRUE(Checked(f, active));
    ClickCheck(f, RowOf(f, LowerLakes));
    EXPECT_TRUE(Checked(f, LowerLakes));
    EXPECT_EQ(Messages, (QStringList{QStringLiteral("The route you are navigating on (current route) cannot be made invisible."),
                                     QStringLiteral("The route you are currently editing cannot be made invisible.")}));
    // Through the group box: the others go, the active one stays, one message.
    Messages.clear();
    const QModelIndex group = f.Model()->IndexOf(Top(f, QStringLiteral("Lakes")));
    ClickCheck(f, group);
    EXPECT_TRUE(Checked(f, active));
    EXPECT_FALSE(Checked(f, Lakes1));
    EXPECT_FALSE(Checked(f, Lakes2));
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_EQ(group.data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::PartiallyChecked);
    ClickCheck(f, group);
    EXPECT_TRUE(Checked(f, Lakes1));
    EXPECT_TRUE(Checked(f, Lakes2));
    Env->EditedRoute = nullptr;
}

TEST_F(RouteManager, ClosingAppliesVisibilityAndRemembersCollapsedGroups) {
    // Group names are value names as they stand.
    const QString odd = QStringLiteral("Fjord/North\\Ålesund γ");
    IWptRoute *oddRoute = NamedRoute(Env->UserDatabase, QStringLiteral("Odd"), odd, 1);
    TRouteManagerResult result;
    TFormRouteManager::SetPrompter([&](TFormRouteManager &f) {
        ClickCheck(f, RowOf(f, Lakes2));
        ClickCheck(f, RowOf(f, Lakes1));
        for (const QString &name : {QStringLiteral("Guide"), odd}) {
            const QModelIndex g = f.Model()->IndexOf(Top(f, name));
            const QRect cell = f.ListView->visualRect(g.siblingAtColumn(C::Count - 1));
            const QPoint button = GroupExpandButtonRect(cell).center();
            QTest::mouseClick(f.ListView->viewport(), Qt::LeftButton, {}, button);
            EXPECT_FALSE(f.ListView->isExpanded(g)) << name.toStdString();
        }
        return int(QDialog::Rejected);  // the window's close button
    });
    EXPECT_EQ(TFormRouteManager::Execute(*Env, result), RouteManagerAction::None);
    EXPECT_EQ(result.Route, nullptr);
    EXPECT_TRUE(IsVisible(Lakes2));
    EXPECT_FALSE(IsVisible(Lakes1));
    EXPECT_TRUE(IsVisible(Protected));
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, TFormRouteManager::GroupsKey(), RegName(odd), true));
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, TFormRouteManager::GroupsKey(), RegName(u"Guide"), true));

    NamedRoute(Env->UserDatabase, QStringLiteral("New"), QStringLiteral("Fresh"), 1);
    TFormRouteManager f(*Env);
    EXPECT_FALSE(f.ListView->isExpanded(f.Model()->IndexOf(Top(f, QStringLiteral("Guide")))));
    EXPECT_FALSE(f.ListView->isExpanded(f.Model()->IndexOf(Top(f, odd))));
    EXPECT_TRUE(f.ListView->isExpanded(f.Model()->IndexOf(Top(f, QStringLiteral("Fresh"))))) << "a new group is expanded";
    EXPECT_TRUE(f.ListView->isExpanded(f.Model()->IndexOf(Top(f, QStringLiteral("lakes")))));
    EXPECT_TRUE(oddRoute);
}

TEST_F(RouteManager, FindSelectAndStartCloseWithTheRouteMadeVisible) {
    struct Case {
        QPushButton *TFormRouteManager::*button;
        uint8_t action;
    };
    for (const Case &c : {Case{&TFormRouteManager::ButtonSelect, RouteManagerAction::Select},
                          Case{&TFormRouteManager::ButtonFind, RouteManagerAction::Find},
                          Case{&TFormRouteManager::ButtonStartStop, RouteManagerAction::Start}}) {
        Visible({});
        TRouteManagerResult result;
        TFormRouteManager::SetPrompter([&](TFormRouteManager &f) {
            Select(f, {Lakes2});
            QTest::mouseClick(f.*c.button, Qt::LeftButton);
            return f.result();
        });
        EXPECT_EQ(TFormRouteManager::Execute(*Env, result), c.action);
        EXPECT_EQ(result.Route, Lakes2);
        EXPECT_TRUE(IsVisible(Lakes2));
    }
}

TEST_F(RouteManager, RenamingInPlaceRenamesTheRoute) {
    TFormRouteManager f(*Env);
    f.show();
    const QModelIndex name = RowOf(f, Lakes2, C::Name);
    EXPECT_TRUE(f.Model()->setData(name, QStringLiteral("Beta 20"), Qt::EditRole));
    EXPECT_EQ(WptObjectGetName(Lakes2), QStringLiteral("Beta 20"));
    EXPECT_FALSE(f.Model()->setData(name, QString(), Qt::EditRole)) << "an empty name is not taken";
    EXPECT_EQ(WptObjectGetName(Lakes2), QStringLiteral("Beta 20"));
    routetest::DeliverPosted();
    EXPECT_EQ(Children(f, QStringLiteral("Lakes")), (QStringList{QStringLiteral("Beta 10"), QStringLiteral("Beta 20")}));
    EXPECT_FALSE(f.Model()->setData(RowOf(f, Protected, C::Name), QStringLiteral("X"), Qt::EditRole) &&
                 WptObjectGetName(Protected) == QStringLiteral("X"));
}

TEST_F(RouteManager, ScreenshotsDayAndNight) {
    StartRun();
    IWptRoute *planned = MarinaToMarina();
    ASSERT_TRUE(planned);
    Env->SelectedRoute = planned;
    for (bool night : {false, true}) {
        NightScreen()->SetActive(night);
        TFormRouteManager f(*Env);
        f.show();
        Select(f, {Lakes2});
        QCoreApplication::processEvents();
        shelltest::SaveScreenshot(&f, night ? QStringLiteral("RouteManager_night") : QStringLiteral("RouteManager_day"));
    }
    NightScreen()->SetActive(false);
}

}  // namespace
