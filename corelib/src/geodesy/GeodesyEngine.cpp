// PROJ projections; GeographicLib earth-centred coordinates (datum shifts) and geodesics.
#include "geodesy/GeodesyEngine.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>

#include <cmath>
#include <cstdio>
#include <vector>

namespace kv::geodesy {
namespace {

std::recursive_mutex &ProjMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

std::string Num(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

std::string Deg(double rad) {
    return Num(rad * DegPerRad);
}

bool Usable(const PJ_COORD &c) {
    return std::isfinite(c.v[0]) && std::isfinite(c.v[1]) && c.v[0] != HUGE_VAL &&
           c.v[1] != HUGE_VAL;
}

// The Helmert transformation of one datum to WGS 84 on earth-centred metres, in the
// position-vector convention with the linearised rotation matrix (as EPSG and PROJ use
// it), with its exact inverse so that shifting there and back returns the same point.
class THelmert {
public:
    explicit THelmert(const TGeodeticHelmert &h) {
        constexpr double secToRad = M_PI / (180.0 * 3600.0);
        const double rx = h.RX * secToRad, ry = h.RY * secToRad, rz = h.RZ * secToRad;
        const double mu = 1.0 + h.Scale * 1e-6;
        const double r[3][3] = {{1, -rz, ry}, {rz, 1, -rx}, {-ry, rx, 1}};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) FM[i][j] = mu * r[i][j];
        FT[0] = h.DX;
        FT[1] = h.DY;
        FT[2] = h.DZ;
        const double det = FM[0][0] * (FM[1][1] * FM[2][2] - FM[1][2] * FM[2][1]) -
                           FM[0][1] * (FM[1][0] * FM[2][2] - FM[1][2] * FM[2][0]) +
                           FM[0][2] * (FM[1][0] * FM[2][1] - FM[1][1] * FM[2][0]);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                const int i1 = (j + 1) % 3, i2 = (j + 2) % 3, j1 = (i + 1) % 3, j2 = (i + 2) % 3;
                FInv[i][j] = (FM[i1][j1] * FM[i2][j2] - FM[i1][j2] * FM[i2][j1]) / det;
            }
    }
    void ToWGS84(double (&v)[3]) const {
        const double x[3] = {v[0], v[1], v[2]};
        for (int i = 0; i < 3; ++i) v[i] = FT[i] + FM[i][0] * x[0] + FM[i][1] * x[1] + FM[i][2] * x[2];
    }
    void FromWGS84(double (&v)[3]) const {
        v[0] -= FT[0];
        v[1] -= FT[1];
        v[2] -= FT[2];
        FromWGS84Direction(v);
    }
    // Where a displacement in WGS 84 lands in the datum's frame.
    void FromWGS84Direction(double (&v)[3]) const {
        const double x[3] = {v[0], v[1], v[2]};
        for (int i = 0; i < 3; ++i) v[i] = FInv[i][0] * x[0] + FInv[i][1] * x[1] + FInv[i][2] * x[2];
    }

private:
    double FM[3][3], FInv[3][3], FT[3];
};

GeographicLib::Geocentric EarthOf(IGeodeticDatum *d) {
    const TEllipsoidParams e = EllipsoidOf(d);
    return GeographicLib::Geocentric(e.A, e.InvF == 0.0 ? 0.0 : 1.0 / e.InvF);
}

// A datum's shift and ellipsoid, made once for a run of conversions through the same datum
// (datums never change and are never released).
struct TDatumFrame {
    IGeodeticDatum *Datum = nullptr;
    THelmert Shift{TGeodeticHelmert{}};
    GeographicLib::Geocentric Earth;
};

const TDatumFrame &FrameOf(IGeodeticDatum *datum) {
    thread_local TDatumFrame last;
    if (last.Datum != datum) {
        TGeodeticHelmert h;
        datum->GetHelmert(h);
        last = {datum, THelmert(h), EarthOf(datum)};
    }
    return last;
}

}  // namespace

std::unique_lock<std::recursive_mutex> ProjLock() {
    return std::unique_lock<std::recursive_mutex>(ProjMutex());
}

PJ_CONTEXT *ProjContext() {
    static PJ_CONTEXT *ctx = [] {
        PJ_CONTEXT *c = proj_context_create();
        // Everything here is computed, never fetched: no grids from the network.
        proj_context_set_enable_network(c, 0);
        proj_log_level(c, PJ_LOG_NONE);
        return c;
    }();
    return ctx;
}

void TPJDeleter::operator()(PJ *p) const {
    if (!p) return;
    auto lock = ProjLock();
    proj_destroy(p);
}

TPJPtr CreateOperation(const std::string &definition) {
    auto lock = ProjLock();
    return TPJPtr(proj_create(ProjContext(), definition.c_str()));
}

std::string EllipsoidDefinition(const TEllipsoidParams &e) {
    if (e.InvF == 0.0) return "+a=" + Num(e.A) + " +b=" + Num(e.A);
    return "+a=" + Num(e.A) + " +rf=" + Num(e.InvF);
}

std::string ProjectionDefinition(const TProjectionRef &ref) {
    using namespace ProjectionKind;
    const std::string ell = " " + EllipsoidDefinition(EllipsoidOf(ref.Datum));
    switch (ref.Kind) {
    case Mercator:
        return "+proj=merc +lon_0=" + Deg(ref.Long0) + ell;
    case TransverseMercator:
        return "+proj=tmerc +k_0=" + Num(ref.K0) + " +lat_0=" + Deg(ref.Lat0) +
               " +lon_0=" + Deg(ref.Long0) + ell;
    case EquidistantCylindrical:
        return "+proj=eqc +lat_ts=" + Deg(ref.Lat1) + " +lon_0=" + Deg(ref.Long0) + ell;
    case LambertConformalConic:
        return "+proj=lcc +lat_1=" + Deg(ref.Lat1) + " +lat_2=" + Deg(ref.Lat2) +
               " +lat_0=" + Deg(ref.Lat0) + " +lon_0=" + Deg(ref.Long0) + ell;
    case Orthographic:
        return "+proj=ortho +lat_0=" + Deg(ref.Lat1) + " +lon_0=" + Deg(ref.Long0) + ell;
    case ObliqueStereographic:
        return "+proj=sterea +k_0=" + Num(ref.K0) + " +lat_0=" + Deg(ref.Lat1) +
               " +lon_0=" + Deg(ref.Long0) + ell;
    case RD:
        // EPSG:28992 on the Bessel ellipsoid of the RD datum, false origin included.
        // The grid fixes its datum as well as its parameters.
        return "+proj=sterea +lat_0=52.1561605555556 +lon_0=5.38763888888889 +k_0=0.9999079"
               " +x_0=155000 +y_0=463000 " + EllipsoidDefinition(EllipsoidOf(RDDatum()));
    case PolarStereographic: {
        // The sign of Lat1 picks the pole; a latitude off the pole is the standard parallel.
        const bool south = ref.Lat1 < 0;
        std::string def = std::string("+proj=stere +lat_0=") + (south ? "-90" : "90") +
                          " +lon_0=" + Deg(ref.Long0) + " +k_0=" + Num(ref.K0);
        if (std::fabs(std::fabs(ref.Lat1 * DegPerRad) - 90.0) > 1e-9)
            def += " +lat_ts=" + Deg(ref.Lat1);
        return def + ell;
    }
    default:
        return {};
    }
}

std::unique_ptr<TProjector> TProjector::Create(const TProjectionRef &ref, int32_t &err) {
    err = KvErr::Ok;
    for (double v : {ref.K0, ref.Lat0, ref.Long0, ref.Lat1, ref.Lat2})
        if (!std::isfinite(v)) {
            err = KvErr::GeoProjection;
            return nullptr;
        }
    const std::string def = ProjectionDefinition(ref);
    if (def.empty()) {
        err = KvErr::InvalidArgument;
        return nullptr;
    }
    TPJPtr pj = CreateOperation(def);
    if (!pj) {
        err = KvErr::GeoProjection;
        return nullptr;
    }
    return std::unique_ptr<TProjector>(new TProjector(std::move(pj)));
}

bool TProjector::Forward(double lat, double lon, double &x, double &y) const {
    if (!std::isfinite(lat) || !std::isfinite(lon) || std::fabs(lat) > M_PI / 2) return false;
    auto lock = ProjLock();
    const PJ_COORD r = proj_trans(FPJ.get(), PJ_FWD, proj_coord(lon, lat, 0, 0));
    proj_errno_reset(FPJ.get());
    if (!Usable(r)) return false;
    x = r.xy.x;
    y = r.xy.y;
    return true;
}

bool TProjector::Inverse(double x, double y, double &lat, double &lon) const {
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    auto lock = ProjLock();
    const PJ_COORD r = proj_trans(FPJ.get(), PJ_INV, proj_coord(x, y, 0, 0));
    proj_errno_reset(FPJ.get());
    if (!Usable(r)) return false;
    lat = r.lp.phi;
    lon = r.lp.lam;
    return true;
}

bool DatumShift(double &lat, double &lon, double &height, IGeodeticDatum *from,
                IGeodeticDatum *to) {
    if (!from) from = DefaultDatum();
    if (!to) to = DefaultDatum();
    if (from == to) return true;
    if (!std::isfinite(lat) || !std::isfinite(lon) || !std::isfinite(height) ||
        std::fabs(lat) > M_PI / 2)
        return false;
    TGeodeticHelmert hf, ht;
    from->GetHelmert(hf);
    to->GetHelmert(ht);
    double v[3];
    EarthOf(from).Forward(lat * DegPerRad, lon * DegPerRad, height, v[0], v[1], v[2]);
    THelmert(hf).ToWGS84(v);
    THelmert(ht).FromWGS84(v);
    double outLat = 0, outLon = 0, outH = 0;
    EarthOf(to).Reverse(v[0], v[1], v[2], outLat, outLon, outH);
    if (!std::isfinite(outLat) || !std::isfinite(outLon) || !std::isfinite(outH)) return false;
    lat = outLat / DegPerRad;
    lon = outLon / DegPerRad;
    height = outH;
    return true;
}

namespace {

// A datum → WGS 84 shift of a position on the datum's ellipsoid; the height it ends at
// above the WGS 84 ellipsoid is dropped.
bool ToWGS84Surface(double &lat, double &lon, IGeodeticDatum *datum) {
    double h = 0;
    return DatumShift(lat, lon, h, datum, DefaultDatum());
}

// The inverse of ToWGS84Surface. The 3-D shift of the WGS 84 surface point lands a height h
// above the datum's ellipsoid (the two surfaces lie tens of metres apart); dropping h would
// move the point along the datum's normal, and the forward shift would come back beside the
// start by h times the angle between the two normals (millimetres). Sliding the point along
// the image of the WGS 84 normal instead, down to the datum's surface, leaves an error of
// the second order in that angle (micrometres) at the cost of one shift, where iterating to
// the last bit took several.
bool FromWGS84Surface(double &lat, double &lon, IGeodeticDatum *datum) {
    if (!std::isfinite(lat) || !std::isfinite(lon) || std::fabs(lat) > M_PI / 2) return false;
    const TDatumFrame &frame = FrameOf(datum);
    const THelmert &shift = frame.Shift;
    double v[3];
    GeographicLib::Geocentric::WGS84().Forward(lat * DegPerRad, lon * DegPerRad, 0.0, v[0],
                                               v[1], v[2]);
    shift.FromWGS84(v);
    // East, north and up at the landing point as earth-centred columns (row-major).
    thread_local std::vector<double> enu(9);
    const GeographicLib::Geocentric &earth = frame.Earth;
    double latDeg = 0, lonDeg = 0, h = 0;
    earth.Reverse(v[0], v[1], v[2], latDeg, lonDeg, h, enu);
    if (!std::isfinite(latDeg) || !std::isfinite(lonDeg) || !std::isfinite(h)) return false;
    const double dLat = latDeg / DegPerRad, dLon = lonDeg / DegPerRad;
    const double east[3] = {enu[0], enu[3], enu[6]}, north[3] = {enu[1], enu[4], enu[7]},
                 up[3] = {enu[2], enu[5], enu[8]};
    const double sp = up[2], cp = north[2];
    // The WGS 84 normal at the start, from the datum's normal here to the first order.
    const double toLat = lat - dLat, toLon = std::remainder(lon - dLon, 2 * M_PI) * cp;
    double m[3];
    for (int i = 0; i < 3; ++i) m[i] = up[i] + toLat * north[i] + toLon * east[i];
    shift.FromWGS84Direction(m);
    auto dot = [](const double (&a)[3], const double (&b)[3]) {
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    };
    const double t = -h / dot(m, up);
    const double f = earth.Flattening(), e2 = f * (2 - f), w2 = 1 - e2 * sp * sp;
    const double nu = earth.EquatorialRadius() / std::sqrt(w2), rho = nu * (1 - e2) / w2;
    lat = dLat + t * dot(m, north) / rho;
    lon = cp > 1e-12 ? dLon + t * dot(m, east) / (nu * cp) : dLon;
    return true;
}

}  // namespace

bool DatumShift2(double &lat, double &lon, IGeodeticDatum *from, IGeodeticDatum *to) {
    if (!from) from = DefaultDatum();
    if (!to) to = DefaultDatum();
    if (from == to) return true;
    double la = lat, lo = lon;
    if (from != DefaultDatum() && !ToWGS84Surface(la, lo, from)) return false;
    if (to != DefaultDatum() && !FromWGS84Surface(la, lo, to)) return false;
    lat = la;
    lon = lo;
    return true;
}

void GeodesicInverse(const TGeoPoint &a, const TGeoPoint &b, double &distanceM,
                     double &bearingRad) {
    double azi1 = 0, azi2 = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.Lat * DegPerRad, a.Lon * DegPerRad,
                                             b.Lat * DegPerRad, b.Lon * DegPerRad, distanceM,
                                             azi1, azi2);
    bearingRad = std::fmod(azi1 + 360.0, 360.0) / DegPerRad;
}

double GeodesicDistance(const TGeoPoint &a, const TGeoPoint &b) {
    double s = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.Lat * DegPerRad, a.Lon * DegPerRad,
                                             b.Lat * DegPerRad, b.Lon * DegPerRad, s);
    return s;
}

TGeoPoint GeodesicDirect(const TGeoPoint &from, double bearingRad, double distanceM) {
    double lat = 0, lon = 0;
    GeographicLib::Geodesic::WGS84().Direct(from.Lat * DegPerRad, from.Lon * DegPerRad,
                                            bearingRad * DegPerRad, distanceM, lat, lon);
    return {lat / DegPerRad, lon / DegPerRad};
}

}  // namespace kv::geodesy
