#include "KvMath.h"

#include <cfenv>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#define KV_HAVE_MXCSR 1
#endif

namespace {

constexpr int KvTrapExcepts = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// r is already integral (or NaN / infinite).
int32_t SaturateToInt(double r) {
    if (std::isnan(r)) return 0;
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return int32_t(r);
}

// x - nearbyint(x) is exact for every double, so an exact half is recognised reliably.
double HalfUp(double x) {
    const double r = std::nearbyint(x);
    return (x - r == 0.5) ? r + 1.0 : r;
}

}  // namespace

int32_t RoundF(float value) { return SaturateToInt(std::nearbyint(double(value))); }
int32_t RoundD(double value) { return SaturateToInt(std::nearbyint(value)); }
int32_t RoundFPtr(const float *value) { return RoundF(*value); }
int32_t RoundHalfUpF(float value) { return SaturateToInt(HalfUp(double(value))); }
int32_t RoundHalfUpD(double value) { return SaturateToInt(HalfUp(value)); }
int32_t TruncF(float value) { return SaturateToInt(std::trunc(double(value))); }

int32_t RoundAwayF(float value) {
    const double a = std::ceil(std::fabs(double(value)));
    return SaturateToInt(std::signbit(value) ? -a : a);
}

int32_t ClampInt(int32_t value, int32_t min, int32_t max) {
    if (value > max) return max;
    if (value < min) return min;
    return value;
}

long double ClampExt(long double value, long double min, long double max) {
    if (value > max) return max;
    if (value < min) return min;
    return value;
}

bool IsBetweenF(float a, float b, float value) {
    return (a <= b) ? (a <= value && value <= b) : (b <= value && value <= a);
}

bool IsZeroFloat2(const TFloat2 &v) {
    uint32_t x, y;
    std::memcpy(&x, &v.X, sizeof x);
    std::memcpy(&y, &v.Y, sizeof y);
    return x == 0 && y == 0;
}

bool IsZeroDouble2(const TDouble2 &v) {
    uint64_t x, y;
    std::memcpy(&x, &v.X, sizeof x);
    std::memcpy(&y, &v.Y, sizeof y);
    return x == 0 && y == 0;
}

bool SameDouble3(const TDouble3 &a, const TDouble3 &b) {
    return a.X == b.X && a.Y == b.Y && a.Z == b.Z;
}

bool SameGUID(const TGUID &a, const TGUID &b) { return a == b; }

double Double3Distance(const TDouble3 &a, const TDouble3 &b) {
    const double dx = a.X - b.X, dy = a.Y - b.Y, dz = a.Z - b.Z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void NormalizeFloat2(TFloat2 &r, TFloat2 v) {
    const float f = 1.0f / std::sqrt(v.X * v.X + v.Y * v.Y);
    r.X = v.X * f;
    r.Y = v.Y * f;
}

double Float2Angle(const TFloat2 &v) {
    if (v.X == 0.0f) return v.Y > 0.0f ? std::numbers::pi / 2 : -std::numbers::pi / 2;
    const double a = std::atan2(double(v.Y), double(v.X));
    // atan2(-0, negative) is -pi; the range is (-pi, pi].
    return a == -std::numbers::pi ? std::numbers::pi : a;
}

void TransformDouble3(TDouble3 &r, TDouble3 p, const TTransform4x3 &m) {
    double out[3];
    for (int j = 0; j < 3; ++j) out[j] = p.X * m[0][j] + p.Y * m[1][j] + p.Z * m[2][j] + m[3][j];
    r = TDouble3{out[0], out[1], out[2]};
}

void MaskFPUExceptions() { fedisableexcept(KvTrapExcepts); }

void UnmaskFPUExceptions() {
    std::feclearexcept(KvTrapExcepts);
    feenableexcept(KvTrapExcepts);
}

#ifdef KV_HAVE_MXCSR
namespace {
constexpr unsigned MxcsrTrapMasks = 0x0680;    // invalid (7), zero divide (9), overflow (10)
constexpr unsigned MxcsrOtherMasks = 0x1900;   // denormal (8), underflow (11), precision (12)
}  // namespace

void MaskSSEExceptions() {
    _mm_setcsr((_mm_getcsr() & MxcsrOtherMasks) | MxcsrTrapMasks);
}

void UnmaskSSEExceptions() { _mm_setcsr(_mm_getcsr() & MxcsrOtherMasks); }
#else
void MaskSSEExceptions() {
    std::fesetround(FE_TONEAREST);
    std::feclearexcept(FE_ALL_EXCEPT);
    fedisableexcept(KvTrapExcepts);
}

void UnmaskSSEExceptions() {
    std::fesetround(FE_TONEAREST);
    std::feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(KvTrapExcepts);
}
#endif
