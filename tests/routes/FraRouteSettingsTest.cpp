// The route planning settings panel on a route of the demo network: what it shows, how the
// start date and time fields write, the group list, refused changes, the enabled state while
// a route is followed, and the ship link.
#include "RouteSettingsFixture.h"

#include "base/controls/KvCalendarEx.h"
#include "base/controls/KvEdits.h"
#include "base/kvlib/KvStrings.h"
#include "base/settings/KvRegBoat.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/FraRouteSettings.h"
#include "routes/FrmRouteSettingsDefault.h"
#include "routes/FrmSettingsShip.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvUnits.h>

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using routestest::RouteSettingsFixture;

namespace {

TDateTime Utc(int y, int mo, int d, int h, int mi) { return KvCalendar::FromQDateTime(QDate(y, mo, d), QTime(h, mi)); }

// A route of a database whose records are marked protected: the user database saved to a
// file, its routes marked with the database tool and opened as a second database.
IWptRoute *ProtectedRoute(TMarivoNavEnv &env, const QString &folder) {
    int32_t err = 0;
    const QString file = folder + QStringLiteral("/protected.wdb");
    WptDatabaseSaveToFile(env.UserDatabase, file, err);
    if (err != 0) return nullptr;
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"),
                 {file, QStringLiteral("UPDATE routes SET protected = 1; "
                                     "UPDATE meta SET value = randomblob(16) WHERE key = 'guid';")});
    if (!sqlite.waitForFinished() || sqlite.exitCode() != 0) return nullptr;
    IWptDatabase *db = env.WaypointManager->OpenDatabase(StrW(file), 0, err);
    if (!db || err != 0) return nullptr;
    for (int32_t i = 0; i < env.WaypointManager->GetRouteCount(); ++i) {
        IWptRoute *r = env.WaypointManager->GetRoute(i);
        if (r->GetDatabase() == db && r->IsReadOnly()) return r;
    }
    return nullptr;
}

class RouteSettingsPanel : public RouteSettingsFixture {
protected:
    void SetUp() override {
        RouteSettingsFixture::SetUp();
        if (HasFatalFailure()) return;
        NavMsgGetGPSClock()->SetUTCOffsetSync(false);
        NavMsgGetGPSClock()->SetUTCOffset(120);
        Route = NetworkRoute(2);
        int32_t err = 0;
        WptObjectSetName(Route, QStringLiteral("Summer trip"), err);
        Route->SetStartTime(Utc(2024, 1, 31, 10, 30));  // 12:30 local
        routetest::DeliverPosted();
    }
    void TearDown() override {
        Panel.reset();
        TFormSettingsShip::SetPrompter(nullptr);
        TFormRouteSettingsDefault::SetPrompter(nullptr);
        NavMsgGetGPSClock()->SetUTCOffsetSync(FOldSync);
        NavMsgGetGPSClock()->SetUTCOffset(FOldOffset);
        RouteSettingsFixture::TearDown();
    }
    TFrameRouteSettings &MakePanel(IWptRoute *route) {
        Panel = std::make_unique<TFrameRouteSettings>(nullptr, *Env);
        Panel->resize(280, 500);
        Panel->show();
        Panel->SetRoute(route);
        Log.Items.clear();
        return *Panel;
    }
    // The notifications posted about the route since the last call.
    std::vector<int32_t> Posted() {
        routetest::DeliverPosted();
        std::vector<int32_t> codes;
        for (const TNavNotification &n : Log.Items)
            if ((n.Code == 32 || n.Code == 33 || n.Code == 20) && (n.P1 == intptr_t(Route) || n.Code == 20))
                codes.push_back(n.Code);
        Log.Items.clear();
        return codes;
    }
    static void TypeInto(QSpinBox *spin, int value) {
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, QString::number(value));
    }
    QString Shown() const {
        return QStringLiteral("%1-%2-%3 %4:%5")
            .arg(Panel->EditStartDateDay->value())
            .arg(Panel->EditStartDateMonth->value())
            .arg(Panel->EditStartDateYear->value())
            .arg(Panel->EditStartTimeHour->value())
            .arg(Panel->EditStartTimeMinute->value(), 2, 10, QLatin1Char('0'));
    }

    bool FOldSync = GlobalTimeZones()->GetUTCOffsetSync();
    int32_t FOldOffset = NavMsgGetGPSClock()->GetUTCOffset();
    IWptRoute *Route = nullptr;
    std::unique_ptr<TFrameRouteSettings> Panel;
};

TEST_F(RouteSettingsPanel, ShowsTheRouteInLocalTime) {
    int32_t err = 0;
    Route->SetSpeedMode(1, err);
    Route->SetWaterBodyMask(1u << 3, err);
    TFrameRouteSettings &p = MakePanel(Route);
    EXPECT_EQ(p.EditRouteName->text(), QStringLiteral("Summer trip"));
    EXPECT_EQ(Shown(), QStringLiteral("31-1-2024 12:30"));
    EXPECT_EQ(p.EditStartDateDay->maximum(), 31);
    EXPECT_TRUE(p.RadioButtonSpeedLow->isChecked());
    ASSERT_EQ(p.CheckListBoxWaterBodies->count(), 2);
    EXPECT_EQ(p.CheckListBoxWaterBodies->item(0)->text(), QStringLiteral("Inland waterways Netherlands"));
    EXPECT_EQ(p.CheckListBoxWaterBodies->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(p.CheckListBoxWaterBodies->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(p.ComboRouteGroup->currentText(), QStringLiteral("<Ungrouped>"));

    // The speed radios follow the route: 0 cruising, 2 high.
    for (int32_t mode : {0, 2}) {
        Route->SetSpeedMode(mode, err);
        p.ShowRoute();
        EXPECT_EQ(p.RadioButtonSpeedCruising->isChecked(), mode == 0);
        EXPECT_EQ(p.RadioButtonSpeedHigh->isChecked(), mode == 2);
    }
    // February of a leap year.
    Route->SetStartTime(Utc(2024, 2, 10, 6, 0));
    p.ShowRoute();
    EXPECT_EQ(p.EditStartDateDay->maximum(), 29);
    shelltest::SaveScreenshot(&p, QStringLiteral("RouteSettingsPanelGeneral"));
    p.PageControl->setCurrentIndex(TFrameRouteSettings::PagePlanner);
    shelltest::SaveScreenshot(&p, QStringLiteral("RouteSettingsPanelPlanner"));
}

TEST_F(RouteSettingsPanel, StartTimeFieldsWriteTheRouteInUTC) {
    TFrameRouteSettings &p = MakePanel(Route);
    // Typing an hour writes at once; the same value again writes nothing.
    TypeInto(p.EditStartTimeHour, 15);
    EXPECT_DOUBLE_EQ(Route->GetStartTime(), Utc(2024, 1, 31, 13, 30));
    EXPECT_EQ(Posted(), std::vector<int32_t>({33, 33})) << "1, then 15";
    emit p.EditStartTimeHour->editingFinished();
    EXPECT_TRUE(Posted().empty());

    // Day 31: the month arrow lowers it to the new month's length before writing.
    struct Case {
        const char *name;
        int steps;
        QString shown;
        TDateTime utc;
    };
    const Case arrows[] = {
        {"to February of a leap year", 1, "29-2-2024 15:30", Utc(2024, 2, 29, 13, 30)},
        {"on to April", 2, "29-4-2024 15:30", Utc(2024, 4, 29, 13, 30)},
    };
    for (const Case &c : arrows) {
        SCOPED_TRACE(c.name);
        p.EditStartDateMonth->stepBy(c.steps);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_DOUBLE_EQ(Route->GetStartTime(), c.utc);
        EXPECT_EQ(Posted(), std::vector<int32_t>({33}));
    }
    Route->SetStartTime(Utc(2024, 3, 31, 10, 0));
    p.ShowRoute();
    p.EditStartDateMonth->stepBy(1);
    EXPECT_EQ(Shown(), QStringLiteral("30-4-2024 12:00"));
    // 29 February and a year arrow into a common year: the 28th.
    Route->SetStartTime(Utc(2024, 2, 29, 10, 0));
    p.ShowRoute();
    p.EditStartDateYear->stepBy(-1);
    EXPECT_EQ(Shown(), QStringLiteral("28-2-2023 12:00"));
    EXPECT_DOUBLE_EQ(Route->GetStartTime(), Utc(2023, 2, 28, 10, 0));
    Posted();

    // A typed year that makes 29 February impossible is refused and writes nothing.
    Route->SetStartTime(Utc(2024, 2, 29, 10, 0));
    p.ShowRoute();
    Messages.clear();
    TypeInto(p.EditStartDateYear, 2023);
    EXPECT_TRUE(Messages.contains(QStringLiteral("Error changing the start date and time for the route.")));
    EXPECT_DOUBLE_EQ(Route->GetStartTime(), Utc(2024, 2, 29, 10, 0));
    EXPECT_TRUE(Posted().empty());

    // The day and hour buttons work in UTC across midnight.
    Route->SetStartTime(Utc(2024, 6, 30, 23, 0));
    p.ShowRoute();
    p.PngImageButtonNextHour->click();
    EXPECT_DOUBLE_EQ(Route->GetStartTime(), Utc(2024, 7, 1, 0, 0));
    p.PngImageButtonPrevDay->click();
    EXPECT_DOUBLE_EQ(Route->GetStartTime(), Utc(2024, 6, 30, 0, 0));
    p.PngImageButtonNextDay->click();
    p.PngImageButtonPrevHour->click();
    EXPECT_DOUBLE_EQ(Route->GetStartTime(), Utc(2024, 6, 30, 23, 0));
    EXPECT_EQ(Shown(), QStringLiteral("1-7-2024 1:00"));
    EXPECT_EQ(Posted(), std::vector<int32_t>({33, 33, 33, 33}));
}

TEST_F(RouteSettingsPanel, NowStartsTheRouteThisMinute) {
    TFrameRouteSettings &p = MakePanel(Route);
    const QDateTime before = QDateTime::currentDateTimeUtc();
    p.ButtonNow->click();
    const QDateTime after = QDateTime::currentDateTimeUtc();
    auto minute = [](const QDateTime &t) {
        return KvCalendar::FromQDateTime(t.date(), QTime(t.time().hour(), t.time().minute()));
    };
    EXPECT_GE(Route->GetStartTime(), minute(before) - 1e-9);
    EXPECT_LE(Route->GetStartTime(), minute(after) + 1e-9);
    EXPECT_EQ(Posted(), std::vector<int32_t>({33}));
}

TEST_F(RouteSettingsPanel, AYearOutsideTheFieldsRangeIsWrittenOnlyWhenChanged) {
    Route->SetStartTime(Utc(2150, 5, 10, 10, 0));
    TFrameRouteSettings &p = MakePanel(Route);
    EXPECT_EQ(p.EditStartDateYear->value(), 2100);
    TypeInto(p.EditStartTimeMinute, 45);
    EXPECT_DOUBLE_EQ(Route->GetStartTime(), Utc(2150, 5, 10, 10, 45)) << "the year stays the route's";
    TypeInto(p.EditStartDateYear, 2030);
    EXPECT_DOUBLE_EQ(Route->GetStartTime(), Utc(2030, 5, 10, 10, 45));
}

TEST_F(RouteSettingsPanel, NameGroupSpeedAndWaterBodiesWriteTheRoute) {
    IWptRoute *other = NetworkRoute(2);
    int32_t err = 0;
    WptRouteSetGroupName(other, QStringLiteral("Weekend"), err);
    TFrameRouteSettings &p = MakePanel(Route);
    EXPECT_EQ(p.ComboRouteGroup->count(), 2);

    QTest::keyClicks(p.EditRouteName, QStringLiteral("!"));
    EXPECT_EQ(WptObjectGetName(Route), QStringLiteral("Summer trip!"));
    EXPECT_EQ(Posted(), std::vector<int32_t>({32}));

    // A new group typed and the combo left: written, then listed; no notification.
    p.ComboRouteGroup->setEditText(QStringLiteral("Autumn"));
    emit p.ComboRouteGroup->lineEdit()->editingFinished();
    EXPECT_EQ(WptRouteGetGroupName(Route), QStringLiteral("Autumn"));
    EXPECT_EQ(p.ComboRouteGroup->findText(QStringLiteral("Autumn")), 1) << "sorted before Weekend";
    p.ComboRouteGroup->setCurrentIndex(0);
    emit p.ComboRouteGroup->activated(0);
    EXPECT_EQ(WptRouteGetGroupName(Route), QString());
    EXPECT_TRUE(Posted().empty());

    p.RadioButtonSpeedHigh->click();
    EXPECT_EQ(Route->GetSpeedMode(), 2);
    p.RadioButtonSpeedLow->click();
    EXPECT_EQ(Route->GetSpeedMode(), 1);
    // The mask is what the list shows: the Dutch inland waterways and now the North Sea.
    p.CheckListBoxWaterBodies->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(Route->GetWaterBodyMask(), (1u << 3) | 1u);
    EXPECT_EQ(Posted(), std::vector<int32_t>({33, 33, 33}));

    // A group typed but not yet written goes to the route it was typed for.
    p.ComboRouteGroup->setEditText(QStringLiteral("Pending"));
    p.SetRoute(other);
    EXPECT_EQ(WptRouteGetGroupName(Route), QStringLiteral("Pending"));
    EXPECT_EQ(p.ComboRouteGroup->currentText(), QStringLiteral("Weekend"));
    // … unless that route is gone.
    p.ComboRouteGroup->setEditText(QStringLiteral("Lost"));
    other->DeleteFromDatabase(err);
    ASSERT_EQ(err, 0);
    p.SetRoute(Route);
    EXPECT_EQ(p.ComboRouteGroup->findText(QStringLiteral("Lost")), -1);
}

TEST_F(RouteSettingsPanel, RefusedChangesShowTheirErrorAndPostNothing) {
    TFrameRouteSettings &p = MakePanel(Route);
    struct Case {
        const char *name;
        std::function<void()> act;
        QString message;
    };
    const QString tooLong(400, QLatin1Char('x'));
    const Case cases[] = {
        {"name",
         [&] {
             p.EditRouteName->setText(tooLong);
             emit p.EditRouteName->textEdited(tooLong);
         },
         "Error changing the route name."},
        {"group",
         [&] {
             p.ComboRouteGroup->setEditText(tooLong);
             emit p.ComboRouteGroup->lineEdit()->editingFinished();
         },
         "Error changing the group for this route."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Messages.clear();
        c.act();
        ASSERT_FALSE(Messages.isEmpty());
        EXPECT_EQ(Messages.last(), c.message);
        EXPECT_TRUE(Posted().empty());
    }
    EXPECT_EQ(WptRouteGetGroupName(Route), QString());
}

TEST_F(RouteSettingsPanel, AProtectedRouteRefusesEverySettingWithItsMessage) {
    QTemporaryDir dir;
    Route = ProtectedRoute(*Env, dir.path());
    ASSERT_TRUE(Route);
    const TDateTime start = Route->GetStartTime();
    const uint32_t mask = Route->GetWaterBodyMask();
    TFrameRouteSettings &p = MakePanel(Route);
    struct Case {
        const char *name;
        std::function<void()> act;
        QString message;
    };
    const Case cases[] = {
        {"name",
         [&] {
             p.EditRouteName->setText(QStringLiteral("Other"));
             emit p.EditRouteName->textEdited(QStringLiteral("Other"));
         },
         "Error changing the route name."},
        {"speed", [&] { p.RadioButtonSpeedHigh->click(); }, "Error changing the used speed while motoring."},
        {"water bodies", [&] { p.CheckListBoxWaterBodies->item(1)->setCheckState(Qt::Checked); },
         "Error changing the waterway network to show."},
        // The library ignores the time silently; the panel reports it rather than announce it.
        {"start time", [&] { p.PngImageButtonNextDay->click(); },
         "Error changing the start date and time for the route."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Messages.clear();
        c.act();
        EXPECT_EQ(Messages, QStringList(c.message));
        EXPECT_TRUE(Posted().empty());
    }
    EXPECT_EQ(Route->GetSpeedMode(), 0);
    EXPECT_EQ(Route->GetWaterBodyMask(), mask);
    EXPECT_EQ(Route->GetStartTime(), start);
    EXPECT_EQ(WptObjectGetName(Route), QStringLiteral("Summer trip"));
}

TEST_F(RouteSettingsPanel, DateControlsAreOffWhileTheRouteIsFollowed) {
    StartRun();
    IWptRoute *route = MarinaToMarina();
    ASSERT_TRUE(route);
    TFrameRouteSettings &p = MakePanel(route);
    EXPECT_TRUE(p.EditStartDateDay->isEnabled());
    Env->Boat->SetPosition(routetest::OnSection(Section(0), 5.0));
    Env->ActivateRoute(route->GetPoint(1), true, 0.0, 0.0);
    routetest::DeliverPosted();
    ASSERT_EQ(Env->GetActiveRoute(), route);
    for (QWidget *w : std::initializer_list<QWidget *>{p.EditStartDateDay, p.EditStartTimeMinute, p.ButtonNow,
                                                       p.PngImageButtonNextHour})
        EXPECT_FALSE(w->isEnabled());
    EXPECT_TRUE(p.EditRouteName->isEnabled());
    Env->DeactivateRoute();
    routetest::DeliverPosted();
    EXPECT_TRUE(p.EditStartDateDay->isEnabled()) << "notification 82 enables them again";
    p.SetRoute(nullptr);
    EXPECT_FALSE(p.ButtonNow->isEnabled());
}

TEST_F(RouteSettingsPanel, ShipLinkWritesTheProfileAndAnnouncesIt) {
    TFrameRouteSettings &p = MakePanel(Route);
    int opened = 0;
    TFormSettingsShip::SetPrompter([&](TFormSettingsShip &f) {
        ++opened;
        EXPECT_EQ(f.PageControl->currentIndex(), int(TFormSettingsShip::PageDimensions));
        f.EditHeight->setText(QStringLiteral("3"));
        f.ButtonOk->click();
        return f.result();
    });
    p.PageControl->setCurrentIndex(TFrameRouteSettings::PagePlanner);
    emit p.LabelShowPropertiesShipP->linkActivated(QStringLiteral("#"));
    EXPECT_EQ(opened, 1);
    EXPECT_FLOAT_EQ(Env->ActiveBoatDef->GetHeightStepped(), 3.0f);
    EXPECT_EQ(Posted(), std::vector<int32_t>({20}));
    // Stored: a fresh definition read from the store has it.
    testsupport::Owned<ILPBoatDef> stored(LPBoatDefCreate(1));
    RegReadBoat(stored.get(), 0);
    EXPECT_FLOAT_EQ(stored->GetHeightStepped(), 3.0f);

    // Cancel changes nothing and announces nothing.
    TFormSettingsShip::SetPrompter([](TFormSettingsShip &f) {
        f.EditHeight->setText(QStringLiteral("5"));
        f.ButtonCancel->click();
        return f.result();
    });
    emit p.LabelShowPropertiesShip->linkActivated(QStringLiteral("#"));
    EXPECT_FLOAT_EQ(Env->ActiveBoatDef->GetHeightStepped(), 3.0f);
    EXPECT_TRUE(Posted().empty());

    // The default-settings links open that dialog on the page of the link.
    std::vector<int> pages;
    TFormRouteSettingsDefault::SetPrompter([&](TFormRouteSettingsDefault &f) {
        pages.push_back(f.PageControl->currentIndex());
        return int(QDialog::Rejected);
    });
    emit p.LabelShowDefaultRouteSettings->linkActivated(QStringLiteral("#"));
    emit p.LabelShowDefaultRouteSettingsP->linkActivated(QStringLiteral("#"));
    EXPECT_EQ(pages, std::vector<int>({0, 1}));
}

}  // namespace
