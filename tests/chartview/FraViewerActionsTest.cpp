// The chart-viewer frame's actions on the real environment and core viewer: S-57 display
// controls, keys, the context menu and its waypoint commands.
#include "ViewerActionsFixture.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvStrings.h"
#include "base/registry/KvRegistry.h"
#include "shell/MarivoImages.h"
#include "chartview/FrmChartSelect.h"
#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvWaypoints.h>

#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace chartviewtest;

namespace {

constexpr int32_t Root = AppRegRoot::Product;
const QString Key = QStringLiteral("ViewerMain");

bool StoredBool(const QString &name, bool def) {
    return RegReadBoolDef(GetAppReg(), Root, Key, RegName(name), def);
}

int32_t StoredInt(const QString &name, int32_t def) {
    return RegReadIntegerDef(GetAppReg(), Root, Key, RegName(name), def);
}

void DeliverPosted() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

}  // namespace

using ViewerActions = ViewerActionsFixture;

TEST_F(ViewerActions, DisplayCategoryCyclesAndOutlinesOnlyKeepsTheStoredCategory) {
    MakeFrame();
    IS52PresentationLib *lib = Env->S52Library;
    Frame->ActionS57DisplayCatBoundsOnly->trigger();
    ASSERT_TRUE(Viewer().GetS57BoundsOnly());
    Centre.clear();
    std::vector<int32_t> stored;
    for (int i = 0; i < 4; ++i) {
        Frame->ActionS57DisplayCategory->trigger();
        stored.push_back(StoredInt(QStringLiteral("S57DisplayCategory"), -1));
    }
    EXPECT_EQ(Messages8(), (std::vector<QString>{QStringLiteral("Display category BASE"),
                                                 QStringLiteral("Display category STANDARD"),
                                                 QStringLiteral("Display category OTHER"),
                                                 QStringLiteral("Display category EMPTYCELL")}));
    EXPECT_EQ(stored, (std::vector<int32_t>{0, 1, 2, 2})) << "outlines only stores nothing";
    EXPECT_TRUE(Viewer().GetS57BoundsOnly());
    EXPECT_EQ(lib->GetDisplayCategory(0), 2);
    EXPECT_TRUE(Frame->ActionS57DisplayCatBoundsOnly->isChecked());
    EXPECT_FALSE(Frame->ActionS57DisplayCatOTHER->isChecked());

    // A sub-item jumps straight to its category.
    Frame->ActionS57DisplayCatSTANDARD->trigger();
    EXPECT_FALSE(Viewer().GetS57BoundsOnly());
    EXPECT_EQ(lib->GetDisplayCategory(0), 1);
    EXPECT_EQ(StoredInt(QStringLiteral("S57DisplayCategory"), -1), 1);
    EXPECT_TRUE(Frame->ActionS57DisplayCatSTANDARD->isChecked());
    EXPECT_EQ(Messages8().back(), QStringLiteral("Display category STANDARD"));
}

TEST_F(ViewerActions, S52FlagTogglesFlipTheirBitAndStoreTheNewState) {
    MakeFrame();
    IS52PresentationLib *lib = Env->S52Library;
    struct Case {
        QAction *action;
        uint32_t bit;
        const char *name;
    };
    const Case cases[] = {{Frame->ActionS57SCAMIN, 0x2, "S57UseSCAMIN"},
                          {Frame->ActionS57ShowLabels, 0x10, "S57ShowText"},
                          {Frame->ActionS57ShowDepths, 0x4, "S57ShowSoundings"},
                          {Frame->ActionS57ShowNoticeMarks, 0x400, "S57ShowNoticeMarks"},
                          {Frame->ActionS57ShowbENCs, 0x20000, "S57ShowbENCs"}};
    for (const Case &c : cases) {
        for (int round = 0; round < 2; ++round) {
            const uint32_t before = lib->GetDisplayFlags(0);
            c.action->trigger();
            const uint32_t after = lib->GetDisplayFlags(0);
            EXPECT_EQ(after, before ^ c.bit) << c.name;
            const bool on = after & c.bit;
            EXPECT_EQ(StoredBool(QString::fromLatin1(c.name), !on), on) << c.name;
            EXPECT_EQ(c.action->isChecked(), on) << c.name;
        }
    }
}

TEST_F(ViewerActions, WaterLevelOffsetShowsAndWithdrawsTheMainViewersNotice) {
    MakeFrame();
    QDoubleSpinBox *spin = Frame->SpinEditS57WaterLevelOffset;
    EXPECT_EQ(spin->minimum(), -99.0);
    EXPECT_EQ(spin->maximum(), 99.0);
    EXPECT_EQ(spin->singleStep(), 0.1);
    EXPECT_EQ(spin->decimals(), 1);
    spin->setValue(1.5);
    ASSERT_FALSE(Centre.empty());
    EXPECT_EQ(Centre.back().What, QStringLiteral("offset"));
    EXPECT_FLOAT_EQ(Centre.back().Metres, 1.5f);
    EXPECT_FLOAT_EQ(RegReadSingleDef(GetAppReg(), Root, Key, RegName(u"S57WaterLevelOffset"), 0.0f),
                    1.5f);
    spin->setValue(0.0);
    EXPECT_EQ(Centre.back().What, QStringLiteral("withdraw"));
    EXPECT_EQ(Centre.back().Kind, 18);

    // Another viewer's offset never touches the main viewer's notice.
    auto *second = new TFrameViewer(Host.get(), false, *Env, 0, 1, QStringLiteral("Second"),
                                    QStringLiteral("ViewerSecond"));
    Centre.clear();
    second->SetS57WaterLevelOffset(2.0f);
    second->SetS57WaterLevelOffset(0.0f);
    EXPECT_TRUE(Centre.empty());
    delete second;
}

TEST_F(ViewerActions, OrientationKeysTakeOnlyCourseUpAndNorthUp) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    Frame->SetTrackingMode(NavViewerTrackingMode::NorthUp);
    struct Case {
        Qt::Key key;
        int32_t mode;
    };
    const Case cases[] = {{Qt::Key_3, NavViewerTrackingMode::NorthUp},
                          {Qt::Key_4, NavViewerTrackingMode::CourseUp},
                          {Qt::Key_5, NavViewerTrackingMode::CourseUp},
                          {Qt::Key_6, NavViewerTrackingMode::CourseUp},
                          {Qt::Key_8, NavViewerTrackingMode::CourseUp},
                          {Qt::Key_7, NavViewerTrackingMode::NorthUp},
                          {Qt::Key_3, NavViewerTrackingMode::NorthUp}};
    for (const Case &c : cases) {
        QTest::keyClick(&v, c.key);
        EXPECT_EQ(v.GetTrackingMode(), c.mode) << "key " << c.key;
    }
    EXPECT_TRUE(Frame->ActionViewTrackingNorthUp->isChecked());
    const bool tracking = v.GetTrackingEnabled();
    QTest::keyClick(&v, Qt::Key_1);
    EXPECT_NE(v.GetTrackingEnabled(), tracking);
    EXPECT_EQ(Frame->ActionViewTracking->isChecked(), !tracking);
    const bool bounds = v.GetShowChartBounds();
    QTest::keyClick(&v, Qt::Key_B, Qt::ControlModifier);
    EXPECT_NE(v.GetShowChartBounds(), bounds);
    EXPECT_EQ(StoredBool(QStringLiteral("ShowChartBounds"), bounds), !bounds);
}

TEST_F(ViewerActions, CtrlF9OpensTheChartSelectionForThisViewer) {
    MakeFrame();
    int opened = 0;
    auto old = TFormChartSelect::SetPrompter([&](TFormChartSelect &) {
        ++opened;
        return int(QDialog::Rejected);
    });
    QTest::keyClick(&Viewer(), Qt::Key_F9);
    EXPECT_EQ(opened, 0) << "F9 alone";
    QTest::keyClick(&Viewer(), Qt::Key_F9, Qt::ControlModifier);
    EXPECT_EQ(opened, 1);
    Frame->ActionChartSelect->trigger();
    EXPECT_EQ(opened, 2);
    TFormChartSelect::SetPrompter(std::move(old));
}

TEST_F(ViewerActions, ChartManagerKeyAndButtonRunTheRegisteredDialog) {
    MakeFrame();
    int runs = 0;
    auto old = TFrameViewer::SetChartManagerExecute([&](TChartManagerCall &call) {
        ++runs;
        EXPECT_EQ(call.Mode, 0);
    });
    QTest::keyClick(&Viewer(), Qt::Key_Return, Qt::ControlModifier);
    Frame->ActionChartManager->trigger();
    EXPECT_EQ(runs, 2);
    TFrameViewer::SetChartManagerExecute(std::move(old));
}

namespace {

// A waypoint of a database whose records are marked protected: the user database saved to
// a file, its waypoints marked with the database tool and opened as a second database.
IWptWaypoint *ProtectedWaypoint(TMarivoNavEnv &env, const QString &folder) {
    int32_t err = 0;
    IWptDatabase *user = env.UserDatabase;
    user->NewWaypoint(nullptr, TGeoPoint3{0.9215, 0.0785, 0.0}, nullptr);
    const QString file = folder + QStringLiteral("/protected.wdb");
    user->SaveToFile(StrW(file), err);
    if (err != 0) return qWarning() << "save" << err, nullptr;
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"),
                 {file, QStringLiteral("UPDATE waypoints SET protected = 1; "
                                     "UPDATE meta SET value = randomblob(16) WHERE key = 'guid';")});
    if (!sqlite.waitForFinished() || sqlite.exitCode() != 0)
        return qWarning() << "sqlite" << sqlite.readAllStandardError(), nullptr;
    IWptDatabase *db = env.WaypointManager->OpenDatabase(StrW(file), 0, err);
    if (!db || err != 0) return qWarning() << "open" << err, nullptr;
    for (int32_t i = 0; i < env.WaypointManager->GetWaypointCount(); ++i) {
        IWptWaypoint *w = env.WaypointManager->GetWaypoint(i);
        if (w->GetDatabase() == db && w->IsProtected()) return w;
    }
    return nullptr;
}

}  // namespace

TEST_F(ViewerActions, DeleteKeyAsksForTheSelectedWaypointOnlyWhileEditingWaypoints) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    IWptDatabase *db = Env->UserDatabase;
    IWptWaypoint *w = db->NewWaypoint(nullptr, TGeoPoint3{0.9215, 0.0785, 0.0}, nullptr);
    ASSERT_TRUE(w);
    const int32_t count = db->GetObjectCount();
    v.SetSelectedWaypoint(w);
    Answer = mrNo;
    QTest::keyClick(&v, Qt::Key_Delete);
    EXPECT_TRUE(Messages.isEmpty()) << "edit mode 0 deletes nothing";
    Frame->Viewer()->SetEditMode(NavViewerEditMode::Waypoints);
    QTest::keyClick(&v, Qt::Key_Delete);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Are you sure you want to delete waypoint '")));
    EXPECT_EQ(db->GetObjectCount(), count) << "No keeps it";
    Answer = mrYes;
    QTest::keyClick(&v, Qt::Key_Delete);
    EXPECT_EQ(db->GetObjectCount(), count - 1);
    EXPECT_EQ(v.GetSelectedWaypoint(), nullptr);
    DeliverPosted();
    EXPECT_EQ(Dispatched.Count(0x2000000B), 1);
}

TEST_F(ViewerActions, RefusedWaypointDeletionKeepsItSelectedAndShowsTheLibraryText) {
    MakeFrame();
    QTemporaryDir dir;
    IWptWaypoint *w = ProtectedWaypoint(*Env, dir.path());
    ASSERT_TRUE(w);
    Viewer().SetSelectedWaypoint(w);
    const int32_t before = Env->WaypointManager->GetWaypointCount();
    Answer = mrYes;
    Frame->DeleteWaypointAsked(w);
    ASSERT_EQ(Messages.size(), 2);
    EXPECT_TRUE(Messages[1].startsWith(QStringLiteral("Cannot delete the waypoint.")));
    EXPECT_TRUE(Messages[1].endsWith(ErrorToStrA(KvErr::ReadOnly))) << Messages[1].toStdString();
    EXPECT_EQ(Env->WaypointManager->GetWaypointCount(), before);
    EXPECT_EQ(Viewer().GetSelectedWaypoint(), w);
    DeliverPosted();
    EXPECT_EQ(Dispatched.Count(0x2000000B), 0);
}

TEST_F(ViewerActions, ContextMenuOverTheRasterChartIsRebuiltPerRightClick) {
    MakeFrame(QSize(800, 600), true);
    TNavViewerControl &v = Viewer();
    ASSERT_GT(v.GetChartCount(), 0);
    v.ZoomToChart(v.GetChart(0));
    QMenu *menu = RightClick(QPoint(400, 300));
    ASSERT_TRUE(menu->isVisible());
    QAction *front = FindAction(menu, QStringLiteral("Bring to front"));
    ASSERT_TRUE(front && front->menu());
    ASSERT_EQ(front->menu()->actions().size(), 1);
    EXPECT_EQ(front->menu()->actions()[0]->text(), ChartDisplayNameEx(v.GetChart(0), true));
    EXPECT_TRUE(FindAction(menu, QStringLiteral("Navigate to mouse position")));
    EXPECT_EQ(Texts(menu).back(), QStringLiteral("Properties..."));
    QAction *newWaypoint = FindAction(menu, QStringLiteral("New waypoint at mouse position"));
    ASSERT_TRUE(newWaypoint);
    EXPECT_FALSE(newWaypoint->isEnabled()) << "no waypoint dialog registered";
    menu->hide();

    // Bring it to front through the menu.
    front->menu()->actions()[0]->trigger();
    EXPECT_EQ(v.GetFrontChart(), v.GetChart(0));
    menu = RightClick(QPoint(400, 300));
    ASSERT_TRUE(FindAction(menu, QStringLiteral("Reset chart order"))->isEnabled());
    FindAction(menu, QStringLiteral("Reset chart order"))->trigger();
    EXPECT_EQ(v.GetFrontChart(), nullptr);
    menu->hide();

    // Far away from every chart the chart items are disabled.
    v.ZoomAt(64.0, v.GetCenterPoint());
    v.Pan(-100000, 0);
    menu = RightClick(QPoint(10, 10));
    if (v.GetChartAtMouseCount() == 0) {
        EXPECT_FALSE(FindAction(menu, QStringLiteral("Bring to front"))->isEnabled());
        EXPECT_FALSE(FindAction(menu, QStringLiteral("Send to back"))->isEnabled());
    }
    menu->hide();
}

TEST_F(ViewerActions, NewWaypointAtTheMouseIsKeptOnOkAndDeletedOnCancel) {
    MakeFrame();
    IWptDatabase *db = Env->UserDatabase;
    bool answer = false;
    int dialogs = 0;
    TGeoPoint seen{};
    auto old = TFrameViewer::SetWaypointEditExecute([&](TMarivoNavEnv &, IWptWaypointList *list) {
        ++dialogs;
        EXPECT_EQ(list->GetCount(), 1);
        auto *w = static_cast<IWptWaypoint *>(list->GetItem(0));
        seen = *w->GetPosition();
        EXPECT_EQ(w->GetNamePosition(), 8);
        return answer;
    });
    const int32_t count = db->GetObjectCount();
    const QPoint at(300, 200);
    QMenu *menu = RightClick(at);
    const TGeoPoint under = *Viewer().GetMousePosition();
    QAction *item = FindAction(menu, QStringLiteral("New waypoint at mouse position"));
    ASSERT_TRUE(item && item->isEnabled());
    item->trigger();
    menu->hide();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(db->GetObjectCount(), count) << "Cancel leaves no waypoint behind";
    DeliverPosted();
    EXPECT_EQ(Dispatched.Count(10), 0);

    answer = true;
    menu = RightClick(at);
    FindAction(menu, QStringLiteral("New waypoint at mouse position"))->trigger();
    menu->hide();
    EXPECT_EQ(db->GetObjectCount(), count + 1);
    EXPECT_NEAR(seen.Lat, under.Lat, 1e-6);
    EXPECT_NEAR(seen.Lon, under.Lon, 1e-6);
    DeliverPosted();
    ASSERT_EQ(Dispatched.Count(10), 1);
    for (const auto &n : Dispatched.Items)
        if (n.Code == 10) EXPECT_EQ(n.P2, 1);
    IWptWaypointGroup *user = Env->WaypointManager->GetUserGroup();
    ASSERT_TRUE(user);
    EXPECT_GE(Env->WaypointGroupList->IndexOf(user), 0);
    TFrameViewer::SetWaypointEditExecute(std::move(old));
}
