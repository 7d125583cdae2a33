// A recorded session turned into a track: the dead reckoning pulled onto the fixes, the
// origin rules, the fallback without motion samples, and the track's times and name.
#include "exchange/TimexUtils.h"

#include "TimexFixture.h"
#include "base/kvlib/KvLib.h"
#include "base/waypoints/KvWaypoints.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <cmath>
#include <numbers>

using namespace timextest;

namespace {

constexpr double EarthRadiusM = 6371000.0;

TTimexSession Decoded(const TBytes &records, const char *start = "20080615134507") {
    std::vector<TTimexSession> sessions;
    const TBytes raw = Session(records, start);
    TimexParseSessions(raw.data(), int64_t(raw.size()), sessions);
    return sessions.at(0);
}

TDateTime At(int y, int mo, int d, int h, int mi, double s) {
    return double(QDate(y, mo, d).toJulianDay() - QDate(1899, 12, 30).toJulianDay()) +
           (h * 3600 + mi * 60 + s) / 86400.0;
}

double PointLat(INavTrack *t, int32_t i) { return t->GetPoint(i)->Lat / TrackPointUnitsPerRadian; }
double PointLon(INavTrack *t, int32_t i) { return t->GetPoint(i)->Lon / TrackPointUnitsPerRadian; }

// Positions every 14.28 s, speed and heading every 3.57 s, as functions of the time.
void Fill(TValueInterpolator &a, TValueInterpolator &b, TValueInterpolator &s,
          TValueInterpolator &h, int32_t blocks, double (*along)(double), double speed,
          double heading) {
    for (int32_t k = 0; k <= blocks; ++k) {
        a.AddValue(14.28 * k, along(14.28 * k));
        b.AddValue(14.28 * k, 0.0);
    }
    for (int32_t k = 0; k <= 4 * blocks + 4; ++k) {
        s.AddValue(3.57 * k, speed);
        h.AddValue(3.57 * k, heading);
    }
}

}  // namespace

TEST(TimexUtilsTest, StepDisplacementFollowsHeading) {
    struct Case {
        const char *name;
        float heading, speed;
        double north, east;
    };
    const Case cases[] = {{"north", 0.0f, 1.0f, 3.57, 0.0},
                          {"east", float(std::numbers::pi / 2), 2.0f, 0.0, 7.14},
                          {"south-west", float(-3 * std::numbers::pi / 4), 1.0f,
                           -3.57 / std::numbers::sqrt2, -3.57 / std::numbers::sqrt2},
                          {"standing", 1.0f, 0.0f, 0.0, 0.0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TDouble2 d = TimexStepDisplacement(c.heading, c.speed);
        EXPECT_NEAR(d.X, c.north, 1e-6);
        EXPECT_NEAR(d.Y, c.east, 1e-6);
    }
}

TEST(TimexUtilsTest, ConstantMotionOnTheFixesAdvancesEvenly) {
    TValueInterpolator a, b, s, h(true), ox, oy;
    Fill(a, b, s, h, 3, [](double t) { return t; }, 1.0, 0.0);
    IntegrateTimexTrack(a, b, s, h, ox, oy);
    ASSERT_EQ(ox.GetCount(), 13);
    for (int32_t k = 0; k < ox.GetCount(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(ox.GetPoint(k)->X, 3.57 * k, 1e-9);
        EXPECT_NEAR(double(ox.GetValue(ox.GetPoint(k)->X)), 3.57 * k, 1e-9);
        EXPECT_NEAR(double(oy.GetValue(ox.GetPoint(k)->X)), 0.0, 1e-9);
    }
}

TEST(TimexUtilsTest, AFixOffTheReckonedPathPullsEachStepByAQuarter) {
    TValueInterpolator a, b, s, h(true), ox, oy;
    a.AddValue(0.0, 0.0);
    a.AddValue(14.28, 24.28);
    b.AddValue(0.0, 0.0);
    b.AddValue(14.28, 0.0);
    for (int32_t k = 0; k <= 4; ++k) {
        s.AddValue(3.57 * k, 1.0);
        h.AddValue(3.57 * k, 0.0);
    }
    IntegrateTimexTrack(a, b, s, h, ox, oy);
    ASSERT_EQ(ox.GetCount(), 5);
    const double expected[] = {0.0, 6.07, 12.14, 18.21, 24.28};
    for (int32_t k = 0; k < 5; ++k) EXPECT_NEAR(double(ox.GetValue(3.57 * k)), expected[k], 1e-9);
}

TEST(TimexUtilsTest, WithoutMotionSamplesTheFixesAreInterpolated) {
    TValueInterpolator a, b, s, h(true), ox, oy;
    a.AddValue(0.0, 0.0);
    a.AddValue(14.28, 20.0);
    b.AddValue(0.0, 0.0);
    b.AddValue(14.28, -8.0);
    IntegrateTimexTrack(a, b, s, h, ox, oy);
    ASSERT_EQ(ox.GetCount(), 5);
    EXPECT_NEAR(double(ox.GetValue(3.57)), 5.0, 1e-9);
    EXPECT_NEAR(double(oy.GetValue(7.14)), -4.0, 1e-9);
    EXPECT_NEAR(double(ox.GetValue(14.28)), 20.0, 1e-9);

    // A single fix gives nothing to integrate.
    TValueInterpolator a1, b1, ox1, oy1;
    a1.AddValue(0.0, 1.0);
    b1.AddValue(0.0, 1.0);
    IntegrateTimexTrack(a1, b1, s, h, ox1, oy1);
    EXPECT_EQ(ox1.GetCount(), 0);
}

TEST(TimexUtilsTest, SessionBecomesATimedTrackOnePointPerSecond) {
    const double lat0 = 52.0 * std::numbers::pi / 180, lon0 = 5.0 * std::numbers::pi / 180;
    const double speed = 22 * 0.044704;  // m/s, heading north
    const double dLat = speed * 14.28 / EarthRadiusM;
    TBytes records = Motion(22, 0) + Fix(lat0, lon0);
    for (int32_t k = 1; k <= 4; ++k) records += Motion(22, 0) + Motion(22, 0) + Motion(22, 0) + Fix(lat0 + k * dLat, lon0);
    int32_t err = -1;
    TNavPtr<INavTrack> track(ConvertTimexSessionToTrack(Decoded(records), 60, err));
    ASSERT_EQ(err, 0);
    // Four blocks of 14.28 s from the origin record: 57.12 s, points at 0..57 s.
    ASSERT_EQ(track->GetPointCount(), 58);
    EXPECT_TRUE(track->HasTimes());
    const TDateTime start = At(2008, 6, 15, 13, 45, 7 + 3.57);
    EXPECT_NEAR(track->GetPoint(0)->Time, start, 1e-9);
    EXPECT_NEAR(track->GetPoint(57)->Time, start + 57 / 86400.0, 1e-9);
    // The 24-bit angles hold about 2.4 m.
    const double metre = 1.0 / EarthRadiusM;
    EXPECT_NEAR(PointLat(track.get(), 0), lat0, 2.5 * metre);
    EXPECT_NEAR(PointLon(track.get(), 0), lon0, 2.5 * metre);
    EXPECT_NEAR(PointLat(track.get(), 57), lat0 + 57 * speed / EarthRadiusM, 3.0 * metre);
    EXPECT_NEAR(PointLon(track.get(), 30), lon0, 3.0 * metre / std::cos(lat0));
    // Named after its start in local time (UTC + 60 min); seconds are cut, not rounded.
    EXPECT_EQ(NavTrackGetName(track.get()), QStringLiteral("2008-06-15, 14.45.10"));
}

TEST(TimexUtilsTest, OriginIsTheFirstRealFixAfterTheFirstMovement) {
    const double lat = 0.9, lon = 0.1;
    // A fix before moving, the first moving sample with a fix of its own, a fix at 0/0: none
    // of them is the origin; the fix after them is (record 3).
    const TBytes records = Fix(0.5, 0.5) + MotionFix(10, 0, 0.6, 0.6) + Fix(0.0, 0.0) +
                           Fix(lat, lon) + Motion(10, 0) + Motion(10, 0) + Motion(10, 0) +
                           Fix(lat + 14.28 * 0.44704 / EarthRadiusM, lon);
    int32_t err = -1;
    TNavPtr<INavTrack> track(ConvertTimexSessionToTrack(Decoded(records), 0, err));
    ASSERT_EQ(err, 0);
    ASSERT_GT(track->GetPointCount(), 0);
    EXPECT_NEAR(track->GetPoint(0)->Time, At(2008, 6, 15, 13, 45, 7 + 3 * 3.57), 1e-9);
    EXPECT_NEAR(PointLat(track.get(), 0), lat, 1e-6);
    EXPECT_NEAR(PointLon(track.get(), 0), lon, 1e-6);
}

TEST(TimexUtilsTest, SessionsWithoutMovementOrSecondFixGiveNoPoints) {
    struct Case {
        const char *name;
        TBytes records;
        int32_t origin;  // records skipped before the start
    };
    const Case cases[] = {
        {"never moving", Fix(0.5, 0.5) + Motion(0, 10) + Fix(0.5, 0.6) + State(), 4},
        {"one fix after moving", Motion(5, 0) + Fix(0.5, 0.5) + Motion(5, 0), 1},
        {"no records", {}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t err = -1;
        TNavPtr<INavTrack> track(ConvertTimexSessionToTrack(Decoded(c.records), -30, err));
        EXPECT_EQ(err, 0);
        EXPECT_EQ(track->GetPointCount(), 0);
        const double seconds = 7 + c.origin * 3.57 - 30 * 60;
        const QDateTime expected =
            QDateTime(QDate(2008, 6, 15), QTime(13, 45, 0), Qt::UTC).addMSecs(qint64(std::llround(seconds * 1000)));
        EXPECT_EQ(NavTrackGetName(track.get()), expected.toString("yyyy-MM-dd, hh.mm.ss"));
    }
}
