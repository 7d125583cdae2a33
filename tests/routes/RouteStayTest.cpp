// The stay arithmetic shared by the route point dialogs: the UTC offset of a point and the
// conversion of a departure time of day between local edits and the record's UTC fraction.
#include "routes/RouteStay.h"

#include "base/units/KvUnitsTime.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QTimeZone>
#include <cmath>

namespace {

// TDateTime of a UTC moment.
TDateTime Utc(int y, int mo, int d, int h, int mi) {
    const QDateTime t(QDate(y, mo, d), QTime(h, mi), Qt::UTC);
    return t.toMSecsSinceEpoch() / 86400000.0 + 25569.0;
}

// Local time in a named zone, as the core library converts with the computer's zone.
std::function<TDateTime(TDateTime)> LocalIn(const char *zone) {
    const QTimeZone tz(zone);
    return [tz](TDateTime utc) {
        const qint64 ms = qint64(std::llround((utc - 25569.0) * 86400000.0));
        return utc + tz.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC)) / 86400.0;
    };
}

TEST(RouteStayOffset, FromThePlannedArrivalElseTheTimeZone) {
    struct Case {
        const char *name;
        const char *zone;
        bool planned;
        TDateTime arrival;
        int32_t offset;
    };
    const Case cases[] = {
        {"no planned arrival: the time zone's offset", "Europe/Amsterdam", false, 0.0, 45},
        {"summer east of UTC", "Europe/Amsterdam", true, Utc(2026, 7, 1, 12, 0), 120},
        {"winter east of UTC", "Europe/Amsterdam", true, Utc(2026, 1, 15, 12, 0), 60},
        {"west of UTC", "America/New_York", true, Utc(2026, 1, 15, 12, 0), -300},
        {"just before the spring change", "Europe/Amsterdam", true, Utc(2026, 3, 29, 0, 59), 60},
        {"just after the spring change", "Europe/Amsterdam", true, Utc(2026, 3, 29, 1, 0), 120},
        {"after the autumn change", "Europe/Amsterdam", true, Utc(2026, 10, 25, 1, 30), 60},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StayUTCOffsetAt(c.planned ? &c.arrival : nullptr, LocalIn(c.zone), 45), c.offset);
    }
}

TEST(RouteStayOffset, ShowAndWriteTheDepartureTimeOfDay) {
    struct Show {
        const char *name;
        double depart;
        int32_t offset;
        int32_t minutes;
    };
    const Show shows[] = {{"noon UTC at +120", 0.5, 120, 14 * 60},
                          {"02:00 UTC at -300 wraps to the day before", 2.0 / 24, -300, 21 * 60},
                          {"23:30 UTC at +60 wraps to the next day", 23.5 / 24, 60, 30}};
    for (const Show &c : shows) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StayDepartLocalMinutes(c.depart, c.offset), c.minutes);
    }
    struct Write {
        const char *name;
        int32_t hours, minutes, offset;
        double stored;
    };
    const Write writes[] = {{"01:30 at +120 is 23:30 UTC", 1, 30, 120, 23.5 / 24},
                            {"00:15 at +60 is 23:15 UTC", 0, 15, 60, 0.96875},
                            {"23:59 at -60 is 00:59 UTC", 23, 59, -60, 59.0 / 1440},
                            {"no offset", 12, 0, 0, 0.5}};
    for (const Write &c : writes) {
        SCOPED_TRACE(c.name);
        const double t = StayDepartTimeUTC(c.hours, c.minutes, c.offset);
        EXPECT_NEAR(t, c.stored, 1e-12);
        EXPECT_GE(t, 0.0);
        EXPECT_LT(t, 1.0);
        EXPECT_EQ(StayDepartLocalMinutes(t, c.offset), c.hours * 60 + c.minutes) << "reopens as typed";
    }
}

TEST(RouteStayOffset, KindsWriteOnlyTheirOwnFields) {
    TStayValues v;
    v.StayHours = 1;
    v.StayMinutes = 30;
    v.DepartHours = 0;
    v.DepartMinutes = 15;
    v.Days = 3;
    TRouteStayRec stay;
    stay.Kind = RouteStayKind::LeaveAtTime;
    stay.DepartTime = 0.25;
    stay.Days = 7;
    ValuesToStay(RouteStayKind::None, v, 60, stay);
    EXPECT_EQ(stay.Kind, RouteStayKind::None);
    EXPECT_EQ(stay.DepartTime, 0.25) << "the departure bytes stay";
    EXPECT_EQ(stay.Days, 7);
    ValuesToStay(RouteStayKind::LeaveAtTime, v, 60, stay);
    EXPECT_EQ(stay.DepartTime, 0.96875);
    EXPECT_EQ(stay.Days, 3);
    ValuesToStay(RouteStayKind::StayFor, v, 60, stay);
    EXPECT_EQ(stay.Duration, 5400);
    EXPECT_EQ(stay.Days, 3) << "the days of a departure stay";

    TStayValues shown;
    StayToValues(stay, 60, shown);
    EXPECT_EQ(shown.StayHours, 1);
    EXPECT_EQ(shown.StayMinutes, 30);
    EXPECT_EQ(shown.DepartHours, 12) << "other kinds keep their presets";
}

class RouteStayPoint : public routetest::NavEnvRoutes {
protected:
    void TearDown() override {
        NavMsgGetGPSClock()->SetUTCOffsetSync(FOldSync);
        NavMsgGetGPSClock()->SetUTCOffset(FOldOffset);
        NavEnvRoutes::TearDown();
    }
    bool FOldSync = GlobalTimeZones()->GetUTCOffsetSync();
    int32_t FOldOffset = NavMsgGetGPSClock()->GetUTCOffset();
};

TEST_F(RouteStayPoint, AnUnplannedPointUsesTheUsersOffset) {
    IWptRoute *route = NetworkRoute(2);
    IWptRoutePoint *point = route->GetPoint(1);
    ASSERT_TRUE(point);
    ASSERT_EQ(point->GetPlanPoint(), nullptr);
    NavMsgGetGPSClock()->SetUTCOffsetSync(false);
    for (int32_t offset : {-300, 0, 120}) {
        NavMsgGetGPSClock()->SetUTCOffset(offset);
        EXPECT_EQ(StayUTCOffset(point), offset);
    }
}

}  // namespace
