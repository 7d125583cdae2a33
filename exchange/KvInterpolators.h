// Piecewise-polynomial interpolation over control points sorted by X. TInterpolator keeps the
// points and decides which segments need new coefficients; TValueInterpolator holds one value
// per point and evaluates a linear, blended-quadratic or cubic curve, optionally for angles in
// radians (values wrapped to one turn, the curve taking the short way across ±π).
//
// Each segment's polynomials are fitted in X relative to the segment's first point, in
// double precision: X values are seconds of a recording that may run for hours, and absolute
// powers of them would swamp the differences that matter. Plain objects, any thread, one at a
// time.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class TInterpolator;

class TInterpolatorPoint {
public:
    explicit TInterpolatorPoint(double x) : X(x) {}
    virtual ~TInterpolatorPoint() = default;

    TInterpolator *Owner = nullptr;
    double X = 0.0;
    // The segment that starts at this point needs new coefficients.
    bool Dirty = true;
};

class TInterpolator {
public:
    // How many neighbours before and after a changed point have segments that depend on it.
    TInterpolator(int32_t pointsBefore, int32_t pointsAfter);
    virtual ~TInterpolator();
    TInterpolator(const TInterpolator &) = delete;
    TInterpolator &operator=(const TInterpolator &) = delete;

    // Takes the point; raises EListError "Duplicate control point." when a point with the
    // same X exists, and then nothing changes. Returns the point's index.
    int32_t AddPoint(std::unique_ptr<TInterpolatorPoint> point);
    // Binary search: true with its index when a point has exactly this X, else false with the
    // insertion index.
    bool Find(double x, int32_t &index) const;
    int32_t GetCount() const { return static_cast<int32_t>(FPoints.size()); }
    // Owned by the interpolator.
    TInterpolatorPoint *GetPoint(int32_t index) const { return FPoints.at(index).get(); }
    void Clear();
    // The segments around index that depend on its point.
    void MarkDirty(int32_t index);

protected:
    virtual void UpdateSegment(int32_t /*index*/) {}

    int32_t FPointsBefore = 0;
    int32_t FPointsAfter = 0;
    std::vector<std::unique_ptr<TInterpolatorPoint>> FPoints;
};

class TValueInterpolatorPoint : public TInterpolatorPoint {
public:
    TValueInterpolatorPoint(double x, double value)
        : TInterpolatorPoint(x), Value(value), UnwrappedValue(value) {}

    double Value = 0.0;           // as added (reduced in angle mode)
    double UnwrappedValue = 0.0;  // angle mode: continued across ±π from the first point
    // Coefficients of the segment starting here, highest power first, in (X - this X):
    // order 0 uses Line, order 1 the two parabolas, order 2 Cubic.
    double Line[2] = {0.0, 0.0};
    double Parabola1[3] = {0.0, 0.0, 0.0};
    double Parabola2[3] = {0.0, 0.0, 0.0};
    double Cubic[4] = {0.0, 0.0, 0.0, 0.0};
};

class TValueInterpolator : public TInterpolator {
public:
    static constexpr int32_t OrderLinear = 0, OrderBlendedQuadratic = 1, OrderCubic = 2;

    explicit TValueInterpolator(bool angleMode = false);

    // 0 linear, 1 blended quadratic (the default), 2 cubic; every segment is refitted.
    void SetOrder(int32_t order);
    int32_t GetOrder() const { return FOrder; }
    bool IsAngleMode() const { return FAngleMode; }
    // In angle mode the value (radians) is reduced to (−π, π] first.
    void AddValue(double x, double value);
    // The curve at x; beyond either end the outer segment is extrapolated. A point's own
    // value at its X. NaN without points: callers check GetCount first.
    long double GetValue(double x);

protected:
    void UpdateSegment(int32_t index) override;

private:
    TValueInterpolatorPoint *ValuePoint(int32_t index) const;
    void Unwrap();
    // Fits the polynomial through points first..first+n-1 (Y = unwrapped values) in X
    // relative to base; coefficients highest power first. Leaves coef as it was when the
    // points do not determine one.
    void Fit(int32_t first, int32_t n, double base, double *coef) const;

    bool FAngleMode = false;
    int32_t FOrder = -1;
    // The unwrapped values must be recomputed before the next fit.
    bool FUnwrapStale = false;
};
