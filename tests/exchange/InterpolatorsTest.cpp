// The value interpolator: ordering, duplicate points, the three orders on known polynomials,
// angles across ±π, extrapolation and the empty case.
#include "exchange/KvInterpolators.h"

#include "base/kvlib/KvErrors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

TEST(InterpolatorsTest, PointsAddedOutOfOrderEndUpSortedAndDuplicatesChangeNothing) {
    TValueInterpolator v;
    v.AddValue(10.0, 1.0);
    v.AddValue(0.0, 2.0);
    v.AddValue(5.0, 3.0);
    ASSERT_EQ(v.GetCount(), 3);
    EXPECT_EQ(v.GetPoint(0)->X, 0.0);
    EXPECT_EQ(v.GetPoint(1)->X, 5.0);
    EXPECT_EQ(v.GetPoint(2)->X, 10.0);
    const long double before = v.GetValue(7.0);
    try {
        v.AddValue(5.0, 99.0);
        FAIL() << "a duplicate X must raise";
    } catch (const EListError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Duplicate control point."));
    }
    EXPECT_EQ(v.GetCount(), 3);
    EXPECT_EQ(v.GetValue(5.0), 3.0L);
    EXPECT_EQ(v.GetValue(7.0), before);
    int32_t index = -1;
    EXPECT_FALSE(v.Find(6.0, index));
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(v.Find(10.0, index));
    EXPECT_EQ(index, 2);
}

TEST(InterpolatorsTest, OrdersReproduceKnownPolynomials) {
    struct Case {
        const char *name;
        int32_t order;
        double (*f)(double);
        int32_t points;
        double x;
    };
    const Case cases[] = {
        {"linear between points", 0, [](double x) { return 3.0 * x - 1.0; }, 3, 1.5},
        {"linear beyond the end", 0, [](double x) { return 3.0 * x - 1.0; }, 3, 4.0},
        {"linear before the start", 0, [](double x) { return 3.0 * x - 1.0; }, 3, -2.0},
        {"quadratic y = x^2 at 1.5", 1, [](double x) { return x * x; }, 3, 1.5},
        {"quadratic middle segment", 1, [](double x) { return x * x; }, 6, 2.5},
        {"quadratic beyond the end", 1, [](double x) { return x * x; }, 4, 5.0},
        {"cubic inner segment", 2, [](double x) { return x * x * x - 2 * x; }, 6, 2.25},
        {"cubic first segment", 2, [](double x) { return x * x * x - 2 * x; }, 6, 0.5},
        {"cubic before the start", 2, [](double x) { return x * x * x - 2 * x; }, 5, -1.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TValueInterpolator v;
        v.SetOrder(c.order);
        for (int32_t k = 0; k < c.points; ++k) v.AddValue(k, c.f(k));
        EXPECT_NEAR(static_cast<double>(v.GetValue(c.x)), c.f(c.x), 1e-9);
    }
}

TEST(InterpolatorsTest, QuadraticFirstSegmentIgnoresAPointOffTheCurveFurtherOn) {
    TValueInterpolator v;
    for (int32_t k = 0; k < 4; ++k) v.AddValue(k, k * k);
    v.AddValue(4.0, 100.0);
    EXPECT_NEAR(static_cast<double>(v.GetValue(0.5)), 0.25, 1e-12);
    EXPECT_NEAR(static_cast<double>(v.GetValue(0.9)), 0.81, 1e-12);
}

TEST(InterpolatorsTest, FewPointsAndNoPoints) {
    TValueInterpolator v;
    EXPECT_TRUE(std::isnan(v.GetValue(1.0)));
    v.AddValue(2.0, 7.5);
    EXPECT_EQ(v.GetValue(-100.0), 7.5L);
    EXPECT_EQ(v.GetValue(100.0), 7.5L);
    v.AddValue(4.0, 8.5);
    for (int32_t order : {0, 1, 2}) {
        SCOPED_TRACE(order);
        v.SetOrder(order);
        EXPECT_NEAR(static_cast<double>(v.GetValue(3.0)), 8.0, 1e-12);
        EXPECT_NEAR(static_cast<double>(v.GetValue(6.0)), 9.5, 1e-12);
    }
}

TEST(InterpolatorsTest, AnglesTakeTheShortWayAcrossPi) {
    TValueInterpolator v(true);
    v.AddValue(0.0, 3.0);
    v.AddValue(1.0, -3.0);
    EXPECT_NEAR(std::fabs(static_cast<double>(v.GetValue(0.5))), std::numbers::pi, 1e-6);
    // Beyond the end the curve keeps turning the same way and is reduced again.
    EXPECT_NEAR(static_cast<double>(v.GetValue(2.0)),
                -3.0 + (2 * std::numbers::pi - 6.0), 1e-6);
    // Values are reduced when added.
    TValueInterpolator w(true);
    w.AddValue(0.0, 3 * std::numbers::pi);
    EXPECT_NEAR(static_cast<double>(w.GetValue(0.0)), std::numbers::pi, 1e-12);
}

TEST(InterpolatorsTest, LongRecordingsKeepTheirPrecision) {
    // Seconds of a recording hours long: the fit works relative to each segment.
    TValueInterpolator v;
    const double start = 36000.0;
    for (int32_t k = 0; k < 5; ++k) v.AddValue(start + 3.57 * k, 0.5 * (3.57 * k) * (3.57 * k));
    const double dx = 3.57 * 2.5;
    EXPECT_NEAR(static_cast<double>(v.GetValue(start + dx)), 0.5 * dx * dx, 1e-7);
}
