#include "base/math/KvMath.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <csignal>
#include <limits>
#include <numbers>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#define KV_TEST_MXCSR 1
#endif

namespace {

constexpr int TrapExcepts = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// Puts the floating-point environment back as the program runs: everything masked.
class KvMathFPU : public ::testing::Test {
protected:
    void SetUp() override { std::fegetenv(&FSaved); }
    void TearDown() override {
        std::fesetenv(&FSaved);
        fedisableexcept(TrapExcepts);
        std::feclearexcept(FE_ALL_EXCEPT);
        EXPECT_EQ(fegetexcept() & TrapExcepts, 0);
    }

private:
    std::fenv_t FSaved;
};

double Divide(double a, double b) {
    volatile double x = a, y = b;  // keeps the division at run time
    return x / y;
}

}  // namespace

TEST(KvMath, RoundingRules) {
    struct Case { const char *name; int32_t (*fn)(float); float value; int32_t expected; };
    const Case cases[] = {
        {"RoundF tie to even down", RoundF, 2.5f, 2},
        {"RoundF tie to even up", RoundF, 3.5f, 4},
        {"RoundF negative tie", RoundF, -2.5f, -2},
        {"RoundF plain", RoundF, 2.6f, 3},
        {"RoundHalfUpF positive half", RoundHalfUpF, 2.5f, 3},
        {"RoundHalfUpF negative half goes up", RoundHalfUpF, -2.5f, -2},
        {"RoundHalfUpF odd negative half", RoundHalfUpF, -3.5f, -3},
        {"RoundHalfUpF below half", RoundHalfUpF, 2.49f, 2},
        {"TruncF positive", TruncF, 2.7f, 2},
        {"TruncF negative", TruncF, -2.7f, -2},
        {"TruncF integral", TruncF, 3.0f, 3},
        {"TruncF negative half", TruncF, -2.5f, -2},
        {"TruncF small", TruncF, 0.3f, 0},
        {"RoundAwayF positive", RoundAwayF, 2.2f, 3},
        {"RoundAwayF negative", RoundAwayF, -2.2f, -3},
        {"RoundAwayF integral", RoundAwayF, 2.0f, 2},
        {"RoundAwayF negative half", RoundAwayF, -2.5f, -3},
        {"RoundAwayF negative integral", RoundAwayF, -3.0f, -3},
        {"saturates above", RoundF, 3e9f, std::numeric_limits<int32_t>::max()},
        {"saturates below", RoundHalfUpF, -3e9f, std::numeric_limits<int32_t>::min()},
        {"NaN gives zero", TruncF, std::numeric_limits<float>::quiet_NaN(), 0},
        {"infinity saturates", RoundAwayF, -std::numeric_limits<float>::infinity(),
         std::numeric_limits<int32_t>::min()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.fn(c.value), c.expected);
    }
}

TEST(KvMath, DoubleRounding) {
    struct Case { double value; int32_t round, halfUp; };
    const Case cases[] = {{2.5, 2, 3}, {3.5, 4, 4}, {-2.5, -2, -2}, {-3.5, -4, -3},
                          // the largest double below one half must not round up
                          {0.49999999999999994, 0, 0},
                          {1e12, std::numeric_limits<int32_t>::max(),
                           std::numeric_limits<int32_t>::max()}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(RoundD(c.value), c.round);
        EXPECT_EQ(RoundHalfUpD(c.value), c.halfUp);
    }
    const float f = 4.5f;
    EXPECT_EQ(RoundFPtr(&f), 4);
}

TEST(KvMath, ClampAndBetween) {
    struct Case { int32_t value, min, max, expected; };
    const Case cases[] = {{5, 1, 10, 5}, {0, 1, 10, 1}, {11, 1, 10, 10},
                          {5, 10, 1, 1},  // above max and below min: max wins
                          {-5, 10, 1, 10}};  // only below min
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " in " << c.min << ".." << c.max);
        EXPECT_EQ(ClampInt(c.value, c.min, c.max), c.expected);
    }
    EXPECT_EQ(ClampExt(2.5L, 0.0L, 1.0L), 1.0L);
    EXPECT_EQ(ClampExt(-2.5L, 0.0L, 1.0L), 0.0L);
    EXPECT_EQ(ClampExt(0.25L, 0.0L, 1.0L), 0.25L);

    struct Between { float a, b, value; bool expected; };
    const Between between[] = {{3, 1, 3, true}, {1, 3, 3, true}, {1, 3, 1, true},
                               {3, 1, 2, true}, {3, 1, 0.5f, false}, {1, 3, 3.5f, false}};
    for (const auto &c : between) {
        SCOPED_TRACE(testing::Message() << c.a << ", " << c.b << ", " << c.value);
        EXPECT_EQ(IsBetweenF(c.a, c.b, c.value), c.expected);
    }
}

TEST(KvMath, ZeroTestsAreBitwise) {
    struct Case { const char *name; float x, y; bool zero; };
    const Case cases[] = {{"both zero", 0.0f, 0.0f, true},
                          {"negative zero X", -0.0f, 0.0f, false},
                          {"negative zero Y", 0.0f, -0.0f, false},
                          {"tiny", 0.0f, 1e-40f, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsZeroFloat2(TFloat2{c.x, c.y}), c.zero);
        EXPECT_EQ(IsZeroDouble2(TDouble2{c.x, c.y}), c.zero);
    }
}

TEST(KvMath, VectorsAndGUIDs) {
    EXPECT_TRUE(SameDouble3({1, 2, 3}, {1, 2, 3}));
    EXPECT_FALSE(SameDouble3({1, 2, 3}, {1, 2, 3.0000001}));
    EXPECT_DOUBLE_EQ(Double3Distance({1, 2, 3}, {4, 6, 15}), 13.0);

    TFloat2 v{3, -4};
    NormalizeFloat2(v, v);  // one variable for both, as callers do
    EXPECT_FLOAT_EQ(v.X, 0.6f);
    EXPECT_FLOAT_EQ(v.Y, -0.8f);

    TGUID a{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    TGUID b = a;
    EXPECT_TRUE(SameGUID(a, b));
    b.D4[7] = 12;
    EXPECT_FALSE(SameGUID(a, b));
}

TEST(KvMath, Float2Angle) {
    constexpr double pi = std::numbers::pi;
    struct Case { const char *name; float x, y; double expected; };
    const Case cases[] = {{"origin", 0.0f, 0.0f, -pi / 2},
                          {"negative X axis", -1.0f, 0.0f, pi},
                          {"negative X axis below zero", -1.0f, -0.0f, pi},
                          {"negative zero X, up", -0.0f, 1.0f, pi / 2},
                          {"zero X, down", 0.0f, -1.0f, -pi / 2},
                          {"negative zero X and Y", -0.0f, -0.0f, -pi / 2},
                          {"first quadrant", 1.0f, 1.0f, pi / 4},
                          {"third quadrant", -1.0f, -1.0f, -3 * pi / 4}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(Float2Angle(TFloat2{c.x, c.y}), c.expected, 1e-12);
    }
}

TEST(KvMath, TransformDouble3) {
    // A quarter turn about Z, scaled by 2, then moved by (10, 20, 30).
    const TTransform4x3 m = {{0, 2, 0}, {-2, 0, 0}, {0, 0, 2}, {10, 20, 30}};
    TDouble3 p{1, 2, 3};
    TransformDouble3(p, p, m);  // result into the argument
    EXPECT_TRUE(SameDouble3(p, TDouble3{10 - 4, 20 + 2, 30 + 6}));
}

TEST_F(KvMathFPU, FPURoutinesMaskAndUnmask) {
    MaskFPUExceptions();
    EXPECT_EQ(fegetexcept() & TrapExcepts, 0);
    EXPECT_TRUE(std::isinf(Divide(1.0, 0.0)));
    EXPECT_TRUE(std::isnan(Divide(0.0, 0.0)));
    // A pending flag must not trap the moment the exceptions are unmasked.
    EXPECT_NE(std::fetestexcept(FE_DIVBYZERO), 0);
    UnmaskFPUExceptions();
    EXPECT_EQ(fegetexcept() & TrapExcepts, TrapExcepts);
    EXPECT_EQ(std::fetestexcept(TrapExcepts), 0);
    MaskFPUExceptions();
    EXPECT_EQ(fegetexcept() & TrapExcepts, 0);
}

TEST_F(KvMathFPU, UnmaskedDivisionByZeroTraps) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer catches SIGFPE itself and exits instead of dying by it";
#endif
    // The child re-runs this program, so no thread of the application is forked mid-way.
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            UnmaskFPUExceptions();
            Divide(1.0, 0.0);
        },
        testing::KilledBySignal(SIGFPE), "");
    EXPECT_EXIT(
        {
            UnmaskSSEExceptions();
            Divide(1.0, 0.0);
        },
        testing::KilledBySignal(SIGFPE), "");
    GTEST_FLAG_SET(death_test_style, style);
    // Still masked here: the child's state never reaches this process.
    EXPECT_TRUE(std::isinf(Divide(1.0, 0.0)));
}

#ifdef KV_TEST_MXCSR
TEST_F(KvMathFPU, SSEControlBits) {
    struct Case { const char *name; unsigned before, afterMask, afterUnmask; };
    const Case cases[] = {
        {"everything set", 0xFFFF, 0x1F80, 0x1900},
        {"power-on default", 0x1F80, 0x1F80, 0x1900},
        {"nothing masked, round down", 0x2000, 0x0680, 0x0000},
        {"flush-to-zero, DAZ, precision mask", 0x9040, 0x1680, 0x1000},
        {"three masks and pending flags", 0x5E3F, 0x1E80, 0x1800},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        // No floating-point work between setting MXCSR and reading it back.
        _mm_setcsr(c.before);
        MaskSSEExceptions();
        const unsigned masked = _mm_getcsr();
        _mm_setcsr(c.before);
        UnmaskSSEExceptions();
        const unsigned unmasked = _mm_getcsr();
        MaskSSEExceptions();
        EXPECT_EQ(masked, c.afterMask);
        EXPECT_EQ(unmasked, c.afterUnmask);
    }
    EXPECT_TRUE(std::isinf(Divide(1.0, 0.0)));
}
#endif
