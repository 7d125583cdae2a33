// The stay dialog of the route table's "Visit" cell: filling from a record, the enabling of
// the edits, up-downs and edits in step, and what OK and Cancel leave in the record.
#include "routes/FrmRouteVisitEdit.h"

#include "base/controls/KvEdits.h"
#include "base/dialogs/FrmSelectDateTime.h"
#include "base/units/KvUnitsTime.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <cstring>

namespace {

class RouteVisitEdit : public routetest::NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        if (HasFatalFailure()) return;
        NavMsgGetGPSClock()->SetUTCOffsetSync(false);
        Point = NetworkRoute(2)->GetPoint(1);
        ASSERT_TRUE(Point);
    }
    void TearDown() override {
        TFormRouteVisitEdit::SetPrompter(nullptr);
        NavMsgGetGPSClock()->SetUTCOffsetSync(FOldSync);
        NavMsgGetGPSClock()->SetUTCOffset(FOldOffset);
        NavEnvRoutes::TearDown();
    }
    static TRouteStayRec StayFor(int32_t seconds) {
        TRouteStayRec s;
        s.Kind = RouteStayKind::StayFor;
        s.Duration = seconds;
        return s;
    }
    bool FOldSync = GlobalTimeZones()->GetUTCOffsetSync();
    int32_t FOldOffset = NavMsgGetGPSClock()->GetUTCOffset();
    IWptRoutePoint *Point = nullptr;
};

TEST_F(RouteVisitEdit, OpensOnTheRecordsKindWithTheMatchingEditsEnabled) {
    TFormRouteVisitEdit f(Point, StayFor(5400));
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Visit properties"));
    EXPECT_TRUE(f.RadioButtonVisitTime->isChecked());
    EXPECT_EQ(f.Stay.EditTimeHours->GetIntValue(), 1);
    EXPECT_EQ(f.Stay.EditTimeMinutes->GetIntValue(), 30);
    EXPECT_EQ(f.Stay.UpDownTimeMinutes->Position(), 30);
    EXPECT_TRUE(f.Stay.EditTimeHours->isEnabled());
    EXPECT_FALSE(f.Stay.EditDepartTimeHours->isEnabled());
    EXPECT_FALSE(f.Stay.UpDownDepartDays->isEnabled());
    EXPECT_EQ(f.Stay.EditDepartTimeHours->GetIntValue(), 12) << "preset of the kind not in the record";
    shelltest::SaveScreenshot(&f, QStringLiteral("RouteVisitEdit"));

    f.RadioButtonVisitDepart->click();
    EXPECT_FALSE(f.Stay.EditTimeHours->isEnabled());
    EXPECT_TRUE(f.Stay.EditDepartTimeHours->isEnabled() && f.Stay.UpDownDepartDays->isEnabled());
    f.RadioButtonVisitNone->click();
    EXPECT_FALSE(f.Stay.EditTimeHours->isEnabled() || f.Stay.EditDepartTimeHours->isEnabled());

    // Up-down into the edit, and a left edit into its up-down; minutes wrap.
    f.RadioButtonVisitTime->click();
    f.Stay.UpDownTimeMinutes->SetPosition(59);
    f.Stay.UpDownTimeMinutes->UpButton()->click();
    EXPECT_EQ(f.Stay.UpDownTimeMinutes->Position(), 0);
    EXPECT_EQ(f.Stay.EditTimeMinutes->GetIntValue(), 0);
    f.RadioButtonVisitDepart->click();
    QApplication::setActiveWindow(&f);
    f.Stay.EditDepartDays->setFocus();
    f.Stay.EditDepartDays->setText(QStringLiteral("5"));
    EXPECT_EQ(f.Stay.UpDownDepartDays->Position(), 0) << "typing alone leaves the up-down";
    f.Stay.EditDepartTimeHours->setFocus();
    EXPECT_EQ(f.Stay.UpDownDepartDays->Position(), 5);
}

TEST_F(RouteVisitEdit, DepartureTimesRoundTripThroughTheOffset) {
    struct Case {
        const char *name;
        int32_t offset;
        int hours, minutes, days;
        double stored;
    };
    const Case cases[] = {{"00:15 at +60", 60, 0, 15, 4, 0.96875}, {"23:59 at -60", -60, 23, 59, 0, 59.0 / 1440}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        NavMsgGetGPSClock()->SetUTCOffset(c.offset);
        TFormRouteVisitEdit::SetPrompter([&c](TFormRouteVisitEdit &f) {
            f.RadioButtonVisitDepart->click();
            f.Stay.EditDepartTimeHours->SetIntValue(c.hours);
            f.Stay.EditDepartTimeMinutes->SetIntValue(c.minutes);
            f.Stay.EditDepartDays->SetIntValue(c.days);
            f.ButtonOk->click();
            return f.result();
        });
        TRouteStayRec stay = StayFor(60);
        ASSERT_TRUE(ExecuteRouteVisitEdit(Point, stay));
        EXPECT_EQ(stay.Kind, RouteStayKind::LeaveAtTime);
        EXPECT_NEAR(stay.DepartTime, c.stored, 1e-12);
        EXPECT_EQ(stay.Days, c.days);
        TFormRouteVisitEdit again(Point, stay);
        EXPECT_TRUE(again.RadioButtonVisitDepart->isChecked());
        EXPECT_EQ(again.Stay.EditDepartTimeHours->GetIntValue(), c.hours);
        EXPECT_EQ(again.Stay.EditDepartTimeMinutes->GetIntValue(), c.minutes);
    }
}

TEST_F(RouteVisitEdit, NoStayKeepsTheOtherBytesAndCancelTouchesNothing) {
    TRouteStayRec stay;
    stay.Kind = RouteStayKind::LeaveAtTime;
    stay.DepartTime = 0.75;
    stay.Days = 3;
    TFormRouteVisitEdit::SetPrompter([](TFormRouteVisitEdit &f) {
        f.RadioButtonVisitNone->click();
        f.ButtonOk->click();
        return f.result();
    });
    ASSERT_TRUE(ExecuteRouteVisitEdit(Point, stay));
    EXPECT_EQ(stay.Kind, RouteStayKind::None);
    EXPECT_EQ(stay.DepartTime, 0.75);
    EXPECT_EQ(stay.Days, 3);

    const TRouteStayRec before = StayFor(7200);
    TRouteStayRec kept = before;
    TFormRouteVisitEdit::SetPrompter([](TFormRouteVisitEdit &f) {
        f.RadioButtonVisitDepart->click();
        f.Stay.EditDepartDays->SetIntValue(9);
        f.ButtonCancel->click();
        return f.result();
    });
    EXPECT_FALSE(ExecuteRouteVisitEdit(Point, kept));
    EXPECT_EQ(std::memcmp(&kept, &before, sizeof before), 0);
}

}  // namespace
