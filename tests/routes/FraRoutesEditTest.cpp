// Editing the route table while the environment edits the shown route.
#include "RoutesFixture.h"

#include "base/strings/KvFormatSettings.h"
#include "routes/FraRoutesTexts.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeView>

using routestest::RoutesFixture;

namespace {

class RoutesEdit : public RoutesFixture {
protected:
    // A direct route of three points, shown for editing.
    TFrameRoutes &EditDirect() {
        StartRun();
        Route = DirectRoute(3);
        TFrameRoutes &f = MakeFrame();
        Env->CoreEnv->GetDispatcher()->Post(NavNotify::RouteEditOn, intptr_t(Route), 1, 0, 0, 0, 0, 0);
        routetest::DeliverPosted();
        EXPECT_EQ(f.Route(), Route);
        Log.Items.clear();
        return f;
    }
    int Posted43() {
        routetest::DeliverPosted();
        const int n = Log.Count(NavNotify::RouteObjectChanged);
        Log.Items.clear();
        return n;
    }
    IWptRoute *Route = nullptr;
};

}  // namespace

TEST(RouteEditTexts, RadiusParsesWithEitherSeparatorInEitherLocale) {
    TFormatSettings comma, dot;
    comma.DecimalSeparator = u',';
    comma.ThousandSeparator = u'.';
    dot.DecimalSeparator = u'.';
    dot.ThousandSeparator = u',';
    const int32_t metres = 0x6800B;
    for (const TFormatSettings *fs : {&comma, &dot}) {
        for (const char *text : {"52,5", "52.5", " 52.5 "}) {
            double value = 0.0;
            EXPECT_TRUE(RouteParseRadius(QString::fromLatin1(text), *fs, metres, value)) << text;
            EXPECT_DOUBLE_EQ(value, 52.5) << text;
        }
        for (const char *text : {"0", "10001", "abc", "", "-5"}) {
            double value = 7.0;
            EXPECT_FALSE(RouteParseRadius(QString::fromLatin1(text), *fs, metres, value)) << text;
        }
    }
    double feet = 0.0;
    ASSERT_TRUE(RouteParseRadius(QStringLiteral("100"), dot, 0x6800C, feet));
    EXPECT_DOUBLE_EQ(feet, UnitConvert(100.0, 0x6800C, metres));

    EXPECT_EQ(RouteEditErrorText(KvErr::ReadOnly),
              "Cannot change the value for this route point because the route is read-only.");
    EXPECT_EQ(RouteEditErrorText(KvErr::NameTooLong),
              "Cannot change the name for this route point because the name is too long.");
    EXPECT_EQ(RouteEditErrorText(KvErr::PointAttached),
              "Cannot change the value for this route point because the route point is attached to a waypoint.");
    EXPECT_TRUE(RouteEditErrorText(KvErr::NotFound).startsWith("Cannot change the value for this route point. Reason: "));
}

TEST_F(RoutesEdit, OnlyRoutePointCellsAreEditableWhileTheRouteIsEdited) {
    TFrameRoutes &f = EditDirect();
    for (int column = 0; column < RouteColumnCount; ++column) {
        const bool editable = column == 1 || column == 2 || column == 3 || column == 4 || column == 28;
        EXPECT_EQ(f.CanEdit(1, column), editable) << column;
    }
    EXPECT_NE(f.CopyMenuFor(1, 4), nullptr);
    EXPECT_EQ(f.CopyMenuFor(1, 5), nullptr);
    // Back to the route choice: nothing is editable, the copy menu does not open, Delete and
    // Enter do nothing.
    Env->CoreEnv->GetDispatcher()->Post(NavNotify::RouteEditOff, intptr_t(Route), 0, 0, 0, 0, 0, 0);
    routetest::DeliverPosted();
    ASSERT_EQ(f.Route(), Route);
    for (int column : {1, 2, 3, 4, 28}) EXPECT_FALSE(f.CanEdit(1, column)) << column;
    EXPECT_EQ(f.CopyMenuFor(1, 4), nullptr);
    f.Tree()->setCurrentIndex(f.Tree()->model()->index(1, 1));
    QTest::keyClick(f.Tree(), Qt::Key_Delete);
    routetest::DeliverPosted();
    EXPECT_EQ(Route->GetPointCount(), 3);
}

TEST_F(RoutesEdit, RadiusNamePositionEditsWriteAndPostOrChangeNothing) {
    TFrameRoutes &f = EditDirect();
    IWptRoutePoint *p = Route->GetPoint(1);
    const double before = p->GetRadius();
    // Typed through the editor: Enter opens it, the text is written on Return.
    f.Tree()->setFocus();
    f.Tree()->setCurrentIndex(f.Tree()->model()->index(1, 4));
    QTest::keyClick(f.Tree(), Qt::Key_Return);
    auto *editor = f.Tree()->findChild<QLineEdit *>();
    ASSERT_TRUE(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("52,5"));
    EXPECT_EQ(editor->text(), QStringLiteral("52") + LocaleFormatSettings().DecimalSeparator + u'5');
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate hands the value over from the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return p->GetRadius() != before; }));
    EXPECT_NEAR(p->GetRadius(), UnitConvert(52.5, Env->UnitDistanceSmall, 0x6800B), 1e-3);
    EXPECT_EQ(Posted43(), 1);
    // The same value again, and values that are no radius: nothing written, nothing posted.
    for (const char *text : {"52.5", "0", "10001", "abc"}) {
        const double now = p->GetRadius();
        EXPECT_FALSE(f.CommitEdit(1, 4, QString::fromLatin1(text))) << text;
        EXPECT_EQ(p->GetRadius(), now) << text;
    }
    EXPECT_EQ(Posted43(), 0);
    EXPECT_NE(p->GetRadius(), before);

    const TRoutePosition at = *p->GetPosition();
    EXPECT_FALSE(f.CommitEdit(1, 2, QStringLiteral("not a latitude")));
    EXPECT_EQ(p->GetPosition()->Lat, at.Lat);
    EXPECT_EQ(Posted43(), 0);
    EXPECT_TRUE(f.CommitEdit(1, 2, QStringLiteral("52 30.000 N")));
    EXPECT_NEAR(p->GetPosition()->Lat, 52.5 * M_PI / 180.0, 1e-6) << "radians";
    EXPECT_EQ(p->GetPosition()->Lon, at.Lon);
    EXPECT_EQ(Posted43(), 1);

    EXPECT_TRUE(f.CommitEdit(1, 1, QStringLiteral("Harbour entrance")));
    EXPECT_EQ(WptRoutePointGetName(p), "Harbour entrance");
    EXPECT_EQ(Posted43(), 1);
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(RoutesEdit, FailedEditsShowTheirMessageAndPostNothing) {
    TFrameRoutes &f = EditDirect();
    EXPECT_FALSE(f.CommitEdit(1, 1, QString(300, u'x')));
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages.front(), "Cannot change the name for this route point because the name is too long.");
    EXPECT_EQ(Posted43(), 0);

    // A point at a waypoint takes the waypoint's name.
    IWptWaypoint *wp = Env->UserDatabase->NewWaypoint(nullptr, TGeoPoint3{0.9, 0.08, 0.0}, nullptr);
    ASSERT_TRUE(wp);
    int32_t err = 0;
    Route->AddPointFromWaypoint(wp, 0, 1, err);
    ASSERT_EQ(err, 0);
    Env->CoreEnv->GetDispatcher()->Post(NavNotify::RoutePointRefresh, intptr_t(Route), 0, 0, 0, 0, 0, 0);
    routetest::DeliverPosted();
    ASSERT_EQ(f.Rows().size(), 4u);
    Messages.clear();
    EXPECT_FALSE(f.CommitEdit(3, 1, QStringLiteral("Other name")));
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages.front(),
              "Cannot change the value for this route point because the route point is attached to a waypoint.");
    EXPECT_EQ(Posted43(), 0);
}

TEST_F(RoutesEdit, OneRadiusForAllRoutePoints) {
    TFrameRoutes &f = EditDirect();
    int32_t err = 0;
    Route->GetPoint(0)->SetRadius(40.0f, err);
    Route->GetPoint(1)->SetRadius(75.0f, err);
    Route->GetPoint(2)->SetRadius(90.0f, err);
    Log.Items.clear();
    QMenu *menu = f.CopyMenuFor(1, 4);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->actions().front()->text(), "Use this value for all route points");
    menu->actions().front()->trigger();
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(float(Route->GetPoint(i)->GetRadius()), 75.0f) << i;
    EXPECT_EQ(Posted43(), 2) << "one for each changed point";
}

TEST_F(RoutesEdit, StayDialogAndDeleteKey) {
    TFrameRoutes &f = EditDirect();
    IWptRoutePoint *p = Route->GetPoint(1);
    f.ExecuteRouteVisitEdit = [](IWptRoutePoint *, TRouteStayRec &stay) {
        stay.Kind = RouteStayKind::StayFor;
        stay.Duration = 5400;
        return true;
    };
    f.Tree()->setFocus();
    f.Tree()->setCurrentIndex(f.Tree()->model()->index(1, 28));
    QTest::keyClick(f.Tree(), Qt::Key_Return);
    EXPECT_EQ(p->GetStay()->Kind, RouteStayKind::StayFor);
    EXPECT_EQ(p->GetStay()->Duration, 5400);
    EXPECT_EQ(Posted43(), 1);
    EXPECT_EQ(f.CellText(1, 28), "1h 30m");

    // Delete acts on the selected rows, not on the focused one.
    QuestionAnswer = true;
    f.Tree()->selectionModel()->clearSelection();
    f.Tree()->selectionModel()->select(f.Tree()->model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    f.Tree()->selectionModel()->setCurrentIndex(f.Tree()->model()->index(0, 1), QItemSelectionModel::NoUpdate);
    IWptRoutePoint *first = Route->GetPoint(0), *third = Route->GetPoint(2);
    QTest::keyClick(f.Tree(), Qt::Key_Delete);
    routetest::DeliverPosted();
    ASSERT_EQ(Route->GetPointCount(), 2);
    EXPECT_EQ(Route->GetPoint(0), first);
    EXPECT_NE(Route->GetPoint(1), third);
}
