// The route point settings dialog on a route of the demo network: what it shows, what OK
// writes and Cancel keeps, and a change the core library refuses.
#include "routes/FrmRoutePointSettings.h"

#include "base/controls/KvEdits.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include <KvLibNav6/KvUnits.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

class RoutePointSettings : public routetest::NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        if (HasFatalFailure()) return;
        NavMsgGetGPSClock()->SetUTCOffsetSync(false);
        NavMsgGetGPSClock()->SetUTCOffset(120);
        Env->SetUnits(Env->UnitDepth, Env->UnitDistanceLarge, KvUnit::Metre, Env->UnitSpeed, Env->UnitTemperature,
                      Env->UnitVolume);
        Route = NetworkRoute(2);
        Point = Route->GetPoint(1);
        ASSERT_TRUE(Point);
        int32_t err = 0;
        WptRoutePointSetName(Point, QStringLiteral("Lock stop"), err);
        Point->SetRadius(12.4f, err);
        TRouteStayRec stay;
        stay.Kind = RouteStayKind::LeaveAtTime;
        stay.DepartTime = 0.5;
        stay.Days = 2;
        Point->SetStay(stay, err);
        ASSERT_EQ(err, 0);
    }
    void TearDown() override {
        TFormRoutePointSettings::SetPrompter(nullptr);
        NavMsgGetGPSClock()->SetUTCOffsetSync(FOldSync);
        NavMsgGetGPSClock()->SetUTCOffset(FOldOffset);
        NavEnvRoutes::TearDown();
    }
    static void Choose(TFormRoutePointSettings &f, int32_t kind) {
        f.ComboBoxVisit->setCurrentIndex(f.ComboBoxVisit->findData(kind));
        emit f.ComboBoxVisit->activated(f.ComboBoxVisit->currentIndex());
    }
    bool FOldSync = GlobalTimeZones()->GetUTCOffsetSync();
    int32_t FOldOffset = NavMsgGetGPSClock()->GetUTCOffset();
    IWptRoute *Route = nullptr;
    IWptRoutePoint *Point = nullptr;
};

TEST_F(RoutePointSettings, ShowsThePointInLocalTime) {
    TFormRoutePointSettings f(Env.get(), Point);
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Route point settings"));
    EXPECT_EQ(f.EditRoutePointName->text(), QStringLiteral("Lock stop"));
    EXPECT_EQ(f.EditRadius->GetIntValue(), 12);
    EXPECT_EQ(f.LabelRadiusUnit->text(), UnitToStr(KvUnit::Metre));
    EXPECT_EQ(f.ComboBoxVisit->currentText(), QStringLiteral("Leave at a certain time"));
    EXPECT_EQ(f.Stay.EditDepartTimeHours->GetIntValue(), 14) << "noon UTC at +120";
    EXPECT_EQ(f.Stay.EditDepartTimeMinutes->GetIntValue(), 0);
    EXPECT_EQ(f.Stay.EditDepartDays->GetIntValue(), 2);
    EXPECT_TRUE(f.Stay.PanelVisitDepart->isVisible());
    EXPECT_FALSE(f.Stay.PanelVisitTime->isVisible());
    shelltest::SaveScreenshot(&f, QStringLiteral("RoutePointSettings"));
    Choose(f, RouteStayKind::StayFor);
    EXPECT_TRUE(f.Stay.PanelVisitTime->isVisible());
    EXPECT_FALSE(f.Stay.PanelVisitDepart->isVisible());
    Choose(f, RouteStayKind::None);
    EXPECT_FALSE(f.Stay.PanelVisitTime->isVisible() || f.Stay.PanelVisitDepart->isVisible());
}

TEST_F(RoutePointSettings, OkWritesWhatChangedAndCancelNothing) {
    TFormRoutePointSettings::SetPrompter([](TFormRoutePointSettings &f) {
        Choose(f, RouteStayKind::StayFor);
        f.EditRoutePointName->setText(QStringLiteral("Other"));
        f.ButtonCancel->click();
        return f.result();
    });
    EXPECT_FALSE(TFormRoutePointSettings::Execute(Env.get(), Point));
    EXPECT_EQ(WptRoutePointGetName(Point), QStringLiteral("Lock stop"));
    EXPECT_EQ(Point->GetStay()->Kind, RouteStayKind::LeaveAtTime);
    EXPECT_EQ(Point->GetStay()->DepartTime, 0.5);

    // 01:30 local at +120; the radius untouched keeps its fraction.
    TFormRoutePointSettings::SetPrompter([](TFormRoutePointSettings &f) {
        f.Stay.EditDepartTimeHours->SetIntValue(1);
        f.Stay.EditDepartTimeMinutes->SetIntValue(30);
        f.ButtonOk->click();
        return f.result();
    });
    EXPECT_TRUE(TFormRoutePointSettings::Execute(Env.get(), Point));
    EXPECT_NEAR(Point->GetStay()->DepartTime, 23.5 / 24, 1e-12);
    EXPECT_EQ(Point->GetStay()->Days, 2);
    EXPECT_NEAR(Point->GetRadius(), 12.4, 1e-5);

    // Stay hours and minutes; the radius typed beyond its limits is held to them.
    struct Case {
        const char *name;
        QString typed;
        double metres;
    };
    const Case cases[] = {{"below 1", QStringLiteral("0"), 1.0}, {"above 10000", QStringLiteral("20000"), 10000.0},
                          {"inside", QStringLiteral("35"), 35.0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFormRoutePointSettings::SetPrompter([&c](TFormRoutePointSettings &f) {
            Choose(f, RouteStayKind::StayFor);
            f.Stay.EditTimeHours->SetIntValue(2);
            f.Stay.EditTimeMinutes->SetIntValue(45);
            f.EditRadius->setText(c.typed);
            f.ButtonOk->click();
            return f.result();
        });
        EXPECT_TRUE(TFormRoutePointSettings::Execute(Env.get(), Point));
        EXPECT_DOUBLE_EQ(Point->GetRadius(), c.metres);
        EXPECT_EQ(Point->GetStay()->Kind, RouteStayKind::StayFor);
        EXPECT_EQ(Point->GetStay()->Duration, 2 * 3600 + 45 * 60);
    }
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(RoutePointSettings, ARefusedNameIsReportedAndTheDialogStaysOpen) {
    int shown = 0;
    TFormRoutePointSettings::SetPrompter([&shown](TFormRoutePointSettings &f) {
        f.EditRoutePointName->setText(QString(300, QLatin1Char('x')));
        f.ButtonOk->click();
        shown = f.result();
        EXPECT_TRUE(f.isVisible() || f.result() != QDialog::Accepted) << "still open";
        f.EditRoutePointName->setText(QStringLiteral("Short"));
        f.ButtonOk->click();
        return f.result();
    });
    EXPECT_TRUE(TFormRoutePointSettings::Execute(Env.get(), Point));
    EXPECT_NE(shown, int(QDialog::Accepted));
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0], QStringLiteral("Cannot change the name for this route point because the name is too long."));
    EXPECT_EQ(WptRoutePointGetName(Point), QStringLiteral("Short"));
}

}  // namespace
