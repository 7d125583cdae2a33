// Calibration of a raster image: an affine map between projected metres and pixels.
//
// Positions in and out are in the default datum (the program keeps every position there);
// the projection's datum is only the datum the image was drawn on, so positions are
// shifted into it before they are projected.
#include "geodesy/GeodesyEngine.h"
#include "kernel/KvInternal.h"

#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvLib.h"

#include <cmath>

using namespace kv::geodesy;

namespace {

// Reference points closer than this (pixels, metres) count as the same point; a triangle
// whose height is below this share of its sides counts as a line.
constexpr double MinSpan = 1e-6;
constexpr double MinSine = 1e-9;

struct TAffine {
    // px = A*X + B*Y + C; py = D*X + E*Y + F
    double A = 0, B = 0, C = 0, D = 0, E = 0, F = 0;
    void Apply(double x, double y, double &u, double &v) const {
        u = A * x + B * y + C;
        v = D * x + E * y + F;
    }
    double Det() const { return A * E - B * D; }
    TAffine Inverse() const {
        const double det = Det();
        TAffine r;
        r.A = E / det;
        r.B = -B / det;
        r.D = -D / det;
        r.E = A / det;
        r.C = -(r.A * C + r.B * F);
        r.F = -(r.D * C + r.E * F);
        return r;
    }
};

class TGeodeticCalibration final : public IGeodeticCalibration {
public:
    int32_t GetPixelPoints(TDouble2 &p1, TDouble2 &p2, TDouble2 &p3) override {
        if (FCount == 0) return 0;
        p1 = FPix[0];
        p2 = FPix[1];
        if (FCount == 3) p3 = FPix[2];
        return FCount;
    }
    void GetGeoPoints(TGeoPoint &c1, TGeoPoint &c2, TGeoPoint &c3) override {
        if (FCount == 0) return;
        c1 = FGeo[0];
        c2 = FGeo[1];
        if (FCount == 3) c3 = FGeo[2];
    }
    bool HasError() override { return FErr != KvErr::Ok; }
    void GetErrorText(IStrW *out) override { kv::SetStrW(out, FErrorText); }
    int32_t GetHeight() override { return FHeight; }
    const TProjectionRef *GetProjection() override { return &FRef; }
    int32_t GetWidth() override { return FWidth; }

    void Init2(const TDouble2 &p1, const TDouble2 &p2, const TGeoPoint &c1, const TGeoPoint &c2,
               int32_t w, int32_t h, const TProjectionRef &ref, int32_t &err) override {
        const TDouble2 pix[3] = {p1, p2, {}};
        const TGeoPoint geo[3] = {c1, c2, {}};
        err = Calibrate(2, pix, geo, w, h, ref);
    }
    void Init(const TDouble2 &p1, const TDouble2 &p2, const TDouble2 &p3, const TGeoPoint &c1,
              const TGeoPoint &c2, const TGeoPoint &c3, int32_t w, int32_t h,
              const TProjectionRef &ref, int32_t &err) override {
        const TDouble2 pix[3] = {p1, p2, p3};
        const TGeoPoint geo[3] = {c1, c2, c3};
        err = Calibrate(3, pix, geo, w, h, ref);
    }

    void PixelToGeo(TGeoPoint &out, const TDouble2 &pixel) override {
        out = {GeoPointNoPosition, GeoPointNoPosition};
        if (!FProjector) return;
        double x = 0, y = 0, lat = 0, lon = 0;
        FToProjected.Apply(pixel.X, pixel.Y, x, y);
        if (!FProjector->Inverse(x, y, lat, lon)) return;
        if (!DatumShift2(lat, lon, FRef.Datum, DefaultDatum())) return;
        out = {lat, lon};
    }

    void GeoToPixel(TDouble2 &out, const TGeoPoint &geo) override {
        out = {GeoPointNoPosition, GeoPointNoPosition};
        double x = 0, y = 0;
        if (FProjector && Project(geo, x, y)) FToPixel.Apply(x, y, out.X, out.Y);
    }

    void ConvertGlobalPoint(TDouble2 &mapOut, const TDouble3 &globalPoint) override {
        TGeoPoint geo;
        GlobalToGeo2(geo, globalPoint, StandardEllipsoid());
        GeoToPixel(mapOut, geo);
    }

    float GetVectorAngle(const TDouble2 &) override {
        if (!FProjector) return 0.0f;
        // Direction of north at the image centre, against straight up on the screen.
        const TDouble2 centre{(FWidth - 1) / 2.0, (FHeight - 1) / 2.0};
        TGeoPoint here, north;
        PixelToGeo(here, centre);
        if (here.Lat == GeoPointNoPosition) return 0.0f;
        const double step = 1e-6;  // radians, about 6 m
        north = here.Lat + step <= M_PI / 2 ? TGeoPoint{here.Lat + step, here.Lon}
                                            : TGeoPoint{here.Lat - step, here.Lon};
        TDouble2 p;
        GeoToPixel(p, north);
        double dx = p.X - centre.X, dy = p.Y - centre.Y;
        if (north.Lat < here.Lat) {
            dx = -dx;
            dy = -dy;
        }
        if (p.X == GeoPointNoPosition || (dx == 0 && dy == 0)) return 0.0f;
        return float(std::remainder(std::atan2(dy, dx) + M_PI / 2, 2 * M_PI));
    }

private:
    bool Project(const TGeoPoint &geo, double &x, double &y) const {
        double lat = geo.Lat, lon = geo.Lon;
        if (!DatumShift2(lat, lon, DefaultDatum(), FRef.Datum)) return false;
        return FProjector->Forward(lat, lon, x, y);
    }

    int32_t Fail(int32_t err, const QString &text) {
        FErr = err;
        FErrorText = text;
        return err;
    }

    int32_t Calibrate(int count, const TDouble2 *pix, const TGeoPoint *geo, int32_t w, int32_t h,
                      const TProjectionRef &ref) {
        // A failed calibration leaves nothing usable behind: no half-old, half-new state.
        FProjector.reset();
        FCount = 0;
        FWidth = w;
        FHeight = h;
        FRef = ref;
        if (FRef.Kind == ProjectionKind::RD) FRef.Datum = RDDatum();  // the grid's own datum
        if (w <= 0 || h <= 0)
            return Fail(KvErr::InvalidArgument,
                        QStringLiteral("The image size %1 x %2 is invalid.").arg(w).arg(h));
        for (int i = 0; i < count; ++i)
            if (!std::isfinite(pix[i].X) || !std::isfinite(pix[i].Y))
                return Fail(KvErr::InvalidArgument,
                            QStringLiteral("Reference pixel %1 is invalid.").arg(i + 1));
        int32_t err = 0;
        auto projector = TProjector::Create(FRef, err);
        if (!projector)
            return Fail(err, err == KvErr::InvalidArgument
                                 ? QStringLiteral("The calibration has no projection.")
                                 : QStringLiteral("The projection parameters are invalid."));
        FProjector = std::move(projector);
        double X[3] = {}, Y[3] = {};
        for (int i = 0; i < count; ++i)
            if (!Project(geo[i], X[i], Y[i])) {
                FProjector.reset();
                return Fail(KvErr::GeoOutsideProjection,
                            QStringLiteral("Reference point %1 lies outside the area the "
                                           "projection can show.")
                                .arg(i + 1));
            }
        const int32_t solved = count == 2 ? SolveTwo(pix, X, Y) : SolveThree(pix, X, Y);
        if (solved != KvErr::Ok) {
            FProjector.reset();
            return solved;
        }
        FToProjected = FToPixel.Inverse();
        FCount = count;
        for (int i = 0; i < count; ++i) {
            FPix[i] = pix[i];
            FGeo[i] = geo[i];
        }
        FErr = KvErr::Ok;
        FErrorText.clear();
        return KvErr::Ok;
    }

    // Two points fix a north-up image with its own scale along each axis.
    int32_t SolveTwo(const TDouble2 *pix, const double *X, const double *Y) {
        const double du = pix[1].X - pix[0].X, dv = pix[1].Y - pix[0].Y;
        const double dX = X[1] - X[0], dY = Y[1] - Y[0];
        if (std::fabs(du) < MinSpan || std::fabs(dv) < MinSpan || std::fabs(dX) < MinSpan ||
            std::fabs(dY) < MinSpan)
            return Fail(KvErr::GeoCalibrationPoints,
                        QStringLiteral("The two reference points must differ both "
                                       "horizontally and vertically."));
        const double sx = du / dX, sy = dv / dY;
        // Pixel rows run down while northings run up.
        if (sx < 0 || sy > 0)
            return Fail(KvErr::GeoCalibrationMirrored,
                        QStringLiteral("The reference points give a mirrored image; "
                                       "check that their positions are not swapped."));
        FToPixel = {sx, 0.0, pix[0].X - sx * X[0], 0.0, sy, pix[0].Y - sy * Y[0]};
        return KvErr::Ok;
    }

    int32_t SolveThree(const TDouble2 *pix, const double *X, const double *Y) {
        // Relative to point 1 for conditioning: projected metres are large numbers.
        const double x1 = X[1] - X[0], y1 = Y[1] - Y[0], x2 = X[2] - X[0], y2 = Y[2] - Y[0];
        const double u1 = pix[1].X - pix[0].X, v1 = pix[1].Y - pix[0].Y;
        const double u2 = pix[2].X - pix[0].X, v2 = pix[2].Y - pix[0].Y;
        const double detXY = x1 * y2 - x2 * y1, detUV = u1 * v2 - u2 * v1;
        const double nXY = std::hypot(x1, y1) * std::hypot(x2, y2);
        const double nUV = std::hypot(u1, v1) * std::hypot(u2, v2);
        if (nXY < MinSpan * MinSpan || nUV < MinSpan * MinSpan ||
            std::fabs(detXY) <= MinSine * nXY || std::fabs(detUV) <= MinSine * nUV)
            return Fail(KvErr::GeoCalibrationPoints,
                        QStringLiteral("The three reference points coincide or lie on one "
                                       "line."));
        TAffine a;
        a.A = (u1 * y2 - u2 * y1) / detXY;
        a.B = (u2 * x1 - u1 * x2) / detXY;
        a.D = (v1 * y2 - v2 * y1) / detXY;
        a.E = (v2 * x1 - v1 * x2) / detXY;
        if (a.Det() > 0)
            return Fail(KvErr::GeoCalibrationMirrored,
                        QStringLiteral("The reference points give a mirrored image; "
                                       "check that their positions are not swapped."));
        a.C = pix[0].X - a.A * X[0] - a.B * Y[0];
        a.F = pix[0].Y - a.D * X[0] - a.E * Y[0];
        FToPixel = a;
        return KvErr::Ok;
    }

    int32_t FCount = 0;
    TDouble2 FPix[3];
    TGeoPoint FGeo[3];
    int32_t FWidth = 0, FHeight = 0;
    TProjectionRef FRef;
    std::unique_ptr<TProjector> FProjector;  // set only while calibrated
    TAffine FToPixel, FToProjected;
    int32_t FErr = KvErr::Ok;
    QString FErrorText;
};

}  // namespace

IGeodeticCalibration *GeodeticCalibrationCreate() {
    return new TGeodeticCalibration;
}
