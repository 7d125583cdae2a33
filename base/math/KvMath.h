// Rounding, clamping, small vector operations and floating-point exception control.
//
// The program runs with floating-point exceptions masked throughout: Qt, GDAL and PROJ
// produce NaNs and overflows as ordinary values and would crash if they trapped. The
// unmask routines exist for tests and for call sites that pair them with a mask; nothing
// may leave exceptions unmasked while other code runs. All routines run on any thread; the
// control routines change the calling thread's state only.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <cstdint>

// Rounding to a 32-bit Integer. A value outside the Integer range saturates to its nearest
// end and NaN gives 0 (the processor would otherwise hand back its "indefinite" value).

// The current rounding mode of the thread: to nearest, ties to even (2.5 → 2, 3.5 → 4).
int32_t RoundF(float value);
int32_t RoundD(double value);
int32_t RoundFPtr(const float *value);
// To nearest, an exact half toward plus infinity (2.5 → 3, -2.5 → -2, -3.5 → -3).
int32_t RoundHalfUpF(float value);
int32_t RoundHalfUpD(double value);
// Toward zero (2.7 → 2, -2.7 → -2).
int32_t TruncF(float value);
// Away from zero (2.2 → 3, -2.2 → -3, 2.0 → 2).
int32_t RoundAwayF(float value);

// Max wins when min > max.
int32_t ClampInt(int32_t value, int32_t min, int32_t max);
long double ClampExt(long double value, long double min, long double max);
// Whether value lies between a and b, both included, in either order.
bool IsBetweenF(float a, float b, float value);

// Bitwise zero tests: a negative zero is not zero.
bool IsZeroFloat2(const TFloat2 &v);
bool IsZeroDouble2(const TDouble2 &v);
// Exact equality of all three coordinates.
bool SameDouble3(const TDouble3 &a, const TDouble3 &b);
bool SameGUID(const TGUID &a, const TGUID &b);
double Double3Distance(const TDouble3 &a, const TDouble3 &b);
// r = v scaled to length 1; r and v may be the same variable. Callers test IsZeroFloat2
// first (a zero vector gives NaNs).
void NormalizeFloat2(TFloat2 &r, TFloat2 v);
// Angle of the vector in radians, atan2(Y, X) in (-pi, pi]. X = +0 or -0 gives +pi/2 when
// Y > 0 and -pi/2 otherwise, (0, 0) included.
double Float2Angle(const TFloat2 &v);

// Rows 0..2 the linear part, row 3 the translation.
using TTransform4x3 = double[4][3];
// r[j] = X * m[0][j] + Y * m[1][j] + Z * m[2][j] + m[3][j]; r and p may be the same.
void TransformDouble3(TDouble3 &r, TDouble3 p, const TTransform4x3 &m);

// Floating-point exceptions: invalid operation, division by zero and overflow.
// The FPU pair works through <cfenv> (x87 and SSE units together); the SSE pair edits
// MXCSR directly with the exact bit rules below and falls back to <cfenv> elsewhere.
void MaskFPUExceptions();
// Clears pending flags of the three first, so an old condition cannot trap at once.
void UnmaskFPUExceptions();
// Sets the three masks (bits 7, 9, 10), keeps the denormal, underflow and precision masks,
// and clears the flags, denormals-are-zero, flush-to-zero and the rounding control (so
// rounding is to nearest).
void MaskSSEExceptions();
// MXCSR := MXCSR and $1900: unmasks the three, keeps the denormal, underflow and precision
// masks, clears everything else.
void UnmaskSSEExceptions();
