// The waypoint properties dialog and the waypoint type chooser over the demo environment:
// what one, several equal and several different waypoints show and what OK writes, the
// name-position picker, refused values, and the chooser's list, order and "Add...".
#include "routes/FrmWaypointEdit.h"

#include "base/controls/KvEdits.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "routes/FrmWaypointDifference.h"
#include "routes/FrmWaypointEditType.h"
#include "tests/shell/NavEnvRouteSupport.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QtMath>

namespace {

class WaypointEdit : public routetest::NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        if (HasFatalFailure()) return;
        NightScreen()->SetActive(false);
        List = WptWaypointListCreate(0);
    }
    void TearDown() override {
        ObjectDelete(List);
        TFormWaypointEdit::SetPrompter(nullptr);
        TFormWaypointEditType::SetPrompter(nullptr);
        TFormWaypointEditType::SetTypeEditor(std::move(FOldEditor));
        NavEnvRoutes::TearDown();
    }
    IWptWaypoint *Waypoint(const QString &name, const QString &sub = QStringLiteral("sub"), float scale = 2.5f) {
        IWptWaypoint *w = Env->UserDatabase->NewWaypoint(nullptr, TGeoPoint3{0.92, 0.08, 0.0}, nullptr);
        int32_t err = 0;
        WptObjectSetName(w, name, err);
        WptWaypointSetSubName(w, sub, err);
        WptWaypointSetLink(w, QStringLiteral("http://x"), err);
        w->SetScale(scale, err);
        w->SetNamePosition(6, err);
        w->SetProximity(20.0f, err);
        EXPECT_EQ(err, 0);
        List->Add(w);
        return w;
    }
    // A waypoint of a protected copy of the user database.
    IWptWaypoint *ProtectedWaypoint() {
        IWptDatabase *db = WptManagerNewDatabase(Env->WaypointManager, QStringLiteral("Sealed"));
        IWptWaypoint *w = db->NewWaypoint(nullptr, TGeoPoint3{0.921, 0.081, 0.0}, nullptr);
        int32_t err = 0;
        WptObjectSetName(w, QStringLiteral("Sealed buoy"), err);
        const QString file = Dir.filePath(QStringLiteral("sealed.wdb"));
        WptDatabaseSaveToFile(db, file, err);
        db->Close();
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"), {file, QStringLiteral("UPDATE waypoints SET protected = 1;")});
        if (!sqlite.waitForFinished() || sqlite.exitCode() != 0) return nullptr;
        db = WptManagerOpenDatabase(Env->WaypointManager, file, 0, err);
        return db && db->GetObjectCount() == 1 ? FindIn(db) : nullptr;
    }
    IWptWaypoint *FindIn(IWptDatabase *db) {
        for (int32_t i = 0; i < Env->WaypointManager->GetWaypointCount(); ++i)
            if (Env->WaypointManager->GetWaypoint(i)->GetDatabase() == db) return Env->WaypointManager->GetWaypoint(i);
        return nullptr;
    }
    static void Ok(TFormWaypointEdit &f) { QTest::mouseClick(f.ButtonOk, Qt::LeftButton); }

    IWptWaypointList *List = nullptr;
    QTemporaryDir Dir;
    TFormWaypointEditType::TTypeEditor FOldEditor = TFormWaypointEditType::SetTypeEditor(nullptr);
};

TEST_F(WaypointEdit, OneWaypointShowsAndWritesItsPosition) {
    IWptWaypoint *w = Waypoint(QStringLiteral("Pier"));
    TFormWaypointEdit f(List, *Env);
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Waypoint properties"));
    EXPECT_FALSE(f.PanelInformation->isVisible());
    EXPECT_FALSE(f.PanelWarning->isVisible());
    for (QLabel *icon : {f.ImageWarningSubName, f.ImageWarningLink, f.ImageWarningScale, f.ImageWarningNamePos})
        EXPECT_FALSE(icon->isVisible());
    EXPECT_EQ(f.EditName->text(), QStringLiteral("Pier"));
    EXPECT_NEAR(f.EditLatitude->Value(), qRadiansToDegrees(0.92), 1e-9);
    EXPECT_TRUE(f.EditName->isEnabled());
    EXPECT_EQ(f.NamePosition(), 6);
    f.EditName->setText(QStringLiteral("North pier"));
    f.EditLatitude->SetValue(52.5);
    Ok(f);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(WptObjectGetName(w), QStringLiteral("North pier"));
    EXPECT_NEAR(w->GetLatitude(), qDegreesToRadians(52.5), 1e-9);
    EXPECT_FLOAT_EQ(float(w->GetProximity()), 20.0f) << "the hidden proximity is never written";
}

TEST_F(WaypointEdit, SeveralEqualWaypointsGetTheSharedValuesOnly) {
    IWptWaypoint *a = Waypoint(QStringLiteral("A")), *b = Waypoint(QStringLiteral("B")), *c = Waypoint(QStringLiteral("C"));
    TFormWaypointEdit f(List, *Env);
    f.show();
    EXPECT_TRUE(f.PanelInformation->isVisible());
    EXPECT_EQ(f.LabelInformation->text(), QStringLiteral("3 waypoints selected"));
    EXPECT_FALSE(f.PanelWarning->isVisible());
    EXPECT_FALSE(f.EditName->isEnabled());
    EXPECT_EQ(f.EditSubName->text(), QStringLiteral("sub"));
    QTest::keyClicks(f.EditLink, QStringLiteral("/y"));
    Ok(f);
    for (IWptWaypoint *w : {a, b, c}) {
        EXPECT_EQ(WptWaypointGetLink(w), QStringLiteral("http://x/y"));
        EXPECT_NEAR(w->GetLatitude(), 0.92, 1e-12) << "position left alone";
    }
    EXPECT_EQ(WptObjectGetName(a), QStringLiteral("A"));
}

TEST_F(WaypointEdit, ADifferingSubtextIsWrittenOnlyWhenEdited) {
    IWptWaypoint *a = Waypoint(QStringLiteral("A"), QStringLiteral("one"));
    IWptWaypoint *b = Waypoint(QStringLiteral("B"), QStringLiteral("two"));
    {
        TFormWaypointEdit f(List, *Env);
        f.show();
        EXPECT_EQ(f.EditSubName->text(), QString());
        EXPECT_TRUE(f.ImageWarningSubName->isVisible());
        EXPECT_FALSE(f.ImageWarningLink->isVisible());
        EXPECT_TRUE(f.PanelWarning->isVisible());
        Ok(f);
        EXPECT_EQ(WptWaypointGetSubName(a), QStringLiteral("one"));
        EXPECT_EQ(WptWaypointGetSubName(b), QStringLiteral("two"));
    }
    TFormWaypointEdit f(List, *Env);
    f.show();
    f.EditSubName->setFocus();
    QTest::keyClick(f.EditSubName, Qt::Key_X);
    QTest::keyClick(f.EditSubName, Qt::Key_Backspace);
    EXPECT_FALSE(f.ImageWarningSubName->isVisible());
    Ok(f);
    EXPECT_EQ(WptWaypointGetSubName(a), QString());
    EXPECT_EQ(WptWaypointGetSubName(b), QString());
}

TEST_F(WaypointEdit, TabbingThroughADifferingScaleWritesNothing) {
    IWptWaypoint *a = Waypoint(QStringLiteral("A"), QStringLiteral("s"), 1.5f);
    IWptWaypoint *b = Waypoint(QStringLiteral("B"), QStringLiteral("s"), 3.0f);
    TFormWaypointEdit f(List, *Env);
    f.show();
    f.activateWindow();
    EXPECT_TRUE(f.ImageWarningScale->isVisible());
    f.EditScale->setFocus();
    QTest::keyClick(f.EditScale, Qt::Key_Tab);
    EXPECT_TRUE(f.Differing() & WaypointDiff::Scale);
    Ok(f);
    EXPECT_FLOAT_EQ(a->GetScale(), 1.5f);
    EXPECT_FLOAT_EQ(b->GetScale(), 3.0f);
}

TEST_F(WaypointEdit, OnlyProximityOrTypeDifferingShowsTheBandWithoutIcons) {
    Waypoint(QStringLiteral("A"));
    IWptWaypoint *b = Waypoint(QStringLiteral("B"));
    int32_t err = 0;
    b->SetProximity(55.0f, err);
    TFormWaypointEdit f(List, *Env);
    f.show();
    EXPECT_TRUE(f.PanelWarning->isVisible());
    for (QLabel *icon : {f.ImageWarningSubName, f.ImageWarningLink, f.ImageWarningScale, f.ImageWarningNamePos})
        EXPECT_FALSE(icon->isVisible());
    bool explained = false;
    TFormWaypointDifference::SetPrompter([&](TFormWaypointDifference &d) {
        explained = d.windowTitle() == QStringLiteral("Different values") &&
                    d.LabelText->text().startsWith(QStringLiteral("Waypoint properties with this icon"));
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(f.ButtonMoreInfo, Qt::LeftButton);
    TFormWaypointDifference::SetPrompter(nullptr);
    EXPECT_TRUE(explained);
    Ok(f);
    EXPECT_FLOAT_EQ(float(b->GetProximity()), 55.0f);
}

TEST_F(WaypointEdit, PickerCellsAreRowPlusThreeTimesColumn) {
    Waypoint(QStringLiteral("A"));
    int32_t err = 0;
    Waypoint(QStringLiteral("B"))->SetNamePosition(2, err);
    TFormWaypointEdit f(List, *Env);
    f.show();
    ASSERT_TRUE(f.Differing() & WaypointDiff::NamePosition);
    EXPECT_TRUE(f.ImageWarningNamePos->isVisible());
    QWidget *box = f.PaintBoxNameOrigin;
    const int w = box->width(), h = box->height();
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row) {
            const QPoint at(column * w / 3 + w / 6, row * h / 3 + h / 6);
            QTest::mouseClick(box, Qt::LeftButton, {}, at);
            EXPECT_EQ(f.NamePosition(), row + 3 * column) << column << "," << row;
        }
    EXPECT_FALSE(f.Differing() & WaypointDiff::NamePosition);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(1, h / 2));
    EXPECT_EQ(f.NamePosition(), 1);
    // A release outside the picture (pressed inside) changes nothing.
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(w + 30, h + 30));
    EXPECT_EQ(f.NamePosition(), 1);
    EXPECT_EQ(TFormWaypointEdit::PickerCell(90, 60, 45, 0), 3) << "top centre";
    EXPECT_EQ(TFormWaypointEdit::PickerCell(90, 60, -1, 5), -1);
    EXPECT_EQ(TFormWaypointEdit::PickerCell(90, 60, 89, 59), 8);
    Ok(f);
    for (int32_t i = 0; i < List->GetCount(); ++i)
        EXPECT_EQ(static_cast<IWptWaypoint *>(List->GetItem(i))->GetNamePosition(), 1);
}

TEST_F(WaypointEdit, ARefusedValueNamesWaypointAndPropertyAndKeepsTheDialogOpen) {
    IWptWaypoint *sealed = ProtectedWaypoint();
    ASSERT_TRUE(sealed);
    ASSERT_TRUE(sealed->IsProtected());
    List->Add(sealed);
    IWptWaypoint *open = Waypoint(QStringLiteral("Open"));
    TFormWaypointEdit f(List, *Env);
    f.show();
    QTest::keyClicks(f.EditLink, QStringLiteral("/z"));
    Ok(f);
    ASSERT_EQ(Messages.size(), 1);
    // The name positions and subtexts differ and stay untouched; the typed link is refused.
    EXPECT_EQ(Messages[0], QStringLiteral("Cannot change the link of waypoint \"Sealed buoy\" (%1).")
                               .arg(ErrorToStrA(KvErr::ReadOnly)));
    EXPECT_TRUE(f.isVisible());
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_EQ(WptWaypointGetLink(open), QStringLiteral("/z")) << "the last waypoint is written first";
    EXPECT_EQ(WptWaypointGetLink(sealed), QString());
}

TEST_F(WaypointEdit, ScreenshotOfSeveralDifferentWaypoints) {
    Waypoint(QStringLiteral("A"), QStringLiteral("one"), 1.0f);
    Waypoint(QStringLiteral("B"), QStringLiteral("two"), 2.0f);
    TFormWaypointEdit f(List, *Env);
    f.show();
    QCoreApplication::processEvents();
    shelltest::SaveScreenshot(&f, QStringLiteral("WaypointEdit_several"));
}

// ---- The type chooser ------------------------------------------------------------------

class WaypointTypeChooser : public WaypointEdit {
protected:
    IWptWaypointType *NewType(IWptDatabase *db, const QString &name) {
        IBmp32 *icon = Bmp32Create(16, 16, 0);
        int32_t err = 0;
        IWptWaypointType *t = WptDatabaseNewType(db, icon, nullptr, false, 7.5f, 7.5f, {}, {}, {}, err);
        ObjectDelete(icon);
        if (t) WptObjectSetName(t, name, err);
        return err == 0 ? t : nullptr;
    }
    QStringList TopTexts(TFormWaypointEditType &f) {
        QStringList texts;
        QAbstractItemModel *m = f.ListView->model();
        for (int r = 0; r < m->rowCount(); ++r) texts << m->index(r, 0).data().toString();
        return texts;
    }
    // A database that is not writable, with one type.
    IWptDatabase *ReadOnlyDatabase() {
        IWptDatabase *db = WptManagerNewDatabase(Env->WaypointManager, QStringLiteral("Charts"));
        NewType(db, QStringLiteral("Chart buoy"));
        const QString file = Dir.filePath(QStringLiteral("charts.wdb"));
        int32_t err = 0;
        WptDatabaseSaveToFile(db, file, err);
        db->Close();
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"),
                     {file, QStringLiteral("DELETE FROM meta WHERE key IN ('title', 'protected'); INSERT INTO meta(key, "
                                           "value) VALUES ('title', 'Chart objects'), ('protected', 1);")});
        if (!sqlite.waitForFinished() || sqlite.exitCode() != 0) return nullptr;
        return WptManagerOpenDatabase(Env->WaypointManager, file, 0, err);
    }
};

TEST_F(WaypointTypeChooser, ListsDefaultTypeFirstThenOwnDatabaseInBothDirections) {
    IWptDatabase *charts = ReadOnlyDatabase();
    ASSERT_TRUE(charts);
    ASSERT_FALSE(charts->IsWritable());
    NewType(Env->UserDatabase, QStringLiteral("Mooring 10"));
    NewType(Env->UserDatabase, QStringLiteral("Mooring 9"));
    TFormWaypointEditType f(nullptr, 2, Env->UserDatabase);
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Select waypoint type"));
    EXPECT_TRUE(f.CheckFilterReadOnly->isChecked()) << "default on";
    QStringList tops = TopTexts(f);
    ASSERT_GE(tops.size(), 2);
    EXPECT_EQ(TFormWaypointEditType::Kind(f.ListView->model()->index(0, 0)), TFormWaypointEditType::TypeRow);
    EXPECT_EQ(tops[1], QStringLiteral("User database"));
    EXPECT_FALSE(tops.contains(QStringLiteral("Chart objects")));
    QAbstractItemModel *m = f.ListView->model();
    const QModelIndex user = m->index(1, 0);
    QStringList names;
    for (int r = 0; r < m->rowCount(user); ++r) names << m->index(r, 0, user).data().toString();
    EXPECT_LT(names.indexOf(QStringLiteral("Mooring 9")), names.indexOf(QStringLiteral("Mooring 10")));

    QTest::mouseClick(f.ListView->header()->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
    tops = TopTexts(f);
    EXPECT_EQ(TFormWaypointEditType::Kind(m->index(0, 0)), TFormWaypointEditType::TypeRow) << "default type stays on top";
    EXPECT_EQ(tops[1], QStringLiteral("User database"));

    QTest::mouseClick(f.CheckFilterReadOnly, Qt::LeftButton);
    EXPECT_TRUE(TopTexts(f).contains(QStringLiteral("Chart objects")));
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\WaypointEditType"),
                                RegName(u"FilterReadOnly"), true));
}

TEST_F(WaypointTypeChooser, OkWithoutAPickKeepsTheCallersTypeAndCancelChangesNothing) {
    IWptWaypointType *mooring = NewType(Env->UserDatabase, QStringLiteral("Mooring"));
    IWptWaypointType *anchor = NewType(Env->UserDatabase, QStringLiteral("Anchorage"));
    TFormWaypointEditType::SetPrompter([](TFormWaypointEditType &) { return int(QDialog::Accepted); });
    IWptWaypointType *type = nullptr;
    EXPECT_TRUE(TFormWaypointEditType::Execute(type, Env->UserDatabase, 2));
    EXPECT_EQ(type, nullptr) << "nil stays nil";
    type = mooring;
    EXPECT_TRUE(TFormWaypointEditType::Execute(type, Env->UserDatabase, 2));
    EXPECT_EQ(type, mooring);

    TFormWaypointEditType::SetPrompter([&](TFormWaypointEditType &f) {
        const QModelIndexList found = f.ListView->model()->match(
            f.ListView->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("Anchorage"), 1,
            Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1);
        f.show();
        const QRect r = f.ListView->visualRect(found.value(0));
        QTest::mouseClick(f.ListView->viewport(), Qt::LeftButton, {}, r.center());
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(TFormWaypointEditType::Execute(type, Env->UserDatabase, 2));
    EXPECT_EQ(type, mooring);
    TFormWaypointEditType::SetPrompter([&](TFormWaypointEditType &f) {
        const QModelIndexList found = f.ListView->model()->match(
            f.ListView->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("Anchorage"), 1,
            Qt::MatchExactly | Qt::MatchRecursive);
        f.show();
        QTest::mouseClick(f.ListView->viewport(), Qt::LeftButton, {}, f.ListView->visualRect(found.value(0)).center());
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(TFormWaypointEditType::Execute(type, Env->UserDatabase, 2));
    EXPECT_EQ(type, anchor);
}

TEST_F(WaypointTypeChooser, AddSelectsTheNewType) {
    TFormWaypointEditType f(nullptr, 2, Env->UserDatabase);
    EXPECT_FALSE(f.ButtonAdd->isEnabled()) << "no type editor: present and disabled";
    EXPECT_TRUE(FOldEditor) << "the type editor is the default";
    uint8_t modeSeen = 0;
    TFormWaypointEditType::SetTypeEditor([&](IWptDatabase *db, IWptWaypointTypeList *list, uint8_t mode) {
        modeSeen = mode;
        list->Add(NewType(db, QStringLiteral("Fresh type")));
        return true;
    });
    TFormWaypointEditType g(nullptr, 2, Env->UserDatabase);
    g.show();
    ASSERT_TRUE(g.ButtonAdd->isEnabled());
    QTest::mouseClick(g.ButtonAdd, Qt::LeftButton);
    EXPECT_EQ(modeSeen, 2);
    ASSERT_TRUE(g.Chosen());
    EXPECT_EQ(WptObjectGetName(g.Chosen()), QStringLiteral("Fresh type"));
    const QModelIndexList selected = g.ListView->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].data().toString(), QStringLiteral("Fresh type"));
    shelltest::SaveScreenshot(&g, QStringLiteral("WaypointEditType"));
}

}  // namespace
