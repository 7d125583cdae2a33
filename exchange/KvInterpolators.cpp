#include "exchange/KvInterpolators.h"

#include "base/kvlib/KvErrors.h"

#include <KvLibNav6/KvUnits.h>

#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr long double Pi = 3.1415926535897932385L;
constexpr long double TwoPi = 6.283185307179586477L;
constexpr int32_t MaxTerms = 4;

// Determinant of an n×n matrix (n ≤ 4) by elimination with partial pivoting.
long double Determinant(long double m[MaxTerms][MaxTerms], int32_t n) {
    long double det = 1.0L;
    for (int32_t c = 0; c < n; ++c) {
        int32_t pivot = c;
        for (int32_t r = c + 1; r < n; ++r)
            if (std::fabs(m[r][c]) > std::fabs(m[pivot][c])) pivot = r;
        if (m[pivot][c] == 0.0L) return 0.0L;
        if (pivot != c) {
            for (int32_t k = 0; k < n; ++k) std::swap(m[pivot][k], m[c][k]);
            det = -det;
        }
        det *= m[c][c];
        for (int32_t r = c + 1; r < n; ++r) {
            const long double f = m[r][c] / m[c][c];
            for (int32_t k = c; k < n; ++k) m[r][k] -= f * m[c][k];
        }
    }
    return det;
}

long double Horner(const double *coef, int32_t n, long double dx) {
    long double r = 0.0L;
    for (int32_t k = 0; k < n; ++k) r = r * dx + coef[k];
    return r;
}

}  // namespace

// --- TInterpolator -------------------------------------------------------------------------

TInterpolator::TInterpolator(int32_t pointsBefore, int32_t pointsAfter)
    : FPointsBefore(pointsBefore), FPointsAfter(pointsAfter) {}

TInterpolator::~TInterpolator() = default;

int32_t TInterpolator::AddPoint(std::unique_ptr<TInterpolatorPoint> point) {
    int32_t index = 0;
    if (Find(point->X, index)) throw EListError(QStringLiteral("Duplicate control point."));
    point->Owner = this;
    FPoints.insert(FPoints.begin() + index, std::move(point));
    MarkDirty(index);
    return index;
}

bool TInterpolator::Find(double x, int32_t &index) const {
    int32_t low = 0, high = GetCount() - 1;
    bool found = false;
    while (high >= low) {
        const int32_t mid = (low + high) / 2;
        if (FPoints[mid]->X < x) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (FPoints[mid]->X == x) {
                low = mid;
                found = true;
            }
        }
    }
    index = low;
    return found;
}

void TInterpolator::Clear() { FPoints.clear(); }

void TInterpolator::MarkDirty(int32_t index) {
    const int32_t count = GetCount();
    const int32_t first = FPointsBefore < index ? index - FPointsBefore : 0;
    const int32_t last = index < count - FPointsAfter - 1 ? index + FPointsAfter : count - 1;
    for (int32_t k = std::max(first, 0); k <= last && k < count; ++k) FPoints[k]->Dirty = true;
}

// --- TValueInterpolator --------------------------------------------------------------------

TValueInterpolator::TValueInterpolator(bool angleMode) : TInterpolator(0, 0), FAngleMode(angleMode) {
    SetOrder(OrderBlendedQuadratic);
}

void TValueInterpolator::SetOrder(int32_t order) {
    if (order == FOrder) return;
    FOrder = order;
    // Dependent neighbours: a fit reaches one point further back than forward.
    FPointsAfter = order;
    FPointsBefore = order + 1;
    for (auto &p : FPoints) p->Dirty = true;
}

void TValueInterpolator::AddValue(double x, double value) {
    if (FAngleMode) value = ReduceAngleD(value);
    const int32_t index = AddPoint(std::make_unique<TValueInterpolatorPoint>(x, value));
    if (!FAngleMode) return;
    // A point put before others may change how every later value is continued across ±π.
    FUnwrapStale = true;
    for (int32_t k = index; k < GetCount(); ++k) FPoints[k]->Dirty = true;
}

TValueInterpolatorPoint *TValueInterpolator::ValuePoint(int32_t index) const {
    return static_cast<TValueInterpolatorPoint *>(FPoints[index].get());
}

long double TValueInterpolator::GetValue(double x) {
    const int32_t count = GetCount();
    if (count == 0) return std::numeric_limits<long double>::quiet_NaN();
    if (count == 1) return ValuePoint(0)->Value;
    int32_t found = 0;
    if (Find(x, found)) return ValuePoint(found)->Value;
    const int32_t i = std::min(found - 1 > 0 ? found - 1 : 0, count - 2);
    TValueInterpolatorPoint *p = ValuePoint(i);
    if (p->Dirty) {
        UpdateSegment(i);
        p->Dirty = false;
    }
    const long double dx = static_cast<long double>(x) - p->X;
    long double result = 0.0L;
    switch (FOrder) {
    case OrderLinear:
        result = Horner(p->Line, 2, dx);
        break;
    case OrderBlendedQuadratic: {
        long double f = dx / (static_cast<long double>(ValuePoint(i + 1)->X) - p->X);
        if (!(f >= 0.0L)) f = 0.0L;
        if (f > 1.0L) f = 1.0L;
        result = Horner(p->Parabola1, 3, dx) * (1.0L - f) + Horner(p->Parabola2, 3, dx) * f;
        break;
    }
    default:
        result = Horner(p->Cubic, 4, dx);
        break;
    }
    if (FAngleMode) result = ReduceAngleF(static_cast<float>(result));
    return result;
}

void TValueInterpolator::Unwrap() {
    if (!FUnwrapStale) return;
    FUnwrapStale = false;
    if (FPoints.empty()) return;
    ValuePoint(0)->UnwrappedValue = ValuePoint(0)->Value;
    for (int32_t k = 1; k < GetCount(); ++k) {
        long double d = static_cast<long double>(ValuePoint(k)->Value) - ValuePoint(k - 1)->Value;
        if (!(d <= Pi))
            d -= TwoPi;
        else if (d < -Pi)
            d += TwoPi;
        ValuePoint(k)->UnwrappedValue = static_cast<double>(ValuePoint(k - 1)->UnwrappedValue + d);
    }
}

void TValueInterpolator::Fit(int32_t first, int32_t n, double base, double *coef) const {
    long double a[MaxTerms][MaxTerms];
    long double y[MaxTerms];
    for (int32_t r = 0; r < n; ++r) {
        const long double dx = static_cast<long double>(ValuePoint(first + r)->X) - base;
        long double power = 1.0L;
        for (int32_t c = n - 1; c >= 0; --c) {
            a[r][c] = power;
            power *= dx;
        }
        y[r] = ValuePoint(first + r)->UnwrappedValue;
    }
    long double m[MaxTerms][MaxTerms];
    std::copy(&a[0][0], &a[0][0] + MaxTerms * MaxTerms, &m[0][0]);
    const long double det = Determinant(m, n);
    if (det == 0.0L || !std::isfinite(det)) return;
    // Cramer's rule: each coefficient from the determinant with its column replaced by Y.
    for (int32_t c = 0; c < n; ++c) {
        std::copy(&a[0][0], &a[0][0] + MaxTerms * MaxTerms, &m[0][0]);
        for (int32_t r = 0; r < n; ++r) m[r][c] = y[r];
        coef[c] = static_cast<double>(Determinant(m, n) / det);
    }
}

void TValueInterpolator::UpdateSegment(int32_t i) {
    if (FAngleMode) Unwrap();
    const int32_t count = GetCount();
    TValueInterpolatorPoint *p = ValuePoint(i);
    const double base = p->X;
    if (i >= count - 1) {
        std::fill(std::begin(p->Line), std::end(p->Line), 0.0);
        std::fill(std::begin(p->Parabola1), std::end(p->Parabola1), 0.0);
        std::fill(std::begin(p->Parabola2), std::end(p->Parabola2), 0.0);
        std::fill(std::begin(p->Cubic), std::end(p->Cubic), 0.0);
        return;
    }
    switch (FOrder) {
    case OrderLinear:
        Fit(i, 2, base, p->Line);
        break;
    case OrderBlendedQuadratic:
        if (count == 2) {
            p->Parabola1[0] = p->Parabola2[0] = 0.0;
            Fit(0, 2, base, p->Parabola1 + 1);
            Fit(0, 2, base, p->Parabola2 + 1);
        } else if (count == 3 || i == 0) {
            Fit(0, 3, base, p->Parabola1);
            Fit(0, 3, base, p->Parabola2);
        } else if (i == count - 2) {
            Fit(i - 1, 3, base, p->Parabola1);
            Fit(i - 1, 3, base, p->Parabola2);
        } else {
            Fit(i - 1, 3, base, p->Parabola1);
            Fit(i, 3, base, p->Parabola2);
        }
        break;
    default:
        if (count == 2) {
            p->Cubic[0] = p->Cubic[1] = 0.0;
            Fit(0, 2, base, p->Cubic + 2);
        } else if (count == 3) {
            p->Cubic[0] = 0.0;
            Fit(0, 3, base, p->Cubic + 1);
        } else {
            const int32_t first = i == 0 ? 0 : (i == count - 2 ? i - 2 : i - 1);
            Fit(first, 4, base, p->Cubic);
        }
        break;
    }
}
